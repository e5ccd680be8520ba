// One pending window event at a time, reduced to what the show handles.
#include <SDL.h>

#include "platform/PlatformWindow.h"

Uint32 platformWindowId();

namespace {

WindowEvent fromWindowEvent(const SDL_WindowEvent& window) {
    WindowEvent event;
    switch (window.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        event.kind = WindowEventKind::resize;
        event.width = window.data1;
        event.height = window.data2;
        break;
    case SDL_WINDOWEVENT_EXPOSED: event.kind = WindowEventKind::expose; break;
    case SDL_WINDOWEVENT_CLOSE: event.kind = WindowEventKind::close; break;
    default: break;
    }
    return event;
}

WindowEvent fromSdlEvent(const SDL_Event& sdl) {
    WindowEvent event;
    if (sdl.type == SDL_QUIT) event.kind = WindowEventKind::close;
    if (sdl.type == SDL_WINDOWEVENT) event = fromWindowEvent(sdl.window);
    if (sdl.type == SDL_KEYDOWN && sdl.key.keysym.sym == SDLK_ESCAPE) event.kind = WindowEventKind::escapeKey;
    return event;
}

SDL_Event toSdlEvent(const WindowEvent& event) {
    SDL_Event sdl{};
    sdl.window.windowID = platformWindowId();
    switch (event.kind) {
    case WindowEventKind::resize:
        sdl.type = SDL_WINDOWEVENT;
        sdl.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
        sdl.window.data1 = event.width;
        sdl.window.data2 = event.height;
        break;
    case WindowEventKind::expose:
        sdl.type = SDL_WINDOWEVENT;
        sdl.window.event = SDL_WINDOWEVENT_EXPOSED;
        break;
    case WindowEventKind::close:
        sdl.type = SDL_WINDOWEVENT;
        sdl.window.event = SDL_WINDOWEVENT_CLOSE;
        break;
    case WindowEventKind::escapeKey:
        sdl.type = SDL_KEYDOWN;
        sdl.key.windowID = platformWindowId();
        sdl.key.keysym.sym = SDLK_ESCAPE;
        sdl.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
        break;
    case WindowEventKind::other: sdl.type = SDL_USEREVENT; break;
    }
    return sdl;
}

}  // namespace

bool takeWindowEvent(WindowEvent& event) {
    if (!platformWindowOpen()) return false;
    SDL_Event sdl;
    if (SDL_PollEvent(&sdl) == 0) return false;
    event = fromSdlEvent(sdl);
    return true;
}

void pushWindowEvent(const WindowEvent& event) {
    if (!platformWindowOpen()) return;
    SDL_Event sdl = toSdlEvent(event);
    SDL_PushEvent(&sdl);
}

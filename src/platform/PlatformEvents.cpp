// One pending window event at a time, reduced to what the show and the
// viewer handle.
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

Key keyOf(SDL_Keycode code) {
    switch (code) {
    case SDLK_SPACE: return Key::space;
    case SDLK_LEFT: return Key::left;
    case SDLK_RIGHT: return Key::right;
    case SDLK_HOME: return Key::home;
    case SDLK_F12: return Key::f12;
    case SDLK_c: return Key::c;
    case SDLK_e: return Key::e;
    case SDLK_f: return Key::f;
    case SDLK_l: return Key::l;
    case SDLK_t: return Key::t;
    case SDLK_w: return Key::w;
    default: return Key::none;
    }
}

int buttonsOf(Uint32 state) {
    return (state & SDL_BUTTON_LMASK ? kLeftButton : 0) | (state & SDL_BUTTON_RMASK ? kRightButton : 0) |
           (state & SDL_BUTTON_MMASK ? kMiddleButton : 0);
}

WindowEvent fromSdlEvent(const SDL_Event& sdl) {
    WindowEvent event;
    switch (sdl.type) {
    case SDL_QUIT: event.kind = WindowEventKind::close; break;
    case SDL_WINDOWEVENT: event = fromWindowEvent(sdl.window); break;
    case SDL_KEYDOWN:
        event.key = keyOf(sdl.key.keysym.sym);
        if (event.key != Key::none) event.kind = WindowEventKind::key;
        if (sdl.key.keysym.sym == SDLK_ESCAPE) event.kind = WindowEventKind::escapeKey;
        break;
    case SDL_MOUSEMOTION:
        event.kind = WindowEventKind::pointerMove;
        event.dx = sdl.motion.xrel;
        event.dy = sdl.motion.yrel;
        event.buttons = buttonsOf(sdl.motion.state);
        event.shift = (SDL_GetModState() & KMOD_SHIFT) != 0;
        break;
    case SDL_MOUSEWHEEL:
        event.kind = WindowEventKind::wheel;
        event.dy = sdl.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -sdl.wheel.y : sdl.wheel.y;
        break;
    case SDL_DROPFILE:
        event.kind = WindowEventKind::drop;
        event.path = sdl.drop.file != nullptr ? sdl.drop.file : "";
        SDL_free(sdl.drop.file);
        break;
    default: break;
    }
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
    case WindowEventKind::drop:
        sdl.type = SDL_DROPFILE;
        sdl.drop.file = SDL_strdup(event.path.c_str());
        sdl.drop.windowID = platformWindowId();
        break;
    case WindowEventKind::key:
    case WindowEventKind::pointerMove:
    case WindowEventKind::wheel:
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

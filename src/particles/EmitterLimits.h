// Limits shared by the object-emitter code of this folder.
#pragma once

// drawEmitters keeps one drawn-particle counter per emitter in a fixed table
// of this size, so a Scene carries at most this many emitters.
constexpr int kMaxDrawnEmitters = 50;

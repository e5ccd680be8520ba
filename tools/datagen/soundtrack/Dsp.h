// Signal building blocks: band-limited oscillators, envelopes, filters and a
// deterministic noise source. Everything is per-sample and allocation free.
#pragma once

#include <cmath>
#include <cstdint>

#include "common/MathConstants.h"

const double kSampleRate = 44100.0;  // Hz
const double kTwoPi = 2.0 * kPi;

// Frequency in Hz of a MIDI note number (69 = A4 = 440 Hz).
inline double midiHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

// Linear gain of a level in decibels.
inline double dbGain(double db) { return std::pow(10.0, db / 20.0); }

// Xorshift noise: the same sequence on every run and every machine.
struct Noise {
    uint32_t state = 0x9e3779b9u;
    explicit Noise(uint32_t seed) : state(seed ? seed : 0x9e3779b9u) {}
    // Uniform in [-1, 1).
    float next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return (float)((double)state / 2147483648.0 - 1.0);
    }
};

// The polyBLEP residual that removes most of the aliasing at a step of a
// naive waveform; t is the phase in [0, 1), dt the phase increment.
inline double polyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

// Sawtooth, rising from -1 to 1 once per cycle, band-limited by polyBLEP.
struct Saw {
    double phase = 0.0;
    double next(double hz) {
        double dt = hz / kSampleRate;
        double v = 2.0 * phase - 1.0 - polyBlep(phase, dt);
        phase += dt;
        if (phase >= 1.0) phase -= 1.0;
        return v;
    }
};

// Pulse with a duty cycle, band-limited by polyBLEP at both edges.
struct Pulse {
    double phase = 0.0;
    double next(double hz, double width) {
        double dt = hz / kSampleRate;
        double v = phase < width ? 1.0 : -1.0;
        v += polyBlep(phase, dt);
        double t2 = phase - width + (phase < width ? 1.0 : 0.0);
        v -= polyBlep(t2, dt);
        phase += dt;
        if (phase >= 1.0) phase -= 1.0;
        return v;
    }
};

// Sine by phase accumulation (phase in cycles).
struct Sine {
    double phase = 0.0;
    double next(double hz) {
        double v = std::sin(kTwoPi * phase);
        phase += hz / kSampleRate;
        if (phase >= 1.0) phase -= 1.0;
        return v;
    }
};

// State-variable filter (trapezoidal, stable under fast cutoff changes).
struct Svf {
    double g = 0.0, k = 1.0, a1 = 0.0, a2 = 0.0, a3 = 0.0;
    double ic1 = 0.0, ic2 = 0.0;
    double low = 0.0, band = 0.0, high = 0.0;
    // Cutoff in Hz (clamped below Nyquist), resonance q >= 0.5.
    void set(double hz, double q) {
        if (hz > 18000.0) hz = 18000.0;
        if (hz < 20.0) hz = 20.0;
        g = std::tan(kPi * hz / kSampleRate);
        k = 1.0 / q;
        a1 = 1.0 / (1.0 + g * (g + k));
        a2 = g * a1;
        a3 = g * a2;
    }
    void process(double x) {
        double v3 = x - ic2;
        double v1 = a1 * ic1 + a2 * v3;
        double v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0 * v1 - ic1;
        ic2 = 2.0 * v2 - ic2;
        low = v2;
        band = v1;
        high = x - k * v1 - v2;
    }
};

// Attack-decay-sustain-release level at a time since the note began, for a
// note held for `held` seconds; times in seconds, sustain as a level.
struct Adsr {
    double attack, decay, sustain, release;
    double at(double t, double held) const {
        double level = levelHeld(t < held ? t : held);
        if (t < held) return level;
        double r = (t - held) / release;
        return r >= 1.0 ? 0.0 : level * (1.0 - r) * (1.0 - r);
    }
    double levelHeld(double t) const {
        if (t < attack) return t / attack;
        t -= attack;
        if (t < decay) return 1.0 + (sustain - 1.0) * (t / decay);
        return sustain;
    }
    double length(double held) const { return held + release; }
};

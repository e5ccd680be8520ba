// The instruments: each renders one note into the bus.
// [SECTION] Mix table and helpers
// [SECTION] Tonal voices: pad, bass, lead, pluck, arpeggio, bell
// [SECTION] Drum kit: kick, snare, clap, hats, crash, toms
// [SECTION] Effects sounds: riser; dispatch and side-chain
#include <algorithm>
#include <cmath>

#include "Dsp.h"
#include "Render.h"

// [SECTION] Mix table and helpers --------------------------------------------

namespace {

struct Stereo {
    double left, right;
};

const Voicing kVoicings[kInstrumentCount] = {
    // gain    pan    reverb  delay  ducked
    {0.075f, 0.00f, 0.40f, 0.00f, true},    // pad, per chord tone
    {0.260f, 0.00f, 0.00f, 0.00f, true},    // bass
    {0.160f, 0.05f, 0.30f, 0.22f, false},   // lead
    {0.120f, -0.20f, 0.25f, 0.30f, false},  // pluck
    {0.070f, 0.00f, 0.20f, 0.35f, true},    // arpeggio (panned by pitch)
    {0.160f, 0.20f, 0.55f, 0.20f, false},   // bell
    {0.350f, 0.00f, 0.00f, 0.00f, false},   // kick
    {0.340f, 0.00f, 0.25f, 0.00f, false},   // snare
    {0.300f, 0.10f, 0.30f, 0.00f, false},   // clap
    {0.120f, 0.30f, 0.05f, 0.00f, false},   // closed hat
    {0.080f, -0.30f, 0.10f, 0.00f, false},  // open hat
    {0.100f, 0.00f, 0.25f, 0.00f, false},   // crash, stereo
    {0.300f, 0.00f, 0.25f, 0.00f, false},   // tom (panned by pitch)
    {0.070f, 0.00f, 0.45f, 0.00f, false},   // riser, stereo
};

const double kFadeSamples = 0.004 * kSampleRate;  // 4 ms

// A seed that differs per note but is the same on every run.
uint32_t seedOf(const NoteEvent& note) {
    uint32_t a = (uint32_t)(note.start * kSampleRate);
    uint32_t b = (uint32_t)(note.pitch * 16.0) + 977u * (uint32_t)note.instrument;
    return (a * 2654435761u) ^ (b * 40503u) ^ 0x5bd1e995u;
}

// Adds `seconds` of a voice, sample(t) giving the stereo value at t seconds
// into the note; gain, pan, sends and side-chain come from the mix table.
template <class Voice>
void emit(Bus& bus, const NoteEvent& note, double seconds, float pan, Voice sample) {
    const Voicing& v = kVoicings[note.instrument];
    size_t first = (size_t)std::llround(note.start * kSampleRate);
    if (first >= bus.frames || seconds <= 0.0) return;
    size_t count = std::min((size_t)(seconds * kSampleRate), bus.frames - first);
    // Equal-power pan, unity in the centre.
    double angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0) * 0.25 * kPi;
    double panLeft = std::cos(angle) * 1.4142135623730951;
    double panRight = std::sin(angle) * 1.4142135623730951;
    double gain = v.gain * note.velocity;
    for (size_t i = 0; i < count; ++i) {
        size_t at = first + i;
        Stereo s = sample(i / kSampleRate);
        // A cut-off tail would click: the last few milliseconds fade out.
        double fade = std::min(1.0, (double)(count - i) / kFadeSamples);
        double g = (v.ducked ? gain * bus.duck[at] : gain) * fade;
        float l = (float)(s.left * g * panLeft);
        float r = (float)(s.right * g * panRight);
        bus.left[at] += l;
        bus.right[at] += r;
        bus.reverb[at] += 0.5f * (l + r) * v.reverbSend;
        bus.delay[at] += 0.5f * (l + r) * v.delaySend;
    }
}

// Tone at a fraction of the note, between its start and end values.
double toneAt(const NoteEvent& note, double t) {
    double x = note.length > 0.0 ? std::min(1.0, t / note.length) : 0.0;
    return note.tone + (note.toneEnd - note.tone) * x;
}

// Start phase somewhere in the cycle, so stacked oscillators do not click together.
double randomPhase(Noise& rng) { return 0.5 * (rng.next() + 1.0f); }

const int kControlSamples = 32;  // filter cutoffs follow their envelopes at this rate

// [SECTION] Tonal voices: pad, bass, lead, pluck, arpeggio, bell ------------

void renderPad(const NoteEvent& note, Bus& bus) {
    const Adsr env{0.45, 0.6, 0.8, 1.1};
    const double detune = std::pow(2.0, 9.0 / 1200.0);  // 9 cents
    double hz = midiHz(note.pitch);
    Noise rng(seedOf(note));
    Saw saws[3];
    for (Saw& s : saws) s.phase = randomPhase(rng);
    Svf left, right;
    int tick = 0;
    emit(bus, note, env.length(note.length), 0.0f, [&](double t) {
        if (tick++ % kControlSamples == 0) {
            double cutoff = 220.0 * std::pow(2.0, toneAt(note, t) * 5.5);
            left.set(cutoff, 0.9);
            right.set(cutoff, 0.9);
        }
        double centre = saws[1].next(hz);
        left.process(saws[0].next(hz / detune) + 0.6 * centre);
        right.process(saws[2].next(hz * detune) + 0.6 * centre);
        double e = env.at(t, note.length);
        return Stereo{left.low * e, right.low * e};
    });
}

void renderBass(const NoteEvent& note, Bus& bus) {
    const Adsr env{0.004, 0.25, 0.7, 0.06};
    double hz = midiHz(note.pitch);
    Saw saw;
    Sine sub;
    Svf filter;
    int tick = 0;
    emit(bus, note, env.length(note.length), 0.0f, [&](double t) {
        if (tick++ % kControlSamples == 0) {
            double sweep = 0.3 + 0.7 * std::exp(-t * 9.0);
            filter.set(80.0 * std::pow(2.0, 0.8 + note.tone * 4.5 * sweep), 1.3);
        }
        filter.process(saw.next(hz));
        double body = filter.low + 0.7 * sub.next(hz);
        double v = std::tanh(1.3 * body) * env.at(t, note.length);
        return Stereo{v, v};
    });
}

void renderLead(const NoteEvent& note, Bus& bus) {
    const Adsr env{0.012, 0.35, 0.72, 0.28};
    const double detune = std::pow(2.0, 7.0 / 1200.0);  // 7 cents
    Noise rng(seedOf(note));
    Saw a, b;
    a.phase = randomPhase(rng);
    b.phase = randomPhase(rng);
    Pulse body;
    Svf left, right;
    int tick = 0;
    emit(bus, note, env.length(note.length), kVoicings[kLead].pan, [&](double t) {
        // Vibrato fades in after the attack (in semitones).
        double depth = std::clamp((t - 0.25) * 3.0, 0.0, 1.0) * 0.13;
        double hz = midiHz(note.pitch + depth * std::sin(kTwoPi * 5.3 * t));
        if (tick++ % kControlSamples == 0) {
            double cutoff = 450.0 * std::pow(2.0, note.tone * 4.0 + 1.3 * std::exp(-t * 7.0));
            left.set(cutoff, 1.1);
            right.set(cutoff, 1.1);
        }
        double square = 0.45 * body.next(hz * 0.5, 0.5);
        left.process(a.next(hz / detune) + square);
        right.process(b.next(hz * detune) + square);
        double e = env.at(t, note.length);
        return Stereo{left.low * e, right.low * e};
    });
}

void renderPluck(const NoteEvent& note, Bus& bus) {
    const Adsr env{0.002, 0.3, 0.3, 0.15};
    double hz = midiHz(note.pitch);
    Pulse pulse;
    Saw saw;
    Svf filter;
    int tick = 0;
    emit(bus, note, env.length(note.length), kVoicings[kPluck].pan, [&](double t) {
        if (tick++ % kControlSamples == 0) filter.set(350.0 + 6500.0 * note.tone * std::exp(-t * 9.0), 1.4);
        filter.process(pulse.next(hz, 0.28) + 0.5 * saw.next(hz * 1.003));
        double v = filter.low * env.at(t, note.length);
        return Stereo{v, v};
    });
}

void renderArp(const NoteEvent& note, Bus& bus) {
    const Adsr env{0.001, 0.16, 0.0, 0.04};
    double hz = midiHz(note.pitch);
    Pulse pulse;
    Svf filter;
    int tick = 0;
    float pan = (float)std::clamp((note.pitch - 76.0) / 14.0, -0.7, 0.7);
    emit(bus, note, env.length(note.length), pan, [&](double t) {
        if (tick++ % kControlSamples == 0)
            filter.set(300.0 * std::pow(2.0, note.tone * 5.0) * (0.35 + 0.65 * std::exp(-t * 22.0)), 1.6);
        filter.process(pulse.next(hz, 0.5));
        double v = filter.low * env.at(t, note.length);
        return Stereo{v, v};
    });
}

// Two-operator FM with an inharmonic ratio: a glassy bell.
void renderBell(const NoteEvent& note, Bus& bus) {
    const double ratio = 3.5;
    const double tail = 1.4;  // seconds of ring after the note
    double hz = midiHz(note.pitch);
    Sine modulator, partial;
    double carrier = 0.0;
    emit(bus, note, note.length + tail, kVoicings[kBell].pan, [&](double t) {
        double index = 0.25 + 2.2 * std::exp(-t * 4.0);
        double mod = index * modulator.next(hz * ratio);
        double v = std::sin(kTwoPi * carrier + mod) + 0.25 * std::exp(-t * 3.0) * partial.next(hz * 2.0);
        carrier += hz / kSampleRate;
        if (carrier >= 1.0) carrier -= 1.0;
        double amp = std::min(1.0, t / 0.002) * std::exp(-t * 1.5);
        if (t > note.length) amp *= std::max(0.0, 1.0 - (t - note.length) / tail);
        return Stereo{v * amp, v * amp};
    });
}

// [SECTION] Drum kit: kick, snare, clap, hats, crash, toms -------------------

void renderKick(const NoteEvent& note, Bus& bus) {
    Noise rng(seedOf(note));
    double phase = 0.0;
    emit(bus, note, 0.55, 0.0f, [&](double t) {
        double hz = 46.0 + 125.0 * std::exp(-t * 32.0);
        phase += hz / kSampleRate;
        double body = std::tanh(1.7 * std::sin(kTwoPi * phase)) * std::exp(-t * 6.0);
        double click = 0.22 * rng.next() * std::exp(-t * 320.0);
        double v = body + click;
        return Stereo{v, v};
    });
}

void renderSnare(const NoteEvent& note, Bus& bus) {
    Noise rng(seedOf(note));
    Svf high;
    high.set(1700.0, 0.7);
    emit(bus, note, 0.38, 0.0f, [&](double t) {
        double tone = 0.55 * std::sin(kTwoPi * 182.0 * t) * std::exp(-t * 24.0) +
                      0.25 * std::sin(kTwoPi * 329.0 * t) * std::exp(-t * 32.0);
        high.process(rng.next());
        double v = tone + 0.9 * high.high * std::exp(-t * 13.0);
        return Stereo{v, v};
    });
}

void renderClap(const NoteEvent& note, Bus& bus) {
    Noise rng(seedOf(note));
    Svf band;
    band.set(1250.0, 1.6);
    emit(bus, note, 0.42, kVoicings[kClap].pan, [&](double t) {
        // Three quick slaps, then the room.
        double env = 0.0;
        for (int k = 0; k < 3; ++k) {
            double dt = t - 0.011 * k;
            if (dt >= 0.0) env = std::max(env, std::exp(-dt * 190.0));
        }
        if (t > 0.03) env = std::max(env, 0.55 * std::exp(-(t - 0.03) * 11.0));
        band.process(rng.next());
        double v = 2.2 * band.band * env;
        return Stereo{v, v};
    });
}

void renderHat(const NoteEvent& note, Bus& bus, double decayPerSecond, double seconds) {
    Noise rng(seedOf(note));
    Svf high, band;
    high.set(7200.0, 0.8);
    band.set(10500.0, 1.2);
    emit(bus, note, seconds, kVoicings[note.instrument].pan, [&](double t) {
        double n = rng.next();
        high.process(n);
        band.process(n);
        double v = (high.high + 0.6 * band.band) * std::exp(-t * decayPerSecond);
        return Stereo{v, v};
    });
}

void renderCrash(const NoteEvent& note, Bus& bus) {
    Noise leftNoise(seedOf(note)), rightNoise(seedOf(note) ^ 0xabcdefu);
    Svf left, right;
    left.set(3800.0, 0.7);
    right.set(3900.0, 0.7);
    emit(bus, note, 3.2, 0.0f, [&](double t) {
        double env = std::exp(-t * 1.6) * (0.7 + 0.3 * std::exp(-t * 18.0));
        env *= std::min(1.0, (3.2 - t) / 0.2);
        left.process(leftNoise.next());
        right.process(rightNoise.next());
        return Stereo{left.high * env, right.high * env};
    });
}

void renderTom(const NoteEvent& note, Bus& bus) {
    Noise rng(seedOf(note));
    double hz0 = midiHz(note.pitch);
    double phase = 0.0;
    float pan = (float)std::clamp((note.pitch - 45.0) / 12.0, -0.6, 0.6);
    emit(bus, note, 0.5, pan, [&](double t) {
        phase += hz0 * (1.0 + 0.6 * std::exp(-t * 22.0)) / kSampleRate;
        double v = std::sin(kTwoPi * phase) * std::exp(-t * 8.0) + 0.2 * rng.next() * std::exp(-t * 90.0);
        return Stereo{v, v};
    });
}

// [SECTION] Effects sounds: riser; dispatch and side-chain -------------------

// Noise through a band-pass that climbs from 250 Hz to 9 kHz, growing louder.
void renderRiser(const NoteEvent& note, Bus& bus) {
    Noise leftNoise(seedOf(note)), rightNoise(seedOf(note) ^ 0x1234567u);
    Svf left, right;
    int tick = 0;
    double length = note.length;
    emit(bus, note, length, 0.0f, [&](double t) {
        double x = t / length;
        if (tick++ % kControlSamples == 0) {
            double centre = 250.0 * std::pow(36.0, x);
            left.set(centre, 2.5);
            right.set(centre * 1.05, 2.5);
        }
        left.process(leftNoise.next());
        right.process(rightNoise.next());
        double amp = x * x * std::min(1.0, (length - t) / 0.006);
        return Stereo{2.0 * left.band * amp, 2.0 * right.band * amp};
    });
}

}  // namespace

Bus::Bus(size_t frameCount)
    : frames(frameCount),
      left(frameCount, 0.0f),
      right(frameCount, 0.0f),
      reverb(frameCount, 0.0f),
      delay(frameCount, 0.0f),
      duck(frameCount, 1.0f) {}

void buildDuck(const Score& score, Bus& bus) {
    const double depth = 0.5;     // fraction pressed down at the hit
    const double recover = 0.26;  // seconds back to full level
    size_t span = (size_t)(recover * kSampleRate);
    for (const NoteEvent& note : score.notes) {
        if (note.instrument != kKick) continue;
        size_t first = (size_t)std::llround(note.start * kSampleRate);
        for (size_t i = 0; i < span && first + i < bus.frames; ++i) {
            double x = (double)i / span;
            double attack = std::min(1.0, i / (0.004 * kSampleRate));
            double g = 1.0 - depth * note.velocity * attack * (1.0 - x) * (1.0 - x);
            bus.duck[first + i] = std::min(bus.duck[first + i], (float)g);
        }
    }
}

void renderNote(const NoteEvent& note, Bus& bus) {
    switch (note.instrument) {
    case kPad: renderPad(note, bus); break;
    case kBass: renderBass(note, bus); break;
    case kLead: renderLead(note, bus); break;
    case kPluck: renderPluck(note, bus); break;
    case kArp: renderArp(note, bus); break;
    case kBell: renderBell(note, bus); break;
    case kKick: renderKick(note, bus); break;
    case kSnare: renderSnare(note, bus); break;
    case kClap: renderClap(note, bus); break;
    case kClosedHat: renderHat(note, bus, 48.0, 0.12); break;
    case kOpenHat: renderHat(note, bus, 7.5, 0.45); break;
    case kCrash: renderCrash(note, bus); break;
    case kTom: renderTom(note, bus); break;
    case kRiser: renderRiser(note, bus); break;
    case kInstrumentCount: break;
    }
}

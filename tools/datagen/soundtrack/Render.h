// Rendering the score: voices into a stereo bus with reverb and delay sends,
// the effects, and the master stage.
#pragma once

#include <cstddef>
#include <vector>

#include "Score.h"

// The mix buses, one float per sample frame each; sized once for the track.
struct Bus {
    size_t frames = 0;
    std::vector<float> left, right;  // dry stereo
    std::vector<float> reverb;       // mono reverb send
    std::vector<float> delay;        // mono delay send
    std::vector<float> duck;         // gain that the kick presses down, 0..1

    explicit Bus(size_t frameCount);
};

// How one instrument sits in the mix.
struct Voicing {
    float gain;
    float pan;  // -1 left .. 1 right
    float reverbSend;
    float delaySend;
    bool ducked;  // follows the kick's side-chain
};

// Builds the kick side-chain: a short dip of the pad, bass and arpeggio at
// every kick, which makes the groove breathe.
void buildDuck(const Score& score, Bus& bus);
// Adds one note of any instrument to the bus.
void renderNote(const NoteEvent& note, Bus& bus);

// Stereo room reverb of the reverb send, added to the dry bus.
void applyReverb(Bus& bus);
// Ping-pong echo of the delay send (a dotted eighth), added to the dry bus.
void applyDelay(Bus& bus);
// Removes DC, brings the peak to `ceilingDb` with a look-ahead limiter after
// `driveDb` of gain; returns the largest gain reduction in dB.
double masterBus(Bus& bus, double driveDb, double ceilingDb);

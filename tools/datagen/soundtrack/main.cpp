// Composes, synthesises and encodes the show's soundtrack:
//   orvane_soundtrack <output.mp3>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Dsp.h"
#include "Mp3Writer.h"
#include "Render.h"
#include "Score.h"

namespace {

const int kBitRateKbps = 192;
const double kCeilingDb = -2.0;  // the limiter's ceiling, before encoding
const double kLimitingDb = 4.0;  // how far the loudest peak is pushed into it

double peakDb(const Bus& bus) {
    float peak = 1e-9f;
    for (size_t i = 0; i < bus.frames; ++i)
        peak = std::max(peak, std::max(std::fabs(bus.left[i]), std::fabs(bus.right[i])));
    return 20.0 * std::log10(peak);
}

double rmsDb(const Bus& bus) {
    double sum = 0.0;
    for (size_t i = 0; i < bus.frames; ++i)
        sum += (double)bus.left[i] * bus.left[i] + (double)bus.right[i] * bus.right[i];
    return 10.0 * std::log10(sum / (2.0 * (double)bus.frames) + 1e-20);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s <output.mp3>\n", argv[0]);
        return 2;
    }
    Score score = composeSoundtrack();
    Bus bus((size_t)(kTrackSeconds * kSampleRate));
    buildDuck(score, bus);
    for (const NoteEvent& note : score.notes) renderNote(note, bus);
    applyDelay(bus);
    applyReverb(bus);
    double rawPeak = peakDb(bus);
    double reduction = masterBus(bus, kCeilingDb - rawPeak + kLimitingDb, kCeilingDb);
    printf("soundtrack: %zu notes, %.1f s, peak %.2f dBFS, rms %.2f dBFS, limiter up to %.2f dB\n", score.notes.size(),
           kTrackSeconds, peakDb(bus), rmsDb(bus), reduction);
    return writeMp3(argv[1], bus.left.data(), bus.right.data(), bus.frames, kBitRateKbps) ? 0 : 1;
}

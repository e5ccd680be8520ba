// Room reverb (eight damped combs and four all-passes per side, the classic
// Schroeder-Moorer layout) and a ping-pong echo.
#include <cmath>
#include <vector>

#include "Dsp.h"
#include "Render.h"

namespace {

// Comb lengths in samples at 44.1 kHz; the right side is spread by 23.
const int kCombLengths[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
const int kAllpassLengths[4] = {556, 441, 341, 225};
const int kStereoSpread = 23;
const double kRoomFeedback = 0.90;  // decay of the combs (about 2.5 s tail)
const double kDamping = 0.25;       // high-frequency loss in the combs
const double kInputGain = 0.015;    // keeps eight combs in range
const double kReverbWet = 1.6;
const double kPredelaySeconds = 0.022;
const double kSendHighPassHz = 180.0;  // keeps the low end out of the room

struct Comb {
    std::vector<float> buffer;
    size_t index = 0;
    double store = 0.0;
    explicit Comb(int length) : buffer((size_t)length, 0.0f) {}
    double process(double in) {
        double out = buffer[index];
        store = out * (1.0 - kDamping) + store * kDamping;
        buffer[index] = (float)(in + store * kRoomFeedback);
        if (++index == buffer.size()) index = 0;
        return out;
    }
};

struct Allpass {
    std::vector<float> buffer;
    size_t index = 0;
    explicit Allpass(int length) : buffer((size_t)length, 0.0f) {}
    double process(double in) {
        double delayed = buffer[index];
        buffer[index] = (float)(in + delayed * 0.5);
        if (++index == buffer.size()) index = 0;
        return delayed - in;
    }
};

// One side of the room.
struct RoomSide {
    std::vector<Comb> combs;
    std::vector<Allpass> allpasses;
    explicit RoomSide(int spread) {
        for (int length : kCombLengths) combs.emplace_back(length + spread);
        for (int length : kAllpassLengths) allpasses.emplace_back(length + spread);
    }
    double process(double in) {
        double sum = 0.0;
        for (Comb& c : combs) sum += c.process(in);
        for (Allpass& a : allpasses) sum = a.process(sum);
        return sum;
    }
};

}  // namespace

void applyReverb(Bus& bus) {
    RoomSide left(0), right(kStereoSpread);
    size_t predelay = (size_t)(kPredelaySeconds * kSampleRate);
    double hpCoeff = std::exp(-kTwoPi * kSendHighPassHz / kSampleRate);
    double lowState = 0.0;
    for (size_t i = 0; i < bus.frames; ++i) {
        double send = i >= predelay ? bus.reverb[i - predelay] : 0.0;
        lowState = send + hpCoeff * (lowState - send);
        double in = (send - lowState) * kInputGain;
        bus.left[i] += (float)(kReverbWet * left.process(in));
        bus.right[i] += (float)(kReverbWet * right.process(in));
    }
}

void applyDelay(Bus& bus) {
    const double delaySeconds = 0.375;  // a dotted eighth at 120 bpm
    const double feedback = 0.42;
    const double wet = 0.55;
    const double toReverb = 0.3;
    const double lowPassHz = 3200.0;
    size_t length = (size_t)std::llround(delaySeconds * kSampleRate);
    std::vector<float> left(length, 0.0f), right(length, 0.0f);
    double lp = std::exp(-kTwoPi * lowPassHz / kSampleRate);
    double leftState = 0.0, rightState = 0.0;
    size_t index = 0;
    for (size_t i = 0; i < bus.frames; ++i) {
        double outLeft = left[index];
        double outRight = right[index];
        // Darker on every pass, and crossing sides: left, right, left...
        leftState = outLeft + lp * (leftState - outLeft);
        rightState = outRight + lp * (rightState - outRight);
        left[index] = (float)(bus.delay[i] + feedback * rightState);
        right[index] = (float)(feedback * leftState);
        if (++index == length) index = 0;
        bus.left[i] += (float)(wet * outLeft);
        bus.right[i] += (float)(wet * outRight);
        bus.reverb[i] += (float)(toReverb * 0.5 * (outLeft + outRight));
    }
}

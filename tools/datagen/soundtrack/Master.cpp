// The master stage: DC removal, gain, and a look-ahead peak limiter that
// keeps every sample under the ceiling without audible clipping.
#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

#include "Dsp.h"
#include "Render.h"

namespace {

const double kLookaheadSeconds = 0.005;
const double kReleaseSeconds = 0.15;
const double kHighPassHz = 20.0;

void removeDc(std::vector<float>& samples) {
    double coeff = std::exp(-kTwoPi * kHighPassHz / kSampleRate);
    double low = 0.0;
    for (float& s : samples) {
        low = s + coeff * (low - s);
        s -= (float)low;
    }
}

// The gain each frame needs so that its louder side stays at the ceiling.
std::vector<float> requiredGain(const Bus& bus, double drive, double ceiling) {
    std::vector<float> need(bus.frames);
    for (size_t i = 0; i < bus.frames; ++i) {
        double peak = drive * std::max(std::fabs(bus.left[i]), std::fabs(bus.right[i]));
        need[i] = (float)(peak > ceiling ? ceiling / peak : 1.0);
    }
    return need;
}

// Minimum of need[i .. i + window] for every i (monotonic queue).
std::vector<float> lookaheadMinimum(const std::vector<float>& need, size_t window) {
    size_t n = need.size();
    std::vector<float> out(n);
    std::deque<size_t> queue;
    size_t next = 0;
    for (size_t i = 0; i < n; ++i) {
        for (; next < n && next <= i + window; ++next) {
            while (!queue.empty() && need[queue.back()] >= need[next]) queue.pop_back();
            queue.push_back(next);
        }
        while (queue.front() < i) queue.pop_front();
        out[i] = need[queue.front()];
    }
    return out;
}

}  // namespace

double masterBus(Bus& bus, double driveDb, double ceilingDb) {
    removeDc(bus.left);
    removeDc(bus.right);
    double drive = dbGain(driveDb);
    double ceiling = dbGain(ceilingDb);
    size_t window = (size_t)(kLookaheadSeconds * kSampleRate);
    std::vector<float> gain = lookaheadMinimum(requiredGain(bus, drive, ceiling), window);
    // Instant attack, slow release; then a moving average over the look-ahead
    // window, which keeps the gain at every peak no higher than it needs.
    double release = 1.0 - std::exp(-1.0 / (kReleaseSeconds * kSampleRate));
    double held = 1.0;
    for (float& g : gain) {
        held = std::min<double>(g, held + (1.0 - held) * release);
        g = (float)held;
    }
    // Before the first frame the window holds the first gain, which is no
    // higher than any gain the first peaks need.
    float first = gain.empty() ? 1.0f : gain[0];
    std::vector<float> recent(window + 1, first);
    double sum = (double)(window + 1) * first, deepest = 1.0;
    for (size_t i = 0; i < bus.frames; ++i) {
        size_t slot = i % (window + 1);
        sum += gain[i] - recent[slot];
        recent[slot] = gain[i];
        double g = drive * sum / (double)(window + 1);
        deepest = std::min(deepest, sum / (double)(window + 1));
        bus.left[i] = (float)(bus.left[i] * g);
        bus.right[i] = (float)(bus.right[i] * g);
    }
    return -20.0 * std::log10(deepest);
}

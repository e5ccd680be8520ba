#include "art/OutlineWalk.h"

#include <cmath>

namespace {
// Neighbour order of the turn rule.
constexpr int kTurnX[8] = {0, 0, 1, -1, 1, 1, -1, -1};
constexpr int kTurnY[8] = {1, -1, 0, 0, 1, -1, -1, 1};
}  // namespace

WalkResult walkOutline(const ByteBitmap& source, int totalSteps, int startX, int startY, int homeStep,
                       ByteBitmap* marks) {
    ByteBitmap b = source;
    WalkResult result;
    for (uint8_t v : b.pixels) result.litPixels += v != 0 && v != kVisitedMark;
    int x = startX, y = startY, dx = 1, dy = 0, homeX = startX, homeY = startY;
    bool walking = true;
    for (int step = 0; step < totalSteps; ++step) {
        if (walking && b.at(x, y) == 0) {
            homeX = startX;
            homeY = startY;
            x = startX;
            y = startY;
            dx = 1;
            dy = 0;
        }
        if (b.at(x + dx, y + dy) == 0) {
            int ndx = 0, ndy = 0;
            for (int i = 0; i < 8; ++i) {
                if (kTurnX[i] == -dx && kTurnY[i] == -dy) continue;
                if (b.at(x + kTurnX[i], y + kTurnY[i]) != 0) {
                    ndx = kTurnX[i];
                    ndy = kTurnY[i];
                    break;
                }
            }
            dx = ndx;
            dy = ndy;
        }
        if (walking) {
            x += dx;
            y += dy;
            if (x == homeX && y == homeY && (dx != 0 || dy != 0)) {
                walking = false;
                homeX += homeStep;
            }
        } else {
            y = homeY;
            if (x == homeX) {
                walking = true;
            } else {
                ++x;
            }
        }
        uint8_t v = b.at(x, y);
        if (walking && v != 0 && v != kVisitedMark) {
            b.put(x, y, kVisitedMark);
            ++result.emitted;
            result.stepsToFinish = step + 1;
            result.emitSteps.push_back(step + 1);
        }
    }
    if (marks) *marks = b;
    return result;
}

WritingTimes timeWriting(const WalkResult& walk, int totalSteps, const WindowTiming& window) {
    WritingTimes times;
    if (walk.emitSteps.empty()) return times;
    // Seconds at which each emission first shows, calls in order.
    std::vector<double> shown;
    shown.reserve(walk.emitSteps.size());
    size_t next = 0;
    const float total = static_cast<float>(totalSteps), duration = static_cast<float>(window.windowSeconds);
    for (long call = 0; next < walk.emitSteps.size(); ++call) {
        const float elapsed = static_cast<float>(call / window.callsPerSecond);
        const float product = total * elapsed / duration;
        const long budget = product > 0.0f ? static_cast<long>(std::ceil(product)) : 0;
        while (next < walk.emitSteps.size() && walk.emitSteps[next] <= budget) {
            shown.push_back(call / window.callsPerSecond);
            ++next;
        }
    }
    const double done = shown.back();
    int aliveAtDone = 0, aliveAtEnd = 0;
    for (double t : shown) {
        aliveAtDone += done - t < window.lifetimeSeconds;
        aliveAtEnd += window.windowSeconds - t < window.lifetimeSeconds;
    }
    times.doneShare = done / window.windowSeconds;
    times.litAtDone = static_cast<double>(aliveAtDone) / shown.size();
    times.litAtEnd = static_cast<double>(aliveAtEnd) / shown.size();
    return times;
}

#include "art/OutlineWalk.h"

namespace {
constexpr uint8_t kVisited = 12;
// Neighbour order of the turn rule.
constexpr int kTurnX[8] = {0, 0, 1, -1, 1, 1, -1, -1};
constexpr int kTurnY[8] = {1, -1, 0, 0, 1, -1, -1, 1};
}  // namespace

WalkResult walkOutline(const ByteBitmap& source, int totalSteps, int startX, int startY, int homeStep,
                       ByteBitmap* marks) {
    ByteBitmap b = source;
    WalkResult result;
    for (uint8_t v : b.pixels) result.litPixels += v != 0;
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
        if (walking && v != 0 && v != kVisited) {
            b.put(x, y, kVisited);
            ++result.emitted;
            result.stepsToFinish = step + 1;
        }
    }
    if (marks) *marks = b;
    return result;
}

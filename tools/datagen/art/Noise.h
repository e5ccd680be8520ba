// Tileable value noise and its fractal sums, the grain of every procedural
// texture and of the height map.
#pragma once

#include <cstdint>

// Smooth noise in [0, 1] at (x, y), repeating every `period` units on both
// axes (period 0: no repetition).
double valueNoise(double x, double y, int period, uint32_t seed);
// Sum of `octaves` noise layers, each twice the frequency and half the weight
// of the one before; normalised to [0, 1].
double fractalNoise(double x, double y, int octaves, int period, uint32_t seed);

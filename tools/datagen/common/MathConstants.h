// Constants shared by the picture, scene and soundtrack generators.
#pragma once

constexpr double kPi = 3.14159265358979323846;

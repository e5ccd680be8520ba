// The program-wide particle depth-test flag. Lifetime: program; on from the
// start, off only while the city scene plays.
#include "particles/Particles.h"

bool particleDepthTest = true;

void particleDepthTestOn() { particleDepthTest = true; }

void particleDepthTestOff() { particleDepthTest = false; }

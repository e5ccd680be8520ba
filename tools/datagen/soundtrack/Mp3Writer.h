// MP3 encoding with LAME.
#pragma once

#include <cstddef>

// Encodes stereo float samples (full scale +-1) at 44.1 kHz into a constant
// bit rate mp3 with a LAME info tag (exact length for gapless decoders).
// Writes beside the target and renames, so a failure leaves no half file.
bool writeMp3(const char* path, const float* left, const float* right, size_t frames, int kbps);

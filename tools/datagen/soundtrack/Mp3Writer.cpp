#include "Mp3Writer.h"

#include <lame/lame.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kSampleRateHz = 44100;
const int kQuality = 3;              // LAME's 0 (best) .. 9 (fastest)
const int kBlockFrames = 1152 * 32;  // frames handed to the encoder at a time

bool encodeAll(lame_t lame, FILE* file, const float* left, const float* right, size_t frames) {
    // Worst case from lame.h: 1.25 * samples + 7200 bytes.
    std::vector<unsigned char> out(kBlockFrames * 5 / 4 + 7200);
    for (size_t at = 0; at < frames; at += kBlockFrames) {
        int count = (int)(frames - at < (size_t)kBlockFrames ? frames - at : kBlockFrames);
        int bytes = lame_encode_buffer_ieee_float(lame, left + at, right + at, count, out.data(), (int)out.size());
        if (bytes < 0 || fwrite(out.data(), 1, (size_t)bytes, file) != (size_t)bytes) return false;
    }
    int bytes = lame_encode_flush(lame, out.data(), (int)out.size());
    if (bytes < 0 || fwrite(out.data(), 1, (size_t)bytes, file) != (size_t)bytes) return false;
    lame_mp3_tags_fid(lame, file);
    return true;
}

}  // namespace

bool writeMp3(const char* path, const float* left, const float* right, size_t frames, int kbps) {
    lame_t lame = lame_init();
    if (!lame) return false;
    lame_set_in_samplerate(lame, kSampleRateHz);
    lame_set_out_samplerate(lame, kSampleRateHz);
    lame_set_num_channels(lame, 2);
    lame_set_mode(lame, JOINT_STEREO);
    lame_set_VBR(lame, vbr_off);
    lame_set_brate(lame, kbps);
    lame_set_quality(lame, kQuality);
    lame_set_bWriteVbrTag(lame, 1);
    bool ok = lame_init_params(lame) >= 0;
    std::string temporary = std::string(path) + ".part";
    FILE* file = ok ? fopen(temporary.c_str(), "wb+") : nullptr;
    ok = file && encodeAll(lame, file, left, right, frames);
    if (file && fclose(file) != 0) ok = false;
    lame_close(lame);
    if (ok && rename(temporary.c_str(), path) != 0) ok = false;
    if (!ok) {
        fprintf(stderr, "soundtrack: [%s] cannot be written\n", path);
        remove(temporary.c_str());
    }
    return ok;
}

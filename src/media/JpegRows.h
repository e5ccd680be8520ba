// The row reader behind decodeJpegFile and decodeJpegMemory (media only).
#pragma once

#include <cstdio>

#include <jpeglib.h>

#include "media/Textures.h"

// Fills image from a decompressor whose source is set: header, RGB output,
// all rows, finish. Errors of the library leave through the decompressor's
// error manager (a longjmp set up by the caller); rows missing from a cut
// file are left black.
void readJpegRows(jpeg_decompress_struct* decompressor, RgbImage* image);

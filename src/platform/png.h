// PNG screenshots of the 16-bit frame buffer.
//
// The picture is written as an 8-bit RGB PNG (IHDR, one IDAT, IEND), rows
// unfiltered and packed with zlib; 5- and 6-bit channels are widened by
// repeating their top bits, so white stays 255 and black 0.
#pragma once

#include <string>
#include <vector>

#include "base/types.h"

// Encodes `hoehe` rows of `breite` 16-bit pixels (`pitch` pixels from one row
// to the next) in the given depth (16: 565, 15: 555) into `aus`. False for
// empty sizes, a pitch below the width, another depth or a zlib failure.
bool Png_Kodieren(const u16* pixel, i32 breite, i32 hoehe, i32 pitch, i32 farbtiefe, std::vector<u8>& aus);

// The same, written to a file on disk (UTF-8 path). False when encoding or
// writing fails; a half-written file is removed.
bool Png_Schreiben(const std::string& pfad, const u16* pixel, i32 breite, i32 hoehe, i32 pitch, i32 farbtiefe);

// One 16-bit pixel as 8-bit red, green, blue.
void Png_Pixel_Rgb(u16 pixel, i32 farbtiefe, u8* r, u8* g, u8* b);

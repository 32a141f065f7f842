// The decoder's row converters: YCbCr to the pixel layouts, copies, grey and
// packed 4:2:2, each in a generic form (processor codes 0 to 2) and, for the
// colour conversions, an SSE2 form (codes 3 to 6).
#pragma once

#include "jpeg/dec_intern.h"

namespace jpeg_dek {

struct Farbwahl {
    Zeilen_Fn fn = nullptr;       // component rows at the output width
    Zeilen_Fn halb_fn = nullptr;  // the same with both chroma rows at half width
    bool gepackt = false;         // packed 4:2:2 output
    Glatt_Fn glatt_fn = nullptr;  // both chroma as the smooth doubling's sums
    bool nur_erste = false;       // only the first component's rows are read
};

// The converter for data colour jc with n components into pixels of colour
// oc with kan bytes each; fn is null for pairs that cannot be written.
Farbwahl Farbe_Waehlen(int32_t jc, int32_t n, int32_t oc, int32_t kan, int32_t prozessor);

// The constants of the three terms: the chroma bias 128 times the
// coefficient, less a rounding half (the green term is subtracted, so its
// half goes the other way), so that every term rounds to nearest.
inline constexpr int32_t ROT_KONSTANTE = 128 * 359 - 128;
inline constexpr int32_t GRUEN_KONSTANTE = 128 * (88 + 183) - 128;
inline constexpr int32_t BLAU_KONSTANTE = 128 * 454 - 128;

// One pixel of the YCbCr conversion (8 fraction bits, BT.601 coefficients).
inline void YCC_Pixel(int32_t y, int32_t cb, int32_t cr, uint8_t* r, uint8_t* g, uint8_t* b) {
    auto klemmen = [](int32_t v) { return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); };
    *r = klemmen(y + ((cr * 359 - ROT_KONSTANTE) >> 8));
    *g = klemmen(y - ((cb * 88 + cr * 183 - GRUEN_KONSTANTE) >> 8));
    *b = klemmen(y + ((cb * 454 - BLAU_KONSTANTE) >> 8));
}

}  // namespace jpeg_dek

// Checksums of the tests that pin bytes or pixels: FNV-1a over bytes, and
// over pixels of 16 bits (low byte first). A picture is pinned area by
// named area, so a failure says which part of it changed.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "base/types.h"

namespace pruef {

constexpr u64 FNV_START = 0xcbf29ce484222325ull;
constexpr u64 FNV_PRIM = 0x100000001b3ull;

inline u64 fnv(const u8* p, size_t n, u64 h = FNV_START) {
    for (size_t i = 0; i < n; ++i) h = (h ^ p[i]) * FNV_PRIM;
    return h;
}
inline u64 fnv(const std::vector<u8>& b, u64 h = FNV_START) { return fnv(b.data(), b.size(), h); }

// Over 16-bit words taken whole (one step a word).
inline u64 fnv_wort(u64 h, u16 w) { return (h ^ w) * FNV_PRIM; }
inline u64 fnv_worte(const u16* p, size_t n, u64 h = FNV_START) {
    for (size_t i = 0; i < n; ++i) h = fnv_wort(h, p[i]);
    return h;
}

inline u64 fnv_pixel(const u16* p, size_t n, u64 h = FNV_START) {
    for (size_t i = 0; i < n; ++i) {
        h = (h ^ (p[i] & 0xFF)) * FNV_PRIM;
        h = (h ^ (p[i] >> 8)) * FNV_PRIM;
    }
    return h;
}
inline u64 fnv_pixel(const std::vector<u16>& b) { return fnv_pixel(b.data(), b.size()); }

// A named area of a picture.
struct Bereich {
    const char* name;
    i32 x, y, w, h;
};

// The sum of the area's pixels, row by row (clipped to the picture).
inline u64 Bereich_Summe(const u16* pixel, i32 breite, i32 hoehe, i32 x, i32 y, i32 w, i32 h) {
    u64 s = FNV_START;
    for (i32 yy = y < 0 ? 0 : y; yy < y + h && yy < hoehe; ++yy) {
        const i32 x0 = x < 0 ? 0 : x, x1 = x + w < breite ? x + w : breite;
        if (x1 > x0) s = fnv_pixel(pixel + static_cast<size_t>(yy) * static_cast<size_t>(breite) + x0,
                                   static_cast<size_t>(x1 - x0), s);
    }
    return s;
}

// Where a byte image differs from its pinned rows (hex, one string a row;
// the rows after the pinned ones are all zero): empty when it is the same,
// else the row, the first byte that differs and both values.
inline std::string Zeilen_Abweichung(const u8* p, size_t n, size_t zeile, const std::vector<std::string>& soll) {
    char text[96];
    for (size_t z = 0; z * zeile < n; ++z)
        for (size_t b = 0; b < zeile && z * zeile + b < n; ++b) {
            unsigned erwartet = 0;
            if (z < soll.size() && 2 * b + 1 < soll[z].size())
                std::sscanf(soll[z].c_str() + 2 * b, "%2x", &erwartet);
            const unsigned ist = p[z * zeile + b];
            if (ist != erwartet) {
                std::snprintf(text, sizeof text, "Zeile %zu, Byte %zu: 0x%02x statt 0x%02x", z, b, ist, erwartet);
                return text;
            }
        }
    return {};
}

}  // namespace pruef

// Walking run-length sprite rows, shared by the reader (which checks every
// row once) and the drawing loops (which then trust the rows).
//
// A row is a stream of control words: with the top bit set, (c & ~top)
// literal values follow (565 pixels, or indices of a colour table for the
// 8-bit form); with it clear, that many transparent pixels. The row ends
// when its counts reach the width.
#pragma once

#include <cstddef>
#include <vector>

#include "base/types.h"

namespace rle {

template <class T>
constexpr T oben() {
    return static_cast<T>(T(1) << (8 * sizeof(T) - 1));
}

// True when every row reaches exactly the width inside the data, with no
// count 0 (which would never end).
template <class T>
bool zeilen_gueltig(i32 breite, const std::vector<u32>& zeilen, const std::vector<T>& daten, size_t* fehler_zeile) {
    for (size_t y = 0; y < zeilen.size(); ++y) {
        size_t i = zeilen[y];
        i32 x = 0;
        *fehler_zeile = y;
        while (x < breite) {
            if (i >= daten.size()) return false;
            const T c = daten[i++];
            const i32 n = c & static_cast<T>(~oben<T>());
            if (n == 0 || x + n > breite) return false;
            if (c & oben<T>()) {
                if (daten.size() - i < static_cast<size_t>(n)) return false;
                i += static_cast<size_t>(n);
            }
            x += n;
        }
    }
    return true;
}

// Calls fn(x, y, value) for every literal of a checked sprite.
template <class T, class F>
void laufen(i32 breite, const std::vector<u32>& zeilen, const std::vector<T>& daten, F&& fn) {
    for (size_t y = 0; y < zeilen.size(); ++y) {
        size_t i = zeilen[y];
        for (i32 x = 0; x < breite;) {
            const T c = daten[i++];
            const i32 n = c & static_cast<T>(~oben<T>());
            if (c & oben<T>()) {
                for (i32 k = 0; k < n; ++k) fn(x + k, static_cast<i32>(y), daten[i + static_cast<size_t>(k)]);
                i += static_cast<size_t>(n);
            }
            x += n;
        }
    }
}

}  // namespace rle

// LZW stream of packing method 3696 (internal to the compression module; the
// game reaches it through W32_Cmp_Unpack / W32_Cmp_Pack in compress.h).
// Format: docs/formats/lzw.md.
#pragma once

#include "base/bytes.h"
#include "base/types.h"

// The 8-byte head of a packed block (run-length, zlib and LZW blocks): the
// unpacked size and the packed size.
struct Pack_Kopf {
    u32 groesse = 0;
    u32 gepackt = 0;
};
template <class V, bytes::Art<Pack_Kopf> S>
constexpr void felder(V& v, S& k) {
    v(k.groesse), v(k.gepackt);
}
inline void Pack_Kopf_Schreiben(u8* ziel, const Pack_Kopf& k) {
    bytes::bild_schreiben(ziel, bytes::groesse<Pack_Kopf>(), [&](bytes::Schreiber& s) { s(k); });
}
// Reads the head of a block that holds at least its 8 bytes.
inline Pack_Kopf Pack_Kopf_Lesen(const u8* quelle) {
    Pack_Kopf k;
    bytes::Leser(quelle, bytes::groesse<Pack_Kopf>())(k);
    return k;
}

constexpr u32 LZW_CODE_CLEAR = 256;
constexpr u32 LZW_CODE_ENDE = 257;
constexpr u32 LZW_CODE_ERSTER = 258;
constexpr u32 LZW_MAX_CODES = 4096;  // 12 bits

// Largest packed size of n bytes (head included).
u32 Lzw_Max_Gepackt(u32 n);
// Packs n bytes into dst (cap bytes); returns the packed size including the
// 8-byte head, 0 when it does not fit.
u32 Lzw_Packen(const u8* src, u32 n, u8* dst, u32 cap);
// Unpacks a stream of at most `verfuegbar` bytes into dst (cap bytes).
// True when the end code was reached, the head's sizes agree with the data
// and nothing was written past cap; *ausgabe gets the unpacked size.
bool Lzw_Entpacken(const u8* src, u32 verfuegbar, u8* dst, u32 cap, u32* ausgabe);

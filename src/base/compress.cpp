// Buffer compression: run-length packing, zlib blocks and the packing
// methods by number.
#include "base/compress.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/lzw.h"
#include "base/memory.h"

// ---------------------------------------------------------------------------
// Run-length packing
// ---------------------------------------------------------------------------

u32 Tools_RLE_Max_Gepackt(u32 groesse) {
    u64 n = static_cast<u64>(groesse) + groesse / RLE_MAX_LAUF + 1 + RLE_KOPF_GROESSE + 1;
    return n > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<u32>(n);
}

u32 Tools_RLE_Packen(const void* quelle, void* ziel, u32 groesse) {
    if (!ziel || (groesse > 0 && !quelle)) return 0;
    const u8* s = static_cast<const u8*>(quelle);
    u8* d = static_cast<u8*>(ziel);
    u32 o = RLE_KOPF_GROESSE;
    u32 i = 0;
    while (i < groesse) {
        // A run of at least three equal bytes is packed as a repeat.
        u32 lauf = 1;
#if defined(__SSE2__)
        // Sixteen places a step while they lie in the buffer: a long run of
        // one byte (the zeros of empty records) is measured in few steps.
        {
            const __m128i b = _mm_set1_epi8(static_cast<char>(s[i]));
            while (lauf < RLE_MAX_LAUF && i + lauf + 16 <= groesse) {
                const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + lauf));
                const u32 gleich = static_cast<u32>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, b)));
                if (gleich != 0xFFFFu) {
                    lauf = std::min(lauf + static_cast<u32>(__builtin_ctz(~gleich)), RLE_MAX_LAUF);
                    break;
                }
                lauf = std::min(lauf + 16, RLE_MAX_LAUF);
            }
        }
#endif
        while (i + lauf < groesse && lauf < RLE_MAX_LAUF && s[i + lauf] == s[i]) ++lauf;
        if (lauf >= 3) {
            d[o++] = static_cast<u8>(lauf);
            d[o++] = s[i];
            i += lauf;
            continue;
        }
        // Otherwise a literal run up to the next repeat of three.
        u32 start = i;
        u32 len = 0;
        while (i < groesse && len < RLE_MAX_LAUF) {
#if defined(__SSE2__)
            // Sixteen places a step while they and the two bytes after them
            // lie in the buffer and the literal has room: the first place
            // where three equal bytes begin ends it.
            if (i + 18 <= groesse && len + 16 <= RLE_MAX_LAUF) {
                const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
                const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 1));
                const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 2));
                const u32 drei =
                    static_cast<u32>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, b), _mm_cmpeq_epi8(a, c))));
                if (!drei) {
                    i += 16;
                    len += 16;
                    continue;
                }
                const u32 k = static_cast<u32>(__builtin_ctz(drei));
                i += k;
                len += k;
                break;
            }
#endif
            if (i + 2 < groesse && s[i] == s[i + 1] && s[i] == s[i + 2]) break;
            ++i;
            ++len;
        }
        d[o++] = static_cast<u8>(0x80 | len);
        std::memcpy(d + o, s + start, len);
        o += len;
    }
    d[o++] = 0;
    Pack_Kopf_Schreiben(d, {groesse, o});
    return o;
}

namespace {

// Unpacks within the limits; 0 for any inconsistency.
u32 rle_entpacken(const u8* s, u32 verfuegbar, u8* d, u32 ziel_groesse) {
    if (!s || verfuegbar < RLE_KOPF_GROESSE) return 0;
    const auto [soll, gepackt] = Pack_Kopf_Lesen(s);
    if (gepackt < RLE_KOPF_GROESSE + 1) return 0;
    if (gepackt > verfuegbar || soll > ziel_groesse) return 0;
    if (soll > 0 && !d) return 0;
    u32 p = RLE_KOPF_GROESSE;
    u32 o = 0;
    for (;;) {
        if (p >= gepackt) return 0;  // no end byte
        const u8 c = s[p++];
        if (c == 0) break;
        const u32 len = c & 0x7F;
        if (len == 0 || len > RLE_MAX_LAUF) return 0;
        if (len > soll - o) return 0;
        if (c & 0x80) {
            if (len > gepackt - p) return 0;
            std::memcpy(d + o, s + p, len);
            p += len;
        } else {
            if (p >= gepackt) return 0;
            std::memset(d + o, s[p++], len);
        }
        o += len;
    }
    if (p != gepackt || o != soll) return 0;
    return o;
}

}  // namespace

u32 Tools_RLE_Entpacken(const void* gepackt, void* ziel) {
    if (!gepackt) return 0;
    const u8* s = static_cast<const u8*>(gepackt);
    // The head names both limits; the caller sized the destination from it.
    const Pack_Kopf k = Pack_Kopf_Lesen(s);
    return rle_entpacken(s, k.gepackt, static_cast<u8*>(ziel), k.groesse);
}

u32 Tools_RLE_Entpacken_Sicher(const void* gepackt, u32 verfuegbar, void* ziel, u32 ziel_groesse) {
    return rle_entpacken(static_cast<const u8*>(gepackt), verfuegbar, static_cast<u8*>(ziel), ziel_groesse);
}

u32 Tools_RLE_Groesse_Entpackt(const void* gepackt, u32 verfuegbar) {
    if (!gepackt || verfuegbar < RLE_KOPF_GROESSE) return 0;
    return Pack_Kopf_Lesen(static_cast<const u8*>(gepackt)).groesse;
}

// ---------------------------------------------------------------------------
// zlib
// ---------------------------------------------------------------------------

u32 W32_Cmp_Zlib_Pack(const void* quelle, void* ziel, u32 groesse) {
    if (!quelle || !ziel) return 0;
    u8* d = static_cast<u8*>(ziel);
    uLongf len = groesse;
    if (compress2(d + ZLIB_KOPF_GROESSE, &len, static_cast<const Bytef*>(quelle), groesse, Z_DEFAULT_COMPRESSION) !=
        Z_OK)
        return 0;
    Pack_Kopf_Schreiben(d, {groesse, static_cast<u32>(len)});
    return static_cast<u32>(len) + ZLIB_KOPF_GROESSE;
}

namespace {

u32 zlib_entpacken(const u8* s, u32 verfuegbar, u8* d, u32 ziel_groesse) {
    if (!s || !d || verfuegbar < ZLIB_KOPF_GROESSE) return 0;
    const auto [soll, gepackt] = Pack_Kopf_Lesen(s);
    if (gepackt > verfuegbar - ZLIB_KOPF_GROESSE || soll > ziel_groesse) return 0;
    uLongf len = soll;
    uLong quelle_len = gepackt;
    if (uncompress2(d, &len, s + ZLIB_KOPF_GROESSE, &quelle_len) != Z_OK) return 0;
    if (len != soll || quelle_len != gepackt) return 0;
    return soll;
}

}  // namespace

u32 W32_Cmp_Zlib_Unpack(const void* block, void* ziel) {
    if (!block) return 0;
    const u8* s = static_cast<const u8*>(block);
    const Pack_Kopf k = Pack_Kopf_Lesen(s);
    u64 gesamt = static_cast<u64>(k.gepackt) + ZLIB_KOPF_GROESSE;
    if (gesamt > 0xFFFFFFFFull) return 0;
    return zlib_entpacken(s, static_cast<u32>(gesamt), static_cast<u8*>(ziel), k.groesse);
}

u32 W32_Cmp_Zlib_Unpack_Sicher(const void* block, u32 verfuegbar, void* ziel, u32 ziel_groesse) {
    return zlib_entpacken(static_cast<const u8*>(block), verfuegbar, static_cast<u8*>(ziel), ziel_groesse);
}

void* W32_Cmp_Zlib_Pack_Neu(const void* puffer, u32 groesse, u32* gepackt_groesse) {
    if (gepackt_groesse) *gepackt_groesse = 0;
    if (!puffer || !gepackt_groesse) return nullptr;
    uLong grenze = compressBound(groesse);
    if (grenze > 0xFFFFFFFFul - 4) return nullptr;
    u8* block = static_cast<u8*>(W32_Memory_H_Alloc(grenze + 4, "W32_Cmp_Zlib_Pack_Neu"));
    if (!block) return nullptr;
    uLongf len = grenze;
    if (compress2(block + 4, &len, static_cast<const Bytef*>(puffer), groesse, Z_DEFAULT_COMPRESSION) != Z_OK) {
        W32_Memory_H_Free(block);
        return nullptr;
    }
    bytes::bild_schreiben(block, 4, [&](bytes::Schreiber& s) { s(groesse); });
    *gepackt_groesse = static_cast<u32>(len) + 4;
    return block;
}

void* W32_Cmp_Zlib_Unpack_Neu(const void* block, u32 gepackt_groesse, u32* groesse) {
    if (groesse) *groesse = 0;
    if (!block || !groesse || gepackt_groesse < 4) return nullptr;
    const u8* s = static_cast<const u8*>(block);
    const u32 soll = bytes::Leser(s, 4).u32_();
    if (soll > ZLIB_NEU_MAX_GROESSE) return nullptr;
    // One spare byte so that an empty result still is a block.
    u8* ziel = static_cast<u8*>(W32_Memory_H_Alloc(static_cast<size_t>(soll) + 1, "W32_Cmp_Zlib_Unpack_Neu"));
    if (!ziel) return nullptr;
    uLongf len = soll;
    uLong quelle_len = gepackt_groesse - 4;
    if (uncompress2(ziel, &len, s + 4, &quelle_len) != Z_OK || len != soll || quelle_len != gepackt_groesse - 4) {
        W32_Memory_H_Free(ziel);
        return nullptr;
    }
    *groesse = soll;
    return ziel;
}

// ---------------------------------------------------------------------------
// Methods by number
// ---------------------------------------------------------------------------

int W32_Cmp_Unpack(const void* quelle, void* ziel, u32 methode) {
    if (!quelle || !ziel) return 0;
    const u8* s = static_cast<const u8*>(quelle);
    switch (methode) {
        case CMP_METHODE_LZW: {
            // The stream's head names its packed and unpacked sizes.
            u32 aus = 0;
            const Pack_Kopf k = Pack_Kopf_Lesen(s);
            return Lzw_Entpacken(s, k.gepackt, static_cast<u8*>(ziel), k.groesse, &aus) ? 1 : 0;
        }
        case CMP_METHODE_ZLIB: {
            const Pack_Kopf k = Pack_Kopf_Lesen(s);
            u64 gesamt = static_cast<u64>(k.gepackt) + ZLIB_KOPF_GROESSE;
            if (gesamt > 0xFFFFFFFFull) return 0;
            const u32 soll = k.groesse;
            return zlib_entpacken(s, static_cast<u32>(gesamt), static_cast<u8*>(ziel), soll) == soll ? 1 : 0;
        }
        default: return 0;
    }
}

int W32_Cmp_Unpack_Sicher(const void* quelle, u32 verfuegbar, void* ziel, u32 ziel_groesse, u32 methode,
                          u32* entpackt) {
    if (entpackt) *entpackt = 0;
    if (!quelle || !ziel) return 0;
    const u8* s = static_cast<const u8*>(quelle);
    switch (methode) {
        case CMP_METHODE_LZW: {
            u32 aus = 0;
            if (!Lzw_Entpacken(s, verfuegbar, static_cast<u8*>(ziel), ziel_groesse, &aus)) return 0;
            if (entpackt) *entpackt = aus;
            return 1;
        }
        case CMP_METHODE_ZLIB: {
            if (verfuegbar < ZLIB_KOPF_GROESSE) return 0;
            const u32 soll = Pack_Kopf_Lesen(s).groesse;
            if (zlib_entpacken(s, verfuegbar, static_cast<u8*>(ziel), ziel_groesse) != soll) return 0;
            if (entpackt) *entpackt = soll;
            return 1;
        }
        default: return 0;
    }
}

u32 W32_Cmp_Max_Gepackt(u32 groesse, u32 methode) {
    switch (methode) {
        case CMP_METHODE_LZW: return Lzw_Max_Gepackt(groesse);
        case CMP_METHODE_ZLIB: {
            u64 n = static_cast<u64>(groesse) + ZLIB_KOPF_GROESSE;
            return n > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<u32>(n);
        }
        default: return 0;
    }
}

u32 W32_Cmp_Pack(const void* quelle, u32 groesse, void* ziel, u32 ziel_groesse, u32 methode) {
    if (!ziel || (groesse > 0 && !quelle)) return 0;
    switch (methode) {
        case CMP_METHODE_LZW:
            return Lzw_Packen(static_cast<const u8*>(quelle), groesse, static_cast<u8*>(ziel), ziel_groesse);
        case CMP_METHODE_ZLIB:
            if (static_cast<u64>(ziel_groesse) < static_cast<u64>(groesse) + ZLIB_KOPF_GROESSE) return 0;
            return W32_Cmp_Zlib_Pack(quelle, ziel, groesse);
        default: return 0;
    }
}

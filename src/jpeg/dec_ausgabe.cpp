// The decoder's output stage: strips of samples per MCU row, up-sampling
// (replicated or smooth), colour conversion into every pixel layout, regions
// and reduced sizes.
#include "jpeg/dec_farbe.h"
#include "jpeg/dec_intern.h"
#include "jpeg/jpeg_simd.h"

#include <emmintrin.h>
#include <immintrin.h>

#include <cstring>
#include <initializer_list>

using namespace jpeg_dek;

namespace {

int32_t Betrag(int32_t v) { return v < 0 ? -v : v; }

// The colour of the data as it will be decoded.
int32_t Datenfarbe(const JPEG_PROPERTIES* p) {
    int32_t n = p->Anzahl_Komponenten;
    if (p->Jpg_Farbraum == FARBE_ANDERE) return FARBE_ANDERE;
    if (n == 1) return FARBE_GRAU;
    if (n == 3) {
        if (p->Adobe_Gesehen) return p->Adobe_Transform ? FARBE_YCBCR : FARBE_RGB;
        if (Jpeg_RGB_Kennungen(p)) return FARBE_RGB;
        if (p->JFIF_Gesehen) return FARBE_YCBCR;
        return p->Jpg_Farbraum == FARBE_RGB ? FARBE_RGB : FARBE_YCBCR;
    }
    if (n == 4) {
        if (p->Adobe_Gesehen) return p->Adobe_Transform ? FARBE_YCBCRA : FARBE_RGBA;
        return p->Jpg_Farbraum == FARBE_YCBCRA ? FARBE_YCBCRA : FARBE_RGBA;
    }
    return FARBE_ANDERE;
}

int32_t Skala(int32_t modus) {
    switch (modus) {
        case 14:
        case 15: return 2;
        case 16:
        case 17: return 4;
        case 18:
        case 19: return 8;
        default: return 1;
    }
}

// The MCU-row output routine installed in Dek_Zeile: writes every output row
// that is complete once MCU row `zeile` is in the strips.
int32_t Jpeg_MCU_Zeile(JPEG_PROPERTIES* p, int32_t /*spalte*/, int32_t zeile) {
    if (p->Dek_Zustand) Ausgabe_Zeilen(p, p->Dek_Zustand, zeile + 1);
    return 0;
}

#if JPEG_SIMD
// Smooth sideways doubling of the n weighted sums c (c[-1] and c[n] hold
// the edge values): out[2i] = (3 c[i] + c[i-1] + r0) >> 4 and out[2i+1] =
// (3 c[i] + c[i+1] + r1) >> 4, eight sums (sixteen pixels) a step; writes up
// to 15 bytes past 2n.
void Doppeln_SSE2(const uint16_t* c, int32_t n, int16_t r0, int16_t r1, uint8_t* aus) {
    const __m128i k0 = _mm_set1_epi16(r0), k1 = _mm_set1_epi16(r1);
    for (int32_t i = 0; i < n; i += 8) {
        const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c + i));
        const __m128i l = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c + i - 1));
        const __m128i r = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c + i + 1));
        const __m128i m3 = _mm_add_epi16(_mm_add_epi16(m, m), m);
        const __m128i g = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(m3, l), k0), 4);
        const __m128i u = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(m3, r), k1), 4);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(aus + 2 * i),
                         _mm_packus_epi16(_mm_unpacklo_epi16(g, u), _mm_unpackhi_epi16(g, u)));
    }
}

// Weighted sums of a sample row for the sideways doubling: 3 a + b with the
// neighbouring row b (both directions), or 4 a; into c[0..n) with the edge
// values beside them.
void Summen_SSE2(const uint8_t* a, const uint8_t* b, int32_t n, uint16_t* c) {
    const __m128i null = _mm_setzero_si128();
    for (int32_t i = 0; i < n; i += 8) {
        const __m128i x = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(a + i)), null);
        __m128i s;
        if (b) {
            const __m128i y = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(b + i)), null);
            s = _mm_add_epi16(_mm_add_epi16(_mm_add_epi16(x, x), x), y);
        } else {
            s = _mm_slli_epi16(x, 2);
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(c + i), s);
    }
    c[-1] = c[0];
    c[n] = c[n - 1];
}

// The same two steps on processors with AVX2: sixteen sums (32 pixels) a
// step, the same values. Doppeln_AVX2 writes up to 31 bytes past 2n,
// Summen_AVX2 reads up to 15 bytes past n and writes up to 15 sums past it.
__attribute__((target("avx2"))) void Doppeln_AVX2(const uint16_t* c, int32_t n, int16_t r0, int16_t r1, uint8_t* aus) {
    const __m256i k0 = _mm256_set1_epi16(r0), k1 = _mm256_set1_epi16(r1);
    for (int32_t i = 0; i < n; i += 16) {
        const __m256i m = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(c + i));
        const __m256i l = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(c + i - 1));
        const __m256i r = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(c + i + 1));
        const __m256i m3 = _mm256_add_epi16(_mm256_add_epi16(m, m), m);
        const __m256i g = _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(m3, l), k0), 4);
        const __m256i u = _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(m3, r), k1), 4);
        // Within each 128-bit half the pairs interleave and pack in order.
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(aus + 2 * i),
                            _mm256_packus_epi16(_mm256_unpacklo_epi16(g, u), _mm256_unpackhi_epi16(g, u)));
    }
}

__attribute__((target("avx2"))) void Summen_AVX2(const uint8_t* a, const uint8_t* b, int32_t n, uint16_t* c) {
    for (int32_t i = 0; i < n; i += 16) {
        const __m256i x = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i)));
        __m256i s;
        if (b) {
            const __m256i y = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i)));
            s = _mm256_add_epi16(_mm256_add_epi16(_mm256_add_epi16(x, x), x), y);
        } else {
            s = _mm256_slli_epi16(x, 2);
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(c + i), s);
    }
    c[-1] = c[0];
    c[n] = c[n - 1];
}
#endif

// One up-sampled row of component k (output width, from column 0); oben:
// the output row is the upper of the two a sample row makes.
void Hochtasten(const Komp& k, const uint8_t* zeile, const uint8_t* nachbar, int32_t breite, uint8_t* aus, bool oben) {
    const int32_t n = k.breite;
#if JPEG_SIMD
    if (k.glatt_h && k.summen) {
        // Both directions: (3 (3a + b) + ...) / 16; sideways: 4a with the
        // biases 4 and 8 gives (3a + a' + 1) / 4 and (3a + a' + 2) / 4.
        const bool beide = k.glatt_v;
        if (k.avx2) {
            Summen_AVX2(zeile, beide ? nachbar : nullptr, n, k.summen + 1);
            Doppeln_AVX2(k.summen + 1, (breite + 1) / 2, beide ? 8 : 4, beide ? 7 : 8, aus);
            return;
        }
        Summen_SSE2(zeile, beide ? nachbar : nullptr, n, k.summen + 1);
        Doppeln_SSE2(k.summen + 1, (breite + 1) / 2, beide ? 8 : 4, beide ? 7 : 8, aus);
        return;
    }
    if (k.glatt_v && !k.glatt_h) {
        const __m128i rund = _mm_set1_epi16(oben ? 1 : 2), null = _mm_setzero_si128();
        for (int32_t x = 0; x < breite; x += 16) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(zeile + x));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(nachbar + x));
            auto haelfte = [&](__m128i p, __m128i q) {
                return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(_mm_add_epi16(_mm_add_epi16(p, p), p), q), rund), 2);
            };
            const __m128i lo = haelfte(_mm_unpacklo_epi8(a, null), _mm_unpacklo_epi8(b, null));
            const __m128i hi = haelfte(_mm_unpackhi_epi8(a, null), _mm_unpackhi_epi8(b, null));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(aus + x), _mm_packus_epi16(lo, hi));
        }
        return;
    }
#endif
    if (k.glatt_h && k.glatt_v) {
        auto cs = [&](int32_t i) {
            i = i < 0 ? 0 : (i >= n ? n - 1 : i);
            return 3 * zeile[i] + nachbar[i];
        };
        for (int32_t i = 0; 2 * i < breite; ++i) {
            int32_t s = cs(i);
            aus[2 * i] = static_cast<uint8_t>((3 * s + cs(i - 1) + 8) >> 4);
            if (2 * i + 1 < breite) aus[2 * i + 1] = static_cast<uint8_t>((3 * s + cs(i + 1) + 7) >> 4);
        }
    } else if (k.glatt_h) {
        auto s = [&](int32_t i) { return zeile[i < 0 ? 0 : (i >= n ? n - 1 : i)]; };
        for (int32_t i = 0; 2 * i < breite; ++i) {
            int32_t m = 3 * zeile[i];
            aus[2 * i] = static_cast<uint8_t>((m + s(i - 1) + 1) >> 2);
            if (2 * i + 1 < breite) aus[2 * i + 1] = static_cast<uint8_t>((m + s(i + 1) + 2) >> 2);
        }
    } else if (k.glatt_v) {
        // Upright only: the nearer row weighs three quarters.
        const int32_t rund = oben ? 1 : 2;
        for (int32_t x = 0; x < breite; ++x) aus[x] = static_cast<uint8_t>((3 * zeile[x] + nachbar[x] + rund) >> 2);
    } else if (k.ux == 2) {
        for (int32_t i = 0; 2 * i < breite; ++i) {
            aus[2 * i] = zeile[i];
            if (2 * i + 1 < breite) aus[2 * i + 1] = zeile[i];
        }
    } else {
        for (int32_t x = 0; x < breite; ++x) aus[x] = zeile[x / k.ux];
    }
}

const uint8_t* Streifenzeile(const Komp& k, int32_t y) {
    if (y < 0) y = 0;
    if (y > k.hoehe - 1) y = k.hoehe - 1;
    return k.streifen[(y / k.streifen_hoehe) & 1] + static_cast<int64_t>(y % k.streifen_hoehe) * k.streifen_breite;
}

// The output rectangle (in pixels of the output scale) from the record's
// region, cut to the picture and to the caller's pixels.
void Rechteck_Setzen(const JPEG_PROPERTIES* p, Zustand* z) {
    int32_t hoehe = Betrag(p->Bild_Hoehe);
    z->bereich = (p->Bereich_Rechts != 0 && p->Bereich_Rechts < z->aus_breite) ||
                 (p->Bereich_Unten != 0 && p->Bereich_Unten < z->aus_hoehe) || p->Bereich_Links > 0 ||
                 p->Bereich_Oben > 0;
    if (z->bereich) {
        auto klemmen = [](int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); };
        z->x0 = klemmen(p->Bereich_Links, 0, z->aus_breite);
        z->y0 = klemmen(p->Bereich_Oben, 0, z->aus_hoehe);
        z->x1 = p->Bereich_Rechts > 0 ? klemmen(p->Bereich_Rechts, z->x0, z->aus_breite) : z->aus_breite;
        z->y1 = p->Bereich_Unten > 0 ? klemmen(p->Bereich_Unten, z->y0, z->aus_hoehe) : z->aus_hoehe;
    } else {
        z->x0 = z->y0 = 0;
        z->x1 = z->aus_breite;
        z->y1 = z->aus_hoehe;
    }
    if (int64_t{z->x1} - z->x0 > p->Bild_Breite) z->x1 = z->x0 + static_cast<int32_t>(p->Bild_Breite);
    if (z->y1 - z->y0 > hoehe) z->y1 = z->y0 + hoehe;
    if (!p->Bild_Pixel) z->y1 = z->y0;  // nothing to write into
}

}  // namespace

namespace jpeg_dek {

bool Band_Uebernehmen(JPEG_PROPERTIES* p, Zustand* z) {
    const int32_t x0 = z->x0, x1 = z->x1, weiter_ab = z->naechste_zeile;
    Rechteck_Setzen(p, z);
    if (!z->bereich || z->x0 != x0 || z->x1 != x1 || z->y0 < weiter_ab || z->y1 <= z->y0) return false;
    z->naechste_zeile = z->y0;
    // Rows the kept strips complete are written before anything is decoded.
    Ausgabe_Zeilen(p, z, z->zeile);
    return true;
}

int32_t Ausgabe_Einrichten(JPEG_PROPERTIES* p, Zustand* z) {
    const int32_t n = p->Anzahl_Komponenten;
    if (n < 1 || n > 4 || !p->Komponenten) return JPEG_ERG_KOMPONENTE;
    z->n = n;
    z->max_h = p->Max_H;
    z->max_v = p->Max_V;
    z->mcu_x = (p->Rahmen_Breite + 8 * z->max_h - 1) / (8 * z->max_h);
    z->mcu_y = (p->Rahmen_Hoehe + 8 * z->max_v - 1) / (8 * z->max_v);
    z->skala = Skala(p->Modus);
    z->bs = 8 / z->skala;
    z->aus_breite = (p->Rahmen_Breite + z->skala - 1) / z->skala;
    z->aus_hoehe = (p->Rahmen_Hoehe + z->skala - 1) / z->skala;
    z->mcu_aus_hoehe = z->max_v * z->bs;
    z->jc = Datenfarbe(p);
    // Smoothing: both directions at full size; at reduced sizes across and
    // upright alone (the next larger transform serves square sub-sampling),
    // not at 1/8 (one sample per block).
    const bool glatt = p->Glaettung == 1 && z->skala < 8;
    // The caller's component planes hold 8 x 8 values a block: full size only.
    if (p->Komponenten_Ebenen && z->skala != 1) return JPEG_ERG_PROPERTIES;
    if (p->Speicher_Grenze) {
        // Coefficients (gathered pictures) and two strips per component.
        int64_t bytes = 0;
        for (int c = 0; c < n; ++c) {
            const int64_t bloecke = int64_t{z->mcu_x} * p->Komponenten[c].H * p->Komponenten[c].V;
            bytes += bloecke * 64 * 2 + (z->gepuffert ? bloecke * z->mcu_y * 64 * 2 : 0);
        }
        if (bytes > (int64_t{p->Speicher_Grenze} << 20)) return JPEG_ERG_SPEICHER;
    }
    for (int c = 0; c < n; ++c) {
        Komp& k = z->k[c];
        k = Komp{};
        k.h = p->Komponenten[c].H;
        k.v = p->Komponenten[c].V;
        k.quant = p->Komponenten[c].Quant_Auswahl & 3;
        int32_t fx = z->max_h / k.h, fy = z->max_v / k.v;
        // At reduced sizes a sub-sampled component is transformed at a larger
        // size by the largest power of two that divides both its factors (up
        // to 8 samples a block), so that it needs less up-sampling: square
        // factors none, 4x2 and 2x4 only the rest in one direction.
        k.bs = z->bs;
        while (z->skala > 1 && k.bs < 8 && fx % (2 * k.bs / z->bs) == 0 && fy % (2 * k.bs / z->bs) == 0) k.bs *= 2;
        k.ux = fx * z->bs / k.bs;
        k.uy = fy * z->bs / k.bs;
        k.bloecke_x = z->mcu_x * k.h;
        k.bloecke_y = z->mcu_y * k.v;
        k.breite = static_cast<int32_t>((int64_t{p->Rahmen_Breite} * k.h * k.bs + 8 * z->max_h - 1) / (8 * z->max_h));
        // A sideways-doubled component of at most two samples across is
        // copied, in both directions, as djpeg does (its smoothing needs a
        // sample on either side of the middle ones).
        const bool schmal = k.ux == 2 && k.breite <= 2;
        k.glatt_h = glatt && !schmal && k.ux == 2 && (k.uy == 1 || (k.uy == 2 && z->skala == 1));
        // Upright doubling alone (4:4:0 chroma), at reduced sizes too.
        k.glatt_v = (k.glatt_h && k.uy == 2) || (glatt && k.ux == 1 && k.uy == 2);
        k.hoehe = static_cast<int32_t>((int64_t{p->Rahmen_Hoehe} * k.v * k.bs + 8 * z->max_v - 1) / (8 * z->max_v));
        k.streifen_breite = k.bloecke_x * k.bs;
        k.streifen_hoehe = k.v * k.bs;
    }
    // Without upright smoothing an MCU row's output rows need no other MCU
    // row: one strip per component serves (both strip pointers are the same).
    z->ein_streifen = true;
    for (int c = 0; c < n; ++c) z->ein_streifen = z->ein_streifen && !z->k[c].glatt_v;
    for (int c = 0; c < n; ++c) {
        Komp& k = z->k[c];
        size_t streifen = static_cast<size_t>(k.streifen_breite) * k.streifen_hoehe + 64;
        k.streifen[0] = static_cast<uint8_t*>(Speicher(z, (z->ein_streifen ? 1 : 2) * streifen));
        if (!k.streifen[0]) return JPEG_ERG_SPEICHER;
        k.streifen[1] = z->ein_streifen ? k.streifen[0] : k.streifen[0] + streifen;
        if (k.ux > 1 || k.glatt_v) {
            k.zeile = static_cast<uint8_t*>(Speicher(z, static_cast<size_t>(k.streifen_breite) * k.ux + 64));
            if (!k.zeile) return JPEG_ERG_SPEICHER;
        }
        if (k.glatt_h) {
            k.avx2 = p->Strom.Prozessor >= JCPU_F5_MMX && Jpeg_Hat_AVX2() ? 1 : 0;
            k.summen =
                static_cast<uint16_t*>(Speicher(z, (static_cast<size_t>(k.streifen_breite) + 32) * sizeof(uint16_t)));
            if (!k.summen) return JPEG_ERG_SPEICHER;
        }
        if (z->gepuffert) {
            size_t groesse = static_cast<size_t>(k.bloecke_x) * k.bloecke_y * 64 * sizeof(int16_t);
            k.koef = static_cast<int16_t*>(Speicher(z, groesse));
            if (!k.koef) return JPEG_ERG_SPEICHER;
        }
    }
    Rechteck_Setzen(p, z);
    z->naechste_zeile = z->y0;
    p->Strom.Kern_Tabelle->Dek_Zeile = Jpeg_MCU_Zeile;
    z->nur_luma = false;
    if (p->Komponenten_Ebenen) {
        // Blocks go to the planes, no pixels are written.
        for (int c = 0; c < n; ++c)
            if (!p->Komponenten_Ebenen->Ebene[c]) return JPEG_ERG_PROPERTIES;
        z->y1 = z->y0;
        return 0;
    }
    // The row converter.
    const Farbwahl w =
        Farbe_Waehlen(z->jc, n, p->Bild_Farbraum, static_cast<int32_t>(p->Bild_Kanaele), p->Strom.Prozessor);
    if (!w.fn) return JPEG_ERG_PROPERTIES;
    if (w.gepackt) {
        // Packed 4:2:2 output is made from 4:2:2 data only.
        if (n != 3 || z->k[0].h != 2 || z->k[0].v != 1 || z->k[1].h != 1 || z->k[1].v != 1 || z->k[2].h != 1 ||
            z->k[2].v != 1)
            return JPEG_ERG_PROPERTIES;
    }
    z->wandler = w.fn;
    z->nur_luma = w.nur_erste && n > 1;
    z->glatt_wandler = nullptr;
    // Both chroma doubled smoothly sideways (the same way), luma as it is:
    // the doubling goes into the conversion.
    if (w.glatt_fn && n == 3 && z->k[0].ux == 1 && z->k[0].uy == 1 && !z->k[0].glatt_v && z->k[1].glatt_h &&
        z->k[1].avx2 && z->k[2].glatt_h && z->k[2].avx2 && z->k[1].glatt_v == z->k[2].glatt_v && (z->x0 & 1) == 0)
        z->glatt_wandler = w.glatt_fn;
    z->halb = false;
    if (w.halb_fn && n == 3 && z->k[0].ux == 1 && z->k[0].uy == 1 && z->k[1].ux == 2 && z->k[2].ux == 2 &&
        !z->k[1].glatt_h && !z->k[2].glatt_h && (z->x0 & 1) == 0) {
        z->wandler = w.halb_fn;
        z->halb = true;
    }
    p->Strom.Kern_Tabelle->Dek_Zeile = Jpeg_MCU_Zeile;
    return 0;
}

void Block_Ablegen(Zustand* z, int32_t c, int32_t bx, int32_t by, const int16_t* blk) {
    Komp& k = z->k[c];
    uint8_t* ziel =
        k.streifen[(by / k.v) & 1] + static_cast<int64_t>((by % k.v) * k.bs) * k.streifen_breite + bx * k.bs;
    if (k.bs == 8) {
        for (int r = 0; r < 8; ++r) {
            __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(blk + 8 * r));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(ziel + static_cast<int64_t>(r) * k.streifen_breite),
                             _mm_packus_epi16(v, v));
        }
        return;
    }
    for (int r = 0; r < k.bs; ++r)
        for (int x = 0; x < k.bs; ++x) {
            int v = blk[8 * r + x];
            ziel[static_cast<int64_t>(r) * k.streifen_breite + x] =
                static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
        }
}

void DC_Block_Ablegen(JPEG_PROPERTIES* p, Zustand* z, int32_t c, int32_t bx, int32_t by, int16_t* blk, int16_t dc,
                      const int16_t* q, Jpeg_Block_Fn idct) {
    Komp& k = z->k[c];
    // The store of a table is made once a picture has shown enough such blocks.
    if (z->dc_bloecke < 64) ++z->dc_bloecke;
    if (!z->dc_speicher[k.quant] && z->dc_bloecke == 64)
        z->dc_speicher[k.quant] = static_cast<DC_Eintrag*>(Speicher(z, sizeof(DC_Eintrag) * DC_PLAETZE));
    if (!z->dc_speicher[k.quant]) {
        if (q) p->Strom.Kern_Tabelle->Dequantisieren_Aktiv(blk, q);
        idct(blk);
        Block_Ablegen(z, c, bx, by, blk);
        return;
    }
    DC_Eintrag& e = z->dc_speicher[k.quant][static_cast<uint8_t>(dc)];
    if (!e.gueltig || e.dc != dc) {
        if (q) p->Strom.Kern_Tabelle->Dequantisieren_Aktiv(blk, q);
        idct(blk);
        for (int r = 0; r < 8; ++r) {
            __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(blk + 8 * r));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(e.px + 8 * r), _mm_packus_epi16(v, v));
        }
        e.dc = dc;
        e.gueltig = 1;
    }
    uint8_t* ziel = k.streifen[(by / k.v) & 1] + static_cast<int64_t>((by % k.v) * 8) * k.streifen_breite + bx * 8;
    for (int r = 0; r < 8; ++r) std::memcpy(ziel + static_cast<int64_t>(r) * k.streifen_breite, e.px + 8 * r, 8);
}

void Ausgabe_Zeilen(JPEG_PROPERTIES* p, Zustand* z, int32_t mcu_zeilen) {
    const bool letzte = mcu_zeilen >= z->mcu_y;
    const int32_t kan = static_cast<int32_t>(p->Bild_Kanaele);
    const int32_t n = z->x1 - z->x0;
    while (z->naechste_zeile < z->y1) {
        const int32_t y = z->naechste_zeile;
        if (!letzte) {
            for (int c = 0; c < z->n; ++c) {
                const Komp& k = z->k[c];
                int32_t noetig = y / k.uy + (k.glatt_v ? 1 : 0);
                if (noetig > k.hoehe - 1) noetig = k.hoehe - 1;
                if (noetig >= mcu_zeilen * k.streifen_hoehe) return;
            }
        }
        uint8_t* ziel = p->Bild_Pixel + (y - z->y0) * p->Bild_Zeilenlaenge;
#if JPEG_SIMD
        if (z->glatt_wandler) {
            // The chroma sums, then doubling and conversion in one pass; the
            // last pixels through the doubled rows and the row converter.
            const bool beide = z->k[1].glatt_v;
            const int32_t r0 = beide ? 8 : 4, r1 = beide ? 7 : 8;
            for (int c = 1; c < 3; ++c) {
                const Komp& k = z->k[c];
                const int32_t yc = y / k.uy;
                const uint8_t* zeile = Streifenzeile(k, yc);
                const uint8_t* nachbar = beide ? Streifenzeile(k, (y % 2 == 0) ? yc - 1 : yc + 1) : nullptr;
                Summen_AVX2(zeile, nachbar, k.breite, k.summen + 1);
            }
            const uint8_t* luma = Streifenzeile(z->k[0], y) + z->x0;
            const int32_t fertig = n > 0 ? z->glatt_wandler(luma, z->k[1].summen + 1 + z->x0 / 2,
                                                            z->k[2].summen + 1 + z->x0 / 2, r0, r1, ziel, n)
                                         : 0;
            if (fertig < n) {
                const uint8_t* q[4] = {luma + fertig, nullptr, nullptr, nullptr};
                const int32_t s0 = (z->x0 + fertig) / 2;
                for (int c = 1; c < 3; ++c) {
                    const Komp& k = z->k[c];
                    Doppeln_AVX2(k.summen + 1 + s0, (n - fertig + 1) / 2, static_cast<int16_t>(r0),
                                 static_cast<int16_t>(r1), k.zeile + 2 * s0);
                    q[c] = k.zeile + 2 * s0;
                }
                z->wandler(q, ziel + static_cast<int64_t>(fertig) * kan, n - fertig, kan, z->x0 + fertig);
            }
            ++z->naechste_zeile;
            continue;
        }
#endif
        const uint8_t* q[4] = {};
        for (int c = 0; c < (z->nur_luma ? 1 : z->n); ++c) {
            const Komp& k = z->k[c];
            int32_t yc = y / k.uy;
            const uint8_t* zeile = Streifenzeile(k, yc);
            if (k.ux == 1 && !k.glatt_v) {
                q[c] = zeile + z->x0;
            } else if (z->halb && c > 0) {
                q[c] = zeile + z->x0 / 2;
            } else {
                const uint8_t* nachbar = zeile;
                if (k.glatt_v) nachbar = Streifenzeile(k, (y % 2 == 0) ? yc - 1 : yc + 1);
                Hochtasten(k, zeile, nachbar, z->x1, k.zeile, y % 2 == 0);
                q[c] = k.zeile + z->x0;
            }
        }
        if (n > 0) z->wandler(q, ziel, n, kan, z->x0);
        ++z->naechste_zeile;
    }
}

}  // namespace jpeg_dek

int32_t Jpeg_Schnellweg_Waehlen(const JPEG_PROPERTIES* p) {
    const int32_t n = p->Anzahl_Komponenten, kan = static_cast<int32_t>(p->Bild_Kanaele), oc = p->Bild_Farbraum;
    if (n < 1 || n > 4 || !p->Komponenten) return 0;
    // Components arriving one per scan go through the general writers.
    if (p->Verschachtelung && p->Scan_Zaehler == 0) return 0;
    const Jpeg_Komponente* k = p->Komponenten;
    auto faktoren = [&](std::initializer_list<int32_t> hv) {
        int i = 0;
        for (auto it = hv.begin(); it != hv.end(); it += 2, ++i)
            if (i >= n || k[i].H != *it || k[i].V != *(it + 1)) return false;
        return i == n;
    };
    const bool kasten = p->Glaettung == 0;
    const bool f411 = faktoren({2, 2, 1, 1, 1, 1}), f422 = faktoren({2, 1, 1, 1, 1, 1});
    if (p->Abtastung_Wandeln && p->Farbwandlung) {
        if (!kasten) return 0;
        if (n == 3 && kan == 3 && oc == FARBE_RGB) return f411 ? 3 : f422 ? 5 : 0;
        if (n == 3 && kan == 3 && oc == FARBE_BGR) return f411 ? 4 : f422 ? 6 : 0;
        if (n == 3 && kan == 4 && oc == FARBE_RGBA) return f411 ? 8 : f422 ? 9 : 0;
        if (n == 4 && kan == 4 && oc == FARBE_RGBA) {
            if (faktoren({2, 2, 1, 1, 1, 1, 2, 2})) return 11;
            if (faktoren({2, 1, 1, 1, 1, 1, 2, 1})) return 12;
        }
        return 0;
    }
    if (p->Abtastung_Wandeln) {
        if (n == 3 && kan == 3 && oc != FARBE_BGR && kasten) return f411 ? 16 : f422 ? 17 : 0;
        return 0;
    }
    if (p->Farbwandlung) {
        if (n == 3 && kan == 3) return oc == FARBE_RGB ? 1 : oc == FARBE_BGR ? 2 : 0;
        if (n == 3 && kan == 4 && oc == FARBE_RGBA) return 7;
        if (n == 4 && kan == 4 && oc == FARBE_RGBA) return 10;
        return 0;
    }
    if (n == 3 && kan == 2 && f422) return 19;
    if (n == 3 && kan == 3 && oc != FARBE_BGR) return 15;
    if (n == 3 && kan == 4 && oc == FARBE_RGBA) return 13;
    if (n == 4 && kan == 4) return 14;
    return 0;
}

int32_t Jpeg_Setup_Geometrie(JPEG_PROPERTIES* p) {
    const int32_t n = p->Anzahl_Komponenten;
    if (n < 1 || n > 4) return JPEG_ERG_KOMPONENTE;
    int32_t max_h = 1, max_v = 1;
    bool abtasten = false;
    for (int c = 0; c < n; ++c) {
        const Jpeg_Komponente& k = p->Komponenten[c];
        if (k.H > max_h) max_h = k.H;
        if (k.V > max_v) max_v = k.V;
        if (k.H != 1 || k.V != 1) abtasten = true;
    }
    const int32_t jc = Datenfarbe(p), oc = p->Bild_Farbraum;
    p->Farbwandlung = (jc == FARBE_RGB || jc == FARBE_GRAU || jc == FARBE_RGBA || jc == FARBE_ANDERE ||
                       oc == FARBE_YCBCR || oc == FARBE_GRAU)
                          ? 0
                          : 1;
    p->Abtastung_Wandeln = abtasten && oc != FARBE_YCBCR ? 1 : 0;
    p->Max_H = max_h;
    p->Max_V = max_v;
    p->MCU_Breite = p->Verschachtelung ? 8 : 8 * max_h;
    p->MCU_Hoehe = p->Verschachtelung ? 8 : 8 * max_v;
    p->MCU_Spalten = (p->Rahmen_Breite + 8 * max_h - 1) / (8 * max_h);
    p->MCU_Zeilen = (p->Rahmen_Hoehe + 8 * max_v - 1) / (8 * max_v);
    p->MCU_Pro_Zeile = p->MCU_Spalten;
    p->MCU_Gesamt = p->MCU_Spalten * p->MCU_Zeilen;
    p->Schnellweg = Jpeg_Schnellweg_Waehlen(p);
    if (p->Strom.Kern_Tabelle) p->Strom.Kern_Tabelle->Dek_Zeile = Jpeg_MCU_Zeile;
    return 0;
}

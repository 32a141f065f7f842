// Quantisers, dequantisers and the preparation of their tables.
#include "jpeg/jpeg_kern.h"
#include "jpeg/jpeg_simd.h"

#include <cstring>

// ---------------------------------------------------------------------------
// Encoder side

int32_t Jpeg_Qtab_Schnell(int16_t* tabelle) {
    for (int i = 0; i < 64; ++i)
        if (tabelle[i] <= 0) return JPEG_ERG_QUANT;
    // The largest multiplier, 53810 / q, must stay within 16 bits.
    if (tabelle[63] < 2) tabelle[63] = 2;
    int16_t m[64];
    for (int i = 0; i < 64; ++i) {
        const int32_t q = tabelle[i];
        m[Jpeg_Zickzack[i]] = int16_t((Jpeg_AAN_Zaehler[i] + (q >> 1)) / q);
    }
    std::memcpy(tabelle, m, sizeof m);
    return JPEG_ERG_ERFOLG;
}

int32_t Jpeg_Qtab_Genau(int16_t* tabelle) {
    for (int i = 0; i < 64; ++i)
        if (tabelle[i] <= 0) return JPEG_ERG_QUANT;
    uint16_t m[64];
    for (int i = 0; i < 64; ++i) m[Jpeg_Zickzack[i]] = uint16_t(32768 / int32_t(tabelle[i]));
    std::memcpy(tabelle, m, sizeof m);
    return JPEG_ERG_ERFOLG;
}

// The precise quantiser divides eight times the coefficient (a transform
// that keeps three more bits) by 8q and rounds halves away from zero, as an
// exact division: with 2^(s-1) < 8q <= 2^s, r = ceil(2^(15+s) / 8q) and
// p = 2^(17-s), the quotient of a = |c| + 4q is hi(hi(a * r) * p) for every
// a below 2^14 (the coefficients of 8-bit samples stay below 8200).
int32_t Jpeg_Qtab_Praezise(int16_t* tabelle) {
    for (int i = 0; i < 64; ++i)
        if (tabelle[i] <= 0 || tabelle[i] > 2047) return JPEG_ERG_QUANT;
    uint16_t* halb = reinterpret_cast<uint16_t*>(tabelle + JPEG_QTAB_PRAEZISE);
    for (int i = 0; i < 64; ++i) {
        const uint32_t d = 8u * uint32_t(tabelle[i]), n = Jpeg_Zickzack[i];
        int s = 0;
        while ((1u << s) < d) ++s;
        halb[n] = uint16_t(d >> 1);
        halb[64 + n] = uint16_t(((1u << (15 + s)) + d - 1) / d);
        halb[128 + n] = uint16_t(1u << (17 - s));
    }
    return JPEG_ERG_ERFOLG;
}

void Jpeg_Quant_Praezise(int16_t* block, const int16_t* tabelle) {
    const uint16_t* t = reinterpret_cast<const uint16_t*>(tabelle + JPEG_QTAB_PRAEZISE);
    for (int i = 0; i < 64; ++i) {
        const int32_t c = block[i];
        const uint32_t a = uint32_t(c < 0 ? -c : c) + t[i];
        const int32_t y = int32_t((((a * t[64 + i]) >> 16) * t[128 + i]) >> 16);
        block[i] = int16_t(c < 0 ? -y : y);
    }
}

void Jpeg_Quant_Schnell(int16_t* block, const int16_t* tabelle) {
    for (int i = 0; i < 64; ++i) block[i] = int16_t((int32_t(block[i]) * int32_t(tabelle[i]) + 16384) >> 15);
}

void Jpeg_Quant_Genau(int16_t* block, const int16_t* tabelle) {
    for (int i = 0; i < 64; ++i) block[i] = int16_t((int32_t(block[i]) * int32_t(uint16_t(tabelle[i])) + 16384) >> 15);
}

// ---------------------------------------------------------------------------
// Decoder side

void Jpeg_Dqtab_Schnell(int16_t* tabelle) {
    int32_t breit[64];
    int16_t schmal[64];
    bool passt = true;
    for (int i = 0; i < 64; ++i) {
        // q * f * 0.0625 * 32768.0 + 0.5, truncated; below 1.0 gives 0.
        const double v = double(tabelle[i]) * Jpeg_AAN_Faktoren[i] * Jpeg_AAN_Faktoren[65] * Jpeg_AAN_Faktoren[64] +
                         Jpeg_AAN_Faktoren[66];
        const int32_t m = v < 1.0 ? 0 : int32_t(v);
        const uint32_t n = Jpeg_Zickzack[i];
        breit[n] = m;
        // The 16-bit entry holds the multiplier when it fits; the full value
        // (large for coarse tables) is kept beside it for the dequantiser.
        schmal[n] = int16_t(m > 32767 ? 32767 : m);
        passt = passt && m <= 32767;
    }
    std::memcpy(tabelle, schmal, sizeof schmal);
    std::memset(tabelle + 64, 0, (JPEG_QTAB_WORTE - 64) * sizeof(int16_t));
    std::memcpy(tabelle + JPEG_QTAB_BREIT, breit, sizeof breit);
    tabelle[JPEG_QTAB_SCHMAL] = passt ? 1 : 0;
}

void Jpeg_Dqtab_Genau(int16_t* tabelle) {
    int16_t q[64];
    for (int i = 0; i < 64; ++i) q[Jpeg_Zickzack[i]] = tabelle[i];
    std::memcpy(tabelle, q, sizeof q);
    std::memset(tabelle + 64, 0, (JPEG_QTAB_WORTE - 64) * sizeof(int16_t));
}

void Jpeg_Dqtab_Fuer(Jpeg_Quant_Tabelle* tabelle, int32_t art) {
    if (!tabelle->Werte) tabelle->Werte = tabelle->Speicher;
    for (int i = 0; i < 64; ++i) tabelle->Werte[i] = static_cast<int16_t>(tabelle->Roh[i]);
    if (art == DCT_GENAU) Jpeg_Dqtab_Genau(tabelle->Werte);
    else Jpeg_Dqtab_Schnell(tabelle->Werte);
    tabelle->Form = 1 + art;
}

void Jpeg_Dequant_Schnell(int16_t* block, const int16_t* tabelle) {
    if (tabelle[JPEG_QTAB_SCHMAL] == 1) {
        // All multipliers fit 16 bits: every product fits 31 bits.
#if JPEG_SIMD
        const __m128i rund = _mm_set1_epi32(64);
        for (int i = 0; i < 64; i += 8) {
            const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + i));
            const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(tabelle + i));
            const __m128i lo = _mm_mullo_epi16(c, m), hi = _mm_mulhi_epi16(c, m);
            __m128i a = _mm_srai_epi32(_mm_add_epi32(_mm_unpacklo_epi16(lo, hi), rund), 7);
            __m128i b = _mm_srai_epi32(_mm_add_epi32(_mm_unpackhi_epi16(lo, hi), rund), 7);
            // Keep the low 16 bits of each result (a 16-bit store).
            a = _mm_srai_epi32(_mm_slli_epi32(a, 16), 16);
            b = _mm_srai_epi32(_mm_slli_epi32(b, 16), 16);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(block + i), _mm_packs_epi32(a, b));
        }
#else
        for (int i = 0; i < 64; ++i) block[i] = int16_t((int32_t(block[i]) * tabelle[i] + 64) >> 7);
#endif
        return;
    }
    const auto* breit = reinterpret_cast<const unsigned char*>(tabelle + JPEG_QTAB_BREIT);
    for (int i = 0; i < 64; ++i) {
        int32_t m;
        std::memcpy(&m, breit + 4 * i, 4);
        block[i] = int16_t((int64_t(block[i]) * m + 64) >> 7);
    }
}

void Jpeg_Dequant_Genau(int16_t* block, const int16_t* tabelle) {
    for (int i = 0; i < 64; ++i) block[i] = int16_t(uint16_t(uint32_t(uint16_t(block[i])) * uint16_t(tabelle[i])));
}

// ---------------------------------------------------------------------------
// SIMD forms (eight 16-bit lanes per instruction)

#if JPEG_SIMD

using jpeg_simd::ausgerichtet;

namespace {

template <bool Ausgerichtet>
inline void quant_genau_simd(int16_t* block, const int16_t* tabelle) {
    const __m128i eins = _mm_set1_epi16(1);
    for (int i = 0; i < 64; i += 8) {
        __m128i c = Ausgerichtet ? _mm_load_si128(reinterpret_cast<const __m128i*>(block + i))
                                 : _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + i));
        __m128i m = Ausgerichtet ? _mm_load_si128(reinterpret_cast<const __m128i*>(tabelle + i))
                                 : _mm_loadu_si128(reinterpret_cast<const __m128i*>(tabelle + i));
        c = _mm_slli_epi16(c, 3);
        m = _mm_srli_epi16(m, 1);
        c = _mm_srai_epi16(_mm_add_epi16(_mm_mulhi_epi16(c, m), eins), 1);
        if (Ausgerichtet) _mm_store_si128(reinterpret_cast<__m128i*>(block + i), c);
        else _mm_storeu_si128(reinterpret_cast<__m128i*>(block + i), c);
    }
}

template <bool Ausgerichtet>
inline void dequant_genau_simd(int16_t* block, const int16_t* tabelle) {
    for (int i = 0; i < 64; i += 8) {
        __m128i c = Ausgerichtet ? _mm_load_si128(reinterpret_cast<const __m128i*>(block + i))
                                 : _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + i));
        __m128i q = Ausgerichtet ? _mm_load_si128(reinterpret_cast<const __m128i*>(tabelle + i))
                                 : _mm_loadu_si128(reinterpret_cast<const __m128i*>(tabelle + i));
        c = _mm_mullo_epi16(c, q);
        if (Ausgerichtet) _mm_store_si128(reinterpret_cast<__m128i*>(block + i), c);
        else _mm_storeu_si128(reinterpret_cast<__m128i*>(block + i), c);
    }
}

}  // namespace

// Clamps c to -8192..8191 with the saturating sequence, then
// (hi((4c) * m) + 1) >> 1.
void Jpeg_Quant_Schnell_MMX(int16_t* block, const int16_t* tabelle) {
    const __m128i k32768 = _mm_set1_epi16(int16_t(0x8000));
    const __m128i k24576 = _mm_set1_epi16(24576);
    const __m128i k49152 = _mm_set1_epi16(int16_t(49152 - 65536));
    const __m128i k57344 = _mm_set1_epi16(int16_t(57344 - 65536));
    const __m128i eins = _mm_set1_epi16(1);
    for (int i = 0; i < 64; i += 8) {
        __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + i));
        const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(tabelle + i));
        c = _mm_add_epi16(c, k32768);
        c = _mm_adds_epu16(c, k24576);
        c = _mm_subs_epu16(c, k49152);
        c = _mm_add_epi16(c, k57344);
        c = _mm_mulhi_epi16(_mm_slli_epi16(c, 2), m);
        c = _mm_srai_epi16(_mm_add_epi16(c, eins), 1);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(block + i), c);
    }
}

void Jpeg_Quant_Genau_MMX(int16_t* block, const int16_t* tabelle) { quant_genau_simd<false>(block, tabelle); }

void Jpeg_Quant_Genau_SSE(int16_t* block, const int16_t* tabelle) { quant_genau_simd<false>(block, tabelle); }

void Jpeg_Quant_Praezise_SSE2(int16_t* block, const int16_t* tabelle) {
    const int16_t* t = tabelle + JPEG_QTAB_PRAEZISE;
    for (int i = 0; i < 64; i += 8) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + i));
        const __m128i vz = _mm_srai_epi16(c, 15);
        __m128i a = _mm_sub_epi16(_mm_xor_si128(c, vz), vz);
        a = _mm_add_epi16(a, _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i)));
        a = _mm_mulhi_epu16(a, _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + 64 + i)));
        a = _mm_mulhi_epu16(a, _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + 128 + i)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(block + i), _mm_sub_epi16(_mm_xor_si128(a, vz), vz));
    }
}

void Jpeg_Quant_Genau_SSE2(int16_t* block, const int16_t* tabelle) {
    if (ausgerichtet(block, tabelle)) quant_genau_simd<true>(block, tabelle);
    else quant_genau_simd<false>(block, tabelle);
}

void Jpeg_Dequant_Genau_MMX(int16_t* block, const int16_t* tabelle) { dequant_genau_simd<false>(block, tabelle); }

void Jpeg_Dequant_Genau_SSE2(int16_t* block, const int16_t* tabelle) {
    if (ausgerichtet(block, tabelle)) dequant_genau_simd<true>(block, tabelle);
    else dequant_genau_simd<false>(block, tabelle);
}

#else  // without SSE2 the processor codes 3..6 are never chosen

void Jpeg_Quant_Schnell_MMX(int16_t* b, const int16_t* t) { Jpeg_Quant_Schnell(b, t); }
void Jpeg_Quant_Genau_MMX(int16_t* b, const int16_t* t) { Jpeg_Quant_Genau(b, t); }
void Jpeg_Quant_Genau_SSE(int16_t* b, const int16_t* t) { Jpeg_Quant_Genau(b, t); }
void Jpeg_Quant_Genau_SSE2(int16_t* b, const int16_t* t) { Jpeg_Quant_Genau(b, t); }
void Jpeg_Quant_Praezise_SSE2(int16_t* b, const int16_t* t) { Jpeg_Quant_Praezise(b, t); }
void Jpeg_Dequant_Genau_MMX(int16_t* b, const int16_t* t) { Jpeg_Dequant_Genau(b, t); }
void Jpeg_Dequant_Genau_SSE2(int16_t* b, const int16_t* t) { Jpeg_Dequant_Genau(b, t); }

#endif

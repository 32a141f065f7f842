// Bit reader, Huffman tables and the block decoders of the JPEG decoder.
#include "jpeg/dec_bits.h"
#include "jpeg/jpeg_kern.h"

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace jpeg_dek {

// Zig-zag order to natural order; 16 spare entries of 63 catch runs that
// overshoot the end of a block in corrupt data.
const uint8_t Natuerlich[80] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33,
                                40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36,
                                29, 22, 15, 23, 30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54,
                                47, 55, 62, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63};

bool Huff_Bauen(Huff* t, const uint8_t counts[16], const uint8_t* symbole, int anzahl_symbole, bool ac) {
    std::memset(t->schnell, 0, sizeof t->schnell);
    std::memset(t->ac_schnell, 0, sizeof t->ac_schnell);
    t->gueltig = false;
    t->sprung_da = false;
    t->paar_da = false;
    int gesamt = 0;
    for (int l = 0; l < 16; ++l) gesamt += counts[l];
    if (gesamt > 256 || gesamt > anzahl_symbole) return false;
    std::memcpy(t->sym, symbole, static_cast<size_t>(gesamt));
    // Canonical codes; a code that reaches 2^l over-subscribes the code space.
    int32_t code = 0;
    int k = 0;
    for (int l = 1; l <= 16; ++l) {
        int n = counts[l - 1];
        t->valoffset[l] = k - code;
        if (n) {
            code += n;
            if (code > (1 << l)) return false;
            t->maxcode[l] = code - 1;
            if (l <= SCHNELL_BITS) {
                for (int i = 0; i < n; ++i) {
                    const int c = code - n + i, rs = t->sym[k + i];
                    const int frei = SCHNELL_BITS - l;
                    // The symbol for every lookahead that starts with this code.
                    const uint16_t eintrag = static_cast<uint16_t>((l << 8) | rs);
                    uint16_t* z = t->schnell + (c << frei);
                    for (int j = 0; j < (1 << frei); ++j) z[j] = eintrag;
                }
            }
            if (l <= KOEF_BITS) {
                for (int i = 0; i < n; ++i) {
                    const int c = code - n + i, rs = t->sym[k + i];
                    const int frei = KOEF_BITS - l;
                    // Whole coefficients where the value bits fit as well: for AC
                    // tables the non-zero ones with their run, the zero run of 16 and
                    // the end of the block (every other size-0 symbol); for DC tables
                    // every difference (size 0 included).
                    const int sz = rs & 15, r = ac ? rs >> 4 : 0;
                    if (sz > frei) continue;
                    const int32_t ende = (ac && sz == 0 && r != 15) ? KOEF_ENDE : 0;
                    const int rest = frei - sz;
                    for (uint32_t v = 0; v < (1u << sz); ++v) {
                        const int32_t f = static_cast<int32_t>(static_cast<uint32_t>(Erweitern(v, sz)) << 16) |
                                          ((ende ? 0 : r) << 8) | ende | (l + sz);
                        int32_t* w = t->ac_schnell + (((c << sz) | static_cast<int>(v)) << rest);
                        for (int j = 0; j < (1 << rest); ++j) w[j] = f;
                    }
                }
            }
            k += n;
        } else {
            t->maxcode[l] = -1;
        }
        code <<= 1;
    }
    t->maxcode[17] = 0x7FFFFFFF;
    t->gueltig = true;
    return true;
}

void Sprung_Bauen(Huff* t) {
    constexpr uint32_t maske = (1u << SPRUNG_BITS) - 1;
    for (uint32_t i = 0; i <= maske; ++i) {
        int genommen = 0, weiter = 0, davor = 0;
        uint32_t ende = 0;
        // Each next entry from the bits after the ones taken, padded with
        // zeros: it counts only when its length shows it lies within them.
        while (genommen < SPRUNG_BITS) {
            const int32_t f = t->ac_schnell[((i << genommen) & maske) >> (SPRUNG_BITS - KOEF_BITS)];
            const int l = f & 63;
            if (!f || l > SPRUNG_BITS - genommen) break;
            davor = weiter;
            genommen += l;
            if (f & KOEF_ENDE) {
                ende = KOEF_ENDE;
                break;
            }
            weiter += ((f >> 8) & 15) + 1;
        }
        t->sprung[i] = genommen ? static_cast<uint32_t>(genommen) | ende | static_cast<uint32_t>(weiter) << 8 |
                                      static_cast<uint32_t>(davor) << 16
                                : 0;
    }
    t->sprung_da = true;
}

void Paar_Bauen(Huff* t) {
    constexpr uint32_t maske = (1u << PAAR_BITS) - 1;
    static_assert(PAAR_BITS > KOEF_BITS && PAAR_BITS <= 2 * KOEF_BITS);
    for (uint32_t i = 0; i <= maske; ++i) {
        const int32_t f1 = t->ac_schnell[i >> (PAAR_BITS - KOEF_BITS)];
        const uint64_t l1 = static_cast<uint64_t>(f1 & 63);
        uint64_t e = 0;
        if (f1 & KOEF_ENDE) {
            e = l1 | l1 << 8 | PAAR_ENDE_1;
        } else if (f1) {
            e = l1 | l1 << 8 | static_cast<uint64_t>((f1 >> 8) & 15) << 16 |
                static_cast<uint64_t>(static_cast<uint16_t>(f1 >> 16)) << 32;
            // The next entry from the bits after the first, padded with zeros:
            // it counts only when its length shows it lies within them.
            const int32_t f2 = t->ac_schnell[((i << l1) & maske) >> (PAAR_BITS - KOEF_BITS)];
            const uint64_t l2 = static_cast<uint64_t>(f2 & 63);
            if (f2 && l1 + l2 <= PAAR_BITS) {
                e = (e & ~uint64_t{63}) | (l1 + l2) | PAAR_ZWEI;
                if (f2 & KOEF_ENDE) e |= PAAR_ENDE_2;
                else
                    e |= static_cast<uint64_t>((f2 >> 8) & 15) << 20 |
                         static_cast<uint64_t>(static_cast<uint16_t>(f2 >> 16)) << 48;
            }
        }
        t->paar[i] = e;
    }
    t->paar_da = true;
}

// Takes one byte of entropy data into the accumulator, handling stuffed
// bytes and markers; past a marker or the end of the data a zero byte.
static inline void Byte_Nehmen(Bits* b) {
    Eingabe* e = b->ein;
    uint32_t wert = 0;
    if (!b->marke) {
        if (e->p >= e->ende && e->nachladen) {
            int r = e->nachladen(e);
            if (r < 0 && !e->fehler) e->fehler = r;
        }
        if (e->p < e->ende) {
            uint8_t c = *e->p++;
            if (c != 0xFF) {
                wert = c;
                goto nehmen;
            }
            // 0xFF: fill bytes, then 0x00 (a data byte 0xFF) or a marker code.
            for (;;) {
                if (e->p >= e->ende && e->nachladen) {
                    int r = e->nachladen(e);
                    if (r < 0 && !e->fehler) e->fehler = r;
                }
                if (e->p >= e->ende) {
                    b->marke = 0x100;  // the data ended inside a marker
                    break;
                }
                uint8_t d = *e->p++;
                if (d == 0xFF) continue;
                if (d == 0x00) {
                    wert = 0xFF;
                    goto nehmen;
                }
                b->marke = d;
                break;
            }
        }
    }
    ++b->null_bytes;
nehmen:
    b->puffer = (b->puffer << 8) | wert;
    b->anzahl += 8;
}

void Bits_Fuellen(Bits* b) {
    if (b->anzahl < 0) b->anzahl = 0;
    if (b->breit && !b->marke) {
        Eingabe* e = b->ein;
        if (b->anzahl <= 56 && e->ende - e->p >= 8) {
            uint64_t w;
            std::memcpy(&w, e->p, 8);
            uint64_t x = ~w;  // a 0xFF byte of w is a zero byte of x
            if (!((x - 0x0101010101010101ull) & ~x & 0x8080808080808080ull)) {
                int n = (64 - b->anzahl) >> 3;
                w = __builtin_bswap64(w);
                b->puffer = (n == 8) ? w : ((b->puffer << (8 * n)) | (w >> (64 - 8 * n)));
                e->p += n;
                b->anzahl += 8 * n;
                return;
            }
        }
    }
    while (b->anzahl <= 56) Byte_Nehmen(b);
}

int Symbol_Lang(Bits* b, const Huff* t) {
    Bits_Sicher(b, 17);
    uint32_t wort = Bits_Zeigen(b, 16);
    for (int l = SCHNELL_BITS + 1; l <= 16; ++l) {
        int32_t code = static_cast<int32_t>(wort >> (16 - l));
        if (code <= t->maxcode[l]) {
            b->anzahl -= l;
            int idx = code + t->valoffset[l];
            return (idx >= 0 && idx < 256) ? t->sym[idx] : 0;
        }
    }
    // No code of 16 bits or fewer matches: corrupt data, symbol 0.
    b->anzahl -= 16;
    b->fehlerhaft = true;
    return 0;
}

static inline int16_t Kurz(int32_t v) { return static_cast<int16_t>(v); }

static inline void DC_Lesen(Bits* b, const Huff* dc, int32_t* pred) {
    int s = Symbol(b, dc) & 15;
    if (s) {
        int32_t v = Erweitern(Bits_Holen(b, s), s);
        *pred = Kurz(*pred + v);
    }
}

// The hot loop of every baseline picture. The accumulator lives in locals,
// its valid bits at the top (the next bit is bit 63, the bits below the valid
// ones are zero or the stream's next bits): a lookahead is one shift, and
// taking bits one shift, which keeps the chain from one code to the next
// short. The refill takes eight bytes at once when none of them is 0xFF;
// anything else goes through Bits_Fuellen.
namespace {

#define DEK_INLINE inline __attribute__((always_inline))

struct Lokal {
    uint64_t l;   // valid bits at the top
    int32_t anz;  // number of valid bits
    Bits* b;
    Eingabe* e;
    const uint8_t* p;          // e->p, written back before anything else reads it
    const uint8_t* breit_bis;  // the eight-byte refill reads from below here; null: never

    DEK_INLINE explicit Lokal(Bits* bits) : b(bits), e(bits->ein) {
        anz = b->anzahl < 0 ? 0 : b->anzahl;
        l = anz ? b->puffer << (64 - anz) : 0;
        laden();
    }
    DEK_INLINE void laden() {
        p = e->p;
        breit_bis = (b->breit && !b->marke && e->ende - e->p >= 8) ? e->ende - 7 : nullptr;
    }
    DEK_INLINE void zurueck() {
        e->p = p;
        b->anzahl = anz;
        b->puffer = anz ? l >> (64 - anz) : 0;
    }
    // At least 31 valid bits afterwards (zeros past a marker or the end).
    DEK_INLINE void nachfuellen() {
        if (anz >= 31) return;
        uint64_t w;
        if (p < breit_bis && (std::memcpy(&w, p, 8), !((~w - 0x0101010101010101ull) & w & 0x8080808080808080ull))) {
            // All eight bytes are data: their bits go below the valid ones; the
            // bytes not counted are the stream's next bits, as the next refill
            // places them again.
            l |= __builtin_bswap64(w) >> anz;
            const int n = (63 - anz) >> 3;  // 4..7 bytes
            p += n;
            anz += 8 * n;
        } else {
            zurueck();
            Bits_Fuellen(b);
            anz = b->anzahl;
            l = anz ? b->puffer << (64 - anz) : 0;
            laden();
        }
    }
    DEK_INLINE uint32_t zeigen(int n) const { return static_cast<uint32_t>(l >> (64 - n)); }
    DEK_INLINE void nehmen(int n) {
        l <<= n;
        anz -= n;
    }
    // One symbol by the 9-bit lookahead or the code limits (as Symbol).
    DEK_INLINE int symbol(const Huff* t) {
        const uint32_t e9 = t->schnell[zeigen(SCHNELL_BITS)];
        if (e9) {
            nehmen(static_cast<int>(e9 >> 8));
            return static_cast<int>(e9 & 0xFF);
        }
        const uint32_t wort = zeigen(16);
        for (int len = SCHNELL_BITS + 1; len <= 16; ++len) {
            const int32_t code = static_cast<int32_t>(wort >> (16 - len));
            if (code <= t->maxcode[len]) {
                nehmen(len);
                const int idx = code + t->valoffset[len];
                return (idx >= 0 && idx < 256) ? t->sym[idx] : 0;
            }
        }
        // No code of 16 bits or fewer matches: corrupt data, symbol 0.
        nehmen(16);
        b->fehlerhaft = true;
        return 0;
    }
    // s value bits (1..15), extended.
    DEK_INLINE int32_t wert(int s) {
        const uint32_t v = zeigen(s);
        nehmen(s);
        return Erweitern(v, s);
    }
};

// Clears a block with eight 16-byte stores in place (the library's memset
// is a call for this size).
DEK_INLINE void Nullen(int16_t* blk) {
#if defined(__SSE2__)
    const __m128i null = _mm_setzero_si128();
    for (int i = 0; i < 8; ++i) _mm_storeu_si128(reinterpret_cast<__m128i*>(blk + 8 * i), null);
#else
    std::memset(blk, 0, 64 * sizeof(int16_t));
#endif
}

// The stored value of coefficient v at natural position pos: as it is
// (DEQ 0), the low 16 bits of v q (1), or the fast dequantisation of the
// 16-bit value, (c m + 64) >> 7 with a multiplier of at most 16 bits (2).
// (DEQ 3: nothing is stored, the block is only read past.)
template <int DEQ>
DEK_INLINE int16_t Ablegen(int32_t v, const int16_t* q, int pos) {
    if constexpr (DEQ == 0) return Kurz(v);
    else if constexpr (DEQ == 1) return Kurz(v * q[pos]);
    else if constexpr (DEQ == 2) return Kurz((int32_t{Kurz(v)} * q[pos] + 64) >> 7);
    else return 0;
}

template <int DEQ>
DEK_INLINE bool Block_Dek(Lokal& x, const Huff* dc, const Huff* ac, int32_t* pred, const int16_t* q, int16_t* blk) {
    constexpr bool speichern = DEQ != 3;
    if (speichern) Nullen(blk);
    // DC: the difference in one look-up when code and value are short.
    x.nachfuellen();
    {
        const int32_t f = dc->ac_schnell[x.zeigen(KOEF_BITS)];
        if (f) {
            x.nehmen(f & 63);
            *pred = Kurz(*pred + (f >> 16));
        } else {
            const int s = x.symbol(dc) & 15;
            if (s) *pred = Kurz(*pred + x.wert(s));
        }
    }
    if (speichern) blk[0] = Ablegen<DEQ>(*pred, q, 0);
    const int32_t* ac_schnell = ac->ac_schnell;
    const uint64_t* paar = ac->paar;
    int k = 1;
    while (k < 64) {
        x.nachfuellen();
        if constexpr (!speichern) {
            // Several coefficients passed over at once where the block goes
            // on after all but the last of them, as one by one.
            const uint32_t s = ac->sprung[x.zeigen(SPRUNG_BITS)];
            if (s && k + static_cast<int>((s >> 16) & 255) < 64) {
                x.nehmen(static_cast<int>(s & 31));
                k += static_cast<int>((s >> 8) & 255);
                if (s & KOEF_ENDE) break;
                continue;
            }
        }
        if constexpr (speichern) {
            // One or two whole coefficients in one look-up. An entry of one
            // stores a zero after it, on a place not yet reached (the block is
            // cleared). The second is taken only where one at a time would go
            // on to it: not when the first fills the block.
            const uint64_t e = paar[x.zeigen(PAAR_BITS)];
            if (e) {
                if (e & PAAR_ENDE_1) {
                    x.nehmen(static_cast<int>(e & 63));
                    break;
                }
                k += static_cast<int>((e >> 16) & 15);
                int pos = Natuerlich[k];
                blk[pos] = Ablegen<DEQ>(static_cast<int16_t>(e >> 32), q, pos);
                ++k;
                if (k >= 64) [[unlikely]] {
                    x.nehmen(static_cast<int>((e >> 8) & 63));
                    break;
                }
                x.nehmen(static_cast<int>(e & 63));
                if (e & PAAR_ENDE_2) break;
                k += static_cast<int>((e >> 20) & 15);
                pos = Natuerlich[k];
                blk[pos] = Ablegen<DEQ>(static_cast<int16_t>(e >> 48), q, pos);
                k += static_cast<int>((e >> 25) & 1);
                continue;
            }
        } else {
            const int32_t f = ac_schnell[x.zeigen(KOEF_BITS)];
            if (f) {
                x.nehmen(f & 63);
                if (f & KOEF_ENDE) break;
                k += ((f >> 8) & 15) + 1;
                continue;
            }
        }
        const int rs = x.symbol(ac);
        const int r = rs >> 4, sz = rs & 15;
        if (sz) {
            k += r;
            const int32_t v = x.wert(sz);
            if (speichern) {
                const int pos = Natuerlich[k];
                blk[pos] = Ablegen<DEQ>(v, q, pos);
            }
            ++k;
        } else {
            if (r != 15) break;
            k += 16;
        }
    }
    if (k > 64) x.b->fehlerhaft = true;
    return k == 1;
}

}  // namespace

void Block_Dekodieren(Bits* b, const Huff* dc, const Huff* ac, int32_t* pred, int16_t* blk) {
    if (!ac->paar_da) Paar_Bauen(const_cast<Huff*>(ac));
    Lokal x(b);
    if (b->quant) b->nur_dc = Block_Dek<1>(x, dc, ac, pred, b->quant, blk);
    else b->nur_dc = Block_Dek<0>(x, dc, ac, pred, nullptr, blk);
    x.zurueck();
}

namespace {

template <int DEQ>
DEK_INLINE uint32_t Bloecke_Dek(Bits* b, const Block_Plan* plan, int je, int mcus, int16_t* bloecke, int16_t* dc,
                                int* fertig) {
    Lokal x(b);
    uint32_t nur_dc = 0;
    int m = 0, k = 0;
    while (m < mcus) {
        for (int i = 0; i < je; ++i, ++k) {
            const Block_Plan& bp = plan[i];
            const bool leer = bp.nur_lesen ? Block_Dek<3>(x, bp.dc, bp.ac, bp.pred, nullptr, nullptr)
                                           : Block_Dek<DEQ>(x, bp.dc, bp.ac, bp.pred, bp.quant, bloecke + 64 * k);
            if (leer) nur_dc |= 1u << k;
            dc[k] = static_cast<int16_t>(*bp.pred);
        }
        ++m;
        // Both are set only by the slow refill and a bad code, through b.
        if (b->null_bytes || b->fehlerhaft) break;
    }
    x.zurueck();
    *fertig = m;
    return nur_dc;
}

uint32_t Bloecke_Allgemein(Bits* b, const Block_Plan* plan, int je, int mcus, int16_t* bloecke, int16_t* dc,
                           int* fertig) {
    return plan[0].schnell ? Bloecke_Dek<2>(b, plan, je, mcus, bloecke, dc, fertig)
                           : Bloecke_Dek<1>(b, plan, je, mcus, bloecke, dc, fertig);
}

#if defined(__x86_64__) || defined(__i386__)
// The same code with the BMI2 shifts (shlx, shrx: one operation each, no
// flags), for processors that have them.
__attribute__((target("bmi2"))) uint32_t Bloecke_BMI2(Bits* b, const Block_Plan* plan, int je, int mcus,
                                                      int16_t* bloecke, int16_t* dc, int* fertig) {
    return plan[0].schnell ? Bloecke_Dek<2>(b, plan, je, mcus, bloecke, dc, fertig)
                           : Bloecke_Dek<1>(b, plan, je, mcus, bloecke, dc, fertig);
}
#endif

}  // namespace

uint32_t Mcus_Dekodieren(Bits* b, const Block_Plan* plan, int je, int mcus, int16_t* bloecke, int16_t* dc,
                         int* fertig) {
    for (int i = 0; i < je; ++i)
        if (!plan[i].nur_lesen && !plan[i].ac->paar_da) Paar_Bauen(const_cast<Huff*>(plan[i].ac));
#if defined(__x86_64__) || defined(__i386__)
    // With the wide refill (processor codes 4 to 6) on processors with BMI2.
    static const bool bmi2 = Jpeg_Simd_Hat(JSIMD_BMI2);
    if (bmi2 && b->breit) return Bloecke_BMI2(b, plan, je, mcus, bloecke, dc, fertig);
#endif
    return Bloecke_Allgemein(b, plan, je, mcus, bloecke, dc, fertig);
}

void Block_Ueberspringen(Bits* b, const Huff* dc, const Huff* ac, int32_t* pred, int16_t* blk) {
    DC_Lesen(b, dc, pred);
    blk[0] = static_cast<int16_t>(*pred);
    for (int k = 1; k < 64;) {
        int rs = Symbol(b, ac);
        int r = rs >> 4, s = rs & 15;
        if (s) {
            k += r + 1;
            Bits_Holen(b, s);
        } else {
            if (r != 15) break;
            k += 16;
        }
    }
}

void DC_Erst(Bits* b, const Huff* dc, int16_t* blk, int32_t* pred, int al) {
    DC_Lesen(b, dc, pred);
    blk[0] = Kurz(*pred * (1 << al));
}

void DC_Verfeinern(Bits* b, int16_t* blk, int al) {
    if (Bits_Holen(b, 1)) blk[0] = Kurz(blk[0] | (1 << al));
}

void AC_Erst(Bits* b, const Huff* ac, int16_t* blk, int ss, int se, int al, int32_t* eobrun) {
    if (*eobrun > 0) {
        --*eobrun;
        return;
    }
    for (int k = ss; k <= se; ++k) {
        int rs = Symbol(b, ac);
        int r = rs >> 4, s = rs & 15;
        if (s) {
            k += r;
            if (k > se) {
                b->fehlerhaft = true;
                return;
            }
            int32_t v = Erweitern(Bits_Holen(b, s), s);
            blk[k] = Kurz(v * (1 << al));
        } else if (r == 15) {
            k += 15;
        } else {
            int32_t lauf = 1 << r;
            if (r) lauf += static_cast<int32_t>(Bits_Holen(b, r));
            *eobrun = lauf - 1;
            return;
        }
    }
}

// Positions von .. bis - 1 (bis at most 64) as a mask.
static inline uint64_t Bereich(int von, int bis) {
    const uint64_t oben = bis >= 64 ? ~uint64_t{0} : (uint64_t{1} << bis) - 1;
    return oben & (~uint64_t{0} << von);
}

// One correction bit for every coefficient of the mask m, in order; up to
// 24 bits are looked at together and those used are taken.
static inline void Korrekturen(Bits* b, int16_t* blk, uint64_t m, int p1) {
    while (m) {
        Bits_Sicher(b, 24);
        const uint32_t w = Bits_Zeigen(b, 24);
        int i = 23;
        for (; m && i >= 0; --i, m &= m - 1) {
            int16_t& c = blk[__builtin_ctzll(m)];
            if (((w >> i) & 1) && (c & p1) == 0) c = Kurz(c + (c >= 0 ? p1 : -p1));
        }
        b->anzahl -= 23 - i;
    }
}

// The refinement pass. Each symbol passes over r zero coefficients (those
// that are still zero), refining the non-zero ones on the way, and may place
// a new coefficient of +-p1 on the next zero one; the non-zero ones are found
// by a mask of the block.
void AC_Verfeinern(Bits* b, const Huff* ac, int16_t* blk, int ss, int se, int al, int32_t* eobrun) {
    const int p1 = 1 << al;
    const int m1 = -p1;
    int k = ss;
    uint64_t nz = Nicht_Null_Maske(blk);
    if (*eobrun == 0) {
        for (; k <= se; ++k) {
            int rs = Symbol(b, ac);
            int r = rs >> 4, s = rs & 15;
            int neu = 0;
            if (s) {
                neu = Bits_Holen(b, 1) ? p1 : m1;
            } else if (r != 15) {
                *eobrun = 1 << r;
                if (r) *eobrun += static_cast<int32_t>(Bits_Holen(b, r));
                break;
            }
            // The (r + 1)-th zero coefficient from k on, or se + 1.
            uint64_t nullen = ~nz & Bereich(k, se + 1);
            for (int i = 0; i < r && nullen; ++i) nullen &= nullen - 1;
            const int ziel = nullen ? __builtin_ctzll(nullen) : se + 1;
            Korrekturen(b, blk, nz & Bereich(k, ziel), p1);
            k = ziel;
            if (neu) {
                if (k > se) {
                    b->fehlerhaft = true;
                    return;
                }
                blk[k] = static_cast<int16_t>(neu);
                nz |= uint64_t{1} << k;
            }
        }
    }
    if (*eobrun > 0) {
        if (k <= se) Korrekturen(b, blk, nz & Bereich(k, se + 1), p1);
        --*eobrun;
    }
}

// ---------------------------------------------------------------------------
// Runs of progressive blocks with the accumulator in registers. Its layout is
// that of Bits (valid bits at the bottom) and it is topped up at exactly the
// moments Bits_Sicher would top it up, by the same bytes: between the blocks
// the damage checks see exactly the state the block-by-block passes leave.
namespace {

// The bits of each byte in reverse order.
constexpr auto Umgekehrt = [] {
    struct T {
        uint8_t v[256];
        constexpr uint8_t operator[](uint32_t i) const { return v[i]; }
    } t{};
    for (int i = 0; i < 256; ++i) {
        int r = 0;
        for (int j = 0; j < 8; ++j) r |= ((i >> j) & 1) << (7 - j);
        t.v[i] = static_cast<uint8_t>(r);
    }
    return t;
}();

// The low bits of v, one to each set bit of m from the lowest on (pdep); only
// in the BMI2 forms.
DEK_INLINE uint64_t Verteilen(uint64_t v, uint64_t m) {
#if defined(__x86_64__)
    uint64_t r;
    __asm__("pdep %2, %1, %0" : "=r"(r) : "r"(v), "rm"(m));
    return r;
#else
    uint64_t r = 0;
    for (uint64_t b = 1; m; m &= m - 1, b <<= 1)
        if (v & b) r |= m & (~m + 1);
    return r;
#endif
}

struct Register {
    uint64_t puffer;
    int32_t anzahl;
    Bits* b;
    const uint8_t* p;
    const uint8_t* breit_bis;  // the eight-byte refill reads from below here; null: never

    DEK_INLINE explicit Register(Bits* bits) : puffer(bits->puffer), anzahl(bits->anzahl), b(bits) { laden(); }
    DEK_INLINE void laden() {
        const Eingabe* e = b->ein;
        p = e->p;
        breit_bis = (b->breit && !b->marke && e->ende - e->p >= 8) ? e->ende - 7 : nullptr;
    }
    DEK_INLINE void zurueck() {
        b->ein->p = p;
        b->puffer = puffer;
        b->anzahl = anzahl;
    }
    // Bits_Sicher: the wide form of Bits_Fuellen here, anything else there.
    DEK_INLINE void sicher(int n) {
        if (anzahl >= n) return;
        if (anzahl >= 0 && p < breit_bis) {
            uint64_t w;
            std::memcpy(&w, p, 8);
            const uint64_t x = ~w;
            if (!((x - 0x0101010101010101ull) & ~x & 0x8080808080808080ull)) {
                const int k = (64 - anzahl) >> 3;
                w = __builtin_bswap64(w);
                puffer = (k == 8) ? w : ((puffer << (8 * k)) | (w >> (64 - 8 * k)));
                p += k;
                anzahl += 8 * k;
                return;
            }
        }
        zurueck();
        Bits_Fuellen(b);
        puffer = b->puffer;
        anzahl = b->anzahl;
        laden();
    }
    DEK_INLINE uint32_t zeigen(int n) const { return static_cast<uint32_t>(puffer >> (anzahl - n)) & ((1u << n) - 1); }
    DEK_INLINE uint32_t holen(int n) {
        sicher(n);
        anzahl -= n;
        return static_cast<uint32_t>(puffer >> anzahl) & ((1u << n) - 1);
    }
    DEK_INLINE int symbol(const Huff* t) {
        sicher(17);
        const uint32_t e = t->schnell[zeigen(SCHNELL_BITS)];
        if (e) {
            anzahl -= static_cast<int>(e >> 8);
            return static_cast<int>(e & 0xFF);
        }
        zurueck();
        const int rs = Symbol_Lang(b, t);
        puffer = b->puffer;
        anzahl = b->anzahl;
        return rs;
    }
    // One correction bit for each coefficient of the mask m, in order (as
    // Korrekturen takes them); the result has the bit of each coefficient
    // whose bit is set.
    template <bool BMI>
    DEK_INLINE uint64_t korrekturen(uint64_t m) {
        uint64_t aus = 0;
        if constexpr (BMI) {
            // Up to 24 at once: the bits, first one lowest, deposited on the mask.
            if (m && __builtin_popcountll(m) <= 24) {
                const int c = __builtin_popcountll(m);
                sicher(24);
                const uint32_t w = zeigen(24);
                const uint32_t umgekehrt = (uint32_t{Umgekehrt[w & 255]} << 16) |
                                           (uint32_t{Umgekehrt[(w >> 8) & 255]} << 8) | Umgekehrt[w >> 16];
                anzahl -= c;
                return Verteilen(umgekehrt, m);
            }
        }
        while (m) {
            sicher(24);
            const uint32_t w = zeigen(24);
            int i = 23;
            for (; m && i >= 0; --i, m &= m - 1) aus |= static_cast<uint64_t>((w >> i) & 1) << __builtin_ctzll(m);
            anzahl -= 23 - i;
        }
        return aus;
    }
};

// Adds p1 away from zero to each coefficient of the mask whose p1 bit is clear.
DEK_INLINE void Korrigieren(int16_t* blk, uint64_t m, int p1) {
#if defined(__SSE2__)
    if (!m) return;
    if (!(m & (m - 1))) {
        int16_t& c = blk[__builtin_ctzll(m)];
        const int v = c, s = v >> 15;
        if ((v & p1) == 0) c = Kurz(v + ((p1 ^ s) - s));
        return;
    }
    const __m128i bit = _mm_setr_epi16(1, 2, 4, 8, 16, 32, 64, 128);
    const __m128i pv = _mm_set1_epi16(static_cast<int16_t>(p1));
    const __m128i null = _mm_setzero_si128();
    for (int g = 0; g < 8; ++g) {
        __m128i* z = reinterpret_cast<__m128i*>(blk + 8 * g);
        const __m128i wahl =
            _mm_cmpeq_epi16(_mm_and_si128(_mm_set1_epi16(static_cast<int16_t>((m >> (8 * g)) & 255)), bit), bit);
        const __m128i c = _mm_loadu_si128(z);
        const __m128i frei = _mm_cmpeq_epi16(_mm_and_si128(c, pv), null);
        const __m128i vz = _mm_srai_epi16(c, 15);
        const __m128i d = _mm_sub_epi16(_mm_xor_si128(pv, vz), vz);
        _mm_storeu_si128(z, _mm_add_epi16(c, _mm_and_si128(d, _mm_and_si128(wahl, frei))));
    }
    return;
#endif
    for (; m; m &= m - 1) {
        int16_t& c = blk[__builtin_ctzll(m)];
        const int v = c, s = v >> 15;
        if ((v & p1) == 0) c = Kurz(v + ((p1 ^ s) - s));
    }
}

// AC_Verfeinern of one block, on the registers.
template <bool BMI>
DEK_INLINE void Verfeinern_Block(Register& x, const Huff* ac, int16_t* blk, int ss, int se, int p1, int32_t* eobrun) {
    int k = ss;
    const uint64_t nz0 = Nicht_Null_Maske(blk);
    uint64_t nz = nz0, korr = 0;
    if (*eobrun == 0) {
        const uint64_t band = Bereich(ss, se + 1);
        for (; k <= se; ++k) {
            int r, neu = 0;
            x.sicher(17);
            const int32_t f = ac->ac_schnell[x.zeigen(KOEF_BITS)];
            // A short code of a new coefficient (its sign bit with it: no refill
            // falls between them either way) or of a run of 16.
            if (f && !(f & KOEF_ENDE) && static_cast<uint32_t>((f >> 16) + 1) <= 2) {
                x.anzahl -= f & 63;
                r = (f >> 8) & 15;
                neu = (f >> 16) * p1;
            } else {
                const int rs = x.symbol(ac);
                r = rs >> 4;
                const int s = rs & 15;
                if (s) {
                    neu = x.holen(1) ? p1 : -p1;
                } else if (r != 15) {
                    *eobrun = 1 << r;
                    if (r) *eobrun += static_cast<int32_t>(x.holen(r));
                    break;
                }
            }
            // The (r + 1)-th zero coefficient from k on, or se + 1.
            uint64_t nullen = ~nz & band & (~uint64_t{0} << k);
            if constexpr (BMI) {
                nullen = Verteilen(uint64_t{1} << r, nullen);
            } else {
                for (int i = 0; i < r && nullen; ++i) nullen &= nullen - 1;
            }
            const int ziel = nullen ? __builtin_ctzll(nullen) : se + 1;
            korr |= x.korrekturen<BMI>(nz & Bereich(k, ziel));
            k = ziel;
            if (neu) {
                if (k > se) {
                    x.b->fehlerhaft = true;
                    Korrigieren(blk, korr, p1);
                    return;
                }
                blk[k] = static_cast<int16_t>(neu);
                nz |= uint64_t{1} << k;
            }
        }
    }
    if (*eobrun > 0) {
        if (k <= se) korr |= x.korrekturen<BMI>(nz & Bereich(k, se + 1));
        --*eobrun;
    }
    Korrigieren(blk, korr, p1);
}

// DC_Erst on the registers; a short code and its value in one look-up (no
// refill falls between them either way).
DEK_INLINE void DC_Erst_Block(Register& x, const Huff* dc, int16_t* blk, int32_t* pred, int al) {
    x.sicher(17);
    const int32_t f = dc->ac_schnell[x.zeigen(KOEF_BITS)];
    if (f) {
        x.anzahl -= f & 63;
        *pred = Kurz(*pred + (f >> 16));
    } else {
        const int s = x.symbol(dc) & 15;
        if (s) *pred = Kurz(*pred + Erweitern(x.holen(s), s));
    }
    blk[0] = Kurz(*pred * (1 << al));
}

// AC_Erst on the registers; a short code with its value in one look-up when
// the coefficient stays inside the band.
DEK_INLINE void AC_Erst_Block(Register& x, const Huff* ac, int16_t* blk, int ss, int se, int al, int32_t* eobrun) {
    if (*eobrun > 0) {
        --*eobrun;
        return;
    }
    const int32_t* schnell = ac->ac_schnell;
    for (int k = ss; k <= se; ++k) {
        x.sicher(17);
        const int32_t f = schnell[x.zeigen(KOEF_BITS)];
        if (f && !(f & KOEF_ENDE) && k + ((f >> 8) & 15) <= se) {
            x.anzahl -= f & 63;
            k += (f >> 8) & 15;
            if (f >> 16) blk[k] = Kurz((f >> 16) * (1 << al));
            continue;
        }
        const int rs = x.symbol(ac);
        const int r = rs >> 4, s = rs & 15;
        if (s) {
            k += r;
            if (k > se) {
                x.b->fehlerhaft = true;
                return;
            }
            blk[k] = Kurz(Erweitern(x.holen(s), s) * (1 << al));
        } else if (r == 15) {
            k += 15;
        } else {
            int32_t lauf = 1 << r;
            if (r) lauf += static_cast<int32_t>(x.holen(r));
            *eobrun = lauf - 1;
            return;
        }
    }
}

template <bool BMI, Reihen_Art ART>
DEK_INLINE int32_t Reihe(Bits* b, const Reihen_Auftrag& a, int32_t mcus) {
    Register x(b);
    const int p1 = 1 << a.al;
    const int ss = a.ss, se = a.se, al = a.al;
    const Huff* ac = a.ac;
    int32_t eob = a.eobrun ? *a.eobrun : 0;  // in a register meanwhile
    int32_t fertig = 0;
    // Near a marker or the end of the data each block is kept first, to be
    // restored when the data runs out inside it; a block that meets damage
    // ends the run (the caller notes the damage).
    alignas(16) int16_t alt[64];
    for (int32_t m = 0; m < mcus; ++m)
        for (int j = 0; j < a.nb; ++j) {
            const Reihen_Block& rb = a.bl[j];
            int16_t* blk = rb.koef + int64_t{rb.schritt} * m;
            const bool nahe = (b->marke | b->null_bytes) != 0;
            if (nahe) std::memcpy(alt, blk, sizeof(alt));
            if constexpr (ART == REIHE_DC_ERST) DC_Erst_Block(x, rb.dc, blk, rb.pred, al);
            if constexpr (ART == REIHE_DC_VERFEINERN) {
                if (x.holen(1)) blk[0] = Kurz(blk[0] | p1);
            }
            if constexpr (ART == REIHE_AC_ERST) AC_Erst_Block(x, ac, blk, ss, se, al, &eob);
            if constexpr (ART == REIHE_AC_VERFEINERN) Verfeinern_Block<BMI>(x, ac, blk, ss, se, p1, &eob);
            ++fertig;
            if (b->fehlerhaft || (b->null_bytes && int64_t{b->null_bytes} * 8 > x.anzahl)) {
                if (nahe) std::memcpy(blk, alt, sizeof(alt));
                m = mcus;
                break;
            }
        }
    x.zurueck();
    if (a.eobrun) *a.eobrun = eob;
    return fertig;
}

template <bool BMI>
DEK_INLINE int32_t Reihe_Art(Bits* b, const Reihen_Auftrag& a, int32_t mcus) {
    switch (a.art) {
        case REIHE_DC_ERST: return Reihe<BMI, REIHE_DC_ERST>(b, a, mcus);
        case REIHE_DC_VERFEINERN: return Reihe<BMI, REIHE_DC_VERFEINERN>(b, a, mcus);
        case REIHE_AC_ERST: return Reihe<BMI, REIHE_AC_ERST>(b, a, mcus);
        default: return Reihe<BMI, REIHE_AC_VERFEINERN>(b, a, mcus);
    }
}

int32_t Reihe_Allgemein(Bits* b, const Reihen_Auftrag& a, int32_t mcus) { return Reihe_Art<false>(b, a, mcus); }

#if defined(__x86_64__)
__attribute__((target("popcnt,bmi,bmi2,lzcnt"))) int32_t Reihe_BMI2(Bits* b, const Reihen_Auftrag& a, int32_t mcus) {
    return Reihe_Art<true>(b, a, mcus);
}
#endif

}  // namespace

int32_t Reihe_Dekodieren(Bits* b, const Reihen_Auftrag& a, int32_t mcus) {
    if (mcus <= 0 || b->fehlerhaft) return 0;
#if defined(__x86_64__)
    static const bool bmi2 = Jpeg_Simd_Hat(JSIMD_BMI2);
    if (bmi2 && !a.allgemein) return Reihe_BMI2(b, a, mcus);
#endif
    return Reihe_Allgemein(b, a, mcus);
}

}  // namespace jpeg_dek

// The record's decoding table of one DHT table (8-bit lookahead, code limits
// per length). Tables whose codes over-subscribe the code space are refused.
int32_t Jpeg_Build_Huffman(const uint8_t* anzahlen, const uint8_t* symbole, int32_t klasse, int32_t nummer,
                           Jpeg_Huffman_Tabelle* t) {
    std::memset(t, 0, sizeof(*t));
    t->Klasse = klasse;
    t->Nummer = nummer;
    Jpeg_Huffman_Dektabelle& d = t->Dek;
    int gesamt = 0;
    for (int l = 0; l < 16; ++l) gesamt += anzahlen[l];
    if (gesamt > 256) return JPEG_ERG_HUFFMAN;
    int32_t code = 0, k = 0;
    for (int l = 1; l <= 16; ++l) {
        int n = anzahlen[l - 1];
        d.Kleinster_Code[l] = static_cast<uint16_t>(code);
        d.Erster_Index[l] = static_cast<uint16_t>(k);
        if (n) {
            if (code + n > (1 << l)) {
                std::memset(t, 0, sizeof(*t));
                return JPEG_ERG_HUFFMAN;
            }
            d.Groesster_Code[l] = static_cast<uint16_t>(code + n - 1);
            if (l <= 8)
                for (int i = 0; i < n; ++i)
                    for (int j = 0; j < (1 << (8 - l)); ++j)
                        d.Vorschau[((code + i) << (8 - l)) | j] = (static_cast<uint32_t>(l) << 16) | symbole[k + i];
        } else {
            d.Groesster_Code[l] = 0xFFFF;
        }
        code = (code + n) << 1;
        k += n;
    }
    d.Groesster_Code[17] = 0xFFFF;
    for (int i = 0; i < gesamt; ++i) d.Symbole[i] = symbole[i];
    return 0;
}

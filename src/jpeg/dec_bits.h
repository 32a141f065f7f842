// Bit reader and Huffman decoding of the JPEG decoder (internal).
#pragma once
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace jpeg_dek {

// The input the bit reader and the marker reader take bytes from. For file
// input `nachladen` refills [p, ende) and returns 0, or a negative result code
// (an empty read, a read error); for memory input it is null.
struct Eingabe {
    const uint8_t* p = nullptr;
    const uint8_t* ende = nullptr;
    int (*nachladen)(Eingabe*) = nullptr;
    void* besitzer = nullptr;
    int64_t genommen_vor_puffer = 0;  // bytes taken before the current buffer started
    const uint8_t* puffer_anfang = nullptr;
    int fehler = 0;  // the first refill error met inside entropy data
};

// Derived decoding table of one DHT table: a 9-bit lookahead for symbols, a
// KOEF_BITS lookahead for whole coefficients, and the canonical code limits
// for the longer codes.
constexpr int SCHNELL_BITS = 9;
constexpr int KOEF_BITS = 10;
constexpr int32_t KOEF_ENDE = 0x80;  // flag of a whole-coefficient entry: end of block
constexpr int SPRUNG_BITS = 11;
constexpr int PAAR_BITS = 11;
constexpr uint64_t PAAR_ENDE_1 = 1u << 24;
constexpr uint64_t PAAR_ZWEI = 1u << 25;
constexpr uint64_t PAAR_ENDE_2 = 1u << 26;
struct Huff {
    // (length << 8) | symbol for codes of up to SCHNELL_BITS bits, 0 otherwise.
    uint16_t schnell[1 << SCHNELL_BITS];
    // For a code and its value bits fitting in KOEF_BITS bits the whole
    // coefficient: total length (bits 0..5), KOEF_ENDE for the end of the block
    // (AC tables), run of zeros before it (bits 8..11; 15 with value 0 for the
    // zero run of 16), value (signed, bits 16..31); 0 when not applicable.
    int32_t ac_schnell[1 << KOEF_BITS];
    // AC tables, for blocks that are only read past (grey output of a colour
    // picture): as many whole coefficients as fit one after the other in a
    // SPRUNG_BITS lookahead (the end of the block only as the last): their
    // length (bits 0..4), KOEF_ENDE when the last ends the block, the places
    // they move on by (bits 8..15) and the places before the last one (bits
    // 16..23); 0 when not one fits. Made on first use (Sprung_Bauen).
    uint32_t sprung[1 << SPRUNG_BITS];
    bool sprung_da;
    int32_t maxcode[18];    // largest code of length l, -1 when none; [17] sentinel
    int32_t valoffset[17];  // symbol index = code + valoffset[l]
    uint8_t sym[256];
    bool gueltig;
    // AC tables, for the sequential block decoder: the whole coefficients
    // that the first PAAR_BITS bits hold, one or two: the total length
    // (bits 0..5), the first one's length (8..13), the runs of zeros before
    // each (16..19, 20..23), PAAR_ENDE_1 when the first is the end of the
    // block, PAAR_ZWEI when a second one follows within the bits,
    // PAAR_ENDE_2 when that one ends the block, and the values (signed,
    // bits 32..47 and 48..63; an entry of one has a second of value 0 and
    // run 0); 0 when not even the first fits. Made on first use
    // (Paar_Bauen); last in the table, so that tables without it leave its
    // pages untouched.
    bool paar_da;
    uint64_t paar[1 << PAAR_BITS];
};

// Builds a table from the 16 counts and the symbols. Returns false when the
// codes over-subscribe the code space or there are more than 256 of them.
bool Huff_Bauen(Huff* t, const uint8_t counts[16], const uint8_t* symbole, int anzahl_symbole, bool ac);
// The skipping lookahead (sprung) of a built AC table, from its
// whole-coefficient one.
void Sprung_Bauen(Huff* t);
// The pair lookahead (paar) of a built AC table, from its whole-coefficient
// one. The block decoders make it when a table comes without it.
void Paar_Bauen(Huff* t);

struct Bits {
    uint64_t puffer = 0;  // valid bits are the low `anzahl` bits
    int32_t anzahl = 0;
    int marke = 0;           // a marker met in the entropy data, 0 when none
    int32_t null_bytes = 0;  // zero bytes fed in past a marker or the end
    Eingabe* ein = nullptr;
    bool breit = false;       // fetch eight bytes at once when none is 0xFF
    bool nur_dc = false;      // the last sequential block had no AC coefficient
    bool fehlerhaft = false;  // a code no table has, or coefficients past the block's end
    // When set, the sequential block decoder stores every coefficient
    // multiplied by this table (natural order, low 16 bits of the product: the
    // accurate dequantisation done on the way).
    const int16_t* quant = nullptr;
};

// Tops the accumulator up to at least 57 bits; past a marker or the end of
// the data zero bytes are fed in (counted in null_bytes).
void Bits_Fuellen(Bits* b);

inline void Bits_Sicher(Bits* b, int n) {
    if (b->anzahl < n) Bits_Fuellen(b);
}
inline uint32_t Bits_Zeigen(const Bits* b, int n) {
    return static_cast<uint32_t>(b->puffer >> (b->anzahl - n)) & ((1u << n) - 1);
}
inline uint32_t Bits_Holen(Bits* b, int n) {
    Bits_Sicher(b, n);
    b->anzahl -= n;
    return static_cast<uint32_t>(b->puffer >> b->anzahl) & ((1u << n) - 1);
}
inline int32_t Erweitern(uint32_t v, int s) {
    return (s == 0) ? 0 : (v < (1u << (s - 1)) ? static_cast<int32_t>(v) - (1 << s) + 1 : static_cast<int32_t>(v));
}
// Drops the buffered bits (end of a scan, restart).
inline void Bits_Leeren(Bits* b) {
    b->anzahl = 0;
    b->puffer = 0;
}

int Symbol_Lang(Bits* b, const Huff* t);
inline int Symbol(Bits* b, const Huff* t) {
    Bits_Sicher(b, 17);
    uint32_t e = t->schnell[Bits_Zeigen(b, SCHNELL_BITS)];
    if (e) {
        b->anzahl -= static_cast<int>(e >> 8);
        return static_cast<int>(e & 0xFF);
    }
    return Symbol_Lang(b, t);
}

// Sequential block: coefficients in natural order into blk (cleared here),
// dequantised when b->quant is set.
void Block_Dekodieren(Bits* b, const Huff* dc, const Huff* ac, int32_t* pred, int16_t* blk);

// One block of a run of sequential blocks: its tables, predictor and
// dequantisation table (natural order, the low 16 bits of c * q are stored;
// with `schnell` the table is the fast transform's, every multiplier within
// 16 bits, and the low 16 bits of (c * m + 64) >> 7 are stored, c the
// coefficient's 16-bit value).
struct Block_Plan {
    const Huff* dc;
    const Huff* ac;
    int32_t* pred;
    const int16_t* quant;
    bool schnell = false;
    bool nur_lesen = false;  // the block is read past, its coefficients not stored
};
// Decodes up to `mcus` MCUs of `je` blocks each (mcus * je at most 32), the
// blocks of every MCU by the same plans, one after the other: block k of the
// run into bloecke + 64 k, each as Block_Dekodieren with its plan's table,
// and its quantised DC value into dc[k]; bit k of the result is set when
// block k had no AC coefficient. The first plan's `schnell` counts for all.
// The run stops after the first MCU that leaves b->null_bytes or
// b->fehlerhaft set (where the caller checks for damage); *fertig is the
// number of MCUs done.
uint32_t Mcus_Dekodieren(Bits* b, const Block_Plan* plan, int je, int mcus, int16_t* bloecke, int16_t* dc,
                         int* fertig);
// Only the DC coefficient is kept; AC values are read and dropped.
void Block_Ueberspringen(Bits* b, const Huff* dc, const Huff* ac, int32_t* pred, int16_t* blk);

// Bit i set where coefficient i of the block is not zero.
inline uint64_t Nicht_Null_Maske(const int16_t* blk) {
#if defined(__SSE2__)
    const __m128i null = _mm_setzero_si128();
    uint64_t maske = 0;
    for (int i = 0; i < 4; ++i) {
        const __m128i a = _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(blk + 16 * i)), null);
        const __m128i b = _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(blk + 16 * i + 8)), null);
        maske |= static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(_mm_packs_epi16(a, b)))) << (16 * i);
    }
    return ~maske;
#else
    uint64_t maske = 0;
    for (int i = 0; i < 64; ++i) maske |= static_cast<uint64_t>(blk[i] != 0) << i;
    return maske;
#endif
}

// Progressive passes; the AC passes keep the block in zigzag order.
void DC_Erst(Bits* b, const Huff* dc, int16_t* blk, int32_t* pred, int al);
void DC_Verfeinern(Bits* b, int16_t* blk, int al);
void AC_Erst(Bits* b, const Huff* ac, int16_t* blk, int ss, int se, int al, int32_t* eobrun);
void AC_Verfeinern(Bits* b, const Huff* ac, int16_t* blk, int ss, int se, int al, int32_t* eobrun);

// Runs of progressive blocks: MCU after MCU, in each the blocks of the list
// (block j of MCU m at bl[j].koef + m * bl[j].schritt), each decoded as the
// pass of the kind named does it, the same bits taken at the same moments.
enum Reihen_Art { REIHE_DC_ERST, REIHE_DC_VERFEINERN, REIHE_AC_ERST, REIHE_AC_VERFEINERN };
struct Reihen_Block {
    int16_t* koef;
    int32_t schritt;
    const Huff* dc;  // DC passes
    int32_t* pred;   // first DC pass
};
struct Reihen_Auftrag {
    Reihen_Art art;
    const Reihen_Block* bl;
    int nb;
    const Huff* ac;  // AC passes
    int ss, se, al;
    int32_t* eobrun;
    bool allgemein = false;  // the generic form even where the BMI2 one could run
};
// Decodes up to `mcus` MCUs and returns the blocks done. It stops after a
// block that meets damage (a code no table has, or bits taken from the fill
// bytes past a marker or the end); such a block is restored to its earlier
// values when a marker or the end was already met before it. Nothing is done
// while damage is pending.
int32_t Reihe_Dekodieren(Bits* b, const Reihen_Auftrag& a, int32_t mcus);

extern const uint8_t Natuerlich[80];

}  // namespace jpeg_dek

// Huffman coding of quantised blocks and the encoder's bit output, into the
// caller's buffer or, through the 4096-byte staging buffer, into a file.
//
// Two classes of output routines produce the same bytes:
// - generic (processor codes 0..2): the current byte is the low 8 bits of
//   Bit_Puffer, Bit_Anzahl counts its free bits (8 = nothing pending);
// - fast (codes 3..6): Bit_Puffer holds up to 63 pending bits in its low
//   end, Bit_Anzahl counts them (0 = nothing pending); 64 bits go out at a
//   time, with one check for 0xFF bytes across the eight.
#include "jpeg/enc_intern.h"

#include <cstring>

#if defined(__SSE2__)
#include <immintrin.h>
#endif
#if defined(__x86_64__) || defined(__i386__)
#endif

// ---------------------------------------------------------------------------
// Code tables

int32_t Jpeg_Build_Huffman_Kod(const uint8_t* anzahlen, const uint8_t* symbole, Jpeg_Huffman_Kodtabelle* t) {
    std::memset(t->Laenge, 0, sizeof t->Laenge);
    std::memset(t->Code, 0, sizeof t->Code);
    int32_t gesamt = 0;
    for (int l = 0; l < 16; ++l) gesamt += anzahlen[l];
    if (gesamt > 257) return JPEG_ERG_HUFFMAN;
    uint32_t code = 0;
    int32_t k = 0;
    for (int l = 1; l <= 16; ++l) {
        for (int i = 0; i < anzahlen[l - 1]; ++i, ++k) {
            // A code that no longer fits its length makes the table unusable.
            if (code >= (1u << l)) {
                std::memset(t->Laenge, 0, sizeof t->Laenge);
                std::memset(t->Code, 0, sizeof t->Code);
                return JPEG_ERG_HUFFMAN;
            }
            uint8_t sym = symbole[k];
            t->Laenge[sym] = static_cast<uint32_t>(l);
            t->Code[sym] = static_cast<uint16_t>(code);
            ++code;
        }
        code <<= 1;
    }
    return 0;
}

bool Jpeg_Huffman_Vollstaendig(const Jpeg_Huffman_Kodtabelle* t, int32_t klasse) {
    if (klasse == 0) {
        for (int c = 0; c <= 11; ++c)
            if (t->Laenge[c] == 0) return false;
        return true;
    }
    if (t->Laenge[0x00] == 0 || t->Laenge[0xF0] == 0) return false;
    for (int r = 0; r < 16; ++r)
        for (int c = 1; c <= 10; ++c)
            if (t->Laenge[r * 16 + c] == 0) return false;
    return true;
}

bool Jpeg_Strom_Allgemein(const Jpeg_Strom* s) { return s->Prozessor < JCPU_F5_MMX; }

// ---------------------------------------------------------------------------
// Byte output shared by both classes

namespace {

// Writes the filled part of the staging buffer to the file.
int32_t Staging_Leeren(Jpeg_Strom* s) {
    uint32_t n = static_cast<uint32_t>(s->Eingabe_Zeiger - s->Eingabe_Anfang);
    if (n > 0) {
        uint32_t geschrieben = 0;
        if (!Jpeg_Datei_Schreiben(s->Datei, s->Eingabe_Anfang, n, &geschrieben) || geschrieben != n)
            return JPEG_ERG_DATEI;
    }
    s->Eingabe_Zeiger = s->Eingabe_Anfang;
    return 0;
}

// One byte; with a file the staging buffer goes out first when it is full.
inline int32_t Byte_Raus(Jpeg_Strom* s, uint8_t b) {
    if (s->Eingabe_Zeiger >= s->Eingabe_Ende) {
        if (!s->Datei) return JPEG_ERG_AUSGABE_VOLL;
        int32_t e = Staging_Leeren(s);
        if (e) return e;
    }
    *s->Eingabe_Zeiger++ = b;
    ++s->Ausgabe_Anzahl;
    return 0;
}

// Raw bytes after the pending bits (the room check has been made).
int32_t Roh_Raus(Jpeg_Strom* s, const uint8_t* bytes, int32_t n) {
    while (n > 0) {
        if (s->Eingabe_Zeiger >= s->Eingabe_Ende) {
            if (!s->Datei) return JPEG_ERG_AUSGABE_VOLL;
            int32_t e = Staging_Leeren(s);
            if (e) return e;
        }
        int64_t platz = s->Eingabe_Ende - s->Eingabe_Zeiger;
        int32_t k = static_cast<int32_t>(n < platz ? n : platz);
        std::memcpy(s->Eingabe_Zeiger, bytes, static_cast<size_t>(k));
        s->Eingabe_Zeiger += k;
        s->Ausgabe_Anzahl += k;
        bytes += k;
        n -= k;
    }
    return 0;
}

void Start_Gemeinsam(Jpeg_Strom* s, uint8_t* puffer, int64_t groesse) {
    if (s->Datei) {
        s->Eingabe_Zeiger = s->Eingabe_Anfang = s->Dateipuffer;
        s->Eingabe_Ende = s->Dateipuffer + JPEG_DATEIPUFFER;
        s->Eingabe_Kapazitaet = JPEG_DATEIPUFFER;
    } else {
        s->Eingabe_Zeiger = s->Eingabe_Anfang = puffer;
        s->Eingabe_Ende = puffer ? puffer + groesse : puffer;
        s->Eingabe_Kapazitaet = groesse;
    }
    s->Eingabe_Rest = s->Eingabe_Kapazitaet;
    s->Bit_Puffer = 0;
}

// The k pending bytes of the bit output, then n bytes of a marker; the bit
// output is left empty (leer: its count of an empty state). A buffer keeps at
// least one byte spare after every marker write.
int32_t Offen_Und_Bytes(Jpeg_Strom* s, const uint8_t* offen, int32_t k, const uint8_t* bytes, int32_t n, int32_t leer) {
    if (!s->Datei && s->Eingabe_Ende - s->Eingabe_Zeiger < k + n + 1) return JPEG_ERG_AUSGABE_VOLL;
    s->Bit_Puffer = 0;
    s->Bit_Anzahl = leer;
    int32_t e = Roh_Raus(s, offen, k);
    if (e == 0 && n > 0) e = Roh_Raus(s, bytes, n);
    return e;
}

}  // namespace

// ---------------------------------------------------------------------------
// Generic class

int32_t Jpeg_Put_Bits(Jpeg_Strom* s, uint32_t wert, int32_t n) {
    int32_t f = s->Bit_Anzahl;
    uint32_t cur = static_cast<uint32_t>(s->Bit_Puffer) & 0xFF;
    if (n <= f) {
        f -= n;
        cur |= (wert & ((1u << n) - 1)) << f;
        s->Bit_Anzahl = f;
        s->Bit_Puffer = cur;
        return 0;
    }
    do {
        n -= f;
        cur |= (wert >> n) & ((1u << f) - 1);
        int32_t e = Byte_Raus(s, static_cast<uint8_t>(cur));
        if (e == 0 && cur == 0xFF) e = Byte_Raus(s, 0);
        if (e) {
            s->Bit_Puffer = 0;
            s->Bit_Anzahl = 8;
            return e;
        }
        cur = 0;
        f = 8;
    } while (n > 8);
    f -= n;
    cur |= (wert & ((1u << n) - 1)) << f;
    s->Bit_Anzahl = f;
    s->Bit_Puffer = cur;
    return 0;
}

void Jpeg_Ausgabe_Start(Jpeg_Strom* s, uint8_t* puffer, int64_t groesse) {
    Start_Gemeinsam(s, puffer, groesse);
    s->Ausgabe_Anzahl = 0;
    s->Bit_Anzahl = 8;
}

int32_t Jpeg_Bytes_Schreiben(const uint8_t* bytes, int32_t n, Jpeg_Strom* s) {
    uint8_t offen[2];
    int32_t k = 0;
    if (s->Bit_Anzahl < 8) {
        offen[k++] = static_cast<uint8_t>(s->Bit_Puffer);
        if (offen[0] == 0xFF) offen[k++] = 0;
    }
    return Offen_Und_Bytes(s, offen, k, bytes, n, 8);
}

int32_t Jpeg_Encode_Block(Jpeg_Strom* s, const Jpeg_Huffman_Tabelle* dc, const Jpeg_Huffman_Tabelle* ac,
                          int32_t* praediktor, const int16_t* block) {
    const Jpeg_Huffman_Kodtabelle& d = dc->Kod;
    const Jpeg_Huffman_Kodtabelle& a = ac->Kod;
    int32_t diff = block[0] - *praediktor;
    *praediktor = block[0];
    int32_t c = Jpeg_Kategorie(diff);
    int32_t e = Jpeg_Put_Bits(s, d.Code[c], static_cast<int32_t>(d.Laenge[c]));
    if (e) return e;
    if (c) {
        e = Jpeg_Put_Bits(s, static_cast<uint32_t>(diff < 0 ? diff - 1 : diff), c);
        if (e) return e;
    }
    int32_t r = 0;
    for (int k = 1; k < 64; ++k) {
        int32_t v = block[Jpeg_Zickzack[k]];
        if (v == 0) {
            ++r;
            continue;
        }
        while (r > 15) {
            e = Jpeg_Put_Bits(s, a.Code[0xF0], static_cast<int32_t>(a.Laenge[0xF0]));
            if (e) return e;
            r -= 16;
        }
        c = Jpeg_Kategorie(v);
        int32_t sym = (r << 4) + c;
        if (sym > 255) sym = 255;
        e = Jpeg_Put_Bits(s, a.Code[sym], static_cast<int32_t>(a.Laenge[sym]));
        if (e) return e;
        e = Jpeg_Put_Bits(s, static_cast<uint32_t>(v < 0 ? v - 1 : v), c);
        if (e) return e;
        r = 0;
    }
    if (r > 0) return Jpeg_Put_Bits(s, a.Code[0], static_cast<int32_t>(a.Laenge[0]));
    return 0;
}

// ---------------------------------------------------------------------------
// Fast class
//
// The accumulator fills from the right: Bit_Anzahl bits are valid in its low
// end (anything above them is stale and is shifted out before it could be
// written). When a code does not fit into the 64 bits any more, the full
// accumulator goes out as eight bytes at once, after one test for 0xFF
// bytes across all eight.

namespace {

struct Schreiber {
    uint64_t acc;
    int32_t frei;  // free bits, 64 - valid
    uint8_t* z;
    int32_t fehler;  // the first output error; writing goes on harmlessly
};

__attribute__((always_inline)) inline bool Hat_FF64(uint64_t w) {
    uint64_t x = ~w;
    return ((x - 0x0101010101010101ull) & ~x & 0x8080808080808080ull) != 0;
}

struct Stand {
    uint8_t* z;
    int32_t e;
};

// Writes the top n bytes of v (and their stuffing) near the end of the
// room, or with a file when the staging buffer fills up. Kept out of line,
// and without a reference to the writer, so that the writer stays in
// registers.
__attribute__((noinline)) Stand Acht_Langsam(Jpeg_Strom* s, uint8_t* z, uint64_t v, int32_t n = 8) {
    uint8_t* ende = s->Eingabe_Ende;
    for (int i = 7; i >= 8 - n; --i) {
        uint8_t b = static_cast<uint8_t>(v >> (8 * i));
        for (int k = 0; k < (b == 0xFF ? 2 : 1); ++k) {
            if (z >= ende) {
                if (!s->Datei) return {z, JPEG_ERG_AUSGABE_VOLL};
                s->Ausgabe_Anzahl += z - s->Eingabe_Zeiger;
                s->Eingabe_Zeiger = z;
                int32_t e = Staging_Leeren(s);
                if (e) return {s->Eingabe_Zeiger, e};
                z = s->Eingabe_Zeiger;
                ende = s->Eingabe_Ende;
            }
            *z++ = k ? 0 : b;
        }
    }
    return {z, 0};
}

// Eight bytes with a 0xFF among them, room for 16 given.
__attribute__((noinline)) uint8_t* Acht_Gestopft(uint8_t* z, uint64_t v) {
    for (int i = 7; i >= 0; --i) {
        uint8_t b = static_cast<uint8_t>(v >> (8 * i));
        *z++ = b;
        if (b == 0xFF) *z++ = 0;
    }
    return z;
}

// The room's end is read from the stream at each write of eight bytes
// only, so that it takes no register in the coding loops.
__attribute__((always_inline)) inline void Acht_Raus(Jpeg_Strom* s, Schreiber& w, uint64_t v) {
    if (__builtin_expect(s->Eingabe_Ende - w.z < 16, 0)) {
        Stand st = Acht_Langsam(s, w.z, v);
        w.z = st.z;
        if (st.e && !w.fehler) w.fehler = st.e;
        return;
    }
    if (__builtin_expect(Hat_FF64(v), 0)) {
        w.z = Acht_Gestopft(w.z, v);
        return;
    }
    uint64_t be = __builtin_bswap64(v);
    std::memcpy(w.z, &be, 8);
    w.z += 8;
}

// Writes the whole bytes among the pending bits (at most 7 bits stay): done
// before every block, it leaves room for 57 bits, so that the test in
// Bits_Hinein rarely finds the accumulator full in the middle of a block
// (where its outcome would be hard to predict).
__attribute__((always_inline)) inline void Ganze_Bytes_Raus(Jpeg_Strom* s, Schreiber& w) {
    const int32_t bits = 64 - w.frei;  // 0..63
    const int32_t n = bits >> 3;
    const uint64_t oben = w.acc << (w.frei & 63);  // the pending bits at the top
    const uint64_t ganz = oben & ~(~0ull >> (8 * n));  // their whole bytes, zeros below
    if (__builtin_expect(s->Eingabe_Ende - w.z < 16 || Hat_FF64(ganz), 0)) {
        // Near the end of the room or with a 0xFF: byte by byte.
        Stand st = Acht_Langsam(s, w.z, oben, n);
        w.z = st.z;
        if (st.e && !w.fehler) w.fehler = st.e;
        w.frei += 8 * n;
        return;
    }
    const uint64_t be = __builtin_bswap64(oben);
    std::memcpy(w.z, &be, 8);
    w.z += n;
    w.frei += 8 * n;
}

// Adds the n (0..32) low bits of wert (no bits above them set). An output
// error is kept in the writer; later writes cannot pass the buffer's end.
__attribute__((always_inline)) inline void Bits_Hinein(Jpeg_Strom* s, Schreiber& w, uint32_t wert, int32_t n) {
    if (__builtin_expect(n < w.frei, 1)) {
        w.acc = (w.acc << n) | wert;
        w.frei -= n;
        return;
    }
    const int32_t rest = n - w.frei;  // bits that go into the next word
    uint64_t voll = (w.acc << w.frei) | (static_cast<uint64_t>(wert) >> rest);
    w.acc = wert;
    w.frei = 64 - rest;
    Acht_Raus(s, w, voll);
}

// Natural index -> zigzag position.
constexpr uint8_t k_umkehr[64] = {0,  1,  5,  6,  14, 15, 27, 28, 2,  4,  7,  13, 16, 26, 29, 42,
                                  3,  8,  12, 17, 25, 30, 41, 43, 9,  11, 18, 24, 31, 40, 44, 53,
                                  10, 19, 23, 32, 39, 45, 52, 54, 20, 22, 33, 38, 46, 51, 55, 60,
                                  21, 34, 37, 47, 50, 56, 59, 61, 35, 36, 48, 49, 57, 58, 62, 63};

// Zigzag position -> natural index: the inverse of k_umkehr.
struct Zickzack_Bytes {
    uint8_t n[64];
};
constexpr Zickzack_Bytes k_natuerlich = [] {
    Zickzack_Bytes z{};
    for (int i = 0; i < 64; ++i) z.n[k_umkehr[i]] = static_cast<uint8_t>(i);
    return z;
}();

}  // namespace

void Jpeg_Ausgabe_Start_Schnell(Jpeg_Strom* s, uint8_t* puffer, int64_t groesse) {
    Start_Gemeinsam(s, puffer, groesse);
    s->Bit_Anzahl = 0;
}

int32_t Jpeg_Bytes_Schreiben_Schnell(const uint8_t* bytes, int32_t n, Jpeg_Strom* s) {
    uint8_t offen[16];
    int32_t k = 0;
    int32_t bits = s->Bit_Anzahl;
    uint64_t acc = s->Bit_Puffer;
    while (bits >= 8) {
        bits -= 8;
        uint8_t b = static_cast<uint8_t>(acc >> bits);
        offen[k++] = b;
        if (b == 0xFF) offen[k++] = 0;
    }
    if (bits > 0) offen[k++] = static_cast<uint8_t>((acc << (8 - bits)) & 0xFF);
    return Offen_Und_Bytes(s, offen, k, bytes, n, 0);
}

namespace {

// Form 0: the mask by SSE2 compares and the zigzag positions bit by bit;
// 1: the mask by the SSSE3 search; 2: the mask given (zz_maske). Bit k of
// the result is set when zigzag position k (1..63) is not zero.
template <int Form>
__attribute__((always_inline)) inline uint64_t Nicht_Null(const int16_t* block, uint64_t zz_maske) {
    uint64_t nz = 0;
    if (Form == 2) {
        nz = zz_maske & ~1ull;
    } else if (Form == 1) {
        nz = Jpeg_Zickzack_Maske_SSSE3(block) & ~1ull;
    } else {
        // Mask of the non-zero coefficients in natural order ...
        uint64_t nat;
#if defined(__SSE2__)
        {
            const __m128i null = _mm_setzero_si128();
            uint64_t m = 0;
            for (int i = 0; i < 4; ++i) {
                __m128i a0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * i));
                __m128i a1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * i + 8));
                __m128i g = _mm_packs_epi16(_mm_cmpeq_epi16(a0, null), _mm_cmpeq_epi16(a1, null));
                m |= static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(g))) << (16 * i);
            }
            nat = ~m & ~1ull;
        }
#else
        nat = 0;
        for (int k = 1; k < 64; ++k)
            if (block[k]) nat |= 1ull << k;
#endif
        // ... and in zigzag order: sparse blocks map their few bits, dense ones
        // take every position.
        {
            const uint8_t* u = k_umkehr;
            int32_t n = 0;
            uint64_t m = nat;
            for (; m && n < 24; m &= m - 1, ++n) nz |= 1ull << u[__builtin_ctzll(m)];
            if (m) {
                nz = 0;
                for (int k = 1; k < 64; ++k)
                    if (block[Jpeg_Zickzack[k]]) nz |= 1ull << k;
            }
        }
    }
    return nz;
}

__attribute__((always_inline)) inline Schreiber Schreiber_Holen(const Jpeg_Strom* s) {
    return Schreiber{s->Bit_Puffer, 64 - s->Bit_Anzahl, s->Eingabe_Zeiger, 0};
}

// Puts the writer back into the stream; its first error, or 0.
__attribute__((always_inline)) inline int32_t Schreiber_Ablegen(Jpeg_Strom* s, const Schreiber& w) {
    const int32_t e = w.fehler;
    // With a file the staging buffer may have been written in between;
    // Eingabe_Zeiger then stands at its start and the count is kept.
    s->Ausgabe_Anzahl += w.z - s->Eingabe_Zeiger;
    s->Eingabe_Zeiger = w.z;
    s->Bit_Puffer = w.acc;
    s->Bit_Anzahl = 64 - w.frei;
    if (e) {
        s->Bit_Puffer = 0;
        s->Bit_Anzahl = 0;
    }
    return e;
}

// Codes one block into the writer; nz as Nicht_Null gives it.
__attribute__((always_inline)) inline void Block_Kodieren(Jpeg_Strom* s, Schreiber& w, const Jpeg_Huffman_Kodtabelle& d,
                                                         const Jpeg_Huffman_Kodtabelle& a, int32_t* praediktor,
                                                         const int16_t* block, uint64_t nz) {
    Ganze_Bytes_Raus(s, w);
    // Codes are at most 16 bits and values at most 16 bits, so a symbol
    // with its value bits always fits one 32-bit write.
    int32_t diff = block[0] - *praediktor;
    *praediktor = block[0];
    int32_t c = Jpeg_Kategorie(diff);
    {
        uint32_t bits = static_cast<uint32_t>(diff + (diff >> 31)) & ((1u << c) - 1);
        Bits_Hinein(s, w, static_cast<uint32_t>((static_cast<uint64_t>(d.Code[c]) << c) | bits),
                    static_cast<int32_t>(d.Laenge[c]) + c);
    }
    int32_t letzte = 0;
    while (nz) {
        const int32_t k = __builtin_ctzll(nz);
        nz &= nz - 1;
        int32_t r = k - letzte - 1;
        letzte = k;
        if (__builtin_expect(r > 15, 0))
            for (; r > 15; r -= 16) Bits_Hinein(s, w, a.Code[0xF0], static_cast<int32_t>(a.Laenge[0xF0]));
        // The size a of v (not 0) and, for the value bits, a itself or its
        // complement (v - 1 below zero).
        const int32_t v = block[k_natuerlich.n[k]];
        const uint32_t vz = static_cast<uint32_t>(v >> 31);
        const uint32_t betrag = (static_cast<uint32_t>(v) ^ vz) - vz;
        c = 32 - __builtin_clz(betrag);
        int32_t sym = (r << 4) + c;
        if (sym > 255) sym = 255;
        const uint32_t bits = (betrag ^ vz) & ((1u << c) - 1);
        Bits_Hinein(s, w, static_cast<uint32_t>((static_cast<uint64_t>(a.Code[sym]) << c) | bits),
                    static_cast<int32_t>(a.Laenge[sym]) + c);
    }
    if (letzte < 63) Bits_Hinein(s, w, a.Code[0], static_cast<int32_t>(a.Laenge[0]));
}

template <int Form>
__attribute__((always_inline)) inline int32_t Block_Schnell(Jpeg_Strom* s, const Jpeg_Huffman_Tabelle* dc,
                                                            const Jpeg_Huffman_Tabelle* ac, int32_t* praediktor,
                                                            const int16_t* block, uint64_t zz_maske = 0) {
    const uint64_t nz = Nicht_Null<Form>(block, zz_maske);
    Schreiber w = Schreiber_Holen(s);
    Block_Kodieren(s, w, dc->Kod, ac->Kod, praediktor, block, nz);
    return Schreiber_Ablegen(s, w);
}

}  // namespace

int32_t Jpeg_Encode_Block_Schnell(Jpeg_Strom* s, const Jpeg_Huffman_Tabelle* dc, const Jpeg_Huffman_Tabelle* ac,
                                  int32_t* praediktor, const int16_t* block) {
    return Block_Schnell<0>(s, dc, ac, praediktor, block);
}

int32_t Jpeg_Encode_Block_Schnell_SSSE3(Jpeg_Strom* s, const Jpeg_Huffman_Tabelle* dc, const Jpeg_Huffman_Tabelle* ac,
                                        int32_t* praediktor, const int16_t* block) {
    return Block_Schnell<1>(s, dc, ac, praediktor, block);
}

#if defined(__x86_64__) || defined(__i386__)
namespace {

// Byte selections of the AVX2 zigzag search. The block's rows are packed to
// bytes as [r0 r2 | r1 r3] and [r4 r6 | r5 r7]; quelle 0..3 are these two
// and their copies with the halves swapped. Output j holds zigzag positions
// 32j..32j+31, 16 in each half.
struct Zickzack_Auswahl_256 {
    alignas(32) int8_t m[2][4][32];  // [output][quelle][byte]
};

constexpr Zickzack_Auswahl_256 Auswahl_256_Bauen() {
    // Natural index of each zigzag position: the inverse of k_umkehr.
    uint8_t natuerlich[64] = {};
    for (int n = 0; n < 64; ++n) natuerlich[k_umkehr[n]] = static_cast<uint8_t>(n);
    Zickzack_Auswahl_256 a{};
    for (int j = 0; j < 2; ++j)
        for (int q = 0; q < 4; ++q)
            for (int t = 0; t < 32; ++t) {
                const int n = natuerlich[32 * j + t];
                const int r = n / 8, c = n % 8;
                const int paket = r / 4;                    // which packed register
                const int haelfte = r % 2;                  // its half
                const int versatz = ((r % 4) / 2) * 8 + c;  // byte in that half
                const int ziel_haelfte = t / 16;
                const bool getauscht = q % 2 == 1;
                const bool passt = q / 2 == paket && (getauscht ? 1 - ziel_haelfte : ziel_haelfte) == haelfte;
                a.m[j][q][t] = static_cast<int8_t>(passt ? versatz : -128);
            }
    return a;
}

constexpr Zickzack_Auswahl_256 k_zz_256 = Auswahl_256_Bauen();

// Bit k set when zigzag position k of the block is not zero.
__attribute__((target("avx2"), always_inline)) inline uint64_t Zickzack_Maske_AVX2(const int16_t* block) {
    const __m256i* b = reinterpret_cast<const __m256i*>(block);
    const __m256i p0 = _mm256_packs_epi16(_mm256_loadu_si256(b), _mm256_loadu_si256(b + 1));
    const __m256i p1 = _mm256_packs_epi16(_mm256_loadu_si256(b + 2), _mm256_loadu_si256(b + 3));
    const __m256i q[4] = {p0, _mm256_permute2x128_si256(p0, p0, 1), p1, _mm256_permute2x128_si256(p1, p1, 1)};
    uint64_t null_maske = 0;
    for (int j = 0; j < 2; ++j) {
        __m256i z = _mm256_shuffle_epi8(q[0], _mm256_load_si256(reinterpret_cast<const __m256i*>(k_zz_256.m[j][0])));
        for (int i = 1; i < 4; ++i)
            z = _mm256_or_si256(
                z, _mm256_shuffle_epi8(q[i], _mm256_load_si256(reinterpret_cast<const __m256i*>(k_zz_256.m[j][i]))));
        const uint32_t m = static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(z, _mm256_setzero_si256())));
        null_maske |= static_cast<uint64_t>(m) << (32 * j);
    }
    return ~null_maske;
}

}  // namespace

bool Jpeg_Hat_BMI2_Kodierer() {
    static const bool hat = Jpeg_Simd_Hat(JSIMD_LZCNT | JSIMD_SSSE3 | JSIMD_AVX2 | JSIMD_BMI | JSIMD_BMI2);
    return hat;
}

// The same code compiled for processors with AVX2 and BMI2 (one-instruction
// variable shifts, bit counts and masks, the zigzag search on 256 bits);
// chosen only when the processor has them.
__attribute__((target("avx2,bmi,bmi2,lzcnt"))) int32_t Jpeg_Encode_Block_Schnell_BMI2(Jpeg_Strom* s,
                                                                                      const Jpeg_Huffman_Tabelle* dc,
                                                                                      const Jpeg_Huffman_Tabelle* ac,
                                                                                      int32_t* praediktor,
                                                                                      const int16_t* block) {
    return Block_Schnell<2>(s, dc, ac, praediktor, block, Zickzack_Maske_AVX2(block));
}

namespace {

// Byte selections of the VBMI zigzag search: the block's rows packed to
// bytes as [r0 r2 | r1 r3] and [r4 r6 | r5 r7], one table of 64 bytes for
// the two-source byte permute; output j holds zigzag positions 32j..32j+31.
struct Zickzack_Auswahl_VBMI {
    alignas(32) uint8_t m[2][32];
};

constexpr Zickzack_Auswahl_VBMI Auswahl_VBMI_Bauen() {
    uint8_t natuerlich[64] = {};
    for (int n = 0; n < 64; ++n) natuerlich[k_umkehr[n]] = static_cast<uint8_t>(n);
    constexpr uint8_t zeile_anfang[8] = {0, 16, 8, 24, 32, 48, 40, 56};
    Zickzack_Auswahl_VBMI a{};
    for (int j = 0; j < 2; ++j)
        for (int t = 0; t < 32; ++t) {
            const int n = natuerlich[32 * j + t];
            a.m[j][t] = static_cast<uint8_t>(zeile_anfang[n / 8] + n % 8);
        }
    return a;
}

constexpr Zickzack_Auswahl_VBMI k_zz_vbmi = Auswahl_VBMI_Bauen();

#define JPEG_ZIEL_VBMI "avx2,bmi,bmi2,lzcnt,avx512f,avx512bw,avx512vl,avx512vbmi"

// Bit k set when zigzag position k of the block is not zero: two packs,
// two byte permutes over both packed registers, two tests.
__attribute__((target(JPEG_ZIEL_VBMI), always_inline)) inline uint64_t Zickzack_Maske_VBMI(const int16_t* block) {
    const __m256i* b = reinterpret_cast<const __m256i*>(block);
    const __m256i p0 = _mm256_packs_epi16(_mm256_loadu_si256(b), _mm256_loadu_si256(b + 1));
    const __m256i p1 = _mm256_packs_epi16(_mm256_loadu_si256(b + 2), _mm256_loadu_si256(b + 3));
    const __m256i z0 =
        _mm256_permutex2var_epi8(p0, _mm256_load_si256(reinterpret_cast<const __m256i*>(k_zz_vbmi.m[0])), p1);
    const __m256i z1 =
        _mm256_permutex2var_epi8(p0, _mm256_load_si256(reinterpret_cast<const __m256i*>(k_zz_vbmi.m[1])), p1);
    return static_cast<uint64_t>(_mm256_test_epi8_mask(z0, z0)) |
           (static_cast<uint64_t>(_mm256_test_epi8_mask(z1, z1)) << 32);
}

}  // namespace

__attribute__((target("avx2,bmi,bmi2,lzcnt"))) int32_t Jpeg_Encode_Bloecke_Schnell_BMI2(
    Jpeg_Strom* s, const int16_t* bloecke, int32_t n, const uint8_t* komponente, const Jpeg_Huffman_Tabelle* const* dc,
    const Jpeg_Huffman_Tabelle* const* ac, int32_t* praediktor) {
    Schreiber w = Schreiber_Holen(s);
    for (int32_t b = 0; b < n; ++b, bloecke += 64) {
        const int32_t k = komponente[b];
        Block_Kodieren(s, w, dc[k]->Kod, ac[k]->Kod, &praediktor[k], bloecke,
                       Nicht_Null<2>(bloecke, Zickzack_Maske_AVX2(bloecke)));
    }
    return Schreiber_Ablegen(s, w);
}

bool Jpeg_Hat_VBMI_Kodierer() {
    static const bool hat = Jpeg_Hat_BMI2_Kodierer() && Jpeg_Simd_Hat(JSIMD_AVX512_VBMI);
    return hat;
}

__attribute__((target(JPEG_ZIEL_VBMI))) int32_t Jpeg_Encode_Bloecke_Schnell_VBMI(
    Jpeg_Strom* s, const int16_t* bloecke, int32_t n, const uint8_t* komponente, const Jpeg_Huffman_Tabelle* const* dc,
    const Jpeg_Huffman_Tabelle* const* ac, int32_t* praediktor) {
    Schreiber w = Schreiber_Holen(s);
    for (int32_t b = 0; b < n; ++b, bloecke += 64) {
        const int32_t k = komponente[b];
        Block_Kodieren(s, w, dc[k]->Kod, ac[k]->Kod, &praediktor[k], bloecke,
                       Nicht_Null<2>(bloecke, Zickzack_Maske_VBMI(bloecke)));
    }
    return Schreiber_Ablegen(s, w);
}
#else
bool Jpeg_Hat_BMI2_Kodierer() { return false; }

int32_t Jpeg_Encode_Block_Schnell_BMI2(Jpeg_Strom* s, const Jpeg_Huffman_Tabelle* dc, const Jpeg_Huffman_Tabelle* ac,
                                       int32_t* praediktor, const int16_t* block) {
    return Block_Schnell<0>(s, dc, ac, praediktor, block);
}

int32_t Jpeg_Encode_Bloecke_Schnell_BMI2(Jpeg_Strom* s, const int16_t* bloecke, int32_t n, const uint8_t* komponente,
                                         const Jpeg_Huffman_Tabelle* const* dc, const Jpeg_Huffman_Tabelle* const* ac,
                                         int32_t* praediktor) {
    for (int32_t b = 0; b < n; ++b, bloecke += 64) {
        const int32_t k = komponente[b];
        const int32_t e = Block_Schnell<0>(s, dc[k], ac[k], &praediktor[k], bloecke);
        if (e) return e;
    }
    return 0;
}

bool Jpeg_Hat_VBMI_Kodierer() { return false; }

int32_t Jpeg_Encode_Bloecke_Schnell_VBMI(Jpeg_Strom* s, const int16_t* bloecke, int32_t n, const uint8_t* komponente,
                                         const Jpeg_Huffman_Tabelle* const* dc, const Jpeg_Huffman_Tabelle* const* ac,
                                         int32_t* praediktor) {
    return Jpeg_Encode_Bloecke_Schnell_BMI2(s, bloecke, n, komponente, dc, ac, praediktor);
}
#endif

// ---------------------------------------------------------------------------

int32_t Jpeg_Ausgabe_Leeren(Jpeg_Strom* s) {
    int32_t e = s->Kern_Tabelle->Bits_Leeren(nullptr, 0, s);
    if (e) return e;
    if (s->Datei) return Staging_Leeren(s);
    return 0;
}

int32_t Jpeg_Ausgabe_Ende(Jpeg_Strom* s) {
    int32_t e = Jpeg_Ausgabe_Leeren(s);
    if (!e && s->Datei && !Jpeg_Datei_Leeren(s->Datei)) e = JPEG_ERG_DATEI;
    return e;
}

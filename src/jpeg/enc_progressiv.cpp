// The progressive encoder (SOF2): the whole picture is transformed and
// quantised into the coefficient buffer once; then a fixed scan script is
// coded scan by scan, each scan with Huffman tables computed from its own
// symbol counts (a counting pass, then the coding pass). DC first and
// refinement scans, AC first scans with end-of-band runs and AC refinement
// scans with correction bits follow ITU-T T.81 Annex G.
//
// Progressive scans always go through the generic bit writer; before and
// after each scan the stream's bit state is empty for its own class.
//
// On a picture of some size the counting passes run on a worker thread,
// ahead of the writing passes: a scan's counts depend on the coefficients
// alone, so the worker counts scan i + 1 while this thread writes scan i
// (the same counts, the same stream; about a third off the wall time).
#include "jpeg/enc_intern.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <new>
#include <system_error>
#include <thread>

#include <array>

#include <emmintrin.h>
#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#endif

namespace {

constexpr int32_t MAX_SCANS = 12;
constexpr int32_t EOB_GRENZE = 0x7FFF;
constexpr int32_t KORREKTUR_PUFFER = 1000;
constexpr int32_t KORREKTUR_GRENZE = KORREKTUR_PUFFER - 63;

struct Skript {
    Jpeg_Scan scan[MAX_SCANS];
    Jpeg_Scan_Komponente komp[MAX_SCANS][4];
    int32_t anzahl = 0;
};

void DC_Setzen(Skript& sk, const JPEG_PROPERTIES* p, int32_t n, int32_t ah, int32_t al) {
    Jpeg_Scan& s = sk.scan[sk.anzahl];
    std::memset(&s, 0, sizeof s);
    s.Ns = n;
    s.Ah = ah;
    s.Al = al;
    s.Komponenten = sk.komp[sk.anzahl];
    for (int i = 0; i < n; ++i) s.Komponenten[i] = {i, p->Komponenten[i].H, p->Komponenten[i].V, 0, 0, 0};
    ++sk.anzahl;
}

void AC_Setzen(Skript& sk, const JPEG_PROPERTIES* p, int32_t c, int32_t ss, int32_t se, int32_t ah, int32_t al) {
    Jpeg_Scan& s = sk.scan[sk.anzahl];
    std::memset(&s, 0, sizeof s);
    s.Ns = 1;
    s.Ss = ss;
    s.Se = se;
    s.Ah = ah;
    s.Al = al;
    s.Komponenten = sk.komp[sk.anzahl];
    s.Komponenten[0] = {c, p->Komponenten[c].H, p->Komponenten[c].V, 0, 0, 0};
    ++sk.anzahl;
}

int32_t Skript_Bauen(const JPEG_PROPERTIES* p, Skript& sk) {
    const int32_t n = p->Anzahl_Komponenten;
    const int32_t j = p->Jpg_Farbraum;
    sk.anzahl = 0;
    if (n == 1 && j == FARBE_GRAU) {
        DC_Setzen(sk, p, 1, 0, 1);
        AC_Setzen(sk, p, 0, 1, 5, 0, 2);
        AC_Setzen(sk, p, 0, 6, 63, 0, 2);
        AC_Setzen(sk, p, 0, 1, 63, 2, 1);
        DC_Setzen(sk, p, 1, 1, 0);
        AC_Setzen(sk, p, 0, 1, 63, 1, 0);
    } else if (n == 2 && j == FARBE_ANDERE) {
        DC_Setzen(sk, p, 2, 0, 0);
        AC_Setzen(sk, p, 0, 1, 5, 0, 0);
        AC_Setzen(sk, p, 1, 1, 5, 0, 0);
        AC_Setzen(sk, p, 0, 6, 63, 0, 0);
        AC_Setzen(sk, p, 1, 6, 63, 0, 0);
    } else if ((n == 3 && j == FARBE_YCBCR) || (n == 4 && j == FARBE_YCBCRA)) {
        DC_Setzen(sk, p, n, 0, 1);
        AC_Setzen(sk, p, 0, 1, 5, 0, 2);
        AC_Setzen(sk, p, 2, 1, 63, 0, 1);
        AC_Setzen(sk, p, 1, 1, 63, 0, 1);
        if (n == 4) AC_Setzen(sk, p, 3, 1, 63, 0, 0);
        AC_Setzen(sk, p, 0, 6, 63, 0, 2);
        AC_Setzen(sk, p, 0, 1, 63, 2, 1);
        DC_Setzen(sk, p, n, 1, 0);
        AC_Setzen(sk, p, 2, 1, 63, 1, 0);
        AC_Setzen(sk, p, 1, 1, 63, 1, 0);
        AC_Setzen(sk, p, 0, 1, 63, 1, 0);
    } else if ((n == 3 && (j == FARBE_RGB || j == FARBE_ANDERE)) ||
               (n == 4 && (j == FARBE_RGBA || j == FARBE_ANDERE))) {
        DC_Setzen(sk, p, n, 0, 1);
        for (int c = 0; c < n; ++c) AC_Setzen(sk, p, c, 1, 5, 0, 0);
        DC_Setzen(sk, p, n, 1, 0);
        for (int c = 0; c < n; ++c) AC_Setzen(sk, p, c, 6, 63, 0, 0);
    } else {
        return JPEG_ERG_PROPERTIES;
    }
    return 0;
}

// Huffman table number of a frame component on this road: 0 for the first
// component, 1 for all others.
inline int32_t Tabelle_Von(int32_t komponente) { return komponente == 0 ? 0 : 1; }

inline int32_t Log2(uint32_t v) { return 31 - __builtin_clz(v); }

// The coding state of one scan; Z (counting) or S (writing) is active.
struct Kodierer {
    Jpeg_Strom* s;
    int32_t* freq[2];                    // counting pass: frequency tables
    const Jpeg_Huffman_Kodtabelle* tab;  // writing pass: the scan's table
    int32_t* hz;                         // counting pass: the scan's frequency table
    int32_t eobrun = 0;
    uint8_t korrektur[KORREKTUR_PUFFER];
    int32_t be = 0;

    // Writing: the newest akku_n (under 32) bits of akku wait (the bits
    // above them are left over and never read); each full 32 bits go to raus
    // as four bytes (stuffed), which goes out in pieces of 256 bytes or more.
    uint64_t akku = 0;
    int32_t akku_n = 0;
    int32_t raus_n = 0;
    uint8_t raus[288];

    int32_t Leeren() {
        const int32_t e = raus_n ? Jpeg_Bytes_Schreiben(raus, raus_n, s) : 0;
        raus_n = 0;
        return e;
    }
    // One byte, a stuffed 0 after 0xFF.
    void Byte(uint8_t b) {
        raus[raus_n++] = b;
        if (b == 0xFF) raus[raus_n++] = 0;
    }
    // The n (up to 32) low bits of wert, as Jpeg_Put_Bits writes them.
    int32_t Put(uint64_t wert, int32_t n) {
        akku = (akku << n) | (wert & ((uint64_t{1} << n) - 1));
        akku_n += n;
        if (akku_n < 32) return 0;
        akku_n -= 32;
        const uint32_t w = static_cast<uint32_t>(akku >> akku_n);
        // A byte 0xFF among the four: a zero byte in ~w.
        if (((~w - 0x01010101u) & w & 0x80808080u) == 0) {
            const uint32_t be = __builtin_bswap32(w);
            std::memcpy(raus + raus_n, &be, 4);
            raus_n += 4;
        } else {
            for (int i = 24; i >= 0; i -= 8) Byte(static_cast<uint8_t>(w >> i));
        }
        return raus_n >= 256 ? Leeren() : 0;
    }
    // The whole bytes among the waiting bits (at most 7 bits stay): done
    // before a block's symbols, so that Put rarely finds 32 bits full in the
    // middle of a block, where that test is hard to predict.
    int32_t Ganze_Bytes() {
        const int32_t n = akku_n >> 3;  // 0..3
        const uint64_t oben = akku << ((64 - akku_n) & 63);  // the waiting bits at the top
        const uint64_t ganz = oben & ~(~0ull >> (8 * n));   // their whole bytes, zeros below
        if (__builtin_expect(((~ganz - 0x0101010101010101ull) & ganz & 0x8080808080808080ull) != 0, 0)) {
            for (int i = 0; i < n; ++i) Byte(static_cast<uint8_t>(oben >> (56 - 8 * i)));
        } else {
            const uint64_t be = __builtin_bswap64(oben);
            std::memcpy(raus + raus_n, &be, 8);
            raus_n += n;
        }
        akku_n -= 8 * n;
        return raus_n >= 256 ? Leeren() : 0;
    }
    // The end of a scan: the whole bytes, then the unfinished one padded
    // with 0-bits.
    int32_t Abschliessen() {
        for (; akku_n >= 8; akku_n -= 8) Byte(static_cast<uint8_t>(akku >> (akku_n - 8)));
        if (akku_n) Byte(static_cast<uint8_t>(akku << (8 - akku_n)));
        const int32_t e = Leeren();
        akku = 0;
        akku_n = 0;
        return e;
    }
    // Z: the counting pass (frequencies only), else the writing pass; a
    // compile-time choice, so each pass's loops carry no test of the other.
    template <bool Z>
    int32_t Symbol(int32_t sym) {
        if constexpr (Z) {
            ++hz[sym];
            return 0;
        } else {
            return Put(tab->Code[sym], static_cast<int32_t>(tab->Laenge[sym]));
        }
    }
    // A symbol followed by its n (up to 15) value bits.
    template <bool Z>
    int32_t Symbol_Bits(int32_t sym, uint32_t wert, int32_t n) {
        if constexpr (Z) {
            ++hz[sym];
            return 0;
        } else {
            return Put((uint64_t{tab->Code[sym]} << n) | (wert & ((1u << n) - 1)),
                       static_cast<int32_t>(tab->Laenge[sym]) + n);
        }
    }
    template <bool Z>
    int32_t Bits(uint32_t wert, int32_t n) {
        if constexpr (Z) {
            return 0;
        } else {
            return n == 0 ? 0 : Put(wert, n);
        }
    }
    template <bool Z>
    int32_t EOB() {
        if (eobrun == 0) return 0;
        int32_t n = Log2(static_cast<uint32_t>(eobrun));
        const int32_t e = Symbol_Bits<Z>(n << 4, static_cast<uint32_t>(eobrun), n);
        eobrun = 0;
        return e;
    }
    // The correction bits von .. von + n - 1, up to 32 at a time.
    template <bool Z>
    int32_t Korrektur_Raus(int32_t von, int32_t n) {
        if constexpr (Z) return 0;
        for (int i = 0; i < n;) {
            const int32_t stueck = n - i < 32 ? n - i : 32;
            uint32_t w = 0;
            for (int j = 0; j < stueck; ++j) w = (w << 1) | korrektur[von + i + j];
            if (int32_t e = Put(w, stueck)) return e;
            i += stueck;
        }
        return 0;
    }
};

// The coefficient buffer holds each block in zigzag order while this driver
// runs, so a scan reads its band of positions in one sweep.

// |z[k]| >> al for the positions ss..se (in groups of 16: t holds the
// groups that reach into the band, the rest of t is not written), and the
// masks of the positions ss..se where that is not 0 (nicht_null) and where
// it is 1 (eins).
inline void Band(const int16_t* z, int32_t ss, int32_t se, int32_t al, int16_t* t, uint64_t* nicht_null,
                 uint64_t* eins) {
    // |v| as an unsigned 16-bit value (32768 for -32768), shifted, and 32768
    // (left only when al is 0) clamped to 32767.
    const __m128i schub = _mm_cvtsi32_si128(al);
    const __m128i null = _mm_setzero_si128(), eins_v = _mm_set1_epi16(1);
    uint64_t null_m = 0, e = 0;
    for (int i = ss >> 4; i <= se >> 4; ++i) {
        __m128i a[2];
        for (int h = 0; h < 2; ++h) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(z + 16 * i + 8 * h));
            const __m128i vz = _mm_srai_epi16(v, 15);
            __m128i b = _mm_srl_epi16(_mm_sub_epi16(_mm_xor_si128(v, vz), vz), schub);
            b = _mm_sub_epi16(b, _mm_srli_epi16(b, 15));
            _mm_store_si128(reinterpret_cast<__m128i*>(t + 16 * i + 8 * h), b);
            a[h] = b;
        }
        uint32_t mn = static_cast<uint32_t>(
            _mm_movemask_epi8(_mm_packs_epi16(_mm_cmpeq_epi16(a[0], null), _mm_cmpeq_epi16(a[1], null))));
        uint32_t me = static_cast<uint32_t>(
            _mm_movemask_epi8(_mm_packs_epi16(_mm_cmpeq_epi16(a[0], eins_v), _mm_cmpeq_epi16(a[1], eins_v))));
        null_m |= static_cast<uint64_t>(mn) << (16 * i);
        e |= static_cast<uint64_t>(me) << (16 * i);
    }
    const uint64_t n = ~null_m;
    const uint64_t bereich = (se >= 63 ? ~0ull : ((1ull << (se + 1)) - 1)) & ~((1ull << ss) - 1);
    *nicht_null = n & bereich;
    *eins = e & bereich;
}

template <bool Z>
int32_t AC_Erst(Kodierer& k, const int16_t* z, int32_t ss, int32_t se, int32_t al) {
    alignas(16) int16_t t[64];
    uint64_t m, eins;
    Band(z, ss, se, al, t, &m, &eins);
    if constexpr (!Z)
        if (m)
            if (int32_t e = k.Ganze_Bytes()) return e;
    int32_t vorher = ss - 1;
    while (m) {
        const int32_t i = __builtin_ctzll(m);
        m &= m - 1;
        int32_t r = i - vorher - 1;
        vorher = i;
        int32_t e = k.template EOB<Z>();
        if (e) return e;
        while (r > 15) {
            e = k.template Symbol<Z>(0xF0);
            if (e) return e;
            r -= 16;
        }
        const int32_t w = t[i];
        const int32_t n = 32 - __builtin_clz(static_cast<uint32_t>(w));
        e = k.template Symbol_Bits<Z>((r << 4) + n, static_cast<uint32_t>(z[i] < 0 ? ~w : w), n);
        if (e) return e;
    }
    if (vorher < se) {
        ++k.eobrun;
        if (k.eobrun == EOB_GRENZE) return k.template EOB<Z>();
    }
    return 0;
}

template <bool Z>
int32_t AC_Refine(Kodierer& k, const int16_t* z, int32_t ss, int32_t se, int32_t al) {
    alignas(16) int16_t a[64];
    uint64_t m, eins;
    Band(z, ss, se, al, a, &m, &eins);
    if constexpr (Z) {
        // Counting needs the symbols only: one per coefficient that becomes
        // significant here (eins), its run the zeros since the last one,
        // 16 of them a ZRL before it; the bits of coefficients already
        // significant only count towards the correction bits waiting with
        // the EOB run. The writing pass below gives the same symbols.
        const uint64_t bereich = (se >= 63 ? ~0ull : ((1ull << (se + 1)) - 1)) & ~((1ull << ss) - 1);
        const uint64_t nullen = ~m & bereich;
        uint64_t ab = bereich;  // positions after the last symbol
        for (uint64_t rest = eins; rest; rest &= rest - 1) {
            const int32_t i = __builtin_ctzll(rest);
            const int32_t lauf = __builtin_popcountll(nullen & ab & ((1ull << i) - 1));
            k.template EOB<Z>();
            k.be = 0;
            k.hz[0xF0] += lauf >> 4;
            ++k.hz[((lauf & 15) << 4) + 1];
            ab = i >= 63 ? 0 : ~((2ull << i) - 1) & bereich;
        }
        const int32_t bits = __builtin_popcountll(m & ~eins & ab);
        if (__builtin_popcountll(nullen & ab) > 0 || bits > 0) {
            ++k.eobrun;
            k.be += bits;
            if (k.eobrun == EOB_GRENZE || k.be > KORREKTUR_GRENZE) {
                k.template EOB<Z>();
                k.be = 0;
            }
        }
        return 0;
    }
    const int32_t letzte_eins = eins ? 63 - __builtin_clzll(eins) : 0;
    int32_t r = 0, br = 0, basis = k.be, vorher = ss - 1;
    int32_t e = 0;
    while (m) {
        const int32_t i = __builtin_ctzll(m);
        m &= m - 1;
        r += i - vorher - 1;
        vorher = i;
        while (r > 15 && i <= letzte_eins) {
            e = k.template EOB<Z>();
            if (!e) e = k.template Korrektur_Raus<Z>(0, k.be);
            k.be = 0;
            if (!e) e = k.template Symbol<Z>(0xF0);
            r -= 16;
            if (!e) e = k.template Korrektur_Raus<Z>(basis, br);
            br = 0;
            basis = 0;
            if (e) return e;
        }
        if (a[i] > 1) {
            if constexpr (!Z) k.korrektur[basis + br] = static_cast<uint8_t>(a[i] & 1);
            ++br;
            continue;
        }
        e = k.template EOB<Z>();
        if (!e) e = k.template Korrektur_Raus<Z>(0, k.be);
        k.be = 0;
        if (!e) e = k.template Symbol_Bits<Z>((r << 4) + 1, z[i] > 0 ? 1u : 0u, 1);
        if (!e) e = k.template Korrektur_Raus<Z>(basis, br);
        br = 0;
        basis = 0;
        r = 0;
        if (e) return e;
    }
    r += se - vorher;
    if (r > 0 || br > 0) {
        ++k.eobrun;
        k.be += br;
        if (k.eobrun == EOB_GRENZE || k.be > KORREKTUR_GRENZE) {
            e = k.template EOB<Z>();
            if (!e) e = k.template Korrektur_Raus<Z>(0, k.be);
            k.be = 0;
        }
    }
    return e;
}

// The symbol counts of every scan, filled by the counting passes (on a
// worker thread ahead of the writing, or each just before its scan).
struct Zaehlung {
    int32_t freq[MAX_SCANS][2][257];
    int32_t fehler[MAX_SCANS] = {};
    std::atomic<int32_t> fertig{0};  // scans counted
    std::atomic<bool> halt{false};   // the writing has ended: no more counting
};

// From this many blocks on (a picture of about 11 MP at 4:2:0) the counting
// runs ahead on a worker thread: on smaller ones the two threads together
// took a few per cent more processor time than one.
constexpr uint64_t ZAEHLER_AB_BLOECKEN = 262144;

// The coefficient buffer: the DC coefficients of all blocks side by side
// (dc[block]), then the 63 AC coefficients of each block (ac + 63 * block),
// as much memory as whole blocks. The DC scans read only the small DC part,
// the AC scans 126 bytes per block.
struct Bild {
    JPEG_PROPERTIES* p;
    int16_t* dc;
    int16_t* ac;
    int32_t bloecke;   // per MCU
    int64_t ebene[4];  // first block of each component's plane
};

// Bytes of the coefficient buffer for this many blocks (the AC part starts
// on a 64-byte bound after the DC part).
inline uint64_t Puffer_Groesse(uint64_t bloecke) { return ((bloecke * 2 + 63) & ~uint64_t{63}) + bloecke * 126; }

inline int64_t Block(const Bild& b, int32_t mcu_zeile, int32_t mcu_spalte, int32_t k, int32_t by, int32_t bx) {
    const JPEG_PROPERTIES* p = b.p;
    // Each component's blocks in a plane of their own, row by row, so that a
    // scan of one component reads its memory in one sweep.
    const Jpeg_Komponente& kp = p->Komponenten[k];
    return b.ebene[k] + (static_cast<int64_t>(mcu_zeile) * kp.V + by) * p->MCU_Spalten * kp.H +
           static_cast<int64_t>(mcu_spalte) * kp.H + bx;
}

// The block's coefficients as 64 positions in zigzag order for the AC
// scans: positions 1..63 are its own; position 0 is the value before them
// in the buffer (read, never used).
inline const int16_t* AC_Block(const Bild& b, int64_t block) { return b.ac + block * 63 - 1; }

// Walks the scan's blocks in coding order; fn(block number, component)
// returns an error or 0.
template <class Fn>
int32_t Scan_Gehen(const Bild& b, const Jpeg_Scan& scan, Fn fn) {
    const JPEG_PROPERTIES* p = b.p;
    if (scan.Ss == 0) {
        for (int r = 0; r < p->MCU_Zeilen; ++r)
            for (int m = 0; m < p->MCU_Spalten; ++m)
                for (int i = 0; i < scan.Ns; ++i) {
                    const Jpeg_Komponente& kp = p->Komponenten[i];
                    for (int by = 0; by < kp.V; ++by)
                        for (int bx = 0; bx < kp.H; ++bx) {
                            int32_t e = fn(Block(b, r, m, i, by, bx), i);
                            if (e) return e;
                        }
                }
        return 0;
    }
    const int32_t c = scan.Komponenten[0].Index;
    const Jpeg_Komponente& kp = p->Komponenten[c];
    // The component's own size in blocks (T.81 A.1.1).
    const int64_t kb = (static_cast<int64_t>(p->Rahmen_Breite) * kp.H + p->Max_H - 1) / p->Max_H;
    const int64_t kh = (static_cast<int64_t>(p->Rahmen_Hoehe) * kp.V + p->Max_V - 1) / p->Max_V;
    const int64_t bloecke_x = (kb + 7) / 8, bloecke_y = (kh + 7) / 8;
    for (int r = 0; r < p->MCU_Zeilen; ++r)
        for (int by = 0; by < kp.V; ++by) {
            if (static_cast<int64_t>(r) * kp.V + by >= bloecke_y) continue;
            for (int m = 0; m < p->MCU_Spalten; ++m)
                for (int bx = 0; bx < kp.H; ++bx) {
                    if (static_cast<int64_t>(m) * kp.H + bx >= bloecke_x) continue;
                    int32_t e = fn(Block(b, r, m, c, by, bx), c);
                    if (e) return e;
                }
        }
    return 0;
}

// One pass over a scan: counting (Z) or writing.
template <bool Z>
int32_t Scan_Kodieren(const Bild& b, const Jpeg_Scan& scan, Kodierer& k, const Jpeg_Huffman_Kodtabelle* dc[2],
                      const Jpeg_Huffman_Kodtabelle* ac) {
    int32_t praed[4] = {0, 0, 0, 0};
    k.eobrun = 0;
    k.be = 0;
    int32_t e;
    if (scan.Ss == 0) {
        e = Scan_Gehen(b, scan, [&](int64_t blk, int32_t i) -> int32_t {
            const int16_t w = b.dc[blk];
            if (scan.Ah != 0) return k.template Bits<Z>(static_cast<uint32_t>(w >> scan.Al) & 1, 1);
            int32_t v = w >> scan.Al;
            int32_t d = static_cast<int16_t>(v - praed[i]);
            praed[i] = v;
            int32_t c = Jpeg_Kategorie(d);
            int32_t t = Tabelle_Von(i);
            if constexpr (Z) k.hz = k.freq[t];
            else k.tab = dc[t];
            return k.template Symbol_Bits<Z>(c, static_cast<uint32_t>(d < 0 ? d - 1 : d), c);
        });
        return e;
    }
    if constexpr (Z) k.hz = k.freq[Tabelle_Von(scan.Komponenten[0].Index)];
    else k.tab = ac;
    e = Scan_Gehen(b, scan, [&](int64_t blk, int32_t) -> int32_t {
        const int16_t* z = AC_Block(b, blk);
        return scan.Ah == 0 ? AC_Erst<Z>(k, z, scan.Ss, scan.Se, scan.Al)
                            : AC_Refine<Z>(k, z, scan.Ss, scan.Se, scan.Al);
    });
    if (!e) e = k.template EOB<Z>();
    if (!e) e = k.template Korrektur_Raus<Z>(0, k.be);
    k.be = 0;
    return e;
}

// The scan coders as called: compiled once for every processor and, on x86,
// once more for processors with POPCNT, BMI2 and LZCNT (the masks' counts,
// shifts and searches in one instruction each), everything inlined.
template <bool Z>
int32_t Scan_Allgemein(const Bild& b, const Jpeg_Scan& scan, Kodierer& k, const Jpeg_Huffman_Kodtabelle* dc[2],
                       const Jpeg_Huffman_Kodtabelle* ac) {
    return Scan_Kodieren<Z>(b, scan, k, dc, ac);
}

#if defined(__x86_64__) || defined(__i386__)
template <bool Z>
__attribute__((target("popcnt,bmi,bmi2,lzcnt"), flatten)) int32_t Scan_BMI2(const Bild& b, const Jpeg_Scan& scan,
                                                                            Kodierer& k,
                                                                            const Jpeg_Huffman_Kodtabelle* dc[2],
                                                                            const Jpeg_Huffman_Kodtabelle* ac) {
    return Scan_Kodieren<Z>(b, scan, k, dc, ac);
}

bool Hat_BMI2_Scans() {
    static const bool hat = Jpeg_Hat_BMI2_Kodierer() && (Jpeg_CPUID_Daten()->Merkmale_C & JCPU_BIT_POPCNT);
    return hat;
}
#else
template <bool Z>
int32_t Scan_BMI2(const Bild& b, const Jpeg_Scan& scan, Kodierer& k, const Jpeg_Huffman_Kodtabelle* dc[2],
                  const Jpeg_Huffman_Kodtabelle* ac) {
    return Scan_Kodieren<Z>(b, scan, k, dc, ac);
}

bool Hat_BMI2_Scans() { return false; }
#endif

// Builds the table of one frequency table (by the kernel table's builder),
// derives it into the given slot and writes its DHT segment.
int32_t Tabelle_Senden(JPEG_PROPERTIES* p, const int32_t* freq, int32_t klasse, int32_t nummer) {
    uint8_t anzahlen[16];
    uint8_t symbole[256];
    const Jpeg_Kern_Tabelle* kt = p->Strom.Kern_Tabelle;
    (kt && kt->Huffman_Bauen ? kt->Huffman_Bauen : Jpeg_Knappe_Huffman)(freq, anzahlen, symbole);
    Jpeg_Huffman_Tabelle* t = klasse == 0 ? &p->DC_Tabelle[nummer] : &p->AC_Tabelle[nummer];
    int32_t e = Jpeg_Build_Huffman_Kod(anzahlen, symbole, &t->Kod);
    if (e) return e;
    if (klasse == 0) p->DC_Aktiv[nummer] = t;
    else p->AC_Aktiv[nummer] = t;
    return Jpeg_Write_DHT_Einzeln(&p->Strom, anzahlen, symbole, klasse, nummer);
}

// Zigzag position -> natural index, built here so that the byte selections
// below are constants.
constexpr std::array<uint8_t, 64> k_zickzack = [] {
    std::array<uint8_t, 64> z{};
    int i = 0;
    for (int d = 0; d < 15; ++d) {
        const int von = d < 8 ? 0 : d - 7, bis = d < 8 ? d : 7;  // rows on the diagonal
        if (d % 2 == 0)
            for (int r = bis; r >= von; --r) z[i++] = static_cast<uint8_t>(r * 8 + d - r);
        else
            for (int r = von; r <= bis; ++r) z[i++] = static_cast<uint8_t>(r * 8 + d - r);
    }
    return z;
}();

// A block in natural order -> zigzag order (t), by the scalar table.
inline void Zickzack_Ordnen(const int16_t* q, int16_t* t) {
    for (int kz = 0; kz < 64; ++kz) t[kz] = q[k_zickzack[kz]];
}

#if defined(__x86_64__) || defined(__i386__)
// Byte selections: output row j (zigzag positions 8j..8j+7) takes from
// input row i (natural indices 8i..8i+7) the bytes m[j][i] (-128: none).
struct Zickzack_Auswahl {
    alignas(16) int8_t m[8][8][16];
    bool genutzt[8][8];
};

constexpr Zickzack_Auswahl Zickzack_Auswahl_Bauen() {
    Zickzack_Auswahl a{};
    for (int j = 0; j < 8; ++j)
        for (int i = 0; i < 8; ++i) {
            a.genutzt[j][i] = false;
            for (int b = 0; b < 16; ++b) a.m[j][i][b] = -128;
        }
    for (int kz = 0; kz < 64; ++kz) {
        const int n = k_zickzack[kz], j = kz / 8, e = kz % 8, i = n / 8;
        a.m[j][i][2 * e] = static_cast<int8_t>(2 * (n % 8));
        a.m[j][i][2 * e + 1] = static_cast<int8_t>(2 * (n % 8) + 1);
        a.genutzt[j][i] = true;
    }
    return a;
}

constexpr Zickzack_Auswahl k_zz_auswahl = Zickzack_Auswahl_Bauen();

// The same by byte shuffles (SSSE3): each output row gathered from the
// input rows that hold its values.
__attribute__((target("ssse3"))) void Zickzack_Ordnen_SSSE3(const int16_t* q, int16_t* t) {
    __m128i r[8];
    for (int i = 0; i < 8; ++i) r[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q + 8 * i));
    for (int j = 0; j < 8; ++j) {
        __m128i o = _mm_setzero_si128();
        for (int i = 0; i < 8; ++i)
            if (k_zz_auswahl.genutzt[j][i])
                o = _mm_or_si128(o, _mm_shuffle_epi8(r[i], _mm_load_si128(reinterpret_cast<const __m128i*>(
                                                               k_zz_auswahl.m[j][i]))));
        _mm_store_si128(reinterpret_cast<__m128i*>(t + 8 * j), o);
    }
}
#endif

// Fills the coefficient buffer from MCU row *ab_zeile on; in bands it stops
// before the first MCU row whose rows are not all in the caller's pixels
// (*ab_zeile then names it, the result is JPEG_ERG_BEREICH_FERTIG).
int32_t Koeffizienten_Fuellen(JPEG_PROPERTIES* p, const Bild& b, int32_t* ab_zeile) {
    Jpeg_Kern_Tabelle* kt = p->Strom.Kern_Tabelle;
    const int16_t* qt[4];
    for (int i = 0; i < p->Anzahl_Komponenten; ++i) {
        int32_t q = p->Komponenten[i].Quant_Auswahl;
        int32_t nq = p->Anzahl_Quant_Vorgaben < 4 ? p->Anzahl_Quant_Vorgaben : 4;
        qt[i] = (q >= 0 && q < nq) ? p->Quant_Aktiv[q] : nullptr;
        if (!qt[i]) return JPEG_ERG_KEINE_QUANT;
    }
    const bool koeffizienten = p->Komponenten_Ebenen && p->Komponenten_Ebenen->Modus == 0;
    const int16_t* tabellen[JPEG_MAX_LISTENBLOECKE];
    const bool fuellen_quant = !koeffizienten && b.bloecke <= JPEG_MAX_LISTENBLOECKE;
    for (int i = 0, n = 0; fuellen_quant && i < p->Anzahl_Komponenten; ++i)
        for (int k = 0; k < p->Komponenten[i].H * p->Komponenten[i].V; ++k) tabellen[n++] = qt[i];
#if defined(__x86_64__) || defined(__i386__)
    const bool ssse3 = !Jpeg_Strom_Allgemein(&p->Strom) && Jpeg_Simd_Hat(JSIMD_SSSE3);
#endif
    for (int r = *ab_zeile; r < p->MCU_Zeilen; ++r) {
        if (p->Band_Unten > 0) {
            const int64_t erste = int64_t{r} * p->MCU_Hoehe;
            const int64_t letzte = std::min<int64_t>(erste + p->MCU_Hoehe, p->Rahmen_Hoehe);
            if (erste < p->Band_Oben) return JPEG_ERG_PROPERTIES;
            if (letzte > p->Band_Unten) {
                *ab_zeile = r;
                return JPEG_ERG_BEREICH_FERTIG;
            }
        }
        for (int m = 0; m < p->MCU_Spalten; ++m) {
            const bool quantisiert = Jpeg_MCU_Fuellen(p, m, r, b.bloecke, fuellen_quant ? tabellen : nullptr);
            int16_t* blk = p->Arbeitsbereich;
            for (int i = 0; i < p->Anzahl_Komponenten; ++i)
                for (int k = 0; k < p->Komponenten[i].H * p->Komponenten[i].V; ++k, blk += 64)
                    if (!koeffizienten && !quantisiert) kt->Quantisieren_Aktiv(blk, qt[i]);
            const int16_t* q = p->Arbeitsbereich;
            for (int i = 0; i < p->Anzahl_Komponenten; ++i)
                for (int by = 0; by < p->Komponenten[i].V; ++by)
                    for (int bx = 0; bx < p->Komponenten[i].H; ++bx, q += 64) {
                        // Gathered on the stack, stored in one sweep.
                        alignas(16) int16_t t[64];
#if defined(__x86_64__) || defined(__i386__)
                        if (ssse3) Zickzack_Ordnen_SSSE3(q, t);
                        else
#endif
                            Zickzack_Ordnen(q, t);
                        const int64_t blk = Block(b, r, m, i, by, bx);
                        b.dc[blk] = t[0];
                        std::memcpy(b.ac + blk * 63, t + 1, 63 * sizeof(int16_t));
                    }
        }
    }
    *ab_zeile = p->MCU_Zeilen;
    return 0;
}

}  // namespace

namespace {

// T.81 K.2: code lengths from the frequencies (with the reserved entry 256),
// limited to max_laenge bits, the reserved entry removed. bits[l] is the
// number of codes of length l; the symbols go to symbole by length.
void Huffman_Laengen(const int32_t* haeufigkeiten, int32_t max_laenge, int32_t* bits, uint8_t* symbole) {
    int64_t freq[257];
    int32_t laenge[257];
    int32_t weiter[257];
    for (int i = 0; i < 256; ++i) freq[i] = haeufigkeiten[i] > 0 ? haeufigkeiten[i] : 0;
    freq[256] = 1;
    for (int i = 0; i < 257; ++i) {
        laenge[i] = 0;
        weiter[i] = -1;
    }
    // The entries with a non-zero frequency, in ascending order.
    int32_t belegt[257];
    int32_t n = 0;
    for (int i = 0; i < 257; ++i)
        if (freq[i]) belegt[n++] = i;
    for (;;) {
        // The two smallest non-zero frequencies; among equals the higher
        // entry wins.
        int32_t c1 = -1, c2 = -1, p2 = -1;
        for (int j = 0; j < n; ++j)
            if (c1 < 0 || freq[belegt[j]] <= freq[c1]) c1 = belegt[j];
        for (int j = 0; j < n; ++j) {
            const int32_t i = belegt[j];
            if (i != c1 && (c2 < 0 || freq[i] <= freq[c2])) c2 = i, p2 = j;
        }
        if (c2 < 0) break;
        freq[c1] += freq[c2];
        freq[c2] = 0;
        std::memmove(belegt + p2, belegt + p2 + 1, sizeof(int32_t) * static_cast<size_t>(n - p2 - 1));
        --n;
        ++laenge[c1];
        while (weiter[c1] >= 0) {
            c1 = weiter[c1];
            ++laenge[c1];
        }
        weiter[c1] = c2;
        ++laenge[c2];
        while (weiter[c2] >= 0) {
            c2 = weiter[c2];
            ++laenge[c2];
        }
    }
    for (int l = 0; l <= 32; ++l) bits[l] = 0;
    for (int i = 0; i < 257; ++i)
        if (laenge[i]) ++bits[laenge[i] > 32 ? 32 : laenge[i]];
    for (int i = 32; i > max_laenge; --i)
        while (bits[i] > 0) {
            int32_t j = i - 2;
            while (bits[j] == 0) --j;
            bits[i] -= 2;
            bits[i - 1] += 1;
            bits[j + 1] += 2;
            bits[j] -= 1;
        }
    int32_t i = max_laenge;
    while (i > 0 && bits[i] == 0) --i;
    if (bits[i] > 0) --bits[i];
    int32_t k = 0;
    for (int s = 1; s <= 32; ++s)
        for (int sym = 0; sym < 256; ++sym)
            if (laenge[sym] == s) symbole[k++] = static_cast<uint8_t>(sym);
}

}  // namespace

void Jpeg_Optimale_Huffman(const int32_t* haeufigkeiten, uint8_t* anzahlen, uint8_t* symbole) {
    int32_t bits[33];
    Huffman_Laengen(haeufigkeiten, 15, bits, symbole);
    // The counts are taken one position lower than the lengths: every code
    // comes out one bit longer (see docs/ARCHITECTURE.md, "JPEG encoder").
    for (int l = 0; l < 16; ++l) anzahlen[l] = static_cast<uint8_t>(bits[l]);
}

void Jpeg_Knappe_Huffman(const int32_t* haeufigkeiten, uint8_t* anzahlen, uint8_t* symbole) {
    int32_t bits[33];
    Huffman_Laengen(haeufigkeiten, 16, bits, symbole);
    for (int l = 0; l < 16; ++l) anzahlen[l] = static_cast<uint8_t>(bits[l + 1]);
}

int32_t Jpeg_Encode_Progressiv(JPEG_PROPERTIES* p) {
    Jpeg_Strom* s = &p->Strom;
    Jpeg_Kern_Tabelle* kt = s->Kern_Tabelle;
    const int32_t n = p->Anzahl_Komponenten;
    if (n < 1 || n > 4 || !p->Komponenten) return JPEG_ERG_KOMPONENTE;
    // This driver codes the whole picture in one call, or in bands: then its
    // own record (Ss = -1, the next MCU row to fill in Zeile) stays in
    // Fortsetzung until every row is in the coefficient buffer. Any other
    // record (left by an interrupted decode) means the stream's opening was
    // skipped.
    Jpeg_Scan* band = p->Fortsetzung;
    if (band && (band->Ss != -1 || !p->Koeffizienten_Puffer)) return JPEG_ERG_PROPERTIES;

    Skript sk;
    int32_t e = Skript_Bauen(p, sk);
    if (e) return e;
    if (!p->Komponenten_Ebenen) {
        e = Jpeg_Wandler_Waehlen(p);
        if (e) return e;
    }

    Bild b;
    b.p = p;
    b.bloecke = 0;
    for (int i = 0; i < n; ++i) {
        b.ebene[i] = static_cast<int64_t>(b.bloecke) * p->MCU_Spalten * p->MCU_Zeilen;
        b.bloecke += p->Komponenten[i].H * p->Komponenten[i].V;
    }
    const uint64_t alle_bloecke =
        static_cast<uint64_t>(p->MCU_Spalten) * static_cast<uint64_t>(p->MCU_Zeilen) * static_cast<uint64_t>(b.bloecke);
    const uint64_t groesse = Puffer_Groesse(alle_bloecke);
    if (!band) {
        // A buffer left by an earlier decode or encode is released before the
        // new one takes its place.
        if (p->Koeffizienten_Puffer) {
            Jpeg_Speicher_Freigeben(p->Koeffizienten_Puffer);
            p->Koeffizienten_Puffer = nullptr;
        }
        p->Koeffizienten_Puffer = static_cast<int16_t*>(Jpeg_Speicher_Holen(groesse));
        if (!p->Koeffizienten_Puffer) return JPEG_ERG_SPEICHER;
    }
    b.dc = p->Koeffizienten_Puffer;
    b.ac = b.dc + (Puffer_Groesse(alle_bloecke) - alle_bloecke * 126) / sizeof(int16_t);

    int32_t ab_zeile = 0;
    if (!band) {
        // No restart interval on this road: its scans carry no restart markers,
        // so announcing one would make the stream contradict itself.
        e = Jpeg_Write_SOF2(s, p);
        if (e) return e;
    } else {
        ab_zeile = band->Zeile;
    }
    e = Koeffizienten_Fuellen(p, b, &ab_zeile);
    if (e == JPEG_ERG_BEREICH_FERTIG) {
        if (!band) {
            band = static_cast<Jpeg_Scan*>(Jpeg_Speicher_Holen(sizeof(Jpeg_Scan)));
            if (!band) return JPEG_ERG_SPEICHER;
            std::memset(band, 0, sizeof *band);
            band->Ss = -1;
            p->Fortsetzung = band;
        }
        band->Zeile = ab_zeile;
        return e;
    }
    if (band) {
        Jpeg_Speicher_Freigeben(band->Komponenten);
        Jpeg_Speicher_Freigeben(band);
        p->Fortsetzung = nullptr;
    }
    if (e) return e;

    const uint8_t auswahl[4] = {0, 1, 1, 1};
    static_assert(sizeof(Kodierer) < 4096, "scan coder kept on the stack");
    Kodierer k;
    k.s = s;
    const bool allgemein = Jpeg_Strom_Allgemein(s);
    const bool bmi2 = !allgemein && Hat_BMI2_Scans();
    std::unique_ptr<Zaehlung> z(new (std::nothrow) Zaehlung);
    if (!z) return JPEG_ERG_SPEICHER;
    // The counting pass of scan si into its own tables (kz: the counting
    // coder of the thread that runs it).
    auto zaehlen = [&](int32_t si, Kodierer& kz) -> int32_t {
        const Jpeg_Scan& scan = sk.scan[si];
        std::memset(z->freq[si], 0, sizeof z->freq[si]);
        kz.freq[0] = z->freq[si][0];
        kz.freq[1] = z->freq[si][1];
        const Jpeg_Huffman_Kodtabelle* dc[2] = {nullptr, nullptr};
        // A DC refinement scan sends bare bits: nothing to count.
        if (scan.Ss == 0 && scan.Ah != 0) return 0;
        return bmi2 ? Scan_BMI2<true>(b, scan, kz, dc, nullptr) : Scan_Allgemein<true>(b, scan, kz, dc, nullptr);
    };
    // Counting ahead on a worker pays on large pictures only
    // (ZAEHLER_AB_BLOECKEN); without one (or when the system refuses a
    // thread), every scan is counted here just before it is written.
    std::thread zaehler;
    if (alle_bloecke >= ZAEHLER_AB_BLOECKEN && sk.anzahl > 1) {
        try {
            zaehler = std::thread([&] {
                Kodierer kz;
                for (int32_t si = 0; si < sk.anzahl && !z->halt.load(std::memory_order_relaxed); ++si) {
                    z->fehler[si] = zaehlen(si, kz);
                    z->fertig.store(si + 1, std::memory_order_release);
                    z->fertig.notify_one();
                }
            });
        } catch (const std::system_error&) {
        }
    }
    // Stops the worker on every way out (an error ends the scans early).
    struct Warten {
        std::thread& t;
        Zaehlung& z;
        ~Warten() {
            z.halt.store(true, std::memory_order_relaxed);
            if (t.joinable()) t.join();
        }
    } warten{zaehler, *z};
    for (int si = 0; si < sk.anzahl && !e; ++si) {
        const Jpeg_Scan& scan = sk.scan[si];
        if (zaehler.joinable()) {
            for (int32_t f = z->fertig.load(std::memory_order_acquire); f <= si;
                 f = z->fertig.load(std::memory_order_acquire))
                z->fertig.wait(f, std::memory_order_acquire);
            e = z->fehler[si];
        } else {
            e = zaehlen(si, k);
        }
        if (e) break;
        int32_t (*freq)[257] = z->freq[si];
        const Jpeg_Huffman_Kodtabelle* dc[2] = {nullptr, nullptr};
        if (scan.Ss == 0) {
            if (scan.Ah == 0) {
                e = Tabelle_Senden(p, freq[0], 0, 0);
                if (!e && n != 1) e = Tabelle_Senden(p, freq[1], 0, 1);
                if (e) break;
            }
        } else {
            int32_t t = Tabelle_Von(scan.Komponenten[0].Index);
            e = Tabelle_Senden(p, freq[t], 1, t);
            if (e) break;
        }
        e = Jpeg_Write_SOS_Prog(s, &scan, auswahl, auswahl);
        if (e) break;
        dc[0] = p->DC_Aktiv[0] ? &p->DC_Aktiv[0]->Kod : nullptr;
        dc[1] = p->DC_Aktiv[1] ? &p->DC_Aktiv[1]->Kod : nullptr;
        const Jpeg_Huffman_Kodtabelle* ac = nullptr;
        if (scan.Ss != 0) ac = &p->AC_Aktiv[Tabelle_Von(scan.Komponenten[0].Index)]->Kod;
        s->Bit_Puffer = 0;
        s->Bit_Anzahl = 8;
        e = bmi2 ? Scan_BMI2<false>(b, scan, k, dc, ac) : Scan_Allgemein<false>(b, scan, k, dc, ac);
        int32_t e2 = k.Abschliessen();
        if (!e) e = e2;
        s->Bit_Puffer = 0;
        s->Bit_Anzahl = allgemein ? 8 : 0;
        if (kt->Simd_Ende) kt->Simd_Ende();
    }
    if (e) return e;
    e = Jpeg_Write_EOI(s);
    if (!e) e = Jpeg_Ausgabe_Ende(s);
    return e;
}

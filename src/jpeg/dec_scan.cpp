// Scan decoding: sequential scans straight to the output, progressive and
// multi-scan pictures through the coefficient buffer; restarts, regions and
// stepping.
#include "jpeg/dec_intern.h"
#include "jpeg/dec_simd.h"
#include "jpeg/jpeg_simd.h"

#include <algorithm>
#include <cstring>
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

using namespace jpeg_dek;

namespace {

JPEG_PROPERTIES* Besitzer(Jpeg_Strom* s) {
    return reinterpret_cast<JPEG_PROPERTIES*>(reinterpret_cast<char*>(s) - offsetof(JPEG_PROPERTIES, Strom));
}

// The fast decoding tables that belong to the record's DC or AC table t.
const Huff* Schnelltabelle(JPEG_PROPERTIES* p, const Jpeg_Huffman_Tabelle* t) {
    Zustand* z = p->Dek_Zustand;
    if (t >= p->DC_Tabelle && t < p->DC_Tabelle + 4) return &z->dc[t - p->DC_Tabelle];
    return &z->ac[t - p->AC_Tabelle];
}

// Rebuilds a fast table from the record's decoding table.
void Schnell_Bauen(Huff* h, const Jpeg_Huffman_Tabelle& t, bool ac) {
    uint8_t zahlen[16];
    uint8_t sym[256];
    int n = 0;
    for (int l = 1; l <= 16; ++l) {
        uint16_t gr = t.Dek.Groesster_Code[l], kl = t.Dek.Kleinster_Code[l];
        int c = gr == 0xFFFF ? 0 : gr - kl + 1;
        if (c < 0 || n + c > 256) c = 0;
        zahlen[l - 1] = static_cast<uint8_t>(c);
        n += c;
    }
    for (int i = 0; i < n; ++i) sym[i] = static_cast<uint8_t>(t.Dek.Symbole[i]);
    if (!Huff_Bauen(h, zahlen, sym, n, ac)) std::memset(h, 0, sizeof(*h));
}

// Damage: the decoding has gone past the data (zero bytes were fed in past a
// marker or the end and not all of them are still unread), or met a code the
// tables do not have. Notes which, and returns true when there was any.
bool Schaden(Zustand* z) {
    bool schaden = false;
    if (z->bits.fehlerhaft) {
        z->bits.fehlerhaft = false;
        z->daten_ungueltig = true;
        schaden = true;
    }
    if (z->bits.null_bytes && int64_t{z->bits.null_bytes} * 8 > z->bits.anzahl) {
        // Cut short by a restart marker: damaged data; by anything else: cut off.
        if (z->bits.marke >= 0xD0 && z->bits.marke <= 0xD7) z->daten_ungueltig = true;
        else z->daten_fehlen = true;
        schaden = true;
    }
    return schaden;
}

// Restart processing after MCU (or block) nr: predictors and bits are reset
// and the RSTn marker is taken; when the data does not show one where it
// should, the reader resynchronises on the next marker. A restart marker ends
// the grey run of damaged data; one out of sequence is noted.
void Neustart(Zustand* z, Jpeg_Scan* scan, JPEG_PROPERTIES* p, int32_t nr) {
    Schaden(z);
    Rest_Pruefen(z);
    Bits_Leeren(&z->bits);
    for (int i = 0; i < 4; ++i) scan->DC_Praediktor[i] = 0;
    p->Strom.EOB_Lauf = 0;
    if (!z->bits.marke) {
        Eingabe& e = z->ein;
        for (;;) {
            if (e.p >= e.ende && (!e.nachladen || e.nachladen(&e) < 0 || e.p >= e.ende)) {
                z->bits.marke = 0x100;
                break;
            }
            if (*e.p++ != 0xFF) {
                z->fremde_bytes = true;
                continue;
            }
            if (e.p >= e.ende && (!e.nachladen || e.nachladen(&e) < 0 || e.p >= e.ende)) {
                z->bits.marke = 0x100;
                break;
            }
            uint8_t c = *e.p;
            if (c == 0x00) z->fremde_bytes = true;
            if (c == 0x00 || c == 0xFF) continue;
            ++e.p;
            z->bits.marke = c;
            break;
        }
    }
    if (z->bits.marke >= 0xD0 && z->bits.marke <= 0xD7) {
        const int32_t erwartet = 0xD0 + ((nr / scan->Neustart_Intervall - 1) & 7);
        if (z->bits.marke != erwartet) z->rst_falsch = true;
        z->bits.marke = 0;
        z->grau = false;
    }
    // Any other marker stays pending: the rest of the scan is damaged and the
    // marker loop takes the marker afterwards.
    z->bits.null_bytes = 0;
}

// Fills the strips of one MCU of a streamed scan with neutral grey.
void Grau_MCU(Zustand* z, const Jpeg_Scan* scan) {
    for (int i = 0; i < scan->Ns; ++i) {
        const Komp& k = z->k[scan->Komponenten[i].Index];
        uint8_t* ziel = k.streifen[z->zeile & 1] + static_cast<int64_t>(z->spalte) * k.h * k.bs;
        for (int32_t r = 0; r < k.streifen_hoehe; ++r)
            std::memset(ziel + static_cast<int64_t>(r) * k.streifen_breite, 128, static_cast<size_t>(k.h * k.bs));
    }
}

void Aktive_Kerne(JPEG_PROPERTIES* p, int32_t dct_art) {
    Jpeg_Kern_Tabelle* kt = p->Strom.Kern_Tabelle;
    if (dct_art == DCT_GENAU) {
        kt->IDCT_8x8_Aktiv = kt->IDCT_8x8_Genau;
        kt->IDCT_4x4_Aktiv = kt->IDCT_4x4_Genau;
        kt->IDCT_2x2_Aktiv = kt->IDCT_2x2_Genau;
        kt->IDCT_1x1_Aktiv = kt->IDCT_1x1_Genau;
        kt->Dequantisieren_Aktiv = kt->Dequantisieren_Genau;
    } else {
        kt->IDCT_8x8_Aktiv = kt->IDCT_8x8_Schnell;
        kt->IDCT_4x4_Aktiv = kt->IDCT_4x4_Schnell;
        kt->IDCT_2x2_Aktiv = kt->IDCT_2x2_Schnell;
        kt->IDCT_1x1_Aktiv = kt->IDCT_1x1_Schnell;
        kt->Dequantisieren_Aktiv = kt->Dequantisieren_Schnell;
    }
}

Jpeg_Block_Fn IDCT_Fuer(Jpeg_Kern_Tabelle* kt, int bs) {
    switch (bs) {
        case 8: return kt->IDCT_8x8_Aktiv;
        case 4: return kt->IDCT_4x4_Aktiv;
        case 2: return kt->IDCT_2x2_Aktiv;
        default: return kt->IDCT_1x1_Aktiv;
    }
}

// Multipliers of one: the block decoder keeps the quantised values (the
// fast dequantisation with coarse tables comes with its inverse).
alignas(16) constexpr int16_t Einsen[64] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                                            1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                                            1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

// True when the fast transform can write bytes straight: its SIMD inverse
// and dequantisation are the table's.
bool Schnell_Direkt(const Jpeg_Kern_Tabelle* kt, bool genau) {
    return !genau && kt->IDCT_8x8_Aktiv == Jpeg_IDCT_Schnell_MMX && kt->Dequantisieren_Aktiv == Jpeg_Dequant_Schnell;
}

// The MCU rows that the output needs (the region, widened by one row when
// upright smoothing looks at neighbours).
void Benoetigte_Zeilen(const Zustand* z, int32_t* von, int32_t* bis) {
    *von = 0;
    *bis = z->mcu_y;
    if (!z->bereich) return;
    int32_t h = z->mcu_aus_hoehe;
    if (z->y1 <= z->y0) {
        *bis = 0;
        return;
    }
    const int32_t rand = z->ein_streifen ? 0 : 1;
    *von = z->y0 / h - rand;
    *bis = (z->y1 - 1) / h + 1 + rand;
    if (*von < 0) *von = 0;
    if (*bis > z->mcu_y) *bis = z->mcu_y;
}

// The SIMD inverse straight into byte rows: the accurate one, or the fast
// one with its dequantisation (q: the block's prepared table). With AVX2 a
// block waits for a partner and the two are transformed together.
struct Bytes_Idct {
    bool paare;
    bool schnell = false;
    const int16_t* wartend = nullptr;
    const int16_t* wartend_q = nullptr;
    uint8_t* ziel = nullptr;
    int64_t abstand = 0;
    void Einzeln(const int16_t* kb, const int16_t* q, uint8_t* z, int64_t a) {
        if (schnell) Jpeg_IDCT_Schnell_SSE2_Bytes(kb, q, z, a);
        else Jpeg_IDCT_Genau_SSE2_Bytes(kb, z, a);
    }
    // True when the block was kept waiting: its coefficients must stay
    // untouched until its partner comes or Absenden is called.
    bool Block(const int16_t* kb, uint8_t* z, int64_t a, const int16_t* q = nullptr) {
        if (!paare) {
            Einzeln(kb, q, z, a);
            return false;
        }
        if (wartend) {
            if (schnell) Jpeg_IDCT_Schnell_AVX2_Paar(wartend, wartend_q, kb, q, ziel, abstand, z, a);
            else Jpeg_IDCT_Genau_AVX2_Paar(wartend, kb, ziel, abstand, z, a);
            wartend = nullptr;
            return false;
        }
        wartend = kb;
        wartend_q = q;
        ziel = z;
        abstand = a;
        return true;
    }
    void Absenden() {
        if (wartend) Einzeln(wartend, wartend_q, ziel, abstand);
        wartend = nullptr;
    }
};

// A scan component's tables, inverse and block counts.
struct Scan_Komp {
    const Jpeg_Huffman_Tabelle *dc, *ac;
    const int16_t* q;
    Jpeg_Block_Fn idct;
    int c, h, v, bs;
};

// No restart marker can end the damage: the rest of the MCU row is grey
// (the strips the output still needs).
void Graue_Zeile(Zustand* z, const Jpeg_Scan* scan, bool voll) {
    const bool gebraucht = int64_t{z->zeile} * z->mcu_aus_hoehe < int64_t{z->y1} + z->mcu_aus_hoehe;
    for (int i = 0; i < scan->Ns && voll && gebraucht; ++i) {
        const Komp& k = z->k[scan->Komponenten[i].Index];
        std::memset(k.streifen[z->zeile & 1], 128, static_cast<size_t>(k.streifen_breite) * k.streifen_hoehe);
    }
    z->spalte = z->mcu_x;
}

// One MCU by the table road: each block decoded, dequantised, transformed
// and placed; outside the needed rows only decoded.
inline void MCU_Tabelle(JPEG_PROPERTIES* p, Zustand* z, Jpeg_Scan* scan, const Scan_Komp* sk, bool genau, bool voll,
                        int16_t* blk) {
    Jpeg_Kern_Tabelle* kt = p->Strom.Kern_Tabelle;
    for (int i = 0; i < scan->Ns; ++i) {
        const Scan_Komp& s = sk[i];
        for (int by = 0; by < s.v; ++by)
            for (int bx = 0; bx < s.h; ++bx) {
                if (!voll) {
                    kt->Huffman_Dekodieren_2(&p->Strom, s.dc, s.ac, &scan->DC_Praediktor[i], blk);
                    continue;
                }
                z->bits.quant = genau ? s.q : nullptr;
                kt->Huffman_Dekodieren(&p->Strom, s.dc, s.ac, &scan->DC_Praediktor[i], blk);
                if (z->nur_luma && s.c > 0) continue;  // grey output: the colour is not needed
                if (z->bits.nur_dc && s.bs == 8) {
                    DC_Block_Ablegen(p, z, s.c, z->spalte * s.h + bx, z->zeile * s.v + by, blk,
                                     static_cast<int16_t>(scan->DC_Praediktor[i]), genau ? nullptr : s.q, s.idct);
                    continue;
                }
                if (!genau) kt->Dequantisieren_Aktiv(blk, s.q);
                s.idct(blk);
                Block_Ablegen(z, s.c, z->spalte * s.h + bx, z->zeile * s.v + by, blk);
            }
    }
}

// The tables, inverse and sampling of each component of the scan.
void Scan_Komponenten(JPEG_PROPERTIES* p, const Zustand* z, const Jpeg_Scan* scan, Scan_Komp* sk) {
    for (int i = 0; i < scan->Ns; ++i) {
        const Jpeg_Scan_Komponente& k = scan->Komponenten[i];
        sk[i] = {&p->DC_Tabelle[k.DC_Tabelle],
                 &p->AC_Tabelle[k.AC_Tabelle],
                 p->Quant_Tabelle[k.Quant_Tabelle].Werte,
                 IDCT_Fuer(p->Strom.Kern_Tabelle, z->k[k.Index].bs),
                 k.Index,
                 z->k[k.Index].h,
                 z->k[k.Index].v,
                 z->k[k.Index].bs};
    }
}

// ---------------------------------------------------------------------------
// The entry table of region decoding: the stream state at the start of MCU
// rows passed over, so that a later region further down starts there instead
// of at the scan's start. Entry JPEG_EINSTIEGE (one past the rows) holds the
// key of the scan the entries belong to.

int64_t Eingabe_Position(const Zustand* z) { return z->ein.genommen_vor_puffer + (z->ein.p - z->ein.puffer_anfang); }

// The key of the current scan: where its data starts, the stream it comes
// from and the bytes that follow (as far as they are in the buffer).
Jpeg_Einstieg Scan_Schluessel(const JPEG_PROPERTIES* p, const Zustand* z) {
    Jpeg_Einstieg k{};
    k.Position = Eingabe_Position(z);
    uint64_t h = 1469598103934665603ull;
    auto mischen = [&h](uint64_t v) { h = (h ^ v) * 1099511628211ull; };
    if (p->Strom.Datei && p->Jpg_Datei) {
        for (const char* c = p->Jpg_Datei; *c && c < p->Jpg_Datei + 4096; ++c) mischen(static_cast<uint8_t>(*c));
    } else {
        mischen(reinterpret_cast<uintptr_t>(p->Jpg_Puffer));
    }
    mischen(p->Jpg_Puffer_Groesse);
    mischen(static_cast<uint64_t>(p->Rahmen_Breite) << 32 | static_cast<uint32_t>(p->Rahmen_Hoehe));
    for (const uint8_t* b = z->ein.p; b < z->ein.ende && b < z->ein.p + 64; ++b) mischen(*b);
    k.Bit_Puffer = h;
    return k;
}

}  // namespace

int32_t Jpeg_Save_Einstieg(int32_t nr, Jpeg_Strom* s, Jpeg_Scan* scan, JPEG_PROPERTIES* p) {
    (void)s;
    Zustand* z = p->Dek_Zustand;
    if (!z || !p->Jpeg_Einstiegstabelle || nr < 0 || nr >= JPEG_EINSTIEGE) return JPEG_ERG_PROPERTIES;
    Jpeg_Einstieg& e = p->Jpeg_Einstiegstabelle[nr];
    e.Position = Eingabe_Position(z);
    for (int i = 0; i < 4; ++i) e.DC_Praediktor[i] = scan->DC_Praediktor[i];
    e.Bit_Puffer = z->bits.puffer;
    e.Bit_Anzahl = z->bits.anzahl;
    e.Marke_Offen = static_cast<uint8_t>(z->bits.marke > 0xFF ? 0 : z->bits.marke);
    return 0;
}

int32_t Jpeg_Load_Einstieg(int32_t nr, Jpeg_Strom* s, Jpeg_Scan* scan, JPEG_PROPERTIES* p) {
    Zustand* z = p->Dek_Zustand;
    if (!z || !p->Jpeg_Einstiegstabelle || nr < 0 || nr >= JPEG_EINSTIEGE) return JPEG_ERG_PROPERTIES;
    const Jpeg_Einstieg& e = p->Jpeg_Einstiegstabelle[nr];
    if (e.Position < 0) return JPEG_ERG_PROPERTIES;
    Eingabe& ein = z->ein;
    if (s->Datei) {
        // File: seek to the stored offset (counted from where this decode began
        // to read; the file stands at the end of the buffer's bytes); the next
        // read fills the buffer from there.
        const int64_t steht = ein.genommen_vor_puffer + (ein.ende - ein.puffer_anfang);
        if (!Jpeg_Datei_Suchen(s->Datei, e.Position - steht, 1)) return JPEG_ERG_DATEI;
        ein.p = ein.ende = ein.puffer_anfang;
        ein.genommen_vor_puffer = e.Position;
    } else {
        if (e.Position > ein.ende - ein.puffer_anfang + ein.genommen_vor_puffer) return JPEG_ERG_DATEI;
        ein.p = ein.puffer_anfang + (e.Position - ein.genommen_vor_puffer);
    }
    for (int i = 0; i < 4; ++i) scan->DC_Praediktor[i] = e.DC_Praediktor[i];
    z->bits.puffer = e.Bit_Puffer;
    z->bits.anzahl = e.Bit_Anzahl;
    z->bits.marke = e.Marke_Offen;
    z->bits.null_bytes = 0;
    z->bits.fehlerhaft = false;
    return 0;
}

namespace {

// Before a sequential scan decodes towards a region: the table is made (or
// emptied when it belongs to another scan) with entry 0 at the scan's start,
// and the decode goes to the last entry at or above the region's first row.
// False when the table cannot be made.
bool Einstiege_Vorbereiten(JPEG_PROPERTIES* p, Zustand* z, Jpeg_Scan* scan, int32_t von) {
    if (!p->Jpeg_Einstiegstabelle) {
        p->Jpeg_Einstiegstabelle =
            static_cast<Jpeg_Einstieg*>(Jpeg_Speicher_Holen(sizeof(Jpeg_Einstieg) * (JPEG_EINSTIEGE + 1)));
        if (!p->Jpeg_Einstiegstabelle) return false;
        for (int i = 0; i <= JPEG_EINSTIEGE; ++i) p->Jpeg_Einstiegstabelle[i].Position = -1;
    }
    Jpeg_Einstieg* t = p->Jpeg_Einstiegstabelle;
    const Jpeg_Einstieg k = Scan_Schluessel(p, z);
    if (t[JPEG_EINSTIEGE].Position != k.Position || t[JPEG_EINSTIEGE].Bit_Puffer != k.Bit_Puffer ||
        t[JPEG_EINSTIEGE].Bit_Anzahl != scan->Neustart_Intervall) {
        for (int i = 0; i < JPEG_EINSTIEGE; ++i) t[i].Position = -1;
        t[JPEG_EINSTIEGE] = k;
        t[JPEG_EINSTIEGE].Bit_Anzahl = scan->Neustart_Intervall;
        Jpeg_Save_Einstieg(0, &p->Strom, scan, p);
    }
    int32_t r = von < JPEG_EINSTIEGE ? von : JPEG_EINSTIEGE - 1;
    while (r > 0 && t[r].Position < 0) --r;
    if (r > 0 && Jpeg_Load_Einstieg(r, &p->Strom, scan, p) == 0) z->zeile = r;
    return true;
}

int Sequentiell(JPEG_PROPERTIES* p, Zustand* z, Jpeg_Scan* scan) {
    Jpeg_Kern_Tabelle* kt = p->Strom.Kern_Tabelle;
    int16_t* blk = p->Arbeitsbereich;
    const int32_t ri = scan->Neustart_Intervall;
    const int32_t gesamt = z->mcu_x * z->mcu_y;
    int32_t von, bis;
    Benoetigte_Zeilen(z, &von, &bis);
    Scan_Komp sk[4];
    Scan_Komponenten(p, z, scan, sk);
    // The accurate dequantisation (low 16 bits of c * q, the same in every
    // form) is done by the block decoder itself.
    const bool genau = z->dct_art == DCT_GENAU;
    // The direct road of the SIMD forms: the table's block decoder and the
    // accurate SIMD inverse (its forms compute identical samples) called
    // without the table, the samples written as bytes straight into the
    // strips, two blocks at a time with AVX2.
    // The fast transform takes the same road with its own byte-writing form
    // (dequantisation included), block by block.
    const Jpeg_Block_Fn i8 = kt->IDCT_8x8_Aktiv;
    const bool schnell = Schnell_Direkt(kt, genau);
    bool direkt = z->bs == 8 &&
                  (schnell || (genau && (i8 == Jpeg_IDCT_Genau_SSE2 || i8 == Jpeg_IDCT_Genau_SSE ||
                                         i8 == Jpeg_IDCT_Genau_MMX))) &&
                  (kt->Huffman_Dekodieren == Jpeg_Decode_Block || kt->Huffman_Dekodieren == Jpeg_Decode_Block_Breit);
    for (int i = 0; i < scan->Ns; ++i) direkt = direkt && sk[i].bs == 8;
    // Pairs for the SSE and SSE2 codes on processors with AVX2; the MMX codes
    // (older processors) transform block by block.
    const bool paare = direkt && i8 != Jpeg_IDCT_Genau_MMX && Jpeg_Hat_AVX2();
    // The blocks of one MCU in stream order: their plans and places (with
    // the fast transform the dequantisation table goes with the place).
    Block_Plan plan[10];
    struct Ort {
        int c, bx, by;
        const int16_t* q;
    } ort[10];
    int nb = 0;
    // With every multiplier of the scan's fast tables within 16 bits the block
    // decoder dequantises on the way (only the coefficients present); else
    // the inverse does it.
    bool schmal = true;
    for (int i = 0; i < scan->Ns; ++i) schmal = schmal && sk[i].q[JPEG_QTAB_SCHMAL] == 1;
    if (direkt) {
        z->bits.breit = kt->Huffman_Dekodieren == Jpeg_Decode_Block_Breit;
        for (int i = 0; i < scan->Ns && nb <= 10; ++i) {
            const Jpeg_Scan_Komponente& k = scan->Komponenten[i];
            for (int by = 0; by < sk[i].v; ++by)
                for (int bx = 0; bx < sk[i].h; ++bx) {
                    if (nb == 10) {
                        direkt = false;  // more blocks than the frame check allows: the table road
                        break;
                    }
                    // Grey output reads the colour components' blocks past.
                    const bool vorbei = z->nur_luma && sk[i].c > 0;
                    if (vorbei && !z->ac[k.AC_Tabelle].sprung_da) Sprung_Bauen(&z->ac[k.AC_Tabelle]);
                    plan[nb] = {&z->dc[k.DC_Tabelle], &z->ac[k.AC_Tabelle], &scan->DC_Praediktor[i],
                                schnell && !schmal ? Einsen : sk[i].q, schnell && schmal,
                                vorbei};
                    ort[nb++] = {sk[i].c, bx, by, schnell && !schmal ? sk[i].q : nullptr};
                }
        }
    }
    // Two buffers of a run of MCUs (up to 32 blocks): one block of the last
    // run may wait for a partner while the next run is decoded into the other.
    constexpr int LAUF_BLOECKE = 32;
    alignas(32) int16_t koef[2][LAUF_BLOECKE * 64];
    int16_t dc_werte[LAUF_BLOECKE];
    Bytes_Idct bytes{paare, schnell};
    auto absenden = [&] { bytes.Absenden(); };
    // The direct road for a run of up to `anzahl` MCUs of one row, decoded
    // in one call; the run ends early after an MCU that may be damaged.
    // Every MCU but the last one done moves z->spalte on (the caller moves
    // it past the last one, after its checks).
    auto mcus_direkt = [&](int anzahl) {
        int16_t* mk = koef[(bytes.wartend >= koef[0] && bytes.wartend < koef[1]) ? 1 : 0];
        z->bits.quant = nullptr;
        int fertig = 0;
        const uint32_t nur_dc = Mcus_Dekodieren(&z->bits, plan, nb, anzahl, mk, dc_werte, &fertig);
        for (int m = 0; m < fertig; ++m) {
            if (m) ++z->spalte;
            for (int j = 0; j < nb; ++j) {
                const int b = m * nb + j;
                int16_t* kb = mk + 64 * b;
                const Komp& k = z->k[ort[j].c];
                if (z->nur_luma && ort[j].c > 0) continue;  // grey output: the colour is not needed
                const int32_t gx = z->spalte * k.h + ort[j].bx;
                uint8_t* ziel =
                    k.streifen[z->zeile & 1] + static_cast<int64_t>(ort[j].by * 8) * k.streifen_breite + gx * 8;
                if (nur_dc & (1u << b)) {
                    if (!DC_Block_Kopieren(z, ort[j].c, dc_werte[b], ziel, k.streifen_breite))
                        DC_Block_Ablegen(p, z, ort[j].c, gx, z->zeile * k.v + ort[j].by, kb, dc_werte[b], ort[j].q,
                                         kt->IDCT_8x8_Aktiv);
                    continue;
                }
                bytes.Block(kb, ziel, k.streifen_breite, ort[j].q);
            }
        }
    };
    // A region further down starts from the entry table; rows passed over
    // store their entries. Only undamaged rows of a fresh scan take part.
    const bool einstiege = z->bereich && von > 0 && z->gepuffert == false && scan->Ns == p->Anzahl_Komponenten;
    if (einstiege && z->zeile == 0 && z->spalte == 0 && !Einstiege_Vorbereiten(p, z, scan, von))
        return JPEG_ERG_SPEICHER;
    while (z->zeile < z->mcu_y) {
        if (einstiege && z->zeile < von && z->spalte == 0 && z->zeile < JPEG_EINSTIEGE && !z->grau &&
            z->bits.null_bytes == 0 && p->Jpeg_Einstiegstabelle[z->zeile].Position < 0)
            Jpeg_Save_Einstieg(z->zeile, &p->Strom, scan, p);
        if (z->zeile >= bis) {
            // Past the region: the rest is decoded only when a further call
            // asks for the rows below.
            z->band_offen = true;
            return JPEG_ERG_BEREICH_FERTIG;
        }
        const bool voll = z->zeile >= von;
        if (z->grau && z->spalte == 0 && (ri == 0 || (z->bits.marke && (z->bits.marke & 0xF8) != 0xD0))) {
            Graue_Zeile(z, scan, voll);
        }
        while (z->spalte < z->mcu_x) {
            const bool grau = z->grau;
            if (voll && direkt && !grau) {
                // As many MCUs as fit the buffer, within the row and up to the
                // next restart marker; one at a time when the decode stops
                // after each.
                int32_t anzahl = 1;
                if (!p->Unterbrechen) {
                    anzahl = std::min(z->mcu_x - z->spalte, LAUF_BLOECKE / nb);
                    if (ri) anzahl = std::min(anzahl, ri - (z->zeile * z->mcu_x + z->spalte) % ri);
                }
                mcus_direkt(static_cast<int>(anzahl));
            }
            if (!(voll && direkt) && !grau) MCU_Tabelle(p, z, scan, sk, genau, voll, blk);
            // Damaged data: this MCU and the rest up to the next restart marker
            // are grey.
            if (!grau && (z->bits.null_bytes || z->bits.fehlerhaft) && Schaden(z)) {
                absenden();
                z->grau = true;
            }
            if (z->grau && voll) Grau_MCU(z, scan);
            ++z->spalte;
            int32_t nr = z->zeile * z->mcu_x + z->spalte;
            if (ri && nr % ri == 0 && nr < gesamt) Neustart(z, scan, p, nr);
            if (p->Unterbrechen && nr < gesamt) {
                absenden();
                // The resume position goes into the scan record, the MCU just
                // decoded into the region fields.
                scan->Spalte = z->spalte;
                scan->Zeile = z->zeile;
                p->Bereich_Links = p->Bereich_Rechts = z->spalte - 1;
                p->Bereich_Oben = p->Bereich_Unten = z->zeile;
                return JPEG_ERG_UNTERBROCHEN;
            }
        }
        absenden();
        if (voll) kt->Dek_Zeile(p, z->mcu_x, z->zeile);
        ++z->zeile;
        z->spalte = 0;
    }
    // The marker loop goes on to the end marker (the result comes from there).
    z->bild_fertig = true;
    return 0;
}

// Blocks of a one-component scan: the component's own grid.
void Eigenes_Raster(JPEG_PROPERTIES* p, const Zustand* z, int c, int32_t* bw, int32_t* bh) {
    const Komp& k = z->k[c];
    int64_t w = (int64_t{p->Rahmen_Breite} * k.h + z->max_h - 1) / z->max_h;
    int64_t h = (int64_t{p->Rahmen_Hoehe} * k.v + z->max_v - 1) / z->max_v;
    *bw = static_cast<int32_t>((w + 7) / 8);
    *bh = static_cast<int32_t>((h + 7) / 8);
}

void Fertig_Merken(JPEG_PROPERTIES* p, Zustand* z, const Jpeg_Scan* scan) {
    ++p->Scan_Zaehler;
    if (scan->Ss == 0 && scan->Al == 0 && scan->Ah == 0) p->DC_Fertig += scan->Ns;
    if (scan->Se == 63 && scan->Al == 0) p->AC_Fertig += scan->Ns;
    if (scan->Ss == 0 && scan->Se == 0 && scan->Al == 0 && scan->Ah != 0) p->DC_Fertig += scan->Ns;
    for (int i = 0; i < scan->Ns; ++i)
        for (int k = scan->Ss; k <= scan->Se; ++k) {
            uint8_t& st = z->stand[scan->Komponenten[i].Index][k];
            if (st == 0 || st > scan->Al + 1) st = static_cast<uint8_t>(scan->Al + 1);
        }
}

int Gepuffert(JPEG_PROPERTIES* p, Zustand* z, Jpeg_Scan* scan) {
    const int32_t ri = scan->Neustart_Intervall;
    int32_t* eob = &p->Strom.EOB_Lauf;
    const bool dc = scan->Ss == 0;
    const bool sequenziell = dc && scan->Se == 63;
    const int al = scan->Al;
    // A budget of block visits keeps crafted streams of many scans from
    // keeping the decoder busy for long.
    int64_t alle = 0, diese = 0;
    for (int c = 0; c < z->n; ++c) alle += int64_t{z->k[c].bloecke_x} * z->k[c].bloecke_y;
    for (int i = 0; i < scan->Ns; ++i) {
        const Komp& k = z->k[scan->Komponenten[i].Index];
        diese += int64_t{k.bloecke_x} * k.bloecke_y;
    }
    z->arbeit += diese;
    if (z->arbeit > JPEG_DEK_DURCHGAENGE * alle + (int64_t{1} << 20)) return JPEG_ERG_DATEN;
    auto dekodieren = [&](int i, int16_t* b) {
        const Jpeg_Scan_Komponente& k = scan->Komponenten[i];
        const Huff* hdc = &z->dc[k.DC_Tabelle];
        const Huff* hac = &z->ac[k.AC_Tabelle];
        if (sequenziell) {
            z->bits.quant = nullptr;
            Block_Dekodieren(&z->bits, hdc, hac, &scan->DC_Praediktor[i], b);
        } else if (dc) {
            if (scan->Ah == 0) DC_Erst(&z->bits, hdc, b, &scan->DC_Praediktor[i], al);
            else DC_Verfeinern(&z->bits, b, al);
        } else if (scan->Ah == 0) {
            AC_Erst(&z->bits, hac, b, scan->Ss, scan->Se, al, eob);
        } else {
            AC_Verfeinern(&z->bits, hac, b, scan->Ss, scan->Se, al, eob);
        }
    };
    // Damaged data leaves the blocks from the damage on (up to the next
    // restart marker) as the earlier scans made them; near a marker or the end
    // the block being decoded is kept to be restored (a code no table has
    // elsewhere leaves that one block as decoded).
    alignas(16) int16_t alt[64];
    auto block = [&](int i, int16_t* b) {
        if (z->grau) return;
        const bool nahe = z->bits.marke != 0 || z->bits.null_bytes != 0;
        if (nahe) std::memcpy(alt, b, sizeof(alt));
        dekodieren(i, b);
        if ((nahe || z->bits.null_bytes || z->bits.fehlerhaft) && Schaden(z)) {
            if (nahe) std::memcpy(b, alt, sizeof(alt));  // otherwise nothing was kept to restore
            z->grau = true;
        }
    };
    // Runs of MCUs (up to the row's end or the next restart) go in one call
    // up to damage (noted here; the run restores the block as `block` does);
    // the rest of a broken-off MCU goes block by block.
    Reihen_Auftrag ra{};
    ra.art = sequenziell ? REIHE_DC_ERST
             : dc        ? (scan->Ah == 0 ? REIHE_DC_ERST : REIHE_DC_VERFEINERN)
                         : (scan->Ah == 0 ? REIHE_AC_ERST : REIHE_AC_VERFEINERN);
    ra.ac = &z->ac[scan->Komponenten[0].AC_Tabelle];
    ra.ss = scan->Ss;
    ra.se = scan->Se;
    ra.al = al;
    ra.eobrun = eob;
    Reihen_Block rb[10];
    ra.bl = rb;
    // The blocks of one MCU: component, place in the grid (at MCU column 0).
    struct Mcu_Block {
        int i;
        int16_t* koef0;  // at MCU row my, column 0
        int32_t schritt;
    } mb[10];
    int nb = 0;
    bool reihen = !sequenziell;
    int32_t bw, bh, gesamt;
    if (scan->Ns == 1) {
        Eigenes_Raster(p, z, scan->Komponenten[0].Index, &bw, &bh);
        nb = 1;
    } else {
        bw = z->mcu_x;
        bh = z->mcu_y;
        for (int i = 0; i < scan->Ns; ++i) {
            const Komp& k = z->k[scan->Komponenten[i].Index];
            nb += k.v * k.h;
        }
        if (nb > 10) reihen = false;
    }
    gesamt = bw * bh;
    ra.nb = nb;
    for (int32_t my = 0; my < bh; ++my) {
        // The blocks of MCU (my, 0).
        if (scan->Ns == 1) {
            const Komp& k = z->k[scan->Komponenten[0].Index];
            mb[0] = {0, k.koef + static_cast<int64_t>(my) * k.bloecke_x * 64, 64};
        } else if (nb <= 10) {
            int j = 0;
            for (int i = 0; i < scan->Ns; ++i) {
                const Komp& k = z->k[scan->Komponenten[i].Index];
                for (int by = 0; by < k.v; ++by)
                    for (int bx = 0; bx < k.h; ++bx)
                        mb[j++] = {i, k.koef + ((static_cast<int64_t>(my) * k.v + by) * k.bloecke_x + bx) * 64,
                                   k.h * 64};
            }
        }
        for (int32_t mx = 0; mx < bw;) {
            int32_t fertig = 0;  // blocks of this run done
            if (reihen && !z->grau) {
                int32_t bis = bw - mx;
                const int32_t nr0 = my * bw + mx;
                if (ri) bis = std::min(bis, ri - nr0 % ri);
                for (int j = 0; j < nb; ++j) {
                    const Jpeg_Scan_Komponente& sk = scan->Komponenten[mb[j].i];
                    rb[j] = {mb[j].koef0 + int64_t{mb[j].schritt} * mx, mb[j].schritt, &z->dc[sk.DC_Tabelle],
                             &scan->DC_Praediktor[mb[j].i]};
                }
                fertig = Reihe_Dekodieren(&z->bits, ra, bis);
                if (fertig && (z->bits.null_bytes || z->bits.fehlerhaft) && Schaden(z)) z->grau = true;
            }
            // Whole MCUs done; the rest of a broken-off MCU (or the whole MCU
            // when no run was taken) block by block.
            const int32_t ganze = fertig / nb;
            mx += ganze;
            if (fertig == 0 || fertig % nb != 0) {
                if (scan->Ns == 1) {
                    const Komp& k = z->k[scan->Komponenten[0].Index];
                    block(0, k.koef + (static_cast<int64_t>(my) * k.bloecke_x + mx) * 64);
                } else {
                    int j = 0;
                    for (int i = 0; i < scan->Ns; ++i) {
                        Komp& k = z->k[scan->Komponenten[i].Index];
                        for (int by = 0; by < k.v; ++by)
                            for (int bx = 0; bx < k.h; ++bx, ++j)
                                if (j >= fertig % nb)
                                    block(i, k.koef +
                                                 ((static_cast<int64_t>(my) * k.v + by) * k.bloecke_x + mx * k.h + bx) *
                                                     64);
                    }
                }
                ++mx;
            }
            const int32_t nr = my * bw + mx;
            if (ri && nr % ri == 0 && nr < gesamt) Neustart(z, scan, p, nr);
        }
    }
    Fertig_Merken(p, z, scan);
    return 0;
}

// True when every AC coefficient of the block is zero.
bool Nur_DC(const int16_t* blk) {
    uint64_t w[16];
    std::memcpy(w, blk, 128);
    uint64_t oder = w[0] & ~uint64_t{0xFFFF};
    for (int i = 1; i < 16; ++i) oder |= w[i];
    return oder == 0;
}

}  // namespace

// Kernel-table forms of the sequential block decoder: the generic one takes
// the input byte by byte, the wide one eight bytes at a time when it can.
namespace {
int32_t block_dekodieren(Jpeg_Strom* s, const Jpeg_Huffman_Tabelle* dc, const Jpeg_Huffman_Tabelle* ac, int32_t* pred,
                         int16_t* blk, bool breit) {
    JPEG_PROPERTIES* p = Besitzer(s);
    Bits* b = &p->Dek_Zustand->bits;
    b->breit = breit;
    Block_Dekodieren(b, Schnelltabelle(p, dc), Schnelltabelle(p, ac), pred, blk);
    return 0;
}
}  // namespace

int32_t Jpeg_Decode_Block(Jpeg_Strom* s, const Jpeg_Huffman_Tabelle* dc, const Jpeg_Huffman_Tabelle* ac, int32_t* pred,
                          int16_t* blk) {
    return block_dekodieren(s, dc, ac, pred, blk, false);
}

int32_t Jpeg_Decode_Block_Breit(Jpeg_Strom* s, const Jpeg_Huffman_Tabelle* dc, const Jpeg_Huffman_Tabelle* ac,
                                int32_t* pred, int16_t* blk) {
    return block_dekodieren(s, dc, ac, pred, blk, true);
}

int32_t Jpeg_Decode_Block_DC(Jpeg_Strom* s, const Jpeg_Huffman_Tabelle* dc, const Jpeg_Huffman_Tabelle* ac,
                             int32_t* pred, int16_t* blk) {
    JPEG_PROPERTIES* p = Besitzer(s);
    Block_Ueberspringen(&p->Dek_Zustand->bits, Schnelltabelle(p, dc), Schnelltabelle(p, ac), pred, blk);
    return 0;
}

namespace jpeg_dek {

void Quant_Angleichen(JPEG_PROPERTIES* p, const Zustand* z) {
    for (Jpeg_Quant_Tabelle& q : p->Quant_Tabelle)
        if (q.Form != 0 && q.Form != 1 + z->dct_art) Jpeg_Dqtab_Fuer(&q, z->dct_art);
}

int32_t Scan_Dekodieren(JPEG_PROPERTIES* p, Zustand* z, Jpeg_Scan* scan) {
    if (!z->bereit) {
        // The first scan decides: one scan with every component goes straight to
        // the output, anything else is gathered first.
        // Component planes take the whole picture's blocks: gathered as well.
        z->gepuffert = p->Rahmen_Art == 0xC2 || scan->Ns < p->Anzahl_Komponenten || p->Komponenten_Ebenen;
        z->zickzack = p->Rahmen_Art == 0xC2;
        p->Verschachtelung = scan->Ns < p->Anzahl_Komponenten ? 1 : 0;
        if (int r = Jpeg_Setup_Geometrie(p)) return r;
        // The DCT method is fixed here for the whole picture: the kernels and
        // every table read so far are made ready for it.
        z->dct_art = p->DCT_Art == DCT_GENAU ? DCT_GENAU : DCT_SCHNELL;
        Aktive_Kerne(p, z->dct_art);
        Quant_Angleichen(p, z);
        if (int r = Ausgabe_Einrichten(p, z)) return r;
        z->bereit = true;
        z->spalte = scan->Spalte;
        z->zeile = scan->Zeile;
    }
    // The fast forms of the tables this scan uses, built again only when a
    // table has changed since.
    for (int i = 0; i < scan->Ns; ++i) {
        const Jpeg_Scan_Komponente& k = scan->Komponenten[i];
        if (z->huff_neu & (1u << k.DC_Tabelle)) Schnell_Bauen(&z->dc[k.DC_Tabelle], p->DC_Tabelle[k.DC_Tabelle], false);
        if (z->huff_neu & (16u << k.AC_Tabelle)) Schnell_Bauen(&z->ac[k.AC_Tabelle], p->AC_Tabelle[k.AC_Tabelle], true);
        z->huff_neu &= ~((1u << k.DC_Tabelle) | (16u << k.AC_Tabelle));
    }
    z->bits.breit = p->Strom.Prozessor >= JCPU_F6_MMX;
    int r;
    if (!z->gepuffert) {
        if (z->bild_fertig) {
            // A further scan of a finished picture is passed over, its data unread.
            z->daten_ueberlesen = true;
            return 0;
        }
        r = Sequentiell(p, z, scan);
    } else {
        r = Gepuffert(p, z, scan);
    }
    if (r == 1 || (r == 2 && z->band_offen)) return r;
    Schaden(z);
    if (r == 0) Rest_Pruefen(z);
    z->bits.null_bytes = 0;
    z->grau = false;
    Bits_Leeren(&z->bits);
    return r;
}

void Rest_Pruefen(Zustand* z) {
    const int64_t echt = int64_t{z->bits.anzahl} - 8 * int64_t{z->bits.null_bytes};
    if (echt >= 8) z->fremde_bytes = true;
}

#if defined(__x86_64__) || defined(__i386__)
namespace {
// The vector form of Gesammelt_Streuen: two word permutations across the
// block's two halves, then the dequantisation. Zero coefficients give zero
// either way, so every place is what placing and dequantising the non-zero
// ones alone gives.
struct Natuerlich_Auswahl {
    alignas(64) int16_t w[64];  // natural place n <- zigzag position
    constexpr Natuerlich_Auswahl() : w{} {
        // Natuerlich's first 64 entries, here as a constant.
        constexpr uint8_t zz[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                    12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                    35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
        for (int i = 0; i < 64; ++i) w[zz[i]] = static_cast<int16_t>(i);
    }
};
constexpr Natuerlich_Auswahl k_natuerlich{};

template <bool Schnell>
__attribute__((target("avx512f,avx512bw"))) void Streuen_AVX512(const int16_t* zz, const int16_t* q, int16_t* ziel) {
    const __m512i a = _mm512_loadu_si512(zz), b = _mm512_loadu_si512(zz + 32);
    for (int h = 0; h < 2; ++h) {
        const __m512i c = _mm512_permutex2var_epi16(a, _mm512_load_si512(k_natuerlich.w + 32 * h), b);
        const __m512i m = _mm512_loadu_si512(q + 32 * h);
        __m512i v;
        if (Schnell) {
            // Bits 7..22 of c m + 64 from the product's halves, the carry of
            // the low half's +64 taken into the high one.
            const __m512i lo = _mm512_add_epi16(_mm512_mullo_epi16(c, m), _mm512_set1_epi16(64));
            const __mmask32 uebertrag = _mm512_cmpeq_epi16_mask(_mm512_srli_epi16(lo, 6), _mm512_setzero_si512());
            const __m512i hi = _mm512_mask_add_epi16(_mm512_mulhi_epi16(c, m), uebertrag, _mm512_mulhi_epi16(c, m),
                                                     _mm512_set1_epi16(1));
            v = _mm512_or_si512(_mm512_srli_epi16(lo, 7), _mm512_slli_epi16(hi, 9));
        } else {
            v = _mm512_mullo_epi16(c, m);
        }
        _mm512_storeu_si512(ziel + 32 * h, v);
    }
}

}  // namespace
#endif

bool Gesammelt_Streuen(const int16_t* zz, const int16_t* q, bool schnell, int16_t* ziel) {
#if defined(__x86_64__) || defined(__i386__)
    static const bool avx512 = Jpeg_Simd_Hat(JSIMD_AVX512_VNNI) || Jpeg_Simd_Hat(JSIMD_AVX512_VBMI);
    if (!avx512) return false;
    if (schnell) Streuen_AVX512<true>(zz, q, ziel);
    else Streuen_AVX512<false>(zz, q, ziel);
    return true;
#else
    (void)zz, (void)q, (void)schnell, (void)ziel;
    return false;
#endif
}


int32_t Gepuffert_Ausgeben(JPEG_PROPERTIES* p, Zustand* z) {
    Jpeg_Kern_Tabelle* kt = p->Strom.Kern_Tabelle;
    int16_t* blk = p->Arbeitsbereich;
    int32_t von, bis;
    Benoetigte_Zeilen(z, &von, &bis);
    Jpeg_Block_Fn idct[4];
    for (int c = 0; c < z->n; ++c) idct[c] = IDCT_Fuer(kt, z->k[c].bs);
    // The direct road as for sequential scans: the accurate SIMD inverse
    // writes bytes into the strips, two blocks at once with AVX2.
    // The fast transform by its byte-writing form.
    const Jpeg_Block_Fn i8 = kt->IDCT_8x8_Aktiv;
    const bool schnell = Schnell_Direkt(kt, z->dct_art == DCT_GENAU);
    bool direkt = z->bs == 8 && (schnell || (z->dct_art == DCT_GENAU && (i8 == Jpeg_IDCT_Genau_SSE2 ||
                                                                          i8 == Jpeg_IDCT_Genau_SSE ||
                                                                          i8 == Jpeg_IDCT_Genau_MMX)));
    for (int c = 0; c < z->n; ++c) direkt = direkt && z->k[c].bs == 8;
    const bool paare = direkt && i8 != Jpeg_IDCT_Genau_MMX && Jpeg_Hat_AVX2();
    alignas(32) int16_t slots[2][64];
    int slot = 0;
    // A gathered block in natural order.
    auto Holen = [zz = z->zickzack](int16_t* ziel, const int16_t* quelle) {
        if (!zz) {
            std::memcpy(ziel, quelle, 64 * sizeof(int16_t));
            return;
        }
        std::memset(ziel, 0, 64 * sizeof(int16_t));
        for (uint64_t m = Nicht_Null_Maske(quelle); m; m &= m - 1) {
            const int i = __builtin_ctzll(m);
            ziel[Natuerlich[i]] = quelle[i];
        }
    };
    Bytes_Idct bytes{paare, schnell};
    auto absenden = [&] { bytes.Absenden(); };
    // The caller's component planes: each block's 8 rows of 8 values at its
    // place, quantised coefficients in natural order (mode 0) or samples.
    const Jpeg_Komponenten_Ebenen* ebenen = p->Komponenten_Ebenen;
    if (ebenen) direkt = false;
    auto ablegen = [&](int c, int32_t spalte, int32_t zeile, const int16_t* werte, bool klemmen) {
        const Komp& k = z->k[c];
        const int64_t breite = int64_t{k.bloecke_x} * 8;
        int16_t* ziel = ebenen->Ebene[c] + int64_t{zeile} * 8 * breite + int64_t{spalte} * 8;
        for (int r = 0; r < 8; ++r)
            for (int x = 0; x < 8; ++x) {
                const int16_t v = werte[8 * r + x];
                ziel[r * breite + x] = klemmen ? static_cast<int16_t>(v < 0 ? 0 : (v > 255 ? 255 : v)) : v;
            }
    };
    // The accurate dequantisation is the low 16 bits of each product in every form.
    // The fast one, (c m + 64) >> 7, is done so as well when the table's
    // multipliers fit 16 bits.
    const bool streuen =
        direkt && z->zickzack &&
        (schnell || kt->Dequantisieren_Aktiv == Jpeg_Dequant_Genau ||
         kt->Dequantisieren_Aktiv == Jpeg_Dequant_Genau_MMX || kt->Dequantisieren_Aktiv == Jpeg_Dequant_Genau_SSE2);
    if (!z->ausgabe_laeuft) {
        z->ausgabe_laeuft = true;
        z->zeile = von;
        z->spalte = 0;
    }
    // MCU by MCU (a stepped decode stops after each one), row by row out.
    while (z->zeile < bis) {
        const int32_t my = z->zeile;
        while (z->spalte < z->mcu_x) {
            const int32_t mx = z->spalte;
            for (int c = 0; c < z->n; ++c) {
                if (z->nur_luma && c > 0) break;  // grey output: the colour is not needed
                Komp& k = z->k[c];
                const int16_t* q = p->Quant_Tabelle[k.quant].Werte;
                for (int by = 0; by < k.v; ++by) {
                    const int32_t zeile = my * k.v + by;
                    for (int bx = 0; bx < k.h; ++bx) {
                        const int32_t spalte = mx * k.h + bx;
                        const int16_t* quelle = k.koef + (static_cast<int64_t>(zeile) * k.bloecke_x + spalte) * 64;
                        if (direkt && streuen && (!schnell || q[JPEG_QTAB_SCHMAL] == 1)) {
                            // Gathered in zigzag order: the non-zero ones are placed and
                            // dequantised in one pass.
                            int16_t* kb = slots[slot];
                            // The same block two MCUs on is fetched meanwhile.
                            __builtin_prefetch(quelle + 2 * 64 * k.h);
                            __builtin_prefetch(quelle + 2 * 64 * k.h + 32);
                            uint8_t* ziel =
                                k.streifen[my & 1] + static_cast<int64_t>(by * 8) * k.streifen_breite + spalte * 8;
                            const uint64_t m = Nicht_Null_Maske(quelle);
                            if (!(m & ~uint64_t{1}) && DC_Block_Kopieren(z, c, quelle[0], ziel, k.streifen_breite))
                                continue;
                            std::memset(kb, 0, 64 * sizeof(int16_t));
                            if (!(m & ~uint64_t{1})) {
                                kb[0] = quelle[0];
                                DC_Block_Ablegen(p, z, c, spalte, zeile, kb, kb[0], q, idct[c]);
                                continue;
                            }
                            if (Gesammelt_Streuen(quelle, q, schnell, kb)) {
                                if (bytes.Block(kb, ziel, k.streifen_breite, nullptr)) slot ^= 1;
                                continue;
                            }
                            if (schnell) {
                                for (uint64_t mm = m; mm; mm &= mm - 1) {
                                    const int i = __builtin_ctzll(mm), n = Natuerlich[i];
                                    kb[n] = static_cast<int16_t>((int32_t{quelle[i]} * q[n] + 64) >> 7);
                                }
                                if (bytes.Block(kb, ziel, k.streifen_breite, nullptr)) slot ^= 1;
                                continue;
                            }
                            for (uint64_t mm = m; mm; mm &= mm - 1) {
                                const int i = __builtin_ctzll(mm), n = Natuerlich[i];
                                kb[n] = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint16_t>(quelle[i]) *
                                                                                   static_cast<uint16_t>(q[n])));
                            }
                            if (bytes.Block(kb, ziel, k.streifen_breite)) slot ^= 1;
                            continue;
                        }
                        if (direkt) {
                            int16_t* kb = slots[slot];
                            Holen(kb, quelle);
                            uint8_t* ziel =
                                k.streifen[my & 1] + static_cast<int64_t>(by * 8) * k.streifen_breite + spalte * 8;
                            if (Nur_DC(kb)) {
                                if (!DC_Block_Kopieren(z, c, kb[0], ziel, k.streifen_breite))
                                    DC_Block_Ablegen(p, z, c, spalte, zeile, kb, kb[0], q, idct[c]);
                                continue;
                            }
                            if (!schnell) kt->Dequantisieren_Aktiv(kb, q);
                            if (bytes.Block(kb, ziel, k.streifen_breite, q)) slot ^= 1;
                            continue;
                        }
                        Holen(blk, quelle);
                        if (ebenen) {
                            if (ebenen->Modus != 0) {
                                kt->Dequantisieren_Aktiv(blk, q);
                                idct[c](blk);
                            }
                            ablegen(c, spalte, zeile, blk, ebenen->Modus != 0);
                            continue;
                        }
                        if (k.bs == 8 && Nur_DC(blk)) {
                            DC_Block_Ablegen(p, z, c, spalte, zeile, blk, blk[0], q, idct[c]);
                            continue;
                        }
                        kt->Dequantisieren_Aktiv(blk, q);
                        idct[c](blk);
                        Block_Ablegen(z, c, spalte, zeile, blk);
                    }
                }
            }
            ++z->spalte;
            if (p->Unterbrechen && !(z->spalte == z->mcu_x && my + 1 == bis)) {
                absenden();
                p->Bereich_Links = p->Bereich_Rechts = mx;
                p->Bereich_Oben = p->Bereich_Unten = my;
                return JPEG_ERG_UNTERBROCHEN;
            }
        }
        absenden();
        if (!ebenen) kt->Dek_Zeile(p, z->mcu_x, my);
        ++z->zeile;
        z->spalte = 0;
    }
    if (z->zeile < z->mcu_y && z->bereich) {
        // The rows below are written when a further call asks for them.
        z->band_offen = true;
        return JPEG_ERG_BEREICH_FERTIG;
    }
    z->bild_fertig = true;
    return 0;
}

}  // namespace jpeg_dek

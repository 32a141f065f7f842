// The encoder's drivers: default tables and quality scaling, the stream's
// opening (markers and tables, or tables prepared without being written),
// and the baseline sequential driver with its MCU loop, restart markers and
// the stepping encode (one MCU per call while Unterbrechen is set).
#include "jpeg/enc_intern.h"
#include "jpeg/jpeg_simd.h"

#include <algorithm>
#include <cstring>

// ---------------------------------------------------------------------------
// Tables

int32_t Jpeg_Standardtabellen(JPEG_PROPERTIES* p) {
    // The encoder always writes interleaved scans. A record that decoded a
    // non-interleaved picture keeps Verschachtelung set; left as it is, the
    // write would run with a wrong MCU size and no converter.
    if (!p->Fortsetzung) p->Verschachtelung = 0;
    bool quant_eigen = false;
    if (p->Quant_Extern)
        for (const Jpeg_Quant_Vorgabe& q : p->Quant_Vorgabe) quant_eigen = quant_eigen || q.Werte;
    if (!quant_eigen) {
        p->Quant_Vorgabe[0] = {const_cast<uint8_t*>(Jpeg_Std_Quant_Luma), 0};
        p->Quant_Vorgabe[1] = {const_cast<uint8_t*>(Jpeg_Std_Quant_Chroma), 1};
        p->Quant_Vorgabe[2] = {nullptr, 0};
        p->Quant_Vorgabe[3] = {nullptr, 0};
        p->Anzahl_Quant_Tabellen = 2;
        p->Anzahl_Quant_Vorgaben = 2;
    }
    bool huff_eigen = false;
    if (p->Huffman_Extern)
        for (const Jpeg_Huffman_Vorgabe& h : p->Huffman_Vorgabe) huff_eigen = huff_eigen || (h.Anzahlen && h.Werte);
    if (!huff_eigen) {
        auto setze = [&](int i, const uint8_t* a, const uint8_t* w, uint8_t klasse, uint8_t kennung) {
            p->Huffman_Vorgabe[i] = {const_cast<uint8_t*>(a), const_cast<uint8_t*>(w), klasse, kennung};
        };
        setze(0, Jpeg_Std_DC_Luma_Anzahlen, Jpeg_Std_DC_Luma_Werte, 0, 0);
        setze(1, Jpeg_Std_AC_Luma_Anzahlen, Jpeg_Std_AC_Luma_Werte, 1, 0);
        setze(2, Jpeg_Std_DC_Chroma_Anzahlen, Jpeg_Std_DC_Chroma_Werte, 0, 1);
        setze(3, Jpeg_Std_AC_Chroma_Anzahlen, Jpeg_Std_AC_Chroma_Werte, 1, 1);
        for (int i = 4; i < 8; ++i) setze(i, nullptr, nullptr, 0, 0);
        p->Anzahl_DC_Tabellen = 2;
        p->Anzahl_AC_Tabellen = 2;
        p->Anzahl_Huffman_Vorgaben = 2;
        const uint8_t auswahl[4] = {0, 1, 1, 1};
        std::memcpy(p->DC_Auswahl, auswahl, 4);
        std::memcpy(p->AC_Auswahl, auswahl, 4);
    }
    return 0;
}

void Jpeg_Qtab_Skalieren(uint32_t qualitaet, const uint8_t* basis, int16_t* aus) {
    int32_t q = qualitaet < 1 ? 1 : qualitaet > 100 ? 100 : static_cast<int32_t>(qualitaet);
    int32_t s = q < 50 ? 5000 / q : 200 - 2 * q;
    for (int i = 0; i < 64; ++i) {
        int32_t v = (basis[i] * s + 50) / 100;
        aus[i] = static_cast<int16_t>(v < 1 ? 1 : v > 255 ? 255 : v);
    }
}

namespace {

int32_t Anzahl_Quant(const JPEG_PROPERTIES* p) {
    int32_t n = p->Anzahl_Quant_Vorgaben;
    return n < 0 ? 0 : n > 4 ? 4 : n;
}

// Scales table i by the quality and, with write, puts its DQT segment out;
// then prepares it for the quantiser of the DCT method.
int32_t Quant_Vorbereiten(JPEG_PROPERTIES* p, int32_t i, bool schreiben) {
    const Jpeg_Quant_Vorgabe& v = p->Quant_Vorgabe[i];
    if (v.Kennung > 3) return JPEG_ERG_QUANT;
    if (p->DCT_Art != DCT_SCHNELL && p->DCT_Art != DCT_GENAU) return JPEG_ERG_PROPERTIES;
    Jpeg_Quant_Tabelle& t = p->Quant_Tabelle[i];
    t.Praezision = 0;
    t.Kennung = v.Kennung;
    p->Quant_Aktiv[i] = t.Werte;
    Jpeg_Qtab_Skalieren(p->Qualitaet, v.Werte, t.Werte);
    // The fast quantiser needs at least 2 at the last position; the segment
    // carries the value it really uses.
    if (p->DCT_Art == DCT_SCHNELL && t.Werte[63] < 2) t.Werte[63] = 2;
    if (schreiben) {
        int32_t e = Jpeg_Write_DQT(&p->Strom, 0, v.Kennung, t.Werte);
        if (e) return e;
    }
    int32_t e = p->DCT_Art == DCT_SCHNELL ? Jpeg_Qtab_Schnell(t.Werte) : Jpeg_Qtab_Praezise(t.Werte);
    if (!e && p->DCT_Art != DCT_SCHNELL) e = Jpeg_Qtab_Genau(t.Werte);
    if (e) p->Quant_Aktiv[i] = nullptr;
    return e;
}

// Derives every Huffman pair into DC_Tabelle/AC_Tabelle and points
// DC_Aktiv/AC_Aktiv at them by the entries' numbers.
int32_t Huffman_Ableiten(JPEG_PROPERTIES* p) {
    int32_t paare = p->Anzahl_Huffman_Vorgaben;
    if (paare < 1 || paare > 4) return JPEG_ERG_HUFFMAN;
    for (int k = 0; k < paare; ++k) {
        const Jpeg_Huffman_Vorgabe& d = p->Huffman_Vorgabe[2 * k];
        const Jpeg_Huffman_Vorgabe& a = p->Huffman_Vorgabe[2 * k + 1];
        if (!d.Anzahlen || !d.Werte || !a.Anzahlen || !a.Werte || d.Kennung > 3 || a.Kennung > 3)
            return JPEG_ERG_HUFFMAN;
        p->DC_Aktiv[d.Kennung] = &p->DC_Tabelle[k];
        p->AC_Aktiv[a.Kennung] = &p->AC_Tabelle[k];
        int32_t e = Jpeg_Build_Huffman_Kod(d.Anzahlen, d.Werte, &p->DC_Tabelle[k].Kod);
        if (!e) e = Jpeg_Build_Huffman_Kod(a.Anzahlen, a.Werte, &p->AC_Tabelle[k].Kod);
        // A table without a code for a symbol the data can need would make
        // the stream undecodable while the write reports success.
        if (!e && (!Jpeg_Huffman_Vollstaendig(&p->DC_Tabelle[k].Kod, 0) ||
                   !Jpeg_Huffman_Vollstaendig(&p->AC_Tabelle[k].Kod, 1)))
            e = JPEG_ERG_HUFFMAN;
        if (e) {
            p->DC_Aktiv[d.Kennung] = nullptr;
            p->AC_Aktiv[a.Kennung] = nullptr;
            return e;
        }
    }
    return 0;
}

int32_t Tabellen_Schreiben(JPEG_PROPERTIES* p) {
    for (int i = 0; i < Anzahl_Quant(p); ++i) {
        if (!p->Quant_Vorgabe[i].Werte) continue;
        int32_t e = Quant_Vorbereiten(p, i, true);
        if (e) return e;
    }
    if (p->Scan_Zaehler == 0) {
        int32_t e = Jpeg_Write_DHT(&p->Strom, p);
        if (e) return e;
        e = Huffman_Ableiten(p);
        if (e) return e;
    }
    return 0;
}

bool Nur_Daten(int32_t modus) {
    return modus == JMODUS_DATEI_DATEN_SCHREIBEN || modus == JMODUS_PUFFER_DATEN_SCHREIBEN;
}

bool Nur_Tabellen(int32_t modus) {
    return modus == JMODUS_DATEI_KOPF_SCHREIBEN || modus == JMODUS_PUFFER_KOPF_SCHREIBEN;
}

}  // namespace

int32_t Jpeg_Kopf_Schreiben(JPEG_PROPERTIES* p) {
    Jpeg_Strom* s = &p->Strom;
    Jpeg_Kern_Tabelle* kt = s->Kern_Tabelle;
    kt->Bits_Start(s, p->Jpg_Puffer, p->Jpg_Puffer_Groesse);
    int32_t e = Jpeg_Write_SOI(s);
    if (e) return e;
    if (!Nur_Daten(p->Modus)) {
        if (p->Jpg_Farbraum == FARBE_RGB || p->Jpg_Farbraum == FARBE_RGBA) e = Jpeg_Write_APP14(0, p);
        else if (p->Jpg_Farbraum == FARBE_YCBCRA) e = Jpeg_Write_APP14(2, p);
        else e = Jpeg_Write_APP0(p);
        if (!e) e = Jpeg_Write_COM(p);
        if (!e) e = Tabellen_Schreiben(p);
        if (e) return e;
    } else {
        // Data only: tables prepared by an earlier call on the record (a
        // table-only write, say) stay in use, so both streams agree.
        for (int i = 0; i < Anzahl_Quant(p); ++i) {
            if (p->Quant_Aktiv[i] || !p->Quant_Vorgabe[i].Werte) continue;
            e = Quant_Vorbereiten(p, i, false);
            if (e) return e;
        }
        e = Huffman_Ableiten(p);
        if (e) return e;
    }
    if (p->DCT_Art == DCT_GENAU) {
        // The accurate method keeps three more bits from the transform to the
        // quantiser, which divides exactly: one rounding, not two.
        kt->FDCT_Aktiv = kt->FDCT_Praezise;
        kt->Quantisieren_Aktiv = kt->Quantisieren_Praezise;
    } else {
        kt->FDCT_Aktiv = kt->FDCT_Schnell;
        kt->Quantisieren_Aktiv = kt->Quantisieren_Schnell;
    }
    if (Nur_Tabellen(p->Modus)) {
        e = Jpeg_Write_EOI(s);
        if (e) return e;
        if (s->Datei) return Jpeg_Ausgabe_Ende(s);
    }
    if (s->Datei) return Jpeg_Ausgabe_Leeren(s);
    return 0;
}

// ---------------------------------------------------------------------------
// MCU loop

namespace {

// The SIMD forms of the accurate transform all compute what the SSE2 form
// does, and so do those of the accurate quantiser; with AVX2 two blocks go
// through both at once.
bool Paarweise(const Jpeg_Kern_Tabelle* kt) {
    const Jpeg_Block_Fn f = kt->FDCT_Aktiv;
    return (f == Jpeg_FDCT_Genau_SSE2 || f == Jpeg_FDCT_Genau_SSE || f == Jpeg_FDCT_Genau_MMX ||
            f == Jpeg_FDCT_Praezise_SSE2) &&
           Jpeg_Hat_AVX2();
}

bool Praezise(const Jpeg_Kern_Tabelle* kt) { return kt->FDCT_Aktiv == Jpeg_FDCT_Praezise_SSE2; }

// The fast transform with its SIMD quantiser: pairs fused in one AVX2 call.
bool Schnell_Paarweise(const Jpeg_Kern_Tabelle* kt) {
    return kt->FDCT_Aktiv == Jpeg_FDCT_Schnell_MMX && kt->Quantisieren_Aktiv == Jpeg_Quant_Schnell_MMX &&
           Jpeg_Hat_AVX2();
}

bool Paarweise_Quant(const Jpeg_Kern_Tabelle* kt) {
    const Jpeg_Quant_Fn q = kt->Quantisieren_Aktiv;
    return (Paarweise(kt) &&
            (Praezise(kt) ? q == Jpeg_Quant_Praezise_SSE2
                          : (q == Jpeg_Quant_Genau_SSE2 || q == Jpeg_Quant_Genau_SSE || q == Jpeg_Quant_Genau_MMX))) ||
           Schnell_Paarweise(kt);
}

// Transforms n blocks at ab and, with tabellen where the pairwise form
// applies, quantises them too (then true).
bool Transformieren(Jpeg_Kern_Tabelle* kt, int16_t* ab, int32_t n, const int16_t* const* tabellen) {
    int32_t b = 0;
    const Jpeg_Block_Fn f = kt->FDCT_Aktiv;
    const bool praezise = Praezise(kt);
    if (tabellen && Paarweise_Quant(kt)) {
        const auto paar = Schnell_Paarweise(kt) ? Jpeg_FDCT_Quant_Schnell_AVX2_Paar
                          : !praezise               ? Jpeg_FDCT_Quant_Genau_AVX2_Paar
                          : Jpeg_Hat_VNNI() ? Jpeg_FDCT_Quant_Praezise_VNNI_Paar
                                            : Jpeg_FDCT_Quant_Praezise_AVX2_Paar;
        for (; b + 1 < n; b += 2) paar(ab + 64 * b, ab + 64 * (b + 1), tabellen[b], tabellen[b + 1]);
        if (b < n) {
            f(ab + 64 * b);
            kt->Quantisieren_Aktiv(ab + 64 * b, tabellen[b]);
        }
        return true;
    }
    if (Paarweise(kt))
        for (; b + 1 < n; b += 2)
            (!praezise        ? Jpeg_FDCT_Genau_AVX2_Paar
             : Jpeg_Hat_VNNI() ? Jpeg_FDCT_Praezise_VNNI_Paar
                               : Jpeg_FDCT_Praezise_AVX2_Paar)(ab + 64 * b, ab + 64 * (b + 1));
    for (; b < n; ++b) f(ab + 64 * b);
    return false;
}

// Fills the work area for one MCU; false when it holds quantised
// coefficients already (no transform).
bool Wandeln(JPEG_PROPERTIES* p, int32_t spalte, int32_t zeile, int32_t bloecke) {
    Jpeg_Kern_Tabelle* kt = p->Strom.Kern_Tabelle;
    int16_t* ab = p->Arbeitsbereich;
    const Jpeg_Komponenten_Ebenen* eb = p->Komponenten_Ebenen;
    if (!eb) {
        kt->Kod_Zeile(p, spalte, zeile);
        return true;
    }
    int16_t* aus = ab;
    for (int k = 0; k < p->Anzahl_Komponenten; ++k) {
        const Jpeg_Komponente& kp = p->Komponenten[k];
        const int64_t breite = static_cast<int64_t>(p->MCU_Spalten) * kp.H * 8;
        for (int by = 0; by < kp.V; ++by)
            for (int bx = 0; bx < kp.H; ++bx) {
                const int16_t* q = eb->Ebene[k] + (static_cast<int64_t>(zeile) * kp.V + by) * 8 * breite +
                                   (static_cast<int64_t>(spalte) * kp.H + bx) * 8;
                for (int y = 0; y < 8; ++y) std::memcpy(aus + y * 8, q + y * breite, 8 * sizeof(int16_t));
                aus += 64;
            }
    }
    if (eb->Modus == 0) return false;
    for (int i = 0; i < bloecke * 64; ++i) ab[i] = static_cast<int16_t>(ab[i] - 128);
    return true;
}

}  // namespace

bool Jpeg_MCU_Fuellen(JPEG_PROPERTIES* p, int32_t spalte, int32_t zeile, int32_t bloecke,
                      const int16_t* const* tabellen) {
    if (!Wandeln(p, spalte, zeile, bloecke)) return false;
    return Transformieren(p->Strom.Kern_Tabelle, p->Arbeitsbereich, bloecke, tabellen);
}

namespace {

int32_t Encode_MCUs(JPEG_PROPERTIES* p, Jpeg_Strom* s, Jpeg_Scan* scan, bool neustart) {
    Jpeg_Kern_Tabelle* kt = s->Kern_Tabelle;
    const Jpeg_Huffman_Tabelle* dc[4];
    const Jpeg_Huffman_Tabelle* ac[4];
    const int16_t* qt[4];
    int32_t nb[4];
    const int32_t ns = scan->Ns;
    int32_t bloecke = 0;
    for (int i = 0; i < ns; ++i) {
        // A lone component's scan header names tables 0; it is coded so.
        int32_t d = ns == 1 ? 0 : p->DC_Auswahl[i], a = ns == 1 ? 0 : p->AC_Auswahl[i];
        dc[i] = d < 4 ? p->DC_Aktiv[d] : nullptr;
        ac[i] = a < 4 ? p->AC_Aktiv[a] : nullptr;
        if (!dc[i] || !ac[i]) return JPEG_ERG_KEINE_HUFFMAN;
        int32_t q = p->Komponenten[i].Quant_Auswahl;
        qt[i] = (q >= 0 && q < 4 && q < Anzahl_Quant(p)) ? p->Quant_Aktiv[q] : nullptr;
        if (!qt[i]) return JPEG_ERG_KEINE_QUANT;
        nb[i] = p->Komponenten[i].H * p->Komponenten[i].V;
        bloecke += nb[i];
    }
    const bool koeffizienten = p->Komponenten_Ebenen && p->Komponenten_Ebenen->Modus == 0;
    // The table of every block of the MCU (twice over), for the fused
    // transform.
    const int16_t* tabellen[JPEG_MAX_LISTENBLOECKE];
    const bool fuellen_quant = !koeffizienten && 2 * bloecke <= JPEG_MAX_LISTENBLOECKE;
    if (fuellen_quant)
        for (int m = 0, k = 0; m < 2; ++m)
            for (int i = 0; i < ns; ++i)
                for (int b = 0; b < nb[i]; ++b) tabellen[k++] = qt[i];
    // With an odd number of blocks per MCU, two neighbouring MCUs are filled
    // side by side in the work area and transformed as whole pairs (not while
    // stepping: each call then codes exactly one MCU).
    const bool doppelt = fuellen_quant && (bloecke & 1) && !p->Unterbrechen && Paarweise_Quant(kt) &&
                         2 * bloecke <= JPEG_ARBEITSBEREICH_BLOECKE;
    // The BMI2 coder takes a whole MCU in one call.
    uint8_t komponente[JPEG_MAX_LISTENBLOECKE];
    const bool ganze_mcu =
        kt->Huffman_Kodieren == Jpeg_Encode_Block_Schnell_BMI2 && bloecke <= JPEG_MAX_LISTENBLOECKE;
    const auto mcu_kodieren =
        Jpeg_Hat_VBMI_Kodierer() ? Jpeg_Encode_Bloecke_Schnell_VBMI : Jpeg_Encode_Bloecke_Schnell_BMI2;
    if (ganze_mcu)
        for (int i = 0, k = 0; i < ns; ++i)
            for (int b = 0; b < nb[i]; ++b) komponente[k++] = static_cast<uint8_t>(i);
    int16_t* const ab = p->Arbeitsbereich;
    const int32_t intervall = p->Neustart_Intervall;
    int32_t e = 0;
    for (int zeile = scan->Zeile; zeile < p->MCU_Zeilen && !e; ++zeile) {
        int32_t spalte = zeile == scan->Zeile ? scan->Spalte : 0;
        if (p->Band_Unten > 0 && spalte == 0) {
            // In bands: an MCU row whose rows are not all in the caller's
            // pixels waits for the next call.
            const int64_t erste = int64_t{zeile} * p->MCU_Hoehe;
            const int64_t letzte = std::min<int64_t>(erste + p->MCU_Hoehe, p->Rahmen_Hoehe);
            if (erste < p->Band_Oben) return JPEG_ERG_PROPERTIES;
            if (letzte > p->Band_Unten) {
                scan->Zeile = zeile;
                scan->Spalte = 0;
                if (kt->Simd_Ende) kt->Simd_Ende();
                return JPEG_ERG_BEREICH_FERTIG;
            }
        }
        int32_t vorrat = 0;  // MCUs of the work area not yet coded
        for (; spalte < p->MCU_Spalten; ++spalte) {
            bool quantisiert;
            int16_t* blk;
            if (vorrat > 0) {
                blk = ab + 64 * bloecke;
                quantisiert = true;
                --vorrat;
            } else if (doppelt && spalte + 1 < p->MCU_Spalten) {
                Wandeln(p, spalte, zeile, bloecke);
                p->Arbeitsbereich = ab + 64 * bloecke;
                Wandeln(p, spalte + 1, zeile, bloecke);
                p->Arbeitsbereich = ab;
                quantisiert = Transformieren(kt, ab, 2 * bloecke, tabellen);
                blk = ab;
                vorrat = 1;
            } else {
                quantisiert = Jpeg_MCU_Fuellen(p, spalte, zeile, bloecke, fuellen_quant ? tabellen : nullptr);
                blk = ab;
            }
            if (ganze_mcu && (koeffizienten || quantisiert)) {
                e = mcu_kodieren(s, blk, bloecke, komponente, dc, ac, scan->DC_Praediktor);
            } else {
                for (int i = 0; i < ns && !e; ++i)
                    for (int b = 0; b < nb[i] && !e; ++b, blk += 64) {
                        if (!koeffizienten && !quantisiert) kt->Quantisieren_Aktiv(blk, qt[i]);
                        e = kt->Huffman_Kodieren(s, dc[i], ac[i], &scan->DC_Praediktor[i], blk);
                    }
            }
            if (e) break;
            const bool letzte = zeile == p->MCU_Zeilen - 1 && spalte == p->MCU_Spalten - 1;
            if (neustart && intervall > 0) {
                int32_t m = ++scan->Zaehler;
                if (m % intervall == 0 && !letzte) {
                    int32_t n = (m / intervall - 1) % 8;
                    if (n == 7) scan->Zaehler = 0;
                    e = Jpeg_Write_RST(n, s);
                    for (int32_t& pr : scan->DC_Praediktor) pr = 0;
                    if (e) break;
                }
            }
            if (p->Unterbrechen) {
                p->Bereich_Rechts = spalte;
                p->Bereich_Unten = zeile;
                if (spalte + 1 < p->MCU_Spalten) {
                    scan->Spalte = spalte + 1;
                    scan->Zeile = zeile;
                } else {
                    scan->Spalte = 0;
                    scan->Zeile = zeile + 1;
                }
                if (kt->Simd_Ende) kt->Simd_Ende();
                return JPEG_ERG_UNTERBROCHEN;
            }
        }
    }
    if (!e) {
        scan->Zeile = p->MCU_Zeilen;
        scan->Spalte = 0;
    }
    if (kt->Simd_Ende) kt->Simd_Ende();
    return e;
}

void Scan_Freigeben(JPEG_PROPERTIES* p) {
    if (p->Fortsetzung) {
        Jpeg_Speicher_Freigeben(p->Fortsetzung->Komponenten);
        Jpeg_Speicher_Freigeben(p->Fortsetzung);
        p->Fortsetzung = nullptr;
    }
}

}  // namespace

int32_t Jpeg_Encode_Sequentiell(JPEG_PROPERTIES* p) {
    Jpeg_Strom* s = &p->Strom;
    if (!p->Fortsetzung) {
        const int32_t ns = p->Anzahl_Komponenten;
        if (ns < 1 || ns > 4 || !p->Komponenten) return JPEG_ERG_KOMPONENTE;
        // The DRI segment carries 16 bits; a larger interval would put the
        // markers elsewhere than the stream announces.
        if (p->Neustart_Intervall < 0 || p->Neustart_Intervall > 65535) return JPEG_ERG_PROPERTIES;
        if (!p->Komponenten_Ebenen) {
            int32_t e = Jpeg_Wandler_Waehlen(p);
            if (e) return e;
        }
        Jpeg_Scan* scan = static_cast<Jpeg_Scan*>(Jpeg_Speicher_Holen(sizeof(Jpeg_Scan)));
        if (!scan) return JPEG_ERG_SPEICHER;
        std::memset(scan, 0, sizeof *scan);
        scan->Komponenten = static_cast<Jpeg_Scan_Komponente*>(Jpeg_Speicher_Holen(sizeof(Jpeg_Scan_Komponente) * ns));
        if (!scan->Komponenten) {
            Jpeg_Speicher_Freigeben(scan);
            return JPEG_ERG_SPEICHER;
        }
        scan->Ns = ns;
        scan->Se = 63;
        scan->Neustart_Intervall = p->Neustart_Intervall;
        for (int i = 0; i < ns; ++i) scan->Komponenten[i] = {i, p->Komponenten[i].H, p->Komponenten[i].V, 0, 0, 0};
        p->Fortsetzung = scan;
        int32_t e = Jpeg_Write_SOF0(s, p);
        if (!e && p->Neustart_Intervall) e = Jpeg_Write_DRI(p->Neustart_Intervall, s);
        if (!e) e = Jpeg_Write_SOS(s, ns, p->DC_Auswahl, p->AC_Auswahl);
        if (!e) e = Jpeg_Ausgabe_Leeren(s);
        if (e) {
            Scan_Freigeben(p);
            return e;
        }
    }
    Jpeg_Scan* scan = p->Fortsetzung;
    // A scan record kept by an interrupted decode is no encode to go on with.
    if (scan->Ns != p->Anzahl_Komponenten || !scan->Komponenten ||
        (!p->Komponenten_Ebenen && !s->Kern_Tabelle->Kod_Zeile) || !s->Eingabe_Zeiger ||
        s->Eingabe_Zeiger > s->Eingabe_Ende)
        return JPEG_ERG_PROPERTIES;
    int32_t e = Encode_MCUs(p, s, scan, p->Neustart_Intervall != 0);
    if (e == JPEG_ERG_BEREICH_FERTIG && p->Band_Unten > 0) return e;  // the next band, please
    if (e == JPEG_ERG_UNTERBROCHEN || e == JPEG_ERG_BEREICH_FERTIG) {
        p->Unterbrechen = 0;
        return JPEG_ERG_UNTERBROCHEN;
    }
    Scan_Freigeben(p);
    if (e) return e;
    e = Jpeg_Write_EOI(s);
    if (!e) e = Jpeg_Ausgabe_Ende(s);
    return e;
}

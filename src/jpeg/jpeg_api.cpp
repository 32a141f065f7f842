// The codec's interface: Jpeg_Init, Jpeg_Lesen, Jpeg_Schreiben, Jpeg_Free,
// the argument check, the result texts and the version record.
#include "jpeg/jpeg_kern.h"

#include <climits>
#include <cstring>
#include <exception>
#include <new>

namespace {

const Jpeg_Versionsdaten versionsdaten = {
    2, 10, 4, "kdvjpeg.lib", "2.10.4", "[2.10.4.17]", "Mar 14 2003", "Release",
};

bool ist_pixelmodus(int32_t m) { return m == 2 || m == 3 || (m >= 6 && m <= 9) || (m >= 12 && m <= 21); }
bool ist_stromstart(int32_t m) { return m == 0 || m == 1 || m == 4 || m == 5 || m == 20 || m == 21; }
bool ist_dekodiermodus(int32_t m) { return m == 2 || m == 3 || m == 6 || m == 7 || (m >= 14 && m <= 19); }
bool ist_schreibmodus(int32_t m) { return m >= 8 && m <= 13; }
bool ist_dateimodus(int32_t m) { return (m & 1) == 0; }

// Reads: JPEG colour and components -> pixel colour and channels.
bool lesepaar_erlaubt(int32_t jf, uint32_t jk, int32_t bf, uint32_t bk) {
    const bool grau1 = bf == FARBE_GRAU && bk == 1;
    const bool rgb3 = (bf == FARBE_RGB || bf == FARBE_BGR) && bk == 3;
    const bool rgba4 = bf == FARBE_RGBA && bk == 4;
    switch (jf) {
        case FARBE_GRAU: return jk == 1 && (grau1 || rgb3 || rgba4);
        case FARBE_RGB: return jk == 3 && (rgb3 || rgba4);
        case FARBE_RGBA: return jk == 4 && rgba4;
        case FARBE_YCBCR: return jk == 3 && (grau1 || rgb3 || rgba4 || bf == FARBE_YCBCR);
        case FARBE_YCBCRA: return jk == 4 && rgba4;
        case FARBE_ANDERE: return bf == FARBE_ANDERE;
        default: return false;
    }
}

// Writes: pixel colour and channels -> JPEG colour and components.
bool schreibpaar_erlaubt(int32_t bf, uint32_t bk, int32_t jf, uint32_t jk) {
    switch (bf) {
        case FARBE_GRAU: return bk == 1 && ((jf == FARBE_GRAU && jk == 1) || (jf == FARBE_YCBCR && jk == 3));
        case FARBE_RGB:
            if (bk == 4) return jf == FARBE_YCBCR && jk == 3;
            [[fallthrough]];
        case FARBE_BGR:
            return bk == 3 &&
                   ((jf == FARBE_GRAU && jk == 1) || (jf == FARBE_RGB && jk == 3) || (jf == FARBE_YCBCR && jk == 3));
        case FARBE_RGBA: return bk == 4 && jk == 4 && (jf == FARBE_RGBA || jf == FARBE_YCBCRA);
        case FARBE_YCBCR: return bk == 3 && jf == FARBE_YCBCR && jk == 3;
        case FARBE_ANDERE: return jf == FARBE_ANDERE && bk >= jk;
        default: return false;
    }
}

void datei_vergessen(JPEG_PROPERTIES& p) {
    if (p.Strom.Datei) {
        Jpeg_Datei_Schliessen(p.Strom.Datei);
        p.Strom.Datei = nullptr;
    }
}

// Closes an open file; 0, or -9 when the system refuses.
int32_t datei_schliessen(JPEG_PROPERTIES& p) {
    if (!p.Strom.Datei) return JPEG_ERG_ERFOLG;
    const int32_t ok = Jpeg_Datei_Schliessen(p.Strom.Datei);
    p.Strom.Datei = nullptr;
    return ok ? JPEG_ERG_ERFOLG : JPEG_ERG_SCHLIESSEN;
}

int16_t* arbeitsbereich(JPEG_PROPERTIES& p) {
    auto adresse = reinterpret_cast<uintptr_t>(p.Arbeitsspeicher);
    adresse = (adresse + 31) & ~uintptr_t(31);
    return reinterpret_cast<int16_t*>(adresse);
}

// Signed row step of the pixel side; 0 when it does not fit 31 bits.
int64_t zeilenlaenge(const JPEG_PROPERTIES& p, bool schreiben) {
    const int64_t pro_pixel = (schreiben && p.Bild_Abtastung == 2) ? 2 : int64_t(p.Bild_Kanaele);
    int64_t laenge = int64_t(p.Bild_Breite) * pro_pixel + int64_t(p.Bild_Fuellbytes);
    if (laenge > INT32_MAX) laenge = 0;
    return p.Bild_Hoehe < 0 ? -laenge : laenge;
}

void pixelseite_kopieren(JPEG_PROPERTIES& p, const Jpeg_Auftrag& a) {
    p.Bild_Pixel = a.Bild_Pixel;
    p.Bild_Breite = a.Bild_Breite;
    p.Bild_Hoehe = a.Bild_Hoehe;
    p.Bild_Fuellbytes = a.Bild_Fuellbytes;
    p.Bild_Kanaele = a.Bild_Kanaele;
    p.Bild_Farbraum = a.Bild_Farbraum;
    p.Bild_Abtastung = a.Bild_Abtastung;
}

// Moves the pixel start to the last row in memory for bottom-up rows.
void zeilenstart(JPEG_PROPERTIES& p) {
    if (p.Bild_Hoehe < 0 && p.Bild_Pixel) p.Bild_Pixel += (int64_t(p.Bild_Hoehe) + 1) * p.Bild_Zeilenlaenge;
}

// The sampling code of the frame held in the record.
int32_t abtastung_des_rahmens(const JPEG_PROPERTIES& p) {
    const int32_t n = p.Anzahl_Komponenten;
    if (n == 1) return ABTASTUNG_KEINE;
    if (n < 1 || n > 4 || !p.Komponenten) return ABTASTUNG_ANDERE;
    const Jpeg_Komponente* k = p.Komponenten;
    auto ist = [&](int i, int h, int v) { return k[i].H == h && k[i].V == v; };
    bool alle_1x1 = true;
    for (int i = 0; i < n; ++i) alle_1x1 = alle_1x1 && ist(i, 1, 1);
    if ((n == 2 || n == 3 || n == 4) && alle_1x1) return ABTASTUNG_KEINE;
    if (n == 3 && ist(1, 1, 1) && ist(2, 1, 1)) {
        if (ist(0, 2, 2)) return ABTASTUNG_411;
        if (ist(0, 2, 1)) return ABTASTUNG_422;
    }
    if (n == 4 && ist(1, 1, 1) && ist(2, 1, 1)) {
        if (ist(0, 2, 2) && ist(3, 2, 2)) return ABTASTUNG_4114;
        if (ist(0, 2, 1) && ist(3, 2, 1)) return ABTASTUNG_4224;
    }
    return ABTASTUNG_ANDERE;
}

// Region fields after an interrupted or partial operation: MCU units to
// pixels, cut to the image.
void bereich_umrechnen(JPEG_PROPERTIES& p) {
    int64_t rechts = (int64_t(p.Bereich_Rechts) * 8 + 8) * p.Max_H;
    int64_t unten = (int64_t(p.Bereich_Unten) * 8 + 8) * p.Max_V;
    if (rechts > int64_t(p.Jpg_Breite)) rechts = p.Jpg_Breite;
    if (unten > int64_t(p.Jpg_Hoehe)) unten = p.Jpg_Hoehe;
    p.Bereich_Rechts = int32_t(rechts);
    p.Bereich_Unten = int32_t(unten);
}

// The caller's tables for data-decoding modes.
int32_t vorgaben_uebernehmen(JPEG_PROPERTIES& p) {
    if (p.Quant_Extern) {
        if (p.Anzahl_Quant_Vorgaben < 0 || p.Anzahl_Quant_Vorgaben > 4) return JPEG_ERG_PROPERTIES;
        for (int i = 0; i < p.Anzahl_Quant_Vorgaben; ++i) {
            const Jpeg_Quant_Vorgabe& v = p.Quant_Vorgabe[i];
            if (!v.Werte) return JPEG_ERG_QUANT;
            Jpeg_Quant_Tabelle& t = p.Quant_Tabelle[i];
            t.Kennung = v.Kennung;
            t.Praezision = 0;
            for (int j = 0; j < 64; ++j) t.Roh[j] = v.Werte[j];
            // Prepared like a table read from the stream, for the method in use.
            Jpeg_Dqtab_Fuer(&t, p.DCT_Art);
        }
    }
    if (p.Huffman_Extern) {
        if (p.Anzahl_Huffman_Vorgaben < 0 || p.Anzahl_Huffman_Vorgaben > 8) return JPEG_ERG_PROPERTIES;
        for (int i = 0; i < p.Anzahl_Huffman_Vorgaben; ++i) {
            const Jpeg_Huffman_Vorgabe& v = p.Huffman_Vorgabe[i];
            if (!v.Anzahlen || !v.Werte || v.Kennung > 3) return JPEG_ERG_HUFFMAN;
            Jpeg_Huffman_Tabelle* ziel = v.Klasse == 0 ? &p.DC_Tabelle[v.Kennung] : &p.AC_Tabelle[v.Kennung];
            if (Jpeg_Build_Huffman(v.Anzahlen, v.Werte, v.Klasse == 0 ? 0 : 1, v.Kennung, ziel) != 0)
                return JPEG_ERG_HUFFMAN;
        }
    }
    return JPEG_ERG_ERFOLG;
}

void zaehler_loeschen(JPEG_PROPERTIES& p) {
    p.Anzahl_Quant_Tabellen = 0;
    p.Anzahl_Quant_Vorgaben = 0;
    p.Anzahl_DC_Tabellen = 0;
    p.Anzahl_AC_Tabellen = 0;
    p.Anzahl_Huffman_Vorgaben = 0;
}

// A decode kept after a region (result 2) goes on below it when the call
// reads the same stream in the same mode into pixels of the same layout and
// the new region continues below the rows written: the caller's pixel side
// is taken afresh. Anything else releases the kept decode (an open file is
// closed, so that it is read from its start again).
void band_pruefen(Jpeg_Auftrag& a, int32_t modus) {
    JPEG_PROPERTIES& p = a.Intern;
    if (!Jpeg_Dek_Band_Offen(&p)) return;
    const bool gleich = a.Intern_Direkt || (a.Jpg_Datei == p.Jpg_Datei && a.Jpg_Puffer == p.Jpg_Puffer &&
                                            a.Jpg_Puffer_Groesse == p.Jpg_Puffer_Groesse &&
                                            a.Bild_Breite == p.Bild_Breite && a.Bild_Kanaele == p.Bild_Kanaele &&
                                            a.Bild_Farbraum == p.Bild_Farbraum && a.Bild_Abtastung == p.Bild_Abtastung);
    if (gleich && modus == p.Modus) {
        if (!a.Intern_Direkt) {
            pixelseite_kopieren(p, a);
            p.Bild_Zeilenlaenge = zeilenlaenge(p, false);
            zeilenstart(p);
            p.Strom.Bild_Zeile = p.Bild_Pixel;
        }
        if (Jpeg_Dek_Band_Weiter(&p)) return;
    }
    if (p.Fortsetzung) {
        Jpeg_Speicher_Freigeben(p.Fortsetzung->Komponenten);
        Jpeg_Speicher_Freigeben(p.Fortsetzung);
        p.Fortsetzung = nullptr;
    }
    Jpeg_Dek_Freigeben(&p);
    datei_vergessen(p);
}

int32_t lesen(Jpeg_Auftrag& a, int32_t modus) {
    JPEG_PROPERTIES& p = a.Intern;
    Jpeg_Strom& s = p.Strom;
    const int32_t alter_modus = p.Modus;
    p.Modus = modus;
    const int32_t pruefung = Jpeg_Pruefen(&a);
    if (pruefung != 0) return pruefung;
    p.Modus = alter_modus;
    band_pruefen(a, modus);
    p.Modus = modus;
    // Even a prepared internal record must name a read mode.
    if (modus < 0 || modus > 21 || ist_schreibmodus(modus)) return JPEG_ERG_PROPERTIES;

    if (ist_stromstart(modus)) p.Strom_Anfang = 1;

    if (ist_dekodiermodus(modus)) {
        const int32_t r = vorgaben_uebernehmen(p);
        if (r != 0) return r;
    } else {
        zaehler_loeschen(p);
    }

    const bool datei = ist_dateimodus(modus);
    if (datei && !s.Datei) {
        const char* name = a.Intern_Direkt ? p.Jpg_Datei : a.Jpg_Datei;
        s.Datei = Jpeg_Datei_Oeffnen(name, JPEG_DATEI_LESEN);
        if (!s.Datei) return JPEG_ERG_DATEINAME;
    }

    if (!a.Intern_Direkt && !p.Fortsetzung) {
        pixelseite_kopieren(p, a);
        p.Jpg_Datei = a.Jpg_Datei;
        p.Jpg_Puffer = a.Jpg_Puffer;
        p.Jpg_Puffer_Groesse = a.Jpg_Puffer_Groesse;
        p.Jpg_Farbraum = a.Jpg_Farbraum;
        p.Farbwandlung = a.Farbwandlung;
        p.Abtastung_Wandeln = a.Abtastung_Wandeln;
        p.Qualitaet = a.Qualitaet;
        p.Bild_Zeilenlaenge = zeilenlaenge(p, false);

        if (datei) {
            // An empty read buffer: the first read fills it from the file.
            s.Eingabe_Anfang = s.Dateipuffer;
            s.Eingabe_Zeiger = s.Eingabe_Ende = s.Dateipuffer + JPEG_DATEIPUFFER;
            s.Eingabe_Kapazitaet = JPEG_DATEIPUFFER;
            s.Eingabe_Rest = 0;
            if (modus == JMODUS_DATEI_VORSCHAU && !Jpeg_Datei_Suchen(s.Datei, 0, 0)) return JPEG_ERG_DATEI;
        } else {
            s.Eingabe_Anfang = s.Eingabe_Zeiger = p.Jpg_Puffer;
            s.Eingabe_Ende = p.Jpg_Puffer + p.Jpg_Puffer_Groesse;
            s.Eingabe_Kapazitaet = s.Eingabe_Rest = p.Jpg_Puffer_Groesse;
        }
        s.Ausgabe_Anzahl = 0;
        zeilenstart(p);
        s.Bild_Zeile = p.Bild_Pixel;
    }
    p.Arbeitsbereich = arbeitsbereich(p);

    const int32_t erg = Jpeg_Decode_Bild(&p);

    if (erg == JPEG_ERG_ERFOLG) {
        const int32_t n = p.Anzahl_Komponenten;
        if (!p.Adobe_Gesehen) {
            if (n == 1) p.Jpg_Farbraum = FARBE_GRAU;
            else if (Jpeg_RGB_Kennungen(&p)) p.Jpg_Farbraum = FARBE_RGB;
            else if (p.JFIF_Gesehen && n == 3) p.Jpg_Farbraum = FARBE_YCBCR;
        } else if (modus == JMODUS_DATEI_PARAMETER || modus == JMODUS_PUFFER_PARAMETER) {
            p.Bild_Kanaele = uint32_t(n);
            if (n == 1) {
                p.Jpg_Farbraum = FARBE_GRAU;
            } else if (n == 3) {
                p.Jpg_Farbraum = p.Adobe_Transform ? FARBE_YCBCR : FARBE_RGB;
            } else if (n == 4) {
                p.Jpg_Farbraum = p.Adobe_Transform ? FARBE_YCBCRA : FARBE_RGBA;
                p.Bild_Farbraum = FARBE_RGBA;
            }
        }
        if (p.Bild_Farbraum == FARBE_YCBCR && p.Jpg_Farbraum == FARBE_YCBCR) p.Bild_Abtastung = 2;

        const int64_t vorlauf = s.Kern_Tabelle ? s.Kern_Tabelle->Lese_Vorlauf : 0;
        if (datei && modus != JMODUS_DATEI_BILD && s.Datei) {
            if (!Jpeg_Datei_Suchen(s.Datei, -(s.Eingabe_Rest + vorlauf), 1)) return JPEG_ERG_DATEI;
        }
        if (modus == JMODUS_PUFFER_PARAMETER || modus == JMODUS_PUFFER_VORSCHAU) {
            // The start of the last start-of-scan segment, never before the buffer.
            const uint8_t* ende = p.Jpg_Puffer + p.Jpg_Puffer_Groesse;
            uint8_t* anfang = p.Jpg_Puffer;
            if (s.Eingabe_Zeiger >= p.Jpg_Puffer && s.Eingabe_Zeiger <= ende &&
                s.Eingabe_Zeiger - p.Jpg_Puffer >= vorlauf && vorlauf >= 0)
                anfang = s.Eingabe_Zeiger - vorlauf;
            s.Eingabe_Anfang = anfang;
        }

        p.Jpg_Abtastung = abtastung_des_rahmens(p);
        a.Jpg_Breite = p.Jpg_Breite;
        a.Jpg_Hoehe = p.Jpg_Hoehe;
        a.Jpg_Kanaele = p.Jpg_Kanaele;
        a.Jpg_Vorschau_Breite = p.Jpg_Vorschau_Breite;
        a.Jpg_Vorschau_Hoehe = p.Jpg_Vorschau_Hoehe;
        a.Farbwandlung = p.Farbwandlung;
        a.Abtastung_Wandeln = p.Abtastung_Wandeln;
        a.Jpg_Abtastung = p.Jpg_Abtastung;
        a.Jpg_Farbraum = p.Jpg_Farbraum;
        a.Bild_Farbraum = p.Bild_Farbraum;
        a.Bild_Kanaele = p.Bild_Kanaele;

        if (modus == JMODUS_DATEI_BILD || modus == JMODUS_DATEI_KOPF || modus == JMODUS_DATEI_DATEN)
            return datei_schliessen(p);
    } else if (erg == JPEG_ERG_UNTERBROCHEN) {
        bereich_umrechnen(p);
    } else if ((erg == JPEG_ERG_BEREICH_FERTIG || erg == JPEG_ERG_BESCHAEDIGT) && datei && ist_dekodiermodus(modus) &&
               !Jpeg_Dek_Band_Offen(&p)) {
        // A finished decode of a region or of damaged data leaves no file
        // open: the next read starts at the file's beginning.
        const int32_t zu = datei_schliessen(p);
        if (zu != 0) return zu;
    }
    return erg;
}

// Lays out the frame's components for a write by the caller's sampling code.
int32_t komponenten_anlegen(JPEG_PROPERTIES& p, int32_t abtastung, uint32_t farbwandlung_aufrufer) {
    const int32_t n = int32_t(p.Jpg_Kanaele);
    if (n < 1 || n > 4 || !p.Komponenten) return JPEG_ERG_KOMPONENTE;
    p.Anzahl_Komponenten = n;
    Jpeg_Komponente* k = p.Komponenten;
    if (abtastung == ABTASTUNG_KEINE) {
        for (int i = 0; i < n; ++i) {
            k[i].Kennung = i;
            k[i].H = k[i].V = 1;
            if (!p.Quant_Extern) {
                if (i == 0) k[i].Quant_Auswahl = 0;
                else if (p.Farbwandlung) k[i].Quant_Auswahl = 1;
            }
        }
        return JPEG_ERG_ERFOLG;
    }
    static constexpr int faktoren[5][4][2] = {
        {},
        {{2, 2}, {1, 1}, {1, 1}, {0, 0}},
        {{2, 1}, {1, 1}, {1, 1}, {0, 0}},
        {{2, 2}, {1, 1}, {1, 1}, {2, 2}},
        {{2, 1}, {1, 1}, {1, 1}, {2, 1}},
    };
    if (abtastung < 1 || abtastung > 4) return JPEG_ERG_ABTASTUNG;
    const int noetig = abtastung <= 2 ? 3 : 4;
    if (n != noetig) return JPEG_ERG_ABTASTUNG;
    for (int i = 0; i < n; ++i) {
        k[i].Kennung = i;
        k[i].H = faktoren[abtastung][i][0];
        k[i].V = faktoren[abtastung][i][1];
        if (!p.Quant_Extern) k[i].Quant_Auswahl = (farbwandlung_aufrufer == 0 || i == 0 || i == 3) ? 0 : 1;
    }
    return JPEG_ERG_ERFOLG;
}

int32_t schreiben(Jpeg_Auftrag& a, int32_t modus) {
    JPEG_PROPERTIES& p = a.Intern;
    Jpeg_Strom& s = p.Strom;
    p.Modus = modus;
    const int32_t pruefung = Jpeg_Pruefen(&a);
    if (pruefung != 0) return pruefung;
    if (!ist_schreibmodus(modus)) return JPEG_ERG_PROPERTIES;

    const bool datei = ist_dateimodus(modus);
    if (datei && !s.Datei) {
        const char* name = a.Intern_Direkt ? p.Jpg_Datei : a.Jpg_Datei;
        s.Datei = Jpeg_Datei_Oeffnen(name, JPEG_DATEI_LESEN | JPEG_DATEI_SCHREIBEN);
        if (!s.Datei) return JPEG_ERG_DATEINAME;
    }

    const bool frisch = !p.Fortsetzung;
    if (!a.Intern_Direkt && !frisch && (p.Band_Oben != 0 || p.Band_Unten != 0)) {
        // The next band of an encode in bands: the caller's pixels afresh.
        pixelseite_kopieren(p, a);
        p.Bild_Zeilenlaenge = zeilenlaenge(p, true);
        zeilenstart(p);
        s.Bild_Zeile = p.Bild_Pixel;
    }
    if (!a.Intern_Direkt && frisch) {
        p.Jpg_Breite = a.Jpg_Breite;
        p.Jpg_Hoehe = a.Jpg_Hoehe;
        p.Jpg_Kanaele = a.Jpg_Kanaele;
        p.Jpg_Farbraum = a.Jpg_Farbraum;
        p.Jpg_Abtastung = a.Jpg_Abtastung;
        p.Jpg_Datei = a.Jpg_Datei;
        p.Jpg_Puffer = a.Jpg_Puffer;
        p.Jpg_Puffer_Groesse = a.Jpg_Puffer_Groesse;
        pixelseite_kopieren(p, a);
        p.Farbwandlung = a.Farbwandlung;
        p.Abtastung_Wandeln = a.Abtastung_Wandeln;
        p.Qualitaet = a.Qualitaet;
        p.Bild_Zeilenlaenge = zeilenlaenge(p, true);
        if (p.Bild_Abtastung == 2 && p.Bild_Farbraum == FARBE_YCBCR && p.Jpg_Farbraum == FARBE_YCBCR)
            p.Jpg_Abtastung = ABTASTUNG_422;
    }

    int32_t r = Jpeg_Standardtabellen(&p);
    if (r != 0) return r;

    const uint32_t farbwandlung_aufrufer = a.Intern_Direkt ? p.Farbwandlung : a.Farbwandlung;
    p.Farbwandlung = 1;
    if (p.Jpg_Farbraum == FARBE_RGB || p.Jpg_Farbraum == FARBE_RGBA || p.Bild_Farbraum == FARBE_GRAU ||
        p.Bild_Farbraum == FARBE_ANDERE || p.Bild_Farbraum == FARBE_YCBCR)
        p.Farbwandlung = 0;

    const int32_t abtastung = a.Intern_Direkt ? p.Jpg_Abtastung : a.Jpg_Abtastung;
    r = komponenten_anlegen(p, abtastung, farbwandlung_aufrufer);
    if (r != 0) return r;

    p.Rahmen_Praezision = 8;
    p.Rahmen_Breite = int32_t(p.Jpg_Breite);
    p.Rahmen_Hoehe = int32_t(p.Jpg_Hoehe);
    p.Max_H = p.Max_V = 1;
    p.Abtastung_Wandeln = 0;
    for (int i = 0; i < p.Anzahl_Komponenten; ++i) {
        const Jpeg_Komponente& k = p.Komponenten[i];
        if (k.H > p.Max_H) p.Max_H = k.H;
        if (k.V > p.Max_V) p.Max_V = k.V;
        if (k.H != 1 || k.V != 1) p.Abtastung_Wandeln = 1;
    }
    if (p.Verschachtelung == 1) {
        p.MCU_Breite = p.MCU_Hoehe = 8;
    } else {
        p.MCU_Breite = p.Max_H * 8;
        p.MCU_Hoehe = p.Max_V * 8;
    }
    p.MCU_Spalten = p.MCU_Pro_Zeile = int32_t((int64_t(p.Jpg_Breite) + p.MCU_Breite - 1) / p.MCU_Breite);
    p.MCU_Zeilen = int32_t((int64_t(p.Jpg_Hoehe) + p.MCU_Hoehe - 1) / p.MCU_Hoehe);
    p.MCU_Gesamt = p.MCU_Spalten * p.MCU_Zeilen;

    if (frisch) {
        s.Ausgabe_Anzahl = 0;
        if (!a.Intern_Direkt) zeilenstart(p);
        s.Bild_Zeile = p.Bild_Pixel;
        r = Jpeg_Kopf_Schreiben(&p);
        if (r != 0) return r;
        if (modus == JMODUS_DATEI_KOPF_SCHREIBEN || modus == JMODUS_PUFFER_KOPF_SCHREIBEN) {
            p.Jpg_Puffer_Groesse = uint32_t(s.Ausgabe_Anzahl);
            a.Jpg_Puffer_Groesse = p.Jpg_Puffer_Groesse;
        }
    }

    int32_t erg = JPEG_ERG_ERFOLG;
    if (modus == 8 || modus == 9 || modus == 12 || modus == 13) {
        p.Arbeitsbereich = arbeitsbereich(p);
        erg = p.Scan_Zaehler == 0 ? Jpeg_Encode_Sequentiell(&p) : Jpeg_Encode_Progressiv(&p);
        p.Strom_Anfang = 1;
        p.Jpg_Puffer_Groesse = uint32_t(s.Ausgabe_Anzahl);
        a.Jpg_Puffer_Groesse = p.Jpg_Puffer_Groesse;
    }
    if (erg == JPEG_ERG_UNTERBROCHEN) {
        bereich_umrechnen(p);
    } else if (erg != JPEG_ERG_BEREICH_FERTIG) {
        const int32_t z = datei_schliessen(p);
        if (erg == JPEG_ERG_ERFOLG && z != 0) erg = z;
    }
    return erg;
}

// Releases everything the record holds except the kernel table.
void puffer_freigeben(JPEG_PROPERTIES& p) {
    Jpeg_Speicher_Freigeben(p.Komponenten);
    p.Komponenten = nullptr;
    p.Anzahl_Komponenten = 0;
    Jpeg_Speicher_Freigeben(p.Koeffizienten_Puffer);
    p.Koeffizienten_Puffer = nullptr;
    if (p.Verzoegerung) {
        int16_t* unterste = nullptr;
        for (int16_t* b : p.Verzoegerung->Bereich)
            if (b && (!unterste || b < unterste)) unterste = b;
        Jpeg_Speicher_Freigeben(unterste);
        Jpeg_Speicher_Freigeben(p.Verzoegerung);
        p.Verzoegerung = nullptr;
    }
    Jpeg_Speicher_Freigeben(p.Jpeg_Einstiegstabelle);
    p.Jpeg_Einstiegstabelle = nullptr;
    Jpeg_Dek_Freigeben(&p);  // the decoder's working state
    if (p.Fortsetzung) {
        Jpeg_Speicher_Freigeben(p.Fortsetzung->Komponenten);
        Jpeg_Speicher_Freigeben(p.Fortsetzung);
        p.Fortsetzung = nullptr;
    }
    std::memset(p.Quant_Vorgabe, 0, sizeof p.Quant_Vorgabe);
    std::memset(p.Huffman_Vorgabe, 0, sizeof p.Huffman_Vorgabe);
    zaehler_loeschen(p);
    p.Quant_Extern = 0;
    p.Huffman_Extern = 0;
}

void kerntabelle_freigeben(JPEG_PROPERTIES& p) {
    if (p.Strom.Kern_Tabelle) {
        Jpeg_Kerne_Freigeben(p.Strom.Kern_Tabelle);
        Jpeg_Speicher_Freigeben(p.Strom.Kern_Tabelle);
        p.Strom.Kern_Tabelle = nullptr;
    }
}

int32_t init(Jpeg_Auftrag& a) {
    std::memset(static_cast<void*>(&a), 0, sizeof a);
    JPEG_PROPERTIES& p = a.Intern;

    auto* tabelle = static_cast<Jpeg_Kern_Tabelle*>(Jpeg_Speicher_Holen(sizeof(Jpeg_Kern_Tabelle)));
    if (!tabelle) return JPEG_ERG_SPEICHER;
    p.Strom.Kern_Tabelle = tabelle;
    const int32_t prozessor = Jpeg_Prozessor_Erkennen(tabelle);
    Jpeg_Kerne_Fuellen(tabelle, prozessor);

    a.Bild_Kanaele = 3;
    a.Bild_Farbraum = FARBE_BGR;
    a.Jpg_Kanaele = 3;
    a.Jpg_Farbraum = FARBE_YCBCR;
    a.Jpg_Abtastung = ABTASTUNG_411;
    a.Farbwandlung = 1;
    a.Abtastung_Wandeln = 1;
    a.Qualitaet = 75;

    p.Modus = JMODUS_KEINER;
    p.DCT_Art = DCT_GENAU;
    pixelseite_kopieren(p, a);
    p.Jpg_Kanaele = a.Jpg_Kanaele;
    p.Jpg_Farbraum = a.Jpg_Farbraum;
    p.Jpg_Abtastung = a.Jpg_Abtastung;
    p.Farbwandlung = a.Farbwandlung;
    p.Abtastung_Wandeln = a.Abtastung_Wandeln;
    p.Qualitaet = a.Qualitaet;
    for (Jpeg_Quant_Tabelle& q : p.Quant_Tabelle) q.Werte = q.Speicher;

    p.Strom_Anfang = 1;
    p.Anzahl_Komponenten = 4;
    p.Komponenten = static_cast<Jpeg_Komponente*>(Jpeg_Speicher_Holen(4 * sizeof(Jpeg_Komponente)));
    if (!p.Komponenten) {
        kerntabelle_freigeben(p);
        return JPEG_ERG_SPEICHER;
    }
    static constexpr uint8_t auswahl[4] = {0, 1, 1, 1};
    for (int i = 0; i < 4; ++i) {
        p.Komponenten[i].Quant_Auswahl = auswahl[i];
        p.AC_Auswahl[i] = auswahl[i];
        p.DC_Auswahl[i] = auswahl[i];
    }

    p.Arbeitsbereich = arbeitsbereich(p);
    p.Adobe_Version = 100;
    p.Speicher_Grenze = JPEG_SPEICHER_GRENZE_VORGABE;
    p.JFIF_Version[0] = p.JFIF_Version[1] = 1;
    p.JFIF_Dichte_X = p.JFIF_Dichte_Y = 1;
    p.Strom.Prozessor = prozessor;
    return JPEG_ERG_ERFOLG;
}

int32_t free_record(Jpeg_Auftrag& a) {
    JPEG_PROPERTIES& p = a.Intern;
    int32_t erg = JPEG_ERG_ERFOLG;
    if (datei_schliessen(p) != 0) erg = JPEG_ERG_SCHLIESSEN;
    for (int16_t*& q : p.Quant_Aktiv) q = nullptr;
    // A corrupt component count is reported, but everything is released.
    if (erg == 0 && p.Anzahl_Komponenten >= 256) erg = JPEG_ERG_PROPERTIES;
    puffer_freigeben(p);
    kerntabelle_freigeben(p);
    return erg;
}

// Runs an operation of the interface; an exception becomes a result code.
template <class Fn>
int32_t geschuetzt(Fn&& fn) {
    try {
        return fn();
    } catch (const std::bad_alloc&) {
        return JPEG_ERG_SPEICHER;
    } catch (...) {
        return JPEG_ERG_AUSNAHME;
    }
}

// A read or write: the operation itself, then the processor's SIMD state is
// cleared and, after an error, no file stays open.
template <class Fn>
int32_t lesen_oder_schreiben(Jpeg_Auftrag* auftrag, Fn&& fn) {
    if (!auftrag || !auftrag->Intern.Strom.Kern_Tabelle) return JPEG_ERG_PROPERTIES;
    JPEG_PROPERTIES& p = auftrag->Intern;
    const int32_t erg = geschuetzt(fn);
    if (p.Strom.Kern_Tabelle && p.Strom.Kern_Tabelle->Simd_Ende) p.Strom.Kern_Tabelle->Simd_Ende();
    if (erg < 0) datei_vergessen(p);
    return erg;
}

}  // namespace

// ---------------------------------------------------------------------------

int32_t Jpeg_Pruefen(const Jpeg_Auftrag* a) {
    const JPEG_PROPERTIES& p = a->Intern;
    if (a->Intern_Direkt) return JPEG_ERG_ERFOLG;
    const int32_t m = p.Modus;
    if (m < 0 || m > 21) return JPEG_ERG_PROPERTIES;
    const bool pixel = ist_pixelmodus(m);
    const bool schreiben = ist_schreibmodus(m);

    if (pixel && !p.Komponenten_Ebenen) {
        if (!a->Bild_Pixel || a->Bild_Breite < 1 || a->Bild_Breite > 65535 || a->Bild_Hoehe < -65535 ||
            a->Bild_Hoehe > 65535)
            return JPEG_ERG_PROPERTIES;
        if ((m == JMODUS_DATEI_VORSCHAU || m == JMODUS_PUFFER_VORSCHAU) && a->Bild_Farbraum != FARBE_RGB &&
            a->Bild_Farbraum != FARBE_BGR)
            return JPEG_ERG_VORSCHAU_FARBE;
        if (int32_t(a->Bild_Fuellbytes) < 0 || a->Bild_Kanaele < 1 || a->Bild_Kanaele > 255) return JPEG_ERG_PROPERTIES;
        if (a->Bild_Abtastung != 0 && !(a->Bild_Abtastung == 2 && a->Bild_Farbraum == FARBE_YCBCR))
            return JPEG_ERG_ABTASTUNG;
        // The row step must stay within 31 bits.
        if (int64_t(a->Bild_Breite) * a->Bild_Kanaele + a->Bild_Fuellbytes > INT32_MAX) return JPEG_ERG_PROPERTIES;
    }

    if (ist_dateimodus(m)) {
        if (!a->Jpg_Datei) return JPEG_ERG_PROPERTIES;
    } else if (!a->Jpg_Puffer || a->Jpg_Puffer_Groesse == 0) {
        return JPEG_ERG_PROPERTIES;
    }

    if (a->Jpg_Kanaele < 1 || a->Jpg_Kanaele > 256) return JPEG_ERG_PROPERTIES;

    if (schreiben) {
        if (pixel) {
            if (a->Jpg_Breite < 1 || a->Jpg_Breite > 65535 || a->Jpg_Hoehe < 1 || a->Jpg_Hoehe > 65535)
                return JPEG_ERG_PROPERTIES;
            if (a->Bild_Farbraum != FARBE_GRAU && a->Jpg_Farbraum != FARBE_YCBCR && a->Jpg_Kanaele > a->Bild_Kanaele)
                return JPEG_ERG_PROPERTIES;
            // The pixels must cover the picture that is written.
            if (!p.Komponenten_Ebenen) {
                const int64_t hoehe = a->Bild_Hoehe < 0 ? -int64_t(a->Bild_Hoehe) : a->Bild_Hoehe;
                const bool band = p.Band_Oben != 0 || p.Band_Unten != 0;
                if (band && (p.Band_Oben < 0 || p.Band_Unten <= p.Band_Oben ||
                             int64_t(p.Band_Unten) > int64_t(a->Jpg_Hoehe) || p.Unterbrechen))
                    return JPEG_ERG_PROPERTIES;
                const int64_t noetig = band ? int64_t(p.Band_Unten) - p.Band_Oben : int64_t(a->Jpg_Hoehe);
                if (a->Bild_Breite < a->Jpg_Breite || hoehe < noetig) return JPEG_ERG_PROPERTIES;
            }
        }
        const int32_t abt = a->Jpg_Abtastung;
        bool ok;
        switch (a->Jpg_Kanaele) {
            case 3: ok = abt == 0 || abt == 1 || abt == 2; break;
            case 4: ok = abt == 0 || abt == 3 || abt == 4; break;
            default: ok = abt == 0; break;
        }
        if (!ok) return JPEG_ERG_ABTASTUNG;
        if (!schreibpaar_erlaubt(a->Bild_Farbraum, a->Bild_Kanaele, a->Jpg_Farbraum, a->Jpg_Kanaele))
            return JPEG_ERG_PROPERTIES;
    } else if (!p.Komponenten_Ebenen &&
               !lesepaar_erlaubt(a->Jpg_Farbraum, a->Jpg_Kanaele, a->Bild_Farbraum, a->Bild_Kanaele)) {
        return JPEG_ERG_PROPERTIES;
    }

    if (p.DCT_Art != DCT_SCHNELL && p.DCT_Art != DCT_GENAU) return JPEG_ERG_PROPERTIES;
    if (p.Komponenten_Ebenen && p.Glaettung == 1) return JPEG_ERG_PROPERTIES;
    return JPEG_ERG_ERFOLG;
}

int32_t Jpeg_Init(Jpeg_Auftrag* auftrag) {
    if (!auftrag) return JPEG_ERG_PROPERTIES;
    const int32_t erg = geschuetzt([&] { return init(*auftrag); });
    if (erg != 0) {
        // Nothing stays allocated; the record must not be passed to Jpeg_Free.
        JPEG_PROPERTIES& p = auftrag->Intern;
        Jpeg_Speicher_Freigeben(p.Komponenten);
        p.Komponenten = nullptr;
        kerntabelle_freigeben(p);
    }
    return erg;
}

int32_t Jpeg_Lesen(Jpeg_Auftrag* auftrag, int32_t modus) {
    return lesen_oder_schreiben(auftrag, [&] { return lesen(*auftrag, modus); });
}

int32_t Jpeg_Schreiben(Jpeg_Auftrag* auftrag, int32_t modus) {
    return lesen_oder_schreiben(auftrag, [&] { return schreiben(*auftrag, modus); });
}

int32_t Jpeg_Free(Jpeg_Auftrag* auftrag) {
    // A record that was never initialised, or is already released.
    if (!auftrag || !auftrag->Intern.Strom.Kern_Tabelle) return JPEG_ERG_PROPERTIES;
    try {
        return free_record(*auftrag);
    } catch (...) {
        return JPEG_ERG_AUSNAHME;
    }
}

const Jpeg_Versionsdaten* Jpeg_Version() { return &versionsdaten; }

const char* Jpeg_Fehlertext(int32_t code) {
    switch (code) {
        case 3: return "Decoded, data damaged";
        case 2: return "ROI Success";
        case 1: return "Interrupt Success";
        case 0: return "Success";
        case -1: return "Exception detected";
        case -2: return "Invalid Encoder";
        case -3: return "Unsupported subsampling";
        case -4: return "Unsupported bytes per pixel";
        case -5: return "Memory error";
        case -6: return "Bad Huffman table";
        case -7: return "Bad Quantization table";
        case -8: return "Invalid JPEG_PROPERTIES";
        case -9: return "Error close file";
        case -10: return "Invalid file name";
        case -11: return "Error EOF";
        case -12: return "Not supported";
        case -13: return "Not JPEG";
        case -14: return "Error COMP";
        case -15: return "Error SOF";
        case -16: return "Error DNL";
        case -17: return "No Huffman table";
        case -18: return "No Quantization table";
        case -19: return "No frame";
        case -20: return "Multiply frame";
        case -21: return "Data error";
        case -22: return "No image";
        case -23: return "File error";
        case -24: return "Internal error";
        case -25: return "Bad RST marker";
        case -26: return "Thumbnail too small";
        case -27: return "Thumbnail has wrong color";
        case -28: return "Output buffer too small";
        case -29: return "Unsupported frame was found";
        case -30: return "Error access to jpeg_comment buffer";
        case -99: return "Reserved";
        default: return "Unknown error code";
    }
}

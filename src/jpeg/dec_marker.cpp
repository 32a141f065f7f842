// The decoder's driver: input stream, marker loop and segment readers.
#include "jpeg/dec_intern.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include <sys/mman.h>

using namespace jpeg_dek;

namespace {

constexpr int KEINE_MARKE = 256;

bool Dekodiermodus(int32_t m) { return m == 2 || m == 3 || m == 6 || m == 7 || (m >= 14 && m <= 19); }
bool Startmodus(int32_t m) { return m == 0 || m == 1 || m == 4 || m == 5 || m == 20 || m == 21; }

// ---------------------------------------------------------------------------
// Input

int Datei_Nachladen(Eingabe* e) {
    auto* p = static_cast<JPEG_PROPERTIES*>(e->besitzer);
    Jpeg_Strom& s = p->Strom;
    if (!s.Datei) return JPEG_ERG_DATEI;
    e->genommen_vor_puffer += e->p - e->puffer_anfang;
    uint32_t gelesen = 0;
    int32_t ok = Jpeg_Datei_Lesen(s.Datei, s.Dateipuffer, JPEG_DATEIPUFFER, &gelesen);
    if (gelesen > JPEG_DATEIPUFFER) gelesen = 0;
    e->p = e->puffer_anfang = s.Dateipuffer;
    e->ende = s.Dateipuffer + gelesen;
    // A failing read, or one that brings nothing, ends the input.
    if (!ok || gelesen == 0) return JPEG_ERG_DATEI;
    return 0;
}

void Eingabe_Laden(JPEG_PROPERTIES* p, Zustand* z) {
    Jpeg_Strom& s = p->Strom;
    Eingabe& e = z->ein;
    e.besitzer = p;
    e.p = s.Eingabe_Zeiger;
    e.ende = s.Eingabe_Ende;
    if (s.Datei) {
        e.nachladen = Datei_Nachladen;
        e.puffer_anfang = s.Dateipuffer;
    } else {
        e.nachladen = nullptr;
        e.puffer_anfang = s.Eingabe_Anfang;
    }
    if (!e.p || !e.ende || e.p > e.ende) e.p = e.ende = e.puffer_anfang;
    e.genommen_vor_puffer = s.Ausgabe_Anzahl - (e.p - e.puffer_anfang);
    z->bits.ein = &z->ein;
    z->bits.puffer = s.Bit_Puffer;
    z->bits.anzahl = s.Bit_Anzahl < 0 ? 0 : (s.Bit_Anzahl > 64 ? 64 : s.Bit_Anzahl);
    z->bits.marke = s.Marke_Offen;
}

void Eingabe_Sichern(JPEG_PROPERTIES* p, Zustand* z) {
    Jpeg_Strom& s = p->Strom;
    Eingabe& e = z->ein;
    s.Eingabe_Zeiger = const_cast<uint8_t*>(e.p);
    s.Eingabe_Ende = const_cast<uint8_t*>(e.ende);
    s.Eingabe_Rest = e.ende - e.p;
    s.Ausgabe_Anzahl = e.genommen_vor_puffer + (e.p - e.puffer_anfang);
    s.Bit_Puffer = z->bits.puffer;
    s.Bit_Anzahl = z->bits.anzahl;
    s.Marke_Offen = static_cast<uint8_t>(z->bits.marke > 0xFF ? 0 : z->bits.marke);
}

// The stream starts afresh: memory input at the buffer start, file input
// with an empty read buffer at the file's current position.
void Strom_Zuruecksetzen(JPEG_PROPERTIES* p, Zustand* z) {
    Jpeg_Strom& s = p->Strom;
    if (s.Datei) {
        s.Eingabe_Zeiger = s.Eingabe_Ende = s.Dateipuffer;
        s.Eingabe_Rest = 0;
    } else {
        s.Eingabe_Zeiger = s.Eingabe_Anfang;
        s.Eingabe_Ende = s.Eingabe_Anfang ? s.Eingabe_Anfang + s.Eingabe_Kapazitaet : nullptr;
        s.Eingabe_Rest = s.Eingabe_Kapazitaet;
    }
    s.Bit_Puffer = 0;
    s.Bit_Anzahl = 0;
    s.Marke_Offen = 0;
    s.Sequenz_Komponenten = 0;
    s.Ausgabe_Anzahl = 0;
    Eingabe_Laden(p, z);
}

// One byte; 1 at the end of the input, or a negative error of a refill.
int Byte_Lesen(Zustand* z, uint8_t* b) {
    Eingabe& e = z->ein;
    if (e.p >= e.ende) {
        if (!e.nachladen) return 1;
        int r = e.nachladen(&e);
        if (e.p >= e.ende) return r < 0 && e.genommen_vor_puffer == 0 ? r : 1;
    }
    *b = *e.p++;
    return 0;
}

// The next n bytes of a segment: a pointer into the buffer, or a heap copy
// (then *eigen is set and the caller frees it).
int Bytes_Holen(Zustand* z, int32_t n, const uint8_t** daten, uint8_t** eigen) {
    Eingabe& e = z->ein;
    *eigen = nullptr;
    if (e.ende - e.p >= n) {
        *daten = e.p;
        e.p += n;
        return 0;
    }
    auto* kopie = static_cast<uint8_t*>(std::malloc(n > 0 ? static_cast<size_t>(n) : 1));
    if (!kopie) return JPEG_ERG_SPEICHER;
    int32_t hat = 0;
    while (hat < n) {
        if (e.p >= e.ende) {
            if (!e.nachladen || e.nachladen(&e) < 0 || e.p >= e.ende) {
                std::free(kopie);
                return JPEG_ERG_DATEN;
            }
        }
        int32_t stueck = static_cast<int32_t>(e.ende - e.p);
        if (stueck > n - hat) stueck = n - hat;
        std::memcpy(kopie + hat, e.p, static_cast<size_t>(stueck));
        e.p += stueck;
        hat += stueck;
    }
    *daten = kopie;
    *eigen = kopie;
    return 0;
}

int Laenge_Lesen(Zustand* z, int32_t* l) {
    uint8_t a, b;
    if (Byte_Lesen(z, &a) || Byte_Lesen(z, &b)) return JPEG_ERG_DATEN;
    *l = (a << 8) | b;
    return 0;
}

// Reads a whole segment body (length field included in the count L).
struct Segment {
    const uint8_t* d = nullptr;
    uint8_t* eigen = nullptr;
    int32_t n = 0;
    ~Segment() { std::free(eigen); }
};

int Segment_Lesen(Zustand* z, Segment* seg, int32_t* laenge = nullptr) {
    int32_t l;
    if (int r = Laenge_Lesen(z, &l)) return r;
    if (laenge) *laenge = l;
    if (l < 2) return JPEG_ERG_DATEN;
    seg->n = l - 2;
    return Bytes_Holen(z, seg->n, &seg->d, &seg->eigen);
}

int Segment_Ueberspringen(Zustand* z) {
    int32_t l;
    if (int r = Laenge_Lesen(z, &l)) return r;
    if (l < 2) return JPEG_ERG_DATEN;
    int32_t rest = l - 2;
    Eingabe& e = z->ein;
    while (rest > 0) {
        if (e.p >= e.ende) {
            if (!e.nachladen || e.nachladen(&e) < 0 || e.p >= e.ende) return JPEG_ERG_DATEN;
        }
        int32_t stueck = static_cast<int32_t>(e.ende - e.p);
        if (stueck > rest) stueck = rest;
        e.p += stueck;
        rest -= stueck;
    }
    return 0;
}

// The next marker code, KEINE_MARKE at the end of the input, or an error.
int Marke_Holen(Zustand* z) {
    if (z->bits.marke) {
        int m = z->bits.marke;
        z->bits.marke = 0;
        return m > 0xFF ? KEINE_MARKE : m;
    }
    // Bytes before the marker (other than fill bytes 0xFF) are damage,
    // unless they are the unread data of a scan that was passed over.
    const bool zaehlen = !z->daten_ueberlesen;
    z->daten_ueberlesen = false;
    uint8_t b;
    for (;;) {
        int r = Byte_Lesen(z, &b);
        if (r < 0) return r;
        if (r) return KEINE_MARKE;
        if (b != 0xFF) {
            if (zaehlen) z->fremde_bytes = true;
            continue;
        }
        for (;;) {
            r = Byte_Lesen(z, &b);
            if (r < 0) return r;
            if (r) return KEINE_MARKE;
            if (b != 0xFF) break;
        }
        if (b != 0x00) return b;
        if (zaehlen) z->fremde_bytes = true;
    }
}

uint16_t Wort(const uint8_t* d) { return static_cast<uint16_t>((d[0] << 8) | d[1]); }

// ---------------------------------------------------------------------------
// Segment readers

int Lies_SOF(JPEG_PROPERTIES* p, Zustand* z, int marke) {
    Segment seg;
    if (int r = Segment_Lesen(z, &seg)) return r;
    if (seg.n < 6) return JPEG_ERG_DATEN;
    const uint8_t* d = seg.d;
    int32_t praez = d[0], hoehe = Wort(d + 1), breite = Wort(d + 3), nf = d[5];
    if (praez != 8) return JPEG_ERG_RAHMEN_ART;
    if (hoehe == 0) return JPEG_ERG_DNL;
    if (nf < 1 || nf > 4) return JPEG_ERG_KOMPONENTE;
    if (breite == 0 || seg.n < 6 + 3 * nf) return JPEG_ERG_SOF;
    Jpeg_Komponente k[4] = {};
    int32_t max_h = 1, max_v = 1, summe = 0;
    for (int i = 0; i < nf; ++i) {
        const uint8_t* e = d + 6 + 3 * i;
        k[i].Kennung = e[0];
        k[i].H = e[1] >> 4;
        k[i].V = e[1] & 15;
        k[i].Quant_Auswahl = e[2];
        if (nf == 1) k[i].H = k[i].V = 1;  // a lone component is never sub-sampled
        if (k[i].H < 1 || k[i].H > 4 || k[i].V < 1 || k[i].V > 4 || k[i].Quant_Auswahl > 3) return JPEG_ERG_SOF;
        for (int j = 0; j < i; ++j)
            if (k[j].Kennung == k[i].Kennung) return JPEG_ERG_SOF;
        if (k[i].H > max_h) max_h = k[i].H;
        if (k[i].V > max_v) max_v = k[i].V;
        summe += k[i].H * k[i].V;
    }
    if (summe > 10) return JPEG_ERG_SOF;
    for (int i = 0; i < nf; ++i)
        if (max_h % k[i].H || max_v % k[i].V) return JPEG_ERG_SOF;
    if (!p->Komponenten) return JPEG_ERG_SPEICHER;
    std::memcpy(p->Komponenten, k, sizeof(k));
    p->Rahmen_Art = marke;
    p->Rahmen_Praezision = praez;
    p->Rahmen_Hoehe = hoehe;
    p->Rahmen_Breite = breite;
    p->Anzahl_Komponenten = nf;
    p->Max_H = max_h;
    p->Max_V = max_v;
    p->MCU_Pro_Zeile = (breite + 8 * max_h - 1) / (8 * max_h);
    p->MCU_Gesamt = (hoehe + 8 * max_v - 1) / (8 * max_v) * p->MCU_Pro_Zeile;
    p->Strom_Anfang = 0;
    p->Jpg_Kanaele = static_cast<uint32_t>(nf);
    p->Jpg_Breite = static_cast<uint32_t>(breite);
    p->Jpg_Hoehe = static_cast<uint32_t>(hoehe);
    z->bereit = false;
    return Jpeg_Setup_Geometrie(p);
}

void Huffman_Ablegen(JPEG_PROPERTIES* p, int tc, int th, const uint8_t* zahlen, const uint8_t* sym, int n) {
    Jpeg_Huffman_Vorgabe& v = p->Huffman_Vorgabe[tc * 4 + th];
    if (!v.Anzahlen || !v.Werte) return;
    std::memcpy(v.Anzahlen, zahlen, 16);
    std::memcpy(v.Werte, sym, static_cast<size_t>(n));
    v.Klasse = static_cast<uint8_t>(tc);
    v.Kennung = static_cast<uint8_t>(th);
}

int Lies_DHT(JPEG_PROPERTIES* p, Zustand* z) {
    Segment seg;
    if (int r = Segment_Lesen(z, &seg)) return r;
    int32_t pos = 0;
    while (pos < seg.n) {
        if (seg.n - pos < 17) return JPEG_ERG_DATEN;
        int tc = seg.d[pos] >> 4, th = seg.d[pos] & 15;
        if (tc > 1 || th > 3) return JPEG_ERG_HUFFMAN;
        const uint8_t* zahlen = seg.d + pos + 1;
        int summe = 0;
        for (int i = 0; i < 16; ++i) summe += zahlen[i];
        if (summe > 256) return JPEG_ERG_HUFFMAN;
        if (seg.n - pos - 17 < summe) return JPEG_ERG_DATEN;
        Huffman_Ablegen(p, tc, th, zahlen, seg.d + pos + 17, summe);
        Jpeg_Huffman_Tabelle* t = tc ? &p->AC_Tabelle[th] : &p->DC_Tabelle[th];
        if (Jpeg_Build_Huffman(zahlen, seg.d + pos + 17, tc, th, t)) return JPEG_ERG_HUFFMAN;
        z->huff_neu |= 1u << (4 * tc + th);
        int32_t& zaehler = tc ? p->Anzahl_AC_Tabellen : p->Anzahl_DC_Tabellen;
        if (zaehler < 4) ++zaehler;
        pos += 17 + summe;
    }
    return 0;
}

int Lies_DQT(JPEG_PROPERTIES* p, Zustand* z) {
    Segment seg;
    if (int r = Segment_Lesen(z, &seg)) return r;
    int32_t pos = 0;
    while (pos < seg.n) {
        int pq = seg.d[pos] >> 4, tq = seg.d[pos] & 15;
        if (tq > 3 || pq > 1) return JPEG_ERG_QUANT;
        int32_t groesse = pq ? 128 : 64;
        if (seg.n - pos - 1 < groesse) return JPEG_ERG_DATEN;
        const uint8_t* w = seg.d + pos + 1;
        Jpeg_Quant_Tabelle& q = p->Quant_Tabelle[tq];
        for (int i = 0; i < 64; ++i) q.Roh[i] = static_cast<uint16_t>(pq ? Wort(w + 2 * i) : w[i]);
        Jpeg_Quant_Vorgabe& v = p->Quant_Vorgabe[tq];
        if (v.Werte) {
            // The caller's store holds 64 bytes: 16-bit values are cut to 255.
            for (int i = 0; i < 64; ++i) {
                int32_t x = q.Roh[i];
                v.Werte[i] = static_cast<uint8_t>(x > 255 ? 255 : x);
            }
            v.Kennung = static_cast<uint8_t>(tq);
        }
        q.Praezision = pq;
        q.Kennung = tq;
        // Prepared for the method in force: the one the picture's first scan
        // fixed, else the one chosen now (the first scan prepares it again
        // should the caller choose another before it).
        Jpeg_Dqtab_Fuer(&q, z->bereit ? z->dct_art : p->DCT_Art);
        if (p->Anzahl_Quant_Tabellen < 4) ++p->Anzahl_Quant_Tabellen;
        pos += 1 + groesse;
    }
    return 0;
}

int Lies_DRI(JPEG_PROPERTIES* p, Zustand* z) {
    Segment seg;
    if (int r = Segment_Lesen(z, &seg)) return r;
    if (seg.n < 2) return JPEG_ERG_DATEN;
    p->Neustart_Intervall = Wort(seg.d);
    return 0;
}

// Writes a thumbnail into the caller's pixels; farbe(i) gives the RGB bytes of
// pixel i.
template <class F>
int Vorschau_Schreiben(JPEG_PROPERTIES* p, Zustand* z, int32_t w, int32_t h, F farbe) {
    int32_t hoehe = p->Bild_Hoehe < 0 ? -p->Bild_Hoehe : p->Bild_Hoehe;
    if (static_cast<uint32_t>(w) > p->Bild_Breite || h > hoehe) return JPEG_ERG_VORSCHAU_KLEIN;
    if (p->Bild_Kanaele < 3 || !p->Bild_Pixel) return JPEG_ERG_VORSCHAU_FARBE;
    bool rgb = p->Bild_Farbraum == FARBE_RGB;
    for (int32_t y = 0; y < h; ++y) {
        uint8_t* ziel = p->Bild_Pixel + y * p->Bild_Zeilenlaenge;
        for (int32_t x = 0; x < w; ++x) {
            const uint8_t* c = farbe(y * w + x);
            uint8_t* q = ziel + static_cast<size_t>(x) * p->Bild_Kanaele;
            q[0] = rgb ? c[0] : c[2];
            q[1] = c[1];
            q[2] = rgb ? c[2] : c[0];
        }
    }
    z->vorschau_fertig = true;
    return 0;
}

// The size of an embedded JPEG picture (a thumbnail) from its frame header;
// false when the bytes hold none.
bool Eingebettet_Groesse(const uint8_t* d, int32_t n, int32_t* w, int32_t* h) {
    if (n < 4 || d[0] != 0xFF || d[1] != 0xD8) return false;
    int32_t i = 2;
    while (i + 4 <= n) {
        if (d[i] != 0xFF) return false;
        const int m = d[i + 1];
        if (m == 0xFF) {
            ++i;
            continue;
        }
        const int32_t l = Wort(d + i + 2);
        if (m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC) {
            if (l < 8 || i + 2 + l > n) return false;
            *h = Wort(d + i + 5);
            *w = Wort(d + i + 7);
            return *w > 0 && *h > 0;
        }
        if (m == 0xDA || m == 0xD9 || l < 2) return false;
        i += 2 + l;
    }
    return false;
}

// A thumbnail stored as a JPEG picture: its size goes to the record; in the
// thumbnail modes it is decoded into the caller's pixels.
int Eingebettet_Lesen(JPEG_PROPERTIES* p, Zustand* z, const uint8_t* d, int32_t n) {
    int32_t w = 0, h = 0;
    const bool vorschau = p->Modus == 20 || p->Modus == 21;
    if (z->vorschau_fertig) return 0;
    if (!Eingebettet_Groesse(d, n, &w, &h)) return vorschau ? JPEG_ERG_DATEN : 0;
    p->Jpg_Vorschau_Breite = static_cast<uint32_t>(w);
    p->Jpg_Vorschau_Hoehe = static_cast<uint32_t>(h);
    if (!vorschau) return 0;
    const int32_t hoehe = p->Bild_Hoehe < 0 ? -p->Bild_Hoehe : p->Bild_Hoehe;
    if (static_cast<uint32_t>(w) > p->Bild_Breite || h > hoehe) return JPEG_ERG_VORSCHAU_KLEIN;
    if (p->Bild_Kanaele < 3 || !p->Bild_Pixel) return JPEG_ERG_VORSCHAU_FARBE;
    Jpeg_Auftrag a;
    if (Jpeg_Init(&a) != 0) return JPEG_ERG_SPEICHER;
    a.Jpg_Puffer = const_cast<uint8_t*>(d);
    a.Jpg_Puffer_Groesse = static_cast<uint32_t>(n);
    int32_t r = Jpeg_Lesen(&a, JMODUS_PUFFER_PARAMETER);
    if (r == 0) {
        // The rows as the caller laid them out (the first in memory first).
        const int64_t zl = p->Bild_Zeilenlaenge;
        a.Bild_Pixel = zl < 0 ? p->Bild_Pixel + (h - 1) * zl : p->Bild_Pixel;
        a.Bild_Breite = static_cast<uint32_t>(w);
        a.Bild_Hoehe = zl < 0 ? -h : h;
        a.Bild_Kanaele = p->Bild_Kanaele;
        a.Bild_Fuellbytes = static_cast<uint32_t>((zl < 0 ? -zl : zl) - int64_t{w} * p->Bild_Kanaele);
        a.Bild_Farbraum = p->Bild_Farbraum == FARBE_RGB ? FARBE_RGB : FARBE_BGR;
        r = Jpeg_Lesen(&a, JMODUS_PUFFER_BILD);
    }
    Jpeg_Free(&a);
    if (r == 0) z->vorschau_fertig = true;
    return r;
}

// An Exif segment: the thumbnail of its second image directory, a JPEG
// picture (an uncompressed one gives its size, and cannot be decoded).
int Lies_APP1(JPEG_PROPERTIES* p, Zustand* z) {
    Segment seg;
    if (int r = Segment_Lesen(z, &seg)) return r;
    if (seg.n < 14 || std::memcmp(seg.d, "Exif\0\0", 6) != 0 || z->vorschau_fertig) return 0;
    const uint8_t* t = seg.d + 6;
    const int64_t n = seg.n - 6;
    const bool intel = t[0] == 'I';
    if (!(intel ? t[1] == 'I' : (t[0] == 'M' && t[1] == 'M'))) return 0;
    auto u16 = [&](int64_t o) -> uint32_t { return intel ? (t[o] | t[o + 1] << 8) : (t[o] << 8 | t[o + 1]); };
    auto u32 = [&](int64_t o) -> uint32_t { return intel ? (u16(o) | u16(o + 2) << 16) : (u16(o) << 16 | u16(o + 2)); };
    auto verzeichnis_ende = [&](int64_t o) -> int64_t {  // offset of the next directory's pointer, -1 if cut
        if (o < 8 || o + 2 > n) return -1;
        const int64_t e = o + 2 + 12 * int64_t{u16(o)};
        return e + 4 <= n ? e : -1;
    };
    int64_t e0 = verzeichnis_ende(u32(4));
    if (e0 < 0) return 0;
    const int64_t ifd1 = u32(e0);
    const int64_t e1 = verzeichnis_ende(ifd1);
    if (e1 < 0) return 0;
    int64_t anfang = -1, laenge = 0, breite = 0, hoehe = 0, kompression = 0;
    for (int64_t o = ifd1 + 2; o < e1; o += 12) {
        const uint32_t tag = u16(o), typ = u16(o + 2);
        const uint32_t wert = typ == 3 ? u16(o + 8) : u32(o + 8);
        switch (tag) {
            case 0x0100: breite = wert; break;
            case 0x0101: hoehe = wert; break;
            case 0x0103: kompression = wert; break;
            case 0x0201: anfang = wert; break;
            case 0x0202: laenge = wert; break;
            default: break;
        }
    }
    if (anfang >= 0 && laenge > 0 && anfang + laenge <= n)
        return Eingebettet_Lesen(p, z, t + anfang, static_cast<int32_t>(laenge));
    if (kompression == 1 && breite > 0 && hoehe > 0 && breite <= 65535 && hoehe <= 65535) {
        p->Jpg_Vorschau_Breite = static_cast<uint32_t>(breite);
        p->Jpg_Vorschau_Hoehe = static_cast<uint32_t>(hoehe);
        if (p->Modus == 20 || p->Modus == 21) return JPEG_ERG_NICHT_UNTERSTUETZT;
    }
    return 0;
}

int Lies_APP0(JPEG_PROPERTIES* p, Zustand* z) {
    Segment seg;
    int32_t l = 0;
    if (int r = Segment_Lesen(z, &seg, &l)) return l < 2 ? 0 : r;
    if (seg.n < 14 || p->Strom_Anfang == 0) return 0;
    const uint8_t* d = seg.d;
    bool vorschau = p->Modus == 20 || p->Modus == 21;
    if (std::memcmp(d, "JFIF\0", 5) == 0) {
        p->JFIF_Gesehen = 1;
        p->JFIF_Version[0] = d[5];
        p->JFIF_Version[1] = d[6];
        p->JFIF_Einheit = d[7];
        p->JFIF_Dichte_X = Wort(d + 8);
        p->JFIF_Dichte_Y = Wort(d + 10);
        int32_t w = d[12], h = d[13];
        if (!w || !h) return 0;
        p->Jpg_Vorschau_Breite = static_cast<uint32_t>(w);
        p->Jpg_Vorschau_Hoehe = static_cast<uint32_t>(h);
        if (!vorschau || seg.n < 14 + 3 * w * h) return 0;
        return Vorschau_Schreiben(p, z, w, h, [&](int32_t i) { return d + 14 + 3 * i; });
    }
    if (std::memcmp(d, "JFXX\0", 5) == 0) {
        int code = d[5];
        int32_t w = d[6], h = d[7];
        if (code == 0x10) return Eingebettet_Lesen(p, z, d + 6, seg.n - 6);
        if ((code != 0x11 && code != 0x13) || !w || !h) return 0;
        if (code == 0x13) {
            p->Jpg_Vorschau_Breite = static_cast<uint32_t>(w);
            p->Jpg_Vorschau_Hoehe = static_cast<uint32_t>(h);
            if (!vorschau || seg.n < 8 + 3 * w * h) return 0;
            return Vorschau_Schreiben(p, z, w, h, [&](int32_t i) { return d + 8 + 3 * i; });
        }
        if (!vorschau) return 0;
        p->Jpg_Vorschau_Breite = static_cast<uint32_t>(w);
        p->Jpg_Vorschau_Hoehe = static_cast<uint32_t>(h);
        if (seg.n < 776 + w * h) return 0;
        return Vorschau_Schreiben(p, z, w, h, [&](int32_t i) { return d + 8 + 3 * d[776 + i]; });
    }
    return 0;
}

int Lies_APP14(JPEG_PROPERTIES* p, Zustand* z) {
    Segment seg;
    if (int r = Segment_Lesen(z, &seg)) return r;
    if (seg.n < 12 || std::memcmp(seg.d, "Adobe", 5) != 0) return 0;
    p->Adobe_Version = Wort(seg.d + 5);
    p->Adobe_Flags0 = Wort(seg.d + 7);
    p->Adobe_Flags1 = Wort(seg.d + 9);
    p->Adobe_Transform = seg.d[11];
    p->Adobe_Gesehen = 1;
    // After the frame header the colour switches are worked out again; once a
    // scan has begun the output stays as it was set up.
    if (p->Strom_Anfang == 0 && !z->scan_begonnen) {
        z->bereit = false;
        return Jpeg_Setup_Geometrie(p);
    }
    return 0;
}

int Lies_COM(JPEG_PROPERTIES* p, Zustand* z) {
    Segment seg;
    if (int r = Segment_Lesen(z, &seg)) return r;
    if (p->Strom_Anfang != 1 || !p->jpeg_comment) return 0;
    if (seg.n <= p->Kommentar_Groesse) {
        std::memcpy(p->jpeg_comment, seg.d, static_cast<size_t>(seg.n));
        p->Kommentar_Groesse = static_cast<uint16_t>(seg.n);
        return 0;
    }
    std::memcpy(p->jpeg_comment, seg.d, p->Kommentar_Groesse);
    p->Kommentar_Groesse = static_cast<uint16_t>(seg.n);
    return JPEG_ERG_KOMMENTAR;
}

bool Huffman_Definiert(const Jpeg_Huffman_Tabelle& t) { return t.Dek.Groesster_Code[17] == 0xFFFF; }

bool Quant_Definiert(const Jpeg_Quant_Tabelle& q) {
    if (!q.Werte) return false;
    for (int i = 0; i < 64; ++i)
        if (q.Werte[i]) return true;
    return false;
}

// Reads the SOS segment into a fresh scan record and checks it against the
// frame. *laenge receives the segment's length.
int Lies_SOS(JPEG_PROPERTIES* p, Zustand* z, Jpeg_Scan** aus, int32_t* laenge) {
    *aus = nullptr;
    if (p->Strom_Anfang != 0 || p->Anzahl_Komponenten < 1 || p->Anzahl_Komponenten > 4) return JPEG_ERG_KEIN_RAHMEN;
    Segment seg;
    if (int r = Segment_Lesen(z, &seg, laenge)) return r;
    if (seg.n < 1) return JPEG_ERG_DATEN;
    int32_t ns = seg.d[0];
    if (ns < 1 || ns > p->Anzahl_Komponenten || seg.n < 4 + 2 * ns) return JPEG_ERG_DATEN;
    auto* scan = static_cast<Jpeg_Scan*>(Jpeg_Speicher_Holen(sizeof(Jpeg_Scan)));
    if (!scan) return JPEG_ERG_SPEICHER;
    scan->Komponenten = static_cast<Jpeg_Scan_Komponente*>(Jpeg_Speicher_Holen(sizeof(Jpeg_Scan_Komponente) * 4));
    auto fehler = [&](int r) {
        Jpeg_Speicher_Freigeben(scan->Komponenten);
        Jpeg_Speicher_Freigeben(scan);
        return r;
    };
    if (!scan->Komponenten) return fehler(JPEG_ERG_SPEICHER);
    scan->Ns = ns;
    const uint8_t* d = seg.d + 1;
    int letzter = -1;
    for (int i = 0; i < ns; ++i) {
        int cs = d[2 * i], td = d[2 * i + 1] >> 4, ta = d[2 * i + 1] & 15;
        if (td > 3 || ta > 3) return fehler(JPEG_ERG_DATEN);
        int idx = -1;
        for (int j = 0; j < p->Anzahl_Komponenten; ++j)
            if (p->Komponenten[j].Kennung == cs) idx = j;
        // Components must be known, and follow the frame's order without repeats.
        if (idx < 0 || idx <= letzter) return fehler(JPEG_ERG_DATEN);
        letzter = idx;
        Jpeg_Scan_Komponente& k = scan->Komponenten[i];
        k.Index = idx;
        k.H = p->Komponenten[idx].H;
        k.V = p->Komponenten[idx].V;
        k.DC_Tabelle = td;
        k.AC_Tabelle = ta;
        k.Quant_Tabelle = p->Komponenten[idx].Quant_Auswahl;
        if (k.Quant_Tabelle > 3) return fehler(JPEG_ERG_DATEN);
    }
    d += 2 * ns;
    scan->Ss = d[0];
    scan->Se = d[1];
    scan->Ah = d[2] >> 4;
    scan->Al = d[2] & 15;
    // Spectral selection and successive approximation by the frame's kind.
    bool gueltig;
    if (p->Rahmen_Art == 0xC2) {
        bool dc = scan->Ss == 0;
        gueltig = scan->Ah <= 13 && scan->Al <= 13 && scan->Se <= 63 && scan->Ss <= scan->Se &&
                  (dc ? scan->Se == 0 : ns == 1);
    } else {
        gueltig = scan->Ss == 0 && scan->Se == 63 && scan->Ah == 0 && scan->Al == 0;
    }
    if (!gueltig) return fehler(JPEG_ERG_DATEN);
    *aus = scan;
    return 0;
}

// Checks that every table the scan uses exists (decode modes only).
int Tabellen_Pruefen(JPEG_PROPERTIES* p, const Jpeg_Scan* scan) {
    bool dc_noetig = scan->Ss == 0 && scan->Ah == 0;
    bool ac_noetig = scan->Se > 0;
    for (int i = 0; i < scan->Ns; ++i) {
        const Jpeg_Scan_Komponente& k = scan->Komponenten[i];
        if (dc_noetig && !Huffman_Definiert(p->DC_Tabelle[k.DC_Tabelle])) return JPEG_ERG_KEINE_HUFFMAN;
        if (ac_noetig && !Huffman_Definiert(p->AC_Tabelle[k.AC_Tabelle])) return JPEG_ERG_KEINE_HUFFMAN;
        if (!Quant_Definiert(p->Quant_Tabelle[k.Quant_Tabelle])) return JPEG_ERG_KEINE_QUANT;
    }
    return 0;
}

// Progressive scans must follow each other in a valid order: a first scan
// of a coefficient only once, each refinement one bit below the last scan of
// its coefficients, AC scans only after the component's DC scan.
bool Folge_Gueltig(const Zustand* z, const Jpeg_Scan* scan) {
    if (scan->Ah != 0 && scan->Al != scan->Ah - 1) return false;
    for (int i = 0; i < scan->Ns; ++i) {
        const uint8_t* st = z->stand[scan->Komponenten[i].Index];
        if (scan->Ss > 0 && st[0] == 0) return false;
        for (int k = scan->Ss; k <= scan->Se; ++k)
            if (st[k] != (scan->Ah == 0 ? 0 : scan->Ah + 1)) return false;
    }
    return true;
}

void Scan_Freigeben(Jpeg_Scan* s) {
    if (!s) return;
    Jpeg_Speicher_Freigeben(s->Komponenten);
    Jpeg_Speicher_Freigeben(s);
}

// True when the scans have delivered every coefficient of every component
// (a streamed picture always has). A scan script may leave the last bits of
// a band unrefined, so any point transform counts.
bool Vollstaendig(const Zustand* z) {
    if (!z->gepuffert) return true;
    for (int c = 0; c < z->n; ++c)
        for (int k = 0; k < 64; ++k)
            if (z->stand[c][k] == 0) return false;
    return true;
}

// The end of a decode with a complete picture: buffered output, result. A
// stepped output keeps a scan record without components in Fortsetzung, so
// that the next call comes back here.
int Bild_Abschliessen(JPEG_PROPERTIES* p, Zustand* z) {
    z->ende_erreicht = true;
    // A stepped output, or one in bands, keeps a scan record without
    // components in Fortsetzung, so that the next call comes back here.
    auto merken = [&] {
        if (p->Fortsetzung) return true;
        auto* scan = static_cast<Jpeg_Scan*>(Jpeg_Speicher_Holen(sizeof(Jpeg_Scan)));
        if (!scan) return false;
        scan->Komponenten = static_cast<Jpeg_Scan_Komponente*>(Jpeg_Speicher_Holen(sizeof(Jpeg_Scan_Komponente)));
        p->Fortsetzung = scan;
        return true;
    };
    if (z->gepuffert && !z->bild_fertig) {
        if ((p->Unterbrechen || z->bereich) && !merken()) return JPEG_ERG_SPEICHER;
        if (int r = Gepuffert_Ausgeben(p, z)) return r;
    }
    if (!z->bild_fertig) return JPEG_ERG_KEIN_BILD;
    // Rows below the region are left: the decode is kept for the next band,
    // and the result of the whole comes with the last.
    if (z->bereich && z->y1 < z->aus_hoehe && z->naechste_zeile >= z->y1) {
        if (!merken()) return JPEG_ERG_SPEICHER;
        z->band_offen = true;
        return JPEG_ERG_BEREICH_FERTIG;
    }
    // Damaged or missing data is never clean success, though the pixels stand.
    int32_t schaden = 0;
    if (z->daten_fehlen || !Vollstaendig(z)) schaden = JPEG_ERG_EOF;
    else if (z->daten_ungueltig || z->fremde_bytes) schaden = JPEG_ERG_DATEN;
    else if (z->rst_falsch) schaden = JPEG_ERG_RST;
    if (schaden) {
        p->Schaden = schaden;
        return JPEG_ERG_BESCHAEDIGT;
    }
    return z->bereich ? JPEG_ERG_BEREICH_FERTIG : 0;
}

int Treiber(JPEG_PROPERTIES* p, Zustand* z, bool fortsetzen) {
    const int32_t modus = p->Modus;
    const bool dekodieren = Dekodiermodus(modus);
    // A table given by the caller for this call is prepared for the method
    // chosen now; the picture keeps the one its first scan fixed.
    if (z->bereit) Quant_Angleichen(p, z);
    if (fortsetzen && (z->ausgabe_laeuft || z->ende_erreicht)) return Bild_Abschliessen(p, z);
    if (fortsetzen) {
        Jpeg_Scan* scan = p->Fortsetzung;
        int r = Scan_Dekodieren(p, z, scan);
        if (r == 1 || r < 0 || (r == 2 && z->band_offen)) return r;
        p->Fortsetzung = nullptr;
        Scan_Freigeben(scan);
        if (r == 2) return r;
    } else {
        if (Startmodus(modus)) {
            int m = Marke_Holen(z);
            if (m != 0xD8) return m < 0 ? m : JPEG_ERG_KEIN_JPEG;
            p->Neustart_Intervall = 0;
        }
    }
    for (;;) {
        int m = Marke_Holen(z);
        if (m < 0) return m;
        int r = 0;
        switch (m) {
            case 0xD8: p->Neustart_Intervall = 0; break;
            case 0xC0:
            case 0xC1:
            case 0xC2:
                if (modus == 4 || modus == 5) {
                    z->ein.genommen_vor_puffer -= 2;  // the count stops at the frame's marker
                    return 0;
                }
                // A second frame after a scan would not fit the buffers made for the first.
                if (z->scan_begonnen) return JPEG_ERG_MEHRERE_RAHMEN;
                r = Lies_SOF(p, z, m);
                break;
            case 0xC3:
            case 0xC5:
            case 0xC6:
            case 0xC7:
            case 0xC8:
            case 0xC9:
            case 0xCA:
            case 0xCB:
            case 0xCD:
            case 0xCE:
            case 0xCF: return JPEG_ERG_RAHMEN_ART;
            case 0xC4: r = Lies_DHT(p, z); break;
            case 0xDB: r = Lies_DQT(p, z); break;
            case 0xDD: r = Lies_DRI(p, z); break;
            case 0xE0: r = modus == 6 ? Segment_Ueberspringen(z) : Lies_APP0(p, z); break;
            case 0xE1:
                r = Startmodus(modus) && p->Strom_Anfang == 1 ? Lies_APP1(p, z) : Segment_Ueberspringen(z);
                break;
            case 0xEE: r = Lies_APP14(p, z); break;
            case 0xFE: r = Lies_COM(p, z); break;
            case 0xD0:
            case 0xD1:
            case 0xD2:
            case 0xD3:
            case 0xD4:
            case 0xD5:
            case 0xD6:
            case 0xD7: break;
            case 0xDA: {
                Jpeg_Scan* scan = nullptr;
                int32_t l = 0;
                r = Lies_SOS(p, z, &scan, &l);
                if (r) break;
                if (p->Strom.Kern_Tabelle) p->Strom.Kern_Tabelle->Lese_Vorlauf = l + 2;
                if (!dekodieren) {
                    Scan_Freigeben(scan);
                    z->ein.genommen_vor_puffer -= l + 2;
                    // A thumbnail read without a thumbnail has nothing to give.
                    return (modus == 20 || modus == 21) && !z->vorschau_fertig ? JPEG_ERG_KEIN_BILD : 0;
                }
                if ((r = Tabellen_Pruefen(p, scan)) != 0 || ++z->scans > JPEG_DEK_SCAN_GRENZE ||
                    (p->Rahmen_Art == 0xC2 && !Folge_Gueltig(z, scan))) {
                    Scan_Freigeben(scan);
                    if (!r) r = JPEG_ERG_DATEN;
                    break;
                }
                scan->Neustart_Intervall = p->Neustart_Intervall;
                z->scan_begonnen = true;
                p->Strom.EOB_Lauf = 0;
                p->Fortsetzung = scan;
                r = Scan_Dekodieren(p, z, scan);
                if (r == 1 || (r == 2 && z->band_offen)) return r;
                p->Fortsetzung = nullptr;
                Scan_Freigeben(scan);
                if (r) return r;  // region complete, or an error
                break;
            }
            case 0xD9:
                // A parameter or thumbnail read of a stream without a frame has nothing to report.
                if (Startmodus(modus))
                    return (modus == 4 || modus == 5 || p->Strom_Anfang == 0) ? 0 : JPEG_ERG_KEIN_BILD;
                if (p->Strom_Anfang != 0) {
                    if (Marke_Holen(z) != 0xD8) return JPEG_ERG_KEIN_BILD;
                    p->Neustart_Intervall = 0;
                    break;
                }
                if (!dekodieren || !z->scan_begonnen) return dekodieren ? JPEG_ERG_KEIN_BILD : 0;
                return Bild_Abschliessen(p, z);
            case KEINE_MARKE:
                // The input ended without an end marker: the stream is cut.
                if (!dekodieren) return p->Strom_Anfang == 0 ? 0 : JPEG_ERG_KEIN_BILD;
                if (!z->scan_begonnen) return JPEG_ERG_KEIN_BILD;
                z->daten_fehlen = true;
                return Bild_Abschliessen(p, z);
            default: r = Segment_Ueberspringen(z); break;
        }
        if (r < 0 && dekodieren && z->scan_begonnen && r != JPEG_ERG_SPEICHER) {
            // A segment after the first scan is cut off or broken: the picture so
            // far is written, and the result says what happened.
            const bool zu_ende = z->ein.p >= z->ein.ende;
            if (zu_ende) z->daten_fehlen = true;
            else z->daten_ungueltig = true;
            return Bild_Abschliessen(p, z);
        }
        if (r) return r;
    }
}

}  // namespace

namespace jpeg_dek {

void* Speicher(Zustand* z, size_t groesse) {
    if (z->anzahl_bloecke >= static_cast<int32_t>(sizeof(z->bloecke) / sizeof(z->bloecke[0]))) return nullptr;
    // Large stores (the coefficients of gathered pictures) come straight
    // from the system: its pages are zero already, so nothing is cleared
    // twice. They are ordinary pages: asking for large pages made a loaded
    // machine compact its memory on the page faults, which cost more than
    // the faults it saved.
    constexpr size_t GROSS = size_t{2} << 20;
    if (groesse >= GROSS) {
        const size_t laenge = (groesse + 4095) & ~size_t{4095};
        void* m = mmap(nullptr, laenge, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (m == MAP_FAILED) return nullptr;
        z->abgebildet[z->anzahl_bloecke] = laenge;
        z->bloecke[z->anzahl_bloecke++] = m;
        return m;
    }
    void* b = Jpeg_Speicher_Holen(groesse);
    if (b) z->abgebildet[z->anzahl_bloecke] = 0, z->bloecke[z->anzahl_bloecke++] = b;
    return b;
}

}  // namespace jpeg_dek

void Jpeg_Dek_Freigeben(JPEG_PROPERTIES* p) {
    Zustand* z = p->Dek_Zustand;
    if (!z) return;
    for (int i = 0; i < z->anzahl_bloecke; ++i) {
        if (z->abgebildet[i]) munmap(z->bloecke[i], z->abgebildet[i]);
        else Jpeg_Speicher_Freigeben(z->bloecke[i]);
    }
    z->~Zustand();
    Jpeg_Speicher_Freigeben(z);
    p->Dek_Zustand = nullptr;
}

int32_t Jpeg_Decode_Bild(JPEG_PROPERTIES* p) {
    try {
        bool fortsetzen = p->Fortsetzung && p->Dek_Zustand;
        if (!fortsetzen) {
            if (p->Fortsetzung) {
                Scan_Freigeben(p->Fortsetzung);
                p->Fortsetzung = nullptr;
            }
            Jpeg_Dek_Freigeben(p);
            void* roh = Jpeg_Speicher_Holen(sizeof(Zustand));
            if (!roh) return JPEG_ERG_SPEICHER;
            p->Dek_Zustand = new (roh) Zustand();
            Zustand* neu = p->Dek_Zustand;
            neu->huff_neu = 0xFF;  // tables of earlier calls or of the caller
            void* tabellen = Jpeg_Speicher_Holen_Ungeleert(8 * sizeof(Huff));
            if (!tabellen) {
                Jpeg_Dek_Freigeben(p);
                return JPEG_ERG_SPEICHER;
            }
            neu->abgebildet[neu->anzahl_bloecke] = 0;
            neu->bloecke[neu->anzahl_bloecke++] = tabellen;
            neu->dc = static_cast<Huff*>(tabellen);
            neu->ac = neu->dc + 4;
            p->Schaden = 0;
            if (Dekodiermodus(p->Modus)) {
                p->Scan_Zaehler = 0;
                p->DC_Fertig = p->AC_Fertig = 0;
                p->Verschachtelung = 0;
            }
            Strom_Zuruecksetzen(p, p->Dek_Zustand);
        } else {
            Eingabe_Laden(p, p->Dek_Zustand);
        }
        Zustand* z = p->Dek_Zustand;
        int32_t r = Treiber(p, z, fortsetzen);
        const bool behalten = r == 1 || (r == 2 && z->band_offen && p->Fortsetzung);
        if (!behalten && p->Fortsetzung) {
            Scan_Freigeben(p->Fortsetzung);
            p->Fortsetzung = nullptr;
        }
        if (r == 1) p->Unterbrechen = 0;
        Eingabe_Sichern(p, z);
        if (!behalten) {
            p->Scan_Zaehler = 0;
            Jpeg_Dek_Freigeben(p);
        }
        return r;
    } catch (const std::bad_alloc&) {
        return JPEG_ERG_SPEICHER;
    } catch (...) {
        return JPEG_ERG_AUSNAHME;
    }
}

bool Jpeg_Dek_Band_Offen(const JPEG_PROPERTIES* p) {
    return p->Fortsetzung && p->Dek_Zustand && p->Dek_Zustand->band_offen;
}

bool Jpeg_Dek_Band_Weiter(JPEG_PROPERTIES* p) {
    if (!Jpeg_Dek_Band_Offen(p)) return false;
    Zustand* z = p->Dek_Zustand;
    if (!Band_Uebernehmen(p, z)) {
        Scan_Freigeben(p->Fortsetzung);
        p->Fortsetzung = nullptr;
        p->Scan_Zaehler = 0;
        Jpeg_Dek_Freigeben(p);
        return false;
    }
    z->band_offen = false;
    return true;
}

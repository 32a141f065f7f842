// The encoder's marker writer: every segment is built whole in a local array
// and handed to the stream's Bits_Leeren, which first completes the pending
// entropy-coded bits, so a marker always starts on a byte boundary.
// Multi-byte fields are big-endian; lengths count themselves and what
// follows, not the marker.
#include "jpeg/enc_intern.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

namespace {

struct Segment {
    uint8_t b[340];
    int32_t n = 0;
    void Marke(uint8_t code) {
        b[n++] = 0xFF;
        b[n++] = code;
    }
    void Wort(uint32_t v) {
        b[n++] = static_cast<uint8_t>(v >> 8);
        b[n++] = static_cast<uint8_t>(v);
    }
    void Byte(uint32_t v) { b[n++] = static_cast<uint8_t>(v); }
};

inline int32_t Raus(Jpeg_Strom* s, const Segment& seg) { return s->Kern_Tabelle->Bits_Leeren(seg.b, seg.n, s); }

int32_t Tabellen_Laenge(const uint8_t* anzahlen) {
    int32_t n = 0;
    for (int i = 0; i < 16; ++i) n += anzahlen[i];
    return n;
}

int32_t SOF(Jpeg_Strom* s, const JPEG_PROPERTIES* p, uint8_t code, int32_t erste_kennung) {
    int32_t nf = p->Anzahl_Komponenten;
    if (nf < 1 || nf > 4 || !p->Komponenten) return JPEG_ERG_PROPERTIES;
    Segment seg;
    seg.Marke(code);
    seg.Wort(static_cast<uint32_t>(8 + 3 * nf));
    seg.Byte(8);
    seg.Wort(static_cast<uint32_t>(p->Rahmen_Hoehe) & 0xFFFF);
    seg.Wort(static_cast<uint32_t>(p->Rahmen_Breite) & 0xFFFF);
    seg.Byte(static_cast<uint32_t>(nf));
    for (int i = 0; i < nf; ++i) {
        const Jpeg_Komponente& k = p->Komponenten[i];
        if (nf == 1) {
            seg.Byte(0);
            seg.Byte(0x11);
        } else {
            seg.Byte(static_cast<uint32_t>(erste_kennung + i));
            seg.Byte(static_cast<uint32_t>(k.H * 16 + k.V));
        }
        seg.Byte(static_cast<uint32_t>(k.Quant_Auswahl));
    }
    return Raus(s, seg);
}

}  // namespace

const char* Jpeg_Kommentar_Text() {
    // Formatted once; records on several threads share the finished text.
    static const std::string text = [] {
        char puffer[64];
        const Jpeg_Versionsdaten* v = Jpeg_Version();
        std::snprintf(puffer, sizeof puffer, "Kordavo JPEG Codec, version %s",
                      v && v->Interne_Version ? v->Interne_Version : "");
        return std::string(puffer);
    }();
    return text.c_str();
}

int32_t Jpeg_Write_SOI(Jpeg_Strom* s) {
    Segment seg;
    seg.Marke(0xD8);
    return Raus(s, seg);
}

int32_t Jpeg_Write_EOI(Jpeg_Strom* s) {
    Segment seg;
    seg.Marke(0xD9);
    return Raus(s, seg);
}

int32_t Jpeg_Write_RST(int32_t n, Jpeg_Strom* s) {
    if (n < 0 || n > 7) return JPEG_ERG_RST;
    Segment seg;
    seg.Marke(static_cast<uint8_t>(0xD0 + n));
    return Raus(s, seg);
}

int32_t Jpeg_Write_APP0(JPEG_PROPERTIES* p) {
    Segment seg;
    seg.Marke(0xE0);
    seg.Wort(16);
    for (char c : {'J', 'F', 'I', 'F'}) seg.Byte(static_cast<uint8_t>(c));
    seg.Byte(0);
    seg.Byte(p->JFIF_Version[0]);
    seg.Byte(p->JFIF_Version[1]);
    seg.Byte(p->JFIF_Einheit);
    seg.Wort(p->JFIF_Dichte_X);
    seg.Wort(p->JFIF_Dichte_Y);
    seg.Byte(0);
    seg.Byte(0);
    return Raus(&p->Strom, seg);
}

int32_t Jpeg_Write_APP14(int32_t transform, JPEG_PROPERTIES* p) {
    Segment seg;
    seg.Marke(0xEE);
    seg.Wort(14);
    for (char c : {'A', 'd', 'o', 'b', 'e'}) seg.Byte(static_cast<uint8_t>(c));
    seg.Wort(p->Adobe_Version);
    seg.Wort(p->Adobe_Flags0);
    seg.Wort(p->Adobe_Flags1);
    seg.Byte(static_cast<uint32_t>(transform));
    return Raus(&p->Strom, seg);
}

int32_t Jpeg_Write_COM(JPEG_PROPERTIES* p) {
    Jpeg_Strom* s = &p->Strom;
    if (!p->jpeg_comment) {
        const char* text = Jpeg_Kommentar_Text();
        int32_t n = static_cast<int32_t>(std::strlen(text));
        if (n <= static_cast<int32_t>(std::strlen("Kordavo JPEG Codec, version %s"))) return 0;
        Segment seg;
        seg.Marke(0xFE);
        seg.Wort(static_cast<uint32_t>(n + 3));
        for (int i = 0; i < n; ++i) seg.Byte(static_cast<uint8_t>(text[i]));
        seg.Byte(0);
        return Raus(s, seg);
    }
    uint32_t n = p->Kommentar_Groesse;
    if (n == 0) return 0;
    if (n > 65531) {
        n = 65531;
        p->Kommentar_Groesse = 65531;
    }
    uint8_t* block = static_cast<uint8_t*>(Jpeg_Speicher_Holen(n + 4));
    if (!block) return JPEG_ERG_SPEICHER;
    block[0] = 0xFF;
    block[1] = 0xFE;
    block[2] = static_cast<uint8_t>((n + 2) >> 8);
    block[3] = static_cast<uint8_t>(n + 2);
    std::memcpy(block + 4, p->jpeg_comment, n);
    int32_t e = s->Kern_Tabelle->Bits_Leeren(block, static_cast<int32_t>(n + 4), s);
    Jpeg_Speicher_Freigeben(block);
    return e;
}

int32_t Jpeg_Write_DQT(Jpeg_Strom* s, int32_t praezision, int32_t nummer, const int16_t* werte) {
    if (nummer < 0 || nummer > 3 || praezision < 0 || praezision > 1) return JPEG_ERG_QUANT;
    Segment seg;
    seg.Marke(0xDB);
    seg.Wort(praezision ? 131 : 67);
    seg.Byte(static_cast<uint32_t>(praezision * 16 + nummer));
    for (int i = 0; i < 64; ++i) {
        uint32_t v = static_cast<uint16_t>(werte[i]);
        if (praezision) seg.Wort(v);
        else seg.Byte(v & 0xFF);
    }
    return Raus(s, seg);
}

int32_t Jpeg_Write_DHT(Jpeg_Strom* s, JPEG_PROPERTIES* p) {
    int32_t paare = p->Anzahl_Huffman_Vorgaben;
    if (paare < 1 || paare > 4) return JPEG_ERG_HUFFMAN;
    // Every table is checked before the first byte goes out, so that a bad
    // table never leaves half a segment behind.
    int32_t summe = 0;
    for (int i = 0; i < 2 * paare; ++i) {
        const Jpeg_Huffman_Vorgabe& h = p->Huffman_Vorgabe[i];
        if (!h.Anzahlen || !h.Werte || h.Kennung > 3) return JPEG_ERG_HUFFMAN;
        int32_t n = Tabellen_Laenge(h.Anzahlen);
        if (17 + n > 324 || n > 256) return JPEG_ERG_HUFFMAN;
        summe += n;
    }
    Segment seg;
    seg.Marke(0xC4);
    seg.Wort(static_cast<uint32_t>(2 + 17 * 2 * paare + summe));
    int32_t e = Raus(s, seg);
    for (int i = 0; i < 2 * paare && !e; ++i) {
        const Jpeg_Huffman_Vorgabe& h = p->Huffman_Vorgabe[i];
        Segment t;
        // Entry 2k is always used as a DC table, 2k+1 as an AC table; the
        // class byte says so, whatever the entry's own class field holds.
        t.Byte(static_cast<uint32_t>((i & 1) * 16 + h.Kennung));
        for (int k = 0; k < 16; ++k) t.Byte(h.Anzahlen[k]);
        int32_t n = Tabellen_Laenge(h.Anzahlen);
        for (int k = 0; k < n; ++k) t.Byte(h.Werte[k]);
        e = Raus(s, t);
    }
    return e;
}

int32_t Jpeg_Write_DHT_Einzeln(Jpeg_Strom* s, const uint8_t* anzahlen, const uint8_t* symbole, int32_t klasse,
                               int32_t nummer) {
    int32_t n = Tabellen_Laenge(anzahlen);
    if (19 + n >= 325 || nummer < 0 || nummer > 3) return JPEG_ERG_HUFFMAN;
    Segment seg;
    seg.Marke(0xC4);
    seg.Wort(static_cast<uint32_t>(19 + n));
    seg.Byte(static_cast<uint32_t>(klasse * 16 + nummer));
    for (int k = 0; k < 16; ++k) seg.Byte(anzahlen[k]);
    for (int k = 0; k < n; ++k) seg.Byte(symbole[k]);
    return Raus(s, seg);
}

int32_t Jpeg_Write_SOF0(Jpeg_Strom* s, const JPEG_PROPERTIES* p) { return SOF(s, p, 0xC0, 1); }

int32_t Jpeg_Write_SOF2(Jpeg_Strom* s, const JPEG_PROPERTIES* p) { return SOF(s, p, 0xC2, 0); }

int32_t Jpeg_Write_DRI(int32_t intervall, Jpeg_Strom* s) {
    Segment seg;
    seg.Marke(0xDD);
    seg.Wort(4);
    seg.Wort(static_cast<uint32_t>(intervall) & 0xFFFF);
    return Raus(s, seg);
}

int32_t Jpeg_Write_SOS(Jpeg_Strom* s, int32_t ns, const uint8_t* dc, const uint8_t* ac) {
    if (ns < 1 || ns > 4) return JPEG_ERG_PROPERTIES;
    Segment seg;
    seg.Marke(0xDA);
    seg.Wort(static_cast<uint32_t>(6 + 2 * ns));
    seg.Byte(static_cast<uint32_t>(ns));
    for (int i = 0; i < ns; ++i) {
        if (ns == 1) {
            seg.Byte(0);
            seg.Byte(0);
        } else {
            seg.Byte(static_cast<uint32_t>(i + 1));
            seg.Byte(static_cast<uint32_t>(dc[i] * 16 + ac[i]));
        }
    }
    seg.Byte(0);
    seg.Byte(63);
    seg.Byte(0);
    return Raus(s, seg);
}

int32_t Jpeg_Write_SOS_Prog(Jpeg_Strom* s, const Jpeg_Scan* scan, const uint8_t* dc, const uint8_t* ac) {
    int32_t ns = scan->Ns;
    if (ns < 1 || ns > 4) return JPEG_ERG_PROPERTIES;
    Segment seg;
    seg.Marke(0xDA);
    seg.Wort(static_cast<uint32_t>(6 + 2 * ns));
    seg.Byte(static_cast<uint32_t>(ns));
    for (int i = 0; i < ns; ++i) {
        int32_t k = ns == 1 ? scan->Komponenten[0].Index : i;
        seg.Byte(static_cast<uint32_t>(k));
        seg.Byte(static_cast<uint32_t>(dc[k] * 16 + ac[k]));
    }
    seg.Byte(static_cast<uint32_t>(scan->Ss));
    seg.Byte(static_cast<uint32_t>(scan->Se));
    seg.Byte(static_cast<uint32_t>(scan->Ah * 16 + scan->Al));
    return Raus(s, seg);
}

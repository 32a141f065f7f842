// The JPEG codec's public interface.
//
// A caller keeps one Jpeg_Auftrag per picture operation (typically on its
// stack), calls Jpeg_Init, fills the fields it needs, calls Jpeg_Lesen or
// Jpeg_Schreiben with a mode number, reads the results back from the same
// record and finally calls Jpeg_Free. The record must not be moved or copied
// between Jpeg_Init and Jpeg_Free: it holds pointers into itself.
//
// Every operation returns a signed result code: 0 success, 1 and 2 partial
// successes, negative values errors (see Jpeg_Fehlertext).
#pragma once

#include <cstddef>
#include <cstdint>

// ---------------------------------------------------------------------------
// Colour codes (Bild_Farbraum, Jpg_Farbraum)
enum : int32_t {
    FARBE_RGB = 1,      // bytes red, green, blue
    FARBE_BGR = 2,      // bytes blue, green, red
    FARBE_YCBCR = 3,    // as pixels: packed 4:2:2 (Y, then Cb and Cr alternately)
    FARBE_GRAU = 4,     // one channel
    FARBE_RGBA = 5,     // four channels
    FARBE_YCBCRA = 6,   // four channels, colour channels stored inverted
    FARBE_ANDERE = 255  // components passed through without colour conversion
};

// Sampling codes (Jpg_Abtastung), component factors H x V
enum : int32_t {
    ABTASTUNG_KEINE = 0,    // every component 1x1
    ABTASTUNG_411 = 1,      // 2x2, 1x1, 1x1
    ABTASTUNG_422 = 2,      // 2x1, 1x1, 1x1
    ABTASTUNG_4114 = 3,     // 2x2, 1x1, 1x1, 2x2
    ABTASTUNG_4224 = 4,     // 2x1, 1x1, 1x1, 2x1
    ABTASTUNG_ANDERE = 255  // any other layout (reads only)
};

// Modes: even numbers work on the file Jpg_Datei, odd ones on Jpg_Puffer.
enum : int32_t {
    JMODUS_KEINER = -1,
    JMODUS_DATEI_PARAMETER = 0,
    JMODUS_PUFFER_PARAMETER = 1,
    JMODUS_DATEI_BILD = 2,
    JMODUS_PUFFER_BILD = 3,
    JMODUS_DATEI_KOPF = 4,
    JMODUS_PUFFER_KOPF = 5,
    JMODUS_DATEI_DATEN = 6,
    JMODUS_PUFFER_DATEN = 7,
    JMODUS_DATEI_BILD_SCHREIBEN = 8,
    JMODUS_PUFFER_BILD_SCHREIBEN = 9,
    JMODUS_DATEI_KOPF_SCHREIBEN = 10,
    JMODUS_PUFFER_KOPF_SCHREIBEN = 11,
    JMODUS_DATEI_DATEN_SCHREIBEN = 12,
    JMODUS_PUFFER_DATEN_SCHREIBEN = 13,
    JMODUS_DATEI_HALB = 14,
    JMODUS_PUFFER_HALB = 15,
    JMODUS_DATEI_VIERTEL = 16,
    JMODUS_PUFFER_VIERTEL = 17,
    JMODUS_DATEI_ACHTEL = 18,
    JMODUS_PUFFER_ACHTEL = 19,
    JMODUS_DATEI_VORSCHAU = 20,
    JMODUS_PUFFER_VORSCHAU = 21
};

// Result codes (texts: Jpeg_Fehlertext)
enum : int32_t {
    // The picture was decoded and written whole, but its data was damaged
    // (cut off, out of step, restart markers out of order): damaged parts
    // are neutral grey or keep what the earlier scans gave. Schaden in the
    // record names the damage with JPEG_ERG_EOF, JPEG_ERG_DATEN or
    // JPEG_ERG_RST.
    JPEG_ERG_BESCHAEDIGT = 3,           // "Decoded, data damaged"
    JPEG_ERG_BEREICH_FERTIG = 2,        // "ROI Success"
    JPEG_ERG_UNTERBROCHEN = 1,          // "Interrupt Success"
    JPEG_ERG_ERFOLG = 0,                // "Success"
    JPEG_ERG_AUSNAHME = -1,             // "Exception detected"
    JPEG_ERG_KODIERER = -2,             // "Invalid Encoder"
    JPEG_ERG_ABTASTUNG = -3,            // "Unsupported subsampling"
    JPEG_ERG_BYTES_PRO_PIXEL = -4,      // "Unsupported bytes per pixel"
    JPEG_ERG_SPEICHER = -5,             // "Memory error"
    JPEG_ERG_HUFFMAN = -6,              // "Bad Huffman table"
    JPEG_ERG_QUANT = -7,                // "Bad Quantization table"
    JPEG_ERG_PROPERTIES = -8,           // "Invalid JPEG_PROPERTIES"
    JPEG_ERG_SCHLIESSEN = -9,           // "Error close file"
    JPEG_ERG_DATEINAME = -10,           // "Invalid file name"
    JPEG_ERG_EOF = -11,                 // "Error EOF"
    JPEG_ERG_NICHT_UNTERSTUETZT = -12,  // "Not supported"
    JPEG_ERG_KEIN_JPEG = -13,           // "Not JPEG"
    JPEG_ERG_KOMPONENTE = -14,          // "Error COMP"
    JPEG_ERG_SOF = -15,                 // "Error SOF"
    JPEG_ERG_DNL = -16,                 // "Error DNL"
    JPEG_ERG_KEINE_HUFFMAN = -17,       // "No Huffman table"
    JPEG_ERG_KEINE_QUANT = -18,         // "No Quantization table"
    JPEG_ERG_KEIN_RAHMEN = -19,         // "No frame"
    JPEG_ERG_MEHRERE_RAHMEN = -20,      // "Multiply frame"
    JPEG_ERG_DATEN = -21,               // "Data error"
    JPEG_ERG_KEIN_BILD = -22,           // "No image"
    JPEG_ERG_DATEI = -23,               // "File error"
    JPEG_ERG_INTERN = -24,              // "Internal error"
    JPEG_ERG_RST = -25,                 // "Bad RST marker"
    JPEG_ERG_VORSCHAU_KLEIN = -26,      // "Thumbnail too small"
    JPEG_ERG_VORSCHAU_FARBE = -27,      // "Thumbnail has wrong color"
    JPEG_ERG_AUSGABE_VOLL = -28,        // "Output buffer too small"
    JPEG_ERG_RAHMEN_ART = -29,          // "Unsupported frame was found"
    JPEG_ERG_KOMMENTAR = -30,           // "Error access to jpeg_comment buffer"
    JPEG_ERG_RESERVIERT = -99           // "Reserved"
};

// DCT methods (DCT_Art)
enum : int32_t { DCT_SCHNELL = 0, DCT_GENAU = 1 };

// ---------------------------------------------------------------------------
// Records of the internal state

struct Jpeg_Kern_Tabelle;  // per-record kernel table, see jpeg_kern.h
namespace jpeg_dek {
struct Zustand;
}  // namespace jpeg_dek
struct Jpeg_Datei;  // an open file, see jpeg_kern.h

// One frame component.
struct Jpeg_Komponente {
    int32_t Kennung;
    int32_t H;
    int32_t V;
    int32_t Quant_Auswahl;
};

// Size of a quantisation table's storage in 16-bit words: the 64 prepared
// values, the 16 zero words that follow them, the 64 full 32-bit multipliers
// of the fast dequantiser (two words each), and a word that is 1 when all of
// those fit 16 bits (then the 64 values hold them), padded to 16 bytes.
// The encoder's precise quantiser keeps three more rows of 64 words after
// them (JPEG_QTAB_PRAEZISE).
inline constexpr int JPEG_QTAB_WORTE = 64 + 16 + 128 + 8 + 3 * 64;
// Word offset of the 32-bit multipliers inside that storage.
inline constexpr int JPEG_QTAB_BREIT = 80;
// Word offset of the "all multipliers fit 16 bits" flag.
inline constexpr int JPEG_QTAB_SCHMAL = 208;
// Word offset of the precise quantiser's rows, natural order: half the
// divisor 8q, its reciprocal r and the final scale p (Jpeg_Qtab_Praezise).
inline constexpr int JPEG_QTAB_PRAEZISE = 216;

// One quantisation table. Werte points to Speicher (set by Jpeg_Init).
// The decoder keeps the values as the stream gives them (Roh, zigzag order)
// and notes the DCT method Werte is prepared for (Form: 1 + DCT_Art, 0 for
// none), so that a method chosen after the table was read is served too.
struct Jpeg_Quant_Tabelle {
    int32_t Praezision;
    int32_t Kennung;
    int16_t* Werte;
    alignas(16) int16_t Speicher[JPEG_QTAB_WORTE];
    int32_t Form;
    uint16_t Roh[64];
};

// The decoder's derived Huffman table (class and number stand in front of it
// in Jpeg_Huffman_Tabelle).
struct Jpeg_Huffman_Dektabelle {
    // Indexed by the next 8 bits: symbol in bits 0..15, code length (1..8)
    // in bits 16..31; 0 when the code is longer than 8 bits.
    uint32_t Vorschau[256];
    uint16_t Symbole[258];        // symbols in code order (room for 257)
    uint16_t Kleinster_Code[18];  // per code length 1..16
    uint16_t Groesster_Code[18];  // per code length 1..17, 0xFFFF: none
    uint16_t Erster_Index[18];    // index in Symbole of the first symbol
};

// The encoder's derived Huffman table.
struct Jpeg_Huffman_Kodtabelle {
    uint32_t Laenge[256];  // code length per symbol, 0: no code
    uint16_t Code[256];    // code, right-aligned
};

// One entry of DC_Tabelle / AC_Tabelle: used by the decoder as a decoding
// table, by the encoder as an encoding table.
struct Jpeg_Huffman_Tabelle {
    int32_t Klasse;  // 0 DC, 1 AC
    int32_t Nummer;
    union {
        Jpeg_Huffman_Dektabelle Dek;
        Jpeg_Huffman_Kodtabelle Kod;
    };
};

// A quantisation table given by the caller (64 bytes in stream order).
struct Jpeg_Quant_Vorgabe {
    uint8_t* Werte;
    uint8_t Kennung;
};

// A Huffman table given by the caller: 16 code-length counts and the values.
struct Jpeg_Huffman_Vorgabe {
    uint8_t* Anzahlen;
    uint8_t* Werte;
    uint8_t Klasse;  // 0 DC, 1 AC
    uint8_t Kennung;
};

// One component of a scan.
struct Jpeg_Scan_Komponente {
    int32_t Index;  // index in Komponenten
    int32_t H;
    int32_t V;
    int32_t DC_Tabelle;
    int32_t AC_Tabelle;
    int32_t Quant_Tabelle;
};

// The scan record (kept in Fortsetzung between calls). Jpeg_Free releases
// Komponenten and the record itself with Jpeg_Speicher_Freigeben.
struct Jpeg_Scan {
    int32_t Ns;
    int32_t Zaehler;  // encoder: MCUs since the last restart marker
    int32_t Ss;
    int32_t Se;
    int32_t Ah;
    int32_t Al;
    int32_t Neustart_Intervall;
    int32_t Spalte;  // resume MCU column
    int32_t Zeile;   // resume MCU row
    int32_t DC_Praediktor[4];
    Jpeg_Scan_Komponente* Komponenten;
};

// One entry of the region decoder's entry table (one per MCU row).
struct Jpeg_Einstieg {
    int64_t Position;  // -1 while unused; file offset or buffer offset
    int32_t DC_Praediktor[4];
    uint64_t Bit_Puffer;
    int32_t Bit_Anzahl;
    uint8_t Marke_Offen;
};
inline constexpr int JPEG_EINSTIEGE = 8192;

// The smooth up-sampler's delay record: four sample areas, all in one
// allocation that starts at the lowest of the four addresses.
struct Jpeg_Verzoegerung {
    int16_t* Bereich[4];
};

// Caller's component planes (a mode word and one plane per component).
struct Jpeg_Komponenten_Ebenen {
    int32_t Modus;  // 0: quantised coefficients, otherwise samples
    int16_t* Ebene[4];
};

inline constexpr int JPEG_DATEIPUFFER = 4096;
// The decoder's working memory limit after Jpeg_Init (MB, Speicher_Grenze):
// a 48-megapixel progressive picture needs about 150.
inline constexpr uint32_t JPEG_SPEICHER_GRENZE_VORGABE = 1024;

// The input and output stream: the stretch of the internal record that the
// decoder's input, its bit reader and the encoder's bit output work on.
struct Jpeg_Strom {
    uint64_t Bit_Puffer;              // bit accumulator
    Jpeg_Kern_Tabelle* Kern_Tabelle;  // the record's kernel table
    int32_t Bit_Anzahl;               // valid bits (reads) / bit state (writes)
    uint8_t* Eingabe_Zeiger;          // next byte to read / write
    uint8_t* Eingabe_Anfang;          // buffer start
    uint8_t* Eingabe_Ende;            // one past the buffer's end
    int64_t Ausgabe_Anzahl;           // bytes taken (reads) / written (writes)
    int64_t Eingabe_Kapazitaet;       // size of the caller's buffer
    int64_t Eingabe_Rest;             // bytes between Zeiger and Ende
    int32_t EOB_Lauf;                 // end-of-band run
    uint8_t* Bild_Zeile;              // current pixel row
    uint8_t Marke_Offen;              // pending marker, 0 when none
    int32_t Prozessor;                // processor code 0..6
    int32_t Sequenz_Komponenten;      // components decoded in uncounted scans
    uint8_t* MCU_Ziel;                // MCU destination (output clip)
    int32_t Scan_Komponente;          // component of a one-component scan
    Jpeg_Datei* Datei;                // open file, null for memory
    alignas(16) uint8_t Dateipuffer[JPEG_DATEIPUFFER];
};

// Room of the MCU work area in 8x8 blocks of 16-bit values.
inline constexpr int JPEG_ARBEITSBEREICH_BLOECKE = 64;

// The codec's working state (the last field of Jpeg_Auftrag).
struct JPEG_PROPERTIES {
    // call
    int32_t Modus;
    // After a decode that gave JPEG_ERG_BESCHAEDIGT the kind of damage
    // (JPEG_ERG_EOF, JPEG_ERG_DATEN or JPEG_ERG_RST), else 0.
    int32_t Schaden;
    int32_t Bereich_Links, Bereich_Oben, Bereich_Rechts, Bereich_Unten;
    int32_t DCT_Art;
    int32_t Schnellweg;
    int32_t Unterbrechen;
    // Encoding in bands: the caller's pixels hold the picture's rows
    // [Band_Oben, Band_Unten) (both 0: every row). A sequential encode
    // stops with JPEG_ERG_BEREICH_FERTIG before an MCU row whose rows are
    // not all there; the next call, with the pixel side set to the next
    // rows, goes on (the progressive encoder gathers the rows first and
    // writes the scans in the call that brings the last). Not with stepping.
    int32_t Band_Oben, Band_Unten;

    // pixel side
    uint8_t* Bild_Pixel;
    uint32_t Bild_Breite;
    int32_t Bild_Hoehe;
    uint32_t Bild_Fuellbytes;
    uint32_t Bild_Kanaele;
    int32_t Bild_Farbraum;
    int32_t Bild_Abtastung;
    int64_t Bild_Zeilenlaenge;  // signed row step in bytes

    // JPEG side
    const char* Jpg_Datei;
    uint8_t* Jpg_Puffer;
    uint32_t Jpg_Puffer_Groesse;
    uint32_t Jpg_Breite;
    uint32_t Jpg_Hoehe;
    uint32_t Jpg_Kanaele;
    int32_t Jpg_Farbraum;
    int32_t Jpg_Abtastung;
    uint32_t Jpg_Vorschau_Breite;
    uint32_t Jpg_Vorschau_Hoehe;
    uint32_t Farbwandlung;
    uint32_t Abtastung_Wandeln;
    uint32_t Qualitaet;

    // geometry
    int32_t Verschachtelung;
    int32_t MCU_Spalten;
    int32_t MCU_Zeilen;

    // caller tables: counters
    int32_t Anzahl_Quant_Tabellen;
    int32_t Anzahl_Quant_Vorgaben;
    int32_t Anzahl_DC_Tabellen;
    int32_t Anzahl_AC_Tabellen;
    int32_t Anzahl_Huffman_Vorgaben;

    // tables
    int16_t* Quant_Aktiv[4];
    Jpeg_Huffman_Tabelle* AC_Aktiv[4];
    Jpeg_Huffman_Tabelle* DC_Aktiv[4];
    Jpeg_Quant_Tabelle Quant_Tabelle[4];
    Jpeg_Huffman_Tabelle AC_Tabelle[4];
    Jpeg_Huffman_Tabelle DC_Tabelle[4];

    // caller-given tables
    uint32_t Quant_Extern;
    uint32_t Huffman_Extern;
    Jpeg_Quant_Vorgabe Quant_Vorgabe[4];
    Jpeg_Huffman_Vorgabe Huffman_Vorgabe[8];

    // frame
    uint8_t AC_Auswahl[4];
    uint8_t DC_Auswahl[4];
    int32_t Rahmen_Praezision;
    int32_t Rahmen_Art;  // marker code of the frame header (0xC0, 0xC1, 0xC2)
    int32_t Rahmen_Breite;
    int32_t Rahmen_Hoehe;
    int32_t MCU_Hoehe;
    int32_t MCU_Breite;
    int32_t Max_H;
    int32_t Max_V;
    int32_t Anzahl_Komponenten;
    int32_t MCU_Pro_Zeile;
    int32_t MCU_Gesamt;
    Jpeg_Komponente* Komponenten;  // 4 entries

    // stream
    int32_t Neustart_Intervall;
    int32_t DC_Fertig;
    int32_t AC_Fertig;
    uint32_t Strom_Anfang;
    Jpeg_Scan* Fortsetzung;
    // Bit_Puffer, Bit_Anzahl, EOB_Lauf, Marke_Offen, Sequenz_Komponenten,
    // Kern_Tabelle, the input and output positions, Ausgabe_Anzahl,
    // Bild_Zeile, Prozessor, Datei and Dateipuffer live in Strom.
    Jpeg_Strom Strom;

    // markers and buffers
    int32_t Adobe_Gesehen;
    int32_t Adobe_Transform;
    Jpeg_Einstieg* Jpeg_Einstiegstabelle;
    int16_t* Arbeitsbereich;  // points into Arbeitsspeicher, 32-byte aligned
    Jpeg_Komponenten_Ebenen* Komponenten_Ebenen;
    int32_t Scan_Zaehler;
    int16_t* Koeffizienten_Puffer;
    int32_t Glaettung;
    // Largest working memory of one decode in MB (coefficients of a
    // progressive picture, sample strips); 0: no limit. More gives
    // JPEG_ERG_SPEICHER before anything is allocated.
    uint32_t Speicher_Grenze;
    Jpeg_Verzoegerung* Verzoegerung;
    // The decoder's working state while a decode runs or is kept for the
    // next call (results 1); Jpeg_Free releases it with Jpeg_Dek_Freigeben.
    jpeg_dek::Zustand* Dek_Zustand;
    uint16_t Adobe_Version;
    uint16_t Adobe_Flags0;
    uint16_t Adobe_Flags1;
    int32_t JFIF_Gesehen;
    uint8_t JFIF_Version[2];
    uint8_t JFIF_Einheit;
    uint16_t JFIF_Dichte_X;
    uint16_t JFIF_Dichte_Y;
    uint8_t* jpeg_comment;
    uint16_t Kommentar_Groesse;

    alignas(32) int16_t Arbeitsspeicher[JPEG_ARBEITSBEREICH_BLOECKE * 64 + 16];
};

// The caller-facing record.
struct Jpeg_Auftrag {
    uint32_t Intern_Direkt;
    uint8_t* Bild_Pixel;
    uint32_t Bild_Breite;
    int32_t Bild_Hoehe;
    uint32_t Bild_Fuellbytes;
    uint32_t Bild_Kanaele;
    int32_t Bild_Farbraum;
    int32_t Bild_Abtastung;
    const char* Jpg_Datei;
    uint8_t* Jpg_Puffer;
    uint32_t Jpg_Puffer_Groesse;
    uint32_t Jpg_Breite;
    uint32_t Jpg_Hoehe;
    uint32_t Jpg_Kanaele;
    int32_t Jpg_Farbraum;
    int32_t Jpg_Abtastung;
    uint32_t Jpg_Vorschau_Breite;
    uint32_t Jpg_Vorschau_Hoehe;
    uint32_t Farbwandlung;
    uint32_t Abtastung_Wandeln;
    uint32_t Qualitaet;
    JPEG_PROPERTIES Intern;
};

// The version record returned by Jpeg_Version.
struct Jpeg_Versionsdaten {
    int32_t Haupt;
    int32_t Neben;
    int32_t Build;
    const char* Bibliothek;
    const char* Version;
    const char* Interne_Version;
    const char* Datum;
    const char* Notiz;
};

// ---------------------------------------------------------------------------
// Operations

int32_t Jpeg_Init(Jpeg_Auftrag* auftrag);
int32_t Jpeg_Lesen(Jpeg_Auftrag* auftrag, int32_t modus);
int32_t Jpeg_Schreiben(Jpeg_Auftrag* auftrag, int32_t modus);
int32_t Jpeg_Free(Jpeg_Auftrag* auftrag);
const Jpeg_Versionsdaten* Jpeg_Version();
const char* Jpeg_Fehlertext(int32_t code);

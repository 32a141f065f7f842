// Inside the JPEG decoder: the working state of one decode and the procedures
// that the marker reader, the scan decoder and the output stage share.
#pragma once

#include "jpeg/dec_bits.h"
#include "jpeg/jpeg_kern.h"

#include <cstdint>
#include <cstring>

// Blocks the gathered scans of one picture may visit together, as a multiple
// of the picture's blocks (on top of a fixed allowance); beyond it the
// stream gives JPEG_ERG_DATEN. Ordinary progressive pictures visit each block
// about ten times.
inline constexpr int64_t JPEG_DEK_DURCHGAENGE = 64;
// Most scans one picture may carry; more give JPEG_ERG_DATEN.
inline constexpr int32_t JPEG_DEK_SCAN_GRENZE = 1000;

namespace jpeg_dek {

// Converts one output row: component rows, destination, number of pixels,
// bytes per pixel, and the row's first column in the picture.
using Zeilen_Fn = void (*)(const uint8_t* const* quelle, uint8_t* ziel, int32_t n, int32_t kanaele, int32_t x);
// Converts the first pixels of an output row whose two chroma components
// come as the weighted sums of the smooth sideways doubling (sample x/2 of
// an even first column x at index 0, its neighbours at -1 and +1; biases
// r0 and r1 of the even and odd pixels): the doubling and the conversion in
// one pass, with exactly their values. Returns the pixels written (whole
// steps of the kernel; the caller converts the rest).
using Glatt_Fn = int32_t (*)(const uint8_t* y, const uint16_t* cb, const uint16_t* cr, int32_t r0, int32_t r1,
                             uint8_t* ziel, int32_t n);

struct Komp {
    int32_t h, v;                  // sampling factors
    int32_t bs;                    // block side after the inverse transform (8, 4, 2, 1)
    int32_t ux, uy;                // up-sampling the output stage still does
    int32_t glatt_h;               // smooth horizontal doubling
    int32_t glatt_v;               // smooth vertical doubling (with glatt_h)
    int32_t bloecke_x, bloecke_y;  // blocks in the MCU grid
    int32_t breite, hoehe;         // valid samples at the output scale
    int32_t streifen_breite;       // bloecke_x * bs
    int32_t streifen_hoehe;        // v * bs
    uint8_t* streifen[2];          // samples of two MCU rows
    int16_t* koef;                 // coefficients (buffered decoding)
    int32_t quant;                 // quantisation table number
    uint8_t* zeile;                // up-sampled output row
    uint16_t* summen;              // weighted sums of the smooth doubling (with room around)
    int32_t avx2;                  // the smooth doubling by its AVX2 form
};

// The full-size output of a block whose only coefficient is its DC value,
// kept per quantisation table and DC value (the inverse transform of such a
// block depends on nothing else).
struct DC_Eintrag {
    int16_t dc;
    uint8_t gueltig;
    alignas(16) uint8_t px[64];
};
constexpr int DC_PLAETZE = 256;

// Working state of one decode (Dek_Zustand of the record).
struct Zustand {
    // memory of this state, released together
    void* bloecke[24];
    size_t abgebildet[24];  // length of a block mapped from the system, else 0
    int32_t anzahl_bloecke;

    bool bereit;           // geometry set up for the current frame
    bool gepuffert;        // coefficients gathered, output at the end
    bool zickzack;         // gathered blocks in zigzag order (progressive frames)
    bool scan_begonnen;    // a scan of this decode has started
    bool bild_fertig;      // every MCU decoded (streaming) / output done
    bool daten_fehlen;     // entropy data ran short (cut off, or ended by a marker)
    bool daten_ungueltig;  // a code the tables do not have, or a wrong restart marker
    bool rst_falsch;       // a restart marker out of sequence
    bool fremde_bytes;     // bytes between the entropy data (or a segment) and the next marker
    bool daten_ueberlesen; // the entropy data of the last scan was not read (a finished picture's extra scan)
    bool grau;             // damaged data: the rest of the scan, or of the restart
                           // interval, is not decoded (grey, or the earlier scans' values)
    bool vorschau_fertig;  // a thumbnail was written (thumbnail modes)
    bool ende_erreicht;    // the marker loop has ended (the picture is complete or cut)
    bool band_offen;       // a region ended above the picture's last rows: the decode is kept
                           // for the next call to go on below it (result 2)
    bool ausgabe_laeuft;   // the gathered picture is being written (zeile, spalte)
    int32_t n;
    Komp k[4];
    int32_t max_h, max_v;
    int32_t mcu_x, mcu_y;           // MCU grid
    int32_t skala, bs;              // 1, 2, 4, 8 and the luma block side 8 / skala
    int32_t aus_breite, aus_hoehe;  // picture size at the output scale
    int32_t mcu_aus_hoehe;          // output rows per MCU row
    // region in output pixels (right and bottom exclusive)
    int32_t x0, y0, x1, y1;
    bool bereich;
    // output rows
    int32_t naechste_zeile;  // next output row to write
    Zeilen_Fn wandler;
    Glatt_Fn glatt_wandler;  // chroma by its doubling sums (null: no such form)
    bool halb;   // chroma handed over at half width
    bool nur_luma;  // grey output: only the first component is transformed and read
    int32_t jc;  // colour of the data as decoded

    // entropy decoding
    Eingabe ein;
    Bits bits;
    // The fast tables (4 DC, 4 AC) in one block that is not cleared: each
    // table is built before its first use.
    Huff* dc;
    Huff* ac;
    uint32_t huff_neu;  // bit t (DC) or 4 + t (AC): table t changed since its fast form was built
    int32_t scans;
    // per component and coefficient: 1 + the lowest point transform a scan
    // has delivered it with (0: not delivered)
    uint8_t stand[4][64];
    int64_t arbeit;  // blocks visited by the gathered scans so far
    // MCU position of the streaming scan, or of the output of a gathered picture
    int32_t spalte, zeile;
    DC_Eintrag* dc_speicher[4];  // per quantisation table; made after the first DC-only blocks
    int32_t dc_bloecke;          // DC-only blocks seen (counted up to 64)
    bool ein_streifen;           // one strip per component (no upright smoothing)
    int32_t dct_art;             // the DCT method in force, fixed by the first scan
};

// A zero-filled block that lives as long as the state; null on failure.
void* Speicher(Zustand* z, size_t groesse);

// Output stage (dec_ausgabe.cpp)
int32_t Ausgabe_Einrichten(JPEG_PROPERTIES* p, Zustand* z);
// Takes over the record's region for a kept decode when it goes on below the
// rows written so far with the same columns, and writes the rows that the
// samples already decoded complete; false when it does not fit.
bool Band_Uebernehmen(JPEG_PROPERTIES* p, Zustand* z);
// Writes every output row whose samples are complete after `mcu_zeilen` MCU
// rows have been placed in the strips (all rows when it is the last).
void Ausgabe_Zeilen(JPEG_PROPERTIES* p, Zustand* z, int32_t mcu_zeilen);
// Places one inverse-transformed block (column bx, row by of the
// component's block grid) into its strip.
void Block_Ablegen(Zustand* z, int32_t c, int32_t bx, int32_t by, const int16_t* blk);
// Places a full-size block whose only coefficient is its DC value (dc, as
// quantised): from the DC store, or transformed and then stored. q is the
// table to dequantise blk with, null when blk is dequantised already.
void DC_Block_Ablegen(JPEG_PROPERTIES* p, Zustand* z, int32_t c, int32_t bx, int32_t by, int16_t* blk, int16_t dc,
                      const int16_t* q, Jpeg_Block_Fn idct);
// The short way of DC_Block_Ablegen when the DC store already holds the
// block's samples: copied to ziel (its place in the strip, rows abstand
// apart). False when it does not hold them (DC_Block_Ablegen then).
inline bool DC_Block_Kopieren(const Zustand* z, int32_t c, int16_t dc, uint8_t* ziel, int64_t abstand) {
    const DC_Eintrag* speicher = z->dc_speicher[z->k[c].quant];
    if (!speicher) return false;
    const DC_Eintrag& e = speicher[static_cast<uint8_t>(dc)];
    if (!e.gueltig || e.dc != dc) return false;
    for (int r = 0; r < 8; ++r) std::memcpy(ziel + r * abstand, e.px + 8 * r, 8);
    return true;
}

// Scan decoding (dec_scan.cpp)
// Whole bytes of entropy data still unread in the accumulator at the end of
// a scan or restart interval (more than the fill bits of its last byte):
// the decoding was out of step with the data. Notes it as damage.
void Rest_Pruefen(Zustand* z);
int32_t Scan_Dekodieren(JPEG_PROPERTIES* p, Zustand* z, Jpeg_Scan* scan);
// Prepares every table read so far for the DCT method the picture's first
// scan fixed (z->dct_art), where it was prepared for the other.
void Quant_Angleichen(JPEG_PROPERTIES* p, const Zustand* z);
int32_t Gepuffert_Ausgeben(JPEG_PROPERTIES* p, Zustand* z);
// A gathered block in zigzag order (64 values) placed in natural order and
// dequantised by the prepared table (natural order): the low 16 bits of
// c q, or with `schnell` those of (c m + 64) >> 7, every m within 16 bits.
// Done by whole vectors where the processor has AVX-512 (F and BW); false,
// with nothing written, where it has not.
bool Gesammelt_Streuen(const int16_t* zz, const int16_t* q, bool schnell, int16_t* ziel);

}  // namespace jpeg_dek

// The output geometry of the current frame (MCU sizes and counts, colour
// switches, the MCU-row output routine); 0 or JPEG_ERG_KOMPONENTE.
int32_t Jpeg_Setup_Geometrie(JPEG_PROPERTIES* p);
// The fast-path code of a frame and pixel layout (Schnellweg): which fast
// output family serves it (1-19), 0 for the general writers.
int32_t Jpeg_Schnellweg_Waehlen(const JPEG_PROPERTIES* p);
// Releases the decoder's working state of the record.
void Jpeg_Dek_Freigeben(JPEG_PROPERTIES* p);

// The region decoder's entry table: store the stream state at the start of
// MCU row `nr` (entry nr), and restore it (the input repositioned: a file is
// sought, JPEG_ERG_DATEI when that fails). 0, or JPEG_ERG_PROPERTIES for a
// missing table, entry or state.
int32_t Jpeg_Save_Einstieg(int32_t nr, Jpeg_Strom* s, Jpeg_Scan* scan, JPEG_PROPERTIES* p);
int32_t Jpeg_Load_Einstieg(int32_t nr, Jpeg_Strom* s, Jpeg_Scan* scan, JPEG_PROPERTIES* p);

// Kernel-table forms of the block decoders.
int32_t Jpeg_Decode_Block(Jpeg_Strom* s, const Jpeg_Huffman_Tabelle* dc, const Jpeg_Huffman_Tabelle* ac, int32_t* pred,
                          int16_t* blk);
int32_t Jpeg_Decode_Block_Breit(Jpeg_Strom* s, const Jpeg_Huffman_Tabelle* dc, const Jpeg_Huffman_Tabelle* ac,
                                int32_t* pred, int16_t* blk);
int32_t Jpeg_Decode_Block_DC(Jpeg_Strom* s, const Jpeg_Huffman_Tabelle* dc, const Jpeg_Huffman_Tabelle* ac,
                             int32_t* pred, int16_t* blk);

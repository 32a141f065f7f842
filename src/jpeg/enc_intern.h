// Inside the encoder: the pieces its parts call in one another (default
// tables, Huffman coding and bit output, marker writers, colour converters,
// the progressive driver's helpers).
#pragma once

#include "jpeg/jpeg_kern.h"

#include <cstdint>

// ---------------------------------------------------------------------------
// Default tables (enc_tabellen.cpp)

// Luminance and chrominance quantisation tables in zigzag order.
extern const uint8_t Jpeg_Std_Quant_Luma[64];
extern const uint8_t Jpeg_Std_Quant_Chroma[64];
// Huffman tables: 16 code-length counts and the symbols each.
extern const uint8_t Jpeg_Std_DC_Luma_Anzahlen[16];
extern const uint8_t Jpeg_Std_DC_Luma_Werte[12];
extern const uint8_t Jpeg_Std_DC_Chroma_Anzahlen[16];
extern const uint8_t Jpeg_Std_DC_Chroma_Werte[12];
extern const uint8_t Jpeg_Std_AC_Luma_Anzahlen[16];
extern const uint8_t Jpeg_Std_AC_Luma_Werte[162];
extern const uint8_t Jpeg_Std_AC_Chroma_Anzahlen[16];
extern const uint8_t Jpeg_Std_AC_Chroma_Werte[162];
// Number of significant bits of 0..255.
extern const uint8_t Jpeg_Bitzahl_Tabelle[256];

// Size category of a value (number of significant bits of |v|).
inline int32_t Jpeg_Kategorie(int32_t v) {
    uint32_t a = static_cast<uint32_t>(v < 0 ? -v : v);
    return a == 0 ? 0 : 32 - __builtin_clz(a);
}

// ---------------------------------------------------------------------------
// Huffman coding and bit output (enc_bits.cpp)

// Derives the encoding table from 16 counts and the symbols; 0 or -6 (more
// than 257 codes, or codes that overflow their lengths).
int32_t Jpeg_Build_Huffman_Kod(const uint8_t* anzahlen, const uint8_t* symbole, Jpeg_Huffman_Kodtabelle* tabelle);
// Whether a table has a code for every symbol baseline 8-bit data can need
// (DC: categories 0..11; AC: EOB, ZRL and every run/size with size 1..10).
bool Jpeg_Huffman_Vollstaendig(const Jpeg_Huffman_Kodtabelle* tabelle, int32_t klasse);

// The generic bit writer: n (0..16) low bits of value; 0, -28 or -23.
int32_t Jpeg_Put_Bits(Jpeg_Strom* s, uint32_t wert, int32_t n);

// The two classes of output routines: generic (codes 0..2), and the fast
// 64-bit ones (codes 3..6).
bool Jpeg_Strom_Allgemein(const Jpeg_Strom* s);

void Jpeg_Ausgabe_Start(Jpeg_Strom* s, uint8_t* puffer, int64_t groesse);
void Jpeg_Ausgabe_Start_Schnell(Jpeg_Strom* s, uint8_t* puffer, int64_t groesse);
int32_t Jpeg_Bytes_Schreiben(const uint8_t* bytes, int32_t n, Jpeg_Strom* s);
int32_t Jpeg_Bytes_Schreiben_Schnell(const uint8_t* bytes, int32_t n, Jpeg_Strom* s);
int32_t Jpeg_Encode_Block(Jpeg_Strom* s, const Jpeg_Huffman_Tabelle* dc, const Jpeg_Huffman_Tabelle* ac,
                          int32_t* praediktor, const int16_t* block);
int32_t Jpeg_Encode_Block_Schnell(Jpeg_Strom* s, const Jpeg_Huffman_Tabelle* dc, const Jpeg_Huffman_Tabelle* ac,
                                  int32_t* praediktor, const int16_t* block);
// The same, finding the non-zero coefficients with SSSE3 byte shuffles.
int32_t Jpeg_Encode_Block_Schnell_SSSE3(Jpeg_Strom* s, const Jpeg_Huffman_Tabelle* dc, const Jpeg_Huffman_Tabelle* ac,
                                        int32_t* praediktor, const int16_t* block);
// The same compiled for AVX2 and BMI2 (identical bytes); only where
// Jpeg_Hat_BMI2_Kodierer() (SSSE3, AVX2, BMI1, BMI2 and LZCNT).
bool Jpeg_Hat_BMI2_Kodierer();
int32_t Jpeg_Encode_Block_Schnell_BMI2(Jpeg_Strom* s, const Jpeg_Huffman_Tabelle* dc, const Jpeg_Huffman_Tabelle* ac,
                                       int32_t* praediktor, const int16_t* block);
// n consecutive blocks through the BMI2 coder in one call (the same bytes as
// one call per block), block b with the tables and the predictor of
// component komponente[b]; stops at the first error.
int32_t Jpeg_Encode_Bloecke_Schnell_BMI2(Jpeg_Strom* s, const int16_t* bloecke, int32_t n, const uint8_t* komponente,
                                         const Jpeg_Huffman_Tabelle* const* dc, const Jpeg_Huffman_Tabelle* const* ac,
                                         int32_t* praediktor);
// The same with the zigzag search by byte permutes (AVX-512 VBMI on 256-bit
// registers); only where Jpeg_Hat_VBMI_Kodierer() (the BMI2 coder's
// features as well).
bool Jpeg_Hat_VBMI_Kodierer();
int32_t Jpeg_Encode_Bloecke_Schnell_VBMI(Jpeg_Strom* s, const int16_t* bloecke, int32_t n, const uint8_t* komponente,
                                         const Jpeg_Huffman_Tabelle* const* dc, const Jpeg_Huffman_Tabelle* const* ac,
                                         int32_t* praediktor);
// Bit k set when zigzag position k of the block is not zero (SSSE3).
uint64_t Jpeg_Zickzack_Maske_SSSE3(const int16_t* block);
// Completes the pending bits and, with a file, writes the staging buffer out.
int32_t Jpeg_Ausgabe_Leeren(Jpeg_Strom* s);
// The same at the stream's end: with a file, every byte gathered for it
// goes out too.
int32_t Jpeg_Ausgabe_Ende(Jpeg_Strom* s);

// ---------------------------------------------------------------------------
// Marker writers (enc_marker.cpp); each returns 0 or an error code.

int32_t Jpeg_Write_SOI(Jpeg_Strom* s);
int32_t Jpeg_Write_EOI(Jpeg_Strom* s);
int32_t Jpeg_Write_APP0(JPEG_PROPERTIES* p);
int32_t Jpeg_Write_APP14(int32_t transform, JPEG_PROPERTIES* p);
int32_t Jpeg_Write_COM(JPEG_PROPERTIES* p);
int32_t Jpeg_Write_DQT(Jpeg_Strom* s, int32_t praezision, int32_t nummer, const int16_t* werte);
int32_t Jpeg_Write_DHT(Jpeg_Strom* s, JPEG_PROPERTIES* p);
int32_t Jpeg_Write_DHT_Einzeln(Jpeg_Strom* s, const uint8_t* anzahlen, const uint8_t* symbole, int32_t klasse,
                               int32_t nummer);
int32_t Jpeg_Write_SOF0(Jpeg_Strom* s, const JPEG_PROPERTIES* p);
int32_t Jpeg_Write_SOF2(Jpeg_Strom* s, const JPEG_PROPERTIES* p);
int32_t Jpeg_Write_DRI(int32_t intervall, Jpeg_Strom* s);
int32_t Jpeg_Write_SOS(Jpeg_Strom* s, int32_t ns, const uint8_t* dc, const uint8_t* ac);
int32_t Jpeg_Write_SOS_Prog(Jpeg_Strom* s, const Jpeg_Scan* scan, const uint8_t* dc, const uint8_t* ac);
int32_t Jpeg_Write_RST(int32_t n, Jpeg_Strom* s);

// The comment the encoder writes when the caller gives none.
const char* Jpeg_Kommentar_Text();

// ---------------------------------------------------------------------------
// Colour conversion (enc_farbe*.cpp, enc_allgemein.cpp)

// Chooses the per-MCU converter into Kod_Zeile; 0, -3, -8 or -14.
int32_t Jpeg_Wandler_Waehlen(JPEG_PROPERTIES* p);

// Generic whole-MCU kernels (also the reference for the SIMD forms).
void Jpeg_Kod_Grau(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_RGB_111(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_BGR_111(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_RGB_422(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_BGR_422(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_RGB_411(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_BGR_411(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_RGBA_1111(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_RGBA_4224(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_RGBA_4114(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_Kopie_111(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_Kopie_422(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_Kopie_411(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_Kopie_1111(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_YCbYCr(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);

// SSE2 forms of the common kernels (same samples as the generic ones).
void Jpeg_Kod_Grau_SSE2(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_RGB_111_SSE2(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_BGR_111_SSE2(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_RGB_422_SSE2(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_BGR_422_SSE2(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_RGB_411_SSE2(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_BGR_411_SSE2(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_RGBA_1111_SSE2(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);

// SSSE3 forms of the three-byte kernels (same samples again), used when the
// processor has SSSE3.
// One 8x8 block of grey from three-byte pixels (RGB, or BGR), each
// (77 R + 150 G + 29 B - 32640) >> 8 as the general converter gives it.
void Jpeg_Kod_Grau_Drei_SSSE3(const uint8_t* p, int64_t st, int16_t* y, bool bgr);
// The same two rows at a time (AVX2; only where the processor has it).
void Jpeg_Kod_Grau_Drei_AVX2(const uint8_t* p, int64_t st, int16_t* y, bool bgr);
void Jpeg_Kod_RGB_111_SSSE3(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_BGR_111_SSSE3(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_RGB_422_SSSE3(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_BGR_422_SSSE3(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_RGB_411_SSSE3(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_BGR_411_SSSE3(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);

// AVX2 forms of the same kernels, used when the processor has AVX2.
void Jpeg_Kod_RGB_111_AVX2(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_BGR_111_AVX2(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_RGB_422_AVX2(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_BGR_422_AVX2(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_RGB_411_AVX2(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_BGR_411_AVX2(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);

// The same with the accumulating multiply-add of AVX-512 VNNI on 256-bit
// vectors, used when the processor has JSIMD_AVX512_VNNI.
void Jpeg_Kod_RGB_111_VNNI(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_BGR_111_VNNI(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_RGB_422_VNNI(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_BGR_422_VNNI(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_RGB_411_VNNI(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);
void Jpeg_Kod_BGR_411_VNNI(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);

// General converters (per-MCU workers).
void Kod_Allgemein_Vierkanal(JPEG_PROPERTIES* p, int32_t spalte, int32_t zeile);
void Kod_Allgemein_Grau(JPEG_PROPERTIES* p, int32_t spalte, int32_t zeile);
// The same with whole 8x8 MCUs of three-byte pixels by the SSSE3 kernel, or
// the AVX2 one where the processor has AVX2 (processors with SSSE3 only);
// the others go to the general one.
void Kod_Grau_Drei_SSSE3(JPEG_PROPERTIES* p, int32_t spalte, int32_t zeile);
void Kod_Allgemein_Abtasten(JPEG_PROPERTIES* p, int32_t spalte, int32_t zeile);
void Kod_Allgemein_Kopie(JPEG_PROPERTIES* p, int32_t spalte, int32_t zeile);

// Columns and rows of an MCU of w x h pixels that lie inside the picture.
void Jpeg_MCU_Ausschnitt(const JPEG_PROPERTIES* p, int32_t spalte, int32_t zeile, int32_t w, int32_t h, int32_t* c,
                         int32_t* r);

// ---------------------------------------------------------------------------
// Drivers (enc_treiber.cpp)

// Scales a table of 64 bytes by the quality (clamped to 1..100).
void Jpeg_Qtab_Skalieren(uint32_t qualitaet, const uint8_t* basis, int16_t* aus);
// Fills the work area for one MCU (converter or component planes) and
// transforms it when the planes do not hold coefficients. Given tabellen
// (the quantisation table of each block), it may quantise the blocks in the
// same pass; true when it did (the blocks then hold exactly what the active
// quantiser would have made of them).
bool Jpeg_MCU_Fuellen(JPEG_PROPERTIES* p, int32_t spalte, int32_t zeile, int32_t bloecke,
                      const int16_t* const* tabellen = nullptr);
// Most blocks per MCU the fused transform takes a table list for.
inline constexpr int32_t JPEG_MAX_LISTENBLOECKE = 32;

// Huffman code lengths from 257 frequencies, every code one bit longer than
// optimal (the defined table construction).
void Jpeg_Optimale_Huffman(const int32_t* haeufigkeiten, uint8_t* anzahlen, uint8_t* symbole);
// The same code lengths as they are (up to 16 bits, none added): the table
// the progressive encoder sends with each scan.
void Jpeg_Knappe_Huffman(const int32_t* haeufigkeiten, uint8_t* anzahlen, uint8_t* symbole);

// Inside the JPEG codec: processor codes, the per-record kernel table, the
// small platform layer (memory, files, copies) and the entry points that the
// interface, the decoder and the encoder call in one another.
#pragma once

#include "jpeg/jpeg.h"

#include <cstddef>
#include <cstdint>

// ---------------------------------------------------------------------------
// Processor codes (value of Strom.Prozessor)
enum : int32_t {
    JCPU_ALLGEMEIN = 0,  // any processor not matched below
    JCPU_F5 = 1,         // family 5 without MMX
    JCPU_F6 = 2,         // family 6 without MMX
    JCPU_F5_MMX = 3,     // family 5 with MMX
    JCPU_F6_MMX = 4,     // family 6 with MMX, without SSE
    JCPU_F6_SSE = 5,     // family 6 with MMX and SSE
    JCPU_F15_SSE2 = 6    // family 15 with SSE2
};
inline constexpr int32_t JCPU_ANZAHL = 7;

// Feature bits of CPUID leaf 1, EDX.
inline constexpr uint32_t JCPU_BIT_TSC = 1u << 4;
inline constexpr uint32_t JCPU_BIT_MMX = 1u << 23;
inline constexpr uint32_t JCPU_BIT_SSE = 1u << 25;
inline constexpr uint32_t JCPU_BIT_SSE2 = 1u << 26;
inline constexpr uint32_t JCPU_BIT_POPCNT = 1u << 23;  // in Merkmale_C

// The process-wide CPUID record (computed once).
struct Jpeg_CPUID {
    uint32_t Marke;       // brand index, EBX bits 0..7
    uint32_t Typ;         // EAX bits 12..13
    uint32_t Familie;     // EAX bits 8..11
    uint32_t Modell;      // EAX bits 4..7
    uint32_t Stepping;    // EAX bits 0..3
    uint32_t Merkmale;    // EDX of leaf 1
    uint32_t Merkmale_C;  // ECX of leaf 1
    uint32_t Simd;        // JSIMD_* bits
};

// ---------------------------------------------------------------------------
// Kernel procedure types

// In-place transform of one 8x8 block (64 int16 in natural order).
using Jpeg_Block_Fn = void (*)(int16_t* block);
// Quantiser / dequantiser: block and prepared table.
using Jpeg_Quant_Fn = void (*)(int16_t* block, const int16_t* tabelle);
// Clears the processor's SIMD state at the end of an operation.
using Jpeg_Simd_Ende_Fn = void (*)();
// Sets up the encoder's output buffer.
using Jpeg_Bits_Start_Fn = void (*)(Jpeg_Strom* strom, uint8_t* puffer, int64_t groesse);
// Completes the pending bits, then writes n raw bytes; 0, -28 or -23.
using Jpeg_Bits_Leeren_Fn = int32_t (*)(const uint8_t* bytes, int32_t n, Jpeg_Strom* strom);
// Encoder per-MCU worker: fills Arbeitsbereich, advances Bild_Zeile.
using Jpeg_Kod_Zeile_Fn = void (*)(JPEG_PROPERTIES* p, int32_t spalte, int32_t zeile);
// Encoder whole-MCU kernel: pixels of the MCU's top-left pixel, signed row
// distance, one output address per component (unused ones may be null).
using Jpeg_Kod_Kern_Fn = void (*)(const uint8_t* pixel, int64_t zeilenabstand, int16_t* y, int16_t* cb, int16_t* cr,
                                  int16_t* a);
// Decoder MCU output routine: writes the MCU's visible pixels.
using Jpeg_Dek_Zeile_Fn = int32_t (*)(JPEG_PROPERTIES* p, int32_t spalte, int32_t zeile);
// Decoder full-MCU kernel: component blocks, destination, line bytes.
using Jpeg_Dek_Kern_Fn = void (*)(const int16_t* y, const int16_t* cb, const int16_t* cr, const int16_t* a,
                                  uint8_t* ziel, int64_t zeilenlaenge);
// Huffman coding of one block; 0, -28 or -23. The predictor is updated.
using Jpeg_Huffman_Kod_Fn = int32_t (*)(Jpeg_Strom* strom, const Jpeg_Huffman_Tabelle* dc,
                                        const Jpeg_Huffman_Tabelle* ac, int32_t* praediktor, const int16_t* block);
// The code lengths of one progressive scan's table from its symbol counts
// (257 counts in, 16 length counts and the symbols by length out).
using Jpeg_Huffman_Bau_Fn = void (*)(const int32_t* haeufigkeiten, uint8_t* anzahlen, uint8_t* symbole);
// Huffman decoding of one block; 0 or a negative error.
using Jpeg_Huffman_Dek_Fn = int32_t (*)(Jpeg_Strom* strom, const Jpeg_Huffman_Tabelle* dc,
                                        const Jpeg_Huffman_Tabelle* ac, int32_t* praediktor, int16_t* block);

// The per-record kernel table (allocated by Jpeg_Init, released by Jpeg_Free).
struct Jpeg_Kern_Tabelle {
    int32_t Lese_Vorlauf;  // length of the last start-of-scan segment plus 2
    Jpeg_Simd_Ende_Fn Simd_Ende;

    Jpeg_Block_Fn FDCT_Schnell;
    Jpeg_Block_Fn FDCT_Genau;
    // The accurate transform keeping three more bits, for the encoder's
    // precise quantiser (the pair the encoder uses for the accurate method).
    Jpeg_Block_Fn FDCT_Praezise;
    Jpeg_Block_Fn IDCT_8x8_Schnell;
    Jpeg_Block_Fn IDCT_4x4_Schnell;
    Jpeg_Block_Fn IDCT_2x2_Schnell;
    Jpeg_Block_Fn IDCT_1x1_Schnell;
    Jpeg_Block_Fn IDCT_8x8_Genau;
    Jpeg_Block_Fn IDCT_4x4_Genau;
    Jpeg_Block_Fn IDCT_2x2_Genau;
    Jpeg_Block_Fn IDCT_1x1_Genau;
    Jpeg_Block_Fn FDCT_Aktiv;
    Jpeg_Block_Fn IDCT_8x8_Aktiv;
    Jpeg_Block_Fn IDCT_4x4_Aktiv;
    Jpeg_Block_Fn IDCT_2x2_Aktiv;
    Jpeg_Block_Fn IDCT_1x1_Aktiv;

    Jpeg_Bits_Start_Fn Bits_Start;
    Jpeg_Bits_Leeren_Fn Bits_Leeren;

    Jpeg_Kod_Zeile_Fn Kod_Zeile;
    Jpeg_Kod_Kern_Fn Kod_Grau;
    Jpeg_Kod_Kern_Fn Kod_RGB_111;
    Jpeg_Kod_Kern_Fn Kod_RGB_422;
    Jpeg_Kod_Kern_Fn Kod_RGB_411;
    Jpeg_Kod_Kern_Fn Kod_BGR_111;
    Jpeg_Kod_Kern_Fn Kod_BGR_422;
    Jpeg_Kod_Kern_Fn Kod_BGR_411;
    Jpeg_Kod_Kern_Fn Kod_Kopie_111;
    Jpeg_Kod_Kern_Fn Kod_Kopie_422;
    Jpeg_Kod_Kern_Fn Kod_Kopie_411;
    Jpeg_Kod_Kern_Fn Kod_YCbYCr;
    Jpeg_Kod_Kern_Fn Kod_RGBA_1111;
    Jpeg_Kod_Kern_Fn Kod_RGBA_4224;
    Jpeg_Kod_Kern_Fn Kod_RGBA_4114;
    Jpeg_Kod_Kern_Fn Kod_Kopie_1111;

    Jpeg_Dek_Zeile_Fn Dek_Zeile;
    Jpeg_Dek_Kern_Fn Dek_Grau;
    Jpeg_Dek_Kern_Fn Dek_444_RGB;
    Jpeg_Dek_Kern_Fn Dek_422_RGB;
    Jpeg_Dek_Kern_Fn Dek_411_RGB;
    Jpeg_Dek_Kern_Fn Dek_444_BGR;
    Jpeg_Dek_Kern_Fn Dek_422_BGR;
    Jpeg_Dek_Kern_Fn Dek_411_BGR;
    Jpeg_Dek_Kern_Fn Dek_444_RGBA;
    Jpeg_Dek_Kern_Fn Dek_422_RGBA;
    Jpeg_Dek_Kern_Fn Dek_411_RGBA;
    Jpeg_Dek_Kern_Fn Dek_444_Kopie;
    Jpeg_Dek_Kern_Fn Dek_422_Kopie;
    Jpeg_Dek_Kern_Fn Dek_411_Kopie;
    Jpeg_Dek_Kern_Fn Dek_444_RGBA_Kopie;
    Jpeg_Dek_Kern_Fn Dek_422_YCbYCr;
    Jpeg_Dek_Kern_Fn Dek_4444_RGBA;
    Jpeg_Dek_Kern_Fn Dek_4224_RGBA;
    Jpeg_Dek_Kern_Fn Dek_4114_RGBA;
    Jpeg_Dek_Kern_Fn Dek_4444_Kopie;

    Jpeg_Huffman_Kod_Fn Huffman_Kodieren;
    // The table each progressive scan sends: Jpeg_Knappe_Huffman (the
    // lengths as computed); Jpeg_Optimale_Huffman (every code one bit
    // longer) can take its place, to compare the two.
    Jpeg_Huffman_Bau_Fn Huffman_Bauen;
    Jpeg_Huffman_Dek_Fn Huffman_Dekodieren;
    Jpeg_Huffman_Dek_Fn Huffman_Dekodieren_2;

    Jpeg_Quant_Fn Quantisieren_Schnell;
    Jpeg_Quant_Fn Quantisieren_Genau;
    Jpeg_Quant_Fn Quantisieren_Praezise;
    Jpeg_Quant_Fn Quantisieren_Aktiv;
    Jpeg_Quant_Fn Dequantisieren_Schnell;
    Jpeg_Quant_Fn Dequantisieren_Genau;
    Jpeg_Quant_Fn Dequantisieren_Aktiv;
};

// ---------------------------------------------------------------------------
// Processor detection and the kernel table (jpeg_cpu.cpp)

// Detects the processor and fills every slot of the table; returns 1.
int32_t Jpeg_Kerne_Waehlen(Jpeg_Kern_Tabelle* tabelle);
// Fills every slot of the table for a given processor code (0..6).
void Jpeg_Kerne_Fuellen(Jpeg_Kern_Tabelle* tabelle, int32_t prozessor);
// The processor code 0..6: the override "USECPU" when it is valid and the
// processor has what that code needs, else the CPUID decision.
int32_t Jpeg_Prozessor_Erkennen(Jpeg_Kern_Tabelle* tabelle);
// The code that CPUID data alone gives (family and feature bits).
int32_t Jpeg_Prozessor_Aus_CPUID(uint32_t familie, uint32_t merkmale);
// Whether a processor with these feature bits can run the kernels of a code.
bool Jpeg_Prozessor_Moeglich(int32_t prozessor, uint32_t merkmale);
// Releases what the table holds (before the table itself is released).
void Jpeg_Kerne_Freigeben(Jpeg_Kern_Tabelle* tabelle);
// The process-wide CPUID record.
const Jpeg_CPUID* Jpeg_CPUID_Daten();

// Instruction set extensions the kernels are chosen by, read once with the
// processor data (four CPUID leaves in all: every leaf costs microseconds
// under a hypervisor, and each process start pays them).
inline constexpr uint32_t JSIMD_SSSE3 = 1;
inline constexpr uint32_t JSIMD_AVX2 = 2;  // with the system saving the AVX registers
inline constexpr uint32_t JSIMD_BMI = 4;
inline constexpr uint32_t JSIMD_BMI2 = 8;
inline constexpr uint32_t JSIMD_LZCNT = 16;
// AVX2 with AVX-512 F, BW, VL and VNNI, the system saving the AVX-512 registers.
inline constexpr uint32_t JSIMD_AVX512_VNNI = 32;
// The same with VBMI in place of VNNI.
inline constexpr uint32_t JSIMD_AVX512_VBMI = 64;
uint32_t Jpeg_Simd_Merkmale();
inline bool Jpeg_Simd_Hat(uint32_t merkmale) { return (Jpeg_Simd_Merkmale() & merkmale) == merkmale; }

// Filled by the decoder and the encoder for their own slots.
void Jpeg_Dek_Kerne_Fuellen(Jpeg_Kern_Tabelle* tabelle, int32_t prozessor);
void Jpeg_Kod_Kerne_Fuellen(Jpeg_Kern_Tabelle* tabelle, int32_t prozessor);

// ---------------------------------------------------------------------------
// Platform layer (jpeg_cpu.cpp)

// Copies count bytes in ascending address order; 0 copies nothing.
void Jpeg_Kopieren(void* ziel, const void* quelle, size_t anzahl);
// Fills count bytes with zero; returns 0.
int32_t Jpeg_Nullen(void* ziel, size_t anzahl);
// The byte widened to 32 bits.
int32_t Jpeg_Byte_Wert(uint8_t byte);

// Heap blocks of the codec (zero-filled, 32-byte aligned; null on failure).
// Everything a record holds (Komponenten, Koeffizienten_Puffer, Verzoegerung
// and its sample areas, Jpeg_Einstiegstabelle, Fortsetzung and its component
// list) comes from here, because Jpeg_Free releases it here.
// True for a frame of three components with the ids 'R', 'G', 'B': RGB data
// even without an Adobe marker.
inline bool Jpeg_RGB_Kennungen(const JPEG_PROPERTIES* p) {
    return p->Anzahl_Komponenten == 3 && p->Komponenten && p->Komponenten[0].Kennung == 'R' &&
           p->Komponenten[1].Kennung == 'G' && p->Komponenten[2].Kennung == 'B';
}

void* Jpeg_Speicher_Holen(size_t groesse);
// The same without clearing (for stores filled before they are read).
void* Jpeg_Speicher_Holen_Ungeleert(size_t groesse);
void Jpeg_Speicher_Freigeben(void* zeiger);

// File access modes for Jpeg_Datei_Oeffnen.
inline constexpr uint32_t JPEG_DATEI_LESEN = 1;
inline constexpr uint32_t JPEG_DATEI_SCHREIBEN = 2;  // creates the file or writes over it (cut at the close)

Jpeg_Datei* Jpeg_Datei_Oeffnen(const char* name, uint32_t zugriff);  // null on failure
int32_t Jpeg_Datei_Schliessen(Jpeg_Datei* datei);                    // non-zero on success
int32_t Jpeg_Datei_Lesen(Jpeg_Datei* datei, void* puffer, uint32_t anzahl, uint32_t* gelesen);
// Writes to a regular file may be gathered; Jpeg_Datei_Leeren sends them
// out (1, or 0 when the system refuses them).
int32_t Jpeg_Datei_Schreiben(Jpeg_Datei* datei, const void* puffer, uint32_t anzahl, uint32_t* geschrieben);
int32_t Jpeg_Datei_Leeren(Jpeg_Datei* datei);
// origin 0 from the start, 1 from the current position, 2 from the end; 1 or 0.
int32_t Jpeg_Datei_Suchen(Jpeg_Datei* datei, int64_t abstand, int32_t ursprung);

// ---------------------------------------------------------------------------
// Transform kernels (jpeg_dct*.cpp, jpeg_quant*.cpp, jpeg_idct*.cpp)

// Zigzag position -> natural index, followed by 16 entries of 63.
extern const uint32_t Jpeg_Zickzack[64 + 16];
// Fast forward DCT numerators, zigzag order.
extern const int32_t Jpeg_AAN_Zaehler[64];
// s(u)s(v)/8 in zigzag order, then 32768.0, 0.0625 and 0.5.
extern const double Jpeg_AAN_Faktoren[64 + 3];

void Jpeg_FDCT_Schnell(int16_t* block);
void Jpeg_FDCT_Genau(int16_t* block);
void Jpeg_FDCT_Schnell_MMX(int16_t* block);
void Jpeg_FDCT_Genau_MMX(int16_t* block);
void Jpeg_FDCT_Genau_SSE(int16_t* block);
void Jpeg_FDCT_Genau_SSE2(int16_t* block);
void Jpeg_FDCT_Praezise(int16_t* block);  // eight times the coefficients
// The precise transform's matrix, round(2^15 a(u) cos((2x + 1) u pi / 16)).
extern const int16_t Jpeg_DCT_Praezise_Matrix[8][8];
void Jpeg_FDCT_Praezise_SSE2(int16_t* block);

void Jpeg_Quant_Schnell(int16_t* block, const int16_t* tabelle);
void Jpeg_Quant_Genau(int16_t* block, const int16_t* tabelle);
void Jpeg_Quant_Schnell_MMX(int16_t* block, const int16_t* tabelle);
void Jpeg_Quant_Genau_MMX(int16_t* block, const int16_t* tabelle);
void Jpeg_Quant_Genau_SSE(int16_t* block, const int16_t* tabelle);
void Jpeg_Quant_Genau_SSE2(int16_t* block, const int16_t* tabelle);
void Jpeg_Quant_Praezise(int16_t* block, const int16_t* tabelle);
void Jpeg_Quant_Praezise_SSE2(int16_t* block, const int16_t* tabelle);

// Encoder table preparation, in place (64 entries, zigzag order in, natural
// order out). 0, or -7 when an entry is 0 or negative (table untouched).
int32_t Jpeg_Qtab_Schnell(int16_t* tabelle);
int32_t Jpeg_Qtab_Genau(int16_t* tabelle);
// The precise quantiser's rows beside the table (JPEG_QTAB_PRAEZISE), from
// the quantisation values in zigzag order; call before Jpeg_Qtab_Genau.
int32_t Jpeg_Qtab_Praezise(int16_t* tabelle);

// Decoder table preparation, in place; the table needs JPEG_QTAB_WORTE words.
void Jpeg_Dqtab_Schnell(int16_t* tabelle);
void Jpeg_Dqtab_Genau(int16_t* tabelle);
// A decoder table prepared from its stream values (Roh) for the DCT method
// `art` (DCT_SCHNELL or DCT_GENAU); Form notes the method.
void Jpeg_Dqtab_Fuer(Jpeg_Quant_Tabelle* tabelle, int32_t art);

void Jpeg_Dequant_Schnell(int16_t* block, const int16_t* tabelle);
void Jpeg_Dequant_Genau(int16_t* block, const int16_t* tabelle);
void Jpeg_Dequant_Genau_MMX(int16_t* block, const int16_t* tabelle);
void Jpeg_Dequant_Genau_SSE2(int16_t* block, const int16_t* tabelle);

void Jpeg_IDCT_Schnell(int16_t* block);
void Jpeg_IDCT_Schnell_4x4(int16_t* block);
void Jpeg_IDCT_Schnell_2x2(int16_t* block);
void Jpeg_IDCT_Schnell_1x1(int16_t* block);
void Jpeg_IDCT_Genau(int16_t* block);
void Jpeg_IDCT_Genau_4x4(int16_t* block);
void Jpeg_IDCT_Genau_2x2(int16_t* block);
void Jpeg_IDCT_Genau_1x1(int16_t* block);
void Jpeg_IDCT_Schnell_MMX(int16_t* block);
void Jpeg_IDCT_Genau_MMX(int16_t* block);
void Jpeg_IDCT_Genau_SSE(int16_t* block);
void Jpeg_IDCT_Genau_SSE2(int16_t* block);

// ---------------------------------------------------------------------------
// Entry points between the interface, the decoder and the encoder

// The argument check of Jpeg_Lesen and Jpeg_Schreiben for the mode in
// Intern.Modus: 0, or -3, -8 or -27.
int32_t Jpeg_Pruefen(const Jpeg_Auftrag* auftrag);

// Decoder driver: 0, 1 (interrupted), 2 (region complete) or an error.
int32_t Jpeg_Decode_Bild(JPEG_PROPERTIES* p);
// A decode kept after a region (result 2) goes on when the record's new
// region lies below the rows written so far, with the same columns: the
// region is taken over (the pixel side must be set already) and the rows
// the kept samples complete are written. True then; otherwise, or when no
// decode is kept, false, and a kept decode is released.
bool Jpeg_Dek_Band_Weiter(JPEG_PROPERTIES* p);
// True while a decode is kept after a region (result 2).
bool Jpeg_Dek_Band_Offen(const JPEG_PROPERTIES* p);
// Releases the decoder's working state (Dek_Zustand); Jpeg_Free calls it.
void Jpeg_Dek_Freigeben(JPEG_PROPERTIES* p);
// Builds a decoding table from 16 counts and the symbols; 0 or -6.
int32_t Jpeg_Build_Huffman(const uint8_t* anzahlen, const uint8_t* symbole, int32_t klasse, int32_t nummer,
                           Jpeg_Huffman_Tabelle* tabelle);
// Installs the default tables unless the caller gave its own; 0 or an error.
int32_t Jpeg_Standardtabellen(JPEG_PROPERTIES* p);
// Writes the stream's opening (markers and tables); 0 or an error.
int32_t Jpeg_Kopf_Schreiben(JPEG_PROPERTIES* p);
// Encoder drivers: 0, 1 (interrupted) or an error.
int32_t Jpeg_Encode_Sequentiell(JPEG_PROPERTIES* p);
int32_t Jpeg_Encode_Progressiv(JPEG_PROPERTIES* p);

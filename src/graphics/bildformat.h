// Picture file formats: JPEG through the game's codec, TGA and BMP.
//
// Every reader checks the header against the bytes it has before it touches
// a pixel: a truncated, oversized or inconsistent picture is refused with a
// message (Grafik_Fehler) and nothing is drawn.
#pragma once

#include <vector>

#include "base/types.h"
#include "graphics/rastport.h"

// Reads a whole file; false when it cannot be read or is larger than 256 MB.
bool Datei_Ganz_Lesen(const char* name, std::vector<u8>& daten);

// --- JPEG ---------------------------------------------------------------------

// Size and channel bits of a JPEG stream.
bool Jpeg_Info_Puffer(const u8* puffer, u32 groesse, i32* bits, i32* breite, i32* hoehe);
bool Jpeg_Info_Datei(const char* name, i32* bits, i32* breite, i32* hoehe);
// Decodes a stream of exactly w x h into 15- or 16-bit pixels.
bool Jpeg_Pixel_Puffer(const u8* puffer, u32 groesse, u16* ziel, i32 breite, i32 hoehe, i32 tiefe);
// Decodes into a new surface of the picture's size (depth 15 or 16; 8 fails).
Rastport* Jpeg_Lesen_Puffer(const u8* puffer, u32 groesse, i32 tiefe);
Rastport* Jpeg_Lesen_Datei(const char* name, i32 tiefe);
// Encodes 15- or 16-bit pixels; subsampling = selector mod 3 (0 none,
// 1 4:2:2, 2 4:1:1), quality = q mod 101.
bool Jpeg_Schreiben_Puffer(const u16* pixel, i32 breite, i32 hoehe, i32 tiefe, i32 abtastung, i32 qualitaet,
                           std::vector<u8>& aus);
bool Jpeg_Schreiben_Datei(const char* name, const u16* pixel, i32 breite, i32 hoehe, i32 tiefe, i32 abtastung,
                          i32 qualitaet);
// A surface that keeps the stream packed (kind 10) and decodes it on first
// lock.
Rastport* Jpeg_Rastport_Puffer(const u8* puffer, u32 groesse, i32 tiefe);

// --- TGA ------------------------------------------------------------------------

struct Tga_Kopf {
    u8 id_laenge, palette_art, bild_art;
    u16 palette_start, palette_laenge;
    u8 palette_bits;
    u16 x_ursprung, y_ursprung, breite, hoehe;
    u8 bits, beschreibung;
};
constexpr u32 TGA_KOPF_GROESSE = 18;

bool Tga_Kopf_Lesen(const u8* puffer, u32 groesse, Tga_Kopf* kopf);
// Uncompressed true-colour TGA (16, 24 or 32 bits; descriptor 0x20 = top row
// first) into a surface of depth 15 or 16.
Rastport* Tga_Rastport_Puffer(const u8* puffer, u32 groesse, i32 tiefe);
Rastport* Tga_Rastport_Datei(const char* name, i32 tiefe);
// Writes a 16-bit TGA (555, top row first) of a 15/16-bit surface.
bool Tga_Schreiben(std::vector<u8>& aus, Rastport* rp);

// --- BMP --------------------------------------------------------------------------

// 8-bit (palette) or 24-bit BMP without RLE; negative height = top row first.
Rastport* Bmp_Rastport_Puffer(const u8* puffer, u32 groesse, i32 tiefe);

// Reads the header of <resfile>/dummy/<name>.tga when it exists (pictures
// of placeholder icons); always returns 0.
i32 Tga_Dummy_Pruefen(const char* name);

// --- Readers into the caller's pixels -----------------------------------------------
//
// Every reader below answers 1 (success) or 0; a refusal leaves the caller's
// buffers untouched, sets the German message (Grafik_Fehler) and the code of
// Bild_Fehler_Code. Target depths: 8 (palette indices, one byte a pixel), 15
// and 16 (one u16 a pixel), 24 (red, green, blue bytes, no row padding).

enum : i32 {
    BILD_OK = 0,
    BILD_DATEI = -1,       // file missing or unreadable
    BILD_KURZ = -2,        // the data ends before the header says
    BILD_ZU_GROSS = -3,    // larger than a surface may be
    BILD_UNSTIMMIG = -4,   // header values that contradict each other or the data
    BILD_ART = -5,         // a kind or bit count this reader does not read
    BILD_TIEFE = -6,       // a target depth this picture cannot be read into
    BILD_GROESSE = -7,     // the picture's size is not the caller's
    BILD_PUFFER = -8,      // the caller's buffer is too small
    BILD_KEIN_BILD = -9,   // the clipboard holds no picture
};
// The code of the last refused read (BILD_OK after a success).
i32 Bild_Fehler_Code();
// Bytes a w x h picture takes at a target depth; 0 for another depth.
u64 Bild_Ziel_Bytes(i32 breite, i32 hoehe, i32 tiefe);

// A whole JPEG file as a surface that decodes on first lock (see
// Jpeg_Rastport_Puffer).
Rastport* Jpeg_Rastport_Datei(const char* name, i32 tiefe);

// TGA: uncompressed colour-mapped (8 bits, map entries of 15/16/24/32 bits)
// and true-colour (15/16/24/32 bits) pictures; descriptor bit 0x20 = top row
// first. bits = the stored bits per pixel.
i32 Tga_Info_Puffer(const u8* puffer, u32 groesse, i32* bits, i32* breite, i32* hoehe);
i32 Tga_Info_Datei(const char* name, i32* bits, i32* breite, i32* hoehe);
// Reads the picture into `ziel` (ziel_groesse bytes). Depth 8 only for a
// colour-mapped picture (the indices); `palette` (768 bytes, red, green, blue,
// or null) receives its colour map.
i32 Tga_Lesen_Puffer(const u8* puffer, u32 groesse, void* ziel, u64 ziel_groesse, i32 tiefe, u8* palette);
i32 Tga_Lesen_Datei(const char* name, void* ziel, u64 ziel_groesse, i32 tiefe, u8* palette);
// A 16-bit TGA of exactly w x h into 15-bit (as stored) or 16-bit pixels.
i32 Tga_Pixel_Lesen(const char* name, i32 breite, i32 hoehe, i32 tiefe, u16* ziel);

// BMP: uncompressed 8 bits (palette) or 24 bits; a negative height stores the
// top row first. bits = 8 or 24.
i32 Bmp_Info_Puffer(const u8* puffer, u32 groesse, i32* bits, i32* breite, i32* hoehe);
i32 Bmp_Info(const char* name, i32* bits, i32* breite, i32* hoehe);
// The 256-entry palette of an 8-bit BMP as red, green, blue (unused entries
// 0), each >> 2 when `sechs_bit`.
i32 Bmp_Palette_Puffer(const u8* puffer, u32 groesse, u8* palette, bool sechs_bit);
i32 Bmp_Palette(const char* name, u8* palette, bool sechs_bit);
// Reads a picture of exactly w x h: depth 8 (8-bit pictures: indices, and
// the palette in 6 bits when `palette` is given), 15, 16 or 24.
i32 Bmp_Lesen_Puffer(const u8* puffer, u32 groesse, void* ziel, i32 breite, i32 hoehe, i32 tiefe, u8* palette);
i32 Bmp_Lesen(const char* name, void* ziel, i32 breite, i32 hoehe, i32 tiefe, u8* palette);

// PCX: 8 bits with one plane (palette in the last 768 bytes) or 8 bits with
// three planes (24-bit), run-length coded or plain. bits = 8 or 24.
i32 Pcx_Info_Puffer(const u8* puffer, u32 groesse, i32* bits, i32* breite, i32* hoehe);
i32 Pcx_Info(const char* name, i32* bits, i32* breite, i32* hoehe);
// Reads a picture of exactly w x h into 15- or 16-bit pixels.
i32 Pcx_Lesen_Puffer(const u8* puffer, u32 groesse, u16* ziel, i32 breite, i32 hoehe, i32 tiefe);
i32 Pcx_Lesen(const char* name, u16* ziel, i32 breite, i32 hoehe, i32 tiefe);

// Any of the formats above (and JPEG) told apart by their first bytes, into
// w x h pixels of depth 15 or 16.
i32 Bild_Lesen_Puffer(const u8* puffer, u32 groesse, i32 tiefe, std::vector<u16>& pixel, i32* breite, i32* hoehe);

// The clipboard's picture: the desktop offers a picture as the name (or
// file:// address) of a picture file on the clipboard. Info gives bits 16
// and its size; Lesen copies it only when w and h are the caller's.
// BILD_KEIN_BILD when the clipboard names no readable picture.
i32 Clipboard_Info(i32* bits, i32* breite, i32* hoehe);
i32 Clipboard_Lesen(u16* ziel, i32 breite, i32 hoehe, i32 tiefe = 16);

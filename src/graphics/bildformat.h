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

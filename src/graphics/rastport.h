// Drawing surfaces: a Rastport with its pixel store (Rastport_Bitmap), an
// optional 1-bit mask plane, an 8-bit alpha plane and a run-length sprite.
//
// In memory the records are plain C++ objects that own their planes. On disk
// (archive entries, picture files) they take the "NALP" form, written and
// read field by field (docs/formats/nalp.md): every pointer of the record
// is stored as a 32-bit word that only says whether its block follows.
//
// Pixels: depth 16 = RGB565, 15 = RGB555, 8 = palette index or coverage.
// Pixel value 0 is the colour key of every transparent blit. Rows are the
// surface's width apart (no padding).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/types.h"

namespace bytes {
struct Leser;
struct Schreiber;
}  // namespace bytes

// Packing kinds of a bitmap's packed data.
enum : u8 { PACK_KEINE = 0, PACK_JPEG = 10, PACK_ZLIB = 11 };

// Stored record sizes (the in-memory objects differ).
constexpr u32 RASTPORT_STORED_GROESSE = 52;
constexpr u32 BITMAP_STORED_GROESSE = 72;
constexpr u32 SPRITE_KOPF_GROESSE = 36;
constexpr u32 PALETTE_GROESSE = 512;

// Largest surface the readers accept (width and height each, and area).
constexpr i32 RASTPORT_MAX_SEITE = 8192;
constexpr i64 RASTPORT_MAX_FLAECHE = 16 * 1024 * 1024;

struct Rastport_Bitmap {
    u32 tag = 0;  // 0 from Rastport_Neu, 255 for the screen
    i32 breite = 0;
    i32 hoehe = 0;
    i32 tiefe = 16;  // 8, 15 or 16
    u16 farbschluessel = 0;
    u8 packart = PACK_KEINE;
    u8 pixel_behalten = 1;
    u8 gepackt_behalten = 0;
    u8 screen = 0;
    std::vector<u8> palette;    // empty or PALETTE_GROESSE bytes
    std::vector<u8> gepackt;    // packed data (zlib with its 8-byte head, or a JPEG stream)
    std::vector<u16> speicher;  // the own pixel store
    u16* fremd = nullptr;       // the screen's pixels live in the display buffer

    u16* pixel16() { return fremd ? fremd : (speicher.empty() ? nullptr : speicher.data()); }
    u8* pixel8() { return reinterpret_cast<u8*>(pixel16()); }
    bool hat_pixel() const { return fremd || !speicher.empty(); }
    // Bytes of the pixels: ((depth + 1) / 8) * w * h.
    u32 pixel_groesse() const {
        return static_cast<u32>((tiefe + 1) / 8) * static_cast<u32>(breite) * static_cast<u32>(hoehe);
    }
};

// A run-length sprite: per row 16-bit control words; bit 15 set: (w ^ 0x8000)
// literal 565 pixels follow; clear: that many transparent pixels. A row ends
// when its counts reach the width. `zeilen[y]` is the row's first control
// word, counted in words from the start of `daten`.
struct Rle_Sprite {
    i16 breite = 0;
    i16 hoehe = 0;
    i16 x_korrektur = 0;
    i16 y_korrektur = 0;
    u32 wert = 0;  // passed along to the pixel loops
    u8 gespiegelt = 0;
    std::vector<u32> zeilen;
    std::vector<u16> daten;

    // Stored size: header + row table + data.
    u32 groesse() const {
        return SPRITE_KOPF_GROESSE + 4 * static_cast<u32>(zeilen.size()) + 2 * static_cast<u32>(daten.size());
    }
};

// A number no other surface made in this run carries (see Rastport::serie).
u32 Rastport_Serie_Neu();

struct Rastport {
    i32 breite = 0;
    i32 hoehe = 0;
    u32 wort4 = 0;  // carried, never read
    u32 wort5 = 0;
    std::unique_ptr<Rastport_Bitmap> bitmap;
    std::vector<u8> maske;  // (w*h)/8 + 4 bytes, bit i%8 of byte i/8 for pixel i = y*w + x
    std::unique_ptr<Rastport_Bitmap> dritte;
    std::unique_ptr<Rastport_Bitmap> zweite;
    std::vector<u8> alpha;  // w*h bytes, 0 transparent .. 255 opaque
    std::unique_ptr<Rle_Sprite> sprite;
    std::vector<u8> ebenen;  // byte planes (all R, all G, all B); never stored
    i32 grafik = 0;          // the graphic number it was loaded as (0: none); never stored
    // Told apart from a surface made later at the same address; never stored.
    u32 serie = Rastport_Serie_Neu();
    // Its pixels never change once loaded (a picture of the game's archives,
    // a font's sheet); never stored.
    bool fest = false;

    i32 tiefe() const { return bitmap ? bitmap->tiefe : 0; }
};

// --- Creation and freeing -------------------------------------------------

// A surface of w x h. flags bit 0: a mask plane (cleared). A pixel store is
// attached only when flags == 0 and ohne_pixel == 0. Null for sizes below 1
// or above the limits, and for depths other than 8, 15 and 16.
Rastport* Rastport_Neu(i32 breite, i32 hoehe, i32 tiefe, i32 ohne_pixel, i32 flags);
// A plain surface with pixels at the given depth.
Rastport* Rastport_Neu_Einfach(i32 breite, i32 hoehe, i32 tiefe);
// Frees the surface and everything it owns; null is accepted. Returns 0.
i32 Rastport_Free(Rastport* rp);
// A picture with one owner: freed (Rastport_Free) when its owner goes.
struct Rastport_Freigabe {
    void operator()(Rastport* rp) const { Rastport_Free(rp); }
};
using Rastport_Bild = std::unique_ptr<Rastport, Rastport_Freigabe>;
std::unique_ptr<Rastport_Bitmap> Rastport_Bitmap_Neu(i32 breite, i32 hoehe, i32 tiefe, u32 tag);
u32 Rastport_Maske_Groesse(i32 breite, i32 hoehe);

// Makes the pixels present (unpacking zlib or JPEG data). 1 when pixels are
// there afterwards; 0 for a surface without bitmap, unknown packing or
// damaged packed data (the pixel store is then not attached).
i32 Rastport_Lock(Rastport* rp);
i32 Rastport_Bitmap_Entpacken(Rastport_Bitmap* bm);
inline void Rastport_Unlock(Rastport*) {}
// Packs the pixels (kind 10 JPEG at quality 100, 11 zlib) unless packed data
// exists already; frees the pixels unless keep-pixels is set. 1 on success.
i32 Rastport_Bitmap_Packen(Rastport_Bitmap* bm, i32 art);

// --- Stored form ("NALP") --------------------------------------------------

// Appends the stored form of the surface.
void Rastport_Schreiben(bytes::Schreiber& s, const Rastport& rp);
// Reads one stored surface; null (and the reader's position undefined) for
// a wrong magic, a short block or inconsistent sizes.
Rastport* Rastport_Lesen(bytes::Leser& l);
// Whole files.
bool Rastport_Speichern(const char* name, const Rastport& rp);
Rastport* Rastport_Laden(const char* name);
// Sizes of the stored forms.
u32 Rastport_Groesse(const Rastport& rp);
u32 Rastport_Bitmap_Groesse(const Rastport_Bitmap& bm);

// Stored sprite record (header + row table + data) and its reader, which
// checks every row against the width and the data.
void Rle_Sprite_Schreiben(bytes::Schreiber& s, const Rle_Sprite& sp);
std::unique_ptr<Rle_Sprite> Rle_Sprite_Lesen(bytes::Leser& l, u32 groesse);
// Packs a 16-bit picture into a sprite (pixel 0 transparent).
std::unique_ptr<Rle_Sprite> Rle_Sprite_Aus_Pixeln(const u16* pixel, i32 breite, i32 hoehe);

// The message of the last refused read or failed operation (German).
const char* Grafik_Fehler();
void Grafik_Fehler_Setzen(const char* format, ...) __attribute__((format(printf, 1, 2)));

// --- Screen, darkening, byte planes ------------------------------------------

// The screen surface over the display's frame buffer (800 x 600).
extern Rastport* Screen_Rastport;
// Points Screen_Rastport at the display buffer (or, without a display, at a
// buffer of its own). 1 on success.
i32 Rastport_Init_Screen();
void Rastport_Free_Screen();

// The darkened-colour table: 65,536 entries, each channel * 120 >> 7; a
// non-zero pixel never darkens to 0.
i32 Farbe_Schatten_Init(i32 tiefe);
void Farbe_Schatten_Free();
const u16* Farbe_Schatten_Tabelle();

// Darkens the area (x, y, w, h) of `rp`: each pixel through the table as many
// times as its byte in the count map (w x h) says. 1 on success.
i32 Rastport_Abdunkeln(Rastport* rp, const u8* anzahl, i32 x, i32 y, i32 w, i32 h);

// Drop shadow of the area (sx, sy, w, h) of `src` drawn with it at (dx, dy);
// params {x offset, y offset, kernel size, strength}, null = {2, 2, 5, 0}.
i32 Blt_Schatten(Rastport* src, i32 sx, i32 sy, i32 w, i32 h, Rastport* dst, i32 dx, i32 dy, const i32* params);
// The kernel size actually used for a requested size (3, 5, 7 or 9).
i32 Blt_Schatten_Kern_Groesse(i32 groesse);

// Splits the pixels into byte planes R, G, B (kept in rp->ebenen) and joins
// them back. 1 on success.
i32 Rastport_Ebenen_Teilen(Rastport* rp);
i32 Rastport_Ebenen_Vereinen(Rastport* rp);

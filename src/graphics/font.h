// Bitmap fonts and the '^' text markup.
//
// A font is one sheet of glyphs side by side (codes 32..255 of Windows-1252,
// glyph g = code - 32). Mode 0: the sheet is 16-bit and blitted (in the font
// colour, or in its own colours when multicolour); mode 1: the sheet is an
// 8-bit coverage mask painted in the font colour at any depth.
//
// Markup codes that name an object (a picture for ^g, a font for ^x) carry a
// handle from the markup table in their 8 hex digits, never an address.
// Stored form: docs/formats/font.md; markup: docs/formats/markup.md.
#pragma once

#include <memory>
#include <vector>

#include "base/types.h"
#include "graphics/rastport.h"

namespace bytes {
struct Leser;
struct Schreiber;
}  // namespace bytes

constexpr u32 FONT_STORED_GROESSE = 3124;
constexpr u32 FONT_EXTRA_GROESSE = 65536;
constexpr i32 FONT_ANZAHL = 17;

struct Font {
    i32 x[256] = {};
    i32 breite[256] = {};
    std::vector<u8> extra;  // empty or the first 256 bytes of the extra-width table
    i32 hoehe = 0;
    u16 farbe = 0xFFFF;
    i32 abstand = 0;  // letter spacing
    i32 fest = 0;     // fixed pitch, 0 = proportional
    i32 mehrfarbig = 0;
    i32 fett = 0;
    i32 modus = 1;
    // Widest cell a fixed pitch gives a character, 0 = no limit: the figure
    // advance of a font whose figures are narrower than the pitches the
    // texts ask for, so that "214" stays one number and columns still align.
    i32 ziffernzelle = 0;
    std::unique_ptr<Rastport> blatt;
};

// Stored form ("FONT" + record + [extra table] + NALP sheet). The reader
// refuses glyphs outside the sheet, a mode-0 font whose sheet is not 15/16
// bit and a mode-1 font whose sheet is not 8 bit. `tiefe` is the target
// depth: a mode-0 sheet of the other 16-bit layout is converted.
Font* Font_Lesen(bytes::Leser& l, i32 tiefe);
void Font_Schreiben(bytes::Schreiber& s, const Font& f);
u32 Font_Speichergroesse(const Font& f);
void Font_Free(Font* f);

// Loads entries first .. first + count - 1 of the archive slot into the
// font table, once; all or nothing. 1 on success.
i32 Font_Init(i32 slot, i32 erster, i32 anzahl);
void Font_Free_All();
// Font n of the table; null outside 0..count-1.
Font* Font_Tabelle_Holen(i32 nummer);

// Draws a printf-formatted text (expanded into 1,024 bytes, truncated) with
// markup; y is the bottom of the first line. 1 drawn, 0 refused.
i32 Font_Printf(Rastport* rp, Font* f, const char* format, i32 x, i32 y, ...) __attribute__((format(printf, 3, 6)));
// A finished text drawn as Font_Printf draws its formatted text (its codes
// read, no formatting); 0 where Font_Printf draws nothing.
i32 Font_Text_Ausgabe(Rastport* rp, Font* f, const char* text, i32 x, i32 y);
// The renderer; `erzwungen` keeps `farbe` against every ^c.
i32 Font_Markup_Ausgabe(Rastport* rp, Font* f, u16 farbe, const char* text, i32 x, i32 y, i32 erzwungen);

// Widest line of the text taken literally; width up to the next ^t or ^z.
i32 Font_Text_Breite(Font* f, const char* text);
i32 Font_Breite_Bis_Code(Font* f, const char* text);
i32 Font_Zeichen_Breite(Font* f, u8 zeichen);
// Visible height + 6 of a glyph, `oben` = its first set row - 2.
i32 Font_Zeichen_Ausdehnung(Font* f, u8 zeichen, i32* oben);
// Cuts characters off the end until the text fits; returns its width.
i32 Font_Text_Kuerzen(const char* text, char* ausgabe, Font* f, i32 breite);

// Number readers of the markup (exactly 4 or 5 decimal characters; n hex
// characters, where only 1-9 and a-f count).
i32 Font_Zahl4(const char* t);
i32 Font_Zahl5(const char* t);
u32 Font_Hex_Zahl(const char* t, i32 n);

// --- Markup handles -------------------------------------------------------------

// Registers a picture or a font for a ^g or ^x code and returns its handle
// (1..4095, written as 8 hex digits), or 0 when the table is full.
u32 Markup_Handle_Bild(Rastport* rp);
u32 Markup_Handle_Font(Font* f);
Rastport* Markup_Bild(u32 handle);
Font* Markup_Font(u32 handle);
// Frees the entry (a ^g with flag 'l' frees the picture and its handle).
void Markup_Handle_Freigeben(u32 handle);

// The text's call up into the menu engine: the crest of a team S x S
// (^gl); by default none is drawn.
struct Font_Hooks {
    void (*wappen_blit)(Rastport* rp, i32 team, i32 x, i32 y, i32 groesse) = [](Rastport*, i32, i32, i32, i32) {};
};
void Font_Set_Hooks(const Font_Hooks& h);

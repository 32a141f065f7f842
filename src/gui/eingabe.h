// The help text box beside the mouse and the one-line text input field.
#pragma once

#include <string>

#include "base/types.h"

struct Font;
struct Rastport;

// --- Help text box ------------------------------------------------------------

// The font of the box (null: font 9 of the font table).
extern Font* Hilfe_Font;
// Draws the box with the text onto the screen; called every frame while the
// box is up. x or y -1: beside the mouse (above it near the bottom edge).
// The box has one size from the first frame on: widest line + 7 by
// lines x 10 + 13, kept inside the screen, 85 % opaque.
void Hilfe_Text_Ausgabe(const char* text, i32 x, i32 y);
// The widest help box; a wider text is wrapped.
constexpr i32 HILFE_BREITE_MAX = 400;
// The text laid into lines of at most `breite` px box width (at spaces, a
// longer word cut), at most `zeilen` lines, joined by "^l".
std::string Hilfe_Text_Umbrechen(Font* f, const char* text, i32 breite, i32 zeilen);
// Number of "^l" codes in the text.
i32 Hilfe_Text_Zeilen(const char* text);
void Hilfe_Text_Ende();
// Whether a box is up.
bool Hilfe_Text_Sichtbar();

// --- Text input field -----------------------------------------------------------

enum : u32 {
    EINGABE_NAMEN = 1,     // letters, digits, space, umlauts, ' - _
    EINGABE_ZAHL = 2,      // digits , .  (the value is written on closing)
    EINGABE_STANDARD = 4,  // letters, space, umlauts, punctuation
    EINGABE_ALLES_WAEHLEN = 16,
    EINGABE_NUR_RETURN = 32,  // only Return closes the field
    EINGABE_MAUS = 128,       // the mouse places the caret and selects
    EINGABE_RECHTS_SCHLIESST = 256,
    EINGABE_KLICK_AUSSEN = 4096,  // a click outside closes (with EINGABE_MAUS)
};

// Results of Eingabefeld_Bearbeiten.
enum : i32 {
    EINGABE_LAEUFT = 0,
    EINGABE_FERTIG = 35,  // '#': closed
    EINGABE_TAB = 9,
    EINGABE_SHIFT_TAB = 37,  // '%'
    EINGABE_ABBRUCH = 27,    // Escape: the text as it was at the start
};

// Edits the text in `text` (buffer of `laenge` bytes, at most `max_zeichen`
// characters); called every frame while the field is open. The field sits
// at (x, y, w, h) of the screen with its text at (tx, ty) inside; the
// background under it is taken from `hg` at (hx, hy), or from the screen.
// A numeric field with `wert` shows the value first and writes it back on
// closing. Caret visibility flips every 350 ms.
i32 Eingabefeld_Bearbeiten(Font* f, char* text, i32 laenge, i32 max_zeichen, u32 flags, i32 x, i32 y, i32 w, i32 h,
                           i32 tx, i32 ty, Rastport* hg, i32 hx, i32 hy, i32* wert, u16 farbe);
// True while a field is edited and was called within the last 500 ms.
bool Eingabefeld_Cursor_An();
// Whether the caret is drawn in this frame.
bool Eingabefeld_Cursor_Sichtbar();
void Eingabefeld_Free();
// Width of the first n characters.
i32 Eingabefeld_Textbreite(Font* f, const char* text, i32 n);
// Character index under the mouse x, for a field whose text starts at feld_x.
i32 Eingabefeld_Zeichen_Aus_X(Font* f, const char* text, i32 feld_x);

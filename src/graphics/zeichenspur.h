// The draw trace: while switched on, every text drawn through the font
// renderer and every picture drawn through the blitter leaves one record, in
// drawing order. Tests switch it on to ask what a screen drew and where,
// without comparing pixels. Off by default; when off, drawing pays one test
// of a flag.
//
// A text record holds the font (its number in the font table, -1 for a font
// from elsewhere), the colour of its first visible character, the position
// passed to the renderer (y = bottom of the first line), the text as given
// (after printf, markup included) and the visible characters after markup
// (a line break as '\n', a tab stop as '\t'). The glyphs of a text leave no
// blit records.
//
// A blit record holds the graphic number of the source picture (set when the
// picture was loaded from a game archive, 0 otherwise), the destination, the
// position and size after clipping (nothing is recorded when nothing of the
// picture lands on the destination).
//
// What the player hears and the videos are recorded too: a sound record for
// every effect asked for (its number and the effect volume, whether or not
// effects are switched on), a video record for every start, pause, stop and
// jump of a video (its number, the action as text, the frame of a jump).
//
// A filled rectangle (a rule, a bar, a row's shade, a line of a gradient)
// leaves a fill record: its destination, place and size after clipping and
// its colour. Fills made while a text is drawn are the text's.
#pragma once

#include <string>
#include <vector>

#include "base/types.h"

struct Rastport;

enum Zeichenspur_Art : i32 { SPUR_TEXT = 1, SPUR_BLIT = 2, SPUR_KLANG = 3, SPUR_VIDEO = 4, SPUR_FLAECHE = 5 };

struct Zeichenspur_Eintrag {
    Zeichenspur_Art art = SPUR_TEXT;
    const Rastport* ziel = nullptr;
    i32 x = 0, y = 0;
    i32 breite = 0, hoehe = 0;  // blits, fills: the drawn size
    i32 grafik = 0;             // blits
    i32 font = -1;              // texts
    u16 farbe = 0;              // texts, fills
    std::string text;           // texts: as given, markup included; videos: start, pause, weiter, stop, sprung
    std::string sichtbar;       // texts: the visible characters
    i32 nummer = -1;            // sounds and videos
    i32 wert = 0;               // sounds: effect volume; videos: the frame of a jump
};

// Read by the renderer and the blitter; change it only through
// Zeichenspur_Einschalten / _Ausschalten.
extern bool Zeichenspur_An;

// Switching on empties the trace.
void Zeichenspur_Einschalten();
void Zeichenspur_Ausschalten();
void Zeichenspur_Leeren();
const std::vector<Zeichenspur_Eintrag>& Zeichenspur_Eintraege();
// Stops recording until Zeichenspur_Fortsetzen (drawing that is only probed,
// not shown); returns whether recording was on.
bool Zeichenspur_Anhalten();
void Zeichenspur_Fortsetzen(bool an);
// Records again what an earlier frame drew: a picture kept from it and
// copied stands for these records (the menu's darkened screen under a box).
void Zeichenspur_Wiederholen(const std::vector<Zeichenspur_Eintrag>& eintraege);

// The first text whose visible characters contain `teil`; null if none.
const Zeichenspur_Eintrag* Zeichenspur_Text(const char* teil);
// The first blit of graphic number `grafik`; null if none.
const Zeichenspur_Eintrag* Zeichenspur_Blit(i32 grafik);
// The last blit whose rectangle covers (x, y) on `ziel` (any destination
// when null): the picture seen there; null if none.
const Zeichenspur_Eintrag* Zeichenspur_Blit_Bei(i32 x, i32 y, const Rastport* ziel = nullptr);

// --- Called by the renderer and the blitter -------------------------------------

struct Font;
// Opens a text record (the blits until Zeichenspur_Text_Ende are its
// glyphs). Inside an open record a text opens none: a renderer that draws a
// text through helper surfaces opens the record at the real place itself,
// and the characters of its first inner text are the record's.
void Zeichenspur_Text_Beginn(const Rastport* ziel, const Font* f, i32 x, i32 y, const char* text);
void Zeichenspur_Zeichen(char c, u16 farbe);
void Zeichenspur_Text_Ende();
void Zeichenspur_Blit_Merken(const Rastport* quelle, const Rastport* ziel, i32 x, i32 y, i32 w, i32 h);
void Zeichenspur_Flaeche_Merken(const Rastport* ziel, i32 x, i32 y, i32 w, i32 h, u16 farbe);
void Zeichenspur_Klang_Merken(i32 nummer, i32 lautstaerke);
void Zeichenspur_Video_Merken(i32 nummer, const char* was, i32 x, i32 y, i32 wert);

// The fills in `farbe` on `ziel` (any destination when null), in drawing order.
std::vector<Zeichenspur_Eintrag> Zeichenspur_Flaechen(u16 farbe, const Rastport* ziel = nullptr);

// The sounds asked for, in order (numbers).
std::vector<i32> Zeichenspur_Klaenge();

// The pre-match picture: before a match of a human manager's club the
// announcement shows the pitch seen from behind one goal with both starting
// elevens standing in their formation cells in their kits (shadows, shirt
// numbers on their backs), both kits, crests, club names and formations at
// the top, and on each side a column of name labels that slide in from the
// screen's edge, overshoot and come to rest.
//
// Ank_Bild_Init builds the picture once (the announcement page shows the
// returned work picture), Ank_Bild_Zeichnen redraws the band of the labels
// and moves them every frame, Ank_Bild_Free lets everything go. Its
// pictures are sefu_res.res (docs/formats/screen-art.md); a club without a
// kit or crest entry is drawn in a neutral grey kit and the neutral crest.
#pragma once

#include <vector>

#include "base/types.h"
#include "graphics/rastport.h"

struct Rastport;
struct Trikot_Def;

constexpr i32 ANK_BILD_LABELS = 20;
constexpr i32 ANK_BILD_LABEL_B = 200, ANK_BILD_LABEL_H = 16;
// A label's name from x 65 on: the away labels stand 23 px past the
// picture's right edge, so a name keeps within 106 px.
constexpr i32 ANK_BILD_NAME_B = 106;
constexpr i32 ANK_BILD_BAND_Y = 142, ANK_BILD_BAND_H = 200;

// One name label of a club's column.
struct Ank_Bild_Label {
    i32 x = 0, y = 0;            // where it is drawn now
    i32 ziel_x = 0, ziel_y = 0;  // where it comes to rest
    i32 start_x = 0, start_y = 0;
    i32 nummer = 0;   // shirt number
    i32 spieler = -1;
    i32 badge = 0;    // graphic of the position badge
    const Trikot_Def* trikot = nullptr;  // the kit the figure wears (null: neutral)
    u16 farbe = 0;    // colour of the position text
    u8 seite = 0;     // 0 home, 1 away
    i32 spalte = 0;   // formation lane 0..6
    i32 reihe = 0;    // row 0..11 on the picture (0 nearest)
    i32 klasse = 0;   // position class
    i32 linie = 0;    // the line he stands in (0 keeper .. 3 attack): the label's badge and position
    i32 tempo = 0;    // pixels a frame
    i32 zustand = 0;  // -1 speeding up, 1 slowing down, 0 at rest
    i32 modus = 1;    // 0 vertical, 1 horizontal, 2 diagonal (only 1 is used)
    Rastport_Bild bild;  // the drawn label, 200 x 16
};

// Where one figure was drawn (tests).
struct Ank_Bild_Figur {
    i32 spieler = -1;
    u8 seite = 0;
    i32 reihe = 0, spalte = 0;
    i32 x = 0, y = 0;
    i32 figur_grafik = 0;  // graphic number of the figure picture (0: neutral silhouette)
    i32 nummer = 0;        // the number drawn on its back (0: none)
};

// Builds the picture for a match; the returned work picture belongs to the
// caller (the announcement page); null only when no picture can be made.
Rastport* Ank_Bild_Init(i32 heim, i32 gast);
// Copies the finished picture's band (y 142..341) into the target and draws
// and moves the labels; nothing without a target or a built picture.
void Ank_Bild_Zeichnen(Rastport* ziel);
void Ank_Bild_Free();

// One slide step of a label: it speeds up by about a pixel a frame towards
// its target, overshoots, swings back slower and comes to rest on it.
void Ank_Bild_Label_Schritt(Ank_Bild_Label* l);
// The placement of row 0..11, lane 0..6 on the picture.
void Ank_Bild_Platz(i32 reihe, i32 spalte, i32* x, i32* y);

// What the module holds (tests).
const Ank_Bild_Label* Ank_Bild_Labels_Von(int seite);  // 20 entries
const std::vector<Ank_Bild_Figur>& Ank_Bild_Figuren_Gezeichnet();
// The formation line of a club as the picture prints it ("4 - 4 - 2").
const char* Ank_Bild_Formation(i32 team);

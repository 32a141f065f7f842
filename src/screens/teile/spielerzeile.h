// The player row every player list draws (squad, tactics, training sheet,
// training camp, transfer and scouting lists): position badge, shirt number,
// position, name, matches, morale or the reason he is out, strength stars,
// up to three special attributes and his exhaustion.
#pragma once

#include "base/types.h"
#include "gui/kit.h"

struct Rastport;

// The row's columns, from its left: the shirt number centred on the
// position badge (a shirt on the pitch is as wide), the position, the
// name, the matches and the status at the right.
constexpr Kit_Spalte SPIELERZEILE_SPALTEN[] = {
    {.x = 0, .ausrichtung = Kit_Ausrichtung::MITTE, .breite = 28},
    {.x = 45, .ausrichtung = Kit_Ausrichtung::MITTE},
    {.x = 70},
    {.x = 330, .ausrichtung = Kit_Ausrichtung::RECHTS},
    {.x = 575, .ausrichtung = Kit_Ausrichtung::RECHTS},
};
enum Spielerzeile_Spalte { SZ_NUMMER, SZ_POSITION, SZ_NAME, SZ_SPIELE, SZ_STATUS };

struct Spielerzeile {
    i32 spieler = -1;
    i32 x = 0, y = 0;  // the row's top-left corner
    i32 hoehe = 17;
    i32 abzug = 0;          // half stars lost at the row's place in the formation
    bool gewaehlt = false;  // the selected look (stars, attribute pictures)
    bool gezogen = false;   // the drag highlight pulses over it
    bool mit_zustand = true;  // exhaustion and morale at the right (lists with other columns there: false)
};

// Draws the row onto the target; pictures that cannot be had are skipped.
void Spielerzeile_Zeichnen(Rastport* ziel, const Spielerzeile& z);
// The condition picture of the player's exhaustion as it stands (levels
// 0..4): every list that shows a player's condition draws this one.
u32 Erschoepfung_Grafik(i32 spieler);
// The status column: the morale grade's name and colour, or the reason a
// player cannot play in the warning colour.
struct Spieler_Status_Text {
    const char* text;
    u16 farbe;
};
Spieler_Status_Text Spieler_Status(i32 spieler);

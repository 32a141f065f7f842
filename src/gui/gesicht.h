// Player faces composed from the parts of spieler_gesicht.res (docs/formats/
// faces.md): a base picture, five part fields laid over it and the shirt
// tinted in the club's colours; kept in the recoloured-picture cache.
#pragma once

#include "base/types.h"

struct Rastport;

// A stable look value for a number (the default of Gesicht_Hooks.aussehen).
u32 Gesicht_Aussehen_Aus_Nummer(i32 nummer);

// The faces' lookups, installed whole with Gesicht_Set_Hooks (src/main gives
// the world's; tests their own).
struct Gesicht_Hooks {
    // The look value of a player: bits 0-1 style, 2-6 F1 (head and skin),
    // 7-12 F2 (nose), 13-19 F3 (hair), 20-25 F4 (eyes), 26-31 F5 (mouth and
    // beard). The default derives a stable, varied look from the player
    // number.
    u32 (*aussehen)(i32 spieler) = Gesicht_Aussehen_Aus_Nummer;
    // The two shirt colours (RGB 0xRRGGBB) of a player of a team; default grey.
    void (*farben)(i32 spieler, i32 team, u32* farbe1, u32* farbe2) = [](i32, i32, u32* a, u32* b) {
        *a = 0xB4B4B4;
        *b = 0xF0F0F0;
    };
};
void Gesicht_Set_Hooks(const Gesicht_Hooks& h);

// Loads the part groups from the archive slot (-1: the game's
// spieler_gesicht.res); all or nothing. Without it a face loads the parts
// it needs when it is first built, from the game's archive.
bool Gesicht_Teile_Laden(i32 slot = -1);
// The parts loaded.
i32 Gesicht_Teile_Anzahl();
void Gesicht_Teile_Free();
// The part counts of the look value's five fields for a style (0 or 1),
// as the archive holds them.
inline constexpr i32 GESICHT_TEILE[2][5] = {{12, 31, 62, 31, 32}, {10, 2, 10, 10, 10}};
// The style of a look value (bits 0-1: 0 style 0, 1..3 style 1).
constexpr i32 Gesicht_Stil(u32 aussehen) { return (aussehen & 3) ? 1 : 0; }
// The hair and skin colours (565) a look value gives: the skin tone of its
// head part, the colour of its hair part (bald: the grey sides or the skin).
void Gesicht_Farben(u32 aussehen, u16* haar, u16* haut);
// Composes a look value into a new picture of the base size (null when the
// parts are missing: none loaded from a slot and no game archive, or one
// that cannot be loaded); the caller frees it.
Rastport* Gesicht_Bauen(u32 aussehen, u32 farbe1, u32 farbe2);
// Draws the player's face w x h (below 1: 85 x 100) at (x, y) of the target
// and returns the cached picture (owned by the cache), or null. A negative
// look value shows the photo <spielerbilder>/<player>.jpg instead.
Rastport* Gesicht_Holen(i32 spieler, i32 team, Rastport* ziel, i32 x, i32 y, i32 w, i32 h);

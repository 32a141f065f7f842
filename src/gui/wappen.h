// Crests, cups and faces drawn at any size the screens ask for, and the
// scaling they use. Finished patches are kept in the recoloured-picture
// cache, so a crest drawn at the same place and size the next frame is one
// copy.
#pragma once

#include "base/types.h"

struct Rastport;

constexpr i32 WAPPEN_NEUTRAL = 1000;

// Crest n as entry n of wappen.res (the default of Wappen_Hooks.bild_laden).
Rastport* Wappen_Aus_Archiv(i32 nummer);

// The lookups of crests and cups, installed whole with Wappen_Set_Hooks
// (src/main gives the world's; tests their own).
struct Wappen_Hooks {
    // The crest number of a team (default: the team number). Team -1 and
    // numbers above 1000 give the neutral crest 1000.
    i32 (*nummer_von_team)(i32 team) = [](i32 team) { return team; };
    // Loads crest n of the team (-1 the neutral crest); the caller frees it.
    Rastport* (*bild_laden)(i32 nummer, i32 team) = [](i32 nummer, i32) { return Wappen_Aus_Archiv(nummer); };
    // The graphic number of a competition (default: the competition number,
    // -1 none).
    i32 (*pokal_grafik)(i32 wettbewerb, i32 team) = [](i32 wettbewerb, i32) { return wettbewerb; };
};
void Wappen_Set_Hooks(const Wappen_Hooks& h);
const Wappen_Hooks& Wappen_Get_Hooks();

// Draws the team's crest at (x, y) of the target, w x h (below 1: 66). A
// crest is only ever reduced: a size larger than the picture draws nothing.
// `schatten`: drop-shadow parameters of Blt_Schatten or null. True when drawn.
bool Wappen_Blit(i32 team, Rastport* ziel, i32 x, i32 y, i32 w, i32 h, const i32* schatten);
// The cup of a competition (-1: the team's league) at any size up to 66 x
// 66: entry 135 + the competition's graphic number of pilo_res.res.
bool Pokal_Blit(i32 wettbewerb, i32 team, Rastport* ziel, i32 x, i32 y, i32 w, i32 h, const i32* schatten);

// Crests and cups reduced to a size are kept as sums that do not depend on
// the background (48 sizes, the least recently used go), so they are not
// loaded and reduced again when the recoloured-picture cache is emptied;
// they are made anew when an archive is opened or closed or the hooks
// change. Emptied by hand here (the benchmarks compare with and without).
void Wappen_Verkleinerungen_Leeren();

// Hits and misses of the crest cache since the last call (then reset).
void Wappen_Cache_Zaehler(i32* treffer, i32* fehl);
// The same counters (then reset); with `anzeigen` (a debug switch) they are
// also printed in a bar at the foot of the target (y 580).
void Wappen_Cache_Anzeigen(i32* treffer, i32* fehl, Rastport* ziel, bool anzeigen);

// The crest of a team, or with `mit_wettbewerb` the cup of a competition
// (-1: the team's league), at w x h (0: 66; a negative side takes the other
// one). Without a target: a new picture the caller frees, black where the
// crest is transparent. With a target: drawn at (x, y) with a soft shadow
// whose size follows the width (opaque, or with colour key 0 when
// `transparent`), kept in the crest cache, and the target is returned.
// Null when there is nothing to draw.
Rastport* Wappen_Holen(Rastport* ziel, i32 team, i32 x, i32 y, bool transparent, i32 w, i32 h, bool mit_wettbewerb,
                       i32 wettbewerb);

// The colour of a team's name in lists: the active team 61261 (gold); no
// competition given (-1) 65530; a team of the active team's nation 65535
// (white); otherwise white unless the competition is international
// (`wettbewerb` -2 counts as international), then 52889 (grey blue).
u16 Farbe_Team_Name(i32 team, i32 wettbewerb);

// Nearest-neighbour scaling into a target of w x h (0 < w < 1025,
// 0 < h < 769; depths 8, 15, 16). 1 on success.
i32 Bild_Skalieren(Rastport* quelle, Rastport* ziel, i32 w, i32 h);
// Area-average reduction of the source onto the target (not larger than the
// source). The transparent form treats pure black source pixels as holes
// that keep the target's pixel. 1 on success.
i32 Bild_Verkleinern(Rastport* quelle, Rastport* ziel);
i32 Bild_Verkleinern_Transparent(Rastport* quelle, Rastport* ziel);

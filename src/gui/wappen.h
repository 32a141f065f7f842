// Crests, cups and faces drawn at any size the screens ask for, and the
// scaling they use. Finished patches are kept in the recoloured-picture
// cache, so a crest drawn at the same place and size the next frame is one
// copy.
#pragma once

#include "base/types.h"

struct Rastport;

// The crest number of a team (the world layer installs its lookup; the
// default takes the team number). Team -1 and numbers above 1000 give the
// neutral crest 1000.
extern i32 (*Wappen_Nummer_Von_Team)(i32 team);
// Loads crest n (default: entry n of wappen.res); the caller frees it.
extern Rastport* (*Wappen_Bild_Laden)(i32 nummer);
constexpr i32 WAPPEN_NEUTRAL = 1000;

// Draws the team's crest at (x, y) of the target, w x h (below 1: 66). A
// crest is only ever reduced: a size larger than the picture draws nothing.
// `schatten`: drop-shadow parameters of Blt_Schatten or null. True when drawn.
bool Wappen_Blit(i32 team, Rastport* ziel, i32 x, i32 y, i32 w, i32 h, const i32* schatten);
// The cup of a competition (-1: the team's league) at any size up to 66 x
// 66: entry 135 + the competition's graphic number of pilo_res.res.
bool Pokal_Blit(i32 wettbewerb, i32 team, Rastport* ziel, i32 x, i32 y, i32 w, i32 h, const i32* schatten);
// The graphic number of a competition (the season layer installs it; the
// default takes the competition number, -1 none).
extern i32 (*Pokal_Grafik)(i32 wettbewerb, i32 team);

// Hits and misses of the crest cache since the last call (then reset).
void Wappen_Cache_Zaehler(i32* treffer, i32* fehl);

// Nearest-neighbour scaling into a target of w x h (0 < w < 1025,
// 0 < h < 769; depths 8, 15, 16). 1 on success.
i32 Bild_Skalieren(Rastport* quelle, Rastport* ziel, i32 w, i32 h);
// Area-average reduction of the source onto the target (not larger than the
// source). The transparent form treats pure black source pixels as holes
// that keep the target's pixel. 1 on success.
i32 Bild_Verkleinern(Rastport* quelle, Rastport* ziel);
i32 Bild_Verkleinern_Transparent(Rastport* quelle, Rastport* ziel);

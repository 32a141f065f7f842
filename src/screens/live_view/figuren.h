// The live view's figures: the animation sets (frames of every motion in 16
// directions, loaded from the stadium sprite archive), the colour tables that
// put each club's kit on them, the sprite blits, the players, officials and
// ball in depth order, the advertising boards and the crowd.
#pragma once

#include <vector>

#include "base/types.h"
#include "graphics/rastport.h"
#include "match/anim.h"
#include "match/spielfeld.h"

struct Spielansicht_View;
struct Rastport;

constexpr int SA_FARBTABELLEN = 62;   // one 256-entry table per object 0..61
constexpr int SA_BANDEN = 42;         // advertising boards
constexpr int SA_ZUSCHAUER_MAX = 4000;
constexpr int SA_PUBLIKUM_GRUPPEN = 15;

// An advertising board: place, swap time, the two logos and the slide.
struct Sa_Bande {
    i32 x, y;
    u32 wechsel_zeit;   // pitch clock (ms) of the last swap
    i32 logo[2];        // logos A and B
    u32 seite;          // which of them shows
    u32 wechselt;       // sliding
    i32 alt_x, alt_y, neu_x, neu_y;
    u32 art;            // 0 along a goal line, 1 along a touchline
};

// A spectator: kind 0 empty seat, 1 on a built stand, 2 on a plain one.
struct Sa_Zuschauer {
    u8 art, bild, gruppe, richtung;
    u32 letzte_zeit, intervall;
    i32 x, y;  // pixels of the full-scale pitch picture
    u8 variante, seite, jubelt, frei;
};

// --- Animation sets ------------------------------------------------------------

// A frame inside a loaded set (docs/formats/animset.md): the header's size and
// offsets, its run-length rows.
struct Sa_Frame {
    i16 breite, hoehe, x_versatz, y_versatz;
    const u8* zeilen;  // u32 row starts into `daten`, little-endian
    const u8* daten;
};
// The frame of a loaded set, or null (set not loaded, direction or frame
// out of range; the direction is clamped to the set's directions).
const Sa_Frame* Spielansicht_Frame_Zeiger(int set, int richtung, int bild);

// Loads every loadable set; all or none. While it takes long, the progress
// box (text SA_TEXT_STADION_LAEDT, the share of the sets loaded) is shown
// and presented whenever more than SA_FORTSCHRITT_MS passed since it was
// shown last (or since the start).
constexpr u32 SA_FORTSCHRITT_MS = 200;
constexpr i32 SA_TEXT_STADION_LAEDT = 198;
// The sets stay loaded over Spielansicht_Free (the next kick-off starts
// from them); sets loaded from an older state of the archives are dropped
// and loaded anew.
bool Spielansicht_Animsets_Laden();
// Loads one more set that is not loaded yet, so that no kick-off has to;
// false once every set was tried in the archives' present state. A set
// that fails is left to the kick-off (which refuses the start).
bool Spielansicht_Animsets_Vorrat_Schritt();
// Frees the sets; the step starts over.
void Spielansicht_Animsets_Vorrat_Freigeben();
// Loads one set when it is loadable and not loaded; the bytes taken to *bytes.
bool Spielansicht_Animset_Laden(int set, u32* bytes);
void Spielansicht_Animset_Free(int set);
void Spielansicht_Animsets_Free();
// Bytes of the loaded sets' frames.
u64 Spielansicht_Animsets_Bytes();
// The frame of an animation entry: its ticks spread over the set's frames.
int Spielansicht_Anim_Bild(int set, u16 ticks);

// The 15 crowd animations (entries 189..203); all or none.
bool Spielansicht_Anim_Laden();
void Spielansicht_Anim_Free();
const Sa_Frame* Spielansicht_Publikum_Frame(int gruppe, int richtung, int bild);
// The same frame made at half scale when the group was loaded (rows 0, 2,
// 4, ..., columns 1, 3, 5, ...), for Spielansicht_Blit_Rle8_Fertig; null
// where the full frame is null.
const Sa_Frame* Spielansicht_Publikum_Frame_Halb(int gruppe, int richtung, int bild);
// Frames made at half scale (rows 0, 2, 4, ..., columns 1, 3, 5, ...) from
// frames whose rows were checked (every count reaches exactly the width):
// `halb` in the order given, their rows and runs in `daten`.
void Spielansicht_Frames_Halb(const std::vector<const Sa_Frame*>& quellen, std::vector<Sa_Frame>& halb,
                              std::vector<u8>& daten);
int Spielansicht_Publikum_Bilder(int gruppe);

// The small pictures of the figures (ball shadow, markers, shirt numbers)
// and the boards' logos; all or none.
bool Spielansicht_Sprites_Laden();
void Spielansicht_Sprites_Free();
bool Spielansicht_Logos_Laden();
void Spielansicht_Logos_Free();
// Loads one more of the pictures Spielansicht_Sprites_Laden loads (one
// logo a step among them), each tried once in the archives' present state,
// and at the end what is made of them, so that no kick-off has to; false
// once nothing is left. Pictures from an older state of the archives go.
bool Spielansicht_Sprites_Vorrat_Schritt();
// Frees them and starts the step over.
void Spielansicht_Sprites_Vorrat_Freigeben();
// The boards' logos by number (both kinds), one loaded with its half-size
// copy when it is not (left out when it cannot be).
int Spielansicht_Logos_Anzahl();
void Spielansicht_Logo_Laden(int nummer);
int Spielansicht_Logos_Geladen();
// The small pictures loaded, logos included (tests); a shirt number's
// picture (0..49) as loaded, null when it is not.
size_t Spielansicht_Sprites_Anzahl();
const Rastport* Spielansicht_Nummer_Bild(int nummer);

// --- Colours -------------------------------------------------------------------

// A figure's colours: hair, skin, kit colours 1, 2, 4, 3 and a last triple.
struct Sa_Figur_Farben {
    u8 rgb[21];
};
// Tints the eight palette parts of a table after a figure's colours (palette
// entry 44 and the zero rule after it).
void Spielansicht_Farbtabelle(u16 tabelle[256], const Sa_Figur_Farben& f);
// Every colour table of the view: players by kit, officials, ball, the card
// colours and the extra figures. False without a pitch.
bool Spielansicht_Farben_Bauen(Spielansicht_View* v);

// --- Drawing -------------------------------------------------------------------

// Draws an 8-bit frame through object `objekt`'s colour table at a point of
// the view's pitch picture (halved already in small views), clipped to the
// view; true when anything was drawn.
bool Spielansicht_Blit_Rle8(Spielansicht_View* v, const Sa_Frame* frame, int objekt, i32 x, i32 y);
// The same for a frame already at the view's scale: drawn as it is, whatever
// the layout (a half-scale frame in a small view lands exactly where
// Spielansicht_Blit_Rle8 puts its full frame).
bool Spielansicht_Blit_Rle8_Fertig(Spielansicht_View* v, const Sa_Frame* frame, int objekt, i32 x, i32 y);
// A 16-bit frame: a run-length sprite whose corrections are the frame's
// offsets and whose mirrored flag is the frame's, and the depth of its
// pixels (15 or 16; anything else is not drawn blended).
struct Sa_Frame16 {
    Rle_Sprite bild;
    i32 tiefe = 16;
};
// Draw a 16-bit frame at a point of the pitch picture, clipped to the view
// (half size outside the full layout); true when a pixel loop ran. A frame
// cut by the view's edge goes through a temporary picture.
bool Spielansicht_Blit_Rle(Spielansicht_View* v, const Sa_Frame16* frame, i32 x, i32 y);
// The same blended with what lies under it by level/128 (0 leaves the
// screen as it was, 128 draws the frame's pixels). A mirrored frame, or one
// of a depth other than 15 and 16, draws nothing (false).
bool Spielansicht_Blit_Rle_Stufe(Spielansicht_View* v, const Sa_Frame16* frame, i32 stufe, i32 x, i32 y);
// A picture (colour key 0) at a point of the pitch picture, clipped to the view.
void Spielansicht_Bild_Blit(const Spielansicht_View* v, Rastport* rp, i32 x, i32 y);
// The players, officials and ball in depth order with their facing, linked
// sets, shadow, numbers, markers and names.
void Spielansicht_Zeichnen(Spielansicht_View* v, const Spielfeld_Steuerung* st, u8 kamera_fest);
// The advertising boards: pass bit 1 the far boards 0..19, bit 2 the near
// boards 20..41.
void Spielansicht_Banden(Spielansicht_View* v, int pass);
// How many of the boards' drawn pixels (their logos' shapes, clipped to the
// view) fall into the screen rectangle x, y, w, h: 0 where no board shows.
i32 Spielansicht_Banden_Pixel(const Spielansicht_View* v, i32 x, i32 y, i32 w, i32 h);
// A board's logo number from a pitch record's board value: a partner's
// value (SF_BANDE_PARTNER + n) gives 14 + n, any other value mod 15 - 1 (1
// when that is below 0) one of the 14 house boards.
i32 Spielansicht_Logo_Nummer(u32 wert);
// Seats the crowd (by stand level and occupancy) and draws it.
void Spielansicht_Zuschauer_Bauen(Spielansicht_View* v);
void Spielansicht_Zuschauer(Spielansicht_View* v);
// The seats of each build of the stands (by stand levels and side) are
// kept once worked out, as are the colour tables by colour record and
// display depth; Spielansicht_Vorrat_Freigeben lets both go.
size_t Spielansicht_Sitzplaene_Anzahl();
void Spielansicht_Sitzplaene_Freigeben();
size_t Spielansicht_Farbtabellen_Anzahl();
void Spielansicht_Farbtabellen_Freigeben();

// The drawn direction turned one step towards the wanted one along the
// shorter way (a tie turns towards lower numbers).
int Spielansicht_Drehen(int ist, int soll);

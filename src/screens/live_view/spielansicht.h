// The live match view: up to four running matches at once while a matchday
// is played, each in a view (a rectangle of the 800 x 600 screen) with its
// pitch, stands, players and ball, a header bar and, when it shares the
// screen, a frame.
//
// The match display of the engine owns the ordered list of shown pitch
// records; once a frame it calls Spielansicht_Run with that list. Slot i of
// the four views shows list entry i. A left press inside a view focuses it
// and hands one side of its match (alternating) to the in-match line-up
// screen.
#pragma once

#include <memory>

#include "base/types.h"
#include "graphics/rastport.h"
#include "match/spielfeld.h"
#include "screens/live_view/figuren.h"

struct Rastport;

// Layouts of a view.
enum : u32 { SA_VOLL = 0, SA_HALB = 1, SA_VIERTEL = 2 };
constexpr int SA_VIEWS = 4;

// Sizes by layout.
constexpr i32 SA_VOLL_W = 800, SA_VOLL_H = 564, SA_HALB_W = 800, SA_HALB_H = 282, SA_VIERTEL_W = 400,
              SA_VIERTEL_H = 282;

// A rain drop or snow flake, in pixels of the view's pitch picture.
struct Spielansicht_Partikel {
    u16 x = 0, y = 0;
    u16 tempo = 0;  // 0..9
    u8 bild = 0;    // frame 0..8
};
constexpr int SA_PARTIKEL = 4000;

struct Spielansicht_View {
    u32 present = 0;                   // built for its pitch record (pictures made)
    u32 active = 0;                    // got a rectangle this frame and is drawn
    u32 focus = 0;                     // the one focused view
    Spielfeld_Daten* pitch = nullptr;  // null: slot empty
    u32 stand_level[6] = {};           // build level of each stand side (0 none, 1 plain, 2..4 built)
    u8 trikot_farben[2][36] = {};      // both sides' colour blocks, brightened: first kit worn, third the keeper's
    u8 wetter_gestartet = 0;           // the particles were scattered
    Spielansicht_Partikel partikel[SA_PARTIKEL];
    u32 layout = SA_VOLL;
    i32 kamera[3] = {};  // camera point x, y, z (cm)
    i32 screen_x = 0, screen_y = 0;
    i32 breite = 0, hoehe = 0;
    i32 scroll_x = 0, scroll_y = 0;  // top-left corner of the visible part of the pitch picture
    // The whole pitch with stands at the view's scale; shared with the other
    // views and the later kick-offs on the same ground, never drawn on once
    // built.
    std::shared_ptr<Rastport> bild;
    // 1: the home goal is drawn on the right (the pitch seen from the other
    // stand). The pitch record carries no such choice, so a view built by
    // the run is never mirrored; the projection honours it.
    u32 gespiegelt = 0;
    // Figures, boards and crowd (figuren.h).
    u16 farben[SA_FARBTABELLEN][256] = {};  // colour table of each object
    u32 name_bis[SF_SPIELER] = {};          // a hovered player's name shows until this pitch time
    Sa_Bande banden[SA_BANDEN] = {};
    u32 banden_bereit = 0;
    Sa_Zuschauer zuschauer[SA_ZUSCHAUER_MAX] = {};
    i32 zuschauer_anzahl = 0;
    // Commentary and ticker line (kommentar.h).
    char kommentar[256] = {};  // the sentence made of the last event taken
    char ticker[256] = {};     // the line at the view's foot
    u32 ticker_zeit = 0;       // the pitch clock (ms) when the line was written
    i32 ticker_hoch = 0;       // how far it stands above its place at the foot, clear of the boards
    // The header bars with both clubs' crests and names (kopfzeile.h).
    Rastport_Bild kopf_gross;  // full and half views
    Rastport_Bild kopf_klein;  // quarter views
};

// The four view slots (slot = position in the list of shown matches).
Spielansicht_View* Spielansicht_Views();

// One frame: keeps the views in step with the list, takes the focus click,
// lays the views out and draws every active view. True when a view was
// drawn. The first call starts the view (resources) and draws nothing.
// With `kamera_fest` set the camera takes the pitch record's stored scroll.
bool Spielansicht_Run(Spielfeld_Daten** liste, int anzahl, const Spielfeld_Steuerung* st, u8 kamera_fest);

// The run state: 0 start pending, 2 starting (stays 2 when the start
// failed), 1 running.
u32 Spielansicht_Laufzustand();

// The frame's steps (Spielansicht_Run calls them in this order).
void Spielansicht_Liste_Abgleichen(Spielfeld_Daten** liste, int anzahl);
void Spielansicht_Klick();
void Spielansicht_Layout();

// The pitch of the focused view (view 0's when no other is focused); null
// when no view is built.
Spielfeld_Daten* Spielansicht_Get_Spielfeld();
// Every built view showing `alt` shows `neu` from now on.
void Spielansicht_Spielfeld_Update(const Spielfeld_Daten* alt, Spielfeld_Daten* neu);
// The view that shows this pitch record (the last when several do); null.
Spielansicht_View* Spielansicht_Suchen(const Spielfeld_Daten* sf);

// Stores layout mod 3; going into or out of the full layout rebuilds the
// pitch picture at the other scale.
void Spielansicht_Set_Layout(Spielansicht_View* v, u32 layout);
// Brightens a club's colour block (12 RGB triples) for the pitch: dark kits
// by 80 %; every byte that would overflow (below 240) takes 5 points off the
// factor, down to 30 %; bytes end at 255 at most.
void Spielansicht_Trikot_Aufhellen(u8 block[36]);
// The view's kit colours: both clubs' colour blocks, brightened (zeros for
// a club the world does not hold).
void Spielansicht_Trikotfarben(Spielansicht_View* v);

// The view's pitch picture with its stands: a kept one built from the same
// grass, scale, side and stand levels, else built anew (and kept); true on
// success.
bool Spielansicht_Bild_Neu(Spielansicht_View* v);
// Draws the stand pictures of the pitch record's stand levels onto the
// view's pitch picture (each side's picture at its box, at half size and
// place in half and quarter views) and stores the levels in `stand_level`.
void Spielansicht_Tribuenen_Zeichnen(Spielansicht_View* v);

// The light over the grass of the pitch record's stadium kind (worn tracks,
// floodlight pools, a roof's shadow), blended over the view's pitch picture
// by its alpha plane, mirrored with the pitch; left out when missing.
void Spielansicht_Rasen_Licht(Spielansicht_View* v);
// The players' tunnel and the dugouts over the stands (at half size and
// place in half and quarter views); left out when missing.
void Spielansicht_Tunnel_Zeichnen(Spielansicht_View* v);

// Clears the view, stores pitch and layout and builds its pictures; the
// first failure stops (false). On success the view is present.
bool Spielansicht_View_Init(Spielansicht_View* v, Spielfeld_Daten* sf, u32 layout);
// Frees the view's pictures and clears the record.
void Spielansicht_View_Leeren(Spielansicht_View* v);
// Spielansicht_View_Leeren for every slot that holds a pitch record.
void Spielansicht_Alle_Leeren();
// Frees every picture of the view and clears it; returns 1.
i32 Spielansicht_View_Free(Spielansicht_View* v);
void Spielansicht_Views_Free();

// Shared resources: loaded once (true while loaded); freed with every view,
// which also puts the run state back to "start pending". The figure sets
// outlive Spielansicht_Free: the next kick-off builds its views from them;
// they are dropped when the archives change and released by
// Spielansicht_Vorrat_Freigeben. The grounds (and the stands and tunnel a
// ground built in the frame is made of) are kept only while the live view
// runs: a start has its views' grounds built on worker threads, at the
// views' scale and the full one, and Spielansicht_Free lets them go.
bool Spielansicht_Init();
void Spielansicht_Free();
void Spielansicht_Vorrat_Freigeben();
// Ground pictures kept (tests).
size_t Spielansicht_Vorrat_Anzahl();
// Grounds being built on worker threads and not taken yet (tests).
size_t Spielansicht_Boden_In_Arbeit();
// Pitch pictures kept built (by grass, scale, side and stand levels; the
// last used, up to a budget of bytes), also over the matchdays between;
// Spielansicht_Gebaute_Freigeben drops them.
size_t Spielansicht_Gebaute_Anzahl();
void Spielansicht_Gebaute_Freigeben();
// Called every frame: outside a live run, the kept grounds go when the live
// view is switched off or the season is not the one they were built in.
void Spielansicht_Gebaute_Pflegen(bool live_an, i32 saison);

// --- Projection and camera ------------------------------------------------------

// A pitch point (cm) as a pixel of the view's pitch picture (the view's
// scale by its layout; mirrored when the pitch record says so).
void Spielansicht_Projektion(const Spielansicht_View* v, f32 x, f32 y, f32 z, i32* sx, i32* sy);
// Moves the camera of a view after the pitch record's camera target and sets
// the view's scroll.
void Spielansicht_Kamera(Spielansicht_View* v, Spielfeld_Daten* sf, const Spielfeld_Steuerung* st, u8 kamera_fest);
// Direction 0..15 (0 up, 4 right, 8 down, 12 left, clockwise) from screen
// point 1 towards screen point 2.
int Spielansicht_Richtung(i32 x1, i32 y1, i32 x2, i32 y2);

// --- Drawing ------------------------------------------------------------------------

// The visible part of the pitch picture onto the screen at the view's place.
void Spielansicht_Hintergrund(const Spielansicht_View* v);
// The header bar: the score digits, the attendance (full and half views) and
// the minute its match's clock reads (Spieltag_Uhr_Lesen).
void Spielansicht_Kopfzeile(const Spielansicht_View* v);
// Forgets the clocks of the shown matches (the live view ends): they are kept
// per pitch record, so that a view built anew reads on where its clock stood.
void Spielansicht_Uhren_Leeren();
// Marks the focused view's pitch record for the crowd's sounds; half and
// quarter views get a 2-pixel frame below their header bar (yellow when
// focused).
void Spielansicht_Rahmen(const Spielansicht_View* v);
// The bottom bar, bottom-aligned to row 600.
void Spielansicht_Leiste();
// Rain (art 0) or snow (art 1): the first min(40 x staerke, 4000) particles
// move and are drawn inside the view; nothing for strength 0. The number
// that moved.
int Spielansicht_Wetter(Spielansicht_View* v, u8 staerke, u8 art);
// Height of the view's header bar.
i32 Spielansicht_Kopf_Hoehe(const Spielansicht_View* v);
// The bar pictures (loaded by Spielansicht_Init; all or none).
bool Spielansicht_Bilder_Laden();
void Spielansicht_Bilder_Free();

// The pitch picture for a stadium picture kind and scale: its entry in the
// pitch picture archive (2 kinds a stadium: full, then half scale).
i32 Spielansicht_Bild_Nummer(u32 bild_art, u32 layout);

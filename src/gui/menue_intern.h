// The menu engine's own state, shared by its files (gui/menue*.cpp) and no
// one else: the icon slots, the dispatcher's state and the kept frame.
#pragma once

#include <cmath>
#include <memory>
#include <vector>

#include "graphics/abdruck.h"
#include "graphics/rastport.h"
#include "graphics/zeichenspur.h"
#include "gui/menue.h"

namespace menue_kern {

struct Hook {
    Menue_Hook_Prozedur p = nullptr;
    void* arg = nullptr;
    u32 periode = 0;
    u32 naechste = 0;
};

// One section of a probed frame: an icon (or the background, -1) with its
// fingerprint and the rectangle it draws in.
struct Teil {
    i32 nummer = -1;
    u64 abdruck = 0;
    Abdruck_Rechteck rechteck;
};

struct Engine {
    std::vector<Screen_Icon> slots;  // MENUE_EBENEN x MENUE_SLOTS
    std::vector<u8> belegt;
    i32 hoechster[MENUE_EBENEN] = {};  // one past the highest used slot of a layer
    Screen_Icon* nummern[MENUE_ICON_NUMMERN] = {};
    i32 anzahl = 0;
    Rastport* hintergrund = nullptr;
    u16 hintergrund_farbe = 0;
    i32 rechts_icon = -1;
    Hook hooks[MENUE_HOOKS];

    // Dispatcher.
    Screen_Icon* aktiv = nullptr;
    Screen_Icon* gedrueckt = nullptr;  // left press waiting for its release
    Screen_Icon* wartend = nullptr;    // press on a draggable icon: drag or click?
    i32 wartend_x = 0, wartend_y = 0;
    Screen_Icon* gezogen = nullptr;
    i32 griff_x = 0, griff_y = 0, zieh_x = 0, zieh_y = 0;
    i32 zieh_index = -1;
    u32 alt_tasten = 0;
    u32 verzoegerung = 400;
    u32 letzter = 0;
    u32 ruhe_seit = 0;
    u32 rad_zeit = 0;
    bool rad_gesehen = false;
    i32 hover_nummer = -1;
    bool hilfe_sichtbar = false;
    Menue_Scrollscreen scroll;
    Rastport_Bild scroll_gerettet;  // what lies under the scroll screen's background graphic
    u32 zustand[MENUE_ICON_NUMMERN] = {};  // icon states while no human manager plays
    // Own pictures of icons without a graphic (made on first use, by number),
    // with the fill colour they were made with.
    Rastport_Bild eigen[MENUE_ICON_NUMMERN];
    u16 eigen_farbe[MENUE_ICON_NUMMERN] = {};
    // Changes of the icons (added, removed, the background): a kept cover
    // made at another count is drawn anew.
    u32 stand = 0;
    // The screen under a covering icon as drawn with the cover, for the
    // frames that follow.
    struct Deckel {
        const Screen_Icon* icon = nullptr;
        const Rastport* ziel = nullptr;
        u32 stand = 0;
        // Shared with the copy of the screen under it it was made over
        // (Unter::gedeckt), which may give it again.
        std::shared_ptr<Rastport> bild;
        // A picture kept before and held by none since, for the next cover
        // kept (at most one).
        std::shared_ptr<Rastport> vorrat;
        // The texts and pictures drawn under it, for the draw trace of the
        // frames that copy it (kept only while the trace is on).
        std::vector<Zeichenspur_Eintrag> spur;
        bool mit_spur = false;
    } deckel;
    // The frame kept on the screen: its probe's fingerprint and, with the
    // draw trace on, what it drew.
    struct Behalten {
        bool gueltig = false;
        const Rastport* ziel = nullptr;
        const u16* pixel = nullptr;  // the target's pixels when it was drawn
        std::vector<Teil> teile;
        std::vector<Zeichenspur_Eintrag> spur;
        bool mit_spur = false;
    } behalten;
    // The probe of the frame being drawn, compared with the kept one and
    // swapped with it: the two buffers go back and forth from frame to
    // frame, so a frame allocates none.
    std::vector<Teil> teile_neu;
    // The screen as drawn up to the first covering icon (under a message
    // box's dimmer, not yet darkened) and its probe: while what lies under
    // the box does not change, a box coming up or going starts from it.
    // Two are kept, the last used and the one before: boxes that come up
    // over two screens in turn (two managers at one machine, each with his
    // own screen) each start from the copy of their own screen.
    struct Unter {
        bool gueltig = false;
        const Rastport* ziel = nullptr;
        std::vector<Teil> teile;
        Rastport_Bild bild;
        // The kept cover last made over exactly this copy: the copy with the
        // first covering icon drawn over it, that icon and its probe. A box
        // coming up again over the unchanged screen with the same cover
        // takes the picture as it is (the dimmer is not drawn again).
        std::shared_ptr<Rastport> gedeckt;
        const Screen_Icon* gedeckt_icon = nullptr;
        Teil gedeckt_teil;
    } unter[2];
    u8 unter_zuletzt = 0;  // the copy used last
};

// The installed table (Menue_Set_Hooks).
extern const Menue_Hooks& hooks_tabelle;
extern Engine* M;

inline Screen_Icon* slot(i32 ebene, i32 s) { return &M->slots[static_cast<size_t>(ebene) * MENUE_SLOTS + s]; }
inline bool ist_belegt(i32 ebene, i32 s) { return M->belegt[static_cast<size_t>(ebene) * MENUE_SLOTS + s] != 0; }

inline bool sichtbar(const Screen_Icon* i) { return !(i->status & MENUE_S_VERSTECKT); }

inline i32 abstand(i32 x0, i32 y0, i32 x1, i32 y1) {
    const double dx = x1 - x0, dy = y1 - y0;
    return static_cast<i32>(std::sqrt(dx * dx + dy * dy));
}

inline Move_Struktur* move_von(Screen_Icon* i) {
    return (i && (i->flags & MENUE_F_SCROLLBUTTON)) ? static_cast<Move_Struktur*>(i->daten) : nullptr;
}

inline bool senkrecht(const Move_Struktur* m) { return m->spur_x >= 0; }

// Whether a visible modal icon is on the screen.
bool modal_aktiv();
// A scroll button put on track place `pos` (clamped), the place remembered.
void knopf_auf(Screen_Icon* k, i32 pos);
// The button's procedure gets its value index.
void knopf_melden(Screen_Icon* k, u32 ereignis);
// The point of rocker button k relative to the icon.
void wippe_punkt(const Screen_Icon* i, i32 k, i32* x, i32* y);
// An icon state of a team: in its manager's record, else the engine's own.
u32 zustand_lesen(i32 team, i32 nummer);
void zustand_setzen(i32 team, i32 nummer, u32 wert);
// The icon's own picture: w x h in its colour (0 under state 32), made on
// first use; a size outside the screen is a fault.
Rastport* eigenes_bild(Screen_Icon* i);
void eigenes_bild_freigeben(i32 nummer);
// The scroll screen's picture and what lies under its background graphic.
void scroll_bilder_freigeben();

}  // namespace menue_kern

// The talents screen: a player's special attributes as a tree of attribute
// places over a background, a panel with everything about the attribute
// under the mouse, and (for a player of the manager's own team) the start of
// a training by a click on an attribute. Opened over the training sheet and
// from the player card.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_TALENTE_RAHMEN = 3414,   // the tree's background: the frame icon
    ICON_TALENTE_PANEL = 3415,
    ICON_TALENTE_ZU = 3416,       // close; also the right-click icon
    ICON_TALENTE_ATTRIBUT = 3417, // 3417..3451: attributes 0..34
    ICON_TALENTE_SPEZIAL = 3452,  // 3452..3456: attributes 35..39
    ICON_TALENTE_ZURUECK = 3457,
    ICON_TALENTE_VOR = 3458,
    ICON_TALENTE_TORWART = 3459,  // 3459..3464: goalkeeper attributes 47..52
};
constexpr u32 TALENTE_BLAETTERN_MS = 200;

// What the screen shows and allows.
enum Talente_Modus : i32 {
    TALENTE_EIGENES_TEAM = 0,  // a player of the active team: training allowed; browsing by slot
    TALENTE_ANSICHT = 1,       // a player of the viewed team: view only
    TALENTE_TRANSFER = 2,      // the transfer window's players: view only
    TALENTE_EINZELN = 3,       // one player: view only, no browsing
};

Screen_Def Spieler_Talente_Screen_Def();

// Opens the screen for a player in a mode (nothing while it is open).
void Spieler_Talente_Screen_Init(i32 spieler, i32 modus);
void Spieler_Talente_Screen_Schliessen();
// The can-train check: learnable, not injured, trainings left this round,
// and the cost covered by the active team's balance.
bool Spieler_Talente_Kann_Trainieren(i32 attribut, i32 spieler);
// The shown player and mode.
i32 Spieler_Talente_Spieler();
i32 Spieler_Talente_Modus();
// The attribute an icon stands for (-1 for another icon).
i32 Spieler_Talente_Attribut_Von(const Screen_Icon* icon);
// The next player of a browse step (richtung +1 next, -1 previous) from the
// shown one, in the mode's order; the shown player when there is none.
i32 Spieler_Talente_Blaettern_Ziel(i32 spieler, i32 modus, i32 richtung);

// Icon procedures.
void Spieler_Talente_Attribut(Screen_Icon* icon, u32 ereignis);
void Spieler_Talente_Attribut_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
const char* Spieler_Talente_Hilfe(Screen_Icon* icon);
// The header's help: the name of the badge under the mouse (the attribute in
// training, a weakness).
const char* Spieler_Talente_Kopf_Hilfe(Screen_Icon* icon);
void Spieler_Talente_Info_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spieler_Talente_Blaettern(Screen_Icon* icon, u32 ereignis);
void Spieler_Talente_Zu_Klick(Screen_Icon* icon, u32 ereignis);

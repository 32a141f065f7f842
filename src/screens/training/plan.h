// The training sheet: the active team's up to 20 players with their
// training state. The manager picks a player, browses the special
// attributes that player may learn in three slots (the middle one is the
// one offered), starts a training (the training film screen), opens the
// talents tree, and switches the automatic training after matches on or off.
// Opened from the main menu (dialog button 702, entry 4) as
// Screen_Id::TRAININGSPLAN.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_PLAN_RAHMEN = 3466,    // frame with the info panel: the frame icon
    ICON_PLAN_ZEILE = 3467,     // 3467..3486: the 20 rows
    ICON_PLAN_AUTO = 3487,      // automatic training on/off (kept per manager)
    ICON_PLAN_TRAINIEREN = 3488,
    ICON_PLAN_MITTE = 3489,     // the middle slot
    ICON_PLAN_ZURUECK = 3490,
    ICON_PLAN_VOR = 3491,
    ICON_PLAN_TALENTE = 3494,
    ICON_PLAN_LINKS = 3495,     // the left slot (scrolls back)
    ICON_PLAN_RECHTS = 3496,    // the right slot (scrolls on)
};
constexpr i32 PLAN_ZEILEN = 20;
constexpr u32 PLAN_PFEIL_MS = 250;

// How the slots move.
enum Slot_Richtung : i32 { SLOTS_FUELLEN = 0, SLOTS_VOR = 1, SLOTS_ZURUECK = 2 };
// A player learns at most this many attributes; then only star training is offered.
constexpr i32 PLAN_MAX_GELERNT = 18;

Screen_Def Spieler_Training_Screen_Def();

void Spieler_Training_Screen_Init();
void Spieler_Training_Liste_Aufbauen();
// Fills (SLOTS_FUELLEN) or scrolls the three slots for the player.
void Spieler_Training_Slots_Setzen(i32 spieler, i32 richtung);
// The attribute itself when it (or the player) is -1 or it is learnable;
// otherwise the slots are filled anew and the new middle slot returned.
i32 Spieler_Training_Slot_Pruefen(i32 spieler, i32 attribut);
// The attribute the sheet offers the player in its middle slot (-1 none),
// worked out without changing the sheet.
i32 Spieler_Training_Angebot(i32 spieler);
// The sheet's state.
i32 Spieler_Training_Gewaehlt();
void Spieler_Training_Slots(i32 aus[3]);
// The player a row shows (-1 none).
i32 Spieler_Training_Zeilen_Spieler(i32 zeile);

// Icon procedures.
void Spieler_Training_Info_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spieler_Training_Zeile_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spieler_Training_Mitte_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spieler_Training_Trainieren(Screen_Icon* icon, u32 ereignis);
void Spieler_Training_Slot_Klick(Screen_Icon* icon, u32 ereignis);
void Spieler_Training_Pfeil(Screen_Icon* icon, u32 ereignis);
void Spieler_Training_Zeile_Klick(Screen_Icon* icon, u32 ereignis);
void Spieler_Training_Talente_Klick(Screen_Icon* icon, u32 ereignis);
void Spieler_Training_Auto_Klick(Screen_Icon* icon, u32 ereignis);
const char* Spieler_Training_Spalte(Screen_Icon* icon);
const char* Spieler_Training_Tooltip(Screen_Icon* icon);

// The requesters the sheet and the talents screen share: an injured
// player, no trainings left this round, and the switch from the attribute in
// training to another (the confirming answer gets old, new attribute and
// the player).
void Training_Verletzt_Melden(i32 spieler);
void Training_Limit_Melden();
void Training_Wechsel_Fragen(i32 spieler, i32 alt, i32 neu, void (*ja)(i32 anzahl, const i32* liste));
// Trainings the player may still do this round.
i32 Training_Einheiten_Frei(i32 spieler);

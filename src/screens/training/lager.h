// The training camp: the choice of one of eight camps (picture, cost, three
// rating bars, description; the squad goes by paying the cost), and the
// camp's run: three bars (morale, recovery, strength) rise, hold and fall
// in random stages while the camp's video runs; single players gain
// strength or potential, lose a weakness or get injured; at the end the
// morale and recovery bars decide every player's morale and exhaustion, and
// a results table compares each player's values with those at the start.
// The choice is opened from the main menu (dialog button 702, entry 5) as
// Screen_Id::TRAININGSLAGER.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_LAGER_RAHMEN = 3537,   // the choice's frame: the frame icon; its state the camp last shown
    ICON_LAGER_ZURUECK = 3538,
    ICON_LAGER_VOR = 3539,
    ICON_LAGER_LOS = 3540,
    ICON_LAUF_BLOCKER = 3606,   // the blocker of the run, and of the results once the run's table is off
    ICON_LAUF_PANEL = 3607,     // the run panel: its frame icon
    ICON_LAUF_ENDE = 3608,
    ICON_ERGEBNIS_RAHMEN = 3609,
    ICON_ERGEBNIS_ZEILE = 3610, // 3610..3629
};
constexpr u32 LAGER_BLAETTERN_MS = 300;
constexpr i32 LAGER_BALKEN = 179;  // the choice's rating bars
constexpr i32 LAUF_BALKEN = 361;   // the run's bars
constexpr i32 LAUF_TAKT_MS = 100;   // one step of the camp's course
constexpr u32 LAUF_NACHHOLEN = 50;  // steps a late frame catches up at most
constexpr i32 LAUF_MELDUNGEN = 20;
constexpr i32 LAUF_STUFEN = 10;
constexpr i32 LAUF_GEFAHR = 121;   // recovery below this: danger
constexpr i32 LAGER_MORAL_MAX = 5; // a camp raises morale to at most this

Screen_Def Trainings_Lager_Screen_Def();
Screen_Def Trainings_Lager_Run_Screen_Def();

void Trainings_Lager_Screen_Init();
i32 Trainings_Lager_Gezeigt();
// The part of a rating bar that is filled (0..179).
i32 Trainings_Lager_Balken_Breite(i32 bewertung);

// The run.
struct Lager_Balken {
    i32 position = 0;
    i32 stufe = 0, stufen = 0;
    i32 ziel[LAUF_STUFEN] = {};
    i32 halten[LAUF_STUFEN] = {};
    i32 zustand = 0;  // -1 waiting, 0 climbing, 5 holding, 3 falling, 6 finished
    u32 halt_beginn = 0;  // the step the hold began
};
struct Lager_Meldung {
    i32 spieler = -1;
    i32 art = 0;  // 0 strength +1, 1 potential +2, 2 weakness removed, 3 injured
    i32 wert = 0;
    bool gezeigt = false;
    u32 zeit = 0;
};
struct Lager_Lauf {
    i32 lager = -1;
    i32 kader[20] = {};
    i32 anzahl = 0;
    Lager_Balken balken[3];  // morale, recovery, strength
    u32 letzter_takt = 0;     // the clock (ms) up to which the steps were played
    u32 schritt = 0;          // steps of the course played
    u32 letzter_anstieg = 0;  // the step of the strength bar's last rise
    Lager_Meldung meldung[LAUF_MELDUNGEN];
    i32 start[20][4] = {};  // morale, display exhaustion, strength, maximum strength
    bool beendet = false;
};
Lager_Lauf& Trainings_Lager_Lauf();

// Opens the run for a paid camp.
void Trainings_Lager_Run_Screen_Init(i32 lager);
// The bars' set-up (draws from the shared table).
void Trainings_Lager_Balken_Init();
// The run at time `jetzt` (ms): the messages, then every step of the
// course due since the last (LAUF_TAKT_MS each).
void Trainings_Lager_Takt(u32 jetzt);
// One step of the camp's course: the bars, the strength bar's effects and
// the injuries, drawn from the shared table. The course depends on the
// steps played, never on how the frames fell.
void Trainings_Lager_Schritt();
// Books the end results, ends the run and shows the results.
void Trainings_Lager_Ende();
void Trainings_Lager_Ergebnis_Buchen();
void Trainings_Lager_Ergebnis_Schliessen();
// Queues a message; false when all places are taken (its effect stays booked).
bool Trainings_Lager_Melden(i32 spieler, i32 art, i32 wert);
// Whether the recovery bar is in danger.
bool Trainings_Lager_Gefahr();

// Icon procedures.
void Trainings_Lager_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Trainings_Lager_Blaettern(Screen_Icon* icon, u32 ereignis);
void Trainings_Lager_Los(Screen_Icon* icon, u32 ereignis);
void Trainings_Lager_Run_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Trainings_Lager_Ende_Klick(Screen_Icon* icon, u32 ereignis);
void Trainings_Lager_Ergebnis_Zeile(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Trainings_Lager_Ergebnis_Klick(Screen_Icon* icon, u32 ereignis);
const char* Trainings_Lager_Ergebnis_Spalte(Screen_Icon* icon);

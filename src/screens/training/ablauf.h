// One attribute training of one player, played out as a short timed run on
// the training film screen: the training bar climbs in stages and earns
// development points; it may fall, which draws a bad outcome (the run's
// points lost, morale, exhaustion, strength or an injury); a bonus may pop
// up. Accepting writes the points into the player's attribute and learns it
// when they reach its required points. Only one run exists at a time.
//
// Every draw comes from the shared random table in a fixed order, so a
// network client and the server agree on what a run does.
#pragma once

#include "base/types.h"
#include "gui/anim.h"

struct Bnk_Video;

// States of a run.
enum Training_Zustand : i32 {
    TRAINING_BEREIT = 0,     // nothing moves yet
    TRAINING_SCHNELL = 1,    // quick phase: points run up to the target points
    TRAINING_PAUSE = 2,      // a short pause
    TRAINING_STEIGEN = 3,    // slow climb
    TRAINING_HALTEN = 4,     // holding at a stage top, jittering
    TRAINING_SINKEN = 5,     // sinking to a target
    TRAINING_SPRINT = 6,     // fast climb to a target
    TRAINING_ABSTURZ = 7,    // fell: the outcome is shown
    TRAINING_FERTIG = 9,     // finished; everything stands still
};

// Outcomes of a fall.
enum Training_Ergebnis : i32 {
    ERGEBNIS_KEINES = -1,
    ERGEBNIS_PUNKTE_WEG = 0,
    ERGEBNIS_VERLETZT = 1,
    ERGEBNIS_MORAL = 2,
    ERGEBNIS_ERSCHOEPFUNG = 3,
    ERGEBNIS_STAERKE = 4,
    ERGEBNIS_NICHTS = 5,
};

constexpr i32 TRAINING_HOEHE = 219;      // the bar's top position
constexpr i32 TRAINING_STUFEN_MAX = 6;
constexpr i32 TRAINING_STERN = 53;       // star training: one strength point
constexpr i32 TRAINING_SCHRITT_MS = 51;  // at most one step per this time
constexpr i32 TRAINING_PAUSE_MS = 100;
constexpr i32 TRAINING_STERN_MAX = 12;   // strength a star training raises to at most

// Videos of animationen.res the run plays (at 565,356).
constexpr i32 VIDEO_VERLETZUNG = 9, VIDEO_HERZ = 10, VIDEO_HERZ_START = 24;
constexpr i32 TRAINING_VIDEO_X = 565, TRAINING_VIDEO_Y = 356;
// Sounds (menue_sound.res).
constexpr i32 KLANG_TRAINING_START = 1, KLANG_VERLETZUNG = 2, KLANG_HERZ = 4;

// Bonus animations: the burst (pictures from 28445, 55 of them) and the
// amount shown beside it, one run per amount 1..4 (x 25 points).
constexpr u32 BONUS_BILD = 28445, BONUS_GRENZE = 56, BONUS_AUSZAHLUNG_FRAME = 15;
constexpr u32 BONUS_BETRAG_BILD[4] = {28501, 28531, 28561, 28591};
constexpr u32 BONUS_BETRAG_GRENZE[4] = {30, 30, 30, 33};
constexpr u32 BONUS_FRAME_MS = 50;
constexpr i32 BONUS_X = 130, BONUS_Y = 400;

struct Trainings_Ablauf {
    i32 spieler = -1;
    i32 attribut = -1;
    i32 mitgebracht = 0;  // the attribute's points when the run began
    i32 verdient = 0;     // points earned in this run
    i32 position = 0;     // bar height 0..219
    i32 ziel = -1;        // target position of the current movement
    i32 zielpunkte = 0;   // the quick phase ends here
    i32 zustand = TRAINING_BEREIT;
    i32 ergebnis = ERGEBNIS_KEINES;
    i32 ergebnis_wert = 0;  // morale lost, exhaustion added (display units), strength lost
    i32 stufe = 0, stufen = 0;
    i32 schwelle[TRAINING_STUFEN_MAX] = {-1, -1, -1, -1, -1, -1};
    i32 haltezeit[TRAINING_STUFEN_MAX + 1] = {-1, -1, -1, -1, -1, -1, -1};
    bool halten = false;
    bool punkte_weg = false;
    bool herz = false;
    u32 letzter_schritt = 0;
    bool schritt_gelaufen = false;
    Anim_Slot allgemein[10];
    Anim_Slot bonus[1];
    Anim_Slot bonus_betrag[1];
    Bnk_Video* video = nullptr;
    Bnk_Video* verletzung = nullptr;
    Bnk_Video* herzvideo = nullptr;
};

// What the run needs of the film screen: the quick-finish switch, and the
// learned-attribute film to open. Filled by the film screen; tests may set
// their own.
struct Training_Anbindung {
    bool (*schnell_an)() = [] { return false; };
    void (*gelernt)(i32 spieler, i32 attribut) = [](i32, i32) {};
};
void Training_Anbinden(const Training_Anbindung& a);

// The one run.
Trainings_Ablauf& Training_Ablauf();

// The video entry of an attribute's training film (-1 for a number without one).
i32 Training_Video_Nummer(i32 attribut);

// Sets up a run for player and attribute: carried points (an attribute
// value outside 1..required-1 starts at 0 and is written so), target points
// and the stages (draws from the shared table).
void Training_Beginnen(i32 spieler, i32 attribut);
// The start click: in the ready state the cost is booked from the active
// team (category 27); only then the run starts (true). In a later state the
// click stops the run (state finished). False when nothing started.
bool Training_Start_Klick();
// One frame of the run at time `jetzt` (ms): the transitions, then one
// timed step.
void Training_Frame(u32 jetzt);
// The accept click: after a fall it finishes the run; when finished it books
// the result into the player and returns true (the screen closes).
bool Training_Uebernehmen();
// Resets state, position, outcome and points-lost flag and lets the videos go.
void Training_Ende();

// The automatic training after a match (the manager's switch on the
// training sheet): every player of the team who is not injured and has a
// training left trains once, without falls, the attribute in training or
// the one the sheet offers; the team pays each training (category 27) and
// stops when the money runs out. The trainings done.
i32 Training_Automatisch(i32 team);

// The pieces, for tests: the fall outcome (draws and writes), the timed
// step, the fall and bonus tests.
void Training_Absturz_Ereignis();
void Training_Schritt(u32 jetzt);
void Training_Absturz_Pruefen();
void Training_Bonus_Pruefen();
void Training_Bonus_Auszahlen();
// The learned attribute becomes active in place of a lower, non-negative
// one of the player's three listed attributes.
void Training_Attribut_Aktivieren(i32 spieler, i32 attribut);
// The outcome-band row of a stage index (rows 0..5; a seventh stage uses the last).
i32 Training_Ergebnis_Zeile(i32 stufe);

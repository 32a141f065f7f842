// The animation sets of the figures, shared by the match engine and the live
// view: one record per set, the set number is the index.
//
// The engine decides which set an object plays, how long and at which speed
// (the timing and motion fields); the view loads the frames and fills its own
// fields when it starts. An object's animation entry (Spielfeld_Anim) names
// the set, the frame counter (ticks since the set began, within one round for
// a set that loops) and the ticks a set that does not loop still plays.
#pragma once

#include "base/types.h"

constexpr int ANIM_SETS = 236;
constexpr int ANIM_RICHTUNGEN = 16;

struct Anim_Def {
    u8 ladbar;                       // 1 the set has frames in the sprite archive
    i32 verbunden;                   // set drawn together with this one (ball, flag, card), -1 none
    u32 gezeichnet;                  // drawn this frame (view)
    u32 zaehler;                     // times drawn (view)
    u8 vorladen;                     // preload mark (view)
    void** bilder[ANIM_RICHTUNGEN];  // frames by direction (view), null while not loaded
    u32 nummer;                      // the set's own index
    u32 letztes_bild;                // frame count - 1 (view, when loaded)
    i32 eintrag;                     // entry in the stadium sprite archive, -1 none
    u32 richtungen;                  // 16, or 1 for a fixed picture
    char name[80];
    // Timing and motion of the match engine.
    u16 dauer;         // ticks the set plays (one round of a set that loops), >= 1
    u16 tempo;         // cm per tick of a figure playing it (0: on the spot)
    u8 schleife;       // 1 plays round after round until another set replaces it
    u8 unterbrechbar;  // 1 standing or running may replace it before it has ended
    u8 frei[2];
    u32 datengroesse;  // bytes of frame data (view)
    void* daten;       // the loaded frame data (view)
};

extern Anim_Def Anim_Tabelle[ANIM_SETS];

// Speeds of walking and running (cm per tick) of the sets GEHEN and LAUFEN and their goalkeeper forms.
constexpr u16 ANIM_TEMPO_GEHEN = 20;
constexpr u16 ANIM_TEMPO_LAUFEN = 45;

// Animation sets the engine plays.
enum : u16 {
    A_STEHEN = 0,
    A_GEHEN = 7,
    A_LAUFEN = 8,
    A_SPRINT = 9,
    A_BALL = 11,
    A_PASSEN = 33,
    A_SCHUSS_PLAZIERT = 34,
    A_SCHUSS = 35,
    A_TW_FAUST = 36,
    A_TW_STEHEN = 37,
    A_TW_STEHEN_BALL = 38,
    A_TW_GEHEN = 39,
    A_TW_FANGEN = 41,
    A_TW_SPRINT = 44,
    A_TW_FANGEN_STEHEND = 45,
    A_TW_ABSCHLAG = 55,
    A_TW_ABWURF = 58,
    A_GRAETSCHEN = 63,
    A_KOPFBALL = 64,
    A_JUBEL = 65,
    A_TRAUER = 66,
    A_WAELZEN = 70,
    A_BRUSTANNAHME = 72,
    A_EINWURF = 74,
    A_DRIBBLING = 76,
    A_SCHIRI = 83,
    A_LINIE = 85,
    A_WEITER = 87,
    A_PFEIFT = 88,
    A_GELB = 90,
    A_ROT = 91,
    A_FAHNE = 92,
    A_WECHSEL = 93,
    A_ECKE_LINKS = 94,
    A_ECKE_RECHTS = 95,
    A_BEAMEN = 97,
    A_BANK = 98,
    A_BEAMEN_TW = 101,
    A_TW_JUBEL = 103,
    A_TW_TRAUER = 104,
    A_MAUER = 124,
    A_MUEDE = 125,
    A_FUSSANNAHME = 136,
    A_FOUL_HINFALLEN = 138,
    A_STOLPERN = 145,
    A_TW_LAUFEN = 153
};

// The set of a figure that runs or stands on its own: by its step (cm per
// tick, 0 standing), whether it is in a hurry, keeps the ball, is tired, or
// is a goalkeeper.
inline u16 Anim_Basis(f32 schritt, bool eilig, bool mit_ball, bool muede, bool torwart) {
    if (schritt <= 0.0f) {
        if (torwart) return mit_ball ? A_TW_STEHEN_BALL : A_TW_STEHEN;
        return muede ? A_MUEDE : A_STEHEN;
    }
    if (mit_ball && !torwart) return A_DRIBBLING;
    if (eilig) return torwart ? A_TW_SPRINT : A_SPRINT;
    // Walking or running: the set whose speed is nearer to the step.
    const bool laufen = 2.0f * schritt >= static_cast<f32>(ANIM_TEMPO_GEHEN + ANIM_TEMPO_LAUFEN);
    if (torwart) return laufen ? A_TW_LAUFEN : A_TW_GEHEN;
    return laufen ? A_LAUFEN : A_GEHEN;
}

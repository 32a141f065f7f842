// The training film screen: the window over the training sheet or the
// talents screen on which one attribute training runs (screens/training/
// ablauf.h): the player, the attribute, the climbing bar, the points, the
// attribute's training video and four buttons (quick finish, start/stop,
// accept, close); after a fall the outcome, at the end the result; and when
// an attribute is learned, a second panel with the learned-attribute film.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_FILM_PANEL = 3498,      // the training panel: the frame icon; runs the training each frame
    ICON_FILM_SCHNELL = 3499,    // quick finish on/off (kept per manager)
    ICON_FILM_START = 3500,      // start / stop
    ICON_FILM_OK = 3502,         // accept: books the result
    ICON_FILM_BLOCKER = 3503,    // the dimmed screen behind
    ICON_FILM_ZU = 3504,         // close without booking (only before the start)
    ICON_FILM_GELERNT_BLOCKER = 3505,
    ICON_FILM_GELERNT = 3506,    // the learned-attribute film's panel
    ICON_FILM_GELERNT_ZU = 3507,
};

// The learned-attribute film (animationen.res 77): a common opening up to
// frame 125, then 48 frames per attribute from 126 + 48 x attribute.
constexpr i32 VIDEO_GELERNT = 77, GELERNT_X = 240, GELERNT_Y = 134;
constexpr i32 GELERNT_OEFFNUNG = 125, GELERNT_TEIL = 48;
constexpr i32 KLANG_GELERNT = 21, KLANG_GELERNT_NEGATIV = 20;

Screen_Def Spieler_Training2_Screen_Def();

// Opens the screen for a player and an attribute (nothing while it is open).
void Spieler_Training2_Screen_Init(i32 spieler, i32 attribut);
void Spieler_Training2_Screen_Schliessen();
// The learned-attribute film for the attribute (0..53; another number is
// refused with a debug line).
void Spieler_Training2_Film_Init(i32 spieler, i32 attribut);
void Spieler_Training2_Film_Schliessen();
// The frame of the learned-attribute film at which the attribute's own part
// begins and ends (53 runs to the film's end: -1).
i32 Training_Film_Anfang(i32 attribut);
i32 Training_Film_Ende(i32 attribut);

// Icon procedures.
void Spieler_Training2_Auto_Umschalten(Screen_Icon* icon, u32 ereignis);
void Spieler_Training2_Start_Klick(Screen_Icon* icon, u32 ereignis);
void Spieler_Training2_Uebernehmen_Klick(Screen_Icon* icon, u32 ereignis);
void Spieler_Training2_Zu_Klick(Screen_Icon* icon, u32 ereignis);
void Spieler_Training2_Film_Ende(Screen_Icon* icon, u32 ereignis);
void Spieler_Training2_Screen_Run(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spieler_Training2_Film_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);

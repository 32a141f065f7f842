// The ranking screen, page by page: the active club's last ten ranked
// games, the club ranking by points and by form (human managers' clubs with
// their manager's name), and the player leader lists of the active club's
// league system (goals, assists, scorers, yellow, yellow-red and red cards).
// One switch steps through the nine pages; the page is remembered per
// manager (button state 1743). Opened from the main menu (dialog button
// 703, entry 3) as Screen_Id::RANGLISTE.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_RL_SPUR = 1738,       // scroll track
    ICON_RL_KNOPF = 1739,      // scroll knob
    ICON_RL_HOCH = 1740,       // up arrow
    ICON_RL_RUNTER = 1741,     // down arrow
    ICON_RL_SEITE = 1742,      // page and all its text: the screen's frame icon
    ICON_RL_SCHALTER = 1743,   // page switch
};

constexpr i32 RL_SEITEN = 9;
constexpr i32 RL_ZEILEN = 10;
constexpr i32 RL_LEADER_MAX = 30;
constexpr i32 RL_KNOPF_Y0 = 149, RL_KNOPF_Y1 = 311;
constexpr u32 RL_PFEIL_MS = 50;

Screen_Def Rangliste_Screen_Def();

void Rangliste_Screen_Init();
// Called by the ranking after its sort; the screen reads everything when drawn.
void Rangliste_Screen_Aktualisieren();
void Rangliste_Screen_Seite_Klick(Screen_Icon* icon, u32 ereignis);
void Rangliste_Screen_Hoch_Klick(Screen_Icon* icon, u32 ereignis);
void Rangliste_Screen_Runter_Klick(Screen_Icon* icon, u32 ereignis);
void Rangliste_Screen_Scroll(Screen_Icon* knopf, i32 index, u32 ereignis);
void Rangliste_Screen_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);

// The player leader list of a page 3..8 (empty for the others).
struct Rangliste_Leader {
    i32 spieler = -1, team = -1, wert = 0;
};
struct Rangliste_Leaderliste {
    Rangliste_Leader eintrag[RL_LEADER_MAX];
    i32 anzahl = 0;
    // The active club's best listed player, his value and place (1-based); spieler -1 none.
    Rangliste_Leader eigener;
    i32 eigener_platz = 0;
};
// The statistic a page shows (-1 for pages 0..2).
i32 Rangliste_Statistik_Von_Seite(i32 seite);
void Rangliste_Spieler_Liste_Bauen(i32 seite, Rangliste_Leaderliste* aus);

// The screen's state (tests).
i32 Rangliste_Screen_Seite();
i32 Rangliste_Screen_Position();
i32 Rangliste_Screen_Stufen();
const Rangliste_Leaderliste& Rangliste_Screen_Leader();

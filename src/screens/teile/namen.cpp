#include "screens/teile/namen.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/tools.h"
#include "graphics/font.h"

#include "gui/text_cfg.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {
// Positions and status names are texts of the player card's section from
// entry 100 on (entry 100 + n for "*n"); the injury kinds are the world's.
constexpr i32 NAMEN_BASIS = 100;
constexpr i32 POSITION_ERSTE = 6, POSITION_LETZTE = 9;
constexpr i32 VERLETZUNG_ERSTE = 18, VERLETZUNG_LETZTE = 59;
constexpr i32 STATUS_ERSTE = 60, STATUS_LETZTE = 68;
}  // namespace

const char* Spieler_Name_Text(i32 n) {
    if ((n >= POSITION_ERSTE && n <= POSITION_LETZTE) || (n >= STATUS_ERSTE && n <= STATUS_LETZTE))
        return Text_cfg_Text(TEXT_SPIELER_INFO, NAMEN_BASIS + n);
    if (n >= VERLETZUNG_ERSTE && n <= VERLETZUNG_LETZTE) return Spieler_Get_Verletzungs_Text(n - VERLETZUNG_ERSTE);
    return "";
}

const char* Positions_Text(i32 klasse) {
    return klasse >= 0 && klasse <= POSITION_LETZTE - POSITION_ERSTE ? Spieler_Name_Text(POSITION_ERSTE + klasse) : "";
}

const char* Verletzungs_Text(i32 art) {
    return art >= 0 && art <= VERLETZUNG_LETZTE - VERLETZUNG_ERSTE ? Spieler_Name_Text(VERLETZUNG_ERSTE + art) : "";
}

const char* Status_Text(i32 eintrag) {
    return eintrag >= 0 && eintrag <= STATUS_LETZTE - STATUS_ERSTE ? Spieler_Name_Text(STATUS_ERSTE + eintrag) : "";
}

const char* Spieler_Namen_Aufloesen(const char** text) {
    if (!text || !*text) return "";
    const char* t = *text;
    if (t[0] != '*' || t[1] < '0' || t[1] > '9') return t;
    char* ende = nullptr;
    const long n = std::strtol(t + 1, &ende, 10);
    if (*ende) return t;
    const char* name = Spieler_Name_Text(static_cast<i32>(n));
    if (*name) *text = name;
    return *text;
}

const char* Spieler_Name_Passend(i32 spieler, Font* font, i32 breite, char aus[96]) {
    std::snprintf(aus, 96, "%s", Spieler_String(505, spieler, nullptr, 0));
    if (!font || Font_Text_Breite(font, aus) <= breite) return aus;
    char nachname[96];
    std::snprintf(nachname, sizeof nachname, "%s", Spieler_String(63, spieler, nullptr, 0));
    const char* initial = Spieler_String(64, spieler, nullptr, 0);
    const std::string kurz = std::string(initial) + (*initial ? " " : "") + nachname;
    std::snprintf(aus, 96, "%s", kurz.c_str());
    if (Font_Text_Breite(font, aus) <= breite) return aus;
    Tools_Text_Kuerzen(nachname, aus, font, breite);
    return aus;
}

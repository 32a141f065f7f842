#include "screens/match/taktik_im_spiel.h"

#include <algorithm>

#include "base/ruf.h"
#include "grafik_nummern.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "match/spielfeld.h"
#include "platform/input.h"
#include "screens/match/im_spiel.h"
#include "screens/teile/drossel.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

constexpr i32 BALKEN_MAX = 35;
// Texts of the screen's section: the switches' labels by state, the values'
// labels, the buttons' help texts.
enum : i32 { T_SCHALTER1_AN = 0, T_SCHALTER1_AUS = 1, T_SCHALTER2_AN = 2, T_SCHALTER2_AUS = 3, T_WERT = 4,
             T_HILFE = 15 };
// The tactic byte each value changes.
constexpr int WERT_INDEX[TAKTIK_IM_SPIEL_WERTE] = {TW_WERT1, TW_WERT2, TW_WERT3, TW_WERT4};

struct Zustand {
    bool ziehen = false;
    i32 griff_x = 0, griff_y = 0;
    bool taste_vorher = false;
    Screen_Drossel drossel;
    bool gesehen = false;
};
Zustand Z;

const char* text(i32 n) { return Text_cfg_Text(TEXT_TAKTIK_IM_SPIEL, n); }

// The current match and the side of the club shown (-1: none).
Spielfeld_Daten* spielfeld(int* seite) {
    *seite = -1;
    Spielfeld_Daten* sf = E_Im_Spiel_Screen_Spielfeld();
    const i32 team = E_Im_Spiel_Screen_Team(-1);
    if (!sf || team < 0) return nullptr;
    *seite = static_cast<u32>(team) == sf->team[0] ? 0 : static_cast<u32>(team) == sf->team[1] ? 1 : -1;
    return *seite < 0 ? nullptr : sf;
}
// The side's tactic bytes as this machine knows them: a networked match's
// copies run ahead of the bytes in play until the command takes effect.
const i8* bytes_von(const Spielfeld_Daten* sf, int s) { return sf->netz ? sf->seite[s].netz_taktik : sf->seite[s].taktik; }

void knoepfe_setzen(i32 x, i32 y) {
    if (Screen_Icon* i = Kit_Icon(ICON_TAKTIK_IM_SPIEL_SCHALTER1))
        i->x = static_cast<i16>(x + 15), i->y = static_cast<i16>(y);
    if (Screen_Icon* i = Kit_Icon(ICON_TAKTIK_IM_SPIEL_SCHALTER2))
        i->x = static_cast<i16>(x + 15), i->y = static_cast<i16>(y + 19);
    for (i32 w = 0; w < TAKTIK_IM_SPIEL_WERTE; ++w)
        for (i32 plus = 0; plus < 2; ++plus)
            if (Screen_Icon* i = Kit_Icon(ICON_TAKTIK_IM_SPIEL_MINUS + 2 * w + plus))
                i->x = static_cast<i16>(x + (plus ? 56 : 38)), i->y = static_cast<i16>(y + 38 + 19 * w);
}

void halten(i32* x, i32* y, i32 x1, i32 y1) {
    *x = std::clamp(*x, -206, x1);
    *y = std::clamp(*y, 32, y1);
}

// A control's user word 0: 0 and 1 the two switches, 2 + 2 * value (+ 1 for
// plus) the steppers; its hover text is the same number past T_HILFE.
constexpr u32 SCHALTER_1 = 0, SCHALTER_2 = 1, ERSTER_KNOPF = 2;
constexpr Screen_Icon SCHALTER{.nummer = ICON_TAKTIK_IM_SPIEL_SCHALTER1,
                               .grafik = GRAFIK_TAKTIK_IM_SPIEL_SCHALTER,
                               .grafik_an = GRAFIK_TAKTIK_IM_SPIEL_SCHALTER_AN,
                               .grafik_gedrueckt = GRAFIK_TAKTIK_IM_SPIEL_SCHALTER_AN,
                               .flags = MENUE_F_BEIDE_TASTEN,
                               .x = TAKTIK_IM_SPIEL_X + 15,
                               .y = TAKTIK_IM_SPIEL_Y,
                               .status = MENUE_S_TRANSPARENT | MENUE_S_AN,
                               .klick = Taktik_Im_Spiel_Screen_Knopf_Klick,
                               .zeichnen = Taktik_Im_Spiel_Screen_Schalter_Zeichnen,
                               .ebene = 24,
                               .w = 170,
                               .h = 18,
                               .hilfe_prozedur = Taktik_Im_Spiel_Screen_Hilfetext};
// The steppers' minus and plus buttons: a column each, a row per value.
constexpr Kit_Zeilen_Lage STEPPER_MINUS{.dy = 19, .erster_index = ERSTER_KNOPF, .schritt = 2};
constexpr Kit_Zeilen_Lage STEPPER_PLUS{.dy = 19, .erster_index = ERSTER_KNOPF + 1, .schritt = 2};
constexpr auto FENSTER = Icon_Liste({
    {.nummer = ICON_TAKTIK_IM_SPIEL_FENSTER,
     .grafik = GRAFIK_TAKTIK_IM_SPIEL,
     .flags = MENUE_F_BEIDE_TASTEN,
     .x = TAKTIK_IM_SPIEL_X,
     .y = TAKTIK_IM_SPIEL_Y,
     .status = MENUE_S_TRANSPARENT,
     .klick = Taktik_Im_Spiel_Screen_Fenster_Klick,
     .zeichnen = Taktik_Im_Spiel_Screen_Zeichnen,
     .ebene = 23,
     .w = TAKTIK_IM_SPIEL_B,
     .h = TAKTIK_IM_SPIEL_H,
     .hilfe_prozedur = Taktik_Im_Spiel_Screen_Hilfetext},
});
constexpr auto SCHALTER_REIHE = Kit_Zeilen<2>(SCHALTER, {.dy = 19, .erster_index = SCHALTER_1});
// A value's two step buttons, minus and plus, one form.
constexpr Screen_Icon STEPPER{.flags = MENUE_F_BEIDE_TASTEN,
                              .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
                              .klick = Taktik_Im_Spiel_Screen_Knopf_Klick,
                              .ebene = 24,
                              .w = 16,
                              .h = 16,
                              .hilfe_prozedur = Taktik_Im_Spiel_Screen_Hilfetext};
constexpr auto ERSTE_STEPPER = Kit_Zeilen_Eigen(
    STEPPER, {{.nummer = ICON_TAKTIK_IM_SPIEL_MINUS, .grafik = GRAFIK_TAKTIK_IM_SPIEL_MINUS,
               .gedrueckt = GRAFIK_TAKTIK_IM_SPIEL_MINUS + 1, .x = TAKTIK_IM_SPIEL_X + 38, .y = TAKTIK_IM_SPIEL_Y + 38,
               .klick = Taktik_Im_Spiel_Screen_Knopf_Klick},
              {.nummer = ICON_TAKTIK_IM_SPIEL_MINUS + 1, .grafik = GRAFIK_TAKTIK_IM_SPIEL_PLUS,
               .gedrueckt = GRAFIK_TAKTIK_IM_SPIEL_PLUS + 1, .x = TAKTIK_IM_SPIEL_X + 56, .y = TAKTIK_IM_SPIEL_Y + 38,
               .klick = Taktik_Im_Spiel_Screen_Knopf_Klick}});
constexpr auto MINUS = Kit_Zeilen<TAKTIK_IM_SPIEL_WERTE>(ERSTE_STEPPER[0], STEPPER_MINUS);
constexpr auto PLUS = Kit_Zeilen<TAKTIK_IM_SPIEL_WERTE>(ERSTE_STEPPER[1], STEPPER_PLUS);
constexpr auto TABELLE = Icon_Tabelle_Aus<Icon_Besitzer::IM_SPIEL_TAKTIK>(FENSTER, SCHALTER_REIHE, MINUS, PLUS);

void klicken(u32 wort) {
    int s = -1;
    Spielfeld_Daten* sf = spielfeld(&s);
    if (!sf) return;
    if (!Screen_Drossel_Frei(&Z.drossel, TAKTIK_IM_SPIEL_DROSSEL_MS)) return;
    sf->seite[s].wechsel_aenderung = 0;
    const i8* b = bytes_von(sf, s);
    if (wort == SCHALTER_1) {
        Spielfeld_Set_Taktikwert(sf, s, TW_SCHALTER1, 1 - (b[TW_SCHALTER1] != 0));
    } else if (wort == SCHALTER_2) {
        Spielfeld_Set_Taktikwert(sf, s, TW_SCHALTER2, (1 - b[TW_SCHALTER2] / 100) * 100);
    } else {
        const i32 w = static_cast<i32>(wort - ERSTER_KNOPF) / 2;
        const bool plus = (wort - ERSTER_KNOPF) % 2 == 1;
        if (w < 0 || w >= TAKTIK_IM_SPIEL_WERTE) return;
        const int index = WERT_INDEX[w];
        Spielfeld_Set_Taktikwert(sf, s, index, std::clamp(b[index] + (plus ? 5 : -5), 0, 100));
    }
    Taktik_Im_Spiel_Screen_Werte_Setzen();
}

}  // namespace

void Taktik_Im_Spiel_Screen_Init() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_TAKTIK_IM_SPIEL_SCHALTER1)) {
        Taktik_Im_Spiel_Screen_Schliessen();
        return;
    }
    int s = -1;
    if (!spielfeld(&s)) {
        // No club of a manager here in the shown match: ask the line-up
        // screen to choose one.
        if (Spielfeld_Daten* sf = E_Im_Spiel_Screen_Spielfeld())
            E_Im_Spiel_Screen_Team(static_cast<i32>(sf->team[0]));
        if (!spielfeld(&s)) return;
    }
    Menue_Screen_Icon_Tabelle_Hinzufuegen(TABELLE.daten());
    Z.ziehen = false;
    Z.drossel = Screen_Drossel{};
    Menue_Icon_Zustand_Setzen(ICON_LEISTE_TAKTIK, 1);
    Taktik_Im_Spiel_Screen_Werte_Setzen();
}

void Taktik_Im_Spiel_Screen_Schliessen() {
    Menue_Screen_Icon_Tabelle_Loeschen(TABELLE.daten());
    Z.ziehen = false;
    Menue_Icon_Zustand_Setzen(ICON_LEISTE_TAKTIK, 0);
    Blt_Cache_Leeren();
}

bool Taktik_Im_Spiel_Screen_Ist_Offen() {
    const bool offen = Menue_Screen_Icon_Ist_Vorhanden(ICON_TAKTIK_IM_SPIEL_FENSTER);
    if (offen) Z.gesehen = true;
    return offen;
}

void Taktik_Im_Spiel_Screen_Werte_Setzen() {
    int s = -1;
    const Spielfeld_Daten* sf = spielfeld(&s);
    Screen_Icon* f = Kit_Icon(ICON_TAKTIK_IM_SPIEL_FENSTER);
    if (!sf || !f) return;
    const i32 mx = static_cast<i32>(Manager_Icon_Button_Lesen(Team_Aktiv, ICON_TAKTIK_IM_SPIEL_FENSTER));
    const i32 my = static_cast<i32>(Manager_Icon_Word_Data_Lesen(Team_Aktiv, ICON_TAKTIK_IM_SPIEL_FENSTER));
    i32 x = TAKTIK_IM_SPIEL_X, y = TAKTIK_IM_SPIEL_Y;
    if (mx != 0 && my != 0) x = mx, y = my;
    halten(&x, &y, 1006, 565);
    f->x = static_cast<i16>(x), f->y = static_cast<i16>(y);
    knoepfe_setzen(x, y);
    const i8* b = bytes_von(sf, s);
    Menue_Icon_Zustand_Setzen(ICON_TAKTIK_IM_SPIEL_SCHALTER1, b[TW_SCHALTER1] != 0);
    Menue_Icon_Zustand_Setzen(ICON_TAKTIK_IM_SPIEL_SCHALTER2, b[TW_SCHALTER2] / 100 != 0);
}

i32 Taktik_Im_Spiel_Screen_Wert(i32 i) {
    int s = -1;
    const Spielfeld_Daten* sf = spielfeld(&s);
    if (!sf || i < 0 || i >= TAKTIK_IM_SPIEL_WERTE) return -1;
    const i32 v = bytes_von(sf, s)[WERT_INDEX[i]];
    return i > 0 && !sf->netz ? v / 5 * 5 : v;
}

Screen_Def Taktik_Im_Spiel_Screen_Def() {
    return {.name = "Taktik im Spiel", .icons = Icon_Besitzer::IM_SPIEL_TAKTIK, .oeffnen = Taktik_Im_Spiel_Screen_Init,
            .schliessen = Taktik_Im_Spiel_Screen_Schliessen};
}

void Taktik_Im_Spiel_Screen_Fenster_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & MENUE_E_RECHTS) Taktik_Im_Spiel_Screen_Schliessen();
}

void Taktik_Im_Spiel_Screen_Knopf_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i) return;
    if (ereignis & MENUE_E_RECHTS) return Taktik_Im_Spiel_Screen_Schliessen();
    if (ereignis & MENUE_E_LINKS) klicken(i->user[0]);
}

void Taktik_Im_Spiel_Screen_Zeichnen(Screen_Icon* i, Rastport* ziel, i32, i32) {
    int s = -1;
    const Spielfeld_Daten* sf = spielfeld(&s);
    if (!i || !ziel) return;
    if (!sf) {
        // The match is over: the window goes.
        Taktik_Im_Spiel_Screen_Schliessen();
        return;
    }
    // Dragging starts at a press on the window itself (the buttons lie over it).
    const u32 tasten = W32_Get_Mouse_Buttons();
    const bool links = (tasten & (MAUS_LINKS | MAUS_RECHTS)) == MAUS_LINKS;
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    auto innen = [&](const Screen_Icon* k) { return k && mx >= k->x && mx < k->x + k->w && my >= k->y && my < k->y + k->h; };
    bool auf_knopf = false;
    for (i32 n = ICON_TAKTIK_IM_SPIEL_SCHALTER1; n < ICON_TAKTIK_IM_SPIEL_MINUS + 2 * TAKTIK_IM_SPIEL_WERTE; ++n)
        auf_knopf = auf_knopf || innen(Kit_Icon(n));
    if (links && !Z.taste_vorher && !Z.ziehen && innen(i) && !auf_knopf) {
        Z.ziehen = true, Z.griff_x = mx - i->x, Z.griff_y = my - i->y;
    }
    Z.taste_vorher = (tasten & MAUS_LINKS) != 0;
    if (Z.ziehen && !(tasten & MAUS_LINKS)) Z.ziehen = false;
    if (Z.ziehen) {
        i32 x = mx - Z.griff_x, y = my - Z.griff_y;
        halten(&x, &y, 1006 - TAKTIK_IM_SPIEL_B, 565 - TAKTIK_IM_SPIEL_H);
        i->x = static_cast<i16>(x), i->y = static_cast<i16>(y);
        knoepfe_setzen(x, y);
        Manager_Icon_Button_An_Aus(Team_Aktiv, ICON_TAKTIK_IM_SPIEL_FENSTER, static_cast<u32>(x));
        Manager_Icon_Word_Data_Schreiben(Team_Aktiv, ICON_TAKTIK_IM_SPIEL_FENSTER, static_cast<u32>(y));
    }
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    Rastport* rahmen = Kit_Bild(GRAFIK_TAKTIK_IM_SPIEL_BALKEN);
    Rastport* fuellung = Kit_Bild(GRAFIK_TAKTIK_IM_SPIEL_BALKEN + 1);
    for (i32 w = 0; w < TAKTIK_IM_SPIEL_WERTE; ++w) {
        const i32 v = Taktik_Im_Spiel_Screen_Wert(w);
        const i32 by = i->y + 19 * w + 39;
        if (rahmen) Blt_Blit(rahmen, 0, 0, -1, -1, ziel, i->x + 2, by, Blt_Opt_Transparent);
        if (fuellung && v > 0) Blt_Blit(fuellung, 0, 0, std::min(v / 3, BALKEN_MAX), -1, ziel, i->x + 3, by + 1, Blt_Opt_Transparent);
        if (f) {
            // The value at the window's right edge, clear of its bar and buttons.
            Kit_Printf_Stelle(ziel, f, FARBE_WEISS, i->x, i->y + 19 * w + 52, Kit_Schein::SCHLICHT,
                              {Kit_Ausrichtung::RECHTS, TAKTIK_IM_SPIEL_B - 12}, "%d", v);
            Kit_Printf(ziel, f, FARBE_KREIDE_2, i->x + 80, i->y + 19 * w + 52, "%s", text(T_WERT + w));
        }
    }
}

void Taktik_Im_Spiel_Screen_Schalter_Zeichnen(Screen_Icon* i, Rastport* ziel, i32, i32) {
    if (!i || !ziel) return;
    const bool ein = Menue_Icon_Zustand(i->nummer) != 0;
    const i32 t =
        i->user[0] == SCHALTER_1 ? (ein ? T_SCHALTER1_AN : T_SCHALTER1_AUS) : (ein ? T_SCHALTER2_AN : T_SCHALTER2_AUS);
    if (Font* f = Kit_Font(Kit_Schrift::TEXT))
        Kit_Printf(ziel, f, ein ? FARBE_GOLD : FARBE_WEISS, i->x + 24, i->y + 13, "%s", text(t));
}

const char* Taktik_Im_Spiel_Screen_Hilfetext(Screen_Icon* i) {
    if (!i || i->klick == Taktik_Im_Spiel_Screen_Fenster_Klick) return nullptr;
    return text(T_HILFE + static_cast<i32>(i->user[0]));
}

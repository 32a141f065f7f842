#include "screens/squad/attribut_popup.h"

#include <algorithm>

#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "platform/input.h"
#include "screens/squad/kader.h"
#include "screens/teile/attribut_zeile.h"
#include "screens/teile/drossel.h"
#include "screens/teile/griff.h"
#include "screens/teile/namen.h"
#include "screens/teile/schritt.h"
#include "world/modi.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/global.h"
#include "world/welt.h"

namespace {

constexpr u32 BLAETTERN_MS = 250;
constexpr i32 OBEN = 84, UNTEN = 565;  // the work area the popup stays in

// Texts of the training sheet's section the popup uses.
enum : i32 { T_KEINE = 19, T_FREI = 20, T_MEHRERE = 21, T_EINE = 22, T_NOCH = 23, T_ALLE = 24 };

struct Popup {
    i32 spieler = -1, team = -1, slot = 0;
    i32 gelernt = 0, negativ = 0;  // rows: the learned first, then the negative
    i32 attribut[POPUP_ZEILEN];    // the row's attribute
    i32 x = 0, y = 0;              // the frame's place
    Screen_Griff griff;
    bool gesperrt = false;  // the squad screen's pitch shirts are locked
    Screen_Drossel drossel;
};
Popup pop;

const char* text(i32 n) { return Text_cfg_Text(TEXT_SPIELER_TRAINING, n); }
i32 zeilen() { return pop.gelernt + pop.negativ; }
bool eigen() { return pop.team >= 0 && pop.team == Team_Aktiv; }
// The popup's full height: header, rows, the rounded bottom.
i32 hoehe() { return POPUP_KOPF + POPUP_ZEILE_H * std::max(zeilen(), 1) + 4; }

// A row's user words: 0 its attribute, 1 its row; the row that says "none"
// for a player without attributes.
constexpr i32 LEER_ZEILE = ICON_POPUP_LEER - ICON_POPUP_ZEILE;
// A button's user word 0: 1 for the forward arrow.
constexpr Kit_Bildknopf_Def PFEIL{.w = 18, .h = 18, .ebene = 18, .flags = MENUE_F_BEIDE_TASTEN};

constexpr auto TABELLE = Icon_Tabelle_Aus<Icon_Besitzer::ATTRIBUT_POPUP>(
    Icon_Liste({
        Kit_Panel_Icon({.nummer = ICON_POPUP_RAHMEN,
                        .grafik = GRAFIK_POPUP_RAHMEN,
                        .w = POPUP_BREITE,
                        .h = POPUP_KOPF,
                        .ebene = 15,
                        .klick = Attribut_Popup_Rahmen_Klick,
                        .zeichnen = Attribut_Popup_Zeichnen,
                        .flags = MENUE_F_BEIDE_TASTEN}),
    }),
    Kit_Zeilen<POPUP_ZEILEN>({.nummer = ICON_POPUP_ZEILE,
                              .grafik = GRAFIK_POPUP_ZEILE,
                              .grafik_an = GRAFIK_POPUP_ZEILE_AN,
                              .flags = MENUE_F_HOVER | MENUE_F_BEIDE_TASTEN,
                              .status = MENUE_S_TRANSPARENT | MENUE_S_VERSTECKT,
                              .klick = Attribut_Popup_Zeile_Klick,
                              .zeichnen = Attribut_Popup_Zeichnen,
                              .ebene = 16,
                              .user = {static_cast<u32>(-1), 0}},
                             {.index_wort = 1}),
    Icon_Liste({
        Kit_Bildknopf(PFEIL, {.nummer = ICON_POPUP_SCHLIESSEN,
                              .grafik = GRAFIK_POPUP_SCHLIESSEN,
                              .gedrueckt = GRAFIK_POPUP_SCHLIESSEN_GEDRUECKT,
                              .klick = Attribut_Popup_Schliessen_Klick}),
        Kit_Bildknopf(PFEIL, {.nummer = ICON_POPUP_ZURUECK,
                              .grafik = GRAFIK_POPUP_ZURUECK,
                              .gedrueckt = GRAFIK_POPUP_ZURUECK_GEDRUECKT,
                              .klick = Attribut_Popup_Blaettern_Klick}),
        Kit_Bildknopf(PFEIL, {.nummer = ICON_POPUP_VOR,
                              .grafik = GRAFIK_POPUP_VOR,
                              .gedrueckt = GRAFIK_POPUP_VOR_GEDRUECKT,
                              .klick = Attribut_Popup_Blaettern_Klick,
                              .wort = {1, 0}}),
    }));

void lesen() {
    std::fill(pop.attribut, pop.attribut + POPUP_ZEILEN, -1);
    pop.gelernt = pop.negativ = 0;
    if (pop.spieler < 0 || pop.spieler >= Spieler_Anzahl) return;
    pop.slot = Spieler_Wert(SPIELER_WERT_SLOT, pop.spieler, 0, OP_LESEN);
    i32 liste[18];
    const int g = std::clamp(Attribute_Get_Attribute(pop.spieler, liste, 18, 1), 0, 18);
    for (int i = 0; i < g && liste[i] >= 0; ++i) pop.attribut[pop.gelernt++] = liste[i];
    i32 neg[3];
    const int k = std::clamp(Attribute_Get_Attribute(pop.spieler, neg, 3, 2), 0, 3);
    for (int i = 0; i < k && neg[i] >= 0; ++i) pop.attribut[pop.gelernt + pop.negativ++] = neg[i];
}

// Every icon to the frame at (x, y), held inside the work area.
void platzieren(i32 x, i32 y) {
    pop.x = std::clamp(x, 1, 799 - POPUP_BREITE);
    pop.y = std::clamp(y, OBEN, UNTEN - hoehe());
    const i32 n = zeilen();
    if (Screen_Icon* r = Kit_Icon(ICON_POPUP_RAHMEN)) r->x = static_cast<i16>(pop.x), r->y = static_cast<i16>(pop.y);
    for (i32 k = 0; k < POPUP_ZEILEN; ++k) {
        Screen_Icon* z = Kit_Icon(ICON_POPUP_ZEILE + k);
        if (!z) continue;
        const bool leer = n == 0 && k == LEER_ZEILE;
        if (k >= n && !leer) {
            z->status |= MENUE_S_VERSTECKT;
            continue;
        }
        const bool letzte = leer || k == n - 1;
        const bool gelernt = !leer && k < pop.gelernt;
        z->status = (z->status & ~(MENUE_S_VERSTECKT | MENUE_S_AN)) | MENUE_S_TRANSPARENT | (gelernt ? MENUE_S_AN : 0u);
        z->x = static_cast<i16>(pop.x);
        z->y = static_cast<i16>(pop.y + POPUP_KOPF + POPUP_ZEILE_H * (leer ? 0 : k));
        z->grafik = leer ? GRAFIK_POPUP_LEER : letzte ? GRAFIK_POPUP_LETZTE : GRAFIK_POPUP_ZEILE;
        z->grafik_an = gelernt ? (letzte ? GRAFIK_POPUP_LETZTE_AN : GRAFIK_POPUP_ZEILE_AN) : z->grafik;
        z->user[0] = static_cast<u32>(leer ? -1 : pop.attribut[k]);
        z->klick = gelernt ? Attribut_Popup_Zeile_Klick : nullptr;
        z->w = POPUP_BREITE;
        z->h = static_cast<i16>(letzte ? POPUP_ZEILE_H + 4 : POPUP_ZEILE_H);
    }
    auto setze = [](i32 n, i32 dx, i32 dy) {
        if (Screen_Icon* i = Kit_Icon(n)) i->x = static_cast<i16>(pop.x + dx), i->y = static_cast<i16>(pop.y + dy);
    };
    setze(ICON_POPUP_SCHLIESSEN, 225, 6);
    setze(ICON_POPUP_ZURUECK, 181, 6);
    setze(ICON_POPUP_VOR, 203, 6);
}

// The squad screen's pitch shirts lie under the popup: locked while it is there.
void sperren_pruefen() {
    const bool sperren = Attribut_Popup_Deckt_Feld(pop.x, pop.y);
    if (sperren == pop.gesperrt) return;
    pop.gesperrt = sperren;
    E1_Screen_Feld_Sperren(sperren);
}

void ziehen_pruefen() {
    i32 x, y;
    if (Screen_Griff_Schritt(&pop.griff, pop.x, pop.y, 178, POPUP_KOPF, &x, &y)) {
        platzieren(x, y);
        Blt_Cache_Leeren();
    }
}

void kopf_zeichnen(Rastport* ziel, i32 x, i32 y) {
    Font* k = Kit_Font(Kit_Schrift::KLEIN);
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    if (!k || !f) return;
    const i32 n = zeilen();
    if (n > 0) {
        i32 aktiv[3];
        const int na = std::clamp(Attribute_Get_Attribute(pop.spieler, aktiv, 3, 0), 0, 3);
        i32 a = 0;
        for (int i = 0; i < na; ++i) a += aktiv[i] >= 0;
        const i32 m = std::min(n, 3);
        if (m - a == 1)
            Kit_Printf(ziel, k, FARBE_GOLD, x + 3, y + 36, " %s %d %s %s", text(T_NOCH), 1, text(T_EINE), text(T_FREI));
        else if (m - a > 1)
            Kit_Printf(ziel, k, FARBE_GOLD, x + 3, y + 36, " %s %d %s %s", text(T_NOCH), m - a, text(T_MEHRERE),
                       text(T_FREI));
        else Kit_Printf(ziel, k, FARBE_HELL, x + 3, y + 36, " %s", text(T_ALLE));
    }
    char name[96];
    Spieler_Name_Passend(pop.spieler, f, 130, name);
    // The name centred over the popup's head, the "none" line over its rows.
    Kit_Printf_Stelle(ziel, f, FARBE_WEISS, 0, y + 16, Kit_Schein::SCHLICHT, {Kit_Ausrichtung::MITTE, x + 115}, "%s",
                      name);
    const i32 klasse = std::clamp(Spieler_Wert(SPIELER_WERT_POSITION, pop.spieler, 0, OP_LESEN), 0, 3);
    static constexpr i32 KLASSE_BILD[4] = {3, 2, 0, 1};  // classes 0..3 -> 28320, 28319, 28317, 28318
    Kit_Bild_Zeichnen(ziel, GRAFIK_POPUP_KLASSE + KLASSE_BILD[klasse], x + 4, y + 5);
    Kit_Printf(ziel, f, FARBE_KLASSE[klasse], x + 26, y + 16, "%s", Positions_Text(klasse));
}

void zeile_zeichnen(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) {
    const i32 a = static_cast<i32>(i->user[0]);
    if (static_cast<i32>(i->user[1]) == LEER_ZEILE && zeilen() == 0) {
        if (Font* k = Kit_Font(Kit_Schrift::KLEIN))
            Kit_Printf_Stelle(ziel, k, FARBE_HELL, 0, y + 14, Kit_Schein::SCHLICHT, {Kit_Ausrichtung::MITTE, x + 123},
                              "%s", text(T_KEINE));
        return;
    }
    if (a < 0 || a >= ATTRIBUT_ANZAHL) return;
    const bool negativ = Attribute_Ist_Negativ(a);
    const Attribut_Marke m = negativ                                       ? Attribut_Marke::NEGATIV
                             : Attribute_Attribut_Aktief(pop.spieler, a) ? Attribut_Marke::AKTIV
                                                                          : Attribut_Marke::KEINE;
    Attribut_Zeile_Zeichnen(ziel, a, m, negativ || !eigen(), x, y);
}

void zeigen(i32 spieler, i32 team) {
    pop.spieler = spieler;
    pop.team = team;
    lesen();
}

}  // namespace

bool Attribut_Popup_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_POPUP_RAHMEN); }
i32 Attribut_Popup_Spieler() { return Attribut_Popup_Offen() ? pop.spieler : -1; }
void Attribut_Popup_Position(i32* x, i32* y) {
    if (x) *x = pop.x;
    if (y) *y = pop.y;
}

Screen_Def Attribut_Popup_Def() {
    return {.name = "Attribute",
            .icons = Icon_Besitzer::ATTRIBUT_POPUP,
            .rahmen = ICON_POPUP_RAHMEN,
            .schliessen = [] { Attribut_Popup_Schliessen(); },
            .oeffnen_fuer =
                [](const Screen_Anlass& a) {
                    if (Attribut_Popup_Offen()) Attribut_Popup_Spieler_Zeigen(a.spieler, a.team);
                    else Attribut_Popup_Oeffnen(a.spieler, a.x, a.y, a.team);
                }};
}

void Attribut_Popup_Oeffnen(i32 spieler, i32 x, i32 y, i32 team) {
    if (Attribut_Popup_Offen() || spieler < 0 || spieler >= Spieler_Anzahl) return;
    if (Global_Attribut_Wahl_Flag && Screen_Holen(Screen_Id::ATTRIBUT_WAHL)) {
        Screen_Oeffnen_Fuer(Screen_Id::ATTRIBUT_WAHL, {.spieler = spieler, .team = team, .x = x, .y = y});
        return;
    }
    Menue_Screen_Icon_Tabelle_Hinzufuegen(TABELLE.daten());
    Screen_Griff_Lassen(&pop.griff);
    pop.drossel = {};
    pop.gesperrt = false;
    zeigen(spieler, team);
    Attribut_Popup_Layout(x, y, true);
    Blt_Cache_Leeren();
}

void Attribut_Popup_Layout(i32 x, i32 y, bool oeffnen) {
    if (!oeffnen) {
        platzieren(x, y);
        return;
    }
    // Beside the mouse: a little up and left, above it in the lower half, and
    // inside the screen.
    const i32 mx = x;
    x -= 10, y -= 10;
    if (y > 330) y -= POPUP_ZEILE_H * pop.gelernt;
    if (mx + 236 > 799) x = 534;
    platzieren(x, y - 20);
}

void Attribut_Popup_Spieler_Zeigen(i32 spieler, i32 team) {
    if (!Attribut_Popup_Offen() || spieler < 0 || spieler >= Spieler_Anzahl) return;
    zeigen(spieler, team);
    platzieren(pop.x, pop.y);
    Blt_Cache_Leeren();
}

void Attribut_Popup_Aktualisieren() {
    if (!Attribut_Popup_Offen() || pop.spieler < 0 || pop.spieler >= Spieler_Anzahl) return;
    zeigen(pop.spieler, pop.team);
    platzieren(pop.x, pop.y);
    Blt_Cache_Leeren();
}

bool Attribut_Popup_Deckt_Feld(i32 x, i32 y) { return x < 187 && y < 370; }

bool Attribut_Popup_Schliessen() {
    if (!Attribut_Popup_Offen()) return false;
    Menue_Screen_Icon_Tabelle_Loeschen(TABELLE.daten());
    if (pop.gesperrt) E1_Screen_Feld_Sperren(false);
    pop.gesperrt = false;
    pop.griff.ziehen = false;
    pop.spieler = -1;
    E1_Screen_Auswahl_Zuruecksetzen();
    Blt_Cache_Leeren();
    return true;
}

bool Attribut_Popup_Waehlen(i32 a) {
    const i32 p = pop.spieler;
    if (!eigen() || p < 0 || a < 0 || a >= ATTRIBUT_ANZAHL || Attribute_Ist_Negativ(a)) return false;
    if (std::find(pop.attribut, pop.attribut + pop.gelernt, a) == pop.attribut + pop.gelernt) return false;
    if (Attribute_Attribut_Aktief(p, a)) return Attribut_Toggle_Aktive(p, a);
    // Room for 3 less the negative attributes; a full list drops its oldest.
    const i32 plaetze = 3 - std::clamp(pop.negativ, 0, 3);
    if (plaetze <= 0) return false;
    i32 liste[3];
    const int na = std::clamp(Attribute_Get_Attribute(p, liste, 3, 0), 0, 3);
    i32 belegt = 0, erstes = -1;
    for (int i = 0; i < na; ++i)
        if (liste[i] >= 0 && !Attribute_Ist_Negativ(liste[i])) {
            if (erstes < 0) erstes = liste[i];
            ++belegt;
        }
    const bool tauschen = belegt >= plaetze && erstes >= 0;
    if (tauschen && !Attribut_Toggle_Aktive(p, erstes)) return false;
    if (Attribut_Toggle_Aktive(p, a)) return true;
    if (tauschen) Attribut_Toggle_Aktive(p, erstes);  // refused: the first one comes back
    return false;
}

// --- Procedures -----------------------------------------------------------------------

void Attribut_Popup_Zeichnen(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) {
    if (!ziel || pop.spieler < 0) return;
    if (i->klick == Attribut_Popup_Rahmen_Klick) {
        ziehen_pruefen();
        sperren_pruefen();
        kopf_zeichnen(ziel, pop.x, pop.y);
        return;
    }
    zeile_zeichnen(i, ziel, x, y);  // the frame and the rows are the icons this procedure draws
}

void Attribut_Popup_Rahmen_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & MENUE_E_RECHTS) Attribut_Popup_Schliessen();
}

void Attribut_Popup_Schliessen_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS)) Attribut_Popup_Schliessen();
}

void Attribut_Popup_Zeile_Klick(Screen_Icon* i, u32 ereignis) {
    if (ereignis & MENUE_E_RECHTS) {
        Attribut_Popup_Schliessen();
        return;
    }
    if (ereignis & MENUE_E_HOVER_REIN) Menue_Icon_Zustand_Setzen(i->nummer, eigen() ? 1 : 0);
    if (ereignis & MENUE_E_HOVER_RAUS) Menue_Icon_Zustand_Setzen(i->nummer, 0);
    if (!(ereignis & MENUE_E_LINKS)) return;
    if (Attribut_Popup_Waehlen(static_cast<i32>(i->user[0]))) Blt_Cache_Leeren();
}

void Attribut_Popup_Blaettern_Klick(Screen_Icon* i, u32 ereignis) {
    if (ereignis & MENUE_E_RECHTS) {
        Attribut_Popup_Schliessen();
        return;
    }
    if (!(ereignis & MENUE_E_LINKS) || !Screen_Drossel_Frei(&pop.drossel, BLAETTERN_MS)) return;
    const bool vor = i->user[0] == 1;
    const bool e = eigen();
    const i32 richtung = e ? (vor ? 1 : -1) : (vor ? -1 : 1);
    i32 liste[KADER_SLOTS];
    const i32 n = pop.team >= 0 ? Teamspieler_Ins_Array(pop.team, liste, KADER_SLOTS, 0) : 0;
    i32 slot = pop.slot;
    for (i32 schritt = 0; schritt < KADER_SLOTS && n > 0; ++schritt) {
        slot = Slot_Schritt(slot, richtung, e);
        i32 q = -1;
        for (i32 k = 0; k < n; ++k)
            if (Spieler_Wert(SPIELER_WERT_SLOT, liste[k], 0, OP_LESEN) == slot) q = liste[k];
        if (q >= 0) {
            Attribut_Popup_Spieler_Zeigen(q, pop.team);
            return;
        }
    }
}

#include "screens/editor/attribut_edit.h"

#include <algorithm>
#include <utility>
#include <vector>

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
#include "screens/editor/editor.h"
#include "screens/squad/attribut_popup.h"
#include "screens/squad/kader.h"
#include "screens/teile/attribut_zeile.h"
#include "screens/teile/drossel.h"
#include "screens/teile/griff.h"
#include "screens/teile/namen.h"
#include "screens/teile/schritt.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/global.h"
#include "world/modi.h"
#include "world/welt.h"

namespace {

constexpr u32 BLAETTERN_MS = 200;
constexpr i32 BREITE = 246, KOPF = 42, ZEILE_H = 18, ABSTAND = 18;
constexpr i32 T_FAEHIGKEITEN = 46;      // EDITOR_SCREEN
constexpr i32 T_KEINE = 19;             // SPIELER_TRAINING_SCREEN
constexpr i32 SPALTE_ZEILEN = 23;       // rows of the edit screen's first column
constexpr i32 WAHL_SPALTE_ZEILEN = 22;  // of the choice screen's

void setze(i32 n, i32 x, i32 y) {
    if (Screen_Icon* i = Kit_Icon(n)) i->x = static_cast<i16>(x), i->y = static_cast<i16>(y);
}
i32 klasse(i32 p) { return std::clamp(Spieler_Wert(SPIELER_WERT_POSITION, p, 0, OP_LESEN), 0, 3); }
bool gelernt(i32 p, i32 a) { return Attribute_Attribut_Hat_Maximum(p, a); }
i32 gelernt_anzahl(i32 p) {
    i32 l[ATTRIBUT_ANZAHL];
    return std::max(0, Attribute_Get_Attribute(p, l, ATTRIBUT_ANZAHL, 1));
}

// The player's title: class picture, position and name.
void kopf(Rastport* ziel, i32 p, i32 x, i32 y) {
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    const i32 k = klasse(p);
    static constexpr i32 KLASSE_BILD[4] = {3, 2, 0, 1};
    Kit_Bild_Zeichnen(ziel, GRAFIK_POPUP_KLASSE + KLASSE_BILD[k], x + 4, y + 5);
    Kit_Printf(ziel, f, FARBE_KLASSE[k], x + 26, y + 16, "%s", Positions_Text(k));
    char name[96];
    Spieler_Name_Passend(p, f, 110, name);
    Kit_Printf(ziel, f, FARBE_WEISS, x + 68, y + 16, "%s", name);
}

// A row in state 0 none, 1 learned, 2 blocked (blocked rows faded).
void zeile_malen(Rastport* ziel, i32 a, i32 zustand, i32 x, i32 y, bool grau) {
    const Attribut_Marke m = zustand == 1 ? Attribut_Marke::AKTIV
                             : zustand == 2 ? Attribut_Marke::GESPERRT
                                            : Attribut_Marke::KEINE;
    Attribut_Zeile_Zeichnen(ziel, a, m, zustand == 2 || grau, x, y);
}

// --- Attribute edit ---------------------------------------------------------------------

struct Edit {
    i32 spieler = -1, team = -1, slot = 0;
    bool markt = false;
    i32 index = 0;  // in the editor's market list
    i32 x = 150, y = 60;
    i32 zeilen = 0;
    Screen_Drossel drossel;
};
Edit ed;

// The user word 0 of the frames, the closing row and the forward arrows (an
// attribute row keeps its row there, below these, and its attribute in word 1).
constexpr u32 WORT_RAHMEN = 0x1000, WORT_ENDE = 0x1001, WORT_VOR = 0x1002;
constexpr Kit_Bildknopf_Def PFEIL{
    .w = 18, .h = 18, .ebene = 21, .hilfe_text = "Abbruch", .flags = MENUE_F_BEIDE_TASTEN};

constexpr auto EDIT = Icon_Tabelle_Aus<Icon_Besitzer::ATTRIBUT_EDIT>(
    Icon_Liste({
        {.nummer = ICON_AEDIT_RAHMEN,
         .grafik = GRAFIK_POPUP_RAHMEN,
         .flags = MENUE_F_BEIDE_TASTEN,
         .status = MENUE_S_TRANSPARENT,
         .zeichnen = Attribut_Edit_Zeichnen,
         .ebene = 18,
         .w = BREITE,
         .h = KOPF,
         .user = {WORT_RAHMEN}},
    }),
    Kit_Zeilen<AEDIT_ZEILEN>({.nummer = ICON_AEDIT_ZEILE,
                              .grafik = GRAFIK_POPUP_ZEILE,
                              .grafik_an = GRAFIK_POPUP_ZEILE_AN,
                              .flags = MENUE_F_HOVER | MENUE_F_BEIDE_TASTEN,
                              .status = MENUE_S_TRANSPARENT | MENUE_S_VERSTECKT,
                              .klick = Attribut_Edit_Zeile_Klick,
                              .zeichnen = Attribut_Edit_Zeichnen,
                              .ebene = 19,
                              .w = BREITE,
                              .h = ZEILE_H},
                             {}),
    Icon_Liste({
        Kit_Bildknopf(PFEIL, {.nummer = ICON_AEDIT_SCHLIESSEN,
                              .grafik = GRAFIK_POPUP_SCHLIESSEN,
                              .gedrueckt = GRAFIK_POPUP_SCHLIESSEN_GEDRUECKT,
                              .klick = Attribut_Edit_Schliessen_Klick}),
        Kit_Bildknopf(PFEIL, {.nummer = ICON_AEDIT_ZURUECK,
                              .grafik = GRAFIK_POPUP_ZURUECK,
                              .gedrueckt = GRAFIK_POPUP_ZURUECK_GEDRUECKT,
                              .klick = Attribut_Edit_Blaettern_Klick}),
        Kit_Bildknopf(PFEIL, {.nummer = ICON_AEDIT_VOR,
                              .grafik = GRAFIK_POPUP_VOR,
                              .gedrueckt = GRAFIK_POPUP_VOR_GEDRUECKT,
                              .klick = Attribut_Edit_Blaettern_Klick,
                              .wort = {WORT_VOR, 0}}),
    }));

i32 edit_attribut(i32 p, i32 zeile) { return klasse(p) == 0 ? 40 + zeile : zeile; }

// Dependants whose prerequisites are gone are removed, down the whole chain.
void abhaengige_entfernen(i32 p) {
    for (bool weiter = true; weiter;) {
        weiter = false;
        for (i32 a = 0; a < 40; ++a)
            if (Spieler_Wert(a, p, 0, OP_LESEN) > 0 && !Attribute_Voraussetzung_Erfuellt(p, a)) {
                Attribut_Spieler_Setze_Wert_Screen(p, a, 3);
                weiter = true;
            }
    }
}

void fehlende_sammeln(i32 p, i32 a, std::vector<i32>& aus, i32 tiefe) {
    if (tiefe > ATTRIBUT_ANZAHL) return;
    i32 v[3];
    const i32 n = Attribute_Get_Voraussetzungen(a, v);
    for (i32 i = 0; i < n; ++i) {
        if (gelernt(p, v[i]) || std::find(aus.begin(), aus.end(), v[i]) != aus.end()) continue;
        fehlende_sammeln(p, v[i], aus, tiefe + 1);  // deeper ones first
        if (std::find(aus.begin(), aus.end(), v[i]) == aus.end()) aus.push_back(v[i]);
    }
}

void edit_spieler_aus_slot() {
    i32 liste[EDITOR_ZEILEN];
    const i32 n = ed.team >= 0 ? Teamspieler_Ins_Array(ed.team, liste, EDITOR_ZEILEN, 0) : 0;
    for (i32 k = 0; k < n; ++k)
        if (Spieler_Wert(SPIELER_WERT_SLOT, liste[k], 0, OP_LESEN) == ed.slot) ed.spieler = liste[k];
}

}  // namespace

Screen_Def Attribut_Edit_Screen_Def() {
    return {.name = "Fähigkeiten bearbeiten",
            .icons = Icon_Besitzer::ATTRIBUT_EDIT,
            .rahmen = ICON_AEDIT_RAHMEN,
            .schliessen = [] { Attribut_Edit_Schliessen(); },
            .oeffnen_fuer = [](const Screen_Anlass& a) { Attribut_Edit_Screen_Init(a.spieler, a.x, a.y, a.team); }};
}

i32 Attribut_Edit_Spieler() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_AEDIT_RAHMEN) ? ed.spieler : -1; }
i32 Attribut_Edit_Zeilen() { return ed.zeilen; }
i32 Attribut_Edit_Attribut(i32 zeile) {
    return ed.spieler >= 0 && zeile >= 0 && zeile < ed.zeilen ? edit_attribut(ed.spieler, zeile) : -1;
}

i32 Attribut_Edit_Zustand(i32 p, i32 a) {
    if (Attribute_Attribut_Gesperrt(p, a)) return 2;
    return gelernt(p, a) ? 1 : 0;
}

i32 Attribut_Edit_Fehlende(i32 p, i32 a, i32* aus, i32 n) {
    std::vector<i32> v;
    fehlende_sammeln(p, a, v, 0);
    const i32 m = std::min(static_cast<i32>(v.size()), n);
    for (i32 i = 0; i < m; ++i) aus[i] = v[static_cast<size_t>(i)];
    return static_cast<i32>(v.size());
}

i32 Attribut_Edit_Schalten(i32 p, i32 a) {
    if (p < 0 || p >= Spieler_Anzahl || a < 0 || a >= ATTRIBUT_ANZAHL) return 0;
    const i32 alt = Attribut_Edit_Zustand(p, a);
    const i32 neu = alt == 2 ? 0 : alt + 1;
    if (neu == 0) {
        Attribut_Spieler_Setze_Wert_Screen(p, a, 3);
        abhaengige_entfernen(p);
        return Attribut_Edit_Zustand(p, a);
    }
    if (neu == 2) {
        Attribut_Spieler_Setze_Wert_Screen(p, a, 2);
        abhaengige_entfernen(p);
        return 2;
    }
    if (Attribute_Ist_Negativ(a)) {
        if (!Attribut_Spieler_Setze_Wert_Screen(p, a, 0)) Attribut_Spieler_Setze_Wert_Screen(p, a, 2);
        return Attribut_Edit_Zustand(p, a);
    }
    std::vector<i32> fehlend;
    fehlende_sammeln(p, a, fehlend, 0);
    bool ok = gelernt_anzahl(p) + static_cast<i32>(fehlend.size()) + 1 <= AEDIT_MAX_GELERNT;
    for (size_t i = 0; ok && i < fehlend.size(); ++i) ok = Attribut_Spieler_Setze_Wert_Screen(p, fehlend[i], 0);
    if (ok) ok = Attribut_Spieler_Setze_Wert_Screen(p, a, 0);
    if (!ok) {
        Attribut_Spieler_Setze_Wert_Screen(p, a, 2);
        abhaengige_entfernen(p);
    }
    return Attribut_Edit_Zustand(p, a);
}

void Attribut_Edit_Screen_Init(i32 spieler, i32 x, i32 y, i32 team) {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_AEDIT_RAHMEN) || spieler < 0 || spieler >= Spieler_Anzahl) return;
    Menue_Screen_Icon_Tabelle_Hinzufuegen(EDIT.daten());
    Menue_Set_Rechtsklick_Icon(ICON_AEDIT_ZEILE);
    ed = Edit{};
    ed.spieler = spieler;
    ed.team = team;
    ed.slot = Spieler_Wert(SPIELER_WERT_SLOT, spieler, 0, OP_LESEN);
    ed.x = std::clamp(x + 120, 0, 800 - 2 * BREITE - 4);
    ed.y = std::clamp(y - 40, 0, 100);
    ed.markt = team == Team_Transfermarkt;
    if (ed.markt) {
        // Found among the whole list.
        const std::vector<i32>& l = Editor_Get_Zustand().spieler;
        const auto it = std::find(l.begin(), l.end(), spieler);
        ed.index = it == l.end() ? 0 : static_cast<i32>(it - l.begin());
    }
    Attribut_Edit_Layout();
}

bool Attribut_Edit_Schliessen() {
    if (!Menue_Screen_Icon_Ist_Vorhanden(ICON_AEDIT_RAHMEN)) return false;
    Menue_Screen_Icon_Tabelle_Loeschen(EDIT.daten());
    Menue_Set_Rechtsklick_Icon(-1);
    ed.spieler = -1;
    ed.zeilen = 0;
    Blt_Cache_Leeren();
    return true;
}

void Attribut_Edit_Layout() {
    const i32 p = ed.spieler;
    if (p < 0) return;
    ed.zeilen = klasse(p) == 0 ? 13 : 47;
    setze(ICON_AEDIT_RAHMEN, ed.x, ed.y);
    for (i32 k = 0; k < AEDIT_ZEILEN; ++k) {
        Screen_Icon* z = Kit_Icon(ICON_AEDIT_ZEILE + k);
        if (!z) continue;
        if (k >= ed.zeilen) {
            z->status |= MENUE_S_VERSTECKT;
            continue;
        }
        const bool spalte2 = k >= SPALTE_ZEILEN;
        const i32 r = spalte2 ? k - SPALTE_ZEILEN : k;
        const bool letzte = k == ed.zeilen - 1 || k == SPALTE_ZEILEN - 1;
        z->status &= ~MENUE_S_VERSTECKT;
        z->x = static_cast<i16>(ed.x + (spalte2 ? BREITE + 4 : 0));
        z->y = static_cast<i16>(ed.y + KOPF + ABSTAND * r);
        z->grafik = letzte ? GRAFIK_POPUP_LETZTE : GRAFIK_POPUP_ZEILE;
        z->grafik_an = letzte ? GRAFIK_POPUP_LETZTE_AN : GRAFIK_POPUP_ZEILE_AN;
        z->h = static_cast<i16>(letzte ? ZEILE_H + 4 : ZEILE_H);
        z->user[1] = static_cast<u32>(edit_attribut(p, k));
    }
    setze(ICON_AEDIT_SCHLIESSEN, ed.x + 225, ed.y + 6);
    setze(ICON_AEDIT_ZURUECK, ed.x + 181, ed.y + 6);
    setze(ICON_AEDIT_VOR, ed.x + 203, ed.y + 6);
    Blt_Cache_Leeren();
}

void Attribut_Edit_Zeichnen(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) {
    if (!i || ed.spieler < 0) return;
    const i32 p = ed.spieler;
    if (i->user[0] == WORT_RAHMEN) {
        kopf(ziel, p, x, y);
        i32 l[ATTRIBUT_ANZAHL], neg[3];
        const i32 n = gelernt_anzahl(p) + std::max(0, Attribute_Get_Attribute(p, neg, 3, 2));
        (void)l;
        const i32 kx = ed.zeilen > SPALTE_ZEILEN ? x + BREITE + 4 : x;
        if (kx != x) Kit_Bild_Zeichnen(ziel, GRAFIK_POPUP_RAHMEN, kx, y);
        Kit_Printf(ziel, Kit_Font(Kit_Schrift::KLEIN), FARBE_GOLD, kx + (kx != x ? 10 : 4), y + (kx != x ? 24 : 36),
                   "%s %d", Text_cfg_Text(TEXT_EDITOR, T_FAEHIGKEITEN), n);
        return;
    }
    const i32 a = static_cast<i32>(i->user[1]);
    zeile_malen(ziel, a, Attribut_Edit_Zustand(p, a), x, y, false);
}

void Attribut_Edit_Zeile_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i) return;
    if (ereignis & MENUE_E_RECHTS) {
        Attribut_Edit_Schliessen();
        return;
    }
    if (ereignis & MENUE_E_HOVER_REIN) Menue_Icon_Zustand_Setzen(i->nummer, 1);
    if (ereignis & MENUE_E_HOVER_RAUS) Menue_Icon_Zustand_Setzen(i->nummer, 0);
    if (!(ereignis & MENUE_E_LINKS)) return;
    Attribut_Edit_Schalten(ed.spieler, static_cast<i32>(i->user[1]));
    Attribut_Edit_Layout();
}

void Attribut_Edit_Schliessen_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS)) Attribut_Edit_Schliessen();
}

void Attribut_Edit_Blaettern_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i) return;
    if (ereignis & MENUE_E_RECHTS) {
        Attribut_Edit_Schliessen();
        return;
    }
    if (!(ereignis & MENUE_E_LINKS) || !Screen_Drossel_Frei(&ed.drossel, BLAETTERN_MS)) return;
    const bool vor = i->user[0] == WORT_VOR;
    if (ed.markt) {
        const std::vector<i32>& l = Editor_Get_Zustand().spieler;
        const i32 n = static_cast<i32>(l.size());
        if (vor && ed.index < n - 1) ++ed.index;
        if (!vor && ed.index >= 1) --ed.index;
        if (ed.index >= 0 && ed.index < n) ed.spieler = l[static_cast<size_t>(ed.index)];
    } else {
        ed.slot = std::clamp(ed.slot + (vor ? 1 : -1), 0, EDITOR_ZEILEN - 1);
        edit_spieler_aus_slot();
    }
    Attribut_Edit_Layout();
}

// --- Attribute choice ---------------------------------------------------------------------

namespace {

struct Wahl {
    i32 spieler = -1, team = -1, slot = 0;
    i32 attribut[WAHL_ZEILEN] = {};
    i32 gelernt = 0, negativ = 0;
    i32 x = 0, y = 0;
    bool gesperrt = false;  // the squad screen's pitch shirts are locked
    Screen_Griff griff;
    Screen_Drossel drossel;
};
Wahl wa;

constexpr auto WAHL = Icon_Tabelle_Aus<Icon_Besitzer::ATTRIBUT_WAHL>(
    Icon_Liste({
        {.nummer = ICON_WAHL_RAHMEN,
         .grafik = GRAFIK_POPUP_RAHMEN,
         .flags = MENUE_F_BEIDE_TASTEN,
         .status = MENUE_S_TRANSPARENT,
         .klick = Attribut_Wahl_Rahmen_Klick,
         .zeichnen = Attribut_Wahl_Zeichnen,
         .ebene = 15,
         .w = BREITE,
         .h = KOPF,
         .user = {WORT_RAHMEN}},
    }),
    Kit_Zeilen<WAHL_ZEILEN>({.nummer = ICON_WAHL_ZEILE,
                             .grafik = GRAFIK_POPUP_ZEILE,
                             .grafik_an = GRAFIK_POPUP_ZEILE_AN,
                             .flags = MENUE_F_HOVER | MENUE_F_BEIDE_TASTEN,
                             .status = MENUE_S_TRANSPARENT | MENUE_S_VERSTECKT,
                             .klick = Attribut_Wahl_Zeile_Klick,
                             .zeichnen = Attribut_Wahl_Zeichnen,
                             .ebene = 16,
                             .w = BREITE,
                             .h = ZEILE_H},
                            {}),
    Icon_Liste({
        {.nummer = ICON_WAHL_ENDE,
         .grafik = GRAFIK_POPUP_LEER,
         .status = MENUE_S_TRANSPARENT | MENUE_S_VERSTECKT,
         .zeichnen = Attribut_Wahl_Zeichnen,
         .ebene = 16,
         .w = BREITE,
         .h = 22,
         .user = {WORT_ENDE}},
        Kit_Bildknopf(PFEIL, {.nummer = ICON_WAHL_SCHLIESSEN,
                              .grafik = GRAFIK_POPUP_SCHLIESSEN,
                              .gedrueckt = GRAFIK_POPUP_SCHLIESSEN_GEDRUECKT,
                              .klick = Attribut_Wahl_Schliessen_Klick}),
        Kit_Bildknopf(PFEIL, {.nummer = ICON_WAHL_ZURUECK,
                              .grafik = GRAFIK_POPUP_ZURUECK,
                              .gedrueckt = GRAFIK_POPUP_ZURUECK_GEDRUECKT,
                              .klick = Attribut_Wahl_Blaettern_Klick}),
        Kit_Bildknopf(PFEIL, {.nummer = ICON_WAHL_VOR,
                              .grafik = GRAFIK_POPUP_VOR,
                              .gedrueckt = GRAFIK_POPUP_VOR_GEDRUECKT,
                              .klick = Attribut_Wahl_Blaettern_Klick,
                              .wort = {WORT_VOR, 0}}),
    }));

void wahl_lesen() {
    std::fill(std::begin(wa.attribut), std::end(wa.attribut), -1);
    wa.gelernt = wa.negativ = 0;
    if (wa.spieler < 0 || wa.spieler >= Spieler_Anzahl) return;
    for (i32 a = 0; a < ATTRIBUT_ANZAHL && wa.gelernt < WAHL_ZEILEN; ++a)
        if (!Attribute_Ist_Negativ(a) && gelernt(wa.spieler, a)) wa.attribut[wa.gelernt++] = a;
    i32 neg[3];
    const i32 k = std::clamp(Attribute_Get_Attribute(wa.spieler, neg, 3, 2), 0, 3);
    for (i32 i = 0; i < k && neg[i] >= 0 && wa.gelernt + wa.negativ < WAHL_ZEILEN; ++i)
        wa.attribut[wa.gelernt + wa.negativ++] = neg[i];
}

void wahl_platzieren(i32 x, i32 y) {
    const i32 n = wa.gelernt + wa.negativ;
    const bool zwei = n > WAHL_SPALTE_ZEILEN;
    wa.x = std::clamp(x, 0, 799 - (zwei ? 2 * BREITE + 4 : BREITE));
    const i32 hoehe = KOPF + ZEILE_H * std::min(std::max(n, 1), WAHL_SPALTE_ZEILEN) + 4;
    wa.y = std::clamp(y, 0, 599 - hoehe);
    if (Attribut_Popup_Deckt_Feld(wa.x, wa.y) != wa.gesperrt) Attribut_Wahl_E1_Sperren(!wa.gesperrt);
    setze(ICON_WAHL_RAHMEN, wa.x, wa.y);
    for (i32 k = 0; k < WAHL_ZEILEN; ++k) {
        Screen_Icon* z = Kit_Icon(ICON_WAHL_ZEILE + k);
        if (!z) continue;
        if (k >= n) {
            z->status |= MENUE_S_VERSTECKT;
            continue;
        }
        const i32 spalte = k / WAHL_SPALTE_ZEILEN, r = k % WAHL_SPALTE_ZEILEN;
        const bool letzte = k == n - 1 || r == WAHL_SPALTE_ZEILEN - 1;
        const bool lernbar = k < wa.gelernt;
        z->status &= ~MENUE_S_VERSTECKT;
        z->x = static_cast<i16>(wa.x + spalte * (BREITE + 4));
        z->y = static_cast<i16>(wa.y + KOPF + ZEILE_H * r);
        z->grafik = letzte ? GRAFIK_POPUP_LETZTE : GRAFIK_POPUP_ZEILE;
        z->grafik_an = letzte ? GRAFIK_POPUP_LETZTE_AN : GRAFIK_POPUP_ZEILE_AN;
        z->h = static_cast<i16>(letzte ? ZEILE_H + 4 : ZEILE_H);
        z->klick = lernbar ? Attribut_Wahl_Zeile_Klick : nullptr;
        z->user[1] = static_cast<u32>(wa.attribut[k]);
    }
    Screen_Icon* e = Kit_Icon(ICON_WAHL_ENDE);
    if (e) {
        e->x = static_cast<i16>(wa.x), e->y = static_cast<i16>(wa.y + KOPF);
        e->status = n == 0 ? e->status & ~MENUE_S_VERSTECKT : e->status | MENUE_S_VERSTECKT;
    }
    setze(ICON_WAHL_SCHLIESSEN, wa.x + 225, wa.y + 6);
    setze(ICON_WAHL_ZURUECK, wa.x + 181, wa.y + 6);
    setze(ICON_WAHL_VOR, wa.x + 203, wa.y + 6);
    Blt_Cache_Leeren();
}

// Dragged by its title like the popup.
void wahl_ziehen() {
    i32 x, y;
    if (Screen_Griff_Schritt(&wa.griff, wa.x, wa.y, 178, KOPF, &x, &y)) wahl_platzieren(x, y);
}

}  // namespace

Screen_Def Attribut_Wahl_Screen_Def() {
    return {.name = "Fähigkeiten wählen",
            .icons = Icon_Besitzer::ATTRIBUT_WAHL,
            .rahmen = ICON_WAHL_RAHMEN,
            .schliessen = [] { Attribut_Wahl_Schliessen(); },
            .oeffnen_fuer = [](const Screen_Anlass& a) { Attribut_Wahl_Screen_Init(a.spieler, a.x, a.y, a.team); }};
}

i32 Attribut_Wahl_Spieler() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_WAHL_RAHMEN) ? wa.spieler : -1; }
i32 Attribut_Wahl_Zeilen() { return wa.gelernt + wa.negativ; }
void Attribut_Wahl_Position(i32* x, i32* y) {
    if (x) *x = wa.x;
    if (y) *y = wa.y;
}

void Attribut_Wahl_Screen_Init(i32 spieler, i32 x, i32 y, i32 team) {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_WAHL_RAHMEN) || spieler < 0 || spieler >= Spieler_Anzahl) return;
    Menue_Screen_Icon_Tabelle_Hinzufuegen(WAHL.daten());
    wa = Wahl{};
    wa.spieler = spieler;
    wa.team = team;
    wa.slot = Spieler_Wert(SPIELER_WERT_SLOT, spieler, 0, OP_LESEN);
    Screen_Griff_Lassen(&wa.griff);
    Attribut_Wahl_Layout(x, y, true);
}

void Attribut_Wahl_Layout(i32 x, i32 y, bool neu) {
    wahl_lesen();
    if (neu && x + 492 > 799) x = 288;
    wahl_platzieren(x, neu ? y - 20 : y);
}

void Attribut_Wahl_E1_Sperren(bool sperren) {
    wa.gesperrt = sperren;
    E1_Screen_Feld_Sperren(sperren);
}

bool Attribut_Wahl_Schliessen() {
    if (!Menue_Screen_Icon_Ist_Vorhanden(ICON_WAHL_RAHMEN)) return false;
    Menue_Screen_Icon_Tabelle_Loeschen(WAHL.daten());
    if (wa.gesperrt) Attribut_Wahl_E1_Sperren(false);
    wa.spieler = -1;
    wa.griff.ziehen = false;
    Blt_Cache_Leeren();
    return true;
}

void Attribut_Wahl_Zeichnen(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) {
    if (!i || wa.spieler < 0) return;
    if (i->user[0] == WORT_RAHMEN) {
        wahl_ziehen();
        kopf(ziel, wa.spieler, wa.x, wa.y);
        return;
    }
    if (i->user[0] == WORT_ENDE) {
        Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::KLEIN), FARBE_HELL, 0, y + 14, Kit_Schein::SCHLICHT,
                          {Kit_Ausrichtung::MITTE, x + 123}, "%s", Text_cfg_Text(TEXT_SPIELER_TRAINING, T_KEINE));
        return;
    }
    const i32 a = static_cast<i32>(i->user[1]);
    if (a < 0 || a >= ATTRIBUT_ANZAHL) return;
    zeile_malen(ziel, a, Attribute_Attribut_Aktief(wa.spieler, a) ? 1 : 0, x, y, Attribute_Ist_Negativ(a));
}

void Attribut_Wahl_Rahmen_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & MENUE_E_RECHTS) Attribut_Wahl_Schliessen();
}

void Attribut_Wahl_Zeile_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i) return;
    if (ereignis & MENUE_E_RECHTS) {
        Attribut_Wahl_Schliessen();
        return;
    }
    if (ereignis & MENUE_E_HOVER_REIN) Menue_Icon_Zustand_Setzen(i->nummer, 1);
    if (ereignis & MENUE_E_HOVER_RAUS) Menue_Icon_Zustand_Setzen(i->nummer, 0);
    if (!(ereignis & MENUE_E_LINKS)) return;
    Attribut_Toggle_Aktive_Ohne_Pruefung(wa.spieler, static_cast<i32>(i->user[1]));
    Blt_Cache_Leeren();
}

void Attribut_Wahl_Schliessen_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS)) Attribut_Wahl_Schliessen();
}

void Attribut_Wahl_Blaettern_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i) return;
    if (ereignis & MENUE_E_RECHTS) {
        Attribut_Wahl_Schliessen();
        return;
    }
    if (!(ereignis & MENUE_E_LINKS) || !Screen_Drossel_Frei(&wa.drossel, BLAETTERN_MS)) return;
    const bool vor = i->user[0] == WORT_VOR;
    const bool eigen = wa.team == Team_Aktiv;
    i32 slot = wa.slot;
    if (eigen) slot = std::clamp(slot + (vor ? 1 : -1), 0, EDITOR_ZEILEN - 1);
    else slot = Slot_Schritt(slot, vor ? 1 : -1, false);
    i32 liste[EDITOR_ZEILEN];
    const i32 n = wa.team >= 0 ? Teamspieler_Ins_Array(wa.team, liste, EDITOR_ZEILEN, 0) : 0;
    for (i32 k = 0; k < n; ++k)
        if (Spieler_Wert(SPIELER_WERT_SLOT, liste[k], 0, OP_LESEN) == slot) wa.spieler = liste[k];
    wa.slot = slot;
    Attribut_Wahl_Layout(wa.x, wa.y, false);
}

#include "screens/squad/kader.h"

#include <algorithm>
#include <cstdio>

#include "base/debug.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "base/ruf.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "platform/input.h"
#include "screens/squad/attribut_popup.h"
#include "screens/squad/kader_intern.h"
#include "screens/squad/spielerkarte.h"
#include "screens/teile/attribut_legende.h"
#include "screens/teile/schritt.h"
#include "screens/teile/spieler_hilfe.h"
#include "world/modi.h"
#include "screens/teile/spielerzeile.h"
#include "screens/teile/sterne.h"
#include "world/aufstellung.h"
#include "world/global.h"
#include "world/manager.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace kader_intern {

// Where each pitch shirt stands in the formation (a dragged one is drawn
// elsewhere while it moves).
i32 feld_heim[KADER_FELDER][2] = {};

i32 gezeigt = -1;                       // the team shown
// A row's and a pitch shirt's user words: 0 the player, 1 the row (shirt) index.
i32 liste_team = -1, feld_team = -1;    // whose players the rows and the shirts hold
bool feld_gesperrt = false;             // a window lies over the pitch shirts
bool geaendert = false;                 // a swap was made: selection clears 300 ms later
u32 geaendert_zeit = 0;
i32 verknuepft_zeile[KADER_ZEILEN];     // pitch icon hovered for a row, -1
i32 verknuepft_feld[KADER_FELDER];      // row hovered for a pitch icon, -1
char hilfe[1024];
Vorschau vorschau;

Icon_Textzeile text_menue{}, text_auto{}, text_ansicht{};

// Snapping grids: the three parts of the list, the pitch's cells (the
// goalkeeper's cell alone below them). A row tries the list first, a shirt
// the pitch.
// The row's chain: the list, then the pitch. The shirt's: the pitch, then the list.
constexpr Icon_Raster ZEILE_FELD_TOR{.spalten = 1, .zeilen = 1, .x = 82, .y = 341, .zelle_b = 24, .zelle_h = 25};
constexpr Icon_Raster ZEILE_FELD{.spalten = 7, .zeilen = 10, .x = 10, .y = 92, .zelle_b = 24, .zelle_h = 25,
                                 .naechstes = &ZEILE_FELD_TOR};
constexpr Icon_Raster ZEILE_RESERVE{.spalten = 1, .zeilen = 3, .x = ZEILE_X, .y = 467, .zelle_b = 28, .zelle_h = 17,
                                    .naechstes = &ZEILE_FELD};
constexpr Icon_Raster ZEILE_BANK{.spalten = 1, .zeilen = 6, .x = ZEILE_X, .y = 344, .zelle_b = 28, .zelle_h = 17,
                                 .naechstes = &ZEILE_RESERVE};
constexpr Icon_Raster ZEILE_RASTER{.spalten = 1, .zeilen = 11, .x = ZEILE_X, .y = 136, .zelle_b = 28, .zelle_h = 17,
                                   .naechstes = &ZEILE_BANK};
constexpr Icon_Raster FELD_LISTE_RESERVE{
    .spalten = 1, .zeilen = 3, .x = ZEILE_X, .y = 467, .zelle_b = 28, .zelle_h = 17};
constexpr Icon_Raster FELD_LISTE_BANK{.spalten = 1, .zeilen = 6, .x = ZEILE_X, .y = 344, .zelle_b = 28, .zelle_h = 17,
                                      .naechstes = &FELD_LISTE_RESERVE};
constexpr Icon_Raster FELD_LISTE_ELF{.spalten = 1, .zeilen = 11, .x = ZEILE_X, .y = 136, .zelle_b = 28, .zelle_h = 17,
                                     .naechstes = &FELD_LISTE_BANK};
constexpr Icon_Raster FELD_TOR_2{.spalten = 1, .zeilen = 1, .x = 82, .y = 341, .zelle_b = 24, .zelle_h = 25,
                                 .naechstes = &FELD_LISTE_ELF};
constexpr Icon_Raster FELD_RASTER{.spalten = 7, .zeilen = 10, .x = 10, .y = 92, .zelle_b = 24, .zelle_h = 25,
                                  .naechstes = &FELD_TOR_2};
Menue_Drag zeile_drag{.flags = DRAG_SICHTBAR, .drop = E1_Screen_Zeile_Ablegen, .x0 = 0, .y0 = 87, .x1 = 782, .y1 = 560};
Menue_Drag feld_drag{.flags = DRAG_SICHTBAR, .drop = E1_Screen_Feld_Ablegen, .x0 = 0, .y0 = 87, .x1 = 782, .y1 = 566};

constexpr u32 ZEILE_FLAGS = MENUE_F_HOVER;
constexpr Screen_Icon ZEILE{.nummer = ICON_KADER_ZEILE,
                            .flags = ZEILE_FLAGS,
                            .raster = &ZEILE_RASTER,
                            .x = ZEILE_X,
                            .y = static_cast<i16>(Kader_Slot_Y(0)),
                            .drag = &zeile_drag,
                            .status = MENUE_S_TRANSPARENT,
                            .klick = E1_Screen_Zeile_Klick,
                            .zeichnen = E1_Screen_Zeile_Zeichnen,
                            .ebene = 4,
                            .w = ZEILE_B,
                            .h = ZEILE_H,
                            .hilfe_prozedur = E1_Screen_Hilfetext};
constexpr Screen_Icon FELD{.nummer = ICON_KADER_FELD,
                           .flags = ZEILE_FLAGS,
                           .raster = &FELD_RASTER,
                           .x = 10,
                           .y = 92,
                           .drag = &feld_drag,
                           .status = MENUE_S_TRANSPARENT,
                           .klick = E1_Screen_Feld_Klick,
                           .zeichnen = E1_Screen_Feld_Zeichnen,
                           .ebene = 3,
                           .w = FELD_B,
                           .h = FELD_H,
                           .hilfe_prozedur = E1_Screen_Hilfetext};
// A button's user words: 0 its place among the three, 1 WORT_KNOPF.
constexpr Kit_Bildknopf_Def KNOPF{.x = 28, .w = 140, .h = 36, .ebene = 4, .wort = {0, WORT_KNOPF}};
constexpr u32 UMSCHALTER = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD | MENUE_S_AN;

constexpr auto RAHMEN = Icon_Tabelle_Bauen<Icon_Besitzer::KADER>({
    {.nummer = ICON_KADER_RAHMEN,
     .grafik = GRAFIK_KADER_RAHMEN,
     .x = 197,
     .y = 86,
     .status = MENUE_S_TRANSPARENT,
     .zeichnen = E1_Screen_Titel_Zeichnen,
     .ebene = 2,
     .w = 594,
     .h = 478,
     .hilfe_prozedur = E1_Screen_Hilfetext},
    {.nummer = ICON_KADER_SPIELFELD,
     .grafik = GRAFIK_KADER_SPIELFELD,
     .x = 3,
     .y = 85,
     .status = MENUE_S_TRANSPARENT,
     .klick = E1_Screen_Spielfeld_Klick,
     .ebene = 2,
     .w = 189,
     .h = 287,
     .hilfe_prozedur = E1_Screen_Hilfetext},
});
// The squad's rows in their three blocks (eleven starters, six on the
// bench, three reserves), each a row of the one row shape.
constexpr auto ZEILEN_Y = Kit_Lagen<KADER_SLOTS>(Kader_Slot_Y);
constexpr auto ZEILEN =
    Icon_Tabelle_Aus<Icon_Besitzer::KADER>(Kit_Zeilen<KADER_SLOTS>(ZEILE, {.index_wort = -1, .y = ZEILEN_Y.data()}));
// The eleven places on the pitch, of one shape.
constexpr auto FELDER = Icon_Tabelle_Aus<Icon_Besitzer::KADER>(Icon_Reihe<11>(FELD, 0, 0, false));
constexpr auto KNOEPFE = Icon_Tabelle_Bauen<Icon_Besitzer::KADER>({
    Kit_Bildknopf(KNOPF, {.nummer = ICON_KADER_MENUE,
                          .grafik = GRAFIK_KADER_KNOPF,
                          .gedrueckt = GRAFIK_KADER_KNOPF_AN,
                          .an = GRAFIK_KADER_KNOPF_AN,
                          .y = 386,
                          .klick = E1_Screen_Menue_Klick,
                          .hilfe = E1_Screen_Hilfetext,
                          .text = &text_menue}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_KADER_AUTO,
                          .grafik = GRAFIK_KADER_KNOPF + 1,
                          .gedrueckt = GRAFIK_KADER_KNOPF_AN + 1,
                          .an = GRAFIK_KADER_KNOPF_AN + 1,
                          .y = 431,
                          .klick = E1_Screen_Auto_Klick,
                          .hilfe = E1_Screen_Hilfetext,
                          .text = &text_auto,
                          .status = UMSCHALTER,
                          .wort = {1, 0}}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_KADER_ANSICHT,
                          .grafik = GRAFIK_KADER_KNOPF + 2,
                          .gedrueckt = GRAFIK_KADER_KNOPF_AN + 2,
                          .an = GRAFIK_KADER_KNOPF_AN + 2,
                          .y = 476,
                          .klick = E1_Screen_Ansicht_Klick,
                          .zeichnen = E1_Screen_Ansicht_Pruefen,
                          .hilfe = E1_Screen_Hilfetext,
                          .text = &text_ansicht,
                          .status = UMSCHALTER,
                          .wort = {2, 0}}),
});

const char* text(i32 n) { return Text_cfg_Text(TEXT_EINSETZEN_1, n); }
i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }
bool verfuegbar(i32 p) { return (static_cast<u32>(wert(SPIELER_WERT_STATUS, p)) & NICHT_VERFUEGBAR) == 0; }
bool eigenes_gezeigt() { return gezeigt >= 0 && gezeigt == Team_Aktiv; }
bool an(i32 n) { return Menue_Icon_Zustand(n) != 0; }
void setzen(i32 n, bool ein) { Menue_Icon_Zustand_Setzen(n, ein ? 1 : 0); }

// Rows and shirts can be dragged only while the own team is shown.
void ziehbar(bool ein) {
    for (i32 n = ICON_KADER_ZEILE; n < ICON_KADER_FELD + KADER_FELDER; ++n)
        if (Screen_Icon* i = Kit_Icon(n)) i->flags = ein ? i->flags | MENUE_F_ZIEHBAR : i->flags & ~MENUE_F_ZIEHBAR;
}

void auswahl_loeschen() {
    for (i32 k = 0; k < KADER_ZEILEN; ++k) setzen(ICON_KADER_ZEILE + k, false), verknuepft_zeile[k] = -1;
    for (i32 k = 0; k < KADER_FELDER; ++k) setzen(ICON_KADER_FELD + k, false), verknuepft_feld[k] = -1;
}

// Clears selection and links, at once, or 300 ms after a swap.
void auswahl_zuruecksetzen() {
    if (geaendert) {
        if (W32_Get_Time() - geaendert_zeit < AUSWAHL_FRIST_MS) return;
        geaendert = false;
    }
    auswahl_loeschen();
    Blt_Cache_Leeren();
}

// After every change of the own line-up: a role holder who left the
// eleven hands his role to a starter, so the hover texts show the takers
// who play; a network client's line-up goes to the server, which hands the
// roles over, and the screen shows the squad as the server holds it.
void geaendert_setzen() {
    geaendert = true;
    geaendert_zeit = W32_Get_Time();
    Aufstellung_Gesetzt(Team_Aktiv);
}

// The squad of a team in list order (at most 20; the count).
i32 ordnen(i32 team, i32 liste[KADER_ZEILEN]) {
    const i32 n = Teamspieler_Ins_Array(team, liste, KADER_ZEILEN, 0);
    if (n <= 0) return 0;
    const bool eigen = team == Team_Aktiv;
    if (eigen)
        for (i32 i = 0; i < n; ++i)
            if (!verfuegbar(liste[i]))
                Spieler_Wert(SPIELER_WERT_STATUS, liste[i], static_cast<i32>(STAMM_BITS), OP_BITS_LOESCHEN);
    auto schluessel = [eigen](i32 p) {
        const i32 s = wert(SPIELER_WERT_SLOT, p);
        if (eigen) return s;
        return -(s <= 10 ? s + 10000 : s <= 16 ? s + 1000 : s + 100);  // descending
    };
    std::stable_sort(liste, liste + n, [&](i32 a, i32 b) { return schluessel(a) < schluessel(b); });
    return n;
}

void zeilen_leeren() {
    for (i32 k = 0; k < KADER_ZEILEN; ++k)
        if (Screen_Icon* i = Kit_Icon(ICON_KADER_ZEILE + k))
            i->user[0] = static_cast<u32>(-1), i->user[1] = static_cast<u32>(k);
    for (i32 k = 0; k < KADER_FELDER; ++k)
        if (Screen_Icon* i = Kit_Icon(ICON_KADER_FELD + k))
            i->user[0] = static_cast<u32>(-1), i->user[1] = static_cast<u32>(k);
    liste_team = feld_team = -1;
}

void texte_setzen() {
    const bool eigen = !an(ICON_KADER_ANSICHT);
    text_menue = Kit_Knopf_Beschriftung(text(T_MENUE));
    text_auto = text_menue, text_auto.text = text(T_AUTO);
    text_ansicht = text_menue, text_ansicht.text = text(eigen ? T_ANDERES : T_EIGENES);
}

// The player p's row while the screen is up (-1 when no row shows him).
i32 zeile_von_spieler(i32 p) {
    for (i32 k = 0; k < KADER_ZEILEN; ++k)
        if (Screen_Icon* i = Kit_Icon(ICON_KADER_ZEILE + k); i && static_cast<i32>(i->user[0]) == p) return k;
    return -1;
}

i32 erste_gewaehlte_zeile() {
    for (i32 k = 0; k < KADER_ZEILEN; ++k)
        if (an(ICON_KADER_ZEILE + k) && E1_Screen_Spieler_Von(ICON_KADER_ZEILE + k) >= 0) return k;
    return -1;
}

void refuse() { Meldung_Manager_Printf(1, Team_Aktiv, "%s", text(T_GEHT_NICHT)); }

// A click selects row k (and its pitch icon) or, with another row selected,
// swaps the two players.
void waehlen_oder_tauschen(i32 k) {
    // The pair of a swap just made stays lit for a moment, but a new click
    // starts afresh.
    if (geaendert) geaendert = false, auswahl_loeschen();
    const i32 p = E1_Screen_Spieler_Von(ICON_KADER_ZEILE + k);
    if (p < 0) return;
    const i32 s = wert(SPIELER_WERT_SLOT, p);
    const i32 g = erste_gewaehlte_zeile();
    if (g < 0 || g == k) {
        const bool ein = !an(ICON_KADER_ZEILE + k);
        setzen(ICON_KADER_ZEILE + k, ein);
        if (verfuegbar(p) && s >= 0 && s < 11) setzen(ICON_KADER_FELD + s, ein);
        return;
    }
    const i32 q = E1_Screen_Spieler_Von(ICON_KADER_ZEILE + g);
    if (!E1_Screen_Tausch_Erlaubt(p, q)) {
        refuse();
        auswahl_loeschen();
        return;
    }
    Spieler_Tauschen_Intern(p, q, Team_Aktiv, Team_Aktiv);
    Team_Aufstellung_Manuell(Team_Aktiv);
    setzen(ICON_KADER_AUTO, false);
    setzen(ICON_KADER_ZEILE + k, true);
    geaendert_setzen();
}

// The starter whose cell lies nearest the cell (c, r), -1 without one.
i32 naechster_stammspieler(i32 c, i32 r) {
    i32 liste[KADER_ZEILEN];
    const i32 n = Teamspieler_Ins_Array(Team_Aktiv, liste, KADER_ZEILEN, 0);
    i32 best = -1, best_d = 0;
    for (i32 i = 0; i < n; ++i) {
        const i32 p = liste[i];
        const i32 s = wert(SPIELER_WERT_SLOT, p);
        if (s < 0 || s > 10) continue;
        const i32 dx = 24 * (wert(SPIELER_WERT_SPALTE, p) - c), dy = 25 * (wert(SPIELER_WERT_ZEILE, p) - r);
        const i32 d = dx * dx + dy * dy;
        if (best < 0 || d < best_d || (d == best_d && s < wert(SPIELER_WERT_SLOT, best))) best = p, best_d = d;
    }
    return best;
}

// Puts an available player of the own team on cell (c, r): a substitute or
// reserve first changes places with the starter nearest to that cell (only
// starters have cells). True when he stands there.
bool aufs_feld(i32 p, i32 c, i32 r) {
    if (wert(SPIELER_WERT_SLOT, p) > 10)
        if (const i32 q = naechster_stammspieler(c, r); q >= 0) Spieler_Tauschen_Intern(p, q, Team_Aktiv, Team_Aktiv);
    if (wert(SPIELER_WERT_SLOT, p) > 10 || !Spieler_Setze_Formationsposition(p, c, r)) return false;
    Team_Aufstellung_Manuell(Team_Aktiv);
    setzen(ICON_KADER_AUTO, false);
    return true;
}

// The first unavailable starter of the own squad, -1.
i32 erster_ausfall_in_elf() {
    i32 liste[KADER_ZEILEN];
    const i32 n = Teamspieler_Ins_Array(Team_Aktiv, liste, KADER_ZEILEN, 0);
    for (i32 i = 0; i < n; ++i)
        if (!verfuegbar(liste[i]) && wert(SPIELER_WERT_SLOT, liste[i]) <= 10) return liste[i];
    return -1;
}

// A row is an icon drawn as a squad row, a shirt one drawn as a pitch shirt.
bool ist_zeile(const Screen_Icon* i) { return i && i->zeichnen == E1_Screen_Zeile_Zeichnen; }
bool ist_feld(const Screen_Icon* i) { return i && i->zeichnen == E1_Screen_Feld_Zeichnen; }

// A dragged player let go on another: the swap with the click's checks.
void ablegen_tauschen(i32 p, i32 q) {
    if (p == q || q < 0) return;
    if (!E1_Screen_Tausch_Erlaubt(p, q)) {
        refuse();
        return;
    }
    Spieler_Tauschen_Intern(p, q, Team_Aktiv, Team_Aktiv);
    Team_Aufstellung_Manuell(Team_Aktiv);
    setzen(ICON_KADER_AUTO, false);
    geaendert_setzen();
}

void neu_fuellen() {
    E1_Screen_Liste_Fuellen(gezeigt);
    Blt_Cache_Leeren();
}

}  // namespace kader_intern

using namespace kader_intern;

Screen_Def E1_Screen_Def() {
    return {.name = "Kader",
            .icons = Icon_Besitzer::KADER,
            .rahmen = ICON_KADER_RAHMEN,
            .oeffnen = E1_Screen_Init};
}

i32 E1_Screen_Gezeigtes_Team() { return gezeigt; }

void E1_Screen_Auswahl_Zuruecksetzen() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_KADER_RAHMEN)) auswahl_zuruecksetzen();
}

void E1_Screen_Feld_Sperren(bool sperren) {
    feld_gesperrt = sperren;
    for (i32 k = 0; k < KADER_FELDER; ++k)
        if (Screen_Icon* i = Kit_Icon(ICON_KADER_FELD + k)) {
            const i32 p = static_cast<i32>(i->user[0]);
            if (sperren || (p >= 0 && p < Spieler_Anzahl && !verfuegbar(p))) i->status |= MENUE_S_GRAU;
            else i->status &= ~MENUE_S_GRAU;
        }
}

i32 E1_Screen_Spieler_Von(i32 nummer) {
    const Screen_Icon* i = Kit_Icon(nummer);
    return i ? static_cast<i32>(i->user[0]) : -1;
}

void E1_Screen_Init() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_KADER_RAHMEN)) return;
    // The main menu opens this screen at the start of a manager's turn: the
    // header above the screen and a message already shown (the hand-over)
    // stay; what lies wholly in the screen's part of the work area goes.
    const bool requester = Menue_Requester_Offen();
    Menue_Screen_Icons_Loeschen_Bereich(BEREICH_GANZ_INNEN, 0, KADER_OBEN, ARBEITSFLAECHE_X1, ARBEITSFLAECHE_Y1);
    for (const Screen_Icon* t : {RAHMEN.daten(), ZEILEN.daten(), FELDER.daten(), KNOEPFE.daten()})
        Menue_Screen_Icon_Tabelle_Hinzufuegen(t);
    Menue_Set_Rechtsklick_Icon(ICON_KADER_MENUE);
    geaendert = false;
    E1_Screen_Anzeigen();
    if (requester) Menue_Requester_Wieder_Zeigen();
}

void E1_Screen_Anzeigen() {
    const bool eigen = (!an(ICON_KADER_ANSICHT) && !an(ICON_KADERANSICHT_ANSICHT)) || Team_Ansicht < 0 ||
                       Team_Ansicht >= Team_Anzahl;
    if (eigen) {
        if (Team_Aktiv >= 0) Check_Und_Set_Aa(Team_Aktiv);
        setzen(ICON_KADER_ANSICHT, false);
        Kit_Grau(ICON_KADER_ANSICHT, Team_Ansicht < 0 || Team_Ansicht >= Team_Anzahl);
        Kit_Grau(ICON_KADER_AUTO, false);
        gezeigt = Team_Aktiv;
        if (gezeigt >= 0) setzen(ICON_KADER_AUTO, (Team_Wert(TEAM_FORMATION, gezeigt, 0, OP_LESEN) & AUTOMATISCH) != 0);
    } else {
        setzen(ICON_KADER_ANSICHT, true);
        Kit_Grau(ICON_KADER_ANSICHT, false);
        Kit_Grau(ICON_KADER_AUTO, true);
        gezeigt = Team_Ansicht;
        if (!Team_Hat_Manager(gezeigt) && ruf::Haelt_Spiel()) Check_Und_Set_Aa(gezeigt);
    }
    ziehbar(eigen && gezeigt >= 0);
    texte_setzen();
    auswahl_loeschen();
    geaendert = false;
    E1_Screen_Liste_Fuellen(gezeigt);
    Blt_Cache_Leeren();
}

void E1_Screen_Aktualisieren() {
    if (!Menue_Screen_Icon_Ist_Vorhanden(ICON_KADER_RAHMEN)) return;
    if (!ruf::Client() && Team_Ansicht >= 0 && Team_Ansicht < Team_Anzahl) Check_Und_Set_Aa(Team_Ansicht);
    if (Team_Aktiv >= 0) Check_Und_Set_Aa(Team_Aktiv);
    E1_Screen_Anzeigen();
}

void E1_Screen_Liste_Fuellen(i32 team) {
    if (team < 0 || team >= Team_Anzahl) return;
    zeilen_leeren();
    i32 liste[KADER_ZEILEN];
    const i32 n = ordnen(team, liste);
    for (i32 k = 0; k < n; ++k)
        if (Screen_Icon* i = Kit_Icon(ICON_KADER_ZEILE + k))
            i->user[0] = static_cast<u32>(liste[k]), i->user[1] = static_cast<u32>(k);
    liste_team = team;
    if (team == Team_Aktiv && team == gezeigt)
        setzen(ICON_KADER_AUTO, (Team_Wert(TEAM_FORMATION, team, 0, OP_LESEN) & AUTOMATISCH) != 0);
    E1_Screen_Feld_Positionen(team);
}

void E1_Screen_Feld_Positionen(i32 team) {
    if (team < 0 || team >= Team_Anzahl) return;
    i32 liste[KADER_ZEILEN];
    const i32 n = ordnen(team, liste);
    const bool eigen = team == Team_Aktiv;
    feld_team = team;
    for (i32 k = 0; k < KADER_FELDER; ++k) {
        Screen_Icon* i = Kit_Icon(ICON_KADER_FELD + k);
        if (!i) continue;
        i->user[1] = static_cast<u32>(k);
        if (k >= n) {
            i->user[0] = static_cast<u32>(-1);
            i->status |= MENUE_S_VERSTECKT;
            continue;
        }
        const i32 p = liste[k];
        const i32 c = std::clamp(wert(SPIELER_WERT_SPALTE, p), 0, 6),
                  r = std::clamp(wert(SPIELER_WERT_ZEILE, p), 0, 10);
        i->user[0] = static_cast<u32>(p);
        i->x = static_cast<i16>(eigen ? 24 * c + 10 : 154 - 24 * c);
        i->y = static_cast<i16>(eigen ? 342 - 25 * r : 92 + 25 * r);
        feld_heim[k][0] = i->x, feld_heim[k][1] = i->y;
        i->status &= ~MENUE_S_VERSTECKT;
        // An unavailable starter is greyed and not drawn.
        if (verfuegbar(p) && !feld_gesperrt) i->status &= ~MENUE_S_GRAU;
        else i->status |= MENUE_S_GRAU;
    }
}

void E1_Screen_Set_Preview_Array(i32 d) {
    vorschau.an = false;
    if (d < 0 || d >= Spieler_Anzahl || !eigenes_gezeigt()) return;
    i32 liste[KADER_ZEILEN];
    const i32 n = Teamspieler_Ins_Array(Team_Aktiv, liste, KADER_ZEILEN, 0);
    struct Eintrag {
        i32 spieler, spalte, reihe;
    } elf[KADER_FELDER];
    i32 m = 0;
    bool dabei = false;
    for (i32 i = 0; i < n; ++i)
        if (wert(SPIELER_WERT_SLOT, liste[i]) < 11) {
            if (m == KADER_FELDER) {
                m = KADER_FELDER + 1;
                break;
            }
            elf[m++] = {liste[i], std::clamp(wert(SPIELER_WERT_SPALTE, liste[i]), 0, 6),
                        std::clamp(wert(SPIELER_WERT_ZEILE, liste[i]), 0, 10)};
            dabei = dabei || liste[i] == d;
        }
    if (m != KADER_FELDER) {
        Debug_Printf("E1_Screen Set_Preview_Array: %d Spieler in der Startelf statt 11\n", m);
        return;
    }
    // Only a starter has a cell to move (a bench player dropped on the pitch
    // first changes places with a starter: no preview for him).
    if (!dabei) return;
    i32 mx = 0, my = 0;
    Menue_Get_Move_Pos(&mx, &my);
    i32 c = mx, r = my;
    if (!E1_Screen_Maus_In_Feld(&c, &r)) return;
    // The starter whose shirt the mouse is over changes places with d.
    i32 partner = -1;
    const i32 maus_x = Maus_Get_X(), maus_y = Maus_Get_Y();
    for (i32 k = 0; k < KADER_FELDER; ++k)
        if (const Screen_Icon* f = Kit_Icon(ICON_KADER_FELD + k);
            f && f != Menue_Get_Klick_Icon() && !(f->status & MENUE_S_VERSTECKT) && maus_x >= f->x &&
            maus_x < f->x + f->w && maus_y >= f->y && maus_y < f->y + f->h)
            partner = static_cast<i32>(f->user[0]);
    Eintrag* ed = std::find_if(elf, elf + KADER_FELDER, [d](const Eintrag& e) { return e.spieler == d; });
    const Eintrag alt = *ed;
    if (partner >= 0 && partner != d) {
        for (Eintrag& e : elf)
            if (e.spieler == partner) e.spalte = alt.spalte, e.reihe = alt.reihe;
    }
    ed->spalte = c, ed->reihe = r;
    std::stable_sort(elf, elf + KADER_FELDER, [](const Eintrag& a, const Eintrag& b) {
        return 10 * a.reihe + a.spalte > 10 * b.reihe + b.spalte;
    });
    for (i32 k = 0; k < KADER_FELDER; ++k) vorschau.spieler[k] = elf[k].spieler, vorschau.reihe[k] = elf[k].reihe;
    vorschau.an = true;
}

i32 E1_Screen_Vorschau(i32 k) { return vorschau.an && k >= 0 && k < KADER_FELDER ? vorschau.spieler[k] : -1; }

bool E1_Screen_Maus_In_Feld(i32* x, i32* y) {
    if (!x || !y) return false;
    const i32 mx = *x, my = *y;
    if (!(mx >= 10 && my > 90 && mx < 184 && my < 364)) return false;
    if (my >= 342 && !(mx > 82 && mx < 109)) return false;
    *x = std::min(mx / 25, 6);
    *y = std::clamp((365 - my) / 26, 0, 10);
    return true;
}

bool E1_Screen_Tausch_Erlaubt(i32 p, i32 q) {
    const bool ap = verfuegbar(p), aq = verfuegbar(q);
    if (ap && aq) return true;
    if (!ap && !aq) return false;
    const i32 sp = wert(SPIELER_WERT_SLOT, p), sq = wert(SPIELER_WERT_SLOT, q);
    if (sp <= 10 && sq <= 10) return false;
    // An unavailable player never comes into the starting eleven; slot 11
    // (the first substitute) counts as the bench like every other.
    if (!ap && sp >= 11 && sq <= 10) return false;
    if (!aq && sq >= 11 && sp <= 10) return false;
    return true;
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
void E1_Screen_Auto_Aufstellung(i32 team) {
    if (team < 0 || team >= Team_Anzahl) return;
    Team_Aufstellung_Manuell(team);
    if (Team_Hat_Manager(team)) Manager_Icon_Button_An_Aus(team, ICON_KADER_AUTO, 1);
    Aufstellung_Automatisch(team);
    Team_Wert(TEAM_FORMATION, team, AUTOMATISCH, OP_BITS_SETZEN);
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_KADER_RAHMEN)) neu_fuellen();
}

// --- Drawing (the rows, the pitch and the hover texts: kader_zeichnen.cpp) ----------

void E1_Screen_Titel_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    if (geaendert && W32_Get_Time() - geaendert_zeit >= AUSWAHL_FRIST_MS) auswahl_zuruecksetzen();
    // A window opened over the screen (the talents screen from the card)
    // takes the right click while it is up and lets it go when it closes.
    if (Menue_Get_Rechtsklick_Icon() < 0) Menue_Set_Rechtsklick_Icon(ICON_KADER_MENUE);
    // The frame is drawn before the rows: the drop preview of this frame.
    const Screen_Icon* g = Menue_Get_Klick_Icon();
    if (g && eigenes_gezeigt() && (ist_feld(g) || ist_zeile(g)))
        E1_Screen_Set_Preview_Array(static_cast<i32>(g->user[0]));
    else vorschau.an = false;
    if (gezeigt >= 0)
        Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::TITEL), eigenes_gezeigt() ? FARBE_WEISS : FARBE_KNOPF_TEXT, 0,
                          129, Kit_Schein::GLATT, {Kit_Ausrichtung::MITTE, 495}, "%s",
                          Team_String(721, gezeigt, nullptr, 0));
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    if (!f) return;
    static constexpr i32 SEKTION_Y[3] = {131, 339, 462};
    for (i32 i = 0; i < 3; ++i) Kit_Printf(ziel, f, FARBE_GEWAEHLT, 210, SEKTION_Y[i], "%s", text(T_STARTELF + i));
    static constexpr i32 KOPF_X[8] = {210, 240, 285, 420, 500, 565, 655, 725};
    for (i32 i = 0; i < 8; ++i) Kit_Printf(ziel, f, FARBE_KOPF, KOPF_X[i], 107, "%s", text(T_KOPF_ERSTER + i));
    // Under the reserves: what the rows' attribute badges stand for.
    if (gezeigt >= 0) {
        i32 kader[MAX_SPIELER_PRO_TEAM];
        const i32 n = Teamspieler_Ins_Array(gezeigt, kader, MAX_SPIELER_PRO_TEAM, 0);
        Attribut_Legende_Zeichnen(ziel, Attribut_Legende_Sammeln(kader, n), GRAFIK_ATTRIBUT_KLEIN, KADER_LEGENDE);
    }
}

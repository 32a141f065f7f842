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
#include "screens/squad/spielerkarte.h"
#include "screens/teile/attribut_legende.h"
#include "screens/teile/spieler_hilfe.h"
#include "screens/teile/spieler_modus.h"
#include "screens/teile/spielerzeile.h"
#include "screens/teile/sterne.h"
#include "world/aufstellung.h"
#include "world/global.h"
#include "world/manager.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {

constexpr u32 NICHT_VERFUEGBAR = 0x7c0, STAMM_BITS = 0x30;
constexpr i32 TEAM_FORMATION = 8, AUTOMATISCH = 128;
constexpr u32 AUSWAHL_FRIST_MS = 300;

// Texts of the screen's section.
enum : i32 {
    T_STARTELF = 0,
    T_KOPF_ERSTER = 3,  // 3..10 the column headers
    T_MENUE = 11,
    T_AUTO = 12,
    T_EIGENES = 13,     // the label while the viewed club is shown
    T_ANDERES = 14,     // ... while the own team is shown
    T_HILFE_KOPF = 16,  // 16..23 the column headers' help
    T_HILFE_ELF = 24,
    T_HILFE_BANK = 25,
    T_HILFE_RESERVE = 26,
    T_HILFE_LISTE = 27,
    T_HILFE_FELD = 28,
    T_HILFE_KNOPF = 34,  // 34..36 the three buttons
    T_GEHT_NICHT = 48,
};

// List geometry.
constexpr i32 ZEILE_X = 204, ZEILE_B = 578, ZEILE_H = 17;
// The badges' legend: two lines under the reserves' rows, inside the frame.
constexpr Attribut_Legende_Platz KADER_LEGENDE{.x0 = 206, .x1 = 789, .y = 533, .zeilen = 2, .zeilenhoehe = 17};
constexpr i32 zeile_y(i32 k) { return k < 11 ? 136 + 17 * k : k < 17 ? 344 + 17 * (k - 11) : 467 + 17 * (k - 17); }
constexpr i32 FELD_B = 29, FELD_H = 23;
constexpr i32 KADER_OBEN = 84;  // the screen's top: the main menu's header lies above

// Shirt pictures on the pitch by position class (entries of their groups):
// classes 0..3 -> 24057, 24055, 24054, 24056 and lifted 24065, 24063, 24062, 24064.
constexpr i32 TRIKOT_BILD[4] = {3, 1, 0, 2};
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
// While a starter is dragged over the pitch: the eleven in the order the
// drop would give them (row k of the list shows entry k), their cells.
struct Vorschau {
    bool an = false;
    i32 spieler[KADER_FELDER];
    i32 reihe[KADER_FELDER];
};
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
constexpr Icon_Raster FELD_LISTE_RESERVE{.spalten = 1, .zeilen = 3, .x = ZEILE_X, .y = 467, .zelle_b = 28, .zelle_h = 17};
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
// The attribute pictures of a row: a click there opens the attribute popup.
constexpr i32 ATTRIBUTE_X0 = 549, ATTRIBUTE_X1 = 630;
constexpr Screen_Icon ZEILE{.nummer = ICON_KADER_ZEILE,
                            .flags = ZEILE_FLAGS,
                            .raster = &ZEILE_RASTER,
                            .x = ZEILE_X,
                            .y = static_cast<i16>(zeile_y(0)),
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
constexpr u32 WORT_KNOPF = 0xB0;
constexpr Screen_Icon knopf(i16 nummer, u32 grafik, u32 grafik_an, i16 y, Icon_Klick_Prozedur klick,
                            Icon_Zeichen_Prozedur zeichnen, Icon_Textzeile* text, bool umschalter, u32 knopf_nr) {
    return Kit_Bildknopf({.nummer = nummer,
                          .grafik = grafik,
                          .gedrueckt = grafik_an,
                          .an = grafik_an,
                          .x = 28,
                          .y = y,
                          .w = 140,
                          .h = 36,
                          .ebene = 4,
                          .klick = klick,
                          .zeichnen = zeichnen,
                          .hilfe = E1_Screen_Hilfetext,
                          .text = text,
                          .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD | (umschalter ? MENUE_S_AN : 0u),
                          .wort = {knopf_nr, WORT_KNOPF}});
}

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
constexpr Screen_Icon zeile_ab(i32 k) {
    Screen_Icon z = ZEILE;
    z.nummer = static_cast<i16>(ICON_KADER_ZEILE + k);
    z.y = static_cast<i16>(zeile_y(k));
    return z;
}
constexpr auto ZEILEN = Icon_Tabelle_Aus<Icon_Besitzer::KADER>(Icon_Reihe<11>(zeile_ab(0), 0, ZEILE_H, false),
                                                               Icon_Reihe<6>(zeile_ab(11), 0, ZEILE_H, false),
                                                               Icon_Reihe<3>(zeile_ab(17), 0, ZEILE_H, false));
// The eleven places on the pitch, of one shape.
constexpr auto FELDER = Icon_Tabelle_Aus<Icon_Besitzer::KADER>(Icon_Reihe<11>(FELD, 0, 0, false));
constexpr auto KNOEPFE = Icon_Tabelle_Bauen<Icon_Besitzer::KADER>({
    knopf(ICON_KADER_MENUE, GRAFIK_KADER_KNOPF, GRAFIK_KADER_KNOPF_AN, 386, E1_Screen_Menue_Klick, nullptr, &text_menue,
          false, 0),
    knopf(ICON_KADER_AUTO, GRAFIK_KADER_KNOPF + 1, GRAFIK_KADER_KNOPF_AN + 1, 431, E1_Screen_Auto_Klick, nullptr,
          &text_auto, true, 1),
    knopf(ICON_KADER_ANSICHT, GRAFIK_KADER_KNOPF + 2, GRAFIK_KADER_KNOPF_AN + 2, 476, E1_Screen_Ansicht_Klick,
          E1_Screen_Ansicht_Pruefen, &text_ansicht, true, 2),
});

const char* text(i32 n) { return Text_cfg_Text(TEXT_EINSETZEN_1, n); }
i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }
bool verfuegbar(i32 p) { return (static_cast<u32>(wert(MODUS_STATUS, p)) & NICHT_VERFUEGBAR) == 0; }
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

void geaendert_setzen() {
    geaendert = true;
    geaendert_zeit = W32_Get_Time();
}

// The squad of a team in list order (at most 20; the count).
i32 ordnen(i32 team, i32 liste[KADER_ZEILEN]) {
    const i32 n = Teamspieler_Ins_Array(team, liste, KADER_ZEILEN, 0);
    if (n <= 0) return 0;
    const bool eigen = team == Team_Aktiv;
    if (eigen)
        for (i32 i = 0; i < n; ++i)
            if (!verfuegbar(liste[i])) Spieler_Wert(MODUS_STATUS, liste[i], static_cast<i32>(STAMM_BITS), OP_BITS_LOESCHEN);
    auto schluessel = [eigen](i32 p) {
        const i32 s = wert(MODUS_SLOT, p);
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
    const i32 s = wert(MODUS_SLOT, p);
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
        const i32 s = wert(MODUS_SLOT, p);
        if (s < 0 || s > 10) continue;
        const i32 dx = 24 * (wert(MODUS_SPALTE, p) - c), dy = 25 * (wert(MODUS_REIHE, p) - r);
        const i32 d = dx * dx + dy * dy;
        if (best < 0 || d < best_d || (d == best_d && s < wert(MODUS_SLOT, best))) best = p, best_d = d;
    }
    return best;
}

// Puts an available player of the own team on cell (c, r): a substitute or
// reserve first changes places with the starter nearest to that cell (only
// starters have cells). True when he stands there.
bool aufs_feld(i32 p, i32 c, i32 r) {
    if (wert(MODUS_SLOT, p) > 10)
        if (const i32 q = naechster_stammspieler(c, r); q >= 0) Spieler_Tauschen_Intern(p, q, Team_Aktiv, Team_Aktiv);
    if (wert(MODUS_SLOT, p) > 10 || !Spieler_Setze_Formationsposition(p, c, r)) return false;
    Team_Aufstellung_Manuell(Team_Aktiv);
    setzen(ICON_KADER_AUTO, false);
    return true;
}

// The first unavailable starter of the own squad, -1.
i32 erster_ausfall_in_elf() {
    i32 liste[KADER_ZEILEN];
    const i32 n = Teamspieler_Ins_Array(Team_Aktiv, liste, KADER_ZEILEN, 0);
    for (i32 i = 0; i < n; ++i)
        if (!verfuegbar(liste[i]) && wert(MODUS_SLOT, liste[i]) <= 10) return liste[i];
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

}  // namespace

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
        const i32 c = std::clamp(wert(MODUS_SPALTE, p), 0, 6), r = std::clamp(wert(MODUS_REIHE, p), 0, 10);
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
        if (wert(MODUS_SLOT, liste[i]) < 11) {
            if (m == KADER_FELDER) {
                m = KADER_FELDER + 1;
                break;
            }
            elf[m++] = {liste[i], std::clamp(wert(MODUS_SPALTE, liste[i]), 0, 6), std::clamp(wert(MODUS_REIHE, liste[i]), 0, 10)};
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
    std::stable_sort(elf, elf + KADER_FELDER,
                     [](const Eintrag& a, const Eintrag& b) { return 10 * a.reihe + a.spalte > 10 * b.reihe + b.spalte; });
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
    const i32 sp = wert(MODUS_SLOT, p), sq = wert(MODUS_SLOT, q);
    if (sp <= 10 && sq <= 10) return false;
    // An unavailable player never comes into the starting eleven; slot 11
    // (the first substitute) counts as the bench like every other.
    if (!ap && sp >= 11 && sq <= 10) return false;
    if (!aq && sq >= 11 && sp <= 10) return false;
    return true;
}

void E1_Screen_Auto_Aufstellung(i32 team) {
    if (team < 0 || team >= Team_Anzahl) return;
    Team_Aufstellung_Manuell(team);
    if (Team_Hat_Manager(team)) Manager_Icon_Button_An_Aus(team, ICON_KADER_AUTO, 1);
    Aufstellung_Automatisch(team);
    Team_Wert(TEAM_FORMATION, team, AUTOMATISCH, OP_BITS_SETZEN);
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_KADER_RAHMEN)) neu_fuellen();
}

// --- Drawing ------------------------------------------------------------------------

void E1_Screen_Titel_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    if (geaendert && W32_Get_Time() - geaendert_zeit >= AUSWAHL_FRIST_MS) auswahl_zuruecksetzen();
    // A window opened over the screen (the talents screen from the card)
    // takes the right click while it is up and lets it go when it closes.
    if (Menue_Get_Rechtsklick_Icon() < 0) Menue_Set_Rechtsklick_Icon(ICON_KADER_MENUE);
    // The frame is drawn before the rows: the drop preview of this frame.
    const Screen_Icon* g = Menue_Get_Klick_Icon();
    if (g && eigenes_gezeigt() && (ist_feld(g) || ist_zeile(g))) E1_Screen_Set_Preview_Array(static_cast<i32>(g->user[0]));
    else vorschau.an = false;
    if (gezeigt >= 0)
        Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::TITEL), eigenes_gezeigt() ? FARBE_WEISS : FARBE_KNOPF_TEXT, 0, 129,
                         "^tz0495%s", Team_String(721, gezeigt, nullptr, 0));
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
        Attribut_Legende_Zeichnen(ziel, Attribut_Legende_Sammeln(kader, n), GRAFIK_ATTRIBUT, KADER_LEGENDE);
    }
}

void E1_Screen_Zeile_Zeichnen(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) {
    const i32 k = static_cast<i32>(i->user[1]);
    const bool vor = vorschau.an && k >= 0 && k < KADER_FELDER && Menue_Get_Klick_Icon() != i;
    const i32 p = vor ? vorschau.spieler[k] : static_cast<i32>(i->user[0]);
    if (p < 0 || p >= Spieler_Anzahl) return;
    if (Menue_Get_Klick_Icon() == i && x < ZEILE_X) {
        // Dragged over the pitch: a shirt where he would go.
        const i32 klasse = std::clamp(wert(MODUS_KLASSE, p), 0, 3);
        if (Rastport* b = Kit_Bild(GRAFIK_KADER_TRIKOT_GEHOBEN + TRIKOT_BILD[klasse]))
            Blt_Blit(b, 0, 0, -1, -1, ziel, x - 2, y - 2, Blt_Opt_Transparent);
        const i32 nummer = wert(MODUS_NUMMER, p);
        if (Font* f = Kit_Font(Kit_Schrift::TEXT))
            Kit_Printf(ziel, f, verfuegbar(p) ? FARBE_WEISS : FARBE_FEHLER,
                       x + 2 - (nummer >= 10 && nummer <= 19 ? 1 : 0), y + 19, "^fb0008^tz0014%d^fe", nummer);
        return;
    }
    const bool gewaehlt = an(i->nummer);
    if (Menue_Get_Aktives_Icon() == i || gewaehlt)
        if (Rastport* b = Kit_Bild(GRAFIK_KADER_ZEILE)) Blt_Blit(b, 0, 0, -1, -1, ziel, x, y, Blt_Opt_Transparent);
    Spielerzeile z{.spieler = p, .x = x, .y = y, .hoehe = ZEILE_H, .gewaehlt = gewaehlt};
    z.gezogen = k >= 0 && k < KADER_ZEILEN && verknuepft_zeile[k] >= 0;
    // The starters' rows show what the player loses at his own cell (at the
    // cell he would take while a drop is previewed).
    if (vor) {
        z.abzug = Spieler_Positionsabzug(p, vorschau.reihe[k]);
        z.gezogen = Menue_Get_Klick_Icon() && p == static_cast<i32>(Menue_Get_Klick_Icon()->user[0]);
    }
    if (!vor && k < 11 && wert(MODUS_SLOT, p) <= 10) z.abzug = Spieler_Positionsabzug(p, wert(MODUS_REIHE, p));
    Spielerzeile_Zeichnen(ziel, z);
}

void E1_Screen_Feld_Zeichnen(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) {
    const i32 p = static_cast<i32>(i->user[0]);
    if (p < 0 || p >= Spieler_Anzahl) return;
    if (!verfuegbar(p)) {
        i->status |= MENUE_S_GRAU;
        return;
    }
    if (!feld_gesperrt) i->status &= ~MENUE_S_GRAU;
    const i32 k = static_cast<i32>(i->user[1]);
    const i32 klasse = std::clamp(wert(MODUS_KLASSE, p), 0, 3);
    const i32 nummer = wert(MODUS_NUMMER, p);
    const i32 links = nummer >= 10 && nummer <= 19 ? 1 : 0;
    const bool gehoben = eigenes_gezeigt() && (an(i->nummer) || Menue_Get_Aktives_Icon() == i ||
                                               Menue_Get_Klick_Icon() == i ||
                                               (k >= 0 && k < KADER_FELDER && verknuepft_feld[k] >= 0));
    // The own shirt being dragged leaves a half-transparent copy at its
    // place, its number one pixel lower.
    if (gehoben && Menue_Get_Klick_Icon() == i && k >= 0 && k < KADER_FELDER) {
        const i32 hx = feld_heim[k][0], hy = feld_heim[k][1];
        if (Rastport* b = Kit_Bild(GRAFIK_KADER_TRIKOT + TRIKOT_BILD[klasse]))
            Blt_Alpha_Prozent_Transparent(b, 0, 0, -1, -1, ziel, hx, hy, 50);
        if (Font* f = Kit_Font(Kit_Schrift::ZAHL)) {
            char t[48];
            std::snprintf(t, sizeof t, "^fb0006^tz0014%d^fe", nummer);
            Kit_Text_Alpha(ziel, f, FARBE_WEISS, t, hx - links, hy - 7 + FELD_H + 1, 50);
        }
    }
    if (gehoben) {
        if (Rastport* b = Kit_Bild(GRAFIK_KADER_TRIKOT_GEHOBEN + TRIKOT_BILD[klasse]))
            Blt_Blit(b, 0, 0, -1, -1, ziel, x - 2, y - 2, Blt_Opt_Transparent);
        if (Font* f = Kit_Font(Kit_Schrift::TEXT))
            Kit_Printf(ziel, f, FARBE_WEISS, x + 2 - links, y + 19, "^fb0008^tz0014%d^fe", nummer);
        return;
    }
    if (Rastport* b = Kit_Bild(GRAFIK_KADER_TRIKOT + TRIKOT_BILD[klasse]))
        Blt_Blit(b, 0, 0, -1, -1, ziel, x, y, Blt_Opt_Transparent);
    if (Font* f = Kit_Font(Kit_Schrift::ZAHL))
        Kit_Printf(ziel, f, FARBE_WEISS, x - links, y - 7 + FELD_H, "^fb0006^tz0014%d^fe", nummer);
}

void E1_Screen_Ansicht_Pruefen(Screen_Icon* i, Rastport*, i32, i32) {
    const bool keine = Team_Ansicht < 0 || Team_Ansicht >= Team_Anzahl;
    if (keine && !(i->status & MENUE_S_GRAU)) {
        i->status |= MENUE_S_GRAU;
        E1_Screen_Anzeigen();
    } else if (!keine && (i->status & MENUE_S_GRAU)) {
        i->status &= ~MENUE_S_GRAU;
        E1_Screen_Anzeigen();
    }
}

// --- Clicks ----------------------------------------------------------------------------

void E1_Screen_Zeile_Klick(Screen_Icon* i, u32 ereignis) {
    const i32 k = static_cast<i32>(i->user[1]);
    if (k < 0 || k >= KADER_ZEILEN) return;
    const i32 p = static_cast<i32>(i->user[0]);
    const i32 s = p >= 0 ? (eigenes_gezeigt() ? wert(MODUS_SLOT, p) : k) : -1;
    if (ereignis & MENUE_E_HOVER_REIN) {
        if (s >= 0 && s < 11) verknuepft_feld[s] = i->nummer;
        return;
    }
    if (ereignis & MENUE_E_HOVER_RAUS) {
        if (s >= 0 && s < 11) verknuepft_feld[s] = -1;
        return;
    }
    if (!(ereignis & MENUE_E_LINKS) || p < 0) return;
    // While the attribute popup is open a row shows its player there.
    if (Attribut_Popup_Offen()) {
        Attribut_Popup_Spieler_Zeigen(p, liste_team);
        return;
    }
    const i32 mx = Maus_Get_X();
    if (mx >= ATTRIBUTE_X0 && mx <= ATTRIBUTE_X1) {
        Attribut_Popup_Oeffnen(p, mx, Maus_Get_Y(), liste_team);
        setzen(i->nummer, false);
        return;
    }
    if (!eigenes_gezeigt()) return;
    waehlen_oder_tauschen(k);
    neu_fuellen();
}

void E1_Screen_Feld_Klick(Screen_Icon* i, u32 ereignis) {
    const i32 p = static_cast<i32>(i->user[0]);
    if (p < 0) return;
    const i32 k = zeile_von_spieler(p);
    if (ereignis & MENUE_E_HOVER_REIN) {
        if (k >= 0) verknuepft_zeile[k] = i->nummer;
        return;
    }
    if (ereignis & MENUE_E_HOVER_RAUS) {
        for (i32& v : verknuepft_zeile) v = -1;
        return;
    }
    if (!(ereignis & MENUE_E_LINKS) || !eigenes_gezeigt() || k < 0) return;
    if (geaendert) geaendert = false, auswahl_loeschen();
    const i32 g = erste_gewaehlte_zeile();
    if (g < 0 || g == k) {
        const bool ein = !an(ICON_KADER_ZEILE + k);
        setzen(ICON_KADER_ZEILE + k, ein);
        setzen(i->nummer, ein);
    } else {
        waehlen_oder_tauschen(k);
    }
    neu_fuellen();
}

void E1_Screen_Spielfeld_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || !eigenes_gezeigt() || geaendert) return;
    const i32 g = erste_gewaehlte_zeile();
    if (g < 0) return;
    i32 p = E1_Screen_Spieler_Von(ICON_KADER_ZEILE + g);
    if (!verfuegbar(p)) {
        refuse();
        return;
    }
    i32 c = Maus_Get_X(), r = Maus_Get_Y();
    if (E1_Screen_Maus_In_Feld(&c, &r)) aufs_feld(p, c, r);
    auswahl_loeschen();
    geaendert = false;
    neu_fuellen();
}

void E1_Screen_Menue_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS))) return;
    // A right click anywhere comes here: it closes an open player window
    // first, opens the card of a player under the mouse, and otherwise goes
    // back to the team menu.
    if (ereignis & MENUE_E_RECHTS) {
        if (Spielerfenster_Schliessen()) {
            auswahl_zuruecksetzen();
            return;
        }
        const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
        for (i32 n = ICON_KADER_ZEILE; n < ICON_KADER_FELD + KADER_FELDER; ++n) {
            const Screen_Icon* i = Kit_Icon(n);
            if (!i || (i->status & MENUE_S_VERSTECKT) || mx < i->x || mx >= i->x + i->w || my < i->y || my >= i->y + i->h)
                continue;
            const i32 p = static_cast<i32>(i->user[0]), t = ist_feld(i) ? feld_team : liste_team;
            if (p < 0 || p >= Spieler_Anzahl) continue;
            Spieler_Info_Screen_Init(p, t, Spielerkarte_Modus_Fuer(t));
            auswahl_zuruecksetzen();
            return;
        }
    }
    if (Screen_Icon* d = Kit_Icon(ICON_DIALOG_TEAM)) Menue_Dialog_Klick(d, MENUE_E_LINKS);
}

void E1_Screen_Auto_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || !eigenes_gezeigt()) return;
    const i32 t = Team_Aktiv;
    const bool ein = !an(ICON_KADER_AUTO);
    setzen(ICON_KADER_AUTO, ein);
    Team_Aufstellung_Manuell(t);
    if (ein) {
        Team_Wert(TEAM_FORMATION, t, AUTOMATISCH, OP_BITS_SETZEN);
        // A network client whose change did not stick keeps its line-up.
        if (!Team_Hat_Manager(t) || (Team_Wert(TEAM_FORMATION, t, 0, OP_LESEN) & AUTOMATISCH)) Aufstellung_Automatisch(t);
    }
    auswahl_loeschen();
    neu_fuellen();
}

void E1_Screen_Ansicht_Klick(Screen_Icon* i, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || (i->status & MENUE_S_GRAU)) return;
    const bool ein = !an(ICON_KADER_ANSICHT);
    setzen(ICON_KADER_ANSICHT, ein);
    setzen(ICON_KADERANSICHT_ANSICHT, ein);
    if (ein && Team_Ansicht >= 0 && Team_Ansicht < Team_Anzahl && ruf::Haelt_Spiel() &&
        (!Team_Hat_Manager(Team_Ansicht) || (Team_Wert(TEAM_FORMATION, Team_Ansicht, 0, OP_LESEN) & AUTOMATISCH)))
        Aufstellung_Automatisch(Team_Ansicht);
    E1_Screen_Anzeigen();
}

// --- Hover texts --------------------------------------------------------------------------

const char* E1_Screen_Hilfetext(Screen_Icon* i) {
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    if (i->zeichnen == E1_Screen_Titel_Zeichnen) {
        if (my < 110) {
            static constexpr i32 GRENZE[8][2] = {{205, 230}, {233, 267}, {268, 399}, {400, 495},
                                                 {496, 545}, {546, 635}, {654, 699}, {724, 760}};
            for (i32 k = 0; k < 8; ++k)
                if (mx >= GRENZE[k][0] && mx <= GRENZE[k][1]) return text(T_HILFE_KOPF + k);
            return nullptr;
        }
        if (my >= 121 && my <= 135 && mx <= 244) return text(T_HILFE_ELF);
        if (my >= 328 && my <= 342 && mx <= 314) return text(T_HILFE_BANK);
        if (my >= 450 && my <= 465 && mx <= 264) return text(T_HILFE_RESERVE);
        return text(T_HILFE_LISTE);
    }
    if (i->klick == E1_Screen_Spielfeld_Klick) return text(T_HILFE_FELD);
    if (i->user[1] == WORT_KNOPF) return text(T_HILFE_KNOPF + static_cast<i32>(i->user[0]));
    const i32 p = static_cast<i32>(i->user[0]);
    if (p < 0 || p >= Spieler_Anzahl) return nullptr;
    if (ist_zeile(i) && mx >= 546 && mx <= 635) {
        const char* name = Global_Get_Hauptattribut_Name(p, (mx - 546) / 30);
        return name && *name ? name : nullptr;
    }
    return Spieler_Hilfetext(p, eigenes_gezeigt(), hilfe, sizeof hilfe);
}

// --- Dragging -------------------------------------------------------------------------------

void E1_Screen_Zeile_Ablegen(Screen_Icon* g, Screen_Icon* ziel, i32 x, i32 y, u32 ereignis) {
    vorschau.an = false;
    if (!(ereignis & MENUE_E_DROP) || !eigenes_gezeigt()) return;
    const i32 p = static_cast<i32>(g->user[0]);
    if (p < 0) return;
    if (geaendert) geaendert = false, auswahl_loeschen();
    if (ist_feld(ziel) || (ist_zeile(ziel) && ziel->y != g->y)) {
        ablegen_tauschen(p, static_cast<i32>(ziel->user[0]));
    } else if (ziel && ziel->klick == E1_Screen_Spielfeld_Klick) {
        i32 c = x, r = y;
        if (!verfuegbar(p)) {
            refuse();
        } else if (E1_Screen_Maus_In_Feld(&c, &r)) {
            // He takes the place of an unavailable starter first, if there is one.
            if (wert(MODUS_SLOT, p) > 10)
                if (const i32 q = erster_ausfall_in_elf(); q >= 0) Spieler_Tauschen_Intern(p, q, Team_Aktiv, Team_Aktiv);
            if (aufs_feld(p, c, r)) geaendert_setzen();
        }
    }
    for (i32& v : verknuepft_zeile) v = -1;
    for (i32& v : verknuepft_feld) v = -1;
    neu_fuellen();
}

void E1_Screen_Feld_Ablegen(Screen_Icon* g, Screen_Icon* ziel, i32 x, i32 y, u32 ereignis) {
    vorschau.an = false;
    if (!(ereignis & MENUE_E_DROP) || !eigenes_gezeigt()) return;
    const i32 p = static_cast<i32>(g->user[0]);
    if (p < 0) return;
    if (geaendert) geaendert = false, auswahl_loeschen();
    if (ist_zeile(ziel) || ist_feld(ziel)) {
        ablegen_tauschen(p, static_cast<i32>(ziel->user[0]));
    } else if (ziel && ziel->klick == E1_Screen_Spielfeld_Klick) {
        i32 c = x, r = y;
        if (E1_Screen_Maus_In_Feld(&c, &r) && aufs_feld(p, c, r)) geaendert_setzen();
    }
    for (i32& v : verknuepft_zeile) v = -1;
    for (i32& v : verknuepft_feld) v = -1;
    neu_fuellen();
}

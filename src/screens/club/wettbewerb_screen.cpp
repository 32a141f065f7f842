#include "screens/club/wettbewerb_screen.h"

#include "screens/club/wettbewerb_intern.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "base/debug.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "grafik_nummern.h"
#include "gui/icon_tabelle.h"
#include "gui/menue.h"
#include "gui/kit.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "gui/wappen.h"
#include "platform/input.h"
#include "screens/teile/scroll.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "season/wettbewerb_config.h"
#include "season/wettbewerb_werte.h"
#include "world/manager.h"
#include "world/modi.h"
#include "world/welt.h"

namespace {

// Texts of the TABELLE section (wettbewerb_intern.h).
using namespace wb_text;

constexpr u32 MODUS_KO = 4, MODUS_TABELLE = 64;
constexpr i32 KNOPF_Y_MIN = 136, KNOPF_Y_MAX = 436;
constexpr i32 SCHALTER_GRENZE_FILTER = 2, SCHALTER_GRENZE_PROGNOSE = 1, SCHALTER_GRENZE_EIGENE = 1,
              SCHALTER_GRENZE_AUSWAHL_A = 0, SCHALTER_GRENZE_AUSWAHL_B = 1;
// Selection bits of the table builder per filter: all, home, away.
constexpr u32 FILTER_BITS[3] = {31, 15, 23};

i32 liste[WB_LISTE_MAX];
i32 liste_anzahl = 0;
i32 scroll_position = 0;
Tabelle tabelle{};
// The state of the last rebuild, read by the draw procedures.
Wb_Stand stand;

Icon_Textzeile filter_text{}, prognose_text{}, eigene_text{}, eigene_text_2{}, auswahl_text{};
char eigene_zeile[64] = "";
Move_Struktur scroll{Tabelle_Screen_Scroll, 0, 0, -1, KNOPF_Y_MIN, KNOPF_Y_MAX, 777, 1, ICON_WB_SPUR};

constexpr Scrollbalken BALKEN{.spur = ICON_WB_SPUR, .knopf = ICON_WB_KNOPF, .liste = ICON_WB_HINTERGRUND,
                              .grafik_spur = GRAFIK_WB_SPUR, .grafik_knopf = GRAFIK_WB_KNOPF, .x = 777, .spur_y = 132,
                              .spur_b = 9, .spur_h = 316, .knopf_x = 777, .knopf_y = KNOPF_Y_MIN, .knopf_b = 9,
                              .knopf_h = 12, .move = &scroll, .ebene = 4};
constexpr u32 TRANSPARENT = MENUE_S_TRANSPARENT, DRUCK = MENUE_S_DRUCKBILD;
// The arrows that step the group, the competition and the matchday.
constexpr Screen_Icon PFEIL{.status = TRANSPARENT | DRUCK, .ebene = 2, .w = 32, .h = 32};
constexpr auto PFEILE = Kit_Zeilen_Eigen(
    PFEIL, {{.nummer = ICON_WB_GRUPPE_ZURUECK, .grafik = GRAFIK_WB_GRUPPE_ZURUECK,
             .gedrueckt = GRAFIK_WB_GRUPPE_ZURUECK_GEDRUECKT, .x = 570, .y = 457,
             .klick = Tabelle_Screen_Gruppe_Zurueck_Klick},
            {.nummer = ICON_WB_GRUPPE_VOR, .grafik = GRAFIK_WB_GRUPPE_VOR, .gedrueckt = GRAFIK_WB_GRUPPE_VOR_GEDRUECKT,
             .x = 602, .y = 457, .klick = Tabelle_Screen_Gruppe_Vor_Klick},
            {.nummer = ICON_WB_WETTBEWERB_ZURUECK, .grafik = GRAFIK_WB_WETTBEWERB_ZURUECK,
             .gedrueckt = GRAFIK_WB_WETTBEWERB_ZURUECK_GEDRUECKT, .x = 265, .y = 487,
             .klick = Tabelle_Screen_Wettbewerb_Zurueck_Klick},
            {.nummer = ICON_WB_WETTBEWERB_VOR, .grafik = GRAFIK_WB_WETTBEWERB_VOR,
             .gedrueckt = GRAFIK_WB_WETTBEWERB_VOR_GEDRUECKT, .x = 297, .y = 487,
             .klick = Tabelle_Screen_Wettbewerb_Vor_Klick},
            {.nummer = ICON_WB_SPIELTAG_ZURUECK, .grafik = GRAFIK_WB_SPIELTAG_ZURUECK,
             .gedrueckt = GRAFIK_WB_SPIELTAG_ZURUECK_GEDRUECKT, .x = 14, .y = 457,
             .klick = Tabelle_Screen_Spieltag_Zurueck_Klick},
            {.nummer = ICON_WB_SPIELTAG_VOR, .grafik = GRAFIK_WB_SPIELTAG_VOR,
             .gedrueckt = GRAFIK_WB_SPIELTAG_VOR_GEDRUECKT, .x = 46, .y = 457,
             .klick = Tabelle_Screen_Spieltag_Vor_Klick}});
// The switches under the list (user word 0: their last state); the
// own-games and the player selection switches stand hidden over the filter
// and the projection until a view shows them.
constexpr Screen_Icon SCHALTER{.grafik = GRAFIK_WB_SCHALTER,
                               .grafik_gedrueckt = GRAFIK_WB_SCHALTER_GEDRUECKT,
                               .status = DRUCK,
                               .ebene = 1,
                               .w = 160,
                               .h = 32};
constexpr auto SCHALTER_KLICK = Tabelle_Screen_Schalter_Klick;
constexpr u32 VERSTECKT = DRUCK | MENUE_S_VERSTECKT;
constexpr auto SCHALTER_REIHE = Kit_Zeilen_Eigen(
    SCHALTER, {{.nummer = ICON_WB_FILTER, .x = 57, .y = 522, .klick = SCHALTER_KLICK, .text = &filter_text,
                .wort = {SCHALTER_GRENZE_FILTER, 0}},
               {.nummer = ICON_WB_PROGNOSE, .grafik = GRAFIK_WB_PROGNOSE, .gedrueckt = GRAFIK_WB_PROGNOSE_GEDRUECKT,
                .x = 600, .y = 522, .klick = SCHALTER_KLICK, .text = &prognose_text,
                .wort = {SCHALTER_GRENZE_PROGNOSE, 0}},
               {.nummer = ICON_WB_EIGENE, .x = 57, .y = 522, .ebene = 2, .klick = SCHALTER_KLICK,
                .text = &eigene_text, .status = VERSTECKT, .wort = {SCHALTER_GRENZE_EIGENE, 0}},
               {.nummer = ICON_WB_AUSWAHL_A, .x = 57, .y = 522, .ebene = 2, .klick = SCHALTER_KLICK,
                .status = VERSTECKT, .wort = {SCHALTER_GRENZE_AUSWAHL_A, 0}},
               {.nummer = ICON_WB_AUSWAHL_B, .x = 600, .y = 522, .ebene = 2, .klick = SCHALTER_KLICK,
                .text = &auswahl_text, .status = VERSTECKT, .wort = {SCHALTER_GRENZE_AUSWAHL_B, 0}}});
constexpr auto GETEILT = Icon_Tabelle_Aus<Icon_Besitzer::WETTBEWERB>(
    Icon_Liste({Icon_Scrollspur(BALKEN), Icon_Scrollknopf(BALKEN)}), PFEILE,
    Icon_Liste({{.nummer = ICON_WB_HINTERGRUND,
                 .grafik = GRAFIK_WB_TABELLE,
                 .x = 4,
                 .y = 86,
                 .status = TRANSPARENT,
                 .klick = Tabelle_Screen_Pokal_Klick,
                 .zeichnen = Tabelle_Screen_Kopf,
                 .ebene = 0,
                 .w = 792,
                 .h = 480}}),
    SCHALTER_REIHE,
    Icon_Liste({{.nummer = ICON_WB_SPIELTAG,
                 .grafik = GRAFIK_WB_BESCHRIFTUNG,
                 .x = 7,
                 .y = 452,
                 .status = TRANSPARENT,
                 .zeichnen = Tabelle_Screen_Spieltag_Text,
                 .ebene = 1,
                 .w = 256,
                 .h = 56},
                {.nummer = ICON_WB_GRUPPE,
                 .grafik = GRAFIK_WB_BESCHRIFTUNG,
                 .x = 540,
                 .y = 452,
                 .status = TRANSPARENT,
                 .zeichnen = Tabelle_Screen_Gruppe_Text,
                 .ebene = 1,
                 .w = 256,
                 .h = 56}}));

// A row's user word 0: its row.
constexpr auto REIHE = Kit_Zeilen<18>({.nummer = ICON_WB_ZEILE_0,
                                       .flags = MENUE_F_NICHT_ABFRAGEN,
                                       .x = 9,
                                       .y = 136,
                                       .zeichnen = Tabelle_Screen_Tabellenzeile,
                                       .ebene = 3,
                                       .farbe = FARBE_WEISS,
                                       .w = 768,
                                       .h = 16},
                                      {.dy = WB_ZEILE_H});
constexpr auto ZEILEN = Icon_Tabelle_Aus<Icon_Besitzer::WETTBEWERB>(REIHE);

const char* text(i32 n) { return Text_cfg_Text(TEXT_TABELLE, n); }

i32 wort(i32 icon) { return static_cast<i32>(Manager_Icon_Word_Data_Lesen(Team_Aktiv, icon)); }
void wort_setzen(i32 icon, i32 wert) { Manager_Icon_Word_Data_Schreiben(Team_Aktiv, icon, static_cast<u32>(wert)); }
i32 knopf(i32 icon) { return static_cast<i32>(Menue_Icon_Zustand(icon)); }
void knopf_setzen(i32 icon, i32 wert) { Menue_Icon_Zustand_Setzen(icon, static_cast<u32>(wert)); }

void status(i16 icon, u32 bit, bool an) {
    if (Screen_Icon* i = Kit_Icon(icon)) i->status = an ? i->status | bit : i->status & ~bit;
}

// The selected competition (a base id), -1 when the list is empty.
i32 gewaehlt() {
    const i32 i = wort(ICON_WB_HINTERGRUND);
    if (liste_anzahl <= 0) return -1;
    return liste[i >= 0 && i < liste_anzahl ? i : 0];
}

// The club's league: its record's field, else the first base league that holds it.
i32 liga_von(i32 team) {
    const i32 l = Team_Wert(TEAM_WERT_LIGA, team, 0, OP_LESEN);
    return l >= 0 ? l : Wettbewerb_Get_Liga_Von_Team(team, true);
}

// Whether a competition of that country counts as the home nation's: the
// game's home nation, or (a game without one) the active club's nation.
bool heimisch(i32 land) {
    if (land < 0) return false;
    if (Team_Heimnation != 65535) return land == static_cast<i32>(Team_Heimnation);
    return Team_Aktiv >= 0 && land == Team_Wert(TEAM_WERT_NATION, Team_Aktiv, 0, OP_LESEN);
}

// The caption of a matchday: a round's text symbol ("*n") resolved against
// the calendar's texts, else the matchday number.
std::string runden_name(i32 id, i32 spieltag) {
    std::string n = Wettbewerb_Get_Runden_Name(id, spieltag, 0);
    if (n.size() > 1 && n[0] == '*') {
        const char* t = n.c_str();
        Text_cfg_Aufloesen(&t, TEXT_KALENDER);
        if (t && *t) return t;
    }
    return n;
}

void schalter_texte() {
    filter_text = Kit_Knopf_Beschriftung(
        text(T_FILTER_0 + std::clamp(knopf(ICON_WB_FILTER), 0, SCHALTER_GRENZE_FILTER)), Kit_Schrift::SCHMAL_GROSS);
    prognose_text = filter_text;
    prognose_text.text = text(T_PROGNOSE_0 + std::clamp(knopf(ICON_WB_PROGNOSE), 0, SCHALTER_GRENZE_PROGNOSE));
    if (knopf(ICON_WB_PROGNOSE)) prognose_text.farbe = prognose_text.farbe_aktiv = FARBE_GOLD;
    // The own-games switch: its label over the active club's name.
    const char* name = Team_Aktiv >= 0 ? Team_String(0, Team_Aktiv, nullptr, 0) : nullptr;
    std::snprintf(eigene_zeile, sizeof eigene_zeile, "%s", name ? name : "");
    eigene_text = filter_text;
    eigene_text.text = text(T_EIGENE);
    eigene_text.flags = ZEILE_ZENTRIERT;
    eigene_text.y = 15;  // two lines' baselines inside the 32 px switch
    eigene_text_2 = eigene_text;
    eigene_text_2.text = eigene_zeile;
    eigene_text_2.y = 29;
    eigene_text.naechste = &eigene_text_2;
    if (knopf(ICON_WB_EIGENE)) eigene_text.farbe = eigene_text.farbe_aktiv = eigene_text_2.farbe =
        eigene_text_2.farbe_aktiv = FARBE_GOLD;
    auswahl_text = filter_text;
    auswahl_text.text = text(T_AUSWAHL_0 + std::clamp(knopf(ICON_WB_AUSWAHL_B), 0, SCHALTER_GRENZE_AUSWAHL_B));
}

// --- the table view's list ------------------------------------------------------------

void ko_liste_bauen(i32 gruppe, i32 spieltag) {
    tabelle = Tabelle{};
    if (spieltag < 1) return;  // not drawn yet
    i32 paare[512];
    const i32 n = std::clamp(Wettbewerb_Get_Paarungen(gruppe, spieltag - 1, paare), 0, 512);
    i32 schluessel[TABELLE_ZEILEN];
    const Wettbewerb_Info* info = Wettbewerb_Get_Info(gruppe);
    const bool inland = info && heimisch(info->land);
    u32 z = 0;
    for (i32 k = 0; k < n && z < TABELLE_ZEILEN; ++k) {
        const i32 team = paare[k];
        if (team < 0) continue;  // a bye
        tabelle.team[z] = static_cast<u32>(team);
        tabelle.reihenfolge[z] = z;
        if (!inland) {
            const i32 nation = Team_Wert(TEAM_WERT_NATION, team, 0, OP_LESEN);
            schluessel[z] = nation + (team == static_cast<i32>(Team_Heimnation) ? 999999 : 0);
        } else {
            const i32 liga = liga_von(team);
            schluessel[z] = 100 - 1000 * Wettbewerb_Get_Wichtigkeit(liga, 0) + liga;
        }
        ++z;
    }
    tabelle.zeilen = z;
    std::stable_sort(tabelle.reihenfolge, tabelle.reihenfolge + z,
                     [&](u32 a, u32 b) { return schluessel[a] < schluessel[b]; });
}

void liga_liste_bauen(i32 gruppe, i32 spieltag) {
    tabelle = Tabelle{};
    if (!Wettbewerb_Get_Tabellen_Teams(gruppe, &tabelle)) {
        tabelle.zeilen = 0;
        return;
    }
    Tabelle_Argumente a;
    a.wettbewerb = gruppe;
    a.erster_spieltag = 0;
    a.letzter_spieltag = spieltag - 1;
    a.optionen = FILTER_BITS[std::clamp(knopf(ICON_WB_FILTER), 0, 2)] | (stand.info.modus & MODUS_TABELLE);
    a.prognose = stand.prognose ? 1 : 0;
    if (spieltag < 1) {
        // Before the first matchday: every club with nothing played (before
        // the competition has started, its entered clubs).
        bool leer = tabelle.zeilen == 0;
        for (u32 z = 0; z < tabelle.zeilen && z < TABELLE_ZEILEN; ++z) leer |= static_cast<i32>(tabelle.team[z]) < 0;
        if (leer)
            if (const Wettbewerb* w = Wettbewerb_Get_Zeiger(gruppe)) {
                const i32 n = std::clamp<i32>(w->startteam_anzahl, 0, std::min<i32>(TABELLE_ZEILEN, WETTBEWERB_MAX_TEAMS));
                u32 z = 0;
                for (i32 k = 0; k < n; ++k)
                    if (w->start_team[k] >= 0) tabelle.team[z++] = static_cast<u32>(w->start_team[k]);
                tabelle.zeilen = z;
            }
        tabelle.zeilen = std::min<u32>(tabelle.zeilen, TABELLE_ZEILEN);
        for (u32 z = 0; z < tabelle.zeilen; ++z) tabelle.reihenfolge[z] = tabelle.vorherige[z] = z;
        return;
    }
    if (Spiele_Get_Tabelle(a, &tabelle) == 0xFFFFFFFFu && tabelle.zeilen > TABELLE_ZEILEN) tabelle.zeilen = 0;
    tabelle.zeilen = std::min<u32>(tabelle.zeilen, TABELLE_ZEILEN);
}

void tabelle_liste_bauen() {
    stand.ko = (stand.info.modus & MODUS_KO) != 0;
    if (Screen_Icon* h = Kit_Icon(ICON_WB_HINTERGRUND)) h->grafik = stand.ko ? GRAFIK_WB_KO : GRAFIK_WB_TABELLE;
    if (stand.ko) knopf_setzen(ICON_WB_PROGNOSE, 0);
    status(ICON_WB_PROGNOSE, MENUE_S_GRAU, stand.ko);
    stand.prognose = knopf(ICON_WB_PROGNOSE) != 0;
    i32 spieltag = stand.spieltag_in_runde;
    if (stand.prognose) spieltag = stand.info.spieltage + 1;
    if (stand.gruppe < 0) tabelle = Tabelle{};
    else if (stand.ko) ko_liste_bauen(stand.gruppe, spieltag);
    else liga_liste_bauen(stand.gruppe, spieltag);
    scroll.stufen = static_cast<i16>(std::max<i32>(static_cast<i32>(tabelle.zeilen) - 17, 0));
}

}  // namespace

// --- list and selection ---------------------------------------------------------------------

i32 Manager_Wettbewerbsliste_Bauen(i32* ziel, bool pruefen) {
    i32* l = ziel ? ziel : liste;
    const i32 n = std::clamp(Wettbewerb_Get_Aktive(-1, l, false), 0, WB_LISTE_MAX);
    if (!ziel) liste_anzahl = n;
    if (pruefen && Team_Aktiv >= 0 && wort(ICON_WB_HINTERGRUND) == -1) {
        const i32 liga = liga_von(Team_Aktiv);
        i32 index = -1;
        for (i32 k = 0; k < n && index < 0; ++k)
            if (l[k] == liga || l[k] == Wettbewerb_Get_Basis_Id(liga)) index = k;
        if (index < 0) {
            Debug_Printf("Manager: Wettbew. nicht gef.!\n");
            index = 0;
        }
        wort_setzen(ICON_WB_HINTERGRUND, index);
    }
    return n;
}

const i32* Tabelle_Wettbewerbsliste(i32* anzahl) {
    if (anzahl) *anzahl = liste_anzahl;
    return liste;
}

i32 Tabelle_Screen_Get_Ansicht() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_WB_ZEILE_0)) return 0;
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_WB_ERGEBNIS_ZEILE_0)) return 1;
    return 2;
}

void Tabelle_Screen_Get_Auswahl(i32* runde, Wb_Auswahl_Info* info, i32* spieltag, i32* gruppe) {
    if (!runde) return;
    const i32 w = gewaehlt();
    const i32 tag = std::max(wort(ICON_WB_SPIELTAG), 0);
    *runde = w >= 0 ? Wettbewerb_Runde_Zu_Spieltag(w, tag - 1) : -1;
    if (info) {
        *info = {};
        if (const Wettbewerb_Info* i = *runde >= 0 ? Wettbewerb_Get_Info(*runde) : nullptr)
            *info = {.modus = i->modus, .teams = i->teams, .spieltage = i->spieltage,
                     .aktueller_spieltag = i->aktueller_spieltag, .land = i->land};
    }
    if (spieltag) *spieltag = tag;
    if (gruppe) *gruppe = *runde >= 0 && Wettbewerb_Gruppen_Liste(*runde, nullptr) > 1 ? std::max(wort(ICON_WB_GRUPPE), 0) : 0;
}

namespace {

// A network client takes the server's current matchdays (the server's may
// have ended since this client's own match did): a table on the latest
// matchday stays on the latest. True when the state changed.
bool stand_holen(i32 ansicht) {
    const i32 w = gewaehlt();
    if (w < 0) return Wettbewerb_Internet_Client_Stand_Auffrischen();
    const i32 vorher = Wettbewerb_Aktueller_Spieltag_Gesamt(w);
    if (!Wettbewerb_Internet_Client_Stand_Auffrischen()) return false;
    if (ansicht == 0 && wort(ICON_WB_SPIELTAG) >= vorher)
        wort_setzen(ICON_WB_SPIELTAG, Wettbewerb_Aktueller_Spieltag_Gesamt(w));
    return true;
}

// The rebuild of the view shown from the state this machine holds.
i32 aufbauen(i32 ansicht) {
    i32 runde = -1, tag = 0, gruppe = 0;
    Tabelle_Screen_Get_Auswahl(&runde, &stand.info, &tag, &gruppe);
    scroll.stufen = 0;
    const i32 w = gewaehlt();
    stand.gesamt = w >= 0 ? Wettbewerb_Spieltage_Gesamt(w) : 0;
    stand.aktuell = w >= 0 ? Wettbewerb_Aktueller_Spieltag_Gesamt(w) : 0;
    if (ansicht == 0 && wort(ICON_WB_SPIELTAG) >= stand.aktuell) {
        wort_setzen(ICON_WB_SPIELTAG, stand.aktuell);
        // The round may have changed with the matchday: its groups decide below.
        Tabelle_Screen_Get_Auswahl(&runde, &stand.info, &tag, &gruppe);
    }
    const bool pfeile_aus = ansicht == 0 && stand.aktuell < 2;
    for (i16 i : {ICON_WB_SPIELTAG_ZURUECK, ICON_WB_SPIELTAG_VOR}) status(i, MENUE_S_GRAU, pfeile_aus);
    const bool gruppen = runde >= 0 && Wettbewerb_Gruppen_Liste(runde, nullptr) > 1;
    for (i16 i : {ICON_WB_GRUPPE, ICON_WB_GRUPPE_ZURUECK, ICON_WB_GRUPPE_VOR}) status(i, MENUE_S_VERSTECKT, !gruppen);

    Tabelle_Screen_Get_Auswahl(&runde, &stand.info, &tag, &gruppe);
    i32 r = w, t = tag;
    if (w >= 0) Wettbewerb_Spieltag_In_Runde(&r, &t);
    stand.runde = w >= 0 ? r : -1;
    stand.spieltag_in_runde = std::max(t, 0);
    stand.gruppe = stand.runde;
    if (stand.runde >= 0 && gruppen) Wettbewerb_Gruppe_Waehlen(&stand.gruppe, gruppe);
    if (stand.runde >= 0 && stand.gruppe < 0) stand.gruppe = stand.runde;  // a stale group word
    if (stand.gruppe >= 0)
        if (const Wettbewerb_Info* i = Wettbewerb_Get_Info(stand.gruppe))
            stand.info = {.modus = i->modus, .teams = i->teams, .spieltage = i->spieltage,
                          .aktueller_spieltag = i->aktueller_spieltag, .land = i->land};

    status(ICON_WB_FILTER, MENUE_S_VERSTECKT, ansicht != 0);  // the results view's own-games switch lies over it
    status(ICON_WB_PROGNOSE, MENUE_S_VERSTECKT, ansicht == 2);
    status(ICON_WB_SPIELTAG, MENUE_S_VERSTECKT, ansicht == 2);
    for (i16 i : {ICON_WB_SPIELTAG_ZURUECK, ICON_WB_SPIELTAG_VOR}) status(i, MENUE_S_VERSTECKT, ansicht == 2);
    status(ICON_WB_EIGENE, MENUE_S_VERSTECKT, ansicht != 1);
    status(ICON_WB_AUSWAHL_A, MENUE_S_VERSTECKT, true);
    status(ICON_WB_AUSWAHL_B, MENUE_S_VERSTECKT, ansicht != 2);
    if (ansicht == 0) tabelle_liste_bauen();
    else if (ansicht == 1) Wb_Ergebnisse_Bauen();
    else Wb_Uebersicht_Bauen();
    schalter_texte();
    const bool scrollen = scroll.stufen > 0;
    for (i16 i : {ICON_WB_SPUR, ICON_WB_KNOPF}) status(i, MENUE_S_VERSTECKT, !scrollen);
    scroll.stufen = static_cast<i16>(scroll.stufen + 1);
    scroll_position = 0;
    if (Screen_Icon* k = Kit_Icon(ICON_WB_KNOPF)) {
        Menue_Scrollbuttonpos_Zuweisen(k);
        scroll_position = scrollen ? std::clamp(Menue_Balkenpos_In_Index(k), 0, scroll.stufen - 1) : 0;
    }
    Blt_Cache_Leeren();
    return scroll_position;
}

}  // namespace

i32 Tabelle_Screen_Aufbauen() {
    const i32 ansicht = Tabelle_Screen_Get_Ansicht();
    stand_holen(ansicht);
    return aufbauen(ansicht);
}

void Tabelle_Screen_Stand_Folgen() {
    const bool offen = Menue_Screen_Icon_Ist_Vorhanden(ICON_WB_ZEILE_0) ||
                       Menue_Screen_Icon_Ist_Vorhanden(ICON_WB_ERGEBNIS_ZEILE_0) ||
                       Menue_Screen_Icon_Ist_Vorhanden(ICON_WB_UEBERSICHT_ZEILE_0);
    if (!offen) return;
    const i32 ansicht = Tabelle_Screen_Get_Ansicht();
    if (stand_holen(ansicht)) aufbauen(ansicht);
}

void Tabelle_Screen_Tabelle_Init() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_WB_ZEILE_0)) return;
    Menue_Screen_Icons_Loeschen_Bereich(4, 0, 0, ARBEITSFLAECHE_X1, ARBEITSFLAECHE_Y1);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(GETEILT.daten());
    Menue_Screen_Icon_Tabelle_Hinzufuegen(ZEILEN.daten());
    if (Screen_Icon* h = Kit_Icon(ICON_WB_HINTERGRUND)) h->grafik = GRAFIK_WB_TABELLE;
    Manager_Wettbewerbsliste_Bauen(nullptr, true);
    Tabelle_Screen_Aufbauen();
}

namespace {

// Opens a view: the shared table and the view's rows, the list, the rebuild.
void ansicht_oeffnen(const Screen_Icon* zeilen, u32 grafik) {
    Menue_Screen_Icons_Loeschen_Bereich(4, 0, 0, ARBEITSFLAECHE_X1, ARBEITSFLAECHE_Y1);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(GETEILT.daten());
    Menue_Screen_Icon_Tabelle_Hinzufuegen(zeilen);
    if (Screen_Icon* h = Kit_Icon(ICON_WB_HINTERGRUND)) h->grafik = grafik;
    Manager_Wettbewerbsliste_Bauen(nullptr, true);
    Tabelle_Screen_Aufbauen();
}

}  // namespace

void Tabelle_Screen_Ergebnisse_Init() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_WB_ERGEBNIS_ZEILE_0)) return;
    ansicht_oeffnen(Wb_Ergebnis_Zeilen(), GRAFIK_WB_TABELLE);
}

void Tabelle_Screen_Uebersicht_Init() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_WB_UEBERSICHT_ZEILE_0)) return;
    ansicht_oeffnen(Wb_Uebersicht_Zeilen(), GRAFIK_WB_UEBERSICHT);
}

const Wb_Stand& Wb_Stand_Holen() { return stand; }
void Wb_Scroll_Stufen(i32 stufen) { scroll.stufen = static_cast<i16>(std::clamp(stufen, 0, 30000)); }
i32 Wb_Erste_Zeile() {
    const Screen_Icon* spur = Kit_Icon(ICON_WB_SPUR);
    return spur && !(spur->status & MENUE_S_VERSTECKT) ? scroll_position : 0;
}
i32 Wb_Wort(i32 icon) { return wort(icon); }
i32 Wb_Knopf(i32 icon) { return knopf(icon); }
void Wb_Knopf_Setzen(i32 icon, i32 wert) { knopf_setzen(icon, wert); }
void Wb_Status(i16 icon, u32 bit, bool an) { status(icon, bit, an); }
std::string Wb_Runden_Name(i32 id, i32 spieltag) { return runden_name(id, spieltag); }
i32 Wb_Liga_Von(i32 team) { return liga_von(team); }
bool Wb_Heimisch(i32 land) { return heimisch(land); }

void Tabelle_Screen_Aktualisieren() {
    Manager_Wettbewerbsliste_Bauen(nullptr, true);
    if (Team_Aktiv >= 0) {
        const i32 w = gewaehlt();
        if (w >= 0) wort_setzen(ICON_WB_SPIELTAG, Wettbewerb_Aktueller_Spieltag_Gesamt(w) + 1);
    }
    Tabelle_Screen_Aufbauen();
}

// --- clicks ---------------------------------------------------------------------------------

namespace {

// After every arrow: projection off, the screen built anew.
void pfeil_fertig() {
    knopf_setzen(ICON_WB_PROGNOSE, 0);
    Tabelle_Screen_Aufbauen();
}

// The previous (-1) or next (+1) competition of the list, at its current matchday.
void wettbewerb_schritt(i32 richtung) {
    Blt_Cache_Leeren();
    if (liste_anzahl > 0) {
        const i32 index = (std::clamp(wort(ICON_WB_HINTERGRUND), 0, liste_anzahl - 1) + richtung + liste_anzahl) %
                          liste_anzahl;
        wort_setzen(ICON_WB_HINTERGRUND, index);
        wort_setzen(ICON_WB_SPIELTAG, Wettbewerb_Aktueller_Spieltag_Gesamt(liste[index]) + 1);
    }
    pfeil_fertig();
}

// The previous or next matchday, wrapping within the played ones (all with
// the fixtures' view).
void spieltag_schritt(i32 richtung) {
    Blt_Cache_Leeren();
    if (const i32 w = gewaehlt(); w >= 0) {
        const i32 hoechster =
            Tabelle_Screen_Get_Ansicht() == 0 ? Wettbewerb_Aktueller_Spieltag_Gesamt(w) : Wettbewerb_Spieltage_Gesamt(w);
        i32 tag = wort(ICON_WB_SPIELTAG);
        if (richtung < 0) tag = tag < 2 ? hoechster : tag - 1;
        else tag = tag < hoechster ? tag + 1 : 1;
        wort_setzen(ICON_WB_SPIELTAG, tag);
    }
    pfeil_fertig();
}

// The previous or next group of the round shown, wrapping.
void gruppe_schritt(i32 richtung) {
    Blt_Cache_Leeren();
    i32 runde = -1;
    Tabelle_Screen_Get_Auswahl(&runde, nullptr, nullptr, nullptr);
    if (const i32 n = runde >= 0 ? Wettbewerb_Gruppen_Liste(runde, nullptr) : 0; n > 0) {
        i32 gruppe = wort(ICON_WB_GRUPPE);
        if (richtung < 0) gruppe = gruppe < 1 ? n - 1 : gruppe - 1;
        else gruppe = gruppe >= n - 1 ? 0 : gruppe + 1;
        wort_setzen(ICON_WB_GRUPPE, gruppe);
    }
    pfeil_fertig();
}

}  // namespace

void Tabelle_Screen_Pfeil_Klick(Screen_Icon* icon, u32 ereignis) {
    if (icon && icon->klick && icon->klick != Tabelle_Screen_Pfeil_Klick) icon->klick(icon, ereignis);
}
void Tabelle_Screen_Wettbewerb_Zurueck_Klick(Screen_Icon*, u32) { wettbewerb_schritt(-1); }
void Tabelle_Screen_Wettbewerb_Vor_Klick(Screen_Icon*, u32) { wettbewerb_schritt(1); }
void Tabelle_Screen_Spieltag_Zurueck_Klick(Screen_Icon*, u32) { spieltag_schritt(-1); }
void Tabelle_Screen_Spieltag_Vor_Klick(Screen_Icon*, u32) { spieltag_schritt(1); }
void Tabelle_Screen_Gruppe_Zurueck_Klick(Screen_Icon*, u32) { gruppe_schritt(-1); }
void Tabelle_Screen_Gruppe_Vor_Klick(Screen_Icon*, u32) { gruppe_schritt(1); }

void Tabelle_Screen_Pokal_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    const i32 x = Maus_Get_X(), y = Maus_Get_Y();
    if (y < 478 || y > 556) return;
    i16 n = -1;
    if (x >= 329 && x <= 400) n = ICON_WB_WETTBEWERB_ZURUECK;
    else if (x >= 470 && x <= 541) n = ICON_WB_WETTBEWERB_VOR;
    if (n >= 0) Tabelle_Screen_Pfeil_Klick(Kit_Icon(n), ereignis);
}

void Tabelle_Screen_Schalter_Klick(Screen_Icon* icon, u32 ereignis) {
    if (!icon || !(ereignis & MENUE_E_LINKS) || (icon->status & MENUE_S_GRAU)) return;
    const i32 grenze = static_cast<i32>(icon->user[0]);  // a switch's user word 0: its highest state
    const i32 neu = knopf(icon->nummer) + 1;
    knopf_setzen(icon->nummer, neu > grenze ? 0 : neu);
    Tabelle_Screen_Aufbauen();
}

void Tabelle_Screen_Scroll(Screen_Icon*, i32 index, u32) { Screen_Scroll_Gemeldet(&scroll_position, index); }

// The group's second name beside its arrows (the table view draws the rest,
// wettbewerb_tabelle.cpp).
void Tabelle_Screen_Gruppe_Text(Screen_Icon*, Rastport* ziel, i32, i32 y) {
    if (stand.gruppe < 0) return;
    Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::SCHMAL_GROSS), FARBE_WEISS, 0, y + 35, Kit_Schein::GLATT,
                      {Kit_Ausrichtung::MITTE, 718}, "%s", Wettbewerb_Get_Zweitname(stand.gruppe).c_str());
}

const Tabelle& Tabelle_Screen_Tabelle() { return tabelle; }
i32 Tabelle_Screen_Scrollposition() { return scroll_position; }

Screen_Def Wettbewerb_Ergebnisse_Screen_Def() {
    return {.name = "Ergebnisse",
            .icons = Icon_Besitzer::WETTBEWERB,
            .rahmen = ICON_WB_ERGEBNIS_ZEILE_0,
            .arbeitsflaeche = true,
            .oeffnen = Tabelle_Screen_Ergebnisse_Init};
}

Screen_Def Wettbewerb_Uebersicht_Screen_Def() {
    return {.name = "Vereinsuebersicht",
            .icons = Icon_Besitzer::WETTBEWERB,
            .rahmen = ICON_WB_UEBERSICHT_ZEILE_0,
            .arbeitsflaeche = true,
            .oeffnen = Tabelle_Screen_Uebersicht_Init};
}

Screen_Def Wettbewerb_Tabelle_Screen_Def() {
    return {.name = "Tabelle",
            .icons = Icon_Besitzer::WETTBEWERB,
            .rahmen = ICON_WB_ZEILE_0,
            .arbeitsflaeche = true,
            .oeffnen = Tabelle_Screen_Tabelle_Init};
}

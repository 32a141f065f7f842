// The competition screen's results and fixtures view and its team overview:
// their row lists (built as a step of the common rebuild), rows and headings.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/tools.h"
#include "graphics/alpha.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "gui/wappen.h"
#include "screens/club/wettbewerb_intern.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "season/wettbewerb_werte.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/modi.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

// Texts of the TABELLE section.
enum : i32 {
    T_VEREIN = 8,
    T_ERGEBNISSE = 20,
    T_STAERKE = 21,
    T_HEIM = 22,
    T_GAST = 23,
    T_ERGEBNIS = 24,
    T_SPIELE_VON = 25,
    T_UEBERSICHT = 29,
    T_RANG = 30,
    T_WERT = 32,
    T_MANNSCHAFTEN = 35,
    T_NICHT_AUSGELOST = 41,
    T_FREILOS = 43,
    T_KEINE_SPIELE = 44,
    T_WERT_JE_SPIELER = 59,
    T_SCHNITT = 60,
    T_PLATZ = 7,
    T_AUSWAHL_0 = 55,  // 55..58 the players counted: "Alle Spieler", "Stammelf", ...
};
constexpr i32 T_E1_FAEHIGKEITEN = 8;  // EINSETZEN_1: special attributes
constexpr u32 MODUS_KO = 4;
constexpr u32 BITS_A[4] = {0, 1, 2, 4}, BITS_B[4] = {0, 16, 32, 65536};

Tabelle_Ergebnis_Zeile ergebnisse[WB_ERGEBNISSE_MAX];
i32 ergebnis_anzahl = 0;
bool eigene_spiele = false;
Tabelle_Uebersicht_Zeile uebersicht[WB_UEBERSICHT_MAX];
i32 uebersicht_anzahl = 0;

const char* text(i32 n) { return Text_cfg_Text(TEXT_TABELLE, n); }
const char* name_von(i32 team) {
    const char* n = team >= 0 ? Team_String(0, team, nullptr, 0) : nullptr;
    return n ? n : "";
}

// A row's user word 0: its row.
constexpr auto ERGEBNIS_REIHE = Kit_Zeilen<9>({.nummer = ICON_WB_ERGEBNIS_ZEILE_0,
                                               .flags = MENUE_F_NICHT_ABFRAGEN,
                                               .x = 9,
                                               .y = 136,
                                               .zeichnen = Tabelle_Screen_Ergebniszeile,
                                               .ebene = 3,
                                               .farbe = FARBE_WEISS,
                                               .w = 768,
                                               .h = 33},
                                              {.dy = WB_ERGEBNIS_ZEILE_H});
constexpr auto ERGEBNIS_ZEILEN = Icon_Tabelle_Aus<Icon_Besitzer::WETTBEWERB>(ERGEBNIS_REIHE);
constexpr auto UEBERSICHT_REIHE = Kit_Zeilen<18>({.nummer = ICON_WB_UEBERSICHT_ZEILE_0,
                                                  .flags = MENUE_F_NICHT_ABFRAGEN,
                                                  .x = 9,
                                                  .y = 136,
                                                  .zeichnen = Tabelle_Screen_Uebersichtzeile,
                                                  .ebene = 3,
                                                  .farbe = FARBE_WEISS,
                                                  .w = 768,
                                                  .h = 16},
                                                 {.dy = WB_ZEILE_H});
constexpr auto UEBERSICHT_ZEILEN = Icon_Tabelle_Aus<Icon_Besitzer::WETTBEWERB>(UEBERSICHT_REIHE);

// The key that orders the rows of a matchday: the home nation's clubs
// first, then by the weight of their league and their place in it.
i64 team_schluessel(i32 team, i32 platz) {
    if (team < 0) return 0;
    const i32 nation = Team_Wert(TEAM_WERT_NATION, team, 0, OP_LESEN);
    const i32 liga = Wb_Liga_Von(team);
    const i64 w = liga >= 0 ? Wettbewerb_Get_Wichtigkeit(liga, 0) : 0;
    return nation + (Wb_Heimisch(nation) ? 99999 : 0) + 1000 * w * w + liga + (100 - platz);
}

// The rows of the results view: the games of the group on the matchday, or
// the own club's games; both legs read from the games.
void ergebnisse_fuellen(const Tabelle_Team_Spiel* eigene, bool prognose) {
    const Wb_Stand& st = Wb_Stand_Holen();
    const i32 tag = std::max(st.spieltag_in_runde, 1);
    bool gestoppt = false;
    for (i32 runde = 0; runde < (eigene ? 1 : 2); ++runde) {
        for (i32 z = 0; z < ergebnis_anzahl; ++z) {
            Tabelle_Ergebnis_Zeile& r = ergebnisse[z];
            r.text[runde][0] = 0;
            r.tore[1][runde] = -1;  // leg 0 clears the second leg's home goals, leg 1 its away goals
            if (gestoppt) continue;
            const i32 handle = eigene ? Spiele_Lock(static_cast<u32>(eigene[z].gruppe), static_cast<u32>(eigene[z].spieltag),
                                                    static_cast<u32>(runde), static_cast<u32>(eigene[z].index))
                                      : Spiele_Lock(static_cast<u32>(st.gruppe), static_cast<u32>(tag - 1),
                                                    static_cast<u32>(runde), static_cast<u32>(z));
            Spiele_Lock_Halter lock(handle);
            const Spiel* s = lock ? Spiele_Get_Spiel(lock.Handle(), false) : nullptr;
            if (!s) {
                if (!eigene) gestoppt = true;
                continue;
            }
            i32 a = s->tore_a, b = s->tore_b;
            if (prognose) Spiele_Get_Ergebnis(lock.Handle(), &a, &b, nullptr, 0);
            r.tore[runde][0] = a, r.tore[runde][1] = b;
            if (runde == 0) {
                r.heim = s->team_a, r.gast = s->team_b;
                const i32 gruppe = eigene ? eigene[z].gruppe : st.gruppe;
                r.heim_platz = r.heim >= 0 ? Wettbewerb_Get_Tabellenplatz(gruppe, r.heim) + 1 : 0;
                r.gast_platz = r.gast >= 0 ? Wettbewerb_Get_Tabellenplatz(gruppe, r.gast) + 1 : 0;
                r.tag = Kalender_Get_Spieltermin(s->wettbewerb, s->spieltag, 0);
            }
            const char* t = Spiele_Get_Ergebnis_Text(lock.Handle(), prognose);
            std::snprintf(r.text[runde], sizeof r.text[runde], "%s", t ? t : "");
        }
    }
}

void ergebnisse_ordnen() {
    i64 schluessel[WB_ERGEBNISSE_MAX];
    for (i32 z = 0; z < ergebnis_anzahl; ++z)
        schluessel[z] = team_schluessel(ergebnisse[z].heim, ergebnisse[z].heim_platz) +
                        team_schluessel(ergebnisse[z].gast, ergebnisse[z].gast_platz);
    for (i32 i = 0; i < ergebnis_anzahl; ++i)
        for (i32 j = i + 1; j < ergebnis_anzahl; ++j)
            if (ergebnisse[i].heim >= 0 && schluessel[j] >= schluessel[i]) {
                std::swap(ergebnisse[i], ergebnisse[j]);
                std::swap(schluessel[i], schluessel[j]);
            }
}

// The results' columns. A pairing's two sides: each club's name and its
// line under it from the side's left, its strength at the side's right
// edge. The score: a score from its left, an open one centred. The heads
// are drawn from their panel's edge, 1 px right of the rows' left: the
// home head 13 px left of its side's middle, the away head 2 px, the
// score's 11 px right of its middle.
constexpr i16 KOPF_RAND = 1;
constexpr Kit_Spalte ERGEBNIS_SPALTEN[] = {
    {.x = 52, .breite = 198, .kopf = Kit_Kopf::MITTE, .kopf_versatz = -13 - KOPF_RAND},
    {.x = 321, .breite = 193, .kopf = Kit_Kopf::MITTE, .kopf_versatz = -2 - KOPF_RAND},
    {.x = 630, .breite = 40, .kopf = Kit_Kopf::MITTE, .kopf_versatz = 11 - KOPF_RAND},
};
constexpr std::span<const Kit_Spalte, 2> PAARUNG = std::span(ERGEBNIS_SPALTEN).first<2>();
constexpr Kit_Stelle ERGEBNIS = Kit_Spalte_Stelle(ERGEBNIS_SPALTEN[2]);
constexpr Kit_Stelle OFFEN{Kit_Ausrichtung::MITTE, ERGEBNIS_SPALTEN[2].x + ERGEBNIS_SPALTEN[2].breite / 2};
// Beside the score column: the date of a match still to play at its right
// edge, two legs' scores further left.
constexpr Kit_Stelle DATUM{Kit_Ausrichtung::RECHTS, 742};
constexpr Kit_Stelle ZWEI_SPIELE{Kit_Ausrichtung::LINKS, 570};
// The team overview's columns (from the rows' left): rank (its head at the
// left), crest, club (its head a little left of the names), strength, the
// attributes, the mean, the value and the value per player, each value at
// its column's right edge, its head centred over it. The head is drawn
// from 8 px left of the rows: every head moved right by as much.
constexpr i16 KOPF_DX = 8;
constexpr Kit_Spalte UEBERSICHT[] = {
    {.x = 11, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = 25, .kopf = Kit_Kopf::LINKS, .kopf_versatz = KOPF_DX},
    {.x = 44, .kopf = Kit_Kopf::KEINER},
    {.x = 74, .kopf_versatz = KOPF_DX - 8},
    {.x = 290, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = 46, .kopf = Kit_Kopf::MITTE, .kopf_versatz = KOPF_DX},
    {.x = 373, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = 22, .kopf = Kit_Kopf::MITTE, .kopf_versatz = KOPF_DX},
    {.x = 429, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = 34, .kopf = Kit_Kopf::MITTE, .kopf_versatz = KOPF_DX},
    {.x = 489, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = 118, .kopf = Kit_Kopf::MITTE, .kopf_versatz = KOPF_DX},
    {.x = 632, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = 130, .kopf = Kit_Kopf::MITTE, .kopf_versatz = KOPF_DX},
};
enum Uebersicht_Spalte { U_RANG, U_WAPPEN, U_VEREIN, U_STAERKE, U_ATTRIBUTE, U_SCHNITT };

// A club's line under its name: its place, or its league or nation in a knock-out round.
void platz_zeile(Rastport* ziel, i32 team, i32 platz, const Kit_Spalte& seite, i32 y) {
    const Wb_Stand& st = Wb_Stand_Holen();
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    if (!(st.info.modus & MODUS_KO)) {
        if (st.spieltag_in_runde >= 2 && platz > 0)
            Kit_Tabelle_Zelle_Printf(ziel, f, FARBE_WEISS, 0, y, Kit_Schein::SCHLICHT, seite, "%d. %s", platz,
                                     text(T_PLATZ));
        return;
    }
    const i32 liga = Wb_Liga_Von(team);
    const u16 farbe = Farbe_Team_Name(team, st.gruppe);
    if (!Wb_Heimisch(st.info.land) && liga >= 0 && !Wettbewerb_Ist_Basisliga(liga)) {
        const i32 nation = Team_Wert(TEAM_WERT_NATION, team, 0, OP_LESEN);
        Kit_Tabelle_Zelle_Printf(ziel, f, farbe, 0, y, Kit_Schein::SCHLICHT, seite, "(^gll%04d %s)", nation,
                                 name_von(nation));
        return;
    }
    const i32 p = liga >= 0 ? Wettbewerb_Get_Tabellenplatz(liga, team) + 1 : 0;
    Kit_Tabelle_Zelle_Printf(ziel, f, farbe, 0, y, Kit_Schein::SCHLICHT, seite, "%d. (%s)", p,
                             Wettbewerb_Get_Name(liga, false).c_str());
}

void seite_zeichnen(Rastport* ziel, i32 team, i32 platz, bool heim, i32 x, i32 y) {
    const Wb_Stand& st = Wb_Stand_Holen();
    const Kit_Spalte& seite = PAARUNG[heim ? 0 : 1];
    Kit_Tabelle_Zelle_Printf(ziel, Kit_Font(Kit_Schrift::SCHMAL_GROSS), Farbe_Team_Name(team, st.gruppe), 0, y + 15,
                             Kit_Schein::GLATT, seite, "%s", name_von(team));
    Wappen_Blit(team, ziel, x + (heim ? 7 : 276), y + 1, 28, 28, nullptr);
    platz_zeile(ziel, team, platz, seite, y + 28);
    Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::TEXT), FARBE_WEISS, 0, y + 28, Kit_Schein::SCHLICHT,
                      {Kit_Ausrichtung::RECHTS, seite.x + seite.breite}, "%s %s", text(T_STAERKE),
                      Team_Staerke_Anzeige_Text(team));
}

}  // namespace

const Screen_Icon* Wb_Ergebnis_Zeilen() { return ERGEBNIS_ZEILEN.daten(); }
const Screen_Icon* Wb_Uebersicht_Zeilen() { return UEBERSICHT_ZEILEN.daten(); }

const Tabelle_Ergebnis_Zeile* Tabelle_Screen_Ergebnisse(i32* anzahl) {
    if (anzahl) *anzahl = ergebnis_anzahl;
    return ergebnisse;
}
const Tabelle_Uebersicht_Zeile* Tabelle_Screen_Uebersicht(i32* anzahl) {
    if (anzahl) *anzahl = uebersicht_anzahl;
    return uebersicht;
}

i32 Tabelle_Team_Spiele_Sammeln(i32 wettbewerb, i32 team, Tabelle_Team_Spiel* liste, i32 max) {
    i32 n = 0;
    i32 runden[WB_LISTE_MAX + 1];
    const i32 rn = Wettbewerb_Runden_Liste(Wettbewerb_Get_Basis_Id(wettbewerb), runden);
    for (i32 r = 0; r < rn; ++r) {
        i32 gruppen[WB_LISTE_MAX + 1];
        const i32 gn = Wettbewerb_Gruppen_Liste(runden[r], gruppen);
        for (i32 g = 0; g < gn; ++g) {
            const Wettbewerb_Info* info = Wettbewerb_Get_Info(gruppen[g]);
            const i32 tage = info ? std::max(info->spieltage, 0) : 0;
            for (i32 tag = 0; tag < tage; ++tag) {
                const i32 spiele = std::max(Wettbewerb_Get_Anz_Spiele(gruppen[g], tag), 0);
                for (i32 i = 0; i < spiele; ++i) {
                    Spiele_Lock_Halter lock(Spiele_Lock(static_cast<u32>(gruppen[g]), static_cast<u32>(tag), 0,
                                                        static_cast<u32>(i)));
                    const Spiel* s = lock ? Spiele_Get_Spiel(lock.Handle(), false) : nullptr;
                    if (!s || s->team_a < 1 || s->team_b <= 0 || (s->team_a != team && s->team_b != team)) continue;
                    if (n < max) liste[n++] = {gruppen[g], tag, 0, i};
                }
            }
        }
    }
    return n;
}

void Wb_Ergebnisse_Bauen() {
    const Wb_Stand& st = Wb_Stand_Holen();
    bool prognose = Wb_Knopf(ICON_WB_PROGNOSE) != 0;
    eigene_spiele = Wb_Knopf(ICON_WB_EIGENE) != 0;
    const i32 tag = std::max(st.spieltag_in_runde, 1);
    static Tabelle_Team_Spiel eigene[WB_TEAM_SPIELE_MAX];
    for (Tabelle_Ergebnis_Zeile& r : ergebnisse) r = Tabelle_Ergebnis_Zeile{};
    if (st.gruppe < 0) {
        ergebnis_anzahl = 0;
    } else if (eigene_spiele) {
        // The results list holds 131 rows: a club with more games shows its first 131.
        ergebnis_anzahl = std::min(Tabelle_Team_Spiele_Sammeln(st.gruppe, Team_Aktiv, eigene, WB_TEAM_SPIELE_MAX),
                                   WB_ERGEBNISSE_MAX);
    } else {
        ergebnis_anzahl = std::clamp(Wettbewerb_Get_Anz_Spiele(st.gruppe, tag - 1), 0, WB_ERGEBNISSE_MAX);
    }
    for (i16 i : {ICON_WB_SPIELTAG_ZURUECK, ICON_WB_SPIELTAG_VOR}) Wb_Status(i, MENUE_S_GRAU, eigene_spiele);
    ergebnisse_fuellen(eigene_spiele ? eigene : nullptr, prognose);
    // Projection only for a matchday not yet passed.
    const bool prognose_moeglich = ergebnis_anzahl > 0 && ergebnisse[0].heim >= 0 && Wb_Wort(ICON_WB_SPIELTAG) >= st.aktuell;
    if (!prognose_moeglich && prognose) {
        Wb_Knopf_Setzen(ICON_WB_PROGNOSE, 0);
        prognose = false;
        ergebnisse_fuellen(eigene_spiele ? eigene : nullptr, false);
    }
    Wb_Status(ICON_WB_PROGNOSE, MENUE_S_GRAU, !prognose_moeglich);
    if (!eigene_spiele) ergebnisse_ordnen();
    Wb_Scroll_Stufen(ergebnis_anzahl - 8);
}

void Tabelle_Screen_Ergebniszeile(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y) {
    if (!icon) return;
    const i32 zeile = static_cast<i32>(icon->user[0]) + Wb_Erste_Zeile();
    Font* f = Kit_Font(Kit_Schrift::SCHMAL_GROSS);
    if (ergebnis_anzahl == 0 && zeile == 0) {
        Kit_Tabelle_Zelle_Printf(ziel, f, FARBE_WEISS, 0, y + 25, Kit_Schein::GLATT, PAARUNG[0], "%s",
                                 text(T_KEINE_SPIELE));
        return;
    }
    if (zeile < 0 || zeile >= ergebnis_anzahl) return;
    const Tabelle_Ergebnis_Zeile& r = ergebnisse[zeile];
    if (zeile % 2) Blt_Rechteck_Alpha(ziel, x, y, 768, 33, FARBE_ZEILE_HELL, 60);
    if (r.heim < 0 || r.gast < 0) {
        // No home club: the pairing is not drawn yet; no away club: a bye.
        const bool offen = r.heim < 0;
        Kit_Tabelle_Zelle_Printf(ziel, f, offen ? FARBE_HELL : FARBE_WEISS, 0, y + 25, Kit_Schein::GLATT, PAARUNG[0], "%s",
                         text(offen ? T_NICHT_AUSGELOST : T_FREILOS));
        if (r.heim < 0) return;
    }
    seite_zeichnen(ziel, r.heim, r.heim_platz, true, x, y);
    if (r.gast >= 0) seite_zeichnen(ziel, r.gast, r.gast_platz, false, x, y);
    if (r.tore[0][0] < 0) {
        if (eigene_spiele)
            Kit_Printf_Stelle(ziel, f, FARBE_HELL, 0, y + 22, Kit_Schein::GLATT, DATUM, "(%s)",
                              Kalender_Get_Datum_Text(r.tag, false));
        else Kit_Printf_Stelle(ziel, f, FARBE_HELL, 0, y + 22, Kit_Schein::GLATT, OFFEN, "- : -");
    } else if (r.tore[1][0] < 0) {
        Kit_Printf_Stelle(ziel, f, FARBE_GEWAEHLT, 0, y + 25, Kit_Schein::GLATT, ERGEBNIS, "^fb0012%d:%d ^fe%s",
                          r.tore[0][0], r.tore[0][1],
                         r.text[0]);
    } else {
        // Two legs: the second leg's score from the first-listed club's side, the first leg in brackets.
        Kit_Printf_Stelle(ziel, f, FARBE_GEWAEHLT, 0, y + 25, Kit_Schein::GLATT, ZWEI_SPIELE,
                          "^fb0010%d:%d (%d:%d) ^fe%s", r.tore[1][1],
                         r.tore[1][0], r.tore[0][0], r.tore[0][1], r.text[1]);
    }
}

void Wb_Ergebnisse_Kopf(Rastport* ziel, i32 x, i32 y) {
    const Wb_Stand& st = Wb_Stand_Holen();
    if (st.gruppe < 0) return;
    const i32 tag = std::max(st.spieltag_in_runde, 1);
    const char* datum = ergebnis_anzahl > 0 && ergebnisse[0].tag >= 0 ? Kalender_Get_Datum_Text(ergebnisse[0].tag, true) : "";
    Font* f = Kit_Font(Kit_Schrift::SCHMAL_GROSS);
    if (eigene_spiele)
        Kit_Printf_Glatt(ziel, f, FARBE_WEISS, x + 10, y + 21, "%s %s    %s", text(T_SPIELE_VON), name_von(Team_Aktiv),
                         Wettbewerb_Get_Name(st.gruppe, true).c_str());
    else
        Kit_Printf_Glatt(ziel, f, FARBE_WEISS, x + 10, y + 21, "%s %s    %s%s%s", text(T_ERGEBNISSE),
                         Wettbewerb_Get_Name(st.gruppe, true).c_str(), Wb_Runden_Name(st.gruppe, tag - 1).c_str(),
                         Kit_Einzug_Bei({Kit_Ausrichtung::RECHTS, 766 - x}).code, datum ? datum : "");
    Kit_Tabelle_Kopf_Printf(ziel, Kit_Font(Kit_Schrift::SCHMAL), FARBE_KOPF, x - 3, y + 45, Kit_Schein::GLATT,
                            ERGEBNIS_SPALTEN, "\t%s\t%s\t%s", text(T_HEIM), text(T_GAST), text(T_ERGEBNIS));
}

// --- team overview ---------------------------------------------------------------------

void Wb_Uebersicht_Bauen() {
    const Wb_Stand& st = Wb_Stand_Holen();
    const u32 bits = BITS_B[std::clamp(Wb_Knopf(ICON_WB_AUSWAHL_B), 0, 3)] | BITS_A[std::clamp(Wb_Knopf(ICON_WB_AUSWAHL_A), 0, 3)];
    for (i16 i : {ICON_WB_SPIELTAG_ZURUECK, ICON_WB_SPIELTAG_VOR}) Wb_Status(i, MENUE_S_GRAU, false);
    uebersicht_anzahl = 0;
    const i32 tag = std::max(st.spieltag_in_runde, 1);
    const i32 spiele = st.gruppe >= 0 ? std::max(Wettbewerb_Get_Anz_Spiele(st.gruppe, tag - 1), 0) : 0;
    // The matchday's clubs, -1 for a bye. Before the draw its games hold no
    // clubs (no home side): the competition's clubs then.
    static i32 teams[128];
    i32 anzahl = 0;
    bool ausgelost = true;
    for (i32 i = 0; i < spiele && ausgelost && anzahl + 1 < WB_UEBERSICHT_MAX; ++i) {
        Spiele_Lock_Halter lock(Spiele_Lock(static_cast<u32>(st.gruppe), static_cast<u32>(tag - 1), 0, static_cast<u32>(i)));
        const Spiel* s = lock ? Spiele_Get_Spiel(lock.Handle(), false) : nullptr;
        if (!s) continue;
        if (s->team_a < 0) {
            ausgelost = false;
            break;
        }
        teams[anzahl++] = s->team_a;
        teams[anzahl++] = s->team_b < 0 ? -1 : s->team_b;
    }
    if (!ausgelost) {
        // Before the competition has started its current clubs are not set
        // either: its entered clubs.
        anzahl = 0;
        if (const Wettbewerb* w = st.gruppe >= 0 ? Wettbewerb_Get_Zeiger(st.gruppe) : nullptr) {
            const i32 n = std::clamp<i32>(w->aktuelle_teams, 0, 128);
            for (i32 k = 0; k < n; ++k)
                if (w->aktuelle_team[k] >= 0) teams[anzahl++] = w->aktuelle_team[k];
            if (anzahl == 0)
                for (i32 k = 0; k < std::clamp<i32>(w->startteam_anzahl, 0, 128); ++k)
                    if (w->start_team[k] >= 0) teams[anzahl++] = w->start_team[k];
        }
        anzahl = std::min(anzahl, WB_UEBERSICHT_MAX);
    }
    for (i32 i = 0; i < anzahl; ++i) {
        const i32 team = teams[i];
        Tabelle_Uebersicht_Zeile& z = uebersicht[uebersicht_anzahl++];
        z = Tabelle_Uebersicht_Zeile{};
        z.team = team;
        if (team < 0) continue;  // a bye
        z.staerke = Team_Staerke_Anzeige(team, bits);
        z.attribute = Team_Get_Attribut_Text(team, bits);
        i32 spieler[20];
        z.spieler = std::clamp(Teamspieler_Ins_Array(team, spieler, 20, bits), 0, 20);
        for (i32 k = 0; k < z.spieler; ++k) z.wert += Spieler_Wert(SPIELER_WERT_MARKTWERT, spieler[k], 0, OP_LESEN);
    }
    // Strongest first; equal strength, the higher club number first.
    for (i32 i = 0; i < uebersicht_anzahl; ++i)
        for (i32 j = i + 1; j < uebersicht_anzahl; ++j) {
            const Tabelle_Uebersicht_Zeile &a = uebersicht[i], &b = uebersicht[j];
            if (a.team >= 0 && b.team >= 0 &&
                static_cast<i64>(b.staerke) * 100000 + b.team > static_cast<i64>(a.staerke) * 100000 + a.team)
                std::swap(uebersicht[i], uebersicht[j]);
        }
    Wb_Scroll_Stufen(uebersicht_anzahl - 17);
}

void Tabelle_Screen_Uebersichtzeile(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y) {
    if (!icon) return;
    const i32 zeile = static_cast<i32>(icon->user[0]) + Wb_Erste_Zeile();
    Font* f = Kit_Font(Kit_Schrift::SCHMAL_GROSS);
    if (uebersicht_anzahl == 0 && zeile == 0) {
        Kit_Tabelle_Zelle_Printf(ziel, f, FARBE_WEISS, x, y + 12, Kit_Schein::SCHLICHT, PAARUNG[0], "%s",
                                 text(T_KEINE_SPIELE));
        return;
    }
    if (zeile < 0 || zeile >= uebersicht_anzahl) return;
    const Tabelle_Uebersicht_Zeile& z = uebersicht[zeile];
    if (zeile % 2) Blt_Rechteck_Alpha(ziel, x, y, 768, 16, FARBE_ZEILE_HELL, 60);
    if (z.team < 0) {
        Kit_Tabelle_Zelle_Printf(ziel, f, FARBE_WEISS, x, y + 12, Kit_Schein::SCHLICHT, PAARUNG[0], "%s", text(T_FREILOS));
        return;
    }
    const u16 farbe = Farbe_Team_Name(z.team, Wb_Stand_Holen().gruppe);
    char staerke[16];
    std::snprintf(staerke, sizeof staerke, "%s", Team_Halbwert_String(z.staerke));
    const std::string wert = Bank_Geld_String(static_cast<f64>(z.wert), z.team, -1, 0);
    if (z.spieler > 0) {
        const std::string je = Bank_Geld_String(static_cast<f64>(z.wert / z.spieler), z.team, -1, 0);
        Kit_Tabelle_Zeile_Printf(ziel, f, farbe, x, y + 12, Kit_Schein::GLATT, UEBERSICHT,
                                 "\t%d.\t^gll%04d\t%s\t%s\t%d\t%s\t%s\t%s", zeile + 1, z.team, name_von(z.team), staerke, z.attribute,
                         Tools_Komma_Zahl(z.staerke / static_cast<double>(z.spieler) / 2.0, 1), wert.c_str(),
                         je.c_str());
    } else {
        const std::string null = Bank_Geld_String(0.0, z.team, -1, 0);
        // Without players the figures stand centred in their columns.
        auto mittig = [](const Kit_Spalte& s) { return Kit_Einzug_Bei({Kit_Ausrichtung::MITTE, s.x + s.breite / 2}); };
        Kit_Tabelle_Zeile_Printf(ziel, f, farbe, x, y + 12, Kit_Schein::GLATT, UEBERSICHT,
                                 "\t%d.\t^gll%04d\t%s\v%s%s\v%s%d\v%s%s\t%s\t%s", zeile + 1, z.team,
                                 name_von(z.team), mittig(UEBERSICHT[U_STAERKE]).code, staerke,
                                 mittig(UEBERSICHT[U_ATTRIBUTE]).code, 0, mittig(UEBERSICHT[U_SCHNITT]).code,
                                 Team_Halbwert_String(0), wert.c_str(), null.c_str());
    }
}

void Wb_Uebersicht_Kopf(Rastport* ziel, i32 x, i32 y) {
    const Wb_Stand& st = Wb_Stand_Holen();
    if (st.gruppe < 0) return;
    // The title says whose strength the rows add up (the selection switch's
    // own words): the header over every screen counts the starters only.
    Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::SCHMAL_GROSS), FARBE_WEISS, x + 10, y + 21, "%s %s %s (%s: %s)",
                     text(T_UEBERSICHT), text(T_MANNSCHAFTEN), Wettbewerb_Get_Name(st.gruppe, true).c_str(),
                     text(T_STAERKE), text(T_AUSWAHL_0 + std::clamp(Wb_Knopf(ICON_WB_AUSWAHL_B), 0, 3)));
    Kit_Tabelle_Kopf_Printf(ziel, Kit_Font(Kit_Schrift::SCHMAL), FARBE_KOPF, x - 3, y + 45, Kit_Schein::GLATT,
                            UEBERSICHT, "\t%s\t%s\t%s\t%s\t%s\t%s\t%s", text(T_RANG), text(T_VEREIN),
                     text(T_STAERKE), Text_cfg_Text(TEXT_EINSETZEN_1, T_E1_FAEHIGKEITEN), text(T_SCHNITT), text(T_WERT),
                     text(T_WERT_JE_SPIELER));
}

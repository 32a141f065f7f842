#include "screens/club/rangliste_screen.h"

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <vector>

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
#include "gui/wappen.h"
#include "screens/teile/drossel.h"
#include "screens/teile/scroll.h"
#include "season/rangliste.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "world/aufstellung.h"
#include "world/manager.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {

// Texts of the screen's section.
enum : i32 {
    T_SEITE_0 = 0,  // 0..2 the labels of pages 0..2
    T_HILFE_SCHALTER = 3,
    T_TITEL = 4,
    T_SPIELE_0 = 5,  // 5..7 page 0's column heads
    T_SUMME = 8,
    T_SPALTEN_0 = 9,  // 9..12 the list pages' column heads
};
constexpr i32 T_TRANSFER_VEREIN = 28;  // TRANSFER: the club's column head
constexpr u16 FARBE_OHNE_MANAGER = FARBE_KOPF;
// Pages 3..8: the statistics and their labels.
constexpr i32 STATISTIK[RL_SEITEN] = {-1, -1, -1, 0, 1, 2, 22, 23, 24};
const char* const LABEL[RL_SEITEN] = {nullptr,     nullptr,        nullptr,          "Torschützenliste", "Vorlagen",
                                      "Scorerliste", "Gelbe Karten", "Gelb-Rote Karten", "Rote Karten"};

i32 seite = 0;
i32 position = 0;
Rangliste_Leaderliste leader;
Screen_Drossel pfeil_drossel;
Icon_Textzeile schalter_text{};
Move_Struktur scroll{Rangliste_Screen_Scroll, 0, 0, -1, RL_KNOPF_Y0, RL_KNOPF_Y1, 777, 1, ICON_RL_SPUR};

const char* text(i32 n) { return Text_cfg_Text(TEXT_RANGLISTE, n); }

// Page 0's columns: the row's left edge (the sum's label), the home club,
// the game (the dash between the clubs), the away club, the result and the
// points the game brought.
constexpr Kit_Spalte SPIELE[] = {
    {.x = 19, .kopf = Kit_Kopf::KEINER},
    {.x = 59, .kopf = Kit_Kopf::KEINER},
    {.x = 245, .ausrichtung = Kit_Ausrichtung::MITTE},
    {.x = 298, .kopf = Kit_Kopf::KEINER},
    {.x = 561, .ausrichtung = Kit_Ausrichtung::MITTE},
    {.x = 685, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = 50, .kopf = Kit_Kopf::MITTE},
};
enum Spiele_Spalte { S_RAND, S_HEIM, S_SPIEL, S_GAST, S_ERGEBNIS, S_PUNKTE };
// The ranking pages' columns: place, club or player, the manager or the
// player's club, the value.
constexpr Kit_Spalte LISTE[] = {
    {.x = 16, .ausrichtung = Kit_Ausrichtung::MITTE, .breite = 48, .kopf = Kit_Kopf::LINKS},
    {.x = 125, .breite = 204, .kopf = Kit_Kopf::MITTE},
    {.x = 430, .breite = 192, .kopf = Kit_Kopf::MITTE},
    {.x = 685, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = 50, .kopf = Kit_Kopf::MITTE},
};
const char* label(i32 s) { return s < 3 ? text(T_SEITE_0 + s) : LABEL[s]; }
const char* team_name(i32 team) {
    const char* n = team >= 0 ? Team_String(0, team, nullptr, 0) : nullptr;
    return n ? n : "";
}

constexpr u32 PFEIL = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD | MENUE_S_WIEDERHOLEN;
constexpr Scrollbalken BALKEN{.spur = ICON_RL_SPUR, .knopf = ICON_RL_KNOPF, .liste = ICON_RL_SEITE,
                              .grafik_spur = GRAFIK_RL_SPUR, .grafik_knopf = GRAFIK_WB_KNOPF, .x = 777, .spur_y = 148,
                              .spur_b = 9, .spur_h = 176, .knopf_x = 777, .knopf_y = RL_KNOPF_Y0, .knopf_b = 9,
                              .knopf_h = 12, .move = &scroll, .ebene = 4};
constexpr auto TABELLE = Icon_Tabelle_Bauen<Icon_Besitzer::RANGLISTE>({
    {.nummer = ICON_RL_SEITE, .grafik = GRAFIK_RL_SEITE, .x = 4, .y = 86, .status = MENUE_S_TRANSPARENT,
     .zeichnen = Rangliste_Screen_Zeichnen, .ebene = 0, .w = 792, .h = 400},
    {.nummer = ICON_RL_SCHALTER, .grafik = GRAFIK_RL_SCHALTER, .grafik_gedrueckt = GRAFIK_RL_SCHALTER_GEDRUECKT,
     .flags = MENUE_F_TEXT, .x = 300, .y = 501, .daten = &schalter_text,
     .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD, .klick = Rangliste_Screen_Seite_Klick, .ebene = 1, .w = 200,
     .h = 32, .hilfe_prozedur = [](Screen_Icon*) { return text(T_HILFE_SCHALTER); }},
    Icon_Scrollspur(BALKEN), Icon_Scrollknopf(BALKEN),
    {.nummer = ICON_RL_HOCH, .grafik = GRAFIK_RL_HOCH, .grafik_gedrueckt = GRAFIK_RL_HOCH_GEDRUECKT, .x = 774,
     .y = 130, .status = PFEIL, .klick = Rangliste_Screen_Hoch_Klick, .ebene = 6, .w = 15, .h = 16},
    {.nummer = ICON_RL_RUNTER, .grafik = GRAFIK_RL_RUNTER, .grafik_gedrueckt = GRAFIK_RL_RUNTER_GEDRUECKT, .x = 774,
     .y = 326, .status = PFEIL, .klick = Rangliste_Screen_Runter_Klick, .ebene = 6, .w = 15, .h = 16},
});

i32 stufen_von_seite() {
    if (seite == 0) return 0;
    if (seite <= 2) return std::max(Rangliste_Anzahl() - 9, 0);
    return std::max(leader.anzahl - 9, 0);
}

// The page's label, background, scroll steps and bar.
void seite_einrichten() {
    schalter_text = Kit_Knopf_Beschriftung(label(seite), Kit_Schrift::SCHMAL_GROSS);
    if (Screen_Icon* s = Kit_Icon(ICON_RL_SEITE)) s->grafik = seite == 0 ? GRAFIK_RL_SEITE : GRAFIK_RL_SEITE + 1;
    Rangliste_Spieler_Liste_Bauen(seite, &leader);
    scroll.stufen = static_cast<i16>(std::min(stufen_von_seite(), 30000));
    const bool zeigen = scroll.stufen > 1 && seite != 0;
    for (i16 i = ICON_RL_SPUR; i <= ICON_RL_RUNTER; ++i)
        if (Screen_Icon* ic = Kit_Icon(i))
            ic->status = zeigen ? ic->status & ~MENUE_S_VERSTECKT : ic->status | MENUE_S_VERSTECKT;
    position = std::clamp(position, 0, std::max(scroll.stufen - 1, 0));
    if (Screen_Icon* k = Kit_Icon(ICON_RL_KNOPF)) Menue_Scrollbutton_Setzen(k, position);
    Blt_Cache_Leeren();
}

void pfeil(i32 richtung, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || scroll.stufen <= 0 || !Screen_Drossel_Frei(&pfeil_drossel, RL_PFEIL_MS)) return;
    const i32 neu = std::clamp(position + richtung, 0, std::max(scroll.stufen - 1, 0));
    if (neu == position) return;
    position = neu;
    if (Screen_Icon* k = Kit_Icon(ICON_RL_KNOPF)) Menue_Scrollbutton_Setzen(k, position);
    Blt_Cache_Leeren();
}

void bild(Rastport* ziel, u32 grafik, i32 x, i32 y, i32 prozent) {
    if (Rastport* b = Kit_Bild(grafik)) {
        if (prozent < 100) Blt_Alpha_Prozent(b, 0, 0, b->breite, b->hoehe, ziel, x, y, prozent);
        else Blt_Blit(b, 0, 0, -1, -1, ziel, x, y, Blt_Opt_Transparent);
    }
}

// Page 0: the active club's last ten ranked games and their points.
void seite_spiele(Rastport* ziel) {
    Font* klein = Kit_Font(Kit_Schrift::TEXT);
    Font* gross = Kit_Font(Kit_Schrift::SCHMAL_GROSS);
    Kit_Tabelle_Kopf_Printf(ziel, klein, FARBE_KOPF, 0, 131, Kit_Schein::GLATT, SPIELE, "\t%s\t%s\t%s",
                            text(T_SPIELE_0), text(T_SPIELE_0 + 1), text(T_SPIELE_0 + 2));
    Kit_Tabelle_Zelle_Printf(ziel, gross, FARBE_WEISS, 0, 432, Kit_Schein::GLATT, SPIELE[S_RAND], "%s", text(T_SUMME));
    Rangliste_Eintrag e{};
    if (Team_Aktiv < 0 || !Rangliste_Get_Eintrag(Team_Aktiv, &e)) return;
    i32 summe = 0;
    for (i32 k = 0; k < RL_ZEILEN; ++k) {
        const i32 y = 154 + 27 * k;
        if (e.gegner[k] < 0) {
            Kit_Tabelle_Zelle_Printf(ziel, gross, FARBE_GRAU, 0, y, Kit_Schein::SCHLICHT, SPIELE[S_RAND], "    ---");
            Kit_Tabelle_Zeile_Printf(ziel, gross, FARBE_GRAU, 0, y, Kit_Schein::SCHLICHT,
                                     std::span(SPIELE).subspan(S_ERGEBNIS), "\t-:-\t0");
            continue;
        }
        const bool auswaerts = e.ort[k] != 0;
        const i32 heim = auswaerts ? e.gegner[k] : Team_Aktiv, gast = auswaerts ? Team_Aktiv : e.gegner[k];
        const i32 th = auswaerts ? e.gegentore[k] : e.tore[k], tg = auswaerts ? e.tore[k] : e.gegentore[k];
        const i32 eigene = e.tore[k], andere = e.gegentore[k];
        bild(ziel, eigene > andere ? GRAFIK_RL_SIEG : eigene < andere ? GRAFIK_RL_NIEDERLAGE : GRAFIK_RL_REMIS, 9,
             135 + 27 * k, 35);
        for (const auto& [team, spalte, wx] : {std::tuple{heim, S_HEIM, 12}, std::tuple{gast, S_GAST, 258}}) {
            const u16 farbe = Farbe_Team_Name(team, -2);
            Kit_Tabelle_Zelle_Printf(ziel, gross, farbe, 0, y,
                                     team == Team_Aktiv ? Kit_Schein::GLATT : Kit_Schein::SCHLICHT, SPIELE[spalte],
                                     "%s", team_name(team));
            Wappen_Blit(team, ziel, wx, 137 + 27 * k, 23, 23, nullptr);
        }
        Kit_Tabelle_Zelle_Printf(ziel, gross, FARBE_WEISS, 0, y, Kit_Schein::SCHLICHT, SPIELE[S_SPIEL], "-");
        // The result one text centred under its head, as every result is written.
        Kit_Tabelle_Zeile_Printf(ziel, gross, FARBE_WEISS, 0, y, Kit_Schein::GLATT,
                                 std::span(SPIELE).subspan(S_ERGEBNIS), "\t%d:%d\t%d", th, tg, e.punkte[k]);
        summe += e.punkte[k];
    }
    Kit_Tabelle_Zelle_Printf(ziel, gross, FARBE_GEWAEHLT, 0, 432, Kit_Schein::GLATT, SPIELE[S_PUNKTE], "%d", summe);
}

void zeile(Rastport* ziel, i32 y, i32 platz, i32 team, const char* mitte, const char* rechts, i32 wert, bool spieler) {
    Font* gross = Kit_Font(Kit_Schrift::SCHMAL_GROSS);
    const bool mensch = team >= 0 && Team_Hat_Manager(team);
    u16 farbe = Farbe_Team_Name(team, -2);
    if (spieler) farbe = mensch ? FARBE_WEISS : FARBE_OHNE_MANAGER;
    if (platz >= 1 && platz <= 3) {
        bild(ziel, GRAFIK_RL_MEDAILLE + static_cast<u32>(platz - 1), 9, y - 18, 100);
        --y;
    }
    Kit_Tabelle_Zeile_Printf(ziel, gross, farbe, 0, y, Kit_Schein::GLATT, LISTE, "\t%d.\t%s\t%s\t%d", platz, mitte,
                             rechts ? rechts : "---", wert);
    Wappen_Blit(team, ziel, 85, y - 17, 23, 23, nullptr);
}

void seite_liste(Rastport* ziel) {
    Font* klein = Kit_Font(Kit_Schrift::TEXT);
    if (seite <= 2)
        Kit_Tabelle_Kopf_Printf(ziel, klein, FARBE_KOPF, 0, 131, Kit_Schein::GLATT, LISTE, "\t%s\t%s\t%s\t%s",
                                text(T_SPALTEN_0), text(T_SPALTEN_0 + 1), text(T_SPALTEN_0 + 2), text(T_SPALTEN_0 + 3));
    else
        Kit_Tabelle_Kopf_Printf(ziel, klein, FARBE_KOPF, 0, 131, Kit_Schein::GLATT, LISTE, "\t%s\t%s\t%s\t%s",
                                text(T_SPALTEN_0), Text_cfg_Text(TEXT_TRANSFER, T_TRANSFER_VEREIN),
                                text(T_SPALTEN_0 + 1), text(T_SPALTEN_0 + 3));
    if (seite <= 2) {
        i32 teams[RL_ZEILEN], werte[RL_ZEILEN];
        std::fill(teams, teams + RL_ZEILEN, -1);
        if (!Rangliste_Get_Bereich(position, RL_ZEILEN, teams, werte, seite)) return;
        for (i32 k = 0; k < RL_ZEILEN && position + k < Rangliste_Anzahl(); ++k) {
            if (teams[k] < 0) continue;
            const bool mensch = Team_Hat_Manager(teams[k]);
            zeile(ziel, 154 + 27 * k, position + k + 1, teams[k], team_name(teams[k]),
                  mensch ? Team_String(300, teams[k], nullptr, 0) : nullptr, werte[k], false);
        }
        // The active club's own line, in the page's order.
        Rangliste_Eintrag e{};
        if (Team_Aktiv >= 0 && Rangliste_Get_Eintrag(Team_Aktiv, &e))
            zeile(ziel, 433, (seite == 1 ? e.platz : e.form_platz) + 1, Team_Aktiv, team_name(Team_Aktiv),
                  Team_String(300, Team_Aktiv, nullptr, 0), seite == 1 ? e.wert : e.form, false);
        return;
    }
    for (i32 k = 0; k < RL_ZEILEN && position + k < leader.anzahl; ++k) {
        const Rangliste_Leader& l = leader.eintrag[position + k];
        zeile(ziel, 154 + 27 * k, position + k + 1, l.team, Spieler_String(63, l.spieler, nullptr, 0), team_name(l.team), l.wert,
              true);
    }
    if (leader.eigener.spieler >= 0)
        zeile(ziel, 433, leader.eigener_platz, leader.eigener.team, Spieler_String(63, leader.eigener.spieler, nullptr, 0),
              team_name(leader.eigener.team), leader.eigener.wert, true);
    else
        Kit_Tabelle_Zelle_Printf(ziel, Kit_Font(Kit_Schrift::SCHMAL_GROSS), FARBE_WEISS, 0, 433, Kit_Schein::GLATT,
                                 LISTE[0], "---");
}

}  // namespace

Screen_Def Rangliste_Screen_Def() {
    return {.name = "Rangliste", .icons = Icon_Besitzer::RANGLISTE, .rahmen = ICON_RL_SEITE, .arbeitsflaeche = true,
            .oeffnen = Rangliste_Screen_Init};
}

i32 Rangliste_Statistik_Von_Seite(i32 s) { return s >= 0 && s < RL_SEITEN ? STATISTIK[s] : -1; }

void Rangliste_Spieler_Liste_Bauen(i32 s, Rangliste_Leaderliste* aus) {
    *aus = Rangliste_Leaderliste{};
    const i32 statistik = Rangliste_Statistik_Von_Seite(s);
    if (statistik < 0 || Team_Aktiv < 0) return;
    const i32 liga = Wettbewerb_Get_Liga_Von_Team(Team_Aktiv, true);
    if (liga < 0) return;
    std::vector<i32> teams(128 * 128);
    const i32 n = std::clamp(Wettbewerb_Get_Teams_Ligasystem(liga, teams.data()), 0, 128 * 128);
    struct Wert {
        i32 spieler, team, wert;
    };
    std::vector<Wert> werte;
    bool erster = true;
    for (i32 t = 0; t < n; ++t) {
        i32 kader[20];
        const i32 k = std::clamp(Teamspieler_Ins_Array(teams[static_cast<size_t>(t)], kader, 20, 0), 0, 20);
        for (i32 i = 0; i < k; ++i) {
            const i32 w = Spieler_Get_Spieler_Statistik(statistik, liga, 1, teams[static_cast<size_t>(t)], kader[i], -1,
                                                        -1, -1, -1, nullptr, nullptr, 0, erster ? 1 : 0, nullptr);
            erster = false;
            if (w != 0) werte.push_back({kader[i], teams[static_cast<size_t>(t)], w});
        }
    }
    std::stable_sort(werte.begin(), werte.end(), [](const Wert& a, const Wert& b) { return a.wert > b.wert; });
    for (const Wert& w : werte) {
        if (aus->anzahl >= RL_LEADER_MAX) break;
        aus->eintrag[aus->anzahl++] = {w.spieler, w.team, w.wert};
        if (w.team == Team_Aktiv && aus->eigener.spieler < 0) {
            aus->eigener = {w.spieler, w.team, w.wert};
            aus->eigener_platz = aus->anzahl;
        }
    }
}

void Rangliste_Screen_Init() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_RL_SEITE)) return;
    if (Menue_Icon_Zustand(ICON_RL_KNOPF) == 0) Menue_Icon_Zustand_Setzen(ICON_RL_KNOPF, RL_KNOPF_Y0);
    Menue_Screen_Icons_Loeschen_Bereich(4, 0, 0, ARBEITSFLAECHE_X1, ARBEITSFLAECHE_Y1);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(TABELLE.daten());
    seite = std::clamp(static_cast<i32>(Menue_Icon_Zustand(ICON_RL_SCHALTER)), 0, RL_SEITEN - 1);
    position = 0;
    pfeil_drossel = {};
    seite_einrichten();
}

void Rangliste_Screen_Aktualisieren() {}

void Rangliste_Screen_Seite_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    seite = (seite + 1) % RL_SEITEN;
    Menue_Icon_Zustand_Setzen(ICON_RL_SCHALTER, static_cast<u32>(seite));
    position = 0;
    seite_einrichten();
}

void Rangliste_Screen_Hoch_Klick(Screen_Icon*, u32 ereignis) { pfeil(-1, ereignis); }
void Rangliste_Screen_Runter_Klick(Screen_Icon*, u32 ereignis) { pfeil(1, ereignis); }
void Rangliste_Screen_Scroll(Screen_Icon*, i32 index, u32) { Screen_Scroll_Gemeldet(&position, index); }

void Rangliste_Screen_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::SCHMAL_GROSS), FARBE_WEISS, 19, 107, "%s  -  %s", text(T_TITEL),
                     label(seite));
    if (seite == 0) seite_spiele(ziel);
    else seite_liste(ziel);
}

i32 Rangliste_Screen_Seite() { return seite; }
i32 Rangliste_Screen_Position() { return position; }
i32 Rangliste_Screen_Stufen() { return scroll.stufen; }
const Rangliste_Leaderliste& Rangliste_Screen_Leader() { return leader; }

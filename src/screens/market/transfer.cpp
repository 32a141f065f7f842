#include "screens/market/transfer.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "base/meldung.h"
#include "base/ruf.h"
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
#include "screens/market/verhandlung.h"
#include "screens/squad/spielerkarte.h"
#include "screens/teile/attribut_legende.h"
#include "screens/teile/drossel.h"
#include "screens/teile/namen.h"
#include "screens/teile/requester.h"
#include "screens/teile/schritt.h"
#include "screens/teile/spieler_hilfe.h"
#include "screens/teile/spielerzeile.h"
#include "screens/teile/sterne.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/markt.h"
#include "world/modi.h"
#include "world/netz.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {

constexpr u32 NICHT_VERFUEGBAR = 0x7c0;
constexpr i32 TEAM_SCOUT = 16, TEAM_SCOUTSPIELER = 17, TEAM_TRANSFERS = 20, TEAM_TRANSFERS_ERLAUBT = 21;
constexpr u32 SCOUT_SPERRE_MS = 300;
// The badges' legend: three lines of small badges between the counter and the scout's panel;
// in the narrow small font the lines close up a pixel so the third keeps off the panel.
constexpr Attribut_Legende_Platz TRANSFER_LEGENDE{
    .x0 = 406, .x1 = 788, .y = 379, .zeilen = 3, .zeilenhoehe = 13, .zeilenhoehe_dicht = 12};
constexpr i32 ATTRIBUTE_X0 = 304, ATTRIBUTE_X1 = 359, POPUP_BEREICH_X0 = 299, POPUP_BEREICH_X1 = 390;

// Texts of the screen's section.
enum : i32 {
    T_KOPF = 0,  // 0..14 the column heads
    T_SCHICKEN = 16,
    T_IHR_SCOUT = 17,
    T_NAME = 18,
    T_GRUNDGEBUEHR = 19,
    T_AUF_DER_LISTE = 20,
    T_NOCH = 21,
    T_KLICKEN = 22,
    T_WECHSEL = 23,
    T_GEFUNDEN_VON = 24,
    T_JA = 25,
    T_NEIN = 26,
    T_VERKAUFEN = 27,
    T_VERKAUF_NAME = 28,
    T_VERKAUF_WERT = 29,
    T_KEIN_WECHSEL_1 = 35,
    T_KEIN_WECHSEL_2 = 36,
    T_KEIN_WECHSEL_3 = 37,
    T_KEINE_WECHSEL = 40,
    T_WECHSEL_1 = 42,
};
constexpr i32 E1_KOPF_HILFE = 16;                        // EINSETZEN_1 16..21: the column heads' help
constexpr i32 DOLV_PREIS = 18, DOLV_SCOUT_PFEIL = 9, DOLV_SCHICKEN = 4;  // ZUSATZTEXTE_DOLV
constexpr i32 BEXOT_GESCHEITERT = 18;                                    // ZUSATZTEXTE_BEXOT

// Positions of the rows.
constexpr i32 EIGEN_X = 9, MARKT_X = 402, ZEILE_B = 386, ZEILE_H = 17;
constexpr i32 KLASSE_BILD[4] = {3, 1, 0, 2};  // classes 0..3 -> 24039, 24037, 24036, 24038

i32 markt_auswahl = -1;
Screen_Puls puls;
Screen_Drossel scout_drossel;
Icon_Textzeile schicken_text{};
char hilfe[1536];

// A row's user word 0 holds its player, written as the list is filled (no
// row index).
constexpr auto EIGEN_Y = Kit_Lagen<TRANSFER_EIGENE_ZEILEN>(Kader_Slot_Y);
// The window's eleven, then the scout's player below.
constexpr auto MARKT_X_LAGEN = Kit_Lagen<TRANSFER_MARKT_ZEILEN>([](i32 i) { return i < 11 ? MARKT_X : 404; });
constexpr auto MARKT_Y_LAGEN = Kit_Lagen<TRANSFER_MARKT_ZEILEN>([](i32 i) { return i < 11 ? 136 + 17 * i : 538; });

constexpr auto RAHMEN = Icon_Tabelle_Bauen<Icon_Besitzer::TRANSFER>({
    {.nummer = ICON_TRANSFER_RAHMEN,
     .grafik = GRAFIK_TRANSFER_RAHMEN,
     .x = 3,
     .y = 86,
     .status = MENUE_S_TRANSPARENT,
     .zeichnen = Transfer_Screen_Zeichnen,
     .ebene = 2,
     .w = 794,
     .h = 478,
     .hilfe_prozedur = Transfer_Screen_Kopf_Hilfe},
    {.nummer = ICON_TRANSFER_SCOUT_ZURUECK,
     .grafik = GRAFIK_SCOUT_ZURUECK,
     .grafik_an = GRAFIK_SCOUT_ZURUECK_AN,
     .grafik_gedrueckt = GRAFIK_SCOUT_ZURUECK_AN,
     .x = 523,
     .y = 462,
     .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
     .klick = Transfer_Screen_Scout_Zurueck_Klick,
     .ebene = 4,
     .w = 36,
     .h = 28,
     .hilfe_prozedur = Transfer_Screen_Scout_Hilfe},
    {.nummer = ICON_TRANSFER_SCOUT_VOR,
     .grafik = GRAFIK_SCOUT_VOR,
     .grafik_an = GRAFIK_SCOUT_VOR_AN,
     .grafik_gedrueckt = GRAFIK_SCOUT_VOR_AN,
     .x = 563,
     .y = 462,
     .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
     .klick = Transfer_Screen_Scout_Vor_Klick,
     .ebene = 4,
     .w = 36,
     .h = 28,
     .hilfe_prozedur = Transfer_Screen_Scout_Hilfe},
    {.nummer = ICON_TRANSFER_SCOUT_SCHICKEN,
     .grafik = GRAFIK_SCOUT_SCHICKEN,
     .grafik_gedrueckt = GRAFIK_SCOUT_SCHICKEN_AN,
     .flags = MENUE_F_TEXT,
     .x = 608,
     .y = 475,
     .daten = &schicken_text,
     .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
     .klick = Transfer_Screen_Scout_Schicken_Klick,
     .ebene = 4,
     .w = 170,
     .h = 34,
     .hilfe_prozedur = Transfer_Screen_Schicken_Hilfe},
});
constexpr auto EIGENE = Icon_Tabelle_Aus<Icon_Besitzer::TRANSFER>(
    Kit_Zeilen<TRANSFER_EIGENE_ZEILEN>({.nummer = ICON_TRANSFER_EIGEN,
                                        .grafik = GRAFIK_TRANSFER_ZEILE,
                                        .grafik_an = GRAFIK_TRANSFER_ZEILE_AN,
                                        .flags = MENUE_F_HOVER | MENUE_F_BEIDE_TASTEN,
                                        .x = EIGEN_X,
                                        .status = MENUE_S_TRANSPARENT | MENUE_S_AN,
                                        .klick = Transfer_Screen_Eigen_Klick,
                                        .zeichnen = Transfer_Screen_Eigen_Zeichnen,
                                        .ebene = 4,
                                        .w = ZEILE_B,
                                        .h = ZEILE_H,
                                        .hilfe_prozedur = Transfer_Screen_Zeile_Hilfe},
                                       {.index_wort = -1, .y = EIGEN_Y.data()}));
constexpr auto MARKT = Icon_Tabelle_Aus<Icon_Besitzer::TRANSFER>(
    Kit_Zeilen<TRANSFER_MARKT_ZEILEN>({.nummer = ICON_TRANSFER_MARKT,
                                       .grafik = GRAFIK_TRANSFER_MARKT,
                                       .grafik_an = GRAFIK_TRANSFER_MARKT_AN,
                                       .flags = MENUE_F_HOVER | MENUE_F_BEIDE_TASTEN,
                                       .status = MENUE_S_TRANSPARENT | MENUE_S_AN,
                                       .klick = Transfer_Screen_Markt_Klick,
                                       .zeichnen = Transfer_Screen_Markt_Zeichnen,
                                       .ebene = 4,
                                       .w = ZEILE_B,
                                       .h = ZEILE_H,
                                       .hilfe_prozedur = Transfer_Screen_Zeile_Hilfe},
                                      {.index_wort = -1, .x = MARKT_X_LAGEN.data(), .y = MARKT_Y_LAGEN.data()}));

const char* text(i32 n) { return Text_cfg_Text(TEXT_TRANSFER, n); }

// A player's row, from the row's left: the shirt number on its badge and
// the position (the player row's own columns), the name (cut to its width)
// and the games at their right edge; on the market the price past them.
constexpr const Kit_Spalte& POSITION = SPIELERZEILE_SPALTEN[SZ_POSITION];
constexpr Kit_Spalte KADER_NAME[] = {{.x = 59, .breite = 102}, {.x = 280, .ausrichtung = Kit_Ausrichtung::RECHTS}};
constexpr Kit_Spalte MARKT_NAME[] = {{.x = 38, .breite = 98}, {.x = 265, .ausrichtung = Kit_Ausrichtung::RECHTS}};
constexpr Kit_Spalte FORDERUNG[] = {{.x = 110, .ausrichtung = Kit_Ausrichtung::RECHTS}};
constexpr Kit_Stelle ZAEHLER{Kit_Ausrichtung::MITTE, 1};       // centred on its x
constexpr Kit_Stelle FRAGE_WERT{Kit_Ausrichtung::LINKS, 130};  // a requester's values past their labels
i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }
i32 team_wert(int modus) { return Team_Wert(modus, Team_Aktiv, 0, OP_LESEN); }
bool an(i32 n) { return Menue_Icon_Zustand(n) != 0; }
void setzen(i32 n, bool ein) { Menue_Icon_Zustand_Setzen(n, ein ? 1 : 0); }
const char* geld(f64 betrag) { return Bank_Geld_String(betrag, Team_Aktiv, -1, 0); }

i32 scout() {
    const u32 s = Menue_Icon_Zustand(ICON_TRANSFER_SCOUT_SCHICKEN);
    return s < SCOUT_ANZAHL ? static_cast<i32>(s) : 0;
}

void markt_marken_aus() {
    for (i32 i = 0; i < TRANSFER_MARKT_ZEILEN; ++i) setzen(ICON_TRANSFER_MARKT + i, false);
}
void eigen_marken_aus() {
    for (i32 i = 0; i < TRANSFER_EIGENE_ZEILEN; ++i) setzen(ICON_TRANSFER_EIGEN + i, false);
}

// The club's scout player while he is still on the market, -1.
i32 scout_spieler() {
    if (Team_Aktiv < 0) return -1;
    const i32 s = team_wert(TEAM_SCOUTSPIELER);
    return s >= 0 && s < Spieler_Anzahl && Spieler_Get_Team(s) == Team_Transfermarkt ? s : -1;
}

// The check every sale and purchase passes first.
bool wechsel_frei() {
    if (team_wert(TEAM_TRANSFERS) > 0) return true;
    char t[512];
    std::snprintf(t, sizeof t, "^c%05d%s %s %d  %s", FARBE_WEISS, text(T_KEIN_WECHSEL_1), text(T_KEIN_WECHSEL_2),
                  team_wert(TEAM_TRANSFERS_ERLAUBT), text(T_KEIN_WECHSEL_3));
    Meldung_Manager_Printf(1, Team_Aktiv, "%s", t);
    return false;
}

void gescheitert() {
    Meldung_Manager_Printf(1, Team_Aktiv, "%s", Text_cfg_Text(TEXT_ZUSATZ_BEXOT, BEXOT_GESCHEITERT));
    if (ruf::Client()) Team_Internet_Client_Refresh();
}

void verkauf_ja(i32 anzahl, const i32* liste) {
    if (anzahl < 1 || !liste) return;
    const i32 p = liste[0];
    if (Spieler_Tauschen(Team_Aktiv, Team_Transfermarkt, p, -1, 0) != 1) {
        gescheitert();
        return;
    }
    Transfer_Client_Nachladen(Team_Aktiv);
    Transfer_Screen_Auswahl_Loeschen();
    Transfer_Screen_Listen_Bauen();
}

void verkauf_nein(i32, const i32*) { Transfer_Screen_Auswahl_Loeschen(); }

void verkaufen(i32 p) {
    const i32 marktwert = Spieler_Berechne_Marktwert(p);
    const std::string frage = Menue_Text_Fuellen(text(T_VERKAUFEN), 0, geld(Transfer_Screen_Angebot_Differenz(p)));
    char t[768];
    const Kit_Einzug stopp = Kit_Einzug_Bei(FRAGE_WERT);
    std::snprintf(t, sizeof t, "^c%05d%s^l%s%s: %s^l%s%s: %s", FARBE_WEISS, frage.c_str(), text(T_VERKAUF_NAME),
                  stopp.code, Spieler_String(63, p, nullptr, 0), text(T_VERKAUF_WERT), stopp.code, geld(marktwert));
    Screen_Frage(t, verkauf_ja, verkauf_nein, 1, &p);
}

// The row's name, cut to its column's width, and the games: the columns
// `spalten` (name, games).
void name_zeichnen(Rastport* ziel, Font* f, std::span<const Kit_Spalte> spalten, i32 p, i32 x, i32 y) {
    char name[64];
    Font_Text_Kuerzen(Spieler_String(63, p, nullptr, 0), name, f, spalten[0].breite);
    Kit_Tabelle_Zeile_Printf(ziel, f, FARBE_WEISS, x, y, Kit_Schein::SCHLICHT, spalten, "\t%s\t%d", name,
                             wert(SPIELER_WERT_SPIELE, p));
}

void zaehler_zeile(Rastport* ziel, Font* f, i32 x, i32 y, i32 n, u16 farbe) {
    Kit_Printf_Stelle(ziel, f, farbe, x, y, Kit_Schein::SCHLICHT, ZAEHLER, "%s %d %s", text(T_NOCH), n,
                      text(n == 1 ? T_WECHSEL_1 : T_WECHSEL));
}

}  // namespace

Screen_Def Transfer_Screen_Def() {
    return {.name = "Transfer",
            .icons = Icon_Besitzer::TRANSFER,
            .rahmen = ICON_TRANSFER_RAHMEN,
            .arbeitsflaeche = true,
            .oeffnen = Transfer_Screen_Init,
            .schliessen = [] {
                Verhandlung_Schliessen();
                Menue_Screen_Icon_Tabelle_Loeschen(RAHMEN.daten());
                Menue_Screen_Icon_Tabelle_Loeschen(EIGENE.daten());
                Menue_Screen_Icon_Tabelle_Loeschen(MARKT.daten());
            }};
}

void Transfer_Screen_Init() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_TRANSFER_RAHMEN)) return;
    if (Menue_Icon_Zustand(ICON_TRANSFER_SCOUT_SCHICKEN) >= SCOUT_ANZAHL)
        Menue_Icon_Zustand_Setzen(ICON_TRANSFER_SCOUT_SCHICKEN, 0);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(RAHMEN.daten());
    Menue_Screen_Icon_Tabelle_Hinzufuegen(EIGENE.daten());
    Menue_Screen_Icon_Tabelle_Hinzufuegen(MARKT.daten());
    schicken_text = Kit_Knopf_Beschriftung(text(T_SCHICKEN));
    puls = {};
    scout_drossel = {};
    // Suggestions a manager sees are those of the day: sold ones are replaced.
    if (Team_Aktiv >= 0) Transfer_Fenster_Fuellen(Team_Aktiv);
    Transfer_Screen_Listen_Bauen();
    markt_auswahl = -1;
    markt_marken_aus();
    eigen_marken_aus();
    Menue_Set_Rechtsklick_Icon(-1);
}

i32 Transfer_Screen_Angebot_Differenz(i32 spieler) { return Transfer_Angebot_Differenz(spieler); }

void Transfer_Screen_Listen_Bauen() {
    if (Team_Aktiv < 0 || Team_Aktiv >= Team_Anzahl) return;
    i32 kader[TRANSFER_EIGENE_ZEILEN];
    const i32 n = std::max(0, Teamspieler_Ins_Array(Team_Aktiv, kader, TRANSFER_EIGENE_ZEILEN, 0));
    std::stable_sort(kader, kader + n,
                     [](i32 a, i32 b) { return wert(SPIELER_WERT_SLOT, a) < wert(SPIELER_WERT_SLOT, b); });
    for (i32 i = 0; i < TRANSFER_EIGENE_ZEILEN; ++i)
        if (Screen_Icon* z = Kit_Icon(ICON_TRANSFER_EIGEN + i)) {
            z->user[0] = static_cast<u32>(i < n ? kader[i] : -1);
            z->status = i < n ? z->status & ~MENUE_S_VERSTECKT : z->status | MENUE_S_VERSTECKT;
        }
    i32 fenster[TRANSFER_FENSTER];
    const auto* f = static_cast<const i32*>(Team_Zeiger(726, Team_Aktiv, nullptr, 0));
    i32 m = 0;
    for (i32 i = 0; f && i < TRANSFER_FENSTER; ++i)
        if (f[i] >= 0 && f[i] < Spieler_Anzahl && Spieler_Get_Team(f[i]) == Team_Transfermarkt) fenster[m++] = f[i];
    std::stable_sort(fenster, fenster + m,
                     [](i32 a, i32 b) { return wert(SPIELER_WERT_POSITION, a) > wert(SPIELER_WERT_POSITION, b); });
    for (i32 i = 0; i < TRANSFER_FENSTER; ++i)
        if (Screen_Icon* z = Kit_Icon(ICON_TRANSFER_MARKT + i)) {
            z->user[0] = static_cast<u32>(i < m ? fenster[i] : -1);
            z->status = i < m ? z->status & ~MENUE_S_VERSTECKT : z->status | MENUE_S_VERSTECKT;
        }
    if (Screen_Icon* z = Kit_Icon(ICON_TRANSFER_SCOUTSPIELER)) {
        const i32 s = scout_spieler();
        z->user[0] = static_cast<u32>(s);
        z->status =
            s >= 0 ? z->status & ~(MENUE_S_GRAU | MENUE_S_VERSTECKT) : z->status | MENUE_S_GRAU | MENUE_S_VERSTECKT;
    }
    // A selection whose player left the window is gone.
    if (markt_auswahl >= 0) {
        bool da = false;
        for (i32 i = 0; i < TRANSFER_MARKT_ZEILEN; ++i)
            da = da || Transfer_Screen_Spieler_Von(ICON_TRANSFER_MARKT + i) == markt_auswahl;
        if (!da) markt_auswahl = -1, markt_marken_aus();
    }
    Blt_Cache_Leeren();
}

i32 Transfer_Screen_Markt_Auswahl() { return markt_auswahl; }
i32 Transfer_Screen_Scout() { return scout(); }

i32 Transfer_Screen_Spieler_Von(i32 n) {
    const Screen_Icon* i = Kit_Icon(n);
    if (!i || (i->status & MENUE_S_VERSTECKT)) return -1;
    const i32 p = static_cast<i32>(i->user[0]);
    return p >= 0 && p < Spieler_Anzahl ? p : -1;
}

void Transfer_Screen_Auswahl_Loeschen() {
    markt_auswahl = -1;
    markt_marken_aus();
    eigen_marken_aus();
    Blt_Cache_Leeren();
}

// --- Drawing ----------------------------------------------------------------------------

void Transfer_Screen_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    if (!f || Team_Aktiv < 0) return;
    // Column heads: the own squad's six, the window's five.
    static constexpr i32 KOPF_X[11] = {12, 31, 67, 170, 251, 306, 404, 439, 541, 633, 690};
    for (i32 i = 0; i < 11; ++i) Kit_Printf(ziel, f, FARBE_KOPF, KOPF_X[i], 108, "%s", text(T_KOPF + i));
    // The parts of the squad and the window's title.
    static constexpr i32 TEIL_X[4] = {12, 12, 12, 404}, TEIL_Y[4] = {131, 339, 462, 131};
    for (i32 i = 0; i < 4; ++i) Kit_Printf(ziel, f, FARBE_GEWAEHLT, TEIL_X[i], TEIL_Y[i], "%s", text(T_KOPF + 11 + i));
    // The chosen scout.
    const i32 s = scout();
    Kit_Bild_Zeichnen(ziel, GRAFIK_TRANSFER_SCOUT + s, 411, 409);
    Kit_Printf(ziel, f, FARBE_WEISS, 580, 415, "%s", text(T_IHR_SCOUT));
    Kit_Printf(ziel, f, FARBE_WEISS, 580, 435, "%s%s %s", text(T_NAME), Scout_Tabelle[s].vorname,
               Scout_Tabelle[s].nachname);
    Kit_Printf(ziel, f, FARBE_WEISS, 580, 452, "%s%s", text(T_GRUNDGEBUEHR),
               geld(Global_Scout_Grundpreis(s, Team_Aktiv)));
    // What the manager may still do this season.
    const i32 n = team_wert(TEAM_TRANSFERS);
    const u16 pulsfarbe = Screen_Puls_Farbe(&puls);
    if (markt_auswahl < 0) {
        if (n < 1) {
            Kit_Printf(ziel, f, FARBE_WEISS, 207, 550, "%s", text(T_KEINE_WECHSEL));
            Kit_Printf(ziel, f, FARBE_WEISS, 595, 357, "%s", text(T_KEINE_WECHSEL));
        } else {
            Kit_Printf(ziel, f, FARBE_WEISS, 207, 558, "%s", text(T_KLICKEN));
            zaehler_zeile(ziel, f, 207, 541, n, FARBE_WEISS);
            Kit_Printf(ziel, f, FARBE_WEISS, 595, 365, "%s", text(T_AUF_DER_LISTE));
            zaehler_zeile(ziel, f, 595, 348, n, FARBE_WEISS);
        }
    } else if (n < 1) {
        Kit_Printf(ziel, f, FARBE_WEISS, 207, 541, "%s", text(T_KEINE_WECHSEL));
        Kit_Printf(ziel, f, FARBE_WEISS, 595, 348, "%s", text(T_KEINE_WECHSEL));
    } else {
        Kit_Printf(ziel, f, pulsfarbe, 207, 558, "%s", text(T_KLICKEN));
        zaehler_zeile(ziel, f, 207, 541, n, FARBE_WEISS);
    }
    // Under the counter on the right: what the own rows' attribute badges stand for
    // (the rows shown: a squad larger than the list names no badge of a player not in it).
    {
        i32 kader[TRANSFER_EIGENE_ZEILEN];
        i32 k = 0;
        for (i32 i = 0; i < TRANSFER_EIGENE_ZEILEN; ++i)
            if (const i32 p = Transfer_Screen_Spieler_Von(ICON_TRANSFER_EIGEN + i); p >= 0) kader[k++] = p;
        Attribut_Legende_Zeichnen(ziel, Attribut_Legende_Sammeln(kader, k), GRAFIK_ATTRIBUT_KLEIN, TRANSFER_LEGENDE);
    }
    if (scout_spieler() >= 0) {
        const i32 fs = team_wert(TEAM_SCOUT);
        if (fs >= 0 && fs < SCOUT_ANZAHL)
            Kit_Printf(ziel, f, FARBE_WEISS, 428, 533, "%s %s %s", Scout_Tabelle[fs].vorname,
                       Scout_Tabelle[fs].nachname, text(T_GEFUNDEN_VON));
    }
}

void Transfer_Screen_Eigen_Zeichnen(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) {
    const i32 p = Transfer_Screen_Spieler_Von(i->nummer);
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    if (p < 0 || !f) return;
    const bool mark = an(i->nummer);
    if (static_cast<u32>(wert(SPIELER_WERT_STATUS, p)) & NICHT_VERFUEGBAR)
        if (Rastport* b = Kit_Bild(GRAFIK_TRANSFER_AUSFALL))
            Blt_Alpha_Prozent_Transparent(b, 0, 0, -1, -1, ziel, x + 1, y, 35);
    if (Menue_Get_Aktives_Icon() == i || mark)
        if (Rastport* b = Kit_Bild(GRAFIK_TRANSFER_ZEILE_HOVER)) Blt_Pulsieren_Transparent(b, 0, 0, -1, -1, ziel, x, y);
    const i32 klasse = std::clamp(wert(SPIELER_WERT_POSITION, p), 0, 3);
    Kit_Bild_Zeichnen(ziel, GRAFIK_POSITION_KLASSE + KLASSE_BILD[klasse], x, y);
    const i32 nummer = wert(SPIELER_WERT_RUECKENNUMMER, p);
    if (Font* fn = Kit_Font(Kit_Schrift::ZAHL))
        Kit_Tabelle_Zeile_Printf(ziel, fn, FARBE_WEISS, x - 2 - (nummer >= 10 && nummer <= 19 ? 1 : 0), y - 5 + ZEILE_H,
                                 Kit_Schein::SCHLICHT, SPIELERZEILE_SPALTEN, "^fb0006\t%d^fe", nummer);
    Kit_Tabelle_Zelle_Printf(ziel, f, FARBE_KLASSE[klasse], x - 4, y - 4 + ZEILE_H, Kit_Schein::SCHLICHT, POSITION,
                             "%s", Positions_Text(klasse));
    name_zeichnen(ziel, f, KADER_NAME, p, x + 2, y + 12);
    Spieler_Sterne_Zeichnen(ziel, p, 170, y, 0, mark);
    i32 attribute[SPIELER_MARKEN_MAX];
    const int n = Spieler_Marken(p, attribute);
    for (int k = 0; k < n; ++k)
        Kit_Bild_Zeichnen(ziel, (mark ? GRAFIK_ATTRIBUT_GEWAEHLT : GRAFIK_ATTRIBUT) + attribute[k], 306 + 30 * k, y + 1);
}

void Transfer_Screen_Markt_Zeichnen(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) {
    const i32 p = Transfer_Screen_Spieler_Von(i->nummer);
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    if (p < 0 || !f) return;
    if (Menue_Get_Aktives_Icon() == i)
        if (Rastport* b = Kit_Bild(GRAFIK_TRANSFER_MARKT_HOVER)) Blt_Pulsieren_Transparent(b, 0, 0, -1, -1, ziel, x, y);
    Spieler_Sterne_Zeichnen(ziel, p, 541, y, 0, an(i->nummer));
    const i32 klasse = std::clamp(wert(SPIELER_WERT_POSITION, p), 0, 3);
    Kit_Tabelle_Zelle_Printf(ziel, f, FARBE_KLASSE[klasse], x - 26, y - 4 + ZEILE_H, Kit_Schein::SCHLICHT, POSITION,
                             "%s", Positions_Text(klasse));
    name_zeichnen(ziel, f, MARKT_NAME, p, x + 2, y + 12);
    Kit_Tabelle_Zeile_Printf(ziel, f, FARBE_WEISS, x + 270, y + 12, Kit_Schein::SCHLICHT, FORDERUNG, "^fb0009\t%s^fe",
                             geld(Global_Transfer_Forderung(p)));
}

// --- Clicks --------------------------------------------------------------------------------

void Transfer_Screen_Markt_Klick(Screen_Icon* i, u32 ereignis) {
    const i32 p = Transfer_Screen_Spieler_Von(i->nummer);
    if (ereignis & MENUE_E_HOVER_RAUS) {
        Blt_Cache_Leeren();
        return;
    }
    if (p < 0) return;
    if (ereignis & MENUE_E_RECHTS) {
        Screen_Oeffnen_Fuer(Screen_Id::SPIELERKARTE,
                            {.spieler = p, .team = Team_Transfermarkt, .modus = SPIELERKARTE_TRANSFER});
        return;
    }
    if (!(ereignis & MENUE_E_LINKS) || !wechsel_frei()) return;
    if (!an(i->nummer)) {
        markt_marken_aus();
        setzen(i->nummer, true);
        markt_auswahl = p;
    } else {
        setzen(i->nummer, false);
        markt_auswahl = -1;
    }
    Blt_Cache_Leeren();
}

void Transfer_Screen_Eigen_Klick(Screen_Icon* i, u32 ereignis) {
    const i32 p = Transfer_Screen_Spieler_Von(i->nummer);
    if (p < 0 || (ereignis & (MENUE_E_HOVER_REIN | MENUE_E_HOVER_RAUS))) return;
    if (ereignis & MENUE_E_RECHTS) {
        Screen_Oeffnen_Fuer(Screen_Id::SPIELERKARTE, {.spieler = p, .team = Team_Aktiv, .modus = SPIELERKARTE_EIGEN});
        return;
    }
    if (!(ereignis & MENUE_E_LINKS)) return;
    // The attribute popup: an open one shows the clicked player (a click on
    // the attributes ends there); a click on the attributes opens it.
    const i32 mx = Maus_Get_X();
    if (Screen_Offen(Screen_Id::ATTRIBUT_POPUP)) {
        Screen_Oeffnen_Fuer(Screen_Id::ATTRIBUT_POPUP, {.spieler = p, .team = Team_Aktiv});
        if (mx >= POPUP_BEREICH_X0 && mx <= POPUP_BEREICH_X1) return;
    } else if (mx >= ATTRIBUTE_X0 && mx <= ATTRIBUTE_X1) {
        Screen_Oeffnen_Fuer(Screen_Id::ATTRIBUT_POPUP, {.spieler = p, .team = Team_Aktiv, .x = mx, .y = Maus_Get_Y()});
        return;
    }
    if (!wechsel_frei()) return;
    if (markt_auswahl < 0) verkaufen(p);
    else Verhandlung_Oeffnen(p, markt_auswahl);
}

void Transfer_Screen_Scout_Zurueck_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || !Screen_Drossel_Frei(&scout_drossel, SCOUT_SPERRE_MS)) return;
    Menue_Icon_Zustand_Setzen(ICON_TRANSFER_SCOUT_SCHICKEN,
                              static_cast<u32>((scout() + SCOUT_ANZAHL - 1) % SCOUT_ANZAHL));
    Blt_Cache_Leeren();
}

void Transfer_Screen_Scout_Vor_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || !Screen_Drossel_Frei(&scout_drossel, SCOUT_SPERRE_MS)) return;
    Menue_Icon_Zustand_Setzen(ICON_TRANSFER_SCOUT_SCHICKEN, static_cast<u32>((scout() + 1) % SCOUT_ANZAHL));
    Blt_Cache_Leeren();
}

void Transfer_Screen_Scout_Schicken_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    Transfer_Screen_Auswahl_Loeschen();
    Screen_Oeffnen(Screen_Id::SCOUTING);
}

// --- Hover texts ----------------------------------------------------------------------------

const char* Transfer_Screen_Kopf_Hilfe(Screen_Icon*) {
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    if (my < 97 || my > 110 || mx < 12 || mx > 780) return nullptr;
    struct Spalte {
        i32 von, bis, text;
    };
    static constexpr Spalte SPALTEN[] = {{12, 30, 0},    {31, 64, 1},    {404, 436, 1},  {65, 165, 2},  {437, 537, 2},
                                         {166, 250, 3},  {538, 632, 3},  {251, 294, 4},  {633, 674, 4}, {295, 386, 5}};
    for (const Spalte& s : SPALTEN)
        if (mx >= s.von && mx <= s.bis) return Text_cfg_Text(TEXT_EINSETZEN_1, E1_KOPF_HILFE + s.text);
    if (mx >= 675) return Text_cfg_Text(TEXT_ZUSATZ_DOLV, DOLV_PREIS);
    return nullptr;
}

const char* Transfer_Screen_Zeile_Hilfe(Screen_Icon* i) {
    const i32 p = Transfer_Screen_Spieler_Von(i->nummer);
    if (p < 0) return nullptr;
    const i32 mx = Maus_Get_X();
    const bool eigen = i->klick == Transfer_Screen_Eigen_Klick;
    if (mx >= 303 && mx <= 388 && eigen) {
        const char* name = Global_Get_Hauptattribut_Name(p, mx <= 327 ? 0 : mx <= 358 ? 1 : 2);
        return name && *name ? name : nullptr;
    }
    return Spieler_Hilfetext_Markt(p, eigen, hilfe, sizeof hilfe);
}

const char* Transfer_Screen_Scout_Hilfe(Screen_Icon*) { return Text_cfg_Text(TEXT_ZUSATZ_DOLV, DOLV_SCOUT_PFEIL); }
const char* Transfer_Screen_Schicken_Hilfe(Screen_Icon*) { return Text_cfg_Text(TEXT_ZUSATZ_DOLV, DOLV_SCHICKEN); }

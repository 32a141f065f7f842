// The main menu of the active manager (see hauptmenue.h).
#include "gui/hauptmenue.h"

#include <cstdio>

#include <algorithm>
#include <cstdint>
#include <string>

#include "base/globals.h"
#include "base/spielstand.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/rastport.h"
#include "graphics/sound.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/menue_spiel.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "gui/wappen.h"
#include "match/spielfeld.h"
#include "matchday/spieltag_netz.h"
#include "platform/input.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/news.h"
#include "world/aufstellung.h"
#include "world/team.h"
#include "world/welt.h"
#include "grafik_nummern.h"

namespace {

constexpr u16 WEISS = FARBE_WEISS, GEWAEHLT = FARBE_GEWAEHLT;  // chosen entry: a warm gold
constexpr i16 ZU_Y = 571;                       // y of a closed dialog button
constexpr i16 AUF_Y_TEAM = 436, AUF_Y = 480;    // y of an open one (six / four entries)
constexpr i32 SCHRITT_AUF = 20, SCHRITT_ZU = 24;
constexpr i32 ZEILE = 22;
constexpr i32 TAB_H = 26;  // the head of a dialog button (its entries below)
// The date centred under the money line; both end above y 83, where the
// screens' panels begin.
constexpr i32 DATUM_MITTE = 718, DATUM_Y = 83;
constexpr i32 ERGEBNIS_MITTE = 320;             // between the two names
constexpr i32 DIALOG_PERIODE_MS = 10;
constexpr i32 KLANG_EINTRAG = 8;

// Screen texts (section MENUE_SCREEN): the four button labels with their
// entries, the end-of-turn labels, the no-opponent line and the warning.
constexpr i32 T_KNOPF[4] = {0, 7, 12, 17};
constexpr i32 EINTRAEGE[4] = {6, 4, 4, 4};
constexpr i32 T_WEITER = 22, T_ZUM_SPIEL = 23, T_SPIELFREI = 24, T_NICHT_FERTIG = 28, T_BEENDEN_FRAGE = 29;
constexpr i32 T_ZU_WENIG = 30, T_ZU_WENIG_JA = 31, T_ZU_WENIG_NEIN = 32;
constexpr i32 T_SERIE = 46, T_STAERKE = 47, T_LADEN_FRAGE = 49, T_ZUG_BEENDET = 50, T_AM_ZUG = 53;
constexpr i32 SPIEL_LADEN = 0, SPIEL_SPEICHERN = 1, SPIEL_BEENDEN = 3;

Hauptmenue_Hooks H;

struct Zustand {
    i32 gegner = -1;
    bool auswaerts = false;
    bool heute = false;  // the team has a game today
    i32 eintrag[4] = {-1, -1, -1, -1};  // the highlighted entry of each button
    std::string serie[2];               // series lines of the home and away side
    i32 letzter_zug = -1;               // the team whose manager had the controls last
    bool gespielt = false;              // today's match is over: its result instead of "Zum Spiel"
    i32 tore[2] = {};                   // its result, home side first
    const char* zusatz = "";            // its mark after extra time or a shoot-out
} Z;

Font* font(i32 n) { return Font_Tabelle_Holen(n); }

void text_mitte(Rastport* rp, Font* f, const char* t, i32 mitte, i32 y, u16 farbe) {
    Kit_Text_Mitte(rp, f, farbe, t, mitte, y);
}

// A dialog button's user word 0: which of the four it is (the launch table's button).
i32 knopf_index(const Screen_Icon* i) { return static_cast<i32>(i->user[0]); }
i16 auf_y(i32 k) { return k == 0 ? AUF_Y_TEAM : AUF_Y; }
bool ist_auf(const Screen_Icon* i) { return (i->status & MENUE_S_AN) != 0; }

// Pop-up drawer: label on top, entries below, the entry under the mouse
// underlaid and announced with a soft tick.
void dialog_zeichnen(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    const i32 k = knopf_index(i);
    Font* f = font(11);
    if (!ist_auf(i)) Kit_Ueber(rp, i, TAB_H);  // a closed tab lights under the mouse
    text_mitte(rp, f, Menue_Text(T_KNOPF[k]), x + i->w / 2, y + 19, ist_auf(i) ? GEWAEHLT : WEISS);
    const i32 e = i->y == auf_y(k) && ist_auf(i) ? Menue_Dialog_Eintrag(i->nummer) : -1;
    if (e != Z.eintrag[k]) {
        if (e >= 0 && !Menue_Requester_Offen()) Sound_Effekt_Solo(KLANG_EINTRAG, false);
        Z.eintrag[k] = e;
    }
    for (i32 n = 0; n < EINTRAEGE[k]; ++n) {
        const i32 zy = n * ZEILE + y + 26;
        if (zy >= 600) break;
        if (n == e)
            if (Rastport* h = Menue_Get_Slave_Rastport(n == EINTRAEGE[k] - 1 ? GRAFIK_DIALOG_EINTRAG_LETZTER : GRAFIK_DIALOG_EINTRAG))
                Blt_Blit(h, 0, 0, -1, -1, rp, x + 2, zy, Blt_Opt_Transparent);
        text_mitte(rp, font(9), Menue_Text(T_KNOPF[k] + 1 + n), x + i->w / 2, zy + 15, n == e ? GEWAEHLT : WEISS);
    }
}

// Hook of an opening or closing dialog button (period 10 ms).
void dialog_hook(void* arg, u32 ereignis) {
    if (ereignis != MENUE_E_HOOK_ZEIT) return;
    auto* i = Menue_Screen_Icon_Aus_Nummer(static_cast<i32>(reinterpret_cast<intptr_t>(arg)));
    if (!i) return;
    const i16 ziel = ist_auf(i) ? auf_y(knopf_index(i)) : ZU_Y;
    if (!H.animation()) i->y = ziel;
    if (i->y > ziel) i->y = static_cast<i16>(std::max<i32>(ziel, i->y - SCHRITT_AUF));
    else if (i->y < ziel) i->y = static_cast<i16>(std::min<i32>(ziel, i->y + SCHRITT_ZU));
    if (i->y == ziel) Menue_Hook(dialog_hook, arg, true, 0);
}

void dialog_bewegen(Screen_Icon* i) {
    void* arg = reinterpret_cast<void*>(static_cast<intptr_t>(i->nummer));
    if (!Menue_Hook_Vorhanden(dialog_hook, arg)) Menue_Hook(dialog_hook, arg, false, DIALOG_PERIODE_MS);
}

void alle_schliessen(i32 ausser);

// The catcher under an open pop-up: the whole screen below the dialog
// buttons. A click beside the pop-up, with either button, closes it and
// reaches nothing under it (no row, no button of the screen behind); while
// it lies there it also takes the right click that otherwise closes the
// screen.
i32 rechts_vorher = -1;
void fang_klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS)) alle_schliessen(-1);
}
void fang_zeichnen(Screen_Icon*, Rastport*, i32, i32) {}  // invisible
void fang_pruefen() {
    bool offen = false;
    for (i16 n = ICON_DIALOG_TEAM; n <= ICON_DIALOG_SPIEL; ++n)
        if (const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(n)) offen = offen || ist_auf(i);
    const bool da = Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_FANG);
    if (offen && !da) {
        static const Screen_Icon tabelle[] = {
            [] {
                Screen_Icon i;
                i.nummer = ICON_DIALOG_FANG, i.x = 0, i.y = 0, i.w = 800, i.h = 600, i.ebene = 9;
                i.flags = MENUE_F_BEIDE_TASTEN | MENUE_F_KEIN_KLANG;
                i.status = MENUE_S_TRANSPARENT;
                i.klick = fang_klick;
                i.zeichnen = fang_zeichnen;
                return i;
            }(),
            [] {
                Screen_Icon i;
                i.nummer = -1;
                return i;
            }(),
        };
        Menue_Screen_Icon_Tabelle_Hinzufuegen(tabelle);
        rechts_vorher = Menue_Get_Rechtsklick_Icon();
        Menue_Set_Rechtsklick_Icon(ICON_DIALOG_FANG);
    } else if (!offen && da) {
        Menue_Screen_Icon_Loeschen(ICON_DIALOG_FANG);
        if (Menue_Get_Rechtsklick_Icon() == ICON_DIALOG_FANG) Menue_Set_Rechtsklick_Icon(rechts_vorher);
        rechts_vorher = -1;
    }
}

void alle_schliessen(i32 ausser) {
    for (i16 n = ICON_DIALOG_TEAM; n <= ICON_DIALOG_SPIEL; ++n)
        if (Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(n); i && n != ausser && ist_auf(i)) {
            i->status &= ~static_cast<u32>(MENUE_S_AN);
            dialog_bewegen(i);
        }
    fang_pruefen();
}

void nichts(i32, const i32*) {}
void beenden_ja(i32, const i32*) {
    if (Quit_Status == QUIT_STATUS_LAEUFT) Quit_Status = QUIT_STATUS_ANGEFORDERT;
}
void zug_ende_ja(i32, const i32*) { Menue_Zug_Beenden(); }

i32 spielstand_slot() {
    const int s = Spielstand_Get_Letzter();
    return s >= 0 && s < KALENDER_AUTOSAVE_SLOT ? s : 0;
}
void laden_ja(i32 n, const i32* slot) { K_NEUER_TAG(KALENDER_LADEN, n > 0 ? slot[0] : spielstand_slot()); }

void starten(i32 k, i32 e) {
    Sound_Effekt_Stop_All();
    if (k == 3 && e == SPIEL_BEENDEN) {
        // The pop-ups are shut at once: the question's dimmed picture is
        // taken of the screen as it is now.
        for (i16 n = ICON_DIALOG_TEAM; n <= ICON_DIALOG_SPIEL; ++n)
            if (Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(n)) {
                i->status &= ~static_cast<u32>(MENUE_S_AN);
                i->y = ZU_Y;
                Menue_Hook(dialog_hook, reinterpret_cast<void*>(static_cast<intptr_t>(n)), true, 0);
            }
        fang_pruefen();
        Menue_Requester(REQUESTER_JA_NEIN, Team_Aktiv, Menue_Text(T_BEENDEN_FRAGE), nullptr, nullptr, beenden_ja,
                        nichts);
        return;
    }
    Menue_Modus = 0;
    if (k != 3) Menue_Letzte_Wahl_Setzen(Team_Aktiv, k, e);  // the next main menu reopens it
    if (H.screen_starten(k, e)) return;
    // Without the load and save screens (a program built without them),
    // load and save use the slot used last.
    if (k == 3 && e == SPIEL_LADEN) Menue_Laden_Fragen();
    else if (k == 3 && e == SPIEL_SPEICHERN) Menue_Speichern();
    else Menue_Im_Aufbau();
}

// Header lines: the active team and its opponent of the day, home side left,
// each with its series line and strength.
void kopf_zeichnen(Screen_Icon*, Rastport* rp, i32, i32) {
    const i32 heim = Z.auswaerts && Z.gegner >= 0 ? Z.gegner : Team_Aktiv;
    const i32 gast = heim == Team_Aktiv ? Z.gegner : Team_Aktiv;
    Font* f = font(14);
    constexpr i32 MITTE[2] = {182, 458};
    const i32 teams[2] = {heim, gast};
    for (i32 s = 0; s < 2; ++s) {
        const i32 t = teams[s];
        if (t < 0) {
            text_mitte(rp, f, Menue_Text(T_SPIELFREI), MITTE[s], 25, WEISS);
            continue;
        }
        text_mitte(rp, f, Team_String(721, t, nullptr, 0), MITTE[s], 25, WEISS);
        // Drawn every frame: put together without the heap.
        char serie[192];
        std::snprintf(serie, sizeof serie, "%s: %s", Menue_Text(T_SERIE) ? Menue_Text(T_SERIE) : "", Z.serie[s].c_str());
        text_mitte(rp, font(11), serie, MITTE[s], 45, WEISS);
        const std::string staerke = Menue_Text_Fuellen(Menue_Text(T_STAERKE), 0, Team_Staerke_Anzeige_Text(t));
        text_mitte(rp, font(9), staerke.c_str(), MITTE[s], 58, WEISS);
    }
    // Once the match is over its result stands between the two names.
    if (Z.gespielt && Z.gegner >= 0) {
        const std::string ergebnis = std::to_string(Z.tore[0]) + " : " + std::to_string(Z.tore[1]);
        text_mitte(rp, f, ergebnis.c_str(), ERGEBNIS_MITTE, 25, FARBE_GEWAEHLT);
        if (*Z.zusatz) text_mitte(rp, font(11), Z.zusatz, ERGEBNIS_MITTE, 45, FARBE_GEWAEHLT);
    }
    // The crest of the club named first: on an away day the home side's.
    Wappen_Blit(heim, rp, 24, 8, 40, 40, nullptr);
    // Today's date under the money line.
    if (Kalender_Ist_Initialisiert())
        text_mitte(rp, font(9), Kalender_Get_Datum_Text(Kalender_Get_Tag(), true), DATUM_MITTE, DATUM_Y, FARBE_HELL);
}

void zug_ende_zeichnen(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    // To the match only while the team has one today that is not played yet.
    const bool zum_spiel = Z.heute && !Z.gespielt;
    Kit_Ueber(rp, i);
    text_mitte(rp, font(12), Menue_Text(zum_spiel ? T_ZUM_SPIEL : T_WEITER), x + i->w / 2, y + 22, WEISS);
}

}  // namespace

void Hauptmenue_Set_Hooks(const Hauptmenue_Hooks& h) { H = h; }

bool Menue_Screen_Starten(i32 knopf, i32 eintrag) { return H.screen_starten(knopf, eintrag); }
bool Menue_Screen_Schliessen(i32 knopf, i32 eintrag) { return H.screen_schliessen(knopf, eintrag); }

void Menue_Spiel_Pause_Setzen(bool an) { Spielfeld_Set_Pause(an ? 1 : 0); }

void Menue_Im_Aufbau() {
    Menue_Requester(REQUESTER_OK, Team_Aktiv, Menue_Text(T_NICHT_FERTIG), nullptr, nullptr, nichts, nichts);
}

void Menue_Laden_Fragen(i32 slot) {
    const i32 s = slot >= 0 && slot < KALENDER_AUTOSAVE_SLOT ? slot : spielstand_slot();
    const std::string frage = Menue_Text_Fuellen(Menue_Text(T_LADEN_FRAGE), s + 1, nullptr);
    Menue_Requester(REQUESTER_JA_NEIN, Team_Aktiv, frage.c_str(), nullptr, nullptr, laden_ja, nichts, 1, &s);
}

void Menue_Speichern() { K_NEUER_TAG(KALENDER_SPEICHERN, spielstand_slot()); }

const char* Menue_Text(i32 n) { return Text_cfg_Text(TEXT_MENUE, n); }

void Menue_Set_Aktiver_Manager(i32 team) {
    Team_Aktiv = team;
    Z.auswaerts = false;
    Z.gegner = H.gegner(team, &Z.auswaerts);
    Z.zusatz = "";
    Z.gespielt = Z.gegner >= 0 && H.ergebnis(team, Z.tore, &Z.zusatz);
    if (!Z.zusatz) Z.zusatz = "";
    // The team of the day's opponent is the one the screens show beside the
    // active one (-1: none); away = 1 when the active team plays away.
    Team_Ansicht = Z.gegner;
    Team_Auswaerts = Z.gegner >= 0 && Z.auswaerts ? 1 : 0;
    Team_Wettbewerb = Z.gegner >= 0 ? H.wettbewerb(team) : -1;
    // The button goes to the match only when there is one today.
    Z.heute = H.wettbewerb(team) >= 0;
    // The series lines: home side first; venue 2 without a match, and for
    // both clubs of a match without a home side (the team named first there
    // need not play at home: its home series would not fit the match).
    const bool mit = Z.gegner >= 0;
    const i32 heim = Z.auswaerts && mit ? Z.gegner : team, gast = heim == team ? Z.gegner : team;
    const i32 wb = mit ? H.wettbewerb(team) : -1;
    const bool ohne_heim = wb >= 0 && !H.heimrecht(wb);
    Z.serie[0] = Menue_Serien_Text(heim, mit && !ohne_heim ? 0 : 2, mit);
    Z.serie[1] = gast >= 0 ? Menue_Serien_Text(gast, ohne_heim ? 2 : 1, true) : "";
    Blt_Cache_Leeren();
}

const std::string& Menue_Kopf_Serie(i32 seite) { return Z.serie[seite == 1 ? 1 : 0]; }

i32 Menue_Dialog_Eintrag(i32 knopf) {
    const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(knopf);
    if (!i || i->klick != Menue_Dialog_Klick) return -1;  // not one of the dialog buttons
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    if (mx < i->x || mx >= i->x + i->w || my < i->y + 23) return -1;
    const i32 e = (my - i->y - 23) / ZEILE;
    return e < EINTRAEGE[knopf_index(i)] ? e : -1;
}

void Menue_Dialog_Klick(Screen_Icon* i, u32 ereignis) {
    if (ereignis == MENUE_E_HOOK || ereignis == MENUE_E_HOOK_ZEIT) return;
    const i32 k = knopf_index(i);
    const i32 e = ist_auf(i) && i->y == auf_y(k) ? Menue_Dialog_Eintrag(i->nummer) : -1;
    if (e >= 0) {
        alle_schliessen(-1);
        starten(k, e);
        return;
    }
    i->status ^= MENUE_S_AN;
    alle_schliessen(i->nummer);
    dialog_bewegen(i);
    fang_pruefen();
}

namespace {
// The header's lines, crest and money line: the frame of every main-menu
// screen (they lie above the work area the screens use).
constexpr auto KOPF = Icon_Tabelle_Bauen<Icon_Besitzer::RAHMEN_DES_SPIELS>({
    Kit_Panel_Icon({.nummer = ICON_KOPF_ZEILEN, .w = 800, .h = 70, .ebene = 3, .zeichnen = kopf_zeichnen,
                    .flags = MENUE_F_NICHT_ABFRAGEN}),
    Kit_Panel_Icon({.nummer = ICON_KOPF_WAPPEN, .grafik = GRAFIK_KOPF, .x = 643, .y = 4, .w = 150, .h = 60, .ebene = 2,
                    .flags = MENUE_F_NICHT_ABFRAGEN}),
    Kit_Panel_Icon({.nummer = ICON_KOPF_GELD, .x = 643, .y = 64, .w = 150, .h = 20, .ebene = 3,
                    .zeichnen = Menue_Geld_Zeichnen, .flags = MENUE_F_NICHT_ABFRAGEN}),
});

// The four dialog buttons (the team's a little taller); an open pop-up
// survives the screen it launches. User word 0: the button 0..3.
constexpr Kit_Bildknopf_Def DIALOG_KNOPF{.grafik = GRAFIK_DIALOG_KNOPF, .y = ZU_Y, .w = 100, .h = 120, .ebene = 10,
                                         .flags = MENUE_F_BLEIBT, .status = MENUE_S_TRANSPARENT};
constexpr auto HAUPTMENUE = Icon_Tabelle_Bauen<Icon_Besitzer::RAHMEN_DES_SPIELS>({
    Kit_Panel_Icon({.nummer = ICON_KOPF_BILD, .grafik = GRAFIK_KOPF_BILD, .w = 800, .h = 600, .ebene = 1,
                    .flags = MENUE_F_NICHT_ABFRAGEN, .status = 0}),
    Kit_Panel_Icon({.nummer = ICON_ZUGZEIT, .x = 206, .y = 566, .w = 66, .h = 30, .ebene = 3,
                    .zeichnen = Menue_Zugzeit_Zeichnen, .flags = MENUE_F_NICHT_ABFRAGEN}),
    Kit_Panel_Icon({.nummer = ICON_DIALOG_RAHMEN, .grafik = GRAFIK_DIALOG_LEISTE, .x = 268, .y = 592, .w = 420,
                    .h = 24, .ebene = 11, .flags = MENUE_F_NICHT_ABFRAGEN}),
    Kit_Bildknopf(DIALOG_KNOPF, {.nummer = ICON_DIALOG_TEAM, .grafik = GRAFIK_DIALOG_KNOPF_TEAM, .x = 274, .h = 164,
                                 .klick = Menue_Dialog_Klick, .zeichnen = dialog_zeichnen, .wort = {0, 0}}),
    Kit_Bildknopf(DIALOG_KNOPF, {.nummer = ICON_DIALOG_TEAM + 1, .x = 374, .klick = Menue_Dialog_Klick,
                                 .zeichnen = dialog_zeichnen, .wort = {1, 0}}),
    Kit_Bildknopf(DIALOG_KNOPF, {.nummer = ICON_DIALOG_TEAM + 2, .x = 474, .klick = Menue_Dialog_Klick,
                                 .zeichnen = dialog_zeichnen, .wort = {2, 0}}),
    Kit_Bildknopf(DIALOG_KNOPF, {.nummer = ICON_DIALOG_SPIEL, .x = 574, .klick = Menue_Dialog_Klick,
                                 .zeichnen = dialog_zeichnen, .wort = {3, 0}}),
    Kit_Bildknopf({.nummer = ICON_ZUG_ENDE, .grafik = GRAFIK_ZUG_ENDE, .gedrueckt = GRAFIK_ZUG_ENDE_GEDRUECKT, .x = 707,
                   .y = 566, .w = 90, .h = 34, .ebene = 2, .klick = Menue_Zug_Beenden_Klick,
                   .zeichnen = zug_ende_zeichnen}),
});

// The main menu's draw procedures only draw (the tab's entry change plays
// its tick once, whichever run sees it first).
void reine_zeichner_melden() {
    for (Icon_Zeichen_Prozedur p : {&kopf_zeichnen, &dialog_zeichnen, &zug_ende_zeichnen, &fang_zeichnen,
                                    &Menue_Geld_Zeichnen, &Menue_Zugzeit_Zeichnen})
        Menue_Reiner_Zeichner(p);
}
}  // namespace

void Menue_Kopf_Zeigen() {
    reine_zeichner_melden();
    for (i32 n = ICON_KOPF_ZEILEN; n <= ICON_KOPF_GELD; ++n)
        if (Menue_Screen_Icon_Ist_Vorhanden(n)) return;
    Menue_Screen_Icon_Tabelle_Hinzufuegen(KOPF.daten());
}

void Menue_Hauptmenue_Zeigen() {
    reine_zeichner_melden();
    // A message shown between two turns (a failed save, say) stays up.
    const bool requester = Menue_Requester_Offen();
    Menue_Client_Aktualisieren();
    Menue_Set_Hintergrund(Menue_Get_Slave_Rastport(GRAFIK_HAUPTMENUE), 0);
    Menue_Screen_Freigeben();
    Menue_Screen_Icon_Tabelle_Hinzufuegen(HAUPTMENUE.daten());
    Menue_Screen_Icon_Tabelle_Hinzufuegen(KOPF.daten());
    Menue_Set_Icon707_Status(Menue_Get_Icon707_Status());
    for (i32& e : Z.eintrag) e = -1;
    // The screen the manager used last opens again.
    static i32 wahl_knopf = 0, wahl_eintrag = 0;
    Menue_Letzte_Wahl(Team_Aktiv, &wahl_knopf, &wahl_eintrag);
    Menue_Starte_Screen([] { H.screen_starten(wahl_knopf, wahl_eintrag); });
    if (requester) Menue_Requester_Wieder_Zeigen();
}

void Menue_Hauptmenue_Vorab() {
    for (u32 g : {GRAFIK_HAUPTMENUE, GRAFIK_KOPF_BILD, GRAFIK_KOPF, GRAFIK_DIALOG_LEISTE, GRAFIK_DIALOG_KNOPF,
                  GRAFIK_DIALOG_KNOPF_TEAM, GRAFIK_ZUG_ENDE, GRAFIK_DIALOG_EINTRAG, GRAFIK_DIALOG_EINTRAG_LETZTER})
        Menue_Slave_Vorab(g);
}

void Menue_Manager_Wechsel(i32 team) {
    for (i16 n = ICON_DIALOG_TEAM; n <= ICON_DIALOG_SPIEL; ++n)
        Menue_Hook(dialog_hook, reinterpret_cast<void*>(static_cast<intptr_t>(n)), true, 0);
    Menue_Set_Aktiver_Manager(team);
    // The hand-over starts the manager's turn: the byte that marks the time
    // between two turns is cleared and the menu shown (were it kept, the
    // next manager would face an empty screen).
    Menue_Modus = 0;
    Menue_Hauptmenue_Zeigen();
    // Several managers at one machine: the one who takes over is told.
    if (H.am_selben_rechner() && team != Z.letzter_zug && !Menue_Requester_Offen()) {
        const std::string text = Menue_Text_Fuellen(Menue_Text(T_AM_ZUG), 0, Team_String(721, team, nullptr, 0));
        Menue_Requester(REQUESTER_OK, team, text.c_str(), nullptr, nullptr, nichts, nullptr);
    }
    Z.letzter_zug = team;
}

void Menue_Zug_Beenden() {
    Menue_Screen_Freigeben();
    Sound_Effekt_Stop_All();
    Menue_Videos_Stoppen();
    Menue_Modus = 1;
    // In a network game a client first hands the server what changed during
    // the turn and reports its match ready; the other managers are told.
    Spieltag_Internet_Client_Zug_Ende(Team_Aktiv);
    News_Sende_Team_Text(Menue_Text(T_ZUG_BEENDET));
    H.zug_ende();
}

void Menue_Zug_Beenden_Klick(Screen_Icon*, u32) {
    i32 liste[64];
    const int n = Teamspieler_Ins_Array(Team_Aktiv, liste, 64, 16);
    if (n >= 11) {
        Menue_Zug_Beenden();
        return;
    }
    // The count replaces "%d" of the screen text (which is never used as a format).
    const std::string text = Menue_Text_Fuellen(Menue_Text(T_ZU_WENIG), n, nullptr);
    Menue_Requester(REQUESTER_JA_NEIN, Team_Aktiv, text.c_str(), Menue_Text(T_ZU_WENIG_JA), Menue_Text(T_ZU_WENIG_NEIN),
                    zug_ende_ja, nichts);
}

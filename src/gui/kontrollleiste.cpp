// The control bar under a running match (see hauptmenue.h). Each button has
// its own click procedure; the buttons' stored states belong to the active
// manager.
#include "base/globals.h"
#include "base/ruf.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "match/spielfeld.h"
#include "platform/input.h"
#include "season/kalender_lauf.h"
#include "world/manager.h"
#include "world/welt.h"
#include "grafik_nummern.h"

namespace {

constexpr i16 LEISTE_Y = 565;
constexpr i32 HALTEN_PERIODE_MS = 10;
bool erzwungen = false;

// A bar icon's user word 0: its button 1..9 (replay .. save), 10 fast
// forward, 0 none of them.
constexpr u32 WORT_VORSPULEN = 10;
constexpr i32 KNOPF_TAKTIK = 6;  // buttons 0..6 keep their state per manager
i32 knopf_von(const Screen_Icon* i) {
    return i && i->user[0] >= 1 && i->user[0] <= 9 ? static_cast<i32>(i->user[0]) - 1 : -1;
}

// The stored state of buttons 716..722 of the active manager.
void merken(const Screen_Icon* i, bool an) {
    const i32 k = knopf_von(i);
    if (k >= 0 && k <= KNOPF_TAKTIK) Manager_Icon_Button_An_Aus(Team_Aktiv, i->nummer, an ? 1 : 0);
}
bool umschalten(Screen_Icon* i) {
    i->status ^= MENUE_S_AN;
    const bool an = (i->status & MENUE_S_AN) != 0;
    merken(i, an);
    return an;
}
void aus(Screen_Icon* i) {
    i->status &= ~static_cast<u32>(MENUE_S_AN);
    merken(i, false);
}
void pause_knopf(bool an) {
    if (Screen_Icon* p = Menue_Screen_Icon_Aus_Nummer(ICON_LEISTE_PAUSE)) {
        if (an) p->status |= MENUE_S_AN;
        else p->status &= ~static_cast<u32>(MENUE_S_AN);
    }
    Manager_Icon_Button_An_Aus(Team_Aktiv, ICON_LEISTE_PAUSE, an ? 1 : 0);
}
bool geklickt(u32 ereignis) { return (ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS)) != 0; }

void wiederholung_klick(Screen_Icon* i, u32 e) {
    if (!geklickt(e)) return;
    umschalten(i) ? Spielfeld_Replay_Start(0) : Spielfeld_Replay_Stop(0);
}

void pause_klick(Screen_Icon* i, u32 e) {
    if (!geklickt(e)) return;
    umschalten(i);
    Menue_Spiel_Pause_Setzen(!Spielfeld_Get_Pause());
}

void schnell_klick(Screen_Icon* i, u32 e) {
    if (!geklickt(e)) return;
    umschalten(i);
    const bool schnell = !Spielfeld_Get_Fast();
    Spielfeld_Set_Fast(schnell ? 1 : 0);
    if (schnell) Menue_Spiel_Pause_Setzen(false);
    pause_knopf(false);
}

// Table, results, line-up and tactics open their screens through the
// screens' launch table (control-bar entries 3..6); the button again takes
// its screen off, and the match is seen again. A screen that does not exist
// yet says so.
void screen_klick(Screen_Icon* i, u32 e, i32 eintrag) {
    if (!geklickt(e)) return;
    aus(i);
    if (Menue_Screen_Schliessen(MENUE_LAUNCH_LEISTE, eintrag)) return;
    if (!Menue_Screen_Starten(MENUE_LAUNCH_LEISTE, eintrag)) Menue_Im_Aufbau();
}
void tabelle_klick(Screen_Icon* i, u32 e) { screen_klick(i, e, 3); }
void ergebnisse_klick(Screen_Icon* i, u32 e) { screen_klick(i, e, 4); }
void aufstellung_klick(Screen_Icon* i, u32 e) { screen_klick(i, e, 5); }
void taktik_klick(Screen_Icon* i, u32 e) { screen_klick(i, e, 6); }

// Load and save: the match waits (its pause button pressed, so the player
// can lift it) while the game is loaded or saved.
// The load and save screens come through the screens' launch table
// (control-bar entries 7 and 8); they lift the forced pause when they close.
void disk(Screen_Icon* i, u32 e, i32 eintrag, void (*ohne_screen)()) {
    if (!geklickt(e)) return;
    aus(i);
    pause_knopf(true);
    Menue_Set_Spiel_Pause(true);
    if (!Menue_Screen_Starten(MENUE_LAUNCH_LEISTE, eintrag)) ohne_screen();
}
void laden_klick(Screen_Icon* i, u32 e) {
    disk(i, e, 7, [] { Menue_Laden_Fragen(); });
}
void speichern_klick(Screen_Icon* i, u32 e) { disk(i, e, 8, Menue_Speichern); }

// Fast play while the left button is held on button 725: checked every
// 10 ms from the moment the mouse enters it until fast play is off again.
// The shown match spools forward with it (its clock races on while the
// button is held) and takes up its own pace again when it is let go.
void vorspulen_hook(void*, u32 ereignis) {
    if (ereignis != MENUE_E_HOOK_ZEIT) return;
    const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(ICON_LEISTE_VORSPULEN);
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    const bool drauf = i && mx >= i->x && mx < i->x + i->w && my >= i->y && my < i->y + i->h;
    const bool halten = drauf && (W32_Get_Mouse_Buttons() & 1);
    if (!Kalender_Ist_Automatik()) Kalender_Set_Spiel_Fast(halten ? 1 : 0);
    Spielfeld_Set_Spulen(halten);
    if (!drauf) Menue_Hook(vorspulen_hook, nullptr, true, 0);
}
void vorspulen_klick(Screen_Icon*, u32) {
    if (!Menue_Hook_Vorhanden(vorspulen_hook, nullptr)) Menue_Hook(vorspulen_hook, nullptr, false, HALTEN_PERIODE_MS);
}

// The bar survives a screen it opens over the match. Buttons 716..724
// (replay .. save): their own picture, on picture, place and procedure,
// user word 0 the button 1..9 (the table's entry 0..8).
constexpr Kit_Bildknopf_Def KNOPF{
    .y = LEISTE_Y, .w = 55, .h = 35, .ebene = 12, .flags = MENUE_F_BLEIBT, .status = MENUE_S_TRANSPARENT};
constexpr auto LEISTE = Icon_Tabelle_Bauen<Icon_Besitzer::RAHMEN_DES_SPIELS>({
    Kit_Bildknopf(KNOPF, {.nummer = ICON_LEISTE_WIEDERHOLUNG,
                          .grafik = GRAFIK_LEISTE_KNOPF,
                          .an = GRAFIK_LEISTE_KNOPF_AN,
                          .x = 111,
                          .klick = wiederholung_klick,
                          .wort = {1, 0}}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_LEISTE_PAUSE,
                          .grafik = GRAFIK_LEISTE_KNOPF + 1,
                          .an = GRAFIK_LEISTE_KNOPF_AN + 1,
                          .x = 169,
                          .klick = pause_klick,
                          .wort = {2, 0}}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_LEISTE_SCHNELL,
                          .grafik = GRAFIK_LEISTE_KNOPF + 2,
                          .an = GRAFIK_LEISTE_KNOPF_AN + 2,
                          .x = 224,
                          .klick = schnell_klick,
                          .wort = {3, 0}}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_LEISTE_TABELLE,
                          .grafik = GRAFIK_LEISTE_KNOPF + 3,
                          .an = GRAFIK_LEISTE_KNOPF_AN + 3,
                          .x = 282,
                          .klick = tabelle_klick,
                          .wort = {4, 0}}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_LEISTE_ERGEBNISSE,
                          .grafik = GRAFIK_LEISTE_KNOPF + 4,
                          .an = GRAFIK_LEISTE_KNOPF_AN + 4,
                          .x = 342,
                          .klick = ergebnisse_klick,
                          .wort = {5, 0}}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_LEISTE_AUFSTELLUNG,
                          .grafik = GRAFIK_LEISTE_KNOPF + 5,
                          .an = GRAFIK_LEISTE_KNOPF_AN + 5,
                          .x = 435,
                          .klick = aufstellung_klick,
                          .wort = {6, 0}}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_LEISTE_TAKTIK,
                          .grafik = GRAFIK_LEISTE_KNOPF + 6,
                          .an = GRAFIK_LEISTE_KNOPF_AN + 6,
                          .x = 501,
                          .klick = taktik_klick,
                          .wort = {7, 0}}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_LEISTE_LADEN,
                          .grafik = GRAFIK_LEISTE_KNOPF + 7,
                          .an = GRAFIK_LEISTE_KNOPF_AN + 7,
                          .x = 573,
                          .klick = laden_klick,
                          .wort = {8, 0}}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_LEISTE_SPEICHERN,
                          .grafik = GRAFIK_LEISTE_KNOPF + 8,
                          .an = GRAFIK_LEISTE_KNOPF_AN + 8,
                          .x = 639,
                          .klick = speichern_klick,
                          .wort = {9, 0}}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_LEISTE_VORSPULEN,
                          .grafik = GRAFIK_LEISTE_VORSPULEN,
                          .x = 752,
                          .w = 48,
                          .klick = vorspulen_klick,
                          .flags = MENUE_F_HOVER | MENUE_F_BLEIBT,
                          .wort = {WORT_VORSPULEN, 0}}),
    Kit_Panel_Icon({.nummer = ICON_LEISTE_RAHMEN,
                    .grafik = GRAFIK_LEISTE,
                    .y = LEISTE_Y,
                    .w = 800,
                    .h = 35,
                    .ebene = 11,
                    .flags = MENUE_F_NICHT_ABFRAGEN | MENUE_F_BLEIBT,
                    .status = 0}),
});

void grau(i32 nummer, bool ja) {
    if (Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(nummer)) {
        if (ja) i->status |= MENUE_S_GRAU;
        else i->status &= ~static_cast<u32>(MENUE_S_GRAU);
    }
}

}  // namespace

void Menue_Kontrollleiste_Zeigen() {
    // A replay that has run to its end lets its button up.
    if (Screen_Icon* w = Menue_Screen_Icon_Aus_Nummer(ICON_LEISTE_WIEDERHOLUNG);
        w && (w->status & MENUE_S_AN) && !Spielfeld_Replay_Laeuft())
        aus(w);
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_LEISTE_ERSTER) || erzwungen) return;
    // The bar replaces what was on the screen; an open requester stays.
    const bool requester = Menue_Requester_Offen();
    // A bar put up anew has no button held down.
    if (!Menue_Hook_Vorhanden(vorspulen_hook, nullptr)) Spielfeld_Set_Spulen(false);
    Menue_Screen_Icons_Loeschen_Bereich(0, 0, 0, 799, 599);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(LEISTE.daten());
    Menue_Set_Hintergrund(nullptr, 0);
    // Replay and pause act on a match shown at this machine only; a client
    // neither loads nor saves.
    const bool netz = !ruf::Einzel();
    grau(ICON_LEISTE_WIEDERHOLUNG, netz);
    grau(ICON_LEISTE_PAUSE, netz);
    grau(ICON_LEISTE_LADEN, ruf::Client());
    grau(ICON_LEISTE_SPEICHERN, ruf::Client());
    // The stored states of replay .. tactics of the active manager.
    for (i32 n = ICON_LEISTE_ERSTER; n <= ICON_LEISTE_TAKTIK; ++n)
        if (Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(n); i && Manager_Icon_Button_Lesen(Team_Aktiv, n)) {
            if (n == ICON_LEISTE_WIEDERHOLUNG && !Spielfeld_Replay_Laeuft()) aus(i);  // the replay is over
            else i->status |= MENUE_S_AN;
        }
    // Fast play is the active manager's as his button shows it: a match
    // another manager sped up does not run fast under a button that is up,
    // and a button that comes back pressed runs it fast.
    Spielfeld_Set_Fast(Manager_Icon_Button_Lesen(Team_Aktiv, ICON_LEISTE_SCHNELL) ? 1 : 0);
    // The table and results windows the manager keeps open come back with
    // the bar (a window that cannot be built switches its button off).
    for (i32 n : {ICON_LEISTE_TABELLE, ICON_LEISTE_ERGEBNISSE})
        if (const i32 k = knopf_von(Menue_Screen_Icon_Aus_Nummer(n));
            k >= 0 && Manager_Icon_Button_Lesen(Team_Aktiv, n))
            Menue_Screen_Starten(MENUE_LAUNCH_LEISTE, k);
    if (requester) Menue_Requester_Wieder_Zeigen();
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
void Menue_Kontrollleiste_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i) return;
    if (i->user[0] == WORT_VORSPULEN) {
        vorspulen_klick(i, ereignis);
        return;
    }
    if (const i32 k = knopf_von(i); k >= 0) LEISTE.icons[static_cast<size_t>(k)].klick(i, ereignis);
}

void Menue_Set_Spiel_Pause(bool an) {
    erzwungen = an;
    if (an) Menue_Spiel_Pause_Setzen(true);
}

bool Menue_Get_Spiel_Pause() { return erzwungen; }

// The training camp's run: its screen opened for a camp, the three bars
// stepped in time with the game, the messages, the outcome booked on the
// squad and shown.
#include "screens/training/lager.h"

#include <algorithm>
#include <cstdio>

#include "base/random.h"
#include "base/ruf.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/sound.h"
#include "graphics/video.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "gui/umbruch.h"
#include "platform/input.h"
#include "screens/teile/drossel.h"
#include "screens/teile/namen.h"
#include "screens/teile/requester.h"
#include "screens/teile/spielerzeile.h"
#include "world/modi.h"
#include "screens/teile/sterne.h"
#include "screens/training/ablauf.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/netz.h"
#include "world/spieler.h"
#include "world/welt.h"
#include "screens/training/lager_intern.h"

using namespace lager_intern;

Screen_Def Trainings_Lager_Run_Screen_Def() {
    // Opened for its camp: by the camp's start button, and by a loaded game
    // whose camp runs on.
    return {.name = "Trainingslager (Lauf)", .icons = Icon_Besitzer::TRAININGSLAGER, .rahmen = ICON_LAUF_PANEL,
            .schliessen = Trainings_Lager_Ergebnis_Schliessen,
            .oeffnen_fuer = [](const Screen_Anlass& a) { Trainings_Lager_Run_Screen_Init(a.lager); }};
}

// --- The run ---------------------------------------------------------------------

void Trainings_Lager_Run_Screen_Init(i32 c) {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_LAUF_PANEL) || c < 0 || c >= TRAININGSLAGER_ANZAHL) return;
    Menue_Screen_Icon_Tabelle_Loeschen(ERGEBNIS.daten());
    Menue_Screen_Icon_Tabelle_Hinzufuegen(LAUF.daten());
    if (Screen_Icon* i = Kit_Icon(ICON_LAUF_ENDE)) i->hilfe = dolv(H_ENDE);
    lauf = Lager_Lauf{};
    lauf.lager = c;
    lauf.anzahl = std::min(Teamspieler_Ins_Array(Team_Aktiv, lauf.kader, MAX_SPIELER_PRO_TEAM, 0), 20);
    std::stable_sort(lauf.kader, lauf.kader + lauf.anzahl,
                     [](i32 a, i32 b) { return wert(SPIELER_WERT_SLOT, a) < wert(SPIELER_WERT_SLOT, b); });
    for (i32 i = 0; i < lauf.anzahl; ++i) {
        const i32 p = lauf.kader[i];
        lauf.start[i][0] = wert(SPIELER_WERT_MORAL, p);
        lauf.start[i][1] = Spieler_Get_Erschoepfung(p);
        lauf.start[i][2] = wert(SPIELER_WERT_STAERKE, p);
        lauf.start[i][3] = wert(SPIELER_WERT_MAX_STAERKE, p);
    }
    Trainings_Lager_Balken_Init();
    lauf.letzter_takt = jetzt_ms();
    if (video) Bnk_RelV(video);
    video = Bnk_InitV(c, "animationen.res", 0, 0, 71, 92, BNK_AUS_CONTAINER, "TestVideo", false);
    if (video) Bnk_PauseV(video, 0);
    Sound_Effekt_Play(KLANG_LAGER, false);
    Blt_Cache_Leeren();
}

void Trainings_Lager_Balken_Init() {
    const Trainingslager_Def& d = Trainingslager_Tabelle[std::clamp(lauf.lager, 0, TRAININGSLAGER_ANZAHL - 1)];
    const Global_Parameter& g = Global_Param;
    // Recovery first, then morale, then strength: the order of the draws is the game's.
    for (i32 k : {1, 0}) {
        Lager_Balken& b = lauf.balken[k];
        const i32 r = k == 1 ? d.erholung : d.moral;
        const i32 br = k == 1 ? g.training_lager_balken_erholung : g.training_lager_balken_moral;
        b = Lager_Balken{};
        const i32 top = oben_halten(r * 180 / 100 + 180 + Rnd(-20, 20));
        b.position = 180 + Rnd_Basis(20, 60);
        b.zustand = 0;
        b.ziel[0] = top;
        const i32 m = Rnd(3, 9);
        ziele(b, m, k == 1 ? 40 : 100, top);
        for (i32 i = 0; i <= m; ++i) b.halten[i] = r * br * (i < 2 ? 70 : 20);
        b.stufen = m + 1;
    }
    Lager_Balken& s = lauf.balken[2];
    s = Lager_Balken{};
    const i32 top = oben_halten(d.staerke * 270 / 100 + 90 + Rnd(10, 80));
    s.position = 180;
    s.zustand = -1;
    s.stufe = -1;
    s.ziel[0] = top;
    const i32 m = Rnd(4, 9);
    ziele(s, m, top / 4, top);
    for (i32 i = 0; i <= m; ++i) s.halten[i] = d.staerke * g.training_lager_balken_staerke * (i < 2 ? 100 : 30);
    s.stufen = m + 1;
}

bool Trainings_Lager_Melden(i32 p, i32 art, i32 w) {
    bool einer_gezeigt = false;
    for (const Lager_Meldung& m : lauf.meldung) einer_gezeigt = einer_gezeigt || (m.spieler >= 0 && m.gezeigt);
    for (Lager_Meldung& m : lauf.meldung)
        if (m.spieler < 0) {
            m = {.spieler = p, .art = art, .wert = w, .gezeigt = !einer_gezeigt, .zeit = jetzt_ms()};
            return true;
        }
    return false;
}

void Trainings_Lager_Takt(u32 jetzt) {
    if (lauf.lager < 0 || lauf.beendet) return;
    // The messages: the first one shown stays its time, then the next.
    const u32 dauer = Trainings_Lager_Gefahr() ? 700 : 1500;
    for (Lager_Meldung& m : lauf.meldung) {
        if (m.spieler < 0 || !m.gezeigt) continue;
        if (jetzt - m.zeit > dauer) {
            m.spieler = -1;
            for (Lager_Meldung& n : lauf.meldung)
                if (n.spieler >= 0) n.gezeigt = true, n.zeit = jetzt;
        }
        break;
    }
    // The clock says only how many steps are due; what each step draws is
    // the course's own, so a slow or a fast machine plays the same camp.
    const u32 faellig = (jetzt - lauf.letzter_takt) / static_cast<u32>(LAUF_TAKT_MS);
    lauf.letzter_takt += faellig * static_cast<u32>(LAUF_TAKT_MS);
    for (u32 n = std::min(faellig, LAUF_NACHHOLEN); n > 0 && !lauf.beendet; --n) Trainings_Lager_Schritt();
}

void Trainings_Lager_Schritt() {
    if (lauf.lager < 0 || lauf.beendet) return;
    ++lauf.schritt;
    // a. A finished bar and no strength left: the camp ends.
    bool fertig = false;
    for (const Lager_Balken& b : lauf.balken) fertig = fertig || b.zustand == 6;
    if (fertig && lauf.balken[1].position <= Rnd_Basis(0, 10)) {
        Screen_Mitteilung(text(T_ERSCHOEPFT));
        Trainings_Lager_Ende();
        return;
    }
    // b. The bars.
    balken_schritt(0);
    balken_schritt(1);
    staerke_schritt();
    // c. In danger, injuries.
    if (Trainings_Lager_Gefahr() &&
        Rnd(0, std::max(1, lauf.balken[1].position) * 1500 + 2000) < Global_Param.training_lager_verletzung * 100) {
        const i32 p = zufallsspieler();
        if (p >= 0 && !verletzt(p) && Spieler_Verletzen(Team_Aktiv, p, VERLETZUNG_LAGER)) Trainings_Lager_Melden(p, 3, 0);
    }
}

void Trainings_Lager_Ergebnis_Buchen() {
    const i32 p0 = prozent(lauf.balken[0].position), p1 = prozent(lauf.balken[1].position);
    for (i32 i = 0; i < lauf.anzahl; ++i) {
        const i32 p = lauf.kader[i];
        if (verletzt(p)) continue;
        i32 d = 0;
        if (p0 > Rnd(16, 32)) d = aenderung(p0, Rnd(0, 100), true);
        // A camp never lowers morale, and raises it to 5 at most.
        const i32 m = wert(SPIELER_WERT_MORAL, p);
        schreiben(SPIELER_WERT_MORAL, p, std::max(m, std::min(LAGER_MORAL_MAX, m + d)));
        i32 e = 0;
        if (p1 > Rnd(16, 33)) e = aenderung(p1, Rnd(0, 100), false);
        schreiben(SPIELER_WERT_ERSCHOEPFUNG, p, std::max(0, 2 * (Spieler_Get_Erschoepfung(p) + e)));
    }
    if (ruf::Client()) Internet_Client_Send_Data_Back();
}

void Trainings_Lager_Ende() {
    if (lauf.beendet) return;
    Trainings_Lager_Ergebnis_Buchen();
    lauf.beendet = true;
    // The run's table (with its blocker) goes before the results' table comes:
    // both blockers carry the same number.
    lauf_aus();
    Menue_Screen_Icon_Tabelle_Hinzufuegen(ERGEBNIS.daten());
    for (i32 i = lauf.anzahl; i < 20; ++i)
        if (Screen_Icon* z = Kit_Icon(ICON_ERGEBNIS_ZEILE + i)) z->status |= MENUE_S_VERSTECKT;
    Blt_Cache_Leeren();
}

void Trainings_Lager_Ende_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & MENUE_E_LINKS) Trainings_Lager_Ende();
}

void Trainings_Lager_Ergebnis_Schliessen() {
    lauf_aus();
    Menue_Screen_Icon_Tabelle_Loeschen(ERGEBNIS.daten());
    Blt_Cache_Leeren();
}

void Trainings_Lager_Ergebnis_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS)) Trainings_Lager_Ergebnis_Schliessen();
}

void Trainings_Lager_Run_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    const u32 jetzt = jetzt_ms();
    Trainings_Lager_Takt(jetzt);
    if (lauf.beendet || lauf.lager < 0) return;
    Font* klein = Kit_Font(Kit_Schrift::TEXT);
    Font* mittel = Kit_Font(Kit_Schrift::SCHMAL_GROSS);
    Font* titel = Kit_Font(Kit_Schrift::TITEL);
    if (!klein || !mittel || !titel) return;
    Kit_Printf_Glatt(ziel, klein, FARBE_WEISS, 115, 219, "%s", text(T_KEIN_FILM));
    // The bars.
    for (i32 k = 0; k < 3; ++k) {
        const i32 y = 341 + 33 * k;
        Kit_Bild_Zeichnen(ziel, GRAFIK_LAGER_BALKEN, 219, y);
        const i32 p = std::clamp(lauf.balken[k].position, 0, LAUF_BALKEN);
        if (Rastport* b = Kit_Bild(GRAFIK_LAGER_BALKEN_DECKE))
            if (p < LAUF_BALKEN) Blt_Blit(b, p, 0, LAUF_BALKEN - p, -1, ziel, 219 + p, y, Blt_Opt_Transparent);
        Kit_Printf_Stelle(ziel, mittel, FARBE_WEISS, 0, y + 15, Kit_Schein::GLATT, {Kit_Ausrichtung::RECHTS, 210}, "%s",
                          text(T_MORAL + k));  // left of its bar
    }
    Kit_Printf_Stelle(ziel, titel, FARBE_WEISS, 0, 239, Kit_Schein::GLATT, {Kit_Ausrichtung::MITTE, 560}, "%s",
                      Trainingslager_Tabelle[lauf.lager].name);
    Kit_Printf_Glatt(ziel, mittel, FARBE_HELL, 390, 120, "%s", text(T_LAEUFT));
    // Danger blinks.
    if (Trainings_Lager_Gefahr())
        Kit_Printf_Glatt(ziel, mittel, jetzt % 1000 < 500 ? FARBE_WEISS : FARBE_GEFAHR, 390, 330, "%s", text(T_GEFAHR));
    // The message shown now.
    for (const Lager_Meldung& m : lauf.meldung) {
        if (m.spieler < 0 || !m.gezeigt) continue;
        const char* name = Spieler_String(505, m.spieler, nullptr, 0);
        char zeile[300];
        switch (m.art) {
            case 0: std::snprintf(zeile, sizeof zeile, "%s %s", name, text(T_STAERKER)); break;
            case 1: std::snprintf(zeile, sizeof zeile, "%s %s", name, text(T_POTENTIAL)); break;
            case 2:
                std::snprintf(zeile, sizeof zeile, "%s : %s %s %s", name, text(T_SCHWAECHE),
                              m.wert >= 0 && m.wert < ATTRIBUT_ANZAHL ? Attribut_Tabelle[m.wert].name : "",
                              text(T_SCHWAECHE_2));
                break;
            default: std::snprintf(zeile, sizeof zeile, "%s %s", name, text(T_VERLETZT)); break;
        }
        Umbruch_Text_Ausgabe(ziel, klein, zeile, 390, 720, 150, 200, m.art == 3 ? FARBE_FEHLER : FARBE_GOLD, 0, -1);
        break;
    }
}

void Trainings_Lager_Ergebnis_Zeile(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y) {
    if (!icon) return;
    const i32 i = static_cast<i32>(icon->user[0]);
    if (i < 0 || i >= lauf.anzahl) return;
    const i32 p = lauf.kader[i];
    if (i == 0) {
        // The captions over the first row.
        if (Font* t = Kit_Font(Kit_Schrift::TITEL))
            Kit_Printf_Glatt(ziel, t, FARBE_WEISS, 90, 104, "%s", text(T_ERGEBNIS));
        if (Font* k = Kit_Font(Kit_Schrift::TEXT)) {
            const i32 spalten_x[6] = {73, 107, 141, 342, 470, 575};
            for (i32 s = 0; s < 6; ++s)
                Kit_Printf_Glatt(ziel, k, FARBE_KOPF, spalten_x[s], 124, "%s", text(T_SPALTE + s));
        }
    }
    const u32 status = static_cast<u32>(wert(SPIELER_WERT_STATUS, p));
    if (status & NICHT_SPIELBEREIT)
        if (Rastport* b = Kit_Bild(GRAFIK_LAGER_AUSFALL))
            Blt_Alpha_Prozent_Transparent(b, 0, 0, -1, -1, ziel, x - 29, y, 35);
    const i32 k = std::clamp(wert(SPIELER_WERT_POSITION, p), 0, 3);
    Kit_Bild_Zeichnen(ziel, static_cast<u32>(GRAFIK_POSITION_KLASSE + BADGE[k]), x - 24, y);
    const i32 ty = y + 12;
    if (Font* f = Kit_Font(Kit_Schrift::ZAHL))
        Kit_Tabelle_Zeile_Printf(ziel, f, FARBE_WEISS, x - 27, ty, Kit_Schein::SCHLICHT, SPIELERZEILE_SPALTEN,
                                 "^fb0006\t%d^fe", wert(SPIELER_WERT_RUECKENNUMMER, p));
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    if (!f) return;
    char kurz[64];
    // The name from the row's left, cut to its width (as on the training sheet).
    constexpr Kit_Spalte NAME{.x = 59, .breite = 102};
    Tools_Text_Kuerzen(Spieler_String(63, p, nullptr, 0), kurz, f, NAME.breite);
    Kit_Tabelle_Zelle_Printf(ziel, f, FARBE_KLASSE[k], x - 25, ty, Kit_Schein::SCHLICHT,
                             SPIELERZEILE_SPALTEN[SZ_POSITION], "%s", Positions_Text(k));
    Kit_Tabelle_Zelle_Printf(ziel, f, FARBE_WEISS, x - 25, ty, Kit_Schein::SCHLICHT, NAME, "%s", kurz);
    // Morale: the grade's name in its colour (grades 0..6), the change.
    const i32 m = std::clamp(wert(SPIELER_WERT_MORAL, p), 0, 6);
    const i32 dm = m - lauf.start[i][0];
    Kit_Printf(ziel, f, FARBE_NOTE[m], x + 242, ty, "%s", Status_Text(m));
    if (dm > 0) Kit_Printf(ziel, f, FARBE_KLASSE_1, x + 325, ty, "(+%d)", dm);
    else if (dm < 0) Kit_Printf(ziel, f, FARBE_FEHLER, x + 325, ty, "(%d)", dm);
    // Condition: the picture the squad shows for it now, and how much
    // fresher he came back.
    const i32 g = lauf.start[i][1] - Spieler_Get_Erschoepfung(p);
    Kit_Bild_Zeichnen(ziel, Erschoepfung_Grafik(p), x + 400, y);
    if (g > 0) Kit_Printf(ziel, f, FARBE_KLASSE_1, x + 430, ty, "(+%d)", g);
    else if (g < 0) Kit_Printf(ziel, f, FARBE_FEHLER, x + 430, ty, "(%d)", g);
    // Strength: the stars, the change in stars.
    Spieler_Sterne_Zeichnen(ziel, p, x + 474, y + 1, 0, false);
    const i32 ds = wert(SPIELER_WERT_STAERKE, p) - lauf.start[i][2];
    // In stars, with a decimal comma.
    if (ds > 0) Kit_Printf(ziel, f, FARBE_KLASSE_1, x + 570, ty, "(+%d,%d)", ds / 2, (ds % 2) * 5);
    else if (ds < 0) Kit_Printf(ziel, f, FARBE_FEHLER, x + 570, ty, "(-%d,%d)", -ds / 2, (-ds % 2) * 5);
}

const char* Trainings_Lager_Ergebnis_Spalte(Screen_Icon*) {
    const i32 x = Maus_Get_X(), y = Maus_Get_Y();
    if (y < 113 || y > 123 || x < 73 || x > 712) return nullptr;
    const char* e1 = nullptr;
    if (x < 106) e1 = Text_cfg_Text(TEXT_EINSETZEN_1, E1_SPALTE);
    else if (x < 140) e1 = Text_cfg_Text(TEXT_EINSETZEN_1, E1_SPALTE + 1);
    else if (x < 241) e1 = Text_cfg_Text(TEXT_EINSETZEN_1, E1_SPALTE + 2);
    else if (x >= 341 && x <= 462) e1 = dolv(H_STAERKE);
    else if (x >= 463 && x <= 568) e1 = dolv(H_MAXIMUM);
    else if (x > 568) e1 = dolv(H_EREIGNIS);
    return e1;
}

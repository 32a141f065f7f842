#include "screens/club/stadion_screen.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/meldung.h"
#include "base/ruf.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/sound.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "gui/umbruch.h"
#include "platform/input.h"
#include "screens/teile/drossel.h"
#include "screens/teile/schritt.h"
#include "world/bank.h"
#include "world/netz.h"
#include "world/stadion.h"
#include "world/stadion_bau.h"
#include "world/welt.h"

namespace {

// Texts of the screen's section.
enum : i32 {
    T_KLASSE_0 = 0,  // 0..5 the class names
    T_IHR_STADION = 6,
    T_PREIS = 9,
    T_KOMFORT = 10,
    T_DERZEIT = 11,
    T_AUFTRAG = 12,
    T_STUFE = 13,
    T_NAECHSTE = 14,
    T_KOSTEN = 15,
    T_PLAETZE = 16,
    T_KAPAZITAET = 17,
    T_HOECHSTE = 18,
    T_POPUP_KAPAZITAET = 19,
    T_POPUP_RENOVIERT = 20,
    T_POPUP_AUSGEBAUT = 21,
    T_HILFE_AUSBAU = 22,
    T_HILFE_RENOVIEREN = 23,
    T_HILFE_UMBAU = 24,
};
constexpr u32 DROSSEL_MS = 100;
constexpr i32 OHNE_STADION_KAPAZITAET = 20000;

Screen_Drossel wert_drossel;
i32 komfort_plan = 0, kapazitaet_plan = 0;
char popup_text[300] = "";
i32 popup_art = STADION_POPUP_BAU;
i32 popup_klang = -1;  // the sound of the next popup, -1 the ordinary one

const char* text(i32 n) { return Text_cfg_Text(TEXT_STADION, n); }
const char* geld(i64 betrag) { return Bank_Geld_String(static_cast<f64>(betrag), Team_Aktiv, -1, 0); }
const char* zahl(i64 wert) { return Bank_Zahl_String(nullptr, wert, 0); }
const char* hilfe(i32 n) { return text(n); }

Stadion_Daten* stadion() { return Team_Aktiv >= 0 ? Stadion_Get(Team_Aktiv, 1) : nullptr; }

constexpr Kit_Bildknopf_Def KNOPF{.h = 30, .ebene = 1};

constexpr auto TABELLE = Icon_Tabelle_Bauen<Icon_Besitzer::STADION>({
    {.nummer = ICON_STADION_SEITE,
     .grafik = GRAFIK_STADION_SEITE,
     .x = 0,
     .y = 107,
     .status = MENUE_S_TRANSPARENT,
     .zeichnen = Stadion_Screen_Zeichnen,
     .ebene = 0,
     .w = 800,
     .h = 420},
    {.nummer = ICON_STADION_BILD,
     .grafik = GRAFIK_STADION_BILD,
     .flags = MENUE_F_NICHT_ABFRAGEN,
     .x = 9,
     .y = 116,
     .zeichnen = Stadion_Screen_Bild,
     .ebene = 1,
     .w = 380,
     .h = 300},
    Kit_Stepperknopf({.nummer = ICON_STADION_PREIS,
                      .grafik = GRAFIK_STADION_PREIS,
                      .x = 620,
                      .y = 171,
                      .ebene = 1,
                      .klick = Stadion_Preis_Klick}),
    Kit_Stepperknopf({.nummer = ICON_STADION_KOMFORT,
                      .grafik = GRAFIK_STADION_KOMFORT,
                      .x = 671,
                      .y = 271,
                      .ebene = 1,
                      .klick = Stadion_Komfort_Klick}),
    Kit_Stepperknopf({.nummer = ICON_STADION_KAPAZITAET,
                      .grafik = GRAFIK_STADION_KAPAZITAET,
                      .x = 671,
                      .y = 413,
                      .ebene = 1,
                      .klick = Stadion_Kapazitaet_Klick}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_STADION_AUSBAU,
                          .grafik = GRAFIK_STADION_AUSBAU,
                          .gedrueckt = GRAFIK_STADION_AUSBAU_GEDRUECKT,
                          .x = 306,
                          .y = 483,
                          .w = 140,
                          .klick = Stadion_Ausbau_Klick,
                          .hilfe = [](Screen_Icon*) { return hilfe(T_HILFE_AUSBAU); }}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_STADION_RENOVIEREN,
                          .grafik = GRAFIK_STADION_RENOVIEREN,
                          .gedrueckt = GRAFIK_STADION_AUFTRAG_GEDRUECKT,
                          .x = 670,
                          .y = 341,
                          .w = 120,
                          .klick = Stadion_Renovieren_Klick,
                          .hilfe = [](Screen_Icon*) { return hilfe(T_HILFE_RENOVIEREN); }}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_STADION_UMBAU,
                          .grafik = GRAFIK_STADION_UMBAU,
                          .gedrueckt = GRAFIK_STADION_AUFTRAG_GEDRUECKT,
                          .x = 670,
                          .y = 483,
                          .w = 120,
                          .klick = Stadion_Umbau_Klick,
                          .hilfe = [](Screen_Icon*) { return hilfe(T_HILFE_UMBAU); }}),
});

constexpr auto POPUP = Icon_Tabelle_Bauen<Icon_Besitzer::STADION>({
    {.nummer = ICON_STADION_SPERRE, .flags = MENUE_F_GANZER_SCREEN | MENUE_F_MODAL, .klick = Stadion_Popup_Klick,
     .ebene = 16},
    {.nummer = ICON_STADION_POPUP, .grafik = GRAFIK_STADION_POPUP, .flags = MENUE_F_MODAL, .x = 74, .y = 20,
     .status = MENUE_S_TRANSPARENT, .klick = Stadion_Popup_Klick, .zeichnen = Stadion_Popup_Text, .ebene = 17,
     .w = 650, .h = 560},
});

// The planned values from the manager's record: a new manager plans the
// stadium as it stands.
void plan_lesen() {
    const Stadion_Daten* s = stadion();
    komfort_plan = static_cast<i32>(Menue_Icon_Zustand(ICON_STADION_KOMFORT));
    if (s && (komfort_plan <= 0 || komfort_plan > STADION_KOMFORT_MAX)) komfort_plan = s->komfort;
    kapazitaet_plan = static_cast<i32>(Menue_Icon_Zustand(ICON_STADION_KAPAZITAET));
    if (kapazitaet_plan <= 0) kapazitaet_plan = s ? s->kapazitaet : OHNE_STADION_KAPAZITAET;
    // A plan made before the stadium changed (a class built, a match day's
    // repairs) is held to what can be planned now.
    if (s) {
        const Stadion_Bauklasse& k = Stadion_Bauklasse_Holen(s->klasse);
        komfort_plan = std::clamp(komfort_plan, s->komfort, STADION_KOMFORT_MAX);
        kapazitaet_plan = std::clamp(kapazitaet_plan, k.von, k.bis);
    }
    Menue_Icon_Zustand_Setzen(ICON_STADION_KOMFORT, static_cast<u32>(komfort_plan));
    Menue_Icon_Zustand_Setzen(ICON_STADION_KAPAZITAET, static_cast<u32>(kapazitaet_plan));
}

// The step of a held stepper, or 0 while the throttle holds it back.
i32 schritt(Screen_Icon* icon, u32 ereignis) {
    if (!icon || !(ereignis & MENUE_E_LINKS) || !Screen_Drossel_Frei(&wert_drossel, DROSSEL_MS)) return 0;
    if (const Stadion_Daten* s = stadion()) Menue_Icon_Zustand_Setzen(ICON_STADION_PREIS, static_cast<u32>(s->eintrittspreis));
    const i32 n = Stepper_Schritt(icon->x, Maus_Get_X());
    icon->grafik_gedrueckt = static_cast<u32>(Stepper_Grafik(n));
    return n;
}

// After a step that was paid: the popup with the step's picture and text.
// The popup also tells the balance the step leaves.
void gebaut(i32 art, const char* t) {
    popup_klang = STADION_KLANG_GEBAUT;
    const std::string mit_konto = std::string(t ? t : "") + "^l" + Menue_Kontostand_Danach(Team_Aktiv);
    Stadion_Popup(art, mit_konto.c_str());
    Blt_Cache_Leeren();
}

// A refused step tells the manager why; a refused booking changes nothing.
void abgelehnt(Stadion_Bau e) {
    if (e == Stadion_Bau::HOECHSTE_KLASSE) Meldung_Manager_Printf(1, Team_Aktiv, "%s", text(T_HOECHSTE));
}

// A class's line: its name, the seats it holds at their right edge.
constexpr Kit_Spalte KLASSE[] = {{.x = 181, .ausrichtung = Kit_Ausrichtung::MITTE},
                                 {.x = 403, .ausrichtung = Kit_Ausrichtung::RECHTS}};
constexpr Kit_Stelle DERZEIT{Kit_Ausrichtung::RECHTS, 768};  // what stands now, at the panel's right edge
constexpr Kit_Stelle BAUPREIS{Kit_Ausrichtung::LINKS, 150};  // from the label's left

void klassen_zeile(Rastport* ziel, Font* f, i32 y, i32 klasse) {
    const Stadion_Bauklasse& k = Stadion_Bauklasse_Holen(klasse);
    Kit_Tabelle_Zeile_Printf(ziel, f, FARBE_WEISS, 0, y, Kit_Schein::GLATT, KLASSE, "\t%s\t%d-%s %s",
                             text(T_KLASSE_0 + klasse), k.von / 1000, zahl(k.bis), text(T_PLAETZE));
}

}  // namespace

Screen_Def Stadion_Screen_Def() {
    return {.name = "Stadion", .icons = Icon_Besitzer::STADION, .rahmen = ICON_STADION_SEITE, .arbeitsflaeche = true,
            .oeffnen = Stadion_Screen_Init};
}

void Stadion_Screen_Init() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_STADION_SEITE)) return;
    Menue_Screen_Icons_Loeschen_Bereich(4, 0, 0, ARBEITSFLAECHE_X1, ARBEITSFLAECHE_Y1);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(TABELLE.daten());
    wert_drossel = {};
    if (ruf::Client() && Team_Aktiv >= 0) Stadion_Internet_Client_Get(Team_Aktiv);
    plan_lesen();
}

i32 Stadion_Screen_Komfort() { return komfort_plan; }
i32 Stadion_Screen_Kapazitaet() { return kapazitaet_plan; }
i64 Stadion_Screen_Renovierung_Kosten() {
    const Stadion_Daten* s = stadion();
    return s ? Stadion_Renovierung_Kosten(*s, komfort_plan) : 0;
}
i64 Stadion_Screen_Kapazitaet_Kosten() {
    const Stadion_Daten* s = stadion();
    return s ? Stadion_Kapazitaet_Kosten(*s, kapazitaet_plan) : 0;
}

void Stadion_Preis_Klick(Screen_Icon* icon, u32 ereignis) {
    const i32 n = schritt(icon, ereignis);
    const Stadion_Daten* s = stadion();
    if (n == 0 || !s) return;
    const i32 preis = Tools_Clamp(s->eintrittspreis + n, STADION_PREIS_MIN, STADION_PREIS_MAX, -1);
    if (preis != s->eintrittspreis) Stadion_Preis_Setzen(Team_Aktiv, preis);
    if (const Stadion_Daten* neu = stadion())
        Menue_Icon_Zustand_Setzen(ICON_STADION_PREIS, static_cast<u32>(neu->eintrittspreis));
    Blt_Cache_Leeren();
}

void Stadion_Komfort_Klick(Screen_Icon* icon, u32 ereignis) {
    const i32 n = schritt(icon, ereignis);
    const Stadion_Daten* s = stadion();
    if (n == 0 || !s) return;
    komfort_plan = Tools_Clamp(komfort_plan + n, s->komfort, STADION_KOMFORT_MAX, -1);
    Menue_Icon_Zustand_Setzen(ICON_STADION_KOMFORT, static_cast<u32>(komfort_plan));
    Blt_Cache_Leeren();
}

void Stadion_Kapazitaet_Klick(Screen_Icon* icon, u32 ereignis) {
    const i32 n = schritt(icon, ereignis);
    const Stadion_Daten* s = stadion();
    if (n == 0 || !s) return;
    const Stadion_Bauklasse& k = Stadion_Bauklasse_Holen(s->klasse);
    kapazitaet_plan = Tools_Clamp(kapazitaet_plan + n * STADION_KAPAZITAET_SCHRITT, k.von, k.bis, -1);
    Menue_Icon_Zustand_Setzen(ICON_STADION_KAPAZITAET, static_cast<u32>(kapazitaet_plan));
    Blt_Cache_Leeren();
}

void Stadion_Ausbau_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || !stadion()) return;
    const Stadion_Bau e = Stadion_Klasse_Bauen(Team_Aktiv);
    if (e != Stadion_Bau::GEBUCHT) return abgelehnt(e);
    const Stadion_Daten* s = stadion();
    komfort_plan = s->komfort, kapazitaet_plan = s->kapazitaet;
    Menue_Icon_Zustand_Setzen(ICON_STADION_KOMFORT, static_cast<u32>(komfort_plan));
    Menue_Icon_Zustand_Setzen(ICON_STADION_KAPAZITAET, static_cast<u32>(kapazitaet_plan));
    gebaut(STADION_POPUP_BAU, text(T_POPUP_AUSGEBAUT));
}

void Stadion_Renovieren_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || !stadion()) return;
    const Stadion_Bau e = Stadion_Renovieren(Team_Aktiv, komfort_plan);
    if (e != Stadion_Bau::GEBUCHT) return abgelehnt(e);
    char t[300];
    std::snprintf(t, sizeof t, text(T_POPUP_RENOVIERT), stadion()->komfort);
    gebaut(STADION_POPUP_RENOVIERUNG, t);
}

void Stadion_Umbau_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || !stadion()) return;
    const Stadion_Bau e = Stadion_Kapazitaet_Aendern(Team_Aktiv, kapazitaet_plan);
    if (e != Stadion_Bau::GEBUCHT) return abgelehnt(e);
    char t[300];
    std::snprintf(t, sizeof t, text(T_POPUP_KAPAZITAET), zahl(stadion()->kapazitaet));
    gebaut(STADION_POPUP_BAU, t);
}

void Stadion_Popup(i32 art, const char* t) {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_STADION_POPUP)) return;
    Menue_Screen_Icon_Tabelle_Hinzufuegen(POPUP.daten());
    popup_art = art == STADION_POPUP_RENOVIERUNG ? STADION_POPUP_RENOVIERUNG : STADION_POPUP_BAU;
    Menue_Set_Rechtsklick_Icon(ICON_STADION_POPUP);
    std::snprintf(popup_text, sizeof popup_text, "%s", t ? t : "");
    Sound_Effekt_Solo(popup_klang >= 0 ? popup_klang : STADION_KLANG_POPUP, true);
    popup_klang = -1;
}

void Stadion_Popup_Text(Screen_Icon*, Rastport* ziel, i32 x, i32 y) {
    const u32 bild = popup_art == STADION_POPUP_RENOVIERUNG ? GRAFIK_STADION_POPUP_RENOVIERUNG : GRAFIK_STADION_POPUP_BAU;
    if (Rastport* b = Kit_Bild(bild)) Blt_Blit(b, 0, 0, -1, -1, ziel, x + 6, y + 6, Blt_Opt_Standard);
    Font* f = Kit_Font(Kit_Schrift::SCHMAL_GROSS);
    Umbruch_Text_Ausgabe(ziel, f, popup_text, 87, 718, 514, 572, 1, 4, 33);
    Umbruch_Text_Ausgabe(ziel, f, popup_text, 86, 717, 513, 571, FARBE_WEISS, 4, 33);
}

void Stadion_Popup_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS))) return;
    Menue_Screen_Icon_Tabelle_Loeschen(POPUP.daten());
    Menue_Set_Rechtsklick_Icon(-1);
    Blt_Cache_Leeren();
}

void Stadion_Screen_Bild(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y) {
    const Stadion_Daten* s = stadion();
    if (!s || !icon) return;
    icon->grafik = GRAFIK_STADION_BILD + static_cast<u32>(std::clamp(s->klasse, 0, STADION_KLASSEN - 1));
    if (Rastport* b = Kit_Bild(icon->grafik)) Blt_Blit(b, 0, 0, -1, -1, ziel, x, y, Blt_Opt_Standard);
}

void Stadion_Screen_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    const Stadion_Daten* s = stadion();
    if (!s) return;
    Font* klein = Kit_Font(Kit_Schrift::TEXT);
    Font* gross = Kit_Font(Kit_Schrift::SCHMAL_GROSS);
    const u16 w = FARBE_WEISS;
    // The ground's name over its figures.
    const char* name = Team_String(702, Team_Aktiv, nullptr, 0);
    Kit_Printf_Glatt(ziel, gross, FARBE_GEWAEHLT, 408, 128, "%s: %s", text(T_IHR_STADION), name ? name : "");
    // 1. Ticket price.
    Kit_Printf_Glatt(ziel, gross, w, 408, 155, "%s", text(T_PREIS));
    Kit_Printf_Glatt(ziel, gross, FARBE_GEWAEHLT, 408, 189, "%s", geld(s->eintrittspreis));
    // 2., 3. Comfort: now, planned, what the renovation costs.
    Kit_Printf_Glatt(ziel, klein, w, 554, 262, "%s", text(T_KOMFORT));
    Kit_Printf_Stelle(ziel, klein, FARBE_HELL, 0, 262, Kit_Schein::GLATT, DERZEIT, "%s %d%%", text(T_DERZEIT),
                      s->komfort);
    Kit_Printf_Glatt(ziel, gross, FARBE_GEWAEHLT, 554, 288, "%d%%", komfort_plan);
    Kit_Printf_Glatt(ziel, gross, w, 554, 323, "%s   %s", text(T_KOSTEN),
                     geld(Stadion_Renovierung_Kosten(*s, komfort_plan)));
    Kit_Printf_Glatt(ziel, gross, FARBE_HELL, 554, 358, "%s", text(T_AUFTRAG));
    // 4., 5. Capacity: now, planned, what the change costs.
    Kit_Printf_Glatt(ziel, klein, w, 500, 404, "%s", text(T_KAPAZITAET));
    Kit_Printf_Stelle(ziel, klein, FARBE_HELL, 0, 404, Kit_Schein::GLATT, DERZEIT, "%s %s %s", text(T_DERZEIT),
                      zahl(s->kapazitaet), text(T_PLAETZE));
    Kit_Printf_Glatt(ziel, gross, FARBE_GEWAEHLT, 500, 430, "%s", zahl(kapazitaet_plan));
    Kit_Printf_Glatt(ziel, gross, w, 500, 465, "%s   %s", text(T_KOSTEN),
                     geld(Stadion_Kapazitaet_Kosten(*s, kapazitaet_plan)));
    Kit_Printf_Glatt(ziel, gross, FARBE_HELL, 500, 500, "%s", text(T_AUFTRAG));
    // 6. The class; 7. the next one and what building it costs.
    const i32 klasse = std::clamp(s->klasse, 0, STADION_KLASSEN - 1);
    Kit_Printf_Glatt(ziel, klein, FARBE_HELL, 44, 438, "%s", text(T_STUFE));
    klassen_zeile(ziel, klein, 438, klasse);
    if (klasse < STADION_KLASSEN - 1) {
        Kit_Printf_Glatt(ziel, gross, FARBE_HELL, 44, 464, "%s", text(T_NAECHSTE));
        klassen_zeile(ziel, klein, 464, klasse + 1);
        Kit_Printf_Glatt(ziel, gross, w, 44, 499, "%s%s%s", text(T_KOSTEN), Kit_Einzug_Bei(BAUPREIS).code,
                         geld(Stadion_Bauklasse_Holen(klasse + 1).baupreis));
    }
}

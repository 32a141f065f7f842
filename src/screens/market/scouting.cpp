#include "screens/market/scouting.h"

#include <array>
#include <cstdio>
#include <string>

#include "base/meldung.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/sound.h"
#include "gui/anim.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "platform/input.h"
#include "screens/market/scout_suche.h"
#include "screens/market/transfer.h"
#include "screens/squad/spielerkarte.h"
#include "screens/teile/requester.h"
#include "season/kalender.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/markt.h"
#include "world/welt.h"

namespace {

constexpr i32 KLANG_BESTAETIGT = 3;
constexpr i32 GEBIET_14_AB_TAG = 500, GEBIET_14_PERIODE = 30, GEBIET_14_ZYKLUS = 6;

enum : i32 {
    T_ZURUECK_1 = 1,
    T_BEZAHLEN_2 = 2,
    T_UNTERWEGS = 3,
    T_BERICHTE = 4,
    T_GEBIET = 5,
    T_GRUNDGEBUEHR = 17,
    T_GESAMT = 18,
    T_FREI = 19,
    T_GEBIETSPREIS = 20,
    T_AUFTRAG = 21,
    T_ZIEL = 22,
    T_FRAGE_1 = 23,
    T_FRAGE_2 = 24,
    T_JA = 25,
    T_NEIN = 26,
    T_BEZAHLEN = 35,
    T_ZURUECK = 36,
    T_VERPFLICHTEN = 37,
    T_HINWEIS = 40,
    T_VERLASSEN_FRAGE = 41,
    T_ABWEISEN = 42,
};
constexpr i32 TRANSFER_KEIN_GELD = 50;                           // TRANSFER_SCREEN
constexpr i32 BEXOT_GESCHEITERT = 18;                            // ZUSATZTEXTE_BEXOT
constexpr i32 DOLV_BEZAHLEN = 12, DOLV_ABWEISEN = 13, DOLV_VERPFLICHTEN = 14;  // ZUSATZTEXTE_DOLV

// The area icons' numbers and picture pairs, by continent 0..14.
struct Gebiet_Icon {
    i16 nummer;
    u32 grafik;
};
constexpr Gebiet_Icon GEBIET_ICONS[KONTINENT_ANZAHL] = {
    {3362, 28190}, {3363, 28188}, {3364, 28186}, {3365, 28164}, {3366, 28166}, {3367, 28170}, {3368, 28168},
    {3369, 28172}, {3370, 28174}, {3371, 28182}, {3372, 28192}, {3373, 28184}, {3374, 28176}, {3375, 28180},
    {3391, 28178},
};

i32 stufe = 1, vorige_stufe = -1, gebiet = -1, scout = 0, hover = -1;
Anim_Slot anim[1];
Icon_Textzeile zeile_text[3]{}, zurueck_text{}, bezahlen_text{}, verlassen_text{}, abweisen_text{}, verpflichten_text{};
char zeile_puffer[3][160];

constexpr u32 MODAL = MENUE_F_MODAL | MENUE_F_BEIDE_TASTEN;
// The map's buttons: their plates end inside the panel (its right edge at
// x 780, 16 px of padding).
constexpr i16 KNOPF_X = 661;
// An area out of its season stays on the map, dimmed (per cent of its picture).
constexpr i32 GESCHLOSSEN_PROZENT = 45;
constexpr auto GEBIET_NUMMERN = [] {
    std::array<i16, KONTINENT_ANZAHL> n{};
    for (size_t k = 0; k < n.size(); ++k) n[k] = GEBIET_ICONS[k].nummer;
    return n;
}();
constexpr auto GEBIET_GRAFIKEN = [] {
    std::array<u32, KONTINENT_ANZAHL> g{};
    for (size_t k = 0; k < g.size(); ++k) g[k] = GEBIET_ICONS[k].grafik;
    return g;
}();
constexpr Kit_Bildknopf_Def KNOPF{.ebene = 5, .flags = MODAL | MENUE_F_TEXT};
// The information lines of stages 1 and 2.
constexpr Screen_Icon ZEILE{.grafik = GRAFIK_SCOUTING_INFOZEILE,
                            .flags = MODAL | MENUE_F_NICHT_ABFRAGEN,
                            .status = MENUE_S_TRANSPARENT,
                            .ebene = 3,
                            .w = 300,
                            .h = 26};
constexpr auto ZEILEN =
    Kit_Zeilen_Eigen(ZEILE, {{.nummer = ICON_SCOUTING_ZEILE_1, .x = 40, .y = 356, .text = &zeile_text[0]},
                             {.nummer = ICON_SCOUTING_ZEILE_2, .x = 40, .y = 387, .text = &zeile_text[1]},
                             {.nummer = ICON_SCOUTING_ZEILE_3, .x = 40, .y = 419, .text = &zeile_text[2]}});
constexpr auto SCOUTING_RAHMEN = Icon_Liste({Kit_Panel_Icon({.nummer = ICON_SCOUTING_RAHMEN,
                                                             .grafik = GRAFIK_SCOUTING_RAHMEN,
                                                             .w = 800,
                                                             .h = 600,
                                                             .ebene = 2,
                                                             .zeichnen = Scouting_Zeichnen,
                                                             .flags = MODAL})});

constexpr auto BASIS = Icon_Tabelle_Bauen<Icon_Besitzer::SCOUTING>({
    // Catches the clicks beside the panel; clear, so that the main menu's
    // header shows above the frame.
    {.nummer = ICON_SCOUTING_SPERRE, .flags = MODAL, .status = MENUE_S_TRANSPARENT, .ebene = 1, .w = 800, .h = 600},
    {.nummer = ICON_SCOUTING_ZURUECK_GRUND,
     .grafik = GRAFIK_SCOUTING_KNOPFGRUND + 1,
     .flags = MODAL,
     .x = KNOPF_X - 3,
     .y = 407,
     .status = MENUE_S_TRANSPARENT,
     .ebene = 3,
     .w = 106,
     .h = 40},
    Kit_Bildknopf(KNOPF, {.nummer = ICON_SCOUTING_ZURUECK,
                          .grafik = GRAFIK_SCOUTING_ZURUECK,
                          .gedrueckt = GRAFIK_SCOUTING_ZURUECK_AN,
                          .x = KNOPF_X,
                          .y = 411,
                          .w = 100,
                          .h = 32,
                          .klick = Scouting_Zurueck_Klick,
                          .text = &zurueck_text}),
});
constexpr auto STUFE_1 = Icon_Tabelle_Aus<Icon_Besitzer::SCOUTING>(SCOUTING_RAHMEN, ZEILEN);
constexpr auto STUFE_2 = Icon_Tabelle_Aus<Icon_Besitzer::SCOUTING>(SCOUTING_RAHMEN, ZEILEN,
                                                                   Icon_Liste({
                                                                       {.nummer = ICON_SCOUTING_BEZAHLEN_GRUND,
                                                                        .grafik = GRAFIK_SCOUTING_KNOPFGRUND,
                                                                        .flags = MODAL,
                                                                        .x = KNOPF_X - 3,
                                                                        .y = 362,
                                                                        .status = MENUE_S_TRANSPARENT,
                                                                        .ebene = 3,
                                                                        .w = 106,
                                                                        .h = 40},
                                                                   }));
constexpr auto BEZAHLEN = Icon_Tabelle_Bauen<Icon_Besitzer::SCOUTING>({
    Kit_Bildknopf(KNOPF, {.nummer = ICON_SCOUTING_BEZAHLEN,
                          .grafik = GRAFIK_SCOUTING_BEZAHLEN,
                          .gedrueckt = GRAFIK_SCOUTING_BEZAHLEN_AN,
                          .x = KNOPF_X,
                          .y = 366,
                          .w = 100,
                          .h = 32,
                          .klick = Scouting_Bezahlen_Klick,
                          .hilfe = Scouting_Bezahlen_Hilfe,
                          .text = &bezahlen_text}),
});
// An area's user word 0: its continent.
constexpr auto GEBIETE = Icon_Tabelle_Aus<Icon_Besitzer::SCOUTING>(
    Kit_Zeilen<KONTINENT_ANZAHL>({.grafik = GEBIET_ICONS[0].grafik,
                                  .grafik_an = GEBIET_ICONS[0].grafik + 1,
                                  .flags = MODAL | MENUE_F_HOVER | MENUE_F_PIXELTEST,
                                  .x = 35,
                                  .y = 186,
                                  .status = MENUE_S_TRANSPARENT | MENUE_S_AN,
                                  .klick = Scouting_Gebiet_Klick,
                                  .ebene = 4,
                                  .w = 620,
                                  .h = 160},
                                 {.nummern = GEBIET_NUMMERN.data(), .grafiken = GEBIET_GRAFIKEN.data()}));
constexpr auto REISE = Icon_Tabelle_Bauen<Icon_Besitzer::SCOUTING>({
    Kit_Panel_Icon({.nummer = ICON_SCOUTING_REISE,
                    .grafik = GRAFIK_SUCHE_RAHMEN,
                    .w = 800,
                    .h = 600,
                    .ebene = 2,
                    .zeichnen = Scouting_Zeichnen,
                    .flags = MODAL}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_SUCHE_VERLASSEN,
                          .grafik = GRAFIK_SUCHE_KNOPF,
                          .gedrueckt = GRAFIK_SUCHE_KNOPF_AN,
                          .x = 616,
                          .y = 420,
                          .w = 160,
                          .h = 32,
                          .klick = Scouting_Verlassen_Klick,
                          .text = &verlassen_text}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_SUCHE_ABWEISEN,
                          .grafik = GRAFIK_SUCHE_KNOPF,
                          .gedrueckt = GRAFIK_SUCHE_KNOPF_AN,
                          .x = 616,
                          .y = 382,
                          .w = 160,
                          .h = 32,
                          .klick = Scouting_Abweisen_Klick,
                          .hilfe = Scouting_Abweisen_Hilfe,
                          .text = &abweisen_text}),
});
constexpr auto KARTE = Icon_Tabelle_Bauen<Icon_Besitzer::SCOUTING>({
    {.nummer = ICON_SUCHE_KARTE, .grafik = GRAFIK_SUCHE_KARTE, .flags = MODAL | MENUE_F_NICHT_ABFRAGEN, .x = 96,
     .y = 349, .status = MENUE_S_TRANSPARENT, .zeichnen = Scouting_Karte_Zeichnen, .ebene = 3, .w = 500, .h = 130},
});
constexpr auto VERPFLICHTEN = Icon_Tabelle_Bauen<Icon_Besitzer::SCOUTING>({
    Kit_Bildknopf(KNOPF, {.nummer = ICON_SUCHE_VERPFLICHTEN,
                          .grafik = GRAFIK_SUCHE_VERPFLICHTEN,
                          .gedrueckt = GRAFIK_SUCHE_VERPFLICHTEN_AN,
                          .x = 616,
                          .y = 344,
                          .w = 160,
                          .h = 32,
                          .klick = Scouting_Verpflichten_Klick,
                          .hilfe = Scouting_Verpflichten_Hilfe,
                          .text = &verpflichten_text}),
});
constexpr auto SPIELERKARTE = Icon_Tabelle_Bauen<Icon_Besitzer::SCOUTING>({
    Kit_Bildknopf(KNOPF, {.nummer = ICON_SUCHE_SPIELERKARTE,
                          .grafik = GRAFIK_SUCHE_SPIELERKARTE,
                          .gedrueckt = GRAFIK_SUCHE_SPIELERKARTE_AN,
                          .x = 179,
                          .y = 424,
                          .w = 90,
                          .h = 24,
                          .klick = Scouting_Spielerkarte_Klick}),
});

const char* text(i32 n) { return Text_cfg_Text(TEXT_SPIELER_SUCHE, n); }
const char* geld(f64 b) { return Bank_Geld_String(b, Team_Aktiv, -1, 0); }
const Scout_Def& def() { return Scout_Tabelle[scout]; }
i32 grundpreis() { return Global_Scout_Grundpreis(scout, Team_Aktiv); }
i32 gebietspreis(i32 k) { return Global_Scout_Gebietspreis(scout, k); }
void status(i32 n, u32 bits, bool ein) {
    if (Screen_Icon* i = Kit_Icon(n)) i->status = ein ? i->status | bits : i->status & ~bits;
}

void knopf_text(Icon_Textzeile* t, i32 n) { *t = Kit_Knopf_Beschriftung(text(n)); }

void zeilen_setzen(const char* a, const char* b, const char* c) {
    const char* t[3] = {a, b, c};
    for (i32 i = 0; i < 3; ++i) {
        std::snprintf(zeile_puffer[i], sizeof zeile_puffer[i], "%s", t[i] ? t[i] : "");
        zeile_text[i] = {.font = Kit_Font(Kit_Schrift::TEXT),
                         .flags = ZEILE_V_ZENTRIERT,
                         .farbe = FARBE_WEISS,
                         .text = zeile_puffer[i],
                         .x = 10};
    }
    Blt_Cache_Leeren();
}

// The information lines outside a hover: empty in stage 1, the journey's
// destination and price in stage 2.
void zeilen_vorgabe() {
    if (stufe != 2 || gebiet < 0) {
        zeilen_setzen("", "", "");
        return;
    }
    char ziel[128];
    std::snprintf(ziel, sizeof ziel, "%s %s:", text(T_ZIEL), Kontinent_Tabelle[gebiet].name);
    zeilen_setzen(text(T_AUFTRAG), ziel, geld(Scout_Gebuehr(scout, Team_Aktiv, gebiet)));
}

void anim_stoppen() { Anim_Slots_Init(anim, 1); }

// The areas share one rectangle; each is hit only on its own shape, which
// the engine tests on the icon's picture.
void gebiete_bilder() {
    for (const Gebiet_Icon& g : GEBIET_ICONS)
        if (Screen_Icon* i = Kit_Icon(g.nummer))
            i->bild = Kit_Bild(static_cast<i32>(g.grafik + (Menue_Icon_Zustand(g.nummer) ? 1 : 0)));
}

void stufe_wechseln(i32 neu) {
    if (neu == 1) {
        Scout_Log_Leeren();
        gebiet = -1;
        hover = -1;
        knopf_text(&zurueck_text, T_ZURUECK_1);
        if (vorige_stufe == -1) Menue_Screen_Icon_Tabelle_Hinzufuegen(BASIS.daten());
        if (vorige_stufe == 2) {
            Menue_Screen_Icon_Tabelle_Loeschen(STUFE_2.daten());
            Menue_Screen_Icon_Tabelle_Loeschen(BEZAHLEN.daten());
        }
        Menue_Screen_Icon_Tabelle_Hinzufuegen(STUFE_1.daten());
        Menue_Screen_Icon_Tabelle_Hinzufuegen(GEBIETE.daten());
        gebiete_bilder();
        // Area 14 only in its periods.
        status(ICON_SCOUTING_GEBIET_14, MENUE_S_GRAU | MENUE_S_VERSTECKT, !Scouting_Gebiet_14_Offen(Kalender_Get_Tag()));
        for (const Gebiet_Icon& g : GEBIET_ICONS) Menue_Icon_Zustand_Setzen(g.nummer, 0);
        Menue_Set_Rechtsklick_Icon(ICON_SCOUTING_ZURUECK);
    } else if (neu == 2) {
        knopf_text(&bezahlen_text, T_BEZAHLEN_2);
        knopf_text(&zurueck_text, T_ZURUECK);
        Menue_Screen_Icon_Tabelle_Loeschen(GEBIETE.daten());
        Menue_Screen_Icon_Tabelle_Loeschen(STUFE_1.daten());
        Menue_Screen_Icon_Tabelle_Hinzufuegen(STUFE_2.daten());
        Menue_Screen_Icon_Tabelle_Hinzufuegen(BEZAHLEN.daten());
    } else {
        Menue_Screen_Icon_Tabelle_Loeschen(STUFE_2.daten());
        Menue_Screen_Icon_Tabelle_Loeschen(BEZAHLEN.daten());
        Menue_Screen_Icon_Loeschen(ICON_SCOUTING_ZURUECK);
        Menue_Screen_Icon_Loeschen(ICON_SCOUTING_ZURUECK_GRUND);
        Menue_Screen_Icon_Tabelle_Hinzufuegen(REISE.daten());
        Menue_Screen_Icon_Tabelle_Hinzufuegen(KARTE.daten());
        Menue_Screen_Icon_Tabelle_Hinzufuegen(VERPFLICHTEN.daten());
        Menue_Screen_Icon_Tabelle_Hinzufuegen(SPIELERKARTE.daten());
        status(ICON_SUCHE_VERPFLICHTEN, MENUE_S_GRAU | MENUE_S_VERSTECKT, true);
        status(ICON_SUCHE_SPIELERKARTE, MENUE_S_GRAU | MENUE_S_VERSTECKT, true);
        status(ICON_SUCHE_ABWEISEN, MENUE_S_VERSTECKT, true);
        // The prospect's card shows from the first prospect on: an empty
        // card would stand as a black box under the log.
        status(ICON_SUCHE_KARTE, MENUE_S_GRAU | MENUE_S_VERSTECKT, true);
        Menue_Set_Rechtsklick_Icon(ICON_SUCHE_VERLASSEN);
    }
    vorige_stufe = stufe;
    stufe = neu;
    zeilen_vorgabe();
}

// Back to the transfer screen: the journey's log, loop and sounds end.
void zum_transfer() {
    Scout_Suche_Beenden();
    anim_stoppen();
    Sound_Effekt_Stop_All();
    Screen_Schliessen(Screen_Id::SCOUTING);
    Screen_Oeffnen(Screen_Id::TRANSFER);
}

void verlassen_ja(i32, const i32*) { zum_transfer(); }
void nur_klang(i32, const i32*) { Sound_Effekt_Play(KLANG_BESTAETIGT, false); }

void verpflichten_ja(i32 anzahl, const i32* liste) {
    if (anzahl < 1 || !liste) return;
    if (!Scout_Spieler_Verpflichten(Team_Aktiv, scout, liste[0])) {
        Meldung_Manager_Printf(1, Team_Aktiv, "%s", Text_cfg_Text(TEXT_ZUSATZ_BEXOT, BEXOT_GESCHEITERT));
        return;
    }
    zum_transfer();
}

}  // namespace

Screen_Def Scouting_Screen_Def() {
    return {.name = "Scouting",
            .icons = Icon_Besitzer::SCOUTING,
            .rahmen = ICON_SCOUTING_SPERRE,
            .arbeitsflaeche = true,
            .oeffnen = Scouting_Screen_Init};
}

bool Scouting_Gebiet_14_Offen(i32 tag) {
    return tag > GEBIET_14_AB_TAG && ((tag - GEBIET_14_AB_TAG) / GEBIET_14_PERIODE) % GEBIET_14_ZYKLUS == 0;
}

void Scouting_Screen_Init() {
    scout = Transfer_Screen_Scout();
    stufe = 1, vorige_stufe = -1, gebiet = -1, hover = -1;
    Scout_Suche_Starten(scout, -1, nullptr);
    knopf_text(&verlassen_text, T_ZURUECK);
    knopf_text(&abweisen_text, T_ABWEISEN);
    knopf_text(&verpflichten_text, T_VERPFLICHTEN);
    stufe_wechseln(1);
    anim_stoppen();
    Anim_Slot_Neu(anim, 1, 117, 107, GRAFIK_SUCHE_GLOBUS, 51, 62, true, 0);
}

i32 Scouting_Stufe() { return stufe; }
i32 Scouting_Gebiet() { return gebiet; }
i32 Scouting_Scout() { return scout; }

// --- Drawing ---------------------------------------------------------------------------------

void Scouting_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    if (!f) return;
    Kit_Bild_Zeichnen(ziel, GRAFIK_SCOUTING_SCOUT + scout, 233, 115);
    if (stufe == 1 || stufe == 2) {
        Kit_Printf(ziel, f, FARBE_WEISS, 290, 148, "^fb0008^fe%s %s", def().vorname, def().nachname);
    }
    if (stufe == 1) {
        gebiete_bilder();
        // Ozeanien out of its period: hidden as an icon (no hover, no click),
        // its shape still on the map, dimmed.
        if (const Screen_Icon* g = Kit_Icon(ICON_SCOUTING_GEBIET_14))
            if (g->status & MENUE_S_VERSTECKT)
                if (Rastport* b = Kit_Bild(static_cast<i32>(GEBIET_ICONS[14].grafik)))
                    Blt_Alpha_Prozent_Transparent(b, 0, 0, -1, -1, ziel, g->x, g->y, GESCHLOSSEN_PROZENT);
        Kit_Printf(ziel, f, FARBE_WEISS, 290, 165, "%s %s", text(T_GRUNDGEBUEHR), geld(grundpreis()));
        if (Font* h = Kit_Font(Kit_Schrift::KLEIN))
            Kit_Printf_Stelle(ziel, h, FARBE_WEISS, 380, 470, Kit_Schein::SCHLICHT, {Kit_Ausrichtung::MITTE, 50}, "%s",
                              text(T_HINWEIS));
        if (hover >= 0) {
            const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
            if (Font* h = Kit_Font(Kit_Schrift::MITTEL)) {
                Kit_Printf(ziel, h, FARBE_GOLD, mx, my - 15, "%s:", Kontinent_Tabelle[hover].name);
                const i32 preis = gebietspreis(hover);
                if (preis == 0) Kit_Printf(ziel, h, FARBE_WEISS, mx, my, "%s", text(T_FREI));
                else Kit_Printf(ziel, h, FARBE_WEISS, mx, my, "%s %s", text(T_GEBIETSPREIS), geld(preis));
            }
            Kit_Printf_Glatt(ziel, f, FARBE_WEISS, 44, 438, "%s", geld(grundpreis() + gebietspreis(hover)));
        }
    } else if (stufe == 2 && gebiet >= 0) {
        Kit_Bild_Zeichnen(ziel, GRAFIK_KONTINENT + gebiet, 35, 186);
    } else if (stufe == 3) {
        Kit_Printf(ziel, f, FARBE_WEISS, 290, 148, "%s %s %s", text(T_UNTERWEGS), def().vorname, def().nachname);
        Kit_Printf(ziel, f, FARBE_WEISS, 290, 165, "%s", text(T_BERICHTE));
        Kit_Printf(ziel, f, FARBE_WEISS, 230, 202, "%s %s", text(T_GEBIET),
                   gebiet >= 0 ? Kontinent_Tabelle[gebiet].name : "");
        Scout_Suche_Zeichnen(ziel, Menue_Requester_Offen());
    }
    Anim_Slots_Blit(anim, 1);
}

void Scouting_Karte_Zeichnen(Screen_Icon*, Rastport* ziel, i32 x, i32 y) { Scout_Suche_Karte_Zeichnen(ziel, x, y); }

// --- Clicks ------------------------------------------------------------------------------------

void Scouting_Gebiet_Klick(Screen_Icon* i, u32 ereignis) {
    const i32 k = static_cast<i32>(i->user[0]);
    if (k < 0 || k >= KONTINENT_ANZAHL || stufe != 1 || (i->status & MENUE_S_GRAU)) return;
    if (ereignis & MENUE_E_HOVER_REIN) {
        Menue_Icon_Zustand_Setzen(i->nummer, 1);
        hover = k;
        char name[64];
        std::snprintf(name, sizeof name, "%s:", Kontinent_Tabelle[k].name);
        zeilen_setzen(text(T_GESAMT), name, geld(grundpreis() + gebietspreis(k)));
        return;
    }
    if (ereignis & MENUE_E_HOVER_RAUS) {
        Menue_Icon_Zustand_Setzen(i->nummer, 0);
        if (hover == k) hover = -1;
        zeilen_vorgabe();
        return;
    }
    if (!(ereignis & MENUE_E_LINKS)) return;
    Menue_Icon_Zustand_Setzen(i->nummer, 0);
    hover = -1;
    stufe_wechseln(2);
    gebiet = k;
    zeilen_vorgabe();
}

void Scouting_Bezahlen_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || stufe != 2 || gebiet < 0) return;
    if (!Scout_Suche_Bezahlen(Team_Aktiv, scout, gebiet)) {
        Meldung_Manager_Printf(1, Team_Aktiv, "%s", Text_cfg_Text(TEXT_TRANSFER, TRANSFER_KEIN_GELD));
        return;
    }
    i32 ergebnis[SUCHE_ERGEBNISSE];
    Scout_Suche_Ergebnisse(Team_Aktiv, scout, gebiet, ergebnis);
    Scout_Suche_Starten(scout, gebiet, ergebnis);
    Sound_Effekt_Play(KLANG_BESTAETIGT, false);
    stufe_wechseln(3);
}

void Scouting_Zurueck_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS))) return;
    if (stufe == 2) {
        stufe_wechseln(1);
        return;
    }
    zum_transfer();
}

void Scouting_Verlassen_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS)) || Menue_Requester_Offen()) return;
    if (Scout_Suche_Prozent() >= 100) {
        zum_transfer();
        return;
    }
    char t[256];
    std::snprintf(t, sizeof t, "^c%05d%s", FARBE_WEISS, text(T_VERLASSEN_FRAGE));
    Menue_Requester(REQUESTER_JA_NEIN, Team_Aktiv, t, text(T_JA), text(T_NEIN), verlassen_ja, nur_klang);
}

void Scouting_Abweisen_Klick(Screen_Icon* i, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || (i->status & MENUE_S_VERSTECKT)) return;
    Scout_Suche_Abweisen();
    Sound_Effekt_Play(KLANG_BESTAETIGT, false);
}

void Scouting_Verpflichten_Klick(Screen_Icon* i, u32 ereignis) {
    const i32 p = Scout_Suche_Lesen().prospekt;
    if (!(ereignis & MENUE_E_LINKS) || (i->status & MENUE_S_GRAU) || p < 0) return;
    char t[512];
    std::snprintf(t, sizeof t, "^c%05d%s^l%s%s: %s", FARBE_WEISS, text(T_FRAGE_1), text(T_FRAGE_2),
                  Kit_Einzug_Bei({Kit_Ausrichtung::LINKS, 100}).code, Spieler_String(505, p, nullptr, 0));
    Menue_Requester(REQUESTER_JA_NEIN, Team_Aktiv, t, text(T_JA), text(T_NEIN), verpflichten_ja, nur_klang, 1, &p);
}

void Scouting_Spielerkarte_Klick(Screen_Icon* i, u32 ereignis) {
    const i32 p = Scout_Suche_Lesen().prospekt;
    if ((ereignis & MENUE_E_LINKS) && !(i->status & MENUE_S_GRAU) && p >= 0)
        Screen_Oeffnen_Fuer(Screen_Id::SPIELERKARTE,
                            {.spieler = p, .team = Team_Transfermarkt, .modus = SPIELERKARTE_SCOUTING});
}

const char* Scouting_Bezahlen_Hilfe(Screen_Icon*) { return Text_cfg_Text(TEXT_ZUSATZ_DOLV, DOLV_BEZAHLEN); }
const char* Scouting_Abweisen_Hilfe(Screen_Icon*) { return Text_cfg_Text(TEXT_ZUSATZ_DOLV, DOLV_ABWEISEN); }
const char* Scouting_Verpflichten_Hilfe(Screen_Icon*) { return Text_cfg_Text(TEXT_ZUSATZ_DOLV, DOLV_VERPFLICHTEN); }

#include "screens/training/film.h"

#include <algorithm>

#include "base/debug.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/rastport.h"
#include "graphics/sound.h"
#include "graphics/video.h"
#include "gui/anim.h"
#include "gui/gesicht.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/menue_spiel.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "gui/umbruch.h"
#include "gui/wappen.h"
#include "screens/squad/attribut_popup.h"
#include "screens/squad/spielerkarte.h"
#include "screens/teile/namen.h"
#include "screens/teile/requester.h"
#include "world/modi.h"
#include "screens/training/ablauf.h"
#include "screens/training/plan.h"
#include "world/attribut.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {

constexpr u32 MODAL = MENUE_F_MODAL;

// Film texts (the screen's section).
enum : i32 {
    T_FAEHIGKEIT = 0, T_VON = 1, T_TRAINING = 2, T_ERGEBNIS = 3, T_LAEUFT = 4, T_GELERNT = 6, T_MITGEBRACHT = 7,
    T_SUMME = 8, T_VERDIENT = 9, T_KOSTEN = 10, T_BEREIT = 12, T_STERN = 13, T_STERNE = 14, T_MORAL = 16,
    T_ERSCHOEPFUNG = 17, T_NICHTS = 18, T_STAERKE = 19, T_VERLETZT = 20, T_PUNKTE_WEG = 21, T_TAGE = 22,
    T_VERLETZUNG = 24, T_AUSGEGEBEN = 26, T_MORAL_WERT = 27, T_ERSCHOEPFUNG_WERT = 28, T_STAERKE_WERT = 29,
    T_FILM = 30, T_KEIN_FILM = 31, T_GELD = 32,
};
constexpr i32 T_ZUSATZ_GELERNT = 23;  // ZUSATZTEXTE_DOLV

// Position badge by class (film pictures 8335, 8333, 8332, 8334).
constexpr i32 BADGE[4] = {3, 1, 0, 2};

i32 spieler = -1, attribut = -1;
i32 film_spieler = -1, film_attribut = -1;
Bnk_Video* film_video = nullptr;
bool film_gesprungen = false;
// The frame the learned-attribute film stands at (a paused video is not drawn).
Rastport_Bild film_standbild;

void standbild_los() { film_standbild.reset(); }

// Keeps the video's current frame as a picture and pauses the video.
void standbild_machen() {
    Vid_Film* f = film_video->film.get();
    const i32 w = Vid_Breite(f), h = Vid_Hoehe(f);
    standbild_los();
    film_standbild.reset(Rastport_Neu_Einfach(w, h, 16));
    if (film_standbild && film_standbild->bitmap && Vid_Pixel(f))
        std::copy(Vid_Pixel(f), Vid_Pixel(f) + static_cast<size_t>(w) * h, film_standbild->bitmap->pixel16());
    Bnk_PauseV(film_video, 1);
}
i32 hunderter = 1;
bool sturz_gezeigt = false;

const char* text(i32 n) { return Text_cfg_Text(TEXT_SPIELER_TRAINING2, n); }
i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }
void zeigen(i16 nummer, bool an) {
    if (Screen_Icon* i = Kit_Icon(nummer))
        i->status = an ? i->status & ~MENUE_S_VERSTECKT : i->status | MENUE_S_VERSTECKT;
}
bool schnell_an() { return Menue_Icon_Zustand(ICON_FILM_SCHNELL) != 0; }
i32 klasse(i32 p) { return std::clamp(wert(SPIELER_WERT_POSITION, p), 0, 3); }

// The buttons under the film: start, take over (hidden until the film has
// run) and close.
constexpr Screen_Icon FILM_KNOPF{
    .flags = MODAL, .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD, .ebene = 21, .h = 32};
constexpr auto TABELLE = Icon_Tabelle_Aus<Icon_Besitzer::TRAININGSFILM>(
    Icon_Liste({
    {.nummer = ICON_FILM_BLOCKER, .flags = MODAL | MENUE_F_GANZER_SCREEN, .ebene = 19, .w = 800, .h = 600},
    {.nummer = ICON_FILM_PANEL,
     .grafik = GRAFIK_FILM_PANEL,
     .flags = MODAL | MENUE_F_NICHT_ABFRAGEN,
     .x = 82,
     .y = 88,
     .status = MENUE_S_TRANSPARENT,
     .zeichnen = Spieler_Training2_Screen_Run,
     .ebene = 20,
     .w = 650,
     .h = 390},
    {.nummer = ICON_FILM_SCHNELL,
     .grafik = GRAFIK_FILM_SCHNELL,
     .grafik_an = GRAFIK_FILM_SCHNELL_AN,
     .grafik_gedrueckt = GRAFIK_FILM_SCHNELL_AN,
     .flags = MODAL,
     .x = 257,
     .y = 438,
     .status = MENUE_S_TRANSPARENT | MENUE_S_AN | MENUE_S_DRUCKBILD,
     .klick = Spieler_Training2_Auto_Umschalten,
     .ebene = 21,
     .w = 64,
     .h = 32}}),
    Kit_Zeilen_Eigen(FILM_KNOPF, {{.nummer = ICON_FILM_START, .grafik = GRAFIK_FILM_START,
                                   .gedrueckt = GRAFIK_FILM_START_GEDRUECKT, .x = 407, .y = 438, .w = 144,
                                   .klick = Spieler_Training2_Start_Klick},
                                  {.nummer = ICON_FILM_OK, .grafik = GRAFIK_FILM_OK,
                                   .gedrueckt = GRAFIK_FILM_OK_GEDRUECKT, .x = 327, .y = 438, .w = 74, .klick = Spieler_Training2_Uebernehmen_Klick,
                                   .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD | MENUE_S_VERSTECKT},
                                  {.nummer = ICON_FILM_ZU, .grafik = GRAFIK_FILM_ZU,
                                   .gedrueckt = GRAFIK_FILM_ZU_GEDRUECKT, .x = 557, .y = 438, .w = 144, .klick = Spieler_Training2_Zu_Klick}}));

constexpr auto FILM_TABELLE = Icon_Tabelle_Bauen<Icon_Besitzer::TRAININGSFILM>({
    {.nummer = ICON_FILM_GELERNT_BLOCKER, .flags = MODAL | MENUE_F_GANZER_SCREEN, .ebene = 22, .w = 800, .h = 600},
    {.nummer = ICON_FILM_GELERNT,
     .grafik = GRAFIK_FILM_GELERNT,
     .flags = MODAL | MENUE_F_NICHT_ABFRAGEN,
     .x = 233,
     .y = 128,
     .status = MENUE_S_TRANSPARENT,
     .zeichnen = Spieler_Training2_Film_Zeichnen,
     .ebene = 23,
     .w = 334,
     .h = 345},
    {.nummer = ICON_FILM_GELERNT_ZU,
     .grafik = GRAFIK_FILM_GELERNT_ZU,
     .grafik_gedrueckt = GRAFIK_FILM_GELERNT_ZU_GEDRUECKT,
     .flags = MODAL,
     .x = 475,
     .y = 435,
     .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
     .klick = Spieler_Training2_Film_Ende,
     .ebene = 24,
     .w = 90,
     .h = 28},
});

void film_gelernt(i32 p, i32 a) { Spieler_Training2_Film_Init(p, a); }

void oeffnen_vorgemerkt() { Spieler_Training2_Screen_Init(spieler, attribut); }

// --- Drawing -----------------------------------------------------------------------

constexpr Kit_Stelle RUECKENNUMMER{Kit_Ausrichtung::MITTE, 284};  // on the position badge
// The figures of the session: labels from 260, values at their right edge.
constexpr i32 ZAHLEN_X = 260;
constexpr Kit_Stelle ZAHL_WERT{Kit_Ausrichtung::RECHTS, 270};
constexpr Kit_Stelle KEIN_FILM{Kit_Ausrichtung::MITTE, 171};  // centred in the film's frame

void spieler_panel(Rastport* ziel) {
    const Trainings_Ablauf& t = Training_Ablauf();
    const i32 p = t.spieler, k = klasse(p);
    Gesicht_Holen(p, Team_Aktiv, ziel, 148, 90, 85, 100);
    Kit_Bild_Zeichnen(ziel, static_cast<u32>(GRAFIK_FILM_POSITION + BADGE[k]), 260, 102);
    if (Font* f = Kit_Font(Kit_Schrift::TITEL)) {
        Kit_Printf_Stelle(ziel, f, FARBE_WEISS, 0, 124, Kit_Schein::GLATT, RUECKENNUMMER, "%d",
                          wert(SPIELER_WERT_RUECKENNUMMER, p));
        Kit_Printf_Glatt(ziel, f, FARBE_KLASSE[k], 318, 123, "%s", Positions_Text(k));
        Kit_Printf_Glatt(ziel, f, FARBE_WEISS, 280, 153, "%s", Spieler_String(505, p, nullptr, 0));
    }
    if (Font* f = Kit_Font(Kit_Schrift::TEXT)) {
        Kit_Printf_Glatt(ziel, f, FARBE_HELL, 390, 190, "%s", text(T_FAEHIGKEIT));
        Kit_Printf_Glatt(ziel, f, FARBE_GOLD, 390, 217, "%s", Attribut_Tabelle[t.attribut].name);
        // Ready before the start, running while the bar moves; once it has
        // fallen or finished the result panel tells the rest.
        if (t.zustand != TRAINING_ABSTURZ && t.zustand != TRAINING_FERTIG)
            Kit_Printf_Glatt(ziel, f, FARBE_HELL, 260, 250, "%s",
                             text(t.zustand == TRAINING_BEREIT ? T_BEREIT : T_LAEUFT));
    }
    Kit_Bild_Zeichnen(ziel, static_cast<u32>(GRAFIK_ATTRIBUT_GROSS + t.attribut), 570, 176);
    // Without its video (an entry missing) the attribute's picture stands in the video's place.
    if (!t.video && t.zustand != TRAINING_BEREIT && t.zustand != TRAINING_ABSTURZ && t.zustand != TRAINING_FERTIG)
        Kit_Bild_Zeichnen(ziel, static_cast<u32>(GRAFIK_ATTRIBUT_SLOT + t.attribut), 613, 378);
    Kit_Bild_Zeichnen(ziel, schnell_an() ? GRAFIK_FILM_TEMPO_AN : GRAFIK_FILM_TEMPO_AUS, 135, 375);
}

void punkte_panel(Rastport* ziel) {
    const Trainings_Ablauf& t = Training_Ablauf();
    const i32 noetig = Attribut_Noetig(t.attribut);
    const i32 summe = std::max(0, t.mitgebracht + t.verdient);
    Kit_Bild_Zeichnen(ziel, GRAFIK_FILM_PUNKTE, 267, 309);
    if (Font* f = Kit_Font(Kit_Schrift::TEXT))
        Kit_Printf_Glatt(ziel, f, FARBE_WEISS, 308, 329, "%d %s %d", summe, text(T_VON), noetig);
    const i32 w = std::min(183, Tools_Runden(Tools_Prozent(summe, noetig) * 183 / 100.0));
    Kit_Bild_Zeichnen(ziel, GRAFIK_FILM_BALKEN, 308, 335);
    if (Rastport* d = Kit_Bild(GRAFIK_FILM_BALKEN_DECKE))
        if (w < 183) Blt_Blit(d, w, 0, 183 - w, -1, ziel, 308 + w, 335, Blt_Opt_Transparent);
}

void hunderter_balken(Rastport* ziel) {
    Trainings_Ablauf& t = Training_Ablauf();
    if (t.zustand == TRAINING_BEREIT || t.zustand == TRAINING_ABSTURZ || t.zustand == TRAINING_FERTIG) {
        hunderter = 1;
    } else {
        while (t.verdient >= 100 * hunderter) {
            ++hunderter;
            const bool frei = !Anim_Slot_Belegt(t.allgemein, 0);
            Anim_Slot_Neu(t.allgemein, 10, frei ? 433 : 480, frei ? 345 : 360, GRAFIK_BONUS_100, 33, 50, false, 0);
        }
    }
    const i32 w = std::clamp((t.verdient - 100 * (hunderter - 1)) * 183 / 100, 0, 183);
    Kit_Bild_Zeichnen(ziel, GRAFIK_FILM_HUNDERT, 308, 351);
    if (Rastport* d = Kit_Bild(GRAFIK_FILM_HUNDERT_DECKE))
        if (w < 183) Blt_Blit(d, w, 0, 183 - w, -1, ziel, 308 + w, 351, Blt_Opt_Transparent);
}

void saeule(Rastport* ziel) {
    const i32 pos = std::clamp(Training_Ablauf().position, 0, TRAINING_HOEHE);
    if (Rastport* b = Kit_Bild(GRAFIK_FILM_SAEULE))
        if (pos > 0) Blt_Blit(b, 0, TRAINING_HOEHE - pos, -1, pos, ziel, 186, 436 - pos, Blt_Opt_Transparent);
}

void umbrochen(Rastport* ziel, const char* s) {
    if (Font* f = Kit_Font(Kit_Schrift::TEXT)) Umbruch_Text_Ausgabe(ziel, f, s, 255, 520, 308, 390, FARBE_WEISS, 0, -1);
}

void sturz_panel(Rastport* ziel) {
    const Trainings_Ablauf& t = Training_Ablauf();
    if (!sturz_gezeigt) {
        sturz_gezeigt = true;
        zeigen(ICON_FILM_SCHNELL, false);
        zeigen(ICON_FILM_START, false);
        zeigen(ICON_FILM_OK, true);
    }
    Kit_Bild_Zeichnen(ziel, GRAFIK_FILM_STURZ, 246, 297);
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    switch (t.ergebnis) {
        case ERGEBNIS_PUNKTE_WEG: umbrochen(ziel, text(T_PUNKTE_WEG)); break;
        case ERGEBNIS_VERLETZT:
            umbrochen(ziel, text(T_VERLETZT));
            if (f)
                Kit_Printf_Glatt(ziel, f, FARBE_FEHLER, 255, 406, "%s %s (%d %s)", text(T_VERLETZUNG),
                                 Spieler_Get_Verletzungs_Text(wert(SPIELER_WERT_VERLETZUNG_ART, t.spieler)),
                                 wert(SPIELER_WERT_VERLETZUNG_DAUER, t.spieler), text(T_TAGE));
            break;
        case ERGEBNIS_MORAL:
        case ERGEBNIS_ERSCHOEPFUNG:
            umbrochen(ziel, text(t.ergebnis == ERGEBNIS_MORAL ? T_MORAL : T_ERSCHOEPFUNG));
            if (f)
                Kit_Printf_Glatt(ziel, f, FARBE_HELL, 255, 406, "%s",
                                 text(t.ergebnis == ERGEBNIS_MORAL ? T_MORAL_WERT : T_ERSCHOEPFUNG_WERT));
            Kit_Bild_Zeichnen(ziel, GRAFIK_FILM_MINUS, 390, 391);
            if (Font* z = Kit_Font(Kit_Schrift::ZAHL))
                Kit_Printf_Glatt(ziel, z, FARBE_WEISS, 418, 408, "%d", t.ergebnis_wert);
            break;
        case ERGEBNIS_STAERKE:
            umbrochen(ziel, text(T_STAERKE));
            if (f)
                Kit_Printf_Glatt(ziel, f, FARBE_FEHLER, 255, 406, "%s  %s", text(T_STAERKE_WERT),
                                 text(t.ergebnis_wert == 1 ? T_STERN : T_STERNE));
            break;
        default: umbrochen(ziel, text(T_NICHTS)); break;
    }
}

// The result panel's rows (baselines): under its title's gold rule at
// 268 + 34, inside its bottom at 268 + 158.
constexpr i32 ZEILE_Y[5] = {324, 346, 368, 390, 412};

void ende_panel(Rastport* ziel) {
    const Trainings_Ablauf& t = Training_Ablauf();
    zeigen(ICON_FILM_OK, true);
    zeigen(ICON_FILM_SCHNELL, false);
    zeigen(ICON_FILM_START, false);
    Kit_Bild_Zeichnen(ziel, GRAFIK_FILM_ENDE, 246, 268);
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    if (!f) return;
    const i32 noetig = Attribut_Noetig(t.attribut);
    const i32 verdient = t.punkte_weg ? 0 : t.verdient;
    const i32 summe = t.mitgebracht + verdient;
    const i32 kosten = Global_Attribut_Training_Kosten(t.attribut, t.spieler);
    const u16 w = FARBE_WEISS;
    Kit_Printf_Glatt(ziel, f, FARBE_HELL, ZAHLEN_X, ZEILE_Y[0], "%s", text(T_MITGEBRACHT));
    Kit_Printf_Stelle(ziel, f, w, ZAHLEN_X, ZEILE_Y[0], Kit_Schein::GLATT, ZAHL_WERT, "%d/%d", t.mitgebracht, noetig);
    Kit_Printf_Glatt(ziel, f, FARBE_HELL, ZAHLEN_X, ZEILE_Y[1], "%s", text(T_SUMME));
    Kit_Printf_Stelle(ziel, f, summe >= noetig ? FARBE_GOLD : w, ZAHLEN_X, ZEILE_Y[1], Kit_Schein::GLATT, ZAHL_WERT,
                      "%d/%d", summe, noetig);
    Kit_Printf_Glatt(ziel, f, FARBE_HELL, ZAHLEN_X, ZEILE_Y[2], "%s", text(T_VERDIENT));
    Kit_Printf_Stelle(ziel, f, w, ZAHLEN_X, ZEILE_Y[2], Kit_Schein::GLATT, ZAHL_WERT, "%d", verdient);
    Kit_Printf_Glatt(ziel, f, FARBE_HELL, ZAHLEN_X, ZEILE_Y[3], "%s", text(T_KOSTEN));
    Kit_Printf_Stelle(ziel, f, w, ZAHLEN_X, ZEILE_Y[3], Kit_Schein::GLATT, ZAHL_WERT, "%s",
                      Bank_Geld_String(kosten, Team_Aktiv, -1, 0));
    Kit_Printf_Glatt(ziel, f, FARBE_HELL, ZAHLEN_X, ZEILE_Y[4], "%s", text(T_AUSGEGEBEN));
    Kit_Printf_Stelle(ziel, f, w, ZAHLEN_X, ZEILE_Y[4], Kit_Schein::GLATT, ZAHL_WERT, "%s",
                      Bank_Geld_String(wert(SPIELER_WERT_GELD, t.spieler) + kosten, Team_Aktiv, -1, 0));
}

}  // namespace

Screen_Def Spieler_Training2_Screen_Def() {
    return {.name = "Trainingsfilm",
            .icons = Icon_Besitzer::TRAININGSFILM,
            .rahmen = ICON_FILM_PANEL,
            .oeffnen = oeffnen_vorgemerkt,
            .schliessen = Spieler_Training2_Screen_Schliessen,
            .oeffnen_fuer = [](const Screen_Anlass& a) { Spieler_Training2_Screen_Init(a.spieler, a.attribut); }};
}

i32 Training_Film_Anfang(i32 a) { return GELERNT_OEFFNUNG + 1 + GELERNT_TEIL * a; }
i32 Training_Film_Ende(i32 a) { return a == TRAINING_STERN ? -1 : GELERNT_OEFFNUNG + GELERNT_TEIL * (a + 1); }

void Spieler_Training2_Screen_Init(i32 p, i32 a) {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_FILM_PANEL)) return;
    if (p < 0 || p >= Spieler_Anzahl || a < 0 || a >= ATTRIBUT_ANZAHL) return;
    spieler = p, attribut = a;
    Training_Anbinden({.schnell_an = schnell_an, .gelernt = film_gelernt});
    Training_Beginnen(p, a);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(TABELLE.daten());
    zeigen(ICON_FILM_OK, false);
    zeigen(ICON_FILM_ZU, true);
    hunderter = 1;
    sturz_gezeigt = false;
    Blt_Cache_Leeren();
}

void Spieler_Training2_Screen_Schliessen() {
    const i32 p = Training_Ablauf().spieler;
    Training_Ende();
    Spieler_Training2_Film_Schliessen();
    Menue_Screen_Icon_Tabelle_Loeschen(TABELLE.daten());
    // The sheet shows the player's slots afresh; a talents screen opened
    // from it goes with the training; an open popup or card shows what the
    // training changed (a learned attribute gets its row and picture).
    Attribut_Popup_Aktualisieren();
    if (Screen_Offen(Screen_Id::TRAININGSPLAN)) {
        if (p >= 0) Spieler_Training_Slots_Setzen(p, SLOTS_FUELLEN);
        Screen_Schliessen(Screen_Id::TALENTE);
        Spieler_Info_Aktualisieren();
    }
    Blt_Cache_Leeren();
}

void Spieler_Training2_Auto_Umschalten(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    Menue_Icon_Zustand_Setzen(ICON_FILM_SCHNELL, schnell_an() ? 0 : 1);
    Sound_Effekt_Play(KLANG_TRAINING_START, false);
    Blt_Cache_Leeren();
}

void Spieler_Training2_Start_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    const bool bereit = Training_Ablauf().zustand == TRAINING_BEREIT;
    if (Training_Start_Klick()) zeigen(ICON_FILM_ZU, false);
    // Nothing was paid, nothing runs: the manager is told why.
    else if (bereit) Screen_Mitteilung(text(T_GELD));
    Blt_Cache_Leeren();
}

void Spieler_Training2_Uebernehmen_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    if (Training_Uebernehmen()) Spieler_Training2_Screen_Schliessen();
    Blt_Cache_Leeren();
}

void Spieler_Training2_Zu_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    // Only a run that has not started leaves without booking.
    if (Training_Ablauf().zustand != TRAINING_BEREIT) return;
    Spieler_Training2_Screen_Schliessen();
}

void Spieler_Training2_Screen_Run(Screen_Icon*, Rastport* ziel, i32, i32) {
    Training_Frame(W32_Get_Time());
    Trainings_Ablauf& t = Training_Ablauf();
    if (t.spieler < 0) return;
    spieler_panel(ziel);
    switch (t.zustand) {
        case TRAINING_BEREIT: punkte_panel(ziel), hunderter_balken(ziel); break;
        case TRAINING_ABSTURZ: sturz_panel(ziel), saeule(ziel); break;
        case TRAINING_FERTIG: hunderter_balken(ziel), ende_panel(ziel), saeule(ziel); break;
        default: punkte_panel(ziel), hunderter_balken(ziel), saeule(ziel); break;
    }
    Anim_Slots_Blit(t.allgemein, 10);
    Anim_Slots_Blit(t.bonus, 1);
    Anim_Slots_Blit(t.bonus_betrag, 1);
}

void Spieler_Training2_Film_Init(i32 p, i32 a) {
    if (a < 0 || a >= ATTRIBUT_ANZAHL) {
        Debug_Printf("Fehler : Attrnr. nicht in Film\n");
        return;
    }
    if (!Menue_Screen_Icon_Ist_Vorhanden(ICON_FILM_GELERNT)) Menue_Screen_Icon_Tabelle_Hinzufuegen(FILM_TABELLE.daten());
    film_spieler = p, film_attribut = a;
    if (!film_video) {
        film_video = Bnk_InitV(VIDEO_GELERNT, "animationen.res", 1, 0, GELERNT_X, GELERNT_Y, BNK_AUS_CONTAINER,
                               "Attr_Film", false);
        if (film_video) Bnk_PauseV(film_video, 0);
        film_gesprungen = false;
    }
    Sound_Effekt_Play(Attribute_Ist_Negativ(a) ? KLANG_GELERNT_NEGATIV : KLANG_GELERNT, false);
    Blt_Cache_Leeren();
}

void Spieler_Training2_Film_Schliessen() {
    Menue_Screen_Icon_Tabelle_Loeschen(FILM_TABELLE.daten());
    if (film_video) Menue_Video_Freigabe_Vormerken(film_video);
    film_video = nullptr;
    film_gesprungen = false;
    standbild_los();
}

void Spieler_Training2_Film_Ende(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    Spieler_Training2_Film_Schliessen();
    Sound_Effekt_Stop_All();
    Blt_Cache_Leeren();
}

void Spieler_Training2_Film_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    const i32 a = film_attribut, p = film_spieler;
    if (a < 0) return;
    if (film_video && Bnk_LaeuftV(film_video)) {
        // The common opening, then the attribute's own part, where it stays.
        const i32 frame = Bnk_Get_FrameV(film_video);
        if (!film_gesprungen && frame >= GELERNT_OEFFNUNG) {
            Bnk_GotoV(film_video, Training_Film_Anfang(a));
            film_gesprungen = true;
        } else if (film_gesprungen && !film_standbild &&
                   (film_video->pausiert || frame >= (Training_Film_Ende(a) > 0 ? Training_Film_Ende(a)
                                                                                : Vid_Frames(film_video->film.get())))) {
            // Its end (star training's is the film's own, where the video rests by itself).
            standbild_machen();
        }
    }
    if (film_standbild) {
        Blt_Blit(film_standbild.get(), 0, 0, -1, -1, ziel, GELERNT_X, GELERNT_Y, Blt_Opt_Standard);
    } else if (!film_video || !Bnk_LaeuftV(film_video)) {
        if (Font* f = Kit_Font(Kit_Schrift::TEXT))
            Kit_Printf_Stelle(ziel, f, FARBE_HELL, 233, 260, Kit_Schein::GLATT, KEIN_FILM, "%s", text(T_KEIN_FILM));
    }
    Gesicht_Holen(p, Team_Aktiv, ziel, 242, 386, 42, 50);
    if (Font* f = Kit_Font(Kit_Schrift::TITEL))
        Kit_Printf_Glatt(ziel, f, FARBE_WEISS, 292, 404, "%s", Spieler_String(505, p, nullptr, 0));
    if (Font* f = Kit_Font(Kit_Schrift::TEXT)) {
        Kit_Printf_Glatt(ziel, f, FARBE_HELL, 292, 384, "%s", Text_cfg_Text(TEXT_ZUSATZ_DOLV, T_ZUSATZ_GELERNT));
        Kit_Printf_Glatt(ziel, f, FARBE_GOLD, 292, 424, "%s", Attribut_Tabelle[a].name);
    }
    Wappen_Blit(Team_Aktiv, ziel, 530, 386, 30, 30, nullptr);
}

#include "screens/squad/spielerkarte.h"

#include <algorithm>
#include <vector>

#include "base/ereignis_flags.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/gesicht.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "gui/wappen.h"
#include "platform/input.h"
#include "screens/squad/attribut_popup.h"
#include "screens/teile/attribut_legende.h"
#include "screens/teile/drossel.h"
#include "screens/teile/namen.h"
#include "screens/teile/schritt.h"
#include "world/modi.h"
#include "screens/teile/sterne.h"
#include "season/ereignisse.h"
#include "season/kalender.h"
#include "season/tabelle.h"
#include "season/wettbewerb_abfragen.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {

constexpr u32 VERLETZT = 0x40, SPERR_BITS = 0x780;
constexpr i32 SPERR_ZAEHLER = 8, TEAM_EXTRA_EINTRAG = 17;
constexpr u32 BLAETTERN_MS = 200;
constexpr i32 KARTE_X = 32, KARTE_Y = 101;
// The card's grid: captions at SPALTE_TEXT, their values at SPALTE_WERT;
// the right block's captions at RECHTS_TEXT, its figures ending at
// RECHTS_WERT; the rows by the bottom of their text.
constexpr i32 SPALTE_TEXT = 43, SPALTE_WERT = 166, RECHTS_TEXT = 450, RECHTS_WERT = 665;
// The figures under the card: three columns, each a label at its left
// edge and the value at its right (goals and assists; the cards; salary,
// market value and games).
constexpr Kit_Spalte ZAHLEN[] = {
    {.x = 152, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = 106},
    {.x = 290, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = 128},
    {.x = RECHTS_TEXT, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = RECHTS_WERT - RECHTS_TEXT},
};
// The card's head (from its left at 260): the shirt number, the position past it.
constexpr i32 KOPF_X = 260;
constexpr Kit_Spalte KOPF[] = {{.x = 25, .ausrichtung = Kit_Ausrichtung::RECHTS}, {.x = 40}};
constexpr Kit_Stelle VEREIN{Kit_Ausrichtung::MITTE, 365};
// The learned badges' legend in the right block: a line over the learned
// row (badges at ZEILE_GELERNT - 16), four under it.
constexpr Attribut_Legende_Platz KARTE_LEGENDE_OBEN{
    .x0 = RECHTS_TEXT, .x1 = 760, .y = 305, .zeilen = 1, .verdichten = false};
constexpr Attribut_Legende_Platz KARTE_LEGENDE_UNTEN{
    .x0 = RECHTS_TEXT, .x1 = 760, .y = 359, .zeilen = 4, .zeilenhoehe = 17};
constexpr i32 ZEILE_KONDITION = 247, ZEILE_ZUSTAND = 290, ZEILE_GELERNT = 336, ZEILE_TRAINING = 380, ZEILE_STATUS = 398;
// The learned badges on their caption's line: up to ten large ones, more
// as small ones on a strip.
constexpr i32 GELERNT_GROSS_MAX = 10, GELERNT_GROSS_DX = 46, GELERNT_KLEIN_DX = 26;
constexpr i32 GELERNT_GROSS_X = SPALTE_WERT, GELERNT_GROSS_Y = ZEILE_GELERNT - 16;
constexpr i32 GELERNT_KLEIN_X = SPALTE_WERT + 3, GELERNT_KLEIN_Y = ZEILE_GELERNT - 14;
// The injury or suspension picture before the state's heading.
constexpr i32 ZUSTAND_BILD_BREIT = 48, ZUSTAND_BILD_HOCH = 24;

// Texts of the card's section.
enum : i32 {
    T_SCHLIESSEN = 16,
    T_ROT = 17,
    T_GELB = 18,
    T_GELBROT = 19,
    T_SPIELE = 20,
    T_SPIEL = 21,
    T_KEIN_TRAINING = 22,
    T_VERLETZT = 23,
    T_GESPERRT = 24,
    T_FIT = 25,
    T_ZUSATZ = 26,
    T_KEINE_GELERNT = 27,
};
constexpr i32 T_DOLV_BLAETTERN = 15, T_DOLV_TALENTE = 1;

// The five counts: goals, assists, yellow, yellow-red, red cards.
constexpr u32 ZAEHL_MASKEN[5] = {SFE_TOR, SFE_TOR | STATISTIK_ZWEITER_SPIELER, SFE_GELB, SFE_GELBROT, SFE_ROT};

struct Karte {
    i32 spieler = -1, team = -1, modus = 0, slot = 0;
    Screen_Drossel drossel;
    // The counts of every player for the five masks, filled when the card
    // opens and again when the day changes; empty while the card is closed.
    std::vector<u32> zahlen;
    i32 zahlen_tag = -1;
};
Karte karte;
Icon_Textzeile text_schliessen{};

const char* text(i32 n) { return Text_cfg_Text(TEXT_SPIELER_INFO, n); }
i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }

// The whole-screen icon lies above every screen and catches what is not
// the card's; not modal, so that the talents screen opened over the card
// takes its own clicks.
constexpr u32 FLAGS = MENUE_F_BEIDE_TASTEN;
// A button's user word 0: 1 for the forward arrow.
constexpr Kit_Bildknopf_Def KNOPF{.ebene = 14, .flags = FLAGS};

constexpr auto TABELLE = Icon_Tabelle_Bauen<Icon_Besitzer::SPIELERKARTE>({
    {.nummer = ICON_KARTE_SCHIRM,
     .flags = FLAGS | MENUE_F_GANZER_SCREEN,
     .x = 0,
     .y = 0,
     .klick = Spieler_Info_Klick,
     .ebene = 12,
     .w = 800,
     .h = 600},
    {.nummer = ICON_KARTE_RAHMEN,
     .grafik = GRAFIK_KARTE_RAHMEN,
     .flags = FLAGS,
     .x = KARTE_X,
     .y = KARTE_Y,
     .status = MENUE_S_TRANSPARENT,
     .klick = Spieler_Info_Klick,
     .zeichnen = Spieler_Info_Zeichnen,
     .ebene = 13,
     .w = 736,
     .h = 372,
     .hilfe_prozedur = Spieler_Info_Hilfe},
    Kit_Bildknopf(KNOPF, {.nummer = ICON_KARTE_ZURUECK,
                          .grafik = GRAFIK_KARTE_ZURUECK,
                          .gedrueckt = GRAFIK_KARTE_ZURUECK_GEDRUECKT,
                          .x = 36,
                          .y = 412,
                          .w = 30,
                          .h = 30,
                          .klick = Spieler_Info_Blaettern_Klick}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_KARTE_VOR,
                          .grafik = GRAFIK_KARTE_VOR,
                          .gedrueckt = GRAFIK_KARTE_VOR_GEDRUECKT,
                          .x = 86,
                          .y = 412,
                          .w = 30,
                          .h = 30,
                          .klick = Spieler_Info_Blaettern_Klick,
                          .wort = {1, 0}}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_KARTE_SCHLIESSEN,
                          .grafik = GRAFIK_KARTE_SCHLIESSEN,
                          .gedrueckt = GRAFIK_KARTE_SCHLIESSEN_GEDRUECKT,
                          .x = 684,
                          .y = 415,
                          .w = 80,
                          .h = 32,
                          .klick = Spieler_Info_Schliessen_Klick}),
    // Top right, beside the crest: beside the arrows it would cover the
    // captions of the goals and assists.
    Kit_Bildknopf(KNOPF, {.nummer = ICON_KARTE_TALENTE,
                          .grafik = GRAFIK_KARTE_TALENTE,
                          .gedrueckt = GRAFIK_KARTE_TALENTE_GEDRUECKT,
                          .x = 664,
                          .y = 116,
                          .w = 80,
                          .h = 30,
                          .klick = Spieler_Info_Talente_Klick}),
});

void zahlen_fuellen() {
    const i32 tag = Kalender_Get_Tag();
    if (!karte.zahlen.empty() && karte.zahlen_tag == tag) return;
    karte.zahlen_tag = tag;
    const size_t n = static_cast<size_t>(std::max(Spieler_Anzahl, 0));
    karte.zahlen.assign(5 * n, 0);
    if (n == 0) return;
    i32 ids[256];
    const i32 m = Wettbewerb_Get_Aktive(-1, ids, false);
    if (m <= 0) return;
    for (size_t k = 0; k < 5; ++k)
        Spiele_Get_Statistik(true, ids, std::min(m, 256), &ZAEHL_MASKEN[k], 1, -1, -1, -1, -1,
                             karte.zahlen.data() + k * n, 0);
}

// The squad of the card's team whose slot is `slot` (the last one of the
// list with it), -1.
i32 spieler_mit_slot(i32 team, i32 slot) {
    i32 liste[KADER_SLOTS];
    const i32 n = Teamspieler_Ins_Array(team, liste, KADER_SLOTS, 0);
    i32 gefunden = -1;
    for (i32 i = 0; i < n; ++i)
        if (wert(SPIELER_WERT_SLOT, liste[i]) == slot) gefunden = liste[i];
    return gefunden;
}

void setzen(i32 spieler, i32 team) {
    karte.spieler = spieler;
    karte.team = team;
    karte.slot = spieler >= 0 && spieler < Spieler_Anzahl ? wert(SPIELER_WERT_SLOT, spieler) : 0;
    Blt_Cache_Leeren();
}

// The transfer list of the active club: its window entries by position
// class, highest first, then the club's extra entry. Free entries are left
// out. The count.
i32 transferliste(i32 aus[12]) {
    i32 n = 0;
    if (Team_Aktiv < 0 || Team_Aktiv >= Team_Anzahl || !Team_Own_Daten) return 0;
    for (i32 e : Team_Own_Daten[Team_Aktiv].transferfenster)
        if (e >= 0 && e < Spieler_Anzahl) aus[n++] = e;
    std::stable_sort(aus, aus + n,
                     [](i32 a, i32 b) { return wert(SPIELER_WERT_POSITION, a) > wert(SPIELER_WERT_POSITION, b); });
    const i32 extra = Team_Wert(TEAM_EXTRA_EINTRAG, Team_Aktiv, 0, OP_LESEN);
    if (extra >= 0 && extra < Spieler_Anzahl) aus[n++] = extra;
    return n;
}

void schliessen() {
    Menue_Screen_Icon_Tabelle_Loeschen(TABELLE.daten());
    karte.zahlen.clear();
    karte.zahlen.shrink_to_fit();
    karte.zahlen_tag = -1;
    karte.spieler = -1;
    Blt_Cache_Leeren();
}

}  // namespace

i32 Spielerkarte_Modus_Fuer(i32 team) { return team == Team_Aktiv ? SPIELERKARTE_EIGEN : SPIELERKARTE_ANDERE; }

Screen_Def Spielerkarte_Screen_Def() {
    return {.name = "Spielerkarte",
            .icons = Icon_Besitzer::SPIELERKARTE,
            .rahmen = ICON_KARTE_SCHIRM,
            .schliessen = Spieler_Info_Schliessen,
            .oeffnen_fuer = [](const Screen_Anlass& a) {
                Spieler_Info_Screen_Init(a.spieler, a.team, a.modus >= 0 ? a.modus : Spielerkarte_Modus_Fuer(a.team));
            }};
}

bool Spieler_Info_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_KARTE_SCHIRM); }
i32 Spieler_Info_Spieler() { return Spieler_Info_Offen() ? karte.spieler : -1; }

void Spieler_Info_Screen_Init(i32 spieler, i32 team, i32 modus) {
    if (Spieler_Info_Offen()) return;
    if (spieler < 0 || spieler >= Spieler_Anzahl) return;
    Menue_Screen_Icon_Tabelle_Hinzufuegen(TABELLE.daten());
    karte.modus = std::clamp(modus, 0, 3);
    karte.drossel = {};
    karte.zahlen_tag = -1;
    zahlen_fuellen();
    text_schliessen = Kit_Knopf_Beschriftung(text(T_SCHLIESSEN));
    if (Screen_Icon* s = Kit_Icon(ICON_KARTE_SCHLIESSEN)) s->flags |= MENUE_F_TEXT, s->daten = &text_schliessen;
    const bool scouting = karte.modus == SPIELERKARTE_SCOUTING;
    for (i32 n : {ICON_KARTE_ZURUECK, ICON_KARTE_VOR})
        if (Screen_Icon* p = Kit_Icon(n)) {
            p->hilfe = Text_cfg_Text(TEXT_ZUSATZ_DOLV, T_DOLV_BLAETTERN);
            if (scouting) p->status |= MENUE_S_GRAU;
            if (scouting) p->grafik = n == ICON_KARTE_ZURUECK ? GRAFIK_KARTE_ZURUECK_AUS : GRAFIK_KARTE_VOR_AUS;
        }
    if (Screen_Icon* t = Kit_Icon(ICON_KARTE_TALENTE)) {
        t->hilfe = Text_cfg_Text(TEXT_ZUSATZ_DOLV, T_DOLV_TALENTE);
        // The button opens the talents screen by its id: not shown where there is none.
        if (!Screen_Holen(Screen_Id::TALENTE)) t->status |= MENUE_S_VERSTECKT;
    }
    setzen(spieler, team);
}

bool Spielerfenster_Schliessen() {
    if (Spieler_Info_Offen()) {
        schliessen();
        return true;
    }
    return Attribut_Popup_Schliessen();
}

void Spieler_Info_Aktualisieren() {
    if (!Spieler_Info_Offen() || karte.spieler < 0 || karte.spieler >= Spieler_Anzahl) return;
    karte.zahlen_tag = -1;
    zahlen_fuellen();
    setzen(karte.spieler, karte.team);
}

void Spieler_Info_Schliessen() {
    if (Spieler_Info_Offen()) schliessen();
}

Spielerkarte_Zahlen Spieler_Info_Zahlen(i32 p) {
    const size_t n = static_cast<size_t>(std::max(Spieler_Anzahl, 0));
    if (p < 0 || static_cast<size_t>(p) >= n || karte.zahlen.size() < 5 * n) return {};
    auto z = [&](size_t k) { return static_cast<i32>(karte.zahlen[k * n + static_cast<size_t>(p)]); };
    return {z(0), z(1), z(2), z(3), z(4)};
}

// --- Drawing ---------------------------------------------------------------------------

void Spieler_Info_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    const i32 p = karte.spieler;
    if (!ziel || p < 0 || p >= Spieler_Anzahl) return;
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    Font* g = Kit_Font(Kit_Schrift::TITEL);
    if (!f || !g) return;
    // Captions: a left column with its values in a second one beside it;
    // the statistics in three columns at the foot.
    struct Beschriftung {
        i32 text, x, y;
    };
    static constexpr Beschriftung BESCHRIFTUNG[] = {
        {0, SPALTE_TEXT, ZEILE_KONDITION},
        {1, RECHTS_TEXT, ZEILE_KONDITION},
        {2, SPALTE_TEXT, ZEILE_ZUSTAND},
        {4, SPALTE_TEXT, 180},
        {5, SPALTE_TEXT, 195},
        {6, SPALTE_TEXT, ZEILE_TRAINING},
        {7, SPALTE_TEXT, ZEILE_STATUS},
        {8, ZAHLEN[0].x, 428},
        {9, ZAHLEN[1].x, 421},
        {10, ZAHLEN[2].x, 428},
        {11, ZAHLEN[0].x, 446},
        {12, ZAHLEN[1].x, 450},
        {13, ZAHLEN[2].x, 446},
        {14, SPALTE_TEXT, ZEILE_GELERNT},
        {T_ZUSATZ, ZAHLEN[1].x, 436},
    };
    for (const Beschriftung& b : BESCHRIFTUNG)
        if (const char* t = text(b.text); t && *t) Kit_Printf(ziel, f, FARBE_HELL, b.x, b.y, "%s", t);

    Gesicht_Holen(p, Team_Aktiv, ziel, 117, 103, 0, 0);
    zahlen_fuellen();
    const Spielerkarte_Zahlen z = Spieler_Info_Zahlen(p);
    if (karte.team >= 0 && karte.team < Team_Anzahl) {
        Wappen_Blit(karte.team, ziel, 541, 160, 0, 0, nullptr);
        Kit_Printf_Stelle(ziel, g, FARBE_GOLD, 0, 205, Kit_Schein::SCHLICHT, VEREIN, "%s",
                          Team_String(721, karte.team, nullptr, 0));
    }
    const i32 klasse = wert(SPIELER_WERT_POSITION, p);
    static constexpr i32 KLASSE_BILD[4] = {3, 1, 0, 2};  // classes 0..3 -> 8335, 8333, 8332, 8334
    if (klasse >= 0 && klasse <= 3) Kit_Bild_Zeichnen(ziel, GRAFIK_KARTE_KLASSE + KLASSE_BILD[klasse], 251, 114);
    if (karte.team != Team_Transfermarkt)
        Kit_Tabelle_Zelle_Printf(ziel, g, FARBE_GOLD, KOPF_X, 135, Kit_Schein::GLATT, KOPF[0], "%d",
                                 std::clamp(wert(SPIELER_WERT_RUECKENNUMMER, p), 0, 99));
    Kit_Tabelle_Zelle_Printf(ziel, g, FARBE_WEISS, KOPF_X, 135, Kit_Schein::GLATT, KOPF[1], "%s",
                             Positions_Text(std::clamp(klasse, 0, 3)));
    Kit_Printf_Glatt(ziel, g, FARBE_WEISS, 260, 160, "%s", Spieler_String(505, p, nullptr, 0));
    static constexpr i32 ERSCHOEPFUNG_BILD[5] = {2, 3, 4, 0, 1};  // 0..4 -> 8338, 8339, 8340, 8336, 8337
    Kit_Bild_Zeichnen(ziel,
                      GRAFIK_KARTE_ERSCHOEPFUNG + ERSCHOEPFUNG_BILD[std::clamp(Spieler_Get_Erschoepfung(p), 0, 4)],
                      SPALTE_WERT, ZEILE_KONDITION - 17);
    Spieler_Sterne_Zeichnen(ziel, p, 205, 214, 0, true);
    Kit_Tabelle_Zelle_Printf(ziel, f, FARBE_WEISS, 0, ZEILE_KONDITION, Kit_Schein::SCHLICHT, ZAHLEN[2], "%d",
                             wert(SPIELER_WERT_SPIELE, p));

    // Fit, injured or suspended: an injury goes before a suspension.
    const u32 status = static_cast<u32>(wert(SPIELER_WERT_STATUS, p));
    const i32 zaehler = (status & SPERR_BITS) ? Spiele_Get_Wettbewerb_Ereignis(Team_Wettbewerb, SPERR_ZAEHLER, p) : 0;
    if (status & VERLETZT) {
        Kit_Bild_Zeichnen(ziel, GRAFIK_KARTE_VERLETZT, SPALTE_WERT, ZEILE_ZUSTAND - ZUSTAND_BILD_HOCH);
        Kit_Printf(ziel, g, FARBE_FEHLER, SPALTE_WERT + ZUSTAND_BILD_BREIT, ZEILE_ZUSTAND, "%s", text(T_VERLETZT));
        const i32 dauer = wert(SPIELER_WERT_VERLETZUNG_DAUER, p);
        Kit_Printf(ziel, f, FARBE_WEISS, SPALTE_WERT, ZEILE_STATUS, "%s (%d %s)",
                   Spieler_Get_Verletzungs_Text(wert(SPIELER_WERT_VERLETZUNG_ART, p)), dauer,
                   text(dauer == 1 ? T_SPIEL : T_SPIELE));
    } else if (zaehler > 0) {
        const char* label = text(T_GESPERRT);
        i32 rest = zaehler;
        struct Sperre {
            i32 bit, grafik, text;
        };
        // The counter: the matches left in its low five bits, the kind above.
        static constexpr Sperre SPERREN[3] = {{0x20, 2, T_GELB}, {0x40, 1, T_GELBROT}, {0x80, 0, T_ROT}};
        i32 grafik = -1;
        for (const Sperre& s : SPERREN)
            if (zaehler & s.bit) grafik = s.grafik, label = text(s.text);
        if (grafik >= 0)
            Kit_Bild_Zeichnen(ziel, GRAFIK_KARTE_SPERRE + grafik, SPALTE_WERT, ZEILE_ZUSTAND - ZUSTAND_BILD_HOCH);
        rest = zaehler & 0x1f;
        Kit_Printf(ziel, g, FARBE_FEHLER, SPALTE_WERT + (grafik >= 0 ? ZUSTAND_BILD_BREIT : 0), ZEILE_ZUSTAND, "%s",
                   label);
        Kit_Printf(ziel, f, FARBE_WEISS, SPALTE_WERT, ZEILE_STATUS, "%s : (%d %s)", label, rest,
                   text(rest == 1 ? T_SPIEL : T_SPIELE));
    } else {
        Kit_Printf(ziel, g, FARBE_GUT, SPALTE_WERT, ZEILE_ZUSTAND, "%s", text(T_FIT));
        Kit_Printf(ziel, f, FARBE_WEISS, SPALTE_WERT, ZEILE_STATUS, "%s", text(T_FIT));
    }
    const i32 training = Attribute_Get_Attribut_In_Ausbildung(p);
    if (training < 0 || training >= ATTRIBUT_ANZAHL)
        Kit_Printf(ziel, f, FARBE_WEISS, SPALTE_WERT, ZEILE_TRAINING, "%s", text(T_KEIN_TRAINING));
    else
        Kit_Printf(ziel, f, FARBE_WEISS, SPALTE_WERT, ZEILE_TRAINING, "%s (%d%%)", Attribut_Tabelle[training].name,
                   Tools_Prozent(Spieler_Wert(training, p, 0, OP_LESEN), Attribut_Noetig(training)));

    const struct {
        i32 spalte, y, wert;
    } ZAEHLER[] = {{0, 428, z.tore}, {0, 446, z.vorlagen}, {1, 421, z.gelb}, {1, 436, z.gelbrot}, {1, 450, z.rot}};
    for (const auto& c : ZAEHLER)
        Kit_Tabelle_Zelle_Printf(ziel, f, FARBE_WEISS, 0, c.y, Kit_Schein::SCHLICHT, ZAHLEN[c.spalte], "%d", c.wert);
    Kit_Tabelle_Zelle_Printf(ziel, f, FARBE_WEISS, 0, 428, Kit_Schein::SCHLICHT, ZAHLEN[2], "%s",
                             Bank_Geld_String(Spieler_Berechne_Gehalt(p), Team_Aktiv, -1, 0));
    Kit_Tabelle_Zeile_Printf(ziel, f, FARBE_GOLD, 0, 446, Kit_Schein::SCHLICHT, std::span(ZAHLEN).subspan(2),
                             "^fb0008^fe\t%s", Bank_Geld_String(Spieler_Berechne_Marktwert(p), Team_Aktiv, -1, 0));

    // The attributes the player uses now, beside his appearances.
    i32 aktiv[3];
    const int na = std::min(Attribute_Get_Attribute(p, aktiv, 3, 0), 3);
    for (int i = 0; i < na; ++i)
        if (aktiv[i] >= 0)
            Kit_Bild_Zeichnen(ziel, GRAFIK_ATTRIBUT_GROSS + aktiv[i], RECHTS_TEXT + 84 * i, ZEILE_KONDITION + 14);
    // The learned ones on their caption's line: large pictures up to ten,
    // small ones on a strip beyond, a line of text when there are none.
    i32 gelernt[18];
    const int n = std::min(Attribute_Get_Attribute(p, gelernt, 18, 1), 18);
    if (n == 0) {
        Kit_Printf(ziel, f, FARBE_WEISS, SPALTE_WERT, ZEILE_GELERNT, "%s", text(T_KEINE_GELERNT));
    } else if (n > GELERNT_GROSS_MAX) {
        Kit_Bild_Zeichnen(ziel, GRAFIK_KARTE_ATTRIBUT_LEISTE, SPALTE_WERT - 6, ZEILE_GELERNT - 24);
        for (int i = 0; i < n && gelernt[i] >= 0; ++i)
            Kit_Bild_Zeichnen(ziel, GRAFIK_ATTRIBUT_GEWAEHLT + gelernt[i], GELERNT_KLEIN_X + GELERNT_KLEIN_DX * i,
                              GELERNT_KLEIN_Y);
    } else {
        for (int i = 0; i < n && gelernt[i] >= 0; ++i) {
            const i32 x = GELERNT_GROSS_X + GELERNT_GROSS_DX * i, y = GELERNT_GROSS_Y;
            if (Attribute_Attribut_Aktief(p, gelernt[i])) Kit_Bild_Zeichnen(ziel, GRAFIK_KARTE_AKTIV, x - 7, y - 7);
            Kit_Bild_Zeichnen(ziel, GRAFIK_ATTRIBUT_KARTE + gelernt[i], x, y);
        }
    }
    // What the learned badges stand for (the ones he uses carry their whole
    // names): in the right block, a line between the used ones and the
    // learned row, the rest under that row; each with the row's short form
    // on the list's smaller badge.
    if (n > 0)
        Attribut_Legende_Zeichnen(ziel,
                                  Attribut_Legende_Zeichnen(ziel, std::vector<i32>(gelernt, gelernt + n),
                                                            GRAFIK_ATTRIBUT, KARTE_LEGENDE_OBEN),
                                  GRAFIK_ATTRIBUT, KARTE_LEGENDE_UNTEN);
}

// The learned badges name their attributes under the mouse (the legend
// beside them may have no room for every name).
const char* Spieler_Info_Hilfe(Screen_Icon*) {
    const i32 p = Spieler_Info_Spieler();
    if (p < 0 || p >= Spieler_Anzahl) return nullptr;
    i32 gelernt[18];
    const int n = std::min(Attribute_Get_Attribute(p, gelernt, 18, 1), 18);
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    const i32 a = n > GELERNT_GROSS_MAX
                      ? Attribut_Marke_Bei(gelernt, n, GRAFIK_ATTRIBUT_GEWAEHLT, GELERNT_KLEIN_X, GELERNT_KLEIN_Y,
                                           GELERNT_KLEIN_DX, mx, my)
                      : Attribut_Marke_Bei(gelernt, n, GRAFIK_ATTRIBUT_KARTE, GELERNT_GROSS_X, GELERNT_GROSS_Y,
                                           GELERNT_GROSS_DX, mx, my);
    return Attribut_Marke_Hilfe(a);
}

// --- Clicks -------------------------------------------------------------------------------

void Spieler_Info_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS)) Spieler_Info_Schliessen();
}

void Spieler_Info_Schliessen_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS)) Spieler_Info_Schliessen();
}

void Spieler_Info_Talente_Klick(Screen_Icon*, u32 ereignis) {
    if ((ereignis & MENUE_E_RECHTS) || Maus_Get_Tasten() == MAUS_RECHTS) {
        Spieler_Info_Schliessen();
        return;
    }
    if (!(ereignis & MENUE_E_LINKS)) return;
    // The card's modes own, other, scouting, transfer show the talents as
    // own team, view, one player, transfer.
    static constexpr i32 TALENTE_MODUS[4] = {0, 1, 3, 2};
    Screen_Oeffnen_Fuer(Screen_Id::TALENTE,
                        {.spieler = karte.spieler, .team = karte.team, .modus = TALENTE_MODUS[karte.modus]});
}

void Spieler_Info_Blaettern_Klick(Screen_Icon* i, u32 ereignis) {
    if ((ereignis & MENUE_E_RECHTS) || Maus_Get_Tasten() == MAUS_RECHTS) {
        Spieler_Info_Schliessen();
        return;
    }
    if (!(ereignis & MENUE_E_LINKS) || karte.modus == SPIELERKARTE_SCOUTING) return;
    if (!Screen_Drossel_Frei(&karte.drossel, BLAETTERN_MS)) return;
    const bool vor = i->user[0] == 1;
    if (karte.modus == SPIELERKARTE_TRANSFER) {
        i32 liste[12];
        const i32 n = transferliste(liste);
        const i32* pos = std::find(liste, liste + n, karte.spieler);
        if (n == 0 || pos == liste + n) return;  // not on the list: he stays
        setzen(liste[Listen_Schritt(static_cast<i32>(pos - liste), vor ? 1 : -1, n)], karte.team);
        return;
    }
    // The own team in slot order (next = +1); another in its list's order,
    // where the previous arrow goes forward.
    const bool eigen = karte.modus == SPIELERKARTE_EIGEN;
    const i32 richtung = eigen ? (vor ? 1 : -1) : (vor ? -1 : 1);
    // Slots nobody holds (a squad of fewer than 20) are passed over.
    i32 slot = karte.slot;
    for (i32 schritt = 0; schritt < KADER_SLOTS; ++schritt) {
        slot = Slot_Schritt(slot, richtung, eigen);
        if (const i32 q = spieler_mit_slot(karte.team, slot); q >= 0) {
            setzen(q, karte.team);
            return;
        }
    }
}

#include "screens/market/verhandlung.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "base/meldung.h"
#include "base/random.h"
#include "base/ruf.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/gesicht.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "gui/umbruch.h"
#include "screens/market/transfer.h"
#include "screens/squad/spielerkarte.h"
#include "screens/teile/drossel.h"
#include "screens/teile/namen.h"
#include "screens/teile/requester.h"
#include "screens/teile/spielerzeile.h"
#include "screens/teile/sterne.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/markt.h"
#include "world/modi.h"
#include "world/netz.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {

constexpr u32 SCOUT_SPIELER = 0x20000;
constexpr u32 GEBOT_DROSSEL_MS = 150;
constexpr i32 SENKUNG_WARTEN_MS = 1000, SENKUNG_SCHRITT_MS = 100;
constexpr i32 BALKEN = 228;
// The market player's face and, right of it and clear of it, the button to
// his card (under his asking price).
constexpr i32 GESICHT_X = 55, GESICHT_Y = 135, GESICHT_B = 85, GESICHT_H = 100;
constexpr i32 KARTE_X = GESICHT_X + GESICHT_B + 10, KARTE_Y = 211;

enum : i32 {
    T_JA = 25,
    T_ERLOES = 30,
    T_PREIS = 31,
    T_SALDO = 33,
    T_IHR_SPIELER = 43,
    T_WUNSCH = 44,
    T_GEBOT = 45,
    T_FORDERUNG = 46,
    T_NICHT_MEHR = 47,
    T_BEGINNEN = 48,
    T_VERLASSEN = 49,
    T_KEIN_GELD = 50,
    T_EINIG = 51,
    T_TITEL = 52,
    T_KONTO_DANACH = 53,
    T_WEITER = 55,
    T_ABBRECHEN = 56,
    T_SEKUNDEN = 57,
    T_MARKTWERT = 58,
    T_SPIELE = 59,
    T_ZEIT_UM = 60,
};
constexpr i32 SUCHE_NEIN = 26;                     // SPIELER_SUCHE_SCREEN: "Nein"
constexpr i32 DOLV_GEBOT = 5, DOLV_KARTE = 1;      // ZUSATZTEXTE_DOLV
constexpr i32 BEXOT_GESCHEITERT = 18;              // ZUSATZTEXTE_BEXOT
constexpr u16 FARBE_BLINKEN = FARBE_FEHLER;

Verhandlung_Daten d;
Screen_Drossel gebot_drossel;
Icon_Textzeile start_text{}, verlassen_text{}, schild_text{};

constexpr u32 MODAL = MENUE_F_MODAL | MENUE_F_BEIDE_TASTEN;
constexpr Kit_Bildknopf_Def KNOPF{.ebene = 7, .flags = MODAL};

constexpr auto FENSTER = Icon_Tabelle_Bauen<Icon_Besitzer::VERHANDLUNG>({
    {.nummer = ICON_VERHANDLUNG_SPERRE, .flags = MODAL | MENUE_F_GANZER_SCREEN, .ebene = 5, .w = 800, .h = 600},
    {.nummer = ICON_VERHANDLUNG,
     .grafik = GRAFIK_VERHANDLUNG,
     .flags = MODAL,
     .x = 32,
     .y = 69,
     .status = MENUE_S_TRANSPARENT,
     .zeichnen = Verhandlung_Zeichnen,
     .ebene = 6,
     .w = 760,
     .h = 440},
    Kit_Bildknopf(KNOPF, {.nummer = ICON_VERHANDLUNG_10K,
                          .grafik = GRAFIK_GEBOT_10K,
                          .gedrueckt = GRAFIK_GEBOT_10K_AN,
                          .x = 528,
                          .y = 212,
                          .w = 40,
                          .h = 26,
                          .klick = Verhandlung_10k_Klick}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_VERHANDLUNG_100K,
                          .grafik = GRAFIK_GEBOT_100K,
                          .gedrueckt = GRAFIK_GEBOT_100K_AN,
                          .x = 571,
                          .y = 212,
                          .w = 40,
                          .h = 26,
                          .klick = Verhandlung_100k_Klick}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_VERHANDLUNG_START,
                          .grafik = GRAFIK_VERHANDLUNG_START,
                          .gedrueckt = GRAFIK_VERHANDLUNG_START_AN,
                          .x = 622,
                          .y = 212,
                          .w = 150,
                          .h = 30,
                          .klick = Verhandlung_Start_Klick,
                          .hilfe = Verhandlung_Start_Hilfe,
                          .text = &start_text}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_VERHANDLUNG_VERLASSEN,
                          .grafik = GRAFIK_VERHANDLUNG_VERLASSEN,
                          .gedrueckt = GRAFIK_VERHANDLUNG_VERLASSEN_AN,
                          .x = 672,
                          .y = 463,
                          .w = 100,
                          .h = 30,
                          .klick = Verhandlung_Verlassen_Klick,
                          .text = &verlassen_text}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_VERHANDLUNG_SCHILD,
                          .grafik = GRAFIK_SCOUT_SCHICKEN,
                          .gedrueckt = GRAFIK_SCOUT_SCHICKEN_AN,
                          .x = 550,
                          .y = 360,
                          .w = 170,
                          .h = 34,
                          .text = &schild_text}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_VERHANDLUNG_KARTE,
                          .grafik = GRAFIK_VERHANDLUNG_KARTE,
                          .gedrueckt = GRAFIK_VERHANDLUNG_KARTE_AN,
                          .x = KARTE_X,
                          .y = KARTE_Y,
                          .w = 90,
                          .h = 24,
                          .klick = Verhandlung_Karte_Klick,
                          .hilfe = Verhandlung_Karte_Hilfe}),
});

const char* text(i32 n) { return Text_cfg_Text(TEXT_TRANSFER, n); }
const char* geld(f64 b) { return Bank_Geld_String(b, Team_Aktiv, -1, 0); }
i32 vergangen() { return static_cast<i32>(W32_Get_Time() - d.start); }
i32 erloes() { return Transfer_Angebot_Differenz(d.eigen); }

void einigung() {
    d.forderung = d.gebot;
    d.stand = VH_ENDE;
    d.einig = true;
    d.senkung_laeuft = false;
    Kit_Grau(ICON_VERHANDLUNG_10K, true);
    Kit_Grau(ICON_VERHANDLUNG_100K, true);
    verlassen_text.text = text(T_WEITER);
    Blt_Cache_Leeren();
}

void zeit_um() {
    d.stand = VH_ENDE;
    d.einig = false;
    d.senkung_laeuft = false;
    Kit_Grau(ICON_VERHANDLUNG_10K, true);
    Kit_Grau(ICON_VERHANDLUNG_100K, true);
    Blt_Cache_Leeren();
}

// Sorts the first n entries ascending (the shared sort, the same on every machine).
void sortieren(i32* werte, i32 n) {
    if (n < 2) return;
    u32 w[VERHANDLUNG_MARKEN];
    for (i32 i = 0; i < n; ++i) w[i] = static_cast<u32>(werte[i]);
    i32 schluessel[VERHANDLUNG_MARKEN];
    std::copy(werte, werte + n, schluessel);
    SortMisch_Sortiere(w, schluessel, n, 0);
    for (i32 i = 0; i < n; ++i) werte[i] = static_cast<i32>(w[i]);
}

void preise_setzen() {
    i64 v = Spieler_Berechne_Marktwert(d.markt);
    if (static_cast<u32>(Spieler_Wert(SPIELER_WERT_STATUS, d.markt, 0, OP_LESEN)) & SCOUT_SPIELER) v -= v * 10 / 100;
    const i32 wert = static_cast<i32>(v);
    d.forderung = Global_Transfer_Forderung(d.markt);
    d.gebot = static_cast<i32>(std::min<i64>(Verhandlung_Geld(d.eigen), wert));
    d.n = Rnd(0, 12);
    if (d.n != 0 && d.n % 2 == 0) d.n -= 1;
    for (i32 i = 0; i < d.n; ++i) d.schwelle[i] = Global_Runde_10000(Rnd(wert, d.forderung));
    sortieren(d.schwelle, d.n);
    d.m = Rnd(0, d.n);
    for (i32 i = 0; i < d.m; ++i) d.zeitmarke[i] = Rnd(2000, 28000);
    sortieren(d.zeitmarke, d.m);
    for (i32 i = 1; i < d.m; ++i)
        if (d.zeitmarke[i] < d.zeitmarke[i - 1] + 2000) d.zeitmarke[i] = d.zeitmarke[i - 1] + 2000;
    d.l = 0;
    d.h = d.n > 1 ? d.n - 1 : 0;
}

void pruefen() {
    if (d.stand == VH_SENKUNG || d.stand == VH_PAUSE || d.n <= 0 || d.l > d.h) return;
    if (d.forderung <= d.gebot) {
        einigung();
        return;
    }
    if (d.gebot >= d.schwelle[d.l]) {
        if (d.n == 1) {
            d.l = d.h = 0;
            d.stand = VH_SENKUNG;
        } else if (d.l < d.h) {
            ++d.l;
            d.stand = VH_SENKUNG;
        }
        return;
    }
    if (d.m > 0 && d.k < d.m && vergangen() >= d.zeitmarke[d.k]) {
        d.stand = VH_SENKUNG;
        ++d.k;
    }
}

void senken() {
    const u32 jetzt = W32_Get_Time();
    if (!d.senkung_laeuft) {
        d.senkung_laeuft = true;
        d.senkung_start = d.letzter_schritt = jetzt;
        return;
    }
    if (jetzt - d.senkung_start < static_cast<u32>(SENKUNG_WARTEN_MS)) return;
    if (jetzt - d.letzter_schritt < static_cast<u32>(SENKUNG_SCHRITT_MS)) return;
    d.letzter_schritt = jetzt;
    const i32 ziel = d.schwelle[d.n < 2 ? 0 : std::max(d.h, 0)];
    d.forderung -= d.forderung - ziel >= 100000 ? 100000 : 10000;
    Blt_Cache_Leeren();
    if (d.forderung - 10000 < d.gebot) {
        d.forderung = d.gebot;
        einigung();
        return;
    }
    if (d.forderung <= ziel) {
        d.forderung = ziel;
        --d.h;
        d.senkung_laeuft = false;
        d.stand = VH_LAEUFT;
    }
}

void erhoehen(i32 schritt) {
    if (d.stand != VH_LAEUFT && d.stand != VH_SENKUNG) return;
    if (!Screen_Drossel_Frei(&gebot_drossel, GEBOT_DROSSEL_MS)) return;
    const i64 grenze = std::min<i64>(Verhandlung_Geld(d.eigen), d.forderung);
    const i64 neu = static_cast<i64>(d.gebot) + schritt;
    // An agreement the club could not pay would only fail at the bank after
    // the transfer was spent: the bid stops at the money available.
    if (neu >= d.forderung && d.forderung > Verhandlung_Geld(d.eigen)) {
        Meldung_Manager_Printf(1, Team_Aktiv, "%s", text(T_NICHT_MEHR));
    } else if (neu < d.forderung) {
        if (neu > grenze) {
            if (d.gebot < d.forderung) Meldung_Manager_Printf(1, Team_Aktiv, "%s", text(T_NICHT_MEHR));
        } else {
            d.gebot = static_cast<i32>(neu);
        }
    } else {
        d.gebot = d.forderung;
        einigung();
    }
    Blt_Cache_Leeren();
}

void austauschen() {
    const i32 team = Team_Aktiv;
    if (Spieler_Tauschen(team, Team_Transfermarkt, d.eigen, d.markt, d.gebot) != 1) {
        Meldung_Manager_Printf(1, Team_Aktiv, "%s", Text_cfg_Text(TEXT_ZUSATZ_BEXOT, BEXOT_GESCHEITERT));
        if (ruf::Client()) Team_Internet_Client_Refresh();
        return;
    }
    Transfer_Verhandlung_Schliessen(team);
    Transfer_Client_Nachladen(team);
    Transfer_Fenster_Fuellen(team);
}

void abbrechen_ja(i32, const i32*) {
    Verhandlung_Schliessen();
    Transfer_Screen_Auswahl_Loeschen();
}

void abbrechen_nein(i32, const i32*) {
    d.start = W32_Get_Time() - static_cast<u32>(d.pause_vergangen);
    d.stand = VH_LAEUFT;
}

}  // namespace

i64 Verhandlung_Geld(i32 eigen) {
    const f64 g = Bank_Get_Kontostand(Team_Aktiv, 0, -1) + Transfer_Angebot_Differenz(eigen);
    return g > 0 ? static_cast<i64>(g) : 0;
}

bool Verhandlung_Oeffnen(i32 eigen, i32 markt) {
    if (Verhandlung_Offen() || eigen < 0 || markt < 0) return false;
    if (Verhandlung_Geld(eigen) - Spieler_Berechne_Marktwert(markt) <= 0) {
        Meldung_Manager_Printf(1, Team_Aktiv, "%s", text(T_KEIN_GELD));
        return false;
    }
    start_text = Kit_Knopf_Beschriftung(text(T_BEGINNEN));
    verlassen_text = start_text, verlassen_text.text = text(T_VERLASSEN);
    start_text.font = Kit_Font(Kit_Schrift::SCHMAL);
    schild_text = start_text, schild_text.text = text(T_WUNSCH);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(FENSTER.daten());
    Kit_Grau(ICON_VERHANDLUNG_10K, true);
    Kit_Grau(ICON_VERHANDLUNG_100K, true);
    Kit_Grau(ICON_VERHANDLUNG_SCHILD, true);
    d = {};
    d.eigen = eigen, d.markt = markt;
    d.karte_vergangen = -1;
    preise_setzen();
    gebot_drossel = {};
    Blt_Cache_Leeren();
    return true;
}

void Verhandlung_Schliessen() {
    if (!Verhandlung_Offen()) return;
    // The negotiation is over: asking for the same player again is a new
    // negotiation and spends a transfer of its own.
    Transfer_Verhandlung_Schliessen(Team_Aktiv);
    Menue_Screen_Icon_Tabelle_Loeschen(FENSTER.daten());
    d.karte_vergangen = -1;
    Blt_Cache_Leeren();
}

bool Verhandlung_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_VERHANDLUNG); }
const Verhandlung_Daten& Verhandlung_Stand_Lesen() { return d; }

// The card opened from the window was closed: the clock goes on from where it stood.
static void karte_pruefen() {
    if (d.karte_vergangen >= 0 && !Spieler_Info_Offen()) {
        d.start = W32_Get_Time() - static_cast<u32>(d.karte_vergangen);
        d.karte_vergangen = -1;
        d.stand = VH_LAEUFT;
    }
}

void Verhandlung_Takt() {
    karte_pruefen();
    if (d.stand == VH_LAEUFT || d.stand == VH_SENKUNG) {
        if (vergangen() >= VERHANDLUNG_DAUER_MS) {
            zeit_um();
            return;
        }
        pruefen();
    }
    if (d.stand == VH_SENKUNG) senken();
}

// --- Drawing ------------------------------------------------------------------------------

// The end of the talks beside the price bar, wrapped to the window's right
// margin (the failed talks' sentence is longer than the room).
constexpr i32 ENDE_X = 472, ENDE_Y = 251, RAND_RECHTS = 24;
void ende_zeichnen(Rastport* ziel, Font* f, i32 x, i32 y, i32 breite) {
    const char* t = text(d.einig ? T_EINIG : T_ZEIT_UM);
    Umbruch_Text_Ausgabe(nullptr, f, t, x + ENDE_X, x + breite - RAND_RECHTS, y, y + 600, FARBE_WEISS, 0, -1);
    const i32 zeile = std::max<i32>(f->hoehe, 1);
    i32 zy = y + ENDE_Y;
    for (const std::string& z : Umbruch_Zeilen()) {
        Kit_Printf(ziel, f, FARBE_WEISS, x + ENDE_X, zy, "%s", z.c_str());
        zy += zeile;
    }
}

void Verhandlung_Zeichnen(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) {
    Font* f = Kit_Font(Kit_Schrift::SCHMAL_GROSS);
    Font* k = Kit_Font(Kit_Schrift::TEXT);
    if (!f || !k || d.markt < 0) return;
    karte_pruefen();
    if (d.stand == VH_ENDE) {
        if (Screen_Icon* v = Kit_Icon(ICON_VERHANDLUNG_VERLASSEN)) v->status &= ~MENUE_S_GRAU;
        ende_zeichnen(ziel, f, x, y, i ? i->w : 760);
    }
    Kit_Printf(ziel, k, FARBE_KOPF, x + 20, y + 50, "%s", text(T_WUNSCH));
    Kit_Printf(ziel, k, FARBE_KOPF, x + 138, y + 100, "%s", text(T_FORDERUNG));
    Kit_Printf(ziel, k, FARBE_KOPF, x + 490, y + 100, "%s", text(T_GEBOT));
    // The window's title over its gold rule.
    if (Font* t = Kit_Font(Kit_Schrift::TITEL)) Kit_Text(ziel, t, FARBE_KREIDE, text(T_TITEL), x + 20, y + 26);
    Kit_Printf(ziel, k, FARBE_KOPF, x + 20, y + 300, "%s", text(T_IHR_SPIELER));
    // Our player who goes in the deal: position, name, stars and value in
    // one line under his caption (the value clear of the six star places).
    if (d.eigen >= 0) {
        const i32 kl = std::clamp(Spieler_Wert(SPIELER_WERT_POSITION, d.eigen, 0, OP_LESEN), 0, 3);
        Kit_Text(ziel, f, FARBE_KLASSE[kl], Positions_Text(kl), x + 20, y + 318);
        Kit_Text(ziel, f, FARBE_WEISS, Spieler_String(505, d.eigen, nullptr, 0), x + 60, y + 318);
        Spieler_Sterne_Zeichnen(ziel, d.eigen, x + 250, y + 305, 0, false);
        char wert[96];
        std::snprintf(wert, sizeof wert, "%s %s", text(T_MARKTWERT), geld(Spieler_Berechne_Marktwert(d.eigen)));
        Kit_Text(ziel, f, FARBE_WEISS, wert, x + 350, y + 318);
    }
    Gesicht_Holen(d.markt, Team_Transfermarkt, ziel, GESICHT_X, GESICHT_Y, GESICHT_B, GESICHT_H);
    const i32 klasse = std::clamp(Spieler_Wert(SPIELER_WERT_POSITION, d.markt, 0, OP_LESEN), 0, 3);
    Kit_Tabelle_Zelle_Printf(ziel, f, FARBE_KLASSE[klasse], x, y + 190, Kit_Schein::SCHLICHT,
                             SPIELERZEILE_SPALTEN[SZ_POSITION], "%s", Positions_Text(klasse));
    Kit_Printf(ziel, f, FARBE_WEISS, x + 70, y + 190, "%s", Spieler_String(505, d.markt, nullptr, 0));
    Spieler_Sterne_Zeichnen(ziel, d.markt, x + 27, y + 202, 0, false);
    Kit_Printf(ziel, f, FARBE_WEISS, x + 130, y + 213, "%s %d", text(T_SPIELE),
               Spieler_Wert(SPIELER_WERT_SPIELE, d.markt, 0, OP_LESEN));
    Kit_Printf(ziel, f, FARBE_WEISS, x + 25, y + 242, "%s %s", text(T_MARKTWERT),
               geld(Spieler_Berechne_Marktwert(d.markt)));
    Kit_Printf_Stelle(ziel, f, FARBE_GEWAEHLT, x + 537, y + 124, Kit_Schein::SCHLICHT, {Kit_Ausrichtung::MITTE, 1},
                      "%s", geld(d.gebot));
    const i32 e = erloes();
    const f64 konto = Bank_Get_Kontostand(Team_Aktiv, 0, -1);
    const std::string plus = Menue_Text_Fuellen(text(T_ERLOES), 0, Spieler_String(505, d.eigen, nullptr, 0));
    const std::string minus = Menue_Text_Fuellen(text(T_PREIS), 0, Spieler_String(505, d.markt, nullptr, 0));
    Kit_Printf_Glatt(ziel, k, FARBE_WEISS, x + 50, y + 416, "%s %s", text(T_KONTO_DANACH), geld(konto + e - d.gebot));
    // The balance: each line's label, its signed amount at the right edge.
    constexpr Kit_Spalte BETRAG[] = {{.x = 700, .ausrichtung = Kit_Ausrichtung::RECHTS}};
    Kit_Tabelle_Zeile_Printf(ziel, k, FARBE_WEISS, x + 10, y + 341, Kit_Schein::GLATT, BETRAG, "%s ^c%05d\t+ %s",
                             plus.c_str(), FARBE_KLASSE_1, geld(e));
    Kit_Tabelle_Zeile_Printf(ziel, k, FARBE_WEISS, x + 10, y + 358, Kit_Schein::GLATT, BETRAG, "%s ^c%05d\t- %s",
                             minus.c_str(), FARBE_MARKE, geld(d.gebot));
    const i32 saldo = e - d.gebot;
    if (saldo < 0)
        Kit_Tabelle_Zeile_Printf(ziel, k, FARBE_WEISS, x + 10, y + 375, Kit_Schein::GLATT, BETRAG, "%s^c%05d\t %s",
                                 text(T_SALDO), FARBE_MARKE, geld(saldo));
    else
        Kit_Tabelle_Zeile_Printf(ziel, k, FARBE_WEISS, x + 10, y + 375, Kit_Schein::GLATT, BETRAG, "%s^c%05d\t+ %s",
                                 text(T_SALDO), FARBE_KLASSE_1, geld(saldo));
    if (d.stand == VH_PAUSE) return;
    // The price bar: how far the bid came and how far the price fell.
    const i32 a0 = Global_Transfer_Forderung(d.markt), v0 = Spieler_Berechne_Marktwert(d.markt);
    if (Rastport* b = Kit_Bild(GRAFIK_PREISBALKEN)) Blt_Blit(b, 0, 0, -1, -1, ziel, 507, 277, Blt_Opt_Transparent);
    if (d.stand != VH_BEREIT && d.gebot >= v0) {
        // A demand at or below the value leaves no span between them: the
        // bar is full once the bid has reached the demand.
        const bool spanne = a0 > v0;
        const i32 p1 = spanne                   ? std::clamp(Tools_Prozent(d.gebot - v0, a0 - v0), 0, 100)
                       : d.gebot >= d.forderung ? 100
                                                : 0;
        const i32 p2 = spanne ? std::clamp(Tools_Prozent(a0 - d.forderung, a0 - v0), 0, 100) : 0;
        const i32 a = p1 * BALKEN / 100, b = (100 - p2) * BALKEN / 100;
        if (Rastport* r = Kit_Bild(GRAFIK_PREISBALKEN_SPANNE))
            if (BALKEN - b > 0) Blt_Blit(r, 0, 0, BALKEN - b, -1, ziel, 507, 277, Blt_Opt_Transparent);
        if (Rastport* r = Kit_Bild(GRAFIK_PREISBALKEN_GEBOT))
            if (a > 0) Blt_Blit(r, BALKEN - a, 0, a, -1, ziel, 735 - a, 277, Blt_Opt_Transparent);
    }
    if (d.stand == VH_LAEUFT || d.stand == VH_SENKUNG) {
        const i32 rest = std::max(0, VERHANDLUNG_DAUER_MS - vergangen());
        Kit_Printf(ziel, f, FARBE_WEISS, 660, 270, "%d %s", rest / 1000, text(T_SEKUNDEN));
    }
    Verhandlung_Takt();
    u16 farbe = FARBE_WEISS;
    if (d.stand == VH_SENKUNG && (W32_Get_Time() - d.senkung_start) % 600 < 200) farbe = FARBE_BLINKEN;
    Kit_Printf(ziel, f, farbe, x + 138, y + 124, "%s", geld(d.forderung));
}

// --- Clicks ----------------------------------------------------------------------------------

void Verhandlung_10k_Klick(Screen_Icon* i, u32 ereignis) {
    if ((ereignis & MENUE_E_LINKS) && !(i->status & MENUE_S_GRAU)) erhoehen(10000);
}
void Verhandlung_100k_Klick(Screen_Icon* i, u32 ereignis) {
    if ((ereignis & MENUE_E_LINKS) && !(i->status & MENUE_S_GRAU)) erhoehen(100000);
}

void Verhandlung_Start_Klick(Screen_Icon* i, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || (i->status & MENUE_S_GRAU) || d.stand != VH_BEREIT) return;
    // The transfer is spent here, on the server in a network game; a player
    // bought meanwhile by another manager ends the talks before they begin.
    if (!Transfer_Verhandlung_Beginnen(Team_Aktiv, d.markt)) {
        Verhandlung_Schliessen();
        Transfer_Screen_Auswahl_Loeschen();
        Meldung_Manager_Printf(1, Team_Aktiv, "%s", Text_cfg_Text(TEXT_ZUSATZ_BEXOT, BEXOT_GESCHEITERT));
        if (ruf::Client()) Transfer_Client_Nachladen(Team_Aktiv);
        Transfer_Screen_Listen_Bauen();
        return;
    }
    d.stand = VH_LAEUFT;
    Kit_Grau(ICON_VERHANDLUNG_10K, false);
    Kit_Grau(ICON_VERHANDLUNG_100K, false);
    Kit_Grau(ICON_VERHANDLUNG_START, true);
    d.start = W32_Get_Time();
    Blt_Cache_Leeren();
}

void Verhandlung_Verlassen_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    if (d.stand == VH_LAEUFT || d.stand == VH_SENKUNG || d.stand == VH_PAUSE) {
        d.pause_vergangen = d.stand == VH_PAUSE ? d.pause_vergangen : vergangen();
        d.stand = VH_PAUSE;
        char t[256];
        std::snprintf(t, sizeof t, "^c%05d%s", FARBE_WEISS, text(T_ABBRECHEN));
        Menue_Requester(REQUESTER_JA_NEIN, Team_Aktiv, t, text(T_JA), Text_cfg_Text(TEXT_SPIELER_SUCHE, SUCHE_NEIN),
                        abbrechen_ja, abbrechen_nein);
        return;
    }
    d.karte_vergangen = -1;
    const bool tauschen = d.einig;
    Verhandlung_Schliessen();
    if (tauschen) austauschen();
    Transfer_Screen_Auswahl_Loeschen();
    Transfer_Screen_Listen_Bauen();
}

void Verhandlung_Karte_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    if (d.stand == VH_LAEUFT || d.stand == VH_SENKUNG || d.stand == VH_PAUSE) {
        d.karte_vergangen = d.stand == VH_PAUSE && d.karte_vergangen >= 0 ? d.karte_vergangen : vergangen();
        d.stand = VH_PAUSE;
    }
    Screen_Oeffnen_Fuer(Screen_Id::SPIELERKARTE,
                        {.spieler = d.markt, .team = Team_Transfermarkt, .modus = SPIELERKARTE_SCOUTING});
}

const char* Verhandlung_Start_Hilfe(Screen_Icon*) { return Text_cfg_Text(TEXT_ZUSATZ_DOLV, DOLV_GEBOT); }
const char* Verhandlung_Karte_Hilfe(Screen_Icon*) { return Text_cfg_Text(TEXT_ZUSATZ_DOLV, DOLV_KARTE); }

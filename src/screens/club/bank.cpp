#include "screens/club/bank.h"

#include <algorithm>
#include <cmath>

#include "base/meldung.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "gui/wappen.h"
#include "platform/input.h"
#include "screens/teile/drossel.h"
#include "screens/teile/schritt.h"
#include "season/kalender.h"
#include "season/news.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

constexpr u32 DROSSEL_MS = 150;
constexpr i32 BETRAG_MAX = 12000000;
constexpr i32 ZINS_MIN = 1, ZINS_MAX = 100;
constexpr u32 NEWS_KREDITANGEBOT = 0x1005;
constexpr i32 NEWS_ART_KREDIT = 5;
constexpr i32 ANGEBOT_TAGE = NEWS_ANGEBOT_FRIST;

// Texts of the screen's section.
enum : i32 { T_KOPF = 0, T_SUMME = 4, T_PARTNER = 5, T_ZINS = 8, T_KNOPF = 9, T_ABGELEHNT = 10, T_MONAT = 17,
             T_MONATE = 18 };
constexpr i32 T_FINANZ_BANK = 27;                          // FINANZ_SCREEN: the bank's name
constexpr i32 T_ANGEBOT_NEWS = 16, T_ANGEBOT_GESENDET = 17;  // ZUSATZTEXTE_BEXOT

constexpr u16 FARBE_SCHULD = FARBE_FEHLER, FARBE_GUTHABEN = FARBE_KLASSE_1;

// The steppers' user word 0: which value each one sets.
enum : u32 { WERT_BETRAG = 1, WERT_LAUFZEIT = 2, WERT_ZINS = 3 };

i32 partner = 0;  // 0 the bank, else the lender's team
f32 betrag = BANK_KREDIT_MIN;
i32 laufzeit = BANK_LAUFZEIT_MIN;
i32 zins = 8;
i32 gelesen_fuer = -1;  // the team whose manager's choice the state holds
Screen_Drossel partner_drossel, wert_drossel;
Icon_Textzeile knopf_text{};

constexpr auto TABELLE = Icon_Tabelle_Bauen<Icon_Besitzer::BANK>({
    {.nummer = ICON_BANK_RAHMEN,
     .grafik = GRAFIK_BANK_RAHMEN,
     .x = 0,
     .y = 107,
     .status = MENUE_S_TRANSPARENT,
     .zeichnen = Bank_Screen_Zeichnen,
     .ebene = 2,
     .w = 800,
     .h = 420,
     .hilfe_prozedur = Bank_Screen_Hilfe},
    {.nummer = ICON_BANK_PARTNER,
     .grafik = GRAFIK_BANK_PARTNER,
     .grafik_gedrueckt = GRAFIK_BANK_PARTNER_GEDRUECKT,
     .x = 95,
     .y = 284,
     .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
     .klick = Bank_Screen_Partner_Klick,
     .ebene = 3,
     .w = 282,
     .h = 24,
     .hilfe_prozedur = Bank_Screen_Hilfe_Partner},
    Kit_Stepperknopf({.nummer = ICON_BANK_BETRAG,
                      .grafik = GRAFIK_BANK_STEPPER_BETRAG,
                      .x = 95,
                      .y = 347,
                      .ebene = 3,
                      .klick = Bank_Screen_Wert_Klick,
                      .hilfe = Bank_Screen_Hilfe_Betrag,
                      .wort = {WERT_BETRAG, 0},
                      .wiederholen = false}),
    Kit_Stepperknopf({.nummer = ICON_BANK_LAUFZEIT,
                      .grafik = GRAFIK_BANK_STEPPER,
                      .x = 95,
                      .y = 412,
                      .ebene = 3,
                      .klick = Bank_Screen_Wert_Klick,
                      .hilfe = Bank_Screen_Hilfe_Laufzeit,
                      .wort = {WERT_LAUFZEIT, 0},
                      .wiederholen = false}),
    Kit_Stepperknopf({.nummer = ICON_BANK_ZINS,
                      .grafik = GRAFIK_BANK_STEPPER,
                      .x = 95,
                      .y = 477,
                      .ebene = 3,
                      .klick = Bank_Screen_Wert_Klick,
                      .hilfe = Bank_Screen_Hilfe_Zins,
                      .wort = {WERT_ZINS, 0},
                      .wiederholen = false}),
    {.nummer = ICON_BANK_KREDIT,
     .grafik = GRAFIK_BANK_KNOPF,
     .grafik_gedrueckt = GRAFIK_BANK_KNOPF_GEDRUECKT,
     .flags = MENUE_F_TEXT,
     .x = 409,
     .y = 471,
     .daten = &knopf_text,
     .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
     .klick = Bank_Screen_Kredit_Klick,
     .ebene = 3,
     .w = 180,
     .h = 34,
     .hilfe_prozedur = Bank_Screen_Hilfe_Kredit},
});

const char* text(i32 n) { return Text_cfg_Text(TEXT_BANK, n); }

// The credits' columns: partner, term (the months left, their word; its
// head at its right edge) and amount. The months' number stands right of
// its own place, from the term's left.
constexpr Kit_Spalte KREDITE[] = {
    {.x = 330},
    {.x = 472, .breite = 24, .kopf = Kit_Kopf::RECHTS},
    {.x = 656, .ausrichtung = Kit_Ausrichtung::RECHTS},
};
enum Kredit_Spalte { K_PARTNER, K_LAUFZEIT, K_BETRAG };
constexpr i32 RESTMONATE_X = 423;
constexpr Kit_Stelle RESTMONATE{Kit_Ausrichtung::RECHTS, 45};
constexpr Kit_Stelle SUMME_LABEL{Kit_Ausrichtung::LINKS, 441};
// The new credit: its values at their right edge, the partner's club
// centred over its crest.
constexpr Kit_Stelle ANGEBOT_WERT{Kit_Ausrichtung::RECHTS, 370};
constexpr Kit_Stelle PARTNER_VEREIN{Kit_Ausrichtung::MITTE, 672};
const char* bexot(i32 n) { return Text_cfg_Text(TEXT_ZUSATZ_BEXOT, n); }
const char* bankname() { return Text_cfg_Text(TEXT_FINANZ, T_FINANZ_BANK); }
const char* monate(i32 n) { return text(n == 1 ? T_MONAT : T_MONATE); }
const char* manager_name(i32 team) { return Team_String(300, team, nullptr, 0); }

void merken() {
    Menue_Icon_Zustand_Setzen(ICON_BANK_PARTNER, static_cast<u32>(partner));
    Menue_Icon_Zustand_Setzen(ICON_BANK_BETRAG, static_cast<u32>(betrag));
    Menue_Icon_Zustand_Setzen(ICON_BANK_LAUFZEIT, static_cast<u32>(laufzeit));
    Menue_Icon_Zustand_Setzen(ICON_BANK_ZINS, static_cast<u32>(zins));
}

// A manager who comes back to the machine finds the screen as he left it:
// his own choice, not the one of the manager before him.
void aktuell() {
    if (gelesen_fuer != Team_Aktiv) Bank_Screen_Daten_Holen();
}

// An offer to another manager's club: a news item the lender answers.
void angebot_senden() {
    News_Daten d{};
    const i32 w[7] = {NEWS_ART_KREDIT, Team_Aktiv, partner, Kalender_Get_Tag() + ANGEBOT_TAGE, static_cast<i32>(betrag),
                      zins, laufzeit};
    for (int i = 0; i < 7; ++i) d.w[i] = w[i];
    d.w[9] = -1;  // not answered yet: the lender's answer goes here
    News_Neu(Team_Aktiv, partner, -1, NEWS_KREDITANGEBOT, &d, bexot(T_ANGEBOT_NEWS),
             Team_String(721, Team_Aktiv, nullptr, 0), Bank_Geld_String(betrag, Team_Aktiv, -1, 0), laufzeit,
             static_cast<double>(zins));
    Meldung_Manager_Printf(1, Team_Aktiv, bexot(T_ANGEBOT_GESENDET), manager_name(partner));
}

}  // namespace

Screen_Def Bank_Screen_Def() {
    return {.name = "Bank", .icons = Icon_Besitzer::BANK, .rahmen = ICON_BANK_RAHMEN, .arbeitsflaeche = true,
            .oeffnen = Bank_Screen_Init};
}

i32 Bank_Screen_Bankzins(i32 monate) {
    return static_cast<i32>(Bank_Get_Zins(Bank_Get_Laufzeit_Klasse(monate)));
}
i32 Bank_Screen_Partner() { return partner; }
f32 Bank_Screen_Betrag() { return betrag; }
i32 Bank_Screen_Laufzeit() { return laufzeit; }
i32 Bank_Screen_Zins() { return zins; }

i32 Bank_Screen_Naechster_Partner(i32 p, i32 aktiv, const i32* teams, i32 anzahl) {
    if (p == 0) {
        for (i32 i = 0; i < anzahl; ++i)
            if (teams[i] != aktiv) return teams[i];
        return 0;
    }
    for (i32 i = 0; i < anzahl; ++i) {
        if (teams[i] != p) continue;
        i32 n = i + 1;
        if (n < anzahl && teams[n] == aktiv) ++n;
        return n < anzahl ? teams[n] : 0;
    }
    return p;  // a lender no longer among the managers stays until changed
}

void Bank_Screen_Init() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_BANK_RAHMEN)) return;
    Menue_Screen_Icons_Loeschen_Bereich(4, 0, 0, ARBEITSFLAECHE_X1, ARBEITSFLAECHE_Y1);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(TABELLE.daten());
    partner_drossel = {}, wert_drossel = {};  // the first click of an opening always counts
    Bank_Screen_Daten_Holen();
}

void Bank_Screen_Texte_Setzen() { knopf_text = Kit_Knopf_Beschriftung(text(T_KNOPF)); }

void Bank_Screen_Daten_Holen() {
    Bank_Screen_Texte_Setzen();
    gelesen_fuer = Team_Aktiv;
    partner = static_cast<i32>(Menue_Icon_Zustand(ICON_BANK_PARTNER));
    betrag = static_cast<f32>(Menue_Icon_Zustand(ICON_BANK_BETRAG));
    if (betrag < BANK_KREDIT_MIN) betrag = BANK_KREDIT_MIN;
    laufzeit = static_cast<i32>(Menue_Icon_Zustand(ICON_BANK_LAUFZEIT));
    if (laufzeit < BANK_LAUFZEIT_MIN || laufzeit > BANK_LAUFZEIT_MAX) laufzeit = BANK_LAUFZEIT_MIN;
    zins = Bank_Screen_Bankzins(laufzeit);
}

void Bank_Screen_Partner_Klick(Screen_Icon*, u32 ereignis) {
    aktuell();
    if (!(ereignis & MENUE_E_LINKS) || !Screen_Drossel_Frei(&partner_drossel, DROSSEL_MS)) return;
    i32 teams[1000];
    const i32 n = Manager_Ist_Dran(teams, 0, 0);
    partner = Bank_Screen_Naechster_Partner(partner, Team_Aktiv, teams, n);
    if (partner == 0) zins = Bank_Screen_Bankzins(laufzeit);
    merken();
    Blt_Cache_Leeren();
}

void Bank_Screen_Wert_Klick(Screen_Icon* icon, u32 ereignis) {
    aktuell();
    if (!(ereignis & MENUE_E_LINKS) || !icon || !Screen_Drossel_Frei(&wert_drossel, DROSSEL_MS)) return;
    const i32 schritte = Stepper_Schritt(icon->x, Maus_Get_X());
    icon->grafik_gedrueckt = static_cast<u32>(Stepper_Grafik(schritte));
    if (icon->user[0] == WERT_BETRAG) {
        const i32 neu = static_cast<i32>(betrag) + schritte * static_cast<i32>(BANK_SCREEN_BETRAG_SCHRITT);
        betrag = static_cast<f32>(Tools_Clamp(neu, static_cast<i32>(BANK_KREDIT_MIN), BETRAG_MAX, -1));
    } else if (icon->user[0] == WERT_LAUFZEIT) {
        laufzeit = Tools_Clamp(laufzeit + schritte, BANK_LAUFZEIT_MIN, BANK_LAUFZEIT_MAX, -1);
        if (partner == 0) zins = Bank_Screen_Bankzins(laufzeit);
    } else if (icon->user[0] == WERT_ZINS) {
        zins = Tools_Clamp(zins + schritte, ZINS_MIN, ZINS_MAX, -1);
    }
    merken();
    Blt_Cache_Leeren();
}

void Bank_Screen_Kredit_Klick(Screen_Icon*, u32 ereignis) {
    aktuell();
    if (!(ereignis & MENUE_E_LINKS)) return;
    if (partner != 0 && Bank_Get_Anzahl_Kredite(Team_Aktiv) < BANK_SCREEN_MAX_KREDITE) {
        angebot_senden();
    } else if (!Bank_Kredit(-1, Team_Aktiv, betrag, laufzeit, 0, BANK_ZINS_DER_BANK, 0)) {
        // Nothing was booked: the manager is told so.
        Meldung_Manager_Printf(1, Team_Aktiv, "%s", text(T_ABGELEHNT));
    } else {
        // The credit is on the account: the manager sees what he now has.
        Meldung_Manager_Printf(1, Team_Aktiv, "%s", Menue_Kontostand_Danach(Team_Aktiv).c_str());
    }
    Blt_Cache_Leeren();
}

void Bank_Screen_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    aktuell();
    // 1. The selector and the rate stepper are live only where they can matter.
    const bool allein = Manager_Anzahl_Menschen() < 2;
    Kit_Grau(ICON_BANK_PARTNER, allein);
    Kit_Grau(ICON_BANK_ZINS, allein || partner == 0);
    if (allein || partner == 0) zins = Bank_Screen_Bankzins(laufzeit);

    Font* klein = Kit_Font(Kit_Schrift::TEXT);
    Font* gross = Kit_Font(Kit_Schrift::SCHMAL_GROSS);
    const u16 w = FARBE_WEISS;
    // 2. Labels.
    Kit_Printf_Glatt(ziel, gross, w, 198, 125, "%s", text(T_KOPF));
    for (i32 s = K_PARTNER; s <= K_BETRAG; ++s)
        Kit_Printf_Stelle(ziel, klein, w, 0, 126, Kit_Schein::GLATT, Kit_Spalte_Stelle(KREDITE[s], true), "%s",
                          text(1 + s));
    Kit_Printf_Stelle(ziel, gross, w, 0, 218, Kit_Schein::GLATT, SUMME_LABEL, "%s", text(T_SUMME));
    const i32 label_y[4] = {273, 337, 403, 468};
    for (i32 i = 0; i < 4; ++i) Kit_Printf_Glatt(ziel, klein, w, 100, label_y[i], "%s", text(T_PARTNER + i));

    // 3. The credits, 4. their sum.
    int cursor = 0;
    i32 k = 0;
    i64 summe = 0;
    while (const Bank_Kredit_Eintrag* e = Bank_Get_Naechster_Kredit(Team_Aktiv, &cursor)) {
        const i32 y = 145 + 17 * k++;
        const bool schuld = e->anlage == 0;
        const i32 wert = static_cast<i32>(schuld ? -e->betrag_zins : e->betrag_zins);
        const u16 f = schuld ? FARBE_SCHULD : FARBE_GUTHABEN;
        const char* name = e->partner < 0 ? bankname() : Team_String(0, e->partner, nullptr, 0);
        Kit_Tabelle_Zelle_Printf(ziel, klein, f, 0, y, Kit_Schein::GLATT, KREDITE[K_PARTNER], "%s", name);
        const i32 rest = Bank_Kredit_Restmonate(*e);
        Kit_Printf_Stelle(ziel, klein, f, RESTMONATE_X, y, Kit_Schein::GLATT, RESTMONATE, "%d", rest);
        Kit_Tabelle_Zelle_Printf(ziel, klein, f, 0, y, Kit_Schein::GLATT, KREDITE[K_LAUFZEIT], "%s", monate(rest));
        Kit_Tabelle_Zelle_Printf(ziel, klein, f, 0, y, Kit_Schein::GLATT, KREDITE[K_BETRAG], "%s",
                                 Bank_Geld_String(std::fabs(static_cast<f64>(wert)), Team_Aktiv, -1, 0));
        summe += wert;
    }
    if (k > 0)
        Kit_Tabelle_Zelle_Printf(ziel, gross, summe < 0 ? FARBE_SCHULD : FARBE_GUTHABEN, 0, 218, Kit_Schein::GLATT,
                                 KREDITE[K_BETRAG], "%s",
                                 Bank_Geld_String(std::fabs(static_cast<f64>(summe)), Team_Aktiv, -1, 0));

    // 5. The lender.
    if (partner == 0) {
        Kit_Printf_Stelle(ziel, gross, w, 0, 300, Kit_Schein::GLATT, ANGEBOT_WERT, "%s", bankname());
        Kit_Bild_Zeichnen(ziel, GRAFIK_BANK_BILD, 572, 266);
    } else {
        Kit_Printf_Stelle(ziel, gross, w, 0, 300, Kit_Schein::GLATT, ANGEBOT_WERT, "%s", manager_name(partner));
        Wappen_Blit(partner, ziel, 639, 308, 0, 0, nullptr);
        Kit_Printf_Stelle(ziel, gross, w, 0, 290, Kit_Schein::GLATT, PARTNER_VEREIN, "%s",
                          Team_String(721, partner, nullptr, 0));
    }
    // 6. Amount, term and rate.
    Kit_Printf_Stelle(ziel, gross, w, 0, 365, Kit_Schein::GLATT, ANGEBOT_WERT, "%s",
                      Bank_Geld_String(betrag, Team_Aktiv, -1, 0));
    Kit_Printf_Stelle(ziel, gross, w, 0, 430, Kit_Schein::GLATT, ANGEBOT_WERT, "%d %s", laufzeit, monate(laufzeit));
    Kit_Printf_Stelle(ziel, gross, allein || partner == 0 ? FARBE_HELL : w, 0, 495, Kit_Schein::GLATT, ANGEBOT_WERT,
                      "%d%%", zins);
}

const char* Bank_Screen_Hilfe_Partner(Screen_Icon*) { return bexot(5); }
const char* Bank_Screen_Hilfe_Betrag(Screen_Icon*) { return bexot(6); }
const char* Bank_Screen_Hilfe_Laufzeit(Screen_Icon*) { return bexot(7); }
const char* Bank_Screen_Hilfe_Zins(Screen_Icon*) { return nullptr; }
const char* Bank_Screen_Hilfe_Kredit(Screen_Icon*) { return bexot(9); }

// The frame's help: the list's column heads, the sum, the rate's row.
const char* Bank_Screen_Hilfe(Screen_Icon* icon) {
    if (!icon) return nullptr;
    const i32 x = Maus_Get_X(), y = Maus_Get_Y();
    if (y >= 111 && y <= 129) {
        if (x >= 196 && x <= 309) return bexot(0);
        if (x >= 326 && x <= 391) return bexot(1);
        if (x >= 431 && x <= 509) return bexot(2);
        if (x >= 531 && x <= 659) return bexot(3);
    } else if (y >= 201 && y <= 224 && x >= 436 && x <= 659) {
        return bexot(4);
    } else if (y >= 456 && y <= 504 && x >= 91 && x <= 374) {
        return bexot(8);
    }
    return nullptr;
}

#include "screens/club/finanzen.h"

#include <cstdio>

#include "grafik_nummern.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "season/kalender.h"
#include "world/bank.h"
#include "world/finanz_zahlen.h"
#include "world/welt.h"

namespace {

// Texts of the screen's section.
enum : i32 { T_TITEL = 0, T_PFEIL = 1, T_EINNAHMEN = 4, T_AUSGABEN = 5, T_SUMME = 6, T_BILANZ = 7, T_ZUSCHAUER = 26 };
constexpr u16 FARBE_SPIEL = FARBE_KOPF;

const char* texte[FINANZ_ZEILEN] = {};
const char* pfeil_hilfe = nullptr;
i32 periode = 0;
i32 abgeholt_tag = -1;
i32 abgeholt_team = -1;
Finanz_Zahlen zahlen;

// The older and newer period buttons.
// A button's user word 0: 1 for the older period.
constexpr Kit_Bildknopf_Def PERIODE{.y = 466, .w = 30, .h = 30, .ebene = 19};

constexpr auto TABELLE = Icon_Tabelle_Bauen<Icon_Besitzer::FINANZEN>({
    {.nummer = ICON_FINANZ_RAHMEN,
     .grafik = GRAFIK_FINANZ_RAHMEN,
     .x = 63,
     .y = 86,
     .status = MENUE_S_TRANSPARENT,
     .zeichnen = Finanz_Screen_Zeichnen,
     .ebene = 0,
     .w = 690,
     .h = 444},
    Kit_Bildknopf(PERIODE, {.nummer = ICON_FINANZ_AELTER,
                            .grafik = GRAFIK_FINANZ_AELTER,
                            .gedrueckt = GRAFIK_FINANZ_AELTER_GEDRUECKT,
                            .x = 81,
                            .klick = Finanz_Screen_Jahr_Klick,
                            .wort = {1, 0}}),
    Kit_Bildknopf(PERIODE, {.nummer = ICON_FINANZ_NEUER,
                            .grafik = GRAFIK_FINANZ_NEUER,
                            .gedrueckt = GRAFIK_FINANZ_NEUER_GEDRUECKT,
                            .x = 113,
                            .klick = Finanz_Screen_Jahr_Klick}),
});

const char* text(i32 n) { return Text_cfg_Text(TEXT_FINANZ, n); }

// The bookings' columns: the sums' labels, the items (indented under
// them), the amount and its share of its group.
constexpr Kit_Spalte BUCHUNGEN[] = {
    {.x = 213},
    {.x = 228},
    {.x = 564, .ausrichtung = Kit_Ausrichtung::RECHTS},
    {.x = 735, .ausrichtung = Kit_Ausrichtung::RECHTS},
};
enum Buchung_Spalte { B_SUMME, B_POSTEN, B_BETRAG, B_ANTEIL };
// The last home match: the clubs about the dash, the score about its colon
// (a little closer), the spectators under it.
constexpr Kit_Spalte PAARUNG[] = {
    {.x = 324, .ausrichtung = Kit_Ausrichtung::RECHTS},
    {.x = 334, .ausrichtung = Kit_Ausrichtung::MITTE},
    {.x = 348},
};
constexpr Kit_Spalte ERGEBNIS[] = {
    {.x = 328, .ausrichtung = Kit_Ausrichtung::RECHTS},
    {.x = 334, .ausrichtung = Kit_Ausrichtung::MITTE},
    {.x = 344},
};
constexpr Kit_Stelle ZUSCHAUER{Kit_Ausrichtung::MITTE, 344};
const char* geld(i64 betrag) { return Bank_Geld_String(static_cast<f64>(betrag), Team_Aktiv, -1, 0); }
bool hat_buchung(i32 p) { return Bank_Hat_Buchung_In_Periode(Team_Aktiv, -p); }
i32 summe(i32 p, i32 kategorie) { return static_cast<i32>(Bank_Summe_Buchungen(Team_Aktiv, -p, kategorie, 0)); }

// The period the screen opens on, and its figures.
void erste_periode() {
    periode = hat_buchung(-1) ? -1 : 0;
    Finanz_Screen_Daten_Holen(periode);
    abgeholt_tag = Kalender_Get_Tag();
    abgeholt_team = Team_Aktiv;
}

}  // namespace

Screen_Def Finanz_Screen_Def() {
    return {.name = "Finanzen", .icons = Icon_Besitzer::FINANZEN, .rahmen = ICON_FINANZ_RAHMEN,
            .arbeitsflaeche = true, .oeffnen = Finanz_Screen_Init};
}

i32 Finanz_Screen_Periode() { return periode; }
const Finanz_Zahlen& Finanz_Screen_Zahlen() { return zahlen; }

i32 Finanz_Anteil(i32 betrag, i32 summe) {
    const f64 teiler = summe == 0 ? 1.0 : static_cast<f64>(summe);
    return static_cast<i32>(static_cast<f64>(betrag) / teiler * 100.0 + 0.5);
}

void Finanz_Screen_Init() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_FINANZ_RAHMEN)) return;
    Menue_Screen_Icons_Loeschen_Bereich(4, 0, 0, ARBEITSFLAECHE_X1, ARBEITSFLAECHE_Y1);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(TABELLE.daten());
    Finanz_Screen_Texte_Setzen();
    erste_periode();
}

void Finanz_Screen_Texte_Setzen() {
    for (i32 i = 0; i < FINANZ_ZEILEN; ++i) {
        texte[i] = FINANZ_ZEILE[i].text;
        Text_cfg_Aufloesen(&texte[i], TEXT_FINANZ);
    }
    pfeil_hilfe = text(T_PFEIL);
    for (i16 n : {ICON_FINANZ_AELTER, ICON_FINANZ_NEUER})
        if (Screen_Icon* i = Kit_Icon(n)) i->hilfe = pfeil_hilfe;
}

void Finanz_Screen_Daten_Holen(i32 p) {
    Finanz_Screen_Texte_Setzen();
    zahlen = {};
    const Finanz_Summen f = Finanz_Summen_Holen(Team_Aktiv, -p);
    for (i32 i = 0; i < FINANZ_ZEILEN; ++i) {
        zahlen.kategorie[i] = f.kategorie[i];
        zahlen.betrag[i] = static_cast<i32>(f.betrag[i]);
    }
    zahlen.einnahmen = static_cast<i32>(f.einnahmen);
    zahlen.ausgaben = static_cast<i32>(f.ausgaben);
    const i32 heim = summe(p, BANK_SPIEL_HEIM);
    if (heim != 0) {
        zahlen.team1 = heim;
        zahlen.team2 = summe(p, BANK_SPIEL_GAST);
        zahlen.tore1 = summe(p, BANK_SPIEL_TORE_HEIM);
        zahlen.tore2 = summe(p, BANK_SPIEL_TORE_GAST);
        zahlen.zuschauer = summe(p, BANK_SPIEL_ZUSCHAUER);
    } else {
        // No match in the period: the active team and the team the screens
        // look at, in the order of the coming match.
        const i32 gegner = Team_Ansicht != Team_Aktiv ? Team_Ansicht : -1;
        zahlen.team1 = Team_Auswaerts == 1 && gegner >= 0 ? gegner : Team_Aktiv;
        zahlen.team2 = Team_Auswaerts == 1 && gegner >= 0 ? Team_Aktiv : gegner;
        zahlen.tore1 = -1;
    }
}

void Finanz_Screen_Jahr_Klick(Screen_Icon* icon, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || !icon) return;
    if (icon->user[0] == 1) {
        --periode;
        if (!hat_buchung(periode)) periode = 0;
    } else {
        ++periode;
        if (periode > 0) {
            // Round to the oldest period of the unbroken run before the current one.
            periode = 0;
            while (hat_buchung(periode - 1) && periode - 1 > -BANK_BUCHUNGEN) --periode;
        }
    }
    Blt_Cache_Leeren();
    Finanz_Screen_Daten_Holen(periode);
}

void Finanz_Screen_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    // Another manager at the machine: his club's figures.
    if (abgeholt_team != Team_Aktiv) erste_periode();
    if (Kalender_Get_Tag() != abgeholt_tag) {
        Finanz_Screen_Daten_Holen(periode);
        abgeholt_tag = Kalender_Get_Tag();
    }
    const u16 w = FARBE_WEISS;
    Font* gross = Kit_Font(Kit_Schrift::SCHMAL_GROSS);
    Font* klein = Kit_Font(Kit_Schrift::TEXT);
    Kit_Printf_Glatt(ziel, gross, w, 213, 108, "%s", text(T_TITEL));
    Kit_Printf_Glatt(ziel, gross, w, 213, 131, "%s", text(T_EINNAHMEN));
    Kit_Printf_Glatt(ziel, gross, w, 213, 245, "%s", text(T_AUSGABEN));
    for (i32 i = 0; i < FINANZ_ZEILEN; ++i) {
        const i32 y = i < FINANZ_EINNAHMEN ? 151 + 17 * i : 265 + 17 * (i - FINANZ_EINNAHMEN);
        const i32 gruppe = i < FINANZ_EINNAHMEN ? zahlen.einnahmen : zahlen.ausgaben;
        Kit_Tabelle_Zeile_Printf(ziel, klein, w, 0, y, Kit_Schein::GLATT, std::span(BUCHUNGEN).subspan(B_POSTEN),
                                 "\t%s^fb0007\t%s^fe", texte[i] ? texte[i] : "", geld(zahlen.betrag[i]));
        Kit_Tabelle_Zeile_Printf(ziel, klein, w, 0, y, Kit_Schein::GLATT, std::span(BUCHUNGEN).subspan(B_ANTEIL),
                                 "^fb0007\t%d^fe %%", Finanz_Anteil(zahlen.betrag[i], gruppe));
    }
    Kit_Tabelle_Zeile_Printf(ziel, gross, w, 0, 222, Kit_Schein::GLATT, BUCHUNGEN, "\t%s^fb0009\v\t%s\t%d^fe %%",
                             text(T_SUMME), geld(zahlen.einnahmen), 100);
    Kit_Tabelle_Zeile_Printf(ziel, gross, w, 0, 388, Kit_Schein::GLATT, BUCHUNGEN, "\t%s^fb0009\v\t%s\t%d^fe %%",
                             text(T_SUMME), geld(zahlen.ausgaben), 100);
    const i64 bilanz = static_cast<i64>(zahlen.einnahmen) - zahlen.ausgaben;
    Kit_Bild_Zeichnen(ziel, bilanz < 0 ? GRAFIK_FINANZ_MINUS : GRAFIK_FINANZ_PLUS, 422, 398);
    Kit_Tabelle_Zeile_Printf(ziel, gross, bilanz < 0 ? FARBE_FEHLER : w, 0, 417, Kit_Schein::GLATT, BUCHUNGEN,
                             "\t%s^fb0009\v\t%s^fe", text(T_BILANZ), geld(bilanz));
    // The period shown, above its arrows: its month (one booking period a month).
    Kit_Printf_Glatt(ziel, gross, FARBE_HELL, 81, 458, "%s", Kalender_Periode_Text(periode));
    if (zahlen.team1 >= 0 && zahlen.team2 >= 0)
        Kit_Tabelle_Zeile_Printf(ziel, gross, w, 0, 475, Kit_Schein::GLATT, PAARUNG, "\t%s\t-\t%s",
                                 Team_String(721, zahlen.team1, nullptr, 0),
                                 Team_String(721, zahlen.team2, nullptr, 0));
    Font* spiel = Kit_Font(Kit_Schrift::MITTEL);
    if (zahlen.tore1 < 0) {
        Kit_Tabelle_Zelle_Printf(ziel, spiel, FARBE_SPIEL, 0, 508, Kit_Schein::GLATT, ERGEBNIS[1], "%s", "( - : - )");
    } else {
        Kit_Tabelle_Zeile_Printf(ziel, spiel, FARBE_SPIEL, 0, 495, Kit_Schein::GLATT, ERGEBNIS, "\t%d\t:\t%d",
                                 zahlen.tore1, zahlen.tore2);
        Kit_Printf_Stelle(ziel, spiel, FARBE_SPIEL, 0, 515, Kit_Schein::GLATT, ZUSCHAUER, "%s %s",
                          Bank_Zahl_String(nullptr, zahlen.zuschauer, 0), text(T_ZUSCHAUER));
    }
}

#include "screens/club/werbung_screen.h"

#include <algorithm>
#include <cstdio>

#include "base/meldung.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "world/bank.h"
#include "world/netz.h"
#include "world/welt.h"
#include "world/werbung.h"

namespace {

// Texts of the screen's section.
enum : i32 {
    T_HILFE_ANNEHMEN = 3,
    T_HILFE_SUCHEN = 4,
    T_HILFE_BANDEN = 5,
    T_SPALTEN_0 = 6,  // 6..10 the contract columns
    T_SUMME_BANDEN = 11,
    T_ERSATZ_1 = 12,
    T_ERSATZ_2 = 13,
    T_SUMME_ERSATZ = 14,
    T_EINNAHMEN = 15,
    T_ANGEBOT_0 = 16,  // 16..19 the offer's labels
    T_ALLE = 20,
    T_ZUSAMMEN = 21,
    T_SPIEL = 22,
    T_SPIELE = 23,
    T_PRO_SPIEL = 24,
    T_UEBRIG = 25,
    T_UEBRIG_MEHR = 26,
    T_ART_0 = 47,  // 47..50 the offer kinds
    T_TITEL_ANGEBOT = 51,
    T_TITEL_VERTRAEGE = 52,
    T_SUCHE_1 = 55,  // 55..57 the counter's steps
};
constexpr u16 FARBE_BETRAG = FARBE_HELL, FARBE_LABEL = FARBE_KOPF;

const char* text(i32 n) { return Text_cfg_Text(TEXT_WERBUNG, n); }

// The contracts' columns: the partner's logo (a picture under its head),
// partner, matches left, the standard board (a picture), the free
// matches of a replacement line (no head of its own) and the amount.
constexpr Kit_Spalte VERTRAEGE[] = {
    {.x = 327, .breite = 86, .kopf = Kit_Kopf::MITTE},
    {.x = 424, .breite = 128, .kopf = Kit_Kopf::MITTE},
    {.x = 588, .ausrichtung = Kit_Ausrichtung::MITTE},
    {.x = 628, .breite = 24, .kopf = Kit_Kopf::MITTE},
    {.x = 699, .ausrichtung = Kit_Ausrichtung::RECHTS, .kopf = Kit_Kopf::KEINER},
    {.x = 777, .ausrichtung = Kit_Ausrichtung::RECHTS},
};
enum Vertrag_Spalte { V_LOGO, V_PARTNER, V_SPIELE, V_BANDE, V_FREI, V_BETRAG };
constexpr Kit_Stelle VERTRAEGE_RAND{Kit_Ausrichtung::LINKS, 269};  // titles and sums of the contracts' panel
constexpr Kit_Stelle ERSATZ_LABEL{Kit_Ausrichtung::RECHTS, 660};   // left of the replacement lines
// The offer's panel: its title, the partner's name, the sum of all
// contracts, the labels at its left edge and the amounts at their right.
constexpr Kit_Stelle ANGEBOT_TITEL{Kit_Ausrichtung::MITTE, 116};
constexpr Kit_Stelle ANGEBOT_NAME{Kit_Ausrichtung::MITTE, 117};
constexpr Kit_Stelle ANGEBOT_SUMME{Kit_Ausrichtung::MITTE, 119};
constexpr Kit_Stelle ANGEBOT_LABEL{Kit_Ausrichtung::LINKS, 19};
constexpr Kit_Stelle ANGEBOT_BETRAG{Kit_Ausrichtung::RECHTS, 212};
const char* geld(i64 betrag) { return Bank_Geld_String(static_cast<f64>(betrag), Team_Aktiv, -1, 0); }

constexpr auto TABELLE = Icon_Tabelle_Bauen<Icon_Besitzer::WERBUNG>({
    {.nummer = ICON_WERBUNG_SEITE, .grafik = GRAFIK_WERBUNG_SEITE, .x = 3, .y = 86, .status = MENUE_S_TRANSPARENT,
     .zeichnen = Werbung_Screen_Zeichnen, .ebene = 0, .w = 794, .h = 474},
    {.nummer = ICON_WERBUNG_ANNEHMEN, .grafik = GRAFIK_WERBUNG_ANNEHMEN,
     .grafik_gedrueckt = GRAFIK_WERBUNG_ANNEHMEN_GEDRUECKT, .x = 61, .y = 405,
     .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD, .klick = Werbung_Annehmen_Klick, .ebene = 1, .w = 150, .h = 30,
     .hilfe_prozedur = [](Screen_Icon*) { return text(T_HILFE_ANNEHMEN); }},
    {.nummer = ICON_WERBUNG_SUCHEN, .grafik = GRAFIK_WERBUNG_SUCHEN, .grafik_gedrueckt = GRAFIK_WERBUNG_SUCHEN_GEDRUECKT,
     .x = 61, .y = 521, .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD, .klick = Werbung_Suchen_Klick, .ebene = 1,
     .w = 150, .h = 30, .hilfe_prozedur = Werbung_Suchen_Hilfe},
    {.nummer = ICON_WERBUNG_BANDEN, .grafik = GRAFIK_WERBUNG_BANDEN, .grafik_an = GRAFIK_WERBUNG_BANDEN_AN,
     .x = 442, .y = 520, .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD | MENUE_S_AN,
     .klick = Werbung_Banden_Klick, .ebene = 1, .w = 260, .h = 30,
     .hilfe_prozedur = [](Screen_Icon*) { return text(T_HILFE_BANDEN); }},
});

// The switch shows the record's flag; the search button is live while the
// search is open; the accept button while there is an offer.
void knoepfe() {
    const Werbung_Daten* w = Werbung_Get(Team_Aktiv);
    Kit_Grau(ICON_WERBUNG_SUCHEN, w && w->suche_zu);
    Kit_Grau(ICON_WERBUNG_ANNEHMEN, !w || w->angebot_betrag == 0);
    Menue_Icon_Zustand_Setzen(ICON_WERBUNG_BANDEN, w && w->banden_flag ? 1 : 0);
}

}  // namespace

// The search button's help names the fee the next search costs.
const char* Werbung_Suchen_Hilfe(Screen_Icon*) {
    static char puffer[256];
    std::snprintf(puffer, sizeof puffer, "%s %s", text(T_HILFE_SUCHEN), geld(Werbung_Suchgebuehr(Team_Aktiv)));
    return puffer;
}

namespace {

void logo(Rastport* ziel, bool gross, i32 sponsor, i32 x, i32 y, Blt_Optionen* opt) {
    const i32 g = Werbung_Logo_Grafik(gross, sponsor);
    if (g < 0) return;
    if (Rastport* b = Kit_Bild(static_cast<u32>(g))) Blt_Blit(b, 0, 0, -1, -1, ziel, x, y, opt);
}

void angebot_zeichnen(Rastport* ziel, const Werbung_Daten& w) {
    if (w.angebot_betrag == 0) return;
    Font* klein = Kit_Font(Kit_Schrift::TEXT);
    Font* gross = Kit_Font(Kit_Schrift::SCHMAL_GROSS);
    const i32 art = std::clamp<i32>(w.angebot_art, 0, 3);
    logo(ziel, true, w.angebot_sponsor, 67, 122, Blt_Opt_Transparent);
    Kit_Printf_Stelle(ziel, gross, FARBE_WEISS, 0, 173, Kit_Schein::GLATT, ANGEBOT_NAME, "%s",
                      Werbung_Sponsor_Name(w.angebot_sponsor));
    Kit_Printf_Stelle(ziel, klein, FARBE_LABEL, 0, 216, Kit_Schein::GLATT, ANGEBOT_LABEL, "%s", text(T_ART_0 + art));
    Kit_Printf_Stelle(ziel, klein, FARBE_LABEL, 0, 256, Kit_Schein::SCHLICHT, ANGEBOT_LABEL, "%d %s", w.angebot_dauer,
                      text(w.angebot_dauer == 1 ? T_SPIEL : T_SPIELE));
    if (art == 3) {
        for (i32 k = 0; k < 3; ++k)
            Kit_Printf_Stelle(ziel, klein, FARBE_LABEL, 0, 296 + 22 * k, Kit_Schein::SCHLICHT, ANGEBOT_BETRAG, "%s %s",
                              geld(w.angebot_betraege[k]), text(T_PRO_SPIEL));
    } else {
        Kit_Printf_Stelle(ziel, klein, FARBE_LABEL, 0, 296 + 22 * art, Kit_Schein::SCHLICHT, ANGEBOT_BETRAG, "%s %s",
                          geld(w.angebot_betrag), text(T_PRO_SPIEL));
        for (i32 k = 0; k < 3; ++k)
            if (k != art) Kit_Bild_Zeichnen(ziel, GRAFIK_WERBUNG_ANDERE_ART, 18, 285 + 22 * k);
    }
    const i32 rest = w.angebot_dauer - w.angebot_anzahl2;
    Kit_Printf_Stelle(ziel, klein, FARBE_LABEL, 0, 380, Kit_Schein::SCHLICHT, ANGEBOT_LABEL, "%d %s", rest,
                      text(rest == 1 ? T_UEBRIG : T_UEBRIG_MEHR));
}

}  // namespace

i32 Werbung_Logo_Grafik(bool gross, i32 sponsor) {
    // The first twenty partners' logos, then the four added after them.
    static_assert(GRAFIK_WERBUNG_LOGO_ANZAHL + GRAFIK_WERBUNG_LOGO_2_ANZAHL == WERBUNG_LOGOS &&
                  GRAFIK_WERBUNG_LOGO_GROSS_ANZAHL + GRAFIK_WERBUNG_LOGO_GROSS_2_ANZAHL == WERBUNG_LOGOS &&
                  WERBUNG_LOGOS == WERBUNG_SPONSOREN);
    if (sponsor < 0 || sponsor >= WERBUNG_LOGOS) return -1;
    const i32 vorne = gross ? GRAFIK_WERBUNG_LOGO_GROSS_ANZAHL : GRAFIK_WERBUNG_LOGO_ANZAHL;
    if (sponsor < vorne) return (gross ? GRAFIK_WERBUNG_LOGO_GROSS : GRAFIK_WERBUNG_LOGO) + sponsor;
    return (gross ? GRAFIK_WERBUNG_LOGO_GROSS_2 : GRAFIK_WERBUNG_LOGO_2) + sponsor - vorne;
}

Screen_Def Werbung_Screen_Def() {
    return {.name = "Werbung", .icons = Icon_Besitzer::WERBUNG, .rahmen = ICON_WERBUNG_SEITE, .arbeitsflaeche = true,
            .oeffnen = Werbung_Screen_Init};
}

void Werbung_Screen_Init() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_WERBUNG_SEITE)) return;
    Menue_Screen_Icons_Loeschen_Bereich(4, 0, 0, ARBEITSFLAECHE_X1, ARBEITSFLAECHE_Y1);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(TABELLE.daten());
    Werbung_Internet_Client_Get(Team_Aktiv);  // a network client reads the server's record
    knoepfe();
}

void Werbung_Annehmen_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    Werbung_Angebot_Annehmen(Team_Aktiv);
    knoepfe();
    Blt_Cache_Leeren();
}

void Werbung_Suchen_Klick(Screen_Icon* icon, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || (icon && (icon->status & MENUE_S_GRAU))) return;
    // The fee is paid first: a refused booking draws no offer and moves no counter.
    if (Werbung_Neues_Angebot(Team_Aktiv, 1)) {
        const i32 stufe = Werbung_Zaehler_Weiter(Team_Aktiv);
        if (stufe >= 1 && stufe <= 3) Meldung_Manager_Printf(1, Team_Aktiv, "%s", text(T_SUCHE_1 + stufe - 1));
    }
    Bank_Internet_Client_Get_Bankdaten(Team_Aktiv);
    knoepfe();
    Blt_Cache_Leeren();
}

void Werbung_Banden_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    if (const Werbung_Daten* w = Werbung_Get(Team_Aktiv)) Werbung_Banden_Automatik(Team_Aktiv, !w->banden_flag);
    knoepfe();
    Blt_Cache_Leeren();
}

void Werbung_Screen_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    Font* klein = Kit_Font(Kit_Schrift::TEXT);
    Font* gross = Kit_Font(Kit_Schrift::SCHMAL_GROSS);
    // 1. Fixed texts.
    Kit_Printf_Stelle(ziel, gross, FARBE_WEISS, 0, 108, Kit_Schein::SCHLICHT, ANGEBOT_TITEL, "%s",
                      text(T_TITEL_ANGEBOT));
    Kit_Printf_Stelle(ziel, gross, FARBE_WEISS, 0, 108, Kit_Schein::SCHLICHT, VERTRAEGE_RAND, "%s",
                      text(T_TITEL_VERTRAEGE));
    Kit_Tabelle_Kopf_Printf(ziel, klein, FARBE_KOPF, 0, 132, Kit_Schein::SCHLICHT, VERTRAEGE, "\t%s\t%s\t%s\t%s\t%s",
                            text(T_SPALTEN_0), text(T_SPALTEN_0 + 1), text(T_SPALTEN_0 + 2), text(T_SPALTEN_0 + 3),
                            text(T_SPALTEN_0 + 4));
    Kit_Printf_Stelle(ziel, klein, FARBE_BETRAG, 0, 387, Kit_Schein::SCHLICHT, VERTRAEGE_RAND, "%s",
                      text(T_SUMME_BANDEN));
    Kit_Printf_Stelle(ziel, klein, FARBE_BETRAG, 0, 466, Kit_Schein::SCHLICHT, VERTRAEGE_RAND, "%s",
                      text(T_SUMME_ERSATZ));
    // The replacement lines' labels stand left of them, clear of the main sponsor's row.
    Kit_Printf_Stelle(ziel, klein, FARBE_GRAU, 0, 410, Kit_Schein::GLATT, ERSATZ_LABEL, "%s", text(T_ERSATZ_1));
    Kit_Printf_Stelle(ziel, klein, FARBE_GRAU, 0, 448, Kit_Schein::GLATT, ERSATZ_LABEL, "%s", text(T_ERSATZ_2));
    Kit_Printf_Stelle(ziel, gross, FARBE_BETRAG, 0, 498, Kit_Schein::GLATT, VERTRAEGE_RAND, "%s", text(T_EINNAHMEN));
    constexpr i32 LABEL_Y[4] = {199, 239, 279, 363};
    for (i32 i = 0; i < 4; ++i)
        Kit_Printf_Stelle(ziel, klein, FARBE_HELL, 0, LABEL_Y[i], Kit_Schein::GLATT, ANGEBOT_LABEL, "%s",
                          text(T_ANGEBOT_0 + i));
    const Werbung_Daten* w = Werbung_Get(Team_Aktiv);
    // Every figure of the page comes from what a match pays.
    const Werbung_Summen s = Werbung_Einnahmen(Team_Aktiv);
    Kit_Printf_Stelle(ziel, gross, FARBE_BETRAG, 0, 476, Kit_Schein::GLATT, ANGEBOT_SUMME, "%s", text(T_ALLE));
    Kit_Printf_Stelle(ziel, gross, FARBE_BETRAG, 0, 496, Kit_Schein::GLATT, ANGEBOT_SUMME, "%s %s", text(T_ZUSAMMEN),
                      geld(s.summe));
    if (!w) return;
    // 2. The contracts.
    for (i32 i = 0; i <= WERBUNG_HAUPTSPONSOR; ++i) {
        const Werbung_Slot& slot = w->slot[i];
        const i32 y = WERBUNG_ZEILE_Y[i];
        if (i < WERBUNG_HAUPTSPONSOR) {
            if (slot.betrag == 0) continue;
            if (i % 2) Blt_Rechteck_Alpha(ziel, 272, y - 19, 512, 28, FARBE_ZEILE_HELL, 40);
            // Partner, matches left and amount: one line.
            Kit_Tabelle_Zeile_Printf(ziel, gross, FARBE_WEISS, 0, y + 2, Kit_Schein::GLATT,
                                     std::span(VERTRAEGE).subspan(V_PARTNER), "\t%s\t%d^c%05d\v\v\t%s",
                                     Werbung_Sponsor_Name(slot.sponsor), slot.anzahl, FARBE_BETRAG, geld(slot.betrag));
        } else {
            if (w->ersatz[0] == 0) continue;
            for (i32 k = 0; k < 3; ++k)
                Kit_Tabelle_Zeile_Printf(ziel, klein, FARBE_BETRAG, 0, 410 + 19 * k, Kit_Schein::GLATT,
                                         std::span(VERTRAEGE).subspan(V_FREI), "\t%dx\t%s", s.frei[k],
                                         geld(w->ersatz[k]));
            Kit_Tabelle_Zeile_Printf(ziel, gross, FARBE_WEISS, 0, y + 2, Kit_Schein::GLATT,
                                     std::span(VERTRAEGE).subspan(V_PARTNER), "\t%s\t%d",
                                     Werbung_Sponsor_Name(slot.sponsor), slot.anzahl);
            // His own contract, under his name (the amount column holds the replacement lines).
            if (s.hauptsponsor > 0)
                Kit_Tabelle_Zelle_Printf(ziel, klein, FARBE_BETRAG, 0, y + 18, Kit_Schein::GLATT, VERTRAEGE[V_PARTNER],
                                         "%s", geld(s.hauptsponsor));
        }
        logo(ziel, false, slot.sponsor, Kit_Spalte_X(VERTRAEGE[V_LOGO]), y - 17, Blt_Opt_Standard);
        if (slot.wert2 == 0)
            Kit_Bild_Zeichnen(ziel, GRAFIK_WERBUNG_STANDARDBANDE, Kit_Spalte_X(VERTRAEGE[V_BANDE]), y - 12);
    }
    // 3. Totals.
    Kit_Tabelle_Zelle_Printf(ziel, klein, FARBE_BETRAG, 0, 387, Kit_Schein::GLATT, VERTRAEGE[V_BETRAG], "%s",
                             geld(s.banden));
    Kit_Tabelle_Zelle_Printf(ziel, klein, FARBE_BETRAG, 0, 466, Kit_Schein::GLATT, VERTRAEGE[V_BETRAG], "%s",
                             geld(s.ersatz));
    Kit_Tabelle_Zelle_Printf(ziel, gross, FARBE_GEWAEHLT, 0, 498, Kit_Schein::GLATT, VERTRAEGE[V_BETRAG], "%s",
                             geld(s.summe));
    // 4. The offer.
    angebot_zeichnen(ziel, *w);
}

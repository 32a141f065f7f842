#include "screens/training/talente.h"

#include <algorithm>
#include <cstdio>

#include "base/random.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "gui/umbruch.h"
#include "platform/input.h"
#include "screens/teile/attribut_legende.h"
#include "screens/teile/drossel.h"
#include "screens/teile/namen.h"
#include "screens/teile/schritt.h"
#include "screens/teile/spielerzeile.h"
#include "screens/teile/sterne.h"
#include "screens/training/ablauf.h"
#include "screens/training/film.h"
#include "screens/training/plan.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/modi.h"
#include "world/welt.h"

namespace {

constexpr u32 VERLETZT = 0x40;
constexpr i32 BADGE[4] = {3, 1, 0, 2};
constexpr u16 FARBE_HINWEIS = FARBE_KOPF, FARBE_VORAUS = FARBE_MARKE, FARBE_WIRKUNG = FARBE_KLASSE_1;
constexpr i32 STATUS_VERLETZT = 24013, STATUS_ROT = 24010, STATUS_GELBROT = 24011, STATUS_GELB = 24012;
// The header's right part, laid from the right leftwards up to the
// screen's emblem: the attribute in training with its caption, the
// weaknesses a badge's width and a little apart, the matches.
constexpr i32 KOPF_MARKE_Y = 15, KOPF_RECHTS = 748, KOPF_SCHWAECHEN_DX = 28, KOPF_LUECKE = 8, KOPF_SPIELE_RECHTS = 590;

// Texts of the talents section.
enum : i32 { T_AB = 2, T_BIS = 3, T_NOETIG = 4, T_TITEL = 5, T_SPIELE = 6, T_KOSTEN = 15, T_VORAUS = 16,
             T_WIRKUNG = 17, T_BENOETIGT = 18, T_KANN = 19, T_KANN_NICHT = 20 };
constexpr i32 E1_IM_TRAINING = 32;
constexpr i32 H_BLAETTERN = 15;  // ZUSATZTEXTE_DOLV

i32 spieler = -1;
i32 modus = TALENTE_EINZELN;
Screen_Drossel blaettern_drossel;

const char* text(i32 n) { return Text_cfg_Text(TEXT_SPIELER_TALENTE, n); }
i32 wert(int m, i32 p) { return Spieler_Wert(m, p, 0, OP_LESEN); }
bool torwart(i32 p) { return wert(SPIELER_WERT_POSITION, p) == 0; }

struct Kopf_Lage {
    i32 training = -1;  // the attribute in training shown, or -1
    i32 training_x = 0, text_rechts = 0;
    i32 schwaechen[3] = {-1, -1, -1};
    i32 schwaechen_n = 0, schwaechen_x = 0;
    i32 spiele_rechts = KOPF_SPIELE_RECHTS;
};
Kopf_Lage kopf_lage(i32 p) {
    Kopf_Lage l;
    i32 rechts = KOPF_RECHTS;
    const i32 t = modus == TALENTE_EIGENES_TEAM ? Attribute_Get_Attribut_In_Ausbildung(p) : -1;
    const Rastport* b = t >= 0 ? Kit_Bild(static_cast<u32>(GRAFIK_ATTRIBUT + t)) : nullptr;
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    if (t >= 0) {
        l.training = t;
        l.training_x = rechts - (b ? b->breite : 0);
        l.text_rechts = l.training_x - 4;
        rechts = l.text_rechts - (f ? Font_Text_Breite(f, Text_cfg_Text(TEXT_EINSETZEN_1, E1_IM_TRAINING)) : 0) -
                 KOPF_LUECKE;
    }
    l.schwaechen_n = std::clamp(Attribute_Get_Attribute(p, l.schwaechen, 3, 2), 0, 3);
    if (l.schwaechen_n > 0) {
        l.schwaechen_x = rechts - KOPF_SCHWAECHEN_DX * l.schwaechen_n;
        rechts = l.schwaechen_x - KOPF_LUECKE;
    }
    l.spiele_rechts = std::min(rechts, KOPF_SPIELE_RECHTS);
    return l;
}

constexpr auto RAHMEN = Icon_Tabelle_Bauen<Icon_Besitzer::TALENTE>({
    {.nummer = ICON_TALENTE_RAHMEN,
     .grafik = GRAFIK_TALENTE_FELD,
     .x = 0,
     .y = 0,
     .ebene = 15,
     .w = 800,
     .h = 600,
     .hilfe_prozedur = Spieler_Talente_Kopf_Hilfe},
    {.nummer = ICON_TALENTE_PANEL,
     .grafik = GRAFIK_TALENTE_PANEL,
     .flags = MENUE_F_NICHT_ABFRAGEN,
     .x = 114,
     .y = 460,
     .status = MENUE_S_TRANSPARENT,
     .zeichnen = Spieler_Talente_Info_Zeichnen,
     .ebene = 16,
     .w = 686,
     .h = 140},
    {.nummer = ICON_TALENTE_ZU,
     .grafik = GRAFIK_TALENTE_ZU,
     .grafik_gedrueckt = GRAFIK_TALENTE_ZU_GEDRUECKT,
     .flags = MENUE_F_PIXELTEST | MENUE_F_BEIDE_TASTEN,
     .x = 726,
     .y = 533,
     .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
     .klick = Spieler_Talente_Zu_Klick,
     .ebene = 17,
     .w = 70,
     .h = 60},
    {.nummer = ICON_TALENTE_ZURUECK,
     .grafik = GRAFIK_TALENTE_ZURUECK,
     .grafik_gedrueckt = GRAFIK_TALENTE_ZURUECK_GEDRUECKT,
     .x = 692,
     .y = 533,
     .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
     .klick = Spieler_Talente_Blaettern,
     .ebene = 17,
     .w = 30,
     .h = 26},
    {.nummer = ICON_TALENTE_VOR,
     .grafik = GRAFIK_TALENTE_VOR,
     .grafik_gedrueckt = GRAFIK_TALENTE_VOR_GEDRUECKT,
     .x = 742,
     .y = 533,
     .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
     .klick = Spieler_Talente_Blaettern,
     .ebene = 17,
     .w = 30,
     .h = 26,
     .user = {1}},
});

// The attribute places, each with its attribute in user word 0: the top row
// 0..19, the middle row 20..34, the specials 35..38 (right to left) and 39
// below them; the goalkeeper's 47..52 over the field.
// What every attribute place shares: a small place for the rows, a big one
// for the specials and the goalkeeper's.
constexpr Screen_Icon PLATZ = {.grafik = GRAFIK_TALENTE_PLATZ,
                               .flags = MENUE_F_HOVER,
                               .status = MENUE_S_TRANSPARENT,
                               .klick = Spieler_Talente_Attribut,
                               .zeichnen = Spieler_Talente_Attribut_Zeichnen,
                               .ebene = 17,
                               .w = 36,
                               .h = 36,
                               .hilfe_prozedur = Spieler_Talente_Hilfe};
constexpr Screen_Icon PLATZ_GROSS = [] {
    Screen_Icon i = PLATZ;
    i.grafik = GRAFIK_TALENTE_PLATZ_GROSS, i.w = 48, i.h = 48;
    return i;
}();
constexpr auto OBEN = Kit_Zeilen<20>(Kit_Icon_Bei(PLATZ, ICON_TALENTE_ATTRIBUT, 3, 72), {.dx = 40});
constexpr auto MITTE = Kit_Zeilen<15>(Kit_Icon_Bei(PLATZ, ICON_TALENTE_ATTRIBUT + 20, 33, 272),
                                      {.dx = 50, .erster_index = 20});
constexpr auto SPEZIAL = Kit_Zeilen<4>(Kit_Icon_Bei(PLATZ_GROSS, ICON_TALENTE_SPEZIAL, 616, 386),
                                       {.dx = -120, .erster_index = 35});
constexpr auto LETZTES = Kit_Zeilen<1>(Kit_Icon_Bei(PLATZ_GROSS, ICON_TALENTE_SPEZIAL + 4, 32, 496),
                                       {.erster_index = 39});
constexpr auto TORWART = Kit_Zeilen<6>(Kit_Icon_Bei(PLATZ_GROSS, ICON_TALENTE_TORWART, 83, 230),
                                       {.dx = 120, .erster_index = 47});
constexpr auto ATTRIBUTE = Icon_Tabelle_Aus<Icon_Besitzer::TALENTE>(OBEN, MITTE, SPEZIAL, LETZTES, TORWART);

void zeigen(i16 nummer, bool an) {
    if (Screen_Icon* i = Kit_Icon(nummer))
        i->status = an ? i->status & ~MENUE_S_VERSTECKT : i->status | MENUE_S_VERSTECKT;
}

// Outfield or goalkeeper places by the shown player; the frame follows.
void baum_einrichten() {
    const bool tw = spieler >= 0 && torwart(spieler);
    for (i32 a = 0; a < 40; ++a)
        zeigen(static_cast<i16>(a < 35 ? ICON_TALENTE_ATTRIBUT + a : ICON_TALENTE_SPEZIAL + a - 35), !tw);
    for (i32 j = 0; j < 6; ++j) zeigen(static_cast<i16>(ICON_TALENTE_TORWART + j), tw);
    if (Screen_Icon* r = Kit_Icon(ICON_TALENTE_RAHMEN)) r->grafik = tw ? GRAFIK_TALENTE_TOR : GRAFIK_TALENTE_FELD;
}

void wechsel_bestaetigt(i32 anzahl, const i32* liste) {
    if (anzahl < 3) return;
    Spieler_Wert(liste[0], liste[2], 0, OP_SCHREIBEN);
    Spieler_Wert(SPIELER_WERT_GELD, liste[2], 0, OP_SCHREIBEN);
    Screen_Oeffnen_Fuer(Screen_Id::TRAININGSFILM, {.spieler = liste[2], .team = Team_Aktiv, .attribut = liste[1]});
}

// The transfer window's players by position class (highest first), then
// the club's scout player.
i32 transfer_liste(i32* aus) {
    i32 n = 0;
    i32 fenster[11];
    const bool da = Team_Zeiger(726, Team_Aktiv, fenster, 32) != nullptr;
    u32 werte[12];
    i32 schluessel[12];
    if (da)
        for (i32 i = 0; i < 11; ++i)
            if (fenster[i] >= 0 && fenster[i] < Spieler_Anzahl) {
                werte[n] = static_cast<u32>(fenster[i]);
                schluessel[n++] = wert(SPIELER_WERT_POSITION, fenster[i]);
            }
    SortMisch_Sortiere(werte, schluessel, n, 1);
    for (i32 i = 0; i < n; ++i) aus[i] = static_cast<i32>(werte[i]);
    const i32 scout = Team_Wert(TEAM_WERT_SCOUT_SPIELER, Team_Aktiv, 0, OP_LESEN);
    if (scout >= 0 && scout < Spieler_Anzahl) aus[n++] = scout;
    return n;
}

// The player of a team at a line-up slot, -1 when none holds it.
i32 nach_slot(i32 team, i32 slot) {
    i32 kader[MAX_SPIELER_PRO_TEAM];
    const i32 n = Teamspieler_Ins_Array(team, kader, MAX_SPIELER_PRO_TEAM, 0);
    for (i32 i = 0; i < n; ++i)
        if (wert(SPIELER_WERT_SLOT, kader[i]) == slot) return kader[i];
    return -1;
}

void umbruch(Rastport* ziel, Kit_Schrift f, const char* s, i32 x0, i32 x1, i32 y0, i32 y1, u16 farbe) {
    if (Font* ft = Kit_Font(f)) Umbruch_Text_Ausgabe(ziel, ft, s, x0, x1, y0, y1, farbe, 0, -1);
}

// The right edge of the screen for the last badge's name; the player's name
// at its right edge left of his stars.
constexpr Kit_Stelle RECHTER_RAND{Kit_Ausrichtung::RECHTS, 797};
constexpr Kit_Stelle SPIELER_NAME{Kit_Ausrichtung::RECHTS, 410};

// The panel of the attribute under the mouse.
void attribut_panel(Rastport* ziel, i32 a, const Screen_Icon* icon) {
    const Attribut_Def& d = Attribut_Tabelle[a];
    Font* klein = Kit_Font(Kit_Schrift::TEXT);
    Font* mittel = Kit_Font(Kit_Schrift::SCHMAL_GROSS);
    if (!klein || !mittel) return;
    // The name under its badge (above the top row stands the row's heading);
    // the row's outer two held inside the screen.
    const i32 mitte = icon->x + (a < 35 ? 18 : 24);
    const i32 unter = icon->y + (a < 35 ? 36 : 48) + 12;
    if (icon->y <= 72 && a == 0) Kit_Printf_Glatt(ziel, klein, FARBE_GOLD, 3, unter, "%s", d.name);
    else if (icon->y <= 72 && a == 19)
        Kit_Printf_Stelle(ziel, klein, FARBE_GOLD, 0, unter, Kit_Schein::GLATT, RECHTER_RAND, "%s", d.name);
    else
        Kit_Printf_Stelle(ziel, klein, FARBE_GOLD, 0, unter, Kit_Schein::GLATT, {Kit_Ausrichtung::MITTE, mitte}, "%s",
                          d.name);
    if (!torwart(spieler) && a < 40)
        Kit_Bild_Zeichnen(ziel, static_cast<u32>(GRAFIK_TALENTE_GLANZ + a), icon->x - 4, icon->y - 4);
    umbruch(ziel, Kit_Schrift::SCHMAL_GROSS, d.name, 124, 236, 464, 500, FARBE_WEISS);
    umbruch(ziel, Kit_Schrift::TEXT, d.info1, 269, 785, 465, 500, 1);
    umbruch(ziel, Kit_Schrift::TEXT, d.info1, 268, 784, 464, 500, FARBE_HINWEIS);
    Kit_Bild_Zeichnen(ziel, static_cast<u32>(GRAFIK_ATTRIBUT_GROSS + a), 145, 511);
    Kit_Printf_Glatt(ziel, klein, FARBE_WEISS, 268, 522, "%s %s", text(T_KOSTEN),
                     Bank_Geld_String(Global_Attribut_Training_Kosten(a, spieler), Team_Aktiv, -1, 0));
    Kit_Printf_Glatt(ziel, klein, FARBE_VORAUS, 268, 540, "^ub%s^ue", text(T_VORAUS));
    i32 y = 556;
    if (!torwart(spieler)) {
        Kit_Printf_Glatt(ziel, klein, FARBE_WEISS, 268, y, "%d%s%d%s", d.moeglich_wann[0], text(T_AB),
                         d.moeglich_wann[1], text(T_BIS));
        y += 14;
    }
    Kit_Printf_Glatt(ziel, klein, FARBE_WEISS, 268, y, "%d%s", Attribut_Noetig(a), text(T_NOETIG));
    y += 14;
    i32 v[3];
    const i32 n = Attribute_Get_Voraussetzungen(a, v);
    if (n > 0) {
        const i32 x = Kit_Printf_Glatt(ziel, klein, FARBE_HINWEIS, 268, y, "%s:  ", text(T_BENOETIGT));
        char liste[200] = "";
        for (i32 i = 0; i < n; ++i) {
            const size_t l = std::char_traits<char>::length(liste);
            std::snprintf(liste + l, sizeof liste - l, "%s%s", Attribut_Tabelle[v[i]].name, i + 1 < n ? ", " : ".");
            Kit_Bild_Zeichnen(ziel, static_cast<u32>(GRAFIK_ATTRIBUT + v[i]), 268 + std::max(x, 110) + 20 * i, y - 12);
        }
        Kit_Printf_Glatt(ziel, klein, FARBE_HINWEIS, 268, y + 14, "%s", liste);
    }
    Kit_Printf_Glatt(ziel, klein, FARBE_WIRKUNG, 520, 540, "%s", text(T_WIRKUNG));
    i32 yw = 556;
    for (i32 i = 0; i < 3; ++i)
        if (d.auswirkung[i] != 0) {
            Kit_Printf_Glatt(ziel, klein, i == 2 && a == 39 ? FARBE_HINWEIS : FARBE_WEISS, 520, yw, "%+d",
                             d.auswirkung[i]);
            yw += 14;
        }
}

}  // namespace

Screen_Def Spieler_Talente_Screen_Def() {
    return {.name = "Talente",
            .icons = Icon_Besitzer::TALENTE,
            .rahmen = ICON_TALENTE_RAHMEN,
            .schliessen = Spieler_Talente_Screen_Schliessen,
            .oeffnen_fuer = [](const Screen_Anlass& a) {
                const i32 m = a.modus >= 0 ? a.modus : a.team == Team_Aktiv ? TALENTE_EIGENES_TEAM : TALENTE_ANSICHT;
                Spieler_Talente_Screen_Init(a.spieler, m);
            }};
}

i32 Spieler_Talente_Spieler() { return spieler; }
i32 Spieler_Talente_Modus() { return modus; }

i32 Spieler_Talente_Attribut_Von(const Screen_Icon* icon) {
    return icon && icon->klick == Spieler_Talente_Attribut ? static_cast<i32>(icon->user[0]) : -1;
}

void Spieler_Talente_Screen_Init(i32 p, i32 m) {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_TALENTE_RAHMEN)) return;
    spieler = p >= 0 && p < Spieler_Anzahl ? p : -1;
    modus = std::clamp(m, 0, 3);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(RAHMEN.daten());
    const bool aus = modus == TALENTE_EINZELN;
    for (i16 n : {ICON_TALENTE_ZURUECK, ICON_TALENTE_VOR})
        if (Screen_Icon* i = Kit_Icon(n)) {
            i->hilfe = Text_cfg_Text(TEXT_ZUSATZ_DOLV, H_BLAETTERN);
            if (aus) {
                i->grafik = n == ICON_TALENTE_VOR ? GRAFIK_KARTE_VOR_AUS : GRAFIK_KARTE_ZURUECK_AUS;
                i->status |= MENUE_S_GRAU;
            }
        }
    Menue_Screen_Icon_Tabelle_Hinzufuegen(ATTRIBUTE.daten());
    baum_einrichten();
    Menue_Set_Rechtsklick_Icon(ICON_TALENTE_ZU);
    blaettern_drossel = {};
    Blt_Cache_Leeren();
}

void Spieler_Talente_Screen_Schliessen() {
    Menue_Screen_Icon_Tabelle_Loeschen(ATTRIBUTE.daten());
    Menue_Screen_Icon_Tabelle_Loeschen(RAHMEN.daten());
    if (Menue_Get_Rechtsklick_Icon() == ICON_TALENTE_ZU) Menue_Set_Rechtsklick_Icon(-1);
    Blt_Cache_Leeren();
}

bool Spieler_Talente_Kann_Trainieren(i32 a, i32 p) {
    if (!Attribute_Kann_Attribut_Lernen(p, a)) return false;
    if (static_cast<u32>(wert(SPIELER_WERT_STATUS, p)) & VERLETZT) return false;
    if (wert(SPIELER_WERT_TRAININGS, p) >= Global_Param.trainings_einheiten_pro_runde) return false;
    return Bank_Get_Kontostand(Team_Aktiv, 0, -1) - Global_Attribut_Training_Kosten(a, p) >= 0;
}

void Spieler_Talente_Attribut(Screen_Icon* icon, u32 ereignis) {
    if (!icon || !(ereignis & MENUE_E_LINKS) || modus != TALENTE_EIGENES_TEAM || spieler < 0) return;
    const i32 a = static_cast<i32>(icon->user[0]), p = spieler;
    if (!Attribute_Kann_Attribut_Lernen(p, a)) return;
    if (static_cast<u32>(wert(SPIELER_WERT_STATUS, p)) & VERLETZT) {
        Training_Verletzt_Melden(p);
        return;
    }
    if (wert(SPIELER_WERT_TRAININGS, p) >= Global_Param.trainings_einheiten_pro_runde) {
        Training_Limit_Melden();
        return;
    }
    const i32 t = Attribute_Get_Attribut_In_Ausbildung(p);
    if (t < 0 || t == a)
        Screen_Oeffnen_Fuer(Screen_Id::TRAININGSFILM, {.spieler = p, .team = Team_Aktiv, .attribut = a});
    else Training_Wechsel_Fragen(p, t, a, wechsel_bestaetigt);
}

const char* Spieler_Talente_Hilfe(Screen_Icon* icon) {
    if (!icon || modus != TALENTE_EIGENES_TEAM || spieler < 0) return nullptr;
    return text(Spieler_Talente_Kann_Trainieren(static_cast<i32>(icon->user[0]), spieler) ? T_KANN : T_KANN_NICHT);
}

const char* Spieler_Talente_Kopf_Hilfe(Screen_Icon*) {
    if (spieler < 0) return nullptr;
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    const Kopf_Lage l = kopf_lage(spieler);
    i32 a = Attribut_Marke_Bei(&l.training, 1, GRAFIK_ATTRIBUT, l.training_x, KOPF_MARKE_Y, 0, mx, my);
    if (a < 0)
        a = Attribut_Marke_Bei(l.schwaechen, l.schwaechen_n, GRAFIK_ATTRIBUT, l.schwaechen_x, KOPF_MARKE_Y,
                               KOPF_SCHWAECHEN_DX, mx, my);
    return Attribut_Marke_Hilfe(a);
}

void Spieler_Talente_Attribut_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y) {
    if (!icon || spieler < 0) return;
    const i32 a = static_cast<i32>(icon->user[0]);
    const bool gross = a >= 35;
    const i32 g = gross ? 48 : 36;
    Kit_Bild_Zeichnen(ziel, static_cast<u32>(GRAFIK_ATTRIBUT + a), x + (g - 26) / 2, y + (g - 16) / 2);
    const bool hat = Attribute_Attribut_Hat_Maximum(spieler, a);
    if (!hat && !Attribute_Erreichbar(spieler, a))
        Kit_Bild_Zeichnen(
            ziel, static_cast<u32>(a >= 47 ? GRAFIK_TALENTE_SCHLEIER_TOR + a - 47 : GRAFIK_TALENTE_SCHLEIER + a), x, y);
    else if (hat) Kit_Bild_Zeichnen(ziel, gross ? GRAFIK_TALENTE_RAHMEN_GROSS : GRAFIK_TALENTE_RAHMEN, x - 2, y - 2);
    if (Attribute_Get_Attribut_In_Ausbildung(spieler) == a) {
        const i32 w = Tools_Clamp(Tools_Prozent(wert(a, spieler), Attribut_Noetig(a)), 0, 100, -1);
        Blt_Rechteck(ziel, x + 3, y + g - 5, (g - 6) * w / 100, 3, FARBE_GOLD);
    }
}

void Spieler_Talente_Info_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    const i32 p = spieler;
    Font* klein = Kit_Font(Kit_Schrift::TEXT);
    Font* titel = Kit_Font(Kit_Schrift::TITEL);
    if (!klein || !titel) return;
    Kit_Printf_Glatt(ziel, titel, FARBE_WEISS, 14, 34, "%s", text(T_TITEL));
    if (p < 0) return;
    // The header: from the right, the attribute in training, the weaknesses,
    // matches, stars, name, badge and number, and why he cannot play.
    const Kopf_Lage l = kopf_lage(p);
    if (l.training >= 0) {
        Kit_Printf_Stelle(ziel, klein, FARBE_KLASSE_1, 0, 30, Kit_Schein::GLATT,
                          {Kit_Ausrichtung::RECHTS, l.text_rechts}, "%s",
                          Text_cfg_Text(TEXT_EINSETZEN_1, E1_IM_TRAINING));
        Kit_Bild_Zeichnen(ziel, static_cast<u32>(GRAFIK_ATTRIBUT + l.training), l.training_x, KOPF_MARKE_Y);
    }
    for (i32 i = 0; i < l.schwaechen_n; ++i)
        Kit_Bild_Zeichnen(ziel, static_cast<u32>(GRAFIK_ATTRIBUT + l.schwaechen[i]),
                          l.schwaechen_x + KOPF_SCHWAECHEN_DX * i, KOPF_MARKE_Y);
    Kit_Printf_Stelle(ziel, klein, FARBE_HELL, 0, 30, Kit_Schein::GLATT, {Kit_Ausrichtung::RECHTS, l.spiele_rechts},
                      "(%d %s)", wert(SPIELER_WERT_SPIELE, p), text(T_SPIELE));
    Spieler_Sterne_Zeichnen(ziel, p, 420, 18, 0, false);
    Kit_Printf_Stelle(ziel, titel, FARBE_WEISS, 0, 34, Kit_Schein::GLATT, SPIELER_NAME, "%s",
                      Spieler_String(505, p, nullptr, 0));
    const i32 k = std::clamp(wert(SPIELER_WERT_POSITION, p), 0, 3);
    Kit_Bild_Zeichnen(ziel, static_cast<u32>(GRAFIK_POSITION_KLASSE + BADGE[k]), 170, 18);
    if (Font* f = Kit_Font(Kit_Schrift::ZAHL))
        Kit_Tabelle_Zeile_Printf(ziel, f, FARBE_WEISS, 168, 30, Kit_Schein::SCHLICHT, SPIELERZEILE_SPALTEN,
                                 "^fb0006\t%d^fe", wert(SPIELER_WERT_RUECKENNUMMER, p));  // on the badge
    const u32 s = static_cast<u32>(wert(SPIELER_WERT_STATUS, p));
    if (s & 0x7c0)
        Kit_Bild_Zeichnen(ziel,
                          s & 0x40    ? STATUS_VERLETZT
                          : s & 0x200 ? STATUS_ROT
                          : s & 0x100 ? STATUS_GELBROT
                                      : STATUS_GELB,
                          140, 16);
    // The attribute under the mouse.
    if (Screen_Icon* aktiv = Menue_Get_Aktives_Icon()) {
        const i32 a = Spieler_Talente_Attribut_Von(aktiv);
        if (a >= 0 && !(aktiv->status & MENUE_S_VERSTECKT)) attribut_panel(ziel, a, aktiv);
    }
}

i32 Spieler_Talente_Blaettern_Ziel(i32 p, i32 m, i32 richtung) {
    if (p < 0) return p;
    if (m == TALENTE_EIGENES_TEAM || m == TALENTE_ANSICHT) {
        const i32 team = m == TALENTE_EIGENES_TEAM ? Team_Aktiv : Team_Ansicht;
        i32 slot = wert(SPIELER_WERT_SLOT, p);
        // The next slot that holds a player (a squad of fewer than 20 has gaps).
        for (i32 i = 0; i < KADER_SLOTS; ++i) {
            slot =
                m == TALENTE_EIGENES_TEAM ? Slot_Schritt(slot, richtung, true) : Slot_Schritt(slot, -richtung, false);
            const i32 q = nach_slot(team, slot);
            if (q >= 0) return q;
        }
        return p;
    }
    if (m == TALENTE_TRANSFER) {
        i32 liste[12];
        const i32 n = transfer_liste(liste);
        for (i32 i = 0; i < n; ++i)
            if (liste[i] == p) return liste[Listen_Schritt(i, richtung, n)];
        return p;
    }
    return p;
}

void Spieler_Talente_Blaettern(Screen_Icon* icon, u32 ereignis) {
    if (!icon || !(ereignis & MENUE_E_LINKS) || modus == TALENTE_EINZELN) return;
    if (!Screen_Drossel_Frei(&blaettern_drossel, TALENTE_BLAETTERN_MS)) return;
    spieler = Spieler_Talente_Blaettern_Ziel(spieler, modus, icon->user[0] == 1 ? 1 : -1);
    baum_einrichten();
    Blt_Cache_Leeren();
}

void Spieler_Talente_Zu_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS))) return;
    Spieler_Talente_Screen_Schliessen();
}

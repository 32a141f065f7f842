#include "screens/training/plan.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
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
#include "platform/input.h"
#include "screens/squad/spielerkarte.h"
#include "screens/teile/attribut_legende.h"
#include "screens/teile/drossel.h"
#include "screens/teile/namen.h"
#include "screens/teile/requester.h"
#include "screens/teile/schritt.h"
#include "screens/teile/spieler_hilfe.h"
#include "screens/teile/spielerzeile.h"
#include "screens/teile/sterne.h"
#include "screens/training/ablauf.h"
#include "screens/training/film.h"
#include "screens/training/plan_intern.h"
#include "screens/training/talente.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/modi.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace plan_intern {

constexpr i32 ZEILE_X = 9, ZEILE_B = 460, ZEILE_H = 17;
// A row's three attribute badges side by side (a badge is 26 wide), the one
// in training after them, clear of the percentage ending at 422.
constexpr i32 ATTRIBUT_X = 296, ATTRIBUT_SCHRITT = 26, TRAINING_X = 375;
// The badges' legend: three lines in the right column between the slots
// and the attribute's panel.
constexpr Attribut_Legende_Platz PLAN_LEGENDE{.x0 = 494, .x1 = 784, .y = 356, .zeilen = 4, .zeilenhoehe = 16};
// Position badge by class (24039, 24037, 24036, 24038).
constexpr i32 BADGE[4] = {3, 1, 0, 2};
// The colour of the trainings done this round: none, one, more.
constexpr u16 EINHEITEN_FARBE[3] = {FARBE_KLASSE_1, FARBE_GEWAEHLT, FARBE_MARKE};

// ZUSATZTEXTE_DOLV: the help texts.
enum : i32 { H_AUTO = 0, H_TALENTE = 1, H_TRAINIEREN = 2, H_MITTE = 3, H_PFEILE = 11, H_TRAINING = 16,
             H_FORTSCHRITT = 17 };
// EINSETZEN_1_SCREEN: the column help, the money lines of the tooltip.
enum : i32 { E_SPALTE = 16, E_ERLOES = 37, E_MARKTWERT = 38, E_GEHALT = 47 };

i32 gewaehlt = -1;     // the selected player
i32 gewaehlt_team = -1;
i32 slots[3] = {-1, -1, -1};
i32 zeile_spieler[PLAN_ZEILEN];
Screen_Drossel pfeil_drossel;
char tooltip[1400];

const char* text(i32 n) { return Text_cfg_Text(TEXT_SPIELER_TRAINING, n); }

// A player's row: the shirt number on its badge (the player row's own
// column), position, name, games and how far the attribute in training
// has come.
constexpr Kit_Spalte ZEILE[] = {
    {.x = 45, .ausrichtung = Kit_Ausrichtung::MITTE},
    {.x = 59},
    {.x = 280, .ausrichtung = Kit_Ausrichtung::RECHTS},
    {.x = 422, .ausrichtung = Kit_Ausrichtung::RECHTS},
};
enum Zeile_Spalte { Z_POSITION, Z_NAME, Z_SPIELE, Z_FORTSCHRITT };
// The chosen attribute's figures: a label, its value at the right edge.
constexpr Kit_Spalte DETAIL_WERT[] = {{.x = 280, .ausrichtung = Kit_Ausrichtung::RECHTS}};
// The middle slot: its name, and its price and points about a slash.
constexpr Kit_Stelle SLOT_NAME{Kit_Ausrichtung::MITTE, 638};
constexpr Kit_Spalte SLOT_PREIS[] = {
    {.x = 89, .ausrichtung = Kit_Ausrichtung::RECHTS},
    {.x = 100, .ausrichtung = Kit_Ausrichtung::MITTE},
    {.x = 177, .ausrichtung = Kit_Ausrichtung::RECHTS},
};
constexpr Kit_Stelle TOOLTIP_WERT{Kit_Ausrichtung::LINKS, 116};  // the figures under a row's tooltip
const char* dolv(i32 n) { return Text_cfg_Text(TEXT_ZUSATZ_DOLV, n); }
const char* e1(i32 n) { return Text_cfg_Text(TEXT_EINSETZEN_1, n); }
i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }
void schreiben(int modus, i32 p, i32 w) { Spieler_Wert(modus, p, w, OP_SCHREIBEN); }
i32 klasse(i32 p) { return std::clamp(wert(SPIELER_WERT_POSITION, p), 0, 3); }
bool lernbar(i32 p, i32 a) { return Attribute_Kann_Attribut_Lernen(p, a); }
i32 gelernt(i32 p) {
    i32 l[ATTRIBUT_ANZAHL];
    return Attribute_Get_Attribute(p, l, ATTRIBUT_ANZAHL, 1);
}
const char* name(i32 a) { return a >= 0 && a < ATTRIBUT_ANZAHL ? Attribut_Tabelle[a].name : ""; }
// The attribute in training a row shows as a badge once training on it has
// begun; -1 for none.
i32 training_marke(i32 p) {
    const i32 t = Attribute_Get_Attribut_In_Ausbildung(p);
    return t >= 0 && t < ATTRIBUT_ANZAHL && wert(t, p) > 1 ? t : -1;
}

constexpr auto ZEILEN_Y = Kit_Lagen<PLAN_ZEILEN>(Kader_Slot_Y);
constexpr u32 PFEIL_STATUS = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD | MENUE_S_WIEDERHOLEN;

constexpr auto EINZELNE = Icon_Liste({
    {.nummer = ICON_PLAN_RAHMEN,
     .grafik = GRAFIK_PLAN_RAHMEN,
     .x = 3,
     .y = 86,
     .status = MENUE_S_TRANSPARENT,
     .zeichnen = Spieler_Training_Info_Zeichnen,
     .ebene = 0,
     .w = 794,
     .h = 474,
     .hilfe_prozedur = Spieler_Training_Spalte},
    {.nummer = ICON_PLAN_AUTO,
     .grafik = GRAFIK_PLAN_AUTO,
     .grafik_an = GRAFIK_PLAN_AUTO_AN,
     .x = 178,
     .y = 532,
     .status = MENUE_S_TRANSPARENT | MENUE_S_AN,
     .klick = Spieler_Training_Auto_Klick,
     .ebene = 2,
     .w = 200,
     .h = 24},
    Kit_Bildknopf({.nummer = ICON_PLAN_TRAINIEREN,
                   .grafik = GRAFIK_PLAN_TRAINIEREN,
                   .gedrueckt = GRAFIK_PLAN_TRAINIEREN_GEDRUECKT,
                   .x = 593,
                   .y = 506,
                   .w = 180,
                   .h = 34,
                   .ebene = 2,
                   .klick = Spieler_Training_Trainieren}),
    {.nummer = ICON_PLAN_MITTE,
     .grafik = GRAFIK_PLAN_SLOT_MITTE,
     .grafik_gedrueckt = GRAFIK_PLAN_SLOT_MITTE_GEDRUECKT,
     .x = 641,
     .y = 258,
     .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
     .klick = Spieler_Training_Slot_Klick,
     .zeichnen = Spieler_Training_Mitte_Zeichnen,
     .ebene = 2,
     .w = 64,
     .h = 44},
    Kit_Bildknopf({.nummer = ICON_PLAN_ZURUECK,
                   .grafik = GRAFIK_PLAN_ZURUECK,
                   .gedrueckt = GRAFIK_PLAN_ZURUECK_GEDRUECKT,
                   .x = 513,
                   .y = 273,
                   .w = 28,
                   .h = 28,
                   .ebene = 2,
                   .klick = Spieler_Training_Pfeil,
                   .status = PFEIL_STATUS}),
    Kit_Bildknopf({.nummer = ICON_PLAN_VOR,
                   .grafik = GRAFIK_PLAN_VOR,
                   .gedrueckt = GRAFIK_PLAN_VOR_GEDRUECKT,
                   .x = 545,
                   .y = 273,
                   .w = 28,
                   .h = 28,
                   .ebene = 2,
                   .klick = Spieler_Training_Pfeil,
                   .status = PFEIL_STATUS,
                   .wort = {WORT_VOR, 0}}),
    Kit_Bildknopf({.nummer = ICON_PLAN_TALENTE,
                   .grafik = GRAFIK_PLAN_TALENTE,
                   .gedrueckt = GRAFIK_PLAN_TALENTE_GEDRUECKT,
                   .x = 486,
                   .y = 185,
                   .w = 26,
                   .h = 26,
                   .ebene = 4,
                   .klick = Spieler_Training_Talente_Klick}),
    Kit_Bildknopf({.nummer = ICON_PLAN_LINKS,
                   .grafik = GRAFIK_PLAN_SLOT_LINKS,
                   .x = 578,
                   .y = 262,
                   .w = 56,
                   .h = 40,
                   .ebene = 1,
                   .klick = Spieler_Training_Pfeil,
                   .status = MENUE_S_TRANSPARENT}),
    Kit_Bildknopf({.nummer = ICON_PLAN_RECHTS,
                   .grafik = GRAFIK_PLAN_SLOT_RECHTS,
                   .x = 712,
                   .y = 262,
                   .w = 56,
                   .h = 40,
                   .ebene = 1,
                   .klick = Spieler_Training_Pfeil,
                   .status = MENUE_S_TRANSPARENT,
                   .wort = {WORT_VOR, 0}}),
});
constexpr auto ZEILEN = Kit_Zeilen<PLAN_ZEILEN>({.nummer = ICON_PLAN_ZEILE,
                                                 .grafik = GRAFIK_PLAN_ZEILE,
                                                 .flags = MENUE_F_BEIDE_TASTEN,
                                                 .x = ZEILE_X,
                                                 .status = MENUE_S_TRANSPARENT,
                                                 .klick = Spieler_Training_Zeile_Klick,
                                                 .zeichnen = Spieler_Training_Zeile_Zeichnen,
                                                 .ebene = 3,
                                                 .w = ZEILE_B,
                                                 .h = ZEILE_H,
                                                 .hilfe_prozedur = Spieler_Training_Tooltip,
                                                 .user = {static_cast<u32>(-1), 0}},
                                                {.index_wort = 1, .y = ZEILEN_Y.data()});
constexpr auto TABELLE = Icon_Tabelle_Aus<Icon_Besitzer::TRAININGSPLAN>(EINZELNE, ZEILEN);

i32 zeile_von(const Screen_Icon* icon) {
    const i32 k = icon && icon->klick == Spieler_Training_Zeile_Klick ? static_cast<i32>(icon->user[1]) : -1;
    return k >= 0 && k < PLAN_ZEILEN ? k : -1;
}

void hilfen_setzen() {
    const struct {
        i16 nummer;
        i32 text;
    } h[] = {{ICON_PLAN_AUTO, H_AUTO},     {ICON_PLAN_TALENTE, H_TALENTE}, {ICON_PLAN_TRAINIEREN, H_TRAINIEREN},
             {ICON_PLAN_MITTE, H_MITTE},   {ICON_PLAN_ZURUECK, H_PFEILE},  {ICON_PLAN_VOR, H_PFEILE},
             {ICON_PLAN_LINKS, H_PFEILE},  {ICON_PLAN_RECHTS, H_PFEILE}};
    for (const auto& e : h)
        if (Screen_Icon* i = Kit_Icon(e.nummer)) i->hilfe = dolv(e.text);
}

// A bare training mark (value 1, no points) of the player is taken off.
void marke_loeschen(i32 p) {
    if (p < 0) return;
    const i32 t = Attribute_Get_Attribut_In_Ausbildung(p);
    if (t >= 0 && wert(t, p) == 1) schreiben(t, p, 0);
}

void auswaehlen(i32 p) {
    gewaehlt = p;
    gewaehlt_team = Team_Aktiv;
    for (i32 k = 0; k < PLAN_ZEILEN; ++k)
        if (Screen_Icon* i = Kit_Icon(ICON_PLAN_ZEILE + k))
            i->grafik = zeile_spieler[k] == p && p >= 0 ? GRAFIK_PLAN_ZEILE_AN : GRAFIK_PLAN_ZEILE;
}

// The attribute the panel shows: the one in training, else the middle slot.
i32 gezeigtes_attribut(i32 p) {
    const i32 t = Attribute_Get_Attribut_In_Ausbildung(p);
    return t >= 0 ? t : slots[1];
}

void wechsel_bestaetigt(i32 anzahl, const i32* liste) {
    if (anzahl < 3) return;
    schreiben(liste[0], liste[2], 0);
    schreiben(SPIELER_WERT_GELD, liste[2], 0);
    Blt_Cache_Leeren();
}

}  // namespace plan_intern

using namespace plan_intern;

Screen_Def Spieler_Training_Screen_Def() {
    return {.name = "Trainingsplan", .icons = Icon_Besitzer::TRAININGSPLAN, .rahmen = ICON_PLAN_RAHMEN,
            .arbeitsflaeche = true, .oeffnen = Spieler_Training_Screen_Init};
}

i32 Spieler_Training_Gewaehlt() { return gewaehlt; }
void Spieler_Training_Slots(i32 aus[3]) { std::copy(slots, slots + 3, aus); }
i32 Spieler_Training_Zeilen_Spieler(i32 k) { return k >= 0 && k < PLAN_ZEILEN ? zeile_spieler[k] : -1; }
i32 Training_Einheiten_Frei(i32 p) {
    return std::max(0, Global_Param.trainings_einheiten_pro_runde - wert(SPIELER_WERT_TRAININGS, p));
}

void Spieler_Training_Screen_Init() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_PLAN_RAHMEN)) return;
    Menue_Screen_Icons_Loeschen_Bereich(4, 0, 0, ARBEITSFLAECHE_X1, ARBEITSFLAECHE_Y1);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(TABELLE.daten());
    hilfen_setzen();
    pfeil_drossel = {};
    Spieler_Training_Liste_Aufbauen();
}

void Spieler_Training_Liste_Aufbauen() {
    const i32 vorher = gewaehlt_team == Team_Aktiv ? gewaehlt : -1;
    gewaehlt = -1;
    Check_Und_Set_Aa(Team_Aktiv);
    i32 kader[MAX_SPIELER_PRO_TEAM];
    const i32 n = std::min(Teamspieler_Ins_Array(Team_Aktiv, kader, MAX_SPIELER_PRO_TEAM, 0), PLAN_ZEILEN);
    std::stable_sort(kader, kader + n,
                     [](i32 a, i32 b) { return wert(SPIELER_WERT_SLOT, a) < wert(SPIELER_WERT_SLOT, b); });
    for (i32 k = 0; k < PLAN_ZEILEN; ++k) {
        zeile_spieler[k] = k < n ? kader[k] : -1;
        if (Screen_Icon* i = Kit_Icon(ICON_PLAN_ZEILE + k)) {
            i->user[0] = static_cast<u32>(zeile_spieler[k]);
            i->status = k < n ? i->status & ~MENUE_S_VERSTECKT : i->status | MENUE_S_VERSTECKT;
        }
    }
    const bool da = vorher >= 0 && std::find(kader, kader + n, vorher) != kader + n;
    if (da) {
        auswaehlen(vorher);
        if (!lernbar(vorher, slots[1])) Spieler_Training_Slots_Setzen(vorher, SLOTS_FUELLEN);
    } else if (n > 0) {
        auswaehlen(kader[0]);
        Spieler_Training_Slots_Setzen(kader[0], SLOTS_FUELLEN);
    } else {
        auswaehlen(-1);
        slots[0] = slots[1] = slots[2] = -1;
    }
}

void Spieler_Training_Slots_Setzen(i32 p, i32 richtung) {
    i32& l = slots[0];
    i32& m = slots[1];
    i32& r = slots[2];
    if (p < 0) {
        l = m = r = -1;
        return;
    }
    const i32 in_ausbildung = Attribute_Get_Attribut_In_Ausbildung(p);
    // 1. At the most attributes a player learns: only star training, and
    // only while he is below his maximum strength.
    if (gelernt(p) >= PLAN_MAX_GELERNT) {
        l = m = r = -1;
        const bool stern_offen = in_ausbildung != TRAINING_STERN ||
                                 wert(TRAINING_STERN, p) == 1;
        if (wert(SPIELER_WERT_STAERKE, p) < wert(SPIELER_WERT_MAX_STAERKE, p) && stern_offen) m = TRAINING_STERN;
        return;
    }
    const i32 erstes = wert(SPIELER_WERT_POSITION, p) == 0 ? 47 : 0;
    auto naechstes = [&](i32 von) {
        for (i32 a = von; a < ATTRIBUT_ANZAHL; ++a)
            if (lernbar(p, a)) return a;
        return -1;
    };
    if (richtung == SLOTS_FUELLEN) {
        // 2. From the attribute in training (or the first) on; the one in
        // training then stands in the middle.
        l = m = r = -1;
        i32 start = in_ausbildung >= 0 ? in_ausbildung : 0;
        for (i32* s : {&l, &m, &r}) {
            *s = naechstes(start);
            if (*s < 0) break;
            start = *s + 1;
        }
        if (in_ausbildung >= 0) {
            Spieler_Training_Slots_Setzen(p, SLOTS_ZURUECK);
            Spieler_Training_Slots_Setzen(p, SLOTS_ZURUECK);
            Spieler_Training_Slots_Setzen(p, SLOTS_VOR);
            return;
        }
    } else if (richtung == SLOTS_VOR) {
        // 3. On, wrapping to the first one not shown.
        if (r >= 0) {
            const i32 alt = r;
            l = m, m = r;
            r = naechstes(alt + 1);
            if (r < 0)
                for (i32 a = 0; a < ATTRIBUT_ANZAHL && r < 0; ++a)
                    if (lernbar(p, a) && a != l && a != m) r = a;
        }
    } else if (richtung == SLOTS_ZURUECK) {
        // 4. Back, never below the class's first attribute; wrapping to the
        // highest one not shown.
        if (l >= erstes) {
            i32 neu = -1;
            for (i32 a = l - 1; a >= erstes && neu < 0; --a)
                if (lernbar(p, a)) neu = a;
            r = m, m = l;
            if (neu >= 0) {
                l = neu;
            } else {
                l = -1;
                for (i32 a = ATTRIBUT_ANZAHL - 1; a >= 0 && l < 0; --a)
                    if (lernbar(p, a) && a != r && a != m) l = a;
            }
        }
    }
    // 5. A single attribute stands in the middle.
    if (l >= 0 && m < 0 && r < 0) m = l, l = -1;
    // 6. A bare training mark is no training.
    if (in_ausbildung >= 0 && wert(in_ausbildung, p) == 1) schreiben(in_ausbildung, p, 0);
}

i32 Spieler_Training_Angebot(i32 p) {
    i32 vorher[3];
    std::copy(slots, slots + 3, vorher);
    // The fill takes a bare training mark off: it is kept as it was.
    const i32 t = p >= 0 ? Attribute_Get_Attribut_In_Ausbildung(p) : -1;
    const i32 t_wert = t >= 0 ? wert(t, p) : 0;
    Spieler_Training_Slots_Setzen(p, SLOTS_FUELLEN);
    const i32 m = slots[1];
    if (t >= 0 && wert(t, p) != t_wert) schreiben(t, p, t_wert);
    std::copy(vorher, vorher + 3, slots);
    return m;
}

i32 Spieler_Training_Slot_Pruefen(i32 p, i32 a) {
    if (a < 0 || p < 0 || lernbar(p, a)) return a;
    Spieler_Training_Slots_Setzen(p, SLOTS_FUELLEN);
    return slots[1];
}

// --- Drawing -------------------------------------------------------------------------

void Spieler_Training_Info_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    Font* klein = Kit_Font(Kit_Schrift::TEXT);
    Font* titel = Kit_Font(Kit_Schrift::TITEL);
    Font* mittel = Kit_Font(Kit_Schrift::SCHMAL_GROSS);
    if (!klein || !titel || !mittel) return;
    // The column captions.
    const struct {
        i32 text, x;
        bool rechts;
    } spalten[] = {{0, 14, false}, {1, 34, false}, {2, 68, false}, {4, 172, false},
                   {3, 289, true}, {5, 305, false}, {6, 400, false}};
    for (const auto& s : spalten)
        Kit_Printf_Glatt(ziel, klein, FARBE_KOPF, 0, 109, "^t%c%04d%s", s.rechts ? 'r' : 'l', s.x,
                         text(T_SPALTE + s.text));
    // Under the slots: what the rows' attribute badges stand for.
    {
        i32 kader[MAX_SPIELER_PRO_TEAM];
        const i32 n = Teamspieler_Ins_Array(Team_Aktiv, kader, MAX_SPIELER_PRO_TEAM, 0);
        // The rows show the attribute in training beside the active ones
        // once it has begun: the legend names it too.
        std::vector<i32> liste = Attribut_Legende_Sammeln(kader, n);
        for (i32 k = 0; k < n; ++k)
            if (const i32 t = training_marke(kader[k]); t >= 0 && std::find(liste.begin(), liste.end(), t) == liste.end())
                liste.push_back(t);
        Attribut_Legende_Zeichnen(ziel, liste, GRAFIK_ATTRIBUT, PLAN_LEGENDE);
    }
    const i32 p = gewaehlt;
    if (p < 0) return;
    // The player.
    const i32 k = klasse(p);
    Gesicht_Holen(p, Team_Aktiv, ziel, 512, 102, 85, 100);
    Kit_Bild_Zeichnen(ziel, static_cast<u32>(GRAFIK_POSITION_KLASSE + BADGE[k]), 603, 168);
    if (Font* f = Kit_Font(Kit_Schrift::ZAHL))
        Kit_Tabelle_Zeile_Printf(ziel, f, FARBE_WEISS, 601, 180, Kit_Schein::SCHLICHT, SPIELERZEILE_SPALTEN,
                                 "^fb0006\t%d^fe", wert(SPIELER_WERT_RUECKENNUMMER, p));
    Kit_Printf_Glatt(ziel, klein, FARBE_KLASSE[k], 632, 180, "%s", Positions_Text(k));
    Kit_Printf_Glatt(ziel, titel, FARBE_WEISS, 608, 118, "%s", Spieler_String(63, p, nullptr, 0));
    Kit_Printf_Glatt(ziel, klein, FARBE_HELL, 608, 138, "%s  %d", text(T_FREI), Training_Einheiten_Frei(p));
    Spieler_Sterne_Zeichnen(ziel, p, 608, 145, 0, false);

    // The slots: the side ones dimmed, the middle one's name and price.
    if (slots[0] >= 0)
        if (Rastport* b = Kit_Bild(static_cast<u32>(GRAFIK_ATTRIBUT_SLOT + slots[0])))
            Blt_Alpha_Prozent_Transparent(b, 0, 0, -1, -1, ziel, 582, 266, 40);
    if (slots[2] >= 0)
        if (Rastport* b = Kit_Bild(static_cast<u32>(GRAFIK_ATTRIBUT_SLOT + slots[2])))
            Blt_Alpha_Prozent_Transparent(b, 0, 0, -1, -1, ziel, 716, 266, 40);
    if (slots[1] < 0) {
        Kit_Printf_Stelle(ziel, klein, FARBE_HELL, 0, 324, Kit_Schein::GLATT, SLOT_NAME, "%s", text(T_KEIN_SLOT));
    } else {
        Kit_Printf_Stelle(ziel, mittel, FARBE_GOLD, 0, 320, Kit_Schein::GLATT, SLOT_NAME, "%s", name(slots[1]));
        Kit_Tabelle_Zeile_Printf(ziel, klein, FARBE_HELL, 580, 336, Kit_Schein::GLATT, SLOT_PREIS, "\t%s \t/ \t%d %s",
                                 Bank_Geld_String(Global_Attribut_Training_Kosten(slots[1], p), Team_Aktiv, -1, 0),
                                 Attribut_Noetig(slots[1]), text(T_PUNKTE));
    }

    // The attribute in training (or on offer).
    const i32 a = gezeigtes_attribut(p);
    if (a < 0) return;
    const bool in_training = a == Attribute_Get_Attribut_In_Ausbildung(p);
    Kit_Bild_Zeichnen(ziel, static_cast<u32>(GRAFIK_ATTRIBUT_GROSS + a), 500, 429);
    Kit_Printf_Glatt(ziel, mittel, in_training ? FARBE_GOLD : FARBE_WEISS, 592, 446, "%s", name(a));
    const i32 w = wert(a, p) < 3 ? 0 : wert(a, p);
    const i32 noetig = Attribut_Noetig(a);
    Kit_Tabelle_Zeile_Printf(ziel, klein, FARBE_HELL, 500, 474, Kit_Schein::GLATT, DETAIL_WERT, "%s\t%d",
                             text(T_PUNKTE), w);
    Kit_Tabelle_Zeile_Printf(ziel, klein, FARBE_HELL, 500, 487, Kit_Schein::GLATT, DETAIL_WERT, "%s\t%d",
                             text(T_BENOETIGT), noetig);
    Kit_Tabelle_Zeile_Printf(ziel, klein, FARBE_HELL, 500, 500, Kit_Schein::GLATT, DETAIL_WERT, "%s\t%s",
                             text(T_KOSTEN),
                             Bank_Geld_String(Global_Attribut_Training_Kosten(a, p), Team_Aktiv, -1, 0));
    if (in_training) {
        Kit_Bild_Zeichnen(ziel, GRAFIK_PLAN_BALKEN, 592, 452);
        const i32 breite = std::min(182, Tools_Runden(Tools_Prozent(wert(a, p), noetig) * 182 / 100.0));
        if (Rastport* b = Kit_Bild(GRAFIK_PLAN_BALKEN_VOLL))
            if (breite > 0) Blt_Blit(b, 0, 0, breite, -1, ziel, 592, 452, Blt_Opt_Transparent);
    }
}

void Spieler_Training_Mitte_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y) {
    (void)icon;
    if (slots[1] >= 0) Kit_Bild_Zeichnen(ziel, static_cast<u32>(GRAFIK_ATTRIBUT_SLOT + slots[1]), x + 8, y + 6);
}

void Spieler_Training_Zeile_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y) {
    const i32 k = zeile_von(icon);
    if (k < 0 || zeile_spieler[k] < 0) return;
    const i32 p = zeile_spieler[k];
    const u32 status = static_cast<u32>(wert(SPIELER_WERT_STATUS, p));
    const i32 t = Attribute_Get_Attribut_In_Ausbildung(p);
    const i32 einheiten = wert(SPIELER_WERT_TRAININGS, p);
    if (status & NICHT_SPIELBEREIT) {
        if (Rastport* b = Kit_Bild(GRAFIK_PLAN_AUSFALL))
            Blt_Alpha_Prozent_Transparent(b, 0, 0, -1, -1, ziel, x + 1, y, 35);
    } else if (einheiten > 0 || t >= 0) {
        Blt_Rechteck_Alpha(ziel, x + 392, y + 2, 64, 12, EINHEITEN_FARBE[std::min(einheiten, 2)], 39);
        if (t < 0) Kit_Bild_Zeichnen(ziel, GRAFIK_PLAN_MINIBALKEN, x + 425, y + 6);
    }
    if (Menue_Get_Aktives_Icon() == icon)
        if (Rastport* b = Kit_Bild(GRAFIK_PLAN_PULS)) Blt_Pulsieren_Transparent(b, 0, 0, -1, -1, ziel, x, y);
    const i32 kl = klasse(p);
    Kit_Bild_Zeichnen(ziel, static_cast<u32>(GRAFIK_POSITION_KLASSE + BADGE[kl]), x + 1, y);
    const i32 ty = y + 12;
    const i32 nummer = wert(SPIELER_WERT_RUECKENNUMMER, p);
    if (Font* f = Kit_Font(Kit_Schrift::ZAHL))
        Kit_Tabelle_Zeile_Printf(ziel, f, FARBE_WEISS, x - 2 - (nummer >= 10 && nummer <= 19 ? 1 : 0), ty,
                                 Kit_Schein::SCHLICHT, SPIELERZEILE_SPALTEN, "^fb0006\t%d^fe", nummer);
    if (Font* f = Kit_Font(Kit_Schrift::TEXT)) {
        char kurz[64];
        Tools_Text_Kuerzen(Spieler_String(63, p, nullptr, 0), kurz, f, 100);
        Kit_Tabelle_Zelle_Printf(ziel, f, FARBE_KLASSE[kl], x, ty, Kit_Schein::SCHLICHT, ZEILE[Z_POSITION], "%s",
                                 Positions_Text(kl));
        Kit_Tabelle_Zeile_Printf(ziel, f, p == gewaehlt ? FARBE_GOLD : FARBE_WEISS, x, ty, Kit_Schein::SCHLICHT,
                                 std::span(ZEILE).subspan(Z_NAME), "\t%s\t%d", kurz, wert(SPIELER_WERT_SPIELE, p));
    }
    Spieler_Sterne_Zeichnen(ziel, p, x + 170, y + 1, 0, p == gewaehlt);
    i32 aktiv[SPIELER_MARKEN_MAX];
    const i32 n = Spieler_Marken(p, aktiv);
    for (i32 i = 0; i < n; ++i)
            Kit_Bild_Zeichnen(ziel,
                              static_cast<u32>((p == gewaehlt ? GRAFIK_ATTRIBUT_GEWAEHLT : GRAFIK_ATTRIBUT) + aktiv[i]),
                              x + ATTRIBUT_X + ATTRIBUT_SCHRITT * i, y + 1);
    if (t >= 0) {
        const i32 w = wert(t, p);
        if (training_marke(p) >= 0) Kit_Bild_Zeichnen(ziel, static_cast<u32>(GRAFIK_ATTRIBUT + t), x + TRAINING_X, y + 1);
        const i32 prozent = std::clamp(w <= 2 ? 0 : Tools_Prozent(w, Attribut_Noetig(t)), 0, 99);
        if (Font* f = Kit_Font(Kit_Schrift::TEXT))
            Kit_Tabelle_Zelle_Printf(ziel, f, FARBE_WEISS, x, ty, Kit_Schein::SCHLICHT, ZEILE[Z_FORTSCHRITT], "%d%s",
                                     prozent, "%");
        Kit_Bild_Zeichnen(ziel, GRAFIK_PLAN_MINIBALKEN, x + 425, y + 5);
        const i32 breite = std::min(30, Tools_Runden(prozent * 30 / 100.0));
        if (Rastport* b = Kit_Bild(GRAFIK_PLAN_MINIBALKEN_VOLL))
            if (breite > 0) Blt_Blit(b, 0, 0, breite, -1, ziel, x + 425, y + 5, Blt_Opt_Transparent);
    }
}

// --- Help texts ------------------------------------------------------------------------

const char* Spieler_Training_Spalte(Screen_Icon*) {
    const i32 x = Maus_Get_X(), y = Maus_Get_Y();
    if (y < 97 || y > 110 || x < 12 || x > 462) return nullptr;
    if (x < 31) return e1(E_SPALTE);
    if (x < 65) return e1(E_SPALTE + 1);
    if (x < 166) return e1(E_SPALTE + 2);
    if (x <= 250) return e1(E_SPALTE + 4);
    if (x <= 294) return e1(E_SPALTE + 3);
    if (x <= 353) return e1(E_SPALTE + 5);
    if (x <= 403) return dolv(H_TRAINING);
    return dolv(H_FORTSCHRITT);
}

const char* Spieler_Training_Tooltip(Screen_Icon* icon) {
    const i32 k = zeile_von(icon);
    if (k < 0 || zeile_spieler[k] < 0) return nullptr;
    const i32 p = zeile_spieler[k];
    const i32 x = Maus_Get_X();
    i32 aktiv[3];
    Attribute_Get_Attribute(p, aktiv, 3, 0);
    for (i32 i = 0; i < 3; ++i) {
        const i32 x0 = ZEILE_X + ATTRIBUT_X + ATTRIBUT_SCHRITT * i;
        if (x >= x0 && x < x0 + ATTRIBUT_SCHRITT) return aktiv[i] >= 0 ? Global_Get_Hauptattribut_Name(p, i) : nullptr;
    }
    if (x >= ZEILE_X + TRAINING_X && x < ZEILE_X + TRAINING_X + ATTRIBUT_SCHRITT) {
        const i32 t = Attribute_Get_Attribut_In_Ausbildung(p);
        return t >= 0 ? name(t) : nullptr;
    }
    Spieler_Hilfetext(p, true, tooltip, sizeof tooltip);
    const size_t n = std::strlen(tooltip);
    const Kit_Einzug wert_stelle = Kit_Einzug_Bei(TOOLTIP_WERT);
    const char* stopp = wert_stelle.code;
    std::snprintf(tooltip + n, sizeof tooltip - n, "^l%s%s^fb0009%s^fe^l%s%s^fb0009%s^fe^l%s%s^fb0009%s^fe",
                  e1(E_ERLOES), stopp, Bank_Geld_String(Welt_Hook.transfer_erloes(p), Team_Aktiv, -1, 0),
                  e1(E_MARKTWERT), stopp, Bank_Geld_String(wert(SPIELER_WERT_MARKTWERT, p), Team_Aktiv, -1, 0),
                  e1(E_GEHALT), stopp, Bank_Geld_String(Spieler_Berechne_Gehalt(p), Team_Aktiv, -1, 0));
    return tooltip;
}

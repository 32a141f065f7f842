#include "screens/training/lager.h"

#include <algorithm>
#include <cstdio>

#include "base/random.h"
#include "base/ruf.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/sound.h"
#include "graphics/video.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "gui/umbruch.h"
#include "platform/input.h"
#include "screens/teile/drossel.h"
#include "screens/teile/namen.h"
#include "screens/teile/requester.h"
#include "world/modi.h"
#include "screens/teile/sterne.h"
#include "screens/training/ablauf.h"
#include "screens/training/lager_intern.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/netz.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace lager_intern {

i32 blaettern_drossel_lager = 0;
Screen_Drossel blaettern_drossel;
Lager_Lauf lauf;
Bnk_Video* video = nullptr;

const char* text(i32 n) { return Text_cfg_Text(TEXT_TRAININGS_LAGER, n); }
const char* dolv(i32 n) { return Text_cfg_Text(TEXT_ZUSATZ_DOLV, n); }
i32 wert(int m, i32 p) { return Spieler_Wert(m, p, 0, OP_LESEN); }
void schreiben(int m, i32 p, i32 w) { Spieler_Wert(m, p, w, OP_SCHREIBEN); }
bool verletzt(i32 p) { return (static_cast<u32>(wert(SPIELER_WERT_STATUS, p)) & VERLETZT) != 0; }
i32 gezeigt() {
    const i32 c = static_cast<i32>(Menue_Icon_Zustand(ICON_LAGER_RAHMEN));
    return c >= 0 && c < TRAININGSLAGER_ANZAHL ? c : 0;
}
i32 prozent(i32 p) { return p * 100 / LAUF_BALKEN; }
u32 jetzt_ms() { return W32_Get_Time(); }

constexpr auto WAHL = Icon_Tabelle_Bauen<Icon_Besitzer::TRAININGSLAGER_WAHL>({
    {.nummer = ICON_LAGER_RAHMEN,
     .grafik = GRAFIK_LAGER_RAHMEN,
     .x = 9,
     .y = 107,
     .status = MENUE_S_TRANSPARENT,
     .zeichnen = Trainings_Lager_Zeichnen,
     .ebene = 1,
     .w = 782,
     .h = 440},
    {.nummer = ICON_LAGER_ZURUECK,
     .grafik = GRAFIK_LAGER_ZURUECK,
     .grafik_gedrueckt = GRAFIK_LAGER_ZURUECK_GEDRUECKT,
     .x = 43,
     .y = 435,
     .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
     .klick = Trainings_Lager_Blaettern,
     .ebene = 2,
     .w = 30,
     .h = 30},
    {.nummer = ICON_LAGER_VOR,
     .grafik = GRAFIK_LAGER_VOR,
     .grafik_gedrueckt = GRAFIK_LAGER_VOR_GEDRUECKT,
     .x = 75,
     .y = 435,
     .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
     .klick = Trainings_Lager_Blaettern,
     .ebene = 2,
     .w = 30,
     .h = 30,
     .user = {1}},
    {.nummer = ICON_LAGER_LOS,
     .grafik = GRAFIK_LAGER_LOS,
     .grafik_gedrueckt = GRAFIK_LAGER_LOS_GEDRUECKT,
     .x = 586,
     .y = 295,
     .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
     .klick = Trainings_Lager_Los,
     .ebene = 2,
     .w = 180,
     .h = 34},
});

// A bar's top: held below the end of the bar.
i32 oben_halten(i32 top) { return top >= LAUF_BALKEN ? Rnd(321, 341) : top; }

// The stage targets after the first: m draws from lo..top, highest first.
void ziele(Lager_Balken& b, i32 m, i32 lo, i32 top) {
    m = std::clamp(m, 0, LAUF_STUFEN - 1);  // stage 0 is the start
    i32 z[LAUF_STUFEN];
    for (i32 i = 0; i < m; ++i) z[i] = Rnd(lo, std::max(lo, top));
    std::sort(z, z + m, [](i32 a, i32 c) { return a > c; });
    for (i32 i = 0; i < m; ++i) b.ziel[i + 1] = z[i];
}

void halt_beginnen(Lager_Balken& b) {
    b.zustand = 5;
    b.halt_beginn = lauf.schritt;
}

// The hold has lasted longer than its time (ms at the course's pace).
bool gehalten(const Lager_Balken& b, i32 zeit_ms) {
    return (lauf.schritt - b.halt_beginn) * static_cast<u32>(LAUF_TAKT_MS) > static_cast<u32>(std::max(0, zeit_ms));
}

i32 haltezeit(const Lager_Balken& b) { return b.halten[std::clamp(b.stufe, 0, LAUF_STUFEN - 1)]; }
i32 zielwert(const Lager_Balken& b) { return b.ziel[std::clamp(b.stufe, 0, LAUF_STUFEN - 1)]; }

void fallen(Lager_Balken& b) {
    b.position -= Rnd_Basis(2, 4);
    if (b.position <= zielwert(b)) halt_beginnen(b);
}

// The morale (k 0) and recovery (k 1) bars.
void balken_schritt(i32 k) {
    Lager_Balken& b = lauf.balken[k];
    const Trainingslager_Def& d = Trainingslager_Tabelle[lauf.lager];
    if (b.stufe >= b.stufen) b.zustand = 6;
    if (b.zustand == 0) {
        b.position += 4;
        if (b.position >= zielwert(b)) {
            halt_beginnen(b);
            b.stufe = std::min(b.stufe + 1, LAUF_STUFEN - 1);
        }
    } else if (b.zustand == 6) {
        b.position -= Rnd_Basis(2, 4);
        if (b.position <= 0) halt_beginnen(b);
    } else if (b.zustand == 5) {
        b.position += Rnd_Basis(-3, 3);
    } else if (b.zustand == 3) {
        fallen(b);
    }
    if (b.zustand == 5 && gehalten(b, haltezeit(b))) {
        b.stufe += 1;
        b.zustand = 3;
        b.position += k == 0 ? Rnd(0, std::max(0, d.moral * 4)) : Rnd(0, std::max(0, d.erholung * 2));
    }
    if (b.position >= LAUF_BALKEN) b.position = Rnd(351, 355);
    if (b.position < 0) b.position = Rnd(0, 10);
}

// A random player of the squad (never outside the list).
i32 zufallsspieler() { return lauf.anzahl > 0 ? lauf.kader[Rnd(0, lauf.anzahl - 1)] : -1; }

// What befalls a player hit by the strength bar.
void treffer(i32 p) {
    if (p < 0 || verletzt(p)) return;
    const i32 r = Rnd(0, 100);
    i32 neg[3];
    if (Attribute_Get_Attribute(p, neg, 3, 2) > 0 && Attribut_Spieler_Setze_Wert(p, neg[0], 3)) {
        Trainings_Lager_Melden(p, 2, neg[0]);
    } else if (r < 85 && Attribute_Get_Attribut_In_Ausbildung(p) != TRAINING_STERN) {
        const i32 s = wert(SPIELER_WERT_STAERKE, p);
        if (s < wert(SPIELER_WERT_MAX_STAERKE, p)) {
            schreiben(SPIELER_WERT_STAERKE, p, s + 1);
            Trainings_Lager_Melden(p, 0, 1);
        }
    } else if (wert(SPIELER_WERT_MAX_STAERKE, p) < 12) {
        schreiben(SPIELER_WERT_MAX_STAERKE, p, std::min(12, wert(SPIELER_WERT_MAX_STAERKE, p) + 2));
        Trainings_Lager_Melden(p, 1, 2);
    }
}

void staerke_schritt() {
    Lager_Balken& b = lauf.balken[2];
    const Trainingslager_Def& d = Trainingslager_Tabelle[lauf.lager];
    const i32 bs = Global_Param.training_lager_balken_staerke;
    const bool gefahr = Trainings_Lager_Gefahr();
    const i32 p0 = prozent(lauf.balken[0].position), p1 = prozent(lauf.balken[1].position),
              p2 = prozent(b.position);
    if (b.stufe >= b.stufen) b.zustand = 6;
    if (b.zustand == 0) {
        b.position += d.staerke / 20;
        if (b.position >= zielwert(b)) {
            halt_beginnen(b);
            b.stufe = std::min(b.stufe + 1, LAUF_STUFEN - 1);
        }
    } else if (b.zustand == -1 || b.zustand == 5) {
        b.position += Rnd_Basis(-3, 3);
    } else if (b.zustand == 6) {
        b.position -= Rnd_Basis(2, 4);
        if (b.position <= 0) halt_beginnen(b);
    } else if (b.zustand == 3) {
        const i32 takt = (100 - (p2 + p0 + p1 + d.staerke) / 4) * 10;
        if (gefahr) {
            if ((lauf.schritt - lauf.letzter_anstieg) * static_cast<u32>(LAUF_TAKT_MS) > static_cast<u32>(std::max(0, takt))) {
                lauf.letzter_anstieg = lauf.schritt;
                b.position = b.position + d.staerke / 10 + Rnd(bs, 2 * bs) - 11;
            }
        } else {
            fallen(b);
        }
    }
    if (b.zustand == 5 && b.stufe >= 0 && gehalten(b, haltezeit(b))) {
        b.stufe += 1;
        b.zustand = 3;
        b.position += Rnd(0, std::max(0, d.staerke * 2));
    }
    // The strength bar starts once morale or recovery reached their first stage.
    if ((lauf.balken[0].stufe >= 1 || lauf.balken[1].stufe >= 1) && b.stufe == -1) {
        b.zustand = 0;
        b.stufe = 0;
    }
    if (b.position >= LAUF_BALKEN) b.position = Rnd(351, 355);
    if (b.stufe >= 0) {
        i32 c = std::max(5, (p2 - 15) * 50);
        if (gefahr) c = 2400 - 20 * lauf.balken[1].position + 8 * c;
        for (i32 i = 0; i < lauf.anzahl; ++i) {
            c = Rnd_Basis(10, c);
            if (Rnd(0, (Global_Param.training_lager_staerke + 1) * 10000) <= c) treffer(zufallsspieler());
        }
    }
    if (b.position < 0) b.position = Rnd(0, 10);
}

// The change of morale (d >= 0) and exhaustion (d <= 0) for a bar at p per cent.
i32 aenderung(i32 p, i32 r, bool moral) {
    if (p < 55) return moral ? (r < 10 ? 1 : 0) : (r < 15 ? -1 : 0);
    if (p < 70) return (moral ? 1 : -1) * (r < 15 ? 2 : r < 40 ? 1 : 0);
    if (p < 85) return (moral ? 1 : -1) * (r < 25 ? 2 : r < 60 ? 1 : 0);
    return (moral ? 1 : -1) * (r < 10 ? 3 : r < 40 ? 2 : r < 60 ? 1 : 0);
}

void lauf_aus() {
    if (video) Bnk_RelV(video);
    video = nullptr;
    Sound_Effekt_Stop_All();
    Menue_Screen_Icon_Tabelle_Loeschen(LAUF.daten());
}

}  // namespace lager_intern

using namespace lager_intern;

Screen_Def Trainings_Lager_Screen_Def() {
    return {.name = "Trainingslager", .icons = Icon_Besitzer::TRAININGSLAGER_WAHL, .rahmen = ICON_LAGER_RAHMEN,
            .arbeitsflaeche = true, .oeffnen = Trainings_Lager_Screen_Init};
}

i32 Trainings_Lager_Gezeigt() { return gezeigt(); }
Lager_Lauf& Trainings_Lager_Lauf() { return lauf; }
bool Trainings_Lager_Gefahr() { return lauf.balken[1].position < LAUF_GEFAHR; }

i32 Trainings_Lager_Balken_Breite(i32 bewertung) {
    return bewertung >= 100 ? LAGER_BALKEN : std::clamp(Tools_Runden(bewertung * LAGER_BALKEN / 100.0), 0, LAGER_BALKEN);
}

void Trainings_Lager_Screen_Init() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_LAGER_RAHMEN)) return;
    Menue_Screen_Icons_Loeschen_Bereich(4, 0, 0, ARBEITSFLAECHE_X1, ARBEITSFLAECHE_Y1);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(WAHL.daten());
    if (Screen_Icon* i = Kit_Icon(ICON_LAGER_LOS)) i->hilfe = dolv(H_LOS);
    for (i16 n : {ICON_LAGER_ZURUECK, ICON_LAGER_VOR})
        if (Screen_Icon* i = Kit_Icon(n)) i->hilfe = dolv(H_BLAETTERN);
    blaettern_drossel = {};
    (void)blaettern_drossel_lager;
}

void Trainings_Lager_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    const i32 c = gezeigt();
    const Trainingslager_Def& d = Trainingslager_Tabelle[c];
    Kit_Bild_Zeichnen(ziel, static_cast<u32>(GRAFIK_LAGER_BILD + c), 9, 116);
    Font* titel = Kit_Font(Kit_Schrift::TITEL);
    Font* klein = Kit_Font(Kit_Schrift::TEXT);
    if (!titel || !klein) return;
    Kit_Printf_Glatt(ziel, titel, FARBE_WEISS, 120, 465, "%s", d.name);
    Kit_Printf_Glatt(ziel, titel, FARBE_WEISS, 462, 140, "%s", text(T_TITEL));
    Kit_Printf_Glatt(ziel, klein, FARBE_HELL, 462, 242, "%s", text(T_KOSTEN));
    Kit_Printf_Glatt(ziel, klein, FARBE_GOLD, 580, 242, "%s",
                     Bank_Geld_String(Global_Trainingslager_Kosten(c), Team_Aktiv, -1, 0));
    const i32 bewertung[3] = {d.moral, d.erholung, d.staerke};
    for (i32 k = 0; k < 3; ++k) {
        const i32 x = 506, y = 152 + 25 * k;  // the three bars start at one edge
        Kit_Printf_Glatt(ziel, klein, FARBE_HELL, 462, y + 12, "%s", text(T_MORAL + k));
        const i32 w = Trainings_Lager_Balken_Breite(bewertung[k]);
        if (Rastport* b = Kit_Bild(GRAFIK_LAGER_DECKE))
            if (w < LAGER_BALKEN) Blt_Blit(b, w, 0, LAGER_BALKEN - w, -1, ziel, x + w, y, Blt_Opt_Transparent);
    }
    Umbruch_Text_Ausgabe(ziel, klein, d.info, 461, 776, 411, 531, 1, 0, -1);
    Umbruch_Text_Ausgabe(ziel, klein, d.info, 460, 775, 410, 530, FARBE_WEISS, 0, -1);
}

void Trainings_Lager_Blaettern(Screen_Icon* icon, u32 ereignis) {
    if (!icon || !(ereignis & MENUE_E_LINKS) || !Screen_Drossel_Frei(&blaettern_drossel, LAGER_BLAETTERN_MS)) return;
    const i32 c = gezeigt();
    const i32 neu =
        icon->user[0] == 1 ? (c + 1) % TRAININGSLAGER_ANZAHL : (c + TRAININGSLAGER_ANZAHL - 1) % TRAININGSLAGER_ANZAHL;
    Menue_Icon_Zustand_Setzen(ICON_LAGER_RAHMEN, static_cast<u32>(neu));
    Blt_Cache_Leeren();
}

void Trainings_Lager_Los(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    const i32 c = gezeigt();
    i32 kader[MAX_SPIELER_PRO_TEAM];
    // A camp without players would take the money for nothing.
    if (Teamspieler_Ins_Array(Team_Aktiv, kader, MAX_SPIELER_PRO_TEAM, 0) <= 0) {
        Screen_Mitteilung(text(T_LEER));
        return;
    }
    const i32 kosten = Global_Trainingslager_Kosten(c);
    if (kosten > 0 && !Bank_Buchen(Team_Aktiv, -1, static_cast<f32>(kosten), BANK_TRAINING, 0, -1)) {
        Screen_Mitteilung(text(T_GELD));
        return;
    }
    Screen_Oeffnen_Fuer(Screen_Id::TRAININGSLAGER_LAUF, {.lager = c});
    if (ruf::Client()) Internet_Client_Send_Data_Back();
}


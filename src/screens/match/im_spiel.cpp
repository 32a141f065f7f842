#include "screens/match/im_spiel.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/random.h"
#include "base/ruf.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "match/spielfeld.h"
#include "platform/input.h"
#include "screens/match/im_spiel_intern.h"
#include "screens/teile/attribut_legende.h"
#include "screens/teile/drossel.h"
#include "world/modi.h"
#include "screens/teile/sterne.h"
#include "world/attribut.h"
#include "world/global.h"
#include "world/manager.h"
#include "world/welt.h"

namespace im_spiel_intern {

Zustand Z;

Spielfeld_Daten* spielfeld() { return E_Im_Spiel_Screen_Spielfeld(); }
const char* text(i32 n) { return Text_cfg_Text(TEXT_EINSETZEN_IM_SPIEL, n); }
i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }
i32 klasse_von(i32 p) { return std::clamp(wert(SPIELER_WERT_POSITION, p), 0, 3); }
bool an(i32 n) { return Menue_Icon_Zustand(n) != 0; }
void setzen(i32 n, bool ein) { Menue_Icon_Zustand_Setzen(n, ein ? 1 : 0); }
bool ist_spieler(i32 p) { return p >= 0 && p < Spieler_Anzahl; }

// The side of the club shown in the match (-1: it does not play there).
int seite(const Spielfeld_Daten* sf) {
    if (!sf || Z.team < 0) return -1;
    return static_cast<u32>(Z.team) == sf->team[0] ? 0 : static_cast<u32>(Z.team) == sf->team[1] ? 1 : -1;
}

// The slot of a player of the side, -1.
int slot_von(const Spielfeld_Daten* sf, int s, i32 p) {
    if (p < 0) return -1;
    for (int i = s * SF_PRO_SEITE; i < (s + 1) * SF_PRO_SEITE; ++i)
        if (sf->spieler[i].spieler == p) return i;
    return -1;
}

// Queued to come on (rein) or go off (raus): in the side's pending lists or
// in a command of the side that has not taken effect yet.
bool wartet(const Spielfeld_Daten* sf, int s, int slot, bool rein) {
    if (slot < 0) return false;
    const Spielfeld_Seite& se = sf->seite[s];
    for (int i = 0; i < SF_WECHSEL_LISTE; ++i)
        if ((rein ? se.rein[i] : se.raus[i]) == slot) return true;
    for (const Spielfeld_Kommando& k : sf->kommando)
        if (k.belegt == 1 && k.seite == s && (k.aenderung & SFA_WECHSEL))
            for (int i = 0; i < SF_WECHSEL_LISTE; ++i)
                if ((rein ? k.rein[i] : k.raus[i]) == slot) return true;
    return false;
}
bool wartet(const Spielfeld_Daten* sf, int s, int slot) { return wartet(sf, s, slot, true) || wartet(sf, s, slot, false); }

// Pending players coming on (a) and going off (b) of a side.
void offen_zaehlen(const Spielfeld_Daten* sf, int s, int* a, int* b) {
    *a = *b = 0;
    auto zaehlen = [&](const u8* rein, const u8* raus) {
        for (int i = 0; i < SF_WECHSEL_LISTE; ++i) {
            if (rein[i] != 255) ++*a;
            if (raus[i] != 255) ++*b;
        }
    };
    zaehlen(sf->seite[s].rein, sf->seite[s].raus);
    for (const Spielfeld_Kommando& k : sf->kommando)
        if (k.belegt == 1 && k.seite == s && (k.aenderung & SFA_WECHSEL)) zaehlen(k.rein, k.raus);
}

void meldung(i32 m) {
    Z.meldung = m;
    Z.meldung_schritt = 0;
    Z.meldung_zeit = W32_Get_Time();
    Z.puls = Screen_Puls{};
}

void marken_loeschen() {
    for (i32 k = 0; k < IM_SPIEL_ZEILEN; ++k) setzen(ICON_IM_SPIEL_ZEILE + k, false);
    for (i32 k = 0; k < IM_SPIEL_FELDZEILEN; ++k) setzen(ICON_IM_SPIEL_FIGUR + k, false);
}

// --- Windows: remembered places, limits -------------------------------------------------

void halten(const Grenzen& g, i32* x, i32* y) {
    *x = std::clamp(*x, g.x0, g.x1);
    *y = std::clamp(*y, 31, 565 - g.h);
}

void platz_merken(i32 nummer, i32 x, i32 y) {
    Manager_Icon_Button_An_Aus(Team_Aktiv, nummer, static_cast<u32>(x));
    Manager_Icon_Word_Data_Schreiben(Team_Aktiv, nummer, static_cast<u32>(y));
}

void platz_lesen(i32 nummer, const Grenzen& g, i32 vorgabe_x, i32 vorgabe_y, i32* x, i32* y) {
    const i32 mx = static_cast<i32>(Manager_Icon_Button_Lesen(Team_Aktiv, nummer));
    const i32 my = static_cast<i32>(Manager_Icon_Word_Data_Lesen(Team_Aktiv, nummer));
    *x = mx != 0 && my != 0 ? mx : vorgabe_x;
    *y = mx != 0 && my != 0 ? my : vorgabe_y;
    halten(g, x, y);
}

// Rows, switch and figures follow the windows.
void zeilen_setzen(i32 lx, i32 ly) {
    for (i32 k = 0; k < IM_SPIEL_ZEILEN; ++k)
        if (Screen_Icon* i = Kit_Icon(ICON_IM_SPIEL_ZEILE + k)) {
            i->x = static_cast<i16>(lx + 2);
            i->y = static_cast<i16>(ly + 17 * k + (k < IM_SPIEL_FELDZEILEN ? 46 : 67));
        }
    if (Screen_Icon* s = Kit_Icon(ICON_IM_SPIEL_SCHALTER))
        s->x = static_cast<i16>(lx + 127), s->y = static_cast<i16>(ly + 237);
}

void fenster_setzen() {
    i32 x = 0, y = 0;
    platz_lesen(ICON_IM_SPIEL_LISTE, LISTE_GRENZEN, IM_SPIEL_LISTE_X, IM_SPIEL_LISTE_Y, &x, &y);
    if (Screen_Icon* l = Kit_Icon(ICON_IM_SPIEL_LISTE)) l->x = static_cast<i16>(x), l->y = static_cast<i16>(y);
    zeilen_setzen(x, y);
    platz_lesen(ICON_IM_SPIEL_FELD, FELD_GRENZEN, IM_SPIEL_FELD_X, IM_SPIEL_FELD_Y, &x, &y);
    if (Screen_Icon* f = Kit_Icon(ICON_IM_SPIEL_FELD)) f->x = static_cast<i16>(x), f->y = static_cast<i16>(y);
}

// The figure of a slot at its tactical position, in screen pixels (top-left),
// wholly inside the pitch: a keeper on his goal line or a winger on the
// touch line stands at the pitch's edge, not half over the window's frame.
void figur_platz(const Spielfeld_Daten* sf, int slot, i32* x, i32* y) {
    i32 ty = 0;
    const i32 tx = Spielfeld_Get_Taktikposition_Lokal(sf, slot, &ty);
    const Im_Spiel_Punkt p = E_Im_Spiel_Screen_Abbilden(tx, ty);
    const Screen_Icon* f = Kit_Icon(ICON_IM_SPIEL_FELD);
    const i32 fx = f ? f->x : IM_SPIEL_FELD_X, fy = f ? f->y : IM_SPIEL_FELD_Y;
    const i32 x0 = fx + IM_SPIEL_PLATZ_X, y0 = fy + IM_SPIEL_PLATZ_Y;
    *x = std::clamp(x0 + p.x - IM_SPIEL_FIGUR_B / 2, x0, x0 + IM_SPIEL_PLATZ_B - IM_SPIEL_FIGUR_B);
    *y = std::clamp(y0 + p.y - IM_SPIEL_FIGUR_H / 2, y0, y0 + IM_SPIEL_PLATZ_H - IM_SPIEL_FIGUR_H);
}

// --- Tables --------------------------------------------------------------------------------

constexpr u32 FENSTER_FLAGS = MENUE_F_BEIDE_TASTEN | MENUE_F_HOVER;

constexpr auto FENSTER = Icon_Tabelle_Bauen<Icon_Besitzer::IM_SPIEL_AUFSTELLUNG>({
    {.nummer = ICON_IM_SPIEL_LISTE,
     .grafik = GRAFIK_IM_SPIEL_LISTE,
     .flags = FENSTER_FLAGS,
     .x = IM_SPIEL_LISTE_X,
     .y = IM_SPIEL_LISTE_Y,
     .status = MENUE_S_TRANSPARENT,
     .klick = E_Im_Spiel_Screen_Fenster_Klick,
     .zeichnen = E_Im_Spiel_Screen_Liste_Zeichnen,
     .ebene = 20,
     .w = IM_SPIEL_LISTE_B,
     .h = IM_SPIEL_LISTE_H,
     .hilfe_prozedur = E_Im_Spiel_Screen_Hilfetext},
    {.nummer = ICON_IM_SPIEL_FELD,
     .grafik = GRAFIK_IM_SPIEL_FELD,
     .flags = FENSTER_FLAGS,
     .x = IM_SPIEL_FELD_X,
     .y = IM_SPIEL_FELD_Y,
     .status = MENUE_S_TRANSPARENT,
     .klick = E_Im_Spiel_Screen_Fenster_Klick,
     .zeichnen = E_Im_Spiel_Screen_Feld_Zeichnen,
     .ebene = 20,
     .w = IM_SPIEL_FELD_B,
     .h = IM_SPIEL_FELD_H,
     .hilfe_prozedur = E_Im_Spiel_Screen_Hilfetext},
});
// Rows and figures are placed when the windows open.
constexpr auto ZEILEN = Icon_Tabelle_Aus<Icon_Besitzer::IM_SPIEL_AUFSTELLUNG>(Icon_Reihe<17>(ZEILE, 0, 0, false));
constexpr auto FIGUREN = Icon_Tabelle_Aus<Icon_Besitzer::IM_SPIEL_AUFSTELLUNG>(Icon_Reihe<11>(FIGUR, 0, 0, false));
constexpr auto SCHALTER = Icon_Tabelle_Bauen<Icon_Besitzer::IM_SPIEL_AUFSTELLUNG>({
    {.nummer = ICON_IM_SPIEL_SCHALTER,
     .grafik = GRAFIK_IM_SPIEL_SCHALTER,
     .grafik_an = GRAFIK_IM_SPIEL_SCHALTER_AN,
     .grafik_gedrueckt = GRAFIK_IM_SPIEL_SCHALTER_AN,
     .x = IM_SPIEL_LISTE_X + 127,
     .y = IM_SPIEL_LISTE_Y + 237,
     .status = MENUE_S_TRANSPARENT | MENUE_S_AN,
     .klick = E_Im_Spiel_Screen_Schalter_Klick,
     .zeichnen = E_Im_Spiel_Screen_Schalter_Zeichnen,
     .ebene = 21,
     .w = 150,
     .h = 18,
     .hilfe_prozedur = E_Im_Spiel_Screen_Hilfetext},
});
// The legend strip is drawn with the list; its icon only takes the clicks
// on it (a right click closes the windows, as on them), so none reaches
// the live view behind. Placed and shown where the list draws a strip.
constexpr auto LEGENDE = Icon_Tabelle_Bauen<Icon_Besitzer::IM_SPIEL_AUFSTELLUNG>({
    {.nummer = ICON_IM_SPIEL_LEGENDE,
     .flags = MENUE_F_BEIDE_TASTEN,
     .status = MENUE_S_TRANSPARENT | MENUE_S_VERSTECKT,
     .klick = E_Im_Spiel_Screen_Fenster_Klick,
     .ebene = 20},
});

// --- Queueing ------------------------------------------------------------------------------

// Queues `rein` to come on for `raus` (-1: into an empty place). The
// engine refuses what its rules do not allow; the refusal is shown.
bool eintragen(Spielfeld_Daten* sf, int s, int rein, int raus) {
    const int r = Spielfeld_Wechsel_Eintragen(sf, s, rein, raus < 0 ? 255 : raus);
    if (r == SFW_OK) return true;
    meldung(r == SFW_KEINE_WECHSEL || r == SFW_LISTE_VOLL ? IM_SPIEL_ZU_VIELE : IM_SPIEL_NICHT_MOEGLICH);
    return false;
}

// A player coming on without a partner waits at the halfway line.
void bereitstellen(Spielfeld_Daten* sf, int slot) {
    const i32 x = Rnd(5000, 6000);
    const i32 y = Rnd(50, 100);
    Spielfeld_Set_Taktikposition(sf, sf->team[slot / SF_PRO_SEITE], slot, x, y);
}

// Takes a queued player out of the side's pending lists. A change already
// handed to a networked match's commands is under way and stays.
void austragen(Spielfeld_Daten* sf, int s, int slot) {
    Spielfeld_Seite& se = sf->seite[s];
    for (int i = 0; i < SF_WECHSEL_LISTE; ++i)
        if (se.rein[i] == slot || se.raus[i] == slot) {
            se.rein[i] = se.raus[i] = 255;
            se.netz_aenderung |= SFA_WECHSEL;
        }
}

i32 spieler_der_zeile(i32 k) {
    if (k < 0 || k >= IM_SPIEL_ZEILEN) return -1;
    return k < IM_SPIEL_FELDZEILEN ? Z.feld[k] : Z.bank[k - IM_SPIEL_FELDZEILEN];
}

i32 markierte_zeile() {
    for (i32 k = 0; k < IM_SPIEL_ZEILEN; ++k)
        if (an(ICON_IM_SPIEL_ZEILE + k)) return k;
    return -1;
}

i32 leere_feldzeilen() {
    i32 n = 0;
    for (i32 p : Z.feld) n += p < 0;
    return n;
}

void zeile_klicken(i32 k) {
    Spielfeld_Daten* sf = spielfeld();
    const int s = seite(sf);
    if (s < 0 || sf->seite[s].wechsel_sperre) return;
    Spielfeld_Seite& se = sf->seite[s];
    se.wechsel_aenderung = 0;
    if (se.wechsel_erlaubt == 0 || se.wechsel_gemacht >= SF_WECHSEL_MAX) {
        meldung(IM_SPIEL_KEINE_WECHSEL);
        marken_loeschen();
        return;
    }
    const i32 p = spieler_der_zeile(k);
    const bool feld = k < IM_SPIEL_FELDZEILEN;
    if (!feld && p < 0) return;
    const int slot = slot_von(sf, s, p);
    if (slot >= 0 && wartet(sf, s, slot)) {
        austragen(sf, s, slot);
        marken_loeschen();
        return;
    }
    int a = 0, b = 0;
    offen_zaehlen(sf, s, &a, &b);
    const int gemacht = se.wechsel_gemacht, frei = SF_WECHSEL_MAX - se.wechsel_erlaubt;
    if (b + gemacht >= SF_WECHSEL_MAX || b + frei >= SF_WECHSEL_MAX || a + gemacht >= SF_WECHSEL_MAX ||
        a + frei >= SF_WECHSEL_MAX) {
        meldung(IM_SPIEL_ZU_VIELE);
        return;
    }
    if (feld && p < 0 && a > b && a - b >= leere_feldzeilen()) return;
    if (slot >= 0 && (sf->spieler[slot].status & NICHT_EINSETZBAR)) {
        meldung(IM_SPIEL_NICHT_MOEGLICH);
        return;
    }
    if (an(ICON_IM_SPIEL_ZEILE + k)) {
        setzen(ICON_IM_SPIEL_ZEILE + k, false);
        return;
    }
    const i32 m = markierte_zeile();
    if (m < 0) {
        setzen(ICON_IM_SPIEL_ZEILE + k, true);
        return;
    }
    const i32 q = spieler_der_zeile(m);
    const bool m_feld = m < IM_SPIEL_FELDZEILEN;
    const int q_slot = slot_von(sf, s, q);
    if (m_feld && q < 0) {
        // An empty place on the pitch (a player was sent off or went off
        // injured): a substitute comes on without a partner.
        if (!feld && slot >= 0 && eintragen(sf, s, slot, -1)) bereitstellen(sf, slot);
    } else if (feld && p < 0) {
        if (!m_feld && q_slot >= 0 && eintragen(sf, s, q_slot, -1)) bereitstellen(sf, q_slot);
    } else if (feld != m_feld) {
        const int rein = feld ? q_slot : slot, raus = feld ? slot : q_slot;
        int erster_frei = SF_WECHSEL_LISTE;
        for (int i = 0; i < SF_WECHSEL_LISTE; ++i)
            if (se.rein[i] == 255) {
                erster_frei = i;
                break;
            }
        if (se.wechsel_gemacht < SF_WECHSEL_MAX && erster_frei < 4 && rein >= 0 && raus >= 0) eintragen(sf, s, rein, raus);
        E_Im_Spiel_Screen_Aufbauen();
    }
    marken_loeschen();
}

// --- Mouse helpers ----------------------------------------------------------------------------

bool nur_links() { return (W32_Get_Mouse_Buttons() & (MAUS_LINKS | MAUS_RECHTS)) == MAUS_LINKS; }

void schliessen_wenn_rechts(u32 ereignis) {
    if (ereignis & MENUE_E_RECHTS) E_Im_Spiel_Screen_Schliessen();
}

// Held inside the pitch so that the figure stays wholly inside it.
void figur_halten(i32* x, i32* y) {
    const Screen_Icon* f = Kit_Icon(ICON_IM_SPIEL_FELD);
    if (!f) return;
    const i32 x0 = f->x + IM_SPIEL_PLATZ_X - IM_SPIEL_FIGUR_B / 2 + IM_SPIEL_FIGUR_B / 2;
    const i32 y0 = f->y + IM_SPIEL_PLATZ_Y - IM_SPIEL_FIGUR_H / 2 + IM_SPIEL_FIGUR_H / 2;
    *x = std::clamp(*x, x0, x0 + IM_SPIEL_PLATZ_B - IM_SPIEL_FIGUR_B);
    *y = std::clamp(*y, y0, y0 + IM_SPIEL_PLATZ_H - IM_SPIEL_FIGUR_H);
}

}  // namespace im_spiel_intern

using namespace im_spiel_intern;

// --- Mapping and deduction ------------------------------------------------------------------

Spielfeld_Daten* E_Im_Spiel_Screen_Spielfeld() {
    if (Spielfeld_Daten* sf = Spielfeld_Get_Aktuelles_Spielfeld()) return sf;
    return Menue_Laufendes_Spiel();
}

Im_Spiel_Punkt E_Im_Spiel_Screen_Abbilden(i32 tx, i32 ty) {
    tx = std::clamp(tx, 1000, 9800);
    ty = std::clamp(ty, 400, 6406);
    // Pitch centimetres, then turned about so that the own goal is at the
    // bottom: tactical points are kept from the side's own view, so every
    // side is turned, before and after the change of ends.
    i32 x = (tx - 1000) * SF_LAENGE / 8800;
    i32 y = SF_BREITE - (ty - 400) * SF_BREITE / 6006;
    x = SF_LAENGE - x, y = SF_BREITE - y;
    const i32 laengs = std::min(x * IM_SPIEL_PLATZ_H / SF_LAENGE, IM_SPIEL_PLATZ_H);
    const i32 quer = std::min(y * IM_SPIEL_PLATZ_B / SF_BREITE, IM_SPIEL_PLATZ_B);
    return {quer, laengs};
}

Im_Spiel_Punkt E_Im_Spiel_Screen_Zurueck(i32 px, i32 py) {
    px = std::clamp(px, 0, IM_SPIEL_PLATZ_B);
    py = std::clamp(py, 0, IM_SPIEL_PLATZ_H);
    // Rounded to the nearest centimetre of the other scale, so that a point
    // mapped and turned back lands on the same pixel.
    i32 x = (py * SF_LAENGE + IM_SPIEL_PLATZ_H / 2) / IM_SPIEL_PLATZ_H;
    i32 y = (px * SF_BREITE + IM_SPIEL_PLATZ_B / 2) / IM_SPIEL_PLATZ_B;
    x = SF_LAENGE - x, y = SF_BREITE - y;
    const i32 tx = 1000 + (x * 8800 + SF_LAENGE / 2) / SF_LAENGE;
    const i32 ty = 400 + ((SF_BREITE - y) * 6006 + SF_BREITE / 2) / SF_BREITE;
    return {std::clamp(tx, 1000, 9800), std::clamp(ty, 400, 6406)};
}

i32 E_Im_Spiel_Screen_Reihe(i32 x, i32 y) {
    const i32 v = E_Im_Spiel_Screen_Abbilden(x, y).y;
    return std::clamp((280 - v) / 22 - 1, 0, 10);
}

i32 E_Im_Spiel_Screen_Positionsabzug(const Spielfeld_Daten*, i32, i32 spieler, i32 x, i32 y) {
    if (!ist_spieler(spieler)) return 0;
    const i32 reihe = E_Im_Spiel_Screen_Reihe(x, y);
    const i32 c = wert(SPIELER_WERT_POSITION, spieler), s = wert(SPIELER_WERT_STAERKE, spieler);
    if (c == 0) return reihe == 0 ? 0 : s * 80 / 100;
    const i32 linie = reihe <= 3 ? 1 : reihe <= 7 ? 2 : 3;
    return c == linie ? 0 : 2 * std::abs(linie - c);
}

// --- Life cycle ------------------------------------------------------------------------------

bool E_Im_Spiel_Screen_Ist_Offen() {
    const bool offen = Menue_Screen_Icon_Ist_Vorhanden(ICON_IM_SPIEL_LISTE) ||
                       Menue_Screen_Icon_Ist_Vorhanden(ICON_IM_SPIEL_FELD);
    if (offen) Z.gesehen = true;
    return offen;
}

void E_Im_Spiel_Screen_Init() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_IM_SPIEL_LISTE) && Menue_Screen_Icon_Ist_Vorhanden(ICON_IM_SPIEL_FELD)) {
        E_Im_Spiel_Screen_Schliessen();
        return;
    }
    Spielfeld_Daten* sf = spielfeld();
    if (!sf) return;
    for (const Screen_Icon* t : {FENSTER.daten(), ZEILEN.daten(), FIGUREN.daten(), SCHALTER.daten(), LEGENDE.daten()})
        Menue_Screen_Icon_Tabelle_Loeschen(t);
    Z.meldung = 0;
    Z.ziehen = 0, Z.figur = -1;
    // The club shown: the one chosen before, else the home or away club
    // of a manager at this machine.
    if (E_Im_Spiel_Screen_Team(Z.team >= 0 ? Z.team : static_cast<i32>(sf->team[0])) < 0) return;
    for (const Screen_Icon* t : {FENSTER.daten(), ZEILEN.daten(), FIGUREN.daten(), SCHALTER.daten(), LEGENDE.daten()})
        Menue_Screen_Icon_Tabelle_Hinzufuegen(t);
    E_Im_Spiel_Screen_Aufbauen();
    marken_loeschen();
    setzen(ICON_LEISTE_AUFSTELLUNG, true);
    // The match waits while the manager changes his side (a networked match
    // cannot wait: both machines play on).
    if (ruf::Einzel() && !sf->netz && !Menue_Get_Spiel_Pause()) {
        Menue_Set_Spiel_Pause(true);
        Z.angehalten = true;
    }
    Blt_Cache_Leeren();
}

void E_Im_Spiel_Screen_Schliessen() {
    for (const Screen_Icon* t : {FENSTER.daten(), ZEILEN.daten(), FIGUREN.daten(), SCHALTER.daten(), LEGENDE.daten()})
        Menue_Screen_Icon_Tabelle_Loeschen(t);
    Z.ziehen = 0, Z.figur = -1;
    setzen(ICON_LEISTE_AUFSTELLUNG, false);
    // The held match goes on, unless its pause button is pressed.
    Menue_Set_Spiel_Pause(false);
    if (Z.angehalten && !Menue_Icon_Zustand(ICON_LEISTE_PAUSE)) Menue_Spiel_Pause_Setzen(false);
    Z.angehalten = false;
    Blt_Cache_Leeren();
}

i32 E_Im_Spiel_Screen_Team(i32 team) {
    if (team == -1) return Z.team;
    const Spielfeld_Daten* sf = spielfeld();
    if (!sf) return Z.team;
    i32 neu = -1;
    if (team >= 0 && team < Team_Anzahl && Team_Hat_Manager_Aktiv(team) &&
        (static_cast<u32>(team) == sf->team[0] || static_cast<u32>(team) == sf->team[1]))
        neu = team;
    else if (Team_Hat_Manager_Aktiv(static_cast<i32>(sf->team[0])))
        neu = static_cast<i32>(sf->team[0]);
    else if (Team_Hat_Manager_Aktiv(static_cast<i32>(sf->team[1])))
        neu = static_cast<i32>(sf->team[1]);
    if (neu < 0) {
        if (E_Im_Spiel_Screen_Ist_Offen()) E_Im_Spiel_Screen_Schliessen();
        Z.team = -1;
        return -1;
    }
    if (neu != Z.team) {
        Z.team = neu;
        if (E_Im_Spiel_Screen_Ist_Offen()) {
            marken_loeschen();
            E_Im_Spiel_Screen_Aufbauen();
        }
    }
    return Z.team;
}

void E_Im_Spiel_Screen_Aufbauen() {
    std::fill(std::begin(Z.feld), std::end(Z.feld), -1);
    std::fill(std::begin(Z.bank), std::end(Z.bank), -1);
    Spielfeld_Daten* sf = spielfeld();
    const int s = seite(sf);
    if (s < 0) return;
    fenster_setzen();
    struct Eintrag {
        i32 spieler, schluessel;
        int slot;
    };
    Eintrag feld[IM_SPIEL_FELDZEILEN], bank[IM_SPIEL_BANKZEILEN];
    int nf = 0, nb = 0;
    for (int i = s * SF_PRO_SEITE; i < (s + 1) * SF_PRO_SEITE; ++i) {
        const Spielfeld_Spieler& sp = sf->spieler[i];
        if (sp.spieler < 0) continue;
        if (nf < IM_SPIEL_FELDZEILEN && (sp.status & (SFS_AUF_DEM_PLATZ | SFS_GELBROT | SFS_ROT | SFS_AUSGEWECHSELT)) ==
                                            SFS_AUF_DEM_PLATZ &&
            !wartet(sf, s, i, true)) {
            i32 ty = 0;
            const Im_Spiel_Punkt p = E_Im_Spiel_Screen_Abbilden(Spielfeld_Get_Taktikposition_Lokal(sf, i, &ty), ty);
            // Top of the pitch first; on one height from right to left.
            feld[nf++] = {sp.spieler, p.x - 10000 * p.y, i};
        } else if (!(sp.status & (SFS_GELBROT | SFS_ROT)) && !(sp.status & SFS_AUF_DEM_PLATZ) && nb < IM_SPIEL_BANKZEILEN) {
            const i32 k = ist_spieler(sp.spieler) ? klasse_von(sp.spieler) : 0;
            bank[nb++] = {sp.spieler, k - static_cast<i32>(sp.status & (SFS_AUSGEWECHSELT | SFS_BANK | SFS_VERLETZT)), i};
        }
    }
    auto absteigend = [](const Eintrag& a, const Eintrag& b) { return a.schluessel > b.schluessel; };
    std::stable_sort(feld, feld + nf, absteigend);
    std::stable_sort(bank, bank + nb, absteigend);
    for (int k = 0; k < nf; ++k) Z.feld[k] = feld[k].spieler;
    for (int k = 0; k < nb; ++k) Z.bank[k] = bank[k].spieler;
    for (i32 k = 0; k < IM_SPIEL_ZEILEN; ++k)
        if (Screen_Icon* i = Kit_Icon(ICON_IM_SPIEL_ZEILE + k))
            i->user[0] = static_cast<u32>(spieler_der_zeile(k)), i->user[1] = static_cast<u32>(k);
    for (i32 k = 0; k < IM_SPIEL_FELDZEILEN; ++k)
        if (Screen_Icon* i = Kit_Icon(ICON_IM_SPIEL_FIGUR + k)) {
            i->user[0] = static_cast<u32>(Z.feld[k]), i->user[1] = static_cast<u32>(k);
            if (Z.ziehen == 3 && Z.figur == k) continue;
            if (k < nf) {
                i32 x = 0, y = 0;
                figur_platz(sf, feld[k].slot, &x, &y);
                i->x = static_cast<i16>(x), i->y = static_cast<i16>(y);
                i->status &= ~static_cast<u32>(MENUE_S_VERSTECKT);
            } else {
                i->status |= MENUE_S_VERSTECKT;
            }
        }
    setzen(ICON_IM_SPIEL_SCHALTER, sf->netz ? sf->seite[s].netz_schalter != 0 : sf->seite[s].schalter != 0);
}

Im_Spiel_Stand E_Im_Spiel_Screen_Stand() {
    Im_Spiel_Stand st;
    st.team = Z.team;
    std::copy(std::begin(Z.feld), std::end(Z.feld), st.feld);
    std::copy(std::begin(Z.bank), std::end(Z.bank), st.bank);
    st.meldung = Z.meldung;
    return st;
}

Screen_Def E_Im_Spiel_Screen_Def() {
    // No frame icon: opening again closes the windows (the control bar's
    // button toggles them).
    return {.name = "Aufstellung im Spiel", .icons = Icon_Besitzer::IM_SPIEL_AUFSTELLUNG, .oeffnen = E_Im_Spiel_Screen_Init,
            .schliessen = E_Im_Spiel_Screen_Schliessen};
}

// --- Clicks ----------------------------------------------------------------------------------

void E_Im_Spiel_Screen_Zeile_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i) return;
    if (ereignis & MENUE_E_RECHTS) return schliessen_wenn_rechts(ereignis);
    if (!(ereignis & MENUE_E_LINKS)) return;
    zeile_klicken(static_cast<i32>(i->user[1]));
    Blt_Cache_Leeren();
}

void E_Im_Spiel_Screen_Fenster_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i) return;
    schliessen_wenn_rechts(ereignis);
}

void E_Im_Spiel_Screen_Figur_Klick(Screen_Icon* i, u32 ereignis) {
    if (i) schliessen_wenn_rechts(ereignis);
}

void E_Im_Spiel_Screen_Schalter_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i) return;
    if (ereignis & MENUE_E_RECHTS) return schliessen_wenn_rechts(ereignis);
    if (!(ereignis & MENUE_E_LINKS)) return;
    Spielfeld_Daten* sf = spielfeld();
    const int s = seite(sf);
    if (s < 0) return;
    const u8 alt = sf->netz ? sf->seite[s].netz_schalter : sf->seite[s].schalter;
    Spielfeld_Set_Schalter(sf, s, alt ? 0 : 1);
    setzen(ICON_IM_SPIEL_SCHALTER, !alt);
}

// --- Drawing (the list, its rows and the figures: im_spiel_zeichnen.cpp) ----------------

void E_Im_Spiel_Screen_Feld_Zeichnen(Screen_Icon* i, Rastport* ziel, i32, i32) {
    if (!i || !ziel) return;
    if (Font* f = Kit_Font(Kit_Schrift::TEXT))
        Kit_Printf_Stelle(ziel, f, FARBE_KREIDE, i->x, i->y + 17, Kit_Schein::SCHLICHT,
                          {Kit_Ausrichtung::MITTE, IM_SPIEL_FELD_B / 2}, "%s", Team_String(721, Z.team, nullptr, 0));
}

void E_Im_Spiel_Screen_Schalter_Zeichnen(Screen_Icon* i, Rastport* ziel, i32, i32) {
    if (!i || !ziel) return;
    if (Font* f = Kit_Font(Kit_Schrift::TEXT))
        Kit_Printf(ziel, f, an(i->nummer) ? FARBE_GOLD : FARBE_KREIDE_2, i->x + 24, i->y + 13, "%s", text(T_SCHALTER));
}

#include "screens/squad/kaderansicht.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "base/globals.h"
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
#include "platform/input.h"
#include "screens/squad/attribut_popup.h"
#include "screens/squad/kader.h"
#include "screens/squad/spielerkarte.h"
#include "screens/teile/attribut_legende.h"
#include "screens/teile/spieler_hilfe.h"
#include "world/modi.h"
#include "screens/teile/spielerzeile.h"
#include "screens/teile/sterne.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/global.h"
#include "world/manager.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {

constexpr u32 NICHT_VERFUEGBAR = 0x7c0;
constexpr i32 AUTOMATISCH = 128;
constexpr i32 KARTE_B = 90, KARTE_H = 35;
// A card's badges, right of its six small star places.
constexpr i32 MARKEN_X = 45, MARKEN_DX = 15;
constexpr i32 TORWART_LUFT = 4;

// Texts of the screen's section.
enum : i32 {
    T_MENUE = 1,
    T_EIGENES = 2,
    T_ZURUECK = 3,
    T_ERSCHOEPFUNG = 9,
    T_FREMD = 51,
    T_EIGEN = 52,
    T_ANDERES = 56
};

// Shirts by position class (entries from 24079: classes 2, 1, 3, 0).
constexpr i32 TRIKOT_BILD[4] = {3, 1, 0, 2};
// Dots: keeper, defence, midfield, attack.
constexpr i32 PUNKT_LINIE[4] = {GRAFIK_E2_PUNKT + 3, GRAFIK_E2_PUNKT + 1, GRAFIK_E2_PUNKT, GRAFIK_E2_PUNKT + 2};

i32 gezeigt = -1;
char hilfe[1024];
Icon_Textzeile text_menue{}, text_ansicht{}, text_zurueck{};

const char* text(i32 n) { return Text_cfg_Text(TEXT_EINSETZEN_2, n); }
i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }
bool verfuegbar(i32 p) { return (static_cast<u32>(wert(SPIELER_WERT_STATUS, p)) & NICHT_VERFUEGBAR) == 0; }
bool an(i32 n) { return Menue_Icon_Zustand(n) != 0; }
void setzen(i32 n, bool ein) { Menue_Icon_Zustand_Setzen(n, ein ? 1 : 0); }
bool team_ok(i32 t) { return t >= 0 && t < Team_Anzahl; }
bool eigen() { return gezeigt >= 0 && gezeigt == Team_Aktiv; }
// The current formation index of a team (0..15).
i32 formation(i32 t) { return Team_Wert(TEAM_WERT_FORMATION, t, 0, OP_LESEN) & 0x0f; }
bool ist_karte(const Screen_Icon* i) { return i && i->zeichnen == E2_Screen_Karte_Zeichnen; }
i32 spieler_von(const Screen_Icon* i) { return i ? static_cast<i32>(i->user[0]) : -1; }

constexpr Icon_Raster TOR_RASTER{.spalten = 1, .zeilen = 1, .x = 419, .y = 469, .zelle_b = 89, .zelle_h = 35};
constexpr Icon_Raster KARTEN_RASTER{.spalten = 7, .zeilen = 10, .x = 149, .y = 119, .zelle_b = 89, .zelle_h = 35,
                                    .abstand_x = 1, .naechstes = &TOR_RASTER};
Menue_Drag karten_drag{.flags = DRAG_SICHTBAR, .drop = E2_Screen_Karte_Ablegen, .x0 = 0, .y0 = 0, .x1 = 800, .y1 = 600};

constexpr Screen_Icon KARTE{.nummer = ICON_E2_KARTE,
                            .flags = MENUE_F_ZIEHBAR | MENUE_F_HOVER,
                            .raster = &KARTEN_RASTER,
                            .drag = &karten_drag,
                            .status = MENUE_S_TRANSPARENT,
                            .klick = E2_Screen_Karte_Klick,
                            .zeichnen = E2_Screen_Karte_Zeichnen,
                            .ebene = 3,
                            .w = KARTE_B,
                            .h = KARTE_H,
                            .hilfe_prozedur = E2_Screen_Hilfetext};
constexpr Screen_Icon PUNKT{.nummer = ICON_E2_PUNKT,
                            .status = MENUE_S_TRANSPARENT | MENUE_S_VERSTECKT,
                            .klick = E2_Screen_Formation_Klick,
                            .ebene = 4,
                            .w = 12,
                            .h = 10,
                            .hilfe_prozedur = E2_Screen_Hilfetext};
constexpr Kit_Bildknopf_Def KNOPF{.y = 518, .w = 140, .h = 36, .ebene = 5};
constexpr u32 UMSCHALTER = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD | MENUE_S_AN;

constexpr auto RAHMEN = Icon_Tabelle_Bauen<Icon_Besitzer::KADER_ANSICHT>({
    {.nummer = ICON_E2_RAHMEN,
     .grafik = GRAFIK_E2_RAHMEN,
     .x = 3,
     .y = 86,
     .status = MENUE_S_TRANSPARENT,
     .klick = E2_Screen_Spielfeld_Klick,
     .zeichnen = E2_Screen_Titel_Zeichnen,
     .ebene = 2,
     .w = 794,
     .h = 478},
});
// The three formations, each with its own picture; user word 1: which.
constexpr auto FELDER =
    Icon_Tabelle_Aus<Icon_Besitzer::KADER_ANSICHT>(Kit_Zeilen<3>({.nummer = ICON_E2_FORMATION,
                                                                  .grafik = GRAFIK_E2_FORMATION,
                                                                  .grafik_an = GRAFIK_E2_FORMATION_AN,
                                                                  .x = 22,
                                                                  .y = 90,
                                                                  .status = MENUE_S_TRANSPARENT | MENUE_S_AN,
                                                                  .klick = E2_Screen_Formation_Klick,
                                                                  .ebene = 3,
                                                                  .w = 100,
                                                                  .h = 135,
                                                                  .hilfe_prozedur = E2_Screen_Hilfetext},
                                                                 {.dy = 140, .index_wort = 1, .grafik_schritt = 1}));
// Cards and formation points are placed when the screen lays them out.
constexpr auto KARTEN = Icon_Tabelle_Aus<Icon_Besitzer::KADER_ANSICHT>(Icon_Reihe<11>(KARTE, 0, 0, false));
constexpr auto PUNKTE = Icon_Tabelle_Aus<Icon_Besitzer::KADER_ANSICHT>(Icon_Reihe<33>(PUNKT, 0, 0, false));
constexpr auto KNOEPFE = Icon_Tabelle_Bauen<Icon_Besitzer::KADER_ANSICHT>({
    Kit_Bildknopf(KNOPF, {.nummer = ICON_E2_MENUE,
                          .grafik = GRAFIK_E2_KNOPF,
                          .gedrueckt = GRAFIK_E2_KNOPF_AN,
                          .an = GRAFIK_E2_KNOPF_AN,
                          .x = 16,
                          .klick = E2_Screen_Menue_Klick,
                          .text = &text_menue}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_E2_ANSICHT,
                          .grafik = GRAFIK_E2_KNOPF + 1,
                          .gedrueckt = GRAFIK_E2_KNOPF_AN + 1,
                          .an = GRAFIK_E2_KNOPF_AN + 1,
                          .x = 166,
                          .klick = E2_Screen_Ansicht_Klick,
                          .zeichnen = E2_Screen_Ansicht_Pruefen,
                          .text = &text_ansicht,
                          .status = UMSCHALTER}),
    Kit_Bildknopf(KNOPF, {.nummer = ICON_E2_ZURUECK,
                          .grafik = GRAFIK_E2_KNOPF + 2,
                          .gedrueckt = GRAFIK_E2_KNOPF_AN + 2,
                          .an = GRAFIK_E2_KNOPF_AN + 2,
                          .x = 316,
                          .klick = E2_Screen_Formation_Zuruecksetzen_Klick,
                          .text = &text_zurueck}),
});

void texte_setzen(bool ansicht) {
    text_menue = Kit_Knopf_Beschriftung(text(T_MENUE));
    text_ansicht = text_menue, text_ansicht.text = text(ansicht ? T_EIGENES : T_ANDERES);
    text_zurueck = text_menue, text_zurueck.text = text(T_ZURUECK);
}

void auswahl_loeschen() {
    for (i32 k = 0; k < E2_KARTEN; ++k) setzen(ICON_E2_KARTE + k, false);
}
i32 erste_gewaehlte() {
    for (i32 k = 0; k < E2_KARTEN; ++k)
        if (an(ICON_E2_KARTE + k)) return k;
    return -1;
}

// The squad of a team by slot (the first 11 are the starters); the count.
i32 kader(i32 team, i32 liste[20]) {
    const i32 n = std::max(0, Teamspieler_Ins_Array(team, liste, 20, 0));
    std::stable_sort(liste, liste + n,
                     [](i32 a, i32 b) { return wert(SPIELER_WERT_SLOT, a) < wert(SPIELER_WERT_SLOT, b); });
    return n;
}

void neu_fuellen() {
    E2_Screen_Fuellen(gezeigt);
    Blt_Cache_Leeren();
}

void formationen_setzen(i32 team, const i32* liste, i32 n, bool eigen_team) {
    const i32 f = formation(team);
    const Formation* tabelle = Team_Own_Daten ? Team_Own_Daten[team].formationen : nullptr;
    for (i32 m = 0; m < E2_FORMATIONEN; ++m)
        for (i32 k = 0; k < E2_KARTEN; ++k) {
            Screen_Icon* d = Kit_Icon(ICON_E2_PUNKT + 11 * m + k);
            if (!d) continue;
            d->user[0] = k < n ? static_cast<u32>(liste[k]) : static_cast<u32>(-1);
            d->user[1] = static_cast<u32>(m);  // the formation the point belongs to
            const bool gezeigt_feld = eigen_team || m == 1;
            if (!tabelle || k >= n || !gezeigt_feld || !verfuegbar(liste[k])) {
                d->status |= MENUE_S_VERSTECKT;
                continue;
            }
            // The viewed team's one pitch shows its current formation.
            const Formation& fm = tabelle[eigen_team ? m : f];
            const i32 c = std::clamp<i32>(fm.spalte[k], 0, 6), r = std::clamp<i32>(fm.zeile[k], 0, 10);
            i32 grafik;
            if (eigen_team && m != f) grafik = PUNKT_LINIE[Aufstellung_Linie(r)];
            else grafik = PUNKT_LINIE[std::clamp(wert(SPIELER_WERT_POSITION, liste[k]), 0, 3)];
            d->grafik = static_cast<u32>(grafik);
            const i32 o = c < 3 ? 1 : c == 3 ? -1 : -2;
            if (eigen_team) {
                d->x = static_cast<i16>(11 * c + 28 - o);
                d->y = static_cast<i16>(140 * m + (r == 0 ? 212 : 215) - 12 * r);
            } else if (r == 0) {
                d->x = static_cast<i16>(11 * c + 28), d->y = static_cast<i16>(235 - 12 * r);
            } else {
                d->x = static_cast<i16>(95 - 11 * c + o), d->y = static_cast<i16>(232 + 12 * r);
            }
            d->status &= ~MENUE_S_VERSTECKT;
        }
}

}  // namespace

Screen_Def E2_Screen_Def() {
    return {.name = "Kaderansicht",
            .icons = Icon_Besitzer::KADER_ANSICHT,
            .rahmen = ICON_E2_RAHMEN,
            .oeffnen = E2_Screen_Init};
}

i32 E2_Screen_Gezeigtes_Team() { return gezeigt; }

void E2_Screen_Init() {
    const bool ansicht = (an(ICON_KADER_ANSICHT) || an(ICON_E2_ANSICHT)) && team_ok(Team_Ansicht);
    gezeigt = ansicht ? Team_Ansicht : Team_Aktiv;
    setzen(ICON_KADER_ANSICHT, ansicht);
    setzen(ICON_E2_ANSICHT, ansicht);
    if (ansicht && !(ruf::Client() && Aktuelles_Team != gezeigt)) Check_Und_Set_Aa(gezeigt);
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_E2_FORMATION)) return;
    const bool requester = Menue_Requester_Offen();
    Menue_Screen_Icons_Loeschen_Bereich(BEREICH_GANZ_INNEN, 0, 84, ARBEITSFLAECHE_X1, ARBEITSFLAECHE_Y1);
    for (const Screen_Icon* t : {RAHMEN.daten(), FELDER.daten(), KARTEN.daten(), PUNKTE.daten(), KNOEPFE.daten()})
        Menue_Screen_Icon_Tabelle_Hinzufuegen(t);
    Menue_Set_Rechtsklick_Icon(ICON_E2_MENUE);
    texte_setzen(ansicht);
    auswahl_loeschen();
    E2_Screen_Fuellen(gezeigt);
    if (requester) Menue_Requester_Wieder_Zeigen();
}

void E2_Screen_Fuellen(i32 team) {
    if (!team_ok(team)) return;
    gezeigt = team;
    const bool e = team == Team_Aktiv;
    const i32 f = formation(team);
    static constexpr int GRUPPE[3] = {ICON_E2_FORMATION, ICON_E2_FORMATION + 1, ICON_E2_FORMATION + 2};
    if (e) Check_Und_Set_Aa(team);
    const i32 gruppe = e ? ICON_E2_FORMATION + std::min(f, 2) : ICON_E2_FORMATION + 1;
    for (i32 g : GRUPPE) setzen(g, g == gruppe && (!e || f <= 2));
    Kit_Grau(ICON_E2_FORMATION, !e);
    Kit_Grau(ICON_E2_FORMATION + 2, !e);
    Kit_Grau(ICON_E2_ZURUECK, !e);
    setzen(ICON_E2_ANSICHT, !e);
    texte_setzen(!e);
    i32 liste[20];
    const i32 n = kader(team, liste);
    for (i32 k = 0; k < E2_KARTEN; ++k) {
        Screen_Icon* c = Kit_Icon(ICON_E2_KARTE + k);
        if (!c) continue;
        c->flags = e ? c->flags | MENUE_F_ZIEHBAR : c->flags & ~MENUE_F_ZIEHBAR;
        if (k >= n) {
            c->user[0] = static_cast<u32>(-1);
            c->status |= MENUE_S_VERSTECKT;
            continue;
        }
        const i32 p = liste[k];
        c->user[0] = static_cast<u32>(p), c->user[1] = static_cast<u32>(team);
        i32 x = 0, y = 0;
        E2_Screen_Karten_Platz(std::clamp(wert(SPIELER_WERT_SPALTE, p), 0, 6),
                               std::clamp(wert(SPIELER_WERT_ZEILE, p), 0, 10), e, &x, &y);
        c->x = static_cast<i16>(x), c->y = static_cast<i16>(y);
        // An unavailable own starter is not shown (nor clicked or dragged).
        c->status = e && !verfuegbar(p) ? c->status | MENUE_S_VERSTECKT : c->status & ~MENUE_S_VERSTECKT;
    }
    formationen_setzen(team, liste, std::min(n, E2_KARTEN), e);
}

void E2_Screen_Karten_Platz(i32 c, i32 r, bool e, i32* x, i32* y) {
    *x = e ? 90 * c + 149 : 688 - 90 * c;
    // The keeper's row (0) stands a few pixels off the first row of the
    // field, so his card never touches a defender's.
    const i32 luft = r == 0 ? TORWART_LUFT : 0;
    *y = e ? 469 - 35 * r + luft : 119 + 35 * r - luft;
}

void E2_Screen_Maus_In_Feld(i32* x, i32* y) {
    const i32 mx = std::clamp(*x, 150, 776), my = std::clamp(*y, 119, 501);
    *x = std::min((mx - 149) / 90, 6);
    *y = std::clamp((503 - my) / 35, 0, 10);
    if (*y == 0 && *x != 3) *y = 1;
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
bool E2_Screen_Maus_Im_Feld() {
    const i32 x = Maus_Get_X(), y = Maus_Get_Y();
    return x > 148 && x < 778 && y > 118 && y < 468;
}

void E2_Screen_Formation_Waehlen(i32 m) {
    if (!team_ok(Team_Aktiv) || m < 0 || m >= E2_FORMATIONEN) return;
    const i32 alt = Team_Wert(TEAM_WERT_FORMATION, Team_Aktiv, 0, OP_LESEN);
    Team_Wert(TEAM_WERT_FORMATION, Team_Aktiv, m | (alt & AUTOMATISCH), OP_SCHREIBEN);
    Team_Positionen_Aus_Formation(Team_Aktiv);
    Check_Und_Set_Aa(Team_Aktiv);
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_E2_RAHMEN)) neu_fuellen();
}

// --- Drawing ---------------------------------------------------------------------------

namespace {
// The badges' legend: three lines right of the buttons, inside the frame.
constexpr Attribut_Legende_Platz E2_LEGENDE{.x0 = 466, .x1 = 788, .y = 528, .zeilen = 3, .zeilenhoehe = 13};
}  // namespace

namespace {
constexpr Kit_Stelle TITEL{Kit_Ausrichtung::LINKS, 152};
// A card: the shirt number from its left, the name (cut to its width) at
// its right edge.
constexpr Kit_Spalte KARTE_NUMMER{.x = 0};
constexpr Kit_Spalte KARTE_NAME{.x = 24, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = 58};
}  // namespace

void E2_Screen_Titel_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    // A window opened over the screen (the talents screen from the card)
    // takes the right click while it is up and lets it go when it closes.
    if (Menue_Get_Rechtsklick_Icon() < 0) Menue_Set_Rechtsklick_Icon(ICON_E2_MENUE);
    if (!team_ok(gezeigt)) return;
    if (Font* f = Kit_Font(Kit_Schrift::TITEL))
        Kit_Printf_Stelle(ziel, f, eigen() ? FARBE_WEISS : FARBE_KNOPF_TEXT, 0, 112, Kit_Schein::SCHLICHT, TITEL, "%s",
                          Team_String(710, gezeigt, nullptr, 0));
    // Beside the buttons: what the cards' badges stand for.
    i32 elf[MAX_SPIELER_PRO_TEAM];
    const i32 n = Teamspieler_Ins_Array(gezeigt, elf, MAX_SPIELER_PRO_TEAM, SP_STATUS_AUFGESTELLT);
    Attribut_Legende_Zeichnen(ziel, Attribut_Legende_Sammeln(elf, n), GRAFIK_ATTRIBUT_KLEIN, E2_LEGENDE);
}

void E2_Screen_Karte_Zeichnen(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) {
    const i32 p = spieler_von(i);
    if (p < 0 || p >= Spieler_Anzahl) return;
    const bool e = eigen();
    if (e && !verfuegbar(p)) return;
    if (Maus_Get_Tasten() == MAUS_RECHTS) Attribut_Popup_Schliessen();
    const Screen_Icon* gezogen = Menue_Get_Klick_Icon();
    const Screen_Icon* aktiv = Menue_Get_Aktives_Icon();
    // While the popup shows a player, his card alone is selected.
    const i32 popup = Attribut_Popup_Spieler();
    const bool gewaehlt = popup >= 0 ? popup == p : an(i->nummer);
    const bool hoch = gezogen == i || aktiv == i || gewaehlt;
    Kit_Bild_Zeichnen(ziel, GRAFIK_E2_KARTE, x, y);
    const i32 klasse = std::clamp(wert(SPIELER_WERT_POSITION, p), 0, 3);
    Kit_Bild_Zeichnen(ziel, (hoch ? GRAFIK_E2_TRIKOT_HOCH : GRAFIK_E2_TRIKOT) + TRIKOT_BILD[klasse], x + 3, y + 3);
    // Over another card while one is dragged: both pulse.
    const bool ziel_karte = gezogen && gezogen != i && ist_karte(gezogen) && Maus_Get_X() >= i->x &&
                            Maus_Get_X() < i->x + KARTE_B && Maus_Get_Y() >= i->y && Maus_Get_Y() < i->y + KARTE_H;
    if (gezogen == i || aktiv == i || ziel_karte)
        if (Rastport* b = Kit_Bild(GRAFIK_E2_PULS)) Blt_Pulsieren_Transparent(b, 0, 0, -1, -1, ziel, x, y);
    const u16 farbe = verfuegbar(p) ? FARBE_WEISS : FARBE_FEHLER;
    if (Font* f = Kit_Font(Kit_Schrift::TEXT)) {
        const i32 nummer = wert(SPIELER_WERT_RUECKENNUMMER, p);
        Kit_Tabelle_Zelle_Printf(ziel, f, farbe, x + (nummer >= 10 && nummer <= 19 ? 2 : 4), y + 13,
                                 Kit_Schein::SCHLICHT, KARTE_NUMMER, "^fb0008%d^fe", nummer);
        char name[64];
        Tools_Text_Kuerzen(Spieler_String(63, p, nullptr, 0), name, f, KARTE_NAME.breite);
        Kit_Tabelle_Zelle_Printf(ziel, f, farbe, x + 4, y + 13, Kit_Schein::SCHLICHT, KARTE_NAME, "%s", name);
    }
    // The stars with what a cell costs him: the cell the dragged card is
    // over; the dragged card's row for the card it would change places with;
    // otherwise his own.
    i32 reihe = std::clamp(wert(SPIELER_WERT_ZEILE, p), 0, 10);
    if (e && gezogen == i) {
        i32 cx = x, cy = y;
        E2_Screen_Maus_In_Feld(&cx, &cy);
        reihe = cy;
    } else if (e && ziel_karte) {
        reihe = std::clamp(wert(SPIELER_WERT_ZEILE, spieler_von(gezogen)), 0, 10);
    }
    const i32 abzug = Spieler_Positionsabzug(p, reihe);
    Spieler_Sterne_Klein_Zeichnen(ziel, p, x + 2, y + 22, abzug);
    i32 attribute[SPIELER_MARKEN_MAX];
    const int n = Spieler_Marken(p, attribute);
    for (int k = 0; k < n; ++k)
        Kit_Bild_Zeichnen(ziel, GRAFIK_ATTRIBUT_KLEIN + attribute[k], x + MARKEN_X + MARKEN_DX * k, y + 18);
}

void E2_Screen_Ansicht_Pruefen(Screen_Icon* i, Rastport*, i32, i32) {
    const bool keine = !team_ok(Team_Ansicht);
    if (keine != ((i->status & MENUE_S_GRAU) != 0)) {
        Kit_Grau(ICON_E2_ANSICHT, keine);
        if (keine) setzen(ICON_E2_ANSICHT, false), setzen(ICON_KADER_ANSICHT, false);
        Blt_Cache_Leeren();
        E2_Screen_Fuellen(Team_Aktiv);
    }
}

// --- Clicks -------------------------------------------------------------------------------

void E2_Screen_Karte_Klick(Screen_Icon* i, u32 ereignis) {
    const i32 p = spieler_von(i);
    if (!(ereignis & MENUE_E_LINKS) || p < 0 || p >= Spieler_Anzahl || !eigen()) return;
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    if (verfuegbar(p) && mx >= i->x + MARKEN_X - 2 && mx <= i->x + MARKEN_X + 3 * MARKEN_DX && my >= i->y + 16 && my <= i->y + 29) {
        // An open popup shows this player.
        Screen_Oeffnen_Fuer(Screen_Id::ATTRIBUT_POPUP, {.spieler = p, .team = gezeigt, .x = mx, .y = my});
        setzen(i->nummer, false);
        return;
    }
    const i32 g = erste_gewaehlte();
    if (g >= 0 && Kit_Icon(ICON_E2_KARTE + g) != i) {
        const i32 q = spieler_von(Kit_Icon(ICON_E2_KARTE + g));
        if (q >= 0) {
            Spieler_Tauschen_Intern(p, q, Team_Aktiv, Team_Aktiv);
            Team_Aufstellung_Manuell(Team_Aktiv);
            Aufstellung_Gesetzt(Team_Aktiv);
        }
        auswahl_loeschen();
        neu_fuellen();
        return;
    }
    if (verfuegbar(p)) setzen(i->nummer, !an(i->nummer));
    Blt_Cache_Leeren();
}

void E2_Screen_Spielfeld_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || !eigen()) return;
    const i32 g = erste_gewaehlte();
    if (g < 0) return;
    const i32 p = spieler_von(Kit_Icon(ICON_E2_KARTE + g));
    i32 c = Maus_Get_X(), r = Maus_Get_Y();
    E2_Screen_Maus_In_Feld(&c, &r);
    if (p >= 0 && Spieler_Setze_Formationsposition(p, c, r)) Team_Aufstellung_Manuell(Team_Aktiv);
    auswahl_loeschen();
    neu_fuellen();
}

void E2_Screen_Formation_Klick(Screen_Icon* i, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || an(ICON_E2_ANSICHT) || !eigen()) return;
    // A formation picture and its points carry the formation in user word 1.
    E2_Screen_Formation_Waehlen(static_cast<i32>(i->user[1]));
}

void E2_Screen_Formation_Zuruecksetzen_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || an(ICON_E2_ANSICHT) || !eigen()) return;
    Bexot_Spieler_Formation_Zuruecksetzen(Team_Aktiv);
    Team_Positionen_Aus_Formation(Team_Aktiv);
    neu_fuellen();
}

void E2_Screen_Ansicht_Klick(Screen_Icon* i, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) || (i->status & MENUE_S_GRAU)) return;
    const bool ein = !an(ICON_E2_ANSICHT) && team_ok(Team_Ansicht);
    setzen(ICON_E2_ANSICHT, ein);
    setzen(ICON_KADER_ANSICHT, ein);
    auswahl_loeschen();
    Attribut_Popup_Schliessen();
    if (ein && ruf::Haelt_Spiel() &&
        (!Team_Hat_Manager(Team_Ansicht) || (Team_Wert(TEAM_WERT_FORMATION, Team_Ansicht, 0, OP_LESEN) & AUTOMATISCH)))
        Aufstellung_Automatisch(Team_Ansicht);
    E2_Screen_Fuellen(ein ? Team_Ansicht : Team_Aktiv);
    Blt_Cache_Leeren();
}

void E2_Screen_Menue_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS))) return;
    // A right click anywhere comes here: an open player window closes first;
    // on a card the player's card opens; elsewhere back to the team menu.
    if (ereignis & MENUE_E_RECHTS) {
        if (Spielerfenster_Schliessen()) return;
        const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
        for (i32 k = 0; k < E2_KARTEN; ++k) {
            const Screen_Icon* c = Kit_Icon(ICON_E2_KARTE + k);
            const i32 p = spieler_von(c);
            if (!c || (c->status & MENUE_S_VERSTECKT) || p < 0 || mx < c->x || mx >= c->x + KARTE_B || my < c->y ||
                my >= c->y + KARTE_H || !verfuegbar(p))
                continue;
            Screen_Oeffnen_Fuer(Screen_Id::SPIELERKARTE, {.spieler = p, .team = gezeigt});
            return;
        }
    }
    if (Screen_Icon* d = Kit_Icon(ICON_DIALOG_TEAM)) Menue_Dialog_Klick(d, MENUE_E_LINKS);
}

void E2_Screen_Karte_Ablegen(Screen_Icon* g, Screen_Icon* ziel, i32 x, i32 y, u32 ereignis) {
    if (!(ereignis & MENUE_E_DROP) || !eigen()) return;
    const i32 p = spieler_von(g);
    if (p >= 0 && ist_karte(ziel) && ziel != g) {
        const i32 q = spieler_von(ziel);
        if (q >= 0 && q != p) {
            Spieler_Tauschen_Intern(p, q, Team_Aktiv, Team_Aktiv);
            Team_Aufstellung_Manuell(Team_Aktiv);
            Aufstellung_Gesetzt(Team_Aktiv);
        }
    } else if (p >= 0 && ziel && ziel->klick == E2_Screen_Spielfeld_Klick) {
        const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
        i32 c = x, r = y;
        E2_Screen_Maus_In_Feld(&c, &r);
        if (mx > 148 && mx < 778 && my > 118 && my < 503 && Spieler_Setze_Formationsposition(p, c, r))
            Team_Aufstellung_Manuell(Team_Aktiv);
    }
    auswahl_loeschen();
    neu_fuellen();
}

const char* E2_Screen_Hilfetext(Screen_Icon* i) {
    const bool e = eigen();
    // The formation pictures and their points: what a click there does.
    if (i->klick == E2_Screen_Formation_Klick) return text(e ? T_EIGEN : T_FREMD);
    if (!ist_karte(i)) return nullptr;
    const i32 p = spieler_von(i);
    if (p < 0 || p >= Spieler_Anzahl) return nullptr;
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    if (my >= i->y + 16 && mx >= i->x + MARKEN_X) {
        const i32 k = std::min((mx - i->x - MARKEN_X) / MARKEN_DX, 2);
        const char* name = Global_Get_Hauptattribut_Name(p, k);
        return name && *name ? name : nullptr;
    }
    Spieler_Hilfetext(p, e, hilfe, sizeof hilfe);
    if (e) {
        // The own player's condition and morale besides.
        const size_t l = std::char_traits<char>::length(hilfe);
        const Spieler_Status_Text s = Spieler_Status(p);
        const Kit_Einzug w = Kit_Einzug_Bei(SPIELER_HILFE_WERT);
        std::snprintf(hilfe + l, sizeof hilfe - l, "^l%s:%s%s^l%s:%s%s", Text_cfg_Text(TEXT_EINSETZEN_1, 9), w.code,
                      text(T_ERSCHOEPFUNG + std::clamp(Spieler_Get_Erschoepfung(p), 0, 4)),
                      Text_cfg_Text(TEXT_EINSETZEN_1, 10), w.code, s.text);
    }
    return hilfe;
}

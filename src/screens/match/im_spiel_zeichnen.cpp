// The in-match line-up windows drawn: the list and its rows, the figures on
// the pitch (its frame and the switches: im_spiel.cpp), and the hover texts.
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
#include "screens/teile/spielerzeile.h"
#include "screens/teile/sterne.h"
#include "world/attribut.h"
#include "world/global.h"
#include "world/manager.h"
#include "world/modi.h"
#include "world/welt.h"

using namespace im_spiel_intern;

// --- Drawing --------------------------------------------------------------------------------

namespace {

// The match list's row: the shirt number on its badge (narrower than the
// squad's), the stamina at its right edge.
constexpr Kit_Spalte LISTE_NUMMER[] = {{.x = 11, .ausrichtung = Kit_Ausrichtung::MITTE}};
constexpr Kit_Stelle AUSDAUER{Kit_Ausrichtung::RECHTS, 205};

// A left press that began this frame (the menu engine fires left clicks on
// the release; dragging starts on the press).
bool taste_vorher = false;
bool neu_gedrueckt() {
    const bool jetzt = nur_links();
    const bool neu = jetzt && !taste_vorher;
    taste_vorher = (W32_Get_Mouse_Buttons() & MAUS_LINKS) != 0;
    return neu;
}
bool innen(i32 mx, i32 my, i32 x, i32 y, i32 w, i32 h) { return mx >= x && mx < x + w && my >= y && my < y + h; }

// Starts a drag of a figure or a window at the press; moves what is dragged.
void ziehen_pruefen() {
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    Screen_Icon* l = Kit_Icon(ICON_IM_SPIEL_LISTE);
    Screen_Icon* f = Kit_Icon(ICON_IM_SPIEL_FELD);
    if (!l || !f) return;
    if (neu_gedrueckt() && Z.ziehen == 0) {
        // The figures first (they lie over the pitch window); a keeper stays in goal.
        for (i32 k = 0; k < IM_SPIEL_FELDZEILEN && Z.ziehen == 0; ++k) {
            Screen_Icon* fi = Kit_Icon(ICON_IM_SPIEL_FIGUR + k);
            if (!fi || (fi->status & MENUE_S_VERSTECKT) || Z.feld[k] < 0 || static_cast<i32>(fi->user[0]) < 0) continue;
            if (!innen(mx, my, fi->x, fi->y, fi->w, fi->h) || klasse_von(Z.feld[k]) == 0) continue;
            Z.ziehen = 3, Z.figur = k, Z.griff_x = mx - fi->x, Z.griff_y = my - fi->y;
        }
        bool auf_zeile = false;
        for (i32 k = 0; k < IM_SPIEL_ZEILEN; ++k)
            if (const Screen_Icon* z = Kit_Icon(ICON_IM_SPIEL_ZEILE + k); z && innen(mx, my, z->x, z->y, z->w, z->h))
                auf_zeile = true;
        if (const Screen_Icon* s = Kit_Icon(ICON_IM_SPIEL_SCHALTER); s && innen(mx, my, s->x, s->y, s->w, s->h))
            auf_zeile = true;
        if (Z.ziehen == 0 && innen(mx, my, f->x, f->y, f->w, f->h))
            Z.ziehen = 2, Z.griff_x = mx - f->x, Z.griff_y = my - f->y;
        else if (Z.ziehen == 0 && !auf_zeile && innen(mx, my, l->x, l->y, l->w, l->h))
            Z.ziehen = 1, Z.griff_x = mx - l->x, Z.griff_y = my - l->y;
    }
    if (Z.ziehen == 0) return;
    // The release ends the drag where the mouse is now.
    const bool los = !(W32_Get_Mouse_Buttons() & MAUS_LINKS);
    struct Ende {
        bool los;
        ~Ende() {
            if (los) Z.ziehen = 0, Z.figur = -1;
        }
    } ende{los};
    i32 x = mx - Z.griff_x, y = my - Z.griff_y;
    if (Z.ziehen == 1) {
        halten(LISTE_GRENZEN, &x, &y);
        l->x = static_cast<i16>(x), l->y = static_cast<i16>(y);
        zeilen_setzen(x, y);
        platz_merken(ICON_IM_SPIEL_LISTE, x, y);
    } else if (Z.ziehen == 2) {
        halten(FELD_GRENZEN, &x, &y);
        f->x = static_cast<i16>(x), f->y = static_cast<i16>(y);
        platz_merken(ICON_IM_SPIEL_FELD, x, y);
        E_Im_Spiel_Screen_Aufbauen();  // every figure follows its player
    } else if (Screen_Icon* fi = Kit_Icon(ICON_IM_SPIEL_FIGUR + Z.figur)) {
        figur_halten(&x, &y);
        fi->x = static_cast<i16>(x), fi->y = static_cast<i16>(y);
        Spielfeld_Daten* sf = spielfeld();
        const int s = seite(sf);
        const int slot = s >= 0 ? slot_von(sf, s, Z.feld[Z.figur]) : -1;
        if (slot < 0) return;
        const Im_Spiel_Punkt t = E_Im_Spiel_Screen_Zurueck(x + IM_SPIEL_FIGUR_B / 2 - f->x - IM_SPIEL_PLATZ_X,
                                                          y + IM_SPIEL_FIGUR_H / 2 - f->y - IM_SPIEL_PLATZ_Y);
        i32 alt_y = 0;
        const i32 alt_x = Spielfeld_Get_Taktikposition_Lokal(sf, slot, &alt_y);
        if (alt_x != t.x || alt_y != t.y) Spielfeld_Set_Taktikposition(sf, sf->team[s], slot, t.x, t.y);
    }
}

// The legend strip: 4 px from the window, lines of full-size badges, 8 px padding.
constexpr i32 LEISTE_ABSTAND = 4, LEISTE_RAND = 8, LEISTE_ZEILEN = 3, LEISTE_ZEILENHOEHE = 20, LEISTE_BILD_H = 16;
// The name's text bottom under the strip's padding (the badge centred on its letters).
constexpr i32 LEISTE_GRUNDLINIE = 15;
// The screen's free room: under the score line, over the control bar.
constexpr i32 LEISTE_OBERKANTE = 31, LEISTE_UNTERKANTE = 565;
constexpr i32 LEISTE_MAX_H = 2 * LEISTE_RAND + LEISTE_ZEILEN * LEISTE_ZEILENHOEHE - (LEISTE_ZEILENHOEHE - LEISTE_BILD_H);
// Wherever the window stands, the highest strip fits under it or over it.
static_assert(2 * (LEISTE_MAX_H + LEISTE_ABSTAND) <= LEISTE_UNTERKANTE - LEISTE_OBERKANTE - IM_SPIEL_LISTE_H);

void text_links(Rastport* ziel, i32 n, i32 x, i32 y) {
    if (Font* f = Kit_Font(Kit_Schrift::TEXT)) Kit_Printf(ziel, f, FARBE_KOPF, x, y, "%s", text(n));
}

// The legend strip's box of the last frame (h 0: none drawn).
Im_Spiel_Kasten legende_leiste{};

// What the rows' attribute badges stand for: beside "Auf dem Platz", on the
// window's foot line while no message stands there, and what has no room in
// the window on a strip of its own under it (over it where the screen ends
// below), as high as its lines need; all in the narrow small font when the
// usual one cannot name them all.
void legende_zeichnen(Rastport* ziel, i32 x, i32 y) {
    std::vector<i32> liste;
    for (i32 p : Z.feld)
        if (p >= 0) liste.push_back(p);
    for (i32 p : Z.bank)
        if (p >= 0) liste.push_back(p);
    const std::vector<i32> attribute = Attribut_Legende_Sammeln(liste.data(), static_cast<i32>(liste.size()));
    const i32 r = x + IM_SPIEL_LISTE_B - 10;
    std::vector<Attribut_Legende_Platz> plaetze{{.x0 = x + 104, .x1 = r, .y = y + 40}};
    if (Z.meldung <= 0)
        plaetze.push_back({.x0 = x + 6, .x1 = r, .y = y + IM_SPIEL_LISTE_H - 8});
    const size_t leiste = plaetze.size();
    const i32 unten = y + IM_SPIEL_LISTE_H + LEISTE_ABSTAND;
    plaetze.push_back({.x0 = x + 16,
                       .x1 = x + IM_SPIEL_LISTE_B - 16,
                       .y = unten + LEISTE_RAND + LEISTE_GRUNDLINIE,
                       .zeilen = LEISTE_ZEILEN,
                       .zeilenhoehe = LEISTE_ZEILENHOEHE});
    Attribut_Legende_Plan plan = Attribut_Legende_Legen(attribute, GRAFIK_ATTRIBUT, plaetze);
    legende_leiste = {};
    if (const i32 zeilen = plan.zeilen[leiste]; zeilen > 0) {
        const i32 h = 2 * LEISTE_RAND + zeilen * LEISTE_ZEILENHOEHE - (LEISTE_ZEILENHOEHE - LEISTE_BILD_H);
        // Over the window where the strip would run under the control bar.
        const i32 oben = unten + h <= LEISTE_UNTERKANTE ? unten : y - LEISTE_ABSTAND - h;
        for (Attribut_Legende_Plan::Eintrag& e : plan.eintraege)
            if (e.platz == static_cast<i32>(leiste)) e.y += oben - unten;
        legende_leiste = {x, oben, IM_SPIEL_LISTE_B, h};
        Kit_Panel(ziel, x, oben, IM_SPIEL_LISTE_B, h);
    }
    if (Screen_Icon* i = Kit_Icon(ICON_IM_SPIEL_LEGENDE)) {
        i->x = static_cast<i16>(legende_leiste.x), i->y = static_cast<i16>(legende_leiste.y);
        i->w = static_cast<i16>(legende_leiste.w), i->h = static_cast<i16>(legende_leiste.h);
        if (legende_leiste.h > 0) i->status &= ~static_cast<u32>(MENUE_S_VERSTECKT);
        else i->status |= MENUE_S_VERSTECKT;
    }
    Attribut_Legende_Plan_Zeichnen(ziel, plan, GRAFIK_ATTRIBUT);
}

}  // namespace

void E_Im_Spiel_Screen_Liste_Zeichnen(Screen_Icon* i, Rastport* ziel, i32, i32) {
    if (!i || !ziel) return;
    // The match is over (or no longer shown): the windows go and the match
    // is no longer held by them.
    if (!spielfeld()) {
        E_Im_Spiel_Screen_Schliessen();
        return;
    }
    ziehen_pruefen();
    const i32 x = i->x, y = i->y;
    text_links(ziel, T_NR, x + 6, y + 16);
    text_links(ziel, T_NAME, x + 50, y + 16);
    text_links(ziel, T_KONDITION, x + 175, y + 16);
    text_links(ziel, T_STAERKE, x + (std::strlen(text(T_STAERKE)) >= 6 ? 240 : 260), y + 16);
    text_links(ziel, T_ATTRIBUTE, x + 310, y + 16);
    if (Font* f = Kit_Font(Kit_Schrift::TEXT)) {
        Kit_Printf(ziel, f, FARBE_GOLD, x + 6, y + 40, "%s", text(T_PLATZ));
        Kit_Printf(ziel, f, FARBE_GOLD, x + 6, y + 250, "%s", text(T_BANK));
    }
    legende_zeichnen(ziel, x, y);
    if (Z.meldung > 0) {
        const u32 jetzt = W32_Get_Time();
        while (jetzt - Z.meldung_zeit >= MELDUNG_TAKT_MS && Z.meldung_schritt < MELDUNG_SCHRITTE)
            Z.meldung_zeit += MELDUNG_TAKT_MS, ++Z.meldung_schritt, Screen_Puls_Farbe(&Z.puls);
        if (Z.meldung_schritt >= MELDUNG_SCHRITTE) Z.meldung = 0;
        else if (Font* f = Kit_Font(Kit_Schrift::TEXT))
            Kit_Printf_Stelle(ziel, f, PULS_FARBEN[Z.puls.index], x, y + IM_SPIEL_LISTE_H - 8, Kit_Schein::SCHLICHT,
                              {Kit_Ausrichtung::RECHTS, IM_SPIEL_LISTE_B - 10}, "%s", text(T_MELDUNG + Z.meldung));
    }
}

Im_Spiel_Kasten E_Im_Spiel_Screen_Legende_Leiste() { return legende_leiste; }

void E_Im_Spiel_Screen_Zeile_Zeichnen(Screen_Icon* i, Rastport* ziel, i32, i32) {
    if (!i || !ziel) return;
    const i32 k = static_cast<i32>(i->user[1]);
    if (k == 0 && Z.ziehen != 3) E_Im_Spiel_Screen_Aufbauen();
    const i32 p = spieler_der_zeile(k);
    if (!ist_spieler(p)) return;
    const Spielfeld_Daten* sf = spielfeld();
    const int s = seite(sf);
    if (s < 0) return;
    const int slot = slot_von(sf, s, p);
    if (slot < 0) return;
    const Spielfeld_Spieler& sp = sf->spieler[slot];
    const i32 x = i->x, y = i->y, ty = y + 13;
    const bool markiert = an(i->nummer);
    const i32 klasse = klasse_von(p);
    if (Rastport* b = Kit_Bild(GRAFIK_POSITION_KLASSE + KLASSE_BILD[klasse]))
        Blt_Blit(b, 0, 0, -1, -1, ziel, x + 1, y, Blt_Opt_Transparent);
    const i32 nummer = wert(SPIELER_WERT_RUECKENNUMMER, p);
    if (Font* f = Kit_Font(Kit_Schrift::ZAHL))
        Kit_Tabelle_Zeile_Printf(ziel, f, FARBE_WEISS, x + 1 - (nummer >= 10 && nummer <= 19), ty + 1,
                                 Kit_Schein::SCHLICHT, LISTE_NUMMER, "^fb0006\t%d^fe", nummer);
    i32 status = -1;
    if (sp.status & SFS_ROT) status = GRAFIK_IM_SPIEL_ROT;
    else if (sp.status & SFS_GELBROT) status = GRAFIK_IM_SPIEL_GELBROT;
    else if (wartet(sf, s, slot, false)) status = GRAFIK_IM_SPIEL_RAUS;
    else if (wartet(sf, s, slot, true)) status = GRAFIK_IM_SPIEL_REIN;
    else if (sp.status & SFS_VERLETZT) status = GRAFIK_IM_SPIEL_VERLETZT;
    else if ((sp.status & SFS_AUF_DEM_PLATZ) && k < IM_SPIEL_FELDZEILEN) status = GRAFIK_IM_SPIEL_AUF_PLATZ;
    if (status >= 0)
        if (Rastport* b = Kit_Bild(status)) Blt_Blit(b, 0, 0, -1, -1, ziel, x + 27, y + 2, Blt_Opt_Transparent);
    const bool aus = (sp.status & NICHT_EINSETZBAR) != 0;
    if (Font* f = Kit_Font(Kit_Schrift::TEXT)) {
        char name[64];
        Tools_Text_Kuerzen(Spieler_String(63, p, nullptr, 0), name, f, 105);
        Kit_Printf(ziel, f, aus ? FARBE_AUS : markiert ? FARBE_GOLD : FARBE_WEISS, x + 44, ty, "%s", name);
        const i32 prozent = std::clamp(sp.ausdauer * 100 / 10000, 0, 100);
        Kit_Printf_Stelle(ziel, f, prozent < AUSDAUER_WARNUNG ? FARBE_FEHLER : FARBE_WEISS, x, ty, Kit_Schein::SCHLICHT,
                          AUSDAUER, "%d%%", prozent);
    }
    // Players on the pitch lose the deduction of the place they stand;
    // the bench keeps its stars; a player who cannot come on loses all.
    i32 abzug = 0;
    if (aus) abzug = wert(SPIELER_WERT_STAERKE, p);
    else if (k < IM_SPIEL_FELDZEILEN) {
        i32 ty2 = 0;
        const i32 tx = Spielfeld_Get_Taktikposition_Lokal(sf, slot, &ty2);
        abzug = E_Im_Spiel_Screen_Positionsabzug(sf, Z.team, p, tx, ty2);
    }
    Spieler_Sterne_Zeichnen(ziel, p, x + 210, y + 1, abzug, markiert);
    i32 attribute[SPIELER_MARKEN_MAX];
    const int n = Spieler_Marken(p, attribute);
    for (int a = 0; a < n; ++a)
            if (Rastport* b = Kit_Bild((markiert ? GRAFIK_ATTRIBUT_GEWAEHLT : GRAFIK_ATTRIBUT) + attribute[a]))
                Blt_Blit(b, 0, 0, -1, -1, ziel, x + 299 + 28 * a, y + 1, Blt_Opt_Transparent);
}

void E_Im_Spiel_Screen_Figur_Zeichnen(Screen_Icon* i, Rastport* ziel, i32, i32) {
    if (!i || !ziel) return;
    const i32 k = static_cast<i32>(i->user[1]);
    if (k == 0 && Z.ziehen != 3) E_Im_Spiel_Screen_Aufbauen();
    const Spielfeld_Daten* sf = spielfeld();
    const int s = seite(sf);
    i32 p = k >= 0 && k < IM_SPIEL_FELDZEILEN ? Z.feld[k] : -1;
    const int slot = s >= 0 ? slot_von(sf, s, p) : -1;
    const i32 klasse = p >= 0 ? klasse_von(p) : 0;
    if (slot < 0 || (sf->spieler[slot].status & FIGUR_GRAU)) {
        // Injured or sent off: a faded shirt without its number; it can no
        // longer be dragged.
        i->user[0] = static_cast<u32>(-1);
        if (Rastport* b = slot >= 0 ? Kit_Bild(GRAFIK_KADER_TRIKOT + KLASSE_BILD[klasse]) : nullptr)
            Blt_Alpha_Prozent_Transparent(b, 0, 0, -1, -1, ziel, i->x, i->y, 35);
        return;
    }
    if (Rastport* b = Kit_Bild(GRAFIK_KADER_TRIKOT + KLASSE_BILD[klasse]))
        Blt_Blit(b, 0, 0, -1, -1, ziel, i->x, i->y, Blt_Opt_Transparent);
    if (Font* f = Kit_Font(Kit_Schrift::ZAHL))
        Kit_Tabelle_Zeile_Printf(ziel, f, klasse == 0 ? FARBE_DUNKEL : FARBE_WEISS, i->x - 2, i->y + 17,
                                 Kit_Schein::SCHLICHT, SPIELERZEILE_SPALTEN, "^fb0006\t%d^fe",
                                 wert(SPIELER_WERT_RUECKENNUMMER, p));
}

const char* E_Im_Spiel_Screen_Hilfetext(Screen_Icon* i) {
    if (!i) return nullptr;
    if (i->zeichnen == E_Im_Spiel_Screen_Liste_Zeichnen) return Text_cfg_Text(TEXT_ZUSATZ_BEXOT, H_LISTE);
    if (i->zeichnen == E_Im_Spiel_Screen_Feld_Zeichnen) return Text_cfg_Text(TEXT_ZUSATZ_BEXOT, H_FELD);
    if (i->zeichnen == E_Im_Spiel_Screen_Schalter_Zeichnen) return Text_cfg_Text(TEXT_ZUSATZ_BEXOT, H_SCHALTER);
    const i32 p = static_cast<i32>(i->user[0]);
    if (!ist_spieler(p)) return nullptr;
    if (i->zeichnen == E_Im_Spiel_Screen_Zeile_Zeichnen) {
        const i32 dx = Maus_Get_X() - i->x;
        for (int a = 0; a < 3; ++a)
            if (dx >= 296 + 30 * a && dx <= 325 + 30 * a) return Global_Get_Hauptattribut_Name(p, a);
    }
    std::snprintf(Z.hilfe, sizeof Z.hilfe, "%s", Spieler_String(508, p, nullptr, 0));
    return Z.hilfe;
}

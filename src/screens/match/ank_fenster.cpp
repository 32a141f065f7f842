#include "screens/match/ank_fenster.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "base/ruf.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/rastport.h"
#include "gui/ank_seiten.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "match/spielfeld.h"
#include "platform/input.h"
#include "screens/match/im_spiel.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

constexpr i32 DECKKRAFT = 85;  // the panel over the match, in percent
constexpr i32 MAX_ERGEBNISSE = 128;
// The name columns of a results row and the table's name column.
constexpr i32 NAME_ERGEBNIS_B = 74, NAME_TABELLE_B = 84;

struct Grenzen {
    i32 x0, x1_rand, y_unten;  // x held to x0..x1_rand - width; the window ends at y_unten at most when it opens
};
constexpr Grenzen GRENZEN[2] = {{-105, 905, 565}, {-155, 960, 564}};
constexpr i16 RAHMEN[2] = {ICON_ANK_FENSTER_TABELLE, ICON_ANK_FENSTER_ERGEBNISSE};
constexpr i16 INHALT[2] = {ICON_ANK_FENSTER_TABELLE_INHALT, ICON_ANK_FENSTER_ERGEBNISSE_INHALT};
constexpr i16 LEISTE[2] = {ICON_LEISTE_TABELLE, ICON_LEISTE_ERGEBNISSE};

struct Fenster {
    Ank_Fenster_Stand stand;
    std::vector<std::string> markup;  // the rows as drawn
    Rastport_Bild bild;               // the composed rows (colour key 0 around the text)
    bool neu = true;                  // compose again before the next draw
    const Spielfeld_Daten* spielfeld = nullptr;
    i32 minute = -1;
    // Dragging.
    bool ziehen = false, taste_vorher = false;
    i32 griff_x = 0, griff_y = 0;
};
Fenster F[2];

bool welche_ok(i32 w) { return w == ANK_FENSTER_TABELLE || w == ANK_FENSTER_ERGEBNISSE; }
i32 welche_von(const Screen_Icon* i) {
    return i && static_cast<i32>(i->user[0]) == ANK_FENSTER_ERGEBNISSE ? ANK_FENSTER_ERGEBNISSE : ANK_FENSTER_TABELLE;
}
bool team_ok(i32 t) { return t >= 0 && t < Team_Anzahl; }
bool mensch(i32 t) { return team_ok(t) && Team_Mensch_Spielt(t); }

// A club's name cut to the column's width.
std::string name_von(i32 team, i32 breite) {
    std::string s = team_ok(team) ? Team_String(721, team, nullptr, 0) : "?";
    Font* f = Kit_Font(Kit_Schrift::WINZIG);
    while (f && s.size() > 1 && Font_Text_Breite(f, s.c_str()) > breite) s.pop_back();
    return s;
}

// The control bar's button of the window follows whether it is shown.
void leiste_setzen(i32 w, bool an) {
    Menue_Icon_Zustand_Setzen(LEISTE[w], an ? 1 : 0);
    if (Screen_Icon* k = Kit_Icon(LEISTE[w])) {
        if (an) k->status |= MENUE_S_AN;
        else k->status &= ~static_cast<u32>(MENUE_S_AN);
    }
}

// --- What a window shows ----------------------------------------------------------------

// The competition, matchday and leg of the shown match: its fixture's, or
// (a network client, whose pitch names the server's game) the competition's
// current ones.
bool spieltag_von(const Spielfeld_Daten* sf, i32* wettbewerb, i32* spieltag, i32* runde) {
    if (!sf) return false;
    *wettbewerb = static_cast<i32>(sf->wettbewerb);
    if (!ruf::Client())
        if (const Spiel* s = Spiele_Get_Spiel(static_cast<i32>(sf->spiel), true);
            s && s->wettbewerb == sf->wettbewerb) {
            *spieltag = s->spieltag, *runde = s->runde;
            return true;
        }
    const Wettbewerb_Info* info = Wettbewerb_Get_Info(*wettbewerb);
    if (!info) return false;
    *spieltag = std::max(0, info->aktueller_spieltag);
    *runde = std::max(0, info->aktuelle_runde);
    return true;
}

// The window's table: place, the place before in brackets (its number at
// its right edge), club, goal difference and points.
constexpr Kit_Spalte TABELLE_SPALTEN[] = {
    {.x = 15, .ausrichtung = Kit_Ausrichtung::RECHTS}, {.x = 17},
    {.x = 40, .ausrichtung = Kit_Ausrichtung::RECHTS}, {.x = 42},
    {.x = 140, .ausrichtung = Kit_Ausrichtung::RECHTS}, {.x = 160, .ausrichtung = Kit_Ausrichtung::RECHTS},
};
enum Tabelle_Spalte { TS_PLATZ, TS_KLAMMER, TS_VORHER, TS_NAME, TS_DIFFERENZ, TS_PUNKTE };
// The results: home club, the dash, away club; the score about its colon
// (a second leg's a little further right, its clubs in the first leg's order).
constexpr Kit_Spalte ERGEBNIS_SPALTEN[] = {{.x = 2}, {.x = 80, .ausrichtung = Kit_Ausrichtung::MITTE}, {.x = 85}};
constexpr Kit_Spalte TORE_SPALTEN[] = {{.x = 168, .ausrichtung = Kit_Ausrichtung::MITTE},
                               {.x = 174, .ausrichtung = Kit_Ausrichtung::MITTE},
                               {.x = 180, .ausrichtung = Kit_Ausrichtung::MITTE}};
constexpr Kit_Spalte TORE_RUECKSPIEL[] = {{.x = 168, .ausrichtung = Kit_Ausrichtung::MITTE},
                                          {.x = 178, .ausrichtung = Kit_Ausrichtung::MITTE},
                                          {.x = 184, .ausrichtung = Kit_Ausrichtung::MITTE}};

void tabelle_sammeln(Fenster& f) {
    const Ank_Fenster_Stand& st = f.stand;
    for (const Ank_Tabellenzeile& z : Ank_Tabelle_Sammeln(st.wettbewerb, st.spieltag)) {
        char vorher[32], markup[256], text[160];
        const Kit_Einzug vorher_stelle = Kit_Einzug_Bei(Kit_Spalte_Stelle(TABELLE_SPALTEN[TS_VORHER]));
        if (z.vorher > 0) std::snprintf(vorher, sizeof vorher, "^fb0005%s%d.)^fe", vorher_stelle.code, z.vorher);
        else std::snprintf(vorher, sizeof vorher, "%s--)", vorher_stelle.code);
        const std::string name = name_von(z.team, NAME_TABELLE_B);
        const u16 farbe = mensch(z.team) ? FARBE_MENSCH : FARBE_HELL;
        const i32 differenz = z.tore - z.gegentore;
        Kit_Tabelle_Zeile_Setzen(markup, sizeof markup, TABELLE_SPALTEN, "^c%05d^fb0005\t%d^fe.\t(\v%s\t%s^fb0006\t%d\t%d^fe",
                                 farbe, z.platz, vorher, name.c_str(), differenz, z.punkte);
        std::snprintf(text, sizeof text, "%d. (%s) %s %d %d", z.platz,
                      z.vorher > 0 ? std::to_string(z.vorher).append(".").c_str() : "--", name.c_str(), differenz,
                      z.punkte);
        f.markup.emplace_back(markup);
        f.stand.zeilen.push_back({text, z.team, -1, mensch(z.team)});
    }
}

void ergebnisse_sammeln(Fenster& f) {
    const Ank_Fenster_Stand& st = f.stand;
    for (u32 i = 0; i < MAX_ERGEBNISSE; ++i) {
        i32 a = -1, b = -1, ta = -1, tb = -1;
        {
            Spiele_Lock_Halter lock(Spiele_Lock(static_cast<u32>(st.wettbewerb), static_cast<u32>(st.spieltag),
                                                static_cast<u32>(st.runde), i));
            const Spiel* s = lock ? Spiele_Get_Spiel(lock.Handle(), false) : nullptr;
            if (!s) break;
            a = s->team_a, b = s->team_b, ta = s->tore_a, tb = s->tore_b;
        }
        if (a < 0 && b < 0) continue;  // a place not drawn yet
        // A second leg shows its clubs in the order of the first.
        bool rueckspiel = false;
        if (st.runde > 0) {
            Spiele_Lock_Halter erstes(Spiele_Lock(static_cast<u32>(st.wettbewerb), static_cast<u32>(st.spieltag), 0, i));
            const Spiel* s = erstes ? Spiele_Get_Spiel(erstes.Handle(), false) : nullptr;
            rueckspiel = s && s->team_a == b && s->team_b == a;
        }
        if (rueckspiel) std::swap(a, b), std::swap(ta, tb);
        const std::string na = name_von(a, NAME_ERGEBNIS_B), nb = name_von(b, NAME_ERGEBNIS_B);
        const u16 fa = mensch(a) ? FARBE_MENSCH : FARBE_HELL, fb = mensch(b) ? FARBE_MENSCH : FARBE_HELL;
        char tore[64], markup[256], text[160];
        const std::span<const Kit_Spalte> tore_spalten = rueckspiel ? TORE_RUECKSPIEL : TORE_SPALTEN;
        if (ta >= 0 && tb >= 0) {
            Kit_Tabelle_Zeile_Setzen(tore, sizeof tore, tore_spalten, "\t%d\t:\t%d", ta, tb);
            std::snprintf(text, sizeof text, "%s - %s %d:%d", na.c_str(), nb.c_str(), ta, tb);
        } else {
            Kit_Tabelle_Zeile_Setzen(tore, sizeof tore, tore_spalten, "\t-\t:\t-");
            std::snprintf(text, sizeof text, "%s - %s -:-", na.c_str(), nb.c_str());
        }
        Kit_Tabelle_Zeile_Setzen(markup, sizeof markup, ERGEBNIS_SPALTEN, "^c%05d\t%s\t-^c%05d\t%s ^c%05d%s", fa, na.c_str(), fb,
                                 nb.c_str(), FARBE_WEISS, tore);
        f.markup.emplace_back(markup);
        f.stand.zeilen.push_back({text, a, b, mensch(a) || mensch(b)});
    }
}

// Gathers the rows for the shown match; false without any.
bool sammeln(i32 w) {
    Fenster& f = F[w];
    const Spielfeld_Daten* sf = E_Im_Spiel_Screen_Spielfeld();
    f.markup.clear();
    f.stand.zeilen.clear();
    f.spielfeld = sf;
    f.minute = sf ? sf->minute : -1;
    if (!spieltag_von(sf, &f.stand.wettbewerb, &f.stand.spieltag, &f.stand.runde)) return false;
    // A network client asks the server for the other games' goals first.
    if (ruf::Client() && w == ANK_FENSTER_ERGEBNISSE)
        Spiele_Hole_Tore(static_cast<u32>(f.stand.wettbewerb), static_cast<u32>(f.stand.spieltag),
                         static_cast<u32>(f.stand.runde), sf->minute, 0);
    if (w == ANK_FENSTER_TABELLE) tabelle_sammeln(f);
    else ergebnisse_sammeln(f);
    f.stand.breite = ANK_FENSTER_BREITE[w];
    f.stand.hoehe = static_cast<i32>(f.stand.zeilen.size()) * ANK_FENSTER_ZEILE + 2;
    return !f.stand.zeilen.empty();
}

// Composes the rows into the window's picture.
void aufbauen(i32 w) {
    Fenster& f = F[w];
    f.bild.reset();
    f.neu = false;
    if (!sammeln(w)) return;
    f.bild.reset(Rastport_Neu_Einfach(f.stand.breite, f.stand.hoehe, 16));
    if (!f.bild) return;
    ++f.stand.aufbauten;
    Blt_Rechteck(f.bild.get(), 0, 0, f.stand.breite, f.stand.hoehe, 0);
    if (Font* ft = Kit_Font(Kit_Schrift::WINZIG))
        for (size_t k = 0; k < f.markup.size(); ++k)
            Kit_Text(f.bild.get(), ft, FARBE_HELL, f.markup[k].c_str(), 0,
                     ANK_FENSTER_ERSTE_ZEILE + static_cast<i32>(k) * ANK_FENSTER_ZEILE);
}

// --- Place -------------------------------------------------------------------------------------

void halten(i32 w, i32* x, i32* y) {
    const Grenzen& g = GRENZEN[w];
    *x = std::clamp(*x, g.x0, g.x1_rand - ANK_FENSTER_BREITE[w]);
    *y = std::clamp(*y, 31, std::max(31, 565 - F[w].stand.hoehe));
}

void platz_setzen(i32 w, i32 x, i32 y) {
    for (i16 n : {RAHMEN[w], INHALT[w]})
        if (Screen_Icon* i = Kit_Icon(n)) {
            i->x = static_cast<i16>(x), i->y = static_cast<i16>(y);
            i->w = static_cast<i16>(F[w].stand.breite), i->h = static_cast<i16>(F[w].stand.hoehe);
        }
    F[w].stand.x = x, F[w].stand.y = y;
}

void platz_merken(i32 w, i32 x, i32 y) {
    Menue_Icon_Zustand_Setzen(RAHMEN[w], static_cast<u32>(x));
    Menue_Icon_Zustand_Setzen(INHALT[w], static_cast<u32>(y));
}

// The remembered place, or the window's own while none is; a window that
// would reach below the bar is pulled up.
void platz_lesen(i32 w, i32* x, i32* y) {
    const i32 mx = static_cast<i32>(Menue_Icon_Zustand(RAHMEN[w])), my = static_cast<i32>(Menue_Icon_Zustand(INHALT[w]));
    *x = mx == 0 && my == 0 ? ANK_FENSTER_X[w] : mx;
    *y = mx == 0 && my == 0 ? ANK_FENSTER_Y : my;
    if (*y + F[w].stand.hoehe > GRENZEN[w].y_unten) *y = GRENZEN[w].y_unten - F[w].stand.hoehe;
    halten(w, x, y);
}

// A window's icons carry in user word 0 which window they belong to.
// A window is two panels, its frame and its content (sized when it opens).
constexpr Screen_Icon PANEL = Kit_Panel_Icon({.w = 1,
                                              .h = 1,
                                              .ebene = 21,
                                              .klick = Ank_Fenster_Klick,
                                              .zeichnen = Ank_Fenster_Zeichnen,
                                              .flags = MENUE_F_BEIDE_TASTEN});
constexpr Screen_Icon INHALT_PANEL = [] {
    Screen_Icon i = PANEL;
    i.ebene = 22, i.zeichnen = Ank_Fenster_Inhalt_Zeichnen;
    return i;
}();
constexpr auto TABELLE = Icon_Tabelle_Aus<Icon_Besitzer::ANK_FENSTER>(
    Kit_Zeilen<1>(Kit_Icon_Bei(PANEL, ICON_ANK_FENSTER_TABELLE, 0, 0), {.erster_index = ANK_FENSTER_TABELLE}),
    Kit_Zeilen<1>(Kit_Icon_Bei(INHALT_PANEL, ICON_ANK_FENSTER_TABELLE_INHALT, 0, 0),
                  {.erster_index = ANK_FENSTER_TABELLE}));
constexpr auto ERGEBNISSE = Icon_Tabelle_Aus<Icon_Besitzer::ANK_FENSTER>(
    Kit_Zeilen<1>(Kit_Icon_Bei(PANEL, ICON_ANK_FENSTER_ERGEBNISSE, 0, 0), {.erster_index = ANK_FENSTER_ERGEBNISSE}),
    Kit_Zeilen<1>(Kit_Icon_Bei(INHALT_PANEL, ICON_ANK_FENSTER_ERGEBNISSE_INHALT, 0, 0),
                  {.erster_index = ANK_FENSTER_ERGEBNISSE}));
const Screen_Icon* tabelle_von(i32 w) { return w == ANK_FENSTER_TABELLE ? TABELLE.daten() : ERGEBNISSE.daten(); }

// Redrawn when marked, when another match is shown and, on a network client,
// when the shown match's minute moved on.
bool veraltet(const Fenster& f) {
    const Spielfeld_Daten* sf = E_Im_Spiel_Screen_Spielfeld();
    if (f.neu || sf != f.spielfeld) return true;
    return ruf::Client() && sf && sf->minute != f.minute;
}

// The window follows a held left button from a press on it.
void ziehen(i32 w, Screen_Icon* r) {
    Fenster& f = F[w];
    const u32 tasten = W32_Get_Mouse_Buttons();
    const bool links = (tasten & (MAUS_LINKS | MAUS_RECHTS)) == MAUS_LINKS;
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    const bool innen = mx >= r->x && mx < r->x + r->w && my >= r->y && my < r->y + r->h;
    if (links && !f.taste_vorher && !f.ziehen && innen) f.ziehen = true, f.griff_x = mx - r->x, f.griff_y = my - r->y;
    f.taste_vorher = (tasten & MAUS_LINKS) != 0;
    if (!f.ziehen) return;
    i32 x = mx - f.griff_x, y = my - f.griff_y;
    halten(w, &x, &y);
    platz_setzen(w, x, y);
    if (!(tasten & MAUS_LINKS)) {
        // Let go: both icons stay where the window is, remembered for the manager.
        f.ziehen = false;
        platz_merken(w, x, y);
    }
}

void oeffnen_oder_schliessen(i32 w) {
    if (Ank_Fenster_Offen(w)) {
        Spielankuendigung_Set_Icons(w);
        leiste_setzen(w, false);
        return;
    }
    leiste_setzen(w, Spielankuendigung_Blit_Seite(w));
}

}  // namespace

bool Spielankuendigung_Blit_Seite(i32 w) {
    if (!welche_ok(w)) return false;
    if (Ank_Fenster_Offen(w)) return true;
    Fenster& f = F[w];
    aufbauen(w);
    if (!f.bild) return false;
    Menue_Screen_Icon_Tabelle_Hinzufuegen(tabelle_von(w));
    i32 x = 0, y = 0;
    platz_lesen(w, &x, &y);
    platz_setzen(w, x, y);
    f.ziehen = false;
    f.taste_vorher = (W32_Get_Mouse_Buttons() & MAUS_LINKS) != 0;
    return true;
}

void Spielankuendigung_Set_Icons(i32 w) {
    if (!welche_ok(w)) return;
    Menue_Screen_Icon_Tabelle_Loeschen(tabelle_von(w));
    Fenster& f = F[w];
    f.ziehen = false;
    f.bild.reset();
    f.neu = true;
    Blt_Cache_Leeren();
}

void Spielankuendigung_Set_Refresh() { F[0].neu = F[1].neu = true; }

bool Ank_Fenster_Offen(i32 w) { return welche_ok(w) && Menue_Screen_Icon_Ist_Vorhanden(RAHMEN[w]); }

Ank_Fenster_Stand Ank_Fenster_Holen(i32 w) { return welche_ok(w) ? F[w].stand : Ank_Fenster_Stand{}; }

Screen_Def Ank_Fenster_Tabelle_Screen_Def() {
    return {.name = "Tabelle im Spiel",
            .icons = Icon_Besitzer::ANK_FENSTER,
            .oeffnen = [] { oeffnen_oder_schliessen(ANK_FENSTER_TABELLE); },
            .schliessen =
                [] {
                    Spielankuendigung_Set_Icons(ANK_FENSTER_TABELLE);
                    leiste_setzen(ANK_FENSTER_TABELLE, false);
                }};
}

Screen_Def Ank_Fenster_Ergebnisse_Screen_Def() {
    return {.name = "Ergebnisse im Spiel",
            .icons = Icon_Besitzer::ANK_FENSTER,
            .oeffnen = [] { oeffnen_oder_schliessen(ANK_FENSTER_ERGEBNISSE); },
            .schliessen =
                [] {
                    Spielankuendigung_Set_Icons(ANK_FENSTER_ERGEBNISSE);
                    leiste_setzen(ANK_FENSTER_ERGEBNISSE, false);
                }};
}

void Ank_Fenster_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i || !(ereignis & MENUE_E_RECHTS)) return;
    // A right click takes the window away and switches its button off; the
    // place stays remembered.
    const i32 w = welche_von(i);
    Spielankuendigung_Set_Icons(w);
    leiste_setzen(w, false);
}

void Ank_Fenster_Zeichnen(Screen_Icon* i, Rastport* ziel, i32, i32) {
    if (!i || !ziel) return;
    const i32 w = welche_von(i);
    Fenster& f = F[w];
    if (veraltet(f)) {
        aufbauen(w);
        if (!f.bild) {
            // The match is over (or its competition has nothing to show): the window goes.
            Spielankuendigung_Set_Icons(w);
            leiste_setzen(w, false);
            return;
        }
        i32 x = i->x, y = i->y;
        halten(w, &x, &y);
        platz_setzen(w, x, y);
    }
    ziehen(w, i);
    Blt_Rechteck_Alpha(ziel, i->x, i->y, i->w, i->h, FARBE_NAVY, DECKKRAFT);
    Blt_Rechteck(ziel, i->x, i->y, i->w, 1, FARBE_KANTE_HELL);
    Blt_Rechteck(ziel, i->x, i->y + i->h - 1, i->w, 1, FARBE_KANTE_DUNKEL);
}

void Ank_Fenster_Inhalt_Zeichnen(Screen_Icon* i, Rastport* ziel, i32, i32) {
    if (!i || !ziel) return;
    const Fenster& f = F[welche_von(i)];
    if (f.bild) Blt_Blit(f.bild.get(), 0, 0, -1, -1, ziel, i->x, i->y, Blt_Opt_Transparent);
}

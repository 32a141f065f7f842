// The header bar pictures of the live view.
#include "screens/live_view/kopfzeile.h"

#include <cstdio>

#include "grafik_nummern.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/kit.h"
#include "gui/menue_spiel.h"
#include "gui/palette.h"
#include "gui/wappen.h"
#include "screens/live_view/spielansicht.h"
#include "world/welt.h"

namespace {

// Where the crests and names sit on a bar.
struct Bar_Art {
    i32 grafik;                            // the blank bar
    i32 heim_x, gast_x, wappen_y, wappen;  // crests: x of each, y, size
    Kit_Schrift font;
    i32 name_y;
    // The names' columns, each as wide as its room before the score and
    // the minute: the home name from its left edge, the away name to its right.
    Kit_Spalte heim, gast;
};
constexpr Bar_Art GROSS{GRAFIK_LIVE_KOPF_GROSS,
                        15,
                        753,
                        2,
                        28,
                        Kit_Schrift::SCHMAL_GROSS,
                        20,
                        {.x = 60, .breite = 185},
                        {.x = 734 - 150, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = 150}};
constexpr Bar_Art KLEIN{GRAFIK_LIVE_KOPF_KLEIN,
                        7,
                        380,
                        2,
                        14,
                        Kit_Schrift::TEXT,
                        12,
                        {.x = 30, .breite = 118},
                        {.x = 374 - 110, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = 110}};

i32 gezeigtes_team() { return Menue_Spiel_Team_Waehlen(nullptr, -1); }

const char* vereinsname(u32 team) {
    return team < static_cast<u32>(Team_Anzahl) ? Team_String(721, static_cast<int>(team), nullptr, 0) : "";
}

void namen(Rastport* bar, const Bar_Art& a, const Spielfeld_Daten& sf, i32 gezeigt) {
    Font* f = Kit_Font(a.font);
    const Kit_Spalte* spalten[2] = {&a.heim, &a.gast};
    for (int seite = 0; seite < 2; ++seite) {
        const u16 farbe = static_cast<i32>(sf.team[seite]) == gezeigt ? FARBE_GEWAEHLT : FARBE_WEISS;
        // A long name is cut to its room: it never runs into the score or the minute.
        char name[128];
        std::snprintf(name, sizeof name, "%s", vereinsname(sf.team[seite]));
        Font_Text_Kuerzen(name, name, f, spalten[seite]->breite);
        Kit_Printf_Glatt_Neu(bar, f, farbe, 0, a.name_y, "%s%s",
                             Kit_Einzug_Bei(Kit_Spalte_Stelle(*spalten[seite])).code, name);
    }
}

// The blank bar, ready to copy; null when it cannot be had.
Rastport_Bild leer_laden(const Bar_Art& a) {
    Rastport_Bild leer{Resf_Grafik_Laden(a.grafik)};
    if (leer && !Rastport_Lock(leer.get())) leer.reset();
    return leer;
}

// The bar as a whole: blank bar, crests, names. Drawn afresh every time,
// so a name never lies over an older one in another colour.
void zeichnen(Rastport* bar, Rastport* leer, const Bar_Art& a, const Spielfeld_Daten& sf, i32 gezeigt) {
    Blt_Blit(leer, 0, 0, leer->breite, leer->hoehe, bar, 0, 0, Blt_Opt_Standard);
    const i32 x[2] = {a.heim_x, a.gast_x};
    for (int seite = 0; seite < 2; ++seite)
        if (sf.team[seite] < static_cast<u32>(Team_Anzahl))
            Wappen_Blit(static_cast<i32>(sf.team[seite]), bar, x[seite], a.wappen_y, a.wappen, a.wappen, nullptr);
    namen(bar, a, sf, gezeigt);
}

void neu_zeichnen(Rastport* bar, const Bar_Art& a, const Spielfeld_Daten& sf, i32 gezeigt) {
    if (!bar) return;
    if (const Rastport_Bild leer = leer_laden(a))
        if (leer->breite == bar->breite && leer->hoehe == bar->hoehe) zeichnen(bar, leer.get(), a, sf, gezeigt);
}

Rastport_Bild bauen(const Bar_Art& a, const Spielfeld_Daten& sf, i32 gezeigt) {
    const Rastport_Bild leer = leer_laden(a);
    if (!leer) return nullptr;
    Rastport_Bild bar{Rastport_Neu_Einfach(leer->breite, leer->hoehe, Screen_Rastport ? Screen_Rastport->tiefe() : 16)};
    if (bar) {
        bar->grafik = a.grafik;  // the blank bar it was made of
        zeichnen(bar.get(), leer.get(), a, sf, gezeigt);
    }
    return bar;
}

}  // namespace

bool Spielansicht_Kopfzeilen_Bauen(Spielansicht_View* v) {
    if (!v) return false;
    Spielansicht_Kopfzeilen_Free(v);
    if (!v->pitch) return true;
    const i32 gezeigt = gezeigtes_team();
    v->kopf_gross = bauen(GROSS, *v->pitch, gezeigt);
    v->kopf_klein = bauen(KLEIN, *v->pitch, gezeigt);
    return true;
}

void Spielansicht_Kopfzeilen_Namen() {
    const i32 gezeigt = gezeigtes_team();
    Spielansicht_View* views = Spielansicht_Views();
    for (int s = 0; s < SA_VIEWS; ++s) {
        Spielansicht_View& v = views[s];
        if (!v.active || !v.pitch) continue;
        neu_zeichnen(v.kopf_gross.get(), GROSS, *v.pitch, gezeigt);
        neu_zeichnen(v.kopf_klein.get(), KLEIN, *v.pitch, gezeigt);
    }
}

void Spielansicht_Kopfzeilen_Free(Spielansicht_View* v) {
    if (!v) return;
    v->kopf_gross.reset();
    v->kopf_klein.reset();
}

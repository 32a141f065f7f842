// The attribute badges of a screen and their legend, read from the draw
// trace (for the screens' tests).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "graphics/font.h"
#include "graphics/zeichenspur.h"
#include "gui/palette.h"
#include "kit.h"
#include "season/optionen.h"
#include "world/global.h"
#include "world/welt.h"

namespace {

// The drawn width of a traced text (the trace keeps only where it starts).
inline i32 Breite_Von(const Zeichenspur_Eintrag& t) {
    Font* f = Font_Tabelle_Holen(t.font);
    return f ? Font_Text_Breite(f, t.sichtbar.c_str()) : 0;
}

struct Kasten {
    i32 x0 = 0, y0 = 0, x1 = 800, y1 = 600;
    bool um(i32 x, i32 y, i32 w, i32 h) const { return x >= x0 && y >= y0 && x + w <= x1 && y + h <= y1; }
};

// The attributes whose badges (basis + attribute) stand inside `wo`, each
// once, as often as drawn in `anzahl`.
inline std::vector<i32> Marken_In(i32 basis, Kasten wo) {
    std::vector<i32> r;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        if (e.art == SPUR_BLIT && e.grafik >= basis && e.grafik < basis + ATTRIBUT_ANZAHL &&
            wo.um(e.x, e.y, e.breite, e.hoehe) && std::find(r.begin(), r.end(), e.grafik - basis) == r.end())
            r.push_back(e.grafik - basis);
    return r;
}

// The legend's entries inside `wo`: each attribute whose whole name is drawn
// there. Each is checked to carry its badge (basis + attribute) just before
// its name on its line, and no entry to run into another.
inline std::vector<i32> Legende_In(i32 basis, Kasten wo) {
    std::vector<i32> r;
    std::vector<const Zeichenspur_Eintrag*> stuecke;
    for (const Zeichenspur_Eintrag& t : Zeichenspur_Eintraege()) {
        if (t.art != SPUR_TEXT || !wo.um(t.x, t.y - 10, Breite_Von(t), 10)) continue;
        for (i32 a = 0; a < ATTRIBUT_ANZAHL; ++a) {
            if (t.sichtbar != Attribut_Tabelle[a].name || std::find(r.begin(), r.end(), a) != r.end()) continue;
            const Zeichenspur_Eintrag* marke = nullptr;
            for (const Zeichenspur_Eintrag& b : Zeichenspur_Eintraege())
                if (b.art == SPUR_BLIT && b.grafik == basis + a && b.x + b.breite <= t.x && b.x + b.breite >= t.x - 6 &&
                    b.y < t.y && b.y + b.hoehe > t.y - 10)
                    marke = &b;
            EXPECT_TRUE(marke) << t.sichtbar << ": its badge just before its name";
            if (!marke) continue;
            EXPECT_TRUE(wo.um(marke->x, marke->y, marke->breite, marke->hoehe)) << t.sichtbar << " " << marke->x << "," << marke->y << " " << marke->breite << "x" << marke->hoehe << " text " << t.x << "," << t.y;
            r.push_back(a);
            stuecke.push_back(marke);
            stuecke.push_back(&t);
        }
    }
    // Apart: no two pieces (badges, names) overlap.
    auto oben = [](const Zeichenspur_Eintrag* e) { return e->art == SPUR_TEXT ? e->y - 10 : e->y; };
    auto hoch = [](const Zeichenspur_Eintrag* e) { return e->art == SPUR_TEXT ? 10 : e->hoehe; };
    auto breit = [](const Zeichenspur_Eintrag* e) { return e->art == SPUR_TEXT ? Breite_Von(*e) : e->breite; };
    for (size_t i = 0; i < stuecke.size(); ++i)
        for (size_t k = i + 1; k < stuecke.size(); ++k) {
            const Zeichenspur_Eintrag *p = stuecke[i], *q = stuecke[k];
            const bool quer = p->x < q->x + breit(q) && q->x < p->x + breit(p);
            const bool hochkant = oben(p) < oben(q) + hoch(q) && oben(q) < oben(p) + hoch(p);
            EXPECT_FALSE(quer && hochkant) << "legend pieces overlap at " << p->x << "," << p->y << " and " << q->x
                                           << "," << q->y;
        }
    return r;
}

// Every badge in `reihen` is named in the legend (in one of the boxes
// `legende`), unless the legend is full: then at least `mindestens` are.
// A selected row's badges (`basis_gewaehlt`, when given) count as its rows'.
// The legend draws the rows' badges, or their small form (`basis_legende`).
inline void Legende_Erklaert(i32 basis, Kasten reihen, std::initializer_list<Kasten> legende, size_t mindestens = 99,
                             i32 basis_gewaehlt = -1, i32 basis_legende = -1) {
    std::vector<i32> gezeigt = Marken_In(basis, reihen);
    if (basis_gewaehlt >= 0)
        for (i32 a : Marken_In(basis_gewaehlt, reihen))
            if (std::find(gezeigt.begin(), gezeigt.end(), a) == gezeigt.end()) gezeigt.push_back(a);
    std::vector<i32> erklaert;
    for (const Kasten& k : legende)
        for (i32 a : Legende_In(basis_legende >= 0 ? basis_legende : basis, k)) erklaert.push_back(a);
    ASSERT_FALSE(gezeigt.empty()) << "no badges drawn";
    size_t drin = 0;
    for (i32 a : gezeigt) drin += std::find(erklaert.begin(), erklaert.end(), a) != erklaert.end();
    for (i32 a : erklaert)
        EXPECT_NE(std::find(gezeigt.begin(), gezeigt.end(), a), gezeigt.end()) << Attribut_Tabelle[a].name << " is on no row";
    EXPECT_GE(drin, std::min(gezeigt.size(), mindestens)) << drin << " of " << gezeigt.size() << " badges named";
}

// No other text of the frame runs into a piece of the legend in `legende`
// (a name of the legend and the badge just before it, basis + attribute),
// and no other picture stands over one. The count of pieces checked.
inline size_t Legende_Frei(i32 basis, Kasten legende) {
    struct Rechteck {
        i32 x, y, w, h;
        bool schneidet(const Rechteck& o) const { return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h; }
    };
    std::vector<Rechteck> stuecke;
    std::vector<const Zeichenspur_Eintrag*> eigene;
    const std::vector<Zeichenspur_Eintrag>& spur = Zeichenspur_Eintraege();
    for (const Zeichenspur_Eintrag& t : spur) {
        if (t.art != SPUR_TEXT || !legende.um(t.x, t.y - 10, Breite_Von(t), 10)) continue;
        for (i32 a = 0; a < ATTRIBUT_ANZAHL; ++a)
            if (t.sichtbar == Attribut_Tabelle[a].name) {
                stuecke.push_back({t.x, t.y - 10, Breite_Von(t), 10});
                eigene.push_back(&t);
                for (const Zeichenspur_Eintrag& b : spur)
                    if (b.art == SPUR_BLIT && b.grafik == basis + a && b.x + b.breite <= t.x && b.x + b.breite >= t.x - 6 &&
                        b.y < t.y && b.y + b.hoehe > t.y - 10)
                        stuecke.push_back({b.x, b.y, b.breite, b.hoehe}), eigene.push_back(&b);
            }
    }
    for (const Zeichenspur_Eintrag& e : spur) {
        if (std::find(eigene.begin(), eigene.end(), &e) != eigene.end()) continue;
        Rechteck r{};
        if (e.art == SPUR_TEXT) r = {e.x, e.y - 10, Breite_Von(e), 10};
        else if (e.art == SPUR_BLIT && e.breite < 200 && e.hoehe < 100) r = {e.x, e.y, e.breite, e.hoehe};
        else continue;  // backgrounds and panels the legend stands on
        if (r.w <= 0 || r.h <= 0) continue;
        for (const Rechteck& s : stuecke)
            EXPECT_FALSE(s.schneidet(r)) << (e.art == SPUR_TEXT ? "text \"" + e.sichtbar + "\"" : "picture " + std::to_string(e.grafik))
                                         << " at " << e.x << "," << e.y << " runs into the legend's piece at " << s.x << ","
                                         << s.y;
    }
    return stuecke.size();
}

// The help box's text in the trace: its shadow and its text one pixel
// apart; "" without a box.
inline std::string Hilfe_Im_Bild() {
    const std::vector<Zeichenspur_Eintrag>& e = Zeichenspur_Eintraege();
    for (size_t i = 0; i + 1 < e.size(); ++i)
        if (e[i].art == SPUR_TEXT && e[i + 1].art == SPUR_TEXT && e[i].farbe == FARBE_SCHATTEN &&
            e[i + 1].farbe == FARBE_WEISS && e[i].x == e[i + 1].x + 1 && e[i].y == e[i + 1].y + 1 &&
            e[i].sichtbar == e[i + 1].sichtbar)
            return e[i + 1].sichtbar;
    return "";
}

// The help box with the mouse resting at (x, y) as long as a player waits
// for it, help texts switched on for the active manager.
inline std::string Hilfe_Bei(i32 x, i32 y) {
    Option_Wert(OPTION_TEAM_ERSTE, 1, 1);
    kit::Maus(x, y);
    kit::Frames(3, 400);
    kit::Spur_Leeren();
    kit::Frames(1);
    return Hilfe_Im_Bild();
}

// Every badge (basis + attribute, or basis_gewaehlt + attribute) drawn in
// the last frame inside `reihen`: with the mouse resting on its middle, the
// help box names the attribute. The count of badges checked.
inline size_t Marken_Hilfe_Pruefen(i32 basis, Kasten reihen, i32 basis_gewaehlt = -1) {
    struct Marke {
        i32 a, x, y;
    };
    std::vector<Marke> marken;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege()) {
        if (e.art != SPUR_BLIT || !reihen.um(e.x, e.y, e.breite, e.hoehe)) continue;
        i32 a = -1;
        if (e.grafik >= basis && e.grafik < basis + ATTRIBUT_ANZAHL) a = e.grafik - basis;
        else if (basis_gewaehlt >= 0 && e.grafik >= basis_gewaehlt && e.grafik < basis_gewaehlt + ATTRIBUT_ANZAHL)
            a = e.grafik - basis_gewaehlt;
        const i32 mx = e.x + e.breite / 2, my = e.y + e.hoehe / 2;
        if (a >= 0 && std::none_of(marken.begin(), marken.end(), [&](const Marke& m) { return m.x == mx && m.y == my; }))
            marken.push_back({a, mx, my});
    }
    for (const Marke& m : marken)
        EXPECT_EQ(Hilfe_Bei(m.x, m.y), Attribut_Tabelle[m.a].name) << "the badge at " << m.x << "," << m.y;
    return marken.size();
}

}  // namespace

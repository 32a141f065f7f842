// Pictures of the player screens: the special-attribute icons in their five
// sizes, the stacked pieces of the attribute popup, markers and the
// suspension and injury signs of the player card.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>

#include "base/cp1252.h"
#include "resgen.h"
#include "world/attribut_marke.h"

namespace resgen {

namespace {

constexpr u32 NAVY = 0x0E1A2B, PANEL = 0x16263D, KANTE_HELL = 0x3C5A82, KANTE_DUNKEL = 0x0A1320;
constexpr u32 KNOPF_OBEN = 0x23395A, KREIDE = 0xF2F4F0, GOLD = 0xF2B33D, GUT = 0x3FB26B, SCHLECHT = 0xD9483B,
              INFO = 0x4A90D9;

// The colour of an attribute's group, one each: basics in the neutral blue,
// advanced in green, mastery in violet, weaknesses in red, the goalkeeper's
// in orange, the star training in gold.
u32 familie(i32 a) {
    constexpr u32 FARBE[ATTRIBUT_GRUPPEN] = {INFO, GUT, 0x9B6BD9, SCHLECHT, 0xE8832E, GOLD};
    return FARBE[static_cast<int>(Attribut_Gruppe_Von(a))];
}

u32 mischen(u32 a, u32 b, double t) {
    auto k = [&](int s) {
        const double x = ((a >> s) & 255) * (1 - t) + ((b >> s) & 255) * t;
        return static_cast<u32>(std::lround(x)) << s;
    };
    return k(16) | k(8) | k(0);
}

// Short forms of the attribute names (UTF-8), `laenge` characters each, no
// two alike (the game's rule, on its Windows-1252 names).
std::vector<std::string> kurzformen(const std::vector<std::string>& namen, size_t laenge) {
    std::vector<std::string> cp;
    for (const std::string& n : namen) cp.push_back(Utf8_To_Cp1252(n));
    std::vector<std::string> r;
    for (const std::string& k : Attribut_Kurzformen(cp, laenge)) r.push_back(Cp1252_To_Utf8(k));
    return r;
}

// Text centred in a box, made smaller until it fits the width.
void text_passend(cairo_t* c, const std::string& t, double cx, double cy, double groesse, double breite, u32 f,
                  const char* schrift) {
    cairo_set_font_face(c, Cairo_Schrift(schrift));
    cairo_text_extents_t e;
    for (; groesse > 4; groesse -= 0.5) {
        cairo_set_font_size(c, groesse);
        cairo_text_extents(c, t.c_str(), &e);
        if (e.x_advance <= breite) break;
    }
    cairo_move_to(c, cx - e.width / 2 - e.x_bearing, cy - e.height / 2 - e.y_bearing);
    Farbe_Setzen(c, f);
    cairo_show_text(c, t.c_str());
}

// A badge: the family's colour as a soft gradient, a light top edge, the
// short form or the name in chalk; selected ones in gold.
void abzeichen(cairo_t* c, i32 w, i32 h, i32 a, const std::string& text, bool gewaehlt, bool lang) {
    const u32 f = familie(a);
    const double r = std::min(h / 2.0 - 1, 5.0);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(g, 0, ((mischen(f, NAVY, 0.35) >> 16) & 255) / 255.0,
                                     ((mischen(f, NAVY, 0.35) >> 8) & 255) / 255.0, (mischen(f, NAVY, 0.35) & 255) / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, ((mischen(f, NAVY, 0.7) >> 16) & 255) / 255.0,
                                     ((mischen(f, NAVY, 0.7) >> 8) & 255) / 255.0, (mischen(f, NAVY, 0.7) & 255) / 255.0);
    Rund_Rechteck(c, 0.5, 0.5, w - 1, h - 1, r);
    cairo_set_source(c, g);
    cairo_fill_preserve(c);
    cairo_pattern_destroy(g);
    cairo_set_line_width(c, 1);
    Farbe_Setzen(c, gewaehlt ? GOLD : mischen(f, KREIDE, 0.25));
    cairo_stroke(c);
    if (h >= 12) {
        Farbe_Setzen(c, KREIDE, 0.35);
        cairo_rectangle(c, r, 1.5, w - 2 * r, 1);
        cairo_fill(c);
    }
    if (lang) {
        // The family's mark at the left, then the name.
        Farbe_Setzen(c, mischen(f, KREIDE, 0.2));
        cairo_arc(c, h / 2.0, h / 2.0, h / 2.0 - 4, 0, 2 * M_PI);
        cairo_fill(c);
        text_passend(c, text, (w + h - 4) / 2.0, h / 2.0, h * 0.55, w - h - 2, gewaehlt ? GOLD : KREIDE,
                     "DejaVuSansCondensed-Bold.ttf");
    } else {
        text_passend(c, text, w / 2.0, h / 2.0 + 0.5, h * 0.62, w - 4, gewaehlt ? GOLD : KREIDE,
                     "DejaVuSansCondensed-Bold.ttf");
    }
}

// A piece of the popup's stack: oben (the header with the title band),
// mitte (a row), unten (the last row with the rounded bottom); "an" the row
// under the mouse.
void stapel(cairo_t* c, i32 w, i32 h, const std::string& teil, bool an) {
    const bool oben = teil == "oben", unten = teil == "unten";
    const double r = 6;
    cairo_new_path(c);
    const double y0 = oben ? 0.5 : 0, y1 = unten ? h - 3.5 : h;
    if (oben) {
        cairo_move_to(c, 0.5, y1);
        cairo_arc(c, 0.5 + r, y0 + r, r, M_PI, 1.5 * M_PI);
        cairo_arc(c, w - 0.5 - r, y0 + r, r, 1.5 * M_PI, 2 * M_PI);
        cairo_line_to(c, w - 0.5, y1);
    } else if (unten) {
        cairo_move_to(c, 0.5, y0);
        cairo_line_to(c, w - 0.5, y0);
        cairo_arc(c, w - 0.5 - r, y1 - r, r, 0, 0.5 * M_PI);
        cairo_arc(c, 0.5 + r, y1 - r, r, 0.5 * M_PI, M_PI);
    } else {
        cairo_rectangle(c, 0.5, y0, w - 1, y1 - y0);
    }
    cairo_close_path(c);
    Farbe_Setzen(c, oben ? KNOPF_OBEN : an ? 0x2C4870 : PANEL);
    cairo_fill_preserve(c);
    cairo_set_line_width(c, 1);
    Farbe_Setzen(c, KANTE_DUNKEL);
    cairo_stroke(c);
    if (oben) {
        Farbe_Setzen(c, KANTE_HELL);
        cairo_rectangle(c, r, 1.5, w - 2 * r, 1);
        cairo_fill(c);
        Farbe_Setzen(c, GOLD);
        cairo_rectangle(c, 8, 25, w - 16, 1.5);
        cairo_fill(c);
    } else {
        // A hairline between rows.
        Farbe_Setzen(c, KANTE_HELL, 0.35);
        cairo_rectangle(c, 8, 0, w - 16, 1);
        cairo_fill(c);
        if (an) {
            Farbe_Setzen(c, GOLD);
            cairo_rectangle(c, 1, 2, 2, (unten ? y1 : h) - 4);
            cairo_fill(c);
        }
    }
}

// A raised panel of the tactics screen (lighter under the mouse).
void taktik_panel(cairo_t* c, i32 w, i32 h, bool hell) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
    const u32 oben = hell ? 0x2C4870 : KNOPF_OBEN, unten = hell ? 0x1C304D : PANEL;
    cairo_pattern_add_color_stop_rgb(g, 0, ((oben >> 16) & 255) / 255.0, ((oben >> 8) & 255) / 255.0, (oben & 255) / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, ((unten >> 16) & 255) / 255.0, ((unten >> 8) & 255) / 255.0, (unten & 255) / 255.0);
    Rund_Rechteck(c, 1.5, 0.5, w - 3, h - 3, 6);
    cairo_set_source(c, g);
    cairo_fill_preserve(c);
    cairo_pattern_destroy(g);
    cairo_set_line_width(c, 1);
    Farbe_Setzen(c, KANTE_DUNKEL);
    cairo_stroke(c);
    Farbe_Setzen(c, KANTE_HELL);
    cairo_rectangle(c, 8, 1.5, w - 16, 1);
    cairo_fill(c);
}

// A small pitch sketch: stripes, lines; the figures drawn by the caller.
void skizze(cairo_t* c, double x, double y, double w, double h) {
    for (int i = 0; i < 6; ++i) {
        Farbe_Setzen(c, i % 2 ? 0x287040 : 0x2E7D46);
        cairo_rectangle(c, x + i * w / 6, y, w / 6 + 0.5, h);
        cairo_fill(c);
    }
    Farbe_Setzen(c, 0xEEF2EA, 0.8);
    cairo_set_line_width(c, 1);
    cairo_rectangle(c, x + 0.5, y + 0.5, w - 1, h - 1);
    cairo_move_to(c, x + w / 2, y), cairo_line_to(c, x + w / 2, y + h);
    cairo_stroke(c);
}
void figur(cairo_t* c, double x, double y, u32 f) {
    cairo_arc(c, x, y, 3.5, 0, 2 * M_PI);
    Farbe_Setzen(c, f);
    cairo_fill_preserve(c);
    Farbe_Setzen(c, NAVY);
    cairo_set_line_width(c, 1);
    cairo_stroke(c);
}
void pfeil(cairo_t* c, double x0, double y0, double x1, double y1, u32 f) {
    Farbe_Setzen(c, f);
    cairo_set_line_width(c, 1.6);
    cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(c, x0, y0), cairo_line_to(c, x1, y1);
    cairo_stroke(c);
    const double a = std::atan2(y1 - y0, x1 - x0);
    cairo_move_to(c, x1, y1);
    cairo_line_to(c, x1 - 5 * std::cos(a - 0.5), y1 - 5 * std::sin(a - 0.5));
    cairo_line_to(c, x1 - 5 * std::cos(a + 0.5), y1 - 5 * std::sin(a + 0.5));
    cairo_close_path(c);
    cairo_fill(c);
}

}  // namespace

std::vector<std::string> Attribut_Namen_Lesen(const std::string& datei) {
    std::vector<std::string> r;
    std::ifstream in(datei);
    std::string zeile;
    bool im_attribut = false;
    while (std::getline(in, zeile)) {
        const size_t s = zeile.find_first_not_of(" \t");
        if (s == std::string::npos) continue;
        if (zeile.compare(s, 14, "NEUES_ATTRIBUT") == 0) {
            im_attribut = true;
        } else if (zeile.compare(s, 4, "NEUE") == 0) {
            im_attribut = false;
        } else if (im_attribut && zeile.compare(s, 4, "NAME") == 0) {
            const size_t a = zeile.find('"'), b = zeile.rfind('"');
            r.push_back(a != std::string::npos && b > a ? zeile.substr(a + 1, b - a - 1) : "?");
            im_attribut = false;
        }
    }
    return r;
}

Rastport* Spielerbild_Zeichnen(const std::string& name, const std::vector<std::string>& arg, i32 w, i32 h, i32 eintrag,
                               const Umgebung& u) {
    auto a = [&](size_t i, const char* standard = "") { return i < arg.size() ? arg[i] : std::string(standard); };
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    if (name == "attribut") {
        // attribut:<first entry>,<gross|karte|normal|gewaehlt|klein>: the icon
        // of attribute (entry - first entry).
        const i32 at = eintrag - std::atoi(a(0, "0").c_str());
        const std::string art = a(1, "normal");
        // Every badge with letters carries the same ones, the small card badges too.
        const std::vector<std::string> kurz = kurzformen(u.attribute, ATTRIBUT_MARKE_LAENGE);
        const std::string nm = at >= 0 && static_cast<size_t>(at) < u.attribute.size() ? u.attribute[static_cast<size_t>(at)]
                                                                                      : std::to_string(at);
        const std::string kf = at >= 0 && static_cast<size_t>(at) < kurz.size() ? kurz[static_cast<size_t>(at)] : nm;
        if (art == "gross") abzeichen(c, w, h, at, nm, false, true);
        else abzeichen(c, w, h, at, kf, art == "gewaehlt", false);
    } else if (name == "stapel") {
        stapel(c, w, h, a(0, "mitte"), a(1) == "an");
    } else if (name == "marke") {
        // marke:<aktiv|negativ|gesperrt>: a row's marker: a gold tick, a red
        // minus or a red cross in a ring.
        const bool aktiv = a(0, "aktiv") == "aktiv", gesperrt = a(0) == "gesperrt";
        const double r = std::min(w, h) / 2.0 - 1;
        cairo_arc(c, w / 2.0, h / 2.0, r, 0, 2 * M_PI);
        Farbe_Setzen(c, NAVY);
        cairo_fill_preserve(c);
        Farbe_Setzen(c, aktiv ? GOLD : SCHLECHT);
        cairo_set_line_width(c, 1.2);
        cairo_stroke(c);
        cairo_set_line_width(c, 1.8);
        cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
        if (aktiv) {
            cairo_move_to(c, w * 0.28, h * 0.52), cairo_line_to(c, w * 0.45, h * 0.7), cairo_line_to(c, w * 0.74, h * 0.32);
        } else if (gesperrt) {
            cairo_move_to(c, w * 0.32, h * 0.32), cairo_line_to(c, w * 0.68, h * 0.68);
            cairo_move_to(c, w * 0.68, h * 0.32), cairo_line_to(c, w * 0.32, h * 0.68);
        } else {
            cairo_move_to(c, w * 0.3, h / 2.0), cairo_line_to(c, w * 0.7, h / 2.0);
        }
        cairo_stroke(c);
    } else if (name == "taktik") {
        // taktik:<abseits|pressing|deckung>[,hell]: a switch's picture, a
        // pitch sketch of what it does.
        const std::string art = a(0, "abseits");
        taktik_panel(c, w, h, a(1) == "hell");
        const double sx = 10, sy = 8, sw = w - 20, sh = h - 18;
        skizze(c, sx, sy, sw, sh);
        const double my = sy + sh / 2;
        if (art == "abseits") {
            // The back line steps up together; the attacker stays behind it.
            Farbe_Setzen(c, GOLD, 0.9);
            cairo_set_line_width(c, 1.2);
            const double strich[] = {3.0, 2.0};
            cairo_set_dash(c, strich, 2, 0);
            cairo_move_to(c, sx + sw * 0.58, sy + 2), cairo_line_to(c, sx + sw * 0.58, sy + sh - 2);
            cairo_stroke(c);
            cairo_set_dash(c, nullptr, 0, 0);
            for (int i = 0; i < 4; ++i) {
                const double y = sy + sh * (0.2 + 0.2 * i);
                pfeil(c, sx + sw * 0.42, y, sx + sw * 0.55, y, KREIDE);
                figur(c, sx + sw * 0.42, y, INFO);
            }
            figur(c, sx + sw * 0.66, my, SCHLECHT);
        } else if (art == "pressing") {
            // Three players close down the man on the ball.
            const double bx = sx + sw * 0.62, by = my;
            figur(c, bx, by, SCHLECHT);
            Farbe_Setzen(c, KREIDE);
            cairo_arc(c, bx + 5, by + 3, 2, 0, 2 * M_PI);
            cairo_fill(c);
            const double px[3] = {0.4, 0.45, 0.78}, py[3] = {0.2, 0.85, 0.25};
            for (int i = 0; i < 3; ++i) {
                const double x = sx + sw * px[i], y = sy + sh * py[i];
                pfeil(c, x, y, x + (bx - x) * 0.7, y + (by - y) * 0.7, GOLD);
                figur(c, x, y, INFO);
            }
        } else {
            // Man-marking: each opponent with his shadow.
            for (int i = 0; i < 4; ++i) {
                const double x = sx + sw * (0.2 + 0.2 * i), y = sy + sh * (i % 2 ? 0.35 : 0.65);
                figur(c, x + 7, y, SCHLECHT);
                Farbe_Setzen(c, GOLD, 0.9);
                cairo_set_line_width(c, 1);
                cairo_move_to(c, x, y), cairo_line_to(c, x + 7, y);
                cairo_stroke(c);
                figur(c, x, y, INFO);
            }
        }
    } else if (name == "stufe") {
        // stufe:<first entry>,<steps>: a stepped value; the step of this
        // entry and those below it lit, from cool to the gold accent.
        const i32 n = std::max(1, std::atoi(a(1, "5").c_str()));
        const i32 stufe = std::clamp(eintrag - std::atoi(a(0, "0").c_str()), 0, n - 1);
        taktik_panel(c, w, h, false);
        const double rand = 12, luecke = 3, bw = (w - 2 * rand - luecke * (n - 1)) / n;
        const double unten = h - 10, oben_min = h * 0.62, oben_max = 10;
        for (i32 i = 0; i < n; ++i) {
            const double t = n > 1 ? static_cast<double>(i) / (n - 1) : 1;
            const double oben = oben_min + (oben_max - oben_min) * t;
            const double x = rand + i * (bw + luecke);
            Rund_Rechteck(c, x, oben, bw, unten - oben, std::min(3.0, bw / 3));
            if (i <= stufe) Farbe_Setzen(c, mischen(INFO, GOLD, t));
            else Farbe_Setzen(c, NAVY);
            cairo_fill_preserve(c);
            Farbe_Setzen(c, i == stufe ? KREIDE : KANTE_HELL, i == stufe ? 1.0 : 0.6);
            cairo_set_line_width(c, 1);
            cairo_stroke(c);
        }
    } else if (name == "schalter") {
        // schalter:<an|aus>[,hell]: a small on/off switch; on in gold.
        const bool an = a(0) == "an", hell = a(1) == "hell";
        const double r = (h - 4) / 2.0;
        Rund_Rechteck(c, 1.5, 1.5, w - 3, h - 4, r);
        Farbe_Setzen(c, an ? mischen(GOLD, NAVY, 0.45) : hell ? 0x2C4870 : NAVY);
        cairo_fill_preserve(c);
        Farbe_Setzen(c, an ? GOLD : KANTE_HELL);
        cairo_set_line_width(c, 1);
        cairo_stroke(c);
        const double kx = an ? w - 2 - r : 2 + r;
        cairo_arc(c, kx, 1.5 + r, r - 2.5, 0, 2 * M_PI);
        Farbe_Setzen(c, an ? GOLD : 0xA9B4C2);
        cairo_fill(c);
    } else if (name == "grossfeld" || name == "kleinfeld") {
        // grossfeld:x,y,w,h: the squad view's frame with the large pitch in
        // that box; kleinfeld[:an]: a small formation pitch (gold edge when chosen).
        const bool gross = name == "grossfeld";
        double px = 4, py = 4, pw = w - 8, ph = h - 8;
        if (gross) {
            taktik_panel(c, w, h, false);
            px = std::atof(a(0, "140").c_str()), py = std::atof(a(1, "30").c_str());
            pw = std::atof(a(2, "630").c_str()), ph = std::atof(a(3, "390").c_str());
        } else {
            Rund_Rechteck(c, 0.5, 0.5, w - 1, h - 1, 5);
            Farbe_Setzen(c, a(0) == "an" ? mischen(GOLD, NAVY, 0.55) : PANEL);
            cairo_fill_preserve(c);
            Farbe_Setzen(c, a(0) == "an" ? GOLD : KANTE_HELL);
            cairo_set_line_width(c, a(0) == "an" ? 2 : 1);
            cairo_stroke(c);
        }
        // The pitch upright, our goal at the bottom: stripes across.
        const int streifen = 10;
        for (int i = 0; i < streifen; ++i) {
            Farbe_Setzen(c, i % 2 ? 0x287040 : 0x2E7D46);
            cairo_rectangle(c, px, py + i * ph / streifen, pw, ph / streifen + 0.5);
            cairo_fill(c);
        }
        Farbe_Setzen(c, 0xEEF2EA, gross ? 0.75 : 0.6);
        cairo_set_line_width(c, gross ? 1.5 : 1);
        cairo_rectangle(c, px + 0.5, py + 0.5, pw - 1, ph - 1);
        cairo_move_to(c, px, py + ph / 2), cairo_line_to(c, px + pw, py + ph / 2);
        cairo_stroke(c);
        cairo_arc(c, px + pw / 2, py + ph / 2, std::min(pw, ph) * 0.12, 0, 2 * M_PI);
        cairo_stroke(c);
        const double sw = pw * 0.44, sh = ph * 0.14;
        cairo_rectangle(c, px + (pw - sw) / 2, py + 0.5, sw, sh);
        cairo_rectangle(c, px + (pw - sw) / 2, py + ph - sh - 0.5, sw, sh);
        cairo_stroke(c);
    } else if (name == "kartengrund") {
        // A player card on the pitch: dark, rounded, a light edge.
        Rund_Rechteck(c, 0.5, 0.5, w - 1, h - 1, 5);
        Farbe_Setzen(c, NAVY, 0.86);
        cairo_fill_preserve(c);
        Farbe_Setzen(c, KANTE_HELL);
        cairo_set_line_width(c, 1);
        cairo_stroke(c);
    } else if (name == "punkt") {
        // punkt:RRGGBB: a player's dot on a formation pitch.
        const u32 f = static_cast<u32>(std::strtoul(a(0, "FFFFFF").c_str(), nullptr, 16));
        cairo_arc(c, w / 2.0, h / 2.0, std::min(w, h) / 2.0 - 0.5, 0, 2 * M_PI);
        Farbe_Setzen(c, f);
        cairo_fill_preserve(c);
        Farbe_Setzen(c, NAVY);
        cairo_set_line_width(c, 1);
        cairo_stroke(c);
    } else if (name == "schleier") {
        // A flat veil over a row that cannot be chosen.
        Farbe_Setzen(c, 0x5E6B7C);
        cairo_paint(c);
    } else if (name == "ecke") {
        // The marker of an active attribute on the card: a gold corner.
        Farbe_Setzen(c, GOLD);
        cairo_move_to(c, 0, 0), cairo_line_to(c, w, 0), cairo_line_to(c, 0, h), cairo_close_path(c);
        cairo_fill(c);
    } else if (name == "sperre") {
        // sperre:<gelb|rot|lang|verletzt>: a card, two cards, or a red cross.
        const std::string art = a(0, "gelb");
        cairo_set_line_width(c, 1);
        auto karte = [&](double x, double y, double kw, double kh, u32 f, double winkel) {
            cairo_save(c);
            cairo_translate(c, x + kw / 2, y + kh / 2);
            cairo_rotate(c, winkel);
            Rund_Rechteck(c, -kw / 2, -kh / 2, kw, kh, 2.5);
            Farbe_Setzen(c, f);
            cairo_fill_preserve(c);
            Farbe_Setzen(c, mischen(f, NAVY, 0.5));
            cairo_stroke(c);
            cairo_restore(c);
        };
        const double kh = h * 0.78, kw = kh * 0.7;
        if (art == "verletzt") {
            const double s = std::min(w, h) * 0.8, x = (w - s) / 2, y = (h - s) / 2, d = s / 3;
            Rund_Rechteck(c, x, y, s, s, 5);
            Farbe_Setzen(c, KREIDE);
            cairo_fill(c);
            Farbe_Setzen(c, SCHLECHT);
            cairo_rectangle(c, x + d, y + 3, d, s - 6), cairo_rectangle(c, x + 3, y + d, s - 6, d);
            cairo_fill(c);
        } else if (art == "lang") {
            karte(w / 2.0 - kw * 0.9, (h - kh) / 2, kw, kh, 0xF2D13D, -0.18);
            karte(w / 2.0 - kw * 0.1, (h - kh) / 2, kw, kh, SCHLECHT, 0.18);
        } else {
            karte((w - kw) / 2, (h - kh) / 2, kw, kh, art == "rot" ? SCHLECHT : 0xF2D13D, 0.1);
        }
    } else {
        cairo_destroy(c);
        cairo_surface_destroy(sf);
        return nullptr;
    }
    return Cairo_Fertig(c, sf, true);
}

}  // namespace resgen

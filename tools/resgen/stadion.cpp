// The live match view's bar pictures (Cairo): the header bar backgrounds of
// full/half and of quarter views, the two score digit sheets, rain drops and
// snow flakes.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "resgen.h"

namespace resgen {

namespace {

constexpr u32 NAVY = 0x0E1A2B, PANEL = 0x16263D, KANTE_HELL = 0x3C5A82, GOLD = 0xF2B33D, KREIDE = 0xF2F4F0;

void ziffer(cairo_t* c, int z, double x, double y, double w, double h, u32 grund, u32 schrift) {
    Rund_Rechteck(c, x + 1, y, w - 2, h, 3);
    Farbe_Setzen(c, grund);
    cairo_fill(c);
    const std::string t(1, static_cast<char>('0' + z));
    cairo_set_font_face(c, Cairo_Schrift("DejaVuSans-Bold.ttf"));
    cairo_set_font_size(c, h * 0.85);
    cairo_text_extents_t e;
    cairo_text_extents(c, t.c_str(), &e);
    cairo_move_to(c, x + w / 2 - e.width / 2 - e.x_bearing, y + h / 2 - e.height / 2 - e.y_bearing);
    Farbe_Setzen(c, schrift);
    cairo_show_text(c, t.c_str());
}

}  // namespace

Rastport* Stadion_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h, i32 eintrag) {
    const std::string art = arg.empty() ? "" : arg[0];
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    bool ok = true;
    if (art == "kopf") {
        // A dark glass bar with a light lower edge and the score box in the
        // middle, where the digits go (full: x 255..315, quarter: 154..198).
        const bool klein = w < 600;
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
        cairo_pattern_add_color_stop_rgb(g, 0, 0x23 / 255.0, 0x39 / 255.0, 0x5A / 255.0);
        cairo_pattern_add_color_stop_rgb(g, 1, 0x0E / 255.0, 0x1A / 255.0, 0x2B / 255.0);
        cairo_set_source(c, g);
        cairo_paint(c);
        cairo_pattern_destroy(g);
        Farbe_Setzen(c, KANTE_HELL);
        cairo_rectangle(c, 0, h - 1, w, 1);
        cairo_fill(c);
        const double bx = klein ? 151 : 250, bw = klein ? 50 : 70;
        Rund_Rechteck(c, bx, 0.5, bw, h - 1.5, 3);
        Farbe_Setzen(c, NAVY);
        cairo_fill_preserve(c);
        Farbe_Setzen(c, GOLD, 0.85);
        cairo_set_line_width(c, 1);
        cairo_stroke(c);
    } else if (art == "ziffern_gross" || art == "ziffern_klein") {
        // Two columns (home gold, away chalk) of the digits 0..9: 30 x 20
        // cells 23 px apart from y 2, or 22 x 16 cells 17 px apart.
        const bool gross = art == "ziffern_gross";
        const double zw = gross ? 30 : 22, zh = gross ? 20 : 16, schritt = gross ? 23 : 17;
        for (int s = 0; s < 2; ++s)
            for (int z = 0; z < 10; ++z) ziffer(c, z, s * zw, schritt * z + 2, zw, zh, PANEL, s ? KREIDE : GOLD);
    } else if (art == "regen" || art == "schnee") {
        // Nine frames from the given first entry. Rain: a thin streak along
        // its fall (about 1 across, 2.5 down), brighter and longer in the
        // middle frames. Snow: a soft flake, its size by frame.
        const int f = std::clamp(eintrag - (arg.size() > 1 ? std::atoi(arg[1].c_str()) : eintrag), 0, 8);
        if (art == "regen") {
            const double laenge = 0.55 + 0.05 * (4 - std::abs(f - 4)), a = 0.35 + 0.06 * (4 - std::abs(f - 4));
            cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_width(c, 1.2);
            Farbe_Setzen(c, 0xCFE3F2, a);
            cairo_move_to(c, w * (1 - laenge) / 2 + 0.5, h * (1 - laenge) / 2 + 0.5);
            cairo_line_to(c, w - w * (1 - laenge) / 2 - 0.5, h - h * (1 - laenge) / 2 - 0.5);
            cairo_stroke(c);
        } else {
            const double r = 1.2 + 0.25 * (f % 5);
            cairo_pattern_t* g = cairo_pattern_create_radial(w / 2.0, h / 2.0, 0, w / 2.0, h / 2.0, r + 0.8);
            cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0.95);
            cairo_pattern_add_color_stop_rgba(g, 1, 1, 1, 1, 0);
            cairo_set_source(c, g);
            cairo_paint(c);
            cairo_pattern_destroy(g);
        }
    } else if (art == "nummer") {
        // A shirt number 0..49 (entry - first entry), small chalk digits with a dark edge.
        const int n = std::clamp(eintrag - (arg.size() > 1 ? std::atoi(arg[1].c_str()) : eintrag), 0, 49);
        const std::string t = std::to_string(n);
        cairo_set_font_face(c, Cairo_Schrift("DejaVuSansCondensed-Bold.ttf"));
        cairo_set_font_size(c, h * 1.05);
        cairo_text_extents_t e;
        cairo_text_extents(c, t.c_str(), &e);
        cairo_move_to(c, w / 2.0 - e.width / 2 - e.x_bearing, h / 2.0 - e.height / 2 - e.y_bearing);
        cairo_text_path(c, t.c_str());
        Farbe_Setzen(c, NAVY);
        cairo_set_line_width(c, 2);
        cairo_stroke_preserve(c);
        Farbe_Setzen(c, KREIDE);
        cairo_fill(c);
    } else if (art == "marke") {
        // A ring on the grass under a player: white, gold, red (tired), blue, green.
        constexpr u32 FARBE[5] = {KREIDE, GOLD, 0xD9483B, 0x4A90D9, 0x3FB26B};
        const int k = std::clamp(eintrag - (arg.size() > 1 ? std::atoi(arg[1].c_str()) : eintrag), 0, 4);
        cairo_save(c);
        cairo_translate(c, w / 2.0, h / 2.0);
        cairo_scale(c, w / 2.0 - 1.5, h / 2.0 - 1.5);
        cairo_arc(c, 0, 0, 1, 0, 2 * 3.14159265358979);
        cairo_restore(c);
        Farbe_Setzen(c, FARBE[k]);
        cairo_set_line_width(c, 2);
        cairo_stroke(c);
    } else if (art == "ballschatten") {
        cairo_save(c);
        cairo_translate(c, w / 2.0, h / 2.0);
        cairo_scale(c, w / 2.0, h / 2.0);
        cairo_arc(c, 0, 0, 1, 0, 2 * 3.14159265358979);
        cairo_restore(c);
        Farbe_Setzen(c, 0x1B3A20);
        cairo_fill(c);
    } else if (art == "partner0" || art == "partner1") {
        // An advertising partner's board (the firms of the advertising
        // screen, the same marks), slanted like the invented sponsors' boards.
        const int k = std::clamp(eintrag - (arg.size() > 1 ? std::atoi(arg[1].c_str()) : eintrag), 0, 23);
        const double bw = w - 3, bh = 24, steig = 30.0 / 121.0;
        cairo_matrix_t mx;
        if (art == "partner0") cairo_matrix_init(&mx, 1, -steig, 0, 1, 0.5, 30.5);
        else cairo_matrix_init(&mx, 1, steig, 0, 1, 0.5, 0.5);
        cairo_set_matrix(c, &mx);
        Sponsor_Marke(c, k, bw, bh - 2, true);
        cairo_rectangle(c, 0, bh - 2, bw, 2);
        Farbe_Setzen(c, 0x0E1A2B);
        cairo_fill(c);
        Farbe_Setzen(c, 0xFFFFFF, 0.35);
        cairo_rectangle(c, 0, 0, bw, 1);
        cairo_fill(c);
        Farbe_Setzen(c, 0x000000, 0.5);
        cairo_rectangle(c, 0, bh - 1.5, bw, 1.5);
        cairo_fill(c);
        cairo_identity_matrix(c);
    } else if (art == "bande0" || art == "bande1") {
        // An advertising board of an invented sponsor, slanted like its row
        // of boards in the picture (kind 0 behind the goal lines rising to the
        // right, kind 1 along the touchlines falling to the right).
        struct Sponsor {
            const char* name;
            u32 grund, schrift, akzent;
        };
        static constexpr Sponsor SPONSOREN[14] = {
            {"NORDWERK", 0x0E1A2B, 0xF2F4F0, 0xF2B33D},     {"Falkenbräu", 0x7A1E1E, 0xF6E7C8, 0xE0B040},
            {"VOLTA", 0xF5D21E, 0x1A1A1A, 0x1A1A1A},        {"Kranich Air", 0xF2F4F0, 0x1D4E9E, 0xD9483B},
            {"BRENNER BAU", 0xE2711D, 0xFFFFFF, 0x3A2A1A},  {"LUMO", 0x3FB26B, 0xFFFFFF, 0x0E3A22},
            {"Seeblick", 0x1D6FA8, 0xFFFFFF, 0x8FD3FF},     {"HALLER SPORT", 0x1A1A1A, 0xF2B33D, 0xF2F4F0},
            {"Tiefgrün", 0x0E3A22, 0xB6E07A, 0xB6E07A},     {"KORDAVO", 0x16263D, 0xF2B33D, 0x3C5A82},
            {"Eisberg Cola", 0xC8102E, 0xFFFFFF, 0x8FD3FF}, {"MERIDIAN BANK", 0x2A2F6E, 0xE8E8F0, 0xC9A227},
            {"ROTOR", 0xD9D9D9, 0xB3121A, 0x1A1A1A},        {"Pixelhaus", 0x5B2A86, 0xFFFFFF, 0x3FD0C9},
        };
        const int k = std::clamp(eintrag - (arg.size() > 1 ? std::atoi(arg[1].c_str()) : eintrag), 0, 13);
        const Sponsor& sp = SPONSOREN[k];
        const double bw = w - 3, bh = 24, steig = 30.0 / 121.0;
        cairo_matrix_t mx;
        if (art == "bande0") cairo_matrix_init(&mx, 1, -steig, 0, 1, 0.5, 30.5);
        else cairo_matrix_init(&mx, 1, steig, 0, 1, 0.5, 0.5);
        cairo_set_matrix(c, &mx);
        cairo_rectangle(c, 0, 0, bw, bh);
        Farbe_Setzen(c, sp.grund);
        cairo_fill(c);
        // An accent stripe, the name, a light top edge and a dark foot.
        Farbe_Setzen(c, sp.akzent);
        cairo_rectangle(c, 0, bh - 4, bw, 2);
        cairo_fill(c);
        Farbe_Setzen(c, 0xFFFFFF, 0.35);
        cairo_rectangle(c, 0, 0, bw, 1);
        cairo_fill(c);
        Farbe_Setzen(c, 0x000000, 0.5);
        cairo_rectangle(c, 0, bh - 1.5, bw, 1.5);
        cairo_fill(c);
        cairo_set_font_face(c, Cairo_Schrift("DejaVuSansCondensed-Bold.ttf"));
        double groesse = 15;
        cairo_text_extents_t e;
        for (;; groesse -= 0.5) {
            cairo_set_font_size(c, groesse);
            cairo_text_extents(c, sp.name, &e);
            if (e.width <= bw - 10 || groesse <= 8) break;
        }
        cairo_move_to(c, bw / 2 - e.width / 2 - e.x_bearing, (bh - 3) / 2 - e.height / 2 - e.y_bearing);
        Farbe_Setzen(c, sp.schrift);
        cairo_show_text(c, sp.name);
        cairo_identity_matrix(c);
    } else {
        ok = false;
    }
    cairo_destroy(c);
    cairo_surface_flush(sf);
    Rastport* rp = ok ? Aus_Cairo(sf, art != "kopf" && art != "ballschatten" && art.rfind("bande", 0) != 0 &&
                                art.rfind("partner", 0) != 0) : nullptr;
    cairo_surface_destroy(sf);
    return rp;
}

}  // namespace resgen

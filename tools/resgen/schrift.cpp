// Fonts of the game rendered with FreeType from the DejaVu families: one
// 8-bit coverage sheet per font (mode 1), every Windows-1252 glyph.
#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "graphics/font.h"
#include "resgen.h"

namespace resgen {

namespace {

FT_Library bibliothek() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l)) std::fprintf(stderr, "resgen: FreeType lässt sich nicht starten\n");
        return l;
    }();
    return lib;
}

// Unicode of a Windows-1252 code (0 where the code page has no character).
u32 unicode(u8 c) {
    static const u16 tab80[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    if (c == 127) return 0;
    if (c >= 0x80 && c < 0xA0) return tab80[c - 0x80];
    if (c == 0xA0) return 0x20;  // NBSP looks like a space
    return c;
}

}  // namespace

std::string Dejavu_Pfad(const std::string& datei) { return "/usr/share/fonts/truetype/dejavu/" + datei; }

cairo_font_face_t* Cairo_Schrift(const std::string& datei) {
    static std::map<std::string, cairo_font_face_t*> cache;
    auto it = cache.find(datei);
    if (it != cache.end()) return it->second;
    FT_Face face = nullptr;
    if (!bibliothek() || FT_New_Face(bibliothek(), Dejavu_Pfad(datei).c_str(), 0, &face)) {
        std::fprintf(stderr, "resgen: Schrift %s fehlt\n", datei.c_str());
        return nullptr;
    }
    cairo_font_face_t* f = cairo_ft_font_face_create_for_ft_face(face, FT_LOAD_NO_HINTING);
    cache[datei] = f;
    return f;
}

Font* Schrift(const std::string& datei, i32 hoehe) {
    FT_Face face = nullptr;
    if (!bibliothek() || FT_New_Face(bibliothek(), Dejavu_Pfad(datei).c_str(), 0, &face)) {
        std::fprintf(stderr, "resgen: Schrift %s fehlt\n", datei.c_str());
        return nullptr;
    }
    // Pixel size so that ascent + descent make the line height.
    const double em = static_cast<double>(face->ascender - face->descender) / face->units_per_EM;
    const u32 px = static_cast<u32>(std::lround(hoehe / em));
    FT_Set_Pixel_Sizes(face, 0, px < 4 ? 4 : px);
    const i32 oberlaenge = static_cast<i32>(std::lround(face->size->metrics.ascender / 64.0));

    struct Glyph {
        i32 vorschub = 0, links = 0, oben = 0, w = 0, h = 0;
        std::vector<u8> pixel;
    };
    std::vector<Glyph> glyphen(224);
    i32 gesamt = 0;
    for (i32 g = 0; g < 224; ++g) {
        const u32 u = unicode(static_cast<u8>(g + 32));
        if (!u || FT_Load_Char(face, u, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT)) continue;
        const FT_GlyphSlot s = face->glyph;
        Glyph& gl = glyphen[g];
        gl.vorschub = static_cast<i32>(std::lround(s->advance.x / 64.0));
        gl.links = s->bitmap_left;
        gl.oben = s->bitmap_top;
        gl.w = static_cast<i32>(s->bitmap.width);
        gl.h = static_cast<i32>(s->bitmap.rows);
        gl.pixel.resize(static_cast<size_t>(gl.w) * gl.h);
        for (i32 y = 0; y < gl.h; ++y)
            for (i32 x = 0; x < gl.w; ++x)
                gl.pixel[static_cast<size_t>(y) * gl.w + x] = s->bitmap.buffer[y * s->bitmap.pitch + x];
        gesamt += gl.vorschub;
    }
    FT_Done_Face(face);

    auto* f = new Font;
    f->hoehe = hoehe;
    f->modus = 1;
    f->farbe = 0xFFFF;
    f->blatt.reset(Rastport_Neu_Einfach(gesamt > 0 ? gesamt : 1, hoehe, 8));
    u8* blatt = f->blatt->bitmap->pixel8();
    i32 x0 = 0;
    for (i32 g = 0; g < 224; ++g) {
        const Glyph& gl = glyphen[g];
        f->x[g] = x0;
        f->breite[g] = gl.vorschub;
        // The glyph is clipped to its cell: the advance is its width on the
        // sheet. One that lies wholly below the cell (the underscore) is
        // lifted onto its last rows.
        i32 dy = oberlaenge - gl.oben;
        if (gl.h > 0 && dy >= hoehe) dy = std::max(0, hoehe - gl.h);
        for (i32 y = 0; y < gl.h; ++y)
            for (i32 x = 0; x < gl.w; ++x) {
                const i32 bx = gl.links + x, by = dy + y;
                if (bx < 0 || bx >= gl.vorschub || by < 0 || by >= hoehe) continue;
                u8& p = blatt[static_cast<size_t>(by) * f->blatt->breite + x0 + bx];
                p = std::max(p, gl.pixel[static_cast<size_t>(y) * gl.w + x]);
            }
        x0 += gl.vorschub;
    }
    // The figures are narrower than the pitches the texts set for number
    // columns: a cell is at most one figure wide.
    for (u8 c = '0'; c <= '9'; ++c) f->ziffernzelle = std::max(f->ziffernzelle, f->breite[c - 32]);
    return f;
}

}  // namespace resgen

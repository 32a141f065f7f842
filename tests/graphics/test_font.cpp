// Text markup with the compiled-in test font, and the fonts the build
// generates (start-up through the archives, Windows-1252 glyphs).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>

#include "base/files.h"
#include "base/pruefsumme.h"
#include "base/settings.h"
#include "graphics/abdruck.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/resf.h"
#include "platform/errorbox.h"
#include "testfont.h"

namespace {


// Columns of the surface that hold a drawn pixel, as a string of '#' and '.'.
struct Leinwand {
    Rastport_Bild rp{Rastport_Neu_Einfach(400, 40, 16)};
    std::unique_ptr<Font> f{testfont::neu(1)};
    i32 zeichnen(const char* t, u16 farbe = 0xFFFF, i32 erzwungen = 0) {
        Blt_Rechteck(rp.get(), 0, 0, -1, -1, 0);
        f->fest = f->fett = 0;  // both stay in the font after a text
        return Font_Markup_Ausgabe(rp.get(), f.get(), farbe, t, 0, 20, erzwungen);
    }
    i32 erste_spalte(i32 ab = 0) const {
        for (i32 x = ab; x < rp->breite; ++x)
            for (i32 y = 0; y < rp->hoehe; ++y)
                if (rp->bitmap->pixel16()[static_cast<size_t>(y) * rp->breite + x]) return x;
        return -1;
    }
    i32 letzte_spalte() const {
        for (i32 x = rp->breite - 1; x >= 0; --x)
            for (i32 y = 0; y < rp->hoehe; ++y)
                if (rp->bitmap->pixel16()[static_cast<size_t>(y) * rp->breite + x]) return x;
        return -1;
    }
    u16 farbe_bei(i32 x0) const {
        for (i32 y = 0; y < rp->hoehe; ++y)
            for (i32 x = x0; x < x0 + 8; ++x)
                if (u16 p = rp->bitmap->pixel16()[static_cast<size_t>(y) * rp->breite + x]) return p;
        return 0;
    }
};

struct Wappen_Aufruf {
    i32 team = -1, x = -1, groesse = -1;
} wappen_aufruf;

TEST(Markup, FarbenUndSperre) {
    Leinwand l;
    struct Fall {
        const char* text;
        u16 vorher, farbe;
        i32 erzwungen;
        u16 danach;
    } faelle[] = {
        {"^c00000A", 0x1234, 0xFFFF, 0, 1},                     // previous colour at the start is 1, not 0
        {"^c04660^c00000^c00000A", 0x1234, 0xFFFF, 0, 0x1234},  // twice the same previous colour
        {"^c01111A", 0x1234, 0x00F0, 1, 0x00F0},                // a forced colour wins over ^c
        {"^ic02222^c03333A", 0x1234, 0xFFFF, 0, 2222},          // ^ic locks
        {"^c03333^yxxxxA", 0x1234, 0x0777, 0, 3333},            // ^y takes the colour argument (the last ^c)
    };
    for (const Fall& f : faelle) {
        l.f->farbe = f.vorher;
        l.zeichnen(f.text, f.farbe, f.erzwungen);
        EXPECT_EQ(l.f->farbe, f.danach) << f.text;
        EXPECT_EQ(l.farbe_bei(0), f.danach) << f.text;
    }
}

TEST(Markup, Lage) {
    Leinwand l;
    Font_Set_Hooks({.wappen_blit = [](Rastport*, i32 team, i32 x, i32, i32 g) { wappen_aufruf = {team, x, g}; }});
    struct Fall {
        const char* text;
        i32 erste, letzte;  // first and last drawn column (-1: none)
    } faelle[] = {
        {"A", 0, 5},
        {"^fb00121.5", 2, 27},   // digits centred in 12-pixel cells, '.' keeps its own width
        {"^tr010012", 84, 97},   // right-aligned: the advance of "12" ends at 100
        {"^tz0100AB", 92, 105},  // centred at 100
        {"^ta0010A^ta0010B", 10, 33},
        {"^qA", 0, 13},             // ^ followed by q draws q
        {"^tkA", 0, 13},            // ^t followed by k draws k
        {"^bbAA", 0, 13},           // bold in a mode-1 font: no extra pixel
        {"^gll0005B", 20, 25},      // after a crest: S (16) + space (4)
        {"^gnk..00000fffB", 0, 5},  // an unknown handle draws and moves nothing
        {"^hb^s^p1234^ub^he^ueA", 0, 5},
        {"A^", 0, 5},
        {"A^c12", 0, 5},
        {"A^t", 0, 5},
        {"A^gn", 0, 5},
        {"A^x1", 0, 5},
        {"A^fb", 0, 5},  // cut codes
    };
    for (const Fall& f : faelle) {
        l.zeichnen(f.text);
        EXPECT_EQ(l.erste_spalte(), f.erste) << f.text;
        EXPECT_EQ(l.letzte_spalte(), f.letzte) << f.text;
    }
    // A font whose figures are narrower than the pitch: the cell is one
    // figure wide, a wider letter keeps its own advance up to the pitch.
    l.f->ziffernzelle = 10;
    for (const Fall& f : {Fall{"^fb00121.5", 1, 24}, Fall{"^fb0012^tr010012", 81, 96}, Fall{"^fb00051.5", 0, 18}}) {
        l.zeichnen(f.text);
        EXPECT_EQ(l.erste_spalte(), f.erste) << f.text;
        EXPECT_EQ(l.letzte_spalte(), f.letzte) << f.text;
    }
    EXPECT_EQ(Font_Text_Breite(l.f.get(), "^fb0012214"), 30);
    EXPECT_EQ(Font_Text_Breite(l.f.get(), "^fb0006214"), 18);
    l.f->ziffernzelle = 0;
    EXPECT_EQ(wappen_aufruf.team, 5);
    EXPECT_EQ(wappen_aufruf.groesse, 16);
    Font_Set_Hooks({});
    // A mode-0 font draws bold one pixel wider.
    std::unique_ptr<Font> f0(testfont::neu(0));
    Blt_Rechteck(l.rp.get(), 0, 0, -1, -1, 0);
    Font_Markup_Ausgabe(l.rp.get(), f0.get(), 0xFFFF, "^bbA", 0, 20, 0);
    EXPECT_EQ(l.letzte_spalte(), 6);
}

TEST(Markup, Breite) {
    std::unique_ptr<Font> f(testfont::neu(1));
    std::unique_ptr<Font> gross(testfont::neu(1));
    gross->fest = 20;
    const u32 h = Markup_Handle_Font(gross.get());
    char x[32];
    std::snprintf(x, sizeof x, "A^x..%08xA", h);
    struct Fall {
        const char* text;
        i32 breite;
    } faelle[] = {
        {"AB", 16},         {"AB^lABC", 24},   {"AB^zABC", 16},
        {"^tl0050A", 58},   {"^tr0050AB", 50}, {"^tz0050AB", 58},
        {"^gll0001A", 32},  {"^p0004AB", 12},  {"^c12345^ic12345^yxxxxAB", 16},
        {"^fb0012A.A", 32}, {"^bbAB", 16},     {x, 28},
    };
    for (const Fall& c : faelle) EXPECT_EQ(Font_Text_Breite(f.get(), c.text), c.breite) << c.text;
    EXPECT_EQ(f->fest, 0);  // measuring restores the fixed pitch
    EXPECT_EQ(Font_Breite_Bis_Code(f.get(), "AB^c12345C^tl0010D"), 24);
    Markup_Handle_Freigeben(h);
    EXPECT_EQ(Markup_Font(h), nullptr);
    EXPECT_EQ(Font_Hex_Zahl("0A1f", 4), 0x001fu);  // upper-case digits count 0
    // A text longer than the 1,024-byte buffer is cut, never overrun.
    Rastport_Bild rp(Rastport_Neu_Einfach(100, 20, 16));
    const std::string lang(3000, 'A');
    EXPECT_EQ(Font_Printf(rp.get(), f.get(), "%s", 0, 15, lang.c_str()), 1);
    const char* leer = "";
    EXPECT_EQ(Font_Printf(rp.get(), f.get(), leer, 0, 15), 0);
    EXPECT_EQ(Font_Text_Kuerzen("ABCDEF", nullptr, f.get(), 20), 16);
}

// The fonts the build writes into the game folder: all 17 load at start-up
// and carry every Windows-1252 letter the game's texts use.
// A text probed on its target: the same text the same way gives the same
// fingerprint, any change of what it draws another; the rectangle holds
// every pixel it draws; a sheet whose pixels may change makes the probe unsure.
TEST(Markup, ProbeFolgtDemText) {
    Leinwand l;
    l.f->blatt->fest = true;
    struct Probe {
        u64 abdruck = 0;
        Abdruck_Rechteck r;
        bool sicher = false;
    };
    const auto probe = [&](Font* f, const char* t, u16 farbe, i32 x) {
        Probe p;
        f->farbe = farbe;
        Abdruck_Probe_Beginnen(l.rp.get());
        Font_Markup_Ausgabe(l.rp.get(), f, farbe, t, x, 20, 0);
        Abdruck_Abschnitt(&p.abdruck, &p.r);
        p.sicher = Abdruck_Probe_Ende();
        return p;
    };
    // Mode 0 fonts strike a bold glyph twice.
    std::unique_ptr<Font> voll{testfont::neu(0)}, fett{testfont::neu(0)};
    fett->fett = 1;
    for (Font* f : {voll.get(), fett.get()}) f->blatt->fest = true;
    const struct Fall {
        const char* was;
        Font* f;
        const char* text;
        u16 farbe;
        i32 x;
    } faelle[] = {
        {"as first probed", l.f.get(), "AB 12", 0xFFFF, 10}, {"another text", l.f.get(), "AB 13", 0xFFFF, 10},
        {"another colour", l.f.get(), "AB 12", 0xF800, 10},  {"another place", l.f.get(), "AB 12", 0xFFFF, 11},
        {"a colour in the text", l.f.get(), "AB ^c0063412", 0xFFFF, 10},
        {"another sheet", voll.get(), "AB 12", 0xFFFF, 10},  {"bold", fett.get(), "AB 12", 0xFFFF, 10},
    };
    const Probe erste = probe(l.f.get(), faelle[0].text, faelle[0].farbe, faelle[0].x);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        const Probe p = probe(f.f, f.text, f.farbe, f.x);
        EXPECT_TRUE(p.sicher);
        EXPECT_EQ(p.abdruck == erste.abdruck, &f == &faelle[0]);
        // Drawn for real: every pixel inside the rectangle.
        Blt_Rechteck(l.rp.get(), 0, 0, -1, -1, 0);
        f.f->farbe = f.farbe;
        Font_Markup_Ausgabe(l.rp.get(), f.f, f.farbe, f.text, f.x, 20, 0);
        i32 aussen = 0;
        for (i32 y = 0; y < l.rp->hoehe; ++y)
            for (i32 x = 0; x < l.rp->breite; ++x)
                if (l.rp->bitmap->pixel16()[static_cast<size_t>(y) * l.rp->breite + x] &&
                    (x < p.r.x0 || x >= p.r.x1 || y < p.r.y0 || y >= p.r.y1))
                    ++aussen;
        EXPECT_EQ(aussen, 0);
    }
    // The bold glyph's second stroke lies one pixel further right.
    EXPECT_EQ(probe(fett.get(), "H", 0xFFFF, 0).r.x1, 9);
    EXPECT_EQ(probe(voll.get(), "H", 0xFFFF, 0).r.x1, 8);
    l.f->blatt->fest = false;
    EXPECT_FALSE(probe(l.f.get(), "AB", 0xFFFF, 10).sicher);
}

// A text probed again unchanged is remembered: its fingerprint and
// rectangle are those of a fresh probe, and the font is left as drawing
// leaves it (a colour, fixed pitch or boldness the text switched on), in
// the probe as in a clipped pass that passes over it.
TEST(Markup, GemerkterTextLaesstDieSchriftWieGezeichnet) {
    Leinwand l;
    std::unique_ptr<Font> voll{testfont::neu(0)};
    for (Font* f : {l.f.get(), voll.get()}) f->blatt->fest = true;
    struct Stand {
        u16 farbe;
        i32 fett, fest;
        bool operator==(const Stand&) const = default;
    };
    const auto stand = [](const Font* f) { return Stand{f->farbe, f->fett, f->fest}; };
    const auto anfang = [](Font* f) { f->farbe = 0x1234, f->fett = 0, f->fest = 0; };
    struct Probe {
        u64 abdruck = 0;
        Abdruck_Rechteck r;
        bool sicher = false;
        Stand nachher{};
    };
    const auto probe = [&](Font* f, const char* t) {
        Probe p;
        anfang(f);
        Abdruck_Probe_Beginnen(l.rp.get());
        Font_Markup_Ausgabe(l.rp.get(), f, 0xFFFF, t, 10, 20, 0);
        Abdruck_Abschnitt(&p.abdruck, &p.r);
        p.sicher = Abdruck_Probe_Ende();
        p.nachher = stand(f);
        return p;
    };
    const struct Fall {
        const char* was;
        Font* f;
        const char* text;
    } faelle[] = {
        {"plain", l.f.get(), "AB 12"},
        {"a colour left on", l.f.get(), "AB ^c00063CD"},
        {"fixed pitch left on", l.f.get(), "^fb0006 12"},
        {"bold left on", voll.get(), "^bbAB"},
        {"bold and fixed pitch ended", voll.get(), "^bb^fb0006AB^be^fe"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        // Drawn for real: how the font is left.
        anfang(f.f);
        Font_Markup_Ausgabe(l.rp.get(), f.f, 0xFFFF, f.text, 10, 20, 0);
        const Stand gezeichnet = stand(f.f);
        Abdruck_Gemerkt_Vergessen();
        const Probe frisch = probe(f.f, f.text), gemerkt = probe(f.f, f.text);
        EXPECT_TRUE(frisch.sicher);
        EXPECT_TRUE(gemerkt.sicher);
        EXPECT_EQ(gemerkt.abdruck, frisch.abdruck);
        EXPECT_EQ(gemerkt.r.x0, frisch.r.x0);
        EXPECT_EQ(gemerkt.r.x1, frisch.r.x1);
        EXPECT_TRUE(frisch.nachher == gezeichnet);
        EXPECT_TRUE(gemerkt.nachher == gezeichnet);
        // A clipped pass beside it passes over it and leaves the font the same.
        anfang(f.f);
        Abdruck_Klipp_Beginnen(l.rp.get(), {300, 0, 400, 40});
        Font_Markup_Ausgabe(l.rp.get(), f.f, 0xFFFF, f.text, 10, 20, 0);
        EXPECT_TRUE(Abdruck_Klipp_Ende());
        EXPECT_TRUE(stand(f.f) == gezeichnet);
    }
    // Another colour, place or font state is another text.
    Abdruck_Gemerkt_Vergessen();
    const Probe a = probe(l.f.get(), "AB");
    l.f->abstand += 1;
    const Probe b = probe(l.f.get(), "AB");
    l.f->abstand -= 1;
    EXPECT_NE(a.abdruck, b.abdruck);
    EXPECT_EQ(probe(l.f.get(), "AB").abdruck, a.abdruck);
    Abdruck_Gemerkt_Vergessen();
}

TEST(Spielfonts, StartUndZeichen) {
    const char* spiel = std::getenv("KORDAVO_GAME_DIR");
    ASSERT_TRUE(spiel && *spiel);
    // A settings file of its own: the archive names are written back to it.
    const std::string einstellungen =
        std::string(std::getenv("KORDAVO_BINARY_DIR") ? std::getenv("KORDAVO_BINARY_DIR") : ".") +
        "/test-config-grafik";
    setenv("KORDAVO_CONFIG_DIR", einstellungen.c_str(), 1);
    Settings_Neu_Laden();
    std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s/resfile", spiel);
    // A missing archive: a message box, nothing stays open, the next try works.
    W32_Registry_Write("res_3", "fehlt.res");
    const u32 boxen = W32_Error_Box_Anzahl();
    EXPECT_EQ(Resf_Init(), 0);
    EXPECT_EQ(W32_Error_Box_Anzahl(), boxen + 1);
    EXPECT_EQ(Resf_Spiel_Slot(0), -1);
    W32_Registry_Write("res_3", "");
    ASSERT_EQ(Resf_Init(), 1) << Grafik_Fehler();
    ASSERT_EQ(Font_Init(Resf_Spiel_Slot(RESF_FONT_ARCHIV), 0, FONT_ANZAHL), 1) << Grafik_Fehler();
    const i32 hoehen[FONT_ANZAHL] = {12, 15, 20, 24, 30, 8, 12, 14, 16, 11, 12, 14, 14, 18, 19, 10, 9};
    const char* zeichen =
        "AZaz09.,:;!?%&()\"'\xE4\xF6\xFC\xC4\xD6\xDC\xDF\xE9\xE8\xE0\xE7\xF1\xA7\xB0\xB2\xB3\xAB\xBB\x80";
    for (i32 n = 0; n < FONT_ANZAHL; ++n) {
        Font* f = Font_Tabelle_Holen(n);
        ASSERT_TRUE(f);
        EXPECT_EQ(f->hoehe, hoehen[n]);
        EXPECT_EQ(f->modus, 1);
        for (const char* c = zeichen; *c; ++c) {
            i32 oben = 0;
            EXPECT_GT(Font_Zeichen_Breite(f, static_cast<u8>(*c)), 0) << n << " " << +static_cast<u8>(*c);
            EXPECT_GT(Font_Zeichen_Ausdehnung(f, static_cast<u8>(*c), &oben), 6) << n << " " << +static_cast<u8>(*c);
        }
        EXPECT_EQ(Font_Zeichen_Breite(f, 0xA0), Font_Zeichen_Breite(f, ' '));  // NBSP is as wide as a space
        // A number in a column of the widest pitch the screens set stays one
        // number: "214" is no wider than its three figures.
        i32 ziffer = 0;
        for (char c = '0'; c <= '9'; ++c) ziffer = std::max(ziffer, Font_Zeichen_Breite(f, static_cast<u8>(c)));
        EXPECT_EQ(Font_Text_Breite(f, "^fb0013214"), 3 * std::min(13, ziffer)) << n;
    }
    EXPECT_EQ(Font_Tabelle_Holen(FONT_ANZAHL), nullptr);
    EXPECT_EQ(Font_Tabelle_Holen(-1), nullptr);
    // A picture of every menu entry the main menu needs loads.
    for (i32 nummer : {4000, 4001, 4002, 4013, 4014, 8331, 12000, 12010, 12135, 16171, 36000, 37000}) {
        Rastport_Bild rp(Resf_Grafik_Laden(nummer));
        EXPECT_TRUE(rp && Rastport_Lock(rp.get())) << nummer;
        EXPECT_EQ(rp ? rp->grafik : -1, nummer);  // the draw trace names pictures by it
    }
    // 1,001 crests, each different, no opaque pixel on the colour key.
    std::set<u64> gesehen;
    for (i32 e = 0; e <= 1000; ++e) {
        Rastport_Bild w(Resf_Lade_Rastport(Resf_Spiel_Slot(8), e));
        ASSERT_TRUE(w && Rastport_Lock(w.get()) && w->breite == 66 && w->alpha.size() == 66u * 66u) << e;
        for (size_t i = 0; i < 66u * 66u; ++i) ASSERT_EQ(w->bitmap->pixel16()[i] == 0, w->alpha[i] < 32) << e;
        const u64 h = pruef::fnv_worte(w->bitmap->pixel16(), 66u * 66u);
        EXPECT_TRUE(gesehen.insert(h).second) << "Wappen " << e << " gleicht einem anderen";
    }
    Font_Free_All();
    Resf_Free();
}

}  // namespace

// Edge cases of the decoder and its answers to broken or crafted input:
// every check returns its result code, nothing is written out of bounds
// (the sanitizers watch), nothing hangs.
#include "dec_hilfe.h"
#include "enc_test_hilfen.h"
#include "jpeg/dec_farbe.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <tuple>

using namespace dek_test;

namespace {

// ---------------------------------------------------------------------------
// A small JPEG writer for hand-made streams. Its Huffman tables have one code
// each ("0": DC difference 0, AC end of block), so a block is two 0 bits and
// the picture is mid-grey.

struct Bauer {
    std::vector<uint8_t> d;
    void marke(uint8_t m) {
        d.push_back(0xFF);
        d.push_back(m);
    }
    void segment(uint8_t m, const std::vector<uint8_t>& body) {
        marke(m);
        size_t l = body.size() + 2;
        d.push_back(static_cast<uint8_t>(l >> 8));
        d.push_back(static_cast<uint8_t>(l));
        d.insert(d.end(), body.begin(), body.end());
    }
    Bauer& soi() {
        marke(0xD8);
        return *this;
    }
    Bauer& eoi() {
        marke(0xD9);
        return *this;
    }
    Bauer& dqt(int tq = 0, uint8_t wert = 2) {
        std::vector<uint8_t> b{static_cast<uint8_t>(tq)};
        b.insert(b.end(), 64, wert);
        segment(0xDB, b);
        return *this;
    }
    // Class tc, number th, one code of length 1 for symbol 0.
    Bauer& dht(int tc = 0, int th = 0) {
        std::vector<uint8_t> b{static_cast<uint8_t>(tc << 4 | th), 1};
        b.insert(b.end(), 15, 0);
        b.push_back(0);
        segment(0xC4, b);
        return *this;
    }
    Bauer& tabellen() { return dqt().dht(0, 0).dht(1, 0); }
    struct K {
        int id, h, v, tq;
    };
    Bauer& sof(int w, int h, std::vector<K> k = {{1, 1, 1, 0}}, uint8_t art = 0xC0, int praez = 8) {
        std::vector<uint8_t> b{static_cast<uint8_t>(praez), static_cast<uint8_t>(h >> 8),
                               static_cast<uint8_t>(h),     static_cast<uint8_t>(w >> 8),
                               static_cast<uint8_t>(w),     static_cast<uint8_t>(k.size())};
        for (const K& c : k) {
            b.push_back(static_cast<uint8_t>(c.id));
            b.push_back(static_cast<uint8_t>(c.h << 4 | c.v));
            b.push_back(static_cast<uint8_t>(c.tq));
        }
        segment(art, b);
        return *this;
    }
    Bauer& sos(std::vector<int> ids = {1}, int ss = 0, int se = 63, int ah = 0, int al = 0, int tabelle = 0) {
        std::vector<uint8_t> b{static_cast<uint8_t>(ids.size())};
        for (int id : ids) {
            b.push_back(static_cast<uint8_t>(id));
            b.push_back(static_cast<uint8_t>(tabelle << 4 | tabelle));
        }
        b.push_back(static_cast<uint8_t>(ss));
        b.push_back(static_cast<uint8_t>(se));
        b.push_back(static_cast<uint8_t>(ah << 4 | al));
        segment(0xDA, b);
        return *this;
    }
    // Entropy data of n blocks with nothing in them.
    Bauer& leer(int bloecke) {
        d.insert(d.end(), static_cast<size_t>((2 * bloecke + 7) / 8), 0x00);
        return *this;
    }
};

// A whole grey picture of w x h with one component.
std::vector<uint8_t> Grau(int w, int h, std::vector<Bauer::K> k = {{1, 1, 1, 0}}) {
    Bauer b;
    int bloecke = ((w + 7) / 8) * ((h + 7) / 8);
    b.soi().tabellen().sof(w, h, k).sos().leer(bloecke).eoi();
    return b.d;
}

// Decodes a crafted stream in one of the picture modes into an RGB buffer of
// the frame's size (or a 1x1 buffer when the size is unknown).
// With `als_datei` the stream is written to a file and read in the file
// modes (one less than the buffer modes).
// The damage the last Lesen reported with JPEG_ERG_BESCHAEDIGT.
int32_t letzter_schaden = 0;

int32_t Lesen(const std::vector<uint8_t>& daten, int32_t modus = 3, std::vector<uint8_t>* aus = nullptr,
              bool als_datei = false) {
    letzter_schaden = 0;
    Jpeg_Auftrag a;
    EXPECT_EQ(Jpeg_Init(&a), 0);
    std::string name;
    if (als_datei) {
        name = (Arbeitsordner() / "lesen.jpg").string();
        Datei_Schreiben(name, daten);
        a.Jpg_Datei = name.c_str();
        --modus;
    } else {
        Quelle_Setzen(&a, daten);
    }
    int32_t r = Jpeg_Lesen(&a, als_datei ? 0 : 1);
    if (r != 0 && modus > 1) {
        Jpeg_Free(&a);
        return r;
    }
    uint32_t w = 1, h = 1;
    if (r == 0 && a.Jpg_Breite * a.Jpg_Hoehe <= 4096 * 4096) {
        w = a.Jpg_Breite;
        h = a.Jpg_Hoehe;
    }
    std::vector<uint8_t> pixel(static_cast<size_t>(w) * h * 3 + 1, 0xAB);
    Ziel_Setzen(&a, pixel, w, static_cast<int32_t>(h));
    a.Jpg_Farbraum = FARBE_YCBCR;
    a.Jpg_Kanaele = 3;
    if (modus > 1) r = Jpeg_Lesen(&a, modus);
    EXPECT_EQ(pixel.back(), 0xAB);
    if (aus) {
        pixel.pop_back();
        *aus = pixel;
    }
    letzter_schaden = a.Intern.Schaden;
    EXPECT_EQ(r == JPEG_ERG_BESCHAEDIGT, letzter_schaden != 0);
    EXPECT_EQ(Jpeg_Free(&a), 0);
    return r;
}

// Encodes RGB pixels with this codec (4:2:0, quality 75) and the given
// restart interval; the stream.
std::vector<uint8_t> Eigen_Kodieren(Bild& b, int32_t neustart = 0) {
    enc_test::Einstellung e;
    e.neustart = neustart;
    enc_test::Ergebnis r = enc_test::Kodieren(b.pixel, b.breite, b.hoehe, e);
    EXPECT_EQ(r.erg, 0);
    return r.jpeg;
}

// ---------------------------------------------------------------------------

TEST(Dek_Kanten, HandgemachtesBildIstGrau) {
    std::vector<uint8_t> pixel;
    ASSERT_EQ(Lesen(Grau(19, 9), 3, &pixel), 0);
    ASSERT_EQ(pixel.size(), 19u * 9 * 3);
    for (uint8_t v : pixel) ASSERT_EQ(v, 128);
    // A lone component that declares 2x2 sampling is read as 1x1.
    ASSERT_EQ(Lesen(Grau(19, 9, {{1, 2, 2, 0}}), 3, &pixel), 0);
    for (uint8_t v : pixel) ASSERT_EQ(v, 128);
}

// Every crafted stream returns its code, and every code has its text.
TEST(Dek_Kanten, BoesartigeDateien) {
    struct Fall {
        const char* name;
        std::vector<uint8_t> daten;
        int32_t erwartet;
        int32_t schaden;  // with JPEG_ERG_BESCHAEDIGT: the damage named
    };
    std::vector<Fall> faelle;
    auto mit = [&](const char* name, int32_t code, auto bau, int32_t schaden = 0) {
        Bauer b;
        bau(b);
        faelle.push_back({name, b.d, code, schaden});
    };
    mit("DHT over-subscribed", JPEG_ERG_HUFFMAN, [](Bauer& b) {
        std::vector<uint8_t> t{0x00, 3};
        t.insert(t.end(), 15, 0);
        t.insert(t.end(), {0, 1, 2});
        b.soi().dqt().segment(0xC4, t);
        b.sof(8, 8).sos().leer(1).eoi();
    });
    mit("DHT symbols missing", JPEG_ERG_DATEN, [](Bauer& b) {
        std::vector<uint8_t> t{0x00, 0, 10};
        t.insert(t.end(), 14, 0);
        t.insert(t.end(), {0, 1});
        b.soi().dqt().segment(0xC4, t);
    });
    mit("DHT class 2", JPEG_ERG_HUFFMAN, [](Bauer& b) { b.soi().dht(2, 0); });
    mit("DQT cut short", JPEG_ERG_DATEN, [](Bauer& b) {
        std::vector<uint8_t> t{0x00};
        t.insert(t.end(), 27, 1);
        b.soi().segment(0xDB, t);
    });
    mit("DQT number 5", JPEG_ERG_QUANT, [](Bauer& b) { b.soi().dqt(5); });
    mit("DQT precision 2", JPEG_ERG_QUANT, [](Bauer& b) { b.soi().dqt(0x20); });
    mit("DRI without value", JPEG_ERG_DATEN, [](Bauer& b) { b.soi().segment(0xDD, {}); });
    mit("five components", JPEG_ERG_KOMPONENTE, [](Bauer& b) {
        b.soi().tabellen().sof(8, 8, {{1, 1, 1, 0}, {2, 1, 1, 0}, {3, 1, 1, 0}, {4, 1, 1, 0}, {5, 1, 1, 0}});
    });
    mit("H = 15", JPEG_ERG_SOF, [](Bauer& b) { b.soi().tabellen().sof(8, 8, {{1, 15, 1, 0}, {2, 1, 1, 0}}); });
    mit("H = 0", JPEG_ERG_SOF, [](Bauer& b) { b.soi().tabellen().sof(8, 8, {{1, 0, 1, 0}, {2, 1, 1, 0}}); });
    mit("H = 3 beside 4", JPEG_ERG_SOF, [](Bauer& b) { b.soi().tabellen().sof(8, 8, {{1, 3, 1, 0}, {2, 4, 1, 0}}); });
    mit("factors sum above 10", JPEG_ERG_SOF, [](Bauer& b) {
        b.soi().tabellen().sof(8, 8, {{1, 2, 2, 0}, {2, 2, 2, 0}, {3, 2, 2, 0}});
    });
    mit("same component twice", JPEG_ERG_SOF, [](Bauer& b) {
        b.soi().tabellen().sof(8, 8, {{1, 1, 1, 0}, {1, 1, 1, 0}});
    });
    mit("precision 12", JPEG_ERG_RAHMEN_ART, [](Bauer& b) { b.soi().tabellen().sof(8, 8, {{1, 1, 1, 0}}, 0xC0, 12); });
    mit("lossless frame", JPEG_ERG_RAHMEN_ART, [](Bauer& b) { b.soi().tabellen().sof(8, 8, {{1, 1, 1, 0}}, 0xC3); });
    mit("arithmetic frame", JPEG_ERG_RAHMEN_ART, [](Bauer& b) { b.soi().tabellen().sof(8, 8, {{1, 1, 1, 0}}, 0xC9); });
    mit("height 0", JPEG_ERG_DNL, [](Bauer& b) { b.soi().tabellen().sof(8, 0); });
    mit(
        "65535 x 65535 on 10 bytes", JPEG_ERG_BESCHAEDIGT,
        [](Bauer& b) { b.soi().tabellen().sof(65535, 65535).sos().leer(10).eoi(); }, JPEG_ERG_EOF);
    mit("scan before frame", JPEG_ERG_KEIN_RAHMEN, [](Bauer& b) { b.soi().tabellen().sos(); });
    mit("scan of 0 components", JPEG_ERG_DATEN, [](Bauer& b) { b.soi().tabellen().sof(8, 8).sos({}); });
    mit("scan of 5 components", JPEG_ERG_DATEN, [](Bauer& b) { b.soi().tabellen().sof(8, 8).sos({1, 1, 1, 1, 1}); });
    mit("scan of an unknown component", JPEG_ERG_DATEN, [](Bauer& b) { b.soi().tabellen().sof(8, 8).sos({7}); });
    mit("baseline scan with Se 62", JPEG_ERG_DATEN, [](Bauer& b) { b.soi().tabellen().sof(8, 8).sos({1}, 0, 62); });
    mit("progressive Se 200", JPEG_ERG_DATEN, [](Bauer& b) {
        b.soi().tabellen().sof(8, 8, {{1, 1, 1, 0}}, 0xC2).sos({1}, 1, 200);
    });
    mit("progressive Al 15", JPEG_ERG_DATEN, [](Bauer& b) {
        b.soi().tabellen().sof(8, 8, {{1, 1, 1, 0}}, 0xC2).sos({1}, 0, 0, 0, 15);
    });
    mit("AC scan of 3 components", JPEG_ERG_DATEN, [](Bauer& b) {
        b.soi().tabellen().sof(8, 8, {{1, 1, 1, 0}, {2, 1, 1, 0}, {3, 1, 1, 0}}, 0xC2).sos({1, 2, 3}, 1, 63);
    });
    mit("undefined Huffman table", JPEG_ERG_KEINE_HUFFMAN,
        [](Bauer& b) { b.soi().tabellen().sof(8, 8).sos({1}, 0, 63, 0, 0, 2); });
    mit("undefined quantisation table", JPEG_ERG_KEINE_QUANT, [](Bauer& b) {
        b.soi().tabellen().sof(8, 8, {{1, 1, 1, 3}}).sos().leer(1).eoi();
    });
    mit("second, larger frame", JPEG_ERG_MEHRERE_RAHMEN, [](Bauer& b) {
        b.soi().tabellen().sof(8, 8).sos().leer(1);
        b.sof(4000, 4000).sos().leer(100).eoi();
    });
    mit("end marker before a frame", JPEG_ERG_KEIN_BILD, [](Bauer& b) { b.soi().eoi(); });
    mit("progressive 4:4:4 beyond the coefficient store", JPEG_ERG_SPEICHER, [](Bauer& b) {
        b.soi()
            .tabellen()
            .sof(16384, 16384, {{1, 1, 1, 0}, {2, 1, 1, 0}, {3, 1, 1, 0}}, 0xC2)
            .sos({1, 2, 3}, 0, 0)
            .leer(8)
            .eoi();
    });
    mit("Adobe marker between scans", 0, [](Bauer& b) {
        // DC scans take one bit per block here: 12 blocks, two bytes.
        b.soi().tabellen().sof(16, 16, {{1, 1, 1, 0}, {2, 1, 1, 0}, {3, 1, 1, 0}}, 0xC2).sos({1, 2, 3}, 0, 0).leer(6);
        b.segment(0xEE, {'A', 'd', 'o', 'b', 'e', 0, 100, 0, 0, 0, 0, 0});
        for (int c = 1; c <= 3; ++c) b.sos({c}, 1, 63).leer(4);
        b.eoi();
    });
    // Scans after the first that cannot be taken leave the picture the
    // earlier scans made, reported as damaged.
    mit(
        "5000 scans", JPEG_ERG_BESCHAEDIGT,
        [](Bauer& b) {
            b.soi().tabellen().sof(8, 8, {{1, 1, 1, 0}}, 0xC2).sos({1}, 0, 0, 0, 1).leer(1);
            for (int i = 0; i < 5000; ++i) b.sos({1}, 0, 0, 1, 0).leer(4);
            b.eoi();
        },
        JPEG_ERG_EOF);
    mit(
        "many scans over a large picture", JPEG_ERG_BESCHAEDIGT,
        [](Bauer& b) {
            b.soi().tabellen().sof(2048, 2048, {{1, 1, 1, 0}}, 0xC2).sos({1}, 0, 0, 0, 1).leer(65536);
            for (int i = 0; i < 200; ++i) b.sos({1}, 1, 63).leer(16);
            b.eoi();
        },
        JPEG_ERG_EOF);
    // Invalid progressive sequences: refused as the first scan, damage after it.
    mit("refinement without a first scan", JPEG_ERG_DATEN, [](Bauer& b) {
        b.soi().tabellen().sof(8, 8, {{1, 1, 1, 0}}, 0xC2).sos({1}, 0, 0, 8, 1).leer(1).eoi();
    });
    mit("AC scan before the DC scan", JPEG_ERG_DATEN, [](Bauer& b) {
        b.soi().tabellen().sof(8, 8, {{1, 1, 1, 0}}, 0xC2).sos({1}, 1, 63).leer(1).eoi();
    });
    mit(
        "refinement two bits down", JPEG_ERG_BESCHAEDIGT,
        [](Bauer& b) {
            b.soi().tabellen().sof(8, 8, {{1, 1, 1, 0}}, 0xC2).sos({1}, 0, 0, 0, 2).leer(1);
            b.sos({1}, 0, 0, 2, 0).leer(1).eoi();
        },
        JPEG_ERG_EOF);
    mit(
        "first AC scan twice", JPEG_ERG_BESCHAEDIGT,
        [](Bauer& b) {
            b.soi().tabellen().sof(8, 8, {{1, 1, 1, 0}}, 0xC2).sos({1}, 0, 0).leer(1);
            b.sos({1}, 1, 63).leer(1).sos({1}, 1, 63).leer(1).eoi();
        },
        JPEG_ERG_DATEN);
    mit(
        "bytes between the entropy data and the end marker", JPEG_ERG_BESCHAEDIGT,
        [](Bauer& b) {
            b.soi().tabellen().sof(16, 8).sos().leer(2);
            b.d.insert(b.d.end(), {0x12, 0x34});
            b.eoi();
        },
        JPEG_ERG_DATEN);
    mit(
        "no end marker", JPEG_ERG_BESCHAEDIGT, [](Bauer& b) { b.soi().tabellen().sof(16, 8).sos().leer(2); },
        JPEG_ERG_EOF);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(Lesen(f.daten), f.erwartet);
        EXPECT_EQ(letzter_schaden, f.schaden);
        EXPECT_EQ(Lesen(f.daten, 3, nullptr, true), f.erwartet) << "file";
        EXPECT_EQ(letzter_schaden, f.schaden) << "file";
        EXPECT_STRNE(Jpeg_Fehlertext(f.erwartet), "Unknown error code");  // every refusal has its text
    }
}

// Every thumbnail form (JFIF and JFXX RGB, JFXX palette, JPEG-coded in JFXX
// and in Exif of both byte orders): the parameter read gives its size (not
// the palette form's), the
// thumbnail read its pixels into red-green-blue and blue-green-red pixels,
// from memory and from a file; too few pixels give -26 and leave the
// caller's bytes alone; a stream without a thumbnail has none to give.
TEST(Dek_Kanten, Vorschaubilder) {
    Bild klein = Muster(24, 16, 7);
    const std::vector<uint8_t> vorschau = Eigen_Kodieren(klein);
    const Ergebnis dekodiert = Dekodieren(vorschau, "", 3);
    ASSERT_EQ(dekodiert.code, 0);
    auto exif = [&](bool intel) {
        std::vector<uint8_t> t{'E', 'x', 'i', 'f', 0, 0};
        auto u16 = [&](uint32_t v) {
            t.push_back(static_cast<uint8_t>(intel ? v : v >> 8));
            t.push_back(static_cast<uint8_t>(intel ? v >> 8 : v));
        };
        auto u32 = [&](uint32_t v) { intel ? (u16(v & 0xFFFF), u16(v >> 16)) : (u16(v >> 16), u16(v & 0xFFFF)); };
        t.push_back(intel ? 'I' : 'M'), t.push_back(intel ? 'I' : 'M'), u16(42), u32(8);
        u16(0), u32(14);  // directory 0: no entries, directory 1 at 14
        u16(2);
        u16(0x0201), u16(4), u32(1), u32(14 + 2 + 24 + 4);
        u16(0x0202), u16(4), u32(1), u32(static_cast<uint32_t>(vorschau.size()));
        u32(0);
        t.insert(t.end(), vorschau.begin(), vorschau.end());
        return t;
    };
    std::vector<uint8_t> jfxx{'J', 'F', 'X', 'X', 0, 0x10};
    jfxx.insert(jfxx.end(), vorschau.begin(), vorschau.end());
    std::vector<uint8_t> palette{'J', 'F', 'X', 'X', 0, 0x11, 2, 1};
    palette.resize(8 + 768, 0);
    palette[8 + 3 * 9] = 1, palette[8 + 3 * 9 + 1] = 2, palette[8 + 3 * 9 + 2] = 3;
    palette[8 + 3 * 200] = 4, palette[8 + 3 * 200 + 1] = 5, palette[8 + 3 * 200 + 2] = 6;
    palette.push_back(9);
    palette.push_back(200);
    const std::vector<uint8_t> sechs{1, 2, 3, 4, 5, 6};
    struct Fall {
        uint8_t marke;
        std::vector<uint8_t> segment;
        uint32_t w, h;
        std::vector<uint8_t> rgb;
    } faelle[] = {
        {0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 2, 1, 1, 2, 3, 4, 5, 6}, 2, 1, sechs},
        {0xE0, {'J', 'F', 'X', 'X', 0, 0x13, 2, 1, 1, 2, 3, 4, 5, 6}, 2, 1, sechs},
        {0xE0, palette, 2, 1, sechs},
        {0xE0, jfxx, 24, 16, dekodiert.bild.pixel},
        {0xE1, exif(true), 24, 16, dekodiert.bild.pixel},
        {0xE1, exif(false), 24, 16, dekodiert.bild.pixel},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::to_string(f.marke) + " " + std::to_string(f.segment[5]) + " " + std::to_string(f.segment[7]));
        Bauer b;
        b.soi();
        if (f.segment[0] != 'J' || f.segment[2] != 'I')
            b.segment(0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
        b.segment(f.marke, f.segment);
        b.tabellen().sof(8, 8).sos().leer(1).eoi();
        const std::string datei = (Arbeitsordner() / "vorschau.jpg").string();
        Datei_Schreiben(datei, b.d);
        for (auto [farbe, breite, aus_datei] : {std::tuple{FARBE_RGB, f.w, false},
                                                {FARBE_BGR, f.w, false},
                                                {FARBE_RGB, f.w, true},
                                                {FARBE_RGB, f.w - 1, false}}) {
            Jpeg_Auftrag a;
            ASSERT_EQ(Jpeg_Init(&a), 0);
            if (aus_datei) {
                a.Jpg_Datei = datei.c_str();
            } else {
                Quelle_Setzen(&a, b.d);
            }
            ASSERT_EQ(Jpeg_Lesen(&a, aus_datei ? JMODUS_DATEI_PARAMETER : JMODUS_PUFFER_PARAMETER), 0);
            const bool palette_form = f.segment[5] == 0x11;  // its size is known only to the thumbnail read
            EXPECT_EQ(a.Jpg_Vorschau_Breite, palette_form ? 0 : f.w);
            EXPECT_EQ(a.Jpg_Vorschau_Hoehe, palette_form ? 0 : f.h);
            std::vector<uint8_t> pixel(f.w * f.h * 3, 0xAB);
            Ziel_Setzen(&a, pixel, breite, static_cast<int32_t>(f.h), farbe);
            const int32_t code = breite < f.w ? JPEG_ERG_VORSCHAU_KLEIN : 0;
            EXPECT_EQ(Jpeg_Lesen(&a, aus_datei ? JMODUS_DATEI_VORSCHAU : JMODUS_PUFFER_VORSCHAU), code);
            std::vector<uint8_t> soll = f.rgb;
            for (size_t i = 0; farbe == FARBE_BGR && i < soll.size(); i += 3) std::swap(soll[i], soll[i + 2]);
            if (code) soll.assign(pixel.size(), 0xAB);
            EXPECT_EQ(pixel, soll);
            Jpeg_Free(&a);
        }
    }
    EXPECT_EQ(Lesen(Grau(8, 8), JMODUS_PUFFER_VORSCHAU), JPEG_ERG_KEIN_BILD);
}

// The comment buffer: a comment that fits is copied whole; a longer one
// copies what fits, reports the length it needs and -30.
TEST(Dek_Kanten, Kommentarpuffer) {
    Bauer b;
    b.soi().segment(0xFE, {'H', 'a', 'l', 'l', 'o'});
    b.tabellen().sof(8, 8).sos().leer(1).eoi();
    for (uint16_t groesse : {5, 4}) {
        Jpeg_Auftrag a;
        ASSERT_EQ(Jpeg_Init(&a), 0);
        std::array<uint8_t, 8> kommentar{};
        a.Intern.jpeg_comment = kommentar.data();
        a.Intern.Kommentar_Groesse = groesse;
        Quelle_Setzen(&a, b.d);
        EXPECT_EQ(Jpeg_Lesen(&a, JMODUS_PUFFER_PARAMETER), groesse == 5 ? 0 : JPEG_ERG_KOMMENTAR);
        EXPECT_EQ(a.Intern.Kommentar_Groesse, 5);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(kommentar.data()), groesse), std::string("Hallo", groesse));
        EXPECT_EQ(kommentar[groesse], 0);
        Jpeg_Free(&a);
    }
}

// The parameter read: SOI first, the size, and the position of the scan.
TEST(Dek_Kanten, ParameterLesen) {
    std::vector<uint8_t> grau = Grau(21, 13);
    EXPECT_EQ(Lesen(grau, 1), 0);
    std::vector<uint8_t> ohne_soi(grau.begin() + 2, grau.end());
    EXPECT_EQ(Lesen(ohne_soi, 1), JPEG_ERG_KEIN_JPEG);
    // Leading bytes that are no marker are passed over.
    std::vector<uint8_t> vorne{1, 2, 3};
    vorne.insert(vorne.end(), grau.begin(), grau.end());
    EXPECT_EQ(Lesen(vorne, 1), 0);
    EXPECT_EQ(Lesen(std::vector<uint8_t>{0xFF}, 1), JPEG_ERG_KEIN_JPEG);
    // The count of bytes taken stops at the scan's marker.
    Bauer b;
    b.soi().segment(0xE0, {'J', 'F', 'I', 'F', 0, 1, 2, 0, 0, 1, 0, 1, 0, 0});
    b.tabellen().sof(8, 8);
    const size_t bis_sos = b.d.size();
    b.sos().leer(1).eoi();
    Jpeg_Auftrag a;
    ASSERT_EQ(Jpeg_Init(&a), 0);
    Quelle_Setzen(&a, b.d);
    ASSERT_EQ(Jpeg_Lesen(&a, JMODUS_PUFFER_PARAMETER), 0);
    EXPECT_EQ(a.Intern.Strom.Ausgabe_Anzahl, static_cast<int64_t>(bis_sos));
    EXPECT_EQ(a.Intern.Strom.Eingabe_Anfang, b.d.data() + bis_sos);  // handed back at the scan's marker
    EXPECT_EQ(a.Intern.JFIF_Gesehen, 1);
    EXPECT_EQ(a.Intern.JFIF_Version[1], 2);
    EXPECT_EQ(a.Jpg_Farbraum, FARBE_GRAU);
    Jpeg_Free(&a);
}

// Damaged and cut data is never clean success: the picture is written whole
// and reported as damaged, with the kind of damage. A streamed picture keeps the rows
// decoded before the damage and is neutral grey after it; a gathered
// (progressive) one is written from the coefficients that arrived; restart
// markers end the damage.
TEST(Dek_Kanten, BeschaedigteDaten) {
    if (!Werkzeuge_Da()) GTEST_SKIP() << "cjpeg not installed";
    enum Art { KURZ, KURZ_ENDE, HOEHER, OHNE_INTERVALL, FALSCHER_CODE };
    struct Fall {
        const char* optionen;
        Art art;
        int32_t code;
        bool grau;  // the rows after the damage are grey
    } faelle[] = {
        {"-sample 2x2", KURZ, JPEG_ERG_EOF, true},           {"-sample 2x2", KURZ_ENDE, JPEG_ERG_EOF, true},
        {"-sample 1x1", HOEHER, JPEG_ERG_EOF, true},         {"-sample 2x2", FALSCHER_CODE, JPEG_ERG_DATEN, true},
        {"-progressive", KURZ, JPEG_ERG_EOF, false},         {"-progressive", KURZ_ENDE, JPEG_ERG_EOF, false},
        {"-restart 1", OHNE_INTERVALL, JPEG_ERG_EOF, false},
    };
    const Bild muster = Muster(96, 80);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::string(f.optionen) + " " + std::to_string(f.art));
        std::vector<uint8_t> echt = Datei_Lesen(Kodieren(muster, f.optionen, "schaden"));
        Ergebnis ganz = Dekodieren(echt, "", 3);
        ASSERT_EQ(ganz.code, 0);
        std::vector<uint8_t> d = echt;
        size_t sos = 0;
        for (size_t i = 2; i + 1 < d.size(); ++i)
            if (d[i] == 0xFF && d[i + 1] == 0xDA) sos = i;  // the last scan
        const size_t daten = sos + 2 + (d[sos + 2] << 8 | d[sos + 3]);
        switch (f.art) {
            case KURZ:
            case KURZ_ENDE:
                d.resize(f.optionen[1] == 'p' ? d.size() * 3 / 5 : daten + (d.size() - daten) / 2);
                if (f.art == KURZ_ENDE) d.insert(d.end(), {0xFF, 0xD9});
                break;
            case HOEHER:  // a frame taller than its data
                for (size_t i = 2; i + 1 < d.size(); ++i)
                    if (d[i] == 0xFF && d[i + 1] == 0xC0) {
                        d[i + 5] = 1;
                        break;
                    }
                break;
            case OHNE_INTERVALL: {  // one restart interval and its marker left out
                size_t a = 0, b = 0;
                for (size_t i = daten + (d.size() - daten) / 2; i + 1 < d.size() && !b; ++i)
                    if (d[i] == 0xFF && d[i + 1] >= 0xD0 && d[i + 1] <= 0xD7) (a ? b : a) = i;
                d.erase(d.begin() + static_cast<long>(a), d.begin() + static_cast<long>(b));
                break;
            }
            case FALSCHER_CODE:  // 48 1-bits: at least 16 of them make no code of the tables
                d.insert(d.begin() + static_cast<long>(daten + (d.size() - daten) / 2),
                         {0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00});
                break;
        }
        Optionen o;
        Ergebnis e = Dekodieren(d, "", 3, o);
        EXPECT_EQ(e.code, JPEG_ERG_BESCHAEDIGT);
        EXPECT_EQ(e.schaden, f.code);
        ASSERT_EQ(e.bild.breite, muster.breite);
        const size_t zeile = static_cast<size_t>(muster.breite) * 3;
        auto gleich = [&](int32_t y) {
            return std::equal(e.bild.pixel.begin() + y * zeile, e.bild.pixel.begin() + (y + 1) * zeile,
                              ganz.bild.pixel.begin() + y * zeile);
        };
        auto grau = [&](int32_t y) {
            return std::all_of(e.bild.pixel.begin() + y * zeile, e.bild.pixel.begin() + (y + 1) * zeile,
                               [](uint8_t v) { return v == 128; });
        };
        int32_t heil = 0;  // rows equal to the whole picture's
        while (heil < muster.hoehe && gleich(heil)) ++heil;
        if (f.optionen[1] != 'p') {
            EXPECT_GE(heil, f.art == HOEHER ? muster.hoehe : 16);
        }
        if (f.grau) {
            EXPECT_LT(heil, e.bild.hoehe);
            for (int32_t y = heil + 16; y < e.bild.hoehe; ++y) EXPECT_TRUE(grau(y)) << y;
        } else if (f.art != OHNE_INTERVALL) {
            EXPECT_GT(Vergleichen(e.bild, ganz.bild).psnr, 20.0);
        }
    }
}

// A stream of tables only (mode 5), then the picture without tables (mode 7)
// on the same record, gives the picture of the whole stream.
TEST(Dek_Kanten, TabellenDannDaten) {
    if (!Werkzeuge_Da()) GTEST_SKIP() << "cjpeg not installed";
    std::vector<uint8_t> ganz = Datei_Lesen(Kodieren(Muster(40, 24), "-sample 2x1 -quality 85", "geteilt"));
    // Split the segments: DQT and DHT into the table stream, the rest into the data stream.
    std::vector<uint8_t> tabellen{0xFF, 0xD8}, daten{0xFF, 0xD8};
    size_t i = 2;
    while (i + 4 <= ganz.size() && ganz[i] == 0xFF && ganz[i + 1] != 0xDA) {
        size_t l = (ganz[i + 2] << 8 | ganz[i + 3]) + 2;
        auto& ziel = (ganz[i + 1] == 0xDB || ganz[i + 1] == 0xC4) ? tabellen : daten;
        ziel.insert(ziel.end(), ganz.begin() + static_cast<long>(i), ganz.begin() + static_cast<long>(i + l));
        i += l;
    }
    daten.insert(daten.end(), ganz.begin() + static_cast<long>(i), ganz.end());
    tabellen.insert(tabellen.end(), {0xFF, 0xD9});
    Ergebnis soll = Dekodieren(ganz, "", 3);
    ASSERT_EQ(soll.code, 0);
    Jpeg_Auftrag a;
    ASSERT_EQ(Jpeg_Init(&a), 0);
    Quelle_Setzen(&a, tabellen);
    ASSERT_EQ(Jpeg_Lesen(&a, JMODUS_PUFFER_KOPF), 0);
    std::vector<uint8_t> pixel(40 * 24 * 3);
    Quelle_Setzen(&a, daten);
    Ziel_Setzen(&a, pixel, 40, 24);
    EXPECT_EQ(Jpeg_Lesen(&a, JMODUS_PUFFER_DATEN), 0);
    EXPECT_EQ(pixel, soll.bild.pixel);
    Jpeg_Free(&a);
}

// Four components: inverted colour with an Adobe marker (transform 2) and
// the fourth component as alpha; components passed through unconverted.
TEST(Dek_Kanten, VierKomponentenUndDurchreichen) {
    Bauer b;
    b.soi().segment(0xEE, {'A', 'd', 'o', 'b', 'e', 0, 100, 0, 0, 0, 0, 2});
    b.tabellen().sof(16, 8, {{1, 1, 1, 0}, {2, 1, 1, 0}, {3, 1, 1, 0}, {4, 1, 1, 0}}).sos({1, 2, 3, 4}).leer(8).eoi();
    for (int32_t prozessor : {0, 6}) {
        Jpeg_Auftrag a;
        ASSERT_EQ(Jpeg_Init(&a), 0);
        Prozessor_Setzen(&a, prozessor);
        Quelle_Setzen(&a, b.d);
        ASSERT_EQ(Jpeg_Lesen(&a, JMODUS_PUFFER_PARAMETER), 0);
        EXPECT_EQ(a.Jpg_Farbraum, FARBE_YCBCRA);
        std::vector<uint8_t> pixel(16 * 8 * 4);
        Ziel_Setzen(&a, pixel, 16, 8, FARBE_RGBA, 4);
        ASSERT_EQ(Jpeg_Lesen(&a, JMODUS_PUFFER_BILD), 0);
        for (size_t i = 0; i < pixel.size(); i += 4) {
            ASSERT_EQ(pixel[i], 127);  // 255 - 128
            ASSERT_EQ(pixel[i + 2], 127);
            ASSERT_EQ(pixel[i + 3], 128);
        }
        Jpeg_Free(&a);
    }
    // The same stream as "other" components: copied into the channels.
    Jpeg_Auftrag a;
    ASSERT_EQ(Jpeg_Init(&a), 0);
    std::vector<uint8_t> pixel(16 * 8 * 3, 0);
    Quelle_Setzen(&a, b.d);
    a.Jpg_Farbraum = FARBE_ANDERE;
    a.Jpg_Kanaele = 4;
    Ziel_Setzen(&a, pixel, 16, 8, FARBE_ANDERE);
    ASSERT_EQ(Jpeg_Lesen(&a, JMODUS_PUFFER_BILD), 0);
    for (uint8_t v : pixel) ASSERT_EQ(v, 128);
    Jpeg_Free(&a);
}

// A picture read straight away (no parameter read first), from memory and
// from a file, equals the two-step read.
TEST(Dek_Kanten, OhneParameterLesen) {
    if (!Werkzeuge_Da()) GTEST_SKIP() << "cjpeg not installed";
    fs::path jpg = Kodieren(Muster(45, 30), "-sample 2x2 -quality 80", "direkt");
    std::vector<uint8_t> daten = Datei_Lesen(jpg);
    Ergebnis soll = Dekodieren(daten, "", 3);
    ASSERT_EQ(soll.code, 0);
    for (bool datei : {false, true}) {
        Jpeg_Auftrag a;
        ASSERT_EQ(Jpeg_Init(&a), 0);
        std::string name = jpg.string();
        if (datei) {
            a.Jpg_Datei = name.c_str();
        } else {
            Quelle_Setzen(&a, daten);
        }
        std::vector<uint8_t> pixel(45 * 30 * 3);
        Ziel_Setzen(&a, pixel, 45, 30);
        EXPECT_EQ(Jpeg_Lesen(&a, datei ? JMODUS_DATEI_BILD : JMODUS_PUFFER_BILD), 0);
        EXPECT_EQ(pixel, soll.bild.pixel);
        EXPECT_EQ(a.Jpg_Breite, 45u);
        Jpeg_Free(&a);
    }
}

// Component planes of the caller: the grey picture's samples (mode 1) and
// its coefficients (mode 0: only zero, its blocks are empty); a missing plane
// or a reduced size is refused, and nothing is written outside the plane.
TEST(Dek_Kanten, KomponentenEbenen) {
    std::vector<uint8_t> grau = Grau(8, 8);
    struct Fall {
        int32_t modus_wort;
        int32_t lesemodus;
        bool mit_ebene;
        int32_t erwartet;
        int16_t wert;
    } faelle[] = {
        {1, JMODUS_PUFFER_BILD, true, 0, 128},
        {0, JMODUS_PUFFER_BILD, true, 0, 0},
        {1, JMODUS_PUFFER_BILD, false, JPEG_ERG_PROPERTIES, -1},
        {1, JMODUS_PUFFER_HALB, true, JPEG_ERG_PROPERTIES, -1},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::to_string(f.modus_wort) + " " + std::to_string(f.lesemodus));
        Jpeg_Auftrag a;
        ASSERT_EQ(Jpeg_Init(&a), 0);
        Jpeg_Komponenten_Ebenen ebenen{};
        ebenen.Modus = f.modus_wort;
        std::vector<int16_t> ebene(65, -1);
        if (f.mit_ebene) ebenen.Ebene[0] = ebene.data();
        a.Intern.Komponenten_Ebenen = &ebenen;
        Quelle_Setzen(&a, grau);
        a.Jpg_Farbraum = FARBE_GRAU;
        a.Jpg_Kanaele = 1;
        EXPECT_EQ(Jpeg_Lesen(&a, f.lesemodus), f.erwartet);
        for (int i = 0; i < 64; ++i) EXPECT_EQ(ebene[i], f.wert) << i;
        EXPECT_EQ(ebene[64], -1);
        a.Intern.Komponenten_Ebenen = nullptr;
        Jpeg_Free(&a);
    }
}

// Stepping reports the MCU just decoded and keeps its state until the end;
// a record freed in the middle of a stepped decode leaks nothing.
TEST(Dek_Kanten, SchritteUndAbbruch) {
    std::vector<uint8_t> grau = Grau(40, 16);  // 5 x 2 MCUs
    Jpeg_Auftrag a;
    ASSERT_EQ(Jpeg_Init(&a), 0);
    std::vector<uint8_t> pixel(40 * 16 * 3);
    Quelle_Setzen(&a, grau);
    Ziel_Setzen(&a, pixel, 40, 16);
    a.Intern.Unterbrechen = 1;
    ASSERT_EQ(Jpeg_Lesen(&a, JMODUS_PUFFER_BILD), JPEG_ERG_UNTERBROCHEN);
    EXPECT_EQ(a.Intern.Unterbrechen, 0);
    EXPECT_EQ(a.Intern.Bereich_Links, 0);
    EXPECT_EQ(a.Intern.Bereich_Oben, 0);
    a.Intern.Unterbrechen = 1;
    ASSERT_EQ(Jpeg_Lesen(&a, JMODUS_PUFFER_BILD), JPEG_ERG_UNTERBROCHEN);
    EXPECT_EQ(a.Intern.Bereich_Links, 1);
    EXPECT_EQ(Jpeg_Free(&a), 0);
}

// The SSE2 colour conversion gives exactly the generic pixels, for every
// chroma pair, every layout, full and half-width chroma, and row tails.
TEST(Dek_Farbe, SimdGleichAllgemein) {
    struct Art {
        int32_t oc, kan;
    };
    for (Art art : {Art{FARBE_RGB, 3}, {FARBE_BGR, 3}, {FARBE_RGBA, 4}, {FARBE_RGB, 5}}) {
        for (int32_t jc : {FARBE_YCBCR, FARBE_YCBCRA}) {
            const int32_t n = jc == FARBE_YCBCR ? 3 : 4;
            jpeg_dek::Farbwahl g = jpeg_dek::Farbe_Waehlen(jc, n, art.oc, art.kan, 0);
            jpeg_dek::Farbwahl s = jpeg_dek::Farbe_Waehlen(jc, n, art.oc, art.kan, 6);
            ASSERT_TRUE(g.fn && s.fn);
            std::vector<uint8_t> y(256 + 16), cb(256 + 16), cr(256 + 16), a(256 + 16);
            for (int32_t cbw = 0; cbw < 256; ++cbw) {
                for (int32_t i = 0; i < 256; ++i) {
                    y[i] = static_cast<uint8_t>((i * 37 + cbw) & 255);
                    cb[i] = static_cast<uint8_t>(cbw);
                    cr[i] = static_cast<uint8_t>(i);
                    a[i] = static_cast<uint8_t>(i ^ cbw);
                }
                const uint8_t* q[4] = {y.data(), cb.data(), cr.data(), a.data()};
                for (int32_t laenge : {256, 250, 45, 13}) {
                    std::vector<uint8_t> ag(256 * 5, 0), as(256 * 5, 0);
                    g.fn(q, ag.data(), laenge, art.kan, 0);
                    s.fn(q, as.data(), laenge, art.kan, 0);
                    ASSERT_EQ(ag, as) << "cb " << cbw << " layout " << art.oc << "/" << art.kan;
                    if (g.halb_fn && s.halb_fn) {
                        g.halb_fn(q, ag.data(), laenge, art.kan, 0);
                        s.halb_fn(q, as.data(), laenge, art.kan, 0);
                        ASSERT_EQ(ag, as) << "half width, cb " << cbw;
                    }
                }
            }
        }
    }
    // Neutral chroma leaves the grey value unchanged.
    uint8_t r, gr, b;
    jpeg_dek::YCC_Pixel(77, 128, 128, &r, &gr, &b);
    EXPECT_EQ(r, 77);
    EXPECT_EQ(gr, 77);
    EXPECT_EQ(b, 77);
}

// The smooth sideways doubling joined to the conversion (AVX2): every pixel
// as the doubled chroma (three quarters of its own sum, a quarter of the
// neighbour's, both bias pairs) converted by the generic formula; whole
// steps of 32 pixels only, nothing written past them.
TEST(Dek_Farbe, GlattVerbundenGleichModell) {
    for (int32_t oc : {FARBE_RGB, FARBE_BGR}) {
        const jpeg_dek::Farbwahl w = jpeg_dek::Farbe_Waehlen(FARBE_YCBCR, 3, oc, 3, 6);
        if (!w.glatt_fn) GTEST_SKIP() << "no AVX2";
        for (auto [r0, r1, hoechst] : {std::tuple{8, 7, 1020}, {4, 8, 1020}})
            for (int32_t n : {32, 64, 96, 250, 17}) {
                SCOPED_TRACE("bias " + std::to_string(r0) + " width " + std::to_string(n));
                const int32_t sn = (n + 1) / 2;
                std::vector<uint16_t> sb(sn + 40), sr(sn + 40);
                std::vector<uint8_t> y(n + 32);
                uint32_t z = static_cast<uint32_t>(n * 31 + r0);
                for (int32_t i = 0; i < sn + 40; ++i) {
                    z = z * 1103515245u + 12345u;
                    sb[i] = static_cast<uint16_t>((z >> 8) % (hoechst + 1));
                    sr[i] = static_cast<uint16_t>((z >> 18) % (hoechst + 1));
                }
                for (int32_t i = 0; i < n + 32; ++i) y[i] = static_cast<uint8_t>(i * 97 + n);
                std::vector<uint8_t> aus(static_cast<size_t>(n) * 3 + 96, 0xAB);
                const int32_t fertig = w.glatt_fn(y.data(), sb.data() + 1, sr.data() + 1, r0, r1, aus.data(), n);
                ASSERT_EQ(fertig, n & ~31);
                for (int32_t x = 0; x < fertig; ++x) {
                    auto doppelt = [&](const std::vector<uint16_t>& s) {
                        const int32_t j = x / 2 + 1, m = 3 * s[j];
                        return (x & 1) ? (m + s[j + 1] + r1) >> 4 : (m + s[j - 1] + r0) >> 4;
                    };
                    uint8_t px[3];
                    jpeg_dek::YCC_Pixel(y[x], doppelt(sb), doppelt(sr), &px[0], &px[1], &px[2]);
                    if (oc == FARBE_BGR) std::swap(px[0], px[2]);
                    ASSERT_EQ(0, std::memcmp(px, &aus[3 * x], 3)) << "pixel " << x;
                }
                for (size_t i = static_cast<size_t>(fertig) * 3; i < aus.size(); ++i) ASSERT_EQ(aus[i], 0xAB) << i;
            }
    }
}

// The full-MCU kernels of the kernel table: every pixel of the MCU gets its
// luma sample and the chroma sample that covers it, converted like the rows.
TEST(Dek_Farbe, MCUKerne) {
    struct Kern {
        Jpeg_Dek_Kern_Fn Jpeg_Kern_Tabelle::*slot;
        int h, v, kan, art;  // art: 0 RGB, 1 BGR, 2 RGBA, 3 copy, 4 copy + 255, 5 inverted + alpha, 6 copy of 4
    };
    const Kern kerne[] = {
        {&Jpeg_Kern_Tabelle::Dek_444_RGB, 1, 1, 3, 0},        {&Jpeg_Kern_Tabelle::Dek_422_RGB, 2, 1, 3, 0},
        {&Jpeg_Kern_Tabelle::Dek_411_RGB, 2, 2, 3, 0},        {&Jpeg_Kern_Tabelle::Dek_444_BGR, 1, 1, 3, 1},
        {&Jpeg_Kern_Tabelle::Dek_422_BGR, 2, 1, 3, 1},        {&Jpeg_Kern_Tabelle::Dek_411_BGR, 2, 2, 3, 1},
        {&Jpeg_Kern_Tabelle::Dek_444_RGBA, 1, 1, 4, 2},       {&Jpeg_Kern_Tabelle::Dek_422_RGBA, 2, 1, 4, 2},
        {&Jpeg_Kern_Tabelle::Dek_411_RGBA, 2, 2, 4, 2},       {&Jpeg_Kern_Tabelle::Dek_444_Kopie, 1, 1, 3, 3},
        {&Jpeg_Kern_Tabelle::Dek_422_Kopie, 2, 1, 3, 3},      {&Jpeg_Kern_Tabelle::Dek_411_Kopie, 2, 2, 3, 3},
        {&Jpeg_Kern_Tabelle::Dek_444_RGBA_Kopie, 1, 1, 4, 4}, {&Jpeg_Kern_Tabelle::Dek_4444_RGBA, 1, 1, 4, 5},
        {&Jpeg_Kern_Tabelle::Dek_4224_RGBA, 2, 1, 4, 5},      {&Jpeg_Kern_Tabelle::Dek_4114_RGBA, 2, 2, 4, 5},
        {&Jpeg_Kern_Tabelle::Dek_4444_Kopie, 1, 1, 4, 6},
    };
    std::vector<int16_t> y(4 * 64), a(4 * 64), cb(64), cr(64);
    for (int i = 0; i < 256; ++i) {
        y[i] = static_cast<int16_t>((i * 7) & 255);
        a[i] = static_cast<int16_t>((i * 3) & 255);
    }
    for (int i = 0; i < 64; ++i) {
        cb[i] = static_cast<int16_t>(40 + 2 * i);
        cr[i] = static_cast<int16_t>(230 - 3 * i);
    }
    for (int32_t code : {0, 6}) {
        Jpeg_Kern_Tabelle t{};
        Jpeg_Kerne_Fuellen(&t, code);
        for (const Kern& k : kerne) {
            SCOPED_TRACE(std::to_string(code) + " kernel " + std::to_string(&k - kerne));
            const int w = 8 * k.h, h = 8 * k.v;
            std::vector<uint8_t> aus(static_cast<size_t>(w) * h * k.kan + 7, 0xCD);
            (t.*k.slot)(y.data(), cb.data(), cr.data(), a.data(), aus.data(), w * k.kan);
            EXPECT_EQ(aus.back(), 0xCD);
            for (int py = 0; py < h; ++py)
                for (int px = 0; px < w; ++px) {
                    const int blk = (py / 8) * k.h + px / 8, idx = blk * 64 + (py % 8) * 8 + px % 8;
                    const int c = (py / k.v) * 8 + px / k.h;
                    const uint8_t* p = &aus[(static_cast<size_t>(py) * w + px) * k.kan];
                    uint8_t r, g, b;
                    jpeg_dek::YCC_Pixel(y[idx], cb[c], cr[c], &r, &g, &b);
                    const uint8_t l = uint8_t(y[idx]), u = uint8_t(cb[c]), v = uint8_t(cr[c]), al = uint8_t(a[idx]);
                    const uint8_t soll[7][4] = {{r, g, b, 0},     {b, g, r, 0},
                                                {r, g, b, 255},   {l, u, v, 0},
                                                {l, u, v, 255},   {uint8_t(255 - r), uint8_t(255 - g), uint8_t(255 - b), al},
                                                {l, u, v, al}};
                    ASSERT_EQ(std::vector<uint8_t>(p, p + k.kan), std::vector<uint8_t>(soll[k.art], soll[k.art] + k.kan))
                        << px << "," << py;
                }
        }
        // Grey and packed 4:2:2.
        std::vector<uint8_t> grau(64);
        t.Dek_Grau(y.data(), nullptr, nullptr, nullptr, grau.data(), 8);
        EXPECT_EQ(grau[9], y[9]);
        std::vector<uint8_t> gepackt(16 * 8 * 2);
        t.Dek_422_YCbYCr(y.data(), cb.data(), cr.data(), nullptr, gepackt.data(), 32);
        EXPECT_EQ(gepackt[2 * 9], y[64 + 1]);  // pixel 9 of row 0 is in the second block
        EXPECT_EQ(gepackt[2 * 9 + 1], cr[4]);
        EXPECT_EQ(gepackt[2 * 8 + 1], cb[4]);
    }
}

}  // namespace

// A 48-megapixel camera-sized picture (8000 x 6000, 4:2:0) decodes: its
// stream is one encoded strip of 16 rows repeated, each copy a restart
// interval, so every band of the picture equals the strip.
TEST(Dek_Kanten, AchtundvierzigMegapixel) {
    const int32_t w = 8000, h = 6000, band = 16;
    Bild strip = Muster(w, band);
    std::vector<uint8_t> jpg = Eigen_Kodieren(strip, w / 16);
    jpg.resize(jpg.size() - 2);  // without the end marker
    Ergebnis soll = Dekodieren(std::vector<uint8_t>(jpg.begin(), jpg.end()), "", 3);
    // Every row is there, but without its end marker the stream is cut.
    ASSERT_EQ(soll.code, JPEG_ERG_BESCHAEDIGT);
    EXPECT_EQ(soll.schaden, JPEG_ERG_EOF);
    size_t sos = 0, sof = 0;
    for (size_t i = 2; i + 1 < jpg.size() && !sos; ++i) {
        if (jpg[i] == 0xFF && jpg[i + 1] == 0xC0) sof = i;
        if (jpg[i] == 0xFF && jpg[i + 1] == 0xDA) sos = i;
    }
    const size_t daten = sos + 2 + (jpg[sos + 2] << 8 | jpg[sos + 3]);
    std::vector<uint8_t> gross(jpg.begin(), jpg.begin() + static_cast<long>(daten));
    gross[sof + 5] = h >> 8;
    gross[sof + 6] = h & 0xFF;
    for (int32_t r = 0; r < h / band; ++r) {
        if (r) gross.insert(gross.end(), {0xFF, static_cast<uint8_t>(0xD0 + (r - 1) % 8)});
        gross.insert(gross.end(), jpg.begin() + static_cast<long>(daten), jpg.end());
    }
    gross.insert(gross.end(), {0xFF, 0xD9});
    Ergebnis e = Dekodieren(gross, "", 3);
    ASSERT_EQ(e.code, 0);
    ASSERT_EQ(e.bild.breite, w);
    ASSERT_EQ(e.bild.hoehe, h);
    const size_t n = soll.bild.pixel.size();
    for (int32_t r : {0, 1, h / band / 2, h / band - 1})
        EXPECT_TRUE(std::equal(soll.bild.pixel.begin(), soll.bild.pixel.end(), e.bild.pixel.begin() + r * n)) << r;
}

// Damaged sequential streams give the same picture, result and damage
// whether the decoder takes its MCUs in runs or one per call (stepped):
// a run ends at the MCU where the damage shows, and the rest of the
// interval is grey, not decoded from the bits after it. Grey, 4:2:0 and
// 4:4:4 pictures with and without restart markers, cut, with changed bytes
// and with bits no code has.
TEST(Dek_Kanten, LaeufeWieSchritte) {
    struct Fall {
        bool grau;
        int32_t abtastung;
        int32_t neustart;
        int32_t dct;
    } faelle[] = {
        {true, ABTASTUNG_KEINE, 0, DCT_GENAU},  {true, ABTASTUNG_KEINE, 5, DCT_GENAU},
        {false, ABTASTUNG_KEINE, 0, DCT_GENAU}, {false, ABTASTUNG_411, 0, DCT_GENAU},
        {false, ABTASTUNG_411, 3, DCT_GENAU},   {true, ABTASTUNG_KEINE, 0, DCT_SCHNELL},
        {false, ABTASTUNG_422, 7, DCT_SCHNELL},
    };
    Bild b = Muster(203, 97);
    auto dekodieren = [](const std::vector<uint8_t>& d, int32_t dct, bool schritte, std::vector<uint8_t>* px,
                         int32_t* schaden) {
        Jpeg_Auftrag a;
        EXPECT_EQ(Jpeg_Init(&a), 0);
        Quelle_Setzen(&a, d);
        px->assign(203 * 97 * 3, 0xAB);
        Ziel_Setzen(&a, *px, 203, 97);
        a.Intern.DCT_Art = dct;
        int32_t r;
        int32_t aufrufe = 0;
        do {
            a.Intern.Unterbrechen = schritte ? 1 : 0;
            r = Jpeg_Lesen(&a, JMODUS_PUFFER_BILD);
        } while (r == JPEG_ERG_UNTERBROCHEN && ++aufrufe < 100000);
        *schaden = a.Intern.Schaden;
        EXPECT_EQ(Jpeg_Free(&a), 0);
        return r;
    };
    uint32_t z = 12345;
    for (const Fall& f : faelle) {
        enc_test::Einstellung e;
        e.neustart = f.neustart;
        e.jpg_abtastung = f.abtastung;
        if (f.grau) {
            e.jpg_farbraum = FARBE_GRAU;
            e.jpg_kanaele = 1;
        }
        e.qualitaet = 85;
        const enc_test::Ergebnis k = enc_test::Kodieren(b.pixel, b.breite, b.hoehe, e);
        ASSERT_EQ(k.erg, 0);
        int32_t beschaedigt = 0;
        for (int art = 0; art < 3; ++art)
            for (int stelle = 1; stelle < 12; ++stelle) {
                SCOPED_TRACE(std::to_string(f.grau) + " " + std::to_string(f.abtastung) + " " +
                             std::to_string(f.neustart) + " " + std::to_string(art) + " " + std::to_string(stelle));
                std::vector<uint8_t> d = k.jpeg;
                const size_t kopf = d.size() / 10, i = kopf + (d.size() - kopf) * stelle / 12;
                if (art == 0) d.resize(i);
                if (art == 1)
                    for (int j = 0; j < 3; ++j) {
                        z = z * 1103515245u + 12345u;
                        d[i + j * 7] = static_cast<uint8_t>(z >> 24);
                    }
                if (art == 2) d.insert(d.begin() + static_cast<long>(i), {0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00});
                std::vector<uint8_t> lauf, schritt;
                int32_t s1 = 0, s2 = 0;
                const int32_t r1 = dekodieren(d, f.dct, false, &lauf, &s1);
                const int32_t r2 = dekodieren(d, f.dct, true, &schritt, &s2);
                EXPECT_EQ(r1, r2);
                EXPECT_EQ(s1, s2);
                EXPECT_TRUE(lauf == schritt);
                beschaedigt += r1 == JPEG_ERG_BESCHAEDIGT;
            }
        EXPECT_GE(beschaedigt, 20);  // the damage was seen
    }
}

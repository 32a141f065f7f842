// Decoding in bands of rows (a region decode that the next call continues
// below), and damaged data reported as damaged, never as clean success.
#include "dec_hilfe.h"

#include <cstring>

using namespace dek_test;

namespace {

int32_t Skala_Modus(int32_t skala) { return skala == 1 ? 3 : skala == 2 ? 15 : skala == 4 ? 17 : 19; }

// Decodes the stream band by band, `band` rows per call, into one picture;
// the codes of every call.
struct Baender {
    Bild bild;
    std::vector<int32_t> codes;
};

Baender In_Baendern(const std::vector<uint8_t>& jpeg, int32_t skala, int32_t band, int32_t glatt) {
    Baender b;
    Jpeg_Auftrag a;
    EXPECT_EQ(Jpeg_Init(&a), 0);
    Quelle_Setzen(&a, jpeg);
    EXPECT_EQ(Jpeg_Lesen(&a, 1), 0);
    const int32_t w = static_cast<int32_t>((a.Jpg_Breite + skala - 1) / skala);
    const int32_t h = static_cast<int32_t>((a.Jpg_Hoehe + skala - 1) / skala);
    b.bild.breite = w;
    b.bild.hoehe = h;
    b.bild.pixel.assign(static_cast<size_t>(w) * h * 3, 0);
    a.Intern.Glaettung = glatt;
    for (int32_t y = 0; y < h; y += band) {
        const int32_t n = std::min(band, h - y);
        std::vector<uint8_t> px(static_cast<size_t>(w) * n * 3 + 1, 0xAB);
        Ziel_Setzen(&a, px, static_cast<uint32_t>(w), n);
        a.Intern.Bereich_Links = 0;
        a.Intern.Bereich_Rechts = w;
        a.Intern.Bereich_Oben = y;
        a.Intern.Bereich_Unten = y + n;
        b.codes.push_back(Jpeg_Lesen(&a, Skala_Modus(skala)));
        EXPECT_EQ(px.back(), 0xAB) << "written past the band";
        std::memcpy(b.bild.pixel.data() + static_cast<size_t>(y) * w * 3, px.data(), static_cast<size_t>(w) * n * 3);
    }
    EXPECT_EQ(Jpeg_Free(&a), 0);
    return b;
}

}  // namespace

// Band after band gives the pixels of one whole decode, for every layout,
// scale and up-sampling, sequential and gathered; every band but the last
// answers "region complete" and keeps the decode for the next.
TEST(Dek_Baender, GleichDemGanzenBild) {
    if (!Werkzeuge_Da()) GTEST_SKIP() << "cjpeg not installed";
    const Bild muster = Muster(75, 61);
    const char* layouts[] = {"-sample 2x2",       "-sample 1x1",      "-sample 2x1", "-sample 1x2",
                             "-sample 4x2",       "-sample 2x4",      "-progressive -sample 2x2",
                             "-progressive -sample 1x1", "-restart 1 -sample 2x1"};
    int nr = 0;
    for (const char* o : layouts) {
        const std::vector<uint8_t> jpg = Datei_Lesen(Kodieren(muster, o, "band" + std::to_string(nr++)));
        for (int32_t skala : {1, 2, 4, 8})
            for (int32_t glatt : {0, 1}) {
                Optionen opt;
                opt.glaettung = glatt;
                const Ergebnis ganz = Dekodieren(jpg, "", Skala_Modus(skala), opt);
                ASSERT_EQ(ganz.code, 0) << o;
                for (int32_t band : {1, 5, 16, 37}) {
                    SCOPED_TRACE(std::string(o) + " scale " + std::to_string(skala) + " smooth " +
                                 std::to_string(glatt) + " band " + std::to_string(band));
                    const Baender b = In_Baendern(jpg, skala, band, glatt);
                    for (size_t i = 0; i + 1 < b.codes.size(); ++i) EXPECT_EQ(b.codes[i], JPEG_ERG_BEREICH_FERTIG);
                    EXPECT_TRUE(b.codes.back() == 0 || b.codes.back() == JPEG_ERG_BEREICH_FERTIG) << b.codes.back();
                    EXPECT_TRUE(b.bild.pixel == ganz.bild.pixel);
                }
            }
    }
}

// Smooth up-sampling of a region: the columns of the whole picture, for
// regions that start at an even column (doubling and conversion in one pass,
// the row's tail by the doubled rows) and at an odd one (the doubled rows
// alone), widths around the kernels' steps, 4:2:0 and 4:2:2.
TEST(Dek_Baender, GlatterBereichGleichGanzemBild) {
    if (!Werkzeuge_Da()) GTEST_SKIP() << "cjpeg not installed";
    for (const char* o : {"-sample 2x2", "-sample 2x1", "-progressive -sample 2x2"})
        for (int32_t breite : {31, 33, 64, 97, 130}) {
            const std::vector<uint8_t> jpg =
                Datei_Lesen(Kodieren(Muster(breite, 21, 3), o, "glatt" + std::to_string(breite) + o[1] + o[10]));
            Optionen opt;
            opt.glaettung = 1;
            const Ergebnis ganz = Dekodieren(jpg, "", 3, opt);
            ASSERT_EQ(ganz.code, 0) << o;
            for (auto [links, rechts] : {std::pair{0, breite}, {1, breite}, {2, breite - 1}, {34, breite}, {3, 30}}) {
                if (links >= rechts) continue;
                SCOPED_TRACE(std::string(o) + " width " + std::to_string(breite) + " from " + std::to_string(links) +
                             " to " + std::to_string(rechts));
                Optionen b = opt;
                b.links = links;
                b.rechts = rechts;
                b.oben = 3;
                b.unten = 19;
                const Ergebnis teil = Dekodieren(jpg, "", 3, b);
                ASSERT_TRUE(teil.code == 0 || teil.code == JPEG_ERG_BEREICH_FERTIG) << teil.code;
                for (int32_t y = b.oben; y < b.unten; ++y)
                    ASSERT_EQ(0, std::memcmp(&teil.bild.pixel[static_cast<size_t>(y - b.oben) * (rechts - links) * 3],
                                             &ganz.bild.pixel[(static_cast<size_t>(y) * breite + links) * 3],
                                             static_cast<size_t>(rechts - links) * 3))
                        << "row " << y;
            }
        }
}

// A cut stream in bands: every band but the last answers "region complete"
// (the decode reaches the cut long before the last rows are asked for), the
// last reports the damage, and the pixels are those of one whole decode.
TEST(Dek_Baender, AbgeschnittenErstAmEnde) {
    if (!Werkzeuge_Da()) GTEST_SKIP() << "cjpeg not installed";
    for (const char* o : {"-sample 2x2", "-progressive"}) {
        std::vector<uint8_t> jpg = Datei_Lesen(Kodieren(Muster(80, 96), o, "kurz" + std::to_string(o[1])));
        jpg.resize(jpg.size() / 2);
        const Ergebnis ganz = Dekodieren(jpg, "", 3);
        ASSERT_EQ(ganz.code, JPEG_ERG_BESCHAEDIGT) << o;
        for (int32_t band : {2, 16, 40}) {
            SCOPED_TRACE(std::string(o) + " band " + std::to_string(band));
            const Baender b = In_Baendern(jpg, 1, band, 0);
            for (size_t i = 0; i + 1 < b.codes.size(); ++i) EXPECT_EQ(b.codes[i], JPEG_ERG_BEREICH_FERTIG) << i;
            EXPECT_EQ(b.codes.back(), JPEG_ERG_BESCHAEDIGT);
            EXPECT_TRUE(b.bild.pixel == ganz.bild.pixel);
        }
    }
}

namespace {

// The picture band by band (`band` rows per call) into buffers filled with
// `fuellung` before each call: the bytes, and the code of the last call (the
// first failing one, where one fails).
std::vector<uint8_t> Gefuellt_Dekodieren(const std::vector<uint8_t>& jpeg, int32_t skala, int32_t band,
                                         uint32_t kanaele, int32_t glatt, int32_t dct, uint8_t fuellung,
                                         int32_t* code) {
    std::vector<uint8_t> bild;
    Jpeg_Auftrag a;
    EXPECT_EQ(Jpeg_Init(&a), 0);
    Quelle_Setzen(&a, jpeg);
    *code = Jpeg_Lesen(&a, 1);
    const int32_t w = static_cast<int32_t>((a.Jpg_Breite + skala - 1) / skala);
    const int32_t h = static_cast<int32_t>((a.Jpg_Hoehe + skala - 1) / skala);
    a.Intern.Glaettung = glatt;
    a.Intern.DCT_Art = dct;
    for (int32_t y = 0; *code >= 0 && y < h; y += band) {
        const int32_t n = std::min(band, h - y);
        std::vector<uint8_t> px(static_cast<size_t>(w) * n * kanaele, fuellung);
        Ziel_Setzen(&a, px, static_cast<uint32_t>(w), n, kanaele == 1 ? FARBE_GRAU : FARBE_RGB, kanaele);
        a.Intern.Bereich_Links = 0;
        a.Intern.Bereich_Rechts = w;
        a.Intern.Bereich_Oben = y;
        a.Intern.Bereich_Unten = y + n;
        *code = Jpeg_Lesen(&a, Skala_Modus(skala));
        bild.insert(bild.end(), px.begin(), px.end());
    }
    EXPECT_EQ(Jpeg_Free(&a), 0);
    return bild;
}

}  // namespace

// Every pixel of a band that the decoder answers for (success, region
// complete or damaged) is written, damaged parts grey: two decodes into
// buffers filled with 0x00 and with 0xFF give the same bytes. The
// command-line tool writes its bands out as the decoder leaves them.
TEST(Dek_Baender, JedesPixelGeschrieben) {
    if (!Werkzeuge_Da()) GTEST_SKIP() << "cjpeg not installed";
    struct Fall {
        const char* optionen;
        int schnitt;  // the stream cut to this many hundredths (0: whole)
        int kippen;   // a bit flipped at this many hundredths of the stream (0: none)
        int32_t skala;
        uint32_t kanaele;
        int32_t glatt, dct, band;
    } faelle[] = {
        {"-sample 2x2", 0, 0, 1, 3, 0, DCT_GENAU, 16},
        {"-sample 2x2", 50, 0, 1, 3, 0, DCT_GENAU, 16},
        {"-sample 2x2", 35, 0, 1, 1, 0, DCT_GENAU, 7},
        {"-sample 2x2", 40, 0, 1, 3, 1, DCT_GENAU, 5},
        {"-sample 2x2", 60, 0, 2, 3, 0, DCT_SCHNELL, 3},
        {"-sample 1x1", 45, 0, 1, 3, 0, DCT_SCHNELL, 8},
        {"-sample 1x1", 0, 55, 1, 1, 0, DCT_GENAU, 16},
        {"-grayscale", 30, 0, 1, 1, 0, DCT_GENAU, 4},
        {"-grayscale", 0, 40, 1, 1, 0, DCT_SCHNELL, 9},
        {"-grayscale", 70, 0, 4, 1, 0, DCT_GENAU, 2},
        {"-progressive -sample 2x2", 40, 0, 1, 3, 0, DCT_GENAU, 16},
        {"-progressive -sample 2x2", 80, 0, 1, 1, 0, DCT_GENAU, 11},
        {"-progressive -sample 2x2", 65, 0, 8, 3, 0, DCT_GENAU, 1},
        {"-restart 1 -sample 2x1", 0, 30, 1, 3, 0, DCT_GENAU, 6},
        {"-restart 1 -sample 2x1", 55, 0, 1, 3, 1, DCT_GENAU, 16},
    };
    const Bild muster = Muster(83, 45, 3);
    int nr = 0;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::string(f.optionen) + " cut " + std::to_string(f.schnitt) + " flip " +
                     std::to_string(f.kippen) + " scale " + std::to_string(f.skala) + " channels " +
                     std::to_string(f.kanaele) + " band " + std::to_string(f.band));
        std::vector<uint8_t> jpg = Datei_Lesen(Kodieren(muster, f.optionen, "voll" + std::to_string(nr++)));
        if (f.kippen) jpg[jpg.size() * static_cast<size_t>(f.kippen) / 100] ^= 0x10;
        if (f.schnitt) jpg.resize(jpg.size() * static_cast<size_t>(f.schnitt) / 100);
        int32_t code0 = 0, code1 = 0;
        const std::vector<uint8_t> a = Gefuellt_Dekodieren(jpg, f.skala, f.band, f.kanaele, f.glatt, f.dct, 0x00, &code0);
        const std::vector<uint8_t> b = Gefuellt_Dekodieren(jpg, f.skala, f.band, f.kanaele, f.glatt, f.dct, 0xFF, &code1);
        EXPECT_EQ(code0, code1);
        ASSERT_GE(code0, 0) << "the decode refused";
        if (f.schnitt) {
            EXPECT_EQ(code0, JPEG_ERG_BESCHAEDIGT);
        }
        EXPECT_TRUE(a == b) << "pixels left unwritten";
    }
}

// A kept decode goes on only for the same stream, further down, with the
// same columns; anything else starts afresh and still gives the right rows.
TEST(Dek_Baender, AndereAnfrageBeginntNeu) {
    if (!Werkzeuge_Da()) GTEST_SKIP() << "cjpeg not installed";
    const std::vector<uint8_t> a1 = Datei_Lesen(Kodieren(Muster(64, 48, 1), "-sample 2x2", "neu1"));
    const std::vector<uint8_t> a2 = Datei_Lesen(Kodieren(Muster(64, 48, 2), "-progressive", "neu2"));
    const Ergebnis g1 = Dekodieren(a1, "", 3), g2 = Dekodieren(a2, "", 3);
    ASSERT_EQ(g1.code, 0);
    ASSERT_EQ(g2.code, 0);
    auto zeilen = [](const Ergebnis& g, int32_t y0, int32_t y1, int32_t x0, int32_t x1) {
        std::vector<uint8_t> r;
        for (int32_t y = y0; y < y1; ++y)
            r.insert(r.end(), g.bild.pixel.begin() + (y * 64 + x0) * 3, g.bild.pixel.begin() + (y * 64 + x1) * 3);
        return r;
    };
    struct Schritt {
        const std::vector<uint8_t>* strom;
        const Ergebnis* ganz;
        int32_t x0, y0, x1, y1;
    } schritte[] = {
        {&a1, &g1, 0, 0, 64, 20},   // kept
        {&a1, &g1, 0, 10, 64, 30},  // above the rows written: afresh
        {&a1, &g1, 8, 30, 40, 40},  // other columns: afresh
        {&a2, &g2, 8, 40, 40, 48},  // another stream: afresh
        {&a1, &g1, 0, 0, 64, 8},    // back to the first
        {&a1, &g1, 0, 17, 64, 48},  // further down, rows left out between
    };
    Jpeg_Auftrag a;
    ASSERT_EQ(Jpeg_Init(&a), 0);
    for (const Schritt& s : schritte) {
        SCOPED_TRACE(std::to_string(s.y0) + ".." + std::to_string(s.y1));
        Quelle_Setzen(&a, *s.strom);
        if (s.strom != &a1 || s.y0 == 0) {
            ASSERT_EQ(Jpeg_Lesen(&a, 1), 0);
        }
        std::vector<uint8_t> px(static_cast<size_t>(s.x1 - s.x0) * (s.y1 - s.y0) * 3);
        Ziel_Setzen(&a, px, static_cast<uint32_t>(s.x1 - s.x0), s.y1 - s.y0);
        a.Intern.Bereich_Links = s.x0;
        a.Intern.Bereich_Rechts = s.x1;
        a.Intern.Bereich_Oben = s.y0;
        a.Intern.Bereich_Unten = s.y1;
        const int32_t r = Jpeg_Lesen(&a, 3);
        EXPECT_TRUE(r == 0 || r == JPEG_ERG_BEREICH_FERTIG) << r;
        EXPECT_TRUE(px == zeilen(*s.ganz, s.y0, s.y1, s.x0, s.x1));
    }
    EXPECT_EQ(Jpeg_Free(&a), 0);
}

// Single flipped bits in the data: wherever djpeg finds the data corrupt,
// the decode is not clean success (damaged, or refused).
TEST(Dek_Baender, GekippteBitsNieSauber) {
    if (!Werkzeuge_Da()) GTEST_SKIP() << "djpeg not installed";
    const std::vector<uint8_t> echt = Datei_Lesen(Kodieren(Muster(96, 80), "-quality 80", "kipp"));
    uint32_t zufall = 7;
    int beanstandet = 0;
    for (int i = 0; i < 120; ++i) {
        zufall = zufall * 1103515245u + 12345u;
        std::vector<uint8_t> d = echt;
        const size_t pos = 2 + (zufall >> 8) % (d.size() - 4);
        d[pos] ^= static_cast<uint8_t>(1u << ((zufall >> 4) & 7));
        const fs::path f = Arbeitsordner() / "kipp_test.jpg";
        Datei_Schreiben(f, d);
        std::string fehler;
        const int rc = Ausfuehren("/usr/bin/djpeg -outfile /dev/null " + f.string(), &fehler);
        if (rc == 0) continue;
        ++beanstandet;
        const Ergebnis e = Dekodieren(d, "", 3);
        EXPECT_NE(e.code, 0) << "byte " << pos << ": djpeg says " << fehler;
        if (e.code == JPEG_ERG_BESCHAEDIGT) {
            EXPECT_NE(e.schaden, 0);
        }
    }
    EXPECT_GT(beanstandet, 10);
}

namespace {

// Decodes into component planes (mode 0: coefficients, else samples); the
// planes, each MCU columns x H x 8 wide and MCU rows x V x 8 high.
struct Ebenen {
    int32_t code = 0;
    int32_t breite[4] = {}, hoehe[4] = {};
    std::vector<int16_t> e[4];
};

Ebenen In_Ebenen(const std::vector<uint8_t>& jpeg, int32_t modus_wort, const std::string& datei = "") {
    Ebenen r;
    Jpeg_Auftrag a;
    EXPECT_EQ(Jpeg_Init(&a), 0);
    if (datei.empty()) Quelle_Setzen(&a, jpeg);
    else a.Jpg_Datei = datei.c_str();
    EXPECT_EQ(Jpeg_Lesen(&a, datei.empty() ? 1 : 0), 0);
    const JPEG_PROPERTIES& p = a.Intern;
    int32_t max_h = 1, max_v = 1;
    for (int c = 0; c < p.Anzahl_Komponenten; ++c) {
        max_h = std::max(max_h, p.Komponenten[c].H);
        max_v = std::max(max_v, p.Komponenten[c].V);
    }
    const int32_t mx = (static_cast<int32_t>(a.Jpg_Breite) + 8 * max_h - 1) / (8 * max_h);
    const int32_t my = (static_cast<int32_t>(a.Jpg_Hoehe) + 8 * max_v - 1) / (8 * max_v);
    Jpeg_Komponenten_Ebenen ebenen{};
    ebenen.Modus = modus_wort;
    for (int c = 0; c < p.Anzahl_Komponenten; ++c) {
        const int32_t h = p.Anzahl_Komponenten == 1 ? 1 : p.Komponenten[c].H;
        const int32_t v = p.Anzahl_Komponenten == 1 ? 1 : p.Komponenten[c].V;
        r.breite[c] = mx * h * 8;
        r.hoehe[c] = my * v * 8;
        r.e[c].assign(static_cast<size_t>(r.breite[c]) * r.hoehe[c] + 1, -7777);
        ebenen.Ebene[c] = r.e[c].data();
    }
    a.Intern.Komponenten_Ebenen = &ebenen;
    r.code = Jpeg_Lesen(&a, datei.empty() ? 3 : 2);
    for (int c = 0; c < p.Anzahl_Komponenten; ++c) {
        EXPECT_EQ(r.e[c].back(), -7777) << "written past plane " << c;
        r.e[c].pop_back();
    }
    EXPECT_EQ(Jpeg_Free(&a), 0);
    return r;
}

}  // namespace

// Sample planes hold what the interleaved output shows without colour
// conversion (chroma replicated); coefficient planes of a baseline and a
// progressive stream with the same tables are the same quantised values.
TEST(Dek_Ebenen, GleichDerVerschachteltenAusgabe) {
    if (!Werkzeuge_Da()) GTEST_SKIP() << "cjpeg not installed";
    const Bild muster = Muster(53, 37);
    const struct {
        const char* optionen;
        int32_t fx, fy;  // chroma up-sampling
    } faelle[] = {{"-sample 1x1", 1, 1}, {"-sample 2x2", 2, 2}, {"-sample 2x1", 2, 1},
                  {"-sample 2x2 -progressive", 2, 2}, {"-sample 1x2 -restart 1", 1, 2}};
    int nr = 0;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.optionen);
        const std::vector<uint8_t> jpg = Datei_Lesen(Kodieren(muster, f.optionen, "ebene" + std::to_string(nr++)));
        const Ebenen e = In_Ebenen(jpg, 1);
        ASSERT_EQ(e.code, 0);
        Jpeg_Auftrag a;
        ASSERT_EQ(Jpeg_Init(&a), 0);
        Quelle_Setzen(&a, jpg);
        ASSERT_EQ(Jpeg_Lesen(&a, 1), 0);
        std::vector<uint8_t> px(static_cast<size_t>(muster.breite) * muster.hoehe * 3);
        Ziel_Setzen(&a, px, static_cast<uint32_t>(muster.breite), muster.hoehe, FARBE_ANDERE, 3);
        a.Jpg_Farbraum = FARBE_ANDERE;
        ASSERT_EQ(Jpeg_Lesen(&a, 3), 0);
        Jpeg_Free(&a);
        int abweichend = 0;
        for (int32_t y = 0; y < muster.hoehe; ++y)
            for (int32_t x = 0; x < muster.breite; ++x)
                for (int c = 0; c < 3; ++c) {
                    const int32_t ex = c ? x / f.fx : x, ey = c ? y / f.fy : y;
                    abweichend += e.e[c][static_cast<size_t>(ey) * e.breite[c] + ex] !=
                                  px[(static_cast<size_t>(y) * muster.breite + x) * 3 + c];
                }
        EXPECT_EQ(abweichend, 0);
    }
    // Coefficients: baseline against progressive, memory against file.
    const fs::path b = Kodieren(muster, "-sample 2x2 -quality 80", "koef_b");
    const fs::path pr = Kodieren(muster, "-sample 2x2 -quality 80 -progressive", "koef_p");
    const Ebenen kb = In_Ebenen(Datei_Lesen(b), 0), kp = In_Ebenen({}, 0, pr.string());
    ASSERT_EQ(kb.code, 0);
    ASSERT_EQ(kp.code, 0);
    for (int c = 0; c < 3; ++c) EXPECT_TRUE(kb.e[c] == kp.e[c]) << c;
    bool dc_da = false;
    for (int16_t v : kb.e[0]) dc_da = dc_da || (v != 0 && v != -7777);
    EXPECT_TRUE(dc_da);
}

// A region decoded from a stored entry equals the same region of a whole
// decode; entries are stored for the rows a region decode passes over and
// serve later regions of the same stream, memory and file alike, and are
// not taken for another stream.
TEST(Dek_Einstiege, BereichAusEinstiegGleichGanzemBild) {
    if (!Werkzeuge_Da()) GTEST_SKIP() << "cjpeg not installed";
    const int32_t w = 96, h = 400;
    const fs::path f1 = Kodieren(Muster(w, h, 3), "-sample 2x2", "einstieg1");
    const fs::path f2 = Kodieren(Muster(w, h, 4), "-sample 2x2 -restart 2", "einstieg2");
    const std::vector<uint8_t> d1 = Datei_Lesen(f1), d2 = Datei_Lesen(f2);
    const Ergebnis g1 = Dekodieren(d1, "", 3), g2 = Dekodieren(d2, "", 3);
    ASSERT_EQ(g1.code, 0);
    ASSERT_EQ(g2.code, 0);
    struct Anfrage {
        int strom;  // 1, 2
        bool datei;
        int32_t x0, y0, x1, y1;
    } anfragen[] = {
        {1, false, 0, 300, 96, 320},  // rows 0..17 stored on the way
        {1, false, 16, 200, 80, 230}, // from entry 12
        {1, false, 0, 100, 40, 140},
        {2, false, 0, 250, 96, 260},  // another stream: its own entries
        {1, false, 8, 310, 88, 330},
        {2, true, 0, 380, 96, 400},   // from a file
        {2, true, 32, 260, 64, 300},
    };
    Jpeg_Auftrag a;
    ASSERT_EQ(Jpeg_Init(&a), 0);
    for (const Anfrage& q : anfragen) {
        SCOPED_TRACE(std::to_string(q.strom) + " " + std::to_string(q.y0));
        const Ergebnis& g = q.strom == 1 ? g1 : g2;
        const std::string name = (q.strom == 1 ? f1 : f2).string();
        if (q.datei) {
            a.Jpg_Datei = name.c_str();
        } else {
            a.Jpg_Datei = nullptr;
            Quelle_Setzen(&a, q.strom == 1 ? d1 : d2);
        }
        ASSERT_EQ(Jpeg_Lesen(&a, q.datei ? 0 : 1), 0);
        std::vector<uint8_t> px(static_cast<size_t>(q.x1 - q.x0) * (q.y1 - q.y0) * 3);
        Ziel_Setzen(&a, px, static_cast<uint32_t>(q.x1 - q.x0), q.y1 - q.y0);
        a.Intern.Bereich_Links = q.x0;
        a.Intern.Bereich_Rechts = q.x1;
        a.Intern.Bereich_Oben = q.y0;
        a.Intern.Bereich_Unten = q.y1;
        const int32_t r = Jpeg_Lesen(&a, q.datei ? 2 : 3);
        EXPECT_EQ(r, JPEG_ERG_BEREICH_FERTIG);
        std::vector<uint8_t> soll;
        for (int32_t y = q.y0; y < q.y1; ++y)
            soll.insert(soll.end(), g.bild.pixel.begin() + (y * w + q.x0) * 3, g.bild.pixel.begin() + (y * w + q.x1) * 3);
        EXPECT_TRUE(px == soll);
        ASSERT_NE(a.Intern.Jpeg_Einstiegstabelle, nullptr);
        EXPECT_GE(a.Intern.Jpeg_Einstiegstabelle[1].Position, 0);  // rows passed over were stored
    }
    EXPECT_EQ(Jpeg_Free(&a), 0);
}

// The fast-path code chosen for each frame layout and pixel layout.
TEST(Dek_Schnellweg, WahlNachTabelle) {
    if (!Werkzeuge_Da()) GTEST_SKIP() << "cjpeg not installed";
    const Bild muster = Muster(40, 24);
    const struct Fall {
        const char* optionen;
        int32_t farbe, kanaele, glatt;
        int32_t code;
    } faelle[] = {
        {"-sample 2x2", FARBE_RGB, 3, 0, 3},   {"-sample 2x2", FARBE_BGR, 3, 0, 4},
        {"-sample 2x2", FARBE_RGBA, 4, 0, 8},  {"-sample 2x2", FARBE_RGB, 3, 1, 0},
        {"-sample 2x1", FARBE_RGB, 3, 0, 5},   {"-sample 2x1", FARBE_BGR, 3, 0, 6},
        {"-sample 2x1", FARBE_RGBA, 4, 0, 9},  {"-sample 1x1", FARBE_RGB, 3, 0, 1},
        {"-sample 1x1", FARBE_BGR, 3, 0, 2},   {"-sample 1x1", FARBE_RGBA, 4, 0, 7},
        {"-sample 2x1", FARBE_YCBCR, 2, 0, 19}, {"-sample 1x1", FARBE_ANDERE, 3, 0, 15},
        {"-sample 2x2", FARBE_ANDERE, 3, 0, 16}, {"-sample 2x1", FARBE_ANDERE, 3, 0, 17},
        {"-sample 1x2", FARBE_RGB, 3, 0, 0},   {"-grayscale", FARBE_GRAU, 1, 0, 0},
        {"-sample 2x2 -progressive", FARBE_RGB, 3, 0, 3},
    };
    int nr = 0;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::string(f.optionen) + " " + std::to_string(f.farbe) + " " + std::to_string(f.glatt));
        const std::vector<uint8_t> jpg = Datei_Lesen(Kodieren(muster, f.optionen, "weg" + std::to_string(nr++)));
        Jpeg_Auftrag a;
        ASSERT_EQ(Jpeg_Init(&a), 0);
        Quelle_Setzen(&a, jpg);
        ASSERT_EQ(Jpeg_Lesen(&a, 1), 0);
        std::vector<uint8_t> px(static_cast<size_t>(muster.breite) * muster.hoehe * f.kanaele);
        Ziel_Setzen(&a, px, static_cast<uint32_t>(muster.breite), muster.hoehe, f.farbe,
                    static_cast<uint32_t>(f.kanaele));
        if (f.farbe == FARBE_YCBCR) a.Bild_Abtastung = 2;
        if (f.farbe == FARBE_ANDERE) a.Jpg_Farbraum = FARBE_ANDERE;
        a.Intern.Glaettung = f.glatt;
        EXPECT_EQ(Jpeg_Lesen(&a, 3), 0);
        EXPECT_EQ(a.Intern.Schnellweg, f.code);
        Jpeg_Free(&a);
    }
}

// A stream that declares 65500 x 65500 pixels on a few bytes: decoded in
// bands its working memory stays within 64 MB (the limit the decode checks
// before it allocates anything), and the first bands come out; as a
// progressive picture it needs its coefficients whole and is refused.
TEST(Dek_Baender, RiesigeAngabe) {
    if (!Werkzeuge_Da()) GTEST_SKIP() << "cjpeg not installed";
    for (const char* o : {"-sample 2x2", "-progressive"}) {
        SCOPED_TRACE(o);
        std::vector<uint8_t> jpg = Datei_Lesen(Kodieren(Muster(64, 48), o, std::string("riesig") + o[1]));
        for (size_t i = 2; i + 8 < jpg.size(); ++i)
            if (jpg[i] == 0xFF && (jpg[i + 1] == 0xC0 || jpg[i + 1] == 0xC2)) {
                jpg[i + 5] = jpg[i + 7] = 65500 >> 8;
                jpg[i + 6] = jpg[i + 8] = 65500 & 0xFF;
                break;
            }
        Jpeg_Auftrag a;
        ASSERT_EQ(Jpeg_Init(&a), 0);
        Quelle_Setzen(&a, jpg);
        ASSERT_EQ(Jpeg_Lesen(&a, 1), 0);
        EXPECT_EQ(a.Jpg_Breite, 65500u);
        a.Intern.Speicher_Grenze = 64;
        std::vector<uint8_t> px(65500u * 16 * 3);
        int32_t r = 0;
        for (int32_t y = 0; y < 64; y += 16) {
            Ziel_Setzen(&a, px, 65500, 16);
            a.Intern.Bereich_Links = 0;
            a.Intern.Bereich_Rechts = 65500;
            a.Intern.Bereich_Oben = y;
            a.Intern.Bereich_Unten = y + 16;
            r = Jpeg_Lesen(&a, 3);
            if (r != JPEG_ERG_BEREICH_FERTIG) break;
        }
        EXPECT_EQ(r, o[1] == 'p' ? JPEG_ERG_SPEICHER : JPEG_ERG_BEREICH_FERTIG);
        Jpeg_Free(&a);
    }
}

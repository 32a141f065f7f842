// The encoder against Debian's libjpeg-turbo tools used as a black box:
// quantisation segments equal to cjpeg's, every layout of the write modes
// accepted by djpeg without a warning and by our own decoder, quality and
// size at cjpeg's level, and progressive streams that decode to exactly the
// pixels of the sequential ones. Skipped where the tools are missing.
#include "enc_test_hilfen.h"

#include <algorithm>
#include <map>

using namespace enc_test;

namespace {

bool Werkzeuge_Da() { return Werkzeug_Da("cjpeg") && Werkzeug_Da("djpeg") && Werkzeug_Da("jpegtran"); }

// The DQT segments of a stream.
std::vector<std::vector<uint8_t>> DQTs(const std::vector<uint8_t>& j) {
    std::vector<std::vector<uint8_t>> d;
    for (const Segment& s : Zerlegen(j).segmente)
        if (s.marke == 0xDB) d.push_back(s.daten);
    return d;
}

// Bytes after the first scan header (entropy-coded data and EOI).
size_t Datenlaenge(const std::vector<uint8_t>& j) { return j.size() - Zerlegen(j).daten_anfang; }

std::vector<uint8_t> Cjpeg(const std::vector<uint8_t>& px, int w, int h, int kanaele, const std::string& optionen) {
    std::string ein = Pfad("cj.ppm"), aus = Pfad("cj.jpg");
    PPM_Schreiben(ein, px, w, h, kanaele);
    std::string fehler;
    EXPECT_EQ(Ausfuehren("/usr/bin/cjpeg " + optionen + " -outfile " + aus + " " + ein, &fehler), 0) << fehler;
    std::vector<uint8_t> j = Datei_Lesen(aus);
    std::remove(ein.c_str());
    std::remove(aus.c_str());
    return j;
}

// The luminance the encoder gives RGB pixels, as 8-bit samples.
std::vector<uint8_t> Grau_Aus_RGB(const std::vector<uint8_t>& rgb) {
    std::vector<uint8_t> g(rgb.size() / 3);
    for (size_t i = 0; i < g.size(); ++i)
        g[i] = static_cast<uint8_t>((77 * rgb[i * 3] + 150 * rgb[i * 3 + 1] + 29 * rgb[i * 3 + 2] + 128) >> 8);
    return g;
}

// jpegtran reads every coefficient of the stream without a message.
void Jpegtran_Liest(const std::vector<uint8_t>& jpeg) {
    std::string ein = Pfad("t.jpg"), fehler;
    Datei_Schreiben(ein, jpeg);
    EXPECT_EQ(Ausfuehren("/usr/bin/jpegtran -copy none -outfile /dev/null " + ein, &fehler), 0);
    EXPECT_EQ(fehler, "");
    std::remove(ein.c_str());
}

// Our own decoder: the stream into 3-channel RGB pixels.
bool Selbst_Dekodieren(const std::vector<uint8_t>& jpeg, int w, int h, std::vector<uint8_t>& rgb) {
    Jpeg_Auftrag a;
    if (Jpeg_Init(&a) != 0) return false;
    dek_test::Quelle_Setzen(&a, jpeg);
    int32_t e = Jpeg_Lesen(&a, JMODUS_PUFFER_PARAMETER);
    bool ok = e == 0 && a.Jpg_Breite == uint32_t(w) && a.Jpg_Hoehe == uint32_t(h);
    if (ok) {
        rgb.assign(static_cast<size_t>(w) * h * 3, 0);
        dek_test::Ziel_Setzen(&a, rgb, static_cast<uint32_t>(w), h);
        e = Jpeg_Lesen(&a, JMODUS_PUFFER_BILD);
        ok = e == 0;
    }
    Jpeg_Free(&a);
    return ok;
}

struct Layout {
    const char* name;
    int32_t bild_farbraum;
    uint32_t bild_kanaele;
    int32_t bild_abtastung;
    int32_t jpg_farbraum;
    uint32_t jpg_kanaele;
    int32_t jpg_abtastung;
    bool djpeg_rgb;  // djpeg's output can be compared with the RGB picture
};

const Layout k_layouts[] = {
    {"RGB->YCbCr 4:1:1", FARBE_RGB, 3, 0, FARBE_YCBCR, 3, ABTASTUNG_411, true},
    {"BGR->YCbCr 4:2:2", FARBE_BGR, 3, 0, FARBE_YCBCR, 3, ABTASTUNG_422, true},
    {"RGB->YCbCr 4:4:4", FARBE_RGB, 3, 0, FARBE_YCBCR, 3, ABTASTUNG_KEINE, true},
    {"BGR->YCbCr 4:1:1", FARBE_BGR, 3, 0, FARBE_YCBCR, 3, ABTASTUNG_411, true},
    {"RGB->grey", FARBE_RGB, 3, 0, FARBE_GRAU, 1, ABTASTUNG_KEINE, false},
    {"BGR->RGB", FARBE_BGR, 3, 0, FARBE_RGB, 3, ABTASTUNG_KEINE, true},
    {"RGB->RGB 4:2:2", FARBE_RGB, 3, 0, FARBE_RGB, 3, ABTASTUNG_422, true},
    {"BGR->RGB 4:1:1", FARBE_BGR, 3, 0, FARBE_RGB, 3, ABTASTUNG_411, true},
    {"RGB4->YCbCr 4:2:2", FARBE_RGB, 4, 0, FARBE_YCBCR, 3, ABTASTUNG_422, true},
    {"RGB4->YCbCr 4:4:4", FARBE_RGB, 4, 0, FARBE_YCBCR, 3, ABTASTUNG_KEINE, true},
    {"grey->grey", FARBE_GRAU, 1, 0, FARBE_GRAU, 1, ABTASTUNG_KEINE, false},
    {"grey->YCbCr 4:1:1", FARBE_GRAU, 1, 0, FARBE_YCBCR, 3, ABTASTUNG_411, false},
    {"grey->YCbCr", FARBE_GRAU, 1, 0, FARBE_YCBCR, 3, ABTASTUNG_KEINE, false},
    {"RGBA->RGBA", FARBE_RGBA, 4, 0, FARBE_RGBA, 4, ABTASTUNG_KEINE, false},
    {"RGBA->RGBA 4:2:2:4", FARBE_RGBA, 4, 0, FARBE_RGBA, 4, ABTASTUNG_4224, false},
    {"RGBA->YCbCrA", FARBE_RGBA, 4, 0, FARBE_YCBCRA, 4, ABTASTUNG_KEINE, false},
    {"RGBA->YCbCrA 4:1:1:4", FARBE_RGBA, 4, 0, FARBE_YCBCRA, 4, ABTASTUNG_4114, false},
    {"RGBA->YCbCrA 4:2:2:4", FARBE_RGBA, 4, 0, FARBE_YCBCRA, 4, ABTASTUNG_4224, false},
    {"YCbCr->YCbCr 4:1:1", FARBE_YCBCR, 3, 0, FARBE_YCBCR, 3, ABTASTUNG_411, false},
    {"YCbCr->YCbCr", FARBE_YCBCR, 3, 0, FARBE_YCBCR, 3, ABTASTUNG_KEINE, false},
    {"packed YCbCr", FARBE_YCBCR, 3, 2, FARBE_YCBCR, 3, ABTASTUNG_422, false},
    {"other 5->3", FARBE_ANDERE, 5, 0, FARBE_ANDERE, 3, ABTASTUNG_KEINE, false},
    {"other 4->4 4:1:1:4", FARBE_ANDERE, 4, 0, FARBE_ANDERE, 4, ABTASTUNG_4114, false},
};

// The picture's RGB pixels in the layout's pixel form (top-down, no fill).
std::vector<uint8_t> Pixel_Fuer(const Layout& l, const std::vector<uint8_t>& rgb, int w, int h) {
    size_t n = static_cast<size_t>(w) * h;
    std::vector<uint8_t> px;
    if (l.bild_abtastung == 2) {
        px.assign(static_cast<size_t>(w) * 2 * h, 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const uint8_t* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
                uint8_t* q = &px[static_cast<size_t>(y) * w * 2 + x * 2];
                q[0] = p[1];
                q[1] = static_cast<uint8_t>(x % 2 ? p[0] : p[2]);
            }
        return px;
    }
    px.resize(n * l.bild_kanaele);
    for (size_t i = 0; i < n; ++i) {
        const uint8_t* p = &rgb[i * 3];
        uint8_t* q = &px[i * l.bild_kanaele];
        switch (l.bild_farbraum) {
            case FARBE_BGR: q[0] = p[2], q[1] = p[1], q[2] = p[0]; break;
            case FARBE_GRAU: q[0] = p[1]; break;
            default:
                for (uint32_t k = 0; k < l.bild_kanaele; ++k) q[k] = k < 3 ? p[k] : static_cast<uint8_t>(i * 7);
        }
    }
    return px;
}

Einstellung Einstellung_Fuer(const Layout& l) {
    Einstellung e;
    e.bild_farbraum = l.bild_farbraum;
    e.bild_kanaele = l.bild_kanaele;
    e.bild_abtastung = l.bild_abtastung;
    e.jpg_farbraum = l.jpg_farbraum;
    e.jpg_kanaele = l.jpg_kanaele;
    e.jpg_abtastung = l.jpg_abtastung;
    return e;
}

}  // namespace

TEST(JpegEncWerkzeuge, QuantisationSegmentsEqualCjpegs) {
    if (!Werkzeuge_Da()) GTEST_SKIP() << "libjpeg-turbo tools not installed";
    std::vector<uint8_t> rgb = Foto(16, 16);
    for (uint32_t q : {1u, 10u, 25u, 50u, 75u, 90u, 100u}) {
        std::vector<uint8_t> ref = Cjpeg(rgb, 16, 16, 3, "-quality " + std::to_string(q) + " -baseline");
        Einstellung e;
        e.qualitaet = q;
        std::vector<uint8_t> px = rgb;
        Ergebnis r = Kodieren(px, 16, 16, e);
        ASSERT_EQ(r.erg, 0);
        EXPECT_EQ(DQTs(r.jpeg), DQTs(ref)) << "quality " << q;
        EXPECT_EQ(DQTs(r.jpeg).size(), 2u);
    }
}

TEST(JpegEncWerkzeuge, EveryLayoutAndWidthDecodesWithoutWarnings) {
    if (!Werkzeuge_Da()) GTEST_SKIP() << "libjpeg-turbo tools not installed";
    const int32_t intervalle[] = {0, 1, 2, 7};
    const size_t nl = std::size(k_layouts);
    int geprueft = 0;
    for (int w = 1; w <= 33; ++w) {
        // Every width meets several layouts; every layout meets many widths,
        // both heights' signs, fill bytes, restart intervals and stepping.
        for (size_t li = w % nl, runde = 0; runde < 2; ++runde, li = (li + 11) % nl) {
            const Layout& l = k_layouts[li];
            int h = 1 + (w * 7 + static_cast<int>(li) * 5) % 29;
            Einstellung e = Einstellung_Fuer(l);
            e.kopfueber = (w + runde) % 3 == 0;
            e.fuellbytes = (w % 4 == 1) ? 3 : 0;
            e.neustart = intervalle[(w + li) % 4];
            e.schrittweise = w % 5 == 2;
            e.prozessor = (w + runde) % 2 ? 0 : 5;
            e.qualitaet = 90;
            std::vector<uint8_t> rgb = Foto(w, h, static_cast<uint32_t>(w));
            std::vector<uint8_t> px = Auslegen(Pixel_Fuer(l, rgb, w, h), w, h, e);
            Ergebnis r = Kodieren(px, w, h, e);
            SCOPED_TRACE(std::string(l.name) + " " + std::to_string(w) + "x" + std::to_string(h) +
                         (e.kopfueber ? " bottom-up" : "") + " restart " + std::to_string(e.neustart));
            ASSERT_EQ(r.erg, 0);
            ++geprueft;
            Jpegtran_Liest(r.jpeg);
            if (l.jpg_kanaele == 2) continue;
            std::string warnung;
            Bild d = Djpeg(r.jpeg, &warnung, "-nosmooth");
            EXPECT_EQ(warnung, "");
            ASSERT_EQ(d.breite, w);
            ASSERT_EQ(d.hoehe, h);
            if (l.djpeg_rgb) {
                // As close to the picture as cjpeg gets with the same settings.
                std::string opt = "-quality 90 -sample ";
                opt += l.jpg_abtastung == ABTASTUNG_411 ? "2x2" : l.jpg_abtastung == ABTASTUNG_422 ? "2x1" : "1x1";
                if (l.jpg_farbraum == FARBE_RGB) opt += " -rgb";
                std::string w2;
                Bild ref = Djpeg(Cjpeg(rgb, w, h, 3, opt), &w2, "-nosmooth");
                // An RGB JPEG codes components 2 and 3 with the chrominance
                // table, cjpeg all three with the luminance one.
                double spielraum = l.jpg_farbraum == FARBE_RGB ? 4.0 : 1.0;
                EXPECT_GT(PSNR(d.pixel, rgb), PSNR(ref.pixel, rgb) - spielraum);
            }
            if (l.jpg_farbraum == FARBE_GRAU || l.bild_farbraum == FARBE_GRAU) {
                std::vector<uint8_t> grau = Grau_Aus_RGB(rgb);
                if (l.bild_farbraum == FARBE_GRAU)
                    for (size_t i = 0; i < grau.size(); ++i) grau[i] = rgb[i * 3 + 1];
                std::vector<uint8_t> dg(grau.size());
                for (size_t i = 0; i < dg.size(); ++i) dg[i] = d.pixel[i * d.kanaele];
                EXPECT_GT(PSNR(dg, grau), 35.0);
            }
            // Our decoder reads it too, to pixels close to djpeg's.
            std::vector<uint8_t> selbst;
            if (d.kanaele == 3 && l.jpg_kanaele == 3) {
                EXPECT_TRUE(Selbst_Dekodieren(r.jpeg, w, h, selbst));
                EXPECT_GT(PSNR(selbst, d.pixel), 36.0);
            }
        }
    }
    EXPECT_EQ(geprueft, 66);
}

// Quality at least cjpeg's (within 0.2 dB) with the same tables and DCT
// method (the fast one's scaled quantisers included), on a photo
// and on smooth gradients, whose small coefficients show any precision lost
// between transform and quantiser; entropy data of cjpeg's size.
TEST(JpegEncWerkzeuge, QualityAndSizeMatchCjpeg) {
    if (!Werkzeuge_Da()) GTEST_SKIP() << "libjpeg-turbo tools not installed";
    const int w = 200, h = 152;
    const std::vector<uint8_t> foto = Foto(w, h, 5);
    std::vector<uint8_t> verlauf(foto.size()), grauverlauf(foto.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* v = &verlauf[(static_cast<size_t>(y) * w + x) * 3];
            v[0] = static_cast<uint8_t>(x * 255 / (w - 1));
            v[1] = static_cast<uint8_t>(y * 255 / (h - 1));
            v[2] = static_cast<uint8_t>((x + y) * 255 / (w + h - 2));
            std::fill_n(&grauverlauf[(static_cast<size_t>(y) * w + x) * 3], 3, v[2]);
        }
    struct Fall {
        const std::vector<uint8_t>* bild;
        uint32_t q;
        int32_t abtastung;
        const char* sample;
        bool grau, schnell = false;
    } faelle[] = {{&foto, 75, ABTASTUNG_411, "2x2", false},         {&foto, 90, ABTASTUNG_KEINE, "1x1", false},
                  {&foto, 50, ABTASTUNG_422, "2x1", false},         {&foto, 75, ABTASTUNG_KEINE, "1x1", true},
                  {&foto, 95, ABTASTUNG_411, "2x2", false},         {&verlauf, 95, ABTASTUNG_411, "2x2", false},
                  {&grauverlauf, 95, ABTASTUNG_KEINE, "1x1", true}, {&grauverlauf, 85, ABTASTUNG_KEINE, "1x1", true},
                  {&foto, 80, ABTASTUNG_411, "2x2", false, true}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::to_string(f.bild == &foto) + " " + std::to_string(f.q) + " " + f.sample +
                     (f.grau ? " grey" : "") + (f.schnell ? " fast" : ""));
        const std::vector<uint8_t>& rgb = *f.bild;
        std::vector<uint8_t> quelle = rgb;
        std::string opt = "-quality " + std::to_string(f.q) + " -baseline -dct " + (f.schnell ? "fast" : "int") +
                          " -sample " + f.sample;
        if (f.grau) opt += " -grayscale";
        std::vector<uint8_t> ref = Cjpeg(rgb, w, h, 3, opt);
        Einstellung e;
        e.qualitaet = f.q;
        e.jpg_abtastung = f.abtastung;
        e.dct_art = f.schnell ? DCT_SCHNELL : DCT_GENAU;
        if (f.grau) {
            e.jpg_farbraum = FARBE_GRAU;
            e.jpg_kanaele = 1;
        }
        Ergebnis r = Kodieren(quelle, w, h, e);
        ASSERT_EQ(r.erg, 0);
        std::string w1, w2;
        Bild a = Djpeg(r.jpeg, &w1, "-dct int"), b = Djpeg(ref, &w2, "-dct int");
        ASSERT_FALSE(a.pixel.empty());
        ASSERT_FALSE(b.pixel.empty());
        const std::vector<uint8_t> vergleich = f.grau ? Grau_Aus_RGB(rgb) : rgb;
        double pa = PSNR(a.pixel, vergleich), pb = PSNR(b.pixel, vergleich);
        EXPECT_GE(pa, pb - 0.2);
        // The entropy-coded data (our headers carry a comment and, for grey
        // pictures, the unused chrominance tables); sub-sampled chroma, made
        // from the pixel sums, takes a few per cent more.
        double verhaeltnis = double(Datenlaenge(r.jpeg)) / double(Datenlaenge(ref));
        EXPECT_NEAR(verhaeltnis, 1.0, f.abtastung == ABTASTUNG_KEINE ? 0.03 : 0.05)
            << Datenlaenge(r.jpeg) << " against " << Datenlaenge(ref);
        if (f.grau) continue;
        // Progressive: each scan's own optimal tables, so cjpeg's size.
        std::vector<uint8_t> ref_p = Cjpeg(
            rgb, w, h, 3, opt.substr(0, opt.find(" -baseline")) + " -progressive" + opt.substr(opt.find(" -dct")));
        e.progressiv = true;
        quelle = rgb;
        Ergebnis p = Kodieren(quelle, w, h, e);
        ASSERT_EQ(p.erg, 0);
        EXPECT_NEAR(double(p.jpeg.size()) / double(ref_p.size()), 1.0, 0.02)
            << p.jpeg.size() << " against " << ref_p.size();
    }
}

TEST(JpegEncWerkzeuge, ProgressiveDecodesToTheSequentialPixels) {
    if (!Werkzeuge_Da()) GTEST_SKIP() << "libjpeg-turbo tools not installed";
    for (const char* name :
         {"grey->grey", "RGB->YCbCr 4:1:1", "RGB->YCbCr 4:4:4", "BGR->RGB", "RGBA->RGBA", "RGBA->YCbCrA 4:1:1:4"})
        for (auto [w, h] : {std::pair{61, 45}, std::pair{8, 8}, std::pair{1, 17}}) {
            const Layout& l = *std::find_if(std::begin(k_layouts), std::end(k_layouts),
                                            [&](const Layout& k) { return std::string(k.name) == name; });
            SCOPED_TRACE(std::string(name) + " " + std::to_string(w) + "x" + std::to_string(h));
            std::vector<uint8_t> rgb = Foto(w, h, 2);
            std::vector<uint8_t> px = Pixel_Fuer(l, rgb, w, h);
            Einstellung e = Einstellung_Fuer(l);
            e.qualitaet = 85;
            Ergebnis seq = Kodieren(px, w, h, e);
            e.progressiv = true;
            Ergebnis prog = Kodieren(px, w, h, e);
            ASSERT_EQ(seq.erg, 0);
            ASSERT_EQ(prog.erg, 0);
            Jpegtran_Liest(prog.jpeg);
            std::string w1, w2;
            Bild pa = Djpeg(prog.jpeg, &w1), pb = Djpeg(seq.jpeg, &w2);
            EXPECT_EQ(w1, "");
            ASSERT_FALSE(pa.pixel.empty());
            EXPECT_EQ(pa.pixel, pb.pixel);
        }
}

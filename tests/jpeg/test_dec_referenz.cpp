// The decoder against djpeg on a corpus that cjpeg makes at test time:
// sizes from 1x1 to 2048x1536, qualities 5 to 100, every common sampling,
// grey, restart intervals, progressive and optimised tables; buffer and file
// modes, smoothing, reduced sizes, regions, stepping and processor codes.
#include "dec_hilfe.h"

using namespace dek_test;

namespace {

struct Fall {
    int32_t w, h;
    std::string optionen;
    bool ohne_adobe = false;  // the Adobe marker taken out after djpeg's decode
    // Bounds against djpeg: it smooths the blocks of pictures whose
    // coefficients are not refined to the last bit, this decoder does not.
    int32_t max_abw = 3;
    double psnr = 45.0;
};

std::string Name(const Fall& f) {
    std::string n = std::to_string(f.w) + "x" + std::to_string(f.h) + f.optionen;
    if (n.size() > 80) n = n.substr(0, 40) + std::to_string(std::hash<std::string>{}(n));
    for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return n;
}

std::vector<Fall> Korpus() {
    std::vector<Fall> f;
    const char* abtastung[] = {"-sample 1x1", "-sample 2x1", "-sample 2x2", "-grayscale"};
    const char* art[] = {"-quality 75", "-quality 50 -progressive", "-quality 95 -optimize -restart 3B",
                         "-quality 85 -restart 1 -progressive"};
    for (auto [w, h] : {std::pair{1, 1}, {17, 17}, {128, 128}, {333, 201}})
        for (const char* a : abtastung)
            for (const char* b : art) f.push_back({w, h, std::string(a) + " " + b});
    for (const char* q : {"-quality 5", "-quality 100", "-quality 30 -dct fast"})
        for (const char* a : abtastung) f.push_back({64, 48, std::string(a) + " " + q});
    // Components one per scan (sequential), unusual sampling, an RGB JPEG
    // with an Adobe marker.
    fs::path skript = Arbeitsordner() / "einzeln.scans";
    std::ofstream(skript) << "0;\n1;\n2;\n";
    // A progressive script that never sends the last bit of any coefficient.
    fs::path grob = Arbeitsordner() / "grob.scans";
    std::ofstream(grob) << "0,1,2: 0-0, 0, 1;\n0: 1-63, 0, 1;\n1: 1-63, 0, 1;\n2: 1-63, 0, 1;\n";
    f.push_back({96, 64, "-sample 2x2 -scans " + grob.string(), false, 16, 38.0});
    for (auto [w, h] : {std::pair{33, 17}, {200, 150}}) {
        f.push_back({w, h, "-sample 2x2 -scans " + skript.string()});
        f.push_back({w, h, "-sample 4x1 -quality 80"});
        f.push_back({w, h, "-sample 1x2 -quality 80"});
        f.push_back({w, h, "-rgb -quality 90"});
        f.push_back({w, h, "-rgb -quality 90", true});  // RGB by the component ids alone
    }
    f.push_back({800, 600, "-sample 2x2 -quality 80"});
    f.push_back({800, 600, "-sample 1x1 -quality 80 -progressive"});
    f.push_back({2048, 1536, "-sample 2x2 -quality 75"});
    return f;
}

class Referenz_Test : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!Werkzeuge_Da()) GTEST_SKIP() << "cjpeg/djpeg not installed";
    }
};

// Every corpus file, buffer and file mode, against djpeg with the accurate
// DCT and no smoothing.
TEST_F(Referenz_Test, KorpusGleichtDjpeg) {
    for (const Fall& f : Korpus()) {
        SCOPED_TRACE(Name(f));
        fs::path jpg = Kodieren(Muster(f.w, f.h), f.optionen, Name(f) + (f.ohne_adobe ? "o" : ""));
        Bild ref = Referenz(jpg, "-dct int -nosmooth -ppm");
        std::vector<uint8_t> daten = Datei_Lesen(jpg);
        if (f.ohne_adobe) {
            for (size_t i = 2; i + 3 < daten.size() && daten[i] == 0xFF && daten[i + 1] != 0xDA;) {
                size_t l = 2 + (daten[i + 2] << 8 | daten[i + 3]);
                if (daten[i + 1] == 0xEE)
                    daten.erase(daten.begin() + static_cast<long>(i), daten.begin() + static_cast<long>(i + l));
                else i += l;
            }
            Datei_Schreiben(jpg, daten);
        }
        Ergebnis puffer = Dekodieren(daten, "", 3);
        ASSERT_EQ(puffer.code, 0);
        ASSERT_EQ(puffer.bild.breite, ref.breite);
        ASSERT_EQ(puffer.bild.hoehe, ref.hoehe);
        Vergleich v = Vergleichen(puffer.bild, ref);
        EXPECT_LE(v.max_abw, f.max_abw);
        EXPECT_GE(v.psnr, f.psnr);
        if (f.w * f.h <= 800 * 600) {
            Ergebnis datei = Dekodieren({}, jpg.string(), 3);
            ASSERT_EQ(datei.code, 0);
            EXPECT_EQ(datei.bild.pixel, puffer.bild.pixel) << "file and buffer modes differ";
        }
    }
}

// Smooth up-sampling against djpeg's default (triangle) up-sampling.
TEST_F(Referenz_Test, GlaettungGleichtDjpegStandard) {
    for (const char* a : {"-sample 2x1", "-sample 2x2", "-sample 2x2 -progressive", "-sample 1x1", "-sample 1x2",
                          "-sample 2x2,1x2,2x1", "-sample 2x2,2x1,1x1"})
        for (auto [w, h] : {std::pair{17, 17}, {130, 77}}) {
            Fall f{w, h, std::string(a) + " -quality 80"};
            SCOPED_TRACE(Name(f));
            fs::path jpg = Kodieren(Muster(w, h, 3), f.optionen, "glatt" + Name(f));
            Bild ref = Referenz(jpg, "-dct int -ppm");
            Optionen o;
            o.glaettung = 1;
            Ergebnis e = Dekodieren(Datei_Lesen(jpg), "", 3, o);
            ASSERT_EQ(e.code, 0);
            Vergleich v = Vergleichen(e.bild, ref);
            EXPECT_LE(v.max_abw, 3);
            EXPECT_GE(v.psnr, 45.0);
            // At 1/2 and 1/4 size too, upright and mixed layouts included.
            for (auto [modus, skala] : {std::pair{15, "1/2"}, {17, "1/4"}}) {
                SCOPED_TRACE(skala);
                Bild klein = Referenz(jpg, std::string("-dct int -ppm -scale ") + skala);
                Ergebnis k = Dekodieren(Datei_Lesen(jpg), "", modus, o);
                ASSERT_EQ(k.code, 0);
                ASSERT_EQ(k.bild.breite, klein.breite);
                EXPECT_GE(Vergleichen(k.bild, klein).psnr, 40.0);
            }
        }
}

// A sideways-doubled chroma of at most two samples across is copied, as
// djpeg copies it, not smoothed: widths up to 4 at full size, 8 at 1/2 and
// 16 at 1/4 (4:2:2, 4:2:0, 4:1:0 and mixed layouts), a little wider too (the
// smoothing proper), over heights of one row to several MCU rows, baseline
// and progressive. Noise makes every chroma sample differ from its neighbours.
TEST_F(Referenz_Test, SchmaleFarbeWieDjpeg) {
    const char* abtastungen[] = {"-sample 2x1", "-sample 2x2", "-sample 4x2", "-sample 2x2,1x1,2x1",
                                 "-sample 2x1,1x2,1x1"};
    for (const char* abtastung : abtastungen)
        for (const char* art : {"", " -progressive"})
            for (auto [modus, skala] : {std::pair{3, 1}, {15, 2}, {17, 4}})
                for (int32_t w = 1; w <= 4 * skala + 2; w += skala)
                    for (int32_t h : {1, 18}) {
                        const std::string optionen = std::string(abtastung) + art + " -quality 95";
                        SCOPED_TRACE(optionen + " 1/" + std::to_string(skala) + " " + std::to_string(w) + "x" +
                                     std::to_string(h));
                        Bild b = Muster(w, h, static_cast<uint32_t>(w * 31 + h));
                        uint32_t zufall = static_cast<uint32_t>(w * 7 + h);
                        for (uint8_t& px : b.pixel) {
                            zufall = zufall * 1103515245u + 12345u;
                            px = static_cast<uint8_t>(zufall >> 24);
                        }
                        const fs::path jpg = Kodieren(b, optionen, "schmal");
                        const Bild ref =
                            Referenz(jpg, "-dct int -ppm -scale 1/" + std::to_string(skala));
                        Optionen o;
                        o.glaettung = 1;
                        const Ergebnis e = Dekodieren(Datei_Lesen(jpg), "", modus, o);
                        ASSERT_EQ(e.code, 0);
                        ASSERT_EQ(e.bild.breite, ref.breite);
                        ASSERT_EQ(e.bild.hoehe, ref.hoehe);
                        EXPECT_LE(Vergleichen(e.bild, ref).max_abw, 3);
                    }
}

// Reduced sizes have djpeg -scale's sizes and stay close to its pixels.
TEST_F(Referenz_Test, VerkleinerteGroessen) {
    for (const char* a : {"-sample 2x2", "-sample 1x1", "-sample 2x1", "-grayscale", "-sample 2x2 -progressive"})
        for (auto [w, h] : {std::pair{1, 1}, {17, 23}, {203, 101}}) {
            Fall f{w, h, std::string(a) + " -quality 85"};
            fs::path jpg = Kodieren(Muster(w, h, 5), f.optionen, "klein" + Name(f));
            std::vector<uint8_t> daten = Datei_Lesen(jpg);
            for (auto [modus, skala] : {std::pair{15, "1/2"}, {17, "1/4"}, {19, "1/8"}}) {
                SCOPED_TRACE(Name(f) + " scale " + skala);
                Bild ref = Referenz(jpg, std::string("-dct int -nosmooth -ppm -scale ") + skala);
                Ergebnis e = Dekodieren(daten, "", modus);
                ASSERT_EQ(e.code, 0);
                ASSERT_EQ(e.bild.breite, ref.breite);
                ASSERT_EQ(e.bild.hoehe, ref.hoehe);
                EXPECT_GE(Vergleichen(e.bild, ref).psnr, 40.0);
                Ergebnis datei = Dekodieren({}, jpg.string(), modus);
                EXPECT_EQ(datei.bild.pixel, e.bild.pixel);
            }
        }
}

// Reduced sizes of the rarer layouts 4x2 (4:1:0) and 2x4: chroma comes from
// the transform size that leaves the least up-sampling, as djpeg does, so it
// stays close to djpeg and to the box-filtered whole decode.
TEST_F(Referenz_Test, VerkleinertSelteneAbtastung) {
    Bild glatt;
    glatt.breite = 203;
    glatt.hoehe = 141;
    for (int32_t y = 0; y < glatt.hoehe; ++y)
        for (int32_t x = 0; x < glatt.breite; ++x) {
            glatt.pixel.push_back(static_cast<uint8_t>(128 + 100 * std::sin(x / 61.0 + y / 73.0)));
            glatt.pixel.push_back(static_cast<uint8_t>(128 + 90 * std::cos(x / 47.0 - y / 67.0)));
            glatt.pixel.push_back(static_cast<uint8_t>(128 + 100 * std::sin((x + y) / 83.0)));
        }
    for (const char* a : {"-sample 4x2", "-sample 2x4"}) {
        const fs::path jpg = Kodieren(glatt, std::string(a) + " -quality 95", std::string("selten") + a[9]);
        const std::vector<uint8_t> daten = Datei_Lesen(jpg);
        const Ergebnis ganz = Dekodieren(daten, "", 3);
        ASSERT_EQ(ganz.code, 0);
        for (auto [modus, skala] : {std::pair{15, 2}, {17, 4}, {19, 8}})
            for (int32_t glaettung : {0, 1}) {
                SCOPED_TRACE(std::string(a) + " scale " + std::to_string(skala) + " smooth " + std::to_string(glaettung));
                const std::string teil = "1/" + std::to_string(skala);
                const Bild ref = Referenz(jpg, std::string("-dct int -ppm -scale ") + teil + (glaettung ? "" : " -nosmooth"));
                Optionen o;
                o.glaettung = glaettung;
                const Ergebnis e = Dekodieren(daten, "", modus, o);
                ASSERT_EQ(e.code, 0);
                ASSERT_EQ(e.bild.breite, ref.breite);
                ASSERT_EQ(e.bild.hoehe, ref.hoehe);
                EXPECT_LE(Vergleichen(e.bild, ref).max_abw, 3);
                // Against the mean of each output pixel's square of the whole decode.
                double unser = 0, djpeg = 0;
                for (int32_t y = 0; y < e.bild.hoehe; ++y)
                    for (int32_t x = 0; x < e.bild.breite; ++x)
                        for (int c = 0; c < 3; ++c) {
                            double summe = 0;
                            int n = 0;
                            for (int32_t yy = y * skala; yy < std::min(ganz.bild.hoehe, (y + 1) * skala); ++yy)
                                for (int32_t xx = x * skala; xx < std::min(ganz.bild.breite, (x + 1) * skala); ++xx, ++n)
                                    summe += ganz.bild.pixel[(static_cast<size_t>(yy) * ganz.bild.breite + xx) * 3 + c];
                            const size_t i = (static_cast<size_t>(y) * e.bild.breite + x) * 3 + c;
                            unser = std::max(unser, std::abs(e.bild.pixel[i] - summe / n));
                            djpeg = std::max(djpeg, std::abs(ref.pixel[i] - summe / n));
                        }
                EXPECT_LE(unser, std::max(6.0, djpeg + 2)) << "djpeg " << djpeg;
            }
    }
}

// A region decode equals the crop of the whole decode, in every mode of
// output that matters (smoothing, reduced size, progressive).
TEST_F(Referenz_Test, BereichGleichtAusschnitt) {
    struct Bereich {
        int32_t l, o, r, u;
    };
    for (const char* a :
         {"-sample 2x2", "-sample 2x1 -progressive", "-sample 1x1 -restart 1", "-sample 1x2", "-grayscale"})
        for (int32_t glatt : {0, 1})
            for (int32_t modus : {3, 15}) {
                SCOPED_TRACE(std::string(a) + " glatt " + std::to_string(glatt) + " mode " + std::to_string(modus));
                fs::path jpg =
                    Kodieren(Muster(150, 90, 7), std::string(a) + " -quality 90", "bereich" + std::to_string(glatt));
                std::vector<uint8_t> daten = Datei_Lesen(jpg);
                Optionen o;
                o.glaettung = glatt;
                Ergebnis ganz = Dekodieren(daten, "", modus, o);
                ASSERT_EQ(ganz.code, 0);
                for (Bereich b :
                     {Bereich{0, 0, 16, 16}, {5, 7, 61, 40}, {17, 33, 75, 45}, {32, 16, 48, 32}, {1, 1, 2, 2}}) {
                    if (b.r > ganz.bild.breite || b.u > ganz.bild.hoehe) continue;
                    o.links = b.l;
                    o.oben = b.o;
                    o.rechts = b.r;
                    o.unten = b.u;
                    // Bottom-up rows with fill bytes for every other region.
                    o.negativ = (b.l & 1) != 0;
                    o.fuellbytes = o.negativ ? 3 : 0;
                    Ergebnis teil = Dekodieren(daten, "", modus, o);
                    ASSERT_EQ(teil.code, JPEG_ERG_BEREICH_FERTIG);
                    for (int32_t y = 0; y < b.u - b.o; ++y)
                        for (int32_t x = 0; x < (b.r - b.l) * 3; ++x)
                            ASSERT_EQ(teil.bild.pixel[(static_cast<size_t>(y) * (b.r - b.l)) * 3 + x],
                                      ganz.bild.pixel[(static_cast<size_t>(y + b.o) * ganz.bild.breite + b.l) * 3 + x])
                                << "region " << b.l << "," << b.o << " row " << y << " byte " << x;
                }
            }
}

// Stepping (one MCU per call, result 1 until the end) gives the one-shot picture.
TEST_F(Referenz_Test, SchrittweiseGleichtEinmal) {
    for (const char* a : {"-sample 2x2 -restart 2", "-sample 1x1", "-sample 2x2 -progressive"}) {
        SCOPED_TRACE(a);
        fs::path jpg = Kodieren(Muster(70, 41, 9), std::string(a) + " -quality 90", "schritt");
        std::vector<uint8_t> daten = Datei_Lesen(jpg);
        Ergebnis einmal = Dekodieren(daten, "", 3);
        Optionen o;
        o.schrittweise = true;
        Ergebnis schritte = Dekodieren(daten, "", 3, o);
        ASSERT_EQ(einmal.code, 0);
        ASSERT_EQ(schritte.code, 0);
        EXPECT_GE(schritte.schritte, 5 * 3 - 1);  // one call per MCU
        EXPECT_EQ(schritte.bild.pixel, einmal.bild.pixel);
        Ergebnis datei = Dekodieren({}, jpg.string(), 3, o);
        ASSERT_EQ(datei.code, 0);
        EXPECT_EQ(datei.bild.pixel, einmal.bild.pixel);
    }
}

// Processor codes 0 to 2 decode identically, and so do 3 to 6; the two
// groups stay within a little of each other.
TEST_F(Referenz_Test, ProzessorGruppenGleich) {
    for (const char* a : {"-sample 2x2", "-sample 2x1", "-sample 1x1 -progressive", "-grayscale"})
        for (int32_t dct : {DCT_GENAU, DCT_SCHNELL}) {
            SCOPED_TRACE(std::string(a) + " dct " + std::to_string(dct));
            fs::path jpg = Kodieren(Muster(83, 67, 11), std::string(a) + " -quality 92", "cpu");
            std::vector<uint8_t> daten = Datei_Lesen(jpg);
            std::vector<Bild> bilder;
            for (int32_t code = 0; code < JCPU_ANZAHL; ++code) {
                Optionen o;
                o.prozessor = code;
                o.dct = dct;
                Ergebnis e = Dekodieren(daten, "", 3, o);
                ASSERT_EQ(e.code, 0);
                bilder.push_back(e.bild);
            }
            EXPECT_EQ(bilder[1].pixel, bilder[0].pixel);
            EXPECT_EQ(bilder[2].pixel, bilder[0].pixel);
            for (int32_t code = 4; code < JCPU_ANZAHL; ++code) EXPECT_EQ(bilder[code].pixel, bilder[3].pixel) << code;
            EXPECT_GE(Vergleichen(bilder[0], bilder[3]).psnr, 40.0);
        }
}

// The SIMD codes decode on a direct road (block decoder and inverse called
// without the kernel table, samples written straight into the strips, blocks
// paired for AVX2), sequential pictures as they are decoded and gathered
// (progressive) ones at the end. With the table's inverse replaced by an
// equal kernel the decoder takes the table road; both give the same pixels,
// in one go, stepped and for a region, at a quality with many DC-only and
// low-frequency blocks and at one with few, for the accurate and the fast
// transform (whose direct road dequantises inside its inverse) and for
// colour and grey output (grey transforms the luma alone).
void IDCT_Ueber_Tabelle(int16_t* block) { Jpeg_IDCT_Genau_SSE2(block); }
void IDCT_Schnell_Ueber_Tabelle(int16_t* block) { Jpeg_IDCT_Schnell_MMX(block); }

TEST_F(Referenz_Test, DirekterWegGleichTabellenweg) {
    struct Art {
        int32_t dct, farbe;
        uint32_t kanaele;
    };
    const Art arten[] = {{DCT_GENAU, FARBE_RGB, 3},
                         {DCT_SCHNELL, FARBE_RGB, 3},
                         {DCT_GENAU, FARBE_GRAU, 1},
                         {DCT_SCHNELL, FARBE_GRAU, 1}};
    for (const char* a : {"-sample 2x2 -restart 3", "-sample 1x1", "-sample 2x1", "-grayscale",
                          "-sample 2x2 -progressive", "-sample 1x1 -progressive"})
        for (int q : {30, 97}) {
            fs::path jpg = Kodieren(Muster(101, 77, 17), std::string(a) + " -quality " + std::to_string(q), "direkt");
            std::vector<uint8_t> daten = Datei_Lesen(jpg);
            for (const Art& art : arten)
                for (int variante = 0; variante < 4; ++variante) {
                    SCOPED_TRACE(std::string(a) + " q " + std::to_string(q) + " dct " + std::to_string(art.dct) +
                                 " kanaele " + std::to_string(art.kanaele) + " variante " + std::to_string(variante));
                    // Code 5 pairs blocks (with AVX2), code 3 transforms them one by one
                    // and decodes byte by byte.
                    Optionen o;
                    o.prozessor = variante == 3 ? JCPU_F5_MMX : JCPU_F6_SSE;
                    o.schrittweise = variante == 1;
                    o.dct = art.dct;
                    o.farbe = art.farbe;
                    o.kanaele = art.kanaele;
                    if (variante == 2) {
                        o.links = 9;
                        o.oben = 20;
                        o.rechts = 60;
                        o.unten = 51;
                    }
                    Ergebnis direkt = Dekodieren(daten, "", 3, o);
                    if (art.dct == DCT_GENAU)
                        o.kerne = [](Jpeg_Kern_Tabelle* t) { t->IDCT_8x8_Genau = IDCT_Ueber_Tabelle; };
                    else
                        o.kerne = [](Jpeg_Kern_Tabelle* t) { t->IDCT_8x8_Schnell = IDCT_Schnell_Ueber_Tabelle; };
                    Ergebnis tabelle = Dekodieren(daten, "", 3, o);
                    ASSERT_EQ(direkt.code, variante == 2 ? 2 : 0);
                    ASSERT_EQ(tabelle.code, direkt.code);
                    EXPECT_EQ(direkt.bild.pixel, tabelle.bild.pixel);
                }
        }
}

// The output layouts: BGR, RGBA, grey, packed 4:2:2, bottom-up rows and
// fill bytes, all derived from the same RGB decode.
TEST_F(Referenz_Test, Ausgabeformate) {
    fs::path jpg = Kodieren(Muster(37, 29, 13), "-sample 2x1 -quality 90", "formate");
    std::vector<uint8_t> daten = Datei_Lesen(jpg);
    Ergebnis rgb = Dekodieren(daten, "", 3);
    ASSERT_EQ(rgb.code, 0);
    const size_t n = static_cast<size_t>(37) * 29;
    Optionen o;
    o.farbe = FARBE_BGR;
    Ergebnis bgr = Dekodieren(daten, "", 3, o);
    o.farbe = FARBE_RGBA;
    o.kanaele = 4;
    Ergebnis rgba = Dekodieren(daten, "", 3, o);
    o.farbe = FARBE_RGB;
    o.kanaele = 3;
    o.negativ = true;
    o.fuellbytes = 5;
    Ergebnis unten = Dekodieren(daten, "", 3, o);
    ASSERT_EQ(bgr.code, 0);
    ASSERT_EQ(rgba.code, 0);
    ASSERT_EQ(unten.code, 0);
    EXPECT_EQ(unten.bild.pixel, rgb.bild.pixel);
    for (size_t i = 0; i < n; ++i) {
        ASSERT_EQ(bgr.bild.pixel[3 * i], rgb.bild.pixel[3 * i + 2]);
        ASSERT_EQ(bgr.bild.pixel[3 * i + 2], rgb.bild.pixel[3 * i]);
        ASSERT_EQ(rgba.bild.pixel[4 * i + 1], rgb.bild.pixel[3 * i + 1]);
        ASSERT_EQ(rgba.bild.pixel[4 * i + 3], 255);
    }
    // Packed 4:2:2: the luma and chroma samples as they are in the data.
    o = Optionen{};
    o.farbe = FARBE_YCBCR;
    o.kanaele = 2;
    Ergebnis ycc = Dekodieren(daten, "", 3, o);
    ASSERT_EQ(ycc.code, 0);
    Optionen grau;
    grau.farbe = FARBE_GRAU;
    grau.kanaele = 1;
    Ergebnis g = Dekodieren(daten, "", 3, grau);
    ASSERT_EQ(g.code, 0);
    for (size_t i = 0; i < n; ++i) ASSERT_EQ(ycc.bild.pixel[2 * i], g.bild.pixel[i]);
}

}  // namespace

// The encoder's colour precision against cjpeg (a black box): smooth colour
// gradients at quality 95 and 4:4:4 at quality 100, both streams decoded by
// djpeg and measured against the source; ours may be at most 0.05 dB below.
#include "dec_hilfe.h"

using namespace dek_test;

TEST(Kod_Genauigkeit, FarbverlaeufeWieCjpeg) {
    if (!Werkzeuge_Da()) GTEST_SKIP() << "cjpeg/djpeg not installed";
    Bild verlauf, wellen;
    verlauf.breite = wellen.breite = 256;
    verlauf.hoehe = wellen.hoehe = 192;
    for (int32_t y = 0; y < 192; ++y)
        for (int32_t x = 0; x < 256; ++x) {
            verlauf.pixel.insert(verlauf.pixel.end(), {static_cast<uint8_t>(x), static_cast<uint8_t>(y * 4 / 3),
                                                       static_cast<uint8_t>((x + y) / 2)});
            wellen.pixel.insert(wellen.pixel.end(), {static_cast<uint8_t>(128 + 120 * std::sin(x / 40.0)),
                                                     static_cast<uint8_t>(128 + 120 * std::cos(y / 30.0)),
                                                     static_cast<uint8_t>((x * y / 200) % 256)});
        }
    const Bild foto = Muster(200, 150);
    const struct Fall {
        const Bild* bild;
        int32_t q;
        int32_t abtastung;
        const char* cjpeg;
    } faelle[] = {
        {&verlauf, 95, ABTASTUNG_411, "-sample 2x2"}, {&verlauf, 95, ABTASTUNG_KEINE, "-sample 1x1"},
        {&wellen, 95, ABTASTUNG_411, "-sample 2x2"},  {&wellen, 95, ABTASTUNG_KEINE, "-sample 1x1"},
        {&verlauf, 100, ABTASTUNG_KEINE, "-sample 1x1"}, {&wellen, 100, ABTASTUNG_KEINE, "-sample 1x1"},
        {&foto, 100, ABTASTUNG_KEINE, "-sample 1x1"},
    };
    int nr = 0;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::to_string(nr) + " q" + std::to_string(f.q) + " " + f.cjpeg);
        const Bild& b = *f.bild;
        Jpeg_Auftrag a;
        ASSERT_EQ(Jpeg_Init(&a), 0);
        std::vector<uint8_t> strom(b.pixel.size() * 2 + 65536);
        a.Bild_Pixel = const_cast<uint8_t*>(b.pixel.data());
        a.Bild_Breite = a.Jpg_Breite = static_cast<uint32_t>(b.breite);
        a.Bild_Hoehe = b.hoehe;
        a.Jpg_Hoehe = static_cast<uint32_t>(b.hoehe);
        a.Bild_Kanaele = 3;
        a.Bild_Farbraum = FARBE_RGB;
        a.Jpg_Kanaele = 3;
        a.Jpg_Farbraum = FARBE_YCBCR;
        a.Jpg_Abtastung = f.abtastung;
        a.Qualitaet = static_cast<uint32_t>(f.q);
        a.Intern.DCT_Art = DCT_GENAU;
        a.Jpg_Puffer = strom.data();
        a.Jpg_Puffer_Groesse = static_cast<uint32_t>(strom.size());
        ASSERT_EQ(Jpeg_Schreiben(&a, JMODUS_PUFFER_BILD_SCHREIBEN), 0);
        strom.resize(a.Jpg_Puffer_Groesse);
        Jpeg_Free(&a);
        const fs::path unser = Arbeitsordner() / ("genau" + std::to_string(nr) + ".jpg");
        Datei_Schreiben(unser, strom);
        const fs::path ref = Kodieren(b, std::string(f.cjpeg) + " -quality " + std::to_string(f.q),
                                      "genau_ref" + std::to_string(nr));
        ++nr;
        const double p_unser = PSNR(Referenz(unser, "-ppm").pixel, b.pixel);
        const double p_ref = PSNR(Referenz(ref, "-ppm").pixel, b.pixel);
        EXPECT_GE(p_unser, p_ref - 0.05) << "ours " << p_unser << " dB, cjpeg " << p_ref << " dB";
    }
}

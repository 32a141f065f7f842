// The fast transform gives the picture, whenever it is chosen before the
// first row: before or after the parameter read, from a file or from
// memory, for every sampling, baseline and progressive, at every scale. Its
// samples stay within the fast transform's usual distance of the accurate
// decode (a table prepared for the other method gives flat grey or wildly
// wrong samples instead).
#include "dec_hilfe.h"

using namespace dek_test;

namespace {

TEST(Dek_Schnell, JederZeitpunktGibtDasBild) {
    if (!Werkzeuge_Da()) GTEST_SKIP() << "cjpeg not installed";
    const char* abtastungen[] = {"-sample 1x1", "-sample 2x1",         "-sample 2x2",
                                 "-sample 1x2", "-sample 4x1",         "-sample 4x2",
                                 "-grayscale",  "-sample 2x2,1x1,2x1", "-sample 2x1,1x2,1x1"};
    for (const char* abtastung : abtastungen)
        for (const char* art : {"-quality 85", "-quality 85 -progressive"}) {
            const std::string optionen = std::string(abtastung) + " " + art;
            const fs::path jpg = Kodieren(Muster(75, 53, 3), optionen, "schnell");
            const std::vector<uint8_t> daten = Datei_Lesen(jpg);
            for (int32_t modus : {3, 15, 17, 19}) {
                const Ergebnis genau = Dekodieren(daten, "", modus);
                ASSERT_EQ(genau.code, 0) << optionen;
                for (bool datei : {false, true})
                    for (bool vorher : {false, true}) {
                        SCOPED_TRACE(optionen + " modus " + std::to_string(modus) + (datei ? " Datei" : " Puffer") +
                                     (vorher ? " vorher" : " nachher"));
                        Optionen o;
                        o.dct = DCT_SCHNELL;
                        o.dct_vorher = vorher;
                        const Ergebnis schnell = Dekodieren(daten, datei ? jpg.string() : "", modus, o);
                        ASSERT_EQ(schnell.code, 0);
                        const Vergleich v = Vergleichen(schnell.bild, genau.bild);
                        EXPECT_LE(v.max_abw, 8);
                        EXPECT_GE(v.psnr, 42.0);
                    }
            }
        }
}

// A method changed between two bands of one decode does not change the
// picture's: the first scan fixed it, for the kernels and for the tables.
TEST(Dek_Schnell, WechselZwischenBaendernGiltNichtMehr) {
    if (!Werkzeuge_Da()) GTEST_SKIP() << "cjpeg not installed";
    for (const char* optionen : {"-sample 2x2", "-sample 1x1 -progressive"})
        for (bool datei : {false, true})
            for (int32_t erste : {DCT_GENAU, DCT_SCHNELL}) {
                SCOPED_TRACE(std::string(optionen) + (datei ? " Datei" : " Puffer") + " zuerst " +
                             std::to_string(erste));
                const fs::path jpg = Kodieren(Muster(64, 64, 5), std::string(optionen) + " -quality 90", "wechsel");
                const std::vector<uint8_t> daten = Datei_Lesen(jpg);
                Optionen o;
                o.dct = erste;
                const Ergebnis ganz = Dekodieren(daten, "", 3, o);
                ASSERT_EQ(ganz.code, 0);
                Jpeg_Auftrag a;
                ASSERT_EQ(Jpeg_Init(&a), 0);
                const std::string name = jpg.string();
                if (datei) a.Jpg_Datei = name.c_str();
                else Quelle_Setzen(&a, daten);
                ASSERT_EQ(Jpeg_Lesen(&a, datei ? 0 : 1), 0);
                std::vector<uint8_t> bild;
                for (int32_t y = 0; y < 64; y += 16) {
                    std::vector<uint8_t> px(64 * 16 * 3);
                    Ziel_Setzen(&a, px, 64, 16);
                    a.Intern.DCT_Art = y == 0 ? erste : 1 - erste;
                    a.Intern.Bereich_Links = 0;
                    a.Intern.Bereich_Rechts = 64;
                    a.Intern.Bereich_Oben = y;
                    a.Intern.Bereich_Unten = y + 16;
                    const int32_t r = Jpeg_Lesen(&a, datei ? 2 : 3);
                    EXPECT_TRUE(r == 0 || r == JPEG_ERG_BEREICH_FERTIG) << r;
                    bild.insert(bild.end(), px.begin(), px.end());
                }
                Jpeg_Free(&a);
                EXPECT_TRUE(bild == ganz.bild.pixel);
            }
}

}  // namespace

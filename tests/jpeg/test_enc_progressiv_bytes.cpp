// The progressive encoder's output, pinned byte for byte: a change to how it
// keeps its coefficients (memory) must not change a single byte it writes.
// Each row is one layout; the stream's length and FNV-1a hash (the tests'
// shared one, base/pruefsumme.h) are those of the encoder as it stood when
// they were recorded.
#include "base/pruefsumme.h"
#include "enc_test_hilfen.h"
#include "jpeg/enc_intern.h"

using namespace enc_test;

namespace {

uint64_t Fnv(const std::vector<uint8_t>& d) { return pruef::fnv(d); }

}  // namespace

TEST(JpegEncProgressivBytes, EveryLayoutWritesTheRecordedStream) {
    struct Fall {
        const char* name;
        int w, h;
        uint32_t q;
        std::function<void(Einstellung&)> setzen;
        size_t laenge;
        uint64_t hash;
    };
    const Fall faelle[] = {
        {"grey 37x21 q75", 37, 21, 75,
         [](Einstellung& e) { e.jpg_farbraum = FARBE_GRAU, e.jpg_kanaele = 1, e.jpg_abtastung = ABTASTUNG_KEINE; }, 512,
         0x79ef4874709d19f1ull},
        {"YCbCr 4:2:0 37x21 q75", 37, 21, 75, [](Einstellung&) {}, 836, 0x8f9cd459892f2670ull},
        {"YCbCr 4:2:0 203x117 q95", 203, 117, 95, [](Einstellung&) {}, 11555, 0x0a44437f7e15adc6ull},
        {"YCbCr 4:2:2 64x40 q30", 64, 40, 30, [](Einstellung& e) { e.jpg_abtastung = ABTASTUNG_422; }, 897,
         0xb6ff3a682ad13683ull},
        {"YCbCr 4:4:4 33x33 q100", 33, 33, 100, [](Einstellung& e) { e.jpg_abtastung = ABTASTUNG_KEINE; }, 2666,
         0x5a34de5dff4d9b0eull},
        {"RGB stored 24x17 q85", 24, 17, 85,
         [](Einstellung& e) { e.jpg_farbraum = FARBE_RGB, e.jpg_abtastung = ABTASTUNG_KEINE; }, 797,
         0x2d91c65c30fede01ull},
        // Flat: long end-of-band runs in every AC scan.
        {"YCbCr 4:2:0 flat 400x300 q50", 400, 300, 50, [](Einstellung&) {}, 1284, 0x10d8e85da37e3024ull},
        {"YCbCr 4:4:4 1536x1024 q90", 1536, 1024, 90, [](Einstellung& e) { e.jpg_abtastung = ABTASTUNG_KEINE; },
         671881, 0xffe04a05491476f0ull},
    };
    // The detected processor code (on x86 with BMI2 the scan coders' second
    // compiled form) and the generic code 0 write the same stream.
    for (int32_t prozessor : {-1, 0})
        for (const Fall& f : faelle) {
            SCOPED_TRACE(prozessor);
            Einstellung e;
            e.prozessor = prozessor;
            e.progressiv = true;
            e.qualitaet = f.q;
            f.setzen(e);
            std::vector<uint8_t> px = Foto(f.w, f.h, 3);
            if (std::string(f.name).find("flat") != std::string::npos)
                for (size_t i = 0; i < px.size(); ++i) px[i] = static_cast<uint8_t>(90 + (i / 3 / f.w) / 50);
            if (e.jpg_farbraum == FARBE_GRAU) {
                std::vector<uint8_t> g(px.size() / 3);
                for (size_t i = 0; i < g.size(); ++i) g[i] = px[3 * i + 1];
                px = g;
                e.bild_farbraum = FARBE_GRAU, e.bild_kanaele = 1;
            }
            std::vector<uint8_t> pixel = Auslegen(px, f.w, f.h, e);
            const Ergebnis r = Kodieren(pixel, f.w, f.h, e);
            ASSERT_EQ(r.erg, 0) << f.name;
            EXPECT_EQ(r.jpeg.size(), f.laenge) << f.name;
            EXPECT_EQ(Fnv(r.jpeg), f.hash) << f.name;
        }
}

// A picture large enough for the counting to run ahead on the worker thread
// writes the stream the encoder wrote on one thread.
TEST(JpegEncProgressivBytes, CountingOnTheWorkerWritesTheOneThreadStream) {
    Einstellung e;
    e.progressiv = true;
    e.qualitaet = 80;
    e.jpg_abtastung = ABTASTUNG_KEINE;
    const int w = 3072, h = 2048;  // 294912 blocks
    std::vector<uint8_t> pixel = Auslegen(Foto(w, h, 3), w, h, e);
    const Ergebnis r = Kodieren(pixel, w, h, e);
    ASSERT_EQ(r.erg, 0);
    EXPECT_EQ(r.jpeg.size(), 1720799u);
    EXPECT_EQ(Fnv(r.jpeg), 0xc044252607b517a0ull);
}

// The builder in the kernel table makes each scan's table: one-bit-longer
// codes (Jpeg_Optimale_Huffman) in its place write a longer stream of the
// same coefficients, which decodes to the same pixels, also through djpeg.
TEST(JpegEncProgressivBytes, TheKernelTablesBuilderMakesEachScansTable) {
    for (const int32_t abtastung : {ABTASTUNG_411, ABTASTUNG_KEINE}) {
        SCOPED_TRACE(abtastung);
        Einstellung e;
        e.progressiv = true;
        e.jpg_abtastung = abtastung;
        std::vector<uint8_t> pixel = Auslegen(Foto(120, 72, 4), 120, 72, e);
        const Ergebnis knapp = Kodieren(pixel, 120, 72, e);
        e.vorher = [](Jpeg_Auftrag& a) { a.Intern.Strom.Kern_Tabelle->Huffman_Bauen = Jpeg_Optimale_Huffman; };
        const Ergebnis lang = Kodieren(pixel, 120, 72, e);
        ASSERT_EQ(knapp.erg, 0);
        ASSERT_EQ(lang.erg, 0);
        EXPECT_GT(lang.jpeg.size(), knapp.jpeg.size() * 23 / 20);
        const dek_test::Ergebnis a = dek_test::Dekodieren(knapp.jpeg, "", 3);
        const dek_test::Ergebnis b = dek_test::Dekodieren(lang.jpeg, "", 3);
        ASSERT_EQ(a.code, 0);
        ASSERT_EQ(b.code, 0);
        EXPECT_TRUE(a.bild.pixel == b.bild.pixel);
        if (dek_test::Werkzeuge_Da()) {
            std::string warnung;
            const Bild ref = Djpeg(lang.jpeg, &warnung, "-dct int -nosmooth");
            EXPECT_TRUE(warnung.empty()) << warnung;
            EXPECT_TRUE(ref.pixel == Djpeg(knapp.jpeg, &warnung, "-dct int -nosmooth").pixel);
        }
    }
}

// The codec interface: defaults, result texts, version record, the argument
// check, the life cycle of a record and the callers' road through it.
#include "base/base_test_util.h"
#include "jpeg/jpeg.h"
#include "jpeg/jpeg_kern.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// --- the argument check --------------------------------------------------------

// A record with a valid pixel side (16 x 16 RGB), a buffer, a file name and a
// valid JPEG side for writing (16 x 16 YCbCr 4:1:1).
class Pruefung : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(Jpeg_Init(&a), 0);
        a.Bild_Pixel = pixel_;
        a.Bild_Breite = 16;
        a.Bild_Hoehe = 16;
        a.Bild_Farbraum = FARBE_RGB;
        a.Jpg_Puffer = puffer_;
        a.Jpg_Puffer_Groesse = sizeof puffer_;
        a.Jpg_Datei = "bild.jpg";
        a.Jpg_Breite = 16;
        a.Jpg_Hoehe = 16;
    }
    void TearDown() override { Jpeg_Free(&a); }
    int32_t pruefen(int32_t modus) {
        a.Intern.Modus = modus;
        return Jpeg_Pruefen(&a);
    }

    Jpeg_Auftrag a;
    uint8_t pixel_[16] = {};
    uint8_t puffer_[16] = {};
};

using Aenderung = void (*)(Jpeg_Auftrag&);
struct Fall {
    const char* was;
    Aenderung aendern;
    std::vector<int32_t> modi;
    int32_t erwartet;
};

TEST_F(Pruefung, Faelle) {
    static Jpeg_Komponenten_Ebenen ebenen{};
    const Fall faelle[] = {
        {"valid", [](Jpeg_Auftrag&) {}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 21}, 0},
        {"mode outside 0..21", [](Jpeg_Auftrag&) {}, {-1, 22, 100, -100}, -8},
        // The pixel side.
        {"height -65535", [](Jpeg_Auftrag& a) { a.Bild_Hoehe = -65535; }, {3}, 0},
        {"height 65535", [](Jpeg_Auftrag& a) { a.Bild_Hoehe = 65535; }, {3}, 0},
        {"height 0 (read)", [](Jpeg_Auftrag& a) { a.Bild_Hoehe = 0; }, {3}, 0},
        {"height -1", [](Jpeg_Auftrag& a) { a.Bild_Hoehe = -1; }, {3}, 0},
        {"height -65536", [](Jpeg_Auftrag& a) { a.Bild_Hoehe = -65536; }, {3}, -8},
        {"height 65536", [](Jpeg_Auftrag& a) { a.Bild_Hoehe = 65536; }, {3}, -8},
        {"width 0", [](Jpeg_Auftrag& a) { a.Bild_Breite = 0; }, {3, 14, 15}, -8},
        {"width 65536", [](Jpeg_Auftrag& a) { a.Bild_Breite = 65536; }, {3, 14, 15}, -8},
        {"width 65535", [](Jpeg_Auftrag& a) { a.Bild_Breite = 65535; }, {3}, 0},
        {"no pixels", [](Jpeg_Auftrag& a) { a.Bild_Pixel = nullptr; }, {3}, -8},
        {"no pixels, parameter read", [](Jpeg_Auftrag& a) { a.Bild_Pixel = nullptr; }, {1}, 0},
        {"component planes instead of pixels",
         [](Jpeg_Auftrag& a) { a.Bild_Pixel = nullptr, a.Intern.Komponenten_Ebenen = &ebenen; },
         {3},
         0},
        {"planes and smoothing",
         [](Jpeg_Auftrag& a) { a.Intern.Komponenten_Ebenen = &ebenen, a.Intern.Glaettung = 1; },
         {3},
         -8},
        {"padding 3", [](Jpeg_Auftrag& a) { a.Bild_Fuellbytes = 3; }, {3}, 0},
        {"padding 2^31", [](Jpeg_Auftrag& a) { a.Bild_Fuellbytes = 0x80000000u; }, {3}, -8},
        {"row step beyond 31 bits", [](Jpeg_Auftrag& a) { a.Bild_Fuellbytes = 0x7FFFFFF0u; }, {3}, -8},
        {"0 channels", [](Jpeg_Auftrag& a) { a.Bild_Kanaele = 0; }, {3}, -8},
        {"256 channels", [](Jpeg_Auftrag& a) { a.Bild_Kanaele = 256; }, {3}, -8},
        {"RGB pixels sampled 4:2:2", [](Jpeg_Auftrag& a) { a.Bild_Abtastung = 2; }, {3}, -3},
        {"RGB pixels sampled 4:1:1", [](Jpeg_Auftrag& a) { a.Bild_Abtastung = 1; }, {3}, -3},
        {"YCbCr pixels 4:2:2", [](Jpeg_Auftrag& a) { a.Bild_Farbraum = FARBE_YCBCR, a.Bild_Abtastung = 2; }, {3}, 0},
        {"DCT method 0", [](Jpeg_Auftrag& a) { a.Intern.DCT_Art = 0; }, {3}, 0},
        {"DCT method 2", [](Jpeg_Auftrag& a) { a.Intern.DCT_Art = 2; }, {3}, -8},
        {"DCT method -1", [](Jpeg_Auftrag& a) { a.Intern.DCT_Art = -1; }, {3}, -8},
        {"prepared record: not checked",
         [](Jpeg_Auftrag& a) { a.Intern_Direkt = 1, a.Bild_Pixel = nullptr; },
         {3, -1},
         0},
        // Thumbnails need RGB or BGR.
        {"thumbnail BGR", [](Jpeg_Auftrag& a) { a.Bild_Farbraum = FARBE_BGR; }, {20}, 0},
        {"thumbnail grey", [](Jpeg_Auftrag& a) { a.Bild_Farbraum = FARBE_GRAU, a.Bild_Kanaele = 1; }, {21}, -27},
        // File or buffer.
        {"no file name", [](Jpeg_Auftrag& a) { a.Jpg_Datei = nullptr; }, {0}, -8},
        {"no file name, buffer", [](Jpeg_Auftrag& a) { a.Jpg_Datei = nullptr; }, {1}, 0},
        {"empty buffer", [](Jpeg_Auftrag& a) { a.Jpg_Puffer_Groesse = 0; }, {1}, -8},
        {"no buffer", [](Jpeg_Auftrag& a) { a.Jpg_Puffer = nullptr; }, {1}, -8},
        // Components and sampling when writing.
        {"0 components", [](Jpeg_Auftrag& a) { a.Jpg_Kanaele = 0; }, {9}, -8},
        {"257 components", [](Jpeg_Auftrag& a) { a.Jpg_Kanaele = 257; }, {9, 3}, -8},
        {"3 components 4:4:4", [](Jpeg_Auftrag& a) { a.Jpg_Abtastung = 0; }, {9}, 0},
        {"3 components 4:2:2", [](Jpeg_Auftrag& a) { a.Jpg_Abtastung = 2; }, {9}, 0},
        {"3 components 4:1:1:4", [](Jpeg_Auftrag& a) { a.Jpg_Abtastung = 3; }, {9}, -3},
        {"3 components 4:2:2:4", [](Jpeg_Auftrag& a) { a.Jpg_Abtastung = 4; }, {9}, -3},
        {"3 components other", [](Jpeg_Auftrag& a) { a.Jpg_Abtastung = 255; }, {9}, -3},
        {"grey 4:1:1",
         [](Jpeg_Auftrag& a) { a.Bild_Farbraum = a.Jpg_Farbraum = FARBE_GRAU, a.Bild_Kanaele = a.Jpg_Kanaele = 1; },
         {9},
         -3},
        {"grey 4:4:4",
         [](Jpeg_Auftrag& a) {
             a.Bild_Farbraum = a.Jpg_Farbraum = FARBE_GRAU, a.Bild_Kanaele = a.Jpg_Kanaele = 1, a.Jpg_Abtastung = 0;
         },
         {9},
         0},
        // Table-only writes check sampling and colours, not the picture size.
        {"no picture width", [](Jpeg_Auftrag& a) { a.Jpg_Abtastung = 0, a.Jpg_Breite = 0; }, {11}, 0},
        {"JPEG width 0", [](Jpeg_Auftrag& a) { a.Jpg_Breite = 0; }, {9}, -8},
        {"JPEG width 65536", [](Jpeg_Auftrag& a) { a.Jpg_Breite = 65536; }, {9}, -8},
        {"JPEG height 0", [](Jpeg_Auftrag& a) { a.Jpg_Hoehe = 0; }, {9}, -8},
        // The pixels must cover the picture: no reading past the caller's rows.
        {"JPEG taller than the pixels", [](Jpeg_Auftrag& a) { a.Jpg_Hoehe = 17; }, {9}, -8},
        {"JPEG wider than the pixels", [](Jpeg_Auftrag& a) { a.Jpg_Breite = 17; }, {9}, -8},
        {"JPEG smaller", [](Jpeg_Auftrag& a) { a.Jpg_Breite = a.Jpg_Hoehe = 8; }, {9}, 0},
        {"bottom-up pixels", [](Jpeg_Auftrag& a) { a.Bild_Hoehe = -16; }, {9}, 0},
        {"pixel height 0 (write)", [](Jpeg_Auftrag& a) { a.Bild_Hoehe = 0; }, {9}, -8},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        TearDown();
        SetUp();
        f.aendern(a);
        for (int32_t m : f.modi) EXPECT_EQ(pruefen(m), f.erwartet) << "mode " << m;
    }
    // Four-channel sampling: 4:4:4, 4:1:1:4 and 4:2:2:4 only.
    TearDown();
    SetUp();
    a.Bild_Farbraum = a.Jpg_Farbraum = FARBE_RGBA;
    a.Bild_Kanaele = a.Jpg_Kanaele = 4;
    for (int s : {0, 1, 2, 3, 4}) {
        a.Jpg_Abtastung = s;
        EXPECT_EQ(pruefen(9), s == 1 || s == 2 ? -3 : 0) << s;
    }
}

TEST_F(Pruefung, OperationenPruefenModusUndDatei) {
    // A mode outside 0..21 or of the wrong kind.
    for (int m : {-1, 22, 9}) EXPECT_EQ(Jpeg_Lesen(&a, m), -8) << m;
    for (int m : {22, 3}) EXPECT_EQ(Jpeg_Schreiben(&a, m), -8) << m;
    a.Bild_Hoehe = 0;
    EXPECT_EQ(Jpeg_Schreiben(&a, 9), -8);
    a.Bild_Hoehe = 16;
    // Thumbnail of the wrong colour before anything is opened; then the file does not exist.
    a.Jpg_Datei = "/nonexistent/bild.jpg";
    a.Bild_Farbraum = FARBE_GRAU;
    a.Bild_Kanaele = 1;
    EXPECT_EQ(Jpeg_Lesen(&a, 20), -27);
    a.Bild_Farbraum = FARBE_RGB;
    a.Bild_Kanaele = 3;
    EXPECT_EQ(Jpeg_Lesen(&a, 20), -10);
    EXPECT_EQ(Jpeg_Lesen(&a, 0), -10);
    EXPECT_EQ(a.Intern.Strom.Datei, nullptr);
    a.Jpg_Puffer = nullptr;
    EXPECT_EQ(Jpeg_Lesen(&a, 1), -8);
    // A prepared internal record is not checked, but the operations still
    // refuse a mode that is not theirs.
    a.Intern_Direkt = 1;
    EXPECT_EQ(Jpeg_Lesen(&a, 23), -8);
    EXPECT_EQ(Jpeg_Schreiben(&a, 2), -8);
}

TEST_F(Pruefung, Farbpaare) {
    struct Paar {
        int32_t jf;
        uint32_t jk;
        int32_t bf;
        uint32_t bk;
        bool ok;
    };
    // JPEG colour/components -> pixel colour/channels.
    const Paar lesen[] = {
        {FARBE_GRAU, 1, FARBE_GRAU, 1, true},
        {FARBE_GRAU, 1, FARBE_RGB, 3, true},
        {FARBE_GRAU, 1, FARBE_BGR, 3, true},
        {FARBE_GRAU, 1, FARBE_RGBA, 4, true},
        {FARBE_GRAU, 1, FARBE_RGB, 4, false},
        {FARBE_GRAU, 3, FARBE_RGB, 3, false},
        {FARBE_RGB, 3, FARBE_RGB, 3, true},
        {FARBE_RGB, 3, FARBE_RGBA, 4, true},
        {FARBE_RGB, 3, FARBE_GRAU, 1, false},
        {FARBE_RGBA, 4, FARBE_RGBA, 4, true},
        {FARBE_RGBA, 4, FARBE_RGB, 3, false},
        {FARBE_YCBCR, 3, FARBE_GRAU, 1, true},
        {FARBE_YCBCR, 3, FARBE_BGR, 3, true},
        {FARBE_YCBCR, 3, FARBE_RGBA, 4, true},
        {FARBE_YCBCR, 3, FARBE_YCBCR, 7, true},
        {FARBE_YCBCR, 1, FARBE_RGB, 3, false},
        {FARBE_YCBCRA, 4, FARBE_RGBA, 4, true},
        {FARBE_YCBCRA, 4, FARBE_RGB, 3, false},
        {FARBE_ANDERE, 5, FARBE_ANDERE, 2, true},
        {FARBE_ANDERE, 3, FARBE_RGB, 3, false},
        {7, 3, FARBE_RGB, 3, false},
    };
    // Pixel colour/channels -> JPEG colour/components.
    const Paar schreiben[] = {
        {FARBE_GRAU, 1, FARBE_GRAU, 1, true},      {FARBE_GRAU, 1, FARBE_YCBCR, 3, true},
        {FARBE_GRAU, 1, FARBE_RGB, 3, false},      {FARBE_RGB, 3, FARBE_GRAU, 1, true},
        {FARBE_RGB, 3, FARBE_RGB, 3, true},        {FARBE_BGR, 3, FARBE_YCBCR, 3, true},
        {FARBE_BGR, 3, FARBE_RGBA, 4, false},      {FARBE_RGB, 4, FARBE_YCBCR, 3, true},
        {FARBE_RGB, 4, FARBE_RGB, 3, false},       {FARBE_RGBA, 4, FARBE_RGBA, 4, true},
        {FARBE_RGBA, 4, FARBE_YCBCRA, 4, true},    {FARBE_RGBA, 4, FARBE_YCBCR, 3, false},
        {FARBE_YCBCR, 3, FARBE_YCBCR, 3, true},    {FARBE_YCBCR, 3, FARBE_RGB, 3, false},
        {FARBE_ANDERE, 4, FARBE_ANDERE, 3, true},  {FARBE_ANDERE, 2, FARBE_ANDERE, 3, false},
        {FARBE_YCBCRA, 4, FARBE_YCBCRA, 4, false},
    };
    for (const bool lesend : {true, false}) {
        for (const Paar& t : lesend ? std::vector<Paar>(std::begin(lesen), std::end(lesen))
                                    : std::vector<Paar>(std::begin(schreiben), std::end(schreiben))) {
            (lesend ? a.Jpg_Farbraum : a.Bild_Farbraum) = t.jf;
            (lesend ? a.Jpg_Kanaele : a.Bild_Kanaele) = t.jk;
            (lesend ? a.Bild_Farbraum : a.Jpg_Farbraum) = t.bf;
            (lesend ? a.Bild_Kanaele : a.Jpg_Kanaele) = t.bk;
            a.Jpg_Abtastung = 0;
            EXPECT_EQ(pruefen(lesend ? 3 : 9), t.ok ? 0 : -8)
                << lesend << ": " << t.jf << "/" << t.jk << " -> " << t.bf << "/" << t.bk;
        }
    }
}

// --- life cycle ------------------------------------------------------------------

TEST(Ablauf, FreeUndFalscheAufrufe) {
    EXPECT_EQ(Jpeg_Init(nullptr), -8);
    Jpeg_Auftrag a;
    ASSERT_EQ(Jpeg_Init(&a), 0);
    EXPECT_EQ(Jpeg_Free(&a), 0);
    // Null records, a second release and calls on a released record are refused.
    for (Jpeg_Auftrag* r : {(Jpeg_Auftrag*)nullptr, &a}) {
        EXPECT_EQ(Jpeg_Lesen(r, 1), -8);
        EXPECT_EQ(Jpeg_Schreiben(r, 9), -8);
        EXPECT_EQ(Jpeg_Free(r), -8);
    }
}

TEST(Ablauf, BeschaedigterAuftragWirdTrotzdemFreigegeben) {
    // The leak checker of the sanitizer build proves the release.
    Jpeg_Auftrag a;
    ASSERT_EQ(Jpeg_Init(&a), 0);
    a.Intern.Koeffizienten_Puffer = static_cast<int16_t*>(Jpeg_Speicher_Holen(4096));
    a.Intern.Jpeg_Einstiegstabelle = static_cast<Jpeg_Einstieg*>(Jpeg_Speicher_Holen(sizeof(Jpeg_Einstieg) * 4));
    auto* v = static_cast<Jpeg_Verzoegerung*>(Jpeg_Speicher_Holen(sizeof(Jpeg_Verzoegerung)));
    auto* flaechen = static_cast<int16_t*>(Jpeg_Speicher_Holen(4 * 256 * sizeof(int16_t)));
    for (int i = 0; i < 4; ++i) v->Bereich[3 - i] = flaechen + 256 * i;
    a.Intern.Verzoegerung = v;
    a.Intern.Glaettung = 0;  // released even when smoothing was switched off again
    auto* scan = static_cast<Jpeg_Scan*>(Jpeg_Speicher_Holen(sizeof(Jpeg_Scan)));
    scan->Komponenten = static_cast<Jpeg_Scan_Komponente*>(Jpeg_Speicher_Holen(4 * sizeof(Jpeg_Scan_Komponente)));
    a.Intern.Fortsetzung = scan;
    a.Intern.Quant_Extern = 1;
    a.Intern.Anzahl_Quant_Vorgaben = 3;
    a.Intern.Anzahl_Komponenten = 300;
    EXPECT_EQ(Jpeg_Free(&a), -8);
    const void* frei[] = {a.Intern.Komponenten,           a.Intern.Koeffizienten_Puffer, a.Intern.Verzoegerung,
                          a.Intern.Jpeg_Einstiegstabelle, a.Intern.Fortsetzung,          a.Intern.Strom.Kern_Tabelle};
    for (const void* z : frei) EXPECT_EQ(z, nullptr);
    EXPECT_EQ(a.Intern.Quant_Extern, 0u);
    EXPECT_EQ(a.Intern.Anzahl_Quant_Vorgaben, 0);
}

// A record reading a 4 x 4 RGB picture from a buffer that holds no picture.
struct Leser {
    Jpeg_Auftrag a;
    uint8_t puffer[4] = {0xFF, 0xD8, 0xFF, 0xD9};
    uint8_t pixel[48] = {};
    explicit Leser(int32_t dct_art = DCT_GENAU) {
        EXPECT_EQ(Jpeg_Init(&a), 0);
        a.Jpg_Puffer = puffer;
        a.Jpg_Puffer_Groesse = sizeof puffer;
        a.Bild_Pixel = pixel;
        a.Bild_Breite = 4;
        a.Bild_Hoehe = 4;
        a.Bild_Farbraum = FARBE_RGB;
        a.Intern.DCT_Art = dct_art;
    }
    ~Leser() { EXPECT_EQ(Jpeg_Free(&a), 0); }
};

TEST(Ablauf, VorgabenMitFalschenZaehlernWerdenAbgelehnt) {
    Leser l;
    Jpeg_Auftrag& a = l.a;
    a.Intern.Quant_Extern = 1;
    a.Intern.Anzahl_Quant_Vorgaben = 5;
    EXPECT_EQ(Jpeg_Lesen(&a, 7), -8);
    a.Intern.Anzahl_Quant_Vorgaben = 1;  // entry without a table
    EXPECT_EQ(Jpeg_Lesen(&a, 7), -7);
    a.Intern.Quant_Extern = 0;
    a.Intern.Huffman_Extern = 1;
    a.Intern.Anzahl_Huffman_Vorgaben = 9;
    EXPECT_EQ(Jpeg_Lesen(&a, 7), -8);
    uint8_t anzahlen[16] = {0, 1};
    uint8_t werte[1] = {0};
    a.Intern.Anzahl_Huffman_Vorgaben = 1;
    a.Intern.Huffman_Vorgabe[0] = {anzahlen, werte, 0, 4};  // table number beyond 3
    EXPECT_EQ(Jpeg_Lesen(&a, 7), -6);
    // Parameter reads clear the counters of the caller's tables instead.
    a.Intern.Anzahl_Quant_Vorgaben = 3;
    Jpeg_Lesen(&a, 1);
    EXPECT_EQ(a.Intern.Anzahl_Quant_Vorgaben, 0);
    EXPECT_EQ(a.Intern.Anzahl_Huffman_Vorgaben, 0);
}

// The caller's quantisation tables are taken over and prepared for the
// method in use, like tables read from a stream.
TEST(Ablauf, VorgegebeneQuantTabellenWerdenVorbereitet) {
    for (int art : {DCT_GENAU, DCT_SCHNELL}) {
        Leser l(art);
        uint8_t werte[64];
        for (int i = 0; i < 64; ++i) werte[i] = uint8_t(i + 1);
        l.a.Intern.Quant_Extern = 1;
        l.a.Intern.Anzahl_Quant_Vorgaben = 1;
        l.a.Intern.Quant_Vorgabe[0] = {werte, 2};
        Jpeg_Lesen(&l.a, 7);  // the data themselves are no picture
        const Jpeg_Quant_Tabelle& t = l.a.Intern.Quant_Tabelle[0];
        EXPECT_EQ(t.Kennung, 2);
        EXPECT_EQ(t.Praezision, 0);
        if (art == DCT_GENAU) {
            for (int i = 0; i < 64; ++i) EXPECT_EQ(t.Werte[Jpeg_Zickzack[i]], i + 1) << i;
        } else {
            EXPECT_EQ(t.Werte[0], 256);  // 1 * 0.125 * 2048
            EXPECT_EQ(t.Werte[JPEG_QTAB_SCHMAL], 1);
        }
    }
}

// --- the callers' road: write a file, read its parameters, then its picture -----

// The file stays open from the parameter read to the picture read, which
// closes it; Jpeg_Free closes it after a parameter read alone; a file that is
// no JPEG fails and leaves nothing open. (Pixels written and read through
// files are compared in the decoder and encoder tests.)
TEST(Weg, DateiBleibtNachParameternOffenUndNachFehlernNicht) {
    Temp_Ordner ordner;
    const std::string name = ordner / "bild.jpg";
    std::vector<uint8_t> bild(40 * 24 * 3, 90), aus(bild.size());
    Jpeg_Auftrag a;
    ASSERT_EQ(Jpeg_Init(&a), 0);
    a.Bild_Pixel = bild.data();
    a.Bild_Breite = a.Jpg_Breite = 40;
    a.Bild_Hoehe = 24;
    a.Jpg_Hoehe = 24;
    a.Bild_Farbraum = FARBE_RGB;
    a.Jpg_Datei = name.c_str();
    ASSERT_EQ(Jpeg_Schreiben(&a, JMODUS_DATEI_BILD_SCHREIBEN), 0);
    EXPECT_EQ(a.Intern.Strom.Datei, nullptr);  // closed after the write
    EXPECT_EQ(uint64_t(a.Jpg_Puffer_Groesse), fs::file_size(name));
    EXPECT_EQ(Jpeg_Free(&a), 0);
    for (const bool bild_lesen : {true, false}) {
        ASSERT_EQ(Jpeg_Init(&a), 0);
        a.Jpg_Datei = name.c_str();
        ASSERT_EQ(Jpeg_Lesen(&a, JMODUS_DATEI_PARAMETER), 0);
        EXPECT_NE(a.Intern.Strom.Datei, nullptr);
        EXPECT_EQ(a.Jpg_Breite, 40u);
        if (bild_lesen) {
            a.Bild_Pixel = aus.data();
            a.Bild_Breite = 40;
            a.Bild_Hoehe = 24;
            a.Bild_Farbraum = FARBE_RGB;
            ASSERT_EQ(Jpeg_Lesen(&a, JMODUS_DATEI_BILD), 0);
            EXPECT_EQ(a.Intern.Strom.Datei, nullptr);
        }
        EXPECT_EQ(Jpeg_Free(&a), 0);
    }
    ordner.schreiben("bild.jpg", "kein Bild");
    ASSERT_EQ(Jpeg_Init(&a), 0);
    a.Jpg_Datei = name.c_str();
    EXPECT_LT(Jpeg_Lesen(&a, JMODUS_DATEI_PARAMETER), 0);
    EXPECT_EQ(a.Intern.Strom.Datei, nullptr);
    EXPECT_EQ(Jpeg_Free(&a), 0);
}

}  // namespace

// The codec interface: defaults, result texts, version record, the argument
// check and the life cycle of a record.
#include "jpeg/jpeg.h"
#include "jpeg/jpeg_kern.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

TEST(Init, Vorgaben)
{
    Jpeg_Auftrag a;
    std::memset(&a, 0x5A, sizeof a);
    ASSERT_EQ(Jpeg_Init(&a), 0);
    EXPECT_EQ(a.Intern_Direkt, 0u);
    EXPECT_EQ(a.Bild_Pixel, nullptr);
    EXPECT_EQ(a.Bild_Breite, 0u);
    EXPECT_EQ(a.Bild_Hoehe, 0);
    EXPECT_EQ(a.Bild_Fuellbytes, 0u);
    EXPECT_EQ(a.Bild_Kanaele, 3u);
    EXPECT_EQ(a.Bild_Farbraum, FARBE_BGR);
    EXPECT_EQ(a.Bild_Abtastung, 0);
    EXPECT_EQ(a.Jpg_Datei, nullptr);
    EXPECT_EQ(a.Jpg_Puffer, nullptr);
    EXPECT_EQ(a.Jpg_Puffer_Groesse, 0u);
    EXPECT_EQ(a.Jpg_Breite, 0u);
    EXPECT_EQ(a.Jpg_Hoehe, 0u);
    EXPECT_EQ(a.Jpg_Kanaele, 3u);
    EXPECT_EQ(a.Jpg_Farbraum, FARBE_YCBCR);
    EXPECT_EQ(a.Jpg_Abtastung, ABTASTUNG_411);
    EXPECT_EQ(a.Jpg_Vorschau_Breite, 0u);
    EXPECT_EQ(a.Jpg_Vorschau_Hoehe, 0u);
    EXPECT_EQ(a.Farbwandlung, 1u);
    EXPECT_EQ(a.Abtastung_Wandeln, 1u);
    EXPECT_EQ(a.Qualitaet, 75u);

    const JPEG_PROPERTIES& p = a.Intern;
    EXPECT_EQ(p.Modus, JMODUS_KEINER);
    EXPECT_EQ(p.DCT_Art, DCT_GENAU);
    EXPECT_EQ(p.Bereich_Links | p.Bereich_Oben | p.Bereich_Rechts | p.Bereich_Unten, 0);
    EXPECT_EQ(p.Schnellweg, 0);
    EXPECT_EQ(p.Unterbrechen, 0);
    EXPECT_EQ(p.Bild_Kanaele, 3u);
    EXPECT_EQ(p.Bild_Farbraum, FARBE_BGR);
    EXPECT_EQ(p.Bild_Zeilenlaenge, 0);
    EXPECT_EQ(p.Jpg_Farbraum, FARBE_YCBCR);
    EXPECT_EQ(p.Qualitaet, 75u);
    EXPECT_EQ(p.Strom_Anfang, 1u);
    EXPECT_EQ(p.Anzahl_Komponenten, 4);
    ASSERT_NE(p.Komponenten, nullptr);
    const int auswahl[4] = {0, 1, 1, 1};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(p.Komponenten[i].Quant_Auswahl, auswahl[i]);
        EXPECT_EQ(p.AC_Auswahl[i], auswahl[i]);
        EXPECT_EQ(p.DC_Auswahl[i], auswahl[i]);
        EXPECT_EQ(p.Quant_Aktiv[i], nullptr);
        EXPECT_EQ(p.AC_Aktiv[i], nullptr);
        EXPECT_EQ(p.DC_Aktiv[i], nullptr);
        EXPECT_EQ(p.Quant_Tabelle[i].Werte, p.Quant_Tabelle[i].Speicher);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(p.Quant_Tabelle[i].Werte) % 16, 0u);
    }
    EXPECT_EQ(p.Fortsetzung, nullptr);
    EXPECT_EQ(p.Strom.Datei, nullptr);
    EXPECT_EQ(p.Jpeg_Einstiegstabelle, nullptr);
    EXPECT_EQ(p.Komponenten_Ebenen, nullptr);
    EXPECT_EQ(p.Koeffizienten_Puffer, nullptr);
    EXPECT_EQ(p.Verzoegerung, nullptr);
    EXPECT_EQ(p.Glaettung, 0);
    EXPECT_EQ(p.Scan_Zaehler, 0);
    EXPECT_EQ(p.Quant_Extern | p.Huffman_Extern, 0u);
    EXPECT_EQ(p.Anzahl_Quant_Vorgaben | p.Anzahl_Huffman_Vorgaben, 0);
    EXPECT_EQ(p.Adobe_Version, 100);
    EXPECT_EQ(p.Adobe_Flags0 | p.Adobe_Flags1, 0);
    EXPECT_EQ(p.JFIF_Version[0], 1);
    EXPECT_EQ(p.JFIF_Version[1], 1);
    EXPECT_EQ(p.JFIF_Einheit, 0);
    EXPECT_EQ(p.JFIF_Dichte_X, 1);
    EXPECT_EQ(p.JFIF_Dichte_Y, 1);
    EXPECT_EQ(p.jpeg_comment, nullptr);
    EXPECT_EQ(p.Kommentar_Groesse, 0);
    ASSERT_NE(p.Arbeitsbereich, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(p.Arbeitsbereich) % 32, 0u);
    ASSERT_NE(p.Strom.Kern_Tabelle, nullptr);
    EXPECT_GE(p.Strom.Prozessor, 0);
    EXPECT_LE(p.Strom.Prozessor, 6);
    EXPECT_EQ(p.Strom.Kern_Tabelle->FDCT_Aktiv, nullptr);
    EXPECT_EQ(Jpeg_Free(&a), 0);
    EXPECT_EQ(a.Intern.Strom.Kern_Tabelle, nullptr);
}

TEST(Texte, JederErgebniscode)
{
    const std::vector<std::pair<int, const char*>> texte = {
        {2, "ROI Success"},
        {1, "Interrupt Success"},
        {0, "Success"},
        {-1, "Exception detected"},
        {-2, "Invalid Encoder"},
        {-3, "Unsupported subsampling"},
        {-4, "Unsupported bytes per pixel"},
        {-5, "Memory error"},
        {-6, "Bad Huffman table"},
        {-7, "Bad Quantization table"},
        {-8, "Invalid JPEG_PROPERTIES"},
        {-9, "Error close file"},
        {-10, "Invalid file name"},
        {-11, "Error EOF"},
        {-12, "Not supported"},
        {-13, "Not JPEG"},
        {-14, "Error COMP"},
        {-15, "Error SOF"},
        {-16, "Error DNL"},
        {-17, "No Huffman table"},
        {-18, "No Quantization table"},
        {-19, "No frame"},
        {-20, "Multiply frame"},
        {-21, "Data error"},
        {-22, "No image"},
        {-23, "File error"},
        {-24, "Internal error"},
        {-25, "Bad RST marker"},
        {-26, "Thumbnail too small"},
        {-27, "Thumbnail has wrong color"},
        {-28, "Output buffer too small"},
        {-29, "Unsupported frame was found"},
        {-30, "Error access to jpeg_comment buffer"},
        {-99, "Reserved"},
    };
    for (const auto& [code, text] : texte) EXPECT_STREQ(Jpeg_Fehlertext(code), text) << code;
    for (int code : {3, -31, -98, -100, 1000, INT32_MIN, INT32_MAX})
        EXPECT_STREQ(Jpeg_Fehlertext(code), "Unknown error code") << code;
}

TEST(Version, Datensatz)
{
    const Jpeg_Versionsdaten* v = Jpeg_Version();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v, Jpeg_Version());
    EXPECT_EQ(v->Haupt, 2);
    EXPECT_EQ(v->Neben, 10);
    EXPECT_EQ(v->Build, 4);
    EXPECT_STREQ(v->Bibliothek, "kdvjpeg.lib");
    EXPECT_STREQ(v->Version, "2.10.4");
    EXPECT_STREQ(v->Interne_Version, "[2.10.4.17]");
    EXPECT_STREQ(v->Datum, "Mar 14 2003");
    EXPECT_STREQ(v->Notiz, "Release");
}

// --- the argument check --------------------------------------------------------

class Pruefung : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(Jpeg_Init(&a), 0); }
    void TearDown() override { Jpeg_Free(&a); }

    // A valid pixel side of w x h RGB pixels and a buffer.
    void pixel(uint32_t w = 16, int32_t h = 16)
    {
        a.Bild_Pixel = pixel_;
        a.Bild_Breite = w;
        a.Bild_Hoehe = h;
        a.Bild_Kanaele = 3;
        a.Bild_Farbraum = FARBE_RGB;
        a.Jpg_Puffer = puffer_;
        a.Jpg_Puffer_Groesse = sizeof puffer_;
        a.Jpg_Datei = "bild.jpg";
    }
    void schreibseite(uint32_t w = 16, uint32_t h = 16)
    {
        a.Jpg_Breite = w;
        a.Jpg_Hoehe = h;
        a.Jpg_Kanaele = 3;
        a.Jpg_Farbraum = FARBE_YCBCR;
        a.Jpg_Abtastung = ABTASTUNG_411;
    }
    int32_t pruefen(int32_t modus)
    {
        a.Intern.Modus = modus;
        return Jpeg_Pruefen(&a);
    }

    Jpeg_Auftrag a;
    uint8_t pixel_[16] = {};
    uint8_t puffer_[16] = {};
};

TEST_F(Pruefung, ModusBereich)
{
    pixel();
    schreibseite();
    for (int m : {-1, 22, 100, -100}) EXPECT_EQ(pruefen(m), -8) << m;
    for (int m = 0; m <= 19; ++m) EXPECT_EQ(pruefen(m), 0) << m;
    // Through the operations, a mode outside 0..21 or of the wrong kind.
    EXPECT_EQ(Jpeg_Lesen(&a, -1), -8);
    EXPECT_EQ(Jpeg_Lesen(&a, 22), -8);
    EXPECT_EQ(Jpeg_Schreiben(&a, 22), -8);
    EXPECT_EQ(Jpeg_Lesen(&a, 9), -8);
    EXPECT_EQ(Jpeg_Schreiben(&a, 3), -8);
}

TEST_F(Pruefung, Pixelseite)
{
    pixel();
    EXPECT_EQ(pruefen(3), 0);
    for (int32_t h : {-65535, 65535, 0, -1}) {
        a.Bild_Hoehe = h;
        EXPECT_EQ(pruefen(3), 0) << h;
    }
    for (int32_t h : {-65536, 65536}) {
        a.Bild_Hoehe = h;
        EXPECT_EQ(pruefen(3), -8) << h;
    }
    a.Bild_Hoehe = 16;
    for (uint32_t w : {0u, 65536u}) {
        a.Bild_Breite = w;
        EXPECT_EQ(pruefen(3), -8) << w;
        EXPECT_EQ(pruefen(14), -8) << w;
        EXPECT_EQ(pruefen(15), -8) << w;
    }
    a.Bild_Breite = 65535;
    EXPECT_EQ(pruefen(3), 0);
    a.Bild_Pixel = nullptr;
    EXPECT_EQ(pruefen(3), -8);
    EXPECT_EQ(pruefen(1), 0);  // parameter reads do not use the pixel side
    // With component planes the pixel side is not used.
    Jpeg_Komponenten_Ebenen ebenen{};
    a.Intern.Komponenten_Ebenen = &ebenen;
    EXPECT_EQ(pruefen(3), 0);
    a.Intern.Glaettung = 1;
    EXPECT_EQ(pruefen(3), -8);
    a.Intern.Komponenten_Ebenen = nullptr;
    a.Intern.Glaettung = 0;
    a.Bild_Pixel = pixel_;

    a.Bild_Fuellbytes = 0x80000000u;
    EXPECT_EQ(pruefen(3), -8);
    a.Bild_Fuellbytes = 3;
    EXPECT_EQ(pruefen(3), 0);
    // A row step beyond 31 bits.
    a.Bild_Fuellbytes = 0x7FFFFFF0u;
    EXPECT_EQ(pruefen(3), -8);
    a.Bild_Fuellbytes = 0;
    for (uint32_t k : {0u, 256u}) {
        a.Bild_Kanaele = k;
        EXPECT_EQ(pruefen(3), -8) << k;
    }
    a.Bild_Kanaele = 3;
    a.Bild_Abtastung = 2;
    EXPECT_EQ(pruefen(3), -3);
    a.Bild_Abtastung = 1;
    EXPECT_EQ(pruefen(3), -3);
    a.Bild_Farbraum = FARBE_YCBCR;
    a.Bild_Abtastung = 2;
    EXPECT_EQ(pruefen(3), 0);
}

TEST_F(Pruefung, VorschauBrauchtRgbOderBgr)
{
    pixel();
    EXPECT_EQ(pruefen(21), 0);
    a.Bild_Farbraum = FARBE_BGR;
    EXPECT_EQ(pruefen(20), 0);
    a.Bild_Farbraum = FARBE_GRAU;
    a.Bild_Kanaele = 1;
    EXPECT_EQ(pruefen(21), -27);
    // Before anything is opened or read: the file does not exist.
    a.Jpg_Datei = "/nonexistent/bild.jpg";
    EXPECT_EQ(Jpeg_Lesen(&a, 20), -27);
    a.Bild_Farbraum = FARBE_RGB;
    a.Bild_Kanaele = 3;
    EXPECT_EQ(Jpeg_Lesen(&a, 20), -10);
}

TEST_F(Pruefung, DateiOderPuffer)
{
    pixel();
    a.Jpg_Datei = nullptr;
    EXPECT_EQ(pruefen(0), -8);
    EXPECT_EQ(pruefen(1), 0);
    a.Jpg_Puffer_Groesse = 0;
    EXPECT_EQ(pruefen(1), -8);
    a.Jpg_Puffer_Groesse = 1;
    a.Jpg_Puffer = nullptr;
    EXPECT_EQ(pruefen(1), -8);
    a.Jpg_Datei = "x.jpg";
    EXPECT_EQ(pruefen(0), 0);
    EXPECT_EQ(Jpeg_Lesen(&a, 1), -8);
    a.Jpg_Datei = "/nonexistent/x.jpg";
    EXPECT_EQ(Jpeg_Lesen(&a, 0), -10);
    EXPECT_EQ(a.Intern.Strom.Datei, nullptr);
}

TEST_F(Pruefung, KomponentenUndAbtastungBeimSchreiben)
{
    pixel();
    schreibseite();
    EXPECT_EQ(pruefen(9), 0);
    a.Jpg_Kanaele = 0;
    EXPECT_EQ(pruefen(9), -8);
    a.Jpg_Kanaele = 257;
    EXPECT_EQ(pruefen(9), -8);
    EXPECT_EQ(pruefen(3), -8);
    // Sampling by component count.
    a.Jpg_Kanaele = 3;
    for (int s : {0, 1, 2}) {
        a.Jpg_Abtastung = s;
        EXPECT_EQ(pruefen(9), 0) << s;
    }
    for (int s : {3, 4, 255}) {
        a.Jpg_Abtastung = s;
        EXPECT_EQ(pruefen(9), -3) << s;
    }
    a.Bild_Farbraum = FARBE_GRAU;
    a.Bild_Kanaele = 1;
    a.Jpg_Farbraum = FARBE_GRAU;
    a.Jpg_Kanaele = 1;
    a.Jpg_Abtastung = 1;
    EXPECT_EQ(pruefen(9), -3);
    a.Jpg_Abtastung = 0;
    EXPECT_EQ(pruefen(9), 0);
    a.Bild_Farbraum = FARBE_RGBA;
    a.Bild_Kanaele = 4;
    a.Jpg_Farbraum = FARBE_RGBA;
    a.Jpg_Kanaele = 4;
    for (int s : {0, 3, 4}) {
        a.Jpg_Abtastung = s;
        EXPECT_EQ(pruefen(9), 0) << s;
    }
    for (int s : {1, 2}) {
        a.Jpg_Abtastung = s;
        EXPECT_EQ(pruefen(9), -3) << s;
    }
    // Table-only writes check sampling and colours, not the picture size.
    a.Jpg_Abtastung = 0;
    a.Jpg_Breite = 0;
    EXPECT_EQ(pruefen(11), 0);
    EXPECT_EQ(pruefen(9), -8);
}

TEST_F(Pruefung, BildgroesseBeimSchreiben)
{
    pixel(16, 16);
    schreibseite(16, 16);
    EXPECT_EQ(pruefen(9), 0);
    for (uint32_t w : {0u, 65536u}) {
        a.Jpg_Breite = w;
        EXPECT_EQ(pruefen(9), -8) << w;
    }
    a.Jpg_Breite = 16;
    a.Jpg_Hoehe = 0;
    EXPECT_EQ(pruefen(9), -8);
    // The pixels must cover the picture: no reading past the caller's rows.
    a.Jpg_Hoehe = 17;
    EXPECT_EQ(pruefen(9), -8);
    a.Jpg_Hoehe = 16;
    a.Jpg_Breite = 17;
    EXPECT_EQ(pruefen(9), -8);
    a.Jpg_Breite = 8;
    a.Jpg_Hoehe = 8;
    EXPECT_EQ(pruefen(9), 0);
    a.Bild_Hoehe = -16;
    a.Jpg_Hoehe = 16;
    EXPECT_EQ(pruefen(9), 0);
    a.Bild_Hoehe = 0;
    EXPECT_EQ(pruefen(9), -8);
    EXPECT_EQ(Jpeg_Schreiben(&a, 9), -8);
}

TEST_F(Pruefung, Farbpaare)
{
    pixel();
    struct Paar {
        int32_t jf;
        uint32_t jk;
        int32_t bf;
        uint32_t bk;
        bool lesen_ok;
    };
    const Paar lesen[] = {
        {FARBE_GRAU, 1, FARBE_GRAU, 1, true},     {FARBE_GRAU, 1, FARBE_RGB, 3, true},
        {FARBE_GRAU, 1, FARBE_BGR, 3, true},      {FARBE_GRAU, 1, FARBE_RGBA, 4, true},
        {FARBE_GRAU, 1, FARBE_RGB, 4, false},     {FARBE_GRAU, 3, FARBE_RGB, 3, false},
        {FARBE_RGB, 3, FARBE_RGB, 3, true},       {FARBE_RGB, 3, FARBE_RGBA, 4, true},
        {FARBE_RGB, 3, FARBE_GRAU, 1, false},     {FARBE_RGBA, 4, FARBE_RGBA, 4, true},
        {FARBE_RGBA, 4, FARBE_RGB, 3, false},     {FARBE_YCBCR, 3, FARBE_GRAU, 1, true},
        {FARBE_YCBCR, 3, FARBE_BGR, 3, true},     {FARBE_YCBCR, 3, FARBE_RGBA, 4, true},
        {FARBE_YCBCR, 3, FARBE_YCBCR, 7, true},   {FARBE_YCBCR, 1, FARBE_RGB, 3, false},
        {FARBE_YCBCRA, 4, FARBE_RGBA, 4, true},   {FARBE_YCBCRA, 4, FARBE_RGB, 3, false},
        {FARBE_ANDERE, 5, FARBE_ANDERE, 2, true}, {FARBE_ANDERE, 3, FARBE_RGB, 3, false},
        {7, 3, FARBE_RGB, 3, false},
    };
    for (const Paar& t : lesen) {
        a.Jpg_Farbraum = t.jf;
        a.Jpg_Kanaele = t.jk;
        a.Bild_Farbraum = t.bf;
        a.Bild_Kanaele = t.bk;
        EXPECT_EQ(pruefen(3), t.lesen_ok ? 0 : -8) << t.jf << "/" << t.jk << " -> " << t.bf << "/" << t.bk;
    }

    schreibseite();
    const Paar schreiben[] = {
        // pixel colour/channels -> JPEG colour/components
        {FARBE_GRAU, 1, FARBE_GRAU, 1, true},     {FARBE_GRAU, 1, FARBE_YCBCR, 3, true},
        {FARBE_GRAU, 1, FARBE_RGB, 3, false},     {FARBE_RGB, 3, FARBE_GRAU, 1, true},
        {FARBE_RGB, 3, FARBE_RGB, 3, true},       {FARBE_BGR, 3, FARBE_YCBCR, 3, true},
        {FARBE_BGR, 3, FARBE_RGBA, 4, false},     {FARBE_RGB, 4, FARBE_YCBCR, 3, true},
        {FARBE_RGB, 4, FARBE_RGB, 3, false},      {FARBE_RGBA, 4, FARBE_RGBA, 4, true},
        {FARBE_RGBA, 4, FARBE_YCBCRA, 4, true},   {FARBE_RGBA, 4, FARBE_YCBCR, 3, false},
        {FARBE_YCBCR, 3, FARBE_YCBCR, 3, true},   {FARBE_YCBCR, 3, FARBE_RGB, 3, false},
        {FARBE_ANDERE, 4, FARBE_ANDERE, 3, true}, {FARBE_ANDERE, 2, FARBE_ANDERE, 3, false},
        {FARBE_YCBCRA, 4, FARBE_YCBCRA, 4, false},
    };
    for (const Paar& t : schreiben) {
        a.Bild_Farbraum = t.jf;
        a.Bild_Kanaele = t.jk;
        a.Jpg_Farbraum = t.bf;
        a.Jpg_Kanaele = t.bk;
        a.Jpg_Abtastung = 0;
        EXPECT_EQ(pruefen(9), t.lesen_ok ? 0 : -8) << t.jf << "/" << t.jk << " -> " << t.bf << "/" << t.bk;
    }
}

TEST_F(Pruefung, DctArtUndInternDirekt)
{
    pixel();
    a.Intern.DCT_Art = 0;
    EXPECT_EQ(pruefen(3), 0);
    a.Intern.DCT_Art = 2;
    EXPECT_EQ(pruefen(3), -8);
    a.Intern.DCT_Art = -1;
    EXPECT_EQ(pruefen(3), -8);
    // A prepared internal record is not checked at all...
    a.Intern_Direkt = 1;
    a.Bild_Pixel = nullptr;
    EXPECT_EQ(pruefen(3), 0);
    EXPECT_EQ(pruefen(-1), 0);
    // ...but the operations still refuse a mode that is not theirs.
    EXPECT_EQ(Jpeg_Lesen(&a, 23), -8);
    EXPECT_EQ(Jpeg_Schreiben(&a, 2), -8);
}

// --- life cycle ------------------------------------------------------------------

TEST(Ablauf, FreeUndFalscheAufrufe)
{
    EXPECT_EQ(Jpeg_Init(nullptr), -8);
    EXPECT_EQ(Jpeg_Lesen(nullptr, 1), -8);
    EXPECT_EQ(Jpeg_Schreiben(nullptr, 9), -8);
    EXPECT_EQ(Jpeg_Free(nullptr), -8);

    Jpeg_Auftrag a;
    ASSERT_EQ(Jpeg_Init(&a), 0);
    EXPECT_EQ(Jpeg_Free(&a), 0);
    // A second release and calls on a released record are refused.
    EXPECT_EQ(Jpeg_Free(&a), -8);
    EXPECT_EQ(Jpeg_Lesen(&a, 1), -8);
    EXPECT_EQ(Jpeg_Schreiben(&a, 9), -8);
}

TEST(Ablauf, BeschaedigterAuftragWirdTrotzdemFreigegeben)
{
    // The leak checker of the sanitizer build proves the release.
    Jpeg_Auftrag a;
    ASSERT_EQ(Jpeg_Init(&a), 0);
    a.Intern.Koeffizienten_Puffer = static_cast<int16_t*>(Jpeg_Speicher_Holen(4096));
    a.Intern.Jpeg_Einstiegstabelle =
        static_cast<Jpeg_Einstieg*>(Jpeg_Speicher_Holen(sizeof(Jpeg_Einstieg) * 4));
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
    EXPECT_EQ(a.Intern.Komponenten, nullptr);
    EXPECT_EQ(a.Intern.Koeffizienten_Puffer, nullptr);
    EXPECT_EQ(a.Intern.Verzoegerung, nullptr);
    EXPECT_EQ(a.Intern.Jpeg_Einstiegstabelle, nullptr);
    EXPECT_EQ(a.Intern.Fortsetzung, nullptr);
    EXPECT_EQ(a.Intern.Strom.Kern_Tabelle, nullptr);
    EXPECT_EQ(a.Intern.Quant_Extern, 0u);
    EXPECT_EQ(a.Intern.Anzahl_Quant_Vorgaben, 0);
}

TEST(Ablauf, VorgabenMitFalschenZaehlernWerdenAbgelehnt)
{
    Jpeg_Auftrag a;
    ASSERT_EQ(Jpeg_Init(&a), 0);
    uint8_t puffer[4] = {0xFF, 0xD8, 0xFF, 0xD9};
    uint8_t pixel[48] = {};
    a.Jpg_Puffer = puffer;
    a.Jpg_Puffer_Groesse = sizeof puffer;
    a.Bild_Pixel = pixel;
    a.Bild_Breite = 4;
    a.Bild_Hoehe = 4;
    a.Bild_Farbraum = FARBE_RGB;
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
    EXPECT_EQ(Jpeg_Free(&a), 0);
}

// The caller's quantisation tables are taken over and prepared for the
// method in use, like tables read from a stream.
TEST(Ablauf, VorgegebeneQuantTabellenWerdenVorbereitet)
{
    for (int art : {DCT_GENAU, DCT_SCHNELL}) {
        Jpeg_Auftrag a;
        ASSERT_EQ(Jpeg_Init(&a), 0);
        uint8_t puffer[4] = {0xFF, 0xD8, 0xFF, 0xD9};
        uint8_t pixel[48] = {};
        a.Jpg_Puffer = puffer;
        a.Jpg_Puffer_Groesse = sizeof puffer;
        a.Bild_Pixel = pixel;
        a.Bild_Breite = 4;
        a.Bild_Hoehe = 4;
        a.Bild_Farbraum = FARBE_RGB;
        a.Intern.DCT_Art = art;
        uint8_t werte[64];
        for (int i = 0; i < 64; ++i) werte[i] = uint8_t(i + 1);
        a.Intern.Quant_Extern = 1;
        a.Intern.Anzahl_Quant_Vorgaben = 1;
        a.Intern.Quant_Vorgabe[0] = {werte, 2};
        Jpeg_Lesen(&a, 7);  // the data themselves are no picture
        const Jpeg_Quant_Tabelle& t = a.Intern.Quant_Tabelle[0];
        EXPECT_EQ(t.Kennung, 2);
        EXPECT_EQ(t.Praezision, 0);
        if (art == DCT_GENAU) {
            for (int i = 0; i < 64; ++i) EXPECT_EQ(t.Werte[Jpeg_Zickzack[i]], i + 1) << i;
        } else {
            EXPECT_EQ(t.Werte[0], 256);  // 1 * 0.125 * 2048
            EXPECT_EQ(t.Werte[JPEG_QTAB_SCHMAL], 1);
        }
        EXPECT_EQ(Jpeg_Free(&a), 0);
    }
}

TEST(Ablauf, DateiBleibtNachFehlernNichtOffen)
{
    namespace fs = std::filesystem;
    const fs::path name = fs::temp_directory_path() / ("kordavo_jpeg_api_" + std::to_string(getpid()) + ".jpg");
    Jpeg_Auftrag a;
    ASSERT_EQ(Jpeg_Init(&a), 0);
    uint8_t pixel[16 * 16 * 3] = {};
    a.Bild_Pixel = pixel;
    a.Bild_Breite = 16;
    a.Bild_Hoehe = 16;
    a.Bild_Farbraum = FARBE_RGB;
    a.Jpg_Datei = name.c_str();
    a.Jpg_Breite = 16;
    a.Jpg_Hoehe = 16;
    a.Jpg_Abtastung = ABTASTUNG_KEINE;
    a.Qualitaet = 75;
    // A file write: the file is closed afterwards whatever the result.
    const int32_t r = Jpeg_Schreiben(&a, 8);
    EXPECT_LE(r, 0);
    EXPECT_EQ(a.Intern.Strom.Datei, nullptr);
    if (r == 0) {
        EXPECT_GT(fs::file_size(name), 100u);
        EXPECT_EQ(a.Jpg_Puffer_Groesse, fs::file_size(name));
    }
    // Reading a file that is not a JPEG fails and leaves no open file.
    {
        FILE* f = std::fopen(name.c_str(), "wb");
        std::fputs("kein Bild", f);
        std::fclose(f);
    }
    Jpeg_Auftrag b;
    ASSERT_EQ(Jpeg_Init(&b), 0);
    b.Jpg_Datei = name.c_str();
    EXPECT_LT(Jpeg_Lesen(&b, 0), 0);
    EXPECT_EQ(b.Intern.Strom.Datei, nullptr);
    EXPECT_EQ(Jpeg_Free(&b), 0);
    EXPECT_EQ(Jpeg_Free(&a), 0);
    fs::remove(name);
}

}  // namespace

// --- the callers' road: encode, read the parameters, decode -------------------

namespace {

std::vector<uint8_t> testbild(int w, int h)
{
    std::vector<uint8_t> p(size_t(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* q = &p[(size_t(y) * w + x) * 3];
            q[0] = uint8_t(x * 255 / (w - 1));
            q[1] = uint8_t(y * 255 / (h - 1));
            q[2] = uint8_t((x + y) * 4);
        }
    return p;
}

double groesste_abweichung(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    double m = 0;
    for (size_t i = 0; i < a.size(); ++i) m = std::max(m, std::abs(double(a[i]) - b[i]));
    return m;
}

}  // namespace

TEST(Weg, PufferSchreibenUndLesen)
{
    const int w = 37, h = 21;
    const std::vector<uint8_t> bild = testbild(w, h);
    for (int abtastung : {ABTASTUNG_KEINE, ABTASTUNG_422, ABTASTUNG_411}) {
        SCOPED_TRACE(abtastung);
        std::vector<uint8_t> jpg(size_t(w) * h * 3);
        Jpeg_Auftrag a;
        ASSERT_EQ(Jpeg_Init(&a), 0);
        a.Bild_Pixel = const_cast<uint8_t*>(bild.data());
        a.Bild_Breite = w;
        a.Bild_Hoehe = h;
        a.Bild_Kanaele = 3;
        a.Bild_Farbraum = FARBE_RGB;
        a.Jpg_Breite = w;
        a.Jpg_Hoehe = h;
        a.Jpg_Kanaele = 3;
        a.Jpg_Farbraum = FARBE_YCBCR;
        a.Jpg_Abtastung = abtastung;
        a.Qualitaet = 90;
        a.Jpg_Puffer = jpg.data();
        a.Jpg_Puffer_Groesse = uint32_t(jpg.size());
        ASSERT_EQ(Jpeg_Schreiben(&a, 9), 0);
        const uint32_t laenge = a.Jpg_Puffer_Groesse;
        EXPECT_GT(laenge, 600u);
        EXPECT_LT(laenge, jpg.size());
        EXPECT_EQ(Jpeg_Free(&a), 0);

        Jpeg_Auftrag b;
        ASSERT_EQ(Jpeg_Init(&b), 0);
        b.Jpg_Puffer = jpg.data();
        b.Jpg_Puffer_Groesse = laenge;
        ASSERT_EQ(Jpeg_Lesen(&b, 1), 0);
        // The input start is handed back to the start-of-scan marker.
        const uint8_t* anfang = b.Intern.Strom.Eingabe_Anfang;
        ASSERT_GE(anfang, jpg.data());
        ASSERT_LT(anfang + 1, jpg.data() + laenge);
        EXPECT_EQ(anfang[0], 0xFF);
        EXPECT_EQ(anfang[1], 0xDA);
        EXPECT_EQ(b.Jpg_Breite, uint32_t(w));
        EXPECT_EQ(b.Jpg_Hoehe, uint32_t(h));
        EXPECT_EQ(b.Jpg_Kanaele, 3u);
        EXPECT_EQ(b.Jpg_Farbraum, FARBE_YCBCR);
        EXPECT_EQ(b.Jpg_Abtastung, abtastung);
        std::vector<uint8_t> aus(bild.size());
        b.Bild_Pixel = aus.data();
        b.Bild_Breite = w;
        b.Bild_Hoehe = h;
        b.Bild_Kanaele = 3;
        b.Bild_Farbraum = FARBE_RGB;
        b.Bild_Fuellbytes = 0;
        ASSERT_EQ(Jpeg_Lesen(&b, 3), 0);
        EXPECT_LT(groesste_abweichung(bild, aus), abtastung == ABTASTUNG_KEINE ? 12 : 40);
        EXPECT_EQ(Jpeg_Free(&b), 0);
    }
}

TEST(Weg, DateiBleibtNachParameternOffen)
{
    namespace fs = std::filesystem;
    const fs::path name = fs::temp_directory_path() / ("kordavo_jpeg_weg_" + std::to_string(getpid()) + ".jpg");
    const int w = 40, h = 24;
    const std::vector<uint8_t> bild = testbild(w, h);
    Jpeg_Auftrag a;
    ASSERT_EQ(Jpeg_Init(&a), 0);
    a.Bild_Pixel = const_cast<uint8_t*>(bild.data());
    a.Bild_Breite = w;
    a.Bild_Hoehe = -h;  // bottom-up rows
    a.Bild_Farbraum = FARBE_RGB;
    a.Jpg_Breite = w;
    a.Jpg_Hoehe = h;
    a.Jpg_Abtastung = ABTASTUNG_KEINE;
    a.Jpg_Datei = name.c_str();
    ASSERT_EQ(Jpeg_Schreiben(&a, 8), 0);
    EXPECT_EQ(a.Intern.Strom.Datei, nullptr);
    EXPECT_EQ(uint64_t(a.Jpg_Puffer_Groesse), fs::file_size(name));
    EXPECT_EQ(Jpeg_Free(&a), 0);

    for (int code : {0, 6}) {
        SCOPED_TRACE(code);
        setenv("KORDAVO_JPEG_USECPU", std::to_string(code).c_str(), 1);
        Jpeg_Auftrag b;
        ASSERT_EQ(Jpeg_Init(&b), 0);
        unsetenv("KORDAVO_JPEG_USECPU");
        b.Jpg_Datei = name.c_str();
        ASSERT_EQ(Jpeg_Lesen(&b, 0), 0);
        EXPECT_NE(b.Intern.Strom.Datei, nullptr);  // stays open for the next read
        EXPECT_EQ(b.Jpg_Breite, uint32_t(w));
        std::vector<uint8_t> aus(bild.size());
        b.Bild_Pixel = aus.data();
        b.Bild_Breite = w;
        b.Bild_Hoehe = h;
        b.Bild_Farbraum = FARBE_RGB;
        ASSERT_EQ(Jpeg_Lesen(&b, 2), 0);
        EXPECT_EQ(b.Intern.Strom.Datei, nullptr);
        // Written bottom-up, read top-down: the rows come back reversed.
        std::vector<uint8_t> gespiegelt(bild.size());
        for (int y = 0; y < h; ++y)
            std::memcpy(&gespiegelt[size_t(y) * w * 3], &bild[size_t(h - 1 - y) * w * 3], size_t(w) * 3);
        EXPECT_LT(groesste_abweichung(gespiegelt, aus), 16);
        EXPECT_EQ(Jpeg_Free(&b), 0);
    }
    // A parameter read alone: Jpeg_Free closes the file.
    Jpeg_Auftrag c;
    ASSERT_EQ(Jpeg_Init(&c), 0);
    c.Jpg_Datei = name.c_str();
    ASSERT_EQ(Jpeg_Lesen(&c, 0), 0);
    EXPECT_NE(c.Intern.Strom.Datei, nullptr);
    EXPECT_EQ(Jpeg_Free(&c), 0);
    fs::remove(name);
}

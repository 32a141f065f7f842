// The encoder through the codec's interface: the exact opening of a stream,
// segment layouts, restart markers, the stepping encode, processor codes,
// buffer room, table-only and data-only writes, and the refusals of bad
// requests.
#include "enc_test_hilfen.h"

#include "jpeg/enc_intern.h"

#include <algorithm>
#include <cstring>

using namespace enc_test;

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> l) {
    std::vector<uint8_t> v;
    for (int b : l) v.push_back(static_cast<uint8_t>(b));
    return v;
}

}  // namespace

TEST(JpegEncStrom, FreshRecordAtQuality75BeginsWithTheKnownBytes) {
    // A fresh record: blue-green-red pixels into YCbCr 4:1:1 at quality 75.
    const int w = 40, h = 24;
    std::vector<uint8_t> px = Foto(w, h);
    Jpeg_Auftrag a;
    ASSERT_EQ(Jpeg_Init(&a), 0);
    std::vector<uint8_t> puffer(100000);
    a.Bild_Pixel = px.data();
    a.Bild_Breite = w;
    a.Bild_Hoehe = h;
    a.Jpg_Breite = w;
    a.Jpg_Hoehe = h;
    a.Jpg_Puffer = puffer.data();
    a.Jpg_Puffer_Groesse = static_cast<uint32_t>(puffer.size());
    ASSERT_EQ(Jpeg_Schreiben(&a, JMODUS_PUFFER_BILD_SCHREIBEN), 0);
    std::vector<uint8_t> j(puffer.begin(), puffer.begin() + a.Jpg_Puffer_Groesse);
    Jpeg_Free(&a);

    std::vector<uint8_t> e = Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00, 0x01,
                                    0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0xFF, 0xFE, 0x00, 0x2A});
    const char* text = "Kordavo JPEG Codec, version [2.10.4.17]";
    ASSERT_EQ(std::strlen(text), 39u);
    e.insert(e.end(), text, text + 39);
    e.push_back(0);
    ASSERT_GE(j.size(), e.size());
    EXPECT_TRUE(std::equal(e.begin(), e.end(), j.begin()));

    Zerlegt z = Zerlegen(j);
    std::vector<uint8_t> marken;
    for (const Segment& s : z.segmente) marken.push_back(s.marke);
    ASSERT_EQ(marken, Bytes({0xE0, 0xFE, 0xDB, 0xDB, 0xC4, 0xC0, 0xDA}));
    // Quality 75 (the tables' values are compared with cjpeg's in the tool tests).
    EXPECT_EQ(z.segmente[2].daten[0], 0x00);
    EXPECT_EQ(z.segmente[2].daten[1], 8);
    EXPECT_EQ(z.segmente[3].daten[0], 0x01);
    EXPECT_EQ(z.segmente[3].daten[1], 9);
    // The DHT holds the four default tables in the order DC 0, AC 0, DC 1, AC 1
    // (12 and 162 symbols after their 16 counts).
    const std::vector<uint8_t>& dht_daten = z.segmente[4].daten;
    ASSERT_EQ(dht_daten.size(), 2u * (17 + 12) + 2u * (17 + 162));
    EXPECT_EQ(dht_daten[0], 0x00);
    EXPECT_EQ(dht_daten[29], 0x10);
    EXPECT_EQ(dht_daten[208], 0x01);
    EXPECT_EQ(dht_daten[237], 0x11);
    EXPECT_EQ(z.segmente[5].daten,
              Bytes({0x08, 0x00, h, 0x00, w, 0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01}));
    EXPECT_EQ(z.segmente[6].daten, Bytes({0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3F, 0x00}));
    EXPECT_TRUE(z.eoi);
    // 657 bytes of markers in all: 655 before the entropy-coded data, EOI after it.
    size_t kopf = 2;
    for (const Segment& s : z.segmente) kopf += 4 + s.daten.size();
    EXPECT_EQ(kopf + 2, 657u);
}

TEST(JpegEncStrom, GreyPicturesUseComponentZeroWithTableZero) {
    std::vector<uint8_t> px(17 * 9, 100);
    Einstellung e;
    e.bild_farbraum = FARBE_GRAU;
    e.bild_kanaele = 1;
    e.jpg_farbraum = FARBE_GRAU;
    e.jpg_kanaele = 1;
    e.jpg_abtastung = ABTASTUNG_KEINE;
    Ergebnis r = Kodieren(px, 17, 9, e);
    ASSERT_EQ(r.erg, 0);
    Zerlegt z = Zerlegen(r.jpeg);
    ASSERT_GE(z.segmente.size(), 2u);
    const Segment& sof = z.segmente[z.segmente.size() - 2];
    EXPECT_EQ(sof.daten, Bytes({0x08, 0x00, 0x09, 0x00, 0x11, 0x01, 0x00, 0x11, 0x00}));
    EXPECT_EQ(z.segmente.back().daten, Bytes({0x01, 0x00, 0x00, 0x00, 0x3F, 0x00}));
}

TEST(JpegEncStrom, RestartMarkersCountUpAndNeverFollowTheLastMcu) {
    Einstellung e;
    e.jpg_abtastung = ABTASTUNG_KEINE;
    // 4 MCUs, interval 2: RST0 after MCU 2 only.
    std::vector<uint8_t> px = Foto(32, 8);
    e.neustart = 2;
    Ergebnis r = Kodieren(px, 32, 8, e);
    ASSERT_EQ(r.erg, 0);
    Zerlegt z = Zerlegen(r.jpeg);
    EXPECT_EQ(z.daten_marken, Bytes({0xD0}));
    bool dri = false;
    for (const Segment& s : z.segmente)
        if (s.marke == 0xDD) dri = s.daten == Bytes({0x00, 0x02});
    EXPECT_TRUE(dri);
    // 10 MCUs, interval 1: RST0..RST7, RST0.
    px = Foto(80, 8);
    e.neustart = 1;
    for (int32_t code : {0, 5}) {
        e.prozessor = code;
        r = Kodieren(px, 80, 8, e);
        ASSERT_EQ(r.erg, 0);
        EXPECT_EQ(Zerlegen(r.jpeg).daten_marken, Bytes({0xD0, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD0}));
    }
}

// A whole write transforms neighbouring MCUs with an odd number of blocks
// (4:4:4 colour, grey) side by side; stepping takes one at a time. Both give
// the same bytes, also with five MCUs a row (the last one alone) and restarts.
TEST(JpegEncStrom, SteppingWritesTheSameBytesOneMcuPerCall) {
    for (int32_t abtastung : {int32_t(ABTASTUNG_KEINE), int32_t(ABTASTUNG_411), int32_t(-1)}) {
        for (int neustart : {0, 3}) {
            Einstellung e;
            const bool grau = abtastung < 0;
            e.jpg_abtastung = grau ? ABTASTUNG_KEINE : abtastung;
            if (grau) {
                e.bild_farbraum = e.jpg_farbraum = FARBE_GRAU;
                e.bild_kanaele = e.jpg_kanaele = 1;
            }
            e.neustart = neustart;
            std::vector<uint8_t> px = Foto(37, 21);
            Ergebnis ganz = Kodieren(px, 37, 21, e);
            e.schrittweise = true;
            Ergebnis schritte = Kodieren(px, 37, 21, e);
            ASSERT_EQ(ganz.erg, 0);
            ASSERT_EQ(schritte.erg, 0);
            EXPECT_EQ(schritte.jpeg, ganz.jpeg);
            int mcus = abtastung == ABTASTUNG_411 ? 3 * 2 : 5 * 3;
            // One call per MCU, and one more that finds nothing left and ends the stream.
            EXPECT_EQ(schritte.aufrufe, mcus + 1);
        }
    }
}

// Sample planes of the caller go through the same paired transform: a
// 4:4:4 YCbCr picture given as planes writes exactly the stream of the same
// samples given as YCbCr pixels, in one call and stepping, progressive too.
TEST(JpegEncStrom, SamplePlanesWriteTheStreamOfTheSamePixels) {
    const int w = 40, h = 24;  // 5 x 3 MCUs
    std::vector<uint8_t> px = Foto(w, h, 7);
    std::vector<int16_t> ebene[3];
    for (int k = 0; k < 3; ++k) {
        ebene[k].resize(static_cast<size_t>(w) * h);
        for (int i = 0; i < w * h; ++i) ebene[k][i] = px[3 * static_cast<size_t>(i) + k];
    }
    Jpeg_Komponenten_Ebenen ebenen{};
    ebenen.Modus = 1;
    for (int k = 0; k < 3; ++k) ebenen.Ebene[k] = ebene[k].data();
    for (const bool progressiv : {false, true}) {
        Einstellung e;
        e.bild_farbraum = FARBE_YCBCR;
        e.jpg_abtastung = ABTASTUNG_KEINE;
        e.progressiv = progressiv;
        const Ergebnis pixel = Kodieren(px, w, h, e);
        ASSERT_EQ(pixel.erg, 0);
        e.vorher = [&](Jpeg_Auftrag& a) { a.Intern.Komponenten_Ebenen = &ebenen; };
        const Ergebnis ganz = Kodieren(px, w, h, e);
        ASSERT_EQ(ganz.erg, 0);
        EXPECT_EQ(ganz.jpeg, pixel.jpeg) << progressiv;
        if (progressiv) continue;
        e.schrittweise = true;
        const Ergebnis schritte = Kodieren(px, w, h, e);
        ASSERT_EQ(schritte.erg, 0);
        EXPECT_EQ(schritte.jpeg, pixel.jpeg);
    }
}

// Every processor code writes the same file (the fast method: the same
// within the generic and within the SIMD codes), RGB and BGR pixels, MCUs
// cut by the right and bottom edges included; grey files from colour pixels
// as well (sampling -1 here), whose whole MCUs the SIMD codes convert by
// their own kernel.
TEST(JpegEncStrom, ProcessorCodesWriteIdenticalFiles) {
    for (auto [w, h] : {std::pair{45, 29}, std::pair{13, 5}, std::pair{64, 24}})
        for (int32_t farbraum : {FARBE_RGB, FARBE_BGR})
            for (int32_t dct : {DCT_SCHNELL, DCT_GENAU})
                for (int32_t abtastung : {int32_t(ABTASTUNG_KEINE), int32_t(ABTASTUNG_422), int32_t(ABTASTUNG_411), -1}) {
                    std::vector<uint8_t> px = Foto(w, h, 3);
                    Einstellung e;
                    e.bild_farbraum = farbraum;
                    e.dct_art = dct;
                    e.jpg_abtastung = abtastung < 0 ? ABTASTUNG_KEINE : abtastung;
                    if (abtastung < 0) {
                        e.jpg_farbraum = FARBE_GRAU;
                        e.jpg_kanaele = 1;
                    }
                    std::vector<uint8_t> generisch, simd;
                    for (int32_t code = 0; code <= 6; ++code) {
                        e.prozessor = code;
                        Ergebnis r = Kodieren(px, w, h, e);
                        ASSERT_EQ(r.erg, 0);
                        // The accurate method's precise pair computes the same bits in every form.
                        std::vector<uint8_t>& ref = code <= 2 || dct == DCT_GENAU ? generisch : simd;
                        if (ref.empty()) ref = r.jpeg;
                        else
                            EXPECT_EQ(r.jpeg, ref) << w << "x" << h << " code " << code << " dct " << dct
                                                   << " sampling " << abtastung << " colour " << farbraum;
                    }
                }
}

TEST(JpegEncStrom, BufferOfTheStreamsSizeIsOneByteTooSmall) {
    std::vector<uint8_t> px = Foto(50, 30);
    for (int32_t code : {0, 3, 5, 6}) {
        Einstellung e;
        e.prozessor = code;
        Ergebnis voll = Kodieren(px, 50, 30, e);
        ASSERT_EQ(voll.erg, 0);
        e.puffer = static_cast<int64_t>(voll.jpeg.size());
        EXPECT_EQ(Kodieren(px, 50, 30, e).erg, JPEG_ERG_AUSGABE_VOLL) << code;
        e.puffer = static_cast<int64_t>(voll.jpeg.size()) + 1;
        Ergebnis knapp = Kodieren(px, 50, 30, e);
        EXPECT_EQ(knapp.erg, 0) << code;
        EXPECT_EQ(knapp.jpeg, voll.jpeg);
        for (int64_t klein : {int64_t(1), int64_t(100), int64_t(700), static_cast<int64_t>(voll.jpeg.size()) / 2}) {
            e.puffer = klein;
            EXPECT_EQ(Kodieren(px, 50, 30, e).erg, JPEG_ERG_AUSGABE_VOLL) << klein;
        }
    }
}

TEST(JpegEncStrom, FileOutputEqualsBufferOutputAndAFullDiskIsReported) {
    // Large enough that the staging buffer goes to the file several times.
    const int w = 160, h = 120;
    std::vector<uint8_t> px = Foto(w, h, 9);
    const bool voll_da = access("/dev/full", W_OK) == 0;
    for (int32_t code : {0, 6}) {
        Einstellung e;
        e.prozessor = code;
        e.bild_farbraum = FARBE_BGR;
        Ergebnis puffer = Kodieren(px, w, h, e);
        ASSERT_EQ(puffer.erg, 0);
        e.datei = Pfad("datei.jpg");
        Ergebnis datei = Kodieren(px, w, h, e);
        ASSERT_EQ(datei.erg, 0);
        EXPECT_EQ(datei.groesse, puffer.jpeg.size());
        EXPECT_EQ(datei.jpeg, puffer.jpeg);
        std::remove(e.datei.c_str());
        if (!voll_da) continue;
        // A file that refuses bytes: the file error, the file closed, the record released.
        e.datei = "/dev/full";
        Ergebnis voll = Kodieren(px, w, h, e);
        EXPECT_EQ(voll.erg, JPEG_ERG_DATEI) << code;
        EXPECT_FALSE(voll.datei_offen);
        EXPECT_EQ(voll.frei, 0);
    }
}

TEST(JpegEncStrom, TableOnlyAndDataOnlyStreamsAgree) {
    std::vector<uint8_t> px = Foto(24, 16);
    Jpeg_Auftrag a;
    ASSERT_EQ(Jpeg_Init(&a), 0);
    std::vector<uint8_t> puffer(20000);
    a.Bild_Pixel = px.data();
    a.Bild_Breite = 24;
    a.Bild_Hoehe = 16;
    a.Bild_Farbraum = FARBE_RGB;
    a.Jpg_Breite = 24;
    a.Jpg_Hoehe = 16;
    a.Qualitaet = 60;
    a.Jpg_Puffer = puffer.data();
    a.Jpg_Puffer_Groesse = static_cast<uint32_t>(puffer.size());
    ASSERT_EQ(Jpeg_Schreiben(&a, JMODUS_PUFFER_KOPF_SCHREIBEN), 0);
    std::vector<uint8_t> tabellen(puffer.begin(), puffer.begin() + a.Jpg_Puffer_Groesse);
    Zerlegt zt = Zerlegen(tabellen);
    ASSERT_EQ(zt.segmente.size(), 5u);  // APP0, COM, DQT, DQT, DHT
    EXPECT_EQ(tabellen.back(), 0xD9);
    a.Jpg_Puffer_Groesse = static_cast<uint32_t>(puffer.size());
    a.Qualitaet = 10;  // the prepared tables stay in use
    ASSERT_EQ(Jpeg_Schreiben(&a, JMODUS_PUFFER_DATEN_SCHREIBEN), 0);
    std::vector<uint8_t> daten(puffer.begin(), puffer.begin() + a.Jpg_Puffer_Groesse);
    Jpeg_Free(&a);
    Zerlegt zd = Zerlegen(daten);
    ASSERT_EQ(zd.segmente.size(), 2u);
    EXPECT_EQ(zd.segmente[0].marke, 0xC0);
    EXPECT_TRUE(zd.eoi);
    // Tables and data joined give the same stream as a whole-image write.
    std::vector<uint8_t> zusammen(tabellen.begin(), tabellen.end() - 2);
    zusammen.insert(zusammen.end(), daten.begin() + 2, daten.end());
    Einstellung e;
    e.qualitaet = 60;
    Ergebnis ganz = Kodieren(px, 24, 16, e);
    EXPECT_EQ(zusammen, ganz.jpeg);
}

TEST(JpegEncStrom, QualityIsClamped) {
    std::vector<uint8_t> px = Foto(8, 8);
    auto dqt = [&](uint32_t q) {
        Einstellung e;
        e.qualitaet = q;
        Ergebnis r = Kodieren(px, 8, 8, e);
        EXPECT_EQ(r.erg, 0);
        return Zerlegen(r.jpeg).segmente[2].daten;
    };
    // Below 1 and above 100 the quality is clamped (the tables of 1 to 100
    // are compared with cjpeg's in the tool tests).
    EXPECT_EQ(dqt(0), dqt(1));
    EXPECT_EQ(dqt(150), dqt(100));
}

TEST(JpegEncStrom, CallerCommentIsWrittenAsItStands) {
    std::vector<uint8_t> px = Foto(8, 8);
    static uint8_t kommentar[] = {'T', 'o', 'r', 0xFC};
    Einstellung e;
    e.vorher = [](Jpeg_Auftrag& a) {
        a.Intern.jpeg_comment = kommentar;
        a.Intern.Kommentar_Groesse = 4;
    };
    Ergebnis r = Kodieren(px, 8, 8, e);
    ASSERT_EQ(r.erg, 0);
    EXPECT_EQ(Zerlegen(r.jpeg).segmente[1].daten, Bytes({'T', 'o', 'r', 0xFC}));
}

TEST(JpegEncStrom, PackedPixelsNeedTheMatchingSampling) {
    const int w = 18, h = 10;
    std::vector<uint8_t> px(static_cast<size_t>(w) * 2 * h, 128);
    Einstellung e;
    e.bild_farbraum = FARBE_YCBCR;
    e.bild_abtastung = 2;
    e.jpg_abtastung = ABTASTUNG_422;
    EXPECT_EQ(Kodieren(px, w, h, e).erg, 0);
    // One pixel wide: no Cr byte exists; the encode still succeeds.
    std::vector<uint8_t> schmal(2 * 5, 100);
    EXPECT_EQ(Kodieren(schmal, 1, 5, e).erg, 0);
}

TEST(JpegEncStrom, ProgressiveStreamsOpenWithTheirScanScript) {
    std::vector<uint8_t> grau(20 * 12, 90);
    Einstellung e;
    e.progressiv = true;
    e.neustart = 4;  // announced restarts are left out on this road
    e.bild_farbraum = FARBE_GRAU;
    e.bild_kanaele = 1;
    e.jpg_farbraum = FARBE_GRAU;
    e.jpg_kanaele = 1;
    e.jpg_abtastung = ABTASTUNG_KEINE;
    Ergebnis r = Kodieren(grau, 20, 12, e);
    ASSERT_EQ(r.erg, 0);
    Zerlegt z = Zerlegen(r.jpeg);
    std::vector<uint8_t> marken;
    for (const Segment& s : z.segmente) marken.push_back(s.marke);
    // Six scans; the DC refinement scan (the fifth) has no table of its own.
    EXPECT_EQ(marken,
              Bytes({0xE0, 0xFE, 0xDB, 0xDB, 0xC2, 0xC4, 0xDA, 0xC4, 0xDA, 0xC4, 0xDA, 0xC4, 0xDA, 0xDA, 0xC4, 0xDA}));
    EXPECT_EQ(z.segmente[6].daten, Bytes({0x01, 0x00, 0x00, 0x00, 0x00, 0x01}));
    EXPECT_EQ(z.segmente[5].daten[0], 0x00);  // DC table 0

    std::vector<uint8_t> px = Foto(20, 12);
    Einstellung f;
    f.progressiv = true;
    r = Kodieren(px, 20, 12, f);
    ASSERT_EQ(r.erg, 0);
    z = Zerlegen(r.jpeg);
    ASSERT_GE(z.segmente.size(), 9u);
    EXPECT_EQ(z.segmente[4].marke, 0xC2);
    EXPECT_EQ(z.segmente[5].daten[0], 0x00);
    EXPECT_EQ(z.segmente[6].daten[0], 0x01);
    EXPECT_EQ(z.segmente[7].daten, Bytes({0x03, 0x00, 0x00, 0x01, 0x11, 0x02, 0x11, 0x00, 0x00, 0x01}));
}

TEST(JpegEncStrom, RepeatedProgressiveEncodesOnOneRecordReleaseTheirBuffers) {
    // Under the leak checker: the coefficient buffer of the first encode is
    // released before the second replaces it.
    std::vector<uint8_t> px = Foto(33, 17);
    Jpeg_Auftrag a;
    ASSERT_EQ(Jpeg_Init(&a), 0);
    std::vector<uint8_t> puffer(40000), erste;
    for (int runde = 0; runde < 3; ++runde) {
        a.Bild_Pixel = px.data();
        a.Bild_Breite = a.Jpg_Breite = 33;
        a.Bild_Hoehe = 17;
        a.Jpg_Hoehe = 17;
        a.Bild_Farbraum = FARBE_RGB;
        a.Jpg_Puffer = puffer.data();
        a.Jpg_Puffer_Groesse = static_cast<uint32_t>(puffer.size());
        a.Intern.Scan_Zaehler = 1;
        ASSERT_EQ(Jpeg_Schreiben(&a, JMODUS_PUFFER_BILD_SCHREIBEN), 0);
        std::vector<uint8_t> j(puffer.begin(), puffer.begin() + a.Jpg_Puffer_Groesse);
        if (runde == 0) erste = j;
        else EXPECT_EQ(j, erste);
    }
    Jpeg_Free(&a);
}

TEST(JpegEncStrom, StaleDecodeStateDoesNotLeaveTheEncoderWithoutAConverter) {
    std::vector<uint8_t> px = Foto(16, 16);
    Einstellung e;
    e.vorher = [](Jpeg_Auftrag& a) { a.Intern.Verschachtelung = 1; };  // as a non-interleaved decode leaves it
    Ergebnis r = Kodieren(px, 16, 16, e);
    EXPECT_EQ(r.erg, 0);
    EXPECT_EQ(r.jpeg, Kodieren(px, 16, 16, Einstellung()).jpeg);
}

// Requests the encoder cannot serve are refused with their code before any
// byte is written; the neighbouring ones it can serve are accepted.
TEST(JpegEncStrom, UnusableRequestsAreRefusedWithTheirCode) {
    static uint8_t wenig_anz[16] = {0, 2};
    static uint8_t wenig_werte[2] = {0, 1};
    auto intern = [](std::function<void(JPEG_PROPERTIES&)> f) {
        return [f](Einstellung& e) { e.vorher = [f](Jpeg_Auftrag& a) { f(a.Intern); }; };
    };
    // As an interrupted decode leaves the record.
    auto decodierter_scan = [](JPEG_PROPERTIES& p) {
        auto* scan = static_cast<Jpeg_Scan*>(Jpeg_Speicher_Holen(sizeof(Jpeg_Scan)));
        scan->Ns = 1;
        scan->Komponenten = static_cast<Jpeg_Scan_Komponente*>(Jpeg_Speicher_Holen(sizeof(Jpeg_Scan_Komponente)));
        p.Fortsetzung = scan;
    };
    auto jpg16 = [](Einstellung& e) { e.jpg_breite = e.jpg_hoehe = 16; };
    struct Fall {
        const char* name;
        int bw, bh;  // the pixels, exactly sized
        std::function<void(Einstellung&)> setzen;
        int32_t erwartet;
    } faelle[] = {
        // A JPEG larger than the pixels must not read past them.
        {"pixels narrower", 15, 16, jpg16, JPEG_ERG_PROPERTIES},
        {"pixels lower", 16, 15, jpg16, JPEG_ERG_PROPERTIES},
        {"no pixel rows", 16, 16, [](Einstellung& e) { e.vorher = [](Jpeg_Auftrag& a) { a.Bild_Hoehe = 0; }; },
         JPEG_ERG_PROPERTIES},
        // A larger pixel area is fine: the JPEG is its top-left part.
        {"pixels larger", 20, 20, [](Einstellung& e) { e.jpg_breite = 9, e.jpg_hoehe = 7; }, 0},
        // The 16-bit DRI segment cannot carry the interval.
        {"restart interval", 32, 8, [](Einstellung& e) { e.neustart = 65536; }, JPEG_ERG_PROPERTIES},
        // Written as grey, packed pixels would be read as three-byte pixels.
        {"packed pixels as grey", 18, 10,
         [](Einstellung& e) {
             e.bild_farbraum = FARBE_YCBCR, e.bild_abtastung = 2;
             e.jpg_farbraum = FARBE_GRAU, e.jpg_kanaele = 1, e.jpg_abtastung = ABTASTUNG_KEINE;
         },
         JPEG_ERG_PROPERTIES},
        {"packed pixels as 4:2:0", 18, 10, [](Einstellung& e) { e.bild_farbraum = FARBE_YCBCR, e.bild_abtastung = 2; },
         JPEG_ERG_ABTASTUNG},
        // No progressive script for three grey components.
        {"progressive grey", 20, 12,
         [](Einstellung& e) { e.progressiv = true, e.bild_farbraum = e.jpg_farbraum = FARBE_GRAU, e.bild_kanaele = 1; },
         JPEG_ERG_PROPERTIES},
        {"Huffman table without needed codes", 16, 16, intern([](JPEG_PROPERTIES& p) {
             p.Huffman_Extern = 1;
             for (int i = 0; i < 4; ++i)
                 p.Huffman_Vorgabe[i] = {wenig_anz, wenig_werte, uint8_t(i & 1), uint8_t(i / 2)};
             p.Anzahl_Huffman_Vorgaben = 2;
         }),
         JPEG_ERG_HUFFMAN},
        {"Huffman table number 7", 16, 16, intern([](JPEG_PROPERTIES& p) {
             p.Huffman_Extern = 1;
             p.Huffman_Vorgabe[0] = {const_cast<uint8_t*>(Jpeg_Std_DC_Luma_Anzahlen),
                                     const_cast<uint8_t*>(Jpeg_Std_DC_Luma_Werte), 0, 0};
             p.Huffman_Vorgabe[0].Kennung = 7;
             p.Huffman_Vorgabe[1] = {const_cast<uint8_t*>(Jpeg_Std_AC_Luma_Anzahlen),
                                     const_cast<uint8_t*>(Jpeg_Std_AC_Luma_Werte), 1, 0};
             p.Anzahl_Huffman_Vorgaben = 1;
         }),
         JPEG_ERG_HUFFMAN},
        {"quantisation table number 9", 16, 16, intern([](JPEG_PROPERTIES& p) {
             p.Quant_Extern = 1;
             p.Quant_Vorgabe[0] = {const_cast<uint8_t*>(Jpeg_Std_Quant_Luma), 9};
             p.Anzahl_Quant_Vorgaben = 1;
         }),
         JPEG_ERG_QUANT},
        // Incomplete caller tables fall back to the defaults.
        {"incomplete caller tables", 16, 16, intern([](JPEG_PROPERTIES& p) {
             p.Quant_Extern = 1;
             p.Huffman_Extern = 1;
             p.Huffman_Vorgabe[0] = {wenig_anz, nullptr, 0, 0};
         }),
         0},
        {"scan left by a decode", 16, 16, intern(decodierter_scan), JPEG_ERG_PROPERTIES},
        {"scan left by a decode, progressive", 16, 16,
         [&](Einstellung& e) {
             e.progressiv = true;
             intern(decodierter_scan)(e);
         },
         JPEG_ERG_PROPERTIES},
    };
    for (const Fall& f : faelle) {
        std::vector<uint8_t> px = Foto(f.bw, f.bh);
        Einstellung e;
        f.setzen(e);
        EXPECT_EQ(Kodieren(px, f.bw, f.bh, e).erg, f.erwartet) << f.name;
    }
}

// The codec's file layer: a file written over an older one holds exactly
// what was written (the older tail cut at the close, never read back, never
// sought to), gathered writes reach the file in order (before any read or
// seek, and at the close), a refused write is an error and never a
// success, and whole encodes over a longer file equal fresh ones.
#include "jpeg/jpeg.h"
#include "jpeg/jpeg_kern.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Inhalt(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void Fuellen(const fs::path& p, size_t n, uint8_t wert) {
    std::ofstream f(p, std::ios::binary);
    const std::vector<char> v(n, static_cast<char>(wert));
    f.write(v.data(), static_cast<std::streamsize>(n));
}

fs::path Ordner() {
    const fs::path d = fs::temp_directory_path() / ("kordavo_jpeg_datei_" + std::to_string(getpid()));
    fs::create_directories(d);
    return d;
}

// Encodes w x h RGB pixels into the file `ziel` (4:2:0 or 4:4:4, optionally
// progressive); the codec's result.
int32_t Kodieren(const std::vector<uint8_t>& pixel, uint32_t w, uint32_t h, int32_t abtastung, uint32_t qualitaet,
                 const fs::path& ziel, bool progressiv) {
    Jpeg_Auftrag a;
    EXPECT_EQ(Jpeg_Init(&a), 0);
    a.Bild_Pixel = const_cast<uint8_t*>(pixel.data());
    a.Bild_Breite = a.Jpg_Breite = w;
    a.Bild_Hoehe = a.Jpg_Hoehe = static_cast<int32_t>(h);
    a.Bild_Kanaele = 3;
    a.Bild_Farbraum = FARBE_RGB;
    a.Jpg_Kanaele = 3;
    a.Jpg_Farbraum = FARBE_YCBCR;
    a.Jpg_Abtastung = abtastung;
    a.Qualitaet = qualitaet;
    if (progressiv) a.Intern.Scan_Zaehler = 1;
    const std::string name = ziel.string();
    a.Jpg_Datei = name.c_str();
    const int32_t r = Jpeg_Schreiben(&a, JMODUS_DATEI_BILD_SCHREIBEN);
    Jpeg_Free(&a);
    return r;
}

TEST(Datei, UeberAelterenGeschriebenHaeltNurDasGeschriebene) {
    const fs::path d = Ordner();
    // (older file's size, bytes written): longer, shorter, equal, none before.
    const struct {
        long alt;
        uint32_t neu;
    } faelle[] = {{100000, 1000}, {10, 5000}, {4096, 4096}, {-1, 300}, {70000, 0}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::to_string(f.alt) + " -> " + std::to_string(f.neu));
        const fs::path p = d / "ueber.bin";
        fs::remove(p);
        if (f.alt >= 0) Fuellen(p, static_cast<size_t>(f.alt), 0xEE);
        Jpeg_Datei* datei = Jpeg_Datei_Oeffnen(p.c_str(), JPEG_DATEI_LESEN | JPEG_DATEI_SCHREIBEN);
        ASSERT_NE(datei, nullptr);
        std::vector<uint8_t> daten(f.neu);
        for (uint32_t i = 0; i < f.neu; ++i) daten[i] = static_cast<uint8_t>(i * 7);
        uint32_t n = 0;
        ASSERT_EQ(Jpeg_Datei_Schreiben(datei, daten.data(), f.neu, &n), 1);
        EXPECT_EQ(n, f.neu);
        // The end is where the writing ended: nothing of the older file is
        // read there or found by a seek from the end.
        uint8_t rest[16];
        ASSERT_EQ(Jpeg_Datei_Lesen(datei, rest, sizeof rest, &n), 1);
        EXPECT_EQ(n, 0u);
        if (f.neu >= 2) {
            ASSERT_EQ(Jpeg_Datei_Suchen(datei, -2, 2), 1);
            ASSERT_EQ(Jpeg_Datei_Lesen(datei, rest, sizeof rest, &n), 1);
            ASSERT_EQ(n, 2u);
            EXPECT_EQ(rest[0], daten[f.neu - 2]);
            EXPECT_EQ(rest[1], daten[f.neu - 1]);
        }
        ASSERT_EQ(Jpeg_Datei_Schliessen(datei), 1);
        EXPECT_EQ(Inhalt(p), daten);
    }
    fs::remove_all(d);
}

TEST(Datei, LesenUndSuchenOhneSchreibenSehenDieGanzeDatei) {
    const fs::path d = Ordner();
    const fs::path p = d / "lesen.bin";
    Fuellen(p, 5000, 0x41);
    Jpeg_Datei* datei = Jpeg_Datei_Oeffnen(p.c_str(), JPEG_DATEI_LESEN);
    ASSERT_NE(datei, nullptr);
    ASSERT_EQ(Jpeg_Datei_Suchen(datei, -10, 2), 1);
    uint8_t b[32];
    uint32_t n = 0;
    ASSERT_EQ(Jpeg_Datei_Lesen(datei, b, sizeof b, &n), 1);
    EXPECT_EQ(n, 10u);
    ASSERT_EQ(Jpeg_Datei_Schliessen(datei), 1);
    // Reading leaves the file as it was.
    EXPECT_EQ(fs::file_size(p), 5000u);
    fs::remove_all(d);
}

TEST(Datei, KodierenUeberLaengereDateiGleichtFrischem) {
    const fs::path d = Ordner();
    std::vector<uint8_t> pixel(64 * 48 * 3);
    for (size_t i = 0; i < pixel.size(); ++i) pixel[i] = static_cast<uint8_t>((i * 37) ^ (i >> 5));
    auto kodieren = [&](const fs::path& ziel, bool progressiv) {
        return Kodieren(pixel, 64, 48, ABTASTUNG_411, 80, ziel, progressiv);
    };
    for (bool progressiv : {false, true}) {
        SCOPED_TRACE(progressiv ? "progressive" : "baseline");
        const fs::path frisch = d / "frisch.jpg", ueber = d / "ueber.jpg";
        fs::remove(frisch);
        Fuellen(ueber, 300000, 0xFF);
        ASSERT_EQ(kodieren(frisch, progressiv), 0);
        ASSERT_EQ(kodieren(ueber, progressiv), 0);
        const std::vector<uint8_t> a = Inhalt(frisch), b = Inhalt(ueber);
        ASSERT_GT(a.size(), 100u);
        EXPECT_EQ(a, b);
    }
    fs::remove_all(d);
}

TEST(Datei, GesammelteSchreibvorgaengeKommenInDerReihenfolgeAn) {
    const fs::path d = Ordner();
    // Sizes of consecutive writes: many staging buffers (past the gathered
    // 64 KB), one larger than the gathering (written at once, after what
    // was gathered), small ones; -1 reads two bytes back from the end in
    // between (the gathered bytes go out first), -2 seeks to the end.
    const std::vector<std::vector<int64_t>> faelle = {
        {4096, 4096, 4096},
        std::vector<int64_t>(40, 4096),
        {100, 70000, 3, 4096},
        {4096, -1, 4096, -2, 50},
        {65536, 65535, 1, -1, 200000},
        {1, 1, 1, 1},
    };
    for (size_t f = 0; f < faelle.size(); ++f) {
        SCOPED_TRACE("Fall " + std::to_string(f));
        const fs::path p = d / "gesammelt.bin";
        fs::remove(p);
        Jpeg_Datei* datei = Jpeg_Datei_Oeffnen(p.c_str(), JPEG_DATEI_LESEN | JPEG_DATEI_SCHREIBEN);
        ASSERT_NE(datei, nullptr);
        std::vector<uint8_t> alles;
        for (int64_t schritt : faelle[f]) {
            uint32_t n = 0;
            if (schritt == -1) {
                uint8_t b[2];
                ASSERT_EQ(Jpeg_Datei_Suchen(datei, -2, 2), 1);
                ASSERT_EQ(Jpeg_Datei_Lesen(datei, b, 2, &n), 1);
                ASSERT_EQ(n, 2u);
                EXPECT_EQ(b[0], alles[alles.size() - 2]);
                EXPECT_EQ(b[1], alles[alles.size() - 1]);
                continue;
            }
            if (schritt == -2) {
                ASSERT_EQ(Jpeg_Datei_Suchen(datei, 0, 2), 1);
                continue;
            }
            std::vector<uint8_t> stueck(static_cast<size_t>(schritt));
            for (auto& b : stueck) b = static_cast<uint8_t>(alles.size() * 13 + (&b - stueck.data()) * 7);
            ASSERT_EQ(Jpeg_Datei_Schreiben(datei, stueck.data(), static_cast<uint32_t>(schritt), &n), 1);
            EXPECT_EQ(n, static_cast<uint32_t>(schritt));
            alles.insert(alles.end(), stueck.begin(), stueck.end());
        }
        ASSERT_EQ(Jpeg_Datei_Schliessen(datei), 1);
        EXPECT_EQ(Inhalt(p), alles);
    }
    fs::remove_all(d);
}

TEST(Datei, AbgelehntesSchreibenIstEinFehler) {
    // The system refuses bytes past a file size limit: an encode that meets
    // it ends with the file error (never with success), whether the limit
    // falls inside the gathered bytes or not, and the close reports
    // gathered bytes it could not write.
    const fs::path d = Ordner();
    std::vector<uint8_t> pixel(256 * 256 * 3);
    uint32_t x = 99;
    for (auto& b : pixel) b = static_cast<uint8_t>((x = x * 1103515245u + 12345u) >> 24);
    struct sigaction alt {}, ignorieren {};
    ignorieren.sa_handler = SIG_IGN;
    ASSERT_EQ(sigaction(SIGXFSZ, &ignorieren, &alt), 0);
    struct rlimit grenze_alt {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &grenze_alt), 0);
    for (const rlim_t grenze : {rlim_t{1000}, rlim_t{5000}, rlim_t{70000}}) {
        SCOPED_TRACE("Grenze " + std::to_string(grenze));
        const fs::path p = d / "voll.jpg";
        fs::remove(p);
        for (bool progressiv : {false, true}) {
            struct rlimit neu = grenze_alt;
            neu.rlim_cur = grenze;
            ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &neu), 0);
            // 256 x 256 at quality 95: about 150 KB.
            const int32_t r = Kodieren(pixel, 256, 256, ABTASTUNG_KEINE, 95, p, progressiv);
            ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &grenze_alt), 0);
            EXPECT_LT(r, 0) << (progressiv ? "progressive" : "baseline");
        }
        // Gathered bytes refused at the close.
        fs::remove(p);
        Jpeg_Datei* datei = Jpeg_Datei_Oeffnen(p.c_str(), JPEG_DATEI_LESEN | JPEG_DATEI_SCHREIBEN);
        ASSERT_NE(datei, nullptr);
        uint32_t n = 0;
        ASSERT_EQ(Jpeg_Datei_Schreiben(datei, pixel.data(), 4096, &n), 1);
        struct rlimit neu = grenze_alt;
        neu.rlim_cur = std::min<rlim_t>(grenze, 1000);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &neu), 0);
        const int32_t zu = Jpeg_Datei_Schliessen(datei);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &grenze_alt), 0);
        EXPECT_EQ(zu, 0);
    }
    sigaction(SIGXFSZ, &alt, nullptr);
    fs::remove_all(d);
}

}  // namespace

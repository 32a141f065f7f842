// Encoding in bands of rows: the stream equals the one of a whole-picture
// encode, for every sampling, restart intervals included; a band that
// leaves out rows the next MCU row needs is refused.
#include "jpeg/jpeg.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Pixel(int32_t w, int32_t h) {
    std::vector<uint8_t> p(static_cast<size_t>(w) * h * 3);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            uint8_t* q = &p[(static_cast<size_t>(y) * w + x) * 3];
            q[0] = static_cast<uint8_t>(128 + 100 * std::sin(x / 7.0 + y / 11.0));
            q[1] = static_cast<uint8_t>((x * 13 + y * 7) & 255);
            q[2] = static_cast<uint8_t>(((x / 5 + y / 3) & 1) ? 220 : 30);
        }
    return p;
}

void Einrichten(Jpeg_Auftrag* a, int32_t w, int32_t h, int32_t abtastung, int32_t neustart, std::vector<uint8_t>& aus,
                bool progressiv = false) {
    ASSERT_EQ(Jpeg_Init(a), 0);
    a->Bild_Breite = a->Jpg_Breite = static_cast<uint32_t>(w);
    a->Jpg_Hoehe = static_cast<uint32_t>(h);
    a->Bild_Kanaele = 3;
    a->Bild_Farbraum = FARBE_RGB;
    a->Jpg_Kanaele = 3;
    a->Jpg_Farbraum = FARBE_YCBCR;
    a->Jpg_Abtastung = abtastung;
    a->Qualitaet = 85;
    a->Intern.DCT_Art = DCT_GENAU;
    a->Intern.Neustart_Intervall = neustart;
    if (progressiv) a->Intern.Scan_Zaehler = 1;
    aus.assign(static_cast<size_t>(w) * h * 3 + 65536, 0);
    a->Jpg_Puffer = aus.data();
    a->Jpg_Puffer_Groesse = static_cast<uint32_t>(aus.size());
}

}  // namespace

TEST(Kod_Baender, GleichDemGanzenBild) {
    const int32_t w = 77, h = 61;
    const std::vector<uint8_t> px = Pixel(w, h);
    const struct {
        int32_t abtastung, mcu_hoehe;
    } arten[] = {{ABTASTUNG_411, 16}, {ABTASTUNG_422, 8}, {ABTASTUNG_KEINE, 8}};
    for (const auto& art : arten)
        for (int32_t neustart : {0, 3, -1}) {
            const bool progressiv = neustart < 0;  // -1: the progressive encoder
            if (progressiv) neustart = 0;
            Jpeg_Auftrag g;
            std::vector<uint8_t> ganz;
            Einrichten(&g, w, h, art.abtastung, neustart, ganz, progressiv);
            g.Bild_Pixel = const_cast<uint8_t*>(px.data());
            g.Bild_Hoehe = h;
            ASSERT_EQ(Jpeg_Schreiben(&g, JMODUS_PUFFER_BILD_SCHREIBEN), 0);
            ganz.resize(g.Jpg_Puffer_Groesse);
            Jpeg_Free(&g);
            for (int32_t mcu_zeilen : {1, 2, 5}) {
                SCOPED_TRACE(std::to_string(art.abtastung) + " restart " + std::to_string(neustart) + " band " +
                             std::to_string(mcu_zeilen) + (progressiv ? " progressive" : ""));
                const int32_t band = mcu_zeilen * art.mcu_hoehe;
                Jpeg_Auftrag a;
                std::vector<uint8_t> teil;
                Einrichten(&a, w, h, art.abtastung, neustart, teil, progressiv);
                int32_t r = JPEG_ERG_BEREICH_FERTIG;
                int32_t aufrufe = 0;
                for (int32_t y = 0; y < h && r == JPEG_ERG_BEREICH_FERTIG; y += band, ++aufrufe) {
                    const int32_t n = std::min(band, h - y);
                    // Each band in a buffer of its own, so that rows outside it cannot be read.
                    std::vector<uint8_t> zeilen(px.begin() + static_cast<long>(y) * w * 3,
                                                px.begin() + static_cast<long>(y + n) * w * 3);
                    a.Bild_Pixel = zeilen.data();
                    a.Bild_Hoehe = n;
                    a.Intern.Band_Oben = y;
                    a.Intern.Band_Unten = y + n;
                    r = Jpeg_Schreiben(&a, JMODUS_PUFFER_BILD_SCHREIBEN);
                }
                EXPECT_EQ(r, 0);
                EXPECT_EQ(aufrufe, (h + band - 1) / band);
                teil.resize(a.Jpg_Puffer_Groesse);
                EXPECT_TRUE(teil == ganz);
                Jpeg_Free(&a);
            }
        }
}

TEST(Kod_Baender, FehlendeZeilenAbgelehnt) {
    const int32_t w = 32, h = 48;
    std::vector<uint8_t> px = Pixel(w, h);
    struct Fall {
        int32_t oben, unten;
        int32_t erwartet;
    } faelle[] = {
        {0, 0, 0},                             // not in bands: the whole picture
        {-1, 20, JPEG_ERG_PROPERTIES},         // starts above the picture
        {10, 10, JPEG_ERG_PROPERTIES},         // empty
        {0, 49, JPEG_ERG_PROPERTIES},          // ends below it
        {8, 48, JPEG_ERG_PROPERTIES},          // lacks the first MCU row's top rows
        {0, 20, JPEG_ERG_BEREICH_FERTIG},      // one MCU row, then waits
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::to_string(f.oben) + ".." + std::to_string(f.unten));
        Jpeg_Auftrag a;
        std::vector<uint8_t> aus;
        Einrichten(&a, w, h, ABTASTUNG_411, 0, aus);
        a.Bild_Pixel = px.data();
        a.Bild_Hoehe = h;
        a.Intern.Band_Oben = f.oben;
        a.Intern.Band_Unten = f.unten;
        EXPECT_EQ(Jpeg_Schreiben(&a, JMODUS_PUFFER_BILD_SCHREIBEN), f.erwartet);
        if (f.erwartet == JPEG_ERG_BEREICH_FERTIG) {
            // The next band must begin at the MCU row that waits (row 16).
            a.Intern.Band_Oben = 20;
            a.Intern.Band_Unten = 48;
            EXPECT_EQ(Jpeg_Schreiben(&a, JMODUS_PUFFER_BILD_SCHREIBEN), JPEG_ERG_PROPERTIES);
        }
        Jpeg_Free(&a);
    }
}

// Helpers of the encoder tests: test pictures, one encode through the
// codec's interface, and the Debian libjpeg-turbo tools as a black-box
// reference (cjpeg, djpeg, jpegtran).
#pragma once

#include "dec_hilfe.h"
#include "jpeg/jpeg.h"
#include "jpeg/jpeg_kern.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace enc_test {

// A picture of w x h RGB pixels: smooth gradients, a few sharp edges and a
// little deterministic noise, much like a face or crest photograph.
inline std::vector<uint8_t> Foto(int w, int h, uint32_t saat = 1) {
    std::vector<uint8_t> px(static_cast<size_t>(w) * h * 3);
    uint32_t z = saat * 2654435761u + 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            z = z * 1664525u + 1013904223u;
            int rausch = static_cast<int>((z >> 24) % 9) - 4;
            double fx = w > 1 ? double(x) / (w - 1) : 0, fy = h > 1 ? double(y) / (h - 1) : 0;
            int r = int(200 * fx + 30 * std::sin(fy * 9)) + rausch;
            int g = int(160 * fy + 60 * std::cos(fx * 7)) + rausch;
            int b = int(120 + 100 * std::sin((fx + fy) * 5)) + rausch;
            if ((x / 11 + y / 7) % 5 == 0) r = 255 - r, b = 40;  // edges
            uint8_t* p = &px[(static_cast<size_t>(y) * w + x) * 3];
            p[0] = static_cast<uint8_t>(std::clamp(r, 0, 255));
            p[1] = static_cast<uint8_t>(std::clamp(g, 0, 255));
            p[2] = static_cast<uint8_t>(std::clamp(b, 0, 255));
        }
    return px;
}

struct Einstellung {
    int32_t bild_farbraum = FARBE_RGB;
    uint32_t bild_kanaele = 3;
    int32_t bild_abtastung = 0;
    uint32_t fuellbytes = 0;
    bool kopfueber = false;  // negative height: rows stored bottom-up
    int32_t jpg_farbraum = FARBE_YCBCR;
    uint32_t jpg_kanaele = 3;
    int32_t jpg_abtastung = ABTASTUNG_411;
    uint32_t qualitaet = 75;
    int32_t dct_art = DCT_GENAU;
    int32_t neustart = 0;
    int32_t prozessor = -1;  // -1: the detected one
    bool schrittweise = false;
    bool progressiv = false;
    int64_t puffer = -1;                        // -1: large enough
    int32_t jpg_breite = -1;                    // -1: the pixels' width
    int32_t jpg_hoehe = -1;                     // -1: the pixels' height
    std::string datei;                          // written to this file instead of a buffer
    std::function<void(Jpeg_Auftrag&)> vorher;  // last changes before the write
};

struct Ergebnis {
    int32_t erg = 0;
    std::vector<uint8_t> jpeg;
    int32_t aufrufe = 0;
    uint32_t groesse = 0;      // the stream's size as the record reports it
    int32_t frei = 0;          // Jpeg_Free's result
    bool datei_offen = false;  // the record still held a file after the write
};

// Lays the pixels (w x h, 'kanaele' bytes each, top-down, no fill) out as
// the settings say: fill bytes and bottom-up order.
inline std::vector<uint8_t> Auslegen(const std::vector<uint8_t>& px, int w, int h, const Einstellung& e) {
    size_t zeile = static_cast<size_t>(e.bild_abtastung == 2 ? w * 2 : w * e.bild_kanaele);
    size_t schritt = zeile + e.fuellbytes;
    std::vector<uint8_t> aus(schritt * h, 0xEE);
    for (int y = 0; y < h; ++y) {
        int ziel = e.kopfueber ? h - 1 - y : y;
        std::copy(px.begin() + zeile * y, px.begin() + zeile * (y + 1), aus.begin() + schritt * ziel);
    }
    return aus;
}

// Encodes pixels already laid out by Auslegen.
inline Ergebnis Kodieren(std::vector<uint8_t>& pixel, int w, int h, const Einstellung& e) {
    Ergebnis r;
    Jpeg_Auftrag a;
    if (Jpeg_Init(&a) != 0) {
        r.erg = -999;
        return r;
    }
    if (e.prozessor >= 0) {
        Jpeg_Kerne_Fuellen(a.Intern.Strom.Kern_Tabelle, e.prozessor);
        a.Intern.Strom.Prozessor = e.prozessor;
    }
    a.Bild_Pixel = pixel.data();
    a.Bild_Breite = static_cast<uint32_t>(w);
    a.Bild_Hoehe = e.kopfueber ? -h : h;
    a.Bild_Fuellbytes = e.fuellbytes;
    a.Bild_Kanaele = e.bild_kanaele;
    a.Bild_Farbraum = e.bild_farbraum;
    a.Bild_Abtastung = e.bild_abtastung;
    a.Jpg_Breite = static_cast<uint32_t>(e.jpg_breite >= 0 ? e.jpg_breite : w);
    a.Jpg_Hoehe = static_cast<uint32_t>(e.jpg_hoehe >= 0 ? e.jpg_hoehe : h);
    a.Jpg_Kanaele = e.jpg_kanaele;
    a.Jpg_Farbraum = e.jpg_farbraum;
    a.Jpg_Abtastung = e.jpg_abtastung;
    a.Qualitaet = e.qualitaet;
    a.Intern.DCT_Art = e.dct_art;
    a.Intern.Neustart_Intervall = e.neustart;
    if (e.progressiv) a.Intern.Scan_Zaehler = 1;
    size_t groesse = e.puffer >= 0 ? static_cast<size_t>(e.puffer) : static_cast<size_t>(w) * h * 4 + 4096;
    std::vector<uint8_t> puffer(groesse);
    a.Jpg_Puffer = puffer.data();
    a.Jpg_Puffer_Groesse = static_cast<uint32_t>(groesse);
    if (!e.datei.empty()) a.Jpg_Datei = e.datei.c_str();
    if (e.vorher) e.vorher(a);
    const int32_t modus = e.datei.empty() ? JMODUS_PUFFER_BILD_SCHREIBEN : JMODUS_DATEI_BILD_SCHREIBEN;
    do {
        a.Intern.Unterbrechen = e.schrittweise ? 1 : 0;
        r.erg = Jpeg_Schreiben(&a, modus);
        ++r.aufrufe;
    } while (r.erg == JPEG_ERG_UNTERBROCHEN && r.aufrufe < 1000000);
    r.datei_offen = a.Intern.Strom.Datei != nullptr;
    if (r.erg == 0 && e.datei.empty()) r.jpeg.assign(puffer.begin(), puffer.begin() + a.Jpg_Puffer_Groesse);
    r.groesse = a.Jpg_Puffer_Groesse;
    r.frei = Jpeg_Free(&a);
    if (r.erg == 0 && !e.datei.empty()) {
        std::ifstream f(e.datei, std::ios::binary);
        r.jpeg.assign(std::istreambuf_iterator<char>(f), {});
    }
    return r;
}

struct Segment {
    uint8_t marke;
    std::vector<uint8_t> daten;  // without marker and length
};

// The marker segments of a stream up to its first SOS (included), and the
// markers found in the entropy-coded data after it.
struct Zerlegt {
    std::vector<Segment> segmente;
    std::vector<uint8_t> daten_marken;
    bool eoi = false;
    size_t daten_anfang = 0;  // where the first scan's entropy-coded data begins
};

inline Zerlegt Zerlegen(const std::vector<uint8_t>& j) {
    Zerlegt z;
    size_t i = 2;
    while (i + 4 <= j.size() && j[i] == 0xFF) {
        uint8_t m = j[i + 1];
        size_t len = size_t(j[i + 2]) << 8 | j[i + 3];
        z.segmente.push_back({m, std::vector<uint8_t>(j.begin() + i + 4, j.begin() + i + 2 + len)});
        i += 2 + len;
        if (m != 0xDA) continue;
        if (!z.daten_anfang) z.daten_anfang = i;
        // entropy-coded data up to the next marker that is not RSTn
        while (i + 1 < j.size()) {
            if (j[i] == 0xFF && j[i + 1] != 0) {
                uint8_t n = j[i + 1];
                if (n >= 0xD0 && n <= 0xD7) {
                    z.daten_marken.push_back(n);
                    i += 2;
                    continue;
                }
                if (n == 0xD9) {
                    z.eoi = i + 2 == j.size();
                    return z;
                }
                break;
            }
            i += j[i] == 0xFF ? 2 : 1;
        }
    }
    return z;
}

using dek_test::Ausfuehren;
using dek_test::Bild;
using dek_test::Datei_Lesen;
using dek_test::Datei_Schreiben;
using dek_test::PPM_Schreiben;
using dek_test::PSNR;
using dek_test::Werkzeug_Da;

// A file in this program's own scratch folder (unique, removed at the end).
inline std::string Pfad(const std::string& name) { return (dek_test::Arbeitsordner() / name).string(); }

// djpeg's decode of a stream (empty on failure); stderr in warnung.
inline Bild Djpeg(const std::vector<uint8_t>& jpeg, std::string* warnung, const std::string& optionen = "") {
    std::string ein = Pfad("ein.jpg"), aus = Pfad("aus.ppm");
    Datei_Schreiben(ein, jpeg);
    std::remove(aus.c_str());
    int rc = Ausfuehren("/usr/bin/djpeg " + optionen + " -outfile " + aus + " " + ein, warnung);
    Bild p = rc == 0 ? dek_test::PNM_Lesen(aus, false) : Bild();
    std::remove(ein.c_str());
    std::remove(aus.c_str());
    return p;
}

}  // namespace enc_test

// A small PNG reader for the tests: checks signature, chunk CRCs and the
// zlib stream, and gives the RGB pixels of an 8-bit RGB picture.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct Test_Png {
    uint32_t breite = 0, hoehe = 0;
    std::vector<uint8_t> rgb;  // breite * hoehe * 3
    std::string fehler;
};

inline uint32_t Test_Png_U32(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

inline bool Test_Png_Lesen(const std::vector<uint8_t>& d, Test_Png& png) {
    static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (d.size() < 8 || !std::equal(sig, sig + 8, d.begin())) return png.fehler = "Signatur", false;
    size_t pos = 8;
    std::vector<uint8_t> idat;
    bool ihdr = false, iend = false;
    while (pos + 12 <= d.size()) {
        uint32_t laenge = Test_Png_U32(&d[pos]);
        if (pos + 12 + laenge > d.size()) return png.fehler = "Chunk zu lang", false;
        std::string typ(reinterpret_cast<const char*>(&d[pos + 4]), 4);
        const uint8_t* daten = &d[pos + 8];
        uLong crc = crc32(0, &d[pos + 4], 4 + laenge);
        if (crc != Test_Png_U32(&d[pos + 8 + laenge])) return png.fehler = "CRC " + typ, false;
        if (typ == "IHDR") {
            if (laenge != 13) return png.fehler = "IHDR", false;
            png.breite = Test_Png_U32(daten);
            png.hoehe = Test_Png_U32(daten + 4);
            if (daten[8] != 8 || daten[9] != 2 || daten[12] != 0) return png.fehler = "Format", false;
            ihdr = true;
        } else if (typ == "IDAT") {
            idat.insert(idat.end(), daten, daten + laenge);
        } else if (typ == "IEND") {
            iend = true;
            pos += 12 + laenge;
            break;
        }
        pos += 12 + laenge;
    }
    if (!ihdr || !iend || pos != d.size()) return png.fehler = "Aufbau", false;
    size_t zeile = size_t(png.breite) * 3 + 1;
    std::vector<uint8_t> roh(zeile * png.hoehe);
    uLongf n = roh.size();
    if (uncompress(roh.data(), &n, idat.data(), idat.size()) != Z_OK || n != roh.size())
        return png.fehler = "zlib", false;
    png.rgb.resize(size_t(png.breite) * png.hoehe * 3);
    for (uint32_t y = 0; y < png.hoehe; y++) {
        if (roh[y * zeile] != 0) return png.fehler = "Filter", false;
        std::copy(&roh[y * zeile + 1], &roh[y * zeile + zeile], &png.rgb[y * (zeile - 1)]);
    }
    return true;
}

inline bool Test_Png_Datei(const std::string& pfad, Test_Png& png) {
    std::ifstream f(pfad, std::ios::binary);
    if (!f) return png.fehler = "Datei fehlt", false;
    std::vector<uint8_t> d((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    return Test_Png_Lesen(d, png);
}

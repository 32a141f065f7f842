// Helpers shared by the platform tests: a small PNG reader (checks the
// signature, every chunk's CRC and the zlib stream; 8-bit RGB only), the
// comparison of a PNG with a 16-bit frame buffer, one frame of input as the
// main loop takes it, and temporary file names.
#pragma once

#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/input.h"
#include "platform/png.h"

struct Test_Png {
    uint32_t breite = 0, hoehe = 0;
    std::vector<uint8_t> rgb;  // breite * hoehe * 3
    std::string fehler;
};

inline uint32_t Test_U32be(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

inline bool Test_Png_Lesen(const std::vector<uint8_t>& d, Test_Png& png) {
    static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (d.size() < 8 || !std::equal(sig, sig + 8, d.begin())) return png.fehler = "Signatur", false;
    size_t pos = 8;
    std::vector<uint8_t> idat;
    bool ihdr = false, iend = false;
    while (!iend && pos + 12 <= d.size()) {
        uint32_t laenge = Test_U32be(&d[pos]);
        if (pos + 12 + laenge > d.size()) return png.fehler = "Chunk zu lang", false;
        std::string typ(reinterpret_cast<const char*>(&d[pos + 4]), 4);
        const uint8_t* daten = &d[pos + 8];
        if (crc32(0, &d[pos + 4], 4 + laenge) != Test_U32be(daten + laenge)) return png.fehler = "CRC " + typ, false;
        if (typ == "IHDR") {
            if (laenge != 13 || daten[8] != 8 || daten[9] != 2 || daten[12] != 0) return png.fehler = "IHDR", false;
            png.breite = Test_U32be(daten);
            png.hoehe = Test_U32be(daten + 4);
            ihdr = true;
        }
        if (typ == "IDAT") idat.insert(idat.end(), daten, daten + laenge);
        iend = typ == "IEND";
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

// Pixels of the PNG that differ from the frame buffer `bild` (rows of
// `breite` pixels, `pitch` apart) in the given depth; a size mismatch counts
// every pixel.
inline size_t Test_Png_Abweichungen(const Test_Png& png, const u16* bild, i32 breite, i32 hoehe, i32 pitch, i32 tiefe) {
    if (png.breite != uint32_t(breite) || png.hoehe != uint32_t(hoehe)) return size_t(breite) * hoehe;
    size_t n = 0;
    for (i32 y = 0; y < hoehe; y++)
        for (i32 x = 0; x < breite; x++) {
            u8 rgb[3];
            Png_Pixel_Rgb(bild[y * pitch + x], tiefe, &rgb[0], &rgb[1], &rgb[2]);
            n += !std::equal(rgb, rgb + 3, &png.rgb[(size_t(y) * breite + x) * 3]);
        }
    return n;
}

// One frame as the main loop takes input in: the next key, then the game latches the mouse.
inline void Test_Frame() {
    Eingabe_Frame_Abtasten();
    Maus_Update();
}

inline std::string Test_Temp(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("kordavo_test_" + std::to_string(getpid()) + "_" + name))
        .string();
}

// Helpers shared by the platform tests: a PNG reader, the
// comparison of a PNG with a 16-bit frame buffer, one frame of input as the
// main loop takes it, and temporary file names.
#pragma once

#include <png.h>
#include <unistd.h>

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

// Decoded by libpng, an independent reader that checks every chunk's CRC.
inline bool Test_Png_Lesen(const std::vector<uint8_t>& d, Test_Png& png) {
    png_image bild{};
    bild.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&bild, d.data(), d.size())) return png.fehler = bild.message, false;
    bild.format = PNG_FORMAT_RGB;
    png.breite = bild.width, png.hoehe = bild.height;
    png.rgb.resize(PNG_IMAGE_SIZE(bild));
    if (!png_image_finish_read(&bild, nullptr, png.rgb.data(), 0, nullptr)) return png.fehler = bild.message, false;
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

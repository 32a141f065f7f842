// PNG writer for screenshots (see png.h).
#include "platform/png.h"

#include <zlib.h>

#include <cstdio>

namespace {

void Png_U32be(u8* p, u32 v) {
    p[0] = static_cast<u8>(v >> 24);
    p[1] = static_cast<u8>(v >> 16);
    p[2] = static_cast<u8>(v >> 8);
    p[3] = static_cast<u8>(v);
}

void Png_Put_U32be(std::vector<u8>& aus, u32 v) {
    aus.resize(aus.size() + 4);
    Png_U32be(aus.data() + aus.size() - 4, v);
}

// Appends one chunk: length, type, data, CRC over type and data.
void Png_Chunk(std::vector<u8>& aus, const char* typ, const u8* daten, size_t laenge) {
    Png_Put_U32be(aus, static_cast<u32>(laenge));
    size_t anfang = aus.size();
    aus.insert(aus.end(), typ, typ + 4);
    if (laenge) aus.insert(aus.end(), daten, daten + laenge);
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, aus.data() + anfang, static_cast<uInt>(4 + laenge));
    Png_Put_U32be(aus, static_cast<u32>(crc));
}

}  // namespace

void Png_Pixel_Rgb(u16 p, i32 farbtiefe, u8* r, u8* g, u8* b) {
    u32 r5, g6, b5;
    if (farbtiefe == 15) {
        r5 = (p >> 10) & 31;
        u32 g5 = (p >> 5) & 31;
        g6 = (g5 << 1) | (g5 >> 4);
        b5 = p & 31;
    } else {
        r5 = (p >> 11) & 31;
        g6 = (p >> 5) & 63;
        b5 = p & 31;
    }
    *r = static_cast<u8>((r5 << 3) | (r5 >> 2));
    *g = static_cast<u8>((g6 << 2) | (g6 >> 4));
    *b = static_cast<u8>((b5 << 3) | (b5 >> 2));
}

bool Png_Kodieren(const u16* pixel, i32 breite, i32 hoehe, i32 pitch, i32 farbtiefe, std::vector<u8>& aus) {
    aus.clear();
    if (!pixel || breite <= 0 || hoehe <= 0 || pitch < breite) return false;
    if (farbtiefe != 15 && farbtiefe != 16) return false;

    static const u8 signatur[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    aus.assign(signatur, signatur + 8);

    u8 ihdr[13];
    Png_U32be(ihdr, static_cast<u32>(breite));
    Png_U32be(ihdr + 4, static_cast<u32>(hoehe));
    ihdr[8] = 8;   // bits per channel
    ihdr[9] = 2;   // colour type RGB
    ihdr[10] = 0;  // deflate
    ihdr[11] = 0;  // adaptive filtering (every row uses filter 0)
    ihdr[12] = 0;  // no interlace
    Png_Chunk(aus, "IHDR", ihdr, sizeof ihdr);

    // Deflate the rows one by one into the IDAT payload.
    z_stream z{};
    if (deflateInit(&z, 6) != Z_OK) return false;
    std::vector<u8> zeile(static_cast<size_t>(breite) * 3 + 1);
    std::vector<u8> idat;
    u8 block[16384];
    bool ok = true;
    for (i32 y = 0; y < hoehe && ok; y++) {
        const u16* quelle = pixel + static_cast<size_t>(y) * pitch;
        zeile[0] = 0;
        for (i32 x = 0; x < breite; x++)
            Png_Pixel_Rgb(quelle[x], farbtiefe, &zeile[1 + x * 3], &zeile[2 + x * 3], &zeile[3 + x * 3]);
        z.next_in = zeile.data();
        z.avail_in = static_cast<uInt>(zeile.size());
        int flush = (y == hoehe - 1) ? Z_FINISH : Z_NO_FLUSH;
        int rc;
        do {
            z.next_out = block;
            z.avail_out = sizeof block;
            rc = deflate(&z, flush);
            if (rc == Z_STREAM_ERROR) {
                ok = false;
                break;
            }
            idat.insert(idat.end(), block, block + (sizeof block - z.avail_out));
        } while (z.avail_out == 0 || (flush == Z_FINISH && rc != Z_STREAM_END));
    }
    deflateEnd(&z);
    if (!ok) {
        aus.clear();
        return false;
    }
    Png_Chunk(aus, "IDAT", idat.data(), idat.size());
    Png_Chunk(aus, "IEND", nullptr, 0);
    return true;
}

bool Png_Schreiben(const std::string& pfad, const u16* pixel, i32 breite, i32 hoehe, i32 pitch, i32 farbtiefe) {
    std::vector<u8> daten;
    if (!Png_Kodieren(pixel, breite, hoehe, pitch, farbtiefe, daten)) return false;
    FILE* f = std::fopen(pfad.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(daten.data(), 1, daten.size(), f) == daten.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) std::remove(pfad.c_str());
    return ok;
}

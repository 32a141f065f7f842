// TGA, BMP, PCX and clipboard readers: pictures from writers of this test
// and, where installed, from ImageMagick, compared pixel for pixel; broken
// files refused with their error code and the caller's buffer untouched.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "base/bytes.h"
#include "graphics/bildformat.h"
#include "graphics/farbe.h"
#include "platform/zwischenablage.h"

namespace {

// A 13 x 7 picture of at most 40 colours: index i has colour farbe(i).
constexpr i32 W = 13, H = 7;
u8 index_at(i32 x, i32 y) { return static_cast<u8>((x * 3 + y * 5 + x * y) % 40); }
void farbe(u8 i, u8* o) {
    o[0] = static_cast<u8>(i * 6), o[1] = static_cast<u8>(255 - i * 5), o[2] = static_cast<u8>((i * 37) & 255);
}
std::vector<u8> rgb_bild() {
    std::vector<u8> v(W * H * 3);
    for (i32 y = 0; y < H; ++y)
        for (i32 x = 0; x < W; ++x) farbe(index_at(x, y), &v[3 * (y * W + x)]);
    return v;
}

void le(std::vector<u8>& d, u32 v, int n) {
    for (int i = 0; i < n; ++i) d.push_back(static_cast<u8>(v >> (8 * i)));
}

// --- Writers of this test ------------------------------------------------------

std::vector<u8> tga(int art, int bits, bool oben_zuerst, int palette_bits = 24) {
    std::vector<u8> d;
    const bool pal = art == 1;
    d.push_back(3);  // an id of three bytes
    d.push_back(pal ? 1 : 0);
    d.push_back(static_cast<u8>(art));
    le(d, 0, 2), le(d, pal ? 40 : 0, 2), d.push_back(static_cast<u8>(pal ? palette_bits : 0));
    le(d, 0, 2), le(d, 0, 2), le(d, W, 2), le(d, H, 2), d.push_back(static_cast<u8>(bits));
    d.push_back(oben_zuerst ? 0x20 : 0);
    d.insert(d.end(), {'a', 'b', 'c'});
    auto pixel = [&](u8 i, int b) {
        u8 c[3];
        farbe(i, c);
        if (b == 16 || b == 15) le(d, static_cast<u32>((c[0] >> 3) << 10 | (c[1] >> 3) << 5 | c[2] >> 3 | 0x8000), 2);
        else d.insert(d.end(), {c[2], c[1], c[0]});
        if (b == 32) d.push_back(0x77);
    };
    if (pal)
        for (u8 i = 0; i < 40; ++i) pixel(i, palette_bits);
    for (i32 r = 0; r < H; ++r) {
        const i32 y = oben_zuerst ? r : H - 1 - r;
        for (i32 x = 0; x < W; ++x) pal ? d.push_back(index_at(x, y)) : pixel(index_at(x, y), bits);
    }
    return d;
}

std::vector<u8> bmp(int bits, bool oben_zuerst) {
    const u32 zeile = ((W * bits + 31) / 32) * 4, pal = bits == 8 ? 4 * 40 : 0;
    std::vector<u8> d;
    d.insert(d.end(), {'B', 'M'});
    le(d, 54 + pal + zeile * H, 4), le(d, 0, 4), le(d, 54 + pal, 4);
    le(d, 40, 4), le(d, W, 4), le(d, static_cast<u32>(oben_zuerst ? -H : H), 4), le(d, 1, 2), le(d, bits, 2);
    le(d, 0, 4), le(d, zeile * H, 4), le(d, 2835, 4), le(d, 2835, 4), le(d, bits == 8 ? 40 : 0, 4), le(d, 0, 4);
    for (u8 i = 0; bits == 8 && i < 40; ++i) {
        u8 c[3];
        farbe(i, c);
        d.insert(d.end(), {c[2], c[1], c[0], 0});
    }
    for (i32 r = 0; r < H; ++r) {
        const i32 y = oben_zuerst ? r : H - 1 - r;
        const size_t start = d.size();
        for (i32 x = 0; x < W; ++x) {
            u8 c[3];
            farbe(index_at(x, y), c);
            if (bits == 8) d.push_back(index_at(x, y));
            else d.insert(d.end(), {c[2], c[1], c[0]});
        }
        d.resize(start + zeile, 0);
    }
    return d;
}

// PCX with runs of equal bytes (always a run byte for values >= 0xC0).
std::vector<u8> pcx(int ebenen, bool rle) {
    const u32 zeile = W + 1;  // an even line length with one pad byte
    std::vector<u8> d(128, 0);
    d[0] = 10, d[1] = 5, d[2] = rle ? 1 : 0, d[3] = 8;
    d[8] = W - 1, d[10] = H - 1, d[65] = static_cast<u8>(ebenen), d[66] = zeile;
    for (i32 y = 0; y < H; ++y) {
        std::vector<u8> z;
        for (int e = 0; e < ebenen; ++e)
            for (u32 x = 0; x < zeile; ++x) {
                u8 c[3] = {0, 0, 0};
                const i32 xx = static_cast<i32>(x) < W ? static_cast<i32>(x) : W - 1;
                farbe(index_at(xx, y / 2 * 2), c);  // pairs of equal rows and the pad: runs
                z.push_back(ebenen == 1 ? index_at(xx, y / 2 * 2) : c[e]);
            }
        for (size_t i = 0; i < z.size();) {
            size_t n = 1;
            while (rle && i + n < z.size() && z[i + n] == z[i] && n < 63) ++n;
            if (rle && (n > 1 || z[i] >= 0xC0)) d.push_back(static_cast<u8>(0xC0 | n));
            d.insert(d.end(), static_cast<size_t>(rle ? 1 : n), z[i]);
            i += n;
        }
    }
    if (ebenen == 1) {
        d.push_back(12);
        for (int i = 0; i < 256; ++i) {
            u8 c[3];
            farbe(static_cast<u8>(i), c);
            d.insert(d.end(), c, c + 3);
        }
    }
    return d;
}
// The picture the PCX writer stores (rows in pairs).
std::vector<u8> pcx_rgb() {
    std::vector<u8> v(W * H * 3);
    for (i32 y = 0; y < H; ++y)
        for (i32 x = 0; x < W; ++x) farbe(index_at(x, y / 2 * 2), &v[3 * (y * W + x)]);
    return v;
}

std::string datei(const std::string& name, const std::vector<u8>& d) {
    const std::string pfad = "/tmp/kordavo_bildleser_" + std::to_string(getpid()) + "_" + name;
    std::ofstream(pfad, std::ios::binary).write(reinterpret_cast<const char*>(d.data()), static_cast<std::streamsize>(d.size()));
    return pfad;
}

std::vector<u16> gepackt(const std::vector<u8>& rgb, i32 tiefe) {
    std::vector<u16> v(rgb.size() / 3);
    for (size_t i = 0; i < v.size(); ++i) v[i] = Farbe_Get_Pixel(tiefe, rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]);
    return v;
}
// 15/16-bit stored pictures lose the low three bits of each channel.
std::vector<u8> grob(std::vector<u8> v) {
    for (u8& c : v) c &= 0xF8;
    return v;
}

// Reads a buffer through a format's reader at a depth (24, 16, 15 or 8).
using Leser = i32 (*)(const std::vector<u8>&, void*, u64, i32, u8*);
i32 lies_tga(const std::vector<u8>& d, void* z, u64 n, i32 t, u8* p) {
    return Tga_Lesen_Puffer(d.data(), static_cast<u32>(d.size()), z, n, t, p);
}
i32 lies_bmp(const std::vector<u8>& d, void* z, u64, i32 t, u8* p) {
    return Bmp_Lesen_Puffer(d.data(), static_cast<u32>(d.size()), z, W, H, t, p);
}
i32 lies_pcx(const std::vector<u8>& d, void* z, u64, i32 t, u8*) {
    return Pcx_Lesen_Puffer(d.data(), static_cast<u32>(d.size()), static_cast<u16*>(z), W, H, t);
}

TEST(Bildleser, EigeneDateienPixelGenau) {
    struct Fall {
        const char* name;
        std::vector<u8> daten;
        Leser leser;
        std::vector<u8> rgb;
        bool palette;
        i32 (*info)(const u8*, u32, i32*, i32*, i32*);
        i32 bits;
    } faelle[] = {
        {"tga 8 unten", tga(1, 8, false), lies_tga, rgb_bild(), true, Tga_Info_Puffer, 8},
        {"tga 8 oben, 16-Bit-Tabelle", tga(1, 8, true, 16), lies_tga, grob(rgb_bild()), true, Tga_Info_Puffer, 8},
        {"tga 24 unten", tga(2, 24, false), lies_tga, rgb_bild(), false, Tga_Info_Puffer, 24},
        {"tga 32 oben", tga(2, 32, true), lies_tga, rgb_bild(), false, Tga_Info_Puffer, 32},
        {"tga 16 unten", tga(2, 16, false), lies_tga, grob(rgb_bild()), false, Tga_Info_Puffer, 16},
        {"bmp 8 unten", bmp(8, false), lies_bmp, rgb_bild(), true, Bmp_Info_Puffer, 8},
        {"bmp 8 oben", bmp(8, true), lies_bmp, rgb_bild(), true, Bmp_Info_Puffer, 8},
        {"bmp 24 unten", bmp(24, false), lies_bmp, rgb_bild(), false, Bmp_Info_Puffer, 24},
        {"pcx 8 rle", pcx(1, true), lies_pcx, pcx_rgb(), true, Pcx_Info_Puffer, 8},
        {"pcx 8 roh", pcx(1, false), lies_pcx, pcx_rgb(), true, Pcx_Info_Puffer, 8},
        {"pcx 24 rle", pcx(3, true), lies_pcx, pcx_rgb(), false, Pcx_Info_Puffer, 24},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        i32 bits = 0, w = 0, h = 0;
        ASSERT_EQ(f.info(f.daten.data(), static_cast<u32>(f.daten.size()), &bits, &w, &h), 1) << Grafik_Fehler();
        EXPECT_EQ(bits, f.bits);
        EXPECT_EQ(w, W);
        EXPECT_EQ(h, H);
        for (i32 tiefe : {15, 16}) {
            std::vector<u16> px(W * H);
            ASSERT_EQ(f.leser(f.daten, px.data(), px.size() * 2, tiefe, nullptr), 1) << Grafik_Fehler();
            EXPECT_EQ(px, gepackt(f.rgb, tiefe)) << tiefe;
        }
        if (f.leser == lies_pcx) continue;
        std::vector<u8> rgb(W * H * 3);
        ASSERT_EQ(f.leser(f.daten, rgb.data(), rgb.size(), 24, nullptr), 1);
        EXPECT_EQ(rgb, f.rgb);
        std::vector<u8> idx(W * H), pal(768);
        EXPECT_EQ(f.leser(f.daten, idx.data(), idx.size(), 8, pal.data()), f.palette ? 1 : 0);
        if (!f.palette) {
            EXPECT_EQ(Bild_Fehler_Code(), BILD_TIEFE);
            continue;
        }
        for (i32 i = 0; i < W * H; ++i) {
            EXPECT_EQ(idx[i], index_at(i % W, i / W));
            u8 c[3];
            farbe(idx[i], c);
            const bool bmp_datei = f.leser == lies_bmp;  // BMP returns its palette in 6 bits
            for (int k = 0; k < 3; ++k) EXPECT_EQ(pal[3 * idx[i] + k], bmp_datei ? c[k] >> 2 : (f.rgb[3 * i + k]));
        }
    }
}

TEST(Bildleser, DateiformenUndPalette) {
    const std::string t = datei("a.tga", tga(2, 16, false)), b = datei("a.bmp", bmp(8, true)),
                      p = datei("a.pcx", pcx(3, true));
    std::vector<u16> px(W * H);
    ASSERT_EQ(Tga_Pixel_Lesen(t.c_str(), W, H, 16, px.data()), 1);
    std::vector<u16> p555 = gepackt(grob(rgb_bild()), 15);
    for (u16& v : p555) v = Farbe_555_Zu_565(v);
    EXPECT_EQ(px, p555);
    ASSERT_EQ(Tga_Pixel_Lesen(t.c_str(), W, H, 15, px.data()), 1);
    EXPECT_EQ(px, gepackt(grob(rgb_bild()), 15));
    EXPECT_EQ(Tga_Pixel_Lesen(t.c_str(), W + 1, H, 15, px.data()), 0);
    EXPECT_EQ(Bild_Fehler_Code(), BILD_GROESSE);
    i32 bits = 0, w = 0, h = 0;
    EXPECT_EQ(Tga_Info_Datei(t.c_str(), &bits, &w, &h), 1);
    EXPECT_EQ(bits, 16);
    EXPECT_EQ(Tga_Lesen_Datei(t.c_str(), px.data(), px.size() * 2, 16, nullptr), 1);
    EXPECT_EQ(Bmp_Info(b.c_str(), &bits, &w, &h), 1);
    u8 pal[768];
    ASSERT_EQ(Bmp_Palette(b.c_str(), pal, false), 1);
    u8 c[3];
    farbe(39, c);
    EXPECT_EQ(pal[3 * 39 + 1], c[1]);
    EXPECT_EQ(pal[3 * 40], 0);  // past the used colours
    ASSERT_EQ(Bmp_Palette(b.c_str(), pal, true), 1);
    EXPECT_EQ(pal[3 * 39 + 1], c[1] >> 2);
    EXPECT_EQ(Bmp_Lesen(b.c_str(), px.data(), W, H, 16, nullptr), 1);
    EXPECT_EQ(Pcx_Info(p.c_str(), &bits, &w, &h), 1);
    EXPECT_EQ(bits, 24);
    EXPECT_EQ(Pcx_Lesen(p.c_str(), px.data(), W, H, 16), 1);
    EXPECT_EQ(px, gepackt(pcx_rgb(), 16));
    EXPECT_EQ(Pcx_Info("/tmp/kordavo_gibt_es_nicht.pcx", &bits, &w, &h), 0);
    EXPECT_EQ(Bild_Fehler_Code(), BILD_DATEI);

    // JPEG as a packed surface from a file, the same pixels as a direct read.
    std::vector<u16> quelle = gepackt(rgb_bild(), 16);
    const std::string j = "/tmp/kordavo_bildleser_" + std::to_string(getpid()) + ".jpg";
    ASSERT_TRUE(Jpeg_Schreiben_Datei(j.c_str(), quelle.data(), W, H, 16, 0, 90));
    Rastport_Bild gepackt_rp(Jpeg_Rastport_Datei(j.c_str(), -1));
    Rastport_Bild direkt(Jpeg_Lesen_Datei(j.c_str(), 16));
    ASSERT_TRUE(gepackt_rp && direkt);
    EXPECT_EQ(gepackt_rp->bitmap->packart, PACK_JPEG);
    ASSERT_TRUE(Rastport_Lock(gepackt_rp.get()));
    EXPECT_TRUE(std::equal(direkt->bitmap->pixel16(), direkt->bitmap->pixel16() + W * H, gepackt_rp->bitmap->pixel16()));
    EXPECT_EQ(Jpeg_Rastport_Datei("/tmp/kordavo_gibt_es_nicht.jpg", 16), nullptr);
    for (const std::string& s : {t, b, p, j}) std::remove(s.c_str());
}

// A change to a good file and the code it must be refused with.
struct Bruch {
    const char* name;
    std::vector<u8> daten;
    i32 code;
};
std::vector<u8> mit(std::vector<u8> d, size_t i, u8 v) {
    d.at(i) = v;
    return d;
}
std::vector<u8> kurz(std::vector<u8> d, size_t n) {
    d.resize(n);
    return d;
}

TEST(Bildleser, KaputteDateienMitFehlercode) {
    const auto t8 = tga(1, 8, false), t24 = tga(2, 24, true), b8 = bmp(8, false), b24 = bmp(24, false);
    const auto p8 = pcx(1, true), p24 = pcx(3, true), p24roh = pcx(3, false);
    const Bruch tga_faelle[] = {
        {"tga: 10 Bytes", kurz(t24, 10), BILD_KURZ},
        {"tga: ein Pixel fehlt", kurz(t24, t24.size() - 1), BILD_KURZ},
        {"tga: Tabelle abgeschnitten", kurz(t8, 21 + 40 * 3 - 1), BILD_KURZ},
        {"tga: RLE", mit(t24, 2, 10), BILD_ART},
        {"tga: 12 Bit", mit(t24, 16, 12), BILD_ART},
        {"tga: 8 Bit ohne Tabelle", mit(t8, 1, 0), BILD_UNSTIMMIG},
        {"tga: Tabelle über 256", mit(t8, 3, 250), BILD_UNSTIMMIG},
        {"tga: Index außerhalb", mit(t8, t8.size() - 1, 41), BILD_UNSTIMMIG},
        {"tga: Breite 0", mit(mit(t24, 12, 0), 13, 0), BILD_UNSTIMMIG},
        {"tga: 65535 x 65535", mit(mit(mit(mit(t24, 12, 255), 13, 255), 14, 255), 15, 255), BILD_ZU_GROSS},
    };
    const Bruch bmp_faelle[] = {
        {"bmp: Kopf halb", kurz(b24, 30), BILD_KURZ},
        {"bmp: letzte Zeile fehlt", kurz(b24, b24.size() - 3), BILD_KURZ},
        {"bmp: Palette abgeschnitten", kurz(b8, 54 + 100), BILD_KURZ},
        {"bmp: RLE", mit(b8, 30, 1), BILD_ART},
        {"bmp: 16 Bit", mit(b24, 28, 16), BILD_ART},
        {"bmp: 300 Farben", mit(mit(b8, 46, 0x2C), 47, 1), BILD_UNSTIMMIG},
        {"bmp: Pixel im Kopf", mit(b24, 10, 20), BILD_UNSTIMMIG},
        {"bmp: Index über den Farben", mit(b8, b8.size() - 4, 45), BILD_UNSTIMMIG},
        {"bmp: Breite 0", mit(b24, 18, 0), BILD_UNSTIMMIG},
        {"bmp: 2^31 hoch", mit(mit(mit(mit(b24, 22, 0), 23, 0), 24, 0), 25, 0x80), BILD_ZU_GROSS},
        {"bmp: keine BMP", mit(b24, 0, 'X'), BILD_ART},
    };
    const Bruch pcx_faelle[] = {
        {"pcx: Kopf halb", kurz(p24, 60), BILD_KURZ},
        {"pcx: Lauf endet", kurz(p24, p24.size() - 4), BILD_KURZ},
        {"pcx: ohne Palette", kurz(p8, 128 + 500), BILD_KURZ},
        {"pcx roh: abgeschnitten", kurz(p24roh, p24roh.size() - 1), BILD_KURZ},
        {"pcx: 4 Bit", mit(p8, 3, 4), BILD_ART},
        {"pcx: 2 Ebenen", mit(p24, 65, 2), BILD_ART},
        {"pcx: kein PCX", mit(p24, 0, 11), BILD_ART},
        {"pcx: xmax < xmin", mit(p24, 4, 200), BILD_UNSTIMMIG},
        {"pcx: Zeile kürzer als Breite", mit(p24, 66, 3), BILD_UNSTIMMIG},
        {"pcx: 65536 breit", mit(mit(p24, 8, 255), 9, 255), BILD_ZU_GROSS},
    };
    auto pruefen = [](const Bruch& f, auto&& lesen) {
        std::vector<u8> ziel(W * H * 3, 0xAB);
        EXPECT_EQ(lesen(f.daten, ziel.data()), 0) << f.name;
        EXPECT_EQ(Bild_Fehler_Code(), f.code) << f.name << ": " << Grafik_Fehler();
        EXPECT_EQ(ziel, std::vector<u8>(W * H * 3, 0xAB)) << f.name;
    };
    for (const Bruch& f : tga_faelle) pruefen(f, [](const std::vector<u8>& d, u8* z) { return lies_tga(d, z, W * H * 3, 24, nullptr); });
    for (const Bruch& f : bmp_faelle) pruefen(f, [](const std::vector<u8>& d, u8* z) { return lies_bmp(d, z, 0, 24, nullptr); });
    for (const Bruch& f : pcx_faelle) pruefen(f, [](const std::vector<u8>& d, u8* z) { return lies_pcx(d, z, 0, 16, nullptr); });
    // The caller's side: a buffer too small, a size that differs, a depth
    // the picture cannot take.
    const Bruch aufrufer[] = {{"klein", t24, BILD_PUFFER}, {"groesse", b24, BILD_GROESSE}, {"tiefe", p8, BILD_TIEFE}};
    pruefen(aufrufer[0], [](const std::vector<u8>& d, u8* z) { return lies_tga(d, z, W * H * 3 - 1, 24, nullptr); });
    pruefen(aufrufer[1], [](const std::vector<u8>& d, u8* z) {
        return Bmp_Lesen_Puffer(d.data(), static_cast<u32>(d.size()), z, W, H + 1, 24, nullptr);
    });
    pruefen(aufrufer[2], [](const std::vector<u8>& d, u8* z) { return lies_pcx(d, z, 0, 8, nullptr); });
}

TEST(Bildleser, Zwischenablage) {
    const std::string pfad = datei("zwischen ablage.bmp", bmp(24, true));
    std::string uri = "file://";
    for (char c : pfad) uri += c == ' ' ? std::string("%20") : std::string(1, c);
    struct Fall {
        std::string text;
        i32 ergebnis;
    } faelle[] = {{pfad, 1},   {uri + "\r\nzweite Zeile", 1}, {"", 0}, {"Hallo Welt", 0}, {pfad + ".fehlt", 0},
                  {"/tmp", 0},  // a folder
                  {"/dev/zero", 0}};  // a device that never ends
    for (const Fall& f : faelle) {
        ASSERT_TRUE(Zwischenablage_Setzen(f.text));
        i32 bits = 0, w = 0, h = 0;
        EXPECT_EQ(Clipboard_Info(&bits, &w, &h), f.ergebnis) << f.text;
        std::vector<u16> px(W * H, 0x5555);
        EXPECT_EQ(Clipboard_Lesen(px.data(), W, H), f.ergebnis) << f.text;
        if (f.ergebnis) {
            EXPECT_EQ(bits, 16);
            EXPECT_EQ(px, gepackt(rgb_bild(), 16));
        } else {
            EXPECT_EQ(Bild_Fehler_Code(), BILD_KEIN_BILD);
            EXPECT_EQ(px, std::vector<u16>(W * H, 0x5555));
        }
    }
    ASSERT_TRUE(Zwischenablage_Setzen(pfad));
    std::vector<u16> px(W * H);
    EXPECT_EQ(Clipboard_Lesen(px.data(), W - 1, H), 0);
    EXPECT_EQ(Bild_Fehler_Code(), BILD_GROESSE);
    std::remove(pfad.c_str());
    Zwischenablage_Setzen("");
}

// Files made by ImageMagick (a black box) from the same picture.
TEST(Bildleser, DateienVonImageMagick) {
    const char* convert = "/usr/bin/convert";
    if (access(convert, X_OK) != 0) GTEST_SKIP() << "ImageMagick (convert) ist nicht installiert";
    std::vector<u8> ppm;
    const std::string kopf = "P6\n" + std::to_string(W) + " " + std::to_string(H) + "\n255\n";
    ppm.insert(ppm.end(), kopf.begin(), kopf.end());
    const auto rgb = rgb_bild();
    ppm.insert(ppm.end(), rgb.begin(), rgb.end());
    const std::string quelle = datei("q.ppm", ppm);
    struct Fall {
        const char* ziel;
        const char* optionen;
        i32 format;  // 0 tga, 1 bmp, 2 pcx
        i32 bits;
    } faelle[] = {
        // IM writes TGA rows in memory order; -orient names that order, -flip
        // first makes it a bottom-up file of the same picture.
        {"tga", "-orient TopLeft", 0, 24},
        {"tga", "-flip -orient BottomLeft", 0, 24},
        {"tga", "-type Palette -orient TopLeft", 0, 8},
        {"bmp", "-type TrueColor", 1, 24},
        {"bmp", "-type Palette -compress None", 1, 8},
        {"pcx", "-type TrueColor", 2, 24},
        {"pcx", "-type Palette", 2, 8},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::string(f.ziel) + " " + f.optionen);
        const std::string aus = quelle + "." + f.ziel;
        const std::string pre = f.format == 1 ? "bmp3:" : "";
        const std::string cmd = std::string(convert) + " " + quelle + " " + f.optionen + " " + pre + aus + " 2>/dev/null";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
        std::ifstream in(aus, std::ios::binary);
        const std::vector<u8> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        i32 bits = 0, w = 0, h = 0;
        auto info = f.format == 0 ? Tga_Info_Puffer : f.format == 1 ? Bmp_Info_Puffer : Pcx_Info_Puffer;
        ASSERT_EQ(info(d.data(), static_cast<u32>(d.size()), &bits, &w, &h), 1) << Grafik_Fehler();
        EXPECT_EQ(bits, f.bits);
        std::vector<u16> px(W * H);
        const Leser l = f.format == 0 ? lies_tga : f.format == 1 ? lies_bmp : lies_pcx;
        ASSERT_EQ(l(d, px.data(), px.size() * 2, 16, nullptr), 1) << Grafik_Fehler();
        EXPECT_EQ(px, gepackt(rgb, 16));
        std::remove(aus.c_str());
    }
    std::remove(quelle.c_str());
}

}  // namespace

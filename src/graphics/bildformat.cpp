// Picture file formats (see bildformat.h).
#include "graphics/bildformat.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "base/bytes.h"
#include "base/files.h"
#include "graphics/farbe.h"
#include "jpeg/jpeg.h"

bool Datei_Ganz_Lesen(const char* name, std::vector<u8>& daten) {
    FILE* f = name ? std::fopen(name, "rb") : nullptr;
    if (!f) {
        Grafik_Fehler_Setzen("Datei %s nicht lesbar", name ? name : "(null)");
        return false;
    }
    daten.clear();
    u8 puffer[65536];
    size_t n;
    bool ok = true;
    while ((n = std::fread(puffer, 1, sizeof puffer, f)) > 0) {
        daten.insert(daten.end(), puffer, puffer + n);
        if (daten.size() > 256u * 1024 * 1024) {
            ok = false;
            break;
        }
    }
    ok = ok && !std::ferror(f);
    std::fclose(f);
    if (!ok) Grafik_Fehler_Setzen("Datei %s nicht lesbar", name);
    return ok;
}

// --- JPEG -------------------------------------------------------------------------

namespace {

// The codec record with Jpeg_Free on every exit.
struct Jpeg_Sitzung {
    Jpeg_Auftrag a;
    bool offen;
    Jpeg_Sitzung() { offen = Jpeg_Init(&a) == 0; }
    ~Jpeg_Sitzung() {
        if (offen) Jpeg_Free(&a);
    }
};

}  // namespace

bool Jpeg_Info_Puffer(const u8* puffer, u32 groesse, i32* bits, i32* breite, i32* hoehe) {
    if (!puffer || !groesse) return false;
    Jpeg_Sitzung j;
    if (!j.offen) return false;
    j.a.Jpg_Puffer = const_cast<u8*>(puffer);
    j.a.Jpg_Puffer_Groesse = groesse;
    if (Jpeg_Lesen(&j.a, JMODUS_PUFFER_PARAMETER) < 0) {
        Grafik_Fehler_Setzen("JPEG: Kopf nicht lesbar");
        return false;
    }
    if (bits) *bits = static_cast<i32>(j.a.Jpg_Kanaele * 8);
    if (breite) *breite = static_cast<i32>(j.a.Jpg_Breite);
    if (hoehe) *hoehe = static_cast<i32>(j.a.Jpg_Hoehe);
    return true;
}

bool Jpeg_Info_Datei(const char* name, i32* bits, i32* breite, i32* hoehe) {
    std::vector<u8> d;
    return Datei_Ganz_Lesen(name, d) && Jpeg_Info_Puffer(d.data(), static_cast<u32>(d.size()), bits, breite, hoehe);
}

bool Jpeg_Pixel_Puffer(const u8* puffer, u32 groesse, u16* ziel, i32 breite, i32 hoehe, i32 tiefe) {
    if (!puffer || !ziel || (tiefe != 15 && tiefe != 16)) return false;
    Jpeg_Sitzung j;
    if (!j.offen) return false;
    j.a.Jpg_Puffer = const_cast<u8*>(puffer);
    j.a.Jpg_Puffer_Groesse = groesse;
    if (Jpeg_Lesen(&j.a, JMODUS_PUFFER_PARAMETER) < 0 || static_cast<i32>(j.a.Jpg_Breite) != breite ||
        static_cast<i32>(j.a.Jpg_Hoehe) != hoehe) {
        Grafik_Fehler_Setzen("JPEG: Kopf fehlt oder Größe passt nicht zu %dx%d", breite, hoehe);
        return false;
    }
    std::vector<u8> rgb(static_cast<size_t>(breite) * hoehe * 3);
    j.a.Bild_Pixel = rgb.data();
    j.a.Bild_Breite = static_cast<u32>(breite);
    j.a.Bild_Hoehe = hoehe;
    j.a.Bild_Kanaele = 3;
    j.a.Bild_Farbraum = FARBE_RGB;
    j.a.Bild_Fuellbytes = 0;
    const i32 r = Jpeg_Lesen(&j.a, JMODUS_PUFFER_BILD);
    if (r < 0) {
        Grafik_Fehler_Setzen("JPEG: %s", Jpeg_Fehlertext(r));
        return false;
    }
    Farbe_Block_Rgb_Zu_Pixel(rgb.data(), 3, false, ziel, static_cast<u32>(breite) * static_cast<u32>(hoehe), tiefe);
    return true;
}

Rastport* Jpeg_Lesen_Puffer(const u8* puffer, u32 groesse, i32 tiefe) {
    i32 w = 0, h = 0;
    if (tiefe != 15 && tiefe != 16) return nullptr;
    if (!Jpeg_Info_Puffer(puffer, groesse, nullptr, &w, &h)) return nullptr;
    std::unique_ptr<Rastport> rp(Rastport_Neu_Einfach(w, h, tiefe));
    if (!rp || !Jpeg_Pixel_Puffer(puffer, groesse, rp->bitmap->pixel16(), w, h, tiefe)) return nullptr;
    return rp.release();
}

Rastport* Jpeg_Lesen_Datei(const char* name, i32 tiefe) {
    std::vector<u8> d;
    return Datei_Ganz_Lesen(name, d) ? Jpeg_Lesen_Puffer(d.data(), static_cast<u32>(d.size()), tiefe) : nullptr;
}

bool Jpeg_Schreiben_Puffer(const u16* pixel, i32 breite, i32 hoehe, i32 tiefe, i32 abtastung, i32 qualitaet,
                           std::vector<u8>& aus) {
    if (!pixel || breite < 1 || hoehe < 1 || (tiefe != 15 && tiefe != 16)) return false;
    const size_t n = static_cast<size_t>(breite) * hoehe;
    std::vector<u8> rgb(n * 3);
    for (size_t i = 0; i < n; ++i) {
        u8 r, g, b;
        Farbe_Get_RGB(pixel[i], tiefe, &r, &g, &b);
        rgb[3 * i] = r, rgb[3 * i + 1] = g, rgb[3 * i + 2] = b;
    }
    static const i32 abtastungen[3] = {ABTASTUNG_KEINE, ABTASTUNG_422, ABTASTUNG_411};
    Jpeg_Sitzung j;
    if (!j.offen) return false;
    aus.assign(n * 3 + 4096, 0);
    j.a.Bild_Pixel = rgb.data();
    j.a.Bild_Breite = static_cast<u32>(breite);
    j.a.Bild_Hoehe = hoehe;
    j.a.Bild_Farbraum = FARBE_RGB;
    j.a.Jpg_Breite = static_cast<u32>(breite);
    j.a.Jpg_Hoehe = static_cast<u32>(hoehe);
    j.a.Jpg_Abtastung = abtastungen[((abtastung % 3) + 3) % 3];
    j.a.Jpg_Puffer = aus.data();
    j.a.Jpg_Puffer_Groesse = static_cast<u32>(aus.size());
    j.a.Qualitaet = static_cast<u32>(((qualitaet % 101) + 101) % 101);
    if (Jpeg_Schreiben(&j.a, JMODUS_PUFFER_BILD_SCHREIBEN) < 0) {
        aus.clear();
        return false;
    }
    aus.resize(j.a.Jpg_Puffer_Groesse);
    return true;
}

bool Jpeg_Schreiben_Datei(const char* name, const u16* pixel, i32 breite, i32 hoehe, i32 tiefe, i32 abtastung,
                          i32 qualitaet) {
    std::vector<u8> d;
    if (!Jpeg_Schreiben_Puffer(pixel, breite, hoehe, tiefe, abtastung, qualitaet, d)) return false;
    FILE* f = std::fopen(name, "wb");
    if (!f) return false;
    const bool ok = std::fwrite(d.data(), 1, d.size(), f) == d.size();
    return std::fclose(f) == 0 && ok;
}

Rastport* Jpeg_Rastport_Puffer(const u8* puffer, u32 groesse, i32 tiefe) {
    i32 w = 0, h = 0;
    if ((tiefe != 15 && tiefe != 16) || !Jpeg_Info_Puffer(puffer, groesse, nullptr, &w, &h)) return nullptr;
    std::unique_ptr<Rastport> rp(Rastport_Neu(w, h, tiefe, 1, 0));
    if (!rp) return nullptr;
    rp->bitmap = std::make_unique<Rastport_Bitmap>();
    rp->bitmap->breite = w;
    rp->bitmap->hoehe = h;
    rp->bitmap->tiefe = tiefe;
    rp->bitmap->packart = PACK_JPEG;
    rp->bitmap->gepackt.assign(puffer, puffer + groesse);
    return rp.release();
}

// --- TGA ------------------------------------------------------------------------------

bool Tga_Kopf_Lesen(const u8* puffer, u32 groesse, Tga_Kopf* k) {
    if (!puffer || !k) return false;
    bytes::Leser l(puffer, groesse);
    l(k->id_laenge), l(k->palette_art), l(k->bild_art);
    l(k->palette_start), l(k->palette_laenge), l(k->palette_bits);
    l(k->x_ursprung), l(k->y_ursprung), l(k->breite), l(k->hoehe), l(k->bits), l(k->beschreibung);
    if (l.fehler) Grafik_Fehler_Setzen("TGA: Kopf zu kurz");
    return !l.fehler;
}

Rastport* Tga_Rastport_Puffer(const u8* puffer, u32 groesse, i32 tiefe) {
    Tga_Kopf k;
    if (!Tga_Kopf_Lesen(puffer, groesse, &k)) return nullptr;
    if (k.bild_art != 2 || (k.bits != 16 && k.bits != 24 && k.bits != 32) || (tiefe != 15 && tiefe != 16)) {
        Grafik_Fehler_Setzen("TGA: Art %u mit %u Bit wird nicht gelesen", k.bild_art, k.bits);
        return nullptr;
    }
    const u64 palette = k.palette_art ? static_cast<u64>(k.palette_laenge) * ((k.palette_bits + 7) / 8) : 0;
    const u64 bpp = k.bits / 8;
    const u64 anfang = TGA_KOPF_GROESSE + k.id_laenge + palette;
    if (k.breite == 0 || k.hoehe == 0 || anfang + bpp * k.breite * k.hoehe > groesse) {
        Grafik_Fehler_Setzen("TGA: %ux%u Pixel passen nicht in %u Bytes", k.breite, k.hoehe, groesse);
        return nullptr;
    }
    std::unique_ptr<Rastport> rp(Rastport_Neu_Einfach(k.breite, k.hoehe, tiefe));
    if (!rp) return nullptr;
    u16* ziel = rp->bitmap->pixel16();
    const bool oben_zuerst = k.beschreibung & 0x20;
    for (u32 y = 0; y < k.hoehe; ++y) {
        const u8* z = puffer + anfang + bpp * k.breite * y;
        u16* d = ziel + static_cast<size_t>(oben_zuerst ? y : k.hoehe - 1 - y) * k.breite;
        if (bpp != 2) {
            Farbe_Block_Rgb_Zu_Pixel(z, static_cast<i32>(bpp), true, d, k.breite, tiefe);
            continue;
        }
        for (u32 x = 0; x < k.breite; ++x, z += bpp) {
            const u16 p = static_cast<u16>((z[0] | z[1] << 8) & 0x7FFF);
            d[x] = tiefe == 16 ? Farbe_555_Zu_565(p) : p;
        }
    }
    return rp.release();
}

Rastport* Tga_Rastport_Datei(const char* name, i32 tiefe) {
    std::vector<u8> d;
    return Datei_Ganz_Lesen(name, d) ? Tga_Rastport_Puffer(d.data(), static_cast<u32>(d.size()), tiefe) : nullptr;
}

bool Tga_Schreiben(std::vector<u8>& aus, Rastport* rp) {
    if (!rp || !Rastport_Lock(rp) || rp->tiefe() == 8 || rp->breite > 65535 || rp->hoehe > 65535) return false;
    aus.clear();
    bytes::Schreiber s{aus};
    s(u8{0}), s(u8{0}), s(u8{2}), s(u16{0}), s(u16{0}), s(u8{0});
    s(u16{0}), s(u16{0}), s(static_cast<u16>(rp->breite)), s(static_cast<u16>(rp->hoehe)), s(u8{16}), s(u8{0x20});
    const u16* p = rp->bitmap->pixel16();
    const size_t n = static_cast<size_t>(rp->breite) * rp->hoehe;
    for (size_t i = 0; i < n; ++i) s(rp->tiefe() == 16 ? Farbe_565_Zu_555(p[i]) : p[i]);
    return true;
}

// --- BMP ----------------------------------------------------------------------------------

Rastport* Bmp_Rastport_Puffer(const u8* puffer, u32 groesse, i32 tiefe) {
    if (!puffer || (tiefe != 15 && tiefe != 16)) return nullptr;
    bytes::Leser l(puffer, groesse);
    char bm[2];
    l.bytes(bm, 2);
    l.u32_(), l.u32_();
    const u32 daten = l.u32_();
    const u32 kopf = l.u32_();
    const i32 w = l.i32_(), h = l.i32_();
    l.get(2);
    const u32 bits = l.get(2), kompression = l.u32_();
    l.u32_(), l.u32_(), l.u32_();
    u32 farben = l.u32_();
    if (l.fehler || bm[0] != 'B' || bm[1] != 'M' || kopf < 40 || kopf > groesse) {
        Grafik_Fehler_Setzen("BMP: Kopf ungültig");
        return nullptr;
    }
    if (kompression != 0 || (bits != 8 && bits != 24)) {
        Grafik_Fehler_Setzen("BMP: %u Bit oder Kompression %u wird nicht gelesen", bits, kompression);
        return nullptr;
    }
    const i64 hh = h < 0 ? -static_cast<i64>(h) : h;
    if (w < 1 || hh < 1 || w > RASTPORT_MAX_SEITE || hh > RASTPORT_MAX_SEITE) {
        Grafik_Fehler_Setzen("BMP: Größe %dx%d ungültig", w, h);
        return nullptr;
    }
    const u64 zeile = ((static_cast<u64>(w) * bits + 31) / 32) * 4;
    if (static_cast<u64>(daten) + zeile * hh > groesse) {
        Grafik_Fehler_Setzen("BMP: Pixel passen nicht in %u Bytes", groesse);
        return nullptr;
    }
    if (farben == 0 || farben > 256) farben = 256;
    const u64 pal = 14 + static_cast<u64>(kopf);
    if (bits == 8 && pal + 4ull * farben > groesse) {
        Grafik_Fehler_Setzen("BMP: Palette abgeschnitten");
        return nullptr;
    }
    std::unique_ptr<Rastport> rp(Rastport_Neu_Einfach(w, static_cast<i32>(hh), tiefe));
    if (!rp) return nullptr;
    u16* ziel = rp->bitmap->pixel16();
    for (i64 y = 0; y < hh; ++y) {
        const u8* z = puffer + daten + zeile * y;
        u16* d = ziel + static_cast<size_t>(h < 0 ? y : hh - 1 - y) * w;
        for (i32 x = 0; x < w; ++x) {
            u8 r, g, b;
            if (bits == 24) {
                b = z[3 * x], g = z[3 * x + 1], r = z[3 * x + 2];
            } else {
                const u32 i = z[x] < farben ? z[x] : 0;
                const u8* p = puffer + pal + 4 * i;
                b = p[0], g = p[1], r = p[2];
            }
            d[x] = tiefe == 16 ? Farbe_Pack_565(r, g, b) : Farbe_Pack_555(r, g, b);
        }
    }
    return rp.release();
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
i32 Tga_Dummy_Pruefen(const char* name) {
    if (!name) return 0;
    const std::string pfad = std::string(W32_Dir_Tabelle[W32_DIR_RESFILE]) + "/dummy/" + name + ".tga";
    std::vector<u8> d;
    Tga_Kopf k;
    if (W32_File_Exists(pfad.c_str()) && Datei_Ganz_Lesen(pfad.c_str(), d))
        Tga_Kopf_Lesen(d.data(), static_cast<u32>(d.size()), &k);
    return 0;
}

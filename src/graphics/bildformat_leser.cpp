// Readers of TGA, BMP, PCX and clipboard pictures into the caller's pixels
// (see bildformat.h). Each reader checks its whole header against the data
// first and converts into a private buffer; the caller's buffer is written
// only once everything has been read.
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "base/bytes.h"
#include "graphics/bildformat.h"
#include "graphics/farbe.h"
#include "platform/zwischenablage.h"

namespace {

i32 letzter_fehler = BILD_OK;

// Sets code and message; always 0 (the readers' failure result).
__attribute__((format(printf, 2, 3))) i32 fehler(i32 code, const char* format, ...) {
    char text[256];
    va_list a;
    va_start(a, format);
    std::vsnprintf(text, sizeof text, format, a);
    va_end(a);
    Grafik_Fehler_Setzen("%s", text);
    letzter_fehler = code;
    return 0;
}
i32 gut() {
    letzter_fehler = BILD_OK;
    return 1;
}

// Size limits of a surface.
bool zu_gross(i64 w, i64 h) { return w > RASTPORT_MAX_SEITE || h > RASTPORT_MAX_SEITE || w * h > RASTPORT_MAX_FLAECHE; }

// A picture read as 24-bit RGB, plus the indices and map of a paletted one.
struct Roh {
    i32 w = 0, h = 0;
    bool indiziert = false;
    std::vector<u8> rgb;      // w * h * 3
    std::vector<u8> index;    // w * h when indiziert
    std::vector<u8> palette;  // 768 when indiziert
};

// Writes a read picture into the caller's buffer at the target depth.
i32 ausgeben(const Roh& r, void* ziel, u64 ziel_groesse, i32 tiefe, u8* palette, bool sechs_bit) {
    const u64 noetig = Bild_Ziel_Bytes(r.w, r.h, tiefe);
    if (!noetig || (tiefe == 8 && !r.indiziert))
        return fehler(BILD_TIEFE, "Bild: %d Bit Zieltiefe passt nicht zu diesem Bild", tiefe);
    if (!ziel || ziel_groesse < noetig)
        return fehler(BILD_PUFFER, "Bild: Zielpuffer zu klein (%llu statt %llu Bytes)",
                      static_cast<unsigned long long>(ziel_groesse), static_cast<unsigned long long>(noetig));
    const size_t n = static_cast<size_t>(r.w) * static_cast<size_t>(r.h);
    if (tiefe == 8) {
        std::memcpy(ziel, r.index.data(), n);
    } else if (tiefe == 24) {
        std::memcpy(ziel, r.rgb.data(), n * 3);
    } else {
        u16* z = static_cast<u16*>(ziel);
        for (size_t i = 0; i < n; ++i) z[i] = Farbe_Get_Pixel(tiefe, r.rgb[3 * i], r.rgb[3 * i + 1], r.rgb[3 * i + 2]);
    }
    if (palette && r.indiziert)
        for (size_t i = 0; i < 768; ++i) palette[i] = sechs_bit ? r.palette[i] >> 2 : r.palette[i];
    return gut();
}

// A 15/16-bit stored pixel (555, top bit an attribute) as RGB.
void rgb_555(u32 p, u8* o) {
    o[0] = static_cast<u8>(((p >> 10) & 31) << 3);
    o[1] = static_cast<u8>(((p >> 5) & 31) << 3);
    o[2] = static_cast<u8>((p & 31) << 3);
}

// Reads a whole file (code BILD_DATEI on failure).
bool datei(const char* name, std::vector<u8>& d) {
    if (Datei_Ganz_Lesen(name, d)) return true;
    letzter_fehler = BILD_DATEI;
    return false;
}

// --- TGA ---------------------------------------------------------------------

struct Tga {
    Tga_Kopf k{};
    u64 anfang = 0, bpp = 0, eintrag = 0, palette_ab = 0;
};

i32 tga_pruefen(const u8* p, u32 groesse, Tga* t) {
    Tga_Kopf& k = t->k;
    if (!p || groesse < TGA_KOPF_GROESSE || !Tga_Kopf_Lesen(p, groesse, &k))
        return fehler(BILD_KURZ, "TGA: Kopf zu kurz");
    if (k.bild_art != 1 && k.bild_art != 2)
        return fehler(BILD_ART, "TGA: Bildart %u wird nicht gelesen", k.bild_art);
    if (k.palette_art > 1 || (k.bild_art == 1 && k.palette_art != 1))
        return fehler(BILD_UNSTIMMIG, "TGA: Farbtabelle %u passt nicht zur Bildart %u", k.palette_art, k.bild_art);
    if (k.bild_art == 1 && k.bits != 8) return fehler(BILD_ART, "TGA: %u Bit mit Farbtabelle", k.bits);
    if (k.bild_art == 2 && k.bits != 15 && k.bits != 16 && k.bits != 24 && k.bits != 32)
        return fehler(BILD_ART, "TGA: %u Bit werden nicht gelesen", k.bits);
    if (k.palette_art) {
        const u8 pb = k.palette_bits;
        if (pb != 15 && pb != 16 && pb != 24 && pb != 32)
            return fehler(BILD_UNSTIMMIG, "TGA: Farbtabelle mit %u Bit", pb);
        if (k.bild_art == 1 && (k.palette_laenge == 0 || k.palette_start + k.palette_laenge > 256))
            return fehler(BILD_UNSTIMMIG, "TGA: Farbtabelle %u+%u passt nicht zu 8 Bit", k.palette_start,
                          k.palette_laenge);
        t->eintrag = (pb + 7) / 8;
    }
    if (k.breite == 0 || k.hoehe == 0) return fehler(BILD_UNSTIMMIG, "TGA: Größe %ux%u", k.breite, k.hoehe);
    if (zu_gross(k.breite, k.hoehe)) return fehler(BILD_ZU_GROSS, "TGA: %ux%u Pixel sind zu groß", k.breite, k.hoehe);
    t->palette_ab = TGA_KOPF_GROESSE + k.id_laenge;
    t->anfang = t->palette_ab + (k.palette_art ? t->eintrag * k.palette_laenge : 0);
    t->bpp = (k.bits + 7) / 8;
    if (t->anfang + t->bpp * k.breite * k.hoehe > groesse)
        return fehler(BILD_KURZ, "TGA: %ux%u Pixel passen nicht in %u Bytes", k.breite, k.hoehe, groesse);
    return 1;
}

void tga_farbe(const u8* z, u64 bytes, u8* o) {
    if (bytes == 2) rgb_555(static_cast<u32>(z[0] | z[1] << 8), o);
    else o[0] = z[2], o[1] = z[1], o[2] = z[0];  // blue, green, red (a fourth byte is alpha)
}

i32 tga_roh(const u8* p, u32 groesse, Roh* r) {
    Tga t;
    if (!tga_pruefen(p, groesse, &t)) return 0;
    const Tga_Kopf& k = t.k;
    r->w = k.breite, r->h = k.hoehe;
    r->indiziert = k.bild_art == 1;
    const size_t n = static_cast<size_t>(k.breite) * k.hoehe;
    r->rgb.assign(n * 3, 0);
    if (r->indiziert) {
        r->palette.assign(768, 0);
        for (u32 i = 0; i < k.palette_laenge; ++i)
            tga_farbe(p + t.palette_ab + t.eintrag * i, t.eintrag, &r->palette[3 * (k.palette_start + i)]);
        r->index.assign(n, 0);
    }
    const bool oben_zuerst = k.beschreibung & 0x20;
    for (u32 y = 0; y < k.hoehe; ++y) {
        const u8* z = p + t.anfang + t.bpp * k.breite * y;
        const size_t zeile = static_cast<size_t>(oben_zuerst ? y : k.hoehe - 1 - y) * k.breite;
        for (u32 x = 0; x < k.breite; ++x, z += t.bpp) {
            u8* o = &r->rgb[3 * (zeile + x)];
            if (!r->indiziert) {
                tga_farbe(z, t.bpp, o);
                continue;
            }
            if (*z < k.palette_start || *z >= k.palette_start + k.palette_laenge)
                return fehler(BILD_UNSTIMMIG, "TGA: Index %u liegt außerhalb der Farbtabelle", *z);
            r->index[zeile + x] = *z;
            std::memcpy(o, &r->palette[3 * *z], 3);
        }
    }
    return 1;
}

// --- BMP ---------------------------------------------------------------------

struct Bmp {
    i32 w = 0, h = 0, bits = 0;
    bool oben_zuerst = false;
    u64 daten = 0, zeile = 0, palette_ab = 0;
    u32 farben = 0;
};

i32 bmp_pruefen(const u8* p, u32 groesse, Bmp* b) {
    if (!p) return fehler(BILD_KURZ, "BMP: leer");
    bytes::Leser l(p, groesse);
    char bm[2] = {};
    l.bytes(bm, 2);
    l.u32_(), l.u32_();
    const u32 daten = l.u32_();
    const u32 kopf = l.u32_();
    const i32 w = l.i32_(), h = l.i32_();
    const u32 ebenen = l.get(2), bits = l.get(2), kompression = l.u32_();
    l.u32_(), l.u32_(), l.u32_();
    const u32 farben = l.u32_();
    if (l.fehler) return fehler(BILD_KURZ, "BMP: Kopf zu kurz");
    if (bm[0] != 'B' || bm[1] != 'M') return fehler(BILD_ART, "BMP: keine BMP-Datei");
    if (kopf < 40 || ebenen != 1) return fehler(BILD_UNSTIMMIG, "BMP: Kopf von %u Bytes, %u Ebenen", kopf, ebenen);
    if (kompression != 0 || (bits != 8 && bits != 24))
        return fehler(BILD_ART, "BMP: %u Bit oder Kompression %u wird nicht gelesen", bits, kompression);
    const i64 hh = h < 0 ? -static_cast<i64>(h) : h;
    if (w < 1 || hh < 1) return fehler(BILD_UNSTIMMIG, "BMP: Größe %dx%d", w, h);
    if (zu_gross(w, hh)) return fehler(BILD_ZU_GROSS, "BMP: %dx%lld Pixel sind zu groß", w, static_cast<long long>(hh));
    b->w = w, b->h = static_cast<i32>(hh), b->bits = static_cast<i32>(bits), b->oben_zuerst = h < 0;
    b->palette_ab = 14 + static_cast<u64>(kopf);
    b->farben = bits == 8 ? (farben == 0 ? 256 : farben) : 0;
    if (b->farben > 256) return fehler(BILD_UNSTIMMIG, "BMP: %u Farben bei 8 Bit", farben);
    if (b->palette_ab + 4ull * b->farben > groesse) return fehler(BILD_KURZ, "BMP: Palette abgeschnitten");
    if (daten < b->palette_ab + 4ull * b->farben)
        return fehler(BILD_UNSTIMMIG, "BMP: Pixel beginnen bei %u im Kopf", daten);
    b->daten = daten;
    b->zeile = ((static_cast<u64>(w) * bits + 31) / 32) * 4;
    if (b->daten + b->zeile * static_cast<u64>(hh) > groesse)
        return fehler(BILD_KURZ, "BMP: Pixel passen nicht in %u Bytes", groesse);
    return 1;
}

i32 bmp_roh(const u8* p, u32 groesse, Roh* r) {
    Bmp b;
    if (!bmp_pruefen(p, groesse, &b)) return 0;
    r->w = b.w, r->h = b.h, r->indiziert = b.bits == 8;
    const size_t n = static_cast<size_t>(b.w) * b.h;
    r->rgb.assign(n * 3, 0);
    if (r->indiziert) {
        r->palette.assign(768, 0);
        for (u32 i = 0; i < b.farben; ++i) {
            const u8* e = p + b.palette_ab + 4 * i;
            r->palette[3 * i] = e[2], r->palette[3 * i + 1] = e[1], r->palette[3 * i + 2] = e[0];
        }
        r->index.assign(n, 0);
    }
    for (i32 y = 0; y < b.h; ++y) {
        const u8* z = p + b.daten + b.zeile * static_cast<u64>(y);
        const size_t zeile = static_cast<size_t>(b.oben_zuerst ? y : b.h - 1 - y) * b.w;
        for (i32 x = 0; x < b.w; ++x) {
            u8* o = &r->rgb[3 * (zeile + x)];
            if (!r->indiziert) {
                o[0] = z[3 * x + 2], o[1] = z[3 * x + 1], o[2] = z[3 * x];
                continue;
            }
            if (z[x] >= b.farben) return fehler(BILD_UNSTIMMIG, "BMP: Index %u bei %u Farben", z[x], b.farben);
            r->index[zeile + x] = z[x];
            std::memcpy(o, &r->palette[3 * z[x]], 3);
        }
    }
    return 1;
}

// --- PCX ---------------------------------------------------------------------

constexpr u32 PCX_KOPF = 128;

struct Pcx {
    i32 w = 0, h = 0, ebenen = 0;
    u32 zeile = 0;  // bytes per line and plane
    bool rle = false;
    u64 ende = 0;  // end of the image data
};

i32 pcx_pruefen(const u8* p, u32 groesse, Pcx* x) {
    if (!p || groesse < PCX_KOPF) return fehler(BILD_KURZ, "PCX: Kopf zu kurz");
    bytes::Leser l(p, groesse);
    const u8 hersteller = l.u8_(), version = l.u8_(), kodierung = l.u8_(), bits = l.u8_();
    const u32 x0 = l.get(2), y0 = l.get(2), x1 = l.get(2), y1 = l.get(2);
    const u8 ebenen = p[65];
    const u32 zeile = static_cast<u32>(p[66] | p[67] << 8);
    if (hersteller != 10 || kodierung > 1) return fehler(BILD_ART, "PCX: keine PCX-Datei");
    if (bits != 8 || (ebenen != 1 && ebenen != 3))
        return fehler(BILD_ART, "PCX: %u Bit mit %u Ebenen werden nicht gelesen", bits, ebenen);
    if (ebenen == 1 && version != 5) return fehler(BILD_ART, "PCX: Version %u ohne Palette", version);
    if (x1 < x0 || y1 < y0) return fehler(BILD_UNSTIMMIG, "PCX: Fenster %u..%u x %u..%u", x0, x1, y0, y1);
    x->w = static_cast<i32>(x1 - x0 + 1), x->h = static_cast<i32>(y1 - y0 + 1), x->ebenen = ebenen, x->zeile = zeile, x->rle = kodierung == 1;
    if (zu_gross(x->w, x->h)) return fehler(BILD_ZU_GROSS, "PCX: %dx%d Pixel sind zu groß", x->w, x->h);
    if (zeile < static_cast<u32>(x->w)) return fehler(BILD_UNSTIMMIG, "PCX: %u Bytes je Zeile für %d Pixel", zeile, x->w);
    const u64 palette = ebenen == 1 ? 768 : 0;
    if (groesse < PCX_KOPF + palette) return fehler(BILD_KURZ, "PCX: Palette fehlt");
    x->ende = groesse - palette;
    if (!x->rle && PCX_KOPF + static_cast<u64>(zeile) * ebenen * x->h > x->ende)
        return fehler(BILD_KURZ, "PCX: Pixel passen nicht in %u Bytes", groesse);
    return 1;
}

i32 pcx_roh(const u8* p, u32 groesse, Roh* r) {
    Pcx x;
    if (!pcx_pruefen(p, groesse, &x)) return 0;
    const u64 noetig = static_cast<u64>(x.zeile) * x.ebenen * x.h;
    if (noetig > 4ull * RASTPORT_MAX_FLAECHE) return fehler(BILD_ZU_GROSS, "PCX: %u Bytes je Zeile", x.zeile);
    std::vector<u8> d;
    d.reserve(noetig);
    if (x.rle) {
        u64 i = PCX_KOPF;
        while (d.size() < noetig) {
            if (i >= x.ende) return fehler(BILD_KURZ, "PCX: Bilddaten enden nach %zu von %llu Bytes", d.size(),
                                           static_cast<unsigned long long>(noetig));
            const u8 b = p[i++];
            if ((b & 0xC0) != 0xC0) {
                d.push_back(b);
                continue;
            }
            if (i >= x.ende) return fehler(BILD_KURZ, "PCX: Lauf ohne Wert");
            const u64 n = std::min<u64>(b & 63, noetig - d.size());
            d.insert(d.end(), n, p[i++]);
        }
    } else {
        d.assign(p + PCX_KOPF, p + PCX_KOPF + noetig);
    }
    r->w = x.w, r->h = x.h, r->indiziert = x.ebenen == 1;
    const size_t n = static_cast<size_t>(x.w) * x.h;
    r->rgb.assign(n * 3, 0);
    if (r->indiziert) {
        r->palette.assign(p + x.ende, p + x.ende + 768);
        r->index.assign(n, 0);
    }
    for (i32 y = 0; y < x.h; ++y) {
        const u8* z = d.data() + static_cast<size_t>(y) * x.zeile * x.ebenen;
        for (i32 s = 0; s < x.w; ++s) {
            const size_t i = static_cast<size_t>(y) * x.w + s;
            u8* o = &r->rgb[3 * i];
            if (r->indiziert) {
                r->index[i] = z[s];
                std::memcpy(o, &r->palette[3 * z[s]], 3);
            } else {
                o[0] = z[s], o[1] = z[x.zeile + s], o[2] = z[2 * x.zeile + s];
            }
        }
    }
    return 1;
}

// Info from a header check: bits, width, height.
i32 info(i32 ok, i32 b, i32 w, i32 h, i32* bits, i32* breite, i32* hoehe) {
    if (!ok) return 0;
    if (bits) *bits = b;
    if (breite) *breite = w;
    if (hoehe) *hoehe = h;
    return gut();
}

i32 groesse_passt(const Roh& r, i32 breite, i32 hoehe, const char* format) {
    if (r.w == breite && r.h == hoehe) return 1;
    return fehler(BILD_GROESSE, "%s: Bild ist %dx%d, erwartet %dx%d", format, r.w, r.h, breite, hoehe);
}

// The file named by the clipboard's text: its first line, a file:// address
// decoded.
std::string clipboard_pfad() {
    std::string t;
    if (!Zwischenablage_Text(t)) return {};
    t = t.substr(0, t.find_first_of("\r\n"));
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.pop_back();
    if (t.rfind("file://", 0) != 0) return t;
    std::string pfad;
    for (size_t i = 7; i < t.size(); ++i) {
        auto hex = [](char c) { return c >= '0' && c <= '9' ? c - '0' : (c | 32) >= 'a' && (c | 32) <= 'f' ? (c | 32) - 'a' + 10 : -1; };
        if (t[i] == '%' && i + 2 < t.size() && hex(t[i + 1]) >= 0 && hex(t[i + 2]) >= 0) {
            pfad += static_cast<char>(hex(t[i + 1]) * 16 + hex(t[i + 2]));
            i += 2;
        } else {
            pfad += t[i];
        }
    }
    // file://host/path: the host part is dropped.
    if (!pfad.empty() && pfad[0] != '/') pfad = pfad.find('/') == std::string::npos ? "" : pfad.substr(pfad.find('/'));
    return pfad;
}

i32 clipboard_bild(std::vector<u16>& px, i32* w, i32* h, i32 tiefe) {
    const std::string pfad = clipboard_pfad();
    std::vector<u8> d;
    // Only a regular file: a named pipe or a device there would block or never end.
    std::error_code f;
    if (pfad.empty() || pfad.size() > 4096 || !std::filesystem::is_regular_file(pfad, f) ||
        !Datei_Ganz_Lesen(pfad.c_str(), d) ||
        !Bild_Lesen_Puffer(d.data(), static_cast<u32>(d.size()), tiefe, px, w, h))
        return fehler(BILD_KEIN_BILD, "Zwischenablage: kein Bild");
    return 1;
}

}  // namespace

i32 Bild_Fehler_Code() { return letzter_fehler; }

u64 Bild_Ziel_Bytes(i32 breite, i32 hoehe, i32 tiefe) {
    if (breite < 1 || hoehe < 1) return 0;
    const u64 n = static_cast<u64>(breite) * static_cast<u64>(hoehe);
    return tiefe == 8 ? n : (tiefe == 15 || tiefe == 16) ? 2 * n : tiefe == 24 ? 3 * n : 0;
}

Rastport* Jpeg_Rastport_Datei(const char* name, i32 tiefe) {
    std::vector<u8> d;
    if (tiefe == -1) tiefe = 16;
    return datei(name, d) ? Jpeg_Rastport_Puffer(d.data(), static_cast<u32>(d.size()), tiefe) : nullptr;
}

i32 Tga_Info_Puffer(const u8* puffer, u32 groesse, i32* bits, i32* breite, i32* hoehe) {
    Tga t;
    const i32 ok = tga_pruefen(puffer, groesse, &t);
    return info(ok, t.k.bits, t.k.breite, t.k.hoehe, bits, breite, hoehe);
}
i32 Tga_Info_Datei(const char* name, i32* bits, i32* breite, i32* hoehe) {
    std::vector<u8> d;
    return datei(name, d) && Tga_Info_Puffer(d.data(), static_cast<u32>(d.size()), bits, breite, hoehe);
}

i32 Tga_Lesen_Puffer(const u8* puffer, u32 groesse, void* ziel, u64 ziel_groesse, i32 tiefe, u8* palette) {
    Roh r;
    return tga_roh(puffer, groesse, &r) && ausgeben(r, ziel, ziel_groesse, tiefe, palette, false);
}
i32 Tga_Lesen_Datei(const char* name, void* ziel, u64 ziel_groesse, i32 tiefe, u8* palette) {
    std::vector<u8> d;
    return datei(name, d) && Tga_Lesen_Puffer(d.data(), static_cast<u32>(d.size()), ziel, ziel_groesse, tiefe, palette);
}

i32 Tga_Pixel_Lesen(const char* name, i32 breite, i32 hoehe, i32 tiefe, u16* ziel) {
    std::vector<u8> d;
    if (!datei(name, d)) return 0;
    Tga t;
    if (!tga_pruefen(d.data(), static_cast<u32>(d.size()), &t)) return 0;
    if (t.k.bild_art != 2 || t.bpp != 2) return fehler(BILD_ART, "TGA: %u Bit statt 16", t.k.bits);
    if (t.k.breite != breite || t.k.hoehe != hoehe)
        return fehler(BILD_GROESSE, "TGA: Bild ist %ux%u, erwartet %dx%d", t.k.breite, t.k.hoehe, breite, hoehe);
    if (tiefe != 15 && tiefe != 16) return fehler(BILD_TIEFE, "TGA: Zieltiefe %d", tiefe);
    if (!ziel) return fehler(BILD_PUFFER, "TGA: kein Zielpuffer");
    const bool oben_zuerst = t.k.beschreibung & 0x20;
    for (i32 y = 0; y < hoehe; ++y) {
        const u8* z = d.data() + t.anfang + 2ull * breite * y;
        u16* o = ziel + static_cast<size_t>(oben_zuerst ? y : hoehe - 1 - y) * breite;
        for (i32 x = 0; x < breite; ++x) {
            const u16 p = static_cast<u16>((z[2 * x] | z[2 * x + 1] << 8) & 0x7FFF);
            o[x] = tiefe == 16 ? Farbe_555_Zu_565(p) : p;
        }
    }
    return gut();
}

i32 Bmp_Info_Puffer(const u8* puffer, u32 groesse, i32* bits, i32* breite, i32* hoehe) {
    Bmp b;
    const i32 ok = bmp_pruefen(puffer, groesse, &b);
    return info(ok, b.bits, b.w, b.h, bits, breite, hoehe);
}
i32 Bmp_Info(const char* name, i32* bits, i32* breite, i32* hoehe) {
    std::vector<u8> d;
    return datei(name, d) && Bmp_Info_Puffer(d.data(), static_cast<u32>(d.size()), bits, breite, hoehe);
}

i32 Bmp_Palette_Puffer(const u8* puffer, u32 groesse, u8* palette, bool sechs_bit) {
    Bmp b;
    if (!bmp_pruefen(puffer, groesse, &b)) return 0;
    if (b.bits != 8) return fehler(BILD_ART, "BMP: %d Bit ohne Palette", b.bits);
    if (!palette) return fehler(BILD_PUFFER, "BMP: kein Palettenpuffer");
    std::memset(palette, 0, 768);
    for (u32 i = 0; i < b.farben; ++i) {
        const u8* e = puffer + b.palette_ab + 4 * i;
        for (int c = 0; c < 3; ++c) palette[3 * i + c] = static_cast<u8>(sechs_bit ? e[2 - c] >> 2 : e[2 - c]);
    }
    return gut();
}
i32 Bmp_Palette(const char* name, u8* palette, bool sechs_bit) {
    std::vector<u8> d;
    return datei(name, d) && Bmp_Palette_Puffer(d.data(), static_cast<u32>(d.size()), palette, sechs_bit);
}

i32 Bmp_Lesen_Puffer(const u8* puffer, u32 groesse, void* ziel, i32 breite, i32 hoehe, i32 tiefe, u8* palette) {
    Roh r;
    return bmp_roh(puffer, groesse, &r) && groesse_passt(r, breite, hoehe, "BMP") &&
           ausgeben(r, ziel, Bild_Ziel_Bytes(breite, hoehe, tiefe), tiefe, palette, true);
}
i32 Bmp_Lesen(const char* name, void* ziel, i32 breite, i32 hoehe, i32 tiefe, u8* palette) {
    std::vector<u8> d;
    return datei(name, d) && Bmp_Lesen_Puffer(d.data(), static_cast<u32>(d.size()), ziel, breite, hoehe, tiefe, palette);
}

i32 Pcx_Info_Puffer(const u8* puffer, u32 groesse, i32* bits, i32* breite, i32* hoehe) {
    Pcx x;
    const i32 ok = pcx_pruefen(puffer, groesse, &x);
    return info(ok, x.ebenen * 8, x.w, x.h, bits, breite, hoehe);
}
i32 Pcx_Info(const char* name, i32* bits, i32* breite, i32* hoehe) {
    std::vector<u8> d;
    return datei(name, d) && Pcx_Info_Puffer(d.data(), static_cast<u32>(d.size()), bits, breite, hoehe);
}

i32 Pcx_Lesen_Puffer(const u8* puffer, u32 groesse, u16* ziel, i32 breite, i32 hoehe, i32 tiefe) {
    if (tiefe != 15 && tiefe != 16) return fehler(BILD_TIEFE, "PCX: Zieltiefe %d", tiefe);
    Roh r;
    return pcx_roh(puffer, groesse, &r) && groesse_passt(r, breite, hoehe, "PCX") &&
           ausgeben(r, ziel, Bild_Ziel_Bytes(breite, hoehe, tiefe), tiefe, nullptr, false);
}
i32 Pcx_Lesen(const char* name, u16* ziel, i32 breite, i32 hoehe, i32 tiefe) {
    std::vector<u8> d;
    return datei(name, d) && Pcx_Lesen_Puffer(d.data(), static_cast<u32>(d.size()), ziel, breite, hoehe, tiefe);
}

i32 Bild_Lesen_Puffer(const u8* puffer, u32 groesse, i32 tiefe, std::vector<u16>& pixel, i32* breite, i32* hoehe) {
    if (tiefe != 15 && tiefe != 16) return fehler(BILD_TIEFE, "Bild: Zieltiefe %d", tiefe);
    if (!puffer || groesse < 2) return fehler(BILD_KURZ, "Bild: leer");
    if (puffer[0] == 0xFF && puffer[1] == 0xD8) {
        std::unique_ptr<Rastport> rp(Jpeg_Lesen_Puffer(puffer, groesse, tiefe));
        if (!rp) return fehler(BILD_UNSTIMMIG, "JPEG: %s", Grafik_Fehler());
        const u16* p = rp->bitmap->pixel16();
        pixel.assign(p, p + static_cast<size_t>(rp->breite) * rp->hoehe);
        if (breite) *breite = rp->breite;
        if (hoehe) *hoehe = rp->hoehe;
        return gut();
    }
    Roh r;
    const i32 ok = (puffer[0] == 'B' && puffer[1] == 'M') ? bmp_roh(puffer, groesse, &r)
                   : puffer[0] == 10                      ? pcx_roh(puffer, groesse, &r)
                                                          : tga_roh(puffer, groesse, &r);
    if (!ok) return 0;
    std::vector<u16> neu(static_cast<size_t>(r.w) * r.h);
    if (!ausgeben(r, neu.data(), neu.size() * 2, tiefe, nullptr, false)) return 0;
    pixel.swap(neu);
    if (breite) *breite = r.w;
    if (hoehe) *hoehe = r.h;
    return 1;
}

i32 Clipboard_Info(i32* bits, i32* breite, i32* hoehe) {
    std::vector<u16> px;
    i32 w = 0, h = 0;
    if (!clipboard_bild(px, &w, &h, 16)) return 0;
    return info(1, 16, w, h, bits, breite, hoehe);
}

i32 Clipboard_Lesen(u16* ziel, i32 breite, i32 hoehe, i32 tiefe) {
    std::vector<u16> px;
    i32 w = 0, h = 0;
    if (!clipboard_bild(px, &w, &h, tiefe)) return 0;
    if (w != breite || h != hoehe)
        return fehler(BILD_GROESSE, "Zwischenablage: Bild ist %dx%d, erwartet %dx%d", w, h, breite, hoehe);
    if (!ziel) return fehler(BILD_PUFFER, "Zwischenablage: kein Zielpuffer");
    std::copy(px.begin(), px.end(), ziel);
    return gut();
}

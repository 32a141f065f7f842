// Drawing surfaces, their stored form, the screen and the darkening table.
#include "graphics/rastport.h"

#include <algorithm>
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "base/bytes.h"
#include "base/compress.h"
#include "base/debug.h"
#include "graphics/abdruck.h"
#include "graphics/bildformat.h"
#include "graphics/blitter.h"
#include "graphics/rle.h"
#include "platform/display.h"

namespace {

// Each thread its own (pictures are also read on the unpacking worker).
thread_local char fehler_text[256] = "";

constexpr char NALP[4] = {'N', 'A', 'L', 'P'};
// Smaller alpha planes are stored as they are: packing would not pay.
constexpr size_t ALPHA_PACKEN_AB = 256;

bool groesse_gueltig(i64 w, i64 h) {
    return w >= 1 && h >= 1 && w <= RASTPORT_MAX_SEITE && h <= RASTPORT_MAX_SEITE && w * h <= RASTPORT_MAX_FLAECHE;
}

bool tiefe_gueltig(i32 t) { return t == 8 || t == 15 || t == 16; }

}  // namespace

const char* Grafik_Fehler() { return fehler_text; }

void Grafik_Fehler_Setzen(const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(fehler_text, sizeof fehler_text, format, ap);
    va_end(ap);
    Debug_Printf("Grafik: %s\n", fehler_text);
}

u32 Rastport_Maske_Groesse(i32 breite, i32 hoehe) { return static_cast<u32>(breite) * static_cast<u32>(hoehe) / 8 + 4; }

std::unique_ptr<Rastport_Bitmap> Rastport_Bitmap_Neu(i32 breite, i32 hoehe, i32 tiefe, u32 tag) {
    if (!groesse_gueltig(breite, hoehe) || !tiefe_gueltig(tiefe)) return nullptr;
    auto bm = std::make_unique<Rastport_Bitmap>();
    bm->tag = tag;
    bm->breite = breite;
    bm->hoehe = hoehe;
    bm->tiefe = tiefe;
    bm->speicher.assign((bm->pixel_groesse() + 1) / 2, 0);
    return bm;
}

Rastport* Rastport_Neu(i32 breite, i32 hoehe, i32 tiefe, i32 ohne_pixel, i32 flags) {
    if (!groesse_gueltig(breite, hoehe) || !tiefe_gueltig(tiefe)) return nullptr;
    auto* rp = new Rastport;
    rp->breite = breite;
    rp->hoehe = hoehe;
    if (flags & 1) rp->maske.assign(Rastport_Maske_Groesse(breite, hoehe), 0);
    if (flags == 0 && ohne_pixel == 0) rp->bitmap = Rastport_Bitmap_Neu(breite, hoehe, tiefe, 0);
    return rp;
}

Rastport* Rastport_Neu_Einfach(i32 breite, i32 hoehe, i32 tiefe) { return Rastport_Neu(breite, hoehe, tiefe, 0, 0); }

i32 Rastport_Free(Rastport* rp) {
    delete rp;
    return 0;
}

// --- Packing ---------------------------------------------------------------

i32 Rastport_Bitmap_Entpacken(Rastport_Bitmap* bm) {
    if (!bm) return 0;
    if (bm->hat_pixel()) return 1;
    if (bm->gepackt.empty()) return 0;
    const u32 groesse = bm->pixel_groesse();
    std::vector<u16> speicher((groesse + 1) / 2);
    bool ok = false;
    if (bm->packart == PACK_ZLIB) {
        ok = W32_Cmp_Zlib_Unpack_Sicher(bm->gepackt.data(), static_cast<u32>(bm->gepackt.size()), speicher.data(),
                                        groesse) == groesse;
    } else if (bm->packart == PACK_JPEG) {
        ok = Jpeg_Pixel_Puffer(bm->gepackt.data(), static_cast<u32>(bm->gepackt.size()), speicher.data(), bm->breite,
                               bm->hoehe, bm->tiefe);
    }
    if (!ok) {
        // Damaged data: nothing is attached, so nothing undefined is drawn.
        Grafik_Fehler_Setzen("Bild %dx%d: gepackte Daten (Art %d) beschädigt", bm->breite, bm->hoehe, bm->packart);
        return 0;
    }
    bm->speicher = std::move(speicher);
    if (!bm->gepackt_behalten) {
        bm->gepackt.clear();
        bm->gepackt.shrink_to_fit();
        bm->packart = PACK_KEINE;
    }
    return 1;
}

u32 Rastport_Serie_Neu() {
    // Pictures are also made on the unpacking worker.
    static std::atomic<u32> naechste{0};
    return ++naechste;
}

i32 Rastport_Lock(Rastport* rp) {
    if (!rp || !rp->bitmap) return 0;
    // Pixels taken for writing leave no fingerprint.
    if (Abdruck_Trifft(rp)) [[unlikely]]
        Abdruck_Gesperrt();
    return Rastport_Bitmap_Entpacken(rp->bitmap.get());
}

i32 Rastport_Bitmap_Packen(Rastport_Bitmap* bm, i32 art) {
    if (!bm || !bm->hat_pixel()) return 0;
    if (!bm->gepackt.empty()) return 1;
    const u32 groesse = bm->pixel_groesse();
    if (art == PACK_ZLIB) {
        std::vector<u8> puffer(groesse + ZLIB_KOPF_GROESSE);
        const u32 n = W32_Cmp_Zlib_Pack(bm->pixel8(), puffer.data(), groesse);
        if (!n) return 0;
        puffer.resize(n);
        bm->gepackt = std::move(puffer);
    } else if (art == PACK_JPEG) {
        if (bm->tiefe == 8) return 0;
        if (!Jpeg_Schreiben_Puffer(bm->pixel16(), bm->breite, bm->hoehe, bm->tiefe, 0, 100, bm->gepackt)) return 0;
    } else {
        return 0;
    }
    bm->packart = static_cast<u8>(art);
    if (!bm->pixel_behalten && !bm->fremd) {
        bm->speicher.clear();
        bm->speicher.shrink_to_fit();
    }
    return 1;
}

// --- Stored form --------------------------------------------------------------

namespace {

void bitmap_schreiben(bytes::Schreiber& s, const Rastport_Bitmap& bm) {
    // Pixels are stored when present; packed data when present. A surface
    // that has both keeps both.
    const bool hat_pixel = bm.hat_pixel();
    const bool hat_gepackt = !bm.gepackt.empty();
    const bool hat_palette = bm.palette.size() == PALETTE_GROESSE;
    s.bytes(NALP, 4);
    s(bm.tag);
    s(static_cast<u32>(bm.breite));
    s(static_cast<u32>(bm.hoehe));
    s(static_cast<u32>(bm.tiefe));
    s(u32{0}), s(u32{0}), s(u32{0});
    s(static_cast<u32>(bm.farbschluessel));
    s(u32{0});
    s(static_cast<u32>(bm.gepackt.size()));
    s(hat_pixel ? bm.pixel_groesse() : u32{0});
    s(bm.packart), s(bm.pixel_behalten), s(bm.gepackt_behalten), s(u8{0});
    s(u32{0}), s(u32{0}), s(u32{0});
    s(u32{hat_palette}), s(u32{hat_gepackt}), s(u32{hat_pixel});
    if (hat_palette) s.bytes(bm.palette.data(), PALETTE_GROESSE);
    if (hat_gepackt) s.bytes(bm.gepackt.data(), bm.gepackt.size());
    if (hat_pixel) {
        const u16* p = const_cast<Rastport_Bitmap&>(bm).pixel16();
        if (bm.tiefe == 8) {
            s.bytes(p, bm.pixel_groesse());
        } else {
            const size_t n = static_cast<size_t>(bm.breite) * bm.hoehe;
            for (size_t i = 0; i < n; ++i) s(p[i]);
        }
    }
}

std::unique_ptr<Rastport_Bitmap> bitmap_lesen(bytes::Leser& l) {
    char magic[4];
    if (!l.bytes(magic, 4) || std::memcmp(magic, NALP, 4) != 0) {
        Grafik_Fehler_Setzen("Bitmap: Kennung NALP fehlt");
        return nullptr;
    }
    auto bm = std::make_unique<Rastport_Bitmap>();
    bm->tag = l.u32_();
    const u32 w = l.u32_(), h = l.u32_(), t = l.u32_();
    l.u32_(), l.u32_(), l.u32_();
    bm->farbschluessel = static_cast<u16>(l.u32_());
    l.u32_();
    const u32 gepackt_groesse = l.u32_();
    const u32 pixel_groesse = l.u32_();
    bm->packart = l.u8_();
    bm->pixel_behalten = l.u8_();
    bm->gepackt_behalten = l.u8_();
    l.u8_();  // the screen flag is never taken from a file
    l.u32_(), l.u32_(), l.u32_();
    const u32 f_palette = l.u32_(), f_gepackt = l.u32_(), f_pixel = l.u32_();
    if (l.fehler) {
        Grafik_Fehler_Setzen("Bitmap: Kopf zu kurz");
        return nullptr;
    }
    if (!groesse_gueltig(w, h) || !tiefe_gueltig(static_cast<i32>(t))) {
        Grafik_Fehler_Setzen("Bitmap: ungültige Größe %ux%u oder Farbtiefe %u", w, h, t);
        return nullptr;
    }
    bm->breite = static_cast<i32>(w);
    bm->hoehe = static_cast<i32>(h);
    bm->tiefe = static_cast<i32>(t);
    if (f_palette) {
        bm->palette.resize(PALETTE_GROESSE);
        if (!l.bytes(bm->palette.data(), PALETTE_GROESSE)) {
            Grafik_Fehler_Setzen("Bitmap: Palette abgeschnitten");
            return nullptr;
        }
    }
    if (f_gepackt) {
        if (gepackt_groesse == 0 || gepackt_groesse > l.n - l.pos ||
            (bm->packart != PACK_ZLIB && bm->packart != PACK_JPEG)) {
            Grafik_Fehler_Setzen("Bitmap: gepackte Daten (%u Bytes, Art %u) passen nicht", gepackt_groesse,
                                 bm->packart);
            return nullptr;
        }
        bm->gepackt.resize(gepackt_groesse);
        l.bytes(bm->gepackt.data(), gepackt_groesse);
    }
    if (f_pixel) {
        if (pixel_groesse != bm->pixel_groesse() || pixel_groesse > l.n - l.pos) {
            Grafik_Fehler_Setzen("Bitmap: Pixelgröße %u passt nicht zu %ux%u", pixel_groesse, w, h);
            return nullptr;
        }
        bm->speicher.assign((pixel_groesse + 1) / 2, 0);
        if (bm->tiefe == 8) {
            l.bytes(bm->pixel8(), pixel_groesse);
        } else {
            for (u16& p : bm->speicher) l(p);
        }
    }
    if (!f_gepackt && !f_pixel) {
        Grafik_Fehler_Setzen("Bitmap: weder Pixel noch gepackte Daten");
        return nullptr;
    }
    if (l.fehler) return nullptr;
    return bm;
}

}  // namespace

void Rle_Sprite_Schreiben(bytes::Schreiber& s, const Rle_Sprite& sp) {
    s(sp.breite), s(sp.hoehe), s(sp.x_korrektur), s(sp.y_korrektur);
    s(u32{0});
    s(sp.wert);
    s(u32{0});
    s(sp.gespiegelt), s(u8{0}), s(u8{0}), s(u8{0});
    s(u32{1}), s(u32{1}), s(u32{0});  // data and row table follow
    for (u32 z : sp.zeilen) s(z);
    for (u16 d : sp.daten) s(d);
}

std::unique_ptr<Rle_Sprite> Rle_Sprite_Lesen(bytes::Leser& l, u32 groesse) {
    auto sp = std::make_unique<Rle_Sprite>();
    const size_t anfang = l.pos;
    sp->breite = l.i16_();
    sp->hoehe = l.i16_();
    sp->x_korrektur = l.i16_();
    sp->y_korrektur = l.i16_();
    l.u32_();
    sp->wert = l.u32_();
    l.u32_();
    sp->gespiegelt = 0;  // a loaded sprite is never mirrored
    l.u32_();
    l.u32_(), l.u32_(), l.u32_();
    if (l.fehler || sp->breite < 1 || sp->hoehe < 1) {
        Grafik_Fehler_Setzen("Sprite: Kopf ungültig");
        return nullptr;
    }
    const u64 tabelle = 4ull * static_cast<u64>(sp->hoehe);
    if (groesse < SPRITE_KOPF_GROESSE + tabelle || groesse - SPRITE_KOPF_GROESSE - tabelle > l.n - l.pos ||
        (groesse - SPRITE_KOPF_GROESSE - tabelle) % 2 != 0 || l.pos - anfang != SPRITE_KOPF_GROESSE) {
        Grafik_Fehler_Setzen("Sprite: Größe %u passt nicht zu %d Zeilen", groesse, sp->hoehe);
        return nullptr;
    }
    sp->zeilen.resize(static_cast<size_t>(sp->hoehe));
    for (u32& z : sp->zeilen) l(z);
    sp->daten.resize((groesse - SPRITE_KOPF_GROESSE - tabelle) / 2);
    for (u16& d : sp->daten) l(d);
    if (l.fehler) return nullptr;
    // Every row must reach exactly the width inside the data.
    size_t zeile = 0;
    if (!rle::zeilen_gueltig(sp->breite, sp->zeilen, sp->daten, &zeile)) {
        Grafik_Fehler_Setzen("Sprite: Zeile %zu passt nicht zur Breite %d oder läuft aus den Daten", zeile, sp->breite);
        return nullptr;
    }
    return sp;
}

std::unique_ptr<Rle_Sprite> Rle_Sprite_Aus_Pixeln(const u16* pixel, i32 breite, i32 hoehe) {
    if (!pixel || breite < 1 || hoehe < 1 || breite > 0x7FFF || hoehe > 0x7FFF) return nullptr;
    auto sp = std::make_unique<Rle_Sprite>();
    sp->breite = static_cast<i16>(breite);
    sp->hoehe = static_cast<i16>(hoehe);
    for (i32 y = 0; y < hoehe; ++y) {
        sp->zeilen.push_back(static_cast<u32>(sp->daten.size()));
        const u16* z = pixel + static_cast<size_t>(y) * breite;
        for (i32 x = 0; x < breite;) {
            const bool leer = z[x] == 0;
            i32 n = 0;
            while (x + n < breite && (z[x + n] == 0) == leer) ++n;
            sp->daten.push_back(static_cast<u16>(n | (leer ? 0 : 0x8000)));
            if (!leer) sp->daten.insert(sp->daten.end(), z + x, z + x + n);
            x += n;
        }
    }
    return sp;
}

void Rastport_Schreiben(bytes::Schreiber& s, const Rastport& rp) {
    s.bytes(NALP, 4);
    s(static_cast<u32>(rp.breite));
    s(static_cast<u32>(rp.hoehe));
    s(u32{0});  // planes-split flag: byte planes are never stored
    s(rp.wort4), s(rp.wort5);
    s(rp.sprite ? rp.sprite->groesse() : u32{0});
    // An alpha plane is stored zlib-packed when that is smaller (most are:
    // large even areas).
    std::vector<u8> alpha_gepackt;
    if (rp.alpha.size() >= ALPHA_PACKEN_AB) {
        alpha_gepackt.resize(rp.alpha.size() + ZLIB_KOPF_GROESSE);
        const u32 n = W32_Cmp_Zlib_Pack(rp.alpha.data(), alpha_gepackt.data(), static_cast<u32>(rp.alpha.size()));
        alpha_gepackt.resize(n);
    }
    s(u32{rp.bitmap != nullptr}), s(u32{!rp.maske.empty()}), s(u32{rp.dritte != nullptr}), s(u32{rp.zweite != nullptr}),
        s(u32{!rp.alpha.empty()}), s(u32{rp.sprite != nullptr}), s(u32{!alpha_gepackt.empty()});
    if (rp.bitmap) bitmap_schreiben(s, *rp.bitmap);
    if (!rp.maske.empty()) s.bytes(rp.maske.data(), rp.maske.size());
    if (rp.dritte) bitmap_schreiben(s, *rp.dritte);
    if (rp.zweite) bitmap_schreiben(s, *rp.zweite);
    if (!alpha_gepackt.empty()) s.bytes(alpha_gepackt.data(), alpha_gepackt.size());
    else if (!rp.alpha.empty()) s.bytes(rp.alpha.data(), rp.alpha.size());
    if (rp.sprite) Rle_Sprite_Schreiben(s, *rp.sprite);
}

Rastport* Rastport_Lesen(bytes::Leser& l) {
    char magic[4];
    if (!l.bytes(magic, 4) || std::memcmp(magic, NALP, 4) != 0) {
        Grafik_Fehler_Setzen("Bild: Kennung NALP fehlt");
        return nullptr;
    }
    const u32 w = l.u32_(), h = l.u32_();
    l.u32_();
    const u32 wort4 = l.u32_(), wort5 = l.u32_();
    const u32 sprite_groesse = l.u32_();
    u32 f[7];
    for (u32& x : f) x = l.u32_();
    if (l.fehler || !groesse_gueltig(w, h)) {
        Grafik_Fehler_Setzen("Bild: Kopf zu kurz oder Größe %ux%u ungültig", w, h);
        return nullptr;
    }
    std::unique_ptr<Rastport> rp(new Rastport);
    rp->breite = static_cast<i32>(w);
    rp->hoehe = static_cast<i32>(h);
    rp->wort4 = wort4;
    rp->wort5 = wort5;
    auto passende_bitmap = [&](std::unique_ptr<Rastport_Bitmap>& ziel) {
        ziel = bitmap_lesen(l);
        if (!ziel) return false;
        if (ziel->breite != rp->breite || ziel->hoehe != rp->hoehe) {
            Grafik_Fehler_Setzen("Bild: Bitmap %dx%d passt nicht zu %dx%d", ziel->breite, ziel->hoehe, rp->breite,
                                 rp->hoehe);
            return false;
        }
        return true;
    };
    if (f[0] && !passende_bitmap(rp->bitmap)) return nullptr;
    if (f[1]) {
        rp->maske.resize(Rastport_Maske_Groesse(rp->breite, rp->hoehe));
        if (!l.bytes(rp->maske.data(), rp->maske.size())) {
            Grafik_Fehler_Setzen("Bild: Maske abgeschnitten");
            return nullptr;
        }
    }
    if (f[2] && !passende_bitmap(rp->dritte)) return nullptr;
    if (f[3] && !passende_bitmap(rp->zweite)) return nullptr;
    if (f[4] && f[6]) {
        // Packed: the zlib block's head (unpacked and packed size), then its data.
        u8 kopf[ZLIB_KOPF_GROESSE];
        if (!l.bytes(kopf, sizeof kopf)) {
            Grafik_Fehler_Setzen("Bild: Alpha-Ebene abgeschnitten");
            return nullptr;
        }
        bytes::Leser k{kopf, sizeof kopf};
        const u32 klar = k.u32_(), gepackt = k.u32_();
        if (klar != static_cast<u64>(w) * h || gepackt > l.n - l.pos) {
            Grafik_Fehler_Setzen("Bild: gepackte Alpha-Ebene passt nicht zu %ux%u", w, h);
            return nullptr;
        }
        std::vector<u8> block(ZLIB_KOPF_GROESSE + static_cast<size_t>(gepackt));
        std::memcpy(block.data(), kopf, sizeof kopf);
        rp->alpha.resize(klar);
        if (!l.bytes(block.data() + ZLIB_KOPF_GROESSE, gepackt) ||
            W32_Cmp_Zlib_Unpack_Sicher(block.data(), static_cast<u32>(block.size()), rp->alpha.data(), klar) != klar) {
            Grafik_Fehler_Setzen("Bild: gepackte Alpha-Ebene beschädigt");
            return nullptr;
        }
    } else if (f[4]) {
        rp->alpha.resize(static_cast<size_t>(w) * h);
        if (!l.bytes(rp->alpha.data(), rp->alpha.size())) {
            Grafik_Fehler_Setzen("Bild: Alpha-Ebene abgeschnitten");
            return nullptr;
        }
    }
    if (f[5]) {
        rp->sprite = Rle_Sprite_Lesen(l, sprite_groesse);
        if (!rp->sprite) return nullptr;
    }
    return rp.release();
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
u32 Rastport_Bitmap_Groesse(const Rastport_Bitmap& bm) {
    return 4 + BITMAP_STORED_GROESSE + (bm.palette.size() == PALETTE_GROESSE ? PALETTE_GROESSE : 0) +
           static_cast<u32>(bm.gepackt.size()) + (bm.hat_pixel() ? bm.pixel_groesse() : 0);
}

u32 Rastport_Groesse(const Rastport& rp) {
    // The alpha plane's packed size is known only by packing it.
    std::vector<u8> d;
    bytes::Schreiber s{d};
    Rastport_Schreiben(s, rp);
    return static_cast<u32>(d.size());
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
bool Rastport_Speichern(const char* name, const Rastport& rp) {
    std::vector<u8> daten;
    bytes::Schreiber s{daten};
    Rastport_Schreiben(s, rp);
    FILE* f = std::fopen(name, "wb");
    if (!f) return false;
    const bool ok = std::fwrite(daten.data(), 1, daten.size(), f) == daten.size();
    return std::fclose(f) == 0 && ok;
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
Rastport* Rastport_Laden(const char* name) {
    std::vector<u8> daten;
    if (!Datei_Ganz_Lesen(name, daten)) return nullptr;
    bytes::Leser l(daten.data(), daten.size());
    return Rastport_Lesen(l);
}

// --- Screen -----------------------------------------------------------------------

Rastport* Screen_Rastport = nullptr;

i32 Rastport_Init_Screen() {
    Rastport_Free_Screen();
    auto* rp = new Rastport;
    rp->breite = W32_Display.breite;
    rp->hoehe = W32_Display.hoehe;
    rp->bitmap = std::make_unique<Rastport_Bitmap>();
    Rastport_Bitmap& bm = *rp->bitmap;
    bm.tag = 255;
    bm.breite = rp->breite;
    bm.hoehe = rp->hoehe;
    bm.tiefe = W32_Display.bits_pro_pixel == 15 ? 15 : 16;
    bm.screen = 1;
    if (W32_Display.puffer && W32_Display.pitch == W32_Display.breite) bm.fremd = W32_Display.puffer;
    else bm.speicher.assign(static_cast<size_t>(rp->breite) * rp->hoehe, 0);
    Screen_Rastport = rp;
    return 1;
}

void Rastport_Free_Screen() {
    delete Screen_Rastport;
    Screen_Rastport = nullptr;
}

// --- Darkening ---------------------------------------------------------------------

namespace {
std::vector<u16> schatten_tabelle;
}

i32 Farbe_Schatten_Init(i32 tiefe) {
    schatten_tabelle.resize(65536);
    for (u32 p = 0; p < 65536; ++p)
        schatten_tabelle[p] = tiefe == 15 ? pixel::abdunkeln<15>(p & 0x7FFF, 120) : pixel::abdunkeln<16>(p, 120);
    return 1;
}

void Farbe_Schatten_Free() {
    schatten_tabelle.clear();
    schatten_tabelle.shrink_to_fit();
}

const u16* Farbe_Schatten_Tabelle() { return schatten_tabelle.empty() ? nullptr : schatten_tabelle.data(); }

i32 Rastport_Abdunkeln(Rastport* rp, const u8* anzahl, i32 x, i32 y, i32 w, i32 h) {
    if (!rp || !anzahl || w < 1 || h < 1 || !Rastport_Lock(rp) || rp->tiefe() == 8) return 0;
    if (schatten_tabelle.empty()) Farbe_Schatten_Init(rp->tiefe());
    const u16* tab = schatten_tabelle.data();
    u16* pix = rp->bitmap->pixel16();
    // Only the part of the area inside the surface is touched.
    const i32 x0 = std::max(0, x), y0 = std::max(0, y);
    const i32 x1 = std::min(rp->breite, x + w), y1 = std::min(rp->hoehe, y + h);
    for (i32 yy = y0; yy < y1; ++yy) {
        const u8* a = anzahl + static_cast<size_t>(yy - y) * w;
        u16* z = pix + static_cast<size_t>(yy) * rp->breite;
        for (i32 xx = x0; xx < x1; ++xx) {
            u16 p = z[xx];
            for (u8 n = a[xx - x]; n; --n) p = tab[p];
            z[xx] = p;
        }
    }
    return 1;
}

i32 Blt_Schatten_Kern_Groesse(i32 groesse) { return std::clamp(groesse / 2 * 2 + 1, 3, 9); }

i32 Blt_Schatten(Rastport* src, i32 sx, i32 sy, i32 w, i32 h, Rastport* dst, i32 dx, i32 dy, const i32* params) {
    static const u8 k3[] = {1, 2, 1, 2, 4, 2, 1, 2, 1};
    static const u8 k5[] = {0, 1, 2, 1, 0, 1, 2, 3, 2, 1, 2, 3, 4, 3, 2, 1, 2, 3, 2, 1, 0, 1, 2, 1, 0};
    static const u8 k7[] = {0, 1, 1, 2, 1, 1, 0, 0, 1, 1, 2, 1, 1, 0, 1, 1, 3, 4, 2, 1, 1, 1, 2, 4, 5,
                            4, 2, 1, 1, 1, 2, 4, 2, 1, 1, 0, 1, 1, 2, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0};
    static const u8 k9[] = {0, 0, 1, 1, 2, 1, 1, 0, 0, 0, 0, 1, 2, 2, 2, 1, 0, 0, 0, 1, 2, 2, 3, 2, 2, 1, 0,
                            0, 1, 2, 4, 4, 3, 2, 1, 0, 0, 1, 2, 4, 5, 4, 2, 1, 0, 0, 1, 2, 3, 4, 3, 2, 1, 0,
                            0, 1, 2, 2, 3, 2, 2, 1, 0, 0, 0, 1, 2, 2, 2, 1, 0, 0, 0, 0, 1, 1, 2, 1, 1, 0, 0};
    if (!src || !dst || !src->bitmap) return 0;
    if (Abdruck_Trifft(dst)) [[unlikely]]
        Abdruck_Unsicher();
    const i32 standard[4] = {2, 2, 5, 0};
    const i32* p = params ? params : standard;
    if (w < 0) w = src->breite;
    if (h < 0) h = src->hoehe;
    sx = std::max(sx, 0);
    sy = std::max(sy, 0);
    w = std::min(w, src->breite - sx);
    h = std::min(h, src->hoehe - sy);
    if (w < 1 || h < 1) return 0;
    std::unique_ptr<Rastport> kopie(Rastport_Neu_Einfach(w, h, src->tiefe()));
    if (!kopie) return 0;
    Blt_Blit(src, sx, sy, w, h, kopie.get(), 0, 0, nullptr);
    const i32 k = Blt_Schatten_Kern_Groesse(p[2]);
    const u8* kern = k == 3 ? k3 : k == 5 ? k5 : k == 7 ? k7 : k9;
    u8 gewicht[81];
    for (i32 i = 0; i < k * k; ++i) gewicht[i] = static_cast<u8>(std::clamp(kern[i] + (p[3] & 255), 0, 15));
    const i32 mw = w + k, mh = h + k;
    std::vector<u8> karte(static_cast<size_t>(mw) * mh, 0);
    const u16* kp = kopie->bitmap->pixel16();
    const u8* kp8 = kopie->bitmap->pixel8();
    const bool acht = kopie->tiefe() == 8;
    auto gesetzt = [&](i32 x, i32 y) {
        const size_t i = static_cast<size_t>(y) * w + x;
        return acht ? kp8[i] != 0 : kp[i] != 0;
    };
    for (i32 y = 0; y < h; ++y)
        for (i32 x = 0; x < w; ++x)
            if (gesetzt(x, y))
                for (i32 i = 0; i < k; ++i)
                    for (i32 j = 0; j < k; ++j) {
                        u8& m = karte[static_cast<size_t>(y + i) * mw + x + j];
                        m = std::max(m, gewicht[i * k + j]);
                    }
    for (i32 y = 0; y < h; ++y)
        for (i32 x = 0; x < w; ++x) {
            const i32 mx = k / 2 + x - p[0], my = k / 2 + y - p[1];
            if (gesetzt(x, y) && mx >= 0 && my >= 0 && mx < mw && my < mh) karte[static_cast<size_t>(my) * mw + mx] = 0;
        }
    Rastport_Abdunkeln(dst, karte.data(), dx - k / 2 + p[0], dy - k / 2 + p[1], mw, mh);
    Blt_Blit(kopie.get(), 0, 0, w, h, dst, dx, dy, Blt_Opt_Transparent);
    return 1;
}

// --- Byte planes ----------------------------------------------------------------------

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
i32 Rastport_Ebenen_Teilen(Rastport* rp) {
    if (!rp || !Rastport_Lock(rp) || rp->tiefe() == 8) return 0;
    const size_t n = static_cast<size_t>(rp->breite) * rp->hoehe;
    rp->ebenen.resize(3 * n);
    const u16* p = rp->bitmap->pixel16();
    const bool t16 = rp->tiefe() == 16;
    for (size_t i = 0; i < n; ++i) {
        rp->ebenen[i] = static_cast<u8>(t16 ? pixel::Kanal<16>::r8(p[i]) : pixel::Kanal<15>::r8(p[i]));
        rp->ebenen[n + i] = static_cast<u8>(t16 ? pixel::Kanal<16>::g8(p[i]) : pixel::Kanal<15>::g8(p[i]));
        rp->ebenen[2 * n + i] = static_cast<u8>(pixel::Kanal<16>::b8(p[i]));
    }
    return 1;
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
i32 Rastport_Ebenen_Vereinen(Rastport* rp) {
    if (!rp || !rp->bitmap || !rp->bitmap->hat_pixel() || rp->tiefe() == 8) return 0;
    const size_t n = static_cast<size_t>(rp->breite) * rp->hoehe;
    if (rp->ebenen.size() != 3 * n) return 0;
    u16* p = rp->bitmap->pixel16();
    const bool t16 = rp->tiefe() == 16;
    for (size_t i = 0; i < n; ++i) {
        const int r = rp->ebenen[i], g = rp->ebenen[n + i], b = rp->ebenen[2 * n + i];
        p[i] = t16 ? pixel::Kanal<16>::pack(r, g, b) : pixel::Kanal<15>::pack(r, g, b);
    }
    rp->ebenen.clear();
    return 1;
}

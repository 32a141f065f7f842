// Crests and scaling (see wappen.h).
#include "gui/wappen.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

#include "base/debug.h"
#include "graphics/abdruck.h"
#include "graphics/blitter.h"
#include "graphics/farbe.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/kit.h"
#include "gui/palette.h"
#include "season/wettbewerb_werte.h"
#include "world/modi.h"
#include "world/welt.h"

namespace {

constexpr u32 WAPPEN_SCHLUESSEL = 0xFDFDFDFD;
constexpr i32 ARCHIV_WAPPEN = 8;
constexpr u32 POKAL_SCHLUESSEL = 0xF5FDFDFD;
constexpr i32 ARCHIV_POKALE = 2, POKAL_ERSTER = 135;

i32 treffer = 0, fehl = 0;

Wappen_Hooks hooks{};

// The crests and cups, a thousand small pictures, are read and unpacked on
// the graphics workers and kept once a screen draws them by the dozen:
// from the WAPPEN_HALTEN_AB-th loaded from the archives in their present
// state on. The start screen and the main menu, which show one or two,
// leave them in the archive.
constexpr i32 WAPPEN_HALTEN_AB = 8;

Rastport* aus_archiv(i32 archiv, i32 eintrag) {
    static u32 stand = 0;
    static i32 geladen = 0;
    if (stand != Resf_Stand()) stand = Resf_Stand(), geladen = 0;
    if (++geladen == WAPPEN_HALTEN_AB) {
        Resf_Vorab_Halten(Resf_Spiel_Slot(ARCHIV_WAPPEN));
        Resf_Vorab_Halten(Resf_Spiel_Slot(ARCHIV_POKALE), POKAL_ERSTER);
    }
    return Resf_Lade_Rastport(Resf_Spiel_Slot(archiv), eintrag);
}

bool tief16(const Rastport* r) { return r && r->bitmap && (r->tiefe() == 15 || r->tiefe() == 16); }

// Box average of source columns/rows [a, b) per target pixel.
template <bool TRANSPARENT>
i32 verkleinern(Rastport* q, Rastport* z) {
    if (!tief16(q) || !tief16(z) || q->tiefe() != z->tiefe() || !Rastport_Lock(q) || !z->bitmap->hat_pixel()) return 0;
    const i32 qw = q->breite, qh = q->hoehe, zw = z->breite, zh = z->hoehe;
    if (zw < 1 || zh < 1 || zw > qw || zh > qh || zw >= 1024 || zh >= 768) return 0;
    const bool t16 = q->tiefe() == 16;
    const u16* qp = q->bitmap->pixel16();
    u16* zp = z->bitmap->pixel16();
    for (i32 y = 0; y < zh; ++y) {
        const i32 y0 = y * qh / zh, y1 = std::max(y0 + 1, (y + 1) * qh / zh);
        for (i32 x = 0; x < zw; ++x) {
            const i32 x0 = x * qw / zw, x1 = std::max(x0 + 1, (x + 1) * qw / zw);
            u32 r = 0, g = 0, b = 0, n = 0, loecher = 0;
            const u16 hinten = zp[static_cast<i64>(y) * zw + x];
            for (i32 yy = y0; yy < y1; ++yy)
                for (i32 xx = x0; xx < x1; ++xx) {
                    u16 p = qp[static_cast<i64>(yy) * qw + xx];
                    if (TRANSPARENT && p == 0) p = hinten, ++loecher;
                    r += t16 ? pixel::Kanal<16>::r8(p) : pixel::Kanal<15>::r8(p);
                    g += t16 ? pixel::Kanal<16>::g8(p) : pixel::Kanal<15>::g8(p);
                    b += t16 ? pixel::Kanal<16>::b8(p) : pixel::Kanal<15>::b8(p);
                    ++n;
                }
            u16 p = t16 ? pixel::Kanal<16>::pack(r / n, g / n, b / n) : pixel::Kanal<15>::pack(r / n, g / n, b / n);
            if (TRANSPARENT && loecher == n) p = hinten;
            else if (!p && !(TRANSPARENT && loecher == n)) p = 1;
            zp[static_cast<i64>(y) * zw + x] = p;
        }
    }
    return 1;
}

// A reduction kept apart from any background: per target pixel the channel
// sums of the source's opaque pixels, the pixel count and the holes. Drawn
// over a background it gives what reducing anew gives (verkleinern<true>),
// without loading and reducing the picture again, so a crest or cup whose
// patch left the recoloured-picture cache (any click empties it) costs a
// pass over its target pixels only.
struct Summe {
    u32 r, g, b, n, loecher;
};
struct Verkleinerung {
    u32 quelle = 0, resf = 0, hooks = 0;
    i32 w = 0, h = 0, tiefe = 0;
    u64 zuletzt = 0;  // 0: free
    std::vector<Summe> px;
};
constexpr i32 VERKLEINERT_MAX = 48;
Verkleinerung verkleinert[VERKLEINERT_MAX];
u64 verkleinert_uhr = 0;
u32 hooks_stand = 1;

template <int T>
void summen_bauen(const Rastport* q, i32 zw, i32 zh, std::vector<Summe>& aus) {
    using K = pixel::Kanal<T>;
    const i32 qw = q->breite, qh = q->hoehe;
    const u16* qp = q->bitmap->pixel16();
    aus.assign(static_cast<size_t>(zw) * zh, Summe{});
    for (i32 y = 0; y < zh; ++y) {
        const i32 y0 = y * qh / zh, y1 = std::max(y0 + 1, (y + 1) * qh / zh);
        for (i32 x = 0; x < zw; ++x) {
            const i32 x0 = x * qw / zw, x1 = std::max(x0 + 1, (x + 1) * qw / zw);
            Summe& s = aus[static_cast<size_t>(y) * zw + x];
            for (i32 yy = y0; yy < y1; ++yy)
                for (i32 xx = x0; xx < x1; ++xx) {
                    const u16 p = qp[static_cast<i64>(yy) * qw + xx];
                    ++s.n;
                    if (p == 0) {
                        ++s.loecher;
                        continue;
                    }
                    s.r += K::r8(p), s.g += K::g8(p), s.b += K::b8(p);
                }
        }
    }
}

template <int T>
void summen_zeichnen(const Verkleinerung& v, Rastport* z) {
    using K = pixel::Kanal<T>;
    u16* zp = z->bitmap->pixel16();
    for (i32 y = 0; y < v.h; ++y)
        for (i32 x = 0; x < v.w; ++x) {
            const Summe& s = v.px[static_cast<size_t>(y) * v.w + x];
            u16& d = zp[static_cast<i64>(y) * z->breite + x];
            if (s.loecher == s.n) continue;  // all holes: the background stays
            const u32 l = s.loecher;
            const u16 p = K::pack((s.r + l * K::r8(d)) / s.n, (s.g + l * K::g8(d)) / s.n, (s.b + l * K::b8(d)) / s.n);
            d = p ? p : 1;
        }
}

Verkleinerung* verkleinerung_suchen(u32 quelle, i32 w, i32 h) {
    for (Verkleinerung& v : verkleinert)
        if (v.zuletzt && v.quelle == quelle && v.w == w && v.h == h && v.resf == Resf_Stand() &&
            v.hooks == hooks_stand) {
            v.zuletzt = ++verkleinert_uhr;
            return &v;
        }
    return nullptr;
}

// Reduces `bild` to w x h and keeps the sums (the least recently used go).
Verkleinerung* verkleinerung_ablegen(u32 quelle, const Rastport* bild, i32 w, i32 h) {
    if (!tief16(bild) || w < 1 || h < 1 || w > bild->breite || h > bild->hoehe || w >= 1024 || h >= 768)
        return nullptr;
    Verkleinerung* v = &verkleinert[0];
    for (Verkleinerung& k : verkleinert)
        if (k.zuletzt < v->zuletzt) v = &k;
    v->quelle = quelle, v->resf = Resf_Stand(), v->hooks = hooks_stand;
    v->w = w, v->h = h, v->tiefe = bild->tiefe();
    if (v->tiefe == 16) summen_bauen<16>(bild, w, h, v->px);
    else summen_bauen<15>(bild, w, h, v->px);
    v->zuletzt = ++verkleinert_uhr;
    return v;
}

bool verkleinerung_zeichnen(const Verkleinerung& v, Rastport* z) {
    if (!tief16(z) || z->tiefe() != v.tiefe || z->breite < v.w || z->hoehe < v.h || !z->bitmap->hat_pixel())
        return false;
    if (v.tiefe == 16) summen_zeichnen<16>(v, z);
    else summen_zeichnen<15>(v, z);
    return true;
}

}  // namespace

Rastport* Wappen_Aus_Archiv(i32 n) { return aus_archiv(ARCHIV_WAPPEN, n); }

const Wappen_Hooks& Wappen_Get_Hooks() { return hooks; }

void Wappen_Set_Hooks(const Wappen_Hooks& h) {
    hooks = h;
    ++hooks_stand;  // other pictures behind the same numbers
}

void Wappen_Verkleinerungen_Leeren() {
    for (Verkleinerung& v : verkleinert) v = Verkleinerung{};
}

i32 Bild_Verkleinern(Rastport* q, Rastport* z) { return verkleinern<false>(q, z); }
i32 Bild_Verkleinern_Transparent(Rastport* q, Rastport* z) { return verkleinern<true>(q, z); }

i32 Bild_Skalieren(Rastport* q, Rastport* z, i32 w, i32 h) {
    if (!q || !z || !q->bitmap || !z->bitmap || w < 1 || h < 1 || w >= 1025 || h >= 769) return 0;
    if (q->tiefe() != z->tiefe() || z->breite < w || z->hoehe < h || !Rastport_Lock(q) || !z->bitmap->hat_pixel())
        return 0;
    const i32 bytes = q->tiefe() == 8 ? 1 : 2;
    const u8* qp = reinterpret_cast<const u8*>(q->bitmap->pixel16());
    u8* zp = reinterpret_cast<u8*>(z->bitmap->pixel16());
    for (i32 y = 0; y < h; ++y) {
        const i32 sy = y * q->hoehe / h;
        for (i32 x = 0; x < w; ++x) {
            const i32 sx = x * q->breite / w;
            for (i32 k = 0; k < bytes; ++k)
                zp[(static_cast<i64>(y) * z->breite + x) * bytes + k] =
                    qp[(static_cast<i64>(sy) * q->breite + sx) * bytes + k];
        }
    }
    return 1;
}

namespace {

// Looks the patch up in the cache, else reduces the picture `laden` gives
// onto the target's background, draws it (with a shadow when asked) and
// caches the target area.
// The size of the target area a patch covers: the crest, its shadow or
// its filter's edge.
void patch_groesse(i32 w, i32 h, const i32* schatten, i32 filter, i32* gw, i32* gh) {
    *gw = w, *gh = h;
    if (filter >= 0) {
        *gw += 5, *gh += 5;
    } else if (schatten) {
        const i32 kern = Blt_Schatten_Kern_Groesse(schatten[2]);
        *gw += schatten[0] + kern + 1;
        *gh += schatten[1] + kern + 1;
    }
}

// Whether the target's pixels at (x, y) (cut to the target) equal the
// kept picture's rows from `oben` on.
bool gleich(Rastport* ziel, i32 x, i32 y, Rastport* kopie, i32 oben, i32 w, i32 h) {
    if (!Rastport_Lock(ziel) || !Rastport_Lock(kopie) || ziel->tiefe() != 16 || kopie->tiefe() != 16) return false;
    const u16* z = ziel->bitmap->pixel16();
    const u16* k = kopie->bitmap->pixel16();
    for (i32 j = std::max(0, -y); j < h && y + j < ziel->hoehe; ++j)
        for (i32 i = std::max(0, -x); i < w && x + i < ziel->breite; ++i)
            if (z[static_cast<size_t>(y + j) * static_cast<size_t>(ziel->breite) + static_cast<size_t>(x + i)] !=
                k[static_cast<size_t>(oben + j) * static_cast<size_t>(kopie->breite) + static_cast<size_t>(i)])
                return false;
    return true;
}

template <class Laden>
bool patch_blit(u32 art, i32 nummer, u32 quelle, Rastport* ziel, i32 x, i32 y, i32 w, i32 h, const i32* schatten,
                Laden laden, i32* t, i32* f, i32 filter = -1, bool transparent = true) {
    if (!ziel) return false;
    if (w < 1) w = 66;
    if (h < 1) h = 66;
    // A probed frame: the same crest at the same place over the same frame
    // draws the same.
    std::optional<Abdruck_Schutz> schutz;
    if (Abdruck_Trifft(ziel)) [[unlikely]] {
        i32 pw = 0, ph = 0;
        patch_groesse(w, h, schatten, filter, &pw, &ph);
        const i64 werte[] = {7, art, nummer, quelle, x, y, w, h, filter, transparent};
        const i64 schatten_werte[] = {schatten ? schatten[0] : -1, schatten ? schatten[1] : -1,
                                      schatten ? schatten[2] : -1};
        Abdruck_Ganz({x, y, x + pw, y + ph}, schatten_werte, 3);
        if (Abdruck_Ganz({x, y, x + pw, y + ph}, werte, 10) == Abdruck_Folge::FERTIG) return true;
        // Clipped: the kept patch is compared with the target as it stands;
        // the crest draws through the blitter and the marked filters.
        schutz.emplace();
    }
    const uintptr_t z = reinterpret_cast<uintptr_t>(ziel);
    // The picture behind the patch is part of its key: a patch drawn before
    // other pictures stood behind the same numbers (hooks installed anew, an
    // archive opened or closed) is never laid again, even on a target that
    // took the old one's place in memory over the same background.
    const u32 liste[11] = {
        static_cast<u32>(nummer), static_cast<u32>(w),
        static_cast<u32>(h),      static_cast<u32>(x),
        static_cast<u32>(y),      filter >= 0 ? 2u + static_cast<u32>(filter) * 2 + transparent : schatten ? 1u : 0u,
        static_cast<u32>(z),      static_cast<u32>(static_cast<u64>(z) >> 32),
        quelle,                   hooks_stand,
        Resf_Stand()};
    // A kept patch holds the drawn area over the background it was blended
    // onto (rows gh..2gh-1): it serves that background again, or the area
    // it already covers; a highlight that came or went behind the crest
    // since draws it anew.
    i32 gw = 0, gh = 0;
    patch_groesse(w, h, schatten, filter, &gw, &gh);
    Rastport* c = Farbe_Cache_Suchen(liste, 11, art);
    if (c && c->hoehe == 2 * gh && (gleich(ziel, x, y, c, gh, gw, gh) || gleich(ziel, x, y, c, 0, gw, gh))) {
        Blt_Blit(c, 0, 0, gw, gh, ziel, x, y, nullptr);
        ++*t;
        return true;
    }
    ++*f;
    // The picture reduced before (its sums), else loaded and reduced now.
    Rastport_Bild bild;
    const Verkleinerung* v = verkleinerung_suchen(quelle, w, h);
    if (!v) {
        bild.reset(laden());
        if (!bild || !Rastport_Lock(bild.get()) || w > bild->breite || h > bild->hoehe) return false;
        if (w != bild->breite || h != bild->hoehe) v = verkleinerung_ablegen(quelle, bild.get(), w, h);
    }
    // The patch drawn: the reduced picture, or the loaded one as it is.
    Rastport_Bild eigener_flicken;
    if (v) {
        eigener_flicken.reset(Rastport_Neu_Einfach(w, h, v->tiefe));
        if (!eigener_flicken) return false;
        Blt_Blit(ziel, x, y, w, h, eigener_flicken.get(), 0, 0, nullptr);
        verkleinerung_zeichnen(*v, eigener_flicken.get());
    } else if (w != bild->breite || h != bild->hoehe) {
        eigener_flicken.reset(Rastport_Neu_Einfach(w, h, bild->tiefe()));
        if (!eigener_flicken) return false;
        Blt_Blit(ziel, x, y, w, h, eigener_flicken.get(), 0, 0, nullptr);
        Bild_Verkleinern_Transparent(bild.get(), eigener_flicken.get());
    }
    Rastport* flicken = eigener_flicken ? eigener_flicken.get() : bild.get();
    Rastport_Bild kopie(Rastport_Neu_Einfach(gw, 2 * gh, ziel->tiefe()));
    if (kopie) Blt_Blit(ziel, x, y, gw, gh, kopie.get(), 0, gh, nullptr);
    if (filter >= 0) {
        Blt_Filter(flicken, 0, 0, w, h, ziel, x, y, filter);
        Blt_Blit(flicken, 0, 0, -1, -1, ziel, x, y, transparent ? Blt_Opt_Transparent : nullptr);
    } else if (schatten) {
        Blt_Schatten(flicken, 0, 0, w, h, ziel, x, y, schatten);
    } else {
        Blt_Blit(flicken, 0, 0, -1, -1, ziel, x, y, Blt_Opt_Transparent);
    }
    if (kopie) {
        Blt_Blit(ziel, x, y, gw, gh, kopie.get(), 0, 0, nullptr);
        // A stale patch of this place takes the new one's pixels.
        if (c && c->breite == gw && c->hoehe == 2 * gh && c->tiefe() == kopie->tiefe())
            Blt_Blit(kopie.get(), 0, 0, -1, -1, c, 0, 0, nullptr);
        else if (Farbe_Cache_Ablegen(kopie.get(), liste, 11, art))
            kopie.release();  // the cache owns it now
    }
    return true;
}

i32 pokal_treffer = 0, pokal_fehl = 0;

// The picture behind a kept reduction: a crest number or a cup's entry.
u32 quelle_wappen(i32 n) { return static_cast<u32>(n); }
u32 quelle_pokal(i32 g) { return 0x80000000u | static_cast<u32>(g); }

}  // namespace

bool Wappen_Blit(i32 team, Rastport* ziel, i32 x, i32 y, i32 w, i32 h, const i32* schatten) {
    const i32 n = team < 0 ? WAPPEN_NEUTRAL : std::clamp(hooks.nummer_von_team(team), 0, WAPPEN_NEUTRAL);
    return patch_blit(
        WAPPEN_SCHLUESSEL, team, quelle_wappen(n), ziel, x, y, w, h, schatten, [n, team] { return hooks.bild_laden(n, team); },
        &treffer, &fehl);
}

bool Pokal_Blit(i32 wettbewerb, i32 team, Rastport* ziel, i32 x, i32 y, i32 w, i32 h, const i32* schatten) {
    const i32 g = hooks.pokal_grafik(wettbewerb, team);
    if (g < 0) return false;
    const u32 art = POKAL_SCHLUESSEL ^ static_cast<u32>(team) * 0x9E3779B1u;
    return patch_blit(
        art, g, quelle_pokal(g), ziel, x, y, w, h, schatten,
        [g] { return aus_archiv(ARCHIV_POKALE, POKAL_ERSTER + g); }, &pokal_treffer,
        &pokal_fehl);
}

void Wappen_Cache_Zaehler(i32* t, i32* f) {
    if (t) *t = treffer;
    if (f) *f = fehl;
    treffer = fehl = 0;
}

void Wappen_Cache_Anzeigen(i32* t, i32* f, Rastport* ziel, bool anzeigen) {
    i32 a = 0, b = 0;
    Wappen_Cache_Zaehler(&a, &b);
    if (t) *t = a;
    if (f) *f = b;
    if (!anzeigen || !ziel) return;
    Font* font = Font_Tabelle_Holen(1);
    if (!font) return;
    Blt_Rechteck(ziel, 0, 580, 800, 20, FARBE_FAST_SCHWARZ);
    char text[64];
    std::snprintf(text, sizeof text, "Wappen Cache/New: %d / %d", a, b);
    Kit_Text(ziel, font, FARBE_WEISS, text, 4, 580 + font->hoehe);
}

Rastport* Wappen_Holen(Rastport* ziel, i32 team, i32 x, i32 y, bool transparent, i32 w, i32 h, bool mit_wettbewerb,
                       i32 wettbewerb) {
    if (w == 0) w = 66;
    if (h == 0) h = 66;
    if (w < 0) w = h > 0 ? h : 66;
    if (h < 0) h = w;
    i32 g = -1, n = -1;
    if (mit_wettbewerb) {
        if ((g = hooks.pokal_grafik(wettbewerb, team)) < 0) return nullptr;
    } else {
        n = team < 0 ? WAPPEN_NEUTRAL : std::clamp(hooks.nummer_von_team(team), 0, WAPPEN_NEUTRAL);
    }
    auto laden = [g, n, team]() -> Rastport* {
        return g >= 0 ? aus_archiv(ARCHIV_POKALE, POKAL_ERSTER + g) : hooks.bild_laden(n, team);
    };
    if (ziel) {
        const i32 stufe = w < 16 ? 0 : w < 33 ? 1 : 2;
        const u32 art = g >= 0 ? POKAL_SCHLUESSEL ^ static_cast<u32>(team) * 0x9E3779B1u : WAPPEN_SCHLUESSEL;
        return patch_blit(art, g >= 0 ? g : team, g >= 0 ? quelle_pokal(g) : quelle_wappen(n), ziel, x, y, w, h,
                          nullptr, laden, &treffer, &fehl, stufe, transparent)
                   ? ziel
                   : nullptr;
    }
    Rastport_Bild bild(laden());
    if (!bild || !Rastport_Lock(bild.get()) || w > bild->breite || h > bild->hoehe) return nullptr;
    if (w == bild->breite && h == bild->hoehe) return bild.release();
    Rastport* neu = Rastport_Neu_Einfach(w, h, bild->tiefe());
    if (neu) {
        Blt_Rechteck(neu, 0, 0, w, h, 0);
        Bild_Verkleinern_Transparent(bild.get(), neu);
    }
    return neu;
}

u16 Farbe_Team_Name(i32 team, i32 wettbewerb) {
    if (team == Team_Aktiv) return FARBE_MENSCH;
    if (wettbewerb == -1) return FARBE_WETTBEWERB;
    if (team >= 0 && team < Team_Anzahl && Team_Aktiv >= 0 && Team_Aktiv < Team_Anzahl &&
        Team_Wert(TEAM_WERT_NATION, team, 0, OP_LESEN) == Team_Wert(TEAM_WERT_NATION, Team_Aktiv, 0, OP_LESEN))
        return FARBE_WEISS;
    if (wettbewerb != -2 && !Wettbewerb_Ist_International(wettbewerb)) return FARBE_WEISS;
    return FARBE_AUSLAND;
}

// The live view's sprite blits: the 8-bit run-length frames through a
// kit's colour table, the 16-bit ones whole or faded by a step, the crowd's,
// each clipped to the view.
#include "screens/live_view/figuren.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "base/bytes.h"
#include "base/memory.h"
#include "base/random.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/abdruck.h"
#include "graphics/blitter.h"
#include "graphics/farbe.h"
#include "graphics/font.h"
#include "graphics/pixel_schleifen.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/hauptmenue.h"
#include "gui/kit.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "platform/display.h"
#include "platform/input.h"
#include "screens/live_view/figur_palette.h"
#include "screens/live_view/projektion.h"
#include "screens/live_view/spielansicht.h"
#include "screens/live_view/stadion_ton.h"
#include "world/team.h"
#include "world/trikot.h"
#include "world/welt.h"

// ---------------------------------------------------------------------------
// Blits.

namespace {

struct Klipp {
    u16* pixel;
    i32 pitch;
    i32 x0, y0, x1, y1;  // inclusive-exclusive box on the screen
};

Klipp klipp_von(const Spielansicht_View* v) {
    Klipp k{};
    Rastport* rp = Screen_Rastport;
    // Pixels present and no probe watching: no call needed to take them.
    const bool bereit = !Abdruck_Ziel && rp && rp->bitmap && rp->bitmap->hat_pixel();
    if (!rp || (!bereit && !Rastport_Lock(rp)) || rp->tiefe() == 8) return k;
    k.pixel = rp->bitmap->pixel16();
    k.pitch = rp->breite;
    k.x0 = std::max(0, v->screen_x), k.y0 = std::max(0, v->screen_y);
    k.x1 = std::min(rp->breite, v->screen_x + v->breite);
    k.y1 = std::min(rp->hoehe, v->screen_y + v->hoehe);
    return k;
}

u32 lies32(const u8* p) { return get_u32le(p); }

// An 8-bit frame with its top-left at (x, y) of the screen, full or half
// size (rows 0, 2, 4, ..., columns 1, 3, 5, ...). Only the rows inside the
// view are walked.
bool rle8(const Klipp& k, const Sa_Frame& f, const u16* t, i32 x, i32 y, bool halb) {
    const i32 w = halb ? f.breite / 2 : f.breite, h = halb ? (f.hoehe + 1) / 2 : f.hoehe;
    if (!k.pixel || x >= k.x1 || y >= k.y1 || x + w <= k.x0 || y + h <= k.y0) return false;
    bool gezeichnet = false;
    // A frame inside the view's columns is drawn without a test a pixel.
    const bool ganz_breit = x >= k.x0 && x + w <= k.x1;
    const i32 erste = std::max(0, k.y0 - y), ende = std::min(h, k.y1 - y);
    for (i32 r = erste; r < ende; ++r) {
        const i32 zeile = halb ? 2 * r : r;
        const u8* p = f.daten + lies32(f.zeilen + 4 * zeile);
        u16* ziel = k.pixel + static_cast<size_t>(y + r) * k.pitch;
        if (ganz_breit && !halb) {
            u16* z = ziel + x;
            for (i32 sx = 0; sx < f.breite;) {
                const u8 c = *p++;
                const i32 n = c & 0x7F;
                if (c & 0x80) {
                    for (i32 i = 0; i < n; ++i) z[sx + i] = t[p[i]];
                    gezeichnet |= n > 0;
                    p += n;
                }
                sx += n;
            }
        } else if (ganz_breit) {
            // At half size only the odd columns are drawn.
            for (i32 sx = 0; sx < f.breite;) {
                const u8 c = *p++;
                const i32 n = c & 0x7F;
                if (c & 0x80) {
                    const i32 i0 = (sx & 1) ? 0 : 1;
                    u16* z = ziel + x + (sx + i0) / 2;
                    for (i32 i = i0; i < n; i += 2) *z++ = t[p[i]];
                    gezeichnet |= n > i0;
                    p += n;
                }
                sx += n;
            }
        } else {
            for (i32 sx = 0; sx < f.breite;) {
                const u8 c = *p++;
                const i32 n = c & 0x7F;
                if (c & 0x80) {
                    for (i32 i = 0; i < n; ++i) {
                        const i32 px = sx + i;
                        if (halb && !(px & 1)) continue;
                        const i32 dx = x + (halb ? px / 2 : px);
                        if (dx >= k.x0 && dx < k.x1) ziel[dx] = t[p[i]], gezeichnet = true;
                    }
                    p += n;
                }
                sx += n;
            }
        }
    }
    return gezeichnet;
}

// Where a 16-bit frame lands on the screen and what of it the view shows.
struct Lage16 {
    i32 x = 0, y = 0, w = 0, h = 0;     // the frame's box on the screen
    i32 kx = 0, ky = 0, kw = 0, kh = 0;  // its visible part
    bool halb = false;
    bool ganz() const { return kx == x && ky == y && kw == w && kh == h; }
};

bool lage16(const Spielansicht_View* v, const Rle_Sprite& sp, i32 x, i32 y, Lage16* l) {
    if (!Screen_Rastport || sp.breite <= 0 || sp.hoehe <= 0) return false;
    l->halb = v->layout != SA_VOLL;
    l->w = l->halb ? sp.breite / 2 : sp.breite;
    l->h = l->halb ? (sp.hoehe + 1) / 2 : sp.hoehe;
    const i32 ox = l->halb ? sp.x_korrektur / 2 : sp.x_korrektur;
    const i32 oy = l->halb ? sp.y_korrektur / 2 : sp.y_korrektur;
    l->x = x - v->scroll_x + (sp.gespiegelt ? -(l->w + ox) : ox) + v->screen_x;
    l->y = y - v->scroll_y + oy + v->screen_y;
    const i32 x0 = std::max({0, v->screen_x, l->x}), y0 = std::max({0, v->screen_y, l->y});
    const i32 x1 = std::min({Screen_Rastport->breite, v->screen_x + v->breite, l->x + l->w});
    const i32 y1 = std::min({Screen_Rastport->hoehe, v->screen_y + v->hoehe, l->y + l->h});
    if (x1 <= x0 || y1 <= y0) return false;
    l->kx = x0, l->ky = y0, l->kw = x1 - x0, l->kh = y1 - y0;
    return true;
}

using Rle_Schleife = i32 (*)(const Rle_Sprite&, Rastport*, i32, i32);

// A temporary picture of the frame's size in the screen's depth, cleared.
Rastport_Bild zwischenbild(const Lage16& l) {
    Rastport_Bild t{Rastport_Neu_Einfach(l.w, l.h, Screen_Rastport->tiefe())};
    if (t) Blt_Rechteck(t.get(), 0, 0, l.w, l.h, 0);
    return t;
}

}  // namespace


bool Spielansicht_Blit_Rle8(Spielansicht_View* v, const Sa_Frame* f, int objekt, i32 x, i32 y) {
    if (!v || !f || objekt < 0 || objekt >= SA_FARBTABELLEN) return false;
    const bool halb = v->layout != SA_VOLL;
    const i32 ox = halb ? f->x_versatz / 2 : f->x_versatz, oy = halb ? f->y_versatz / 2 : f->y_versatz;
    return rle8(klipp_von(v), *f, v->farben[objekt], x - v->scroll_x + ox + v->screen_x,
                y - v->scroll_y + oy + v->screen_y, halb);
}

void Spielansicht_Frames_Halb(const std::vector<const Sa_Frame*>& quellen, std::vector<Sa_Frame>& halb,
                              std::vector<u8>& daten) {
    halb.clear();
    daten.clear();
    std::vector<size_t> tabelle;  // each frame's row table in `daten`
    std::vector<int> zeile;       // a row's colour indices, -1 where empty
    for (const Sa_Frame* quelle : quellen) {
        const Sa_Frame& q = *quelle;
        const i32 w = q.breite / 2, h = (q.hoehe + 1) / 2;
        Sa_Frame z{static_cast<i16>(w), static_cast<i16>(h), static_cast<i16>(q.x_versatz / 2),
                   static_cast<i16>(q.y_versatz / 2), nullptr, nullptr};
        // The row table first (offsets from the frame's first row), then the rows.
        const size_t start = daten.size();
        daten.resize(start + 4 * static_cast<size_t>(h));
        const size_t anfang = daten.size();
        for (i32 r = 0; r < h; ++r) {
            put_u32le(daten.data() + start + 4 * r, static_cast<u32>(daten.size() - anfang));
            zeile.assign(static_cast<size_t>(q.breite), -1);
            const u8* p = q.daten + get_u32le(q.zeilen + 8 * r);
            for (i32 x = 0; x < q.breite;) {
                const u8 c = *p++;
                const i32 n = c & 0x7F;
                if (c & 0x80) {
                    for (i32 i = 0; i < n; ++i) zeile[static_cast<size_t>(x + i)] = p[i];
                    p += n;
                }
                x += n;
            }
            const auto index = [&](i32 j) { return zeile[static_cast<size_t>(2 * j + 1)]; };
            for (i32 j = 0; j < w;) {
                const bool voll = index(j) >= 0;
                i32 n = 0;
                while (j + n < w && n < 127 && (index(j + n) >= 0) == voll) ++n;
                daten.push_back(static_cast<u8>(n | (voll ? 0x80 : 0)));
                if (voll)
                    for (i32 i = 0; i < n; ++i) daten.push_back(static_cast<u8>(index(j + i)));
                j += n;
            }
        }
        tabelle.push_back(start);
        halb.push_back(z);
    }
    // The pointers once the data stands.
    for (size_t k = 0; k < halb.size(); ++k) {
        halb[k].zeilen = daten.data() + tabelle[k];
        halb[k].daten = daten.data() + tabelle[k] + 4 * static_cast<size_t>(halb[k].hoehe);
    }
}

bool Spielansicht_Blit_Rle8_Fertig(Spielansicht_View* v, const Sa_Frame* f, int objekt, i32 x, i32 y) {
    if (!v || !f || objekt < 0 || objekt >= SA_FARBTABELLEN) return false;
    return rle8(klipp_von(v), *f, v->farben[objekt], x - v->scroll_x + f->x_versatz + v->screen_x,
                y - v->scroll_y + f->y_versatz + v->screen_y, false);
}

bool Spielansicht_Blit_Rle(Spielansicht_View* v, const Sa_Frame16* f, i32 x, i32 y) {
    Lage16 l;
    if (!v || !f || !lage16(v, f->bild, x, y, &l)) return false;
    const Rle_Schleife schleife = l.halb ? (f->bild.gespiegelt ? Blt_Rle_Gespiegelt_Halb : Blt_Rle_Halb)
                                         : (f->bild.gespiegelt ? Blt_Rle_Gespiegelt : Blt_Rle);
    if (l.ganz()) return schleife(f->bild, Screen_Rastport, l.x, l.y) != 0;
    const Rastport_Bild t = zwischenbild(l);
    if (!t) return false;
    const bool ok = schleife(f->bild, t.get(), 0, 0) != 0;
    if (ok) Blt_Blit(t.get(), l.kx - l.x, l.ky - l.y, l.kw, l.kh, Screen_Rastport, l.kx, l.ky, Blt_Opt_Transparent);
    return ok;
}

bool Spielansicht_Blit_Rle_Stufe(Spielansicht_View* v, const Sa_Frame16* f, i32 stufe, i32 x, i32 y) {
    Lage16 l;
    if (!v || !f) return false;
    if (f->bild.gespiegelt) return Blt_Leer_A(f->bild, Screen_Rastport, x, y) != 0;
    if (f->tiefe != 15 && f->tiefe != 16) return Blt_Leer_B(f->bild, Screen_Rastport, x, y) != 0;
    if (!lage16(v, f->bild, x, y, &l)) return false;
    auto mischen = [&](Rastport* ziel, i32 dx, i32 dy) {
        return (l.halb ? Blt_Rle_Alpha_Halb(f->bild, ziel, dx, dy, stufe) : Blt_Rle_Alpha(f->bild, ziel, dx, dy, stufe)) != 0;
    };
    if (l.ganz()) return mischen(Screen_Rastport, l.x, l.y);
    // Cut: blend onto a copy of what lies under the visible part, then put it back.
    const Rastport_Bild t = zwischenbild(l);
    if (!t) return false;
    const i32 sx = l.kx - l.x, sy = l.ky - l.y;
    Blt_Blit(Screen_Rastport, l.kx, l.ky, l.kw, l.kh, t.get(), sx, sy, nullptr);
    const bool ok = mischen(t.get(), 0, 0);
    if (ok) Blt_Blit(t.get(), sx, sy, l.kw, l.kh, Screen_Rastport, l.kx, l.ky, nullptr);
    return ok;
}


// Blitter speed: full-screen copies, colour key, alpha and run-length sprites
// in megapixels per second, a screen of marked-up text, and a whole menu
// frame (background, 20 pictures, 30 lines of text).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "base/bytes.h"
#include "graphics/blitter.h"
#include "graphics/farbe.h"
#include "graphics/font.h"
#include "graphics/pixel_schleifen.h"
#include "graphics/resf.h"

namespace {

using Bild = std::unique_ptr<Rastport, decltype(&Rastport_Free)>;

// A picture with a soft pattern, a quarter of it colour key, an alpha ramp.
Bild muster(i32 w, i32 h) {
    Bild rp(Rastport_Neu_Einfach(w, h, 16), &Rastport_Free);
    rp->alpha.resize(static_cast<size_t>(w) * h);
    for (i32 y = 0; y < h; ++y)
        for (i32 x = 0; x < w; ++x) {
            const size_t i = static_cast<size_t>(y) * w + x;
            rp->bitmap->pixel16()[i] =
                ((x / 16 + y / 16) % 4 == 0) ? 0 : Farbe_Pack_565(x & 255, y & 255, (x ^ y) & 255);
            rp->alpha[i] = static_cast<u8>(x * 255 / w);
        }
    return rp;
}

Bild& bildschirm() {
    static Bild s(Rastport_Neu_Einfach(800, 600, 16), &Rastport_Free);
    return s;
}

void vollbild(benchmark::State& st, const Blt_Optionen* o) {
    Bild q = muster(800, 600);
    for (auto _ : st) {
        Blt_Blit(q.get(), 0, 0, -1, -1, bildschirm().get(), 0, 0, o);
        benchmark::ClobberMemory();
    }
    st.SetItemsProcessed(st.iterations() * 800 * 600);
    st.SetLabel("items/s = pixels/s");
}

void BM_Kopie(benchmark::State& st) { vollbild(st, nullptr); }
void BM_Farbschluessel(benchmark::State& st) { vollbild(st, Blt_Opt_Transparent); }
void BM_Alpha(benchmark::State& st) { vollbild(st, Blt_Opt_Alpha); }

void BM_Sprite(benchmark::State& st) {
    Bild q = muster(800, 600);
    auto sp = Rle_Sprite_Aus_Pixeln(q->bitmap->pixel16(), 800, 600);
    for (auto _ : st) {
        Blt_Rle(*sp, bildschirm().get(), 0, 0);
        benchmark::ClobberMemory();
    }
    st.SetItemsProcessed(st.iterations() * 800 * 600);
}

// The direct pixel loops over a full screen (items/s = pixels/s).
template <class F>
void schleife(benchmark::State& st, F&& f, i64 pixel = 800 * 600) {
    Bild q = muster(800, 600);
    q->maske.assign(800 * 600 / 8, 0xA5);
    u16* z = bildschirm()->bitmap->pixel16();
    for (auto _ : st) {
        f(q.get(), z);
        benchmark::ClobberMemory();
    }
    st.SetItemsProcessed(st.iterations() * pixel);
}
#define VOLL(name) name(q->bitmap->pixel16(), 0, 0, 800, 600, 800, z, 0, 0, 800
void BM_Kopie_Breit(benchmark::State& st) {
    schleife(st, [](Rastport* q, u16* z) { VOLL(Blt_Kopie_Breit)); });
}
void BM_Kopie_Schluessel_Einzeln(benchmark::State& st) {
    schleife(st, [](Rastport* q, u16* z) { VOLL(Blt_Kopie_Schluessel_Einzeln), 0); });
}
void BM_Zeile_Transparent(benchmark::State& st) {
    schleife(st, [](Rastport* q, u16* z) { VOLL(Blt_Zeile_Transparent)); });
}
void BM_Abdunkeln_Schluessel_565(benchmark::State& st) {
    schleife(st, [](Rastport* q, u16* z) { VOLL(Blt_Abdunkeln_Schluessel_565), 120, 0); });
}
void BM_Abdunkeln_Maske_565(benchmark::State& st) {
    schleife(st, [](Rastport* q, u16* z) { VOLL(Blt_Abdunkeln_Maske_565), 120, q->maske.data()); });
}
void BM_Aufhellen_Schluessel(benchmark::State& st) {
    schleife(st, [](Rastport* q, u16* z) { VOLL(Blt_Aufhellen_Schluessel), 0, 96); });
}
void BM_Aufhellen_Doppel(benchmark::State& st) {
    schleife(st, [](Rastport* q, u16* z) { VOLL(Blt_Aufhellen_Doppel), 0, 96); });
}
#undef VOLL
// Half size: a quarter of the source's pixels are drawn; counted are the
// source pixels covered.
void BM_Kopie_Maske_Halb(benchmark::State& st) {
    schleife(st, [](Rastport* q, u16* z) {
        Blt_Kopie_Maske_Halb(q->bitmap->pixel16(), 0, 0, 800, 600, 800, z, 0, 0, 800, q->maske.data());
    });
}
void BM_Rle_Ausschnitt(benchmark::State& st) {
    Bild q = muster(800, 600);
    auto sp = Rle_Sprite_Aus_Pixeln(q->bitmap->pixel16(), 800, 600);
    schleife(st, [&](Rastport*, u16* z) { Blt_Rle_Ausschnitt(*sp, 100, 50, 600, 500, z, 100, 50, 800); },
             600 * 500);
}
void BM_Rle_Alpha_Halb(benchmark::State& st) {
    Bild q = muster(800, 600);
    auto sp = Rle_Sprite_Aus_Pixeln(q->bitmap->pixel16(), 800, 600);
    schleife(st, [&](Rastport*, u16*) { Blt_Rle_Alpha_Halb(*sp, bildschirm().get(), 0, 0, 64); });
}
// Lines: items are drawn pixels (a fan of 600 lines across the screen).
void BM_Linie(benchmark::State& st) {
    schleife(
        st, [](Rastport*, u16* z) {
            for (i32 i = 0; i < 600; ++i) Blt_Linie(z, 800, 600, 800, 0, i, 799, 599 - i, 0xFFFF);
        },
        600 * 800);
}

// Font 9 of the generated archive (the help and list font), else null.
Font* spielfont() {
    static Font* f = static_cast<Font*>(
        Resf_Lade_Eintrag(Resf_Oeffnen(KORDAVO_SPIELORDNER "/resfile/fontres.res", 0), 9, 16, nullptr));
    return f;
}

void dreissig_zeilen(Rastport* ziel, Font* f) {
    for (i32 z = 0; z < 30; ++z)
        Font_Printf(ziel, f, "^c%05d%d.^tl0030Borussia Kordavo^tr0300%d:%d^tl0320^c%05dSpieltag %d, Zuschauer %d", 10,
                    20 + z * 19, 0xFFFF, z + 1, z % 5, (z * 7) % 4, 0xF5A7, z + 3, 20000 + z * 731);
}

void BM_Text30Zeilen(benchmark::State& st) {
    Font* f = spielfont();
    if (!f) {
        st.SkipWithError("fontres.res fehlt (erst bauen)");
        return;
    }
    for (auto _ : st) {
        dreissig_zeilen(bildschirm().get(), f);
        benchmark::ClobberMemory();
    }
}

void BM_Menuebild(benchmark::State& st) {
    Font* f = spielfont();
    if (!f) {
        st.SkipWithError("fontres.res fehlt (erst bauen)");
        return;
    }
    Bild hintergrund = muster(800, 600);
    Bild knopf = muster(100, 40);
    Bild wappen = muster(66, 66);
    for (auto _ : st) {
        Blt_Blit(hintergrund.get(), 0, 0, -1, -1, bildschirm().get(), 0, 0, nullptr);
        for (i32 i = 0; i < 20; ++i)
            Blt_Blit(i % 2 ? knopf.get() : wappen.get(), 0, 0, -1, -1, bildschirm().get(), 20 + (i % 5) * 150,
                     30 + (i / 5) * 120, i % 2 ? Blt_Opt_Transparent : Blt_Opt_Alpha);
        dreissig_zeilen(bildschirm().get(), f);
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_Kopie);
BENCHMARK(BM_Farbschluessel);
BENCHMARK(BM_Alpha);
BENCHMARK(BM_Sprite);
BENCHMARK(BM_Kopie_Breit);
BENCHMARK(BM_Kopie_Schluessel_Einzeln);
BENCHMARK(BM_Zeile_Transparent);
// A grey icon's darkening (level 64) over a 140 x 36 button, as the menus
// draw several a frame.
void BM_Abdunkeln_Grau_Knopf(benchmark::State& st) {
    Bild q = muster(800, 600);
    Blt_Blit(q.get(), 0, 0, -1, -1, bildschirm().get(), 0, 0, nullptr);
    for (auto _ : st) {
        Blt_Abdunkeln(bildschirm().get(), 300, 200, 140, 36, 64);
        benchmark::ClobberMemory();
    }
    st.SetItemsProcessed(st.iterations() * 140 * 36);
}
BENCHMARK(BM_Abdunkeln_Grau_Knopf);
// A message box's dimmer: the whole screen darkened at level 90.
void BM_Abdunkeln_Schirm(benchmark::State& st) {
    Bild q = muster(800, 600);
    Blt_Blit(q.get(), 0, 0, -1, -1, bildschirm().get(), 0, 0, nullptr);
    for (auto _ : st) {
        Blt_Abdunkeln(bildschirm().get(), 0, 0, 800, 600, 90);
        benchmark::ClobberMemory();
    }
    st.SetItemsProcessed(st.iterations() * 800 * 600);
}
BENCHMARK(BM_Abdunkeln_Schirm);
BENCHMARK(BM_Abdunkeln_Schluessel_565);
BENCHMARK(BM_Abdunkeln_Maske_565);
BENCHMARK(BM_Aufhellen_Schluessel);
BENCHMARK(BM_Aufhellen_Doppel);
BENCHMARK(BM_Kopie_Maske_Halb);
BENCHMARK(BM_Rle_Ausschnitt);
BENCHMARK(BM_Rle_Alpha_Halb);
BENCHMARK(BM_Linie);
BENCHMARK(BM_Text30Zeilen);
BENCHMARK(BM_Menuebild);

}  // namespace

BENCHMARK_MAIN();

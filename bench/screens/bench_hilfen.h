// What the screen benchmarks share: the game folder's archives, fonts, screen
// and texts set up once, and a count of heap allocations (include this
// header in one file per benchmark program only: it replaces operator new).
#pragma once

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/text_cfg.h"
#include "base/files.h"

namespace bench_hilfen {
inline std::atomic<long> zuteilungen{0};

// The archives and configuration of the built game folder, the fonts, the
// screen and the texts; false when the folder is not there.
inline bool Grafik_Bereit() {
    std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s/resfile", KORDAVO_SPIELORDNER);
    std::snprintf(W32_Dir_Tabelle[W32_DIR_CONFIG], W32_DIR_LAENGE, "%s/config", KORDAVO_SPIELORDNER);
    if (!Resf_Init() || !Font_Init(Resf_Spiel_Slot(RESF_FONT_ARCHIV), 0, FONT_ANZAHL)) return false;
    Rastport_Init_Screen();
    Text_cfg_Init();
    return true;
}
}  // namespace bench_hilfen

#ifdef BENCH_ZUTEILUNGEN_ZAEHLEN
// Every allocation comes from malloc here, so free is the matching release
// (the compiler cannot see that once the pair is inlined).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t n) {
    ++bench_hilfen::zuteilungen;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop
#endif

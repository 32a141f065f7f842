#include "base/random.h"

#include <chrono>
#include <utility>

#include "base/bytes.h"
#include "base/debug.h"

// The table: 6,000 values of Marsaglia's 32-bit xorshift generator
// (x ^= x << 13; x ^= x >> 17; x ^= x << 5) started from the seed
// 0x4B4F5244 ("KORD"); each value is the top 15 bits of the state (x >> 17),
// so 0..32767. It is computed by the compiler, the same on every machine,
// and its checksum is checked by the tests.

namespace {

constexpr u32 k_seed = 0x4B4F5244u;

struct Tabelle {
    u16 werte[RND_TABELLE_GROESSE];
};

constexpr Tabelle Tabelle_Erzeugen() {
    Tabelle t{};
    u32 x = k_seed;
    for (u32 i = 0; i < RND_TABELLE_GROESSE; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        t.werte[i] = static_cast<u16>(x >> 17);
    }
    return t;
}

constexpr Tabelle k_tabelle = Tabelle_Erzeugen();

u32 g_cursor = 0;
u32 g_stapel[RND_STAPEL_TIEFE];
int g_stapel_tiefe = 0;  // may exceed RND_STAPEL_TIEFE: the extra pushes keep Push/Pop balanced

u32 Naechster() {
    const u32 v = Rnd_Tabelle[g_cursor];
    g_cursor = g_cursor + 1 < RND_TABELLE_GROESSE ? g_cursor + 1 : 0;
    return v;
}

// A draw taken into von..bis (bis >= von) by modulo.
i32 In_Bereich(i32 von, i32 bis, u32 zahl) {
    const u64 spanne = static_cast<u64>(static_cast<i64>(bis) - von) + 1;
    return static_cast<i32>(von + static_cast<i64>(zahl % spanne));
}

// A number in 0..spanne (spanne >= 0): below 10,000 one draw by modulo,
// otherwise hundreds (recursively) plus the last two digits.
i64 Rnd_Spanne(i64 spanne) {
    if (spanne < 10000) return static_cast<i64>(Naechster() % static_cast<u32>(spanne + 1));
    const i64 hunderter_max = spanne / 100;
    const i64 hunderter = Rnd_Spanne(hunderter_max);
    const i64 rest_max = hunderter == hunderter_max ? spanne % 100 : 99;
    return hunderter * 100 + static_cast<i64>(Naechster() % static_cast<u32>(rest_max + 1));
}

template <class K>
void Quicksort(u32* werte, K* schluessel, i64 lo, i64 hi, bool absteigend) {
    while (lo < hi) {
        const K pivot = schluessel[lo + (hi - lo) / 2];
        i64 i = lo, j = hi;
        while (i <= j) {
            if (absteigend) {
                while (schluessel[i] > pivot) ++i;
                while (schluessel[j] < pivot) --j;
            } else {
                while (schluessel[i] < pivot) ++i;
                while (schluessel[j] > pivot) --j;
            }
            if (i <= j) {
                const K k = schluessel[i];
                schluessel[i] = schluessel[j];
                schluessel[j] = k;
                if (werte != nullptr) {
                    const u32 w = werte[i];
                    werte[i] = werte[j];
                    werte[j] = w;
                }
                ++i;
                --j;
            }
        }
        // Recurse into the smaller part, loop over the larger one: the stack
        // stays shallow whatever the keys are.
        if (j - lo < hi - i) {
            Quicksort(werte, schluessel, lo, j, absteigend);
            lo = i;
        } else {
            Quicksort(werte, schluessel, i, hi, absteigend);
            hi = j;
        }
    }
}

u64 g_deko = 0;

}  // namespace

const u16 (&Rnd_Tabelle)[RND_TABELLE_GROESSE] = k_tabelle.werte;

u32 Rnd_Tabelle_Pruefsumme() {
    u32 h = 0x811C9DC5u;
    for (u16 v : Rnd_Tabelle) {
        h = (h ^ (v & 0xFF)) * 0x01000193u;
        h = (h ^ (v >> 8)) * 0x01000193u;
    }
    return h;
}

i32 Rnd_Basis(i32 von, i32 bis) { return bis < von ? von : In_Bereich(von, bis, Naechster()); }

i32 Rnd(i32 von, i32 bis) {
    if (bis < von) {
        Debug_Printf("Rnd: bis (%d) < von (%d) !", bis, von);
        return 0;
    }
    return static_cast<i32>(von + Rnd_Spanne(static_cast<i64>(bis) - von));
}

u32 Rnd_Get_Index() { return g_cursor; }

void Rnd_Set_Index(i32 position, i32 /*unbenutzt*/) {
    const i64 p = position < 0 ? -static_cast<i64>(position) : position;
    g_cursor = static_cast<u32>(p % RND_TABELLE_GROESSE);
}

void Rnd_Push() {
    if (g_stapel_tiefe < RND_STAPEL_TIEFE) g_stapel[g_stapel_tiefe] = g_cursor;
    else Debug_Printf("Rnd_Push: Stapel voll!");
    ++g_stapel_tiefe;
    g_cursor = 0;
}

void Rnd_Pop() {
    if (g_stapel_tiefe <= 0) {
        Debug_Printf("Rnd_Pop: Stapel leer!");
        return;
    }
    --g_stapel_tiefe;
    if (g_stapel_tiefe < RND_STAPEL_TIEFE) g_cursor = g_stapel[g_stapel_tiefe];
}

void Rnd_Block_Schreiben(u8 block[RND_BLOCK_GROESSE]) {
    bytes::bild_schreiben(block, RND_BLOCK_GROESSE,
                          [](bytes::Schreiber& s) { s(g_cursor), s(Rnd_Tabelle_Pruefsumme()); });
}

bool Rnd_Block_Gueltig(const u8 block[RND_BLOCK_GROESSE]) {
    u32 cursor = 0, pruefsumme = 0;
    bytes::Leser(block, RND_BLOCK_GROESSE)(std::tie(cursor, pruefsumme));
    return pruefsumme == Rnd_Tabelle_Pruefsumme() && cursor < RND_TABELLE_GROESSE;
}

bool Rnd_Block_Lesen(const u8 block[RND_BLOCK_GROESSE]) {
    if (!Rnd_Block_Gueltig(block)) {
        Debug_Printf("Rnd_Block_Lesen: Zufallstabelle passt nicht!");
        return false;
    }
    g_cursor = bytes::Leser(block, 4).u32_();
    g_stapel_tiefe = 0;
    return true;
}

void SortMisch_Mische(u32* feld, i32 anzahl) {
    if (feld == nullptr || anzahl < 2) return;
    for (i32 i = 0; i < anzahl; ++i) {
        const i32 j = Rnd_Basis(0, anzahl - 1);
        const u32 t = feld[i];
        feld[i] = feld[j];
        feld[j] = t;
    }
}

void SortMisch_Mische_Paare(u32* feld, i32 anzahl) {
    const i32 paare = anzahl / 2;
    if (feld == nullptr || paare < 2) return;
    for (i32 i = 0; i < paare; ++i) {
        const i32 j = Rnd_Basis(0, paare - 1);
        for (int k = 0; k < 2; ++k) {
            const u32 t = feld[2 * i + k];
            feld[2 * i + k] = feld[2 * j + k];
            feld[2 * j + k] = t;
        }
    }
}

void SortMisch_Mische8(u8* feld, i32 anzahl) {
    if (feld == nullptr || anzahl < 2) return;
    for (i32 i = 0; i < anzahl; ++i) SortMisch_Tausche8(&feld[i], &feld[Rnd_Basis(0, anzahl - 1)]);
}

void SortMisch_Sortiere(u32* werte, i32* schluessel, i32 anzahl, i32 absteigend) {
    if (schluessel == nullptr || anzahl < 2) return;
    Quicksort(werte, schluessel, 0, anzahl - 1, absteigend != 0);
}

void SortMisch_Sortiere_U(u32* werte, u32* schluessel, i32 anzahl, i32 absteigend) {
    if (schluessel == nullptr || anzahl < 2) return;
    Quicksort(werte, schluessel, 0, anzahl - 1, absteigend != 0);
}

void SortMisch_Tausche8(u8* a, u8* b) { std::swap(*a, *b); }
// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
void SortMisch_Tausche16(u16* a, u16* b) { std::swap(*a, *b); }

// Decoration: xorshift64* seeded from the clock on first use.
u32 Rnd_Deko() {
    if (g_deko == 0) {
        g_deko = static_cast<u64>(std::chrono::steady_clock::now().time_since_epoch().count()) | 1u;
    }
    g_deko ^= g_deko >> 12;
    g_deko ^= g_deko << 25;
    g_deko ^= g_deko >> 27;
    return static_cast<u32>((g_deko * 0x2545F4914F6CDD1Dull) >> 32);
}

i32 Rnd_Deko_Von_Bis(i32 von, i32 bis) { return bis < von ? von : In_Bereich(von, bis, Rnd_Deko()); }

void Rnd_Deko_Seed(u32 seed) { g_deko = (static_cast<u64>(seed) << 1) | 1u; }

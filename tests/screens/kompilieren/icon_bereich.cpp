// Compiled by the tests, not linked: with RICHTIG every icon lies in its
// owner's range and the file compiles; with AUSSERHALB one icon lies outside,
// with DOPPELT one number is used twice, with REIHE_AUSSERHALB a row runs
// past the range, and the build must refuse each.
#include "gui/icon_tabelle.h"

constexpr auto TABELLE = Icon_Tabelle_Bauen<Icon_Besitzer::OPTIONEN>({
    {.nummer = 1744},
#if defined(AUSSERHALB)
    {.nummer = 1749},
#elif defined(DOPPELT)
    {.nummer = 1744},
#else
    {.nummer = 1748},
#endif
});
static_assert(TABELLE.icons[2].nummer == -1, "the end mark");

// A table of blocks: a single icon, a row of three stepping down 17 pixels
// (numbers, places and row index counted on), a single icon.
constexpr auto STUECKE = Icon_Tabelle_Aus<Icon_Besitzer::OPTIONEN>(
    Icon_Liste({{.nummer = 1744}}),
#if defined(REIHE_AUSSERHALB)
    Icon_Reihe<5>({.nummer = 1745, .x = 5, .y = 100, .w = 30, .h = 17, .user = {0, 7}}, 2, 17));
#else
    Icon_Reihe<3>({.nummer = 1745, .x = 5, .y = 100, .w = 30, .h = 17, .user = {0, 7}}, 2, 17),
    Icon_Liste({{.nummer = 1748}}));
#endif
static_assert(STUECKE.anzahl == 5 && STUECKE.icons[5].nummer == -1, "every block and the end mark");
static_assert(STUECKE.icons[0].nummer == 1744 && STUECKE.icons[4].nummer == 1748, "the blocks in their order");
static_assert(STUECKE.icons[3].nummer == 1747 && STUECKE.icons[3].x == 9 && STUECKE.icons[3].y == 134, "row 2");
static_assert(STUECKE.icons[3].user[0] == 2 && STUECKE.icons[3].user[1] == 7 && STUECKE.icons[3].w == 30,
              "the row's index, the rest of the shape kept");
static_assert(Icon_Reihe<2>({.nummer = 1, .user = {9, 0}}, 0, 0, false)[1].user[0] == 9, "no index asked for");

int main() { return TABELLE.daten()[0].nummer == 1744 && STUECKE.daten()[1].nummer == 1745 ? 0 : 1; }

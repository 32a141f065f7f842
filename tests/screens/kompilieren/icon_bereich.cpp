// Compiled by the tests, not linked: with RICHTIG every icon lies in its
// owner's range and the file compiles; with AUSSERHALB one icon lies outside,
// with DOPPELT one number is used twice, and the build must refuse both.
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

int main() { return TABELLE.daten()[0].nummer == 1744 ? 0 : 1; }

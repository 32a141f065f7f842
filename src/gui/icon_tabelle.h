// The one way to write an icon table: the icons as designated initialisers,
// the owner's range checked at compile time, the end mark added.
//
//   constexpr auto TABELLE = Icon_Tabelle_Bauen<Icon_Besitzer::OPTIONEN>({
//       {.nummer = ICON_OPTIONEN_LISTE, .grafik = GRAFIK_OPTIONEN_LISTE, .x = 32, .y = 83, ...},
//       ...
//   });
//   Menue_Screen_Icon_Tabelle_Hinzufuegen(TABELLE.icons.data());
//
// Every icon names its own click and draw procedures; nothing dispatches on
// icon numbers. A number outside the owner's range or used twice stops the
// build (the consteval builder cannot finish).
#pragma once

#include <array>
#include <cstddef>

#include "gui/icon_bereiche.h"
#include "gui/menue.h"

template <size_t N>
struct Icon_Tabelle {
    std::array<Screen_Icon, N + 1> icons{};  // the last one has number -1
    constexpr const Screen_Icon* daten() const { return icons.data(); }
    static constexpr size_t anzahl = N;
};

namespace icon_tabelle_intern {
// Not constexpr: reaching it during constant evaluation stops the build with
// its name in the message.
inline void icon_nummer_ausserhalb_des_bereichs_oder_doppelt() {}
}  // namespace icon_tabelle_intern

template <Icon_Besitzer B, size_t N>
consteval Icon_Tabelle<N> Icon_Tabelle_Bauen(const Screen_Icon (&icons)[N]) {
    Icon_Tabelle<N> t;
    for (size_t i = 0; i < N; ++i) {
        bool doppelt = false;
        for (size_t k = 0; k < i; ++k) doppelt = doppelt || icons[k].nummer == icons[i].nummer;
        if (!Icon_Gehoert(B, icons[i].nummer) || doppelt)
            icon_tabelle_intern::icon_nummer_ausserhalb_des_bereichs_oder_doppelt();
        t.icons[i] = icons[i];
    }
    t.icons[N].nummer = -1;
    return t;
}

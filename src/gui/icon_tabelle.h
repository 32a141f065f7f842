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

// The scroll bar of a list, the one shape every list screen uses: the track
// (a click there moves the knob to it) and the knob (dragged, or moved by
// the wheel over the list icon `liste`; `move` says its path). Both share
// the screen's extra flags (a modal screen's MENUE_F_MODAL).
//
//   constexpr Scrollbalken BALKEN{.spur = ICON_X_SPUR, .knopf = ICON_X_KNOPF, .liste = ICON_X_LISTE, ...};
//   ... Icon_Scrollspur(BALKEN), Icon_Scrollknopf(BALKEN), ...
struct Scrollbalken {
    i16 spur, knopf, liste;
    u32 grafik_spur, grafik_knopf;
    i16 x;  // the track's left edge
    i16 spur_y, spur_b, spur_h;
    i16 knopf_x, knopf_y, knopf_b, knopf_h;  // the knob's place at the top
    Move_Struktur* move;
    i8 ebene;  // the track's level; the knob lies one above
    u32 flags = 0;
};
constexpr Screen_Icon Icon_Scrollspur(const Scrollbalken& b) {
    return {.nummer = b.spur,
            .grafik = b.grafik_spur,
            .flags = b.flags,
            .x = b.x,
            .y = b.spur_y,
            .status = MENUE_S_TRANSPARENT,
            .klick = Menue_Scrollbar_Klick,
            .ebene = b.ebene,
            .w = b.spur_b,
            .h = b.spur_h,
            .verknuepft = b.knopf};
}
constexpr Screen_Icon Icon_Scrollknopf(const Scrollbalken& b) {
    return {.nummer = b.knopf,
            .grafik = b.grafik_knopf,
            .flags = MENUE_F_SCROLLBUTTON | MENUE_F_ZIEHBAR | b.flags,
            .x = b.knopf_x,
            .y = b.knopf_y,
            .daten = b.move,
            .status = MENUE_S_TRANSPARENT,
            .ebene = static_cast<i8>(b.ebene + 1),
            .w = b.knopf_b,
            .h = b.knopf_h,
            .verknuepft = b.liste};
}

// The one way to write an icon table: the icons as designated initialisers,
// the owner's range checked at compile time, the end mark added. Rows of
// icons of one shape are made by Icon_Reihe and joined with single icons
// by Icon_Tabelle_Aus.
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

// A row of N icons of one shape (the rows of a list, a column of buttons):
// icon k is `erste` with number erste.nummer + k at (erste.x + k·dx,
// erste.y + k·dy); with `index_merken` its user word 0 holds k, the row
// the icon's procedures read.
//
//   Icon_Reihe<20>({.nummer = ICON_X_ZEILE, .x = 8, .y = 116, ..., .h = 17}, 0, 17)
template <size_t N>
constexpr std::array<Screen_Icon, N> Icon_Reihe(const Screen_Icon& erste, i32 dx, i32 dy, bool index_merken = true) {
    std::array<Screen_Icon, N> r{};
    for (size_t k = 0; k < N; ++k) {
        r[k] = erste;
        const i32 n = static_cast<i32>(k);
        r[k].nummer = static_cast<i16>(erste.nummer + n);
        r[k].x = static_cast<i16>(erste.x + dx * n);
        r[k].y = static_cast<i16>(erste.y + dy * n);
        if (index_merken) r[k].user[0] = static_cast<u32>(n);
    }
    return r;
}

// Single icons as one block of a table built of blocks.
template <size_t N>
consteval std::array<Screen_Icon, N> Icon_Liste(const Screen_Icon (&icons)[N]) {
    std::array<Screen_Icon, N> r{};
    for (size_t i = 0; i < N; ++i) r[i] = icons[i];
    return r;
}

// A table of blocks (Icon_Liste, Icon_Reihe) in their order, checked as
// Icon_Tabelle_Bauen checks.
template <Icon_Besitzer B, size_t... K>
consteval Icon_Tabelle<(K + ...)> Icon_Tabelle_Aus(const std::array<Screen_Icon, K>&... teile) {
    Screen_Icon alle[(K + ...)] = {};
    size_t i = 0;
    ((
         [&] {
             for (const Screen_Icon& icon : teile) alle[i++] = icon;
         }()),
     ...);
    return Icon_Tabelle_Bauen<B>(alle);
}

// The scroll bar of a list, the one shape every list screen uses: the track
// (a click there moves the knob to it) and the knob (dragged, or moved by
// the wheel over the list icon `liste`; `move` says its path), both drawn
// from their pictures. Both share the screen's extra flags (a modal
// screen's MENUE_F_MODAL) and state (MENUE_S_VERSTECKT: a bar shown only
// once its list is longer than the page); the knob lies one level above
// the track unless `knopf_ebene` says where.
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
    i8 ebene;  // the track's level
    u32 flags = 0;
    u32 status = 0;       // besides MENUE_S_TRANSPARENT
    i8 knopf_ebene = -1;  // -1: one above the track
};
constexpr Screen_Icon Icon_Scrollspur(const Scrollbalken& b) {
    return {.nummer = b.spur,
            .grafik = b.grafik_spur,
            .flags = b.flags,
            .x = b.x,
            .y = b.spur_y,
            .status = MENUE_S_TRANSPARENT | b.status,
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
            .status = MENUE_S_TRANSPARENT | b.status,
            .ebene = b.knopf_ebene >= 0 ? b.knopf_ebene : static_cast<i8>(b.ebene + 1),
            .w = b.knopf_b,
            .h = b.knopf_h,
            .verknuepft = b.liste};
}

// The range of every field of a record, as a table beside the record: the
// reader of a save game or of the network checks a record with it, and the
// tests walk it (each field at its two edges and one past them).
#pragma once

#include <cstddef>
#include <limits>
#include <type_traits>

#include "base/debug.h"
#include "base/types.h"

// The range of one field of any number type, read and written through the
// table (a record whose fields differ in width and kind, floating-point
// money among them): one row per field, written where the record is
// defined, with FELD_GRENZE.
template <class T>
struct Feld_Grenze {
    const char* name;
    f64 (*lesen)(const T& r);
    void (*setzen)(T& r, f64 wert);  // the value cut to the field's type (tests build records with it)
    f64 min;
    f64 max;
    f64 typ_min;  // the values the field's type holds
    f64 typ_max;
};
#define FELD_GRENZE(T, feld, unten, oben)                                                                  \
    Feld_Grenze<T> {                                                                                       \
        #feld, [](const T& r) { return static_cast<f64>(r.feld); },                                        \
            [](T& r, f64 w) { r.feld = static_cast<std::remove_cvref_t<decltype(r.feld)>>(w); }, (unten),  \
            (oben), static_cast<f64>(std::numeric_limits<std::remove_cvref_t<decltype(T{}.feld)>>::lowest()), \
            static_cast<f64>(std::numeric_limits<std::remove_cvref_t<decltype(T{}.feld)>>::max())          \
    }

// True when every field of the table lies within its range (NaN and
// infinities lie outside every range).
template <class T, size_t N>
bool Felder_Pruefen(const char* modul, const T& r, const Feld_Grenze<T> (&tabelle)[N]) {
    for (const Feld_Grenze<T>& b : tabelle) {
        const f64 w = b.lesen(r);
        if (!(w >= b.min && w <= b.max)) {  // NaN fails both, infinities one
            Debug_Printf("%s: %s = %.17g liegt nicht in %.17g..%.17g\n", modul, b.name, w, b.min, b.max);
            return false;
        }
    }
    return true;
}

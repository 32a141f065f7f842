// Range checks of values read from a save game, a cache or the network, as
// a table: one row per value with the range its module works with. A new
// field is one more row.
//
//     if (!Bereiche_Pruefen("Stadien", {{"prozent", p, 25, 200},
//                                       {"klasse", s.klasse, 0, 5}}))
//         return false;
//
// The first value outside its range is logged with its module and name.
#pragma once

#include <cmath>
#include <cstddef>
#include <initializer_list>

#include "base/debug.h"
#include "base/feld_grenze.h"
#include "base/types.h"

struct Bereich {
    const char* name;
    i64 wert;
    i64 min;
    i64 max;
};

// True when every value lies within its range (both ends included).
inline bool Bereiche_Pruefen(const char* modul, std::initializer_list<Bereich> tabelle) {
    for (const Bereich& b : tabelle)
        if (b.wert < b.min || b.wert > b.max) {
            Debug_Printf("%s: %s = %lld liegt nicht in %lld..%lld\n", modul, b.name, static_cast<long long>(b.wert),
                         static_cast<long long>(b.min), static_cast<long long>(b.max));
            return false;
        }
    return true;
}

// The same for floating-point values (NaN and infinities are outside every range).
struct Bereich_F {
    const char* name;
    f64 wert;
    f64 min;
    f64 max;
};

inline bool Bereiche_Pruefen_F(const char* modul, std::initializer_list<Bereich_F> tabelle) {
    for (const Bereich_F& b : tabelle)
        if (!std::isfinite(b.wert) || b.wert < b.min || b.wert > b.max) {
            Debug_Printf("%s: %s = %g liegt nicht in %g..%g\n", modul, b.name, b.wert, b.min, b.max);
            return false;
        }
    return true;
}

// The range of one i32 field of a record, kept beside the record's
// definition so that its reader and its tests use the same numbers.
template <class T>
struct Feld_Bereich {
    const char* name;
    i32 T::*feld;
    i64 min;
    i64 max;
};

// True when every field of the table lies within its range.
template <class T, size_t N>
bool Felder_Pruefen(const char* modul, const T& r, const Feld_Bereich<T> (&tabelle)[N]) {
    for (const Feld_Bereich<T>& b : tabelle)
        if (!Bereiche_Pruefen(modul, {{b.name, r.*b.feld, b.min, b.max}})) return false;
    return true;
}

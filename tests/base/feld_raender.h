// The values a test of a range table tries for one field: the range's two
// edges (accepted) and one past each (refused) where the field's type holds
// them.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/types.h"

struct Rand {
    f64 wert;
    bool gut;
};
inline std::vector<Rand> raender(f64 min, f64 max, f64 typ_min, f64 typ_max) {
    auto schritt = [](f64 x) { return std::max(1.0, std::fabs(x) * 1e-6); };
    std::vector<Rand> r{{min, true}, {max, true}};
    if (min - schritt(min) >= typ_min) r.push_back({min - schritt(min), false});
    if (max + schritt(max) <= typ_max) r.push_back({max + schritt(max), false});
    return r;
}

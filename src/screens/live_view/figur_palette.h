// The figures' palette: the live view draws every player, official, ball and
// spectator from 8-bit frames whose pixels are indices of one base palette of
// 256 six-bit RGB triples. The entries of each part of a figure (hair,
// shorts, shirt, sleeves, skin, boots, socks, collar) form a list; a view
// tints each list towards the part's colour (Farbe_Palette_Einfaerben keeps
// every entry's brightness relative to the list's reference entry), so the
// same frames show every club's kit and every skin and hair colour.
//
// Header-only, so the resource generator paints its frames with exactly the
// indices the view recolours.
//
// Index 0 is the colour key; index 44 is the figure's ground shadow (the view
// sets it to a dark grass green); indices 240..255 keep their own colour in
// every table (flags, cards, the ball's seams, outlines).
#pragma once

#include <array>

#include "base/types.h"

namespace figur {

// The parts, in the order of the view's colour tables.
enum Teil : int { HAAR, HOSE, HEMD, AERMEL, HAUT, SCHUHE, STUTZEN, KRAGEN, TEILE };

struct Liste {
    int laenge, bezug;  // entries and the reference position
};
constexpr Liste LISTEN[TEILE] = {{18, 10}, {18, 3}, {60, 3}, {54, 8}, {16, 3}, {8, 0}, {63, 3}, {22, 3}};

constexpr int SCHATTEN = 44;
// Fixed colours.
enum : int { F_DUNKEL = 240, F_WEISS, F_ROT, F_GELB, F_NAHT, F_HOLZ, F_METALL, F_FAHNE_ROT, F_FAHNE_GELB };

// Brightness offsets (0..255 luminance) of the darkest and the brightest entry
// of a list against its reference entry.
constexpr int DUNKELSTE = -80, HELLSTE = 55;

// The luminance offset of list position k.
constexpr int Versatz(Teil t, int k) {
    const Liste l = LISTEN[t];
    if (k == l.bezug) return 0;
    if (k < l.bezug) return DUNKELSTE * (l.bezug - k) / l.bezug;
    return HELLSTE * (k - l.bezug) / (l.laenge - 1 - l.bezug);
}

// The first palette index of each part's own run (44 and the fixed colours
// are left out; the collar shares the socks' first 22 entries, both take the
// socks' colour).
struct Indizes {
    std::array<std::array<u8, 64>, TEILE> liste{};
};
constexpr Indizes INDIZES = [] {
    Indizes r{};
    int n = 1;
    for (int t = 0; t < TEILE; ++t) {
        if (t == KRAGEN) {
            for (int k = 0; k < LISTEN[t].laenge; ++k) r.liste[t][k] = r.liste[STUTZEN][k];
            continue;
        }
        for (int k = 0; k < LISTEN[t].laenge; ++k) {
            if (n == SCHATTEN) ++n;
            r.liste[t][k] = static_cast<u8>(n++);
        }
    }
    return r;
}();
static_assert(INDIZES.liste[STUTZEN][62] < F_DUNKEL, "the parts fit below the fixed colours");

// The list of a part as the view's tinting wants it.
inline std::array<i32, 64> Liste_I32(Teil t) {
    std::array<i32, 64> a{};
    for (int k = 0; k < LISTEN[t].laenge; ++k) a[k] = INDIZES.liste[t][k];
    return a;
}

// The index for a shade s of a part (the collar is painted with the socks'
// entries): -1 darkest .. 0 the part's own colour
// .. 1 brightest.
constexpr u8 Index(Teil t, double s) {
    const double ziel = s < 0 ? -s * DUNKELSTE : s * HELLSTE;
    int beste = 0;
    double abstand = 1e9;
    for (int k = 0; k < LISTEN[t].laenge; ++k) {
        const double d = Versatz(t, k) - ziel;
        const double a = d < 0 ? -d : d;
        if (a < abstand) abstand = a, beste = k;
    }
    return INDIZES.liste[t][beste];
}

// The base palette: every part a ramp of its plain colour (the colours an
// unrecoloured figure shows), 6-bit channels.
constexpr u32 GRUND[TEILE] = {0x5A3A22, 0xF0F0F0, 0xC0302A, 0xC0302A, 0xD9A27A, 0x1A1A1A, 0xF0F0F0, 0xF0F0F0};
constexpr u32 FEST[16] = {0x0B1018, 0xF4F4F0, 0xD8262B, 0xF5D21E, 0x30343A, 0x7A5230, 0xB8BEC6, 0xE8322E,
                          0xF7D02A, 0x202020, 0x404040, 0x606060, 0x808080, 0xA0A0A0, 0xC0C0C0, 0xE0E0E0};

constexpr int Luminanz(u32 rgb) {
    return (299 * static_cast<int>((rgb >> 16) & 255) + 587 * static_cast<int>((rgb >> 8) & 255) +
            114 * static_cast<int>(rgb & 255)) /
           1000;
}

constexpr u32 Mit_Luminanz(u32 rgb, int ziel) {
    const int d = ziel - Luminanz(rgb);
    u32 r = 0;
    for (int s = 16; s >= 0; s -= 8) {
        int v = static_cast<int>((rgb >> s) & 255) + d;
        v = v < 0 ? 0 : v > 255 ? 255 : v;
        r |= static_cast<u32>(v) << s;
    }
    return r;
}

struct Palette {
    std::array<u8, 256 * 3> rgb6{};
};
constexpr Palette BASIS = [] {
    Palette p{};
    auto setzen = [&p](int i, u32 rgb) {
        p.rgb6[3 * i] = static_cast<u8>(((rgb >> 16) & 255) >> 2);
        p.rgb6[3 * i + 1] = static_cast<u8>(((rgb >> 8) & 255) >> 2);
        p.rgb6[3 * i + 2] = static_cast<u8>((rgb & 255) >> 2);
    };
    for (int t = 0; t < TEILE; ++t) {
        if (t == KRAGEN) continue;  // the socks' entries: the same tint
        const int l = Luminanz(GRUND[t]);
        for (int k = 0; k < LISTEN[t].laenge; ++k)
            setzen(INDIZES.liste[t][k], Mit_Luminanz(GRUND[t], l + Versatz(static_cast<Teil>(t), k)));
    }
    setzen(SCHATTEN, 0x283C28);
    for (int i = 0; i < 16; ++i) setzen(F_DUNKEL + i, FEST[i]);
    return p;
}();

}  // namespace figur

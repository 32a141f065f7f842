#include "base/cp1252.h"

#include <cstring>

namespace {

// Code points of the bytes 0x80..0x9F; the unassigned bytes keep their value.
constexpr u16 k_hoch[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void Utf8_Anhaengen(std::string& out, u32 cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

u32 Cp1252_Zeichen_Unicode(u8 c) {
    if (c >= 0x80 && c < 0xA0) return k_hoch[c - 0x80];
    return c;
}

int Cp1252_Zeichen_Aus_Unicode(u32 cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (k_hoch[i] == cp) return 0x80 + i;
    return -1;
}

std::string Cp1252_To_Utf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char ch : text) Utf8_Anhaengen(out, Cp1252_Zeichen_Unicode(static_cast<u8>(ch)));
    return out;
}

// Written through a pointer into the result sized for the longest outcome
// (one byte per input byte) and cut to length at the end; runs of ASCII are
// copied whole. Files of the world are megabytes: a byte at a time through
// the string's members costs many times this in a build without inlining.
std::string Utf8_To_Cp1252(std::string_view text, char ersatz) {
    std::string out(text.size(), '\0');
    const u8* p = reinterpret_cast<const u8*>(text.data());
    const u8* const ende = p + text.size();
    char* const anfang = out.data();
    char* w = anfang;
    while (p < ende) {
        if (*p < 0x80) {
            const u8* lauf = p + 1;
            while (lauf < ende && *lauf < 0x80) ++lauf;
            std::memcpy(w, p, static_cast<size_t>(lauf - p));
            w += lauf - p;
            p = lauf;
            continue;
        }
        const u8 b = *p;
        int laenge = 0;
        u32 cp = 0;
        u32 minimum = 0;
        if ((b & 0xE0) == 0xC0) {
            laenge = 2, cp = b & 0x1F, minimum = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            laenge = 3, cp = b & 0x0F, minimum = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            laenge = 4, cp = b & 0x07, minimum = 0x10000;
        } else {
            *w++ = ersatz;  // stray continuation byte or invalid lead byte
            ++p;
            continue;
        }
        int k = 1;
        for (; k < laenge && p + k < ende; ++k) {
            const u8 f = p[k];
            if ((f & 0xC0) != 0x80) break;
            cp = (cp << 6) | (f & 0x3F);
        }
        if (k < laenge || cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            *w++ = ersatz;  // malformed: skip what was consumed
            p += k;
            continue;
        }
        const int c = Cp1252_Zeichen_Aus_Unicode(cp);
        *w++ = c >= 0 ? static_cast<char>(c) : ersatz;
        p += laenge;
    }
    out.resize(static_cast<size_t>(w - anfang));
    return out;
}

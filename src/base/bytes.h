// The one typed little-endian reader and writer: every save block, cache,
// stored record and network block is written and read field by field here.
#pragma once

#include <cstring>
#include <type_traits>
#include <vector>

#include "base/types.h"

namespace bytes {

// Appends fields to a byte vector.
struct Schreiber {
    std::vector<u8>& out;
    void operator()(u8 v) { out.push_back(v); }
    void operator()(i8 v) { out.push_back(static_cast<u8>(v)); }
    void operator()(char v) { out.push_back(static_cast<u8>(v)); }
    void operator()(u16 v) { put(v, 2); }
    void operator()(i16 v) { put(static_cast<u16>(v), 2); }
    void operator()(u32 v) { put(v, 4); }
    void operator()(i32 v) { put(static_cast<u32>(v), 4); }
    template <class T, size_t N>
    void operator()(const T (&feld)[N]) {
        for (const T& x : feld) (*this)(x);
    }
    void bytes(const void* p, size_t n) {
        const u8* b = static_cast<const u8*>(p);
        out.insert(out.end(), b, b + n);
    }

  private:
    void put(u32 v, int n) {
        for (int i = 0; i < n; ++i) out.push_back(static_cast<u8>(v >> (8 * i)));
    }
};

// Reads fields from a byte range; a read past the end sets `fehler` and
// gives zeros.
struct Leser {
    const u8* p;
    size_t n;
    size_t pos = 0;
    bool fehler = false;
    Leser(const u8* daten, size_t groesse) : p(daten), n(groesse) {}
    bool rest(size_t k) {
        if (fehler || n - pos < k || pos > n) {
            fehler = true;
            return false;
        }
        return true;
    }
    u32 get(int k) {
        if (!rest(k)) return 0;
        u32 v = 0;
        for (int i = 0; i < k; ++i) v |= static_cast<u32>(p[pos + i]) << (8 * i);
        pos += k;
        return v;
    }
    void operator()(u8& v) { v = static_cast<u8>(get(1)); }
    void operator()(i8& v) { v = static_cast<i8>(get(1)); }
    void operator()(char& v) { v = static_cast<char>(get(1)); }
    void operator()(u16& v) { v = static_cast<u16>(get(2)); }
    void operator()(i16& v) { v = static_cast<i16>(get(2)); }
    void operator()(u32& v) { v = get(4); }
    void operator()(i32& v) { v = static_cast<i32>(get(4)); }
    template <class T, size_t N>
    void operator()(T (&feld)[N]) {
        for (T& x : feld) (*this)(x);
    }
    bool bytes(void* ziel, size_t k) {
        if (!rest(k)) return false;
        std::memcpy(ziel, p + pos, k);
        pos += k;
        return true;
    }
    u8 u8_() { return static_cast<u8>(get(1)); }
    i16 i16_() { return static_cast<i16>(get(2)); }
    i32 i32_() { return static_cast<i32>(get(4)); }
    u32 u32_() { return get(4); }
};

// A record image of exactly `groesse` bytes written by a field visitor
// (`felder(schreiber)`); a short visit leaves zeros behind it.
template <class Felder>
void bild_schreiben(u8* aus, size_t groesse, Felder felder) {
    std::vector<u8> bild;
    bild.reserve(groesse);
    Schreiber s{bild};
    felder(s);
    const size_t n = bild.size() < groesse ? bild.size() : groesse;
    std::memcpy(aus, bild.data(), n);
    std::memset(aus + n, 0, groesse - n);
}

}  // namespace bytes

// The one typed little-endian reader and writer: every save block, cache,
// stored record and network block is written and read field by field here.
//
// A record type R declares its fields once, as a visit in R's namespace:
//
//     template <class V, bytes::Art<R> S> void felder(V& v, S& r) { v(r.a); v(r.b); ... }
//
// and is then written with `schreiber(r)`, read with `leser(r)` (also inside
// arrays and other records), and its wire size checked at compile time with
// `static_assert(bytes::groesse<R>() == ...)`.
#pragma once

#include <array>
#include <bit>
#include <concepts>
#include <cstring>
#include <tuple>
#include <type_traits>
#include <vector>

#include "base/types.h"

namespace bytes {

// A record visit accepts the record itself or its const form.
template <class S, class R>
concept Art = std::same_as<std::remove_const_t<S>, R>;

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
    void operator()(u64 v) { put(v, 8); }
    void operator()(i64 v) { put(static_cast<u64>(v), 8); }
    void operator()(f32 v) { put(std::bit_cast<u32>(v), 4); }
    void operator()(f64 v) { put(std::bit_cast<u64>(v), 8); }
    template <class T, size_t N>
    void operator()(const T (&feld)[N]) {
        // An array of numbers (of any rank) is its bytes in memory order on
        // a little-endian machine: written at once.
        if constexpr (std::endian::native == std::endian::little && bulk<std::remove_all_extents_t<T>>)
            bytes(feld, sizeof feld);
        else
            for (const T& x : feld) (*this)(x);
    }
    template <class R>
    requires std::is_class_v<R>
    void operator()(const R& r) { felder(*this, r); }
    // Containers: a vector is its u32 count and its elements, an array and
    // a tuple their elements.
    template <class T>
    void operator()(const std::vector<T>& v) {
        (*this)(static_cast<u32>(v.size()));
        for (const T& x : v) (*this)(x);
    }
    template <class T, size_t N>
    void operator()(const std::array<T, N>& a) {
        for (const T& x : a) (*this)(x);
    }
    template <class... T>
    void operator()(const std::tuple<T...>& t) {
        std::apply([this](const auto&... x) { ((*this)(x), ...); }, t);
    }
    void bytes(const void* p, size_t n) {
        if (n == 0) return;
        const size_t alt = out.size();
        out.resize(alt + n);
        std::memcpy(&out[alt], p, n);
    }

  private:
    // The number types written as their own bytes, least significant first.
    template <class T>
    static constexpr bool bulk = std::is_same_v<T, u8> || std::is_same_v<T, i8> || std::is_same_v<T, char> ||
                                 std::is_same_v<T, u16> || std::is_same_v<T, i16> || std::is_same_v<T, u32> ||
                                 std::is_same_v<T, i32> || std::is_same_v<T, u64> || std::is_same_v<T, i64> ||
                                 std::is_same_v<T, f32> || std::is_same_v<T, f64>;
    void put(u64 v, int n) {
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
    u32 get(int k) { return static_cast<u32>(get64(k)); }
    u64 get64(int k) {
        if (!rest(k)) return 0;
        u64 v = 0;
        for (int i = 0; i < k; ++i) v |= static_cast<u64>(p[pos + i]) << (8 * i);
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
    void operator()(u64& v) { v = get64(8); }
    void operator()(i64& v) { v = static_cast<i64>(get64(8)); }
    void operator()(f32& v) { v = std::bit_cast<f32>(get(4)); }
    void operator()(f64& v) { v = std::bit_cast<f64>(get64(8)); }
    template <class T, size_t N>
    void operator()(T (&feld)[N]) {
        for (T& x : feld) (*this)(x);
    }
    template <class R>
    requires std::is_class_v<R>
    void operator()(R& r) { felder(*this, r); }
    // A vector's count is checked against the bytes left before anything is
    // allocated (each element takes at least one byte).
    template <class T>
    void operator()(std::vector<T>& v) {
        const u32 k = get(4);
        v.clear();
        if (!rest(k)) return;
        v.resize(k);
        for (T& x : v) (*this)(x);
    }
    template <class T, size_t N>
    void operator()(std::array<T, N>& a) {
        for (T& x : a) (*this)(x);
    }
    template <class... T>
    void operator()(std::tuple<T...>& t) {
        std::apply([this](auto&... x) { ((*this)(x), ...); }, t);
    }
    // std::tie(a, b, ...): reads into the variables tied.
    template <class... T>
    void operator()(std::tuple<T&...>&& t) {
        (*this)(t);
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

// Counts the bytes a visit writes, at compile time.
struct Zaehler {
    size_t n = 0;
    template <class T>
    requires std::is_arithmetic_v<T>
    constexpr void operator()(const T&) { n += sizeof(T); }
    template <class T, size_t N>
    constexpr void operator()(const T (&feld)[N]) {
        if constexpr (std::is_arithmetic_v<std::remove_all_extents_t<T>>)
            n += sizeof feld;  // a plain array of numbers: no need to visit each
        else
            for (const T& x : feld) (*this)(x);
    }
    template <class R>
    requires std::is_class_v<R>
    constexpr void operator()(const R& r) { felder(*this, r); }
};

// The number of bytes record R takes on disk and on the wire.
template <class R>
constexpr size_t groesse() {
    Zaehler z;
    const R r{};
    z(r);
    return z.n;
}

// A record whose fields lie in memory in the order of its image with no
// gap between (its module checks that with offsetof): on a little-endian
// machine its image is its bytes, copied at once.
template <class R>
void wie_im_speicher(Schreiber& s, const R& r) {
    static_assert(std::is_trivially_copyable_v<R> && sizeof(R) == groesse<R>(), "the image is the record's bytes");
    if constexpr (std::endian::native == std::endian::little) s.bytes(&r, sizeof r);
    else s(r);
}
// `anzahl` such records one after the other: their images are the array's
// bytes, copied at once.
template <class R>
void feld_wie_im_speicher(Schreiber& s, const R* r, size_t anzahl) {
    static_assert(std::is_trivially_copyable_v<R> && sizeof(R) == groesse<R>(), "the image is the record's bytes");
    if constexpr (std::endian::native == std::endian::little) s.bytes(r, anzahl * sizeof(R));
    else feld_schreiben(s, r, anzahl);
}

// `anzahl` records one after the other.
template <class R>
void feld_schreiben(Schreiber& s, const R* r, size_t anzahl) {
    s.out.reserve(s.out.size() + anzahl * groesse<R>());
    for (size_t i = 0; i < anzahl; ++i) s(r[i]);
}
template <class R>
std::vector<u8> bild(const R* r, size_t anzahl) {
    std::vector<u8> out;
    Schreiber s{out};
    feld_schreiben(s, r, anzahl);
    return out;
}
template <class R>
bool feld_lesen(Leser& l, R* r, size_t anzahl) {
    for (size_t i = 0; i < anzahl && !l.fehler; ++i) l(r[i]);
    return !l.fehler;
}

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

// Record R read from the `groesse<R>()` bytes at p (a record kept packed in
// a byte store), and written back over them.
template <class R>
R aus_bild(const u8* p) {
    R r{};
    Leser l(p, groesse<R>());
    l(r);
    return r;
}
template <class R>
void in_bild(u8* p, const R& r) {
    bild_schreiben(p, groesse<R>(), [&r](Schreiber& s) { s(r); });
}

}  // namespace bytes

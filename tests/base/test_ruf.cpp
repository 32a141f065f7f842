// The call layer and the serialiser under it: a call reaches its row through
// the local line as the server; argument or answer bytes that do not fit
// their declared types are refused before anything runs; a vector's count
// never allocates more than the bytes that carry it.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "base/bytes.h"
#include "base/globals.h"
#include "base/ruf.h"

namespace {

struct Paar {
    i16 a = 0;
    u32 b = 0;
};
template <class V, bytes::Art<Paar> S>
constexpr void felder(V& v, S& p) {
    v(p.a), v(p.b);
}
static_assert(bytes::groesse<Paar>() == 6);

constexpr ruf::Ruf<std::tuple<u32, std::vector<Paar>>, i32, Paar> RUF_PROBE{60001, "Probe"};
constexpr ruf::Ruf<u8> RUF_OHNE_ZEILE{60002, "Ohne_Zeile"};
int gelaufen = 0;
u32 rolle_in_der_zeile = 0;

bool kurze_antwort(u16, const std::vector<u8>&, std::vector<u8>* aus) {
    *aus = {1, 0};  // too short for the declared answer
    return true;
}

TEST(Ruf, LokaleLeitungRuftDieZeileAlsServer) {
    ruf::Zeile_Anmelden(RUF_PROBE, [](i32 n, Paar p) {
        ++gelaufen;
        rolle_in_der_zeile = Internet_Modus;
        return std::tuple<u32, std::vector<Paar>>{static_cast<u32>(n) + p.b, std::vector<Paar>(2, p)};
    });
    Internet_Modus = INTERNET_MODUS_CLIENT;
    const auto a = ruf::Rufen(RUF_PROBE, 5, Paar{-2, 10});
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(std::get<0>(*a), 15u);
    ASSERT_EQ(std::get<1>(*a).size(), 2u);
    EXPECT_EQ(std::get<1>(*a)[1].a, -2);
    EXPECT_EQ(rolle_in_der_zeile, INTERNET_MODUS_SERVER);
    EXPECT_EQ(Internet_Modus, INTERNET_MODUS_CLIENT);  // the role is back

    // No row, arguments of the wrong size, an answer that does not fit: refused.
    EXPECT_FALSE(ruf::Rufen(RUF_OHNE_ZEILE).has_value());
    std::vector<u8> antwort;
    for (size_t n : {0u, 9u, 11u}) {
        EXPECT_FALSE(ruf::Zeile_Ausfuehren(RUF_PROBE.nummer, std::vector<u8>(n).data(), n, &antwort)) << n;
    }
    EXPECT_EQ(gelaufen, 1);
    ruf::Leitung_Setzen(kurze_antwort);
    EXPECT_FALSE(ruf::Rufen(RUF_PROBE, 1, Paar{}).has_value());
    ruf::Leitung_Setzen(nullptr);
    Internet_Modus = INTERNET_MODUS_EINZEL;
}

TEST(Bytes, FelderHinUndZurueckUndZaehlerOhneDeckung) {
    std::vector<u8> b;
    bytes::Schreiber s{b};
    s(std::vector<Paar>{{1, 2}, {-3, 0xFFFFFFFFu}}), s(f64{-0.5}), s(i64{-7});
    EXPECT_EQ(b.size(), 4u + 12u + 8u + 8u);
    bytes::Leser l(b.data(), b.size());
    std::vector<Paar> v;
    f64 x = 0;
    i64 y = 0;
    l(v), l(x), l(y);
    ASSERT_FALSE(l.fehler);
    EXPECT_EQ(v[1].a, -3);
    EXPECT_EQ(v[1].b, 0xFFFFFFFFu);
    EXPECT_EQ(x, -0.5);
    EXPECT_EQ(y, -7);
    // A count of four billion over a few bytes: refused, nothing allocated.
    const u8 falsch[] = {0xFF, 0xFF, 0xFF, 0xFF, 1, 2};
    bytes::Leser k(falsch, sizeof falsch);
    k(v);
    EXPECT_TRUE(k.fehler);
    EXPECT_TRUE(v.empty());
}

}  // namespace

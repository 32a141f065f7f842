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

// One number, one call: a second call under a number another call holds
// is refused and the first row keeps answering; the same call again
// replaces its row.
constexpr ruf::Ruf<u32, i32> RUF_ERSTER{60010, "Erster"};
constexpr ruf::Ruf<u32, i32> RUF_ANDERER_NAME{60010, "Anderer"};
constexpr ruf::Ruf<ruf::Nichts> RUF_ANDERE_TYPEN{60010, "Erster"};
constexpr ruf::Ruf<u32, i32> RUF_EIGENE_NUMMER{60011, "Eigene"};

TEST(Ruf, EineNummerGehoertEinemRuf) {
    ASSERT_TRUE(ruf::Zeile_Anmelden(RUF_ERSTER, [](i32 n) { return static_cast<u32>(n + 1); }));
    struct Fall {
        const char* name;
        bool (*anmelden)();
        bool angenommen;
        u32 antwort;  // of RUF_ERSTER with 1 afterwards
    } faelle[] = {
        {"another name under the number",
         [] { return ruf::Zeile_Anmelden(RUF_ANDERER_NAME, [](i32) { return u32{99}; }); }, false, 2},
        {"other types under the number",
         [] { return ruf::Zeile_Anmelden(RUF_ANDERE_TYPEN, [] { return ruf::Nichts{}; }); }, false, 2},
        {"a number of its own", [] { return ruf::Zeile_Anmelden(RUF_EIGENE_NUMMER, [](i32) { return u32{7}; }); },
         true, 2},
        {"the same call again replaces its row",
         [] { return ruf::Zeile_Anmelden(RUF_ERSTER, [](i32 n) { return static_cast<u32>(n + 10); }); }, true, 11},
    };
    for (const Fall& f : faelle) {
        const u32 vorher = ruf::Zeilen_Abgelehnt();
        EXPECT_EQ(f.anmelden(), f.angenommen) << f.name;
        EXPECT_EQ(ruf::Zeilen_Abgelehnt() - vorher, f.angenommen ? 0u : 1u) << f.name;
        EXPECT_EQ(ruf::Rufen(RUF_ERSTER, 1).value_or(0), f.antwort) << f.name;
    }
    EXPECT_EQ(ruf::Rufen(RUF_EIGENE_NUMMER, 1).value_or(0), 7u);
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

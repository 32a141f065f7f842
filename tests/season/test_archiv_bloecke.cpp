// The season archive's block store: blocks kept in key order in one arena
// at their real size; the arena laid out for a whole history when a
// group's first block comes, so that seasons of tables in and out do not
// make it grow.
#include <gtest/gtest.h>

#include <vector>

#include "season/archiv_bloecke.h"

namespace {

u32 gruppe(u32 k) { return k % 100; }  // key: season x 100 + group

std::vector<u8> block(u32 k, u32 laenge) {
    std::vector<u8> b(laenge);
    for (u32 i = 0; i < laenge; ++i) b[i] = static_cast<u8>(k * 7 + i);
    return b;
}

// Every block holds its own bytes and the blocks lie back to back in key order.
void pruefen(const Archiv_Bloecke& a, const std::vector<std::pair<u32, u32>>& erwartet) {
    ASSERT_EQ(a.Anzahl(), erwartet.size());
    u32 anfang = 0;
    for (size_t i = 0; i < erwartet.size(); ++i) {
        const auto& e = a.Index()[i];
        EXPECT_EQ(e.schluessel, erwartet[i].first);
        EXPECT_EQ(e.anfang, anfang);
        ASSERT_EQ(e.laenge, erwartet[i].second);
        const std::vector<u8> soll = block(e.schluessel, e.laenge);
        EXPECT_EQ(std::vector<u8>(a.Daten(e), a.Daten(e) + e.laenge), soll) << e.schluessel;
        anfang += e.laenge;
    }
    EXPECT_EQ(a.Belegt(), anfang);
}

TEST(Archiv_Bloecke, EinfuegenUndEntfernenInSchluesselOrdnung) {
    struct Fall {
        const char* was;
        std::vector<std::pair<u32, u32>> rein;  // key, length, in this order
        u32 weg_unter;                          // blocks with a key below go
        std::vector<std::pair<u32, u32>> bleibt;
    } const faelle[] = {
        {"rising keys", {{101, 5}, {102, 7}, {201, 3}}, 0, {{101, 5}, {102, 7}, {201, 3}}},
        {"a key in the middle moves the later blocks", {{101, 5}, {201, 3}, {102, 7}}, 0,
         {{101, 5}, {102, 7}, {201, 3}}},
        {"a key before all", {{201, 4}, {202, 2}, {101, 6}}, 0, {{101, 6}, {201, 4}, {202, 2}}},
        {"the oldest season goes", {{101, 5}, {102, 7}, {201, 3}, {202, 1}}, 200, {{201, 3}, {202, 1}}},
        {"everything goes", {{101, 5}, {201, 3}}, 1000, {}},
        {"an empty block", {{101, 0}, {102, 4}}, 0, {{101, 0}, {102, 4}}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        Archiv_Bloecke a(3, 100, gruppe);
        for (const auto& [k, n] : f.rein) {
            const std::vector<u8> b = block(k, n);
            ASSERT_TRUE(a.Einfuegen(k, b.data(), n));
        }
        a.Entfernen_Wenn([&](u32 k) { return k < f.weg_unter; });
        pruefen(a, f.bleibt);
        for (const auto& [k, n] : f.bleibt) EXPECT_NE(a.Finden(k), nullptr);
        EXPECT_EQ(a.Finden(999), nullptr);
    }
}

TEST(Archiv_Bloecke, VergebenerSchluesselUndFremdeGruppeAendernNichts) {
    Archiv_Bloecke a(3, 10, gruppe);
    const std::vector<u8> b = block(105, 9);
    ASSERT_TRUE(a.Einfuegen(105, b.data(), 9));
    EXPECT_FALSE(a.Einfuegen(105, b.data(), 4)) << "the key is taken";
    EXPECT_FALSE(a.Einfuegen(150, b.data(), 4)) << "group 50 of 10";
    pruefen(a, {{105, 9}});
}

TEST(Archiv_Bloecke, DieGeschichteFuelltDenVorratOhneZuWachsen) {
    // Four groups, each keeping its five latest seasons; blocks of the
    // group's size in the first season, a little below it after.
    constexpr u32 JAHRE = 5;
    Archiv_Bloecke a(JAHRE, 100, gruppe);
    const u32 groessen[4] = {300, 120, 560, 75};
    size_t vorrat = 0;
    for (u32 jahr = 1; jahr <= 40; ++jahr) {
        for (u32 g = 0; g < 4; ++g) {
            a.Entfernen_Wenn([&](u32 k) { return gruppe(k) == g && k / 100 + JAHRE <= jahr; });
            const u32 n = groessen[g] - (jahr == 1 ? 0 : (jahr * 13 + g) % 20);
            const std::vector<u8> b = block(jahr * 100 + g, n);
            ASSERT_TRUE(a.Einfuegen(jahr * 100 + g, b.data(), n));
        }
        EXPECT_LE(a.Anzahl(), 4 * JAHRE);
        if (jahr == 1) vorrat = a.Vorrat();
        EXPECT_EQ(a.Vorrat(), vorrat) << "season " << jahr;
        EXPECT_LE(a.Belegt(), a.Vorrat());
    }
    // Laid out at the first season for the whole history.
    EXPECT_EQ(vorrat, size_t{JAHRE} * (300 + 120 + 560 + 75));
    for (u32 jahr = 36; jahr <= 40; ++jahr) EXPECT_NE(a.Finden(jahr * 100 + 2), nullptr);
    EXPECT_EQ(a.Finden(35 * 100 + 2), nullptr);
    a.Leeren();
    EXPECT_EQ(a.Vorrat(), 0u);
    EXPECT_TRUE(a.Leer());
}

TEST(Archiv_Bloecke, DerVorratBleibtBeiGrossenBloeckenBegrenzt) {
    // Blocks of a megabyte in many groups (a damaged save's sizes): the room
    // laid out ahead stops at its bound, the blocks themselves are stored.
    Archiv_Bloecke a(21, 100, gruppe);
    const std::vector<u8> gross = block(1, 1u << 20);
    for (u32 g = 0; g < 4; ++g) ASSERT_TRUE(a.Einfuegen(100 + g, gross.data(), 1u << 20));
    EXPECT_EQ(a.Belegt(), size_t{4} << 20);
    EXPECT_LE(a.Vorrat(), ARCHIV_VORRAT_MAX + (size_t{1} << 20));
    EXPECT_GE(a.Vorrat(), a.Belegt());
}

}  // namespace

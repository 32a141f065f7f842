// The shared random table: its values are part of the network protocol and
// of every save game, so they are pinned here; draws, cursor, push/pop, the
// save block, shuffling and sorting.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <numeric>
#include <set>
#include <vector>

#include "base/debug.h"
#include "base/random.h"

namespace {

class Zufall : public ::testing::Test {
  protected:
    void SetUp() override { Rnd_Set_Index(0, 0); }
};

TEST_F(Zufall, TableIsTheCheckedInOne) {
    // Changing the generator or seed breaks old save games and mixed-version
    // network games: these numbers must never change.
    EXPECT_EQ(Rnd_Tabelle_Pruefsumme(), 0x17d5d167u);
    u32 max = 0;
    for (u16 v : Rnd_Tabelle) max = std::max<u32>(max, v);
    EXPECT_LE(max, RND_MAX_WERT);
    EXPECT_GT(max, 32000u);
}

TEST_F(Zufall, DrawMappingIsPinned) {
    const i32 wuerfel[6] = {4, 2, 5, 5, 2, 6};
    for (i32 w : wuerfel) EXPECT_EQ(Rnd(1, 6), w);
    EXPECT_EQ(Rnd_Get_Index(), 6u);
    Rnd_Set_Index(0, 0);
    EXPECT_EQ(Rnd(0, 999999), 663537);  // hundreds from one draw, the rest from the next
    EXPECT_EQ(Rnd_Get_Index(), 2u);
    Rnd_Set_Index(0, 0);
    EXPECT_EQ(Rnd(-10, 10), -7);  // shifted from 0..20
}

TEST_F(Zufall, RangesAreKeptForSmallNegativeAndHugeSpans) {
    struct Bereich {
        i32 von, bis;
    };
    const Bereich bereiche[] = {
        {0, 0},     {5, 5},     {0, 1},          {-3, 3},         {-100, -90},        {0, 9999},
        {0, 10000}, {1, 50000}, {-20000, 20000}, {0, 1000000000}, {INT_MIN, INT_MAX}, {INT_MIN, INT_MIN + 5}};
    for (const Bereich& b : bereiche) {
        i32 kleinster = INT_MAX, groesster = INT_MIN;
        for (int i = 0; i < 3000; ++i) {
            const i32 r = Rnd(b.von, b.bis);
            ASSERT_GE(r, b.von) << b.von << ".." << b.bis;
            ASSERT_LE(r, b.bis) << b.von << ".." << b.bis;
            kleinster = std::min(kleinster, r);
            groesster = std::max(groesster, r);
            const i32 s = Rnd_Basis(b.von, b.bis);
            ASSERT_GE(s, b.von);
            ASSERT_LE(s, b.bis);
        }
        if (static_cast<i64>(b.bis) - b.von >= 100000) {
            // Large spans reach beyond the 0..32767 of one table value.
            EXPECT_GT(static_cast<i64>(groesster) - b.von, 32767) << b.von << ".." << b.bis;
        }
    }
    // Small ranges hit every value.
    std::set<i32> gesehen;
    for (int i = 0; i < 600; ++i) gesehen.insert(Rnd(-3, 3));
    EXPECT_EQ(gesehen.size(), 7u);
}

TEST_F(Zufall, EmptyRange) {
    Debug_Mitschnitt log;
    Rnd_Set_Index(10, 0);
    EXPECT_EQ(Rnd(5, 3), 0);
    EXPECT_TRUE(log.Enthaelt("Rnd: bis (3) < von (5) !"));
    EXPECT_EQ(Rnd(-2, -7), 0);
    EXPECT_TRUE(log.Enthaelt("Rnd: bis (-7) < von (-2) !"));
    EXPECT_EQ(Rnd_Basis(5, 3), 5);  // no message
    EXPECT_EQ(log.Zeilen().size(), 2u);
    EXPECT_EQ(Rnd_Get_Index(), 10u);  // none of them drew
}

TEST_F(Zufall, CursorWrapsAndSetIndexTakesModuloWithoutSign) {
    Rnd_Set_Index(5999, 0);
    EXPECT_EQ(Rnd_Basis(0, 32767), Rnd_Tabelle[5999]);
    EXPECT_EQ(Rnd_Get_Index(), 0u);
    EXPECT_EQ(Rnd_Basis(0, 32767), Rnd_Tabelle[0]);
    Rnd_Set_Index(6005, 0);
    EXPECT_EQ(Rnd_Get_Index(), 5u);
    Rnd_Set_Index(-6005, 0);
    EXPECT_EQ(Rnd_Get_Index(), 5u);
    Rnd_Set_Index(INT_MIN, 0);
    EXPECT_EQ(Rnd_Get_Index(), static_cast<u32>(2147483648ll % 6000));
}

TEST_F(Zufall, PushPopGivesPositionOnlyDrawsAndRestoresTheCursor) {
    Rnd_Set_Index(1234, 0);
    Rnd_Push();
    EXPECT_EQ(Rnd_Get_Index(), 0u);  // the start of the table
    Rnd_Set_Index(77, 0);
    const i32 a = Rnd(0, 100);
    Rnd_Push();  // nested
    Rnd_Set_Index(77, 0);
    EXPECT_EQ(Rnd(0, 100), a);  // same position, same number
    Rnd_Pop();
    EXPECT_EQ(Rnd_Get_Index(), 78u);
    Rnd_Pop();
    EXPECT_EQ(Rnd_Get_Index(), 1234u);

    Debug_Mitschnitt log;
    Rnd_Pop();  // nothing pushed
    EXPECT_TRUE(log.Enthaelt("Rnd_Pop"));
    EXPECT_EQ(Rnd_Get_Index(), 1234u);

    // Deeper than the stack: still balanced, the outermost cursor comes back.
    for (int i = 0; i < RND_STAPEL_TIEFE + 3; ++i) Rnd_Push();
    for (int i = 0; i < RND_STAPEL_TIEFE + 3; ++i) Rnd_Pop();
    EXPECT_EQ(Rnd_Get_Index(), 1234u);
}

TEST_F(Zufall, SaveBlockCarriesTheCursorAndRefusesAnotherTable) {
    Rnd_Set_Index(4321, 0);
    u8 block[RND_BLOCK_GROESSE];
    Rnd_Block_Schreiben(block);
    EXPECT_EQ(get_u32le(block), 4321u);
    Rnd_Set_Index(1, 0);
    EXPECT_TRUE(Rnd_Block_Lesen(block));
    EXPECT_EQ(Rnd_Get_Index(), 4321u);

    u8 falsch[RND_BLOCK_GROESSE];
    std::copy(block, block + RND_BLOCK_GROESSE, falsch);
    falsch[5] ^= 1;
    Rnd_Set_Index(9, 0);
    EXPECT_FALSE(Rnd_Block_Lesen(falsch));
    EXPECT_EQ(Rnd_Get_Index(), 9u);
    put_u32le(block, 6000);  // cursor out of range
    EXPECT_FALSE(Rnd_Block_Lesen(block));
    EXPECT_EQ(Rnd_Get_Index(), 9u);
}

TEST_F(Zufall, ShufflesArePermutationsAndReproducible) {
    std::vector<u32> a(500);
    std::iota(a.begin(), a.end(), 0u);
    std::vector<u32> b = a;
    Rnd_Set_Index(42, 0);
    SortMisch_Mische(a.data(), 500);
    EXPECT_EQ(Rnd_Get_Index(), 542u);  // one draw per entry
    Rnd_Set_Index(42, 0);
    SortMisch_Mische(b.data(), 500);
    EXPECT_EQ(a, b);  // same cursor, same order: the same on every machine
    std::vector<u32> sortiert = a;
    std::sort(sortiert.begin(), sortiert.end());
    for (u32 i = 0; i < 500; ++i) ASSERT_EQ(sortiert[i], i);
    int fest = 0;
    for (u32 i = 0; i < 500; ++i) fest += a[i] == i;
    EXPECT_LT(fest, 20);

    // Pairs stay together; an odd last entry stays put.
    std::vector<u32> paare = {10, 11, 20, 21, 30, 31, 40, 41, 50, 51, 99};
    SortMisch_Mische_Paare(paare.data(), static_cast<i32>(paare.size()));
    for (size_t i = 0; i + 1 < paare.size(); i += 2) EXPECT_EQ(paare[i] + 1, paare[i + 1]);
    EXPECT_EQ(paare.back(), 99u);

    u8 bytes[64];
    for (int i = 0; i < 64; ++i) bytes[i] = static_cast<u8>(i);
    SortMisch_Mische8(bytes, 64);
    std::sort(bytes, bytes + 64);
    for (int i = 0; i < 64; ++i) ASSERT_EQ(bytes[i], i);

    SortMisch_Mische(nullptr, 5);
    SortMisch_Mische(a.data(), 0);
    SortMisch_Mische(a.data(), -4);
}

// Both directions on large and awkward inputs (sorted, reversed, all equal,
// random): the keys end in order and every item still sits beside its key.
TEST_F(Zufall, SortMovesItemsWithTheirKeys) {
    const i32 n = 50000;
    for (int art = 0; art < 8; ++art) {
        const bool absteigend = art >= 4;
        std::vector<i32> schluessel(n), original(n);
        std::vector<u32> werte(n);
        for (i32 i = 0; i < n; ++i) {
            schluessel[i] = original[i] = art % 4 == 0   ? i
                                          : art % 4 == 1 ? n - i
                                          : art % 4 == 2 ? 7
                                                         : Rnd(-1000000, 1000000);
            werte[i] = static_cast<u32>(i);
        }
        SortMisch_Sortiere(werte.data(), schluessel.data(), n, absteigend);
        if (absteigend) {
            ASSERT_TRUE(std::is_sorted(schluessel.rbegin(), schluessel.rend())) << art;
        } else {
            ASSERT_TRUE(std::is_sorted(schluessel.begin(), schluessel.end())) << art;
        }
        for (i32 i = 0; i < n; ++i) ASSERT_EQ(original[werte[i]], schluessel[i]) << art;
    }
    // Unsigned keys above 2^31 sort as large numbers.
    u32 werte[4] = {1, 2, 3, 4};
    u32 schluessel[4] = {0x80000000u, 5, 0xFFFFFFFFu, 0};
    SortMisch_Sortiere_U(werte, schluessel, 4, 1);
    EXPECT_EQ(schluessel[0], 0xFFFFFFFFu);
    EXPECT_EQ(werte[0], 3u);
    EXPECT_EQ(werte[3], 4u);
}

TEST_F(Zufall, DecorationLeavesTheTableAlone) {
    Rnd_Set_Index(100, 0);
    Rnd_Deko_Seed(7);
    std::vector<i32> eins, zwei;
    for (int i = 0; i < 50; ++i) eins.push_back(Rnd_Deko_Von_Bis(-5, 5));
    Rnd_Deko_Seed(7);
    for (int i = 0; i < 50; ++i) zwei.push_back(Rnd_Deko_Von_Bis(-5, 5));
    EXPECT_EQ(eins, zwei);
    EXPECT_EQ(*std::min_element(eins.begin(), eins.end()), -5);
    EXPECT_EQ(*std::max_element(eins.begin(), eins.end()), 5);
    EXPECT_EQ(Rnd_Deko_Von_Bis(9, 1), 9);
    EXPECT_EQ(Rnd_Get_Index(), 100u);
}

}  // namespace

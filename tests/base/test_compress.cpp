// Run-length packing, zlib blocks and the LZW method 3696.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/compress.h"
#include "base/memory.h"
#include "base_test_util.h"

namespace {

Bytes rle_packen(const Bytes& roh) {
    Bytes aus(Tools_RLE_Max_Gepackt(static_cast<u32>(roh.size())));
    u32 n = Tools_RLE_Packen(roh.data(), aus.data(), static_cast<u32>(roh.size()));
    EXPECT_GE(n, 9u);
    aus.resize(n);
    return aus;
}

// A packed block: head (unpacked size, packed size) and the given body.
Bytes block(u32 roh, const Bytes& rumpf, u32 gepackt = 0) {
    Bytes b(8 + rumpf.size());
    put_u32le(b.data(), roh);
    put_u32le(b.data() + 4, gepackt ? gepackt : static_cast<u32>(8 + rumpf.size()));
    std::copy(rumpf.begin(), rumpf.end(), b.begin() + 8);
    return b;
}

TEST(Rle, ExactBytesAndRunLimits) {
    struct Fall {
        Bytes roh, rumpf;
    };
    const Fall faelle[] = {
        {{}, {0}},                                                // head and end byte only
        {{7, 7, 7}, {3, 7, 0}},                                   // three equal bytes are a repeat
        {{7, 7}, {0x82, 7, 7, 0}},                                // two are a literal run
        {{1, 2, 2, 2, 2, 3, 4}, {0x81, 1, 4, 2, 0x82, 3, 4, 0}},  // literal, repeat, literal
        {Bytes(126, 0xAB), {125, 0xAB, 0x81, 0xAB, 0}},           // runs are cut at 125
        {Bytes(250, 5), {125, 5, 125, 5, 0}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.roh.size());
        EXPECT_EQ(rle_packen(f.roh), block(static_cast<u32>(f.roh.size()), f.rumpf));
    }
    // Literal runs stop at 125 bytes too; no control byte above 125 | 0x80.
    Bytes z(1000);
    for (size_t i = 0; i < z.size(); ++i) z[i] = static_cast<u8>(i * 7 + i / 3);
    Bytes pz = rle_packen(z);
    size_t i = 8;
    while (pz[i] != 0) {
        u8 c = pz[i];
        ASSERT_LE(c & 0x7F, 125);
        ASSERT_GT(c & 0x7F, 0);
        i += (c & 0x80) ? 1 + (c & 0x7F) : 2;
    }
    EXPECT_EQ(i + 1, pz.size());
}

TEST(Rle, RoundTripAndWorstCaseBound) {
    for (u32 seed = 1; seed <= 20; ++seed) {
        for (size_t n : {1u, 2u, 3u, 124u, 125u, 126u, 127u, 250u, 251u, 4000u, 65536u}) {
            Bytes roh = seed % 2 ? Gemischte_Bytes(n, seed) : Zufall_Bytes(n, seed, 3);
            Bytes p = rle_packen(roh);
            ASSERT_LE(p.size(), Tools_RLE_Max_Gepackt(static_cast<u32>(n)));
            EXPECT_EQ(get_u32le(p.data()), n);
            EXPECT_EQ(get_u32le(p.data() + 4), p.size());
            Bytes aus(n), aus2(n);
            ASSERT_EQ(Tools_RLE_Entpacken(p.data(), aus.data()), n);
            ASSERT_EQ(aus, roh);
            ASSERT_EQ(Tools_RLE_Entpacken_Sicher(p.data(), static_cast<u32>(p.size()), aus2.data(), n), n);
            ASSERT_EQ(aus2, roh);
        }
    }
    EXPECT_LE(rle_packen(Zufall_Bytes(100000, 99)).size(), Tools_RLE_Max_Gepackt(100000));
}

// The packed bytes follow the rule byte by byte (a repeat from three equal
// bytes, literals up to the next three, runs cut at 125) whatever the place
// of a repeat: after literals of every length up to two full runs, and near
// the end of the buffer.
Bytes regel_packen(const Bytes& s) {
    Bytes d;
    size_t i = 0;
    while (i < s.size()) {
        size_t lauf = 1;
        while (i + lauf < s.size() && lauf < RLE_MAX_LAUF && s[i + lauf] == s[i]) ++lauf;
        if (lauf >= 3) {
            d.push_back(static_cast<u8>(lauf));
            d.push_back(s[i]);
            i += lauf;
            continue;
        }
        const size_t start = i;
        while (i < s.size() && i - start < RLE_MAX_LAUF && !(i + 2 < s.size() && s[i] == s[i + 1] && s[i] == s[i + 2]))
            ++i;
        d.push_back(static_cast<u8>(0x80 | (i - start)));
        d.insert(d.end(), s.begin() + static_cast<long>(start), s.begin() + static_cast<long>(i));
    }
    d.push_back(0);
    return d;
}

TEST(Rle, LiteralsOfEveryLengthBeforeARepeat) {
    for (size_t literal = 0; literal <= 2 * RLE_MAX_LAUF + 3; ++literal)
        for (size_t nach : {0u, 1u, 2u, 17u}) {
            Bytes roh;
            for (size_t i = 0; i < literal; ++i) roh.push_back(static_cast<u8>(i * 7 + i / 5 + 1));
            roh.insert(roh.end(), 3 + literal % 4, 0xEE);
            for (size_t i = 0; i < nach; ++i) roh.push_back(static_cast<u8>(i * 13 + 2));
            SCOPED_TRACE(std::to_string(literal) + " " + std::to_string(nach));
            EXPECT_EQ(rle_packen(roh), block(static_cast<u32>(roh.size()), regel_packen(roh)));
        }
    for (u32 seed = 1; seed <= 6; ++seed) {
        const Bytes roh = Zufall_Bytes(5000, seed, 2 + seed % 3);
        EXPECT_EQ(rle_packen(roh), block(static_cast<u32>(roh.size()), regel_packen(roh))) << seed;
    }
}

// Runs of every length up to two full runs and more, starting at every
// place within sixteen bytes and ending inside the buffer or at its end,
// of zeros (empty records) and of another byte.
TEST(Rle, RunsOfEveryLengthAtEveryPlace) {
    for (u8 wert : {u8{0}, u8{0xA5}})
        for (size_t vor = 0; vor < 18; ++vor)
            for (size_t lauf = 1; lauf <= 2 * RLE_MAX_LAUF + 20; ++lauf)
                for (size_t nach : {0u, 1u, 2u, 15u, 16u, 17u}) {
                    Bytes roh;
                    for (size_t i = 0; i < vor; ++i) roh.push_back(static_cast<u8>(i * 7 + 1));
                    roh.insert(roh.end(), lauf, wert);
                    for (size_t i = 0; i < nach; ++i) roh.push_back(static_cast<u8>(i % 3 == 2 ? wert : i * 13 + 2));
                    ASSERT_EQ(rle_packen(roh), block(static_cast<u32>(roh.size()), regel_packen(roh)))
                        << int{wert} << " " << vor << " " << lauf << " " << nach;
                }
}

TEST(Rle, DamagedBlocksAreRefused) {
    Bytes roh = Gemischte_Bytes(600, 3);
    Bytes p = rle_packen(roh);
    Bytes aus(601);
    auto mit_kopf = [&](u32 roh_groesse, u32 gepackt) {
        Bytes k = p;
        put_u32le(k.data(), roh_groesse);
        put_u32le(k.data() + 4, gepackt);
        return k;
    };
    std::vector<Bytes> kaputt;
    for (u32 g = 0; g < 9; ++g) kaputt.push_back(mit_kopf(600, g));  // packed-size field below 9
    kaputt.push_back(mit_kopf(100, static_cast<u32>(p.size())));     // under-stated: runs would overflow
    kaputt.push_back(mit_kopf(601, static_cast<u32>(p.size())));     // over-stated: the data end early
    for (u8 c : {126, 127, 0x80, 0xFE, 0xFF}) kaputt.push_back(block(200, {c, 1, 0, 0}, 12));  // no valid runs
    kaputt.push_back(block(3, {3, 9}));                                                        // missing end byte
    kaputt.push_back(block(3, {3, 9, 0, 0}));                                                  // bytes after it
    for (size_t i = 0; i < kaputt.size(); ++i) EXPECT_EQ(Tools_RLE_Entpacken(kaputt[i].data(), aus.data()), 0u) << i;

    // Bounded form: a destination smaller than the head says, fewer bytes than it says.
    EXPECT_EQ(Tools_RLE_Entpacken_Sicher(p.data(), static_cast<u32>(p.size()), aus.data(), 599), 0u);
    for (size_t n = 0; n < p.size(); ++n)
        EXPECT_EQ(Tools_RLE_Entpacken_Sicher(p.data(), static_cast<u32>(n), aus.data(), 600), 0u);
    // Flipped bytes: the fuzz target.
}

TEST(Zlib, BlocksWithHeadAndRefusedDamage) {
    Bytes roh = Gemischte_Bytes(50000, 4);
    Bytes p(roh.size() + 8);
    u32 n = W32_Cmp_Zlib_Pack(roh.data(), p.data(), static_cast<u32>(roh.size()));
    ASSERT_GT(n, 8u);
    EXPECT_EQ(get_u32le(p.data()), roh.size());
    EXPECT_EQ(get_u32le(p.data() + 4) + 8, n);
    Bytes aus(roh.size());
    EXPECT_EQ(W32_Cmp_Zlib_Unpack(p.data(), aus.data()), roh.size());
    EXPECT_EQ(aus, roh);
    EXPECT_EQ(W32_Cmp_Unpack(p.data(), aus.data(), CMP_METHODE_ZLIB), 1);
    EXPECT_EQ(W32_Cmp_Zlib_Unpack_Sicher(p.data(), n, aus.data(), static_cast<u32>(roh.size() - 1)), 0u);
    EXPECT_EQ(W32_Cmp_Zlib_Unpack_Sicher(p.data(), n - 1, aus.data(), static_cast<u32>(roh.size())), 0u);
    p[n / 2] ^= 0xFF;
    EXPECT_EQ(W32_Cmp_Zlib_Unpack(p.data(), aus.data()), 0u);
    // Incompressible data does not fit.
    Bytes z = Zufall_Bytes(1000, 5);
    EXPECT_EQ(W32_Cmp_Zlib_Pack(z.data(), p.data(), 1000), 0u);
}

TEST(Zlib, NewBlocks) {
    u32 start = W32_Memory_Anzahl_Bloecke();
    Bytes roh = Gemischte_Bytes(30000, 6);
    u32 gn = 0, g = 0;
    u8* block = static_cast<u8*>(W32_Cmp_Zlib_Pack_Neu(roh.data(), static_cast<u32>(roh.size()), &gn));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(get_u32le(block), roh.size());
    u8* aus = static_cast<u8*>(W32_Cmp_Zlib_Unpack_Neu(block, gn, &g));
    ASSERT_NE(aus, nullptr);
    EXPECT_EQ(Bytes(aus, aus + g), roh);
    W32_Memory_H_Free(aus);

    // A length that does not match the data, a truncated block, a huge length.
    put_u32le(block, static_cast<u32>(roh.size() + 1));
    EXPECT_EQ(W32_Cmp_Zlib_Unpack_Neu(block, gn, &g), nullptr);
    EXPECT_EQ(g, 0u);
    put_u32le(block, static_cast<u32>(roh.size()));
    EXPECT_EQ(W32_Cmp_Zlib_Unpack_Neu(block, gn - 1, &g), nullptr);
    put_u32le(block, 0xFFFFFFF0u);
    EXPECT_EQ(W32_Cmp_Zlib_Unpack_Neu(block, gn, &g), nullptr);
    W32_Memory_H_Free(block);
    EXPECT_EQ(W32_Memory_Anzahl_Bloecke(), start);
}

Bytes lzw_packen(const Bytes& roh) {
    Bytes p(W32_Cmp_Max_Gepackt(static_cast<u32>(roh.size()), CMP_METHODE_LZW));
    u32 n =
        W32_Cmp_Pack(roh.data(), static_cast<u32>(roh.size()), p.data(), static_cast<u32>(p.size()), CMP_METHODE_LZW);
    EXPECT_GT(n, 8u);
    p.resize(n);
    return p;
}

int lzw_entpacken(const Bytes& p, size_t verfuegbar, u8* ziel, size_t groesse, u32* n) {
    return W32_Cmp_Unpack_Sicher(p.data(), static_cast<u32>(verfuegbar), ziel, static_cast<u32>(groesse),
                                 CMP_METHODE_LZW, n);
}

TEST(Lzw, RoundTripAcrossCodeWidthsAndClears) {
    // Sizes that pass the 9/10/11/12-bit changes and several dictionary resets;
    // "KwKwK": a code used right after it was made.
    const std::vector<Bytes> faelle = {{},
                                       {42},
                                       Bytes(5000, 'a'),
                                       Zufall_Bytes(3000, 1, 4),
                                       Zufall_Bytes(70000, 2),
                                       Gemischte_Bytes(200000, 3),
                                       Zufall_Bytes(100000, 4, 2),
                                       {'a', 'b', 'a', 'b', 'a', 'b', 'a'}};
    for (const Bytes& roh : faelle) {
        Bytes p = lzw_packen(roh);
        EXPECT_EQ(get_u32le(p.data()), roh.size());
        EXPECT_EQ(get_u32le(p.data() + 4), p.size());
        Bytes aus(roh.size() + 1), aus2(roh.size() + 1);
        u32 n = 0;
        ASSERT_EQ(lzw_entpacken(p, p.size(), aus.data(), aus.size(), &n), 1);
        ASSERT_EQ(n, roh.size());
        aus.resize(n);
        EXPECT_EQ(aus, roh);
        EXPECT_EQ(W32_Cmp_Unpack(p.data(), aus2.data(), CMP_METHODE_LZW), 1);
    }
    EXPECT_LT(lzw_packen(Bytes(100000, 'x')).size(), 2000u);

    // "ABAB": codes 'A', 'B', 258 ("AB"), end; 9 bits each, LSB first.
    Bytes p = lzw_packen({'A', 'B', 'A', 'B'});
    ASSERT_EQ(p.size(), 8u + 5u);
    u64 bits = 0;
    for (int i = 0; i < 5; ++i) bits |= static_cast<u64>(p[8 + i]) << (8 * i);
    EXPECT_EQ(bits, u64('A') | u64('B') << 9 | u64(258) << 18 | u64(257) << 27);
}

TEST(Lzw, DamagedStreamsAndBadArgumentsAreRefused) {
    Bytes roh = Gemischte_Bytes(20000, 9);
    Bytes p = lzw_packen(roh);
    Bytes aus(roh.size());
    u32 n = 0;
    EXPECT_EQ(W32_Cmp_Unpack(nullptr, aus.data(), CMP_METHODE_LZW), 0);
    EXPECT_EQ(W32_Cmp_Unpack(p.data(), nullptr, CMP_METHODE_LZW), 0);
    EXPECT_EQ(W32_Cmp_Unpack(p.data(), aus.data(), 31), 0);
    EXPECT_EQ(lzw_entpacken(p, p.size(), aus.data(), roh.size() - 1, &n), 0);  // destination too small
    for (size_t k = 0; k < p.size(); k += 97) EXPECT_EQ(lzw_entpacken(p, k, aus.data(), aus.size(), &n), 0);
    // A stream without its end code.
    Bytes ohne = lzw_packen({1, 2, 3});
    ohne.pop_back();
    put_u32le(ohne.data() + 4, static_cast<u32>(ohne.size()));
    EXPECT_EQ(lzw_entpacken(ohne, ohne.size(), aus.data(), 3, &n), 0);
    // A first code that is no literal (9-bit code 258).
    EXPECT_EQ(W32_Cmp_Unpack(block(1, {0x02, 0x03, 0x00}).data(), aus.data(), CMP_METHODE_LZW), 0);
    // (Flipped bytes: the fuzz target.)
    // The packer refuses a too small destination and an unknown method.
    Bytes z = Zufall_Bytes(1000, 11), klein(100);
    EXPECT_EQ(W32_Cmp_Pack(z.data(), 1000, klein.data(), 100, CMP_METHODE_LZW), 0u);
    EXPECT_EQ(W32_Cmp_Pack(z.data(), 1000, klein.data(), 100, 31), 0u);
}

}  // namespace

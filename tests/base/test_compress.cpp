// Run-length packing, zlib blocks and the LZW method 3696.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "base/compress.h"
#include "base/memory.h"

namespace {

using Bytes = std::vector<u8>;

Bytes rle_packen(const Bytes& roh) {
    Bytes aus(Tools_RLE_Max_Gepackt(static_cast<u32>(roh.size())));
    u32 n = Tools_RLE_Packen(roh.data(), aus.data(), static_cast<u32>(roh.size()));
    EXPECT_GE(n, 9u);
    aus.resize(n);
    return aus;
}

Bytes kopf(u32 roh, u32 gepackt) {
    Bytes b(8);
    put_u32le(b.data(), roh);
    put_u32le(b.data() + 4, gepackt);
    return b;
}

Bytes zufall(size_t n, u32 seed, int alphabet = 256) {
    std::mt19937 rng(seed);
    Bytes b(n);
    for (auto& x : b) x = static_cast<u8>(rng() % alphabet);
    return b;
}

// Mixed data: runs of many lengths and random stretches.
Bytes gemischt(size_t n, u32 seed) {
    std::mt19937 rng(seed);
    Bytes b;
    while (b.size() < n) {
        if (rng() % 2) {
            b.insert(b.end(), rng() % 300 + 1, static_cast<u8>(rng()));
        } else {
            for (int k = rng() % 200; k > 0; --k) b.push_back(static_cast<u8>(rng()));
        }
    }
    b.resize(n);
    return b;
}

// ---------------------------------------------------------------------------
// RLE

TEST(Rle, ExactBytesOfSmallVectors) {
    // Empty: head and end byte only.
    Bytes e = kopf(0, 9);
    e.push_back(0);
    EXPECT_EQ(rle_packen({}), e);

    // Three equal bytes are a repeat, two are a literal run.
    Bytes r = kopf(3, 11);
    r.insert(r.end(), {3, 7, 0});
    EXPECT_EQ(rle_packen({7, 7, 7}), r);

    Bytes l = kopf(2, 12);
    l.insert(l.end(), {0x82, 7, 7, 0});
    EXPECT_EQ(rle_packen({7, 7}), l);

    // Literal, repeat, literal.
    Bytes m = kopf(7, 16);
    m.insert(m.end(), {0x81, 1, 4, 2, 0x82, 3, 4, 0});
    EXPECT_EQ(rle_packen({1, 2, 2, 2, 2, 3, 4}), m);
}

TEST(Rle, RunsAreCutAt125) {
    // 126 equal bytes: a run of 125 and a literal of 1.
    Bytes roh(126, 0xAB);
    Bytes p = rle_packen(roh);
    Bytes erwartet = kopf(126, 13);
    erwartet.insert(erwartet.end(), {125, 0xAB, 0x81, 0xAB, 0});
    EXPECT_EQ(p, erwartet);

    // 250 equal bytes: two full runs.
    Bytes p2 = rle_packen(Bytes(250, 5));
    Bytes e2 = kopf(250, 13);
    e2.insert(e2.end(), {125, 5, 125, 5, 0});
    EXPECT_EQ(p2, e2);

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
            Bytes roh = seed % 2 ? gemischt(n, seed) : zufall(n, seed, 3);
            Bytes p = rle_packen(roh);
            ASSERT_LE(p.size(), Tools_RLE_Max_Gepackt(static_cast<u32>(n)));
            EXPECT_EQ(get_u32le(p.data()), n);
            EXPECT_EQ(get_u32le(p.data() + 4), p.size());
            Bytes aus(n);
            ASSERT_EQ(Tools_RLE_Entpacken(p.data(), aus.data()), n);
            ASSERT_EQ(aus, roh);
            Bytes aus2(n);
            ASSERT_EQ(Tools_RLE_Entpacken_Sicher(p.data(), static_cast<u32>(p.size()), aus2.data(), n), n);
            ASSERT_EQ(aus2, roh);
        }
    }
    // Incompressible data stays within the bound.
    Bytes z = zufall(100000, 99);
    EXPECT_LE(rle_packen(z).size(), Tools_RLE_Max_Gepackt(100000));
}

TEST(Rle, DamagedBlocksAreRefused) {
    Bytes roh = gemischt(600, 3);
    Bytes p = rle_packen(roh);
    Bytes aus(600);

    // Packed-size field below 9.
    for (u32 g = 0; g < 9; ++g) {
        Bytes k = p;
        put_u32le(k.data() + 4, g);
        EXPECT_EQ(Tools_RLE_Entpacken(k.data(), aus.data()), 0u) << g;
    }
    // A destination smaller than the head says: the bounded form refuses.
    EXPECT_EQ(Tools_RLE_Entpacken_Sicher(p.data(), static_cast<u32>(p.size()), aus.data(), 599), 0u);
    // Fewer packed bytes available than the head says.
    EXPECT_EQ(Tools_RLE_Entpacken_Sicher(p.data(), static_cast<u32>(p.size() - 1), aus.data(), 600), 0u);
    // A head that under-states the unpacked size: runs would overflow.
    Bytes k = p;
    put_u32le(k.data(), 100);
    EXPECT_EQ(Tools_RLE_Entpacken(k.data(), aus.data()), 0u);
    // A head that over-states it: the data ends early.
    k = p;
    put_u32le(k.data(), 601);
    Bytes gross(601);
    EXPECT_EQ(Tools_RLE_Entpacken(k.data(), gross.data()), 0u);
    // Control bytes 126, 127, 0x80, 0xFE, 0xFF are no valid runs.
    for (u8 c : {126, 127, 0x80, 0xFE, 0xFF}) {
        Bytes b = kopf(200, 12);
        b.insert(b.end(), {c, 1, 0, 0});
        Bytes z(200);
        EXPECT_EQ(Tools_RLE_Entpacken(b.data(), z.data()), 0u) << int(c);
    }
    // Missing end byte, and bytes after it.
    Bytes ohne = kopf(3, 10);
    ohne.insert(ohne.end(), {3, 9});
    EXPECT_EQ(Tools_RLE_Entpacken(ohne.data(), aus.data()), 0u);
    Bytes danach = kopf(3, 12);
    danach.insert(danach.end(), {3, 9, 0, 0});
    EXPECT_EQ(Tools_RLE_Entpacken(danach.data(), aus.data()), 0u);
}

TEST(Rle, EveryTruncationAndByteFlipIsSafe) {
    Bytes roh = gemischt(400, 8);
    Bytes p = rle_packen(roh);
    Bytes aus(400);
    for (size_t n = 0; n < p.size(); ++n)
        EXPECT_EQ(Tools_RLE_Entpacken_Sicher(p.data(), static_cast<u32>(n), aus.data(), 400), 0u);
    // A flipped byte never writes past the destination (ASan watches).
    for (size_t i = 0; i < p.size(); ++i) {
        Bytes k = p;
        k[i] ^= 0x5A;
        Bytes z(400);
        Tools_RLE_Entpacken_Sicher(k.data(), static_cast<u32>(k.size()), z.data(), 400);
    }
}

// ---------------------------------------------------------------------------
// zlib

TEST(Zlib, PackUnpackWithHead) {
    Bytes roh = gemischt(50000, 4);
    Bytes p(roh.size() + 8);
    u32 n = W32_Cmp_Zlib_Pack(roh.data(), p.data(), static_cast<u32>(roh.size()));
    ASSERT_GT(n, 8u);
    EXPECT_EQ(get_u32le(p.data()), roh.size());
    EXPECT_EQ(get_u32le(p.data() + 4) + 8, n);
    Bytes aus(roh.size());
    EXPECT_EQ(W32_Cmp_Zlib_Unpack(p.data(), aus.data()), roh.size());
    EXPECT_EQ(aus, roh);
    EXPECT_EQ(W32_Cmp_Unpack(p.data(), aus.data(), CMP_METHODE_ZLIB), 1);

    // Bounded: too small a destination or too few bytes.
    EXPECT_EQ(W32_Cmp_Zlib_Unpack_Sicher(p.data(), n, aus.data(), static_cast<u32>(roh.size() - 1)), 0u);
    EXPECT_EQ(W32_Cmp_Zlib_Unpack_Sicher(p.data(), n - 1, aus.data(), static_cast<u32>(roh.size())), 0u);
    // A damaged byte in the data.
    p[n / 2] ^= 0xFF;
    EXPECT_EQ(W32_Cmp_Zlib_Unpack(p.data(), aus.data()), 0u);
}

TEST(Zlib, IncompressibleDataDoesNotFit) {
    Bytes roh = zufall(1000, 5);
    Bytes p(roh.size() + 8);
    EXPECT_EQ(W32_Cmp_Zlib_Pack(roh.data(), p.data(), static_cast<u32>(roh.size())), 0u);
}

TEST(Zlib, NewBlocks) {
    u32 start = W32_Memory_Anzahl_Bloecke();
    Bytes roh = gemischt(30000, 6);
    u32 gn = 0;
    u8* block = static_cast<u8*>(W32_Cmp_Zlib_Pack_Neu(roh.data(), static_cast<u32>(roh.size()), &gn));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(get_u32le(block), roh.size());
    u32 g = 0;
    u8* aus = static_cast<u8*>(W32_Cmp_Zlib_Unpack_Neu(block, gn, &g));
    ASSERT_NE(aus, nullptr);
    ASSERT_EQ(g, roh.size());
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

// ---------------------------------------------------------------------------
// LZW

Bytes lzw_packen(const Bytes& roh) {
    Bytes p(W32_Cmp_Max_Gepackt(static_cast<u32>(roh.size()), CMP_METHODE_LZW));
    u32 n = W32_Cmp_Pack(roh.data(), static_cast<u32>(roh.size()), p.data(), static_cast<u32>(p.size()),
                         CMP_METHODE_LZW);
    EXPECT_GT(n, 8u);
    p.resize(n);
    return p;
}

TEST(Lzw, RoundTripAcrossCodeWidthsAndClears) {
    // Sizes that pass the 9/10/11/12-bit changes and several dictionary resets.
    std::vector<Bytes> faelle = {{}, {42}, Bytes(1, 0), Bytes(5000, 'a'), zufall(3000, 1, 4),
                                 zufall(70000, 2, 256), gemischt(200000, 3), zufall(100000, 4, 2)};
    // "KwKwK": a code used right after it was made.
    faelle.push_back({'a', 'b', 'a', 'b', 'a', 'b', 'a'});
    for (const Bytes& roh : faelle) {
        Bytes p = lzw_packen(roh);
        EXPECT_EQ(get_u32le(p.data()), roh.size());
        EXPECT_EQ(get_u32le(p.data() + 4), p.size());
        Bytes aus(roh.size() + 1);
        u32 n = 0;
        ASSERT_EQ(W32_Cmp_Unpack_Sicher(p.data(), static_cast<u32>(p.size()), aus.data(),
                                        static_cast<u32>(aus.size()), CMP_METHODE_LZW, &n),
                  1);
        ASSERT_EQ(n, roh.size());
        aus.resize(n);
        EXPECT_EQ(aus, roh);
        Bytes aus2(roh.size() + 1);
        EXPECT_EQ(W32_Cmp_Unpack(p.data(), aus2.data(), CMP_METHODE_LZW), 1);
    }
    // Repetitive data really gets smaller.
    EXPECT_LT(lzw_packen(Bytes(100000, 'x')).size(), 2000u);
}

TEST(Lzw, ExactStreamOfASmallInput) {
    // "ABAB": codes 'A', 'B', 258 ("AB"), end; 9 bits each, LSB first.
    Bytes p = lzw_packen({'A', 'B', 'A', 'B'});
    ASSERT_EQ(p.size(), 8u + 5u);  // 4 codes x 9 bits = 36 bits = 5 bytes
    u64 bits = 0;
    for (int i = 0; i < 5; ++i) bits |= static_cast<u64>(p[8 + i]) << (8 * i);
    EXPECT_EQ(bits & 0x1FF, u64('A'));
    EXPECT_EQ((bits >> 9) & 0x1FF, u64('B'));
    EXPECT_EQ((bits >> 18) & 0x1FF, 258u);
    EXPECT_EQ((bits >> 27) & 0x1FF, 257u);
}

TEST(Lzw, DamagedStreamsAreRefused) {
    Bytes roh = gemischt(20000, 9);
    Bytes p = lzw_packen(roh);
    Bytes aus(roh.size());
    u32 n = 0;
    // Null pointers and unknown methods.
    EXPECT_EQ(W32_Cmp_Unpack(nullptr, aus.data(), CMP_METHODE_LZW), 0);
    EXPECT_EQ(W32_Cmp_Unpack(p.data(), nullptr, CMP_METHODE_LZW), 0);
    EXPECT_EQ(W32_Cmp_Unpack(p.data(), aus.data(), 31), 0);
    // A destination too small.
    EXPECT_EQ(W32_Cmp_Unpack_Sicher(p.data(), static_cast<u32>(p.size()), aus.data(),
                                    static_cast<u32>(roh.size() - 1), CMP_METHODE_LZW, &n),
              0);
    // Every truncation.
    for (size_t k = 0; k < p.size(); k += 97)
        EXPECT_EQ(W32_Cmp_Unpack_Sicher(p.data(), static_cast<u32>(k), aus.data(), static_cast<u32>(aus.size()),
                                        CMP_METHODE_LZW, &n),
                  0);
    // A stream without its end code.
    Bytes ohne = lzw_packen({1, 2, 3});
    ohne.pop_back();
    put_u32le(ohne.data() + 4, static_cast<u32>(ohne.size()));
    EXPECT_EQ(W32_Cmp_Unpack_Sicher(ohne.data(), static_cast<u32>(ohne.size()), aus.data(), 3, CMP_METHODE_LZW, &n),
              0);
    // A first code that is no literal, and a code beyond the next free one.
    Bytes b = kopf(1, 8 + 3);
    b.insert(b.end(), {0x02, 0x03, 0x00});  // 9-bit code 0x102 = 258 first
    EXPECT_EQ(W32_Cmp_Unpack(b.data(), aus.data(), CMP_METHODE_LZW), 0);
    // Flipped bytes never write out of bounds.
    for (size_t i = 8; i < p.size(); i += 13) {
        Bytes k = p;
        k[i] ^= 0x21;
        Bytes z(roh.size());
        W32_Cmp_Unpack_Sicher(k.data(), static_cast<u32>(k.size()), z.data(), static_cast<u32>(z.size()),
                              CMP_METHODE_LZW, &n);
    }
}

TEST(Lzw, PackerRefusesTooSmallDestination) {
    Bytes roh = zufall(1000, 11);
    Bytes p(100);
    EXPECT_EQ(W32_Cmp_Pack(roh.data(), 1000, p.data(), 100, CMP_METHODE_LZW), 0u);
    EXPECT_EQ(W32_Cmp_Pack(roh.data(), 1000, p.data(), 100, 31), 0u);
}

}  // namespace

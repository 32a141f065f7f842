// Guarded memory blocks: headers and guards are checked before anything is
// released, foreign pointers are refused without being read, and the block
// count shows what is still allocated.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "base/debug.h"
#include "base/memory.h"
#include "base_test_util.h"

namespace {

W32_Memory_Header* Kopf(void* p) { return reinterpret_cast<W32_Memory_Header*>(static_cast<u8*>(p) - 36); }

void Besitzer_Prozedur() {}

TEST(Memory, AllocZeroesFillFillsAndTheHeaderRecordsSizeKindAndOwner) {
    static const char* owner = "SocketTools_CheckConnection()";
    const u32 vorher = W32_Memory_Anzahl_Bloecke();
    u8* a = static_cast<u8*>(W32_Memory_H_Alloc(100, owner));
    u8* b = static_cast<u8*>(W32_Memory_H_Alloc_Fill(33, &Besitzer_Prozedur, 0xAB));  // a procedure as owner
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(a) % 16, 0u);
    EXPECT_EQ(Bytes(a, a + 100), Bytes(100, 0));
    EXPECT_EQ(Bytes(b, b + 33), Bytes(33, 0xAB));
    EXPECT_EQ(W32_Memory_Anzahl_Bloecke(), vorher + 2);
    EXPECT_EQ(W32_Memory_Groesse(b), 33u);
    EXPECT_TRUE(W32_Memory_Pruefen(a));
    const W32_Memory_Header& h = *Kopf(a);
    EXPECT_EQ((static_cast<u64>(h.owner_hi) << 32 | h.owner_lo), reinterpret_cast<uintptr_t>(owner));
    EXPECT_EQ((static_cast<u64>(Kopf(b)->owner_hi) << 32 | Kopf(b)->owner_lo),
              reinterpret_cast<uintptr_t>(&Besitzer_Prozedur));
    EXPECT_GT(Kopf(b)->nummer, h.nummer);

    EXPECT_EQ(W32_Memory_H_Free(a), nullptr);
    EXPECT_EQ(W32_Memory_H_Free(b), nullptr);
    EXPECT_EQ(W32_Memory_Anzahl_Bloecke(), vorher);
    EXPECT_EQ(W32_Memory_H_Free(nullptr), nullptr);
}

TEST(Memory, RefusesZeroAndHugeSizes) {
    const u32 vorher = W32_Memory_Anzahl_Bloecke();
    EXPECT_EQ(W32_Memory_H_Alloc(0, "Test"), nullptr);
    EXPECT_EQ(W32_Memory_H_Alloc(static_cast<size_t>(-1), "Test"), nullptr);  // a negative size passed by mistake
    EXPECT_EQ(W32_Memory_H_Alloc_Fill(W32_MEMORY_MAX_GROESSE + 1, "Test", 1), nullptr);
    EXPECT_EQ(W32_Memory_V_Alloc(0, W32_PAGE_READWRITE, "Test"), nullptr);
    EXPECT_EQ(W32_Memory_Anzahl_Bloecke(), vorher);
}

// Each kind of damage is reported, the block is not released (the pointer
// comes back unchanged and the count stays), and a repaired block frees.
TEST(Memory, DamagedGuardsAreReportedNotFollowed) {
    // Byte offsets from the payload: header start, header end, size field,
    // check word, trailing guard.
    const long versaetze[] = {-36, -4, -28, -8, 64};
    for (long v : versaetze) {
        SCOPED_TRACE(v);
        u8* p = static_cast<u8*>(W32_Memory_H_Alloc(64, "Test"));
        const u32 anzahl = W32_Memory_Anzahl_Bloecke();
        u8 alt = p[v];
        p[v] ^= 0x5A;
        EXPECT_FALSE(W32_Memory_Pruefen(p));
        Debug_Mitschnitt log;
        EXPECT_EQ(W32_Memory_H_Free(p), p);
        EXPECT_TRUE(log.Enthaelt("Error: W32_Memory_H_Free wrong ptr"));
        EXPECT_EQ(W32_Memory_Anzahl_Bloecke(), anzahl);
        p[v] = alt;
        EXPECT_EQ(W32_Memory_H_Free(p), nullptr);
    }
}

TEST(Memory, ForeignStaleAndWrongKindPointersAreRefused) {
    Debug_Mitschnitt log;
    int auf_dem_stapel[4] = {};
    EXPECT_EQ(W32_Memory_H_Free(auf_dem_stapel), auf_dem_stapel);  // not read: ASan would see an underflow
    void* fremd = std::malloc(16);
    EXPECT_EQ(W32_Memory_H_Free(fremd), fremd);
    std::free(fremd);

    void* p = W32_Memory_H_Alloc(10, "Test");
    EXPECT_EQ(W32_Memory_H_Free(static_cast<u8*>(p) + 4), static_cast<u8*>(p) + 4);  // inside a block
    EXPECT_EQ(W32_Memory_V_Free(p), p);                                              // heap block to the page free
    EXPECT_EQ(W32_Memory_H_Free(p), nullptr);
    EXPECT_EQ(W32_Memory_H_Free(p), p);  // twice

    void* v = W32_Memory_V_Alloc(100, W32_PAGE_READWRITE, "Test");
    EXPECT_EQ(W32_Memory_H_Free(v), v);  // page block to the heap free
    EXPECT_EQ(W32_Memory_V_Free(v), nullptr);
    EXPECT_EQ(log.Anzahl("Error: W32_Memory_H_Free wrong ptr"), 5);
    EXPECT_EQ(log.Anzahl("Error: W32_Memory_V_Free wrong ptr"), 1);
}

TEST(Memory, PageBlocksAreWholeZeroedPages) {
    const u32 vorher = W32_Memory_Anzahl_Bloecke();
    const size_t seite = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    u8* v = static_cast<u8*>(W32_Memory_V_Alloc(seite + 1, W32_PAGE_READWRITE, "JPEG"));
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(v) % seite, 0u);
    // The whole rounded-up range is usable.
    for (size_t i = 0; i < 2 * seite; ++i) EXPECT_EQ(v[i], 0) << i;
    std::memset(v, 0x77, 2 * seite);
    EXPECT_TRUE(W32_Memory_Pruefen(v));
    EXPECT_EQ(W32_Memory_Anzahl_Bloecke(), vorher + 1);

    u8* r = static_cast<u8*>(W32_Memory_V_Alloc(10, W32_PAGE_READONLY, "JPEG"));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r[9], 0);
    EXPECT_EQ(W32_Memory_V_Free(r), nullptr);
    EXPECT_EQ(W32_Memory_V_Free(v), nullptr);
    EXPECT_EQ(W32_Memory_Anzahl_Bloecke(), vorher);
}

TEST(Memory, ShutdownReportListsBlocksStillAllocated) {
    const u32 vorher = W32_Memory_Anzahl_Bloecke();
    void* a = W32_Memory_H_Alloc(12, "Vergessen");
    void* b = W32_Memory_H_Alloc(34, "Vergessen");
    Debug_Mitschnitt log;
    EXPECT_EQ(W32_Memory_Bericht(), vorher + 2);
    EXPECT_TRUE(log.Enthaelt("12 Bytes"));
    EXPECT_TRUE(log.Enthaelt("34 Bytes"));
    const u64 bytes = W32_Memory_Anzahl_Bytes();
    W32_Memory_H_Free(a);
    EXPECT_EQ(W32_Memory_Anzahl_Bytes(), bytes - 12);
    W32_Memory_H_Free(b);
}

TEST(Memory, CountStaysRightUnderConcurrentUse) {
    const u32 vorher = W32_Memory_Anzahl_Bloecke();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([] {
            for (int i = 0; i < 2000; ++i) {
                void* p = W32_Memory_H_Alloc(static_cast<size_t>(1 + i % 100), "Thread");
                ASSERT_NE(p, nullptr);
                ASSERT_EQ(W32_Memory_H_Free(p), nullptr);
            }
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(W32_Memory_Anzahl_Bloecke(), vorher);
}

}  // namespace

// The main loop allocates nothing per frame, idle or running scripted
// input: no operator new, no malloc (counted through the sanitizer's hooks
// in the sanitizer build), no guarded block.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "base/globals.h"
#include "base/memory.h"
#include "platform/headless.h"
#include "platform/hooks.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's documented hook interface (its header is not installed with g++).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, size_t),
                                                         void (*free_hook)(const volatile void*));
#define KORDAVO_MALLOC_ZAEHLEN 1
#endif

namespace {
std::atomic<long> news{0}, mallocs{0};
void* Neu(std::size_t n) {
    news++;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t n) { return Neu(n); }
void* operator new[](std::size_t n) { return Neu(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

struct Zaehlung {
    long news, mallocs, bloecke;
};
Zaehlung Jetzt() {
    long bloecke = W32_Memory_Anzahl_Bloecke();  // first, in case asking allocates
    return {news.load(), mallocs.load(), bloecke};
}
// What was allocated between two counts; assertions only outside the counted part (they allocate).
void Nichts_Alloziert(const Zaehlung& vorher, const Zaehlung& nachher) {
    EXPECT_EQ(nachher.news - vorher.news, 0);
    EXPECT_EQ(nachher.mallocs - vorher.mallocs, 0);
    EXPECT_EQ(nachher.bloecke, vorher.bloecke);
}

class Speicher : public ::testing::Test {
  protected:
    void SetUp() override {
#if KORDAVO_MALLOC_ZAEHLEN
        __sanitizer_install_malloc_and_free_hooks([](const volatile void*, size_t) { mallocs++; },
                                                  [](const volatile void*) {});
#endif
        Main_Hooks_Zuruecksetzen();
        ASSERT_TRUE(Headless_Starten());
    }
    void TearDown() override {
        Headless_Beenden();
        Quit_Status = QUIT_STATUS_LAEUFT;
    }
};

}  // namespace

TEST_F(Speicher, HauptschleifeAlloziertProFrameNichts) {
    Headless_Frames(20);  // warm up
    Zaehlung vorher = Jetzt();
    i32 n = Headless_Frames(500);
    Zaehlung nachher = Jetzt();
    EXPECT_EQ(n, 500);
    Nichts_Alloziert(vorher, nachher);

    std::string skript;
    for (int i = 0; i < 100; i++)
        skript += "move " + std::to_string(i * 7) + " " + std::to_string(i * 5) +
                  "\nclick left\nwheel 1\nkey a\ntext \"\xC3\xBC\"\nwait 1\n";
    ASSERT_TRUE(Headless_Skript(skript));  // reading the script allocates; running it must not
    Headless_Frames(1);
    vorher = Jetzt();
    Headless_Frames(150);
    nachher = Jetzt();
    EXPECT_TRUE(Headless_Skript_Zu_Ende());
    Nichts_Alloziert(vorher, nachher);
}

TEST_F(Speicher, ZaehlerSindScharf) {
    // The counters do see allocations (so the zeros above mean something).
    Zaehlung vorher = Jetzt();
    int* p = new int(5);
    void* b = W32_Memory_H_Alloc(100, "test");
    Zaehlung nachher = Jetzt();
    EXPECT_GE(nachher.news - vorher.news, 1);
#if KORDAVO_MALLOC_ZAEHLEN
    EXPECT_GE(nachher.mallocs - vorher.mallocs, 2);
#endif
    EXPECT_EQ(nachher.bloecke, vorher.bloecke + 1);
    delete p;
    W32_Memory_H_Free(b);
}

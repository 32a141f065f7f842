// The frame loop without a window, driven by input scripts: what the game's
// frame sees of mouse, wheel and keys, the fixed time step, quitting,
// screenshots read back pixel for pixel, the network pump by role,
// Taste_Warten, and no allocation per frame (operator new is counted here,
// malloc through the sanitizer's hooks in the sanitizer build).
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/memory.h"
#include "base/tools.h"
#include "platform/display.h"
#include "platform/headless.h"
#include "platform/hooks.h"
#include "platform/keys.h"
#include "platform/mainloop.h"
#include "platform/messages.h"
#include "platform_test.h"

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

// What the frames of the game saw: the mouse as "x,y buttons wheel|", the key
// as "code:character " (numbers: virtual key, Windows-1252 byte), the clock.
std::string maus_log, tasten_log;
std::vector<u32> zeiten;

// A frame hook that behaves like the game's state machine: latches the mouse,
// reads everything, ends on a quit request, clears the key.
void Beobachter_Frame() {
    Maus_Update();
    if (Quit_Status != QUIT_STATUS_LAEUFT) {
        Quit_Status = QUIT_STATUS_VERLASSEN;
        return;
    }
    maus_log += std::to_string(Maus_Get_X()) + "," + std::to_string(Maus_Get_Y()) + " " +
                std::to_string(Maus_Get_Tasten()) + " " + std::to_string(Maus_Get_Rad()) + "|";
    tasten_log += std::to_string(Taste_Get_Code()) + ":" + std::to_string(Taste_Get_Zeichen()) + " ";
    zeiten.push_back(W32_Get_Time());
    Maus_Rad_Reset();
    Taste_Reset();
}

class Headless : public ::testing::Test {
  protected:
    void SetUp() override {
        Main_Hooks_Zuruecksetzen();
        ASSERT_TRUE(Headless_Starten());
        {
            Main_Hook_Tabelle h = Main_Hooks;
            h.Kalender_Run = Beobachter_Frame;
            Main_Set_Hooks(h);
        }
        maus_log.clear();
        tasten_log.clear();
        zeiten.clear();
        Internet_Modus = INTERNET_MODUS_EINZEL;
    }
    void TearDown() override {
        Headless_Beenden();
        Main_Hooks_Zuruecksetzen();
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Quit_Status = QUIT_STATUS_LAEUFT;
    }
};

}  // namespace

TEST_F(Headless, MausTastenUndZeitJeFrame) {
    ASSERT_EQ(
        Headless_Lauf("wait 1\nclick left 100 200\nwheel 3\nwheel 1\nwait 1\nwheel -2\nmove 900 900\nwait 2\n", 4), 4);
    EXPECT_EQ(maus_log, "0,0 0 0|100,200 1 4|799,599 0 -2|799,599 0 0|") << "a click between two frames is not lost";
    // A capital of the text is typed with Shift; "key" types letters (capital while Shift is held) and space.
    tasten_log.clear();
    ASSERT_EQ(Headless_Lauf(
                  "text \"M\xC3\xBC\xC3\x9F\"\nkey return\nkey k\nkeydown shift\nkey k\nkeyup shift\nkey space\n", 9),
              9);
    EXPECT_EQ(tasten_log, "0:77 0:252 0:223 13:0 75:107 16:0 75:75 32:32 0:0 ");
    // The clock moves on by the fixed step each frame, whatever the frame really took.
    for (size_t i = 1; i < zeiten.size(); i++) EXPECT_EQ(zeiten[i] - zeiten[i - 1], HEADLESS_ZEITSCHRITT_MS);
    EXPECT_EQ(W32_Frame_Zeitschritt(), HEADLESS_ZEITSCHRITT_MS);
    Tools_Timer_Start(3);
    Headless_Frames(10);
    EXPECT_EQ(Tools_Timer_Dauer(3), 10 * HEADLESS_ZEITSCHRITT_MS);
}

TEST_F(Headless, SkriptEndeFehlerUndQuit) {
    EXPECT_EQ(Headless_Lauf("move 1 1\n", 10), 10) << "the end of the script alone does not end a test run";
    EXPECT_TRUE(Headless_Skript_Zu_Ende());
    std::string fehler;
    EXPECT_FALSE(Headless_Skript("move 1 1\nfly\n", &fehler));
    EXPECT_EQ(fehler, "Eingabeskript, Zeile 2: unbekannter Befehl \"fly\"");
    zeiten.clear();
    EXPECT_EQ(Headless_Lauf("fly\n", 10), -1);
    EXPECT_TRUE(zeiten.empty());
    // Quit is posted in frame 2 and taken in by the next pass, whose frame ends the loop.
    EXPECT_EQ(Headless_Lauf("wait 2\nquit\n", 100), 4);
    EXPECT_EQ(Quit_Status, QUIT_STATUS_VERLASSEN);
    EXPECT_EQ(Headless_Frames(10), 0);
}

TEST_F(Headless, ScreenshotZeigtGenauDenBildpuffer) {
    for (i32 tiefe : {16, 15}) {
        ASSERT_TRUE(Headless_Starten(tiefe));
        {
            Main_Hook_Tabelle h = Main_Hooks;
            h.Kalender_Run = Main_Standard_Frame;
            Main_Set_Hooks(h);
        }
        EXPECT_EQ(W32_Display.bits_pro_pixel, tiefe);
        std::string pfad = Test_Temp("standard.png");
        // A screenshot that cannot be written stops nothing.
        std::string skript =
            "move 400 100\nwait 2\nscreenshot /nonexistent-folder/x.png\nscreenshot " + pfad + "\nwait 1\n";
        ASSERT_EQ(Headless_Lauf(skript, 4), 4);
        std::vector<u16> bild = Headless_Bildpuffer();
        EXPECT_EQ(bild[250 * 800 + 500], tiefe == 15 ? 0x7C00 : 0xF800) << "red bar";
        Test_Png png;
        ASSERT_TRUE(Test_Png_Datei(pfad, png)) << png.fehler;
        EXPECT_EQ(Test_Png_Abweichungen(png, bild.data(), 800, 600, 800, tiefe), 0u) << tiefe;
        std::remove(pfad.c_str());
    }
    // Presenting from a loading loop writes a request at once, and only once.
    std::string pfad = Test_Temp("jetzt.png");
    u32 vorher = Display_Screenshot_Anzahl();
    Display_Screenshot_Anfordern(pfad);
    W32_Present_Now();
    W32_Present_Now();
    EXPECT_EQ(Display_Screenshot_Anzahl(), vorher + 1);
    EXPECT_EQ(std::remove(pfad.c_str()), 0);
    EXPECT_FALSE(W32_Set_Vollbild(true)) << "no full screen without a window";
}

namespace {
int pumpen = 0, server_clients = 0, overlays = 0;
std::string reihenfolge;
void Zaehl_Overlay(u16* p, i32 pitch, i32 hoehe) {
    overlays += p == W32_Display.puffer && pitch == 800 && hoehe == 600 && reihenfolge.back() == 'K';
}
}  // namespace

TEST_F(Headless, NetzwerkPumpeUndFrameVerteilerNachRolle) {
    {
        Main_Hook_Tabelle h = Main_Hooks;
        h.Verbindung_Pump = [] { pumpen++; };
        h.Verbindung_Server_Clients = [] { server_clients++; };
        h.Server_Frame = [] { reihenfolge += 'S'; };
        h.Client_Frame = [] { reihenfolge += 'C'; };
        h.Kalender_Run = [] { reihenfolge += 'K'; };
        h.Video_Overlay = Zaehl_Overlay;
        Main_Set_Hooks(h);
    }
    // Per pass: a client pumps 12 times, a server 2 + its receive work + 2; the role's frame comes first.
    const struct {
        u32 modus;
        int pumpen, server_clients;
        const char* reihenfolge;
    } rollen[] = {{INTERNET_MODUS_EINZEL, 0, 0, "KK"},
                  {INTERNET_MODUS_CLIENT, 24, 0, "CKCK"},
                  {INTERNET_MODUS_SERVER, 8, 2, "SKSK"}};
    for (const auto& r : rollen) {
        Internet_Modus = r.modus;
        pumpen = server_clients = overlays = 0;
        reihenfolge.clear();
        Headless_Frames(2);
        EXPECT_EQ(pumpen, r.pumpen) << r.modus;
        EXPECT_EQ(server_clients, r.server_clients) << r.modus;
        EXPECT_EQ(reihenfolge, r.reihenfolge) << r.modus;
        EXPECT_EQ(overlays, 2) << "the overlay follows the frame";
        pumpen = 0;
        W32_Message_Pump();
        EXPECT_EQ(pumpen, r.pumpen / 2) << "the waiting loops' pump runs the network too";
    }
}

TEST_F(Headless, TasteWarten) {
    ASSERT_TRUE(
        Headless_Skript("keydown x\nwait 3\nkeyup x\nwait 2\nkey b\nwait 1\nkey c\nwait 5\nkey d\nwait 2\nkey esc\n"));
    // The held x must be released first; b is the key that counts.
    EXPECT_EQ(Taste_Warten(), static_cast<u32>('b'));
    EXPECT_EQ(Taste_Get_Code(), 0u) << "the key is taken, the game's frame does not see it again";
    // c arrives while the next wait still waits for the keyboard to be quiet.
    EXPECT_EQ(Taste_Warten(), static_cast<u32>('d'));
    EXPECT_EQ(Taste_Warten(), VK_ESCAPE) << "a key that types nothing gives its code";
    EXPECT_EQ(Taste_Warten(), 0u) << "a script that has run out brings no more keys";
    ASSERT_TRUE(Headless_Skript("wait 1\nquit\nwait 1000\n"));
    EXPECT_EQ(Taste_Warten(), 0u) << "a quit request ends the wait";
}

namespace {
// new, malloc and guarded blocks so far (the blocks first, in case asking allocates).
std::array<long, 3> Zaehlung() {
    long bloecke = W32_Memory_Anzahl_Bloecke();
    return {news.load(), mallocs.load(), bloecke};
}
}  // namespace

TEST_F(Headless, HauptschleifeAlloziertProFrameNichts) {
#if KORDAVO_MALLOC_ZAEHLEN
    __sanitizer_install_malloc_and_free_hooks([](const volatile void*, size_t) { mallocs++; },
                                              [](const volatile void*) {});
#endif
    {
        Main_Hook_Tabelle h = Main_Hooks;
        h.Kalender_Run = Main_Standard_Frame;
        Main_Set_Hooks(h);
    }
    std::string skript;
    for (int i = 0; i < 100; i++)
        skript += "move " + std::to_string(i * 7) + " " + std::to_string(i * 5) +
                  "\nclick left\nwheel 1\nkey a\ntext \"\xC3\xBC\"\nwait 1\n";
    Headless_Frames(20);  // warm up
    // Assertions only outside the counted parts: they allocate.
    std::array<long, 3> vorher = Zaehlung();
    i32 n = Headless_Frames(500);
    std::array<long, 3> nach_leerlauf = Zaehlung();
    ASSERT_TRUE(Headless_Skript(skript));  // reading the script allocates; running it must not
    Headless_Frames(1);
    std::array<long, 3> vor_skript = Zaehlung();
    Headless_Frames(150);
    std::array<long, 3> nach_skript = Zaehlung();
    EXPECT_EQ(n, 500);
    EXPECT_EQ(nach_leerlauf, vorher) << "new, malloc, blocks in idle frames";
    EXPECT_TRUE(Headless_Skript_Zu_Ende());
    EXPECT_EQ(nach_skript, vor_skript) << "new, malloc, blocks in scripted frames";
    // The counters do see allocations, so the equalities above mean something.
    int* p = new int(5);
    void* b = W32_Memory_H_Alloc(100, "test");
    std::array<long, 3> nachher = Zaehlung();
    EXPECT_GE(nachher[0], vor_skript[0] + 1);
#if KORDAVO_MALLOC_ZAEHLEN
    EXPECT_GE(nachher[1], vor_skript[1] + 2);
#endif
    EXPECT_EQ(nachher[2], vor_skript[2] + 1);
    delete p;
    W32_Memory_H_Free(b);
}

namespace {
bool schnell = false;
std::string gezeigt_log;  // per frame: '+' shown, '.' not
int overlay_frames = 0;
void Schnell_Frame() {
    Beobachter_Frame();
    gezeigt_log += W32_Frame_Gezeigt() ? '+' : '.';
}
}  // namespace

// At the fastest speed every pass runs the game's frame, but only every
// SCHNELL_HEADLESS_JEDER-th is composed and presented (the video overlay
// drawn); a screenshot's frame is always shown; at other speeds every frame is.
TEST_F(Headless, SchnellsterLaufZeigtNurJedenNtenFrame) {
    {
        Main_Hook_Tabelle h = Main_Hooks;
        h.Kalender_Run = Schnell_Frame;
        h.Schnellster_Lauf = [] { return schnell; };
        h.Video_Overlay = [](u16*, i32, i32) { ++overlay_frames; };
        Main_Set_Hooks(h);
    }
    const auto lauf = [](bool an, const std::string& skript, i32 frames) {
        schnell = an;
        gezeigt_log.clear();
        overlay_frames = 0;
        const u32 vorher = W32_Frame_Gezeigt_Anzahl();
        EXPECT_EQ(Headless_Lauf(skript, frames), frames);
        EXPECT_EQ(W32_Frame_Gezeigt_Anzahl() - vorher, static_cast<u32>(overlay_frames));
        EXPECT_TRUE(W32_Frame_Gezeigt()) << "between frames the screen counts as shown";
    };
    lauf(false, "wait 4\n", 4);
    EXPECT_EQ(gezeigt_log, "++++");
    lauf(true, "wait 40\n", 2 * SCHNELL_HEADLESS_JEDER);
    EXPECT_EQ(gezeigt_log, std::string(SCHNELL_HEADLESS_JEDER - 1, '.') + "+" +
                               std::string(SCHNELL_HEADLESS_JEDER - 1, '.') + "+");
    EXPECT_EQ(overlay_frames, 2);
    const std::string pfad = Test_Temp("schnell.png");
    maus_log.clear();
    // Every pass takes the input in: a click between shown frames counts.
    lauf(true, "wait 2\nclick left 10 20\nscreenshot " + pfad + "\nwait 2\n", 5);
    EXPECT_EQ(gezeigt_log, "..+..");
    EXPECT_EQ(maus_log, "0,0 0 0|0,0 0 0|10,20 1 0|10,20 0 0|10,20 0 0|");
    EXPECT_EQ(std::remove(pfad.c_str()), 0) << "the screenshot was written";
}

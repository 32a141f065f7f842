// The frame loop without a window, driven by input scripts: what the game's
// frame sees of mouse, wheel and keys, screenshots, quitting, the fixed time
// step, the network pump by role, socket events, Taste_Warten.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "base/globals.h"
#include "base/tools.h"
#include "platform/display.h"
#include "platform/headless.h"
#include "platform/hooks.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "platform/mainloop.h"
#include "platform/messages.h"
#include "platform/png.h"
#include "png_lesen.h"

namespace {

// What one frame of the game saw.
struct Gesehen {
    u32 tasten = 0;
    i32 x = 0, y = 0;
    i32 rad = 0;
    u8 zeichen = 0;
    u32 code = 0;
    bool shift = false;
    u32 zeit = 0;
};
std::vector<Gesehen> frames;
bool sperre_setzen = false;

// A frame hook that behaves like the game's state machine: latches the mouse,
// reads everything, ends on a quit request, clears the key.
void Beobachter_Frame() {
    Maus_Update();
    if (Quit_Status != QUIT_STATUS_LAEUFT) {
        Quit_Status = QUIT_STATUS_VERLASSEN;
        return;
    }
    Gesehen g;
    g.tasten = Maus_Get_Tasten();
    if (sperre_setzen && g.tasten == MAUS_RECHTS) Maus_Rechts_Sperre = 1;
    g.x = Maus_Get_X();
    g.y = Maus_Get_Y();
    g.rad = Maus_Get_Rad();
    Maus_Rad_Reset();
    g.zeichen = Taste_Get_Zeichen();
    g.code = Taste_Get_Code();
    g.shift = Taste_Shift();
    g.zeit = W32_Get_Time();
    frames.push_back(g);
    Taste_Reset();
}

class Headless : public ::testing::Test {
  protected:
    void SetUp() override {
        Main_Hooks_Zuruecksetzen();
        ASSERT_TRUE(Headless_Starten());
        Main_Hooks.Kalender_Run = Beobachter_Frame;
        frames.clear();
        sperre_setzen = false;
        Internet_Modus = INTERNET_MODUS_EINZEL;
    }
    void TearDown() override {
        Headless_Beenden();
        Main_Hooks_Zuruecksetzen();
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Quit_Status = QUIT_STATUS_LAEUFT;
    }
    static std::string Temp(const char* name) {
        return (std::filesystem::temp_directory_path() / (std::string("kordavo_test_") + std::to_string(getpid()) + name))
            .string();
    }
};

}  // namespace

TEST_F(Headless, KlickZwischenZweiFramesKommtImNaechstenFrameAn) {
    ASSERT_EQ(Headless_Lauf("wait 1\nclick left 100 200\nwait 2\n", 4), 4);
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[0].tasten, 0u);
    EXPECT_EQ(frames[1].tasten, MAUS_LINKS);
    EXPECT_EQ(frames[1].x, 100);
    EXPECT_EQ(frames[1].y, 200);
    EXPECT_EQ(frames[2].tasten, 0u);
    EXPECT_EQ(frames[3].tasten, 0u);
}

TEST_F(Headless, RechtsklickSperreUeberMehrereFrames) {
    sperre_setzen = true;
    ASSERT_EQ(Headless_Lauf("press right\nwait 3\nrelease right\nwait 1\npress right\nwait 1\n", 6), 6);
    std::vector<u32> t;
    for (auto& g : frames) t.push_back(g.tasten);
    EXPECT_EQ(t, (std::vector<u32>{MAUS_RECHTS, 0, 0, 0, MAUS_RECHTS, 0}));
    EXPECT_EQ(Maus_Rechts_Sperre, 1u);
}

TEST_F(Headless, RadUndPosition) {
    ASSERT_EQ(Headless_Lauf("move 5 6\nwheel 3\nwheel 1\nwait 1\nwheel -2\nmove 900 900\nwait 1\n", 3), 3);
    EXPECT_EQ(frames[0].rad, 4);
    EXPECT_EQ(frames[0].x, 5);
    EXPECT_EQ(frames[1].rad, -2);
    EXPECT_EQ(frames[1].x, 799);
    EXPECT_EQ(frames[1].y, 599);
    EXPECT_EQ(frames[2].rad, 0);
}

TEST_F(Headless, TastenUndGetippteUmlaute) {
    ASSERT_EQ(Headless_Lauf("text \"M\xC3\xBC\xC3\x9F\"\nkey return\nkey k\nkeydown shift\nkey k\nkeyup shift\n", 8), 8);
    ASSERT_GE(frames.size(), 7u);
    EXPECT_EQ(frames[0].zeichen, 'M');   // a capital of the text is typed with Shift
    EXPECT_EQ(frames[1].zeichen, 0xFC);  // ü
    EXPECT_EQ(frames[2].zeichen, 0xDF);  // ß
    EXPECT_EQ(frames[3].code, VK_RETURN);
    EXPECT_EQ(frames[3].zeichen, 0);
    EXPECT_EQ(frames[4].code, static_cast<u32>('K'));
    EXPECT_EQ(frames[4].zeichen, 'k');
    EXPECT_EQ(frames[5].code, VK_SHIFT);
    EXPECT_EQ(frames[6].code, static_cast<u32>('K'));
    EXPECT_EQ(frames[6].zeichen, 'K');
    EXPECT_EQ(frames[7].code, 0u);
}

TEST_F(Headless, FesterZeitschritt) {
    u32 anfang = W32_Get_Time();
    ASSERT_EQ(Headless_Frames(5), 5);
    for (size_t i = 0; i < frames.size(); i++) EXPECT_EQ(frames[i].zeit, anfang + (i + 1) * HEADLESS_ZEITSCHRITT_MS);
    EXPECT_EQ(W32_Frame_Zeitschritt(), HEADLESS_ZEITSCHRITT_MS);
    Tools_Timer_Start(3);
    Headless_Frames(10);
    EXPECT_EQ(Tools_Timer_Dauer(3), 10 * HEADLESS_ZEITSCHRITT_MS);
}

TEST_F(Headless, QuitBeendetDieSchleife) {
    // Quit is posted in frame 2 and taken in by the next pass, whose frame ends the loop.
    EXPECT_EQ(Headless_Lauf("wait 2\nquit\n", 100), 4);
    EXPECT_EQ(Quit_Status, QUIT_STATUS_VERLASSEN);
    EXPECT_EQ(Headless_Frames(10), 0);
}

TEST_F(Headless, SkriptEndeAlleinBeendetDenTestlaufNicht) {
    EXPECT_EQ(Headless_Lauf("move 1 1\n", 10), 10);
    EXPECT_TRUE(Headless_Skript_Zu_Ende());
    EXPECT_EQ(Quit_Status, QUIT_STATUS_LAEUFT);
}

TEST_F(Headless, FehlerhaftesSkriptLaeuftNicht) {
    std::string fehler;
    EXPECT_FALSE(Headless_Skript("move 1 1\nfly\n", &fehler));
    EXPECT_EQ(fehler, "Eingabeskript, Zeile 2: unbekannter Befehl \"fly\"");
    EXPECT_EQ(Headless_Lauf("fly\n", 10), -1);
    EXPECT_TRUE(frames.empty());
}

TEST_F(Headless, ScreenshotDesStandardbildsIstLesbarUndStimmt) {
    Main_Hooks.Kalender_Run = Main_Standard_Frame;
    std::string pfad = Temp("_standard.png");
    std::remove(pfad.c_str());
    ASSERT_EQ(Headless_Lauf("move 400 100\nwait 2\nscreenshot " + pfad + "\nwait 1\n", 4), 4);
    Test_Png png;
    ASSERT_TRUE(Test_Png_Datei(pfad, png)) << png.fehler;
    ASSERT_EQ(png.breite, 800u);
    ASSERT_EQ(png.hoehe, 600u);
    auto rgb = [&](int x, int y) {
        const u8* p = &png.rgb[(y * 800 + x) * 3];
        return std::vector<int>{p[0], p[1], p[2]};
    };
    EXPECT_EQ(rgb(100, 250), (std::vector<int>{255, 255, 255}));  // first colour bar
    EXPECT_EQ(rgb(500, 250), (std::vector<int>{255, 0, 0}));      // sixth
    EXPECT_EQ(rgb(400, 100), (std::vector<int>{255, 255, 255}));  // the cross at the mouse
    // And the PNG shows exactly the frame buffer.
    std::vector<u16> bild = Headless_Bildpuffer();
    for (int i : {0, 12345, 250 * 800 + 100, 479999}) {
        u8 r, g, b;
        Png_Pixel_Rgb(bild[i], 16, &r, &g, &b);
        EXPECT_EQ(png.rgb[i * 3], r);
        EXPECT_EQ(png.rgb[i * 3 + 1], g);
        EXPECT_EQ(png.rgb[i * 3 + 2], b);
    }
    std::remove(pfad.c_str());
}

TEST_F(Headless, TiefeFuenfzehn) {
    ASSERT_TRUE(Headless_Starten(15));
    Main_Hooks.Kalender_Run = Main_Standard_Frame;
    EXPECT_EQ(Display_Farbtiefe, 15);
    EXPECT_EQ(W32_Display.bits_pro_pixel, 15);
    std::string pfad = Temp("_555.png");
    ASSERT_EQ(Headless_Lauf("screenshot " + pfad + "\n", 1), 1);
    std::vector<u16> bild = Headless_Bildpuffer();
    EXPECT_EQ(bild[250 * 800 + 500], 0x7C00);  // red in 555
    Test_Png png;
    ASSERT_TRUE(Test_Png_Datei(pfad, png)) << png.fehler;
    const u8* p = &png.rgb[(250 * 800 + 500) * 3];
    EXPECT_EQ(p[0], 255);
    EXPECT_EQ(p[1], 0);
    std::remove(pfad.c_str());
}

TEST_F(Headless, ScreenshotInUnbeschreibbarenOrdnerBrichtNichtsAb) {
    EXPECT_EQ(Headless_Lauf("screenshot /nonexistent-folder/x.png\nwait 2\n", 3), 3);
    EXPECT_EQ(frames.size(), 3u);
}

namespace {
int pumpen = 0, server_clients = 0, server_frames = 0, client_frames = 0;
std::vector<char> reihenfolge;
void Zaehl_Pump() { pumpen++; }
void Zaehl_Server_Clients() { server_clients++; }
void Zaehl_Server_Frame() { server_frames++; reihenfolge.push_back('S'); }
void Zaehl_Client_Frame() { client_frames++; reihenfolge.push_back('C'); }
void Zaehl_Kalender() { reihenfolge.push_back('K'); }
int overlays = 0;
void Zaehl_Overlay(u16* p, i32 pitch, i32 hoehe) {
    if (p == W32_Display.puffer && pitch == 800 && hoehe == 600 && reihenfolge.back() == 'K') overlays++;
}
}  // namespace

TEST_F(Headless, NetzwerkPumpeUndFrameVerteilerNachRolle) {
    Main_Hooks.Verbindung_Pump = Zaehl_Pump;
    Main_Hooks.Verbindung_Server_Clients = Zaehl_Server_Clients;
    Main_Hooks.Server_Frame = Zaehl_Server_Frame;
    Main_Hooks.Client_Frame = Zaehl_Client_Frame;
    Main_Hooks.Kalender_Run = Zaehl_Kalender;
    Main_Hooks.Video_Overlay = Zaehl_Overlay;
    pumpen = server_clients = server_frames = client_frames = overlays = 0;
    reihenfolge.clear();

    Headless_Frames(2);  // single play: no network work
    EXPECT_EQ(pumpen, 0);
    EXPECT_EQ(reihenfolge, (std::vector<char>{'K', 'K'}));

    Internet_Modus = INTERNET_MODUS_CLIENT;
    reihenfolge.clear();
    Headless_Frames(1);
    EXPECT_EQ(pumpen, 12);
    EXPECT_EQ(reihenfolge, (std::vector<char>{'C', 'K'}));

    Internet_Modus = INTERNET_MODUS_SERVER;
    pumpen = 0;
    reihenfolge.clear();
    Headless_Frames(1);
    EXPECT_EQ(pumpen, 4);
    EXPECT_EQ(server_clients, 1);
    EXPECT_EQ(reihenfolge, (std::vector<char>{'S', 'K'}));
    EXPECT_EQ(overlays, 4);

    // The waiting loops' pump runs the network too.
    pumpen = 0;
    W32_Message_Pump();
    EXPECT_EQ(pumpen, 4);
}

namespace {
std::atomic<int> socket_events{0};
void Zaehl_Socket(uintptr_t s, u32 bits) {
    if (s == 42 && bits == 8) socket_events++;
}
}  // namespace

TEST_F(Headless, SocketEreignisseAusEinemAnderenThreadErreichenDenHook) {
    Main_Hooks.Socket_Event = Zaehl_Socket;
    socket_events = 0;
    std::thread t([] {
        for (int i = 0; i < 100; i++) W32_Post_Message(W32_Hauptfenster, WM_SOCKET, 42, 8);
    });
    t.join();
    Headless_Frames(1);
    EXPECT_EQ(socket_events, 100);
}

TEST_F(Headless, TasteWartenNimmtDieNaechsteTaste) {
    ASSERT_TRUE(Headless_Skript("keydown x\nwait 3\nkeyup x\nwait 2\nkey b\nwait 1\nkey c\nwait 5\nkey d\n"));
    // The held x must be released first; b is the key that counts.
    EXPECT_EQ(Taste_Warten(), static_cast<u32>('b'));
    EXPECT_EQ(Taste_Get_Code(), 0u) << "the key is taken, the game's frame does not see it again";
    // c arrives while the next wait still waits for the keyboard to be quiet.
    EXPECT_EQ(Taste_Warten(), static_cast<u32>('d'));
}

TEST_F(Headless, TasteWartenGibtTastenOhneZeichenAlsCode) {
    ASSERT_TRUE(Headless_Skript("wait 2\nkey esc\n"));
    EXPECT_EQ(Taste_Warten(), VK_ESCAPE);
}

TEST_F(Headless, TasteWartenHaengtNichtWennKeineTasteMehrKommt) {
    ASSERT_TRUE(Headless_Skript("wait 2\n"));
    EXPECT_EQ(Taste_Warten(), 0u);
    ASSERT_TRUE(Headless_Skript("wait 1\nquit\nwait 1000\n"));
    EXPECT_EQ(Taste_Warten(), 0u) << "a quit request ends the wait";
}

TEST_F(Headless, PresentNowSchreibtAngeforderteScreenshotsSofort) {
    std::string pfad = Temp("_jetzt.png");
    u32 vorher = Display_Screenshot_Anzahl();
    Display_Screenshot_Anfordern(pfad);
    W32_Present_Now();
    EXPECT_EQ(Display_Screenshot_Anzahl(), vorher + 1);
    Test_Png png;
    EXPECT_TRUE(Test_Png_Datei(pfad, png)) << png.fehler;
    W32_Present_Now();
    EXPECT_EQ(Display_Screenshot_Anzahl(), vorher + 1) << "a request is written once";
    std::remove(pfad.c_str());
}

TEST_F(Headless, VollbildGibtEsOhneFensterNicht) {
    EXPECT_FALSE(W32_Set_Vollbild(true));
    EXPECT_FALSE(W32_Get_Vollbild());
}

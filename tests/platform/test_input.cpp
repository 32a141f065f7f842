// Mouse and keyboard as the game reads them in a frame (click latch,
// right-click lock, wheel, hit tests, one key per frame, typed characters in
// Windows-1252), the Windows virtual-key numbers of SDL keys and script
// names, and how the window back end turns SDL events into that input.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>

#include "base/globals.h"
#include "platform/display.h"
#include "platform/headless.h"
#include "platform/keys.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "platform_test.h"

namespace {

class Eingabe : public ::testing::Test {
  protected:
    void SetUp() override { Eingabe_Zuruecksetzen(); }
    void TearDown() override {
        Eingabe_Zuruecksetzen();
        W32_Nachrichten_Leeren();
        Quit_Status = QUIT_STATUS_LAEUFT;
    }
};

void Klick(u32 taste) {
    Eingabe_Maus_Taste(taste, true);
    Eingabe_Maus_Taste(taste, false);
}

// What a frame reads of the mouse: "x,y buttons wheel" (reading the buttons consumes a click's latch).
std::string Maus() {
    return std::to_string(Maus_Get_X()) + "," + std::to_string(Maus_Get_Y()) + " " + std::to_string(Maus_Get_Tasten()) +
           " " + std::to_string(Maus_Get_Rad());
}

// The keys of the next n frames, "code:character" each (numbers: the virtual key and the Windows-1252 byte).
std::string Tasten(int n) {
    std::string s;
    for (int i = 0; i < n; i++, s += i < n ? " " : "") {
        Test_Frame();
        s += std::to_string(Taste_Get_Code()) + ":" + std::to_string(Taste_Get_Zeichen());
    }
    return s;
}

}  // namespace

TEST_F(Eingabe, KlickZwischenZweiFramesGehtNichtVerloren) {
    Eingabe_Maus_Position(123, 456);
    Eingabe_Maus_Rad(2);
    Klick(MAUS_LINKS);
    Test_Frame();
    Eingabe_Maus_Position(900, -4);  // after the latch: for the next frame, clamped
    Maus_Update();                   // a second caller in the same pass sees the same state
    EXPECT_EQ(W32_Get_Mouse_Buttons(), 0u);
    EXPECT_EQ(Maus(), "123,456 1 2");
    EXPECT_EQ(Maus(), "123,456 0 2") << "reading consumes the latch";
    Maus_Rad_Reset();
    Klick(MAUS_RECHTS);
    Eingabe_Maus_Rad(-3);
    EXPECT_EQ(Maus(), "123,456 0 0");
    Test_Frame();
    Test_Frame();
    EXPECT_EQ(Maus(), "799,0 0 0") << "a latch and wheel not read expire with the next frame";
    Eingabe_Maus_Taste(MAUS_LINKS, true);
    for (int i = 0; i < 3; i++) {
        Test_Frame();
        EXPECT_EQ(Maus_Get_Tasten() | Maus_Get_Tasten() << 4, MAUS_LINKS * 0x11) << "a held button is not consumed";
    }
    EXPECT_FALSE(Taste_Oder_Klick(1)) << "only a press since the latch counts as a click";
    Eingabe_Maus_Taste(MAUS_LINKS, false);
    Test_Frame();
    EXPECT_EQ(Maus_Get_Tasten(), 0u) << "a release alone is no click";
    Klick(MAUS_LINKS);
    Test_Frame();
    EXPECT_TRUE(!Taste_Oder_Klick(0) && Taste_Oder_Klick(1)) << "a click counts as a key only when asked";
    EXPECT_EQ(Maus_Get_Tasten(), MAUS_LINKS);
    EXPECT_TRUE(Taste_Oder_Klick(1)) << "the screen reading the buttons does not hide the click";
}

TEST_F(Eingabe, KlickDesDurchgangsBleibtLesbar) {
    Klick(MAUS_LINKS);
    Test_Frame();
    EXPECT_EQ(Maus_Get_Tasten(), MAUS_LINKS);
    EXPECT_EQ(Maus_Get_Tasten(), 0u);
    EXPECT_EQ(Maus_Get_Klick() | Maus_Get_Klick() << 4, MAUS_LINKS * 0x11u) << "taking the latch leaves the click";
    Test_Frame();
    EXPECT_EQ(Maus_Get_Klick(), 0u) << "a click lasts one pass";
    Eingabe_Maus_Taste(MAUS_RECHTS, true);
    Test_Frame();
    EXPECT_EQ(Maus_Get_Klick(), 0u) << "a held button is no click";
    Eingabe_Maus_Taste(MAUS_RECHTS, false);
    Test_Frame();
    EXPECT_EQ(Maus_Get_Klick(), 0u) << "nor is its release";
}

TEST_F(Eingabe, RechtsSperre) {
    Eingabe_Maus_Taste(MAUS_RECHTS, true);
    Test_Frame();
    EXPECT_EQ(Maus_Get_Tasten(), MAUS_RECHTS);
    Maus_Rechts_Sperre = 1;  // the screen acted on the right click
    Eingabe_Maus_Taste(MAUS_LINKS, true);
    Test_Frame();
    EXPECT_EQ(Maus_Get_Tasten(), 0u) << "the left button reads as released too";
    EXPECT_EQ(Maus_Rechts_Sperre, 1u);
    Eingabe_Maus_Taste(MAUS_LINKS, false);
    Eingabe_Maus_Taste(MAUS_RECHTS, false);
    Test_Frame();
    EXPECT_EQ(Maus_Get_Tasten(), 0u) << "the lock clears; a press swallowed under it does not fire later";
    EXPECT_EQ(Maus_Rechts_Sperre, 0u);
    Klick(MAUS_RECHTS);  // a quick click: the lock set after reading it clears at the next read
    Test_Frame();
    EXPECT_EQ(Maus_Get_Tasten(), MAUS_RECHTS);
    Maus_Rechts_Sperre = 1;
    EXPECT_EQ(Maus_Get_Tasten(), 0u);
    EXPECT_EQ(Maus_Rechts_Sperre, 0u);
}

TEST_F(Eingabe, RechteckUndBildTreffer) {
    Eingabe_Maus_Position(23, 31);
    Test_Frame();
    EXPECT_TRUE(Maus_In_Rechteck(13, 21, 10, 10)) << "right and bottom edges included";
    EXPECT_FALSE(Maus_In_Rechteck(13, 21, 9, 10) || Maus_In_Rechteck(13, 21, 10, 9) || Maus_In_Rechteck(24, 32, 9, 9));
    // A 10 x 2 picture; mask bit n = y * 10 + x, byte n / 8, bit n % 8: set for (3, 0) and (9, 1).
    const u8 maske[3] = {0x08, 0x00, 0x08};
    Maus_Bild_Sicht m{10, 2, maske, nullptr, 16, 0};
    // Where the picture lies and whether the mouse hits: (3, 1), (3, 0), (9, 1), right and bottom edge, left of it.
    const i32 orte[][3] = {{20, 30, 0}, {20, 31, 1}, {14, 30, 1}, {13, 30, 0}, {20, 29, 0}, {24, 31, 0}};
    for (const auto& o : orte) EXPECT_EQ(Maus_Ueber_Bild(m, o[0], o[1]), o[2] != 0) << o[0] << "," << o[1];
    // Without a mask: non-zero pixels of depth 8, 15 or 16 hit, rows `pitch` (3) apart.
    const u16 p16[6] = {0, 0, 7, 0, 5, 0};
    const u8 p8[6] = {0, 0, 7, 0, 9, 0};
    for (i32 tiefe : {8, 15, 16, 24}) {
        Maus_Bild_Sicht b{2, 2, nullptr, tiefe == 8 ? static_cast<const void*>(p8) : p16, tiefe, 3};
        EXPECT_EQ(Maus_Ueber_Bild(b, 22, 30), tiefe != 24) << tiefe << ": (1, 1); other depths never hit";
        EXPECT_FALSE(Maus_Ueber_Bild(b, 23, 30)) << tiefe << ": (0, 1)";
    }
    Maus_Bild_Sicht ohne{2, 2, nullptr, nullptr, 16, 0};
    EXPECT_TRUE(Maus_Ueber_Bild(ohne, 23, 30)) << "no pixels: a hit";
    ohne.breite = 0;
    EXPECT_FALSE(Maus_Ueber_Bild(ohne, 23, 30));
}

TEST_F(Eingabe, GrossbuchstabenNurMitShift) {
    // Caps Lock: capitals typed without Shift are folded (Ü too); typed with Shift they stay capitals.
    Eingabe_Zeichen('M');
    Eingabe_Zeichen(0xDC);
    Eingabe_Zeichen('1');
    Eingabe_Taste(VK_SHIFT, true);
    EXPECT_TRUE(Taste_Shift() && Eingabe_Taste_Gehalten());
    Eingabe_Zeichen('M');
    Eingabe_Taste(VK_SHIFT, false);
    EXPECT_FALSE(Taste_Shift() || Eingabe_Taste_Gehalten());
    EXPECT_EQ(Tasten(5), "0:109 0:252 0:49 16:0 0:77");
}

TEST_F(Eingabe, VollerPufferUndUnsinnigeEingaben) {
    Eingabe_Taste(0, true);
    Eingabe_Taste(100000, true);
    Eingabe_Zeichen(0);
    Eingabe_Text_Utf8(nullptr);
    Eingabe_Maus_Taste(0xFF, true);  // only the left and right bits count
    EXPECT_EQ(W32_Get_Mouse_Buttons(), MAUS_LINKS | MAUS_RECHTS);
    for (u32 i = 0; i < TASTEN_PUFFER + 10; i++) Eingabe_Zeichen(static_cast<u8>('a' + i % 26));
    u32 n = 0;
    for (Test_Frame(); Taste_Oder_Klick(); Test_Frame(), n++)
        EXPECT_EQ(Taste_Get_Zeichen(), static_cast<u8>('a' + n % 26));
    EXPECT_EQ(n, TASTEN_PUFFER) << "only the keys beyond the queue are dropped";
}

TEST(Tasten, VirtuelleCodesAusSdlUndSkriptnamen) {
    // The ends of each range and the keys outside them; the German letters.
    const std::pair<SDL_Keycode, u32> sdl[] = {
        {SDLK_KP_ENTER, 13}, {SDLK_RSHIFT, 16}, {SDLK_KP_0, 96}, {SDLK_KP_9, 105},  {SDLK_F12, 123},     {SDLK_z, 'Z'},
        {SDLK_9, '9'},       {0xFC, 186},       {0xDF, 219},     {SDLK_UNKNOWN, 0}, {SDLK_AUDIOPLAY, 0}, {-5, 0}};
    for (const auto& [k, vk] : sdl) EXPECT_EQ(Taste_Vk_Aus_Sdl(k), vk) << k;
    const std::pair<const char*, u32> namen[] = {{"Enter", 13}, {"ESC", 27}, {"F12", 123}, {"k", 'K'}, {"", 0},
                                                 {"f0", 0},     {"f13", 0},  {"f1x", 0},   {"@", 0},   {"returnx", 0}};
    for (const auto& [name, vk] : namen) EXPECT_EQ(Taste_Vk_Aus_Name(name), vk) << name;
    EXPECT_EQ(Taste_Vk_Aus_Name(nullptr), 0u);
}

TEST(Tasten, Utf8WirdWindows1252) {
    u8 aus[16];
    // "Müßig €" and the capital umlauts.
    ASSERT_EQ(Taste_Text_Utf8_Zu_Cp1252("M\xC3\xBC\xC3\x9Fig \xE2\x82\xAC\xC3\x84\xC3\x96\xC3\x9C", aus, sizeof aus),
              10);
    EXPECT_STREQ(reinterpret_cast<char*>(aus), "M\xFC\xDFig \x80\xC4\xD6\xDC");
    // Dropped: a CJK character, a control, a C1 control, a stray continuation byte, a cut sequence, an emoji.
    EXPECT_EQ(Taste_Text_Utf8_Zu_Cp1252("a\xE4\xB8\xAD"
                                        "b\x07"
                                        "c\xC2\x85"
                                        "d\x80"
                                        "e\xC3"
                                        "f\xF0\x9F\x98\x80",
                                        aus, sizeof aus),
              6);
    EXPECT_STREQ(reinterpret_cast<char*>(aus), "abcdef");
    // The output is bounded and always terminated.
    EXPECT_EQ(Taste_Text_Utf8_Zu_Cp1252("abcdefgh", aus, 4), 3);
    EXPECT_STREQ(reinterpret_cast<char*>(aus), "abc");
    EXPECT_EQ(Taste_Text_Utf8_Zu_Cp1252(nullptr, aus, 4), 0);
    EXPECT_EQ(aus[0], 0);
}

// ---------------------------------------------------------------------------
// SDL events of the window back end
// ---------------------------------------------------------------------------

namespace {

void Sdl(Uint32 typ, SDL_Keycode k = 0, Uint16 mod = 0, Uint8 wiederholt = 0, const char* text = "") {
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = typ;
    if (typ == SDL_TEXTINPUT) {
        std::snprintf(e.text.text, sizeof e.text.text, "%s", text);
    } else if (typ == SDL_MOUSEWHEEL) {
        e.wheel.y = k;
        e.wheel.direction = mod;
    } else if (typ == SDL_MOUSEBUTTONDOWN || typ == SDL_MOUSEBUTTONUP) {
        e.button.button = static_cast<Uint8>(k);
    } else {
        e.key.keysym.sym = k;
        e.key.keysym.mod = mod;
        e.key.repeat = wiederholt;
    }
    W32_Sdl_Ereignis(e);
}
void Text(const char* utf8) { Sdl(SDL_TEXTINPUT, 0, 0, 0, utf8); }

}  // namespace

TEST_F(Eingabe, SdlTastenEineProFrameMitIhremText) {
    Sdl(SDL_KEYDOWN, SDLK_ESCAPE);
    Sdl(SDL_KEYUP, SDLK_ESCAPE);
    Sdl(SDL_KEYDOWN, SDLK_LSHIFT);
    Sdl(SDL_KEYDOWN, SDLK_m);  // a typed key: key down, then its text
    Text("M");
    Sdl(SDL_KEYUP, SDLK_m);
    Sdl(SDL_KEYUP, SDLK_LSHIFT);
    Sdl(SDL_KEYDOWN, 0xFC);  // ü on a German keyboard
    Text("\xC3\xBC");
    Sdl(SDL_KEYUP, 0xFC);
    Text("\xC3\x9F\xE2\x82\xAC");  // ß € without keys (an input method)
    Sdl(SDL_KEYDOWN, SDLK_BACKSPACE);
    Sdl(SDL_KEYDOWN, SDLK_BACKSPACE, 0, 1);  // auto-repeat is one more key
    EXPECT_FALSE(Taste_Oder_Klick()) << "nothing before the frame takes it in";
    EXPECT_EQ(Tasten(9), "27:0 16:0 77:77 186:252 0:223 0:128 8:0 8:0 0:0");
}

TEST_F(Eingabe, SdlAltEnterUndF12GehoerenDemFenster) {
    ASSERT_TRUE(Headless_Starten());
    Sdl(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT);
    Sdl(SDL_KEYDOWN, SDLK_F12);
    Sdl(SDL_KEYDOWN, SDLK_RETURN);
    EXPECT_EQ(Tasten(2), "13:0 0:0") << "only Return without Alt reaches the game";
    // F12 asked for a screenshot in the temp folder; the next present writes it.
    std::string name = Display_Screenshot_Name();
    u32 vorher = Display_Screenshot_Anzahl();
    W32_Present_Now();
    EXPECT_EQ(Display_Screenshot_Anzahl(), vorher + 1);
    EXPECT_TRUE(std::filesystem::remove(name));
    Headless_Beenden();
}

TEST_F(Eingabe, SdlMausRadUndFensterSchliessen) {
    Sdl(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    Sdl(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
    Sdl(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE);  // not used by the game
    Sdl(SDL_MOUSEWHEEL, 2);
    Sdl(SDL_MOUSEWHEEL, 1, SDL_MOUSEWHEEL_FLIPPED);
    Test_Frame();
    EXPECT_EQ(W32_Get_Mouse_Buttons(), 0u);
    EXPECT_EQ(Maus(), "0,0 2 1");
    Sdl(SDL_QUIT);
    EXPECT_EQ(W32_Nachrichten_Abarbeiten(), 1u);
    EXPECT_EQ(Quit_Status, QUIT_STATUS_ANGEFORDERT);
}

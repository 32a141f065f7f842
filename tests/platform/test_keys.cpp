// Key codes: SDL keys and script names onto the virtual-key numbers the
// game's screens compare against, and typed UTF-8 text onto Windows-1252.
#include <SDL_keycode.h>
#include <gtest/gtest.h>

#include <cstring>

#include "platform/keys.h"

TEST(Tasten, SdlTastenGebenDieVirtuellenCodesDieDasSpielPrueft) {
    // The codes the input field and the calendar's key handler act on.
    EXPECT_EQ(Taste_Vk_Aus_Sdl(SDLK_BACKSPACE), 8u);
    EXPECT_EQ(Taste_Vk_Aus_Sdl(SDLK_TAB), 9u);
    EXPECT_EQ(Taste_Vk_Aus_Sdl(SDLK_RETURN), 13u);
    EXPECT_EQ(Taste_Vk_Aus_Sdl(SDLK_KP_ENTER), 13u);
    EXPECT_EQ(Taste_Vk_Aus_Sdl(SDLK_LSHIFT), 16u);
    EXPECT_EQ(Taste_Vk_Aus_Sdl(SDLK_RSHIFT), 16u);
    EXPECT_EQ(Taste_Vk_Aus_Sdl(SDLK_ESCAPE), 27u);
    EXPECT_EQ(Taste_Vk_Aus_Sdl(SDLK_END), 35u);
    EXPECT_EQ(Taste_Vk_Aus_Sdl(SDLK_HOME), 36u);
    EXPECT_EQ(Taste_Vk_Aus_Sdl(SDLK_LEFT), 37u);
    EXPECT_EQ(Taste_Vk_Aus_Sdl(SDLK_UP), 38u);
    EXPECT_EQ(Taste_Vk_Aus_Sdl(SDLK_RIGHT), 39u);
    EXPECT_EQ(Taste_Vk_Aus_Sdl(SDLK_DOWN), 40u);
    EXPECT_EQ(Taste_Vk_Aus_Sdl(SDLK_DELETE), 46u);
    EXPECT_EQ(Taste_Vk_Aus_Sdl(SDLK_SPACE), 32u);
}

TEST(Tasten, BuchstabenZiffernUndFunktionstastenLueckenlos) {
    for (int i = 0; i < 26; i++) EXPECT_EQ(Taste_Vk_Aus_Sdl(SDLK_a + i), static_cast<u32>('A' + i)) << i;
    for (int i = 0; i < 10; i++) EXPECT_EQ(Taste_Vk_Aus_Sdl(SDLK_0 + i), static_cast<u32>('0' + i)) << i;
    const SDL_Keycode f[12] = {SDLK_F1, SDLK_F2, SDLK_F3, SDLK_F4,  SDLK_F5,  SDLK_F6,
                               SDLK_F7, SDLK_F8, SDLK_F9, SDLK_F10, SDLK_F11, SDLK_F12};
    for (int i = 0; i < 12; i++) EXPECT_EQ(Taste_Vk_Aus_Sdl(f[i]), 112u + i) << i;
    const SDL_Keycode kp[10] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                                SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};
    for (int i = 0; i < 10; i++) EXPECT_EQ(Taste_Vk_Aus_Sdl(kp[i]), 96u + i) << i;
}

TEST(Tasten, DeutscheBuchstabentastenUndUnbekannte) {
    EXPECT_EQ(Taste_Vk_Aus_Sdl(0xFC), VK_OEM_1);  // ü
    EXPECT_EQ(Taste_Vk_Aus_Sdl(0xF6), VK_OEM_3);  // ö
    EXPECT_EQ(Taste_Vk_Aus_Sdl(0xE4), VK_OEM_7);  // ä
    EXPECT_EQ(Taste_Vk_Aus_Sdl(0xDF), VK_OEM_4);  // ß
    EXPECT_EQ(Taste_Vk_Aus_Sdl(SDLK_UNKNOWN), 0u);
    EXPECT_EQ(Taste_Vk_Aus_Sdl(SDLK_AUDIOPLAY), 0u);
    EXPECT_EQ(Taste_Vk_Aus_Sdl(-5), 0u);
}

TEST(Tasten, SkriptNamen) {
    EXPECT_EQ(Taste_Vk_Aus_Name("return"), 13u);
    EXPECT_EQ(Taste_Vk_Aus_Name("Enter"), 13u);
    EXPECT_EQ(Taste_Vk_Aus_Name("ESC"), 27u);
    EXPECT_EQ(Taste_Vk_Aus_Name("backspace"), 8u);
    EXPECT_EQ(Taste_Vk_Aus_Name("del"), 46u);
    EXPECT_EQ(Taste_Vk_Aus_Name("f1"), 112u);
    EXPECT_EQ(Taste_Vk_Aus_Name("F12"), 123u);
    EXPECT_EQ(Taste_Vk_Aus_Name("k"), static_cast<u32>('K'));
    EXPECT_EQ(Taste_Vk_Aus_Name("7"), static_cast<u32>('7'));
    for (const char* falsch : {"", "f0", "f13", "f1x", "ff", "@", "strg", "returnx"})
        EXPECT_EQ(Taste_Vk_Aus_Name(falsch), 0u) << falsch;
    EXPECT_EQ(Taste_Vk_Aus_Name(nullptr), 0u);
}

TEST(Tasten, Utf8WirdWindows1252) {
    u8 aus[32];
    // "Müßig €" in UTF-8.
    ASSERT_EQ(Taste_Text_Utf8_Zu_Cp1252("M\xC3\xBC\xC3\x9Fig \xE2\x82\xAC", aus, sizeof aus), 7);
    const u8 erwartet[] = {'M', 0xFC, 0xDF, 'i', 'g', ' ', 0x80, 0};
    EXPECT_EQ(0, std::memcmp(aus, erwartet, sizeof erwartet));
    // Capital umlauts.
    ASSERT_EQ(Taste_Text_Utf8_Zu_Cp1252("\xC3\x84\xC3\x96\xC3\x9C", aus, sizeof aus), 3);
    EXPECT_EQ(aus[0], 0xC4);
    EXPECT_EQ(aus[1], 0xD6);
    EXPECT_EQ(aus[2], 0xDC);
}

TEST(Tasten, UnbekannteZeichenSteuerzeichenUndKaputtesUtf8FallenWeg) {
    u8 aus[16];
    // A CJK character, a control, a C1 control, a stray continuation byte, a cut sequence, an emoji.
    EXPECT_EQ(Taste_Text_Utf8_Zu_Cp1252("a\xE4\xB8\xAD" "b\x07" "c\xC2\x85" "d\x80" "e\xC3" "f\xF0\x9F\x98\x80", aus, sizeof aus), 6);
    EXPECT_STREQ(reinterpret_cast<char*>(aus), "abcdef");
    // The output is bounded and always terminated.
    EXPECT_EQ(Taste_Text_Utf8_Zu_Cp1252("abcdefgh", aus, 4), 3);
    EXPECT_STREQ(reinterpret_cast<char*>(aus), "abc");
    EXPECT_EQ(Taste_Text_Utf8_Zu_Cp1252(nullptr, aus, 4), 0);
    EXPECT_EQ(aus[0], 0);
}

TEST(Tasten, ZeichenEinerTasteImSkript) {
    EXPECT_EQ(Taste_Zeichen_Aus_Vk('K', false), 'k');
    EXPECT_EQ(Taste_Zeichen_Aus_Vk('K', true), 'K');
    EXPECT_EQ(Taste_Zeichen_Aus_Vk('5', true), '5');
    EXPECT_EQ(Taste_Zeichen_Aus_Vk(VK_SPACE, false), ' ');
    EXPECT_EQ(Taste_Zeichen_Aus_Vk(VK_RETURN, false), 0);
    EXPECT_EQ(Taste_Zeichen_Aus_Vk(VK_F1, false), 0);
}

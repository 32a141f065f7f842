// Key numbers: the game reads keys as Windows virtual-key codes. The window
// back end maps SDL key codes onto them, the input script maps key names.
#pragma once

#include "base/types.h"

constexpr u32 VK_BACK = 8;
constexpr u32 VK_TAB = 9;
constexpr u32 VK_RETURN = 13;
constexpr u32 VK_SHIFT = 16;
constexpr u32 VK_CONTROL = 17;
constexpr u32 VK_MENU = 18;  // Alt
constexpr u32 VK_PAUSE = 19;
constexpr u32 VK_CAPITAL = 20;
constexpr u32 VK_ESCAPE = 27;
constexpr u32 VK_SPACE = 32;
constexpr u32 VK_PRIOR = 33;  // Page Up
constexpr u32 VK_NEXT = 34;   // Page Down
constexpr u32 VK_END = 35;
constexpr u32 VK_HOME = 36;
constexpr u32 VK_LEFT = 37;
constexpr u32 VK_UP = 38;
constexpr u32 VK_RIGHT = 39;
constexpr u32 VK_DOWN = 40;
constexpr u32 VK_SNAPSHOT = 44;
constexpr u32 VK_INSERT = 45;
constexpr u32 VK_DELETE = 46;
// '0'..'9' are 48..57, 'A'..'Z' 65..90.
constexpr u32 VK_NUMPAD0 = 96;  // .. 105
constexpr u32 VK_MULTIPLY = 106;
constexpr u32 VK_ADD = 107;
constexpr u32 VK_SUBTRACT = 109;
constexpr u32 VK_DECIMAL = 110;
constexpr u32 VK_DIVIDE = 111;
constexpr u32 VK_F1 = 112;  // .. VK_F12 = 123
constexpr u32 VK_F12 = 123;
constexpr u32 VK_NUMLOCK = 144;
constexpr u32 VK_SCROLL = 145;
// Punctuation keys of a German keyboard.
constexpr u32 VK_OEM_1 = 186;       // Ü
constexpr u32 VK_OEM_PLUS = 187;    // +
constexpr u32 VK_OEM_COMMA = 188;   // ,
constexpr u32 VK_OEM_MINUS = 189;   // -
constexpr u32 VK_OEM_PERIOD = 190;  // .
constexpr u32 VK_OEM_2 = 191;       // #
constexpr u32 VK_OEM_3 = 192;       // Ö
constexpr u32 VK_OEM_4 = 219;       // ß
constexpr u32 VK_OEM_5 = 220;       // ^
constexpr u32 VK_OEM_6 = 221;       // ´
constexpr u32 VK_OEM_7 = 222;       // Ä
constexpr u32 VK_OEM_102 = 226;     // <

// Virtual-key code of an SDL key code (SDL_Keycode); 0 for keys the game
// does not know.
u32 Taste_Vk_Aus_Sdl(i32 sdl_taste);

// Virtual-key code of a key name of the input script ("return", "esc",
// "left", "f12", "a", "7", "shift", ...; case-insensitive); 0 when unknown.
u32 Taste_Vk_Aus_Name(const char* name);

// The character (Windows-1252) that a key types on its own, as the script's
// "key" command produces it: letters (capital with Shift), digits, space;
// 0 for keys that type nothing.
u8 Taste_Zeichen_Aus_Vk(u32 vk, bool shift);

// Decodes one character of UTF-8 text: `*zeichen` gets its Windows-1252
// byte, or 0 when it has none, is a control character or is malformed.
// Returns the position after it (never past the terminating 0).
const char* Taste_Utf8_Naechstes(const char* utf8, u8* zeichen);

// Appends the Windows-1252 bytes of UTF-8 text (SDL text input) to `aus`
// (at most `max` bytes, terminated); characters that Windows-1252 does not
// have and control characters are dropped. Returns the number of bytes.
i32 Taste_Text_Utf8_Zu_Cp1252(const char* utf8, u8* aus, i32 max);

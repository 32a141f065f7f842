// Mapping of SDL keys and script key names onto virtual-key codes.
#include "platform/keys.h"

#include <SDL_keycode.h>

#include <strings.h>
#include <cstring>

#include "base/cp1252.h"

u32 Taste_Vk_Aus_Sdl(i32 k) {
    if (k >= SDLK_a && k <= SDLK_z) return static_cast<u32>('A' + (k - SDLK_a));
    if (k >= SDLK_0 && k <= SDLK_9) return static_cast<u32>('0' + (k - SDLK_0));
    if (k >= SDLK_F1 && k <= SDLK_F12) return VK_F1 + static_cast<u32>(k - SDLK_F1);
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return VK_NUMPAD0 + 1 + static_cast<u32>(k - SDLK_KP_1);
    switch (k) {
        case SDLK_BACKSPACE: return VK_BACK;
        case SDLK_TAB: return VK_TAB;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return VK_RETURN;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT: return VK_MENU;
        case SDLK_PAUSE: return VK_PAUSE;
        case SDLK_CAPSLOCK: return VK_CAPITAL;
        case SDLK_ESCAPE: return VK_ESCAPE;
        case SDLK_SPACE: return VK_SPACE;
        case SDLK_PAGEUP: return VK_PRIOR;
        case SDLK_PAGEDOWN: return VK_NEXT;
        case SDLK_END: return VK_END;
        case SDLK_HOME: return VK_HOME;
        case SDLK_LEFT: return VK_LEFT;
        case SDLK_UP: return VK_UP;
        case SDLK_RIGHT: return VK_RIGHT;
        case SDLK_DOWN: return VK_DOWN;
        case SDLK_PRINTSCREEN: return VK_SNAPSHOT;
        case SDLK_INSERT: return VK_INSERT;
        case SDLK_DELETE: return VK_DELETE;
        case SDLK_KP_0: return VK_NUMPAD0;
        case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
        case SDLK_KP_PLUS: return VK_ADD;
        case SDLK_KP_MINUS: return VK_SUBTRACT;
        case SDLK_KP_PERIOD:
        case SDLK_KP_COMMA: return VK_DECIMAL;
        case SDLK_KP_DIVIDE: return VK_DIVIDE;
        case SDLK_NUMLOCKCLEAR: return VK_NUMLOCK;
        case SDLK_SCROLLLOCK: return VK_SCROLL;
        case SDLK_PLUS: return VK_OEM_PLUS;
        case SDLK_COMMA: return VK_OEM_COMMA;
        case SDLK_MINUS: return VK_OEM_MINUS;
        case SDLK_PERIOD: return VK_OEM_PERIOD;
        case SDLK_HASH: return VK_OEM_2;
        case SDLK_CARET: return VK_OEM_5;
        case SDLK_LESS: return VK_OEM_102;
        case 0xFC: return VK_OEM_1;  // SDL reports the German letter keys by their
        case 0xF6: return VK_OEM_3;  // Unicode code points: ü, ö, ß, ´, ä.
        case 0xDF: return VK_OEM_4;
        case 0xB4: return VK_OEM_6;
        case 0xE4: return VK_OEM_7;
        default: return 0;
    }
}

namespace {

struct Taste_Name {
    const char* name;
    u32 vk;
};

const Taste_Name taste_namen[] = {
    {"backspace", VK_BACK}, {"tab", VK_TAB},       {"return", VK_RETURN},   {"enter", VK_RETURN},
    {"shift", VK_SHIFT},    {"ctrl", VK_CONTROL},  {"control", VK_CONTROL}, {"alt", VK_MENU},
    {"pause", VK_PAUSE},    {"escape", VK_ESCAPE}, {"esc", VK_ESCAPE},      {"space", VK_SPACE},
    {"pageup", VK_PRIOR},   {"pagedown", VK_NEXT}, {"end", VK_END},         {"home", VK_HOME},
    {"left", VK_LEFT},      {"up", VK_UP},         {"right", VK_RIGHT},     {"down", VK_DOWN},
    {"insert", VK_INSERT},  {"delete", VK_DELETE}, {"del", VK_DELETE},
};

}  // namespace

u32 Taste_Vk_Aus_Name(const char* name) {
    if (!name || !name[0]) return 0;
    size_t n = std::strlen(name);
    if (n == 1) {
        char c = name[0];
        if (c >= 'a' && c <= 'z') return static_cast<u32>(c - 'a' + 'A');
        if (c >= 'A' && c <= 'Z') return static_cast<u32>(c);
        if (c >= '0' && c <= '9') return static_cast<u32>(c);
        return 0;
    }
    if ((name[0] == 'f' || name[0] == 'F') && n <= 3) {
        int zahl = 0;
        for (size_t i = 1; i < n; i++) {
            if (name[i] < '0' || name[i] > '9') return 0;
            zahl = zahl * 10 + (name[i] - '0');
        }
        if (zahl >= 1 && zahl <= 12) return VK_F1 + static_cast<u32>(zahl - 1);
        return 0;
    }
    for (const Taste_Name& t : taste_namen)
        if (strcasecmp(t.name, name) == 0) return t.vk;
    return 0;
}

u8 Taste_Zeichen_Aus_Vk(u32 vk, bool shift) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<u8>(shift ? vk : vk - 'A' + 'a');
    if (vk >= '0' && vk <= '9') return static_cast<u8>(vk);
    if (vk == VK_SPACE) return ' ';
    return 0;
}

const char* Taste_Utf8_Naechstes(const char* utf8, u8* zeichen) {
    *zeichen = 0;
    const u8* p = reinterpret_cast<const u8*>(utf8);
    if (!p || !*p) return utf8;
    u32 cp;
    int laenge;
    if (p[0] < 0x80) {
        cp = p[0];
        laenge = 1;
    } else if ((p[0] & 0xE0) == 0xC0) {
        cp = p[0] & 0x1F;
        laenge = 2;
    } else if ((p[0] & 0xF0) == 0xE0) {
        cp = p[0] & 0x0F;
        laenge = 3;
    } else if ((p[0] & 0xF8) == 0xF0) {
        cp = p[0] & 0x07;
        laenge = 4;
    } else {
        return utf8 + 1;  // stray continuation byte
    }
    for (int i = 1; i < laenge; i++) {
        if ((p[i] & 0xC0) != 0x80) return utf8 + i;  // cut short: skip what was read
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) return utf8 + laenge;  // C0, DEL, C1 controls
    int c = Cp1252_Zeichen_Aus_Unicode(cp);
    if (c >= 0x20) *zeichen = static_cast<u8>(c);
    return utf8 + laenge;
}

i32 Taste_Text_Utf8_Zu_Cp1252(const char* utf8, u8* aus, i32 max) {
    if (!aus || max <= 0) return 0;
    i32 n = 0;
    const char* p = utf8;
    while (p && *p && n < max - 1) {
        u8 c;
        p = Taste_Utf8_Naechstes(p, &c);
        if (c) aus[n++] = c;
    }
    aus[n] = 0;
    return n;
}

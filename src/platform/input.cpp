// Mouse and keyboard state (see input.h). Taste_Warten lives with the main
// loop, which it has to keep running.
#include "platform/input.h"

#include "platform/keys.h"

u32 Maus_Rechts_Sperre = 0;

namespace {

constexpr i32 SPIEL_BREITE = 800;
constexpr i32 SPIEL_HOEHE = 600;

// What the back end reported so far.
struct {
    i32 x = 0, y = 0;
    u32 gehalten = 0;   // buttons held now
    u32 gedrueckt = 0;  // buttons that went down since the last latch
    i32 rad = 0;        // wheel notches since the last latch
} roh;

// The latched state of the current pass.
struct {
    i32 x = 0, y = 0;
    u32 gehalten = 0;
    u32 gedrueckt = 0;  // pressed since the previous latch (not consumed by reading)
    u32 latch = 0;      // the same, consumed by Maus_Get_Tasten
    i32 rad = 0;
} maus;

u32 durchgang = 1;  // raised whenever new input has been taken in
u32 durchgang_gelatcht = 0;

struct Tasten_Eintrag {
    u32 vk;
    u8 zeichen;
    bool wartet_auf_zeichen;  // a key down whose text may still follow
    bool shift;               // Shift was held when it was typed
};
Tasten_Eintrag tasten_puffer[TASTEN_PUFFER];
u32 tasten_anfang = 0, tasten_anzahl = 0;
Tasten_Eintrag taste_frame = {0, 0, false, false};
bool taste_gehalten[256];

bool Taste_Tippt_Text(u32 vk) {
    return (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z') || vk == VK_SPACE ||
           (vk >= VK_NUMPAD0 && vk <= VK_DIVIDE) || (vk >= VK_OEM_1 && vk <= VK_OEM_3) ||
           (vk >= VK_OEM_4 && vk <= VK_OEM_7) || vk == VK_OEM_102;
}

Tasten_Eintrag* Tasten_Letzter() {
    if (tasten_anzahl == 0) return nullptr;
    return &tasten_puffer[(tasten_anfang + tasten_anzahl - 1) % TASTEN_PUFFER];
}

void Tasten_Anhaengen(u32 vk, u8 zeichen, bool wartet, bool shift) {
    if (tasten_anzahl >= TASTEN_PUFFER) return;
    tasten_puffer[(tasten_anfang + tasten_anzahl) % TASTEN_PUFFER] = Tasten_Eintrag{vk, zeichen, wartet, shift};
    tasten_anzahl++;
}

i32 Klemmen(i32 v, i32 lo, i32 hi) { return v < lo ? lo : (v > hi ? hi : v); }

u8 Klein(u8 c) {
    if (c >= 'A' && c <= 'Z') return static_cast<u8>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<u8>(c + 32);  // À..Þ without ×
    if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<u8>(c + 16);  // Š Œ Ž
    if (c == 0x9F) return 0xFF;                                               // Ÿ
    return c;
}

}  // namespace

// ---------------------------------------------------------------------------
// Mouse
// ---------------------------------------------------------------------------

void Maus_Update() {
    if (durchgang_gelatcht == durchgang) return;
    durchgang_gelatcht = durchgang;
    maus.x = roh.x;
    maus.y = roh.y;
    maus.gehalten = roh.gehalten;
    maus.gedrueckt = roh.gedrueckt;
    maus.latch = roh.gedrueckt;
    maus.rad = roh.rad;
    roh.gedrueckt = 0;
    roh.rad = 0;
}

i32 Maus_Get_X() { return maus.x; }
i32 Maus_Get_Y() { return maus.y; }

u32 Maus_Get_Tasten() {
    if (Maus_Rechts_Sperre) {
        if (maus.gehalten & MAUS_RECHTS) return 0;
        Maus_Rechts_Sperre = 0;
    }
    u32 t = maus.gehalten ? maus.gehalten : maus.latch;
    maus.latch = 0;
    return t;
}

u32 Maus_Get_Klick() { return maus.gehalten ? 0 : maus.gedrueckt; }

u32 W32_Get_Mouse_Buttons() { return roh.gehalten; }

bool Maus_In_Rechteck(i32 x, i32 y, i32 w, i32 h) {
    return maus.x >= x && maus.x <= x + w && maus.y >= y && maus.y <= y + h;
}

i32 Maus_Get_Rad() { return maus.rad; }
void Maus_Rad_Reset() { maus.rad = 0; }

bool Maus_Ueber_Bild(const Maus_Bild_Sicht& bild, i32 x, i32 y) {
    i32 dx = maus.x - x, dy = maus.y - y;
    if (dx < 0 || dy < 0 || dx >= bild.breite || dy >= bild.hoehe) return false;
    if (bild.maske) {
        u64 n = static_cast<u64>(dy) * static_cast<u64>(bild.breite) + static_cast<u64>(dx);
        return (bild.maske[n / 8] & (1u << (n % 8))) != 0;
    }
    if (!bild.pixel) return true;
    u64 i = static_cast<u64>(dy) * static_cast<u64>(bild.pitch > 0 ? bild.pitch : bild.breite) + static_cast<u64>(dx);
    if (bild.tiefe == 8) return static_cast<const u8*>(bild.pixel)[i] != 0;
    if (bild.tiefe == 15 || bild.tiefe == 16) return static_cast<const u16*>(bild.pixel)[i] != 0;
    return false;
}

// ---------------------------------------------------------------------------
// Keyboard
// ---------------------------------------------------------------------------

bool Taste_Oder_Klick(u32 auch_klick) {
    if (taste_frame.vk || taste_frame.zeichen) return true;
    return auch_klick && maus.gedrueckt != 0;
}

u8 Taste_Get_Zeichen() {
    u8 c = taste_frame.zeichen;
    return taste_frame.shift ? c : Klein(c);
}

u32 Taste_Get_Code() { return taste_frame.vk; }

bool Taste_Shift() { return taste_gehalten[VK_SHIFT]; }

void Taste_Reset() { taste_frame = Tasten_Eintrag{0, 0, false, false}; }

// ---------------------------------------------------------------------------
// Input from the back ends
// ---------------------------------------------------------------------------

void Eingabe_Maus_Position(i32 x, i32 y) {
    roh.x = Klemmen(x, 0, SPIEL_BREITE - 1);
    roh.y = Klemmen(y, 0, SPIEL_HOEHE - 1);
}

void Eingabe_Maus_Taste(u32 taste, bool gedrueckt) {
    taste &= MAUS_LINKS | MAUS_RECHTS;
    if (gedrueckt) {
        roh.gehalten |= taste;
        roh.gedrueckt |= taste;
    } else {
        roh.gehalten &= ~taste;
    }
}

void Eingabe_Maus_Rad(i32 rasten) { roh.rad += rasten; }

void Eingabe_Taste(u32 vk, bool gedrueckt) {
    if (vk == 0 || vk > 255) return;
    taste_gehalten[vk] = gedrueckt;
    if (gedrueckt) Tasten_Anhaengen(vk, 0, Taste_Tippt_Text(vk), taste_gehalten[VK_SHIFT]);
}

void Eingabe_Zeichen(u8 zeichen, i32 shift) {
    if (zeichen == 0) return;
    bool mit_shift = shift < 0 ? taste_gehalten[VK_SHIFT] : shift != 0;
    Tasten_Eintrag* letzter = Tasten_Letzter();
    if (letzter && letzter->wartet_auf_zeichen) {
        letzter->zeichen = zeichen;
        letzter->wartet_auf_zeichen = false;
        letzter->shift = mit_shift;
        return;
    }
    Tasten_Anhaengen(0, zeichen, false, mit_shift);
}

void Eingabe_Text_Utf8(const char* text) {
    const char* p = text;
    while (p && *p) {
        u8 c;
        p = Taste_Utf8_Naechstes(p, &c);
        if (c) Eingabe_Zeichen(c);
    }
}

void Eingabe_Frame_Abtasten() {
    if (tasten_anzahl) {
        taste_frame = tasten_puffer[tasten_anfang];
        tasten_anfang = (tasten_anfang + 1) % TASTEN_PUFFER;
        tasten_anzahl--;
    } else {
        taste_frame = Tasten_Eintrag{0, 0, false, false};
    }
    taste_frame.wartet_auf_zeichen = false;
    Eingabe_Neuer_Durchgang();
}

void Eingabe_Neuer_Durchgang() {
    durchgang++;
    // Text that belongs to a key arrives in the same batch of events.
    for (u32 i = 0; i < tasten_anzahl; i++)
        tasten_puffer[(tasten_anfang + i) % TASTEN_PUFFER].wartet_auf_zeichen = false;
}

void Eingabe_Zuruecksetzen() {
    roh = {};
    maus = {};
    durchgang++;
    durchgang_gelatcht = 0;
    tasten_anfang = tasten_anzahl = 0;
    taste_frame = Tasten_Eintrag{0, 0, false, false};
    for (bool& g : taste_gehalten) g = false;
    Maus_Rechts_Sperre = 0;
}

bool Eingabe_Taste_Gehalten() {
    for (bool g : taste_gehalten)
        if (g) return true;
    return false;
}

// How the window back end turns SDL events into the game's input and
// messages: keys with their text, Alt+Enter and F12 kept for themselves,
// the wheel, buttons, closing the window.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "base/globals.h"
#include "platform/display.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace {

SDL_Event Taste(Uint32 typ, SDL_Keycode k, Uint16 mod = 0, Uint8 wiederholt = 0) {
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = typ;
    e.key.keysym.sym = k;
    e.key.keysym.mod = mod;
    e.key.repeat = wiederholt;
    e.key.state = typ == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    return e;
}

SDL_Event Text(const char* utf8) {
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_TEXTINPUT;
    std::snprintf(e.text.text, sizeof e.text.text, "%s", utf8);
    return e;
}

void Frame() {
    Eingabe_Frame_Abtasten();
    Maus_Update();
}

class Sdl_Ereignisse : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Headless_Starten());
        Eingabe_Zuruecksetzen();
    }
    void TearDown() override {
        Headless_Beenden();
        Eingabe_Zuruecksetzen();
        W32_Nachrichten_Leeren();
        Quit_Status = QUIT_STATUS_LAEUFT;
    }
};

}  // namespace

TEST_F(Sdl_Ereignisse, TasteMitIhremTextUndDeutscheTaste) {
    W32_Sdl_Ereignis(Taste(SDL_KEYDOWN, SDLK_LSHIFT));
    W32_Sdl_Ereignis(Taste(SDL_KEYDOWN, SDLK_m));
    W32_Sdl_Ereignis(Text("M"));
    W32_Sdl_Ereignis(Taste(SDL_KEYUP, SDLK_m));
    W32_Sdl_Ereignis(Taste(SDL_KEYUP, SDLK_LSHIFT));
    W32_Sdl_Ereignis(Taste(SDL_KEYDOWN, 0xFC));  // ü on a German keyboard
    W32_Sdl_Ereignis(Text("\xC3\xBC"));
    W32_Sdl_Ereignis(Taste(SDL_KEYUP, 0xFC));
    Frame();
    EXPECT_EQ(Taste_Get_Code(), VK_SHIFT);
    Frame();
    EXPECT_EQ(Taste_Get_Code(), static_cast<u32>('M'));
    EXPECT_EQ(Taste_Get_Zeichen(), 'M');
    Frame();
    EXPECT_EQ(Taste_Get_Code(), VK_OEM_1);
    EXPECT_EQ(Taste_Get_Zeichen(), 0xFC);
    Frame();
    EXPECT_FALSE(Taste_Oder_Klick());
}

TEST_F(Sdl_Ereignisse, AutoWiederholungKommtAlsWeitereTaste) {
    W32_Sdl_Ereignis(Taste(SDL_KEYDOWN, SDLK_BACKSPACE));
    W32_Sdl_Ereignis(Taste(SDL_KEYDOWN, SDLK_BACKSPACE, 0, 1));
    Frame();
    EXPECT_EQ(Taste_Get_Code(), VK_BACK);
    Frame();
    EXPECT_EQ(Taste_Get_Code(), VK_BACK);
}

TEST_F(Sdl_Ereignisse, AltEnterUndF12GehoerenDemFenster) {
    W32_Sdl_Ereignis(Taste(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT));
    W32_Sdl_Ereignis(Taste(SDL_KEYDOWN, SDLK_F12));
    Frame();
    EXPECT_FALSE(Taste_Oder_Klick()) << "neither reaches the game";
    // F12 asked for a screenshot in the temp folder; the next present writes it.
    std::string name = Display_Screenshot_Name();
    u32 vorher = Display_Screenshot_Anzahl();
    W32_Present_Now();
    EXPECT_EQ(Display_Screenshot_Anzahl(), vorher + 1);
    std::filesystem::remove(name);
    // Return without Alt is a key for the game.
    W32_Sdl_Ereignis(Taste(SDL_KEYDOWN, SDLK_RETURN));
    Frame();
    EXPECT_EQ(Taste_Get_Code(), VK_RETURN);
}

TEST_F(Sdl_Ereignisse, MaustastenUndRad) {
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_RIGHT;
    W32_Sdl_Ereignis(e);
    e.type = SDL_MOUSEBUTTONUP;
    W32_Sdl_Ereignis(e);
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_MIDDLE;  // not used by the game
    W32_Sdl_Ereignis(e);
    std::memset(&e, 0, sizeof e);
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = 2;
    W32_Sdl_Ereignis(e);
    e.wheel.y = 1;
    e.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
    W32_Sdl_Ereignis(e);
    Frame();
    EXPECT_EQ(Maus_Get_Tasten(), MAUS_RECHTS);
    EXPECT_EQ(W32_Get_Mouse_Buttons(), 0u);
    EXPECT_EQ(Maus_Get_Rad(), 1);
}

TEST_F(Sdl_Ereignisse, FensterSchliessenPostetQuit) {
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_QUIT;
    W32_Sdl_Ereignis(e);
    EXPECT_EQ(W32_Nachrichten_Anzahl(), 1u);
    W32_Nachrichten_Abarbeiten();
    EXPECT_EQ(Quit_Status, QUIT_STATUS_ANGEFORDERT);
}

// The clipboard (see zwischenablage.h).
#include "platform/zwischenablage.h"

#include <SDL.h>

namespace {
std::string eigene;
bool video_an() { return SDL_WasInit(SDL_INIT_VIDEO) != 0; }
}  // namespace

bool Zwischenablage_Text(std::string& text) {
    text.clear();
    if (!video_an()) {
        text = eigene;
        return !text.empty();
    }
    if (!SDL_HasClipboardText()) return false;
    char* t = SDL_GetClipboardText();
    if (t) text = t;
    SDL_free(t);
    return !text.empty();
}

bool Zwischenablage_Setzen(const std::string& text) {
    if (!video_an()) {
        eigene = text;
        return true;
    }
    return SDL_SetClipboardText(text.c_str()) == 0;
}

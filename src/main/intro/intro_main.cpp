// kordavo-intro: the intro program, started by the game before it opens its
// display ("-Intro -WndClass:<class> -File1:<video> -File2:<video>
// -File3:<video>") and after it has closed it ("-Ontro -WndClass:<class>
// -File1:<video>"); the game waits until it has ended. Video paths use '\'
// before the file name, as the game writes them.
//
// The videos play in a window of the game's size, each scaled to fill it; a
// key, a mouse click or closing the window ends the whole intro. A video
// that is missing or damaged is told on stderr and the next one plays; the
// program still ends with 0 (the game starts without its intro). Exit code 2
// for arguments it does not understand, 1 when no window can be opened.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <SDL.h>

#include "main/intro/intro_film.h"

namespace {

// The window: an 800 x 600 picture scaled to the window, RGB565 frames.
class Fenster final : public Intro_Anzeige {
  public:
    bool oeffnen() {
        if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
        fenster_ = SDL_CreateWindow("Kordavo Intro", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 600,
                                    SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
        if (!fenster_) return false;
        maler_ = SDL_CreateRenderer(fenster_, -1, 0);
        return maler_ != nullptr;
    }
    ~Fenster() override {
        if (bild_) SDL_DestroyTexture(bild_);
        if (maler_) SDL_DestroyRenderer(maler_);
        if (fenster_) SDL_DestroyWindow(fenster_);
        SDL_Quit();
    }
    void zeigen(const u16* pixel, i32 w, i32 h) override {
        if (!bild_ || w != w_ || h != h_) {
            if (bild_) SDL_DestroyTexture(bild_);
            bild_ = SDL_CreateTexture(maler_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, w, h);
            w_ = w, h_ = h;
            SDL_RenderSetLogicalSize(maler_, w, h);
        }
        if (!bild_) return;
        SDL_UpdateTexture(bild_, nullptr, pixel, w * 2);
        SDL_SetRenderDrawColor(maler_, 0, 0, 0, 255);
        SDL_RenderClear(maler_);
        SDL_RenderCopy(maler_, bild_, nullptr, nullptr);
        SDL_RenderPresent(maler_);
    }
    bool beendet() override {
        SDL_Event e;
        while (SDL_PollEvent(&e))
            if (e.type == SDL_QUIT || e.type == SDL_KEYDOWN || e.type == SDL_MOUSEBUTTONDOWN) ende_ = true;
        return ende_;
    }
    u32 zeit() override { return SDL_GetTicks(); }
    void warten(u32 ms) override { SDL_Delay(ms); }

  private:
    SDL_Window* fenster_ = nullptr;
    SDL_Renderer* maler_ = nullptr;
    SDL_Texture* bild_ = nullptr;
    i32 w_ = 0, h_ = 0;
    bool ende_ = false;
};

int abspielen(const std::vector<std::string>& videos) {
    Fenster f;
    if (!f.oeffnen()) {
        std::fprintf(stderr, "kordavo-intro: kein Fenster: %s\n", SDL_GetError());
        return 1;
    }
    const Intro_Ergebnis e = Intro_Abspielen(videos, f);
    for (const std::string& z : e.fehler) std::fprintf(stderr, "kordavo-intro: %s\n", z.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool intro = false, ontro = false;
    std::string klasse;
    std::vector<std::string> videos;
    for (int i = 1; i < argc; i++) {
        const char* a = argv[i];
        if (std::strcmp(a, "-h") == 0 || std::strcmp(a, "--help") == 0) {
            std::printf(
                "Aufruf: kordavo-intro -Intro|-Ontro -WndClass:<Name> -File1:<Video> [-File2:<Video> -File3:<Video>]\n"
                "Spielt die Videos nacheinander; eine Taste, ein Klick oder das Schließen des Fensters beendet.\n");
            return 0;
        }
        if (std::strcmp(a, "-Intro") == 0) {
            intro = true;
        } else if (std::strcmp(a, "-Ontro") == 0) {
            ontro = true;
        } else if (std::strncmp(a, "-WndClass:", 10) == 0) {
            klasse = a + 10;
        } else if (std::strncmp(a, "-File", 5) == 0 && a[5] >= '1' && a[5] <= '3' && a[6] == ':') {
            videos.push_back(Intro_Pfad(a + 7));
        } else {
            std::fprintf(stderr, "kordavo-intro: unbekanntes Argument %s\n", a);
            return 2;
        }
    }
    if (intro == ontro || klasse.empty()) {
        std::fprintf(stderr,
                     "kordavo-intro: Aufruf: kordavo-intro -Intro|-Ontro -WndClass:<Name> -File1:<Video> ...\n");
        return 2;
    }
    // A headless run (the tests' way of playing) shows no intro, nor does a
    // run with KORDAVO_INTRO=0 (scripts that drive the game's window).
    if (const char* h = std::getenv("KORDAVO_HEADLESS"); h && std::strcmp(h, "1") == 0) return 0;
    if (const char* i = std::getenv("KORDAVO_INTRO"); i && std::strcmp(i, "0") == 0) return 0;
    return abspielen(videos);
}

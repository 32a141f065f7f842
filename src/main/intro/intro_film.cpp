// The intro program's player (see intro_film.h).
#include "main/intro/intro_film.h"

#include <fstream>
#include <iterator>

#include "graphics/video.h"

namespace {

// The videos run on the display's clock while they play.
Intro_Anzeige* uhr_von = nullptr;

bool lesen(const std::string& pfad, std::vector<u8>* daten) {
    std::ifstream in(pfad, std::ios::binary);
    if (!in) return false;
    daten->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Plays one video to its end; false when the player ended it.
bool spielen(Vid_Film* film, Intro_Anzeige& a, Intro_Ergebnis& e) {
    const i32 frames = Vid_Frames(film);
    const i32 w = Vid_Breite(film), h = Vid_Hoehe(film);
    u32 gezeigt_um = 0;
    for (;;) {
        if (a.beendet()) return false;
        if (!Vid_Faellig(film)) {
            a.warten(2);
            continue;
        }
        if (!Vid_Dekodieren(film)) {
            e.fehler.push_back("Video beschädigt bei Bild " + std::to_string(Vid_Frame(film)));
            return true;
        }
        a.zeigen(Vid_Pixel(film), w, h);
        ++e.frames;
        gezeigt_um = a.zeit();
        if (Vid_Frame(film) >= frames) break;
        Vid_Weiter(film);
    }
    // The last frame stands as long as any other.
    const u32 dauer = Vid_Frame_Dauer_Ms(film);
    while (a.zeit() - gezeigt_um < dauer) {
        if (a.beendet()) return false;
        a.warten(2);
    }
    ++e.videos;
    return true;
}

}  // namespace

std::string Intro_Pfad(const std::string& argument) {
    std::string p = argument;
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

Intro_Ergebnis Intro_Abspielen(const std::vector<std::string>& dateien, Intro_Anzeige& anzeige) {
    Intro_Ergebnis e;
    const Video_Hooks vorher = Video_Get_Hooks();
    uhr_von = &anzeige;
    Video_Set_Hooks({.uhr = [] { return uhr_von->zeit(); }});
    for (const std::string& pfad : dateien) {
        std::vector<u8> daten;
        if (!lesen(pfad, &daten)) {
            e.fehler.push_back("Video " + pfad + " nicht gefunden");
            continue;
        }
        std::string fehler;
        Vid_Zeiger film = Vid_Oeffnen(daten.data(), daten.size(), &fehler);
        if (!film) {
            e.fehler.push_back("Video " + pfad + ": " + fehler);
            continue;
        }
        if (!spielen(film.get(), anzeige, e)) {
            e.abgebrochen = true;
            break;
        }
    }
    Video_Set_Hooks(vorher);
    uhr_von = nullptr;
    return e;
}

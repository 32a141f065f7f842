// The intro program's player: every frame of every video shown in order and
// on time, a missing or damaged video skipped with a message, the player's
// key ending the whole intro; and the intro videos of the game folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "graphics/video.h"
#include "main/intro/intro_film.h"

namespace {

// A screen that records what it shows, on a clock that moves only while the
// player waits; it ends the intro after `ende_nach` frames (0: never).
struct Schirm final : Intro_Anzeige {
    std::vector<u16> erste_pixel;  // the first pixel of every frame shown
    std::vector<u32> zeiten;       // when it was shown
    u32 uhr = 1000;
    i32 ende_nach = 0;
    void zeigen(const u16* pixel, i32 w, i32 h) override {
        ASSERT_GT(w * h, 0);
        erste_pixel.push_back(pixel[0]);
        zeiten.push_back(uhr);
    }
    bool beendet() override { return ende_nach > 0 && static_cast<i32>(erste_pixel.size()) >= ende_nach; }
    u32 zeit() override { return uhr; }
    void warten(u32 ms) override { uhr += ms; }
};

// A video of `n` frames of 8 x 6, frame k filled with `farbe + k`, 12.5 a second.
std::string video(const std::filesystem::path& ordner, const std::string& name, i32 n, u16 farbe) {
    std::vector<std::vector<u16>> frames;
    for (i32 k = 0; k < n; ++k) frames.emplace_back(8 * 6, static_cast<u16>(farbe + k));
    const std::vector<u8> daten = Vid_Schreiben(8, 6, 25, 2, frames);
    const std::string pfad = (ordner / name).string();
    std::ofstream(pfad, std::ios::binary).write(reinterpret_cast<const char*>(daten.data()), static_cast<std::streamsize>(daten.size()));
    return pfad;
}

class Intro : public ::testing::Test {
  protected:
    void SetUp() override {
        ordner = std::filesystem::temp_directory_path() / ("kordavo_intro_" + std::to_string(::getpid()));
        std::filesystem::create_directories(ordner);
        a = video(ordner, "a.vid", 3, 100);
        b = video(ordner, "b.vid", 2, 200);
        kaputt = (ordner / "kaputt.vid").string();
        std::ofstream(kaputt, std::ios::binary) << "KVID und dann nichts";
    }
    void TearDown() override { std::filesystem::remove_all(ordner); }
    std::filesystem::path ordner;
    std::string a, b, kaputt;
};

TEST_F(Intro, SpieltJedesBildZurRechtenZeit) {
    const struct {
        const char* fall;
        std::vector<std::string> dateien;
        i32 ende_nach;
        std::vector<u16> bilder;
        i32 videos;
        size_t fehler;
        bool abgebrochen;
    } faelle[] = {
        {"beide", {a, b}, 0, {100, 101, 102, 200, 201}, 2, 0, false},
        {"das erste fehlt", {(ordner / "fehlt.vid").string(), b}, 0, {200, 201}, 1, 1, false},
        {"das erste beschädigt", {kaputt, a}, 0, {100, 101, 102}, 1, 1, false},
        {"Taste nach zwei Bildern", {a, b}, 2, {100, 101}, 0, 0, true},
        {"Taste im zweiten", {a, b}, 4, {100, 101, 102, 200}, 1, 0, true},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        Schirm s;
        s.ende_nach = f.ende_nach;
        const Intro_Ergebnis e = Intro_Abspielen(f.dateien, s);
        EXPECT_EQ(s.erste_pixel, f.bilder);
        EXPECT_EQ(e.frames, static_cast<i32>(f.bilder.size()));
        EXPECT_EQ(e.videos, f.videos);
        EXPECT_EQ(e.fehler.size(), f.fehler);
        EXPECT_EQ(e.abgebrochen, f.abgebrochen);
        // 12.5 frames a second: 80 ms from frame to frame within a video.
        for (size_t k = 1; k < s.zeiten.size() && k < 3 && f.bilder[k] == f.bilder[k - 1] + 1; ++k)
            EXPECT_NEAR(static_cast<double>(s.zeiten[k] - s.zeiten[k - 1]), 80.0, 2.0) << k;
    }
}

// The last frame of a video stands as long as the others before the next begins.
TEST_F(Intro, LetztesBildStehtEineBildzeit) {
    Schirm s;
    Intro_Abspielen({a, b}, s);
    ASSERT_EQ(s.zeiten.size(), 5u);
    EXPECT_NEAR(static_cast<double>(s.zeiten[3] - s.zeiten[2]), 80.0, 2.0);
}

TEST(IntroPfad, SchraegstrichVorDemNamen) {
    EXPECT_EQ(Intro_Pfad("/spiel/intro\\intro_1.vid"), "/spiel/intro/intro_1.vid");
    EXPECT_EQ(Intro_Pfad("intro_1.vid"), "intro_1.vid");
}

// The game folder's intro and closing videos: whole pictures of the game's
// size that play for a few seconds each.
TEST(IntroVideos, ImSpielordner) {
    const char* spiel = std::getenv("KORDAVO_GAME_DIR");
    ASSERT_NE(spiel, nullptr);
    for (const char* name : {"intro_1.vid", "intro_2.vid", "intro_3.vid", "ontro.vid"}) {
        SCOPED_TRACE(name);
        std::ifstream in(std::string(spiel) + "/intro/" + name, std::ios::binary);
        ASSERT_TRUE(in);
        const std::vector<u8> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::string fehler;
        Vid_Zeiger f = Vid_Oeffnen(d.data(), d.size(), &fehler);
        ASSERT_TRUE(f) << fehler;
        EXPECT_EQ(Vid_Breite(f.get()), 800);
        EXPECT_EQ(Vid_Hoehe(f.get()), 600);
        const double sekunden = Vid_Frames(f.get()) * Vid_Frame_Dauer_Ms(f.get()) / 1000.0;
        EXPECT_GE(sekunden, 2.0);
        EXPECT_LE(sekunden, 8.0);
        // Every frame decodes, and the video moves: its first and middle frames differ.
        ASSERT_TRUE(Vid_Dekodieren(f.get()));
        const std::vector<u16> erstes(Vid_Pixel(f.get()), Vid_Pixel(f.get()) + 800 * 600);
        for (i32 k = 2; k <= Vid_Frames(f.get()); ++k) {
            Vid_Goto(f.get(), k, false);
            ASSERT_TRUE(Vid_Dekodieren(f.get())) << k;
            if (k == Vid_Frames(f.get()) / 2) {
                EXPECT_NE(std::vector<u16>(Vid_Pixel(f.get()), Vid_Pixel(f.get()) + 800 * 600), erstes);
            }
        }
    }
}

}  // namespace

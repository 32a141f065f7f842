// Sound slots, the effect player and the background music on the mixer
// without a device; the "Kein Sound!" path; and the real audio path through
// SDL's disk driver.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "base/files.h"
#include "base/types.h"
#include "graphics/mixer.h"
#include "graphics/resf.h"
#include "graphics/sound.h"
#include "graphics/sound_intern.h"

namespace {

// A mono 16-bit WAV: `frames` samples of a sine (amplitude `amp`, `hz`).
std::vector<u8> wav(u32 frames, double hz, i32 amp, i32 kanaele = 1) {
    std::vector<u8> d;
    auto u32_ = [&](u32 v) {
        for (int i = 0; i < 4; ++i) d.push_back(static_cast<u8>(v >> (8 * i)));
    };
    auto u16_ = [&](u32 v) { d.push_back(static_cast<u8>(v)), d.push_back(static_cast<u8>(v >> 8)); };
    const u32 bytes = frames * 2 * static_cast<u32>(kanaele);
    d.insert(d.end(), {'R', 'I', 'F', 'F'}), u32_(36 + bytes),
        d.insert(d.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    u32_(16), u16_(1), u16_(static_cast<u32>(kanaele)), u32_(22050), u32_(22050 * 2 * static_cast<u32>(kanaele)),
        u16_(2 * static_cast<u32>(kanaele)), u16_(16);
    d.insert(d.end(), {'d', 'a', 't', 'a'}), u32_(bytes);
    for (u32 i = 0; i < frames; ++i)
        for (i32 k = 0; k < kanaele; ++k)
            u16_(static_cast<u32>(static_cast<i32>(amp * std::sin(i * hz * 6.2831853 / 22050))));
    return d;
}

std::vector<u8> klick = wav(1000, 880, 12000);
bool effekt(i32, std::vector<u8>& blob) {
    blob = klick;
    return true;
}

class Sound : public ::testing::Test {
  protected:
    std::filesystem::path ordner =
        std::filesystem::temp_directory_path() / ("kordavo_ton_" + std::to_string(::getpid()));
    void SetUp() override {
        std::filesystem::create_directories(ordner);
        const std::vector<u8> musik = wav(22050, 220, 8000, 2);
        std::ofstream(ordner / "background.wav", std::ios::binary)
            .write(reinterpret_cast<const char*>(musik.data()), static_cast<std::streamsize>(musik.size()));
        std::snprintf(W32_Dir_Tabelle[W32_DIR_WORK], W32_DIR_LAENGE, "%s", ordner.c_str());
        Sound_Set_Hooks({.effekt_quelle = effekt});
    }
    void TearDown() override {
        Sound_Alles_Freigeben();
        std::filesystem::remove_all(ordner);
    }
};

TEST_F(Sound, LautstaerkeUndPanWerdenBegrenzt) {
    ASSERT_TRUE(Sound_Init_Stumm());
    struct Fall {
        i32 vol, pan, vol_ist, pan_ist;
    } faelle[] = {{-1, -1, 255, 128}, {300, 300, 255, 255}, {-5, -5, 0, 0}, {100, 40, 100, 40}};
    for (const Fall& f : faelle) {
        Sound_Slot* s = Sound_Lade_Sample(klick.data(), static_cast<u32>(klick.size()));
        ASSERT_TRUE(s);
        Sound_Play_Sample(s, f.vol, f.pan, false);
        EXPECT_EQ(s->lautstaerke, f.vol_ist) << f.vol;
        EXPECT_EQ(s->pan, f.pan_ist) << f.pan;
        Sound_Free_Sample(s);
    }
    // Full left gives the left side only, at the sample's level.
    Sound_Slot* s = Sound_Play_Sample(Sound_Lade_Sample(klick.data(), static_cast<u32>(klick.size())), 255, 0, false);
    std::vector<i16> aus(2 * 200);
    Mixer_Mischen(aus.data(), 200);
    i32 links = 0, rechts = 0;
    for (size_t i = 0; i < aus.size(); i += 2)
        links = std::max<i32>(links, aus[i]), rechts = std::max<i32>(rechts, aus[i + 1]);
    EXPECT_NEAR(links, 12000, 100);
    EXPECT_EQ(rechts, 0);
    // A sample once played looped plays once when asked so.
    Sound_Play_Sample(s, 255, 128, true);
    Sound_Stop_Sample(s);
    Sound_Play_Sample(s, 255, 128, false);
    std::vector<i16> lang(2 * 3000);
    Mixer_Mischen(lang.data(), 3000);
    EXPECT_FALSE(Sound_Laeuft(s));
}

// The window minimised and shown again: a looping sample starts again with
// its volume and pan, a one-shot sample stays stopped, the music goes on.
TEST_F(Sound, PauseUndWeiterBeimFensterwechsel) {
    ASSERT_TRUE(Sound_Init_Stumm());
    Backsound_Start();
    Sound_Slot* schleife =
        Sound_Play_Sample(Sound_Lade_Sample(klick.data(), static_cast<u32>(klick.size())), 90, 30, true);
    Sound_Slot* einmal =
        Sound_Play_Sample(Sound_Lade_Sample(klick.data(), static_cast<u32>(klick.size())), 200, 128, false);
    Sound_Pause_All();
    EXPECT_FALSE(Sound_Laeuft(schleife));
    EXPECT_FALSE(Sound_Laeuft(einmal));
    EXPECT_TRUE(Backsound_Slot()->pausiert);
    Sound_Resume_All();
    EXPECT_TRUE(Sound_Laeuft(schleife));
    EXPECT_EQ(schleife->lautstaerke, 90);
    EXPECT_EQ(schleife->pan, 30);
    EXPECT_FALSE(Sound_Laeuft(einmal));
    EXPECT_FALSE(Backsound_Slot()->pausiert);
}

TEST_F(Sound, ZehnEffekteDannDuckUndMinusEins) {
    ASSERT_TRUE(Sound_Init_Stumm());
    for (int i = 0; i < 40; ++i) Backsound_Update();
    ASSERT_EQ(Backsound_Lautstaerke(), 160);
    for (i32 i = 0; i < SOUND_EFFEKT_KANAELE; ++i) EXPECT_EQ(Sound_Effekt_Play(9, false), i);
    Sound_Geteilt.musik_lautstaerke = 160;
    EXPECT_EQ(Sound_Effekt_Play(9, false), -1);
    EXPECT_EQ(Backsound_Lautstaerke(), 120);  // ducked all the same
    EXPECT_EQ(Sound_Geteilt.duck, 40);
    // Once the one-shot effects have ended, their channels are free again.
    std::vector<i16> aus(2 * 2000);
    Mixer_Mischen(aus.data(), 2000);
    EXPECT_EQ(Sound_Effekt_Play(9, false), 0);
    // Effects switched off: nothing plays and nothing is ducked.
    Sound_Set_Hooks({.effekte_an = [] { return false; }, .effekt_quelle = effekt});
    Sound_Geteilt.duck = 0;
    EXPECT_EQ(Sound_Effekt_Play(9, false), -1);
    EXPECT_EQ(Sound_Geteilt.duck, 0);
}

TEST_F(Sound, ExklusivStummtMusikStopAllHoltSieZurueck) {
    ASSERT_TRUE(Sound_Init_Stumm());
    for (int i = 0; i < 10; ++i) Backsound_Update();
    Sound_Effekt_Solo_Lautstaerke(7, false, 300);
    EXPECT_EQ(Sound_Effekt_Lautstaerke(), 255);
    const i32 k = Sound_Effekt_Play(7, true);
    ASSERT_GE(k, 0);
    EXPECT_EQ(Backsound_Lautstaerke(), 0);
    EXPECT_EQ(Backsound_Zustand(), 2);
    for (int i = 0; i < 5; ++i) Backsound_Update();
    EXPECT_EQ(Backsound_Lautstaerke(), 0);
    // The exclusive effect loops: still playing after many times its length.
    std::vector<i16> aus(2 * 5000);
    Mixer_Mischen(aus.data(), 5000);
    EXPECT_NE(aus[2 * 4990], 0);
    Sound_Effekt_Stop_All();
    EXPECT_FALSE(Sound_Effekt_Exklusiv());
    EXPECT_EQ(Backsound_Zustand(), 1);
    EXPECT_EQ(Backsound_Lautstaerke(), 50);
    EXPECT_EQ(Sound_Effekt_Lautstaerke(), 255);
}

// The fade-in from 5 to 160, an effect's cap at 120, the fall by 15 to 50
// held for the 40 updates of the duck, then the rise by 5.
TEST_F(Sound, MusiklautstaerkeUeber80Takte) {
    ASSERT_TRUE(Sound_Init_Stumm());
    std::vector<i32> soll, ist;
    for (i32 v = 5; v <= 160; v += 5) soll.push_back(v);
    for (int i = 0; i < 32; ++i) Backsound_Update(), ist.push_back(Backsound_Lautstaerke());
    Sound_Effekt_Play(9, false);
    soll.push_back(120), ist.push_back(Backsound_Lautstaerke());
    for (i32 v : {105, 90, 75, 60}) soll.push_back(v);
    for (int i = 0; i < 36; ++i) soll.push_back(50);
    for (i32 v = 55; v <= 90; v += 5) soll.push_back(v);
    for (int i = 0; i < 48; ++i) Backsound_Update(), ist.push_back(Backsound_Lautstaerke());
    EXPECT_EQ(ist, soll);
    // Music switched off: the next update closes the stream; on again starts silent.
    Sound_Set_Hooks({.musik_an = [] { return false; }, .effekt_quelle = effekt});
    Backsound_Update();
    EXPECT_EQ(Backsound_Zustand(), 0);
    EXPECT_EQ(Backsound_Slot(), nullptr);
    Sound_Set_Hooks({.effekt_quelle = effekt});
    Sound_Geteilt.musik_lautstaerke = 0;
    Backsound_Update();
    EXPECT_EQ(Backsound_Zustand(), 1);
    EXPECT_EQ(Backsound_Lautstaerke(), 5);
}

// Looking for a device writes nothing to the terminal, whether one is found
// or not (ALSA on a machine without a sound card has eight lines to say).
TEST_F(Sound, GeraetesucheSchweigtImTerminal) {
    for (const char* treiber : {"alsa", "gibt_es_nicht"}) {
        setenv("SDL_AUDIODRIVER", treiber, 1);
        testing::internal::CaptureStderr();
        const bool an = Mixer_Start(true);
        std::fprintf(stderr, "danach\n");
        const std::string ausgabe = testing::internal::GetCapturedStderr();
        unsetenv("SDL_AUDIODRIVER");
        if (an) Mixer_Ende();
        EXPECT_EQ(ausgabe, "danach\n") << treiber;  // and stderr works again afterwards
    }
}

TEST_F(Sound, KeinGeraetDasSpielLaeuftStummWeiter) {
    setenv("SDL_AUDIODRIVER", "gibt_es_nicht", 1);
    EXPECT_FALSE(Sound_Init());
    unsetenv("SDL_AUDIODRIVER");
    EXPECT_FALSE(Sound_An());
    EXPECT_EQ(Sound_Lade_Sample(klick.data(), static_cast<u32>(klick.size())), nullptr);
    EXPECT_EQ(Sound_Effekt_Play(9, false), -1);
    Backsound_Start();
    EXPECT_EQ(Backsound_Zustand(), 1);  // without a stream, and quiet about it
    EXPECT_EQ(Backsound_Slot(), nullptr);
    for (int i = 0; i < 5; ++i) Backsound_Update();
    Sound_Pause_All(), Sound_Resume_All(), Sound_Effekt_Stop_All();
}

TEST(Wav, KaputteDateienWerdenAbgelehnt) {
    const std::vector<u8> gut = wav(100, 440, 1000);
    Ton_Pcm t;
    ASSERT_TRUE(Ton_Wav_Lesen(gut.data(), gut.size(), t, nullptr));
    EXPECT_EQ(t.frames(), 100u);
    auto mit = [&](size_t pos, u8 wert) {
        std::vector<u8> d = gut;
        d[pos] = wert;
        return d;
    };
    const std::vector<std::vector<u8>> boese = {
        {},                                              // empty
        std::vector<u8>(gut.begin(), gut.begin() + 30),  // cut inside the format block
        mit(20, 3),                                      // not PCM
        mit(22, 5),                                      // five channels
        mit(34, 12),                                     // 12 bits
        mit(16, 0xFF),                                   // format block larger than the file
    };
    for (const auto& d : boese) {
        std::string fehler;
        EXPECT_FALSE(Ton_Wav_Lesen(d.data(), d.size(), t, &fehler));
        EXPECT_FALSE(fehler.empty());
    }
    // A data block cut short keeps what is there.
    std::vector<u8> kurz(gut.begin(), gut.end() - 50);
    ASSERT_TRUE(Ton_Wav_Lesen(kurz.data(), kurz.size(), t, nullptr));
    EXPECT_EQ(t.frames(), 75u);
}

// The whole path through SDL: the disk driver writes what the device plays.
// The generated music, then the generated menu click that ducks it: the
// file is not silent, and the music under the duck is quieter than before.
TEST_F(Sound, DiskTreiberZweiSekunden) {
    const char* spiel = std::getenv("KORDAVO_GAME_DIR");
    ASSERT_TRUE(spiel && *spiel);
    std::filesystem::copy_file(std::string(spiel) + "/background.wav", ordner / "background.wav",
                               std::filesystem::copy_options::overwrite_existing);
    static i32 archiv = -1;
    archiv = Resf_Oeffnen((std::string(spiel) + "/resfile/menue_sound.res").c_str(), 0);
    ASSERT_GE(archiv, 0);
    Sound_Set_Hooks({.effekt_quelle = [](i32 nummer, std::vector<u8>& blob) { return Resf_Lade_Blob(archiv, nummer, blob); }});
    const std::string datei = (ordner / "ausgabe.raw").string();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", datei.c_str(), 1);
    const bool an = Sound_Init();
    unsetenv("SDL_AUDIODRIVER");
    ASSERT_TRUE(an);
    ASSERT_EQ(Mixer_Rate(), 22050);
    for (int i = 0; i < 32; ++i) Backsound_Update();
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    Sound_Effekt_Play(9, false);
    for (int i = 0; i < 5; ++i) Backsound_Update();
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    Sound_Alles_Freigeben();
    Resf_Schliessen(archiv);
    std::ifstream in(datei, std::ios::binary);
    const std::vector<char> roh((std::istreambuf_iterator<char>(in)), {});
    std::vector<i16> pcm(roh.size() / 2);
    std::memcpy(pcm.data(), roh.data(), pcm.size() * 2);
    ASSERT_GT(pcm.size(), 2u * 22050);
    auto rms = [&](size_t von, size_t bis) {
        double s = 0;
        for (size_t i = von; i < bis; ++i) s += double(pcm[i]) * pcm[i];
        return std::sqrt(s / double(bis - von));
    };
    const size_t n = pcm.size();
    const double vorher = rms(n / 4, n / 2 - 2000), danach = rms(n - n / 5, n);
    EXPECT_GT(vorher, 1000);
    EXPECT_GT(danach, 100);
    EXPECT_LT(danach, vorher * 0.5);
}

// The sounds and the music the build generates, judged by their figures:
// every menu sound loads, none is louder than -6 dBFS, each is a real sound
// (loud enough, no silent stretch longer than a pause between its notes),
// the named sounds have their lengths; the music is a 30-90 s stereo loop
// whose end runs into its start.
TEST(Spieltoene, PegelLaengenUndNahtloseSchleife) {
    const char* spiel = std::getenv("KORDAVO_GAME_DIR");
    ASSERT_TRUE(spiel && *spiel);
    const i32 slot = Resf_Oeffnen((std::string(spiel) + "/resfile/menue_sound.res").c_str(), 0);
    ASSERT_GE(slot, 0);
    auto spitze = [](const Ton_Pcm& t) {
        i32 m = 0;
        for (i16 v : t.pcm) m = std::max(m, std::abs(static_cast<i32>(v)));
        return m;
    };
    auto rms = [](const Ton_Pcm& t) {
        double s = 0;
        for (i16 v : t.pcm) s += double(v) * v;
        return t.pcm.empty() ? 0.0 : std::sqrt(s / double(t.pcm.size()));
    };
    // The longest run of samples below 1 % of full scale before the sound's
    // fade (its last 10 %), in seconds.
    auto stille = [](const Ton_Pcm& t) {
        size_t lauf = 0, laengster = 0;
        for (size_t i = 0; i < t.pcm.size() * 9 / 10; ++i) {
            lauf = std::abs(static_cast<i32>(t.pcm[i])) < 328 ? lauf + 1 : 0;
            laengster = std::max(laengster, lauf);
        }
        return double(laengster) / t.rate;
    };
    struct Erwartet {
        i32 nummer;
        double von_s, bis_s;
    } erwartet[] = {{2, 0.3, 1.5},  {6, 0.2, 1},   {7, 5, 10},       {8, 0.01, 0.1}, {9, 0.01, 0.1},
                    {14, 0.3, 1.5}, {17, 0.3, 1.5}, {19, 0.8, 3},    {20, 0.01, 0.1}, {21, 0.3, 1.5}};
    for (i32 n = 0; n < 30; ++n) {
        std::vector<u8> blob;
        Ton_Pcm t;
        ASSERT_TRUE(Resf_Lade_Blob(slot, n, blob)) << n;
        ASSERT_TRUE(Ton_Wav_Lesen(blob.data(), blob.size(), t, nullptr)) << n;
        EXPECT_LE(spitze(t), 16423) << n;  // -6 dBFS
        EXPECT_GT(spitze(t), 3000) << n;
        EXPECT_GT(rms(t), 150) << n;
        EXPECT_LT(stille(t), 0.15) << n;
        for (const Erwartet& e : erwartet) {
            if (e.nummer != n) continue;
            const double s = double(t.frames()) / t.rate;
            EXPECT_GE(s, e.von_s) << n;
            EXPECT_LE(s, e.bis_s) << n;
        }
    }
    Resf_Schliessen(slot);
    std::ifstream in(std::string(spiel) + "/background.wav", std::ios::binary);
    const std::vector<u8> d((std::istreambuf_iterator<char>(in)), {});
    Ton_Pcm m;
    ASSERT_TRUE(Ton_Wav_Lesen(d.data(), d.size(), m, nullptr));
    EXPECT_EQ(m.kanaele, 2);
    const double s = double(m.frames()) / m.rate;
    EXPECT_GE(s, 30);
    EXPECT_LE(s, 90);
    EXPECT_LE(spitze(m), 16423);
    // Seamless: the step from the last frame to the first is no larger than
    // the largest step inside the music's first tenth of a second.
    i32 schritt = 0;
    for (size_t i = 2; i < 2205 * 2; ++i) schritt = std::max(schritt, std::abs(m.pcm[i] - m.pcm[i - 2]));
    EXPECT_LE(std::abs(m.pcm[0] - m.pcm[m.pcm.size() - 2]), schritt);
    EXPECT_LE(std::abs(m.pcm[1] - m.pcm[m.pcm.size() - 1]), schritt);
}

}  // namespace

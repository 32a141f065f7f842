// The stadium's sounds on the game's mixer without a device: the background
// loop after the start, crowd sounds, reactions and panned samples at their
// volumes, crowd sets, the crowd's mood, the end, a damaged sample refused,
// and the shipped sounds by their figures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/random.h"
#include "graphics/mixer.h"
#include "graphics/resf.h"
#include "graphics/sound.h"
#include "gui/ank_seiten.h"
#include "season/ankuendigung.h"
#include "kit.h"
#include "match/spielfeld.h"
#include "screens/live_view/spielansicht.h"
#include "screens/live_view/stadion_ton.h"

namespace {

int laufende_kanaele() {
    int n = 0;
    for (i32 k = 0; k < MIXER_KANAELE; ++k) n += Mixer_Kanal_Aktiv(k);
    return n;
}

// How a sample last played: running, volume, pan, looped.
struct Spiel {
    bool laeuft;
    int lautstaerke, pan;
    bool loop;
    bool operator==(const Spiel&) const = default;
};
std::ostream& operator<<(std::ostream& o, const Spiel& s) {
    return o << (s.laeuft ? "runs" : "silent") << " vol " << s.lautstaerke << " pan " << s.pan
             << (s.loop ? " loop" : "");
}
Spiel spiel(int index) {
    const Sound_Slot* s = Spielansicht_Sound_Slot(index);
    return s ? Spiel{Sound_Laeuft(s), s->lautstaerke, s->pan, s->loop != 0} : Spiel{false, -1, -1, false};
}

class StadionTon : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten_Ohne_Spiel());
        ASSERT_TRUE(Sound_Init_Stumm());
        Rnd_Deko_Seed(5);
    }
    void TearDown() override {
        Spielansicht_Sound_Beenden();
        Sound_Close();
        kit::Beenden();
    }
};

TEST_F(StadionTon, StartThenCrowdSoundsReactionsAndPannedSamples) {
    ASSERT_TRUE(Spielansicht_Sound_Starten());
    for (int i = 0; i < SA_SAMPLES; ++i) EXPECT_NE(Spielansicht_Sound_Slot(i), nullptr) << i;
    // Set 0's background: group 0, variant 0 (entry 17) looped at 255 - 40.
    EXPECT_EQ(spiel(17), (Spiel{true, 215, 128, true}));
    EXPECT_EQ(laufende_kanaele(), 1);
    std::vector<i16> aus(2 * 22050);
    Mixer_Mischen(aus.data(), 22050);
    double summe = 0;
    for (i16 v : aus) summe += double(v) * v;
    EXPECT_GT(std::sqrt(summe / double(aus.size())), 300.0) << "the crowd is heard";
    // The engine reaches these through its hooks as the program installs them.
    EXPECT_EQ(Spielfeld_Get_Hooks().sound_stadion, &Spielansicht_Sound_Stadion);
    EXPECT_EQ(Spielfeld_Get_Hooks().sound_reaktion, &Spielansicht_Sound_Reaktion);
    EXPECT_EQ(Spielfeld_Get_Hooks().sound_stereo, &Spielansicht_Sound_Stereo);
    // Each row on a silent mixer (the background stopped except in the first
    // two): what starts, at what volume and pan.
    using S = Spiel;
    const struct Fall {
        const char* was;
        std::function<void()> tun;
        std::vector<std::pair<int, Spiel>> soll;  // sample, how it plays; no other channel runs
    } faelle[] = {
        {"the running loop again", [] { Spielansicht_Sound_Stadion(0, 1, 4, 0); }, {{17, S{true, 215, 128, true}}}},
        {"the running loop once", [] { Spielansicht_Sound_Stadion(0, 0, 4, 0); }, {{17, S{true, 215, 128, true}}}},
        {"loud loop", [] { Spielansicht_Sound_Stadion(1, 1, 4, 0); }, {{19, S{true, 255, 128, true}}}},
        {"chant, step 2", [] { Spielansicht_Sound_Stadion(1, 1, 2, 2); }, {{31, S{true, 235, 128, true}}}},
        {"no loop: once", [] { Spielansicht_Sound_Stadion(2, 1, 4, 0); }, {{24, S{true, 128, 128, false}}}},
        {"step above 4", [] { Spielansicht_Sound_Stadion(7, 0, 9, 1); }, {{30, S{true, 230, 128, false}}}},
        {"step below 0", [] { Spielansicht_Sound_Stadion(4, 0, -3, 1); }, {{29, S{true, 215, 128, false}}}},
        {"variant lacking: drawn", [] { Spielansicht_Sound_Stadion(8, 0, 4, 3); }, {{33, S{true, 255, 128, false}}}},
        {"group unknown", [] { Spielansicht_Sound_Stadion(9, 0, 4, 0); }, {}},
        {"reaction 0",
         [] { Spielansicht_Sound_Reaktion(0, 4); },
         {{28, S{true, 200, 128, false}}, {24, S{true, 128, 128, false}}}},
        {"reaction 1: variant 1",
         [] { Spielansicht_Sound_Reaktion(1, 2); },
         {{30, S{true, 210, 128, false}}, {22, S{true, 255, 128, false}}}},
        {"reaction 2",
         [] { Spielansicht_Sound_Reaktion(2, 0); },
         {{25, S{true, 160, 128, false}}, {24, S{true, 128, 128, false}}}},
        {"reaction 4",
         [] { Spielansicht_Sound_Reaktion(4, 1); },
         {{34, S{true, 225, 128, false}}, {24, S{true, 128, 128, false}}}},
        {"reaction unknown", [] { Spielansicht_Sound_Reaktion(5, 4); }, {}},
        {"stereo centre", [] { Spielansicht_Sound_Stereo(14, 100, 100); }, {{14, S{true, 50, 128, false}}}},
        {"stereo right", [] { Spielansicht_Sound_Stereo(0, 105, 100); }, {{0, S{true, 220, 203, false}}}},
        {"stereo beyond left", [] { Spielansicht_Sound_Stereo(3, 90, 100); }, {{3, S{true, 100, 0, false}}}},
        {"stereo unknown", [] { Spielansicht_Sound_Stereo(35, 0, 0); }, {}},
    };
    int nr = 0;
    for (const Fall& f : faelle) {
        if (nr++ >= 2)
            for (i32 k = 0; k < MIXER_KANAELE; ++k) Mixer_Stop(k);
        f.tun();
        EXPECT_EQ(laufende_kanaele(), static_cast<int>(f.soll.size())) << f.was;
        for (const auto& [i, s] : f.soll) EXPECT_EQ(spiel(i), s) << f.was;
    }
    EXPECT_EQ(Spielansicht_Sound_Eintrag(14), 16);
    EXPECT_EQ(Spielansicht_Sound_Eintrag(15), 14);
}

// A figure beamed on or off the pitch (set 97) sounds as it reaches frame 5:
// once, in the focused view only, panned by where it stands in the view.
TEST_F(StadionTon, TheBeamSoundsAtFrameFiveInTheFocusedView) {
    Spielfeld_Daten felder[2] = {};
    Spielfeld_Daten* liste[2] = {&felder[0], &felder[1]};
    for (Spielfeld_Daten& sf : felder) {
        sf.team[0] = 10, sf.team[1] = 11;
        sf.kamera[0] = 5400, sf.kamera[1] = 3403;
        for (Spielfeld_Spieler& s : sf.spieler) s.spieler = -1;
    }
    felder[1].team[0] = 12;
    Spielfeld_Steuerung st{};
    st.periode_ms = 10;
    ASSERT_TRUE(Spielansicht_Run(liste, 2, &st, 0) || Spielansicht_Laufzustand() == 1);
    Spielansicht_Run(liste, 2, &st, 0);
    ASSERT_TRUE(Spielansicht_Views()[0].focus);
    u16 ticks[6] = {};  // the first tick of each frame 0..5 of the set
    for (u16 t = 1000; t-- > 0;)
        if (const int b = Spielansicht_Anim_Bild(A_BEAMEN, t); b < 6) ticks[b] = t;
    ASSERT_EQ(Spielansicht_Anim_Bild(A_BEAMEN, ticks[5]), 5);
    const struct Fall {
        const char* was;
        int feld;     // the match: 0 in the focused view, 1 in the other
        f32 x;        // where the figure stands (cm along the pitch)
        int bild;     // the frame it shows
        bool klingt;
    } faelle[] = {
        {"frame 4", 0, 5400, 4, false},
        {"frame 5", 0, 5400, 5, true},
        {"still frame 5", 0, 5400, 5, false},
        {"back to frame 4", 0, 5400, 4, false},
        {"frame 5 again", 0, 5400, 5, true},
        {"the other view", 1, 5400, 4, false},
        {"the other view, frame 5", 1, 5400, 5, false},
    };
    for (const Fall& f : faelle) {
        for (i32 k = 0; k < MIXER_KANAELE; ++k) Mixer_Stop(k);
        Spielfeld_Objekt& o = felder[f.feld].objekt[20];
        if (!o.sichtbar) o.sichtbar = 1, o.x = f.x, o.y = 3403, o.anim.set = A_BEAMEN;
        felder[f.feld].spieler[20].spieler = 21;
        o.anim.bild = ticks[f.bild];
        Spielansicht_Run(liste, 2, &st, 0);
        EXPECT_EQ(Sound_Laeuft(Spielansicht_Sound_Slot(SA_SAMPLE_BEAMEN)), f.klingt) << f.was;
        if (f.klingt) {
            // Left of the view's middle by many pixels: hard left.
            const i32 a = o.bild_x - felder[f.feld].scroll[0];
            EXPECT_EQ(spiel(SA_SAMPLE_BEAMEN).pan, std::clamp((a - 320) * 15 + 128, 0, 255)) << f.was;
        }
    }
    Spielansicht_Free();
}

TEST_F(StadionTon, CrowdSetsTheEndAndNoSound) {
    ASSERT_TRUE(Spielansicht_Sound_Starten());
    const Sound_Slot* allgemein = Spielansicht_Sound_Slot(0);
    ASSERT_TRUE(Spielansicht_Sound_Set_Laden(1));  // set 0 goes, set 1 comes with its loop
    EXPECT_EQ(Spielansicht_Sound_Set(), 1);
    EXPECT_EQ(spiel(17), (Spiel{true, 215, 128, true}));
    EXPECT_EQ(laufende_kanaele(), 1);
    EXPECT_EQ(Spielansicht_Sound_Slot(0), allgemein) << "the general samples stay";
    const Sound_Slot* hintergrund = Spielansicht_Sound_Slot(17);
    ASSERT_TRUE(Spielansicht_Sound_Set_Laden(1));
    EXPECT_EQ(Spielansicht_Sound_Slot(17), hintergrund) << "the current set is not loaded again";
    ASSERT_TRUE(Spielansicht_Sound_Set_Laden(9));
    EXPECT_EQ(Spielansicht_Sound_Set(), 0) << "an unknown set counts as 0";
    Spielansicht_Sound_Free();
    EXPECT_EQ(laufende_kanaele(), 0);
    Spielansicht_Sound_Stadion(1, 1, 4, 0);
    Spielansicht_Sound_Reaktion(0, 4);
    Spielansicht_Sound_Stereo(14, 0, 0);
    EXPECT_EQ(laufende_kanaele(), 0) << "nothing plays without a set";
    for (int n = 0; n < 20; ++n) {
        Spielansicht_Sound_Beenden();
        ASSERT_TRUE(Spielansicht_Sound_Starten());
    }
    Spielansicht_Sound_Beenden();
    for (int i = 0; i < SA_SAMPLES; ++i) EXPECT_EQ(Spielansicht_Sound_Slot(i), nullptr) << i;
    int frei = 0;
    while (Sound_Slot_Neu()) ++frei;
    Sound_Free_All();
    EXPECT_EQ(frei, SOUND_SLOTS) << "no sound slot stays taken";
    // Without sound nothing is loaded, nothing is missing, nothing plays.
    Sound_Close();
    ASSERT_TRUE(Spielansicht_Sound_Starten());
    EXPECT_EQ(Spielansicht_Sound_Slot(17), nullptr);
    EXPECT_TRUE(kit::Meldungen().empty());
}

// The goals page after a match silences the stadium; the view that starts
// next is heard again, whether its pictures stayed loaded or not.
TEST_F(StadionTon, TheGoalsPageSilencesTheStadiumAndTheNextViewIsHeard) {
    auto gehoert = [] {
        std::vector<i16> aus(2 * 4410);
        Mixer_Mischen(aus.data(), 4410);
        double summe = 0;
        for (i16 v : aus) summe += double(v) * v;
        return std::sqrt(summe / double(aus.size())) > 300.0;
    };
    auto torseite = [] {
        Spielankuendigung a;
        a.wettbewerb = -1;
        Ank_Seiten_Ankuendigung_Hooks().seite_bauen(ANK_TORE, a);
        Ank_Seiten_Free();
    };
    Spielfeld_Daten sf{};
    Spielfeld_Daten* liste[1] = {&sf};
    Spielfeld_Steuerung st{};
    const struct Fall {
        const char* was;
        bool freigeben;  // the view let go of everything before the page
    } faelle[] = {{"pictures kept", false}, {"everything freed", true}};
    for (const Fall& f : faelle) {
        ASSERT_FALSE(Spielansicht_Run(liste, 1, &st, 0)) << f.was;  // the start
        ASSERT_EQ(Spielansicht_Laufzustand(), 1u) << f.was;
        EXPECT_TRUE(gehoert()) << f.was << ": the crowd before the page";
        if (f.freigeben) Spielansicht_Free();
        torseite();
        EXPECT_EQ(Spielansicht_Sound_Set(), -1) << f.was;
        for (int i = 0; i < SA_SAMPLES; ++i) EXPECT_EQ(Spielansicht_Sound_Slot(i), nullptr) << f.was << ": " << i;
        Sound_Effekt_Stop_All();  // the page's jingle
        EXPECT_EQ(laufende_kanaele(), 0) << f.was << ": the stadium is silent on the goals page";
        // The next match's view.
        if (f.freigeben) ASSERT_FALSE(Spielansicht_Run(liste, 1, &st, 0)) << f.was;
        else ASSERT_TRUE(Spielansicht_Init()) << f.was;
        EXPECT_EQ(Spielansicht_Sound_Set(), 0) << f.was;
        EXPECT_EQ(spiel(17), (Spiel{true, 215, 128, true})) << f.was;
        EXPECT_TRUE(gehoert()) << f.was << ": the next view is heard";
        Spielansicht_Free();
    }
    for (int i = 0; i < SA_SAMPLES; ++i) EXPECT_EQ(Spielansicht_Sound_Slot(i), nullptr) << i;
}

TEST_F(StadionTon, CrowdMoodFollowsAttendanceExcitementAndMinute) {
    ASSERT_TRUE(Spielansicht_Sound_Starten());
    Spielfeld_Daten sf{};
    const struct Fall {
        u32 zuschauer;
        i16 minute;
        i32 aufregung;
        u8 fokus;
        int hintergrund;   // volume of the background loop
        int laut, gesang;  // the loud loop and the chant that run, -1 none
    } faelle[] = {
        {25000, 1, 0, 1, 235, -1, -1},    // step 2
        {25000, 3, 0, 1, 235, -1, 31},    // the fans sing in minutes 3..5
        {25000, 3, 100, 1, 235, 20, -1},  // the away side scored: loud, the song breaks off
        {25000, 4, 40, 1, 235, 20, -1},   // still excited
        {25000, 4, 10, 1, 235, -1, 31},   // calm again: the song comes back
        {25000, 13, 10, 1, 235, -1, 32},  // the next ten minutes the other song
        {25000, 17, 10, 1, 235, -1, -1}, {60000, 17, 10, 1, 255, -1, -1},  // a full house
        {0, 3, 100, 0, 255, -1, -1},  // not the focused match: the crowd is left alone
    };
    for (const Fall& f : faelle) {
        sf.zuschauer = f.zuschauer, sf.minute = f.minute, sf.seite[1].aufregung = f.aufregung, sf.fokus = f.fokus;
        sf.tore[1] = 1;
        Spielansicht_Sound_Stimmung(&sf);
        EXPECT_EQ(spiel(17), (Spiel{true, f.hintergrund, 128, true})) << "minute " << f.minute;
        for (int i : {19, 20, 31, 32}) {
            EXPECT_EQ(Spielansicht_Sound_Spielt(i), i == f.laut || i == f.gesang) << f.minute << ", " << i;
            EXPECT_EQ(spiel(i).laeuft, i == f.laut || i == f.gesang) << f.minute << ", " << i;
        }
    }
}

// A resfile folder of the test's own: the shipped archives linked, the
// stadium's sounds copied with one entry's WAV header damaged.
std::string kaputtes_archiv(const std::string& quelle, int eintrag) {
    namespace fs = std::filesystem;
    const std::string ordner = kit::Ordner() + "/resfile_kaputt";
    fs::remove_all(ordner);
    fs::create_directories(ordner);
    for (const auto& e : fs::directory_iterator(quelle))
        if (e.path().filename() != "stadion_sound.res")
            fs::create_symlink(fs::absolute(e.path()), ordner + "/" + e.path().filename().string());
    std::ifstream in(quelle + "/stadion_sound.res", std::ios::binary);
    std::vector<char> d((std::istreambuf_iterator<char>(in)), {});
    u32 verzeichnis, offset;
    std::memcpy(&verzeichnis, &d[8], 4);
    std::memcpy(&offset, &d[verzeichnis + 8 * static_cast<u32>(eintrag) + 4], 4);
    std::memcpy(&d[offset + 4], "XXXX", 4);  // "RIFF"
    std::ofstream(ordner + "/stadion_sound.res", std::ios::binary)
        .write(d.data(), static_cast<std::streamsize>(d.size()));
    return ordner;
}

TEST_F(StadionTon, DamagedSampleStopsTheStartCleanly) {
    const std::string alt = W32_Dir_Tabelle[W32_DIR_RESFILE];
    for (int eintrag : {5, 26}) {  // a general sample, a crowd sample
        Resf_Free();
        std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s", kaputtes_archiv(alt, eintrag).c_str());
        ASSERT_EQ(Resf_Init(), 1);
        kit::Meldungen_Leeren();
        EXPECT_FALSE(Spielansicht_Sound_Starten()) << eintrag;
        ASSERT_EQ(kit::Meldungen().size(), 1u);
        EXPECT_NE(kit::Meldungen()[0].find("Stadionklang " + std::to_string(eintrag)), std::string::npos);
        // The live view's start fails with it, nothing of it kept.
        Spielfeld_Daten sf{};
        Spielfeld_Daten* liste[1] = {&sf};
        Spielfeld_Steuerung st{};
        EXPECT_FALSE(Spielansicht_Run(liste, 1, &st, 0));
        EXPECT_EQ(Spielansicht_Laufzustand(), 2u);
        EXPECT_EQ(Spielansicht_Views()[0].pitch, nullptr);
        EXPECT_EQ(Spielansicht_Sound_Set(), -1);
        for (int i = 0; i < SA_SAMPLES; ++i) EXPECT_EQ(Spielansicht_Sound_Slot(i), nullptr) << eintrag << ": " << i;
        Spielansicht_Free();
        while (kit::Requester_Offen()) kit::Requester_Antworten(true);
    }
    Resf_Free();
    std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s", alt.c_str());
    ASSERT_EQ(Resf_Init(), 1);
    EXPECT_TRUE(Spielansicht_Sound_Starten());
}

// 22,050 Hz mono, at least 150 ms, peak between -12 and -6 dBFS, heard; the
// crowd's loops 8 s, never silent for 10 ms, their end meeting their start
// as neighbouring samples meet.
TEST_F(StadionTon, ShippedSoundsMeasure) {
    const i32 archiv = Resf_Spiel_Slot(20);
    ASSERT_EQ(Resf_Anzahl(archiv), SA_SAMPLES);
    for (int e = 0; e < SA_SAMPLES; ++e) {
        std::vector<u8> blob;
        Ton_Pcm pcm;
        std::string fehler;
        ASSERT_TRUE(Resf_Lade_Blob(archiv, e, blob) && Ton_Wav_Lesen(blob.data(), blob.size(), pcm, &fehler)) << e;
        EXPECT_TRUE(pcm.kanaele == 1 && pcm.rate == 22050u) << e;
        const size_t n = pcm.frames();
        i32 spitze = 0;
        double summe = 0, schritte = 0;
        for (size_t i = 0; i < n; ++i) {
            spitze = std::max(spitze, std::abs(static_cast<i32>(pcm.pcm[i])));
            summe += double(pcm.pcm[i]) * pcm.pcm[i];
            if (i) schritte += std::abs(pcm.pcm[i] - pcm.pcm[i - 1]);
        }
        EXPECT_GE(n, 22050u * 15 / 100) << e;
        EXPECT_TRUE(spitze >= 8000 && spitze <= 16500) << e << ": peak " << spitze;
        EXPECT_GE(std::sqrt(summe / double(n)), 600.0) << e;
        if (e < 17 || e > 22) continue;
        EXPECT_EQ(n, 22050u * 8) << e;
        for (size_t a = 0; a + 220 <= n; a += 220)
            ASSERT_GT(*std::max_element(pcm.pcm.begin() + long(a), pcm.pcm.begin() + long(a + 220)), 100)
                << e << " at " << a;
        EXPECT_LT(std::abs(pcm.pcm[0] - pcm.pcm[n - 1]), 4 * schritte / double(n)) << e << ": the loop jumps";
    }
}

}  // namespace

// The stadium's sounds on the game's own mixer without a device: what runs
// after the start (the crowd's background loop), the crowd sounds, reactions
// and panned samples at their volumes, the crowd sets, the end, a damaged
// sample refused, and what the shipped sounds measure (length, level, loops
// that join, no dead silence).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/bytes.h"
#include "base/files.h"
#include "base/globals.h"
#include "base/random.h"
#include "graphics/mixer.h"
#include "graphics/resf.h"
#include "graphics/sound.h"
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

void alles_stoppen() {
    for (i32 k = 0; k < MIXER_KANAELE; ++k) Mixer_Stop(k);
}

// What a sample last played with: running, volume, pan, looped.
struct Spiel {
    bool laeuft;
    int lautstaerke, pan;
    bool loop;
    bool operator==(const Spiel&) const = default;
};
std::ostream& operator<<(std::ostream& o, const Spiel& s) {
    return o << (s.laeuft ? "runs" : "silent") << " vol " << s.lautstaerke << " pan " << s.pan << (s.loop ? " loop" : "");
}
Spiel spiel(int index) {
    const Sound_Slot* s = Spielansicht_Sound_Slot(index);
    if (!s) return {false, -1, -1, false};
    return {Sound_Laeuft(s), s->lautstaerke, s->pan, s->loop != 0};
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

TEST_F(StadionTon, StartLoadsEverySampleAndTheBackgroundLoops) {
    ASSERT_TRUE(Spielansicht_Sound_Starten());
    EXPECT_EQ(Spielansicht_Sound_Set(), 0);
    for (int i = 0; i < SA_SAMPLES; ++i) EXPECT_NE(Spielansicht_Sound_Slot(i), nullptr) << i;
    // The engine reaches the crowd through its hooks as the program installs them.
    EXPECT_EQ(Spielfeld_Get_Hooks().sound_stadion, &Spielansicht_Sound_Stadion);
    EXPECT_EQ(Spielfeld_Get_Hooks().sound_reaktion, &Spielansicht_Sound_Reaktion);
    EXPECT_EQ(Spielfeld_Get_Hooks().sound_stereo, &Spielansicht_Sound_Stereo);
    // Group 0, variant 0 at step 0: sample 17 (entry 17) looped at 255 - 40.
    EXPECT_EQ(spiel(17), (Spiel{true, 215, 128, true}));
    EXPECT_EQ(Spielansicht_Sound_Eintrag(17), 17);
    EXPECT_EQ(laufende_kanaele(), 1);
    // A second request for the running loop plays nothing, nor does one to play it once.
    Spielansicht_Sound_Stadion(0, 1, 4, 0);
    Spielansicht_Sound_Stadion(0, 0, 4, 0);
    EXPECT_EQ(laufende_kanaele(), 1);
    EXPECT_EQ(spiel(17), (Spiel{true, 215, 128, true}));
    // The crowd is heard: the mixer's output is far from silence.
    std::vector<i16> aus(2 * 22050);
    Mixer_Mischen(aus.data(), 22050);
    double summe = 0;
    for (i16 v : aus) summe += static_cast<double>(v) * v;
    EXPECT_GT(std::sqrt(summe / static_cast<double>(aus.size())), 300.0);
}

TEST_F(StadionTon, CrowdSoundsByGroupStepAndVariant) {
    ASSERT_TRUE(Spielansicht_Sound_Starten());
    const struct Fall {
        int gruppe, schleife, stufe, variante;
        int sample;  // the sample that plays
        Spiel soll;
    } faelle[] = {
        {1, 1, 4, 0, 19, {true, 255, 128, true}},   // a loud loop at the table volume
        {1, 1, 2, 2, 31, {true, 235, 128, true}},   // the first chant, two steps down
        {2, 1, 4, 0, 24, {true, 128, 128, false}},  // cannot loop: plays once
        {6, 0, 4, 1, 27, {true, 210, 128, false}},  // the away side's goal roar
        {6, 0, 0, 2, 34, {true, 215, 128, false}},
        {7, 0, 9, 1, 30, {true, 230, 128, false}},  // a step above 4 counts as 4
        {4, 0, -3, 1, 29, {true, 215, 128, false}}, // below 0 as 0
    };
    for (const Fall& f : faelle) {
        alles_stoppen();
        Spielansicht_Sound_Stadion(f.gruppe, f.schleife, f.stufe, f.variante);
        EXPECT_EQ(spiel(f.sample), f.soll) << "group " << f.gruppe << " variant " << f.variante;
        EXPECT_EQ(laufende_kanaele(), 1) << "group " << f.gruppe;
    }
    // A variant the group lacks, or one outside 0..5, is drawn from the group's own.
    for (int variante : {3, 6, -1}) {
        alles_stoppen();
        Spielansicht_Sound_Stadion(8, 0, 4, variante);
        EXPECT_TRUE(spiel(33).laeuft) << variante;
        alles_stoppen();
        Spielansicht_Sound_Stadion(5, 0, 4, variante);
        EXPECT_TRUE(spiel(25).laeuft) << variante;
    }
    // An unknown group plays nothing.
    alles_stoppen();
    for (int gruppe : {-1, 9, 100}) Spielansicht_Sound_Stadion(gruppe, 0, 4, 0);
    EXPECT_EQ(laufende_kanaele(), 0);
}

TEST_F(StadionTon, ReactionsPlayTwoSamples) {
    ASSERT_TRUE(Spielansicht_Sound_Starten());
    const struct Fall {
        int art, stufe;
        int erstes;
        int erstes_lautstaerke;
        int zweites;
        int zweites_lautstaerke;
    } faelle[] = {
        {0, 4, 28, 200, 24, 128},  // entries 31 and 27
        {1, 2, 30, 210, 22, 255},  // with set 0 the second of group 7's variants, heard
        {2, 0, 25, 160, 24, 128},
        {3, 4, 25, 200, 22, 255},
        {4, 1, 34, 225, 24, 128},  // the engine's chance: kind 4, steps 1..4
        {4, 7, 34, 255, 24, 128},
    };
    for (const Fall& f : faelle) {
        alles_stoppen();
        Spielansicht_Sound_Reaktion(f.art, f.stufe);
        EXPECT_EQ(laufende_kanaele(), 2) << "kind " << f.art;
        EXPECT_EQ(spiel(f.erstes), (Spiel{true, f.erstes_lautstaerke, 128, false})) << "kind " << f.art;
        EXPECT_EQ(spiel(f.zweites), (Spiel{true, f.zweites_lautstaerke, 128, false})) << "kind " << f.art;
    }
    alles_stoppen();
    Spielansicht_Sound_Reaktion(5, 4);
    Spielansicht_Sound_Reaktion(-1, 4);
    EXPECT_EQ(laufende_kanaele(), 0);
}

TEST_F(StadionTon, PannedSamples) {
    ASSERT_TRUE(Spielansicht_Sound_Starten());
    const struct {
        int index, a, b;
        Spiel soll;
    } faelle[] = {
        {14, 100, 100, {true, 50, 128, false}},  // entry 16 at the centre
        {0, 105, 100, {true, 220, 203, false}},
        {3, 90, 100, {true, 100, 0, false}},  // beyond the left edge: full left
        {8, 130, 100, {true, 200, 255, false}},
    };
    for (const auto& f : faelle) {
        alles_stoppen();
        Spielansicht_Sound_Stereo(f.index, f.a, f.b);
        EXPECT_EQ(spiel(f.index), f.soll) << f.index;
    }
    alles_stoppen();
    for (int index : {-1, 35, 1000}) Spielansicht_Sound_Stereo(index, 0, 0);
    EXPECT_EQ(laufende_kanaele(), 0);
    EXPECT_EQ(Spielansicht_Sound_Eintrag(14), 16);
    EXPECT_EQ(Spielansicht_Sound_Eintrag(15), 14);
}

TEST_F(StadionTon, CrowdSetsAndTheEnd) {
    ASSERT_TRUE(Spielansicht_Sound_Starten());
    const Sound_Slot* allgemein = Spielansicht_Sound_Slot(0);
    // Set 1: set 0's samples go, set 1's come and its background loops.
    ASSERT_TRUE(Spielansicht_Sound_Set_Laden(1));
    EXPECT_EQ(Spielansicht_Sound_Set(), 1);
    EXPECT_EQ(spiel(17), (Spiel{true, 215, 128, true}));
    EXPECT_EQ(laufende_kanaele(), 1) << "the old set's loop ended with it";
    EXPECT_EQ(Spielansicht_Sound_Slot(0), allgemein) << "the general samples stay";
    // Asking for the current set changes nothing; an unknown set counts as 0.
    const Sound_Slot* hintergrund = Spielansicht_Sound_Slot(17);
    ASSERT_TRUE(Spielansicht_Sound_Set_Laden(1));
    EXPECT_EQ(Spielansicht_Sound_Slot(17), hintergrund);
    ASSERT_TRUE(Spielansicht_Sound_Set_Laden(9));
    EXPECT_EQ(Spielansicht_Sound_Set(), 0);
    // Freeing the set silences the crowd; nothing plays without a set.
    Spielansicht_Sound_Free();
    EXPECT_EQ(Spielansicht_Sound_Set(), -1);
    EXPECT_EQ(laufende_kanaele(), 0);
    for (int i = SA_SAMPLES_ALLGEMEIN; i < SA_SAMPLES; ++i) EXPECT_EQ(Spielansicht_Sound_Slot(i), nullptr) << i;
    Spielansicht_Sound_Stadion(1, 1, 4, 0);
    Spielansicht_Sound_Reaktion(0, 4);
    Spielansicht_Sound_Stereo(14, 0, 0);
    EXPECT_EQ(laufende_kanaele(), 0);
    Spielansicht_Sound_Beenden();
    for (int i = 0; i < SA_SAMPLES; ++i) EXPECT_EQ(Spielansicht_Sound_Slot(i), nullptr) << i;
    // Twenty starts and ends leave no sound slot taken.
    for (int n = 0; n < 20; ++n) {
        ASSERT_TRUE(Spielansicht_Sound_Starten());
        Spielansicht_Sound_Beenden();
    }
    int belegt = 0;
    while (Sound_Slot_Neu()) ++belegt;
    Sound_Free_All();
    EXPECT_EQ(belegt, SOUND_SLOTS);
}

TEST_F(StadionTon, CrowdMoodFollowsAttendanceExcitementAndMinute) {
    ASSERT_TRUE(Spielansicht_Sound_Starten());
    Spielfeld_Daten sf{};
    sf.fokus = 1;
    // Frame by frame; each row changes the pitch, then what should run.
    const struct Fall {
        u32 zuschauer;
        i16 minute;
        i32 aufregung_gast;
        i8 tore_gast;
        u8 fokus;
        int hintergrund;  // volume of the background loop (sample 17)
        int laut, gesang;  // the loud loop and the chant that run, -1 none
    } faelle[] = {
        {25000, 1, 0, 0, 1, 235, -1, -1},    // step 2
        {25000, 3, 0, 0, 1, 235, -1, 31},    // the fans sing in minutes 3..5
        {25000, 3, 100, 1, 1, 235, 20, -1},  // the away side scored: loud, the song breaks off
        {25000, 4, 40, 1, 1, 235, 20, -1},   // still excited
        {25000, 4, 10, 1, 1, 235, -1, 31},   // calm again: the song comes back
        {25000, 13, 10, 1, 1, 235, -1, 32},  // the next ten minutes the other song
        {25000, 17, 10, 1, 1, 235, -1, -1},
        {60000, 17, 10, 1, 1, 255, -1, -1},  // a full house
        {0, 3, 100, 1, 0, 255, -1, -1},      // another match focused: this one leaves the crowd alone
    };
    for (const Fall& f : faelle) {
        sf.zuschauer = f.zuschauer, sf.minute = f.minute, sf.seite[1].aufregung = f.aufregung_gast;
        sf.tore[1] = f.tore_gast, sf.fokus = f.fokus;
        Spielansicht_Sound_Stimmung(&sf);
        EXPECT_EQ(spiel(17), (Spiel{true, f.hintergrund, 128, true})) << "minute " << f.minute;
        for (int i : {19, 20, 31, 32}) {
            const bool soll = i == f.laut || i == f.gesang;
            EXPECT_EQ(Spielansicht_Sound_Spielt(i), soll) << "minute " << f.minute << ", sample " << i;
            EXPECT_EQ(spiel(i).laeuft, soll) << "minute " << f.minute << ", sample " << i;
        }
    }
    const struct {
        u32 zuschauer;
        int stufe;
    } stufen[] = {{0, 0}, {9999, 0}, {10000, 1}, {39999, 3}, {40000, 4}, {4000000000u, 4}};
    for (const auto& s : stufen) EXPECT_EQ(Spielansicht_Sound_Stufe(s.zuschauer), s.stufe) << s.zuschauer;
}

TEST_F(StadionTon, WithoutSoundEveryPlayIsNothing) {
    Sound_Close();
    ASSERT_TRUE(Spielansicht_Sound_Starten()) << "no sound is not a failure";
    EXPECT_EQ(Spielansicht_Sound_Slot(17), nullptr);
    Spielansicht_Sound_Stadion(0, 1, 4, 0);
    Spielansicht_Sound_Reaktion(0, 4);
    Spielansicht_Sound_Stereo(14, 0, 0);
    EXPECT_TRUE(kit::Meldungen().empty());
}

// The shipped archive with one entry damaged, in a resfile folder of the
// test's own (the other archives linked).
std::string kaputtes_archiv(const std::string& quelle, int eintrag) {
    namespace fs = std::filesystem;
    const std::string ordner = kit::Ordner() + "/resfile_kaputt";
    fs::create_directories(ordner);
    for (const auto& e : fs::directory_iterator(quelle))
        if (e.path().filename() != "stadion_sound.res")
            fs::create_symlink(fs::absolute(e.path()), ordner + "/" + e.path().filename().string());
    std::ifstream in(quelle + "/stadion_sound.res", std::ios::binary);
    std::vector<u8> d((std::istreambuf_iterator<char>(in)), {});
    u32 anzahl, verzeichnis, offset;
    std::memcpy(&anzahl, &d[4], 4);
    std::memcpy(&verzeichnis, &d[8], 4);
    std::memcpy(&offset, &d[verzeichnis + 8 * static_cast<u32>(eintrag) + 4], 4);
    std::memcpy(&d[offset + 4], "XXXX", 4);  // "RIFF" of the WAV file
    std::ofstream(ordner + "/stadion_sound.res", std::ios::binary).write(reinterpret_cast<const char*>(d.data()),
                                                                          static_cast<std::streamsize>(d.size()));
    return ordner;
}

TEST_F(StadionTon, DamagedSampleStopsTheStartCleanly) {
    const std::string alt = W32_Dir_Tabelle[W32_DIR_RESFILE];
    const struct {
        int eintrag;  // damaged: a general sample, a crowd sample
    } faelle[] = {{5}, {26}};
    for (const auto& f : faelle) {
        Resf_Free();
        std::filesystem::remove_all(kit::Ordner() + "/resfile_kaputt");
        const std::string ordner = kaputtes_archiv(alt, f.eintrag);
        std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s", ordner.c_str());
        ASSERT_EQ(Resf_Init(), 1);
        kit::Meldungen_Leeren();
        EXPECT_FALSE(Spielansicht_Sound_Starten()) << f.eintrag;
        for (int i = 0; i < SA_SAMPLES; ++i) EXPECT_EQ(Spielansicht_Sound_Slot(i), nullptr) << i;
        EXPECT_EQ(Spielansicht_Sound_Set(), -1);
        ASSERT_EQ(kit::Meldungen().size(), 1u);
        EXPECT_NE(kit::Meldungen()[0].find("Stadionklang " + std::to_string(f.eintrag)), std::string::npos)
            << kit::Meldungen()[0];
        // The live view's start fails with it, and nothing of it stays.
        Spielfeld_Daten sf{};
        Spielfeld_Daten* liste[1] = {&sf};
        Spielfeld_Steuerung st{};
        EXPECT_FALSE(Spielansicht_Run(liste, 1, &st, 0));
        EXPECT_EQ(Spielansicht_Laufzustand(), 2u);
        EXPECT_EQ(Spielansicht_Views()[0].pitch, nullptr);
        for (int i = 0; i < SA_SAMPLES; ++i) EXPECT_EQ(Spielansicht_Sound_Slot(i), nullptr) << i;
        Spielansicht_Free();
        while (!kit::Meldungen().empty() && kit::Requester_Offen()) kit::Requester_Antworten(true);
    }
    Resf_Free();
    std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s", alt.c_str());
    ASSERT_EQ(Resf_Init(), 1);
    EXPECT_TRUE(Spielansicht_Sound_Starten());
}

// The shipped sounds by their figures: 22,050 Hz mono, the length the
// manifest gives, a peak at -6 dBFS or below but well above silence, and
// the crowd's loops joining without a jump and without dead silence.
TEST_F(StadionTon, ShippedSoundsMeasure) {
    const i32 archiv = Resf_Spiel_Slot(20);
    ASSERT_GE(archiv, 0);
    ASSERT_EQ(Resf_Anzahl(archiv), SA_SAMPLES);
    for (int e = 0; e < SA_SAMPLES; ++e) {
        std::vector<u8> blob;
        ASSERT_TRUE(Resf_Lade_Blob(archiv, e, blob)) << e;
        Ton_Pcm pcm;
        std::string fehler;
        ASSERT_TRUE(Ton_Wav_Lesen(blob.data(), blob.size(), pcm, &fehler)) << e << ": " << fehler;
        EXPECT_EQ(pcm.kanaele, 1);
        EXPECT_EQ(pcm.rate, 22050u);
        const size_t n = pcm.frames();
        const bool schleife = e >= 17 && e <= 22;
        EXPECT_GE(n, 22050u * 15 / 100) << e;  // at least 150 ms
        if (schleife) {
            EXPECT_EQ(n, 22050u * 8) << e;
        }
        i32 spitze = 0;
        double summe = 0;
        for (i16 v : pcm.pcm) spitze = std::max(spitze, std::abs(static_cast<i32>(v))), summe += double(v) * v;
        const double rms = std::sqrt(summe / static_cast<double>(n));
        EXPECT_LE(spitze, 16500) << e;  // -6 dBFS
        EXPECT_GE(spitze, 8000) << e;
        EXPECT_GE(rms, 600.0) << e;  // -35 dBFS: heard
        if (!schleife) continue;
        // No 10 ms without sound, and the end meets the start as neighbours meet.
        for (size_t a = 0; a + 220 <= n; a += 220) {
            i32 m = 0;
            for (size_t i = a; i < a + 220; ++i) m = std::max(m, std::abs(static_cast<i32>(pcm.pcm[i])));
            ASSERT_GT(m, 100) << e << " silent at " << a;
        }
        double schritte = 0;
        for (size_t i = 1; i < n; ++i) schritte += std::abs(pcm.pcm[i] - pcm.pcm[i - 1]);
        const double naht = std::abs(pcm.pcm[0] - pcm.pcm[n - 1]);
        EXPECT_LT(naht, 4 * schritte / static_cast<double>(n)) << e << ": the loop jumps";
    }
}

}  // namespace

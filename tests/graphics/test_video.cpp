// Blob containers (plain and scrambled) and videos played from them on a
// clock of the test's own; the videos the build generates.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "base/bytes.h"
#include "base/files.h"
#include "base/settings.h"
#include "graphics/container.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "graphics/video.h"

namespace {

u32 uhr = 0;

std::vector<u8> container(const char* kennung, const std::vector<std::vector<u8>>& eintraege, bool verschluesseln) {
    std::vector<u8> d(kennung, kennung + 3);
    bytes::Schreiber s{d};
    s(static_cast<u16>(eintraege.size()));
    u32 off = 5 + 4 * static_cast<u32>(eintraege.size() + 1);
    for (const auto& e : eintraege) s(off), off += static_cast<u32>(e.size());
    s(off);
    for (const auto& e : eintraege)
        for (u8 b : e) d.push_back(verschluesseln ? static_cast<u8>(b ^ RES_SCHLUESSEL) : b);
    return d;
}

// Frame k (1-based) of the test video: every pixel carries k and its place.
constexpr i32 W = 8, H = 6, FRAMES = 4;
u16 pixel_von(i32 k, i32 i) { return static_cast<u16>(k * 1000 + i); }

class Video : public ::testing::Test {
  protected:
    std::filesystem::path ordner =
        std::filesystem::temp_directory_path() / ("kordavo_vid_" + std::to_string(::getpid()));
    void schreiben(const char* name, const std::vector<u8>& d) {
        std::ofstream(ordner / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(d.data()), static_cast<std::streamsize>(d.size()));
    }
    void SetUp() override {
        std::filesystem::create_directories(ordner);
        setenv("KORDAVO_CONFIG_DIR", ordner.c_str(), 1);
        Settings_Neu_Laden();
        std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s", ordner.c_str());
        std::vector<std::vector<u16>> frames;
        for (i32 k = 1; k <= FRAMES; ++k) {
            frames.emplace_back(W * H);
            for (i32 i = 0; i < W * H; ++i) frames.back()[static_cast<size_t>(i)] = pixel_von(k, i);
        }
        // 10 frames a second, a key frame every third frame.
        schreiben("animationen.res", container("HRF", {{1, 2, 3}, Vid_Schreiben(W, H, 10, 1, frames, 3)}, false));
        uhr = 0;
        Video_Set_Hooks({.uhr = [] { return uhr; }});
        ASSERT_TRUE(Bink_InitBink(800, 600, 0, nullptr, 16));
    }
    void TearDown() override {
        Bnk_Alle_Freigeben();
        std::filesystem::remove_all(ordner);
    }
    // One display frame at time t: the buffer is cleared, the videos drawn.
    std::vector<u16> bild(u32 t) {
        uhr = t;
        std::vector<u16> b(20 * 10, 0);
        Bnk_Frame_Alle(b.data(), 40, 10);
        return b;
    }
    // The frame the video shows at (3, 2) in the buffer, 0 for none.
    static i32 gezeigt(const std::vector<u16>& b) {
        const u16 p = b[2 * 20 + 3];
        if (p == 0) return 0;
        for (i32 i = 0; i < W * H; ++i)
            if (b[static_cast<size_t>((2 + i / W) * 20 + 3 + i % W)] != static_cast<u16>(p - p % 1000 + i)) return -1;
        return p / 1000;
    }
};

TEST_F(Video, ContainerKlarUndVerschluesselt) {
    const std::vector<u8> a = {'B', 'I', 'K', 9}, b = {7, 8};
    schreiben("eins.res", container("HRF", {a}, false));
    schreiben("zwei.res", container("HCF", {b, a}, true));
    W32_Handle h = Res_OpenFile("eins.res");
    Res_Resource r = Res_ReadResource(h, 0, RES_MODUS_SPEICHER);
    ASSERT_TRUE(r.adresse);
    EXPECT_EQ(r.typ, RES_TYP_VIDEO);
    EXPECT_EQ(std::vector<u8>(Res_Daten(r), Res_Daten(r) + r.groesse), a);
    Res_FreeResource(r);
    EXPECT_EQ(r.adresse, 0u);
    EXPECT_EQ(Res_ReadResource(h, 1, RES_MODUS_SPEICHER).adresse, 0u);  // past the count
    EXPECT_EQ(Res_ReadResource(h, -1, RES_MODUS_SPEICHER).adresse, 0u);
    Res_CloseFile(h);
    h = Res_OpenFile("zwei.res");
    r = Res_ReadResource(h, 0, RES_MODUS_SPEICHER);
    EXPECT_TRUE(Res_Verschluesselt());
    EXPECT_EQ(std::vector<u8>(Res_Daten(r), Res_Daten(r) + r.groesse), b);
    EXPECT_EQ(r.typ, RES_TYP_DATEN);
    Res_FreeResource(r);
    // A handle read is positioned at the stored bytes, not descrambled.
    r = Res_ReadResource(h, 1, RES_MODUS_HANDLE);
    u8 erstes = 0;
    ASSERT_EQ(W32_File_Read(&erstes, 1, 1, Res_Handle(r)), 1u);
    EXPECT_EQ(erstes, 'B' ^ RES_SCHLUESSEL);
    Res_FreeResource(r);
    // Damage: another magic, count 0, offsets past the end or backwards.
    std::vector<u8> falsch = container("HRF", {a, b}, false);
    const std::vector<std::pair<size_t, u8>> schaeden = {{0, 'X'}, {3, 0}, {9, 0xFF}, {9, 0}};
    for (auto [pos, wert] : schaeden) {
        std::vector<u8> d = falsch;
        d[pos] = wert;
        if (pos == 3) d[4] = 0;
        schreiben("kaputt.res", d);
        h = Res_OpenFile("kaputt.res");
        EXPECT_EQ(Res_ReadResource(h, 0, RES_MODUS_SPEICHER).adresse, 0u) << pos;
        Res_CloseFile(h);
    }
    EXPECT_LT(Res_OpenFile("fehlt.res"), 0);
}

TEST_F(Video, OeffnetPausiertUndSpieltNachUhr) {
    Bnk_Video* v = Bnk_InitV(1, "animationen.res", 1, 0, 3, 2, BNK_AUS_CONTAINER, "test", true);
    ASSERT_TRUE(v);
    char wert[64] = {};
    ASSERT_TRUE(W32_Registry_Read("res_27", wert, sizeof wert));
    EXPECT_STREQ(wert, "animationen.res");
    EXPECT_EQ(v->breite, W);
    EXPECT_EQ(gezeigt(bild(500)), 0);  // opened paused: nothing drawn
    Bnk_PauseV(v, 0);
    // Frame k is shown from (k - 1) * 100 ms on; 12 ms of slack on each side.
    const std::pair<u32, i32> ablauf[] = {{500, 1}, {588, 1}, {600, 2}, {650, 2}, {700, 3}, {799, 3}, {800, 4}};
    for (auto [t, k] : ablauf) EXPECT_EQ(gezeigt(bild(t)), k) << t;
    // Loop count 1: it rests paused on its last frame.
    EXPECT_EQ(gezeigt(bild(900)), 0);
    EXPECT_EQ(Bnk_Get_FrameV(v), FRAMES);
    EXPECT_TRUE(Bnk_LaeuftV(v));
    Bnk_RelV(v);
    EXPECT_EQ(Bnk_Get_FrameV(v), -1);
}

TEST_F(Video, EndlosZumNeustartFrameUndPauseHaeltDieUhrAn) {
    Bnk_Video* v = Bnk_InitV(1, "animationen.res", 0, 1, 3, 2, BNK_AUS_CONTAINER, "endlos", false);
    ASSERT_TRUE(v);
    Bnk_PauseV(v, 0);
    for (auto [t, k] :
         std::vector<std::pair<u32, i32>>{{0, 1}, {100, 2}, {200, 3}, {300, 4}, {400, 2}, {500, 3}, {600, 4}, {700, 2}})
        EXPECT_EQ(gezeigt(bild(t)), k) << t;
    // Paused for ten seconds, the video goes on where it stood.
    Bnk_Pause_Alle(1);
    EXPECT_EQ(gezeigt(bild(5000)), 0);
    uhr = 10750;
    Bnk_Pause_Alle(0);
    EXPECT_EQ(gezeigt(bild(10750)), 2);
    EXPECT_EQ(gezeigt(bild(10850)), 3);
    Bnk_StopV(v);
    EXPECT_FALSE(Bnk_LaeuftV(v));
    EXPECT_EQ(Bnk_Get_FrameV(v), 1);
    EXPECT_EQ(Bnk_GotoV(v, 3), 3);
}

// A clip opened again from the same place of the same file is not read
// again (bytes changed in its middle since are not seen until the kept
// clips are dropped); another clip there (another size, head or tail) is
// read anew.
TEST_F(Video, EinWiederGeoeffneterClipWirdNichtNeuGelesen) {
    Vid_Gelesene_Freigeben();
    const auto zeigt = [this](i32 versatz) {
        Bnk_Video* v = Bnk_InitV(1, "animationen.res", 1, 0, 3, 2, BNK_AUS_CONTAINER, "wieder", false);
        if (!v) return -2;
        Bnk_PauseV(v, 0);
        const i32 k = gezeigt(bild(uhr + 1000 * static_cast<u32>(versatz + 1)));
        Bnk_RelV(v);
        return k;
    };
    EXPECT_EQ(zeigt(0), 1);
    // Frame 1 damaged in the file; size, head and tail as they were.
    std::vector<std::vector<u16>> frames;
    for (i32 k = 1; k <= FRAMES; ++k) {
        frames.emplace_back(W * H);
        for (i32 i = 0; i < W * H; ++i) frames.back()[static_cast<size_t>(i)] = pixel_von(k, i);
    }
    std::vector<u8> vid = Vid_Schreiben(W, H, 10, 1, frames, 3);
    const u32 erstes = vid[KVID_KOPF] | vid[KVID_KOPF + 1] << 8 | vid[KVID_KOPF + 2] << 16 | vid[KVID_KOPF + 3] << 24;
    ASSERT_LT(erstes + 8, vid.size() - 64);
    vid[erstes + 7] ^= 0x5A;
    schreiben("animationen.res", container("HRF", {{1, 2, 3}, vid}, false));
    EXPECT_EQ(zeigt(1), 1) << "the kept bytes";
    Vid_Gelesene_Freigeben();
    EXPECT_NE(zeigt(2), 1) << "read anew: the damaged frame";
    // Another clip in its place.
    for (auto& f : frames)
        for (u16& p : f) p = static_cast<u16>(p + 5000);
    schreiben("animationen.res", container("HRF", {{1, 2, 3}, Vid_Schreiben(W, H, 10, 1, frames, 3)}, false));
    EXPECT_EQ(zeigt(3), 6);
}

TEST_F(Video, KaputteVideosWerdenAbgelehnt) {
    std::vector<std::vector<u16>> frames(2, std::vector<u16>(W * H, 5));
    const std::vector<u8> gut = Vid_Schreiben(W, H, 10, 1, frames);
    // Damaged heads are the fuzz target's; a cut head is refused with its reason.
    std::string fehler;
    EXPECT_FALSE(Vid_Oeffnen(gut.data(), 40, &fehler));
    EXPECT_FALSE(fehler.empty());
    // A frame offset near 2^32 whose frame header would wrap past the next
    // offset is refused (it was once taken and read far outside the data).
    std::vector<u8> weit = gut;
    for (int k = 0; k < 4; ++k) weit[KVID_KOPF + 4 + k] = k ? 0xFF : 0xFE;
    EXPECT_FALSE(Vid_Oeffnen(weit.data(), weit.size(), &fehler));
    // A damaged frame: the buffer is kept, nothing is drawn from it.
    std::vector<u8> d = gut;
    d[d.size() - 3] ^= 0x55;
    Vid_Zeiger f = Vid_Oeffnen(d.data(), d.size(), &fehler);
    ASSERT_TRUE(f);
    EXPECT_TRUE(Vid_Dekodieren(f.get()));
    Vid_Goto(f.get(), 2, false);
    EXPECT_FALSE(Vid_Dekodieren(f.get()));
    // A container entry that is no video leaves the slot free.
    EXPECT_EQ(Bnk_InitV(0, "animationen.res", 1, 0, 0, 0, BNK_AUS_CONTAINER, "kein", false), nullptr);
    EXPECT_EQ(Bnk_InitV(5, "animationen.res", 1, 0, 0, 0, BNK_AUS_CONTAINER, "fehlt", false), nullptr);
}

// The videos the build writes: every entry opens and plays to its end. The
// menu's clips (59..68, shown at (200, 100) over the menu's picture) leave
// their outer pixels as the picture has them in every frame: no seam.
TEST(Spielvideos, AlleOeffnenUndLaufen) {
    const char* spiel = std::getenv("KORDAVO_GAME_DIR");
    ASSERT_TRUE(spiel && *spiel);
    std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s/resfile", spiel);
    const i32 menue = Resf_Oeffnen((std::string(spiel) + "/resfile/menue_res.res").c_str(), 0);
    Rastport_Bild bild(Resf_Lade_Rastport(menue, 0));
    Resf_Schliessen(menue);
    ASSERT_TRUE(bild && bild->breite == 800 && bild->hoehe == 600);
    ASSERT_EQ(Rastport_Lock(bild.get()), 1);
    const W32_Handle h = Res_OpenFile("animationen.res");
    ASSERT_GE(h, 0);
    i32 n = 0;
    for (;; ++n) {
        Res_Resource r = Res_ReadResource(h, n, RES_MODUS_SPEICHER);
        if (!r.adresse) break;
        std::string fehler;
        Vid_Zeiger f = Vid_Oeffnen(Res_Daten(r), r.groesse, &fehler);
        ASSERT_TRUE(f) << n << ": " << fehler;
        for (i32 k = 1; k <= Vid_Frames(f.get()); ++k) {
            Vid_Goto(f.get(), k, false);
            ASSERT_TRUE(Vid_Dekodieren(f.get())) << n << " " << k;
            if (n < 59 || n > 68) continue;
            const i32 w = Vid_Breite(f.get()), hh = Vid_Hoehe(f.get());
            for (i32 y = 0; y < hh; ++y)
                for (i32 x = 0; x < w; ++x) {
                    if (y >= 4 && y < hh - 4 && x == 4) x = w - 4;  // the outer four pixels only
                    ASSERT_EQ(Vid_Pixel(f.get())[y * w + x], bild->bitmap->pixel16()[(100 + y) * 800 + 200 + x])
                        << n << " frame " << k << " at " << x << "," << y;
                }
        }
        Res_FreeResource(r);
    }
    Res_CloseFile(h);
    EXPECT_GE(n, 78);
}

}  // namespace

// Save games: round trip of registered blocks, refused damage of every kind
// with the running state untouched, atomic saving, slots, descriptions and
// the configuration cache.
#include <gtest/gtest.h>

#include <unistd.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "base/random.h"
#include "base/settings.h"
#include "base/spielstand.h"
#include "base_test_util.h"

namespace fs = std::filesystem;

namespace {

auto& g_meldungen = Meldungen::liste;
const auto lesen = Bytes_Lesen;
const auto schreiben = Bytes_Schreiben;

// A test module: its running state is a byte array; it reads into staging.
template <int N>
struct Testblock {
    static inline Bytes live, staging;
    static inline bool ablehnen = false, zu_wenig_lesen = false, schreibfehler = false;
    static inline int verworfen = 0, uebernommen = 0;

    static bool schreiben(Datei_Status* d) {
        if (schreibfehler) return false;
        u8 n[4];
        put_u32le(n, static_cast<u32>(live.size()));
        return Datei_Schreiben(d, n, 4) && Datei_Schreiben_Gepackt(d, live.data(), static_cast<u32>(live.size()));
    }
    static bool lesen(Datei_Status* d) {
        u8 n[4];
        if (Datei_Lesen(d, n, 4) != 4) return false;
        u32 len = get_u32le(n);
        if (len > (64u << 20)) return false;
        staging.assign(len, 0);
        if (zu_wenig_lesen) return true;  // leaves the packed data unread
        if (Datei_Lesen_Gepackt(d, staging.data(), len) != len) return false;
        return !ablehnen;
    }
    static void uebernehmen() {
        live.swap(staging);
        staging.clear();
        ++uebernommen;
    }
    static void verwerfen() {
        staging.clear();
        ++verworfen;
    }
    static Spielstand_Modul modul() { return {"Testmodul", schreiben, lesen, uebernehmen, verwerfen}; }
    static void zuruecksetzen() {
        live.clear();
        staging.clear();
        ablehnen = zu_wenig_lesen = schreibfehler = false;
        verworfen = uebernommen = 0;
    }
};

using A = Testblock<1>;   // match announcements
using B = Testblock<11>;  // players
using C = Testblock<16>;  // news

int g_netz_geschlossen = 0;
void netz_schliessen() { ++g_netz_geschlossen; }
void beschreibung(Spielstand_Beschreibung* b, int still) {
    std::strcpy(b->text, still ? "Autosave" : "Mein Spiel");
    std::strcpy(b->manager, "Jürgen Kaltz");
    std::strcpy(b->verein, "FC Nordhafen");
    b->team = 17;
    b->kontostand = 0xFFFFFF38u;  // -200
    b->staerke = 812;
}

class Spielstand : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(dir_ + "/spielstand");
        fs::create_directories(dir_ + "/config");
        Settings_Neu_Laden();
        std::snprintf(W32_Dir_Tabelle[W32_DIR_SPIELSTAND], W32_DIR_LAENGE, "%s/spielstand", dir_.c_str());
        std::snprintf(W32_Dir_Tabelle[W32_DIR_CONFIG], W32_DIR_LAENGE, "%s/config", dir_.c_str());
        Meldung_Hooks h;
        h.zeigen = Meldungen::Sammeln;
        Meldung_Set_Hooks(h);
        Spielstand_Set_Hooks({.beschreibung = beschreibung, .netz_schliessen = netz_schliessen});
        g_meldungen.clear();
        g_netz_geschlossen = 0;
        A::zuruecksetzen();
        B::zuruecksetzen();
        C::zuruecksetzen();
        Spielstand_Modul_Anmelden(1, A::modul());
        Spielstand_Modul_Anmelden(11, B::modul());
        Spielstand_Modul_Anmelden(16, C::modul());
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Rnd_Set_Index(0, 0);
    }
    void TearDown() override {
        for (int b = 1; b < SPIELSTAND_BLOECKE; ++b) Spielstand_Modul_Abmelden(b);
        for (int b = 1; b <= CONFIG_BLOECKE; ++b) Spielstand_Config_Modul_Abmelden(b);
        Datei_Test_Schreibgrenze(-1);
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Settings_Neu_Laden();
    }
    std::string slot(int n) { return Spielstand_Pfad(n); }
    bool laden(int n) { return Spielstand_Laden(slot(n).c_str()); }
    bool speichern(int n) { return Spielstand_Speichern(slot(n).c_str(), 0); }
    // Puts the bytes into slot 1 as a save file and loads it.
    bool laden_aus(const Bytes& f) {
        schreiben(datei(1), f);
        return laden(1);
    }
    std::string datei(int n) { return dir_ + "/spielstand/game_" + std::to_string(n) + ".kdv"; }

    // Saves a small game into slot 0 and returns the file's bytes.
    Bytes kleiner_spielstand() {
        A::live = {1, 2, 3};
        B::live = Bytes(40, 9);
        C::live = {};
        Rnd_Set_Index(77, 0);
        EXPECT_TRUE(speichern(0));
        return lesen(datei(0));
    }

    // The running state, to prove that a refused load left it alone.
    struct Stand {
        Bytes a, b, c;
        u32 rnd;
        u32 modus;
        bool operator==(const Stand&) const = default;
    };
    Stand stand() { return {A::live, B::live, C::live, Rnd_Get_Index(), Internet_Modus}; }
    void laufendes_spiel() {
        A::live = {42};
        B::live = Gemischte_Bytes(100, 5);
        C::live = {7, 7};
        Rnd_Set_Index(4321, 0);
        Internet_Modus = INTERNET_MODUS_SERVER;
    }
    Temp_Ordner ordner_;
    Env_Setzen env_{"KORDAVO_CONFIG_DIR", ordner_.pfad().c_str()};
    const std::string dir_ = ordner_.pfad();
};

TEST_F(Spielstand, RegisteredBlocksRoundTripByteForByte) {
    A::live = Gemischte_Bytes(1000, 1);
    B::live = Gemischte_Bytes(300000, 2);
    C::live = {};
    Rnd_Set_Index(1234, 0);
    Bytes a = A::live, b = B::live;
    ASSERT_TRUE(speichern(3));
    EXPECT_STREQ(Spielstand_Letzter_Fehler(), "");

    laufendes_spiel();
    ASSERT_TRUE(laden(3));
    EXPECT_EQ(A::live, a);
    EXPECT_EQ(B::live, b);
    EXPECT_TRUE(C::live.empty());
    EXPECT_EQ(Rnd_Get_Index(), 1234u);
    EXPECT_EQ(A::uebernommen, 1);
    EXPECT_EQ(A::verworfen, 0);
    // After a load the network is closed and the game runs alone.
    EXPECT_EQ(g_netz_geschlossen, 1);
    EXPECT_EQ(Internet_Modus, INTERNET_MODUS_EINZEL);
    EXPECT_TRUE(g_meldungen.empty());
    EXPECT_FALSE(fs::exists(datei(3) + ".tmp"));
}

TEST_F(Spielstand, HeaderAndDescription) {
    // The head's bytes are pinned by the committed save of an older version.
    Bytes f = kleiner_spielstand();

    Spielstand_Beschreibung b;
    std::memset(&b, 'x', sizeof b);
    ASSERT_EQ(Spielstand_Get_Beschreibung(0, &b), 1);
    EXPECT_STREQ(b.text, "Mein Spiel");
    EXPECT_STREQ(b.manager, "Jürgen Kaltz");
    EXPECT_STREQ(b.verein, "FC Nordhafen");
    EXPECT_EQ(b.team, 17u);
    EXPECT_EQ(b.staerke, 812u);

    // The autosave's description comes from the hook with still = 1.
    ASSERT_TRUE(Spielstand_Speichern(slot(9).c_str(), 1));
    ASSERT_EQ(Spielstand_Get_Beschreibung(9, &b), 1);
    EXPECT_STREQ(b.text, "Autosave");

    // Empty slot, bad slot, null out, foreign file: 0 with out cleared.
    schreiben(datei(4), Bytes(200, 'k'));
    for (int s : {5, 4}) {
        std::memset(&b, 'x', sizeof b);
        EXPECT_EQ(Spielstand_Get_Beschreibung(s, &b), 0) << s;
        EXPECT_EQ(b.text[0] | b.manager[0], 0) << s;
    }
    EXPECT_EQ(Spielstand_Get_Beschreibung(10, &b) | Spielstand_Get_Beschreibung(-1, &b), 0);
    EXPECT_EQ(Spielstand_Get_Beschreibung(0, nullptr), 0);
    Bytes alt = f;
    alt[12] = '1';  // "1.10": another version
    schreiben(datei(4), alt);
    EXPECT_EQ(Spielstand_Get_Beschreibung(4, &b), 0);
    alt = f;
    alt[13] = '7';  // "1.07": the first three characters match
    schreiben(datei(4), alt);
    EXPECT_EQ(Spielstand_Get_Beschreibung(4, &b), 1);
}

TEST_F(Spielstand, EveryByteChangeTruncationAndForeignFileIsRefusedAndTheGameStays) {
    Bytes f = kleiner_spielstand();
    ASSERT_LT(f.size(), 600u);
    laufendes_spiel();
    const Stand vorher = stand();
    for (size_t i = 0; i < f.size(); ++i) {
        for (u8 x : {0x01, 0x80}) {
            Bytes k = f;
            k[i] ^= x;
            g_meldungen.clear();
            ASSERT_FALSE(laden_aus(k)) << "byte " << i;
            ASSERT_EQ(stand(), vorher) << "byte " << i;
            ASSERT_EQ(g_meldungen.size(), 1u);
        }
    }
    // Every truncation.
    for (size_t n = 0; n < f.size(); ++n) {
        ASSERT_FALSE(laden_aus(Bytes(f.begin(), f.begin() + static_cast<long>(n)))) << n;
        ASSERT_EQ(stand(), vorher);
    }
    EXPECT_EQ(A::uebernommen + B::uebernommen + C::uebernommen, 0);
    EXPECT_EQ(g_netz_geschlossen, 0);
    Bytes laenger = f;
    laenger.push_back(0);  // a trailing byte
    EXPECT_FALSE(laden_aus(laenger));
    EXPECT_NE(std::string(Spielstand_Letzter_Fehler()).find("beschädigt"), std::string::npos);

    // Another kind of file: text, a configuration cache, nothing at all.
    EXPECT_FALSE(laden_aus(Bytes{'N', 'A', 'M', 'E', ' ', 'x', '\n'}));
    EXPECT_STREQ(Spielstand_Letzter_Fehler(), "Die Datei game_1.kdv (Platz 2) ist kein Kordavo-Spielstand.");
    ASSERT_TRUE(Spielstand_Config_Speichern(0, "cache"));
    fs::copy_file(dir_ + "/config/1_config.bin", datei(2));
    EXPECT_FALSE(laden(2));
    EXPECT_FALSE(laden(7));
    EXPECT_STREQ(Spielstand_Letzter_Fehler(), "Der Spielstand game_7.kdv (Platz 8) wurde nicht gefunden.");
    EXPECT_EQ(stand(), vorher);
    // The unchanged file still loads.
    EXPECT_TRUE(laden_aus(f));
}

// A valid save padded to 900 MB, or grown beyond any save, is refused by its
// size and frames before it is read: the peak memory hardly grows. Folders
// are named as such, for loading and for saving.
TEST_F(Spielstand, OversizedFilesAndFoldersAreRefusedWithoutBeingRead) {
    kleiner_spielstand();
    laufendes_spiel();
    const Stand vorher = stand();
    struct rusage r;
    getrusage(RUSAGE_SELF, &r);
    const long spitze_vorher = r.ru_maxrss;
    const struct {
        u64 groesse;
        const char* meldung;
    } faelle[] = {
        {900ull << 20, "Der Spielstand game_1.kdv (Platz 2) ist beschädigt und wurde nicht geladen."},
        {(1ull << 30) + 1, "Die Datei game_1.kdv (Platz 2) ist zu groß für einen Kordavo-Spielstand."},
    };
    for (const auto& f : faelle) {
        fs::copy_file(datei(0), datei(1), fs::copy_options::overwrite_existing);
        fs::resize_file(datei(1), f.groesse);  // sparse: no disk space used
        EXPECT_FALSE(laden(1));
        EXPECT_STREQ(Spielstand_Letzter_Fehler(), f.meldung);
    }
    getrusage(RUSAGE_SELF, &r);
    EXPECT_LT(r.ru_maxrss - spitze_vorher, 64 * 1024) << "kB more at the peak";
    fs::remove(datei(1));

    fs::create_directories(datei(4));
    const std::string ordner = dir_ + "/spielstand/";
    EXPECT_FALSE(Spielstand_Laden(ordner.c_str()));
    EXPECT_STREQ(Spielstand_Letzter_Fehler(), "spielstand ist ein Ordner, kein Spielstand.");
    EXPECT_FALSE(Spielstand_Speichern(datei(4).c_str(), 0));
    EXPECT_STREQ(Spielstand_Letzter_Fehler(),
                 "Der Spielstand konnte nicht gespeichert werden: game_4.kdv (Platz 5) ist ein Ordner.");
    EXPECT_TRUE(fs::is_directory(datei(4)));
    EXPECT_EQ(stand(), vorher);
}

TEST_F(Spielstand, AModuleThatRefusesItsBlockCancelsTheWholeLoad) {
    kleiner_spielstand();
    laufendes_spiel();
    const Stand vorher = stand();

    C::ablehnen = true;  // the last registered module refuses
    g_meldungen.clear();
    EXPECT_FALSE(laden(0));
    EXPECT_EQ(stand(), vorher);
    EXPECT_EQ(A::verworfen + B::verworfen * 10 + C::verworfen * 100, 111);  // A and B had parsed: they drop it
    EXPECT_EQ(A::uebernommen + B::uebernommen + C::uebernommen, 0);
    ASSERT_EQ(g_meldungen.size(), 1u);
    EXPECT_EQ(g_meldungen[0],
              "Der Spielstand game_0.kdv (Platz 1) konnte nicht geladen werden (Testmodul). Das laufende Spiel bleibt "
              "unverändert.");
    C::ablehnen = false;

    // A module that leaves part of its block unread.
    B::zu_wenig_lesen = true;
    EXPECT_FALSE(laden(0));
    EXPECT_EQ(stand(), vorher);
    B::zu_wenig_lesen = false;

    // A block with data but no module any more.
    Spielstand_Modul_Abmelden(11);
    EXPECT_FALSE(laden(0));
    EXPECT_NE(std::string(Spielstand_Letzter_Fehler()).find("Block 11 ohne Modul"), std::string::npos);
    EXPECT_EQ(stand(), vorher);
    Spielstand_Modul_Anmelden(11, B::modul());
    EXPECT_TRUE(laden(0));
    EXPECT_EQ(A::live, (Bytes{1, 2, 3}));
    EXPECT_EQ(Rnd_Get_Index(), 77u);

    // Block 17 belongs to the random table and cannot be taken over.
    EXPECT_FALSE(Spielstand_Modul_Anmelden(17, A::modul()));
    EXPECT_FALSE(Spielstand_Modul_Anmelden(0, A::modul()));
}

TEST_F(Spielstand, SavingIsAtomic) {
    Bytes alt = kleiner_spielstand();
    A::live = Gemischte_Bytes(50000, 3);

    // The disk fills up half-way.
    for (i64 grenze : {0, 10, 200, 5000}) {
        Datei_Test_Schreibgrenze(grenze);
        g_meldungen.clear();
        EXPECT_FALSE(speichern(0));
        Datei_Test_Schreibgrenze(-1);
        EXPECT_EQ(lesen(datei(0)), alt) << grenze;
        EXPECT_FALSE(fs::exists(datei(0) + ".tmp"));
        ASSERT_EQ(g_meldungen.size(), 1u);
        EXPECT_NE(g_meldungen[0].find("Der alte Spielstand ist erhalten."), std::string::npos);
    }
    // A module that cannot write its block.
    B::schreibfehler = true;
    EXPECT_FALSE(speichern(0));
    EXPECT_EQ(lesen(datei(0)), alt);
    EXPECT_STREQ(Spielstand_Letzter_Fehler(),
                 "Der Spielstand konnte nicht gespeichert werden: Fehler im Modul Testmodul.");
    B::schreibfehler = false;
    // A folder that does not exist.
    EXPECT_FALSE(Spielstand_Speichern((dir_ + "/fehlt/game_0.kdv").c_str(), 0));
    // The old save still loads; a new one replaces it.
    A::live = {5};
    EXPECT_TRUE(speichern(0));
    A::live = {};
    EXPECT_TRUE(laden(0));
    EXPECT_EQ(A::live, Bytes{5});
}

// A save under a new name that fails (a full disk, a read-only folder) says
// that no save was made, not that an old one was kept: there was none.
TEST_F(Spielstand, AFailedSaveUnderANewNameKeepsNoOldSave) {
    A::live = Gemischte_Bytes(5000, 4);
    Datei_Test_Schreibgrenze(10);
    g_meldungen.clear();
    EXPECT_FALSE(speichern(3));
    Datei_Test_Schreibgrenze(-1);
    EXPECT_FALSE(fs::exists(datei(3)));
    ASSERT_EQ(g_meldungen.size(), 1u);
    EXPECT_EQ(g_meldungen[0].find("alte Spielstand"), std::string::npos) << g_meldungen[0];
    EXPECT_NE(g_meldungen[0].find("Es wurde kein Spielstand angelegt."), std::string::npos) << g_meldungen[0];
    // A read-only folder: as root (whom no folder stops) the save is made
    // by a child that runs as an ordinary user.
    const std::string nur_lesen = dir_ + "/nur_lesen";
    fs::create_directories(nur_lesen);
    fs::permissions(nur_lesen, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                   fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(dir_, fs::perms::others_exec | fs::perms::group_exec, fs::perm_options::add);
    auto versuch = [&] {
        g_meldungen.clear();
        return !Spielstand_Speichern((nur_lesen + "/neu.kdv").c_str(), 0) && g_meldungen.size() == 1 &&
               g_meldungen[0].find("alte Spielstand") == std::string::npos &&
               g_meldungen[0].find("schreibgeschützt") != std::string::npos &&
               g_meldungen[0].find("Es wurde kein Spielstand angelegt.") != std::string::npos;
    };
    if (::geteuid() != 0) {
        EXPECT_TRUE(versuch()) << (g_meldungen.empty() ? std::string() : g_meldungen[0]);
    } else {
        const pid_t kind = ::fork();
        ASSERT_GE(kind, 0);
        if (kind == 0) {
            const bool ok = ::setgid(65534) == 0 && ::setuid(65534) == 0 && versuch();
            ::_exit(ok ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(kind, &status, 0), kind);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the ordinary user's save into a read-only folder";
    }
    EXPECT_FALSE(fs::exists(nur_lesen + "/neu.kdv"));
    fs::permissions(nur_lesen, fs::perms::owner_all);
}

// The autosave's write on the writer thread: a disk that fills up
// half-way is reported when the answer is collected (once), the old file
// stays whole and no temporary file is left; a good write replaces it, and
// a load waits for it.
TEST_F(Spielstand, DeferredWriteFailureIsReportedAndTheOldFileStays) {
    Bytes alt = kleiner_spielstand();
    A::live = Gemischte_Bytes(50000, 3);
    for (i64 grenze : {0, 10, 5000}) {
        Datei_Test_Schreibgrenze(grenze);
        g_meldungen.clear();
        EXPECT_TRUE(Spielstand_Speichern_Hintergrund(slot(0).c_str(), 1)) << "made in memory and handed on";
        EXPECT_TRUE(g_meldungen.empty());
        EXPECT_FALSE(Spielstand_Hintergrund_Pruefen(true)) << grenze;
        Datei_Test_Schreibgrenze(-1);
        ASSERT_EQ(g_meldungen.size(), 1u) << grenze;
        EXPECT_NE(g_meldungen[0].find("Der alte Spielstand ist erhalten."), std::string::npos);
        EXPECT_STREQ(Spielstand_Letzter_Fehler(), g_meldungen[0].c_str());
        EXPECT_TRUE(Spielstand_Hintergrund_Pruefen(true)) << "reported once";
        EXPECT_EQ(g_meldungen.size(), 1u);
        EXPECT_EQ(lesen(datei(0)), alt) << grenze;
        EXPECT_FALSE(fs::exists(datei(0) + ".tmp"));
    }
    // A module that cannot write its block is told at once; nothing is handed on.
    B::schreibfehler = true;
    g_meldungen.clear();
    EXPECT_FALSE(Spielstand_Speichern_Hintergrund(slot(0).c_str(), 1));
    EXPECT_EQ(g_meldungen.size(), 1u);
    EXPECT_FALSE(Spielstand_Schreibt());
    B::schreibfehler = false;
    // A good write replaces the file; the load waits for it.
    A::live = {8, 9};
    EXPECT_TRUE(Spielstand_Speichern_Hintergrund(slot(0).c_str(), 1));
    A::live = {};
    EXPECT_TRUE(laden(0));
    EXPECT_EQ(A::live, (Bytes{8, 9}));
    EXPECT_FALSE(fs::exists(datei(0) + ".tmp"));
}

// The autosave takes the game as it stands when it is asked for: the game
// going on (its blocks changing in place) while the writer packs and writes
// changes nothing in the file, which is byte for byte the save taken at
// that moment.
TEST_F(Spielstand, DeferredSaveEqualsTheSaveTakenAtThatMoment) {
    A::live = Gemischte_Bytes(70000, 8);
    B::live = Gemischte_Bytes(30000, 9);
    C::live = {1, 1, 1, 1, 2};
    Rnd_Set_Index(555, 0);
    const Stand damals = stand();
    Rnd_Deko_Seed(99);
    ASSERT_TRUE(Spielstand_Speichern_Hintergrund(slot(0).c_str(), 1));
    // The next day runs: every block changes in place while the writer works.
    for (int runde = 0; runde < 50 && Spielstand_Schreibt(); ++runde) {
        for (u8& x : A::live) ++x;
        for (u8& x : B::live) x ^= 0xFF;
        C::live[0] = static_cast<u8>(runde);
    }
    for (u8& x : A::live) ++x;
    ASSERT_TRUE(Spielstand_Hintergrund_Pruefen(true));
    // The same moment saved in the frame, with the same key.
    A::live = damals.a, B::live = damals.b, C::live = damals.c;
    Rnd_Deko_Seed(99);
    ASSERT_TRUE(Spielstand_Speichern(slot(2).c_str(), 1));
    EXPECT_EQ(lesen(datei(0)), lesen(datei(2)));
    // And it loads as that moment.
    A::live = B::live = C::live = {};
    ASSERT_TRUE(laden(0));
    EXPECT_EQ(A::live, damals.a);
    EXPECT_EQ(B::live, damals.b);
    EXPECT_EQ(C::live, damals.c);
}

// Modules written beside the others (on workers) give the file the modules
// written one after the other give; a failure names the first failing
// module in block order, whichever thread wrote it, and the old save stays.
TEST_F(Spielstand, BlocksWrittenBesideTheOthersGiveTheSameFile) {
    A::live = Gemischte_Bytes(70000, 11);
    B::live = Gemischte_Bytes(300000, 12);
    C::live = {3, 1, 4};
    Rnd_Set_Index(808, 0);
    Rnd_Deko_Seed(5);
    ASSERT_TRUE(Spielstand_Speichern(slot(0).c_str(), 1));
    const Bytes der_reihe_nach = lesen(datei(0));
    const struct {
        const char *nebenher, *fehler, *gemeldet;
    } faelle[] = {
        {"A", "", ""},    {"B", "", ""},     {"ABC", "", ""},    {"B", "B", "B"},  {"B", "AB", "A"},
        {"A", "BC", "B"}, {"AC", "C", "C"}, {"ABC", "BC", "B"}, {"", "AC", "A"}, {"C", "AC", "A"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::string("beside: ") + f.nebenher + ", failing: " + f.fehler);
        const auto modul = [&f](Spielstand_Modul m, const char* name) {
            m.name = name;
            m.nebenher = std::strchr(f.nebenher, name[0]) != nullptr;
            return m;
        };
        Spielstand_Modul_Anmelden(1, modul(A::modul(), "A"));
        Spielstand_Modul_Anmelden(11, modul(B::modul(), "B"));
        Spielstand_Modul_Anmelden(16, modul(C::modul(), "C"));
        A::schreibfehler = std::strchr(f.fehler, 'A') != nullptr;
        B::schreibfehler = std::strchr(f.fehler, 'B') != nullptr;
        C::schreibfehler = std::strchr(f.fehler, 'C') != nullptr;
        Rnd_Deko_Seed(5);
        const bool ok = Spielstand_Speichern_Hintergrund(slot(0).c_str(), 1) && Spielstand_Hintergrund_Pruefen(true);
        EXPECT_EQ(ok, f.gemeldet[0] == 0);
        EXPECT_EQ(lesen(datei(0)), der_reihe_nach);  // the same file, or the old one kept
        if (f.gemeldet[0]) {
            EXPECT_EQ(std::string(Spielstand_Letzter_Fehler()),
                      std::string("Der Spielstand konnte nicht gespeichert werden: Fehler im Modul ") + f.gemeldet +
                          ".");
        }
    }
}

// A network server's save says so in its description, and loading it opens
// the server again even where the server role was not chosen (its host
// started anew); a game saved alone loads alone.
TEST_F(Spielstand, ANetworkServersSaveIsMarkedAndLoadsAsTheServerAgain) {
    static int geoeffnet = 0;
    Spielstand_Set_Hooks({.beschreibung = beschreibung,
                          .netz_schliessen = netz_schliessen,
                          .server_wieder_oeffnen = [] {
                              ++geoeffnet;
                              return true;
                          }});
    struct Fall {
        const char* name;
        u32 rolle_beim_speichern, rolle_beim_laden;
        bool markiert;
        int oeffnungen;
    } faelle[] = {
        {"saved alone, loaded alone", INTERNET_MODUS_EINZEL, INTERNET_MODUS_EINZEL, false, 0},
        {"saved by a server, loaded alone", INTERNET_MODUS_SERVER, INTERNET_MODUS_EINZEL, true, 1},
        {"saved by a server, loaded by one", INTERNET_MODUS_SERVER, INTERNET_MODUS_SERVER, true, 1},
        {"saved alone, loaded by a server", INTERNET_MODUS_EINZEL, INTERNET_MODUS_SERVER, false, 1},
    };
    for (const Fall& f : faelle) {
        geoeffnet = 0;
        Internet_Modus = f.rolle_beim_speichern;
        ASSERT_TRUE(speichern(2)) << f.name;
        Spielstand_Beschreibung b{};
        ASSERT_EQ(Spielstand_Get_Beschreibung(2, &b), 1) << f.name;
        EXPECT_EQ(Spielstand_Ist_Netzspiel(b), f.markiert) << f.name;
        EXPECT_EQ(Spielstand_Team(b), 17u) << f.name;
        Internet_Modus = f.rolle_beim_laden;
        ASSERT_TRUE(laden(2)) << f.name;
        EXPECT_EQ(geoeffnet, f.oeffnungen) << f.name;
    }
    Internet_Modus = INTERNET_MODUS_EINZEL;
}

TEST_F(Spielstand, DescriptionTextsAreAlwaysTerminated) {
    Bytes f = kleiner_spielstand();
    for (size_t i = 15; i < 15 + 92; ++i) f[i] = 'Z';  // no NUL in any text field
    schreiben(datei(2), f);
    Spielstand_Beschreibung b;
    ASSERT_EQ(Spielstand_Get_Beschreibung(2, &b), 1);
    EXPECT_EQ(std::strlen(b.text), 29u);
    EXPECT_EQ(std::strlen(b.manager), 29u);
    EXPECT_EQ(std::strlen(b.verein), 31u);
}

TEST_F(Spielstand, NetworkClientMayNotSave) {
    Internet_Modus = INTERNET_MODUS_CLIENT;
    EXPECT_FALSE(speichern(0));
    EXPECT_FALSE(fs::exists(datei(0)));
    Internet_Modus = INTERNET_MODUS_SERVER;
    EXPECT_TRUE(speichern(0));
}

TEST_F(Spielstand, LastSlot) {
    EXPECT_EQ(Spielstand_Get_Letzter(), -1);
    Spielstand_Set_Letzter(3);
    EXPECT_EQ(Spielstand_Get_Letzter(), 3);
    char wert[16] = {0};
    ASSERT_TRUE(W32_Registry_Read("Gme", wert, sizeof wert));
    EXPECT_STREQ(wert, "4");
    Spielstand_Set_Letzter(0);
    EXPECT_EQ(Spielstand_Get_Letzter(), 0);
    W32_Registry_Write("gme", "kaputt");
    EXPECT_EQ(Spielstand_Get_Letzter(), -1);
    W32_Registry_Write("gme", "11");
    EXPECT_EQ(Spielstand_Get_Letzter(), -1);
    EXPECT_EQ(Spielstand_Pfad(10), nullptr);
    EXPECT_EQ(std::string(Spielstand_Pfad(2)), dir_ + "/spielstand\\game_2.kdv");
}

TEST_F(Spielstand, ConfigurationCache) {
    using S = Testblock<101>;
    using W = Testblock<103>;
    S::zuruecksetzen();
    W::zuruecksetzen();
    Spielstand_Config_Modul_Anmelden(CONFIG_BLOCK_SPIELER, S::modul());
    Spielstand_Config_Modul_Anmelden(CONFIG_BLOCK_WETTBEWERBE, W::modul());
    S::live = Gemischte_Bytes(20000, 8);
    W::live = {1, 2};
    Bytes s = S::live;
    ASSERT_TRUE(Spielstand_Config_Speichern(0, "test"));
    // File number = set + 1.
    std::string pfad = dir_ + "/config/1_config.bin";
    Bytes f = lesen(pfad);
    ASSERT_GT(f.size(), 116u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(f.data())), "<!-BIN-!conf00>");
    EXPECT_EQ(f[15], 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&f[16])), "test");

    S::live = {9};
    W::live = {};
    char beschreibung[100];
    ASSERT_TRUE(Spielstand_Config_Laden(0, beschreibung));
    EXPECT_STREQ(beschreibung, "test");
    EXPECT_EQ(S::live, s);
    EXPECT_EQ(W::live, (Bytes{1, 2}));
    EXPECT_FALSE(Spielstand_Config_Laden(1, nullptr));  // no cache of set 1

    // Damage: refused, modules untouched.
    Bytes k = f;
    k[500] ^= 4;
    schreiben(pfad, k);
    S::live = {9};
    EXPECT_FALSE(Spielstand_Config_Laden(0, beschreibung));
    EXPECT_EQ(S::live, Bytes{9});
    k = f;
    k[3] = 'X';  // the marker
    schreiben(pfad, k);
    EXPECT_FALSE(Spielstand_Config_Laden(0, nullptr));

    EXPECT_TRUE(Spielstand_Config_Loeschen(0));
    EXPECT_FALSE(fs::exists(pfad));
    EXPECT_FALSE(Spielstand_Config_Laden(0, nullptr));
    EXPECT_FALSE(Spielstand_Config_Loeschen(0));
    EXPECT_FALSE(Spielstand_Config_Modul_Anmelden(5, S::modul()));
}

// The cache's disk part on the writer thread: the file is byte for byte the
// one written in the frame (the modules changing meanwhile change nothing),
// a load waits for it, a disk that fills up half-way leaves the old cache
// whole and no temporary file, and the failure is kept for the asker.
TEST_F(Spielstand, ConfigurationCacheWrittenByTheWriter) {
    using S = Testblock<101>;
    using W = Testblock<103>;
    S::zuruecksetzen();
    W::zuruecksetzen();
    Spielstand_Config_Modul_Anmelden(CONFIG_BLOCK_SPIELER, S::modul());
    Spielstand_Config_Modul_Anmelden(CONFIG_BLOCK_WETTBEWERBE, W::modul());
    const std::string pfad = dir_ + "/config/1_config.bin";
    S::live = Gemischte_Bytes(60000, 4);
    W::live = {7, 7, 7};
    const Bytes s = S::live;
    ASSERT_TRUE(Spielstand_Config_Speichern(0, "wettbewerb.cfg"));
    const Bytes im_frame = lesen(pfad);
    fs::remove(pfad);

    ASSERT_TRUE(Spielstand_Config_Speichern_Hintergrund(0, "wettbewerb.cfg"));
    for (u8& x : S::live) ++x;  // the game goes on while the writer works
    W::live = {};
    char beschreibung[100];
    ASSERT_TRUE(Spielstand_Config_Laden(0, beschreibung)) << "the load waits for the writer";
    EXPECT_STREQ(beschreibung, "wettbewerb.cfg");
    EXPECT_EQ(S::live, s);
    EXPECT_EQ(W::live, (Bytes{7, 7, 7}));
    EXPECT_TRUE(Spielstand_Config_Warten());
    EXPECT_EQ(lesen(pfad), im_frame);

    S::live = Gemischte_Bytes(90000, 5);
    for (i64 grenze : {0, 10, 5000}) {
        Datei_Test_Schreibgrenze(grenze);
        EXPECT_TRUE(Spielstand_Config_Speichern_Hintergrund(0, "neu")) << "made in memory and handed on";
        EXPECT_FALSE(Spielstand_Config_Warten()) << grenze;
        Datei_Test_Schreibgrenze(-1);
        EXPECT_STREQ(Spielstand_Letzter_Fehler(), "Konfigurations-Cache nicht geschrieben");
        EXPECT_FALSE(Spielstand_Config_Warten()) << "the answer is kept";
        EXPECT_EQ(lesen(pfad), im_frame) << grenze;
        EXPECT_FALSE(fs::exists(pfad + ".tmp"));
    }
    // A module that cannot write its block: nothing handed on, file kept.
    S::schreibfehler = true;
    EXPECT_FALSE(Spielstand_Config_Speichern_Hintergrund(0, "neu"));
    EXPECT_FALSE(Spielstand_Config_Warten());
    S::schreibfehler = false;
    EXPECT_EQ(lesen(pfad), im_frame);
    // A good write replaces it; deleting waits for it.
    ASSERT_TRUE(Spielstand_Config_Speichern_Hintergrund(0, "neu"));
    EXPECT_TRUE(Spielstand_Config_Warten());
    EXPECT_NE(lesen(pfad), im_frame);
    ASSERT_TRUE(Spielstand_Config_Speichern_Hintergrund(0, "neu"));
    EXPECT_TRUE(Spielstand_Config_Loeschen(0));
    EXPECT_FALSE(fs::exists(pfad));
    EXPECT_FALSE(fs::exists(pfad + ".tmp"));
}

}  // namespace

// The connection check, the subnet search and opening the role's connection.
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "base/debug.h"
#include "base/settings.h"
#include "net/suche.h"
#include "netz_test.h"

namespace {

void Tabelle_Leeren() {
    for (auto& e : Internet_Server_Suche_Tabelle) e.store(SUCHE_OFFEN);
}

class Suche : public Netz_Test {
  protected:
    void TearDown() override {
        SocketTools_Beenden();
        Tabelle_Leeren();
        Suche_Limits = Suche_Zeitlimits{};
        Netz_Test::TearDown();
    }
};

TEST_F(Suche, FindsTheListenerInASubnetAndChecksAClosedPortWithinItsLimit) {
    u8 a[4];
    Test_Adresse(42, a);
    int lauscher = Roh_Lauschen(a, 57355);
    ASSERT_GE(lauscher, 0);
    Tabelle_Leeren();
    for (u32 d = 0; d < 255; d++) EXPECT_EQ(Internet_Check_Server(a[0], a[1], a[2], d, INTERNET_PORT, 0), 0);
    u32 adresse[4] = {a[0], a[1], a[2], 0};
    u8 liste[255];
    i32 index = 255;
    const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (index > 0 && std::chrono::steady_clock::now() < ende) {
        index = Internet_Get_Server_Index(&adresse[0], &adresse[1], &adresse[2], &adresse[3], INTERNET_PORT, liste);
        usleep(20000);
    }
    EXPECT_EQ(index, -1);
    EXPECT_EQ(adresse[3], 42u);

    // A waiting check of the listener answers 1; of an address where nobody
    // listens 0, even when an earlier check of that last byte said 1.
    EXPECT_EQ(Internet_Check_Server(a[0], a[1], a[2], 42, INTERNET_PORT, 1), 1);
    Internet_Server_Suche_Tabelle[43].store(SUCHE_SERVER);
    const auto anfang = std::chrono::steady_clock::now();
    EXPECT_EQ(Internet_Check_Server(a[0], a[1], a[2], 43, INTERNET_PORT, 1), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - anfang, std::chrono::milliseconds(Suche_Limits.warten + 2000));
    EXPECT_EQ(Internet_Server_Suche_Tabelle[43].load(), SUCHE_KEINER);
    // The fourth number is masked to the table.
    EXPECT_EQ(Internet_Check_Server(a[0], a[1], a[2], 256 + 42, INTERNET_PORT, 0), 0);
    close(lauscher);
}

TEST_F(Suche, ServerIndexEvaluatesTheTable) {
    Tabelle_Leeren();
    u32 d = 99;
    u8 liste[255] = {};
    Debug_Mitschnitt log;
    for (u8 i : {3, 7, 20, 30, 40, 50, 60, 70, 80, 254}) Internet_Server_Suche_Tabelle[i].store(SUCHE_KEINER);
    Internet_Server_Suche_Tabelle[255].store(SUCHE_OFFEN);
    EXPECT_EQ(Internet_Get_Server_Index(nullptr, nullptr, nullptr, &d, 0, liste), 245);
    EXPECT_EQ(d, 99u);
    EXPECT_TRUE(log.Enthaelt("No Server at 10 IP's"));
    EXPECT_EQ(liste[0], 0);
    EXPECT_EQ(liste[3], 4);
    EXPECT_EQ(liste[244], 253);
    for (int i = 1; i < 245; i++) EXPECT_LT(liste[i - 1], liste[i]);
    Internet_Server_Suche_Tabelle[42].store(SUCHE_SERVER);
    Internet_Server_Suche_Tabelle[7].store(SUCHE_SERVER);
    EXPECT_EQ(Internet_Get_Server_Index(nullptr, nullptr, nullptr, &d, 0, nullptr), -1);
    EXPECT_EQ(d, 7u);
}

TEST_F(Suche, ConnectOpensTheRolesConnection) {
    u8 a[4];
    Test_Adresse(5, a);
    std::memcpy(Internet_Lokale_Adresse, a, 4);
    Internet_Port = INTERNET_PORT;
    Internet_Modus = INTERNET_MODUS_SERVER;
    Internet_Connect();
    ASSERT_NE(Internet_Listen_Verbindung, nullptr);
    Verbindung* lauscher = Internet_Listen_Verbindung;
    Internet_Connect();
    EXPECT_EQ(Internet_Listen_Verbindung, lauscher) << "an open listener stays";

    Internet_Modus = INTERNET_MODUS_CLIENT;
    for (int i = 0; i < 4; i++) Internet_Server_Adresse[i] = a[i];
    Internet_Connect();
    Internet_Connect();  // again: the earlier connection is closed, not leaked
    ASSERT_NE(Internet_Server_Verbindung, nullptr);
    EXPECT_EQ(Internet_Modus, INTERNET_MODUS_CLIENT);
    int belegt = 0;
    for (Verbindung* v : Verbindung_Tabelle) belegt += v ? 1 : 0;
    EXPECT_EQ(belegt, 2);

    // A second server on the same address cannot listen: back to single play.
    Internet_Listen_Verbindung = nullptr;
    Internet_Modus = INTERNET_MODUS_SERVER;
    Internet_Connect();
    EXPECT_EQ(Internet_Modus, INTERNET_MODUS_EINZEL);
    EXPECT_EQ(Internet_Listen_Verbindung, nullptr);

    // Closing the role's connections leaves nothing open.
    Internet_Listen_Verbindung = lauscher;
    Netz_Verbindungen_Schliessen();
    EXPECT_EQ(Internet_Server_Verbindung, nullptr);
    EXPECT_EQ(Internet_Listen_Verbindung, nullptr);
    for (Verbindung* v : Verbindung_Tabelle) EXPECT_EQ(v, nullptr);
}

// Without an address in the settings a server listens on every address of
// the machine, so a second copy on the same machine joins at 127.0.0.1;
// with one it listens there alone. (A port of this test's own: a listener
// on every address would take the game's port from the tests beside it.)
TEST_F(Suche, ServerListensEverywhereUnlessTheSettingsNameAnAddress) {
    const std::filesystem::path ordner =
        std::filesystem::temp_directory_path() / ("kordavo_lauschen_" + std::to_string(getpid()));
    std::filesystem::create_directories(ordner);
    const char* vorher = std::getenv("KORDAVO_CONFIG_DIR");
    const std::string alt = vorher ? vorher : "";
    setenv("KORDAVO_CONFIG_DIR", ordner.c_str(), 1);
    Settings_Neu_Laden();
    const u16 tcp_port = static_cast<u16>(20000 + getpid() % 20000);
    const u8 loopback[4] = {127, 0, 0, 1};
    u8 eigene[4], andere[4];
    Test_Adresse(77, eigene);
    Test_Adresse(78, andere);
    struct Fall {
        const char* einstellung;
        bool alle;
        bool bei_127_0_0_1, bei_eigener, bei_anderer;
    };
    const std::string eigene_text = std::to_string(eigene[0]) + "." + std::to_string(eigene[1]) + "." +
                                    std::to_string(eigene[2]) + "." + std::to_string(eigene[3]);
    const Fall faelle[] = {
        {"", true, true, true, true},
        {"127.0", true, true, true, true},  // no address: as without one
        {eigene_text.c_str(), false, false, true, false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.einstellung);
        ASSERT_TRUE(W32_Registry_Write("Netz_Adresse", f.einstellung));
        char name[256];
        testing::internal::CaptureStderr();
        ASSERT_EQ(Verbindung_Get_Local_Host(name, sizeof name, &Internet_Port, Internet_Lokale_Adresse), 1);
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(Internet_Alle_Adressen, f.alle);
        Internet_Port = Socket_Port_Leitung(tcp_port);
        Internet_Modus = INTERNET_MODUS_SERVER;
        Internet_Connect();
        ASSERT_NE(Internet_Listen_Verbindung, nullptr);
        for (auto [adresse, erwartet] : {std::pair{loopback, f.bei_127_0_0_1}, std::pair{(const u8*)eigene, f.bei_eigener},
                                         std::pair{(const u8*)andere, f.bei_anderer}}) {
            const int fd = Roh_Verbinden(adresse, tcp_port);
            EXPECT_EQ(fd >= 0, erwartet) << int(adresse[3]);
            if (fd >= 0) close(fd);
            for (int n = 0; n < 20; ++n) Verbindung_Pump(), usleep(2000);  // accepted: the queue stays free
        }
        Netz_Verbindungen_Schliessen();
    }
    Internet_Alle_Adressen = false;
    Internet_Port = 0;
    std::filesystem::remove_all(ordner);
    if (alt.empty()) unsetenv("KORDAVO_CONFIG_DIR");
    else setenv("KORDAVO_CONFIG_DIR", alt.c_str(), 1);
    Settings_Neu_Laden();
}

// The address to listen on: the setting when it is a dotted address, else
// what the machine has; nothing before networking is started.
TEST(Lokaler_Host, SettingOverridesTheAddressAndABadOneIsIgnored) {
    const std::filesystem::path ordner =
        std::filesystem::temp_directory_path() / ("kordavo_netz_" + std::to_string(getpid()));
    std::filesystem::create_directories(ordner);
    const char* vorher = std::getenv("KORDAVO_CONFIG_DIR");
    const std::string alt = vorher ? vorher : "";
    setenv("KORDAVO_CONFIG_DIR", ordner.c_str(), 1);
    Settings_Neu_Laden();
    char name[256] = "x";
    u8 a[4] = {9, 9, 9, 9};
    u16 port = 1;
    EXPECT_EQ(Verbindung_Get_Local_Host(name, sizeof name, &port, a), 0);
    EXPECT_EQ(a[0], 9);
    EXPECT_EQ(port, 1);
    ASSERT_EQ(Verbindung_Start("", 0), 1);
    ASSERT_TRUE(W32_Registry_Write("Netz_Adresse", "127.0.0.1"));
    ASSERT_EQ(Verbindung_Get_Local_Host(name, sizeof name, &port, a), 1);
    EXPECT_EQ(std::vector<u8>(a, a + 4), (std::vector<u8>{127, 0, 0, 1}));
    EXPECT_EQ(port, INTERNET_PORT);
    EXPECT_NE(std::string(name), "x");
    ASSERT_TRUE(W32_Registry_Write("Netz_Adresse", "127.0.0"));
    testing::internal::CaptureStderr();
    Verbindung_Get_Local_Host(name, sizeof name, &port, a);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("\"Netz_Adresse\" ist keine Adresse"), std::string::npos);
    Verbindung_Stop();
    std::filesystem::remove_all(ordner);
    if (alt.empty()) unsetenv("KORDAVO_CONFIG_DIR");
    else setenv("KORDAVO_CONFIG_DIR", alt.c_str(), 1);
    Settings_Neu_Laden();
}

}  // namespace

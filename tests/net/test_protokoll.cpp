// The block protocol: the wire form of requests and answers, types strings,
// the typed calls over a loopback connection, and a server that refuses
// what breaks the rules without stopping.
#include <array>
#include <cstring>
#include <tuple>

#include "base/ruf.h"
#include "net/netz_start.h"
#include "net/protokoll.h"
#include "net/schema.h"
#include "netz_test.h"
#include "platform/hooks.h"

namespace {

constexpr u16 TCP_PORT = 57355;

// The rows of a small test world: records of teams 0..9, the asking team
// seen by the last row.
i32 fragend = -1, gesehen = -1;
std::array<i32, 10> stadion{};
std::array<u8, 52> team_satz(i32 t) {
    std::array<u8, 52> r;
    for (size_t k = 0; k < r.size(); k++) r[k] = static_cast<u8>(t * 16 + k);
    return r;
}

inline constexpr ruf::Ruf<std::vector<u8>, i32, i32, i32> T_SPIELER{0, "Spieler"};
inline constexpr ruf::Ruf<std::array<u8, 52>, i32> T_TEAM{10, "Team"};
inline constexpr ruf::Ruf<std::tuple<u16, std::array<u8, 768>>, i32> T_OWN{12, "Own"};
inline constexpr ruf::Ruf<ruf::Nichts, std::array<u8, 768>, u8, u8> T_OWN_ZURUECK{15, "Own_Zurueck"};
inline constexpr ruf::Ruf<std::vector<u8>> T_STARTTEAMS{17, "Startteams"};
inline constexpr ruf::Ruf<ruf::Nichts, i32, i32, std::array<char, 36>, i32> T_AKTIV{19, "Aktiv"};
inline constexpr ruf::Ruf<ruf::Nichts, i32, i32, i32, i32, i32> T_STADION{1016, "Stadion"};
inline constexpr ruf::Ruf<u8, i32, i32, f32, i32, u8, f32, u32> T_KREDIT{1028, "Kredit"};
inline constexpr ruf::Ruf<u32> T_SPIELER_7{7, "ohne Schema"};
inline constexpr ruf::Ruf<std::tuple<i32, i32, i32, i32>, i32, i32> T_SIEGER{1041, "Sieger"};
inline constexpr ruf::Ruf<std::vector<u8>, i32, i32, i32> T_ARCHIV{1044, "Archiv"};

std::array<u8, 768> zurueck{};
int zeilen_7 = 0;

void Zeilen_Anmelden() {
    ruf::Team_Rahmen_Setzen([](i32 team, bool an) { fragend = an ? team : -1; });
    ruf::Zeile_Anmelden(T_SPIELER,
                        [](i32 modus, i32, i32) { return std::vector<u8>(static_cast<size_t>(modus), 0x5A); });
    ruf::Zeile_Anmelden(T_TEAM, [](i32 t) { return team_satz(t); });
    ruf::Zeile_Anmelden(T_OWN, [](i32 t) {
        std::tuple<u16, std::array<u8, 768>> r{static_cast<u16>(t + 1000), {}};
        std::get<1>(r).fill(static_cast<u8>(t));
        return r;
    });
    ruf::Zeile_Anmelden(T_OWN_ZURUECK, [](std::array<u8, 768> a, u8, u8) {
        zurueck = a;
        return ruf::Nichts{};
    });
    ruf::Zeile_Anmelden(T_STARTTEAMS, [] { return std::vector<u8>(3 * 80, 0x11); });
    ruf::Zeile_Anmelden(T_AKTIV, [](i32 slot, i32 team, std::array<char, 36>, i32) {
        Netz_Slot_Team_Setzen(slot, team);
        return ruf::Nichts{};
    });
    // Like the world's rows: a write only for the asking team.
    ruf::Zeile_Anmelden(T_STADION, [](i32 t, i32 preis, i32, i32, i32) {
        gesehen = fragend;
        if (t == fragend && t >= 0 && t < 10) stadion[static_cast<size_t>(t)] = preis;
        return ruf::Nichts{};
    });
    ruf::Zeile_Anmelden(T_KREDIT, [](i32 t1, i32 t2, f32 betrag, i32 laufzeit, u8 option, f32 zins, u32 anfrage) -> u8 {
        return t1 == 4 && t2 == -1 && betrag == 2.5f && laufzeit == 12 && option == 3 && zins == -1.0f &&
                       anfrage == 0x12345678u
                   ? 1
                   : 0;
    });
    ruf::Zeile_Anmelden(T_SPIELER_7, [] { return static_cast<u32>(++zeilen_7); });
    ruf::Zeile_Anmelden(T_SIEGER, [](i32 w, i32 j) { return std::tuple<i32, i32, i32, i32>{w + 1, j - 1, 3, -1}; });
    ruf::Zeile_Anmelden(T_ARCHIV, [](i32 w, i32 j, i32 k) {
        return std::vector<u8>(static_cast<size_t>(w), static_cast<u8>(j + k));
    });
}

std::vector<u8> Anfrage(u32 code, i32 team, const char* typen, const std::vector<Netz_Arg>& args) {
    std::vector<u8> a;
    EXPECT_TRUE(Netz_Anfrage_Bauen(code, team, typen, args, &a)) << typen;
    return a;
}

std::vector<u8> Antwort(const std::vector<u8>& anfrage, i32 team = 3) {
    std::vector<u8> a;
    const char* grund = nullptr;
    EXPECT_TRUE(Netz_Block_Beantworten(0, team, anfrage.data(), anfrage.size(), &a, &grund)) << (grund ? grund : "");
    return a;
}

std::string Antwort_Typen(const std::vector<u8>& a) { return reinterpret_cast<const char*>(&a[12]); }

class Protokoll : public ::testing::Test {
  protected:
    void SetUp() override { Zeilen_Anmelden(); }
};

TEST_F(Protokoll, TeamRecordRequestAndAnswerByteForByte) {
    std::array<u8, 52> satz{};
    const std::vector<u8> frage = Anfrage(10, 3, "vV<52i", {netz_arg(Netz_Feld{satz.data(), 52}), netz_arg(7)});
    std::vector<u8> erwartet = {0xAA, 0xAA, 0xAA, 0xAA, 10, 0, 0, 0, 7, 0, 0, 0, 3, 0, 0, 0};
    for (char c : std::string("vV<52i")) erwartet.push_back(static_cast<u8>(c));
    erwartet.insert(erwartet.end(), {0, 1, 0, 0, 0, 7, 0, 0, 0});
    EXPECT_EQ(frage, erwartet);
    ASSERT_EQ(frage.size(), 31u);

    const std::vector<u8> antwort = Antwort(frage);
    ASSERT_EQ(antwort.size(), 79u);
    EXPECT_EQ(std::vector<u8>(antwort.begin(), antwort.begin() + 12),
              (std::vector<u8>{0xAA, 0xAA, 0xAA, 0xAA, 10, 0, 0, 0, 7, 0, 0, 0}));
    EXPECT_EQ(Antwort_Typen(antwort), "vV<52i");
    EXPECT_EQ(get_u32le(&antwort[19]), 1u);
    const std::array<u8, 52> sieben = team_satz(7);
    EXPECT_TRUE(std::equal(sieben.begin(), sieben.end(), antwort.begin() + 23));
    EXPECT_EQ(get_u32le(&antwort[75]), 7u);

    // Packed and unpacked again, the same bytes; a head that names more than
    // the buffer is refused.
    std::vector<u8> zurueck;
    ASSERT_TRUE(Netz_Entpacken(Netz_Packen(antwort).data(), static_cast<u32>(Netz_Packen(antwort).size()), &zurueck));
    EXPECT_EQ(zurueck, antwort);
    std::vector<u8> gross(3000000);
    for (size_t k = 0; k < gross.size(); k++) gross[k] = static_cast<u8>((k / 300) * 7 + (k % 3 ? 0 : k));
    const std::vector<u8> p = Netz_Packen(gross);
    ASSERT_TRUE(Netz_Entpacken(p.data(), static_cast<u32>(p.size()), &zurueck));
    EXPECT_EQ(zurueck, gross);
    std::vector<u8> luege = p;
    put_u32le(&luege[0], SENDBLOCK_SIZE * 2);
    EXPECT_FALSE(Netz_Entpacken(luege.data(), static_cast<u32>(luege.size()), &zurueck));
}

TEST_F(Protokoll, TypesStringsAreRewrittenInTheAnswer) {
    // The variable array takes the row's block, its length written over the zero.
    const u8* zeiger = nullptr;
    u32 laenge = 0;
    std::vector<u8> a = Antwort(
        Anfrage(0, 3, "iV<=0iiii",
                {netz_arg(Netz_Zeiger{&zeiger, &laenge}), netz_arg(3480), netz_arg(1), netz_arg(2), netz_arg(0)}));
    EXPECT_EQ(Antwort_Typen(a), "iV<=3480iiii");
    const size_t d = 12 + 13;
    EXPECT_EQ(get_u32le(&a[d]), 3480u);
    EXPECT_EQ(a.size(), d + 4 + 4 + 3480 + 16);
    EXPECT_EQ(a[d + 8], 0x5A);
    EXPECT_EQ(get_u32le(&a[d + 8 + 3480]), 3480u);

    // A '>' array: its length reads zeros, its contents stay behind; a null
    // array sends presence 0 and zero bytes.
    std::vector<u8> daten(768, 9);
    a = Antwort(Anfrage(15, 3, "vV>768cc", {netz_arg(Netz_Feld{daten.data(), 768}), netz_arg(1), netz_arg(2)}));
    EXPECT_EQ(Antwort_Typen(a), "vV>000cc");
    EXPECT_EQ(a.size(), 12u + 9 + 4 + 8);
    EXPECT_EQ(get_u32le(&a[21]), 1u);
    EXPECT_EQ(a[25], 1);
    EXPECT_EQ(zurueck[0], 9);
    const std::vector<u8> leer =
        Anfrage(15, 3, "vV>768cc", {netz_arg(Netz_Feld{nullptr, 0}), netz_arg(1), netz_arg(2)});
    EXPECT_EQ(get_u32le(&leer[25]), 0u);
    EXPECT_EQ(std::count(leer.begin() + 29, leer.begin() + 29 + 768, 0), 768);

    // The grammar, strictly.
    Netz_Typen t;
    EXPECT_FALSE(Netz_Typen_Lesen("C-4", &t));  // the result slot comes first
    ASSERT_TRUE(Netz_Typen_Lesen("vC-4", &t));
    EXPECT_TRUE(t.elemente[1].nur_antwort && t.elemente[1].laenge == 4);
    ASSERT_TRUE(Netz_Typen_Lesen("vC<i", &t));
    EXPECT_EQ(t.elemente.size(), 3u);
    EXPECT_EQ(t.elemente[1].laenge, 1u);
    EXPECT_EQ(t.elemente[2].buchstabe, 'i');
    for (const std::string& schlecht : std::vector<std::string>{"", "x", "Vi", "iC4V<=0", "iV<=0C000", "iC<>4",
                                                                "iC12345678", "vC<4X", std::string(50, 'i')})
        EXPECT_FALSE(Netz_Typen_Lesen(schlecht, &t)) << schlecht;
    EXPECT_TRUE(Netz_Typen_Lesen("v" + std::string(30, 'C'), &t));
    EXPECT_FALSE(Netz_Typen_Lesen("v" + std::string(31, 'C'), &t));

    // Arguments that do not fit the string are refused before anything is sent.
    std::vector<u8> aus;
    u8 klein[4];
    EXPECT_FALSE(Netz_Anfrage_Bauen(10, 3, "vV<52i", {netz_arg(Netz_Feld{klein, 4}), netz_arg(7)}, &aus));
    EXPECT_FALSE(Netz_Anfrage_Bauen(10, 3, "vV<52i", {netz_arg(7), netz_arg(7)}, &aus));
    EXPECT_FALSE(Netz_Anfrage_Bauen(1028, 3, "iF4F4iiici",
                                    {netz_arg(Netz_Feld{klein, 4}), netz_arg(Netz_Feld{klein, 4}), netz_arg(1.5f),
                                     netz_arg(2), netz_arg(3), netz_arg(4)},
                                    &aus));
}

TEST_F(Protokoll, ServerRefusesWhatBreaksTheRules) {
    struct Fall {
        const char* name;
        std::vector<u8> anfrage;
        i32 team;
    };
    u8 satz[80000];
    std::vector<u8> lang = Anfrage(2, 3, "vI4", {netz_arg(Netz_Feld{satz, 4})});
    put_u32le(&lang[8], 10001);
    lang.resize(16 + 10001 + 8, 'i');
    std::vector<u8> kurz = Anfrage(10, 3, "vV<52i", {netz_arg(Netz_Feld{satz, 52}), netz_arg(7)});
    kurz.pop_back();
    std::vector<u8> magie = Anfrage(2, 3, "vI4", {netz_arg(Netz_Feld{satz, 4})});
    magie[0] = 0;
    const u8* zeiger = nullptr;
    u32 laenge = 0;
    u32 ids[2] = {5, 7};  // the count says 5 ids, the array holds one
    std::vector<char> text(4097, 'x');
    text.back() = 0;
    const auto feld = [&](void* p, u64 n) { return netz_arg(Netz_Feld{p, n}); };
    const Fall faelle[] = {
        {"1012 mit Liste zu anderer Anzahl",
         Anfrage(1012, 3, "iC<=0C<4C<4C8i",
                 {netz_arg(Netz_Zeiger{&zeiger, &laenge}), feld(satz, 4), feld(satz, 4), feld(ids, 8), netz_arg(3)}),
         3},
        {"1013 mit zu langem Text",
         Anfrage(1013, 3, "iiiiiC40C4097",
                 {netz_arg(3), netz_arg(2), netz_arg(-1), netz_arg(4), feld(satz, 40), feld(text.data(), 4097)}),
         3},
        {"Block 52 mit 41 Bytes", Anfrage(52, 3, "iC41ii", {feld(satz, 41), netz_arg(41), netz_arg(0)}), 3},
        {"Block 17 mit falschen Typen",
         Anfrage(17, 3, "vC<4I<4", {netz_arg(Netz_Feld{satz, 4}), netz_arg(Netz_Feld{satz, 4})}), -1},
        {"Typen-Länge 10001", lang, 3},
        {"Daten zu kurz", kurz, 3},
        {"falsche Kennung", magie, 3},
        {"vor der Teamwahl",
         Anfrage(1016, 3, "viiiii", {netz_arg(3), netz_arg(1), netz_arg(0), netz_arg(0), netz_arg(0)}), -1},
        {"1009 mit Feld zu anderer Anzahl",
         Anfrage(1009, 3, "vC<90ii", {netz_arg(Netz_Feld{satz, 90}), netz_arg(0), netz_arg(11)}), 3},
        {"fremder Platz in Block 19",
         Anfrage(19, 3, "viiC>36i", {netz_arg(4), netz_arg(3), netz_arg(Netz_Feld{satz, 36}), netz_arg(0)}), -1},
    };
    for (const Fall& f : faelle) {
        std::vector<u8> a;
        const char* grund = nullptr;
        EXPECT_FALSE(Netz_Block_Beantworten(0, f.team, f.anfrage.data(), f.anfrage.size(), &a, &grund)) << f.name;
        EXPECT_NE(grund, nullptr) << f.name;
    }
    // A start block is served before the team is bound, and the right
    // block 17 fills the room with the row's entries and their count.
    std::vector<u8> a =
        Antwort(Anfrage(17, 0, "vC<80000I<4", {netz_arg(Netz_Feld{satz, 80000}), netz_arg(Netz_Feld{satz, 4})}), -1);
    EXPECT_EQ(a.size(), 12u + 12 + 4 + 80000 + 4 + 4);
    EXPECT_EQ(a[28], 0x11);
    EXPECT_EQ(a[28 + 240], 0);
    EXPECT_EQ(get_u32le(&a[28 + 80000 + 4]), 3u);

    // The events' array fits its count.
    Antwort(Anfrage(1009, 3, "vC<90ii", {netz_arg(Netz_Feld{satz, 90}), netz_arg(0), netz_arg(10)}));

    // An id without a schema runs no row and is answered with zeroed room.
    a = Antwort(Anfrage(7, 3, "iC<8", {netz_arg(Netz_Feld{satz, 8})}));
    EXPECT_EQ(zeilen_7, 0);
    EXPECT_EQ(a.size(), 12u + 5 + 4 + 4 + 8);
    EXPECT_EQ(std::count(a.begin() + 17, a.end(), 0), 16 - 1);
}

// A client takes only a whole per-minute signal for its own team.
TEST_F(Protokoll, ClientTakesOnlyItsOwnWholeMinuteSignal) {
    static int genommen = 0;
    Netz_Protokoll_Set_Hooks({.eigenes_team = [] { return 5; },
                              .client_signal = [](const u8*, u32 n) { genommen += n == NETZ_SIGNAL_LAENGE; }});
    std::vector<u8> gut(NETZ_SIGNAL_LAENGE, 0);
    put_u32le(&gut[0], NETZ_SIGNAL_MAGIC);
    put_u32le(&gut[4], 1);
    put_u32le(&gut[8], 5);
    struct Fall {
        size_t laenge, stelle;
        u32 wert;
    };
    const Fall faelle[] = {{6283, 0, NETZ_SIGNAL_MAGIC},
                           {12, 0, NETZ_SIGNAL_MAGIC},
                           {6284, 0, 0xCFCECDCD},
                           {6284, 4, 2},
                           {6284, 4, 0},
                           {6284, 8, 6}};
    for (const Fall& f : faelle) {
        std::vector<u8> b = gut;
        put_u32le(&b[f.stelle], f.wert);
        b.resize(f.laenge);
        Netz_Client_Signal(b.data(), static_cast<u32>(b.size()));
    }
    EXPECT_EQ(genommen, 0);
    Netz_Client_Signal(gut.data(), static_cast<u32>(gut.size()));
    EXPECT_EQ(genommen, 1);
    Netz_Protokoll_Set_Hooks({});
}

// The protocol's answer to each request, as the slot of team 4.
bool Protokoll_Antwort(int c, const std::vector<u8>& daten) {
    std::vector<u8> roh, antwort;
    const char* grund = nullptr;
    return Netz_Entpacken(daten.data(), static_cast<u32>(daten.size()), &roh) &&
           Netz_Block_Beantworten(0, 4, roh.data(), roh.size(), &antwort, &grund) &&
           Roh_Schreiben(c, Test_Rahmen(251, Netz_Packen(antwort)));
}

class Ueber_Netz : public Netz_Test {
  protected:
    void SetUp() override {
        Netz_Test::SetUp();
        Zeilen_Anmelden();
        Test_Adresse(2, adresse);
        server_ = std::make_unique<Roh_Server>(adresse, Protokoll_Antwort);
        Internet_Modus = INTERNET_MODUS_CLIENT;
        Main_Set_Hooks(Netz_Main_Hooks());
        Internet_Server_Verbindung = Verbindung_Open(VERBINDUNG_CLIENT, INTERNET_PORT, adresse);
        ASSERT_NE(Internet_Server_Verbindung, nullptr);
        ruf::Leitung_Setzen(Netz_Leitung);
    }
    void TearDown() override {
        ruf::Leitung_Setzen(nullptr);
        Verbindung_Close(Internet_Server_Verbindung);
        Internet_Server_Verbindung = nullptr;
        server_.reset();
        Main_Hooks_Zuruecksetzen();
        Netz_Test::TearDown();
    }
    u8 adresse[4];
    std::unique_ptr<Roh_Server> server_;
};

TEST_F(Ueber_Netz, TypedCallsTravelThroughTheirTypesStrings) {
    const auto satz = ruf::Rufen(T_TEAM, 7);
    ASSERT_TRUE(satz);
    EXPECT_EQ(*satz, team_satz(7));
    const auto spieler = ruf::Rufen(T_SPIELER, 3480, 0, 0);
    ASSERT_TRUE(spieler);
    EXPECT_EQ(spieler->size(), 3480u);
    const auto own = ruf::Rufen(T_OWN, 5);
    ASSERT_TRUE(own);
    EXPECT_EQ(std::get<0>(*own), 1005);
    EXPECT_EQ(std::get<1>(*own)[767], 5);
    std::array<u8, 768> meins;
    meins.fill(0x42);
    EXPECT_TRUE(ruf::Rufen(T_OWN_ZURUECK, meins, 0, 0));
    EXPECT_EQ(zurueck, meins);
    const auto teams = ruf::Rufen(T_STARTTEAMS);
    ASSERT_TRUE(teams);
    EXPECT_EQ(teams->size(), 240u);
    EXPECT_EQ(ruf::Rufen(T_KREDIT, 4, -1, 2.5f, 12, 3, -1.0f, 0x12345678u), std::optional<u8>(1));
    EXPECT_EQ(ruf::Rufen(T_KREDIT, 4, -1, 2.5f, 12, 3, 0.0f, 0x12345678u), std::optional<u8>(0));
    // The winners answer carries all four values; the archive its bytes.
    EXPECT_EQ(ruf::Rufen(T_SIEGER, 60, 2005), std::make_optional(std::make_tuple(61, 2004, 3, -1)));
    const auto archiv = ruf::Rufen(T_ARCHIV, 1234, 2, 3);
    ASSERT_TRUE(archiv);
    EXPECT_EQ(*archiv, std::vector<u8>(1234, 5));
    EXPECT_EQ(ruf::Rufen(T_ARCHIV, 0, 2, 3), std::make_optional(std::vector<u8>{}));
}

class Slots : public Server_Test {
  protected:
    void SetUp() override {
        Netz_Test::SetUp();
        Zeilen_Anmelden();
        stadion.fill(0);
        Server_Starten(3, Netz_Server_Paket);
    }
    // Sends a request and reads the answer (empty when the server closed).
    std::vector<u8> Fragen(int fd, const std::vector<u8>& anfrage) {
        if (!Roh_Schreiben(fd, Test_Rahmen(250, Netz_Packen(anfrage)))) return {};
        std::vector<u8> kopf, daten, antwort;
        if (!Roh_Lesen(fd, 16, kopf) || !Roh_Lesen(fd, get_u32le(&kopf[8]), daten)) return {};
        EXPECT_TRUE(Netz_Entpacken(daten.data(), static_cast<u32>(daten.size()), &antwort));
        return antwort;
    }
    std::vector<u8> Stadion(i32 kopf_team, i32 team, i32 preis) {
        return Anfrage(1016, kopf_team, "viiiii",
                       {netz_arg(team), netz_arg(preis), netz_arg(0), netz_arg(0), netz_arg(0)});
    }
};

TEST_F(Slots, TheSlotsTeamAsksAndBadClientsAreDropped) {
    const int a = Client(), b = Client();
    char name[36] = "Test";
    // Before its team is bound a client may only start.
    EXPECT_TRUE(Fragen(b, Stadion(5, 5, 100)).empty());
    EXPECT_TRUE(Roh_Ende(b));
    EXPECT_TRUE(Pumpen_Bis([] { return Slots_Benutzt() == 1; }));
    // Block 19 binds slot 0 to team 2; the header's team 5 counts for nothing.
    EXPECT_FALSE(
        Fragen(a, Anfrage(19, 5, "viiC>36i", {netz_arg(0), netz_arg(2), netz_arg(Netz_Feld{name, 36}), netz_arg(0)}))
            .empty());
    EXPECT_EQ(Verbindung_Client_Slots[0].team, 2);
    EXPECT_FALSE(Fragen(a, Stadion(5, 5, 100)).empty());
    EXPECT_EQ(stadion[5], 0);
    EXPECT_EQ(gesehen, 2);
    EXPECT_FALSE(Fragen(a, Stadion(5, 2, 300)).empty());
    EXPECT_EQ(stadion[2], 300);

    // A minute's signal speaks for the slot's team; another kind comes back as it was.
    static i32 signal_team = -1;
    Netz_Protokoll_Set_Hooks({.server_signal = [](i32 t, u8*, u32) { signal_team = t; }});
    for (u32 art : {1u, 2u}) {
        std::vector<u8> sig(NETZ_SIGNAL_LAENGE, 3), zurueck;
        put_u32le(&sig[0], NETZ_SIGNAL_MAGIC);
        put_u32le(&sig[4], art);
        put_u32le(&sig[8], 9);
        ASSERT_TRUE(Roh_Schreiben(a, Test_Rahmen(250, sig)));
        ASSERT_TRUE(Roh_Lesen(a, 16 + NETZ_SIGNAL_LAENGE, zurueck));
        EXPECT_EQ(get_u32le(&zurueck[16 + 8]), art == 1 ? 2u : 9u);
    }
    EXPECT_EQ(signal_team, 2);
    Netz_Protokoll_Set_Hooks({});

    // Each of these drops its client; the bound client is still answered.
    u8 satz[4] = {};
    std::vector<u8> lang = Anfrage(2, 3, "vI4", {netz_arg(Netz_Feld{satz, 4})});
    put_u32le(&lang[8], 10001);
    lang.resize(16 + 10001 + 8, 'i');
    std::vector<u8> signal(12);
    put_u32le(&signal[0], NETZ_SIGNAL_MAGIC);
    put_u32le(&signal[4], 1);
    for (const std::vector<u8>& boese :
         {lang, Anfrage(17, 0, "vC<4I<4", {netz_arg(Netz_Feld{satz, 4}), netz_arg(Netz_Feld{satz, 4})}), signal}) {
        const int c = Client();
        if (get_u32le(boese.data()) == NETZ_SIGNAL_MAGIC) ASSERT_TRUE(Roh_Schreiben(c, Test_Rahmen(250, boese)));
        else ASSERT_TRUE(Roh_Schreiben(c, Test_Rahmen(250, Netz_Packen(boese))));
        EXPECT_TRUE(Roh_Ende(c));
        EXPECT_TRUE(Pumpen_Bis([] { return Slots_Benutzt() == 1; }));
        const std::vector<u8> antwort = Fragen(a, Stadion(2, 2, 400));
        EXPECT_FALSE(antwort.empty());
    }
    EXPECT_EQ(stadion[2], 400);
}

}  // namespace

// The lockstep of a networked match with two engines joined by an in-memory
// channel: the server's pitch in the table, the client's copy fetched from it.
#include <algorithm>
#include <cstring>
#include <deque>
#include <memory>
#include <tuple>
#include <vector>

#include "match_test.h"

namespace {

struct Kanal {
    std::deque<std::vector<u8>> zum_server;
    Spielfeld_Daten* server = nullptr;
    int signale = 0, abrufe = 0;
    int tiefste = 0;  // the most signals ever waiting for the server
};
Kanal K;

void client_signal(const Spielfeld_Sync_Signal* s) {
    const u8* b = reinterpret_cast<const u8*>(s);
    K.zum_server.emplace_back(b, b + sizeof *s);
    K.signale++;
}

bool hole(u32 spiel, u8* aus, u32 werte[4]) {
    if (!K.server || K.server->spiel != spiel) return false;
    K.abrufe++;
    return Spielfeld_Internet_Server_Send_Spielfeld(K.server->team[1], aus, &werte[0], nullptr, &werte[2], &werte[3]);
}

class Netz : public MatchTest {
  public:
    void SetUp() override {
        MatchTest::SetUp();
        K = Kanal{};
        server = neu(1, liga[0], liga[1], 2024);
        ASSERT_NE(server, nullptr);
        Spielfeld_Hooks h = Spielfeld_Get_Hooks();
        h.client_signal = &client_signal;
        h.hole_spielfeld = &hole;
        Spielfeld_Set_Hooks(h);
        K.server = server;
        Spielfeld_Set_Netz(server, 1, 0);
        // The client fetches the whole record at kick-off.
        client.reset(new Spielfeld_Daten());
        std::memcpy(static_cast<void*>(client.get()), server, sizeof(Spielfeld_Daten));
        Spielfeld_Set_Netz(client.get(), 2, 1);
        client_team = server->team[1];
    }

    // One frame of both machines: the server steps once, the client `client_schritte` times.
    void frame(int client_schritte) {
        for (auto* sf : {server, client.get()}) {
            int schritte = sf == server ? 1 : client_schritte;
            for (int i = 0; i < schritte; i++) {
                if (sf->halbzeit_status == 2) break;
                Partie_Schritt(sf, 45 * sf->halbzeit);
            }
        }
        K.tiefste = std::max(K.tiefste, static_cast<int>(K.zum_server.size()));
        zustellen(je_frame);
        EXPECT_LE(client->minute, server->minute + 3);
        EXPECT_LE(server->minute, client->minute + 3);
    }
    // Hands up to `n` signals to the server (all when n < 0), each answer
    // straight back to the client.
    void zustellen(int n = -1) {
        for (; !K.zum_server.empty() && n != 0; --n) {
            std::vector<u8> b = K.zum_server.front();
            K.zum_server.pop_front();
            ASSERT_EQ(Spielfeld_Internet_Server_Read_Signal(b.data(), static_cast<u32>(b.size()), client_team), SFN_OK);
            ASSERT_EQ(
                Spielfeld_Internet_Client_Read_Signal(client.get(), b.data(), static_cast<u32>(b.size()), client_team),
                SFN_OK);
            if (client->sync_fehler) {
                EXPECT_TRUE(Spielfeld_Sync_Fehler_Beheben(client.get()));
            }
        }
    }
    // Plays both to the end; returns the checksums of every minute on both.
    void zu_ende(std::vector<u32>* s_server, std::vector<u32>* s_client, int client_schritte,
                 void (*waehrend)(Netz*, int minute) = nullptr) {
        int ls = -1, lc = -1;
        for (int n = 0; n < 100000; n++) {
            if (server->halbzeit_status == 2 && client->halbzeit_status == 2) {
                i32 steht = 0;
                Spielfeld_Run(0, 0, 1, server, 1, &steht, 0, 0);
                Spielfeld_Run(0, 0, 1, client.get(), 1, &steht, 0, 0);
                if (server->halbzeit >= 2) return;
                for (auto* sf : {server, client.get()}) {
                    sf->minute = 45;
                    sf->minuten_teil = 0;
                    Spielfeld_Halbzeit_Start_Feld(sf);
                }
            }
            frame(client_schritte);
            if (waehrend) waehrend(this, client->minute);
            if (server->minute != ls && server->minuten_teil == 0) {
                ls = server->minute;
                s_server->push_back(Spielfeld_Pruefsumme(server));
            }
            if (client->minute != lc && client->minuten_teil == 0) {
                lc = client->minute;
                s_client->push_back(Spielfeld_Pruefsumme(client.get()));
            }
        }
        FAIL() << "the match did not end: server " << server->minute << "/" << int(server->halbzeit) << "/"
               << int(server->halbzeit_status) << " limits " << server->grenze_eigen << "," << server->grenze_andere
               << " client " << client->minute << "/" << int(client->halbzeit) << "/" << int(client->halbzeit_status)
               << " limits " << client->grenze_eigen << "," << client->grenze_andere << " sit "
               << int(server->situation) << "," << int(client->situation);
    }

    Spielfeld_Daten* server = nullptr;
    std::unique_ptr<Spielfeld_Daten> client;
    int je_frame = -1;  // signals the server takes a frame (all when < 0)
    u32 client_team = 0;
};

TEST_F(Netz, BothEnginesPlayTheSameMatchMinuteByMinuteWithCommandsFourMinutesLater) {
    std::vector<u32> a, b;
    zu_ende(&a, &b, 3, [](Netz* t, int minute) {
        // The client changes a player in the 10th minute, the server a tactic in the 20th.
        static bool gewechselt, taktik;
        if (minute == 1) gewechselt = taktik = false;
        if (minute == 10 && !gewechselt) {
            gewechselt = true;
            ASSERT_EQ(Spielfeld_Wechsel_Eintragen(t->client.get(), 1, 28, 22), SFW_OK);
            // Not yet: it takes effect four minutes later.
            EXPECT_EQ(t->client->seite[1].rein[0], 255);
        }
        if (t->server->minute == 20 && !taktik) {
            taktik = true;
            i8 vorher = t->server->seite[0].taktik[TW_WERT1];
            ASSERT_NE(vorher, 80);
            ASSERT_TRUE(Spielfeld_Set_Taktikwert(t->server, 0, TW_WERT1, 80));
            EXPECT_EQ(t->server->seite[0].taktik[TW_WERT1], vorher);  // not yet
        }
        if (t->client->minute == 13) {
            EXPECT_EQ(t->client->seite[1].wechsel_gemacht, 0);
        }
        if (t->client->minute == 25) {
            EXPECT_EQ(t->client->seite[0].taktik[TW_WERT1], 80);
        }
    });
    EXPECT_GT(K.signale, 80);
    EXPECT_EQ(K.abrufe, 0);
    ASSERT_EQ(a.size(), b.size());
    EXPECT_EQ(a, b);
    EXPECT_EQ(server->tore[0], client->tore[0]);
    EXPECT_EQ(server->tore[1], client->tore[1]);
    EXPECT_EQ(server->seite[1].wechsel_gemacht, client->seite[1].wechsel_gemacht);
    // The client's change is made on both (its command no longer refuses
    // itself as a change already pending).
    EXPECT_NE(server->spieler[28].status & SFS_EINGEWECHSELT, 0u);
    EXPECT_NE(server->spieler[22].status & SFS_AUSGEWECHSELT, 0u);
    EXPECT_LT(server->spieler[28].minute_ein, 90);
    EXPECT_GE(server->spieler[28].minute_ein, 14);
    EXPECT_EQ(server->spieler[28].minute_ein, client->spieler[28].minute_ein);
    EXPECT_EQ(server->seite[0].taktik[TW_WERT1], 80);
    EXPECT_EQ(client->seite[0].taktik[TW_WERT1], 80);
    EXPECT_EQ(0, std::memcmp(server->statistik, client->statistik, sizeof server->statistik));
}

TEST_F(Netz, AClientAheadWaitsForTheServersLimit) {
    // The client tries to run three times as fast; it is held two minutes ahead.
    int gewartet = 0;
    for (int f = 0; f < 1500; f++) {
        frame(3);
        EXPECT_LE(client->minute, server->minute + 2);
        gewartet += client->wartet;
    }
    EXPECT_GT(gewartet, 100);
    // The clock-stopped flag tells the runner.
    i32 steht = 0;
    if (client->minute >= client->grenze_andere) {
        Spielfeld_Run(0, 0, 1, client.get(), 1, &steht, 0, 0);
        EXPECT_EQ(steht, 1);
    }
}

TEST_F(Netz, AWaitingClientAsksAgainOnlyOnceItsSignalsAreAnswered) {
    // Held at its limit with no answer coming, the copy asks once (the
    // server answers every signal; the matchday takes the server's record
    // when the answer is long in coming).
    client->grenze_andere = client->minute;
    i32 steht = 0;
    u32 t = 1000;
    for (; t <= 3000; t += 10) Spielfeld_Run(0, 0, 1, client.get(), 1, &steht, 0, t);
    EXPECT_EQ(steht, 1);
    EXPECT_EQ(K.signale, 1);
    EXPECT_EQ(Spielfeld_Signale_Offen(client->spiel), 1u);
    // Answered long after: the copy asks again at once; answered at once:
    // the next question waits the short pause.
    const int vorher = K.signale;
    zustellen();
    client->grenze_andere = client->minute;
    EXPECT_EQ(Spielfeld_Signale_Offen(client->spiel), 0u);
    Spielfeld_Run(0, 0, 1, client.get(), 1, &steht, 0, t);
    EXPECT_EQ(K.signale, vorher + 1);
    const u32 gefragt = t;
    zustellen();
    client->grenze_andere = client->minute;
    for (t += 10; K.signale == vorher + 1 && t < 6000; t += 10) Spielfeld_Run(0, 0, 1, client.get(), 1, &steht, 0, t);
    EXPECT_EQ(K.signale, vorher + 2);
    EXPECT_EQ(client->signal_zeit - gefragt, SF_NACHFRAGE_MS);
    // A clock that went back (a game loaded) asks at once.
    zustellen();
    client->grenze_andere = client->minute;
    Spielfeld_Run(0, 0, 1, client.get(), 1, &steht, 0, 5);
    EXPECT_EQ(K.signale, vorher + 3);
    // The server's record stands for every answer still to come.
    EXPECT_EQ(Spielfeld_Signale_Offen(client->spiel), 1u);
    ASSERT_TRUE(Spielfeld_Internet_Client_Get_Spielfeld(client.get(), client->spiel));
    EXPECT_EQ(Spielfeld_Signale_Offen(client->spiel), 0u);
}

TEST_F(Netz, ABusyServerTakingOneSignalAFrameKeepsTheClientsQuestionsFew) {
    // The server answers one packet of a client per frame, while the client
    // steps six times as often: its questions never pile up, and both
    // machines still play the same match.
    je_frame = 1;
    std::vector<u32> a, b;
    zu_ende(&a, &b, 6);
    EXPECT_LE(K.tiefste, 3);
    ASSERT_GE(a.size(), 80u);
    EXPECT_EQ(a.back(), b.back());
    EXPECT_EQ(Spielfeld_Pruefsumme(server), Spielfeld_Pruefsumme(client.get()));
}

TEST_F(Netz, AForcedMismatchIsFoundAndRepairedByFetchingTheWholeRecord) {
    std::vector<u32> a, b;
    zu_ende(&a, &b, 1, [](Netz* t, int minute) {
        static bool gestoert;
        if (minute == 1) gestoert = false;
        if (minute == 30 && !gestoert) {
            gestoert = true;
            // The client's record draws from another place of the table: its match runs apart.
            t->client->zufall = (t->client->zufall + 1) % RND_TABELLE_GROESSE;
        }
    });
    EXPECT_GE(K.abrufe, 1);
    // After the repair both end identically.
    EXPECT_EQ(server->tore[0], client->tore[0]);
    EXPECT_EQ(server->tore[1], client->tore[1]);
    EXPECT_EQ(Spielfeld_Pruefsumme(server), Spielfeld_Pruefsumme(client.get()));
    EXPECT_EQ(client->netz, 2);
    EXPECT_EQ(client->netz_seite, 1);
    ASSERT_GE(a.size(), 80u);
    EXPECT_EQ(a.back(), b.back());
}

TEST_F(Netz, BadSignalsAreRefusedAndChangeNothing) {
    for (int f = 0; f < 300; f++) frame(1);
    Spielfeld_Sync_Signal sig;
    Spielfeld_Signal_Fuellen(client.get(), client_team, &sig);
    std::vector<u8> gut(reinterpret_cast<u8*>(&sig), reinterpret_cast<u8*>(&sig) + sizeof sig);
    std::vector<u8> vorher(reinterpret_cast<u8*>(server), reinterpret_cast<u8*>(server) + sizeof(Spielfeld_Daten));
    std::vector<u8> b = gut;
    EXPECT_EQ(Spielfeld_Internet_Server_Read_Signal(b.data(), 6283, client_team), SFN_KURZ);
    EXPECT_EQ(Spielfeld_Internet_Server_Read_Signal(nullptr, 6284, client_team), SFN_KURZ);
    b = gut;
    b[0] ^= 1;
    EXPECT_EQ(Spielfeld_Internet_Server_Read_Signal(b.data(), 6284, client_team), SFN_MAGIC);
    b = gut;
    put_u32le(b.data() + 4, 7);  // another kind: left for the relay, unchanged
    EXPECT_EQ(Spielfeld_Internet_Server_Read_Signal(b.data(), 6284, client_team), SFN_ART);
    EXPECT_EQ(get_u32le(b.data() + 4), 7u);
    b = gut;
    EXPECT_EQ(Spielfeld_Internet_Server_Read_Signal(b.data(), 6284, liga[5]), SFN_TEAM);  // not in this match
    b = gut;
    put_u32le(b.data() + 8, server->team[0]);  // claims the other team
    EXPECT_EQ(Spielfeld_Internet_Server_Read_Signal(b.data(), 6284, client_team), SFN_TEAM);
    b = gut;
    put_u32le(b.data() + 12, 4711);
    EXPECT_EQ(Spielfeld_Internet_Server_Read_Signal(b.data(), 6284, client_team), SFN_KEIN_SPIEL);
    // The answer says the match is over and raises no limit: never the client's signal echoed.
    EXPECT_EQ(get_u32le(b.data() + 40), SF_SIGNAL_ENDE);
    EXPECT_EQ(static_cast<i32>(get_u32le(b.data() + 24)), -1);
    EXPECT_EQ(0, std::memcmp(vorher.data(), server, sizeof(Spielfeld_Daten)));
    // The client refuses the same; commands of the wrong side from a client are dropped.
    std::vector<u8> cvorher(reinterpret_cast<u8*>(client.get()),
                            reinterpret_cast<u8*>(client.get()) + sizeof(Spielfeld_Daten));
    b = gut;
    EXPECT_EQ(Spielfeld_Internet_Client_Read_Signal(client.get(), b.data(), 100, client_team), SFN_KURZ);
    b[0] ^= 1;
    EXPECT_EQ(Spielfeld_Internet_Client_Read_Signal(client.get(), b.data(), 6284, client_team), SFN_MAGIC);
    EXPECT_EQ(0, std::memcmp(cvorher.data(), client.get(), sizeof(Spielfeld_Daten)));
    b = gut;
    auto* s = reinterpret_cast<Spielfeld_Sync_Signal*>(b.data());
    s->kommando[0] = Spielfeld_Kommando{};
    s->kommando[0].belegt = 1;
    s->kommando[0].seite = 0;  // the home side is not the client's
    s->kommando[0].minute = static_cast<u16>(server->minute + 4);
    s->kommando[0].nummer = 500;
    s->kommando[0].aenderung = SFA_WERT1;
    EXPECT_EQ(Spielfeld_Internet_Server_Read_Signal(b.data(), 6284, client_team), SFN_OK);
    int offen = 0;
    for (const auto& k : server->kommando) offen += k.belegt == 1 && k.nummer == 500;
    EXPECT_EQ(offen, 0);
    // A fetch that does not fit the match is refused and the record kept.
    Spielfeld_Daten fremd;
    std::memcpy(static_cast<void*>(&fremd), client.get(), sizeof fremd);
    K.server = nullptr;
    EXPECT_FALSE(Spielfeld_Sync_Fehler_Beheben(client.get()));
    EXPECT_EQ(0, std::memcmp(&fremd, client.get(), sizeof fremd));
}

// A client that floods the command table fills only its own side's half and
// only within the window ahead of the current minute: the server's side
// still queues its substitution and plays it.
TEST_F(Netz, AClientFloodingTheCommandTableLeavesTheOtherSidesCommands) {
    for (int f = 0; f < 300; f++) frame(1);
    Spielfeld_Sync_Signal sig;
    Spielfeld_Signal_Fuellen(client.get(), client_team, &sig);
    // Two signals of 32 commands each: far ahead, then within the window.
    for (const u16 minute : {u16(65535), static_cast<u16>(server->minute + SF_KOMMANDO_FENSTER)}) {
        for (int i = 0; i < SF_KOMMANDOS; i++) {
            Spielfeld_Kommando& k = sig.kommando[i];
            k = Spielfeld_Kommando{};
            k.belegt = 1;
            k.seite = 1;
            k.minute = minute;
            k.nummer = static_cast<u32>(1000 + minute % 100 * 100 + i);
            std::memset(k.rein, 255, sizeof k.rein);
            std::memset(k.raus, 255, sizeof k.raus);
        }
        sig.anzahl = SF_KOMMANDOS;
        EXPECT_EQ(Spielfeld_Internet_Server_Read_Signal(reinterpret_cast<u8*>(&sig), sizeof sig, client_team), SFN_OK);
    }
    int client_seite = 0, fern = 0;
    for (const auto& k : server->kommando) {
        client_seite += k.belegt == 1 && k.seite == 1;
        fern += k.belegt == 1 && k.minute > server->minute + SF_KOMMANDO_FENSTER;
    }
    EXPECT_EQ(client_seite, SF_KOMMANDOS_SEITE);
    EXPECT_EQ(fern, 0);
    // The server's manager substitutes: queued, then made at the first dead
    // ball from four minutes later on (not before).
    ASSERT_EQ(Spielfeld_Wechsel_Eintragen(server, 0, 11, 3), SFW_OK);
    const int minute = server->minute;
    for (int f = 0; f < 2000 && server->minute < minute + SF_KOMMANDO_VERZUG; f++) frame(1);
    EXPECT_EQ(server->spieler[11].status & SFS_EINGEWECHSELT, 0u) << "made before its minute";
    for (int f = 0; f < 20000 && !(server->spieler[11].status & SFS_EINGEWECHSELT) &&
                    server->minute < minute + SF_KOMMANDO_VERZUG + 15;
         f++)
        frame(1);
    EXPECT_NE(server->spieler[11].status & SFS_EINGEWECHSELT, 0u);
    EXPECT_NE(server->spieler[3].status & SFS_AUSGEWECHSELT, 0u);
}

// A client's command carries tactic values its screens cannot set (beyond
// 0..100, derived values that do not follow): the server plays its side
// with the values the screens would have set, never a hardness of -128 or
// a push forward of 127.
TEST_F(Netz, AClientsTacticValuesStayWithinTheScreensRange) {
    for (int f = 0; f < 300; f++) frame(1);
    Spielfeld_Sync_Signal sig;
    Spielfeld_Signal_Fuellen(client.get(), client_team, &sig);
    Spielfeld_Kommando& k = sig.kommando[0];
    k = Spielfeld_Kommando{};
    k.belegt = 1;
    k.seite = 1;
    k.minute = static_cast<u16>(server->minute + 2);
    k.nummer = 900;
    k.aenderung = SFA_WERT1 | SFA_SCHALTER | SFA_NEU_BERECHNEN;
    std::memset(k.rein, 255, sizeof k.rein);
    std::memset(k.raus, 255, sizeof k.raus);
    for (auto& p : k.punkte) p[0] = p[1] = -1;
    const i8 werte[10] = {127, -128, 127, 127, -100, -128, 77, 5, -128, 0};
    std::memcpy(k.taktik, werte, sizeof werte);
    sig.anzahl = 1;
    ASSERT_EQ(Spielfeld_Internet_Server_Read_Signal(reinterpret_cast<u8*>(&sig), sizeof sig, client_team), SFN_OK);
    const int minute = server->minute;
    for (int f = 0; f < 2000 && server->minute < minute + 3; f++) Partie_Schritt(server, 45 * server->halbzeit);
    const i8* t = server->seite[1].taktik;
    for (int i = 0; i < TW_FREI; i++) {
        EXPECT_GE(t[i], 0) << i;
        EXPECT_LE(t[i], 100) << i;
    }
    EXPECT_EQ(t[TW_WERT1], 100);
    EXPECT_EQ(t[TW_WERT4], 0);
    EXPECT_EQ(t[TW_WERT2_ABG], (t[TW_WERT2] + 50) / 2);
    EXPECT_EQ(t[TW_WERT3_ABG], (t[TW_WERT3] + 50) / 2);
    EXPECT_EQ(t[TW_WERT3_NULL], t[TW_WERT3] == 0 ? 1 : 0);
}

// Saves and peers hold the records as their little-endian memory image:
// the field lists write exactly that.
TEST_F(Netz, RecordsAreWrittenAsTheirMemoryImage) {
    for (int f = 0; f < 300; f++) frame(1);
    Spielfeld_Sync_Signal sig;
    Spielfeld_Signal_Fuellen(client.get(), client_team, &sig);
    auto abbild = [](const auto& r) {
        const u8* p = reinterpret_cast<const u8*>(&r);
        return std::vector<u8>(p, p + sizeof r);
    };
    EXPECT_EQ(bytes::bild(server, 1), abbild(*server));
    EXPECT_EQ(bytes::bild(&sig, 1), abbild(sig));
}

}  // namespace

namespace {

// A client fetching the server's record keeps its own last-event header and
// replay ring: the server's header may hold a goal of long ago that no view
// took there (a valid goal is never written over), and the client's live
// view then told of that goal in place of the one just scored.
TEST_F(Netz, AFetchedRecordKeepsTheClientsOwnEventHeaderAndReplay) {
    for (int f = 0; f < 300; f++) frame(1);
    const Spielfeld_Ereignis_Kopf tor_67{SFE_TOR, 66, 12, -1, 4, 1};
    const Spielfeld_Ereignis_Kopf tor_96{SFE_TOR, 95, 40, -1, 17, 1};
    struct Fall {
        const char* name;
        Spielfeld_Ereignis_Kopf server, client;
    } faelle[] = {
        {"the client's goal not yet told", tor_67, tor_96},
        {"the client's view took its goal", tor_67, {SFE_TOR, 95, 40, -1, 17, 0}},
        {"nothing on the server", {}, tor_96},
    };
    for (const Fall& f : faelle) {
        server->ereignis = f.server;
        client->ereignis = f.client;
        client->replay_pos = 7, client->replay_anzahl = 9;
        client->replay[6][0][0] = 1234;
        server->replay_pos = 0, server->replay_anzahl = 0;
        server->replay[6][0][0] = 0;
        server->tore[0] = 3;
        client->sync_fehler = 1;
        ASSERT_TRUE(Spielfeld_Sync_Fehler_Beheben(client.get())) << f.name;
        EXPECT_EQ(client->tore[0], 3) << f.name << ": the record is the server's";
        EXPECT_EQ(0, std::memcmp(&client->ereignis, &f.client, sizeof f.client)) << f.name;
        EXPECT_EQ(std::make_tuple(client->replay_pos, client->replay_anzahl, client->replay[6][0][0]),
                  std::make_tuple(u16{7}, u16{9}, i16{1234}))
            << f.name;
    }
}

}  // namespace

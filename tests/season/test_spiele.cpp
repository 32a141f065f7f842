// The fixture database: plan sizes, single-game insertion, the lock handles,
// the sorted stores, the save block and the server rows.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "base/datei.h"
#include "base/debug.h"
#include "base/ereignis_flags.h"
#include "base/globals.h"
#include "matchday/season_netz.h"
#include "season/netz_rufe.h"
#include "season/ereignisse.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "season_test_hilfen.h"

namespace {

class Spiele : public ::testing::Test {
  protected:
    void SetUp() override {
        season_test::Spielplaene_Anlegen(
            "NEUER_WETTBEWERB\nIDENTIFIKATION LIGA\nNAME \"Liga\"\nTEAMS 7\nSPIELTAGE 14\nHEIMRECHT_DUMMY 1\n"
            "MODUS HEIMRECHT\n"
            "NEUER_WETTBEWERB\nIDENTIFIKATION POKAL\nNAME \"Pokal\"\nTEAMS 16\nMODUS KO_SYSTEM\nMODUS RUECKSPIELE\n",
            2);
    }
    void TearDown() override { season_test::Spielplaene_Freigeben(); }
    static constexpr u32 LIGA = 50, POKAL = 51;
};

TEST_F(Spiele, SpielanzahlenDerPlaene) {
    EXPECT_EQ(Spiele_Anzahl_Spiele(Wettbewerb_Get_Spielplan(LIGA)), 56u);   // 4 games x 14 matchdays
    EXPECT_EQ(Spiele_Anzahl_Spiele(Wettbewerb_Get_Spielplan(POKAL)), 30u);  // (8+4+2+1) x 2 legs
    const Spielplan_Kopf* k = Spiele_Get_Kopf(Wettbewerb_Get_Spielplan(POKAL));
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->modus, 0u);
    EXPECT_EQ(k->spieltage, 4u);
    EXPECT_EQ(k->runden, 2u);
    // Round by round, first legs before second legs.
    i32 h = Spiele_Lock_Nummer(Wettbewerb_Get_Spielplan(POKAL), 8);
    ASSERT_NE(h, 0);
    const Spiel* s = Spiele_Get_Spiel(h, false);
    EXPECT_EQ(s->spieltag, 0);
    EXPECT_EQ(s->runde, 1);
    EXPECT_EQ(s->index, 0);
    EXPECT_EQ(s->tore_a, -1);
    EXPECT_EQ(s->team_a, -1);
    EXPECT_EQ(s->niederschlag, 255);
    EXPECT_EQ(s->wettbewerb, POKAL);
    EXPECT_STREQ(Spiele_Format_Ergebnis(s, 0, true), "");
    Spiele_Unlock(h);
    // Odd plans and plans that cannot exist.
    EXPECT_EQ(Spiele_Anzahl_Spiele(Spiele_Neuer_Spielplan(0, 15, 4, 1, 60, -1)), 8u + 4 + 2 + 1);
    EXPECT_EQ(Spiele_Neuer_Spielplan(1, 20, 46, 30000, 60, -1), -1);
    EXPECT_EQ(Spiele_Neuer_Spielplan(1, 20, -3, 1, 60, -1), -1);
}

TEST_F(Spiele, FuenfhundertLocksUndDerNaechsteScheitert) {
    Debug_Mitschnitt log;
    std::vector<i32> h;
    for (int i = 0; i < 500; ++i) {
        h.push_back(Spiele_Lock(LIGA, i % 14, 0, i % 4));
        ASSERT_EQ(h.back(), i + 1);
    }
    EXPECT_EQ(Spiele_Freier_Lock(), -1);
    EXPECT_EQ(Spiele_Lock(LIGA, 0, 0, 0), 0);
    EXPECT_TRUE(log.Enthaelt("Kein weiterer Lock verfügbar."));
    Spiele_Unlock(-1);
    EXPECT_EQ(Spiele_Freier_Lock(), 0);
    EXPECT_EQ(Spiele_Get_Spiel(h[0], true), nullptr);
    EXPECT_TRUE(log.Enthaelt("Versuchter Zugriff auf nicht gelocken Datensatz."));
    // Two locks of one game: releasing one leaves the other.
    i32 a = Spiele_Lock(LIGA, 3, 0, 1), b = Spiele_Lock(LIGA, 3, 0, 1);
    ASSERT_NE(a, b);
    Spiele_Unlock(a);
    EXPECT_NE(Spiele_Get_Spiel(b, true), nullptr);
    Spiele_Unlock(0);
    EXPECT_TRUE(log.Enthaelt("Versuchtes Unlock auf ungültiges Element NULL."));
    Spiele_Unlock(a);
    EXPECT_TRUE(log.Enthaelt("Versuchtes Unlock eines nicht gelocken Datensatzes."));
    EXPECT_EQ(Spiele_Lock(LIGA, 99, 0, 0), 0);
    {
        Spiele_Lock_Halter halter(Spiele_Lock(LIGA, 0, 0, 0));
        EXPECT_TRUE(halter);
    }
    Spiele_Unlock(b);
    EXPECT_EQ(Spiele_Freier_Lock(), 0);
}

TEST_F(Spiele, DatensatzUeberHandles) {
    i32 h = Spiele_Lock(LIGA, 2, 0, 1);
    Spiele_Set_Teams(h, 0, 5);  // the empty side gets its placeholder only
    EXPECT_EQ(Spiele_Get_Spiel(h, true)->team_a, 1);
    EXPECT_EQ(Spiele_Get_Spiel(h, true)->team_b, 5);
    Spiele_Set_Teams(h, 7, 9);
    Spiele_Ergebnis_Nullen(h);
    Spiele_Set_Ergebnis(h, 3, 1, 2);
    Spiele_Set_Zuschauer(h, 12000);
    Spiele_Set_Minute(h, 89);
    Spiele_Set_Minute(h, -1);
    const Spiel* s = Spiele_Get_Spiel(h, true);
    EXPECT_EQ(s->tore_a, 3);
    EXPECT_EQ(s->tore_b, 1);
    EXPECT_EQ(s->zuschauer, 12000u);
    EXPECT_EQ(s->minute, 90);
    EXPECT_EQ(Spiele_Get_Seite(h, 9), 1);
    EXPECT_EQ(Spiele_Get_Seite(h, 7), 0);
    // The return game finds its first leg.
    i32 r = Spiele_Lock(LIGA, 9, 0, 2);
    Spiele_Set_Teams(r, 9, 7);
    i32 hin = Spiele_Get_Hinspiel(r);
    ASSERT_NE(hin, 0);
    EXPECT_EQ(Spiele_Get_Spiel(hin, true)->spieltag, 2);
    Spiele_Team_Tausch(Wettbewerb_Get_Spielplan(LIGA), 7, 9);
    EXPECT_EQ(Spiele_Get_Spiel(h, true)->team_a, 9);
    Spiele_Ergebnisse_Loeschen(LIGA);
    EXPECT_EQ(Spiele_Get_Spiel(h, true)->tore_a, -1);
    EXPECT_EQ(Spiele_Get_Spiel(h, true)->team_a, -1);
    EXPECT_EQ(Spiele_Get_Spiel(h, true)->tore_b, -1);  // a first goal of A must not meet an old score of B
    Spiele_Spiel_Clear(h);
    EXPECT_EQ(Spiele_Get_Spiel(h, true), nullptr);  // clearing releases the handle
    // A network client writes nothing.
    Spiele_Set_Teams(r, 9, 7);
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Spiele_Set_Teams(r, 1, 2);
    Internet_Modus = INTERNET_MODUS_EINZEL;
    EXPECT_EQ(Spiele_Get_Spiel(r, true)->team_a, 9);
    Spiele_Unlock(-1);
}

TEST_F(Spiele, EinfuegenVerschiebtSpieleUndLocks) {
    const i32 plan = Wettbewerb_Get_Spielplan(LIGA);
    i32 spaet = Spiele_Lock(LIGA, 5, 0, 0);
    Spiele_Set_Teams(spaet, 11, 12);
    i32 frueh = Spiele_Lock(LIGA, 1, 0, 0);
    Spiele_Set_Teams(frueh, 13, 14);
    u32 md = 0, leg = 9, idx = 0;
    EXPECT_EQ(Spiele_Spiel_Einfuegen(1, LIGA, 3, 0, 21, 22, &md, &leg, &idx), plan);
    EXPECT_EQ(md, 3u);
    EXPECT_EQ(leg, 0u);
    EXPECT_EQ(idx, 4u);
    EXPECT_EQ(Spiele_Anzahl_Spiele(plan), 57u);
    // Every lock still names its own game.
    EXPECT_EQ(Spiele_Get_Spiel(spaet, true)->team_a, 11);
    EXPECT_EQ(Spiele_Get_Spiel(frueh, true)->team_a, 13);
    i32 neu = Spiele_Lock(LIGA, 3, 0, 4);
    ASSERT_NE(neu, 0);
    EXPECT_EQ(Spiele_Get_Spiel(neu, true)->team_b, 22);
    // A new matchday shifts the later games.
    Spiele_Spiel_Einfuegen(1, LIGA, 4, 1, 31, 32);
    EXPECT_EQ(Spiele_Get_Spiel(spaet, true)->spieltag, 6);
    EXPECT_EQ(Spiele_Get_Kopf(plan)->spieltage, 15u);
    // A matchday that does not exist appends at the end with index 0.
    Spiele_Spiel_Einfuegen(1, LIGA, 80, 0, 41, 42, &md, &leg, &idx);
    EXPECT_EQ(md, 15u);
    EXPECT_EQ(idx, 0u);
    Spiele_Unlock(-1);
}

TEST_F(Spiele, SortierterSpeicherWaechstUmZwanzigProzent) {
    Spiele_Speicher s(12, 10);
    for (u32 k : {50u, 10u, 30u, 20u, 40u}) ASSERT_NE(s.Holen(k), nullptr);
    for (u32 i = 0; i < s.Anzahl(); ++i) EXPECT_EQ(get_u32le(s.Eintrag(i)), 10u * (i + 1));
    EXPECT_EQ(s.Finden(30), 2);
    u32 pos = 0;
    EXPECT_EQ(s.Finden(35, &pos), -1);
    EXPECT_EQ(pos, 3u);
    for (u32 k = 100; s.Anzahl() < 9; ++k) s.Holen(k);
    EXPECT_EQ(s.Kapazitaet(), 10u);
    s.Holen(5);  // the count would reach the capacity
    EXPECT_EQ(s.Kapazitaet(), 12u);
    s.Loeschen(0);
    EXPECT_EQ(get_u32le(s.Eintrag(0)), 10u);
    u8 unsortiert[24] = {};
    put_u32le(unsortiert, 9);
    put_u32le(unsortiert + 12, 3);
    EXPECT_FALSE(s.Setzen(unsortiert, 2, 4));
}

// The event store grows by a fifth in memory too, and a busy day's growth
// is let go once the store is compacted: the memory it holds after the day
// is what it held before.
TEST_F(Spiele, EreignisSpeicherBehaeltKeinenSpitzentag) {
    constexpr u32 BASIS = SPIELE_EREIGNIS_KAPAZITAET, G = SPIELE_EREIGNIS_GROESSE;
    struct Fall {
        const char* name;
        std::vector<u32> bloecke;
        u32 kapazitaet;
    } faelle[] = {
        {"passt", {1000, 2000}, BASIS},
        {"ein Fuenftel", {BASIS}, BASIS * 6 / 5},
        {"zwei Fuenftel", {BASIS, BASIS / 5 + 1}, BASIS * 6 / 5 * 6 / 5},
        {"mehr als ein Fuenftel auf einmal", {BASIS / 2, BASIS}, BASIS / 2 + BASIS + 1},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        ASSERT_TRUE(Spiele_Init());
        Spiele_Ereignisse_Verdichten();
        const size_t ruhe = Spiele_Ereignis_Speicher_Bytes();
        EXPECT_EQ(ruhe, 2u * BASIS * G);
        for (u32 n : f.bloecke) EXPECT_NE(Spiele_Ereignis_Block(n), 0u);
        EXPECT_EQ(Spiele_Ereignis_Kapazitaet(), f.kapazitaet);
        EXPECT_EQ(Spiele_Ereignis_Speicher_Bytes(), static_cast<size_t>(f.kapazitaet + BASIS) * G);
        for (int tag = 0; tag < 3; ++tag) {
            Spiele_Ereignisse_Verdichten();
            EXPECT_EQ(Spiele_Ereignis_Kapazitaet(), BASIS);
            EXPECT_EQ(Spiele_Ereignis_Speicher_Bytes(), ruhe);
        }
    }
}

TEST_F(Spiele, BereichLoeschenGleichtDemLoeschenEinzeln) {
    // A run of keys removed in one move leaves the store byte for byte as
    // removing its entries one by one does (the store holds only the
    // entries in use: its capacity is reserved, not filled).
    struct Fall {
        const char* was;
        u32 von;
        u64 bis;
        u32 weg;
    } const faelle[] = {
        {"the middle", 30, 60, 3},      {"from the first", 0, 25, 2},    {"to the last", 70, 1000, 4},
        {"between keys", 31, 39, 0},    {"none: empty range", 50, 50, 0}, {"none: reversed", 60, 30, 0},
        {"all", 0, 1ull << 33, 10},     {"beyond the keys", 200, 1ull << 40, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        Spiele_Speicher einzeln(9, 16), bereich(9, 16);
        for (u32 k = 10; k <= 100; k += 10) {
            einzeln.Holen(k)[6] = static_cast<u8>(k);
            bereich.Holen(k)[6] = static_cast<u8>(k);
        }
        for (u32 i = einzeln.Anzahl(); i-- > 0;) {
            const u32 k = get_u32le(einzeln.Eintrag(i));
            if (k >= f.von && k < f.bis) einzeln.Loeschen(i);
        }
        EXPECT_EQ(bereich.Loeschen_Bereich(f.von, f.bis), f.weg);
        ASSERT_EQ(bereich.Anzahl(), einzeln.Anzahl());
        EXPECT_EQ(bereich.Kapazitaet(), einzeln.Kapazitaet());
        EXPECT_EQ(0, std::memcmp(bereich.Eintrag(0), einzeln.Eintrag(0), 9 * bereich.Anzahl()));
    }
}

TEST_F(Spiele, SpeicherblockByteGleich) {
    i32 h = Spiele_Lock(POKAL, 1, 1, 2);
    Spiele_Set_Teams(h, 4, 8);
    Spiele_Set_Ergebnis(h, 2, 2, 2);
    Spiele_Lock(LIGA, 13, 0, 3);
    for (u32 k = 1; k < 40; ++k) {
        Spiele_Get_Speicher(SPEICHER_EREIGNIS_ERW)->Holen(k * 7)[5] = static_cast<u8>(k);
        Spiele_Get_Speicher(SPEICHER_SIEGER)->Holen(k * 640 + 50);
    }
    Spiele_Spiel_Einfuegen(1, LIGA, 2, 0, 3, 4);
    std::vector<u8> a = season_test::Block_Bytes(Spiele_Save);
    Spiele_Init();
    Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(a.data(), static_cast<u32>(a.size()));
    ASSERT_TRUE(Spiele_Load(d));
    Datei_Schliessen(d);
    EXPECT_EQ(Spiele_Get_Spiel(h, true)->team_b, 8);
    EXPECT_EQ(Spiele_Get_Speicher(SPEICHER_EREIGNIS_ERW)->Anzahl(), 39u);
    std::vector<u8> b = season_test::Block_Bytes(Spiele_Save);
    EXPECT_EQ(a, b);
}

TEST_F(Spiele, BeschaedigterSpeicherblockLaesstAllesWieEsWar) {
    std::vector<u8> a = season_test::Block_Bytes(Spiele_Save);
    i32 h = Spiele_Lock(LIGA, 0, 0, 0);
    Spiele_Set_Teams(h, 3, 4);
    for (size_t cut : {size_t{10}, a.size() / 2, a.size() - 3}) {
        Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(a.data(), static_cast<u32>(cut));
        EXPECT_FALSE(Spiele_Load(d));
        Datei_Schliessen(d);
        ASSERT_NE(Spiele_Get_Spiel(h, true), nullptr);
        EXPECT_EQ(Spiele_Get_Spiel(h, true)->team_a, 3);
    }
    // The first plan's size in its node header, and its game count.
    for (size_t stelle : {size_t{20 + 4 + 16}, size_t{20 + 4 + 24 + 16}}) {
        std::vector<u8> b = a;
        b[stelle] ^= 0x40;
        Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(b.data(), static_cast<u32>(b.size()));
        EXPECT_FALSE(Spiele_Load(d)) << stelle;
        Datei_Schliessen(d);
        EXPECT_EQ(Spiele_Get_Spiel(h, true)->team_a, 3);
    }
}

TEST_F(Spiele, ServerZeilen) {
    Spiel puffer[SPIELE_SEITE];
    EXPECT_EQ(Spiele_Internet_Server_Send_Spiele(LIGA, 4, 0, 0, puffer), 4);
    EXPECT_EQ(puffer[3].index, 3);
    EXPECT_EQ(Spiele_Freier_Lock(), 0);  // the row released its locks
    // A matchday with more than one page of games is sent page by page.
    i32 gross = Spiele_Neuer_Spielplan(1, 128, 1, 1, 60, -1);
    Wettbewerb_Tabelle[2] = Wettbewerb_Standard();
    std::strcpy(Wettbewerb_Tabelle[2].name, "Gross");
    Wettbewerb_Tabelle[2].id = 60;
    Wettbewerb_Tabelle[2].spielplan = gross;
    EXPECT_EQ(Spiele_Internet_Server_Send_Spiele(60, 0, 0, 0, puffer), 50);
    EXPECT_EQ(Spiele_Internet_Server_Send_Spiele(60, 0, 0, 57, puffer), 14);
    EXPECT_EQ(puffer[0].index, 50);
    u32 cap = 0, anzahl = 0;
    Spiele_Internet_Server_Send_Anzahl(&cap, &anzahl);
    EXPECT_EQ(cap, SPIELE_EREIGNIS_KAPAZITAET);
    EXPECT_EQ(anzahl, 1u);
    u8 ev[9 * 3];
    EXPECT_EQ(Spiele_Internet_Server_Send_Ereignisse(SPIELE_EREIGNIS_KAPAZITAET - 1, 3, ev, sizeof ev), 1);
    // Goals counted from the events up to a minute.
    i32 h = Spiele_Lock(LIGA, 0, 0, 1);
    Spiele_Set_Teams(h, 5, 6);
    Spiel* s = Spiele_Get_Spiel(h, true);
    s->erstes_ereignis = 10;
    s->ereignis_anzahl = 3;
    const u8 minuten[3] = {10, 50, 80};
    const u32 flags[3] = {4 | 1, 4, 4 | 1};
    for (int i = 0; i < 3; ++i) {
        u8* e = Spiele_Ereignis(10 + i);
        put_u32le(e + 4, flags[i]);
        e[8] = minuten[i];
    }
    Spiele_Unlock(h);
    std::vector<u8> tore;
    ASSERT_EQ(Spiele_Internet_Server_Send_Tore(LIGA, 0, 0, 60, tore), 4);
    EXPECT_EQ(get_u32le(tore.data() + 6), 5u);
    EXPECT_EQ(tore[6 + 4], 1);
    EXPECT_EQ(tore[6 + 5], 1);
    std::vector<u8> zeilen;
    Spiele_Get_Speicher(SPEICHER_EREIGNIS_ERW)->Holen(2 * 1000 + 7 + 1)[4] = 3;
    ASSERT_EQ(Spiele_Internet_Server_Send_Wettbewerb_Ereignisse(2000, 1000, zeilen), 1);
    EXPECT_EQ(get_u32le(zeilen.data()), 2u);
    EXPECT_EQ(get_u32le(zeilen.data() + 4), 7u);
    EXPECT_EQ(zeilen[8], 3);
}

}  // namespace

namespace {

// A loop-back network: the client's typed calls are answered by the server
// rows of this same process (the call layer's local line).
int aufrufe_1006 = 0;
bool zaehlende_leitung(u16 nummer, const std::vector<u8>& argumente, std::vector<u8>* antwort) {
    if (nummer == 1006) ++aufrufe_1006;
    return ruf::Lokale_Leitung(nummer, argumente, antwort);
}

class SpieleClient : public Spiele {
  protected:
    void SetUp() override {
        Spiele::SetUp();
        Season_Netz_Anmelden();
        ruf::Leitung_Setzen(zaehlende_leitung);
        aufrufe_1006 = 0;
    }
    void TearDown() override {
        ruf::Leitung_Setzen(nullptr);
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Spiele::TearDown();
    }
};

TEST_F(SpieleClient, LockAufDemClientGibtDieBytesDesServers) {
    i32 h = Spiele_Lock(LIGA, 6, 0, 3);
    Spiele_Set_Teams(h, 12, 13);
    Spiele_Set_Ergebnis(h, 4, 0, 2);
    const Spiel server = *Spiele_Get_Spiel(h, false);
    Spiele_Unlock(h);
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Spiele_Internet_Client_Reset();
    i32 c = Spiele_Lock(LIGA, 6, 0, 3);
    ASSERT_NE(c, 0);
    EXPECT_EQ(0, std::memcmp(Spiele_Get_Spiel(c, true), &server, sizeof server));
    EXPECT_EQ(aufrufe_1006, 1);
    // The other games of the page came with it: no further call.
    i32 d = Spiele_Lock(LIGA, 6, 0, 1);
    ASSERT_NE(d, 0);
    EXPECT_EQ(Spiele_Get_Spiel(d, true)->index, 1);
    EXPECT_EQ(aufrufe_1006, 1);
    // A game the server does not have is remembered as missing.
    EXPECT_EQ(Spiele_Lock(LIGA, 6, 0, 9), 0);
    EXPECT_EQ(aufrufe_1006, 2);
    EXPECT_EQ(Spiele_Lock(LIGA, 6, 0, 9), 0);
    EXPECT_EQ(aufrufe_1006, 2);
    Spiele_Unlock(-1);
}

// A client's own event store holds nothing of the server's matches: the
// server's records are laid back only while a call is answered, as the
// server's machine would answer it.
std::vector<u8> server_ereignisse;
u32 server_erstes = 0;
int aufrufe_1009 = 0;
bool getrennte_leitung(u16 nummer, const std::vector<u8>& argumente, std::vector<u8>* antwort) {
    if (nummer == 1009) ++aufrufe_1009;
    if (nummer == 1006) ++aufrufe_1006;
    if (server_ereignisse.empty()) return ruf::Lokale_Leitung(nummer, argumente, antwort);
    u8* ort = Spiele_Ereignis(server_erstes);
    std::vector<u8> client(ort, ort + server_ereignisse.size());
    std::memcpy(ort, server_ereignisse.data(), server_ereignisse.size());
    const bool ok = ruf::Lokale_Leitung(nummer, argumente, antwort);
    std::memcpy(ort, client.data(), client.size());
    return ok;
}

TEST_F(SpieleClient, ToreUndEreignisseVomServer) {
    // On the server: a goal event in game 2 of matchday 0.
    i32 h = Spiele_Lock(LIGA, 0, 0, 2);
    Spiel* s = Spiele_Get_Spiel(h, true);
    s->erstes_ereignis = 20;
    s->ereignis_anzahl = 1;
    u8* e = Spiele_Ereignis(20);
    put_u32le(e + 4, 4 | 1);
    e[8] = 30;
    Spiele_Unlock(h);
    server_erstes = 20;
    server_ereignisse.assign(Spiele_Ereignis(20), Spiele_Ereignis(21));
    ruf::Leitung_Setzen(getrennte_leitung);
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Spiele_Internet_Client_Reset();
    i32 eigen = Spiele_Lock(LIGA, 0, 0, 0);
    i32 c = Spiele_Lock(LIGA, 0, 0, 2);
    EXPECT_EQ(Spiele_Get_Spiel(c, true)->tore_a, -1);
    EXPECT_EQ(Spiele_Hole_Tore(LIGA, 0, 0, -1, eigen), 3);  // every cached game but the own one
    EXPECT_EQ(Spiele_Get_Spiel(c, true)->tore_a, 1);
    EXPECT_EQ(Spiele_Get_Spiel(eigen, true)->tore_a, -1);
    // The event records come over when first needed; the server's store is
    // this process's store, so clear the copy first.
    put_u32le(Spiele_Ereignis(20) + 4, 0);
    EXPECT_FALSE(Spiele_Ereignisse_Holen(0));
    EXPECT_FALSE(Spiele_Ereignisse_Holen(SPIELE_EREIGNIS_KAPAZITAET + 5));
    Spiele_Unlock(-1);
    server_ereignisse.clear();
}

// The results page's half-time score and the goals page's goal list read a
// match's events: on a client they come from the server when first read.
TEST_F(SpieleClient, EreignisseEinesSpielsKommenVomServerWennGelesen) {
    i32 h = Spiele_Lock(LIGA, 0, 0, 2);
    Spiele_Set_Teams(h, 3, 4);
    Spiel* s = Spiele_Get_Spiel(h, true);
    s->erstes_ereignis = server_erstes = 40;
    s->ereignis_anzahl = 3;
    s->tore_a = 2, s->tore_b = 1;
    const struct {
        u32 flags;
        u8 minute;
    } tore[] = {{SFE_TOR | SFE_TEAM_A, 30}, {SFE_TOR, 60}, {SFE_TOR | SFE_TEAM_A, 80}};
    for (u32 k = 0; k < 3; ++k) {
        u8* e = Spiele_Ereignis(40 + k);
        std::memset(e, 0, SPIELE_EREIGNIS_GROESSE);
        put_u32le(e + 4, tore[k].flags);
        e[8] = tore[k].minute;
    }
    Spiele_Unlock(h);
    server_ereignisse.assign(Spiele_Ereignis(40), Spiele_Ereignis(43));
    std::memset(Spiele_Ereignis(40), 0, server_ereignisse.size());
    ruf::Leitung_Setzen(getrennte_leitung);
    aufrufe_1009 = 0;
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Spiele_Internet_Client_Reset();

    i32 c = Spiele_Lock(LIGA, 0, 0, 2);
    ASSERT_NE(c, 0);
    i32 a = -1, b = -1;
    ASSERT_TRUE(Spiele_Get_Tore_Zeitraum(c, 0, 45, &a, &b));
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 0);
    ASSERT_TRUE(Spiele_Get_Tore_Zeitraum(c, -1, -1, &a, &b));
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 1);
    Spiele_Ereignis_Iterator it;
    Spiele_Ereignis_Daten d;
    int n = 0;
    for (bool da = it.Erstes(c, &d); da; da = it.Naechstes(&d)) ++n;
    EXPECT_EQ(n, 3);
    // Fetched once: read again they are here.
    EXPECT_EQ(aufrufe_1009, 1);
    Spiele_Unlock(-1);
    server_ereignisse.clear();
}

// The goals page after a match lists the game's goal events. A client that
// cached the game before its goals fell on the server gets the events with
// the goals: when it asks for the matchday's goals (the other games), or
// when its own match has ended there. Asked again with nothing new, nothing
// is fetched anew.
TEST_F(SpieleClient, EinVorherGeholtesSpielBekommtSeineToreMitDenEreignissen) {
    enum Weg { TORE_DES_SPIELTAGS, EIGENES_SPIELENDE };
    struct Fall {
        const char* name;
        Weg weg;
        u32 index;
    } const faelle[] = {{"die Tore des Spieltags", TORE_DES_SPIELTAGS, 2},
                        {"das Ende des eigenen Spiels", EIGENES_SPIELENDE, 3}};
    const struct {
        u32 flags;
        u8 minute;
        i32 spieler;
    } tore[] = {{SFE_TOR | SFE_TEAM_A, 21, 7}, {SFE_TOR, 66, 40}, {SFE_GELB, 70, 41}};
    ruf::Leitung_Setzen(getrennte_leitung);
    for (const Fall& f : faelle) {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        i32 h = Spiele_Lock(LIGA, 1, 0, f.index);
        Spiele_Set_Teams(h, 3, 4);
        Spiele_Unlock(h);
        Internet_Modus = INTERNET_MODUS_CLIENT;
        Spiele_Internet_Client_Reset();
        i32 c = Spiele_Lock(LIGA, 1, 0, f.index);
        ASSERT_NE(c, 0) << f.name;
        EXPECT_EQ(Spiele_Get_Spiel(c, true)->ereignis_anzahl, 0u) << f.name;
        Spiele_Unlock(c);
        // On the server the match is played: two goals and a card.
        Internet_Modus = INTERNET_MODUS_EINZEL;
        h = Spiele_Lock(LIGA, 1, 0, f.index);
        Spiel* s = Spiele_Get_Spiel(h, true);
        s->erstes_ereignis = server_erstes = 60;
        s->ereignis_anzahl = 3;
        s->tore_a = 1, s->tore_b = 1;
        for (u32 k = 0; k < 3; ++k) {
            u8* e = Spiele_Ereignis(60 + k);
            std::memset(e, 0, SPIELE_EREIGNIS_GROESSE);
            put_u32le(e, static_cast<u32>(tore[k].spieler));
            put_u32le(e + 4, tore[k].flags);
            e[8] = tore[k].minute;
        }
        Spiele_Unlock(h);
        server_ereignisse.assign(Spiele_Ereignis(60), Spiele_Ereignis(63));
        std::memset(Spiele_Ereignis(60), 0, server_ereignisse.size());
        Internet_Modus = INTERNET_MODUS_CLIENT;
        if (f.weg == TORE_DES_SPIELTAGS) {
            EXPECT_GE(Spiele_Hole_Tore(LIGA, 1, 0, -1, 0), 1) << f.name;
            const int geholt = aufrufe_1006;
            Spiele_Hole_Tore(LIGA, 1, 0, -1, 0);
            EXPECT_EQ(aufrufe_1006, geholt) << f.name << ": nothing new, nothing fetched";
        } else {
            Spiele_Client_Spiel_Holen(LIGA, 1, 0, f.index);
        }
        // What the goals page reads: the game's events, the goals among them.
        c = Spiele_Lock(LIGA, 1, 0, f.index);
        ASSERT_NE(c, 0) << f.name;
        EXPECT_EQ(std::make_pair(Spiele_Get_Spiel(c, true)->tore_a, Spiele_Get_Spiel(c, true)->tore_b),
                  std::make_pair(i8{1}, i8{1}))
            << f.name;
        std::vector<std::pair<i32, i32>> gelesen;
        Spiele_Ereignis_Iterator it;
        Spiele_Ereignis_Daten d;
        for (bool da = it.Erstes(c, &d); da; da = it.Naechstes(&d))
            if (d.flags & SFE_TOR) gelesen.emplace_back(d.minute, d.spieler);
        EXPECT_EQ(gelesen, (std::vector<std::pair<i32, i32>>{{21, 7}, {66, 40}})) << f.name;
        Spiele_Unlock(-1);
        server_ereignisse.clear();
    }
}

TEST_F(SpieleClient, NachUmlaufDesRingsWirdNeuGeholt) {
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Spiele_Internet_Client_Reset();
    i32 h = Spiele_Lock(LIGA, 0, 0, 0);
    ASSERT_NE(h, 0);
    Spiele_Unlock(h);
    const int vorher = aufrufe_1006;
    // 5,000 further stores: missing games of other competitions.
    for (u32 i = 0; i < 5000; ++i) Spiele_Lock(70, i / 100, 0, i % 100);
    const int mitte = aufrufe_1006;
    EXPECT_EQ(mitte - vorher, 5000);
    h = Spiele_Lock(LIGA, 0, 0, 0);
    EXPECT_NE(h, 0);
    EXPECT_EQ(aufrufe_1006, mitte + 1);
    Spiele_Unlock(-1);
}

}  // namespace

namespace {

// Call 1008 answers what 1007 answers: the event store's capacity and count.
TEST_F(SpieleClient, Aufruf1008WieAufruf1007) {
    Internet_Modus = INTERNET_MODUS_CLIENT;
    const auto a = ruf::Rufen(RUF_SPIELE_ANZAHL), b = ruf::Rufen(RUF_SPIELE_INIT);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(*a, *b);
    EXPECT_EQ(std::get<0>(*b), static_cast<u32>(SPIELE_EREIGNIS_KAPAZITAET));
    // Argument bytes the row does not take are refused, the row not run.
    const u8 zuviel[4] = {1, 2, 3, 4};
    std::vector<u8> aus;
    EXPECT_FALSE(ruf::Zeile_Ausfuehren(1008, zuviel, sizeof zuviel, &aus));
}

}  // namespace

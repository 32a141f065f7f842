// The market's dealings of a managed club (world/markt.h) in the shipped
// world: the proceeds of a sale, the transfer window, the negotiation's
// transfer, the server's rules for a purchase, a scout's paid search and
// hiring, and the same steps from network clients through the call layer:
// each booking once, two managers never both get one player, and money
// summed over all clubs moves only by the bookings made.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "base/globals.h"
#include "base/random.h"
#include "base/ruf.h"
#include "welt_test.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/markt.h"
#include "world/netz.h"
#include "world/netz_rufe.h"
#include "world/spieler.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

constexpr i32 A = 20, B = 21;
std::vector<int> aufrufe;
bool schleife(u16 nummer, const std::vector<u8>& ein, std::vector<u8>* aus) {
    aufrufe.push_back(nummer);
    return ruf::Lokale_Leitung(nummer, ein, aus);
}

// The team's last booking (kind with bit 128 for money going out, amount).
std::pair<i32, f32> letzte_buchung(i32 team) {
    const Bank_Konto* k = Bank_Get_Konto(team);
    if (!k || k->anzahl == 0) return {-1, 0.0f};
    const Bank_Buchung& b = k->buchung[(k->ring_index + BANK_BUCHUNGEN - 1) % BANK_BUCHUNGEN];
    return {b.kategorie, b.betrag};
}

f64 geld_aller_vereine() {
    f64 s = 0;
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if (Bank_Konto_Offen(t)) s += Bank_Get_Kontostand(t, 0, -1);
    return s;
}

// Market players: ordinary ones and scout players.
std::vector<i32> markt(bool scout) {
    std::vector<i32> r;
    for (i32 i = 0; i < Team_Kader_Anzahl(Team_Transfermarkt); ++i) {
        const i32 s = Team_Kader(Team_Transfermarkt)[i];
        if (((Spieler_Daten[s].status & SP_STATUS_SCOUT) != 0) == scout && Spieler_Daten[s].staerke > 0) r.push_back(s);
    }
    return r;
}

// A scout player of the market and the area he comes from.
std::pair<i32, i32> scout_spieler_mit_gebiet() {
    for (i32 s : markt(true))
        if (const i32 k = Spieler_Kontinent(s); k >= 0) return {s, k};
    return {-1, -1};
}

class Markt : public ::testing::Test {
  protected:
    void SetUp() override {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0));
        Welt_Netz_Anmelden();
        ruf::Leitung_Setzen(schleife);
        Bank_Init();
        for (i32 t : {A, B}) ASSERT_TRUE(Bank_Konto_Anlegen(t, 20000000.0, 0));
        for (i32 t : {A, B}) Team_Daten[t].transfers = 3;
        Markt_Zuruecksetzen();
        aufrufe.clear();
        Welt_Set_Hooks({.kalender_tag = [] { return i32{123}; }, .transfer_erloes = Transfer_Angebot_Differenz});
    }
    void TearDown() override {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Team_Aktiv = -1;
        ruf::Leitung_Setzen(nullptr);
        Welt_Set_Hooks({});
        Bank_Free();
        Welt_Freigeben();
    }
    // A client of the team: its calls run the server's rows on the local line.
    void als_client(i32 team) {
        Internet_Modus = INTERNET_MODUS_CLIENT;
        Team_Aktiv = team;
    }
};

TEST_F(Markt, ErloesDenGanzenTagGleichUndOhneFolgenFuerDenZufall) {
    const std::vector<i32> m = markt(false);
    ASSERT_GT(m.size(), 10u);
    for (i32 s : {m[0], m[5], m[9]}) {
        const u32 cursor = Rnd_Get_Index();
        const i32 a = Transfer_Angebot_Differenz(s), b = Transfer_Angebot_Differenz(s);
        EXPECT_EQ(a, b);
        EXPECT_EQ(Rnd_Get_Index(), cursor);
        const i32 wert = Spieler_Berechne_Marktwert(s);
        // The deduction lies between (P - 5) % and (P + 5) % of the value, rounded down to 10,000.
        const i32 p = Global_Param.compi_transfer_verkauf_abzug;
        EXPECT_GE(a, wert - Global_Runde_10000(wert * (p + 5) / 100)) << s;
        EXPECT_LE(a, wert - Global_Runde_10000(wert * (p - 5) / 100)) << s;
        Rnd_Basis(0, 100);
        EXPECT_EQ(Transfer_Angebot_Differenz(s), a) << "a draw between does not change it";
    }
    // A player without strength goes for nothing.
    const i32 s = m[1];
    const i16 alt = Spieler_Daten[s].staerke;
    Spieler_Wert(92, s, 0, OP_SCHREIBEN);
    EXPECT_EQ(Transfer_Angebot_Differenz(s), 0);
    Spieler_Daten[s].staerke = alt;
    EXPECT_EQ(Transfer_Angebot_Differenz(-1), 0);
    EXPECT_EQ(Transfer_Angebot_Differenz(Spieler_Anzahl), 0);
}

TEST_F(Markt, TransferfensterElfMarktspielerTaeglichGleich) {
    const u32 cursor = Rnd_Get_Index();
    Transfer_Fenster_Fuellen(A);
    EXPECT_EQ(Rnd_Get_Index(), cursor);
    const i32* f = Team_Own_Daten[A].transferfenster;
    std::set<i32> gesehen;
    for (i32 i = 0; i < TRANSFER_FENSTER; ++i) {
        ASSERT_GE(f[i], 0);
        EXPECT_EQ(Spieler_Get_Team(f[i]), Team_Transfermarkt);
        EXPECT_FALSE(Spieler_Daten[f[i]].status & SP_STATUS_SCOUT);
        gesehen.insert(f[i]);
    }
    EXPECT_EQ(gesehen.size(), static_cast<size_t>(TRANSFER_FENSTER));
    // The same day gives the same window; a player gone from the market is replaced.
    std::vector<i32> vorher(f, f + TRANSFER_FENSTER);
    Transfer_Fenster_Fuellen(A);
    EXPECT_EQ(std::vector<i32>(f, f + TRANSFER_FENSTER), vorher);
    ASSERT_EQ(Spieler_Tauschen(B, Team_Transfermarkt, Team_Kader(B)[19], f[4], 1), 1);
    Transfer_Fenster_Fuellen(A);
    EXPECT_NE(f[4], vorher[4]);
    EXPECT_EQ(Spieler_Get_Team(f[4]), Team_Transfermarkt);
    for (i32 i = 0; i < TRANSFER_FENSTER; ++i)
        if (i != 4) {
            EXPECT_EQ(f[i], vorher[static_cast<size_t>(i)]) << i;
        }
    // Neither the market nor a number out of range has a window.
    Transfer_Fenster_Fuellen(Team_Transfermarkt);
    Transfer_Fenster_Fuellen(-1);
}

TEST_F(Markt, VerhandlungVerbrauchtEinenWechsel) {
    const std::vector<i32> m = markt(false);
    struct Fall {
        const char* was;
        i32 team, spieler, wechsel;
        bool ok;
    } faelle[] = {
        {"a market player", A, m[0], 3, true},
        {"the last transfer", A, m[1], 1, true},
        {"no transfer left", A, m[2], 0, false},
        {"a player of another club", A, Team_Kader(B)[0], 3, false},
        {"the market itself", Team_Transfermarkt, m[3], 3, false},
        {"no player", A, -1, 3, false},
    };
    for (const Fall& f : faelle) {
        if (f.team != Team_Transfermarkt) Team_Daten[f.team].transfers = static_cast<i16>(f.wechsel);
        const i16 vorher = f.team >= 0 ? Team_Daten[f.team].transfers : 0;
        EXPECT_EQ(Transfer_Verhandlung_Beginnen(f.team, f.spieler), f.ok) << f.was;
        EXPECT_EQ(Team_Daten[f.team].transfers, f.ok ? vorher - 1 : vorher) << f.was;
        if (f.ok) {
            EXPECT_EQ(Transfer_Verhandlung_Offen(f.team), f.spieler) << f.was;
        }
    }
}

TEST_F(Markt, ServerKauftNurNachVerhandlungZumErreichbarenPreis) {
    Aktuelles_Team = A;
    const i32 geht = Team_Kader(A)[19];
    const i32 q = markt(false)[7];
    const auto [sq, gebiet] = scout_spieler_mit_gebiet();
    ASSERT_GE(sq, 0);
    (void)gebiet;
    const i32 wert = Spieler_Berechne_Marktwert(q), forderung = Global_Transfer_Forderung(q);
    const i32 neunzig = Global_Runde_10000(Spieler_Berechne_Marktwert(sq) * 9 / 10);
    EXPECT_FALSE(Spieler_Tausch_Erlaubt(A, Team_Transfermarkt, geht, q, forderung)) << "no negotiation";
    ASSERT_TRUE(Transfer_Verhandlung_Beginnen(A, q));
    struct Fall {
        const char* was;
        i32 sb, preis;
        bool ok;
    } faelle[] = {
        {"the asking price", q, forderung, true},
        {"the market value", q, std::max(wert, 10000), true},
        {"90 % of an ordinary player", q, Global_Runde_10000(wert * 9 / 10) - 20000, false},
        {"another player than negotiated", markt(false)[8], forderung, false},
        {"beyond price and value", q, std::max(wert, forderung) + 10000, false},
        {"a sale with a price", -1, forderung, false},
    };
    for (const Fall& f : faelle) EXPECT_EQ(Spieler_Tausch_Erlaubt(A, Team_Transfermarkt, geht, f.sb, f.preis), f.ok) << f.was;
    // A scout player is negotiated from 90 % of his value.
    ASSERT_TRUE(Transfer_Verhandlung_Beginnen(A, sq));
    EXPECT_TRUE(Spieler_Tausch_Erlaubt(A, Team_Transfermarkt, geht, sq, neunzig));
    // Once made, the purchase cannot be made again with the same negotiation.
    u32 ok = 0;
    Spieler_Tausch_Ausfuehren(A, Team_Transfermarkt, geht, sq, neunzig, &ok);
    EXPECT_EQ(ok, 1u);
    EXPECT_EQ(Transfer_Verhandlung_Offen(A), -1);
    EXPECT_FALSE(Spieler_Tausch_Erlaubt(A, Team_Transfermarkt, sq, geht, neunzig));
    Aktuelles_Team = -1;
}

TEST_F(Markt, ScoutSucheBezahlenUndVerpflichten) {
    const auto [sq, gebiet] = scout_spieler_mit_gebiet();
    ASSERT_GE(sq, 0);
    const i32 scout = 2;
    const i32 gebuehr = Scout_Gebuehr(scout, A, gebiet);
    ASSERT_GT(gebuehr, 0);
    const f64 vorher = geld_aller_vereine();
    // Not without a paid search, not in another area, not an ordinary market player.
    EXPECT_FALSE(Scout_Spieler_Verpflichten(A, scout, sq));
    ASSERT_TRUE(Scout_Suche_Bezahlen(A, scout, (gebiet + 1) % KONTINENT_ANZAHL));
    EXPECT_FALSE(Scout_Spieler_Verpflichten(A, scout, sq)) << "another area";
    ASSERT_TRUE(Scout_Suche_Bezahlen(A, scout, gebiet));
    EXPECT_EQ(letzte_buchung(A), (std::pair<i32, f32>{31 | 128, static_cast<f32>(gebuehr)})) << "one booking, kind 31";
    EXPECT_FALSE(Scout_Spieler_Verpflichten(A, scout, markt(false)[0])) << "no scout player";
    EXPECT_FALSE(Scout_Spieler_Verpflichten(A, scout + 1, sq)) << "another scout";
    EXPECT_DOUBLE_EQ(geld_aller_vereine(), vorher - gebuehr - Scout_Gebuehr(scout, A, (gebiet + 1) % KONTINENT_ANZAHL));
    Spieler_Daten[sq].spiele = 10;
    ASSERT_TRUE(Scout_Spieler_Verpflichten(A, scout, sq));
    EXPECT_EQ(Team_Wert(17, A, 0, OP_LESEN), sq);
    EXPECT_EQ(Team_Wert(16, A, 0, OP_LESEN), scout);
    EXPECT_EQ(Spieler_Daten[sq].spiele, SCOUT_SPIELE_MINDEST);
    EXPECT_EQ(Spieler_Get_Team(sq), Team_Transfermarkt) << "he stays on the market until bought";
    EXPECT_FALSE(Scout_Spieler_Verpflichten(A, scout, sq)) << "the search was used";
    // A fee the bank refuses books nothing.
    Bank_Buchen(A, -1, static_cast<f32>(Bank_Get_Kontostand(A, 0, -1) + Bank_Get_Kreditrahmen(A)), 27, 1, -1);
    const f64 leer = geld_aller_vereine();
    EXPECT_FALSE(Scout_Suche_Bezahlen(A, scout, gebiet));
    EXPECT_DOUBLE_EQ(geld_aller_vereine(), leer);
    for (auto [s, g] : {std::pair{-1, gebiet}, {4, gebiet}, {scout, -1}, {scout, 15}})
        EXPECT_FALSE(Scout_Suche_Bezahlen(A, s, g)) << s << " " << g;
}

// The same search asked again, by a second click or a replayed call, is paid
// once; another area is another search and pays its fee.
TEST_F(Markt, EineWiederholteScoutSucheZahltEinmal) {
    const auto [sq, gebiet] = scout_spieler_mit_gebiet();
    ASSERT_GE(sq, 0);
    const i32 scout = 1, anderes = (gebiet + 1) % KONTINENT_ANZAHL;
    const f64 vorher = geld_aller_vereine();
    als_client(A);
    aufrufe.clear();
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(Scout_Suche_Bezahlen(A, scout, gebiet));
    EXPECT_EQ(std::count(aufrufe.begin(), aufrufe.end(), 1047), 3);
    EXPECT_DOUBLE_EQ(geld_aller_vereine(), vorher - Scout_Gebuehr(scout, A, gebiet));
    ASSERT_TRUE(Scout_Suche_Bezahlen(A, scout, anderes));
    ASSERT_TRUE(Scout_Suche_Bezahlen(A, scout, anderes));
    EXPECT_DOUBLE_EQ(geld_aller_vereine(), vorher - Scout_Gebuehr(scout, A, gebiet) - Scout_Gebuehr(scout, A, anderes));
    Internet_Modus = INTERNET_MODUS_EINZEL;
}

// The same negotiation asked again, by a second click or a replayed call,
// spends one transfer; another player is another negotiation and spends his.
TEST_F(Markt, EineWiederholteVerhandlungVerbrauchtEinenWechsel) {
    const std::vector<i32> m = markt(false);
    als_client(A);
    Team_Daten[A].transfers = 2;
    struct Fall {
        i32 spieler;
        bool ok;
        i16 wechsel;
    } faelle[] = {{m[0], true, 1}, {m[0], true, 1}, {m[0], true, 1}, {m[1], true, 0},
                  {m[1], true, 0}, {m[0], false, 0}, {m[1], true, 0}};
    for (const Fall& f : faelle) {
        EXPECT_EQ(Transfer_Verhandlung_Beginnen(A, f.spieler), f.ok) << f.spieler;
        EXPECT_EQ(Team_Daten[A].transfers, f.wechsel) << f.spieler;
    }
    EXPECT_EQ(std::count(aufrufe.begin(), aufrufe.end(), 1046), 7);
    Internet_Modus = INTERNET_MODUS_EINZEL;
    EXPECT_EQ(Transfer_Verhandlung_Offen(A), m[1]);
}

TEST_F(Markt, ZweiManagerKoennenNichtDenselbenSpielerKaufen) {
    // Both clubs' scouts found the same player; both clubs negotiate for him.
    const auto [sq, gebiet] = scout_spieler_mit_gebiet();
    ASSERT_GE(sq, 0);
    for (i32 t : {A, B}) {
        als_client(t);
        ASSERT_TRUE(Scout_Suche_Bezahlen(t, 0, gebiet));
        ASSERT_TRUE(Scout_Spieler_Verpflichten(t, 0, sq));
        ASSERT_TRUE(Transfer_Verhandlung_Beginnen(t, sq));
    }
    EXPECT_EQ(std::count(aufrufe.begin(), aufrufe.end(), 1046), 2);
    EXPECT_EQ(std::count(aufrufe.begin(), aufrufe.end(), 1047), 2);
    EXPECT_EQ(std::count(aufrufe.begin(), aufrufe.end(), 1048), 2);
    const i32 preis = Global_Runde_10000(Spieler_Berechne_Marktwert(sq) * 9 / 10);
    const i32 geht_a = Team_Kader(A)[19], geht_b = Team_Kader(B)[19];
    const f64 vorher = geld_aller_vereine();
    const i32 erloes_a = Transfer_Angebot_Differenz(geht_a);
    als_client(A);
    ASSERT_EQ(Spieler_Tauschen(A, Team_Transfermarkt, geht_a, sq, preis), 1);
    als_client(B);
    EXPECT_EQ(Spieler_Tauschen(B, Team_Transfermarkt, geht_b, sq, preis), 0);
    Internet_Modus = INTERNET_MODUS_EINZEL;
    EXPECT_EQ(Spieler_Get_Team(sq), A);
    EXPECT_EQ(Spieler_Get_Team(geht_b), B);
    EXPECT_EQ(Team_Kader_Anzahl(A), 20);
    EXPECT_EQ(Team_Kader_Anzahl(B), 20);
    // Neither club keeps him as its scout's find; money moved only by A's purchase.
    EXPECT_EQ(Team_Wert(17, A, 0, OP_LESEN), -1);
    EXPECT_EQ(Team_Wert(17, B, 0, OP_LESEN), -1);
    EXPECT_DOUBLE_EQ(geld_aller_vereine(), vorher - preis + erloes_a);
}

TEST_F(Markt, ClientBuchtJedeBuchungEinmalUeberDenServer) {
    const std::vector<i32> m = markt(false);
    const i32 q = m[11], geht = Team_Kader(A)[18];
    als_client(A);
    const f64 vorher = geld_aller_vereine();
    ASSERT_TRUE(Transfer_Verhandlung_Beginnen(A, q));
    EXPECT_EQ(Team_Daten[A].transfers, 2) << "the client's count follows the server's answer";
    const i32 preis = Global_Transfer_Forderung(q);
    const i32 erloes = Transfer_Angebot_Differenz(geht);
    aufrufe.clear();
    ASSERT_EQ(Spieler_Tauschen(A, Team_Transfermarkt, geht, q, preis), 1);
    // The exchange once, after the club's own records went back.
    ASSERT_FALSE(aufrufe.empty());
    EXPECT_EQ(std::count(aufrufe.begin(), aufrufe.end(), 4), 1);
    EXPECT_EQ(aufrufe.back(), 4);
    EXPECT_EQ(letzte_buchung(A), (std::pair<i32, f32>{30, static_cast<f32>(erloes)})) << "the proceeds, kind 30";
    // A replay of the same purchase is refused: the negotiation was used.
    EXPECT_EQ(Spieler_Tauschen(A, Team_Transfermarkt, q, geht, preis), 0);
    // A sale without a transfer left is refused by the server.
    Internet_Modus = INTERNET_MODUS_EINZEL;
    Team_Daten[A].transfers = 0;
    als_client(A);
    EXPECT_EQ(Spieler_Tauschen(A, Team_Transfermarkt, Team_Kader(A)[3], -1, 0), 0);
    Internet_Modus = INTERNET_MODUS_EINZEL;
    EXPECT_DOUBLE_EQ(geld_aller_vereine(), vorher - preis + erloes);
    EXPECT_EQ(Spieler_Get_Team(q), A);
}

// A player who joins a club where his shirt number is worn takes the lowest
// free one; one whose number is free keeps it; a player sold to the market keeps his.
TEST_F(Markt, ShirtNumbersStayUniqueAfterAnExchange) {
    const std::vector<i32> m = markt(false);
    struct Fall {
        const char* name;
        bool belegt;
    };
    for (const Fall f : {Fall{"worn", true}, Fall{"free", false}}) {
        const i32 q = f.belegt ? m[3] : m[4], geht = Team_Kader(A)[f.belegt ? 17 : 16];
        bool frei[100];
        std::fill(std::begin(frei), std::end(frei), true);
        for (int i = 0; i < Team_Kader_Anzahl(A); ++i)
            if (Team_Kader(A)[i] != geht) frei[Spieler_Daten[Team_Kader(A)[i]].rueckennummer] = false;
        u8 nummer = Spieler_Daten[Team_Kader(A)[0]].rueckennummer;
        if (!f.belegt)
            for (nummer = 99; !frei[nummer]; --nummer) {
            }
        Spieler_Daten[q].rueckennummer = nummer;
        const u8 alte = Spieler_Daten[geht].rueckennummer;
        ASSERT_EQ(Spieler_Tauschen(A, Team_Transfermarkt, geht, q, 100000), 1) << f.name;
        const u8 erste_freie = static_cast<u8>(std::find(std::begin(frei) + 1, std::end(frei), true) - std::begin(frei));
        EXPECT_EQ(Spieler_Daten[q].rueckennummer, f.belegt ? erste_freie : nummer) << f.name;
        EXPECT_EQ(Spieler_Daten[geht].rueckennummer, alte) << f.name;
        for (int i = 0; i < Team_Kader_Anzahl(A); ++i) {
            if (Team_Kader(A)[i] == q) continue;
            EXPECT_NE(Spieler_Daten[Team_Kader(A)[i]].rueckennummer, Spieler_Daten[q].rueckennummer);
        }
    }
}

TEST_F(Markt, GekaufterSpielerNimmtDenPlatzDesAbgegebenen) {
    // A manual line-up: a bought player stands where the one who left stood,
    // for a striker, a defender and a substitute alike, through the market
    // and between two clubs.
    Aufstellung_Automatisch(A);
    Team_Aufstellung_Manuell(A);
    const std::vector<i32> m = markt(false);
    ASSERT_GE(m.size(), 3u);
    auto im_slot = [](i32 team, int slot) {
        for (i32 i = 0; i < Team_Kader_Anzahl(team); ++i)
            if (Spieler_Daten[Team_Kader(team)[i]].slot == slot) return Team_Kader(team)[i];
        return i32{-1};
    };
    struct Fall {
        const char* was;
        int slot;
        i32 kommt;
        bool markt;
    } faelle[] = {
        {"a striker for a market player", 10, m[0], true},
        {"a defender for a market player", 1, m[1], true},
        {"a substitute for a market player", 12, m[2], true},
        {"a midfielder for another club's player", 6, Team_Kader(B)[19], false},
    };
    for (const Fall& f : faelle) {
        const i32 geht = im_slot(A, f.slot);
        ASSERT_GE(geht, 0) << f.was;
        int linien_vorher[4];
        Aufstellung_Linien_Zaehlen(A, linien_vorher);
        const Spieler_Struktur alt = Spieler_Daten[geht];
        if (f.markt)
            ASSERT_EQ(Spieler_Tauschen(A, Team_Transfermarkt, geht, f.kommt, 1), 1) << f.was;
        else
            ASSERT_TRUE(Team_Spieler_Tauschen(A, B, geht, f.kommt, 0)) << f.was;
        const Spieler_Struktur& neu = Spieler_Daten[f.kommt];
        EXPECT_EQ(neu.slot, alt.slot) << f.was;
        EXPECT_EQ(neu.status & (SP_STATUS_AUFGESTELLT | SP_STATUS_ERSATZ),
                  alt.status & (SP_STATUS_AUFGESTELLT | SP_STATUS_ERSATZ))
            << f.was;
        if (f.slot <= 10) {
            EXPECT_EQ(neu.spalte, alt.spalte) << f.was;
            EXPECT_EQ(neu.zeile, alt.zeile) << f.was;
        }
        int linien[4];
        Aufstellung_Linien_Zaehlen(A, linien);
        EXPECT_EQ(std::vector<int>(linien, linien + 4), std::vector<int>(linien_vorher, linien_vorher + 4)) << f.was;
        EXPECT_EQ(Teamspieler_Ins_Array(A, nullptr, MAX_SPIELER_PRO_TEAM, SP_STATUS_AUFGESTELLT), 11) << f.was;
        // The one who left is now with the other side.
        EXPECT_EQ(Spieler_Get_Team(geht), f.markt ? Team_Transfermarkt : B) << f.was;
    }
}

}  // namespace

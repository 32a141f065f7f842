// Save and reload give identical world records; damaged blocks change nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/datei.h"
#include "base/files.h"
#include "base/feld_raender.h"
#include "base/globals.h"
#include "welt_test.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/speichern.h"
#include "world/stadion.h"
#include "world/welt.h"
#include "world/werbung.h"

namespace {

class Speichern : public ::testing::Test {
  protected:
    void SetUp() override {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0));
        Bank_Init();
        Stadion_Init();
        Werbung_Init();
        ASSERT_TRUE(Manager_Neuer_Mitspieler(20, "Heiko Tramm", -1));
        ASSERT_TRUE(Manager_Neuer_Mitspieler(33, "Sina Obermoos", 4));
        Manager_Icon_Button_An_Aus(20, 4000, 77);
        Werbung_Init_Team(20, 1);
        Bank_Konto_Anlegen(20, 3000000.0, 0);
        Bank_Buchen(20, -1, 12345.0f, 27, 0, -1);
        Team_Aktiv = 20;
        Schwierigkeit = 3;
        Spieler_Wert(90, 100, 6, OP_SCHREIBEN);
    }
    void TearDown() override {
        Bank_Free();
        Stadion_Free();
        Werbung_Free();
        Welt_Freigeben();
        Schwierigkeit = 2;
    }
};

std::vector<u8> alles_schreiben() {
    return block_schreiben([](Datei_Status* d) {
        return Bank_Speichern(d) && Werbung_Speichern(d) && Manager_Block_Schreiben(d) && Spieler_Block_Schreiben(d) &&
               Team_Block_Schreiben(d) && Stadion_Speichern(d);
    });
}

bool alles_lesen(const std::vector<u8>& daten) {
    const bool ok = block_lesen(daten, [](Datei_Status* d) {
        return Bank_Laden(d) && Werbung_Laden(d) && Manager_Block_Lesen(d) && Spieler_Block_Lesen(d) &&
               Team_Block_Lesen(d) && Stadion_Laden(d);
    });
    if (ok) {
        Bank_Uebernehmen();
        Werbung_Uebernehmen();
        Welt_Block_Uebernehmen();
        Stadion_Uebernehmen();
    } else {
        Bank_Verwerfen();
        Werbung_Verwerfen();
        Welt_Block_Verwerfen();
        Stadion_Verwerfen();
    }
    return ok;
}

TEST_F(Speichern, SaveAndReloadGiveIdenticalRecords) {
    Abbild vorher;
    vorher.nehmen();
    std::vector<u8> daten = alles_schreiben();
    f64 stand = Bank_Get_Kontostand(20, 0, -1);
    // Change everything, then load the saved state back.
    Spieler_Wert(90, 100, 1, OP_SCHREIBEN);
    Manager_Loeschen(33);
    Team_Aktiv = 5;
    Bank_Buchen(-1, 20, 5.0f, 40, 1, -1);
    Welt_Freigeben();
    Welt_Anlegen(3, 10);
    ASSERT_TRUE(alles_lesen(daten));
    Abbild nachher;
    nachher.nehmen();
    EXPECT_TRUE(vorher == nachher);
    EXPECT_EQ(Manager_Anzahl, 2);
    EXPECT_EQ(Manager_Icon_Button_Lesen(20, 4000), 77u);
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(20, 0, -1), stand);
    EXPECT_NE(Werbung_Get(20), nullptr);
    EXPECT_GT(Stadion_Get_Kapazitaet(30), 0);
    // Writing again gives the same bytes.
    EXPECT_EQ(alles_schreiben(), daten);
}

// The bank's accounts and the stadiums' extensions are saved as their bytes
// in memory: their field-by-field images are exactly those bytes, every
// field holding a value of its own.
template <class R>
std::vector<u8> feldweise(const R& r) {
    std::vector<u8> b;
    bytes::Schreiber s{b};
    s(r);
    return b;
}
template <class R>
std::vector<u8> wie_im_speicher(const R& r) {
    std::vector<u8> b;
    bytes::Schreiber s{b};
    bytes::wie_im_speicher(s, r);
    return b;
}

TEST(Speicherbild, AccountsAndStadiumExtensionsAreTheirFieldImages) {
    auto k = std::make_unique<Bank_Konto>();
    for (int i = 0; i < BANK_BUCHUNGEN; ++i)
        k->buchung[i] = {static_cast<f32>(i) * 1.5f + 0.25f, static_cast<u8>(i), static_cast<u8>(i * 3 + 1),
                         static_cast<i16>(-i - 2), i * 100003 + 7};
    k->kontostand = -1234567.891;
    k->kreditrahmen = 2.5e6f;
    k->waehrung = 3;
    k->ring_index = 123;
    k->anzahl = 700;
    k->eroeffnet = 1;
    k->frei = 0x5A6B7C8D;
    EXPECT_EQ(wie_im_speicher(*k), feldweise(*k));
    Stadion_Erweiterung e{};
    e.anzahl = 41;
    e.naechster = 17;
    for (int i = 0; i < STADION_ERWEITERUNG_SLOTS; ++i)
        e.slot[i] = {i * 1009 + 3, i * 7 + 11, static_cast<i16>(i + 300), static_cast<i16>(-i - 5), i * 12345 + 9,
                     static_cast<f32>(i) * 3.75f + 0.5f, static_cast<i8>(i - 30), static_cast<i8>(60 - i),
                     static_cast<u8>(i * 5), static_cast<u8>(i & 1), 0x11223344 + i};
    EXPECT_EQ(wie_im_speicher(e), feldweise(e));
}

TEST_F(Speichern, DamagedOrShortBlocksChangeNothing) {
    std::vector<u8> daten = alles_schreiben();
    Abbild vorher;
    vorher.nehmen();
    // Every cut of the stream and a few flipped bytes must be refused or read cleanly.
    for (size_t laenge : {size_t(0), size_t(5), daten.size() / 3, daten.size() / 2, daten.size() - 1}) {
        std::vector<u8> kurz(daten.begin(), daten.begin() + static_cast<long>(laenge));
        EXPECT_FALSE(alles_lesen(kurz)) << laenge;
        Abbild jetzt;
        jetzt.nehmen();
        EXPECT_TRUE(vorher == jetzt) << laenge;
    }
    std::vector<u8> kaputt = daten;
    kaputt[4] = 0xFF;  // the bank's team count
    kaputt[5] = 0xFF;
    EXPECT_FALSE(alles_lesen(kaputt));
    Abbild jetzt;
    jetzt.nehmen();
    EXPECT_TRUE(vorher == jetzt);
}

// Blocks with right framing but impossible values are refused as a whole.
TEST_F(Speichern, ImpossibleValuesAreRefused) {
    const std::vector<u8> daten = alles_schreiben();
    const struct {
        const char* was;
        void (*setzen)();
    } faelle[] = {
        {"moral", [] { Spieler_Daten[100].moral = 200; }},
        {"injury kind", [] { Spieler_Daten[5].verletzung_art = 99; }},
        {"player's team beyond the teams", [] { Spieler_Daten[5].team = Team_Anzahl; }},
        {"continent", [] { Team_Daten[3].kontinent = 99; }},
        {"formation cell", [] { Team_Own_Daten[3].formationen[0].spalte[0] = 40; }},
        {"away team", [] { Team_Auswaerts = 99999; }},
        {"start flag", [] { Spielstart_Beendet = 7; }},
        {"manager's menu choice", [] { Team_Manager[20]->menue_wahl[0] = 9; }},
        {"balance", [] { const_cast<Bank_Konto*>(Bank_Get_Konto(20))->kontostand = std::nan(""); }},
        {"stadium class", [] { Stadion_Get(30, 0)->klasse = 9; }},
        {"sponsor", [] { Werbung_Get(20)->slot[0].sponsor = 200; }},
        {"stadium comfort 101", [] { Stadion_Get(30, 0)->komfort = 101; }},
        {"stadium income infinite", [] { Stadion_Get(30, 0)->einnahme = HUGE_VALF; }},
    };
    for (const auto& f : faelle) {
        f.setzen();
        const std::vector<u8> schlecht = alles_schreiben();
        ASSERT_TRUE(alles_lesen(daten)) << f.was;
        Abbild vorher;
        vorher.nehmen();
        EXPECT_FALSE(alles_lesen(schlecht)) << f.was;
        Abbild nachher;
        nachher.nehmen();
        EXPECT_TRUE(vorher == nachher) << f.was;
    }
    EXPECT_EQ(alles_schreiben(), daten);
}

// The stadium block's attendance percentage (after version and count) is
// held to 25..200 wherever it is set; a block with another is refused.
TEST_F(Speichern, StadiumPercentageOutsideItsRangeIsRefused) {
    Datei_Status* d = Datei_Oeffnen_Speicher();
    ASSERT_TRUE(Stadion_Speichern(d));
    u32 n = 0;
    const u8* p = Datei_Speicher_Daten(d, &n);
    const std::vector<u8> block(p, p + n);
    Datei_Schliessen(d);
    auto lesen = [](const std::vector<u8>& b) {
        Datei_Status* l = Datei_Oeffnen_Speicher_Lesen(b.data(), static_cast<u32>(b.size()));
        const bool ok = Stadion_Laden(l);
        Datei_Schliessen(l);
        Stadion_Verwerfen();
        return ok;
    };
    for (const auto& [prozent, gut] : {std::pair{25, true}, {200, true}, {100, true}, {-5, false}, {24, false},
                                       {201, false}, {0x7FFFFFFF, false}}) {
        std::vector<u8> b = block;
        put_u32le(b.data() + 8, static_cast<u32>(prozent));
        EXPECT_EQ(lesen(b), gut) << prozent;
    }
    EXPECT_EQ(Stadion_Get_Prozent(), 100);
}

// Every bounded field of a stadium record, at both edges and one past them:
// the edges load, the values past them are refused and the running game
// keeps its stadium. The seats and terraces beside the field under test are
// moved so that the capacity stays their sum.
TEST_F(Speichern, EveryStadiumFieldIsHeldToItsRange) {
    const Stadion_Daten alt = *Stadion_Get(30, 0);
    auto stimmig = [](Stadion_Daten& r, i32 Stadion_Daten::*feld) {
        const i32 wert = r.*feld;
        // A ground keeps at least one place, the crowd a ground that holds it,
        // and building days a class beyond the first.
        if (feld == &Stadion_Daten::kapazitaet) r.sitzplaetze = wert, r.stehplaetze = 0;
        if (feld == &Stadion_Daten::zuschauer) r.sitzplaetze = std::max(wert, 1000), r.stehplaetze = 0;
        if (feld == &Stadion_Daten::groesse) r.sitzplaetze = std::max(wert * 1000, 1), r.stehplaetze = 0;
        if (feld == &Stadion_Daten::sitzplaetze) r.stehplaetze = wert == 0 ? 1000 : 0;
        if (feld == &Stadion_Daten::stehplaetze) r.sitzplaetze = wert == 0 ? 1000 : 0;
        if (feld == &Stadion_Daten::bau_tage) r.klasse = 1;
        if (feld != &Stadion_Daten::kapazitaet) r.kapazitaet = r.sitzplaetze + r.stehplaetze;
        if (feld != &Stadion_Daten::groesse) r.groesse = r.kapazitaet / 1000;
    };
    auto versuchen = [&](const Stadion_Daten& r) {
        *Stadion_Get(30, 0) = r;
        Datei_Status* d = Datei_Oeffnen_Speicher();
        EXPECT_TRUE(Stadion_Speichern(d));
        u32 n = 0;
        const u8* p = Datei_Speicher_Daten(d, &n);
        const std::vector<u8> block(p, p + n);
        Datei_Schliessen(d);
        *Stadion_Get(30, 0) = alt;
        Datei_Status* l = Datei_Oeffnen_Speicher_Lesen(block.data(), n);
        const bool ok = Stadion_Laden(l);
        Datei_Schliessen(l);
        if (ok) Stadion_Uebernehmen();
        else Stadion_Verwerfen();
        return ok;
    };
    for (const Feld_Bereich<Stadion_Daten>& b : STADION_FELDER) {
        for (const auto& [wert, gut] : {std::pair{b.min - 1, false}, {b.min, true}, {b.max, true}, {b.max + 1, false}}) {
            Stadion_Daten r = alt;
            r.zuschauer = 0, r.einnahme = 0.0f;
            r.*b.feld = static_cast<i32>(wert);
            stimmig(r, b.feld);
            EXPECT_EQ(versuchen(r), gut) << b.name << " = " << wert;
            if (!gut) {
                EXPECT_EQ(std::memcmp(Stadion_Get(30, 0), &alt, sizeof alt), 0) << b.name << " = " << wert;
            }
            *Stadion_Get(30, 0) = alt;
        }
    }
    // Fields that must agree with each other, and the gate income.
    const struct {
        const char* was;
        void (*setzen)(Stadion_Daten&);
        bool gut;
    } faelle[] = {
        {"capacity 0 beside its seats", [](Stadion_Daten& r) { r.kapazitaet = 0; }, false},
        {"200,000 spectators in a ground of 999 places",
         [](Stadion_Daten& r) {
             r.sitzplaetze = 999, r.stehplaetze = 0, r.kapazitaet = 999, r.groesse = 0, r.klasse = 0;
             r.zuschauer = 200000;
         },
         false},
        {"a full ground of 999 places",
         [](Stadion_Daten& r) {
             r.sitzplaetze = 999, r.stehplaetze = 0, r.kapazitaet = 999, r.groesse = 0, r.klasse = 0;
             r.zuschauer = 999;
         },
         true},
        {"a ground of 0 places",
         [](Stadion_Daten& r) { r.sitzplaetze = 0, r.stehplaetze = 0, r.kapazitaet = 0, r.groesse = 0; },
         false},
        {"the first class with 366 building days", [](Stadion_Daten& r) { r.klasse = 0, r.bau_tage = 366; }, false},
        {"the second class with 366 building days", [](Stadion_Daten& r) { r.klasse = 1, r.bau_tage = 366; }, true},
        {"size not the capacity's thousands", [](Stadion_Daten& r) { r.groesse += 1; }, false},
        {"income negative", [](Stadion_Daten& r) { r.einnahme = -1.0f; }, false},
        {"income of a full stadium at the top price", [](Stadion_Daten& r) { r.einnahme = STADION_EINNAHME_MAX; }, true},
        {"income beyond it", [](Stadion_Daten& r) { r.einnahme = 9.9e29f; }, false},
    };
    for (const auto& f : faelle) {
        Stadion_Daten r = alt;
        f.setzen(r);
        EXPECT_EQ(versuchen(r), f.gut) << f.was;
        if (!f.gut) {
            EXPECT_EQ(std::memcmp(Stadion_Get(30, 0), &alt, sizeof alt), 0) << f.was;
        }
        *Stadion_Get(30, 0) = alt;
    }
}

}  // namespace

namespace {

// The values at a field's two edges and one past each (base/feld_raender.h):
// the edges load, the values past them are refused. A value past an edge
// that the field's type cannot hold is left out; past a floating-point edge
// is a step the type keeps apart from the edge.

// A save block of its own: written from the running game, read back (taken
// over when it loads, dropped when it is refused).
struct Block {
    bool (*schreiben)(Datei_Status*);
    bool (*laden)(Datei_Status*);
    void (*uebernehmen)();
    void (*verwerfen)();
    std::vector<u8> bytes() const { return block_schreiben(schreiben); }
    bool lesen(const std::vector<u8>& b) const {
        const bool ok = block_lesen(b, laden);
        if (ok) uebernehmen();
        else verwerfen();
        return ok;
    }
};
const Block BANK{[](Datei_Status* d) { return Bank_Speichern(d); }, [](Datei_Status* d) { return Bank_Laden(d); },
                 Bank_Uebernehmen, Bank_Verwerfen};
const Block WERBUNG{Werbung_Speichern, Werbung_Laden, Werbung_Uebernehmen, Werbung_Verwerfen};

// One field of the running game, by way of a table row.
struct Feld_Fall {
    std::string name;
    const Block* block;
    f64 min, max, typ_min, typ_max;
    std::function<void(f64)> setzen;
};

template <class T, size_t N>
void faelle_von(std::vector<Feld_Fall>* aus, const char* satz, const Block* block, const Feld_Grenze<T> (&tabelle)[N],
                T* (*ziel)()) {
    for (const Feld_Grenze<T>& b : tabelle)
        aus->push_back({std::string(satz) + "." + b.name, block, b.min, b.max, b.typ_min, b.typ_max,
                        [ziel, setzen = b.setzen](f64 w) { setzen(*ziel(), w); }});
}

// Every bounded field of the bank's and the advertising blocks (accounts,
// bookings, credits, advertising records and their contracts), at both
// edges and one past them: the edges load, the values past them are refused
// with the running game's block kept byte for byte.
TEST_F(Speichern, EveryBoundedFieldOfTheBankAndAdvertisingIsHeldToItsRange) {
    std::vector<Feld_Fall> faelle;
    faelle_von(&faelle, "Konto", &BANK, BANK_KONTO_FELDER,
               +[] { return const_cast<Bank_Konto*>(Bank_Get_Konto(20)); });
    faelle_von(&faelle, "Buchung", &BANK, BANK_BUCHUNG_FELDER,
               +[] { return const_cast<Bank_Buchung*>(&Bank_Get_Konto(20)->buchung[0]); });
    ASSERT_TRUE(Bank_Kredit(-1, 20, 500000.0f, 24, 0, -1.0f, 0));
    faelle_von(&faelle, "Kredit", &BANK, BANK_KREDIT_FELDER, +[] {
        int cursor = 0;
        return const_cast<Bank_Kredit_Eintrag*>(Bank_Get_Naechster_Kredit(20, &cursor));
    });
    faelle_von(&faelle, "Werbung", &WERBUNG, WERBUNG_FELDER, +[] { return Werbung_Get(20); });
    faelle_von(&faelle, "Werbung.slot", &WERBUNG, WERBUNG_SLOT_FELDER, +[] { return &Werbung_Get(20)->slot[3]; });
    int geprueft = 0;
    for (const Feld_Fall& f : faelle) {
        const std::vector<u8> vorher = f.block->bytes();
        for (const Rand& r : raender(f.min, f.max, f.typ_min, f.typ_max)) {
            f.setzen(r.wert);
            const std::vector<u8> mit_wert = f.block->bytes();
            ASSERT_TRUE(f.block->lesen(vorher)) << f.name;
            EXPECT_EQ(f.block->lesen(mit_wert), r.gut) << f.name << " = " << r.wert;
            if (r.gut) {
                ASSERT_TRUE(f.block->lesen(vorher)) << f.name;
            } else {
                EXPECT_TRUE(f.block->bytes() == vorher) << f.name << " = " << r.wert << ": the game is kept";
            }
            ++geprueft;
        }
    }
    EXPECT_GE(geprueft, 3 * static_cast<int>(faelle.size()));
    // The bank books no account past the most money it keeps.
    const f32 haelfte = static_cast<f32>(BANK_GELD_MAX * 0.6);
    for (const auto& [zahler, empfaenger] : {std::pair{-1, 20}, {20, -1}}) {
        const f64 stand = Bank_Get_Kontostand(20, 0, 0);
        EXPECT_EQ(Bank_Buchen(zahler, empfaenger, haelfte, zahler < 0 ? 40 : 27, 1, -1), 1);
        const f64 danach = Bank_Get_Kontostand(20, 0, 0);
        EXPECT_NE(danach, stand);
        EXPECT_EQ(Bank_Buchen(zahler, empfaenger, haelfte, zahler < 0 ? 40 : 27, 1, -1), 0) << "past the most";
        EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(20, 0, 0), danach);
        Bank_Buchen(empfaenger, zahler, haelfte, zahler < 0 ? 27 : 40, 1, -1);
    }
}

// Every bounded value of a player and a team (the value modes, a player's
// year of birth), at both edges and one past them, as the block reader
// checks each record; a value past an edge also refuses the whole load
// with the game kept.
TEST_F(Speichern, EveryBoundedValueOfPlayersAndTeamsIsHeldToItsRange) {
    constexpr i32 S = 1705, T = 2;
    constexpr f64 I32_MIN = -2147483648.0, I32_MAX = 2147483647.0, U32_MAX = 4294967295.0;
    const Spieler_Struktur spieler = Spieler_Daten[S];
    const Spieler_Fix fix = Spieler_Fix_Daten[S];
    const Team_Struktur team = Team_Daten[T];
    const Team_Own own = Team_Own_Daten[T];
    int geprueft = 0;
    for (int m = 0; m < 128; ++m) {
        i64 lo, hi;
        if (!Spieler_Wert_Grenzen(m, &lo, &hi)) continue;
        // The look and status words are u32; the narrow fields hold less than an i32.
        for (const Rand& r : raender(static_cast<f64>(lo), static_cast<f64>(hi), m == 65 || m == 75 ? 0 : I32_MIN,
                                     m == 65 || m == 75 ? U32_MAX : I32_MAX)) {
            Spieler_Struktur s = spieler;
            Spieler_Fix x = fix;
            Spieler_Feld_Setzen(m, &s, &x, static_cast<i64>(r.wert));
            Spieler_Daten[S] = s, Spieler_Fix_Daten[S] = x;
            const bool passt = Spieler_Wert(m, S, 0, OP_LESEN) == static_cast<i32>(static_cast<i64>(r.wert)) ||
                               m == 65 || m == 75;
            Spieler_Daten[S] = spieler, Spieler_Fix_Daten[S] = fix;
            if (!passt) continue;
            EXPECT_EQ(Spieler_Werte_Pruefen(s, x) < 0, r.gut) << "player mode " << m << " = " << r.wert;
            ++geprueft;
        }
    }
    // The fixed data's own table, through the players' block.
    const std::vector<u8> alt = alles_schreiben();
    for (const Feld_Grenze<Spieler_Fix>& b : SPIELER_FIX_FELDER)
        for (const Rand& r : raender(b.min, b.max, b.typ_min, b.typ_max)) {
            b.setzen(Spieler_Fix_Daten[S], r.wert);
            const std::vector<u8> mit_wert = alles_schreiben();
            ASSERT_TRUE(alles_lesen(alt));
            EXPECT_EQ(alles_lesen(mit_wert), r.gut) << b.name << " = " << r.wert;
            ASSERT_TRUE(alles_lesen(alt));
            ++geprueft;
        }
    for (int m = 0; m < 128; ++m) {
        i64 lo, hi;
        if (!Team_Wert_Grenzen(m, &lo, &hi)) continue;
        for (const Rand& r : raender(static_cast<f64>(lo), static_cast<f64>(hi), m == 7 ? 0 : I32_MIN,
                                     m == 7 ? U32_MAX : I32_MAX)) {
            Team_Struktur t = team;
            Team_Own o = own;
            Team_Feld_Setzen(m, &t, &o, static_cast<i64>(r.wert));
            Team_Daten[T] = t, Team_Own_Daten[T] = o;
            const bool passt = Team_Wert(m, T, 0, OP_LESEN) == static_cast<i32>(static_cast<i64>(r.wert)) || m == 7;
            Team_Daten[T] = team, Team_Own_Daten[T] = own;
            if (!passt) continue;
            EXPECT_EQ(Team_Werte_Pruefen(t, o) < 0, r.gut) << "team mode " << m << " = " << r.wert;
            ++geprueft;
        }
    }
    EXPECT_GT(geprueft, 300);
    // Through the blocks: a shirt number past 99 and a year of birth past
    // the last refuse the load, the game kept.
    const std::vector<u8> vorher = alles_schreiben();
    for (auto setzen : {+[] { Spieler_Daten[1705].rueckennummer = 100; },
                        +[] { Spieler_Fix_Daten[1705].geburtsjahr = SPIELER_JAHRGANG_MAX + 1; },
                        +[] { Team_Daten[2].transfers = 100; }}) {
        setzen();
        const std::vector<u8> falsch = alles_schreiben();
        ASSERT_TRUE(alles_lesen(vorher));
        EXPECT_FALSE(alles_lesen(falsch));
        EXPECT_TRUE(alles_schreiben() == vorher);
    }
}

}  // namespace

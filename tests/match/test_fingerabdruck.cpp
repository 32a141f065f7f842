// The engine's matches, pinned: a few hundred seeded matches of clubs of
// every level, unseen and shown, in regular time, extra time and shoot-outs,
// each folded into one fingerprint of its events, its result and its pitch
// record (minute by minute for the matches played half by half). A change to
// the engine that is meant to leave the game as it is (a faster way to the
// same figures) must leave every fingerprint as it is; a change of the game
// itself pins the new values and says why.
#include <cstring>

#include "match_test.h"

namespace {

using Fingerabdruck = MatchTest;

struct Abdruck {
    u64 h = 0xcbf29ce484222325ull;
    void wort(u64 w) {
        h ^= w;
        h *= 0x100000001b3ull;
        h ^= h >> 29;
    }
    // The whole pitch record but its clock fields, which count the driver's frames and the
    // network's waits rather than the match.
    void feld(const Spielfeld_Daten* sf) {
        static Spielfeld_Daten kopie;
        std::memcpy(&kopie, sf, sizeof kopie);
        kopie.uhr = kopie.uhr_basis = kopie.wartet_seit = kopie.signal_zeit = 0;
        const u8* p = reinterpret_cast<const u8*>(&kopie);
        for (size_t i = 0; i < sizeof kopie; i += 4) {
            u32 x;
            std::memcpy(&x, p + i, 4);
            wort(x);
        }
    }
    void ereignisse(u32 spiel) {
        for (const auto& e : Partie_Ereignisse(spiel)) {
            wort(static_cast<u32>(e.spieler));
            wort(static_cast<u32>(e.zweiter));
            wort(e.flags);
            wort(e.minute);
        }
    }
    void ergebnis(const Partie_Ergebnis& e) {
        for (int s = 0; s < 2; s++) wort(static_cast<u64>(e.tore[s]) | static_cast<u64>(e.elfer_tore[s]) << 16 |
                                          static_cast<u64>(e.elfer_schuesse[s]) << 32);
        wort(static_cast<u64>(e.ticks) | static_cast<u64>(e.verlaengerung) << 32 | static_cast<u64>(e.golden_goal) << 33 |
             static_cast<u64>(e.ok) << 34);
        wort(static_cast<u64>(e.zaehler.abseits) | static_cast<u64>(e.zaehler.elfer_gegeben) << 20 |
             static_cast<u64>(e.zaehler.tore_ohne_schuss) << 40);
        for (int t : e.zaehler.tore_abschnitt) wort(static_cast<u64>(t));
    }
};

// The k-th pairing of the run: two different clubs of the whole world, any two levels.
void paarung(const std::vector<u32>& v, int k, u32* heim, u32* gast) {
    const size_t n = v.size();
    *heim = v[static_cast<size_t>(k) * 37u % n];
    *gast = v[(static_cast<size_t>(k) * 101u + 13u) % n];
    if (*gast == *heim) *gast = v[(static_cast<size_t>(k) * 101u + 14u) % n];
}

i32 cursor(int k) { return static_cast<i32>((static_cast<u32>(k) * 7919u + 17u) % RND_TABELLE_GROESSE); }

// Plays a pitch half by half to the end of regular time, folding in its record every minute.
void minutenweise(Spielfeld_Daten* sf, u32 spiel, Abdruck& a) {
    int letzte = -1;
    for (int h = 1; h <= 2; h++) {
        if (h == 2) {
            sf->minute = 45;
            sf->minuten_teil = 0;
            Spielfeld_Halbzeit_Start(spiel);
        }
        while (Partie_Schritt(sf, 45 * h)) {
            if (sf->minute != letzte) {
                letzte = sf->minute;
                a.feld(sf);
            }
        }
        i32 steht = 0;
        Spielfeld_Run(sf->minute, 0, 1, sf, 1, &steht, 0, 0);
        a.feld(sf);
    }
    a.ereignisse(spiel);
}

struct Gruppe {
    const char* name;
    int von, bis;      // matches k of the run
    int anzeige;       // 1 shown: the figures' animation entries and the replay ring are made
    bool minuten;      // played half by half, the record folded in every minute
    Partie_Optionen o;  // else played by the driver with these options
    u64 erwartet;
};

// Folds in the group's matches; counts those that went to extra time and to a shoot-out.
u64 gruppe_spielen(const Gruppe& g, const std::vector<u32>& vereine, int* verlaengert, int* geschossen) {
    Abdruck a;
    for (int k = g.von; k < g.bis; k++) {
        u32 heim, gast;
        paarung(vereine, k, &heim, &gast);
        const u32 spiel = 1 + static_cast<u32>(k % 50);
        Partie_Spiel_Anmelden(spiel, heim, gast, 7);
        Rnd_Set_Index(cursor(k), 0);
        if (!Spielfeld_Neu(spiel, g.anzeige, g.anzeige, 25000, heim, 1)) {
            ADD_FAILURE() << g.name << ": match " << k << " has no pitch";
            return 0;
        }
        Spielfeld_Daten* sf = Spielfeld_Zeiger(spiel);
        EXPECT_EQ(sf->anzeige, g.anzeige);
        if (g.minuten) {
            minutenweise(sf, spiel, a);
        } else {
            Partie_Ergebnis e = Partie_Spielen(spiel, g.o);
            *verlaengert += e.verlaengerung;
            *geschossen += e.elfer_schuesse[0] > 0;
            a.ergebnis(e);
            a.ereignisse(spiel);
            a.feld(sf);
        }
        Spielfeld_Loeschen(7);
        Partie_Spiele_Leeren();
    }
    return a.h;
}

TEST_F(Fingerabdruck, EverySeededMatchPlaysAsPinned) {
    const std::vector<u32> vereine = Vereine_Waehlen(-1, -1);
    ASSERT_GE(vereine.size(), 100u);
    Partie_Optionen regulaer;
    Partie_Optionen pokal;
    pokal.verlaengerung_halbzeiten = 2;
    pokal.elfmeterschiessen = true;
    Partie_Optionen golden = pokal;
    golden.golden_goal = true;
    const Gruppe gruppen[] = {
        {"unseen, minute by minute", 0, 100, 0, true, {}, 0x733051de6ec5a0aaull},
        {"unseen, the driver", 100, 300, 0, false, regulaer, 0xb745a1e438803794ull},
        {"unseen, extra time and shoot-out", 300, 400, 0, false, pokal, 0x6ae8949fdeb76aa8ull},
        {"unseen, golden goal", 400, 430, 0, false, golden, 0x019fbddf4a0d47fcull},
        {"shown, minute by minute", 430, 450, 1, true, {}, 0xd80636d7d59d4f94ull},
        {"shown, extra time and shoot-out", 450, 460, 1, false, pokal, 0x2e98c4d0efcf8f7full},
    };
    Spielfeld_Set_Fast(1);  // a shown pitch steps at every call, whatever the driver's clock
    for (const auto& g : gruppen) {
        int verlaengert = 0, geschossen = 0;
        const u64 h = gruppe_spielen(g, vereine, &verlaengert, &geschossen);
        EXPECT_EQ(h, g.erwartet) << g.name << ": 0x" << std::hex << h << "ull";
        if (g.o.verlaengerung_halbzeiten > 0) {
            EXPECT_GT(verlaengert, 0) << g.name;
            if (!g.o.golden_goal) {
                EXPECT_GT(geschossen, 0) << g.name;
            }
        }
    }
    Spielfeld_Set_Fast(0);
}

}  // namespace

// A training camp saved in the middle and loaded again runs on from where it
// was saved: its outcome (injuries, strength, potential, weaknesses, morale,
// exhaustion, the shared table's cursor) is the uninterrupted camp's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/bytes.h"
#include "base/random.h"
#include "base/spielstand.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "kit.h"
#include "main/lager_stand.h"
#include "screens/screens.h"
#include "screens/training/lager.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/kalender_zug.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

constexpr int SLOT = 3;
constexpr u32 MITTE = 120, ENDE = 260;  // steps of the course

void icon_klicken(i32 nummer) {
    const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
    ASSERT_TRUE(i) << nummer;
    kit::Warten(400);
    kit::Klick(i->x + i->w / 2, i->y + i->h / 2);
}

// Frames of the kit's clock (one step each) until the course has played
// `schritte` steps or ended by itself.
void bis_schritt(u32 schritte) {
    for (int i = 0; i < 2000 && Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF) && !Trainings_Lager_Lauf().beendet &&
                    Trainings_Lager_Lauf().schritt < schritte;
         ++i)
        kit::Frames(1, LAUF_TAKT_MS);
}

// The camp's outcome: every squad player's record as stored, and the
// shared table's cursor.
struct Ausgang {
    std::vector<std::vector<u8>> spieler;
    u32 schritte = 0, zufall = 0;
    bool operator==(const Ausgang&) const = default;
};

Ausgang beenden() {
    Ausgang a;
    a.schritte = Trainings_Lager_Lauf().schritt;
    if (Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF) && !Trainings_Lager_Lauf().beendet) icon_klicken(ICON_LAUF_ENDE);
    if (kit::Requester_Offen()) kit::Requester_Antworten(true);
    const Lager_Lauf& l = Trainings_Lager_Lauf();
    for (i32 i = 0; i < l.anzahl; ++i) a.spieler.push_back(bytes::bild(&Spieler_Daten[l.kader[i]], 1));
    a.zufall = Rnd_Get_Index();
    return a;
}

class LagerLaden : public ::testing::Test {
  protected:
    Global_Parameter parameter;
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(1));
        Bank_Buchen(-1, Team_Aktiv, 5e7f, BANK_EINNAHME, 1, -1);
        parameter = Global_Param;
    }
    void TearDown() override {
        Global_Param = parameter;
        kit::Beenden();
    }
};

TEST_F(LagerLaden, GeladenesLagerEndetWieDasDurchgelaufene) {
    // Injuries and the strength bar's effects come often, so the outcome
    // says something.
    Global_Param.training_lager_verletzung = 60;
    ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 5));
    ASSERT_TRUE(Screen_Offen(Screen_Id::TRAININGSLAGER));
    kit::Frames(10);
    icon_klicken(ICON_LAGER_LOS);
    ASSERT_TRUE(Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF));
    bis_schritt(MITTE);
    ASSERT_EQ(Trainings_Lager_Lauf().schritt, MITTE);
    ASSERT_FALSE(Trainings_Lager_Lauf().beendet);
    // Saved as the key 'k' saves, into a slot of the calendar.
    ASSERT_TRUE(Spielstand_Speichern(Kalender_Spielstand_Pfad(SLOT), 0)) << Spielstand_Letzter_Fehler();
    bis_schritt(ENDE);
    const Ausgang durch = beenden();
    ASSERT_GT(durch.schritte, MITTE);
    // Loaded as the manager loads it (the question answered yes): the game
    // comes back in the main menu, and the camp runs on over it.
    if (kit::Requester_Offen()) kit::Requester_Antworten(true);
    kit::Frames(5);
    Menue_Laden_Fragen(SLOT);
    ASSERT_TRUE(kit::Requester_Offen());
    kit::Requester_Antworten(true);
    // The calendar's next pass takes the load.
    ASSERT_EQ(Kalender_Taste(0), 1);
    // The message that the game was loaded stands over the camp until it
    // is read.
    kit::Frames(1);
    if (kit::Requester_Offen()) kit::Requester_Antworten(true);
    ASSERT_TRUE(Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF));
    EXPECT_EQ(Trainings_Lager_Lauf().schritt, MITTE);
    EXPECT_FALSE(Lager_Stand_Wartet());
    bis_schritt(durch.schritte);
    const Ausgang geladen = beenden();
    EXPECT_EQ(geladen.schritte, durch.schritte);
    EXPECT_EQ(geladen.zufall, durch.zufall);
    ASSERT_EQ(geladen.spieler.size(), durch.spieler.size());
    for (size_t i = 0; i < durch.spieler.size(); ++i) EXPECT_EQ(geladen.spieler[i], durch.spieler[i]) << "Spieler " << i;
}

// The camp's part of the menu's block: what does not hold together is
// refused (the load keeps the running game), nothing staged.
TEST_F(LagerLaden, UnstimmigesLagerWirdAbgelehnt) {
    auto block = [](u8 da, i32 team, auto aendern, i32 tag = 0) {
        Lager_Lauf l;
        l.lager = 2, l.anzahl = 3;
        aendern(l);
        std::vector<u8> aus;
        bytes::Schreiber s{aus};
        s(da);
        if (da != 1) return aus;
        s(team), s(tag), s(l.lager), s(l.anzahl), s(l.kader), s(l.start);
        for (const Lager_Balken& b : l.balken)
            s(b.position), s(b.stufe), s(b.stufen), s(b.ziel), s(b.halten), s(b.zustand), s(b.halt_beginn);
        s(l.schritt), s(l.letzter_anstieg);
        for (const Lager_Meldung& m : l.meldung) s(m.spieler), s(m.art), s(m.wert), s(static_cast<u8>(m.gezeigt));
        return aus;
    };
    auto nichts = [](Lager_Lauf&) {};
    struct Fall {
        const char* name;
        std::vector<u8> daten;
        bool gut;
    } faelle[] = {
        {"no camp", block(0, 0, nichts), true},
        {"a camp", block(1, 4, nichts), true},
        {"marker 2", block(2, 0, nichts), false},
        {"no team", block(1, -1, nichts), false},
        {"camp outside the table", block(1, 4, [](Lager_Lauf& l) { l.lager = TRAININGSLAGER_ANZAHL; }), false},
        {"squad of 21", block(1, 4, [](Lager_Lauf& l) { l.anzahl = 21; }), false},
        {"squad member -1", block(1, 4, [](Lager_Lauf& l) { l.kader[1] = -1; }), false},
        {"bar stage 10", block(1, 4, [](Lager_Lauf& l) { l.balken[2].stufe = LAUF_STUFEN; }), false},
        {"bar of 11 stages", block(1, 4, [](Lager_Lauf& l) { l.balken[0].stufen = LAUF_STUFEN + 1; }), false},
        {"message kind 4", block(1, 4, [](Lager_Lauf& l) { l.meldung[0].art = 4; }), false},
    };
    for (const Fall& f : faelle) {
        bytes::Leser l(f.daten.data(), f.daten.size());
        EXPECT_EQ(Lager_Stand_Lesen(l), f.gut) << f.name;
        Lager_Stand_Uebernehmen();
        EXPECT_EQ(Lager_Stand_Wartet(), f.gut && f.daten[0] == 1) << f.name;
        Lager_Stand_Uebernehmen();  // nothing staged any more
        EXPECT_FALSE(Lager_Stand_Wartet()) << f.name;
    }
    // A camp of another day (the day played on, or another game begun)
    // never runs on: it is dropped at the hand-over.
    for (const i32 tag : {Kalender_Get_Tag() + 1, Kalender_Get_Tag() - 1}) {
        const std::vector<u8> anders = block(1, Team_Aktiv, nichts, tag);
        bytes::Leser l(anders.data(), anders.size());
        ASSERT_TRUE(Lager_Stand_Lesen(l));
        Lager_Stand_Uebernehmen();
        Lager_Stand_Fortsetzen();
        EXPECT_FALSE(Lager_Stand_Wartet()) << tag;
        EXPECT_FALSE(Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF)) << tag;
    }
    // The same day: it runs on.
    const std::vector<u8> heute = block(1, Team_Aktiv, nichts, Kalender_Get_Tag());
    bytes::Leser h(heute.data(), heute.size());
    ASSERT_TRUE(Lager_Stand_Lesen(h));
    Lager_Stand_Uebernehmen();
    Lager_Stand_Fortsetzen();
    EXPECT_TRUE(Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF));
    EXPECT_EQ(Trainings_Lager_Lauf().lager, 2);
    // Cut short anywhere: refused.
    const std::vector<u8> voll = block(1, 4, nichts);
    for (size_t n = 1; n < voll.size(); n += 37) {
        bytes::Leser l(voll.data(), n);
        EXPECT_FALSE(Lager_Stand_Lesen(l)) << n;
    }
}

// The camp's run is a screen like the others: opened by its id for a camp
// of the table, never for another; a loaded camp comes back through the
// same record, so whatever the record does on opening happens after a load.
TEST_F(LagerLaden, LaufOeffnetAnSeinerId) {
    struct Fall {
        i32 lager;
        bool offen;
    } faelle[] = {{-1, false}, {TRAININGSLAGER_ANZAHL, false}, {1, true}};
    for (const Fall& f : faelle) {
        EXPECT_TRUE(Screen_Oeffnen_Fuer(Screen_Id::TRAININGSLAGER_LAUF, {.lager = f.lager}));
        EXPECT_EQ(Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF), f.offen) << f.lager;
    }
    EXPECT_EQ(Trainings_Lager_Lauf().lager, 1);
    EXPECT_GT(Trainings_Lager_Lauf().anzahl, 0);
    // A running camp stays the one it is.
    Screen_Oeffnen_Fuer(Screen_Id::TRAININGSLAGER_LAUF, {.lager = 3});
    EXPECT_EQ(Trainings_Lager_Lauf().lager, 1);
    Screen_Schliessen(Screen_Id::TRAININGSLAGER_LAUF);
    ASSERT_FALSE(Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF));

    // The loaded camp is opened through the registry.
    static std::vector<i32> geoeffnet;
    geoeffnet.clear();
    const Screen_Def original = *Screen_Holen(Screen_Id::TRAININGSLAGER_LAUF);
    static void (*oeffnen)(const Screen_Anlass&) = nullptr;
    oeffnen = original.oeffnen_fuer;
    Screen_Def gezaehlt = original;
    gezaehlt.oeffnen_fuer = [](const Screen_Anlass& a) {
        geoeffnet.push_back(a.lager);
        oeffnen(a);
    };
    Screen_Registrieren(Screen_Id::TRAININGSLAGER_LAUF, gezaehlt);
    Lager_Lauf l;
    l.lager = 2, l.anzahl = 1, l.schritt = 7;
    std::vector<u8> block;
    bytes::Schreiber s{block};
    s(u8{1}), s(Team_Aktiv), s(static_cast<i32>(Kalender_Get_Tag())), s(l.lager), s(l.anzahl), s(l.kader), s(l.start);
    for (const Lager_Balken& b : l.balken)
        s(b.position), s(b.stufe), s(b.stufen), s(b.ziel), s(b.halten), s(b.zustand), s(b.halt_beginn);
    s(l.schritt), s(l.letzter_anstieg);
    for (const Lager_Meldung& m : l.meldung) s(m.spieler), s(m.art), s(m.wert), s(static_cast<u8>(m.gezeigt));
    bytes::Leser le(block.data(), block.size());
    ASSERT_TRUE(Lager_Stand_Lesen(le));
    Lager_Stand_Uebernehmen();
    Lager_Stand_Fortsetzen();
    Screen_Registrieren(Screen_Id::TRAININGSLAGER_LAUF, original);
    EXPECT_EQ(geoeffnet, std::vector<i32>{2});
    EXPECT_TRUE(Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF));
    EXPECT_EQ(Trainings_Lager_Lauf().lager, 2);
    EXPECT_EQ(Trainings_Lager_Lauf().schritt, 7u);
}

}  // namespace

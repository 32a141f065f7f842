// Calendar: dates and their texts, the per-day matchday table, the placing
// of a competition's matchdays, the calendar save block and its calls.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "base/globals.h"
#include "base/random.h"
#include "matchday/season_netz.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/netz_rufe.h"
#include "season/optionen.h"
#include "season/season_hooks.h"
#include "season/wettbewerb.h"

namespace {

class Kalender : public ::testing::Test {
  protected:
    void SetUp() override {
        Season_Hooks_Zuruecksetzen();
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Kalender_Lauf_Reset();
        ASSERT_TRUE(Kalender_Init(nullptr));
        Rnd_Set_Index(0, 0);
    }
    void TearDown() override { Kalender_Free(); }
};

// Counts the days that carry the slot's bit, and checks them against the rules.
std::vector<int> tage_des_slots(int slot) {
    std::vector<int> v;
    for (int d = 0; d < KALENDER_TAGE; ++d)
        if (Kalender_Termin_Gesetzt(d, slot)) v.push_back(d);
    return v;
}

TEST_F(Kalender, TagNullIstDonnerstagDritterJuli2003) {
    Datum d = Kalender_Get_Datum_Von_Tag(0, false);
    EXPECT_EQ(d.tag_im_monat, 3);
    EXPECT_EQ(d.monat, 7);
    EXPECT_EQ(d.jahr, 2003);
    EXPECT_EQ(d.wochentag, 5);
    EXPECT_STREQ(d.zahl_text, "3.7.2003");
    EXPECT_STREQ(d.wochentag_name, "Donnerstag");
    EXPECT_EQ(d.vor_schaltjahr, 1);
    Datum l = Kalender_Get_Datum_Von_Tag(0, true);
    EXPECT_STREQ(l.name_text, "Donnerstag, 3.Juli 2003");
    EXPECT_STREQ(l.zahl_text, "Donnerstag, 3.7.2003");
    EXPECT_EQ(Kalender_Get_Datum_Von_Tag(182, false).monat, 1);
    EXPECT_STREQ(Kalender_Get_Datum_Von_Tag(182, false).zahl_text, "1.1.2004");
    EXPECT_STREQ(Kalender_Get_Datum_Von_Tag(241, false).zahl_text, "29.2.2004");
    EXPECT_STREQ(Kalender_Get_Datum_Von_Tag(366, false).zahl_text, "3.7.2004");
    EXPECT_EQ(Kalender_Get_Datum_Von_Tag(366, false).vor_schaltjahr, 0);
}

TEST_F(Kalender, JederTagBis40000HinUndZurueck) {
    int wochentag = 5;
    for (int tag = 0; tag <= 40000; ++tag) {
        Datum d = Kalender_Get_Datum_Von_Tag(tag, false);
        ASSERT_EQ(Kalender_Get_Tag_Aus_Datum(d.tag_im_monat, d.monat, d.jahr), tag) << d.zahl_text;
        ASSERT_EQ(d.wochentag, wochentag) << tag;
        wochentag = (wochentag + 1) % 7;
    }
    // 2100 is no leap year, 2400 is.
    EXPECT_EQ(Kalender_Get_Tag_Aus_Datum(29, 2, 2100), -1);
    EXPECT_EQ(Kalender_Get_Tag_Aus_Datum(1, 3, 2100) - Kalender_Get_Tag_Aus_Datum(28, 2, 2100), 1);
}

TEST_F(Kalender, DatenVorTagNullUndUngueltigeDaten) {
    // Day, month, year and the day index: before day 0 gives 0, an impossible date -1.
    const int faelle[][4] = {{2, 7, 2003, 0},   {1, 1, 1990, 0},  {32, 1, 2004, -1},
                             {1, 13, 2004, -1}, {0, 1, 2004, -1}, {1, 1, 2004, 182}};
    for (const auto& f : faelle)
        EXPECT_EQ(Kalender_Get_Tag_Aus_Datum(f[0], f[1], f[2]), f[3]) << f[0] << "." << f[1] << "." << f[2];
}

const char* vorlagen_text(const char* id) {
    if (!std::strcmp(id, "*19")) return "#w,d.n.y";
    if (!std::strcmp(id, "*20")) return "#d/n/y";
    if (!std::strcmp(id, "*21")) return "#d m";
    if (!std::strcmp(id, "*22")) return "#n-d";
    return nullptr;
}

TEST_F(Kalender, DatumsvorlagenMitRaute) {
    {
        Season_Gui_Hooks h = Season_Gui;
        h.Text = vorlagen_text;
        Season_Gui_Set_Hooks(h);
    }
    Datum l = Kalender_Get_Datum_Von_Tag(0, true);
    EXPECT_STREQ(l.name_text, "Donnerstag,3.7.2003");
    EXPECT_STREQ(l.zahl_text, "3/7/2003");
    Datum k = Kalender_Get_Datum_Von_Tag(0, false);
    EXPECT_STREQ(k.name_text, "3 Juli");
    EXPECT_STREQ(k.zahl_text, "7-3");
}

TEST_F(Kalender, TagesartUndTerminSetzen) {
    EXPECT_EQ(Kalender_Get_Tag_Art(0), -1);
    EXPECT_EQ(Kalender_Get_Tag_Art(366), -1);
    EXPECT_EQ(Kalender_Get_Tag_Art(10), -1);
    EXPECT_TRUE(Kalender_Termin_Setzen(10, 3, 7));
    EXPECT_EQ(Kalender_Get_Tag_Art(10), 7);
    // Another kind on a day of the same row of slots is refused ...
    EXPECT_FALSE(Kalender_Termin_Setzen(10, 4, 8));
    // ... but a slot of another row, or no kind, is taken.
    EXPECT_TRUE(Kalender_Termin_Setzen(10, 40, 8));
    EXPECT_TRUE(Kalender_Termin_Setzen(10, 5, -1));
    EXPECT_TRUE(Kalender_Termin_Gesetzt(10, 5));
    // Bad slots and days are refused without touching anything.
    EXPECT_FALSE(Kalender_Termin_Setzen(10, 128, -1));
    EXPECT_FALSE(Kalender_Termin_Setzen(-3, 1, -1));
    EXPECT_FALSE(Kalender_Termin_Setzen(5000, 1, -1));
}

TEST_F(Kalender, VerteilenHaeltJedeWochenregel) {
    const int erste = 3, letzte = 44, frei_von = 24, frei_bis = 29;
    i32 slot = Kalender_Termine_Verteilen(34, -1, 0, 0, 90, erste, letzte, -1, frei_von, frei_bis, -1, false, false);
    ASSERT_EQ(slot, 0);
    EXPECT_EQ(Kalender_Get_Zustand().slot_zaehler, 1);
    std::vector<int> tage = tage_des_slots(slot);
    ASSERT_EQ(tage.size(), 34u);
    int samstage = 0;
    for (int t : tage) {
        EXPECT_NE(t, 0);
        int woche = t / 7;
        EXPECT_GE(woche, erste);
        EXPECT_LE(woche, letzte);
        EXPECT_FALSE(woche >= frei_von && woche <= frei_bis) << t;
        if (Kalender_Get_Datum_Von_Tag(t, false).wochentag == 0) ++samstage;
    }
    // The quota: most days on the weekday asked for.
    EXPECT_GE(samstage * 100, 34 * 80);
}

TEST_F(Kalender, VerteilenIstVomZufallscursorBestimmt) {
    auto lauf = [](u32 cursor) {
        Kalender_Init(nullptr);
        Rnd_Set_Index(static_cast<i32>(cursor), 0);
        // Two competitions share the weeks, so the extra passes and the
        // shuffles both run.
        Kalender_Termine_Verteilen(30, -1, 0, 0, 90, 3, 44, 1, 24, 29, -1, false, false);
        Kalender_Termine_Verteilen(34, -1, 0, 0, 70, 3, 44, 1, 24, 29, -1, false, false);
        std::vector<int> v = tage_des_slots(0);
        std::vector<int> w = tage_des_slots(1);
        v.insert(v.end(), w.begin(), w.end());
        return v;
    };
    auto a = lauf(123), b = lauf(123), c = lauf(4000);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.size(), 64u);
    EXPECT_EQ(c.size(), 64u);
    EXPECT_NE(a, c) << "another cursor draws other days";
}

TEST_F(Kalender, VerteilenNachVorgaengerUndMitArt) {
    i32 s0 = Kalender_Termine_Verteilen(4, -1, 0, 0, 100, 3, 10, 2, 24, 29, -1, false, false);
    ASSERT_EQ(s0, 0);
    i32 s1 = Kalender_Termine_Verteilen(3, s0, 0, 3, 100, 3, 44, 2, 24, 29, -1, false, false);
    ASSERT_EQ(s1, 1);
    int letzter_vorgaenger = tage_des_slots(s0).back();
    for (int t : tage_des_slots(s1)) {
        EXPECT_GE(t / 7, letzter_vorgaenger / 7 + 1);
        EXPECT_EQ(Kalender_Get_Tag_Art(t), 2);
    }
    // Days of another kind are never taken.
    Kalender_Termin_Setzen(7 * 20, 30, 9);
    i32 s2 = Kalender_Termine_Verteilen(30, -1, 0, 0, 90, 3, 44, 2, 24, 29, -1, false, false);
    ASSERT_GE(s2, 0);
    for (int t : tage_des_slots(s2)) EXPECT_NE(t, 7 * 20);
}

TEST_F(Kalender, VerteilenMitRueckspielenNachZweiWochen) {
    i32 slot = Kalender_Termine_Verteilen(6, -1, 0, 3, 100, 3, 44, -1, 24, 29, -1, false, true);
    ASSERT_GE(slot, 0);
    std::vector<int> tage = tage_des_slots(slot);
    ASSERT_EQ(tage.size(), 6u);
    // The days split into first legs and their return legs 14 days later.
    std::multiset<int> s(tage.begin(), tage.end());
    int paare = 0;
    while (!s.empty()) {
        int t = *s.begin();
        s.erase(s.begin());
        auto r = s.find(t + 14);
        ASSERT_NE(r, s.end()) << t;
        s.erase(r);
        ++paare;
    }
    EXPECT_EQ(paare, 3);
}

TEST_F(Kalender, VerteilenZuVieleTageGibtMinusEins) {
    EXPECT_EQ(Kalender_Termine_Verteilen(60, -1, 0, 0, 100, 3, 10, -1, 24, 29, -1, false, false), -1);
    EXPECT_EQ(Kalender_Get_Zustand().slot_zaehler, 0);
    EXPECT_TRUE(tage_des_slots(0).empty());
    EXPECT_EQ(Kalender_Termine_Verteilen(0, -1, 0, 0, 90, 3, 44, -1, 24, 29, 7, false, false), 7);
    Kalender_Free();
    EXPECT_EQ(Kalender_Termine_Verteilen(4, -1, 0, 0, 90, 3, 44, -1, 24, 29, -1, false, false), -1);
}

TEST_F(Kalender, SpeicherblockGleichNachLadenUndSpeichern) {
    Kalender_Termine_Verteilen(34, -1, 0, 0, 90, 3, 44, 1, 24, 29, -1, false, false);
    Kalender_Get_Zustand().jahr = 3;
    Kalender_Lauf& l = Kalender_Lauf_Get();
    l.zug_anzahl = 2;
    l.zugliste[0] = 7;
    l.zugliste[1] = 9;
    l.speichern = 3;
    std::vector<u8> a = Kalender_Save_Bild();
    ASSERT_EQ(a.size(), 7468u + 7 + 8 + 12 + 12 + 4000);
    Kalender_Init(nullptr);
    Kalender_Lauf_Reset();
    ASSERT_TRUE(Kalender_Load_Bild(a.data(), a.size()));
    EXPECT_EQ(Kalender_Get_Jahr(), 3);
    EXPECT_EQ(Kalender_Lauf_Get().zugliste[1], 9);
    std::vector<u8> b = Kalender_Save_Bild();
    EXPECT_EQ(a, b);
}

TEST_F(Kalender, BeschaedigterSpeicherblockWirdAbgelehnt) {
    Kalender_Get_Zustand().jahr = 5;
    std::vector<u8> a = Kalender_Save_Bild();
    Kalender_Get_Zustand().jahr = 6;
    EXPECT_FALSE(Kalender_Load_Bild(a.data(), a.size() - 1));
    // Month of the current date, month table, turn count.
    const std::pair<size_t, i32> schaeden[] = {{12 + 12, 13}, {7468 + 7 + 8, 99}, {7468 + 7 + 8 + 12 + 4, 5000}};
    for (const auto& [pos, wert] : schaeden) {
        std::vector<u8> b = a;
        if (wert > 255) put_i32le(b.data() + pos, wert);
        else b[pos] = static_cast<u8>(wert);
        EXPECT_FALSE(Kalender_Load_Bild(b.data(), b.size())) << pos;
    }
    EXPECT_EQ(Kalender_Get_Jahr(), 6);  // the old state is kept
}

// The day index, its date record and the base day must tell the same day:
// a save whose day index runs ahead of its date, or whose base day lies
// beyond a season before today, is refused and the running game kept.
TEST_F(Kalender, TagUndDatumMuessenZusammenpassen) {
    Kalender_Zustand& z = Kalender_Get_Zustand();
    z.aktuell = Kalender_Get_Datum_Von_Tag(40, true);  // 12.8.2003
    const std::vector<u8> a = Kalender_Save_Bild();
    const struct {
        i32 tag, basistag;
        bool gut;
    } faelle[] = {
        {40, 0, true},      {365, 0, false},    {183000, 0, false}, {41, 0, false},
        {40, 35, true},     {40, 40, false},    {40, 42, false},    {40, -7, false},
    };
    for (const auto& f : faelle) {
        std::vector<u8> b = a;
        put_i32le(b.data() + 12, f.tag);
        put_i32le(b.data(), f.basistag);
        z.aktuell = Kalender_Get_Datum_Von_Tag(7, true);
        EXPECT_EQ(Kalender_Load_Bild(b.data(), b.size()), f.gut) << f.tag << " " << f.basistag;
        EXPECT_EQ(Kalender_Get_Tag(), f.gut ? f.tag : 7) << f.tag << " " << f.basistag;
    }
    // The last day a season can count from its base day, and the one after.
    for (const auto& [seit_basis, gut] : {std::pair{KALENDER_SAISON_TAGE_MAX - 1, true}, {KALENDER_SAISON_TAGE_MAX, false}}) {
        const i32 basis = 364 * 3;
        z.basistag = basis;
        z.aktuell = Kalender_Get_Datum_Von_Tag(basis + seit_basis, true);
        const std::vector<u8> b = Kalender_Save_Bild();
        z.basistag = 0;
        z.aktuell = Kalender_Get_Datum_Von_Tag(7, true);
        EXPECT_EQ(Kalender_Load_Bild(b.data(), b.size()), gut) << seit_basis;
    }
}

TEST_F(Kalender, ServerZeilen1000Bis1003) {
    Kalender_Get_Zustand().jahr = 2;
    Option_Wert(19, 1, 0);
    i32 jahr = 0, tag = -1;
    u8 opt[140];
    EXPECT_EQ(Kalender_Internet_Server_1000(&jahr, &tag, opt), 1);
    EXPECT_EQ(jahr, 2);
    EXPECT_EQ(tag, 0);
    EXPECT_EQ(get_i32le(opt + 20 + 19 * 4), 0);
    std::vector<i32> gruppen;
    u8 block[7468];
    i32 anzahl = -1;
    EXPECT_EQ(Kalender_Internet_Server_1002(gruppen, block, &anzahl), 1);
    EXPECT_EQ(anzahl, 0);
    Kalender_Zustand z;
    ASSERT_TRUE(Kalender_Zustand_Lesen(z, block, sizeof block));
    EXPECT_EQ(z.jahr, 2);
    EXPECT_EQ(Kalender_Internet_Server_1003(4, 4), 0);
    Optionen_Reset();
}

}  // namespace

namespace {

// The client's calendar load through a loop-back network whose server is a
// second calendar state kept here.
Kalender_Zustand server_zustand;
bool kalender_leitung(u16 nummer, const std::vector<u8>& argumente, std::vector<u8>* antwort) {
    Kalender_Zustand client = Kalender_Get_Zustand();
    Kalender_Get_Zustand() = server_zustand;
    const bool ok = ruf::Lokale_Leitung(nummer, argumente, antwort);
    Kalender_Get_Zustand() = client;
    return ok;
}

TEST_F(Kalender, ClientLaedtDenKalenderVomServer) {
    server_zustand = Kalender_Get_Zustand();
    server_zustand.jahr = 4;
    server_zustand.aktuell = Kalender_Get_Datum_Von_Tag(400, true);
    server_zustand.basistag = 364;  // the Thursday before 3 July 2004
    server_zustand.bits[0][12] = 8;
    Season_Netz_Anmelden();
    ruf::Leitung_Setzen(kalender_leitung);
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Kalender_Internet_Client_Laden();  // a new year: the whole state
    EXPECT_EQ(Kalender_Get_Jahr(), 4);
    EXPECT_EQ(Kalender_Get_Tag(), 400);
    EXPECT_TRUE(Kalender_Termin_Gesetzt(12, 3));
    server_zustand.aktuell = Kalender_Get_Datum_Von_Tag(401, true);
    server_zustand.bits[0][12] = 0;
    Kalender_Internet_Client_Laden();  // the same year: only today's date
    EXPECT_EQ(Kalender_Get_Tag(), 401);
    EXPECT_TRUE(Kalender_Termin_Gesetzt(12, 3));
    Internet_Modus = INTERNET_MODUS_EINZEL;
    Kalender_Internet_Client_Laden();  // nothing outside a client
    EXPECT_EQ(Kalender_Get_Tag(), 401);
    ruf::Leitung_Setzen(nullptr);
}

// A client that joins in the middle of a season is on its own first day:
// it takes the server's whole calendar (the days its league plays on), not
// the server's date alone.
TEST_F(Kalender, ClientImLaufendenJahrNimmtDenGanzenKalender) {
    Kalender_Get_Zustand().jahr = 0;
    Kalender_Get_Zustand().aktuell = Kalender_Get_Datum_Von_Tag(0, true);
    server_zustand = Kalender_Get_Zustand();
    server_zustand.aktuell = Kalender_Get_Datum_Von_Tag(8, true);
    server_zustand.bits[0][8] = 1;
    Kalender_Get_Zustand().bits[0][8] = 0;
    Season_Netz_Anmelden();
    ruf::Leitung_Setzen(kalender_leitung);
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Kalender_Internet_Client_Laden();
    EXPECT_EQ(Kalender_Get_Tag(), 8);
    EXPECT_TRUE(Kalender_Termin_Gesetzt(8, 0));
    Internet_Modus = INTERNET_MODUS_EINZEL;
    ruf::Leitung_Setzen(nullptr);
}

}  // namespace

// The pieces every screen shares: star layout and deduction, stepping
// cycles, the value stepper's zones, the pulsing colour, the scroll-knob
// callback, the player row and the attribute row.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "grafik_nummern.h"
#include "graphics/abdruck.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/zeichenspur.h"
#include "gui/kit.h"
#include "gui/palette.h"
#include "kit.h"
#include "platform/input.h"
#include "screens/teile/attribut_legende.h"
#include "screens/teile/attribut_zeile.h"
#include "screens/teile/drossel.h"
#include "screens/teile/griff.h"
#include "screens/teile/namen.h"
#include "screens/teile/schritt.h"
#include "screens/teile/scroll.h"
#include "screens/teile/spielerzeile.h"
#include "screens/teile/sterne.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/global.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {

using Liste = std::vector<std::pair<i32, i32>>;  // (picture, x) in drawing order
Liste liste(const Sterne_Bild& b) {
    Liste l;
    for (i32 i = 0; i < b.anzahl; ++i) l.emplace_back(b.stern[i].grafik, b.stern[i].x);
    return l;
}

TEST(Sterne, GrossMitAbzug) {
    constexpr i32 X = 197;
    auto bei = [](i32 i) { return X + 15 * i; };
    // Six places, empty ones drawn, whatever the strength: the first six
    // pictures of every row.
    auto plaetze = [&](i32 leer) {
        Liste l;
        for (i32 i = 0; i < 6; ++i) l.emplace_back(leer, bei(i));
        return l;
    };
    auto mit = [](Liste l, const Liste& dazu) {
        l.insert(l.end(), dazu.begin(), dazu.end());
        return l;
    };
    const Liste leer = plaetze(GRAFIK_STERN_LEER), gewaehlt = plaetze(GRAFIK_STERN_LEER_GEWAEHLT);
    struct Fall {
        i32 h, d;
        bool gewaehlt;
        Liste soll;
    } faelle[] = {
        // Strength 9, 4 lost: full, full, half kept, lost, and a lost half at index 4.
        {9, 4, false,
         mit(leer, {{GRAFIK_STERN, bei(0)},
                    {GRAFIK_STERN, bei(1)},
                    {GRAFIK_STERN_HALB_ABZUG, bei(2)},
                    {GRAFIK_STERN_ABZUG, bei(3)},
                    {GRAFIK_STERN_ABZUG_HALB, bei(4)}})},
        // No deduction, odd strength, selected: the half star over a selected empty place.
        {3, 0, true, mit(gewaehlt, {{GRAFIK_STERN, bei(0)}, {GRAFIK_STERN_HALB, bei(1)}})},
        // Everything lost (an unavailable player): every star lost.
        {4, 4, false, mit(leer, {{GRAFIK_STERN_ABZUG, bei(0)}, {GRAFIK_STERN_ABZUG, bei(1)}})},
        // An even number kept: no half-kept star.
        {6, 2, false, mit(leer, {{GRAFIK_STERN, bei(0)}, {GRAFIK_STERN, bei(1)}, {GRAFIK_STERN_ABZUG, bei(2)}})},
        // Values outside 0..12 are held to it; a deduction above the strength counts as all of it.
        {20, 99, false,
         mit(leer, {{GRAFIK_STERN_ABZUG, bei(0)},
                    {GRAFIK_STERN_ABZUG, bei(1)},
                    {GRAFIK_STERN_ABZUG, bei(2)},
                    {GRAFIK_STERN_ABZUG, bei(3)},
                    {GRAFIK_STERN_ABZUG, bei(4)},
                    {GRAFIK_STERN_ABZUG, bei(5)}})},
        // No strength at all: still the six empty places.
        {0, 0, false, leer},
        {-5, 0, false, leer},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(liste(Sterne_Gross(f.h, f.d, f.gewaehlt, X)), f.soll) << f.h << "/" << f.d;
}

TEST(Sterne, KleinMitLeerenPlaetzen) {
    auto leer = [](i32 x) {
        Liste l;
        for (i32 i = 0; i < 6; ++i) l.emplace_back(GRAFIK_STERN_MAX, x + 7 * i);
        return l;
    };
    Liste soll = leer(10);
    soll.insert(soll.end(), {{GRAFIK_STERN_KLEIN, 10}, {GRAFIK_STERN_KLEIN_HALB_ABZUG, 17}, {GRAFIK_STERN_KLEIN_ABZUG_HALB, 24}});
    EXPECT_EQ(liste(Sterne_Klein(5, 2, 10)), soll);
    soll = leer(0);
    soll.insert(soll.end(), {{GRAFIK_STERN_KLEIN, 0}, {GRAFIK_STERN_KLEIN_HALB, 7}});
    EXPECT_EQ(liste(Sterne_Klein(3, 0, 0)), soll);
    EXPECT_EQ(liste(Sterne_Klein(0, 0, 0)), leer(0));
}

TEST(Sterne, Positionsabzug) {
    struct Fall {
        i32 klasse, halbe;
        bool verfuegbar;
        i32 reihe, soll;
    } faelle[] = {
        {0, 10, true, 0, 0},   // keeper in goal
        {0, 10, true, 5, 8},   // keeper in midfield: 80 %
        {2, 9, true, 0, 7},    // midfielder in goal: 80 %, rounded down
        {1, 8, true, 2, 0},    // defender in defence
        {1, 8, true, 9, 4},    // defender in attack: two lines
        {3, 8, true, 4, 2},    // forward in midfield
        {2, 8, true, 11, 0},   // a row outside the pitch counts as midfield
        {2, 7, false, 5, 7},   // unavailable: all of it
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(Positionsabzug(f.klasse, f.halbe, f.verfuegbar, f.reihe), f.soll)
            << f.klasse << " " << f.halbe << " " << f.reihe;
    const i32 linien[] = {0, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3};
    for (i32 r = 0; r <= 10; ++r) EXPECT_EQ(Formation_Linie(r), linien[r]) << r;
    EXPECT_EQ(Formation_Linie(-1), 2);
}

// One full round from slot 0 in each direction.
std::vector<i32> runde(bool eigen, i32 richtung) {
    std::vector<i32> r;
    i32 s = 0;
    for (i32 i = 0; i < KADER_SLOTS; ++i) r.push_back(s = Slot_Schritt(s, richtung, eigen));
    return r;
}

TEST(Schritt, ZyklenUndStepper) {
    EXPECT_EQ(runde(true, 1), (std::vector<i32>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 0}));
    EXPECT_EQ(runde(true, -1), (std::vector<i32>{19, 18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(runde(false, 1), (std::vector<i32>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 17, 18, 19, 11, 12, 13, 14, 15, 16, 0}));
    EXPECT_EQ(runde(false, -1), (std::vector<i32>{16, 15, 14, 13, 12, 11, 19, 18, 17, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(Slot_Schritt(25, 1, false), 0);  // a slot outside the squad starts again
    EXPECT_EQ(Listen_Schritt(0, -1, 5), 4);
    EXPECT_EQ(Listen_Schritt(4, 1, 5), 0);
    EXPECT_EQ(Listen_Schritt(0, 1, 0), -1);
    struct Zone {
        i32 dx, schritt, grafik;
    } zonen[] = {{0, -10, GRAFIK_STEPPER_MINUS_10}, {29, -10, GRAFIK_STEPPER_MINUS_10},
                 {30, -1, GRAFIK_STEPPER_MINUS_1},  {49, -1, GRAFIK_STEPPER_MINUS_1},
                 {50, 1, GRAFIK_STEPPER_PLUS_1},    {67, 1, GRAFIK_STEPPER_PLUS_1},
                 {68, 10, GRAFIK_STEPPER_PLUS_10},  {97, 10, GRAFIK_STEPPER_PLUS_10}};
    for (const Zone& z : zonen) {
        EXPECT_EQ(Stepper_Schritt(400, 400 + z.dx), z.schritt) << z.dx;
        EXPECT_EQ(Stepper_Grafik(z.schritt), z.grafik) << z.dx;
    }
}

// The squad lists' rows: the three blocks with their gaps, each row 17 px
// below the one before within its block.
TEST(Schritt, KaderZeilenInDreiBloecken) {
    struct Fall {
        i32 slot, y;
    } faelle[] = {{0, 136}, {10, 306}, {11, 344}, {16, 429}, {17, 467}, {19, 501}};
    for (const Fall& f : faelle) EXPECT_EQ(Kader_Slot_Y(f.slot), f.y) << f.slot;
}

class Mit_Uhr : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(kit::Starten_Ohne_Spiel()); }
    void TearDown() override { kit::Beenden(); }
};

TEST_F(Mit_Uhr, PulsGehtHinUndZurueck) {
    Screen_Puls p;
    std::vector<i32> stufen;
    for (int i = 0; i < 40; ++i) {
        kit::Warten(11);
        Screen_Puls_Farbe(&p);
        stufen.push_back(p.index);
    }
    // Up to 16, back down to 0, up again; a step needs more than 10 ms.
    EXPECT_EQ(stufen[15], 16);
    EXPECT_EQ(stufen[16], 15);
    EXPECT_EQ(stufen[31], 0);
    EXPECT_EQ(stufen[32], 1);
    const i32 vorher = p.index;
    kit::Warten(10);
    Screen_Puls_Farbe(&p);
    EXPECT_EQ(p.index, vorher);
    EXPECT_EQ(PULS_FARBEN[0], 65535);
    EXPECT_EQ(PULS_FARBEN[16], 57344);
}

TEST_F(Mit_Uhr, ScrollKnopfMeldetNurAenderungen) {
    i32 erste = 0;
    kit::Spur_Leeren();
    EXPECT_FALSE(Screen_Scroll_Gemeldet(&erste, 0));
    EXPECT_TRUE(Screen_Scroll_Gemeldet(&erste, 3));
    EXPECT_EQ(erste, 3);
    EXPECT_EQ(kit::Klaenge(), std::vector<i32>{KLANG_SCROLL});
    ASSERT_FALSE(Zeichenspur_Eintraege().empty());
    EXPECT_EQ(Zeichenspur_Eintraege().back().wert, KLANG_SCROLL_LAUTSTAERKE);
    EXPECT_FALSE(Screen_Scroll_Gemeldet(nullptr, 1));
}

}  // namespace

namespace {

class Zeile : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(kit::Starten(1)); }
    void TearDown() override { kit::Beenden(); }
};

// One row of the squad list drawn into the trace: badge, texts and their
// colours, stars, attributes and exhaustion at their places; an injured and
// a suspended player show why they are out, over the "unavailable" overlay.
TEST_F(Zeile, SpielerzeileInDerSpur) {
    i32 kader[32];
    ASSERT_GE(Teamspieler_Ins_Array(Team_Aktiv, kader, 32, 0), 1);
    const i32 p = kader[0];
    Spieler_Struktur& s = Spieler_Daten[p];
    s.rueckennummer = 12;
    s.moral = 3;
    struct Fall {
        u32 status;
        bool gewaehlt;
        const char* text;
        u16 farbe;
        bool ueberlage;
    } faelle[] = {
        {0, false, Status_Text(3), FARBE_NOTE[3], false},
        {0x40, false, Status_Text(8), FARBE_FEHLER, true},
        {0x200, true, Status_Text(7), FARBE_FEHLER, true},
    };
    const i32 x = 200, y = 136;
    for (const Fall& f : faelle) {
        s.status = f.status;
        kit::Spur_Leeren();
        Spielerzeile_Zeichnen(Screen_Rastport, {.spieler = p, .x = x, .y = y, .hoehe = 17, .gewaehlt = f.gewaehlt});
        const Zeichenspur_Eintrag* nummer = kit::Text("12");
        ASSERT_TRUE(nummer);
        EXPECT_EQ(nummer->x, x - 3) << "numbers 10..19 one pixel further left";
        EXPECT_EQ(nummer->y, y + 12);
        EXPECT_EQ(nummer->font, 15);
        const Zeichenspur_Eintrag* name = kit::Text(Spieler_String(63, p, nullptr, 0));
        ASSERT_TRUE(name);
        EXPECT_EQ(name->farbe, FARBE_WEISS);
        const Zeichenspur_Eintrag* st = kit::Text(f.text);
        ASSERT_TRUE(st) << f.text;
        EXPECT_EQ(st->farbe, f.farbe) << f.text;
        const i32 klasse = Spieler_Wert(67, p, 0, OP_LESEN);
        const i32 badge[4] = {24039, 24037, 24036, 24038};
        EXPECT_TRUE(Zeichenspur_Blit(badge[klasse])) << klasse;
        EXPECT_EQ(Zeichenspur_Blit(GRAFIK_NICHT_VERFUEGBAR) != nullptr, f.ueberlage);
        const Zeichenspur_Eintrag* stern = Zeichenspur_Blit_Bei(x + 197 + 2, y + 3);
        EXPECT_TRUE(stern && stern->grafik >= GRAFIK_STERN && stern->grafik <= GRAFIK_STERN_HALB_ABZUG);
        i32 attr[3];
        if (Attribute_Get_Attribute(p, attr, 3, 0) > 0 && attr[0] >= 0) {
            EXPECT_TRUE(Zeichenspur_Blit((f.gewaehlt ? GRAFIK_ATTRIBUT_GEWAEHLT : GRAFIK_ATTRIBUT) + attr[0]));
        }
        const i32 erschoepfung[5] = {24043, 24044, 24045, 24042, 24046};
        const Zeichenspur_Eintrag* e = Zeichenspur_Blit(erschoepfung[Spieler_Get_Erschoepfung(p)]);
        ASSERT_TRUE(e);
        EXPECT_EQ(e->x, x + 469);
    }
}

// A row probed on the screen is remembered by what it shows: after each
// change of what it shows, the probe (remembered the second time) equals a
// fresh one with nothing remembered, and differs from the one before.
TEST_F(Zeile, GemerkteSpielerzeileFolgtJederAenderung) {
    i32 kader[32];
    ASSERT_GE(Teamspieler_Ins_Array(Team_Aktiv, kader, 32, 0), 2);
    const i32 p = kader[0];
    Spieler_Struktur& s = Spieler_Daten[p];
    s.status = 0, s.moral = 3, s.staerke = 6, s.erschoepfung = 2, s.rueckennummer = 5, s.spiele = 3;
    for (i32 a = 0; a < ATTRIBUT_ANZAHL; ++a) Spieler_Wert(a, p, 0, OP_SCHREIBEN);
    struct Ergebnis {
        u64 abdruck = 0;
        Abdruck_Rechteck r;
        bool sicher = false;
        bool operator==(const Ergebnis& b) const {
            return abdruck == b.abdruck && sicher == b.sicher && r.x0 == b.r.x0 && r.y0 == b.r.y0 && r.x1 == b.r.x1 &&
                   r.y1 == b.r.y1;
        }
    };
    // Probed, probed again from what was remembered, and probed with nothing
    // remembered: all three alike, the last one sure.
    const auto wie_frisch = [](const auto& zeichnen) {
        const Ergebnis erst = zeichnen(), gemerkt = zeichnen();
        Abdruck_Gemerkt_Vergessen();
        const Ergebnis frisch = zeichnen();
        EXPECT_TRUE(frisch.sicher);
        EXPECT_EQ(erst, frisch);
        EXPECT_EQ(gemerkt, frisch);
        return frisch;
    };
    const auto probe = [](const Spielerzeile& z) {
        Ergebnis e;
        Abdruck_Probe_Beginnen(Screen_Rastport);
        Spielerzeile_Zeichnen(Screen_Rastport, z);
        Abdruck_Abschnitt(&e.abdruck, &e.r);
        e.sicher = Abdruck_Probe_Ende();
        return e;
    };
    Spielerzeile z{.spieler = p, .x = 200, .y = 136, .hoehe = 17};
    char name[] = "Neumann";
    const struct Fall {
        const char* was;
        std::function<void()> aendern;
    } faelle[] = {
        {"nothing", [] {}},
        {"shirt number", [&] { s.rueckennummer = 17; }},
        {"morale", [&] { s.moral = 5; }},
        {"injured", [&] { s.status = 0x40; }},
        {"strength", [&] { s.staerke = 9; }},
        {"exhaustion", [&] { s.erschoepfung = 8; }},
        {"matches", [&] { s.spiele = 40; }},
        {"name", [&] { Spieler_String(63, p, name, 1); }},
        {"position", [&] { Spieler_Fix_Daten[p].position = static_cast<u8>((Spieler_Fix_Daten[p].position + 1) % 4); }},
        {"an attribute learned", [&] { Spieler_Wert(1, p, Attribut_Noetig(1) + 1, OP_SCHREIBEN); }},
        {"selected", [&] { z.gewaehlt = true; }},
        {"deduction", [&] { z.abzug = 3; }},
        {"place", [&] { z.y += 17; }},
        {"without condition", [&] { z.mit_zustand = false; }},
        {"another player", [&] { z.spieler = kader[1]; }},
    };
    Abdruck_Gemerkt_Vergessen();
    Ergebnis vorher = probe(z);
    ASSERT_TRUE(vorher.sicher);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        f.aendern();
        const Ergebnis frisch = wie_frisch([&] { return probe(z); });
        EXPECT_EQ(frisch == vorher, f.was == std::string("nothing"));
        vorher = frisch;
    }
    // The legend the same way: each change of its entries, their place or
    // pictures.
    struct Legende {
        const char* was;
        std::vector<i32> attribute;
        u32 basis;
        Attribut_Legende_Platz platz;
    };
    const Attribut_Legende_Platz platz{.x0 = 10, .x1 = 400, .y = 100, .zeilen = 2};
    Attribut_Legende_Platz enger = platz;
    enger.x1 = 120;
    Attribut_Legende_Platz tiefer = platz;
    tiefer.y = 130;
    const Legende legenden[] = {
        {"first", {1, 2}, GRAFIK_ATTRIBUT, platz},
        {"another entry", {1, 3}, GRAFIK_ATTRIBUT, platz},
        {"another order", {3, 1}, GRAFIK_ATTRIBUT, platz},
        {"small badges", {3, 1}, GRAFIK_ATTRIBUT_KLEIN, platz},
        {"narrower: a second line", {3, 1}, GRAFIK_ATTRIBUT_KLEIN, enger},
        {"lower", {3, 1}, GRAFIK_ATTRIBUT_KLEIN, tiefer},
    };
    const auto legende = [](const Legende& l) {
        Ergebnis e;
        Abdruck_Probe_Beginnen(Screen_Rastport);
        Attribut_Legende_Zeichnen(Screen_Rastport, l.attribute, l.basis, l.platz);
        Abdruck_Abschnitt(&e.abdruck, &e.r);
        e.sicher = Abdruck_Probe_Ende();
        return e;
    };
    Ergebnis davor;
    for (const Legende& l : legenden) {
        SCOPED_TRACE(l.was);
        const Ergebnis frisch = wie_frisch([&] { return legende(l); });
        EXPECT_FALSE(frisch == davor);
        davor = frisch;
    }
}

// An attribute row of the attribute windows: picture, the mark by state,
// the name (a negative one in the warning colour), the veil when grey.
TEST_F(Zeile, AttributzeileInDerSpur) {
    i32 negativ = -1, positiv = -1;
    for (i32 a = 0; a < ATTRIBUT_ANZAHL; ++a) {
        if (Attribute_Ist_Negativ(a) && negativ < 0) negativ = a;
        if (!Attribute_Ist_Negativ(a) && positiv < 0 && Attribut_Tabelle[a].name[0]) positiv = a;
    }
    ASSERT_GE(negativ, 0);
    ASSERT_GE(positiv, 0);
    const struct {
        i32 attribut;
        Attribut_Marke marke;
        bool grau;
        i32 marke_bild;  // -1 none
    } faelle[] = {
        {positiv, Attribut_Marke::KEINE, false, -1},
        {positiv, Attribut_Marke::AKTIV, false, GRAFIK_POPUP_AKTIV},
        {positiv, Attribut_Marke::GESPERRT, true, GRAFIK_POPUP_GESPERRT},
        {negativ, Attribut_Marke::NEGATIV, true, GRAFIK_POPUP_NEGATIV},
    };
    const i32 x = 120, y = 90;
    const i32 marken[] = {GRAFIK_POPUP_AKTIV, GRAFIK_POPUP_GESPERRT, GRAFIK_POPUP_NEGATIV};
    for (const auto& f : faelle) {
        kit::Spur_Leeren();
        Attribut_Zeile_Zeichnen(Screen_Rastport, f.attribut, f.marke, f.grau, x, y);
        const Zeichenspur_Eintrag* bild = Zeichenspur_Blit(GRAFIK_ATTRIBUT + f.attribut);
        ASSERT_TRUE(bild) << f.attribut;
        EXPECT_EQ(bild->x, x + 23);
        EXPECT_EQ(bild->y, y + 1);
        for (i32 m : marken) {
            const Zeichenspur_Eintrag* e = Zeichenspur_Blit(m);
            EXPECT_EQ(e != nullptr, m == f.marke_bild) << m;
            if (e) {
                EXPECT_EQ(e->x, x + 5);
                EXPECT_EQ(e->y, y + 2);
            }
        }
        const Zeichenspur_Eintrag* name = kit::Text(Attribut_Tabelle[f.attribut].name);
        ASSERT_TRUE(name);
        EXPECT_EQ(name->x, x + 54);
        EXPECT_EQ(name->y, y + 13);
        EXPECT_EQ(name->farbe, f.attribut == negativ ? FARBE_FEHLER : FARBE_WEISS);
        EXPECT_EQ(Zeichenspur_Blit(GRAFIK_POPUP_GRAU) != nullptr, f.grau);
    }
    // Outside the table nothing is drawn.
    kit::Spur_Leeren();
    Attribut_Zeile_Zeichnen(Screen_Rastport, ATTRIBUT_ANZAHL, Attribut_Marke::AKTIV, true, x, y);
    Attribut_Zeile_Zeichnen(Screen_Rastport, -1, Attribut_Marke::AKTIV, true, x, y);
    EXPECT_TRUE(Zeichenspur_Eintraege().empty());
}

}  // namespace


// The title-bar grip: which presses take hold, when it lets go, where the
// window goes.
TEST(Griff, NimmtNurDenLinkenKnopfAufDerLeiste) {
    struct Schritt {
        i32 mx, my;
        u32 tasten;
        bool gehalten;
        i32 nx, ny;  // the new corner while held
    };
    const struct Fall {
        const char* name;
        std::vector<Schritt> schritte;
    } faelle[] = {
        {"auf der Leiste gezogen", {{110, 105, 1, true, 100, 100}, {150, 125, 1, true, 140, 120}, {150, 125, 0, false, 0, 0}}},
        {"neben der Leiste", {{110, 125, 1, false, 0, 0}, {150, 125, 1, false, 0, 0}}},
        {"rechts kommt dazu", {{110, 105, 1, true, 100, 100}, {120, 105, 3, false, 0, 0}, {130, 105, 1, false, 0, 0}}},
        {"beide zugleich", {{110, 105, 3, false, 0, 0}}},
        {"gehaltener Knopf auf die Leiste", {{300, 300, 1, false, 0, 0}, {110, 105, 1, false, 0, 0}}},
        {"rechte Kante", {{277, 105, 1, true, 100, 100}}},
        {"hinter der rechten Kante", {{278, 105, 1, false, 0, 0}}},
    };
    for (const Fall& f : faelle) {
        Eingabe_Maus_Taste(MAUS_LINKS, false);
        Eingabe_Maus_Taste(MAUS_RECHTS, false);
        Eingabe_Neuer_Durchgang();
        Maus_Update();
        Screen_Griff g;
        Screen_Griff_Lassen(&g);
        for (size_t i = 0; i < f.schritte.size(); ++i) {
            const Schritt& s = f.schritte[i];
            Eingabe_Maus_Position(s.mx, s.my);
            Eingabe_Maus_Taste(MAUS_LINKS, (s.tasten & MAUS_LINKS) != 0);
            Eingabe_Maus_Taste(MAUS_RECHTS, (s.tasten & MAUS_RECHTS) != 0);
            Eingabe_Neuer_Durchgang();
            Maus_Update();
            i32 x = 0, y = 0;
            EXPECT_EQ(Screen_Griff_Schritt(&g, 100, 100, 178, 20, &x, &y), s.gehalten) << f.name << " " << i;
            if (s.gehalten) {
                EXPECT_EQ(std::make_pair(x, y), std::make_pair(s.nx, s.ny)) << f.name << " " << i;
            }
        }
    }
    Eingabe_Maus_Taste(MAUS_LINKS, false);
    Eingabe_Maus_Taste(MAUS_RECHTS, false);
}

namespace {

// A legend's plan is kept by what it is laid from: laid again after any
// change of the entries, their order, the pictures, the places or whether
// they may take the small font, it is the plan laid afresh.
TEST_F(Zeile, AttributLegendeGemerkterPlanGleichFrischem) {
    const Attribut_Legende_Platz breit{.x0 = 10, .x1 = 700, .y = 100, .zeilen = 2, .zeilenhoehe = 20};
    Attribut_Legende_Platz eng = breit;
    eng.x1 = 260;
    Attribut_Legende_Platz starr = eng;
    starr.verdichten = false;
    Attribut_Legende_Platz eine = eng;
    eine.zeilen = 1;
    const Attribut_Legende_Platz zweiter{.x0 = 400, .x1 = 700, .y = 300, .zeilen = 1, .zeilenhoehe = 20};
    const std::vector<i32> fuenf = {1, 2, 3, 4, 5};
    const struct Fall {
        const char* was;
        std::vector<i32> attribute;
        u32 basis;
        std::vector<Attribut_Legende_Platz> plaetze;
    } faelle[] = {
        {"wide", fuenf, GRAFIK_ATTRIBUT, {breit}},
        {"narrow: a second line", fuenf, GRAFIK_ATTRIBUT, {eng}},
        {"small badges", fuenf, GRAFIK_ATTRIBUT_KLEIN, {eng}},
        {"another order", {5, 4, 3, 2, 1}, GRAFIK_ATTRIBUT_KLEIN, {eng}},
        {"one entry less", {5, 4, 3, 2}, GRAFIK_ATTRIBUT_KLEIN, {eng}},
        {"one line", {5, 4, 3, 2}, GRAFIK_ATTRIBUT_KLEIN, {eine}},
        {"a second place", {5, 4, 3, 2}, GRAFIK_ATTRIBUT_KLEIN, {eine, zweiter}},
        {"no small font", fuenf, GRAFIK_ATTRIBUT, {starr}},
    };
    const auto gleich = [](const Attribut_Legende_Plan& a, const Attribut_Legende_Plan& b) {
        if (a.schrift != b.schrift || a.uebrig != b.uebrig || a.zeilen != b.zeilen ||
            a.eintraege.size() != b.eintraege.size())
            return false;
        for (size_t k = 0; k < a.eintraege.size(); ++k) {
            const auto &x = a.eintraege[k], &y = b.eintraege[k];
            if (x.attribut != y.attribut || x.x != y.x || x.y != y.y || x.platz != y.platz || x.zeile != y.zeile)
                return false;
        }
        return true;
    };
    // Each laid afresh, nothing kept.
    std::vector<Attribut_Legende_Plan> frisch;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        Attribut_Legende_Vergessen();
        frisch.push_back(Attribut_Legende_Legen(f.attribute, f.basis, f.plaetze));
        if (frisch.size() > 1) {
            EXPECT_FALSE(gleich(frisch.back(), frisch[frisch.size() - 2]));
        }
    }
    // Then one after the other, twice, with the plans kept: each the same.
    Attribut_Legende_Vergessen();
    for (int runde = 0; runde < 2; ++runde) {
        for (size_t k = 0; k < std::size(faelle); ++k) {
            SCOPED_TRACE(faelle[k].was);
            for (int mal = 0; mal < 2; ++mal) {
                EXPECT_TRUE(
                    gleich(Attribut_Legende_Legen(faelle[k].attribute, faelle[k].basis, faelle[k].plaetze), frisch[k]));
            }
        }
    }
}

// The badges' legend: each entry on the first line with room for it (a long
// name that no longer fits leaves its place to a shorter one further on),
// what fits nowhere handed back; the players' attributes collected once
// each, the most shown first.
TEST_F(Zeile, AttributLegendeFuelltDieZeilenUndGibtDenRestZurueck) {
    Font* f = Kit_Font(Kit_Schrift::SCHMAL);
    Rastport* b = Kit_Bild(GRAFIK_ATTRIBUT);
    ASSERT_TRUE(f && b);
    // The longest and the shortest names of the table.
    i32 lang = 0, kurz = 0;
    for (i32 a = 1; a < ATTRIBUT_ANZAHL; ++a) {
        if (Font_Text_Breite(f, Attribut_Tabelle[a].name) > Font_Text_Breite(f, Attribut_Tabelle[lang].name)) lang = a;
        if (Font_Text_Breite(f, Attribut_Tabelle[a].name) < Font_Text_Breite(f, Attribut_Tabelle[kurz].name)) kurz = a;
    }
    auto breite = [&](i32 a) { return b->breite + 3 + Font_Text_Breite(f, Attribut_Tabelle[a].name); };
    Rastport_Bild ziel(Rastport_Neu_Einfach(800, 600, 16));
    ASSERT_TRUE(ziel);
    auto zeile_von = [&](i32 a) {
        const Zeichenspur_Eintrag* t = nullptr;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
            if (e.art == SPUR_TEXT && e.ziel == ziel.get() && e.sichtbar == Attribut_Tabelle[a].name) t = &e;
        return t ? (t->y - 100) / 20 : -1;
    };
    i32 kurz2 = -1;  // the next shortest
    for (i32 a = 0; a < ATTRIBUT_ANZAHL; ++a)
        if (a != kurz && a != lang && (kurz2 < 0 || breite(a) < breite(kurz2))) kurz2 = a;
    ASSERT_GE(kurz2, 0);
    // Room for the two short ones side by side, or the long one alone, not
    // for a short one and the long one.
    const i32 eng = std::max(breite(kurz) + 8 + breite(kurz2), breite(lang));
    ASSERT_LT(eng, breite(kurz) + 8 + breite(lang));
    struct Fall {
        const char* was;
        i32 breite, zeilen;
        i32 zeile_kurz, zeile_lang, zeile_kurz2;  // -1: handed back
    } faelle[] = {
        {"all on one wide line", 700, 1, 0, 0, 0},
        {"the short one after the long fills the first line", eng, 2, 0, 1, 0},
        {"one narrow line hands the long one back", eng, 1, 0, -1, 0},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.was);
        kit::Spur_Leeren();
        const std::vector<i32> rest =
            Attribut_Legende_Zeichnen(ziel.get(), {kurz, lang, kurz2}, GRAFIK_ATTRIBUT,
                                      {.x0 = 10, .x1 = 10 + fall.breite, .y = 100, .zeilen = fall.zeilen, .zeilenhoehe = 20});
        EXPECT_EQ(zeile_von(kurz), fall.zeile_kurz);
        EXPECT_EQ(zeile_von(lang), fall.zeile_lang);
        EXPECT_EQ(zeile_von(kurz2), fall.zeile_kurz2);
        EXPECT_EQ(rest, fall.zeile_lang < 0 ? std::vector<i32>{lang} : std::vector<i32>{});
        // Every badge just before its name.
        for (i32 a : {kurz, lang, kurz2}) {
            for (const Zeichenspur_Eintrag& t : Zeichenspur_Eintraege()) {
                if (t.art == SPUR_TEXT && t.ziel == ziel.get() && t.sichtbar == Attribut_Tabelle[a].name) {
                    const Zeichenspur_Eintrag* m = Zeichenspur_Blit_Bei(t.x - 4, t.y - 6, ziel.get());
                    ASSERT_TRUE(m) << Attribut_Tabelle[a].name;
                    EXPECT_EQ(m->grafik, GRAFIK_ATTRIBUT + a);
                }
            }
        }
    }
    // Collected once each, the most shown first.
    i32 s[MAX_SPIELER_PRO_TEAM];
    const i32 n = Teamspieler_Ins_Array(Team_Aktiv, s, MAX_SPIELER_PRO_TEAM, 0);
    ASSERT_GE(n, 4);
    std::vector<i32> drei;
    for (i32 k = 0; k < n && drei.size() < 3; ++k)
        if (Spieler_Wert(67, s[k], 0, OP_LESEN) != 0) drei.push_back(s[k]);
    ASSERT_EQ(drei.size(), 3u);
    for (i32 k = 0; k < 3; ++k)
        for (i32 a = 0; a < ATTRIBUT_ANZAHL; ++a) Spieler_Wert(a, drei[static_cast<size_t>(k)], 0, OP_SCHREIBEN);
    auto lernen = [](i32 p, i32 a) { Spieler_Wert(a, p, Attribut_Noetig(a) + 1, OP_SCHREIBEN); };
    lernen(drei[0], 1), lernen(drei[1], 2), lernen(drei[1], 1), lernen(drei[2], 2), lernen(drei[2], 1);
    EXPECT_EQ(Attribut_Legende_Sammeln(drei.data(), 3), (std::vector<i32>{1, 2}));
}

}  // namespace

namespace {

// Every size of the attribute badges the screens draw: no two attributes'
// pictures alike (letters, group colour), so a badge never stands for two.
TEST_F(Mit_Uhr, AttributMarkenSindVerschieden) {
    const struct {
        const char* name;
        u32 basis;
    } groessen[] = {{"klein", GRAFIK_ATTRIBUT_KLEIN},     {"normal", GRAFIK_ATTRIBUT},
                    {"gewaehlt", GRAFIK_ATTRIBUT_GEWAEHLT}, {"karte", GRAFIK_ATTRIBUT_KARTE},
                    {"gross", GRAFIK_ATTRIBUT_GROSS}};
    for (const auto& g : groessen) {
        std::vector<std::vector<u16>> bilder;
        for (i32 a = 0; a < ATTRIBUT_ANZAHL; ++a) {
            Rastport* b = Kit_Bild(g.basis + static_cast<u32>(a));
            ASSERT_TRUE(b && Rastport_Lock(b) && b->bitmap && b->bitmap->pixel16()) << g.name << " " << a;
            const u16* p = b->bitmap->pixel16();
            bilder.emplace_back(p, p + static_cast<size_t>(b->breite) * static_cast<size_t>(b->hoehe));
        }
        for (i32 a = 0; a < ATTRIBUT_ANZAHL; ++a)
            for (i32 c = a + 1; c < ATTRIBUT_ANZAHL; ++c)
                EXPECT_NE(bilder[a], bilder[c]) << g.name << ": " << Attribut_Tabelle[a].name << " and "
                                                << Attribut_Tabelle[c].name << " look alike";
    }
}

}  // namespace

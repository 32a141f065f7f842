// The live view's words: the commentary sentence of each kind of event (one
// sentence an event, whichever view takes it), the ticker line (one line or
// two, its split, its three seconds, the engine's notices) and the header
// bars with both clubs' crests and names and the highlight of the club the
// line-up screen shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "graphics/font.h"
#include "graphics/rastport.h"
#include "gui/menue_spiel.h"
#include "gui/palette.h"
#include "kit.h"
#include "match/match_test.h"
#include "screens/live_view/kommentar.h"
#include "screens/live_view/kopfzeile.h"
#include "screens/live_view/spielansicht.h"
#include "world/spieler.h"

namespace {

i32 gezeigt = -1;  // the club the in-match line-up screen shows

class LiveWorte : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(1));
        Partie_Spiele_Leeren();
        alte_hooks = Spielfeld_Get_Hooks();
        Spielfeld_Set_Hooks(Partie_Hooks());
        gezeigt = -1;
        Menue_Spiel_Set_Hooks({.im_spiel_team = [](i32 t) { return t >= 0 ? gezeigt = t : gezeigt; }});
        const std::vector<u32> liga = Liga_Vereine(groesste_erste_liga());
        ASSERT_GE(liga.size(), 6u);
        for (u32 i = 0; i < 3; ++i) {
            Partie_Spiel_Anmelden(9200 + i, liga[2 * i], liga[2 * i + 1], 7);
            ASSERT_TRUE(Spielfeld_Neu(9200 + i, 0, 0, 30000, liga[2 * i], 1));
            liste[i] = Spielfeld_Zeiger(9200 + i);
            ASSERT_NE(liste[i], nullptr);
        }
        st.periode_ms = 45;
    }
    void TearDown() override {
        Spielansicht_Free();
        for (int i = 0; i < 3; ++i) Spielfeld_Loeschen(0);
        Spielfeld_Set_Hooks(alte_hooks);
        Menue_Spiel_Set_Hooks({});
        kit::Beenden();
    }
    void Frames(int anzahl, int n = 1) {
        for (int i = 0; i < n; ++i) Spielansicht_Run(liste, anzahl, &st, 0);
    }
    std::string Name(int slot) { return Spieler_String(63, liste[0]->spieler[slot].spieler, nullptr, 0); }

    Spielfeld_Daten* liste[3] = {};
    Spielfeld_Steuerung st{};
    Spielfeld_Hooks alte_hooks;
};

// The visible characters of the texts drawn onto `ziel` in colour `farbe`,
// tab stops left out.
std::vector<std::string> texte(const Rastport* ziel, u16 farbe) {
    std::vector<std::string> r;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        if (e.art == SPUR_TEXT && e.ziel == ziel && e.farbe == farbe) {
            std::string s = e.sichtbar;
            s.erase(std::remove(s.begin(), s.end(), '\t'), s.end());
            r.push_back(s);
        }
    return r;
}

TEST_F(LiveWorte, OneSentenceForEachKindOfEvent) {
    Spielansicht_View v{};
    v.pitch = liste[0];
    const std::string n = Name(3), m = Name(20);
    const struct Fall {
        u32 flags;
        i16 zweiter;
        u8 linienrichter;
        std::string soll;  // "" no sentence
    } faelle[] = {
        {SFE_EIGENTOR | SFE_TOR, -1, 0, "Eigentor von " + n + "!"},  // never the goal sentence as well
        {SFE_TOR | SFE_KOPF, -1, 0, "Tor durch " + n},
        {SFE_GELBROT | SFE_FOUL, 20, 0, "Gelb-Rot für " + n + "."},
        {SFE_ROT, -1, 0, "Rot für " + n + "."},
        {SFE_GELB | SFE_FOUL, 20, 0, "Gelb für " + n + "."},  // a card with its foul: the card
        {SFE_FOUL, 20, 0, m + " foult " + n + " hart"},
        {SFE_FOUL, -1, 0, n + " foult."},
        {SFE_VERLETZUNG, 5, 0, n + " verletzt sich: " + Spieler_Get_Verletzungs_Text(5)},
        {SFE_VERLETZUNG, 42, 0, n + " verletzt sich"},  // a kind outside the table
        {SFE_WECHSEL, 20, 0, n + " kommt für " + m + " ins Spiel"},
        {SFE_WECHSEL, -1, 0, n + " wird eingewechselt."},
        {SFE_STANDARD, -1, 1, "Freistoß nach Fahne des Linienrichters (" + n + ")"},
        {SFE_STANDARD, -1, 0, "Ruhender Ball (" + n + ")"},
        {SFE_CHANCE, -1, 0, ""},  // a kind the commentary does not answer
    };
    for (const Fall& f : faelle) {
        liste[0]->ereignis = {f.flags, 12, 0, f.zweiter, 3, 1};
        liste[0]->linienrichter_ruf = f.linienrichter;
        v.kommentar[0] = 0;
        EXPECT_EQ(Spielansicht_Kommentar(&v), !f.soll.empty()) << std::hex << f.flags;
        EXPECT_EQ(v.kommentar, f.soll) << std::hex << f.flags;
        EXPECT_EQ(liste[0]->ereignis.gueltig, f.soll.empty() ? 1 : 0) << "a sentence takes its event";
    }
}

TEST_F(LiveWorte, AnEventIsTakenOnceAndOddSlotsHaveNoName) {
    Spielansicht_View a{}, b{};
    a.pitch = b.pitch = liste[0];
    liste[0]->ereignis = {SFE_TOR, 30, 0, -1, 3, 1};
    EXPECT_TRUE(Spielansicht_Kommentar(&a));
    EXPECT_FALSE(Spielansicht_Kommentar(&b)) << "the second view finds the event taken";
    EXPECT_FALSE(Spielansicht_Kommentar(&a)) << "and so does the first on its next frame";
    EXPECT_EQ(b.kommentar[0], 0);
    // A slot outside the table, an empty slot and a second player beyond it
    // give empty names, never a read outside the record.
    liste[0]->spieler[7].spieler = -1;
    const struct {
        i8 slot;
        i16 zweiter;
        u32 flags;
        const char* soll;
    } faelle[] = {{-1, -1, SFE_TOR, "Tor durch "}, {100, -1, SFE_ROT, "Rot für ."}, {7, -1, SFE_GELB, "Gelb für ."},
                  {7, 300, SFE_WECHSEL, " kommt für  ins Spiel"}};
    for (const auto& f : faelle) {
        liste[0]->ereignis = {f.flags, 30, 0, f.zweiter, f.slot, 1};
        EXPECT_TRUE(Spielansicht_Kommentar(&a));
        EXPECT_STREQ(a.kommentar, f.soll) << int{f.slot};
    }
    EXPECT_FALSE(Spielansicht_Ereignis_Pruefen(nullptr, SFE_TOR));
    EXPECT_FALSE(Spielansicht_Kommentar(nullptr));
}

TEST(LiveTicker, SplitPlace) {
    const struct {
        const char* text;
        size_t soll;
    } faelle[] = {
        {"", 0},
        {"abc def ghi", 3},      // half 5, back to the space at 3
        {"abcde fghij", 5},      // a space right at the half
        {"a bcdefghi", 1},       // the nearest space far back
        {" abcdefghi", 5},       // a space only at the start does not count: the half
        {"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN", 20},  // no space at all
    };
    for (const auto& f : faelle) EXPECT_EQ(Spielansicht_Ticker_Trennstelle(f.text), f.soll) << f.text;
}

TEST_F(LiveWorte, TickerLineOneOrTwoLinesForThreeSeconds) {
    auto v = std::make_unique<Spielansicht_View>();
    v->pitch = liste[0];
    v->screen_x = 400, v->screen_y = 282, v->hoehe = 282;
    Font* f = Font_Tabelle_Holen(11);
    const std::string kurz = "Tor durch " + Name(3);
    const std::string lang = "Freistoß nach Fahne des Linienrichters (" + Name(3) + ") in der eigenen Hälfte";
    const std::string wort = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";  // 40 characters, no space
    const i32 breite_kurz = Font_Text_Breite(f, kurz.c_str());
    // Two lines split at a space: the space itself is not drawn.
    auto zwei = [](const std::string& t) {
        const size_t i = Spielansicht_Ticker_Trennstelle(t.c_str());
        EXPECT_EQ(t[i], ' ') << t;
        return std::vector<std::string>{t.substr(0, i), t.substr(i + 1)};
    };
    const struct Fall {
        std::string text;
        i32 breite;
        std::vector<std::string> weiss;  // the white lines, top first
    } faelle[] = {
        {kurz, breite_kurz + 30, {kurz}},  // width + 20 = w - 10: still one line
        {kurz, breite_kurz + 29, zwei(kurz)},
        {lang, 400, zwei(lang)},
        {wort, 100, {wort.substr(0, 20), wort.substr(20)}},  // cut at half, no letter lost
    };
    const i32 unten = 282 + 282;
    for (const Fall& fall : faelle) {
        v->breite = fall.breite;
        liste[0]->uhr = 50000;
        Spielansicht_Ticker_Zeile(v.get(), fall.text.c_str());
        EXPECT_EQ(v->ticker_zeit, 50000u);
        kit::Spur_Leeren();
        Spielansicht_Ticker_Zeichnen(Screen_Rastport, v.get());
        EXPECT_EQ(texte(Screen_Rastport, FARBE_WEISS), fall.weiss) << fall.text << " in " << fall.breite;
        EXPECT_EQ(texte(Screen_Rastport, 1), fall.weiss) << "each line has its shadow";
        EXPECT_EQ(v->ticker, fall.text) << "the stored text is kept as it was";
        // Lines end at the foot (8 and 22 above it), shadows one to the right and one up.
        std::vector<std::pair<i32, i32>> orte;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
            if (e.art == SPUR_TEXT) orte.emplace_back(e.x, e.y);
        const std::vector<std::pair<i32, i32>> soll =
            fall.weiss.size() == 1 ? std::vector<std::pair<i32, i32>>{{401, unten - 9}, {400, unten - 8}}
                                   : std::vector<std::pair<i32, i32>>{
                                         {401, unten - 23}, {400, unten - 22}, {401, unten - 9}, {400, unten - 8}};
        EXPECT_EQ(orte, soll) << fall.text;
    }
    // Three seconds of the pitch's clock.
    const struct {
        u32 uhr;
        bool gezeigt;
    } zeiten[] = {{50000, true}, {52999, true}, {53000, false}, {90000, false}};
    for (const auto& z : zeiten) {
        liste[0]->uhr = z.uhr;
        kit::Spur_Leeren();
        Spielansicht_Ticker_Zeichnen(Screen_Rastport, v.get());
        EXPECT_EQ(!texte(Screen_Rastport, FARBE_WEISS).empty(), z.gezeigt) << z.uhr;
    }
}

TEST_F(LiveWorte, EngineNoticeReachesEveryViewOfItsPitch) {
    Frames(3, 2);
    Spielansicht_View* views = Spielansicht_Views();
    // Views 0 and 2 show the same pitch from now on; view 1 another.
    views[2].pitch = liste[0];
    liste[0]->uhr = 1234;
    // Through the engine's hook as the program installs it.
    alte_hooks.ticker(liste[0], "Warte auf den Mitspieler ...");
    EXPECT_STREQ(views[0].ticker, "Warte auf den Mitspieler ...");
    EXPECT_STREQ(views[2].ticker, "Warte auf den Mitspieler ...");
    EXPECT_EQ(views[1].ticker[0], 0);
    EXPECT_EQ(views[2].ticker_zeit, 1234u);
    // Nothing without a text, a pitch or a view.
    Spielansicht_Ticker_Setzen(liste[0], nullptr);
    Spielansicht_Ticker_Setzen(nullptr, "x");
    Spielansicht_Ticker_Zeile(nullptr, "x");
    Spielansicht_View ohne{};
    Spielansicht_Ticker_Zeile(&ohne, "x");
    EXPECT_EQ(ohne.ticker[0], 0);
    EXPECT_STREQ(views[0].ticker, "Warte auf den Mitspieler ...");
    views[2].pitch = liste[2];
}

TEST_F(LiveWorte, GoalOnThePitchShowsInTheTickerOfItsView) {
    Frames(1, 2);
    const Spielansicht_View& v = Spielansicht_Views()[0];
    liste[0]->ereignis = {SFE_TOR, 23, 0, -1, 3, 1};
    kit::Spur_Leeren();
    Frames(1);
    const std::string soll = "Tor durch " + Name(3);
    EXPECT_EQ(v.ticker, soll);
    EXPECT_EQ(liste[0]->ereignis.gueltig, 0);
    EXPECT_NE(kit::Text_Auf_Zeile(soll.c_str(), 564 - 8), nullptr);
    kit::Png("live_ticker_tor");
    liste[0]->uhr = v.ticker_zeit + 3000;
    kit::Spur_Leeren();
    Frames(1);
    EXPECT_EQ(kit::Text(soll.c_str()), nullptr) << "gone after three seconds";
}

TEST_F(LiveWorte, HeaderBarsCarryCrestsNamesAndTheHighlight) {
    Frames(3, 2);
    Spielansicht_View* views = Spielansicht_Views();
    const struct Bar {
        Rastport* Spielansicht_View::*feld;
        i32 w, h, heim_x, gast_x, wappen, name_y;
    } bars[] = {{&Spielansicht_View::kopf_gross, 800, 30, 15, 753, 28, 20},
                {&Spielansicht_View::kopf_klein, 400, 18, 7, 380, 14, 12}};
    auto name = [](u32 team) { return std::string(Team_String(721, static_cast<int>(team), nullptr, 0)); };
    // The line-up screen shows the home club of match 0, then its away club.
    for (int seite = 0; seite < 2; ++seite) {
        gezeigt = static_cast<i32>(liste[0]->team[seite]);
        kit::Spur_Leeren();
        Spielansicht_Kopfzeilen_Namen();
        for (int s = 0; s < 3; ++s)
            for (const Bar& b : bars) {
                const Rastport* bar = views[s].*b.feld;
                ASSERT_NE(bar, nullptr) << s;
                EXPECT_EQ(bar->breite, b.w);
                EXPECT_EQ(bar->hoehe, b.h);
                const std::string heim = name(liste[s]->team[0]), gast = name(liste[s]->team[1]);
                std::vector<std::string> gelb, weiss = {heim, gast};
                if (s == 0) {  // only match 0 holds the shown club
                    gelb = {seite == 0 ? heim : gast};
                    weiss = {seite == 0 ? gast : heim};
                }
                EXPECT_EQ(texte(bar, FARBE_GEWAEHLT), gelb) << "view " << s << ", side " << seite;
                EXPECT_EQ(texte(bar, FARBE_WEISS), weiss) << "view " << s << ", side " << seite;
                // Both crests at their places and sizes, the names on their row.
                int wappen = 0;
                for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege()) {
                    if (e.ziel != bar) continue;
                    if (e.art == SPUR_BLIT && e.y == 2 && e.breite == b.wappen && (e.x == b.heim_x || e.x == b.gast_x))
                        ++wappen;
                    if (e.art == SPUR_TEXT) {
                        EXPECT_EQ(e.y, b.name_y);
                    }
                }
                EXPECT_EQ(wappen, 2) << "view " << s;
            }
    }
    // The screen shows each view's own bar: the quarter view's away crest.
    kit::Spur_Leeren();
    Frames(3);
    const Spielansicht_View& q = views[2];
    ASSERT_EQ(q.layout, SA_VIERTEL);
    int gleich = 0;
    for (i32 y = 2; y < 16; ++y)
        for (i32 x = 380; x < 394; ++x)
            gleich += kit::Probe(q.screen_x + x, q.screen_y + y) == q.kopf_klein->bitmap->pixel16()[y * 400 + x];
    EXPECT_EQ(gleich, 14 * 14);
    // A match with a ticker line, for the eye.
    liste[1]->ereignis = {SFE_GELB, 40, 0, -1, 5, 1};
    Frames(3);
    kit::Png("live_kopfzeilen");
}

}  // namespace

// The live view's words: a sentence for each kind of event, taken once; the
// ticker line in one or two lines for three seconds; the header bars with
// crests, names and the highlight of the club the line-up screen shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "graphics/font.h"
#include "graphics/rastport.h"
#include "gui/menue_spiel.h"
#include "gui/palette.h"
#include "kit.h"
#include "match/match_test.h"
#include "screens/live_view/figuren.h"
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
        alte_hooks = Spielfeld_Get_Hooks();
        Spielfeld_Set_Hooks(Partie_Hooks());
        Menue_Spiel_Set_Hooks({.im_spiel_team = [](i32 t) { return t >= 0 ? gezeigt = t : gezeigt; }});
        const std::vector<u32> liga = Liga_Vereine(groesste_erste_liga());
        for (u32 i = 0; i < 3; ++i) {
            Partie_Spiel_Anmelden(9200 + i, liga[2 * i], liga[2 * i + 1], 7);
            ASSERT_TRUE(Spielfeld_Neu(9200 + i, 0, 0, 30000, liga[2 * i], 1));
            liste[i] = Spielfeld_Zeiger(9200 + i);
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

// The visible texts drawn onto `ziel` in `farbe` (tab stops left out).
std::vector<std::string> texte(const Rastport* ziel, u16 farbe) {
    std::vector<std::string> r;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        if (e.art == SPUR_TEXT && e.ziel == ziel && e.farbe == farbe) {
            r.push_back(e.sichtbar);
            std::erase(r.back(), '\t');
        }
    return r;
}

TEST_F(LiveWorte, OneSentenceForEachEventTakenOnce) {
    Spielansicht_View v{}, zweite{};
    v.pitch = zweite.pitch = liste[0];
    liste[0]->spieler[7].spieler = -1;
    const std::string n = Name(3), m = Name(20);
    const struct Fall {
        u32 flags;
        i8 slot;
        i16 zweiter;
        u8 linienrichter;
        std::string soll;  // "" no sentence
    } faelle[] = {
        {SFE_EIGENTOR | SFE_TOR, 3, -1, 0, "Eigentor von " + n + "!"},  // never the goal sentence too
        {SFE_TOR | SFE_KOPF, 3, -1, 0, "Tor durch " + n},
        {SFE_GELBROT | SFE_FOUL, 3, 20, 0, "Gelb-Rot für " + n + "."},
        {SFE_ROT, 3, -1, 0, "Rot für " + n + "."},
        {SFE_GELB | SFE_FOUL, 3, 20, 0, "Gelb für " + n + "."},  // the card, not its foul
        {SFE_FOUL, 3, 20, 0, m + " foult " + n + " hart"},
        {SFE_FOUL, 3, -1, 0, n + " foult."},
        {SFE_VERLETZUNG, 3, 5, 0, n + " verletzt sich: " + Spieler_Get_Verletzungs_Text(5)},
        {SFE_VERLETZUNG, 3, 42, 0, n + " verletzt sich"},  // a kind outside the table
        {SFE_WECHSEL, 3, 20, 0, n + " kommt für " + m + " ins Spiel"},
        {SFE_WECHSEL, 3, -1, 0, n + " wird eingewechselt."},
        {SFE_STANDARD, 3, -1, 1, "Freistoß nach Fahne des Linienrichters (" + n + ")"},
        {SFE_STANDARD, 3, -1, 0, "Ruhender Ball (" + n + ")"},
        {SFE_CHANCE, 3, -1, 0, ""},  // a kind without a sentence
        // Slots outside the table or empty give empty names, no read outside.
        {SFE_ROT, 100, -1, 0, "Rot für ."},
        {SFE_WECHSEL, 7, 300, 0, " kommt für  ins Spiel"},
    };
    for (const Fall& f : faelle) {
        liste[0]->ereignis = {f.flags, 12, 0, f.zweiter, f.slot, 1};
        liste[0]->linienrichter_ruf = f.linienrichter;
        v.kommentar[0] = 0;
        EXPECT_EQ(Spielansicht_Kommentar(&v), !f.soll.empty()) << f.soll;
        EXPECT_EQ(v.kommentar, f.soll);
        EXPECT_EQ(liste[0]->ereignis.gueltig, f.soll.empty() ? 1 : 0) << "a sentence takes its event";
        EXPECT_FALSE(Spielansicht_Kommentar(&zweite)) << "no second sentence, in no view";
    }
}

TEST(LiveTicker, SplitPlace) {
    const struct {
        const char* text;
        size_t soll;
    } faelle[] = {{"", 0},
                  {"abc def ghi", 3},
                  {"abcde fghij", 5},
                  {"a bcdefghi", 1},
                  {" abcdefghi", 5},  // a space at the start does not count
                  {"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN", 20}};
    for (const auto& f : faelle) EXPECT_EQ(Spielansicht_Ticker_Trennstelle(f.text), f.soll) << f.text;
}

TEST_F(LiveWorte, TickerLineOneOrTwoLinesForThreeSeconds) {
    auto v = std::make_unique<Spielansicht_View>();
    v->pitch = liste[0];
    v->screen_x = 400, v->screen_y = 282, v->hoehe = 282;
    const std::string kurz = "Tor durch " + Name(3);
    const std::string lang = "Freistoß nach Fahne des Linienrichters (" + Name(3) + ") in der eigenen Hälfte";
    const std::string wort = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";  // 40, no space
    const i32 b = Font_Text_Breite(Font_Tabelle_Holen(11), kurz.c_str());
    auto zwei = [](const std::string& t) {  // split at a space, which is not drawn
        const size_t i = Spielansicht_Ticker_Trennstelle(t.c_str());
        return std::vector<std::string>{t.substr(0, i), t.substr(i + 1)};
    };
    const struct Fall {
        std::string text;
        i32 breite;
        std::vector<std::string> zeilen;
    } faelle[] = {
        {kurz, b + 30, {kurz}},  // width + 20 = w - 10: still one line
        {kurz, b + 29, zwei(kurz)},
        {lang, 400, zwei(lang)},
        {wort, 100, {wort.substr(0, 20), wort.substr(20)}},  // cut at the half, no letter lost
    };
    for (const Fall& f : faelle) {
        v->breite = f.breite;
        liste[0]->uhr = 50000;
        Spielansicht_Ticker_Zeile(v.get(), f.text.c_str());
        kit::Spur_Leeren();
        Spielansicht_Ticker_Zeichnen(Screen_Rastport, v.get());
        EXPECT_EQ(texte(Screen_Rastport, FARBE_WEISS), f.zeilen) << f.text << " in " << f.breite;
        EXPECT_EQ(texte(Screen_Rastport, 1), f.zeilen) << "each line has its shadow";
        EXPECT_EQ(v->ticker, f.text) << "the stored text stays as it was";
        // Shadow one to the right and one up; lines 8 and 22 above the foot.
        std::vector<std::pair<i32, i32>> orte, soll;
        std::vector<const Zeichenspur_Eintrag*> baender;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege()) {
            if (e.art == SPUR_TEXT) orte.emplace_back(e.x, e.y);
            if (e.art == SPUR_FLAECHE) baender.push_back(&e);
        }
        for (i32 y : f.zeilen.size() == 1 ? std::vector<i32>{556} : std::vector<i32>{542, 556})
            soll.insert(soll.end(), {{401, y - 1}, {400, y}});
        EXPECT_EQ(orte, soll) << f.text;
        // One dark band under the lines, inside the view: every line's
        // glyphs on it, none over the boards and figures behind.
        ASSERT_EQ(baender.size(), 1u) << f.text;
        const Zeichenspur_Eintrag& band = *baender[0];
        EXPECT_GE(band.x, v->screen_x);
        EXPECT_LE(band.x + band.breite, v->screen_x + v->breite);
        EXPECT_LE(band.y + band.hoehe, v->screen_y + v->hoehe);
        const i32 hoehe = Font_Tabelle_Holen(11)->hoehe;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege()) {
            if (e.art != SPUR_TEXT || e.farbe != FARBE_WEISS) continue;
            const i32 mitte = v->screen_x + v->breite / 2;
            const i32 w = Font_Text_Breite(Font_Tabelle_Holen(11), e.sichtbar.c_str());
            EXPECT_LE(band.x, std::max(v->screen_x, mitte - w / 2)) << e.sichtbar;
            EXPECT_GE(band.x + band.breite, std::min(v->screen_x + v->breite, mitte + w / 2)) << e.sichtbar;
            EXPECT_LE(band.y, e.y - hoehe) << e.sichtbar;
            EXPECT_GE(band.y + band.hoehe, e.y) << e.sichtbar;
        }
    }
    for (const auto& [uhr, da] : std::vector<std::pair<u32, bool>>{{52999, true}, {53000, false}, {90000, false}}) {
        liste[0]->uhr = uhr;
        kit::Spur_Leeren();
        Spielansicht_Ticker_Zeichnen(Screen_Rastport, v.get());
        EXPECT_EQ(!texte(Screen_Rastport, FARBE_WEISS).empty(), da) << uhr;
    }
}

TEST_F(LiveWorte, GoalAndEngineNoticeReachTheTicker) {
    Frames(2, 2);
    Spielansicht_View* views = Spielansicht_Views();
    liste[0]->ereignis = {SFE_TOR, 23, 0, -1, 3, 1};
    kit::Spur_Leeren();
    Frames(2);
    const std::string tor = "Tor durch " + Name(3);
    EXPECT_EQ(views[0].ticker, tor);
    EXPECT_NE(kit::Text_Auf_Zeile(tor.c_str(), 282 - 8), nullptr);
    kit::Png("live_ticker_tor");
    // The engine's notice, through its hook as the program installs it,
    // reaches every view of its pitch and no other.
    views[1].pitch = liste[0];
    alte_hooks.ticker(liste[0], "Warte auf den Mitspieler ...");
    alte_hooks.ticker(nullptr, "x");
    EXPECT_STREQ(views[1].ticker, "Warte auf den Mitspieler ...");
    EXPECT_EQ(views[1].ticker_zeit, liste[0]->uhr);
    views[1].pitch = liste[1];
    EXPECT_EQ(views[2].ticker[0], 0);
    liste[0]->uhr = liste[1]->uhr = std::max(views[0].ticker_zeit, views[1].ticker_zeit) + 3000;
    kit::Spur_Leeren();
    Frames(2);
    EXPECT_EQ(kit::Text("Warte"), nullptr) << "gone after three seconds";
    EXPECT_EQ(kit::Text(tor.c_str()), nullptr);
}

TEST_F(LiveWorte, HeaderBarsCarryCrestsNamesAndTheHighlight) {
    u32 lang = 0;  // the club with the longest name plays at home in view 2
    for (int t = 1; t < Team_Anzahl; ++t)
        if (std::strlen(Team_String(721, t, nullptr, 0)) > std::strlen(Team_String(721, int(lang), nullptr, 0)))
            lang = static_cast<u32>(t);
    liste[2]->team[0] = lang;
    Frames(3, 2);
    Spielansicht_View* views = Spielansicht_Views();
    const struct Bar {
        Rastport_Bild Spielansicht_View::*feld;
        i32 w, h, heim_x, gast_x, wappen, name_y, font, raum;  // room of a name before score and minute
    } bars[] = {{&Spielansicht_View::kopf_gross, 800, 30, 15, 753, 28, 20, 11, 185},
                {&Spielansicht_View::kopf_klein, 400, 18, 7, 380, 14, 12, 9, 118}};
    auto name = [](u32 team) { return std::string(Team_String(721, static_cast<int>(team), nullptr, 0)); };
    for (int seite = 0; seite < 2; ++seite) {  // the line-up screen shows match 0's home, then away club
        gezeigt = static_cast<i32>(liste[0]->team[seite]);
        kit::Spur_Leeren();
        Spielansicht_Kopfzeilen_Namen();
        for (int s = 0; s < 3; ++s)
            for (const Bar& b : bars) {
                const Rastport* bar = (views[s].*b.feld).get();
                ASSERT_TRUE(bar && bar->breite == b.w && bar->hoehe == b.h) << s;
                auto kurz = [&](u32 team) {  // a long name cut to its room
                    std::string n = name(team);
                    while (Font_Text_Breite(Font_Tabelle_Holen(b.font), n.c_str()) > b.raum) n.pop_back();
                    return n;
                };
                const std::string heim = kurz(liste[s]->team[0]), gast = kurz(liste[s]->team[1]);
                std::vector<std::string> gelb, weiss = {heim, gast};
                if (s == 0) {  // only match 0 holds the shown club
                    gelb = {seite ? gast : heim};
                    weiss = {seite ? heim : gast};
                }
                EXPECT_EQ(texte(bar, FARBE_GEWAEHLT), gelb) << "view " << s << ", side " << seite;
                EXPECT_EQ(texte(bar, FARBE_WEISS), weiss) << "view " << s << ", side " << seite;
                int wappen = 0, namen_zeile = 0;
                for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege()) {
                    if (e.ziel != bar) continue;
                    wappen +=
                        e.art == SPUR_BLIT && e.y == 2 && e.breite == b.wappen && (e.x == b.heim_x || e.x == b.gast_x);
                    namen_zeile += e.art == SPUR_TEXT && e.y == b.name_y;
                }
                EXPECT_EQ(wappen, 2) << "view " << s;
                EXPECT_EQ(namen_zeile, 2) << "view " << s;
            }
    }
    // The screen shows each view's own bar: the quarter view's away crest.
    Frames(3);
    const Spielansicht_View& q = views[2];
    ASSERT_EQ(q.layout, SA_VIERTEL);
    int gleich = 0;
    for (i32 y = 2; y < 16; ++y)
        for (i32 x = 380; x < 394; ++x)
            gleich += kit::Probe(q.screen_x + x, q.screen_y + y) == q.kopf_klein->bitmap->pixel16()[y * 400 + x];
    EXPECT_EQ(gleich, 14 * 14);
    liste[1]->ereignis = {SFE_GELB, 40, 0, -1, 5, 1};
    Frames(3);
    kit::Png("live_kopfzeilen");
}

// The ticker's band hides no advertising board: at the view's foot where
// none shows there, else as little higher as keeps it clear of them, never
// above the view's middle; its line stays on it. The camera held still on
// kick-off's place, then on a touchline board and on a goal-line board
// (near side, drawn over the figures) each in the middle of the view's foot.
TEST_F(LiveWorte, TickerLineKeepsOffTheBoards) {
    Frames(1, 2);
    Spielansicht_View& v = Spielansicht_Views()[0];
    ASSERT_EQ(v.layout, SA_VOLL);
    ASSERT_TRUE(v.banden_bereit);
    const std::string text = "Tor durch " + Name(3);
    Font* f = Font_Tabelle_Holen(11);
    const i32 fuss = v.screen_y + v.hoehe, w = Font_Text_Breite(f, text.c_str()) + 20;
    const i32 band_h = 8 + f->hoehe + 3 - 4;  // the band at the foot: from there to 4 above the foot
    const struct Fall {
        const char* was;
        int bande;  // put in the middle of the foot; -1 the camera where the kick-off left it
        bool an_der_kante;
    } faelle[] = {
        {"the kick-off camera", -1, true},
        {"a touchline board at the foot", 30, false},
        {"a goal-line board at the foot", 22, false},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.was);
        if (fall.bande >= 0) {
            const Sa_Bande& b = v.banden[fall.bande];
            liste[0]->scroll[0] = b.x + 60 - v.breite / 2;
            liste[0]->scroll[1] = b.y + 25 - (v.hoehe - 12);
        } else {
            liste[0]->scroll[0] = v.scroll_x, liste[0]->scroll[1] = v.scroll_y;
        }
        Spielansicht_Ticker_Zeile(&v, text.c_str());
        kit::Spur_Leeren();
        Spielansicht_Run(liste, 1, &st, 1);
        ASSERT_EQ(v.scroll_x, liste[0]->scroll[0]);
        const i32 x = v.screen_x + (v.breite - w) / 2;
        const i32 an_der_kante = Spielansicht_Banden_Pixel(&v, x, fuss - 4 - band_h, w, band_h);
        EXPECT_EQ(an_der_kante == 0, fall.an_der_kante) << an_der_kante << " board pixels at the foot";
        const Zeichenspur_Eintrag* band = nullptr;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
            if (e.art == SPUR_FLAECHE && e.ziel == Screen_Rastport && e.x == x && e.breite == w && e.hoehe == band_h)
                band = &e;
        ASSERT_NE(band, nullptr);
        EXPECT_EQ(Spielansicht_Banden_Pixel(&v, band->x, band->y, band->breite, band->hoehe), 0)
            << "the band at " << band->y;
        EXPECT_EQ(band->y + band->hoehe == fuss - 4, fall.an_der_kante) << band->y;
        EXPECT_GE(band->y, v.screen_y + v.hoehe / 2 - band_h - 4);
        const Zeichenspur_Eintrag* t = nullptr;
        for (const Zeichenspur_Eintrag* e : kit::Texte(text.c_str()))
            if (e->farbe == FARBE_WEISS) t = e;
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->y, band->y + band->hoehe - 4) << "the line on its band";
        if (fall.bande == 30) kit::Png("live_ticker_banden");
    }
}

}  // namespace

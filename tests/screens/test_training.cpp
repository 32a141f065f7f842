// The training screens in a new game: the training run with its booking,
// quick finish, falls and their outcomes, star training and the learned-
// attribute film; the talents tree with its requesters and browsing; the
// training sheet's slots, rows and requesters; the training camp, its run
// and its results; and a whole turn of training played through the screens.
#include <gtest/gtest.h>

#include <cstdlib>

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "gui/kit.h"
#include "grafik_nummern.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/video.h"
#include "base/files.h"
#include "base/random.h"
#include "gui/menue.h"
#include "gui/text_cfg.h"
#include "kit.h"
#include "legende.h"
#include "screens/screens.h"
#include "screens/squad/attribut_popup.h"
#include "screens/squad/spielerkarte.h"
#include "screens/teile/namen.h"
#include "screens/training/ablauf.h"
#include "screens/training/film.h"
#include "screens/training/lager.h"
#include "screens/training/plan.h"
#include "screens/training/talente.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/manager.h"
#include "world/spieler.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

constexpr u32 VERLETZT = 0x40;
constexpr int MORAL = 90, ERSCHOEPFUNG = 56, STAERKE = 92, MAX = 97, GELD = 93, EINHEITEN = 98, STATUS = 75,
              KLASSE = 67, SLOT = 87;

i32 wert(int m, i32 p) { return Spieler_Wert(m, p, 0, OP_LESEN); }
void setzen(int m, i32 p, i32 w) { Spieler_Wert(m, p, w, OP_SCHREIBEN); }
const char* sheet(i32 n) { return Text_cfg_Text(TEXT_SPIELER_TRAINING, n); }
const char* film(i32 n) { return Text_cfg_Text(TEXT_SPIELER_TRAINING2, n); }
const char* lager(i32 n) { return Text_cfg_Text(TEXT_TRAININGS_LAGER, n); }
f64 konto() { return Bank_Get_Kontostand(Team_Aktiv, 0, -1); }
// The account drained down to the end of its credit line.
void pleite() {
    const f64 frei = konto() + Bank_Get_Kreditrahmen(Team_Aktiv);
    if (frei >= 1) Bank_Buchen(Team_Aktiv, -1, static_cast<f32>(frei), BANK_AUSGABE, 1, -1);
}

std::vector<i32> kader() {
    i32 k[20];
    const i32 n = Teamspieler_Ins_Array(Team_Aktiv, k, 20, 0);
    std::vector<i32> v(k, k + n);
    std::sort(v.begin(), v.end(), [](i32 a, i32 b) { return wert(SLOT, a) < wert(SLOT, b); });
    return v;
}
i32 feldspieler(int n = 0) {
    for (i32 p : kader())
        if (wert(KLASSE, p) != 0 && n-- == 0) return p;
    return -1;
}
i32 torwart() {
    for (i32 p : kader())
        if (wert(KLASSE, p) == 0) return p;
    return -1;
}

// Only the given attributes can be learned by the player: every other one
// is blocked, the given ones are free and without prerequisites.
void nur_lernbar(i32 p, std::initializer_list<i32> lernbar) {
    for (i32 a = 0; a < ATTRIBUT_ANZAHL; ++a) setzen(a, p, -1);
    for (i32 a : lernbar) {
        setzen(a, p, 0);
        for (i32& v : Attribut_Tabelle[a].voraussetzung) v = -1;
    }
}

// The trainings' outcome bands: every draw lands in band k (0 points lost,
// 1 morale, 2 exhaustion, 3 strength, 4 nothing, 5 injury; the bands lie
// between the bounds c_k and c_k+1).
void nur_band(i32 k) {
    for (auto& zeile : Global_Param.training_absturz_prozent)
        for (i32 i = 0; i < 7; ++i) zeile[i] = i <= k ? 0 : 101;
}

const Zeichenspur_Eintrag* video(i32 nummer, const char* was) {
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        if (e.art == SPUR_VIDEO && e.nummer == nummer && e.text == was) return &e;
    return nullptr;
}

// Frames with the video overlay drawn as the display draws it.
void frames_mit_video(int n, u32 ms) {
    std::vector<u16> bild(800 * 600);
    for (int i = 0; i < n; ++i) {
        kit::Frames(1, ms);
        Bnk_Frame_Alle(bild.data(), 1600, 600);
    }
}

// The screen with the running videos drawn over it, as the display shows it.
void png_mit_video(const std::string& name) {
    Rastport* s = Screen_Rastport;
    if (s && s->bitmap) Bnk_Frame_Alle(s->bitmap->pixel16(), s->breite * 2, s->hoehe);
    kit::Png(name);
}

// Frame `frame` (1-based) of video `nummer` of animationen.res copied onto the screen at (x, y).
bool video_bild(i32 nummer, i32 frame, i32 x, i32 y) {
    const W32_Handle h = Bink_OpenResource("animationen.res", nummer);
    if (h < 0) return false;
    std::string fehler;
    Vid_Zeiger f = Vid_Oeffnen_Handle(h, &fehler);
    bool gut = false;
    if (f) {
        for (i32 n = 1; n <= frame && n <= Vid_Frames(f.get()); ++n) {
            Vid_Goto(f.get(), n, false);
            gut = Vid_Dekodieren(f.get());
        }
        Rastport* s = Screen_Rastport;
        Vid_Kopieren(f.get(), s->bitmap->pixel16(), s->breite * 2, s->hoehe, x, y);
    }
    W32_File_Close(h);
    return gut;
}

void icon_klicken(i32 nummer) {
    const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
    ASSERT_TRUE(i) << nummer;
    kit::Warten(400);
    kit::Klick(i->x + i->w / 2, i->y + i->h / 2);
}

class Training : public ::testing::Test {
  protected:
    Attribut_Def attribute[ATTRIBUT_ANZAHL];
    Global_Parameter parameter;
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(1));
        Bank_Buchen(-1, Team_Aktiv, 5e7f, BANK_EINNAHME, 1, -1);  // money for every training
        std::memcpy(attribute, Attribut_Tabelle, sizeof attribute);
        parameter = Global_Param;
    }
    void TearDown() override {
        std::memcpy(Attribut_Tabelle, attribute, sizeof attribute);
        Global_Param = parameter;
        kit::Beenden();
    }
    // The film screen for a player and attribute, opened as the sheet does.
    void film_oeffnen(i32 p, i32 a) {
        Spieler_Training2_Screen_Init(p, a);
        ASSERT_TRUE(Screen_Offen(Screen_Id::TRAININGSFILM));
        kit::Frames(2);
    }
    // Runs frames until the run reaches a state (at most n frames).
    bool bis_zustand(i32 zustand, int n = 3000) {
        for (int i = 0; i < n && Training_Ablauf().zustand != zustand; ++i) kit::Frames(1, 20);
        return Training_Ablauf().zustand == zustand;
    }
};

// --- The training run -----------------------------------------------------------------

TEST_F(Training, SchnellabschlussBuchtPunkteKostenUndEinheit) {
    const i32 p = feldspieler(), a = 12;
    struct Fall {
        i32 mitgebracht;
        const char* was;
    } faelle[] = {{0, "ohne Punkte"}, {7, "mit 7 Punkten"}, {1, "eine blosse Marke zaehlt nicht"}};
    for (const Fall& f : faelle) {
        nur_lernbar(p, {a});
        Attribut_Tabelle[a].noetige_punkte = 900;
        setzen(a, p, f.mitgebracht);
        setzen(EINHEITEN, p, 0);
        setzen(GELD, p, 0);
        Menue_Icon_Zustand_Setzen(ICON_FILM_SCHNELL, 1);
        film_oeffnen(p, a);
        const i32 kosten = Global_Attribut_Training_Kosten(a, p);
        const f64 vorher = konto();
        const i32 buchungen = Bank_Get_Konto(Team_Aktiv)->anzahl;
        icon_klicken(ICON_FILM_START);
        EXPECT_EQ(konto(), vorher - kosten) << f.was;
        ASSERT_EQ(Bank_Get_Konto(Team_Aktiv)->anzahl, buchungen + 1) << f.was;
        const Bank_Konto* k = Bank_Get_Konto(Team_Aktiv);
        EXPECT_EQ(k->buchung[(k->ring_index + BANK_BUCHUNGEN - 1) % BANK_BUCHUNGEN].kategorie,
                  BANK_TRAINING | BANK_RICHTUNG_AUS)
            << f.was;
        ASSERT_TRUE(bis_zustand(TRAINING_FERTIG)) << f.was;
        const Trainings_Ablauf& t = Training_Ablauf();
        EXPECT_EQ(t.ergebnis, ERGEBNIS_KEINES) << f.was;  // no fall
        EXPECT_GE(t.verdient, t.zielpunkte) << f.was;
        const i32 erwartet = (f.mitgebracht >= 2 ? f.mitgebracht : 0) + t.verdient;
        // The result panel's rows stand under its title's gold rule (34 px
        // under the panel's top, 2 px thick) and inside the panel.
        kit::Spur_Leeren();
        kit::Frames(1);
        const Zeichenspur_Eintrag* panel = Zeichenspur_Blit(GRAFIK_FILM_ENDE);
        ASSERT_TRUE(panel) << f.was;
        bool danach = false;
        i32 zeilen = 0;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege()) {
            if (&e == panel) danach = true;
            if (!danach || e.art != SPUR_TEXT || e.sichtbar.empty() || e.x < panel->x || e.x > panel->x + panel->breite)
                continue;
            const Font* ft = Font_Tabelle_Holen(e.font);
            ASSERT_TRUE(ft);
            EXPECT_GE(e.y - ft->hoehe, panel->y + 36 + 2) << e.sichtbar;
            EXPECT_LE(e.y, panel->y + panel->hoehe - 4) << e.sichtbar;
            ++zeilen;
        }
        EXPECT_GE(zeilen, 10) << f.was;  // five labels, five values
        if (f.mitgebracht == 0) kit::Png("training_film_ergebnis");
        icon_klicken(ICON_FILM_OK);
        EXPECT_FALSE(Screen_Offen(Screen_Id::TRAININGSFILM)) << f.was;
        EXPECT_EQ(wert(a, p), erwartet) << f.was;
        EXPECT_EQ(wert(EINHEITEN, p), 1) << f.was;
        EXPECT_EQ(wert(GELD, p), kosten) << f.was;
        EXPECT_EQ(konto(), vorher - kosten) << f.was;  // the accept books nothing more
    }
}

// The status line under the attribute says what the run is doing: ready
// before the start, running while the bar moves, and nothing more once the
// bar has fallen or the run has finished (the result panel speaks then).
TEST_F(Training, StatuszeileFolgtDemLauf) {
    const i32 p = feldspieler(), a = 12;
    nur_lernbar(p, {a});
    film_oeffnen(p, a);
    const auto zeigt = [](const char* t) {
        kit::Spur_Leeren();
        kit::Frames(1);
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
            if (e.art == SPUR_TEXT && e.sichtbar == t) return true;
        return false;
    };
    struct Fall {
        i32 zustand;
        bool bereit, laeuft;
    } faelle[] = {{TRAINING_BEREIT, true, false},  {TRAINING_STEIGEN, false, true}, {TRAINING_HALTEN, false, true},
                  {TRAINING_ABSTURZ, false, false}, {TRAINING_FERTIG, false, false}};
    for (const Fall& f : faelle) {
        Training_Ablauf().zustand = f.zustand;
        EXPECT_EQ(zeigt(film(12)), f.bereit) << f.zustand;
        EXPECT_EQ(zeigt(film(4)), f.laeuft) << f.zustand;
    }
}

TEST_F(Training, UeberschussLerntGenauDieNoetigenPunkte) {
    const i32 p = feldspieler(), a = 12;
    nur_lernbar(p, {a});
    Attribut_Tabelle[a].noetige_punkte = 20;
    setzen(a, p, 18);
    film_oeffnen(p, a);
    icon_klicken(ICON_FILM_START);
    ASSERT_TRUE(bis_zustand(TRAINING_FERTIG));
    EXPECT_EQ(Training_Ablauf().mitgebracht + Training_Ablauf().verdient, 20);
    // The learned-attribute film opens over the screen.
    EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_FILM_GELERNT));
    icon_klicken(ICON_FILM_GELERNT_ZU);
    icon_klicken(ICON_FILM_OK);
    EXPECT_TRUE(Attribute_Attribut_Hat_Maximum(p, a));
    EXPECT_TRUE(Attribute_Hat_Attribut(p, a));  // a free place among the three: it plays
}

TEST_F(Training, VorDemStartSchliesstOhneBuchungDanachNurUebernehmen) {
    const i32 p = feldspieler(), a = 12;
    nur_lernbar(p, {a});
    Attribut_Tabelle[a].noetige_punkte = 900;
    film_oeffnen(p, a);
    const f64 vorher = konto();
    icon_klicken(ICON_FILM_ZU);
    EXPECT_FALSE(Screen_Offen(Screen_Id::TRAININGSFILM));
    EXPECT_EQ(konto(), vorher);
    EXPECT_EQ(wert(EINHEITEN, p), 0);
    film_oeffnen(p, a);
    icon_klicken(ICON_FILM_START);
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_FILM_ZU)->status & MENUE_S_VERSTECKT);
    Spieler_Training2_Zu_Klick(Menue_Screen_Icon_Aus_Nummer(ICON_FILM_ZU), MENUE_E_LINKS);
    EXPECT_TRUE(Screen_Offen(Screen_Id::TRAININGSFILM));  // a running training ends only by accepting
    // Start again stops the run: finished, nothing more is earned.
    icon_klicken(ICON_FILM_START);
    EXPECT_EQ(Training_Ablauf().zustand, TRAINING_FERTIG);
    const i32 verdient = Training_Ablauf().verdient;
    kit::Frames(50, 20);
    EXPECT_EQ(Training_Ablauf().verdient, verdient);
}

TEST_F(Training, SchnellschalterWechseltSeinBildSofort) {
    const i32 p = feldspieler();
    nur_lernbar(p, {3});
    Menue_Icon_Zustand_Setzen(ICON_FILM_SCHNELL, 0);
    film_oeffnen(p, 3);
    for (bool an : {true, false}) {
        icon_klicken(ICON_FILM_SCHNELL);
        kit::Spur_Leeren();
        kit::Frames(1);
        EXPECT_TRUE(kit::Grafik_Bei(an ? GRAFIK_FILM_TEMPO_AN : GRAFIK_FILM_TEMPO_AUS, 155, 395)) << an;
    }
}

TEST_F(Training, FehlgeschlageneBuchungStartetNichts) {
    const i32 p = feldspieler(), a = 12;
    nur_lernbar(p, {a});
    pleite();
    film_oeffnen(p, a);
    const f64 vorher = konto();
    kit::Spur_Leeren();
    icon_klicken(ICON_FILM_START);
    EXPECT_EQ(Training_Ablauf().zustand, TRAINING_BEREIT);
    EXPECT_EQ(konto(), vorher);
    EXPECT_FALSE(Menue_Screen_Icon_Aus_Nummer(ICON_FILM_ZU)->status & MENUE_S_VERSTECKT);
    EXPECT_EQ(video(Training_Video_Nummer(a), "start"), nullptr);
    ASSERT_TRUE(kit::Requester_Offen());
    kit::Frames(1);
    EXPECT_TRUE(kit::Text(film(32)));
    kit::Requester_Antworten(true);
    // Nothing runs without payment, whatever the frames.
    kit::Frames(100, 20);
    EXPECT_EQ(Training_Ablauf().zustand, TRAINING_BEREIT);
    EXPECT_EQ(Training_Ablauf().verdient, 0);
}

TEST_F(Training, SturzErgebnisse) {
    const i32 p = feldspieler(), a = 5;
    struct Fall {
        i32 band;
        int modus;
        i32 vorher;
        i32 ergebnis;
        const char* was;
    } faelle[] = {
        {0, MORAL, 3, ERGEBNIS_PUNKTE_WEG, "Punkte verloren"},
        {1, MORAL, 4, ERGEBNIS_MORAL, "Moral sinkt"},
        {1, MORAL, 0, ERGEBNIS_NICHTS, "Moral schon 0"},
        {2, ERSCHOEPFUNG, 2, ERGEBNIS_ERSCHOEPFUNG, "erschoepft"},
        {2, ERSCHOEPFUNG, 8, ERGEBNIS_NICHTS, "Erschoepfung 4 steigt nie"},
        {2, ERSCHOEPFUNG, 9, ERGEBNIS_NICHTS, "Erschoepfung 4 (roh 9) steigt nie"},
        {3, STAERKE, 6, ERGEBNIS_STAERKE, "Staerke sinkt"},
        {3, STAERKE, 0, ERGEBNIS_NICHTS, "Staerke kleiner als der Verlust"},
        {4, MORAL, 3, ERGEBNIS_NICHTS, "nichts"},
        {5, STATUS, 0, ERGEBNIS_VERLETZT, "verletzt"},
    };
    for (const Fall& f : faelle) {
        nur_lernbar(p, {a});
        setzen(f.modus, p, f.vorher);
        nur_band(f.band);
        Training_Beginnen(p, a);
        Training_Ablauf().zustand = TRAINING_STEIGEN;
        Training_Ablauf().stufe = 6;  // a seventh stage reads the last row
        Training_Absturz_Ereignis();
        const Trainings_Ablauf& t = Training_Ablauf();
        EXPECT_EQ(t.ergebnis, f.ergebnis) << f.was;
        EXPECT_TRUE(t.herz) << f.was;
        const i32 nachher = wert(f.modus, p);
        switch (f.ergebnis) {
            case ERGEBNIS_MORAL:
                EXPECT_EQ(f.vorher - nachher, t.ergebnis_wert) << f.was;
                EXPECT_GE(t.ergebnis_wert, 1) << f.was;
                EXPECT_LE(t.ergebnis_wert, 3) << f.was;
                break;
            case ERGEBNIS_ERSCHOEPFUNG:
                EXPECT_GT(nachher, f.vorher) << f.was;
                EXPECT_LE(nachher, 9) << f.was;
                EXPECT_EQ(nachher / 2 - f.vorher / 2, t.ergebnis_wert) << f.was;
                break;
            case ERGEBNIS_STAERKE:
                EXPECT_EQ(f.vorher - nachher, t.ergebnis_wert) << f.was;
                break;
            case ERGEBNIS_VERLETZT: EXPECT_TRUE(static_cast<u32>(nachher) & VERLETZT) << f.was; break;
            default: EXPECT_EQ(nachher, f.vorher) << f.was; break;
        }
        setzen(STATUS, p, 0);
    }
    struct Zeile {
        i32 stufe, zeile;
    } zeilen[] = {{0, 0}, {3, 3}, {5, 5}, {6, 5}, {-1, 0}};
    for (const Zeile& z : zeilen) EXPECT_EQ(Training_Ergebnis_Zeile(z.stufe), z.zeile) << z.stufe;
}

TEST_F(Training, PunkteVerlorenBuchtKostenUndEinheitAberKeinePunkte) {
    const i32 p = feldspieler(), a = 5;
    nur_lernbar(p, {a});
    Attribut_Tabelle[a].noetige_punkte = 900;
    setzen(a, p, 40);
    nur_band(0);
    Global_Param.training_absturz = 0;  // the first climbing step falls
    Menue_Icon_Zustand_Setzen(ICON_FILM_SCHNELL, 0);
    film_oeffnen(p, a);
    icon_klicken(ICON_FILM_START);
    ASSERT_TRUE(bis_zustand(TRAINING_ABSTURZ));
    EXPECT_EQ(Training_Ablauf().ergebnis, ERGEBNIS_PUNKTE_WEG);
    EXPECT_GT(Training_Ablauf().verdient, 0);
    kit::Frames(2);
    EXPECT_TRUE(kit::Text("Der Sturz war"));  // the fall panel tells it
    EXPECT_FALSE(Menue_Screen_Icon_Aus_Nummer(ICON_FILM_OK)->status & MENUE_S_VERSTECKT);
    icon_klicken(ICON_FILM_OK);  // the fall is seen
    EXPECT_EQ(Training_Ablauf().zustand, TRAINING_FERTIG);
    icon_klicken(ICON_FILM_OK);  // and booked
    EXPECT_EQ(wert(a, p), 40);  // the carried points stay, the run's are gone
    EXPECT_EQ(wert(EINHEITEN, p), 1);
    EXPECT_EQ(wert(GELD, p), Global_Attribut_Training_Kosten(a, p));
}

TEST_F(Training, SternTraining) {
    const i32 p = feldspieler();
    struct Fall {
        i32 staerke, staerke_nachher, stern_nachher;
    } faelle[] = {{5, 6, 0}, {11, 12, 0}, {12, 12, 0}};
    for (const Fall& f : faelle) {
        setzen(MAX, p, 12);
        setzen(STAERKE, p, f.staerke);
        const i32 noetig = Attribut_Noetig(TRAINING_STERN);
        setzen(TRAINING_STERN, p, noetig - 5);
        Training_Beginnen(p, TRAINING_STERN);
        Trainings_Ablauf& t = Training_Ablauf();
        t.zustand = TRAINING_FERTIG;
        t.verdient = 5;
        ASSERT_TRUE(Training_Uebernehmen());
        EXPECT_EQ(wert(STAERKE, p), f.staerke_nachher) << f.staerke;
        EXPECT_EQ(wert(TRAINING_STERN, p), f.stern_nachher) << f.staerke;
    }
    // An unfinished star training stays marked while strength can grow.
    setzen(STAERKE, p, 4);
    setzen(TRAINING_STERN, p, 0);
    Training_Beginnen(p, TRAINING_STERN);
    Training_Ablauf().zustand = TRAINING_FERTIG;
    Training_Ablauf().ergebnis = ERGEBNIS_PUNKTE_WEG;
    ASSERT_TRUE(Training_Uebernehmen());
    EXPECT_EQ(wert(TRAINING_STERN, p), 1);
    EXPECT_EQ(wert(STAERKE, p), 4);
}

TEST_F(Training, BeginnUeberschreibtKeinGelerntesAttribut) {
    const i32 p = feldspieler(), a = 8;
    const i32 noetig = Attribut_Noetig(a);
    struct Fall {
        i32 vorher, mitgebracht, nachher;
    } faelle[] = {{noetig + 1, 0, noetig + 1}, {noetig, 0, noetig}, {-1, 0, -1}, {1, 0, 0}, {5, 5, 5}};
    for (const Fall& f : faelle) {
        setzen(a, p, f.vorher);
        Training_Beginnen(p, a);
        EXPECT_EQ(Training_Ablauf().mitgebracht, f.mitgebracht) << f.vorher;
        EXPECT_EQ(wert(a, p), f.nachher) << f.vorher;
        EXPECT_GE(Training_Ablauf().stufen, 2);
        EXPECT_LE(Training_Ablauf().stufen, 6);
        for (i32 i = 1; i < Training_Ablauf().stufen; ++i)
            EXPECT_LE(Training_Ablauf().schwelle[i - 1], Training_Ablauf().schwelle[i]);
    }
}

TEST_F(Training, AktivierenErsetztEinNiedrigeresAttribut) {
    const i32 p = feldspieler();
    auto aktiv = [&](i32 a) { setzen(a, p, Attribut_Noetig(a) + 1); };
    auto gelernt = [&](i32 a) { setzen(a, p, Attribut_Noetig(a)); };
    // Three active (5, 10, 30): learning 20 takes the place of 10 (the
    // lowest place, scanned from the third, below 20); learning 2 replaces none.
    for (i32 a = 0; a < 47; ++a) setzen(a, p, 0);
    aktiv(5), aktiv(10), aktiv(30), gelernt(20);
    Training_Attribut_Aktivieren(p, 20);
    EXPECT_TRUE(Attribute_Attribut_Aktief(p, 20));
    EXPECT_FALSE(Attribute_Attribut_Aktief(p, 5));
    EXPECT_TRUE(Attribute_Attribut_Aktief(p, 10));
    gelernt(2);
    Training_Attribut_Aktivieren(p, 2);
    EXPECT_FALSE(Attribute_Attribut_Aktief(p, 2));
    // A goalkeeper's attributes are left as they are.
    const i32 tw = torwart();
    setzen(48, tw, Attribut_Noetig(48));
    Training_Attribut_Aktivieren(tw, 48);
    EXPECT_FALSE(Attribute_Attribut_Aktief(tw, 48));
}

TEST_F(Training, FilmVideosUndSprung) {
    struct Nummer {
        i32 attribut, video;
    } nummern[] = {{0, 11}, {12, 23}, {39, 50}, {47, 52}, {52, 52}, {53, 51}, {40, -1}, {54, -1}};
    for (const Nummer& n : nummern) EXPECT_EQ(Training_Video_Nummer(n.attribut), n.video) << n.attribut;
    EXPECT_EQ(Training_Film_Anfang(12), 126 + 48 * 12);
    EXPECT_EQ(Training_Film_Ende(12), 173 + 48 * 12);
    EXPECT_EQ(Training_Film_Ende(53), -1);

    const i32 p = feldspieler(), a = 12;
    nur_lernbar(p, {a});
    Attribut_Tabelle[a].noetige_punkte = 5;
    film_oeffnen(p, a);
    kit::Spur_Leeren();
    icon_klicken(ICON_FILM_START);
    const Zeichenspur_Eintrag* v = video(23, "start");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->x, 565);
    EXPECT_EQ(v->y, 356);
    ASSERT_TRUE(bis_zustand(TRAINING_FERTIG));
    EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_FILM_GELERNT));
    ASSERT_TRUE(video(VIDEO_GELERNT, "start"));
    frames_mit_video(260, 100);
    const Zeichenspur_Eintrag* s = video(VIDEO_GELERNT, "sprung");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->wert, 126 + 48 * 12);
    // It stands at the end of the attribute's part.
    EXPECT_TRUE(video(VIDEO_GELERNT, "pause"));
    png_mit_video("training_gelernt");
    // An attribute number the film does not know is refused.
    icon_klicken(ICON_FILM_GELERNT_ZU);
    Spieler_Training2_Film_Init(p, 54);
    EXPECT_FALSE(Menue_Screen_Icon_Ist_Vorhanden(ICON_FILM_GELERNT));
}

TEST_F(Training, BonusZahltEinmalAus) {
    const i32 p = feldspieler(), a = 5;
    nur_lernbar(p, {a});
    Attribut_Tabelle[a].noetige_punkte = 900;
    Training_Beginnen(p, a);
    Trainings_Ablauf& t = Training_Ablauf();
    t.zustand = TRAINING_STEIGEN;
    t.verdient = 10;
    Anim_Slot_Neu(t.bonus, 1, 130, 300, BONUS_BILD, BONUS_GRENZE, BONUS_FRAME_MS, false, 0);
    t.bonus[0].frame = BONUS_AUSZAHLUNG_FRAME;
    Training_Bonus_Auszahlen();
    const i32 bonus = t.verdient - 10;
    EXPECT_TRUE(bonus == 25 || bonus == 50 || bonus == 75 || bonus == 100) << bonus;
    EXPECT_TRUE(Anim_Slot_Belegt(t.bonus_betrag, 0));
    Training_Bonus_Auszahlen();  // the amount's run is on: no second payment
    EXPECT_EQ(t.verdient - 10, bonus);
    // After a fall the animations stop.
    t.zustand = TRAINING_ABSTURZ;
    Training_Bonus_Pruefen();
    EXPECT_FALSE(Anim_Slot_Belegt(t.bonus, 0));
    EXPECT_FALSE(Anim_Slot_Belegt(t.bonus_betrag, 0));
}

TEST_F(Training, AutomatischesTrainingNachDemSpiel) {
    std::vector<i32> k;
    for (i32 p : kader())
        if (wert(KLASSE, p) != 0) k.push_back(p);
    ASSERT_GE(k.size(), 4u);
    const i32 a = 5;
    Attribut_Tabelle[a].noetige_punkte = 60;
    struct Fall {
        bool verletzt;
        i32 einheiten_vorher;  // before the match step (it starts the round at 0)
        bool trainiert;
    } faelle[] = {{false, 3, true}, {true, 0, false}, {false, 0, true}};
    for (size_t i = 0; i < 3; ++i) {
        nur_lernbar(k[i], {a});
        setzen(STATUS, k[i], faelle[i].verletzt ? static_cast<i32>(VERLETZT) : 0);
        setzen(71, k[i], faelle[i].verletzt ? 50 : 0);  // still out after the match step
        setzen(EINHEITEN, k[i], faelle[i].einheiten_vorher);
        setzen(GELD, k[i], 0);
    }
    // Star training for a player at the most attributes: the sheet's offer.
    for (i32 x = 0; x < 18; ++x) setzen(x, k[3], Attribut_Noetig(x));
    setzen(MAX, k[3], 12), setzen(STAERKE, k[3], 4), setzen(STATUS, k[3], 0);
    setzen(TRAINING_STERN, k[3], Attribut_Noetig(TRAINING_STERN) - 1);
    // Off: the match step trains nobody.
    Manager_Icon_Button_An_Aus(Team_Aktiv, ICON_AUTOMATISCHES_TRAINING, 0);
    Team_Simuliere_Computerteam(Team_Aktiv);
    EXPECT_EQ(wert(a, k[0]), 0);
    // On: everyone able trains once and the team pays.
    Manager_Icon_Button_An_Aus(Team_Aktiv, ICON_AUTOMATISCHES_TRAINING, 1);
    setzen(EINHEITEN, k[0], 3);
    const f64 vorher = konto();
    Team_Simuliere_Computerteam(Team_Aktiv);
    f64 bezahlt = 0;
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(wert(a, k[i]) > 1, faelle[i].trainiert) << i;
        EXPECT_EQ(wert(EINHEITEN, k[i]), faelle[i].trainiert ? 1 : 0) << i;
        EXPECT_EQ(wert(GELD, k[i]), faelle[i].trainiert ? Global_Attribut_Training_Kosten(a, k[i]) : 0) << i;
        if (faelle[i].trainiert) bezahlt += Global_Attribut_Training_Kosten(a, k[i]);
    }
    EXPECT_EQ(wert(STAERKE, k[3]), 5);  // the star completed
    EXPECT_LE(konto(), vorher - bezahlt);
    // Without money nobody trains.
    pleite();
    for (i32 p : k) setzen(EINHEITEN, p, 0);
    const i32 w = wert(a, k[0]);
    EXPECT_EQ(Training_Automatisch(Team_Aktiv), 0);
    EXPECT_EQ(wert(a, k[0]), w);
}

// --- Talents -----------------------------------------------------------------------

TEST_F(Training, TalenteRequesterUndModi) {
    const i32 p = feldspieler(), a = 7;
    nur_lernbar(p, {a});
    const Screen_Icon* icon = nullptr;
    struct Fall {
        bool verletzt;
        i32 einheiten;
        i32 modus;
        const char* text;  // the requester's text, or null: the film opens
        bool film;
    } faelle[] = {
        {true, 0, TALENTE_EIGENES_TEAM, "ist verletzt", false},
        {true, 3, TALENTE_EIGENES_TEAM, "ist verletzt", false},  // injured beats the limit
        {false, 3, TALENTE_EIGENES_TEAM, "keine Trainingseinheiten", false},
        {false, 0, TALENTE_EIGENES_TEAM, nullptr, true},
        {false, 0, TALENTE_ANSICHT, nullptr, false},
        {false, 0, TALENTE_EINZELN, nullptr, false},
    };
    for (const Fall& f : faelle) {
        setzen(STATUS, p, f.verletzt ? static_cast<i32>(VERLETZT) : 0);
        setzen(EINHEITEN, p, f.einheiten);
        Spieler_Talente_Screen_Init(p, f.modus);
        ASSERT_TRUE(Screen_Offen(Screen_Id::TALENTE));
        icon = Menue_Screen_Icon_Aus_Nummer(ICON_TALENTE_ATTRIBUT + a);
        ASSERT_TRUE(icon);
        const bool hilfe = Spieler_Talente_Hilfe(const_cast<Screen_Icon*>(icon)) != nullptr;
        EXPECT_EQ(hilfe, f.modus == TALENTE_EIGENES_TEAM) << f.modus;
        icon_klicken(ICON_TALENTE_ATTRIBUT + a);
        kit::Spur_Leeren();
        kit::Frames(1);
        if (f.text) {
            ASSERT_TRUE(kit::Requester_Offen()) << f.text;
            EXPECT_TRUE(kit::Text(f.text)) << f.text;
            kit::Requester_Antworten(true);
        } else {
            EXPECT_FALSE(kit::Requester_Offen());
        }
        EXPECT_EQ(Screen_Offen(Screen_Id::TRAININGSFILM), f.film) << f.modus;
        if (f.film) Spieler_Training2_Screen_Schliessen();
        Spieler_Talente_Screen_Schliessen();
    }
    EXPECT_NE(std::string(sheet(31)).find("ist verletzt"), std::string::npos);
}

TEST_F(Training, TalenteWechselFragtUndSetztZurueck) {
    const i32 p = feldspieler();
    nur_lernbar(p, {4, 9});
    setzen(4, p, 6);  // 4 in training
    setzen(GELD, p, 123);
    Spieler_Talente_Screen_Init(p, TALENTE_EIGENES_TEAM);
    icon_klicken(ICON_TALENTE_ATTRIBUT + 9);
    ASSERT_TRUE(kit::Requester_Offen());
    kit::Requester_Antworten(false);
    EXPECT_EQ(wert(4, p), 6);
    EXPECT_FALSE(Screen_Offen(Screen_Id::TRAININGSFILM));
    // The attribute in training starts without a question.
    icon_klicken(ICON_TALENTE_ATTRIBUT + 4);
    EXPECT_FALSE(kit::Requester_Offen());
    EXPECT_TRUE(Screen_Offen(Screen_Id::TRAININGSFILM));
    Spieler_Training2_Screen_Schliessen();
    nur_lernbar(p, {4, 9});
    setzen(4, p, 6);
    setzen(GELD, p, 123);
    icon_klicken(ICON_TALENTE_ATTRIBUT + 9);
    kit::Requester_Antworten(true);
    EXPECT_EQ(wert(4, p), 0);
    EXPECT_EQ(wert(GELD, p), 0);
    EXPECT_TRUE(Screen_Offen(Screen_Id::TRAININGSFILM));
    EXPECT_EQ(Training_Ablauf().attribut, 9);
}

TEST_F(Training, KannTrainierenPrueft) {
    const i32 p = feldspieler(), a = 7;
    struct Fall {
        bool lernbar, verletzt;
        i32 einheiten;
        bool pleite, erwartet;
    } faelle[] = {{true, false, 0, false, true}, {false, false, 0, false, false}, {true, true, 0, false, false},
                  {true, false, 3, false, false}, {true, false, 0, true, false}};
    for (const Fall& f : faelle) {
        if (f.lernbar) nur_lernbar(p, {a});
        else nur_lernbar(p, {});
        setzen(STATUS, p, f.verletzt ? static_cast<i32>(VERLETZT) : 0);
        setzen(EINHEITEN, p, f.einheiten);
        if (f.pleite && konto() > 0) Bank_Buchen(Team_Aktiv, -1, static_cast<f32>(konto()), BANK_AUSGABE, 1, -1);
        if (!f.pleite && konto() < 1e6) Bank_Buchen(-1, Team_Aktiv, 5e7f, BANK_EINNAHME, 1, -1);
        EXPECT_EQ(Spieler_Talente_Kann_Trainieren(a, p), f.erwartet)
            << f.lernbar << f.verletzt << f.einheiten << f.pleite;
    }
}

TEST_F(Training, TalenteBlaettern) {
    const std::vector<i32> k = kader();
    ASSERT_GE(k.size(), 2u);
    // Own team: by slot, wrapping; a gap in the slots is passed over.
    const i32 letzter = k.back(), erster = k.front();
    EXPECT_EQ(Spieler_Talente_Blaettern_Ziel(letzter, TALENTE_EIGENES_TEAM, 1), erster);
    EXPECT_EQ(Spieler_Talente_Blaettern_Ziel(erster, TALENTE_EIGENES_TEAM, -1), letzter);
    EXPECT_EQ(Spieler_Talente_Blaettern_Ziel(erster, TALENTE_EIGENES_TEAM, 1), k[1]);
    EXPECT_EQ(Spieler_Talente_Blaettern_Ziel(erster, TALENTE_EINZELN, 1), erster);
    // Another team, next: 0 -> 16, 17 -> 10, 11 -> 19; previous: 10 -> 17, 19 -> 11.
    Team_Ansicht = Team_Aktiv;
    auto bei = [&](i32 slot) {
        for (i32 p : k)
            if (wert(SLOT, p) == slot) return p;
        return -1;
    };
    if (k.size() == 20) {
        struct Schritt {
            i32 von, richtung, nach;
        } schritte[] = {{0, 1, 16}, {17, 1, 10}, {11, 1, 19}, {5, 1, 4}, {10, -1, 17}, {19, -1, 11}, {16, -1, 0}};
        for (const Schritt& s : schritte)
            EXPECT_EQ(Spieler_Talente_Blaettern_Ziel(bei(s.von), TALENTE_ANSICHT, s.richtung), bei(s.nach)) << s.von;
    }
    // The arrows in mode 3 are grey and do nothing.
    Spieler_Talente_Screen_Init(erster, TALENTE_EINZELN);
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_TALENTE_VOR)->status & MENUE_S_GRAU);
    icon_klicken(ICON_TALENTE_VOR);
    EXPECT_EQ(Spieler_Talente_Spieler(), erster);
    // A goalkeeper shows the goalkeeper places only.
    Spieler_Talente_Screen_Schliessen();
    Spieler_Talente_Screen_Init(torwart(), TALENTE_EIGENES_TEAM);
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_TALENTE_ATTRIBUT)->status & MENUE_S_VERSTECKT);
    EXPECT_FALSE(Menue_Screen_Icon_Aus_Nummer(ICON_TALENTE_TORWART)->status & MENUE_S_VERSTECKT);
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(ICON_TALENTE_RAHMEN)->grafik, static_cast<u32>(GRAFIK_TALENTE_TOR));
}

// The header's badges (the attribute in training, up to three weaknesses)
// stand apart and each names its attribute under the mouse.
// The header's shirt number stands on its position badge, as on every
// other screen (centred on it), not beside an empty badge.
TEST_F(Training, TalenteNummerAufDerMarke) {
    const i32 p = feldspieler();
    Spieler_Talente_Screen_Init(p, TALENTE_EIGENES_TEAM);
    ASSERT_TRUE(Screen_Offen(Screen_Id::TALENTE));
    kit::Spur_Leeren();
    kit::Frames(1);
    const Zeichenspur_Eintrag* marke = nullptr;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        if (e.art == SPUR_BLIT && e.grafik >= GRAFIK_POSITION_KLASSE && e.grafik < GRAFIK_POSITION_KLASSE + 4 &&
            e.y < 60)
            marke = &e;
    ASSERT_TRUE(marke);
    const std::string nummer = std::to_string(wert(84, p));
    const Zeichenspur_Eintrag* zahl = nullptr;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        if (e.art == SPUR_TEXT && e.y < 60 && e.sichtbar.ends_with(nummer) &&
            e.sichtbar.find_first_not_of('\t') == e.sichtbar.size() - nummer.size())
            zahl = &e;  // the visible text: its tab stop, then the number
    ASSERT_TRUE(zahl);
    ASSERT_NE(zahl->text.find("^tz0014"), std::string::npos) << zahl->text;
    const i32 mitte = zahl->x + 14;  // centred on its tab stop
    EXPECT_GE(mitte, marke->x + marke->breite / 2 - 3);
    EXPECT_LE(mitte, marke->x + marke->breite / 2 + 3);
    EXPECT_GT(zahl->y, marke->y);
    EXPECT_LE(zahl->y, marke->y + marke->hoehe);
}

// The name of the attribute under the mouse stands under its badge, on the
// top row too (above it stands the row's heading "Grundlagen"); the row's
// first from the screen's left edge.
TEST_F(Training, TalenteNameUnterDerMarke) {
    const i32 p = feldspieler();
    Spieler_Talente_Screen_Init(p, TALENTE_EIGENES_TEAM);
    ASSERT_TRUE(Screen_Offen(Screen_Id::TALENTE));
    for (i32 a : {0, 5, 19, 22, 36}) {
        const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(static_cast<i16>(
            a < 35 ? ICON_TALENTE_ATTRIBUT + a : ICON_TALENTE_SPEZIAL + a - 35));
        ASSERT_NE(i, nullptr) << a;
        kit::Maus(i->x + i->w / 2, i->y + i->h / 2);
        kit::Frames(1);
        kit::Spur_Leeren();
        kit::Frames(1);
        const Zeichenspur_Eintrag* name = nullptr;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
            if (e.art == SPUR_TEXT && e.farbe == FARBE_GOLD && e.y < 460 &&
                e.sichtbar.find(Attribut_Tabelle[a].name) != std::string::npos)
                name = &e;
        ASSERT_NE(name, nullptr) << a;
        const Font* f = Kit_Font(Kit_Schrift::TEXT);
        ASSERT_NE(f, nullptr);
        EXPECT_GE(name->y - f->hoehe, i->y + i->h) << Attribut_Tabelle[a].name;
        if (const Zeichenspur_Eintrag* grundlagen = kit::Text("Grundlagen")) {
            EXPECT_GT(name->y - f->hoehe, grundlagen->y) << Attribut_Tabelle[a].name;
        }
        if (a == 0) {
            EXPECT_EQ(name->x, 3);  // the row's first: from the screen's left edge
        }
        if (a == 5) kit::Png("talente_name_unter");
    }
}

TEST_F(Training, TalenteKopfMarkenMitHilfe) {
    const i32 p = feldspieler();
    nur_lernbar(p, {4});
    setzen(4, p, 6);  // in training
    for (i32 a : {40, 41, 44}) setzen(a, p, Attribut_Noetig(a) + 1);
    Spieler_Talente_Screen_Init(p, TALENTE_EIGENES_TEAM);
    ASSERT_TRUE(Screen_Offen(Screen_Id::TALENTE));
    kit::Spur_Leeren();
    kit::Frames(1);
    const Kasten kopf{560, 0, 800, 40};
    std::vector<const Zeichenspur_Eintrag*> marken;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        if (e.art == SPUR_BLIT && e.grafik >= GRAFIK_ATTRIBUT && e.grafik < GRAFIK_ATTRIBUT + ATTRIBUT_ANZAHL &&
            kopf.um(e.x, e.y, e.breite, e.hoehe))
            marken.push_back(&e);
    ASSERT_EQ(marken.size(), 4u);
    // With the caption "Im Training" and the matches: side by side, left of
    // the screen's emblem (from x 755).
    std::vector<std::pair<i32, i32>> stuecke;
    for (const Zeichenspur_Eintrag* m : marken) stuecke.emplace_back(m->x, m->x + m->breite);
    for (const char* t : {Text_cfg_Text(TEXT_EINSETZEN_1, 32), "Spiele)"})
        if (const Zeichenspur_Eintrag* e = kit::Text(t)) {
            // Set right-aligned at its tab stop.
            const size_t tab = e->text.find("^tr");
            ASSERT_NE(tab, std::string::npos) << e->text;
            const i32 rechts = std::atoi(e->text.substr(tab + 3, 4).c_str());
            stuecke.emplace_back(rechts - Breite_Von(*e), rechts);
        } else {
            ADD_FAILURE() << t;
        }
    for (size_t i = 0; i < stuecke.size(); ++i) {
        EXPECT_LE(stuecke[i].second, 752) << stuecke[i].first;
        for (size_t k = i + 1; k < stuecke.size(); ++k)
            EXPECT_TRUE(stuecke[i].second <= stuecke[k].first || stuecke[k].second <= stuecke[i].first)
                << "over each other at " << stuecke[i].first << " and " << stuecke[k].first;
    }
    EXPECT_EQ(Marken_Hilfe_Pruefen(GRAFIK_ATTRIBUT, kopf), 4u);
    kit::Png("talente_kopf_hilfe");
}

// --- The training sheet ----------------------------------------------------------------

TEST_F(Training, PlanSlots) {
    const i32 p = feldspieler(), tw = torwart();
    auto slots = [] {
        i32 s[3];
        Spieler_Training_Slots(s);
        return std::vector<i32>(s, s + 3);
    };
    using V = std::vector<i32>;
    nur_lernbar(p, {2, 5, 9});
    Spieler_Training_Slots_Setzen(p, SLOTS_FUELLEN);
    EXPECT_EQ(slots(), (V{2, 5, 9}));
    Spieler_Training_Slots_Setzen(p, SLOTS_VOR);
    EXPECT_EQ(slots(), (V{5, 9, 2}));  // past the last: the first one not shown
    Spieler_Training_Slots_Setzen(p, SLOTS_VOR);
    EXPECT_EQ(slots(), (V{9, 2, 5}));
    Spieler_Training_Slots_Setzen(p, SLOTS_FUELLEN);
    Spieler_Training_Slots_Setzen(p, SLOTS_ZURUECK);
    EXPECT_EQ(slots(), (V{9, 2, 5}));  // before the first: the highest one not shown
    // One learnable attribute stands in the middle.
    nur_lernbar(p, {7});
    Spieler_Training_Slots_Setzen(p, SLOTS_FUELLEN);
    EXPECT_EQ(slots(), (V{-1, 7, -1}));
    // The attribute in training stands in the middle.
    nur_lernbar(p, {3, 6, 8, 11});
    setzen(8, p, 4);
    Spieler_Training_Slots_Setzen(p, SLOTS_FUELLEN);
    EXPECT_EQ(slots()[1], 8);
    // A goalkeeper never scrolls below 47.
    nur_lernbar(tw, {47, 50});
    Spieler_Training_Slots_Setzen(tw, SLOTS_FUELLEN);
    for (int i = 0; i < 4; ++i) {
        Spieler_Training_Slots_Setzen(tw, SLOTS_ZURUECK);
        for (i32 s : slots()) EXPECT_TRUE(s < 0 || s >= 47) << s;
    }
    // At the most learned attributes only star training, while strength can grow.
    struct Fall {
        i32 staerke, max;
        V erwartet;
    } faelle[] = {{6, 10, V{-1, TRAINING_STERN, -1}}, {10, 10, V{-1, -1, -1}}};
    for (const Fall& f : faelle) {
        for (i32 a = 0; a < 18; ++a) setzen(a, p, Attribut_Noetig(a));
        setzen(MAX, p, f.max);
        setzen(STAERKE, p, f.staerke);
        Spieler_Training_Slots_Setzen(p, SLOTS_FUELLEN);
        EXPECT_EQ(slots(), f.erwartet) << f.staerke;
    }
}

class Plan : public Training {
  protected:
    void oeffnen() {
        ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 4));
        ASSERT_TRUE(Screen_Offen(Screen_Id::TRAININGSPLAN));
        kit::Frames(30);
    }
    // Trains the sheet's player in attribute 14 (30 points needed, nothing
    // else he could learn) through the film to its end (its picture there
    // when named) and accepts it.
    void bis_gelernt(i32 p, const char* png = nullptr) {
        icon_klicken(ICON_FILM_SCHNELL);
        icon_klicken(ICON_FILM_START);
        ASSERT_TRUE(bis_zustand(TRAINING_FERTIG));
        if (png) png_mit_video(png);
        if (Menue_Screen_Icon_Ist_Vorhanden(ICON_FILM_GELERNT)) icon_klicken(ICON_FILM_GELERNT_ZU);
        icon_klicken(ICON_FILM_OK);
        ASSERT_FALSE(Screen_Offen(Screen_Id::TRAININGSFILM));
        ASSERT_GE(wert(14, p), Attribut_Noetig(14));
    }
    void nur_14(i32 p) {
        nur_lernbar(p, {14});
        Attribut_Tabelle[14].noetige_punkte = 30;
        Spieler_Training_Slots_Setzen(p, SLOTS_FUELLEN);
    }
    void zeile_klicken(i32 k) {
        kit::Warten(300);
        kit::Klick(200, (k < 11 ? 136 + 17 * k : k < 17 ? 344 + 17 * (k - 11) : 467 + 17 * (k - 17)) + 8);
    }
};

TEST_F(Plan, ZeilenNachSlotUndAuswahl) {
    oeffnen();
    const std::vector<i32> k = kader();
    for (size_t i = 0; i < k.size(); ++i) EXPECT_EQ(Spieler_Training_Zeilen_Spieler(static_cast<i32>(i)), k[i]) << i;
    EXPECT_EQ(Spieler_Training_Gewaehlt(), k[0]);
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_PLAN_ZEILE_AN, 120, 138));
    EXPECT_TRUE(kit::Text(Spieler_String(63, k[0], nullptr, 0)));
    kit::Png("training_plan");
    // Another row: the bare mark of the player before is taken off.
    const i32 a = Attribute_Get_Attribut_In_Ausbildung(k[0]);
    for (i32 x = 0; x < ATTRIBUT_ANZAHL; ++x)
        if (x != a && wert(x, k[0]) > 0 && wert(x, k[0]) < Attribut_Noetig(x)) setzen(x, k[0], 0);
    setzen(3, k[0], 1);
    zeile_klicken(2);
    EXPECT_EQ(Spieler_Training_Gewaehlt(), k[2]);
    EXPECT_EQ(wert(3, k[0]), 0);
    // Reopened, the sheet shows the same player.
    Screen_Schliessen(Screen_Id::TRAININGSPLAN);
    ASSERT_TRUE(Screen_Oeffnen(Screen_Id::TRAININGSPLAN));
    EXPECT_EQ(Spieler_Training_Gewaehlt(), k[2]);
}

TEST_F(Plan, TrainierenRequesterUndFilm) {
    oeffnen();
    const i32 p = Spieler_Training_Gewaehlt();
    nur_lernbar(p, {6});
    Spieler_Training_Slots_Setzen(p, SLOTS_FUELLEN);
    struct Fall {
        i32 einheiten;
        bool verletzt;
        const char* text;
        bool film;
    } faelle[] = {
        {3, false, "keine Trainingseinheiten", false},
        {3, true, "keine Trainingseinheiten", false},  // the limit first on the sheet
        {0, true, "ist verletzt", false},
        {0, false, nullptr, true},
    };
    for (const Fall& f : faelle) {
        setzen(EINHEITEN, p, f.einheiten);
        setzen(STATUS, p, f.verletzt ? static_cast<i32>(VERLETZT) : 0);
        icon_klicken(ICON_PLAN_TRAINIEREN);
        kit::Spur_Leeren();
        kit::Frames(1);
        if (f.text) {
            ASSERT_TRUE(kit::Requester_Offen()) << f.text;
            EXPECT_TRUE(kit::Text(f.text)) << f.text;
            kit::Requester_Antworten(true);
        }
        EXPECT_EQ(Screen_Offen(Screen_Id::TRAININGSFILM), f.film);
    }
    EXPECT_EQ(Training_Ablauf().attribut, 6);
    // Closing the film refills the slots for the player.
    icon_klicken(ICON_FILM_ZU);
    i32 s[3];
    Spieler_Training_Slots(s);
    EXPECT_EQ(s[1], 6);
    // Nothing to train: the button does nothing.
    nur_lernbar(p, {});
    Spieler_Training_Slots_Setzen(p, SLOTS_FUELLEN);
    icon_klicken(ICON_PLAN_TRAINIEREN);
    EXPECT_FALSE(kit::Requester_Offen());
    EXPECT_FALSE(Screen_Offen(Screen_Id::TRAININGSFILM));
}

TEST_F(Plan, MittlererSlotWechselt) {
    oeffnen();
    const i32 p = Spieler_Training_Gewaehlt();
    nur_lernbar(p, {4, 9});
    setzen(GELD, p, 77);
    Spieler_Training_Slots_Setzen(p, SLOTS_FUELLEN);
    // No attribute in training: the money spent starts anew.
    icon_klicken(ICON_PLAN_MITTE);
    EXPECT_FALSE(kit::Requester_Offen());
    EXPECT_EQ(wert(GELD, p), 0);
    // Another attribute in training: asked, and on yes its points are gone.
    setzen(4, p, 5);
    setzen(GELD, p, 77);
    Spieler_Training_Slots_Setzen(p, SLOTS_FUELLEN);
    Spieler_Training_Slots_Setzen(p, SLOTS_VOR);
    i32 s[3];
    Spieler_Training_Slots(s);
    ASSERT_NE(s[1], 4);
    ASSERT_GE(s[1], 0);
    icon_klicken(ICON_PLAN_MITTE);
    ASSERT_TRUE(kit::Requester_Offen());
    kit::Requester_Antworten(true);
    EXPECT_EQ(wert(4, p), 0);
    EXPECT_EQ(wert(GELD, p), 0);
}

TEST_F(Plan, PfeileUndAutomatik) {
    oeffnen();
    const i32 p = Spieler_Training_Gewaehlt();
    nur_lernbar(p, {2, 5, 9, 12});
    Spieler_Training_Slots_Setzen(p, SLOTS_FUELLEN);
    icon_klicken(ICON_PLAN_VOR);
    i32 s[3];
    Spieler_Training_Slots(s);
    EXPECT_EQ(s[1], 9);
    icon_klicken(ICON_PLAN_LINKS);  // the left slot scrolls back
    Spieler_Training_Slots(s);
    EXPECT_EQ(s[1], 5);
    // Clicks inside 250 ms scroll once.
    kit::Warten(300);
    const Screen_Icon* r = Menue_Screen_Icon_Aus_Nummer(ICON_PLAN_RECHTS);
    kit::Klick(r->x + 10, r->y + 10);
    kit::Klick(r->x + 10, r->y + 10);
    Spieler_Training_Slots(s);
    EXPECT_EQ(s[1], 9);
    // The automatic training is the manager's switch.
    EXPECT_EQ(Manager_Icon_Button_Lesen(Team_Aktiv, ICON_AUTOMATISCHES_TRAINING), 0u);
    icon_klicken(ICON_PLAN_AUTO);
    EXPECT_EQ(Manager_Icon_Button_Lesen(Team_Aktiv, ICON_AUTOMATISCHES_TRAINING), 1u);
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_PLAN_AUTO_AN, 280, 540));
}

// A popup or card open over the sheet while a training runs shows, once
// the film is closed, the attribute learned: the popup its row, the card
// its picture among the learned ones (the popup kept the rows it read when
// it opened).
TEST_F(Plan, FensterNachDemFilmAufgefrischt) {
    oeffnen();
    const i32 p = Spieler_Training_Gewaehlt();
    const struct {
        const char* name;
        bool karte;
    } faelle[] = {{"popup", false}, {"karte", true}};
    for (const auto& f : faelle) {
        nur_14(p);
        auto gezeigt = [&] {
            kit::Spur_Leeren();
            kit::Frames(1);
            if (f.karte) return kit::Grafik_Bei(GRAFIK_ATTRIBUT_KARTE + 14, 166 + 10, 320 + 8);
            i32 x = 0, y = 0;
            Attribut_Popup_Position(&x, &y);
            return kit::Grafik_Bei(GRAFIK_ATTRIBUT + 14, x + 23 + 6, y + POPUP_KOPF + 1 + 6);
        };
        if (f.karte) Spieler_Info_Screen_Init(p, Team_Aktiv, SPIELERKARTE_EIGEN);
        else Attribut_Popup_Oeffnen(p, 420, 200, Team_Aktiv);
        ASSERT_TRUE(f.karte ? Spieler_Info_Offen() : Attribut_Popup_Offen()) << f.name;
        EXPECT_FALSE(gezeigt()) << f.name;
        // The film over it, as the talents screen opens it.
        Spieler_Training2_Screen_Init(p, 14);
        kit::Frames(2);
        bis_gelernt(p);
        ASSERT_TRUE(f.karte ? Spieler_Info_Offen() : Attribut_Popup_Offen()) << f.name;
        EXPECT_TRUE(gezeigt()) << f.name;
        kit::Png(std::string("training_nach_film_") + f.name);
        Spielerfenster_Schliessen();
    }
}

// --- The training camp ------------------------------------------------------------------

class Lager : public Training {
  protected:
    void oeffnen() {
        ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 5));
        ASSERT_TRUE(Screen_Offen(Screen_Id::TRAININGSLAGER));
        kit::Frames(10);
    }
};

TEST_F(Lager, BlaetternUndBalken) {
    oeffnen();
    EXPECT_EQ(Trainings_Lager_Gezeigt(), 0);
    icon_klicken(ICON_LAGER_ZURUECK);
    EXPECT_EQ(Trainings_Lager_Gezeigt(), 7);
    icon_klicken(ICON_LAGER_VOR);
    icon_klicken(ICON_LAGER_VOR);
    EXPECT_EQ(Trainings_Lager_Gezeigt(), 1);
    // Reopened, the camp last shown.
    Screen_Schliessen(Screen_Id::TRAININGSLAGER);
    ASSERT_TRUE(Screen_Oeffnen(Screen_Id::TRAININGSLAGER));
    EXPECT_EQ(Trainings_Lager_Gezeigt(), 1);
    struct Breite {
        i32 bewertung, breite;
    } breiten[] = {{0, 0}, {50, 90}, {99, 177}, {100, 179}, {150, 179}, {-5, 0}};
    for (const Breite& b : breiten) EXPECT_EQ(Trainings_Lager_Balken_Breite(b.bewertung), b.breite) << b.bewertung;
    // A rating of 100 is drawn without any cover: the bar is full.
    Trainingslager_Tabelle[1].staerke = 100;
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_FALSE(kit::Grafik_Bei(GRAFIK_LAGER_DECKE, 506 + 178, 202 + 5));
    // The three bars start at one left edge: each cover begins where its
    // rating ends, counted from the same x, right of every label.
    {
        const Trainingslager_Def& d = Trainingslager_Tabelle[1];
        const i32 bewertung[3] = {d.moral, d.erholung, d.staerke};
        i32 k = 0;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege()) {
            if (e.art != SPUR_BLIT || e.grafik != GRAFIK_LAGER_DECKE || k >= 3) continue;
            EXPECT_EQ(e.x - Trainings_Lager_Balken_Breite(bewertung[k]), 506) << k;
            ++k;
        }
        EXPECT_EQ(k, 2) << "the full bar has no cover";
    }
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_LAGER_DECKE, 506 + Trainings_Lager_Balken_Breite(Trainingslager_Tabelle[1].moral) + 2,
                                152 + 5));
    kit::Png("training_lager");
}

TEST_F(Lager, OhneGeldOderSpielerKeineAbreise) {
    oeffnen();
    pleite();
    const f64 vorher = konto();
    icon_klicken(ICON_LAGER_LOS);
    EXPECT_FALSE(Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF));
    EXPECT_EQ(konto(), vorher);
    ASSERT_TRUE(kit::Requester_Offen());
    kit::Frames(1);
    EXPECT_TRUE(kit::Text(lager(24)));
    kit::Requester_Antworten(true);
    // An empty squad goes nowhere and pays nothing.
    Bank_Buchen(-1, Team_Aktiv, 5e7f, BANK_EINNAHME, 1, -1);
    for (i32 p : kader()) Team_Kader_Entfernen(Team_Aktiv, p);
    const f64 voll = konto();
    icon_klicken(ICON_LAGER_LOS);
    EXPECT_FALSE(Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF));
    EXPECT_EQ(konto(), voll);
    kit::Frames(1);
    EXPECT_TRUE(kit::Text(lager(25)));
}

TEST_F(Lager, AbreiseLaufUndErgebnisse) {
    oeffnen();
    const std::vector<i32> k = kader();
    ASSERT_GE(k.size(), 4u);
    // One player at morale 6, one injured, one at top exhaustion.
    setzen(MORAL, k[0], 6);
    setzen(STATUS, k[1], static_cast<i32>(VERLETZT));
    setzen(ERSCHOEPFUNG, k[2], 9);
    std::vector<i32> moral, erschoepfung;
    for (i32 p : k) moral.push_back(wert(MORAL, p)), erschoepfung.push_back(wert(ERSCHOEPFUNG, p));
    const i32 c = Trainings_Lager_Gezeigt();
    const f64 vorher = konto();
    kit::Spur_Leeren();
    icon_klicken(ICON_LAGER_LOS);
    ASSERT_TRUE(Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF));
    EXPECT_EQ(konto(), vorher - Global_Trainingslager_Kosten(c));
    const Zeichenspur_Eintrag* v = video(c, "start");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->x, 71);
    EXPECT_EQ(v->y, 92);
    // Forty seconds of camp, then the end button.
    for (int i = 0; i < 400 && Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF); ++i) kit::Frames(1, 100);
    png_mit_video("training_lager_lauf");
    if (Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF)) icon_klicken(ICON_LAUF_ENDE);
    if (kit::Requester_Offen()) kit::Requester_Antworten(true);
    // The run's table is gone before the results' table comes (they share the blocker's number).
    EXPECT_FALSE(Menue_Screen_Icon_Ist_Vorhanden(ICON_LAUF_PANEL));
    EXPECT_FALSE(Menue_Screen_Icon_Ist_Vorhanden(ICON_LAUF_ENDE));
    EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_ERGEBNIS_RAHMEN));
    EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_LAUF_BLOCKER));
    for (size_t i = 0; i < k.size(); ++i) {
        const i32 p = k[i];
        const i32 m = wert(MORAL, p), e = wert(ERSCHOEPFUNG, p);
        if (i == 1) {
            EXPECT_EQ(m, moral[i]);
            EXPECT_EQ(e, erschoepfung[i]);
            continue;
        }
        EXPECT_GE(m, moral[i]) << i;  // a camp never lowers morale
        EXPECT_LE(m - moral[i], 3) << i;
        EXPECT_LE(m, std::max(moral[i], LAGER_MORAL_MAX)) << i;
        EXPECT_GE(e, 0) << i;
        EXPECT_EQ(e % 2, 0) << i;
        EXPECT_LE(e / 2, erschoepfung[i] / 2) << i;
    }
    EXPECT_EQ(wert(MORAL, k[0]), 6);
    // Every row drawn, the morale-6 player's with its grade's name.
    kit::Spur_Leeren();
    kit::Frames(1);
    for (i32 p : k) EXPECT_TRUE(kit::Text(Spieler_String(63, p, nullptr, 0))) << p;
    EXPECT_TRUE(kit::Text(Status_Text(6)));
    // The rows begin under the header's gold rule (the frame's top + 48)
    // with air between: no badge and no text of a row touches it.
    const Screen_Icon* rahmen = Menue_Screen_Icon_Aus_Nummer(ICON_ERGEBNIS_RAHMEN);
    ASSERT_TRUE(rahmen);
    const i32 regel = rahmen->y + 48;
    i32 zeilen = 0;
    bool ueber_rahmen = false;  // drawn after the frame: the results' own
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege()) {
        if (e.art == SPUR_BLIT && e.grafik == GRAFIK_LAGER_ERGEBNIS) ueber_rahmen = true;
        if (!ueber_rahmen) continue;
        const Font* f = e.art == SPUR_TEXT ? Font_Tabelle_Holen(e.font) : nullptr;
        const i32 oben = f ? e.y - f->hoehe : e.y, unten = f ? e.y : e.y + e.hoehe;
        if ((e.art != SPUR_TEXT && e.art != SPUR_BLIT) || e.ziel != Screen_Rastport || unten <= regel) continue;
        if (e.art == SPUR_BLIT && e.breite > 100) continue;  // the frame
        if (e.art == SPUR_TEXT && e.sichtbar.empty()) continue;
        EXPECT_GE(oben, regel + 4) << (e.art == SPUR_TEXT ? e.sichtbar : std::to_string(e.grafik));
        ++zeilen;
    }
    EXPECT_GT(zeilen, 20);
    kit::Png("training_lager_ergebnis");
    icon_klicken(ICON_ERGEBNIS_RAHMEN);
    EXPECT_FALSE(Menue_Screen_Icon_Ist_Vorhanden(ICON_ERGEBNIS_RAHMEN));
    EXPECT_FALSE(Menue_Screen_Icon_Ist_Vorhanden(ICON_LAUF_BLOCKER));
}

// The results' condition column shows each player's condition as it stands
// after the camp, in the picture the squad list shows for it (levels 0..4:
// fresh to worn out), not the change since the start.
TEST_F(Lager, ErgebnisZeigtDieKonditionWieDerKader) {
    oeffnen();
    const std::vector<i32> k = kader();
    ASSERT_GE(k.size(), 5u);
    constexpr i32 BILD[5] = {24043, 24044, 24045, 24042, 24046};
    for (size_t i = 0; i < k.size(); ++i) setzen(ERSCHOEPFUNG, k[i], static_cast<i32>(2 * (i % 5)));
    icon_klicken(ICON_LAGER_LOS);
    ASSERT_TRUE(Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF));
    for (int i = 0; i < 400 && Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF); ++i) kit::Frames(1, 100);
    if (Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF)) icon_klicken(ICON_LAUF_ENDE);
    if (kit::Requester_Offen()) kit::Requester_Antworten(true);
    ASSERT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_ERGEBNIS_RAHMEN));
    kit::Spur_Leeren();
    kit::Frames(1);
    std::vector<i32> bilder;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        if (e.art == SPUR_BLIT && e.x == 500 && e.grafik >= 24042 && e.grafik <= 24046) bilder.push_back(e.grafik);
    const Lager_Lauf& l = Trainings_Lager_Lauf();
    std::vector<i32> soll;
    for (i32 i = 0; i < l.anzahl; ++i) soll.push_back(BILD[std::clamp(Spieler_Get_Erschoepfung(l.kader[i]), 0, 4)]);
    std::sort(bilder.begin(), bilder.end());
    std::sort(soll.begin(), soll.end());
    EXPECT_EQ(bilder, soll);
    EXPECT_NE(std::find(soll.begin(), soll.end(), BILD[0]), soll.end());
    // The squad list draws the same picture for the same player.
    icon_klicken(ICON_ERGEBNIS_RAHMEN);
    ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 0));
    kit::Spur_Leeren();
    kit::Frames(2);
    std::vector<i32> kaderbilder;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        if (e.art == SPUR_BLIT && e.grafik >= 24042 && e.grafik <= 24046) kaderbilder.push_back(e.grafik);
    for (i32 i = 0; i < l.anzahl; ++i) {
        const i32 stufe = std::clamp(Spieler_Get_Erschoepfung(l.kader[i]), 0, 4);
        EXPECT_NE(std::find(kaderbilder.begin(), kaderbilder.end(), BILD[stufe]), kaderbilder.end()) << i;
    }
}

TEST_F(Lager, GefahrVerletztNurSpielerDesKaders) {
    oeffnen();
    const std::vector<i32> k = kader();
    for (size_t i = 3; i < k.size(); ++i) Team_Kader_Entfernen(Team_Aktiv, k[i]);
    for (i32 p : k) setzen(STATUS, p, 0);
    Trainings_Lager_Run_Screen_Init(0);
    Lager_Lauf& l = Trainings_Lager_Lauf();
    ASSERT_EQ(l.anzahl, 3);
    Global_Param.training_lager_verletzung = 100;
    u32 t = l.letzter_takt;
    for (int i = 0; i < 300; ++i) {
        l.balken[1].position = 20;  // deep in danger
        l.balken[1].zustand = 5;
        t += 101;
        Trainings_Lager_Takt(t);
        if (l.beendet) break;
    }
    EXPECT_TRUE(Trainings_Lager_Gefahr() || l.beendet);
    i32 verletzt = 0;
    for (size_t i = 0; i < k.size(); ++i)
        if (static_cast<u32>(wert(STATUS, k[i])) & VERLETZT) {
            EXPECT_LT(i, 3u) << "nur Spieler des Kaders";
            ++verletzt;
        }
    EXPECT_GT(verletzt, 0);
    // Messages are kept only while there is a place.
    for (auto& m : l.meldung) m.spieler = 1;
    EXPECT_FALSE(Trainings_Lager_Melden(k[0], 0, 1));
}

// The camp's course goes in steps: the same camp from the same state ends
// alike whether the frames come every 16 ms, every 250 ms or unevenly with
// a stall of three seconds: the squad's values, the strength bar and the
// shared table's cursor.
TEST_F(Lager, VerlaufFolgtDenSchrittenNichtDerUhr) {
    oeffnen();
    const std::vector<i32> k = kader();
    ASSERT_GE(k.size(), 4u);
    std::vector<Spieler_Struktur> vorher;
    for (i32 p : k) vorher.push_back(Spieler_Daten[p]);
    const u32 cursor = Rnd_Get_Index();
    struct Ausgang {
        std::vector<std::array<i32, 5>> werte;
        u32 schritte = 0, zufall = 0;
        i32 staerke_balken = 0;
    };
    constexpr u32 DAUER = 24000;
    // A camp of DAUER ms with the frames' gaps taken in turn from `abstaende`,
    // then the end button.
    auto spielen = [&](std::initializer_list<u32> abstaende) {
        for (size_t i = 0; i < k.size(); ++i) Spieler_Daten[k[i]] = vorher[i];
        Rnd_Set_Index(static_cast<i32>(cursor), 0);
        Trainings_Lager_Run_Screen_Init(0);
        Lager_Lauf& l = Trainings_Lager_Lauf();
        const u32 uhr = l.letzter_takt;
        u32 t = 0;
        for (size_t i = 0; !l.beendet; ++i) {
            t = std::min(DAUER, t + abstaende.begin()[i % abstaende.size()]);
            Trainings_Lager_Takt(uhr + t);
            if (t == DAUER) break;
        }
        Ausgang a;
        a.schritte = l.schritt;
        a.staerke_balken = l.balken[2].position;
        Trainings_Lager_Ende();
        for (i32 p : k)
            a.werte.push_back({wert(MORAL, p), wert(ERSCHOEPFUNG, p), wert(STAERKE, p), wert(MAX, p), wert(STATUS, p)});
        a.zufall = Rnd_Get_Index();
        Trainings_Lager_Ergebnis_Schliessen();
        return a;
    };
    const Ausgang a = spielen({16}), b = spielen({250}), c = spielen({7, 301, 2900, 55});
    EXPECT_GT(a.schritte, 100u);
    for (const Ausgang* x : {&b, &c}) {
        EXPECT_EQ(x->schritte, a.schritte);
        EXPECT_EQ(x->staerke_balken, a.staerke_balken);
        EXPECT_EQ(x->zufall, a.zufall);
        for (size_t i = 0; i < k.size(); ++i) EXPECT_EQ(x->werte[i], a.werte[i]) << "Spieler " << k[i];
    }
}

// --- The videos ----------------------------------------------------------------------------

// Contact sheets of the training videos: two camps, the heart and the
// medical cart, the drills of attributes 0..9, star training and the
// goalkeepers; then the learned-attribute film's opening and parts.
TEST_F(Training, Filmbogen) {
    Rastport* s = Screen_Rastport;
    ASSERT_TRUE(s && s->bitmap);
    std::fill(s->bitmap->pixel16(), s->bitmap->pixel16() + s->breite * s->hoehe, u16{0x0863});
    EXPECT_TRUE(video_bild(1, 20, 0, 0));
    EXPECT_TRUE(video_bild(5, 30, 302, 0));
    EXPECT_TRUE(video_bild(10, 5, 626, 10));
    EXPECT_TRUE(video_bild(9, 15, 626, 100));
    const i32 drills[12] = {11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 51, 52};
    for (i32 i = 0; i < 12; ++i) EXPECT_TRUE(video_bild(drills[i], 10, 8 + 158 * (i % 5), 214 + 90 * (i / 5))) << drills[i];
    kit::Png("training_filme");
    std::fill(s->bitmap->pixel16(), s->bitmap->pixel16() + s->breite * s->hoehe, u16{0x0863});
    const i32 teile[4] = {60, Training_Film_Anfang(5) + 20, Training_Film_Anfang(47) + 20, Training_Film_Anfang(53) + 30};
    for (i32 i = 0; i < 4; ++i) EXPECT_TRUE(video_bild(VIDEO_GELERNT, teile[i], 40 + 400 * (i % 2), 40 + 280 * (i / 2)));
    kit::Png("training_film_gelernt");
}

// --- A turn of training through the screens ---------------------------------------------

TEST_F(Plan, EinTrainingsZugDurchDieScreens) {
    oeffnen();
    const i32 p = Spieler_Training_Gewaehlt();
    nur_14(p);
    nur_band(4);  // a fall costs nothing: the values below move only by the camp
    setzen(MORAL, p, 4);
    setzen(ERSCHOEPFUNG, p, 6);
    // The exhaustion picture the card shows for his value.
    auto erschoepfung_bild = [&] {
        static constexpr i32 BILD[5] = {2, 3, 4, 0, 1};
        return GRAFIK_KARTE_ERSCHOEPFUNG + BILD[std::clamp(Spieler_Get_Erschoepfung(p), 0, 4)];
    };
    // What the card shows of him before: no training, no learned attribute.
    const char* kein_training = Text_cfg_Text(TEXT_SPIELER_INFO, 22);
    auto karte = [&](const char* png) {
        // A right click on his row opens the card.
        i32 zeile = 0;
        while (zeile < 19 && Spieler_Training_Zeilen_Spieler(zeile) != p) ++zeile;
        const Screen_Icon* z = Menue_Screen_Icon_Aus_Nummer(ICON_PLAN_ZEILE + zeile);
        EXPECT_TRUE(z);
        kit::Warten(300);
        if (z) kit::Klick(z->x + 40, z->y + 8, MAUS_RECHTS);
        kit::Frames(2);
        EXPECT_TRUE(Spieler_Info_Offen());
        EXPECT_EQ(Spieler_Info_Spieler(), p);
        kit::Spur_Leeren();
        kit::Frames(1);
        kit::Png(png);
    };
    karte("training_karte_vorher");
    EXPECT_TRUE(kit::Text_Auf_Zeile(kein_training, 380));
    EXPECT_FALSE(kit::Grafik_Bei(GRAFIK_ATTRIBUT_KARTE + 14, 176, 328));
    EXPECT_TRUE(kit::Grafik_Bei(erschoepfung_bild(), 166 + 4, 230 + 4));
    const i32 erschoepfung_vorher = wert(ERSCHOEPFUNG, p);
    icon_klicken(ICON_KARTE_SCHLIESSEN);
    ASSERT_FALSE(Spieler_Info_Offen());

    // Train the attribute to the end of its film.
    icon_klicken(ICON_PLAN_TRAINIEREN);
    ASSERT_TRUE(Screen_Offen(Screen_Id::TRAININGSFILM));
    kit::Png("training_film");
    bis_gelernt(p, "training_film_ende");
    EXPECT_EQ(wert(EINHEITEN, p), 1);
    // The automatic training on: the sheet's switch shows it.
    icon_klicken(ICON_PLAN_AUTO);
    EXPECT_EQ(Manager_Icon_Button_Lesen(Team_Aktiv, ICON_AUTOMATISCHES_TRAINING), 1u);
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_PLAN_AUTO_AN, 280, 540));
    // The talents tree shows the attribute learned.
    icon_klicken(ICON_PLAN_TALENTE);
    ASSERT_TRUE(Screen_Offen(Screen_Id::TALENTE));
    kit::Maus(33 + 50 * 0 + 18, 272 + 18);
    kit::Frames(3);
    kit::Png("training_talente");
    icon_klicken(ICON_TALENTE_ZU);
    // Off to the camp; the morale and exhaustion it leaves are what the card shows.
    ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 5));
    kit::Frames(5);
    icon_klicken(ICON_LAGER_LOS);
    ASSERT_TRUE(Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF));
    kit::Frames(200, 100);
    if (Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF)) icon_klicken(ICON_LAUF_ENDE);
    if (kit::Requester_Offen()) kit::Requester_Antworten(true);
    ASSERT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_ERGEBNIS_RAHMEN));
    kit::Frames(2);
    icon_klicken(ICON_ERGEBNIS_RAHMEN);
    EXPECT_GE(wert(MORAL, p), 4);
    // Back on the sheet, his card: the learned attribute's picture, no
    // training, and the exhaustion step the camp left.
    ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 4));
    kit::Frames(10);
    karte("training_karte_nachher");
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_ATTRIBUT_KARTE + 14, 176, 328));
    EXPECT_TRUE(kit::Text_Auf_Zeile(kein_training, 380));
    EXPECT_TRUE(kit::Grafik_Bei(erschoepfung_bild(), 166 + 4, 230 + 4)) << wert(ERSCHOEPFUNG, p);
    EXPECT_LE(wert(ERSCHOEPFUNG, p) / 2, erschoepfung_vorher / 2);
}

}  // namespace

namespace {

// The sheet's rows' attribute badges are named in the right column under
// the slots.
TEST_F(Plan, FaehigkeitenMarkenBenannt) {
    oeffnen();
    kit::Spur_Leeren();
    kit::Frames(1);
    Legende_Erklaert(GRAFIK_ATTRIBUT, {8, 136, 380, 520}, {{488, 340, 791, 412}}, 15, GRAFIK_ATTRIBUT_GEWAEHLT);
}

// Every row badge of the sheet names its attribute when the mouse rests on it.
TEST_F(Plan, FaehigkeitenMarkenMitHilfe) {
    oeffnen();
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_GE(Marken_Hilfe_Pruefen(GRAFIK_ATTRIBUT, {8, 136, 380, 520}, GRAFIK_ATTRIBUT_GEWAEHLT), 6u);
}

}  // namespace

namespace {

// A sheet row's three attribute badges stand side by side, the one in
// training after them, none over another or over the percentage.
TEST_F(Plan, FaehigkeitenMarkenDerZeileNebeneinander) {
    oeffnen();
    i32 s[MAX_SPIELER_PRO_TEAM];
    const i32 n = Teamspieler_Ins_Array(Team_Aktiv, s, MAX_SPIELER_PRO_TEAM, 0);
    i32 p = -1;
    for (i32 i = 0; i < n && p < 0; ++i)
        if (Spieler_Wert(67, s[i], 0, OP_LESEN) != 0) p = s[i];
    ASSERT_GE(p, 0);
    for (i32 a = 0; a < ATTRIBUT_ANZAHL; ++a) Spieler_Wert(a, p, 0, OP_SCHREIBEN);
    // The row's four badges are the only ones of these attributes on the sheet.
    for (i32 i = 0; i < n; ++i)
        if (s[i] != p)
            for (i32 a : {0, 1, 2, 3}) Spieler_Wert(a, s[i], 0, OP_SCHREIBEN);
    for (i32 a : {0, 1, 2}) Spieler_Wert(a, p, Attribut_Noetig(a) + 1, OP_SCHREIBEN);
    ASSERT_GT(Attribut_Noetig(3), 5);
    Spieler_Wert(3, p, 5, OP_SCHREIBEN);
    ASSERT_EQ(Attribute_Get_Attribut_In_Ausbildung(p), 3);
    kit::Spur_Leeren();
    kit::Frames(1);
    std::vector<const Zeichenspur_Eintrag*> marken;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        for (i32 basis : {GRAFIK_ATTRIBUT, GRAFIK_ATTRIBUT_GEWAEHLT})
            if (e.art == SPUR_BLIT && e.x < 470 && (e.grafik == basis + 0 || e.grafik == basis + 1 ||
                                                    e.grafik == basis + 2 || e.grafik == basis + 3))
                marken.push_back(&e);
    ASSERT_EQ(marken.size(), 4u);
    std::sort(marken.begin(), marken.end(), [](auto* a, auto* b) { return a->x < b->x; });
    for (size_t i = 1; i < marken.size(); ++i) {
        EXPECT_EQ(marken[i]->y, marken[0]->y);
        EXPECT_GE(marken[i]->x, marken[i - 1]->x + marken[i - 1]->breite) << i;
    }
    EXPECT_EQ(marken.back()->grafik, GRAFIK_ATTRIBUT + 3) << "the one in training last";
    // The percentage starts after the last badge, even at its widest.
    const Zeichenspur_Eintrag* prozent = nullptr;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        if (e.art == SPUR_TEXT && e.sichtbar.find('%') != std::string::npos && e.y - 12 < marken[0]->y + 16 &&
            e.y > marken[0]->y)
            prozent = &e;
    ASSERT_TRUE(prozent);
    Font* f = Font_Tabelle_Holen(prozent->font);
    ASSERT_TRUE(f);
    const i32 rechts = prozent->x + 422;
    EXPECT_LE(marken.back()->x + marken.back()->breite, rechts - Font_Text_Breite(f, "99%"));
}

}  // namespace

// The load and save screens in a new game with two human managers: saving
// into a slot with a typed description and loading it back, the slot clicks
// of both screens, the save without a chosen slot (the first free one, the
// autosave's slot last), closing with the right click, a damaged slot, a save into a folder
// that refuses the file, and the ways in from the match control bar.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/files.h"
#include "base/globals.h"
#include "base/spielstand.h"
#include "grafik_nummern.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "kit.h"
#include "platform/keys.h"
#include "screens/club/spielstand.h"
#include "screens/screens.h"
#include "season/kalender_zug.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

namespace fs = std::filesystem;

i32 zeile_y(i32 r) { return DISK_ZEILE_Y0 + DISK_ZEILE_H * r + 13; }
constexpr i32 LISTE_X = 400;

std::string datei(i32 slot) { return W32_Pfad_Uebersetzen(Spielstand_Pfad(slot)); }

std::string lesen(const std::string& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// Types the text; capitals with the shift key held, as a player types them.
void tippen(const char* text) {
    for (const char* c = text; *c; ++c) {
        const bool gross = *c >= 'A' && *c <= 'Z';
        if (gross) Eingabe_Taste(VK_SHIFT, true);
        const char zeichen[2] = {*c, 0};
        kit::Tippen(zeichen);
        if (gross) Eingabe_Taste(VK_SHIFT, false);
    }
}

bool meldung_mit(const char* teil) {
    for (const std::string& m : kit::Meldungen())
        if (m.find(teil) != std::string::npos) return true;
    return false;
}

class Spielstand_Screens : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(2));
        Disk_Screen_Set_Gewaehlt(-1);
    }
    void TearDown() override { kit::Beenden(); }

    void laden_oeffnen() {
        ASSERT_TRUE(kit::Hauptmenue_Eintrag(3, 0));
        ASSERT_TRUE(Screen_Offen(Screen_Id::LADEN));
        kit::Frames(2);
    }
    void speichern_oeffnen() {
        ASSERT_TRUE(kit::Hauptmenue_Eintrag(3, 1));
        ASSERT_TRUE(Screen_Offen(Screen_Id::SPEICHERN));
        kit::Frames(2);
    }
    void knopf(i16 nummer) {
        const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
        ASSERT_TRUE(i) << nummer;
        kit::Klick(i->x + i->w / 2, i->y + i->h / 2);
    }
    // The calendar's next pass carries out the request; its notice is answered.
    void kalender_pass() {
        Kalender_Taste(0);
        kit::Frames(1);
        while (kit::Requester_Offen()) kit::Requester_Antworten(true);
    }
    // Saves through the save screen into the slot with the description.
    void speichern_in(i32 slot, const char* text) {
        speichern_oeffnen();
        kit::Klick(LISTE_X, zeile_y(slot));
        for (int i = 0; i < 30; ++i) kit::Taste(VK_BACK);
        tippen(text);
        kit::Taste(VK_RETURN);
        kit::Klick(100, 40);  // the next event saves
        ASSERT_FALSE(Screen_Offen(Screen_Id::SPEICHERN));
        kalender_pass();
    }
};

TEST_F(Spielstand_Screens, SpeichernMitBeschreibungUndZurueckLaden) {
    speichern_in(3, "Testspiel");
    ASSERT_TRUE(fs::exists(datei(3)));
    Spielstand_Beschreibung b;
    ASSERT_EQ(Spielstand_Get_Beschreibung(3, &b), 1);
    EXPECT_STREQ(b.text, "Testspiel");
    EXPECT_STREQ(b.manager, Team_String(300, static_cast<i32>(b.team), nullptr, 0));
    EXPECT_GT(b.manager[0], 0);
    EXPECT_STREQ(b.verein, Team_String(722, static_cast<i32>(b.team), nullptr, 0));
    EXPECT_TRUE(meldung_mit("Platz 4 gespeichert"));

    // The load screen lists it with manager, club and crest; the chosen slot is kept.
    EXPECT_EQ(Disk_Screen_Gewaehlt(), 3);
    Disk_Screen_Set_Gewaehlt(-1);
    laden_oeffnen();
    kit::Maus(700, 300);
    kit::Spur_Leeren();
    kit::Frames(1);
    const Zeichenspur_Eintrag* t = kit::Text_Auf_Zeile("Testspiel", 200 + 27 * 3);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->font, 9);
    EXPECT_EQ(t->farbe, FARBE_WEISS);
    EXPECT_TRUE(kit::Text_Auf_Zeile(b.manager, 200 + 27 * 3));
    // The team's strength in half steps with a decimal comma, as everywhere.
    EXPECT_TRUE(kit::Text_Auf_Zeile(Team_Halbwert_String(static_cast<i32>(b.staerke)), 200 + 27 * 3));
    EXPECT_TRUE(kit::Text("Spiel laden"));
    bool wappen = false;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        wappen |= e.art == SPUR_BLIT && e.x == 249 && e.y == 185 + 27 * 3 && e.breite == 21 && e.hoehe == 21;
    EXPECT_TRUE(wappen);
    // Slot 9 (empty) is grey, the others white.
    ASSERT_TRUE(kit::Text_Auf_Zeile("leer", 200 + 27 * 9));
    EXPECT_EQ(kit::Text_Auf_Zeile("leer", 200 + 27 * 9)->farbe, FARBE_GRAU);
    EXPECT_EQ(kit::Text_Auf_Zeile("leer", 200 + 27 * 0)->farbe, FARBE_WEISS);
    kit::Png("laden");

    // What changed after the save is undone by the load.
    const std::string name = Team_String(721, static_cast<i32>(b.team), nullptr, 0);
    char neu[] = "Umbenannt";
    Team_String(721, static_cast<i32>(b.team), neu, 1);
    ASSERT_STREQ(Team_String(721, static_cast<i32>(b.team), nullptr, 0), "Umbenannt");
    kit::Klick(LISTE_X, zeile_y(3));
    EXPECT_EQ(Disk_Screen_Gewaehlt(), 3);
    knopf(ICON_LADEN_KNOPF);
    EXPECT_FALSE(Screen_Offen(Screen_Id::LADEN));
    kit::Meldungen_Leeren();
    kalender_pass();
    EXPECT_STREQ(Spielstand_Letzter_Fehler(), "");
    EXPECT_EQ(Spielstand_Get_Letzter(), 3);
    EXPECT_EQ(Team_String(721, static_cast<i32>(b.team), nullptr, 0), name);
}

TEST_F(Spielstand_Screens, SpeichernGezeichnet) {
    speichern_in(2, "Vor dem Derby");
    speichern_oeffnen();
    kit::Klick(LISTE_X, zeile_y(4));
    tippen("Nach dem Derby");
    kit::Maus(LISTE_X, zeile_y(6));
    kit::Frames(40);  // the dialog's pop-up slides shut behind the screen
    kit::Spur_Leeren();
    kit::Frames(1);
    ASSERT_TRUE(kit::Text("Spiel speichern"));
    EXPECT_EQ(kit::Text("Spiel speichern")->font, 11);
    // The chosen slot's text is the input field's; the others are printed.
    EXPECT_TRUE(kit::Text_Auf_Zeile("Vor dem Derby", 200 + 27 * 2));
    EXPECT_TRUE(kit::Text("Nach dem Derby"));
    EXPECT_FALSE(kit::Text_Auf_Zeile("leer", 200 + 27 * 4));
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_DISK_GEWAEHLT, 300, zeile_y(4)));
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_DISK_ZEILE, 300, zeile_y(6)));
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_DISK_KNOPF, 700, 380));
    kit::Png("speichern");
}

TEST_F(Spielstand_Screens, SlotKlicks) {
    speichern_in(2, "Zwei");
    kit::Meldungen_Leeren();
    struct Fall {
        bool speichern;
        i32 vorher, zeile, nachher;
        const char* meldung;
    } faelle[] = {
        {false, -1, 2, 2, nullptr},                    // a used slot is chosen
        {false, 2, 2, -1, nullptr},                    // the chosen slot again: deselected
        {false, -1, 5, -1, nullptr},                   // an empty slot cannot be chosen for loading
        {true, -1, 5, 5, nullptr},                     // but for saving
        {true, 5, 5, 5, nullptr},                      // the chosen slot again stays chosen
        {true, 5, 9, 5, "automatischen Speicherung"},  // the autosave's slot is refused
    };
    for (const Fall& f : faelle) {
        Disk_Screen_Set_Gewaehlt(f.vorher);
        f.speichern ? speichern_oeffnen() : laden_oeffnen();
        kit::Meldungen_Leeren();
        kit::Klick(LISTE_X, zeile_y(f.zeile));
        EXPECT_EQ(Disk_Screen_Gewaehlt(), f.nachher) << f.speichern << " " << f.zeile;
        EXPECT_EQ(f.meldung != nullptr, !kit::Meldungen().empty()) << f.zeile;
        if (f.meldung) {
            EXPECT_TRUE(meldung_mit(f.meldung));
        }
        while (kit::Requester_Offen()) kit::Requester_Antworten(true);
        knopf(f.speichern ? ICON_SPEICHERN_ABBRECHEN : ICON_LADEN_ABBRECHEN);
        EXPECT_FALSE(Screen_Offen(f.speichern ? Screen_Id::SPEICHERN : Screen_Id::LADEN));
    }
    // Load pressed with nothing chosen: a message, the screen stays.
    Disk_Screen_Set_Gewaehlt(-1);
    laden_oeffnen();
    knopf(ICON_LADEN_KNOPF);
    EXPECT_TRUE(meldung_mit("zuerst einen Spielstand"));
    while (kit::Requester_Offen()) kit::Requester_Antworten(true);
    EXPECT_TRUE(Screen_Offen(Screen_Id::LADEN));
}

// A save with nothing chosen takes the first free slot of 0..9: with 0..8
// in use that is the autosave's slot 9; with all ten in use a message, the
// screen stays and nothing is written.
TEST_F(Spielstand_Screens, OhneWahlDerErsteFreiePlatzBisZumNeunten) {
    speichern_in(0, "Null");
    for (i32 s = 1; s < 9; ++s) fs::copy_file(datei(0), datei(s), fs::copy_options::overwrite_existing);
    const std::string acht = lesen(datei(8));
    kit::Meldungen_Leeren();
    Disk_Screen_Set_Gewaehlt(-1);
    speichern_oeffnen();
    knopf(ICON_SPEICHERN_KNOPF);
    EXPECT_FALSE(meldung_mit("Alle Plätze sind belegt"));
    EXPECT_FALSE(Screen_Offen(Screen_Id::SPEICHERN));
    EXPECT_EQ(Disk_Screen_Gewaehlt(), 9);
    kalender_pass();
    Spielstand_Beschreibung b;
    ASSERT_EQ(Spielstand_Get_Beschreibung(9, &b), 1) << "slot 9 taken when 0..8 are in use";
    EXPECT_STREQ(b.text, "Spielstand 10");
    EXPECT_EQ(lesen(datei(8)), acht) << "a used slot is not written";
    // All ten in use: a message, the screen stays, nothing chosen or written.
    const std::string neun = lesen(datei(9));
    kit::Frames(40);  // the dialog's pop-up slides shut
    kit::Meldungen_Leeren();
    Disk_Screen_Set_Gewaehlt(-1);
    speichern_oeffnen();
    knopf(ICON_SPEICHERN_KNOPF);
    EXPECT_TRUE(meldung_mit("Alle Plätze sind belegt"));
    while (kit::Requester_Offen()) kit::Requester_Antworten(true);
    EXPECT_TRUE(Screen_Offen(Screen_Id::SPEICHERN));
    EXPECT_EQ(Disk_Screen_Gewaehlt(), -1);
    kalender_pass();
    EXPECT_EQ(lesen(datei(9)), neun);
    knopf(ICON_SPEICHERN_ABBRECHEN);
    // With slot 4 free it is taken, with the default description.
    fs::remove(datei(4));
    speichern_oeffnen();
    knopf(ICON_SPEICHERN_KNOPF);
    EXPECT_FALSE(Screen_Offen(Screen_Id::SPEICHERN));
    EXPECT_EQ(Disk_Screen_Gewaehlt(), 4);
    kalender_pass();
    ASSERT_EQ(Spielstand_Get_Beschreibung(4, &b), 1);
    EXPECT_STREQ(b.text, "Spielstand 5");  // slot 4 is "Platz 5"
}

TEST_F(Spielstand_Screens, RechtsklickSchliesstBeide) {
    for (Screen_Id id : {Screen_Id::LADEN, Screen_Id::SPEICHERN}) {
        id == Screen_Id::LADEN ? laden_oeffnen() : speichern_oeffnen();
        kit::Klick(LISTE_X, zeile_y(1), MAUS_RECHTS);
        kit::Frames(2);
        EXPECT_FALSE(Screen_Offen(id)) << static_cast<i32>(id);
    }
    // A right click in the description field does not save.
    Disk_Screen_Set_Gewaehlt(1);
    speichern_oeffnen();
    kit::Tippen("x");
    kit::Klick(100, 200 + 27 * 1 - 5, MAUS_RECHTS);
    kalender_pass();
    EXPECT_FALSE(fs::exists(datei(1)));
}

TEST_F(Spielstand_Screens, BeschaedigterSlot) {
    { std::ofstream(datei(5), std::ios::binary) << "kein Spielstand"; }
    laden_oeffnen();
    kit::Spur_Leeren();
    kit::Frames(1);
    const Zeichenspur_Eintrag* t = kit::Text_Auf_Zeile("beschädigt", 200 + 27 * 5);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->farbe, FARBE_FEHLER);
    EXPECT_EQ(Disk_Screen_Slot_Zustand(5), Disk_Slot_Zustand::BESCHAEDIGT);
    EXPECT_EQ(Disk_Screen_Slot_Zustand(6), Disk_Slot_Zustand::LEER);
    kit::Png("laden_beschaedigt");
    kit::Klick(LISTE_X, zeile_y(5));
    EXPECT_EQ(Disk_Screen_Gewaehlt(), -1);
    // Chosen by other means, a refresh drops it and nothing is loaded.
    Disk_Screen_Set_Gewaehlt(5);
    knopf(ICON_LADEN_KNOPF);
    EXPECT_TRUE(Screen_Offen(Screen_Id::LADEN));
    EXPECT_TRUE(meldung_mit("zuerst einen Spielstand"));
    while (kit::Requester_Offen()) kit::Requester_Antworten(true);
    // The save screen may overwrite it.
    knopf(ICON_LADEN_ABBRECHEN);
    speichern_in(5, "Repariert");
    Disk_Screen_Slots_Aktualisieren();
    EXPECT_EQ(Disk_Screen_Slot_Zustand(5), Disk_Slot_Zustand::BELEGT);
    Spielstand_Beschreibung b;
    ASSERT_EQ(Spielstand_Get_Beschreibung(5, &b), 1);
    EXPECT_STREQ(b.text, "Repariert");
}

TEST_F(Spielstand_Screens, SchreibgeschuetzterOrdnerBehaeltAltenStand) {
    speichern_in(3, "Alt");
    const std::string alt = lesen(datei(3));
    ASSERT_FALSE(alt.empty());
    // The folder refuses new files (root ignores the mode: the temporary
    // file's place is taken as well).
    const fs::path ordner = fs::path(datei(3)).parent_path();
    fs::create_directory(datei(3) + ".tmp");
    chmod(ordner.c_str(), 0555);
    kit::Meldungen_Leeren();
    speichern_in(3, "Neu");
    chmod(ordner.c_str(), 0755);
    fs::remove(datei(3) + ".tmp");
    EXPECT_TRUE(meldung_mit("nicht gespeichert werden"));
    EXPECT_TRUE(meldung_mit("schreibgeschützt"));
    EXPECT_FALSE(meldung_mit("Platz 4 gespeichert"));
    EXPECT_EQ(lesen(datei(3)), alt);
}

TEST_F(Spielstand_Screens, StandardBeschreibungUndAutosaveText) {
    char aus[30];
    struct Fall {
        i32 gewaehlt;
        const char* erwartet;
    } faelle[] = {{-1, "Spielstand 10"}, {6, "Spielstand 7"}, {0, "Spielstand 1"}};  // as the list counts: "Platz 1" is slot 0
    for (const Fall& f : faelle) {
        Disk_Screen_Set_Gewaehlt(f.gewaehlt);
        Disk_Screen_Get_Spielstand_Name(aus);
        EXPECT_STREQ(aus, f.erwartet);
    }
    Disk_Screen_Get_Spielstand_Name(nullptr);
    Spielstand_Beschreibung b;
    Disk_Screen_Beschreibung(&b, 1);
    EXPECT_STREQ(b.text, "Automatisch gespeichert");
    EXPECT_EQ(b.team, static_cast<u32>(Team_Aktiv));
}

TEST_F(Spielstand_Screens, AusDerKontrollleiste) {
    struct Fall {
        i16 icon;
        Screen_Id id;
        i16 abbrechen;
    } faelle[] = {{ICON_LEISTE_LADEN, Screen_Id::LADEN, ICON_LADEN_ABBRECHEN},
                  {ICON_LEISTE_SPEICHERN, Screen_Id::SPEICHERN, ICON_SPEICHERN_ABBRECHEN}};
    for (const Fall& f : faelle) {
        Menue_Kontrollleiste_Zeigen();
        kit::Frames(1);
        knopf(f.icon);
        EXPECT_TRUE(Screen_Offen(f.id));
        EXPECT_TRUE(Menue_Get_Spiel_Pause());
        knopf(f.abbrechen);
        EXPECT_FALSE(Screen_Offen(f.id));
        EXPECT_FALSE(Menue_Get_Spiel_Pause());
    }
}

}  // namespace

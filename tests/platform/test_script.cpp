// The input script's reader: every command, and mistakes reported with their
// line number while the previous script stays in force.
#include <gtest/gtest.h>

#include <string>

#include "platform/input.h"
#include "platform/keys.h"
#include "platform/script.h"

namespace {

Eingabe_Skript Lesen(const std::string& text) {
    Eingabe_Skript s;
    std::string fehler;
    EXPECT_TRUE(s.Parsen(text, 20, &fehler)) << fehler;
    return s;
}

std::string Fehler(const std::string& text) {
    Eingabe_Skript s;
    std::string fehler;
    EXPECT_FALSE(s.Parsen(text, 20, &fehler)) << text;
    return fehler;
}

}  // namespace

TEST(Skript, AlleBefehle) {
    Eingabe_Skript s = Lesen(
        "# a comment\n"
        "\n"
        "move 10 20\n"
        "press left\n"
        "release right   # trailing comment\n"
        "click left\n"
        "click right 5 -6\n"
        "wheel -2\n"
        "keydown shift\n"
        "keyup SHIFT\n"
        "key f12\n"
        "text \"M\xC3\xBCller \\\"#1\\\" \\\\\"\n"
        "screenshot \"bild mit leerzeichen.png\"\n"
        "wait 3\n"
        "quit");  // no newline at the end
    const auto& b = s.Befehle();
    ASSERT_EQ(b.size(), 13u);
    EXPECT_EQ(b[0].art, Skript_Art::Bewegen);
    EXPECT_EQ(b[0].b, 10);
    EXPECT_EQ(b[0].c, 20);
    EXPECT_EQ(b[0].zeile, 3);
    EXPECT_EQ(b[1].art, Skript_Art::Druecken);
    EXPECT_EQ(b[1].a, static_cast<i32>(MAUS_LINKS));
    EXPECT_EQ(b[2].art, Skript_Art::Loslassen);
    EXPECT_EQ(b[2].a, static_cast<i32>(MAUS_RECHTS));
    EXPECT_EQ(b[3].art, Skript_Art::Klick);
    EXPECT_FALSE(b[3].mit_position);
    EXPECT_TRUE(b[4].mit_position);
    EXPECT_EQ(b[4].c, -6);
    EXPECT_EQ(b[5].a, -2);
    EXPECT_EQ(b[6].art, Skript_Art::Taste_Runter);
    EXPECT_EQ(b[6].a, static_cast<i32>(VK_SHIFT));
    EXPECT_EQ(b[7].art, Skript_Art::Taste_Hoch);
    EXPECT_EQ(b[8].a, static_cast<i32>(VK_F12));
    EXPECT_EQ(b[9].text, "M\xC3\xBCller \"#1\" \\");
    EXPECT_EQ(b[10].text, "bild mit leerzeichen.png");
    EXPECT_EQ(b[11].a, 3);
    EXPECT_EQ(b[12].art, Skript_Art::Beenden);
    EXPECT_EQ(b[12].zeile, 15);
}

TEST(Skript, WartezeitInMillisekundenWirdAufFramesAufgerundet) {
    Eingabe_Skript s = Lesen("wait 100ms\nwait 101 ms\nwait 0ms\nwait 0\n");
    ASSERT_EQ(s.Befehle().size(), 4u);
    EXPECT_EQ(s.Befehle()[0].a, 5);
    EXPECT_EQ(s.Befehle()[1].a, 6);
    EXPECT_EQ(s.Befehle()[2].a, 0);
    EXPECT_EQ(s.Befehle()[3].a, 0);
}

TEST(Skript, ZeilenendenUndBom) {
    Eingabe_Skript s = Lesen("\xEF\xBB\xBFmove 1 2\r\nwait 1\r\n\r\n");
    ASSERT_EQ(s.Befehle().size(), 2u);
    EXPECT_EQ(s.Befehle()[1].zeile, 2);
    EXPECT_TRUE(Lesen("").Leer());
    EXPECT_TRUE(Lesen("\n\n# nur Kommentar\n").Leer());
}

TEST(Skript, FehlerNennenDieZeile) {
    EXPECT_EQ(Fehler("move 1 2\njump 3\n"), "Eingabeskript, Zeile 2: unbekannter Befehl \"jump\"");
    EXPECT_EQ(Fehler("\n\nmove 1\n"), "Eingabeskript, Zeile 3: zu wenige Angaben für \"move\"");
    EXPECT_EQ(Fehler("quit now\n"), "Eingabeskript, Zeile 1: zu viele Angaben für \"quit\"");
    EXPECT_EQ(Fehler("wait x\n"), "Eingabeskript, Zeile 1: Zahl erwartet statt \"x\"");
    EXPECT_EQ(Fehler("wait 5 s\n"), "Eingabeskript, Zeile 1: Einheit \"s\" unbekannt (ms)");
    EXPECT_EQ(Fehler("press middle\n"), "Eingabeskript, Zeile 1: Maustaste \"middle\" unbekannt (left oder right)");
    EXPECT_EQ(Fehler("key strg\n"), "Eingabeskript, Zeile 1: Taste \"strg\" unbekannt");
    EXPECT_EQ(Fehler("text \"offen\n"), "Eingabeskript, Zeile 1: Anführungszeichen nicht geschlossen");
    EXPECT_EQ(Fehler("click left 5\n"), "Eingabeskript, Zeile 1: click erwartet eine Maustaste und wahlweise X Y");
    EXPECT_EQ(Fehler("screenshot \"\"\n"), "Eingabeskript, Zeile 1: Dateiname fehlt");
    // A UTF-8 word in a message is shown in the game's character set.
    EXPECT_EQ(Fehler("l\xC3\xA4uft\n"), "Eingabeskript, Zeile 1: unbekannter Befehl \"läuft\"");
}

TEST(Skript, ZahlenAusserhalbDerGrenzenUndMuell) {
    for (const char* text : {"wait -1", "wait 99999999999", "wait 1e3", "wait 0x10", "wait 5x", "move 1 200000",
                             "wheel 1001", "move - 1", "wheel +"}) {
        std::string f = Fehler(text);
        EXPECT_NE(f.find("Zeile 1"), std::string::npos) << text;
    }
}

TEST(Skript, EinFehlerBehaeltDasAlteSkript) {
    Eingabe_Skript s = Lesen("move 1 1\nquit\n");
    std::string fehler;
    EXPECT_FALSE(s.Parsen("move 2 2\nbogus\n", 20, &fehler));
    ASSERT_EQ(s.Befehle().size(), 2u);
    EXPECT_EQ(s.Befehle()[0].b, 1);
}

TEST(Skript, BinaerMuellStuerztNichtAb) {
    std::string muell;
    for (int i = 0; i < 4096; i++) muell += static_cast<char>((i * 7919) & 0xFF);
    Eingabe_Skript s;
    std::string fehler;
    s.Parsen(muell, 20, &fehler);  // result does not matter, only that it returns
    s.Parsen(std::string(100001, '"'), 20, &fehler);
    EXPECT_EQ(fehler, "Eingabeskript, Zeile 1: Anführungszeichen nicht geschlossen");
}

TEST(Skript, DateiDieFehltOderZuGrossIstWirdGemeldet) {
    Eingabe_Skript s;
    std::string fehler;
    EXPECT_FALSE(s.Laden("/nonexistent/skript.txt", 20, &fehler));
    EXPECT_EQ(fehler, "Eingabeskript /nonexistent/skript.txt kann nicht gelesen werden");
    EXPECT_FALSE(s.Laden("/dev/zero", 20, &fehler));  // never ends
    EXPECT_EQ(fehler, "Eingabeskript /dev/zero ist zu groß");
}

TEST(Skript, SchritteFolgenDenWartezeiten) {
    Eingabe_Zuruecksetzen();
    Eingabe_Skript s = Lesen("move 1 1\nwait 2\nmove 2 2\nmove 3 3\nwait 1\nmove 4 4\n");
    auto x_nach = [&](u32 frame) {
        s.Schritt(frame);
        Eingabe_Frame_Abtasten();
        Maus_Update();
        return Maus_Get_X();
    };
    EXPECT_EQ(x_nach(0), 1);
    EXPECT_FALSE(s.Zu_Ende());
    EXPECT_EQ(x_nach(1), 1);
    EXPECT_EQ(x_nach(2), 3);  // both moves of frame 2
    EXPECT_EQ(x_nach(3), 4);
    EXPECT_TRUE(s.Zu_Ende());
    Eingabe_Zuruecksetzen();
}

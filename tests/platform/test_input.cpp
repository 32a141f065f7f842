// Mouse and keyboard state as the game reads it in a frame: the click latch,
// the right-click lock, the wheel, the rectangle and picture hit tests, the
// key of a frame, typed characters and their case.
#include <gtest/gtest.h>

#include "platform/input.h"
#include "platform/keys.h"

namespace {

// One frame as the main loop runs it: input taken in, then the game latches the mouse.
void Frame() {
    Eingabe_Frame_Abtasten();
    Maus_Update();
}

class Eingabe : public ::testing::Test {
  protected:
    void SetUp() override { Eingabe_Zuruecksetzen(); }
    void TearDown() override { Eingabe_Zuruecksetzen(); }
};

}  // namespace

TEST_F(Eingabe, KlickZwischenZweiFramesGehtNichtVerloren) {
    Eingabe_Maus_Taste(MAUS_LINKS, true);
    Eingabe_Maus_Taste(MAUS_LINKS, false);
    Frame();
    EXPECT_EQ(W32_Get_Mouse_Buttons(), 0u);
    EXPECT_EQ(Maus_Get_Tasten(), MAUS_LINKS);
    EXPECT_EQ(Maus_Get_Tasten(), 0u) << "reading consumes the latch";
    Frame();
    EXPECT_EQ(Maus_Get_Tasten(), 0u);
}

TEST_F(Eingabe, UngelesenerLatchVerfaelltMitDemNaechstenFrame) {
    Eingabe_Maus_Taste(MAUS_RECHTS, true);
    Eingabe_Maus_Taste(MAUS_RECHTS, false);
    Frame();
    Frame();
    EXPECT_EQ(Maus_Get_Tasten(), 0u);
}

TEST_F(Eingabe, MehrereUpdatesEinesDurchgangsSehenDenselbenZustand) {
    Eingabe_Maus_Taste(MAUS_LINKS, true);
    Eingabe_Maus_Taste(MAUS_LINKS, false);
    Eingabe_Frame_Abtasten();
    Maus_Update();  // the calendar
    Maus_Update();  // the matchday runner, later in the same pass
    EXPECT_EQ(Maus_Get_Tasten(), MAUS_LINKS);
}

TEST_F(Eingabe, GehalteneTasteGiltJedenFrame) {
    Eingabe_Maus_Taste(MAUS_LINKS, true);
    for (int i = 0; i < 3; i++) {
        Frame();
        EXPECT_EQ(Maus_Get_Tasten(), MAUS_LINKS);
        EXPECT_EQ(Maus_Get_Tasten(), MAUS_LINKS);
    }
    Eingabe_Maus_Taste(MAUS_LINKS, false);
    Frame();
    EXPECT_EQ(Maus_Get_Tasten(), 0u) << "a release alone is no click";
}

TEST_F(Eingabe, RechtsSperreSchlucktGehaltenenRechtsklickUndLoestSichBeimLoslassen) {
    Eingabe_Maus_Taste(MAUS_RECHTS, true);
    Frame();
    EXPECT_EQ(Maus_Get_Tasten(), MAUS_RECHTS);
    Maus_Rechts_Sperre = 1;  // the screen acted on the right click
    Eingabe_Maus_Taste(MAUS_LINKS, true);
    Frame();
    EXPECT_EQ(Maus_Get_Tasten(), 0u) << "the left button reads as released too";
    EXPECT_EQ(Maus_Rechts_Sperre, 1u);
    Eingabe_Maus_Taste(MAUS_LINKS, false);
    Eingabe_Maus_Taste(MAUS_RECHTS, false);
    Frame();
    EXPECT_EQ(Maus_Get_Tasten(), 0u) << "the lock clears; a press swallowed under it does not fire later";
    EXPECT_EQ(Maus_Rechts_Sperre, 0u);
    Eingabe_Maus_Taste(MAUS_RECHTS, true);
    Frame();
    EXPECT_EQ(Maus_Get_Tasten(), MAUS_RECHTS) << "the next right click works again";
}

TEST_F(Eingabe, RechtsSperreBeiSchnellemKlickOhneHalten) {
    Eingabe_Maus_Taste(MAUS_RECHTS, true);
    Eingabe_Maus_Taste(MAUS_RECHTS, false);
    Frame();
    EXPECT_EQ(Maus_Get_Tasten(), MAUS_RECHTS);
    Maus_Rechts_Sperre = 1;
    EXPECT_EQ(Maus_Get_Tasten(), 0u);  // clears the lock, the latch was already consumed
    EXPECT_EQ(Maus_Rechts_Sperre, 0u);
}

TEST_F(Eingabe, PositionWirdGeklemmtUndProFrameFestgehalten) {
    Eingabe_Maus_Position(123, 456);
    Frame();
    EXPECT_EQ(Maus_Get_X(), 123);
    EXPECT_EQ(Maus_Get_Y(), 456);
    Eingabe_Maus_Position(900, -4);
    EXPECT_EQ(Maus_Get_X(), 123) << "the frame keeps its position until the next latch";
    Frame();
    EXPECT_EQ(Maus_Get_X(), 799);
    EXPECT_EQ(Maus_Get_Y(), 0);
}

TEST_F(Eingabe, RadSummiertSichBisZumLatchUndLaesstSichZuruecksetzen) {
    Eingabe_Maus_Rad(1);
    Eingabe_Maus_Rad(2);
    Eingabe_Maus_Rad(-1);
    Frame();
    EXPECT_EQ(Maus_Get_Rad(), 2);
    Maus_Rad_Reset();
    EXPECT_EQ(Maus_Get_Rad(), 0);
    Eingabe_Maus_Rad(-3);
    Frame();
    EXPECT_EQ(Maus_Get_Rad(), -3);
    Frame();
    EXPECT_EQ(Maus_Get_Rad(), 0);
}

TEST_F(Eingabe, RechteckMitRaendern) {
    Eingabe_Maus_Position(100, 50);
    Frame();
    EXPECT_TRUE(Maus_In_Rechteck(100, 50, 0, 0));
    EXPECT_TRUE(Maus_In_Rechteck(90, 40, 10, 10)) << "right and bottom edges included";
    EXPECT_FALSE(Maus_In_Rechteck(90, 40, 9, 10));
    EXPECT_FALSE(Maus_In_Rechteck(90, 40, 10, 9));
    EXPECT_FALSE(Maus_In_Rechteck(101, 50, 10, 10));
    EXPECT_FALSE(Maus_In_Rechteck(100, 51, 10, 10));
}

TEST_F(Eingabe, UeberBildMitMaske) {
    // 10 x 2 picture drawn at (20, 30); mask bits set for (3, 0) and (9, 1) only.
    u8 maske[3] = {};
    maske[3 / 8] |= 1 << (3 % 8);
    maske[19 / 8] |= 1 << (19 % 8);
    Maus_Bild_Sicht bild;
    bild.breite = 10;
    bild.hoehe = 2;
    bild.maske = maske;
    auto ueber = [&](i32 mx, i32 my) {
        Eingabe_Maus_Position(mx, my);
        Frame();
        return Maus_Ueber_Bild(bild, 20, 30);
    };
    EXPECT_TRUE(ueber(23, 30));
    EXPECT_FALSE(ueber(22, 30));
    EXPECT_TRUE(ueber(29, 31));
    EXPECT_FALSE(ueber(30, 31)) << "right edge excluded";
    EXPECT_FALSE(ueber(23, 32)) << "bottom edge excluded";
    EXPECT_FALSE(ueber(19, 30));
}

TEST_F(Eingabe, UeberBildOhneMaskeNachPixeltiefe) {
    u16 pixel16[4] = {0, 5, 0, 0};  // 2 x 2
    u8 pixel8[4] = {0, 0, 9, 0};
    Eingabe_Maus_Position(1, 0);
    Frame();
    Maus_Bild_Sicht b;
    b.breite = 2;
    b.hoehe = 2;
    b.pixel = pixel16;
    b.tiefe = 16;
    EXPECT_TRUE(Maus_Ueber_Bild(b, 0, 0));
    b.tiefe = 15;
    EXPECT_TRUE(Maus_Ueber_Bild(b, 0, 0));
    b.tiefe = 24;
    EXPECT_FALSE(Maus_Ueber_Bild(b, 0, 0)) << "other depths never hit";
    b.pixel = pixel8;
    b.tiefe = 8;
    EXPECT_FALSE(Maus_Ueber_Bild(b, 0, 0));
    EXPECT_TRUE(Maus_Ueber_Bild(b, 1, -1)) << "(0, 1) of the picture";
    b.pixel = nullptr;
    EXPECT_TRUE(Maus_Ueber_Bild(b, 0, 0)) << "no pixels: a hit";
    b.breite = 0;
    EXPECT_FALSE(Maus_Ueber_Bild(b, 0, 0));
}

TEST_F(Eingabe, EineTasteProFrameKeineGehtVerloren) {
    Eingabe_Taste(VK_ESCAPE, true);
    Eingabe_Taste(VK_ESCAPE, false);
    Eingabe_Taste(VK_RETURN, true);
    Eingabe_Taste(VK_RETURN, false);
    EXPECT_FALSE(Taste_Oder_Klick());
    Frame();
    EXPECT_TRUE(Taste_Oder_Klick());
    EXPECT_EQ(Taste_Get_Code(), VK_ESCAPE);
    EXPECT_EQ(Taste_Get_Zeichen(), 0);
    Frame();
    EXPECT_EQ(Taste_Get_Code(), VK_RETURN);
    Taste_Reset();
    EXPECT_EQ(Taste_Get_Code(), 0u);
    EXPECT_FALSE(Taste_Oder_Klick());
    Frame();
    EXPECT_FALSE(Taste_Oder_Klick());
}

TEST_F(Eingabe, TasteUndIhrTextWerdenEinEintrag) {
    // As SDL reports a typed key: key down, then its text.
    Eingabe_Taste('K', true);
    Eingabe_Text_Utf8("k");
    Eingabe_Taste('K', false);
    Frame();
    EXPECT_EQ(Taste_Get_Code(), static_cast<u32>('K'));
    EXPECT_EQ(Taste_Get_Zeichen(), 'k');
    Frame();
    EXPECT_FALSE(Taste_Oder_Klick());
}

TEST_F(Eingabe, UmlauteKommenAlsWindows1252) {
    Eingabe_Taste(VK_OEM_1, true);
    Eingabe_Text_Utf8("\xC3\xBC");  // ü
    Eingabe_Taste(VK_OEM_1, false);
    Eingabe_Text_Utf8("\xC3\x9F\xE2\x82\xAC");  // ß € without keys (an input method)
    Frame();
    EXPECT_EQ(Taste_Get_Code(), VK_OEM_1);
    EXPECT_EQ(Taste_Get_Zeichen(), 0xFC);
    Frame();
    EXPECT_EQ(Taste_Get_Code(), 0u);
    EXPECT_EQ(Taste_Get_Zeichen(), 0xDF);
    Frame();
    EXPECT_EQ(Taste_Get_Zeichen(), 0x80);
}

TEST_F(Eingabe, BuchstabenOhneShiftWerdenKlein) {
    // Caps Lock: capitals arrive without Shift and are folded.
    Eingabe_Zeichen('M');
    Eingabe_Zeichen(0xDC);  // Ü
    Eingabe_Zeichen('1');
    Frame();
    EXPECT_EQ(Taste_Get_Zeichen(), 'm');
    Frame();
    EXPECT_EQ(Taste_Get_Zeichen(), 0xFC);
    Frame();
    EXPECT_EQ(Taste_Get_Zeichen(), '1');
    // With Shift held while typing they stay capitals, even after Shift is released.
    Eingabe_Taste(VK_SHIFT, true);
    Eingabe_Zeichen('M');
    Eingabe_Taste(VK_SHIFT, false);
    Frame();  // the Shift key itself
    EXPECT_EQ(Taste_Get_Code(), VK_SHIFT);
    Frame();
    EXPECT_EQ(Taste_Get_Zeichen(), 'M');
    EXPECT_FALSE(Taste_Shift());
}

TEST_F(Eingabe, ShiftGehalten) {
    EXPECT_FALSE(Taste_Shift());
    Eingabe_Taste(VK_SHIFT, true);
    EXPECT_TRUE(Taste_Shift());
    EXPECT_TRUE(Eingabe_Taste_Gehalten());
    Eingabe_Taste(VK_SHIFT, false);
    EXPECT_FALSE(Taste_Shift());
    EXPECT_FALSE(Eingabe_Taste_Gehalten());
}

TEST_F(Eingabe, TasteOderKlickMeldetKlicksNurAufWunsch) {
    Eingabe_Maus_Taste(MAUS_LINKS, true);
    Eingabe_Maus_Taste(MAUS_LINKS, false);
    Frame();
    EXPECT_FALSE(Taste_Oder_Klick(0));
    EXPECT_TRUE(Taste_Oder_Klick(1));
    EXPECT_EQ(Maus_Get_Tasten(), MAUS_LINKS);
    EXPECT_TRUE(Taste_Oder_Klick(1)) << "the screen reading the buttons does not hide the click";
    Frame();
    EXPECT_FALSE(Taste_Oder_Klick(1));
}

TEST_F(Eingabe, VollerTastenpufferVerwirftNurDenUeberschuss) {
    for (u32 i = 0; i < TASTEN_PUFFER + 10; i++) Eingabe_Zeichen(static_cast<u8>('a' + i % 26));
    u32 n = 0;
    for (;;) {
        Frame();
        if (!Taste_Oder_Klick()) break;
        EXPECT_EQ(Taste_Get_Zeichen(), static_cast<u8>('a' + n % 26));
        n++;
    }
    EXPECT_EQ(n, TASTEN_PUFFER);
}

TEST_F(Eingabe, UnsinnigeEingabenSindHarmlos) {
    Eingabe_Taste(0, true);
    Eingabe_Taste(100000, true);
    Eingabe_Zeichen(0);
    Eingabe_Maus_Taste(0xFF, true);  // only the left and right bits count
    Eingabe_Text_Utf8(nullptr);
    Frame();
    EXPECT_FALSE(Taste_Oder_Klick());
    EXPECT_EQ(W32_Get_Mouse_Buttons(), MAUS_LINKS | MAUS_RECHTS);
}

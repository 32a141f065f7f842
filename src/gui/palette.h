// The one palette of the screens: every colour a screen draws with is named
// here once, as a 16-bit 565 pixel value. Two groups:
//  - the game's fixed text and marker colours (white, the chosen-entry gold,
//    the button label cream, the warning red, the position-class and grade
//    colours ...), which screens use by these names;
//  - the colours of our own panels and widgets (night navy, panel blue,
//    floodlight gold, chalk ...), given as sRGB and packed at compile time.
// A screen never writes a colour as a bare number.
#pragma once

#include "base/types.h"

// 0xRRGGBB to a 565 pixel (truncating, as the art is converted).
constexpr u16 Farbe_565(u32 rgb) {
    return static_cast<u16>(((rgb >> 19) & 0x1F) << 11 | ((rgb >> 10) & 0x3F) << 5 | ((rgb >> 3) & 0x1F));
}

// --- The game's text and marker colours --------------------------------------
constexpr u16 FARBE_WEISS = 65535;          // ordinary text
constexpr u16 FARBE_GEWAEHLT = 52743;       // 0xCE07: chosen entry, own club, values, zones
constexpr u16 FARBE_KNOPF_TEXT = 65196;     // 0xFEAC: button labels (warm cream)
constexpr u16 FARBE_FEHLER = 64160;         // 0xFAA0: errors, debts, losses
constexpr u16 FARBE_GRAU = 35921;           // 0x8C51: inactive text
constexpr u16 FARBE_GRAU_CLIENT = 33908;    // 0x8474: values a network client cannot change
constexpr u16 FARBE_HELL = 57115;           // 0xDF1B: labels and secondary lines
constexpr u16 FARBE_MARKE = 50055;          // 0xC387: zone markers, position class 3
constexpr u16 FARBE_KLASSE_1 = 20051;       // 0x4E53: position class 1, gains
constexpr u16 FARBE_WARNUNG = 0xF9A6;       // the turn clock's last 20 seconds: a light red
constexpr u16 FARBE_HELLGOLD = 0xF5A7;      // a highlighted value or bar
constexpr u16 FARBE_MENSCH = 0xEF4D;        // 61261: the active club's name in lists (gold)
constexpr u16 FARBE_KOPF = 0xC638;          // column headers
constexpr u16 FARBE_WETTBEWERB = 65530;     // a name in lists of no particular competition
constexpr u16 FARBE_AUSLAND = 52889;        // a foreign club's name in an international list
constexpr u16 FARBE_DUNKEL = 0x0863;        // a dark info box; numbers on light shirts
constexpr u16 FARBE_BALKEN_GRUND = 0x2124;  // the empty part of a value bar
constexpr u16 FARBE_BALKEN_HEIM = 0xD4E4;   // the home side's share of a bar (amber)
constexpr u16 FARBE_BALKEN_GAST = 0x3C9B;   // the away side's share (blue)
constexpr u16 FARBE_BALKEN_HELL = 0xF79E;   // the other share of a two-part bar (cream)
// Position classes 0..3 (keeper, defence, midfield, attack).
constexpr u16 FARBE_KLASSE[4] = {FARBE_WEISS, FARBE_KLASSE_1, FARBE_GEWAEHLT, FARBE_MARKE};
// Grades 0..6, best first.
constexpr u16 FARBE_NOTE[7] = {62017, 62595, 63334, 46947, 40770, 24384, 8160};
// A pulsing text's steps: white through warm cream into red and back.
constexpr u16 FARBE_PULS[17] = {65535, 65535, 65535, 65275, 59001, 58806, 58611, 58448, 58253,
                                58091, 57929, 57766, 57604, 57571, 57344, 57344, 57344};
constexpr u16 FARBE_LOG_GERADE = 57343;  // 0xDFFF: the scout log's line being written
// The help box and the input field.
constexpr u16 FARBE_SCHATTEN = 4226;
constexpr u16 FARBE_BOX = 33677;
constexpr u16 FARBE_CURSOR = 65504;  // the input field's cursor: yellow

// --- Our panels and widgets ----------------------------------------------------
constexpr u16 FARBE_NAVY = Farbe_565(0x0E1A2B);          // deepest background
constexpr u16 FARBE_PANEL = Farbe_565(0x16263D);         // panel
constexpr u16 FARBE_KANTE_HELL = Farbe_565(0x3C5A82);    // panel's light top edge
constexpr u16 FARBE_KANTE_DUNKEL = Farbe_565(0x0A1320);  // panel's dark lower edge
constexpr u16 FARBE_KNOPF_OBEN = Farbe_565(0x23395A);    // raised: gradient top
constexpr u16 FARBE_UEBER_OBEN = Farbe_565(0x2C4870);    // hover: gradient top
constexpr u16 FARBE_UEBER_UNTEN = Farbe_565(0x1C304D);   // hover: gradient bottom
constexpr u16 FARBE_ZEILE_HELL = Farbe_565(0x1C304D);    // alternate list rows
constexpr u16 FARBE_KOPFBALKEN = Farbe_565(0x23395A);    // table header bar
constexpr u16 FARBE_KREIDE = Farbe_565(0xF2F4F0);        // text
constexpr u16 FARBE_KREIDE_2 = Farbe_565(0xA9B4C2);      // secondary text
constexpr u16 FARBE_AUS = Farbe_565(0x5E6B7C);           // disabled text
constexpr u16 FARBE_GOLD = Farbe_565(0xF2B33D);          // accent: selection, focus, own club
constexpr u16 FARBE_GOLD_DUNKEL = Farbe_565(0xB07E20);   // accent's shaded end
constexpr u16 FARBE_GUT = Farbe_565(0x3FB26B);
constexpr u16 FARBE_SCHLECHT = Farbe_565(0xD9483B);
constexpr u16 FARBE_INFO = Farbe_565(0x4A90D9);
constexpr u16 FARBE_RASEN = Farbe_565(0x2E7D46);
constexpr u16 FARBE_RASEN_2 = Farbe_565(0x287040);
constexpr u16 FARBE_LINIE = Farbe_565(0xEEF2EA);         // pitch lines
constexpr u16 FARBE_FAST_SCHWARZ = 1;  // the darkest opaque pixel (0 is the colour key)

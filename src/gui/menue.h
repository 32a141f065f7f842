// The menu engine: screen icons in 27 layers, drawn once a frame and driven
// by the mouse, the wheel and a table of timed hook procedures.
//
// A screen describes its icons in a table (the last entry has number -1) and
// adds it; the engine copies every icon into its own slot, so the table may
// be a constant. Procedures get the engine's copy. Each frame the game calls
// Menue_Tick: the screen is redrawn (Menue_Screen_Refresh) and the mouse is
// turned into events (Menue_Icons_Check).
//
// Rules of the dispatcher:
//  - a left click fires on the release, and only while the mouse is still on
//    the icon that was pressed; a right click fires on the press;
//  - an icon with MENUE_S_WIEDERHOLEN fires at the press, 350 ms later, then
//    every 50 ms while the button is held;
//  - of the icons under the mouse, the one with the lowest score wins:
//    distance to its centre - 1000 x layer (a higher layer always wins);
//  - a hook receives MENUE_E_HOOK once per visible icon and frame, and
//    MENUE_E_HOOK_ZEIT (instead) whenever its period has run out; a new hook
//    gets MENUE_E_HOOK_ZEIT on its first pass;
//  - a wheel notch moves the scroll button whose linked icon's centre lies
//    nearest the mouse by one step.
#pragma once

#include "base/types.h"
#include "graphics/rastport.h"
#include "gui/palette.h"

struct Font;
struct Screen_Icon;

constexpr i32 MENUE_EBENEN = 27;
constexpr i32 MENUE_SLOTS = 600;
constexpr i32 MENUE_ICON_NUMMERN = 4202;
constexpr i32 MENUE_HOOKS = 20;
constexpr u32 MENUE_KEINE_GRAFIK = 0xFFFFFFFFu;

// Icon flags.
enum : u32 {
    MENUE_F_TEXT = 2,                  // carries text lines (daten: Icon_Textzeile chain)
    MENUE_F_WIPPE = 4,                 // rocker (daten: Menue_Wippe)
    MENUE_F_SCROLLBUTTON = 8,          // scroll button (daten: Move_Struktur)
    MENUE_F_ZIEHBAR = 16,              // draggable (drag: Menue_Drag)
    MENUE_F_NICHT_ABFRAGEN = 32,       // drawn, never hit
    MENUE_F_BLEIBT = 64,               // survives an area removal
    MENUE_F_MODAL = 128,               // while one is shown, only modal icons are hit
    MENUE_F_BEIDE_TASTEN = 256,        // fires for the right button too
    MENUE_F_HOVER = 512,               // gets MENUE_E_HOVER_REIN / _RAUS
    MENUE_F_HALTEN_WIEDERHOLT = 4096,  // a held rocker steps itself
    MENUE_F_TGA = 8192,                // the picture is <resfile>/dummy/<tga>.tga
    MENUE_F_PIXELTEST = 16384,         // hit only on non-transparent pixels of its picture
    MENUE_F_KEIN_KLANG = 0x40000,
    MENUE_F_LINKS_SEKUNDAER = 0x100000,  // a left click calls the secondary procedure
    MENUE_F_GANZER_SCREEN = 0x400000,    // 800 x 600 at (0, 0): the screen under graphic 8331 at 90 %
    // Covers the whole screen with a picture made from the screen under it
    // alone (a message box's dimmer), or is drawn over such a cover and stays
    // the same as long as it (the box's page): the engine draws everything up
    // to and with the last such icon once, keeps the result and copies it
    // every frame until the icons change (one added or removed, another
    // background).
    MENUE_F_DECKT = 0x800000,
};
constexpr u32 MENUE_GRAFIK_SCHLEIER = 8331;

// Icon states.
enum : u32 {
    MENUE_S_VERSTECKT = 1,
    MENUE_S_GRAU = 2,
    MENUE_S_AN = 4,            // a toggle: shows the on graphic while its state (Menue_Icon_Zustand) is on
    MENUE_S_WIEDERHOLEN = 8,   // auto-repeat while held
    MENUE_S_TRANSPARENT = 32,  // picture drawn with colour key 0
    MENUE_S_DRUCKBILD = 128,   // shows the pressed look while held
    MENUE_S_HALB = 32768,      // drawn at 50 %
};

// Events (second argument of a click procedure).
enum : u32 {
    MENUE_E_MINUS = 1,
    MENUE_E_PLUS = 2,
    MENUE_E_LINKS = 4,
    MENUE_E_RECHTS = 8,
    MENUE_E_HOVER_REIN = 16,
    MENUE_E_HOVER_RAUS = 32,
    MENUE_E_HOVER_SEKUNDAER = 40,
    MENUE_E_DRAG_BEWEGT = 64,
    MENUE_E_DROP = 128,
    MENUE_E_KONTEXT = 1024,
    MENUE_E_HOOK = 2048,
    MENUE_E_HOOK_ZEIT = 8192,
    MENUE_E_SCROLL = 0x4000000,
    MENUE_E_ZEICHNEN = 0x80000000u,
};

using Icon_Klick_Prozedur = void (*)(Screen_Icon* icon, u32 ereignis);
using Icon_Zeichen_Prozedur = void (*)(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
using Icon_Sekundaer_Prozedur = void (*)(Screen_Icon* icon);
using Icon_Hilfe_Prozedur = const char* (*)(Screen_Icon* icon);

// One line of text on an icon (flag MENUE_F_TEXT), relative to the icon.
enum : i16 { ZEILE_ZENTRIERT = 16, ZEILE_V_ZENTRIERT = 32, ZEILE_RECHTS = 128 };
struct Icon_Textzeile {
    Font* font = nullptr;
    i16 flags = 0;
    u16 farbe_aktiv = FARBE_WEISS;
    u16 farbe = FARBE_WEISS;
    const char* text = nullptr;
    i16 x = 0, y = 0;
    const Icon_Textzeile* naechste = nullptr;
};

// Snap raster of a draggable icon: a grid of cells; the icon lands on the
// cell whose centre lies nearest the mouse. At most 300 cells count.
struct Icon_Raster {
    i16 spalten = 0, zeilen = 0;
    i16 x = 0, y = 0;
    i16 zelle_b = 0, zelle_h = 0;
    i16 abstand_x = 0, abstand_y = 0;
    const Icon_Raster* naechstes = nullptr;
};

// Drag record of a draggable icon.
enum : u8 { DRAG_SICHTBAR = 1, DRAG_BEI_BEWEGUNG = 4, DRAG_NUR_GRUPPE = 8 };
using Drop_Prozedur = void (*)(Screen_Icon* gezogen, Screen_Icon* darunter, i32 x, i32 y, u32 ereignis);
struct Menue_Drag {
    u8 drop_maske = 255;
    u8 flags = 0;
    Drop_Prozedur drop = nullptr;
    i16 x0 = -1, y0 = 0, x1 = 799, y1 = 599;  // x0 = -1: the whole screen
};

// Scroll button: moves along a horizontal (spur_y >= 0) or vertical
// (spur_x >= 0) track and reports its value index 0..stufen-1.
using Move_Prozedur = void (*)(Screen_Icon* knopf, i32 index, u32 ereignis);
struct Move_Struktur {
    Move_Prozedur prozedur = nullptr;
    i16 x_min = 0, x_max = 0, spur_y = -1;
    i16 y_min = 0, y_max = 0, spur_x = -1;
    i16 stufen = 0;         // fewer than 2 hides button and bar
    i16 balken = -1;        // number of the bar icon
    float skala = 0;        // content pixels per 100 track pixels (scroll screen)
    i16 scrollscreen = -1;  // the scroll screen the button drives; -1 none
};

// Rocker: six buttons (3 decrease, 3 increase by 100/10/1 steps) over one value.
struct Menue_Wippe {
    float* wert_f = nullptr;
    i32* wert_i = nullptr;
    float minimum = 0, maximum = 0;
    i32 schritt = 1;
    float vorgabe = 0;  // the value when the icon was added
    // Button pictures (graphic numbers, -1 none), drawn with colour key 0
    // centred on the button's point; offsets -1 take WIPPE_X + WIPPE_B / 2
    // and WIPPE_Y.
    i16 x_off[6] = {-1, -1, -1, -1, -1, -1};
    i16 y_off[6] = {-1, -1, -1, -1, -1, -1};
    i32 grafik[6] = {-1, -1, -1, -1, -1, -1};
};

struct Screen_Icon {
    i16 nummer = -1;  // 0..4201; -1 ends a table
    u32 grafik = MENUE_KEINE_GRAFIK;
    u32 grafik_an = MENUE_KEINE_GRAFIK;
    u32 grafik_gedrueckt = MENUE_KEINE_GRAFIK;
    u32 flags = 0;
    const Icon_Raster* raster = nullptr;
    i16 x = 0, y = 0;
    i16 clip_x0 = 0, clip_y0 = 0, clip_x1 = 799, clip_y1 = 599;
    void* daten = nullptr;
    Menue_Drag* drag = nullptr;
    u8 drop_gruppe = 255;
    u32 status = 0;
    const char* hilfe = nullptr;
    Icon_Klick_Prozedur klick = nullptr;
    Icon_Zeichen_Prozedur zeichnen = nullptr;
    i8 ebene = 0;
    Rastport* bild = nullptr;  // own picture (not owned by the engine)
    u16 farbe = 0;
    i16 w = 0, h = 0;
    Icon_Sekundaer_Prozedur sekundaer = nullptr;
    Icon_Hilfe_Prozedur hilfe_prozedur = nullptr;
    i16 verknuepft = -1;
    u32 user[2] = {0, 0};
    u8 scroll = 255;            // 0: lives in the scroll screen; 255: on the screen
    const char* tga = nullptr;  // name of the picture (flag MENUE_F_TGA)
};

// --- Life cycle and icons ----------------------------------------------------

void Menue_Init();
void Menue_Free_All();
// Takes every icon off the screen (hooks stay).
void Menue_Screen_Freigeben();

// Copies the icon into a free slot of its layer. The engine's copy, or null
// (with a debug message) for a bad number, a bad layer, a taken number or a
// full layer.
Screen_Icon* Menue_Screen_Icon_Hinzufuegen(const Screen_Icon& icon);
// Adds a table up to its entry with number -1; the count added.
i32 Menue_Screen_Icon_Tabelle_Hinzufuegen(const Screen_Icon* tabelle);
void Menue_Screen_Icon_Loeschen(i32 nummer);
void Menue_Screen_Icon_Tabelle_Loeschen(const Screen_Icon* tabelle);
Screen_Icon* Menue_Screen_Icon_Aus_Nummer(i32 nummer);
bool Menue_Screen_Icon_Ist_Vorhanden(i32 nummer);
i32 Menue_Screen_Icon_Anzahl();
// Takes off, from layer 26 down, every icon whose rectangle meets the box
// x0..x1 x y0..y1 (inclusive). Mode bits: BEREICH_AUCH_BLEIBENDE also
// icons with MENUE_F_BLEIBT; BEREICH_GANZ_INNEN only icons wholly inside the
// box; BEREICH_SCROLLSCREEN_LASSEN keeps the scroll screen and its icons.
// Without that bit the scroll screen is killed (Menue_Kill_Scrollscreen)
// when its window meets the box in the same sense. Mode 5 over -9999..9999
// clears the whole screen.
enum : u32 { BEREICH_AUCH_BLEIBENDE = 1, BEREICH_GANZ_INNEN = 2, BEREICH_SCROLLSCREEN_LASSEN = 8 };
void Menue_Screen_Icons_Loeschen_Bereich(u32 modus, i32 x0, i32 y0, i32 x1, i32 y1);

// The background drawn under everything (null: the screen is filled with
// the background colour).
void Menue_Set_Hintergrund(Rastport* bild, u16 farbe);
// An icon that gets MENUE_E_RECHTS whenever the right button goes down
// anywhere (-1: none).
void Menue_Set_Rechtsklick_Icon(i32 nummer);
i32 Menue_Get_Rechtsklick_Icon();
// The picture an icon is drawn with: its TGA picture, its own Rastport or
// its graphic; an icon without any gets a picture of its own (w x h at the
// screen depth, filled with its colour, or with 0 under state
// MENUE_S_TRANSPARENT), made on first use and freed with the icon. A size
// outside 0..800 x 0..600 is a fault: the icon becomes 25 x 25 in colour
// 50055. A whole-screen icon is set to (0, 0), 800 x 600 and has no picture.
// w and h receive the picture's size (0 without one).
Rastport* Menue_Screen_Icon_Bitmap(Screen_Icon* icon, i32* w, i32* h);
// The icon's rectangle (inclusive corners) cut to its clip box; the whole
// rectangle when the two do not meet.
void Menue_Icon_Passgroesse_Ermitteln(const Screen_Icon* icon, i32* x0, i32* x1, i32* y0, i32* y1);
// Makes `icon` a text icon after the template: takes it off the screen,
// copies position, clip box, flags, state, drag record, drop group,
// procedures, layer, scroll screen, colour, linked icon and help (and the
// size when the icon has none), sets its text lines and, unless -1, its
// graphic; both user words become -1. Add it again to show it.
void Menue_Init_Text_Icon(Screen_Icon* icon, const Screen_Icon& vorlage, const Icon_Textzeile* zeile, u32 grafik);
// The same for every icon of a table (up to number -1): icon i gets text
// record i of `zeilen` (null: none). The count of icons.
i32 Menue_Init_Icon_Liste(Screen_Icon* tabelle, const Screen_Icon& vorlage, const Icon_Textzeile* zeilen, u32 grafik);
// Whether a modal icon (MENUE_F_MODAL, not hidden) is on the screen.
bool Menue_Get_Modal();
// The picture of a graphic number, loaded once from the game archives and
// kept until Menue_Slave_Freigeben (at most 1,000 pictures); null for a
// number no archive holds. The default of Menue_Hooks.grafik_holen.
constexpr i32 MENUE_SLAVES = 1000;
Rastport* Menue_Get_Slave_Rastport(u32 grafik);
// Frees one kept picture (a number) or all of them (-1).
void Menue_Slave_Freigeben(i64 grafik);
// Hands the picture of a graphic number to the graphics workers to be read
// and unpacked ahead (unless it is kept already), so that its first
// Menue_Get_Slave_Rastport takes it unpacked.
void Menue_Slave_Vorab(u32 grafik);
// The picture <resfile>/dummy/<name>.tga, kept like a graphic number; null
// when missing or unreadable.
Rastport* Menue_Get_Tga_Rastport(const char* name);
void Menue_Tga_Freigeben(const char* name);
// A graphic number as the active home nation shows it: a home nation other
// than Germany has its own pictures 4002, 12058 and 28347 for 4001, 12057
// and 28346.
u32 Menue_Heimat_Grafik(u32 grafik);
// What the menu engine asks of the program around it; installed whole with
// Menue_Set_Hooks (src/main; tests install fakes the same way).
struct Menue_Hooks {
    // How icons and animations get their pictures.
    // default kept: the engine's own picture slots load the game's archives.
    Rastport* (*grafik_holen)(u32 grafik) = Menue_Get_Slave_Rastport;
    // Called for every fire that is no drag (click sound 9, rocker sound 10).
    void (*klick_klang)(i32 klang) = [](i32) {};
    // The help text box (shown at a place, or -1/-1 at the mouse; ended).
    void (*hilfe_zeigen)(const char* text, i32 x, i32 y) = [](const char*, i32, i32) {};
    void (*hilfe_ende)() = [] {};
    // Whether the active manager wants help texts.
    bool (*hilfe_an)() = [] { return false; };
};
void Menue_Set_Hooks(const Menue_Hooks& h);
const Menue_Hooks& Menue_Get_Hooks();

// The remembered state of an icon number for the active team: a toggle's on
// state, a scroll button's place. It lives in the manager record of the
// active team, so every human manager finds his screens as he left them;
// without a human manager (a demonstration) the engine keeps it until
// Menue_Init.
u32 Menue_Icon_Zustand(i32 nummer);
void Menue_Icon_Zustand_Setzen(i32 nummer, u32 wert);
// Whether a toggle icon shows its on graphic.
bool Menue_Icon_An(const Screen_Icon* icon);

// --- Drawing -------------------------------------------------------------------

// Draws one icon onto the target at its place.
void Menue_Icon_Blit(Screen_Icon* icon, Rastport* ziel);
// Draws background and every visible icon, layers 0 -> 26, each from its
// highest slot down, onto the target (null: the screen).
//
// The screen keeps the frame drawn last: when every visible icon draws with
// a picture, its texts or a procedure that only draws, the frame is first
// probed (graphics/abdruck.h) and drawn only when it would differ from the
// one kept, or when something else drew on the screen since. A frame left
// as it is records the draw trace of the frame it keeps.
void Menue_Screen_Refresh(Rastport* ziel = nullptr);
// Marks a draw procedure as one that only draws: what it draws follows from
// the icon and the game's state, it changes nothing that lasts (setting the
// same state again is allowed) and does no work beyond drawing, so it may
// run twice a frame. Kept for the whole run.
void Menue_Reiner_Zeichner(Icon_Zeichen_Prozedur p);

// --- Input -----------------------------------------------------------------------

// Refresh and input check of one frame; the result of Menue_Icons_Check.
i32 Menue_Tick();
// -1 a press waits for its release (or the right-click icon was served),
// 0 nothing (or a drag started / ended), 1 a drop or a rocker held,
// 2 a click or a secondary procedure ran.
i32 Menue_Icons_Check();
Screen_Icon* Menue_Get_Aktives_Icon();
Screen_Icon* Menue_Get_Klick_Icon();  // the dragged icon
void Menue_Get_Move_Pos(i32* x, i32* y);

// --- Hooks -----------------------------------------------------------------------

using Menue_Hook_Prozedur = void (*)(void* arg, u32 ereignis);
// Adds (entfernen = false) or removes a hook. False with a debug message when
// the table is full or, on removal, no slot matches procedure and argument.
bool Menue_Hook(Menue_Hook_Prozedur p, void* arg, bool entfernen, u32 periode_ms);
// True when a slot matches (procedure alone when arg is null, argument alone
// when p is null, both otherwise).
bool Menue_Hook_Vorhanden(Menue_Hook_Prozedur p, void* arg);

// --- Rockers, context menu -----------------------------------------------------

// The built-in rocker step: the button nearest the mouse by x (0/5 x100,
// 1/4 x10, 2/3 x1) moves the value down (event bit 1) or up (bit 2),
// clamped. The new value.
float Menue_Universaler_Wippe_Weiterschalter(Screen_Icon* icon, u32 ereignis);
// Default button x offsets and widths of a rocker.
constexpr i16 WIPPE_X[6] = {9, 25, 38, 58, 68, 82};
constexpr i16 WIPPE_B[6] = {12, 9, 7, 7, 9, 12};
constexpr i16 WIPPE_Y[6] = {23, 25, 26, 26, 25, 23};

constexpr i32 KONTEXT_MAX = 35;
// A chosen item: its index, the owner icon's number and the item's value.
using Kontext_Prozedur = void (*)(i32 eintrag, i32 icon, i32 wert);
struct Kontextmenue {
    const char* titel = nullptr;
    i32 anzahl = 0;
    struct Eintrag {
        char text[48] = {};
        u32 status = 0;  // bit 2: separator / greyed
        i32 wert = 0;
    } eintrag[KONTEXT_MAX];
    i32 icon = -1;
    u32 standard_status = 0;  // status of the items added by Menue_Kontextmenue_Eintrag
    Kontext_Prozedur prozedur = nullptr;
};
// Empties the record for a context menu of any icon: title, owner icon
// number, the status new items get (-1 is refused with a debug message and
// taken as 0) and the procedure a chosen item calls.
void Menue_Init_Kontextmenue(Kontextmenue* k, const char* titel, i32 icon, i32 standard_status,
                             Kontext_Prozedur prozedur);
// Adds an item (text cut to 47 bytes); false when the menu is full.
bool Menue_Kontextmenue_Eintrag(Kontextmenue* k, const char* text, i32 wert);
// Calls the menu's procedure for item `eintrag`; false for an item that does
// not exist or a menu without procedure.
bool Menue_Kontextmenue_Waehlen(const Kontextmenue* k, i32 eintrag);
// Fills the context menu of a rocker ("Eingabefeld ändern:").
void Menue_Wippe_Kontextmenue(Screen_Icon* wippe, Kontextmenue* k);
// Applies item 0..7 of that menu; the icon's click procedure gets
// MENUE_E_KONTEXT. False for a bad item or icon.
bool Menue_Kontext_Eingabefeld_Jump_Call(i32 eintrag, i32 nummer, i32 wert);

// --- Scroll bars -------------------------------------------------------------------

i32 Menue_Balkenpos_In_Index(const Screen_Icon* knopf);
// Puts the button on its remembered place (kept when none is remembered).
void Menue_Scrollbuttonpos_Zuweisen(Screen_Icon* knopf);
// Puts the button on the place of value index i.
void Menue_Scrollbutton_Setzen(Screen_Icon* knopf, i32 index);
// The click procedure of a bar: the linked button is centred on the mouse.
void Menue_Scrollbar_Klick(Screen_Icon* balken, u32 ereignis);
// One wheel step of `delta` notches.
void Menue_Scrollbar_Klick_Intern(Screen_Icon* knopf, i32 delta);
// Bars over a range of values rather than a list. The place of `wert` in
// wert_min..wert_max on the button's track (spur_min / spur_max -1: the
// button's own track along its axis), rounded to the nearest pixel and stored
// as team `team`'s state of icon `nummer` (-1: the button's number). The
// button may be null when `nummer` names an icon on the screen. A vertical bar
// puts wert_max at the top and a horizontal one wert_max at the right;
// `umkehr` 1 turns either round. A value outside the range counts as its
// nearer end; a range of one value gives the track's start. -1 without a
// scroll button.
i32 Menue_Wert_In_Scrollpos_Umrechnen(i32 team, i32 nummer, Screen_Icon* knopf, i32 wert, i32 umkehr, i32 wert_min,
                                      i32 wert_max, i32 spur_min = -1, i32 spur_max = -1);
// The inverse: the value of the team's stored place of the button (its
// current place when none is stored), rounded; a place off the track counts
// as the track's nearer end. 0 for a track of length 0 or without a button.
i32 Menue_Scrollpos_In_Wert_Umrechnen(i32 team, i32 nummer, Screen_Icon* knopf, i32 umkehr, i32 wert_min, i32 wert_max,
                                      i32 spur_min = -1, i32 spur_max = -1);
// Snaps (x, y) to the nearest raster cell (by the cell centre nearest the
// mouse point given). False when the raster is empty.
bool Menue_Check_Icon_Raster(const Icon_Raster* r, i32 maus_x, i32 maus_y, i32* x, i32* y);

// --- The scroll screen ----------------------------------------------------------------
//
// One off-screen picture (number 0) larger than its window on the screen. Its
// icons (scroll = 0) keep screen coordinates and move with the offset; they are
// drawn into the picture, and the window part is copied to the screen with
// colour key 0. They are hit only inside the window. A scroll button whose
// Move_Struktur names the scroll screen and has Menue_Universale_Scroll_Prozedur
// as its procedure drives it (bar, drag and wheel alike).
//
// With SCROLL_HINTERGRUND the graphic `hintergrund` is drawn with colour key
// 0 at the window (moved by the frame offset); what lay under it when the
// scroll screen was first drawn is kept and put back before every later
// draw unless SCROLL_OHNE_RETTEN is set.
enum : u8 { SCROLL_WAAGERECHT = 1, SCROLL_HINTERGRUND = 4, SCROLL_OHNE_RETTEN = 8 };
struct Menue_Scrollscreen {
    Rastport_Bild bild;  // made at content size on first use
    u32 inhalt_b = 155, inhalt_h = 200;
    u32 fenster_b = 155, fenster_h = 348;
    u32 fenster_x = 1, fenster_y = 124;
    i32 rahmen_x = 0, rahmen_y = -8;
    void (*prozedur)(i32 nummer, u32 ereignis) = nullptr;
    i16 knopf = -1;
    i16 hintergrund = -1;  // graphic drawn at the window (flag SCROLL_HINTERGRUND)
    u8 flags = 14;
    i32 aktuell = -1;  // offset the icons stand at (-1 unknown)
    i32 ziel = 0;      // offset to show
    u32 bereich_start = 0;
    u32 inhalt_laenge = 0;
    i16 oben[5] = {-1, -1, -1, -1, -1};  // icons drawn over the window
};
// The record of scroll screen `nummer` (only 0), or null.
Menue_Scrollscreen* Menue_Get_Scrollscreen(i32 nummer);
Rastport* Menue_Screen_Icon_Scroll_Bitmap(i32 nummer);
// Frees the picture, forgets the offsets and takes the scroll screen's icons,
// its scroll button and the button's bar off the screen.
void Menue_Kill_Scrollscreen(i32 nummer);
// The icons already stand at the target offset: the current offset takes it
// (so the next draw moves nothing).
void Menue_Dynamischen_Scrollbar_Korrigieren(Menue_Scrollscreen* ss);
// Where an icon is drawn: the screen at its place or the scroll picture.
Rastport* Menue_Blit_Rastport(const Screen_Icon* icon, i32* x, i32* y);
// Shows or hides button and bar by whether the content exceeds the window,
// and fixes the button's scale.
void Menue_Scrollscreen_Rasterbreite_Festlegen(i32 nummer);
// The content offset of the button's place (also the scroll screen's target);
// -1 without a structure.
i32 Menue_Abs_Balkenpos(Screen_Icon* knopf);
// The procedure for buttons that drive the scroll screen.
void Menue_Universale_Scroll_Prozedur(Screen_Icon* knopf, i32 index, u32 ereignis);
// Moves the icons to the target offset and draws the window onto the target.
void Menue_Universale_Scroll_Blit_Prozedur(i32 nummer, Rastport* ziel);

// --- Saved state ----------------------------------------------------------------

namespace bytes {
struct Leser;
struct Schreiber;
}  // namespace bytes
// The menu block of a save: one byte (the current screen mode).
extern u8 Menue_Modus;
void Menue_Speichern(bytes::Schreiber& s);
bool Menue_Laden(bytes::Leser& l);

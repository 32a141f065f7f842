// The load and save screens: the ten save slots of the "spielstand" folder
// with each save game's description, manager, club, strength and crest. The
// manager picks a slot; load and save go to the calendar as requests with
// the slot, which it carries out on its next pass. On the save screen the
// chosen slot's description is typed in place. Slot 9 is the weekly
// autosave: it can be loaded, never chosen for saving.
// Opened from the main menu (dialog button 705, entries 0 and 1) and the match
// control bar (its load and save buttons) as Screen_Id::LADEN / SPEICHERN.
#pragma once

#include "base/spielstand.h"
#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_LADEN_RAHMEN = 1701,         // slot list of the load screen: its frame icon
    ICON_LADEN_SCHLEIER = 1702,       // the whole screen behind it
    ICON_LADEN_KNOPF = 1703,          // load
    ICON_LADEN_ABBRECHEN = 1704,      // cancel; also the right-click icon
    ICON_SPEICHERN_RAHMEN = 1715,     // slot list of the save screen: its frame icon
    ICON_SPEICHERN_KNOPF = 1716,      // save
    ICON_SPEICHERN_ABBRECHEN = 1717,  // cancel; also the right-click icon
    ICON_SPEICHERN_SCHLEIER = 1719,   // the whole screen behind it (its click saves after the confirm key)
};

constexpr i32 DISK_SLOTS = SPIELSTAND_SLOTS;
constexpr i32 DISK_AUTOSAVE_SLOT = 9;
constexpr i32 DISK_ZEILE_H = 27;
// Top of slot row r: 184 + 27 r; the list's rows reach from x 30 to 651.
constexpr i32 DISK_ZEILE_Y0 = 184;

// What a slot's file holds.
enum class Disk_Slot_Zustand : u8 {
    LEER,         // no file
    BELEGT,       // a save game of this program
    BESCHAEDIGT,  // a file that is not a readable save game: shown so, cannot be loaded
};

// The screens' records for the registry.
Screen_Def Disk_Screen_Laden_Def();
Screen_Def Disk_Screen_Speichern_Def();

// Open procedures: nothing when the screen is up already. Opening the save
// screen deselects the autosave slot first.
void Disk_Screen_Laden_Init();
void Disk_Screen_Speichern_Init();
// Sets the buttons' captions and help texts.
void Disk_Screen_Texte_Setzen();
// Reads every slot's description into the cache; deselects a slot that is
// no longer used.
void Disk_Screen_Slots_Aktualisieren();
// The description the save-game writer stores (`aus` of at least 30 bytes;
// nothing when null): the selected slot's text, else "Spielstand <n>".
void Disk_Screen_Get_Spielstand_Name(char* aus);
// The save-game writer's description hook: the text above (or the
// autosave's when `still`), the first human manager's name and club, the
// club's team number, balance and strength.
void Disk_Screen_Beschreibung(Spielstand_Beschreibung* aus, int still);

// The icons' procedures.
void Disk_Screen_Slot_Zeichnen(Rastport* ziel, i32 slot, bool speichern);
void Disk_Screen_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Disk_Screen_Klick(Screen_Icon* icon, u32 ereignis);
// The buttons, one procedure each: load, cancel loading, save (also the
// confirm key's way), cancel saving (any mouse button closes; after the
// confirm key it saves).
void Disk_Screen_Laden_Knopf_Klick(Screen_Icon* icon, u32 ereignis);
void Disk_Screen_Laden_Abbrechen_Klick(Screen_Icon* icon, u32 ereignis);
void Disk_Screen_Knopf_Klick(Screen_Icon* icon, u32 ereignis);
void Disk_Screen_Speichern_Abbrechen_Klick(Screen_Icon* icon, u32 ereignis);

// State, for tests and the writer.
i32 Disk_Screen_Gewaehlt();
void Disk_Screen_Set_Gewaehlt(i32 slot);
Disk_Slot_Zustand Disk_Screen_Slot_Zustand(i32 slot);
const Spielstand_Beschreibung& Disk_Screen_Slot(i32 slot);
// The slot row (0..9) a mouse point on the list hits, or -1.
i32 Disk_Screen_Zeile_Bei(i32 x, i32 y);

// The start of a game: the start screen (new game, continue, load, the
// network switch with server and client controls), the new-game wizard
// (number of managers, difficulty, then per manager name, face, country,
// club and league) and the finishing of the set-up (the world loaded, the
// managers created, the clubs moved into their leagues and fitted to them,
// start money and advertising).
//
// The season's run loop polls Spielstart_Pruefen in its new-game modes until
// it reports the set-up finished. The wizard's choices live in the lobby
// table Spielstart_Slots, one record per human manager.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

// --- Icons ------------------------------------------------------------------------------
enum : i16 {
    // Start screen.
    ICON_START_NEU = 891,        // new game (on a client: join)
    ICON_START_EDITOR = 892,     // the data editor (hidden until the editor exists)
    ICON_START_LADEN = 893,      // load a game
    ICON_START_WEITER = 894,     // continue the game saved last
    ICON_START_NETZ = 895,       // network on / off
    ICON_START_ROLLE = 896,      // server / client
    ICON_START_SUCHEN = 897,     // search the local network for a server
    ICON_START_ADRESSE = 898,    // edit the server address
    ICON_START_FELD = 899,       // the server address
    ICON_START_STOPP = 900,      // stop the search
    ICON_START_PRUEFEN = 901,    // test the connection
    // Wizard.
    ICON_WIZ_RAHMEN = 868,       // the summary at the left
    ICON_WIZ_KOPF = 869,         // list heading
    ICON_WIZ_ZURUECK = 870,
    ICON_WIZ_WEITER = 871,
    ICON_WIZ_NAME = 872,
    ICON_WIZ_EINTRAG = 873,      // 873..884: the list entries
    ICON_WIZ_BALKEN = 885,
    ICON_WIZ_KNOPF = 886,
    ICON_WIZ_PLUS = 887,
    ICON_WIZ_MINUS = 888,
    ICON_WIZ_ANZAHL = 889,
    ICON_WIZ_BEHALTEN = 890,
};
constexpr i32 WIZ_EINTRAEGE = 12;

// --- Lobby ------------------------------------------------------------------------------
struct Spielstart_Slot {
    char name[36];  // at most 35 characters, Windows-1252
    i32 land;       // the country team chosen, -1 none
    i32 liga;       // the league (competition id), -1 none
    i32 team;       // the club, -1 none
    i32 gesicht;    // 0..11, -1 none
    i32 behalten;   // 1: the club starts with its data unchanged
};
constexpr i32 SPIELSTART_SLOTS = 1000;
constexpr i32 SPIELSTART_MANAGER_MAX = 6;
// The wizard's direction of a client's start: to its manager's name page.
constexpr i32 SPIELSTART_CLIENT_START = 5;
constexpr i32 SPIELSTART_GESICHTER = 12;
constexpr i32 SPIELSTART_NAME_MAX = 35;
extern Spielstart_Slot Spielstart_Slots[SPIELSTART_SLOTS];

// The wizard's state (tests read it; the procedures below change it).
struct Spielstart_Zustand {
    i32 seite = -1;          // 0..7, -1 before the first page
    i32 anzahl = 1;          // managers 1..6
    i32 schwierigkeit = -1;  // 0..4
    i32 slot = 0;            // the manager being set up
    i32 erster = 0;          // first shown list entry
    i32 laender[1000] = {};  // country teams
    i32 laender_anzahl = 0;
    i32 teams[1000] = {};  // clubs of the chosen country
    i32 teams_anzahl = 0;
    i32 ligen[128] = {};  // base leagues
    i32 ligen_anzahl = 0;
    i32 verwaltet[1000] = {};  // the managed clubs, -1 free
    bool spieler_ok = false;   // the players were read as expected (for the team set-up after them)
};
Spielstart_Zustand& Spielstart_Get_Zustand();

// The start screen's network state.
struct Spielstart_Netz {
    i32 adresse[4] = {192, 168, 0, 1};  // the server address, -1 an octet missing
    i32 test = -1;                      // connection test: -1 not tested, 0 failed, 1 answered
    i64 summe = 0;                      // the address last seen, to notice edits
    bool suche_verlangt = false, suche_laeuft = false, gefunden = false;
    i32 oktett = 255;  // the octet shown during the search
};
Spielstart_Netz& Spielstart_Get_Netz();
// The settings value that keeps the address of the server last joined.
constexpr char SETTING_SERVER_ADRESSE[] = "Netz_Server";
// The name and face a client's manager joined with last: his wizard offers
// them again when he joins the next time.
constexpr char SETTING_CLIENT_NAME[] = "Netz_Manager_Name";
constexpr char SETTING_CLIENT_GESICHT[] = "Netz_Manager_Gesicht";

// --- Start screen -----------------------------------------------------------------------
// Polled by the run loop: on the first call the lobby is cleared and the
// start screen opens. True once the set-up is finished; `spieler_ok` gets
// whether the players were read as expected.
bool Spielstart_Pruefen(int unbenutzt, u8* spieler_ok);
bool Spielstart_Ist_Beendet();
void Spielstart_Set_Beendet();
// Back to the state before the first call (a new game, tests).
void Spielstart_Zuruecksetzen();
Screen_Def Spielstart_Screen_Def();
void Spielstart_Screen_Init();
// Shows the network controls that fit the role.
void Spielstart_Netz_Icons();
// The load screen's buttons while it is opened from the start screen: load
// the chosen slot, back to the start screen.
void Spielstart_Laden_Klick(Screen_Icon* icon, u32 ereignis);
void Spielstart_Laden_Zurueck_Klick(Screen_Icon* icon, u32 ereignis);
// The dotted text of the address (missing octets left out).
void Spielstart_Adresse_Text(const i32 adresse[4], char* aus, i32 groesse);
// One step of the server search (each frame while it runs).
void Spielstart_Suche_Schritt();

// The icons' procedures.
void Spielstart_Neu_Klick(Screen_Icon* icon, u32 ereignis);
void Spielstart_Editor_Klick(Screen_Icon* icon, u32 ereignis);
void Spielstart_Laden_Oeffnen_Klick(Screen_Icon* icon, u32 ereignis);
void Spielstart_Weiter_Klick(Screen_Icon* icon, u32 ereignis);
void Spielstart_Netz_Klick(Screen_Icon* icon, u32 ereignis);
void Spielstart_Rolle_Klick(Screen_Icon* icon, u32 ereignis);
void Spielstart_Suchen_Klick(Screen_Icon* icon, u32 ereignis);
void Spielstart_Adresse_Klick(Screen_Icon* icon, u32 ereignis);
void Spielstart_Stopp_Klick(Screen_Icon* icon, u32 ereignis);
void Spielstart_Pruefen_Klick(Screen_Icon* icon, u32 ereignis);
// The icons' draw procedures (captions, the address field, the search's step).
void Spielstart_Neu_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spielstart_Knopf_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spielstart_Netz_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spielstart_Rolle_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spielstart_Suchen_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spielstart_Adresse_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spielstart_Feld_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spielstart_Stopp_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spielstart_Pruefen_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);

// --- Wizard -------------------------------------------------------------------------------
// -1 back, 0 redraw, +1 next, +5 a client's start (at the country page).
void Spielstart_Seite_Init(i32 richtung);
// Whether the current page has its choice (next is allowed).
bool Spielstart_Seite_Fertig();
// Back and next; the manager count's plus and minus (held to 1..6); a list
// entry (a choice, and on to the next page).
void Spielstart_Zurueck_Klick(Screen_Icon* icon, u32 ereignis);
void Spielstart_Weiter_Seite_Klick(Screen_Icon* icon, u32 ereignis);
void Spielstart_Plus_Klick(Screen_Icon* icon, u32 ereignis);
void Spielstart_Minus_Klick(Screen_Icon* icon, u32 ereignis);
void Spielstart_Auswahl_Klick(Screen_Icon* icon, u32 ereignis);
void Spielstart_Behalten_Klick(Screen_Icon* icon, u32 ereignis);
void Spielstart_Liste_Scrollen(Screen_Icon* knopf, i32 index, u32 ereignis);
// Another slot than the current one has this club (its slot through `slot`).
bool Spielstart_Team_Vergeben(i32 team, i32* slot);
// Another slot than the current one has this face.
bool Spielstart_Kopf_Vergeben(i32 gesicht);
// A client: the server's start-team table knows the club (the user's name, whether he is active).
bool Spielstart_Client_Team_Info(i32 team, char* name, bool* vergeben);
// The final question's no.
void Spielstart_Abschluss_Nein();
// The checks of a name: not empty, at most 35 characters, every character in the font.
bool Spielstart_Name_Gueltig(const char* name);
// The wizard's videos (background, page): their container entries, -1 none.
i32 Spielstart_Video_Hintergrund();
i32 Spielstart_Video_Seite();

// Text procedures.
void Spielstart_Uebersicht(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spielstart_Listenkopf(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spielstart_Listeneintrag(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spielstart_Name_Seite(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spielstart_Anzahl_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spielstart_Zurueck_Text(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spielstart_Weiter_Text(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spielstart_Team_Behalten_Info(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);

// --- Finishing -------------------------------------------------------------------------
// Loads the world of a new game (teams, players, competitions); false when
// it cannot be read (the message is shown, nothing is kept).
bool Spielstart_Neues_Spiel();
// The managers, the difficulty, the clubs fitted, bank accounts and
// advertising; the set-up is finished.
void Spielstart_Abschliessen();
// League placement and fitting of the human clubs (not on a client).
void Spielstart_Teams_Angleichen();
// The start balance of a club at a difficulty (0..4; others: 2).
i64 Spielstart_Startgeld(i32 team, i32 schwierigkeit);

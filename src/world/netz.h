// The server rows of the world's network blocks and calls. Each works on the
// local records; the network layer only has to call them with the asking
// team in Aktuelles_Team. Answer blocks are new guarded heap blocks
// (W32_Memory_H_Free) and the function returns their byte length.
#pragma once

#include "base/bytes.h"
#include "base/types.h"

constexpr u32 NETZ_SPIELER_ZURUECK = 3520;  // 20 x (u32 number + 172 bytes)
constexpr u32 NETZ_ICON_STATUS = 33616;     // 4,202 x (u32 state + u32 word)
constexpr u32 STARTTEAM_GROESSE = 80;       // one entry of block 17
constexpr u32 NETZ_STARTTEAMS = 80000;      // block 17: at most 1,000 entries

// One entry of block 17: the slot of the club's human manager (65535 none),
// the club's and the manager's name, the club's user status bits, the slot
// of the club (-1 none) and the connection that asked; zeros up to
// STARTTEAM_GROESSE.
struct Startteam_Satz {
    u16 marke = 65535;
    char team_name[25] = {};
    char user[36] = {};
    u8 frei = 0;
    u32 status = 0;
    i32 slot = -1;
    i32 frager = -1;
};
template <class V, bytes::Art<Startteam_Satz> S>
constexpr void felder(V& v, S& r) {
    v(r.marke), v(r.team_name), v(r.user), v(r.frei), v(r.status), v(r.slot), v(r.frager);
}
static_assert(bytes::groesse<Startteam_Satz>() <= STARTTEAM_GROESSE);

// Block 0: {u16 number, record} entries; Spieler_Struktur when bit 1 of the
// mode is set, Spieler_Fix otherwise; team -1 every player, player -1 the
// whole selection.
u32 Spieler_Internet_Server_Send(u8** aus, int modus, int team, int spieler, int unbenutzt);
// Block 1: up to 20 {u32 number, 172-byte record}; only players of the
// asking team are taken; a number of -1 ends the list.
void Spieler_Internet_Server_Get_Data_Back(const u8* daten);
// Block 2.
void Spieler_Internet_Server_Send_Startinfo(u32* anzahl);
// Block 3: u16 count and the u16 numbers of the players whose new-data flag
// is set (the flags are cleared).
u32 Spieler_Internet_Server_Send_New_Client_Data(u8** aus);
// Block 4: an exchange asked for by a client, made only when the screens
// allow it to that client (Spieler_Tausch_Erlaubt): its own club with the
// transfer market, a transfer left, a sale (market player -1, price 0) or a
// purchase of a market player at a price the negotiation reaches (from the
// market value rounded down to 10,000 less 10,000, or the asking price when
// lower, up to the higher of asking price and market value); booked as the
// screens book it.
bool Spieler_Tausch_Erlaubt(i32 team_a, i32 team_b, i32 spieler_a, i32 spieler_b, i32 preis);
void Spieler_Tausch_Ausfuehren(i32 team_a, i32 team_b, i32 spieler_a, i32 spieler_b, i32 preis, u32* ok);

// Blocks 10..16 and 18.
void Team_Internet_Server_Send_T(u8* aus, int team);
void Team_Internet_Server_Send_T_Fix(u8* aus, int team);
void Team_Internet_Server_Send_T_Own(u16* wert, u8* aus, int team);
void Team_Internet_Server_Send_T_Block(u8* aus);
void Team_Internet_Server_Send_T_Fix_Block(u8* aus);
// Copies the record into Aktuelles_Team's Team_Own, keeping its bytes 2 and 3.
void Team_Internet_Server_Get_Data_Back(const u8* daten, u8 c0, u8 c1);
void Team_Internet_Server_Send_Startinfo(u32* teams, u32* kopie, u32* markt, u16* heimnation, u16* wert);
u32 Team_Internet_Server_Send_Spielerblock(u8** aus, int team, int auswahl);

// Block 17: one 80-byte entry per team (at most 1000): i16 slot of the human
// playing it (65535 none; 0 for a manager at the server's machine), the
// team's name from byte 2, its manager's name from byte 27, u32 status bits
// 16/32 at byte 64, u32 the playing client's slot at byte 68 (-1 none), u32
// the asking client's own slot at byte 72 (what it names in block 19).
void Team_Internet_Server_Send_Startteams(u8* aus80000, u32* anzahl);
// Block 19: records the team in the client slot with that index, sets the
// team's status bits 48; "Team_Internet_Server_Set_User_Active():ERROR!"
// when no used slot has that index.
void Team_Internet_Server_Set_User_Active(int slot, int team, const char* name36, i32 wert);

// Blocks 30..34.
void Manager_Internet_Server_Send_Managerdaten(u8* daten176, u8* daten8, u8* daten3);
void Manager_Internet_Server_Send_Startinfo_1(u32* anzahl, u32* schwierigkeit);
void Manager_Internet_Server_Send_Startinfo_2(int team, u8* kopf, char* name36);
void Manager_Internet_Server_Get_Data_Back(const u8* daten176, const u8* daten8, const u8* daten3);
void Manager_Internet_Server_Read_And_Write_Icon_Status(u8* daten, int richtung);

// Calls 1026, 1027. A booking asked for by a client is a payment of the
// asking team (Aktuelles_Team) to nobody, of a kind the screens book (14,
// 22, 27, 31), not forced, in euros, at least 1.
bool Bank_Internet_Server_Buchung(i32 zahler, i32 empfaenger, i32 betrag, i32 kategorie, i32 erzwingen, i32 waehrung);
void Bank_Internet_Server_Send_Buchungen(u8* aus8400, i32* ring_index, i32* periode, int team);

// Call 1028: runs only when one of the two teams is the asking team, the
// other -1, and the rate is -1.0 (the bank's rate); then Bank_Kredit.
bool Bank_Internet_Server_Kredit(i32 team1, i32 team2, f32 betrag, i32 laufzeit, u8 option, f32 zins);

// Call 1024: the bank's tables and the team's figures for the finance and
// credit screens: waehrung12 the three currency factors (f32), zinsen28 the
// seven rates of the term classes (f32), grenzen28 the classes' first months
// (i32), then three f32: the smallest and the largest credit and the team's
// credit line, the team's balance (f32), and konto52 thirteen i32: currency,
// booking period, credits, bookings in the ring, ring index, term 10..50,
// rate 1..100, the oldest period of the unbroken run of periods with
// bookings before the current one (as an offset, 0 none), three 0. The
// answer block is the currency table (Bank_Waehrung entries); its length is
// returned. A team without account gets the tables and zeros.
u32 Bank_Internet_Server_Send_Bankdaten(u8** aus, u8* waehrung12, u8* zinsen28, u8* grenzen28, f32* kredit_min,
                                        f32* kredit_max, f32* kreditrahmen, f32* kontostand, u8* konto52, int team);
// Call 1025: the team's credits as a block of 28-byte entries; the 20-byte
// header gets f64 balance, f32 credit line, i32 currency, i32 credit count.
u32 Bank_Internet_Server_Send_Kredite(u8** aus, u8* kopf20, int team);
// Call 1016: (team, upgrade to the next class, ticket price, seats, terraces)
// for the asking team only.
void Stadion_Internet_Server_Set_Daten(i32 team, i32 ausbauen, i32 preis, i32 sitz, i32 steh);
// Call 1017: makes sure the team has its stadium record; out its capacity.
void Stadion_Internet_Server_Get(i32 team, i32* kapazitaet);
// Call 1022: (team, action, a, b) for the asking team: action 0 takes the
// current offer, 1 asks for a new one (paying the fee), 2 fills the free
// boards, 3 sets the automatic byte to a. Result 1 when done.
i32 Werbung_Internet_Server_Set_Daten(i32 team, i32 aktion, i32 a, i32 b);

// ---------------------------------------------------------------------------
// Client side. On a network client these ask the server through the typed
// calls of netz_rufe.h (base/ruf.h); outside a client they do nothing and
// give false.
struct Welt_Netz_Hooks {
    // The server's client slots: their number, the team of a used slot (-1
    // unused), writing team, manager name (not when empty) and value (not
    // when -1) into the used slot with that index (false when none), and the
    // slot of the asking client.
    int (*slot_anzahl)() = [] { return 0; };
    i32 (*slot_team)(int slot) = [](int) { return -1; };
    bool (*slot_setzen)(int slot, i32 team, const char* name, i32 wert) = [](int, i32, const char*, i32) {
        return false;
    };
    int (*aktuelle_verbindung)() = [] { return -1; };
};
void Welt_Netz_Set_Hooks(const Welt_Netz_Hooks& hooks);

bool Spieler_Internet_Client_Get_Startinfo();
bool Spieler_Internet_Client_Init();
// mode 3: one player's Spieler_Struktur; mode 4: Spieler_Fix records (one
// player, or all for -1); other modes: Spieler_Struktur of all players.
bool Spieler_Internet_Client_Get_Data(int modus, int auswahl, int spieler, int auswahl2);
bool Spieler_Internet_Client_Send_Data_Back();
bool Spieler_Internet_Client_Refresh();
bool Team_Internet_Client_Get_Startinfo();
bool Team_Internet_Client_Init();
bool Team_Internet_Client_Refresh();
bool Team_Internet_Client_Send_T_Own();
// One club's records (blocks 10 and 11).
bool Team_Internet_Client_Get_T(int team);
bool Team_Internet_Client_Get_T_Own();
// Block 18: the team's squad with full records (the local squad list follows).
bool Team_Internet_Client_Get_Spielerblock(int team);
bool Team_Internet_Client_Get_Startteams(u8* eintraege80000, u32* anzahl);
bool Team_Internet_Client_Set_User_Active(int slot, int team, const char* name, int gesicht);
bool Manager_Internet_Client_Send_Data_Back();
// On a client: the own team's record and its players' records to the
// server, which checks the line-up they hold and hands the roles over; then
// the squad as the server holds it back here (false when a part did not go
// or come, and in single play or on a server).
bool Aufstellung_Internet_Client_Senden();
// On a client: the player, manager and own team records back to the server
// (false when one of them could not go, and in single play or on a server);
// the squad then comes back as the server holds it.
bool Internet_Client_Send_Data_Back();
// On a client: fetches one player's record again from the server (false for
// a number out of range, outside a client, or when no answer came).
bool Internet_Client_Get_Spieler(i32 spieler);
// Developer check on a client: fetches the fixed records of players 1 to 49
// one by one; the count fetched.
i32 Internet_Test_Lese_Spieler();
bool Manager_Internet_Client_Get_Startinfo_1();
bool Manager_Internet_Client_Get_Startinfo_2(int team, u8* kopf, char* name36);
bool Manager_Internet_Client_Refresh();
// The number of a client's next paying request: above the highest its club
// had carried out, which the server is asked for first (a client that joins
// again, or loads a game, goes on above it).
u32 Welt_Anfrage_Nummer();
bool Bank_Internet_Client_Refresh(int team);
bool Bank_Internet_Client_Get_Bankdaten(int team);
// On a client: a credit between the asking team and the bank goes to the
// server (call 1028) at the bank's rate for the term; on success the team's
// balance and credits are fetched again (call 1025). False when the server
// refuses, does not answer, or the rate is not the bank's.
bool Bank_Internet_Client_Kredit(int geber, int nehmer, f32 betrag, int laufzeit, int option, f32 zins);
// On a client: the team's balance, credit line and credits from the server
// (call 1025) into the local account; the old state is kept without an answer.
bool Bank_Internet_Client_Get_Kredite(int team);
bool Stadion_Internet_Client_Send_Daten(int team, const struct Stadion_Daten* daten);
bool Werbung_Internet_Client_Send_Daten(int team, int aktion, int a, int b);
// On a client: one advertising action of the team on the server (call
// 1022), then the team's record read back (call 1023). The server's answer,
// -1 without one.
i32 Werbung_Internet_Client_Aktion(int team, int aktion, int wert);
// On a client: the team's advertising record from the server (call 1023).
bool Werbung_Internet_Client_Get(int team);

// Call 1015: the team's stadium record as a one-node list image (node id =
// team); length 0 for a team without stadium.
u32 Stadion_Internet_Server_Send_Liste(u8** aus, int team);
// On a client: fetches the team's stadium record (call 1015) into the local one.
bool Stadion_Internet_Client_Get(int team);

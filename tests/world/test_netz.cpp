// Server rows of the world's blocks, formation moves, the union president.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/debug.h"
#include "base/globals.h"
#include "base/memory.h"
#include "welt_test.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/netz.h"
#include "world/spieler.h"
#include "world/stadion.h"
#include "world/welt.h"
#include "world/werbung.h"

namespace {

using Netz = Geladene_Welt;

TEST_F(Netz, PlayerBlocksCarryNumbersAndRecords) {
    u8* b = nullptr;
    u32 n = Spieler_Internet_Server_Send(&b, 2, 30, -1, 0);
    ASSERT_EQ(n, 20u * 174u);
    EXPECT_EQ(get_u16le(b), static_cast<u16>(Team_Kader(30)[0]));
    EXPECT_EQ(0, std::memcmp(b + 2, &Spieler_Daten[Team_Kader(30)[0]], 172));
    W32_Memory_H_Free(b);
    n = Spieler_Internet_Server_Send(&b, 0, -1, 77, 0);
    ASSERT_EQ(n, 50u);
    EXPECT_EQ(0, std::memcmp(b + 2, &Spieler_Fix_Daten[77], 48));
    W32_Memory_H_Free(b);
    u32 anzahl = 0;
    Spieler_Internet_Server_Send_Startinfo(&anzahl);
    EXPECT_EQ(anzahl, static_cast<u32>(Spieler_Anzahl));
    // New-data flags: listed once, then cleared.
    std::memset(Spieler_Flags, 0, static_cast<size_t>(Spieler_Anzahl));
    Spieler_Wert(90, 5, 2, OP_SCHREIBEN);
    Spieler_Wert(90, 900, 2, OP_SCHREIBEN);
    n = Spieler_Internet_Server_Send_New_Client_Data(&b);
    ASSERT_EQ(n, 6u);
    EXPECT_EQ(get_u16le(b), 2);
    EXPECT_EQ(get_u16le(b + 2), 5);
    EXPECT_EQ(get_u16le(b + 4), 900);
    W32_Memory_H_Free(b);
    n = Spieler_Internet_Server_Send_New_Client_Data(&b);
    EXPECT_EQ(n, 2u);
    W32_Memory_H_Free(b);
}

TEST_F(Netz, DataBackTakesOnlyTheAskingTeamsPlayers) {
    Aktuelles_Team = 40;
    std::vector<u8> d(NETZ_SPIELER_ZURUECK, 0xFF);
    int eigen = Team_Kader(40)[2], fremd = Team_Kader(41)[2];
    Spieler_Struktur a = Spieler_Daten[eigen], f = Spieler_Daten[fremd];
    a.moral = 1;
    a.team = 99;  // a client cannot move a player
    f.moral = 1;
    put_i32le(d.data(), eigen);
    std::memcpy(d.data() + 4, &a, 172);
    put_i32le(d.data() + 176, fremd);
    std::memcpy(d.data() + 180, &f, 172);
    int unmoeglich = Team_Kader(40)[3];  // an own player with an impossible injury kind
    Spieler_Struktur u = Spieler_Daten[unmoeglich];
    u.verletzung_art = 99;
    put_i32le(d.data() + 352, unmoeglich);
    std::memcpy(d.data() + 356, &u, 172);
    int fremd_moral = Spieler_Daten[fremd].moral;
    Spieler_Internet_Server_Get_Data_Back(d.data());
    EXPECT_EQ(Spieler_Daten[eigen].moral, 1);
    EXPECT_EQ(Spieler_Daten[eigen].team, 40);
    EXPECT_EQ(Spieler_Daten[fremd].moral, fremd_moral);
    EXPECT_LT(Spieler_Daten[unmoeglich].verletzung_art, VERLETZUNG_ANZAHL);
}

TEST_F(Netz, TeamRecordsAndOwnRecordWriteBack) {
    u8 t[52], f[116], o[768];
    u16 w;
    Team_Internet_Server_Send_T(t, 20);
    Team_Internet_Server_Send_T_Fix(f, 20);
    Team_Internet_Server_Send_T_Own(&w, o, 20);
    EXPECT_EQ(0, std::memcmp(t, &Team_Daten[20], 52));
    EXPECT_EQ(0, std::memcmp(f, &Team_Fix_Daten[20], 116));
    std::vector<u8> alle(52 * static_cast<size_t>(Team_Anzahl));
    Team_Internet_Server_Send_T_Block(alle.data());
    EXPECT_EQ(0, std::memcmp(alle.data() + 52 * 20, t, 52));
    Team_Own_Daten[20].server_wert = 0x1234;
    Aktuelles_Team = 20;
    o[2] = o[3] = 0x77;
    o[708] = 9;  // tactic byte 0 above its bound
    Debug_Mitschnitt log;
    Team_Internet_Server_Get_Data_Back(o, 0, 0);
    EXPECT_EQ(Team_Own_Daten[20].server_wert, 0x1234);
    EXPECT_EQ(Team_Own_Daten[20].taktik[0], 1);
    o[708] = 0;
    o[4] = 40;  // a formation cell beyond the pitch: the record is refused
    Team_Internet_Server_Get_Data_Back(o, 0, 0);
    EXPECT_EQ(Team_Own_Daten[20].taktik[0], 1);
    Team_Internet_Server_Get_Data_Back(nullptr, 0, 0);
    EXPECT_TRUE(log.Enthaelt("Team_Internet_Server_Get_Data_Back: NULL-Pointer!"));
    u32 a, b, m;
    u16 h, x;
    Team_Internet_Server_Send_Startinfo(&a, &b, &m, &h, &x);
    EXPECT_EQ(a, static_cast<u32>(Team_Anzahl));
    EXPECT_EQ(m, 0u);
}

i32 slot_teams[6] = {-1, 42, -1, -1, -1, -1};
int slots() { return 6; }
i32 slot_team(int k) { return slot_teams[k]; }
bool slot_setzen(int k, i32 t, const char*, i32) {
    if (k < 0 || k >= 6 || slot_teams[k] < 0) return false;
    slot_teams[k] = t;
    return true;
}

TEST_F(Netz, StartTeamsAndUserSlots) {
    Welt_Netz_Hooks h;
    h.slot_anzahl = slots;
    h.slot_team = slot_team;
    h.slot_setzen = slot_setzen;
    Welt_Netz_Set_Hooks(h);
    ASSERT_TRUE(Manager_Neuer_Mitspieler(44, "Bo Kamm", 1));
    std::vector<u8> tab(80000);
    u32 n = 0;
    Team_Internet_Server_Send_Startteams(tab.data(), &n);
    EXPECT_EQ(n, static_cast<u32>(Team_Anzahl));
    EXPECT_EQ(get_u16le(tab.data() + 80 * 43), 65535);
    EXPECT_EQ(get_u16le(tab.data() + 80 * 42), 1);
    EXPECT_EQ(get_i32le(tab.data() + 80 * 42 + 68), 1);
    EXPECT_EQ(get_u16le(tab.data() + 80 * 44), 0);  // the server's own manager
    EXPECT_STREQ(reinterpret_cast<char*>(tab.data() + 80 * 44 + 27), "Bo Kamm");
    EXPECT_STREQ(reinterpret_cast<char*>(tab.data() + 80 * 44 + 2), Team_Fix_Daten[44].name);
    Debug_Mitschnitt log;
    Team_Internet_Server_Set_User_Active(3, 45, "", -1);
    EXPECT_TRUE(log.Enthaelt("Team_Internet_Server_Set_User_Active():ERROR!"));
    Team_Internet_Server_Set_User_Active(1, 45, "Neu", -1);
    EXPECT_EQ(Team_Wert(7, 45, 0, 0) & 48, 48);
    Team_Internet_Server_Send_Startteams(tab.data(), &n);
    EXPECT_EQ(get_u32le(tab.data() + 80 * 45 + 64), 48u);
    Manager_Loeschen(44);
}

TEST_F(Netz, ManagerRowsAndIconStatus) {
    Aktuelles_Team = 50;
    Debug_Mitschnitt log;
    std::vector<u8> icons(NETZ_ICON_STATUS, 0);
    Manager_Internet_Server_Read_And_Write_Icon_Status(icons.data(), 0);
    EXPECT_TRUE(log.Enthaelt("SERVER: KEIN MANAGER BEIM CLIENT !!!"));
    ASSERT_TRUE(Manager_Neuer_Mitspieler(50, "Carla Vent", 7));
    Manager_Internet_Server_Read_And_Write_Icon_Status(icons.data(), 0);
    EXPECT_EQ(get_u32le(icons.data() + 813 * 4), 141u);
    put_u32le(icons.data() + 4201 * 4, 5);
    Manager_Internet_Server_Read_And_Write_Icon_Status(icons.data(), 1);
    EXPECT_EQ(Manager_Icon_Button_Lesen(50, 4201), 5u);
    u8 kopf;
    char name[36];
    Manager_Internet_Server_Send_Startinfo_2(50, &kopf, name);
    EXPECT_EQ(kopf, 7);
    EXPECT_STREQ(name, "Carla Vent");
    u8 d176[176], d8[8], d3[3];
    Manager_Internet_Server_Send_Managerdaten(d176, d8, d3);
    d176[0] = 'K';
    Manager_Internet_Server_Get_Data_Back(d176, d8, d3);
    EXPECT_EQ(Team_String(300, 50, nullptr, 0)[0], 'K');
    Manager_Loeschen(50);
}

TEST_F(Netz, ClientBookingsMustBePaidByTheAskingTeam) {
    Bank_Init();
    Bank_Konto_Anlegen(60, 1000000.0, 0);
    Bank_Konto_Anlegen(61, 1000000.0, 0);
    Aktuelles_Team = 60;
    EXPECT_FALSE(Bank_Internet_Server_Buchung(61, 60, 500000, 22, 0, -1));  // another team's money
    EXPECT_FALSE(Bank_Internet_Server_Buchung(-1, 60, 500000, 40, 1, -1));  // money from nowhere
    EXPECT_FALSE(Bank_Internet_Server_Buchung(60, -1, 0, 27, 0, -1));
    EXPECT_TRUE(Bank_Internet_Server_Buchung(60, -1, 30000, 27, 0, -1));
    std::vector<u8> b(8400);
    i32 ring = -1, periode = -1;
    Bank_Internet_Server_Send_Buchungen(b.data(), &ring, &periode, 60);
    EXPECT_EQ(ring, 1);
    EXPECT_FLOAT_EQ(get_f32le(b.data()), 30000.0f);
    Bank_Internet_Server_Send_Buchungen(b.data(), &ring, &periode, 62);
    EXPECT_EQ(ring, 0);
    EXPECT_EQ(b[0], 0);
}

TEST_F(Netz, CreditStadiumAndAdvertisingRows) {
    Bank_Init();
    Bank_Konto_Anlegen(80, 2000000.0, 0);
    ASSERT_TRUE(Bank_Kredit(-1, 80, 500000.0f, 24, 0, -1.0f, 0));
    u8* b = nullptr;
    u8 kopf[20];
    ASSERT_EQ(Bank_Internet_Server_Send_Kredite(&b, kopf, 80), 28u);
    EXPECT_EQ(get_i32le(kopf + 16), 1);
    EXPECT_EQ(get_i32le(b), -1);  // the bank lent it
    W32_Memory_H_Free(b);
    Aktuelles_Team = 80;
    // Call 1028: only the asking team with the bank, only at the bank's rate.
    Bank_Konto_Anlegen(81, 2000000.0, 0);
    Aktuelles_Team = 81;
    EXPECT_FALSE(Bank_Internet_Server_Kredit(80, -1, 200000.0f, 12, 0, -1.0f));
    EXPECT_FALSE(Bank_Internet_Server_Kredit(-1, 81, 200000.0f, 12, 0, 3.0f));
    EXPECT_FALSE(Bank_Internet_Server_Kredit(80, 81, 200000.0f, 12, 0, -1.0f));
    EXPECT_TRUE(Bank_Internet_Server_Kredit(-1, 81, 200000.0f, 12, 0, -1.0f));
    EXPECT_EQ(Bank_Get_Anzahl_Kredite(81), 1);
    Stadion_Init();
    Aktuelles_Team = 80;
    Stadion_Internet_Server_Set_Daten(81, 0, 40, 1000, 1000);  // not the asking team
    EXPECT_NE(Stadion_Get(81, 1)->eintrittspreis, 40);
    Stadion_Internet_Server_Set_Daten(80, 0, 99, 10000, 2000);
    EXPECT_EQ(Stadion_Get(80, 1)->eintrittspreis, 60);  // held to 5..60
    i32 kap = 0;
    Stadion_Internet_Server_Get(80, &kap);
    EXPECT_EQ(kap, 12000);
    u8* liste = nullptr;
    u32 n = Stadion_Internet_Server_Send_Liste(&liste, 80);
    ASSERT_EQ(n, 4u + 24u + 64u + 4u);
    EXPECT_EQ(get_u32le(liste), 0xFFFFFFFFu);
    EXPECT_EQ(0, std::memcmp(liste + 28, Stadion_Get(80, 1), 64));
    W32_Memory_H_Free(liste);
    EXPECT_EQ(Stadion_Internet_Server_Send_Liste(&liste, 0), 0u);  // the market has no stadium
    Werbung_Init();
    EXPECT_EQ(Werbung_Internet_Server_Set_Daten(80, 1, 0, 0), 0);  // no manager, no record
    ASSERT_TRUE(Manager_Neuer_Mitspieler(80, "Ole Brink", -1));
    Werbung_Init_Team(80, 1);
    EXPECT_EQ(Werbung_Internet_Server_Set_Daten(80, 1, 0, 0), 1);
    EXPECT_EQ(Werbung_Internet_Server_Set_Daten(80, 0, 0, 0), 1);
    EXPECT_EQ(Werbung_Internet_Server_Set_Daten(80, 3, 1, 0), 1);
    EXPECT_EQ(Werbung_Get(80)->automatik, 1);
    Manager_Loeschen(80);
    Werbung_Free();
    Stadion_Free();
}

TEST_F(Netz, FormationMoveResortsTheStarters) {
    const int t = 70;
    Team_Aktiv = t;
    Aufstellung_Automatisch(t);
    i32 s[20];
    ASSERT_EQ(Teamspieler_Ins_Array(t, s, 20, SP_STATUS_AUFGESTELLT), 11);
    int feld = -1;
    for (int i = 0; i < 11; i++)
        if (Spieler_Wert(83, s[i], 0, 0) != 0) feld = s[i];
    ASSERT_TRUE(Spieler_Setze_Formationsposition(feld, 6, 10));
    EXPECT_EQ(Spieler_Wert(87, feld, 0, 0), 0);  // largest key first
    std::vector<int> slots;
    for (int i = 0; i < 11; i++) slots.push_back(Spieler_Wert(87, s[i], 0, 0));
    std::sort(slots.begin(), slots.end());
    EXPECT_EQ(slots, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    const Formation& f = Team_Own_Daten[t].formationen[Team_Wert(8, t, 0, 0) & 0x0F];
    EXPECT_EQ(f.spalte[0], 6);
    EXPECT_EQ(f.zeile[0], 10);
    EXPECT_FALSE(Spieler_Setze_Formationsposition(Team_Kader(71)[0], 1, 1));  // not the active team
    // Bexot: back to the built-in formation.
    Bexot_Spieler_Formation_Zuruecksetzen(t);
    Formation b = Formation_Standard(Team_Wert(8, t, 0, 0) & 0x0F);
    EXPECT_EQ(0, std::memcmp(&b, &f, sizeof b));
}

}  // namespace

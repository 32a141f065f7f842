// Client side of the world's network blocks.
#include <cstdio>
#include <cmath>
#include <cstring>
#include <vector>

#include "base/debug.h"
#include "base/globals.h"
#include "world/bank.h"
#include "world/netz.h"
#include "world/stadion.h"
#include "world/welt.h"

Bank_Konto* Bank_Konto_Schreibbar(int team);

namespace {
Welt_Netz_Hooks netz;
i32 start_teams = -1, start_spieler = -1;

// Copies {u16 number, record} entries into the local arrays.
void eintraege_nehmen(const u8* d, i32 laenge, bool struktur) {
    const i32 groesse = 2 + static_cast<i32>(struktur ? sizeof(Spieler_Struktur) : sizeof(Spieler_Fix));
    for (i32 p = 0; d && p + groesse <= laenge; p += groesse) {
        int s = get_u16le(d + p);
        if (s >= Spieler_Anzahl) continue;
        if (struktur) std::memcpy(&Spieler_Daten[s], d + p + 2, sizeof(Spieler_Struktur));
        else std::memcpy(&Spieler_Fix_Daten[s], d + p + 2, sizeof(Spieler_Fix));
    }
}
}  // namespace

void Welt_Set_Netz_Hooks(const Welt_Netz_Hooks& h) {
    if (h.client_lesen) netz.client_lesen = h.client_lesen;
    if (h.slot_anzahl) netz.slot_anzahl = h.slot_anzahl;
    if (h.slot_team) netz.slot_team = h.slot_team;
    if (h.slot_setzen) netz.slot_setzen = h.slot_setzen;
    if (h.aktuelle_verbindung) netz.aktuelle_verbindung = h.aktuelle_verbindung;
}

const Welt_Netz_Hooks& Welt_Netz() { return netz; }

bool Welt_Netz_Client() { return Internet_Modus == INTERNET_MODUS_CLIENT && netz.client_lesen; }

bool Spieler_Internet_Client_Get_Startinfo() {
    if (!Welt_Netz_Client()) return false;
    u32 n = 0;
    netz.client_lesen(2, "vI4", &n);
    start_spieler = static_cast<i32>(n);
    return true;
}

bool Team_Internet_Client_Get_Startinfo() {
    if (!Welt_Netz_Client()) return false;
    u32 teams = 0, kopie = 0, markt = 0;
    u16 heim = 65535, wert = 0;
    netz.client_lesen(16, "vI4I4I4W2W2", &teams, &kopie, &markt, &heim, &wert);
    start_teams = static_cast<i32>(teams);
    Team_Transfermarkt = static_cast<i32>(markt);
    Team_Heimnation = heim;
    return true;
}

// The arrays of the world as big as the server's, once both counts are known.
static bool anlegen() {
    if (start_teams <= 0 || start_spieler < 0) return false;
    if (Team_Anzahl == start_teams && Spieler_Anzahl == start_spieler) return true;
    i32 markt = Team_Transfermarkt;
    u16 heim = Team_Heimnation;
    bool ok = Welt_Anlegen(start_teams, start_spieler);
    Team_Transfermarkt = markt;
    Team_Heimnation = heim;
    return ok;
}

bool Spieler_Internet_Client_Init() { return Welt_Netz_Client() && anlegen(); }
bool Team_Internet_Client_Init() { return Welt_Netz_Client() && anlegen(); }

bool Spieler_Internet_Client_Get_Data(int modus, int, int spieler, int) {
    if (!Welt_Netz_Client() || !Spieler_Daten) return false;
    const bool struktur = modus != 4;
    u8* d = nullptr;
    i32 n = netz.client_lesen(0, "iV<=0iiii", &d, struktur ? 2 : 0, -1, spieler, 0);
    eintraege_nehmen(d, n, struktur);
    return n >= 0;
}

bool Spieler_Internet_Client_Refresh() {
    if (!Spieler_Internet_Client_Get_Data(2, -1, -1, -1)) return false;
    Team_Kader_Neu_Aufbauen();
    return true;
}

bool Spieler_Internet_Client_Send_Data_Back() {
    if (!Welt_Netz_Client() || Team_Aktiv < 0 || Team_Aktiv >= Team_Anzahl) return false;
    std::vector<u8> d(NETZ_SPIELER_ZURUECK, 0xFF);
    int n = Team_Kader_Anzahl(Team_Aktiv);
    for (int i = 0; i < n && i < 20; i++) {
        int s = Team_Kader(Team_Aktiv)[i];
        put_i32le(d.data() + i * 176, s);
        std::memcpy(d.data() + i * 176 + 4, &Spieler_Daten[s], sizeof(Spieler_Struktur));
    }
    netz.client_lesen(1, "vV>3520", d.data());
    return true;
}

bool Team_Internet_Client_Refresh() {
    if (!Welt_Netz_Client() || !Team_Daten) return false;
    char t[32];
    std::snprintf(t, sizeof t, "vV<%d", static_cast<int>(sizeof(Team_Struktur)) * Team_Anzahl);
    netz.client_lesen(13, t, Team_Daten);
    std::snprintf(t, sizeof t, "vV<%d", static_cast<int>(sizeof(Team_Fix)) * Team_Anzahl);
    netz.client_lesen(14, t, Team_Fix_Daten);
    return Team_Internet_Client_Get_T_Own();
}

bool Team_Internet_Client_Get_T_Own() {
    if (!Welt_Netz_Client() || Team_Aktiv < 0 || Team_Aktiv >= Team_Anzahl) return false;
    u16 w = 0;
    netz.client_lesen(12, "vW2V<768i", &w, &Team_Own_Daten[Team_Aktiv], Team_Aktiv);
    return true;
}

bool Team_Internet_Client_Send_T_Own() {
    if (!Welt_Netz_Client() || Team_Aktiv < 0 || Team_Aktiv >= Team_Anzahl) return false;
    netz.client_lesen(15, "vV>768cc", &Team_Own_Daten[Team_Aktiv], 0, 0);
    return true;
}

bool Team_Internet_Client_Get_Startteams(u8* eintraege, u32* anzahl) {
    if (!Welt_Netz_Client() || !eintraege || !anzahl) return false;
    netz.client_lesen(17, "vC<80000I<4", eintraege, anzahl);
    return true;
}

bool Team_Internet_Client_Set_User_Active(int slot, int team, const char* name, int gesicht) {
    if (!Welt_Netz_Client()) return false;
    char n[36] = {};
    if (name) std::strncpy(n, name, 35);
    netz.client_lesen(19, "viiC>36i", slot, team, n, gesicht);
    return true;
}

bool Manager_Internet_Client_Send_Data_Back() {
    if (!Welt_Netz_Client()) return false;
    Manager_Struktur* m = Team_Aktiv >= 0 && Team_Aktiv < Team_Anzahl ? Team_Manager[Team_Aktiv] : nullptr;
    if (!m) {
        Debug_Out(DEBUG_FEHLER, "CLIENT: KEIN MANAGER !!!");
        return false;
    }
    netz.client_lesen(33, "vV>176V>8V>3", &m->daten, m->menue_wahl, m->einstellungen);
    std::vector<u8> icons(NETZ_ICON_STATUS);
    std::memcpy(icons.data(), m->icon_status, sizeof m->icon_status);
    std::memcpy(icons.data() + sizeof m->icon_status, m->icon_wort, sizeof m->icon_wort);
    netz.client_lesen(34, "vV>33616", icons.data());
    return true;
}

bool Manager_Internet_Client_Get_Startinfo_1() {
    if (!Welt_Netz_Client()) return false;
    u32 a = 0, b = 2;
    netz.client_lesen(31, "vI4I4", &a, &b);
    Schwierigkeit = static_cast<i32>(b > 4 ? 2 : b);
    return true;
}

bool Manager_Internet_Client_Get_Startinfo_2(int team, u8* kopf, char* name36) {
    if (!Welt_Netz_Client() || !kopf || !name36) return false;
    netz.client_lesen(32, "viC<1C<36", team, kopf, name36);
    name36[35] = 0;
    return true;
}

bool Manager_Internet_Client_Refresh() {
    if (!Welt_Netz_Client()) return false;
    Manager_Struktur* m = Team_Aktiv >= 0 && Team_Aktiv < Team_Anzahl ? Team_Manager[Team_Aktiv] : nullptr;
    if (!m) return false;
    netz.client_lesen(30, "vV<176V<8V<3", &m->daten, m->menue_wahl, m->einstellungen);
    m->daten.name[sizeof m->daten.name - 1] = 0;
    std::vector<u8> icons(NETZ_ICON_STATUS);
    netz.client_lesen(34, "vV<33616", icons.data());
    std::memcpy(m->icon_status, icons.data(), sizeof m->icon_status);
    std::memcpy(m->icon_wort, icons.data() + sizeof m->icon_status, sizeof m->icon_wort);
    return true;
}

bool Bank_Internet_Client_Refresh(int team) {
    if (!Welt_Netz_Client()) return false;
    std::vector<u8> b(sizeof(Bank_Buchung) * BANK_BUCHUNGEN);
    i32 ring = 0, periode = 0;
    netz.client_lesen(1027, "vC<8400C<4C<4i", b.data(), &ring, &periode, team);
    Bank_Konto* k = Bank_Konto_Schreibbar(team);
    if (!k || ring < 0 || ring >= BANK_BUCHUNGEN) return false;
    std::memcpy(k->buchung, b.data(), b.size());
    k->ring_index = ring;
    return true;
}

// The bank's tables and the team's credit line and currency (call 1024),
// then its bookings.
bool Bank_Internet_Client_Get_Bankdaten(int team) {
    if (!Welt_Netz_Client()) return false;
    u8* block = nullptr;
    u8 w12[12] = {}, z28[28] = {}, g28[28] = {}, k52[52] = {};
    f32 kmin = 0, kmax = 0, rahmen = 0, stand = 0;
    i32 n = netz.client_lesen(1024, "iC<=0C<12C<28C<28F<4F<4F<4F<4C<52i", &block, w12, z28, g28, &kmin, &kmax, &rahmen,
                              &stand, k52, team);
    Bank_Konto* k = Bank_Konto_Schreibbar(team);
    // Without the full answer (the currency table) the local account stays as it is.
    if (!k || n != static_cast<i32>(BANK_WAEHRUNGEN * sizeof(Bank_Waehrung))) return false;
    i32 w = get_i32le(k52);
    if (w >= 0 && w < BANK_WAEHRUNGEN) k->waehrung = w;
    if (std::isfinite(rahmen) && rahmen >= 0) k->kreditrahmen = rahmen;
    return Bank_Internet_Client_Refresh(team);
}

bool Stadion_Internet_Client_Send_Daten(int team, const Stadion_Daten* d) {
    if (!Welt_Netz_Client() || !d) return false;
    netz.client_lesen(1016, "viiiii", team, 0, d->eintrittspreis, d->sitzplaetze, d->stehplaetze);
    return true;
}

bool Werbung_Internet_Client_Send_Daten(int team, int aktion, int a, int b) {
    if (!Welt_Netz_Client()) return false;
    return netz.client_lesen(1022, "ciiii", team, aktion, a, b) != 0;
}

// Bookings and exchanges of a client go to the server.
i32 Welt_Netz_Buchung(int zahler, int empfaenger, f32 betrag, int kategorie, int erzwingen, int waehrung) {
    return netz.client_lesen(1026, "ciiiiii", zahler, empfaenger, static_cast<i32>(betrag), kategorie, erzwingen, waehrung);
}

i32 Welt_Netz_Tausch(int ta, int tb, int sa, int sb, i32 preis) {
    u32 ok = 0;
    netz.client_lesen(4, "viiiiiI4", ta, tb, sa, sb, preis, &ok);
    return ok ? 1 : 0;
}

#include "base/liste.h"

bool Stadion_Internet_Client_Get(int team) {
    if (!Welt_Netz_Client()) return false;
    Stadion_Daten* s = Stadion_Get(team, 0);
    if (!s) return false;
    u8* d = nullptr;
    i32 n = netz.client_lesen(1015, "iC<=0i", &d, team);
    if (!d || n <= 0) return false;
    Liste_Kopf l{};
    if (!Liste_Init(&l)) return false;
    bool ok = Liste_From_Mem(&l, d, static_cast<u32>(n));
    Liste_Element* e = ok ? Liste_First_Element(&l) : nullptr;
    ok = e && e->size == sizeof(Stadion_Daten) && e->id == static_cast<u32>(team);
    if (ok) std::memcpy(s, e->data, sizeof *s);
    Liste_Freigeben(&l);
    return ok;
}

// Client side of the world's network blocks.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "base/debug.h"
#include "base/globals.h"
#include "world/bank.h"
#include "world/netz.h"
#include "world/netz_rufe.h"
#include "world/stadion.h"
#include "world/welt.h"
#include "world/werbung.h"

Bank_Konto* Bank_Konto_Schreibbar(int team);

namespace {
Welt_Netz_Hooks netz;
i32 start_teams = -1, start_spieler = -1;

// Takes {u16 number, record} entries into the local arrays.
template <class R>
void eintraege_nehmen(const std::vector<u8>& d, R* ziel) {
    bytes::Leser l(d.data(), d.size());
    while (!l.fehler && l.pos < d.size()) {
        u16 s = 0;
        R r{};
        l(s), l(r);
        if (!l.fehler && s < Spieler_Anzahl) ziel[s] = r;
    }
}

Manager_Struktur* eigener_manager() {
    return Team_Aktiv >= 0 && Team_Aktiv < Team_Anzahl && Team_Manager ? Team_Manager[Team_Aktiv] : nullptr;
}
}  // namespace

void Welt_Netz_Set_Hooks(const Welt_Netz_Hooks& h) { netz = h; }

const Welt_Netz_Hooks& Welt_Netz() { return netz; }

bool Spieler_Internet_Client_Get_Startinfo() {
    if (!ruf::Client()) return false;
    const auto n = ruf::Rufen(RUF_SPIELER_STARTINFO);
    if (!n) return false;
    start_spieler = static_cast<i32>(*n);
    return true;
}

bool Team_Internet_Client_Get_Startinfo() {
    if (!ruf::Client()) return false;
    const auto s = ruf::Rufen(RUF_TEAM_STARTINFO);
    if (!s) return false;
    start_teams = static_cast<i32>(s->teams);
    Team_Transfermarkt = static_cast<i32>(s->markt);
    Team_Heimnation = s->heimnation;
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

bool Spieler_Internet_Client_Init() { return ruf::Client() && anlegen(); }
bool Team_Internet_Client_Init() { return ruf::Client() && anlegen(); }

bool Spieler_Internet_Client_Get_Data(int modus, int, int spieler, int) {
    if (!ruf::Client() || !Spieler_Daten) return false;
    const bool struktur = modus != 4;
    const auto d = ruf::Rufen(RUF_SPIELER_DATEN, struktur ? 2 : 0, -1, spieler);
    if (!d) return false;
    if (struktur) eintraege_nehmen(*d, Spieler_Daten);
    else eintraege_nehmen(*d, Spieler_Fix_Daten);
    return true;
}

bool Team_Internet_Client_Get_Spielerblock(int team) {
    if (!ruf::Client() || !Spieler_Daten || team < 0 || team >= Team_Anzahl) return false;
    const auto d = ruf::Rufen(RUF_TEAM_SPIELERBLOCK, team, 2);
    if (!d) return false;
    // Players who left the squad on the server are no longer the team's here.
    for (int s = 0; s < Spieler_Anzahl; s++)
        if (Spieler_Daten[s].team == team) Spieler_Daten[s].team = -1;
    eintraege_nehmen(*d, Spieler_Daten);
    Team_Kader_Neu_Aufbauen();
    return true;
}

bool Spieler_Internet_Client_Refresh() {
    if (!Spieler_Internet_Client_Get_Data(2, -1, -1, -1)) return false;
    Team_Kader_Neu_Aufbauen();
    return true;
}

bool Spieler_Internet_Client_Send_Data_Back() {
    if (!ruf::Client() || Team_Aktiv < 0 || Team_Aktiv >= Team_Anzahl) return false;
    // A squad larger than one block goes in several.
    const int n = Team_Kader_Anzahl(Team_Aktiv);
    int i = 0;
    do {
        Spieler_Zurueck_Liste liste{};
        for (size_t k = 0; k < liste.size() && i < n; k++, i++) {
            const int s = Team_Kader(Team_Aktiv)[i];
            liste[k] = {s, Spieler_Daten[s]};
        }
        if (!ruf::Rufen(RUF_SPIELER_ZURUECK, liste)) return false;
    } while (i < n);
    return true;
}

bool Team_Internet_Client_Refresh() {
    if (!ruf::Client() || !Team_Daten) return false;
    const auto t = ruf::Rufen(RUF_TEAM_BLOCK);
    const auto f = ruf::Rufen(RUF_TEAM_FIX_BLOCK);
    // Only blocks of the local world's size are taken.
    if (t && t->size() == static_cast<size_t>(Team_Anzahl)) std::copy(t->begin(), t->end(), Team_Daten);
    if (f && f->size() == static_cast<size_t>(Team_Anzahl)) std::copy(f->begin(), f->end(), Team_Fix_Daten);
    return Team_Internet_Client_Get_T_Own();
}

bool Team_Internet_Client_Get_T(int team) {
    if (!ruf::Client() || !Team_Daten || team < 0 || team >= Team_Anzahl) return false;
    const auto t = ruf::Rufen(RUF_TEAM_T, team);
    const auto f = ruf::Rufen(RUF_TEAM_T_FIX, team);
    if (!t || !f) return false;
    Team_Daten[team] = *t;
    Team_Fix_Daten[team] = *f;
    return true;
}

bool Team_Internet_Client_Get_T_Own() {
    if (!ruf::Client() || Team_Aktiv < 0 || Team_Aktiv >= Team_Anzahl) return false;
    const auto o = ruf::Rufen(RUF_TEAM_OWN, Team_Aktiv);
    if (o) Team_Own_Daten[Team_Aktiv] = std::get<1>(*o);
    return true;
}

bool Team_Internet_Client_Send_T_Own() {
    if (!ruf::Client() || Team_Aktiv < 0 || Team_Aktiv >= Team_Anzahl) return false;
    ruf::Rufen(RUF_TEAM_OWN_ZURUECK, Team_Own_Daten[Team_Aktiv], 0, 0);
    return true;
}

bool Team_Internet_Client_Get_Startteams(u8* eintraege, u32* anzahl) {
    if (!ruf::Client() || !eintraege || !anzahl) return false;
    const auto b = ruf::Rufen(RUF_STARTTEAMS);
    if (!b || b->size() > NETZ_STARTTEAMS) return false;
    std::memset(eintraege, 0, NETZ_STARTTEAMS);
    std::copy(b->begin(), b->end(), eintraege);
    *anzahl = static_cast<u32>(b->size() / STARTTEAM_GROESSE);
    return true;
}

bool Team_Internet_Client_Set_User_Active(int slot, int team, const char* name, int gesicht) {
    if (!ruf::Client()) return false;
    Name36 n{};
    if (name) std::strncpy(n.data(), name, n.size() - 1);
    ruf::Rufen(RUF_USER_AKTIV, slot, team, n, gesicht);
    return true;
}

bool Manager_Internet_Client_Send_Data_Back() {
    if (!ruf::Client()) return false;
    Manager_Struktur* m = eigener_manager();
    if (!m) {
        Debug_Out(DEBUG_FEHLER, "CLIENT: KEIN MANAGER !!!");
        return false;
    }
    Manager_Teil teil{m->daten, {m->menue_wahl[0], m->menue_wahl[1]}, {}};
    std::copy(std::begin(m->einstellungen), std::end(m->einstellungen), teil.einstellungen);
    ruf::Rufen(RUF_MANAGER_ZURUECK, teil);
    auto icons = std::make_unique<Manager_Icons>();
    std::copy(std::begin(m->icon_status), std::end(m->icon_status), icons->status);
    std::copy(std::begin(m->icon_wort), std::end(m->icon_wort), icons->wort);
    ruf::Rufen(RUF_MANAGER_ICONS, 1, *icons);
    return true;
}

bool Aufstellung_Internet_Client_Senden() {
    if (!ruf::Client()) return false;
    // The club's formation goes before the players, whose line-up the server
    // checks with it; the squad then comes back as the server holds it.
    const bool team = Team_Internet_Client_Send_T_Own();
    const bool spieler = Spieler_Internet_Client_Send_Data_Back() && Team_Internet_Client_Get_Spielerblock(Team_Aktiv);
    return team && spieler;
}

bool Internet_Client_Send_Data_Back() {
    if (!ruf::Client()) return false;
    // Each part goes even when one before it failed: the server keeps what came.
    const bool aufstellung = Aufstellung_Internet_Client_Senden();
    const bool manager = Manager_Internet_Client_Send_Data_Back();
    return aufstellung && manager;
}

bool Manager_Internet_Client_Get_Startinfo_1() {
    if (!ruf::Client()) return false;
    const auto a = ruf::Rufen(RUF_MANAGER_STARTINFO_1);
    const u32 b = a ? std::get<1>(*a) : 2;
    Schwierigkeit = static_cast<i32>(b > 4 ? 2 : b);
    return true;
}

bool Manager_Internet_Client_Get_Startinfo_2(int team, u8* kopf, char* name36) {
    if (!ruf::Client() || !kopf || !name36) return false;
    const auto a = ruf::Rufen(RUF_MANAGER_STARTINFO_2, team);
    if (a) {
        *kopf = std::get<0>(*a);
        std::copy(std::get<1>(*a).begin(), std::get<1>(*a).end(), name36);
    }
    name36[35] = 0;
    return true;
}

bool Manager_Internet_Client_Refresh() {
    if (!ruf::Client()) return false;
    Manager_Struktur* m = eigener_manager();
    if (!m) return false;
    if (const auto t = ruf::Rufen(RUF_MANAGER_DATEN)) {
        m->daten = t->daten;
        std::copy(std::begin(t->menue_wahl), std::end(t->menue_wahl), m->menue_wahl);
        std::copy(std::begin(t->einstellungen), std::end(t->einstellungen), m->einstellungen);
    }
    m->daten.name[sizeof m->daten.name - 1] = 0;
    auto leer = std::make_unique<Manager_Icons>();
    if (const auto icons = ruf::Rufen(RUF_MANAGER_ICONS, 0, *leer)) {
        std::copy(std::begin(icons->status), std::end(icons->status), m->icon_status);
        std::copy(std::begin(icons->wort), std::end(icons->wort), m->icon_wort);
    }
    return true;
}

bool Bank_Internet_Client_Refresh(int team) {
    if (!ruf::Client()) return false;
    const auto a = ruf::Rufen(RUF_BANK_BUCHUNGEN, team);
    Bank_Konto* k = Bank_Konto_Schreibbar(team);
    if (!a || !k) return false;
    const auto& [buchungen, ring, periode] = *a;
    if (ring < 0 || ring >= BANK_BUCHUNGEN || !Bank_Periode_Uebernehmen(periode)) return false;
    std::copy(buchungen.begin(), buchungen.end(), k->buchung);
    k->ring_index = ring;
    // The answer gives no count: the ring is filled from its start and
    // every booking has an amount, so the last one with an amount ends it
    // (a ring gone round is full). Without it the client's sums would stop
    // at the count it had before.
    i32 n = 0;
    for (i32 i = 0; i < BANK_BUCHUNGEN; ++i)
        if (k->buchung[i].betrag != 0.0f) n = i + 1;
    k->anzahl = n;
    return true;
}

// The bank's tables and the team's credit line and currency (call 1024),
// then its bookings.
bool Bank_Internet_Client_Get_Bankdaten(int team) {
    if (!ruf::Client()) return false;
    const auto a = ruf::Rufen(RUF_BANKDATEN, team);
    Bank_Konto* k = Bank_Konto_Schreibbar(team);
    // Without the full answer (the currency table) the local account stays as it is.
    if (!k || !a || a->waehrungen.size() != static_cast<size_t>(BANK_WAEHRUNGEN)) return false;
    const i32 w = a->konto[0];
    if (w >= 0 && w < BANK_WAEHRUNGEN) k->waehrung = w;
    if (std::isfinite(a->kreditrahmen) && a->kreditrahmen >= 0) k->kreditrahmen = a->kreditrahmen;
    return Bank_Internet_Client_Refresh(team);
}

bool Bank_Internet_Client_Get_Kredite(int team) {
    if (!ruf::Client()) return false;
    const auto a = ruf::Rufen(RUF_BANK_KREDITE, team);
    Bank_Konto* k = Bank_Konto_Schreibbar(team);
    if (!a || !k || !std::isfinite(a->kontostand)) return false;
    if (!Bank_Kredite_Setzen(team, a->kredite.data(), static_cast<int>(a->kredite.size()))) return false;
    k->kontostand = a->kontostand;
    if (std::isfinite(a->kreditrahmen) && a->kreditrahmen >= 0) k->kreditrahmen = a->kreditrahmen;
    if (a->waehrung >= 0 && a->waehrung < BANK_WAEHRUNGEN) k->waehrung = a->waehrung;
    return true;
}

u32 Welt_Anfrage_Nummer() {
    if (const auto stand = ruf::Rufen(RUF_ANFRAGE_STAND)) ruf::Anfrage_Ab(*stand);
    return ruf::Anfrage_Nummer();
}

bool Bank_Internet_Client_Kredit(int geber, int nehmer, f32 betrag, int laufzeit, int option, f32 zins) {
    if (!ruf::Client() || (geber >= 0 && nehmer >= 0)) return false;
    // The server books only at the bank's rate, asked for as -1.
    const f32 bankzins = Bank_Get_Zins(Bank_Get_Laufzeit_Klasse(laufzeit));
    if (zins != -1.0f && zins != bankzins) return false;
    const auto ok = ruf::Rufen(RUF_BANK_KREDIT, geber, nehmer, betrag, laufzeit, static_cast<u8>(option), -1.0f,
                               Welt_Anfrage_Nummer());
    if (!ok || *ok == 0) return false;
    const int team = geber >= 0 ? geber : nehmer;
    Bank_Internet_Client_Get_Kredite(team);
    Bank_Internet_Client_Refresh(team);
    return true;
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
bool Stadion_Internet_Client_Send_Daten(int team, const Stadion_Daten* d) {
    if (!ruf::Client() || !d) return false;
    ruf::Rufen(RUF_STADION_SETZEN, team, 0, d->eintrittspreis, d->sitzplaetze, d->stehplaetze);
    return true;
}

i32 Werbung_Internet_Client_Aktion(int team, int aktion, int wert) {
    if (!ruf::Client()) return -1;
    // A search carries the request's number (the server takes each once).
    const u32 nummer = aktion == WERBUNG_AKTION_SUCHEN ? Welt_Anfrage_Nummer() : 0;
    const auto a = ruf::Rufen(RUF_WERBUNG_SETZEN, team, aktion, wert, static_cast<i32>(nummer));
    Werbung_Internet_Client_Get(team);
    // A search pays its fee on the server.
    if (aktion == WERBUNG_AKTION_SUCHEN) Bank_Internet_Client_Get_Kredite(team);
    return a ? *a : -1;
}

bool Werbung_Internet_Client_Get(int team) {
    if (!ruf::Client()) return false;
    const auto a = ruf::Rufen(RUF_WERBUNG_DATEN, team);
    if (!a || std::get<0>(*a) != 1) return false;
    return Werbung_Setzen(team, std::get<1>(*a));
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
bool Werbung_Internet_Client_Send_Daten(int team, int aktion, int a, int b) {
    if (!ruf::Client()) return false;
    return ruf::Rufen(RUF_WERBUNG_SETZEN, team, aktion, a, b).value_or(0) != 0;
}

#include "base/liste.h"

bool Stadion_Internet_Client_Get(int team) {
    if (!ruf::Client()) return false;
    Stadion_Daten* s = Stadion_Get(team, 0);
    if (!s) return false;
    const auto d = ruf::Rufen(RUF_STADION_LISTE, team);
    if (!d || d->empty()) return false;
    Liste_Kopf l{};
    if (!Liste_Init(&l)) return false;
    bool ok = Liste_From_Mem(&l, d->data(), static_cast<u32>(d->size()));
    Liste_Element* e = ok ? Liste_First_Element(&l) : nullptr;
    ok = e && e->size == bytes::groesse<Stadion_Daten>() && e->id == static_cast<u32>(team);
    Stadion_Daten neu{};
    if (ok) bytes::Leser(static_cast<const u8*>(e->data), e->size)(neu);
    ok = ok && Stadion_Daten_Gueltig(neu);
    if (ok) *s = neu;
    Liste_Freigeben(&l);
    return ok;
}

bool Internet_Client_Get_Spieler(i32 spieler) {
    if (!ruf::Client() || spieler < 0 || spieler >= Spieler_Anzahl) return false;
    return Spieler_Internet_Client_Get_Data(3, -1, spieler, -1);
}

i32 Internet_Test_Lese_Spieler() {
    i32 n = 0;
    for (i32 s = 1; s < 50; ++s) {
        Debug_Printf("LESE TEST-BLOCK!\n");
        n += Spieler_Internet_Client_Get_Data(4, -1, s, -1) ? 1 : 0;
    }
    return n;
}

// Globals, the record arrays and the squads of the game world.
#include "world/welt.h"

#include <cstring>
#include <utility>
#include <vector>

#include "base/globals.h"
#include "base/memory.h"
#include "base/ruf.h"

i32 Spieler_Anzahl = 0;
i32 Team_Anzahl = 0;
i32 Team_Transfermarkt = 0;
i32 Team_Aktiv = 0;
i32 Team_Ansicht = 0;
i32 Aktuelles_Team = 0;
i32 Server_Lokales_Team = 0;
i32 Team_Auswaerts = 0;
i32 Team_Wettbewerb = -1;
u16 Team_Heimnation = 65535;
i32 Schwierigkeit = 2;
i32 Spielstart_Beendet = 0;
i32 Manager_Anzahl = 0;

Spieler_Struktur* Spieler_Daten = nullptr;
Spieler_Fix* Spieler_Fix_Daten = nullptr;
Spieler_Client_Egal* Spieler_Texte = nullptr;
u8* Spieler_Flags = nullptr;
Team_Struktur* Team_Daten = nullptr;
Team_Fix* Team_Fix_Daten = nullptr;
Team_Own* Team_Own_Daten = nullptr;
Manager_Struktur** Team_Manager = nullptr;

namespace {
// Squads: player numbers in squad order, one vector per team.
std::vector<std::vector<i32>> kader;

template <class T>
T* neu(int anzahl) {
    if (anzahl <= 0) return nullptr;
    return static_cast<T*>(W32_Memory_H_Alloc(sizeof(T) * static_cast<size_t>(anzahl), "Welt"));
}
template <class T>
void frei(T*& p) {
    if (p) W32_Memory_H_Free(p);
    p = nullptr;
}
}  // namespace

namespace {
// Exchanges the running world's arrays, counts and squads with b's.
void tauschen(Welt_Bloecke* b) {
    std::swap(Team_Daten, b->team);
    std::swap(Team_Fix_Daten, b->team_fix);
    std::swap(Team_Own_Daten, b->team_own);
    std::swap(Team_Manager, b->manager);
    std::swap(Spieler_Daten, b->spieler_daten);
    std::swap(Spieler_Fix_Daten, b->spieler_fix);
    std::swap(Spieler_Texte, b->texte);
    std::swap(Spieler_Flags, b->flags);
    kader.swap(b->kader);
    std::swap(Team_Anzahl, b->teams);
    std::swap(Spieler_Anzahl, b->spieler);
}
}  // namespace

void Welt_Freigeben() {
    // The running world's blocks go as any made apart from it.
    Welt_Bloecke alt;
    tauschen(&alt);
    Manager_Anzahl = 0;
}

Welt_Bloecke::Welt_Bloecke(Welt_Bloecke&& b) noexcept
    : teams(std::exchange(b.teams, 0)),
      spieler(std::exchange(b.spieler, 0)),
      team(std::exchange(b.team, nullptr)),
      team_fix(std::exchange(b.team_fix, nullptr)),
      team_own(std::exchange(b.team_own, nullptr)),
      manager(std::exchange(b.manager, nullptr)),
      spieler_daten(std::exchange(b.spieler_daten, nullptr)),
      spieler_fix(std::exchange(b.spieler_fix, nullptr)),
      texte(std::exchange(b.texte, nullptr)),
      flags(std::exchange(b.flags, nullptr)),
      kader(std::move(b.kader)) {}

Welt_Bloecke::~Welt_Bloecke() { freigeben(); }

void Welt_Bloecke::freigeben() {
    if (manager) {
        for (int t = 0; t < teams; t++) {
            if (manager[t]) W32_Memory_H_Free(manager[t]);
        }
    }
    frei(manager);
    frei(spieler_daten);
    frei(spieler_fix);
    frei(texte);
    frei(flags);
    frei(team);
    frei(team_fix);
    frei(team_own);
    kader.clear();
    teams = spieler = 0;
}

bool Welt_Bloecke_Anlegen(Welt_Bloecke* b, int teams, int spieler) {
    b->freigeben();
    if (teams <= 0 || teams > MAX_TEAMS || spieler < 0 || spieler > 200000) return false;
    b->team = neu<Team_Struktur>(teams);
    b->team_fix = neu<Team_Fix>(teams);
    b->team_own = neu<Team_Own>(teams);
    b->manager = neu<Manager_Struktur*>(teams);
    bool ok = b->team && b->team_fix && b->team_own && b->manager;
    if (spieler > 0) {
        b->spieler_daten = neu<Spieler_Struktur>(spieler);
        b->spieler_fix = neu<Spieler_Fix>(spieler);
        b->texte = neu<Spieler_Client_Egal>(spieler);
        b->flags = neu<u8>(spieler);
        ok = ok && b->spieler_daten && b->spieler_fix && b->texte && b->flags;
    }
    if (!ok) {
        b->freigeben();
        return false;
    }
    b->teams = teams;
    b->spieler = spieler;
    for (int t = 0; t < teams; t++) {
        b->team[t].liga = -1;
        b->team[t].scout = -1;
        b->team[t].scout_spieler = -1;
        for (int i = 0; i < 11; i++) b->team_own[t].transferfenster[i] = -1;
    }
    for (int s = 0; s < spieler; s++) {
        b->spieler_daten[s].team = -1;
        b->spieler_daten[s].wettbewerb = -1;
        b->spieler_daten[s].gedeckt_von = -1;
    }
    b->kader.assign(static_cast<size_t>(teams), {});
    return true;
}

namespace {
int kader_grenze(int team, int markt) { return team == markt ? TRANSFERMARKT_SPIELER : MAX_SPIELER_PRO_TEAM; }

void kader_bauen(std::vector<std::vector<i32>>* k, const Spieler_Struktur* spieler, int anzahl, int teams, int markt) {
    k->assign(static_cast<size_t>(teams > 0 ? teams : 0), {});
    for (int s = 0; s < anzahl; s++) {
        int t = spieler[s].team;
        if (t >= 0 && t < teams && static_cast<int>((*k)[static_cast<size_t>(t)].size()) < kader_grenze(t, markt))
            (*k)[static_cast<size_t>(t)].push_back(s);
    }
}
}  // namespace

void Welt_Bloecke_Kader(Welt_Bloecke* b, int markt) {
    kader_bauen(&b->kader, b->spieler_daten, b->spieler, b->teams, markt);
}

void Welt_Bloecke_Einsetzen(Welt_Bloecke* b) {
    Welt_Freigeben();
    tauschen(b);  // b keeps the emptied world: no blocks, no counts
}

bool Welt_Anlegen(int teams, int spieler) {
    Welt_Freigeben();
    Welt_Bloecke b;
    if (!Welt_Bloecke_Anlegen(&b, teams, spieler)) return false;
    Welt_Bloecke_Einsetzen(&b);
    return true;
}

int Team_Kader_Anzahl(int team) {
    if (team < 0 || team >= static_cast<int>(kader.size())) return 0;
    return static_cast<int>(kader[static_cast<size_t>(team)].size());
}

const i32* Team_Kader(int team) {
    if (team < 0 || team >= static_cast<int>(kader.size())) return nullptr;
    return kader[static_cast<size_t>(team)].data();
}

static int kader_grenze(int team) { return kader_grenze(team, Team_Transfermarkt); }

void Team_Kader_Neu_Aufbauen() { kader_bauen(&kader, Spieler_Daten, Spieler_Anzahl, Team_Anzahl, Team_Transfermarkt); }

bool Team_Kader_Einfuegen(int team, int spieler) {
    if (team < 0 || team >= static_cast<int>(kader.size())) return false;
    if (Team_Kader_Anzahl(team) >= kader_grenze(team)) return false;
    kader[static_cast<size_t>(team)].push_back(spieler);
    return true;
}

bool Team_Kader_Entfernen(int team, int spieler) {
    if (team < 0 || team >= static_cast<int>(kader.size())) return false;
    auto& k = kader[static_cast<size_t>(team)];
    for (size_t i = 0; i < k.size(); i++) {
        if (k[i] == spieler) {
            k.erase(k.begin() + static_cast<long>(i));
            return true;
        }
    }
    return false;
}

bool Team_Kader_Ersetzen(int team, int alt, int neu_) {
    if (team < 0 || team >= static_cast<int>(kader.size())) return false;
    for (auto& s : kader[static_cast<size_t>(team)]) {
        if (s == alt) {
            s = neu_;
            return true;
        }
    }
    return false;
}

void Team_Rueckennummer_Vergeben(int team, int spieler) {
    if (team < 0 || team >= static_cast<int>(kader.size()) || team == Team_Transfermarkt || spieler < 0 ||
        spieler >= Spieler_Anzahl)
        return;
    bool belegt[100] = {};
    for (int s : kader[static_cast<size_t>(team)])
        if (s != spieler && s >= 0 && s < Spieler_Anzahl) belegt[Spieler_Daten[s].rueckennummer % 100] = true;
    u8& nummer = Spieler_Daten[spieler].rueckennummer;
    if (!belegt[nummer % 100]) return;
    for (u8 n = 1; n < 100; n++)
        if (!belegt[n]) {
            nummer = n;
            return;
        }
}

bool Welt_Client_Fremd(int team) { return ruf::Client() && team != Team_Aktiv; }

// Globals, the record arrays and the squads of the game world.
#include "world/welt.h"

#include <cstring>
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

void Welt_Freigeben() {
    if (Team_Manager) {
        for (int t = 0; t < Team_Anzahl; t++) {
            if (Team_Manager[t]) W32_Memory_H_Free(Team_Manager[t]);
        }
    }
    frei(Team_Manager);
    frei(Spieler_Daten);
    frei(Spieler_Fix_Daten);
    frei(Spieler_Texte);
    frei(Spieler_Flags);
    frei(Team_Daten);
    frei(Team_Fix_Daten);
    frei(Team_Own_Daten);
    kader.clear();
    Spieler_Anzahl = 0;
    Team_Anzahl = 0;
    Manager_Anzahl = 0;
}

bool Welt_Anlegen(int teams, int spieler) {
    Welt_Freigeben();
    if (teams <= 0 || teams > MAX_TEAMS || spieler < 0 || spieler > 200000) return false;
    Team_Daten = neu<Team_Struktur>(teams);
    Team_Fix_Daten = neu<Team_Fix>(teams);
    Team_Own_Daten = neu<Team_Own>(teams);
    Team_Manager = neu<Manager_Struktur*>(teams);
    bool ok = Team_Daten && Team_Fix_Daten && Team_Own_Daten && Team_Manager;
    if (spieler > 0) {
        Spieler_Daten = neu<Spieler_Struktur>(spieler);
        Spieler_Fix_Daten = neu<Spieler_Fix>(spieler);
        Spieler_Texte = neu<Spieler_Client_Egal>(spieler);
        Spieler_Flags = neu<u8>(spieler);
        ok = ok && Spieler_Daten && Spieler_Fix_Daten && Spieler_Texte && Spieler_Flags;
    }
    if (!ok) {
        Welt_Freigeben();
        return false;
    }
    Team_Anzahl = teams;
    Spieler_Anzahl = spieler;
    for (int t = 0; t < teams; t++) {
        Team_Daten[t].liga = -1;
        Team_Daten[t].scout = -1;
        Team_Daten[t].scout_spieler = -1;
        for (int i = 0; i < 11; i++) Team_Own_Daten[t].transferfenster[i] = -1;
    }
    for (int s = 0; s < spieler; s++) {
        Spieler_Daten[s].team = -1;
        Spieler_Daten[s].wettbewerb = -1;
        Spieler_Daten[s].gedeckt_von = -1;
    }
    kader.assign(static_cast<size_t>(teams), {});
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

static int kader_grenze(int team) { return team == Team_Transfermarkt ? TRANSFERMARKT_SPIELER : MAX_SPIELER_PRO_TEAM; }

void Team_Kader_Neu_Aufbauen() {
    kader.assign(static_cast<size_t>(Team_Anzahl > 0 ? Team_Anzahl : 0), {});
    for (int s = 0; s < Spieler_Anzahl; s++) {
        int t = Spieler_Daten[s].team;
        if (t >= 0 && t < Team_Anzahl && Team_Kader_Anzahl(t) < kader_grenze(t))
            kader[static_cast<size_t>(t)].push_back(s);
    }
}

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

// Human managers.
#include "world/manager.h"

#include "world/team.h"

#include <cstring>

#include "base/debug.h"
#include "base/globals.h"
#include "base/memory.h"
#include "base/ruf.h"

namespace {
Manager_Struktur* mgr(int team) {
    if (team < 0 || team >= Team_Anzahl || !Team_Manager) return nullptr;
    return Team_Manager[team];
}
}  // namespace

namespace {
Manager_Struktur* anlegen(int team, const char* name, int gesicht) {
    if (team < 0 || team >= Team_Anzahl || !Team_Manager || Team_Manager[team]) return nullptr;
    if (gesicht < 0) {
        // The lowest face number no manager has.
        for (gesicht = 0; gesicht < 1000; gesicht++) {
            bool frei = true;
            for (int t = 0; t < Team_Anzahl && frei; t++)
                if (Team_Manager[t] && Team_Manager[t]->daten.gesicht == gesicht) frei = false;
            if (frei) break;
        }
    }
    auto* m = static_cast<Manager_Struktur*>(W32_Memory_H_Alloc(sizeof(Manager_Struktur), "Manager"));
    if (!m) return nullptr;
    std::strncpy(m->daten.name, name ? name : "", 19);
    m->daten.name[19] = 0;
    m->daten.gesicht = gesicht;
    m->daten.team = team;
    m->icon_status[813] = 141;
    m->icon_wort[802] = 0xFFFFFFFFu;
    m->icon_wort[834] = 0;
    Team_Manager[team] = m;
    Manager_Anzahl++;
    return m;
}
}  // namespace

bool Manager_Vorlaeufig_Anlegen(int team, const char* name) { return anlegen(team, name, -1) != nullptr; }

bool Manager_Uebernehmen(int team, Manager_Struktur* m) {
    if (!m) return false;
    if (team < 0 || team >= Team_Anzahl || !Team_Manager || Team_Manager[team]) {
        W32_Memory_H_Free(m);
        return false;
    }
    m->daten.team = team;
    m->daten.name[sizeof m->daten.name - 1] = 0;
    Team_Manager[team] = m;
    Manager_Anzahl++;
    return true;
}

bool Manager_Neuer_Mitspieler(int team, const char* name, int gesicht) {
    if (!anlegen(team, name, gesicht)) return false;
    // A club a manager takes has its transfers of the season (clubs no
    // manager runs trade by their own rules).
    if (Team_Daten && Team_Daten[team].wert21 == 0) Team_Set_Finanzdaten(team, 0);
    return true;
}

bool Manager_Loeschen(int team) {
    Manager_Struktur* m = mgr(team);
    if (!m) return false;
    W32_Memory_H_Free(m);
    Team_Manager[team] = nullptr;
    Manager_Anzahl--;
    return true;
}

Manager_Struktur* Manager_Get_Kopie(int team) {
    Manager_Struktur* m = mgr(team);
    if (!m) return nullptr;
    auto* k = static_cast<Manager_Struktur*>(W32_Memory_H_Alloc(sizeof(Manager_Struktur), "Manager_Kopie"));
    if (k) std::memcpy(k, m, sizeof *k);
    return k;
}

int Manager_Ist_Dran(i32* aus, int, int) {
    int n = 0;
    for (int t = 0; t < Team_Anzahl && n < 1000; t++) {
        if (!Team_Mensch_Spielt(t)) continue;
        if (aus) aus[n] = t;
        n++;
    }
    return n;
}

int Manager_Anzahl_Menschen() {
    int n = 0;
    for (int t = 0; t < Team_Anzahl; t++)
        if (mgr(t)) ++n;
    return n;
}

namespace {
// An icon's state word (or its data word), null for no manager or icon.
u32* icon_wort(int team, int icon, bool daten) {
    Manager_Struktur* m = mgr(team);
    if (!m || icon < 0 || icon >= MANAGER_ICONS) return nullptr;
    return daten ? &m->icon_wort[icon] : &m->icon_status[icon];
}
}  // namespace

void Manager_Icon_Button_An_Aus(int team, int icon, u32 status) {
    if (u32* w = icon_wort(team, icon, false)) *w = status;
}

u32 Manager_Icon_Button_Lesen(int team, int icon) {
    const u32* w = icon_wort(team, icon, false);
    return w ? *w : 0;
}

void Manager_Icon_Togglebutton_An_Aus(int team, int anzahl, int icon, const int* liste) {
    if (!liste) return;
    for (int i = 0; i < anzahl; i++) Manager_Icon_Button_An_Aus(team, liste[i], liste[i] == icon ? 1 : 0);
}

void Manager_Icon_Word_Data_Schreiben(int team, int icon, u32 wert) {
    if (u32* w = icon_wort(team, icon, true)) *w = wert;
}

u32 Manager_Icon_Word_Data_Lesen(int team, int icon) {
    const u32* w = icon_wort(team, icon, true);
    return w ? *w : 0;
}

bool Team_Hat_Manager(int team) { return mgr(team) != nullptr; }

bool Team_Manager_Fort(int team) {
    if (!ruf::Server() || !mgr(team)) return false;
    const u32 s = Team_Daten[team].status;
    return (s & TEAM_STATUS_USER) && !(s & TEAM_STATUS_USER_AKTIV);
}

bool Team_Mensch_Spielt(int team) { return mgr(team) != nullptr && !Team_Manager_Fort(team); }

bool Team_Hat_Manager_Aktiv(int team) {
    if (!mgr(team)) return false;
    if (ruf::Einzel()) return true;
    return (Team_Daten[team].status & TEAM_STATUS_USER_AKTIV) != 0 || team == Team_Aktiv;
}

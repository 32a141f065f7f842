// Server rows of the world's network blocks.
#include "world/netz.h"

#include <cstring>
#include <vector>

#include "base/debug.h"
#include "base/memory.h"
#include "world/bank.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {

u32 block_aus(u8** aus, const std::vector<u8>& daten) {
    if (!aus) return 0;
    *aus = nullptr;
    if (daten.empty()) return 0;
    *aus = static_cast<u8*>(W32_Memory_H_Alloc(daten.size(), "Netz_Block"));
    if (!*aus) return 0;
    std::memcpy(*aus, daten.data(), daten.size());
    return static_cast<u32>(daten.size());
}

void eintrag(std::vector<u8>* d, int s, bool struktur) {
    u8 n[2];
    put_u16le(n, static_cast<u16>(s));
    d->insert(d->end(), n, n + 2);
    const u8* r = struktur ? reinterpret_cast<const u8*>(&Spieler_Daten[s]) : reinterpret_cast<const u8*>(&Spieler_Fix_Daten[s]);
    d->insert(d->end(), r, r + (struktur ? sizeof(Spieler_Struktur) : sizeof(Spieler_Fix)));
}

bool team_ok(int t) { return t >= 0 && t < Team_Anzahl && Team_Daten; }

// The asking client's manager; without one the server logs it.
Manager_Struktur* client_manager() {
    Manager_Struktur* m = team_ok(Aktuelles_Team) && Team_Manager ? Team_Manager[Aktuelles_Team] : nullptr;
    if (!m) Debug_Out(DEBUG_FEHLER, "SERVER: KEIN MANAGER BEIM CLIENT !!!");
    return m;
}

}  // namespace

u32 Spieler_Internet_Server_Send(u8** aus, int modus, int team, int spieler, int) {
    std::vector<u8> d;
    bool struktur = (modus & 2) != 0;
    if (spieler >= 0) {
        if (spieler < Spieler_Anzahl) eintrag(&d, spieler, struktur);
    } else if (team >= 0) {
        for (int i = 0; team_ok(team) && i < Team_Kader_Anzahl(team); i++) eintrag(&d, Team_Kader(team)[i], struktur);
    } else {
        for (int s = 0; s < Spieler_Anzahl; s++) eintrag(&d, s, struktur);
    }
    return block_aus(aus, d);
}

void Spieler_Internet_Server_Get_Data_Back(const u8* daten) {
    if (!daten) return;
    for (int i = 0; i < 20; i++) {
        const u8* e = daten + i * (4 + sizeof(Spieler_Struktur));
        i32 s = get_i32le(e);
        if (s < 0) break;
        if (s >= Spieler_Anzahl || Spieler_Daten[s].team != Aktuelles_Team) continue;
        Spieler_Struktur neu;
        std::memcpy(&neu, e + 4, sizeof neu);
        neu.team = Spieler_Daten[s].team;  // the squad is the server's business
        if (Spieler_Werte_Pruefen(neu, Spieler_Fix_Daten[s]) >= 0) continue;  // impossible values: kept as they were
        Spieler_Daten[s] = neu;
        Spieler_Flags[s] = 1;
    }
}

void Spieler_Internet_Server_Send_Startinfo(u32* anzahl) {
    if (anzahl) *anzahl = static_cast<u32>(Spieler_Anzahl);
}

u32 Spieler_Internet_Server_Send_New_Client_Data(u8** aus) {
    std::vector<u8> d(2);
    u16 n = 0;
    for (int s = 0; s < Spieler_Anzahl && n < 65535; s++) {
        if (!Spieler_Flags[s]) continue;
        u8 b[2];
        put_u16le(b, static_cast<u16>(s));
        d.insert(d.end(), b, b + 2);
        Spieler_Flags[s] = 0;
        n++;
    }
    put_u16le(d.data(), n);
    return block_aus(aus, d);
}

void Spieler_Tausch_Ausfuehren(i32 ta, i32 tb, i32 sa, i32 sb, i32 preis, u32* ok) {
    u32 r = 0;
    if (ta == Aktuelles_Team || tb == Aktuelles_Team) r = Spieler_Tauschen(ta, tb, sa, sb, preis) ? 1 : 0;
    if (ok) *ok = r;
}

void Team_Internet_Server_Send_T(u8* aus, int t) {
    if (aus && team_ok(t)) std::memcpy(aus, &Team_Daten[t], sizeof(Team_Struktur));
}

void Team_Internet_Server_Send_T_Fix(u8* aus, int t) {
    if (aus && team_ok(t)) std::memcpy(aus, &Team_Fix_Daten[t], sizeof(Team_Fix));
}

void Team_Internet_Server_Send_T_Own(u16* wert, u8* aus, int t) {
    if (!team_ok(t)) return;
    if (aus) std::memcpy(aus, &Team_Own_Daten[t], sizeof(Team_Own));
    if (wert) *wert = Team_Own_Daten[t].server_wert;
}

void Team_Internet_Server_Send_T_Block(u8* aus) {
    if (aus && Team_Anzahl > 0) std::memcpy(aus, Team_Daten, sizeof(Team_Struktur) * static_cast<size_t>(Team_Anzahl));
}

void Team_Internet_Server_Send_T_Fix_Block(u8* aus) {
    if (aus && Team_Anzahl > 0) std::memcpy(aus, Team_Fix_Daten, sizeof(Team_Fix) * static_cast<size_t>(Team_Anzahl));
}

void Team_Internet_Server_Get_Data_Back(const u8* daten, u8, u8) {
    if (!daten) {
        Debug_Out(DEBUG_FEHLER, "Team_Internet_Server_Get_Data_Back: NULL-Pointer!");
        return;
    }
    if (!team_ok(Aktuelles_Team)) return;
    Team_Own& o = Team_Own_Daten[Aktuelles_Team];
    u16 behalten = o.server_wert;
    Team_Own neu;
    std::memcpy(&neu, daten, sizeof neu);
    if (Team_Werte_Pruefen(Team_Daten[Aktuelles_Team], neu) >= 0) return;  // formation cells outside the pitch
    o = neu;
    o.server_wert = behalten;
    if ((o.formation & 0x0F) != (o.formation & 0x7F)) o.formation = static_cast<i8>(o.formation & 0x8F);
    static const u8 grenze[7] = {1, 1, 9, 1, 4, 6, 4};
    for (int i = 0; i < 7; i++)
        if (o.taktik[i] > grenze[i]) o.taktik[i] = grenze[i];
}

void Team_Internet_Server_Send_Startinfo(u32* teams, u32* kopie, u32* markt, u16* heimnation, u16* wert) {
    if (teams) *teams = static_cast<u32>(Team_Anzahl);
    if (kopie) *kopie = static_cast<u32>(Team_Anzahl);
    if (markt) *markt = static_cast<u32>(Team_Transfermarkt);
    if (heimnation) *heimnation = Team_Heimnation;
    if (wert) *wert = static_cast<u16>(Schwierigkeit);
}

u32 Team_Internet_Server_Send_Spielerblock(u8** aus, int t, int auswahl) {
    return Spieler_Internet_Server_Send(aus, auswahl, t, -1, 0);
}

const Welt_Netz_Hooks& Welt_Netz();

void Team_Internet_Server_Send_Startteams(u8* aus, u32* anzahl) {
    const Welt_Netz_Hooks& h = Welt_Netz();
    int n = Team_Anzahl < MAX_TEAMS ? Team_Anzahl : MAX_TEAMS;
    if (anzahl) *anzahl = static_cast<u32>(n > 0 ? n : 0);
    if (!aus) return;
    std::memset(aus, 0, 80000);
    for (int t = 0; t < n; t++) {
        u8* e = aus + 80 * t;
        i32 slot = -1;
        int slots = h.slot_anzahl ? h.slot_anzahl() : 0;
        for (int k = 0; k < slots && slot < 0; k++)
            if (h.slot_team && h.slot_team(k) == t) slot = k;
        bool mensch = slot >= 0 || Team_Manager[t];
        put_u16le(e, mensch ? static_cast<u16>(slot >= 0 ? slot : 0) : 65535);
        std::memcpy(e + 2, Team_Fix_Daten[t].name, sizeof Team_Fix_Daten[t].name);
        if (Team_Manager[t]) std::memcpy(e + 27, Team_Manager[t]->daten.name, 36);
        put_u32le(e + 64, Team_Daten[t].status & (TEAM_STATUS_USER | TEAM_STATUS_USER_AKTIV));
        put_i32le(e + 68, slot);
    }
}

void Team_Internet_Server_Set_User_Active(int slot, int t, const char* name36, i32 wert) {
    const Welt_Netz_Hooks& h = Welt_Netz();
    char name[37] = {};
    if (name36) std::memcpy(name, name36, strnlen(name36, 36));
    if (!team_ok(t) || !h.slot_setzen || !h.slot_setzen(slot, t, name, wert)) {
        Debug_Out(DEBUG_FEHLER, "Team_Internet_Server_Set_User_Active():ERROR!");
        return;
    }
    Team_Daten[t].status |= TEAM_STATUS_USER | TEAM_STATUS_USER_AKTIV;
}

void Manager_Internet_Server_Send_Managerdaten(u8* d176, u8* d8, u8* d3) {
    Manager_Struktur* m = team_ok(Aktuelles_Team) ? Team_Manager[Aktuelles_Team] : nullptr;
    if (!m) return;
    if (d176) std::memcpy(d176, &m->daten, 176);
    if (d8) std::memcpy(d8, m->menue_wahl, 8);
    if (d3) std::memcpy(d3, m->einstellungen, 3);
}

void Manager_Internet_Server_Send_Startinfo_1(u32* anzahl, u32* schwierigkeit) {
    if (anzahl) *anzahl = static_cast<u32>(Manager_Anzahl);
    if (schwierigkeit) *schwierigkeit = static_cast<u32>(Schwierigkeit);
}

void Manager_Internet_Server_Send_Startinfo_2(int t, u8* kopf, char* name36) {
    Manager_Struktur* m = team_ok(t) ? Team_Manager[t] : nullptr;
    if (kopf) *kopf = m ? static_cast<u8>(m->daten.gesicht) : 0;
    if (name36) {
        std::memset(name36, 0, 36);
        if (m) std::memcpy(name36, m->daten.name, 35);
    }
}

void Manager_Internet_Server_Get_Data_Back(const u8* d176, const u8* d8, const u8* d3) {
    Manager_Struktur* m = client_manager();
    if (!m) return;
    if (d176) {
        std::memcpy(&m->daten, d176, 176);
        m->daten.name[sizeof m->daten.name - 1] = 0;
        m->daten.team = Aktuelles_Team;
    }
    if (d8) std::memcpy(m->menue_wahl, d8, 8);
    if (d3) std::memcpy(m->einstellungen, d3, 3);
}

void Manager_Internet_Server_Read_And_Write_Icon_Status(u8* daten, int richtung) {
    Manager_Struktur* m = client_manager();
    if (!m) return;
    if (!daten) return;
    if (richtung) {
        std::memcpy(m->icon_status, daten, sizeof m->icon_status);
        std::memcpy(m->icon_wort, daten + sizeof m->icon_status, sizeof m->icon_wort);
    } else {
        std::memcpy(daten, m->icon_status, sizeof m->icon_status);
        std::memcpy(daten + sizeof m->icon_status, m->icon_wort, sizeof m->icon_wort);
    }
}

bool Bank_Internet_Server_Buchung(i32 zahler, i32 empfaenger, i32 betrag, i32 kategorie, i32 erzwingen, i32 waehrung) {
    // A client books only money its own team pays.
    if (betrag < 1 || zahler != Aktuelles_Team) return false;
    return Bank_Buchen(zahler, empfaenger, static_cast<f32>(betrag), kategorie, erzwingen, waehrung) != 0;
}

void Bank_Internet_Server_Send_Buchungen(u8* aus, i32* ring_index, i32* periode, int t) {
    const Bank_Konto* k = Bank_Get_Konto(t);
    if (aus) {
        if (k) std::memcpy(aus, k->buchung, sizeof k->buchung);
        else std::memset(aus, 0, sizeof(Bank_Buchung) * BANK_BUCHUNGEN);
    }
    if (ring_index) *ring_index = k ? k->ring_index : 0;
    if (periode) *periode = k ? Bank_Get_Periode() : 0;
}

#include "world/stadion.h"
#include "world/werbung.h"

bool Bank_Internet_Server_Kredit(i32 t1, i32 t2, f32 betrag, i32 laufzeit, u8 option, f32 zins) {
    bool passt = (t1 == Aktuelles_Team && t2 == -1) || (t1 == -1 && t2 == Aktuelles_Team);
    if (!passt || zins != -1.0f) return false;
    return Bank_Kredit(t1, t2, betrag, laufzeit, option, zins, 0);
}

u32 Bank_Internet_Server_Send_Bankdaten(u8** aus, u8* waehrung12, u8* zinsen28, u8* grenzen28, f32* kredit_min,
                                        f32* kredit_max, f32* kreditrahmen, f32* kontostand, u8* konto52, int t) {
    static const i32 grenzen[7] = {1, 3, 6, 12, 24, 36, 48};
    for (int w = 0; waehrung12 && w < BANK_WAEHRUNGEN; w++) put_f32le(waehrung12 + 4 * w, Bank_Get_Waehrung_Eintrag(w).faktor);
    for (int i = 0; i < 7; i++) {
        if (zinsen28) put_f32le(zinsen28 + 4 * i, Bank_Get_Zins(i));
        if (grenzen28) put_i32le(grenzen28 + 4 * i, grenzen[i]);
    }
    const Bank_Konto* k = Bank_Get_Konto(t);
    if (kredit_min) *kredit_min = BANK_KREDIT_MIN;
    if (kredit_max) *kredit_max = BANK_KREDIT_MAX;
    if (kreditrahmen) *kreditrahmen = k ? k->kreditrahmen : 0.0f;
    if (kontostand) *kontostand = k ? static_cast<f32>(k->kontostand) : 0.0f;
    if (konto52) {
        i32 w[13] = {};
        if (k) {
            int aeltester = 0;
            while (aeltester < BANK_BUCHUNGEN && Bank_Hat_Buchung_In_Periode(t, aeltester + 1)) aeltester++;
            i32 werte[13] = {k->waehrung, Bank_Get_Periode(), Bank_Get_Anzahl_Kredite(t), k->anzahl, k->ring_index,
                             BANK_LAUFZEIT_MIN, BANK_LAUFZEIT_MAX, 1, 100, aeltester, 0, 0, 0};
            std::memcpy(w, werte, sizeof w);
        }
        for (int i = 0; i < 13; i++) put_i32le(konto52 + 4 * i, w[i]);
    }
    std::vector<u8> d;
    for (int i = 0; i < BANK_WAEHRUNGEN; i++) {
        const Bank_Waehrung& e = Bank_Get_Waehrung_Eintrag(i);
        u8 b[sizeof(Bank_Waehrung)] = {};
        put_f32le(b, e.faktor);
        std::memcpy(b + 4, e.zeichen, sizeof e.zeichen);
        std::memcpy(b + 8, e.name, sizeof e.name);
        d.insert(d.end(), b, b + sizeof b);
    }
    return block_aus(aus, d);
}

u32 Bank_Internet_Server_Send_Kredite(u8** aus, u8* kopf20, int t) {
    const Bank_Konto* k = Bank_Get_Konto(t);
    if (kopf20) {
        std::memset(kopf20, 0, 20);
        if (k) {
            u64 bits;
            std::memcpy(&bits, &k->kontostand, 8);
            put_u64le(kopf20, bits);
            put_f32le(kopf20 + 8, k->kreditrahmen);
            put_i32le(kopf20 + 12, k->waehrung);
            put_i32le(kopf20 + 16, Bank_Get_Anzahl_Kredite(t));
        }
    }
    std::vector<u8> d;
    int cursor = 0;
    while (const Bank_Kredit_Eintrag* e = Bank_Get_Naechster_Kredit(t, &cursor)) {
        const u8* p = reinterpret_cast<const u8*>(e);
        d.insert(d.end(), p, p + sizeof *e);
    }
    return block_aus(aus, d);
}

void Stadion_Internet_Server_Set_Daten(i32 t, i32 ausbauen, i32 preis, i32 sitz, i32 steh) {
    if (t != Aktuelles_Team) return;
    Stadion_Daten* s = Stadion_Get(t, 1);
    if (!s) return;
    if (ausbauen) Stadion_Ausbauen(t);
    Stadion_Daten neu = *s;
    neu.eintrittspreis = preis;
    if (sitz >= 0) neu.sitzplaetze = sitz;
    if (steh >= 0) neu.stehplaetze = steh;
    Stadion_Set_Daten(t, &neu);
}

void Stadion_Internet_Server_Get(i32 t, i32* kapazitaet) {
    if (kapazitaet) *kapazitaet = Stadion_Get_Kapazitaet(t);
}

i32 Werbung_Internet_Server_Set_Daten(i32 t, i32 aktion, i32 a, i32) {
    if (t != Aktuelles_Team || !Werbung_Get(t)) return 0;
    switch (aktion) {
        case 0: return Werbung_Angebot_Annehmen(t) ? 1 : 0;
        case 1: return Werbung_Neues_Angebot(t, 1) ? 1 : 0;
        case 2: Werbung_Banden_Vergeben(t, 0); return 1;
        case 3: Werbung_Get(t)->automatik = a ? 1 : 0; return 1;
    }
    return 0;
}

#include "base/liste.h"

u32 Stadion_Internet_Server_Send_Liste(u8** aus, int t) {
    if (aus) *aus = nullptr;
    Stadion_Daten* s = Stadion_Get(t, 0);
    if (!s || !aus) return 0;
    Liste_Kopf l{};
    if (!Liste_Init(&l)) return 0;
    u32 n = 0;
    if (Liste_Insert_Element(&l, nullptr, s, sizeof *s, static_cast<u32>(t))) *aus = static_cast<u8*>(Liste_To_Mem(&l, &n));
    Liste_Freigeben(&l);
    return *aus ? n : 0;
}

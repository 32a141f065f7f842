// Server rows of the world's network blocks.
#include "world/netz.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/debug.h"
#include "base/memory.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/markt.h"
#include "world/netz_rufe.h"
#include "world/spieler.h"
#include "world/team.h"
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
    bytes::Schreiber w{*d};
    w(static_cast<u16>(s));
    if (struktur) w(Spieler_Daten[s]);
    else w(Spieler_Fix_Daten[s]);
}

// A record image into a caller's buffer of exactly its size.
template <class R>
void bild(u8* aus, const R* r, size_t anzahl = 1) {
    bytes::bild_schreiben(aus, anzahl * bytes::groesse<R>(),
                          [&](bytes::Schreiber& s) { bytes::feld_schreiben(s, r, anzahl); });
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
    bytes::Leser l(daten, NETZ_SPIELER_ZURUECK);
    // The line-up comes with the records; it is checked once they are in.
    const Aufstellung_Stand vorher = Aufstellung_Lesen(Aktuelles_Team);
    bool genommen = false;
    for (int i = 0; i < NETZ_SPIELER_ZURUECK_ANZAHL; i++) {
        i32 s = -1;
        Spieler_Struktur neu;
        l(s), l(neu);
        if (s < 0) break;
        if (s >= Spieler_Anzahl || Spieler_Daten[s].team != Aktuelles_Team) continue;
        neu.team = Spieler_Daten[s].team;                                     // the squad is the server's business
        if (Spieler_Werte_Pruefen(neu, Spieler_Fix_Daten[s]) >= 0) continue;  // impossible values: kept as they were
        Spieler_Daten[s] = neu;
        Spieler_Flags[s] = 1;
        genommen = true;
    }
    if (genommen) Aufstellung_Von_Client_Nehmen(Aktuelles_Team, vorher);
}

void Spieler_Internet_Server_Send_Startinfo(u32* anzahl) {
    if (anzahl) *anzahl = static_cast<u32>(Spieler_Anzahl);
}

u32 Spieler_Internet_Server_Send_New_Client_Data(u8** aus) {
    std::vector<u16> neu;
    for (int s = 0; s < Spieler_Anzahl && neu.size() < 65535; s++) {
        if (!Spieler_Flags[s]) continue;
        neu.push_back(static_cast<u16>(s));
        Spieler_Flags[s] = 0;
    }
    std::vector<u8> d;
    bytes::Schreiber w{d};
    w(static_cast<u16>(neu.size()));
    bytes::feld_schreiben(w, neu.data(), neu.size());
    return block_aus(aus, d);
}

bool Spieler_Tausch_Erlaubt(i32 ta, i32 tb, i32 sa, i32 sb, i32 preis) {
    // Only the asking club's own dealings with the transfer market.
    if (ta != Aktuelles_Team || tb != Team_Transfermarkt || !Team_Managebar(ta)) return false;
    if (sa < 0 || sa >= Spieler_Anzahl || Spieler_Get_Team(sa) != ta) return false;
    // A sale: the market picks the player who joins, no price; it uses a transfer.
    if (preis == 0) return sb == -1 && Team_Daten[ta].transfers > 0;
    // A purchase ends the club's open negotiation for this very player (its
    // start spent the transfer), at a price the negotiation can reach. The
    // bid opens at his market value V (less 10 % for a scout player) and the
    // asking price A falls towards targets of at least V rounded down to
    // 10,000; a deal comes at the bid once A is within 10,000 of it, or at V
    // when A is below V.
    if (sb < 0 || sb >= Spieler_Anzahl || Spieler_Get_Team(sb) != tb) return false;
    if (Transfer_Verhandlung_Offen(ta) != sb) return false;
    i64 wert = Spieler_Berechne_Marktwert(sb);
    const i64 forderung = Global_Transfer_Forderung(sb);
    const i64 hoechst = std::max(forderung, wert);
    if (Spieler_Daten[sb].status & SP_STATUS_SCOUT) wert -= wert * 10 / 100;
    const i64 boden = std::min<i64>(forderung, static_cast<i64>(Global_Runde_10000(static_cast<i32>(wert))) - 10000);
    return preis > 0 && preis >= boden && preis <= hoechst;
}

void Spieler_Tausch_Ausfuehren(i32 ta, i32 tb, i32 sa, i32 sb, i32 preis, u32* ok) {
    u32 r = 0;
    if (Spieler_Tausch_Erlaubt(ta, tb, sa, sb, preis)) {
        // A purchase was paid for with the transfer its negotiation spent
        // (call 1046); the negotiation is closed with it.
        r = Spieler_Tauschen(ta, tb, sa, sb, preis) ? 1 : 0;
        if (r && preis > 0) Transfer_Verhandlung_Schliessen(ta);
    } else {
        Debug_Printf("Spieler_Tausch: abgewiesen (Team %d: %d/%d, %d/%d, %d)\n", Aktuelles_Team, ta, sa, tb, sb, preis);
    }
    if (ok) *ok = r;
}

void Team_Internet_Server_Send_T(u8* aus, int t) {
    if (aus && team_ok(t)) bild(aus, &Team_Daten[t]);
}

void Team_Internet_Server_Send_T_Fix(u8* aus, int t) {
    if (aus && team_ok(t)) bild(aus, &Team_Fix_Daten[t]);
}

void Team_Internet_Server_Send_T_Own(u16* wert, u8* aus, int t) {
    if (!team_ok(t)) return;
    if (aus) bild(aus, &Team_Own_Daten[t]);
    if (wert) *wert = Team_Own_Daten[t].server_wert;
}

void Team_Internet_Server_Send_T_Block(u8* aus) {
    if (aus && Team_Anzahl > 0) bild(aus, Team_Daten, static_cast<size_t>(Team_Anzahl));
}

void Team_Internet_Server_Send_T_Fix_Block(u8* aus) {
    if (aus && Team_Anzahl > 0) bild(aus, Team_Fix_Daten, static_cast<size_t>(Team_Anzahl));
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
    bytes::Leser l(daten, bytes::groesse<Team_Own>());
    l(neu);
    if (Team_Werte_Pruefen(Team_Daten[Aktuelles_Team], neu) >= 0) return;  // formation cells outside the pitch
    o = neu;
    o.server_wert = behalten;
    if ((o.formation & 0x0F) != (o.formation & 0x7F)) o.formation = static_cast<i8>(o.formation & 0x8F);
    for (int i = 0; i < TAKTIK_WERTE; i++) o.taktik[i] = std::min(o.taktik[i], TAKTIK_GRENZE[i]);
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
    std::memset(aus, 0, NETZ_STARTTEAMS);
    const i32 frager = h.aktuelle_verbindung();
    for (int t = 0; t < n; t++) {
        u8* e = aus + STARTTEAM_GROESSE * t;
        i32 slot = -1;
        int slots = h.slot_anzahl();
        for (int k = 0; k < slots && slot < 0; k++)
            if (h.slot_team(k) == t) slot = k;
        bool mensch = slot >= 0 || Team_Manager[t];
        Startteam_Satz z;
        z.marke = mensch ? static_cast<u16>(slot >= 0 ? slot : 0) : u16{65535};
        std::memcpy(z.team_name, Team_Fix_Daten[t].name, sizeof z.team_name);
        if (Team_Manager[t]) std::memcpy(z.user, Team_Manager[t]->daten.name, sizeof z.user);
        z.status = Team_Daten[t].status & (TEAM_STATUS_USER | TEAM_STATUS_USER_AKTIV);
        z.slot = slot;
        z.frager = frager;
        bytes::bild_schreiben(e, STARTTEAM_GROESSE, [&z](bytes::Schreiber& s) { s(z); });
    }
}

void Team_Internet_Server_Set_User_Active(int slot, int t, const char* name36, i32 wert) {
    const Welt_Netz_Hooks& h = Welt_Netz();
    char name[37] = {};
    if (name36) std::memcpy(name, name36, strnlen(name36, 36));
    // A club with a manager but without the network user's mark is run at
    // the server's machine: no client takes it (a client's club keeps the
    // mark, so its player takes it back when he comes again).
    const bool am_server = Team_Manager && Team_Manager[t] && !(Team_Daten[t].status & TEAM_STATUS_USER);
    if (!Team_Managebar(t) || am_server || !h.slot_setzen(slot, t, name, wert)) {
        Debug_Out(DEBUG_FEHLER, "Team_Internet_Server_Set_User_Active():ERROR!");
        return;
    }
    Team_Daten[t].status |= TEAM_STATUS_USER | TEAM_STATUS_USER_AKTIV;
}

void Manager_Internet_Server_Send_Managerdaten(u8* d176, u8* d8, u8* d3) {
    Manager_Struktur* m = team_ok(Aktuelles_Team) ? Team_Manager[Aktuelles_Team] : nullptr;
    if (!m) return;
    if (d176) bild(d176, &m->daten);
    if (d8) bild(d8, m->menue_wahl, 2);
    if (d3) bild(d3, m->einstellungen, 3);
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
    // Read into a copy: a record no load would accept (a face beyond the
    // pictures, a menu choice that is not there) is refused whole, so the
    // server's save game loads again.
    Manager_Struktur neu = *m;
    if (d176) {
        bytes::Leser l(d176, bytes::groesse<Manager_Daten>());
        l(neu.daten);
        neu.daten.name[sizeof neu.daten.name - 1] = 0;
        neu.daten.team = Aktuelles_Team;
    }
    if (d8) bytes::Leser(d8, sizeof neu.menue_wahl)(neu.menue_wahl);
    if (d3) bytes::Leser(d3, sizeof neu.einstellungen)(neu.einstellungen);
    if (Manager_Werte_Pruefen(neu) >= 0) {
        Debug_Printf("Manager_Zurueck: abgewiesen (Team %d)\n", Aktuelles_Team);
        return;
    }
    *m = neu;
}

void Manager_Internet_Server_Read_And_Write_Icon_Status(u8* daten, int richtung) {
    Manager_Struktur* m = client_manager();
    if (!m) return;
    if (!daten) return;
    if (richtung) {
        bytes::Leser l(daten, NETZ_ICON_STATUS);
        l(m->icon_status), l(m->icon_wort);
    } else {
        bytes::bild_schreiben(daten, NETZ_ICON_STATUS,
                              [&](bytes::Schreiber& s) { s(m->icon_status), s(m->icon_wort); });
    }
}

bool Bank_Internet_Server_Buchung(i32 zahler, i32 empfaenger, i32 betrag, i32 kategorie, i32 erzwingen, i32 waehrung) {
    // A client pays only what its screens pay: from its own account to
    // nobody (stadium building, trainings and camps, fees, scouting), within
    // its credit line, in euros.
    const bool art = kategorie == 14 || kategorie == 22 || kategorie == 27 || kategorie == 31;
    if (betrag < 1 || zahler != Aktuelles_Team || empfaenger != -1 || !art || erzwingen != 0 ||
        (waehrung != -1 && waehrung != BANK_EURO)) {
        Debug_Printf("Bank_Buchung: abgewiesen (Team %d: %d an %d, %d, Art %d)\n", Aktuelles_Team, zahler, empfaenger,
                     betrag, kategorie);
        return false;
    }
    return Bank_Buchen(zahler, empfaenger, static_cast<f32>(betrag), kategorie, erzwingen, waehrung) != 0;
}

void Bank_Internet_Server_Send_Buchungen(u8* aus, i32* ring_index, i32* periode, int t) {
    const Bank_Konto* k = Bank_Get_Konto(t);
    if (aus) {
        if (k) bild(aus, k->buchung, BANK_BUCHUNGEN);
        else std::memset(aus, 0, bytes::groesse<Bank_Buchung>() * BANK_BUCHUNGEN);
    }
    if (ring_index) *ring_index = k ? k->ring_index : 0;
    if (periode) *periode = k ? Bank_Get_Periode() : 0;
}

#include "world/stadion.h"
#include "world/stadion_bau.h"
#include "world/werbung.h"

bool Bank_Internet_Server_Kredit(i32 t1, i32 t2, f32 betrag, i32 laufzeit, u8 option, f32 zins) {
    bool passt = (t1 == Aktuelles_Team && t2 == -1) || (t1 == -1 && t2 == Aktuelles_Team);
    if (!passt || zins != -1.0f) return false;
    return Bank_Kredit(t1, t2, betrag, laufzeit, option, zins, 0);
}

u32 Bank_Internet_Server_Send_Bankdaten(u8** aus, u8* waehrung12, u8* zinsen28, u8* grenzen28, f32* kredit_min,
                                        f32* kredit_max, f32* kreditrahmen, f32* kontostand, u8* konto52, int t) {
    // The seven term classes: their first months and rates.
    constexpr int KLASSEN = 7;
    static const i32 grenzen[KLASSEN] = {1, 3, 6, 12, 24, 36, 48};
    if (waehrung12)
        bytes::bild_schreiben(waehrung12, 12, [](bytes::Schreiber& s) {
            for (int w = 0; w < BANK_WAEHRUNGEN; w++) s(Bank_Get_Waehrung_Eintrag(w).faktor);
        });
    if (zinsen28)
        bytes::bild_schreiben(zinsen28, 28, [](bytes::Schreiber& s) {
            for (int i = 0; i < KLASSEN; i++) s(Bank_Get_Zins(i));
        });
    if (grenzen28) bytes::bild_schreiben(grenzen28, 28, [](bytes::Schreiber& s) { s(grenzen); });
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
            i32 werte[13] = {k->waehrung,
                             Bank_Get_Periode(),
                             Bank_Get_Anzahl_Kredite(t),
                             k->anzahl,
                             k->ring_index,
                             BANK_LAUFZEIT_MIN,
                             BANK_LAUFZEIT_MAX,
                             1,
                             100,
                             aeltester,
                             0,
                             0,
                             0};
            std::memcpy(w, werte, sizeof w);
        }
        bytes::bild_schreiben(konto52, 52, [&](bytes::Schreiber& s) { s(w); });
    }
    std::vector<u8> d;
    bytes::Schreiber s{d};
    for (int i = 0; i < BANK_WAEHRUNGEN; i++) s(Bank_Get_Waehrung_Eintrag(i));
    return block_aus(aus, d);
}

u32 Bank_Internet_Server_Send_Kredite(u8** aus, u8* kopf20, int t) {
    const Bank_Konto* k = Bank_Get_Konto(t);
    if (kopf20) {
        std::memset(kopf20, 0, 20);
        if (k)
            bytes::bild_schreiben(kopf20, 20, [&](bytes::Schreiber& s) {
                s(k->kontostand), s(k->kreditrahmen), s(k->waehrung), s(static_cast<i32>(Bank_Get_Anzahl_Kredite(t)));
            });
    }
    std::vector<u8> d;
    bytes::Schreiber s{d};
    int cursor = 0;
    while (const Bank_Kredit_Eintrag* e = Bank_Get_Naechster_Kredit(t, &cursor)) s(*e);
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
        case 3: return Werbung_Banden_Automatik(t, a != 0) ? 1 : 0;
        case 4: return Werbung_Zaehler_Weiter(t);
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
    const std::vector<u8> b = bytes::bild(s, 1);
    if (Liste_Insert_Element(&l, nullptr, b.data(), static_cast<u32>(b.size()), static_cast<u32>(t)))
        *aus = static_cast<u8*>(Liste_To_Mem(&l, &n));
    Liste_Freigeben(&l);
    return *aus ? n : 0;
}

// ---------------------------------------------------------------------------
// The rows of the call layer.

namespace {

// A row's answer block as a vector (the block freed).
std::vector<u8> block_nehmen(u8* p, u32 n) {
    std::vector<u8> v(p, p + (p ? n : 0));
    W32_Memory_H_Free(p);
    return v;
}

// Tuples of the call layer: the server row's buffers read back as fields.
template <class R>
R aus_bild(const u8* p, size_t groesse = bytes::groesse<R>()) {
    R r{};
    bytes::Leser l(p, groesse);
    l(r);
    return r;
}

// Every club's record of one kind, as the server row writes the block (none
// while the table is missing).
template <class R>
std::vector<R> alle_teams(bool tabelle_da, void (*senden)(u8*)) {
    const size_t n = tabelle_da && Team_Anzahl > 0 ? static_cast<size_t>(Team_Anzahl) : 0;
    std::vector<u8> b(n * bytes::groesse<R>());
    senden(b.data());
    std::vector<R> t(n);
    bytes::Leser l(b.data(), b.size());
    bytes::feld_lesen(l, t.data(), t.size());
    return t;
}

i32 loopback_alt = 0;

void spieler_zeilen() {
    ruf::Zeile_Anmelden(RUF_SPIELER_DATEN, [](i32 modus, i32 team, i32 spieler) {
        u8* p = nullptr;
        const u32 n = Spieler_Internet_Server_Send(&p, modus, team, spieler, 0);
        return block_nehmen(p, n);
    });
    ruf::Zeile_Anmelden(RUF_SPIELER_ZURUECK, [](Spieler_Zurueck_Liste liste) {
        const std::vector<u8> b = bytes::bild(liste.data(), liste.size());
        Spieler_Internet_Server_Get_Data_Back(b.data());
        return Nichts{};
    });
    ruf::Zeile_Anmelden(RUF_SPIELER_NEU, []() {
        u8* p = nullptr;
        const u32 n = Spieler_Internet_Server_Send_New_Client_Data(&p);
        return block_nehmen(p, n);
    });
    ruf::Zeile_Anmelden(RUF_SPIELER_STARTINFO, []() {
        u32 n = 0;
        Spieler_Internet_Server_Send_Startinfo(&n);
        return n;
    });
    ruf::Zeile_Anmelden(RUF_SPIELER_TAUSCH, [](i32 ta, i32 tb, i32 sa, i32 sb, i32 preis) {
        u32 ok = 0;
        Spieler_Tausch_Ausfuehren(ta, tb, sa, sb, preis, &ok);
        return ok;
    });
}

void team_zeilen() {
    ruf::Zeile_Anmelden(RUF_TEAM_OWN, [](i32 team) {
        u16 wert = 0;
        u8 b[bytes::groesse<Team_Own>()] = {};
        Team_Internet_Server_Send_T_Own(&wert, b, team);
        return std::tuple<u16, Team_Own>{wert, aus_bild<Team_Own>(b)};
    });
    ruf::Zeile_Anmelden(RUF_TEAM_SPIELERBLOCK, [](i32 team, i32 auswahl) {
        u8* p = nullptr;
        const u32 n = team_ok(team) ? Team_Internet_Server_Send_Spielerblock(&p, team, auswahl) : 0;
        return block_nehmen(p, n);
    });
    ruf::Zeile_Anmelden(RUF_TEAM_T, [](i32 team) {
        u8 b[bytes::groesse<Team_Struktur>()] = {};
        Team_Internet_Server_Send_T(b, team);
        return aus_bild<Team_Struktur>(b);
    });
    ruf::Zeile_Anmelden(RUF_TEAM_T_FIX, [](i32 team) {
        u8 b[bytes::groesse<Team_Fix>()] = {};
        Team_Internet_Server_Send_T_Fix(b, team);
        return aus_bild<Team_Fix>(b);
    });
    ruf::Zeile_Anmelden(RUF_TEAM_BLOCK,
                        [] { return alle_teams<Team_Struktur>(Team_Daten != nullptr, Team_Internet_Server_Send_T_Block); });
    ruf::Zeile_Anmelden(RUF_TEAM_FIX_BLOCK, [] {
        return alle_teams<Team_Fix>(Team_Fix_Daten != nullptr, Team_Internet_Server_Send_T_Fix_Block);
    });
    ruf::Zeile_Anmelden(RUF_TEAM_OWN_ZURUECK, [](Team_Own own, u8 c0, u8 c1) {
        const std::vector<u8> b = bytes::bild(&own, 1);
        Team_Internet_Server_Get_Data_Back(b.data(), c0, c1);
        return Nichts{};
    });
    ruf::Zeile_Anmelden(RUF_TEAM_STARTINFO, []() {
        Team_Startinfo s;
        Team_Internet_Server_Send_Startinfo(&s.teams, &s.kopie, &s.markt, &s.heimnation, &s.schwierigkeit);
        return s;
    });
    ruf::Zeile_Anmelden(RUF_STARTTEAMS, []() {
        std::vector<u8> b(NETZ_STARTTEAMS);
        u32 n = 0;
        Team_Internet_Server_Send_Startteams(b.data(), &n);
        b.resize(static_cast<size_t>(n) * STARTTEAM_GROESSE);
        return b;
    });
    ruf::Zeile_Anmelden(RUF_USER_AKTIV, [](i32 slot, i32 team, Name36 name, i32 wert) {
        Team_Internet_Server_Set_User_Active(slot, team, name.data(), wert);
        return Nichts{};
    });
}

void manager_zeilen() {
    ruf::Zeile_Anmelden(RUF_MANAGER_DATEN, []() {
        Manager_Teil m;
        u8 d176[bytes::groesse<Manager_Daten>()] = {}, d8[8] = {}, d3[3] = {};
        Manager_Internet_Server_Send_Managerdaten(d176, d8, d3);
        m.daten = aus_bild<Manager_Daten>(d176);
        bytes::Leser(d8, sizeof d8)(m.menue_wahl);
        bytes::Leser(d3, sizeof d3)(m.einstellungen);
        return m;
    });
    ruf::Zeile_Anmelden(RUF_MANAGER_STARTINFO_1, []() {
        u32 anzahl = 0, schwierigkeit = 0;
        Manager_Internet_Server_Send_Startinfo_1(&anzahl, &schwierigkeit);
        return std::tuple<u32, u32>{anzahl, schwierigkeit};
    });
    ruf::Zeile_Anmelden(RUF_MANAGER_STARTINFO_2, [](i32 team) {
        std::tuple<u8, Name36> a{};
        Manager_Internet_Server_Send_Startinfo_2(team, &std::get<0>(a), std::get<1>(a).data());
        return a;
    });
    ruf::Zeile_Anmelden(RUF_MANAGER_ZURUECK, [](Manager_Teil m) {
        const std::vector<u8> d176 = bytes::bild(&m.daten, 1), d8 = bytes::bild(m.menue_wahl, 2),
                              d3 = bytes::bild(m.einstellungen, 3);
        Manager_Internet_Server_Get_Data_Back(d176.data(), d8.data(), d3.data());
        return Nichts{};
    });
    ruf::Zeile_Anmelden(RUF_MANAGER_ICONS, [](u8 richtung, Manager_Icons icons) {
        std::vector<u8> b = bytes::bild(&icons, 1);
        Manager_Internet_Server_Read_And_Write_Icon_Status(b.data(), richtung);
        return aus_bild<Manager_Icons>(b.data());
    });
}

void bank_stadion_werbung_zeilen() {
    ruf::Zeile_Anmelden(RUF_STADION_LISTE, [](i32 team) {
        u8* p = nullptr;
        const u32 n = Stadion_Internet_Server_Send_Liste(&p, team);
        return block_nehmen(p, n);
    });
    ruf::Zeile_Anmelden(RUF_STADION_SETZEN, [](i32 team, i32 ausbauen, i32 preis, i32 sitz, i32 steh) {
        Stadion_Internet_Server_Setzen(team, ausbauen, preis, sitz, steh);
        return Nichts{};
    });
    ruf::Zeile_Anmelden(RUF_STADION_KAPAZITAET, [](i32 team) {
        i32 k = 0;
        if (team >= 0 && team < Team_Anzahl) Stadion_Internet_Server_Get(team, &k);
        return k;
    });
    ruf::Zeile_Anmelden(RUF_STADION_NEUBAU, Stadion_Internet_Server_Bauen);
    ruf::Zeile_Anmelden(RUF_STADION_RENOVIERUNG, Stadion_Internet_Server_Renovieren);
    // A sponsor search pays its fee: carried out once per request number, so
    // that the same search again (replayed, or sent twice) pays nothing.
    ruf::Zeile_Anmelden(RUF_WERBUNG_SETZEN, [](i32 t, i32 aktion, i32 a, i32 b) -> i32 {
        if (aktion == WERBUNG_AKTION_SUCHEN && !ruf::Anfrage_Neu(Aktuelles_Team, static_cast<u32>(b))) return 0;
        return Werbung_Internet_Server_Set_Daten(t, aktion, a, b);
    });
    ruf::Zeile_Anmelden(RUF_WERBUNG_DATEN, [](i32 team) {
        const Werbung_Daten* w = Werbung_Get(team);
        return std::tuple<u8, Werbung_Daten>{w ? 1 : 0, w ? *w : Werbung_Daten{}};
    });
    ruf::Zeile_Anmelden(RUF_BANKDATEN, [](i32 team) {
        Bank_Daten_Antwort a;
        u8 w12[12], z28[28], g28[28], k52[52];
        u8* p = nullptr;
        const u32 n = Bank_Internet_Server_Send_Bankdaten(&p, w12, z28, g28, &a.kredit_min, &a.kredit_max,
                                                          &a.kreditrahmen, &a.kontostand, k52, team);
        const std::vector<u8> b = block_nehmen(p, n);
        a.waehrungen.resize(b.size() / bytes::groesse<Bank_Waehrung>());
        bytes::Leser l(b.data(), b.size());
        bytes::feld_lesen(l, a.waehrungen.data(), a.waehrungen.size());
        bytes::Leser(w12, sizeof w12)(a.faktoren);
        bytes::Leser(z28, sizeof z28)(a.zinsen);
        bytes::Leser(g28, sizeof g28)(a.grenzen);
        bytes::Leser(k52, sizeof k52)(a.konto);
        return a;
    });
    // A paying request is carried out only with a number above the club's
    // last: the same request again (replayed, however late, or sent twice)
    // is refused and books nothing.
    ruf::Zeile_Anmelden(RUF_BANK_BUCHUNG, [](i32 zahler, i32 empfaenger, i32 betrag, i32 kategorie, i32 erzwingen,
                                             i32 waehrung, u32 anfrage) -> u8 {
        if (!ruf::Anfrage_Neu(Aktuelles_Team, anfrage)) return 0;
        return Bank_Internet_Server_Buchung(zahler, empfaenger, betrag, kategorie, erzwingen, waehrung) ? 1 : 0;
    });
    ruf::Zeile_Anmelden(RUF_BANK_BUCHUNGEN, [](i32 team) {
        std::tuple<std::array<Bank_Buchung, BANK_BUCHUNGEN>, i32, i32> a{};
        std::vector<u8> b(BANK_BUCHUNGEN * bytes::groesse<Bank_Buchung>());
        Bank_Internet_Server_Send_Buchungen(b.data(), &std::get<1>(a), &std::get<2>(a), team);
        bytes::Leser(b.data(), b.size())(std::get<0>(a));
        return a;
    });
    ruf::Zeile_Anmelden(RUF_BANK_KREDITE, [](i32 team) {
        Bank_Kredite_Antwort a;
        if (const Bank_Konto* k = Bank_Get_Konto(team)) {
            a.kontostand = k->kontostand, a.kreditrahmen = k->kreditrahmen, a.waehrung = k->waehrung;
            int cursor = 0;
            while (const Bank_Kredit_Eintrag* e = Bank_Get_Naechster_Kredit(team, &cursor)) a.kredite.push_back(*e);
            a.anzahl = static_cast<i32>(a.kredite.size());
        }
        return a;
    });
    ruf::Zeile_Anmelden(RUF_ANFRAGE_STAND, []() -> u32 { return ruf::Anfrage_Stand(Aktuelles_Team); });
    ruf::Zeile_Anmelden(RUF_BANK_KREDIT, [](i32 t1, i32 t2, f32 betrag, i32 laufzeit, u8 option, f32 zins,
                                            u32 anfrage) -> u8 {
        if (!ruf::Anfrage_Neu(Aktuelles_Team, anfrage)) return 0;
        return Bank_Internet_Server_Kredit(t1, t2, betrag, laufzeit, option, zins) ? 1 : 0;
    });
}

}  // namespace

void Welt_Netz_Anmelden() {
    // A call answered on this machine: the active team asks.
    ruf::Schleife_Setzen([](bool an) {
        if (an) {
            loopback_alt = Aktuelles_Team;
            Aktuelles_Team = Team_Aktiv;
        } else {
            Aktuelles_Team = loopback_alt;
        }
    });
    spieler_zeilen();
    team_zeilen();
    manager_zeilen();
    bank_stadion_werbung_zeilen();
    Markt_Netz_Anmelden();
}

// The server's client slots and the client's request path (see slots.h).
#include "net/slots.h"

#include <algorithm>
#include <cstring>

#include "base/debug.h"
#include "base/globals.h"
#include "base/memory.h"
#include "platform/errorbox.h"
#include "platform/mainloop.h"

Verbindung_Client_Slot Verbindung_Client_Slots[VERBINDUNG_CLIENT_SLOTS] = {};

namespace {

Netz_Hooks hooks{};

bool anfrage_laeuft = false;

bool Kaputt(const Verbindung* v) { return Verbindung_Zustand(v) == VERBINDUNG_KAPUTT; }

// The recent club-less time of addresses whose connections went: a
// connection that comes back at once takes the time its address had.
struct Adress_Spur {
    u8 adresse[4];
    i64 seit, zuletzt;
};
constexpr int SPUREN = 4 * VERBINDUNG_CLIENT_SLOTS;
Adress_Spur spuren[SPUREN] = {};

bool gleiche_adresse(const u8* a, const u8* b) { return std::memcmp(a, b, 4) == 0; }
// The server's own machine: 127.0.0.1 and the address it listens on.
bool unbegrenzt(const u8* a) {
    static constexpr u8 LOOPBACK[4] = {127, 0, 0, 1};
    return gleiche_adresse(a, LOOPBACK) ||
           (Internet_Listen_Verbindung && gleiche_adresse(a, Internet_Listen_Verbindung->adresse));
}

Adress_Spur* spur_suchen(const u8* a, i64 jetzt) {
    for (Adress_Spur& sp : spuren)
        if (sp.zuletzt && gleiche_adresse(sp.adresse, a) && jetzt - sp.zuletzt < VERBINDUNG_OHNE_VEREIN_KETTE_MS)
            return &sp;
    return nullptr;
}

// Notes that a club-less connection of the address, without a club since
// `seit`, went (or was refused) now.
void spur_merken(const u8* a, i64 seit, i64 jetzt) {
    Adress_Spur* ziel = spur_suchen(a, jetzt);
    if (!ziel) {
        ziel = &spuren[0];
        for (Adress_Spur& sp : spuren)
            if (sp.zuletzt < ziel->zuletzt) ziel = &sp;
        std::memcpy(ziel->adresse, a, 4);
        ziel->seit = seit;
    }
    ziel->seit = std::min(ziel->seit, seit);
    ziel->zuletzt = jetzt;
}

// The failed connection to the server: closed, forgotten, reported once.
void Verloren(Verbindung* v) {
    if (v) {
        Debug_Printf("Verbindung zum Server verloren: %s", v->fehler[0] ? v->fehler : "Anfrage abgebrochen");
        Verbindung_Close(v);
    }
    if (v == Internet_Server_Verbindung) Internet_Server_Verbindung = nullptr;
    hooks.verbindung_verloren();
}

// Hands a packet to the signal hook when it is a signal; releases it.
// False when it was not a signal.
bool Signal_Abgeben(u8* paket, u32 laenge) {
    const bool signal = Netz_Ist_Signal(paket, laenge);
    if (signal) hooks.client_signal(paket, laenge);
    W32_Memory_H_Free(paket);
    return signal;
}

// One step of a waiting loop: messages and the network.
void Pumpen() {
    W32_Message_Pump();
    Verbindung_Pump();
}

// Waits until the connection's frame has been written; false when it broke
// or the time ran out.
bool Senden_Abwarten(Verbindung* v, i64 ende) {
    while (Verbindung_Sendet(v)) {
        if (Verbindung_Jetzt_Ms() > ende) return false;
        Pumpen();
        if (Verbindung_Sendet(v)) Verbindung_Warten(2);
    }
    if (Kaputt(v)) return false;
    Verbindung_Gesendet_Freigeben(v);
    return true;
}

u8* Anfrage(Verbindung* v, const void* daten, u32 laenge, u32* antwort_laenge) {
    const i64 ende = Verbindung_Jetzt_Ms() + Verbindung_Limits.anfrage;
    // A packet that nobody took: a signal goes to its hook, anything else is stale.
    u32 n = 0;
    if (u8* alt = Verbindung_Paket_Nehmen(v, &n)) {
        Debug_Printf("MIN-VON-SERVER fertig->send");
        Signal_Abgeben(alt, n);
    }
    // A signal still being written goes out first.
    if (!Senden_Abwarten(v, ende)) return nullptr;
    if (!Verbindung_Send(v, daten, laenge, VERBINDUNG_TAG_CLIENT)) {
        Debug_Printf("MIN-VON-SERVER ???");
        return nullptr;
    }
    if (!Senden_Abwarten(v, ende)) return nullptr;
    i64 anzeige = 0;
    for (;;) {
        if (u8* paket = Verbindung_Paket_Nehmen(v, &n)) {
            if (Netz_Ist_Signal(paket, n)) {
                Signal_Abgeben(paket, n);
                continue;
            }
            if (antwort_laenge) *antwort_laenge = n;
            return paket;
        }
        if (!Verbindung_Read_Start(v)) return nullptr;
        const i64 jetzt = Verbindung_Jetzt_Ms();
        if (jetzt > ende) {
            Verbindung_Brechen(v, "keine Antwort des Servers");
            return nullptr;
        }
        if (jetzt - anzeige >= 100) {
            hooks.warteanzeige(1);
            anzeige = jetzt;
        }
        Pumpen();
        // Until a socket can move bytes, at most 2 ms.
        if (v->empfang.phase != VERBINDUNG_PHASE_FERTIG && !Kaputt(v)) Verbindung_Warten(2);
    }
}

}  // namespace

void Netz_Verbindung_Verloren_Melden() {
    W32_Error_Box("%s\nDas Spiel wird beendet.", NETZ_TEXT_VERLOREN);
    if (Quit_Status == QUIT_STATUS_LAEUFT) Quit_Status = QUIT_STATUS_ANGEFORDERT;
}

void Netz_Set_Hooks(const Netz_Hooks& h) { hooks = h; }
const Netz_Hooks& Netz_Get_Hooks() { return hooks; }
void Netz_Hooks_Zuruecksetzen() { hooks = {}; }

bool Netz_Ist_Signal(const u8* daten, u32 laenge) {
    return daten && laenge >= 4 && get_u32le(daten) == NETZ_SIGNAL_MAGIC;
}

// ---------------------------------------------------------------------------
// Server
// ---------------------------------------------------------------------------

void Verbindung_Server_Neuer_Client(Verbindung* v) {
    if (!v) return;
    // What the address holds already, and since when it has been without a
    // club: a club-less connection that reconnects does not start afresh.
    const i64 jetzt = Verbindung_Jetzt_Ms();
    i32 gleiche = 0, ohne_verein = 0;
    i64 seit = jetzt;
    for (const Verbindung_Client_Slot& s : Verbindung_Client_Slots) {
        if (!s.benutzt || !s.verbindung || !gleiche_adresse(s.verbindung->adresse, v->adresse)) continue;
        ++gleiche;
        if (s.team < 0) ++ohne_verein, seit = std::min(seit, s.ohne_verein_seit);
    }
    const bool begrenzt = !unbegrenzt(v->adresse);
    if (!begrenzt) seit = jetzt;
    if (const Adress_Spur* sp = spur_suchen(v->adresse, jetzt); sp && begrenzt) seit = std::min(seit, sp->seit);
    if (begrenzt) {
        const char* grund = gleiche >= VERBINDUNG_SLOTS_PRO_ADRESSE                ? "zu viele Plätze"
                            : ohne_verein >= VERBINDUNG_OHNE_VEREIN_PRO_ADRESSE    ? "zu viele Plätze ohne Verein"
                            : jetzt - seit >= static_cast<i64>(Verbindung_Limits.ohne_team) ? "zu lange ohne Verein"
                                                                                  : nullptr;
        if (grund) {
            Debug_Printf("Server: %d.%d.%d.%d abgewiesen: %s", v->adresse[0], v->adresse[1], v->adresse[2],
                         v->adresse[3], grund);
            // Knocking again keeps the address's time without a club running.
            spur_merken(v->adresse, seit, jetzt);
            Verbindung_Close(v);
            return;
        }
    }
    for (i32 i = 0; i < VERBINDUNG_CLIENT_SLOTS; i++) {
        Verbindung_Client_Slot& s = Verbindung_Client_Slots[i];
        if (s.benutzt || s.verbindung) continue;
        s = Verbindung_Client_Slot{static_cast<u32>(i), 1, 1, v, 0, nullptr, -1, nullptr, seit};
        return;
    }
    Debug_Printf("Server: kein freier Platz für %d.%d.%d.%d", v->adresse[0], v->adresse[1], v->adresse[2],
                 v->adresse[3]);
    Verbindung_Close(v);
}

void Verbindung_Client_Slot_Free(Verbindung_Client_Slot* slot) {
    if (!slot) return;
    if (slot->benutzt && slot->verbindung && slot->team < 0)
        spur_merken(slot->verbindung->adresse, slot->ohne_verein_seit, Verbindung_Jetzt_Ms());
    W32_Memory_H_Free(slot->paket);
    Verbindung_Close(slot->verbindung);
    *slot = Verbindung_Client_Slot{};
}

void Verbindung_Server_Slots_Leeren() {
    for (Verbindung_Client_Slot& s : Verbindung_Client_Slots)
        if (s.benutzt || s.verbindung || s.paket) Verbindung_Client_Slot_Free(&s);
    for (Adress_Spur& sp : spuren) sp = Adress_Spur{};
}

void Netz_Verbindungen_Schliessen() {
    Verbindung_Server_Slots_Leeren();
    Verbindung_Close(Internet_Server_Verbindung);
    Verbindung_Close(Internet_Listen_Verbindung);
    Internet_Server_Verbindung = nullptr;
    Internet_Listen_Verbindung = nullptr;
}

void Verbindung_Server_Clients() {
    for (i32 i = 0; i < VERBINDUNG_CLIENT_SLOTS; i++) {
        Verbindung_Client_Slot& s = Verbindung_Client_Slots[i];
        Verbindung* v = s.verbindung;
        if (!s.benutzt || !v || v->art != VERBINDUNG_PEER) continue;
        if (Kaputt(v)) {
            Debug_Printf("Server: Client %d (%d.%d.%d.%d) getrennt: %s", i, v->adresse[0], v->adresse[1], v->adresse[2],
                         v->adresse[3], v->fehler);
            if (s.schliessen) s.schliessen(s.team);
            Verbindung_Client_Slot_Free(&s);
            continue;
        }
        if (v->senden.phase == VERBINDUNG_PHASE_GESCHRIEBEN) {
            Verbindung_Gesendet_Freigeben(v);
            Verbindung_Read_Start(v);
        }
        if (!s.paket) s.paket = Verbindung_Paket_Nehmen(v, &s.paket_laenge);
        // A slot is for a club: a client that has not taken one in time makes room.
        if (s.team < 0 && Verbindung_Jetzt_Ms() - s.ohne_verein_seit >= Verbindung_Limits.ohne_team)
            Verbindung_Brechen(v, "ohne Verein");
    }
}

i32 Verbindung_Server_Send(Verbindung_Client_Slot* slot, const void* daten, u32 laenge) {
    if (!slot || !slot->benutzt) return 0;
    return Verbindung_Send(slot->verbindung, daten, laenge, VERBINDUNG_TAG_SERVER);
}

void Verbindung_Server_Frame() {
    for (Verbindung_Client_Slot& s : Verbindung_Client_Slots) {
        if (!s.benutzt) continue;
        s.neu = 0;
        if (!s.paket) continue;
        // Detached before it is handed on: whatever the handler pumps meanwhile
        // cannot release it under its feet.
        u8* paket = s.paket;
        const u32 laenge = s.paket_laenge;
        Verbindung* v = s.verbindung;
        s.paket = nullptr;
        s.paket_laenge = 0;
        hooks.server_paket(&s, paket, laenge);
        W32_Memory_H_Free(paket);
        // A packet that got no answer must not stop the client's next one.
        if (s.benutzt && s.verbindung == v && !Kaputt(v) && v->senden.phase == VERBINDUNG_PHASE_KEINE)
            Verbindung_Read_Start(v);
    }
}

// ---------------------------------------------------------------------------
// Client
// ---------------------------------------------------------------------------

u8* Verbindung_Send_And_Read(Verbindung* v, const void* daten, u32 laenge, u32* antwort_laenge) {
    if (antwort_laenge) *antwort_laenge = 0;
    if (anfrage_laeuft) {
        // Game code reached from inside a waiting request must not start another.
        Debug_Printf("Verbindung_Send_And_Read: Anfrage während einer Anfrage abgelehnt");
        return nullptr;
    }
    u8* antwort = nullptr;
    if (v && daten && laenge) {
        anfrage_laeuft = true;
        antwort = Anfrage(v, daten, laenge, antwort_laenge);
        anfrage_laeuft = false;
    }
    if (!antwort) Verloren(v);
    return antwort;
}

u8* Verbindung_Read(Verbindung* v, u32* laenge) {
    if (laenge) *laenge = 0;
    if (Quit_Status != QUIT_STATUS_LAEUFT || !v || Kaputt(v)) return nullptr;
    Verbindung_Gesendet_Freigeben(v);
    u8* paket = Verbindung_Paket_Nehmen(v, laenge);
    Verbindung_Read_Start(v);
    Verbindung_Pump();
    if (v->empfang.phase == VERBINDUNG_PHASE_DATEN) W32_Message_Pump();
    return paket;
}

void CLIENT_SIGNAL(Verbindung* v, const void* daten, u32 laenge) {
    if (!v || !daten || !laenge) return;
    if (!Verbindung_Send(v, daten, laenge, VERBINDUNG_TAG_CLIENT)) {
        Debug_Printf("CLIENT_SIGNAL NICHT GESENDET!!!");
        // A signal for a server that has gone ends the game like a request would.
        if (Kaputt(v)) Verloren(v);
        return;
    }
    if (!Senden_Abwarten(v, Verbindung_Jetzt_Ms() + Verbindung_Limits.anfrage)) Verloren(v);
}

void Verbindung_Client_Frame() {
    u32 n = 0;
    u8* paket = Verbindung_Read(Internet_Server_Verbindung, &n);
    if (paket && !Signal_Abgeben(paket, n)) Debug_Printf("MIN-VON-SERVER: Paket ohne Anfrage verworfen");
    Verbindung* v = Internet_Server_Verbindung;
    // A line that broke between two requests (the server quit, its machine
    // went) is told at once, whatever the player is doing: no request may
    // come to find it (a match watched live asks nothing for minutes).
    if (ruf::Client() && v && Kaputt(v) && !anfrage_laeuft) {
        Verloren(v);
        return;
    }
    if (!ruf::Client() || !v || Kaputt(v) || anfrage_laeuft || v->senden.phase != VERBINDUNG_PHASE_KEINE) return;
    if (Verbindung_Jetzt_Ms() - v->fortschritt_ms < Verbindung_Limits.leerlauf / LEBENSZEICHEN_TEIL) return;
    if (!ruf::Rufen(RUF_LEBENSZEICHEN)) Debug_Printf("Lebenszeichen: keine Antwort vom Server");
}

void Netz_Lebenszeichen_Anmelden() {
    ruf::Zeile_Anmelden(RUF_LEBENSZEICHEN, [] { return ruf::Nichts{}; });
}

// Connections and packet frames (see verbindung.h).
#include "net/verbindung.h"

#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstring>

#include "base/bytes.h"
#include "base/debug.h"
#include "base/memory.h"
#include "base/settings.h"
#include "base/tools.h"
#include "net/slots.h"
#include "platform/errorbox.h"
#include "platform/messages.h"

Verbindung_Zeitlimits Verbindung_Limits;
Verbindung* Verbindung_Tabelle[VERBINDUNG_MAX] = {};
Verbindung* Internet_Server_Verbindung = nullptr;
Verbindung* Internet_Listen_Verbindung = nullptr;
char Internet_Hostname[256] = "";
u16 Internet_Port = 0;
u8 Internet_Lokale_Adresse[4] = {};
bool Internet_Alle_Adressen = false;

namespace {

bool gestartet = false;

bool Mitten_Im_Rahmen(const Verbindung* v) {
    const bool sendet = v->senden.phase == VERBINDUNG_PHASE_GEQUEUED || v->senden.phase == VERBINDUNG_PHASE_SCHREIBT;
    const bool liest = (v->empfang.phase == VERBINDUNG_PHASE_KOPF && v->empfang.versatz > 0) ||
                       v->empfang.phase == VERBINDUNG_PHASE_DATEN;
    return sendet || liest;
}

// Checks the header as far as it has arrived; false breaks the connection.
bool Kopf_Pruefen(Verbindung* v) {
    const Verbindung_Empfang& e = v->empfang;
    if (e.versatz < 4) return true;
    bytes::Leser l(e.kopf, e.versatz);
    const u32 gesamt = l.u32_();
    if (gesamt <= VERBINDUNG_KOPF || gesamt > VERBINDUNG_MAX_RAHMEN) {
        char grund[80];
        std::snprintf(grund, sizeof grund, "ungültige Rahmenlänge %u", gesamt);
        Verbindung_Brechen(v, grund);
        return false;
    }
    if (e.versatz < VERBINDUNG_KOPF) return true;
    const u32 gepackt = l.u32_();
    const u32 laenge = l.u32_();
    if (gepackt != 0) {
        Verbindung_Brechen(v, "gepackter Rahmen");
        return false;
    }
    if (laenge != gesamt - VERBINDUNG_KOPF) {
        char grund[80];
        std::snprintf(grund, sizeof grund, "Datenlänge %u passt nicht zur Rahmenlänge %u", laenge, gesamt);
        Verbindung_Brechen(v, grund);
        return false;
    }
    return true;
}

void Senden_Schritt(Verbindung* v, i64 jetzt) {
    Verbindung_Senden& s = v->senden;
    if (s.phase != VERBINDUNG_PHASE_GEQUEUED && s.phase != VERBINDUNG_PHASE_SCHREIBT) return;
    s.phase = VERBINDUNG_PHASE_SCHREIBT;
    u32 n = 0;
    if (!Socket_Write(v->socket, s.puffer + s.versatz, s.rest, &n)) {
        Verbindung_Brechen(v, "Senden fehlgeschlagen");
        return;
    }
    if (n == 0) return;
    if (n > s.rest) n = s.rest;
    s.versatz += n;
    s.rest -= n;
    v->fortschritt_ms = jetzt;
    if (s.rest == 0) s.phase = VERBINDUNG_PHASE_GESCHRIEBEN;
}

// Reads what has arrived of the current frame: the header, and once it is
// complete and sound, the data, in the same pass.
void Empfangen_Schritt(Verbindung* v, i64 jetzt) {
    Verbindung_Empfang& e = v->empfang;
    for (int runde = 0; runde < 4; runde++) {
        u8* ziel;
        u32 wunsch;
        if (e.phase == VERBINDUNG_PHASE_KOPF) {
            ziel = e.kopf + e.versatz;
            wunsch = VERBINDUNG_KOPF - e.versatz;
        } else if (e.phase == VERBINDUNG_PHASE_DATEN) {
            ziel = e.puffer + e.versatz;
            wunsch = e.laenge - e.versatz;
        } else {
            return;
        }
        u32 n = 0;
        if (!Socket_Read(v->socket, ziel, wunsch, &n)) {
            Verbindung_Brechen(v, "Verbindung vom Gegenüber beendet");
            return;
        }
        if (n == 0) return;
        if (n > wunsch) n = wunsch;
        if (e.phase == VERBINDUNG_PHASE_KOPF && e.versatz == 0) v->empfang_ab_ms = jetzt;
        e.versatz += n;
        v->fortschritt_ms = jetzt;
        if (e.phase == VERBINDUNG_PHASE_KOPF) {
            if (!Kopf_Pruefen(v)) return;
            if (e.versatz < VERBINDUNG_KOPF) continue;
            bytes::Leser l(e.kopf + 8, 4);
            e.laenge = l.u32_();
            e.puffer = static_cast<u8*>(W32_Memory_H_Alloc(e.laenge, "Verbindung_Pump"));
            if (!e.puffer) {
                Verbindung_Brechen(v, "kein Speicher für das Paket");
                return;
            }
            e.versatz = 0;
            e.phase = VERBINDUNG_PHASE_DATEN;
        } else if (e.versatz == e.laenge) {
            e.phase = VERBINDUNG_PHASE_FERTIG;
            v->pakete++;
            return;
        }
    }
}

// The time a frame of this many bytes may take from its first byte: the
// partial-frame limit, and a big frame one second more for every
// RAHMEN_MINDESTRATE bytes. A peer that trickles a frame byte by byte is
// cut off however often a byte moves.
constexpr i64 RAHMEN_MINDESTRATE = 16384;
i64 rahmen_frist(u32 bytes) { return Verbindung_Limits.teilrahmen + static_cast<i64>(bytes) * 1000 / RAHMEN_MINDESTRATE; }

void Zeit_Pruefen(Verbindung* v, i64 jetzt) {
    if (Mitten_Im_Rahmen(v)) {
        const Verbindung_Empfang& e = v->empfang;
        const bool liest = (e.phase == VERBINDUNG_PHASE_KOPF && e.versatz > 0) || e.phase == VERBINDUNG_PHASE_DATEN;
        const bool sendet =
            v->senden.phase == VERBINDUNG_PHASE_GEQUEUED || v->senden.phase == VERBINDUNG_PHASE_SCHREIBT;
        const u32 lesen = VERBINDUNG_KOPF + (e.phase == VERBINDUNG_PHASE_DATEN ? e.laenge : 0);
        if (jetzt - v->fortschritt_ms > Verbindung_Limits.teilrahmen ||
            (liest && jetzt - v->empfang_ab_ms > rahmen_frist(lesen)) ||
            (sendet && jetzt - v->senden_ab_ms > rahmen_frist(v->senden.versatz + v->senden.rest)))
            Verbindung_Brechen(v, "Zeitüberschreitung mitten im Rahmen");
    } else if (v->art == VERBINDUNG_PEER && v->pakete == 0 && v->empfang.phase == VERBINDUNG_PHASE_KOPF &&
               jetzt - v->seit_ms >= Verbindung_Limits.stumm) {
        Verbindung_Brechen(v, "stumm seit dem Verbindungsaufbau");
    } else if (v->art == VERBINDUNG_PEER && v->pakete > 0 && v->empfang.phase == VERBINDUNG_PHASE_KOPF &&
               v->senden.phase == VERBINDUNG_PHASE_KEINE && jetzt - v->fortschritt_ms >= Verbindung_Limits.leerlauf) {
        // Waiting for the peer's next packet, with nothing of ours on the way.
        Verbindung_Brechen(v, "keine Anfrage mehr");
    }
}

Verbindung* Neue_Verbindung(i32* platz) {
    *platz = Verbindung_Get_Freier_Platz();
    if (*platz < 0) return nullptr;
    auto* v = static_cast<Verbindung*>(W32_Memory_H_Alloc(sizeof(Verbindung), "Verbindung"));
    if (!v) return nullptr;
    std::memset(v, 0, sizeof *v);
    v->seit_ms = v->fortschritt_ms = Verbindung_Jetzt_Ms();
    return v;
}

}  // namespace

i64 Verbindung_Jetzt_Ms() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

i32 Verbindung_Start(const char*, i32) {
    if (gestartet) return 1;
    Socket_Set_Callbacks(Verbindung_On_Accept, Verbindung_On_Read, Verbindung_On_Write, Verbindung_On_Close);
    u32 maximum = 0;
    if (!Socket_Start(&maximum)) return 0;
    if (!Socket_Init(static_cast<i32>(maximum < SOCKET_MAX_RECORDS ? maximum : SOCKET_MAX_RECORDS))) return 0;
    gestartet = true;
    return 1;
}

i32 Verbindung_Stop() {
    Verbindung_Server_Slots_Leeren();
    for (Verbindung*& v : Verbindung_Tabelle)
        if (v) Verbindung_Close(v);
    Internet_Server_Verbindung = nullptr;
    Internet_Listen_Verbindung = nullptr;
    Socket_DeInit();
    Socket_End();
    gestartet = false;
    return 1;
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
i32 Verbindung_Ist_Gestartet() { return gestartet ? 1 : 0; }

i32 Verbindung_Get_Local_Host(char* name, i32 laenge, u16* port, u8* adresse) {
    if (!gestartet || !name || !adresse) return 0;
    char host[256];
    u8 a[4];
    if (!Socket_Host_Get_Local_Host(host, sizeof host, a)) return 0;
    char wert[64] = "";
    bool alle = true;
    if (W32_Registry_Read("Netz_Adresse", wert, sizeof wert) && wert[0]) {
        i32 teile[4];
        if (Tools_IP_Parsen(wert, teile)) {
            for (int i = 0; i < 4; i++) a[i] = static_cast<u8>(teile[i]);
            alle = false;
        } else {
            W32_Stderr(
                "settings.ini: \"Netz_Adresse\" ist keine Adresse der Form 192.168.0.1; "
                "der Server hört auf allen Adressen dieses Rechners.");
        }
    }
    Internet_Alle_Adressen = alle;
    Tools_Strncpy(name, host, laenge - 1);
    std::memcpy(adresse, a, 4);
    if (port) *port = INTERNET_PORT;
    return 1;
}

i32 Verbindung_Get_Freier_Platz() {
    for (i32 i = 0; i < VERBINDUNG_MAX; i++)
        if (!Verbindung_Tabelle[i]) return i;
    return -1;
}

Verbindung* Verbindung_Open(u32 art, u16 port, const u8* adresse) {
    if (!gestartet) return nullptr;
    i32 platz;
    Verbindung* v = Neue_Verbindung(&platz);
    if (!v) return nullptr;
    v->socket = Socket_Init_Get_Socket_Info();
    bool ok = v->socket && Socket_Create(v->socket);
    const uintptr_t fenster = W32_Hauptfenster;
    if (art == VERBINDUNG_SERVER) {
        // Re-usable address: a server started again at once can listen again.
        ok = ok && Socket_Option(v->socket, SOCKET_OPT_REUSEADDR, 1) && Socket_Bind(v->socket, port, adresse) &&
             Socket_Option(v->socket, SOCKET_OPT_DONTLINGER, 1) && Socket_Option(v->socket, SOCKET_OPT_KEEPALIVE, 1) &&
             Socket_Listen(v->socket) && Socket_Async_Select_Event(v->socket, fenster, FD_ACCEPT);
    } else if (art == VERBINDUNG_CLIENT) {
        ok = ok && Socket_Option(v->socket, SOCKET_OPT_DONTLINGER, 1) &&
             Socket_Option(v->socket, SOCKET_OPT_KEEPALIVE, 1) &&
             Socket_Connect(v->socket, port, adresse, Verbindung_Limits.connect) &&
             Socket_Async_Select_Event(v->socket, fenster, FD_READ | FD_WRITE | FD_CLOSE);
    } else {
        ok = false;
    }
    if (!ok) {
        if (v->socket && v->socket->sock == SOCKET_UNGUELTIG) {
            Socket_Init_Clear_Socket_Info(v->socket);
            v->socket = nullptr;
        }
        Verbindung_Close(v);
        return nullptr;
    }
    if (adresse) std::memcpy(v->adresse, adresse, 4);
    v->port = port;
    v->art = art;
    v->offen = 1;
    Verbindung_Tabelle[platz] = v;
    return v;
}

i32 Verbindung_Close(Verbindung* v) {
    if (!v) return 0;
    if (v->socket) {
        Socket_Destroy(v->socket);
        v->socket = nullptr;
    }
    for (Verbindung*& t : Verbindung_Tabelle)
        if (t == v) t = nullptr;
    Verbindung_Transfer_Free(v);
    W32_Memory_H_Free(v);
    return 0;
}

Verbindung* Verbindung_Accept(Socket_Info* info) {
    if (!info) return nullptr;
    i32 platz;
    Verbindung* v = Neue_Verbindung(&platz);
    if (!v) {
        Socket_Destroy(info);
        return nullptr;
    }
    v->socket = info;
    v->art = VERBINDUNG_PEER;
    v->offen = 1;
    Socket_Async_Select_Event(info, W32_Hauptfenster, FD_READ | FD_WRITE | FD_CLOSE);
    Socket_Get_Peer(info, &v->port, v->adresse);
    Verbindung_Read_Start(v);
    Verbindung_Tabelle[platz] = v;
    return v;
}

i32 Verbindung_Send(Verbindung* v, const void* daten, u32 laenge, u32 tag) {
    if (!v || v->senden.phase == VERBINDUNG_PHASE_KAPUTT || Verbindung_Sendet(v)) return 0;
    if (!daten || laenge == 0 || laenge > VERBINDUNG_MAX_DATEN) return 0;
    auto* rahmen = static_cast<u8*>(W32_Memory_H_Alloc(laenge + VERBINDUNG_KOPF, "Verbindung_Send"));
    if (!rahmen) return 0;
    Verbindung_Gesendet_Freigeben(v);
    bytes::bild_schreiben(rahmen, VERBINDUNG_KOPF, [&](auto& s) {
        s(laenge + VERBINDUNG_KOPF);
        s(u32{0});
        s(laenge);
        s(tag);
    });
    std::memcpy(rahmen + VERBINDUNG_KOPF, daten, laenge);
    v->senden = Verbindung_Senden{rahmen, laenge + VERBINDUNG_KOPF, 0, VERBINDUNG_PHASE_GEQUEUED};
    v->fortschritt_ms = v->senden_ab_ms = Verbindung_Jetzt_Ms();
    return 1;
}

void Verbindung_Pump() {
    Socket_Bruecke_Abfragen();
    const i64 jetzt = Verbindung_Jetzt_Ms();
    for (Verbindung* v : Verbindung_Tabelle) {
        if (!v || v->art == VERBINDUNG_SERVER || v->senden.phase == VERBINDUNG_PHASE_KAPUTT) continue;
        Senden_Schritt(v, jetzt);
        if (v->senden.phase == VERBINDUNG_PHASE_KAPUTT) continue;
        Empfangen_Schritt(v, jetzt);
        if (v->senden.phase == VERBINDUNG_PHASE_KAPUTT) continue;
        Zeit_Pruefen(v, jetzt);
    }
}

i32 Verbindung_Read_Start(Verbindung* v) {
    if (!v || v->empfang.phase == VERBINDUNG_PHASE_KAPUTT) return 0;
    Verbindung_Empfang& e = v->empfang;
    if (e.phase == VERBINDUNG_PHASE_KOPF || e.phase == VERBINDUNG_PHASE_DATEN) return 1;
    e.puffer = static_cast<u8*>(W32_Memory_H_Free(e.puffer));
    e.laenge = 0;
    e.versatz = 0;
    e.phase = VERBINDUNG_PHASE_KOPF;
    return 1;
}

u8* Verbindung_Paket_Nehmen(Verbindung* v, u32* laenge) {
    if (!v || v->empfang.phase != VERBINDUNG_PHASE_FERTIG) return nullptr;
    u8* daten = v->empfang.puffer;
    if (laenge) *laenge = v->empfang.laenge;
    v->empfang.puffer = nullptr;
    v->empfang.laenge = 0;
    v->empfang.versatz = 0;
    v->empfang.phase = VERBINDUNG_PHASE_KEINE;
    return daten;
}

void Verbindung_Transfer_Free(Verbindung* v) {
    if (!v) return;
    v->senden.puffer = static_cast<u8*>(W32_Memory_H_Free(v->senden.puffer));
    v->empfang.puffer = static_cast<u8*>(W32_Memory_H_Free(v->empfang.puffer));
    v->senden.rest = v->senden.versatz = 0;
    v->empfang.laenge = v->empfang.versatz = 0;
    if (v->senden.phase != VERBINDUNG_PHASE_KAPUTT) v->senden.phase = v->empfang.phase = VERBINDUNG_PHASE_KEINE;
}

void Verbindung_Gesendet_Freigeben(Verbindung* v) {
    if (!v || v->senden.phase != VERBINDUNG_PHASE_GESCHRIEBEN) return;
    v->senden.puffer = static_cast<u8*>(W32_Memory_H_Free(v->senden.puffer));
    v->senden.rest = v->senden.versatz = 0;
    v->senden.phase = VERBINDUNG_PHASE_KEINE;
}

void Verbindung_Brechen(Verbindung* v, const char* grund) {
    if (!v) return;
    if (v->socket) {
        Socket_Destroy(v->socket);
        v->socket = nullptr;
    }
    if (v->senden.phase != VERBINDUNG_PHASE_KAPUTT) Tools_Strncpy(v->fehler, grund, sizeof v->fehler - 1);
    v->senden.phase = v->empfang.phase = VERBINDUNG_PHASE_KAPUTT;
}

void Verbindung_Socket_Fehler(Socket_Info* info) {
    for (Verbindung* v : Verbindung_Tabelle)
        if (v && v->socket == info) {
            Verbindung_Brechen(v, "Verbindung vom Gegenüber beendet");
            return;
        }
    Socket_Destroy(info);
}

u32 Verbindung_Zustand(const Verbindung* v) {
    if (!v || v->senden.phase == VERBINDUNG_PHASE_KAPUTT) return VERBINDUNG_KAPUTT;
    if (v->empfang.phase == VERBINDUNG_PHASE_FERTIG) return VERBINDUNG_PAKET_DA;
    if (Verbindung_Sendet(v)) return VERBINDUNG_SENDET;
    if (v->senden.phase == VERBINDUNG_PHASE_GESCHRIEBEN) return VERBINDUNG_GESENDET;
    return VERBINDUNG_FREI;
}

bool Verbindung_Sendet(const Verbindung* v) {
    return v && (v->senden.phase == VERBINDUNG_PHASE_GEQUEUED || v->senden.phase == VERBINDUNG_PHASE_SCHREIBT);
}

void Verbindung_Warten(u32 ms) {
    pollfd felder[VERBINDUNG_MAX];
    nfds_t n = 0;
    for (Verbindung* v : Verbindung_Tabelle) {
        if (!v || !v->socket) continue;
        // A complete packet or a written frame is work for the owner now.
        if (v->empfang.phase == VERBINDUNG_PHASE_FERTIG || v->senden.phase == VERBINDUNG_PHASE_GESCHRIEBEN) return;
        short ev = 0;
        if (v->art == VERBINDUNG_SERVER) {
            ev = POLLIN;
        } else {
            if (Verbindung_Sendet(v)) ev |= POLLOUT;
            if (v->empfang.phase == VERBINDUNG_PHASE_KOPF || v->empfang.phase == VERBINDUNG_PHASE_DATEN) ev |= POLLIN;
        }
        if (ev) felder[n++] = pollfd{v->socket->sock, ev, 0};
    }
    if (n == 0) {
        if (ms) poll(nullptr, 0, static_cast<int>(ms));
        return;
    }
    poll(felder, n, static_cast<int>(ms));
}

// A connection a server's socket accepted goes to the slot table.
void Verbindung_On_Accept(Socket_Info* info) {
    if (Verbindung* v = Verbindung_Accept(info)) Verbindung_Server_Neuer_Client(v);
}
void Verbindung_On_Read(Socket_Info*) {}
void Verbindung_On_Write(Socket_Info*) {}
void Verbindung_On_Close(Socket_Info* info) { Verbindung_Socket_Fehler(info); }

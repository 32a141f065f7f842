// The block protocol: every remote call and block between a client and the
// server travels as one request and one answer, each a header, a types
// string and the data the types string lays out, run-length packed into one
// packet (docs/formats/netz-block.md).
//
// Client: Internet_Client_Read lays the caller's arguments out by the types
// string, sends the request and copies the answer back, after checking it
// against the request. The call layer's line (Netz_Leitung) turns the typed
// calls of base/ruf.h into requests through the schema table (net/schema.h).
//
// Server: Internet_Server_Antwort answers one packed request of a client
// slot. It accepts only the types strings of the schema table, runs the
// call layer's row with the slot's team as the asking team, and closes the
// connection of a client that breaks the rules (the server never ends for
// bad input).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "base/types.h"
#include "net/slots.h"

constexpr u32 NETZ_BLOCK_MAGIC = 0xAAAAAAAA;
constexpr u32 SENDBLOCK_SIZE = 5000000;
constexpr u32 NETZ_ANFRAGE_KOPF = 16;
constexpr u32 NETZ_ANTWORT_KOPF = 12;
// Limits of a types string (its characters, without the NUL).
constexpr u32 NETZ_TYPEN_MAX = 49;
constexpr u32 NETZ_FELDER_MAX = 30;
constexpr u32 NETZ_WERTE_MAX = 50;
constexpr u32 NETZ_ZIFFERN_MAX = 7;

// One element of a types string.
struct Netz_Element {
    char buchstabe = 0;  // c w i f v, or the array letters C W I F V
    bool feld = false;
    bool nur_antwort = false;                 // '<' (or the old '-')
    bool nur_anfrage = false;                 // '>'
    bool zeiger = false;                      // '='
    bool variabel = false;                    // length 0: the row's answer block goes here
    u32 laenge = 0;                           // bytes (arrays)
    u32 ziffern_pos = 0, ziffern_anzahl = 0;  // where the length stands in the string
};

struct Netz_Typen {
    std::vector<Netz_Element> elemente;  // [0] is the result slot
    i32 variabel = -1;                   // index of the variable-length array
};

// Reads a types string strictly: the result slot first (v c w i f), at most
// 49 characters, 30 arrays, 50 scalars of each letter after the result
// slot, 7 digits a length, one variable-length array and only as the first
// array. "C-4" is read as "C<4"; an array without digits has length 1.
// False for anything else.
bool Netz_Typen_Lesen(std::string_view typen, Netz_Typen* aus);

u64 Netz_Antwort_Groesse(const Netz_Typen& t);

// An argument of Internet_Client_Read: a value for a scalar, an array (its
// capacity in bytes; null for none), or for an '=' array the pointer
// variable that receives the address of the contents and their length.
struct Netz_Arg {
    enum Art : u8 { WERT, FELD, ZEIGER } art = WERT;
    bool gleit = false;  // a float value
    u32 wert = 0;
    void* feld = nullptr;
    u64 kapazitaet = 0;
    const u8** zeiger = nullptr;
    u32* zeiger_laenge = nullptr;
};
struct Netz_Feld {
    void* p;
    u64 groesse;
};
struct Netz_Zeiger {
    const u8** p;
    u32* laenge;
};

// The request before packing: header (magic, code, types length with NUL,
// sender's team), types string, data. False when the arguments do not fit
// the types string (count, kind, an array smaller than its length).
bool Netz_Anfrage_Bauen(u32 code, i32 team, std::string_view typen, const std::vector<Netz_Arg>& args,
                        std::vector<u8>* aus);

// Client: the whole exchange over Internet_Server_Verbindung. The answer's
// result slot (0 for 'v'), or nothing when no valid answer came; then the
// caller's arrays are left as they were.
std::optional<u32> Netz_Client_Read(u32 code, std::string_view typen, const std::vector<Netz_Arg>& args);

// The typed client call: one argument per element after the result slot
// ('v' excepted): integers for c w i, float for f, Netz_Feld for an array,
// Netz_Zeiger for an '=' array. The arguments are checked against the types
// string before anything is sent.
template <class T>
Netz_Arg netz_arg(const T& a) {
    Netz_Arg r;
    if constexpr (std::is_same_v<T, Netz_Feld>) {
        r.art = Netz_Arg::FELD, r.feld = a.p, r.kapazitaet = a.p ? a.groesse : 0;
    } else if constexpr (std::is_same_v<T, Netz_Zeiger>) {
        r.art = Netz_Arg::ZEIGER, r.zeiger = a.p, r.zeiger_laenge = a.laenge;
    } else if constexpr (std::is_floating_point_v<T>) {
        const f32 f = static_cast<f32>(a);
        static_assert(sizeof f == 4);
        __builtin_memcpy(&r.wert, &f, 4);
        r.gleit = true;
    } else {
        static_assert(std::is_integral_v<T> || std::is_enum_v<T>, "Internet_Client_Read: unbekannte Argumentart");
        r.wert = static_cast<u32>(a);
    }
    return r;
}
template <class... A>
std::optional<u32> Internet_Client_Read(u32 code, const char* typen, const A&... args) {
    if (!typen) return std::nullopt;
    return Netz_Client_Read(code, typen, std::vector<Netz_Arg>{netz_arg(args)...});
}

// Server: the answer to one unpacked request of the client in slot
// `slot_index`, whose bound team is `team` (-1 before block 19). False when
// the client broke the rules; `grund` then names the rule for the log.
bool Netz_Block_Beantworten(i32 slot_index, i32 team, const u8* anfrage, size_t groesse, std::vector<u8>* antwort,
                            const char** grund);

// Server: answers one packed request of a slot (the frame's packet hook).
// A client that breaks the rules loses its connection and its slot, with
// one line in the debug log.
void Internet_Server_Antwort(Verbindung_Client_Slot* slot, const u8* gepackt, u32 laenge);

// Server: a client's match signal. Only a signal of exactly
// NETZ_SIGNAL_LAENGE bytes from a slot with a team is taken; it speaks for
// the slot's team; the answer goes back on the same slot.
constexpr u32 NETZ_SIGNAL_LAENGE = 6284;
void Netz_Server_Signal(Verbindung_Client_Slot* slot, const u8* daten, u32 laenge);
// Client: a match signal of the server (the network's signal hook). Only a
// per-minute signal (kind 1) of exactly NETZ_SIGNAL_LAENGE bytes, with the
// signal magic, that speaks for this client's team goes on to the match;
// anything else is dropped with a log line.
void Netz_Client_Signal(const u8* daten, u32 laenge);
// Client: sends this client's match signal to the server (no answer awaited:
// the server's answer arrives through Netz_Client_Signal).
bool Netz_Signal_Senden(const u8* daten, u32 laenge);
// Server: the frame's packet hook: a signal or a block request.
void Netz_Server_Paket(Verbindung_Client_Slot* slot, const u8* daten, u32 laenge);

// Run-length packing of a request or answer; the bounded unpack refuses a
// head that names more than SENDBLOCK_SIZE + the answer header bytes.
std::vector<u8> Netz_Packen(const std::vector<u8>& roh);
bool Netz_Entpacken(const u8* gepackt, u32 laenge, std::vector<u8>* aus);

// The calls of the protocol into the game above it (filled at start-up).
struct Netz_Protokoll_Hooks {
    i32 (*eigenes_team)() = [] { return 0; };  // the client's team for the header
    i32 (*team_anzahl)() = [] { return 0; };   // for the blocks of all teams
    // Server: a client's per-minute match signal, to be merged and turned
    // into the server's answer in place (default: sent back as it came).
    void (*server_signal)(i32 team, u8* signal, u32 laenge) = [](i32, u8*, u32) {};
    // Client: the server's answer to the client's match signal, checked.
    void (*client_signal)(const u8* signal, u32 laenge) = [](const u8*, u32) {};
};
void Netz_Protokoll_Set_Hooks(const Netz_Protokoll_Hooks& hooks);

// The call layer's line over the network (ruf::Leitung_Setzen on a client).
bool Netz_Leitung(u16 nummer, const std::vector<u8>& argumente, std::vector<u8>* antwort);

// The slot of the request being answered (-1 outside a request), and the
// binding of a slot to its team by block 19: only the asking slot, only a
// team no other slot holds.
i32 Netz_Aktuelle_Verbindung();
bool Netz_Slot_Team_Setzen(int slot, i32 team);
i32 Netz_Slot_Team(int slot);

// Statistics: answer data bytes (server and client), packed sizes.
struct Netz_Statistik {
    u64 block_bytes = 0, gesamt_out = 0, gesamt_in = 0;
    u32 max_out_block = 0, max_in_block = 0;
};
extern Netz_Statistik Netz_Zaehler;

// The client/server call layer: every remote call and block is declared once
// as a typed `ruf::Ruf` (its number, its arguments, its answer), the module
// that serves it registers the server row for it, and the module that needs
// it calls it. Arguments and answers cross the wire field by field through
// base/bytes.h, so a call's wire form follows from its declaration.
//
//     // world/netz_rufe.h: declared once
//     inline constexpr ruf::Ruf<u32, i32, i32> RUF_BEISPIEL{4711, "Beispiel"};
//     // the serving module, at start-up (src/main calls its registration)
//     ruf::Zeile_Anmelden(RUF_BEISPIEL, [](i32 a, i32 b) -> u32 { ... });
//     // the caller, on a client
//     std::optional<u32> antwort = ruf::Rufen(RUF_BEISPIEL, 1, 2);
//
// The role of this machine (local game, server, client) is asked here and
// nowhere else. Until the network layer installs its line
// (`Leitung_Setzen`), a call runs the local server row, as the server of a
// game on one machine would (the asking side is the active team then).
#pragma once

#include <optional>
#include <tuple>
#include <type_traits>
#include <vector>

#include "base/bytes.h"
#include "base/globals.h"
#include "base/types.h"

namespace ruf {

// The role of this machine.
inline bool Client() { return Internet_Modus == INTERNET_MODUS_CLIENT; }
inline bool Server() { return Internet_Modus == INTERNET_MODUS_SERVER; }
inline bool Einzel() { return Internet_Modus == INTERNET_MODUS_EINZEL; }
// True when this machine keeps the game's state (a local game or the server).
inline bool Haelt_Spiel() { return !Client(); }
// The role chosen on the start screen: a local game, or server or client.
inline void Als_Einzel() { Internet_Modus = INTERNET_MODUS_EINZEL; }
inline void Als_Netz(bool server) { Internet_Modus = server ? INTERNET_MODUS_SERVER : INTERNET_MODUS_CLIENT; }
// For its lifetime this machine acts as a local game (a client reading its
// own copy of the world before the server's data arrives); the role before
// comes back at its end.
class Einzel_Solange {
  public:
    Einzel_Solange() : vorher_(Internet_Modus) { Als_Einzel(); }
    ~Einzel_Solange() { Internet_Modus = vorher_; }
    Einzel_Solange(const Einzel_Solange&) = delete;
    Einzel_Solange& operator=(const Einzel_Solange&) = delete;

  private:
    decltype(Internet_Modus) vorher_;
};

// The answer of a call that gives nothing back.
struct Nichts {};
template <class V, bytes::Art<Nichts> S>
constexpr void felder(V&, S&) {}

// A remote call or block: its number and the types of its answer and
// arguments (arithmetic types, records with a field visit, arrays, vectors,
// tuples).
template <class Antwort, class... Argumente>
struct Ruf {
    u16 nummer;
    const char* name;
};

// The wire: sends a call's argument bytes to the server and gives back the
// answer bytes; false when no answer came. Null puts the local rows back.
using Leitung = bool (*)(u16 nummer, const std::vector<u8>& argumente, std::vector<u8>* antwort);
void Leitung_Setzen(Leitung leitung);
// The line of a game on one machine (the default): runs the local row as
// the server would.
bool Lokale_Leitung(u16 nummer, const std::vector<u8>& argumente, std::vector<u8>* antwort);

// The server side of the wire: runs row `nummer` on a client's argument
// bytes. False for an unknown number or argument bytes that do not fit the
// row's arguments exactly (the row is then not run).
bool Zeile_Ausfuehren(u16 nummer, const u8* argumente, size_t groesse, std::vector<u8>* antwort);

// The server side of the network line: runs the row for the client whose
// team is `team`, inside the serving module's team frame (installed with
// Team_Rahmen_Setzen: the world makes `team` the asking team).
bool Zeile_Ausfuehren_Fuer(i32 team, u16 nummer, const u8* argumente, size_t groesse, std::vector<u8>* antwort);
void Team_Rahmen_Setzen(void (*rahmen)(i32 team, bool an));
// True when a row is registered for the number.
bool Zeile_Vorhanden(u16 nummer);

// Around a row run by the local line: the serving module makes the machine
// look like the server answering the active team, and back (`an` true, then
// false). Installed by the module that registers the rows.
void Schleife_Setzen(void (*rahmen)(bool an));

// Request numbers of the paying calls: a client gives each such request a
// number of its own, and the server carries out a team's request only when
// its number is above every number of that team it carried out before, so a
// request repeated on the line (a double click, a replay however late)
// pays nothing a second time. The highest number per team is kept in the
// save; a client starts above it (Anfrage_Ab with the server's stand).
// The next number of this machine (never 0).
u32 Anfrage_Nummer();
// The client's numbering goes on above `stand` (the server's highest
// number of the client's team).
void Anfrage_Ab(u32 stand);
// On the server: true when `nummer` is above the team's highest number so
// far (which it then becomes), false for 0 and for every lower or equal one.
bool Anfrage_Neu(i32 team, u32 nummer);
// The team's highest number carried out (0 none), and setting it (a loaded
// save); Anfrage_Vergessen forgets every team's (a new game).
u32 Anfrage_Stand(i32 team);
void Anfrage_Stand_Setzen(i32 team, u32 stand);
void Anfrage_Vergessen();

namespace detail {
using Roh = bool (*)(void (*zeile)(), bytes::Leser& ein, bytes::Schreiber& aus);
bool anmelden(u16 nummer, const char* name, void (*zeile)(), Roh aufruf);
bool senden(u16 nummer, const std::vector<u8>& argumente, std::vector<u8>* antwort);

template <class A, class... Args>
bool aufrufen(void (*zeile)(), bytes::Leser& ein, bytes::Schreiber& aus) {
    std::tuple<std::remove_cvref_t<Args>...> args{};
    ein(args);
    if (ein.fehler || ein.pos != ein.n) return false;
    auto f = reinterpret_cast<A (*)(Args...)>(zeile);
    aus(std::apply(f, args));
    return true;
}
}  // namespace detail

// Registers the server row of a call. Every call has a number of its own:
// a number that another call (another name or other argument and answer
// types) holds already is refused (false, logged; the first row stays). The
// same call registered again replaces its row.
template <class A, class... Args>
bool Zeile_Anmelden(const Ruf<A, Args...>& ruf, std::type_identity_t<A (*)(Args...)> zeile) {
    return detail::anmelden(ruf.nummer, ruf.name, reinterpret_cast<void (*)()>(zeile), &detail::aufrufen<A, Args...>);
}
// The registrations refused so far for a number another call holds.
u32 Zeilen_Abgelehnt();

// Calls the server: the answer, or nothing when no answer came or it did not
// fit the declared answer.
template <class A, class... Args>
std::optional<A> Rufen(const Ruf<A, Args...>& ruf, const std::type_identity_t<Args>&... args) {
    std::vector<u8> ein;
    bytes::Schreiber s{ein};
    s(std::tie(args...));
    std::vector<u8> aus;
    if (!detail::senden(ruf.nummer, ein, &aus)) return std::nullopt;
    A antwort{};
    bytes::Leser l(aus.data(), aus.size());
    l(antwort);
    if (l.fehler || l.pos != aus.size()) return std::nullopt;
    return antwort;
}

}  // namespace ruf

#include "base/ruf.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <deque>
#include <map>

#include <unistd.h>

#include "base/debug.h"

namespace ruf {

namespace {

struct Eintrag {
    const char* name;
    void (*zeile)();
    detail::Roh aufruf;
};

std::map<u16, Eintrag>& zeilen() {
    static std::map<u16, Eintrag> z;
    return z;
}

Leitung leitung = nullptr;
u32 abgelehnt = 0;
void (*schleife)(bool) = [](bool) {};
void (*team_rahmen)(i32, bool) = [](i32, bool) {};

}  // namespace

void Leitung_Setzen(Leitung l) { leitung = l; }

u32 Zeilen_Abgelehnt() { return abgelehnt; }

void Team_Rahmen_Setzen(void (*rahmen)(i32, bool)) {
    team_rahmen = rahmen ? rahmen : [](i32, bool) {};
}

bool Zeile_Vorhanden(u16 nummer) { return zeilen().count(nummer) != 0; }

bool Zeile_Ausfuehren_Fuer(i32 team, u16 nummer, const u8* argumente, size_t groesse, std::vector<u8>* antwort) {
    team_rahmen(team, true);
    const bool ok = Zeile_Ausfuehren(nummer, argumente, groesse, antwort);
    team_rahmen(team, false);
    return ok;
}

void Schleife_Setzen(void (*rahmen)(bool)) {
    schleife = rahmen ? rahmen : [](bool) {};
}

bool Zeile_Ausfuehren(u16 nummer, const u8* argumente, size_t groesse, std::vector<u8>* antwort) {
    const auto it = zeilen().find(nummer);
    if (it == zeilen().end() || !antwort) {
        Debug_Printf("Ruf %u: keine Zeile\n", static_cast<unsigned>(nummer));
        return false;
    }
    antwort->clear();
    bytes::Leser ein(argumente, groesse);
    bytes::Schreiber aus{*antwort};
    if (it->second.aufruf(it->second.zeile, ein, aus)) return true;
    Debug_Printf("Ruf %u (%s): falsche Argumente\n", static_cast<unsigned>(nummer), it->second.name);
    return false;
}

namespace detail {

bool anmelden(u16 nummer, const char* name, void (*zeile)(), Roh aufruf) {
    const auto it = zeilen().find(nummer);
    if (it != zeilen().end() &&
        (it->second.aufruf != aufruf || std::strcmp(it->second.name ? it->second.name : "", name ? name : "") != 0)) {
        ++abgelehnt;
        Debug_Printf("Ruf %u (%s): die Nummer gehört schon %s\n", static_cast<unsigned>(nummer), name ? name : "",
                     it->second.name ? it->second.name : "");
        return false;
    }
    zeilen()[nummer] = {name, zeile, aufruf};
    return true;
}

bool senden(u16 nummer, const std::vector<u8>& argumente, std::vector<u8>* antwort) {
    return (leitung ? leitung : Lokale_Leitung)(nummer, argumente, antwort);
}

}  // namespace detail

bool Lokale_Leitung(u16 nummer, const std::vector<u8>& argumente, std::vector<u8>* antwort) {
    const u32 rolle = Internet_Modus;
    Internet_Modus = INTERNET_MODUS_SERVER;
    schleife(true);
    const bool ok = Zeile_Ausfuehren(nummer, argumente.data(), argumente.size(), antwort);
    schleife(false);
    Internet_Modus = rolle;
    return ok;
}

namespace {
u32 letzte_anfrage = 0;
std::map<i32, std::deque<u32>> gesehen;
}  // namespace

u32 Anfrage_Nummer() {
    // The first number from the process and the clock (not from the game's
    // random table, which must stay in step): a client that joins again
    // starts far from the numbers it used before.
    if (letzte_anfrage == 0) {
        const auto zeit = std::chrono::system_clock::now().time_since_epoch().count();
        letzte_anfrage = static_cast<u32>(::getpid()) * 2654435761u ^ static_cast<u32>(zeit) ^
                         static_cast<u32>(static_cast<u64>(zeit) >> 32);
    }
    if (++letzte_anfrage == 0) ++letzte_anfrage;
    return letzte_anfrage;
}

bool Anfrage_Neu(i32 team, u32 nummer) {
    if (nummer == 0) return false;
    std::deque<u32>& d = gesehen[team];
    if (std::find(d.begin(), d.end(), nummer) != d.end()) return false;
    d.push_back(nummer);
    if (d.size() > ANFRAGEN_GEMERKT) d.pop_front();
    return true;
}

}  // namespace ruf

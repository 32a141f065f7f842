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
std::map<i32, u32> hoechste;
}  // namespace

u32 Anfrage_Nummer() {
    if (++letzte_anfrage == 0) ++letzte_anfrage;
    return letzte_anfrage;
}

void Anfrage_Ab(u32 stand) { letzte_anfrage = stand; }

bool Anfrage_Neu(i32 team, u32 nummer) {
    u32& h = hoechste[team];
    if (nummer <= h) return false;
    h = nummer;
    return true;
}

u32 Anfrage_Stand(i32 team) {
    const auto it = hoechste.find(team);
    return it == hoechste.end() ? 0 : it->second;
}

void Anfrage_Stand_Setzen(i32 team, u32 stand) {
    if (stand) hoechste[team] = stand;
    else hoechste.erase(team);
}

void Anfrage_Vergessen() { hoechste.clear(); }

}  // namespace ruf

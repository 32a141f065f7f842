#include "world/markt.h"

#include <strings.h>

#include <algorithm>
#include <map>
#include <vector>

#include "base/debug.h"
#include "base/random.h"
#include "base/ruf.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/manager.h"
#include "world/modi.h"
#include "world/netz.h"
#include "world/netz_rufe.h"
#include "world/spieler.h"
#include "world/team.h"
#include "world/welt.h"

namespace {


// Kept where the decision is made (the server, or this machine outside a
// client): the market player of each team's open negotiation and the
// area of its paid search.
std::map<i32, i32> verhandlung;
struct Suche {
    i32 scout = -1, gebiet = -1;
};
std::map<i32, Suche> suche;

bool team_ok(i32 t) { return t >= 0 && t < Team_Anzahl && Team_Daten; }
bool spieler_ok(i32 s) { return s >= 0 && s < Spieler_Anzahl && Spieler_Daten; }
bool auf_dem_markt(i32 s) { return spieler_ok(s) && Spieler_Get_Team(s) == Team_Transfermarkt; }

// The draws of a day for a number: the cursor is set from it and put back.
template <class F>
auto mit_cursor(i64 position, F f) {
    Rnd_Push();
    Rnd_Set_Index(static_cast<i32>(position % static_cast<i64>(RND_TABELLE_GROESSE)), 0);
    auto r = f();
    Rnd_Pop();
    return r;
}

bool verhandlung_lokal(i32 team, i32 s) {
    if (!team_ok(team) || !Team_Managebar(team) || !auf_dem_markt(s)) return false;
    // The negotiation already open for this player is the same negotiation:
    // asked again (a repeated click, a repeated call) it spends no transfer.
    if (const auto f = verhandlung.find(team); f != verhandlung.end() && f->second == s) return true;
    if (Team_Daten[team].transfers <= 0) return false;
    Team_Daten[team].transfers--;
    verhandlung[team] = s;
    return true;
}

bool bezahlen_lokal(i32 team, i32 scout, i32 gebiet) {
    if (!team_ok(team) || !Team_Managebar(team) || scout < 0 || scout >= SCOUT_ANZAHL || gebiet < 0 ||
        gebiet >= KONTINENT_ANZAHL)
        return false;
    // The search already paid and still open is the same search: asked again
    // (a repeated click, a repeated call) it costs nothing more.
    if (const auto f = suche.find(team); f != suche.end() && f->second.scout == scout && f->second.gebiet == gebiet)
        return true;
    const i32 gebuehr = Scout_Gebuehr(scout, team, gebiet);
    if (gebuehr > 0 && !Bank_Buchen(team, -1, static_cast<f32>(gebuehr), BANK_TRANSFER_AUSGABE, 0, -1)) return false;
    suche[team] = {scout, gebiet};
    return true;
}

bool verpflichten_lokal(i32 team, i32 scout, i32 s) {
    if (!team_ok(team) || !Team_Managebar(team) || !auf_dem_markt(s)) return false;
    if (!(Spieler_Daten[s].status & SP_STATUS_SCOUT)) return false;
    const auto f = suche.find(team);
    if (f == suche.end() || f->second.scout != scout || !Spieler_Aus_Gebiet(s, f->second.gebiet)) return false;
    Team_Daten[team].scout_spieler = s;
    Team_Daten[team].scout = static_cast<i8>(scout);
    if (Spieler_Daten[s].spiele < SCOUT_SPIELE_MINDEST) Spieler_Daten[s].spiele = SCOUT_SPIELE_MINDEST;
    Spieler_Flags[s] = 1;
    suche.erase(f);
    return true;
}

}  // namespace

i32 Transfer_Angebot_Differenz(i32 s) {
    if (!spieler_ok(s) || Spieler_Wert(SPIELER_WERT_STAERKE, s, 0, OP_LESEN) == 0) return 0;
    const i64 wert = Spieler_Berechne_Marktwert(s);
    const i64 tag = Welt_Hook.kalender_tag();
    const i32 r = mit_cursor(static_cast<i64>(s) * tag, [] { return Rnd(0, 10); });
    const i64 abzug = wert * (Global_Param.compi_transfer_verkauf_abzug + r - 5) / 100;
    const i64 erloes = wert - Global_Runde_10000(static_cast<i32>(std::clamp<i64>(abzug, 0, 2000000000)));
    return static_cast<i32>(std::max<i64>(erloes, 0));
}

void Transfer_Fenster_Fuellen(i32 team) {
    if (!team_ok(team) || team == Team_Transfermarkt || !Team_Own_Daten) return;
    i32* f = Team_Own_Daten[team].transferfenster;
    for (i32 i = 0; i < TRANSFER_FENSTER; ++i)
        if (f[i] >= 0 && (!auf_dem_markt(f[i]) || (Spieler_Daten[f[i]].status & SP_STATUS_SCOUT))) f[i] = -1;
    std::vector<i32> markt(static_cast<size_t>(std::max(Team_Kader_Anzahl(Team_Transfermarkt), 0)));
    const int n = Teamspieler_Ins_Array(Team_Transfermarkt, markt.data(), static_cast<int>(markt.size()),
                                        SP_FILTER_OHNE_SCOUT);
    if (n <= 0) return;
    const i64 tag = Welt_Hook.kalender_tag();
    mit_cursor(static_cast<i64>(team) * 31 + tag * 7, [&] {
        for (i32 i = 0; i < TRANSFER_FENSTER; ++i) {
            if (f[i] >= 0) continue;
            // A few draws for a player not listed yet; the market is far larger than the window.
            for (int versuch = 0; versuch < 8 && f[i] < 0; ++versuch) {
                const i32 s = markt[static_cast<size_t>(Rnd_Basis(0, n - 1))];
                if (std::find(f, f + TRANSFER_FENSTER, s) == f + TRANSFER_FENSTER) f[i] = s;
            }
        }
        return 0;
    });
}

bool Transfer_Verhandlung_Beginnen(i32 team, i32 s) {
    if (ruf::Client()) {
        const i32 rest = ruf::Rufen(RUF_TRANSFER_VERHANDLUNG, team, s).value_or(-1);
        if (rest < 0 || !team_ok(team)) return false;
        Team_Daten[team].transfers = static_cast<i16>(rest);
        return true;
    }
    return verhandlung_lokal(team, s);
}

i32 Transfer_Verhandlung_Offen(i32 team) {
    const auto f = verhandlung.find(team);
    return f == verhandlung.end() ? -1 : f->second;
}

void Transfer_Verhandlung_Schliessen(i32 team) { verhandlung.erase(team); }

i32 Spieler_Kontinent(i32 s) {
    if (!spieler_ok(s)) return -1;
    const i32 nation = Spieler_Wert(SPIELER_WERT_NATION, s, 0, OP_LESEN);
    if (!team_ok(nation)) return -1;
    const i32 k = Global_Get_Kontinent_Nummer(Team_String(721, nation, nullptr, 0));
    if (k >= 0) return k;
    const i32 c = Team_Daten[nation].kontinent;
    return c < KONTINENT_ANZAHL ? c : -1;
}

bool Spieler_Aus_Gebiet(i32 s, i32 gebiet) {
    const i32 k = Spieler_Kontinent(s);
    if (k < 0 || gebiet < 0 || gebiet >= KONTINENT_ANZAHL) return false;
    return k == gebiet || strcasecmp(Kontinent_Tabelle[k].name, Kontinent_Tabelle[gebiet].name) == 0;
}

i32 Scout_Gebuehr(i32 scout, i32 team, i32 gebiet) {
    return Global_Scout_Grundpreis(scout, team) + Global_Scout_Gebietspreis(scout, gebiet);
}

bool Scout_Suche_Bezahlen(i32 team, i32 scout, i32 gebiet) {
    if (ruf::Client()) {
        if (!ruf::Rufen(RUF_SCOUT_BEZAHLEN, team, scout, gebiet).value_or(0)) return false;
        Bank_Internet_Client_Refresh(team);
        suche[team] = {scout, gebiet};
        return true;
    }
    return bezahlen_lokal(team, scout, gebiet);
}

bool Scout_Spieler_Verpflichten(i32 team, i32 scout, i32 s) {
    if (ruf::Client()) {
        if (!ruf::Rufen(RUF_SCOUT_VERPFLICHTEN, team, scout, s).value_or(0) || !team_ok(team)) return false;
        Team_Daten[team].scout_spieler = s;
        Team_Daten[team].scout = static_cast<i8>(scout);
        Internet_Client_Get_Spieler(s);
        suche.erase(team);
        return true;
    }
    return verpflichten_lokal(team, scout, s);
}

bool Transfer_Client_Nachladen(i32 team) {
    if (!ruf::Client()) return false;
    const bool a = Team_Internet_Client_Refresh();
    const bool b = Spieler_Internet_Client_Refresh();
    const bool c = Bank_Internet_Client_Refresh(team);
    return a && b && c;
}

void Markt_Zuruecksetzen() {
    verhandlung.clear();
    suche.clear();
}

void Markt_Netz_Anmelden() {
    // Each row acts only for the asking club.
    ruf::Zeile_Anmelden(RUF_TRANSFER_VERHANDLUNG, [](i32 team, i32 s) -> i32 {
        if (team != Aktuelles_Team || !verhandlung_lokal(team, s)) return -1;
        return Team_Daten[team].transfers;
    });
    ruf::Zeile_Anmelden(RUF_SCOUT_BEZAHLEN, [](i32 team, i32 scout, i32 gebiet) -> u8 {
        return team == Aktuelles_Team && bezahlen_lokal(team, scout, gebiet) ? 1 : 0;
    });
    ruf::Zeile_Anmelden(RUF_SCOUT_VERPFLICHTEN, [](i32 team, i32 scout, i32 s) -> u8 {
        return team == Aktuelles_Team && verpflichten_lokal(team, scout, s) ? 1 : 0;
    });
}

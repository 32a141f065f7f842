// The start button and the finishing of the set-up: the world of a new
// game read, the network role's connection opened, the wizard's choices
// turned into managers, leagues, fitted clubs, start money and advertising.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/bytes.h"
#include "base/debug.h"
#include "base/files.h"
#include "base/globals.h"
#include "base/memory.h"
#include "base/meldung.h"
#include "base/random.h"
#include "base/ruf.h"
#include "base/settings.h"
#include "grafik_nummern.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "gui/menue_spiel.h"
#include "gui/text_cfg.h"
#include "matchday/season_netz.h"
#include "matchday/spieltag.h"
#include "screens/start/spielstart.h"
#include "screens/start/start_intern.h"
#include "season/freundschaft.h"
#include "season/wettbewerb.h"
#include "season/optionen.h"
#include "season/startkonten.h"
#include "season/wettbewerb_abfragen.h"
#include "season/wettbewerb_config.h"
#include "season/wettbewerb_werte.h"
#include "world/angleichen.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/modi.h"
#include "world/netz.h"
#include "world/spieler.h"
#include "world/stadion.h"
#include "world/team.h"
#include "world/welt.h"
#include "world/welt_pruefen.h"
#include "world/werbung.h"

namespace {

// The configuration set a new game reads.
constexpr i32 SATZ = 0;
constexpr i32 LIGEN = 384;

std::vector<Startteam_Eintrag> startteams;

const char* text(i32 n) { return Text_cfg_Text(TEXT_ZUSATZ, n); }
Spielstart_Zustand& Z() { return Spielstart_Get_Zustand(); }

void nein(i32, const i32*) { Spielstart_Abschluss_Nein(); }

// Keeps a copy of the market's provisional manager while a new world
// replaces the old one, and gives it back (or a new one) afterwards.
class Marktmanager_Halten {
  public:
    Marktmanager_Halten() : kopie_(Manager_Get_Kopie(Team_Transfermarkt)) {}
    ~Marktmanager_Halten() {
        if (kopie_ && !Team_Hat_Manager(Team_Transfermarkt)) Manager_Uebernehmen(Team_Transfermarkt, kopie_);
        else if (kopie_) W32_Memory_H_Free(kopie_);
        Spielstart_Marktmanager_Anlegen();
    }
    Marktmanager_Halten(const Marktmanager_Halten&) = delete;
    Marktmanager_Halten& operator=(const Marktmanager_Halten&) = delete;

  private:
    Manager_Struktur* kopie_;
};

// A client joins: the server's start values and its table of start teams
// (what a client may ask before it has taken its club; the world it shows
// in the wizard is its own copy until then).
bool client_beitreten() {
    Marktmanager_Halten markt;
    const bool ok = Manager_Internet_Client_Get_Startinfo_1() && Spieler_Internet_Client_Get_Startinfo() &&
                    Team_Internet_Client_Get_Startinfo() && Spielstart_Startteams_Holen();
    // The difficulty is the server's.
    Z().schwierigkeit = std::clamp(Schwierigkeit, 0, 4);
    return ok;
}

// A client that has taken its club: the server's teams and players replace
// the values of the local copy (the same world, so its records are reused),
// its own squad and its bank data come in full.
bool client_daten_holen(i32 team) {
    bool ok = Team_Internet_Client_Get_Startinfo() && Team_Internet_Client_Init() && Spieler_Internet_Client_Init();
    ok = ok && Team_Internet_Client_Refresh() && Spieler_Internet_Client_Get_Data(0, 0, -1, 0) &&
         Spieler_Internet_Client_Get_Data(4, 0, -1, 0) && Team_Internet_Client_Get_Spielerblock(team);
    if (!ok) return false;
    // The account the server's bank data lands in.
    if (!Bank_Konto_Offen(team)) Bank_Konto_Anlegen(team, 0.0, 0);
    Bank_Internet_Client_Get_Bankdaten(team);
    // The balance and credits are the server's (the account above starts at 0).
    Bank_Internet_Client_Get_Kredite(team);
    // The caches of the calendar, the fixtures, the news and the
    // competitions start from the server's state.
    Netz_Client_Reset();
    return true;
}

// The base league a club plays in (its league slot before the season has
// set it).
i32 liga_von(i32 t) {
    const i32 l = Wettbewerb_Get_Liga_Von_Team(t, true);
    return l >= 0 ? l : Team_Wert(TEAM_WERT_LIGA, t, 0, OP_LESEN);
}

// The clubs of a league: its current ones, before the season has entered
// them its start list; free places (-1) left out. Their count.
i32 liga_teams(i32 liga, i32 aus[128]) {
    i32 roh[128];
    i32 n = std::clamp(Wettbewerb_Get_Teams(liga, roh), 0, 128), m = 0;
    for (i32 i = 0; i < n; ++i)
        if (roh[i] >= 0 && roh[i] < Team_Anzahl) aus[m++] = roh[i];
    if (m > 0) return m;
    if (const Wettbewerb* w = Wettbewerb_Get_Zeiger(liga)) {
        n = std::clamp(w->startteam_anzahl, 0, std::min(128, WETTBEWERB_MAX_TEAMS));
        for (i32 i = 0; i < n; ++i)
            if (w->start_team[i] >= 0 && w->start_team[i] < Team_Anzahl) aus[m++] = w->start_team[i];
    }
    return m;
}

// Fits team `t` (stadium and players) to its league; `prozent` is the league
// percentage of the slot's own club.
void team_angleichen(i32 t, i32 prozent, std::vector<Liga_Schnitt>& schnitt) {
    if (t < 0 || t >= Team_Anzahl) return;
    const i32 liga = liga_von(t);
    if (liga < 0 || liga >= LIGEN) return;
    i32 teams[128];
    const i32 n = liga_teams(liga, teams);
    Team_Angleichen(t, teams, n, prozent, schnitt[static_cast<size_t>(liga)]);
}

// The name and face a client's manager joined with last (a slot left as it
// is where none is kept, or what is kept is no name or face of the game).
void client_manager_gemerkt(Spielstart_Slot& s) {
    char name[sizeof s.name] = "", gesicht[16] = "";
    if (W32_Registry_Read(SETTING_CLIENT_NAME, name, sizeof name) && Spielstart_Name_Gueltig(name))
        std::snprintf(s.name, sizeof s.name, "%s", name);
    char* ende = nullptr;
    const long g =
        W32_Registry_Read(SETTING_CLIENT_GESICHT, gesicht, sizeof gesicht) ? std::strtol(gesicht, &ende, 10) : -1;
    if (ende && ende != gesicht && *ende == 0 && g >= 0 && g < SPIELSTART_GESICHTER) s.gesicht = static_cast<i32>(g);
}

}  // namespace

bool Spielstart_Startteams_Holen() {
    std::vector<u8> b(static_cast<size_t>(STARTTEAM_GROESSE) * MAX_TEAMS);
    u32 n = 0;
    startteams.clear();
    if (!Team_Internet_Client_Get_Startteams(b.data(), &n)) return false;
    n = std::min<u32>(n, MAX_TEAMS);
    startteams.resize(n);
    for (u32 i = 0; i < n; ++i) {
        const auto r = bytes::aus_bild<Startteam_Satz>(&b[static_cast<size_t>(i) * STARTTEAM_GROESSE]);
        Startteam_Eintrag& z = startteams[i];
        z.marke = static_cast<i16>(r.marke);
        std::memcpy(z.team_name, r.team_name, sizeof r.team_name);
        z.team_name[sizeof z.team_name - 1] = 0;
        std::memcpy(z.user, r.user, sizeof r.user);
        z.user[sizeof r.user] = 0;
        z.status = r.status;
        z.slot = r.slot;
        z.frager = r.frager;
    }
    return true;
}

// The managers already in the game the client joins (its start teams with a
// manager), so a manager who gave no name gets the next number, not the first.
static i32 managers_da() {
    i32 n = 0;
    for (const Startteam_Eintrag& e : startteams)
        if (e.marke >= 0) ++n;
    return n;
}

const Startteam_Eintrag* Spielstart_Startteam(i32 team) {
    return team >= 0 && static_cast<size_t>(team) < startteams.size() ? &startteams[static_cast<size_t>(team)]
                                                                      : nullptr;
}

bool Spielstart_Client_Waehlbar(i32 team) {
    const Startteam_Eintrag* e = Spielstart_Startteam(team);
    if (!e || (e->status & TEAM_STATUS_USER_AKTIV)) return false;
    // A club with an entry but no user is managed at the server's machine.
    return e->marke < 0 || (e->status & TEAM_STATUS_USER);
}

void Spielstart_Laender_Bauen() {
    Spielstart_Zustand& z = Z();
    std::vector<u8> markiert(MAX_TEAMS, 0);
    if (ruf::Client())
        for (i32 t = 0; t < Team_Anzahl; ++t) {
            if (Team_Ist_Verein(t) && Spielstart_Client_Waehlbar(t)) {
                const i32 nation = Team_Wert(TEAM_WERT_NATION, t, 0, OP_LESEN);
                if (nation >= 0 && nation < MAX_TEAMS) markiert[static_cast<size_t>(nation)] = 1;
            }
        }
    z.laender_anzahl = 0;
    for (i32 t = 0; t < Team_Anzahl && z.laender_anzahl < 1000; ++t) {
        if (!(Team_Wert(TEAM_WERT_STATUS, t, 0, OP_LESEN) & TEAM_STATUS_LAND) || !Team_Land_Hat_Wettbewerbe(t))
            continue;
        // A country is offered when it has clubs to choose.
        if (Team_Get_Teams_Von_Nation(t, nullptr, 0, 1) == 0) continue;
        if (ruf::Client() && !markiert[static_cast<size_t>(t)]) continue;
        z.laender[z.laender_anzahl++] = t;
    }
}

void Spielstart_Neu_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    const Screens_Hooks& h = Screens_Hooks_Holen();
    Spielstart_Netz& netz = Spielstart_Get_Netz();
    if (ruf::Client()) {
        if (h.server_pruefen(netz.adresse, true) != 1) {
            Meldung_Printf("%s", text(138));
            return;
        }
        Z().spieler_ok = true;
    }
    // A client reads its own copy of the world as a local game would (its
    // competitions are not asked of the server before it has a club): the
    // wizard's lists come from it until the server's data replaces it.
    bool welt = false;
    if (ruf::Client()) {
        ruf::Einzel_Solange einzel;
        welt = Spielstart_Neues_Spiel();
    } else {
        welt = Spielstart_Neues_Spiel();
    }
    if (!welt) return;
    if (!ruf::Einzel()) {
        if (!h.verbinden(netz.adresse) || ruf::Einzel()) {
            ruf::Als_Einzel();
            Meldung_Printf("%s", text(142));
            return;
        }
        if (ruf::Client() && !client_beitreten()) {
            Meldung_Printf("%s", text(138));
            return;
        }
        // The server joined is offered again at the next start.
        if (ruf::Client()) {
            char a[64];
            Spielstart_Adresse_Text(netz.adresse, a, sizeof a);
            W32_Registry_Write(SETTING_SERVER_ADRESSE, a);
        }
    }
    Spielstart_Laender_Bauen();
    // A client's manager names himself and picks his face too (the club's
    // number of managers and the difficulty are the server's); the name and
    // face he joined with last are offered again.
    if (ruf::Client()) client_manager_gemerkt(Spielstart_Slots[0]);
    Spielstart_Seite_Init(ruf::Client() ? SPIELSTART_CLIENT_START : 1);
}

void Spielstart_Marktmanager_Anlegen() {
    if (Team_Transfermarkt < 0 || Team_Transfermarkt >= Team_Anzahl || Team_Hat_Manager(Team_Transfermarkt)) return;
    // The switches kept so far by the menu move into the new record.
    u32 zustand[ICON_START_PRUEFEN - ICON_START_NEU + 1];
    const i32 aktiv = Team_Aktiv;
    Team_Aktiv = Team_Transfermarkt;
    for (i32 i = ICON_START_NEU; i <= ICON_START_PRUEFEN; ++i) zustand[i - ICON_START_NEU] = Menue_Icon_Zustand(i);
    if (Manager_Vorlaeufig_Anlegen(Team_Transfermarkt, text(104)))
        for (i32 i = ICON_START_NEU; i <= ICON_START_PRUEFEN; ++i)
            Menue_Icon_Zustand_Setzen(i, zustand[i - ICON_START_NEU]);
    Team_Aktiv = aktiv;
}

void Spielstart_Marktmanager_Entfernen() {
    if (Team_Hat_Manager(Team_Transfermarkt)) Manager_Loeschen(Team_Transfermarkt);
}

bool Spielstart_Neues_Spiel() {
    Marktmanager_Halten markt;
    int spieler_ok = 0;
    // A world folder that cannot be read whole starts no game: the start
    // screen stays with the message naming the file.
    std::string meldung;
    if (!Welt_Ordner_Pruefen(W32_Dir_Tabelle[W32_DIR_CONFIG], SATZ, &meldung, false)) {
        Meldung_Printf("%s", meldung.c_str());
        return false;
    }
    // The world replaces nothing until it has been read whole.
    if (!Team(SATZ) || !Spieler(&spieler_ok) || !spieler_ok) {
        Meldung_Printf("Die Spielwelt (Satz %d) kann nicht gelesen werden.", SATZ + 1);
        return false;
    }
    Z().spieler_ok = true;
    Personal_Cfg_Laden(SATZ);
    if (!Wettbewerb_Config_Spielstart(SATZ, SATZ)) {
        Meldung_Printf("Die Wettbewerbe (Satz %d) können nicht gelesen werden.", SATZ + 1);
        return false;
    }
    Team_Set_Wappen_Flags();
    Team_Set_Basisdaten(-1, -1);
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if (t != Team_Transfermarkt) Team_Init_Aufstellung(t);
    return true;
}

i64 Spielstart_Startgeld(i32 team, i32 schwierigkeit) {
    return Startkonto_Betrag(schwierigkeit, Wettbewerb_Get_Liga_Prozent(team));
}

void Spielstart_Abschliessen() {
    Spielstart_Zustand& z = Z();
    const i32 anzahl = ruf::Client() ? 1 : std::clamp(z.anzahl, 1, SPIELSTART_MANAGER_MAX);
    if (ruf::Client()) {
        Spielstart_Startteams_Holen();
        if (!Spielstart_Client_Waehlbar(Spielstart_Slots[0].team)) {
            Menue_Requester(1, Team_Aktiv, text(143), nullptr, nullptr, nein, nein);
            return;
        }
    }
    if (ruf::Client()) {
        // The club is taken at the server first; then the server's data.
        Spielstart_Slot& s = Spielstart_Slots[0];
        if (!s.name[0]) std::snprintf(s.name, sizeof s.name, text(147), managers_da() + 1);
        const Startteam_Eintrag* e = Spielstart_Startteam(s.team);
        if (!Team_Internet_Client_Set_User_Active(e ? e->frager : 0, s.team, s.name, s.gesicht) ||
            !client_daten_holen(s.team)) {
            Meldung_Printf("%s", text(138));
            return;
        }
        W32_Registry_Write(SETTING_CLIENT_NAME, s.name);
        W32_Registry_Write(SETTING_CLIENT_GESICHT, std::to_string(s.gesicht).c_str());
    }
    for (i32 i = 0; i < anzahl; ++i) {
        Spielstart_Slot& s = Spielstart_Slots[i];
        // A manager who left his name empty: the name to start from.
        if (!s.name[0]) std::snprintf(s.name, sizeof s.name, text(147), i + 1);
        z.verwaltet[i] = s.team;
        Aktuelles_Team = Team_Aktiv = s.team;
        if (!Team_Hat_Manager(s.team)) Manager_Neuer_Mitspieler(s.team, s.name, s.gesicht);
        // A new manager hears the music and the sounds.
        Option_Wert(OPTION_TEAM_BIT_0, 1, 1);
        Option_Wert(OPTION_TEAM_LETZTE, 1, 1);
    }
    // The main menu comes next: its pictures are unpacked on the workers
    // while the game is made.
    Menue_Hauptmenue_Vorab();
    // The managers are made: the market's placeholder goes.
    Spielstart_Marktmanager_Entfernen();
    if (ruf::Client()) {
        const Spielstart_Slot& s = Spielstart_Slots[0];
        u8 kopf = 0;
        char name[36] = {};
        Manager_Internet_Client_Get_Startinfo_2(s.team, &kopf, name);
        Manager_Internet_Client_Refresh();
        Spieltag_Init();
    }
    // A server has no difficulty of its own choice: the default.
    Schwierigkeit = z.schwierigkeit >= 0 && z.schwierigkeit <= 4 ? z.schwierigkeit : 2;
    Spielstart_Videos_Schliessen();
    if (!ruf::Client()) {
        Spielstart_Teams_Angleichen();
        for (i32 i = 0; i < anzahl; ++i) {
            const i32 t = z.verwaltet[i];
            if (t < 0) continue;
            Bank_Konto_Anlegen(t, static_cast<f64>(Spielstart_Startgeld(t, Schwierigkeit)), 0);
            Werbung_Init_Team(t, 1);
        }
    }
    Menue_Screen_Icons_Loeschen_Bereich(BEREICH_AUCH_BLEIBENDE, -9999, -9999, 9999, 9999);
    Menue_Set_Hintergrund(nullptr, 0);
    Spielstart_Beendet = 1;
}

void Spielstart_Teams_Angleichen() {
    Spielstart_Zustand& z = Z();
    const i32 anzahl = std::clamp(z.anzahl, 1, SPIELSTART_MANAGER_MAX);
    std::vector<i32> partner(static_cast<size_t>(anzahl), -1);
    std::vector<Liga_Schnitt> schnitt(LIGEN);
    // League placement: the club changes places with the last club of the
    // chosen league that no manager has chosen (a server's managers at its
    // own machine choose their leagues as in single play).
    if (!ruf::Client())
        for (i32 i = 0; i < anzahl; ++i) {
            const Spielstart_Slot& s = Spielstart_Slots[i];
            const i32 alt = liga_von(s.team);
            if (s.team < 0 || s.liga < 0 || s.liga == alt) continue;
            i32 teams[128];
            const i32 n = liga_teams(s.liga, teams);
            if (n == 0) continue;
            // From the last club towards the first; the first is taken whatever it is.
            i32 p = n - 1;
            for (; p > 0; --p) {
                bool menschlich = false;
                for (i32 j = 0; j < anzahl; ++j) menschlich = menschlich || Spielstart_Slots[j].team == teams[p];
                if (!menschlich) break;
            }
            const i32 anderer = teams[p];
            if (anderer < 0 || anderer >= Team_Anzahl || anderer == s.team) continue;
            Wettbewerb_Team_Tauschen(alt, s.liga, s.team, anderer);
            Team_Wert(TEAM_WERT_LIGA, s.team, s.liga, OP_SCHREIBEN);
            Team_Wert(TEAM_WERT_LIGA, anderer, alt, OP_SCHREIBEN);
            partner[static_cast<size_t>(i)] = anderer;
        }
    for (i32 i = 0; i < anzahl; ++i) {
        const Spielstart_Slot& s = Spielstart_Slots[i];
        if (s.team < 0) continue;
        // The easiest level starts the squad fresh, kept club or not.
        Spieltag_Team_Werte_Zuruecksetzen(s.team);
        if (s.behalten) continue;
        const i32 prozent = Wettbewerb_Get_Liga_Prozent(s.team);
        for (i32 pass = 0; pass < 2; ++pass) {
            const i32 t = pass == 0 ? s.team : partner[static_cast<size_t>(i)];
            if (t < 0) continue;
            Wettbewerb_Team_Ersetzen();
            team_angleichen(t, prozent, schnitt);
        }
        Team_Schwaeche_Zufallsspieler(s.team);
    }
}

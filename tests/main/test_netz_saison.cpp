// A network season through the screens in two processes on a loopback
// address of this test's own: a child process hosts (network switch, the
// server role, the wizard for its manager), this process joins as a client
// through the start screen and takes another club. Both managers play the
// season day by day as players do, with the live view on at both ends
// (each manager's match shown live on his own machine, the control bar's
// fast play clicked once it is up): the turn ended in the main menu, every
// page after a match clicked away; on the first day each changes his
// line-up through the squad screen, the client its tactics too. At the
// start of every day both sides reduce what their screens show -- the two
// clubs' league tables, their leagues' fixtures and results, both squads --
// to check sums, with the calendar's days of the leagues' matchdays and the
// main menu's header (club names of the day's match, money line, date: the
// client's as drawn, the host's as its state gives the client's club); the
// host sends its own, this process compares them with
// its view of the same day before either manager ends that day's turn. The
// run ends after the season change, once the first matchday of the new
// season has been played and compared: the client's league then has the
// clubs that went up and down, on both sides.
//
// Built with KORDAVO_NETZ_LIVE the same two processes play the days as
// above up to the third league matchday of the client's club; both sides must have watched their club's match live on each of
// those matchdays. Built with KORDAVO_NETZ_WEG the client's window closes
// in the middle of its first live match: the host's day must go on and the
// client's club's match be played to its end there; then the player starts
// the game again, takes his club back from the club list (shown under his
// manager's name) and plays on, every day compared as before, two league
// matchdays or more.
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "base/bytes.h"
#include "base/debug.h"
#include "base/files.h"
#include "base/globals.h"
#include "base/ruf.h"
#include "base/settings.h"
#include "fahrer.h"
#include "zwei_prozesse.h"
#include "gui/hauptmenue.h"
#include "spur.h"
#include "world/bank.h"
#include "net/slots.h"
#include "net/verbindung.h"
#include "grafik_nummern.h"
#include "graphics/zeichenspur.h"
#include "matchday/spieltag.h"
#include "screens/club/optionen.h"
#include "screens/club/spielstand.h"
#include "screens/start/spielstart.h"
#include "season/ankuendigung.h"
#include "season/kalender.h"
#include "season/kalender_zug.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "start_klick.h"
#include "world/aufstellung.h"
#include "world/team.h"
#include "world/welt.h"
#include "match/spielfeld.h"
#include "screens/live_view/spielansicht.h"

namespace f = fahrer;

namespace {

using Uhr = std::chrono::steady_clock;

// Every variant plays with the live view on, as players do; the plain build
// plays the whole season so.
constexpr bool LIVE = true;
#if defined(KORDAVO_NETZ_LIVE) || defined(KORDAVO_NETZ_WEG) || defined(KORDAVO_NETZ_LADEN)
constexpr bool GANZE_SAISON = false;
#else
constexpr bool GANZE_SAISON = true;
#endif
#ifdef KORDAVO_NETZ_WEG
constexpr bool WEG = true;
#else
constexpr bool WEG = false;
#endif
#ifdef KORDAVO_NETZ_LADEN
constexpr bool LADEN = true;
#else
constexpr bool LADEN = false;
#endif
// The save slot of the saved network game.
constexpr int LADE_SLOT = 2;
// The longest a step of the client's play may take (a page, a box, the
// turn's end): past it, or with its host gone, the step fails at once.
constexpr int SCHRITT_FRIST_S = 180;
// The longest a day may take on the client, its live matches included.
constexpr int TAG_FRIST_S = 420;
// The league matchday of the client's club after which the live run ends;
// a client that left is back in time for two more however late it comes
// back (the host's day goes on without it meanwhile). It leaves in the first
// league match it sees at minute 20 or later, which in a fast build may be
// the third: sped up, a match can run from its first minutes to its end
// between two frames.
constexpr i32 LIVE_SPIELTAGE = WEG ? 5 : 3;

// 127.A.B.10 with A and B from the test's process id (taken before the
// host is forked): test programs running side by side never share an
// address (the game's port is fixed).
const std::string& eigene_adresse() {
    static const std::string a = zwei_prozesse::Adresse(10);
    return a;
}

// ---------------------------------------------------------------------------
// What the screens show of a day, as check sums.

struct Pruefsumme {
    u32 h = 2166136261u;
    template <class T>
    void operator()(const T& wert) {
        for (u8 c : bytes::bild(&wert, 1)) h = (h ^ c) * 16777619u;
    }
};

struct Sicht {
    u32 tabellen = 0, ergebnisse = 0, kader = 0, kopf = 0;
    bool operator==(const Sicht&) const = default;
};

std::vector<i32> ligen_von(i32 a, i32 b) {
    std::vector<i32> l;
    for (i32 t : {a, b}) {
        const i32 liga = Wettbewerb_Get_Liga_Von_Team(t, true);
        if (liga >= 0 && std::find(l.begin(), l.end(), liga) == l.end()) l.push_back(liga);
    }
    std::sort(l.begin(), l.end());
    return l;
}

// The league tables as the competition screen builds them (every matchday),
// each league's current matchday with the fixtures and results around it,
// and both clubs' squads by player number with each player's record.
Sicht sicht(i32 team_a, i32 team_b) {
    Sicht s;
    Pruefsumme tab, erg, kad;
    static Tabelle t;
    for (i32 liga : ligen_von(team_a, team_b)) {
        tab(liga);
        t = Tabelle{};
        if (Wettbewerb_Get_Tabellen_Teams(liga, &t)) {
            Tabelle_Argumente a;
            a.wettbewerb = liga;
            Spiele_Get_Tabelle(a, &t);
            const u32 n = std::min<u32>(t.zeilen, TABELLE_ZEILEN);
            tab(n);
            for (u32 r = 0; r < n; ++r) {
                const u32 z = std::min<u32>(t.reihenfolge[r], TABELLE_ZEILEN - 1);
                tab(t.team[z]), tab(t.spiele[0][z]), tab(t.punkte[0][z]), tab(t.tore[0][z]), tab(t.gegentore[0][z]);
            }
        }
        // The matchday played last and the next one: each matchday's
        // results are compared on the day after it was played.
        const Wettbewerb* w = Wettbewerb_Get_Zeiger(liga);
        const i32 aktuell = w ? w->aktueller_spieltag : -1;
        erg(liga), erg(aktuell);
        // The calendar: today's matchday of the league and the days of the
        // two matchdays (the results page is dated by them).
        i32 runde = 0;
        erg(Kalender_Get_Spieltag_Nummer(Kalender_Get_Tag(), liga, &runde)), erg(runde);
        for (i32 md = std::max(0, aktuell - 1); md <= aktuell; ++md) erg(Kalender_Get_Spieltermin(liga, md, 0));
        for (i32 md = std::max(0, aktuell - 1); md <= aktuell; ++md)
            for (u32 i = 0;; ++i) {
                const i32 h = Spiele_Lock(static_cast<u32>(liga), static_cast<u32>(md), 0, i);
                if (h <= 0) break;
                if (const Spiel* g = Spiele_Get_Spiel(h, false)) {
                    erg(g->team_a), erg(g->team_b), erg(g->spieltag), erg(g->index);
                    erg(g->tore_a), erg(g->tore_b);
                }
                Spiele_Unlock(h);
            }
    }
    // The players whole, their places in the line-up and their roles with
    // them: the machine that holds the game checks every managed squad as
    // the day begins and a client's line-up as it arrives, and the client
    // takes its squad back from it.
    for (i32 team : {team_a, team_b}) {
        std::vector<i32> kader(Team_Kader(team), Team_Kader(team) + Team_Kader_Anzahl(team));
        std::sort(kader.begin(), kader.end());
        kad(team);
        for (i32 p : kader) kad(p), kad(Spieler_Daten[p]);
    }
    // The client club's tactics (its manager's change goes through the server).
    u8 taktik[7];
    Team_Get_Aktuelle_Taktik(team_b, taktik);
    kad(taktik);
    s.tabellen = tab.h, s.ergebnisse = erg.h, s.kader = kad.h;
    return s;
}

// Both squads line by line (for the message when the squads differ).
std::vector<std::string> kader_zeilen(i32 team_a, i32 team_b) {
    std::vector<std::string> z;
    for (i32 team : {team_a, team_b}) {
        std::vector<i32> kader(Team_Kader(team), Team_Kader(team) + Team_Kader_Anzahl(team));
        std::sort(kader.begin(), kader.end());
        for (i32 p : kader) {
            const Spieler_Struktur& d = Spieler_Daten[p];
            Pruefsumme a;
            a(d.attribut);
            char b[400];
            std::snprintf(b, sizeof b,
                          "%d: team %d spiele %d ersch %d moral %d w57 %d fein %d verl %d/%d staerke %d status %x "
                          "feld %d/%d nr %d slot %d markt %d wb %d liga %d/%d/%d max %d tr %d geld %d gedeckt %d "
                          "wort %d w74 %d attr %08x",
                          p, d.team, d.spiele, d.erschoepfung, d.moral, d.wert57, d.staerke_fein, d.verletzung_art,
                          d.verletzung_dauer, d.staerke, d.status, d.spalte, d.zeile, d.rueckennummer, d.slot,
                          d.marktwert, d.wettbewerb, d.liga_wert[0], d.liga_wert[1], d.liga_wert[2], d.max_staerke,
                          d.trainings, d.trainingsgeld, d.gedeckt_von, d.liga_wort, d.wert74, a.h);
            z.push_back(b);
        }
    }
    return z;
}

i32 tag_schluessel() { return Kalender_Get_Jahr() * 1000 + Kalender_Get_Tag(); }

// The pages after a match this side began to show, each by its kind, match
// and club, with how often; read from the game's log of its announcements
// (the line written as a page is taken from the waiting ones).
using Seite_Schluessel = std::tuple<u32, i32, i32, i32, i32, i32>;
std::map<Seite_Schluessel, int>& seiten_gezeigt() {
    static std::map<Seite_Schluessel, int> m;
    return m;
}
void seiten_mitlesen(u32, const char* zeile, void*) {
    if (!zeile || !std::strstr(zeile, "AUS BUFFER")) return;
    const u32 art = Spielankuendigung_Laufende_Art();
    if (art != ANK_TORE && art != ANK_STATISTIK && art != ANK_GELD && art != ANK_ERGEBNISSE && art != ANK_TABELLE)
        return;
    const Spielankuendigung& a = Spielankuendigung_Aktuell();
    ++seiten_gezeigt()[{art, a.wettbewerb, a.spieltag, a.runde, a.index, a.team_a}];
}

// The main menu's header as it stands on the screen: the two clubs' names
// (home side first, "spielfrei" for a missing opponent), the money line and
// the date. A message that covers it is answered first, a page that comes
// up over the menu clicked away.
std::vector<std::string> kopf_gezeichnet() {
    std::vector<std::string> k;
    for (int versuch = 0; versuch < 10; ++versuch) {
        // A page or notice that came up over the menu goes first.
        if (!f::im_menue() && !f::bis_menue()) break;
        std::vector<spur::Text> teile;
        for (const spur::Text& t : spur::frame(2))
            if (t.y1 <= 100 && ((t.font == 14 && (std::abs(t.mitte() - 182) < 40 || std::abs(t.mitte() - 458) < 40)) ||
                                std::abs(t.mitte() - 718) < 40))
                teile.push_back(t);
        // The names left to right, then the money line above the date.
        std::stable_sort(teile.begin(), teile.end(), [](const spur::Text& a, const spur::Text& b) {
            return std::tuple(a.font != 14, a.y1, a.x0) < std::tuple(b.font != 14, b.y1, b.x0);
        });
        k.clear();
        for (const spur::Text& t : teile) k.push_back(t.sichtbar);
        if (!Menue_Requester_Offen() && k.size() >= 4) break;
        f::ohne_meldung();
    }
    return k;
}

// The header the server's state gives a club's manager: its opponent of the
// day (the next one once today's match is over), its balance, today's date.
std::vector<std::string> kopf_erwartet(i32 team) {
    constexpr i32 T_SPIELFREI = 24, T_GELD = 48;
    bool auswaerts = false;
    const i32 gegner = Spieltag_Get_Gegner_Des_Tages(team, &auswaerts);
    const i32 heim = auswaerts && gegner >= 0 ? gegner : team, gast = heim == team ? gegner : team;
    std::vector<std::string> k;
    for (i32 t : {heim, gast}) k.push_back(t >= 0 ? Team_String(721, t, nullptr, 0) : Menue_Text(T_SPIELFREI));
    k.push_back(std::string(Menue_Text(T_GELD)) + ": " + Menue_Geld_Text(Bank_Get_Kontostand(team, 0, 0)));
    k.push_back(Kalender_Get_Datum_Text(Kalender_Get_Tag(), true));
    return k;
}

u32 kopf_summe(const std::vector<std::string>& k) {
    u32 h = 2166136261u;
    for (const std::string& z : k)
        for (char c : z + '\n') h = (h ^ static_cast<u8>(c)) * 16777619u;
    return h;
}

std::string kopf_text(const std::vector<std::string>& k) {
    std::string s;
    for (const std::string& z : k) s += (s.empty() ? "" : " | ") + z;
    return s;
}

// The days on which this side's live view showed its own club's match.
std::set<i32>& live_tage() {
    static std::set<i32> t;
    return t;
}

// ---------------------------------------------------------------------------
// The pipes between the two processes: fixed records.

enum : char {
    M_BEREIT = 'B',   // the host's menu is up (wert: its club)
    M_TAG = 'T',      // a day's view (schluessel, sicht)
    M_AKTION = 'A',   // the host's line-up change (wert: player, slot in sicht.tabellen)
    M_ENDE = 'E',     // the host has reached the end
    M_FEHLER = 'F',   // the host failed (wert: where)
    B_CLIENT = 'C',   // the client's club (wert)
    B_WEITER = 'W',   // the host may end its turns up to this day (wert: schluessel)
    B_KADER = 'K',    // the host writes its squad lines into the file kader_datei()
    B_WEG = 'X',      // the client has closed its window (the host plays on alone)
    B_KOPF = 'H',     // the host writes the client's header as it sees it into kader_datei()
    B_SPEICHERN = 'S',  // the host saves the game through its save screen (schluessel: the day)
    M_GESPEICHERT = 'G',  // saved (wert 1) or not (0)
    B_NEU = 'N',        // the client has quit: the host quits, starts again and loads the save
    M_GELADEN = 'L',    // the host serves the loaded game (wert: bits of what it found, LADE_*)
};

// What the host finds after loading: its role, its port, its options' switch.
enum : i32 { LADE_SERVER = 1, LADE_PORT = 2, LADE_HAKEN = 4, LADE_ALLES = 7 };

struct Meldung {
    char art = 0;
    i32 schluessel = 0, wert = 0;
    Sicht s;
};

bool schreiben(int fd, const Meldung& m) {
    u8 b[32] = {};
    b[0] = static_cast<u8>(m.art);
    put_u32le(b + 4, static_cast<u32>(m.schluessel));
    put_u32le(b + 8, static_cast<u32>(m.wert));
    put_u32le(b + 12, m.s.tabellen);
    put_u32le(b + 16, m.s.ergebnisse);
    put_u32le(b + 20, m.s.kader);
    put_u32le(b + 24, m.s.kopf);
    return write(fd, b, sizeof b) == static_cast<ssize_t>(sizeof b);
}

// Reads one record within `ms`; while waiting `warten` runs (frames).
template <class W>
bool lesen(int fd, Meldung* m, int ms, W warten) {
    u8 b[32];
    if (!zwei_prozesse::Lesen(fd, b, sizeof b, ms, warten)) return false;
    m->art = static_cast<char>(b[0]);
    m->schluessel = static_cast<i32>(get_u32le(b + 4));
    m->wert = static_cast<i32>(get_u32le(b + 8));
    m->s = {get_u32le(b + 12), get_u32le(b + 16), get_u32le(b + 20), get_u32le(b + 24)};
    return true;
}

void ruhen() { usleep(2000); }

std::string kader_datei_von(pid_t host) {
    return Test_Spielordner_Basis() + "/kordavo_netz_saison_kader_" + std::to_string(host) + ".txt";
}
std::string kader_datei() { return kader_datei_von(getpid()); }
void frame() { Headless_Frames(1); }

// ---------------------------------------------------------------------------
// Steps through the screens, the same on both sides.

// Frames until the main menu stands without a requester (one is answered).
bool bis_hauptmenue(int sekunden) {
    const auto ende = Uhr::now() + std::chrono::seconds(sekunden);
    while (Uhr::now() < ende) {
        if (f::im_menue()) return true;
        if (!f::weiter()) return false;
    }
    return false;
}

constexpr int SLOT = 87;
constexpr i32 zeile_y(i32 i) { return i < 11 ? 136 + 17 * i : i < 17 ? 344 + 17 * (i - 11) : 467 + 17 * (i - 17); }
i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }

// A reserve dragged onto starter 5's row on the squad screen; the player
// moved, -1 when it did not work. The other side's changes reach this side
// while it drags (the screen is drawn anew, a notice may pop up), so a drag
// that came to nothing is tried again, as a player would.
i32 aufstellung_aendern() {
    for (int versuch = 0; versuch < 3; ++versuch) {
        if (!f::oeffnen(0, 0, Screen_Id::KADER)) {
            std::fprintf(stderr, "Aufstellung: der Kader ging nicht auf (Versuch %d)\n", versuch + 1);
            continue;
        }
        i32 liste[40];
        const i32 k = Teamspieler_Ins_Array(Team_Aktiv, liste, 40, 0);
        i32 starter = -1, reserve = -1, slot = -1;
        for (i32 i = 0; i < k; ++i)
            if (wert(SLOT, liste[i]) == 5) starter = liste[i];
        // A reserve the screen lets into the eleven.
        for (i32 i = 0; i < k && reserve < 0 && starter >= 0; ++i)
            if (wert(SLOT, liste[i]) >= 17 && wert(SLOT, liste[i]) < 20 && E1_Screen_Tausch_Erlaubt(liste[i], starter))
                reserve = liste[i], slot = wert(SLOT, liste[i]);
        if (reserve < 0) {
            std::fprintf(stderr, "Aufstellung: keine Reserve darf für Platz 5 (%d) hinein\n", starter);
            return -1;
        }
        if (f::ziehen(300, zeile_y(slot) + 8, 300, zeile_y(5) + 8) && f::lauf("wait 40\n", 2) &&
            wert(SLOT, reserve) == 5)
            return reserve;
        std::fprintf(stderr, "Aufstellung: das Ziehen kam nicht an (Versuch %d)%s\n", versuch + 1,
                     Menue_Requester_Offen() ? ", eine Meldung stand darüber" : "");
        if (f::angehalten() || !f::ohne_meldung()) return -1;
    }
    return -1;
}

// The attacking urge one up on the tactics screen; the new value, -1 when
// it did not change.
i32 taktik_aendern() {
    if (!f::bis_menue() || !f::menue(0, 2) || !Screen_Offen(Screen_Id::TAKTIK)) return -1;
    u8 taktik[7];
    Team_Get_Aktuelle_Taktik(Team_Aktiv, taktik);
    const u8 vorher = taktik[2];
    if (!f::icon(2517)) return -1;
    Team_Get_Aktuelle_Taktik(Team_Aktiv, taktik);
    return taktik[2] == (vorher + 1) % 10 ? taktik[2] : -1;
}

// One step of play that is not a day's start: a requester answered, the
// turn ended, a page clicked away. `tag_neu` tells that the menu is up on a
// day not yet reported.
enum class Schritt { TAG, WEITER, FEHLER };

// Built with KORDAVO_NETZ_WEG the client's window closes in the middle of
// its first match watched live, at minute 20 or later: the driver stops
// there however fast the frames run (a fast build plays a match from its
// 20th minute to its end within one step).
bool& abschied_vorbei() {
    static bool v = false;
    return v;
}
bool abschied_faellig() {
    return WEG && ruf::Client() && !abschied_vorbei() && !live_tage().empty() && Spielansicht_Get_Spielfeld() &&
           Spielansicht_Get_Spielfeld()->minute >= 20;
}

Schritt spielschritt_ohne_abschied(i32 gemeldet);
Schritt spielschritt(i32 gemeldet) {
    const Schritt s = spielschritt_ohne_abschied(gemeldet);
    return s == Schritt::FEHLER && abschied_faellig() ? Schritt::WEITER : s;
}
Schritt spielschritt_ohne_abschied(i32 gemeldet) {
    // The live view up with this side's own match: noted for the day, and
    // sped up through the control bar as a player does.
    if (LIVE && Spielansicht_Get_Spielfeld()) {
        Spielfeld_Daten* gezeigt[SF_MAX_ANZEIGE];
        const int n = Spielfeld_Anzeigeliste(gezeigt);
        for (int i = 0; i < n; ++i)
            if (static_cast<i32>(gezeigt[i]->team[0]) == Team_Aktiv || static_cast<i32>(gezeigt[i]->team[1]) == Team_Aktiv)
                live_tage().insert(tag_schluessel());
        if (!Spielfeld_Get_Fast() && f::da(ICON_LEISTE_SCHNELL))
            return f::icon(ICON_LEISTE_SCHNELL, 2) ? Schritt::WEITER : Schritt::FEHLER;
    }
    if (Menue_Requester_Offen()) return f::antworten(false) ? Schritt::WEITER : Schritt::FEHLER;
    if (f::im_menue()) {
        if (tag_schluessel() != gemeldet) return Schritt::TAG;
        return f::zug_beenden() ? Schritt::WEITER : Schritt::FEHLER;
    }
    return f::weiter() ? Schritt::WEITER : Schritt::FEHLER;
}

// The run is over once the new season's first matchday of the client's
// league has been played (its clubs are those of the new season then).
bool neue_saison(i32 team) {
    if (Kalender_Get_Jahr() < 1) return false;
    const i32 liga = Wettbewerb_Get_Liga_Von_Team(team, true);
    const Wettbewerb* w = liga >= 0 ? Wettbewerb_Get_Zeiger(liga) : nullptr;
    return w && w->aktueller_spieltag >= 1;
}

// The live run ends after the client's league has played its first
// matchdays.
bool am_ziel(i32 team) {
    if (GANZE_SAISON) return neue_saison(team);
    const i32 liga = Wettbewerb_Get_Liga_Von_Team(team, true);
    const Wettbewerb* w = liga >= 0 ? Wettbewerb_Get_Zeiger(liga) : nullptr;
    return w && w->aktueller_spieltag >= LIVE_SPIELTAGE;
}

// The club's match of its league's last matchday: played to its end (a
// whole match, not a result cut short); false when there is none.
bool letztes_spiel_zu_ende(i32 team) {
    const i32 liga = Wettbewerb_Get_Liga_Von_Team(team, true);
    const Wettbewerb* w = liga >= 0 ? Wettbewerb_Get_Zeiger(liga) : nullptr;
    if (!w || w->aktueller_spieltag < 1) return false;
    bool zu_ende = false;
    for (u32 i = 0;; ++i) {
        const i32 h = Spiele_Lock(static_cast<u32>(liga), static_cast<u32>(w->aktueller_spieltag - 1), 0, i);
        if (h <= 0) break;
        if (const Spiel* g = Spiele_Get_Spiel(h, false); g && (g->team_a == team || g->team_b == team))
            zu_ende = g->tore_a >= 0 && g->tore_b >= 0 && g->minute >= 89;
        Spiele_Unlock(h);
    }
    return zu_ende;
}

// The league matchdays the club's league has played.
i32 liga_spieltage(i32 team) {
    const i32 liga = Wettbewerb_Get_Liga_Von_Team(team, true);
    const Wettbewerb* w = liga >= 0 ? Wettbewerb_Get_Zeiger(liga) : nullptr;
    return w ? w->aktueller_spieltag : -1;
}

// The league matchdays the club has played since the run began, across the
// season change: read every day, a count that falls starts a new season.
i32 alle_spieltage(i32 team) {
    static i32 frueher = 0, zuletzt = 0;
    const i32 n = std::max(liga_spieltage(team), 0);
    if (n < zuletzt) frueher += zuletzt;
    zuletzt = n;
    return frueher + n;
}

// ---------------------------------------------------------------------------
// Saving and loading the network game, as its host does it.

std::string spielstand_datei(int slot) {
    return std::string(W32_Dir_Tabelle[W32_DIR_SPIELSTAND]) + "/game_" + std::to_string(slot) + ".kdv";
}

// A row of the save or load screen's slot list clicked.
bool slot_waehlen(int slot) {
    return f::klick(300, DISK_ZEILE_Y0 + DISK_ZEILE_H * slot + 10, 8) && Disk_Screen_Gewaehlt() == slot;
}

// The game saved into `slot` through the main menu's save screen; the
// notice that it was saved answered.
bool speichern(int slot) {
    std::error_code ec;
    std::filesystem::remove(spielstand_datei(slot), ec);
    if (!f::oeffnen(3, 1, Screen_Id::SPEICHERN) || !slot_waehlen(slot) || !f::icon(ICON_SPEICHERN_KNOPF, 20))
        return false;
    for (int n = 0; n < 500 && !Menue_Requester_Offen(); ++n) frame();
    return f::ohne_meldung() && std::filesystem::exists(spielstand_datei(slot)) && f::bis_menue();
}

// The options screen's network row, seen in the draw trace: its switch
// ticked.
bool netz_haken() {
    Zeichenspur_Einschalten();
    bool haken = false;
    if (f::oeffnen(3, 2, Screen_Id::OPTIONEN) && f::lauf("wait 40\n", 2)) {
        constexpr i32 NETZ_ZEILE = 4;  // the list's row of the network switch
        const i32 y = 187 + OPTIONEN_ZEILE_H * (NETZ_ZEILE - Optionen_Erste_Zeile());
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
            haken |= e.art == SPUR_BLIT && e.grafik == GRAFIK_OPTIONEN_HAKEN && e.x == 43 && e.y == y;
    }
    Zeichenspur_Ausschalten();
    return f::icon(ICON_OPTIONEN_SCHLIESSEN) && f::bis_menue() && haken;
}

// The host's program closed (the question about connected players
// answered with yes), started again in a folder of its own with the save
// copied in, and the save loaded from the start screen with the network
// switch on in the server role. What it found, as LADE_* bits; -1 when a
// step failed.
i32 neu_laden(std::string* ordner) {
    const std::string kopie = *ordner + "_netzspiel.kdv";
    std::error_code ec;
    std::filesystem::copy_file(spielstand_datei(LADE_SLOT), kopie, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) return -1;
    f::lauf("quit\n", 10);
    if (Menue_Requester_Offen()) f::antworten(true);
    ruf::Als_Einzel();
    Verbindung_Stop();
    Test_Programm_Beenden(*ordner);
    if (!Test_Programm_Starten("kordavo_netz_saison_server", ordner, true)) return -1;
    Test_Live_Ansicht(LIVE);
    W32_Registry_Write("Netz_Adresse", eigene_adresse().c_str());
    std::filesystem::copy_file(kopie, spielstand_datei(LADE_SLOT), ec);
    std::filesystem::remove(kopie);
    if (ec || !Main_Hooks.Verbindung_Start("", 0) || !Main_Hooks.Verbindung_Get_Local_Host()) return -1;
    f::lauf("wait 5\n", 8);
    f::lauf(Start_Klick(ICON_START_NETZ), 8);
    f::lauf(Start_Klick(ICON_START_ROLLE), 8);
    if (!ruf::Server() || !f::lauf(Start_Klick(ICON_START_LADEN), 8) || !Screen_Offen(Screen_Id::LADEN) ||
        !slot_waehlen(LADE_SLOT) || !f::lauf(Start_Klick(ICON_LADEN_KNOPF), 40) || !bis_hauptmenue(240))
        return -1;
    i32 bits = 0;
    if (ruf::Server()) bits |= LADE_SERVER;
    if (Internet_Listen_Verbindung) bits |= LADE_PORT;
    if (netz_haken()) bits |= LADE_HAKEN;
    return bits;
}

// ---------------------------------------------------------------------------
// The host.

// The notices this side's managers were shown that a player joined or
// left the game, counted from the game's log of its messages.
std::atomic<u32> gekommen{0}, gegangen{0};
void meldung_mitlesen(u32, const char* zeile, void*) {
    const std::string z = zeile ? zeile : "";
    if (z.find("Meldung: ") == std::string::npos) return;
    if (z.find(" spielt jetzt mit (") != std::string::npos) ++gekommen;
    if (z.find(" hat das Spiel verlassen (") != std::string::npos) ++gegangen;
}

[[noreturn]] void host(int befehle, int meldungen) {
    std::string ordner;
    auto fehler = [&](i32 wo) {
        std::fprintf(stderr, "Server: gescheitert an Stelle %d, Tag %d\n", wo, tag_schluessel());
        Meldung m;
        m.art = M_FEHLER, m.wert = wo;
        schreiben(meldungen, m);
        std::error_code ec;
        if (!ordner.empty()) std::filesystem::remove_all(ordner, ec);
        _exit(wo);
    };
    if (!Test_Programm_Starten("kordavo_netz_saison_server", &ordner, true)) fehler(10);
    Debug_Set_Capture(meldung_mitlesen, nullptr);
    Test_Live_Ansicht(LIVE);
    W32_Registry_Write("Netz_Adresse", eigene_adresse().c_str());
    if (!Main_Hooks.Verbindung_Start("", 0) || !Main_Hooks.Verbindung_Get_Local_Host()) fehler(11);
    f::lauf("wait 5\n", 8);
    f::lauf(Start_Klick(ICON_START_NETZ), 8);
    f::lauf(Start_Klick(ICON_START_ROLLE), 8);
    if (!ruf::Server()) fehler(12);
    f::lauf(Start_Klick(ICON_START_NEU), 12);
    if (!ruf::Server()) fehler(13);
    // One manager at difficulty 2, the name to start from, face 0, the
    // first country's first club in its own league.
    f::lauf(Start_Klick(ICON_WIZ_WEITER), 8);
    f::lauf(Start_Eintrag(2), 8);
    f::lauf(Start_Klick(ICON_WIZ_WEITER), 8);
    for (i32 k : {0, 0, 0, 0}) f::lauf(Start_Eintrag(k), 8);
    if (!Menue_Requester_Offen()) fehler(14);
    f::lauf("move 116 424\nwait 2\nclick left\nwait 10\n", 20);
    if (!bis_hauptmenue(240)) fehler(15);
    const i32 eigenes = Team_Aktiv;
    Meldung m;
    m.art = M_BEREIT, m.wert = eigenes;
    if (!schreiben(meldungen, m)) fehler(16);
    // Serving until the client has taken its club.
    Meldung b;
    if (!lesen(befehle, &b, 400000, frame) || b.art != B_CLIENT) fehler(17);
    const i32 client = b.wert;
    i32 gemeldet = -1, erlaubt = -1;
    bool aktion = false, weg = false, abwesend = false;
    const auto ende = Uhr::now() + std::chrono::seconds(1500);
    while (Uhr::now() < ende) {
        const Schritt s = spielschritt(gemeldet);
        if (s == Schritt::FEHLER) fehler(18);
        if (s == Schritt::WEITER) continue;
        // A new day in the menu: its view, then the turn waits for the
        // client's view of the same day.
        gemeldet = tag_schluessel();
        alle_spieltage(eigenes);
        Meldung t;
        t.art = M_TAG, t.schluessel = gemeldet, t.s = sicht(eigenes, client);
        // The client's header as this side's state gives it; this side's own
        // header stands as its state gives it, with its own club (while the
        // client is away its club's turns are taken here).
        t.s.kopf = kopf_summe(kopf_erwartet(client));
        // The game may learn of the client's departure before this side's
        // pipe tells it: its club then is no longer played elsewhere.
        const bool los = abwesend || (WEG && !Kalender_Team_Online_Woanders(client));
        const i32 am_zug = los && Team_Aktiv == client ? client : eigenes;
        if (const std::vector<std::string> k = kopf_gezeichnet(); k != kopf_erwartet(am_zug)) {
            std::fprintf(stderr, "Server: Kopfzeile \"%s\" statt \"%s\"\n", kopf_text(k).c_str(),
                         kopf_text(kopf_erwartet(am_zug)).c_str());
            fehler(26);
        }
        if (!schreiben(meldungen, t)) fehler(19);
        if (weg) {
            // The day after the client left: whether its club's match was
            // played on to its end without it.
            Meldung k;
            k.art = B_WEG, k.wert = letztes_spiel_zu_ende(client) ? 1 : 0;
            if (!schreiben(meldungen, k)) fehler(25);
            // The turn waits for the client that comes back.
            weg = false;
            erlaubt = -1;
        }
        if (am_ziel(client)) break;
        while (erlaubt < gemeldet) {
            if (!lesen(befehle, &b, 300000, frame)) fehler(20);
            if (b.art == B_KADER) {
                if (FILE* d = std::fopen(kader_datei().c_str(), "w")) {
                    for (const std::string& z : kader_zeilen(eigenes, client)) std::fprintf(d, "%s\n", z.c_str());
                    std::fclose(d);
                }
                Meldung k;
                k.art = B_KADER;
                if (!schreiben(meldungen, k)) fehler(24);
                continue;
            }
            if (b.art == B_KOPF) {
                if (FILE* d = std::fopen(kader_datei().c_str(), "w")) {
                    std::fprintf(d, "%s\n", kopf_text(kopf_erwartet(client)).c_str());
                    std::fclose(d);
                }
                Meldung k;
                k.art = B_KOPF;
                if (!schreiben(meldungen, k)) fehler(24);
                continue;
            }
            if (b.art == B_WEG) {
                erlaubt = 1 << 30;
                weg = abwesend = true;
                continue;
            }
            // The client is back with its club.
            if (b.art == B_CLIENT && b.wert == client) {
                abwesend = false;
                continue;
            }
            if (b.art == B_SPEICHERN) {
                // Saved at the start of this day; the client quits, so does
                // this side, which then loads the save and serves it again.
                Meldung g;
                g.art = M_GESPEICHERT, g.wert = speichern(LADE_SLOT) ? 1 : 0;
                if (!schreiben(meldungen, g)) fehler(27);
                if (!lesen(befehle, &b, 120000, frame) || b.art != B_NEU) fehler(28);
                // The client's connection is seen gone before the window closes.
                for (int n = 0; n < 500 && ![] {
                         for (const Verbindung_Client_Slot& c : Verbindung_Client_Slots)
                             if (c.benutzt && c.verbindung) return false;
                         return true;
                     }();
                     ++n)
                    frame();
                Meldung l;
                l.art = M_GELADEN, l.wert = neu_laden(&ordner);
                if (!schreiben(meldungen, l) || l.wert < 0) fehler(29);
                // The loaded day is reported again; the client's club has
                // its turns here until the client takes it back.
                gemeldet = erlaubt = -1;
                abwesend = true;
                break;
            }
            if (b.art != B_WEITER) fehler(20);
            erlaubt = b.schluessel;
        }
        if (!aktion) {
            aktion = true;
            const i32 p = aufstellung_aendern();
            if (p < 0) fehler(21);
            Meldung a;
            a.art = M_AKTION, a.wert = p;
            if (!schreiben(meldungen, a) || !bis_hauptmenue(60)) fehler(22);
        }
    }
    if (!am_ziel(client)) fehler(23);
    m.art = M_ENDE, m.schluessel = tag_schluessel(), m.wert = static_cast<i32>(live_tage().size());
    m.s.tabellen = static_cast<u32>(alle_spieltage(eigenes));
    m.s.ergebnisse = gekommen.load();
    m.s.kader = gegangen.load();
    schreiben(meldungen, m);
    // Serving until the client has gone (the pipe closes).
    while (lesen(befehle, &b, 120000, frame)) {
    }
    Test_Programm_Beenden(ordner);
    _exit(0);
}

// ---------------------------------------------------------------------------
// The client: this process.

// The end of the client's present step and of its present day; a step
// past either, or a step whose host has gone (its pipe hung up, or the
// connection to it lost), fails at once.
Uhr::time_point& schritt_frist() {
    static Uhr::time_point t;
    return t;
}
Uhr::time_point& tag_frist() {
    static Uhr::time_point t = Uhr::time_point::max();
    return t;
}
int& host_rohr() {
    static int fd = -1;
    return fd;
}
bool host_weg() {
    pollfd f{host_rohr(), POLLIN, 0};
    return host_rohr() >= 0 && poll(&f, 1, 0) > 0 && (f.revents & (POLLHUP | POLLERR));
}
bool schritt_halt() {
    return !ruf::Client() || host_weg() || Uhr::now() > schritt_frist() || Uhr::now() > tag_frist() ||
           abschied_faellig();
}
std::string halt_grund() {
    if (!ruf::Client()) return "die Verbindung zum Server ist weg";
    if (host_weg()) return "das Serverprogramm ist beendet";
    if (Uhr::now() > tag_frist()) return "ein Tag dauerte über " + std::to_string(TAG_FRIST_S) + " s";
    return "ein Schritt dauerte über " + std::to_string(SCHRITT_FRIST_S) + " s";
}

TEST(NetzSaison, ClientUndServerSehenJedenTagDasselbe) {
    const auto start = Uhr::now();
    eigene_adresse();
    zwei_prozesse::Host gastgeber(host);
    ASSERT_TRUE(gastgeber.laeuft());
    const int von_host = gastgeber.von, an_host = gastgeber.an;
    host_rohr() = von_host;
    Meldung m;
    ASSERT_TRUE(lesen(von_host, &m, 300000, ruhen)) << "der Server hat sein Hauptmenü nicht erreicht";
    ASSERT_EQ(m.art, M_BEREIT) << "Server-Fehler " << m.wert;
    const i32 server_team = m.wert;

    // Joining through the start screen: network on, the address typed and
    // tested, a new game, the first country's first free club.
    std::string ordner;
    struct Ordner_Weg {
        std::string& ordner;
        ~Ordner_Weg() {
            std::error_code ec;
            if (!ordner.empty()) std::filesystem::remove_all(ordner, ec);
        }
    } ordner_weg{ordner};
    // `alt`: the club this client managed before it left (-1 the first
    // time): offered again under its manager's name, and taken again.
    auto beitreten = [&](i32 alt) -> i32 {
        const auto schritt = [](bool ok, const char* was) {
            if (!ok) ADD_FAILURE() << "Beitritt: " << was;
            return ok;
        };
        f::Halt(nullptr);
        if (!schritt(Test_Programm_Starten("kordavo_netz_saison_client", &ordner, true), "Programmstart")) return -1;
        Debug_Set_Capture(seiten_mitlesen, nullptr);
        Test_Live_Ansicht(LIVE);
        std::string tippen;
        for (int i = 0; i < 16; ++i) tippen += "key backspace\n";
        if (!schritt(Main_Hooks.Verbindung_Start("", 0), "Netz") || !schritt(f::lauf("wait 5\n", 8), "Start") ||
            !schritt(f::lauf(Start_Klick(ICON_START_NETZ), 8) && ruf::Client(), "Netzschalter") ||
            !schritt(f::lauf(Start_Klick(ICON_START_ADRESSE), 8), "Adresse") ||
            !schritt(f::lauf(tippen + "text " + eigene_adresse() + "\nwait 12\nkey return\nwait 3\n", 20), "Tippen") ||
            !schritt(f::lauf(Start_Klick(ICON_START_PRUEFEN), 20) && Spielstart_Get_Netz().test == 1, "Prüfen") ||
            !schritt(f::lauf(Start_Klick(ICON_START_NEU), 20), "Neu"))
            return -1;
        // The client's manager: his name and face, then country and club.
        if (!schritt(f::lauf("text Gast\nwait 10\nkey return\nwait 3\n", 20), "Name") ||
            !schritt(f::lauf(Start_Eintrag(1), 8), "Gesicht") || !schritt(f::lauf(Start_Eintrag(0), 8), "Land"))
            return -1;
        i32 eintrag = 0;
        if (alt >= 0) {
            const Spielstart_Zustand& z = Spielstart_Get_Zustand();
            eintrag = -1;
            for (i32 i = 0; i < z.teams_anzahl; ++i)
                if (z.teams[i] == alt) eintrag = i - z.erster;
            char name[40] = {};
            bool aktiv = true;
            if (eintrag < 0 || eintrag >= WIZ_EINTRAEGE) {
                std::string liste;
                for (i32 i = 0; i < z.teams_anzahl; ++i) liste += " " + std::to_string(z.teams[i]);
                char name[40] = {};
                bool aktiv = false;
                const bool info = Spielstart_Client_Team_Info(alt, name, &aktiv);
                ADD_FAILURE() << "Seite " << z.seite << ", ab " << z.erster << ", Vereine" << liste << "; Verein " << alt
                              << (info ? " mit Manager " : " ohne Manager ") << name << (aktiv ? ", besetzt" : "");
            }
            if (!schritt(eintrag >= 0 && eintrag < WIZ_EINTRAEGE, "der alte Verein fehlt in der Liste") ||
                !schritt(Spielstart_Client_Team_Info(alt, name, &aktiv) && std::string(name) == "Gast" && !aktiv,
                         "der alte Verein steht nicht mit seinem Manager frei"))
                return -1;
        }
        if (!schritt(f::lauf(Start_Eintrag(eintrag), 8), "Verein")) return -1;
        const i32 t = Spielstart_Slots[0].team;
        if (!schritt(t >= 0 && t != server_team && (alt < 0 || t == alt), "Vereinswahl")) return -1;
        for (int i = 0; i < 3 && !Menue_Requester_Offen() && Spielstart_Beendet == 0; ++i) f::lauf("wait 5\n", 4);
        if (Menue_Requester_Offen() && !schritt(f::lauf("move 116 424\nwait 2\nclick left\nwait 10\n", 20), "Frage"))
            return -1;
        if (!schritt(bis_hauptmenue(240), "der Client hat sein Hauptmenü nicht erreicht") ||
            !schritt(ruf::Client() && Team_Aktiv == t, "Rolle und Verein"))
            return -1;
        Meldung b;
        b.art = B_CLIENT, b.wert = t;
        if (!schritt(schreiben(an_host, b), "Meldung an den Server")) return -1;
        std::fprintf(stderr, "beigetreten nach %.1f s\n", std::chrono::duration<double>(Uhr::now() - start).count());
        return t;
    };
    const i32 team = beitreten(-1);
    ASSERT_GE(team, 0);

    // The season, day by day.
    std::map<i32, Sicht> host_tage;
    std::vector<i32> nur_host, nur_client;
    i32 gemeldet = -1, verglichen = 0, host_ende = -1, host_spieler = -1, eigener_spieler = -1;
    i32 taktik = -1, host_live = -1, host_spieltage = 0;
    // The host's notices of a player joining and leaving.
    u32 host_kommen = 0, host_gehen = 0;
    // Whether the host has saved the game for the client to come back to.
    bool gespeichert = false;
    // The league matchdays played when the client came back (-1: it has not left).
    i32 zurueck_spieltag = -1, nach_rueckkehr = 0;
    bool aktion = false, aktion_geprueft = false, host_aktion_geprueft = false;
    std::set<i32> liga_vorher, liga_nachher, verglichene;
    // Reads the host's records up to day `bis` (its record of that day or a later one).
    auto host_lesen = [&](i32 bis) -> bool {
        while (host_tage.empty() || host_tage.rbegin()->first < bis) {
            if (host_ende >= 0) return true;
            Meldung r;
            if (!lesen(von_host, &r, 300000, ruhen)) return false;
            if (r.art == M_FEHLER) {
                ADD_FAILURE() << "der Server scheiterte an Stelle " << r.wert;
                return false;
            }
            if (r.art == M_AKTION) host_spieler = r.wert;
            if (r.art == M_TAG) {
                host_tage[r.schluessel] = r.s;
                // A day of the host's that this side did not have: its turn may end.
                if (r.schluessel < bis) {
                    Meldung w;
                    w.art = B_WEITER, w.schluessel = r.schluessel;
                    if (!schreiben(an_host, w)) return false;
                }
            }
            if (r.art == M_ENDE) host_ende = r.schluessel, host_live = r.wert, host_spieltage = static_cast<i32>(r.s.tabellen),
                host_kommen = r.s.ergebnisse, host_gehen = r.s.kader;
        }
        return true;
    };
    // What the host last reported (its failure first), for the message of a failed step.
    auto host_zustand = [&]() -> std::string {
        std::string z;
        Meldung r;
        while (lesen(von_host, &r, 0, ruhen)) {
            if (r.art == M_FEHLER) z += ", der Server scheiterte an Stelle " + std::to_string(r.wert);
            if (r.art == M_TAG) z += ", Server an Tag " + std::to_string(r.schluessel);
        }
        return z;
    };
    auto liga_teams = [&](std::set<i32>& aus) {
        aus.clear();
        const i32 liga = Wettbewerb_Get_Liga_Von_Team(team, true);
        for (i32 t = 0; t < Team_Anzahl; ++t)
            if (Wettbewerb_Get_Liga_Von_Team(t, true) == liga) aus.insert(t);
    };
    const auto ende = Uhr::now() + std::chrono::seconds(1500);
    i32 frist_tag = -1;
    while (Uhr::now() < ende) {
        if (zurueck_spieltag < 0 && abschied_faellig()) {
            // The client's window closed in the middle of its match.
            abschied_vorbei() = true;
            f::Halt(nullptr);
            const i32 tag = tag_schluessel();
            std::fprintf(stderr, "Client weg am Tag %d, Spieltag %d, Minute %d, live an %zu Tagen\n", tag,
                         liga_spieltage(team), Spielansicht_Get_Spielfeld()->minute, live_tage().size());
            m = {};
            m.art = B_WEG;
            ASSERT_TRUE(schreiben(an_host, m));
            f::lauf("quit\n", 20);
            Verbindung_Stop();
            const auto t0 = Uhr::now();
            ASSERT_TRUE(host_lesen(tag + 1)) << "der Tag ging beim Server nicht weiter" << host_zustand();
            std::fprintf(stderr, "Server am Tag %d nach %.1f s\n", host_tage.rbegin()->first,
                         std::chrono::duration<double>(Uhr::now() - t0).count());
            // The club's match was played on to its end there.
            Meldung r;
            do {
                ASSERT_TRUE(lesen(von_host, &r, 60000, ruhen)) << "keine Antwort des Servers";
                if (r.art == M_TAG) host_tage[r.schluessel] = r.s;
            } while (r.art != B_WEG);
            EXPECT_EQ(r.wert, 1) << "das Spiel des Clients wurde beim Server nicht zu Ende gespielt";
            // The player starts the game again and takes his club back; the
            // days go on compared as before.
            Test_Programm_Beenden(ordner);
            ordner.clear();
            ASSERT_EQ(beitreten(team), team);
            zurueck_spieltag = liga_spieltage(team);
            gemeldet = -1;
            // The days the host played while the client was away are not the client's.
            for (const auto& [k, v] : host_tage)
                if (k < tag_schluessel()) verglichene.insert(k);
            continue;
        }
        // A client whose server has gone is back in single play: the host's
        // failure is told, not waited for; so is a step that does not end.
        ASSERT_TRUE(ruf::Client()) << "der Server ist weg, Tag " << tag_schluessel() << host_zustand();
        schritt_frist() = Uhr::now() + std::chrono::seconds(SCHRITT_FRIST_S);
        if (tag_schluessel() != frist_tag)
            frist_tag = tag_schluessel(), tag_frist() = Uhr::now() + std::chrono::seconds(TAG_FRIST_S);
        f::Halt(schritt_halt);
        const Schritt s = spielschritt(gemeldet);
        ASSERT_NE(s, Schritt::FEHLER) << "Tag " << tag_schluessel()
                                      << (f::angehalten() ? ": " + halt_grund() : std::string()) << host_zustand();
        if (s == Schritt::WEITER) continue;
        gemeldet = tag_schluessel();
        alle_spieltage(team);
        if (zurueck_spieltag >= 0 && !nach_rueckkehr++)
            std::fprintf(stderr, "zurück am Tag %d (Server am Tag %d)\n", gemeldet,
                         host_tage.empty() ? -1 : host_tage.rbegin()->first);
        Sicht eigene = sicht(server_team, team);
        const std::vector<std::string> kopf = kopf_gezeichnet();
        eigene.kopf = kopf_summe(kopf);
        ASSERT_TRUE(host_lesen(gemeldet)) << "keine Sicht des Servers für Tag " << gemeldet;
        for (const auto& [k, v] : host_tage)
            if (k < gemeldet && !verglichene.count(k) && !std::count(nur_host.begin(), nur_host.end(), k))
                nur_host.push_back(k);
        if (host_tage.count(gemeldet)) {
            verglichene.insert(gemeldet);
            const Sicht& h = host_tage.at(gemeldet);
            EXPECT_EQ(eigene.tabellen, h.tabellen) << "Tabellen am Tag " << gemeldet;
            EXPECT_EQ(eigene.ergebnisse, h.ergebnisse) << "Ergebnisse am Tag " << gemeldet;
            EXPECT_EQ(eigene.kader, h.kader) << "Kader am Tag " << gemeldet;
            if (eigene.kopf != h.kopf) {
                // The server's header of this club, for the message.
                Meldung k, antwort;
                k.art = B_KOPF;
                std::string server;
                if (schreiben(an_host, k) && lesen(von_host, &antwort, 60000, ruhen) && antwort.art == B_KOPF)
                    if (FILE* d = std::fopen(kader_datei_von(gastgeber.kind()).c_str(), "r")) {
                        char z[512] = {};
                        if (std::fgets(z, sizeof z, d)) server = std::string(z, std::strcspn(z, "\n"));
                        std::fclose(d);
                        std::remove(kader_datei_von(gastgeber.kind()).c_str());
                    }
                ADD_FAILURE() << "Kopfzeile am Tag " << gemeldet << ": \"" << kopf_text(kopf) << "\", beim Server \""
                              << server << "\"";
            }
            if (eigene.kader != h.kader) {
                // The lines that differ, host first.
                Meldung k;
                k.art = B_KADER;
                Meldung antwort;
                if (schreiben(an_host, k) && lesen(von_host, &antwort, 60000, ruhen) && antwort.art == B_KADER) {
                    std::vector<std::string> host_zeilen;
                    if (FILE* d = std::fopen(kader_datei_von(gastgeber.kind()).c_str(), "r")) {
                        char z[512];
                        while (std::fgets(z, sizeof z, d)) host_zeilen.push_back(std::string(z, std::strcspn(z, "\n")));
                        std::fclose(d);
                    }
                    std::remove(kader_datei_von(gastgeber.kind()).c_str());
                    const std::vector<std::string> eigene_zeilen = kader_zeilen(server_team, team);
                    for (size_t i = 0, n = 0; i < std::max(host_zeilen.size(), eigene_zeilen.size()) && n < 8; ++i) {
                        const std::string a = i < host_zeilen.size() ? host_zeilen[i] : "-";
                        const std::string b = i < eigene_zeilen.size() ? eigene_zeilen[i] : "-";
                        if (a != b) ADD_FAILURE() << "Server: " << a << "\nClient: " << b, ++n;
                    }
                }
            }
            if (++verglichen % 50 == 0)
                std::fprintf(stderr, "%d Tage verglichen, Tag %d nach %.0f s\n", verglichen, gemeldet,
                             std::chrono::duration<double>(Uhr::now() - start).count());
        } else {
            nur_client.push_back(gemeldet);
        }
        if (HasFailure()) break;
        // The changes of the first day came back from the server.
        if (aktion && !aktion_geprueft) {
            aktion_geprueft = true;
            EXPECT_EQ(wert(SLOT, eigener_spieler), 5) << "die Aufstellung des Clients kam nicht beim Server an";
            u8 t[7];
            Team_Get_Aktuelle_Taktik(team, t);
            EXPECT_EQ(t[2], taktik) << "die Taktik des Clients kam nicht beim Server an";
        }
        if (host_spieler >= 0 && !host_aktion_geprueft && gemeldet > host_tage.begin()->first) {
            host_aktion_geprueft = true;
            EXPECT_EQ(wert(SLOT, host_spieler), 5) << "die Aufstellung des Servers kam nicht beim Client an";
        }
        if (Kalender_Get_Jahr() == 0) liga_teams(liga_vorher);
        if (am_ziel(team)) {
            liga_teams(liga_nachher);
            break;
        }
        if (LADEN && !gespeichert && liga_spieltage(team) >= 1 && !live_tage().empty()) {
            // The host saves the game at the start of this day; both quit;
            // the host loads the save and the client comes back to it.
            gespeichert = true;
            f::Halt(nullptr);
            m = {};
            m.art = B_SPEICHERN, m.schluessel = gemeldet;
            ASSERT_TRUE(schreiben(an_host, m));
            Meldung g;
            ASSERT_TRUE(lesen(von_host, &g, 120000, frame) && g.art == M_GESPEICHERT) << host_zustand();
            ASSERT_EQ(g.wert, 1) << "das Spiel wurde beim Server nicht gespeichert";
            f::lauf("quit\n", 20);
            Verbindung_Stop();
            Test_Programm_Beenden(ordner);
            ordner.clear();
            m = {};
            m.art = B_NEU;
            ASSERT_TRUE(schreiben(an_host, m));
            ASSERT_TRUE(lesen(von_host, &g, 300000, ruhen) && g.art == M_GELADEN) << host_zustand();
            ASSERT_GE(g.wert, 0) << "der Server konnte den Spielstand nicht laden";
            EXPECT_TRUE(g.wert & LADE_SERVER) << "der geladene Spielstand ist kein Netzwerkspiel";
            EXPECT_TRUE(g.wert & LADE_PORT) << "niemand hört nach dem Laden auf dem Port";
            EXPECT_TRUE(g.wert & LADE_HAKEN) << "die Optionen zeigen \"Netzwerkspiel öffnen\" nicht an";
            // The saved day is played again, compared again.
            host_tage.erase(host_tage.lower_bound(gemeldet), host_tage.end());
            verglichene.erase(gemeldet);
            ASSERT_EQ(beitreten(team), team);
            zurueck_spieltag = liga_spieltage(team);
            gemeldet = -1;
            continue;
        }
        m = {};
        m.art = B_WEITER, m.schluessel = gemeldet;
        ASSERT_TRUE(schreiben(an_host, m));
        if (!aktion) {
            aktion = true;
            eigener_spieler = aufstellung_aendern();
            ASSERT_GE(eigener_spieler, 0) << host_zustand();
            taktik = taktik_aendern();
            ASSERT_GE(taktik, 0) << host_zustand();
            ASSERT_TRUE(bis_hauptmenue(60)) << host_zustand();
        }
    }
    const double sekunden = std::chrono::duration<double>(Uhr::now() - start).count();
    std::fprintf(stderr, "%d Tage verglichen in %.1f s (nur beim Server: %zu, nur beim Client: %zu)\n", verglichen,
                 sekunden, nur_host.size(), nur_client.size());
    EXPECT_TRUE(am_ziel(team)) << "das Ziel wurde nicht erreicht, letzter Tag " << tag_schluessel();
    EXPECT_TRUE(aktion_geprueft);
    EXPECT_TRUE(host_aktion_geprueft);
    EXPECT_TRUE(nur_client.empty()) << nur_client.size() << " Tage ohne Sicht des Servers, erster "
                                    << (nur_client.empty() ? -1 : nur_client[0]);
    EXPECT_TRUE(nur_host.empty()) << nur_host.size() << " Tage ohne Sicht des Clients, erster "
                                  << (nur_host.empty() ? -1 : nur_host[0]);
    // Each page after the client's matches came once: the pages the server
    // sends are the ones the client's manager reads.
    EXPECT_FALSE(seiten_gezeigt().empty()) << "keine Seite nach einem Spiel beim Client";
    for (const auto& [s, n] : seiten_gezeigt())
        EXPECT_EQ(n, 1) << "Seite " << std::get<0>(s) << " des Spiels " << std::get<2>(s) << "/" << std::get<4>(s)
                        << " im Wettbewerb " << std::get<1>(s) << " für Verein " << std::get<5>(s) << " " << n
                        << " Mal gezeigt";
    if (LADEN) {
        // The loaded game went on with the client: a matchday or more.
        EXPECT_TRUE(gespeichert);
        EXPECT_GE(zurueck_spieltag, 1) << "der Client kam nicht zurück";
        EXPECT_GE(liga_spieltage(team) - zurueck_spieltag, 1) << "Spieltage nach dem Laden";
    }
    if (WEG) {
        // Back in the game, the client saw two matchdays or more played.
        EXPECT_GE(zurueck_spieltag, 1) << "der Client kam nicht zurück";
        EXPECT_GE(liga_spieltage(team) - zurueck_spieltag, 2) << "Spieltage nach der Rückkehr";
    }
    if (LIVE) {
        // Each side watched its own club's league matches live (a cup match
        // may add a day; the two leagues may play on different days).
        EXPECT_GE(static_cast<i32>(live_tage().size()), LIVE_SPIELTAGE) << "Spiele live beim Client";
        if (host_ende < 0) {
            Meldung r;
            while (host_ende < 0 && lesen(von_host, &r, 60000, ruhen))
                if (r.art == M_ENDE) host_ende = r.schluessel, host_live = r.wert, host_spieltage = static_cast<i32>(r.s.tabellen),
                host_kommen = r.s.ergebnisse, host_gehen = r.s.kader;
        }
        EXPECT_GE(host_spieltage, 2) << "Spieltage der Liga des Servers";
        EXPECT_GE(host_live, host_spieltage) << "Spiele live beim Server";
    }
    if (GANZE_SAISON) {
        // Every league matchday of the client's club, through the season
        // change, watched live on its own machine.
        EXPECT_GE(static_cast<i32>(live_tage().size()), alle_spieltage(team)) << "Spiele live beim Client";
        EXPECT_GT(alle_spieltage(team), 30);
        EXPECT_GT(verglichen, 366);
        // Promotion and relegation: the client's league lost and gained clubs.
        EXPECT_FALSE(liga_nachher.empty());
        EXPECT_NE(liga_vorher, liga_nachher);
    }
    if (WEG) {
        // The host's manager was told that the client left, and that it
        // joined both times.
        EXPECT_GE(host_kommen, 2u) << "Meldungen beim Server, dass der Client mitspielt";
        EXPECT_GE(host_gehen, 1u) << "Meldungen beim Server, dass der Client gegangen ist";
    }
    ruf::Als_Einzel();
    Verbindung_Stop();
    Test_Programm_Beenden(ordner);
}

}  // namespace

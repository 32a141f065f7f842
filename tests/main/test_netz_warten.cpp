// A network game whose host keeps his clients waiting, through the screens
// in separate processes on a loopback address of the test's own, the live
// view on everywhere: a host (network switch, server role, its manager
// through the wizard) and one client -- two with KORDAVO_NETZ_DREI -- that
// join through the start screen and take clubs. All play day by day as
// players do. On a matchday, once the host's own match is over while a
// client's still runs, the host lingers: on the screen after his match
// (nothing clicked); or in his pages and main menu (each page read a few
// seconds, then clicked away; turn not ended, KORDAVO_NETZ_WARTEN_WIE=1); or
// with a question box open (his
// window closed: whether to quit though players are connected, answered
// "Nein" only afterwards, KORDAVO_NETZ_WARTEN_WIE=2). The host watches his match
// at fast play; a client watches its own at its pace until it learns that
// the host lingers, then clicks fast play: its match must run on, minute
// after minute, to its final whistle, and its own pages after the match come
// on that same day -- all while the host lingers, on the first two such
// matchdays (the first alone with two clients). On no day does a page of a match come after the next day has
// begun: the pages come in the order of a single game. (The host's frames are
// paced to the real clock as a player's machine paces them, and so are a
// client's while it watches its match at the pitch clock; the lockstep's
// patience with a client counts real time whatever the frames do.)
//
// Built with KORDAVO_NETZ_ENDE the host closes its window (the question
// about connected players answered with yes) while the client watches its
// match live: the client's manager must get the game's box, and its OK
// takes him to the start screen.
//
// This process only relays between the players and checks what they report.
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "base/debug.h"
#include "base/globals.h"
#include "base/ruf.h"
#include "base/settings.h"
#include "platform/mainloop.h"
#include "fahrer.h"
#include "gui/hauptmenue.h"
#include "match/spielfeld.h"
#include "matchday/spieltag.h"
#include "net/verbindung.h"
#include "screens/live_view/spielansicht.h"
#include "screens/start/spielstart.h"
#include "season/ankuendigung.h"
#include "season/kalender.h"
#include "season/kalender_zug.h"
#include "season/spiele.h"
#include "start_klick.h"
#include "zwei_prozesse.h"

namespace f = fahrer;

namespace {

using Uhr = std::chrono::steady_clock;

#ifdef KORDAVO_NETZ_DREI
constexpr int CLIENTS = 2;
#else
constexpr int CLIENTS = 1;
#endif
#ifdef KORDAVO_NETZ_ENDE
constexpr bool ENDE = true;
#else
constexpr bool ENDE = false;
#endif

// How the host lingers: on his screen after the match, in his pages and
// menu, over a question; or he closes his window. Each build lingers one way
// (KORDAVO_NETZ_WARTEN_WIE), on the first matchday that has a client's match
// running after the host's.
enum Warten : i32 { W_SEITE = 0, W_MENUE = 1, W_FRAGE = 2, W_WEG = 3 };
#ifdef KORDAVO_NETZ_WARTEN_WIE
constexpr i32 WIE = KORDAVO_NETZ_WARTEN_WIE;
#else
constexpr i32 WIE = W_SEITE;
#endif
// Two such matchdays; with two clients the first (the three players' days
// take the longest).
constexpr i32 WARTE_TAGE = CLIENTS > 1 ? 1 : 2;
// How long the host reads each of his pages when he lingers in them.
constexpr int LESEN_MS = 3000;
// The longest the host lingers; a client's match must be over well before.
constexpr int WARTEN_MAX_S = 240;
constexpr int TEST_MAX_S = 1700;

// Records between the processes: kind and two numbers.
enum : char {
    H_BEREIT = 'B',  // the host's menu is up (a: its club)
    C_VEREIN = 'C',  // a client has joined (a: its club)
    P_LOS = 'L',     // every client is in: the days begin
    H_WARTET = 'W',  // the host lingers from now (a: day, b: how)
    C_FERTIG = 'D',  // a client's match is over (a: day, b: FERTIG_* bits, c: club)
    H_WEITER = 'N',  // the host goes on (a: day, b: 1 when every client's match ended while it lingered)
    H_WEG = 'Q',     // the host has quit
    C_ENDE = 'E',    // the client's view of the host quitting (b: ENDE_* bits)
    H_ZIEL = 'Z',    // the host has lingered on enough days (b: frames showing a client's match, c: his own)
    C_SPAET = 'S',   // a client shows a page of a match after the next day began (a: the page's day, b: kind)
    X_FEHLER = 'X',  // a player failed (a: where)
};
enum : i32 { FERTIG_ABPFIFF = 1, FERTIG_OHNE_SPRUNG = 2, FERTIG_SEITE_AM_TAG = 4, FERTIG_ALLES = 7 };
enum : i32 { ENDE_LIVE = 1, ENDE_BOX = 2, ENDE_START = 4, ENDE_EINZEL = 8, ENDE_ALLES = 15 };

struct Satz {
    char art = 0;
    i32 a = 0, b = 0, c = 0;
};

bool senden(int fd, const Satz& s) {
    const i32 b[4] = {s.art, s.a, s.b, s.c};
    return write(fd, b, sizeof b) == static_cast<ssize_t>(sizeof b);
}
template <class W>
bool empfangen(int fd, Satz* s, int ms, W warten) {
    i32 b[4];
    if (!zwei_prozesse::Lesen(fd, b, sizeof b, ms, warten)) return false;
    *s = {static_cast<char>(b[0]), b[1], b[2], b[3]};
    return true;
}
// A record waiting on the pipe, without waiting for one.
bool abholen(int fd, Satz* s) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 0) > 0 && (p.revents & POLLIN) && empfangen(fd, s, 1000, [] {});
}

const std::string& adresse() {
    static const std::string a = zwei_prozesse::Adresse(20);
    return a;
}
i32 tag() { return Kalender_Get_Jahr() * 1000 + Kalender_Get_Tag(); }
void frame() { f::frame(); }

// Sleeps until `naechster` moved on by `ms` (a frame that came late moves
// it to now).
void takt_bis(Uhr::time_point& naechster, int ms) {
    naechster += std::chrono::milliseconds(ms);
    const auto jetzt = Uhr::now();
    if (naechster > jetzt) usleep(static_cast<useconds_t>(
                               std::chrono::duration_cast<std::chrono::microseconds>(naechster - jetzt).count()));
    else naechster = jetzt;
}

// The host's frames take at least this long in real time.
constexpr int HOST_FRAME_MS = 40;
void takt(double) {
    static auto naechster = Uhr::now();
    takt_bis(naechster, HOST_FRAME_MS);
}

// The lockstep's rare turns (a match going on without its client, a copy
// taking the server's record, waiting on it or ended by it) go to the
// test's output: a failure on a loaded machine says which of them came.
void netz_spur(u32, const char* zeile, void*) {
    static constexpr const char* MUSTER[] = {"ohne den Client", "vom Server", "auf den Server", "ohne Endstand"};
    for (const char* m : MUSTER)
        if (std::strstr(zeile, m)) {
            std::fprintf(stderr, "[Team %d, Tag %d] %s%s", Team_Aktiv, Kalender_Get_Tag(), zeile,
                         *zeile && zeile[std::strlen(zeile) - 1] == '\n' ? "" : "\n");
            return;
        }
}

[[noreturn]] void scheitern(int rohr, i32 wo, const std::string& ordner) {
    std::fprintf(stderr, "Team %d: gescheitert an Stelle %d, Tag %d\n", Team_Aktiv, wo, tag());
    senden(rohr, {X_FEHLER, wo});
    std::error_code ec;
    if (!ordner.empty()) std::filesystem::remove_all(ordner, ec);
    _exit(wo);
}

// Frames until the main menu stands without a requester (one is answered).
bool bis_hauptmenue(int sekunden) {
    const auto ende = Uhr::now() + std::chrono::seconds(sekunden);
    while (Uhr::now() < ende) {
        if (f::im_menue()) return true;
        if (!f::weiter()) return false;
    }
    return false;
}

// The team's row of today: -1 none, else its status.
i32 status_heute(i32 team) {
    for (const Spieltag_Slot& r : Spieltag_Slots()) {
        const Spiel* s = r.spiel > 0 ? Spiele_Get_Spiel(r.spiel, false) : nullptr;
        if (s && (s->team_a == team || s->team_b == team)) return r.status;
    }
    return -1;
}

bool laeuft(i32 status) {
    return status == ST_ANGEPFIFFEN || status == ST_LAEUFT || status == ST_PAUSE || status == ST_ELFMETER;
}

// The live view shows this side's own club's match.
Spielfeld_Daten* eigenes_spiel_live() {
    Spielfeld_Daten* sf = Spielansicht_Get_Spielfeld();
    if (!sf) return nullptr;
    return static_cast<i32>(sf->team[0]) == Team_Aktiv || static_cast<i32>(sf->team[1]) == Team_Aktiv ? sf : nullptr;
}

// One step of plain play: fast play clicked in this side's live match (when
// `schnell`), a requester answered with no, the turn ended in the main
// menu, a page clicked away.
bool spielschritt(bool schnell) {
    // The line-ups picture before the match goes by a click, as a player's.
    if (eigenes_spiel_live() && Kalender_Get_Runmodus() != RUNMODUS_SPIELTAG) {
        if (schnell && !Spielfeld_Get_Fast() && f::da(ICON_LEISTE_SCHNELL)) return f::icon(ICON_LEISTE_SCHNELL, 2);
        f::lauf("wait 1\n", 0);
        return true;
    }
    if (Menue_Requester_Offen()) return f::antworten(false);
    if (f::im_menue()) return f::zug_beenden();
    return f::weiter();
}

// A page after the match stands: one of the pages or the results' screens.
bool seite_nach_spiel() {
    const u32 art = Spielankuendigung_Laufende_Art();
    if (Spielankuendigung_Screen_Offen()) return art == ANK_ERGEBNISSE || art == ANK_TABELLE;
    return Kalender_Get_Runmodus() == RUNMODUS_SPIELTAG && Spielankuendigung_Stufe() == ANK_STUFEN &&
           (art == ANK_TORE || art == ANK_STATISTIK || art == ANK_GELD);
}

// ---------------------------------------------------------------------------
// The host.

// Frames after which the host's live view held a pitch of a match his club
// does not play (a client's: the client shows it, not the host), and frames
// in which it held his own.
int fremd_gezeigt = 0, eigenes_gezeigt = 0;
void anzeige_zaehlen(i32 eigenes) {
    Spielfeld_Daten* gezeigt[SF_MAX_ANZEIGE];
    const int n = Spielfeld_Anzeigeliste(gezeigt);
    bool fremd = false, selbst = false;
    for (int i = 0; i < n; ++i) {
        const i32 heim = static_cast<i32>(gezeigt[i]->team[0]), gast = static_cast<i32>(gezeigt[i]->team[1]);
        const bool seins = heim == eigenes || gast == eigenes;
        (seins ? selbst : fremd) = true;
    }
    fremd_gezeigt += fremd ? 1 : 0;
    eigenes_gezeigt += selbst ? 1 : 0;
}

[[noreturn]] void host(int befehle, int meldungen) {
    std::string ordner;
    const auto fehler = [&](i32 wo) { scheitern(meldungen, wo, ordner); };
    if (!Test_Programm_Starten("kordavo_netz_warten_server", &ordner, true)) fehler(10);
    Debug_Set_Capture(netz_spur, nullptr);
    Test_Live_Ansicht(true);
    W32_Registry_Write("Netz_Adresse", adresse().c_str());
    if (!Main_Hooks.Verbindung_Start("", 0) || !Main_Hooks.Verbindung_Get_Local_Host()) fehler(11);
    f::lauf("wait 5\n", 8);
    f::lauf(Start_Klick(ICON_START_NETZ), 8);
    f::lauf(Start_Klick(ICON_START_ROLLE), 8);
    f::lauf(Start_Klick(ICON_START_NEU), 12);
    if (!ruf::Server()) fehler(12);
    f::lauf(Start_Klick(ICON_WIZ_WEITER), 8);
    f::lauf(Start_Eintrag(2), 8);
    f::lauf(Start_Klick(ICON_WIZ_WEITER), 8);
    for (i32 k : {0, 0, 0, 0}) f::lauf(Start_Eintrag(k), 8);
    if (!Menue_Requester_Offen()) fehler(13);
    f::lauf("move 116 424\nwait 2\nclick left\nwait 10\n", 20);
    if (!bis_hauptmenue(240)) fehler(14);
    const i32 eigenes = Team_Aktiv;
    // The days before the first day with matches go by before the clients
    // join (they join a running game): nothing the test watches happens on
    // them, and played with the clients they took the most of its time.
    for (int n = 0; n < 100000 && Kalender_Spieltage_Heute(Kalender_Get_Tag() + 1 - Kalender_Get_Basistag(), 1,
                                                            nullptr) == 0;
         ++n)
        if (!spielschritt(true)) fehler(23);
    if (!bis_hauptmenue(240)) fehler(24);
    std::fprintf(stderr, "Server am Tag %d, die Clients kommen\n", tag());
    if (!senden(meldungen, {H_BEREIT, eigenes})) fehler(15);
    f::Frame_Messung(takt);
    Satz s;
    if (!empfangen(befehle, &s, 600000, frame) || s.art != P_LOS) fehler(16);
    i32 gewartet = 0, letzter = -1;
    const auto ende = Uhr::now() + std::chrono::seconds(TEST_MAX_S);
    while (Uhr::now() < ende && gewartet < WARTE_TAGE) {
        // Whether the host's own match of today is over while a client's runs.
        std::vector<i32> laufend;
        // (Quitting, he does not wait for his own match's end.)
        if (tag() != letzter && (ENDE || status_heute(eigenes) >= ST_BEENDET)) {
            for (i32 t = 0; t < Team_Anzahl; ++t)
                if (t != eigenes && Kalender_Team_Online_Woanders(t) && laeuft(status_heute(t))) laufend.push_back(t);
        }
        if (laufend.empty()) {
            if (!spielschritt(true)) fehler(17);
            anzeige_zaehlen(eigenes);
            continue;
        }
        letzter = tag();
        const i32 wie = ENDE ? W_WEG : WIE;
        ++gewartet;
        if (!senden(meldungen, {H_WARTET, letzter, wie})) fehler(18);
        std::fprintf(stderr, "Server wartet am Tag %d (%d), %zu Spiele laufen\n", letzter, wie, laufend.size());
        if (wie == W_WEG) {
            // The manager closes his window while the client watches.
            f::lauf("wait 100\nquit\nwait 5\n", 0);
            for (int n = 0; n < 200 && Menue_Requester_Offen(); ++n) f::antworten(true);
            ruf::Als_Einzel();
            Verbindung_Stop();
            senden(meldungen, {H_WEG, letzter});
            while (empfangen(befehle, &s, 120000, [] { usleep(2000); })) {
            }
            Test_Programm_Beenden(ordner);
            _exit(0);
        }
        // Over whatever screen follows his match, the question whether to
        // quit (his window closed) stays open until the clients are done.
        if (wie == W_FRAGE && (!f::lauf("quit\nwait 5\n", 2) || !Menue_Requester_Offen())) fehler(20);
        // Lingering until every client's match is over: nothing clicked; or
        // (in the menu) the pages clicked away, the turn never ended.
        std::vector<i32> offen = laufend;
        const auto bis = Uhr::now() + std::chrono::seconds(WARTEN_MAX_S);
        auto gelesen_ab = Uhr::now();
        while (!offen.empty() && Uhr::now() < bis) {
            const bool lesen = wie == W_MENUE && !f::im_menue() && !Menue_Requester_Offen() && !eigenes_spiel_live();
            if (!lesen) gelesen_ab = Uhr::now();
            if (lesen && Uhr::now() - gelesen_ab >= std::chrono::milliseconds(LESEN_MS)) {
                if (!f::weiter()) fehler(19);
                gelesen_ab = Uhr::now();
            } else {
                frame();
            }
            anzeige_zaehlen(eigenes);
            if (abholen(befehle, &s) && s.art == C_FERTIG) std::erase(offen, s.c);
        }
        std::fprintf(stderr, "Server geht am Tag %d weiter, %zu Spiele offen\n", letzter, offen.size());
        if (wie == W_FRAGE && Menue_Requester_Offen() && !f::antworten(false)) fehler(21);
        if (!senden(meldungen, {H_WEITER, letzter, offen.empty() ? 1 : 0})) fehler(22);
    }
    senden(meldungen, {H_ZIEL, gewartet, fremd_gezeigt, eigenes_gezeigt});
    // Serving until the clients have gone (the pipe closes).
    while (empfangen(befehle, &s, 300000, [] { spielschritt(true); })) {
    }
    Test_Programm_Beenden(ordner);
    _exit(0);
}

// ---------------------------------------------------------------------------
// A client.

// What a client saw of its match on the day the host lingered.
struct Beobachtung {
    i32 tag = -1, wie = -1;
    i32 minute = -1;  // the last minute seen
    bool sprung = false, abpfiff = false, seite = false, gemeldet = false;
};

// A client's frames, while it shows its own match at the pitch clock, take
// at least the clock's step in real time, as a player's machine shows them:
// its pace is the pitch clock's on the wall too (a headless frame not drawn
// would run the match many times faster than a player watches it).
void client_takt(double) {
    static auto naechster = Uhr::now();
    if (!eigenes_spiel_live() || Spielfeld_Get_Fast()) naechster = Uhr::now();
    else takt_bis(naechster, HEADLESS_ZEITSCHRITT_MS);
}

[[noreturn]] void client(int befehle, int meldungen, int nummer, i32 host_team) {
    std::string ordner;
    const auto fehler = [&](i32 wo) { scheitern(meldungen, wo, ordner); };
    if (!Test_Programm_Starten("kordavo_netz_warten_client", &ordner, true)) fehler(40);
    Debug_Set_Capture(netz_spur, nullptr);
    Test_Live_Ansicht(true);
    std::string tippen;
    for (int i = 0; i < 16; ++i) tippen += "key backspace\n";
    if (!Main_Hooks.Verbindung_Start("", 0) || !f::lauf("wait 5\n", 8) || !f::lauf(Start_Klick(ICON_START_NETZ), 8) ||
        !ruf::Client() || !f::lauf(Start_Klick(ICON_START_ADRESSE), 8) ||
        !f::lauf(tippen + "text " + adresse() + "\nwait 12\nkey return\nwait 3\n", 20) ||
        !f::lauf(Start_Klick(ICON_START_PRUEFEN), 20) || Spielstart_Get_Netz().test != 1 ||
        !f::lauf(Start_Klick(ICON_START_NEU), 20))
        fehler(41);
    const std::string name = "Gast" + std::to_string(nummer + 1);
    // Country and club: the first free club; the second client a club two
    // rows further, whose first match is not against the first client's.
    if (!f::lauf("text " + name + "\nwait 10\nkey return\nwait 3\n", 20) || !f::lauf(Start_Eintrag(1 + nummer), 8) ||
        !f::lauf(Start_Eintrag(0), 8) || !f::lauf(Start_Eintrag(2 * nummer), 8))
        fehler(42);
    for (int i = 0; i < 3 && !Menue_Requester_Offen() && Spielstart_Beendet == 0; ++i) f::lauf("wait 5\n", 4);
    if (Menue_Requester_Offen()) f::lauf("move 116 424\nwait 2\nclick left\nwait 10\n", 20);
    if (!bis_hauptmenue(240) || !ruf::Client()) fehler(43);
    const i32 team = Team_Aktiv;
    if (!senden(meldungen, {C_VEREIN, team})) fehler(44);
    f::Frame_Messung(client_takt);
    Beobachtung b;
    Satz s;
    auto live_seit = Uhr::now();
    i32 live_tag = -1;
    i32 spaet_gemeldet = -1;
    const auto ende = Uhr::now() + std::chrono::seconds(TEST_MAX_S);
    while (Uhr::now() < ende) {
        if (abholen(befehle, &s)) {
            if (s.art == H_WARTET) b = {.tag = s.a, .wie = s.b};
            if (s.art == H_WEG) break;
        }
        if (b.wie == W_WEG) {
            // Watching at the match's own pace until the host has gone (the
            // line-ups picture clicked away; a box is left for afterwards).
            if (!eigenes_spiel_live() && !Menue_Requester_Offen() && !f::weiter()) fehler(48);
            frame();
            continue;
        }
        if (b.tag >= 0 && !b.gemeldet) {
            // The match on the day the host lingers, minute by minute: a copy
            // that stands and then jumps to its end has not been watched.
            if (const Spielfeld_Daten* sf = eigenes_spiel_live()) {
                if (b.minute >= 0 && sf->minute > b.minute + 5) b.sprung = true;
                b.minute = std::max<i32>(b.minute, sf->minute);
                if (sf->minute >= 90) b.abpfiff = true;
            }
            if (b.abpfiff && !eigenes_spiel_live() && seite_nach_spiel()) b.seite = tag() == b.tag;
            if (tag() != b.tag || b.seite) {
                b.gemeldet = true;
                // -1: this side had no match to watch that day.
                const i32 bits = b.minute < 0 ? -1 : (b.abpfiff ? FERTIG_ABPFIFF : 0) | (b.sprung ? 0 : FERTIG_OHNE_SPRUNG) |
                                 (b.seite ? FERTIG_SEITE_AM_TAG : 0);
                std::fprintf(stderr, "Client %d: Tag %d, Minute %d, Bits %d\n", nummer, b.tag, b.minute, bits);
                if (!senden(meldungen, {C_FERTIG, b.tag, bits, team})) fehler(45);
            }
        }
        // A page of a match shown on a later day than the match's.
        if (seite_nach_spiel() && !Spielankuendigung_Screen_Offen() &&
            Spielankuendigung_Aktuell().tag < Kalender_Get_Tag() && spaet_gemeldet != Spielankuendigung_Aktuell().tag) {
            spaet_gemeldet = Spielankuendigung_Aktuell().tag;
            std::fprintf(stderr, "Client %d: Seite %u vom Tag %d am Tag %d\n", nummer, Spielankuendigung_Laufende_Art(),
                         spaet_gemeldet, Kalender_Get_Tag());
            if (!senden(meldungen, {C_SPAET, spaet_gemeldet, static_cast<i32>(Spielankuendigung_Laufende_Art()), team}))
                fehler(49);
        }
        if (!ruf::Client()) fehler(46);
        // Fast play once the host lingers; at once against the host's own
        // club (their match is the same); and after a minute at its pace
        // when the host has no match to linger after.
        const Spielfeld_Daten* sf = eigenes_spiel_live();
        // (Counted from the day's own match: a view of an earlier match left
        // on the screen does not count.)
        if (sf && tag() != live_tag && Spielfeld_Get_Fast()) {
            // Each day's match begins at the pitch clock, as on one machine.
            std::fprintf(stderr, "Client %d: Tag %d beginnt im schnellen Lauf\n", nummer, tag());
            fehler(50);
        }
        if (!sf || tag() != live_tag) live_seit = Uhr::now(), live_tag = tag();
        const bool schnell = b.tag == tag() || (sf && (static_cast<i32>(sf->team[0]) == host_team ||
                                                       static_cast<i32>(sf->team[1]) == host_team)) ||
                             Uhr::now() - live_seit > std::chrono::seconds(60);
        if (!spielschritt(schnell)) fehler(47);
    }
    if (b.wie == W_WEG) {
        // The host has gone: a box, whatever screen this side is on; its OK
        // leads to the start screen, off the network.
        i32 bits = eigenes_spiel_live() ? ENDE_LIVE : 0;
        for (int n = 0; n < 1500 && !Menue_Requester_Offen(); ++n) frame();
        if (Menue_Requester_Offen()) bits |= ENDE_BOX;
        f::lauf("move 400 300\nwait 2\nclick right\nwait 10\n", 20);
        for (int n = 0; n < 600 && !Screen_Offen(Screen_Id::SPIELSTART); ++n) frame();
        // The start screen, with no second box over it.
        for (int n = 0; n < 100; ++n) frame();
        if (Screen_Offen(Screen_Id::SPIELSTART) && !Menue_Requester_Offen()) bits |= ENDE_START;
        if (ruf::Einzel()) bits |= ENDE_EINZEL;
        senden(meldungen, {C_ENDE, b.tag, bits, team});
    }
    while (empfangen(befehle, &s, 300000, [] { usleep(2000); })) {
    }
    Verbindung_Stop();
    Test_Programm_Beenden(ordner);
    _exit(0);
}

// ---------------------------------------------------------------------------
// This process: the players started, their records relayed and checked.

TEST(NetzWarten, ClientSpielLaeuftWaehrendDerServerWartet) {
    adresse();
    zwei_prozesse::Host gastgeber(host);
    ASSERT_TRUE(gastgeber.laeuft());
    Satz s;
    ASSERT_TRUE(empfangen(gastgeber.von, &s, 300000, [] { usleep(2000); })) << "der Server kam nicht ins Hauptmenü";
    ASSERT_EQ(s.art, H_BEREIT) << "Server-Fehler " << s.a;
    const i32 host_team = s.a;
    std::vector<std::unique_ptr<zwei_prozesse::Host>> clients;
    for (int k = 0; k < CLIENTS; ++k) {
        clients.push_back(std::make_unique<zwei_prozesse::Host>([k, host_team](int b, int m) { client(b, m, k, host_team); }));
        ASSERT_TRUE(clients.back()->laeuft());
        ASSERT_TRUE(empfangen(clients.back()->von, &s, 400000, [] { usleep(2000); }))
            << "Client " << k << " kam nicht ins Spiel";
        ASSERT_EQ(s.art, C_VEREIN) << "Client-Fehler " << s.a;
    }
    ASSERT_TRUE(senden(gastgeber.an, {P_LOS}));
    // Per day the host lingered: how, whether every match ended meanwhile,
    // and each client's report.
    std::map<i32, i32> wie;
    std::map<i32, i32> weiter;
    std::map<std::pair<i32, int>, i32> berichte;
    std::vector<i32> ende_bits(CLIENTS, -1);
    i32 ziel = -1, server_fremd = -1, server_eigen = -1;
    bool weg = false;
    const auto ende = Uhr::now() + std::chrono::seconds(TEST_MAX_S + 60);
    while (Uhr::now() < ende && ziel < 0) {
        bool etwas = false;
        if (abholen(gastgeber.von, &s)) {
            etwas = true;
            ASSERT_NE(s.art, X_FEHLER) << "der Server scheiterte an Stelle " << s.a;
            if (s.art == H_WARTET) wie[s.a] = s.b;
            if (s.art == H_WEITER) weiter[s.a] = s.b;
            if (s.art == H_ZIEL) ziel = s.a, server_fremd = s.b, server_eigen = s.c;
            if (s.art == H_WARTET || s.art == H_WEG) {
                for (auto& c : clients) ASSERT_TRUE(senden(c->an, s));
            }
            if (s.art == H_WEG) weg = true;
        }
        for (int k = 0; k < CLIENTS; ++k)
            if (abholen(clients[k]->von, &s)) {
                etwas = true;
                ASSERT_NE(s.art, X_FEHLER) << "Client " << k << " scheiterte an Stelle " << s.a;
                if (s.art == C_FERTIG) {
                    berichte[{s.a, k}] = s.b;
                    if (!weg) {
                        ASSERT_TRUE(senden(gastgeber.an, s));
                    }
                }
                if (s.art == C_ENDE) ende_bits[static_cast<size_t>(k)] = s.b;
                EXPECT_NE(s.art, C_SPAET) << "Client " << k << ": Seite " << s.b << " des Spiels vom Tag " << s.a
                                          << " erst nach dem Beginn des nächsten Tages";
            }
        if (weg && std::all_of(ende_bits.begin(), ende_bits.end(), [](i32 b) { return b >= 0; })) break;
        if (!etwas) usleep(2000);
    }
    if (ENDE) {
        ASSERT_TRUE(weg) << "der Server hat sein Fenster nicht geschlossen";
        for (int k = 0; k < CLIENTS; ++k) {
            const i32 b = ende_bits[static_cast<size_t>(k)];
            EXPECT_TRUE(b >= 0 && (b & ENDE_LIVE)) << "Client " << k << " sah sein Spiel nicht live, als der Server ging";
            EXPECT_TRUE(b >= 0 && (b & ENDE_BOX)) << "Client " << k << ": keine Meldung, dass der Server weg ist";
            EXPECT_TRUE(b >= 0 && (b & ENDE_START)) << "Client " << k << ": nicht zurück am Startbildschirm";
            EXPECT_TRUE(b >= 0 && (b & ENDE_EINZEL)) << "Client " << k << ": noch im Netz";
        }
        return;
    }
    ASSERT_EQ(ziel, WARTE_TAGE) << "der Server wartete nur an " << wie.size() << " Tagen";
    // The host's live view showed his own matches, never a client's alone.
    EXPECT_EQ(server_fremd, 0) << "der Server zeigte das Spiel eines Clients";
    EXPECT_GT(server_eigen, 0) << "der Server zeigte sein eigenes Spiel nie";
    std::vector<i32> arten;
    std::map<i32, int> gesehen;
    for (const auto& [t, w] : wie) {
        arten.push_back(w);
        EXPECT_EQ(weiter[t], 1) << "Tag " << t << " (Warten " << w << "): ein Spiel eines Clients endete nicht, "
                                << "solange der Server wartete";
        for (int k = 0; k < CLIENTS; ++k) {
            const auto b = berichte.find({t, k});
            if (b == berichte.end() || b->second < 0) continue;  // no match of its own that day
            ++gesehen[t];
            EXPECT_TRUE(b->second & FERTIG_ABPFIFF) << "Tag " << t << " (Warten " << w << "), Client " << k
                                                    << ": kein Abpfiff";
            EXPECT_TRUE(b->second & FERTIG_OHNE_SPRUNG) << "Tag " << t << " (Warten " << w << "), Client " << k
                                                        << ": das Spiel sprang zum Ende";
            EXPECT_TRUE(b->second & FERTIG_SEITE_AM_TAG) << "Tag " << t << " (Warten " << w << "), Client " << k
                                                         << ": keine Seite nach dem Spiel vor dem nächsten Tag";
        }
        EXPECT_GE(gesehen[t], 1) << "Tag " << t << ": kein Client sah sein Spiel, während der Server wartete";
    }
    EXPECT_EQ(arten, std::vector<i32>(WARTE_TAGE, WIE));
}

}  // namespace

// A network game's client from its joining to its goodbye, in two processes
// on a loopback address of this test's own: a child process hosts (network
// switch, the server role, the wizard for its manager), this process joins
// through the start screen and takes another club.
//
// - The club's history: the host archives the client league's table twice
//   as the season change does; the client's view of its club's archived
//   places and of those tables is the host's.
// - The first days of the pre-season pass as players play them, the client
//   taking a few seconds over each turn: no day brings the client a box
//   that the host has ended his turn.
// - The client leaves properly (Spiel > Beenden > Ja). The host plays on
//   until the client's club has played a match: the club is the computer's
//   then, no turn of it at the host, no box that its manager ended his
//   turn, no page of its match, no human's mark on the pages.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "base/bytes.h"
#include "base/debug.h"
#include "base/globals.h"
#include "base/ruf.h"
#include "base/settings.h"
#include "base/tools.h"
#include "fahrer.h"
#include "gui/ank_seiten.h"
#include "net/verbindung.h"
#include "screens/start/spielstart.h"
#include "season/ankuendigung.h"
#include "season/archiv.h"
#include "season/kalender.h"
#include "season/kalender_zug.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "start_klick.h"
#include "world/manager.h"
#include "world/team.h"
#include "world/welt.h"
#include "zwei_prozesse.h"

namespace f = fahrer;

namespace {

using Uhr = std::chrono::steady_clock;

// The pre-season days the client plays before it leaves, and how long it
// takes over each turn (a player reading his pages).
constexpr int TAGE = 4;
constexpr int ZUG_MS = 3000;

const std::string& eigene_adresse() {
    static const std::string a = zwei_prozesse::Adresse(12);
    return a;
}

i32 tag_schluessel() { return Kalender_Get_Jahr() * 1000 + Kalender_Get_Tag(); }

// The pipes: fixed records of three words.
enum : i32 {
    M_BEREIT = 1,  // the host's menu is up (a: its club)
    B_CLIENT,      // the client's club (a)
    M_ARCHIV,      // the host's archive of the client's club (a: its check sum, b: places)
    B_WEG,         // the client has left the game
    M_ENDE,        // the host's findings after the client left (a: bits of HOST_*, b: days played)
    M_FEHLER,      // the host failed (a: where)
};
enum : i32 { HOST_ZUG = 1, HOST_NOTIZ = 2, HOST_SEITE = 4, HOST_MARKE = 8, HOST_GESPIELT = 16 };

struct Satz {
    i32 art = 0, a = 0, b = 0;
};
bool schreiben(int fd, const Satz& s) {
    u8 b[12];
    put_u32le(b, static_cast<u32>(s.art)), put_u32le(b + 4, static_cast<u32>(s.a)), put_u32le(b + 8, static_cast<u32>(s.b));
    return write(fd, b, sizeof b) == static_cast<ssize_t>(sizeof b);
}
template <class W>
bool lesen(int fd, Satz* s, int ms, W warten) {
    u8 b[12];
    if (!zwei_prozesse::Lesen(fd, b, sizeof b, ms, warten)) return false;
    *s = {static_cast<i32>(get_u32le(b)), static_cast<i32>(get_u32le(b + 4)), static_cast<i32>(get_u32le(b + 8))};
    return true;
}
void frame() { Headless_Frames(1); }
void ruhen() { usleep(2000); }

// The boxes this side was shown that a manager ended his turn, and the last
// one's text (from the game's log of its messages).
std::atomic<u32> zug_notizen{0};
std::string letzte_notiz;
void mitlesen(u32, const char* zeile, void*) {
    const std::string z = zeile ? zeile : "";
    if (z.find("Meldung: ") == std::string::npos || z.find("hat seinen Zug beendet") == std::string::npos) return;
    ++zug_notizen;
    letzte_notiz = z;
}

// The client league's table as the competition screen builds it.
std::unique_ptr<Tabelle> liga_tabelle(i32 liga) {
    auto t = std::make_unique<Tabelle>();
    if (!Wettbewerb_Tabelle_Vorbereiten_Id(liga, t.get())) return nullptr;
    Tabelle_Argumente a;
    a.wettbewerb = liga;
    Spiele_Get_Tabelle(a, t.get());
    // Before the season the table has no rows yet: the league's clubs in
    // their order stand for a finished season's.
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(liga);
    if (t->zeilen == 0 && w) {
        t->zeilen = static_cast<u32>(std::clamp(w->aktuelle_teams, 0, TABELLE_ZEILEN));
        for (u32 r = 0; r < t->zeilen; ++r)
            t->reihenfolge[r] = r, t->team[r] = static_cast<u32>(w->aktuelle_team[r] >= 0 ? w->aktuelle_team[r] : w->start_team[r]);
    }
    return t;
}

// The club's archived places and the season's two archived tables, as a
// check sum; `plaetze` gets the count of places.
u32 archiv_summe(i32 team, i32 liga, i32* plaetze) {
    u32 h = 2166136261u;
    const auto dazu = [&h](const std::vector<u8>& b) {
        for (u8 c : b) h = (h ^ c) * 16777619u;
    };
    Statistik_Archiv_Platz p[8] = {};
    *plaetze = Statistik_Archiv_Team(team, p, 8);
    for (int i = 0; i < *plaetze; ++i) dazu(bytes::bild(&p[i], 1));
    for (i32 k = 0; k < 2; ++k) {
        auto t = std::make_unique<Tabelle>();
        if (!Statistik_Archiv_Holen(*t, liga, Kalender_Get_Jahr(), k)) return 0;
        std::vector<u8> bild(TABELLE_GROESSE);
        Tabelle_Bild_Schreiben(*t, bild.data());
        dazu(bild);
    }
    return h;
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

// The club has played a match of any competition (their numbers are below
// 384) since `seit` (a day key).
bool hat_gespielt(i32 team, i32 seit) {
    for (u32 wb = 0; wb < 384; ++wb) {
        const Wettbewerb* w = Wettbewerb_Get_Zeiger(static_cast<i32>(wb));
        if (!w) continue;
        for (i32 md = 0; md < w->aktueller_spieltag; ++md)
            for (u32 i = 0;; ++i) {
                const i32 h = Spiele_Lock(wb, static_cast<u32>(md), 0, i);
                if (h <= 0) break;
                const Spiel* g = Spiele_Get_Spiel(h, false);
                const bool ja = g && (g->team_a == team || g->team_b == team) && g->tore_a >= 0 &&
                                Kalender_Get_Jahr() * 1000 + Kalender_Get_Spieltermin(static_cast<i32>(wb), md, 0) > seit;
                Spiele_Unlock(h);
                if (ja) return true;
            }
    }
    return false;
}

[[noreturn]] void host(int befehle, int meldungen) {
    std::string ordner;
    auto fehler = [&](i32 wo) {
        std::fprintf(stderr, "Server: gescheitert an Stelle %d, Tag %d\n", wo, tag_schluessel());
        schreiben(meldungen, {M_FEHLER, wo, 0});
        std::error_code ec;
        if (!ordner.empty()) std::filesystem::remove_all(ordner, ec);
        _exit(wo);
    };
    if (!Test_Programm_Starten("kordavo_netz_abschied_server", &ordner, true)) fehler(10);
    Debug_Set_Capture(mitlesen, nullptr);
    W32_Registry_Write("Netz_Adresse", eigene_adresse().c_str());
    if (!Main_Hooks.Verbindung_Start("", 0) || !Main_Hooks.Verbindung_Get_Local_Host()) fehler(11);
    f::lauf("wait 5\n", 8);
    f::lauf(Start_Klick(ICON_START_NETZ), 8);
    f::lauf(Start_Klick(ICON_START_ROLLE), 8);
    f::lauf(Start_Klick(ICON_START_NEU), 12);
    if (!ruf::Server()) fehler(12);
    // One manager at difficulty 2, the name to start from, face 0, the
    // first country's first club.
    f::lauf(Start_Klick(ICON_WIZ_WEITER), 8);
    f::lauf(Start_Eintrag(2), 8);
    f::lauf(Start_Klick(ICON_WIZ_WEITER), 8);
    for (i32 k : {0, 0, 0, 0}) f::lauf(Start_Eintrag(k), 8);
    if (!Menue_Requester_Offen()) fehler(13);
    f::lauf("move 116 424\nwait 2\nclick left\nwait 10\n", 20);
    if (!bis_hauptmenue(240)) fehler(14);
    if (!schreiben(meldungen, {M_BEREIT, Team_Aktiv, 0})) fehler(15);
    Satz b;
    if (!lesen(befehle, &b, 400000, frame) || b.art != B_CLIENT) fehler(16);
    const i32 client = b.a;
    // The client's league's table archived twice as the season change
    // archives it (a second table of one season is its second entry).
    const i32 liga = Wettbewerb_Get_Liga_Von_Team(client, true);
    const std::unique_ptr<Tabelle> t = liga_tabelle(liga);
    if (!t || !Statistik_Archiv_Speichern(*t, Kalender_Get_Jahr()) ||
        !Statistik_Archiv_Speichern(*t, Kalender_Get_Jahr()))
        fehler(17);
    i32 plaetze = 0;
    const u32 summe = archiv_summe(client, liga, &plaetze);
    if (!schreiben(meldungen, {M_ARCHIV, static_cast<i32>(summe), plaetze})) fehler(18);

    // The host plays its days as a player does; once the client has gone,
    // what it sees of the client's club is noted until that club has
    // played a match.
    bool weg = false;
    i32 weg_seit = 0, befund = 0, tage = 0, gemeldet = -1;
    u32 notizen_vorher = 0;
    const auto ende = Uhr::now() + std::chrono::seconds(900);
    while (Uhr::now() < ende) {
        if (!weg && lesen(befehle, &b, 0, frame)) {
            if (b.art != B_WEG) fehler(19);
            // The client's goodbye reaches the server before the pipe does.
            for (int n = 0; n < 500 && Kalender_Team_Online_Woanders(client); ++n) frame();
            weg = true, weg_seit = tag_schluessel();
            notizen_vorher = zug_notizen.load();
        }
        if (weg) {
            if (f::im_menue() && Team_Aktiv == client) befund |= HOST_ZUG;
            if (zug_notizen.load() != notizen_vorher &&
                letzte_notiz.find(Team_String(721, client, nullptr, 0)) != std::string::npos)
                befund |= HOST_NOTIZ;
            const u32 art = Spielankuendigung_Laufende_Art();
            if (Spielankuendigung_Screen_Offen() || art == ANK_STATISTIK || art == ANK_GELD)
                if (Spielankuendigung_Aktuell().team_a == client && (art == ANK_STATISTIK || art == ANK_GELD))
                    befund |= HOST_SEITE;
            if (Ank_Seiten_Get_Hooks().mensch(client)) befund |= HOST_MARKE;
            if (hat_gespielt(client, weg_seit)) {
                befund |= HOST_GESPIELT;
                break;
            }
        }
        if (Menue_Requester_Offen()) {
            if (!f::antworten(false)) fehler(20);
        } else if (f::im_menue()) {
            if (tag_schluessel() != gemeldet) gemeldet = tag_schluessel(), ++tage;
            if (!f::zug_beenden()) fehler(21);
        } else if (!f::weiter()) {
            fehler(22);
        }
    }
    schreiben(meldungen, {M_ENDE, befund, tage});
    while (lesen(befehle, &b, 120000, frame)) {
    }
    Test_Programm_Beenden(ordner);
    _exit(0);
}

TEST(NetzAbschied, ArchivVorsaisonUndAbschiedEinesClients) {
    eigene_adresse();
    zwei_prozesse::Host gastgeber(host);
    ASSERT_TRUE(gastgeber.laeuft());
    const int von_host = gastgeber.von, an_host = gastgeber.an;
    Satz m;
    ASSERT_TRUE(lesen(von_host, &m, 300000, ruhen)) << "der Server hat sein Hauptmenü nicht erreicht";
    ASSERT_EQ(m.art, M_BEREIT) << "Server-Fehler " << m.a;
    const i32 server_team = m.a;

    // Joining through the start screen: network on, the address typed and
    // tested, a new game, the manager's name and face, the first free club.
    std::string ordner;
    ASSERT_TRUE(Test_Programm_Starten("kordavo_netz_abschied_client", &ordner, true));
    Debug_Set_Capture(mitlesen, nullptr);
    // The program's rows: every call under a number of its own.
    EXPECT_EQ(ruf::Zeilen_Abgelehnt(), 0u) << "Rufe unter der Nummer eines anderen";
    std::string tippen;
    for (int i = 0; i < 16; ++i) tippen += "key backspace\n";
    ASSERT_TRUE(Main_Hooks.Verbindung_Start("", 0));
    ASSERT_TRUE(f::lauf("wait 5\n", 8));
    ASSERT_TRUE(f::lauf(Start_Klick(ICON_START_NETZ), 8) && ruf::Client());
    ASSERT_TRUE(f::lauf(Start_Klick(ICON_START_ADRESSE), 8));
    ASSERT_TRUE(f::lauf(tippen + "text " + eigene_adresse() + "\nwait 12\nkey return\nwait 3\n", 20));
    ASSERT_TRUE(f::lauf(Start_Klick(ICON_START_PRUEFEN), 20) && Spielstart_Get_Netz().test == 1);
    ASSERT_TRUE(f::lauf(Start_Klick(ICON_START_NEU), 20));
    ASSERT_TRUE(f::lauf("text Gast\nwait 10\nkey return\nwait 3\n", 20));
    ASSERT_TRUE(f::lauf(Start_Eintrag(1), 8) && f::lauf(Start_Eintrag(0), 8) && f::lauf(Start_Eintrag(0), 8));
    const i32 team = Spielstart_Slots[0].team;
    ASSERT_TRUE(team >= 0 && team != server_team);
    for (int i = 0; i < 3 && !Menue_Requester_Offen() && Spielstart_Beendet == 0; ++i) f::lauf("wait 5\n", 4);
    if (Menue_Requester_Offen()) {
        ASSERT_TRUE(f::lauf("move 116 424\nwait 2\nclick left\nwait 10\n", 20));
    }
    ASSERT_TRUE(bis_hauptmenue(240)) << "der Client hat sein Hauptmenü nicht erreicht";
    ASSERT_TRUE(ruf::Client() && Team_Aktiv == team);
    ASSERT_TRUE(schreiben(an_host, {B_CLIENT, team, 0}));

    // The club's history is the server's.
    ASSERT_TRUE(lesen(von_host, &m, 120000, frame));
    ASSERT_EQ(m.art, M_ARCHIV) << "Server-Fehler " << m.a;
    EXPECT_EQ(m.b, 2) << "Plätze des Clubs im Archiv des Servers";
    i32 plaetze = 0;
    const u32 summe = archiv_summe(team, Wettbewerb_Get_Liga_Von_Team(team, true), &plaetze);
    EXPECT_EQ(plaetze, m.b) << "Plätze des Clubs im Archiv beim Client";
    EXPECT_EQ(summe, static_cast<u32>(m.a)) << "das Archiv des Clients ist nicht das des Servers";

    // The first days of the pre-season, each turn taking the client a few
    // seconds: no box a day that the host ended his turn.
    const u32 notizen_vorher = zug_notizen.load();
    i32 tage = 0, gemeldet = -1;
    // A turn's length is counted on the program's own clock, the one its notices are
    // stamped with (fixed steps here): a fast build takes no longer a turn than a slow one.
    u32 zug_start = W32_Get_Time();
    const auto ende = Uhr::now() + std::chrono::seconds(600);
    while (tage <= TAGE && Uhr::now() < ende) {
        ASSERT_TRUE(ruf::Client()) << "der Server ist weg";
        if (Menue_Requester_Offen()) {
            ASSERT_TRUE(f::antworten(false));
        } else if (f::im_menue()) {
            if (tag_schluessel() != gemeldet) gemeldet = tag_schluessel(), ++tage, zug_start = W32_Get_Time();
            if (tage > TAGE) break;
            if (W32_Get_Time() - zug_start < static_cast<u32>(ZUG_MS)) {
                frame();
                continue;
            }
            ASSERT_TRUE(f::zug_beenden());
        } else {
            ASSERT_TRUE(f::weiter());
        }
    }
    EXPECT_GT(tage, TAGE) << "die Tage gingen nicht weiter";
    EXPECT_EQ(zug_notizen.load() - notizen_vorher, 0u)
        << "Zugende-Meldungen beim Client in " << TAGE << " Tagen, zuletzt: " << letzte_notiz;

    // The goodbye: Spiel > Beenden > Ja in the main menu (a box that comes
    // up meanwhile is answered first, as a player does).
    bool gefragt = false;
    for (int versuch = 0; versuch < 4 && !gefragt; ++versuch)
        gefragt = bis_hauptmenue(120) && f::ohne_meldung() && f::menue(3, 3) && Menue_Requester_Offen();
    ASSERT_TRUE(gefragt) << "Spiel > Beenden";
    f::antworten(true);
    for (int n = 0; n < 200 && Quit_Status == QUIT_STATUS_LAEUFT; ++n) frame();
    EXPECT_NE(Quit_Status, QUIT_STATUS_LAEUFT) << "das Spiel endete nicht";
    ASSERT_TRUE(schreiben(an_host, {B_WEG, 0, 0}));
    ruf::Als_Einzel();
    Verbindung_Stop();
    Test_Programm_Beenden(ordner);

    // The host plays on until the client's club has played.
    ASSERT_TRUE(lesen(von_host, &m, 900000, ruhen)) << "keine Antwort des Servers";
    ASSERT_EQ(m.art, M_ENDE) << "Server-Fehler " << m.a;
    EXPECT_TRUE(m.a & HOST_GESPIELT) << "der Club des Clients hat in " << m.b << " Tagen nicht gespielt";
    EXPECT_FALSE(m.a & HOST_ZUG) << "der Server bekam einen Zug des gegangenen Clubs";
    EXPECT_FALSE(m.a & HOST_NOTIZ) << "der Server bekam eine Zugende-Meldung des gegangenen Clubs";
    EXPECT_FALSE(m.a & HOST_SEITE) << "der Server bekam Seiten des gegangenen Clubs";
    EXPECT_FALSE(m.a & HOST_MARKE) << "der gegangene Club ist beim Server als menschlicher markiert";
}

}  // namespace

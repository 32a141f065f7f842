// The season's server rows and the client's cache reset.
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "base/globals.h"
#include "base/ruf.h"
#include "matchday/season_netz.h"
#include "matchday/spieltag.h"
#include "season/archiv.h"
#include "season/kalender.h"
#include "season/netz_rufe.h"
#include "season/news.h"
#include "season/spiele.h"
#include "season/spiele_saetze.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "world/bank.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

std::vector<i32> bereit_tag;
bool befehle_erlaubt = false;

bool team_ok(i32 t) { return t >= 0 && t < Team_Anzahl && Team_Daten; }
bool wettbewerb_ok(i32 w) { return w >= 0 && w < WETTBEWERB_ANZAHL; }

void kalender_zeilen() {
    ruf::Zeile_Anmelden(RUF_KALENDER_SAISON, []() {
        std::tuple<i32, i32, std::array<u8, 140>> a{};
        Kalender_Internet_Server_1000(&std::get<0>(a), &std::get<1>(a), std::get<2>(a).data());
        return a;
    });
    ruf::Zeile_Anmelden(RUF_KALENDER_DATUM, []() {
        std::tuple<std::vector<i32>, std::array<u8, 132>, i32, i32, i32> a{};
        Kalender_Internet_Server_1001(std::get<0>(a), std::get<1>(a).data(), &std::get<2>(a), &std::get<3>(a),
                                      &std::get<4>(a));
        return a;
    });
    ruf::Zeile_Anmelden(RUF_KALENDER_KALENDER, []() {
        std::tuple<std::vector<i32>, std::vector<u8>, i32> a{};
        std::get<1>(a).resize(KALENDER_ZUSTAND_GROESSE);
        Kalender_Internet_Server_1002(std::get<0>(a), std::get<1>(a).data(), &std::get<2>(a));
        return a;
    });
    ruf::Zeile_Anmelden(RUF_KALENDER_ZEITPLAN, []() {
        Kalender_Internet_Server_1003(0, 0);
        return ruf::Nichts{};
    });
    ruf::Zeile_Anmelden(RUF_WETTBEWERB_TABELLE, []() {
        std::tuple<std::vector<u8>, i32, i32> a{};
        std::get<0>(a) = Wettbewerb_Internet_Server_Send_Tabelle(&std::get<1>(a), &std::get<2>(a));
        return a;
    });
    ruf::Zeile_Anmelden(RUF_WETTBEWERB_STATUS, []() { return Wettbewerb_Internet_Server_Send_Tabelle_2(); });
}

// The team's rank history (1036): every argument in its range, else no ranks.
std::tuple<i32, std::array<u8, SPIELE_VERLAUF_BYTES>> verlauf(i32 wettbewerb, i32, i32 erster, i32 letzter, u8 drei,
                                                              u32 optionen, i32 tabellen_team, u8 frei, i32 von,
                                                              i32 bis, u8 prognose, u8 ewig, i32 team) {
    std::tuple<i32, std::array<u8, SPIELE_VERLAUF_BYTES>> a{};
    std::get<1>(a).fill(0xFF);
    const Wettbewerb* w = wettbewerb_ok(wettbewerb) ? Wettbewerb_Get_Zeiger(wettbewerb) : nullptr;
    const auto spieltag_ok = [w](i32 m) { return m >= -1 && m <= w->spieltage; };
    const auto minute_ok = [](i32 m) { return m >= -1 && m <= 255; };
    if (!w || !spieltag_ok(erster) || !spieltag_ok(letzter) || (drei > 1 && drei != 255) || (optionen & ~u32{63}) ||
        (tabellen_team != -1 && !team_ok(tabellen_team)) || !minute_ok(von) || !minute_ok(bis) || prognose > 1 ||
        ewig > 1 || !team_ok(team))
        return a;
    Tabelle_Argumente t;
    t.wettbewerb = wettbewerb, t.drei_punkte = drei, t.optionen = optionen, t.team = tabellen_team, t.frei = frei;
    t.erste_minute = von, t.letzte_minute = bis, t.prognose = prognose, t.ewig = ewig;
    std::get<0>(a) = Spiele_Internet_Server_Send_Tabelle(t, erster, letzter, team, std::get<1>(a).data());
    return a;
}

void spiele_zeilen() {
    ruf::Zeile_Anmelden(RUF_SPIELE_SEITE, [](u32 wettbewerb, u32 spieltag, u32 runde, u32 index) {
        std::vector<Spiel> seite(SPIELE_SEITE);
        const i32 n = Spiele_Internet_Server_Send_Spiele(wettbewerb, spieltag, runde, index, seite.data());
        seite.resize(static_cast<size_t>(std::clamp<i32>(n, 0, SPIELE_SEITE)));
        return std::tuple<std::vector<Spiel>, i32>{seite, static_cast<i32>(seite.size())};
    });
    ruf::Zeile_Anmelden(RUF_SPIELE_ANZAHL, []() {
        std::tuple<u32, u32> a{};
        Spiele_Internet_Server_Send_Anzahl(&std::get<0>(a), &std::get<1>(a));
        return a;
    });
    ruf::Zeile_Anmelden(RUF_SPIELE_INIT, []() {
        std::tuple<u32, u32> a{};
        Spiele_Internet_Server_Send_Anzahl_2(&std::get<0>(a), &std::get<1>(a));
        return a;
    });
    ruf::Zeile_Anmelden(RUF_SPIELE_EREIGNISSE, [](u32 erster, u32 anzahl) {
        // The schema holds the count to what the request's array has room for.
        std::vector<u8> aus(static_cast<size_t>(std::min<u32>(anzahl, 5000)) * SPIELE_EREIGNIS_GROESSE, 0);
        Spiele_Internet_Server_Send_Ereignisse(erster, anzahl, aus.data(), static_cast<u32>(aus.size()));
        return aus;
    });
    ruf::Zeile_Anmelden(RUF_SPIELE_TABELLE, [](i32, Tabelle_Wunsch w) {
        Tabelle_Argumente a;
        std::tie(a.wettbewerb, a.erster_spieltag, a.letzter_spieltag, a.drei_punkte, a.optionen, a.team, a.frei,
                 a.erste_minute, a.letzte_minute, a.prognose, a.ewig, a.live_minute) = w;
        std::vector<u8> aus;
        if (!wettbewerb_ok(a.wettbewerb)) return aus;
        Spiele_Internet_Server_Send_Tabelle_Gepackt(a, aus);
        return aus;
    });
    ruf::Zeile_Anmelden(RUF_SPIELE_TORE, [](u32 wettbewerb, u32 spieltag, u32 runde, i32 minute) {
        std::tuple<std::vector<u8>, i32> a{};
        std::get<1>(a) = Spiele_Internet_Server_Send_Tore(wettbewerb, spieltag, runde, minute, std::get<0>(a));
        return a;
    });
    ruf::Zeile_Anmelden(RUF_SPIELE_SIEGER, [](i32 wettbewerb, i32 jahr) {
        u8 b[bytes::groesse<spiele_satz::Sieger_Zeile>()];
        Spiele_Internet_Server_Send_Wettbewerb_Sieger(wettbewerb, jahr, b);
        const auto z = bytes::aus_bild<spiele_satz::Sieger_Zeile>(b);
        return std::tuple<i32, i32, i32, i32>{z.sieger, z.zweiter, z.tore_hoch, z.tore_tief};
    });
    // Competitions, teams and players are checked before the queries index with them.
    ruf::Zeile_Anmelden(RUF_SPIELE_SERIEN, [](i32 wettbewerb, i32 team, i32 ort) {
        std::tuple<u8, std::array<u32, 7>> a{};
        if (wettbewerb_ok(wettbewerb) && team_ok(team) && ort >= 0 && ort <= 2)
            std::get<0>(a) = Spiele_Internet_Server_Send_Serien(wettbewerb, team, ort, std::get<1>(a).data()) ? 1 : 0;
        return a;
    });
    ruf::Zeile_Anmelden(RUF_SPIELE_GEGEN, [](i32 wettbewerb, i32 heim, i32 gast, i32 maximum) {
        std::tuple<u8, u32, u32, u32, std::vector<u8>> a{};
        auto& [ok, siege, remis, niederlagen, ergebnisse] = a;
        if (maximum < 1 || maximum > 50) return a;
        ergebnisse.assign(static_cast<size_t>(maximum) * 12, 0xFF);
        if ((wettbewerb == -1 || wettbewerb_ok(wettbewerb)) && team_ok(heim) && team_ok(gast))
            ok = Spiele_Internet_Server_Send_Spiele_Gegen(wettbewerb, heim, gast, maximum, &siege, &remis, &niederlagen,
                                                          ergebnisse.data())
                     ? 1
                     : 0;
        return a;
    });
    ruf::Zeile_Anmelden(RUF_SPIELE_STATISTIK,
                        [](i32 team, i32 spieler, i32 wettbewerb, i32 erster, i32 letzter, i32 runde, i32 ort) {
                            std::tuple<i32, std::vector<u8>> a{0, std::vector<u8>(4 * STATISTIK_WORTE, 0)};
                            if (!team_ok(team) || spieler < -1 || spieler >= Spieler_Anzahl ||
                                (wettbewerb != -1 && !wettbewerb_ok(wettbewerb)) || ort < 0 || ort > 3)
                                return a;
                            const Statistik_Argumente s{team, spieler, wettbewerb, erster, letzter, runde, ort};
                            std::get<0>(a) = Spiele_Internet_Server_Send_Statistik(s, std::get<1>(a).data());
                            return a;
                        });
    ruf::Zeile_Anmelden(RUF_WETTBEWERB_EREIGNISSE, [](u32 schluessel) {
        std::tuple<std::vector<u8>, i32> a{};
        std::get<1>(a) = Spiele_Internet_Server_Send_Wettbewerb_Ereignisse(schluessel, Spieler_Anzahl, std::get<0>(a));
        return a;
    });
    ruf::Zeile_Anmelden(RUF_SPIELE_VERLAUF, verlauf);
    ruf::Zeile_Anmelden(RUF_STATISTIK_ARCHIV, [](i32 wettbewerb, i32 jahr, i32 k) {
        std::vector<u8> aus;
        Statistik_Internet_Server_Send_Archiv(aus, wettbewerb, jahr, k);
        return aus;
    });
    ruf::Zeile_Anmelden(RUF_STATISTIK_ARCHIV_TEAM, Statistik_Internet_Server_Send_Archiv_Team);
}

// News: only the asking team's own items leave the server, and a client
// posts for its own team (the store's row checks the sender and the text).
void news_zeilen() {
    ruf::Zeile_Anmelden(RUF_NEWS_NEU, [](std::vector<u32> bekannt, i32 team) {
        std::tuple<std::vector<u8>, i32, i32> a{{}, 0, -1};
        if (!team_ok(Aktuelles_Team) || team != Aktuelles_Team) return a;
        News_Internet_Server_1012(team, bekannt, std::get<0>(a));
        std::get<1>(a) = Kalender_Ist_Initialisiert() ? Kalender_Get_Tag() : 0;
        std::get<2>(a) = Spieltag_Get_Gegner(team, nullptr);
        return a;
    });
    ruf::Zeile_Anmelden(RUF_NEWS_EINTRAGEN,
                        [](i32 sender, i32 an, i32 an2, u32 flags, std::array<i32, 10> w, std::vector<u8> text) -> u32 {
                            if (!team_ok(Aktuelles_Team)) return 0;
                            News_Daten d;
                            std::copy(w.begin(), w.end(), d.w);
                            return News_Internet_Server_1013(Aktuelles_Team, -1, sender, an, an2, flags, d,
                                                             reinterpret_cast<const char*>(text.data()),
                                                             static_cast<u32>(text.size()));
                        });
}

void spieltag_zeilen() {
    // A client declares its team ready, or (-1) leaves: then its team is no
    // longer an active human's. Any other team changes nothing.
    ruf::Zeile_Anmelden(RUF_TEAM_BEREIT, [](i32 team) {
        if (team_ok(Aktuelles_Team) && team == Aktuelles_Team) {
            Season_Netz_Zug_Beenden(team);
        } else if (team == -1 && team_ok(Aktuelles_Team)) {
            Team_Reset_User_Active(Aktuelles_Team);
        }
        return ruf::Nichts{};
    });
    ruf::Zeile_Anmelden(RUF_NEWS_SETZEN, [](i32 id, i32 team, i32 wert, i32 modus) {
        if (team_ok(Aktuelles_Team))
            News_Internet_Server_1014(Aktuelles_Team, static_cast<u32>(id), team, static_cast<u32>(wert), modus);
        return ruf::Nichts{};
    });
    // Mode 2 books a sum for the asking team; nothing else is served, and
    // nothing at all unless the server allows it.
    ruf::Zeile_Anmelden(RUF_KALENDER_BEFEHL, [](i32 modus, i32 wert) -> i32 {
        if (!befehle_erlaubt || !team_ok(Aktuelles_Team)) return 0;
        if (modus == 2 && wert >= 1 && wert <= 10000000)
            return Bank_Buchen(-1, Aktuelles_Team, static_cast<f32>(wert), BANK_OHNE_ART, 1, 0) != 0 ? 1 : 0;
        return 0;
    });
}

}  // namespace

void Season_Netz_Anmelden() {
    kalender_zeilen();
    spiele_zeilen();
    spieltag_zeilen();
    news_zeilen();
}

i32 Season_Netz_Bereit_Tag(i32 team) {
    return team >= 0 && static_cast<size_t>(team) < bereit_tag.size() ? bereit_tag[static_cast<size_t>(team)] : -1;
}

void Season_Netz_Zug_Beenden(i32 team) {
    if (!team_ok(team)) return;
    if (Spieltag_Initialisiert() && Spieltag_Spiele_Offen()) Spieltag_Team_Bereit(team, 1);
    if (bereit_tag.size() < static_cast<size_t>(Team_Anzahl)) bereit_tag.resize(Team_Anzahl, -1);
    bereit_tag[static_cast<size_t>(team)] = Kalender_Ist_Initialisiert() ? Kalender_Get_Tag() : 0;
}

void Season_Netz_Bereit_Vergessen(i32 team) {
    if (team >= 0 && static_cast<size_t>(team) < bereit_tag.size()) bereit_tag[static_cast<size_t>(team)] = -1;
}

void Season_Netz_Befehle_Erlauben(bool an) { befehle_erlaubt = an; }

void Netz_Client_Reset() {
    if (!ruf::Client()) return;
    Wettbewerb_Internet_Client_Hole_Tabelle();
    Kalender_Internet_Client_Reset();
    Spiele_Internet_Client_Reset();
    News_Init();
}

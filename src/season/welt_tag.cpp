// The world's own daily step (see welt_tag.h).
#include "season/welt_tag.h"

#include <algorithm>
#include <map>
#include <vector>

#include "base/globals.h"
#include "base/ruf.h"
#include "season/kalender.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_werte.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/leben.h"
#include "world/manager.h"
#include "world/stadion.h"
#include "world/team.h"
#include "world/welt.h"
#include "world/werbung.h"

namespace {

// The middle value of `werte` (the upper one of an even count); 0 for none.
template <class T>
T mitte(std::vector<T>& werte) {
    if (werte.empty()) return 0;
    std::nth_element(werte.begin(), werte.begin() + static_cast<long>(werte.size() / 2), werte.end());
    return werte[werte.size() / 2];
}

// A club's ground against the median ground of its league (1 when the
// median is none).
f64 groesse(int team, i32 median) {
    return median > 0 ? static_cast<f64>(Stadion_Get_Kapazitaet(team)) / median : 1;
}

}  // namespace

f64 Welt_Tag_Groesse(int team, i32 liga) {
    std::vector<i32> plaetze;
    for (int t = 0; t < Team_Anzahl; ++t)
        if (Team_Ist_Verein(t) && Wettbewerb_Get_Liga_Von_Team(t, true) == liga)
            plaetze.push_back(Stadion_Get_Kapazitaet(t));
    if (plaetze.empty()) return 1;
    return groesse(team, mitte(plaetze));
}

namespace {

// The median wage bill of the league's clubs.
f64 liga_gehalt(i32 liga) {
    std::vector<f64> g;
    for (int t = 0; t < Team_Anzahl; ++t)
        if (Team_Ist_Verein(t) && Wettbewerb_Get_Liga_Von_Team(t, true) == liga) g.push_back(Leben_Gehaltssumme(t));
    return mitte(g);
}

// A club's standing for the star places: the mean fine strength of its
// eleven best players.
i32 elf_staerke(int t) {
    std::vector<i32> f;
    for (int i = 0; i < Team_Kader_Anzahl(t); ++i) f.push_back(Spieler_Daten[Team_Kader(t)[i]].staerke_fein);
    const size_t n = std::min<size_t>(f.size(), 11);
    std::partial_sort(f.begin(), f.begin() + static_cast<long>(n), f.end(), std::greater<i32>());
    i64 summe = 0;
    for (size_t i = 0; i < n; ++i) summe += f[i];
    return n ? static_cast<i32>(summe / static_cast<i64>(n)) : 0;
}

}  // namespace

i32 Welt_Tag_Naechste_Liga(int team) {
    if (!Wettbewerb_Tabelle || team < 0 || team >= Team_Anzahl) return -1;
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        const Wettbewerb& w = Wettbewerb_Tabelle[i];
        if (!w.name[0] || !w.basisliga) continue;
        for (int k = 0; k < std::clamp(w.startteam_anzahl, 0, WETTBEWERB_MAX_TEAMS); ++k)
            if (w.start_team[k] == team) return w.id;
    }
    return Wettbewerb_Get_Liga_Von_Team(team, true);
}

Leben_Sterne Welt_Tag_Sterne(bool naechste_saison) {
    Leben_Sterne sterne;
    sterne.plaetze.assign(static_cast<size_t>(std::max(0, Team_Anzahl)), -1);
    sterne.liga.assign(static_cast<size_t>(std::max(0, Team_Anzahl)), -1);
    sterne.stufe.assign(static_cast<size_t>(std::max(0, Team_Anzahl)), 0);
    std::vector<i32>& plaetze = sterne.plaetze;
    std::map<i32, std::vector<int>> ligen;
    for (int t = 0; t < Team_Anzahl; ++t)
        if (Team_Ist_Verein(t)) {
            plaetze[static_cast<size_t>(t)] = 0;
            const i32 liga = naechste_saison ? Welt_Tag_Naechste_Liga(t) : Wettbewerb_Get_Liga_Von_Team(t, true);
            if (liga >= 0) ligen[liga].push_back(t);
            sterne.liga[static_cast<size_t>(t)] = liga;
            if (liga >= 0) sterne.stufe[static_cast<size_t>(t)] = Wettbewerb_Get_Wettbewerb_Prozent(liga);
        }
    for (auto& [liga, clubs] : ligen) {
        i32 auf = 0, ab = 0;
        Wettbewerb_Get_Auf_Abstieg(liga, &auf, &ab);
        // Only a top division with divisions below it holds star places, and
        // they follow the clubs' standing, not their grounds. Why: a star
        // talent lifts a club of a weaker league most, so the places of a
        // lower division's (or a small country's) biggest grounds, and of a
        // top division's big ground with a middling squad, made the same
        // clubs the world's biggest risers in nearly every game.
        if (auf > 0 || ab <= 0) continue;
        std::vector<std::pair<i32, int>> stand;  // (standing, club), ties by the ground
        for (int t : clubs) stand.emplace_back(elf_staerke(t), t);
        std::stable_sort(stand.begin(), stand.end(), [](const auto& a, const auto& b) {
            if (a.first != b.first) return a.first > b.first;
            return Stadion_Get_Kapazitaet(a.second) > Stadion_Get_Kapazitaet(b.second);
        });
        for (size_t i = 0; i < stand.size() && i < std::size(WELT_STERNPLAETZE_OBEN); ++i)
            plaetze[static_cast<size_t>(stand[i].second)] = WELT_STERNPLAETZE_OBEN[i];
    }
    return sterne;
}

Welt_Tag_Ligen Welt_Tag_Ligen_Erfassen() {
    Welt_Tag_Ligen l;
    l.liga.assign(static_cast<size_t>(std::max(0, Team_Anzahl)), -1);
    std::map<i32, std::vector<f64>> gehaelter;
    std::map<i32, std::vector<i32>> plaetze;
    for (int t = 0; t < Team_Anzahl; ++t) {
        if (!Team_Ist_Verein(t)) continue;
        const i32 liga = Wettbewerb_Get_Liga_Von_Team(t, true);
        l.liga[static_cast<size_t>(t)] = liga;
        gehaelter[liga].push_back(Leben_Gehaltssumme(t));
        plaetze[liga].push_back(Stadion_Get_Kapazitaet(t));
    }
    for (auto& [liga, g] : gehaelter) l.gehalt[liga] = mitte(g);
    for (auto& [liga, p] : plaetze) l.platz[liga] = mitte(p);
    return l;
}

f64 Welt_Tag_Ligen::Gehalt(int team) const {
    if (team < 0 || static_cast<size_t>(team) >= liga.size() || liga[static_cast<size_t>(team)] < 0) return 0;
    return gehalt.at(liga[static_cast<size_t>(team)]);
}

f64 Welt_Tag_Ligen::Groesse(int team) const {
    if (team < 0 || static_cast<size_t>(team) >= liga.size() || liga[static_cast<size_t>(team)] < 0) return 1;
    return groesse(team, platz.at(liga[static_cast<size_t>(team)]));
}

f64 Welt_Tag_Sponsorgeld(int team) {
    const i32 liga = Wettbewerb_Get_Liga_Von_Team(team, true);
    return liga < 0 ? 0 : Werbung_Sponsorgeld(team, liga_gehalt(liga), Welt_Tag_Groesse(team, liga));
}

namespace {

// Books a computer club's spending of its surplus beyond the reserve its
// league's median wage bill and its ground's size give.
f64 ueberschuss_ausgeben(int team, f64 gehalt, f64 groesse) {
    const f64 geld = Werbung_Ueberschuss(team, gehalt, groesse) * WELT_UEBERSCHUSS_PROZENT / 100;
    if (geld < 1 || !Bank_Buchen(team, -1, static_cast<f32>(geld), BANK_TRAINING, 1, -1)) return 0;
    return geld;
}

bool gibt_ueberschuss_aus(int team) {
    return team >= 0 && team < Team_Anzahl && !Team_Hat_Manager(team) && Bank_Konto_Offen(team);
}

}  // namespace

f64 Welt_Tag_Ueberschuss_Ausgeben(int team) {
    if (!gibt_ueberschuss_aus(team)) return 0;
    const i32 liga = Wettbewerb_Get_Liga_Von_Team(team, true);
    if (liga < 0) return 0;
    return ueberschuss_ausgeben(team, liga_gehalt(liga), Welt_Tag_Groesse(team, liga));
}

i32 Welt_Tag_Deals(int team, const Leben_Sterne& naechste) {
    if (team < 0 || team >= Team_Anzahl || static_cast<size_t>(team) >= naechste.stufe.size()) return 0;
    const i32 jetzt = Wettbewerb_Get_Liga_Von_Team(team, true);
    const bool aufsteiger = jetzt >= 0 && naechste.liga[static_cast<size_t>(team)] >= 0 &&
                            naechste.stufe[static_cast<size_t>(team)] > Wettbewerb_Get_Wettbewerb_Prozent(jetzt);
    return aufsteiger ? WELT_DEALS_AUFSTEIGER : WELT_DEALS;
}

namespace {

// The day's changes to the players, the clubs' money and squads.
void tag_schritte(bool neuer_monat, bool neue_saison) {
    Leben_Erholung();
    if (neue_saison) {
        const Leben_Sterne sterne = Welt_Tag_Sterne();
        Leben_Saisonwechsel(2003 + Kalender_Get_Jahr(), &sterne);
    }
    if (!neuer_monat) return;
    Bank_Neue_Periode();
    Leben_Moral_Monat();
    const Welt_Tag_Ligen ligen = Welt_Tag_Ligen_Erfassen();
    for (int t = 0; t < Team_Anzahl; ++t) {
        if (!Team_Ist_Verein(t) || !Bank_Konto_Offen(t)) continue;
        Leben_Gehaelter_Zahlen(t);
        if (ligen.liga[static_cast<size_t>(t)] < 0) continue;
        Werbung_Sponsorgeld_Buchen(t, ligen.Gehalt(t), ligen.Groesse(t));
        if (gibt_ueberschuss_aus(t)) ueberschuss_ausgeben(t, ligen.Gehalt(t), ligen.Groesse(t));
    }
    // The transfer windows: computer clubs trade with the market as their
    // money says, at most twice a window (a promoted club more often).
    const i32 monat = Kalender_Get_Datum().monat;
    if (monat == 7 || monat == 8 || monat == 1) {
        // A star is signed for an open star place or when the club needs
        // him (world/leben.h). A club trades with clubs of its own division
        // level.
        const Leben_Sterne sterne = Welt_Tag_Sterne(true);
        const i32 jahr = 2003 + Kalender_Get_Jahr();
        for (int t = 0; t < Team_Anzahl; ++t)
            for (int i = 0; i < Welt_Tag_Deals(t, sterne); ++i) {
                const i32 p = sterne.plaetze[static_cast<size_t>(t)];
                if (!Leben_Transfer(t, p < 0 ? -1 : std::max(0, p - Leben_Stars_Belegt(t, jahr, true)), &sterne.stufe,
                                    &sterne.plaetze))
                    break;
            }
    }
}

}  // namespace

void Welt_Tag(bool neuer_monat, bool neue_saison) {
    if (ruf::Client()) return;
    tag_schritte(neuer_monat, neue_saison);
    // Last, after the day's changes: the managed clubs' line-ups.
    Aufstellung_Verwaltete_Pruefen();
}

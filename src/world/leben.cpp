// A world that lives from season to season (see leben.h).
#include "world/leben.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/random.h"
#include "base/ruf.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/spieler.h"
#include "world/stadion.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

Welt_Zahlen zahlen;

bool spieler_ok(int s) { return s >= 0 && s < Spieler_Anzahl; }

// The squad's eleven strongest, strongest first.
std::vector<int> elf_von(int team) {
    std::vector<int> k(Team_Kader(team), Team_Kader(team) + Team_Kader_Anzahl(team));
    std::stable_sort(k.begin(), k.end(),
                     [](int a, int b) { return Spieler_Daten[a].staerke_fein > Spieler_Daten[b].staerke_fein; });
    if (k.size() > 11) k.resize(11);
    return k;
}

// The mean fine strength of a squad's eleven best (0 for an empty squad).
i32 niveau_von(int team) {
    const std::vector<int> elf = elf_von(team);
    i64 summe = 0;
    for (int s : elf) summe += Spieler_Daten[s].staerke_fein;
    return elf.empty() ? 0 : static_cast<i32>(summe / static_cast<i64>(elf.size()));
}

// What a star costs the buyer: his value with LEBEN_WECHSEL_AUFSCHLAG, less
// the value of the player going to the seller in part payment.
f64 star_preis(int star, int teilzahlung) {
    return static_cast<f64>(Spieler_Berechne_Marktwert(star)) * LEBEN_WECHSEL_AUFSCHLAG / 100.0 -
           Spieler_Berechne_Marktwert(teilzahlung);
}

void staerke_setzen(Spieler_Struktur& p, i32 fein) {
    fein = std::clamp(fein, 300, 12000);
    p.staerke_fein = static_cast<u16>(fein);
    p.staerke = static_cast<u8>(std::min(12, fein / 1000));
}

// The world's full names (first name and surname) and how many players
// carry each: a youth player gets a name nobody in the world carries. Kept
// while a season change draws names, else built for the one youth player.
std::unordered_map<std::string, int> namen;
bool namen_gebaut = false;

std::string voller_name(const char* vor, const char* nach) {
    std::string n(vor, strnlen(vor, sizeof Spieler_Client_Egal::vorname));
    n += '\x1f';
    n.append(nach, strnlen(nach, sizeof Spieler_Client_Egal::nachname));
    return n;
}
std::string voller_name(int s) { return voller_name(Spieler_Texte[s].vorname, Spieler_Texte[s].nachname); }

// The table lives only through a season change: its buckets (one for every
// player of the world) go back with it, not kept for the year between.
void namen_loslassen() {
    std::unordered_map<std::string, int>().swap(namen);
    namen_gebaut = false;
}

void namen_aufbauen() {
    namen.clear();
    namen.reserve(static_cast<size_t>(std::max(0, Spieler_Anzahl)));
    for (int s = 0; s < Spieler_Anzahl; ++s) namen[voller_name(s)]++;
    namen_gebaut = true;
}

void name_abmelden(int s) {
    if (auto it = namen.find(voller_name(s)); it != namen.end() && --it->second <= 0) namen.erase(it);
}

// A name of the world's pool: a first name and a surname of two players,
// of the wanted nation where one is found. When the pair is in use, the
// surnames of the players that follow the drawn one are tried in turn (the
// wanted nation's first, then any), then the first names: no draw of its
// own, so the season change keeps its share of the random table.
void name_ziehen(int s, i16 nation) {
    auto zufall_spieler = [&]() {
        int kandidat = Rnd_Basis(0, Spieler_Anzahl - 1);
        for (int i = 0; i < 40 && Spieler_Fix_Daten[kandidat].nation != nation; ++i)
            kandidat = Rnd_Basis(0, Spieler_Anzahl - 1);
        return kandidat;
    };
    int vor = zufall_spieler(), nach = zufall_spieler();
    const bool selbst_gebaut = !namen_gebaut;
    if (selbst_gebaut) namen_aufbauen();
    name_abmelden(s);
    auto frei = [&](int v, int n) {
        return !namen.count(voller_name(Spieler_Texte[v].vorname, Spieler_Texte[n].nachname));
    };
    if (!frei(vor, nach)) {
        bool gefunden = false;
        for (int runde = 0; runde < 3 && !gefunden; ++runde)
            for (int k = 1; k < Spieler_Anzahl && !gefunden; ++k) {
                // Rounds: other surnames of the nation, any surname, other first names.
                const int x = (runde == 2 ? vor : nach + k) % Spieler_Anzahl;
                const int y = runde == 2 ? (vor + k) % Spieler_Anzahl : x;
                if (runde == 0 && Spieler_Fix_Daten[x].nation != nation) continue;
                if (runde < 2 && frei(vor, x)) nach = x, gefunden = true;
                if (runde == 2 && frei(y, nach)) vor = y, gefunden = true;
            }
    }
    Spieler_Client_Egal& t = Spieler_Texte[s];
    if (vor != s) std::memcpy(t.vorname, Spieler_Texte[vor].vorname, sizeof t.vorname);
    if (nach != s) std::memcpy(t.nachname, Spieler_Texte[nach].nachname, sizeof t.nachname);
    t.vorname[sizeof t.vorname - 1] = 0;
    t.nachname[sizeof t.nachname - 1] = 0;
    Spieler_Fix_Daten[s].haarfarbe = Spieler_Fix_Daten[nach].haarfarbe;
    Spieler_Fix_Daten[s].hautfarbe = Spieler_Fix_Daten[nach].hautfarbe;
    namen[voller_name(s)]++;
    if (selbst_gebaut) namen_loslassen();
}

}  // namespace

const Welt_Zahlen& Welt_Zahlen_Lesen() { return zahlen; }
void Welt_Zahlen_Zuruecksetzen() { zahlen = Welt_Zahlen{}; }

i32 Leben_Staerke_Aenderung(i32 alter, bool torwart, i32 fein, i32 max_staerke, i32 talent, i32 zufall) {
    const i32 k = torwart ? LEBEN_TORWART_PLUS : 0;
    const i32 potenzial = std::min(12000, std::clamp(max_staerke, 0, 12) * 1000 + 500);
    const i32 luft = std::max(0, potenzial - fein);
    zufall = std::clamp(zufall, -100, 100);
    if (alter <= 23 + k) return luft * (25 + std::clamp(talent, 0, 50) / 2) / 100 + zufall;
    if (alter <= 27 + k) return luft * 15 / 100 + zufall * 3 / 2;
    if (alter < LEBEN_ABBAU_AB + k) return zufall * 2 - 25;
    const i32 abbau = (alter - (LEBEN_ABBAU_AB + k) + 1) * 200 + zufall + 100;
    return -abbau * std::clamp(fein, 0, LEBEN_ABBAU_VOLL) / LEBEN_ABBAU_VOLL;
}

i32 Leben_Ruecktritt_Prozent(i32 alter, bool torwart, i32 fein) {
    const i32 ab = LEBEN_RUECKTRITT_AB + (torwart ? LEBEN_TORWART_PLUS : 0);
    if (alter < ab) return fein < 1500 && alter >= ab - 3 ? 20 : 0;
    if (alter >= std::min(ab + 5, LEBEN_RUECKTRITT_SPAETESTENS)) return 100;
    return std::min(100, 20 + (alter - ab) * 20 + (fein < 3000 ? 20 : 0));
}

i32 Leben_Stars_Belegt(int team, i32 jahr, bool alle_stars) {
    if (team < 0 || team >= Team_Anzahl) return 0;
    i32 n = 0;
    for (int i = 0; i < Team_Kader_Anzahl(team); ++i) {
        const int s = Team_Kader(team)[i];
        const Spieler_Struktur& p = Spieler_Daten[s];
        const i32 alter = jahr - Spieler_Fix_Daten[s].geburtsjahr;
        if (p.staerke_fein >= LEBEN_STAR_FEIN ? alle_stars || alter <= LEBEN_STAR_BIS
                                               : p.max_staerke >= LEBEN_STAR_FEIN / 1000 && alter <= LEBEN_TALENT_BIS)
            ++n;
    }
    return n;
}

void Leben_Jugendspieler(int s, i32 jahr, i32 niveau, Leben_Stern stern) {
    if (!spieler_ok(s)) return;
    Spieler_Struktur& p = Spieler_Daten[s];
    Spieler_Fix& f = Spieler_Fix_Daten[s];
    name_ziehen(s, f.nation);
    f.geburtsjahr = jahr - Rnd_Basis(16, 18);
    f.aussehen = static_cast<u32>(Rnd_Basis(0, 32767)) << 15 | static_cast<u32>(Rnd_Basis(0, 32767));
    // The potential around the club's level (LEBEN_JUGEND_VON to
    // LEBEN_JUGEND_BIS per cent of it); one youth player in ten is a rare
    // talent, LEBEN_SELTEN_PROZENT of that, at a small club too (without
    // them too few stars came through once the shipped ones had retired).
    // The step (max_staerke) is rounded at random so that the potential a
    // player grows towards (the step's middle) is the drawn one on average:
    // whole steps drawn around the level, the lowest held at one, lifted
    // every small club's youth (a step is two thirds of a third division's
    // level).
    i32 ziel = niveau * Rnd_Basis(LEBEN_JUGEND_VON, LEBEN_JUGEND_BIS) / 100;
    if (Rnd_Basis(0, 9) == 0) ziel = ziel * LEBEN_SELTEN_PROZENT / 100;
    i32 max = std::clamp((std::max(0, ziel - 500) + Rnd_Basis(0, 999)) / 1000, 0, 12);
    constexpr i32 star = LEBEN_STAR_FEIN / 1000;
    if (stern == Leben_Stern::talent) max = std::max(max, star);
    if (stern == Leben_Stern::darunter) max = std::min(max, star - 1);
    const i32 talent = Rnd_Basis(1, 50);
    const u32 behalten = SP_STATUS_AUFGESTELLT | SP_STATUS_ERSATZ | SP_STATUS_RESERVE;
    const Spieler_Struktur alt = p;
    p = Spieler_Struktur{};
    p.team = alt.team;
    p.slot = alt.slot;
    p.spalte = alt.spalte;
    p.zeile = alt.zeile;
    p.rueckennummer = alt.rueckennummer;
    p.status = alt.status & behalten;
    p.wettbewerb = alt.wettbewerb;
    p.gedeckt_von = -1;
    p.moral = 3;
    p.max_staerke = static_cast<u8>(max);
    p.wert74 = static_cast<u8>(talent);
    staerke_setzen(p, (max * 1000 + 500) * Rnd_Basis(45, 65) / 100);
    p.marktwert = Spieler_Berechne_Marktwert(s);
    Spieler_Flags[s] = 1;
    zahlen.jugend++;
}

void Leben_Saisonwechsel(i32 jahr, const Leben_Sterne* sterne) {
    if (ruf::Client()) return;
    if (sterne && sterne->plaetze.size() != static_cast<size_t>(Team_Anzahl)) sterne = nullptr;
    namen_aufbauen();
    std::vector<i32> niveau(static_cast<size_t>(Team_Anzahl), 0);
    for (int t = 0; t < Team_Anzahl; ++t) niveau[static_cast<size_t>(t)] = niveau_von(t);
    // Each club's median player, and each league's median club by it.
    auto eigener_median = [](int t) {
        std::vector<i32> eigen;
        for (int i = 0; i < Team_Kader_Anzahl(t); ++i) eigen.push_back(Spieler_Daten[Team_Kader(t)[i]].staerke_fein);
        std::sort(eigen.begin(), eigen.end());
        return eigen.empty() ? 0 : eigen[eigen.size() / 2];
    };
    std::map<i32, std::vector<i32>> liga_mediane;
    if (sterne && sterne->liga.size() == static_cast<size_t>(Team_Anzahl))
        for (int t = 0; t < Team_Anzahl; ++t)
            if ((Team_Daten[t].art & TEAM_ART_VEREIN) && sterne->liga[static_cast<size_t>(t)] >= 0 &&
                Team_Kader_Anzahl(t) > 0)
                liga_mediane[sterne->liga[static_cast<size_t>(t)]].push_back(eigener_median(t));
    std::map<i32, i32> liga_median;
    for (auto& [l, v] : liga_mediane) {
        std::sort(v.begin(), v.end());
        liga_median[l] = v[v.size() / 2];
    }
    for (int t = 0; t < Team_Anzahl; ++t) {
        // Clubs, national teams (their own squads) and the market. Without
        // the list of leagues a club's youth comes at the level its ground
        // stands for; a national team's at its squad's.
        if (!(Team_Daten[t].art & (TEAM_ART_VEREIN | TEAM_ART_NATIONALTEAM)) && t != Team_Transfermarkt) continue;
        i32 club_niveau = (Team_Daten[t].art & TEAM_ART_VEREIN) ? 3000 + Stadion_Get_Kapazitaet(t) / 10
                                                                : niveau[static_cast<size_t>(t)];
        // In a league the youth comes at the level of the club's own median
        // player, the ground drawing nothing more: at its league's median
        // player (times the ground's root against the league's) a promoted
        // club's youth came at once at its new division's level and a big
        // ground's at more, and the same few clubs of second divisions with
        // big grounds were among the world's five biggest risers in more
        // than half the runs. Not around the eleven best: the strongest of
        // each year's youth would lift the eleven again. A quarter of the
        // way to its league's median club (LEBEN_JUGEND_LIGA_TEIL): an early
        // rise is not kept for good.
        if (sterne && (Team_Daten[t].art & TEAM_ART_VEREIN) && sterne->liga.size() == static_cast<size_t>(Team_Anzahl) &&
            sterne->liga[static_cast<size_t>(t)] >= 0 && Team_Kader_Anzahl(t) > 0) {
            club_niveau = eigener_median(t);
            club_niveau += (liga_median[sterne->liga[static_cast<size_t>(t)]] - club_niveau) / LEBEN_JUGEND_LIGA_TEIL;
        }
        const i32 stufe = sterne && sterne->stufe.size() == static_cast<size_t>(Team_Anzahl) &&
                                  (Team_Daten[t].art & TEAM_ART_VEREIN)
                              ? std::clamp(sterne->stufe[static_cast<size_t>(t)], 0, 100)
                              : 0;
        // Open star places: the market has none, a negative entry holds nothing.
        i32 offen = -1;
        if (sterne) {
            const i32 plaetze = t == Team_Transfermarkt ? 0 : sterne->plaetze[static_cast<size_t>(t)];
            if (plaetze >= 0) offen = std::max(0, plaetze - Leben_Stars_Belegt(t, jahr, false));
        }
        for (int i = 0; i < Team_Kader_Anzahl(t); ++i) {
            const int s = Team_Kader(t)[i];
            Spieler_Struktur& p = Spieler_Daten[s];
            const Spieler_Fix& f = Spieler_Fix_Daten[s];
            const bool torwart = f.position == 0;
            const i32 alter = jahr - f.geburtsjahr;
            if (Rnd_Basis(0, 99) < Leben_Ruecktritt_Prozent(alter, torwart, p.staerke_fein)) {
                zahlen.ruecktritte++;
                // An open place draws a talent at most once a season, so the
                // places of a club do not all fill in the same year (a wave
                // of stars that ages together). No draw of its own: the
                // season change keeps its share of the random table.
                Leben_Stern stern = offen < 0 ? Leben_Stern::frei : Leben_Stern::darunter;
                if (offen > 0) {
                    stern = Leben_Stern::talent;
                    offen = 0;
                }
                // The market's youth comes at the potential of the player
                // he succeeds: the market keeps its mix (a fixed range of
                // 2,000 to 8,000 made it stronger than the lower divisions,
                // who then bought their way up).
                Leben_Jugendspieler(s, jahr, t == Team_Transfermarkt ? p.max_staerke * 1000 + 500 : club_niveau, stern);
                continue;
            }
            i32 d =
                Leben_Staerke_Aenderung(alter, torwart, p.staerke_fein, p.max_staerke, p.wert74, Rnd_Basis(-100, 100));
            // A young player grows as fast as his division trains: in a
            // division of level L per cent at L per cent of the pace, at
            // least LEBEN_TEMPO_MIN.
            if (d > 0 && stufe > 0) d = d * std::max(stufe, LEBEN_TEMPO_MIN) / 100;
            staerke_setzen(p, p.staerke_fein + d);
            p.marktwert = Spieler_Berechne_Marktwert(s);
            Spieler_Flags[s] = 1;
        }
    }
    namen_loslassen();
}

namespace {

constexpr u32 NICHT_KAEUFLICH = SP_STATUS_SCOUT | SP_STATUS_NICHT_SPIELBEREIT;

// A computer club whose players other computer clubs may sign.
bool handelt(int t) {
    return Team_Ist_Verein(t) && !Team_Hat_Manager(t) && Bank_Konto_Offen(t);
}

// Proceeds and price through the bank (transfer kinds): `zahler` -1 is the market.
void bezahlen(int zahler, int empfaenger, f64 betrag) {
    if (betrag < 1) return;
    if (empfaenger >= 0) Bank_Buchen(-1, empfaenger, static_cast<f32>(betrag), BANK_TRANSFER_EINNAHME, 1, -1);
    if (zahler >= 0) Bank_Buchen(zahler, -1, static_cast<f32>(betrag), BANK_TRANSFER_AUSGABE, 1, -1);
}

// The squad's weakest player.
int schwaechster(int team) {
    int ab = -1;
    for (int i = 0; i < Team_Kader_Anzahl(team); ++i) {
        const int s = Team_Kader(team)[i];
        if (ab < 0 || Spieler_Daten[s].staerke_fein < Spieler_Daten[ab].staerke_fein) ab = s;
    }
    return ab;
}

// A player another computer club lets go, found among LEBEN_WECHSEL_BLICK
// players of the world drawn from the shared random table: of the position,
// stronger than `besser_als` and at most `hoechstens`, costing his value and
// the seller's premium within the budget; the strongest of them. A star only
// for an open star place.
int vereinsspieler_suchen(int team, int position, i32 besser_als, i32 hoechstens, f64 budget, i32 offene_sternplaetze,
                          const std::vector<i32>* stufen) {
    int zu = -1;
    for (int k = 0; k < LEBEN_WECHSEL_BLICK; ++k) {
        const int s = Rnd_Basis(0, Spieler_Anzahl - 1);
        const Spieler_Struktur& p = Spieler_Daten[s];
        if (p.team == team || !handelt(p.team) || Spieler_Fix_Daten[s].position != position ||
            (stufen && (*stufen)[static_cast<size_t>(p.team)] != (*stufen)[static_cast<size_t>(team)]) ||
            (p.status & NICHT_KAEUFLICH) || p.staerke_fein <= besser_als || p.staerke_fein > hoechstens ||
            static_cast<f64>(Spieler_Berechne_Marktwert(s)) * LEBEN_WECHSEL_AUFSCHLAG / 100.0 > budget ||
            (p.staerke_fein >= LEBEN_STAR_FEIN && offene_sternplaetze == 0))
            continue;
        if (zu < 0 || p.staerke_fein > Spieler_Daten[zu].staerke_fein) zu = s;
    }
    return zu;
}

// The squad's weakest player of a position, -1.
int schwaechster_auf(int team, int position) {
    int ab = -1;
    for (int i = 0; i < Team_Kader_Anzahl(team); ++i) {
        const int s = Team_Kader(team)[i];
        if (Spieler_Fix_Daten[s].position == position &&
            (ab < 0 || Spieler_Daten[s].staerke_fein < Spieler_Daten[ab].staerke_fein))
            ab = s;
    }
    return ab;
}

i32 stars_im_kader(int team) {
    i32 n = 0;
    for (int i = 0; i < Team_Kader_Anzahl(team); ++i) n += Spieler_Daten[Team_Kader(team)[i]].staerke_fein >= LEBEN_STAR_FEIN;
    return n;
}

}  // namespace

int Leben_Verdraengt(int team, int position) {
    if (team < 0 || team >= Team_Anzahl) return -1;
    int ab = -1;
    for (int s : elf_von(team))
        if (Spieler_Fix_Daten[s].position == position &&
            (ab < 0 || Spieler_Daten[s].staerke_fein < Spieler_Daten[ab].staerke_fein))
            ab = s;
    return ab >= 0 ? ab : schwaechster_auf(team, position);
}

namespace {

// The star another computer club lets go to `team` (see Leben_Transfer),
// -1: the strongest the money reaches. `plaetze` may be null (no places held).
int star_suchen(int team, f64 konto, f64 monat, i32 offene_sternplaetze, const std::vector<i32>* plaetze,
                const std::vector<i32>* stufen) {
    // Without money beyond the reserve no star comes: the world's players
    // are not looked through.
    if (konto <= monat * (offene_sternplaetze > 0 ? LEBEN_RESERVE_MONATE : LEBEN_STAR_RESERVE_MONATE)) return -1;
    const i32 eigene = plaetze ? std::max(0, (*plaetze)[static_cast<size_t>(team)]) : 0;
    const i32 niveau = niveau_von(team);
    int verdraengt[4] = {-2, -2, -2, -2};  // per position, filled when first asked
    int zu = -1;
    // Seller -> lets a star go to this club: for an open place (it holds
    // more stars than places, fewer places than this club or a weaker
    // eleven), to a club that needs him (a weaker eleven).
    std::map<int, std::pair<bool, bool>> gibt_ab;
    for (int s = 0; s < Spieler_Anzahl; ++s) {
        const Spieler_Struktur& p = Spieler_Daten[s];
        if (p.staerke_fein < LEBEN_STAR_KLASSE || p.team == team || p.team < 0 || p.team >= Team_Anzahl ||
            !handelt(p.team) || (p.status & NICHT_KAEUFLICH) ||
            (stufen && (*stufen)[static_cast<size_t>(p.team)] != (*stufen)[static_cast<size_t>(team)]) ||
            (zu >= 0 && p.staerke_fein <= Spieler_Daten[zu].staerke_fein))
            continue;
        auto [it, neu] = gibt_ab.try_emplace(p.team, false, false);
        if (neu) {
            const i32 ihre = plaetze ? std::max(0, (*plaetze)[static_cast<size_t>(p.team)]) : 0;
            it->second.second = niveau_von(p.team) + LEBEN_STAR_GEFAELLE <= niveau;
            it->second.first = (plaetze && (ihre < eigene || stars_im_kader(p.team) > ihre)) || it->second.second;
        }
        const bool platz = offene_sternplaetze > 0 && p.staerke_fein >= LEBEN_STAR_FEIN && it->second.first;
        if (!platz && !it->second.second) continue;
        const int position = Spieler_Fix_Daten[s].position;
        if (position < 0 || position > 3) continue;
        if (verdraengt[position] == -2) verdraengt[position] = Leben_Verdraengt(team, position);
        const int ab = verdraengt[position];
        if (ab < 0) continue;
        if (!platz && p.staerke_fein - Spieler_Daten[ab].staerke_fein < LEBEN_STAR_BEDARF) continue;
        const f64 geld =
            (konto - monat * (platz ? LEBEN_RESERVE_MONATE : LEBEN_STAR_RESERVE_MONATE)) * LEBEN_STAR_AUSGABE_PROZENT / 100;
        if (star_preis(s, ab) > geld) continue;
        zu = s;
    }
    return zu;
}

}  // namespace

bool Leben_Transfer(int team, i32 offene_sternplaetze, const std::vector<i32>* stufen,
                    const std::vector<i32>* sternplaetze) {
    if (ruf::Client() || !handelt(team)) return false;
    if (stufen && stufen->size() != static_cast<size_t>(Team_Anzahl)) stufen = nullptr;
    if (sternplaetze && sternplaetze->size() != static_cast<size_t>(Team_Anzahl)) sternplaetze = nullptr;
    const int m = Team_Transfermarkt;
    if (m < 0 || m >= Team_Anzahl) return false;
    const f64 jahr = Leben_Gehaltssumme(team) * 12;
    const f64 konto = Bank_Get_Kontostand(team, 0, -1);
    const int n = Team_Kader_Anzahl(team);
    if (n == 0 || Team_Kader_Anzahl(m) == 0) return false;
    const f64 monat = jahr / 12;
    auto markt_passt = [&](int s, int position) {
        return Spieler_Fix_Daten[s].position == position && !(Spieler_Daten[s].status & NICHT_KAEUFLICH);
    };
    if (konto < -monat * LEBEN_MINUS_MONATE) {
        // In the red: the best-paid player goes to the market for four
        // fifths of his value, the strongest market player of his position
        // who costs at most a quarter of it comes.
        int ab = -1, zu = -1;
        for (int i = 0; i < n; ++i) {
            const int s = Team_Kader(team)[i];
            if (ab < 0 || Spieler_Berechne_Gehalt(s) > Spieler_Berechne_Gehalt(ab)) ab = s;
        }
        const f64 wert = Spieler_Berechne_Marktwert(ab);
        for (int i = 0; i < Team_Kader_Anzahl(m); ++i) {
            const int s = Team_Kader(m)[i];
            if (!markt_passt(s, Spieler_Fix_Daten[ab].position) || Spieler_Berechne_Marktwert(s) > wert / 4) continue;
            if (zu < 0 || Spieler_Daten[s].staerke_fein > Spieler_Daten[zu].staerke_fein) zu = s;
        }
        if (zu < 0 || !Team_Spieler_Tauschen(team, m, ab, zu, 0)) return false;
        Spieler_Flags[ab] = Spieler_Flags[zu] = 1;
        bezahlen(-1, team, wert * 0.8);
        bezahlen(team, -1, Spieler_Berechne_Marktwert(zu));
        zahlen.transfers++;
        return true;
    }
    const f64 reserve = monat * LEBEN_RESERVE_MONATE;
    if (konto <= reserve) return false;
    // More than LEBEN_RESERVE_MONATE months' wages in the bank: the club
    // strengthens where its weakest player plays, spending at most
    // LEBEN_AUSGABE_PROZENT of what it holds beyond them (the rest stays for
    // the wages), on a player at most LEBEN_KAUF_UEBER above its eleven's
    // level (a club grows step by step, not by buying a team): another
    // computer club's player of its own division level when the levels are
    // given (for his value and LEBEN_WECHSEL_AUFSCHLAG, the weakest going
    // to the seller in part payment at his value), or a star of the market
    // for an open star place when he is a class better (the weakest going
    // there for four fifths of his value), or an ordinary market player
    // who fills its squad. Deals across the levels, and the market's
    // ordinary players as signings, handed the upper divisions' reserves
    // down as the lower divisions' best: in twenty seasons the second
    // division rose by half, the third doubled.
    // First a star of another computer club of its level (see leben.h):
    // for an open star place, or one it needs, above the club's level as a
    // star is, the displaced player going to the seller in part payment.
    if (const int star =
            star_suchen(team, konto, monat, offene_sternplaetze, sternplaetze, stufen);
        star >= 0) {
        const int gibt = Leben_Verdraengt(team, Spieler_Fix_Daten[star].position);
        const int verkaeufer = Spieler_Daten[star].team;
        if (gibt >= 0 && Team_Spieler_Tauschen(team, verkaeufer, gibt, star, 0)) {
            Spieler_Flags[gibt] = Spieler_Flags[star] = 1;
            bezahlen(team, verkaeufer, star_preis(star, gibt));
            zahlen.transfers++;
            zahlen.vereinswechsel += 2;
            return true;
        }
    }
    const int ab = schwaechster(team);
    const i32 position = Spieler_Fix_Daten[ab].position;
    const f64 budget = (konto - reserve) * LEBEN_AUSGABE_PROZENT / 100;
    const i32 hoechstens = niveau_von(team) + LEBEN_KAUF_UEBER;
    const i32 besser_als = Spieler_Daten[ab].staerke_fein;
    const f64 wert_ab = Spieler_Berechne_Marktwert(ab);
    const int verein_zu =
        vereinsspieler_suchen(team, position, besser_als, hoechstens, budget + wert_ab, offene_sternplaetze, stufen);
    const f64 erloes = wert_ab * 0.8;
    int zu = -1;
    // The market's player: a star for an open star place within the club's
    // reach (for the weakest player), or an ordinary player no stronger
    // than the weakest of its eleven for the weakest player grown to his
    // potential (a young one keeps his place) when he is below
    // LEBEN_MARKT_BEDARF_PROZENT of that: the club fills its squad from the
    // market, which never lifts its eleven.
    const std::vector<int> elf = elf_von(team);
    const i32 elf_letzter = elf.empty() ? 0 : Spieler_Daten[elf.back()].staerke_fein;
    int ab_markt = -1;
    for (int i = 0; i < n; ++i) {
        const int s = Team_Kader(team)[i];
        const Spieler_Struktur& p = Spieler_Daten[s];
        if (p.max_staerke * 1000 - p.staerke_fein <= LEBEN_AUSGEWACHSEN &&
            (ab_markt < 0 || p.staerke_fein < Spieler_Daten[ab_markt].staerke_fein))
            ab_markt = s;
    }
    if (ab_markt >= 0 &&
        static_cast<i64>(Spieler_Daten[ab_markt].staerke_fein) * 100 >= static_cast<i64>(elf_letzter) * LEBEN_MARKT_BEDARF_PROZENT)
        ab_markt = -1;
    const i32 markt_position = ab_markt >= 0 ? Spieler_Fix_Daten[ab_markt].position : -1;
    int fuellt = -1;
    for (int i = 0; i < Team_Kader_Anzahl(m); ++i) {
        const int s = Team_Kader(m)[i];
        const Spieler_Struktur& p = Spieler_Daten[s];
        if (p.staerke_fein >= LEBEN_STAR_FEIN) {
            if (markt_passt(s, position) && p.staerke_fein > besser_als && offene_sternplaetze != 0 &&
                p.staerke_fein <= hoechstens && (zu < 0 || p.staerke_fein > Spieler_Daten[zu].staerke_fein) &&
                Spieler_Berechne_Marktwert(s) <= budget + erloes)
                zu = s;
        } else if (ab_markt >= 0 && markt_passt(s, markt_position) &&
                   p.staerke_fein > Spieler_Daten[ab_markt].staerke_fein &&
                   static_cast<i64>(p.staerke_fein) * 100 <= static_cast<i64>(elf_letzter) * LEBEN_MARKT_BIS_PROZENT &&
                   (fuellt < 0 || p.staerke_fein > Spieler_Daten[fuellt].staerke_fein) &&
                   Spieler_Berechne_Marktwert(s) <= budget + Spieler_Berechne_Marktwert(ab_markt) * 0.8) {
            fuellt = s;
        }
    }
    // The other club's player comes unless the market's is LEBEN_MARKT_VORSPRUNG stronger.
    if (verein_zu >= 0 &&
        (zu < 0 || Spieler_Daten[verein_zu].staerke_fein + LEBEN_MARKT_VORSPRUNG > Spieler_Daten[zu].staerke_fein)) {
        const int verkaeufer = Spieler_Daten[verein_zu].team;
        const f64 preis = static_cast<f64>(Spieler_Berechne_Marktwert(verein_zu)) * LEBEN_WECHSEL_AUFSCHLAG / 100.0;
        if (!Team_Spieler_Tauschen(team, verkaeufer, ab, verein_zu, 0)) return false;
        Spieler_Flags[ab] = Spieler_Flags[verein_zu] = 1;
        bezahlen(team, verkaeufer, preis - wert_ab);
        zahlen.transfers++;
        zahlen.vereinswechsel += 2;
        return true;
    }
    // The market's star, else the squad filled from the market.
    const int gibt = zu >= 0 ? ab : ab_markt;
    if (zu < 0) zu = fuellt;
    if (zu < 0 || !Team_Spieler_Tauschen(team, m, gibt, zu, 0)) return false;
    Spieler_Flags[gibt] = Spieler_Flags[zu] = 1;
    bezahlen(-1, team, Spieler_Berechne_Marktwert(gibt) * 0.8);
    bezahlen(team, -1, Spieler_Berechne_Marktwert(zu));
    zahlen.transfers++;
    return true;
}

void Leben_Erholung() {
    if (ruf::Client()) return;
    for (int s = 0; s < Spieler_Anzahl; ++s) {
        Spieler_Struktur& p = Spieler_Daten[s];
        if (p.erschoepfung > 0) {
            p.erschoepfung--;
            Spieler_Flags[s] = 1;
        }
        // An injury's days run out day by day, not only on matchdays.
        if ((p.status & SP_STATUS_VERLETZT) && p.verletzung_dauer > 0) {
            if (--p.verletzung_dauer == 0) p.status &= ~SP_STATUS_VERLETZT;
            Spieler_Flags[s] = 1;
        }
    }
}

void Leben_Moral_Monat() {
    if (ruf::Client()) return;
    for (int t = 0; t < Team_Anzahl; ++t) {
        if (!Team_Hat_Manager(t)) continue;
        for (int i = 0; i < Team_Kader_Anzahl(t); ++i) {
            const int s = Team_Kader(t)[i];
            if (Spieler_Daten[s].moral < LEBEN_MORAL_MITTE) {
                Spieler_Daten[s].moral++;
                Spieler_Flags[s] = 1;
            }
        }
    }
}

f64 Leben_Gehaltssumme(int team) {
    if (team < 0 || team >= Team_Anzahl) return 0;
    f64 summe = 0;
    for (int i = 0; i < Team_Kader_Anzahl(team); ++i) summe += Spieler_Berechne_Gehalt(Team_Kader(team)[i]);
    return summe;
}

f64 Leben_Gehaelter_Zahlen(int team) {
    const f64 summe = Leben_Gehaltssumme(team);
    if (summe < 1 || !Bank_Buchen(team, -1, static_cast<f32>(summe), BANK_GEHALT, 1, -1)) return 0;
    zahlen.gehaelter += summe;
    return summe;
}

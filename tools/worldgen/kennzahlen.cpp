// Figures of the loaded world and the generator's report.
#include "kennzahlen.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <numeric>

#include "base/cp1252.h"
#include "base/globals.h"
#include "season/welt_tag.h"
#include "sperrliste.h"
#include "world/bank.h"
#include "world/konfig.h"
#include "world/leben.h"
#include "world/spieler.h"
#include "world/trikot.h"
#include "world/welt.h"

namespace worldgen {

namespace {

template <class T>
double median(std::vector<T> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    size_t m = v.size() / 2;
    return v.size() % 2 ? static_cast<double>(v[m]) : (static_cast<double>(v[m - 1]) + static_cast<double>(v[m])) / 2;
}

double korrelation(const std::vector<double>& x, const std::vector<double>& y) {
    double n = static_cast<double>(x.size()), sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    for (size_t i = 0; i < x.size(); i++) {
        sx += x[i];
        sy += y[i];
        sxx += x[i] * x[i];
        syy += y[i] * y[i];
        sxy += x[i] * y[i];
    }
    double d = std::sqrt((n * sxx - sx * sx) * (n * syy - sy * sy));
    return d > 0 ? (n * sxy - sx * sy) / d : 0;
}

std::vector<double> raenge(const std::vector<double>& v) {
    std::vector<size_t> o(v.size());
    for (size_t i = 0; i < o.size(); i++) o[i] = i;
    std::stable_sort(o.begin(), o.end(), [&](size_t a, size_t b) { return v[a] < v[b]; });
    std::vector<double> r(v.size());
    for (size_t i = 0; i < o.size(); i++) r[o[i]] = static_cast<double>(i);
    return r;
}

int alter(int s) { return WELT_STICHJAHR - Spieler_Fix_Daten[s].geburtsjahr; }
bool verein(int t) { return (Team_Daten[t].art & TEAM_ART_VEREIN) != 0; }

// One league: its clubs' figures.
Liga_Zahlen liga_messen(const std::vector<int>& teams, int nation, int ebene, bool gross) {
    Liga_Zahlen l;
    l.name = std::string(Team_Fix_Daten[nation].kurzname) + " " + std::to_string(ebene);
    l.nation = nation;
    l.ebene = ebene;
    l.gross = gross;
    l.teams = static_cast<int>(teams.size());
    std::vector<int> staerken;
    std::vector<double> werte, kapazitaet;
    double lohn = 0;
    l.kapazitaet_min = 1 << 30;
    for (int t : teams) {
        double wert = 0;
        for (int i = 0; i < Team_Kader_Anzahl(t); i++) {
            int s = Team_Kader(t)[i];
            int st = Spieler_Daten[s].staerke_fein;
            staerken.push_back(st);
            l.sterne += st >= STERN_AB;
            wert += Spieler_Berechne_Marktwert(s);
            lohn += Spieler_Berechne_Gehalt(s);
        }
        werte.push_back(wert);
        int k = Team_Daten[t].sitzplaetze + Team_Daten[t].stehplaetze;
        kapazitaet.push_back(k);
        l.kapazitaet_min = std::min(l.kapazitaet_min, k);
        l.kapazitaet_max = std::max(l.kapazitaet_max, k);
        for (int g : teams) {
            int h_kit = 0, g_kit = 0;
            if (g == t) continue;
            Trikot_Team_VS_Team(t, g, &h_kit, &g_kit, 0);
            l.trikot_konflikte += g_kit != Trikot_Get_TrikotNr(g, 0) && g_kit != Trikot_Get_TrikotNr(g, 1);
            l.trikot_verwechselbar += Trikot_Verwechselbar(h_kit, g_kit);
        }
    }
    l.staerke_median = static_cast<int>(median(staerken));
    l.staerke_max = staerken.empty() ? 0 : *std::max_element(staerken.begin(), staerken.end());
    l.kaderwert_max = werte.empty() ? 0 : *std::max_element(werte.begin(), werte.end());
    l.kaderwert_median = median(werte);
    l.lohnsumme_mittel = teams.empty() ? 0 : lohn / static_cast<double>(teams.size());
    l.kapazitaet_korrelation = korrelation(raenge(kapazitaet), raenge(werte));
    // A club's eleven (the mean of its eleven best) against its ground.
    std::vector<std::pair<int, int>> elf;  // (eleven, club)
    for (int t : teams) {
        std::vector<int> f;
        for (int i = 0; i < Team_Kader_Anzahl(t); i++) f.push_back(Spieler_Daten[Team_Kader(t)[i]].staerke_fein);
        std::sort(f.rbegin(), f.rend());
        f.resize(std::min<size_t>(f.size(), 11));
        long summe = 0;
        for (int x : f) summe += x;
        elf.emplace_back(f.empty() ? 0 : static_cast<int>(summe / static_cast<long>(f.size())), t);
    }
    auto platz = [](int t) { return Team_Daten[t].sitzplaetze + Team_Daten[t].stehplaetze; };
    for (const auto& [a, t] : elf)
        for (const auto& [b, u] : elf) l.grund_ueber_kader += platz(t) > platz(u) && a + 2000 <= b;
    // The star places the season gives a big league's clubs by standing
    // (ties by the ground): a club without a star holds its own from the start.
    if (gross) {
        std::stable_sort(elf.begin(), elf.end(), [&](const auto& x, const auto& y) {
            return x.first != y.first ? x.first > y.first : platz(x.second) > platz(y.second);
        });
        for (size_t i = 0; i < elf.size() && i < std::size(WELT_STERNPLAETZE_OBEN); i++) {
            const int t = elf[i].second;
            bool stern = false;
            for (int j = 0; j < Team_Kader_Anzahl(t); j++)
                stern |= Spieler_Daten[Team_Kader(t)[j]].staerke_fein >= STERN_AB;
            if (!stern)
                l.offene_sternplaetze +=
                    std::max(0, WELT_STERNPLAETZE_OBEN[i] - Leben_Stars_Belegt(t, WELT_STICHJAHR, false));
        }
    }
    return l;
}

void ligen_messen(Kennzahlen& k) {
    std::map<std::pair<int, int>, std::vector<int>> ligen;
    std::map<int, int> ebenen;
    for (int t = 0; t < Team_Anzahl; t++)
        if (verein(t)) {
            ligen[{Team_Daten[t].nation, Team_Get_Ebene(t)}].push_back(t);
            ebenen[Team_Daten[t].nation] = std::max(ebenen[Team_Daten[t].nation], Team_Get_Ebene(t));
        }
    std::vector<double> sterne, ebene3;
    double lohn1 = 0, lohn3 = 0;
    int n1 = 0, n3 = 0;
    k.bester_grosser_liga_min = 1 << 30;
    for (const auto& [schluessel, teams] : ligen) {
        bool gross = schluessel.second == 1 && ebenen[schluessel.first] >= 2;
        Liga_Zahlen l = liga_messen(teams, schluessel.first, schluessel.second, gross);
        if (ebenen[schluessel.first] >= 3 && (l.ebene == 1 || l.ebene == 3)) {
            (l.ebene == 1 ? lohn1 : lohn3) += l.lohnsumme_mittel * l.teams;
            (l.ebene == 1 ? n1 : n3) += l.teams;
        }
        if (gross) k.bester_grosser_liga_min = std::min(k.bester_grosser_liga_min, l.staerke_max);
        for (int t : teams)
            for (int i = 0; i < Team_Kader_Anzahl(t); i++) {
                int s = Team_Kader(t)[i];
                if (gross && Spieler_Daten[s].staerke_fein >= STERN_AB) sterne.push_back(Spieler_Berechne_Marktwert(s));
                if (l.ebene == 3) ebene3.push_back(Spieler_Berechne_Marktwert(s));
            }
        k.ligen.push_back(l);
    }
    k.stern_wert = median(sterne);
    k.ebene3_wert_median = median(ebene3);
    k.lohn_verhaeltnis = n1 && n3 && lohn3 > 0 ? (lohn1 / n1) / (lohn3 / n3) : 0;
}

void spieler_messen(Kennzahlen& k) {
    std::vector<int> alle_alter;
    std::vector<double> a_jung, s_jung, a_alt, s_alt, luft;
    std::vector<int> staerken[4][4];
    std::map<std::string, int> namen;
    k.alter_haeufigkeit.assign(50, 0);
    for (int s = 0; s < Spieler_Anzahl; s++) {
        int t = Spieler_Daten[s].team, a = alter(s), st = Spieler_Daten[s].staerke_fein;
        std::string voll = std::string(Spieler_Texte[s].vorname) + " " + Spieler_Texte[s].nachname;
        namen[voll]++;
        if (beleidigend(voll) || beruehmt(Spieler_Texte[s].nachname) || !wortform_ok(Spieler_Texte[s].nachname))
            k.gesperrt.push_back(voll);
        if (t == Team_Transfermarkt) {
            k.markt_spieler++;
            k.markt_max = std::max(k.markt_max, st);
            k.markt_veteranen += a >= 31;
            k.markt_jung += a <= 21;
            continue;
        }
        int e = verein(t) ? std::clamp(Team_Get_Ebene(t), 1, 3) : 0;
        staerken[e][Spieler_Fix_Daten[s].position & 3].push_back(st);
        if (!verein(t)) continue;
        k.vereinsspieler++;
        alle_alter.push_back(a);
        k.alter_haeufigkeit[static_cast<size_t>(std::clamp(a, 0, 49))]++;
        if (a >= 17 && a <= 27) a_jung.push_back(a), s_jung.push_back(st);
        if (a >= 30) a_alt.push_back(a), s_alt.push_back(st);
        if (a == 25 || a == 26) luft.push_back(Spieler_Daten[s].max_staerke * 1000 + 500 - st);
    }
    k.luft_mit_25_26 =
        luft.empty() ? 0 : std::accumulate(luft.begin(), luft.end(), 0.0) / static_cast<double>(luft.size());
    for (const auto& [n, z] : namen) k.doppelte_namen += z > 1;
    k.alter_min = alle_alter.empty() ? 0 : *std::min_element(alle_alter.begin(), alle_alter.end());
    k.alter_max = alle_alter.empty() ? 0 : *std::max_element(alle_alter.begin(), alle_alter.end());
    k.alter_median = median(alle_alter);
    k.korrelation_bis_gipfel = korrelation(a_jung, s_jung);
    k.korrelation_nach_gipfel = korrelation(a_alt, s_alt);
    for (int e = 0; e < 4; e++)
        for (int p = 0; p < 4; p++) k.staerke_median[e][p] = static_cast<int>(median(staerken[e][p]));
}

void teams_messen(Kennzahlen& k) {
    std::map<std::string, int> stadien;
    for (int t = 0; t < Team_Anzahl; t++) {
        if (Team_Daten[t].art & TEAM_ART_TRANSFERMARKT) continue;
        const Team_Fix& f = Team_Fix_Daten[t];
        stadien[f.stadion]++;
        if (!verein(t)) continue;
        // A short name is the town or an abbreviation, never the town cut off.
        std::string stadt = falten(f.stadt), kurz = falten(f.kurzname);
        bool abgeschnitten = kurz != stadt && stadt.compare(0, kurz.size(), kurz) == 0;
        if (beleidigend(f.name) || beleidigend(f.stadion) || vereinsort(f.stadt) || !wortform_ok(f.stadt) ||
            abgeschnitten)
            k.gesperrt.push_back(f.name);
        k.eigene_trikots_gleich +=
            Trikot_Is_Trikot_Equal(Trikot_Get_TrikotNr(t, 0), Trikot_Get_TrikotNr(t, 1), TRIKOT_TOLERANZ, 0);
    }
    for (const auto& [n, z] : stadien) k.doppelte_stadien += z > 1;
}

std::string mio(double v) {
    char b[32];
    std::snprintf(b, sizeof b, "%.2f Mio", v / 1e6);
    return b;
}

void ligen_drucken(const Kennzahlen& k, FILE* f) {
    std::fprintf(f, "\nLigen (Kaderwerte und Löhne nach den Regeln des Spiels):\n");
    std::fprintf(f, "  %-6s %5s %6s %7s %7s %13s %13s %13s %15s %6s %6s\n", "Liga", "Teams", "Sterne", "Median",
                 "Bester", "Kader Spitze", "Kader Median", "Lohnsumme", "Plätze", "r(Pl)", "Trikot");
    for (const Liga_Zahlen& l : k.ligen)
        std::fprintf(f, "  %-6s %5d %6d %7d %7d %13s %13s %13s %7d-%-7d %6.2f %6d%s\n", l.name.c_str(), l.teams,
                     l.sterne, l.staerke_median, l.staerke_max, mio(l.kaderwert_max).c_str(),
                     mio(l.kaderwert_median).c_str(), mio(l.lohnsumme_mittel).c_str(), l.kapazitaet_min,
                     l.kapazitaet_max, l.kapazitaet_korrelation, l.trikot_konflikte, l.gross ? "  (große Liga)" : "");
    std::fprintf(f, "Größerer Platz bei einer um 2000 schwächeren Elf (Paare) / offene Sternplätze ohne Star:");
    for (const Liga_Zahlen& l : k.ligen)
        std::fprintf(f, " %s %d/%d;", l.name.c_str(), l.grund_ueber_kader, l.offene_sternplaetze);
    std::fprintf(f, "\n");
}

}  // namespace

Kennzahlen kennzahlen_messen() {
    Kennzahlen k;
    spieler_messen(k);
    ligen_messen(k);
    teams_messen(k);
    return k;
}

bool bericht_drucken(const char* ordner, FILE* aus) {
    Internet_Modus = INTERNET_MODUS_EINZEL;
    if (!Welt_Laden_Ordner(ordner, 0)) return false;
    Kennzahlen k = kennzahlen_messen();
    // The texts are the game's (Windows-1252); the terminal gets UTF-8.
    char* puffer = nullptr;
    size_t groesse = 0;
    FILE* f = open_memstream(&puffer, &groesse);
    if (!f) return false;
    std::fprintf(f, "Welt in %s: %d Teams, %d Spieler, %d davon bei Vereinen\n", ordner, Team_Anzahl, Spieler_Anzahl,
                 k.vereinsspieler);
    std::fprintf(f, "\nAlter der Vereinsspieler: %d bis %d, Median %.1f\n ", k.alter_min, k.alter_max, k.alter_median);
    for (int a = 15; a <= 38; a++) std::fprintf(f, " %d:%d", a, k.alter_haeufigkeit[static_cast<size_t>(a)]);
    std::fprintf(f, "\nKorrelation Alter/Stärke: %.2f (17 bis 27), %.2f (ab 30)\n", k.korrelation_bis_gipfel,
                 k.korrelation_nach_gipfel);
    std::fprintf(f, "Luft bis zur Mitte der Stufe mit 25 und 26 Jahren: %.0f im Mittel\n", k.luft_mit_25_26);
    std::fprintf(f, "\nMedian der Stärke nach Ebene und Position (Tor, Abwehr, Mittelfeld, Sturm):\n");
    const char* ebene[4] = {"Nationalteams", "1. Ebene", "2. Ebene", "3. Ebene"};
    for (int e = 0; e < 4; e++)
        std::fprintf(f, "  %-14s %6d %6d %6d %6d\n", ebene[e], k.staerke_median[e][0], k.staerke_median[e][1],
                     k.staerke_median[e][2], k.staerke_median[e][3]);
    ligen_drucken(k, f);
    std::fprintf(f, "\nStars der großen Ligen: Median-Wert %s; Median eines Spielers der 3. Ebene %s (%.0f-fach)\n",
                 mio(k.stern_wert).c_str(), mio(k.ebene3_wert_median).c_str(),
                 k.ebene3_wert_median > 0 ? k.stern_wert / k.ebene3_wert_median : 0.0);
    std::fprintf(f, "Lohnsumme 1. Ebene / 3. Ebene: %.1f\n", k.lohn_verhaeltnis);
    std::fprintf(f,
                 "\nTransfermarkt: %d Spieler, %d ab 31, %d bis 21, stärkster %d (schwächster Bester einer großen "
                 "Liga %d)\n",
                 k.markt_spieler, k.markt_veteranen, k.markt_jung, k.markt_max, k.bester_grosser_liga_min);
    std::fprintf(f, "\nNamen: %d doppelte volle Namen, %d doppelte Stadionnamen, %zu gesperrt oder verstümmelt\n",
                 k.doppelte_namen, k.doppelte_stadien, k.gesperrt.size());
    for (const std::string& n : k.gesperrt) std::fprintf(f, "  gesperrt: %s\n", n.c_str());
    std::fprintf(f, "Trikots: %d Vereine mit zwei gleich aussehenden Trikots\n", k.eigene_trikots_gleich);
    std::fclose(f);
    std::fputs(Cp1252_To_Utf8(std::string(puffer, groesse)).c_str(), aus);
    std::free(puffer);
    Bank_Free();
    Welt_Freigeben();
    return true;
}

}  // namespace worldgen

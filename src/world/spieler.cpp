// Player operations: values, injuries, exchanges.
#include "world/spieler.h"

#include <algorithm>
#include <vector>

#include "base/debug.h"
#include "base/globals.h"
#include "base/random.h"
#include "base/ruf.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/netz.h"
#include "world/netz_rufe.h"
#include "world/welt.h"

namespace {

const char* verletzungen[VERLETZUNG_ANZAHL + 1] = {"Prellung",
                                                   "Zerrung",
                                                   "Muskelkater",
                                                   "Bänderdehnung",
                                                   "Bänderriss",
                                                   "Muskelfaserriss",
                                                   "Kapselverletzung",
                                                   "Meniskusschaden",
                                                   "Kreuzbandriss",
                                                   "Innenbandriss",
                                                   "Außenbandriss",
                                                   "Sprunggelenk",
                                                   "Knöchelbruch",
                                                   "Mittelfußbruch",
                                                   "Schienbeinbruch",
                                                   "Wadenbeinbruch",
                                                   "Oberschenkelzerrung",
                                                   "Leistenzerrung",
                                                   "Adduktorenzerrung",
                                                   "Achillessehne",
                                                   "Patellasehne",
                                                   "Knieprellung",
                                                   "Hüftprellung",
                                                   "Rippenprellung",
                                                   "Rippenbruch",
                                                   "Schlüsselbeinbruch",
                                                   "Schulterluxation",
                                                   "Ellbogenprellung",
                                                   "Handgelenkbruch",
                                                   "Fingerbruch",
                                                   "Nasenbeinbruch",
                                                   "Jochbeinbruch",
                                                   "Gehirnerschütterung",
                                                   "Platzwunde",
                                                   "Rückenprobleme",
                                                   "Bandscheibe",
                                                   "Hexenschuss",
                                                   "Grippe",
                                                   "Magen-Darm-Infekt",
                                                   "Fieber",
                                                   "Sehnenreizung",
                                                   "Ermüdungsbruch",
                                                   nullptr};

// Typical length in days of each injury kind.
const u8 dauer[VERLETZUNG_ANZAHL] = {3, 7, 2, 10, 40, 21, 14, 30, 120, 50, 45, 14, 60, 50, 90, 60, 10, 12, 12, 30, 25,
                                     5, 5, 5, 30, 45, 35, 5,  40, 14,  14, 21, 7,  3,  10, 40, 4,  7,  5,  4,  10, 50};

bool ok(int s) { return s >= 0 && s < Spieler_Anzahl && Spieler_Daten; }

}  // namespace

int Spieler_Get_Erschoepfung(int s) { return ok(s) ? Spieler_Daten[s].erschoepfung / 2 : 0; }

i32 Spieler_Berechne_Marktwert(int s) {
    if (!ok(s)) return 0;
    const Spieler_Struktur& p = Spieler_Daten[s];
    i64 st = p.staerke_fein / 100;  // 0..120
    i64 wert = 2000 * st * st;      // 6,000 -> 7.2 M, 9,000 -> 16.2 M
    int luft = p.max_staerke * 1000 - p.staerke_fein;
    if (luft > 0) wert += wert * luft / 12000;
    if (wert > 2000000000) wert = 2000000000;
    return static_cast<i32>(wert / 10000 * 10000);
}

i32 Spieler_Berechne_Gehalt(int s) {
    if (!ok(s)) return 0;
    i32 g = Spieler_Berechne_Marktwert(s) / 40;
    if (g < 5000) g = 5000;
    return g / 1000 * 1000;
}

const char* Spieler_Get_Verletzungs_Text(int art) {
    if (art < 0 || art >= VERLETZUNG_ANZAHL) return "";
    return verletzungen[art];
}

bool Spieler_Verletzen(int team, int s, int art) {
    if (!ok(s) || art < 0 || art >= VERLETZUNG_ANZAHL) return false;
    if (ruf::Client()) {
        Debug_Out(DEBUG_FEHLER, "Client-Zugriff: Spieler_Verletzen()");
        return false;
    }
    Spieler_Struktur& p = Spieler_Daten[s];
    p.status |= SP_STATUS_VERLETZT;
    p.verletzung_art = static_cast<u8>(art);
    int d = dauer[art];
    p.verletzung_dauer = static_cast<i16>(Rnd_Basis(d / 2 + 1, d + d / 2 + 1));
    Spieler_Flags[s] = 1;
    return true;
}

int Spieler_Get_Team(int s) {
    if (!ok(s)) return -1;
    int t = Spieler_Daten[s].team;
    if (t < 0 || t >= Team_Anzahl) return -1;
    const i32* k = Team_Kader(t);
    for (int i = 0; i < Team_Kader_Anzahl(t); i++)
        if (k[i] == s) return t;
    return -1;
}

void Spieler_Status_Aendern(int s, u32 weg, u32 dazu) {
    if (ok(s)) Spieler_Daten[s].status = (Spieler_Daten[s].status & ~weg) | dazu;
}

void Spieler_Set_Wettbewerb(int s, i32 wettbewerb) {
    if (ok(s)) Spieler_Daten[s].wettbewerb = wettbewerb;
}

void Spieler_Trainings_Zuruecksetzen(int s) {
    if (ok(s)) Spieler_Daten[s].trainings = 0;
}

void Spieler_Set_Maxstaerke(int s) {
    if (!ok(s)) return;
    Spieler_Struktur& p = Spieler_Daten[s];
    if (p.max_staerke < p.staerke) p.max_staerke = p.staerke;
}

int Spieler_Tauschen(int ta, int tb, int sa, int sb, i32 preis) {
    if (ruf::Client()) {
        // The server exchanges its own records of the players: the line-up
        // set here since the last sending goes first, or the records read
        // back afterwards would undo it.
        Internet_Client_Send_Data_Back();
        return ruf::Rufen(RUF_SPIELER_TAUSCH, ta, tb, sa, sb, preis).value_or(0) ? 1 : 0;
    }
    if (ta < 0 || ta >= Team_Anzahl || tb < 0 || tb >= Team_Anzahl || ta == tb || !ok(sa)) return 0;
    if (Spieler_Get_Team(sa) != ta) return 0;
    if (sb == -1) {
        // The market picks among its 16 weakest players.
        if (tb != Team_Transfermarkt) return 0;
        std::vector<int> k(Team_Kader(tb), Team_Kader(tb) + Team_Kader_Anzahl(tb));
        k.erase(
            std::remove_if(k.begin(), k.end(), [](int s) { return (Spieler_Daten[s].status & SP_STATUS_SCOUT) != 0; }),
            k.end());
        if (k.empty()) return 0;
        std::stable_sort(k.begin(), k.end(),
                         [](int a, int b) { return Spieler_Daten[a].staerke < Spieler_Daten[b].staerke; });
        int n = std::min<int>(16, static_cast<int>(k.size()));
        sb = k[static_cast<size_t>(Rnd_Basis(0, n - 1))];
    }
    if (!ok(sb) || Spieler_Get_Team(sb) != tb) return 0;
    // Team a takes player b: with a price it pays (category 31) and gets the
    // proceeds of the player who leaves (category 30); it fails when the
    // balance is below price minus proceeds. Without a price it uses one of
    // its transfers of the season.
    i32 erloes = Welt_Hook.transfer_erloes(sa);
    if (erloes < 0) erloes = 0;
    if (preis > 0) {
        if (Bank_Get_Kontostand(ta, 0, -1) < static_cast<f64>(preis) - erloes) return 0;
        if (!Bank_Buchen(ta, tb == Team_Transfermarkt ? -1 : tb, static_cast<f32>(preis), BANK_TRANSFER_AUSGABE, 1, -1))
            return 0;
    } else if (Team_Daten[ta].transfers > 0) {
        Team_Daten[ta].transfers--;
    }
    if (erloes > 0)
        Bank_Buchen(tb == Team_Transfermarkt ? -1 : tb, ta, static_cast<f32>(erloes), BANK_TRANSFER_EINNAHME, 1, -1);
    Team_Kader_Ersetzen(ta, sa, sb);
    Team_Kader_Ersetzen(tb, sb, sa);
    // The player who comes in takes the place of the one who left: his
    // slot, his starter/substitute bits and his cell in the formation.
    Spieler_Tauschen_Intern(sa, sb, ta, tb);
    Spieler_Daten[sa].team = tb;
    Spieler_Daten[sb].team = ta;
    Team_Rueckennummer_Vergeben(ta, sb);
    Team_Rueckennummer_Vergeben(tb, sa);
    // Every club whose scout found one of the two loses him (two managers'
    // scouts may have found the same player).
    for (int t = 0; t < Team_Anzahl; ++t) {
        if (Team_Daten[t].scout_spieler == sa || Team_Daten[t].scout_spieler == sb) {
            Team_Daten[t].scout_spieler = -1;
            Team_Daten[t].scout = -1;
        }
    }
    Spieler_Flags[sa] = Spieler_Flags[sb] = 1;
    return 1;
}

void Spieler_Tauschen_Intern(int a, int b, int, int) {
    if (!ok(a) || !ok(b)) return;
    std::swap(Spieler_Daten[a].slot, Spieler_Daten[b].slot);
    u32 bits = SP_STATUS_AUFGESTELLT | SP_STATUS_ERSATZ;
    u32 ba = Spieler_Daten[a].status & bits, bb = Spieler_Daten[b].status & bits;
    Spieler_Daten[a].status = (Spieler_Daten[a].status & ~bits) | bb;
    Spieler_Daten[b].status = (Spieler_Daten[b].status & ~bits) | ba;
    std::swap(Spieler_Daten[a].spalte, Spieler_Daten[b].spalte);
    std::swap(Spieler_Daten[a].zeile, Spieler_Daten[b].zeile);
    Spieler_Flags[a] = Spieler_Flags[b] = 1;
}

bool Spieler_Setze_Formationsposition(int s, int spalte, int zeile) {
    if (!ok(s) || spalte < 0 || spalte > 6 || zeile < 0 || zeile > 10) return false;
    int t = Team_Aktiv;
    if (t < 0 || t >= Team_Anzahl || Spieler_Get_Team(s) != t || Spieler_Daten[s].slot > 10) return false;
    if (Welt_Client_Fremd(t)) return false;
    Spieler_Daten[s].spalte = static_cast<u8>(spalte);
    Spieler_Daten[s].zeile = static_cast<u8>(zeile);
    std::vector<int> elf;
    for (int i = 0; i < Team_Kader_Anzahl(t); i++)
        if (Spieler_Daten[Team_Kader(t)[i]].slot <= 10) elf.push_back(Team_Kader(t)[i]);
    std::stable_sort(elf.begin(), elf.end(), [](int a, int b) {
        return 10 * Spieler_Daten[a].zeile + Spieler_Daten[a].spalte >
               10 * Spieler_Daten[b].zeile + Spieler_Daten[b].spalte;
    });
    Formation& f = Team_Own_Daten[t].formationen[Team_Own_Daten[t].formation & 0x0F];
    for (size_t i = 0; i < elf.size() && i < 11; i++) {
        Spieler_Daten[elf[i]].slot = static_cast<u8>(i);
        f.spalte[i] = Spieler_Daten[elf[i]].spalte;
        f.zeile[i] = Spieler_Daten[elf[i]].zeile;
        Spieler_Flags[elf[i]] = 1;
    }
    return true;
}

namespace {
i32 praesident[2] = {-1, -1};
}

i32 Spieler_Get_Gewerkschafts_Praesi() {
    if (praesident[0] >= 0) return praesident[0];
    if (praesident[1] >= 0) return -2 - praesident[1];
    return -1;
}

bool Spieler_Setze_Gewerkschafts_Praesi(int seite) {
    if (seite < 0 || seite > 1) return false;
    int best = -1;
    for (int t = 0; t < Team_Anzahl; t++) {
        bool passt =
            seite == 0 ? (Team_Daten[t].art & TEAM_ART_VEREIN) != 0 : (Team_Daten[t].art & TEAM_ART_NATIONALTEAM) != 0;
        if (!passt) continue;
        for (int i = 0; i < Team_Kader_Anzahl(t); i++) {
            int s = Team_Kader(t)[i];
            if (Spieler_Daten[s].spiele < 100) continue;
            if (best < 0 || Spieler_Daten[s].spiele * 13 + Spieler_Daten[s].staerke >
                                Spieler_Daten[best].spiele * 13 + Spieler_Daten[best].staerke)
                best = s;
        }
    }
    if (best < 0) return false;
    praesident[seite] = best;
    praesident[1 - seite] = -1;
    return true;
}

void Spieler_Set_Gewerkschafts_Praesi_Wert(i32 wert) {
    praesident[0] = praesident[1] = -1;
    if (wert >= 0 && wert < Spieler_Anzahl) praesident[0] = wert;
    else if (wert <= -2 && -2 - static_cast<i64>(wert) < Spieler_Anzahl) praesident[1] = -2 - wert;
}

int Spieler_Vertrag_Ergebnis(const i32* a) {
    if (ruf::Client()) {
        Debug_Out(DEBUG_FEHLER, "Client-Zugriff: Spieler_Vertrag_Ergebnis()");
        return 0;
    }
    if (!a) {
        Debug_Out(DEBUG_FEHLER, "Spieler_Vertrag_Ergebnis: NULL-Pointer!");
        return 0;
    }
    if (a[0] != VERTRAG_ANFRAGE_ART || a[9] == 0 || a[9] == -1 || a[9] == -2) return 0;
    int kaeufer = a[1], verkaeufer = a[2], gewollt = a[7], abgabe = a[8];
    if (kaeufer < 0 || kaeufer >= Team_Anzahl || verkaeufer < 0 || verkaeufer >= Team_Anzahl || a[4] < 0) return 0;
    // The squads may have changed since the offer: both players must still be where they were.
    if (!ok(gewollt) || !ok(abgabe) || Spieler_Get_Team(gewollt) != verkaeufer || Spieler_Get_Team(abgabe) != kaeufer)
        return 0;
    return Spieler_Tauschen(kaeufer, verkaeufer, abgabe, gewollt, a[4]) == 1 ? 1 : 0;
}

void Spieler_Init_Start_Dummies(int s, int liga_prozent) {
    if (!ok(s)) return;
    for (int a = 0; a < ATTRIBUT_ANZAHL; a++) {
        i16& w = Spieler_Daten[s].attribut[a];
        if (w <= 0) continue;
        // A learned attribute stays with the league's percentage.
        if (Rnd_Basis(0, 99) >= liga_prozent) w = 0;
    }
}

void Spieler_Init_Texte() { praesident[0] = praesident[1] = -1; }

void Spieler_Free() {
    praesident[0] = praesident[1] = -1;
    Welt_Freigeben();
}

i32 Spieler_Get_Spieler_Statistik(int statistik, int liga, int, int team, int spieler, int, int, int, int, void*,
                                  i32* aus, int, int, i32* aus2) {
    i32 v = 0;
    if (ok(spieler)) v = Welt_Hook.spieler_statistik(statistik, liga, team, spieler);
    if (aus) *aus = v;
    if (aus2) *aus2 = v;
    return v;
}

// Line-ups and formations.
#include "world/aufstellung.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/debug.h"
#include "base/globals.h"
#include "base/ruf.h"
#include "world/netz.h"
#include "world/spieler.h"
#include "world/team.h"

namespace {

// Formation rows: up to four lines of (row, count) after the goalkeeper.
struct Linien {
    int anzahl;
    int zeile[4];
    int zahl[4];
};
const Linien formationen[FORMATIONEN_PRO_TEAM] = {
    {3, {2, 5, 9}, {4, 4, 2}},        // 4-4-2
    {3, {2, 5, 9}, {4, 3, 3}},        // 4-3-3
    {3, {2, 5, 9}, {3, 5, 2}},        // 3-5-2
    {3, {2, 5, 9}, {4, 5, 1}},        // 4-5-1
    {3, {2, 5, 9}, {5, 3, 2}},        // 5-3-2
    {3, {2, 5, 9}, {3, 4, 3}},        // 3-4-3
    {4, {2, 4, 7, 9}, {4, 2, 3, 1}},  // 4-2-3-1
    {3, {2, 5, 9}, {5, 4, 1}},        // 5-4-1
    {4, {2, 4, 6, 9}, {4, 1, 4, 1}},  // 4-1-4-1
    {4, {2, 4, 6, 9}, {4, 3, 2, 1}},  // 4-3-2-1
    {4, {1, 3, 5, 9}, {3, 1, 4, 2}},  // 3-1-4-2
    {4, {2, 4, 6, 9}, {4, 1, 3, 2}},  // 4-1-3-2 (diamond)
    {3, {2, 5, 9}, {3, 6, 1}},        // 3-6-1
    {3, {2, 5, 8}, {4, 2, 4}},        // 4-2-4
    {4, {1, 3, 5, 9}, {4, 1, 3, 2}},  // 4-1-3-2 with a sweeper
    {4, {2, 4, 7, 9}, {5, 2, 2, 1}},  // 5-2-2-1
};

const int spalten[7][6] = {{0}, {3}, {2, 4}, {1, 3, 5}, {0, 2, 4, 6}, {0, 1, 3, 5, 6}, {0, 1, 2, 4, 5, 6}};

bool spielbereit(int s) { return (Spieler_Daten[s].status & SP_STATUS_NICHT_SPIELBEREIT) == 0; }

int formations_index(int team) { return Team_Own_Daten[team].formation & 0x0F; }

}  // namespace

Formation Formation_Standard(int n) {
    Formation f{};
    if (n < 0 || n >= FORMATIONEN_PRO_TEAM) n = 0;
    const Linien& l = formationen[n];
    int i = 0;
    f.spalte[i] = 3;
    f.zeile[i++] = 0;
    for (int k = 0; k < l.anzahl; k++) {
        for (int j = 0; j < l.zahl[k] && i < 11; j++) {
            f.spalte[i] = static_cast<u16>(spalten[l.zahl[k]][j]);
            f.zeile[i++] = static_cast<u16>(l.zeile[k]);
        }
    }
    return f;
}

int Aufstellung_Linie(int zeile) { return zeile <= 0 ? 0 : zeile <= 3 ? 1 : zeile <= 7 ? 2 : 3; }

int Aufstellung_Abzug(int klasse, int zeile) {
    int linie = Aufstellung_Linie(zeile);
    if (linie == 0 || klasse == 0) return linie == klasse ? 0 : 6;
    return 2 * std::abs(linie - klasse);
}

int Teamspieler_Ins_Array(int team, i32* aus, int kapazitaet, u32 filter) {
    int n = Team_Kader_Anzahl(team);
    const i32* k = Team_Kader(team);
    int r = 0;
    for (int i = 0; i < n && r < kapazitaet; i++) {
        u32 st = Spieler_Daten[k[i]].status;
        bool nehmen;
        if (filter == 0) nehmen = true;
        else if (filter == SP_FILTER_OHNE_SCOUT) nehmen = (st & SP_STATUS_SCOUT) == 0;
        else nehmen = (st & filter) != 0;
        if (!nehmen) continue;
        if (aus) aus[r] = k[i];
        r++;
    }
    return r;
}

int Team_Get_Staerke_Modus(int team, u32 modus) {
    if (team < 0 || team >= Team_Anzahl) return 0;
    i32 s[MAX_SPIELER_PRO_TEAM];
    int n = Teamspieler_Ins_Array(team, s, MAX_SPIELER_PRO_TEAM, modus);
    int summe = 0;
    for (int i = 0; i < n; i++) summe += Spieler_Daten[s[i]].staerke;
    return summe;
}

int Team_Get_Staerke(int team) { return Team_Get_Staerke_Modus(team, 0); }

int Spieler_Staerke_Anzeige(int spieler) {
    if (spieler < 0 || spieler >= Spieler_Anzahl) return 0;
    return std::clamp<int>(Spieler_Daten[spieler].staerke, 0, 12);
}

int Team_Staerke_Anzeige(int team, u32 modus) {
    if (team < 0 || team >= Team_Anzahl) return 0;
    i32 s[MAX_SPIELER_PRO_TEAM];
    const int n = Teamspieler_Ins_Array(team, s, MAX_SPIELER_PRO_TEAM, modus);
    int summe = 0;
    for (int i = 0; i < n; i++) summe += Spieler_Staerke_Anzeige(s[i]);
    return summe;
}

const char* Team_Staerke_Anzeige_Text(int team, u32 modus) {
    return Team_Halbwert_String(Team_Staerke_Anzeige(team, modus));
}

void Aufstellung_Automatisch(int team) {
    if (team < 0 || team >= Team_Anzahl || team == Team_Transfermarkt) return;
    int n = Team_Kader_Anzahl(team);
    const i32* k = Team_Kader(team);
    if (n == 0) return;
    Formation f = Team_Own_Daten[team].formationen[formations_index(team)];
    // Unavailable players go last, so they play only when nobody else can.
    // A tired player (exhaustion above 4 of 9) rests when a fresh one of
    // nearly his strength can stand in. What a player is worth at a place
    // is his base value less the place's deduction; base, own-line value
    // and freshness are taken once per player.
    struct Kandidat {
        int spieler, klasse, basis, eigen;
        bool bereit, frisch;
        int besser = 0;  // fresh players of his line still free with a higher own-line value
    };
    std::vector<Kandidat> frei;
    frei.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; i++) {
        const int s = k[i];
        Kandidat c{};
        c.spieler = s;
        c.klasse = Spieler_Fix_Daten[s].position;
        c.bereit = spielbereit(s);
        c.frisch = c.bereit && Spieler_Daten[s].erschoepfung <= 4;
        const Spieler_Struktur& d = Spieler_Daten[s];
        c.basis = d.staerke * 4 - std::max(0, d.erschoepfung - 4) * 6 - (c.bereit ? 0 : 1000);
        // A field player stays for his own line's later places while he is
        // one of its best fresh players for them: a strong forward would
        // otherwise go to an earlier place in defence or midfield and leave
        // the forward places to weaker players of other lines.
        constexpr int zeile_der_linie[4] = {0, 2, 5, 9};
        c.eigen = c.basis - Aufstellung_Abzug(c.klasse, zeile_der_linie[std::min(c.klasse, 3)]) * 4;
        frei.push_back(c);
    }
    const auto ueber = [](const Kandidat& a, const Kandidat& b) {
        return a.frisch && a.klasse == b.klasse && a.eigen > b.eigen;
    };
    for (Kandidat& c : frei)
        for (const Kandidat& a : frei) c.besser += ueber(a, c);
    // The later places of each line after a place.
    int plaetze_danach[11][4] = {};
    for (int platz = 0; platz < 11; platz++)
        for (int j = platz + 1; j < 11; j++) ++plaetze_danach[platz][Aufstellung_Linie(f.zeile[j])];
    auto wert = [](const Kandidat& c, int zeile) { return c.basis - Aufstellung_Abzug(c.klasse, zeile) * 4; };
    // A place up front takes a defender or a goalkeeper only when no fresh
    // midfielder or forward who can play is left: strength less the
    // deduction alone let a strong defender beat a weaker forward.
    auto nach_vorne = [](const Kandidat& c) { return c.klasse >= 2; };
    auto vorbehalten = [&](const Kandidat& c, int platz) {
        if (c.klasse == 0 || c.klasse > 3 || c.klasse == Aufstellung_Linie(f.zeile[platz]) || !c.frisch) return false;
        return c.besser < plaetze_danach[platz][c.klasse];
    };
    int slot_spieler[MAX_SPIELER_PRO_TEAM];
    int belegt = 0;
    for (int i = 0; i < 11 && !frei.empty(); i++) {
        const int zeile = f.zeile[i];
        const bool nur_vorne =
            Aufstellung_Linie(zeile) == 3 &&
            std::any_of(frei.begin(), frei.end(), [&](const Kandidat& c) { return c.frisch && nach_vorne(c); });
        size_t best = frei.size();
        int best_wert = 0;
        for (int mit_vorbehalt = 1; mit_vorbehalt >= 0 && best == frei.size(); mit_vorbehalt--)
            for (size_t j = 0; j < frei.size(); j++) {
                if (nur_vorne && !nach_vorne(frei[j])) continue;
                if (mit_vorbehalt && (!frei[j].bereit || vorbehalten(frei[j], i))) continue;
                const int w = wert(frei[j], zeile);
                if (best == frei.size() || w > best_wert) best = j, best_wert = w;
            }
        const Kandidat weg = frei[best];
        slot_spieler[belegt++] = weg.spieler;
        frei.erase(frei.begin() + static_cast<long>(best));
        for (Kandidat& c : frei) c.besser -= ueber(weg, c);
    }
    // The places fill in order, so a strong forward may have gone to an
    // earlier place in midfield and a midfielder up front: two field
    // players of the eleven change places whenever that brings them nearer
    // their own lines, or, the deductions equal, puts the stronger one in
    // his own line (the eleven stays; strength and tiredness go with the
    // player, so only the deductions decide what the line-up is worth).
    auto kosten = [&](int platz, int zeile) {
        const int s = slot_spieler[platz], abzug = Aufstellung_Abzug(Spieler_Fix_Daten[s].position, zeile);
        return abzug * 1000 - (abzug == 0 ? static_cast<int>(Spieler_Daten[s].staerke) : 0);
    };
    for (bool getauscht = true; getauscht;) {
        getauscht = false;
        for (int a = 1; a < belegt && a < 11; a++)
            for (int b = a + 1; b < belegt && b < 11; b++)
                if (kosten(a, f.zeile[b]) + kosten(b, f.zeile[a]) < kosten(a, f.zeile[a]) + kosten(b, f.zeile[b])) {
                    std::swap(slot_spieler[a], slot_spieler[b]);
                    getauscht = true;
                }
    }
    // Substitutes: a goalkeeper first, then the strongest.
    int ersatz = 0;
    std::vector<int> rest;
    rest.reserve(frei.size());
    for (const Kandidat& c : frei) rest.push_back(c.spieler);
    for (size_t j = 0; j < rest.size() && belegt < 17; j++) {
        if (Spieler_Fix_Daten[rest[j]].position == 0 && spielbereit(rest[j])) {
            slot_spieler[belegt++] = rest[j];
            rest.erase(rest.begin() + static_cast<long>(j));
            ersatz++;
            break;
        }
    }
    std::stable_sort(rest.begin(), rest.end(), [&](int a, int b) {
        int wa = Spieler_Daten[a].staerke - (spielbereit(a) ? 0 : 100);
        int wb = Spieler_Daten[b].staerke - (spielbereit(b) ? 0 : 100);
        return wa > wb;
    });
    for (int s : rest) slot_spieler[belegt++] = s;
    for (int i = 0; i < belegt; i++) {
        Spieler_Struktur& s = Spieler_Daten[slot_spieler[i]];
        s.slot = static_cast<u8>(i);
        s.status &= ~(SP_STATUS_AUFGESTELLT | SP_STATUS_ERSATZ);
        if (i < 11) {
            s.status |= SP_STATUS_AUFGESTELLT;
            s.spalte = static_cast<u8>(f.spalte[i]);
            s.zeile = static_cast<u8>(f.zeile[i]);
        } else if (i < 17) {
            s.status |= SP_STATUS_ERSATZ;
        }
        Spieler_Flags[slot_spieler[i]] = 1;
    }
    Aufstellung_Rollen_Vergeben(team);
}

void Aufstellung_Rollen_Vergeben(int team) {
    if (team < 0 || team >= Team_Anzahl || team == Team_Transfermarkt) return;
    i32 elf[MAX_SPIELER_PRO_TEAM];
    const int n = Teamspieler_Ins_Array(team, elf, MAX_SPIELER_PRO_TEAM, SP_STATUS_AUFGESTELLT);
    // The best available field player of the eleven by a weight (-1 none).
    auto bester = [&](auto gewicht, int ausser) {
        int best = -1, bw = 0;
        for (int i = 0; i < n; ++i) {
            const int s = elf[i];
            if (s == ausser || Spieler_Fix_Daten[s].position == 0 || !spielbereit(s)) continue;
            const int w = gewicht(s);
            if (best < 0 || w > bw) best = s, bw = w;
        }
        return best;
    };
    auto hat = [&](u32 rolle, bool kader) {
        const i32* k = Team_Kader(team);
        for (int i = 0, m = kader ? Team_Kader_Anzahl(team) : n; i < m; ++i)
            if (Spieler_Daten[kader ? k[i] : elf[i]].status & rolle) return true;
        return false;
    };
    // Only a starter who can play holds a role: a holder on the bench, in
    // the reserve or out gives it up, and it goes to one of the eleven.
    const u32 rollen = SP_STATUS_ELFMETER | SP_STATUS_FREISTOSS | SP_STATUS_ECKEN | SP_STATUS_KAPITAEN;
    for (int i = 0, m = Team_Kader_Anzahl(team); i < m; ++i) {
        const int s = Team_Kader(team)[i];
        if ((Spieler_Daten[s].status & rollen) && !((Spieler_Daten[s].status & SP_STATUS_AUFGESTELLT) && spielbereit(s))) {
            Spieler_Daten[s].status &= ~rollen;
            Spieler_Flags[s] = 1;
        }
    }
    auto geben = [](int s, u32 rolle) {
        if (s < 0) return;
        Spieler_Daten[s].status |= rolle;
        Spieler_Flags[s] = 1;
    };
    // Strength counts first; the line further up decides between equals.
    const auto vorne = [](int s) { return Spieler_Daten[s].staerke * 8 + Spieler_Fix_Daten[s].position; };
    const auto mitte = [](int s) {
        return Spieler_Daten[s].staerke * 8 + (Spieler_Fix_Daten[s].position == 2 ? 4 : 0);
    };
    int freistoss = -1;
    if (!hat(SP_STATUS_ELFMETER, false)) geben(bester(vorne, -1), SP_STATUS_ELFMETER);
    if (!hat(SP_STATUS_FREISTOSS, false)) geben(freistoss = bester(mitte, -1), SP_STATUS_FREISTOSS);
    if (!hat(SP_STATUS_ECKEN, false)) {
        // Another than the free-kick taker, unless he is the only one.
        const int e = bester(mitte, freistoss);
        geben(e >= 0 ? e : freistoss, SP_STATUS_ECKEN);
    }
    // The captain: the most experienced of the eleven, goalkeeper included.
    if (!hat(SP_STATUS_KAPITAEN, true)) {
        int best = -1;
        for (int i = 0; i < n; ++i)
            if (!spielbereit(elf[i])) continue;
            else if (best < 0 || Spieler_Daten[elf[i]].spiele * 16 + Spieler_Daten[elf[i]].staerke >
                                Spieler_Daten[best].spiele * 16 + Spieler_Daten[best].staerke)
                best = elf[i];
        geben(best, SP_STATUS_KAPITAEN);
    }
}

void Check_Und_Set_Aa(int team) {
    if (team < 0 || team >= Team_Anzahl || team == Team_Transfermarkt) return;
    bool manager = Team_Manager && Team_Manager[team];
    i32 s[MAX_SPIELER_PRO_TEAM];
    if (!manager) {
        int a = Teamspieler_Ins_Array(team, s, MAX_SPIELER_PRO_TEAM, SP_STATUS_AUFGESTELLT);
        int e = Teamspieler_Ins_Array(team, s, MAX_SPIELER_PRO_TEAM, SP_STATUS_ERSATZ);
        bool ok = a == 11 && e == 6;
        for (int i = 0; ok && i < Teamspieler_Ins_Array(team, s, MAX_SPIELER_PRO_TEAM, 48); i++)
            if (!spielbereit(s[i])) ok = false;
        if (!ok) Aufstellung_Automatisch(team);
        else Aufstellung_Rollen_Vergeben(team);
        return;
    }
    if (Team_Own_Daten[team].formation & 0x80) {
        Aufstellung_Automatisch(team);
        return;
    }
    // A managed team: the slots decide. An unavailable player gives his
    // slot to the available player behind him who suits it best (the bench
    // before the reserves, for a starter the one whose position fits the
    // formation cell), so the eleven and the bench stay complete whenever
    // the squad has the players; the manager's choice stands otherwise.
    int n = Team_Kader_Anzahl(team);
    const i32* k = Team_Kader(team);
    std::vector<int> im_slot(MAX_SPIELER_PRO_TEAM, -1);
    for (int i = 0; i < n; i++)
        if (Spieler_Daten[k[i]].slot < MAX_SPIELER_PRO_TEAM && im_slot[Spieler_Daten[k[i]].slot] < 0)
            im_slot[Spieler_Daten[k[i]].slot] = k[i];
    const Formation& f = Team_Own_Daten[team].formationen[formations_index(team)];
    for (int slot = 0; slot < 17; slot++) {
        const int alt = im_slot[static_cast<size_t>(slot)];
        if (alt >= 0 && spielbereit(alt)) continue;
        int best = -1, best_wert = 0;
        for (int i = 0; i < n; i++) {
            const int s = k[i], von = Spieler_Daten[s].slot;
            if (von <= (slot <= 10 ? 10 : 16) || !spielbereit(s)) continue;
            int w = Spieler_Daten[s].staerke * 4 - (von > 16 ? 10000 : 0);
            if (slot <= 10) {
                // Only a goalkeeper in goal, unless none can play.
                const int klasse = Spieler_Fix_Daten[s].position;
                w -= Aufstellung_Abzug(klasse, f.zeile[slot]) * 4;
                if ((klasse == 0) != (f.zeile[slot] == 0)) w -= 1000;
            }
            if (best < 0 || w > best_wert) best = s, best_wert = w;
        }
        if (best < 0) continue;
        const int von = Spieler_Daten[best].slot;
        if (alt >= 0) {
            Spieler_Tauschen_Intern(alt, best, 0, 0);
        } else {
            Spieler_Daten[best].slot = static_cast<u8>(slot);
            Spieler_Flags[best] = 1;
        }
        if (slot <= 10) {
            Spieler_Daten[best].spalte = static_cast<u8>(f.spalte[slot]);
            Spieler_Daten[best].zeile = static_cast<u8>(f.zeile[slot]);
        }
        im_slot[static_cast<size_t>(slot)] = best;
        if (von < MAX_SPIELER_PRO_TEAM) im_slot[static_cast<size_t>(von)] = alt;
    }
    for (int i = 0; i < n; i++) {
        Spieler_Struktur& p = Spieler_Daten[k[i]];
        p.status &= ~(SP_STATUS_AUFGESTELLT | SP_STATUS_ERSATZ);
        if (!spielbereit(k[i])) continue;
        if (p.slot <= 10) p.status |= SP_STATUS_AUFGESTELLT;
        else if (p.slot <= 16) p.status |= SP_STATUS_ERSATZ;
    }
    Aufstellung_Rollen_Vergeben(team);
}

namespace {
constexpr u32 ROLLEN = SP_STATUS_ELFMETER | SP_STATUS_FREISTOSS | SP_STATUS_ECKEN | SP_STATUS_KAPITAEN;
constexpr u32 AUFSTELLUNG_BITS = SP_STATUS_AUFGESTELLT | SP_STATUS_ERSATZ | ROLLEN;
}  // namespace

Aufstellung_Stand Aufstellung_Lesen(int team) {
    Aufstellung_Stand a;
    if (team < 0 || team >= Team_Anzahl) return a;
    for (int i = 0, n = Team_Kader_Anzahl(team); i < n; ++i) {
        const int s = Team_Kader(team)[i];
        const Spieler_Struktur& p = Spieler_Daten[s];
        a.plaetze.push_back({s, p.slot, p.spalte, p.zeile, p.status & AUFSTELLUNG_BITS});
    }
    return a;
}

void Aufstellung_Schreiben(int team, const Aufstellung_Stand& stand) {
    for (const Aufstellung_Stand::Platz& a : stand.plaetze) {
        if (a.spieler < 0 || a.spieler >= Spieler_Anzahl || Spieler_Daten[a.spieler].team != team) continue;
        Spieler_Struktur& p = Spieler_Daten[a.spieler];
        p.slot = a.slot, p.spalte = a.spalte, p.zeile = a.zeile;
        p.status = (p.status & ~AUFSTELLUNG_BITS) | a.bits;
        Spieler_Flags[a.spieler] = 1;
    }
}

namespace {
bool plaetze_gueltig(const Aufstellung_Stand& a) {
    bool belegt[MAX_SPIELER_PRO_TEAM] = {};
    for (const Aufstellung_Stand::Platz& p : a.plaetze) {
        if (p.slot >= MAX_SPIELER_PRO_TEAM || belegt[p.slot]) return false;
        belegt[p.slot] = true;
    }
    return true;
}
}  // namespace

bool Aufstellung_Plaetze_Gueltig(int team) {
    return team >= 0 && team < Team_Anzahl && plaetze_gueltig(Aufstellung_Lesen(team));
}

bool Aufstellung_Von_Client_Nehmen(int team, const Aufstellung_Stand& vorher) {
    if (team < 0 || team >= Team_Anzahl || team == Team_Transfermarkt) return false;
    const bool gueltig = Aufstellung_Plaetze_Gueltig(team);
    // Refused, the line-up before stays, unless it was no line-up either.
    if (!gueltig && plaetze_gueltig(vorher)) {
        Debug_Printf("Aufstellung von Team %d: Plaetze abgewiesen, die alte Aufstellung bleibt\n", team);
        Aufstellung_Schreiben(team, vorher);
    }
    // The squad's one captain: two sent are none, the check names one.
    int kapitaene = 0;
    for (int i = 0, n = Team_Kader_Anzahl(team); i < n; ++i)
        kapitaene += (Spieler_Daten[Team_Kader(team)[i]].status & SP_STATUS_KAPITAEN) != 0;
    if (kapitaene > 1)
        for (int i = 0, n = Team_Kader_Anzahl(team); i < n; ++i) {
            Spieler_Daten[Team_Kader(team)[i]].status &= ~SP_STATUS_KAPITAEN;
            Spieler_Flags[Team_Kader(team)[i]] = 1;
        }
    Check_Und_Set_Aa(team);
    return gueltig;
}

bool Aufstellung_Gesetzt(int team) {
    if (team < 0 || team >= Team_Anzahl || team == Team_Transfermarkt) return false;
    // Here first, so the screen shows the takers at once; the server's
    // answer replaces it on a client.
    Aufstellung_Rollen_Vergeben(team);
    if (!ruf::Client() || team != Team_Aktiv) return true;
    if (Aufstellung_Internet_Client_Senden()) return true;
    Debug_Printf("Aufstellung_Gesetzt: der Server hat die Aufstellung von Team %d nicht bestaetigt\n", team);
    return false;
}

void Aufstellung_Verwaltete_Pruefen() {
    if (!ruf::Haelt_Spiel() || !Team_Manager) return;
    for (int t = 0; t < Team_Anzahl; ++t)
        if (Team_Manager[t]) Check_Und_Set_Aa(t);
}

bool Team_Aufstellung_Automatisch(int team) {
    return team >= 0 && team < Team_Anzahl && (Team_Own_Daten[team].formation & 0x80) != 0;
}

void Team_Aufstellung_Manuell(int team) {
    if (team < 0 || team >= Team_Anzahl || Welt_Client_Fremd(team)) return;
    Team_Own_Daten[team].formation = static_cast<i8>(Team_Own_Daten[team].formation & 0x7F);
}

void Team_Positionen_Aus_Formation(int team) {
    if (team < 0 || team >= Team_Anzahl) return;
    const Formation& f = Team_Own_Daten[team].formationen[formations_index(team)];
    int n = Team_Kader_Anzahl(team);
    const i32* k = Team_Kader(team);
    for (int i = 0; i < n; i++) {
        Spieler_Struktur& p = Spieler_Daten[k[i]];
        if (p.slot < 11) {
            p.spalte = static_cast<u8>(f.spalte[p.slot]);
            p.zeile = static_cast<u8>(f.zeile[p.slot]);
        }
    }
}

void Bexot_Spieler_Formation_Zuruecksetzen(int team) {
    if (team < 0 || team >= Team_Anzahl || Welt_Client_Fremd(team)) return;
    int n = formations_index(team);
    Team_Own_Daten[team].formationen[n] = Formation_Standard(n);
}

void Aufstellung_Linien_Zaehlen(int team, int out[4]) {
    out[0] = out[1] = out[2] = out[3] = 0;
    i32 s[MAX_SPIELER_PRO_TEAM];
    int n = Teamspieler_Ins_Array(team, s, MAX_SPIELER_PRO_TEAM, SP_STATUS_AUFGESTELLT);
    for (int i = 0; i < n; i++) out[3 - Aufstellung_Linie(Spieler_Daten[s[i]].zeile)]++;
}

void Assi_Mannschaftsaufstellung(int team, int gegner, int prozent) {
    if (team < 0 || team >= Team_Anzahl || gegner < 0 || gegner >= Team_Anzahl) return;
    i32 g[MAX_SPIELER_PRO_TEAM], e[MAX_SPIELER_PRO_TEAM];
    int ng = Teamspieler_Ins_Array(gegner, g, MAX_SPIELER_PRO_TEAM, 0);
    for (int i = 0; i < ng; i++) Spieler_Daten[g[i]].gedeckt_von = -1;
    if (prozent <= 0) return;
    int anzahl = std::min(prozent / 20, 5);
    // The opponent's most dangerous starters: attackers and midfielders by strength.
    ng = Teamspieler_Ins_Array(gegner, g, MAX_SPIELER_PRO_TEAM, SP_STATUS_AUFGESTELLT);
    std::vector<int> gefahr;
    for (int i = 0; i < ng; i++)
        if (Spieler_Fix_Daten[g[i]].position >= 2) gefahr.push_back(g[i]);
    std::stable_sort(gefahr.begin(), gefahr.end(),
                     [](int a, int b) { return Spieler_Daten[a].staerke > Spieler_Daten[b].staerke; });
    int ne = Teamspieler_Ins_Array(team, e, MAX_SPIELER_PRO_TEAM, SP_STATUS_AUFGESTELLT);
    std::vector<bool> vergeben(static_cast<size_t>(ne), false);
    for (int i = 0; i < anzahl && i < static_cast<int>(gefahr.size()); i++) {
        const Spieler_Struktur& o = Spieler_Daten[gefahr[static_cast<size_t>(i)]];
        // The opponent attacks towards our goal: his row r faces our row 10 - r.
        int best = -1, best_d = 1 << 30;
        for (int j = 0; j < ne; j++) {
            const Spieler_Struktur& m = Spieler_Daten[e[j]];
            if (vergeben[static_cast<size_t>(j)] || m.zeile == 0) continue;
            int dz = (10 - o.zeile) - m.zeile, ds = (6 - o.spalte) - m.spalte;
            int d = dz * dz + ds * ds;
            if (d < best_d) {
                best_d = d;
                best = j;
            }
        }
        if (best < 0) break;
        vergeben[static_cast<size_t>(best)] = true;
        Spieler_Daten[gefahr[static_cast<size_t>(i)]].gedeckt_von = e[best];
    }
}

void Team_Get_Aktuelle_Taktik(int team, u8 taktik[7]) {
    if (team < 0 || team >= Team_Anzahl) {
        std::memset(taktik, 0, 7);
        return;
    }
    std::memcpy(taktik, Team_Own_Daten[team].taktik, 7);
}

bool Team_Set_Aktuelle_Taktik(int team, const u8 taktik[7]) {
    if (team < 0 || team >= Team_Anzahl) return false;
    if (ruf::Client() && team != Aktuelles_Team) return false;
    for (int i = 0; i < TAKTIK_WERTE; i++) Team_Own_Daten[team].taktik[i] = std::min(taktik[i], TAKTIK_GRENZE[i]);
    return true;
}

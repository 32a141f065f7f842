// Team operations.
#include "world/modi.h"
#include "world/team.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/files.h"
#include "base/globals.h"
#include "base/random.h"
#include "base/ruf.h"
#include "base/tempstr.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/konfig.h"
#include "world/leben.h"
#include "world/manager.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {
Team_Hooks hooks;
bool ok(int t) { return t >= 0 && t < Team_Anzahl && Team_Daten; }
}  // namespace

void Team_Set_Hooks(const Team_Hooks& h) { hooks = h; }

u32 Team_Get_Art(int t) {
    if (!ok(t)) return 0;
    u32 art = Team_Daten[t].art | (static_cast<u32>(Team_Daten[t].art_hoch) << 8);
    // Clubs of a top league may be drawn into an international fill-up.
    if ((art & TEAM_ART_VEREIN) && Team_Get_Ebene(t) == 1) art |= TEAM_ART_AUFFUELLEN;
    return art;
}

bool Team_Ist_Normal(int t, u32 maske) {
    if (!ok(t)) return false;
    u32 art = Team_Get_Art(t);
    if (maske == 0) return (art & TEAM_ART_VEREIN) != 0;
    return (art & maske) != 0;
}

bool Team_Ist_Verein(int t) { return ok(t) && t != Team_Transfermarkt && (Team_Daten[t].art & TEAM_ART_VEREIN); }

bool Team_Managebar(int t) {
    if (!ok(t) || t == Team_Transfermarkt) return false;
    const u32 art = Team_Get_Art(t);
    return (art & TEAM_ART_VEREIN) && !(art & (TEAM_ART_NATIONALTEAM | TEAM_ART_TRANSFERMARKT));
}

int Team_Get_Teams_Von_Nation(int nation, u32* aus, int sortiert, int ohne_liga) {
    std::vector<u32> l;
    for (int t = 0; t < Team_Anzahl; t++) {
        if (!(Team_Get_Art(t) & TEAM_ART_VEREIN) || Team_Daten[t].nation != nation) continue;
        if (!ohne_liga && Team_Daten[t].liga < 0 && Team_Get_Ebene(t) == 0) continue;
        l.push_back(static_cast<u32>(t));
    }
    if (sortiert)
        std::stable_sort(l.begin(), l.end(), [](u32 a, u32 b) {
            int ea = Team_Get_Ebene(static_cast<int>(a)), eb = Team_Get_Ebene(static_cast<int>(b));
            if (ea == 0) ea = 99;
            if (eb == 0) eb = 99;
            return ea < eb;
        });
    if (aus)
        for (size_t i = 0; i < l.size(); i++) aus[i] = l[i];
    return static_cast<int>(l.size());
}

bool Team_Land_Hat_Vereine(int land) { return Team_Get_Teams_Von_Nation(land, nullptr, 0, 0) > 0; }

bool Team_Land_Hat_Wettbewerbe(int land) { return hooks.land_hat_wettbewerbe(land); }

int Team_Suche_Zufaelligen_Spieler_Von_Kontinent(int kontinent) {
    std::vector<int> l;
    for (int t = 0; t < Team_Anzahl; t++)
        if ((Team_Daten[t].status & TEAM_STATUS_LAND) && Team_Daten[t].kontinent == kontinent) l.push_back(t);
    if (l.empty()) return -1;
    return l[static_cast<size_t>(Rnd_Basis(0, static_cast<i32>(l.size()) - 1))];
}

// German numbers: a decimal comma.
const char* Team_Halbwert_String(int v) { return Temp_Sprintf("%d,%d", v / 2, (v % 2) ? 5 : 0); }

int Team_Get_Attribut_Text(int t, u32 filter) {
    i32 s[MAX_SPIELER_PRO_TEAM];
    int n = Teamspieler_Ins_Array(t, s, MAX_SPIELER_PRO_TEAM, filter), r = 0;
    for (int i = 0; i < n; i++) {
        i32 a[ATTRIBUT_ANZAHL];
        r += std::min(3, Attribute_Get_Attribute(s[i], a, ATTRIBUT_ANZAHL, 0));
    }
    return r;
}

void Team_Get_Spieler_Art_Array(int t, i32 aus[4], int, int) {
    aus[0] = aus[1] = aus[2] = aus[3] = 0;
    for (int i = 0; i < Team_Kader_Anzahl(t); i++) aus[Spieler_Fix_Daten[Team_Kader(t)[i]].position & 3]++;
}

bool Team_Spieler_Tauschen(int a, int b, int sa, int sb, int) {
    if (!ok(a) || !ok(b) || a == b || sa < 0 || sb < 0 || sa >= Spieler_Anzahl || sb >= Spieler_Anzahl) return false;
    if (Welt_Client_Fremd(a) || Welt_Client_Fremd(b)) return false;
    if (!Team_Kader_Ersetzen(a, sa, sb)) return false;
    if (!Team_Kader_Ersetzen(b, sb, sa)) {
        Team_Kader_Ersetzen(a, sb, sa);
        return false;
    }
    // Each takes the other's place: slot, starter/substitute bits, cell.
    Spieler_Tauschen_Intern(sa, sb, a, b);
    Spieler_Daten[sa].team = b;
    Spieler_Daten[sb].team = a;
    Team_Rueckennummer_Vergeben(a, sb);
    Team_Rueckennummer_Vergeben(b, sa);
    return true;
}

void Team_Schwaeche_Zufallsspieler(int t) {
    int n = Team_Kader_Anzahl(t);
    if (n == 0) return;
    for (int i = 0; i < 4; i++) {
        int s = Team_Kader(t)[Rnd_Basis(0, n - 1)];
        Spieler_Wert(SPIELER_WERT_STAERKE_FEIN, s, Spieler_Daten[s].staerke_fein / 2, OP_SCHREIBEN);
    }
}

bool Team_Set_Moral(int prozent) {
    if (prozent == 0 || prozent < -100 || prozent > 100) return false;
    for (int t = 0; t < Team_Anzahl; t++) {
        if (!Team_Ist_Normal(t, 0)) continue;
        for (int i = 0; i < Team_Kader_Anzahl(t); i++) {
            Spieler_Struktur& s = Spieler_Daten[Team_Kader(t)[i]];
            int m = s.moral + (prozent * 6 + (prozent > 0 ? 50 : -50)) / 100;
            s.moral = static_cast<u8>(std::clamp(m, 0, 6));
        }
    }
    return true;
}

void Team_Set_Basisdaten(int wettbewerb, int t) {
    if (ruf::Client()) return;
    if (wettbewerb == -1 && t == -1) {
        for (int k = 0; Team_Daten && k < Team_Anzahl; k++) {
            i32 liga = hooks.basisliga(k);
            Team_Set_Basisdaten(liga >= -1 ? liga : Team_Daten[k].liga, k);
        }
        return;
    }
    if (!ok(t) || wettbewerb < -1) return;
    Team_Daten[t].liga = wettbewerb;
    for (int i = 0; i < Team_Kader_Anzahl(t); i++) Spieler_Daten[Team_Kader(t)[i]].wettbewerb = wettbewerb;
}

void Team_Set_Finanzdaten(int t, int art) {
    if (!ok(t)) return;
    // Transfers of the season by league level; promotion brings one more, relegation one less.
    int e = Team_Get_Ebene(t);
    int transfers = e == 1 ? 5 : e == 2 ? 4 : 3;
    if (art == 1) transfers++;
    if (art == 2) transfers--;
    Team_Daten[t].transfers = static_cast<i16>(transfers);
    Team_Daten[t].wert21 = static_cast<decltype(Team_Daten[t].wert21)>(transfers);
    if (art == 1) Team_Aufstiegsgeld_Buchen(t);
}

f64 Team_Aufstiegsgeld(int t) {
    if (!ok(t) || !Team_Ist_Verein(t)) return 0;
    return Leben_Gehaltssumme(t) * TEAM_AUFSTIEG_MONATE;
}

bool Team_Aufstiegsgeld_Buchen(int t) {
    if (ruf::Client() || !ok(t) || !Bank_Konto_Offen(t)) return false;
    const f64 geld = Team_Aufstiegsgeld(t);
    return geld >= 1 && Bank_Buchen(-1, t, static_cast<f32>(geld), BANK_EINNAHME, 1, -1);
}

void Team_Init_Spieler_Nach_Liga(const i32* teams, int anzahl) {
    for (int i = 0; teams && i < anzahl; i++) {
        int t = teams[i];
        if (!ok(t)) continue;
        for (int k = 0; k < Team_Kader_Anzahl(t); k++) {
            Spieler_Struktur& s = Spieler_Daten[Team_Kader(t)[k]];
            s.liga_wert[0] = s.liga_wert[1] = s.liga_wert[2] = 0;
            s.wettbewerb = Team_Daten[t].liga;
        }
    }
}

void Team_Vergleiche_Abw_Mit_Stu(int a, int b, i32 aus[4], u32) {
    aus[0] = aus[1] = aus[2] = aus[3] = 0;
    if (!ok(a) || !ok(b)) return;
    auto linie = [](int t, int klasse) {
        i32 s[MAX_SPIELER_PRO_TEAM];
        int n = Teamspieler_Ins_Array(t, s, MAX_SPIELER_PRO_TEAM, SP_STATUS_AUFGESTELLT), summe = 0, zahl = 0;
        for (int i = 0; i < n; i++)
            if (Spieler_Fix_Daten[s[i]].position == klasse || (klasse == 1 && Spieler_Fix_Daten[s[i]].position == 0)) {
                summe += Spieler_Daten[s[i]].staerke;
                zahl++;
            }
        return zahl ? summe * 100 / (zahl * 12) : 0;
    };
    aus[0] = linie(a, 1);
    aus[1] = linie(b, 3);
    int summe = aus[0] + aus[1];
    aus[2] = summe ? aus[0] * 100 / summe : 50;
    aus[3] = 100 - aus[2];
}

// A computer club now and then (one match in twenty, while it has transfers
// left) swaps its weakest reserve for the best market player of the same
// position who is not stronger than the club's average: clubs keep their
// level and the market's stars stay for the human managers.
static void computer_transfer(int t) {
    if (Team_Daten[t].transfers <= 0 || Rnd_Basis(0, 19) != 0) return;
    int schwach = -1;
    for (int i = 0; i < Team_Kader_Anzahl(t); i++) {
        int s = Team_Kader(t)[i];
        if (Spieler_Daten[s].slot < 17) continue;
        if (schwach < 0 || Spieler_Daten[s].staerke < Spieler_Daten[schwach].staerke) schwach = s;
    }
    if (schwach < 0) return;
    int schnitt = Team_Get_Staerke(t) / MAX_SPIELER_PRO_TEAM;
    int best = -1;
    const int m = Team_Transfermarkt;
    for (int i = 0; i < Team_Kader_Anzahl(m); i++) {
        int s = Team_Kader(m)[i];
        const Spieler_Struktur& p = Spieler_Daten[s];
        if ((p.status & (SP_STATUS_SCOUT | SP_STATUS_NICHT_SPIELBEREIT)) || p.staerke > schnitt) continue;
        if (Spieler_Fix_Daten[s].position != Spieler_Fix_Daten[schwach].position) continue;
        if (best < 0 || p.staerke > Spieler_Daten[best].staerke) best = s;
    }
    if (best >= 0 && Spieler_Daten[best].staerke > Spieler_Daten[schwach].staerke)
        Spieler_Tauschen(t, m, schwach, best, 0);
}

void Team_Simuliere_Computerteam(int t) {
    if (!ok(t) || ruf::Client()) return;
    for (int i = 0; i < Team_Kader_Anzahl(t); i++) {
        Spieler_Struktur& s = Spieler_Daten[Team_Kader(t)[i]];
        if (s.erschoepfung > 0) s.erschoepfung--;
        s.trainings = 0;
        if (s.status & SP_STATUS_VERLETZT) {
            s.verletzung_dauer = static_cast<i16>(std::max(0, s.verletzung_dauer - 3));
            if (s.verletzung_dauer == 0) s.status &= ~SP_STATUS_VERLETZT;
        }
    }
    if (!Team_Hat_Manager(t)) {
        if (Team_Ist_Normal(t, 0)) computer_transfer(t);
        Aufstellung_Automatisch(t);
    } else if (Team_Manager_Fort(t)) {
        // His squad stays his; the computer fields its best eleven meanwhile.
        Aufstellung_Automatisch(t);
    } else if (Manager_Icon_Button_Lesen(t, ICON_AUTOMATISCHES_TRAINING)) {
        hooks.automatisches_training(t);
    }
}

void Team_Dauerspiel() {
    for (int r = 0; r < 34; r++)
        for (int t = 0; t < Team_Anzahl; t++)
            if (Team_Ist_Normal(t, 0)) Team_Simuliere_Computerteam(t);
}

void Team_Reset_User_Active_Alle() {
    for (int t = 0; t < Team_Anzahl; t++) Team_Daten[t].status &= ~TEAM_STATUS_USER_AKTIV;
}

void Team_Reset_User_Active(int team) {
    if (team >= 0 && team < Team_Anzahl) Team_Daten[team].status &= ~TEAM_STATUS_USER_AKTIV;
}

void Team_Set_Automatische_Aufstellung(int team) {
    if (team >= 0 && team < Team_Anzahl)
        Team_Own_Daten[team].formation = static_cast<i8>(Team_Own_Daten[team].formation | 0x80);
}

void Team_Set_Liga(int team, i32 liga) {
    if (team >= 0 && team < Team_Anzahl) Team_Daten[team].liga = liga;
}

void Team_Reset_User_Active_Andere() {
    for (int t = 0; t < Team_Anzahl; t++)
        if (t != Team_Aktiv) Team_Daten[t].status &= ~TEAM_STATUS_USER_AKTIV;
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
void Team_Transferfenster_Refresh_Alle() {
    for (int t = 0; t < Team_Anzahl; t++)
        for (int i = 0; i < 11; i++) {
            i32& s = Team_Own_Daten[t].transferfenster[i];
            if (s >= 0 && (s >= Spieler_Anzahl || Spieler_Daten[s].team != Team_Transfermarkt)) s = -1;
        }
}

// Crest photos are looked up by the picture layer; without one no team has the bit.
void Team_Set_Wappen_Flags() {
    if (!Team_Daten) return;
    std::vector<u8> foto(static_cast<size_t>(Team_Anzahl), 0);
    const char* ordner = W32_Dir_Tabelle[W32_DIR_WAPPENBILDER];
    if (ordner[0]) {
        constexpr int MAX_BILDER = 4000;
        std::vector<char> namen(static_cast<size_t>(MAX_BILDER) * W32_DIR_LAENGE);
        i32 n = W32_Dir_List_Files(ordner, "*.jpg", MAX_BILDER, namen.data());
        for (i32 i = 0; i < n; i++) {
            const char* name = &namen[static_cast<size_t>(i) * W32_DIR_LAENGE];
            int nummer = 0, ziffern = 0;
            while (ziffern < 5 && name[ziffern] >= '0' && name[ziffern] <= '9')
                nummer = nummer * 10 + (name[ziffern++] - '0');
            // "17.jpg" names team 17; a name without leading digits names nobody.
            if (ziffern == 0) continue;
            if (nummer < Team_Anzahl) foto[static_cast<size_t>(nummer)] = 1;
        }
    }
    for (int t = 0; t < Team_Anzahl; t++) {
        if (foto[static_cast<size_t>(t)]) Team_Daten[t].status |= TEAM_STATUS_WAPPENFOTO;
        else Team_Daten[t].status &= ~TEAM_STATUS_WAPPENFOTO;
    }
}

void Team_Init_Aufstellung(int t) {
    if (ok(t) && t != Team_Transfermarkt) Aufstellung_Automatisch(t);
}

// KEIN_AUFRUFER: one of the module's named procedures; a new season's line-ups come from Team_Nach_Spieler.
void Team_Init_Aufstellungen() {
    for (int t = 0; t < Team_Anzahl; t++) Team_Init_Aufstellung(t);
}

void Team_Free(int mit_managern) {
    (void)mit_managern;
    Welt_Freigeben();
}

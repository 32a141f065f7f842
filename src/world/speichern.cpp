// Save-game and cache blocks of players, teams and managers; registration.
#include "world/speichern.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "base/datei.h"
#include "base/debug.h"
#include "base/memory.h"
#include "base/spielstand.h"
#include "world/bank.h"
#include "world/konfig.h"
#include "world/spieler.h"
#include "world/stadion.h"
#include "world/welt.h"
#include "world/werbung.h"

// Teams' alias names and levels live with the configuration module.
void Welt_Konfig_Setzen(const std::vector<std::string>& alias, const std::vector<u8>& ebene);

namespace {

constexpr u32 VERSION = 1;
constexpr u32 MAX_SPIELER = SPIELER_ANZAHL_MAX;

struct Stand {
    bool spieler = false, teams = false, manager_da = false;
    std::vector<Spieler_Struktur> s;
    std::vector<Spieler_Fix> sf;
    std::vector<Spieler_Client_Egal> sx;
    std::vector<u8> flags;
    std::vector<Team_Struktur> t;
    std::vector<Team_Fix> tf;
    std::vector<Team_Own> to;
    std::vector<std::vector<i32>> kader;
    std::vector<std::string> alias;
    std::vector<u8> ebene;
    i32 g[10] = {};
    u16 heimnation = 65535;
    std::vector<std::pair<u32, Manager_Struktur>> manager;
};
Stand neu;

bool schreiben_u32(Datei_Status* d, u32 v) {
    return Datei_Schreiben_Felder(d, [&](bytes::Schreiber& s) { s(v); });
}
bool lesen_u32(Datei_Status* d, u32* v) {
    return Datei_Lesen_Felder(d, 4, [&](bytes::Leser& l) { l(*v); });
}

// `n` records as one packed block.
template <class T>
bool feld_schreiben(Datei_Status* d, const T* r, u32 n) {
    return Datei_Schreiben_Felder(
        d, [&](bytes::Schreiber& s) { bytes::feld_schreiben(s, r, n); }, true);
}

// A loaded record's check (-1 fine, else the mode outside its bounds) for
// the debug log.
bool wert_gueltig(const char* art, u32 nummer, int modus) {
    if (modus < 0) return true;
    Debug_Printf("Spielstand: %s %u, Wert %d ausserhalb der Grenzen\n", art, nummer, modus);
    return false;
}

template <class T>
bool feld_lesen(Datei_Status* d, std::vector<T>* v, u32 n) {
    v->resize(n);
    if (n == 0) return true;
    return Datei_Lesen_Felder(
        d, n * bytes::groesse<T>(), [&](bytes::Leser& l) { bytes::feld_lesen(l, v->data(), n); }, true);
}

// The team block's globals: ten i32 and the home nation (44 bytes).
constexpr size_t GLOBALE_GROESSE = 44;
// Longest alias name kept per team.
constexpr size_t ALIAS_MAX = 60;

}  // namespace

// The player records' fields lie in memory in the order of their images,
// each right after the one before: the player arrays are written at once
// (the world's cache and every save take some tens of thousands of them).
#define KORDAVO_DANACH(T, a, b) (offsetof(T, b) == offsetof(T, a) + sizeof(T::a))
static_assert(offsetof(Spieler_Struktur, attribut) == 0 && KORDAVO_DANACH(Spieler_Struktur, attribut, spiele) &&
                  KORDAVO_DANACH(Spieler_Struktur, spiele, erschoepfung) &&
                  KORDAVO_DANACH(Spieler_Struktur, erschoepfung, moral) &&
                  KORDAVO_DANACH(Spieler_Struktur, moral, wert57) &&
                  KORDAVO_DANACH(Spieler_Struktur, wert57, staerke_fein) &&
                  KORDAVO_DANACH(Spieler_Struktur, staerke_fein, verletzung_art) &&
                  KORDAVO_DANACH(Spieler_Struktur, verletzung_art, staerke) &&
                  KORDAVO_DANACH(Spieler_Struktur, staerke, verletzung_dauer) &&
                  KORDAVO_DANACH(Spieler_Struktur, verletzung_dauer, status) &&
                  KORDAVO_DANACH(Spieler_Struktur, status, spalte) && KORDAVO_DANACH(Spieler_Struktur, spalte, zeile) &&
                  KORDAVO_DANACH(Spieler_Struktur, zeile, rueckennummer) &&
                  KORDAVO_DANACH(Spieler_Struktur, rueckennummer, slot) &&
                  KORDAVO_DANACH(Spieler_Struktur, slot, marktwert) &&
                  KORDAVO_DANACH(Spieler_Struktur, marktwert, team) &&
                  KORDAVO_DANACH(Spieler_Struktur, team, wettbewerb) &&
                  KORDAVO_DANACH(Spieler_Struktur, wettbewerb, liga_wert) &&
                  KORDAVO_DANACH(Spieler_Struktur, liga_wert, max_staerke) &&
                  KORDAVO_DANACH(Spieler_Struktur, max_staerke, trainings) &&
                  KORDAVO_DANACH(Spieler_Struktur, trainings, trainingsgeld) &&
                  KORDAVO_DANACH(Spieler_Struktur, trainingsgeld, gedeckt_von) &&
                  KORDAVO_DANACH(Spieler_Struktur, gedeckt_von, liga_wort) &&
                  KORDAVO_DANACH(Spieler_Struktur, liga_wort, wert74) && KORDAVO_DANACH(Spieler_Struktur, wert74, frei),
              "a player's fields lie in the order of his image");
static_assert(offsetof(Spieler_Fix, aussehen) == 0 && KORDAVO_DANACH(Spieler_Fix, aussehen, haarfarbe) &&
                  KORDAVO_DANACH(Spieler_Fix, haarfarbe, hautfarbe) && KORDAVO_DANACH(Spieler_Fix, hautfarbe, nation) &&
                  KORDAVO_DANACH(Spieler_Fix, nation, position) && KORDAVO_DANACH(Spieler_Fix, position, frei1) &&
                  KORDAVO_DANACH(Spieler_Fix, frei1, geburtsjahr) && KORDAVO_DANACH(Spieler_Fix, geburtsjahr, frei),
              "a player's fixed fields lie in the order of their image");
static_assert(offsetof(Spieler_Client_Egal, nachname) == 0 &&
                  KORDAVO_DANACH(Spieler_Client_Egal, nachname, vorname) &&
                  KORDAVO_DANACH(Spieler_Client_Egal, vorname, frei),
              "a player's texts lie in the order of their image");
#undef KORDAVO_DANACH

namespace {
template <class T>
bool feld_am_stueck(Datei_Status* d, const T* r, u32 n) {
    return Datei_Schreiben_Felder(
        d, [&](bytes::Schreiber& s) { bytes::feld_wie_im_speicher(s, r, n); }, true);
}
}  // namespace

bool Spieler_Block_Schreiben(Datei_Status* d) {
    u32 n = static_cast<u32>(Spieler_Anzahl);
    bool ok = schreiben_u32(d, VERSION) && schreiben_u32(d, n);
    if (ok && n) {
        ok = feld_am_stueck(d, Spieler_Daten, n) && feld_am_stueck(d, Spieler_Fix_Daten, n) &&
             feld_am_stueck(d, Spieler_Texte, n) && feld_am_stueck(d, Spieler_Flags, n);
    }
    return ok;
}

bool Spieler_Block_Lesen(Datei_Status* d) {
    u32 v, n;
    if (!lesen_u32(d, &v) || v != VERSION || !lesen_u32(d, &n) || n > MAX_SPIELER) return false;
    if (!feld_lesen(d, &neu.s, n) || !feld_lesen(d, &neu.sf, n) || !feld_lesen(d, &neu.sx, n) ||
        !feld_lesen(d, &neu.flags, n))
        return false;
    for (auto& x : neu.sx) {
        x.nachname[sizeof x.nachname - 1] = 0;
        x.vorname[sizeof x.vorname - 1] = 0;
    }
    for (u32 i = 0; i < n; i++) {
        if (!wert_gueltig("Spieler", i, Spieler_Werte_Pruefen(neu.s[i], neu.sf[i]))) return false;
        if (!Felder_Pruefen("Spieler", neu.sf[i], SPIELER_FIX_FELDER)) return false;
        if (neu.s[i].gedeckt_von >= static_cast<i32>(n)) return wert_gueltig("Spieler", i, 99);  // marker
    }
    neu.spieler = true;
    return true;
}

bool Team_Block_Schreiben(Datei_Status* d) {
    u32 n = static_cast<u32>(Team_Anzahl);
    // Slot 8 holds the union president, slot 9 marks that it does (1).
    const i32 werte[10] = {Team_Transfermarkt,
                           Team_Aktiv,
                           Team_Ansicht,
                           Team_Auswaerts,
                           Aktuelles_Team,
                           Spielstart_Beendet,
                           Schwierigkeit,
                           Server_Lokales_Team,
                           Spieler_Get_Gewerkschafts_Praesi(),
                           1};
    bool ok = schreiben_u32(d, VERSION) && schreiben_u32(d, n) &&
              Datei_Schreiben_Felder(d, [&](bytes::Schreiber& s) { s(werte), s(Team_Heimnation), s(u16{0}); });
    if (ok && n) {
        ok = feld_schreiben(d, Team_Daten, n) && feld_schreiben(d, Team_Fix_Daten, n) &&
             feld_schreiben(d, Team_Own_Daten, n);
    }
    for (u32 t = 0; ok && t < n; t++) {
        const int team = static_cast<int>(t);
        const std::string a = Team_Alias_Name(team);
        const u8 laenge = static_cast<u8>(std::min(a.size(), ALIAS_MAX));
        ok = Datei_Schreiben_Felder(d, [&](bytes::Schreiber& s) {
            s(static_cast<u32>(Team_Kader_Anzahl(team)));
            bytes::feld_schreiben(s, Team_Kader(team), static_cast<size_t>(Team_Kader_Anzahl(team)));
            s(laenge), s(static_cast<u8>(Team_Get_Ebene(team)));
            s.bytes(a.data(), laenge);
        });
    }
    return ok;
}

bool Team_Block_Lesen(Datei_Status* d) {
    u32 v, n;
    if (!lesen_u32(d, &v) || v != VERSION || !lesen_u32(d, &n) || n == 0 || n > static_cast<u32>(MAX_TEAMS))
        return false;
    u16 frei = 0;
    if (!Datei_Lesen_Felder(d, GLOBALE_GROESSE, [&](bytes::Leser& l) { l(neu.g), l(neu.heimnation), l(frei); }))
        return false;
    if (!feld_lesen(d, &neu.t, n) || !feld_lesen(d, &neu.tf, n) || !feld_lesen(d, &neu.to, n)) return false;
    u32 spieler = neu.spieler ? static_cast<u32>(neu.s.size()) : static_cast<u32>(Spieler_Anzahl);
    neu.kader.assign(n, {});
    neu.alias.assign(n, "");
    neu.ebene.assign(n, 0);
    for (u32 t = 0; t < n; t++) {
        u32 k;
        if (!lesen_u32(d, &k) || k > static_cast<u32>(TRANSFERMARKT_SPIELER)) return false;
        auto& kv = neu.kader[t];
        kv.resize(k);
        u8 laenge = 0;
        if (!Datei_Lesen_Felder(
                d, k * 4 + 2, [&](bytes::Leser& l) { bytes::feld_lesen(l, kv.data(), k), l(laenge), l(neu.ebene[t]); }))
            return false;
        for (i32 s : kv)
            if (s < 0 || static_cast<u32>(s) >= spieler) return false;
        if (laenge > ALIAS_MAX) return false;
        char a[ALIAS_MAX + 1] = {};
        if (laenge && !Datei_Lesen_Felder(d, laenge, [&](bytes::Leser& l) { l.bytes(a, laenge); })) return false;
        neu.alias[t] = a;
        Team_Fix& f = neu.tf[t];
        f.name[sizeof f.name - 1] = f.kurzname[sizeof f.kurzname - 1] = 0;
        f.stadion[sizeof f.stadion - 1] = f.stadt[sizeof f.stadt - 1] = 0;
        neu.to[t].formation = static_cast<i8>(neu.to[t].formation & 0x8F);
    }
    if (neu.g[0] < 0 || static_cast<u32>(neu.g[0]) >= n) return false;  // transfer market
    if (neu.g[6] < 0 || neu.g[6] > 4) return false;                     // difficulty
    // The other teams named (active, viewed, away, current, the server's own) and the start flag.
    for (int i : {1, 2, 3, 4, 7})
        if (neu.g[i] < -1 || neu.g[i] >= static_cast<i32>(n)) return false;
    if (neu.g[5] < 0 || neu.g[5] > 1 || neu.g[9] < 0 || neu.g[9] > 1) return false;
    if (neu.heimnation != 65535 && neu.heimnation >= n) return false;
    const i32 teams = static_cast<i32>(n);
    for (u32 t = 0; t < n; t++) {
        if (!wert_gueltig("Team", t, Team_Werte_Pruefen(neu.t[t], neu.to[t]))) return false;
        if (neu.t[t].nation >= teams) return wert_gueltig("Team", t, 6);  // country
    }
    // The players' clubs and countries are among the teams.
    for (u32 i = 0; neu.spieler && i < neu.s.size(); i++)
        if (neu.s[i].team >= teams || neu.sf[i].nation >= teams) return wert_gueltig("Spieler", i, 86);
    neu.teams = true;
    return true;
}

bool Manager_Block_Schreiben(Datei_Status* d) {
    std::vector<u32> teams;
    for (int t = 0; t < Team_Anzahl; t++)
        if (Team_Manager && Team_Manager[t]) teams.push_back(static_cast<u32>(t));
    bool ok = schreiben_u32(d, VERSION) && schreiben_u32(d, static_cast<u32>(teams.size()));
    for (u32 t : teams) ok = ok && schreiben_u32(d, t) && feld_schreiben(d, Team_Manager[t], 1);
    return ok;
}

bool Manager_Block_Lesen(Datei_Status* d) {
    u32 v, n;
    if (!lesen_u32(d, &v) || v != VERSION || !lesen_u32(d, &n) || n > static_cast<u32>(MAX_TEAMS)) return false;
    neu.manager.clear();
    for (u32 i = 0; i < n; i++) {
        u32 t;
        std::vector<Manager_Struktur> m;
        if (!lesen_u32(d, &t) || t >= static_cast<u32>(MAX_TEAMS) || !feld_lesen(d, &m, 1)) return false;
        if (!wert_gueltig("Manager", t, Manager_Werte_Pruefen(m[0]))) return false;
        neu.manager.emplace_back(t, m[0]);
    }
    neu.manager_da = true;
    return true;
}

void Welt_Block_Verwerfen() { neu = Stand(); }

void Welt_Block_Uebernehmen() {
    if (!neu.teams) {
        Welt_Block_Verwerfen();
        return;
    }
    // Managers not read with this load keep theirs only when no manager block came.
    std::vector<std::pair<u32, Manager_Struktur>> manager = std::move(neu.manager);
    if (!neu.manager_da) {
        for (int t = 0; t < Team_Anzahl; t++)
            if (Team_Manager && Team_Manager[t]) manager.emplace_back(static_cast<u32>(t), *Team_Manager[t]);
    }
    int teams = static_cast<int>(neu.t.size());
    int spieler = neu.spieler ? static_cast<int>(neu.s.size()) : Spieler_Anzahl;
    if (!neu.spieler) {
        neu.s.assign(Spieler_Daten, Spieler_Daten + Spieler_Anzahl);
        neu.sf.assign(Spieler_Fix_Daten, Spieler_Fix_Daten + Spieler_Anzahl);
        neu.sx.assign(Spieler_Texte, Spieler_Texte + Spieler_Anzahl);
        neu.flags.assign(Spieler_Flags, Spieler_Flags + Spieler_Anzahl);
    }
    if (!Welt_Anlegen(teams, spieler)) {
        Welt_Block_Verwerfen();
        return;
    }
    std::memcpy(Team_Daten, neu.t.data(), neu.t.size() * sizeof(Team_Struktur));
    std::memcpy(Team_Fix_Daten, neu.tf.data(), neu.tf.size() * sizeof(Team_Fix));
    std::memcpy(Team_Own_Daten, neu.to.data(), neu.to.size() * sizeof(Team_Own));
    if (spieler) {
        std::memcpy(Spieler_Daten, neu.s.data(), neu.s.size() * sizeof(Spieler_Struktur));
        std::memcpy(Spieler_Fix_Daten, neu.sf.data(), neu.sf.size() * sizeof(Spieler_Fix));
        std::memcpy(Spieler_Texte, neu.sx.data(), neu.sx.size() * sizeof(Spieler_Client_Egal));
        std::memcpy(Spieler_Flags, neu.flags.data(), neu.flags.size());
    }
    for (int t = 0; t < teams; t++)
        for (i32 s : neu.kader[static_cast<size_t>(t)]) Team_Kader_Einfuegen(t, s);
    Welt_Konfig_Setzen(neu.alias, neu.ebene);
    Team_Transfermarkt = neu.g[0];
    Team_Aktiv = neu.g[1];
    Team_Ansicht = neu.g[2];
    Team_Auswaerts = neu.g[3];
    Aktuelles_Team = neu.g[4];
    Spielstart_Beendet = neu.g[5];
    Schwierigkeit = neu.g[6];
    Server_Lokales_Team = neu.g[7];
    Team_Heimnation = neu.heimnation;
    Spieler_Set_Gewerkschafts_Praesi_Wert(neu.g[9] == 1 ? neu.g[8] : -1);
    for (auto& [t, m] : manager) {
        if (static_cast<int>(t) >= teams || Team_Manager[t]) continue;
        auto* r = static_cast<Manager_Struktur*>(W32_Memory_H_Alloc(sizeof(Manager_Struktur), "Manager"));
        if (!r) continue;
        *r = m;
        r->daten.name[sizeof r->daten.name - 1] = 0;
        r->daten.team = static_cast<i32>(t);
        Team_Manager[t] = r;
        Manager_Anzahl++;
    }
    Welt_Block_Verwerfen();
}

namespace {
void nichts() {}
bool bank_s(Datei_Status* d) { return Bank_Speichern(d); }
bool bank_l(Datei_Status* d) { return Bank_Laden(d); }
}  // namespace

i32 Welt_Block_Team_Anzahl() { return neu.t.empty() ? Team_Anzahl : static_cast<i32>(neu.t.size()); }

void Welt_Spielstand_Anmelden() {
    // The accounts and the players are the largest blocks and read only
    // their own data: written beside the others.
    const Spielstand_Modul bank{"Bank", bank_s, bank_l, Bank_Uebernehmen, Bank_Verwerfen, nullptr, true};
    const Spielstand_Modul werbung{"Werbung", Werbung_Speichern, Werbung_Laden, Werbung_Uebernehmen, Werbung_Verwerfen};
    const Spielstand_Modul manager{"Manager", Manager_Block_Schreiben, Manager_Block_Lesen, nichts,
                                   Welt_Block_Verwerfen};
    const Spielstand_Modul spieler{"Spieler", Spieler_Block_Schreiben, Spieler_Block_Lesen, nichts,
                                   Welt_Block_Verwerfen, nullptr, true};
    const Spielstand_Modul teams{"Teams", Team_Block_Schreiben, Team_Block_Lesen, Welt_Block_Uebernehmen,
                                 Welt_Block_Verwerfen};
    const Spielstand_Modul stadien{"Stadien", Stadion_Speichern, Stadion_Laden, Stadion_Uebernehmen, Stadion_Verwerfen};
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_BANK, bank);
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_WERBUNG, werbung);
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_MANAGER, manager);
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_SPIELER, spieler);
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_TEAMS, teams);
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_STADIEN, stadien);
    // The configuration cache: the world as read from the text files.
    Spielstand_Config_Modul_Anmelden(CONFIG_BLOCK_SPIELER, spieler);
    Spielstand_Config_Modul_Anmelden(CONFIG_BLOCK_TEAMS, teams);
    Spielstand_Config_Modul_Anmelden(CONFIG_BLOCK_STADIEN, stadien);
}

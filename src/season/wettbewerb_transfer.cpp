// The competition table on the wire (calls 1004 and 1005) and in the
// configuration cache.
#include <algorithm>
#include <cstring>
#include <vector>

#include "base/bytes.h"
#include "base/compress.h"
#include "base/datei.h"
#include "base/debug.h"
#include "base/globals.h"
#include "base/ruf.h"
#include "base/spielstand.h"
#include "season/netz_rufe.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "season/wettbewerb_felder.h"
#include "world/welt.h"

namespace {

using bytes::Leser;
using bytes::Schreiber;
using season::felder_43_bis_64;
using season::felder_75_bis_88;
using season::felder_7_bis_38;

// Largest unpacked stream accepted from the network or a cache file.
constexpr u32 MAX_STROM = WETTBEWERB_ANZAHL * static_cast<u32>(WETTBEWERB_GROESSE) * 2;

int teams_von(const Wettbewerb& w) { return std::clamp(w.teams, 0, WETTBEWERB_MAX_TEAMS); }
int spieltage_von(const Wettbewerb& w) { return std::clamp(w.spieltage, 0, WETTBEWERB_MAX_SPIELTAGE); }

// Number of pairing entries of the 1004 stream, bounded by the field.
int paarungs_eintraege(const Wettbewerb& w) {
    i64 n = 0;
    const i64 bo = std::clamp(w.best_of_x, 0, 20);
    i64 h = (teams_von(w) + 1) / 2;
    if (w.modus & WB_KO_SYSTEM) {
        for (int md = 0; md < spieltage_von(w); ++md, h = Spiele_KO_Folgerunde(static_cast<u32>(h))) n += h * bo;
    } else {
        n = h * spieltage_von(w) * bo;
    }
    return static_cast<int>(std::min<i64>(n, WETTBEWERB_PAARUNGS_BYTES / 2));
}

// The fields of the 1005 stream ahead of the start teams.
template <class IO, class W>
void status_felder(IO& io, W& w) {
    io(w.aktueller_spieltag);
    io(w.spieltage);
    io(w.ketten_spieltage[0]);
    io(w.spielplan);
    io(w.aktuelle_runde);
    io(w.sieger);
    io(w.zweiter);
}

bool text_lesen(Leser& l, char* ziel, size_t groesse) {
    u8 n = l.u8_();
    if (l.fehler || n < 1 || n > groesse) return false;
    char puffer[256];
    if (!l.bytes(puffer, n) || puffer[n - 1] != 0) return false;
    std::memset(ziel, 0, groesse);
    std::memcpy(ziel, puffer, n);
    return true;
}

bool link_ok(i32 v) { return v >= -1 && v < WETTBEWERB_ANZAHL; }

// A record read from outside: every field that indexes something must fit.
// Teams of a record: 2 up to the most, or none for a competition without
// teams of its own (the friendlies, into which single games are put).
bool teamzahl_ok(i32 teams) { return teams == 0 || (teams >= 2 && teams <= WETTBEWERB_MAX_TEAMS); }

bool pruefen(const Wettbewerb& w) {
    if (!w.name[0]) return true;
    if (!teamzahl_ok(w.teams)) return false;
    if (w.spieltage < -1 || w.spieltage > WETTBEWERB_MAX_SPIELTAGE) return false;
    if (w.startteam_anzahl < 0 || w.startteam_anzahl > WETTBEWERB_MAX_TEAMS) return false;
    if (w.quali_fuer_anzahl < 0 || w.quali_fuer_anzahl > 5) return false;
    if (w.auffuell_anzahl < 0 || w.auffuell_anzahl > 32) return false;
    if (w.quali_land_anzahl < 0 || w.quali_land_anzahl > 64) return false;
    if (w.paarungs_anzahl < 0 || w.paarungs_anzahl > WETTBEWERB_PAARUNGS_BYTES) return false;
    if (w.best_of_x < 0 || w.best_of_x > 20) return false;
    for (i32 v : {w.vorherige_runde, w.naechste_runde, w.vorherige_gruppe, w.naechste_gruppe, w.visuell_nachfolger,
                  w.visuell_vorgaenger, w.visuell_gruppe, w.wurzel})
        if (!link_ok(v)) return false;
    if (w.kalendermarke < -1 || w.kalendermarke >= 128) return false;
    return true;
}

// A whole table read from outside: every link names a record in use, every
// qualification target too, and the teams of a record exist in the world.
bool tabelle_pruefen(const Wettbewerb* t) {
    auto benannt = [t](i32 v) { return v == -1 || (v >= 0 && v < WETTBEWERB_ANZAHL && t[v].name[0]); };
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        const Wettbewerb& w = t[i];
        if (!w.name[0]) continue;
        for (i32 v : {w.vorherige_runde, w.naechste_runde, w.vorherige_gruppe, w.naechste_gruppe, w.visuell_nachfolger,
                      w.visuell_vorgaenger, w.visuell_gruppe, w.wurzel})
            if (!benannt(v)) return false;
        for (const auto& liste : w.quali_fuer)
            for (i32 z : liste)
                if (!benannt(z)) return false;
        auto team_ok = [](i32 team) { return team >= -1 && (Team_Anzahl <= 0 || team < Team_Anzahl); };
        for (i32 k = 0; k < std::clamp(w.aktuelle_teams, 0, WETTBEWERB_MAX_TEAMS); ++k)
            if (!team_ok(w.aktuelle_team[k])) return false;
        for (i32 k = 0; k < std::clamp(w.startteam_anzahl, 0, WETTBEWERB_MAX_TEAMS); ++k)
            if (!team_ok(w.start_team[k])) return false;
    }
    return true;
}

// Staging of the configuration cache block.
std::vector<Wettbewerb> bin_staging;  // empty: nothing staged
int bin_set = 0;

}  // namespace

bool Wettbewerb_Serialisieren(i32 index, std::vector<u8>& aus) {
    if (!Wettbewerb_Modul_Bereit() || index < 0 || index >= WETTBEWERB_ANZAHL) return false;
    const Wettbewerb& w = Wettbewerb_Tabelle[index];
    Schreiber s{aus};
    size_t l = strnlen(w.name, sizeof w.name - 1);
    s(static_cast<u8>(l + 1));
    s.bytes(w.name, l);
    s(static_cast<u8>(0));
    if (!w.name[0]) return true;
    size_t g = strnlen(w.gruppen_name, sizeof w.gruppen_name - 1);
    s(static_cast<u8>(g + 1));
    s.bytes(w.gruppen_name, g);
    s(static_cast<u8>(0));
    const int teams = teams_von(w);
    s(w.teams);
    s(w.modus);
    s.bytes(w.team_slots, teams);
    felder_7_bis_38(s, w);
    const int c = std::clamp(w.quali_fuer_anzahl, 0, 5);
    s(static_cast<i32>(c));
    for (int k = 0; k < c; ++k) {
        int n = 0;
        for (int p = 0; p < teams; ++p)
            if (w.quali_fuer[k][p] != -1) n = p + 1;
        s(static_cast<u8>(n));
        for (int p = 0; p < n; ++p) s(w.quali_fuer[k][p]);
    }
    s(w.laufzeit_worte);
    felder_43_bis_64(s, w);
    s(w.ketten_spieltage);
    s(w.wurzel);
    for (int i = 0; i < teams; ++i) s(w.aktuelle_team[i]);
    const int start = std::clamp(w.startteam_anzahl, 0, WETTBEWERB_MAX_TEAMS);
    for (int i = 0; i < start; ++i) s(w.start_team[i]);
    felder_75_bis_88(s, w);
    s.bytes(w.paarungen, static_cast<size_t>(paarungs_eintraege(w)) * 2);
    for (int i = 0; i < spieltage_von(w); ++i) s(w.rundentext[i]);
    return true;
}

bool Wettbewerb_Deserialisieren(i32 index, const u8* daten, u32 groesse, u32* pos) {
    if (!Wettbewerb_Modul_Bereit() || index < 0 || index >= WETTBEWERB_ANZAHL || !daten || !pos || *pos > groesse)
        return false;
    Wettbewerb w = Wettbewerb_Standard();
    Leser l(daten + *pos, groesse - *pos);
    if (!text_lesen(l, w.name, sizeof w.name)) return false;
    if (w.name[0]) {
        if (!text_lesen(l, w.gruppen_name, sizeof w.gruppen_name)) return false;
        w.teams = l.i32_();
        w.modus = l.u32_();
        if (l.fehler || !teamzahl_ok(w.teams)) return false;
        const int teams = w.teams;
        if (!l.bytes(w.team_slots, teams)) return false;
        felder_7_bis_38(l, w);
        if (w.teams != teams) return false;
        const i32 c = l.i32_();
        if (l.fehler || c < 0 || c > 5) return false;
        for (int k = 0; k < c; ++k) {
            int n = l.u8_();
            if (n > teams) return false;
            for (int p = 0; p < n; ++p) w.quali_fuer[k][p] = l.i32_();
        }
        l(w.laufzeit_worte);
        felder_43_bis_64(l, w);
        l(w.ketten_spieltage);
        l(w.wurzel);
        for (int i = 0; i < teams; ++i) l(w.aktuelle_team[i]);
        if (w.startteam_anzahl < 0 || w.startteam_anzahl > WETTBEWERB_MAX_TEAMS) return false;
        for (int i = 0; i < w.startteam_anzahl; ++i) l(w.start_team[i]);
        felder_75_bis_88(l, w);
        if (w.spieltage < -1 || w.spieltage > WETTBEWERB_MAX_SPIELTAGE || w.best_of_x < 0 || w.best_of_x > 20)
            return false;
        if (!l.bytes(w.paarungen, static_cast<size_t>(paarungs_eintraege(w)) * 2)) return false;
        for (int i = 0; i < spieltage_von(w); ++i) l(w.rundentext[i]);
        if (l.fehler || !pruefen(w)) return false;
    }
    if (l.fehler) return false;
    Wettbewerb_Tabelle[index] = w;
    *pos += static_cast<u32>(l.pos);
    return true;
}

bool Wettbewerb_Status_Serialisieren(i32 index, std::vector<u8>& aus) {
    if (!Wettbewerb_Modul_Bereit() || index < 0 || index >= WETTBEWERB_ANZAHL) return false;
    const Wettbewerb& w = Wettbewerb_Tabelle[index];
    Schreiber s{aus};
    status_felder(s, w);
    const int n = std::clamp(w.startteam_anzahl, 0, WETTBEWERB_MAX_TEAMS);
    s(static_cast<i32>(n));
    for (int i = 0; i < n; ++i) s(w.start_team[i]);
    s(w.flags);
    return true;
}

bool Wettbewerb_Status_Deserialisieren(i32 index, const u8* daten, u32 groesse, u32* pos) {
    if (!Wettbewerb_Modul_Bereit() || index < 0 || index >= WETTBEWERB_ANZAHL || !daten || !pos || *pos > groesse)
        return false;
    Wettbewerb w = Wettbewerb_Tabelle[index];
    Leser l(daten + *pos, groesse - *pos);
    status_felder(l, w);
    l(w.startteam_anzahl);
    if (l.fehler || w.startteam_anzahl < 0 || w.startteam_anzahl > WETTBEWERB_MAX_TEAMS) return false;
    for (int i = 0; i < w.startteam_anzahl; ++i) l(w.start_team[i]);
    l(w.flags);
    if (l.fehler || w.spieltage < -1 || w.spieltage > WETTBEWERB_MAX_SPIELTAGE) return false;
    Wettbewerb_Tabelle[index] = w;
    *pos += static_cast<u32>(l.pos);
    return true;
}

namespace {
std::vector<u8> packen(const std::vector<u8>& strom) {
    std::vector<u8> p(Tools_RLE_Max_Gepackt(static_cast<u32>(strom.size())));
    u32 n = Tools_RLE_Packen(strom.data(), p.data(), static_cast<u32>(strom.size()));
    p.resize(n);
    return p;
}

bool entpacken(const u8* gepackt, u32 groesse, std::vector<u8>& aus) {
    u32 n = Tools_RLE_Groesse_Entpackt(gepackt, groesse);
    if (n == 0 || n > MAX_STROM) return false;
    aus.resize(n);
    return Tools_RLE_Entpacken_Sicher(gepackt, groesse, aus.data(), n) == n;
}
}  // namespace

std::vector<u8> Wettbewerb_Internet_Server_Send_Tabelle(i32* freundschaft_id, i32* dummy_anzahl) {
    if (!Wettbewerb_Modul_Bereit()) return {};
    if (freundschaft_id) *freundschaft_id = Wettbewerb_Freundschaft_Id;
    if (dummy_anzahl) *dummy_anzahl = Wettbewerb_Dummy_Anzahl;
    std::vector<u8> strom;
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) Wettbewerb_Serialisieren(i, strom);
    return packen(strom);
}

std::vector<u8> Wettbewerb_Internet_Server_Send_Tabelle_2() {
    if (!Wettbewerb_Modul_Bereit()) return {};
    std::vector<u8> strom;
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i)
        if (Wettbewerb_Tabelle[i].name[0]) Wettbewerb_Status_Serialisieren(i, strom);
    return packen(strom);
}

namespace {

// Unpacks a stream and reads it into the table, `lesen(i, daten, groesse,
// &pos)` for each competition `nimmt(i)`; the stream must be read to its
// end and the table pass `pruefen`. The table is read in place over a copy
// of the old one, which is put back (and `meldung` logged) when anything
// fails: the table changes only when every chunk is sound.
template <class Nimmt, class Lesen, class Pruefen>
bool strom_einlesen(const u8* gepackt, u32 groesse, Nimmt nimmt, Lesen lesen, Pruefen pruefen, const char* meldung) {
    std::vector<u8> strom;
    if (!entpacken(gepackt, groesse, strom)) return false;
    std::vector<Wettbewerb> alt(Wettbewerb_Tabelle, Wettbewerb_Tabelle + WETTBEWERB_ANZAHL);
    u32 pos = 0;
    bool ok = true;
    for (int i = 0; i < WETTBEWERB_ANZAHL && ok; ++i)
        if (nimmt(i)) ok = lesen(i, strom.data(), static_cast<u32>(strom.size()), &pos);
    if (ok && pos == strom.size() && pruefen()) return true;
    if (meldung) Debug_Printf("%s", meldung);
    std::copy(alt.begin(), alt.end(), Wettbewerb_Tabelle);
    return false;
}

}  // namespace

bool Wettbewerb_Tabelle_Empfangen(const u8* gepackt, u32 groesse, i32 freundschaft_id, i32 dummy_anzahl) {
    if (!Wettbewerb_Modul_Bereit() || !gepackt) return false;
    if (!strom_einlesen(
            gepackt, groesse, [](int) { return true; }, Wettbewerb_Deserialisieren,
            [] { return tabelle_pruefen(Wettbewerb_Tabelle); },
            "Wettbewerbstabelle abgewiesen: unbekannte Runde, Gruppe oder Team\n"))
        return false;
    Wettbewerb_Freundschaft_Id = freundschaft_id;
    Wettbewerb_Dummy_Anzahl = dummy_anzahl;
    // Plans of the server's table are built afresh.
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) Wettbewerb_Tabelle[i].spielplan = -1;
    Wettbewerb_Spielplaene_Erstellen();
    return true;
}

bool Wettbewerb_Status_Empfangen(const u8* gepackt, u32 groesse) {
    if (!Wettbewerb_Modul_Bereit() || !gepackt) return false;
    return strom_einlesen(
        gepackt, groesse, [](int i) { return Wettbewerb_Tabelle[i].name[0] != 0; }, Wettbewerb_Status_Deserialisieren,
        [] { return true; }, nullptr);
}

bool Wettbewerb_Internet_Client_Hole_Tabelle() {
    if (!ruf::Client() || !Wettbewerb_Modul_Bereit()) return false;
    const auto a = ruf::Rufen(RUF_WETTBEWERB_TABELLE);
    if (!a) return false;
    const auto& [gepackt, freund, dummy] = *a;
    if (gepackt.empty() || gepackt.size() > MAX_STROM) return false;
    return Wettbewerb_Tabelle_Empfangen(gepackt.data(), static_cast<u32>(gepackt.size()), freund, dummy);
}

bool Wettbewerb_Internet_Client_Hole_Status() {
    if (!ruf::Client() || !Wettbewerb_Modul_Bereit()) return false;
    const auto gepackt = ruf::Rufen(RUF_WETTBEWERB_STATUS);
    if (!gepackt || gepackt->empty() || gepackt->size() > MAX_STROM) return false;
    return Wettbewerb_Status_Empfangen(gepackt->data(), static_cast<u32>(gepackt->size()));
}

bool Wettbewerb_Internet_Client_Stand_Auffrischen() {
    // While this client's own match runs, its copy leads: the competition and
    // the match's record stay as they are until it is over.
    if (!ruf::Client() || !Wettbewerb_Modul_Bereit() || Season_Module.Spieltag_Spiel_Angepfiffen()) return false;
    const auto stand = [](int i) {
        std::vector<u8> s;
        if (Wettbewerb_Tabelle[i].name[0]) Wettbewerb_Status_Serialisieren(i, s);
        return s;
    };
    // Each competition's state as it stood, and the matchday that was current.
    struct Vorher {
        std::vector<u8> stand;
        int id, spieltag, runde;
    };
    std::vector<Vorher> vorher;
    vorher.reserve(WETTBEWERB_ANZAHL);
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        const Wettbewerb& w = Wettbewerb_Tabelle[i];
        vorher.push_back({stand(i), w.id, w.aktueller_spieltag, w.aktuelle_runde});
    }
    if (!Wettbewerb_Internet_Client_Hole_Status()) return false;
    bool geaendert = false;
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        const Vorher& v = vorher[static_cast<size_t>(i)];
        if (stand(i) == v.stand) continue;
        geaendert = true;
        // The matchday that was current may have been played to its end
        // since its games were fetched: the results pages read them.
        if (v.spieltag >= 0 && v.runde >= 0)
            Spiele_Client_Spieltag_Erneuern(static_cast<u32>(v.id), static_cast<u32>(v.spieltag),
                                            static_cast<u32>(v.runde));
    }
    if (geaendert) Spiele_Tabellen_Cache_Leeren();
    return geaendert;
}

// ---------------------------------------------------------------------------
// Configuration cache block: u32 version, i32 set, u32 record count n, then
// the packed block (u32 packed size + RLE) of the n record images.

void Wettbewerb_Config_Bin_Set(int set) { bin_set = set; }

bool Wettbewerb_Config_Bin_Save(Datei_Status* datei) {
    if (!datei || !Wettbewerb_Modul_Bereit()) return false;
    // Every record up to the last named one (gaps included).
    u32 n = 0;
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i)
        if (Wettbewerb_Tabelle[i].name[0]) n = static_cast<u32>(i) + 1;
    std::vector<u8> bild(static_cast<size_t>(n) * WETTBEWERB_GROESSE);
    for (u32 i = 0; i < n; ++i) Wettbewerb_Bild_Schreiben(Wettbewerb_Tabelle[i], bild.data() + i * WETTBEWERB_GROESSE);
    // Head: version, configuration set, record count.
    return Datei_Schreiben_Felder(
               datei, [&](bytes::Schreiber& s) { s(static_cast<u32>(WETTBEWERB_CONFIG_VERSION)), s(bin_set), s(n); }) &&
           Datei_Schreiben_Gepackt(datei, bild.data(), static_cast<u32>(bild.size()));
}

bool Wettbewerb_Config_Bin_Load(Datei_Status* datei) {
    bin_staging.clear();
    if (!datei || !Wettbewerb_Modul_Bereit()) return false;
    u32 version = 0, n = 0;
    i32 satz = 0;
    if (!Datei_Lesen_Felder(datei, 12, [&](bytes::Leser& l) { l(version), l(satz), l(n); })) return false;
    if (version != static_cast<u32>(WETTBEWERB_CONFIG_VERSION) || satz != bin_set) {
        Debug_Printf("Wettbewerb-Cache: anderer Satz oder andere Version\n");
        return false;
    }
    if (n > WETTBEWERB_ANZAHL) return false;
    std::vector<u8> bild(static_cast<size_t>(n) * WETTBEWERB_GROESSE + 1);
    u32 gelesen = Datei_Lesen_Gepackt(datei, bild.data(), static_cast<u32>(bild.size()));
    if (gelesen != n * WETTBEWERB_GROESSE || datei->fehler) return false;
    std::vector<Wettbewerb> neu(WETTBEWERB_ANZAHL);
    // Records beyond the block are free records with their defaults.
    const Wettbewerb leer = Wettbewerb_Standard();
    for (u32 i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        if (i < n) {
            Wettbewerb_Bild_Lesen(neu[i], bild.data() + i * WETTBEWERB_GROESSE);
            if (!pruefen(neu[i])) return false;
        } else {
            neu[i] = leer;
        }
    }
    if (!tabelle_pruefen(neu.data())) {
        Debug_Printf("Wettbewerb-Cache abgewiesen: unbekannte Runde, Gruppe oder Team\n");
        return false;
    }
    bin_staging = std::move(neu);
    return true;
}

void Wettbewerb_Config_Bin_Uebernehmen() {
    if (bin_staging.empty() || !Wettbewerb_Modul_Bereit()) return;
    std::copy(bin_staging.begin(), bin_staging.end(), Wettbewerb_Tabelle);
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) Wettbewerb_Tabelle[i].spielplan = -1;
    bin_staging.clear();
    if (Spiele_Bereit()) Wettbewerb_Spielplaene_Erstellen();
}

void Wettbewerb_Config_Bin_Verwerfen() { bin_staging.clear(); }

void Wettbewerb_Config_Cache_Anmelden() {
    Spielstand_Config_Modul_Anmelden(CONFIG_BLOCK_WETTBEWERBE,
                                     {"wettbewerb", Wettbewerb_Config_Bin_Save, Wettbewerb_Config_Bin_Load,
                                      Wettbewerb_Config_Bin_Uebernehmen, Wettbewerb_Config_Bin_Verwerfen});
}

bool Wettbewerb_Config_Spielstart(int set, int alias_set) {
    if (!Wettbewerb_Modul_Bereit()) return false;
    Wettbewerb_Config_Cache_Anmelden();
    Wettbewerb_Config_Bin_Set(set);
    if (Spielstand_Config_Laden(set, nullptr) && Wettbewerb_Tabelle[0].name[0]) return true;
    if (!Wettbewerb_Config_Eintrag_Lesen(set, alias_set)) return false;
    Wettbewerb_Spielplaene_Erstellen();
    return true;
}

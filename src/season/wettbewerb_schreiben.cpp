#include "season/wettbewerb_schreiben.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "base/config.h"
#include "base/files.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "base/ruf.h"
#include "season/kalender.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "season/wettbewerb_schluessel.h"
#include "world/global.h"
#include "world/welt.h"

namespace {

using namespace wettbewerb_konfig;

// A list's next value, comma-separated (an empty value keeps its place).
void anhaengen(std::string& v, const std::string& wert, bool erster) {
    if (!erster) v.push_back(',');
    v.append(wert);
}
std::string liste(std::initializer_list<std::string> werte) {
    std::string v;
    bool erster = true;
    for (const std::string& w : werte) anhaengen(v, w, erster), erster = false;
    return v;
}
std::string zitat(const char* text) {
    std::string v(1, '"');
    v.append(text);
    v.push_back('"');
    return v;
}

const char* const KOPF =
    "; DIESES FILE ERLAUBT DIE KONFIGURATION DER AUSGESPIELTEN WETTBEWERBE\r\n"
    "; IM 'KORDAVO'.\r\n"
    "; ÄNDERUNGEN KÖNNEN ZU UNVORHERSEHBAREM FEHLVERHALTEN DES PROGRAMMES FÜHREN!\r\n"
    "; BITTE SICHERN SIE SICH VOR EVENTUELLEN ÄNDERUNGEN DIESES ORIGINALFILE.\r\n\r\n";

// The item that stands for "none" in a list (the reader knows no record of
// that name).
const char* const NIX = "NIX";

struct Schreiben {
    Config_Schreiber& s;
    std::map<i32, std::string> aliase;  // number -> alias name
    const Wettbewerb* t = Wettbewerb_Tabelle;
    const Wettbewerb standard = Wettbewerb_Standard();

    void zeile(const char* k, const std::string& wert) { Config_Schreiber_Zeile(&s, k, wert.c_str()); }
    void zahl(const char* k, i64 wert) { Config_Schreiber_Zeile_Zahl(&s, k, wert); }
    void ja(const char* k, bool gesetzt) {
        if (gesetzt) zeile(k, "JA");
    }
    template <class T>
    void wenn_anders(const char* k, T wert, T vorgabe) {
        if (wert != vorgabe) zahl(k, wert);
    }
    std::string alias(i32 n) const {
        auto it = aliase.find(n);
        return it != aliase.end() ? "#" + it->second : std::to_string(n);
    }
    bool gueltig(i32 i) const { return i >= 0 && i < WETTBEWERB_ANZAHL && t[i].name[0]; }
    // A link by the identification of the record it points to.
    void verweis(const char* k, i32 ziel) {
        if (gueltig(ziel)) zeile(k, t[ziel].identifikation);
    }

    void modus(const Wettbewerb& w) {
        for (int m = 0; m < 20; ++m) {
            const u32 bits = Wettbewerb_Modus_Bits(m);
            if (bits && (w.modus & bits) == bits) zeile(deutsch(K_MODUS), Wettbewerb_Modus_Name(m, false));
        }
    }
    void super_art(const Wettbewerb& w) {
        for (const Wettbewerb_Referenz& r : Wettbewerb_Config_Liste(13))
            if (r.index == w.super_alias) {
                zeile(deutsch(K_SUPER_ART), r.text);
                return;
            }
    }
    // Every list up to the last one that names a target, so that each keeps
    // its place; a list line ends after its last named target.
    void quali_fuer(const Wettbewerb& w) {
        int listen = 0;
        for (int k = 0; k < WETTBEWERB_QUALI_LISTEN; ++k)
            for (i32 q : w.quali_fuer[k])
                if (gueltig(q)) listen = k + 1;
        for (int k = 0; k < listen; ++k) {
            int ende = 0;
            for (int p = 0; p < 128; ++p)
                if (gueltig(w.quali_fuer[k][p])) ende = p + 1;
            std::string v = ende ? "" : NIX;
            for (int p = 0; p < ende; ++p) {
                if (p) v += ",";
                v += gueltig(w.quali_fuer[k][p]) ? t[w.quali_fuer[k][p]].identifikation : NIX;
            }
            zeile(deutsch(K_QUALI_FUER), v);
        }
    }
    // The other members of the display group of which the record is the
    // root, except those its own group chain brings in.
    void visuell_parallel(i32 i) {
        if (t[i].visuell_gruppe != i) return;
        std::vector<bool> kette(WETTBEWERB_ANZAHL, false);
        for (i32 k = t[i].naechste_gruppe; gueltig(k) && !kette[k]; k = t[k].naechste_gruppe) kette[k] = true;
        for (i32 k = 0; k < WETTBEWERB_ANZAHL; ++k)
            if (k != i && gueltig(k) && t[k].visuell_gruppe == i && !kette[k] && t[k].vorherige_gruppe == -1)
                zeile(deutsch(K_VIS_PARALLEL), t[k].identifikation);
    }
    // Every start team, a 0 among them too (it no longer ends the list);
    // in an edit the current teams, up to the last place taken.
    void startteilnehmer(const Wettbewerb& w) {
        const bool edit = Config_Modify_Set() >= 0;
        const i16* teams = edit ? w.aktuelle_team : w.teilnehmer;
        int n = std::min({edit ? w.aktuelle_teams : w.startteam_anzahl, w.teams, WETTBEWERB_MAX_TEAMS});
        while (edit && n > 0 && teams[n - 1] < 0) --n;
        std::string v;
        for (int p = 0; p < n; ++p) anhaengen(v, alias(teams[p]), p == 0);
        if (n > 0) zeile(deutsch(K_START), v);
    }
    void zahlenzeilen(const Wettbewerb& w) {
        for (int r = 0; r < w.auffuell_anzahl && r < 32; ++r)
            zeile(deutsch(K_AUFFUELLEN),
                  liste({alias(w.auffuellen[r][0]), alias(w.auffuellen[r][1]), std::to_string(w.auffuellen[r][2])}));
        for (int r = 0; r < w.quali_land_anzahl && r < 64; ++r)
            zeile(deutsch(K_QUALI_LAND), liste({alias(w.quali_land[r][0]), std::to_string(w.quali_land[r][1])}));
    }
    void paarungen(const Wettbewerb& w) {
        const int pro_zeile = std::max(w.teams, 1);
        for (int a = 0; a < w.paarungs_anzahl && a < WETTBEWERB_PAARUNGS_BYTES; a += pro_zeile) {
            std::string v;
            for (int b = a; b < a + pro_zeile && b < w.paarungs_anzahl; ++b)
                anhaengen(v, std::to_string(w.paarungen[b]), b == a);
            zeile(deutsch(K_WER_GEGEN_WEN), v);
        }
    }
    // Every matchday up to the last with a round text; one without text as
    // "NIX", so that each text stays on its matchday.
    void rundentexte(const Wettbewerb& w) {
        int ende = 0;
        for (int d = 0; d < WETTBEWERB_MAX_SPIELTAGE; ++d)
            if (Wettbewerb_Rundenname(w.rundentext[d], false)) ende = d + 1;
        for (int d = 0; d < ende; ++d) {
            const char* n = Wettbewerb_Rundenname(w.rundentext[d], false);
            zeile(deutsch(K_RUNDENTEXT), n ? n : NIX);
        }
    }

    void kopf_und_ablauf(const Wettbewerb& w) {
        zeile(deutsch(K_NAME), zitat(w.name));
        if (w.gruppen_name[0]) zeile(deutsch(K_GRUPPEN_NAME), zitat(w.gruppen_name));
        zeile(deutsch(K_IDENT), w.identifikation);
        zahl(deutsch(K_TEAMS), w.teams);
        modus(w);
        super_art(w);
        if (const char* tag = Kalender_Get_Wochentag_Text(w.wochentag)) zeile(deutsch(K_WOCHENTAG), tag);
        wenn_anders(deutsch(K_QUOTE), w.quote_wochentag, standard.quote_wochentag);
        wenn_anders<i32>(deutsch(K_STARTWOCHE), w.startwoche, standard.startwoche);
        wenn_anders<i32>(deutsch(K_ENDWOCHE), w.endwoche, standard.endwoche);
        wenn_anders(deutsch(K_FREI_START), w.spielfrei_start, standard.spielfrei_start);
        wenn_anders(deutsch(K_FREI_ENDE), w.spielfrei_ende, standard.spielfrei_ende);
        zahl(deutsch(K_SPIELTAGE), w.spieltage);
        wenn_anders(deutsch(K_PARALLEL), w.parallel_gruppen, standard.parallel_gruppen);
        for (i32 v : w.weiterkommen)
            if (v != -1) zahl(deutsch(K_WEITERKOMM), v);
    }
    void verweise(i32 i) {
        const Wettbewerb& w = t[i];
        quali_fuer(w);
        if (w.sieger) zahl(deutsch(K_SIEGER), w.sieger);
        verweis(deutsch(K_VIS_NACHFOLGER), w.visuell_nachfolger);
        visuell_parallel(i);
        verweis(deutsch(K_PARALLELGRUPPE), w.naechste_gruppe);
        verweis(deutsch(K_NACHFOLGERUNDE), w.naechste_runde);
        startteilnehmer(w);
        zahlenzeilen(w);
    }
    void spielregeln(const Wettbewerb& w) {
        const bool ko_rueck = (w.modus & WB_KO_SYSTEM) && (w.modus & WB_RUECKSPIELE);
        if (w.best_of_x != 1 && !(ko_rueck && w.best_of_x == 2)) zahl(deutsch(K_BEST_OF), w.best_of_x);
        wenn_anders(deutsch(K_HZ_LAENGE), w.halbzeit_laenge, standard.halbzeit_laenge);
        wenn_anders(deutsch(K_HZ_LAENGE_VERL), w.halbzeit_laenge_verl, standard.halbzeit_laenge_verl);
        wenn_anders(deutsch(K_HZ), w.halbzeiten, standard.halbzeiten);
        wenn_anders(deutsch(K_HZ_VERL), w.halbzeiten_verl, standard.halbzeiten_verl);
        wenn_anders(deutsch(K_ALLE_X), w.alle_x_jahre, standard.alle_x_jahre);
        wenn_anders(deutsch(K_STARTJAHR), w.startjahr, standard.startjahr);
        if (w.land) zeile(deutsch(K_LAND), alias(w.land));
        paarungen(w);
        rundentexte(w);
        wenn_anders<i32>(deutsch(K_ERSTE_GELB), w.erste_gelbsperre, standard.erste_gelbsperre);
        wenn_anders<i32>(deutsch(K_INTERVALL_GELB), w.intervall_gelbsperre, standard.intervall_gelbsperre);
    }
    void geld_und_schalter(const Wettbewerb& w) {
        if (w.grafik_nummer) zahl(deutsch(K_GRAFIK), w.grafik_nummer);
        if (w.audio_nummer) zahl(deutsch(K_AUDIO), w.audio_nummer);
        if (w.ausrichter != -1) zeile(deutsch(K_AUSRICHTER), alias(w.ausrichter));
        wenn_anders(deutsch(K_AUSRICHTER_STADION), w.ausrichter_stadion, standard.ausrichter_stadion);
        wenn_anders(deutsch(K_WICHTIG), w.wichtig, standard.wichtig);
        if (w.sieg_praemie) zahl(deutsch(K_SIEG_PRAEMIE), w.sieg_praemie);
        if (w.unentschieden_praemie) zahl(deutsch(K_UNENTSCHIEDEN_PRAEMIE), w.unentschieden_praemie);
        ja(deutsch(K_POKAL_PRAEMIE), w.pokal_praemie);
        if (w.antritts_praemie) zahl(deutsch(K_ANTRITTS_PRAEMIE), w.antritts_praemie);
        ja(deutsch(K_BASISLIGA), w.basisliga);
        ja(deutsch(K_AMATEUR), w.amateur_liga);
        ja(deutsch(K_QUALI_MISCHEN), w.quali_mischen);
        if (w.quali_aus_ligabaum) zahl(deutsch(K_QUALI_LIGABAUM), w.quali_aus_ligabaum);
        ja(deutsch(K_QUALI_SAISONSTART), w.quali_saisonstart);
        ja(deutsch(K_MEHRMALS), w.mehrmals_pro_jahr);
        ja(deutsch(K_GOLDEN_GOAL), w.golden_goal);
        ja(deutsch(K_ZWEI_WOCHEN), w.rueckspiel_zwei_wochen);
        // The record's own calendar position, in the reader's range.
        wenn_anders(deutsch(K_KALENDER_POS), w.kalender_position, standard.kalender_position);
        if (w.qualiwoche) zahl(deutsch(K_QUALIWOCHE), w.qualiwoche);
        if (w.kontinent > 0 && w.kontinent < KONTINENT_ANZAHL && Kontinent_Tabelle[w.kontinent].name[0])
            zeile(deutsch(K_KONTINENT), Kontinent_Tabelle[w.kontinent].name);
    }
};

// The edit: its set and alias set (-1 none).
struct Edit {
    int set = -1;
    int alias_set = -1;
} edit;

// The path of wettbewerb.cfg (or its alias file) of a set; empty for none.
std::string pfad_von(int set, int alias) {
    const char* p = Read_Config_Get_Filenamen(CONFIG_WETTBEWERB, set, alias);
    return p ? p : "";
}

// Number -> name of the alias file (none when it cannot be read).
std::map<i32, std::string> aliase_lesen(const char* pfad) {
    std::map<i32, std::string> m;
    if (!pfad || !Read_Config_Open_Pfad(pfad, nullptr)) return m;
    for (const char* k = Read_Config_Next(nullptr, 0); *k; k = Read_Config_Next(nullptr, 0))
        m.emplace(Read_Config_Get_Wert(), k);
    Read_Config_Close();
    return m;
}

// --- what the edit's writer recomputes ---------------------------------------

// A round's share of the league tree's qualifiers: its qualifier count when
// it has one, else all its places.
i32 anteil(const Wettbewerb& x) {
    return std::clamp<i32>(x.quali_aus_ligabaum > 0 ? x.quali_aus_ligabaum : x.teams, 0, WETTBEWERB_MAX_TEAMS);
}

// The rounds of a competition from its first one on, bounded so a broken
// chain cannot loop.
std::vector<i32> runden(i32 erste) {
    std::vector<i32> r;
    for (i32 x = erste; x >= 0 && x < WETTBEWERB_ANZAHL && Wettbewerb_Tabelle[x].name[0] &&
                        r.size() < static_cast<size_t>(WETTBEWERB_ANZAHL);
         x = Wettbewerb_Tabelle[x].naechste_runde)
        r.push_back(x);
    return r;
}

// The places of a league system from the top down: on each level, place t
// of every league side by side before place t + 1 (league index, place).
std::vector<std::pair<i32, i32>> ligabaum_plaetze(i32 wurzel_id) {
    std::vector<std::pair<i32, i32>> plaetze;
    Wettbewerb_Vertikal ebenen;
    for (i32 ebene = ebenen.Wurzel(wurzel_id); ebene >= 0; ebene = ebenen.Naechste()) {
        std::vector<i32> ligen;
        Wettbewerb_Horizontal nebeneinander;
        for (i32 l = nebeneinander.Erster(ebene); l >= 0; l = nebeneinander.Naechster())
            ligen.push_back(Wettbewerb_Get_Index(l));
        const i32 teams = std::min(Wettbewerb_Tabelle[Wettbewerb_Get_Index(ebene)].teams, WETTBEWERB_MAX_TEAMS);
        for (i32 t = 0; t < teams; ++t)
            for (i32 l : ligen)
                if (l >= 0 && t < Wettbewerb_Tabelle[l].teams) plaetze.emplace_back(l, t);
    }
    return plaetze;
}

// A competition of a country that takes its entrants from the league tree
// gets the clubs that stand at the system's qualifying places: its rounds
// with QUALIFIKANTEN_AUS_LIGABAUM are emptied and struck from the leagues'
// qualification lists, then filled from the lowest place the competition
// reaches upwards (its first round the lowest ones), and each league's
// fifth qualification list names the round its place goes to.
void ligabaum_qualifikanten_verteilen() {
    Wettbewerb* t = Wettbewerb_Tabelle;
    for (i32 wurzel_id : Wettbewerb_Get_Ligasysteme()) {
        const i32 wurzel = Wettbewerb_Get_Index(wurzel_id);
        if (wurzel < 0 || !t[wurzel].basisliga) continue;
        const auto plaetze = ligabaum_plaetze(wurzel_id);
        for (i32 r = 0; r < WETTBEWERB_ANZAHL; ++r) {
            const Wettbewerb& w = t[r];
            if (!w.name[0] || w.nicht_schreiben || w.basisliga || w.vorherige_runde != -1 ||
                w.land != t[wurzel].land || !(w.modus & WB_QUALI_AUS_LIGABAUM))
                continue;
            const std::vector<i32> folge = runden(r);
            i32 summe = 0;
            for (i32 x : folge) {
                if (!(t[x].modus & WB_QUALI_AUS_LIGABAUM)) continue;
                summe += anteil(t[x]);
                std::fill(std::begin(t[x].aktuelle_team), std::end(t[x].aktuelle_team), i16{-1});
                for (i32 l = 0; l < WETTBEWERB_ANZAHL; ++l)
                    if (t[l].name[0] && t[l].basisliga)
                        for (auto& liste : t[l].quali_fuer) std::replace(std::begin(liste), std::end(liste), x, -1);
            }
            i32 cursor = summe - 1;
            for (i32 x : folge) {
                const i32 n = anteil(t[x]);
                for (i32 p = 0; p < n && cursor >= 0; ++p, --cursor) {
                    if (cursor >= static_cast<i32>(plaetze.size())) continue;
                    const auto [liga, platz] = plaetze[static_cast<size_t>(cursor)];
                    t[x].aktuelle_team[p] = t[liga].aktuelle_team[platz];
                    t[liga].quali_fuer[WETTBEWERB_QUALI_LISTEN - 1][platz] = x;
                    t[liga].quali_fuer_anzahl = WETTBEWERB_QUALI_LISTEN;
                }
            }
        }
    }
}

// The calendar rows of the base leagues: those of the home nation by their
// level in the league system, the others alternately in rows 4 and 5.
void kalender_positionen_setzen() {
    i32 zaehler = 4;
    for (Wettbewerb* w = Wettbewerb_Tabelle; w < Wettbewerb_Tabelle + WETTBEWERB_ANZAHL; ++w) {
        if (!w->name[0] || w->nicht_schreiben || !w->basisliga) continue;
        if (Team_Heimnation < 65535 && w->land == Team_Heimnation) {
            Wettbewerb_Visuell_Vertikal_Anz(w->id, nullptr, &w->kalender_position);
        } else {
            w->kalender_position = zaehler;
            zaehler = zaehler == 4 ? 5 : 4;
        }
    }
}

}  // namespace

bool Wettbewerb_Config_Schreiben_Pfad(const char* pfad, const char* alias_pfad, const char* infotext) {
    if (!pfad || !Wettbewerb_Tabelle) return false;
    Config_Schreiber s;
    if (!Config_Schreiber_Oeffnen(&s, pfad)) return false;
    Schreiben w{s, aliase_lesen(alias_pfad)};
    Config_Schreiber_Text(&s, KOPF);
    Config_Schreiber_Checksumme_Platzhalter(&s);
    if (infotext) w.zeile("INFOTEXT", zitat(infotext));
    w.zahl(deutsch(K_VERSION), WETTBEWERB_CONFIG_VERSION);
    for (i32 i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        const Wettbewerb& r = Wettbewerb_Tabelle[i];
        if (!r.name[0] || r.nicht_schreiben) continue;
        Config_Schreiber_Text(&s, (std::string("\r\n") + deutsch(K_NEU) + "\r\n").c_str());
        w.kopf_und_ablauf(r);
        w.verweise(i);
        w.spielregeln(r);
        w.geld_und_schalter(r);
    }
    return Config_Schreiber_Schliessen(&s);
}

bool Wettbewerb_Config_Schreiben(int set, const char* infotext) {
    if (edit.set < 0) return false;
    ligabaum_qualifikanten_verteilen();
    kalender_positionen_setzen();
    const std::string datei = pfad_von(set, 0);
    const std::string alias = edit.alias_set >= 0 ? pfad_von(edit.alias_set, 1) : "";
    return !datei.empty() &&
           Wettbewerb_Config_Schreiben_Pfad(datei.c_str(), alias.empty() ? nullptr : alias.c_str(), infotext);
}

// --- the edit ----------------------------------------------------------------

namespace {

// The first round of the record's chain (previous groups, then previous
// rounds), bounded so a broken chain cannot loop.
i32 wurzel(i32 i) {
    const Wettbewerb* t = Wettbewerb_Tabelle;
    auto da = [t](i32 k) { return k >= 0 && k < WETTBEWERB_ANZAHL && t[k].name[0]; };
    for (int n = 0; n < WETTBEWERB_ANZAHL && da(t[i].vorherige_gruppe); ++n) i = t[i].vorherige_gruppe;
    for (int n = 0; n < WETTBEWERB_ANZAHL && da(t[i].vorherige_runde); ++n) i = t[i].vorherige_runde;
    return i;
}

// The first start team the world does not have: its record's index and
// place, or false.
bool fremdes_team(i32* index, i32* platz) {
    for (i32 i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        const Wettbewerb& w = Wettbewerb_Tabelle[i];
        if (!w.name[0]) continue;
        for (i32 p = 0; p < std::min(w.teams, WETTBEWERB_MAX_TEAMS); ++p)
            if (w.start_team[p] >= Team_Anzahl) {
                *index = i, *platz = p;
                return true;
            }
    }
    return false;
}

void team_melden(i32 index, i32 platz) {
    const Wettbewerb& w = Wettbewerb_Tabelle[index];
    i32 zeile = 0;
    for (const Wettbewerb_Referenz& r : Wettbewerb_Config_Liste(6))  // STARTTEILNEHMER
        if (r.index == index) zeile = r.zeile;
    Meldung_Printf(
        "[%d] Error in wettbewerb.cfg:\n - (%d) Team %d im Wettbewerb %s gibt es nicht (die Welt hat %d "
        "Teams).\rDie Wettbewerbe werden nicht bearbeitet.\n\n",
        zeile, WETTBEWERB_F_TEAM, w.start_team[platz], w.name, Team_Anzahl);
}

}  // namespace

bool Config_Modify_Init(int set, int alias_set) {
    if (ruf::Client()) return false;
    const std::string datei = pfad_von(set, 0);
    const std::string alias = alias_set >= 0 ? pfad_von(alias_set, 1) : "";
    if (datei.empty() || !W32_File_Exists(datei.c_str())) {
        Meldung_Printf("%s fehlt: die Wettbewerbe lassen sich nicht bearbeiten.", datei.c_str());
        return false;
    }
    // The set is read into a table of its own; the running one waits.
    Wettbewerb* alt = Wettbewerb_Tabelle;
    const i32 freundschaft = Wettbewerb_Freundschaft_Id, dummies = Wettbewerb_Dummy_Anzahl;
    Wettbewerb_Config_Listen listen = Wettbewerb_Config_Listen_Nehmen();
    const u32 quit = Quit_Status;
    Wettbewerb_Tabelle = nullptr;
    bool ok = Wettbewerb_Init() && Wettbewerb_Config_Lesen_Pfad(datei.c_str(), alias.empty() ? nullptr : alias.c_str());
    // A fatal syntax error refuses the set; the program goes on.
    ok = ok && Quit_Status == quit;
    Quit_Status = quit;
    i32 index = 0, platz = 0;
    if (ok && fremdes_team(&index, &platz)) {
        team_melden(index, platz);
        ok = false;
    }
    if (!ok) {
        Wettbewerb_Free();
        Wettbewerb_Tabelle = alt;
        Wettbewerb_Freundschaft_Id = freundschaft, Wettbewerb_Dummy_Anzahl = dummies;
        Wettbewerb_Config_Listen_Setzen(std::move(listen));
        return false;
    }
    std::swap(Wettbewerb_Tabelle, alt);
    Wettbewerb_Free();
    Wettbewerb_Tabelle = alt;
    for (i32 i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        Wettbewerb& w = Wettbewerb_Tabelle[i];
        if (!w.name[0]) continue;
        w.kalendermarke = i + 1;
        w.aktuelle_teams = std::clamp(w.teams, 0, WETTBEWERB_MAX_TEAMS);
        std::copy(w.start_team, w.start_team + w.aktuelle_teams, w.aktuelle_team);
        w.wurzel = wurzel(i);
    }
    Kalender_Free();
    Kalender_Init(nullptr);
    edit = {set, alias_set};
    return true;
}

bool Config_Modify_Free() {
    if (edit.set < 0) return false;
    Wettbewerb_Config_Listen_Freigeben();
    edit = {};
    Kalender_Free();
    return true;
}

int Config_Modify_Set() { return edit.set; }

bool Config_Modify_Sperrt_Spielstart() {
    // The edit is open exactly while the data editor is on the screen: the
    // new game waits for it without a word (the player has not asked for
    // one; the editor's own close leads back to the start screen).
    return edit.set >= 0;
}

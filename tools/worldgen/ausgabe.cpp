// The world files: teams, players, scouts, global settings and the alias
// companions, written as UTF-8 text with CR LF line ends.
#include <cstdio>

#include "base/config.h"
#include "world/global.h"
#include "world/konfig_schluessel.h"
#include "worldgen.h"

namespace worldgen {

void Ausgabe::schluessel(const std::string& k, const std::string& v) {
    std::string z = "\t" + k + " ";
    while (z.size() < 36) z += ' ';
    zeile(z + v);
}

namespace {

using namespace welt_konfig;

bool schreiben(const std::string& pfad, const std::string& t) {
    FILE* f = std::fopen(pfad.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(t.data(), 1, t.size(), f) == t.size();
    return std::fclose(f) == 0 && ok;
}

void kopf(Ausgabe& a, const std::string& was) {
    a.zeile("; Kordavo - " + was);
    a.zeile("; Konfigurationssatz 1, erzeugt von tools/worldgen (nicht von Hand bearbeiten)");
    a.zeile("CHECKSUMME                 ");  // filled in after writing
    a.zeile("VERSION 1");
}

// The attribute table: 54 rows (0..39 outfield, 40..46 negative, 47..52 goalkeeper, 53 star training).
const char* const attribut_namen[54] = {"Kopfballstark",
                                        "Schussgewaltig",
                                        "Flankengott",
                                        "Dribbelkünstler",
                                        "Passgenau",
                                        "Zweikampfstark",
                                        "Laufwunder",
                                        "Sprintstark",
                                        "Standardexperte",
                                        "Elfmeterschütze",
                                        "Führungsspieler",
                                        "Spielmacher",
                                        "Torjäger",
                                        "Abwehrchef",
                                        "Ballverteiler",
                                        "Kämpfer",
                                        "Techniker",
                                        "Fernschütze",
                                        "Joker",
                                        "Konterspieler",
                                        "Linksfuß",
                                        "Beidfüßig",
                                        "Kopfballungeheuer",
                                        "Volleyschütze",
                                        "Balleroberer",
                                        "Manndecker",
                                        "Raumdeuter",
                                        "Tempodribbler",
                                        "Freistoßkünstler",
                                        "Eckballspezialist",
                                        "Konditionswunder",
                                        "Nervenstark",
                                        "Publikumsliebling",
                                        "Teamplayer",
                                        "Routinier",
                                        "Talent",
                                        "Lautsprecher",
                                        "Vorbild",
                                        "Heißsporn",
                                        "Allrounder",
                                        "Verletzungsanfällig",
                                        "Launisch",
                                        "Trainingsfaul",
                                        "Unbeherrscht",
                                        "Nervenschwach",
                                        "Egoist",
                                        "Langsam",
                                        "Elfmetertöter",
                                        "Strafraumbeherrscher",
                                        "Reflexwunder",
                                        "Mitspielender Torwart",
                                        "Faustabwehr",
                                        "Weite Abwürfe",
                                        "Startraining"};

std::string verbunden(const int* v, int n) {
    std::string r;
    for (int i = 0; i < n; i++) {
        if (i) r += ',';
        r += std::to_string(v[i]);
    }
    return r;
}

void teams_schreiben(Ausgabe& tc, Ausgabe& ta, const Welt& w) {
    const std::vector<Land>& land = laender();
    kopf(tc, "Teams");
    tc.text_(deutsch(T_INFOTEXT), "Die Welt von Kordavo: erfundene Vereine in echten Ländern");
    tc.zahl(deutsch(T_TEAMS), static_cast<long long>(w.teams.size()));
    ta.zeile("; Kordavo - Namen der Teams (Konfigurationssatz 1)");
    ta.zeile("CHECKSUMME                 ");  // filled in after writing: a cut file shows
    for (const auto& t : w.teams) {
        ta.zeile(t.alias + " " + std::to_string(t.nummer));
        tc.zeile("");
        tc.zeile(deutsch(T_NEUES_TEAM));
        tc.zahl(deutsch(T_NUMMER), t.nummer);
        tc.text_(deutsch(T_NAME), t.name);
        tc.text_(deutsch(T_KURZNAME), t.kurz);
        if (!t.stadion.empty()) tc.text_(deutsch(T_STADIONNAME), t.stadion);
        if (!t.stadt.empty()) tc.text_(deutsch(T_STADT), t.stadt);
        tc.schluessel(deutsch(T_ART), t.art);
        if (t.land >= 0) tc.schluessel(deutsch(T_LAND), "#" + land[static_cast<size_t>(t.land)].kuerzel);
        tc.zahl(deutsch(T_KONTINENT), t.kontinent);
        if (t.ebene) tc.zahl(deutsch(T_EBENE), t.ebene);
        if (t.art == welt_konfig::deutsch(welt_konfig::ART_TRANSFERMARKT)) continue;
        tc.zahl(deutsch(T_WAPPEN), t.wappen);
        tc.schluessel(deutsch(T_TRIKOT), verbunden(t.trikot, 3));
        tc.zahl(deutsch(T_SITZ), t.sitz);
        tc.zahl(deutsch(T_STEH), t.steh);
        tc.zahl(deutsch(T_FORMATION), t.formation);
        tc.schluessel(deutsch(T_TAKTIK), verbunden(t.taktik, 7));
    }
}

void spieler_schreiben(Ausgabe& pc, const Welt& w) {
    kopf(pc, "Spieler");
    pc.zahl(deutsch(S_SPIELER), static_cast<long long>(w.spieler.size()));
    for (const Spieler& s : w.spieler) {
        pc.zeile("");
        pc.zeile(deutsch(S_NEUER_SPIELER));
        pc.schluessel(deutsch(S_TEAM), "#" + w.teams[static_cast<size_t>(s.team)].alias);
        pc.text_(deutsch(S_VORNAME), s.vorname);
        pc.text_(deutsch(S_NACHNAME), s.nachname);
        pc.schluessel(deutsch(S_NATION), "#" + laender()[static_cast<size_t>(s.land)].kuerzel);
        pc.schluessel(deutsch(S_POSITION), POSITION_WERTE[s.pos].deutsch);
        pc.zahl(deutsch(S_NUMMER), s.nummer);
        pc.zahl(deutsch(S_STAERKE), s.staerke);
        pc.zahl(deutsch(S_MAXSTAERKE), s.max);
        pc.zahl(deutsch(S_SPIELE), s.spiele);
        pc.zahl(deutsch(S_JAHRGANG), WELT_STICHJAHR - s.alter);
        pc.zahl(deutsch(S_TALENT), s.talent);
        pc.zahl(deutsch(S_AUSSEHEN), s.look);
        pc.zahl(deutsch(S_HAARFARBE), s.haar);
        pc.zahl(deutsch(S_HAUTFARBE), s.haut);
        if (!s.attribute.empty()) pc.schluessel(deutsch(S_ATTRIBUTE), s.attribute);
        if (s.scout) pc.schluessel(deutsch(S_SCOUT), "JA");
    }
}

void personal_schreiben(Ausgabe& sc) {
    kopf(sc, "Personal");
    static const char* scouts[4][2] = {
        {"Eberhard", "Quastmann"}, {"Pascal", "Rivoire"}, {"Gustavo", "Arrabel"}, {"Nils", "Fjelstad"}};
    for (int s = 0; s < 4; s++) {
        sc.zeile("");
        sc.zeile(deutsch(P_SCOUT));
        sc.text_(deutsch(P_VORNAME), scouts[s][0]);
        sc.text_(deutsch(P_NACHNAME), scouts[s][1]);
        sc.zahl(deutsch(P_GRUND), 50000 + s * 40000);
        std::string gp, wf, ue, sf;
        for (int k = 0; k < 15; k++) {
            std::string sep = k ? "," : "";
            gp += sep + std::to_string(k < 6 ? 20000 + 10000 * s + 5000 * k : 60000 + 15000 * s);
            wf += sep + std::to_string(30 + 15 * s + rnd.bis(20));
            ue += sep + std::to_string(20 + 20 * s + rnd.bis(15));
            sf += sep + std::to_string(80 + 10 * s + rnd.bis(20));
        }
        sc.schluessel(deutsch(P_GEBIET), gp);
        sc.schluessel(deutsch(P_WAHRSCH), wf);
        sc.schluessel(deutsch(P_UEBER), ue);
        sc.schluessel(deutsch(P_STAERKE), sf);
    }
}

void global_schreiben(Ausgabe& gc) {
    const std::vector<Land>& land = laender();
    kopf(gc, "Globale Einstellungen");
    gc.zahl(deutsch(G_PREIS), 100);
    for (int k = 0; k < 15; k++) {
        bool hat = false;
        for (const auto& L : land) hat = hat || L.kontinent == k;
        gc.zeile("");
        gc.zeile(deutsch(G_KONTINENT));
        gc.text_(deutsch(G_NAME), kontinente[k]);
        gc.schluessel(deutsch(G_LAENDER), hat ? "JA" : "NEIN");
    }
    // The eight camps: morale, recovery and strength ratings 0..100 (100 fills a bar).
    struct Lager {
        const char* name;
        int moral, erholung, staerke;
        const char* info;
    };
    static const Lager lager[8] = {
        {"Sportschule am See", 55, 70, 40,
         "Ruhige Tage am Wasser: leichte Einheiten, viel Erholung und Zeit für die Mannschaft."},
        {"Höhentrainingslager", 40, 35, 90,
         "Training in dünner Luft: hart, aber die Kraft der Spieler wächst deutlich."},
        {"Strandcamp Süd", 85, 60, 35, "Sonne, Sand und Teamabende: gut für die Stimmung, weniger für die Kraft."},
        {"Waldhotel Birkengrund", 60, 85, 45, "Waldläufe und viel Ruhe: die Spieler kommen erholt zurück."},
        {"Leistungszentrum Nord", 35, 50, 80, "Moderne Hallen und strenge Trainer: viel Arbeit an der Stärke."},
        {"Bergcamp Alpenblick", 50, 45, 100,
         "Bergläufe bis an die Grenze: die härteste Schule. Vorsicht vor Verletzungen!"},
        {"Wüstencamp", 30, 25, 75, "Hitze und Sand härten ab, erschöpfen die Spieler aber schnell."},
        {"Kurhotel Thermalbad", 75, 100, 20, "Bäder, Massagen und leichtes Training: die beste Erholung für müde Beine."},
    };
    for (int c = 0; c < 8; c++) {
        gc.zeile("");
        gc.zeile(deutsch(G_LAGER));
        gc.text_(deutsch(G_LAGER_NAME), lager[c].name);
        gc.zahl(deutsch(G_KOSTEN), 40000 + c * 35000);
        gc.zahl(deutsch(G_MORAL), lager[c].moral);
        gc.zahl(deutsch(G_ERHOLUNG), lager[c].erholung);
        gc.zahl(deutsch(G_STAERKE), lager[c].staerke);
        gc.text_(deutsch(G_INFO), lager[c].info);
    }
    for (int a = 0; a < 54; a++) {
        gc.zeile("");
        gc.zeile(deutsch(G_ATTRIBUT));
        gc.text_(deutsch(G_NAME), attribut_namen[a]);
        gc.text_(deutsch(G_INFO1), std::string("Spezialfähigkeit: ") + attribut_namen[a]);
        gc.schluessel(deutsch(G_MOEGLICH), a >= 47 && a <= 52 ? "0,1" : "1,3");
        int noetig = a == 53 ? 100 : a >= 40 && a <= 46 ? 10 : 20 + (a % 7) * 5;
        gc.zahl(deutsch(G_NOETIG), noetig);
        gc.zahl(deutsch(G_PUNKTE), 2 + a % 4);
        // A few attributes build on others.
        std::string v = "-1,-1,-1";
        if (a == 22) v = "0,-1,-1";
        if (a == 28) v = "8,-1,-1";
        if (a == 29) v = "8,2,-1";
        if (a == 12) v = "1,-1,-1";
        gc.schluessel(deutsch(G_VORAUS), v);
        gc.zahl(deutsch(G_AUSW1), a % 5);
        gc.zahl(deutsch(G_AUSW2), (a * 3) % 7);
        gc.zahl(deutsch(G_AUSW3), 0);
    }
    gc.zeile("");
    gc.zeile(deutsch(G_PARAMETER));
    // The one-number parameters from the game's own table, with its defaults.
    const Global_Parameter standard{};
    for (int i = 0; i < static_cast<int>(std::size(GLOBAL_PARAMETER_ZAHLEN)); i++) {
        if (i == GLOBAL_PARAMETER_VOR_LISTEN)
            for (int r = 0; r < 6; r++) {
                std::string v;
                for (int k = 0; k < 7; k++) {
                    if (k) v += ',';
                    v += std::to_string(5 + r * 5 + k * 10);
                }
                gc.schluessel(deutsch(G_P_PROZENT), v);
            }
        gc.zahl(GLOBAL_PARAMETER_ZAHLEN[i].deutsch, standard.*GLOBAL_PARAMETER_ZAHLEN[i].feld);
    }
}

}  // namespace

std::string liste(const std::vector<int>& v) {
    return v.empty() ? std::string() : verbunden(v.data(), static_cast<int>(v.size()));
}

// Writes the file, then puts the reader's checksum over the placeholder.
bool Ausgabe::speichern(const std::string& pfad) const {
    if (!schreiben(pfad, text)) return false;
    size_t p = text.find("CHECKSUMME ");
    if (p == std::string::npos) return true;
    u32 summe = 0;
    if (!Read_Config_Checksumme_Datei(pfad.c_str(), &summe)) return false;
    std::string zahl = std::to_string(static_cast<i32>(summe));
    std::string t = text;
    t.replace(p + 11, zahl.size(), zahl);
    return schreiben(pfad, t);
}

bool welt_schreiben(const Welt& w, const std::string& ordner) {
    Ausgabe tc, ta, pc, sc, gc, wc, wa;
    teams_schreiben(tc, ta, w);
    spieler_schreiben(pc, w);
    personal_schreiben(sc);
    global_schreiben(gc);
    wettbewerbe(wc, w);
    // Alias companions: every world file may name teams and countries by alias.
    wa.zeile("; Kordavo - Namen für die Wettbewerbe (Konfigurationssatz 1): die Teams aus 1_team_alias.cfg");
    wa.zeile("CHECKSUMME                 ");
    for (const auto& t : w.teams) wa.zeile(t.alias + " " + std::to_string(t.nummer));
    return tc.speichern(ordner + "/1_team.cfg") && ta.speichern(ordner + "/1_team_alias.cfg") &&
           pc.speichern(ordner + "/1_spieler.cfg") && ta.speichern(ordner + "/1_spieler_alias.cfg") &&
           sc.speichern(ordner + "/1_personal.cfg") && ta.speichern(ordner + "/1_personal_alias.cfg") &&
           gc.speichern(ordner + "/1_global.cfg") && ta.speichern(ordner + "/1_global_alias.cfg") &&
           wc.speichern(ordner + "/1_wettbewerb.cfg") && wa.speichern(ordner + "/1_wettbewerb_alias.cfg");
}

}  // namespace worldgen

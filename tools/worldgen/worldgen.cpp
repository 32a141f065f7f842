// worldgen: writes the shipped football world (configuration set 1).
//
//   worldgen <output folder>
//
// Everything is drawn from a fixed seed with the generator's own small
// random number generator, so the output is the same byte for byte on every
// machine. Countries are real, every club, town and person is invented from
// syllable tables per country. Output is UTF-8 text with CR LF line ends.
#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/config.h"

namespace {

// xorshift64* with a fixed seed.
struct Zufall {
    uint64_t s = 0x4B6F726461766F31ull;  // "Kordavo1"
    uint64_t next() {
        s ^= s >> 12;
        s ^= s << 25;
        s ^= s >> 27;
        return s * 2685821657736338717ull;
    }
    int bis(int n) { return n <= 0 ? 0 : static_cast<int>((next() >> 33) % static_cast<uint64_t>(n)); }
    int von_bis(int a, int b) { return a + bis(b - a + 1); }
    template <class T>
    const T& wahl(const std::vector<T>& v) { return v[static_cast<size_t>(bis(static_cast<int>(v.size())))]; }
};
Zufall rnd;

using Liste = std::vector<std::string>;

struct Land {
    std::string kuerzel;  // alias of the national team
    std::string name;
    int kontinent;
    std::vector<int> ligen;  // club count per level (empty: national team only)
    int staerke;             // fine strength of an average top-level player
    Liste vornamen, nach_a, nach_b, ort_a, ort_b, vereine;  // vereine: patterns with %s for the town
};

std::vector<Land> laender() {
    std::vector<Land> l;
    l.push_back({"DEU", "Deutschland", 0, {18, 18, 20}, 7300,
                 {"Jannek", "Till", "Malte", "Henrik", "Jorin", "Ole", "Bent", "Falk", "Lasse", "Ruben", "Timo", "Kilian",
                  "Mirko", "Sönke", "Arne", "Fritjof"},
                 {"Brom", "Hal", "Kes", "Wen", "Rott", "Lind", "Stein", "Eck", "Hol", "Dorn", "Grau", "Kamm", "Lauter",
                  "Sieb", "Wald", "Treb"},
                 {"mann", "kamp", "berg", "hoff", "ler", "ke", "rich", "bach", "stedt", "hauer", "mer", "inger", "dorf",
                  "brecht"},
                 {"Wendel", "Rott", "Eich", "Bram", "Lind", "Hasel", "Kron", "Alt", "Gold", "Ebers", "Ried", "Tann",
                  "Wolfs", "Hag", "Schwan", "Mörs", "Quer", "Fal"},
                 {"heim", "ach", "stadt", "feld", "burg", "hausen", "dorf", "ingen", "au", "bruck", "stetten", "born"},
                 {"SV %s", "FC %s", "TSV %s", "SpVgg %s", "1. FC %s", "VfR %s", "SC %s", "FSV %s", "TuS %s",
                  "Eintracht %s", "Union %s"}});
    l.push_back({"ENG", "England", 3, {20, 20}, 7400,
                 {"Callum", "Rhys", "Alfie", "Declan", "Morgan", "Kieran", "Toby", "Ellis", "Rowan", "Jasper", "Brodie",
                  "Finlay"},
                 {"Ash", "Brad", "Hal", "Pen", "Whit", "Thorn", "Har", "Crom", "Lang", "Ather", "Wick", "Fen"},
                 {"ford", "well", "ley", "ton", "by", "wood", "combe", "ridge", "sworth", "field", "ham", "more"},
                 {"Ash", "Brack", "Cold", "Hart", "Kings", "Mill", "Stan", "Thorn", "Wey", "Bex", "Dun", "Fern",
                  "Ox", "Sal"},
                 {"bury", "ford", "mouth", "wick", "ton", "ley", "field", "caster", "borough", "ham"},
                 {"%s United", "%s Town", "%s City", "%s Rovers", "%s Athletic", "%s Wanderers", "%s County"}});
    l.push_back({"ITA", "Italien", 2, {18, 18}, 7300,
                 {"Matteo", "Lorenzo", "Giacomo", "Tommaso", "Elia", "Nicolò", "Dario", "Fabio", "Ruggero", "Amedeo",
                  "Ettore", "Cosimo"},
                 {"Bel", "Cas", "Fer", "Lom", "Mar", "Ros", "Sal", "Tor", "Vit", "Zan", "Gal", "Pel"},
                 {"ardi", "etti", "ini", "one", "ucci", "ari", "elli", "asso", "iero", "ozzi"},
                 {"Vall", "Mont", "Borg", "Cast", "Roc", "Port", "Lag", "Ferr", "Aur", "Sol", "Pien", "Tern"},
                 {"ana", "ello", "ino", "ora", "ico", "enza", "ara", "ate"},
                 {"AC %s", "US %s", "%s Calcio", "AS %s", "SS %s"}});
    l.push_back({"ESP", "Spanien", 2, {20, 20}, 7400,
                 {"Iker", "Unai", "Álvaro", "Rodrigo", "Mateo", "Hugo", "Gonzalo", "Íñigo", "Sergio", "Jorge", "Aitor",
                  "Rubén"},
                 {"Al", "Bar", "Cal", "Dom", "Esc", "Gar", "Lor", "Mar", "Ped", "Ser", "Vel", "Zar"},
                 {"ero", "ado", "ales", "illa", "ueta", "ano", "ena", "ondo", "ejo", "uez"},
                 {"Alba", "Vill", "Cas", "Mont", "Torr", "Sal", "Ribe", "Mira", "Peñ", "Can", "Olm", "Bej"},
                 {"ares", "ejo", "ena", "illa", "ueda", "ón", "ada", "oral"},
                 {"CD %s", "UD %s", "Atlético %s", "%s CF", "SD %s", "Racing %s"}});
    l.push_back({"FRA", "Frankreich", 1, {18, 18}, 7000,
                 {"Mathis", "Théo", "Baptiste", "Clément", "Loïc", "Yanis", "Gaël", "Rémi", "Bastien", "Étienne",
                  "Florian", "Maxence"},
                 {"Bel", "Char", "Dup", "Fav", "Gir", "Lam", "Mar", "Pel", "Rou", "Ver", "Cour", "Bren"},
                 {"ard", "eau", "ier", "on", "ot", "elle", "ain", "and", "ois", "enne"},
                 {"Beau", "Mont", "Roche", "Bel", "Char", "Lau", "Ville", "Font", "Mar", "Pont", "Val", "Cor"},
                 {"mont", "ville", "bourg", "court", "lieu", "fort", "val", "ac", "igny", "ières"},
                 {"FC %s", "AS %s", "Olympique %s", "Stade %s", "US %s", "RC %s"}});
    l.push_back({"NED", "Niederlande", 1, {18}, 6600,
                 {"Daan", "Sem", "Bram", "Jelle", "Thijs", "Niels", "Joris", "Stijn", "Wout", "Ruud", "Siebe", "Gijs"},
                 {"Berk", "Vliet", "Hoek", "Veld", "Bos", "Meer", "Brink", "Kamp", "Wal", "Haar"},
                 {"hout", "man", "ink", "ema", "sma", "enga", "er", "huis"},
                 {"Zand", "Ooster", "Wester", "Hol", "Veen", "Brug", "Maar", "Dok", "Lier", "Ham"},
                 {"dam", "wijk", "hoven", "veld", "meer", "horst", "recht", "sum"},
                 {"FC %s", "SV %s", "SC %s", "VV %s", "%s Boys"}});
    l.push_back({"POR", "Portugal", 2, {18}, 6600,
                 {"João", "Tiago", "Rui", "Duarte", "Gonçalo", "Afonso", "Nuno", "Vasco", "Bruno", "Ivo", "Martim",
                  "Simão"},
                 {"Al", "Bar", "Car", "Fon", "Gou", "Mour", "Pin", "Rib", "Sar", "Tei"},
                 {"eiro", "ão", "ais", "elos", "inho", "ira", "ões", "ado"},
                 {"Alv", "Bor", "Cerv", "Fra", "Lou", "Mira", "Tor", "Vale", "Ben", "Cast"},
                 {"ada", "ela", "ães", "inho", "oso", "ares", "edo"},
                 {"SC %s", "FC %s", "CD %s", "GD %s", "Académico %s"}});
    l.push_back({"AUT", "Österreich", 0, {10}, 5800,
                 {"Florian", "Lukas", "Markus", "Stefan", "Dominik", "Valentin", "Matthias", "Clemens", "Georg",
                  "Bernhard"},
                 {"Hub", "Leit", "Moos", "Pichl", "Reit", "Stadl", "Wies", "Hof", "Brand", "Lech"},
                 {"er", "maier", "bauer", "ner", "egger", "hofer", "mayr", "leitner"},
                 {"Alten", "Kirch", "Hall", "Lam", "Pött", "Wald", "Ober", "Neu", "Gries", "Traun"},
                 {"stein", "bach", "kirchen", "berg", "au", "dorf", "ach"},
                 {"SK %s", "SV %s", "ASK %s", "FC %s", "Austria %s"}});
    l.push_back({"SUI", "Schweiz", 0, {10}, 5800,
                 {"Reto", "Urs", "Silvan", "Gian", "Lino", "Nando", "Fabian", "Cyrill", "Andrin", "Beat"},
                 {"Bür", "Gisl", "Käl", "Zür", "Stöck", "Mett", "Brun", "Egg", "Flück", "Rüt"},
                 {"li", "er", "iger", "mann", "ler", "egger", "i", "ner"},
                 {"Alt", "Wil", "Ried", "Ober", "Brem", "Lau", "Sees", "Mur", "Gams", "Trub"},
                 {"stetten", "ikon", "wil", "berg", "au", "egg", "ingen", "dorf"},
                 {"FC %s", "SC %s", "FC %s 05", "BSC %s"}});
    // National teams without a league of their own in this world.
    l.push_back({"SWE", "Schweden", 4, {}, 6500,
                 {"Linus", "Elof", "Viggo", "Anton", "Hampus", "Melker", "Sixten", "Joel"},
                 {"Berg", "Lund", "Sjö", "Dahl", "Ek", "Holm", "Näs", "Strand"},
                 {"gren", "ström", "qvist", "berg", "lin", "man", "ell", "by"}, {}, {}, {}});
    l.push_back({"POL", "Polen", 5, {}, 6300,
                 {"Kacper", "Bartosz", "Szymon", "Wiktor", "Dawid", "Oskar", "Igor", "Tymon"},
                 {"Kow", "Wis", "Zel", "Grab", "Kacz", "Lew", "Mak", "Piet"},
                 {"alski", "niewski", "czyk", "owski", "arek", "icki", "ecki", "ak"}, {}, {}, {}});
    l.push_back({"BRA", "Brasilien", 6, {}, 7600,
                 {"Thiago", "Caio", "Renan", "Wesley", "Igor", "Lucas", "Davi", "Enzo"},
                 {"Alme", "Bor", "Car", "Fag", "Mend", "Olive", "Quar", "Sou"},
                 {"ida", "ges", "valho", "undes", "onça", "ira", "esma", "za"}, {}, {}, {}});
    l.push_back({"USA", "USA", 8, {}, 6200,
                 {"Tanner", "Cody", "Landon", "Brady", "Wyatt", "Colby", "Garrett", "Dalton"},
                 {"Hol", "Mc", "Bran", "Cart", "Fletch", "Hask", "Mill", "Wes"},
                 {"brook", "Kinney", "don", "wright", "er", "ins", "ard", "ley"}, {}, {}, {}});
    l.push_back({"NGA", "Nigeria", 9, {}, 6600,
                 {"Chidi", "Emeka", "Tunde", "Kelechi", "Obinna", "Sola", "Femi", "Ikenna"},
                 {"Ade", "Oko", "Nwa", "Ola", "Eze", "Obi", "Uche", "Iwu"},
                 {"bayo", "nkwo", "chukwu", "wale", "ani", "oma", "ike", "dike"}, {}, {}, {}});
    l.push_back({"JPN", "Japan", 13, {}, 6400,
                 {"Haruto", "Sota", "Riku", "Yuto", "Kaito", "Ren", "Daiki", "Shun"},
                 {"Naka", "Yama", "Taka", "Fuji", "Mori", "Hoshi", "Kawa", "Ishi"},
                 {"mura", "moto", "hashi", "saki", "gawa", "no", "ta", "zawa"}, {}, {}, {}});
    return l;
}

const char* kontinente[15] = {"Mitteleuropa", "Westeuropa",  "Südeuropa",        "Britische Inseln", "Nordeuropa",
                              "Osteuropa",    "Südamerika",  "Mittelamerika",    "Nordamerika",      "Westafrika",
                              "Nordafrika",   "Südliches Afrika", "Naher Osten", "Ostasien",         "Ozeanien"};

// Length of a UTF-8 text in characters (what it takes in the game's one-byte character set).
size_t zeichen(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) n++;
    return n;
}

std::string gross_ascii(const std::string& s) {
    std::string r;
    for (size_t i = 0; i < s.size(); i++) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 'a' && c <= 'z') r += static_cast<char>(c - 32);
        else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) r += static_cast<char>(c);
        else if (c == 0xC3 && i + 1 < s.size()) {  // the few accented letters the tables use
            unsigned char d = static_cast<unsigned char>(s[++i]);
            static const std::map<unsigned char, const char*> m = {
                {0xA4, "AE"}, {0xB6, "OE"}, {0xBC, "UE"}, {0x84, "AE"}, {0x96, "OE"}, {0x9C, "UE"}, {0xA9, "E"},
                {0xA8, "E"},  {0xA1, "A"},  {0xAD, "I"},  {0xB1, "N"},  {0xB3, "O"},  {0xA7, "C"},  {0xA3, "A"},
                {0xB5, "O"},  {0xAF, "I"},  {0x89, "E"},  {0x8D, "I"},  {0xB2, "O"}};
            auto it = m.find(d);
            if (it != m.end()) r += it->second;
        }
    }
    return r;
}

struct Ausgabe {
    std::string text;
    void zeile(const std::string& z) { text += z + "\r\n"; }
    void schluessel(const std::string& k, const std::string& v) {
        std::string z = "\t" + k + " ";
        while (z.size() < 36) z += ' ';
        zeile(z + v);
    }
    void zahl(const std::string& k, long long v) { schluessel(k, std::to_string(v)); }
    void text_(const std::string& k, const std::string& v) { schluessel(k, "\"" + v + "\""); }
    bool schreiben(const std::string& pfad, const std::string& t) const {
        FILE* f = std::fopen(pfad.c_str(), "wb");
        if (!f) return false;
        bool ok = std::fwrite(t.data(), 1, t.size(), f) == t.size();
        return std::fclose(f) == 0 && ok;
    }
    // Writes the file, then puts the reader's checksum over the placeholder.
    bool speichern(const std::string& pfad) const {
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
};

void kopf(Ausgabe& a, const std::string& was) {
    a.zeile("; Kordavo - " + was);
    a.zeile("; Konfigurationssatz 1, erzeugt von tools/worldgen (nicht von Hand bearbeiten)");
    a.zeile("CHECKSUMME                 ");  // filled in after writing
    a.zeile("VERSION 1");
}

struct Team {
    int nummer;
    std::string alias, name, kurz, stadion, stadt, art;
    int land;      // index into laender (-1 market)
    int ebene;     // league level 1.. (0 none)
    int staerke;   // average fine strength of its players
    int wappen, kontinent, sitz, steh, formation;
    int trikot[3];
};

std::string name_aus(const Liste& a, const Liste& b) { return rnd.wahl(a) + rnd.wahl(b); }

// The attribute table: 54 rows (0..39 outfield, 40..46 negative, 47..52 goalkeeper, 53 star training).
const char* attribut_namen[54] = {
    "Kopfballstark",   "Schussgewaltig", "Flankengott",     "Dribbelkünstler", "Passgenau",
    "Zweikampfstark",  "Laufwunder",     "Sprintstark",     "Standardexperte", "Elfmeterschütze",
    "Führungsspieler", "Spielmacher",    "Torjäger",        "Abwehrchef",      "Ballverteiler",
    "Kämpfer",         "Techniker",      "Fernschütze",     "Joker",           "Konterspieler",
    "Linksfuß",        "Beidfüßig",      "Kopfballungeheuer","Volleyschütze",  "Balleroberer",
    "Manndecker",      "Raumdeuter",     "Tempodribbler",   "Freistoßkünstler","Eckballspezialist",
    "Konditionswunder","Nervenstark",    "Publikumsliebling","Teamplayer",     "Routinier",
    "Talent",          "Lautsprecher",   "Vorbild",         "Heißsporn",       "Allrounder",
    "Verletzungsanfällig", "Launisch",   "Trainingsfaul",   "Unbeherrscht",    "Nervenschwach",
    "Egoist",          "Langsam",        "Elfmetertöter",   "Strafraumbeherrscher", "Reflexwunder",
    "Mitspielender Torwart", "Faustabwehr", "Weite Abwürfe", "Startraining"};

// ---- wettbewerb.cfg: the competitions of the world, by team number.
//
// Leagues of each country by level (a level may be split into parallel
// regional leagues), a cup for every country with two levels or more, the
// European cup (four groups and a knock-out round), an indoor tournament,
// the nations' cup and an intercontinental tournament of national teams.
struct Liga_Plan {
    std::string land;           // country alias
    std::string buchstabe;      // first letter of the league ids
    std::vector<std::vector<std::pair<std::string, std::string>>> ligen;  // per level: (id, name) of its leagues
    std::vector<int> wichtig;   // importance per level
    std::vector<int> abstieg;   // clubs relegated per level (the last level none)
    int europa;                 // places of the top league in the European cup
    std::string pokal;          // name of the cup ("" none)
    bool wiederholung;          // cup ties drawn are replayed
};

std::vector<Liga_Plan> liga_plaene() {
    return {
        {"DEU", "D", {{{"D1", "1. Liga Deutschland"}}, {{"D2", "2. Liga Deutschland"}},
                      {{"RN", "Regionalliga Nord"}, {"RS", "Regionalliga Süd"}}},
         {90, 75, 55}, {2, 2, 0}, 4, "Pokal Deutschland", false},
        {"ENG", "E", {{{"E1", "Premier Division"}}, {{"E2", "First Division"}}}, {85, 65}, {3, 0}, 4, "Pokal England", true},
        {"ITA", "I", {{{"I1", "Serie Prima"}}, {{"I2", "Serie Seconda"}}}, {85, 65}, {3, 0}, 4, "Pokal Italien", false},
        {"ESP", "S", {{{"S1", "Primera Liga"}}, {{"S2", "Segunda Liga"}}}, {85, 65}, {3, 0}, 4, "Pokal Spanien", false},
        {"FRA", "F", {{{"F1", "Ligue Nationale"}}, {{"F2", "Ligue Deux"}}}, {85, 65}, {3, 0}, 1, "Pokal Frankreich", false},
        {"NED", "N", {{{"N1", "Eredivisie"}}}, {70}, {0}, 1, "", false},
        {"POR", "P", {{{"P1", "Primeira Liga"}}}, {70}, {0}, 1, "", false},
        {"AUT", "A", {{{"A1", "Bundesliga Österreich"}}}, {70}, {0}, 1, "", false},
        {"SUI", "C", {{{"C1", "Super League Schweiz"}}}, {70}, {0}, 1, "", false},
    };
}

std::string liste(const std::vector<int>& v) {
    std::string r;
    for (size_t i = 0; i < v.size(); i++) r += (i ? "," : "") + std::to_string(v[i]);
    return r;
}

std::string wiederholt(const std::string& s, int n) {
    std::string r;
    for (int i = 0; i < n; i++) r += (i ? "," : "") + s;
    return r;
}

// Writes the competitions; `vereine(land, ebene)` gives the clubs of a level in team order.
template <class Vereine>
void wettbewerbe(Ausgabe& w, const std::vector<Land>& land, const std::vector<Team>& teams, Vereine vereine) {
    w.zeile("; Kordavo - Wettbewerbe (Konfigurationssatz 1)");
    w.zeile("; Ligen, Pokale, internationale Wettbewerbe und Länderturniere der ausgelieferten Welt.");
    w.zeile("CHECKSUMME                  ");  // filled in after writing
    w.text_("INFOTEXT", "Die Wettbewerbe der Welt von Kordavo");
    w.zahl("VERSION", 201);
    auto land_index = [&](const std::string& k) {
        for (size_t i = 0; i < land.size(); i++)
            if (land[i].kuerzel == k) return static_cast<int>(i);
        return -1;
    };
    auto neu = [&](const std::string& id, const std::string& name) {
        w.zeile("");
        w.zeile("NEUER_WETTBEWERB");
        w.schluessel("IDENTIFIKATION", id);
        w.text_("NAME", name);
    };
    auto termine = [&](const char* tag, int quote, int start, int ende, bool spielfrei) {
        w.schluessel("WOCHENTAG", tag);
        if (quote) w.zahl("QUOTE_WOCHENTAG", quote);
        w.zahl("STARTWOCHE", start);
        w.zahl("ENDWOCHE", ende);
        if (spielfrei) {
            w.zahl("SPIELFREI_START", 24);
            w.zahl("SPIELFREI_ENDE", 29);
        }
    };
    const std::vector<Liga_Plan> plaene = liga_plaene();
    for (const Liga_Plan& p : plaene) {
        int li = land_index(p.land);
        for (size_t e = 0; e < p.ligen.size(); e++) {
            const auto& ebene = p.ligen[e];
            std::vector<int> alle = vereine(li, static_cast<int>(e) + 1);
            size_t je = alle.size() / ebene.size();
            for (size_t k = 0; k < ebene.size(); k++) {
                std::vector<int> start(alle.begin() + static_cast<long>(k * je),
                                       alle.begin() + static_cast<long>((k + 1) * je));
                neu(ebene[k].first, ebene[k].second);
                w.schluessel("SUPER_ART", "LIGA");
                w.schluessel("LAND", "#" + p.land);
                w.schluessel("BASISLIGA", "JA");
                w.zahl("TEAMS", static_cast<long long>(start.size()));
                w.schluessel("MODUS", "HEIMRECHT");
                w.schluessel("MODUS", "ENGLISCHE_TABELLE");
                termine("Samstag", 90, 5, 46, true);
                w.zahl("QUALIWOCHE", 2);
                bool unten = e + 1 < p.ligen.size();
                if (k + 1 < ebene.size()) w.schluessel("VISUELL_PARALLEL", ebene[k + 1].first);
                else if (k == 0 && unten) w.schluessel("VISUELL_NACHFOLGER", p.ligen[e + 1][0].first);
                if (e == 0 && p.europa) w.schluessel("QUALI_FUER", wiederholt("EC_A", p.europa));
                if (e > 0)
                    w.schluessel("QUALI_FUER", wiederholt(p.ligen[e - 1][0].first,
                                                          p.abstieg[e - 1] / static_cast<int>(ebene.size())));
                if (unten && p.abstieg[e]) {
                    const auto& naechste = p.ligen[e + 1];
                    std::string z(start.size() - static_cast<size_t>(p.abstieg[e]), ',');
                    for (int r = 0; r < p.abstieg[e]; r++)
                        z += (r ? "," : "") + naechste[static_cast<size_t>(r) % naechste.size()].first;
                    w.schluessel("QUALI_FUER", z);
                }
                w.schluessel("STARTTEILNEHMER", liste(start));
                w.zahl("WICHTIG", p.wichtig[e]);
                w.zahl("SIEG_PRAEMIE", 50000);
                w.zahl("UNENTSCHIEDEN_PRAEMIE", 20000);
                w.zahl("ERSTE_GELBSPERRE", 5);
                w.zahl("INTERVALL_GELBSPERRE", 5);
            }
        }
        if (p.pokal.empty()) continue;
        std::vector<int> start;
        for (size_t e = 0; e < p.ligen.size() && start.size() < 32; e++)
            for (int t : vereine(li, static_cast<int>(e) + 1))
                if (start.size() < 32) start.push_back(t);
        neu("POKAL_" + p.buchstabe, p.pokal);
        w.schluessel("SUPER_ART", "POKAL");
        w.schluessel("LAND", "#" + p.land);
        w.zahl("TEAMS", 32);
        w.schluessel("MODUS", "KO_SYSTEM");
        w.schluessel("MODUS", "VERLAENGERUNG");
        w.schluessel("MODUS", "ELFMETERSCHIESSEN");
        if (p.wiederholung) w.schluessel("MODUS", "WIEDERHOLUNGSSPIEL");
        termine("Mittwoch", 80, 6, 44, true);
        w.zahl("QUALIWOCHE", 2);
        for (const char* r : {"1.RUNDE", "ACHTELFINALE", "VIERTELFINALE", "HALBFINALE", "FINALE"})
            w.schluessel("RUNDENTEXT", r);
        w.schluessel("STARTTEILNEHMER", liste(start));
        w.zahl("WICHTIG", 60);
        w.zahl("SIEG_PRAEMIE", 100000);
        w.schluessel("POKAL_PRAEMIE", "JA");
    }

    // The European cup: four groups of four; group g starts with the g-th
    // club of every country that sends four clubs.
    std::vector<const Liga_Plan*> vier;
    for (const Liga_Plan& p : plaene)
        if (p.europa == 4) vier.push_back(&p);
    for (int g = 0; g < 4; g++) {
        std::string id = std::string("EC_") + static_cast<char>('A' + g);
        neu(id, "Europapokal");
        w.text_("GRUPPEN_NAME", std::string("Gruppe ") + static_cast<char>('A' + g));
        w.schluessel("SUPER_ART", "EUROPA");
        w.zahl("TEAMS", 4);
        w.schluessel("MODUS", "HEIMRECHT");
        w.zahl("ANZ_PARALLEL_GRUPPEN", 4);
        w.zahl("WEITERKOMM_ANZ", 2);
        if (g < 3) w.schluessel("PARALLELGRUPPE", std::string("EC_") + static_cast<char>('B' + g));
        w.schluessel("NACHFOLGERUNDE", "EC_KO");
        termine("Mittwoch", 100, 8, 22, false);
        w.zahl("QUALIWOCHE", 2);
        w.schluessel("QUALI_FUER", "EC_KO,EC_KO");
        std::vector<int> start;
        for (const Liga_Plan* p : vier) {
            if (g == 0) w.schluessel("QUALI_LAND", "#" + p->land + ",4");
            start.push_back(vereine(land_index(p->land), 1)[static_cast<size_t>(g)]);
        }
        w.schluessel("STARTTEILNEHMER", liste(start));
        w.zahl("WICHTIG", 95);
        w.zahl("SIEG_PRAEMIE", 500000);
        w.zahl("UNENTSCHIEDEN_PRAEMIE", 250000);
        w.zahl("ANTRITTS_PRAEMIE", 1000000);
    }
    neu("EC_KO", "Europapokal");
    w.schluessel("SUPER_ART", "EUROPA");
    w.zahl("TEAMS", 8);
    for (const char* m : {"KO_SYSTEM", "RUECKSPIELE", "AUSWTORE_DOPPELT", "VERLAENGERUNG", "ELFMETERSCHIESSEN"})
        w.schluessel("MODUS", m);
    w.schluessel("RUECKSPIEL_NACH_ZWEI_WOCHEN", "JA");
    termine("Mittwoch", 100, 30, 46, false);
    w.zahl("QUALIWOCHE", 23);
    for (const char* r : {"VIERTELFINALE", "HALBFINALE", "FINALE"}) w.schluessel("RUNDENTEXT", r);
    w.zahl("WICHTIG", 100);
    w.zahl("SIEG_PRAEMIE", 1000000);
    w.schluessel("POKAL_PRAEMIE", "JA");

    // The indoor tournament of the first country's four first clubs.
    const std::string& heim = plaene[0].land;
    std::vector<int> halle = vereine(land_index(heim), 1);
    halle.resize(4);
    neu("HALLE", "Hallenturnier");
    w.schluessel("SUPER_ART", "TURNIER");
    w.zahl("TEAMS", 4);
    w.schluessel("MODUS", "KO_SYSTEM");
    w.schluessel("MODUS", "VERLAENGERUNG");
    w.schluessel("MODUS", "ELFMETERSCHIESSEN");
    termine("Sonntag", 80, 3, 51, true);
    w.zahl("QUALIWOCHE", 2);
    w.schluessel("MEHRMALS_PRO_JAHR", "JA");
    w.schluessel("RUNDENTEXT", "HALBFINALE");
    w.schluessel("RUNDENTEXT", "FINALE");
    w.schluessel("STARTTEILNEHMER", liste(halle));
    w.zahl("WICHTIG", 20);
    w.zahl("SIEG_PRAEMIE", 100000);
    w.schluessel("POKAL_PRAEMIE", "JA");

    // National teams: the first eight in the nations' cup, those from
    // outside Europe (continents 6 and above) in the intercontinental cup.
    std::vector<int> nationen, uebersee;
    for (const Team& t : teams) {
        if (t.art != "NATIONALTEAM") continue;
        if (nationen.size() < 8) nationen.push_back(t.nummer);
        if (t.kontinent >= 6) uebersee.push_back(t.nummer);
    }
    neu("NATIONEN", "Nationen-Cup");
    w.schluessel("SUPER_ART", "LAENDER");
    w.zahl("TEAMS", static_cast<long long>(nationen.size()));
    w.schluessel("MODUS", "KO_SYSTEM");
    w.schluessel("MODUS", "VERLAENGERUNG");
    w.schluessel("MODUS", "ELFMETERSCHIESSEN");
    w.schluessel("AUSRICHTER", "#" + heim);
    termine("Mittwoch", 80, 46, 51, true);
    w.zahl("QUALIWOCHE", 2);
    w.zahl("ALLE_X_JAHRE", 2);
    w.zahl("STARTJAHR", 1);
    for (const char* r : {"VIERTELFINALE", "HALBFINALE", "FINALE"}) w.schluessel("RUNDENTEXT", r);
    w.schluessel("STARTTEILNEHMER", liste(nationen));
    w.zahl("WICHTIG", 100);
    w.zahl("SIEG_PRAEMIE", 100000);
    w.schluessel("POKAL_PRAEMIE", "JA");

    neu("INTERKONT", "Interkontinental-Cup");
    w.schluessel("SUPER_ART", "LAENDER");
    w.zahl("TEAMS", static_cast<long long>(uebersee.size()));
    w.zahl("SPIELTAGE", 3);
    w.schluessel("MODUS", "HEIMRECHT");
    termine("Mittwoch", 0, 10, 20, false);
    w.zahl("QUALIWOCHE", 2);
    w.schluessel("STARTTEILNEHMER", liste(uebersee));
    w.zahl("WICHTIG", 60);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: worldgen <Ausgabeordner>\n");
        return 2;
    }
    std::string ordner = argv[1];
    std::vector<Land> land = laender();
    std::vector<Team> teams;
    std::set<std::string> namen_vergeben, aliase;

    // Team 0: the transfer market.
    teams.push_back({0, "MARKT", "Transfermarkt", "Markt", "", "", "TRANSFERMARKT", -1, 0, 4500, 0, 0, 0, 0, 0, {0, 0, 0}});
    // National teams.
    for (size_t i = 0; i < land.size(); i++) {
        Team t{};
        t.nummer = static_cast<int>(teams.size());
        t.alias = land[i].kuerzel;
        t.name = land[i].name;
        t.kurz = land[i].kuerzel;
        t.stadion = "Nationalstadion " + land[i].kuerzel;
        t.stadt = "";
        t.art = "NATIONALTEAM";
        t.land = static_cast<int>(i);
        t.ebene = 0;
        t.staerke = land[i].staerke + 800;
        t.kontinent = land[i].kontinent;
        t.wappen = t.nummer;
        t.sitz = 60000;
        t.steh = 0;
        t.formation = rnd.bis(16);
        teams.push_back(t);
    }
    // Clubs by country and level.
    for (size_t i = 0; i < land.size(); i++) {
        const Land& L = land[i];
        for (size_t e = 0; e < L.ligen.size(); e++) {
            for (int k = 0; k < L.ligen[e]; k++) {
                Team t{};
                t.nummer = static_cast<int>(teams.size());
                for (int versuch = 0;; versuch++) {
                    std::string ort = name_aus(L.ort_a, L.ort_b);
                    if (zeichen(ort) > 15) continue;
                    char buf[128];
                    std::snprintf(buf, sizeof buf, rnd.wahl(L.vereine).c_str(), ort.c_str());
                    std::string n = buf;
                    if (zeichen(n) > 24 || namen_vergeben.count(n) || namen_vergeben.count("ORT:" + ort)) continue;
                    namen_vergeben.insert(n);
                    namen_vergeben.insert("ORT:" + ort);
                    t.name = n;
                    t.stadt = ort;
                    break;
                }
                std::string kurz = t.stadt;
                if (zeichen(kurz) > 10) kurz = gross_ascii(kurz).substr(0, 10);
                t.kurz = kurz;
                static const Liste stadien = {"Stadion %s", "%s-Arena", "Sportpark %s", "Waldstadion %s",
                                              "Stadion am Fluss"};
                static const Liste stadien_en = {"%s Park", "%s Road", "%s Lane", "%s Ground"};
                char sb[128];
                std::snprintf(sb, sizeof sb, (i == 1 ? rnd.wahl(stadien_en) : rnd.wahl(stadien)).c_str(),
                              t.stadt.c_str());
                t.stadion = sb;
                std::string a = L.kuerzel.substr(0, 1) + "_" + gross_ascii(t.stadt);
                if (a.size() > 13) a = a.substr(0, 13);
                std::string basis = a;
                for (int n = 2; aliase.count(a); n++) a = basis + std::to_string(n);
                t.alias = a;
                t.art = "VEREIN";
                t.land = static_cast<int>(i);
                t.ebene = static_cast<int>(e) + 1;
                t.staerke = L.staerke - static_cast<int>(e) * 1300 + rnd.von_bis(-700, 700);
                t.kontinent = L.kontinent;
                t.wappen = t.nummer;
                int gross = e == 0 ? rnd.von_bis(20, 60) : e == 1 ? rnd.von_bis(10, 28) : rnd.von_bis(4, 14);
                t.sitz = gross * 600;
                t.steh = gross * 400;
                t.formation = rnd.bis(16);
                teams.push_back(t);
            }
        }
    }
    for (auto& t : teams) aliase.insert(t.alias);
    // Kits: 16 colours x 5 patterns; first and second kit of different colour, keeper kit a third colour.
    for (auto& t : teams) {
        if (t.art == "TRANSFERMARKT") continue;
        int c1 = rnd.bis(16), c2, c3;
        do c2 = rnd.bis(16);
        while (c2 == c1);
        do c3 = rnd.bis(16);
        while (c3 == c1 || c3 == c2);
        t.trikot[0] = c1 * 5 + rnd.bis(5);
        t.trikot[1] = c2 * 5 + rnd.bis(5);
        t.trikot[2] = c3 * 5 + rnd.bis(5);
    }

    // ---- team.cfg and its alias file
    Ausgabe tc, ta;
    kopf(tc, "Teams");
    tc.text_("INFOTEXT", "Die Welt von Kordavo: erfundene Vereine in echten Ländern");
    tc.zahl("TEAMS", static_cast<long long>(teams.size()));
    ta.zeile("; Kordavo - Namen der Teams (Konfigurationssatz 1)");
    for (const auto& t : teams) {
        ta.zeile(t.alias + " " + std::to_string(t.nummer));
        tc.zeile("");
        tc.zeile("NEUES_TEAM");
        tc.zahl("NUMMER", t.nummer);
        tc.text_("NAME", t.name);
        tc.text_("KURZNAME", t.kurz);
        if (!t.stadion.empty()) tc.text_("STADIONNAME", t.stadion);
        if (!t.stadt.empty()) tc.text_("STADT", t.stadt);
        tc.schluessel("ART", t.art);
        if (t.land >= 0) tc.schluessel("LAND", "#" + land[static_cast<size_t>(t.land)].kuerzel);
        tc.zahl("KONTINENT", t.kontinent);
        if (t.ebene) tc.zahl("EBENE", t.ebene);
        if (t.art != "TRANSFERMARKT") {
            tc.zahl("WAPPEN", t.wappen);
            tc.schluessel("TRIKOT", std::to_string(t.trikot[0]) + "," + std::to_string(t.trikot[1]) + "," +
                                        std::to_string(t.trikot[2]));
            tc.zahl("SITZPLAETZE", t.sitz);
            tc.zahl("STEHPLAETZE", t.steh);
            tc.zahl("FORMATION", t.formation);
            tc.schluessel("TAKTIK", std::to_string(rnd.bis(2)) + "," + std::to_string(rnd.bis(2)) + "," +
                                        std::to_string(rnd.bis(10)) + ",0," + std::to_string(rnd.bis(5)) + "," +
                                        std::to_string(rnd.bis(7)) + "," + std::to_string(rnd.bis(5)));
        }
    }

    // ---- spieler.cfg
    Ausgabe pc;
    kopf(pc, "Spieler");
    int anzahl = (static_cast<int>(teams.size()) - 1) * 20 + 1700;
    pc.zahl("SPIELER", anzahl);
    auto spieler = [&](const Team& t, int land_i, int pos, int staerke, int nummer, bool scout) {
        const Land& L = land[static_cast<size_t>(land_i)];
        pc.zeile("");
        pc.zeile("NEUER_SPIELER");
        pc.schluessel("TEAM", "#" + t.alias);
        pc.text_("VORNAME", rnd.wahl(L.vornamen));
        std::string nach;
        do nach = name_aus(L.nach_a, L.nach_b);
        while (zeichen(nach) > 30);
        pc.text_("NACHNAME", nach);
        pc.schluessel("NATION", "#" + L.kuerzel);
        static const char* posname[4] = {"TOR", "ABWEHR", "MITTELFELD", "STURM"};
        pc.schluessel("POSITION", posname[pos]);
        pc.zahl("NUMMER", nummer);
        if (staerke < 500) staerke = 500;
        if (staerke > 11800) staerke = 11800;
        pc.zahl("STAERKE", staerke);
        int max = staerke / 1000 + rnd.bis(4);
        pc.zahl("MAXSTAERKE", max > 12 ? 12 : max);
        pc.zahl("SPIELE", rnd.von_bis(1, 150));
        pc.zahl("JAHRGANG", rnd.von_bis(1972, 1990));
        pc.zahl("TALENT", rnd.von_bis(1, 50));
        uint32_t look = static_cast<uint32_t>(rnd.bis(4)) | (static_cast<uint32_t>(rnd.bis(32)) << 2) |
                        (static_cast<uint32_t>(rnd.bis(64)) << 7) | (static_cast<uint32_t>(rnd.bis(128)) << 13) |
                        (static_cast<uint32_t>(rnd.bis(64)) << 20) | (static_cast<uint32_t>(rnd.bis(32)) << 26);
        pc.zahl("AUSSEHEN", look);
        static const int haare[6] = {0x0000, 0x4208, 0x8A22, 0xC4E4, 0xFF29, 0x9CE7};
        static const int haut[5] = {0xFEB7, 0xEE34, 0xCCEF, 0x8A07, 0x5143};
        pc.zahl("HAARFARBE", haare[rnd.bis(6)]);
        pc.zahl("HAUTFARBE", haut[rnd.bis(5)]);
        // Up to two learned special attributes, more for the strong.
        int n = rnd.bis(staerke > 8000 ? 3 : 2);
        std::string attr;
        std::set<int> gewaehlt;
        for (int i = 0; i < n; i++) {
            int a = pos == 0 ? rnd.von_bis(47, 52) : rnd.bis(40);
            if (!gewaehlt.insert(a).second) continue;
            attr += (attr.empty() ? "" : ",") + std::to_string(a);
        }
        if (rnd.bis(10) == 0) attr += (attr.empty() ? "" : ",") + std::to_string(rnd.von_bis(40, 46));
        if (!attr.empty()) pc.schluessel("ATTRIBUTE", attr);
        if (scout) pc.schluessel("SCOUT", "JA");
    };
    // The market: 1,700 players of every country; 60 of them only a scout finds.
    for (int i = 0; i < 1700; i++) {
        bool scout = i >= 1640;
        int li = scout ? 9 + (i % 6) : rnd.bis(static_cast<int>(land.size()));
        int pos = i % 10 == 0 ? 0 : 1 + rnd.bis(3);
        int st = scout ? rnd.von_bis(6500, 9500) : rnd.von_bis(2500, 7000);
        spieler(teams[0], li, pos, st, rnd.von_bis(1, 99), scout);
    }
    static const int kader_pos[20] = {0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 0, 1, 1, 2, 2, 3, 3, 0, 2};
    for (size_t ti = 1; ti < teams.size(); ti++) {
        const Team& t = teams[ti];
        std::set<int> nummern;
        for (int k = 0; k < 20; k++) {
            int li = t.land;
            if (t.art == "VEREIN" && rnd.bis(6) == 0) li = rnd.bis(static_cast<int>(land.size()));
            int nr = k == 0 ? 1 : k == 11 ? 12 : k == 18 ? 30 : 0;
            while (nr == 0 || nummern.count(nr)) nr = rnd.von_bis(2, 40);
            nummern.insert(nr);
            int st = t.staerke + (k < 11 ? 400 : -600) + rnd.von_bis(-1000, 1000);
            spieler(t, li, kader_pos[k], st, nr, false);
        }
    }

    // ---- personal.cfg: the four scouts
    Ausgabe sc;
    kopf(sc, "Personal");
    static const char* scouts[4][2] = {{"Eberhard", "Quastmann"}, {"Pascal", "Rivoire"}, {"Gustavo", "Arrabel"},
                                       {"Nils", "Fjelstad"}};
    for (int s = 0; s < 4; s++) {
        sc.zeile("");
        sc.zeile("NEUER_SCOUT");
        sc.text_("VORNAME", scouts[s][0]);
        sc.text_("NACHNAME", scouts[s][1]);
        sc.zahl("GRUNDPREIS_FACTOR", 50000 + s * 40000);
        std::string gp, wf, ue, sf;
        for (int k = 0; k < 15; k++) {
            std::string sep = k ? "," : "";
            gp += sep + std::to_string(k < 6 ? 20000 + 10000 * s + 5000 * k : 60000 + 15000 * s);
            wf += sep + std::to_string(30 + 15 * s + rnd.bis(20));
            ue += sep + std::to_string(20 + 20 * s + rnd.bis(15));
            sf += sep + std::to_string(80 + 10 * s + rnd.bis(20));
        }
        sc.schluessel("GEBIETSPREIS", gp);
        sc.schluessel("WAHRSCHEINLICHKEITSFACTOR", wf);
        sc.schluessel("UEBERREDUNGSKRAFT", ue);
        sc.schluessel("SPIELER_STAERKE_FACTOR", sf);
    }

    // ---- global.cfg: continents, camps, attributes, prices, parameters
    Ausgabe gc;
    kopf(gc, "Globale Einstellungen");
    gc.zahl("PREIS_FAKTOR", 100);
    for (int k = 0; k < 15; k++) {
        bool hat = false;
        for (const auto& L : land) hat = hat || L.kontinent == k;
        gc.zeile("");
        gc.zeile("NEUER_KONTINENT");
        gc.text_("NAME", kontinente[k]);
        gc.schluessel("LAENDER", hat ? "JA" : "NEIN");
    }
    static const char* lager[8] = {"Sportschule am See", "Höhentrainingslager", "Strandcamp Süd", "Waldhotel Birkengrund",
                                   "Leistungszentrum Nord", "Bergcamp Alpenblick", "Wüstencamp", "Kurhotel Thermalbad"};
    for (int c = 0; c < 8; c++) {
        gc.zeile("");
        gc.zeile("NEUER_TR_LAGER");
        gc.text_("TR_LAGER_NAME", lager[c]);
        gc.zahl("KOSTEN", 40000 + c * 35000);
        gc.zahl("MORAL", 1 + (c * 3) % 5);
        gc.zahl("ERHOLUNG", 1 + (c * 2 + 1) % 5);
        gc.zahl("STAERKE", 1 + c % 5);
        gc.text_("INFO", std::string("Trainingslager ") + lager[c]);
    }
    for (int a = 0; a < 54; a++) {
        gc.zeile("");
        gc.zeile("NEUES_ATTRIBUT");
        gc.text_("NAME", attribut_namen[a]);
        gc.text_("INFO1", std::string("Spezialfähigkeit: ") + attribut_namen[a]);
        gc.schluessel("MOEGLICH_WANN", a >= 47 && a <= 52 ? "0,1" : "1,3");
        int noetig = a == 53 ? 100 : a >= 40 && a <= 46 ? 10 : 20 + (a % 7) * 5;
        gc.zahl("NOETIGE_ENTWICKELUNGSPUNKTE", noetig);
        gc.zahl("ENTWICKELUNGSPUNKTE_TRAINING", 2 + a % 4);
        // A few attributes build on others.
        std::string v = "-1,-1,-1";
        if (a == 22) v = "0,-1,-1";
        if (a == 28) v = "8,-1,-1";
        if (a == 29) v = "8,2,-1";
        if (a == 12) v = "1,-1,-1";
        gc.schluessel("VORAUSSETZUNG", v);
        gc.zahl("AUSWIRKUNG_1", a % 5);
        gc.zahl("AUSWIRKUNG_2", (a * 3) % 7);
        gc.zahl("AUSWIRKUNG_3", 0);
    }
    gc.zeile("");
    gc.zeile("ALGEMEINE_PARAMETER");
    gc.zahl("TRAINING_PUNKTE_SCHNELL_PARAM", 8);
    gc.zahl("TRAINING_PUNKTE_LANGZAM_PARAM", 3);
    gc.zahl("TRAINING_PUNKTE_MAX_ZEIT_SCHNELLE_FASE", 10);
    gc.zahl("TRAINING_ABSTURZ_PARAM", 20);
    gc.zahl("TRAINING_EXTRA_BONUS_PARAM", 5);
    for (int r = 0; r < 6; r++) {
        std::string v;
        for (int k = 0; k < 7; k++) v += (k ? "," : "") + std::to_string(5 + r * 5 + k * 10);
        gc.schluessel("TRAINING_ABSTURZ_PROCENT_PARAM", v);
    }
    gc.zahl("TRAINING_LAGER_STAERKE_PARAM", 30);
    gc.zahl("TRAINING_LAGER_VERLETZUNG_PARAM", 5);
    gc.zahl("TRAINING_LAGER_BALKEN_STAERKE_PARAM", 20);
    gc.zahl("TRAINING_LAGER_BALKEN_MORAL_PARAM", 20);
    gc.zahl("TRAINING_LAGER_BALKEN_ERHOLUNG_PARAM", 20);
    gc.zahl("TRAININGS_EINHEITEN_PRO_RUNDE", 3);
    gc.zahl("FAKTOR_0_100_COMPI_TRANSFER_VERKAUF_ABZUG", 25);

    // ---- wettbewerb.cfg: every club named by its team number.
    Ausgabe wc;
    wettbewerbe(wc, land, teams, [&](int li, int ebene) {
        std::vector<int> r;
        for (const Team& t : teams)
            if (t.art == "VEREIN" && t.land == li && t.ebene == ebene) r.push_back(t.nummer);
        return r;
    });

    // Alias companions: every world file may name teams and countries by alias.
    Ausgabe sa = ta, pa = ta, ga = ta;
    Ausgabe wa;
    wa.zeile("; Kordavo - Namen für die Wettbewerbe (Konfigurationssatz 1): die Teams aus 1_team_alias.cfg");
    for (const auto& t : teams) wa.zeile(t.alias + " " + std::to_string(t.nummer));
    bool ok = tc.speichern(ordner + "/1_team.cfg") && ta.speichern(ordner + "/1_team_alias.cfg") &&
              pc.speichern(ordner + "/1_spieler.cfg") && sa.speichern(ordner + "/1_spieler_alias.cfg") &&
              sc.speichern(ordner + "/1_personal.cfg") && pa.speichern(ordner + "/1_personal_alias.cfg") &&
              gc.speichern(ordner + "/1_global.cfg") && ga.speichern(ordner + "/1_global_alias.cfg") &&
              wc.speichern(ordner + "/1_wettbewerb.cfg") && wa.speichern(ordner + "/1_wettbewerb_alias.cfg");
    if (!ok) {
        std::fprintf(stderr, "worldgen: kann nicht nach %s schreiben\n", ordner.c_str());
        return 1;
    }
    std::printf("worldgen: %zu Teams, %d Spieler\n", teams.size(), anzahl);
    return 0;
}

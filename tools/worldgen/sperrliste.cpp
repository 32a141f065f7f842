// Block lists for generated names: slurs in the game's languages, famous
// footballers and managers, and towns that host professional clubs. Texts
// here are Windows-1252, as the game holds them.
#include "sperrliste.h"

#include <algorithm>
#include <set>

namespace worldgen {

namespace {

// Parts that must not appear anywhere in a name.
const char* const schimpf[] = {
    "fag",     "nig",     "neger",  "negro",  "makak",      "kanak",   "fotze",  "hure",   "schlampe", "wichs",
    "arsch",   "fick",    "fuck",   "shit",   "cunt",       "piss",    "nazi",   "hitler", "spast",    "mongo",
    "kike",    "spic",    "coon",   "slut",   "whore",      "bitch",   "puta",   "merde",  "cazzo",    "stronz",
    "culo",    "coglion", "troia",  "putain", "salope",     "connard", "pute",   "maric",  "joder",    "cabron",
    "pendej",  "kurwa",   "chuj",   "pizd",   "schwuchtel", "tunte",   "dick",   "cock",   "twat",     "wank",
    "bastard", "idiot",   "kacke",  "scheis", "porra",      "caralh",  "buceta", "viado",  "kut",      "lul",
    "homo",    "lesb",    "retard", "kaffer", "zigeun",     "gypsy",   "jude",   "sieg",   "heil"};

// Surnames of famous footballers and managers.
const char* const beruehmte[] = {
    "mourinho",    "zanetti",     "bosman",    "veron",          "nakata",   "quaresma",  "muller",     "beckenbauer",
    "messi",       "ronaldo",     "pele",      "maradona",       "zidane",   "cruyff",    "cruijff",    "klopp",
    "guardiola",   "ancelotti",   "ferguson",  "wenger",         "rooney",   "gerrard",   "lampard",    "beckham",
    "totti",       "maldini",     "baresi",    "pirlo",          "buffon",   "baggio",    "xavi",       "iniesta",
    "puyol",       "casillas",    "raul",      "figo",           "eusebio",  "platini",   "henry",      "kahn",
    "matthaus",    "ballack",     "lahm",      "schweinsteiger", "kroos",    "neuer",     "rummenigge", "voller",
    "klinsmann",   "seeler",      "netzer",    "breitner",       "gullit",   "rijkaard",  "bergkamp",   "robben",
    "sneijder",    "koeman",      "davids",    "seedorf",        "kluivert", "laudrup",   "schmeichel", "larsson",
    "ibrahimovic", "lewandowski", "boniek",    "lato",           "nakamura", "honda",     "kagawa",     "kawashima",
    "okazaki",     "endo",        "okocha",    "kanu",           "donovan",  "dempsey",   "polster",    "herzog",
    "krankl",      "prohaska",    "chapuisat", "xhaka",          "cantona",  "deschamps", "thuram",     "desailly",
    "makelele",    "vieira",      "pires",     "trezeguet",      "ribery",   "benzema",   "mbappe",     "griezmann",
    "butragueno",  "hierro",      "pique",     "busquets",       "capello",  "lippi",     "sacchi",     "trapattoni",
    "hitzfeld",    "heynckes",    "rehhagel",  "happel",         "michels",  "hiddink",   "advocaat",   "benitez",
    "simeone",     "low",         "flick",     "nagelsmann",     "tuchel",   "conte",     "allegri",    "ranieri",
    "mancini",     "zeman",       "bielsa",    "scolari",        "queiroz",  "eriksson",  "hodgson",    "redknapp",
    "pochettino",  "emery",       "aragones",  "zico",           "socrates", "romario",   "rivaldo",    "ronaldinho",
    "kaka",        "neymar",      "cafu",      "garrincha",      "zagallo",  "batistuta", "kempes",     "charlton",
    "moore",       "lineker",     "shearer",   "owen",           "keane",    "scholes",   "giggs",      "kane",
    "vardy",       "salah",       "kompany",   "hazard",         "modric",   "suker",     "stoichkov",  "hagi",
    "nedved",      "shevchenko",  "yashin",    "puskas",         "eto",      "drogba",    "weah",       "milla",
    "yeboah",      "bebeto",      "rui",       "futre",          "deco",     "ozil",      "gotze",      "reus",
    "hummels",     "boateng",     "podolski",  "klose",          "bierhoff", "sammer",    "effenberg",  "basler",
    "scholl",      "zola",        "vialli",    "mancini",        "inzaghi",  "delpiero",  "nesta",      "cannavaro",
    "gattuso",     "tardelli",    "rossi",     "riva",           "rivera",   "mazzola",   "facchetti",  "zoff",
    "meazza",      "dibenedetto", "ferrari",   "dinamo",         "gento",    "distefano", "suarez",     "forlan",
    "cavani",      "raul",        "morientes", "villa",          "torres",   "silva",     "alonso",     "ramos",
    "xabi"};

// Towns (and club names used as towns) with professional football.
const char* const vereinsorte[] = {
    // Germany
    "munchen", "dortmund", "schalke", "gelsenkirchen", "wolfsburg", "leverkusen", "bremen", "hamburg", "berlin", "koln",
    "stuttgart", "frankfurt", "freiburg", "mainz", "augsburg", "hoffenheim", "sinsheim", "bochum", "bielefeld",
    "hannover", "nurnberg", "furth", "kaiserslautern", "karlsruhe", "dusseldorf", "monchengladbach", "gladbach",
    "rostock", "dresden", "leipzig", "paderborn", "darmstadt", "heidenheim", "kiel", "braunschweig", "magdeburg",
    "regensburg", "sandhausen", "aue", "ingolstadt", "osnabruck", "wiesbaden", "duisburg", "essen", "aachen",
    "uerdingen", "krefeld", "cottbus", "unterhaching", "elversberg", "meppen", "oldenburg", "lubeck", "jena", "halle",
    "erfurt", "saarbrucken", "offenbach", "mannheim", "ulm", "munster", "wattenscheid", "homburg", "verl", "lotte",
    "zwickau", "chemnitz", "burghausen", "wehen", "aalen", "koblenz", "siegen", "trier", "worms", "oberhausen",
    "lautern",
    // England
    "london", "manchester", "liverpool", "birmingham", "leeds", "newcastle", "sunderland", "everton", "chelsea",
    "arsenal", "tottenham", "fulham", "brentford", "brighton", "southampton", "portsmouth", "bournemouth", "watford",
    "luton", "norwich", "ipswich", "leicester", "nottingham", "derby", "stoke", "burnley", "blackburn", "bolton",
    "wigan", "preston", "blackpool", "middlesbrough", "hull", "sheffield", "barnsley", "rotherham", "huddersfield",
    "bradford", "wolverhampton", "coventry", "reading", "oxford", "cambridge", "bristol", "swindon", "plymouth",
    "exeter", "millwall", "charlton", "wimbledon", "crawley", "gillingham", "peterborough", "northampton", "wycombe",
    "stevenage", "walsall", "crewe", "stockport", "bury", "oldham", "rochdale", "accrington", "morecambe", "carlisle",
    "doncaster", "grimsby", "lincoln", "scunthorpe", "mansfield", "chesterfield", "burton", "cheltenham", "salford",
    "harrogate", "barrow", "tranmere", "shrewsbury", "leyton", "colchester", "southend", "sutton", "bromley", "wrexham",
    "cardiff", "swansea", "newport", "yeovil", "hartlepool", "darlington", "macclesfield", "aldershot", "dagenham",
    // Italy
    "milano", "torino", "roma", "napoli", "genova", "firenze", "bologna", "verona", "udine", "bergamo", "atalanta",
    "parma", "cagliari", "lecce", "bari", "palermo", "catania", "empoli", "sassuolo", "cremona", "brescia", "como",
    "monza", "venezia", "frosinone", "salerno", "spezia", "sampdoria", "lazio", "perugia", "ternana", "terni", "pisa",
    "livorno", "reggio", "reggina", "crotone", "benevento", "cosenza", "modena", "ascoli", "cittadella", "vicenza",
    "padova", "ferrara", "pescara", "avellino", "foggia", "catanzaro", "cesena", "piacenza", "ancona", "siena",
    "trieste", "novara", "alessandria", "vercelli", "carpi", "chievo", "lucca", "arezzo", "prato", "lecco", "mantova",
    "triestina", "sorrento", "latina", "juve",
    // Spain
    "madrid", "barcelona", "valencia", "sevilla", "bilbao", "villarreal", "betis", "espanyol", "getafe", "leganes",
    "alaves", "vitoria", "girona", "osasuna", "pamplona", "celta", "vigo", "coruna", "deportivo", "malaga", "granada",
    "almeria", "cadiz", "elche", "levante", "mallorca", "laspalmas", "tenerife", "valladolid", "zaragoza", "oviedo",
    "gijon", "santander", "huesca", "eibar", "sociedad", "sansebastian", "vallecano", "albacete", "cordoba", "burgos",
    "mirandes", "lugo", "ponferrada", "alcorcon", "fuenlabrada", "castellon", "murcia", "cartagena", "andorra",
    "eldense", "elda", "amorebieta", "tarragona", "salamanca", "logrones", "racing",
    // France
    "paris", "marseille", "lyon", "monaco", "lille", "nice", "rennes", "nantes", "bordeaux", "toulouse", "montpellier",
    "strasbourg", "reims", "lens", "brest", "lorient", "metz", "nancy", "auxerre", "angers", "clermont", "troyes",
    "dijon", "caen", "guingamp", "amiens", "nimes", "sochaux", "valenciennes", "grenoble", "bastia", "ajaccio", "laval",
    "rodez", "pau", "niort", "annecy", "dunkerque", "lehavre", "saintetienne", "sedan", "istres", "creteil",
    "chateauroux", "orleans", "tours", "beauvais", "martigues", "quevilly", "rouen", "lemans", "bourg", "avranches",
    "boulogne", "concarneau", "versailles", "valence",
    // Netherlands
    "amsterdam", "rotterdam", "eindhoven", "utrecht", "alkmaar", "enschede", "groningen", "heerenveen", "arnhem",
    "nijmegen", "tilburg", "breda", "zwolle", "almelo", "sittard", "venlo", "waalwijk", "doetinchem", "deventer",
    "kerkrade", "volendam", "emmen", "denhaag", "leeuwarden", "dordrecht", "helmond", "oss", "maastricht", "denbosch",
    "velsen", "veendam", "almere", "apeldoorn", "ajax", "feyenoord", "vitesse", "twente", "excelsior", "sparta",
    "haarlem", "zaandam",
    // Portugal
    "lisboa", "porto", "braga", "guimaraes", "coimbra", "setubal", "faro", "funchal", "madeira", "aves", "famalicao",
    "estoril", "arouca", "chaves", "tondela", "vizela", "portimao", "barcelos", "moreira", "pacos", "ferreira",
    "boavista", "belenenses", "maritimo", "nacional", "leixoes", "penafiel", "feirense", "olhanense", "espinho",
    "alverca", "benfica", "sporting", "covilha", "mafra", "viseu", "academica",
    // Austria
    "wien", "salzburg", "graz", "linz", "innsbruck", "klagenfurt", "wolfsberg", "altach", "hartberg", "ried",
    "lustenau", "mattersburg", "admira", "modling", "pasching", "horn", "amstetten", "kapfenberg", "steyr", "dornbirn",
    "wattens", "tirol", "rapid", "leoben", "bregenz",
    // Switzerland
    "zurich", "basel", "bern", "genf", "geneve", "lausanne", "luzern", "lugano", "sion", "thun", "stgallen", "gallen",
    "winterthur", "aarau", "grasshopper", "servette", "xamax", "neuchatel", "vaduz", "schaffhausen", "wil", "yverdon",
    "chiasso", "bellinzona", "kriens", "wohlen", "biel", "nyon", "baden", "locarno"};

template <size_t N>
std::set<std::string> als_menge(const char* const (&a)[N]) {
    std::set<std::string> m;
    for (const char* s : a) m.insert(s);
    return m;
}

}  // namespace

std::string falten(std::string_view s) {
    std::string r;
    for (unsigned char c : s) {
        if (c >= 'A' && c <= 'Z') r += static_cast<char>(c + 32);
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) r += static_cast<char>(c);
        else if (c == 0xDF) r += "ss";
        else if (c == 0x8A || c == 0x9A) r += 's';
        else if (c == 0x8E || c == 0x9E) r += 'z';
        else if (c >= 0xC0) {
            static const char tafel[] = "aaaaaaaceeeeiiiidnooooo-ouuuuyts";  // 0xC0..0xDF, again for 0xE0..0xFF
            char f = tafel[(c - 0xC0) & 0x1F];
            if (f != '-') r += f;
        }
    }
    return r;
}

namespace {

bool vokal(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }

}  // namespace

bool wortform_ok(std::string_view wort) {
    for (size_t i = 1; i < wort.size(); i++) {
        unsigned char c = static_cast<unsigned char>(wort[i]);
        if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return false;
    }
    // Triple letters, a doubled consonant after a consonant (Eckke, Gislli),
    // a syllable said twice (Leitleitner).
    std::string f = falten(wort);
    for (size_t i = 0; i + 2 < f.size(); i++) {
        if (f[i] == f[i + 1] && f[i] == f[i + 2]) return false;
        if (!vokal(f[i]) && !vokal(f[i + 1]) && f[i + 1] == f[i + 2]) return false;
    }
    for (size_t len = 3; len * 2 <= f.size(); len++)
        for (size_t i = 0; i + 2 * len <= f.size(); i++)
            if (f.compare(i, len, f, i + len, len) == 0) return false;
    return true;
}

bool beleidigend(std::string_view name) {
    std::string f = falten(name);
    for (const char* s : schimpf)
        if (f.find(s) != std::string::npos) return true;
    return false;
}

bool beruehmt(std::string_view nachname) {
    static const std::set<std::string> m = als_menge(beruehmte);
    return m.count(falten(nachname)) > 0;
}

bool vereinsort(std::string_view ort) {
    static const std::set<std::string> m = als_menge(vereinsorte);
    return m.count(falten(ort)) > 0;
}

}  // namespace worldgen

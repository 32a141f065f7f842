// The countries of the world: names, syllables, club patterns, grounds, looks
// and the national teams' colours. Kits are numbered colour * 5 + pattern
// (colours: 0 white, 1 black, 2 red, 3 dark red, 4 blue, 5 navy, 6 sky blue,
// 7 green, 8 dark green, 9 yellow, 10 orange, 11 purple, 12 grey, 13 claret,
// 14 gold, 15 teal). Skin tones run from light to dark; hair colours are
// black, dark brown, brown, light brown, blond, grey.
#include "worldgen.h"

namespace worldgen {

const char* const kontinente[15] = {"Mitteleuropa", "Westeuropa",  "Südeuropa",        "Britische Inseln",
                                    "Nordeuropa",   "Osteuropa",   "Südamerika",       "Mittelamerika",
                                    "Nordamerika",  "Westafrika",  "Nordafrika",       "Südliches Afrika",
                                    "Naher Osten",  "Ostasien",    "Ozeanien"};

namespace {

void deutschsprachig(std::vector<Land>& l) {
    l.push_back({"DEU", "Deutschland", 0, {18, 18, 20}, 5200, 3,
                 {"Jannek", "Till", "Malte", "Henrik", "Jorin", "Ole", "Bent", "Falk", "Lasse", "Ruben", "Timo",
                  "Kilian", "Mirko", "Sönke", "Arne", "Fritjof", "Jonas", "Lukas", "Felix", "Niklas", "Tobias",
                  "Florian", "Dennis", "Sebastian", "Marcel", "Kevin", "Patrick", "Dominik", "Benedikt", "Moritz",
                  "Philipp", "Julian", "Fabian", "Sven", "Jens", "Torben", "Lars", "Matthias", "Christoph", "Stefan",
                  "Daniel", "Marco", "Jan", "Nils", "Hannes", "Leon", "Erik", "Tim", "Robin", "Pascal"},
                 {"Brom", "Hal", "Kes", "Wen", "Rott", "Lind", "Stein", "Eck", "Hol", "Dorn", "Grau", "Kamm", "Lauter",
                  "Sieb", "Wald", "Treb", "Brink", "Fest", "Hart", "Kuhl", "Mett", "Pohl", "Reim", "Schir", "Vog",
                  "Wern", "Zell", "Bren", "Gers", "Hein"},
                 {"mann", "kamp", "berg", "hoff", "ler", "ke", "rich", "bach", "stedt", "hauer", "mer", "inger",
                  "dorf", "brecht", "ert", "ner", "hardt", "meier", "sen", "bold"},
                 {"Wendel", "Rott", "Eich", "Bram", "Lind", "Hasel", "Kron", "Alt", "Gold", "Ebers", "Ried", "Tann",
                  "Hag", "Schwan", "Quer", "Fal", "Bruch", "Dreis", "Erl", "Fuchs", "Grün", "Hinter", "Lauen", "Mühl",
                  "Ofter", "Roden", "Sommer", "Stock", "Unter", "Wester"},
                 {"heim", "ach", "stadt", "feld", "burg", "hausen", "dorf", "ingen", "au", "bruck", "stetten", "born",
                  "berg", "rode", "beck", "hagen", "stein", "kirchen", "furt", "lohe"},
                 {{"SV %s", 4}, {"FC %s", 4}, {"TSV %s", 3}, {"1. FC %s", 2}, {"VfB %s", 2}, {"VfL %s", 2},
                  {"SC %s", 2}, {"SpVgg %s", 1}, {"FSV %s", 1}, {"TuS %s", 1}, {"Eintracht %s", 1},
                  {"Borussia %s", 1}, {"Fortuna %s", 1}, {"Union %s", 1}, {"Rot-Weiß %s", 1}, {"Germania %s", 1},
                  {"VfR %s", 1}},
                 {"Stadion %s", "%s-Arena", "Sportpark %s", "Waldstadion %s", "%v-%n-Stadion", "Stadion am %nweg",
                  "Sportplatz %s"},
                 "Nationalstadion", {22000, 81000, 11000, 42000, 2500, 16000}, {25, 40, 60},
                 {55, 28, 10, 4, 3}, {15, 25, 30, 15, 12, 3}, {0, 5, 35}, "aue,eie,eue,aa,ee,oo"});
    l.push_back({"AUT", "Österreich", 0, {10}, 3800, 2,
                 {"Florian", "Lukas", "Markus", "Stefan", "Dominik", "Valentin", "Matthias", "Clemens", "Georg",
                  "Bernhard", "Andreas", "Christoph", "Thomas", "Michael", "Martin", "Manuel", "Philipp", "Patrick",
                  "Daniel", "David", "Simon", "Raphael", "Jakob", "Maximilian", "Alexander", "Sebastian", "Johannes",
                  "Wolfgang", "Peter", "Roman", "Gernot", "Herbert", "René", "Kevin", "Marcel", "Tobias", "Paul",
                  "Elias", "Moritz", "Severin", "Ferdinand", "Leopold"},
                 {"Hub", "Leit", "Moos", "Pichl", "Reit", "Stadl", "Wies", "Hof", "Brand", "Lech", "Aign", "Bin",
                  "Grub", "Hasl", "Kogl", "Lind", "Mayr", "Pranz", "Rauch", "Schal", "Stein", "Wim", "Zaun", "Ed"},
                 {"er", "maier", "bauer", "ner", "egger", "hofer", "mayr", "leitner", "huber", "eder", "inger",
                  "bichler", "gruber", "thaler", "mann", "ler"},
                 {"Alten", "Kirch", "Hall", "Lam", "Pött", "Wald", "Ober", "Neu", "Gries", "Traun", "Bad", "Eben",
                  "Lang", "Matt", "Mitter", "Stein", "Thal", "Weiß", "Zell"},
                 {"stein", "bach", "kirchen", "berg", "au", "dorf", "ach", "hof", "see", "brunn", "feld", "ing",
                  "egg"},
                 {{"SK %s", 2}, {"SV %s", 3}, {"ASK %s", 1}, {"FC %s", 2}, {"Austria %s", 1}, {"SC %s", 2},
                  {"Union %s", 1}, {"ATSV %s", 1}, {"Blau-Weiß %s", 1}},
                 {"Stadion %s", "%s-Arena", "Sportzentrum %s", "%n-Stadion", "Waldstadion %s"},
                 "Bundesstadion", {4500, 32000}, {35}, {60, 28, 8, 2, 2}, {15, 25, 30, 15, 12, 3}, {10, 0, 5},
                 "aue,eie,eue,aa,ee,oo"});
    l.push_back({"SUI", "Schweiz", 0, {10}, 3800, 2,
                 {"Reto", "Urs", "Silvan", "Gian", "Lino", "Nando", "Fabian", "Cyrill", "Andrin", "Beat", "Luca",
                  "Nico", "Jonas", "Noah", "Levin", "Yannick", "Dario", "Marco", "Remo", "Adrian", "Pascal", "Roman",
                  "Raphael", "Severin", "Flavio", "Janis", "Joël", "Cédric", "Mathias", "Samuel", "Simon", "Kevin",
                  "Michel", "Renato", "Ramon", "Sandro", "Florian", "Timo", "Nils", "Elias", "Loris", "Damian"},
                 {"Bür", "Gisl", "Käl", "Stöck", "Mett", "Brun", "Egg", "Flück", "Rüt", "Amm", "Baum", "Gass", "Hub",
                  "Imh", "Kunz", "Nuss", "Ott", "Schnyd", "Stuck", "Wal", "Zbind", "Ried", "Wyss", "Bach"},
                 {"li", "er", "iger", "mann", "ler", "egger", "i", "ner", "ig", "in", "lin", "ener", "isch", "ach"},
                 {"Alt", "Wil", "Ried", "Ober", "Brem", "Lau", "Sees", "Mur", "Gams", "Trub", "Aesch", "Bütt",
                  "Dürn", "Ebn", "Fisch", "Herz", "Kien", "Lang", "Matt", "Nieder", "Rüm", "Stäf"},
                 {"stetten", "ikon", "wil", "berg", "au", "egg", "ingen", "dorf", "bach", "ach", "hof", "tal",
                  "wangen"},
                 {{"FC %s", 5}, {"SC %s", 2}, {"BSC %s", 1}, {"Concordia %s", 1}, {"FC Stade %s", 1}},
                 {"Stadion %s", "Sportplatz %s", "%s-Arena", "Sportanlage %s", "Stadion %n"},
                 "Eidgenössisches Stadion", {4500, 38000}, {30}, {58, 28, 9, 3, 2}, {15, 25, 30, 15, 12, 3}, {10, 0, 45},
                 "aue,eie,eue,aa,ee,oo"});
}

void westeuropa(std::vector<Land>& l) {
    l.push_back({"ENG", "England", 3, {20, 20}, 5400, 4,
                 {"Callum", "Rhys", "Alfie", "Declan", "Morgan", "Kieran", "Toby", "Ellis", "Rowan", "Jasper",
                  "Brodie", "Finlay", "Jack", "Harry", "Oliver", "George", "Charlie", "Jacob", "Thomas", "Oscar",
                  "William", "James", "Joshua", "Daniel", "Lewis", "Ryan", "Liam", "Connor", "Jamie", "Nathan", "Luke",
                  "Adam", "Ben", "Sam", "Joe", "Dean", "Mark", "Craig", "Gary", "Aaron", "Reece", "Owen", "Tyler",
                  "Jordan", "Bradley"},
                 {"Ash", "Brad", "Hal", "Pen", "Whit", "Thorn", "Har", "Crom", "Lang", "Ather", "Wick", "Fen", "Black",
                  "Brom", "Chad", "Dun", "Elling", "Hol", "Kel", "Mar", "Red", "Shel", "Stan", "Thwait", "Wal", "Sut",
                  "Mel", "Brin", "Gar", "Cov"},
                 {"ford", "well", "ley", "ton", "by", "wood", "combe", "ridge", "sworth", "field", "ham", "more",
                  "wick", "shaw", "den", "stead", "hurst", "brook", "ington", "ell"},
                 {"Ash", "Brack", "Cold", "Hart", "Kings", "Mill", "Stan", "Thorn", "Wey", "Bex", "Dun", "Fern",
                  "Ox", "Sal", "Ald", "Bram", "Eden", "Fal", "Glen", "Hal", "Ken", "Lynd", "Nor", "Pen", "Rad",
                  "Stow", "Wal", "Whit"},
                 {"bury", "ford", "mouth", "wick", "ton", "ley", "field", "caster", "borough", "ham", "stead",
                  "bridge", "port", "worth", "minster"},
                 {{"%s United", 4}, {"%s Town", 4}, {"%s City", 4}, {"%s Rovers", 2}, {"%s Athletic", 2},
                  {"%s Wanderers", 1}, {"%s County", 2}, {"%s Albion", 1}, {"%s Villa", 1}, {"%s Rangers", 1},
                  {"%s", 2}},
                 {"%s Park", "%s Road", "%s Lane", "%s Ground", "%s Stadium", "%n Park", "%n Road"},
                 "National Stadium", {20000, 75000, 9000, 34000}, {0, 0},
                 {50, 25, 10, 8, 7}, {15, 25, 30, 15, 12, 3}, {0, 10, 45}, "ee,oo"});
    l.push_back({"FRA", "Frankreich", 1, {18, 18}, 4900, 3,
                 {"Mathis", "Théo", "Baptiste", "Clément", "Loïc", "Yanis", "Gaël", "Rémi", "Bastien", "Étienne",
                  "Florian", "Maxence", "Lucas", "Hugo", "Thomas", "Antoine", "Julien", "Nicolas", "Romain", "Maxime",
                  "Alexandre", "Quentin", "Guillaume", "Adrien", "Benoît", "Damien", "Jérôme", "Sébastien", "Cédric",
                  "Fabien", "Mathieu", "Olivier", "Pierre", "Laurent", "Vincent", "Xavier", "Arnaud", "Kévin",
                  "Dylan", "Enzo", "Bruno", "Cyril", "Tanguy"},
                 {"Bel", "Char", "Dup", "Fav", "Gir", "Lam", "Mar", "Pel", "Rou", "Ver", "Cour", "Bren", "Bou", "Cha",
                  "Dav", "Fon", "Gau", "Lec", "Mich", "Pic", "Rich", "Sav", "Tess", "Vid", "Brou", "Mor", "Lef",
                  "Ger"},
                 {"ard", "eau", "ier", "on", "ot", "elle", "ain", "and", "ois", "enne", "ault", "in", "et", "aud",
                  "ère", "ant", "ille", "oux", "ert"},
                 {"Beau", "Mont", "Roche", "Bel", "Char", "Lau", "Ville", "Font", "Mar", "Pont", "Val", "Cor", "Bois",
                  "Cham", "Douv", "Esc", "Lux", "Mer", "Neu", "Puy", "Riv", "Sen", "Tour", "Vern"},
                 {"mont", "ville", "bourg", "court", "lieu", "fort", "val", "ac", "igny", "ières", "ay", "eil", "on",
                  "ans", "ouse"},
                 {{"FC %s", 4}, {"AS %s", 3}, {"US %s", 2}, {"Stade %s", 2}, {"Olympique %s", 1}, {"RC %s", 1},
                  {"SC %s", 2}, {"AJ %s", 1}, {"SM %s", 1}, {"En Avant %s", 1}},
                 {"Stade de %s", "Stade %s", "Stade %v %n", "Parc des Sports %s", "Stade Municipal %s"},
                 "Stade National", {14000, 67000, 7000, 25000}, {5, 20},
                 {40, 25, 15, 10, 10}, {30, 30, 25, 8, 5, 2}, {25, 0, 45}, "eau,ee"});
    l.push_back({"NED", "Niederlande", 1, {18}, 4600, 3,
                 {"Daan", "Sem", "Bram", "Jelle", "Thijs", "Niels", "Joris", "Stijn", "Wout", "Ruud", "Siebe", "Gijs",
                  "Jesse", "Lars", "Tim", "Bas", "Sander", "Koen", "Jeroen", "Maarten", "Pieter", "Jasper", "Rik",
                  "Teun", "Luuk", "Milan", "Finn", "Wessel", "Roy", "Kevin", "Dirk", "Frank", "Arjen", "Wesley",
                  "Rens", "Timo", "Job", "Floris", "Hidde", "Sven", "Youri", "Mats"},
                 {"Berk", "Vliet", "Hoek", "Veld", "Bos", "Meer", "Brink", "Kamp", "Wal", "Haar", "Dijk", "Groen",
                  "Hof", "Kool", "Mol", "Prins", "Smit", "Sluis", "Ter", "Ven", "Wit", "Zwart", "Bak", "Broek", "Kuip",
                  "Stap"},
                 {"hout", "man", "ink", "ema", "sma", "enga", "er", "huis", "stra", "hof", "kamp", "berg", "inga",
                  "veld", "mans", "ing", "ens", "erts"},
                 {"Zand", "Ooster", "Wester", "Hol", "Veen", "Brug", "Maar", "Dok", "Lier", "Ham", "Bos", "Drie",
                  "Eem", "Gorn", "Lee", "Mid", "Noord", "Schie", "Ter", "Vlaar", "Wou"},
                 {"dam", "wijk", "hoven", "veld", "meer", "horst", "recht", "sum", "doorn", "broek", "kerk", "woude",
                  "zijl", "drecht", "ingen"},
                 {{"FC %s", 3}, {"SC %s", 2}, {"VV %s", 2}, {"SV %s", 1}, {"BV %s", 1}, {"%s", 2}, {"Quick %s", 1},
                  {"%s Boys", 1}, {"Fortuna %s", 1}},
                 {"Stadion %s", "Sportpark %s", "%n Stadion", "Arena %s", "Sportpark De %n"},
                 "Nationaal Stadion", {6000, 55000}, {0}, {50, 28, 10, 7, 5}, {15, 20, 30, 18, 15, 2}, {50, 0, 35},
                 "aa,ee,oo,uu,oei,aai,ooi,eeu,ieu"});
}

void suedeuropa(std::vector<Land>& l) {
    l.push_back({"ITA", "Italien", 2, {18, 18}, 5200, 3,
                 {"Matteo", "Lorenzo", "Giacomo", "Tommaso", "Elia", "Nicolò", "Dario", "Fabio", "Ruggero", "Amedeo",
                  "Ettore", "Cosimo", "Andrea", "Marco", "Luca", "Alessandro", "Davide", "Simone", "Federico",
                  "Riccardo", "Stefano", "Gabriele", "Emanuele", "Daniele", "Alberto", "Filippo", "Michele",
                  "Massimo", "Paolo", "Roberto", "Claudio", "Salvatore", "Vincenzo", "Gianluca", "Pietro", "Antonio",
                  "Leonardo", "Mattia", "Edoardo", "Samuele", "Raffaele", "Domenico", "Enrico"},
                 {"Bel", "Cas", "Fer", "Lom", "Mar", "Ros", "Sal", "Tor", "Vit", "Zan", "Gal", "Pel", "Ber", "Car",
                  "Del", "Fan", "Gior", "Mon", "Nar", "Pa", "Ric", "San", "Ser", "Tad", "Vac", "Bon", "Cor", "Lan"},
                 {"ardi", "etti", "ini", "one", "ucci", "ari", "elli", "asso", "iero", "ozzi", "ato", "esi", "iani",
                  "otti", "aldi", "ello", "ino", "anti", "uzzi"},
                 {"Vall", "Mont", "Borg", "Cast", "Roc", "Port", "Lag", "Ferr", "Aur", "Sol", "Pien", "Tern", "Arc",
                  "Bagn", "Cerv", "Fiel", "Gav", "Mass", "Ov", "Pral", "Riv", "Sest", "Tol", "Verz"},
                 {"ana", "ello", "ino", "ora", "ico", "enza", "ara", "ate", "ano", "iglia", "ona", "eto", "urno",
                  "occo", "ina"},
                 {{"AC %s", 4}, {"US %s", 3}, {"%s Calcio", 3}, {"AS %s", 2}, {"SS %s", 1}, {"FC %s", 2},
                  {"Virtus %s", 1}, {"Pro %s", 1}},
                 {"Stadio %s", "Stadio Comunale %s", "Stadio %v %n", "Arena %s", "Campo Sportivo %s"},
                 "Stadio Nazionale", {12000, 80000, 6000, 28000}, {0, 10},
                 {35, 40, 20, 3, 2}, {40, 35, 20, 3, 1, 1}, {20, 0, 35}, "aio,oia,uoi"});
    l.push_back({"ESP", "Spanien", 2, {20, 20}, 5300, 3,
                 {"Iker", "Unai", "Álvaro", "Rodrigo", "Mateo", "Hugo", "Gonzalo", "Íñigo", "Sergio", "Jorge",
                  "Aitor", "Rubén", "Pablo", "Alejandro", "Daniel", "Javier", "Adrián", "David", "Diego", "Carlos",
                  "Manuel", "Antonio", "Francisco", "Miguel", "Raúl", "Marcos", "Óscar", "Fernando", "Alberto",
                  "Andrés", "Ignacio", "Borja", "Víctor", "Jaime", "Enrique", "Mario", "Pedro", "Luis", "Samuel",
                  "Nicolás", "Gerard", "Jordi", "Asier", "Ander", "Héctor"},
                 {"Al", "Bar", "Cal", "Dom", "Esc", "Gar", "Lor", "Mar", "Ped", "Ser", "Vel", "Zar", "Ben", "Cab",
                  "Fer", "Gal", "Her", "Lop", "Mor", "Nav", "Ort", "Pal", "Quin", "Rod", "San", "Tor", "Val", "Bus"},
                 {"ero", "ado", "ales", "illa", "ueta", "ano", "ena", "ondo", "ejo", "uez", "ares", "ente", "ino",
                  "iz", "era", "oto", "anca"},
                 {"Alba", "Vill", "Cas", "Mont", "Torr", "Sal", "Ribe", "Mira", "Peñ", "Can", "Olm", "Bej", "Alc",
                  "Bel", "Cerv", "Esp", "Fuen", "Gua", "Mol", "Nav", "Pal", "Tal", "Val", "Zar"},
                 {"ares", "ejo", "ena", "illa", "ueda", "ón", "ada", "oral", "edo", "osa", "illo", "eros", "uela",
                  "ano", "ete"},
                 {{"CD %s", 4}, {"UD %s", 3}, {"%s CF", 3}, {"SD %s", 2}, {"Real %s", 2}, {"Atlético %s", 1},
                  {"Racing %s", 1}, {"Deportivo %s", 1}, {"Sporting %s", 1}, {"CE %s", 1}},
                 {"Estadio %s", "Estadio Municipal %s", "Campo de %s", "Nuevo Estadio %s", "Estadio %v %n"},
                 "Estadio Nacional", {12000, 85000, 6000, 30000}, {0, 5},
                 {35, 40, 20, 3, 2}, {40, 35, 20, 3, 1, 1}, {10, 25, 45}, ""});
    l.push_back({"POR", "Portugal", 2, {18}, 4600, 3,
                 {"João", "Tiago", "Rui", "Duarte", "Gonçalo", "Afonso", "Nuno", "Vasco", "Bruno", "Ivo", "Martim",
                  "Simão", "André", "Pedro", "Diogo", "Ricardo", "Miguel", "Rafael", "Francisco", "Tomás", "Hugo",
                  "Luís", "Jorge", "Fábio", "Filipe", "Hélder", "Sérgio", "Paulo", "Carlos", "Manuel", "Vítor",
                  "Renato", "Rúben", "Daniel", "Gil", "Henrique", "Leonel", "Mário", "Samuel", "Xavier", "Eduardo",
                  "Rodrigo"},
                 {"Al", "Bar", "Car", "Fon", "Gou", "Mour", "Pin", "Rib", "Sar", "Tei", "Mach", "Cost", "Lob", "Nog",
                  "Per", "Quei", "Mend", "Mat", "Vie", "Bor", "Cam", "Dom", "Fig", "Gom", "Sil"},
                 {"eiro", "ão", "ais", "elos", "inho", "ira", "ões", "ado", "eira", "ela", "ares", "oso", "edo", "ino",
                  "ote", "ança"},
                 {"Alv", "Bor", "Cerv", "Fra", "Lou", "Mira", "Tor", "Vale", "Ben", "Cast", "Alm", "Bar", "Cov",
                  "Esp", "Fel", "Gou", "Lav", "Mont", "Pen", "Ros", "San", "Tab", "Vil"},
                 {"ada", "ela", "ães", "inho", "oso", "ares", "edo", "eira", "ão", "elas", "ide", "osa", "ança",
                  "ende"},
                 {{"SC %s", 3}, {"FC %s", 3}, {"CD %s", 2}, {"GD %s", 2}, {"Académico %s", 1}, {"União %s", 1},
                  {"Desportivo %s", 1}, {"Sporting %s", 1}, {"CF %s", 1}},
                 {"Estádio %s", "Estádio Municipal %s", "Estádio %v %n", "Campo %s"},
                 "Estádio Nacional", {4000, 65000}, {0}, {30, 40, 20, 6, 4}, {40, 35, 20, 3, 1, 1}, {15, 0, 45},
                 "uei,iei"});
}

void uebersee(std::vector<Land>& l) {
    l.push_back({"SWE", "Schweden", 4, {}, 6000, 0,
                 {"Linus", "Elof", "Viggo", "Anton", "Hampus", "Melker", "Sixten", "Joel", "Erik", "Johan", "Oskar",
                  "Axel", "Gustav", "Emil", "Filip", "Isak", "Jonatan", "Kalle", "Leo", "Ludvig", "Magnus", "Mattias",
                  "Niklas", "Olof", "Pontus", "Rasmus", "Sebastian", "Simon", "Teodor", "Tobias", "Ville", "Vincent",
                  "Albin", "Alvin", "Arvid", "Björn", "Dennis", "Edvin", "Fredrik", "Gabriel", "Henrik", "Jesper"},
                 {"Berg", "Lund", "Sjö", "Dahl", "Ek", "Holm", "Näs", "Strand", "Alm", "Björk", "Fors", "Gran", "Hag",
                  "Kvist", "Lind", "Malm", "Norr", "Sand", "Stål", "Söder", "Vik", "Åker", "Ny", "Wall"},
                 {"gren", "ström", "qvist", "berg", "lin", "man", "ell", "by", "lund", "blad", "dahl", "sson", "holm",
                  "bäck", "stedt"},
                 {}, {}, {}, {}, "Nationalarenan", {}, {}, {70, 20, 6, 2, 2}, {5, 10, 25, 25, 33, 2}, {45, 20, 5}, ""});
    l.push_back({"POL", "Polen", 5, {}, 5800, 0,
                 {"Kacper", "Bartosz", "Szymon", "Wiktor", "Dawid", "Oskar", "Igor", "Tymon", "Jakub", "Mateusz",
                  "Michal", "Kamil", "Krzysztof", "Lukasz", "Marcin", "Pawel", "Piotr", "Tomasz", "Wojciech", "Adrian",
                  "Damian", "Grzegorz", "Hubert", "Jan", "Konrad", "Maciej", "Patryk", "Radoslaw", "Rafal",
                  "Sebastian", "Marek", "Artur", "Dominik", "Filip", "Karol", "Antoni", "Aleksander", "Jaroslaw",
                  "Zbigniew", "Leszek", "Arkadiusz", "Mariusz"},
                 {"Kow", "Wis", "Zel", "Grab", "Kacz", "Mak", "Piet", "Bor", "Chmiel", "Dab", "Gor", "Jas", "Kub",
                  "Maj", "Now", "Ost", "Paw", "Rut", "Sob", "Wal", "Zaj", "Krol", "Dud", "Lis"},
                 {"alski", "niewski", "czyk", "owski", "arek", "icki", "ecki", "ak", "ewicz", "iak", "ski", "ny", "ek",
                  "ik", "czak"},
                 {}, {}, {}, {}, "Stadion Narodowy", {}, {}, {75, 20, 4, 1, 0}, {10, 20, 35, 20, 13, 2}, {0, 10, 35},
                 ""});
    l.push_back({"BRA", "Brasilien", 6, {}, 7600, 0,
                 {"Thiago", "Caio", "Renan", "Wesley", "Igor", "Lucas", "Davi", "Enzo", "Gabriel", "Rafael",
                  "Matheus", "Felipe", "Gustavo", "Vinícius", "Leandro", "Rodrigo", "Diego", "Bruno", "Eduardo",
                  "Fernando", "Guilherme", "Henrique", "João", "Júlio", "Leonardo", "Marcelo", "Murilo", "Otávio",
                  "Paulo", "Ricardo", "Roberto", "Samuel", "Sérgio", "Tiago", "Vítor", "Wellington", "Anderson",
                  "Everton", "Douglas", "Jefferson", "Cléber", "Adriano", "Danilo", "Fabrício"},
                 {"Alme", "Bor", "Car", "Mend", "Olive", "Sou", "Bar", "Cam", "Fer", "Gui", "Lim", "Mach", "Nasc",
                  "Pei", "Ram", "Rib", "Sant", "Tav", "Vas", "Ara", "Cost", "Dant", "Fon", "Mor"},
                 {"ida", "ges", "valho", "onça", "ira", "za", "eiro", "ano", "ado", "imento", "ão", "elo", "ares",
                  "inho", "ete", "oso"},
                 {}, {}, {}, {}, "Estádio da Nação", {}, {}, {15, 25, 25, 20, 15}, {50, 30, 15, 3, 1, 1},
                 {45, 20, 5}, "uei,iei"});
    l.push_back({"USA", "USA", 8, {}, 5600, 0,
                 {"Tanner", "Cody", "Landon", "Brady", "Wyatt", "Colby", "Garrett", "Dalton", "Tyler", "Jordan",
                  "Austin", "Hunter", "Chase", "Logan", "Mason", "Ethan", "Caleb", "Dylan", "Brandon", "Zachary",
                  "Kyle", "Trevor", "Blake", "Cameron", "Carson", "Derek", "Grant", "Jesse", "Kellen", "Mitchell",
                  "Parker", "Reid", "Shane", "Spencer", "Travis", "Bryce", "Clint", "Dustin", "Brett", "Cole",
                  "Drew", "Jared"},
                 {"Hol", "Bran", "Cart", "Fletch", "Hask", "Mill", "Wes", "Whit", "Har", "Tur", "Ben", "Cal", "Dav",
                  "Gor", "Kend", "Lan", "Mor", "Pres", "Rid", "Shel", "Stan", "Thom", "Wal", "Chris", "Mad"},
                 {"brook", "don", "wright", "er", "ins", "ard", "ley", "son", "ell", "ton", "man", "field", "ston",
                  "wick", "more", "land"},
                 {}, {}, {}, {}, "National Soccer Stadium", {}, {}, {35, 25, 20, 12, 8}, {25, 25, 25, 12, 11, 2},
                 {0, 25, 10}, "ee,oo"});
    l.push_back({"NGA", "Nigeria", 9, {}, 6200, 0,
                 {"Chidi", "Emeka", "Tunde", "Kelechi", "Obinna", "Sola", "Femi", "Ikenna", "Ahmed", "Babajide",
                  "Chinedu", "Chukwuemeka", "Daniel", "Ebuka", "Efe", "Ifeanyi", "Ismaila", "Jide", "Kunle", "Musa",
                  "Nnamdi", "Olumide", "Peter", "Samuel", "Segun", "Sunday", "Taiwo", "Kehinde", "Uche", "Victor",
                  "Wale", "Yakubu", "Ayo", "Bola", "Chika", "Dele", "Godwin", "Ibrahim", "Joseph", "Moses", "Okey",
                  "Tochukwu"},
                 {"Ade", "Oko", "Nwa", "Ola", "Eze", "Obi", "Uche", "Iwu", "Ako", "Bala", "Chi", "Dan", "Ibe", "Mba",
                  "Nna", "Oni", "Osa", "Ugo", "Yem", "Aja", "Ogu", "Ayo"},
                 {"bayo", "nkwo", "chukwu", "wale", "ani", "oma", "ike", "dike", "nna", "kunle", "tola", "nde", "emi",
                  "goke", "mah", "sanya"},
                 {}, {}, {}, {}, "Unity Stadium", {}, {}, {0, 0, 5, 35, 60}, {90, 8, 2, 0, 0, 0}, {35, 0, 5},
                 ""});
    l.push_back({"JPN", "Japan", 13, {}, 5900, 0,
                 {"Haruto", "Sota", "Riku", "Yuto", "Kaito", "Ren", "Daiki", "Shun", "Takumi", "Hiroshi", "Kenta",
                  "Kazuki", "Ryota", "Shota", "Yuki", "Daisuke", "Takeshi", "Kenji", "Makoto", "Naoki", "Satoshi",
                  "Shinji", "Tatsuya", "Tomoya", "Yusuke", "Hayato", "Koji", "Masato", "Ryo", "Sho", "Taichi",
                  "Yoshiki", "Akira", "Genki", "Hikaru", "Jun", "Keisuke", "Kohei", "Minoru", "Noboru", "Ryuji",
                  "Seiya", "Takashi"},
                 {"Naka", "Yama", "Taka", "Fuji", "Mori", "Hoshi", "Kawa", "Ishi", "Hara", "Kita", "Matsu", "Miya",
                  "Oka", "Saka", "Suzu", "Tani", "Uchi", "Wata", "Yoshi", "Kane", "Kiku", "Koba", "Nishi"},
                 {"mura", "moto", "hashi", "saki", "gawa", "no", "ta", "zawa", "da", "kawa", "yama", "hara", "uchi",
                  "oka", "shima", "zaki", "naga"},
                 {}, {}, {}, {}, "Kokuritsu Stadium", {}, {}, {10, 50, 40, 0, 0}, {85, 13, 2, 0, 0, 0}, {20, 0, 45},
                 ""});
}

}  // namespace

const std::vector<Land>& laender() {
    static const std::vector<Land> l = [] {
        std::vector<Land> v;
        deutschsprachig(v);
        westeuropa(v);
        suedeuropa(v);
        uebersee(v);
        // The national teams keep their numbers: this order is the world's.
        const char* ordnung[] = {"DEU", "ENG", "ITA", "ESP", "FRA", "NED", "POR", "AUT",
                                 "SUI", "SWE", "POL", "BRA", "USA", "NGA", "JPN"};
        std::vector<Land> r;
        for (const char* k : ordnung)
            for (const Land& x : v)
                if (x.kuerzel == k) r.push_back(x);
        return r;
    }();
    return l;
}

}  // namespace worldgen

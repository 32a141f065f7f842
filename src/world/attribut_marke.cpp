#include "world/attribut_marke.h"

#include <set>

#include "world/global.h"

Attribut_Gruppe Attribut_Gruppe_Von(int a) {
    if (a >= 20 && a < 35) return Attribut_Gruppe::FORTGESCHRITTEN;
    if (a >= 35 && a < 40) return Attribut_Gruppe::MEISTERSCHAFT;
    if (a >= 40 && a < 47) return Attribut_Gruppe::SCHWAECHE;
    if (a >= 47 && a < 53) return Attribut_Gruppe::TORWART;
    if (a == 53) return Attribut_Gruppe::STERNTRAINING;
    return Attribut_Gruppe::GRUNDLAGEN;
}

std::vector<std::string> Attribut_Kurzformen(const std::vector<std::string>& namen, size_t laenge) {
    std::vector<std::string> r;
    std::set<std::string> vergeben;
    for (const std::string& name : namen) {
        std::string wahl = name.substr(0, laenge);
        // The later letters' places, in order: each form is the first letter
        // and laenge - 1 of them, tried from the earliest places on.
        std::vector<size_t> stellen;
        for (size_t i = 1; i < name.size(); ++i)
            if (name[i] != ' ') stellen.push_back(i);
        if (laenge >= 2 && !name.empty() && stellen.size() >= laenge - 1) {
            std::vector<size_t> k(laenge - 1);
            for (size_t i = 0; i < k.size(); ++i) k[i] = i;
            for (;;) {
                std::string form(1, name[0]);
                for (size_t i : k) form += name[stellen[i]];
                if (!vergeben.count(form)) {
                    wahl = form;
                    break;
                }
                // The next combination in order (the last index moves first).
                size_t i = k.size();
                while (i > 0 && k[i - 1] == stellen.size() - k.size() + i - 1) --i;
                if (i == 0) break;
                ++k[i - 1];
                for (size_t j = i; j < k.size(); ++j) k[j] = k[j - 1] + 1;
            }
        }
        vergeben.insert(wahl);
        r.push_back(wahl);
    }
    return r;
}

std::string Attribut_Marke_Text(const std::vector<std::string>& namen, int attribut) {
    if (attribut < 0 || static_cast<size_t>(attribut) >= namen.size()) return {};
    return Attribut_Kurzformen(namen, ATTRIBUT_MARKE_LAENGE)[static_cast<size_t>(attribut)];
}

std::string Attribut_Marke_Text(int attribut) {
    std::vector<std::string> namen;
    for (const Attribut_Def& d : Attribut_Tabelle) namen.emplace_back(d.name);
    return Attribut_Marke_Text(namen, attribut);
}

// Names: people, towns and their checks. Syllables come from the country
// tables; a word is kept only when it reads as the country's language and is
// on no block list.
#include <map>

#include "base/cp1252.h"
#include "sperrliste.h"
#include "worldgen.h"

namespace worldgen {

Zufall rnd;

int Zufall::gewichtet(const std::vector<int>& g) {
    int summe = 0;
    for (int x : g) summe += x;
    int r = bis(summe);
    for (size_t i = 0; i < g.size(); i++) {
        if (r < g[i]) return static_cast<int>(i);
        r -= g[i];
    }
    return 0;
}

size_t zeichen(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) n++;
    return n;
}

std::string gross_ascii(const std::string& s) {
    std::string f = falten(Utf8_To_Cp1252(s));
    for (char& c : f)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return f;
}

namespace {

bool vokal(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }

// Vowel runs: doubles and triples only where the language has them, never four.
bool vokale_ok(const std::string& f, const std::string& erlaubt) {
    for (size_t i = 0; i < f.size();) {
        size_t j = i;
        while (j < f.size() && vokal(f[j])) j++;
        size_t n = j - i;
        if (n >= 4) return false;
        if (n == 3 && erlaubt.find(f.substr(i, 3)) == std::string::npos) return false;
        if (n >= 2 && n < 3)
            if (f[i] == f[i + 1] && erlaubt.find(f.substr(i, 2)) == std::string::npos) return false;
        i = j > i ? j : i + 1;
    }
    return true;
}

}  // namespace

bool wort_ok(int land, const std::string& wort, bool ort) {
    std::string cp = Utf8_To_Cp1252(wort);
    if (!wortform_ok(cp) || !vokale_ok(falten(cp), laender()[static_cast<size_t>(land)].vokale)) return false;
    if (beleidigend(cp)) return false;
    return ort ? !vereinsort(cp) : !beruehmt(cp);
}

std::string Namen::nachname(int land) {
    const Land& L = laender()[static_cast<size_t>(land)];
    for (;;) {
        std::string n = rnd.wahl(L.nach_a) + rnd.wahl(L.nach_b);
        if (zeichen(n) <= 20 && wort_ok(land, n, false)) return n;
    }
}

void Namen::person(int land, std::string* vorname, std::string* nachname_aus) {
    const Land& L = laender()[static_cast<size_t>(land)];
    for (;;) {
        std::string v = rnd.wahl(L.vornamen);
        std::string n = nachname(land);
        if (beleidigend(Utf8_To_Cp1252(v + " " + n))) continue;
        if (vergeben.insert("P:" + v + " " + n).second) {
            *vorname = v;
            *nachname_aus = n;
            return;
        }
    }
}

std::string Namen::ort(int land) {
    const Land& L = laender()[static_cast<size_t>(land)];
    for (;;) {
        std::string o = rnd.wahl(L.ort_a) + rnd.wahl(L.ort_b);
        if (zeichen(o) > 15 || !wort_ok(land, o, true)) continue;
        if (vergeben.insert("O:" + gross_ascii(o)).second) return o;
    }
}

// How many different surnames the syllables of a country give.
int nachnamen_vorrat(int land) {
    const Land& L = laender()[static_cast<size_t>(land)];
    std::map<std::string, int> alle;
    for (const auto& a : L.nach_a)
        for (const auto& b : L.nach_b)
            if (zeichen(a + b) <= 20 && wort_ok(land, a + b, false)) alle[a + b] = 1;
    return static_cast<int>(alle.size());
}

}  // namespace worldgen

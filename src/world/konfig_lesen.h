// Small helpers shared by the world's configuration readers and writers.
#pragma once

#include <string>
#include <vector>

#include "base/types.h"

struct Config_Schreiber;

namespace welt_konfig {

// A keyword in both languages.
struct Schluessel {
    const char* deutsch;
    const char* englisch;
};

// Index of the key in the table (German or English, any case), -1 when unknown.
int finden(const char* key, const Schluessel* tabelle, int anzahl);
// The same for a file's keyword: an unknown one is reported (101) and sets
// *fehler.
int finden_gemeldet(const char* key, const Schluessel* tabelle, int anzahl, bool* fehler);

// The current value as a number within min..max: a decimal number, JA/YES,
// NEIN/NO or "#alias". Reports 103 (or 104 for an unknown alias) and gives
// false otherwise.
bool zahl(const char* key, i64 min, i64 max, i64* aus);
template <class T>
bool zahl_in(const char* key, i64 min, i64 max, T* aus) {
    i64 v;
    if (!zahl(key, min, max, &v)) return false;
    *aus = static_cast<T>(v);
    return true;
}
// The current value as a comma list of `anzahl` numbers within min..max
// (anzahl 0: any count up to `max_anzahl`).
bool liste(const char* key, i64 min, i64 max, int anzahl, std::vector<i64>* aus, int max_anzahl = 64);
// The same into `anzahl` elements of `ziel` (left untouched on failure).
template <class T>
bool liste_in(const char* key, i64 min, i64 max, int anzahl, T* ziel) {
    std::vector<i64> l;
    if (!liste(key, min, max, anzahl, &l)) return false;
    for (int i = 0; i < anzahl; i++) ziel[i] = static_cast<T>(l[static_cast<size_t>(i)]);
    return true;
}
// The current value as a text of at most n-1 characters (longer texts are cut
// with warning 201).
void text(const char* key, char* ziel, size_t n);

// A number list joined by ",".
template <class T>
std::string verbinden(const T* werte, int anzahl) {
    std::string r;
    for (int i = 0; i < anzahl; i++) {
        if (i) r += ",";
        r += std::to_string(static_cast<i64>(werte[i]));
    }
    return r;
}

// Writers: a text in double quotes.
std::string zitat(const char* t);
// A block's opening keyword on a line of its own after an empty line.
void abschnitt(Config_Schreiber* w, const char* schluessel);
// The head of a written file: comment line, checksum placeholder, VERSION 1
// and (when given) the INFOTEXT.
void kopf(Config_Schreiber* w, const char* was, const char* name);
// Closes the written file and writes the team alias file beside it; true
// only when both were written.
bool schliessen_mit_alias(Config_Schreiber* w, const char* alias_pfad);
// Calls a writer with the paths of the kind's file and its alias file in
// the set.
bool speichern_im_set(int art, int set, const char* name,
                      bool (*schreiber)(const char* pfad, const char* alias_pfad, const char* name));

}  // namespace welt_konfig

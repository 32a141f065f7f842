// The check of a world folder before play (see welt_pruefen.h).
#include "world/welt_pruefen.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "base/config.h"
#include "base/files.h"
#include "base/nebenher.h"
#include "world/konfig.h"
#include "world/welt.h"

namespace {

// The files of a set, besides the binary cache (which is rebuilt from them).
constexpr const char* DATEIEN[] = {
    "global.cfg",           "global_alias.cfg",     "personal.cfg", "personal_alias.cfg",
    "team.cfg",             "team_alias.cfg",       "spieler.cfg",  "spieler_alias.cfg",
    "wettbewerb.cfg",       "wettbewerb_alias.cfg", "text.cfg",     "ereignis.cfg",
};

std::string erste_meldung;

void merken(const char* text) {
    // Only errors count (warnings such as a text cut short do not refuse).
    if (erste_meldung.empty() && text && std::string(text).find("Syntax-Error") != std::string::npos)
        erste_meldung = text;
}

// The message's text without its trailing blank lines.
std::string gekuerzt(std::string t) {
    while (!t.empty() && (t.back() == '\n' || t.back() == ' ')) t.pop_back();
    return t;
}

// The file's own problems: missing, empty, not text, checksum. "" when none.
std::string datei_pruefen(const std::string& pfad, const std::string& name) {
    struct stat st;
    if (stat(pfad.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return name + ": Datei fehlt.";
    FILE* f = std::fopen(pfad.c_str(), "rb");
    if (!f) return name + ": Datei lässt sich nicht lesen.";
    // Read in one block of the file's size (not grown by doubling: the
    // player file is megabytes).
    std::string inhalt;
    if (st.st_size > 0 && static_cast<u64>(st.st_size) <= CONFIG_MAX_DATEI) inhalt.reserve(static_cast<size_t>(st.st_size));
    char puffer[65536];
    size_t n;
    while ((n = std::fread(puffer, 1, sizeof puffer, f)) > 0 && inhalt.size() <= CONFIG_MAX_DATEI)
        inhalt.append(puffer, n);
    const bool fehler = std::ferror(f) != 0;
    std::fclose(f);
    if (fehler) return name + ": Datei lässt sich nicht lesen.";
    if (inhalt.size() > CONFIG_MAX_DATEI) return name + ": Datei ist zu groß.";
    if (inhalt.find_first_not_of(" \t\r\n") == std::string::npos) return name + ": Datei ist leer.";
    int zeile = 1;
    for (unsigned char c : inhalt) {
        if (c == '\n') ++zeile;
        else if (c < 0x20 && c != '\t' && c != '\r')
            return name + ", Zeile " + std::to_string(zeile) + ": keine Textdatei (Steuerzeichen).";
    }
    // Every file of a set is written with its checksum; a file without one
    // is not a world file.
    int pruef_zeile = 0;
    for (size_t i = 0, z = 1; i < inhalt.size() && !pruef_zeile; ++z) {
        const size_t ende = std::min(inhalt.find('\n', i), inhalt.size());
        const size_t a = inhalt.find_first_not_of(" \t", i);
        if (a < ende && inhalt.compare(a, 10, "CHECKSUMME") == 0) pruef_zeile = static_cast<int>(z);
        i = ende + 1;
    }
    if (!pruef_zeile) return name + ": die Zeile CHECKSUMME fehlt, die Datei ist beschädigt.";
    // The reader reads the file again: this copy goes first.
    std::string().swap(inhalt);
    if (!Read_Config_Open_Pfad(pfad.c_str(), nullptr)) return name + ": Datei lässt sich nicht lesen.";
    u32 summe = 0;
    const bool ok = Read_Config_Checksumme_Ok(&summe);
    Read_Config_Close();
    if (!ok)
        return name + ", Zeile " + std::to_string(pruef_zeile) +
               ": die Prüfsumme stimmt nicht, die Datei ist abgeschnitten oder beschädigt.";
    return "";
}

// A file's stand: a check made ahead holds while it stays.
Datei_Stand dateistand(const std::string& pfad) { return Datei_Stand_Lesen(pfad); }

// The files' check: the first file's message ("" when all are whole), and
// each file's stand taken before it was read.
struct Pruefung {
    std::string ort;
    int set = -1;
    std::string fehler;
    std::array<Datei_Stand, std::size(DATEIEN)> staende;
    bool gemeldet = false;  // the reader had messages for a file (held back on the worker)
};

Pruefung dateien_pruefen(const std::string& ort, int set) {
    Pruefung p;
    p.ort = ort;
    p.set = set;
    for (size_t i = 0; i < std::size(DATEIEN); ++i) {
        const std::string name = std::to_string(set + 1) + "_" + DATEIEN[i];
        p.staende[i] = dateistand(ort + "/" + name);
        p.fehler = datei_pruefen(ort + "/" + name, name);
        if (!p.fehler.empty()) break;
    }
    return p;
}

// The check made ahead on a worker (Welt_Ordner_Vorab_Pruefen).
std::string vorab_ort;  // what the worker checks: the folder
int vorab_set = -1;     // and the set
std::future<Pruefung>& vorab() { return Nebenher_Antwort<Pruefung>(); }

// The answer of the check made ahead for the folder and set, waited for
// when the worker is still at it; false when there is none or a file it
// read changed since (the check is then made again). It is taken once.
bool vorab_nehmen(const std::string& ort, int set, Pruefung* aus) {
    if (!vorab().valid()) return false;
    Pruefung p = vorab().get();
    if (p.ort != ort || p.set != set) return false;
    // A file that was missing or broken is checked again: its message then
    // names what is there now; so is a world whose reader had something to
    // say, which the worker held back.
    if (!p.fehler.empty() || p.gemeldet) return false;
    for (size_t i = 0; i < std::size(DATEIEN); ++i)
        if (dateistand(ort + "/" + std::to_string(set + 1) + "_" + DATEIEN[i]) != p.staende[i]) return false;
    *aus = std::move(p);
    return true;
}

}  // namespace

bool Welt_Ordner_Vorab_Pruefen(const std::string& ordner, int set) {
    const std::string ort = W32_Pfad_Uebersetzen(ordner.c_str());
    if (vorab().valid()) {
        if (vorab_ort == ort && vorab_set == set)
            return vorab().wait_for(std::chrono::seconds(0)) == std::future_status::ready;
        vorab().wait();  // another folder's or set's check ends first
    }
    vorab_ort = ort;
    vorab_set = set;
    vorab() = std::async(std::launch::async, [ort, set] {
        Read_Config_Still(true);
        Pruefung p = dateien_pruefen(ort, set);
        p.gemeldet = Read_Config_Still_Meldungen() > 0;
        Read_Config_Still(false);
        return p;
    });
    return false;
}

bool Welt_Ordner_Pruefen(const std::string& ordner, int set, std::string* meldung, bool teams_lesen) {
    const std::string ort = W32_Pfad_Uebersetzen(ordner.c_str());
    const std::string kopf = "Die Spielwelt in " + ort + " ist unvollständig oder beschädigt:\n";
    Pruefung p;
    if (!vorab_nehmen(ort, set, &p)) p = dateien_pruefen(ort, set);
    if (!p.fehler.empty()) {
        if (meldung) *meldung = kopf + p.fehler;
        return false;
    }
    if (!teams_lesen) return true;
    // The teams and players read as a game reads them, their messages kept.
    erste_meldung.clear();
    Read_Config_Set_Melder(merken);
    const bool ok = Welt_Laden_Ordner(ort.c_str(), set);
    Read_Config_Set_Melder(nullptr);
    Welt_Freigeben();
    if (ok && erste_meldung.empty()) return true;
    if (meldung)
        *meldung = kopf + (erste_meldung.empty() ? std::string("Teams und Spieler passen nicht zusammen.")
                                                 : gekuerzt(erste_meldung));
    return false;
}

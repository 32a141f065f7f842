#include "base/settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include "base/cp1252.h"
#include "base/debug.h"

// The settings file keeps its lines as they were read (comments and lines it
// cannot understand included); a write replaces the line of that value or
// appends one, and the whole file is written to a temporary file and renamed
// over the old one.

namespace {

struct Eintrag {
    std::string zeile;  // the line as it stands in the file (UTF-8, no line end)
    std::string name;   // "" for comments, blank and damaged lines
    std::string wert;   // UTF-8
};

std::mutex g_mutex;
bool g_geladen = false;
std::vector<Eintrag> g_zeilen;
std::string g_fehler;

bool Ist_Ordner(const std::string& p) {
    struct stat st;
    return !p.empty() && stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string Umgebung(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr ? std::string(v) : std::string();
}

std::string Trimmen(const std::string& s) {
    size_t a = 0, e = s.size();
    while (a < e && (s[a] == ' ' || s[a] == '\t')) ++a;
    while (e > a && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
    return s.substr(a, e - a);
}

bool Gleich_Ohne_Fall(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::string Ordner() {
    std::string d = Umgebung("KORDAVO_CONFIG_DIR");
    if (!d.empty()) return d;
    d = Umgebung("XDG_CONFIG_HOME");
    if (!d.empty() && d[0] == '/') return d + "/kordavo";
    d = Umgebung("HOME");
    if (!d.empty()) return d + "/.config/kordavo";
    return ".";
}

void Fehler(int zeile, const char* text) {
    char buf[256];
    if (zeile > 0) std::snprintf(buf, sizeof buf, "settings.ini, Zeile %d: %s", zeile, text);
    else std::snprintf(buf, sizeof buf, "settings.ini: %s", text);
    if (g_fehler.empty()) std::fprintf(stderr, "%s (%s)\n", buf, (Ordner() + "/settings.ini").c_str());
    g_fehler = buf;
    Debug_Printf("%s", buf);
}

void Laden() {
    if (g_geladen) return;
    g_geladen = true;
    g_zeilen.clear();
    g_fehler.clear();
    const std::string pfad = Ordner() + "/settings.ini";
    if (Ist_Ordner(pfad)) {
        Fehler(0, "ist ein Ordner, keine Datei; es gelten die Vorgaben");
        return;
    }
    // Read whole with the system's calls: the file is small, and the
    // command-line tools that ask for one value should not pay for a
    // stream library's set-up.
    std::string text;
    {
        const int fd = open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            if (access(pfad.c_str(), F_OK) == 0) Fehler(0, "kann nicht gelesen werden; es gelten die Vorgaben");
            return;
        }
        char block[4096];
        bool ok = true;
        for (;;) {
            const ssize_t n = read(fd, block, sizeof block);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) ok = false;
            if (n <= 0) break;
            text.append(block, static_cast<size_t>(n));
        }
        close(fd);
        if (!ok) {
            Fehler(0, "kann nicht gelesen werden; es gelten die Vorgaben");
            return;
        }
    }
    std::string zeile;
    int nr = 0;
    for (size_t pos = 0; pos < text.size();) {
        size_t ende = text.find('\n', pos);
        if (ende == std::string::npos) ende = text.size();
        zeile.assign(text, pos, ende - pos);
        pos = ende + 1;
        ++nr;
        if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
        if (nr == 1 && zeile.compare(0, 3, "\xEF\xBB\xBF") == 0) zeile.erase(0, 3);  // byte-order mark
        Eintrag e;
        e.zeile = zeile;
        const std::string inhalt = Trimmen(zeile);
        if (inhalt.empty() || inhalt[0] == '#' || inhalt[0] == ';' || inhalt[0] == '[') {
            g_zeilen.push_back(e);
            continue;
        }
        const size_t gl = inhalt.find('=');
        if (gl == std::string::npos) {
            Fehler(nr, "'=' fehlt, Zeile wird ignoriert");
        } else if (Trimmen(inhalt.substr(0, gl)).empty()) {
            Fehler(nr, "Name fehlt, Zeile wird ignoriert");
        } else if (inhalt.find('\0') != std::string::npos) {
            Fehler(nr, "Nullbyte in der Zeile, Zeile wird ignoriert");
        } else {
            e.name = Trimmen(inhalt.substr(0, gl));
            e.wert = Trimmen(inhalt.substr(gl + 1));
        }
        g_zeilen.push_back(e);
    }
}

// The last line that sets the name (a later line overrides an earlier one).
Eintrag* Finden(const std::string& name) {
    for (size_t i = g_zeilen.size(); i-- > 0;)
        if (!g_zeilen[i].name.empty() && Gleich_Ohne_Fall(g_zeilen[i].name, name)) return &g_zeilen[i];
    return nullptr;
}

bool Ordner_Anlegen(const std::string& pfad) {
    if (pfad.empty() || Ist_Ordner(pfad)) return true;
    const size_t s = pfad.find_last_of('/');
    if (s != std::string::npos && s > 0 && !Ordner_Anlegen(pfad.substr(0, s))) return false;
    return mkdir(pfad.c_str(), 0755) == 0 || Ist_Ordner(pfad);
}

bool Speichern() {
    const std::string ordner = Ordner();
    if (!Ordner_Anlegen(ordner)) return false;
    const std::string ziel = ordner + "/settings.ini";
    const std::string tmp = ziel + ".tmp" + std::to_string(getpid());
    FILE* f = std::fopen(tmp.c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = true;
    for (const Eintrag& e : g_zeilen) {
        ok = ok && std::fwrite(e.zeile.data(), 1, e.zeile.size(), f) == e.zeile.size();
        ok = ok && std::fputc('\n', f) != EOF;
    }
    ok = ok && std::fflush(f) == 0 && fsync(fileno(f)) == 0;
    ok = (std::fclose(f) == 0) && ok;
    if (!ok || std::rename(tmp.c_str(), ziel.c_str()) != 0) {
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}

std::string Vorgabe_Work_Dir() {
    std::string d = Umgebung("KORDAVO_GAME_DIR");
    if (!d.empty()) return d;
    char exe[4096];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n > 0) {
        exe[n] = '\0';
        std::string p(exe);
        p = p.substr(0, p.find_last_of('/'));
        if (Ist_Ordner(p + "/game")) return p + "/game";
    }
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd) == nullptr) return ".";
    if (Ist_Ordner(std::string(cwd) + "/game")) return std::string(cwd) + "/game";
    return cwd;
}

}  // namespace

bool W32_Registry_Read(const char* name, char* puffer, u32 groesse) {
    if (name == nullptr || puffer == nullptr || groesse == 0) return false;
    std::string wert;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        Laden();
        const Eintrag* e = Finden(name);
        if (e != nullptr) {
            wert = e->wert;
        } else if (Gleich_Ohne_Fall(name, "Work_dir")) {
            wert = Vorgabe_Work_Dir();
        } else {
            return false;
        }
    }
    const std::string text = Utf8_To_Cp1252(wert);
    const size_t n = text.size() < groesse - 1 ? text.size() : groesse - 1;
    std::memcpy(puffer, text.data(), n);
    puffer[n] = '\0';
    return true;
}

bool W32_Registry_Write(const char* name, const char* text) {
    if (name == nullptr || text == nullptr) return false;
    const std::string n = Trimmen(Cp1252_To_Utf8(name));
    if (n.empty() || n != Cp1252_To_Utf8(name) || n.find_first_of("=\r\n[#;") != std::string::npos) return false;
    std::string wert = Cp1252_To_Utf8(text);
    if (wert.find_first_of("\r\n") != std::string::npos) return false;
    std::lock_guard<std::mutex> lock(g_mutex);
    Laden();
    Eintrag* e = Finden(n);
    if (e == nullptr) {
        g_zeilen.push_back(Eintrag{});
        e = &g_zeilen.back();
        e->name = n;
    }
    e->wert = Trimmen(wert);
    e->zeile = e->name + "=" + e->wert;
    if (!Speichern()) {
        Debug_Printf("W32_Registry_Write: %s/settings.ini kann nicht geschrieben werden", Ordner().c_str());
        return false;
    }
    return true;
}

std::string Settings_Pfad() { return Ordner() + "/settings.ini"; }

void Settings_Neu_Laden() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_geladen = false;
}

std::string Settings_Letzter_Fehler() {
    std::lock_guard<std::mutex> lock(g_mutex);
    Laden();
    return g_fehler;
}

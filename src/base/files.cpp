#include "base/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "base/cp1252.h"
#include "base/debug.h"
#include "base/settings.h"

char W32_Dir_Tabelle[W32_DIR_ANZAHL][W32_DIR_LAENGE];

namespace {

constexpr const char* k_ordner[W32_DIR_ANZAHL] = {
    "",         "libraries", "config",        "spielstand",    "resfile",
    "backup",   "intro",     "spielerbilder", "managerbilder", "wappenbilder",
    "szenario", "autopatch", "usersounds",    "temp",
};

// Case folding of a CP1252 byte: ASCII and the accented capitals.
u8 Falten(u8 c) {
    if (c >= 'A' && c <= 'Z') return static_cast<u8>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<u8>(c + 32);
    switch (c) {
        case 0x8A: return 0x9A;
        case 0x8C: return 0x9C;
        case 0x8E: return 0x9E;
        case 0x9F: return 0xFF;
        default: return c;
    }
}

bool Gleich_Ohne_Fall(const std::string& a_cp, const std::string& b_cp) {
    if (a_cp.size() != b_cp.size()) return false;
    for (size_t i = 0; i < a_cp.size(); ++i)
        if (Falten(static_cast<u8>(a_cp[i])) != Falten(static_cast<u8>(b_cp[i]))) return false;
    return true;
}

bool Existiert(const std::string& p) {
    struct stat st;
    return lstat(p.c_str(), &st) == 0;
}

bool Ist_Datei(const std::string& p) {
    struct stat st;
    return stat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool Ist_Ordner(const std::string& p) {
    struct stat st;
    return stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The entry of folder `ordner` (UTF-8) whose name equals `name` (UTF-8)
// without regard to case; the smallest such name when there are several.
bool Eintrag_Suchen(const std::string& ordner, const std::string& name, std::string& gefunden) {
    DIR* d = opendir(ordner.empty() ? "." : ordner.c_str());
    if (d == nullptr) return false;
    const std::string gesucht = Utf8_To_Cp1252(name);
    bool ok = false;
    while (dirent* e = readdir(d)) {
        const std::string n = e->d_name;
        if (n == "." || n == "..") continue;
        if (Gleich_Ohne_Fall(Utf8_To_Cp1252(n), gesucht) && (!ok || n < gefunden)) {
            gefunden = n;
            ok = true;
        }
    }
    closedir(d);
    return ok;
}

bool Muster_Passt(const u8* n, const u8* m) {
    // Iterative wildcard match with backtracking to the last '*'.
    const u8* stern = nullptr;
    const u8* rueck = nullptr;
    while (*n != 0) {
        if (*m == '*') {
            stern = m++;
            rueck = n;
        } else if (*m == '?' || (*m != 0 && Falten(*m) == Falten(*n))) {
            ++m;
            ++n;
        } else if (stern != nullptr) {
            m = stern + 1;
            n = ++rueck;
        } else {
            return false;
        }
    }
    while (*m == '*') ++m;
    return *m == 0;
}

// Names (CP1252, sorted) of the files in a folder that match the pattern.
std::vector<std::string> Dateien(const char* ordner, const char* muster) {
    std::vector<std::string> namen;
    if (ordner == nullptr || muster == nullptr) return namen;
    // The search is for "%s\%s": a pattern may carry folders of its own.
    std::string voll = std::string(ordner) + "\\" + muster;
    std::replace(voll.begin(), voll.end(), '/', '\\');
    const size_t trenner = voll.find_last_of('\\');
    const std::string nur_muster = voll.substr(trenner + 1);
    muster = nur_muster.c_str();
    const std::string pfad = W32_Pfad_Uebersetzen(voll.substr(0, trenner).c_str());
    DIR* d = opendir(pfad.empty() ? "." : pfad.c_str());
    if (d == nullptr) return namen;
    while (dirent* e = readdir(d)) {
        const std::string n = e->d_name;
        if (!Ist_Datei(pfad + "/" + n)) continue;
        const std::string cp = Utf8_To_Cp1252(n);
        if (W32_Muster_Passt(cp.c_str(), muster)) namen.push_back(cp);
    }
    closedir(d);
    std::sort(namen.begin(), namen.end());
    return namen;
}

bool Gueltig(W32_Handle h) { return h >= 0 && fcntl(h, F_GETFD) != -1; }

}  // namespace

std::string W32_Pfad_Uebersetzen(const char* pfad) {
    if (pfad == nullptr) return std::string();
    std::string p = Cp1252_To_Utf8(pfad);
    std::replace(p.begin(), p.end(), '\\', '/');
    if (p.empty()) return p;

    std::string ergebnis = p[0] == '/' ? "/" : "";
    bool suchen = true;  // once a component is missing, the rest cannot exist either
    size_t i = 0;
    while (i < p.size()) {
        size_t j = p.find('/', i);
        if (j == std::string::npos) j = p.size();
        const std::string teil = p.substr(i, j - i);
        i = j + 1;
        if (teil.empty()) continue;  // doubled or leading '/'
        std::string ordner = ergebnis;
        if (!ordner.empty() && ordner.back() == '/') ordner.pop_back();
        const std::string kandidat =
            (ergebnis.empty() || ergebnis.back() == '/') ? ergebnis + teil : ergebnis + "/" + teil;
        if (!suchen || teil == "." || teil == ".." || Existiert(kandidat)) {
            ergebnis = kandidat;
            continue;
        }
        std::string gefunden;
        if (Eintrag_Suchen(ordner.empty() && ergebnis == "/" ? "/" : ordner, teil, gefunden)) {
            ergebnis = (ergebnis.empty() || ergebnis.back() == '/') ? ergebnis + gefunden : ergebnis + "/" + gefunden;
        } else {
            ergebnis = kandidat;
            suchen = false;
        }
    }
    return ergebnis;
}

bool W32_Muster_Passt(const char* name, const char* muster) {
    if (name == nullptr || muster == nullptr) return false;
    if (std::strcmp(muster, "*.*") == 0) return true;  // every name, with or without a dot
    return Muster_Passt(reinterpret_cast<const u8*>(name), reinterpret_cast<const u8*>(muster));
}

W32_Handle W32_File_Create(const char* name, u32 zugriff, u32 verfuegung, u32 /*attribute*/) {
    if (name == nullptr || name[0] == '\0') return W32_HANDLE_UNGUELTIG;
    int flags = O_CLOEXEC;
    const bool lesen = (zugriff & W32_GENERIC_READ) != 0;
    const bool schreiben = (zugriff & W32_GENERIC_WRITE) != 0;
    flags |= lesen && schreiben ? O_RDWR : schreiben ? O_WRONLY : O_RDONLY;
    switch (verfuegung) {
        case W32_CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
        case W32_CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
        case W32_OPEN_EXISTING: break;
        case W32_OPEN_ALWAYS: flags |= O_CREAT; break;
        case W32_TRUNCATE_EXISTING: flags |= O_TRUNC; break;
        default: return W32_HANDLE_UNGUELTIG;
    }
    if ((flags & O_TRUNC) != 0 && !schreiben) return W32_HANDLE_UNGUELTIG;
    const std::string pfad = W32_Pfad_Uebersetzen(name);
    if (Ist_Ordner(pfad)) return W32_HANDLE_UNGUELTIG;
    int fd;
    do {
        fd = open(pfad.c_str(), flags, 0644);
    } while (fd < 0 && errno == EINTR);
    return fd >= 0 ? fd : W32_HANDLE_UNGUELTIG;
}

W32_Handle W32_File_Open_Read(const char* name) {
    return W32_File_Create(name, W32_GENERIC_READ, W32_OPEN_EXISTING, W32_FILE_ATTRIBUTE_NORMAL);
}

namespace {

// Moves groesse * anzahl bytes (at most 2^31 - 1) in as many read or write
// steps as it takes, again after a signal; returns how many moved.
template <class Schritt>
u32 Uebertragen(u32 groesse, u32 anzahl, Schritt schritt) {
    u64 gesamt = static_cast<u64>(groesse) * anzahl;
    if (gesamt > 0x7FFFFFFFu) gesamt = 0x7FFFFFFFu;
    u64 fertig = 0;
    while (fertig < gesamt) {
        const ssize_t n = schritt(fertig, gesamt - fertig);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        fertig += static_cast<u64>(n);
    }
    return static_cast<u32>(fertig);
}

}  // namespace

u32 W32_File_Read(void* puffer, u32 groesse, u32 anzahl, W32_Handle handle) {
    if (puffer == nullptr || handle < 0) return 0;
    u8* p = static_cast<u8*>(puffer);
    return Uebertragen(groesse, anzahl, [&](u64 fertig, u64 rest) { return read(handle, p + fertig, rest); });
}

u32 W32_File_Write(const void* puffer, u32 groesse, u32 anzahl, W32_Handle handle) {
    if (puffer == nullptr || handle < 0) return 0;
    const u8* p = static_cast<const u8*>(puffer);
    return Uebertragen(groesse, anzahl, [&](u64 fertig, u64 rest) { return write(handle, p + fertig, rest); });
}

i32 W32_File_Seek(W32_Handle handle, i32 offset, i32 origin) {
    if (handle < 0) return 0;
    int whence = SEEK_SET;
    if (origin == W32_SEEK_AKTUELL) whence = SEEK_CUR;
    if (origin == W32_SEEK_ENDE) whence = SEEK_END;
    if (lseek(handle, offset, whence) < 0) return 0;
    return offset;
}

i32 W32_File_Tell(W32_Handle handle) {
    if (handle < 0) return -1;
    const off_t p = lseek(handle, 0, SEEK_CUR);
    return p < 0 || p > 0x7FFFFFFF ? -1 : static_cast<i32>(p);
}

u32 W32_File_Size(W32_Handle handle) {
    struct stat st;
    if (handle < 0 || fstat(handle, &st) != 0) return 0;
    return st.st_size > 0xFFFFFFFFll ? 0xFFFFFFFFu : static_cast<u32>(st.st_size);
}

W32_Handle W32_File_Close(W32_Handle handle) {
    if (Gueltig(handle)) close(handle);
    return W32_HANDLE_UNGUELTIG;
}

bool W32_File_Exists(const char* name) { return name != nullptr && Ist_Datei(W32_Pfad_Uebersetzen(name)); }

bool W32_File_Delete(const char* name) {
    if (name == nullptr) return false;
    const std::string p = W32_Pfad_Uebersetzen(name);
    return Ist_Datei(p) && unlink(p.c_str()) == 0;
}

const char* W32_Dir_Name(int zeile) {
    if (zeile < 0 || zeile >= W32_DIR_ANZAHL) return "";
    return k_ordner[zeile];
}

bool W32_Dir_Init() {
    char work[W32_DIR_LAENGE] = "";
    W32_Registry_Read("Work_dir", work, sizeof work);
    size_t n = std::strlen(work);
    while (n > 1 && (work[n - 1] == '/' || work[n - 1] == '\\')) work[--n] = '\0';
    std::memset(W32_Dir_Tabelle, 0, sizeof W32_Dir_Tabelle);
    std::memcpy(W32_Dir_Tabelle[0], work, n + 1);
    bool ok = true;
    for (int k = 1; k < W32_DIR_ANZAHL; ++k) {
        char name[64];
        std::snprintf(name, sizeof name, "verz_%d", k);
        char wert[W32_DIR_LAENGE] = "";
        std::string pfad;
        if (W32_Registry_Read(name, wert, sizeof wert) && wert[0] != '\0') {
            pfad = (wert[0] == '/' || wert[0] == '\\') ? std::string(wert) : std::string(work) + "/" + wert;
        } else {
            pfad = std::string(work) + "/" + k_ordner[k];
        }
        // Keep the spelling the folder has on disk.
        std::string echt = Utf8_To_Cp1252(W32_Pfad_Uebersetzen(pfad.c_str()));
        if (echt.size() >= W32_DIR_LAENGE) {
            Debug_Printf("W32_Dir_Init: Pfad zu lang (%s)", echt.c_str());
            echt.resize(W32_DIR_LAENGE - 1);
            ok = false;
        }
        std::memcpy(W32_Dir_Tabelle[k], echt.c_str(), echt.size() + 1);
    }
    return ok && Ist_Ordner(W32_Pfad_Uebersetzen(W32_Dir_Tabelle[0]));
}

bool W32_Dir_Anlegen() {
    bool ok = true;
    for (int k = 1; k < W32_DIR_ANZAHL; ++k) {
        const std::string p = W32_Pfad_Uebersetzen(W32_Dir_Tabelle[k]);
        if (p.empty()) continue;
        if (!Ist_Ordner(p) && mkdir(p.c_str(), 0755) != 0) ok = false;
    }
    return ok;
}

i32 W32_Dir_Count_Files(const char* ordner, const char* muster) {
    return static_cast<i32>(Dateien(ordner, muster).size());
}

i32 W32_Dir_List_Files(const char* ordner, const char* muster, i32 maximum, char* ausgabe) {
    if (ausgabe == nullptr || maximum < 1) return 0;
    const std::vector<std::string> namen = Dateien(ordner, muster);
    i32 n = 0;
    for (const std::string& name : namen) {
        if (n >= maximum) break;
        char* zeile = ausgabe + static_cast<size_t>(n) * W32_DIR_LAENGE;
        const size_t l = std::min(name.size(), static_cast<size_t>(W32_DIR_LAENGE - 1));
        std::memcpy(zeile, name.data(), l);
        zeile[l] = '\0';
        ++n;
    }
    return n;
}

std::string W32_Pfad_Dateiname(const char* pfad) {
    if (pfad == nullptr) return "";
    const char* a = std::strrchr(pfad, '\\');
    const char* b = std::strrchr(pfad, '/');
    if (!a || (b && b > a)) a = b;
    return a ? a + 1 : pfad;
}

Datei_Stand Datei_Stand_Lesen(const std::string& pfad) {
    struct stat st;
    if (stat(pfad.c_str(), &st) != 0) return {};
    return {static_cast<long long>(st.st_size), static_cast<long long>(st.st_mtim.tv_sec),
            static_cast<long long>(st.st_mtim.tv_nsec)};
}

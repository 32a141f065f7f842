// jpegwerk: the JPEG codec on the command line, for tests, benchmarks and
// whole-process comparisons with djpeg and cjpeg.
//
//   jpegwerk d [-glatt] [-schnell] [-skala 1|2|4|8] [-grau] [--] EIN.jpg AUS.ppm|pgm|pam
//   jpegwerk k [-q 0..100] [-abtastung 444|422|420] [-grau] [-progressiv]
//              [-neustart MCUs] [-schnell] [--] EIN.ppm|pgm AUS.jpg
//     -glatt      smooth up-sampling of sub-sampled chroma
//     -schnell    the fast transform instead of the accurate one
//     -skala N    decode at 1/N of the size
//     -grau       one grey channel (PGM out, or a one-component JPEG)
//     --          the end of the options (for file names beginning with "-")
// Four-component pictures (CMYK, YCCK) are written as PAM with the tuple type
// CMYK. The output is opened before anything is decoded, and the picture is
// decoded and written in bands of rows. A file is written into a temporary
// file beside it that takes its name only at the end: a failure leaves an
// existing file of that name untouched. Devices and pipes are written
// straight through (an encoded stream whole at the end).
//
// Exit codes: 0 done, 1 the input cannot be read, the output cannot be
// written or the codec refused (no new output file is left, an existing one
// is kept as it was), 2 bad arguments, or a picture written whole from
// damaged data (a warning, as with djpeg).
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "jpeg/jpeg.h"
#include "jpegwerk.h"

namespace {

int Fehler_Argument(const char* text, const char* wert = "") {
    std::fprintf(stderr, "jpegwerk: %s%s\n", text, wert);
    std::fprintf(stderr,
                 "Aufruf: jpegwerk d [-glatt] [-schnell] [-skala 1|2|4|8] [-grau] EIN.jpg AUS.ppm\n"
                 "        jpegwerk k [-q 0..100] [-abtastung 444|422|420] [-grau] [-progressiv] [-neustart N] "
                 "[-schnell] EIN.ppm AUS.jpg\n");
    return 2;
}

bool Zahl(const char* s, long lo, long hi, long* aus) {
    char* ende = nullptr;
    errno = 0;
    long v = std::strtol(s, &ende, 10);
    if (errno || !ende || *ende || ende == s || v < lo || v > hi) return false;
    *aus = v;
    return true;
}

// Why a file cannot be read or written, in words.
std::string Grund(int fehler) {
    switch (fehler) {
        case ENOENT: return "die Datei oder ihr Ordner existiert nicht";
        case EACCES:
        case EPERM: return "keine Berechtigung";
        case EISDIR: return "ist ein Ordner";
        case ENOSPC: return "kein Platz mehr auf dem Datentraeger";
        case EROFS: return "nur lesbares Dateisystem";
        case ENAMETOOLONG: return "Name zu lang";
        default: return std::strerror(fehler);
    }
}

// Whether two names lead to the same existing file (then writing the one
// would destroy the other while it is read).
bool Dieselbe_Datei(const char* a, const char* b) {
    struct stat sa {}, sb {};
    return stat(a, &sa) == 0 && stat(b, &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// An input file, checked before any work: the decoder's stream is read by
// the codec as the decode goes; the encoder takes its pixels band by band
// (Band). A small file's bands are read into one buffer that stays in the
// processor's cache; a large file's are mapped in windows of 256 KB or more
// (no copy of the whole picture), each window given back before the next,
// so the resident size stays that of one window. (A whole-file mapping
// would let the page cache hand over whole folios of pages at a touch.)
struct Eingabe {
    static constexpr uint64_t KLEIN = uint64_t{8} << 20;  // read, not mapped, up to this size
    static constexpr uint64_t FENSTER = uint64_t{256} << 10;
    int fd = -1;
    uint64_t n = 0;
    std::string grund;  // why the file could not be read
    std::vector<uint8_t> puffer;              // a small file's band
    uint8_t* fenster = nullptr;               // a large file's mapped window
    uint64_t fenster_von = 0, fenster_bis = 0;  // its file positions
    Eingabe() = default;
    Eingabe(const Eingabe&) = delete;
    Eingabe& operator=(const Eingabe&) = delete;
    ~Eingabe() {
        if (fenster) munmap(fenster, fenster_bis - fenster_von);
        if (fd >= 0) close(fd);
    }
    // The file's bytes from `von`, `anzahl` of them; null (with the reason)
    // when they cannot be had.
    const uint8_t* Band(uint64_t von, size_t anzahl) {
        if (n <= KLEIN) {
            if (puffer.size() < anzahl) {
                try {
                    puffer.resize(anzahl);
                } catch (const std::bad_alloc&) {
                    grund = "zu wenig Speicher";
                    return nullptr;
                }
            }
            return Lesen(von, puffer.data(), anzahl) ? puffer.data() : nullptr;
        }
        const uint64_t bis = von + anzahl;
        if (bis > n) {
            grund = "die Datei endet vor dem letzten Bildpunkt";
            return nullptr;
        }
        if (!fenster || von < fenster_von || bis > fenster_bis) {
            if (fenster) munmap(fenster, fenster_bis - fenster_von);
            fenster = nullptr;
            const uint64_t anfang = von & ~uint64_t{4095};
            const uint64_t ende = std::min(n, std::max(bis, anfang + FENSTER));
            void* m = mmap(nullptr, ende - anfang, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, static_cast<off_t>(anfang));
            if (m == MAP_FAILED) {
                grund = Grund(errno);
                return nullptr;
            }
            fenster = static_cast<uint8_t*>(m);
            fenster_von = anfang;
            fenster_bis = ende;
        }
        return fenster + (von - fenster_von);
    }
    uint64_t size() const { return n; }
    // Checks that the file can be read (with the reason when not); with
    // `offen_halten` it stays open for Lesen.
    bool Oeffnen(const char* name, bool offen_halten) {
        const int f = open(name, O_RDONLY | O_CLOEXEC);
        if (f < 0) {
            grund = Grund(errno);
            return false;
        }
        struct stat st {};
        bool ok = false;
        if (fstat(f, &st) != 0) grund = Grund(errno);
        else if (S_ISDIR(st.st_mode)) grund = Grund(EISDIR);
        else if (!S_ISREG(st.st_mode)) grund = "keine gewoehnliche Datei";
        else if (st.st_size == 0) grund = "die Datei ist leer";
        else if (static_cast<uint64_t>(st.st_size) > 0xFFFFFFFFu) grund = "die Datei ist groesser als 4 GB";
        else ok = true;
        if (ok) n = static_cast<uint64_t>(st.st_size);
        if (ok && offen_halten) fd = f;
        else close(f);
        return ok;
    }
    // Reads `anzahl` bytes from `stelle` whole; false (with the reason) at
    // an error or a file that ends early (shortened while it is read).
    bool Lesen(uint64_t stelle, uint8_t* ziel, size_t anzahl) {
        while (anzahl > 0) {
            const ssize_t k = pread(fd, ziel, anzahl, static_cast<off_t>(stelle));
            if (k < 0 && errno == EINTR) continue;
            if (k <= 0) {
                grund = k == 0 ? "die Datei endet vor dem letzten Bildpunkt" : Grund(errno);
                return false;
            }
            ziel += k;
            stelle += static_cast<uint64_t>(k);
            anzahl -= static_cast<size_t>(k);
        }
        return true;
    }
};

// A binary PPM (P6) or PGM (P5) with 255 as the largest value.
struct PNM {
    uint32_t breite = 0, hoehe = 0, kanaele = 0;
    uint64_t anfang = 0;  // the file position of the first pixel
};

// The header from the file's first bytes `d` (the pixels follow at
// b->anfang); the file must hold all pixels (`dateigroesse`).
struct Kopfbytes {
    const uint8_t* p;
    size_t n;
    size_t size() const { return n; }
    const uint8_t* data() const { return p; }
    uint8_t operator[](size_t i) const { return p[i]; }
};

bool PNM_Lesen(const Kopfbytes& d, uint64_t dateigroesse, PNM* b) {
    size_t i = 0;
    auto leer = [&] {
        for (;;) {
            while (i < d.size() && (d[i] == ' ' || d[i] == '\t' || d[i] == '\n' || d[i] == '\r')) ++i;
            if (i < d.size() && d[i] == '#') {
                while (i < d.size() && d[i] != '\n') ++i;
                continue;
            }
            return;
        }
    };
    auto zahl = [&](uint32_t* v) {
        leer();
        uint64_t x = 0;
        size_t anfang = i;
        while (i < d.size() && d[i] >= '0' && d[i] <= '9' && x < 1000000) x = x * 10 + (d[i++] - '0');
        *v = static_cast<uint32_t>(x);
        return i > anfang;
    };
    if (d.size() < 2 || d[0] != 'P' || (d[1] != '5' && d[1] != '6' && d[1] != '7')) return false;
    i = 2;
    uint32_t grenze = 0;
    if (d[1] == '7') {
        // PAM with four channels (CMYK), the form the decoder writes.
        auto wort = [&](const char* w) {
            leer();
            const size_t l = std::strlen(w);
            if (d.size() - i < l || std::memcmp(d.data() + i, w, l) != 0) return false;
            i += l;
            return true;
        };
        if (!wort("WIDTH") || !zahl(&b->breite) || !wort("HEIGHT") || !zahl(&b->hoehe) || !wort("DEPTH") ||
            !zahl(&b->kanaele) || b->kanaele != 4 || !wort("MAXVAL") || !zahl(&grenze) || grenze != 255 ||
            !wort("TUPLTYPE") || !wort("CMYK") || !wort("ENDHDR") || i >= d.size())
            return false;
    } else {
        b->kanaele = d[1] == '6' ? 3 : 1;
        if (!zahl(&b->breite) || !zahl(&b->hoehe) || !zahl(&grenze) || grenze != 255 || i >= d.size()) return false;
    }
    if (b->breite == 0 || b->hoehe == 0 || b->breite > 65535 || b->hoehe > 65535) return false;
    ++i;  // the single white-space byte before the pixels
    const uint64_t n = uint64_t{b->breite} * b->hoehe * b->kanaele;
    if (dateigroesse < i || dateigroesse - i < n) return false;
    b->anfang = i;
    return true;
}

// The descriptor a name stands for (/dev/stdout, /dev/stderr, /dev/fd/N,
// /proc/self/fd/N), or -1.
int Deskriptor(const char* n) {
    if (std::strcmp(n, "/dev/stdout") == 0) return 1;
    if (std::strcmp(n, "/dev/stderr") == 0) return 2;
    for (const char* vorne : {"/dev/fd/", "/proc/self/fd/"}) {
        const size_t l = std::strlen(vorne);
        long nummer = -1;
        if (std::strncmp(n, vorne, l) == 0 && Zahl(n + l, 0, 1 << 20, &nummer)) return static_cast<int>(nummer);
    }
    return -1;
}

// The name of the temporary output file while it exists, so that a program
// stopped by a signal removes it (and nothing else) on its way out.
char g_zwischendatei[4096];
volatile sig_atomic_t g_zwischendatei_da = 0;

void Signal_Aufraeumen(int signal) {
    if (g_zwischendatei_da) unlink(g_zwischendatei);
    std::signal(signal, SIG_DFL);
    raise(signal);
}

// The output, opened before anything is decoded. A regular file (or a name
// not yet taken) is written into a new temporary file beside it (same
// folder, so the same file system) that takes the target's name only when
// everything is written: a refused decode or encode, a full disk or a
// stopped program leave an existing file of that name as it was, and only
// the temporary file is removed. An existing file keeps its permission bits;
// one the user may not write is refused as before. A name for something else
// (a device such as /dev/null, a pipe) or for one of the program's
// descriptors (/dev/stdout, /dev/fd/N) is written straight through and never
// cut, replaced or removed.
// The decoder writes its bands straight into the gathering buffer; it goes
// out in writes of up to 512 KB that start and end on page boundaries (the
// few bytes past the last boundary stay for the next), so that the page
// cache takes the data in large pieces (a new 144 MB file costs about a
// third less than in 32 KB writes, more than 512 KB gains little); the
// temporary file's blocks are reserved at once when its length is known.
struct Ausgabe {
    static constexpr size_t SEITE = 4096;
    size_t sammeln = size_t{64} << 10;  // bytes gathered before a write
    size_t stueck = 0;                  // the largest piece asked for at once
    int fd = -1;
    const char* name = nullptr;  // as the user gave it
    std::string ziel;            // the path the temporary file takes at the end
    std::string zwischen;        // the temporary file (empty: written straight through)
    // The output file without a name until it is whole (O_TMPFILE beside the
    // target): linked to the target's name at the end, so that a program
    // killed on its way leaves nothing behind.
    bool namenlos = false;
    // A folder the program may not write to (an existing writable file in it):
    // the output is gathered in a nameless file in $TMPDIR and written over
    // the target in place only once it is whole.
    bool am_ort = false;
    // The name the codec writes the nameless file by (/proc/self/fd/N).
    std::string codec_name;
    // The encoder's stream for an output written straight through: gathered
    // in a temporary file in $TMPDIR first (the codec writes by name), copied
    // to the output when whole.
    std::string umweg;
    int umweg_fd = -1;
    std::unique_ptr<uint8_t[]> puffer;
    size_t platz = 0;  // its size
    size_t voll = 0;   // bytes gathered
    off_t stelle = 0;  // the file position of puffer[0]

    bool Fehler(int fehler) {
        std::fprintf(stderr, "jpegwerk: %s kann nicht geschrieben werden: %s\n", name, Grund(fehler).c_str());
        return false;
    }
    // The name the codec writes to (encoder): the temporary file beside the
    // target, or the stream's temporary file.
    const char* Schreibname() const {
        return !codec_name.empty() ? codec_name.c_str() : zwischen.empty() ? umweg.c_str() : zwischen.c_str();
    }
    // The name the codec writes the stream to (encoder): the temporary file
    // beside the target; for a device, a pipe or a descriptor (kept open, so
    // that a pipe's reader never sees an end before the picture), a
    // temporary file in the system's folder for temporary files, whose
    // content goes to the output at the end (nothing at all when the codec
    // refuses). False (with a message) when it cannot be made.
    bool Fuer_Codec() {
        if (namenlos || am_ort) {
            // The codec reopens the nameless file through the descriptor's name.
            codec_name = "/proc/self/fd/" + std::to_string(fd);
            if (access(codec_name.c_str(), W_OK) == 0) return true;
            codec_name.clear();
            if (am_ort) return Fehler(errno ? errno : ENOENT);
            // Without /proc: a named temporary file beside the target.
            close(fd);
            fd = -1;
            namenlos = false;
            if (!Benannt_Anlegen()) return false;
            close(fd);
            fd = -1;
            return true;
        }
        if (!zwischen.empty()) {
            close(fd);
            fd = -1;
            return true;
        }
        const char* tmp = std::getenv("TMPDIR");
        umweg = std::string(tmp && *tmp ? tmp : "/tmp") + "/jpegwerk-XXXXXX";
        if (umweg.size() >= sizeof g_zwischendatei) {
            umweg.clear();
            return Fehler(ENAMETOOLONG);
        }
        std::memcpy(g_zwischendatei, umweg.c_str(), umweg.size() + 1);
        umweg_fd = mkostemp(g_zwischendatei, O_CLOEXEC);
        if (umweg_fd < 0) {
            const int fehler = errno;
            umweg.clear();
            std::fprintf(stderr, "jpegwerk: keine Zwischendatei in %s: %s\n", tmp && *tmp ? tmp : "/tmp",
                         Grund(fehler).c_str());
            return false;
        }
        umweg = g_zwischendatei;
        g_zwischendatei_da = 1;
        for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) std::signal(sig, Signal_Aufraeumen);
        return true;
    }
    // A named temporary file beside the target (where O_TMPFILE is missing);
    // false with errno set when the folder does not take one.
    bool Benannt_Anlegen() {
        const size_t schnitt = ziel.rfind('/');
        zwischen = (schnitt == std::string::npos ? std::string() : ziel.substr(0, schnitt + 1)) + ".jpegwerk-XXXXXX";
        if (zwischen.size() >= sizeof g_zwischendatei) {
            zwischen.clear();
            errno = ENAMETOOLONG;
            return false;
        }
        std::memcpy(g_zwischendatei, zwischen.c_str(), zwischen.size() + 1);
        fd = mkostemp(g_zwischendatei, O_CLOEXEC);
        if (fd < 0) {
            zwischen.clear();
            return false;
        }
        zwischen = g_zwischendatei;
        g_zwischendatei_da = 1;
        for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) std::signal(sig, Signal_Aufraeumen);
        return true;
    }
    // The whole nameless file takes the target's name: linked to it when the
    // name is free, else linked beside it and renamed over it. 0 or errno.
    int Namen_Geben() {
        const std::string quelle = "/proc/self/fd/" + std::to_string(fd);
        auto verknuepfen = [&](const std::string& wohin) {
            if (linkat(fd, "", AT_FDCWD, wohin.c_str(), AT_EMPTY_PATH) == 0) return 0;
            if (errno == EEXIST) return EEXIST;
            return linkat(AT_FDCWD, quelle.c_str(), AT_FDCWD, wohin.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
        };
        const int direkt = verknuepfen(ziel);
        if (direkt != EEXIST) return direkt;
        const size_t schnitt = ziel.rfind('/');
        const std::string vorne = schnitt == std::string::npos ? std::string() : ziel.substr(0, schnitt + 1);
        for (int versuch = 0; versuch < 100; ++versuch) {
            const std::string name = vorne + ".jpegwerk-" + std::to_string(getpid()) + "-" + std::to_string(versuch);
            const int e = verknuepfen(name);
            if (e == EEXIST) continue;
            if (e != 0) return e;
            if (rename(name.c_str(), ziel.c_str()) == 0) return 0;
            const int fehler = errno;
            unlink(name.c_str());
            return fehler;
        }
        return EEXIST;
    }
    // The whole output from the nameless file over the target, in place.
    // 0 or errno.
    int Am_Ort_Schreiben() {
        const int z = open(ziel.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (z < 0) return errno;
        uint8_t stueckchen[1 << 16];
        off_t von = 0;
        int fehler = 0;
        for (;;) {
            const ssize_t k = pread(fd, stueckchen, sizeof stueckchen, von);
            if (k < 0 && errno == EINTR) continue;
            if (k < 0) fehler = errno;
            if (k <= 0) break;
            for (ssize_t w = 0; w < k && fehler == 0;) {
                const ssize_t n = write(z, stueckchen + w, static_cast<size_t>(k - w));
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0) fehler = n < 0 ? errno : EIO;
                else w += n;
            }
            if (fehler) break;
            von += k;
        }
        if (close(z) != 0 && fehler == 0) fehler = errno;
        return fehler;
    }
    bool Oeffnen(const char* n) {
        name = n;
        // A name for one of the program's descriptors (/dev/stdout, /dev/fd/N,
        // /proc/self/fd/N) writes to that descriptor, whatever it leads to: a
        // file the shell opened is the shell's, not replaced.
        if (const int nummer = Deskriptor(n); nummer >= 0) {
            fd = fcntl(nummer, F_DUPFD_CLOEXEC, 3);
            return fd >= 0 || Fehler(errno);
        }
        struct stat st {};
        const bool da = stat(n, &st) == 0;
        if (!da && errno != ENOENT) return Fehler(errno);
        if (da && S_ISDIR(st.st_mode)) return Fehler(EISDIR);
        if (da && !S_ISREG(st.st_mode)) {
            // A device or pipe: written as it is, never created, cut or removed.
            fd = open(n, O_WRONLY | O_CLOEXEC);
            return fd >= 0 || Fehler(errno);
        }
        if (da && access(n, W_OK) != 0) return Fehler(errno);
        // A link to a file replaces the file it leads to, not the link.
        ziel = n;
        struct stat lst {};
        if (lstat(n, &lst) == 0 && S_ISLNK(lst.st_mode)) {
            if (char* echt = da ? realpath(n, nullptr) : nullptr) {
                ziel = echt;
                std::free(echt);
            } else if (!da) {
                // A link to a name not yet taken: the file is made there
                // (as writing through the link would), the link stays.
                for (int schritt = 0; schritt < 40; ++schritt) {
                    char wohin[4096];
                    const ssize_t k = readlink(ziel.c_str(), wohin, sizeof wohin - 1);
                    if (k <= 0) break;
                    wohin[k] = 0;
                    const size_t ordner = ziel.rfind('/');
                    ziel = wohin[0] == '/' || ordner == std::string::npos ? std::string(wohin)
                                                                          : ziel.substr(0, ordner + 1) + wohin;
                    if (lstat(ziel.c_str(), &lst) != 0 || !S_ISLNK(lst.st_mode)) break;
                }
            }
        }
        const size_t schnitt = ziel.rfind('/');
        const std::string ordner = schnitt == std::string::npos ? std::string(".") : ziel.substr(0, schnitt + 1);
        fd = open(ordner.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd >= 0) {
            namenlos = true;
        } else if (!Benannt_Anlegen()) {
            // A folder it may not write to: an existing file it may write is
            // written in place once the whole output is ready.
            if (!da || (errno != EACCES && errno != EPERM && errno != EROFS)) return Fehler(errno);
            const char* tmp = std::getenv("TMPDIR");
            fd = open(tmp && *tmp ? tmp : "/tmp", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
            if (fd < 0) return Fehler(errno);
            am_ort = true;
            return true;
        }
        // The permission bits of the file it replaces, or of a new file.
        mode_t rechte = 0;
        if (da) {
            // The owner too, where the user may give it (root writing over
            // someone's picture); the bits after it (a change of owner
            // clears some).
            (void)!fchown(fd, st.st_uid, st.st_gid);
            rechte = st.st_mode & 07777;
        } else {
            const mode_t maske = umask(0);
            umask(maske);
            rechte = 0666 & ~maske;
        }
        if (fchmod(fd, rechte) != 0) {
            const int fehler = errno;
            Verwerfen();
            return Fehler(fehler);
        }
        return true;
    }
    // The whole length ahead and the largest piece: the writes grow with the
    // length (a sixteenth of the file, 64 KB to 512 KB: a small picture's
    // few writes are not worth a larger buffer's fresh pages), and the
    // temporary file gets its blocks now (where the file system cannot,
    // they come with the writes).
    void Vorbelegen(uint64_t gesamt, size_t groesstes_stueck) {
        sammeln = static_cast<size_t>(std::clamp<uint64_t>(gesamt / 16, uint64_t{64} << 10, uint64_t{512} << 10)) &
                  ~(SEITE - 1);
        stueck = groesstes_stueck;
        if (!zwischen.empty() || namenlos || am_ort) (void)fallocate(fd, 0, 0, static_cast<off_t>(gesamt));
    }
    // Room for n more bytes at the end of the gathered ones (null without
    // memory); Weiter(n) takes them.
    uint8_t* Platz(size_t n) {
        if (platz < voll + n) {
            const size_t neu = std::max(voll + n, sammeln + SEITE + std::max(n, stueck));
            uint8_t* p = new (std::nothrow) uint8_t[neu];
            if (!p) return nullptr;
            if (voll > 0) std::memcpy(p, puffer.get(), voll);
            puffer.reset(p);
            platz = neu;
        }
        return puffer.get() + voll;
    }
    bool Alles_Schreiben(const uint8_t* d, size_t n) {
        while (n > 0) {
            const ssize_t k = write(fd, d, n);
            if (k < 0 && errno == EINTR) continue;
            if (k <= 0) {
                if (k == 0) errno = EIO;
                return false;
            }
            d += k;
            n -= static_cast<size_t>(k);
        }
        return true;
    }
    bool Weiter(size_t n) {
        voll += n;
        if (voll < sammeln) return true;
        const off_t ende = (stelle + static_cast<off_t>(voll)) & ~static_cast<off_t>(SEITE - 1);
        const size_t k = static_cast<size_t>(ende - stelle);
        if (!Alles_Schreiben(puffer.get(), k)) return false;
        std::memmove(puffer.get(), puffer.get() + k, voll - k);
        voll -= k;
        stelle = ende;
        return true;
    }
    bool Schreiben(const void* d, size_t n) {
        uint8_t* z = Platz(n);
        if (!z) return false;
        std::memcpy(z, d, n);
        return Weiter(n);
    }
    // Writes what is gathered and closes the file (fd may be closed already
    // when the codec wrote it); the temporary file then takes the target's
    // name. False (with a message, the temporary file removed) when the data
    // did not all go out.
    bool Schliessen(bool ok) {
        int fehler = ok ? 0 : (errno ? errno : EIO);
        if (ok && umweg_fd >= 0 && fd >= 0) {
            // The encoder's whole stream from its temporary file to the output.
            unlink(umweg.c_str());
            umweg.clear();
            g_zwischendatei_da = 0;
            uint8_t stueckchen[1 << 16];
            off_t von = 0;
            for (;;) {
                const ssize_t k = pread(umweg_fd, stueckchen, sizeof stueckchen, von);
                if (k < 0 && errno == EINTR) continue;
                if (k < 0) fehler = errno;
                if (k <= 0) break;
                if (!Alles_Schreiben(stueckchen, static_cast<size_t>(k))) {
                    fehler = errno ? errno : EIO;
                    break;
                }
                von += k;
            }
            close(umweg_fd);
            umweg_fd = -1;
        }
        if (fd >= 0) {
            // The codec wrote the nameless file itself through its name.
            const bool vom_codec = !codec_name.empty();
            const bool vorbelegt = !zwischen.empty() || namenlos || am_ort;
            if (ok && !vom_codec &&
                !(Alles_Schreiben(puffer.get(), voll) &&
                  // Blocks reserved ahead of a shorter picture go.
                  (!vorbelegt || ftruncate(fd, stelle + static_cast<off_t>(voll)) == 0)))
                fehler = errno ? errno : EIO;
            if (ok && fehler == 0 && namenlos) fehler = Namen_Geben();
            if (ok && fehler == 0 && am_ort) fehler = Am_Ort_Schreiben();
            if (close(fd) != 0 && fehler == 0) fehler = errno ? errno : EIO;
            fd = -1;
        }
        if (fehler == 0 && !zwischen.empty() && rename(zwischen.c_str(), ziel.c_str()) != 0) fehler = errno;
        if (fehler != 0) {
            Verwerfen();
            return Fehler(fehler);
        }
        zwischen.clear();
        g_zwischendatei_da = 0;
        return true;
    }
    // Gives up the output: only the temporary file is removed.
    void Verwerfen() {
        if (fd >= 0) close(fd);
        fd = -1;
        if (umweg_fd >= 0) close(umweg_fd);
        umweg_fd = -1;
        if (!umweg.empty()) {
            unlink(umweg.c_str());
            umweg.clear();
            g_zwischendatei_da = 0;
        }
        if (!zwischen.empty()) {
            unlink(zwischen.c_str());
            zwischen.clear();
            g_zwischendatei_da = 0;
        }
    }
    ~Ausgabe() { Verwerfen(); }
};

// Rows written per call of the codec: about 32 KB of pixels, at least one row.
uint32_t Bandhoehe(uint32_t zeilenbytes) {
    const uint32_t b = (32u << 10) / (zeilenbytes ? zeilenbytes : 1);
    return b < 1 ? 1 : b;
}

int Dekodieren(int argc, char** argv) {
    bool glatt = false, schnell = false, grau = false;
    long skala = 1;
    int i = 2;
    for (; i < argc && argv[i][0] == '-'; ++i) {
        std::string a = argv[i];
        if (a == "--") {
            ++i;
            break;
        }
        if (a == "-glatt") glatt = true;
        else if (a == "-schnell") schnell = true;
        else if (a == "-grau") grau = true;
        else if (a == "-skala") {
            if (++i >= argc || !Zahl(argv[i], 1, 8, &skala) || (skala & (skala - 1)))
                return Fehler_Argument("-skala verlangt 1, 2, 4 oder 8");
        } else {
            return Fehler_Argument("unbekannte Option: ", argv[i]);
        }
    }
    if (argc - i != 2) return Fehler_Argument("verlangt eine Eingabe- und eine Ausgabedatei");
    const char* ein = argv[i];
    // The stream is read from the file as the decode goes (a few KB at a
    // time), not held whole.
    Eingabe jpeg;
    if (!jpeg.Oeffnen(ein, false)) {
        std::fprintf(stderr, "jpegwerk: %s kann nicht gelesen werden: %s\n", ein, jpeg.grund.c_str());
        return 1;
    }
    Jpeg_Auftrag a;
    if (Jpeg_Init(&a) != 0) return 1;
    a.Jpg_Datei = ein;
    int32_t r = Jpeg_Lesen(&a, JMODUS_DATEI_PARAMETER);
    if (r != 0) {
        std::fprintf(stderr, "jpegwerk: %s: %s (%d)\n", ein, Jpeg_Fehlertext(r), r);
        Jpeg_Free(&a);
        return 1;
    }
    const uint32_t s = static_cast<uint32_t>(skala);
    const uint32_t w = (a.Jpg_Breite + s - 1) / s, h = (a.Jpg_Hoehe + s - 1) / s;
    // Grey: PGM; four components (CMYK, YCCK): PAM with the four channels as
    // the picture holds them (YCCK turned into CMYK); otherwise PPM.
    const bool vier = !grau && a.Jpg_Kanaele == 4;
    const uint32_t kanaele = grau || a.Jpg_Farbraum == FARBE_GRAU ? 1 : (vier ? 4 : 3);
    if (Dieselbe_Datei(ein, argv[i + 1])) {
        std::fprintf(stderr, "jpegwerk: %s: Eingabe und Ausgabe sind dieselbe Datei\n", argv[i + 1]);
        Jpeg_Free(&a);
        return 1;
    }
    Ausgabe aus;
    if (!aus.Oeffnen(argv[i + 1])) {
        Jpeg_Free(&a);
        return 1;
    }
    const std::string kopf =
        vier ? "P7\nWIDTH " + std::to_string(w) + "\nHEIGHT " + std::to_string(h) +
                   "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE CMYK\nENDHDR\n"
             : std::string(kanaele == 1 ? "P5\n" : "P6\n") + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
    // The picture is decoded and written band by band, straight into the
    // output's gathering buffer: each call asks for the rows below the last,
    // and the codec goes on where it stopped.
    const uint32_t band = std::min(h, Bandhoehe(w * kanaele));
    aus.Vorbelegen(kopf.size() + uint64_t{w} * h * kanaele, size_t{w} * band * kanaele);
    bool geschrieben = aus.Schreiben(kopf.data(), kopf.size());
    a.Intern.Glaettung = glatt ? 1 : 0;
    a.Intern.DCT_Art = schnell ? DCT_SCHNELL : DCT_GENAU;
    const int32_t modus = skala == 1 ? JMODUS_DATEI_BILD : skala == 2 ? 14 : skala == 4 ? 16 : 18;
    for (uint32_t y = 0; y < h && geschrieben; y += band) {
        const uint32_t n = std::min(band, h - y);
        uint8_t* pixel = aus.Platz(size_t{w} * n * kanaele);
        if (!pixel) {
            std::fprintf(stderr, "jpegwerk: %s: zu wenig Speicher\n", ein);
            aus.Verwerfen();
            Jpeg_Free(&a);
            return 1;
        }
        // Not filled first: the codec writes every pixel of a band it answers
        // for (damaged parts neutral grey), and a refused band ends the
        // decode without a file.
        a.Bild_Pixel = pixel;
        a.Bild_Breite = w;
        a.Bild_Hoehe = static_cast<int32_t>(n);
        a.Bild_Kanaele = kanaele;
        a.Bild_Farbraum = kanaele == 1 ? FARBE_GRAU : (vier ? FARBE_RGBA : FARBE_RGB);
        a.Intern.Bereich_Links = 0;
        a.Intern.Bereich_Rechts = static_cast<int32_t>(w);
        a.Intern.Bereich_Oben = static_cast<int32_t>(y);
        a.Intern.Bereich_Unten = static_cast<int32_t>(y + n);
        r = Jpeg_Lesen(&a, modus);
        if (r < 0) break;
        geschrieben = aus.Weiter(size_t{w} * n * kanaele);
    }
    const int32_t schaden = a.Intern.Schaden;
    Jpeg_Free(&a);
    if (r < 0 || (r == JPEG_ERG_BESCHAEDIGT && !geschrieben)) {
        if (r < 0) std::fprintf(stderr, "jpegwerk: %s: %s (%d)\n", ein, Jpeg_Fehlertext(r), r);
        aus.Verwerfen();
        return 1;
    }
    if (!aus.Schliessen(geschrieben)) return 1;
    if (r == JPEG_ERG_BESCHAEDIGT) {
        // Written whole, but the data was damaged: a warning, as djpeg gives one.
        std::fprintf(stderr, "jpegwerk: %s: die Daten sind beschaedigt: %s (%d)\n", ein, Jpeg_Fehlertext(schaden),
                     schaden);
        return 2;
    }
    return 0;
}

int Kodieren(int argc, char** argv) {
    long q = 75, neustart = 0, abtastung = 420;
    bool grau = false, progressiv = false, schnell = false;
    int i = 2;
    for (; i < argc && argv[i][0] == '-'; ++i) {
        std::string a = argv[i];
        if (a == "--") {
            ++i;
            break;
        }
        if (a == "-grau") grau = true;
        else if (a == "-progressiv") progressiv = true;
        else if (a == "-schnell") schnell = true;
        else if (a == "-q") {
            if (++i >= argc || !Zahl(argv[i], 0, 100, &q)) return Fehler_Argument("-q verlangt 0 bis 100");
        } else if (a == "-neustart") {
            if (++i >= argc || !Zahl(argv[i], 0, 65535, &neustart))
                return Fehler_Argument("-neustart verlangt 0 bis 65535");
        } else if (a == "-abtastung") {
            if (++i >= argc || !Zahl(argv[i], 420, 444, &abtastung) ||
                (abtastung != 420 && abtastung != 422 && abtastung != 444))
                return Fehler_Argument("-abtastung verlangt 444, 422 oder 420");
        } else {
            return Fehler_Argument("unbekannte Option: ", argv[i]);
        }
    }
    if (argc - i != 2) return Fehler_Argument("verlangt eine Eingabe- und eine Ausgabedatei");
    if (progressiv && neustart) return Fehler_Argument("-progressiv und -neustart gehen nicht zusammen");
    Eingabe d;
    PNM b;
    if (!d.Oeffnen(argv[i], true)) {
        std::fprintf(stderr, "jpegwerk: %s kann nicht gelesen werden: %s\n", argv[i], d.grund.c_str());
        return 1;
    }
    // The header from the first KB (comments may make it longer: then the
    // first 64 KB).
    bool kopf_ok = false;
    for (const size_t vorne : {size_t{1} << 10, size_t{64} << 10}) {
        std::vector<uint8_t> kopf(static_cast<size_t>(std::min<uint64_t>(d.size(), vorne)));
        if (!d.Lesen(0, kopf.data(), kopf.size())) {
            std::fprintf(stderr, "jpegwerk: %s kann nicht gelesen werden: %s\n", argv[i], d.grund.c_str());
            return 1;
        }
        kopf_ok = PNM_Lesen(Kopfbytes{kopf.data(), kopf.size()}, d.size(), &b);
        if (kopf_ok || kopf.size() == d.size()) break;
    }
    if (!kopf_ok) {
        std::fprintf(stderr, "jpegwerk: %s ist kein lesbares PPM/PGM (P5/P6, 255)\n", argv[i]);
        return 1;
    }
    // The output is created at once (an unwritable one is reported before
    // any work); the codec then writes the stream into it as it goes.
    if (Dieselbe_Datei(argv[i], argv[i + 1])) {
        std::fprintf(stderr, "jpegwerk: %s: Eingabe und Ausgabe sind dieselbe Datei\n", argv[i + 1]);
        return 1;
    }
    Ausgabe aus;
    if (!aus.Oeffnen(argv[i + 1])) return 1;
    // The codec writes the stream by name (see Fuer_Codec).
    if (!aus.Fuer_Codec()) {
        aus.Verwerfen();
        return 1;
    }
    Jpeg_Auftrag a;
    if (Jpeg_Init(&a) != 0) {
        aus.Verwerfen();
        return 1;
    }
    const bool einkanal = grau || b.kanaele == 1;
    const bool vier = !einkanal && b.kanaele == 4;  // CMYK, stored as it is
    a.Bild_Breite = a.Jpg_Breite = b.breite;
    a.Jpg_Hoehe = b.hoehe;
    a.Bild_Kanaele = b.kanaele;
    a.Bild_Farbraum = b.kanaele == 1 ? FARBE_GRAU : (vier ? FARBE_RGBA : FARBE_RGB);
    a.Jpg_Kanaele = einkanal ? 1 : (vier ? 4 : 3);
    a.Jpg_Farbraum = einkanal ? FARBE_GRAU : (vier ? FARBE_RGBA : FARBE_YCBCR);
    if (vier && abtastung != 444) abtastung = 444;
    a.Jpg_Abtastung = einkanal || abtastung == 444 ? ABTASTUNG_KEINE : abtastung == 422 ? ABTASTUNG_422 : ABTASTUNG_411;
    a.Qualitaet = static_cast<uint32_t>(q);
    a.Intern.DCT_Art = schnell ? DCT_SCHNELL : DCT_GENAU;
    a.Intern.Neustart_Intervall = static_cast<int32_t>(neustart);
    a.Jpg_Datei = aus.Schreibname();
    const size_t zeilenbytes = size_t{b.breite} * b.kanaele;
    int32_t r;
    int schreibfehler = 0;  // the system's reason when the codec's writes failed
    if (progressiv) a.Intern.Scan_Zaehler = 1;
    {
        // Band after band of MCU rows (16 rows each, 32 KB of pixels or
        // more); the progressive encoder gathers the bands and writes its
        // scans after the last.
        const uint32_t band = static_cast<uint32_t>(std::max<size_t>(1, (32u << 10) / (zeilenbytes * 16))) * 16;
        uint32_t y = 0;
        r = JPEG_ERG_DATEI;
        for (;;) {
            const uint32_t n = std::min(band, b.hoehe - y);
            const uint8_t* pixel = d.Band(b.anfang + uint64_t{y} * zeilenbytes, size_t{n} * zeilenbytes);
            if (!pixel) {
                std::fprintf(stderr, "jpegwerk: %s kann nicht gelesen werden: %s\n", argv[i], d.grund.c_str());
                Jpeg_Free(&a);
                aus.Verwerfen();
                return 1;
            }
            a.Bild_Pixel = const_cast<uint8_t*>(pixel);
            a.Bild_Hoehe = static_cast<int32_t>(n);
            a.Intern.Band_Oben = static_cast<int32_t>(y);
            a.Intern.Band_Unten = static_cast<int32_t>(y + n);
            errno = 0;
            r = Jpeg_Schreiben(&a, JMODUS_DATEI_BILD_SCHREIBEN);
            schreibfehler = errno;
            y += n;
            if (r != JPEG_ERG_BEREICH_FERTIG || y >= b.hoehe) break;
        }
    }
    Jpeg_Free(&a);
    if (r == JPEG_ERG_DATEI && schreibfehler != 0) {
        // The stream could not be written (a full disk): the output's name
        // and the reason, not the input's.
        aus.Fehler(schreibfehler);
        aus.Verwerfen();
        return 1;
    }
    if (r != 0) {
        std::fprintf(stderr, "jpegwerk: %s: %s (%d)\n", argv[i], Jpeg_Fehlertext(r), r);
        aus.Verwerfen();
        return 1;
    }
    return aus.Schliessen(true) ? 0 : 1;
}

}  // namespace

int Jpegwerk(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0)) {
        std::printf(
            "jpegwerk d [-glatt] [-schnell] [-skala 1|2|4|8] [-grau] [--] EIN.jpg AUS.ppm\n"
            "jpegwerk k [-q 0..100] [-abtastung 444|422|420] [-grau] [-progressiv] [-neustart N] [-schnell] [--] "
            "EIN.ppm AUS.jpg\n"
            "Exit: 0 fertig, 1 Ein-/Ausgabe oder Codec gescheitert, 2 falsche Argumente oder beschaedigte Daten\n");
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "d") == 0) return Dekodieren(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "k") == 0) return Kodieren(argc, argv);
    return Fehler_Argument("erstes Argument: d (dekodieren) oder k (kodieren)");
}

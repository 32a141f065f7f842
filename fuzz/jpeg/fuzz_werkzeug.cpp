// Fuzz target: the command-line tool's decode and encode of arbitrary bytes
// into every kind of output it meets: a new name, an existing file, a link
// to a file, a character device made in the scratch folder (/dev/null where
// that is not permitted) and /dev/null itself. The first two bytes choose
// the direction, the options and the output; the rest is the input file.
// Whatever the input, the tool leaves no temporary file (beside the output,
// or the stream's for a device); when it fails (exit 1) an existing file is
// byte for byte as it was, a new name stays free, a link stays a link; a
// device stays a device; when it succeeds the output holds the whole
// picture.
#include "jpeg/jpeg.h"
#include "jpegwerk.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char ALT[] = "ein Bild, das bleibt";

struct Ordner {
    fs::path pfad;
    bool geraet = false;  // a character device could be made here
    Ordner() {
        std::string muster = (fs::temp_directory_path() / "kordavo_fuzz_werk_XXXXXX").string();
        if (!mkdtemp(muster.data())) std::abort();
        pfad = muster;
        geraet = mknod((pfad / "geraet").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
        // The encoder's stream for a device waits in a temporary file here.
        fs::create_directory(pfad / "tmp");
        setenv("TMPDIR", (pfad / "tmp").c_str(), 1);
    }
    ~Ordner() {
        std::error_code f;
        fs::remove_all(pfad, f);
    }
};

Ordner& Platz() {
    static Ordner o;
    return o;
}

std::vector<uint8_t> Lesen(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

void Schreiben(const fs::path& p, const uint8_t* d, size_t n) {
    std::ofstream(p, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(d),
                                                              static_cast<std::streamsize>(n));
}

[[noreturn]] void Falsch(const char* was) {
    std::fprintf(stderr, "fuzz_werkzeug: %s\n", was);
    std::abort();
}

bool Zeichengeraet(const char* p) {
    struct stat st {};
    return stat(p, &st) == 0 && S_ISCHR(st.st_mode);
}

// The JPEG's declared size, for decodes that would spend the run on grey
// rows no data fills: false when it is too large (or unreadable: the tool
// refuses it quickly anyway).
bool Klein_Genug(const uint8_t* d, size_t n) {
    Jpeg_Auftrag a;
    if (Jpeg_Init(&a) != 0) return false;
    a.Jpg_Puffer = const_cast<uint8_t*>(d);
    a.Jpg_Puffer_Groesse = static_cast<uint32_t>(n);
    const int32_t r = Jpeg_Lesen(&a, JMODUS_PUFFER_PARAMETER);
    const uint64_t flaeche = uint64_t{a.Jpg_Breite} * a.Jpg_Hoehe;
    Jpeg_Free(&a);
    return r != 0 || flaeche <= (uint64_t{1} << 16) + 64 * uint64_t{n};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    if (groesse < 3 || groesse > (1u << 20)) return 0;
    const uint8_t wahl = daten[0], wahl2 = daten[1];
    const uint8_t* inhalt = daten + 2;
    const size_t n = groesse - 2;
    const bool dekodieren = !(wahl & 1);
    if (dekodieren && !Klein_Genug(inhalt, n)) return 0;
    Ordner& o = Platz();
    const fs::path ein = o.pfad / (dekodieren ? "ein.jpg" : "ein.pnm");
    Schreiben(ein, inhalt, n);

    // The output: 0 a new name, 1 an existing file, 2 a link to an existing
    // file, 3 the device made here, 4 /dev/null.
    const int art = ((wahl >> 1) & 7) % 5;
    const fs::path datei = o.pfad / "aus.bild", verweis = o.pfad / "verweis.bild";
    std::error_code f;
    fs::remove(datei, f);
    fs::remove(verweis, f);
    if (art == 1 || art == 2) Schreiben(datei, reinterpret_cast<const uint8_t*>(ALT), sizeof ALT - 1);
    if (art == 2) fs::create_symlink(datei, verweis, f);
    const std::string ziel = art == 0 || art == 1 ? datei.string()
                             : art == 2           ? verweis.string()
                             : art == 3 && o.geraet ? (o.pfad / "geraet").string()
                                                    : std::string("/dev/null");

    std::vector<std::string> argumente = {"jpegwerk", dekodieren ? "d" : "k"};
    if (dekodieren) {
        if (wahl & 0x10) argumente.push_back("-glatt");
        if (wahl & 0x20) argumente.push_back("-schnell");
        if (wahl & 0x40) argumente.push_back("-grau");
        argumente.insert(argumente.end(), {"-skala", std::to_string(1 << (wahl2 & 3))});
    } else {
        if (wahl & 0x10) argumente.push_back("-progressiv");
        if (wahl & 0x20) argumente.push_back("-schnell");
        if (wahl & 0x40) argumente.push_back("-grau");
        static const char* abtastung[] = {"420", "422", "444", "420"};
        argumente.insert(argumente.end(), {"-q", std::to_string(wahl2 % 101), "-abtastung", abtastung[wahl2 >> 6]});
        if (!(wahl & 0x10) && (wahl2 & 0x20)) argumente.insert(argumente.end(), {"-neustart", "2"});
    }
    argumente.insert(argumente.end(), {"--", ein.string(), ziel});
    std::vector<char*> argv;
    for (std::string& a : argumente) argv.push_back(a.data());
    argv.push_back(nullptr);

    // The tool's messages go nowhere while it runs.
    std::fflush(stderr);
    const int fehler_fd = dup(2);
    const int leer = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (leer >= 0) dup2(leer, 2);
    const int rc = Jpegwerk(static_cast<int>(argumente.size()), argv.data());
    if (fehler_fd >= 0) {
        dup2(fehler_fd, 2);
        close(fehler_fd);
    }
    if (leer >= 0) close(leer);

    for (const fs::directory_entry& e : fs::directory_iterator(o.pfad))
        if (e.path().filename().string().rfind(".jpegwerk-", 0) == 0) Falsch("a temporary file was left");
    if (!fs::is_empty(o.pfad / "tmp")) Falsch("a temporary stream file was left");
    if (!Zeichengeraet("/dev/null")) Falsch("/dev/null is no longer a device");
    if (o.geraet && !Zeichengeraet((o.pfad / "geraet").c_str())) Falsch("the device was removed or replaced");
    if (art == 2 && !fs::is_symlink(verweis)) Falsch("the link was replaced");
    if (rc != 0 && rc != 1 && rc != 2) Falsch("unknown exit code");
    if (art <= 2) {
        const std::vector<uint8_t> jetzt = Lesen(datei);
        if (rc == 1) {
            if (art == 0 && fs::exists(datei)) Falsch("a failed run left a new file");
            if (art != 0 && jetzt != std::vector<uint8_t>(ALT, ALT + sizeof ALT - 1))
                Falsch("a failed run changed the existing file");
        } else if (rc == 0 || (rc == 2 && dekodieren)) {
            // A whole picture: a decode's PNM header, an encode's SOI .. EOI.
            const bool ganz = dekodieren ? jetzt.size() > 2 && jetzt[0] == 'P'
                                         : jetzt.size() > 4 && jetzt[0] == 0xFF && jetzt[1] == 0xD8 &&
                                               jetzt[jetzt.size() - 2] == 0xFF && jetzt.back() == 0xD9;
            if (!ganz) Falsch("a successful run left no whole picture");
        }
    }
    return 0;
}

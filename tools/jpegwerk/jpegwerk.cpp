// jpegwerk: the JPEG codec on the command line, for tests, benchmarks and
// whole-process comparisons with djpeg and cjpeg.
//
//   jpegwerk d [-glatt] [-schnell] [-skala 1|2|4|8] [-grau] EIN.jpg AUS.ppm|pgm
//   jpegwerk k [-q 0..100] [-abtastung 444|422|420] [-grau] [-progressiv]
//              [-neustart MCUs] [-schnell] EIN.ppm|pgm AUS.jpg
//     -glatt      smooth up-sampling of sub-sampled chroma
//     -schnell    the fast transform instead of the accurate one
//     -skala N    decode at 1/N of the size
//     -grau       one grey channel (PGM out, or a one-component JPEG)
//
// Exit codes: 0 done, 1 the codec refused or the data was damaged (a damaged
// picture is still written as far as it was decoded), 2 bad arguments.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "jpeg/jpeg.h"

namespace {

constexpr const char* AUFRUF =
    "Aufruf: jpegwerk d [-glatt] [-schnell] [-skala 1|2|4|8] [-grau] EIN.jpg AUS.ppm\n"
    "        jpegwerk k [-q 0..100] [-abtastung 444|422|420] [-grau] [-progressiv] [-neustart N] "
    "[-schnell] EIN.ppm AUS.jpg\n";

int Fehler_Argument(const char* text, const char* wert = "") {
    std::fprintf(stderr, "jpegwerk: %s%s\n", text, wert);
    std::fputs(AUFRUF, stderr);
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

// A whole input file, mapped into memory. Pixels to encode are only read
// and map the file's pages as they are; a stream to decode is mapped
// writable (private: writes would stay in this process).
struct Eingabe {
    const uint8_t* d = nullptr;
    size_t n = 0;
    Eingabe() = default;
    Eingabe(const Eingabe&) = delete;
    Eingabe& operator=(const Eingabe&) = delete;
    ~Eingabe() {
        if (d) munmap(const_cast<uint8_t*>(d), n);
    }
    size_t size() const { return n; }
    const uint8_t* data() const { return d; }
    uint8_t operator[](size_t i) const { return d[i]; }
    bool Oeffnen(const char* name, bool schreibbar) {
        const int fd = open(name, O_RDONLY);
        if (fd < 0) return false;
        struct stat st {};
        bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0;
        if (ok) {
            void* m = mmap(nullptr, static_cast<size_t>(st.st_size), schreibbar ? PROT_READ | PROT_WRITE : PROT_READ,
                           MAP_PRIVATE | MAP_POPULATE, fd, 0);
            ok = m != MAP_FAILED;
            if (ok) d = static_cast<const uint8_t*>(m), n = static_cast<size_t>(st.st_size);
        }
        close(fd);
        return ok;
    }
};

// Memory mapped from the system in large pages where it has them, so that
// a picture's pixels take a few page faults instead of thousands; `voll`
// (a buffer that will be written whole) maps every page at once.
struct Puffer {
    uint8_t* p = nullptr;
    size_t n = 0;
    Puffer(size_t groesse, bool voll) : n(groesse) {
        void* m = mmap(nullptr, groesse, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (m == MAP_FAILED) throw std::bad_alloc();
        p = static_cast<uint8_t*>(m);
#if defined(MADV_HUGEPAGE) && defined(MADV_POPULATE_WRITE)
        madvise(m, groesse, MADV_HUGEPAGE);
        if (voll) madvise(m, groesse, MADV_POPULATE_WRITE);
#else
        (void)voll;
#endif
    }
    Puffer(const Puffer&) = delete;
    Puffer& operator=(const Puffer&) = delete;
    ~Puffer() { munmap(p, n); }
    uint8_t* data() { return p; }
};

bool Datei_Schreiben(const char* name, const std::string& kopf, const uint8_t* d, size_t n) {
    FILE* f = std::fopen(name, "wb");
    if (!f) return false;
    bool ok = std::fwrite(kopf.data(), 1, kopf.size(), f) == kopf.size() && std::fwrite(d, 1, n, f) == n;
    return std::fclose(f) == 0 && ok;
}

// A binary PPM (P6) or PGM (P5) with 255 as the largest value.
struct PNM {
    uint32_t breite = 0, hoehe = 0, kanaele = 0;
    const uint8_t* pixel = nullptr;  // inside the file's bytes
};

bool PNM_Lesen(const Eingabe& d, PNM* b) {
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
    if (d.size() < 2 || d[0] != 'P' || (d[1] != '5' && d[1] != '6')) return false;
    b->kanaele = d[1] == '6' ? 3 : 1;
    i = 2;
    uint32_t grenze = 0;
    if (!zahl(&b->breite) || !zahl(&b->hoehe) || !zahl(&grenze) || grenze != 255 || i >= d.size()) return false;
    if (b->breite == 0 || b->hoehe == 0 || b->breite > 65535 || b->hoehe > 65535) return false;
    ++i;  // the single white-space byte before the pixels
    const size_t n = size_t{b->breite} * b->hoehe * b->kanaele;
    if (d.size() - i < n) return false;
    b->pixel = d.data() + i;
    return true;
}

int Dekodieren(int argc, char** argv) {
    bool glatt = false, schnell = false, grau = false;
    long skala = 1;
    int i = 2;
    for (; i < argc && argv[i][0] == '-'; ++i) {
        std::string a = argv[i];
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
    Eingabe jpeg;
    if (!jpeg.Oeffnen(argv[i], true) || jpeg.size() > 0xFFFFFFFFu) {
        std::fprintf(stderr, "jpegwerk: %s kann nicht gelesen werden\n", argv[i]);
        return 1;
    }
    Jpeg_Auftrag a;
    if (Jpeg_Init(&a) != 0) return 1;
    a.Jpg_Puffer = const_cast<uint8_t*>(jpeg.data());
    a.Jpg_Puffer_Groesse = static_cast<uint32_t>(jpeg.size());
    int32_t r = Jpeg_Lesen(&a, JMODUS_PUFFER_PARAMETER);
    if (r != 0) {
        std::fprintf(stderr, "jpegwerk: %s: %s (%d)\n", argv[i], Jpeg_Fehlertext(r), r);
        Jpeg_Free(&a);
        return 1;
    }
    const uint32_t s = static_cast<uint32_t>(skala);
    const uint32_t w = (a.Jpg_Breite + s - 1) / s, h = (a.Jpg_Hoehe + s - 1) / s;
    const uint32_t kanaele = grau || a.Jpg_Farbraum == FARBE_GRAU ? 1 : 3;
    // Neutral grey where a damaged stream leaves pixels unwritten.
    Puffer pixel(size_t{w} * h * kanaele, true);
    std::memset(pixel.data(), 128, pixel.n);
    a.Bild_Pixel = pixel.data();
    a.Bild_Breite = w;
    a.Bild_Hoehe = static_cast<int32_t>(h);
    a.Bild_Kanaele = kanaele;
    a.Bild_Farbraum = kanaele == 1 ? FARBE_GRAU : FARBE_RGB;
    a.Intern.Glaettung = glatt ? 1 : 0;
    a.Intern.DCT_Art = schnell ? DCT_SCHNELL : DCT_GENAU;
    const int32_t modus = skala == 1 ? JMODUS_PUFFER_BILD : skala == 2 ? 15 : skala == 4 ? 17 : 19;
    r = Jpeg_Lesen(&a, modus);
    Jpeg_Free(&a);
    const bool teilweise = r == JPEG_ERG_EOF || r == JPEG_ERG_DATEN || r == JPEG_ERG_RST;
    if (r != 0 && !teilweise) {
        std::fprintf(stderr, "jpegwerk: %s: %s (%d)\n", argv[i], Jpeg_Fehlertext(r), r);
        return 1;
    }
    const std::string kopf =
        std::string(kanaele == 1 ? "P5\n" : "P6\n") + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
    if (!Datei_Schreiben(argv[i + 1], kopf, pixel.data(), pixel.n)) {
        std::fprintf(stderr, "jpegwerk: %s kann nicht geschrieben werden\n", argv[i + 1]);
        return 1;
    }
    if (teilweise) {
        std::fprintf(stderr, "jpegwerk: %s: %s (%d), das Bild ist unvollstaendig\n", argv[i], Jpeg_Fehlertext(r), r);
        return 1;
    }
    return 0;
}

int Kodieren(int argc, char** argv) {
    long q = 75, neustart = 0, abtastung = 420;
    bool grau = false, progressiv = false, schnell = false;
    int i = 2;
    for (; i < argc && argv[i][0] == '-'; ++i) {
        std::string a = argv[i];
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
    if (!d.Oeffnen(argv[i], false) || !PNM_Lesen(d, &b)) {
        std::fprintf(stderr, "jpegwerk: %s ist kein lesbares PPM/PGM (P5/P6, 255)\n", argv[i]);
        return 1;
    }
    Jpeg_Auftrag a;
    if (Jpeg_Init(&a) != 0) return 1;
    const bool einkanal = grau || b.kanaele == 1;
    a.Bild_Pixel = const_cast<uint8_t*>(b.pixel);
    a.Bild_Breite = a.Jpg_Breite = b.breite;
    a.Bild_Hoehe = static_cast<int32_t>(b.hoehe);
    a.Jpg_Hoehe = b.hoehe;
    a.Bild_Kanaele = b.kanaele;
    a.Bild_Farbraum = b.kanaele == 1 ? FARBE_GRAU : FARBE_RGB;
    a.Jpg_Kanaele = einkanal ? 1 : 3;
    a.Jpg_Farbraum = einkanal ? FARBE_GRAU : FARBE_YCBCR;
    a.Jpg_Abtastung = einkanal || abtastung == 444 ? ABTASTUNG_KEINE : abtastung == 422 ? ABTASTUNG_422 : ABTASTUNG_411;
    a.Qualitaet = static_cast<uint32_t>(q);
    a.Intern.DCT_Art = schnell ? DCT_SCHNELL : DCT_GENAU;
    a.Intern.Neustart_Intervall = static_cast<int32_t>(neustart);
    if (progressiv) a.Intern.Scan_Zaehler = 1;
    // The stream never needs more than the pixels plus the markers.
    const size_t groesse = std::min<size_t>(size_t{b.breite} * b.hoehe * 3 * 2 + 65536, 0xFFFFFFFFu);
    Puffer jpeg(groesse, false);
    a.Jpg_Puffer = jpeg.data();
    a.Jpg_Puffer_Groesse = static_cast<uint32_t>(groesse);
    const int32_t r = Jpeg_Schreiben(&a, JMODUS_PUFFER_BILD_SCHREIBEN);
    const uint32_t n = a.Jpg_Puffer_Groesse;
    Jpeg_Free(&a);
    if (r != 0) {
        std::fprintf(stderr, "jpegwerk: %s: %s (%d)\n", argv[i], Jpeg_Fehlertext(r), r);
        return 1;
    }
    if (!Datei_Schreiben(argv[i + 1], "", jpeg.data(), n)) {
        std::fprintf(stderr, "jpegwerk: %s kann nicht geschrieben werden\n", argv[i + 1]);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            std::fputs(AUFRUF, stdout);
            return 0;
        }
    if (argc >= 2 && std::strcmp(argv[1], "d") == 0) return Dekodieren(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "k") == 0) return Kodieren(argc, argv);
    return Fehler_Argument("erstes Argument: d (dekodieren) oder k (kodieren)");
}

// Processor detection, the per-record kernel table and the codec's small
// platform layer (memory, files, copies).
//
// The CPUID record is computed once per process. Each record owns its kernel
// table; nothing process-wide is rewritten after start-up.
#include "jpeg/jpeg_kern.h"
#include "jpeg/jpeg_simd.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <new>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#define JPEG_CPUID 1
#if defined(__GLIBC__) && __has_include(<sys/platform/x86.h>)
#if defined(__clang__)
// The C library's header is written for C (its _Bool); clang's C++ does
// not know that name.
#define _Bool bool
#include <sys/platform/x86.h>
#undef _Bool
#else
#include <sys/platform/x86.h>
#endif
#define JPEG_CPUID_AUS_LIBC 1
#else
#define JPEG_CPUID_AUS_LIBC 0
#endif
#else
#define JPEG_CPUID 0
#endif

#include "base/settings.h"

// ---------------------------------------------------------------------------
// CPUID

namespace {

Jpeg_CPUID cpuid_daten;
std::once_flag cpuid_einmal;

// The registers of leaves 1, 7 (sub-leaf 0) and 0x80000001, all zero when
// the processor lacks the leaf. The C library has read them at start-up and
// keeps them: asking it costs nothing, while each CPUID instruction traps to
// the hypervisor on a virtual machine (about 8 us each, a fifth of a small
// picture's encode in a short-lived process). Elsewhere they are read here.
struct Blaetter {
    unsigned b1[4] = {}, b7[4] = {}, e1[4] = {};  // EAX, EBX, ECX, EDX
};

#if JPEG_CPUID && JPEG_CPUID_AUS_LIBC
Blaetter blaetter_lesen() {
    Blaetter l;
    std::memcpy(l.b1, __x86_get_cpuid_feature_leaf(CPUID_INDEX_1)->cpuid_array, sizeof l.b1);
    std::memcpy(l.b7, __x86_get_cpuid_feature_leaf(CPUID_INDEX_7)->cpuid_array, sizeof l.b7);
    std::memcpy(l.e1, __x86_get_cpuid_feature_leaf(CPUID_INDEX_80000001)->cpuid_array, sizeof l.e1);
    return l;
}
#elif JPEG_CPUID
Blaetter blaetter_lesen() {
    Blaetter l;
    unsigned a = 0, b = 0, c = 0, e = 0;
    if (!__get_cpuid(0, &a, &b, &c, &e) || a == 0) return l;
    __get_cpuid(1, &l.b1[0], &l.b1[1], &l.b1[2], &l.b1[3]);
    if (a >= 7) __get_cpuid_count(7, 0, &l.b7[0], &l.b7[1], &l.b7[2], &l.b7[3]);
    __get_cpuid(0x80000001u, &l.e1[0], &l.e1[1], &l.e1[2], &l.e1[3]);
    return l;
}
#endif

void cpuid_lesen() {
    Jpeg_CPUID d{};
#if JPEG_CPUID
    const Blaetter l = blaetter_lesen();
    const unsigned a1 = l.b1[0], c1 = l.b1[2];
    d.Marke = l.b1[1] & 0xFF;
    d.Typ = (a1 >> 12) & 3;
    d.Familie = (a1 >> 8) & 15;
    d.Modell = (a1 >> 4) & 15;
    d.Stepping = a1 & 15;
    d.Merkmale = l.b1[3];
    d.Merkmale_C = c1;
    if (c1 & (1u << 9)) d.Simd |= JSIMD_SSSE3;
    // AVX2 needs the system to save the AVX registers: OSXSAVE and AVX set,
    // XCR0 with the SSE and AVX states.
    bool avx = (c1 & (1u << 27)) && (c1 & (1u << 28));
    // AVX-512 also needs the opmask and upper ZMM states in XCR0.
    bool avx512 = false;
    if (avx) {
        unsigned xa = 0, xd = 0;
        __asm__ volatile("xgetbv" : "=a"(xa), "=d"(xd) : "c"(0));
        avx = (xa & 6u) == 6u;
        avx512 = (xa & 0xE6u) == 0xE6u;
    }
    const unsigned b7 = l.b7[1];
    if (avx && (b7 & (1u << 5))) d.Simd |= JSIMD_AVX2;
    // AVX-512 F (EBX 16), BW (EBX 30) and VL (EBX 31) beside AVX2, then
    // VNNI (ECX 11) and VBMI (ECX 1) each.
    const unsigned f_bw_vl = (1u << 16) | (1u << 30) | (1u << 31);
    if (avx512 && (d.Simd & JSIMD_AVX2) && (b7 & f_bw_vl) == f_bw_vl) {
        if (l.b7[2] & (1u << 11)) d.Simd |= JSIMD_AVX512_VNNI;
        if (l.b7[2] & (1u << 1)) d.Simd |= JSIMD_AVX512_VBMI;
    }
    if (b7 & (1u << 3)) d.Simd |= JSIMD_BMI;
    if (b7 & (1u << 8)) d.Simd |= JSIMD_BMI2;
    if (l.e1[2] & (1u << 5)) d.Simd |= JSIMD_LZCNT;
#endif
    cpuid_daten = d;
}

// The override: KORDAVO_JPEG_USECPU in the environment, else the value
// "USECPU" of the settings file; -1 when neither holds a number.
int32_t vorgabe_lesen() {
    const char* text = std::getenv("KORDAVO_JPEG_USECPU");
    char puffer[32] = {};
    if (!text || !*text) {
        if (W32_Registry_Read("USECPU", puffer, sizeof puffer)) text = puffer;
    }
    if (!text || !*text) return -1;
    char* ende = nullptr;
    errno = 0;
    const long wert = std::strtol(text, &ende, 10);
    while (ende && (*ende == ' ' || *ende == '\t' || *ende == '\r' || *ende == '\n')) ++ende;
    if (errno != 0 || ende == text || (ende && *ende != '\0')) return -1;
    if (wert < -1 || wert > 255) return -1;
    return int32_t(wert);
}

void simd_ende_leer() {}
// The SIMD kernels use SSE registers only, so there is no MMX state to clear.
void simd_ende_simd() {}

}  // namespace

const Jpeg_CPUID* Jpeg_CPUID_Daten() {
    std::call_once(cpuid_einmal, cpuid_lesen);
    return &cpuid_daten;
}

uint32_t Jpeg_Simd_Merkmale() { return Jpeg_CPUID_Daten()->Simd; }

int32_t Jpeg_Prozessor_Aus_CPUID(uint32_t familie, uint32_t merkmale) {
    const bool mmx = merkmale & JCPU_BIT_MMX;
    const bool sse = merkmale & JCPU_BIT_SSE;
    const bool sse2 = merkmale & JCPU_BIT_SSE2;
    switch (familie) {
        case 5: return mmx ? JCPU_F5_MMX : JCPU_F5;
        case 6:
            if (!mmx) return JCPU_F6;
            return sse ? JCPU_F6_SSE : JCPU_F6_MMX;
        case 15: return sse2 ? JCPU_F15_SSE2 : JCPU_ALLGEMEIN;
        default: return JCPU_ALLGEMEIN;
    }
}

bool Jpeg_Prozessor_Moeglich(int32_t prozessor, uint32_t merkmale) {
    if (prozessor < 0 || prozessor >= JCPU_ANZAHL) return false;
    if (prozessor <= JCPU_F6) return true;
    // Every SIMD form is written with SSE2 instructions.
    if (!JPEG_SIMD || !(merkmale & JCPU_BIT_SSE2)) return false;
    switch (prozessor) {
        case JCPU_F5_MMX:
        case JCPU_F6_MMX: return merkmale & JCPU_BIT_MMX;
        case JCPU_F6_SSE: return (merkmale & JCPU_BIT_MMX) && (merkmale & JCPU_BIT_SSE);
        default: return true;
    }
}

int32_t Jpeg_Prozessor_Erkennen(Jpeg_Kern_Tabelle* /*tabelle*/) {
    const Jpeg_CPUID* d = Jpeg_CPUID_Daten();
    const int32_t vorgabe = vorgabe_lesen();
    if (Jpeg_Prozessor_Moeglich(vorgabe, d->Merkmale)) return vorgabe;
    int32_t code = Jpeg_Prozessor_Aus_CPUID(d->Familie, d->Merkmale);
    // A processor that reports a family with SIMD but cannot run our forms.
    if (!Jpeg_Prozessor_Moeglich(code, d->Merkmale)) code = JCPU_ALLGEMEIN;
    return code;
}

void Jpeg_Kerne_Fuellen(Jpeg_Kern_Tabelle* t, int32_t prozessor) {
    if (prozessor < 0 || prozessor >= JCPU_ANZAHL) prozessor = JCPU_ALLGEMEIN;
    const bool simd = prozessor >= JCPU_F5_MMX;
    const bool sse = prozessor == JCPU_F6_SSE;
    const bool sse2 = prozessor == JCPU_F15_SSE2;

    t->Simd_Ende = simd ? simd_ende_simd : simd_ende_leer;

    t->FDCT_Schnell = simd ? Jpeg_FDCT_Schnell_MMX : Jpeg_FDCT_Schnell;
    t->FDCT_Genau = !simd  ? Jpeg_FDCT_Genau
                    : sse  ? Jpeg_FDCT_Genau_SSE
                    : sse2 ? Jpeg_FDCT_Genau_SSE2
                           : Jpeg_FDCT_Genau_MMX;
    t->IDCT_8x8_Schnell = simd ? Jpeg_IDCT_Schnell_MMX : Jpeg_IDCT_Schnell;
    t->IDCT_4x4_Schnell = Jpeg_IDCT_Schnell_4x4;
    t->IDCT_2x2_Schnell = Jpeg_IDCT_Schnell_2x2;
    t->IDCT_1x1_Schnell = Jpeg_IDCT_Schnell_1x1;
    t->IDCT_8x8_Genau = !simd  ? Jpeg_IDCT_Genau
                        : sse  ? Jpeg_IDCT_Genau_SSE
                        : sse2 ? Jpeg_IDCT_Genau_SSE2
                               : Jpeg_IDCT_Genau_MMX;
    t->IDCT_4x4_Genau = Jpeg_IDCT_Genau_4x4;
    t->IDCT_2x2_Genau = Jpeg_IDCT_Genau_2x2;
    t->IDCT_1x1_Genau = Jpeg_IDCT_Genau_1x1;
    t->FDCT_Praezise = simd ? Jpeg_FDCT_Praezise_SSE2 : Jpeg_FDCT_Praezise;
    t->FDCT_Aktiv = nullptr;
    t->IDCT_8x8_Aktiv = nullptr;
    t->IDCT_4x4_Aktiv = nullptr;
    t->IDCT_2x2_Aktiv = nullptr;
    t->IDCT_1x1_Aktiv = nullptr;

    t->Quantisieren_Schnell = simd ? Jpeg_Quant_Schnell_MMX : Jpeg_Quant_Schnell;
    t->Quantisieren_Genau = !simd  ? Jpeg_Quant_Genau
                            : sse  ? Jpeg_Quant_Genau_SSE
                            : sse2 ? Jpeg_Quant_Genau_SSE2
                                   : Jpeg_Quant_Genau_MMX;
    t->Quantisieren_Praezise = simd ? Jpeg_Quant_Praezise_SSE2 : Jpeg_Quant_Praezise;
    t->Quantisieren_Aktiv = t->Quantisieren_Schnell;
    t->Dequantisieren_Schnell = Jpeg_Dequant_Schnell;
    t->Dequantisieren_Genau = !simd ? Jpeg_Dequant_Genau : sse2 ? Jpeg_Dequant_Genau_SSE2 : Jpeg_Dequant_Genau_MMX;
    t->Dequantisieren_Aktiv = t->Dequantisieren_Schnell;

    // Bit output, encoder conversions and Huffman coding: the encoder's;
    // decoder conversions and Huffman decoding: the decoder's.
    t->Kod_Zeile = nullptr;
    t->Dek_Zeile = nullptr;
    Jpeg_Kod_Kerne_Fuellen(t, prozessor);
    Jpeg_Dek_Kerne_Fuellen(t, prozessor);
    t->Kod_Zeile = nullptr;
    t->Dek_Zeile = nullptr;
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
int32_t Jpeg_Kerne_Waehlen(Jpeg_Kern_Tabelle* tabelle) {
    Jpeg_Kerne_Fuellen(tabelle, Jpeg_Prozessor_Erkennen(tabelle));
    return 1;
}

void Jpeg_Kerne_Freigeben(Jpeg_Kern_Tabelle* /*tabelle*/) {
    // No libraries are loaded and nothing process-wide is held per table.
}

// ---------------------------------------------------------------------------
// Memory and copies

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
void Jpeg_Kopieren(void* ziel, const void* quelle, size_t anzahl) {
    if (anzahl == 0) return;
    std::memmove(ziel, quelle, anzahl);
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
int32_t Jpeg_Nullen(void* ziel, size_t anzahl) {
    if (anzahl) std::memset(ziel, 0, anzahl);
    return 0;
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
int32_t Jpeg_Byte_Wert(uint8_t byte) { return byte; }

// Blocks are aligned to 32 bytes, rounded up to 32 and cleared whole; the
// pointer the C library gave lies in the 8 bytes before each block. Ordinary
// pages even for large blocks (the progressive coefficients): asking for
// large pages made a loaded machine compact its memory on the page faults,
// which cost more than the faults it saved. Large blocks come cleared from
// calloc (fresh pages of the system are zero already; clearing them again
// wrote the whole block once more, 144 MB for a 48-megapixel progressive
// encode).
namespace {

void* speicher_holen(size_t groesse, bool leeren) {
    if (groesse == 0) groesse = 1;
    constexpr size_t AUSRICHTUNG = 32;
    constexpr size_t GROSS = size_t{1} << 20;
    const size_t gerundet = (groesse + AUSRICHTUNG - 1) & ~(AUSRICHTUNG - 1);
    if (gerundet < groesse || gerundet > SIZE_MAX - 2 * AUSRICHTUNG) return nullptr;
    void* roh;
    uintptr_t block;
    if (gerundet < GROSS || !leeren) {
        roh = std::aligned_alloc(AUSRICHTUNG, gerundet + AUSRICHTUNG);
        if (!roh) return nullptr;
        block = reinterpret_cast<uintptr_t>(roh) + AUSRICHTUNG;
        if (leeren) std::memset(reinterpret_cast<void*>(block), 0, gerundet);
    } else {
        roh = std::calloc(1, gerundet + 2 * AUSRICHTUNG);
        if (!roh) return nullptr;
        block = (reinterpret_cast<uintptr_t>(roh) + sizeof(void*) + AUSRICHTUNG - 1) & ~uintptr_t{AUSRICHTUNG - 1};
    }
    std::memcpy(reinterpret_cast<void*>(block - sizeof(void*)), &roh, sizeof roh);
    return reinterpret_cast<void*>(block);
}

}  // namespace

void* Jpeg_Speicher_Holen(size_t groesse) { return speicher_holen(groesse, true); }

void* Jpeg_Speicher_Holen_Ungeleert(size_t groesse) { return speicher_holen(groesse, false); }

void Jpeg_Speicher_Freigeben(void* zeiger) {
    if (!zeiger) return;
    void* roh;
    std::memcpy(&roh, static_cast<uint8_t*>(zeiger) - sizeof(void*), sizeof roh);
    std::free(roh);
}

// ---------------------------------------------------------------------------
// Files

// A file written here replaces an existing one in place: its pages are
// written over and the rest cut off when it is closed. Cutting it to nothing
// first would free every cached page only to take new ones, and on some file
// systems (ext4) starts writing the whole file out at the close.
// Writes to a regular file are gathered (up to 64 KB) and go out in one
// system call: the encoder hands over its 4096-byte staging buffer at a
// time, and a new file's writes each cost the file system a call. Reads,
// seeks, Jpeg_Datei_Leeren and the close write the gathered bytes first.
// Devices and pipes take every write at once, as asked.
struct Jpeg_Datei {
    int fd;
    bool schreiben;    // opened for writing
    bool gewoehnlich;  // a regular file (cut to its end at the close)
    int64_t pos;       // current position (gathered bytes included)
    int64_t ende;      // end of what was written (gathered bytes included)
    uint8_t* sammel;   // the gathered bytes (null until the first write)
    uint32_t voll;     // how many
};

namespace {

constexpr uint32_t DATEI_SAMMELN = 64u << 10;

bool Datei_Alles_Schreiben(int fd, const uint8_t* d, size_t n) {
    while (n > 0) {
        const ssize_t k = ::write(fd, d, n);
        if (k < 0 && errno == EINTR) continue;
        if (k <= 0) return false;
        d += k;
        n -= size_t(k);
    }
    return true;
}

}  // namespace

int32_t Jpeg_Datei_Leeren(Jpeg_Datei* datei) {
    if (!datei) return 0;
    if (datei->voll == 0) return 1;
    const bool ok = Datei_Alles_Schreiben(datei->fd, datei->sammel, datei->voll);
    datei->voll = 0;
    return ok ? 1 : 0;
}

Jpeg_Datei* Jpeg_Datei_Oeffnen(const char* name, uint32_t zugriff) {
    if (!name || !*name) return nullptr;
    const bool schreiben = (zugriff & JPEG_DATEI_SCHREIBEN) != 0;
    const int fd = schreiben ? ::open(name, O_RDWR | O_CREAT | O_CLOEXEC, 0644) : ::open(name, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    auto* d = new (std::nothrow) Jpeg_Datei{fd, schreiben, S_ISREG(st.st_mode), 0, 0, nullptr, 0};
    if (!d) ::close(fd);
    return d;
}

int32_t Jpeg_Datei_Schliessen(Jpeg_Datei* datei) {
    if (!datei) return 0;
    bool ok = Jpeg_Datei_Leeren(datei) != 0;
    // A written file ends where the writing ended (an older, longer file's
    // tail goes).
    ok = (!(datei->schreiben && datei->gewoehnlich) || ::ftruncate(datei->fd, off_t(datei->ende)) == 0) && ok;
    ok = ::close(datei->fd) == 0 && ok;
    std::free(datei->sammel);
    delete datei;
    return ok ? 1 : 0;
}

int32_t Jpeg_Datei_Lesen(Jpeg_Datei* datei, void* puffer, uint32_t anzahl, uint32_t* gelesen) {
    if (gelesen) *gelesen = 0;
    if (!datei || !Jpeg_Datei_Leeren(datei)) return 0;
    // A file being written holds only what was written (not an older
    // file's tail).
    if (datei->schreiben && datei->gewoehnlich)
        anzahl = uint32_t(std::min<int64_t>(anzahl, std::max<int64_t>(0, datei->ende - datei->pos)));
    uint32_t gesamt = 0;
    while (gesamt < anzahl) {
        const ssize_t n = ::read(datei->fd, static_cast<char*>(puffer) + gesamt, anzahl - gesamt);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (gelesen) *gelesen = gesamt;
            return 0;
        }
        if (n == 0) break;
        gesamt += uint32_t(n);
    }
    datei->pos += gesamt;
    if (gelesen) *gelesen = gesamt;
    return 1;
}

int32_t Jpeg_Datei_Schreiben(Jpeg_Datei* datei, const void* puffer, uint32_t anzahl, uint32_t* geschrieben) {
    if (geschrieben) *geschrieben = 0;
    if (!datei) return 0;
    if (anzahl == 0) return 1;
    if (datei->gewoehnlich && anzahl < DATEI_SAMMELN) {
        if (!datei->sammel) datei->sammel = static_cast<uint8_t*>(std::malloc(DATEI_SAMMELN));
        if (datei->sammel) {
            if (datei->voll + anzahl > DATEI_SAMMELN && !Jpeg_Datei_Leeren(datei)) return 0;
            std::memcpy(datei->sammel + datei->voll, puffer, anzahl);
            datei->voll += anzahl;
            datei->pos += anzahl;
            datei->ende = datei->pos > datei->ende ? datei->pos : datei->ende;
            if (geschrieben) *geschrieben = anzahl;
            return 1;
        }
    }
    if (!Jpeg_Datei_Leeren(datei)) return 0;
    uint32_t gesamt = 0;
    while (gesamt < anzahl) {
        const ssize_t n = ::write(datei->fd, static_cast<const char*>(puffer) + gesamt, anzahl - gesamt);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (geschrieben) *geschrieben = gesamt;
            return 0;
        }
        gesamt += uint32_t(n);
    }
    datei->pos += gesamt;
    datei->ende = datei->pos > datei->ende ? datei->pos : datei->ende;
    if (geschrieben) *geschrieben = gesamt;
    return 1;
}

int32_t Jpeg_Datei_Suchen(Jpeg_Datei* datei, int64_t abstand, int32_t ursprung) {
    if (!datei || !Jpeg_Datei_Leeren(datei)) return 0;
    const int woher = ursprung == 0 ? SEEK_SET : ursprung == 1 ? SEEK_CUR : ursprung == 2 ? SEEK_END : -1;
    if (woher < 0) return 0;
    // A file being written ends where the writing ended, not at an older
    // file's tail.
    const bool vom_ende = woher == SEEK_END && datei->schreiben && datei->gewoehnlich;
    const off_t neu = vom_ende ? ::lseek(datei->fd, off_t(datei->ende + abstand), SEEK_SET)
                               : ::lseek(datei->fd, off_t(abstand), woher);
    if (neu == off_t(-1)) return 0;
    datei->pos = int64_t(neu);
    return 1;
}

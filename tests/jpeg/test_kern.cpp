// Processor detection, the override and the kernel table per processor code.
#include "base/base_test_util.h"
#include "base/settings.h"
#include "jpeg/jpeg.h"
#include "jpeg/jpeg_kern.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr uint32_t MMX = JCPU_BIT_MMX, SSE = JCPU_BIT_SSE, SSE2 = JCPU_BIT_SSE2;

TEST(Prozessor, CodeAusFamilieUndMerkmalen) {
    const uint32_t alles = MMX | SSE | SSE2;
    const struct {
        uint32_t familie, merkmale;
        int32_t code;
    } faelle[] = {
        {5, 0, JCPU_F5},
        {5, MMX, JCPU_F5_MMX},
        {5, alles, JCPU_F5_MMX},
        {6, 0, JCPU_F6},
        {6, SSE, JCPU_F6},  // SSE without MMX: generic
        {6, MMX, JCPU_F6_MMX},
        {6, MMX | SSE, JCPU_F6_SSE},
        {6, alles, JCPU_F6_SSE},
        {15, SSE2, JCPU_F15_SSE2},
        {15, MMX | SSE, JCPU_ALLGEMEIN},  // no SSE2
        {0, alles, JCPU_ALLGEMEIN},
        {3, alles, JCPU_ALLGEMEIN},
        {4, alles, JCPU_ALLGEMEIN},
        {7, alles, JCPU_ALLGEMEIN},
        {14, alles, JCPU_ALLGEMEIN},
        // Only bits 23, 25 and 26 count.
        {6, MMX | SSE | 0x00FFFFFF, JCPU_F6_SSE},
        {6, ~alles, JCPU_F6},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(Jpeg_Prozessor_Aus_CPUID(f.familie, f.merkmale), f.code)
            << f.familie << " " << std::hex << f.merkmale;
    // A code is taken only where the processor runs it: the SIMD forms need SSE2 (and MMX or SSE as named).
    for (int code = -1; code <= 7; ++code) {
        EXPECT_EQ(Jpeg_Prozessor_Moeglich(code, alles), code >= 0 && code <= 6) << code;
        EXPECT_EQ(Jpeg_Prozessor_Moeglich(code, MMX | SSE), code >= 0 && code <= 2) << code;
    }
    EXPECT_FALSE(Jpeg_Prozessor_Moeglich(JCPU_F6_SSE, MMX | SSE2));
    EXPECT_FALSE(Jpeg_Prozessor_Moeglich(JCPU_F5_MMX, SSE | SSE2));
}

Jpeg_Kern_Tabelle gefuellt(int code) {
    Jpeg_Kern_Tabelle t;
    std::memset(&t, 0, sizeof t);
    Jpeg_Kerne_Fuellen(&t, code);
    return t;
}

using Umgebung = Env_Setzen;

int32_t prozessor_nach_init() {
    Jpeg_Auftrag a;
    EXPECT_EQ(Jpeg_Init(&a), 0);
    const int32_t code = a.Intern.Strom.Prozessor;
    const Jpeg_Kern_Tabelle* t = a.Intern.Strom.Kern_Tabelle;
    // The record's table is the one of its processor code.
    const Jpeg_Kern_Tabelle erwartet = gefuellt(code);
    EXPECT_EQ(t->FDCT_Genau, erwartet.FDCT_Genau);
    EXPECT_EQ(t->IDCT_8x8_Genau, erwartet.IDCT_8x8_Genau);
    EXPECT_EQ(t->Huffman_Kodieren, erwartet.Huffman_Kodieren);
    EXPECT_EQ(t->Dek_444_RGB, erwartet.Dek_444_RGB);
    EXPECT_EQ(Jpeg_Free(&a), 0);
    return code;
}

// The code comes from KORDAVO_JPEG_USECPU, else from USECPU in the settings,
// else from the detection; a code the processor cannot run or a value
// outside 0..6 is ignored.
// The extensions read with the processor data agree with the compiler's own
// detection, bit by bit (a wrong bit would pick a kernel the processor
// cannot run, or never the fast one).
TEST(Prozessor, SimdMerkmaleWieDerCompiler) {
    const struct {
        uint32_t bit;
        bool hat;
        const char* name;
    } faelle[] = {
        {JSIMD_SSSE3, static_cast<bool>(__builtin_cpu_supports("ssse3")), "ssse3"},
        {JSIMD_AVX2, static_cast<bool>(__builtin_cpu_supports("avx2")), "avx2"},
        {JSIMD_BMI, static_cast<bool>(__builtin_cpu_supports("bmi")), "bmi"},
        {JSIMD_BMI2, static_cast<bool>(__builtin_cpu_supports("bmi2")), "bmi2"},
        {JSIMD_LZCNT, static_cast<bool>(__builtin_cpu_supports("abm") || __builtin_cpu_supports("lzcnt")), "lzcnt"},
        {JSIMD_AVX512_VNNI,
         static_cast<bool>(__builtin_cpu_supports("avx2") && __builtin_cpu_supports("avx512f") &&
                           __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl") &&
                           __builtin_cpu_supports("avx512vnni")),
         "avx512vnni"},
        {JSIMD_AVX512_VBMI,
         static_cast<bool>(__builtin_cpu_supports("avx2") && __builtin_cpu_supports("avx512f") &&
                           __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl") &&
                           __builtin_cpu_supports("avx512vbmi")),
         "avx512vbmi"},
    };
    const uint32_t m = Jpeg_Simd_Merkmale();
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ((m & f.bit) != 0, f.hat);
        EXPECT_EQ(Jpeg_Simd_Hat(f.bit), f.hat);
    }
    EXPECT_EQ(m & ~uint32_t{127}, 0u);
    EXPECT_EQ(Jpeg_CPUID_Daten()->Simd, m);
}

TEST(Vorgabe, UmgebungUndEinstellungWaehlenDenCode) {
    Temp_Ordner ordner;
    Umgebung einstellungen("KORDAVO_CONFIG_DIR", ordner.pfad().c_str());
    auto einstellung = [&](const char* text) {
        ordner.schreiben("settings.ini", text);
        Settings_Neu_Laden();
    };
    einstellung("");
    const Jpeg_CPUID* d = Jpeg_CPUID_Daten();
    const int32_t erkannt = Jpeg_Prozessor_Aus_CPUID(d->Familie, d->Merkmale);
    {
        Umgebung u("KORDAVO_JPEG_USECPU", nullptr);
        EXPECT_EQ(prozessor_nach_init(), erkannt);
        einstellung("# test\nUSECPU=0\n");
        EXPECT_EQ(prozessor_nach_init(), 0);
        einstellung("usecpu = 2\n");
        EXPECT_EQ(prozessor_nach_init(), 2);
        einstellung("USECPU=8\n");
        EXPECT_EQ(prozessor_nach_init(), erkannt);
    }
    einstellung("USECPU=2\n");
    {
        Umgebung u("KORDAVO_JPEG_USECPU", "1");  // the environment variable comes first
        EXPECT_EQ(prozessor_nach_init(), 1);
    }
    einstellung("");
    for (int code = 0; code <= 6; ++code) {
        Umgebung u("KORDAVO_JPEG_USECPU", std::to_string(code).c_str());
        EXPECT_EQ(prozessor_nach_init(), Jpeg_Prozessor_Moeglich(code, d->Merkmale) ? code : erkannt);
    }
    for (const char* wert : {"7", "-1", "abc", "5x", "", "99999999999"}) {
        Umgebung u("KORDAVO_JPEG_USECPU", wert);
        EXPECT_EQ(prozessor_nach_init(), erkannt) << wert;
    }
    Settings_Neu_Laden();
}

// Codec stores of every size come 32-byte aligned and cleared whole, also
// when they take the place of a freed store that was written all over (the
// large ones come from another source than the small ones).
TEST(Speicher, BloeckeAusgerichtetUndGeleert) {
    for (size_t groesse :
         {size_t{1}, size_t{31}, size_t{33}, (size_t{1} << 20) - 1, size_t{1} << 20, (size_t{3} << 20) + 5}) {
        SCOPED_TRACE(groesse);
        for (int runde = 0; runde < 2; ++runde) {
            auto* p = static_cast<uint8_t*>(Jpeg_Speicher_Holen(groesse));
            ASSERT_NE(p, nullptr);
            EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % 32, 0u);
            const size_t gerundet = (groesse + 31) & ~size_t{31};
            size_t nicht_null = 0;
            for (size_t i = 0; i < gerundet; ++i) nicht_null += p[i] != 0;
            EXPECT_EQ(nicht_null, 0u);
            std::memset(p, 0xA5, gerundet);
            Jpeg_Speicher_Freigeben(p);
        }
    }
    Jpeg_Speicher_Freigeben(nullptr);
}

}  // namespace

// Processor detection, the override and the kernel table per processor code.
#include "base/base_test_util.h"
#include "base/settings.h"
#include "jpeg/jpeg.h"
#include "jpeg/jpeg_kern.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr uint32_t MMX = JCPU_BIT_MMX, SSE = JCPU_BIT_SSE, SSE2 = JCPU_BIT_SSE2;

TEST(Prozessor, CodeAusFamilieUndMerkmalen)
{
    const uint32_t alles = MMX | SSE | SSE2;
    const struct {
        uint32_t familie, merkmale;
        int32_t code;
    } faelle[] = {
        {5, 0, JCPU_F5},           {5, MMX, JCPU_F5_MMX},          {5, alles, JCPU_F5_MMX},
        {6, 0, JCPU_F6},           {6, SSE, JCPU_F6},  // SSE without MMX: generic
        {6, MMX, JCPU_F6_MMX},     {6, MMX | SSE, JCPU_F6_SSE},    {6, alles, JCPU_F6_SSE},
        {15, SSE2, JCPU_F15_SSE2}, {15, MMX | SSE, JCPU_ALLGEMEIN},  // no SSE2
        {0, alles, JCPU_ALLGEMEIN}, {3, alles, JCPU_ALLGEMEIN},    {4, alles, JCPU_ALLGEMEIN},
        {7, alles, JCPU_ALLGEMEIN}, {14, alles, JCPU_ALLGEMEIN},
        // Only bits 23, 25 and 26 count.
        {6, MMX | SSE | 0x00FFFFFF, JCPU_F6_SSE}, {6, ~alles, JCPU_F6},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(Jpeg_Prozessor_Aus_CPUID(f.familie, f.merkmale), f.code) << f.familie << " " << std::hex << f.merkmale;
}

TEST(Prozessor, VorgabeNurWennDerProzessorSieKann)
{
    const uint32_t alles = MMX | SSE | SSE2;
    for (int code = 0; code <= 6; ++code) EXPECT_TRUE(Jpeg_Prozessor_Moeglich(code, alles)) << code;
    for (int code : {-1, 7, 255}) EXPECT_FALSE(Jpeg_Prozessor_Moeglich(code, alles)) << code;
    for (int code = 0; code <= 2; ++code) EXPECT_TRUE(Jpeg_Prozessor_Moeglich(code, 0)) << code;
    // The SIMD forms are written with SSE2.
    for (int code = 3; code <= 6; ++code) EXPECT_FALSE(Jpeg_Prozessor_Moeglich(code, MMX | SSE)) << code;
    EXPECT_FALSE(Jpeg_Prozessor_Moeglich(JCPU_F6_SSE, MMX | SSE2));
    EXPECT_FALSE(Jpeg_Prozessor_Moeglich(JCPU_F5_MMX, SSE | SSE2));
    EXPECT_TRUE(Jpeg_Prozessor_Moeglich(JCPU_F15_SSE2, SSE2));
}

TEST(Prozessor, CpuidDatensatz)
{
    const Jpeg_CPUID* d = Jpeg_CPUID_Daten();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d, Jpeg_CPUID_Daten());
    EXPECT_EQ(d->Hersteller[12], '\0');
    EXPECT_EQ(std::strlen(d->Hersteller), 12u);
    EXPECT_TRUE(d->Familie <= 15 && d->Modell <= 15 && d->Stepping <= 15 && d->Typ <= 3 && d->Marke <= 255);
#if defined(__x86_64__)
    EXPECT_TRUE(d->Merkmale & SSE2);  // every x86-64 processor
    const int32_t code = Jpeg_Prozessor_Aus_CPUID(d->Familie, d->Merkmale);
    EXPECT_TRUE(code == JCPU_F6_SSE || code == JCPU_F15_SSE2 || code == JCPU_ALLGEMEIN) << code;
#endif
}

// The slots of this part's kernels for each code.
TEST(KernTabelle, TransformSlotsJeCode)
{
    const Jpeg_Block_Fn fdcts[] = {Jpeg_FDCT_Genau, Jpeg_FDCT_Genau_MMX, Jpeg_FDCT_Genau_SSE, Jpeg_FDCT_Genau_SSE2};
    const Jpeg_Block_Fn idcts[] = {Jpeg_IDCT_Genau, Jpeg_IDCT_Genau_MMX, Jpeg_IDCT_Genau_SSE, Jpeg_IDCT_Genau_SSE2};
    const Jpeg_Quant_Fn quants[] = {Jpeg_Quant_Genau, Jpeg_Quant_Genau_MMX, Jpeg_Quant_Genau_SSE,
                                    Jpeg_Quant_Genau_SSE2};
    const Jpeg_Quant_Fn dequants[] = {Jpeg_Dequant_Genau, Jpeg_Dequant_Genau_MMX, Jpeg_Dequant_Genau_MMX,
                                      Jpeg_Dequant_Genau_SSE2};
    for (int code = 0; code <= 6; ++code) {
        SCOPED_TRACE(code);
        Jpeg_Kern_Tabelle t;
        std::memset(&t, 0xAB, sizeof t);
        Jpeg_Kerne_Fuellen(&t, code);
        const bool simd = code >= 3;
        EXPECT_EQ(t.FDCT_Schnell, simd ? Jpeg_FDCT_Schnell_MMX : Jpeg_FDCT_Schnell);
        EXPECT_EQ(t.IDCT_8x8_Schnell, simd ? Jpeg_IDCT_Schnell_MMX : Jpeg_IDCT_Schnell);
        EXPECT_EQ(t.Quantisieren_Schnell, simd ? Jpeg_Quant_Schnell_MMX : Jpeg_Quant_Schnell);
        // The accurate forms: generic, MMX (codes 3, 4), SSE (5), SSE2 (6).
        const int form = code < 3 ? 0 : code < 5 ? 1 : code - 3;
        EXPECT_EQ(t.FDCT_Genau, fdcts[form]);
        EXPECT_EQ(t.IDCT_8x8_Genau, idcts[form]);
        EXPECT_EQ(t.Quantisieren_Genau, quants[form]);
        EXPECT_EQ(t.Dequantisieren_Genau, dequants[form]);
        // Reduced sizes and the fast dequantiser: one form for every code.
        const Jpeg_Block_Fn verkleinert[] = {t.IDCT_4x4_Schnell, t.IDCT_2x2_Schnell, t.IDCT_1x1_Schnell,
                                             t.IDCT_4x4_Genau,   t.IDCT_2x2_Genau,   t.IDCT_1x1_Genau};
        const Jpeg_Block_Fn erwartet[] = {Jpeg_IDCT_Schnell_4x4, Jpeg_IDCT_Schnell_2x2, Jpeg_IDCT_Schnell_1x1,
                                          Jpeg_IDCT_Genau_4x4,   Jpeg_IDCT_Genau_2x2,   Jpeg_IDCT_Genau_1x1};
        for (int i = 0; i < 6; ++i) EXPECT_EQ(verkleinert[i], erwartet[i]) << i;
        EXPECT_EQ(t.Dequantisieren_Schnell, Jpeg_Dequant_Schnell);
        // The active slots start empty, the active quantisers as the fast ones.
        for (const void* leer : {(const void*)t.FDCT_Aktiv, (const void*)t.IDCT_8x8_Aktiv, (const void*)t.IDCT_4x4_Aktiv,
                                 (const void*)t.IDCT_2x2_Aktiv, (const void*)t.IDCT_1x1_Aktiv, (const void*)t.Kod_Zeile,
                                 (const void*)t.Dek_Zeile})
            EXPECT_EQ(leer, nullptr);
        EXPECT_EQ(t.Quantisieren_Aktiv, t.Quantisieren_Schnell);
        EXPECT_EQ(t.Dequantisieren_Aktiv, t.Dequantisieren_Schnell);
        ASSERT_NE(t.Simd_Ende, nullptr);
        t.Simd_Ende();
    }
}

Jpeg_Kern_Tabelle gefuellt(int code)
{
    Jpeg_Kern_Tabelle t;
    std::memset(&t, 0, sizeof t);
    Jpeg_Kerne_Fuellen(&t, code);
    return t;
}

TEST(KernTabelle, GruppenGleicherTabellen)
{
    // Codes 0, 1 and 2 receive the same set.
    const Jpeg_Kern_Tabelle t0 = gefuellt(0), t1 = gefuellt(1), t2 = gefuellt(2);
    EXPECT_EQ(0, std::memcmp(&t0, &t1, sizeof t0));
    EXPECT_EQ(0, std::memcmp(&t0, &t2, sizeof t0));
    // Code 4 differs from code 3 at most in the block decoder.
    Jpeg_Kern_Tabelle t3 = gefuellt(3), t4 = gefuellt(4);
    t4.Huffman_Dekodieren = t3.Huffman_Dekodieren;
    EXPECT_EQ(0, std::memcmp(&t3, &t4, sizeof t3));
    // The generic and the SIMD sets differ.
    EXPECT_NE(0, std::memcmp(&t0, &t3, sizeof t0));
    // Out-of-range codes give the generic set.
    const Jpeg_Kern_Tabelle tx = gefuellt(9);
    EXPECT_EQ(0, std::memcmp(&t0, &tx, sizeof t0));
    // The choice by detection fills the set of the detected code.
    Jpeg_Kern_Tabelle tw;
    std::memset(&tw, 0, sizeof tw);
    EXPECT_EQ(Jpeg_Kerne_Waehlen(&tw), 1);
    const Jpeg_Kern_Tabelle te = gefuellt(Jpeg_Prozessor_Erkennen(&tw));
    EXPECT_EQ(0, std::memcmp(&tw, &te, sizeof tw));
}

using Umgebung = Env_Setzen;

int32_t prozessor_nach_init()
{
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
TEST(Vorgabe, UmgebungUndEinstellungWaehlenDenCode)
{
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

// Each record owns its table: releasing one leaves the others working.
TEST(KernTabelle, JeAuftragEigeneTabelle)
{
    Jpeg_Auftrag a, b;
    ASSERT_EQ(Jpeg_Init(&a), 0);
    ASSERT_EQ(Jpeg_Init(&b), 0);
    EXPECT_NE(a.Intern.Strom.Kern_Tabelle, b.Intern.Strom.Kern_Tabelle);
    a.Intern.Strom.Kern_Tabelle->FDCT_Aktiv = Jpeg_FDCT_Genau;
    EXPECT_EQ(b.Intern.Strom.Kern_Tabelle->FDCT_Aktiv, nullptr);
    EXPECT_EQ(Jpeg_Free(&a), 0);
    const Jpeg_Kern_Tabelle* t = b.Intern.Strom.Kern_Tabelle;
    ASSERT_NE(t, nullptr);
    alignas(16) int16_t block[64] = {};
    t->FDCT_Genau(block);
    EXPECT_EQ(Jpeg_Free(&b), 0);
}

TEST(Plattform, SpeicherUndKopien)
{
    unsigned char ziel[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const unsigned char quelle[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    Jpeg_Kopieren(ziel, quelle, 0);
    Jpeg_Kopieren(ziel + 2, quelle, 3);
    EXPECT_EQ(Jpeg_Nullen(ziel, 4), 0);
    EXPECT_EQ(std::vector<unsigned char>(ziel, ziel + 8), (std::vector<unsigned char>{0, 0, 0, 0, 9, 6, 7, 8}));
    EXPECT_EQ(Jpeg_Byte_Wert(0xFF), 255);
    // Blocks are aligned to 32 bytes and zeroed; an overflowing size is refused.
    auto* p = static_cast<unsigned char*>(Jpeg_Speicher_Holen(100));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % 32, 0u);
    EXPECT_EQ(std::vector<unsigned char>(p, p + 100), std::vector<unsigned char>(100, 0));
    Jpeg_Speicher_Freigeben(p);
    Jpeg_Speicher_Freigeben(nullptr);
    EXPECT_EQ(Jpeg_Speicher_Holen(SIZE_MAX - 3), nullptr);
}

TEST(Plattform, Dateien)
{
    namespace fs = std::filesystem;
    Temp_Ordner ordner;
    const std::string name = ordner / "x.jpg";
    for (const char* falsch : {(const char*)nullptr, "", "/nonexistent/x.jpg", ordner.pfad().c_str()})
        EXPECT_EQ(Jpeg_Datei_Oeffnen(falsch, JPEG_DATEI_LESEN), nullptr);

    Jpeg_Datei* d = Jpeg_Datei_Oeffnen(name.c_str(), JPEG_DATEI_LESEN | JPEG_DATEI_SCHREIBEN);
    ASSERT_NE(d, nullptr);
    uint32_t n = 0;
    EXPECT_EQ(Jpeg_Datei_Schreiben(d, "ABCDEFGH", 8, &n), 1);
    EXPECT_EQ(n, 8u);
    EXPECT_EQ(Jpeg_Datei_Suchen(d, -3, 1), 1);
    char puffer[16] = {};
    EXPECT_EQ(Jpeg_Datei_Lesen(d, puffer, 16, &n), 1);
    EXPECT_EQ(n, 3u);
    EXPECT_STREQ(puffer, "FGH");
    EXPECT_EQ(Jpeg_Datei_Suchen(d, 2, 0), 1);
    EXPECT_EQ(Jpeg_Datei_Lesen(d, puffer, 2, &n), 1);
    EXPECT_EQ(std::string(puffer, 2), "CD");
    EXPECT_EQ(Jpeg_Datei_Suchen(d, -1, 2), 1);
    EXPECT_EQ(Jpeg_Datei_Lesen(d, puffer, 4, &n), 1);
    EXPECT_EQ(n, 1u);
    EXPECT_EQ(Jpeg_Datei_Suchen(d, -100, 0), 0);
    EXPECT_EQ(Jpeg_Datei_Suchen(d, 0, 7), 0);
    EXPECT_NE(Jpeg_Datei_Schliessen(d), 0);

    // Writing replaces an existing file.
    d = Jpeg_Datei_Oeffnen(name.c_str(), JPEG_DATEI_LESEN | JPEG_DATEI_SCHREIBEN);
    ASSERT_NE(d, nullptr);
    EXPECT_NE(Jpeg_Datei_Schliessen(d), 0);
    EXPECT_EQ(fs::file_size(name), 0u);
    d = Jpeg_Datei_Oeffnen(name.c_str(), JPEG_DATEI_LESEN);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(Jpeg_Datei_Schreiben(d, "X", 1, &n), 0);  // opened for reading only
    EXPECT_NE(Jpeg_Datei_Schliessen(d), 0);
}

}  // namespace

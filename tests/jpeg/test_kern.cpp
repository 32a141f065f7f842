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
}

TEST(Prozessor, VorgabeNurWennDerProzessorSieKann) {
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

// Each record owns its table: releasing one leaves the others working.
TEST(KernTabelle, JeAuftragEigeneTabelle) {
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

TEST(Plattform, Dateien) {
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

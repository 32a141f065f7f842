// Huffman coding and bit output of the encoder: code tables, byte stuffing,
// padding, the room rule of marker writes, optimal code lengths, and the
// agreement of the generic and the fast output routines.
#include "base/base_test_util.h"
#include "dec_hilfe.h"
#include "jpeg/enc_intern.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using dek_test::Bitfolge;

struct Strom_Fixture {
    Jpeg_Kern_Tabelle kt{};
    Jpeg_Strom s{};
    std::vector<uint8_t> puffer;
    Strom_Fixture(int32_t code, size_t groesse) : puffer(groesse) {
        Jpeg_Kerne_Fuellen(&kt, code);
        s.Kern_Tabelle = &kt;
        s.Prozessor = code;
        kt.Bits_Start(&s, puffer.data(), static_cast<int64_t>(groesse));
    }
    std::vector<uint8_t> Bytes() const {
        const uint8_t* a = puffer.data();
        const uint8_t* e = s.Eingabe_Zeiger;
        return std::vector<uint8_t>(a, e);
    }
};

struct Standard_Tabellen {
    Jpeg_Huffman_Tabelle dc{}, ac{}, dc_c{}, ac_c{};
    Standard_Tabellen() {
        EXPECT_EQ(Jpeg_Build_Huffman_Kod(Jpeg_Std_DC_Luma_Anzahlen, Jpeg_Std_DC_Luma_Werte, &dc.Kod), 0);
        EXPECT_EQ(Jpeg_Build_Huffman_Kod(Jpeg_Std_AC_Luma_Anzahlen, Jpeg_Std_AC_Luma_Werte, &ac.Kod), 0);
        EXPECT_EQ(Jpeg_Build_Huffman_Kod(Jpeg_Std_DC_Chroma_Anzahlen, Jpeg_Std_DC_Chroma_Werte, &dc_c.Kod), 0);
        EXPECT_EQ(Jpeg_Build_Huffman_Kod(Jpeg_Std_AC_Chroma_Anzahlen, Jpeg_Std_AC_Chroma_Werte, &ac_c.Kod), 0);
    }
};


}  // namespace

TEST(JpegEncBits, OverfullOrOversizedCodeTablesAreRefused) {
    Jpeg_Huffman_Kodtabelle t;
    uint8_t symbole[300] = {};
    for (int i = 0; i < 256; ++i) symbole[i] = static_cast<uint8_t>(i);
    uint8_t drei_einer[16] = {3};  // three codes of length 1 do not exist
    EXPECT_EQ(Jpeg_Build_Huffman_Kod(drei_einer, symbole, &t), JPEG_ERG_HUFFMAN);
    EXPECT_EQ(t.Laenge[0], 0u);
    uint8_t zu_viele[16] = {};
    zu_viele[15] = 255;
    zu_viele[14] = 3;  // 258 codes
    EXPECT_EQ(Jpeg_Build_Huffman_Kod(zu_viele, symbole, &t), JPEG_ERG_HUFFMAN);
    // A table lacking codes the data may need is not complete.
    uint8_t zwei[16] = {0, 2};
    ASSERT_EQ(Jpeg_Build_Huffman_Kod(zwei, symbole, &t), 0);
    EXPECT_FALSE(Jpeg_Huffman_Vollstaendig(&t, 0));
    EXPECT_FALSE(Jpeg_Huffman_Vollstaendig(&t, 1));
}

TEST(JpegEncBits, SixteenOneBitsAreStuffedAtOnceAndWhenFlushed) {
    Strom_Fixture f(0, 64);
    ASSERT_EQ(Jpeg_Put_Bits(&f.s, 0xFFFF, 16), 0);
    // The first 0xFF goes out at once; the second stays pending.
    EXPECT_EQ(f.Bytes(), (std::vector<uint8_t>{0xFF, 0x00}));
    ASSERT_EQ(f.kt.Bits_Leeren(nullptr, 0, &f.s), 0);
    EXPECT_EQ(f.Bytes(), (std::vector<uint8_t>{0xFF, 0x00, 0xFF, 0x00}));
}

// Single blocks through every processor code's coder, ended by EOI: the
// bits of their codes, padded with 0-bits before the marker.
TEST(JpegEncBits, SingleBlocksGiveTheirExactBits) {
    Standard_Tabellen t;
    auto ac = [&](Bitfolge& b, int sym) { b.Add(t.ac.Kod.Code[sym], static_cast<int>(t.ac.Kod.Laenge[sym])); };
    auto dc = [&](Bitfolge& b, int kat) { b.Add(t.dc.Kod.Code[kat], static_cast<int>(t.dc.Kod.Laenge[kat])); };
    struct Fall {
        const char* name;
        std::vector<std::pair<int, int16_t>> bloecke;  // (position, value): one non-zero value per block
        std::function<void(Bitfolge&)> bits;
    } faelle[] = {
        // DC 0 and EOB: 00 1010 stays pending as 0x28 until the marker.
        {"all zero", {{0, 0}}, [&](Bitfolge& b) { dc(b, 0), ac(b, 0x00); }},
        // The last coefficient alone: three ZRL, run 14 of category 1, no EOB.
        {"last coefficient",
         {{63, 1}},
         [&](Bitfolge& b) {
             dc(b, 0);
             for (int i = 0; i < 3; ++i) ac(b, 0xF0);
             ac(b, 0xE1);
             b.Add(1, 1);
         }},
        // DC -1 (category 1, bit 0), then -4 (difference -3: category 2, bits 00).
        {"negative DC",
         {{0, -1}, {0, -4}},
         [&](Bitfolge& b) {
             dc(b, 1), b.Add(0, 1), ac(b, 0x00);
             dc(b, 2), b.Add(0, 2), ac(b, 0x00);
         }},
    };
    for (const Fall& fall : faelle) {
        Bitfolge b;
        fall.bits(b);
        std::vector<uint8_t> erwartet = b.Fertig();
        erwartet.insert(erwartet.end(), {0xFF, 0xD9});
        for (int32_t code = 0; code <= 6; ++code) {
            Strom_Fixture f(code, 64);
            int32_t pred = 0;
            for (auto [k, v] : fall.bloecke) {
                int16_t block[64] = {};
                block[k] = v;
                ASSERT_EQ(f.kt.Huffman_Kodieren(&f.s, &t.dc, &t.ac, &pred, block), 0);
            }
            EXPECT_EQ(pred, fall.bloecke.back().first == 0 ? fall.bloecke.back().second : 0);
            ASSERT_EQ(Jpeg_Write_EOI(&f.s), 0);
            EXPECT_EQ(f.Bytes(), erwartet) << fall.name << " code " << code;
        }
    }
}

TEST(JpegEncBits, GenericAndFastClassesWriteTheSameBytesToBufferAndFile) {
    Standard_Tabellen t;
    std::mt19937 rnd(7);
    std::vector<std::vector<int16_t>> bloecke;
    for (int n = 0; n < 3000; ++n) {
        std::vector<int16_t> b(64, 0);
        int dichte = static_cast<int>(rnd() % 64);
        int groesse = 1 << (rnd() % 11);
        b[0] = static_cast<int16_t>(static_cast<int>(rnd() % 4095) - 2047);
        for (int k = 1; k < 64; ++k)
            if (static_cast<int>(rnd() % 64) < dichte) {
                b[k] = static_cast<int16_t>(static_cast<int>(rnd() % (2 * groesse + 1)) - groesse);
            }
        bloecke.push_back(b);
    }
    using Kodierer =
        int32_t (*)(Jpeg_Strom*, const Jpeg_Huffman_Tabelle*, const Jpeg_Huffman_Tabelle*, int32_t*, const int16_t*);
    // All blocks with a restart marker after every 500, then EOI.
    auto bloecke_schreiben = [&](Strom_Fixture& f, Kodierer form) {
        int32_t pred[2] = {0, 0};
        for (size_t i = 0; i < bloecke.size(); ++i) {
            bool chroma = i % 3 == 2;
            ASSERT_EQ(form(&f.s, chroma ? &t.dc_c : &t.dc, chroma ? &t.ac_c : &t.ac, &pred[chroma], bloecke[i].data()),
                      0);
            if (i % 500 == 499) {
                ASSERT_EQ(Jpeg_Write_RST(static_cast<int32_t>(i / 500) % 8, &f.s), 0);
            }
        }
        ASSERT_EQ(Jpeg_Write_EOI(&f.s), 0);
    };
    auto kodieren = [&](int32_t code, const char* datei) {
        Strom_Fixture f(code, 1 << 22);
        if (datei) {
            f.s.Datei = Jpeg_Datei_Oeffnen(datei, JPEG_DATEI_SCHREIBEN);
            EXPECT_NE(f.s.Datei, nullptr);
            f.kt.Bits_Start(&f.s, nullptr, 0);
        }
        bloecke_schreiben(f, f.kt.Huffman_Kodieren);
        EXPECT_EQ(Jpeg_Ausgabe_Leeren(&f.s), 0);
        std::vector<uint8_t> bytes;
        int64_t anzahl = f.s.Ausgabe_Anzahl;
        if (datei) {
            Jpeg_Datei_Schliessen(f.s.Datei);
            FILE* fp = std::fopen(datei, "rb");
            int c;
            while ((c = std::fgetc(fp)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
            std::fclose(fp);
        } else {
            bytes = f.Bytes();
        }
        EXPECT_EQ(anzahl, static_cast<int64_t>(bytes.size()));
        return bytes;
    };
    std::vector<uint8_t> referenz = kodieren(0, nullptr);
    ASSERT_GT(referenz.size(), 10000u);
    for (int32_t code : {1, 2, 3, 4, 5, 6}) EXPECT_EQ(kodieren(code, nullptr), referenz) << code;
    // Every form of the fast coder as well, whichever the table holds here:
    // without the SSSE3 search, with it, and built for AVX2 and BMI2.
    std::vector<Kodierer> formen = {Jpeg_Encode_Block_Schnell};
#if defined(__x86_64__) || defined(__i386__)
    if (__builtin_cpu_supports("ssse3")) formen.push_back(Jpeg_Encode_Block_Schnell_SSSE3);
#endif
    if (Jpeg_Hat_BMI2_Kodierer()) formen.push_back(Jpeg_Encode_Block_Schnell_BMI2);
    for (Kodierer form : formen) {
        Strom_Fixture f(5, 1 << 22);
        bloecke_schreiben(f, form);
        EXPECT_EQ(f.Bytes(), referenz);
    }
    Temp_Ordner ordner;  // unique, so parallel runs never share the file
    const std::string pfad = ordner / "strom.bin";
    for (int32_t code : {0, 5}) EXPECT_EQ(kodieren(code, pfad.c_str()), referenz) << code;
}

TEST(JpegEncBits, OptimalCodeLengthsOfTheProgressiveEncoder) {
    int32_t freq[257] = {};
    uint8_t anzahlen[16], symbole[256];
    // One used symbol: a 2-bit code.
    freq[5] = 100;
    Jpeg_Optimale_Huffman(freq, anzahlen, symbole);
    uint8_t eins[16] = {0, 1};
    EXPECT_EQ(std::memcmp(anzahlen, eins, 16), 0);
    EXPECT_EQ(symbole[0], 5);
    // Two equal symbols: 2 and 3 bits.
    std::memset(freq, 0, sizeof freq);
    freq[0] = freq[1] = 1;
    Jpeg_Optimale_Huffman(freq, anzahlen, symbole);
    uint8_t zwei[16] = {0, 1, 1};
    EXPECT_EQ(std::memcmp(anzahlen, zwei, 16), 0);
    // 64 equal symbols: 63 codes of 7 bits and symbol 63 with 8 bits.
    std::memset(freq, 0, sizeof freq);
    for (int i = 0; i < 64; ++i) freq[i] = 10;
    Jpeg_Optimale_Huffman(freq, anzahlen, symbole);
    EXPECT_EQ(anzahlen[6], 63);
    EXPECT_EQ(anzahlen[7], 1);
    EXPECT_EQ(symbole[63], 63);
    // Very skewed counts stay within 16 bits and form a usable code.
    std::memset(freq, 0, sizeof freq);
    for (int i = 0; i < 256; ++i) freq[i] = 1 << (i % 24);
    Jpeg_Optimale_Huffman(freq, anzahlen, symbole);
    int gesamt = 0;
    for (int l = 0; l < 16; ++l) gesamt += anzahlen[l];
    EXPECT_EQ(gesamt, 256);
    Jpeg_Huffman_Kodtabelle t;
    EXPECT_EQ(Jpeg_Build_Huffman_Kod(anzahlen, symbole, &t), 0);
    // The table the progressive scans send keeps the lengths as computed:
    // 64 equal symbols 63 codes of 6 bits and one of 7, skewed counts a
    // usable code of at most 16 bits.
    Jpeg_Knappe_Huffman(freq, anzahlen, symbole);
    gesamt = 0;
    for (int l = 0; l < 16; ++l) gesamt += anzahlen[l];
    EXPECT_EQ(gesamt, 256);
    EXPECT_EQ(Jpeg_Build_Huffman_Kod(anzahlen, symbole, &t), 0);
    std::memset(freq, 0, sizeof freq);
    for (int i = 0; i < 64; ++i) freq[i] = 10;
    Jpeg_Knappe_Huffman(freq, anzahlen, symbole);
    EXPECT_EQ(anzahlen[5], 63);
    EXPECT_EQ(anzahlen[6], 1);
}

namespace {

// Blocks of every kind the coders meet: all zero, sparse and dense, long
// zero runs (ZRL), the last coefficient set (no EOB), equal DC values
// (difference 0), the extreme values up to -32768 (category 16), and runs
// of one-bits that make 0xFF bytes.
std::vector<std::vector<int16_t>> Pruefbloecke(int anzahl, uint32_t saat) {
    std::mt19937 rnd(saat);
    std::vector<std::vector<int16_t>> bloecke;
    for (int n = 0; n < anzahl; ++n) {
        std::vector<int16_t> b(64, 0);
        switch (n % 8) {
        case 0:  // all zero
            break;
        case 1:  // the DC value as before, the last coefficient alone
            b[0] = bloecke.empty() ? 0 : bloecke.back()[0];
            b[63] = -1;
            break;
        case 2:  // the extremes
            b[0] = -32768;
            b[Jpeg_Zickzack[40]] = -32768;
            b[Jpeg_Zickzack[41]] = 32767;
            break;
        case 3:  // 0xFF bytes: long codes of one-bits
            for (int k = 1; k < 64; ++k) b[Jpeg_Zickzack[k]] = static_cast<int16_t>(k % 2 ? 1023 : -1024);
            break;
        default: {
            const int dichte = static_cast<int>(rnd() % 64);
            const int groesse = 1 << (rnd() % 12);
            b[0] = static_cast<int16_t>(static_cast<int>(rnd() % 4095) - 2047);
            for (int k = 1; k < 64; ++k)
                if (static_cast<int>(rnd() % 64) < dichte)
                    b[k] = static_cast<int16_t>(static_cast<int>(rnd() % (2 * groesse + 1)) - groesse);
        }
        }
        bloecke.push_back(b);
    }
    return bloecke;
}

using MCU_Kodierer = int32_t (*)(Jpeg_Strom*, const int16_t*, int32_t, const uint8_t*, const Jpeg_Huffman_Tabelle* const*,
                                 const Jpeg_Huffman_Tabelle* const*, int32_t*);

// The whole-MCU coders against the generic coder, one block per call: the
// same bytes for every MCU layout, into a buffer and into a file; and with a
// buffer too small, the same error at the same point as the fast coder one
// block at a time, the bytes up to the buffer's end those of the stream.
TEST(JpegEncBits, WholeMCUCodersWriteTheBlockCodersBytes) {
    Standard_Tabellen t;
    const Jpeg_Huffman_Tabelle* dc[3] = {&t.dc, &t.dc_c, &t.dc_c};
    const Jpeg_Huffman_Tabelle* ac[3] = {&t.ac, &t.ac_c, &t.ac_c};
    struct Form {
        const char* name;
        bool da;
        MCU_Kodierer kodierer;
    } formen[] = {
        {"BMI2", Jpeg_Hat_BMI2_Kodierer(), Jpeg_Encode_Bloecke_Schnell_BMI2},
        {"VBMI", Jpeg_Hat_VBMI_Kodierer(), Jpeg_Encode_Bloecke_Schnell_VBMI},
    };
    struct Aufbau {
        const char* name;
        std::vector<uint8_t> komponente;
    } aufbauten[] = {
        {"grey", {0}},
        {"4:4:4", {0, 1, 2}},
        {"4:2:2", {0, 0, 1, 2}},
        {"4:2:0", {0, 0, 0, 0, 1, 2}},
        {"4:2:0 twice", {0, 0, 0, 0, 1, 2, 0, 0, 0, 0, 1, 2}},
    };
    for (const Aufbau& aufbau : aufbauten) {
        const int32_t n = static_cast<int32_t>(aufbau.komponente.size());
        const int32_t mcus = 600 / n;
        const std::vector<std::vector<int16_t>> bloecke = Pruefbloecke(mcus * n, 11 + static_cast<uint32_t>(n));
        std::vector<int16_t> flach;
        for (const auto& b : bloecke) flach.insert(flach.end(), b.begin(), b.end());
        // Reference: the generic coder, one block per call, then EOI.
        Strom_Fixture ref(0, 1 << 20);
        int32_t pred_ref[3] = {};
        for (size_t i = 0; i < bloecke.size(); ++i) {
            const int k = aufbau.komponente[i % static_cast<size_t>(n)];
            ASSERT_EQ(Jpeg_Encode_Block(&ref.s, dc[k], ac[k], &pred_ref[k], bloecke[i].data()), 0);
        }
        ASSERT_EQ(Jpeg_Write_EOI(&ref.s), 0);
        const std::vector<uint8_t> soll = ref.Bytes();
        for (const Form& form : formen) {
            if (!form.da) continue;
            SCOPED_TRACE(std::string(form.name) + " " + aufbau.name);
            // Into a buffer and through the staging buffer into a file.
            Temp_Ordner ordner;
            const std::string pfad = ordner / "mcu.bin";
            for (const bool datei : {false, true}) {
                Strom_Fixture f(5, 1 << 20);
                if (datei) {
                    f.s.Datei = Jpeg_Datei_Oeffnen(pfad.c_str(), JPEG_DATEI_SCHREIBEN);
                    ASSERT_NE(f.s.Datei, nullptr);
                    f.kt.Bits_Start(&f.s, nullptr, 0);
                }
                int32_t pred[3] = {};
                for (int32_t m = 0; m < mcus; ++m)
                    ASSERT_EQ(form.kodierer(&f.s, flach.data() + 64 * n * m, n, aufbau.komponente.data(), dc, ac, pred), 0);
                EXPECT_EQ(std::memcmp(pred, pred_ref, sizeof pred), 0);
                ASSERT_EQ(Jpeg_Write_EOI(&f.s), 0);
                ASSERT_EQ(Jpeg_Ausgabe_Leeren(&f.s), 0);
                EXPECT_EQ(f.s.Ausgabe_Anzahl, static_cast<int64_t>(soll.size()));
                std::vector<uint8_t> ist;
                if (!datei) ist = f.Bytes();
                if (datei) {
                    Jpeg_Datei_Schliessen(f.s.Datei);
                    FILE* fp = std::fopen(pfad.c_str(), "rb");
                    ASSERT_NE(fp, nullptr);
                    for (int c; (c = std::fgetc(fp)) != EOF;) ist.push_back(static_cast<uint8_t>(c));
                    std::fclose(fp);
                }
                EXPECT_EQ(ist, soll) << (datei ? "file" : "buffer");
            }
            // Buffers that end before the stream does.
            for (const size_t groesse : {size_t{1}, size_t{15}, size_t{16}, size_t{17}, size_t{100}, soll.size() / 2,
                                         soll.size() - 16}) {
                SCOPED_TRACE(groesse);
                auto fehler_nach = [&](bool ganze_mcu, std::vector<uint8_t>* bytes) {
                    Strom_Fixture f(5, groesse);
                    int32_t pred[3] = {};
                    int32_t e = 0;
                    for (int32_t m = 0; m < mcus && !e; ++m) {
                        const int16_t* b = flach.data() + 64 * n * m;
                        if (ganze_mcu) {
                            e = form.kodierer(&f.s, b, n, aufbau.komponente.data(), dc, ac, pred);
                        } else {
                            for (int32_t i = 0; i < n && !e; ++i) {
                                const int k = aufbau.komponente[static_cast<size_t>(i)];
                                e = Jpeg_Encode_Block_Schnell_BMI2(&f.s, dc[k], ac[k], &pred[k], b + 64 * i);
                            }
                        }
                        if (e) {
                            *bytes = f.puffer;
                            return m;
                        }
                    }
                    return -1;
                };
                std::vector<uint8_t> ganz, einzeln;
                const int32_t m_ganz = fehler_nach(true, &ganz);
                ASSERT_GE(m_ganz, 0);
                EXPECT_EQ(m_ganz, fehler_nach(false, &einzeln));
                EXPECT_EQ(ganz, einzeln);
                EXPECT_TRUE(std::equal(ganz.begin(), ganz.end(), soll.begin()));
            }
        }
    }
}

}  // namespace

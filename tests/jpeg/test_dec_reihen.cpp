// The progressive block runs against the block-by-block passes: the same
// coefficients, predictors, end-of-band runs, and the same accumulator,
// input position, marker and fill-byte state after every run, over random
// entropy data (clean, with stuffed bytes, ending in a marker, cut short),
// both refill forms and both the BMI2 and the generic form.
#include "jpeg/dec_bits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

using namespace jpeg_dek;

namespace {

uint32_t Zufall(uint32_t& z) {
    z = z * 1664525u + 1013904223u;
    return z >> 8;
}

// Tables with codes of 2 to 16 bits (the counts of the usual luminance
// tables, the all-ones code left free): for AC the end-of-band runs (r
// 0..14), the run of 16 and (run, size) symbols, the short codes mixing
// ends, ones and larger sizes, so that short codes take the one-look-up roads
// and long codes the code limits.
void Tabelle(Huff* t, bool ac) {
    const uint8_t ac_zahl[16] = {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 125};
    const uint8_t dc_zahl[16] = {0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0};
    std::vector<uint8_t> sym;
    if (ac) {
        for (int s = 0; s <= 10; ++s)
            for (int r = 0; r < 16; ++r) sym.push_back(static_cast<uint8_t>(r << 4 | s));
        std::stable_sort(sym.begin(), sym.end(),
                         [](uint8_t x, uint8_t y) { return (x >> 4) + (x & 15) < (y >> 4) + (y & 15); });
    } else {
        for (int s = 0; s <= 11; ++s) sym.push_back(static_cast<uint8_t>(s));
    }
    const uint8_t* zahl = ac ? ac_zahl : dc_zahl;
    int n = 0;
    for (int l = 0; l < 16; ++l) n += zahl[l];
    ASSERT_LE(n, static_cast<int>(sym.size()));
    ASSERT_TRUE(Huff_Bauen(t, zahl, sym.data(), n, ac));
}

// Entropy data of random bytes: stuffed 0xFF 0x00 pairs now and then, and an
// ending: a restart marker, an end marker, or none (cut short).
std::vector<uint8_t> Daten(uint32_t& z, size_t n, int ende, int ff_anteil) {
    std::vector<uint8_t> d;
    while (d.size() < n) {
        const uint8_t c = static_cast<uint8_t>(Zufall(z));
        if (ff_anteil && Zufall(z) % 100 < static_cast<uint32_t>(ff_anteil)) {
            d.push_back(0xFF);
            d.push_back(0x00);
        } else if (c != 0xFF) {
            d.push_back(c);
        }
    }
    if (ende == 1) d.insert(d.end(), {0xFF, 0xD3});
    if (ende == 2) d.insert(d.end(), {0xFF, 0xD9});
    return d;
}

struct Stand {
    Eingabe ein;
    Bits bits;
    std::vector<int16_t> koef;
    int32_t pred[3] = {0, 0, 0};
    int32_t eob = 0;
};

void Vergleichen(const Stand& a, const Stand& b, const std::vector<uint8_t>& d, const char* wo) {
    SCOPED_TRACE(wo);
    ASSERT_EQ(a.koef, b.koef);
    EXPECT_EQ(a.eob, b.eob);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(a.pred[i], b.pred[i]);
    EXPECT_EQ(a.bits.anzahl, b.bits.anzahl);
    const int n = std::max(0, std::min(a.bits.anzahl, 64));
    const uint64_t maske = n == 64 ? ~uint64_t{0} : (uint64_t{1} << n) - 1;
    EXPECT_EQ(a.bits.puffer & maske, b.bits.puffer & maske);
    EXPECT_EQ(a.ein.p - d.data(), b.ein.p - d.data());
    EXPECT_EQ(a.bits.marke, b.bits.marke);
    EXPECT_EQ(a.bits.null_bytes, b.bits.null_bytes);
    EXPECT_EQ(a.bits.fehlerhaft, b.bits.fehlerhaft);
}

struct Fall {
    const char* name;
    Reihen_Art art;
    int nb;  // blocks per MCU (several components: DC passes)
    int ss, se, al;
    int ende;       // 0 cut short, 1 restart marker, 2 end marker
    int ff_anteil;  // percent of stuffed bytes
    int dichte;     // percent of non-zero coefficients before a refinement
};

const Fall FAELLE[] = {
    {"DC erst, eine Komponente", REIHE_DC_ERST, 1, 0, 0, 1, 1, 0, 0},
    {"DC erst, sechs Bloecke", REIHE_DC_ERST, 6, 0, 0, 0, 0, 3, 0},
    {"DC verfeinern, drei Bloecke", REIHE_DC_VERFEINERN, 3, 0, 0, 0, 2, 5, 60},
    {"AC erst, volles Band", REIHE_AC_ERST, 1, 1, 63, 0, 1, 0, 0},
    {"AC erst, kurzes Band", REIHE_AC_ERST, 1, 1, 5, 2, 0, 2, 0},
    {"AC erst, hinteres Band", REIHE_AC_ERST, 1, 6, 63, 1, 2, 10, 0},
    {"AC verfeinern, duenn", REIHE_AC_VERFEINERN, 1, 1, 63, 0, 1, 0, 10},
    {"AC verfeinern, dicht", REIHE_AC_VERFEINERN, 1, 1, 63, 1, 0, 3, 80},
    {"AC verfeinern, kurzes Band", REIHE_AC_VERFEINERN, 1, 1, 5, 2, 2, 1, 50},
    {"AC verfeinern, hinteres Band", REIHE_AC_VERFEINERN, 1, 6, 63, 3, 1, 8, 40},
    {"AC verfeinern, voller Block", REIHE_AC_VERFEINERN, 1, 1, 63, 0, 2, 0, 100},
};

TEST(Dek_Reihen, GleichBlockFuerBlock) {
    Huff* dc = new Huff;
    Huff* ac = new Huff;
    Tabelle(dc, false);
    Tabelle(ac, true);
    uint32_t z = 2024;
    for (const Fall& f : FAELLE)
        for (int form = 0; form < 4; ++form)  // wide refill or not, BMI2 or generic form
            for (int runde = 0; runde < 25; ++runde) {
                const std::vector<uint8_t> d = Daten(z, 200 + Zufall(z) % 3000, f.ende, f.ff_anteil);
                const int32_t mcus = 40 + static_cast<int32_t>(Zufall(z) % 400);
                Stand a;
                a.koef.assign(static_cast<size_t>(mcus) * f.nb * 64, 0);
                if (f.art == REIHE_AC_VERFEINERN || f.art == REIHE_DC_VERFEINERN) {
                    // Earlier scans' values: multiples of 2 p1 (some with the p1 bit
                    // set already, as a repeated scan would leave them).
                    const int p1 = 1 << f.al;
                    for (int16_t& c : a.koef)
                        if (static_cast<int>(Zufall(z) % 100) < f.dichte) {
                            int v = static_cast<int>(1 + Zufall(z) % 20) * 2 * p1;
                            if (Zufall(z) % 7 == 0) v |= p1;
                            c = static_cast<int16_t>(Zufall(z) & 1 ? v : -v);
                        }
                }
                a.eob = Zufall(z) % 4 == 0 ? static_cast<int32_t>(Zufall(z) % 5) : 0;
                a.ein.p = d.data();
                a.ein.ende = d.data() + d.size();
                a.ein.puffer_anfang = d.data();
                a.bits.breit = form & 1;
                Stand b = a;
                a.bits.ein = &a.ein;
                b.bits.ein = &b.ein;
                // Run after run, as the scan decoder calls them, each to its first stop.
                int32_t gemacht = 0;
                for (int lauf = 0; lauf < 8 && gemacht < mcus * f.nb; ++lauf) {
                    const int32_t mcu0 = gemacht / f.nb;
                    if (gemacht % f.nb) break;  // a run stopped inside an MCU
                    // Reference: block by block as the scan decoder's `block` goes, to
                    // the first damage: near a marker or the end the block is kept and
                    // restored when the damage is in it.
                    int32_t ref = 0;
                    if (!a.bits.fehlerhaft) {
                        for (int32_t m = mcu0; m < mcus; ++m) {
                            bool halt = false;
                            for (int j = 0; j < f.nb && !halt; ++j) {
                                int16_t* blk = a.koef.data() + (int64_t{m} * f.nb + j) * 64;
                                const bool nahe = a.bits.marke || a.bits.null_bytes;
                                int16_t alt[64];
                                std::memcpy(alt, blk, sizeof(alt));
                                switch (f.art) {
                                    case REIHE_DC_ERST: DC_Erst(&a.bits, dc, blk, &a.pred[j % 3], f.al); break;
                                    case REIHE_DC_VERFEINERN: DC_Verfeinern(&a.bits, blk, f.al); break;
                                    case REIHE_AC_ERST: AC_Erst(&a.bits, ac, blk, f.ss, f.se, f.al, &a.eob); break;
                                    default: AC_Verfeinern(&a.bits, ac, blk, f.ss, f.se, f.al, &a.eob); break;
                                }
                                ++ref;
                                halt = a.bits.fehlerhaft ||
                                       (a.bits.null_bytes && int64_t{a.bits.null_bytes} * 8 > a.bits.anzahl);
                                if (halt && nahe) std::memcpy(blk, alt, sizeof(alt));
                            }
                            if (halt) break;
                        }
                    }
                    Reihen_Block rb[6];
                    for (int j = 0; j < f.nb; ++j)
                        rb[j] = {b.koef.data() + (int64_t{mcu0} * f.nb + j) * 64, f.nb * 64, dc, &b.pred[j % 3]};
                    Reihen_Auftrag ra{f.art, rb, f.nb, ac, f.ss, f.se, f.al, &b.eob, form >= 2};
                    const int32_t neu = Reihe_Dekodieren(&b.bits, ra, mcus - mcu0);
                    ASSERT_EQ(ref, neu) << f.name << " form " << form << " runde " << runde;
                    Vergleichen(a, b, d, f.name);
                    if (HasFatalFailure()) return;
                    gemacht += neu;
                    // A code no table has: cleared, and the data goes on; the fill
                    // bytes taken: the end.
                    if (!b.bits.fehlerhaft) break;
                    a.bits.fehlerhaft = b.bits.fehlerhaft = false;
                }
            }
    delete dc;
    delete ac;
}

}  // namespace

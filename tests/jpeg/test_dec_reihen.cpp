// The progressive block runs against the block-by-block passes: the same
// coefficients, predictors, end-of-band runs, and the same accumulator,
// input position, marker and fill-byte state after every run, over random
// entropy data (clean, with stuffed bytes, ending in a marker, cut short),
// both refill forms and both the BMI2 and the generic form.
#include "jpeg/dec_bits.h"
#include "dec_hilfe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
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
// With `codes` also the code of every symbol (code, length; length 0 for
// the symbols left without one).
void Tabelle(Huff* t, bool ac, std::vector<std::pair<uint32_t, int>>* codes = nullptr) {
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
    if (!codes) return;
    codes->assign(256, {0, 0});
    uint32_t code = 0;
    for (int l = 1, k = 0; l <= 16; ++l, code <<= 1)
        for (int i = 0; i < zahl[l - 1]; ++i) (*codes)[sym[k++]] = {code++, l};
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

// The scan's bytes cut to a share of them (percent) or, whole, closed by an
// end marker; two decoder states set to read them from the start.
void Zwei_Leser(std::vector<uint8_t>& d, int schnitt, bool breit, Stand& a, Stand& b) {
    if (schnitt) d.resize(d.size() * static_cast<size_t>(schnitt) / 100);
    else d.insert(d.end(), {0xFF, 0xD9});
    for (Stand* s : {&a, &b}) {
        s->ein.p = d.data();
        s->ein.ende = d.data() + d.size();
        s->ein.puffer_anfang = d.data();
        s->bits.breit = breit;
        s->bits.ein = &s->ein;
    }
}

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

// Where a decode stands in the data: the bits taken, the stuffed zero after
// each 0xFF and a marker read not counted, zero bytes fed past a marker or
// the end counted (the refills may come at other moments).
static int64_t Bitstelle(const Stand& s, const std::vector<uint8_t>& d) {
    int64_t bytes = s.ein.p - d.data();
    for (const uint8_t* q = d.data() + 1; q < s.ein.p; ++q)
        if (*q == 0 && q[-1] == 0xFF) --bytes;
    if (s.bits.marke) bytes -= s.bits.marke == 0x100 ? 1 : 2;  // the marker read is no data
    return bytes * 8 + 8 * int64_t{s.bits.null_bytes} - s.bits.anzahl;
}

// Dense blocks (coefficients up to the block's last place, runs of 16,
// blocks ending without an end code, runs past the end as damage) written
// with the table's codes: the blocks read past leave the decode at the same
// place as one coefficient at a time, and the stored blocks between them are
// the coefficients written.
TEST(Dek_Reihen, VorbeiDichteBloecke) {
    Huff* dc = new Huff;
    Huff* ac = new Huff;
    Huff* ac_einzeln = new Huff;
    std::vector<std::pair<uint32_t, int>> dc_code, ac_code;
    Tabelle(dc, false, &dc_code);
    Tabelle(ac, true, &ac_code);
    Sprung_Bauen(ac);
    *ac_einzeln = *ac;
    std::fill(std::begin(ac_einzeln->sprung), std::end(ac_einzeln->sprung), 0u);
    alignas(16) int16_t einsen[64];
    std::fill(std::begin(einsen), std::end(einsen), int16_t{1});
    struct Fall {
        const char* bloecke;
        int letzte;  // the last place the coefficients aim at (63: many end without an end code)
        int kaputt;  // percent of blocks with a run past the end
        int schnitt;  // the data cut to this many hundredths, no end marker (0: whole)
    } faelle[] = {{"VL", 63, 0, 0},  {"LVV", 62, 0, 0},  {"VVVL", 63, 10, 0},
                  {"LLVV", 55, 5, 0}, {"VLV", 61, 0, 70}, {"VVL", 63, 3, 45}};
    uint32_t z = 4242;
    for (const Fall& f : faelle)
        for (int breit = 0; breit < 2; ++breit) {
            SCOPED_TRACE(std::string(f.bloecke) + " last " + std::to_string(f.letzte) + " wide " +
                         std::to_string(breit));
            const int je = static_cast<int>(std::strlen(f.bloecke));
            constexpr int MCUS = 150;
            dek_test::Bitfolge bits;
            std::vector<int16_t> wahr(static_cast<size_t>(MCUS) * je * 64, 0);
            std::vector<bool> heil(MCUS, true);
            for (int m = 0; m < MCUS; ++m)
                for (int j = 0; j < je; ++j) {
                    int16_t* blk = wahr.data() + (static_cast<size_t>(m) * je + j) * 64;
                    bits.Add(dc_code[0].first, dc_code[0].second);  // DC difference 0
                    const bool kaputt = static_cast<int>(Zufall(z) % 100) < f.kaputt;
                    int pos = 0;
                    for (;;) {
                        const int rest = f.letzte - pos;
                        if (rest <= 0) break;
                        int r = static_cast<int>(Zufall(z) % (Zufall(z) % 3 == 0 ? 16 : 3));
                        if (r >= rest) {
                            if (kaputt) r = std::min(15, rest + static_cast<int>(Zufall(z) % 3));
                            else r = rest - 1;
                        }
                        if (r < rest && rest > 17 && Zufall(z) % 9 == 0) {
                            bits.Add(ac_code[0xF0].first, ac_code[0xF0].second);  // a run of 16
                            pos += 16;
                            continue;
                        }
                        const int groesse = 1 + static_cast<int>(Zufall(z) % 4);
                        const int betrag = (1 << (groesse - 1)) + static_cast<int>(Zufall(z) % (1u << (groesse - 1)));
                        const bool negativ = Zufall(z) & 1;
                        const auto& c = ac_code[static_cast<size_t>(r << 4 | groesse)];
                        bits.Add(c.first, c.second);
                        bits.Add(static_cast<uint32_t>(negativ ? (1 << groesse) - 1 - betrag : betrag), groesse);
                        pos += r + 1;
                        if (pos > 63) {
                            heil[m] = false;  // a run past the end: the block decoder stops there
                            break;
                        }
                        blk[Natuerlich[pos]] = static_cast<int16_t>(negativ ? -betrag : betrag);
                    }
                    if (pos < 63) bits.Add(ac_code[0x00].first, ac_code[0x00].second);  // end of block
                }
            std::vector<uint8_t> d = bits.Fertig();
            Stand a, b;
            Zwei_Leser(d, f.schnitt, breit, a, b);
            int32_t pred_a[6] = {}, pred_b[6] = {};
            Block_Plan plan_a[6], plan_b[6];
            for (int j = 0; j < je; ++j) {
                const bool vorbei = f.bloecke[j] == 'V';
                plan_a[j] = {dc, ac_einzeln, &pred_a[j], einsen, false, vorbei};
                plan_b[j] = {dc, ac, &pred_b[j], einsen, false, vorbei};
            }
            bool alle_heil = true;
            for (int m = 0; m < MCUS; ++m) {
                int16_t koef_a[6 * 64], koef_b[6 * 64], dc_a[6], dc_b[6];
                int fertig = 0;
                Mcus_Dekodieren(&a.bits, plan_a, je, 1, koef_a, dc_a, &fertig);
                Mcus_Dekodieren(&b.bits, plan_b, je, 1, koef_b, dc_b, &fertig);
                ASSERT_EQ(Bitstelle(a, d), Bitstelle(b, d)) << "MCU " << m;
                EXPECT_EQ(a.bits.fehlerhaft, b.bits.fehlerhaft) << "MCU " << m;
                alle_heil = alle_heil && heil[m];
                // The coefficients written, while the data is undamaged and no
                // zero byte has come in past its end.
                const bool wahr_pruefen = alle_heil && a.bits.null_bytes == 0 && b.bits.null_bytes == 0;
                for (int j = 0; j < je; ++j) {
                    if (f.bloecke[j] != 'L') continue;
                    EXPECT_TRUE(std::equal(koef_a + 64 * j, koef_a + 64 * j + 64, koef_b + 64 * j)) << m;
                    if (!wahr_pruefen) continue;
                    EXPECT_TRUE(std::equal(koef_b + 64 * j, koef_b + 64 * j + 64,
                                           wahr.data() + (static_cast<size_t>(m) * je + j) * 64))
                        << "MCU " << m << " block " << j;
                }
                if (HasFailure()) return;
                // Past the data (zero bytes taken): the scan decoder greys the rest.
                const bool vorbei_a = int64_t{a.bits.null_bytes} * 8 > a.bits.anzahl;
                ASSERT_EQ(vorbei_a, int64_t{b.bits.null_bytes} * 8 > b.bits.anzahl) << "MCU " << m;
                if (vorbei_a) break;
                a.bits.fehlerhaft = b.bits.fehlerhaft = false;
            }
            if (f.kaputt == 0 && f.schnitt == 0) {
                EXPECT_TRUE(alle_heil);
            }
        }
    delete dc;
    delete ac;
    delete ac_einzeln;
}

// The sequential block decoder takes one or two whole coefficients per
// look-up. Blocks of every shape (short runs and small values, so that
// pairs fit; coefficients up to the last place, some as the first of a
// pair that would go past it; runs of 16; ends right after a coefficient;
// runs past the end as damage; data cut short) decode exactly as with the
// pair look-up left empty (one symbol at a time by the code limits): the
// same coefficients stored (as they are, by an accurate table, by a fast
// table), the same place in the data, the same damage.
TEST(Dek_Reihen, PaareGleichEinzeln) {
    Huff* dc = new Huff;
    Huff* ac = new Huff;
    Huff* ac_einzeln = new Huff;
    std::vector<std::pair<uint32_t, int>> dc_code, ac_code;
    Tabelle(dc, false, &dc_code);
    Tabelle(ac, true, &ac_code);
    *ac_einzeln = *ac;
    std::fill(std::begin(ac_einzeln->paar), std::end(ac_einzeln->paar), uint64_t{0});
    std::fill(std::begin(ac_einzeln->ac_schnell), std::end(ac_einzeln->ac_schnell), 0);
    ac_einzeln->paar_da = true;
    alignas(16) int16_t tabelle[64];
    for (int i = 0; i < 64; ++i) tabelle[i] = static_cast<int16_t>(1 + (i * 37) % 200);
    struct Fall {
        const char* name;
        int letzte;     // the last place the coefficients aim at
        int lauf_max;   // longest run of zeros drawn (0..15)
        int groesse;    // largest value size drawn
        int kaputt;     // percent of blocks with a run past the end
        int schnitt;    // the data cut to this many hundredths, no end marker (0: whole)
        int deq;        // 0 as they are, 1 accurate table, 2 fast table
    } faelle[] = {
        {"kurz, voll bis 63", 63, 2, 2, 0, 0, 1},   {"kurz, Ende davor", 50, 1, 1, 0, 0, 0},
        {"gemischt", 63, 15, 6, 0, 0, 1},           {"schnelle Tabelle", 62, 3, 3, 0, 0, 2},
        {"Laeufe hinaus", 63, 4, 2, 10, 0, 1},      {"abgeschnitten", 63, 2, 3, 0, 60, 0},
        {"hinaus, abgeschnitten", 60, 3, 2, 5, 35, 2},
    };
    uint32_t z = 777;
    for (const Fall& f : faelle)
        for (int breit = 0; breit < 2; ++breit) {
            SCOPED_TRACE(std::string(f.name) + " wide " + std::to_string(breit));
            constexpr int MCUS = 120, JE = 3;
            dek_test::Bitfolge bits;
            for (int m = 0; m < MCUS * JE; ++m) {
                bits.Add(dc_code[1].first, dc_code[1].second);  // DC difference of size 1
                bits.Add(Zufall(z) & 1, 1);
                const bool kaputt = static_cast<int>(Zufall(z) % 100) < f.kaputt;
                int pos = 0;
                for (;;) {
                    const int rest = f.letzte - pos;
                    if (rest <= 0) break;
                    int r = static_cast<int>(Zufall(z) % static_cast<uint32_t>(f.lauf_max + 1));
                    if (r >= rest) r = kaputt ? std::min(15, rest + static_cast<int>(Zufall(z) % 3)) : rest - 1;
                    if (r < rest && rest > 17 && Zufall(z) % 11 == 0) {
                        bits.Add(ac_code[0xF0].first, ac_code[0xF0].second);  // a run of 16
                        pos += 16;
                        continue;
                    }
                    const int groesse = 1 + static_cast<int>(Zufall(z) % static_cast<uint32_t>(f.groesse));
                    const auto& c = ac_code[static_cast<size_t>(r << 4 | groesse)];
                    bits.Add(c.first, c.second);
                    bits.Add(Zufall(z) & ((1u << groesse) - 1), groesse);
                    pos += r + 1;
                    if (pos > 63) break;
                }
                if (pos < 63) bits.Add(ac_code[0x00].first, ac_code[0x00].second);  // end of block
            }
            std::vector<uint8_t> d = bits.Fertig();
            Stand a, b;
            Zwei_Leser(d, f.schnitt, breit, a, b);
            int32_t pred_a[JE] = {}, pred_b[JE] = {};
            Block_Plan plan_a[JE], plan_b[JE];
            for (int j = 0; j < JE; ++j) {
                const int16_t* q = f.deq ? tabelle : nullptr;
                plan_a[j] = {dc, ac_einzeln, &pred_a[j], q, f.deq == 2, false};
                plan_b[j] = {dc, ac, &pred_b[j], q, f.deq == 2, false};
            }
            for (int m = 0; m < MCUS; ++m) {
                alignas(16) int16_t koef_a[JE * 64], koef_b[JE * 64], dc_a[JE], dc_b[JE];
                int fertig = 0;
                if (f.deq == 0) {
                    // The one-block entry point (the table road of the scan decoder).
                    for (int j = 0; j < JE; ++j) {
                        Block_Dekodieren(&a.bits, dc, ac_einzeln, &pred_a[j], koef_a + 64 * j);
                        Block_Dekodieren(&b.bits, dc, ac, &pred_b[j], koef_b + 64 * j);
                    }
                } else {
                    Mcus_Dekodieren(&a.bits, plan_a, JE, 1, koef_a, dc_a, &fertig);
                    Mcus_Dekodieren(&b.bits, plan_b, JE, 1, koef_b, dc_b, &fertig);
                }
                ASSERT_EQ(Bitstelle(a, d), Bitstelle(b, d)) << "MCU " << m;
                ASSERT_EQ(a.bits.fehlerhaft, b.bits.fehlerhaft) << "MCU " << m;
                ASSERT_TRUE(std::equal(koef_a, koef_a + JE * 64, koef_b)) << "MCU " << m;
                if (int64_t{a.bits.null_bytes} * 8 > a.bits.anzahl) break;  // past the data
                a.bits.fehlerhaft = b.bits.fehlerhaft = false;
            }
        }
    delete dc;
    delete ac;
    delete ac_einzeln;
}

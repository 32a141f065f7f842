// The save-game stream: files and memory, scrambling, seeking, check byte,
// packed blocks and refused input.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "base/compress.h"
#include "base/datei.h"
#include "base/files.h"
#include "base_test_util.h"

namespace fs = std::filesystem;

namespace {

Bytes gespeichert(Datei_Status* d) {
    u32 n = 0;
    const u8* p = Datei_Speicher_Daten(d, &n);
    return Bytes(p, p + n);
}

TEST(Datei, ScrambledRoundTripAndSeekInside) {
    Bytes roh = Gemischte_Bytes(20000, 1);
    Datei_Status* d = Datei_Oeffnen_Speicher();
    Datei_Verschluesselung_An(d, 0xC3);
    // Written in odd pieces, across the 4096-byte work buffer.
    for (size_t off = 0; off < roh.size(); off += 4999)
        ASSERT_TRUE(Datei_Schreiben(d, roh.data() + off, static_cast<u32>(std::min<size_t>(4999, roh.size() - off))));
    Bytes s = gespeichert(d);
    EXPECT_NE(s, roh);
    Datei_Schliessen(d);

    Datei_Status* r = Datei_Oeffnen_Speicher_Lesen(s.data(), static_cast<u32>(s.size()));
    Datei_Verschluesselung_An(r, 0xC3);
    // Reading from the middle gives the right plain bytes (key by position).
    ASSERT_TRUE(Datei_Seek(r, 12345, W32_SEEK_ANFANG));
    u8 b[10];
    ASSERT_EQ(Datei_Lesen(r, b, 10), 10u);
    EXPECT_EQ(Bytes(b, b + 10), Bytes(roh.begin() + 12345, roh.begin() + 12355));
    ASSERT_TRUE(Datei_Seek(r, 0, W32_SEEK_ANFANG));
    Datei_Pruefung_Setzen(r, 0);
    Bytes aus(roh.size());
    ASSERT_EQ(Datei_Lesen(r, aus.data(), static_cast<u32>(aus.size())), roh.size());
    EXPECT_EQ(aus, roh);
    u32 summe = 0;
    for (u8 x : roh) summe += x;
    EXPECT_EQ(r->pruefung, static_cast<u8>(summe));
    EXPECT_EQ(r->fehler, 0);
    // Reading at the end: 0 and the error flag.
    EXPECT_EQ(Datei_Lesen(r, b, 1), 0u);
    EXPECT_EQ(r->fehler, 1);
    EXPECT_FALSE(Datei_Schliessen(r));

    // A memory stream over the caller's data cannot be written.
    Datei_Status* nur = Datei_Oeffnen_Speicher_Lesen(s.data(), 4);
    EXPECT_FALSE(Datei_Schreiben(nur, b, 1));
    Datei_Schliessen(nur);
}

TEST(Datei, NullStreamsAndBadSeeks) {
    u8 b[4] = {0};
    Datei_Status* d = Datei_Oeffnen_Speicher();
    Datei_Schreiben(d, b, 4);
    EXPECT_FALSE(Datei_Seek(d, -1, W32_SEEK_ANFANG));
    EXPECT_FALSE(Datei_Seek(d, 5, W32_SEEK_ANFANG));  // past the end of memory
    EXPECT_TRUE(Datei_Seek(d, -2, W32_SEEK_ENDE));
    EXPECT_EQ(Datei_Position(d), 2);
    EXPECT_TRUE(Datei_Seek(d, 1, W32_SEEK_AKTUELL));
    EXPECT_EQ(Datei_Position(d), 3);
    EXPECT_TRUE(Datei_Seek(d, 1, 4711));  // other origins count from the start
    EXPECT_EQ(Datei_Position(d), 1);
    Datei_Schliessen(d);
}

class DateiOrdner : public ::testing::Test {
  protected:
    void TearDown() override { Datei_Test_Schreibgrenze(-1); }
    Temp_Ordner ordner_;
    const std::string dir_ = ordner_.pfad();
};

TEST_F(DateiOrdner, FileStreamWritesSeeksAndReadsBack) {
    std::string pfad = dir_ + "\\strom.bin";  // game paths use '\'
    Datei_Status* d = Datei_Oeffnen_Schreiben(pfad.c_str());
    ASSERT_NE(d, nullptr);
    Bytes roh = Gemischte_Bytes(5000, 2);
    Datei_Verschluesselung_An(d, 7);
    ASSERT_TRUE(Datei_Schreiben(d, roh.data(), 5000));
    EXPECT_EQ(Datei_Position(d), 5000);
    EXPECT_EQ(Datei_Groesse(d), 5000u);
    // Read back in the same stream ("wb+"), from the middle.
    ASSERT_TRUE(Datei_Seek(d, 4000, W32_SEEK_ANFANG));
    Bytes aus(1000);
    ASSERT_EQ(Datei_Lesen(d, aus.data(), 1000), 1000u);
    EXPECT_EQ(aus, Bytes(roh.begin() + 4000, roh.end()));
    // Then write again at the end.
    ASSERT_TRUE(Datei_Schreiben(d, roh.data(), 10));
    EXPECT_EQ(Datei_Groesse(d), 5010u);
    EXPECT_TRUE(Datei_Sync(d));
    EXPECT_TRUE(Datei_Schliessen(d));
    EXPECT_EQ(fs::file_size(dir_ + "/strom.bin"), 5010u);

    Datei_Status* r = Datei_Oeffnen_Lesen((dir_ + "/strom.bin").c_str());
    ASSERT_NE(r, nullptr);
    Datei_Verschluesselung_An(r, 7);
    Bytes alles(5010);
    ASSERT_EQ(Datei_Lesen(r, alles.data(), 5010), 5010u);
    EXPECT_EQ(Bytes(alles.begin(), alles.begin() + 5000), roh);
    EXPECT_TRUE(Datei_Schliessen(r));

    EXPECT_EQ(Datei_Oeffnen_Lesen((dir_ + "/fehlt.bin").c_str()), nullptr);
    EXPECT_EQ(Datei_Oeffnen_Schreiben((dir_ + "/kein/ordner.bin").c_str()), nullptr);
}

TEST_F(DateiOrdner, InjectedFullDiskFailsTheWrite) {
    Datei_Status* d = Datei_Oeffnen_Schreiben((dir_ + "/voll.bin").c_str());
    ASSERT_NE(d, nullptr);
    Bytes roh = Gemischte_Bytes(300, 3);
    Datei_Test_Schreibgrenze(250);
    EXPECT_TRUE(Datei_Schreiben(d, roh.data(), 200));
    EXPECT_FALSE(Datei_Schreiben(d, roh.data(), 100));
    EXPECT_EQ(d->fehler, 1);
    EXPECT_FALSE(Datei_Schreiben(d, roh.data(), 1));
    EXPECT_FALSE(Datei_Schliessen(d));
}

TEST(DateiGepackt, RoundTripAndBoundedRead) {
    Bytes roh = Gemischte_Bytes(4000, 4);
    Datei_Status* d = Datei_Oeffnen_Speicher();
    Datei_Verschluesselung_An(d, 0x11);
    ASSERT_TRUE(Datei_Schreiben_Gepackt(d, roh.data(), 4000));
    ASSERT_TRUE(Datei_Schreiben_Gepackt(d, roh.data(), 0));  // an empty block
    Bytes s = gespeichert(d);
    Datei_Schliessen(d);
    EXPECT_LT(s.size(), 4000u);

    auto lesen = [&](const Bytes& daten, u32 puffer_groesse, Bytes* aus) {
        Datei_Status* r = Datei_Oeffnen_Speicher_Lesen(daten.data(), static_cast<u32>(daten.size()));
        Datei_Verschluesselung_An(r, 0x11);
        aus->assign(puffer_groesse, 0xEE);
        u32 n = Datei_Lesen_Gepackt(r, aus->data(), puffer_groesse);
        bool fehler = r->fehler;
        Datei_Schliessen(r);
        return fehler ? ~0u : n;
    };
    Bytes aus;
    EXPECT_EQ(lesen(s, 4000, &aus), 4000u);
    EXPECT_EQ(aus, roh);
    // A buffer one byte too small: refused, nothing written past it.
    EXPECT_EQ(lesen(s, 3999, &aus), ~0u);
    // Every truncation of the stream is refused.
    for (size_t n = 0; n + 1 < s.size() - 13; n += 7) {
        Bytes t(s.begin(), s.begin() + static_cast<long>(n));
        EXPECT_EQ(lesen(t, 4000, &aus), ~0u) << n;
    }
    // A size field that promises more than the stream holds, or too little.
    Datei_Status* w = Datei_Oeffnen_Speicher();
    u8 kopf[4];
    put_u32le(kopf, 0x7FFFFFFF);
    Datei_Schreiben(w, kopf, 4);
    put_u32le(kopf, 3);
    Bytes gross = gespeichert(w);
    Datei_Schliessen(w);
    Datei_Status* r = Datei_Oeffnen_Speicher_Lesen(gross.data(), static_cast<u32>(gross.size()));
    EXPECT_EQ(Datei_Lesen_Gepackt(r, aus.data(), 4000), 0u);
    EXPECT_EQ(r->fehler, 1);
    Datei_Schliessen(r);
    Bytes klein(kopf, kopf + 4);
    klein.resize(20, 0);
    r = Datei_Oeffnen_Speicher_Lesen(klein.data(), static_cast<u32>(klein.size()));
    EXPECT_EQ(Datei_Lesen_Gepackt(r, aus.data(), 4000), 0u);
    EXPECT_EQ(r->fehler, 1);
    Datei_Schliessen(r);
}

// Packing put off: the stream keeps the packed blocks' plain bytes (copies:
// the writer's data may change at once) and packs them later into the
// bytes the stream would have held, for every mix of plain and packed writes.
TEST(DateiGepackt, PackingPutOffGivesTheSameBytes) {
    const Bytes a = Gemischte_Bytes(9000, 5), b = Gemischte_Bytes(300, 6), leer;
    // Random bytes pack larger than they are: the stream outgrows the room
    // made for its plain size.
    const Bytes zufall = Zufall_Bytes(70000, 7);
    // Each step: plain bytes (false) or a packed block (true) of a piece.
    const std::vector<std::vector<std::pair<bool, const Bytes*>>> folgen = {
        {{true, &a}},
        {{false, &b}, {true, &a}, {false, &b}},
        {{true, &a}, {true, &b}, {true, &leer}, {false, &b}},
        {{false, &b}, {false, &a}},
        {{true, &leer}},
        {{true, &zufall}, {false, &b}, {true, &zufall}, {true, &a}},
    };
    for (size_t k = 0; k < folgen.size(); ++k) {
        Datei_Status* sofort = Datei_Oeffnen_Speicher();
        Datei_Status* spaeter = Datei_Oeffnen_Speicher();
        ASSERT_TRUE(Datei_Packen_Aufschieben(spaeter));
        std::vector<Bytes> geschrieben;  // what the writer handed over, changed right after
        for (const auto& [gepackt, teil] : folgen[k]) {
            geschrieben.push_back(*teil);
            Bytes& q = geschrieben.back();
            const u32 n = static_cast<u32>(q.size());
            if (gepackt) {
                ASSERT_TRUE(Datei_Schreiben_Gepackt(sofort, q.data(), n));
                ASSERT_TRUE(Datei_Schreiben_Gepackt(spaeter, q.data(), n));
            } else {
                ASSERT_TRUE(Datei_Schreiben(sofort, q.data(), n));
                ASSERT_TRUE(Datei_Schreiben(spaeter, q.data(), n));
            }
            for (u8& x : q) x ^= 0x5A;
        }
        Bytes bytes = std::move(spaeter->puffer);
        auto stuecke = std::move(spaeter->aufgeschoben);
        EXPECT_EQ(stuecke.size(), static_cast<size_t>(std::count_if(folgen[k].begin(), folgen[k].end(),
                                                                    [](const auto& s) { return s.first; })))
            << k;
        ASSERT_TRUE(Datei_Aufgeschobene_Packen(&bytes, &stuecke)) << k;
        EXPECT_EQ(bytes, gespeichert(sofort)) << k;
        EXPECT_TRUE(stuecke.empty());
        Datei_Schliessen(sofort);
        Datei_Schliessen(spaeter);
    }
    // Only an unscrambled memory stream puts its packing off.
    Datei_Status* v = Datei_Oeffnen_Speicher();
    Datei_Verschluesselung_An(v, 3);
    EXPECT_FALSE(Datei_Packen_Aufschieben(v));
    Datei_Schliessen(v);
    Datei_Status* l = Datei_Oeffnen_Speicher_Lesen(a.data(), 10);
    EXPECT_FALSE(Datei_Packen_Aufschieben(l));
    Datei_Schliessen(l);
}

}  // namespace

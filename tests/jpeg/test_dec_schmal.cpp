// Smooth up-sampling of narrow sideways-doubled chroma against stored rows
// of djpeg's decode (daten/schmale_farbe.bin, made by
// daten/schmale_farbe_machen.py): noisy pictures 1 to 48 pixels wide in
// 4:2:2, 4:2:0 (our encoder), 4:1:0, 4:1:1 and two mixed layouts, each at
// 1/1, 1/2, 1/4 and 1/8. Where the chroma is at most two samples across,
// djpeg copies it instead of smoothing; every pixel must stay within 3 of
// the stored one. No tool is needed at test time.
#include "dec_hilfe.h"

#include <cstring>

using namespace dek_test;

namespace {

struct Leser {
    const std::vector<uint8_t>& d;
    size_t i = 0;
    bool ok = true;
    const uint8_t* Bytes(size_t n) {
        if (!ok || d.size() - i < n) {
            ok = false;
            return nullptr;
        }
        i += n;
        return d.data() + i - n;
    }
    uint32_t Zahl(size_t n) {
        const uint8_t* p = Bytes(n);
        uint32_t v = 0;
        for (size_t k = 0; p && k < n; ++k) v |= uint32_t{p[k]} << (8 * k);
        return v;
    }
};

struct Referenz {
    int32_t breite = 0, hoehe = 0;
    const uint8_t* pixel = nullptr;
};

struct Fall {
    std::string name;
    int32_t w = 0, h = 0;
    std::vector<uint8_t> strom;
    Referenz skala[4];  // 1/1, 1/2, 1/4, 1/8
};

std::vector<Fall> Faelle_Lesen(const std::vector<uint8_t>& d) {
    std::vector<Fall> faelle;
    Leser l{d};
    const uint8_t* kennung = l.Bytes(4);
    if (!kennung || std::memcmp(kennung, "KSF1", 4) != 0) return faelle;
    const uint32_t anzahl = l.Zahl(4);
    for (uint32_t n = 0; n < anzahl && l.ok; ++n) {
        Fall f;
        const uint32_t laenge = l.Zahl(1);
        if (const uint8_t* p = l.Bytes(laenge)) f.name.assign(reinterpret_cast<const char*>(p), laenge);
        f.w = static_cast<int32_t>(l.Zahl(2));
        f.h = static_cast<int32_t>(l.Zahl(2));
        const uint32_t strom = l.Zahl(4);
        if (const uint8_t* p = l.Bytes(strom)) f.strom.assign(p, p + strom);
        for (Referenz& r : f.skala) {
            r.breite = static_cast<int32_t>(l.Zahl(2));
            r.hoehe = static_cast<int32_t>(l.Zahl(2));
            r.pixel = l.Bytes(static_cast<size_t>(r.breite) * r.hoehe * 3);
        }
        if (l.ok) faelle.push_back(std::move(f));
    }
    if (!l.ok || l.i != d.size()) faelle.clear();
    return faelle;
}

TEST(Dek_Schmal, GlaettungGleichtDenGespeichertenZeilen) {
    const char* quelle = std::getenv("KORDAVO_SOURCE_DIR");
    ASSERT_NE(quelle, nullptr);
    const std::vector<uint8_t> daten = Datei_Lesen(fs::path(quelle) / "tests/jpeg/daten/schmale_farbe.bin");
    const std::vector<Fall> faelle = Faelle_Lesen(daten);
    ASSERT_EQ(faelle.size(), 90u) << "schmale_farbe.bin unreadable";
    const int32_t modi[4] = {3, 15, 17, 19};
    int32_t groesste = 0;
    for (const Fall& f : faelle)
        for (int s = 0; s < 4; ++s) {
            SCOPED_TRACE(f.name + " " + std::to_string(f.w) + "x" + std::to_string(f.h) + " 1/" +
                         std::to_string(1 << s));
            const Referenz& r = f.skala[s];
            Optionen o;
            o.glaettung = 1;
            const Ergebnis e = Dekodieren(f.strom, "", modi[s], o);
            ASSERT_EQ(e.code, 0);
            ASSERT_EQ(e.bild.breite, r.breite);
            ASSERT_EQ(e.bild.hoehe, r.hoehe);
            // The first row that differs by more than 3, with its difference.
            const size_t zeile = static_cast<size_t>(r.breite) * 3;
            for (int32_t y = 0; y < r.hoehe; ++y) {
                int32_t abw = 0;
                for (size_t i = 0; i < zeile; ++i)
                    abw = std::max(abw, std::abs(int32_t{e.bild.pixel[y * zeile + i]} - r.pixel[y * zeile + i]));
                groesste = std::max(groesste, abw);
                if (abw > 3) {
                    ADD_FAILURE() << "row " << y << " differs by " << abw;
                    break;
                }
            }
        }
    RecordProperty("max_abweichung", groesste);
}

}  // namespace

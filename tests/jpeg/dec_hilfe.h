// Helpers of the decoder tests: synthetic pictures, the reference tools
// (cjpeg, djpeg) as black boxes, decoding through the public interface and
// comparison measures.
#pragma once

#include "jpeg/jpeg.h"
#include "jpeg/jpeg_kern.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace dek_test {

namespace fs = std::filesystem;

struct Bild {
    int32_t breite = 0, hoehe = 0, kanaele = 3;
    std::vector<uint8_t> pixel;
};

// Bits written MSB first into bytes, with stuffing, padded with 0-bits.
struct Bitfolge {
    std::vector<uint8_t> bytes;
    uint32_t cur = 0;
    int n = 0;
    void Add(uint32_t v, int len) {
        for (int i = len - 1; i >= 0; --i) {
            cur = (cur << 1) | ((v >> i) & 1);
            if (++n == 8) {
                bytes.push_back(static_cast<uint8_t>(cur));
                if (cur == 0xFF) bytes.push_back(0);
                cur = 0;
                n = 0;
            }
        }
    }
    std::vector<uint8_t> Fertig() {
        std::vector<uint8_t> b = bytes;
        if (n) b.push_back(static_cast<uint8_t>(cur << (8 - n)));
        return b;
    }
};

// A scratch folder of this test program (made fresh with a unique name),
// removed when the program ends.
struct Ordner {
    fs::path pfad;
    Ordner() {
        std::string muster = (fs::temp_directory_path() / "kordavo_jpeg_dek_XXXXXX").string();
        if (!mkdtemp(muster.data())) std::abort();
        pfad = muster;
    }
    ~Ordner() {
        std::error_code f;
        fs::remove_all(pfad, f);
    }
};

inline fs::path Arbeitsordner() {
    static Ordner ordner;
    return ordner.pfad;
}

// A picture with smooth gradients, a sharp-edged pattern and noise, so that
// every kind of coefficient occurs.
inline Bild Muster(int32_t w, int32_t h, uint32_t saat = 1) {
    Bild b;
    b.breite = w;
    b.hoehe = h;
    b.pixel.resize(static_cast<size_t>(w) * h * 3);
    uint32_t zufall = saat * 2654435761u + 12345u;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            uint8_t* p = &b.pixel[(static_cast<size_t>(y) * w + x) * 3];
            zufall = zufall * 1103515245u + 12345u;
            int32_t rausch = static_cast<int32_t>((zufall >> 16) & 31) - 16;
            int32_t r = static_cast<int32_t>(128 + 100 * std::sin(x / 9.0 + y / 13.0));
            int32_t g = w > 1 ? x * 255 / (w - 1) : 128;
            int32_t bl = h > 1 ? y * 255 / (h - 1) : 64;
            if (((x / 6) + (y / 5)) % 7 == 0) {
                r = 255 - r;
                g = (g + 128) & 255;
            }
            if ((x * 7 + y * 3) % 23 < 4) bl = 255 - bl + rausch;
            auto k = [](int32_t v) { return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); };
            p[0] = k(r + rausch / 2);
            p[1] = k(g);
            p[2] = k(bl);
        }
    return b;
}

inline std::vector<uint8_t> Datei_Lesen(const fs::path& name) {
    std::ifstream f(name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

inline void Datei_Schreiben(const fs::path& name, const std::vector<uint8_t>& d) {
    std::ofstream(name, std::ios::binary)
        .write(reinterpret_cast<const char*>(d.data()), static_cast<std::streamsize>(d.size()));
}

inline void PPM_Schreiben(const fs::path& name, const std::vector<uint8_t>& px, int w, int h, int kanaele = 3) {
    std::ofstream f(name, std::ios::binary);
    f << (kanaele == 3 ? "P6\n" : "P5\n") << w << " " << h << "\n255\n";
    f.write(reinterpret_cast<const char*>(px.data()), static_cast<std::streamsize>(px.size()));
}

// Reads a PPM or PGM written by djpeg (nothing when there is none); grey
// pictures come back with three equal channels unless `grau_als_rgb` is off.
inline Bild PNM_Lesen(const fs::path& name, bool grau_als_rgb = true) {
    Bild b;
    std::ifstream f(name, std::ios::binary);
    std::string art;
    int maxwert = 0;
    if (!(f >> art >> b.breite >> b.hoehe >> maxwert)) return Bild{};
    f.get();
    const size_t n = static_cast<size_t>(b.breite) * b.hoehe;
    b.kanaele = art == "P5" ? 1 : 3;
    b.pixel.resize(n * b.kanaele);
    f.read(reinterpret_cast<char*>(b.pixel.data()), static_cast<std::streamsize>(b.pixel.size()));
    if (b.kanaele == 1 && grau_als_rgb) {
        std::vector<uint8_t> g = std::move(b.pixel);
        b.kanaele = 3;
        b.pixel.resize(n * 3);
        for (size_t i = 0; i < n; ++i) b.pixel[3 * i] = b.pixel[3 * i + 1] = b.pixel[3 * i + 2] = g[i];
    }
    return b;
}

inline bool Werkzeug_Da(const char* name) { return access((std::string("/usr/bin/") + name).c_str(), X_OK) == 0; }
inline bool Werkzeuge_Da() { return Werkzeug_Da("cjpeg") && Werkzeug_Da("djpeg"); }

// Runs a command; its standard error is returned in `fehler`.
inline int Ausfuehren(const std::string& befehl, std::string* fehler = nullptr) {
    const fs::path err = Arbeitsordner() / "stderr.txt";
    const int rc = std::system((befehl + " 2>" + err.string()).c_str());
    std::vector<uint8_t> t = Datei_Lesen(err);
    if (fehler) fehler->assign(t.begin(), t.end());
    return rc;
}

// Encodes a picture with cjpeg and the given options; the JPEG file's path.
inline fs::path Kodieren(const Bild& b, const std::string& optionen, const std::string& name) {
    fs::path ppm = Arbeitsordner() / (name + ".ppm");
    fs::path jpg = Arbeitsordner() / (name + ".jpg");
    PPM_Schreiben(ppm, b.pixel, b.breite, b.hoehe);
    EXPECT_EQ(Ausfuehren("/usr/bin/cjpeg " + optionen + " -outfile " + jpg.string() + " " + ppm.string()), 0);
    return jpg;
}

inline Bild Referenz(const fs::path& jpg, const std::string& optionen) {
    fs::path aus = jpg;
    aus += ".ref.pnm";
    EXPECT_EQ(Ausfuehren("/usr/bin/djpeg " + optionen + " -outfile " + aus.string() + " " + jpg.string()), 0);
    return PNM_Lesen(aus);
}

struct Vergleich {
    int32_t max_abw = 0;
    double psnr = 0;
};

// Peak signal-to-noise ratio in dB (99 for equal pixels, 0 for sizes that differ).
inline double PSNR(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    if (a.size() != b.size() || a.empty()) return 0;
    double s = 0;
    for (size_t i = 0; i < a.size(); ++i) s += (double(a[i]) - b[i]) * (double(a[i]) - b[i]);
    return s == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 * double(a.size()) / s);
}

inline Vergleich Vergleichen(const Bild& a, const Bild& b) {
    Vergleich v;
    for (size_t i = 0; i < a.pixel.size() && i < b.pixel.size(); ++i)
        v.max_abw = std::max(v.max_abw, std::abs(a.pixel[i] - b.pixel[i]));
    v.psnr = PSNR(a.pixel, b.pixel);
    return v;
}

// Decoding options of one call.
struct Optionen {
    int32_t prozessor = -1;  // -1: as detected
    int32_t glaettung = 0;
    int32_t farbe = FARBE_RGB;
    int32_t kanaele = 3;
    int32_t dct = DCT_GENAU;
    bool dct_vorher = false;  // the method chosen before the parameter read as well
    int32_t links = 0, oben = 0, rechts = 0, unten = 0;
    bool schrittweise = false;
    bool negativ = false;  // rows bottom-up
    int32_t fuellbytes = 0;
    void (*kerne)(Jpeg_Kern_Tabelle*) = nullptr;  // changes the kernel table after the processor code
};

// Sets a processor code on a freshly initialised record.
inline void Prozessor_Setzen(Jpeg_Auftrag* a, int32_t code) {
    if (code < 0) return;
    Jpeg_Kerne_Fuellen(a->Intern.Strom.Kern_Tabelle, code);
    a->Intern.Strom.Prozessor = code;
}

// Points a record at a stream in memory.
inline void Quelle_Setzen(Jpeg_Auftrag* a, const std::vector<uint8_t>& d) {
    a->Jpg_Puffer = const_cast<uint8_t*>(d.data());
    a->Jpg_Puffer_Groesse = static_cast<uint32_t>(d.size());
}

// Points a record at w x h pixels (rows top-down, no fill bytes).
inline void Ziel_Setzen(Jpeg_Auftrag* a, std::vector<uint8_t>& px, uint32_t w, int32_t h, int32_t farbe = FARBE_RGB,
                        uint32_t kanaele = 3) {
    a->Bild_Pixel = px.data();
    a->Bild_Breite = w;
    a->Bild_Hoehe = h;
    a->Bild_Farbraum = farbe;
    a->Bild_Kanaele = kanaele;
}

struct Ergebnis {
    int32_t code = 0;
    Bild bild;
    int32_t schritte = 0;  // calls that returned 1
    int32_t schaden = 0;   // the damage named with JPEG_ERG_BESCHAEDIGT
};

// Decodes a JPEG from memory (datei empty) or from a file: parameter read,
// then the picture in mode `modus` (3, 15, 17, 19 for memory; the file modes
// are one less).
inline Ergebnis Dekodieren(const std::vector<uint8_t>& jpeg, const std::string& datei, int32_t modus,
                           const Optionen& o = {}) {
    Ergebnis e;
    Jpeg_Auftrag a;
    if (Jpeg_Init(&a) != 0) {
        e.code = -999;
        return e;
    }
    Prozessor_Setzen(&a, o.prozessor);
    if (o.kerne) o.kerne(a.Intern.Strom.Kern_Tabelle);
    const bool als_datei = !datei.empty();
    if (als_datei) {
        a.Jpg_Datei = datei.c_str();
    } else {
        Quelle_Setzen(&a, jpeg);
    }
    if (o.dct_vorher) a.Intern.DCT_Art = o.dct;
    e.code = Jpeg_Lesen(&a, als_datei ? 0 : 1);
    if (e.code != 0) {
        Jpeg_Free(&a);
        return e;
    }
    int32_t skala = (modus == 14 || modus == 15)   ? 2
                    : (modus == 16 || modus == 17) ? 4
                    : (modus == 18 || modus == 19) ? 8
                                                   : 1;
    int32_t w = static_cast<int32_t>((a.Jpg_Breite + skala - 1) / skala);
    int32_t h = static_cast<int32_t>((a.Jpg_Hoehe + skala - 1) / skala);
    if (o.rechts > 0) {
        w = o.rechts - o.links;
        h = o.unten - o.oben;
    }
    e.bild.breite = w;
    e.bild.hoehe = h;
    e.bild.kanaele = o.kanaele;
    size_t zeile = static_cast<size_t>(w) * o.kanaele + o.fuellbytes;
    std::vector<uint8_t> puffer(zeile * h + 1, 0xAB);
    a.Bild_Pixel = puffer.data();
    a.Bild_Breite = static_cast<uint32_t>(w);
    a.Bild_Hoehe = o.negativ ? -h : h;
    a.Bild_Kanaele = static_cast<uint32_t>(o.kanaele);
    a.Bild_Farbraum = o.farbe;
    a.Bild_Fuellbytes = static_cast<uint32_t>(o.fuellbytes);
    a.Intern.Glaettung = o.glaettung;
    a.Intern.DCT_Art = o.dct;
    a.Intern.Bereich_Links = o.links;
    a.Intern.Bereich_Oben = o.oben;
    a.Intern.Bereich_Rechts = o.rechts;
    a.Intern.Bereich_Unten = o.unten;
    if (als_datei) --modus;
    int schritte = 0;
    do {
        a.Intern.Unterbrechen = o.schrittweise ? 1 : 0;
        e.code = Jpeg_Lesen(&a, modus);
    } while (e.code == 1 && ++schritte < 10000000);
    e.schritte = schritte;
    EXPECT_EQ(puffer.back(), 0xAB) << "written past the pixel buffer";
    // Rows top-down without fill bytes.
    e.bild.pixel.resize(static_cast<size_t>(w) * h * o.kanaele);
    for (int32_t y = 0; y < h; ++y) {
        size_t quelle = (o.negativ ? static_cast<size_t>(h - 1 - y) : static_cast<size_t>(y)) * zeile;
        std::copy_n(puffer.data() + quelle, static_cast<size_t>(w) * o.kanaele,
                    e.bild.pixel.data() + static_cast<size_t>(y) * w * o.kanaele);
    }
    e.schaden = a.Intern.Schaden;
    Jpeg_Free(&a);
    return e;
}

}  // namespace dek_test

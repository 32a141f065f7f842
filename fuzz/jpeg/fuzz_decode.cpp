// Fuzz target: the decoder on arbitrary bytes, from memory or from a file
// (a memory-backed one), in every read mode. The first bytes choose the
// processor code, the DCT (chosen before or after the parameter read, and
// changed between two bands), smoothing, the pixel layout, the scale, a
// region and stepping; the rest is the JPEG.
#include "jpeg/jpeg.h"
#include "jpeg/jpeg_kern.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Layout {
    int32_t farbe, kanaele;
};
constexpr Layout LAYOUTS[] = {{FARBE_RGB, 3},   {FARBE_BGR, 3},    {FARBE_RGBA, 4}, {FARBE_GRAU, 1},
                              {FARBE_YCBCR, 2}, {FARBE_ANDERE, 3}, {FARBE_RGB, 4},  {FARBE_RGBA, 5}};

void Einmal(const uint8_t* wahl, const uint8_t* daten, size_t groesse) {
    Jpeg_Auftrag a;
    if (Jpeg_Init(&a) != 0) return;
    const int32_t prozessor = wahl[0] % JCPU_ANZAHL;
    Jpeg_Kerne_Fuellen(a.Intern.Strom.Kern_Tabelle, prozessor);
    a.Intern.Strom.Prozessor = prozessor;
    // From a file: the bytes in a memory-backed file, read by its name (the
    // file modes are one below the memory modes).
    int fd = (wahl[1] & 0x80) ? memfd_create("fuzz_decode", MFD_CLOEXEC) : -1;
    if (fd >= 0 && write(fd, daten, groesse) != static_cast<ssize_t>(groesse)) {
        close(fd);
        fd = -1;
    }
    const std::string name = fd >= 0 ? "/proc/self/fd/" + std::to_string(fd) : std::string();
    const int32_t datei = fd >= 0 ? 1 : 0;
    if (datei) {
        a.Jpg_Datei = name.c_str();
    } else {
        a.Jpg_Puffer = const_cast<uint8_t*>(daten);
        a.Jpg_Puffer_Groesse = static_cast<uint32_t>(groesse);
    }
    std::vector<uint8_t> kommentar(wahl[5] & 31);
    a.Intern.jpeg_comment = kommentar.data();
    a.Intern.Kommentar_Groesse = static_cast<uint16_t>(kommentar.size());
    // The DCT chosen before the parameter read too (its tables are then
    // prepared for it at once), or only after it.
    if (wahl[2] & 0x80) a.Intern.DCT_Art = (wahl[2] >> 5) & 1;
    int32_t r = Jpeg_Lesen(&a, ((wahl[1] & 1) ? JMODUS_PUFFER_KOPF : JMODUS_PUFFER_PARAMETER) - datei);
    const uint64_t w = a.Jpg_Breite, h = a.Jpg_Hoehe;
    // Pictures are decoded up to a size the data could plausibly fill: a few
    // bytes declaring a megapixel would spend each run on grey rows that
    // cover no new code (the large-size paths are reached by larger inputs).
    const uint64_t flaeche = (uint64_t{1} << 16) + 64 * uint64_t{groesse};
    if ((r == 0 || r == JPEG_ERG_KOMMENTAR) && w > 0 && h > 0 && w * h <= std::min<uint64_t>(flaeche, 1u << 20)) {
        static constexpr int32_t MODI[] = {3, 15, 17, 19, 21, 7};
        const int32_t modus = MODI[(wahl[1] >> 1) % 6] - datei;
        const Layout l = LAYOUTS[(wahl[1] >> 4) & 7];
        const int32_t m = modus + datei;
        const int32_t skala = m == 15 ? 2 : m == 17 ? 4 : m == 19 ? 8 : 1;
        int32_t bw = static_cast<int32_t>((w + skala - 1) / skala), bh = static_cast<int32_t>((h + skala - 1) / skala);
        if (m == 21) bw = bh = 1 + (wahl[4] & 15);
        const int32_t fuell = wahl[2] & 3;
        JPEG_PROPERTIES& p = a.Intern;
        if (wahl[2] & 4) {
            // A region inside (or partly outside) the picture; the buffer holds the region.
            int32_t l0 = wahl[3] % (bw + 1), o0 = wahl[4] % (bh + 1);
            int32_t r0 = l0 + 1 + wahl[5] % 40, u0 = o0 + 1 + wahl[6] % 40;
            p.Bereich_Links = l0;
            p.Bereich_Oben = o0;
            p.Bereich_Rechts = r0;
            p.Bereich_Unten = u0;
            bw = r0 - l0;
            bh = u0 - o0;
        }
        std::vector<uint8_t> pixel(static_cast<size_t>(bw * l.kanaele + fuell) * bh);
        a.Bild_Pixel = pixel.data();
        a.Bild_Breite = static_cast<uint32_t>(bw);
        a.Bild_Hoehe = (wahl[2] & 8) ? -bh : bh;
        a.Bild_Fuellbytes = static_cast<uint32_t>(fuell);
        a.Bild_Kanaele = static_cast<uint32_t>(l.kanaele);
        a.Bild_Farbraum = l.farbe;
        if (l.farbe == FARBE_YCBCR) a.Bild_Abtastung = 2;
        if (l.farbe == FARBE_ANDERE) a.Jpg_Farbraum = FARBE_ANDERE;
        p.Glaettung = (wahl[2] >> 4) & 1;
        p.DCT_Art = (wahl[2] >> 5) & 1;
        const bool schritte = (wahl[2] >> 6) & 1;
        int runden = 0;
        // Stepping: a few hundred single MCUs, then the rest in one call.
        do {
            p.Unterbrechen = schritte && runden < 400 ? 1 : 0;
            r = Jpeg_Lesen(&a, modus);
        } while (r == 1 && ++runden < 100000);
        // A region decode that ends above the picture's bottom is continued
        // once with the band below it, or (from the entry table) another
        // region is asked for afresh, higher up.
        if (r == JPEG_ERG_BEREICH_FERTIG && (wahl[6] & 0x80) && p.Bereich_Unten > 0) {
            const int32_t hoehe = p.Bereich_Unten - p.Bereich_Oben;
            // The other DCT asked for midway: the picture keeps its first.
            if (wahl[7] & 16) p.DCT_Art ^= 1;
            if (wahl[7] & 1) {
                p.Bereich_Oben = p.Bereich_Oben / 2;
                p.Bereich_Unten = p.Bereich_Oben + hoehe;
            } else {
                p.Bereich_Oben = p.Bereich_Unten;
                p.Bereich_Unten += hoehe;
            }
            r = Jpeg_Lesen(&a, modus);
        }
        // The component planes: coefficients or samples of every block.
        if ((wahl[7] & 6) == 6 && m == 3) {
            int32_t max_h = 1, max_v = 1;
            for (int c = 0; c < p.Anzahl_Komponenten; ++c) {
                max_h = std::max(max_h, p.Komponenten[c].H);
                max_v = std::max(max_v, p.Komponenten[c].V);
            }
            const int64_t mx = (static_cast<int64_t>(w) + 8 * max_h - 1) / (8 * max_h);
            const int64_t my = (static_cast<int64_t>(h) + 8 * max_v - 1) / (8 * max_v);
            Jpeg_Komponenten_Ebenen ebenen{};
            ebenen.Modus = (wahl[7] >> 3) & 1;
            std::vector<int16_t> speicher[4];
            for (int c = 0; c < p.Anzahl_Komponenten && c < 4; ++c) {
                speicher[c].resize(static_cast<size_t>(mx * p.Komponenten[c].H * 8 * my * p.Komponenten[c].V * 8));
                ebenen.Ebene[c] = speicher[c].data();
            }
            Jpeg_Free(&a);
            if (Jpeg_Init(&a) != 0) {
                if (fd >= 0) close(fd);
                return;
            }
            a.Jpg_Puffer = const_cast<uint8_t*>(daten);
            a.Jpg_Puffer_Groesse = static_cast<uint32_t>(groesse);
            a.Intern.Komponenten_Ebenen = &ebenen;
            Jpeg_Lesen(&a, JMODUS_PUFFER_BILD);
            a.Intern.Komponenten_Ebenen = nullptr;
        }
    }
    Jpeg_Free(&a);
    if (fd >= 0) close(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr size_t KOPF = 8;
    if (size < KOPF + 2) return 0;
    Einmal(data, data + KOPF, size - KOPF);
    return 0;
}

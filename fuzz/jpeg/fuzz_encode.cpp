// Fuzz target for the encoder: the input's first bytes choose the picture's
// size, the pixel layout and the JPEG layout (among the combinations the
// interface admits, and a few it refuses), quality, DCT method, restart
// interval, stepping, the progressive road, the processor code and the
// output buffer's room; the rest of the input are the pixels. The pixel
// rows are exactly as large as the layout says, so any read past them is
// caught by the sanitizer. A write that reports success must have produced
// a whole stream (SOI ... EOI) inside the buffer.
#include "jpeg/jpeg.h"
#include "jpeg/jpeg_kern.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Layout {
    int32_t bild_farbraum;
    uint32_t bild_kanaele;
    int32_t bild_abtastung;
    int32_t jpg_farbraum;
    uint32_t jpg_kanaele;
    int32_t jpg_abtastung;
};

const Layout k_layouts[] = {
    {FARBE_RGB, 3, 0, FARBE_YCBCR, 3, ABTASTUNG_411},       {FARBE_RGB, 3, 0, FARBE_YCBCR, 3, ABTASTUNG_422},
    {FARBE_RGB, 3, 0, FARBE_YCBCR, 3, ABTASTUNG_KEINE},     {FARBE_BGR, 3, 0, FARBE_YCBCR, 3, ABTASTUNG_411},
    {FARBE_BGR, 3, 0, FARBE_YCBCR, 3, ABTASTUNG_KEINE},     {FARBE_BGR, 3, 0, FARBE_RGB, 3, ABTASTUNG_422},
    {FARBE_RGB, 3, 0, FARBE_GRAU, 1, ABTASTUNG_KEINE},      {FARBE_BGR, 3, 0, FARBE_GRAU, 1, ABTASTUNG_KEINE},
    {FARBE_RGB, 4, 0, FARBE_YCBCR, 3, ABTASTUNG_411},       {FARBE_RGB, 4, 0, FARBE_YCBCR, 3, ABTASTUNG_KEINE},
    {FARBE_GRAU, 1, 0, FARBE_GRAU, 1, ABTASTUNG_KEINE},     {FARBE_GRAU, 1, 0, FARBE_YCBCR, 3, ABTASTUNG_422},
    {FARBE_RGBA, 4, 0, FARBE_RGBA, 4, ABTASTUNG_4114},      {FARBE_RGBA, 4, 0, FARBE_RGBA, 4, ABTASTUNG_KEINE},
    {FARBE_RGBA, 4, 0, FARBE_YCBCRA, 4, ABTASTUNG_4224},    {FARBE_RGBA, 4, 0, FARBE_YCBCRA, 4, ABTASTUNG_KEINE},
    {FARBE_YCBCR, 3, 0, FARBE_YCBCR, 3, ABTASTUNG_411},     {FARBE_YCBCR, 3, 2, FARBE_YCBCR, 3, ABTASTUNG_422},
    {FARBE_YCBCR, 3, 2, FARBE_YCBCR, 3, ABTASTUNG_411},     {FARBE_ANDERE, 5, 0, FARBE_ANDERE, 3, ABTASTUNG_KEINE},
    {FARBE_ANDERE, 6, 0, FARBE_ANDERE, 4, ABTASTUNG_KEINE}, {FARBE_ANDERE, 2, 0, FARBE_ANDERE, 2, ABTASTUNG_KEINE},
    {FARBE_ANDERE, 4, 0, FARBE_ANDERE, 3, ABTASTUNG_422},   {FARBE_RGB, 3, 0, FARBE_YCBCR, 3, 3},
};

struct Leser {
    const uint8_t* d;
    size_t n, i = 0;
    uint32_t Byte() { return i < n ? d[i++] : 0; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Leser l{data, size};
    const Layout& lay = k_layouts[l.Byte() % (sizeof k_layouts / sizeof k_layouts[0])];
    const int w = 1 + static_cast<int>(l.Byte() % 64);
    const int h = 1 + static_cast<int>(l.Byte() % 64);
    const uint32_t schalter = l.Byte();
    const uint32_t fuell = l.Byte() % 5;
    const uint32_t qualitaet = l.Byte() % 120;
    const int32_t neustart = static_cast<int32_t>(l.Byte() % 8);
    const int32_t prozessor = static_cast<int32_t>(l.Byte() % 7);
    const uint32_t raum = l.Byte() | l.Byte() << 8;
    const int bpp = lay.bild_abtastung == 2 ? 2 : static_cast<int>(lay.bild_kanaele);
    const size_t zeile = static_cast<size_t>(w) * bpp + fuell;
    // The last row ends without fill bytes, so the area is exactly as large
    // as the rows the codec may read.
    std::vector<uint8_t> pixel(zeile * (h - 1) + static_cast<size_t>(w) * bpp);
    for (uint8_t& p : pixel) p = static_cast<uint8_t>(l.Byte());

    Jpeg_Auftrag a;
    if (Jpeg_Init(&a) != 0) return 0;
    Jpeg_Kerne_Fuellen(a.Intern.Strom.Kern_Tabelle, prozessor);
    a.Intern.Strom.Prozessor = prozessor;
    a.Bild_Pixel = pixel.data();
    a.Bild_Breite = static_cast<uint32_t>(w);
    a.Bild_Hoehe = (schalter & 1) ? -h : h;
    a.Bild_Fuellbytes = fuell;
    a.Bild_Kanaele = lay.bild_kanaele;
    a.Bild_Farbraum = lay.bild_farbraum;
    a.Bild_Abtastung = lay.bild_abtastung;
    a.Jpg_Breite = static_cast<uint32_t>(w);
    a.Jpg_Hoehe = static_cast<uint32_t>(h);
    if (schalter & 2) a.Jpg_Breite = static_cast<uint32_t>(w + 1);  // larger than the pixels: refused
    a.Jpg_Kanaele = lay.jpg_kanaele;
    a.Jpg_Farbraum = lay.jpg_farbraum;
    a.Jpg_Abtastung = lay.jpg_abtastung;
    a.Qualitaet = qualitaet;
    a.Intern.DCT_Art = (schalter & 4) ? DCT_SCHNELL : DCT_GENAU;
    a.Intern.Neustart_Intervall = (schalter & 8) ? neustart : 0;
    if (schalter & 16) a.Intern.Scan_Zaehler = 1;
    const bool schritte = schalter & 32;
    const size_t groesse = (schalter & 64) ? raum % 4096 + 1 : static_cast<size_t>(w) * h * 8 + 4096;
    std::vector<uint8_t> puffer(groesse);
    a.Jpg_Puffer = puffer.data();
    a.Jpg_Puffer_Groesse = static_cast<uint32_t>(groesse);
    int32_t erg;
    int runden = 0;
    do {
        a.Intern.Unterbrechen = schritte ? 1 : 0;
        erg = Jpeg_Schreiben(&a, JMODUS_PUFFER_BILD_SCHREIBEN);
    } while (erg == JPEG_ERG_UNTERBROCHEN && ++runden < 10000);
    if (erg == 0) {
        const uint32_t n = a.Jpg_Puffer_Groesse;
        if (n < 4 || n >= groesse || puffer[0] != 0xFF || puffer[1] != 0xD8 || puffer[n - 2] != 0xFF ||
            puffer[n - 1] != 0xD9)
            std::abort();
    }
    Jpeg_Free(&a);
    return 0;
}

// The encoder's general converters: every admitted pixel layout that the
// fast workers do not serve. They read the pixel step from Bild_Kanaele,
// build the MCU (at most 16 x 16 pixels) in a temporary, continue it by
// replication past the picture's edge and down-sample by box averages
// floor((sum + n/2) / n).
#include "jpeg/enc_intern.h"

#include <cstring>

namespace {

struct Geometrie {
    int32_t w, h, c, r;
    const uint8_t* pos;
    int64_t st;
    uint32_t b;
};

Geometrie Vorbereiten(JPEG_PROPERTIES* p, int32_t spalte, int32_t zeile) {
    Geometrie g;
    g.w = 8 * p->Max_H;
    g.h = 8 * p->Max_V;
    Jpeg_MCU_Ausschnitt(p, spalte, zeile, g.w, g.h, &g.c, &g.r);
    g.st = p->Bild_Zeilenlaenge;
    g.b = p->Bild_Kanaele;
    g.pos = p->Bild_Pixel + (static_cast<int64_t>(zeile) * g.h - p->Band_Oben) * g.st +
            static_cast<int64_t>(spalte) * g.w * g.b;
    if (spalte == p->MCU_Spalten - 1)
        p->Strom.Bild_Zeile = p->Bild_Pixel + (static_cast<int64_t>(zeile + 1) * g.h - p->Band_Oben) * g.st;
    else p->Strom.Bild_Zeile = const_cast<uint8_t*>(g.pos) + g.w * g.b;
    return g;
}

// Fills a 16x16 plane with byte k of the present pixels (128 when the pixel
// has no such byte) and replicates it to the MCU.
void Ebene_Fuellen(const Geometrie& g, uint32_t k, int16_t* e) {
    for (int y = 0; y < g.r; ++y) {
        const uint8_t* q = g.pos + y * g.st;
        for (int x = 0; x < g.c; ++x) e[y * 16 + x] = k < g.b ? q[x * g.b + k] : 128;
        for (int x = g.c; x < g.w; ++x) e[y * 16 + x] = e[y * 16 + g.c - 1];
    }
    for (int y = g.r; y < g.h; ++y) std::memcpy(e + y * 16, e + (g.r - 1) * 16, 16 * sizeof(int16_t));
}

// Box average of the plane for sample (sx, sy) of a component with boxes of
// fh x fv pixels.
inline int32_t Mittel(const int16_t* e, int32_t sx, int32_t sy, int32_t fh, int32_t fv) {
    int32_t s = 0;
    for (int j = 0; j < fv; ++j)
        for (int i = 0; i < fh; ++i) s += e[(sy * fv + j) * 16 + sx * fh + i];
    int32_t n = fh * fv;
    return (s + n / 2) / n;
}

// Calls fn(block pointer, sample x, sample y) for every sample of component
// k's H x V blocks, in the work area's order.
template <class Fn>
int16_t* Bloecke(JPEG_PROPERTIES* p, int32_t k, int16_t* aus, Fn fn) {
    const Jpeg_Komponente& kp = p->Komponenten[k];
    for (int by = 0; by < kp.V; ++by)
        for (int bx = 0; bx < kp.H; ++bx) {
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x) aus[y * 8 + x] = static_cast<int16_t>(fn(bx * 8 + x, by * 8 + y));
            aus += 64;
        }
    return aus;
}

// Byte of the pixel that component k takes.
uint32_t Quellbyte(const JPEG_PROPERTIES* p, int32_t k) {
    if (p->Bild_Farbraum == FARBE_BGR && p->Jpg_Farbraum == FARBE_RGB) return static_cast<uint32_t>(2 - k);
    return static_cast<uint32_t>(k);
}

bool Grau_Nach_YCbCr(const JPEG_PROPERTIES* p) {
    return p->Bild_Farbraum == FARBE_GRAU && p->Jpg_Farbraum == FARBE_YCBCR;
}

}  // namespace

void Kod_Allgemein_Vierkanal(JPEG_PROPERTIES* p, int32_t spalte, int32_t zeile) {
    Geometrie g = Vorbereiten(p, spalte, zeile);
    alignas(32) int16_t e[3][256];
    for (int k = 0; k < 3; ++k) Ebene_Fuellen(g, static_cast<uint32_t>(k), e[k]);
    int16_t* aus = p->Arbeitsbereich;
    for (int k = 0; k < 3 && k < p->Anzahl_Komponenten; ++k) {
        const Jpeg_Komponente& kp = p->Komponenten[k];
        int32_t fh = p->Max_H / kp.H, fv = p->Max_V / kp.V;
        aus = Bloecke(p, k, aus, [&](int32_t sx, int32_t sy) {
            int32_t r = Mittel(e[0], sx, sy, fh, fv), gg = Mittel(e[1], sx, sy, fh, fv),
                    b = Mittel(e[2], sx, sy, fh, fv);
            if (k == 0) return (77 * r + 150 * gg + 29 * b - 32640) >> 8;
            if (k == 1) return (-43 * r - 85 * gg + 128 * b + 128) >> 8;
            return (128 * r - 107 * gg - 21 * b + 128) >> 8;
        });
    }
}

void Kod_Allgemein_Grau(JPEG_PROPERTIES* p, int32_t spalte, int32_t zeile) {
    Geometrie g = Vorbereiten(p, spalte, zeile);
    alignas(32) int16_t e[3][256];
    const bool bgr = p->Bild_Farbraum == FARBE_BGR;
    for (int k = 0; k < 3; ++k) Ebene_Fuellen(g, static_cast<uint32_t>(bgr ? 2 - k : k), e[k]);
    int16_t* aus = p->Arbeitsbereich;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            int32_t i = y * 16 + x;
            aus[y * 8 + x] = static_cast<int16_t>((77 * e[0][i] + 150 * e[1][i] + 29 * e[2][i] - 32640) >> 8);
        }
}

void Kod_Grau_Drei_SSSE3(JPEG_PROPERTIES* p, int32_t spalte, int32_t zeile) {
    // A whole MCU of 8x8 three-byte pixels (the common case, a few steps
    // here: it runs for every block of the picture).
    const int64_t x = int64_t{spalte} * 8, y = int64_t{zeile} * 8;
    if (p->Max_H == 1 && p->Max_V == 1 && p->Bild_Kanaele == 3 && x + 8 <= p->Rahmen_Breite &&
        y + 8 <= p->Rahmen_Hoehe) {
        static const auto kern = Jpeg_Simd_Hat(JSIMD_AVX2) ? Jpeg_Kod_Grau_Drei_AVX2 : Jpeg_Kod_Grau_Drei_SSSE3;
        const int64_t st = p->Bild_Zeilenlaenge;
        uint8_t* pos = p->Bild_Pixel + (y - p->Band_Oben) * st + x * 3;
        // Where Vorbereiten leaves it.
        p->Strom.Bild_Zeile = spalte == p->MCU_Spalten - 1 ? p->Bild_Pixel + (y + 8 - p->Band_Oben) * st : pos + 24;
        kern(pos, st, p->Arbeitsbereich, p->Bild_Farbraum == FARBE_BGR);
        return;
    }
    Kod_Allgemein_Grau(p, spalte, zeile);
}

void Kod_Allgemein_Abtasten(JPEG_PROPERTIES* p, int32_t spalte, int32_t zeile) {
    Geometrie g = Vorbereiten(p, spalte, zeile);
    alignas(32) int16_t e[256];
    int16_t* aus = p->Arbeitsbereich;
    for (int k = 0; k < p->Anzahl_Komponenten; ++k) {
        const Jpeg_Komponente& kp = p->Komponenten[k];
        if (k > 0 && Grau_Nach_YCbCr(p)) {
            aus = Bloecke(p, k, aus, [](int32_t, int32_t) { return 0; });
            continue;
        }
        Ebene_Fuellen(g, Quellbyte(p, k), e);
        int32_t fh = p->Max_H / kp.H, fv = p->Max_V / kp.V;
        aus = Bloecke(p, k, aus, [&](int32_t sx, int32_t sy) { return Mittel(e, sx, sy, fh, fv) - 128; });
    }
}

void Kod_Allgemein_Kopie(JPEG_PROPERTIES* p, int32_t spalte, int32_t zeile) {
    Geometrie g = Vorbereiten(p, spalte, zeile);
    alignas(32) int16_t e[256];
    int16_t* aus = p->Arbeitsbereich;
    for (int k = 0; k < p->Anzahl_Komponenten; ++k) {
        if (k > 0 && Grau_Nach_YCbCr(p)) {
            std::memset(aus, 0, 64 * sizeof(int16_t));
            aus += 64;
            continue;
        }
        Ebene_Fuellen(g, Quellbyte(p, k), e);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) aus[y * 8 + x] = static_cast<int16_t>(e[y * 16 + x] - 128);
        aus += 64;
    }
}

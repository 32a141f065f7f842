// The software blitter: one entry (Blt_Blit) clips the rectangle, drops the
// options the source cannot serve and hands the work to exactly one pixel
// loop; the loops themselves are below for callers that draw directly.
#pragma once

#include <vector>

#include "base/types.h"
#include "graphics/rastport.h"

// The option record of a blit. `farbe` holds the tint or coverage colour in
// its low half and the key value (grey and tint with colour key) in its high
// half.
struct Blt_Optionen {
    u32 schluessel = 0;  // colour key
    u32 maske = 0;
    u32 alpha = 0;
    u32 zweite = 0;
    u32 toenen = 0;
    u32 sprite = 0;
    u32 grau = 0;
    u32 frei8 = 0;
    u32 frei9 = 0;
    u32 deckung = 0;  // coverage colour
    i32 stufe_a = 0;
    u32 frei12 = 0;
    i32 gewicht = 0;  // tint weight: the source's share out of 128
    u32 frei14 = 0;
    u32 farbe = 0;
};
static_assert(sizeof(Blt_Optionen) == 60, "the option record is 60 bytes");

// Shared presets (the font code writes the colour of Schatten and Einfaerben
// before each glyph).
extern Blt_Optionen* const Blt_Opt_Standard;
extern Blt_Optionen* const Blt_Opt_Transparent;
extern Blt_Optionen* const Blt_Opt_Maske;
extern Blt_Optionen* const Blt_Opt_Schatten;
extern Blt_Optionen* const Blt_Opt_Einfaerben;
extern Blt_Optionen* const Blt_Opt_Sprite;
extern Blt_Optionen* const Blt_Opt_Maske_Alpha;
extern Blt_Optionen* const Blt_Opt_Alpha_Transparent;
extern Blt_Optionen* const Blt_Opt_Alpha;

// Clips (sx, sy, w, h) of a SW x SH source drawn at (dx, dy) into a DW x DH
// destination. 1 when something remains (the values adjusted), else 0.
i32 Blt_Clip(i32* sx, i32* sy, i32* w, i32* h, i32 sw, i32 sh, i32* dx, i32* dy, i32 dw, i32 dh);

// Draws (sx, sy, w, h) of `src` at (dx, dy) of `dst`; w or h -1 = full size;
// null options = opaque. Returns 1 when a loop drew, 0 otherwise.
i32 Blt_Blit(Rastport* src, i32 sx, i32 sy, i32 w, i32 h, Rastport* dst, i32 dx, i32 dy, const Blt_Optionen* opt);

// Fills a rectangle (only at depth 15 and 16); always returns 0.
i32 Blt_Rechteck(Rastport* rp, i32 x, i32 y, i32 w, i32 h, u32 farbe, const void* fuell_optionen = nullptr);
// A frame of thickness t as four rectangles; returns 1.
i32 Blt_Rahmen(Rastport* rp, i32 x, i32 y, i32 w, i32 h, u32 farbe, i32 t, const void* fuell_optionen = nullptr);

// Draws a whole sprite at (dx, dy) of the destination, mirrored or at half
// size (rows 0, 2, 4, ..., columns 1, 3, 5, ...); clipped against the
// destination. Sprite-alpha blends literal pixels by level/128.
i32 Blt_Rle(const Rle_Sprite& sp, Rastport* dst, i32 dx, i32 dy);
i32 Blt_Rle_Gespiegelt(const Rle_Sprite& sp, Rastport* dst, i32 dx, i32 dy);
i32 Blt_Rle_Halb(const Rle_Sprite& sp, Rastport* dst, i32 dx, i32 dy);
i32 Blt_Rle_Gespiegelt_Halb(const Rle_Sprite& sp, Rastport* dst, i32 dx, i32 dy);
i32 Blt_Rle_Alpha(const Rle_Sprite& sp, Rastport* dst, i32 dx, i32 dy, i32 stufe);

// An 8-bit run-length sprite: control bytes (bit 7 set: (b ^ 0x80) indices
// of a 256-entry colour table follow; clear: that many transparent pixels).
struct Rle8_Sprite {
    i16 breite = 0;
    i16 hoehe = 0;
    std::vector<u32> zeilen;
    std::vector<u8> daten;
};
enum : i32 { RLE_GESPIEGELT = 1, RLE_HALB = 2 };
// True when every row fits the width and the data.
bool Rle8_Sprite_Pruefen(const Rle8_Sprite& sp);
// Draws it through the colour table, mirrored and/or at half size; a sprite
// whose rows do not fit is not drawn (0).
i32 Blt_Rle8(const Rle8_Sprite& sp, const u16* tabelle, Rastport* dst, i32 dx, i32 dy, i32 art = 0);

// A keyed picture's opaque runs, row by row (made once for a picture whose
// pixels do not change): drawing it writes only those, reading nothing of
// the destination.
struct Blt_Laeufe {
    struct Lauf {
        u16 x, n;    // first column, length
        u32 pixel;   // its first pixel in `pixel`
    };
    const Rastport* quelle = nullptr;  // the picture it was made from
    u32 serie = 0;                      // and that picture's number
    i32 breite = 0, hoehe = 0;
    std::vector<u32> zeilen;  // row y's runs: laeufe[zeilen[y] .. zeilen[y + 1])
    std::vector<Lauf> laeufe;
    std::vector<u16> pixel;
};
// The runs of a 15/16-bit picture (its colour key left out); false (and
// `aus` empty) for one without pixels or of another depth.
bool Blt_Laeufe_Bauen(Rastport* src, Blt_Laeufe* aus);
// Draws `src` whole at (dx, dy) as Blt_Blit(src, 0, 0, -1, -1, dst, dx, dy,
// Blt_Opt_Transparent) does, pixel for pixel and in the draw trace: through
// its runs where it lies wholly inside the destination at the same depth and
// nothing records or probes the drawing, else through Blt_Blit.
i32 Blt_Laeufe_Zeichnen(const Blt_Laeufe& l, Rastport* src, Rastport* dst, i32 dx, i32 dy);

// Darkens every pixel of the area by level/128 (a non-zero pixel stays
// non-zero).
i32 Blt_Abdunkeln(Rastport* rp, i32 x, i32 y, i32 w, i32 h, i32 stufe);
// Blends a 15/16-bit picture through its alpha plane over another of the
// same size and depth, mirrored left to right when asked; a blended pixel
// never becomes the key 0 (1 instead), alpha 0 keeps the pixel. 0 when the
// sizes, depths or the alpha plane do not fit (nothing drawn).
i32 Blt_Licht_Mischen(const Rastport& quelle, Rastport& ziel, bool gespiegelt);
// Copies at half size with colour key 0 (rows 0, 2, ..., columns 1, 3, ...).
i32 Blt_Kopie_Transparent_Halb(Rastport* src, Rastport* dst, i32 dx, i32 dy);

// --- Pixel loops (channel arithmetic shared by every member) ---------------

namespace pixel {

// Channels of a 15- or 16-bit pixel as 8-bit values and back.
template <int T>
struct Kanal {
    static constexpr u32 R = T == 16 ? 0xF800 : 0x7C00;
    static constexpr u32 G = T == 16 ? 0x7E0 : 0x3E0;
    static int r8(u32 p) { return T == 16 ? (p >> 8) & 248 : (p >> 7) & 248; }
    static int g8(u32 p) { return T == 16 ? (p >> 3) & 252 : (p >> 2) & 248; }
    static int b8(u32 p) { return (p & 31) << 3; }
    static u16 pack(int r, int g, int b) {
        r = r < 0 ? 0 : r > 255 ? 255 : r;
        g = g < 0 ? 0 : g > 255 ? 255 : g;
        b = b < 0 ? 0 : b > 255 ? 255 : b;
        if (T == 16) return static_cast<u16>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
        return static_cast<u16>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
    }
};

// d * (inv) / 256 + s * a / 256 per channel.
template <int T>
inline u16 mischen(u32 d, u32 s, int a, int inv) {
    using K = Kanal<T>;
    return K::pack(((K::r8(d) * inv) >> 8) + ((K::r8(s) * a) >> 8), ((K::g8(d) * inv) >> 8) + ((K::g8(s) * a) >> 8),
                   ((K::b8(d) * inv) >> 8) + ((K::b8(s) * a) >> 8));
}

// Tint: (s * w) >> 7 + colour * (128 - w) / 128; never 0.
template <int T>
inline u16 toenen(u32 s, u32 farbe, int w) {
    using K = Kanal<T>;
    const int v = 128 - w;
    u16 p = K::pack(((K::r8(s) * w) >> 7) + K::r8(farbe) * v / 128, ((K::g8(s) * w) >> 7) + K::g8(farbe) * v / 128,
                    ((K::b8(s) * w) >> 7) + K::b8(farbe) * v / 128);
    return p ? p : 1;
}

// Grey: L = (G8 * 60 + R8 * 45 + B8 * 23) >> 7, all channels from L (565
// green takes six bits of it).
template <int T>
inline u16 grau(u32 s) {
    using K = Kanal<T>;
    const int l = (K::g8(s) * 60 + K::r8(s) * 45 + K::b8(s) * 23) >> 7;
    return K::pack(l, l, l);
}

// Shade by level/128; a non-zero pixel stays non-zero.
template <int T>
inline u16 abdunkeln(u32 s, int stufe) {
    using K = Kanal<T>;
    u16 p = K::pack((K::r8(s) * stufe) >> 7, (K::g8(s) * stufe) >> 7, (K::b8(s) * stufe) >> 7);
    return (s && !p) ? 1 : p;
}

inline bool maske_bit(const u8* m, i64 i) { return (m[i >> 3] >> (i & 7)) & 1; }

}  // namespace pixel

// The draw probe, the clipped pass and the screen watch. The menu engine
// keeps the frame it composed last and draws the next one only where it
// differs: it first runs the frame's drawing with the probe on, which draws
// nothing on the probed target and instead takes a fingerprint of every
// call aimed at it (the source picture, places, sizes, options, colours,
// texts) and the rectangle it would draw in, section by section (one icon a
// section). Sections with the same fingerprint as the frame before draw the
// same pixels; the others' old and new rectangles are drawn again in a
// clipped pass: every call aimed at the target draws only inside the
// rectangle. Drawing the probe cannot follow (a write through the pixels, a
// source whose pixels can change) makes the probe unsure; drawing the
// clipped pass cannot clip makes it fail. Either way the frame is drawn
// whole.
//
// Between two frames the target is watched: any drawing aimed at it from
// elsewhere marks it touched, and the next frame is drawn whole.
//
// Off by default; when off, drawing pays one test of a pointer.
#pragma once

#include "base/types.h"

struct Rastport;
struct Blt_Optionen;

// A rectangle on the target, x0 <= x < x1, y0 <= y < y1.
struct Abdruck_Rechteck {
    i32 x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool leer() const { return x1 <= x0 || y1 <= y0; }
    i64 flaeche() const { return leer() ? 0 : static_cast<i64>(x1 - x0) * (y1 - y0); }
    void dazu(const Abdruck_Rechteck& r);
};

// Read by the blitter, the fonts and the surfaces; set through the calls below.
extern const Rastport* Abdruck_Ziel;

// The probe on `ziel`: the fingerprint starts afresh.
void Abdruck_Probe_Beginnen(const Rastport* ziel);
// Ends the section drawn so far: its fingerprint and rectangle (either may
// be null); the next section starts empty.
void Abdruck_Abschnitt(u64* hash, Abdruck_Rechteck* rechteck);
// Ends the probe; false when it is unsure.
bool Abdruck_Probe_Ende();
// The clipped pass on `ziel`: drawing aimed at it lands only inside `r`.
void Abdruck_Klipp_Beginnen(const Rastport* ziel, const Abdruck_Rechteck& r);
// Ends the pass; false when something drew on the target that could not be clipped.
bool Abdruck_Klipp_Ende();
// Watches `ziel` (null: nothing) until the next probe, pass or watch.
void Abdruck_Wache(const Rastport* ziel);
// Whether the watched target was drawn on since the watch began (anywhere);
// `flaeche` (may be null) gets the rectangles drawn over by what marks only
// its place (Abdruck_Flaeche_Beruehrt).
bool Abdruck_Beruehrt(Abdruck_Rechteck* flaeche = nullptr);
// While `ziel` is watched, a value that changes with every drawing aimed at
// it (and with every watch begun); 0 when it is not watched. Drawing that
// finds it as it left it knows nothing was drawn there since.
u64 Abdruck_Wache_Stand(const Rastport* ziel);
void Abdruck_Aus();

// --- Called by the drawing code ------------------------------------------------
// Each is called only when the destination is Abdruck_Ziel.

enum class Abdruck_Folge : u8 {
    ZEICHNEN,  // draw as usual (with the arguments as the call left them)
    FERTIG,    // draw nothing; return as if drawn
};

// A picture drawn from `src` (its identity: a picture that never changes its
// pixels, Rastport::fest; any other makes the probe unsure). In the clipped
// pass the place and size are cut to the rectangle.
Abdruck_Folge Abdruck_Blit(const Rastport* src, i32* sx, i32* sy, i32* w, i32* h, i32* dx, i32* dy,
                           const Blt_Optionen* opt, i64 art, bool sprite);
// A glyph of a font's sheet (its columns sx .. sx + w, the sheet's whole
// height) at (dx, dy), `breiter` pixels wider for a bold double stroke,
// drawn the font's way `art` (mode, colour, boldness): the probe takes it in
// fewer values than a blit; otherwise it is drawn through the blitter as usual.
Abdruck_Folge Abdruck_Glyphe(const Rastport* blatt, i32 sx, i32 w, i32 dx, i32 dy, i32 breiter, u64 art);
// A fill or darkening of a rectangle with values of its own; cut like a blit.
Abdruck_Folge Abdruck_Flaeche(i32* x, i32* y, i32* w, i32* h, const i64* werte, i32 anzahl);
// A drawing taken whole (a text with its shadow, a crest): the probe takes
// its values and rectangle; the clipped pass skips it when the rectangle
// lies outside, else lets it draw (through the calls above, or marked
// with Abdruck_Unsicher).
Abdruck_Folge Abdruck_Ganz(const Abdruck_Rechteck& r, const i64* werte, i32 anzahl, const char* text = nullptr);
// A drawing whose calls on the target depend on `werte` alone (every value
// it reads, its place among them): probed the first time, its calls are
// fingerprinted apart and remembered with their rectangle; probed again
// with the same values, the remembered fingerprint and rectangle are taken
// and it draws nothing (FERTIG). In the clipped pass a remembered one whose
// rectangle lies outside the clip draws nothing either. On ZEICHNEN the
// drawing follows, then Abdruck_Gemerkt_Ende. Drawings within one are
// fingerprinted as usual; an unsure one is not remembered. `nachher`
// (given to Abdruck_Gemerkt_Ende) is kept with it and handed back
// (through `nachher`, if given) whenever FERTIG is: what the drawing
// leaves behind, for the caller to set as drawing it would have.
Abdruck_Folge Abdruck_Gemerkt(const i64* werte, i32 anzahl, i64* nachher = nullptr);
void Abdruck_Gemerkt_Ende(i64 nachher = 0);
// Forgets every remembered drawing.
void Abdruck_Gemerkt_Vergessen();

// Drawing that leaves no fingerprint and cannot be clipped.
void Abdruck_Unsicher();
// Drawing over the finished frame in a known rectangle (a video's overlay):
// the watch keeps the rectangle for the next frame, which draws it again.
void Abdruck_Flaeche_Beruehrt(const Abdruck_Rechteck& r);

// While one lives, locking the target is the blitter's own (not a write
// past it).
struct Abdruck_Schutz {
    Abdruck_Schutz();
    ~Abdruck_Schutz();
    Abdruck_Schutz(const Abdruck_Schutz&) = delete;
    Abdruck_Schutz& operator=(const Abdruck_Schutz&) = delete;
};
// Rastport_Lock on the target outside a Abdruck_Schutz.
void Abdruck_Gesperrt();

inline bool Abdruck_Trifft(const Rastport* ziel) { return Abdruck_Ziel && ziel == Abdruck_Ziel; }

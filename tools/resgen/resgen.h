// The resource generator: shared pieces of its drawing and font code.
#pragma once

#include <cairo.h>

#include <functional>
#include <string>
#include <vector>

#include "base/types.h"
#include "graphics/rastport.h"

struct Font;

namespace resgen {

// A club as the crest recipe sees it.
struct Verein {
    std::string name;
    u32 farbe1 = 0xFFFFFF, farbe2 = 0x16263D;  // 0xRRGGBB
    bool vorhanden = false;
    u32 saat = 0;  // raised until the crest differs from every other
};

// Everything a recipe may need besides its own arguments.
struct Umgebung {
    std::string art_ordner;      // data/art
    std::vector<Verein> wappen;  // by crest number 0..1000
    std::vector<std::string> attribute;  // the special attributes' names, by number
};

// An ARGB32 Cairo surface turned into a 565 picture: ordered dithering, pixels
// below alpha 32 become the colour key 0, the rest composed over the panel
// colour; an alpha plane when `mit_alpha`. No opaque pixel is 0.
Rastport* Aus_Cairo(cairo_surface_t* s, bool mit_alpha);

// An authored SVG rendered with librsvg into a new ARGB32 surface of w x h
// (the caller destroys it); null with a message on stderr.
cairo_surface_t* Svg_Flaeche(const std::string& datei, i32 w, i32 h);
// The comma-separated arguments after a recipe's name and colon (none without a colon).
std::vector<std::string> Argumente(const std::string& rezept);
// Deterministic mixing of a number (the generator has no global random state).
u32 Streuen(u32 x);

// Cairo helpers of the recipes: a 0xRRGGBB source colour, a rounded rectangle path.
void Farbe_Setzen(cairo_t* c, u32 rgb, double a = 1.0);
void Rund_Rechteck(cairo_t* c, double x, double y, double w, double h, double r);
// The screens' panel shapes: a rounded panel (a soft shadow below, a
// gradient from `oben` to `unten`, a light top edge); a sunken box on
// `grund` (navy by default); a thin gold rule.
void Panel_Malen(cairo_t* c, double x, double y, double w, double h, double r, u32 oben, u32 unten);
void Mulde_Malen(cairo_t* c, double x, double y, double w, double h, u32 grund = 0x0E1A2B);
void Gold_Linie_Malen(cairo_t* c, double x, double y, double w);
// The end of a recipe drawn on a Cairo surface: the context and the surface
// given up, the picture made (Aus_Cairo) and returned.
Rastport* Cairo_Fertig(cairo_t* c, cairo_surface_t* sf, bool mit_alpha);
// The end of a recipe whose name is unknown: the message ("resgen:
// unbekanntes <art> \"<name>\"") on stderr, context and surface given up; null.
Rastport* Rezept_Unbekannt(cairo_t* c, cairo_surface_t* sf, const char* art, const std::string& name);

// Draws one recipe ("wappen", "pokal:<kind>", "svg:<file>", "panel", ...) at
// w x h; entry is the entry number within its archive. Null with a message
// on stderr when the recipe is unknown or fails.
Rastport* Zeichnen(const std::string& rezept, i32 w, i32 h, i32 eintrag, const Umgebung& u);

// A face part: arguments kind (basis, kopf, augen, nase, mund, haare,
// maske), style 0 or 1, and the first entry of its group.
Rastport* Gesicht_Teil(const std::vector<std::string>& arg, i32 w, i32 h, i32 eintrag);

// A picture of the pitch overview: hintergrund, heim, gast, ball,<first
// entry>, netz_links, netz_rechts.
Rastport* Uebersicht_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h, i32 eintrag);

// A pitch picture of the live match view: arguments stadium kind 0..6 and
// "voll" (3610 x 980) or "halb" (1805 x 490); null for another size.
Rastport* Rasen_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h);
// The piece of a goal the live view draws over the figures ("tor:links|rechts,
// voll|halb"): the size must be the goal's box of that scale.
Rastport* Tor_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h);
// The light over the grass of the live view ("rasenlicht:<first kind of
// its group 0|2|4>,voll|halb"), with its alpha plane; the size must be the
// pitch picture's of that scale.
Rastport* Rasen_Licht_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h);
// The players' tunnel and the dugouts of the live view ("tunnel"), at the
// size spielansicht::TUNNEL_BREITE x TUNNEL_HOEHE.
Rastport* Tunnel_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h);
// A stand picture of the live view ("tribuene:<side 0..5>,<level 0..4>"): the
// size must be the side's box.
Rastport* Tribuene_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h);

// The live match view's bars: "kopf" (a header bar background at w x h),
// "ziffern_gross" (60 x 229) and "ziffern_klein" (44 x 172) score digits,
// "regen,<first entry>" and "schnee,<first entry>" (nine frames each).
Rastport* Stadion_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h, i32 eintrag);

// An animation set of the live view: entry 0 the ball, 1..188 the figures'
// motions and the things linked sets draw (ball in the hands, flag, card),
// 189..203 the spectators (docs/formats/animset.md).
std::vector<u8> Animset_Blob(i32 eintrag);
// The in-match line-up and tactics windows' pictures: liste, feld, zeile[,an],
// schalter[,an], raus, rein, rot, gelbrot, platz, verletzt, taktik, balken,
// fuellung, plus[,gedrueckt], minus[,gedrueckt].
Rastport* Im_Spiel_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h);
// The pre-match picture's pictures: hintergrund, overlay, overlay_alpha,
// nummern (a sheet of 50 numbers), schatten, trikot (the entry's place in
// its kit block: the kit, six figures, their six alpha planes).
Rastport* Vorspiel_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h, i32 eintrag);

// The player screens' pictures: "attribut:<first entry>,<size kind>",
// "stapel:<oben|mitte|unten>[,an]", "marke:<aktiv|negativ>", "schleier",
// "ecke", "sperre:<gelb|rot|lang|verletzt>"; null for another recipe name.
Rastport* Spielerbild_Zeichnen(const std::string& name, const std::vector<std::string>& arg, i32 w, i32 h, i32 eintrag,
                               const Umgebung& u);
// The special attributes' names from the global configuration, in order.
std::vector<std::string> Attribut_Namen_Lesen(const std::string& datei);

// The transfer market's pictures: transfer, zeile, scout, verhandlung,
// balken,<grund|spanne|gebot>, suche, reise, gebiet, kontinent,
// kontinent_klein, heimkehr, fortschritt,<leer|voll>, log, globus (the entry
// number picks the scout, area, continent or frame).
Rastport* Markt_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h, i32 eintrag);

// The training screens' pictures (tr:<part>,...; tools/resgen/training.cpp).
Rastport* Training_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h, i32 eintrag);

// Pieces of the training pictures the training videos share: an
// attribute's symbol (side s, centred) and a camp's landscape.
void Attribut_Zeichen_Malen(cairo_t* c, int attribut, double cx, double cy, double s, u32 farbe);
void Lager_Ort_Malen(cairo_t* c, double w, double h, int lager);
// The training videos: "uebung" (an attribute's drill, by entry), "lager" (a
// camp, by entry) and "meister" (the learned-attribute film).
std::vector<u8> Trainingsfilm(const std::string& rezept, i32 w, i32 h, i32 bilder, i32 eintrag);
// Draws `bilder` frames of w x h with `zeichnen` (context, frame number) and
// writes them as a KVID video at 12.5 frames a second; empty when a frame fails.
std::vector<u8> Film_Aus_Bildern(i32 w, i32 h, i32 bilder, const std::function<void(cairo_t*, i32)>& zeichnen);
// The intro folder's videos: "1" the maker, "2" the title, "3" the
// floodlights, "ende" the closing title.
std::vector<u8> Intro_Film(const std::string& welcher, i32 w, i32 h, i32 bilder);

// The stadium screen's picture of a ground: "stadionbild:<first entry>"
// (class = entry - first entry, 0..5) or "stadionbild:bau,<1|3>" (the
// confirmation of building or renovating).
Rastport* Stadionbild_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h, i32 eintrag);

// An advertising partner's logo "sponsor:<first entry>" (partner = entry -
// first entry) and the advertising screen's marks "sponsor:bande" and
// "sponsor:aus".
Rastport* Sponsor_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h, i32 eintrag);
// An advertising partner's mark (emblem and name in its colours) in the box
// (0, 0, w, h) of the current transformation, on its ground colour when
// `grund` is set.
void Sponsor_Marke(cairo_t* c, int id, double w, double h, bool grund = false);

// The data editor's pictures (ed:<part>,...; tools/resgen/editor.cpp).
Rastport* Editor_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h);
// What tells two crests apart (shape, division, charge, colours).
std::string Wappen_Signatur(i32 nummer, const Umgebung& u);

// Renders a font from a DejaVu file at the given line height.
Font* Schrift(const std::string& datei, i32 hoehe);

// A FreeType-backed Cairo font face for a DejaVu file (cached).
cairo_font_face_t* Cairo_Schrift(const std::string& datei);
std::string Dejavu_Pfad(const std::string& datei);

// A menu sound ("klick", "glocke", "fanfare", "jingle", "stille", ...) of
// `ms` milliseconds as a complete WAV file (22,050 Hz, mono, peak -6 dBFS);
// empty with a message when the recipe is unknown.
std::vector<u8> Ton(const std::string& rezept, i32 ms);
// A stadium sound ("pfiff_kurz", "netz", "menge_ruhig", "gesang", "torjubel",
// ...; the manifest writes them "stadion:<name>") of `ms` milliseconds as
// samples at 22,050 Hz, not yet levelled; the crowd's loops ("menge_*",
// "gesang*") join seamlessly end to start. Empty with a message for an
// unknown name.
std::vector<float> Stadion_Ton(const std::string& art, i32 ms);
// The background music from a text score (docs/formats/partitur.md),
// rendered with FluidSynth: a seamless stereo loop as a WAV file; empty
// with the reason in *fehler.
std::vector<u8> Musik(const std::string& partitur, const std::string& soundfont, std::string* fehler);
std::string Soundfont_Pfad();
// A video clip ("training:25", "menue:hauptmenue.svg,200,100:75", ...; the
// frame count after the last colon, 12.5 frames a second) as a KVID video;
// empty with a message when it cannot be drawn.
std::vector<u8> Film(const std::string& rezept, i32 w, i32 h, i32 eintrag, const Umgebung& u);

}  // namespace resgen

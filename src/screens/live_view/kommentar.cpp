// The live view's commentary sentences and its ticker line.
#include "screens/live_view/kommentar.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "graphics/alpha.h"
#include "graphics/font.h"
#include "gui/kit.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "screens/live_view/figuren.h"
#include "screens/live_view/spielansicht.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {

constexpr u32 TICKER_DAUER_MS = 3000;
constexpr Kit_Schrift TICKER_SCHRIFT = Kit_Schrift::SCHMAL_GROSS;
// The band under the ticker: its margin beside the words, its cover.
constexpr i32 TICKER_RAND = 10, TICKER_BAND_PROZENT = 55;
constexpr i32 TICKER_SCHRITT = 4;  // the steps in which the ticker goes up clear of the boards
constexpr i32 TICKER_ABSTAND = 2;  // the room it keeps from a board
constexpr u16 SCHATTEN = 1;  // near black: 0 would be the colour key
constexpr int VERLETZUNGS_ARTEN = 42;

// The words of the sentences: entries of the REST_TAVESK texts.
enum : i32 {
    T_EIGENTOR = 181,
    T_TOR = 182,
    T_GELBROT = 183,
    T_ROT = 184,
    T_GELB = 185,
    T_FOUL_AN = 186,
    T_FOUL_ENDE = 187,
    T_FOUL = 188,
    T_VERLETZT_ART = 189,
    T_VERLETZT = 190,
    T_WECHSEL_FUER = 191,
    T_WECHSEL_ENDE = 192,
    T_WECHSEL = 193,
    T_STANDARD_FAHNE = 194,
    T_STANDARD = 195,
};

const char* t(i32 n) { return Text_cfg_Text(TEXT_REST, n); }

// The name of the player in a slot of the pitch ("" for an empty slot or
// one outside the table).
struct Name {
    char text[48] = {};
    Name(const Spielfeld_Daten& sf, int slot) {
        if (slot < 0 || slot >= SF_SPIELER) return;
        const i32 nr = sf.spieler[slot].spieler;
        if (nr < 0 || nr >= Spieler_Anzahl) return;
        std::snprintf(text, sizeof text, "%s", Spieler_String(63, nr, nullptr, 0));
    }
};

// The sentence for the event in `e` into `aus`; false for a kind the
// commentary does not answer.
bool satz(const Spielfeld_Daten& sf, const Spielfeld_Ereignis_Kopf& e, char (&aus)[256]) {
    const Name n(sf, e.slot);
    const char* N = n.text;
    auto pruefen = [&](u32 maske) { return Spielansicht_Ereignis_Pruefen(&sf, maske); };
    if (pruefen(SFE_EIGENTOR)) std::snprintf(aus, sizeof aus, "%s %s!", t(T_EIGENTOR), N);
    else if (pruefen(SFE_TOR)) std::snprintf(aus, sizeof aus, "%s %s", t(T_TOR), N);
    else if (pruefen(SFE_GELBROT)) std::snprintf(aus, sizeof aus, "%s %s.", t(T_GELBROT), N);
    else if (pruefen(SFE_ROT)) std::snprintf(aus, sizeof aus, "%s %s.", t(T_ROT), N);
    else if (pruefen(SFE_GELB)) std::snprintf(aus, sizeof aus, "%s %s.", t(T_GELB), N);
    else if (pruefen(SFE_FOUL)) {
        if (e.zweiter >= 0)
            std::snprintf(aus, sizeof aus, "%s %s %s %s", Name(sf, e.zweiter).text, t(T_FOUL_AN), N, t(T_FOUL_ENDE));
        else std::snprintf(aus, sizeof aus, "%s %s", N, t(T_FOUL));
    } else if (pruefen(SFE_VERLETZUNG)) {
        // For an injury the second-player field carries the injury's kind.
        if (e.zweiter >= 0 && e.zweiter < VERLETZUNGS_ARTEN)
            std::snprintf(aus, sizeof aus, "%s %s %s", N, t(T_VERLETZT_ART), Spieler_Get_Verletzungs_Text(e.zweiter));
        else std::snprintf(aus, sizeof aus, "%s %s", N, t(T_VERLETZT));
    } else if (pruefen(SFE_WECHSEL)) {
        if (e.zweiter >= 0)
            std::snprintf(aus, sizeof aus, "%s %s %s %s", N, t(T_WECHSEL_FUER), Name(sf, e.zweiter).text,
                          t(T_WECHSEL_ENDE));
        else std::snprintf(aus, sizeof aus, "%s %s", N, t(T_WECHSEL));
    } else if (pruefen(SFE_STANDARD)) {
        std::snprintf(aus, sizeof aus, "%s (%s)", t(sf.linienrichter_ruf ? T_STANDARD_FAHNE : T_STANDARD), N);
    } else {
        return false;
    }
    return true;
}

// One line of the ticker, centred in the view, its shadow one pixel to the
// right and one above.
void zeile(Rastport* ziel, const Spielansicht_View& v, const char* text, i32 y) {
    Font* f = Kit_Font(TICKER_SCHRIFT);
    const Kit_Stelle mitte{Kit_Ausrichtung::MITTE, v.breite / 2};
    Kit_Printf_Stelle(ziel, f, SCHATTEN, v.screen_x + 1, y - 1, Kit_Schein::SCHLICHT, mitte, "%s", text);
    Kit_Printf_Stelle(ziel, f, FARBE_WEISS, v.screen_x, y, Kit_Schein::SCHLICHT, mitte, "%s", text);
}

// The band under the ticker's lines (their widest plus a margin, inside
// the view), dark and half-transparent: the words stand apart from the
// boards and figures behind them.
void band(Rastport* ziel, const Spielansicht_View& v, i32 breite, i32 oben, i32 unten) {
    const i32 w = std::min(breite + 2 * TICKER_RAND, v.breite);
    Blt_Rechteck_Alpha(ziel, v.screen_x + (v.breite - w) / 2, oben, w, unten - oben, FARBE_NAVY, TICKER_BAND_PROZENT);
}

// How far the ticker's band (`breite` of text, `band_hoehe` from its top
// to the view's foot) goes up so that it hides no board: at the foot while
// none shows there; else the place it took last while that is still clear,
// else the lowest clear one in steps up to the view's middle; where none is
// clear, the one over the fewest board pixels.
i32 hoch(Spielansicht_View& v, i32 breite, i32 band_hoehe) {
    const i32 w = std::min(breite + 2 * TICKER_RAND, v.breite);
    const i32 x = v.screen_x + (v.breite - w) / 2;
    // The band with a margin of TICKER_ABSTAND: it does not touch a board either.
    auto pixel = [&](i32 h) {
        return Spielansicht_Banden_Pixel(&v, x - TICKER_ABSTAND, v.screen_y + v.hoehe - h - band_hoehe - TICKER_ABSTAND,
                                         w + 2 * TICKER_ABSTAND, band_hoehe - 4 + 2 * TICKER_ABSTAND);
    };
    if (pixel(0) == 0) return v.ticker_hoch = 0;
    if (v.ticker_hoch > 0 && v.ticker_hoch <= v.hoehe / 2 && pixel(v.ticker_hoch) == 0) return v.ticker_hoch;
    i32 best = 0, best_pixel = pixel(0);
    for (i32 h = TICKER_SCHRITT; h <= v.hoehe / 2; h += TICKER_SCHRITT) {
        const i32 n = pixel(h);
        if (n < best_pixel) best = h, best_pixel = n;
        if (n == 0) break;
    }
    return v.ticker_hoch = best;
}

}  // namespace

bool Spielansicht_Ereignis_Pruefen(const Spielfeld_Daten* sf, u32 maske) {
    return sf && sf->ereignis.gueltig && (sf->ereignis.flags & maske) == maske;
}

void Spielansicht_Ereignis_Quittieren(Spielfeld_Daten* sf) {
    if (sf) sf->ereignis.gueltig = 0;
}

bool Spielansicht_Kommentar(Spielansicht_View* v) {
    if (!v || !v->pitch) return false;
    const Spielfeld_Ereignis_Kopf e = v->pitch->ereignis;
    if (!satz(*v->pitch, e, v->kommentar)) return false;
    Spielansicht_Ereignis_Quittieren(v->pitch);
    return true;
}

void Spielansicht_Ticker_Zeile(Spielansicht_View* v, const char* text) {
    if (!v || !text || !v->pitch) return;
    std::snprintf(v->ticker, sizeof v->ticker, "%s", text);
    v->ticker_zeit = v->pitch->uhr;
}

void Spielansicht_Ticker_Setzen(Spielfeld_Daten* sf, const char* text) {
    if (!sf) return;
    Spielansicht_View* views = Spielansicht_Views();
    for (int s = 0; s < SA_VIEWS; ++s)
        if (views[s].pitch == sf) Spielansicht_Ticker_Zeile(&views[s], text);
}

size_t Spielansicht_Ticker_Trennstelle(const char* text) {
    const size_t haelfte = std::strlen(text) / 2;
    for (size_t i = haelfte; i > 0; --i)
        if (text[i] == ' ') return i;
    return haelfte;
}

void Spielansicht_Ticker_Zeichnen(Rastport* ziel, Spielansicht_View* v) {
    if (!ziel || !v || !v->pitch || !v->ticker[0]) return;
    if (static_cast<u64>(v->pitch->uhr) >= static_cast<u64>(v->ticker_zeit) + TICKER_DAUER_MS) return;
    Font* f = Kit_Font(TICKER_SCHRIFT);
    const i32 hoehe = f ? f->hoehe : 12;
    const i32 breite = Font_Text_Breite(f, v->ticker);
    const bool eine = breite + 20 <= v->breite - 10;
    // Two lines: the text is cut in place for the drawing and put back as
    // it was: a split at a space loses the space, a split inside a word
    // keeps every letter (the second line starts with the one cut at).
    const size_t stelle = eine ? 0 : Spielansicht_Ticker_Trennstelle(v->ticker);
    const char alt = v->ticker[stelle];
    const char* zweite = v->ticker + stelle + (alt == ' ' ? 1 : 0);
    if (!eine) v->ticker[stelle] = 0;
    const i32 band_breite = eine ? breite : std::max(Font_Text_Breite(f, v->ticker), Font_Text_Breite(f, zweite));
    const i32 unten = v->screen_y + v->hoehe - hoch(*v, band_breite, (eine ? 8 : 22) + hoehe + 3);
    band(ziel, *v, band_breite, unten - (eine ? 8 : 22) - hoehe - 3, unten - 4);
    if (eine) {
        zeile(ziel, *v, v->ticker, unten - 8);
        return;
    }
    zeile(ziel, *v, v->ticker, unten - 22);
    v->ticker[stelle] = alt;
    zeile(ziel, *v, zweite, unten - 8);
}

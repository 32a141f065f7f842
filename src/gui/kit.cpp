// The widget kit (see kit.h).
#include "gui/kit.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/rastport.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "platform/input.h"
#include "season/wettbewerb_werte.h"

namespace {

// Blend of two 565 pixels, t of n towards b.
u16 mischen(u16 a, u16 b, i32 t, i32 n) {
    auto k = [&](i32 s, i32 m) {
        const i32 x = (a >> s) & m, y = (b >> s) & m;
        return static_cast<u16>(((x + (y - x) * t / (n ? n : 1)) & m) << s);
    };
    return static_cast<u16>(k(11, 31) | k(5, 63) | k(0, 31));
}

// Pixels cut from each end of row r (0 = top) of a box h high with corner radius rad.
i32 einzug(i32 r, i32 h, i32 rad) {
    const i32 rr = std::min(r, h - 1 - r);
    if (rr >= rad) return 0;
    const double d = rad - rr - 0.5;
    return rad - static_cast<i32>(std::lround(std::sqrt(std::max(0.0, rad * rad - d * d))));
}

void zeile(Rastport* rp, i32 x, i32 y, i32 w, i32 h, i32 rad, i32 r, u16 c) {
    const i32 e = einzug(r, h, rad);
    if (w - 2 * e > 0) Blt_Rechteck(rp, x + e, y + r, w - 2 * e, 1, c);
}

// Soft drop shadow (offset 0/2): the two rows under the box darkened, the
// outer one less, narrowing like the corners.
void schatten(Rastport* rp, i32 x, i32 y, i32 w, i32 h, i32 rad) {
    for (i32 r = 0; r < 2; ++r) {
        const i32 e = rad / 2 + r;
        if (w - 2 * e > 0) Blt_Abdunkeln(rp, x + e, y + h + r, w - 2 * e, 1, r == 0 ? 51 : 26);
    }
}

// How a formatted text is put down: the plain renderer, the soft shadow
// (kept in the blit cache), or the soft shadow drawn afresh ("#": the cached
// patches at that place are freed first).
enum class Schein : u8 { SCHLICHT, GLATT, GLATT_NEU };

// `n` as `stellen` decimal digits with leading zeros (the lowest ones when
// it has more) at `aus`.
void ziffern(char* aus, u32 n, int stellen) {
    for (int k = stellen - 1; k >= 0; --k, n /= 10) aus[k] = static_cast<char>('0' + n % 10);
}

// Whether the format uses no conversion but %s, %d and %%: the kit's own
// texts, written without the C library's formatting (which costs a drawn
// table row more than its glyphs do).
bool einfaches_format(const char* format) {
    for (const char* c = format; *c; ++c)
        if (*c == '%' && (++c, *c != 's' && *c != 'd' && *c != '%')) return false;
    return true;
}

// vsnprintf for a format einfaches_format accepts: the same text, cut to
// `groesse` and always ended. Its length (without the cut).
size_t einfach_formatieren(char* aus, size_t groesse, const char* format, va_list ap) {
    size_t n = 0;
    const auto zeichen = [&](char c) {
        if (n + 1 < groesse) aus[n] = c;
        ++n;
    };
    for (const char* c = format; *c; ++c) {
        if (*c != '%') {
            zeichen(*c);
            continue;
        }
        switch (*++c) {
            case 's': {
                const char* t = va_arg(ap, const char*);
                for (t = t ? t : "(null)"; *t; ++t) zeichen(*t);
                break;
            }
            case 'd': {
                const int v = va_arg(ap, int);
                u32 betrag = v < 0 ? 0u - static_cast<u32>(v) : static_cast<u32>(v);
                char ziffer[10];
                int k = 0;
                do ziffer[k++] = static_cast<char>('0' + betrag % 10);
                while ((betrag /= 10) != 0);
                if (v < 0) zeichen('-');
                while (k > 0) zeichen(ziffer[--k]);
                break;
            }
            default: zeichen('%');
        }
    }
    if (groesse > 0) aus[std::min(n, groesse - 1)] = 0;
    return n;
}

size_t formatieren(char* aus, size_t groesse, const char* format, va_list ap) {
    if (einfaches_format(format)) return einfach_formatieren(aus, groesse, format, ap);
    const int n = std::vsnprintf(aus, groesse, format, ap);
    return n < 0 ? 0 : static_cast<size_t>(n);
}

// The one formatting path of the Kit_Printf family: the printf text with its
// colour code in front (1,024 bytes at most), drawn as `schein` says.
i32 formatiert(Schein schein, Rastport* rp, Font* f, u16 farbe, i32 x, i32 y, const char* format, va_list ap) {
    if (!format) return 0;
    char text[1024];  // not cleared: the text is ended where it is written
    text[0] = '^', text[1] = 'c';
    ziffern(text + 2, farbe, 5);
    formatieren(text + 7, sizeof text - 7, format, ap);
    switch (schein) {
        case Schein::SCHLICHT: return Font_Text_Ausgabe(rp, f, text, x, y);
        case Schein::GLATT: return Font_Printf_Glatt(rp, f, "%s", x, y, text);
        case Schein::GLATT_NEU: return Font_Printf_Glatt(rp, f, "#%s", x, y, text);
    }
    return 0;
}

// The tab stop code that puts what follows at `s` ("^tl0040", "^tz0333", "^tr0735").
Kit_Einzug einzug_code(Kit_Stelle s) {
    Kit_Einzug e{};
    const char art = s.ausrichtung == Kit_Ausrichtung::RECHTS  ? 'r'
                     : s.ausrichtung == Kit_Ausrichtung::MITTE ? 'z'
                                                               : 'l';
    e.code[0] = '^', e.code[1] = 't', e.code[2] = art;
    ziffern(e.code + 3, static_cast<u32>(std::clamp(s.x, 0, 9999)), 4);
    e.code[7] = 0;
    return e;
}

// The format with its stops set: `vorn` (if given) in front, each '\t'
// replaced by the stop of the next column of `spalten` (heads or cells),
// each '\v' passing over the next column.
void stopps_setzen(char* aus, size_t groesse, const Kit_Stelle* vorn, std::span<const Kit_Spalte> spalten, bool kopf,
                   const char* format) {
    size_t n = 0;
    auto anhaengen = [&](const char* s) {
        while (*s && n + 1 < groesse) aus[n++] = *s++;
    };
    if (vorn) anhaengen(einzug_code(*vorn).code);
    size_t spalte = 0;
    for (const char* c = format; *c && n + 1 < groesse; ++c) {
        if (*c != '\t' && *c != '\v') {
            aus[n++] = *c;
            continue;
        }
        while (kopf && spalte < spalten.size() && spalten[spalte].kopf == Kit_Kopf::KEINER) ++spalte;
        if (*c == '\t' && spalte < spalten.size())
            anhaengen(einzug_code(Kit_Spalte_Stelle(spalten[spalte], kopf)).code);
        ++spalte;
    }
    aus[n] = 0;
}

// A text of a line with its stops set, drawn as `schein` says.
i32 gesetzt(Kit_Schein schein, Rastport* rp, Font* f, u16 farbe, i32 x, i32 y, const Kit_Stelle* vorn,
            std::span<const Kit_Spalte> spalten, bool kopf, const char* format, va_list ap) {
    if (!format) return 0;
    char mit_stopps[1024];
    stopps_setzen(mit_stopps, sizeof mit_stopps, vorn, spalten, kopf, format);
    return formatiert(schein == Kit_Schein::GLATT ? Schein::GLATT : Schein::SCHLICHT, rp, f, farbe, x, y, mit_stopps,
                      ap);
}

}  // namespace

Font* Kit_Font(Kit_Schrift s) { return Font_Tabelle_Holen(static_cast<i32>(s)); }

Rastport* Kit_Bild(u32 grafik) { return Menue_Get_Hooks().grafik_holen(grafik); }

bool Kit_Bild_Zeichnen(Rastport* ziel, u32 grafik, i32 x, i32 y, i32 h) {
    Rastport* b = Kit_Bild(grafik);
    if (!b) return false;
    Blt_Blit(b, 0, 0, -1, h > 0 ? h : -1, ziel, x, y, Blt_Opt_Transparent);
    return true;
}

Screen_Icon* Kit_Icon(i32 nummer) { return Menue_Screen_Icon_Aus_Nummer(nummer); }

void Kit_Grau(i32 nummer, bool grau) {
    if (Screen_Icon* i = Kit_Icon(nummer)) i->status = grau ? i->status | MENUE_S_GRAU : i->status & ~MENUE_S_GRAU;
}

void Kit_Zeigen(i32 nummer, bool sichtbar) {
    if (Screen_Icon* i = Kit_Icon(nummer))
        i->status = sichtbar ? i->status & ~MENUE_S_VERSTECKT : i->status | MENUE_S_VERSTECKT;
}

i32 Kit_Printf(Rastport* rp, Font* f, u16 farbe, i32 x, i32 y, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    const i32 r = formatiert(Schein::SCHLICHT, rp, f, farbe, x, y, format, ap);
    va_end(ap);
    return r;
}

i32 Kit_Printf_Glatt(Rastport* rp, Font* f, u16 farbe, i32 x, i32 y, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    const i32 r = formatiert(Schein::GLATT, rp, f, farbe, x, y, format, ap);
    va_end(ap);
    return r;
}

i32 Kit_Text_Alpha(Rastport* rp, Font* f, u16 farbe, const char* text, i32 x, i32 y, i32 prozent) {
    if (!text) return 0;
    char t[1024];
    std::snprintf(t, sizeof t, "^c%05d%s", farbe, text);
    return Font_Printf_Alpha(rp, f, t, x, y, prozent);
}

i32 Kit_Printf_Glatt_Neu(Rastport* rp, Font* f, u16 farbe, i32 x, i32 y, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    const i32 r = formatiert(Schein::GLATT_NEU, rp, f, farbe, x, y, format, ap);
    va_end(ap);
    return r;
}

i32 Kit_Tabelle_Kopf_Printf(Rastport* rp, Font* f, u16 farbe, i32 x, i32 y, Kit_Schein schein,
                            std::span<const Kit_Spalte> spalten, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    const i32 r = gesetzt(schein, rp, f, farbe, x, y, nullptr, spalten, true, format, ap);
    va_end(ap);
    return r;
}

i32 Kit_Tabelle_Zeile_Printf(Rastport* rp, Font* f, u16 farbe, i32 x, i32 y, Kit_Schein schein,
                             std::span<const Kit_Spalte> spalten, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    const i32 r = gesetzt(schein, rp, f, farbe, x, y, nullptr, spalten, false, format, ap);
    va_end(ap);
    return r;
}

i32 Kit_Tabelle_Zelle_Printf(Rastport* rp, Font* f, u16 farbe, i32 x, i32 y, Kit_Schein schein,
                             const Kit_Spalte& spalte, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    const Kit_Stelle stelle = Kit_Spalte_Stelle(spalte);
    const i32 r = gesetzt(schein, rp, f, farbe, x, y, &stelle, {}, false, format, ap);
    va_end(ap);
    return r;
}

i32 Kit_Printf_Stelle(Rastport* rp, Font* f, u16 farbe, i32 x, i32 y, Kit_Schein schein, Kit_Stelle stelle,
                      const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    const i32 r = gesetzt(schein, rp, f, farbe, x, y, &stelle, {}, false, format, ap);
    va_end(ap);
    return r;
}

i32 Kit_Tabelle_Zeile_Setzen(char* aus, size_t groesse, std::span<const Kit_Spalte> spalten, const char* format, ...) {
    if (!aus || groesse == 0) return 0;
    aus[0] = 0;
    if (!format) return 0;
    char mit_stopps[1024];
    stopps_setzen(mit_stopps, sizeof mit_stopps, nullptr, spalten, false, format);
    va_list ap;
    va_start(ap, format);
    const size_t n = formatieren(aus, groesse, mit_stopps, ap);
    va_end(ap);
    return static_cast<i32>(std::min(n, groesse - 1));
}

Kit_Einzug Kit_Einzug_Bei(Kit_Stelle stelle) { return einzug_code(stelle); }

i32 Kit_Text(Rastport* rp, Font* f, u16 farbe, const char* text, i32 x, i32 y) {
    if (!rp || !f || !text || !*text) return 0;
    f->farbe = farbe;
    return Font_Markup_Ausgabe(rp, f, farbe, text, x, y, 0);
}

i32 Kit_Text_Mitte(Rastport* rp, Font* f, u16 farbe, const char* text, i32 mitte, i32 y) {
    if (!f || !text) return 0;
    return Kit_Text(rp, f, farbe, text, mitte - Font_Text_Breite(f, text) / 2, y);
}

i32 Kit_Text_Rechts(Rastport* rp, Font* f, u16 farbe, const char* text, i32 rechts, i32 y) {
    if (!f || !text) return 0;
    return Kit_Text(rp, f, farbe, text, rechts - Font_Text_Breite(f, text), y);
}

i32 Kit_Text_Grundlinie(const Font* f, i32 y, i32 h) {
    if (!f) return y + h / 2;
    // The glyph box is the font's full height; its lower fifth holds the descenders.
    return y + (h + f->hoehe) / 2 - f->hoehe / 8;
}

void Kit_Fuellen(Rastport* rp, i32 x, i32 y, i32 w, i32 h, i32 radius, u16 oben, u16 unten) {
    for (i32 r = 0; r < h; ++r) zeile(rp, x, y, w, h, radius, r, mischen(oben, unten, r, h - 1));
}

void Kit_Panel(Rastport* rp, i32 x, i32 y, i32 w, i32 h) {
    if (!rp || w <= 0 || h <= 0) return;
    schatten(rp, x, y, w, h, KIT_RADIUS);
    Kit_Fuellen(rp, x, y, w, h, KIT_RADIUS, FARBE_PANEL, FARBE_PANEL);
    zeile(rp, x, y, w, h, KIT_RADIUS, 0, FARBE_KANTE_HELL);
    zeile(rp, x, y, w, h, KIT_RADIUS, h - 1, FARBE_KANTE_DUNKEL);
}

i32 Kit_Panel_Titel(Rastport* rp, Font* f, const char* titel, i32 x, i32 y, i32 w, i32 h) {
    Kit_Panel(rp, x, y, w, h);
    if (!rp) return y + KIT_TITEL_HOEHE + KIT_RAND;
    // The title bar: a shade lighter, the title in chalk, a thin gold rule.
    for (i32 r = 1; r < KIT_TITEL_HOEHE - 2; ++r)
        zeile(rp, x, y, w, h, KIT_RADIUS, r, mischen(FARBE_KNOPF_OBEN, FARBE_PANEL, r, KIT_TITEL_HOEHE));
    Blt_Rechteck(rp, x + KIT_RAND, y + KIT_TITEL_HOEHE - 2, w - 2 * KIT_RAND, 1, FARBE_GOLD);
    if (f && titel) Kit_Text(rp, f, FARBE_KREIDE, titel, x + KIT_RAND, Kit_Text_Grundlinie(f, y, KIT_TITEL_HOEHE - 2));
    return y + KIT_TITEL_HOEHE + KIT_RAND / 2;
}

Kit_Zustand Kit_Zustand_Von(const Screen_Icon* i) {
    if (!i) return Kit_Zustand::NORMAL;
    if (i->status & MENUE_S_GRAU) return Kit_Zustand::GRAU;
    if (Menue_Icon_An(i)) return Kit_Zustand::AN;
    if (Menue_Get_Aktives_Icon() == i) {
        const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
        const bool drauf = mx >= i->x && mx < i->x + i->w && my >= i->y && my < i->y + i->h;
        return drauf && (W32_Get_Mouse_Buttons() & 1) ? Kit_Zustand::GEDRUECKT : Kit_Zustand::UEBER;
    }
    return Kit_Zustand::NORMAL;
}

void Kit_Ueber(Rastport* rp, const Screen_Icon* i, i32 h) {
    if (!rp || !i || Kit_Zustand_Von(i) != Kit_Zustand::UEBER) return;
    if (h <= 0 || h > i->h) h = i->h;
    if (Maus_Get_Y() >= i->y + h) return;  // the mouse below the lit part (an open pop-up's entries)
    const i32 r = h < 24 ? KIT_RADIUS_KLEIN : KIT_RADIUS;
    const i32 rand = r / 2;  // inside the rounded corners
    Blt_Rechteck_Alpha(rp, i->x + rand, i->y + rand, i->w - 2 * rand, h - 2 * rand, FARBE_UEBER_OBEN, 55);
    Blt_Rechteck(rp, i->x + r, i->y + 1, i->w - 2 * r, 1, FARBE_KANTE_HELL);
}

Icon_Textzeile Kit_Knopf_Beschriftung(const char* text, Kit_Schrift schrift) {
    return {.font = Kit_Font(schrift),
            .flags = ZEILE_ZENTRIERT | ZEILE_V_ZENTRIERT,
            .farbe_aktiv = FARBE_KNOPF_TEXT,
            .farbe = FARBE_KNOPF_TEXT,
            .text = text};
}

void Kit_Knopf(Rastport* rp, Font* f, const char* text, i32 x, i32 y, i32 w, i32 h, Kit_Zustand z) {
    if (!rp || w <= 0 || h <= 0) return;
    const i32 rad = h < 24 ? KIT_RADIUS_KLEIN : KIT_RADIUS;
    u16 oben = FARBE_KNOPF_OBEN, unten = FARBE_PANEL;
    if (z == Kit_Zustand::UEBER) oben = FARBE_UEBER_OBEN, unten = FARBE_UEBER_UNTEN;
    if (z == Kit_Zustand::GEDRUECKT) std::swap(oben, unten);
    schatten(rp, x, y, w, h, rad);
    Kit_Fuellen(rp, x, y, w, h, rad, oben, unten);
    if (z != Kit_Zustand::GEDRUECKT) zeile(rp, x, y, w, h, rad, 0, FARBE_KANTE_HELL);
    zeile(rp, x, y, w, h, rad, h - 1, FARBE_KANTE_DUNKEL);
    if (z == Kit_Zustand::AN) Blt_Rechteck(rp, x + rad, y + h - 4, w - 2 * rad, 2, FARBE_GOLD);
    const u16 farbe = z == Kit_Zustand::AN ? FARBE_GOLD : z == Kit_Zustand::GRAU ? FARBE_AUS : FARBE_KREIDE;
    if (f && text) {
        const i32 dy = z == Kit_Zustand::GEDRUECKT ? 1 : 0;
        Kit_Text_Mitte(rp, f, farbe, text, x + w / 2, Kit_Text_Grundlinie(f, y, h) + dy);
    }
}

void Kit_Tabelle_Kopf(Rastport* rp, const Kit_Tabelle& t) {
    if (!rp) return;
    Kit_Fuellen(rp, t.x, t.y, t.w, t.kopf_h, KIT_RADIUS_KLEIN, FARBE_KOPFBALKEN, FARBE_PANEL);
    Blt_Rechteck(rp, t.x, t.y + t.kopf_h - 1, t.w, 1, FARBE_GOLD);
    Font* f = t.kopf_font ? t.kopf_font : t.font;
    const i32 gy = Kit_Text_Grundlinie(f, t.y, t.kopf_h - 1);
    for (i32 s = 0; s < t.anzahl; ++s) {
        const Kit_Spalte& sp = t.spalten[s];
        const i32 sx = t.x + Kit_Spalte_X(sp, true);
        if (sp.kopf == Kit_Kopf::KEINER) continue;
        const Kit_Ausrichtung a = Kit_Spalte_Ausrichtung(sp, true);
        if (a == Kit_Ausrichtung::RECHTS) Kit_Text_Rechts(rp, f, FARBE_KREIDE_2, sp.titel, sx, gy);
        else if (a == Kit_Ausrichtung::MITTE) Kit_Text_Mitte(rp, f, FARBE_KREIDE_2, sp.titel, sx, gy);
        else Kit_Text(rp, f, FARBE_KREIDE_2, sp.titel, sx, gy);
    }
}

i32 Kit_Tabelle_Zeile_Y(const Kit_Tabelle& t, i32 z) { return t.y + t.kopf_h + z * t.zeile_h; }

void Kit_Tabelle_Zeile(Rastport* rp, const Kit_Tabelle& t, i32 z, const char* const* zellen, u16 farbe, bool gewaehlt) {
    if (!rp) return;
    const i32 y = Kit_Tabelle_Zeile_Y(t, z);
    if (gewaehlt) Blt_Rechteck(rp, t.x, y, t.w, t.zeile_h, FARBE_GOLD_DUNKEL);
    else if (z % 2) Blt_Rechteck(rp, t.x, y, t.w, t.zeile_h, FARBE_ZEILE_HELL);
    if (!zellen) return;
    const i32 gy = Kit_Text_Grundlinie(t.font, y, t.zeile_h);
    for (i32 s = 0; s < t.anzahl; ++s) {
        if (!zellen[s]) continue;
        const Kit_Spalte& sp = t.spalten[s];
        const i32 sx = t.x + Kit_Spalte_X(sp);
        if (sp.ausrichtung == Kit_Ausrichtung::RECHTS) Kit_Text_Rechts(rp, t.font, farbe, zellen[s], sx, gy);
        else if (sp.ausrichtung == Kit_Ausrichtung::MITTE) Kit_Text_Mitte(rp, t.font, farbe, zellen[s], sx, gy);
        else Kit_Text(rp, t.font, farbe, zellen[s], sx, gy);
    }
}

u16 Kit_Platz_Farbe(i32 wettbewerb, i32 platz, u16 sonst) {
    const i32 rgb = Wettbewerb_Get_Platz_Farbe(wettbewerb, platz);
    if (rgb < 0) return sonst;
    if (rgb == WETTBEWERB_FARBE_AUFSTIEG) return FARBE_GUT;
    if (rgb == WETTBEWERB_FARBE_ABSTIEG) return FARBE_SCHLECHT;
    return FARBE_INFO;
}

void Kit_Reiter(Rastport* rp, const Kit_Reiter_Def& d, const char* text, i32 x, i32 y, bool aktiv) {
    Kit_Bild_Zeichnen(rp, aktiv ? d.aktiv : d.grafik, x, y);
    if (!text) return;
    Kit_Printf_Stelle(rp, Kit_Font(d.schrift), aktiv ? FARBE_GOLD : FARBE_WEISS, 0, y + d.text_y, Kit_Schein::GLATT,
                      {Kit_Ausrichtung::MITTE, x + d.breite / 2}, "%s", text);
}

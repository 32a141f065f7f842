// Bitmap fonts and the text markup (see font.h).
#include "graphics/font.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

#include "base/bytes.h"
#include "graphics/abdruck.h"
#include "graphics/blitter.h"
#include "graphics/farbe.h"
#include "graphics/resf.h"
#include "graphics/zeichenspur.h"
#include "platform/display.h"

namespace {
Font_Hooks hooks{};
}  // namespace

void Font_Set_Hooks(const Font_Hooks& h) { hooks = h; }

// --- Stored form -------------------------------------------------------------------

Font* Font_Lesen(bytes::Leser& l, i32 tiefe) {
    char magic[4];
    if (!l.bytes(magic, 4) || std::memcmp(magic, "FONT", 4) != 0) {
        Grafik_Fehler_Setzen("Font: Kennung FONT fehlt");
        return nullptr;
    }
    std::unique_ptr<Font> f(new Font);
    for (int i = 0; i < 65; ++i) l.u32_();
    for (i32& x : f->x) x = l.i32_();
    for (i32& b : f->breite) b = l.i32_();
    const u32 hat_extra = l.u32_();
    f->hoehe = l.i32_();
    l.u32_();
    f->farbe = static_cast<u16>(l.u32_());
    l.u32_();
    f->abstand = l.i32_();
    f->fest = l.i32_();
    f->mehrfarbig = l.i32_();
    f->fett = l.i32_() ? 1 : 0;
    f->modus = l.i32_();
    f->ziffernzelle = l.i32_();
    l.rest(768) ? void(l.pos += 768) : void();
    const u32 hat_blatt = l.u32_();
    if (l.fehler || f->hoehe < 1 || f->hoehe > 1024 || !hat_blatt || f->abstand < -64 || f->abstand > 64 ||
        f->fest < 0 || f->fest > 1024 || f->ziffernzelle < 0 || f->ziffernzelle > 1024) {
        Grafik_Fehler_Setzen("Font: Kopf ungültig");
        return nullptr;
    }
    if (hat_extra) {
        if (!l.rest(FONT_EXTRA_GROESSE)) {
            Grafik_Fehler_Setzen("Font: Breitentabelle abgeschnitten");
            return nullptr;
        }
        f->extra.assign(l.p + l.pos, l.p + l.pos + 256);
        l.pos += FONT_EXTRA_GROESSE;
    }
    f->blatt.reset(Rastport_Lesen(l));
    if (f->blatt) f->blatt->fest = true;
    if (!f->blatt || !Rastport_Lock(f->blatt.get())) {
        Grafik_Fehler_Setzen("Font: Zeichenblatt fehlt oder ist beschädigt");
        return nullptr;
    }
    const i32 bt = f->blatt->tiefe();
    if (f->modus == 0 ? bt == 8 : bt != 8) {
        // A mode-0 font with an 8-bit sheet would need a palette the record has no room for.
        Grafik_Fehler_Setzen("Font: Modus %d passt nicht zu einem Zeichenblatt mit %d Bit", f->modus, bt);
        return nullptr;
    }
    if (f->modus == 0 && (tiefe == 15 || tiefe == 16) && bt != tiefe)
        Rastport_Bitmap_Wandeln(f->blatt->bitmap.get(), tiefe, nullptr);
    for (i32 g = 0; g < 256; ++g) {
        if (g >= 224) {
            f->x[g] = f->breite[g] = 0;
            continue;
        }
        if (f->breite[g] < 0 || f->x[g] < 0 || f->breite[g] > f->blatt->breite ||
            f->x[g] > f->blatt->breite - f->breite[g]) {
            Grafik_Fehler_Setzen("Font: Zeichen %d liegt außerhalb des Zeichenblatts", g + 32);
            return nullptr;
        }
    }
    return f.release();
}

void Font_Schreiben(bytes::Schreiber& s, const Font& f) {
    s.bytes("FONT", 4);
    for (int i = 0; i < 65; ++i) s(u32{0});
    for (i32 x : f.x) s(x);
    for (i32 b : f.breite) s(b);
    s(u32{!f.extra.empty()});
    s(f.hoehe);
    s(u32{0});
    s(static_cast<u32>(f.farbe));
    s(u32{0});
    s(f.abstand), s(f.fest), s(f.mehrfarbig), s(f.fett), s(f.modus), s(f.ziffernzelle);
    for (int i = 0; i < 768 / 4; ++i) s(u32{0});
    s(u32{f.blatt != nullptr});
    if (!f.extra.empty()) {
        std::vector<u8> tabelle(FONT_EXTRA_GROESSE, 0);
        std::copy_n(f.extra.begin(), std::min<size_t>(256, f.extra.size()), tabelle.begin());
        s.bytes(tabelle.data(), tabelle.size());
    }
    if (f.blatt) Rastport_Schreiben(s, *f.blatt);
}

u32 Font_Speichergroesse(const Font& f) {
    return 4 + FONT_STORED_GROESSE + (f.extra.empty() ? 0 : FONT_EXTRA_GROESSE) +
           (f.blatt ? Rastport_Groesse(*f.blatt) : 0);
}

void Font_Free(Font* f) { delete f; }

// --- Table -------------------------------------------------------------------------------

namespace {
Font* tabelle[FONT_ANZAHL] = {};
i32 tabelle_anzahl = 0;
bool tabelle_geladen = false;
}  // namespace

i32 Font_Init(i32 slot, i32 erster, i32 anzahl) {
    if (tabelle_geladen) return tabelle_anzahl > 0 ? 1 : 0;
    if (anzahl < 1 || anzahl > FONT_ANZAHL) return 0;
    for (i32 i = 0; i < anzahl; ++i) {
        i16 typ = 0;
        std::vector<u8> d;
        if (Resf_Eintrag_Daten(slot, erster + i, &typ, d) && typ == RESF_FONT) {
            bytes::Leser l(d.data(), d.size());
            tabelle[i] = Font_Lesen(l, Display_Farbtiefe);
        }
        if (!tabelle[i]) {
            Grafik_Fehler_Setzen("Font %d nicht ladbar", erster + i);
            tabelle_anzahl = i;
            Font_Free_All();
            return 0;
        }
    }
    tabelle_anzahl = anzahl;
    tabelle_geladen = true;
    return 1;
}

void Font_Free_All() {
    for (Font*& f : tabelle) {
        Font_Free(f);
        f = nullptr;
    }
    tabelle_anzahl = 0;
    tabelle_geladen = false;
}

Font* Font_Tabelle_Holen(i32 nummer) { return nummer >= 0 && nummer < tabelle_anzahl ? tabelle[nummer] : nullptr; }

// --- Markup handles -------------------------------------------------------------------------

namespace {
constexpr u32 HANDLE_ANZAHL = 4096;
struct Handle_Eintrag {
    void* objekt = nullptr;
    u8 art = 0;  // 1 picture, 2 font
};
Handle_Eintrag handles[HANDLE_ANZAHL];

u32 handle_neu(void* o, u8 art) {
    if (!o) return 0;
    for (u32 i = 1; i < HANDLE_ANZAHL; ++i)
        if (!handles[i].objekt) {
            handles[i] = {o, art};
            return i;
        }
    return 0;
}
void* handle_objekt(u32 h, u8 art) {
    return h > 0 && h < HANDLE_ANZAHL && handles[h].art == art ? handles[h].objekt : nullptr;
}
}  // namespace

u32 Markup_Handle_Bild(Rastport* rp) { return handle_neu(rp, 1); }
u32 Markup_Handle_Font(Font* f) { return handle_neu(f, 2); }
Rastport* Markup_Bild(u32 h) { return static_cast<Rastport*>(handle_objekt(h, 1)); }
Font* Markup_Font(u32 h) { return static_cast<Font*>(handle_objekt(h, 2)); }
void Markup_Handle_Freigeben(u32 h) {
    if (h > 0 && h < HANDLE_ANZAHL) handles[h] = {};
}

// --- Numbers -------------------------------------------------------------------------

namespace {
// Reads up to n decimal characters (stops at the end of the text).
i32 zahl(const char*& p, int n) {
    i32 v = 0;
    for (int i = 0; i < n && *p; ++i, ++p) v = v * 10 + (*p >= '0' && *p <= '9' ? *p - '0' : 0);
    return v;
}
void ueberspringen(const char*& p, int n) {
    for (int i = 0; i < n && *p; ++i) ++p;
}
u32 hex(const char*& p, int n) {
    u32 v = 0;
    for (int i = 0; i < n && *p; ++i, ++p) {
        const char c = *p;
        v = v * 16 + static_cast<u32>(c >= '1' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : 0);
    }
    return v;
}
}  // namespace

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
i32 Font_Zahl4(const char* t) { return t ? zahl(t, 4) : 0; }
// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
i32 Font_Zahl5(const char* t) { return t ? zahl(t, 5) : 0; }
u32 Font_Hex_Zahl(const char* t, i32 n) { return t ? hex(t, n) : 0; }

// --- Widths ------------------------------------------------------------------------

namespace {
i32 glyph_breite(const Font* f, u8 c) {
    const i32 g = c - 32;
    return f->breite[g] + (f->extra.empty() ? 0 : f->extra[static_cast<size_t>(g)]);
}
// The cell a fixed pitch gives a character: the pitch, no wider than the
// font's figure cell (or the character's own advance where that is wider).
i32 zelle(const Font* f, u8 c, i32 fest) {
    if (!f->ziffernzelle) return fest;
    return std::min(fest, std::max(f->ziffernzelle, glyph_breite(f, c) + f->abstand));
}
// Advance of a character with the fixed-pitch rule ('.' and ',' keep their width).
i32 vorschub(const Font* f, u8 c, i32 fest) {
    if (fest && c != '.' && c != ',') return zelle(f, c, fest);
    return glyph_breite(f, c) + f->abstand;
}
}  // namespace

i32 Font_Zeichen_Breite(Font* f, u8 c) { return f && c >= 32 ? glyph_breite(f, c) + f->abstand : 0; }

i32 Font_Zeichen_Ausdehnung(Font* f, u8 c, i32* oben) {
    if (oben) *oben = -2;
    if (!f || c < 32 || !f->blatt || !Rastport_Lock(f->blatt.get())) return 6;
    const i32 g = c - 32;
    Rastport& b = *f->blatt;
    i32 erste = -1, letzte = -1;
    for (i32 y = 0; y < b.hoehe; ++y)
        for (i32 x = f->x[g]; x < f->x[g] + f->breite[g]; ++x) {
            const size_t i = static_cast<size_t>(y) * b.breite + x;
            if (b.tiefe() == 8 ? b.bitmap->pixel8()[i] != 0 : b.bitmap->pixel16()[i] != 0) {
                if (erste < 0) erste = y;
                letzte = y;
                break;
            }
        }
    if (erste < 0) return 6;
    if (oben) *oben = erste - 2;
    return letzte - erste + 1 + 6;
}

i32 Font_Breite_Bis_Code(Font* f, const char* t) {
    if (!f || !t) return 0;
    i32 w = 0, fest = f->fest;
    while (*t) {
        const u8 c = static_cast<u8>(*t);
        if (c != '^') {
            if (c >= 32) w += vorschub(f, c, fest);
            ++t;
            continue;
        }
        const char k = t[1];
        if (k == 't' || k == 'z') break;
        t += k ? 2 : 1;
        switch (k) {
            case 'b':
            case 'h':
            case 'u': ueberspringen(t, 1); break;
            case 'c': ueberspringen(t, 5); break;
            case 's': break;
            case 'f':
                if (*t == 'b') ++t, fest = zahl(t, 4);
                else if (*t == 'e') ++t, fest = 0;
                break;
            default:
                if (static_cast<u8>(k) >= 32) w += vorschub(f, static_cast<u8>(k), fest);
        }
    }
    return w;
}

i32 Font_Text_Breite(Font* f, const char* t) {
    if (!f || !t) return 0;
    i32 s_oben = 0;
    const i32 S = Font_Zeichen_Ausdehnung(f, 'A', &s_oben);
    i32 breiteste = 0, pos = 0, fest = f->fest;
    bool fett = false;
    Font* fnt = f;
    while (*t) {
        const u8 c = static_cast<u8>(*t);
        if (c != '^') {
            if (c >= 32) pos += vorschub(fnt, c, fest) + (fett ? 1 : 0);
            ++t;
            continue;
        }
        const char k = t[1];
        t += k ? 2 : 1;
        switch (k) {
            case 'l': breiteste = std::max(breiteste, pos), pos = 0; break;
            case 'z': return pos;
            case 't': {
                const char a = *t;
                if (a == 'l' || a == 'a' || a == 'r' || a == 'z') {
                    ++t;
                    const i32 v = zahl(t, 4);
                    pos = a == 'r'   ? v - Font_Breite_Bis_Code(fnt, t)
                          : a == 'z' ? v - Font_Breite_Bis_Code(fnt, t) / 2
                                     : v;
                } else if (a) {
                    pos += vorschub(fnt, static_cast<u8>(a), fest);
                    ++t;
                }
                break;
            }
            case 'p': pos -= zahl(t, 4); break;
            case 'g': {
                const char art = *t;
                ueberspringen(t, 2);
                if (art == 'l') {
                    ueberspringen(t, 4);
                    pos += S + glyph_breite(fnt, ' ') + 4;
                } else {
                    ueberspringen(t, 2);
                    if (Rastport* b = Markup_Bild(hex(t, 8))) pos += b->breite + glyph_breite(fnt, ' ') + 2;
                }
                break;
            }
            case 'c': ueberspringen(t, 5); break;
            case 'i': ueberspringen(t, 6); break;
            case 'y': ueberspringen(t, 4); break;
            case 'h':
            case 'u': ueberspringen(t, 1); break;
            case 's': break;
            case 'f':
                if (*t == 'b') ++t, fest = zahl(t, 4);
                else if (*t == 'e') ++t, fest = 0;
                break;
            case 'b':
                if (*t == 'b') fett = fnt->modus == 0;
                else if (*t == 'e') fett = false;
                ueberspringen(t, 1);
                break;
            case 'x': {
                ueberspringen(t, 2);
                if (Font* neu = Markup_Font(hex(t, 8))) fnt = neu, fest = neu->fest;
                break;
            }
            default:
                if (static_cast<u8>(k) >= 32) pos += vorschub(fnt, static_cast<u8>(k), fest) + (fett ? 1 : 0);
        }
    }
    return std::max(breiteste, pos);
}

i32 Font_Text_Kuerzen(const char* text, char* ausgabe, Font* f, i32 breite) {
    if (!text) return 0;
    std::string s(text);
    while (!s.empty() && Font_Text_Breite(f, s.c_str()) > breite) s.pop_back();
    if (ausgabe) std::memcpy(ausgabe, s.c_str(), s.size() + 1);
    return Font_Text_Breite(f, s.c_str());
}

// --- Drawing ---------------------------------------------------------------------------

namespace {

struct Zeichner {
    Rastport* rp;
    Font* f;
    i32 start, x, oben;

    void glyph(i32 g, i32 gx) {
        if (Abdruck_Trifft(rp)) [[unlikely]] {
            const bool doppelt = f->fett && f->modus == 0;
            const u64 art = static_cast<u64>(f->modus != 0 ? 1 : f->mehrfarbig ? 2 : 3) | static_cast<u64>(f->farbe) << 8;
            if (Abdruck_Glyphe(f->blatt.get(), f->x[g], f->breite[g], gx, oben, doppelt ? 1 : 0, art) ==
                Abdruck_Folge::FERTIG)
                return;
        }
        Blt_Optionen o;
        if (f->modus != 0) {
            o = *Blt_Opt_Schatten;
            o.farbe = f->farbe;
        } else if (f->mehrfarbig) {
            o = *Blt_Opt_Transparent;
        } else {
            o = *Blt_Opt_Einfaerben;
            o.farbe = f->farbe;
        }
        Blt_Blit(f->blatt.get(), f->x[g], 0, f->breite[g], f->blatt->hoehe, rp, gx, oben, &o);
        if (f->fett && f->modus == 0)
            Blt_Blit(f->blatt.get(), f->x[g], 0, f->breite[g], f->blatt->hoehe, rp, gx + 1, oben, &o);
    }

    void zeichen(u8 c) {
        if (c < 32) return;
        if (Zeichenspur_An) [[unlikely]]
            Zeichenspur_Zeichen(static_cast<char>(c), f->farbe);
        const i32 g = c - 32;
        const i32 w = glyph_breite(f, c);
        if (f->fest && c != '.' && c != ',') {
            const i32 p = zelle(f, c, f->fest);
            if (f->breite[g]) glyph(g, w < p ? x + (p / 2 - w / 2) : x);
            x += p;
        } else {
            if (f->breite[g]) glyph(g, x);
            x += w + f->abstand;
        }
        if (f->fett) ++x;
    }

    // "^g": a crest (kind l) or a picture by handle, at its size (n, u) or
    // scaled into a square the height of a capital (s, t; t keeps colour
    // key 0); flag l frees the picture after drawing.
    void bild(const char*& t) {
        const char art = *t ? *t++ : 0;
        const char flag = *t ? *t++ : 0;
        i32 T = 0;
        const i32 S = Font_Zeichen_Ausdehnung(f, 'A', &T);
        if (art == 'l') {
            const i32 team = zahl(t, 4);
            hooks.wappen_blit(rp, team, x, oben + T, S);
            x += S + glyph_breite(f, ' ');
            return;
        }
        ueberspringen(t, 2);
        const u32 h = hex(t, 8);
        Rastport* b = Markup_Bild(h);
        if (!b) return;
        if (art == 'n' || art == 'u') {
            Blt_Blit(b, 0, 0, -1, -1, rp, x, oben + T + 1 + (art == 'u' ? 3 : 0), Blt_Opt_Transparent);
            x += b->breite + glyph_breite(f, ' ');
        } else if (S > 0 && Rastport_Lock(b) && b->tiefe() == rp->tiefe() && b->tiefe() != 8) {
            std::unique_ptr<Rastport> q(Rastport_Neu_Einfach(S, S, b->tiefe()));
            if (q) {
                for (i32 yy = 0; yy < S; ++yy)
                    for (i32 xx = 0; xx < S; ++xx)
                        q->bitmap->pixel16()[static_cast<size_t>(yy) * S + xx] =
                            b->bitmap
                                ->pixel16()[static_cast<size_t>(yy * b->hoehe / S) * b->breite + xx * b->breite / S];
                Blt_Blit(q.get(), 0, 0, -1, -1, rp, x, oben + T, art == 's' ? nullptr : Blt_Opt_Transparent);
            }
            x += S + glyph_breite(f, ' ');
        }
        if (flag == 'l') {
            Markup_Handle_Freigeben(h);
            Rastport_Free(b);
        }
    }
};

}  // namespace

namespace {
void spur_zeichen(char c) {
    if (Zeichenspur_An) [[unlikely]]
        Zeichenspur_Zeichen(c, 0);
}

void ausgeben(Rastport* rp, Font* f, u16 farbe, const char* text, i32 x, i32 y, i32 erzwungen) {
    Zeichner z{rp, f, x, x, y - f->hoehe};
    u16 arg = farbe, vorige = 1;
    bool sperre = false;
    const char* t = text;
    while (*t) {
        if (*t != '^') {
            if (z.f->modus != 0) z.f->fett = 0;
            while (*t && *t != '^') z.zeichen(static_cast<u8>(*t++));
            continue;
        }
        const char k = t[1];
        if (!k) break;
        t += 2;
        if (k < 'b' || k > 'z') {
            z.zeichen(static_cast<u8>(k));
            continue;
        }
        switch (k) {
            case 'c': {
                const u16 v = static_cast<u16>(zahl(t, 5));
                if (!erzwungen) arg = v;
                if (v == 0) {
                    z.f->farbe = vorige;
                } else if (!sperre) {
                    vorige = z.f->farbe;
                    z.f->farbe = arg;
                }
                break;
            }
            case 'i':
                if (*t == 'c') {
                    ++t;
                    arg = static_cast<u16>(zahl(t, 5));
                    if (arg) z.f->farbe = arg, sperre = true;
                } else {
                    z.zeichen('i');
                }
                break;
            case 'b':
                if (*t == 'b') z.f->fett = z.f->modus == 0 ? 1 : 0, ++t;
                else if (*t == 'e') z.f->fett = 0, ++t;
                else z.zeichen('b');
                break;
            case 'f':
                if (*t == 'b') ++t, z.f->fest = zahl(t, 4);
                else if (*t == 'e') ++t, z.f->fest = 0;
                else z.zeichen('f');
                break;
            case 'l': z.x = z.start, z.oben += 10, spur_zeichen('\n'); break;
            case 'z': z.x = z.start, z.oben += zahl(t, 4), spur_zeichen('\n'); break;
            case 't': {
                const char a = *t;
                if (a == 'l' || a == 'r' || a == 'z' || a == 'a') {
                    ++t;
                    spur_zeichen('\t');
                    const i32 v = zahl(t, 4);
                    if (a == 'l') z.x = z.start + v;
                    else if (a == 'a') z.x += v;
                    else if (a == 'r') z.x = z.start + v - Font_Breite_Bis_Code(z.f, t);
                    else z.x = z.start + v - Font_Breite_Bis_Code(z.f, t) / 2;
                } else if (a) {
                    z.zeichen(static_cast<u8>(a));
                    ++t;
                }
                break;
            }
            case 'g': z.bild(t); break;
            case 'x': {
                ueberspringen(t, 2);
                if (Font* neu = Markup_Font(hex(t, 8)); neu && neu->blatt) {
                    neu->farbe = arg;
                    z.oben += z.f->hoehe - neu->hoehe;
                    z.f = neu;
                }
                break;
            }
            case 'y': ueberspringen(t, 4), z.f->farbe = arg; break;
            case 'p': ueberspringen(t, 4); break;
            case 'h':
            case 'u': ueberspringen(t, 1); break;
            case 's': break;
            default: z.zeichen(static_cast<u8>(k));
        }
    }
}
}  // namespace

namespace {
// A text probed on its target (or drawn in a clipped pass): remembered by
// the font's state, the colour, the place and the text, so that the same
// text again is neither laid out nor fingerprinted glyph by glyph; the
// font is left as drawing leaves it (colour, boldness, fixed pitch). A
// text that switches fonts or draws pictures is drawn as usual.
void gemerkt_ausgeben(Rastport* rp, Font* f, u16 farbe, const char* text, i32 x, i32 y, i32 erzwungen) {
    u64 h = 0xCBF29CE484222325ull;
    i64 n = 0;
    for (const char* t = text; *t; ++t, ++n) {
        if (t[0] == '^' && (t[1] == 'x' || t[1] == 'g')) {
            ausgeben(rp, f, farbe, text, x, y, erzwungen);
            return;
        }
        h = (h ^ static_cast<u8>(*t)) * 0x100000001B3ull;
    }
    const i64 werte[] = {0x7E47,
                         static_cast<i64>(reinterpret_cast<intptr_t>(f)),
                         static_cast<i64>(reinterpret_cast<intptr_t>(f->blatt.get())),
                         f->blatt->serie,
                         f->blatt->fest,
                         f->farbe,
                         f->fett,
                         f->fest,
                         f->abstand,
                         f->mehrfarbig,
                         f->modus,
                         f->ziffernzelle,
                         f->hoehe,
                         farbe,
                         x,
                         y,
                         erzwungen,
                         static_cast<i64>(h),
                         n};
    i64 nachher = 0;
    if (Abdruck_Gemerkt(werte, static_cast<i32>(std::size(werte)), &nachher) == Abdruck_Folge::FERTIG) {
        f->farbe = static_cast<u16>(nachher & 0xFFFF);
        f->fett = static_cast<i32>((nachher >> 16) & 0xFF);
        f->fest = static_cast<i32>(nachher >> 24);
        return;
    }
    ausgeben(rp, f, farbe, text, x, y, erzwungen);
    Abdruck_Gemerkt_Ende(static_cast<i64>(f->farbe) | static_cast<i64>(f->fett & 0xFF) << 16 |
                         static_cast<i64>(f->fest) << 24);
}
}  // namespace

i32 Font_Markup_Ausgabe(Rastport* rp, Font* f, u16 farbe, const char* text, i32 x, i32 y, i32 erzwungen) {
    if (!rp || !f || !text || !f->blatt) return 0;
    if (!Zeichenspur_An) [[likely]] {
        if (Abdruck_Trifft(rp)) [[unlikely]]
            gemerkt_ausgeben(rp, f, farbe, text, x, y, erzwungen);
        else ausgeben(rp, f, farbe, text, x, y, erzwungen);
        return 1;
    }
    Zeichenspur_Text_Beginn(rp, f, x, y, text);
    ausgeben(rp, f, farbe, text, x, y, erzwungen);
    Zeichenspur_Text_Ende();
    return 1;
}

i32 Font_Text_Ausgabe(Rastport* rp, Font* f, const char* text, i32 x, i32 y) {
    if (!rp || !f || !text || !f->blatt) return 0;
    if (f->modus == 0 && f->blatt->tiefe() != rp->tiefe()) return 0;
    return Font_Markup_Ausgabe(rp, f, f->farbe, text, x, y, 0);
}

i32 Font_Printf(Rastport* rp, Font* f, const char* format, i32 x, i32 y, ...) {
    if (!rp || !f || !format || !*format || !f->blatt) return 0;
    char puffer[1024];
    va_list ap;
    va_start(ap, y);
    std::vsnprintf(puffer, sizeof puffer, format, ap);  // a longer text is cut, never overrun
    va_end(ap);
    return Font_Text_Ausgabe(rp, f, puffer, x, y);
}

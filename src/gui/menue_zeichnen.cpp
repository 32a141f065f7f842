// The menu engine's drawing: icons, the cover kept under a message box and
// the frame kept on the screen while it does not change.
#include <algorithm>
#include <vector>

#include "graphics/abdruck.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/zeichenspur.h"
#include "gui/menue.h"
#include "gui/menue_intern.h"
#include "platform/input.h"
#include "platform/mainloop.h"

using namespace menue_kern;

namespace {
// Draw procedures that only draw (Menue_Reiner_Zeichner), for the whole run.
std::vector<Icon_Zeichen_Prozedur> reine_zeichner;
}  // namespace

// --- Drawing ---------------------------------------------------------------------

void Menue_Icon_Blit(Screen_Icon* i, Rastport* ziel) {
    if (!i || !ziel || !sichtbar(i)) return;
    const bool an = Menue_Icon_An(i);
    if (i->flags & MENUE_F_GANZER_SCREEN) {
        // The screen as drawn so far, veiled by graphic 8331 at 90 %.
        if (Rastport* s = hooks_tabelle.grafik_holen(MENUE_GRAFIK_SCHLEIER))
            for (i32 y = 0; y < 600; y += s->hoehe)
                for (i32 x = 0; x < 800; x += s->breite) Blt_Alpha_Prozent_Transparent(s, 0, 0, -1, -1, ziel, x, y, 90);
        if (i->zeichnen) i->zeichnen(i, ziel, i->x, i->y);
        return;
    }
    Rastport* bild = (i->flags & MENUE_F_TGA) ? Menue_Get_Tga_Rastport(i->tga) : i->bild;
    if (!bild && !(i->flags & MENUE_F_TGA)) {
        const u32 g = an && i->grafik_an != MENUE_KEINE_GRAFIK ? i->grafik_an : i->grafik;
        if (g != MENUE_KEINE_GRAFIK) bild = hooks_tabelle.grafik_holen(g);
    }
    if (bild && (i->status & MENUE_S_HALB)) Blt_Alpha_Prozent_Transparent(bild, 0, 0, -1, -1, ziel, i->x, i->y, 50);
    else if (bild)
        Blt_Blit(bild, 0, 0, -1, -1, ziel, i->x, i->y,
                 (i->status & MENUE_S_TRANSPARENT) ? Blt_Opt_Transparent : nullptr);
    else if (!i->zeichnen) {
        // An icon of its own colour (also one whose picture is missing): its
        // own picture, drawn with key 0 under state 32.
        const bool fehlt = (i->flags & MENUE_F_TGA) || i->grafik != MENUE_KEINE_GRAFIK;
        if (Rastport* eigen = fehlt ? eigenes_bild(i) : Menue_Screen_Icon_Bitmap(i, nullptr, nullptr))
            Blt_Blit(eigen, 0, 0, -1, -1, ziel, i->x, i->y,
                     (i->status & MENUE_S_TRANSPARENT) ? Blt_Opt_Transparent : nullptr);
    }
    if (const Menue_Wippe* w = (i->flags & MENUE_F_WIPPE) ? static_cast<const Menue_Wippe*>(i->daten) : nullptr)
        for (i32 k = 0; k < 6; ++k) {
            Rastport* p = w->grafik[k] >= 0 ? hooks_tabelle.grafik_holen(static_cast<u32>(w->grafik[k])) : nullptr;
            if (!p) continue;
            i32 px = 0, py = 0;
            wippe_punkt(i, k, &px, &py);
            Blt_Blit(p, 0, 0, -1, -1, ziel, i->x + px - p->breite / 2, i->y + py - p->hoehe / 2, Blt_Opt_Transparent);
        }
    if (i->zeichnen) i->zeichnen(i, ziel, i->x, i->y);
    if (i->flags & MENUE_F_TEXT)
        for (auto* z = static_cast<const Icon_Textzeile*>(i->daten); z; z = z->naechste) {
            if (!z->font || !z->text) continue;
            i32 x = i->x + z->x, y = i->y + z->y;
            if (z->flags & ZEILE_ZENTRIERT) x = i->x + (i->w - Font_Text_Breite(z->font, z->text)) / 2;
            if (z->flags & ZEILE_RECHTS) x = i->x + i->w - z->x - Font_Text_Breite(z->font, z->text);
            if (z->flags & ZEILE_V_ZENTRIERT) y = i->y + (i->h + z->font->hoehe) / 2 - 2;
            const u16 farbe = i == M->aktiv ? z->farbe_aktiv : z->farbe;
            z->font->farbe = farbe;  // each line in its own colour, whatever the text before left in the font
            Font_Markup_Ausgabe(ziel, z->font, farbe, z->text, x, y, 0);
        }
    const bool druck = (i->status & MENUE_S_DRUCKBILD) && i == M->aktiv &&
                       (i == M->gedrueckt || ((i->status & MENUE_S_WIEDERHOLEN) && (M->alt_tasten & MAUS_LINKS)));
    if (druck) {
        Rastport* p = i->grafik_gedrueckt != MENUE_KEINE_GRAFIK ? hooks_tabelle.grafik_holen(i->grafik_gedrueckt) : nullptr;
        if (p) Blt_Blit(p, 0, 0, -1, -1, ziel, i->x, i->y, Blt_Opt_Transparent);
        else Blt_Abdunkeln(ziel, i->x, i->y, i->w, i->h, 96);
    }
    if (i->status & MENUE_S_GRAU) Blt_Abdunkeln(ziel, i->x, i->y, i->w, i->h, 64);
}

namespace {
// The covering icon drawn last (it hides everything drawn before it), if any.
Screen_Icon* deckel_suchen() {
    Screen_Icon* d = nullptr;
    for (i32 e = 0; e < MENUE_EBENEN; ++e)
        for (i32 s = M->hoechster[e] - 1; s >= 0; --s)
            if (ist_belegt(e, s)) {
                Screen_Icon* i = slot(e, s);
                if ((i->flags & MENUE_F_DECKT) && sichtbar(i) && i->scroll == 255 && i != M->gezogen) d = i;
            }
    return d;
}

// The picture Menue_Icon_Blit draws for the icon (none for one of its own
// colour or a missing one).
Rastport* icon_bild(Screen_Icon* i) {
    if (i->flags & MENUE_F_TGA) return Menue_Get_Tga_Rastport(i->tga);
    if (i->bild) return i->bild;
    const u32 g = Menue_Icon_An(i) && i->grafik_an != MENUE_KEINE_GRAFIK ? i->grafik_an : i->grafik;
    return g != MENUE_KEINE_GRAFIK ? hooks_tabelle.grafik_holen(g) : nullptr;
}

// Whether some visible icon (with `bis_deckel`, one under the first
// covering icon) copies a picture over the whole target without a colour
// key: the background under it is never seen.
bool hintergrund_verdeckt(const Rastport* ziel, bool bis_deckel = false) {
    for (i32 e = 0; e < MENUE_EBENEN; ++e)
        for (i32 s = M->hoechster[e] - 1; s >= 0; --s) {
            if (!ist_belegt(e, s)) continue;
            Screen_Icon* i = slot(e, s);
            if (bis_deckel && sichtbar(i) && (i->flags & MENUE_F_DECKT) && i->scroll == 255 && i != M->gezogen)
                return false;
            if (!sichtbar(i) || i->scroll != 255 || i == M->gezogen || i->x > 0 || i->y > 0 ||
                (i->flags & MENUE_F_GANZER_SCREEN) || (i->status & (MENUE_S_TRANSPARENT | MENUE_S_HALB)))
                continue;
            const Rastport* b = icon_bild(i);
            if (b && b->tiefe() == ziel->tiefe() && b->tiefe() != 8 && i->x + b->breite >= ziel->breite &&
                i->y + b->hoehe >= ziel->hoehe && Rastport_Lock(const_cast<Rastport*>(b)))
                return true;
        }
    return false;
}

bool deckel_gilt(const Screen_Icon* d, const Rastport* ziel) {
    const auto& k = M->deckel;
    return d && k.bild && k.icon == d && k.ziel == ziel && k.stand == M->stand && k.bild->breite == ziel->breite &&
           k.bild->hoehe == ziel->hoehe && k.bild->tiefe() == ziel->tiefe() && (!Zeichenspur_An || k.mit_spur);
}

// Keeps the screen as drawn up to and with the cover (and, with the draw
// trace on, what was drawn from `spur_anfang` on).
void deckel_behalten(const Screen_Icon* d, Rastport* ziel, size_t spur_anfang) {
    auto& k = M->deckel;
    k.spur.clear();
    k.mit_spur = Zeichenspur_An;
    if (Zeichenspur_An)
        for (size_t i = spur_anfang; i < Zeichenspur_Eintraege().size(); ++i)
            if (const Zeichenspur_Eintrag& e = Zeichenspur_Eintraege()[i]; e.art == SPUR_TEXT || e.art == SPUR_BLIT)
                k.spur.push_back(e);
    // A picture a copy under a box still holds is left to it; one held by
    // none since is taken again.
    const auto passt = [ziel](const std::shared_ptr<Rastport>& b) {
        return b && b->breite == ziel->breite && b->hoehe == ziel->hoehe && b->tiefe() == ziel->tiefe();
    };
    if (!passt(k.bild) || k.bild.use_count() > 1) {
        k.bild = nullptr;
        if (passt(k.vorrat)) {
            k.bild = std::move(k.vorrat);
        } else {
            k.vorrat = nullptr;
            if (Rastport* neu = Rastport_Neu_Einfach(ziel->breite, ziel->hoehe, ziel->tiefe()))
                k.bild = std::shared_ptr<Rastport>(neu, Rastport_Freigabe{});
        }
    }
    if (!k.bild || !Blt_Blit(ziel, 0, 0, -1, -1, k.bild.get(), 0, 0, nullptr)) {
        k.icon = nullptr;
        return;
    }
    // Its pixels stay until it is kept anew, as another picture.
    k.bild->fest = true;
    k.bild->serie = Rastport_Serie_Neu();
    k.icon = d, k.ziel = ziel, k.stand = M->stand;
}
}  // namespace

namespace {
// A kept picture let go: when nothing else holds it, it waits for the next
// cover kept.
void loslassen(std::shared_ptr<Rastport>& bild) {
    if (bild && bild.use_count() == 1) M->deckel.vorrat = std::move(bild);
    bild = nullptr;
}
}  // namespace

void Menue_Reiner_Zeichner(Icon_Zeichen_Prozedur p) {
    if (p && std::find(reine_zeichner.begin(), reine_zeichner.end(), p) == reine_zeichner.end())
        reine_zeichner.push_back(p);
}

namespace {
// Which part of the frame is drawn: all of it, only what lies under the
// first covering icon, or the first covering icon and what lies over it.
enum class Teilbild : u8 { GANZ, UNTER_DECKEL, AB_DECKEL };
// A clipped pass over a frame just probed: an icon whose section lies
// outside the rectangle draws nothing there and is passed over.
struct Klipp {
    const std::vector<Teil>* teile;
    Abdruck_Rechteck r;
};
void frame_zeichnen(Rastport* ziel, std::vector<Teil>* teile = nullptr, Teilbild art = Teilbild::GANZ,
                    const Klipp* klipp = nullptr);

// The frame about to be drawn, section by section; false when it cannot be
// probed (an icon that does more than draw, the scroll screen, a drag, a
// cover not kept yet, drawing the probe cannot follow).
bool frame_abdruck(Rastport* ziel, std::vector<Teil>* teile) {
    // A cover is probed once its picture is kept (the first frame keeps it).
    if (M->gezogen) return false;
    const Screen_Icon* deckel = deckel_suchen();
    if (deckel && !deckel_gilt(deckel, ziel)) return false;
    // In drawing order: what lies under a kept cover is not drawn.
    bool gesperrt = false;
    for (i32 e = 0; e < MENUE_EBENEN; ++e)
        for (i32 s = M->hoechster[e] - 1; s >= 0; --s) {
            if (!ist_belegt(e, s)) continue;
            const Screen_Icon* i = slot(e, s);
            if (i == deckel) gesperrt = false;
            if (i == deckel || !sichtbar(i)) continue;
            if (i->scroll != 255 ||
                (i->zeichnen &&
                 std::find(reine_zeichner.begin(), reine_zeichner.end(), i->zeichnen) == reine_zeichner.end()))
                gesperrt = true;
        }
    if (gesperrt) return false;
    const bool spur = Zeichenspur_Anhalten();
    Abdruck_Probe_Beginnen(ziel);
    frame_zeichnen(ziel, teile);
    const bool ok = Abdruck_Probe_Ende();
    Zeichenspur_Fortsetzen(spur);
    return ok;
}

// Where the probed frame differs from the kept one (empty: nowhere); false
// when the icons are not the same ones in the same order.
bool unterschied(const std::vector<Teil>& alt, const std::vector<Teil>& neu, Abdruck_Rechteck* r) {
    if (alt.size() != neu.size()) return false;
    *r = {};
    for (size_t k = 0; k < neu.size(); ++k) {
        if (alt[k].nummer != neu[k].nummer) return false;
        if (alt[k].abdruck == neu[k].abdruck && alt[k].rechteck.x0 == neu[k].rechteck.x0 &&
            alt[k].rechteck.y0 == neu[k].rechteck.y0 && alt[k].rechteck.x1 == neu[k].rechteck.x1 &&
            alt[k].rechteck.y1 == neu[k].rechteck.y1)
            continue;
        r->dazu(alt[k].rechteck);
        r->dazu(neu[k].rechteck);
    }
    return true;
}

// Where the probed frame differs from the kept one as a few rectangles
// (each changed icon's old and new one, joined where that wastes least),
// for changes far apart whose one enclosing rectangle is too large.
struct Flecken {
    static constexpr int MAX = 4;
    Abdruck_Rechteck r[MAX];
    int n = 0;
    void dazu(const Abdruck_Rechteck& neu) {
        if (neu.leer()) return;
        if (n < MAX) {
            r[n++] = neu;
            return;
        }
        int beste = 0;
        i64 zuwachs = -1;
        for (int k = 0; k < n; ++k) {
            Abdruck_Rechteck u = r[k];
            u.dazu(neu);
            if (const i64 z = u.flaeche() - r[k].flaeche(); zuwachs < 0 || z < zuwachs) beste = k, zuwachs = z;
        }
        r[beste].dazu(neu);
    }
    i64 flaeche() const {
        i64 f = 0;
        for (int k = 0; k < n; ++k) f += r[k].flaeche();
        return f;
    }
};

void flecken(const std::vector<Teil>& alt, const std::vector<Teil>& neu, Flecken* f) {
    for (size_t k = 0; k < neu.size() && k < alt.size(); ++k)
        if (!(alt[k].abdruck == neu[k].abdruck && alt[k].rechteck.x0 == neu[k].rechteck.x0 &&
              alt[k].rechteck.y0 == neu[k].rechteck.y0 && alt[k].rechteck.x1 == neu[k].rechteck.x1 &&
              alt[k].rechteck.y1 == neu[k].rechteck.y1)) {
            Abdruck_Rechteck r = alt[k].rechteck;
            r.dazu(neu[k].rechteck);
            f->dazu(r);
        }
}

// Whether a clipped pass over `r` is worth it: past half the screen it
// saves little.
bool klein_genug(const Abdruck_Rechteck& r, const Rastport* ziel) {
    return r.flaeche() * 2 <= static_cast<i64>(ziel->breite) * ziel->hoehe;
}
bool klein_genug(const Flecken& f, const Rastport* ziel) {
    return f.flaeche() * 2 <= static_cast<i64>(ziel->breite) * ziel->hoehe;
}

bool gleich_gross(const Rastport* a, const Rastport* b) {
    return a && b && a->breite == b->breite && a->hoehe == b->hoehe && a->tiefe() == b->tiefe();
}

// The screen kept under a box that the frame probed as `teile` differs from
// in `r` only (a small part, maybe nothing: one rectangle, or a few for
// changes far apart whose enclosing one is too large; of the two the one it
// differs from least), marked as used last; null when neither.
Engine::Unter* unter_passt(const Rastport* ziel, const std::vector<Teil>& teile, Flecken* r) {
    int beste = -1;
    for (int k = 0; k < 2; ++k) {
        const auto& u = M->unter[k];
        Abdruck_Rechteck rk;
        if (!u.gueltig || u.ziel != ziel || !gleich_gross(u.bild.get(), ziel) || !unterschied(u.teile, teile, &rk))
            continue;
        Flecken fk;
        if (klein_genug(rk, ziel)) fk.dazu(rk);
        else flecken(u.teile, teile, &fk);
        if (klein_genug(fk, ziel) && (beste < 0 || fk.flaeche() < r->flaeche())) {
            beste = k;
            *r = fk;
        }
    }
    if (beste < 0) return nullptr;
    M->unter_zuletzt = static_cast<u8>(beste);
    return &M->unter[beste];
}

// Draws `art` of the frame probed as `teile` clipped to `r` (nothing when
// it is empty); false when the pass could not clip (the target is then
// drawn over in part).
bool klipp_zeichnen(Rastport* ziel, const Abdruck_Rechteck& r, Teilbild art, const std::vector<Teil>& teile) {
    if (r.leer()) return true;
    const Klipp k{&teile, r};
    Abdruck_Klipp_Beginnen(ziel, r);
    frame_zeichnen(ziel, nullptr, art, &k);
    return Abdruck_Klipp_Ende();
}
bool klipp_zeichnen(Rastport* ziel, const Flecken& f, Teilbild art, const std::vector<Teil>& teile) {
    for (int k = 0; k < f.n; ++k)
        if (!klipp_zeichnen(ziel, f.r[k], art, teile)) return false;
    return true;
}

// Copies the parts `f` of the screen into the copy kept under a box.
bool flecken_kopieren(Rastport* ziel, const Flecken& f, Rastport* kopie) {
    for (int k = 0; k < f.n; ++k) {
        const Abdruck_Rechteck& r = f.r[k];
        const i32 x0 = std::max(0, r.x0), y0 = std::max(0, r.y0);
        const i32 x1 = std::min(ziel->breite, r.x1), y1 = std::min(ziel->hoehe, r.y1);
        if (x1 > x0 && y1 > y0 && !Blt_Blit(ziel, x0, y0, x1 - x0, y1 - y0, kopie, x0, y0, nullptr)) return false;
    }
    return true;
}

// The probe of the covering icon alone (its section of a frame); false when
// it cannot be probed (a procedure that does more than draw).
bool deckel_probe(Screen_Icon* d, Rastport* ziel, Teil* t) {
    if (d->zeichnen && std::find(reine_zeichner.begin(), reine_zeichner.end(), d->zeichnen) == reine_zeichner.end())
        return false;
    const bool spur = Zeichenspur_Anhalten();
    Abdruck_Probe_Beginnen(ziel);
    Menue_Icon_Blit(d, ziel);
    t->nummer = d->nummer;
    Abdruck_Abschnitt(&t->abdruck, &t->rechteck);
    const bool ok = Abdruck_Probe_Ende();
    Zeichenspur_Fortsetzen(spur);
    return ok;
}

bool gleicher_teil(const Teil& a, const Teil& b) {
    return a.nummer == b.nummer && a.abdruck == b.abdruck && a.rechteck.x0 == b.rechteck.x0 &&
           a.rechteck.y0 == b.rechteck.y0 && a.rechteck.x1 == b.rechteck.x1 && a.rechteck.y1 == b.rechteck.y1;
}

// The first frame of a cover not kept yet (a message box coming up): what
// lies under the first covering icon is drawn only where it differs from
// what the screen holds (the frame kept last) or starts from the screen
// kept under the box before; it is kept undarkened, and the covers and what
// lies over them are drawn over it. False when the frame is drawn as usual.
bool deckel_zusammensetzen(Rastport* ziel, bool beruehrt, const Abdruck_Rechteck& fremd) {
    if (Zeichenspur_An || M->gezogen) return false;
    Screen_Icon* deckel = deckel_suchen();
    if (!deckel || deckel_gilt(deckel, ziel)) return false;
    // Under the first cover only procedures that only draw; no scroll screen.
    bool unter = true;
    for (i32 e = 0; e < MENUE_EBENEN; ++e)
        for (i32 s = M->hoechster[e] - 1; s >= 0; --s) {
            if (!ist_belegt(e, s) || !sichtbar(slot(e, s))) continue;
            const Screen_Icon* i = slot(e, s);
            if (i->scroll != 255) return false;
            if (i->flags & MENUE_F_DECKT) unter = false;
            if (unter && i->zeichnen &&
                std::find(reine_zeichner.begin(), reine_zeichner.end(), i->zeichnen) == reine_zeichner.end())
                return false;
        }
    std::vector<Teil> teile;
    teile.reserve(M->behalten.teile.size());
    Abdruck_Probe_Beginnen(ziel);
    frame_zeichnen(ziel, &teile, Teilbild::UNTER_DECKEL);
    if (!Abdruck_Probe_Ende()) {
        Abdruck_Aus();
        return false;
    }
    auto& b = M->behalten;
    Abdruck_Rechteck r;
    Flecken rf;  // where the copy kept under the box differs
    bool gezeichnet = false, aus_kopie = false;
    Engine::Unter* passend = unter_passt(ziel, teile, &rf);
    Teil deckel_teil;
    const bool deckel_geprobt = deckel_probe(deckel, ziel, &deckel_teil);
    if (passend && rf.n == 0 && deckel_geprobt && passend->gedeckt && passend->gedeckt_icon == deckel &&
        gleich_gross(passend->gedeckt.get(), ziel) && gleicher_teil(passend->gedeckt_teil, deckel_teil)) {
        // The same cover over the same screen as when it was kept over this
        // copy: the kept picture is the screen with the cover drawn.
        auto& k = M->deckel;
        loslassen(k.bild);
        k.bild = passend->gedeckt;
        k.spur.clear();
        k.mit_spur = false;
        k.icon = deckel, k.ziel = ziel, k.stand = M->stand;
        frame_zeichnen(ziel, nullptr, Teilbild::AB_DECKEL);
        b.teile.clear();
        b.gueltig = frame_abdruck(ziel, &b.teile), b.ziel = ziel, b.pixel = ziel->bitmap->pixel16();
        b.spur.clear();
        b.mit_spur = false;
        return true;
    }
    Engine::Unter* quelle = passend;  // the copy that holds the screen under the cover afterwards
    if (passend) {
        Abdruck_Aus();
        aus_kopie = Blt_Blit(passend->bild.get(), 0, 0, -1, -1, ziel, 0, 0, nullptr) && rf.n == 0;
        gezeichnet = klipp_zeichnen(ziel, rf, Teilbild::UNTER_DECKEL, teile);
    } else if (!beruehrt && b.gueltig && b.ziel == ziel && b.pixel == ziel->bitmap->pixel16() &&
               unterschied(b.teile, teile, &r)) {
        r.dazu(fremd);
        gezeichnet = klein_genug(r, ziel) && klipp_zeichnen(ziel, r, Teilbild::UNTER_DECKEL, teile);
    }
    Abdruck_Aus();
    if (!gezeichnet) frame_zeichnen(ziel, nullptr, Teilbild::UNTER_DECKEL);
    if (!aus_kopie) {
        // Kept anew in the copy it came from, else in place of the one used
        // longer ago.
        if (!passend) M->unter_zuletzt ^= 1;
        auto& u = passend ? *passend : M->unter[M->unter_zuletzt];
        quelle = &u;
        loslassen(u.gedeckt);  // its pixels change
        if (passend && gezeichnet) {
            // The screen is the copy with `rf` drawn anew: the copy takes those parts.
            u.gueltig = flecken_kopieren(ziel, rf, u.bild.get());
        } else {
            if (!gleich_gross(u.bild.get(), ziel)) {
                u.bild = nullptr;
                u.bild.reset(Rastport_Neu_Einfach(ziel->breite, ziel->hoehe, ziel->tiefe()));
            }
            u.gueltig = u.bild && Blt_Blit(ziel, 0, 0, -1, -1, u.bild.get(), 0, 0, nullptr);
        }
        u.ziel = ziel;
        u.teile.swap(teile);
    }
    frame_zeichnen(ziel, nullptr, Teilbild::AB_DECKEL);
    // The cover kept just now was made over the copy's pixels.
    if (quelle && quelle->gueltig && deckel_geprobt && deckel_gilt(deckel, ziel)) {
        loslassen(quelle->gedeckt);
        quelle->gedeckt = M->deckel.bild;
        quelle->gedeckt_icon = deckel;
        quelle->gedeckt_teil = deckel_teil;
    }
    // The screen now holds the frame as the kept cover gives it: the next
    // frame is compared with that.
    b.teile.clear();
    b.gueltig = frame_abdruck(ziel, &b.teile), b.ziel = ziel, b.pixel = ziel->bitmap->pixel16();
    b.spur.clear();
    b.mit_spur = false;
    return true;
}
}  // namespace

void Menue_Screen_Refresh(Rastport* ziel) {
    // A frame that will not be shown leaves the screen as it is.
    if (!ziel && !W32_Frame_Gezeigt()) return;
    const bool schirm = !ziel;
    if (!ziel) ziel = Screen_Rastport;
    if (!M || !ziel) return;
    if (!schirm || !ziel->bitmap) {
        frame_zeichnen(ziel);
        return;
    }
    // The screen: the frame kept is drawn again only where the new one
    // differs, unless something else drew on it since. With the draw trace
    // on, a frame is either left as it is or drawn whole.
    auto& b = M->behalten;
    Abdruck_Rechteck fremd;  // drawn over from elsewhere in a known place (a video)
    const bool beruehrt = Abdruck_Beruehrt(&fremd);
    if (deckel_zusammensetzen(ziel, beruehrt, fremd)) {
        Abdruck_Wache(ziel);
        return;
    }
    std::vector<Teil>& teile = M->teile_neu;
    teile.clear();
    teile.reserve(b.teile.size() + 1);
    const bool vergleichbar = frame_abdruck(ziel, &teile);
    Abdruck_Rechteck neu;
    if (vergleichbar && b.gueltig && !beruehrt && b.ziel == ziel && b.pixel == ziel->bitmap->pixel16() &&
        unterschied(b.teile, teile, &neu)) {
        neu.dazu(fremd);
        if (neu.leer() && (!Zeichenspur_An || b.mit_spur)) {
            Zeichenspur_Wiederholen(b.spur);
            Abdruck_Wache(ziel);
            return;
        }
        if (!Zeichenspur_An && klein_genug(neu, ziel)) {
            if (klipp_zeichnen(ziel, neu, Teilbild::GANZ, teile)) {
                b.teile.swap(teile);
                b.mit_spur = false;
                b.spur.clear();
                Abdruck_Wache(ziel);
                return;
            }
        } else if (!Zeichenspur_An) {
            // Changes far apart: each place drawn again on its own (a
            // pass that cannot clip leaves the frame to be drawn whole).
            Flecken f;
            flecken(b.teile, teile, &f);
            f.dazu(fremd);
            bool ok = f.n > 1 && klein_genug(f, ziel);
            for (int k = 0; ok && k < f.n; ++k) ok = klipp_zeichnen(ziel, f.r[k], Teilbild::GANZ, teile);
            if (ok) {
                b.teile.swap(teile);
                b.mit_spur = false;
                b.spur.clear();
                Abdruck_Wache(ziel);
                return;
            }
        }
    }
    // A box gone: what lay under it comes back from the screen kept there.
    Flecken r;
    if (Engine::Unter* u = vergleichbar && !Zeichenspur_An ? unter_passt(ziel, teile, &r) : nullptr) {
        Abdruck_Aus();
        if (Blt_Blit(u->bild.get(), 0, 0, -1, -1, ziel, 0, 0, nullptr) &&
            klipp_zeichnen(ziel, r, Teilbild::GANZ, teile)) {
            b.gueltig = true, b.ziel = ziel, b.pixel = ziel->bitmap->pixel16();
            b.teile.swap(teile);
            b.mit_spur = false;
            b.spur.clear();
            Abdruck_Wache(ziel);
            return;
        }
    }
    Abdruck_Aus();
    const size_t spur_anfang = Zeichenspur_An ? Zeichenspur_Eintraege().size() : 0;
    frame_zeichnen(ziel);
    b.gueltig = vergleichbar, b.ziel = ziel, b.pixel = ziel->bitmap->pixel16();
    b.teile.swap(teile);
    b.mit_spur = Zeichenspur_An;
    b.spur.clear();
    if (Zeichenspur_An)
        for (size_t k = spur_anfang; k < Zeichenspur_Eintraege().size(); ++k)
            if (const Zeichenspur_Eintrag& e = Zeichenspur_Eintraege()[k];
                e.art == SPUR_TEXT || e.art == SPUR_BLIT || e.art == SPUR_FLAECHE)
                b.spur.push_back(e);
    Abdruck_Wache(ziel);
}

namespace {
bool schneiden(const Abdruck_Rechteck& a, const Abdruck_Rechteck& b) {
    return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

void frame_zeichnen(Rastport* ziel, std::vector<Teil>* teile, Teilbild art, const Klipp* klipp) {
    // Probed: each icon a section of its own.
    const auto teil = [teile](i32 nummer) {
        if (!teile) return;
        if (teile->empty()) Abdruck_Abschnitt(nullptr, nullptr);
        else Abdruck_Abschnitt(&teile->back().abdruck, &teile->back().rechteck);
        if (nummer != -2) teile->push_back({.nummer = nummer});
    };
    // Under a covering icon whose picture is kept, nothing before it is drawn.
    Screen_Icon* deckel = deckel_suchen();
    const bool behalten = deckel_gilt(deckel, ziel);
    const size_t spur_anfang = Zeichenspur_An ? Zeichenspur_Eintraege().size() : 0;
    bool zeichnen = !behalten;
    size_t abschnitt = 0;  // the section of the icon drawn last (the background's is the first)
    // Drawn in part (never over a kept cover): up to the first cover, or from it on.
    bool unter = art != Teilbild::GANZ && !behalten;
    if (behalten) {
        teil(-1);
        Blt_Blit(M->deckel.bild.get(), 0, 0, -1, -1, ziel, 0, 0, nullptr);
        Zeichenspur_Wiederholen(M->deckel.spur);
    }
    else if (teil(-1); art != Teilbild::AB_DECKEL && !hintergrund_verdeckt(ziel, art == Teilbild::UNTER_DECKEL)) {
        if (M->hintergrund) Blt_Blit(M->hintergrund, 0, 0, -1, -1, ziel, 0, 0, nullptr);
        else Blt_Rechteck(ziel, 0, 0, ziel->breite, ziel->hoehe, M->hintergrund_farbe);
    }
    if (!deckel) M->deckel.icon = nullptr;
    // The scroll screen is drawn under the lowest layer that holds one of its
    // visible icons.
    i32 scroll_ebene = MENUE_EBENEN;
    for (i32 e = 0; e < MENUE_EBENEN && scroll_ebene == MENUE_EBENEN; ++e)
        for (i32 s = 0; s < M->hoechster[e]; ++s)
            if (ist_belegt(e, s) && slot(e, s)->scroll != 255 && sichtbar(slot(e, s))) {
                scroll_ebene = e;
                break;
            }
    for (i32 e = 0; e < MENUE_EBENEN; ++e) {
        if (e == scroll_ebene && zeichnen) Menue_Universale_Scroll_Blit_Prozedur(0, ziel);
        for (i32 s = M->hoechster[e] - 1; s >= 0; --s) {
            if (!ist_belegt(e, s)) continue;
            Screen_Icon* i = slot(e, s);
            if (unter && sichtbar(i) && (i->flags & MENUE_F_DECKT) && i->scroll == 255 && i != M->gezogen) {
                if (art == Teilbild::UNTER_DECKEL) {
                    teil(-2);
                    return;
                }
                unter = false;
            }
            if (unter && art == Teilbild::AB_DECKEL) continue;
            if (i == deckel) {
                if (!behalten) {
                    Menue_Icon_Blit(i, ziel);
                    deckel_behalten(i, ziel, spur_anfang);
                }
                zeichnen = true;
            } else if (zeichnen && i != M->gezogen && i->scroll == 255) {
                teil(i->nummer);
                if (klipp) {
                    // Its section in the probe (the same icons in the same
                    // order, else every icon is drawn).
                    if (++abschnitt >= klipp->teile->size() || (*klipp->teile)[abschnitt].nummer != i->nummer)
                        klipp = nullptr;
                    else if (!schneiden((*klipp->teile)[abschnitt].rechteck, klipp->r))
                        continue;
                }
                Menue_Icon_Blit(i, ziel);
            }
        }
    }
    teil(-2);  // the last section ends
    if (Screen_Icon* g = M->gezogen) {
        const i16 x = g->x, y = g->y;
        g->x = static_cast<i16>(M->zieh_x), g->y = static_cast<i16>(M->zieh_y);
        Menue_Icon_Blit(g, ziel);
        g->x = x, g->y = y;
    }
}
}  // namespace

// The live view's grounds: the pitch picture of a view built from the grass
// with its light, the stands and the tunnel, and the pictures it is built
// from kept while the live view runs.
#include <algorithm>
#include <array>
#include <future>
#include <map>
#include <memory>
#include <vector>

#include "base/bytes.h"
#include "graphics/blitter.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "screens/live_view/boden.h"
#include "screens/live_view/kopfzeile.h"
#include "screens/live_view/projektion.h"
#include "screens/live_view/spielansicht.h"

namespace {

constexpr int ARCHIV_RASEN = 13;      // rasen_hg.res
constexpr int ARCHIV_LICHT = 14;      // rasen_hg_sprite.res
constexpr int ARCHIV_TRIBUENEN = 15;  // rasen_tribuenen.res
constexpr int ARCHIV_SPRITES = 17;    // stadion_sprites.res
constexpr int EINTRAG_TUNNEL = 145;

// Pictures a view is built from (stands, tunnel), loaded and unpacked once
// while the live view runs: a change of the number of views builds its
// pictures without unpacking them again. The end of the live view lets
// them go; the next kick-off hands the ones it needs to the graphics
// workers again.
std::map<std::pair<int, i32>, Rastport_Bild> gehalten;
u32 gehalten_stand = 0;  // the archives' count the kept pictures come from

void gehaltene_freigeben();

// The kept picture of an entry, loaded on first use; null when missing or
// damaged (asked again next time).
Rastport* gehaltenes_bild(int archiv, i32 nummer) {
    if (gehalten_stand != Resf_Stand()) gehaltene_freigeben();
    const auto k = std::make_pair(archiv, nummer);
    if (auto it = gehalten.find(k); it != gehalten.end()) return it->second.get();
    Rastport_Bild rp(Resf_Lade_Rastport(Resf_Spiel_Slot(archiv), nummer));
    if (!rp || !Rastport_Lock(rp.get())) return nullptr;
    return gehalten.emplace(k, std::move(rp)).first->second.get();
}


}  // namespace

i32 Spielansicht_Bild_Nummer(u32 bild_art, u32 layout) {
    return static_cast<i32>(2 * (bild_art % 7) + (layout % 3 == SA_VOLL ? 0 : 1));
}

namespace {
// Grass pictures with their light, by picture kind, scale and side: the
// light is the slow part of a build and depends on nothing else.
struct Rasen_Schluessel {
    u8 bild_art;
    u32 layout;
    u32 gespiegelt;
    auto operator<=>(const Rasen_Schluessel&) const = default;
};
std::map<Rasen_Schluessel, Rastport_Bild> beleuchtet;
constexpr size_t BELEUCHTET_MAX = 8;  // a day shows a few grounds; more are dropped and made anew

// Lit grass being made on a worker thread, by what it is made of: started
// at a kick-off for every shown ground at the scale it starts with and at
// the full scale (the view left alone when the others end goes full).
std::map<Rasen_Schluessel, std::future<Rastport_Bild>> in_arbeit;

// Whether the light fits the grass picture it is laid over.
bool licht_passt(const Rastport& licht, const Rastport& z) {
    return licht.breite == z.breite && licht.hoehe == z.hoehe && !licht.alpha.empty() &&
           licht.alpha.size() >= static_cast<size_t>(z.breite) * z.hoehe && licht.tiefe() == z.tiefe();
}

// Whether a grass picture is of the scale's size (the scroll and the
// projection rely on it).
bool rasen_passt(const Rastport& rp, u32 layout) {
    const spielansicht::Massstab& m = layout == SA_VOLL ? spielansicht::VOLL : spielansicht::HALB;
    return rp.breite == m.breite && rp.hoehe == m.hoehe;
}

// The light of the view's ground over `z`, loaded for this and let go
// after: it is the largest picture of the ground. Left out when missing or
// not of the picture's size: the pitch is playable without its light.
void licht_mischen(const Spielansicht_View& v, Rastport& z) {
    Rastport_Bild licht(Resf_Lade_Rastport(
        Resf_Spiel_Slot(ARCHIV_LICHT), spielansicht::Rasen_Licht_Nummer(v.pitch->bild_art, v.layout != SA_VOLL)));
    if (licht && Rastport_Lock(licht.get()) && licht_passt(*licht, z)) Blt_Licht_Mischen(*licht, z, v.gespiegelt != 0);
}

// A picture read from an entry's bytes with its pixels unpacked (on a
// worker thread); null when the bytes hold none.
Rastport_Bild bild_lesen(const std::vector<u8>& bytes) {
    bytes::Leser l(bytes.data(), bytes.size());
    Rastport_Bild rp(Rastport_Lesen(l));
    if (rp && (!rp->bitmap || !Rastport_Bitmap_Entpacken(rp->bitmap.get()))) rp.reset();
    return rp;
}

// Hands the lit grass of a key to a worker thread: the frame reads the two
// entries' bytes, the worker unpacks both and lays the light over the
// grass. Left to the frame when an entry is no picture.
void rasen_in_arbeit(const Rasen_Schluessel& k) {
    if (beleuchtet.count(k) || in_arbeit.count(k)) return;
    std::vector<u8> rasen, licht;
    i16 typ_rasen = 0, typ_licht = 0;
    if (!Resf_Eintrag_Daten(Resf_Spiel_Slot(ARCHIV_RASEN), Spielansicht_Bild_Nummer(k.bild_art, k.layout), &typ_rasen,
                            rasen) ||
        typ_rasen != RESF_BILD)
        return;
    const bool mit_licht = Resf_Eintrag_Daten(Resf_Spiel_Slot(ARCHIV_LICHT),
                                              spielansicht::Rasen_Licht_Nummer(k.bild_art, k.layout != SA_VOLL),
                                              &typ_licht, licht) &&
                           typ_licht == RESF_BILD;
    if (!mit_licht) licht.clear();
    in_arbeit.emplace(k, std::async(std::launch::async,
                                    [k, rasen = std::move(rasen), licht = std::move(licht)]() -> Rastport_Bild {
                                        Rastport_Bild rp = bild_lesen(rasen);
                                        if (!rp || !rasen_passt(*rp, k.layout)) return nullptr;
                                        if (!licht.empty())
                                            if (const Rastport_Bild l = bild_lesen(licht); l && licht_passt(*l, *rp))
                                                Blt_Licht_Mischen(*l, *rp, k.gespiegelt != 0);
                                        return rp;
                                    }));
}

// The view's grass picture with its light; null when the picture is missing
// or not of the view's scale (the scroll and the projection rely on it).
const Rastport* beleuchteter_rasen(Spielansicht_View* v) {
    if (gehalten_stand != Resf_Stand()) gehaltene_freigeben();
    const Rasen_Schluessel k{v->pitch->bild_art, v->layout, v->gespiegelt};
    if (auto it = beleuchtet.find(k); it != beleuchtet.end()) return it->second.get();
    Rastport_Bild rp;
    if (auto it = in_arbeit.find(k); it != in_arbeit.end()) {
        // Made on the worker (waited for while it is still at it).
        rp = it->second.get();
        in_arbeit.erase(it);
    }
    if (!rp) {
        rp.reset(Resf_Lade_Rastport(Resf_Spiel_Slot(ARCHIV_RASEN), Spielansicht_Bild_Nummer(v->pitch->bild_art, v->layout)));
        if (!rp || !rasen_passt(*rp, v->layout) || !Rastport_Lock(rp.get())) return nullptr;
        licht_mischen(*v, *rp);
    } else if (!Rastport_Lock(rp.get())) {
        return nullptr;
    }
    // One goes, not all at once (freeing them all is a pause of its own).
    if (beleuchtet.size() >= BELEUCHTET_MAX) beleuchtet.erase(beleuchtet.begin());
    return beleuchtet.emplace(k, std::move(rp)).first->second.get();
}

void gehaltene_freigeben() {
    gehalten.clear();
    beleuchtet.clear();
    in_arbeit.clear();  // waits for the workers still at it
    Spielansicht_Gebaute_Freigeben();
    gehalten_stand = Resf_Stand();
}
}  // namespace

void Spielansicht_Vorrat_Freigeben() {
    gehaltene_freigeben();
    Spielansicht_Animsets_Vorrat_Freigeben();
    Spielansicht_Sprites_Free();
    Spielansicht_Bilder_Free();
}

size_t Spielansicht_Vorrat_Anzahl() { return gehalten.size() + beleuchtet.size(); }
size_t Spielansicht_Rasen_In_Arbeit() { return in_arbeit.size(); }

namespace {
// Pitch pictures as built (grass with its light, stands, tunnel), by what
// they are built from: the views of a matchday and the next kick-offs on
// the same grounds take the kept picture instead of building it again.
struct Bau_Schluessel {
    u8 bild_art;
    bool halb;
    u32 gespiegelt;
    std::array<int, 6> stufen;
    auto operator<=>(const Bau_Schluessel&) const = default;
};
std::vector<std::pair<Bau_Schluessel, std::shared_ptr<Rastport>>> gebaut;  // the last used last
constexpr size_t GEBAUT_MAX = 4;  // two grounds at both scales

Bau_Schluessel bau_schluessel(const Spielfeld_Daten& sf, u32 layout, u32 gespiegelt) {
    Bau_Schluessel k{sf.bild_art, layout != SA_VOLL, gespiegelt != 0, {}};
    for (int i = 0; i < 6; ++i) k.stufen[i] = SF_Tribuene_Stufe(sf.tribuene[i]);
    return k;
}
Bau_Schluessel bau_schluessel(const Spielansicht_View& v) { return bau_schluessel(*v.pitch, v.layout, v.gespiegelt); }
}  // namespace

// At a start: the lit grass of each view whose ground is not built yet is
// made on a worker thread, at the view's scale and at the full one, and
// the stands and the tunnel it shows are read and unpacked on the graphics
// workers, so that the views built in the next frames take them made.
void spielansicht::Boden_Vorab(int anzahl) {
    if (gehalten_stand != Resf_Stand()) gehaltene_freigeben();
    for (int i = 0; i < anzahl; ++i) {
        const Spielansicht_View& v = Spielansicht_Views()[i];
        if (!v.pitch) continue;
        for (const u32 layout : {v.layout, static_cast<u32>(SA_VOLL)}) {
            const Bau_Schluessel k = bau_schluessel(*v.pitch, layout, v.gespiegelt);
            if (std::none_of(gebaut.begin(), gebaut.end(), [&](const auto& e) { return e.first == k; }))
                rasen_in_arbeit({v.pitch->bild_art, layout, v.gespiegelt});
        }
        for (int seite = 0; seite < spielansicht::TRIBUENE_SEITEN; ++seite) {
            const i32 nummer = spielansicht::Tribuene_Bild(seite, SF_Tribuene_Stufe(v.pitch->tribuene[seite]));
            if (nummer >= 0 && !gehalten.count({ARCHIV_TRIBUENEN, nummer}))
                Resf_Vorab_Bereit(Resf_Spiel_Slot(ARCHIV_TRIBUENEN), nummer);
        }
    }
    if (anzahl > 0 && !gehalten.count({ARCHIV_SPRITES, EINTRAG_TUNNEL}))
        Resf_Vorab_Bereit(Resf_Spiel_Slot(ARCHIV_SPRITES), EINTRAG_TUNNEL);
}

void spielansicht::Boden_Freigeben() { gehaltene_freigeben(); }

size_t Spielansicht_Gebaute_Anzahl() { return gebaut.size(); }
void Spielansicht_Gebaute_Freigeben() { gebaut.clear(); }

bool Spielansicht_Bild_Neu(Spielansicht_View* v) {
    if (!v) return false;
    v->bild.reset();
    Spielansicht_Kopfzeilen_Free(v);
    if (!v->pitch) return false;
    if (gehalten_stand != Resf_Stand()) gehaltene_freigeben();
    const Bau_Schluessel k = bau_schluessel(*v);
    const auto it = std::find_if(gebaut.begin(), gebaut.end(), [&](const auto& e) { return e.first == k; });
    if (it != gebaut.end()) {
        std::rotate(it, it + 1, gebaut.end());
        v->bild = gebaut.back().second;
        for (int j = 0; j < spielansicht::TRIBUENE_SEITEN; ++j)
            v->stand_level[j] = static_cast<u32>(std::max(0, SF_Tribuene_Stufe(v->pitch->tribuene[j])));
        return true;
    }
    const Rastport* grund = beleuchteter_rasen(v);
    Rastport_Bild rp{grund ? Rastport_Neu_Einfach(grund->breite, grund->hoehe, grund->tiefe()) : nullptr};
    if (rp && !Blt_Blit(const_cast<Rastport*>(grund), 0, 0, -1, -1, rp.get(), 0, 0, nullptr)) rp.reset();
    if (!rp) return false;
    v->bild.reset(rp.release(), Rastport_Freigabe{});
    Spielansicht_Tribuenen_Zeichnen(v);
    Spielansicht_Tunnel_Zeichnen(v);
    // From here on its pixels stay as they are.
    v->bild->fest = true;
    v->bild->serie = Rastport_Serie_Neu();
    if (gebaut.size() >= GEBAUT_MAX) gebaut.erase(gebaut.begin());
    gebaut.emplace_back(k, v->bild);
    return true;
}

void Spielansicht_Rasen_Licht(Spielansicht_View* v) {
    if (v && v->pitch && v->bild.get()) licht_mischen(*v, *v->bild);
}

void Spielansicht_Tunnel_Zeichnen(Spielansicht_View* v) {
    if (!v || !v->bild.get()) return;
    Rastport* t = gehaltenes_bild(ARCHIV_SPRITES, EINTRAG_TUNNEL);
    if (t && t->breite == spielansicht::TUNNEL_BREITE && t->hoehe == spielansicht::TUNNEL_HOEHE) {
        if (v->layout != SA_VOLL)
            Blt_Kopie_Transparent_Halb(t, v->bild.get(), spielansicht::TUNNEL_X / 2, spielansicht::TUNNEL_Y / 2);
        else
            Blt_Blit(t, 0, 0, t->breite, t->hoehe, v->bild.get(), spielansicht::TUNNEL_X, spielansicht::TUNNEL_Y,
                     Blt_Opt_Transparent);
    }
}

void Spielansicht_Tribuenen_Zeichnen(Spielansicht_View* v) {
    if (!v || !v->pitch || !v->bild.get()) return;
    static constexpr int GESPIEGELT[6] = {2, 1, 0, 5, 4, 3};
    const bool halb = v->layout != SA_VOLL;
    for (int i = 0; i < spielansicht::TRIBUENE_SEITEN; ++i) {
        const int j = v->gespiegelt ? GESPIEGELT[i] : i;
        const int stufe = SF_Tribuene_Stufe(v->pitch->tribuene[j]);
        v->stand_level[j] = static_cast<u32>(std::max(0, stufe));
        const i32 nummer = spielansicht::Tribuene_Bild(i, stufe);
        if (nummer < 0) continue;
        // A stand picture missing or not of its box's size is left out: the
        // pitch stays playable without it.
        Rastport* t = gehaltenes_bild(ARCHIV_TRIBUENEN, nummer);
        const spielansicht::Kasten k = spielansicht::Tribuene_Kasten(i);
        if (t && t->breite == k.breite && t->hoehe == k.hoehe) {
            if (halb)
                Blt_Kopie_Transparent_Halb(t, v->bild.get(), k.x / 2, k.y / 2);
            else
                Blt_Blit(t, 0, 0, t->breite, t->hoehe, v->bild.get(), k.x, k.y, Blt_Opt_Transparent);
        }
    }
}

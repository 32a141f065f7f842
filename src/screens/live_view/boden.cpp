// The live view's grounds: the pitch picture of a view built from the grass
// with its light, the stands and the tunnel; at a kick-off on worker
// threads, else in the frame from pictures kept while the live view runs.
#include <algorithm>
#include <array>
#include <atomic>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "base/bytes.h"
#include "base/memory.h"
#include "graphics/blitter.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "screens/live_view/boden.h"
#include "screens/live_view/figuren.h"
#include "screens/live_view/kopfzeile.h"
#include "screens/live_view/projektion.h"
#include "screens/live_view/spielansicht.h"
#include "season/wettbewerb.h"

namespace {

constexpr int ARCHIV_RASEN = 13;      // rasen_hg.res
constexpr int ARCHIV_LICHT = 14;      // rasen_hg_sprite.res
constexpr int ARCHIV_TRIBUENEN = 15;  // rasen_tribuenen.res
constexpr int ARCHIV_SPRITES = 17;    // stadion_sprites.res
constexpr int EINTRAG_TUNNEL = 145;

// Pictures a ground built in the frame is made of (stands, tunnel), loaded
// and unpacked once while the live view runs. The end of the live view
// lets them go.
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

// The view's grass picture with its light, made in the frame; null when the
// picture is missing or not of the view's scale.
Rastport_Bild beleuchteter_rasen(const Spielansicht_View& v) {
    Rastport_Bild rp(Resf_Lade_Rastport(Resf_Spiel_Slot(ARCHIV_RASEN), Spielansicht_Bild_Nummer(v.pitch->bild_art, v.layout)));
    if (!rp || !rasen_passt(*rp, v.layout) || !Rastport_Lock(rp.get())) return nullptr;
    licht_mischen(v, *rp);
    return rp;
}

// Pitch pictures as built (grass with its light, stands, tunnel), by what
// they are built from: the views of a matchday on the same ground take the
// kept picture instead of building it again.
struct Bau_Schluessel {
    u8 bild_art;
    bool halb;
    u32 gespiegelt;
    std::array<int, 6> stufen;
    auto operator<=>(const Bau_Schluessel&) const = default;
};
std::vector<std::pair<Bau_Schluessel, std::shared_ptr<Rastport>>> gebaut;  // the last used last
// The bytes the kept grounds may hold: four half-scale grounds, those of
// two matchdays (a club's home ground comes back every other matchday, with
// three other grounds shown in between), or one full-scale ground.
constexpr size_t GEBAUT_BYTES_MAX = 8u << 20;
i32 gebaut_jahr = -1;  // the season the kept grounds were built in

size_t bytes_von(const Rastport& rp) { return rp.bitmap ? rp.bitmap->speicher.size() * sizeof(u16) : 0; }

// Keeps a ground just built (the last used last): the least recently used
// go while the kept ones hold more than the budget; the new one stays even
// when it alone holds more.
void behalten(const Bau_Schluessel& k, std::shared_ptr<Rastport> rp) {
    gebaut.emplace_back(k, std::move(rp));
    size_t summe = 0;
    for (const auto& e : gebaut) summe += bytes_von(*e.second);
    while (gebaut.size() > 1 && summe > GEBAUT_BYTES_MAX) {
        summe -= bytes_von(*gebaut.front().second);
        gebaut.erase(gebaut.begin());
    }
}

Bau_Schluessel bau_schluessel(const Spielfeld_Daten& sf, u32 layout, u32 gespiegelt) {
    Bau_Schluessel k{sf.bild_art, layout != SA_VOLL, gespiegelt != 0, {}};
    for (int i = 0; i < 6; ++i) k.stufen[i] = SF_Tribuene_Stufe(sf.tribuene[i]);
    return k;
}
Bau_Schluessel bau_schluessel(const Spielansicht_View& v) { return bau_schluessel(*v.pitch, v.layout, v.gespiegelt); }

// The side whose stand byte a stand box shows (the other end's when mirrored).
constexpr int GESPIEGELT[6] = {2, 1, 0, 5, 4, 3};

// Grounds being built on a worker thread, started at a kick-off for every
// shown ground at the scale its view starts with and at the full scale
// (the view left alone when the others end goes full).
std::map<Bau_Schluessel, std::future<Rastport_Bild>> in_arbeit;
// Counts the times the grounds at work were let go: a build handed over
// before is not started (or not finished) any more, since nobody takes it.
std::atomic<u32> bau_runde{0};

// Lets the grounds at work go: those not started are not built, the one
// being built stops at its next picture; waits for the threads.
void in_arbeit_freigeben() {
    ++bau_runde;
    in_arbeit.clear();
}

// The grounds are built one at a time (mostly in the order they were handed
// over, the views' own scales first): each holds its grass and light
// unpacked while it is made, the largest pictures of all.
std::mutex& bau_reihe() {
    static std::mutex m;
    return m;
}

// A picture read from an entry's bytes with its pixels unpacked (on a
// worker thread); null when the bytes hold none. The bytes are let go once
// read and the packed pixels once unpacked: the picture is used once, and
// a ground's pictures are the largest there are (the full-scale light
// packed is some megabytes beside its seven unpacked).
Rastport_Bild bild_lesen(std::vector<u8>&& bytes) {
    Rastport_Bild rp;
    {
        bytes::Leser l(bytes.data(), bytes.size());
        rp.reset(Rastport_Lesen(l));
    }
    std::vector<u8>().swap(bytes);
    if (rp && (!rp->bitmap || !Rastport_Bitmap_Entpacken(rp->bitmap.get()))) rp.reset();
    if (rp) std::vector<u8>().swap(rp->bitmap->gepackt);
    return rp;
}

// A picture laid over the ground as the frame's build lays it: at full
// scale every pixel but the picture's colour key, clipped to the ground; at
// half scale every other row and column (from the second column) at half
// the place, colour 0 left out.
void auflegen(const Rastport& t, Rastport& z, i32 x0, i32 y0, bool halb) {
    if (!t.bitmap || !t.bitmap->hat_pixel() || t.tiefe() == 8 || t.tiefe() != z.tiefe()) return;
    const u16* s = t.bitmap->speicher.data();
    u16* d = z.bitmap->pixel16();
    if (halb) {
        for (i32 y = 0; y < t.hoehe; y += 2)
            for (i32 x = 1; x < t.breite; x += 2) {
                const u16 p = s[static_cast<size_t>(y) * t.breite + x];
                const i64 zx = static_cast<i64>(x0) + x / 2, zy = static_cast<i64>(y0) + y / 2;
                if (p && zx >= 0 && zy >= 0 && zx < z.breite && zy < z.hoehe)
                    d[static_cast<size_t>(zy) * z.breite + static_cast<size_t>(zx)] = p;
            }
        return;
    }
    const u16 key = t.bitmap->farbschluessel;
    const i64 xa = std::max<i64>(0, x0), xe = std::min<i64>(z.breite, static_cast<i64>(x0) + t.breite);
    const i64 ya = std::max<i64>(0, y0), ye = std::min<i64>(z.hoehe, static_cast<i64>(y0) + t.hoehe);
    for (i64 y = ya; y < ye; ++y)
        for (i64 x = xa; x < xe; ++x) {
            const u16 p = s[static_cast<size_t>(y - y0) * t.breite + static_cast<size_t>(x - x0)];
            if (p != key) d[static_cast<size_t>(y) * z.breite + static_cast<size_t>(x)] = p;
        }
}

// What a ground is built of: where its pictures lie in the archives (an
// empty path: none).
struct Bau_Teile {
    Resf_Ort rasen, licht, tunnel;
    struct Tribuene {
        Resf_Ort ort;
        spielansicht::Kasten kasten;
    };
    std::vector<Tribuene> tribuenen;
};

// 1: the entry is a picture (its place in `ort`), 0: there is no such
// entry, -1: it is something else.
int bild_ort(int archiv, i32 eintrag, Resf_Ort& ort) {
    if (!Resf_Eintrag_Ort(Resf_Spiel_Slot(archiv), eintrag, &ort)) return 0;
    return ort.typ == RESF_BILD ? 1 : -1;
}

// A picture read at its place with its pixels unpacked (on a worker
// thread); null when it cannot be read or holds none.
Rastport_Bild bild_lesen(const Resf_Ort& ort) {
    std::vector<u8> bytes;
    if (ort.pfad.empty() || !Resf_Ort_Lesen(ort, bytes)) return nullptr;
    return bild_lesen(std::move(bytes));
}

// Hands a ground to a worker thread: the frame finds where its pictures
// lie, the thread reads and unpacks them one after the other and builds
// the ground as the frame would. Left to the frame when one of its
// pictures is no picture entry or the grass is missing.
void bau_in_arbeit(const Spielfeld_Daten& sf, u32 layout, u32 gespiegelt) {
    const Bau_Schluessel k = bau_schluessel(sf, layout, gespiegelt);
    if (in_arbeit.count(k) || std::any_of(gebaut.begin(), gebaut.end(), [&](const auto& e) { return e.first == k; }))
        return;
    const bool halb = layout != SA_VOLL;
    Bau_Teile teile;
    if (bild_ort(ARCHIV_RASEN, Spielansicht_Bild_Nummer(sf.bild_art, layout), teile.rasen) != 1) return;
    // A light that is no picture is left out, as the frame leaves it out.
    if (bild_ort(ARCHIV_LICHT, spielansicht::Rasen_Licht_Nummer(sf.bild_art, halb), teile.licht) != 1)
        teile.licht = Resf_Ort{};
    for (int i = 0; i < spielansicht::TRIBUENE_SEITEN; ++i) {
        const int j = gespiegelt ? GESPIEGELT[i] : i;
        const i32 nummer = spielansicht::Tribuene_Bild(i, SF_Tribuene_Stufe(sf.tribuene[j]));
        if (nummer < 0) continue;
        Bau_Teile::Tribuene t{{}, spielansicht::Tribuene_Kasten(i)};
        const int da = bild_ort(ARCHIV_TRIBUENEN, nummer, t.ort);
        if (da < 0) return;
        if (da == 0) continue;  // missing: left out, as the frame leaves it out
        teile.tribuenen.push_back(std::move(t));
    }
    const int tunnel = bild_ort(ARCHIV_SPRITES, EINTRAG_TUNNEL, teile.tunnel);
    if (tunnel < 0) return;
    if (tunnel == 0) teile.tunnel = Resf_Ort{};
    const auto bauen = [layout, gespiegelt, halb, runde = bau_runde.load(), teile = std::move(teile)]() -> Rastport_Bild {
        const std::lock_guard<std::mutex> einer(bau_reihe());
        const auto verworfen = [runde] { return bau_runde.load() != runde; };
        if (verworfen()) return nullptr;
        Rastport_Bild rasen = bild_lesen(teile.rasen);
        if (!rasen || !rasen_passt(*rasen, layout) || verworfen()) return nullptr;
        if (!teile.licht.pfad.empty())
            if (const Rastport_Bild li = bild_lesen(teile.licht); li && licht_passt(*li, *rasen))
                Blt_Licht_Mischen(*li, *rasen, gespiegelt != 0);
        // A picture of its own, as the frame makes it, taking the lit
        // grass's pixels.
        Rastport_Bild rp(Rastport_Neu(rasen->breite, rasen->hoehe, rasen->tiefe(), 1, 0));
        if (!rp) return nullptr;
        rp->bitmap = Rastport_Bitmap_Neu(1, 1, rasen->tiefe(), 0);
        if (!rp->bitmap) return nullptr;
        rp->bitmap->breite = rasen->breite, rp->bitmap->hoehe = rasen->hoehe;
        rp->bitmap->speicher = std::move(rasen->bitmap->speicher);
        rasen.reset();
        for (const Bau_Teile::Tribuene& t : teile.tribuenen)
            if (const Rastport_Bild bild = bild_lesen(t.ort);
                bild && bild->breite == t.kasten.breite && bild->hoehe == t.kasten.hoehe)
                auflegen(*bild, *rp, halb ? t.kasten.x / 2 : t.kasten.x, halb ? t.kasten.y / 2 : t.kasten.y, halb);
        if (!teile.tunnel.pfad.empty())
            if (const Rastport_Bild t = bild_lesen(teile.tunnel);
                t && t->breite == spielansicht::TUNNEL_BREITE && t->hoehe == spielansicht::TUNNEL_HOEHE)
                auflegen(*t, *rp, halb ? spielansicht::TUNNEL_X / 2 : spielansicht::TUNNEL_X,
                         halb ? spielansicht::TUNNEL_Y / 2 : spielansicht::TUNNEL_Y, halb);
        return rp;
    };
    in_arbeit.emplace(k, std::async(std::launch::async, bauen));
}

void gehaltene_freigeben() {
    gehalten.clear();
    in_arbeit_freigeben();
    Spielansicht_Gebaute_Freigeben();
    gehalten_stand = Resf_Stand();
}
}  // namespace

void Spielansicht_Vorrat_Freigeben() {
    gehaltene_freigeben();
    Spielansicht_Animsets_Vorrat_Freigeben();
    Spielansicht_Sprites_Vorrat_Freigeben();
    Spielansicht_Sitzplaene_Freigeben();
    Spielansicht_Farbtabellen_Freigeben();
    Spielansicht_Bilder_Free();
}

size_t Spielansicht_Vorrat_Anzahl() { return gehalten.size(); }
size_t Spielansicht_Boden_In_Arbeit() { return in_arbeit.size(); }

namespace {
// Whether a match's competition ends play at a fixed minute: no extra time,
// no shoot-out, no golden goal (those end a match by its score).
const Wettbewerb* feste_spielzeit(const Spielfeld_Daten& sf) {
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(static_cast<i32>(sf.wettbewerb));
    if (!w || (w->modus & (WB_VERLAENGERUNG | WB_KO_SYSTEM | WB_ELFMETERSCHIESSEN | WB_SUDDEN_DEATH))) return nullptr;
    return w;
}
}  // namespace

bool spielansicht::Enden_Zusammen(const Spielfeld_Daten* const* liste, int anzahl) {
    const Spielfeld_Daten* erstes = nullptr;
    const Wettbewerb* w1 = nullptr;
    for (int i = 0; i < anzahl; ++i) {
        const Spielfeld_Daten* sf = liste[i];
        if (!sf) continue;
        const Wettbewerb* w = feste_spielzeit(*sf);
        if (!w) return false;
        if (!erstes) {
            erstes = sf, w1 = w;
            continue;
        }
        // Halves of the same number and length, at the same point of play.
        if (w->halbzeiten != w1->halbzeiten || w->halbzeit_laenge != w1->halbzeit_laenge ||
            sf->halbzeit != erstes->halbzeit || sf->halbzeit_status != erstes->halbzeit_status ||
            sf->minute != erstes->minute || sf->minuten_teil != erstes->minuten_teil ||
            sf->minuten_korrektur != erstes->minuten_korrektur)
            return false;
    }
    return true;
}

// At a start: each view's ground not built yet is built on a worker thread
// at the view's scale, and at the full one when one of several matches may
// go on alone (the view left goes full), so that the views built in the
// next frames take them built. Matches that end together never show the
// full scale: it is built only should one be left alone after all.
namespace {
// The kept grounds the views of this start leave no room for go before
// their grounds are built: as the views take their grounds (each the last
// used), the budget would drop those at once; let go first, they do not
// stand beside the largest pictures of all while these are unpacked. When
// the full scale is built ahead for a view that may be left alone, only
// the views' own grounds stay: the full-scale ground taken leaves room for
// no other.
void platz_fuer_start(int anzahl, bool voll_vorab) {
    if (voll_vorab) {
        std::erase_if(gebaut, [&](const auto& e) {
            for (int i = 0; i < anzahl && i < SA_VIEWS; ++i)
                if (Spielansicht_Views()[i].pitch && bau_schluessel(Spielansicht_Views()[i]) == e.first) return false;
            return true;
        });
        return;
    }
    std::vector<std::pair<Bau_Schluessel, size_t>> folge;  // the kept grounds after the start, last used last
    for (const auto& e : gebaut) folge.emplace_back(e.first, bytes_von(*e.second));
    for (int i = 0; i < anzahl && i < SA_VIEWS; ++i) {
        const Spielansicht_View& v = Spielansicht_Views()[i];
        if (!v.pitch) continue;
        const Bau_Schluessel k = bau_schluessel(v);
        auto it = std::find_if(folge.begin(), folge.end(), [&](const auto& e) { return e.first == k; });
        size_t bytes = 0;
        if (it != folge.end()) {
            bytes = it->second;
            folge.erase(it);
        } else {
            const spielansicht::Massstab& m = v.layout == SA_VOLL ? spielansicht::VOLL : spielansicht::HALB;
            bytes = static_cast<size_t>(m.breite) * static_cast<size_t>(m.hoehe) * sizeof(u16);
        }
        folge.emplace_back(k, bytes);
    }
    size_t summe = 0;
    for (const auto& e : folge) summe += e.second;
    size_t weg = 0;
    while (folge.size() - weg > 1 && summe > GEBAUT_BYTES_MAX) summe -= folge[weg++].second;
    const auto bleibt = [&](const Bau_Schluessel& k) {
        return std::any_of(folge.begin() + static_cast<std::ptrdiff_t>(weg), folge.end(),
                           [&](const auto& e) { return e.first == k; });
    };
    std::erase_if(gebaut, [&](const auto& e) { return !bleibt(e.first); });
}
}  // namespace

void spielansicht::Boden_Vorab(int anzahl) {
    if (gehalten_stand != Resf_Stand()) gehaltene_freigeben();
    Spielfeld_Daten* liste[SA_VIEWS] = {};
    for (int i = 0; i < anzahl && i < SA_VIEWS; ++i) liste[i] = Spielansicht_Views()[i].pitch;
    const bool voll_vorab = anzahl > 1 && !Enden_Zusammen(liste, std::min(anzahl, static_cast<int>(SA_VIEWS)));
    platz_fuer_start(anzahl, voll_vorab);
    // Before a full-scale ground is built (grass, light and its alpha plane
    // unpacked at once, the largest pictures of all) the heap's free pages
    // go back: the build then stands beside what is in use, not beside
    // that and the heap's holes.
    bool voll_neu = false;
    for (int i = 0; i < anzahl && i < SA_VIEWS; ++i) {
        const Spielansicht_View& v = Spielansicht_Views()[i];
        if (!v.pitch || (!voll_vorab && v.layout != SA_VOLL)) continue;
        const Bau_Schluessel k = bau_schluessel(*v.pitch, SA_VOLL, v.gespiegelt);
        voll_neu |= std::none_of(gebaut.begin(), gebaut.end(), [&](const auto& e) { return e.first == k; });
    }
    if (voll_neu) W32_Memory_Zurueckgeben();
    for (const bool voll : {false, true})
        for (int i = 0; i < anzahl && (!voll || voll_vorab); ++i) {
            const Spielansicht_View& v = Spielansicht_Views()[i];
            if (v.pitch) bau_in_arbeit(*v.pitch, voll ? static_cast<u32>(SA_VOLL) : v.layout, v.gespiegelt);
        }
}

void spielansicht::Boden_Freigeben() {
    // The built grounds stay for the next kick-offs (up to GEBAUT_BYTES_MAX).
    gehalten.clear();
    in_arbeit_freigeben();
}

size_t Spielansicht_Gebaute_Anzahl() { return gebaut.size(); }
void Spielansicht_Gebaute_Freigeben() { gebaut.clear(); }

void Spielansicht_Gebaute_Pflegen(bool live_an, i32 saison) {
    if (Spielansicht_Laufzustand() == 1 || (live_an && saison == gebaut_jahr)) return;
    gebaut.clear();
    gebaut_jahr = saison;
}

bool Spielansicht_Bild_Neu(Spielansicht_View* v) {
    if (!v) return false;
    v->bild.reset();
    Spielansicht_Kopfzeilen_Free(v);
    if (!v->pitch) return false;
    if (gehalten_stand != Resf_Stand()) gehaltene_freigeben();
    const Bau_Schluessel k = bau_schluessel(*v);
    auto it = std::find_if(gebaut.begin(), gebaut.end(), [&](const auto& e) { return e.first == k; });
    if (it == gebaut.end()) {
        if (const auto arbeit = in_arbeit.find(k); arbeit != in_arbeit.end()) {
            // Built on the worker (waited for while it is still at it).
            Rastport_Bild rp = arbeit->second.get();
            in_arbeit.erase(arbeit);
            if (rp) {
                rp->fest = true;
                rp->serie = Rastport_Serie_Neu();
                behalten(k, std::shared_ptr<Rastport>(rp.release(), Rastport_Freigabe{}));
                it = gebaut.end() - 1;
            }
        }
    }
    if (it != gebaut.end()) {
        std::rotate(it, it + 1, gebaut.end());
        v->bild = gebaut.back().second;
        for (int j = 0; j < spielansicht::TRIBUENE_SEITEN; ++j)
            v->stand_level[j] = static_cast<u32>(std::max(0, SF_Tribuene_Stufe(v->pitch->tribuene[j])));
        return true;
    }
    const Rastport_Bild grund = beleuchteter_rasen(*v);
    Rastport_Bild rp{grund ? Rastport_Neu_Einfach(grund->breite, grund->hoehe, grund->tiefe()) : nullptr};
    if (rp && !Blt_Blit(grund.get(), 0, 0, -1, -1, rp.get(), 0, 0, nullptr)) rp.reset();
    if (!rp) return false;
    v->bild.reset(rp.release(), Rastport_Freigabe{});
    Spielansicht_Tribuenen_Zeichnen(v);
    Spielansicht_Tunnel_Zeichnen(v);
    // From here on its pixels stay as they are.
    v->bild->fest = true;
    v->bild->serie = Rastport_Serie_Neu();
    behalten(k, v->bild);
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

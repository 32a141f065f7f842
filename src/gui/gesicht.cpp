// Composed player faces (see gesicht.h).
#include "gui/gesicht.h"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

#include "graphics/blitter.h"
#include "graphics/farbe.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/bilder.h"
#include "gui/wappen.h"

namespace {

constexpr i32 ARCHIV_GESICHT = 18;
constexpr i32 TEILE = 217;
constexpr u32 GESICHT_SCHLUESSEL = 0xFEFEFEFA;

std::array<std::unique_ptr<Rastport>, TEILE> teile;
bool geladen = false;

// First entry and largest field value of F1..F5 per style.
struct Gruppe {
    i32 erster, grenze;
};
constexpr Gruppe GRUPPEN[2][5] = {
    {{158, 11}, {2, 30}, {33, 61}, {95, 30}, {126, 31}},
    {{207, 9}, {170, 1}, {172, 9}, {182, 9}, {192, 9}},
};
constexpr i32 MASKEN[2] = {203, 205};

u32 mischen(u32 h) {
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    return h ^ (h >> 16);
}

Gesicht_Hooks hooks{};

u16 pack565(u32 rgb) {
    const u16 p = static_cast<u16>(((rgb >> 19) & 31) << 11 | ((rgb >> 10) & 63) << 5 | ((rgb >> 3) & 31));
    return p ? p : 1;
}

}  // namespace

u32 Gesicht_Aussehen_Aus_Nummer(i32 nummer) {
    const u32 z = mischen(static_cast<u32>(nummer) * 2654435761u + 0x9E37u);
    const u32 y = mischen(z + 0x51ED27u);
    const u32 haut = z % 12;
    // Darker skin tones mostly with black or dark-brown hair; grey now and then.
    const u32 ton = haut % 6;
    u32 haarfarbe = (z >> 4) % 6;
    if (ton >= 3 && haarfarbe >= 2 && haarfarbe <= 4) haarfarbe = (y & 1);
    u32 frisur = (y >> 3) % 10;
    u32 f3 = frisur * 6 + haarfarbe;
    if ((y >> 8) % 23 == 0) f3 = 60 + ((y >> 12) & 1);  // bald
    // Beards: none in half the squad, stubble and moustaches the rest.
    static constexpr u32 BAERTE[12] = {0, 0, 0, 0, 0, 0, 1, 1, 2, 3, 4, 6};
    const u32 f5 = BAERTE[(z >> 12) % 12] * 4 + (z >> 20) % 4;
    const u32 f2 = (y >> 16) % 31, f4 = (z >> 24) % 31;
    if ((y >> 26) % 5 == 0) {
        // One in five in the rounder second style, with its smaller groups.
        return 1u | (haut % 10) << 2 | (f2 & 1) << 7 | ((y >> 3) % 10) << 13 | (f4 % 10) << 20 | ((z >> 12) % 10) << 26;
    }
    return 0u | haut << 2 | f2 << 7 | f3 << 13 | f4 << 20 | f5 << 26;
}

void Gesicht_Set_Hooks(const Gesicht_Hooks& h) { hooks = h; }

namespace {

constexpr i32 KEIN_TEIL = 202;  // the archive's entry that is no part
i32 teile_slot = -1;            // the archive slot the parts come from, -1 none yet

// A part, loaded from the parts' slot when it is first wanted (a face needs
// eight of the 216: loading them all took some 5 ms of the frame that
// showed the first face, and memory for parts no face shows); null when it
// cannot be loaded.
Rastport* teil(i32 e) {
    if (e < 0 || e >= TEILE || e == KEIN_TEIL) return nullptr;
    if (!teile[e] && Resf_Slot_Gueltig(teile_slot)) {
        teile[e].reset(Resf_Lade_Rastport(teile_slot, e));
        if (teile[e] && !Rastport_Lock(teile[e].get())) teile[e].reset();
    }
    return teile[e].get();
}

// The archive the parts come from: the one they were loaded from, else the
// game's. False when there is none.
bool teile_quelle() {
    if (geladen || Resf_Slot_Gueltig(teile_slot)) return true;
    teile_slot = Resf_Spiel_Slot(ARCHIV_GESICHT);
    return Resf_Slot_Gueltig(teile_slot);
}

}  // namespace

bool Gesicht_Teile_Laden(i32 slot) {
    if (geladen) return true;
    if (slot < 0) slot = Resf_Spiel_Slot(ARCHIV_GESICHT);
    if (!Resf_Slot_Gueltig(slot)) return false;
    if (slot != teile_slot) Gesicht_Teile_Free();
    teile_slot = slot;
    for (i32 e = 0; e < TEILE; ++e) {
        if (e == KEIN_TEIL) continue;
        if (!teil(e)) {
            Gesicht_Teile_Free();
            return false;
        }
    }
    geladen = true;
    return true;
}

i32 Gesicht_Teile_Anzahl() {
    i32 n = 0;
    for (const auto& t : teile) n += t != nullptr;
    return n;
}

void Gesicht_Teile_Free() {
    for (auto& t : teile) t.reset();
    geladen = false;
    teile_slot = -1;
}

void Gesicht_Farben(u32 aussehen, u16* haar, u16* haut) {
    // The palettes of the drawn parts (tools/resgen/gesicht.cpp).
    static constexpr u32 HAUT[6] = {0xF4D2B8, 0xE8B996, 0xD29E76, 0xB07B52, 0x8A5A3A, 0x5E3B26};
    static constexpr u32 HAAR[6] = {0x1E1A18, 0x4A3222, 0x7A5530, 0xD8B46A, 0xA8532C, 0x9A9A98};
    const i32 stil = Gesicht_Stil(aussehen);
    const u32 kopf = std::min<u32>((aussehen >> 2) & 31, static_cast<u32>(GESICHT_TEILE[stil][0] - 1));
    const u32 frisur = std::min<u32>((aussehen >> 13) & 127, static_cast<u32>(GESICHT_TEILE[stil][2] - 1));
    const u32 ton = HAUT[kopf % 6];
    u32 h = stil ? HAAR[(frisur / 2) % 6] : HAAR[frisur % 6];
    if (!stil && frisur >= 60) h = frisur == 61 ? HAAR[5] : ton;
    if (haut) *haut = pack565(ton);
    if (haar) *haar = pack565(h);
}

Rastport* Gesicht_Bauen(u32 aussehen, u32 farbe1, u32 farbe2) {
    if (!teile_quelle()) return nullptr;
    const i32 stil = (aussehen & 3) ? 1 : 0;
    const u32 feld[5] = {(aussehen >> 2) & 31, (aussehen >> 7) & 63, (aussehen >> 13) & 127, (aussehen >> 20) & 63,
                         (aussehen >> 26) & 63};
    Rastport* basis = teil(stil);
    Rastport* stuecke[5] = {};
    for (i32 f = 0; f < 5; ++f) {
        const Gruppe& gr = GRUPPEN[stil][f];
        stuecke[f] = teil(gr.erster + std::min<i32>(static_cast<i32>(feld[f]), gr.grenze));
        if (!stuecke[f]) return nullptr;
    }
    if (!basis) return nullptr;
    Rastport* g = Rastport_Neu_Einfach(basis->breite, basis->hoehe, 16);
    if (!g) return nullptr;
    Blt_Blit(basis, 0, 0, -1, -1, g, 0, 0, nullptr);
    for (i32 f : {0, 3, 1, 4, 2})  // head, eyes, nose, mouth, hair
        Blt_Blit(stuecke[f], 0, 0, -1, -1, g, 0, 0, Blt_Opt_Alpha_Transparent);
    const i32 n = g->breite * g->hoehe;
    for (i32 k = 0; k < 2; ++k) {
        const Rastport* m = teil(MASKEN[stil] + k);
        if (m && static_cast<i32>(m->maske.size()) >= (n + 7) / 8 && m->breite == g->breite)
            Farbe_Maske_Einfaerben(g->bitmap->pixel16(), m->maske.data(), pack565(k ? farbe2 : farbe1), 16, n);
    }
    return g;
}

Rastport* Gesicht_Holen(i32 spieler, i32 team, Rastport* ziel, i32 x, i32 y, i32 w, i32 h) {
    if (static_cast<i32>(hooks.aussehen(spieler)) >= 0 && !teile_quelle()) return nullptr;
    if (w < 1) w = 85;
    if (h < 1) h = 100;
    const u32 liste[4] = {static_cast<u32>(spieler), static_cast<u32>(team), static_cast<u32>(w), static_cast<u32>(h)};
    Rastport* fertig = Farbe_Cache_Suchen(liste, 4, GESICHT_SCHLUESSEL);
    if (!fertig) {
        u32 f1 = 0, f2 = 0;
        hooks.farben(spieler, team, &f1, &f2);
        const u32 look = hooks.aussehen(spieler);
        // A negative look value asks for the player's photo.
        Rastport_Bild g(static_cast<i32>(look) < 0 ? Bilder_Laden(spieler, nullptr, BILDER_SPIELER)
                                                   : Gesicht_Bauen(look, f1, f2));
        if (!g) return nullptr;
        if (w != g->breite || h != g->hoehe) {
            Rastport_Bild s(Rastport_Neu_Einfach(w, h, 16));
            const bool ok = s && ((w > g->breite || h > g->hoehe) ? Bild_Skalieren(g.get(), s.get(), w, h)
                                                                  : Bild_Verkleinern(g.get(), s.get()));
            if (!ok) return nullptr;
            g = std::move(s);
        }
        if (!Farbe_Cache_Ablegen(g.get(), liste, 4, GESICHT_SCHLUESSEL)) {
            if (ziel) Blt_Blit(g.get(), 0, 0, -1, -1, ziel, x, y, Blt_Opt_Transparent);
            return nullptr;
        }
        fertig = g.release();  // the cache owns it now
    }
    if (ziel) Blt_Blit(fertig, 0, 0, -1, -1, ziel, x, y, Blt_Opt_Transparent);
    return fertig;
}

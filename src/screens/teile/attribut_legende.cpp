#include "screens/teile/attribut_legende.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "graphics/abdruck.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "gui/kit.h"
#include "gui/palette.h"
#include "world/attribut.h"
#include "world/global.h"
#include "world/welt.h"

namespace {
constexpr i32 BILD_LUECKE = 3;
}  // namespace

i32 Spieler_Marken(i32 spieler, i32 aus[SPIELER_MARKEN_MAX]) {
    if (!aus || spieler < 0 || spieler >= Spieler_Anzahl) return 0;
    const i32 n = std::clamp(Attribute_Get_Attribute(spieler, aus, SPIELER_MARKEN_MAX, 0), 0, SPIELER_MARKEN_MAX);
    i32 k = 0;
    for (i32 i = 0; i < n; ++i)
        if (aus[i] >= 0 && aus[i] < ATTRIBUT_ANZAHL) aus[k++] = aus[i];
    return k;
}

std::vector<i32> Attribut_Legende_Sammeln(const i32* spieler, i32 anzahl) {
    std::vector<i32> r;
    std::vector<i32> wie_oft(ATTRIBUT_ANZAHL, 0);
    for (i32 i = 0; spieler && i < anzahl; ++i) {
        i32 a[SPIELER_MARKEN_MAX];
        const int n = Spieler_Marken(spieler[i], a);
        for (int k = 0; k < n; ++k) {
            if (a[k] < 0 || a[k] >= ATTRIBUT_ANZAHL) continue;
            if (wie_oft[static_cast<size_t>(a[k])]++ == 0) r.push_back(a[k]);
        }
    }
    // The most shown first: when the room runs out, the rarest are left out.
    std::stable_sort(r.begin(), r.end(), [&](i32 a, i32 b) {
        return wie_oft[static_cast<size_t>(a)] > wie_oft[static_cast<size_t>(b)];
    });
    return r;
}

namespace {
struct Legende_Satz {
    Kit_Schrift schrift;
    i32 luecke;  // between two entries
    bool dicht;  // the places' closer lines
};
// Tried in order until every entry fits: the usual look, closer entries,
// then the narrow small font.
constexpr Legende_Satz SAETZE[] = {
    {Kit_Schrift::SCHMAL, 8, false}, {Kit_Schrift::SCHMAL, 4, false}, {Kit_Schrift::WINZIG, 4, true}};

// Where each entry goes with font f and gap `luecke`; the left-over ones in `plan.uebrig`.
Attribut_Legende_Plan legen(const std::vector<i32>& attribute, u32 grafik_basis,
                            const std::vector<Attribut_Legende_Platz>& plaetze, Font* f, const Legende_Satz& satz) {
    // Each entry goes on the first line with room left for it: the lines
    // fill up, and a long name that no longer fits leaves its place to a
    // shorter one further on.
    struct Zeile {
        i32 platz, nummer, x, x1, y;
    };
    std::vector<Zeile> zeilen;
    Attribut_Legende_Plan r;
    r.schrift = static_cast<i32>(satz.schrift);
    r.zeilen.assign(plaetze.size(), 0);
    for (size_t p = 0; p < plaetze.size(); ++p) {
        const Attribut_Legende_Platz& pl = plaetze[p];
        const i32 h = satz.dicht && pl.zeilenhoehe_dicht > 0 ? pl.zeilenhoehe_dicht : pl.zeilenhoehe;
        for (i32 z = 0; z < pl.zeilen; ++z) zeilen.push_back({static_cast<i32>(p), z, pl.x0, pl.x1, pl.y + z * h});
    }
    for (i32 a : attribute) {
        if (a < 0 || a >= ATTRIBUT_ANZAHL) continue;
        const Rastport* b = Kit_Bild(grafik_basis + static_cast<u32>(a));
        const i32 bw = b ? b->breite : 0;
        const i32 w = bw + BILD_LUECKE + Font_Text_Breite(f, Attribut_Tabelle[a].name);
        auto z = std::find_if(zeilen.begin(), zeilen.end(), [&](const Zeile& l) { return l.x + w <= l.x1; });
        if (z == zeilen.end()) {
            r.uebrig.push_back(a);
            continue;
        }
        r.eintraege.push_back({a, z->x, z->y, z->platz, z->nummer});
        i32& benutzt = r.zeilen[static_cast<size_t>(z->platz)];
        benutzt = std::max(benutzt, z->nummer + 1);
        z->x += w + satz.luecke;
    }
    return r;
}
}  // namespace

namespace {
Attribut_Legende_Plan legen_alle(const std::vector<i32>& attribute, u32 grafik_basis,
                                 const std::vector<Attribut_Legende_Platz>& plaetze) {
    const bool verdichten =
        std::all_of(plaetze.begin(), plaetze.end(), [](const Attribut_Legende_Platz& p) { return p.verdichten; });
    Attribut_Legende_Plan plan;
    plan.uebrig = attribute;
    plan.zeilen.assign(plaetze.size(), 0);
    plan.schrift = -1;
    bool gelegt = false;
    for (const Legende_Satz& s : SAETZE) {
        if (!verdichten && s.schrift != SAETZE[0].schrift) break;
        Font* fs = Kit_Font(s.schrift);
        if (!fs) continue;
        Attribut_Legende_Plan e = legen(attribute, grafik_basis, plaetze, fs, s);
        // The first set that names everything; else the one naming the most.
        if (!gelegt || e.uebrig.size() < plan.uebrig.size()) plan = std::move(e), gelegt = true;
        if (plan.uebrig.empty()) break;
    }
    return plan;
}

// What a plan is laid from: the entries, their pictures' widths, the
// places and the fonts (a legend drawn each frame is laid out once).
u64 plan_schluessel(const std::vector<i32>& attribute, u32 grafik_basis,
                    const std::vector<Attribut_Legende_Platz>& plaetze) {
    u64 h = 0xCBF29CE484222325ull;
    const auto dazu = [&h](i64 v) { h = (h ^ static_cast<u64>(v)) * 0x100000001B3ull + (h >> 29); };
    dazu(grafik_basis);
    for (i32 a : attribute) {
        dazu(a);
        const Rastport* b = a >= 0 && a < ATTRIBUT_ANZAHL ? Kit_Bild(grafik_basis + static_cast<u32>(a)) : nullptr;
        dazu(b ? b->breite : -1);
    }
    for (const Attribut_Legende_Platz& p : plaetze)
        for (i64 v : {i64{p.x0}, i64{p.x1}, i64{p.y}, i64{p.zeilen}, i64{p.zeilenhoehe}, i64{p.verdichten},
                      i64{p.zeilenhoehe_dicht}})
            dazu(v);
    for (const Legende_Satz& satz : SAETZE) dazu(static_cast<i64>(reinterpret_cast<uintptr_t>(Kit_Font(satz.schrift))));
    dazu(static_cast<i64>(attribute.size()) << 32 | static_cast<i64>(plaetze.size()));
    return h;
}

struct Gelegt {
    u64 schluessel = 0;
    Attribut_Legende_Plan plan;
};
// The plans laid last (a screen draws up to two legends each frame).
Gelegt gelegt[4];
size_t gelegt_naechster = 0;
}  // namespace

Attribut_Legende_Plan Attribut_Legende_Legen(const std::vector<i32>& attribute, u32 grafik_basis,
                                             const std::vector<Attribut_Legende_Platz>& plaetze) {
    const u64 schluessel = plan_schluessel(attribute, grafik_basis, plaetze);
    for (const Gelegt& g : gelegt)
        if (g.schluessel == schluessel) return g.plan;
    Gelegt& neu = gelegt[gelegt_naechster++ % std::size(gelegt)];
    neu.schluessel = schluessel;
    neu.plan = legen_alle(attribute, grafik_basis, plaetze);
    return neu.plan;
}

void Attribut_Legende_Vergessen() {
    for (Gelegt& g : gelegt) g = Gelegt{};
}

void Attribut_Legende_Plan_Zeichnen(Rastport* ziel, const Attribut_Legende_Plan& plan, u32 grafik_basis) {
    Font* f = plan.schrift >= 0 ? Kit_Font(static_cast<Kit_Schrift>(plan.schrift)) : nullptr;
    if (!ziel || !f) return;
    for (const Attribut_Legende_Plan::Eintrag& e : plan.eintraege) {
        const Rastport* b = Kit_Bild(grafik_basis + static_cast<u32>(e.attribut));
        const i32 bw = b ? b->breite : 0, bh = b ? b->hoehe : 0;
        // The badge stands on the text's line, centred on its letters.
        if (b) Kit_Bild_Zeichnen(ziel, grafik_basis + static_cast<u32>(e.attribut), e.x, e.y - f->hoehe / 2 - bh / 2 - 1);
        Kit_Printf(ziel, f, FARBE_KREIDE_2, e.x + bw + BILD_LUECKE, e.y, "%s", Attribut_Tabelle[e.attribut].name);
    }
}

std::vector<i32> Attribut_Legende_Zeichnen(Rastport* ziel, const std::vector<i32>& attribute, u32 grafik_basis,
                                           const Attribut_Legende_Platz& platz) {
    if (!ziel) return attribute;
    const Attribut_Legende_Plan plan = Attribut_Legende_Legen(attribute, grafik_basis, {platz});
    if (plan.schrift < 0) return attribute;
    // A probed frame: the same entries in the same place draw the same.
    const bool merken = Abdruck_Trifft(ziel);
    if (merken) [[unlikely]] {
        std::vector<i64> werte = {0x4C31,
                                  grafik_basis,
                                  platz.x0,
                                  platz.x1,
                                  platz.y,
                                  platz.zeilen,
                                  platz.zeilenhoehe,
                                  platz.verdichten,
                                  platz.zeilenhoehe_dicht,
                                  plan.schrift};
        for (const Attribut_Legende_Plan::Eintrag& e : plan.eintraege)
            werte.push_back(e.attribut), werte.push_back(e.x), werte.push_back(e.y);
        if (Abdruck_Gemerkt(werte.data(), static_cast<i32>(werte.size())) == Abdruck_Folge::FERTIG) return plan.uebrig;
    }
    Attribut_Legende_Plan_Zeichnen(ziel, plan, grafik_basis);
    if (merken) Abdruck_Gemerkt_Ende();
    return plan.uebrig;
}

i32 Attribut_Marke_Bei(const i32* attribute, i32 n, u32 grafik_basis, i32 x, i32 y, i32 dx, i32 px, i32 py) {
    for (i32 i = 0; attribute && i < n; ++i) {
        const i32 a = attribute[i];
        if (a < 0 || a >= ATTRIBUT_ANZAHL) continue;
        const Rastport* b = Kit_Bild(grafik_basis + static_cast<u32>(a));
        if (!b) continue;
        const i32 bx = x + dx * i;
        if (px >= bx && px < bx + b->breite && py >= y && py < y + b->hoehe) return a;
    }
    return -1;
}

const char* Attribut_Marke_Hilfe(i32 a) { return a >= 0 && a < ATTRIBUT_ANZAHL ? Attribut_Tabelle[a].name : nullptr; }

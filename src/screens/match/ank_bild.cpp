#include "screens/match/ank_bild.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/debug.h"
#include "base/random.h"
#include "base/ruf.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/wappen.h"
#include "screens/teile/namen.h"
#include "world/modi.h"
#include "world/aufstellung.h"
#include "world/manager.h"
#include "world/trikot.h"
#include "world/welt.h"

namespace {

constexpr i32 SEFU = GRAFIK_VORSPIEL_HINTERGRUND;  // graphic number of entry 0
constexpr i32 SCHATTEN_BASIS = SEFU + 10;
constexpr i32 BILD_B = 800, BILD_H = 600;
constexpr i32 ZEILEN = 12, SPALTEN = 7;
constexpr i32 NUMMER_PROZENT = 70, TRIKOT_PROZENT = 40;
constexpr u16 NEUTRAL = Farbe_565(0xA9B4C2);

// Placement of row (0 nearest) and lane (left to right).
constexpr i32 PLATZ[ZEILEN][SPALTEN][2] = {
    {{151, 400}, {227, 400}, {300, 400}, {362, 415}, {440, 400}, {512, 400}, {589, 400}},
    {{151, 375}, {227, 375}, {300, 375}, {370, 375}, {440, 375}, {512, 375}, {589, 375}},
    {{165, 343}, {235, 343}, {307, 343}, {370, 343}, {436, 343}, {504, 343}, {568, 343}},
    {{182, 327}, {247, 327}, {313, 327}, {375, 327}, {435, 327}, {501, 327}, {558, 327}},
    {{197, 306}, {257, 306}, {319, 306}, {375, 306}, {433, 306}, {491, 306}, {542, 306}},
    {{212, 292}, {268, 292}, {325, 292}, {375, 292}, {427, 292}, {481, 292}, {532, 292}},
    {{227, 275}, {279, 275}, {329, 275}, {380, 275}, {426, 275}, {477, 275}, {526, 275}},
    {{240, 258}, {289, 258}, {334, 258}, {380, 258}, {425, 258}, {470, 258}, {515, 258}},
    {{251, 240}, {296, 240}, {340, 240}, {380, 240}, {424, 240}, {464, 240}, {503, 240}},
    {{261, 226}, {303, 226}, {344, 226}, {383, 226}, {423, 226}, {460, 226}, {500, 226}},
    {{270, 213}, {308, 213}, {346, 213}, {383, 213}, {420, 213}, {455, 213}, {492, 213}},
    {{270, 213}, {308, 213}, {346, 213}, {387, 206}, {420, 213}, {455, 213}, {492, 213}},
};

// Figure picture (offset in the kit block), shadow entry, number sheet entry,
// number offset and digit size of a row group.
struct Auftritt {
    i32 figur, schatten, bogen, dx, dy, zw, zh;
};
constexpr Auftritt NAH_HEIM{2, 11, 9, 18, 25, 20, 19}, NAH_GAST{1, 10, 9, 18, 25, 20, 19};
constexpr Auftritt REIHE_1{6, 15, 8, 14, 21, 19, 17}, REIHE_3{5, 14, 7, 11, 18, 17, 15},
                   REIHE_6{4, 13, 6, 12, 15, 13, 12}, REIHE_9{3, 12, 4, 10, 13, 11, 11};

Auftritt auftritt(i32 reihe, i32 klasse, u8 seite) {
    if (reihe == 0) return klasse == 0 ? REIHE_1 : seite == 0 ? NAH_HEIM : NAH_GAST;
    if (reihe <= 2) return REIHE_1;
    if (reihe <= 5) return REIHE_3;
    if (reihe <= 8) return REIHE_6;
    // Row 11 is the far goal: the away keeper stands there in the far
    // figure's size, not the nearest row's.
    return REIHE_9;
}

// Position badge by class 0..3 (entries of the badge group).
constexpr i32 BADGE[4] = {3, 1, 0, 2};

struct Modul {
    Rastport_Bild fertig;
    std::array<std::array<Ank_Bild_Label, ANK_BILD_LABELS>, 2> labels{};
    std::vector<Ank_Bild_Figur> figuren;
} M;

char formation[32];

i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }

// An alpha plane (8-bit surface) from a grey picture: white opaque, black clear.
Rastport_Bild alpha_ebene(Rastport* grau) {
    if (!grau || !Rastport_Lock(grau) || grau->tiefe() != 16) return nullptr;
    Rastport_Bild a{Rastport_Neu_Einfach(grau->breite, grau->hoehe, 8)};
    if (!a) return nullptr;
    const u16* q = grau->bitmap->pixel16();
    u8* z = a->bitmap->pixel8();
    const size_t n = static_cast<size_t>(grau->breite) * static_cast<size_t>(grau->hoehe);
    for (size_t i = 0; i < n; ++i) z[i] = static_cast<u8>(((q[i] >> 5) & 63) * 255 / 63);
    return a;
}

// A flat picture of one colour (never the colour key) of a size.
Rastport_Bild flaeche(i32 w, i32 h, u16 farbe) {
    Rastport_Bild r{Rastport_Neu_Einfach(w, h, 16)};
    if (r) Blt_Rechteck(r.get(), 0, 0, w, h, farbe ? farbe : 1);
    return r;
}

// Draws `quelle` through the alpha plane of the grey picture `grau`.
void durch_alpha(Rastport* quelle, Rastport* grau, Rastport* ziel, i32 x, i32 y) {
    if (!quelle || !grau) return;
    const Rastport_Bild a = alpha_ebene(grau);
    if (a && a->breite == quelle->breite && a->hoehe == quelle->hoehe)
        Blt_Alpha(quelle, a.get(), 0, 0, -1, -1, ziel, x, y);
}

// --- Labels ----------------------------------------------------------------------------------------

void label_zeichnen(Ank_Bild_Label& l) {
    l.bild.reset(Rastport_Neu_Einfach(ANK_BILD_LABEL_B, ANK_BILD_LABEL_H, 16));
    if (!l.bild) return;
    Rastport* const bild = l.bild.get();
    // A dark band under the text keeps it readable over the crowd; its
    // corners stay clear (colour key 0).
    Blt_Rechteck(bild, 0, 0, ANK_BILD_LABEL_B, ANK_BILD_LABEL_H, 0);
    Blt_Rechteck(bild, 1, 0, ANK_BILD_LABEL_B - 2, ANK_BILD_LABEL_H, FARBE_NAVY);
    Blt_Rechteck(bild, 0, 1, ANK_BILD_LABEL_B, ANK_BILD_LABEL_H - 2, FARBE_NAVY);
    if (Rastport* b = Kit_Bild(l.badge)) Blt_Blit(b, 0, 0, -1, -1, bild, 0, 0, Blt_Opt_Transparent);
    if (Font* f = Kit_Font(Kit_Schrift::SCHMAL)) {
        const i32 y = f->hoehe + 1;
        // The label's position past its badge, the name after it; the shirt
        // number on the badge (a number from 10 to 19 a pixel further left).
        constexpr Kit_Spalte POSITION{.x = 30}, NAME{.x = 65};
        Kit_Tabelle_Zelle_Printf(bild, f, l.farbe, 0, y, Kit_Schein::SCHLICHT, POSITION, "%s", Positions_Text(l.linie));
        char name[96];
        Spieler_Name_Passend(l.spieler, f, ANK_BILD_NAME_B, name);
        Kit_Tabelle_Zelle_Printf(bild, f, FARBE_WEISS, 0, y, Kit_Schein::SCHLICHT, NAME, "%s", name);
    }
    if (Font* f = Kit_Font(Kit_Schrift::ZAHL)) {
        const Kit_Spalte nummer{.x = static_cast<i16>(l.nummer >= 10 && l.nummer <= 19 ? 10 : 11),
                                .ausrichtung = Kit_Ausrichtung::MITTE};
        Kit_Tabelle_Zeile_Printf(bild, f, FARBE_WEISS, 0, f->hoehe + 4, Kit_Schein::SCHLICHT, std::span(&nummer, 1),
                                 "^fb0006\t%d", l.nummer);
    }
}

// The row a player stands in: one row a line (the line of the formation
// and the label column), each eleven in its own half, a row left free
// between two lines, so that the shirts of a line show over the heads of
// the one in front. The home side near: keeper in row 0, defence 1,
// midfield 3, attack 5 at the centre line; the away side mirrored beyond
// it: attack in row 6, midfield 8, defence 10, its keeper in the far goal
// (row 11).
constexpr i32 REIHE_DER_LINIE[2][4] = {{0, 1, 3, 5}, {10, 10, 8, 6}};
i32 reihe_von(u8 seite, i32 tiefe, bool torwart) {
    if (torwart) return seite == 0 ? 0 : 11;
    return REIHE_DER_LINIE[seite == 0 ? 0 : 1][Aufstellung_Linie(tiefe)];
}

void labels_bauen(i32 team, const Trikot_Def* trikot, const Trikot_Def* torwart_trikot, u8 seite,
                  std::array<Ank_Bild_Label, ANK_BILD_LABELS>& tabelle, i32 x, i32 y, i32 schritt, i32 modus) {
    // A network client repairs only its own club's line-up; the server's
    // copy of another club is the one that plays.
    if (!ruf::Client() || Team_Hat_Manager_Aktiv(team)) Check_Und_Set_Aa(team);
    i32 liste[ANK_BILD_LABELS];
    const i32 n = std::clamp(Teamspieler_Ins_Array(team, liste, ANK_BILD_LABELS, 16), 0, ANK_BILD_LABELS);
    // The column reads as the formation line above it: by the line each
    // starter stands in (keeper, defence, midfield, attack), his own
    // position class next; a player out of his position is listed, badged
    // and named by the line he plays in.
    const auto folge = [](i32 p) {
        return Aufstellung_Linie(std::clamp(wert(SPIELER_WERT_ZEILE, p), 0, 10)) * 4 +
               std::clamp(wert(SPIELER_WERT_POSITION, p), 0, 3);
    };
    for (i32 i = 0; i + 1 < n; ++i)
        for (i32 k = 0; k + 1 < n - i; ++k)
            if (folge(liste[k]) > folge(liste[k + 1])) std::swap(liste[k], liste[k + 1]);
    for (i32 k = 0; k < n; ++k) {
        Ank_Bild_Label& l = tabelle[static_cast<size_t>(k)];
        const i32 p = liste[k];
        l.spieler = p;
        l.klasse = std::clamp(wert(SPIELER_WERT_POSITION, p), 0, 3);
        l.nummer = wert(SPIELER_WERT_RUECKENNUMMER, p);
        l.linie = Aufstellung_Linie(std::clamp(wert(SPIELER_WERT_ZEILE, p), 0, 10));
        l.badge = GRAFIK_POSITION_KLASSE + BADGE[l.linie];
        l.farbe = FARBE_KLASSE[l.linie];
        l.seite = seite;
        l.ziel_x = x, l.ziel_y = y + schritt * k;
        l.modus = modus;
        const i32 w = ANK_BILD_LABEL_B, h = ANK_BILD_LABEL_H;
        if (seite == 0) {
            l.start_x = modus == 0 ? x : -w;
            l.start_y = modus == 1 ? l.ziel_y : -h;
        } else {
            l.start_x = modus == 0 ? x : modus == 1 ? 890 : BILD_B - w;
            l.start_y = modus == 0 ? h + BILD_H : modus == 1 ? l.ziel_y : BILD_H - h;
        }
        l.x = l.start_x, l.y = l.start_y;
        l.tempo = k;
        l.zustand = -1;
        l.spalte = std::clamp(wert(SPIELER_WERT_SPALTE, p), 0, SPALTEN - 1);
        const i32 tiefe = std::clamp(wert(SPIELER_WERT_ZEILE, p), 0, 10);
        const bool torwart = l.spalte == 3 && tiefe == 0;
        l.trikot = torwart ? torwart_trikot : trikot;
        l.reihe = reihe_von(seite, tiefe, torwart);
        label_zeichnen(l);
    }
}

// --- Figures -------------------------------------------------------------------------------------

void figuren_zeichnen(Rastport* ziel) {
    std::vector<const Ank_Bild_Label*> alle;
    for (int s = 0; s < 2; ++s)
        for (i32 k = 0; k < 11; ++k)
            if (M.labels[static_cast<size_t>(s)][static_cast<size_t>(k)].spieler >= 0)
                alle.push_back(&M.labels[static_cast<size_t>(s)][static_cast<size_t>(k)]);
    // Farthest row first (a bubble sort: equal rows keep their order).
    for (size_t i = 0; i + 1 < alle.size(); ++i)
        for (size_t k = 0; k + 1 < alle.size() - i; ++k)
            if (alle[k + 1]->reihe > alle[k]->reihe) std::swap(alle[k], alle[k + 1]);
    i32 belegt[ZEILEN][SPALTEN] = {};
    Rastport_Bild neutral_basis;
    for (const Ank_Bild_Label* l : alle) {
        const Auftritt a = auftritt(l->reihe, l->klasse, l->seite);
        i32 x = 0, y = 0;
        Ank_Bild_Platz(l->reihe, l->spalte, &x, &y);
        const i32 schon = belegt[l->reihe][l->spalte]++;
        x += 8 * schon, y += 8 * schon;
        Ank_Bild_Figur f;
        f.spieler = l->spieler, f.seite = l->seite, f.reihe = l->reihe, f.spalte = l->spalte, f.x = x, f.y = y;
        // A club without a kit stands in a neutral grey: the first kit's
        // silhouette filled flat.
        const i32 b = l->trikot ? l->trikot->bild : TRIKOT_BILD_ERSTER;
        Rastport* figur = l->trikot ? Kit_Bild(SEFU + b + a.figur) : nullptr;
        Rastport* alpha = Kit_Bild(SEFU + b + a.figur + 6);
        if (!l->trikot && alpha) {
            if (!neutral_basis) neutral_basis = flaeche(alpha->breite, alpha->hoehe, NEUTRAL);
            figur = neutral_basis.get();
        }
        f.figur_grafik = l->trikot ? SEFU + b + a.figur : 0;
        if (Rastport* s = Kit_Bild(SCHATTEN_BASIS + a.schatten - 10)) {
            const Rastport_Bild schwarz = flaeche(s->breite, s->hoehe, FARBE_SCHATTEN);
            durch_alpha(schwarz.get(), s, ziel, x, y);
        }
        durch_alpha(figur, alpha, ziel, x, y);
        // Shirt number: the strips hold every number a squad wears (1..99);
        // outside them a number of the decoration generator (the shared
        // random table belongs to the game); no strip holds number 0.
        i32 n = l->nummer;
        if (n > 99 || n < 0) n = Rnd_Deko_Von_Bis(0, 49);
        if (n > 0) {
            Rastport* bogen = Kit_Bild(SEFU + a.bogen);
            if (!bogen) {
                Debug_Printf("Ank..Dar...SpTrk() rpRueckenNr == NULL\n");
            } else {
                const i32 sy = bogen->hoehe - n * a.zh;
                if (sy >= 0)
                    Blt_Alpha_Prozent_Transparent(bogen, 0, sy, a.zw, a.zh, ziel, x + a.dx, y + a.dy, NUMMER_PROZENT);
                f.nummer = n;
            }
        }
        M.figuren.push_back(f);
    }
}

void kopf(Rastport* ziel, i32 team, i32 wappen_x, i32 wappen_y, i32 mitte, i32 name_y, i32 formation_y) {
    if (!Wappen_Holen(ziel, team, wappen_x, wappen_y, true, 66, 66, false, -1))
        Wappen_Holen(ziel, -1, wappen_x, wappen_y, true, 66, 66, false, -1);
    if (Font* f = Kit_Font(Kit_Schrift::TITEL))
        Kit_Printf_Stelle(ziel, f, FARBE_WEISS, 0, name_y, Kit_Schein::SCHLICHT, {Kit_Ausrichtung::MITTE, mitte}, "%s",
                          Team_String(721, team, nullptr, 0));
    if (Font* f = Kit_Font(Kit_Schrift::TEXT))
        Kit_Printf_Stelle(ziel, f, FARBE_WEISS, 0, formation_y, Kit_Schein::SCHLICHT, {Kit_Ausrichtung::MITTE, mitte},
                          "%s", Ank_Bild_Formation(team));
}

}  // namespace

void Ank_Bild_Platz(i32 reihe, i32 spalte, i32* x, i32* y) {
    reihe = std::clamp(reihe, 0, ZEILEN - 1);
    spalte = std::clamp(spalte, 0, SPALTEN - 1);
    *x = PLATZ[reihe][spalte][0];
    *y = PLATZ[reihe][spalte][1];
}

const char* Ank_Bild_Formation(i32 team) {
    int linien[4] = {};
    Aufstellung_Linien_Zaehlen(team, linien);
    std::snprintf(formation, sizeof formation, "%d - %d - %d", linien[2], linien[1], linien[0]);
    return formation;
}

Rastport* Ank_Bild_Init(i32 heim, i32 gast) {
    Ank_Bild_Free();
    Rastport* grund = Kit_Bild(SEFU);
    const i32 w = grund ? grund->breite : BILD_B, h = grund ? grund->hoehe : BILD_H;
    Rastport_Bild bild{Rastport_Neu_Einfach(w, h, 16)};
    M.fertig.reset(Rastport_Neu_Einfach(w, h, 16));
    if (!bild || !M.fertig) {
        Ank_Bild_Free();
        return nullptr;
    }
    Rastport* const arbeit = bild.get();
    if (grund) Blt_Blit(grund, 0, 0, -1, -1, arbeit, 0, 0, Blt_Opt_Standard);
    else Blt_Rechteck(arbeit, 0, 0, w, h, FARBE_NAVY);

    int spieler_trikot[2] = {-1, -1}, torwart_trikot[2] = {-1, -1};
    Trikot_Team_VS_Team(heim, gast, &spieler_trikot[0], &spieler_trikot[1], 0);
    Trikot_Team_VS_Team(heim, gast, &torwart_trikot[0], &torwart_trikot[1], 2);
    const Trikot_Def* trikot[2] = {Trikot_Get_TrikotStructure(spieler_trikot[0]),
                                   Trikot_Get_TrikotStructure(spieler_trikot[1])};
    for (int s = 0; s < 2; ++s)
        if (trikot[s])
            if (Rastport* b = Kit_Bild(SEFU + trikot[s]->bild))
                Blt_Alpha_Prozent_Transparent(b, 0, 0, -1, -1, arbeit, s == 0 ? 57 : 655, 168, TRIKOT_PROZENT);
    const i32 teams[2] = {heim, gast};
    for (int s = 0; s < 2; ++s)
        labels_bauen(teams[s], trikot[s], Trikot_Get_TrikotStructure(torwart_trikot[s]), static_cast<u8>(s),
                     M.labels[static_cast<size_t>(s)], s == 0 ? 23 : 623, 147, 17, 1);
    kopf(arbeit, heim, 55, 19, 220, 32, 46);
    kopf(arbeit, gast, 682, 29, 580, 77, 91);
    figuren_zeichnen(arbeit);
    durch_alpha(Kit_Bild(SEFU + 2), Kit_Bild(SEFU + 3), arbeit, 344, 464);
    Blt_Blit(arbeit, 0, 0, -1, -1, M.fertig.get(), 0, 0, Blt_Opt_Standard);
    return bild.release();  // the page that shows it owns it
}

void Ank_Bild_Zeichnen(Rastport* ziel) {
    if (!ziel || !M.fertig) return;
    for (i32 x = 0; x < M.fertig->breite; x += 400)
        Blt_Blit(M.fertig.get(), x, ANK_BILD_BAND_Y, 400, ANK_BILD_BAND_H, ziel, x, ANK_BILD_BAND_Y, Blt_Opt_Standard);
    for (size_t k = 0; k < ANK_BILD_LABELS; ++k)
        for (auto& tabelle : M.labels) {
            Ank_Bild_Label& l = tabelle[k];
            if (!l.bild) continue;
            Blt_Blit(l.bild.get(), 0, 0, -1, -1, ziel, l.x, l.y, Blt_Opt_Transparent);
            Ank_Bild_Label_Schritt(&l);
        }
}

void Ank_Bild_Free() {
    M.fertig.reset();
    for (auto& tabelle : M.labels)
        for (Ank_Bild_Label& l : tabelle) l = Ank_Bild_Label{};
    M.figuren.clear();
}

void Ank_Bild_Label_Schritt(Ank_Bild_Label* l) {
    if (!l) return;
    if (l->ziel_x <= l->x && l->tempo > 0) l->zustand = 1;
    if (l->ziel_x >= l->x && l->tempo < 0) l->zustand = -1;
    if (l->ziel_x == l->x && l->tempo == 0) l->zustand = 0;
    // Steps of 1.5 truncated towards zero.
    if (l->zustand == -1) l->tempo = (2 * l->tempo + 3) / 2;
    else if (l->zustand == 1) l->tempo = (2 * l->tempo - 3) / 2;
    else l->tempo = 0;
    l->x += l->tempo;
}

const Ank_Bild_Label* Ank_Bild_Labels_Von(int seite) { return M.labels[seite == 0 ? 0 : 1].data(); }
const std::vector<Ank_Bild_Figur>& Ank_Bild_Figuren_Gezeichnet() { return M.figuren; }

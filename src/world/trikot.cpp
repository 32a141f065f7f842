// The kit table: 16 colours in 5 patterns.
#include "world/trikot.h"

#include <cstdlib>

#include "world/welt.h"

namespace {

constexpr u32 farben[16] = {
    0xFFFFFF,  // white
    0x101010,  // black
    0xD01010,  // red
    0x7A0A14,  // dark red
    0x1448D0,  // blue
    0x0A1A50,  // navy
    0x70B8F0,  // sky blue
    0x10A030,  // green
    0x0A4A1A,  // dark green
    0xF8E010,  // yellow
    0xF07810,  // orange
    0x6A20A0,  // purple
    0x909090,  // grey
    0x9A1850,  // claret
    0xC8A040,  // gold
    0x108C8C,  // teal
};

// A contrasting colour for the second shirt colour and the shorts.
u32 kontrast(int c) {
    static const int k[16] = {1, 0, 0, 14, 0, 0, 5, 0, 9, 5, 1, 0, 1, 6, 1, 0};
    return farben[k[c]];
}

struct Tabelle {
    Trikot_Def t[TRIKOT_ANZAHL];
    Tabelle() {
        for (int i = 0; i < TRIKOT_ANZAHL; i++) {
            int c = i / 5, m = i % 5;
            Trikot_Def& d = t[i];
            d.hemd = farben[c];
            d.hemd2 = m == 0 ? farben[c] : kontrast(c);
            d.hose = m == 0 || m == 4 ? kontrast(c) : m == 1 ? farben[c] : (c == 1 ? farben[0] : farben[1]);
            d.stutzen = m == 2 ? kontrast(c) : farben[c];
            d.muster = static_cast<u32>(m);
            d.bild = TRIKOT_BILD_ERSTER + TRIKOT_BILD_BLOCK * i;
            d.nummer = i;
        }
    }
};
const Tabelle tabelle;

void rgb(u8* p, u32 c) {
    p[0] = static_cast<u8>(c >> 16);
    p[1] = static_cast<u8>(c >> 8);
    p[2] = static_cast<u8>(c);
}

}  // namespace

const Trikot_Def* Trikot_Get_TrikotStructure(int trikot) {
    if (trikot < 0 || trikot >= TRIKOT_ANZAHL) return nullptr;
    return &tabelle.t[trikot];
}

void Trikot_Farben_Setzen(u8 block[36], int slot, int trikot) {
    const Trikot_Def* d = Trikot_Get_TrikotStructure(trikot);
    if (!d || slot < 0 || slot > 2) return;
    u8* p = block + slot * 12;
    rgb(p, d->hemd);
    rgb(p + 3, d->hemd2);
    rgb(p + 6, d->hose);
    rgb(p + 9, d->stutzen);
}

int Trikot_Get_TrikotNr(int team, int slot) {
    if (team < 0 || team >= Team_Anzahl || slot < 0 || slot > 2) return -1;
    return Team_Daten[team].trikot[slot];
}

bool Trikot_Set_TrikotNr(int team, int trikot, int slot) {
    if (team < 0 || team >= Team_Anzahl || slot < 0 || slot > 2 || !Trikot_Get_TrikotStructure(trikot)) return false;
    if (Welt_Client_Fremd(team)) return false;
    Team_Daten[team].trikot[slot] = static_cast<u8>(trikot);
    Trikot_Farben_Setzen(Team_Fix_Daten[team].farben, slot, trikot);
    return true;
}

bool Trikot_Farbe_Gleich(u32 a, u32 b, int toleranz) {
    for (int s = 0; s < 24; s += 8) {
        int x = static_cast<int>((a >> s) & 0xFF), y = static_cast<int>((b >> s) & 0xFF);
        if (std::abs(x - y) > toleranz) return false;
    }
    return true;
}

bool Trikot_Is_Trikot_Equal(int t1, int t2, int toleranz, int flag) {
    const Trikot_Def* a = Trikot_Get_TrikotStructure(t1);
    const Trikot_Def* b = Trikot_Get_TrikotStructure(t2);
    if (!a || !b) return false;
    if (Trikot_Farbe_Gleich(a->hemd, b->hemd, toleranz)) return true;
    return (flag & 1) && Trikot_Farbe_Gleich(a->hose, b->hose, toleranz);
}

void Trikot_Team_VS_Team(int heim, int gast, int* heim_trikot, int* gast_trikot, int modus) {
    int h = Trikot_Get_TrikotNr(heim, modus == 2 ? 2 : 0);
    if (h < 0) h = 0;
    if (modus != 2) {
        int g = -1;
        for (int s = 0; s < 2 && g < 0; s++) {
            int k = Trikot_Get_TrikotNr(gast, s);
            if (k >= 0 && !Trikot_Is_Trikot_Equal(h, k, TRIKOT_TOLERANZ, 0)) g = k;
        }
        for (int k = 0; k < TRIKOT_ANZAHL && g < 0; k++)
            if (!Trikot_Is_Trikot_Equal(h, k, TRIKOT_TOLERANZ, 0)) g = k;
        if (heim_trikot) *heim_trikot = h;
        if (gast_trikot) *gast_trikot = g < 0 ? 0 : g;
        return;
    }
    // Goalkeepers: differ from both field kits and from each other.
    int hf = 0, gf = 0;
    Trikot_Team_VS_Team(heim, gast, &hf, &gf, 0);
    auto frei = [&](int k, int anders) {
        return !Trikot_Is_Trikot_Equal(k, hf, TRIKOT_TOLERANZ, 0) &&
               !Trikot_Is_Trikot_Equal(k, gf, TRIKOT_TOLERANZ, 0) &&
               (anders < 0 || !Trikot_Is_Trikot_Equal(k, anders, TRIKOT_TOLERANZ, 0));
    };
    if (!frei(h, -1)) {
        h = -1;
        for (int k = 0; k < TRIKOT_ANZAHL && h < 0; k++)
            if (frei(k, -1)) h = k;
        if (h < 0) h = 0;
    }
    int g = Trikot_Get_TrikotNr(gast, 2);
    if (g < 0 || !frei(g, h)) {
        g = -1;
        for (int k = 0; k < TRIKOT_ANZAHL && g < 0; k++)
            if (frei(k, h)) g = k;
        if (g < 0) g = 0;
    }
    if (heim_trikot) *heim_trikot = h;
    if (gast_trikot) *gast_trikot = g;
}

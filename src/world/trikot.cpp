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

bool Trikot_Verwechselbar(int t1, int t2) {
    const Trikot_Def* a = Trikot_Get_TrikotStructure(t1);
    const Trikot_Def* b = Trikot_Get_TrikotStructure(t2);
    if (!a || !b) return false;
    if (t1 == t2) return true;
    if (Trikot_Farbe_Gleich(a->hemd, b->hemd, TRIKOT_TOLERANZ)) return true;
    // Stripes, hoops and halves show their second colour over half the shirt.
    auto halb = [](const Trikot_Def& d) { return d.muster >= 1 && d.muster <= 3; };
    if (halb(*a) && Trikot_Farbe_Gleich(a->hemd2, b->hemd, TRIKOT_TOLERANZ_HALB)) return true;
    return halb(*b) && Trikot_Farbe_Gleich(b->hemd2, a->hemd, TRIKOT_TOLERANZ_HALB);
}

namespace {

// Whether two kits differ: by the look-alike rule (strenge 0), or, where no
// kit of the table is left by it, by their main colours alone (strenge 1).
bool anders(int k1, int k2, int strenge) {
    return strenge == 0 ? !Trikot_Verwechselbar(k1, k2) : !Trikot_Is_Trikot_Equal(k1, k2, TRIKOT_TOLERANZ, 0);
}

}  // namespace

void Trikot_Team_VS_Team(int heim, int gast, int* heim_trikot, int* gast_trikot, int modus) {
    int h = Trikot_Get_TrikotNr(heim, modus == 2 ? 2 : 0);
    if (h < 0) h = 0;
    if (modus != 2) {
        int g = -1;
        for (int strenge = 0; strenge < 2 && g < 0; ++strenge) {
            for (int s = 0; s < 2 && g < 0; s++) {
                int k = Trikot_Get_TrikotNr(gast, s);
                if (k >= 0 && anders(h, k, strenge)) g = k;
            }
            for (int k = 0; k < TRIKOT_ANZAHL && g < 0; k++)
                if (anders(h, k, strenge)) g = k;
        }
        if (heim_trikot) *heim_trikot = h;
        if (gast_trikot) *gast_trikot = g < 0 ? 0 : g;
        return;
    }
    // Goalkeepers: differ from both field kits and from each other.
    int hf = 0, gf = 0;
    Trikot_Team_VS_Team(heim, gast, &hf, &gf, 0);
    const int eigen[2] = {h, Trikot_Get_TrikotNr(gast, 2)};
    int tw[2] = {-1, -1};
    for (int strenge = 0; strenge < 2 && tw[1] < 0; ++strenge) {
        auto frei = [&](int k, int andere) {
            return k >= 0 && anders(k, hf, strenge) && anders(k, gf, strenge) &&
                   (andere < 0 || anders(k, andere, strenge));
        };
        for (int seite = 0; seite < 2; ++seite) {
            const int andere = seite == 0 ? -1 : tw[0];
            tw[seite] = frei(eigen[seite], andere) ? eigen[seite] : -1;
            for (int k = 0; k < TRIKOT_ANZAHL && tw[seite] < 0; k++)
                if (frei(k, andere)) tw[seite] = k;
            if (tw[seite] < 0) break;
        }
    }
    if (heim_trikot) *heim_trikot = tw[0] < 0 ? 0 : tw[0];
    if (gast_trikot) *gast_trikot = tw[1] < 0 ? 0 : tw[1];
}

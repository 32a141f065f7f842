// The crowd: spectators seated on the terraces behind the boards, by stand
// level and occupancy, in the colours of the club whose end they stand in,
// cheering in waves when their side has something to cheer.
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "base/random.h"
#include "screens/live_view/projektion.h"
#include "screens/live_view/spielansicht.h"

namespace {

// The eight stand blocks (metres): the first seat's ground point of the
// front row, the step along the row, the step outwards from row to row; the
// stand side each belongs to (the terraces of the stand pictures,
// projektion.h) and its end (0 home, 1 away).
struct Block {
    double x, y, dx, dy, ax, ay;
    int sitze, seite, ende;
};
// A seat sits on its row's tread; a gap every twelve seats (the stairs).
constexpr double REIHE_HOCH = spielansicht::REIHE_HOCH_M, ERSTE_HOEHE = 0.45;
constexpr Block BLOECKE[8] = {
    {-10.5, 70.0, 0, -0.95, -0.85, 0, 38, 0, 0},  // left end, near half
    {-10.5, 34.0, 0, -0.95, -0.85, 0, 40, 0, 0},  // left end, far half
    {-3.0, -9.5, 0.95, 0, 0, -0.85, 58, 1, 1},    // far side, left half
    {55.0, -9.5, 0.95, 0, 0, -0.85, 58, 1, 1},    // far side, right half
    {118.5, -2.0, 0, 0.95, 0.85, 0, 38, 2, 1},    // right end, far half
    {118.5, 34.0, 0, 0.95, 0.85, 0, 40, 2, 1},    // right end, near half
    {0, 0, 0, 0, 0, 0, 0, 4, 0},                  // the near side is the camera's: no seats
    {0, 0, 0, 0, 0, 0, 0, 5, 0},
};

// Animation group by kind and a draw 0..100.
u8 gruppe_fuer(int art, int w) {
    static constexpr int GRENZEN[8] = {29, 49, 59, 69, 79, 84, 89, 99};
    static constexpr u8 GRUPPE[2][9] = {{14, 1, 2, 5, 6, 7, 8, 9, 0}, {3, 4, 4, 4, 10, 11, 11, 12, 0}};
    int k = 0;
    while (k < 8 && w > GRENZEN[k]) ++k;
    return GRUPPE[art == 2 ? 1 : 0][k];
}

// The spectators a frame draws (their places in the view's list).
int gezeigt[SA_ZUSCHAUER_MAX];

}  // namespace

namespace {

// A seat of the stands as built: its point on the full-scale picture, the
// direction its spectator faces, its stand side and end.
struct Sitz {
    i32 x, y;
    u8 richtung, seite, ende, art_stand;
};
// The seats of a build of the stands (levels by side, mirrored or not), in
// the order they are seated, and the crowd's order after seating (back rows
// first, seats of a row in seating order).
struct Sitzplan {
    std::vector<Sitz> sitze;
    std::vector<u16> folge;
};
using Plan_Schluessel = std::pair<std::array<u32, 6>, bool>;
std::map<Plan_Schluessel, Sitzplan> plaene;

const Sitzplan& sitzplan(const std::array<u32, 6>& level, bool gespiegelt) {
    const Plan_Schluessel k{level, gespiegelt};
    if (const auto it = plaene.find(k); it != plaene.end()) return it->second;
    if (plaene.size() >= 64) plaene.clear();
    Sitzplan& plan = plaene[k];
    const spielansicht::Punkt m = spielansicht::Projektion(spielansicht::VOLL, gespiegelt, 5400, 3403, 0);
    for (int b = 0; b < 8; ++b) {
        const Block& bl = BLOECKE[b];
        const u32 stufe = level[static_cast<size_t>(bl.seite)];
        if (stufe == 0 || bl.sitze == 0) continue;
        // Spectators face the pitch's centre.
        for (int r = 0; r < spielansicht::TRIBUENE_REIHEN[std::min<u32>(stufe, 4)]; ++r)
            for (int s = 0; s < bl.sitze; ++s) {
                const double luecke = (s / 12) * 0.6;
                const double x = bl.x + bl.dx * (s + luecke) + bl.ax * r, y = bl.y + bl.dy * (s + luecke) + bl.ay * r;
                const spielansicht::Punkt p = spielansicht::Projektion(spielansicht::VOLL, gespiegelt, x * 100, y * 100,
                                                                       (ERSTE_HOEHE + REIHE_HOCH * r) * 100);
                if (p.x < 0 || p.y < 0 || p.x >= spielansicht::VOLL.breite || p.y >= spielansicht::VOLL.hoehe) continue;
                const spielansicht::Punkt g = spielansicht::Projektion(spielansicht::VOLL, gespiegelt, x * 100, y * 100, 0);
                plan.sitze.push_back({p.x, p.y, static_cast<u8>(Spielansicht_Richtung(g.x, g.y, m.x, m.y)),
                                      static_cast<u8>(bl.seite), static_cast<u8>(bl.ende),
                                      static_cast<u8>(stufe == 1 ? 2 : 1)});
            }
    }
    plan.folge.resize(plan.sitze.size());
    for (size_t i = 0; i < plan.folge.size(); ++i) plan.folge[i] = static_cast<u16>(i);
    std::stable_sort(plan.folge.begin(), plan.folge.end(),
                     [&](u16 a, u16 b) { return plan.sitze[a].y < plan.sitze[b].y; });
    return plan;
}

}  // namespace

size_t Spielansicht_Sitzplaene_Anzahl() { return plaene.size(); }
void Spielansicht_Sitzplaene_Freigeben() { plaene.clear(); }

void Spielansicht_Zuschauer_Bauen(Spielansicht_View* v) {
    if (!v || !v->pitch) return;
    const Spielfeld_Daten& sf = *v->pitch;
    v->zuschauer_anzahl = 0;
    const bool gespiegelt = v->gespiegelt != 0;
    for (int i = 0; i < 6; ++i) {
        static constexpr int GESPIEGELT[6] = {2, 1, 0, 5, 4, 3};
        const int j = gespiegelt ? GESPIEGELT[i] : i;
        v->stand_level[j] = static_cast<u32>(std::max(0, SF_Tribuene_Stufe(sf.tribuene[j])));
    }
    std::array<u32, 6> level{};
    std::copy(std::begin(v->stand_level), std::end(v->stand_level), level.begin());
    const Sitzplan& plan = sitzplan(level, gespiegelt);
    // More seats than places: the first ones are seated, in seating order.
    const bool voll = plan.sitze.size() > static_cast<size_t>(SA_ZUSCHAUER_MAX);
    const size_t n = std::min(plan.sitze.size(), static_cast<size_t>(SA_ZUSCHAUER_MAX));
    static Sa_Zuschauer gesetzt[SA_ZUSCHAUER_MAX];
    Sa_Zuschauer* ziel = voll ? v->zuschauer : gesetzt;
    for (size_t i = 0; i < n; ++i) {
        const Sitz& sitz = plan.sitze[i];
        const i32 belegt = sf.belegung[sitz.seite];
        Sa_Zuschauer& z = ziel[i];
        z = Sa_Zuschauer{};
        z.art = Rnd_Deko_Von_Bis(0, 100) <= belegt ? sitz.art_stand : 0;
        z.gruppe = gruppe_fuer(z.art, Rnd_Deko_Von_Bis(0, 100));
        z.richtung = sitz.richtung;
        z.intervall = static_cast<u32>(50 + Rnd_Deko_Von_Bis(0, 300));
        z.letzte_zeit = sf.uhr;
        z.x = sitz.x, z.y = sitz.y;
        z.seite = sitz.ende;
        if (sitz.ende == 0)
            z.variante = static_cast<u8>(Rnd_Deko_Von_Bis(0, 99) < 70 ? Rnd_Deko_Von_Bis(3, 17) : Rnd_Deko_Von_Bis(57, 61));
        else
            z.variante = static_cast<u8>(Rnd_Deko_Von_Bis(0, 99) < 30 ? Rnd_Deko_Von_Bis(20, 33) : Rnd_Deko_Von_Bis(57, 61));
    }
    v->zuschauer_anzahl = static_cast<i32>(n);
    if (voll) return;
    // Back rows first.
    for (size_t i = 0; i < n; ++i) v->zuschauer[i] = gesetzt[plan.folge[i]];
}

void Spielansicht_Zuschauer(Spielansicht_View* v) {
    if (!v || !v->pitch) return;
    const Spielfeld_Daten& sf = *v->pitch;
    const bool halb = v->layout != SA_VOLL;  // half and quarter views at half scale
    const i32 x0 = v->scroll_x - 40, x1 = v->scroll_x + v->breite + 40, y0 = v->scroll_y - 10,
              y1 = v->scroll_y + v->hoehe + 50;
    // The frames of each animation group, asked once a frame.
    std::array<int, 256> bilder_von{};
    for (int g = 0; g < SA_PUBLIKUM_GRUPPEN; ++g) bilder_von[static_cast<size_t>(g)] = Spielansicht_Publikum_Bilder(g);
    int anzahl = 0;
    for (int k = 0; k < std::min(v->zuschauer_anzahl, SA_ZUSCHAUER_MAX); ++k) {
        Sa_Zuschauer& z = v->zuschauer[k];
        if (z.art == 0) continue;
        const i32 x = halb ? z.x / 2 : z.x, y = halb ? z.y / 2 : z.y;
        const int bilder = bilder_von[z.gruppe];
        // The frame advances even out of sight, so a wave runs on.
        const Spielfeld_Seite& seite = sf.seite[z.seite & 1];
        if (z.gruppe == 0 && !z.jubelt && Rnd_Deko_Von_Bis(0, 100) < seite.aufregung) z.jubelt = 1;
        if (z.gruppe >= 1 && z.gruppe <= 6 && (seite.ereignis_bits & 1)) z.jubelt = Rnd_Deko_Von_Bis(0, 1) ? 1 : 0;
        if (z.jubelt && z.gruppe < 7 && static_cast<i32>(sf.uhr - (z.letzte_zeit + z.intervall)) >= 0 && bilder > 0) {
            z.letzte_zeit = sf.uhr;
            z.bild = static_cast<u8>((z.bild + 1) % bilder);
            if (z.bild == 0 && z.gruppe >= 1) z.jubelt = 0;
        }
        // Noted without a branch, drawn after the walk in the same order.
        gezeigt[anzahl] = k;
        anzahl += (x >= x0) & (x <= x1) & (y >= y0) & (y <= y1);
    }
    for (int i = 0; i < anzahl; ++i) {
        const Sa_Zuschauer& z = v->zuschauer[gezeigt[i]];
        int tabelle = z.variante;
        if (tabelle >= SA_FARBTABELLEN || v->farben[tabelle][1] == 0) tabelle = 57;
        // A small view draws the frame made at half scale.
        if (const Sa_Frame* f = halb ? Spielansicht_Publikum_Frame_Halb(z.gruppe, z.richtung, z.bild) : nullptr)
            Spielansicht_Blit_Rle8_Fertig(v, f, tabelle, z.x / 2, z.y / 2);
        else
            Spielansicht_Blit_Rle8(v, Spielansicht_Publikum_Frame(z.gruppe, z.richtung, z.bild), tabelle,
                                   halb ? z.x / 2 : z.x, halb ? z.y / 2 : z.y);
    }
}

// The live match view's projection, camera and facing directions.
#include <algorithm>
#include <cmath>

#include "screens/live_view/projektion.h"
#include "screens/live_view/spielansicht.h"

namespace {

const spielansicht::Massstab& massstab(const Spielansicht_View* v) {
    return v->layout == SA_VOLL ? spielansicht::VOLL : spielansicht::HALB;
}

i32 ganz(f32 wert) {
    // A target outside any sensible range (or not a number) is clamped below.
    if (!(wert > -1e7f)) return -10000000;
    if (wert > 1e7f) return 10000000;
    return static_cast<i32>(wert);
}

}  // namespace

void Spielansicht_Projektion(const Spielansicht_View* v, f32 x, f32 y, f32 z, i32* sx, i32* sy) {
    const spielansicht::Punkt p = spielansicht::Projektion(massstab(v), v->gespiegelt != 0, x, y, z);
    if (sx) *sx = p.x;
    if (sy) *sy = p.y;
}

void Spielansicht_Kamera(Spielansicht_View* v, Spielfeld_Daten* sf, const Spielfeld_Steuerung* st, u8 kamera_fest) {
    if (!v || !sf || !st || st->pause) return;
    if (kamera_fest) {
        v->scroll_x = sf->scroll[0];
        v->scroll_y = sf->scroll[1];
        return;
    }
    const spielansicht::Massstab& m = massstab(v);
    while (sf->kamera_schritte > 0) {
        --sf->kamera_schritte;
        const i32 ziel[3] = {std::clamp(ganz(sf->kamera[0]), 800, 10000), std::clamp(ganz(sf->kamera[1]), 1360, 5440),
                             std::clamp(ganz(sf->kamera[2]), -100000, 100000)};
        const i32 d[3] = {ziel[0] - v->kamera[0], ziel[1] - v->kamera[1], ziel[2] - v->kamera[2]};
        if (d[0] || d[1] || d[2]) {
            const i32 teiler = st->periode_ms == 0 ? 8 : sf->kamera_schnell ? 5 : 15;
            for (int i = 0; i < 3; ++i) v->kamera[i] += d[i] / teiler;
            i32 x = 0, y = 0;
            Spielansicht_Projektion(v, static_cast<f32>(v->kamera[0]), static_cast<f32>(v->kamera[1]),
                                    static_cast<f32>(v->kamera[2]), &x, &y);
            v->scroll_x = std::max(0, std::min(x - v->breite / 2, m.breite - v->breite));
            v->scroll_y = std::max(0, std::min(y - v->hoehe / 2, m.hoehe - v->hoehe));
        }
        sf->scroll[0] = v->scroll_x;
        sf->scroll[1] = v->scroll_y;
    }
}

int Spielansicht_Richtung(i32 x1, i32 y1, i32 x2, i32 y2) {
    const i32 dx = x2 - x1, dy = y2 - y1;
    if (dy == 0) return dx >= 0 ? 4 : 12;
    if (dx == 0) return dy > 0 ? 8 : 0;
    const i32 a = std::abs(static_cast<i32>(std::atan(static_cast<double>(dy) / dx) * 100.0));
    const int klasse = a < 24 ? 0 : a < 64 ? 1 : a < 92 ? 2 : a < 129 ? 3 : 4;
    static constexpr int TABELLE[4][5] = {{4, 5, 6, 7, 8},       // right, down
                                          {4, 3, 2, 1, 0},       // right, up
                                          {12, 11, 10, 9, 8},    // left, down
                                          {12, 13, 14, 15, 0}};  // left, up
    return TABELLE[(dx > 0 ? 0 : 2) + (dy > 0 ? 0 : 1)][klasse];
}

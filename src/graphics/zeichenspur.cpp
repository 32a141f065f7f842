#include "graphics/zeichenspur.h"

#include <cstring>

#include "graphics/font.h"
#include "graphics/rastport.h"

bool Zeichenspur_An = false;

namespace {
std::vector<Zeichenspur_Eintrag> spur;
i32 im_text = 0;  // nesting depth of texts being drawn
bool erstes_zeichen = false;
bool sammeln = false;  // the open record takes characters until the first text ends
}  // namespace

void Zeichenspur_Einschalten() {
    spur.clear();
    im_text = 0;
    sammeln = false;
    Zeichenspur_An = true;
}

void Zeichenspur_Ausschalten() {
    Zeichenspur_An = false;
    im_text = 0;
}

void Zeichenspur_Leeren() { spur.clear(); }

bool Zeichenspur_Anhalten() {
    const bool an = Zeichenspur_An;
    Zeichenspur_An = false;
    return an;
}

void Zeichenspur_Fortsetzen(bool an) { Zeichenspur_An = an; }

const std::vector<Zeichenspur_Eintrag>& Zeichenspur_Eintraege() { return spur; }

void Zeichenspur_Wiederholen(const std::vector<Zeichenspur_Eintrag>& eintraege) {
    if (Zeichenspur_An) spur.insert(spur.end(), eintraege.begin(), eintraege.end());
}

const Zeichenspur_Eintrag* Zeichenspur_Text(const char* teil) {
    if (!teil) return nullptr;
    for (const Zeichenspur_Eintrag& e : spur)
        if (e.art == SPUR_TEXT && e.sichtbar.find(teil) != std::string::npos) return &e;
    return nullptr;
}

const Zeichenspur_Eintrag* Zeichenspur_Blit(i32 grafik) {
    for (const Zeichenspur_Eintrag& e : spur)
        if (e.art == SPUR_BLIT && e.grafik == grafik) return &e;
    return nullptr;
}

const Zeichenspur_Eintrag* Zeichenspur_Blit_Bei(i32 x, i32 y, const Rastport* ziel) {
    for (auto it = spur.rbegin(); it != spur.rend(); ++it)
        if (it->art == SPUR_BLIT && (!ziel || it->ziel == ziel) && x >= it->x && x < it->x + it->breite &&
            y >= it->y && y < it->y + it->hoehe)
            return &*it;
    return nullptr;
}

void Zeichenspur_Text_Beginn(const Rastport* ziel, const Font* f, i32 x, i32 y, const char* text) {
    if (im_text++ > 0) return;  // a text inside a text (a crest hook) is part of the outer one
    Zeichenspur_Eintrag e;
    e.art = SPUR_TEXT;
    e.ziel = ziel;
    e.x = x;
    e.y = y;
    e.text = text ? text : "";
    e.farbe = f ? f->farbe : 0;
    for (i32 n = 0; n < FONT_ANZAHL; ++n)
        if (f && Font_Tabelle_Holen(n) == f) e.font = n;
    spur.push_back(std::move(e));
    erstes_zeichen = true;
    sammeln = true;
}

void Zeichenspur_Zeichen(char c, u16 farbe) {
    if (!sammeln || spur.empty()) return;
    Zeichenspur_Eintrag& e = spur.back();
    if (erstes_zeichen && c != '\n' && c != '\t') {
        e.farbe = farbe;
        erstes_zeichen = false;
    }
    e.sichtbar.push_back(c);
}

void Zeichenspur_Text_Ende() {
    if (im_text > 0) --im_text;
    sammeln = false;
}

namespace {
// A record of a rectangle drawn on `ziel`.
Zeichenspur_Eintrag rechteck(Zeichenspur_Art art, const Rastport* ziel, i32 x, i32 y, i32 w, i32 h) {
    Zeichenspur_Eintrag e;
    e.art = art;
    e.ziel = ziel;
    e.x = x;
    e.y = y;
    e.breite = w;
    e.hoehe = h;
    return e;
}
}  // namespace

void Zeichenspur_Blit_Merken(const Rastport* quelle, const Rastport* ziel, i32 x, i32 y, i32 w, i32 h) {
    if (im_text > 0 || !quelle) return;
    Zeichenspur_Eintrag e = rechteck(SPUR_BLIT, ziel, x, y, w, h);
    e.grafik = quelle->grafik;
    spur.push_back(std::move(e));
}

void Zeichenspur_Flaeche_Merken(const Rastport* ziel, i32 x, i32 y, i32 w, i32 h, u16 farbe) {
    if (im_text > 0) return;
    Zeichenspur_Eintrag e = rechteck(SPUR_FLAECHE, ziel, x, y, w, h);
    e.farbe = farbe;
    spur.push_back(std::move(e));
}

std::vector<Zeichenspur_Eintrag> Zeichenspur_Flaechen(u16 farbe, const Rastport* ziel) {
    std::vector<Zeichenspur_Eintrag> aus;
    for (const Zeichenspur_Eintrag& e : spur)
        if (e.art == SPUR_FLAECHE && e.farbe == farbe && (!ziel || e.ziel == ziel)) aus.push_back(e);
    return aus;
}

void Zeichenspur_Klang_Merken(i32 nummer, i32 lautstaerke) {
    Zeichenspur_Eintrag e;
    e.art = SPUR_KLANG;
    e.nummer = nummer;
    e.wert = lautstaerke;
    spur.push_back(std::move(e));
}

void Zeichenspur_Video_Merken(i32 nummer, const char* was, i32 x, i32 y, i32 wert) {
    Zeichenspur_Eintrag e;
    e.art = SPUR_VIDEO;
    e.nummer = nummer;
    e.text = was ? was : "";
    e.x = x;
    e.y = y;
    e.wert = wert;
    spur.push_back(std::move(e));
}

std::vector<i32> Zeichenspur_Klaenge() {
    std::vector<i32> k;
    for (const Zeichenspur_Eintrag& e : spur)
        if (e.art == SPUR_KLANG) k.push_back(e.nummer);
    return k;
}

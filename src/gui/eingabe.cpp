// Help text box and text input field (see eingabe.h).
#include "gui/eingabe.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/tools.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "gui/kit.h"
#include "gui/palette.h"
#include "platform/input.h"
#include "platform/keys.h"

Font* Hilfe_Font = nullptr;

namespace {


bool hilfe_oben = false;

Font* hilfe_font() { return Hilfe_Font ? Hilfe_Font : Font_Tabelle_Holen(9); }

const char* const ZAHLEN = "01234567890,.";
const char* const NAMEN = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ üöäÜÖÄß'-_ñÑÇç0123456789";
const char* const STANDARD = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ üöäÜÖÄß.,:;ñÑÇç!§%&/(){}[]?";

struct Feld {
    i32 zustand = 0;  // 0 idle, 1 editing
    i32 id = 0;
    std::string text, anfang;
    i32 cursor = 0, auswahl_a = -1, auswahl_e = -1;
    bool sichtbar = true;
    u32 umschalten = 0, letzter_aufruf = 0;
    const char* zeichensatz = STANDARD;
    Rastport_Bild hintergrund;
    bool maus_halten = false;
    i32 maus_anker = 0;
};
Feld F;

void auswahl_loeschen() {
    if (F.auswahl_a < 0 || F.auswahl_a == F.auswahl_e) {
        F.auswahl_a = F.auswahl_e = -1;
        return;
    }
    const i32 a = std::min(F.auswahl_a, F.auswahl_e), e = std::max(F.auswahl_a, F.auswahl_e);
    F.text.erase(a, e - a);
    F.cursor = a;
    F.auswahl_a = F.auswahl_e = -1;
}

void cursor_bewegen(i32 neu, bool shift) {
    neu = std::clamp(neu, 0, static_cast<i32>(F.text.size()));
    if (shift) {
        if (F.auswahl_a < 0) F.auswahl_a = F.cursor;
        F.auswahl_e = neu;
    } else {
        F.auswahl_a = F.auswahl_e = -1;
    }
    F.cursor = neu;
}

i32 schliessen(char* text, i32 laenge, i32* wert, u32 flags, i32 grund) {
    if (grund == EINGABE_ABBRUCH) F.text = F.anfang;
    std::snprintf(text, static_cast<size_t>(laenge), "%s", F.text.c_str());
    if ((flags & EINGABE_ZAHL) && wert) *wert = static_cast<i32>(std::strtol(text, nullptr, 10));
    Eingabefeld_Free();
    return grund;
}

}  // namespace

// --- Help text box ------------------------------------------------------------

i32 Hilfe_Text_Zeilen(const char* text) {
    i32 n = 0;
    for (const char* t = text; t && *t; ++t)
        if (t[0] == '^' && t[1] == 'l') ++n;
    return n;
}

std::string Hilfe_Text_Umbrechen(Font* f, const char* text, i32 breite, i32 zeilen) {
    std::string aus;
    if (!f || !text) return aus;
    const i32 platz = breite - 7;  // the box's margin
    i32 n = 0;
    // Appends a finished line (none beyond the last that fits).
    auto zeile_fertig = [&](const std::string& z) {
        if (n >= zeilen) return;
        if (n++) aus += "^l";
        aus += z;
    };
    auto passt = [&](const std::string& z) { return Font_Text_Breite(f, z.c_str()) <= platz; };
    std::string rest = text;
    for (size_t anfang = 0; anfang <= rest.size();) {
        size_t ende = rest.find("^l", anfang);
        if (ende == std::string::npos) ende = rest.size();
        const std::string ganz = rest.substr(anfang, ende - anfang);
        std::string zeile;
        size_t i = 0;
        while (i < ganz.size()) {
            size_t w_ende = ganz.find(' ', i);
            if (w_ende == std::string::npos) w_ende = ganz.size();
            std::string wort = ganz.substr(i, w_ende - i);
            i = w_ende + 1;
            const std::string mit = zeile.empty() ? wort : zeile + " " + wort;
            if (passt(mit)) {
                zeile = mit;
                continue;
            }
            if (!zeile.empty()) zeile_fertig(zeile);
            zeile.clear();
            // A word wider than the box is cut where it no longer fits.
            while (!passt(wort)) {
                size_t k = 1;
                while (k < wort.size() && passt(wort.substr(0, k + 1))) ++k;
                zeile_fertig(wort.substr(0, k));
                wort.erase(0, k);
            }
            zeile = wort;
        }
        zeile_fertig(zeile);
        anfang = ende + 2;
    }
    return aus;
}

void Hilfe_Text_Ausgabe(const char* text, i32 x, i32 y) {
    Font* f = hilfe_font();
    Rastport* rp = Screen_Rastport;
    if (!text || !*text || !f || !rp) return;
    // Lines are 10 px apart; a font taller than 10 px moves the text down.
    const i32 extra = std::max(0, f->hoehe - 10);
    // A text wider or longer than the screen allows is wrapped to the
    // widest box and cut after the last line that fits.
    std::string umgebrochen;
    const i32 max_zeilen = std::max(1, (rp->hoehe - 13 - extra) / 10 + 1);
    if (Font_Text_Breite(f, text) + 7 > HILFE_BREITE_MAX || Hilfe_Text_Zeilen(text) + 1 > max_zeilen) {
        umgebrochen = Hilfe_Text_Umbrechen(f, text, std::min(HILFE_BREITE_MAX, rp->breite), max_zeilen);
        text = umgebrochen.c_str();
    }
    const i32 w = Font_Text_Breite(f, text) + 7, h = Hilfe_Text_Zeilen(text) * 10 + 13 + extra;
    if (x < 0 || y < 0) {
        x = Maus_Get_X() - 4;
        y = Maus_Get_Y() + 20;
        if (y + h > 580) y = Maus_Get_Y() - 20 - h;
    }
    x = std::clamp(x, 0, std::max(0, rp->breite - w));
    y = std::clamp(y, 0, std::max(0, rp->hoehe - h));
    Blt_Rechteck_Alpha(rp, x, y, w, h, FARBE_BOX, 85);
    Kit_Text(rp, f, FARBE_SCHATTEN, text, x + 5, y + 10 + extra);
    Kit_Text(rp, f, FARBE_WEISS, text, x + 4, y + 9 + extra);
    hilfe_oben = true;
}

void Hilfe_Text_Ende() { hilfe_oben = false; }
bool Hilfe_Text_Sichtbar() { return hilfe_oben; }

// --- Text input field -----------------------------------------------------------

i32 Eingabefeld_Textbreite(Font* f, const char* text, i32 n) {
    if (!f || !text || n < 1) return 0;
    i32 b = 0;
    for (i32 i = 0; i < n && text[i]; ++i) b += Font_Zeichen_Breite(f, static_cast<u8>(text[i])) + f->abstand;
    return b;
}

i32 Eingabefeld_Zeichen_Aus_X(Font* f, const char* text, i32 feld_x) {
    const i32 rel = Maus_Get_X() - feld_x;
    const i32 n = text ? static_cast<i32>(std::strlen(text)) : 0;
    for (i32 i = 1; i <= n; ++i)
        if (Eingabefeld_Textbreite(f, text, i) > rel) return std::max(0, i - 1);
    return n;
}

bool Eingabefeld_Cursor_An() { return F.zustand == 1 && W32_Get_Time() - F.letzter_aufruf <= 500; }
bool Eingabefeld_Cursor_Sichtbar() { return F.zustand == 1 && F.sichtbar; }

void Eingabefeld_Free() {
    F = Feld{};
}

i32 Eingabefeld_Bearbeiten(Font* f, char* text, i32 laenge, i32 max_zeichen, u32 flags, i32 x, i32 y, i32 w, i32 h,
                           i32 tx, i32 ty, Rastport* hg, i32 hx, i32 hy, i32* wert, u16 farbe) {
    if (laenge < 1 || !f || !text || !max_zeichen || w <= 0 || h <= 0 || x < 0 || y < 0) return EINGABE_LAEUFT;
    const u32 jetzt = W32_Get_Time();
    const i32 id = x * 1000 + y;
    if (F.zustand == 1 && F.id != id) {
        Eingabefeld_Free();  // another field takes over
        return EINGABE_LAEUFT;
    }
    Rastport* schirm = Screen_Rastport;
    if (F.zustand == 0) {
        F.zustand = 1;
        F.id = id;
        if ((flags & EINGABE_ZAHL) && wert) std::snprintf(text, static_cast<size_t>(laenge), "%d", *wert);
        F.text.assign(text, strnlen(text, static_cast<size_t>(laenge)));
        if (static_cast<i32>(F.text.size()) >= laenge) F.text.resize(static_cast<size_t>(laenge - 1));
        F.text.reserve(static_cast<size_t>(laenge));
        F.anfang = F.text;
        F.zeichensatz = (flags & EINGABE_ZAHL) ? ZAHLEN : (flags & EINGABE_NAMEN) ? NAMEN : STANDARD;
        if (flags & EINGABE_STANDARD) F.zeichensatz = STANDARD;
        F.cursor = static_cast<i32>(F.text.size());
        if (flags & EINGABE_ALLES_WAEHLEN) F.auswahl_a = 0, F.auswahl_e = F.cursor;
        F.umschalten = jetzt + 350;
        Rastport* quelle = hg ? hg : schirm;
        F.hintergrund.reset(Rastport_Neu_Einfach(w, h, quelle && quelle->tiefe() ? quelle->tiefe() : 16));
        if (!F.hintergrund) {
            F = Feld{};
            return -1;
        }
        if (quelle) Blt_Blit(quelle, hg ? hx : x, hg ? hy : y, w, h, F.hintergrund.get(), 0, 0, nullptr);
    }
    F.letzter_aufruf = jetzt;
    if (static_cast<i32>(jetzt - F.umschalten) >= 0) F.sichtbar = !F.sichtbar, F.umschalten = jetzt + 350;

    // Mouse.
    const bool nur_return = (flags & EINGABE_NUR_RETURN) != 0;
    // Only a field that acts on the mouse reads (and so consumes) the
    // latched buttons: any other would take a quick click from the buttons
    // of its screen.
    const bool maus = flags & (EINGABE_MAUS | EINGABE_KLICK_AUSSEN | EINGABE_RECHTS_SCHLIESST);
    const u32 tasten = maus ? Maus_Get_Tasten() : 0;
    const bool drin = Maus_In_Rechteck(x, y, w - 1, h - 1);
    if ((flags & EINGABE_MAUS) && (tasten & MAUS_LINKS)) {
        if (drin || F.maus_halten) {
            const i32 i = Eingabefeld_Zeichen_Aus_X(f, F.text.c_str(), x + tx);
            if (!F.maus_halten) F.maus_anker = i, F.auswahl_a = F.auswahl_e = -1;
            else F.auswahl_a = F.maus_anker, F.auswahl_e = i;
            F.cursor = i;
            F.maus_halten = true;
        } else if ((flags & EINGABE_KLICK_AUSSEN) && !nur_return) {
            return schliessen(text, laenge, wert, flags, EINGABE_FERTIG);
        }
    } else {
        F.maus_halten = false;
    }
    if ((flags & EINGABE_RECHTS_SCHLIESST) && (tasten & MAUS_RECHTS) && !nur_return)
        return schliessen(text, laenge, wert, flags, EINGABE_FERTIG);

    // Keys.
    const u32 code = Taste_Get_Code();
    const u8 zeichen = Taste_Get_Zeichen();
    const bool shift = Taste_Shift();
    switch (code) {
        case VK_RETURN: return schliessen(text, laenge, wert, flags, EINGABE_FERTIG);
        case VK_TAB:
            if (!nur_return) return schliessen(text, laenge, wert, flags, shift ? EINGABE_SHIFT_TAB : EINGABE_TAB);
            break;
        case VK_ESCAPE:
            if (!nur_return) return schliessen(text, laenge, wert, flags, EINGABE_ABBRUCH);
            break;
        case VK_BACK:
            if (F.auswahl_a >= 0 && F.auswahl_a != F.auswahl_e) auswahl_loeschen();
            else if (F.cursor > 0) F.text.erase(static_cast<size_t>(--F.cursor), 1);
            break;
        case VK_DELETE:
            if (F.auswahl_a >= 0 && F.auswahl_a != F.auswahl_e) auswahl_loeschen();
            else if (F.cursor < static_cast<i32>(F.text.size())) F.text.erase(static_cast<size_t>(F.cursor), 1);
            break;
        case VK_HOME: cursor_bewegen(0, shift); break;
        case VK_END: cursor_bewegen(static_cast<i32>(F.text.size()), shift); break;
        case VK_LEFT: cursor_bewegen(F.cursor - 1, shift); break;
        case VK_RIGHT: cursor_bewegen(F.cursor + 1, shift); break;
        default:
            if (zeichen && std::strchr(F.zeichensatz, static_cast<char>(zeichen))) {
                u8 c = zeichen;
                if (shift && c >= 'a' && c <= 'z') c = static_cast<u8>(c - 32);
                const std::string alt = F.text;
                const i32 alt_cursor = F.cursor;
                auswahl_loeschen();
                if (static_cast<i32>(F.text.size()) < max_zeichen && static_cast<i32>(F.text.size()) < laenge - 1) {
                    F.text.insert(static_cast<size_t>(F.cursor), 1, static_cast<char>(c));
                    if (Eingabefeld_Textbreite(f, F.text.c_str(), static_cast<i32>(F.text.size())) < w - tx - 2)
                        ++F.cursor;
                    else F.text = alt, F.cursor = alt_cursor;
                } else {
                    F.text = alt, F.cursor = alt_cursor;
                }
            }
    }

    // Drawing.
    if (schirm) {
        Blt_Blit(F.hintergrund.get(), 0, 0, -1, -1, schirm, x, y, nullptr);
        const i32 blatt = f->blatt ? f->blatt->hoehe : f->hoehe;
        if (F.auswahl_a >= 0 && F.auswahl_a != F.auswahl_e) {
            const i32 a = std::min(F.auswahl_a, F.auswahl_e), e = std::max(F.auswahl_a, F.auswahl_e);
            const i32 xa = Eingabefeld_Textbreite(f, F.text.c_str(), a),
                      xe = Eingabefeld_Textbreite(f, F.text.c_str(), e);
            Blt_Rechteck(schirm, x + tx + xa, y + ty + 1, xe - xa, blatt - 2, FARBE_MARKE);
        }
        Kit_Text(schirm, f, farbe, F.text.c_str(), x + tx, y + ty + f->hoehe + 1);
        if (F.sichtbar)
            Blt_Rechteck(schirm, x + tx + Eingabefeld_Textbreite(f, F.text.c_str(), F.cursor), y + ty + 1, 2, blatt - 2,
                         FARBE_CURSOR);
    }
    std::snprintf(text, static_cast<size_t>(laenge), "%s", F.text.c_str());
    return EINGABE_LAEUFT;
}

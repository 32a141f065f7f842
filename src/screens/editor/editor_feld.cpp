// The editor's values and its edit field: stars, names, positions, the field
// a value is typed into and the keys that step, confirm and leave it.
#include "screens/editor/editor.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "base/config.h"
#include "base/cp1252.h"
#include "base/files.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "base/spielstand.h"
#include "base/tempstr.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/eingabe.h"
#include "gui/gesicht.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "screens/editor/attribut_edit.h"
#include "screens/editor/aussehen.h"
#include "screens/editor/editor_intern.h"
#include "screens/editor/wappen.h"
#include "screens/teile/drossel.h"
#include "screens/teile/namen.h"
#include "screens/teile/requester.h"
#include "season/freundschaft.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "season/wettbewerb_schreiben.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/global.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/modi.h"
#include "world/spieler.h"
#include "world/team.h"
#include "world/welt.h"

using namespace editor_intern;

// --- Values ---------------------------------------------------------------------------------

i32 Editor_Sterne_Schritt(i32 sterne, i32 max, bool hoch) {
    max = std::clamp(max, 0, 12);
    if (hoch) return sterne >= max ? 0 : sterne + 1;
    return sterne <= 0 ? max : sterne - 1;
}

i32 Editor_Maxsterne_Schritt(i32 max, i32 sterne, bool hoch) {
    if (hoch) return max < 11 ? max + 2 : std::min(12, (sterne + 1) / 2 * 2);
    return max > sterne + 1 ? max - 2 : 12;
}

i32 Editor_Maxsterne_Aus_Eingabe(i32 eingabe, i32 sterne) {
    i32 m = std::max(eingabe, 2);
    if (m > 12 || (m & 1) || m < sterne) m = 12;
    return m;
}

bool Editor_Name_Pruefen(const char* t, i32 max, std::string* grund) {
    auto nein = [&](i32 n, i32 a = 0) {
        if (grund) {
            char b[200];
            std::snprintf(b, sizeof b, text(n), a);
            *grund = b;
        }
        return false;
    };
    if (!t) return nein(T_NAME_LEER);
    const size_t n = std::strlen(t);
    bool leer = true;
    for (size_t i = 0; i < n; ++i) leer = leer && t[i] == ' ';
    if (leer) return nein(T_NAME_LEER);
    if (n > static_cast<size_t>(max)) return nein(T_NAME_LANG, max);
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    for (size_t i = 0; i < n; ++i) {
        const u8 c = static_cast<u8>(t[i]);
        if (c < 32 || c == 127 || c == '^' || c == '"') return nein(T_NAME_ZEICHEN);
        const u32 u = Cp1252_Zeichen_Unicode(c);
        if (u >= 0x80 && u < 0xA0) return nein(T_NAME_ZEICHEN);
        if (f && c != ' ' && Font_Zeichen_Breite(f, c) - f->abstand <= 0) return nein(T_NAME_ZEICHEN);
    }
    return true;
}

void Editor_Position_Setzen(i32 spieler, i32 klasse) {
    if (spieler < 0 || spieler >= Spieler_Anzahl) return;
    const i32 alt = wert(67, spieler);
    klasse = ((klasse % 4) + 4) % 4;
    Spieler_Wert(SPIELER_WERT_POSITION, spieler, klasse, OP_SCHREIBEN);
    if ((alt == 0) == (klasse == 0)) return;
    // The attributes of the other kind of player go; his own become open.
    const bool torwart = klasse == 0;
    for (i32 a = 47; a <= 52; ++a) Attribut_Spieler_Setze_Wert_Screen(spieler, a, torwart ? 3 : 2);
    for (i32 a = 0; a <= 39; ++a) Attribut_Spieler_Setze_Wert_Screen(spieler, a, torwart ? 2 : 3);
}

// --- The edit field ----------------------------------------------------------------------

void Editor_Feld_Zuruecksetzen() {
    if (st.feld.aktiv) Eingabefeld_Free();
    const bool tab = st.feld.tab;
    const i32 spalte = st.feld.spalte;
    st.feld = {};
    st.feld.tab = tab;
    st.feld.spalte = spalte;
    Blt_Cache_Leeren();
}

void Editor_Feld_Beginnen(i32 w, i32 spieler, i32 team, i32 x, i32 y) {
    if (st.feld.aktiv) Eingabefeld_Free();
    Editor_Feld_Zuruecksetzen();
    Editor_Eingabefeld& f = st.feld;
    f.aktiv = true;
    f.spieler = spieler;
    f.team = team;
    f.wert = w;
    f.x = x, f.y = y;
    f.ziffern = w == FELD_NUMMER || w == FELD_STERNE || w == FELD_MAXSTERNE || w == FELD_SPIELE;
    switch (w) {
        case FELD_NUMMER: f.laenge = 2; break;
        case FELD_POSITION: f.laenge = 0; break;
        case FELD_INITIAL: f.laenge = 1; break;
        case FELD_NAME: f.laenge = SPIELER_NAME_MAX; break;
        case FELD_STERNE:
        case FELD_MAXSTERNE: f.laenge = 2; break;
        case FELD_SPIELE: f.laenge = 3; break;
        case FELD_TEAMNAME: f.laenge = TEAM_NAME_MAX; break;
        default: f.aktiv = false; return;
    }
    for (i32 k = 0; k < 7; ++k)
        if (EDITOR_SPALTEN[k] == w) f.spalte = k;
    if (w == FELD_TEAMNAME) std::snprintf(f.puffer, sizeof f.puffer, "%s", team_name(team));
    else if (w == FELD_NAME) std::snprintf(f.puffer, sizeof f.puffer, "%s", Spieler_String(63, spieler, nullptr, 0));
    else if (w == FELD_INITIAL) {
        const char* v = Spieler_String(64, spieler, nullptr, 0);
        std::snprintf(f.puffer, sizeof f.puffer, "%c", v[0] ? v[0] : ' ');
        if (f.puffer[0] == ' ') f.puffer[0] = 0;
    } else if (w != FELD_POSITION) {
        std::snprintf(f.puffer, sizeof f.puffer, "%d", wert(w, spieler));
    }
    Blt_Cache_Leeren();
}

bool Editor_Eingabe_Uebernehmen() {
    Editor_Eingabefeld& f = st.feld;
    if (!f.aktiv) return false;
    st.fehler.clear();
    auto grenze = [&](i32 von, i32 bis, i32 war) {
        char b[200];
        std::snprintf(b, sizeof b, text(T_GRENZE), von, bis, war);
        st.fehler = b;
    };
    const i32 p = f.spieler;
    if (f.wert == FELD_TEAMNAME) {
        if (!Editor_Name_Pruefen(f.puffer, TEAM_NAME_MAX, &st.fehler)) return false;
        Team_String(721, f.team, f.puffer, 1);
        return true;
    }
    if (p < 0 || p >= Spieler_Anzahl) return false;
    if (f.wert == FELD_POSITION) return true;  // stepped in place
    if (f.wert == FELD_NAME) {
        if (!Editor_Name_Pruefen(f.puffer, SPIELER_NAME_MAX, &st.fehler)) return false;
        Spieler_String(63, p, f.puffer, 1);
        return true;
    }
    if (f.wert == FELD_INITIAL) {
        u8 c = static_cast<u8>(f.puffer[0]);
        const u32 u = Cp1252_Zeichen_Unicode(c);
        if (!c || f.puffer[1] || !(std::isalpha(c) || (u >= 0xC0 && u <= 0xFE && u != 0xD7 && u != 0xF7))) {
            st.fehler = text(T_INITIAL);
            return false;
        }
        if (c >= 'a' && c <= 'z') c = static_cast<u8>(c - 32);
        else if (u >= 0xE0 && u <= 0xFE && u != 0xF7) c = static_cast<u8>(c - 32);  // à..þ to À..Þ
        char v[3] = {static_cast<char>(c), '.', 0};
        std::string grund;
        if (!Editor_Name_Pruefen(v, 2, &grund)) {
            st.fehler = grund;
            return false;
        }
        Spieler_String(64, p, v, 1);
        std::snprintf(f.puffer, sizeof f.puffer, "%c", c);
        return true;
    }
    // Numbers.
    if (!f.puffer[0]) {
        st.fehler = text(T_ZAHL_FEHLT);
        return false;
    }
    char* ende = nullptr;
    const long v = std::strtol(f.puffer, &ende, 10);
    if (!ende || *ende) {
        st.fehler = text(T_ZAHL_FEHLT);
        return false;
    }
    i32 n = static_cast<i32>(std::clamp(v, -99999L, 99999L));
    switch (f.wert) {
        case FELD_NUMMER:
            if (n < 1 || n > 50) grenze(1, 50, n);
            n = std::clamp(n, 1, 50);
            break;
        case FELD_SPIELE:
            if (n < 1 || n > 150) grenze(1, 150, n);
            n = std::clamp(n, 1, 150);
            break;
        case FELD_STERNE: {
            const i32 max = wert(97, p);
            if (n < 0 || n > max) grenze(0, max, n);
            n = std::clamp(n, 0, max);
            break;
        }
        case FELD_MAXSTERNE: {
            const i32 m = Editor_Maxsterne_Aus_Eingabe(n, wert(92, p));
            if (m != n) grenze(2, 12, n);
            n = m;
            break;
        }
        default: return false;
    }
    Spieler_Wert(f.wert, p, n, OP_SCHREIBEN);
    std::snprintf(f.puffer, sizeof f.puffer, "%d", n);
    return true;
}

void Editor_Tab_Weiter(bool rueckwaerts) {
    if (!Screen_Drossel_Frei(&tab_drossel, TAB_MS)) return;
    const i32 n = static_cast<i32>(st.spieler.size());
    if (n == 0) return;
    const i32 p = st.feld.spieler;
    auto it = std::find(st.spieler.begin(), st.spieler.end(), p);
    i32 index = it == st.spieler.end() ? 0 : static_cast<i32>(it - st.spieler.begin());
    i32 spalte = st.feld.spalte + (rueckwaerts ? -1 : 1);
    if (spalte < 0) spalte = 6, index = (index + n - 1) % n;
    if (spalte > 6) spalte = 0, index = (index + 1) % n;
    // The list follows the walk.
    if (index < st.spieler_erster || index >= st.spieler_erster + EDITOR_ZEILEN) {
        if (ist_markt()) Editor_Transfermarkt_Liste(index < st.spieler_erster ? index : index - EDITOR_ZEILEN + 1, -1);
    }
    const i32 zeile = index - st.spieler_erster;
    Editor_Feld_Beginnen(EDITOR_SPALTEN[spalte], st.spieler[static_cast<size_t>(index)], st.team,
                         EDITOR_SPALTEN_X[spalte], EDITOR_ZEILE_Y0 + EDITOR_ZEILE_H * zeile);
    st.feld.tab = true;
    st.feld.spalte = spalte;
}

namespace {

// The position and the stars step in place.
void schritt(bool hoch) {
    Editor_Eingabefeld& f = st.feld;
    const i32 p = f.spieler;
    if (p < 0) return;
    if (f.wert == FELD_POSITION) {
        Editor_Position_Setzen(p, wert(67, p) + (hoch ? 1 : -1));
    } else if (f.wert == FELD_STERNE) {
        Spieler_Wert(SPIELER_WERT_STAERKE, p, Editor_Sterne_Schritt(wert(92, p), wert(97, p), hoch), OP_SCHREIBEN);
        std::snprintf(f.puffer, sizeof f.puffer, "%d", wert(92, p));
    } else if (f.wert == FELD_MAXSTERNE) {
        Spieler_Wert(SPIELER_WERT_MAX_STAERKE, p, Editor_Maxsterne_Schritt(wert(97, p), wert(92, p), hoch),
                     OP_SCHREIBEN);
        std::snprintf(f.puffer, sizeof f.puffer, "%d", wert(97, p));
    }
    Eingabefeld_Free();  // the field shows the new value
    Blt_Cache_Leeren();
}

// A key's end of the edit: dropped, or taken over and, on Tab (or Return
// in the Tab walk), on to the next field.
void ende(Editor_Tastenwirkung w) {
    Editor_Eingabefeld& f = st.feld;
    if (w == Editor_Tastenwirkung::VERWERFEN) {
        f.tab = false;
        Editor_Feld_Zuruecksetzen();
        return;
    }
    const bool ok = Editor_Eingabe_Uebernehmen();
    if (!ok) f.tab = false;
    const bool weiter = w == Editor_Tastenwirkung::WEITER || w == Editor_Tastenwirkung::ZURUECK;
    if (ok && (weiter || (w == Editor_Tastenwirkung::UEBERNEHMEN && f.tab))) {
        Editor_Tab_Weiter(w == Editor_Tastenwirkung::ZURUECK);
        return;
    }
    Editor_Feld_Zuruecksetzen();
}

bool beendet(Editor_Tastenwirkung w) {
    return w == Editor_Tastenwirkung::UEBERNEHMEN || w == Editor_Tastenwirkung::WEITER ||
           w == Editor_Tastenwirkung::ZURUECK || w == Editor_Tastenwirkung::VERWERFEN;
}

i32 feld_breite(i32 w) {
    switch (w) {
        case FELD_NAME: return 100;
        case FELD_TEAMNAME: return 150;
        case FELD_SPIELE: return 28;
        case FELD_INITIAL: return 18;
        default: return 22;
    }
}

}  // namespace

Editor_Tastenwirkung Editor_Taste(i32 feld_ergebnis, u32 code, bool shift) {
    switch (feld_ergebnis) {
        case EINGABE_FERTIG: return Editor_Tastenwirkung::UEBERNEHMEN;
        case EINGABE_TAB: return Editor_Tastenwirkung::WEITER;
        case EINGABE_SHIFT_TAB: return Editor_Tastenwirkung::ZURUECK;
        case EINGABE_ABBRUCH: return Editor_Tastenwirkung::VERWERFEN;
        default: break;
    }
    switch (code) {
        case VK_RETURN: return Editor_Tastenwirkung::UEBERNEHMEN;
        case VK_TAB: return shift ? Editor_Tastenwirkung::ZURUECK : Editor_Tastenwirkung::WEITER;
        case VK_ESCAPE: return Editor_Tastenwirkung::VERWERFEN;
        case VK_UP: return Editor_Tastenwirkung::HOCH;
        case VK_DOWN: return Editor_Tastenwirkung::RUNTER;
        default: return Editor_Tastenwirkung::KEINE;
    }
}

Editor_Tastenwirkung Editor_Taste(i32 feld_ergebnis) {
    return Editor_Taste(feld_ergebnis, Taste_Get_Code(), Taste_Shift());
}

void Editor_Eingabe() {
    Editor_Eingabefeld& f = st.feld;
    if (!f.aktiv) return;
    const u32 tasten = Maus_Get_Tasten();
    const bool neu_links = (tasten & MAUS_LINKS) && !(alte_tasten & MAUS_LINKS);
    const bool neu_rechts = (tasten & MAUS_RECHTS) && !(alte_tasten & MAUS_RECHTS);
    alte_tasten = tasten;
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    const bool auf_feld = mx >= f.x - 5 && mx <= f.x + 40 && my >= f.y && my < f.y + EDITOR_ZEILE_H;
    // The steppers take the key before any text field.
    const Editor_Tastenwirkung taste = Editor_Taste(EINGABE_LAEUFT);
    const bool hoch = taste == Editor_Tastenwirkung::HOCH || (neu_links && auf_feld);
    const bool runter = !hoch && (taste == Editor_Tastenwirkung::RUNTER || (neu_rechts && auf_feld));
    if (f.wert == FELD_POSITION) {
        // Not typed: the keys alone step it, take it over or drop it.
        if (hoch || runter) {
            if (Screen_Drossel_Frei(&position_drossel, POSITION_MS)) schritt(hoch);
        } else if (beendet(taste)) {
            ende(taste);
        }
        return;
    }
    if ((f.wert == FELD_STERNE || f.wert == FELD_MAXSTERNE) && (hoch || runter) &&
        Screen_Drossel_Frei(&sterne_drossel, STERNE_MS)) {
        schritt(hoch);
        return;
    }
    const u32 flags = f.ziffern ? EINGABE_ZAHL | EINGABE_ALLES_WAEHLEN : EINGABE_STANDARD | EINGABE_ALLES_WAEHLEN;
    const i32 r =
        Eingabefeld_Bearbeiten(Kit_Font(Kit_Schrift::TEXT), f.puffer, sizeof f.puffer, f.laenge, flags, f.x + 4, f.y,
                               feld_breite(f.wert), EDITOR_ZEILE_H, 2, 0, nullptr, 0, 0, nullptr, FARBE_WEISS);
    // The field read the key; what it ended with decides.
    const Editor_Tastenwirkung w = Editor_Taste(r, 0, false);
    if (beendet(w)) ende(w);
}

void Editor_Eingabe_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    Editor_Eingabefeld& f = st.feld;
    if (f.aktiv && f.wert == FELD_POSITION && f.spieler >= 0) {
        const i32 k = std::clamp(wert(67, f.spieler), 0, 3);
        Kit_Bild_Zeichnen(ziel, GRAFIK_EDITOR_FELD_ZAHL, f.x, f.y);
        Kit_Printf(ziel, Kit_Font(Kit_Schrift::TEXT), FARBE_GOLD, f.x + 18, f.y + 12, "%s", Positions_Text(k));
    }
    Editor_Eingabe();
    if (!st.fehler.empty())
        Kit_Printf(ziel, Kit_Font(Kit_Schrift::TEXT), FARBE_FEHLER, 12, 556, "%s", st.fehler.c_str());
}

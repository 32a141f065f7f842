#include "screens/market/scout_suche.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/random.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/gesicht.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "screens/market/scouting.h"
#include "screens/teile/namen.h"
#include "screens/teile/spielerzeile.h"
#include "screens/teile/sterne.h"
#include "world/aufstellung.h"
#include "world/global.h"
#include "world/markt.h"
#include "world/modi.h"
#include "world/welt.h"

namespace {

constexpr u32 TICK_MS = 10, SCHRITT_MS = 1500, BERICHT_MS = 2000;
constexpr i32 KLASSE_BILD[4] = {3, 1, 0, 2};
constexpr u16 FARBE_ZUSAGE = FARBE_MARKE;

enum : i32 {
    T_ENDE = 6,
    T_SPIELE = 29,
    T_KARTE = 30,  // 30..33 the talks' steps, 34 agreed
    T_ZUGESTIMMT = 34,
    T_ABGEBROCHEN = 38,
    T_AUFBRUCH = 39,
    T_EINVERSTANDEN = 43,
    T_FRAGE = 44,
    T_GESPRAECH_ENDE = 96,
};
struct Bereich {
    i32 von, bis;
};
constexpr Bereich SUCHT{45, 50}, FUND_1{51, 54}, FUND_2{55, 57}, BEOBACHTET{58, 64}, GESPRAECH{65, 70},
    ANGEBOT{71, 75}, JA{76, 80}, NEIN{81, 85}, ABREISE{86, 90}, HEIMKEHR{93, 95};

Scout_Suche_Stand s;

const char* text(i32 n) { return Text_cfg_Text(TEXT_SPIELER_SUCHE, n); }
void blit(Rastport* ziel, i32 n, i32 x, i32 y, i32 sx = 0) {
    if (Rastport* b = Kit_Bild(n)) Blt_Blit(b, sx, 0, -1, -1, ziel, x, y, Blt_Opt_Transparent);
}
i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }

// One text of the range, drawn from the shared table.
void zufall_text(Bereich b) { Scout_Log_Dazu(text(Rnd_Basis(b.von, b.bis))); }

void fortschreiten() {
    if (s.fortschritt < 5) ++s.fortschritt;
    if (s.fortschritt < SUCHE_ZIEL) s.fortschritt += s.dialog != SD_SUCHT ? 3 : 12;
    s.fortschritt = std::min(s.fortschritt, SUCHE_ZIEL);
}

void bericht() {
    switch (s.dialog) {
        case SD_SUCHT: zufall_text(SUCHT); break;
        case SD_GEFUNDEN: zufall_text(FUND_1), zufall_text(FUND_2); break;
        case SD_BEOBACHTET: zufall_text(BEOBACHTET); break;
        case SD_GESPRAECH: zufall_text(GESPRAECH); break;
        case SD_ANGEBOT: Scout_Log_Leeren(), zufall_text(ANGEBOT); break;
        case SD_JA: zufall_text(JA); break;
        case SD_NEIN: zufall_text(NEIN); break;
        default: break;
    }
    fortschreiten();
}

// The next result that is a player, from the cursor on; -1 when none is left.
i32 naechstes_ergebnis(bool nehmen) {
    for (i32 c = s.cursor; c < SUCHE_ERGEBNISSE; ++c)
        if (s.ergebnis[c] >= 0) {
            if (nehmen) s.cursor = c + 1;
            return s.ergebnis[c];
        }
    return -1;
}

void zeigen(i32 n, bool an) {
    if (Screen_Icon* i = Kit_Icon(n))
        i->status = an ? i->status & ~(MENUE_S_VERSTECKT | MENUE_S_GRAU) : i->status | MENUE_S_VERSTECKT | MENUE_S_GRAU;
}

}  // namespace

void Scout_Suche_Ergebnisse(i32 team, i32 scout, i32 gebiet, i32 aus[SUCHE_ERGEBNISSE]) {
    for (i32 i = 0; i < SUCHE_ERGEBNISSE; ++i) aus[i] = -1;
    if (scout < 0 || scout >= SCOUT_ANZAHL || gebiet < 0 || gebiet >= KONTINENT_ANZAHL) return;
    const i32 f = Tools_Clamp(Scout_Tabelle[scout].spieler_staerke_factor[gebiet], 0, 12, -1);
    const i32 st = Team_Get_Staerke(team) / 20;
    i32 ziel = (f + st) / 2;
    if (ziel >= 8) ziel = Rnd_Basis(11, 12);
    std::vector<i32> pool(static_cast<size_t>(std::max(Team_Kader_Anzahl(Team_Transfermarkt), 1)));
    const i32 n = std::max(0, Teamspieler_Ins_Array(Team_Transfermarkt, pool.data(), static_cast<int>(pool.size()),
                                                    SP_STATUS_SCOUT));
    std::vector<u32> liste;
    std::vector<i32> schluessel;
    for (i32 i = 0; i < n; ++i)
        if (Spieler_Aus_Gebiet(pool[static_cast<size_t>(i)], gebiet)) liste.push_back(static_cast<u32>(pool[static_cast<size_t>(i)]));
    if (!liste.empty()) {
        SortMisch_Mische(liste.data(), static_cast<i32>(liste.size()));
        for (u32 p : liste) schluessel.push_back(wert(SPIELER_WERT_MAX_STAERKE, static_cast<i32>(p)));
        SortMisch_Sortiere(liste.data(), schluessel.data(), static_cast<i32>(liste.size()), 1);
    }
    const i32 m = static_cast<i32>(liste.size());
    for (i32 i = 0; i < SUCHE_ERGEBNISSE && i < m; ++i) aus[i] = static_cast<i32>(liste[static_cast<size_t>(i)]);
    i32 slot = 0;
    for (i32 i = 0; i < m && slot < SUCHE_ERGEBNISSE; ++i) {
        const i32 k = schluessel[static_cast<size_t>(i)];
        if (k >= ziel - 2 && k < ziel + 3) aus[slot++] = static_cast<i32>(liste[static_cast<size_t>(i)]);
    }
    u32 misch[SUCHE_ERGEBNISSE];
    for (i32 i = 0; i < SUCHE_ERGEBNISSE; ++i) misch[i] = static_cast<u32>(aus[i]);
    SortMisch_Mische(misch, SUCHE_ERGEBNISSE);
    for (i32 i = 0; i < SUCHE_ERGEBNISSE; ++i) aus[i] = static_cast<i32>(misch[i]);
}

void Scout_Suche_Starten(i32 scout, i32 gebiet, const i32 ergebnis[SUCHE_ERGEBNISSE]) {
    s = {};
    s.scout = std::clamp(scout, 0, SCOUT_ANZAHL - 1);
    s.gebiet = gebiet;
    for (i32 i = 0; i < SUCHE_ERGEBNISSE; ++i) s.ergebnis[i] = ergebnis ? ergebnis[i] : -1;
    if (gebiet >= 0 && gebiet < KONTINENT_ANZAHL) {
        s.w = Tools_Clamp(Scout_Tabelle[s.scout].wahrscheinlichkeitsfactor[gebiet], 0, 100, -1);
        s.u = Tools_Clamp(Scout_Tabelle[s.scout].ueberredungskraft[gebiet], 0, 100, -1);
    }
    s.letzter_tick = W32_Get_Time();
}

const Scout_Suche_Stand& Scout_Suche_Lesen() { return s; }

i32 Scout_Suche_Prozent() { return std::min(100, Tools_Runden(s.fortschritt * 100.0 / SUCHE_ZIEL)); }

void Scout_Log_Dazu(const char* t, i32 farbe, i32 f) {
    if (!t || !*t) return;
    if (s.zeilen == LOG_ZEILEN) {
        for (i32 i = 1; i < LOG_ZEILEN; ++i) s.log[i - 1] = s.log[i];
        --s.zeilen;
    }
    Scout_Log_Zeile& z = s.log[s.zeilen++];
    // A longer line is cut to the row's room.
    const size_t n = std::min(std::strlen(t), sizeof z.text - 1);
    std::memcpy(z.text, t, n);
    z.text[n] = 0;
    z.farbe = farbe, z.font = f;
}

void Scout_Log_Leeren() {
    for (Scout_Log_Zeile& z : s.log) z = {};
    s.zeilen = 0;
}

void Scout_Suche_Karte(i32 modus) {
    Blt_Cache_Leeren();
    if (modus == 0) {
        // Only a prospect who appears takes a result (the empty ones are passed over).
        s.prospekt = naechstes_ergebnis(true);
        s.zugestimmt = -1;
        zeigen(ICON_SUCHE_KARTE, s.prospekt >= 0);
        zeigen(ICON_SUCHE_ABWEISEN, s.prospekt >= 0);
    } else if (modus == 1) {
        s.prospekt = -1;
        s.zugestimmt = -1;
        zeigen(ICON_SUCHE_SPIELERKARTE, false);
        zeigen(ICON_SUCHE_VERPFLICHTEN, false);
        zeigen(ICON_SUCHE_ABWEISEN, false);
        Kit_Zeigen(ICON_SUCHE_KARTE, false);
    } else {
        s.zugestimmt = 0;
        zeigen(ICON_SUCHE_SPIELERKARTE, true);
        zeigen(ICON_SUCHE_VERPFLICHTEN, true);
    }
}

void Scout_Suche_Abweisen() {
    s.dialog = SD_SUCHT;
    Scout_Log_Leeren();
    Scout_Suche_Karte(1);
}

void Scout_Suche_Beenden() {
    Scout_Log_Leeren();
    s.dialog = SD_SUCHT;
    s.fortschritt = 0;
    s.prospekt = -1;
}

void Scout_Suche_Dialog_Tick(i32 prozent) {
    const u32 jetzt = W32_Get_Time();
    if (prozent >= 100) {
        if (s.fertig == 1) return;
        Scout_Log_Leeren();
        zufall_text(HEIMKEHR);
        if (s.dialog >= 0) {
            Scout_Log_Dazu(text(T_GESPRAECH_ENDE));
            Scout_Suche_Karte(1);
        }
        s.dialog = SD_SUCHT;
        s.fertig = 1;
        return;
    }
    if (s.dialog >= 0 && jetzt - s.letzter_schritt < SCHRITT_MS) return;
    s.letzter_schritt = jetzt;
    if (prozent == 0) {
        Scout_Log_Leeren();
        if (s.fortschritt == 0) zufall_text(ABREISE);
        char t[300];
        std::snprintf(t, sizeof t, "%s %s", text(T_AUFBRUCH),
                      s.gebiet >= 0 && s.gebiet < KONTINENT_ANZAHL ? Kontinent_Tabelle[s.gebiet].name : "");
        Scout_Log_Dazu(t, FARBE_WEISS);
        s.dialog = SD_SUCHT;
        s.fortschritt = 1;
        s.fertig = -1;
    }
    if (s.dialog >= 0 && s.dialog < SD_ANGEBOT && Rnd_Basis(0, 1000) < 150 - s.u) {
        s.dialog = SD_SUCHT;
        Scout_Suche_Karte(1);
        Scout_Log_Leeren();
        Scout_Log_Dazu(text(T_ABGEBROCHEN));
    }
    switch (s.dialog) {
        case SD_SUCHT:
            if (Rnd_Basis(0, 7000) < s.w && naechstes_ergebnis(false) >= 0) {
                s.dialog = SD_GEFUNDEN;
                Scout_Suche_Karte(0);
                bericht();
            }
            if (jetzt - s.letzter_bericht > BERICHT_MS) {
                s.letzter_bericht = jetzt;
                bericht();
            }
            break;
        case SD_GEFUNDEN:
            Rnd_Basis(0, 8000);  // drawn and not used: every machine draws the same numbers
            s.dialog = SD_BEOBACHTET;
            bericht();
            break;
        case SD_BEOBACHTET:
            Rnd_Basis(0, 8000);
            s.dialog = SD_GESPRAECH;
            bericht();
            break;
        case SD_GESPRAECH:
            Rnd_Basis(0, 6000);
            s.dialog = SD_ANGEBOT;
            bericht();
            break;
        case SD_ANGEBOT:
            if (Rnd_Basis(0, 100) < s.u) {
                s.dialog = SD_JA;
                Scout_Suche_Karte(2);
                bericht();
                Scout_Log_Dazu(text(T_EINVERSTANDEN), FARBE_ZUSAGE, static_cast<i32>(Kit_Schrift::KLEIN));
            } else {
                s.dialog = SD_NEIN;
                bericht();
            }
            break;
        case SD_NEIN:
            s.dialog = SD_SUCHT;
            Scout_Suche_Karte(1);
            break;
        default: break;
    }
}

namespace {
// A text centred on its x (a percentage over its bar, a line of the card).
constexpr Kit_Stelle MITTIG{Kit_Ausrichtung::MITTE, 1};
// The card's head: the shirt number on the position badge, the position
// (the player row's own columns).
constexpr const Kit_Spalte& POSITION = SPIELERZEILE_SPALTEN[SZ_POSITION];
}  // namespace

void Scout_Suche_Zeichnen(Rastport* ziel, bool requester_offen) {
    blit(ziel, GRAFIK_SUCHE_BALKEN, 283, 217);
    const i32 prozent = Scout_Suche_Prozent();
    if (Font* f = Kit_Font(Kit_Schrift::TITEL))
        Kit_Printf_Stelle(ziel, f, FARBE_WEISS, 527, 216, Kit_Schein::SCHLICHT, MITTIG, "%d%s", prozent, "%");
    if (s.fortschritt < SUCHE_ZIEL) blit(ziel, GRAFIK_SUCHE_BALKEN_LEER, 283 + s.fortschritt, 217, s.fortschritt);
    blit(ziel, GRAFIK_SUCHE_LOG, 96, 245);
    if (s.gebiet >= 0) blit(ziel, GRAFIK_KONTINENT_KLEIN + s.gebiet, 570, 189);
    if (!requester_offen) {
        for (i32 i = 0; i < s.zeilen; ++i) {
            const Scout_Log_Zeile& z = s.log[i];
            const bool normal = z.farbe < 0 && z.font < 0;
            Font* f = Kit_Font(normal || z.font < 0 ? Kit_Schrift::KLEIN : static_cast<Kit_Schrift>(z.font));
            const u16 farbe = normal ? (i % 2 == 0 ? FARBE_LOG_GERADE : FARBE_WEISS)
                                     : static_cast<u16>(z.farbe >= 0 ? z.farbe : FARBE_WEISS);
            if (f) Kit_Printf(ziel, f, farbe, 104, 261 + 20 * i, "%s", z.text);
        }
        const u32 jetzt = W32_Get_Time();
        if (jetzt - s.letzter_tick > TICK_MS && s.dialog != SD_JA) {
            s.letzter_tick = jetzt;
            Scout_Suche_Dialog_Tick(prozent);
        }
    }
    if (Scout_Suche_Prozent() >= 100) {
        blit(ziel, GRAFIK_SUCHE_ENDE, 194, 184);
        if (Font* f = Kit_Font(Kit_Schrift::SCHMAL_GROSS))
            Kit_Printf(ziel, f, FARBE_WEISS, 230, 202, "^fb0008^fe%s", text(T_ENDE));
        blit(ziel, GRAFIK_SUCHE_ENDE_KARTE, 570, 189);
    }
}

void Scout_Suche_Karte_Zeichnen(Rastport* ziel, i32 x, i32 y) {
    const i32 p = s.prospekt;
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    if (p < 0 || p >= Spieler_Anzahl || !f) return;
    const i32 klasse = std::clamp(wert(SPIELER_WERT_POSITION, p), 0, 3);
    blit(ziel, GRAFIK_POSITION_KLASSE + KLASSE_BILD[klasse], x + 150, y + 7);
    if (Font* fn = Kit_Font(Kit_Schrift::ZAHL))
        Kit_Tabelle_Zeile_Printf(ziel, fn, FARBE_WEISS, x + 147, y + 19, Kit_Schein::SCHLICHT, SPIELERZEILE_SPALTEN,
                                 "^fb0006\t%d^fe", wert(SPIELER_WERT_RUECKENNUMMER, p));
    Kit_Tabelle_Zelle_Printf(ziel, f, FARBE_KLASSE[klasse], x + 150, y + 19, Kit_Schein::SCHLICHT, POSITION, "%s",
                             Positions_Text(klasse));
    Kit_Printf(ziel, f, FARBE_WEISS, x + 220, y + 19, "%s", Spieler_String(505, p, nullptr, 0));
    Gesicht_Holen(p, Team_Transfermarkt, ziel, 103, 349, 85, 100);
    if (s.dialog < 1) {
        Kit_Printf_Stelle(ziel, f, FARBE_WEISS, x + 310, y + 55, Kit_Schein::SCHLICHT, MITTIG, "%s", text(T_FRAGE));
    } else {
        const i32 spiele = wert(SPIELER_WERT_SPIELE, p);
        Kit_Printf_Stelle(ziel, f, FARBE_WEISS, x + 310, y + 55, Kit_Schein::SCHLICHT, MITTIG, "%s %d", text(T_SPIELE),
                          spiele < SCOUT_SPIELE_MINDEST ? spiele + SCOUT_SPIELE_MINDEST : spiele);
    }
    if (s.zugestimmt == -1) {
        if (s.dialog >= 0 && s.dialog <= 3) {
            Kit_Printf_Stelle(ziel, f, FARBE_WEISS, x + 265, y + 90, Kit_Schein::SCHLICHT, MITTIG, "%s",
                              text(T_KARTE + s.dialog));
            if (s.dialog <= 1)
                Kit_Printf_Stelle(ziel, f, FARBE_WEISS, x + 190, y + 55, Kit_Schein::SCHLICHT, MITTIG, "%s",
                                  text(T_FRAGE));
            if (s.dialog >= 2) Spieler_Sterne_Zeichnen(ziel, p, x + 147, y + 44, 0, false);
        }
    } else {
        Kit_Printf_Stelle(ziel, f, FARBE_WEISS, x + 265, y + 90, Kit_Schein::SCHLICHT, MITTIG, "%s",
                          text(T_ZUGESTIMMT));
        Spieler_Sterne_Zeichnen(ziel, p, x + 147, y + 44, 0, false);
    }
}

// The announcement pages and screens (see ank_seiten.h).
#include "gui/ank_seiten.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "grafik_nummern.h"
#include "graphics/abdruck.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "graphics/sound.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "gui/wappen.h"
#include "matchday/spieltag.h"
#include "season/ereignisse.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/spiele_saetze.h"
#include "season/statistik.h"
#include "season/tabelle.h"
#include "season/vorschau_saetze.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "season/wettbewerb_werte.h"
#include "world/bank.h"
#include "world/finanz_zahlen.h"
#include "world/welt.h"

namespace {

// Text colours (16-bit pixels).
constexpr u16 WEISS = FARBE_WEISS, NORMAL = FARBE_HELL, WERT = FARBE_GEWAEHLT, KOPF = FARBE_KOPF,
              MENSCH = FARBE_MENSCH, VERLUST = FARBE_FEHLER, GEWINN = FARBE_KLASSE_1;
// The pages after a match: as high as the screen, so that no half of the
// menu's header shows above them.
constexpr i32 SEITE_W = 760, SEITE_H = 600;
// The table and results screens: the header bar and every row share one span.
constexpr i32 TABELLE_X = 36, TABELLE_W = 728, ERGEBNIS_X = 4, ERGEBNIS_W = 792;
constexpr i32 ARCHIV_SEITEN = 3, ARCHIV_GLOBAL = 1, EINTRAG_SCHATTEN = 331;
constexpr i32 EINTRAG_VOR_MENUE = 165, EINTRAG_ZIFFERN = 171;
constexpr i32 ZIFFER_W = 56, ZIFFER_H = 30;

// Labels: the screen texts' miscellaneous section from entry 138 on; the
// finance page's eleven row labels are entries 0..10 (165 and 166 are the
// live view's minute and attendance words).
enum : i32 {
    L_TORE = 138, L_KEINE_TORE, L_SCHUESSE, L_WERT2, L_ZWEIKAMPF, L_BALLBESITZ, L_ZUSCHAUER, L_EINNAHMEN,
    L_AUSGABEN, L_SUMME, L_GEWINN, L_VERLUST, L_HOCH, L_RUNTER, L_ZU, L_PLATZ, L_VEREIN, L_PUNKTE, L_DIFFERENZ,
    L_TORVERHAELTNIS, L_SPIELTAG, L_ERGEBNISSE, L_TABELLE, L_BILANZ, L_KEINE_SAETZE,
    L_SIEGER = 174, L_STATISTIK, L_FINANZEN, L_VOR_DEM_SPIEL, L_HALBZEIT,
    L_EIGENTOR_VON = 181,  // the ticker's own-goal words
};
constexpr i32 L_FINANZ = 0;  // the first finance row (finanz_label)

Ank_Seiten_Hooks H;

const char* label(i32 n) { return Text_cfg_Text(TEXT_REST, n); }
// The label of finance row n: the finance screen's row text.
const char* finanz_label(i32 n) {
    const char* t = n >= 0 && n < FINANZ_ZEILEN ? FINANZ_ZEILE[n].text : "";
    Text_cfg_Aufloesen(&t, TEXT_FINANZ);
    return t ? t : "";
}
Font* font(i32 n) { return Font_Tabelle_Holen(n); }
const char* team_name(i32 team) { return team >= 0 && team < Team_Anzahl ? Team_String(721, team, nullptr, 0) : ""; }
// The competition by the name every screen shows it by (the national cup's
// own name rather than its configured one).
std::string wettbewerb_name(i32 id) { return id >= 0 ? Wettbewerb_Get_Name(id, false) : std::string(); }

// The matchday as the pages name it: a cup's round by its name ("1. Runde",
// "Achtelfinale"), else "n. Spieltag".
std::string runde_text(i32 wettbewerb, i32 spieltag) {
    const std::string n = wettbewerb >= 0 ? Wettbewerb_Get_Runden_Name(wettbewerb, spieltag, 0) : "";
    if (n.size() > 1 && n[0] == '*') {
        const char* t = n.c_str();
        Text_cfg_Aufloesen(&t, TEXT_KALENDER);
        if (t && *t && *t != '*') return t;
    }
    char runde[64];
    std::snprintf(runde, sizeof runde, "%d. %s", spieltag + 1, label(L_SPIELTAG));
    return runde;
}

// The mark of a result after extra time or a shoot-out ("n.V.", "i.E."), "" else.
std::string zusatz_von(const Spielankuendigung& a) {
    if (a.wettbewerb < 0 || a.spieltag < 0 || a.runde < 0 || a.index < 0) return "";
    Spiele_Lock_Halter lock(Spiele_Lock(static_cast<u32>(a.wettbewerb), static_cast<u32>(a.spieltag),
                                        static_cast<u32>(a.runde), static_cast<u32>(a.index)));
    const Spiel* s = lock ? Spiele_Get_Spiel(lock.Handle(), false) : nullptr;
    return s && s->tore_a >= 0 ? Spiele_Ergebnis_Zusatz(s->flags) : "";
}

// Text with markup into a picture; y is the baseline of the first line.
template <class... A>
void text(Rastport* rp, i32 f, i32 x, i32 y, const char* format, A... a) {
    if (Font* ft = font(f)) Font_Printf(rp, ft, format, x, y, a...);
}
void mitte(Rastport* rp, i32 f, u16 farbe, i32 x, i32 y, const char* t) { text(rp, f, 0, y, "^c%05d^tz%04d%s", farbe, x, t); }

Rastport* bild(i32 archiv, i32 eintrag) {
    const i32 slot = Resf_Spiel_Slot(archiv);
    return slot >= 0 ? Resf_Lade_Rastport(slot, eintrag) : nullptr;
}

// Pictures of the archive kept after their first load (a page is built
// from a copy of its background).
struct Bildspeicher {
    i32 eintrag = -1;
    Rastport_Bild bild;
};
Bildspeicher gespeichert[6];

Rastport* gemerkt(i32 eintrag) {
    for (Bildspeicher& b : gespeichert)
        if (b.eintrag == eintrag) return b.bild.get();
    for (Bildspeicher& b : gespeichert)
        if (b.eintrag < 0) {
            b = {eintrag, Rastport_Bild(bild(ARCHIV_SEITEN, eintrag))};
            return b.bild.get();
        }
    return nullptr;
}

// The shadow under a page, loaded (and unpacked) once for the pages queued
// after it.
Rastport_Bild schatten_gemerkt;

Rastport* schatten() {
    if (!schatten_gemerkt) schatten_gemerkt.reset(bild(ARCHIV_GLOBAL, EINTRAG_SCHATTEN));
    return schatten_gemerkt.get();
}

// The picture that held the screen under the page let go last, for the
// next page of the series (a picture of the screen's size is not made anew
// for every page); it goes with the last page queued.
Rastport_Bild unter_vorrat;

void gemerkte_freigeben() {
    for (Bildspeicher& b : gespeichert) {
        b = Bildspeicher{};
    }
    schatten_gemerkt = nullptr;
    unter_vorrat = nullptr;
}

// A page background: a copy of the archive's picture, or a plain panel.
Rastport* hintergrund(i32 eintrag, i32 w, i32 h) {
    const Rastport* vorlage = gemerkt(eintrag);
    if (vorlage) w = vorlage->breite, h = vorlage->hoehe;
    Rastport* rp = Rastport_Neu_Einfach(w, h, 16);
    if (!rp) return nullptr;
    if (vorlage) Blt_Blit(const_cast<Rastport*>(vorlage), 0, 0, -1, -1, rp, 0, 0, Blt_Opt_Standard);
    else Blt_Rechteck(rp, 0, 0, w, h, FARBE_PANEL);
    return rp;
}

void wappen(Rastport* rp, i32 team, i32 x, i32 y, i32 s) {
    if (team >= 0 && team < Team_Anzahl) Wappen_Holen(rp, team, x, y, true, s, s, false, -1);
}

// Head of a page after a match: date, competition and round, crests,
// names and the score (the digit strip for 0..9 goals, else as text).
void kopf(Rastport* rp, const Spielankuendigung& a, const Ank_Nach_Spiel& d) {
    const i32 m = rp->breite / 2;
    mitte(rp, 13, WEISS, m, 78, Kalender_Ist_Initialisiert() ? Kalender_Get_Datum_Text(a.tag, true) : "");
    text(rp, 13, 0, 104, "^c%05d^tz%04d%s, %s", NORMAL, m, wettbewerb_name(d.wettbewerb).c_str(),
         runde_text(d.wettbewerb, a.spieltag).c_str());
    wappen(rp, d.team1, 40, 122, 66);
    wappen(rp, d.team2, rp->breite - 106, 122, 66);
    mitte(rp, 2, NORMAL, m - 180, 210, team_name(d.team1));
    mitte(rp, 2, NORMAL, m + 180, 210, team_name(d.team2));
    Rastport* ziffern = gemerkt(EINTRAG_ZIFFERN);
    const bool strip = ziffern && ziffern->breite >= 2 * ZIFFER_W && ziffern->hoehe >= 10 * ZIFFER_H;
    // The strip has rows for 0..9 goals only: other counts are printed. Its
    // first column is gold, for our side's goals, the second chalk.
    if (strip && d.tore1 >= 0 && d.tore1 <= 9 && d.tore2 >= 0 && d.tore2 <= 9) {
        const auto spalte = [](i32 team) { return H.mensch(team) ? 0 : ZIFFER_W; };
        Blt_Blit(ziffern, spalte(d.team1), d.tore1 * ZIFFER_H, ZIFFER_W, ZIFFER_H, rp, m - ZIFFER_W - 2, 140,
                 Blt_Opt_Transparent);
        Blt_Blit(ziffern, spalte(d.team2), d.tore2 * ZIFFER_H, ZIFFER_W, ZIFFER_H, rp, m + 2, 140,
                 Blt_Opt_Transparent);
    } else {
        text(rp, 3, 0, 164, "^c%05d^tz%04d%d : %d", WERT, m, d.tore1, d.tore2);
    }
    // A tie decided in extra time or on penalties says so under its score.
    if (const std::string z = zusatz_von(a); !z.empty()) mitte(rp, 2, WERT, m, 196, z.c_str());
}

Ank_Nach_Spiel daten_von(const Spielankuendigung& a) { return Ank_Daten_Lesen(a.daten); }

}  // namespace

void Ank_Seiten_Set_Hooks(const Ank_Seiten_Hooks& h) { H = h; }
const Ank_Seiten_Hooks& Ank_Seiten_Get_Hooks() { return H; }

i32 Ank_Zeilen_Pro_Seite(i32 zeilen, i32 maximum) {
    if (zeilen < 10) return std::max(zeilen, 1);
    i32 beste = maximum, rest = zeilen % maximum;
    for (i32 g = maximum; g >= 6; --g)
        if (zeilen % g < rest) beste = g, rest = zeilen % g;
    return beste;
}

// --- Gathering -------------------------------------------------------------------------

std::vector<Ank_Tor> Ank_Tore_Sammeln(i32 wettbewerb, i32 spieltag, i32 runde, i32 index) {
    std::vector<Ank_Tor> tore;
    if (wettbewerb < 0 || spieltag < 0 || runde < 0 || index < 0) return tore;
    Spiele_Lock_Halter lock(Spiele_Lock(static_cast<u32>(wettbewerb), static_cast<u32>(spieltag),
                                        static_cast<u32>(runde), static_cast<u32>(index)));
    const Spiel* s = lock ? Spiele_Get_Spiel(lock.Handle(), false) : nullptr;
    if (!s) return tore;
    Spiele_Ereignisse_Bereit(*s);
    i32 h = 0, g = 0;
    bool schiessen = false;  // the shoot-out has begun: its goals are kicks
    for (u32 e = 0; e < s->ereignis_anzahl; ++e) {
        const u8* bild = Spiele_Ereignis(s->erstes_ereignis + e);
        if (!bild) break;
        const auto r = bytes::aus_bild<spiele_satz::Ereignis>(bild);
        if (r.flags & SFE_ELFMETERSCHIESSEN) schiessen = true;
        if (!(r.flags & SFE_TOR)) continue;
        Ank_Tor t;
        t.fuer_heim = (r.flags & SFE_TEAM_A) != 0;
        (t.fuer_heim ? h : g) += 1;
        t.heim = h, t.gast = g;
        t.name = r.spieler >= 0 ? Spieler_String(63, r.spieler, nullptr, 0) : "";
        t.minute = r.minute + 1;
        t.elfmeterschiessen = schiessen;
        t.eigentor = (r.flags & SFE_EIGENTOR) != 0;
        tore.push_back(std::move(t));
    }
    return tore;
}

std::vector<Ank_Tabellenzeile> Ank_Tabelle_Sammeln(i32 wettbewerb, i32 bis) {
    std::vector<Ank_Tabellenzeile> zeilen;
    const Wettbewerb_Info* info = Wettbewerb_Get_Info(wettbewerb);
    if (!info || (info->modus & 4)) return zeilen;
    static Tabelle t;
    if (!Wettbewerb_Get_Tabellen_Teams(wettbewerb, &t)) return zeilen;
    if (t.zeilen == 0) {
        // Not started yet: its clubs in their order, every figure 0.
        const Wettbewerb* w = Wettbewerb_Get_Zeiger(wettbewerb);
        for (i32 k = 0; w && k < std::min(w->teams, TABELLE_ZEILEN); ++k)
            if (const i32 team = w->aktuelle_team[k]; team >= 0 && team < Team_Anzahl) {
                Ank_Tabellenzeile r;
                r.team = team;
                r.platz = static_cast<i32>(zeilen.size()) + 1;
                zeilen.push_back(r);
            }
        return zeilen;
    }
    Tabelle_Argumente arg;
    arg.wettbewerb = wettbewerb;
    arg.erster_spieltag = 0;
    arg.letzter_spieltag = bis >= 0 ? bis : Ank_Letzter_Spieltag(*info).spieltag;
    Spiele_Get_Tabelle(arg, &t);
    const u32 n = std::min<u32>(t.zeilen, TABELLE_ZEILEN);
    for (u32 rang = 0; rang < n; ++rang) {
        const u32 z = t.reihenfolge[rang];
        if (z >= n) continue;
        Ank_Tabellenzeile r;
        r.team = static_cast<i32>(t.team[z]);
        r.platz = static_cast<i32>(rang) + 1;
        for (u32 k = 0; k < n; ++k)
            if (t.vorherige[k] == z) r.vorher = static_cast<i32>(k) + 1;
        r.spiele = static_cast<i32>(t.spiele[0][z]);
        r.punkte = static_cast<i32>(t.punkte[0][z]);
        r.tore = static_cast<i32>(t.tore[0][z]);
        r.gegentore = static_cast<i32>(t.gegentore[0][z]);
        zeilen.push_back(r);
    }
    return zeilen;
}

Ank_Spieltag Ank_Letzter_Spieltag(const Wettbewerb_Info& w) {
    // The cycle counts the legs played of the current matchday; a finished
    // matchday moves it on with the leg count back at 0.
    if (w.aktuelle_runde > 0) return {w.aktueller_spieltag, w.aktuelle_runde - 1};
    if (w.aktueller_spieltag <= 0) return {};
    return {w.aktueller_spieltag - 1, std::max(w.best_of_x, 1) - 1};
}

std::vector<Ank_Ergebniszeile> Ank_Ergebnisse_Sammeln(i32 wettbewerb, i32 spieltag, i32 runde) {
    std::vector<Ank_Ergebniszeile> zeilen;
    if (wettbewerb < 0 || spieltag < 0 || runde < 0) return zeilen;
    for (u32 i = 0; i < 128; ++i) {
        Spiele_Lock_Halter lock(Spiele_Lock(static_cast<u32>(wettbewerb), static_cast<u32>(spieltag),
                                            static_cast<u32>(runde), i));
        const Spiel* s = lock ? Spiele_Get_Spiel(lock.Handle(), false) : nullptr;
        if (!s) break;
        Ank_Ergebniszeile r;
        r.team_a = s->team_a, r.team_b = s->team_b;
        // The played score; an unplayed game shows no forecast here.
        if (s->tore_a >= 0) r.tore_a = s->tore_a, r.tore_b = s->tore_b;
        Spiele_Get_Tore_Zeitraum(lock.Handle(), 0, 45, &r.halb_a, &r.halb_b);
        r.zusatz = Spiele_Ergebnis_Zusatz(s->flags);
        if (i == 0 && r.tore_a < 0) break;
        zeilen.push_back(std::move(r));
    }
    return zeilen;
}

Ank_Finanzen Ank_Finanzen_Holen(i32 team, i32 gegner, i32 tag) {
    Ank_Finanzen f;
    if (team < 0 || team >= Team_Anzahl) return f;
    // The month of the match: a client's bank has the server's period, which
    // may have begun the next month while its calendar still shows the day.
    i32 zurueck = gegner >= 0 ? Finanz_Periode_Des_Spiels(team, team, gegner) : -1;
    if (zurueck < 0 && tag >= 0 && Kalender_Ist_Initialisiert()) zurueck = std::max(0, Kalender_Monate_Seit(tag));
    f.periode = -std::max(0, zurueck);
    f.tag = tag >= 0 && Kalender_Ist_Initialisiert() ? tag : -1;
    // The finance screen's figures of that month: the same rows, the same totals.
    const Finanz_Summen s = Finanz_Summen_Holen(team, -f.periode);
    for (int i = 0; i < FINANZ_EINNAHMEN; ++i) f.einnahmen[i] = static_cast<double>(s.betrag[i]);
    for (int i = FINANZ_EINNAHMEN; i < FINANZ_ZEILEN; ++i) f.ausgaben[i - FINANZ_EINNAHMEN] = static_cast<double>(s.betrag[i]);
    return f;
}

// --- Pages -------------------------------------------------------------------------------

Rastport* Ank_Seite_Tore(const Spielankuendigung& a, const std::vector<Ank_Tor>& tore) {
    Rastport* rp = hintergrund(166 + ANK_TORE, SEITE_W, SEITE_H);
    if (!rp) return nullptr;
    const Ank_Nach_Spiel d = daten_von(a);
    kopf(rp, a, d);
    const i32 x = 150, w = rp->breite - 2 * x;
    text(rp, 3, 0, 262, "^c%05d^tz%04d%s", WERT, rp->breite / 2, label(L_TORE));
    Blt_Rechteck(rp, x, 272, w, 1, FARBE_KANTE_HELL);
    if (tore.empty()) {
        text(rp, 2, 0, 310, "^c%05d^tz%04d%s", NORMAL, rp->breite / 2, label(L_KEINE_TORE));
        return rp;
    }
    const i32 n = static_cast<i32>(std::min<size_t>(tore.size(), 25));
    const i32 f = n < 12 ? 2 : n <= 16 ? 1 : 9;
    const i32 abstand = n < 12 ? 26 : n <= 16 ? 19 : 12;
    i32 y = n < 12 ? 302 : n <= 16 ? 296 : 290;
    for (i32 i = 0; i < n; ++i, y += abstand) {
        const Ank_Tor& t = tore[static_cast<size_t>(i)];
        // Gold for the goals of our side only.
        const u16 farbe = H.mensch(t.fuer_heim ? d.team1 : d.team2) ? FARBE_GOLD : NORMAL;
        // An own goal names its scorer as the ticker does ("Eigentor von
        // ..."): he plays for the other side.
        const std::string name = t.eigentor ? std::string(label(L_EIGENTOR_VON)) + " " + t.name : t.name;
        // A shoot-out kick carries the shoot-out's mark instead of a minute.
        if (t.elfmeterschiessen)
            text(rp, f, x, y, "^c%05d^tr%04d%d:%d^tl%04d%s^tr%04d%s", farbe, 60, t.heim, t.gast, 90, name.c_str(), w,
                 Spiele_Ergebnis_Zusatz(2));
        else
            text(rp, f, x, y, "^c%05d^tr%04d%d:%d^tl%04d%s^tr%04d%d.", farbe, 60, t.heim, t.gast, 90, name.c_str(), w,
                 t.minute);
    }
    return rp;
}

Rastport* Ank_Seite_Statistik(const Spielankuendigung& a) {
    Rastport* rp = hintergrund(166 + ANK_STATISTIK, SEITE_W, SEITE_H);
    if (!rp) return nullptr;
    const Ank_Nach_Spiel d = daten_von(a);
    kopf(rp, a, d);
    i64 schuesse[2] = {}, zweikampf[2] = {}, besitz[2] = {};
    for (int i = 0; i < 34; ++i) {
        const int s = i < 17 ? 0 : 1;
        const u8* b = d.spieler[i].b;
        schuesse[s] += b[2];
        zweikampf[s] += static_cast<i64>(b[4]) - b[3];
        besitz[s] += b[5];
    }
    const i64 p = besitz[0] + besitz[1] ? besitz[0] * 100 / (besitz[0] + besitz[1]) : 50;
    char zahl[32];
    text(rp, 13, 0, 262, "^c%05d^tz%04d%s %s", NORMAL, rp->breite / 2, label(L_ZUSCHAUER),
         Bank_Zahl_String(zahl, d.zuschauer, 0));
    const i32 m = rp->breite / 2, links = m - 230, rechts = m + 230;
    const i64 werte[4][2] = {{schuesse[0], schuesse[1]}, {d.wert1, d.wert2}, {zweikampf[0], zweikampf[1]}, {p, 100 - p}};
    for (int r = 0; r < 4; ++r) {
        const i32 y = 320 + r * 60;
        Blt_Rechteck(rp, 60, y - 34, rp->breite - 120, 46, FARBE_ZEILE_HELL);
        mitte(rp, 1, NORMAL, m, y - 8, label(r == 3 ? L_BALLBESITZ : L_SCHUESSE + r));
        // A bar of the two shares under the label.
        const i64 s = std::max<i64>(1, std::max<i64>(0, werte[r][0]) + std::max<i64>(0, werte[r][1]));
        const i32 bw = 300, bl = static_cast<i32>(bw * std::max<i64>(0, werte[r][0]) / s);
        Blt_Rechteck(rp, m - bw / 2, y + 2, bl, 4, FARBE_HELLGOLD);
        Blt_Rechteck(rp, m - bw / 2 + bl, y + 2, bw - bl, 4, FARBE_BALKEN_HELL);
        const char* format = r == 3 ? "^c%05d^tz%04d%d%%^tz%04d%d%%" : "^c%05d^tz%04d%d^tz%04d%d";
        text(rp, 3, 0, y + 4, format, WERT, links, static_cast<int>(werte[r][0]), rechts, static_cast<int>(werte[r][1]));
    }
    return rp;
}

Rastport* Ank_Seite_Geld(const Spielankuendigung& a, const Ank_Finanzen& f) {
    Rastport* rp = hintergrund(166 + ANK_GELD, SEITE_W, SEITE_H);
    if (!rp) return nullptr;
    const Ank_Nach_Spiel d = daten_von(a);
    kopf(rp, a, d);
    // The figures are one club's books: its name heads them, income above
    // expenses, each block a table with its total, the balance below.
    const i32 team = a.team_a;
    // The books of one month, named (the finance screen's figures of it).
    mitte(rp, 12, WERT, rp->breite / 2, 258,
          (std::string(label(L_FINANZEN)) + " " +
           (f.tag >= 0 ? Kalender_Monat_Text_Von_Tag(f.tag) : Kalender_Periode_Text(f.periode)) + ": " + team_name(team))
              .c_str());
    const Kit_Spalte spalten[2] = {{"", 8, Kit_Ausrichtung::LINKS}, {"", 512, Kit_Ausrichtung::RECHTS}};
    Kit_Tabelle t;
    t.x = 120, t.w = 520, t.kopf_h = 22, t.zeile_h = 16, t.spalten = spalten, t.anzahl = 2;
    t.kopf_font = font(12), t.font = font(9);
    double summe[2] = {};
    auto block = [&](i32 y, const char* titel, const double* werte, i32 n, i32 erstes_label) {
        Kit_Spalte kopf_spalten[2] = {{titel, 8, Kit_Ausrichtung::LINKS}, {"", 512, Kit_Ausrichtung::RECHTS}};
        t.y = y, t.spalten = kopf_spalten;
        Kit_Tabelle_Kopf(rp, t);
        t.spalten = spalten;
        double& s = summe[erstes_label == L_FINANZ ? 0 : 1];
        for (i32 i = 0; i < n; ++i) {
            s += werte[i];
            const char* zellen[2] = {finanz_label(erstes_label + i), Bank_Geld_String(werte[i], team, -1, 0)};
            Kit_Tabelle_Zeile(rp, t, i, zellen, WEISS);
        }
        const i32 y_summe = Kit_Tabelle_Zeile_Y(t, n);
        Blt_Rechteck(rp, t.x, y_summe, t.w, 1, FARBE_KANTE_HELL);
        if (Font* fs = font(11)) {
            Kit_Text(rp, fs, WEISS, label(L_SUMME), t.x + 8, y_summe + 16);
            Kit_Text_Rechts(rp, fs, WEISS, Bank_Geld_String(s, team, -1, 0), t.x + 512, y_summe + 16);
        }
        return y_summe + 22;
    };
    i32 y = block(268, label(L_EINNAHMEN), f.einnahmen, 4, L_FINANZ);
    y = block(y + 6, label(L_AUSGABEN), f.ausgaben, 7, L_FINANZ + 4);
    const bool verlust = summe[1] > summe[0];
    if (Font* fs = font(12)) {
        const u16 farbe = verlust ? VERLUST : GEWINN;
        Kit_Text(rp, fs, farbe, label(verlust ? L_VERLUST : L_GEWINN), t.x + 8, y + 20);
        Kit_Text_Rechts(rp, fs, farbe,
                        Bank_Geld_String(verlust ? summe[1] - summe[0] : summe[0] - summe[1], team, -1, 0),
                        t.x + 512, y + 20);
    }
    return rp;
}

bool Ank_Heutiges_Spiel(i32 team, Spiel* aus) {
    for (const Spieltag_Slot& r : Spieltag_Slots()) {
        const Spiel* s = r.spiel > 0 ? Spiele_Get_Spiel(r.spiel, false) : nullptr;
        if (s && team >= 0 && (s->team_a == team || s->team_b == team)) {
            *aus = *s;
            return true;
        }
    }
    return false;
}

Rastport* Ank_Seite_Vor_Menue(i32 team1, i32 team2) {
    // Today's fixture decides the opponent and who plays at home.
    Spiel heute{};
    const bool spiel = Spieltag_Initialisiert() && Ank_Heutiges_Spiel(team1, &heute);
    if (spiel) team1 = heute.team_a, team2 = heute.team_b;
    Rastport* rp = hintergrund(EINTRAG_VOR_MENUE, 700, 450);
    if (!rp) return nullptr;
    const i32 m = rp->breite / 2;
    const i32 tag = Kalender_Ist_Initialisiert() ? Kalender_Get_Tag() : 0;
    mitte(rp, 13, WEISS, m, 76, Kalender_Ist_Initialisiert() ? Kalender_Get_Datum_Text(tag, true) : "");
    if (spiel) {
        text(rp, 9, 0, 96, "^c%05d^tz%04d%s, %s", NORMAL, m, wettbewerb_name(heute.wettbewerb).c_str(),
             runde_text(heute.wettbewerb, heute.spieltag).c_str());
    }
    wappen(rp, team1, 24, 106, 66);
    wappen(rp, team2, rp->breite - 90, 106, 66);
    mitte(rp, 14, WEISS, m - 150, 148, team_name(team1));
    mitte(rp, 14, WEISS, m + 150, 148, team_name(team2));
    mitte(rp, 3, WERT, m, 148, ":");
    // The head-to-head from the home side's view and its latest results.
    std::string bilanz, ergebnisse;
    if (Statistik_Bilanz_Text(-1, team1, team2, &bilanz, &ergebnisse, false)) {
        mitte(rp, 9, NORMAL, m, 176, bilanz.c_str());
        mitte(rp, 9, NORMAL, m, 193, ergebnisse.c_str());
    } else {
        char leer[96];
        std::snprintf(leer, sizeof leer, "%s 0 - 0 - 0", label(L_BILANZ));
        mitte(rp, 9, NORMAL, m, 176, leer);
    }
    // Up to three remarks under each club: first for its venue, then any.
    const i32 teams[2] = {team1, team2};
    for (int k = 0; k < 2; ++k) {
        char b[3][256];
        char* p[3] = {b[0], b[1], b[2]};
        i32 n_s = Statistik_Vorschau_Saetze(-1, teams[k], -1, k + 1, 0, p, 3, 256);
        if (n_s < 3) n_s += Statistik_Vorschau_Saetze(-1, teams[k], -1, -1, 0, p + n_s, 3 - n_s, 256);
        i32 y = 212 + k * 112;
        text(rp, 9, 24, y, "^c%05d%s:", H.mensch(teams[k]) ? MENSCH : WEISS, team_name(teams[k]));
        if (n_s == 0) text(rp, 9, 40, y + 18, "^c%05d%s", NORMAL, label(L_KEINE_SAETZE));
        for (i32 i = 0; i < n_s; ++i) text(rp, 9, 40, y + 18 + 17 * i, "^c%05d%s", NORMAL, b[i]);
    }
    return rp;
}

// --- Screens ------------------------------------------------------------------------------

namespace {

// The column header bar over the rows' span.
void kopfbalken(Rastport* ziel, i32 x, i32 w, i32 y) {
    Kit_Fuellen(ziel, x, y, w, 32, KIT_RADIUS_KLEIN, FARBE_KOPFBALKEN, FARBE_PANEL);
    Blt_Rechteck(ziel, x + 8, y + 31, w - 16, 1, FARBE_GOLD);
}

void screen_kopf(Rastport* ziel, i32 wettbewerb, const char* titel, i32 tag) {
    Blt_Rechteck(ziel, 0, 0, 800, 600, FARBE_NAVY);
    if (Kalender_Ist_Initialisiert() && tag < 0) tag = Kalender_Get_Tag();
    mitte(ziel, 14, WEISS, 400, 30, Kalender_Ist_Initialisiert() ? Kalender_Get_Datum_Text(tag, true) : "");
    text(ziel, 13, 0, 62, "^c%05d^tz%04d%s, %s", NORMAL, 400, wettbewerb_name(wettbewerb).c_str(), titel);
}

u16 platz_farbe(i32 wettbewerb, i32 platz) { return Kit_Platz_Farbe(wettbewerb, platz, WEISS); }

}  // namespace

void Ank_Screen_Tabelle_Zeichnen(Rastport* ziel, i32 wettbewerb, const std::vector<Ank_Tabellenzeile>& zeilen,
                                 i32 erste, i32 pro_seite, i32 tag) {
    const i32 y0 = (20 - pro_seite) * 19 / 2 + 125;
    screen_kopf(ziel, wettbewerb, label(L_TABELLE), tag);
    kopfbalken(ziel, TABELLE_X, TABELLE_W, y0 - 50 + 8);
    text(ziel, 11, 0, y0 - 22, "^c%05d^tr0090%s^tl0205%s^tr0460%s^tr0560%s^tz0650%s", KOPF, label(L_PLATZ),
         label(L_VEREIN), label(L_PUNKTE), label(L_DIFFERENZ), label(L_TORVERHAELTNIS));
    const i32 ende = std::min<i32>(erste + pro_seite, static_cast<i32>(zeilen.size()));
    for (i32 i = erste, y = y0 + 18; i < ende; ++i, y += 19) {
        const Ank_Tabellenzeile& r = zeilen[static_cast<size_t>(i)];
        if ((i - erste) % 2 == 0) Blt_Rechteck(ziel, TABELLE_X, y - 15, TABELLE_W, 19, FARBE_ZEILE_HELL);
        char vorher[16];
        if (r.vorher > 0) std::snprintf(vorher, sizeof vorher, "(%d.)", r.vorher);
        else std::snprintf(vorher, sizeof vorher, "(--)");
        const u16 name = H.mensch(r.team) ? MENSCH : WEISS;
        char differenz[16];
        std::snprintf(differenz, sizeof differenz, r.tore == r.gegentore ? "%d" : "%+d", r.tore - r.gegentore);
        text(ziel, 11, 0, y, "^c%05d^tr0090%d.^c%05d^tl0100%s^c%05d^tl0205%s^tr0460%d^tr0560%s^tr0645%d^tz0650:^tl0655%d",
             platz_farbe(wettbewerb, r.platz - 1), r.platz, KOPF, vorher, name, team_name(r.team), r.punkte, differenz,
             r.tore, r.gegentore);
        wappen(ziel, r.team, 172, y - 14, 16);
    }
}

void Ank_Screen_Ergebnisse_Zeichnen(Rastport* ziel, i32 wettbewerb, i32 spieltag,
                                    const std::vector<Ank_Ergebniszeile>& zeilen, i32 erste, i32 pro_seite,
                                    i32 tag) {
    const i32 y0 = (10 - pro_seite) * 38 / 2 + 125;
    screen_kopf(ziel, wettbewerb, runde_text(wettbewerb, spieltag).c_str(), tag);
    kopfbalken(ziel, ERGEBNIS_X, ERGEBNIS_W, y0 - 50 + 8);
    text(ziel, 11, 0, y0 - 22, "^c%05d^tl0042%s^tz0610%s^tz0735%s", KOPF, label(L_ERGEBNISSE), label(L_TORVERHAELTNIS),
         label(L_HALBZEIT));
    const i32 ende = std::min<i32>(erste + pro_seite, static_cast<i32>(zeilen.size()));
    for (i32 i = erste, y = y0 + 24; i < ende; ++i, y += 38) {
        const Ank_Ergebniszeile& r = zeilen[static_cast<size_t>(i)];
        if ((i - erste) % 2 == 0) Blt_Rechteck(ziel, ERGEBNIS_X, y - 26, ERGEBNIS_W, 36, FARBE_ZEILE_HELL);
        auto farbe = [&](i32 t) { return t == r.sieger ? WEISS : H.mensch(t) ? MENSCH : KOPF; };
        wappen(ziel, r.team_a, 8, y - 24, 30);
        wappen(ziel, r.team_b, 310, y - 24, 30);
        text(ziel, 2, 0, y, "^c%05d^tl0042%s^tz0297-^c%05d^tl0345%s", farbe(r.team_a), team_name(r.team_a),
             farbe(r.team_b), team_name(r.team_b));
        if (r.tore_a >= 0)
            text(ziel, 2, 0, y, "^c%05d^tr0600%d^tz0610:^tl0620%d^tl0650%s^c%05d^tr0728(%d^tz0735:^tl0742%d)", WEISS,
                 r.tore_a, r.tore_b, r.zusatz.c_str(), KOPF, r.halb_a, r.halb_b);
        else
            text(ziel, 2, 0, y, "^c%05d^tz0610-:-", KOPF);
    }
}

// --- The page hooks and the screen icons ---------------------------------------------------

namespace {

struct Seite {
    Rastport_Bild bild;
    Rastport_Bild unter;  // the screen under the page
    Rastport* schatten = nullptr;  // the kept shadow (schatten())
    // The screen under the page with the shadow over it, blended once when
    // the page is first shown over its background and copied from then on.
    Rastport_Bild verdeckt;
    i32 x = 0, y = 0;
    // How the page was shown last and the screen's watch after it: found
    // as it was left, nothing drew on the screen since and the page stands
    // as shown.
    u64 gezeigt_stand = 0;
    int gezeigt_stufe = -1;
    bool gezeigt_hintergrund = false;
} S;

struct Screen {
    bool offen = false;
    int modus = 0;
    i32 wettbewerb = -1, spieltag = 0;
    i32 erste = 0, pro_seite = 1;
    std::vector<Ank_Tabellenzeile> tabelle;
    std::vector<Ank_Ergebniszeile> ergebnisse;
    Spielankuendigung a;
} SC;

void seite_loslassen() {
    if (S.bild) H.vor_spiel_free();
    if (S.unter) unter_vorrat = std::move(S.unter);
    S = Seite{};
}

// A page let go; after the last one queued the kept shadow and the
// picture kept for the screen under the next page go too.
void seite_freigeben() {
    seite_loslassen();
    if (Spielankuendigung_Puffer_Leer()) schatten_gemerkt = nullptr, unter_vorrat = nullptr;
}

// One result jingle across a series of pages: the goals page starts it
// afresh, the others only when none is running.
void jingle(bool neu, int effekt = 7, bool exklusiv = true) {
    if (!neu && Spielankuendigung_Jingle()) return;
    Sound_Effekt_Play(effekt, exklusiv);
    Spielankuendigung_Set_Jingle(true);
}

bool seite_bauen(u32 art, const Spielankuendigung& a) {
    seite_loslassen();
    if (art == ANK_TORE) H.stadion_ton_free();
    if (art >= ANK_TORE && art <= ANK_GELD) jingle(art == ANK_TORE);
    switch (art) {
        case ANK_VOR_MENUE: S.bild.reset(Ank_Seite_Vor_Menue(Team_Aktiv, Team_Ansicht)); break;
        case ANK_VOR_SPIEL: S.bild.reset(H.vor_spiel_bild(a)); break;
        case ANK_TORE: S.bild.reset(Ank_Seite_Tore(a, Ank_Tore_Sammeln(a.wettbewerb, a.spieltag, a.runde, a.index))); break;
        case ANK_STATISTIK: S.bild.reset(Ank_Seite_Statistik(a)); break;
        case ANK_GELD: S.bild.reset(Ank_Seite_Geld(a, Ank_Finanzen_Holen(a.team_a, a.team_b, a.tag))); break;
        default: return false;
    }
    if (!S.bild || !Screen_Rastport) return S.bild != nullptr;
    S.x = 400 - S.bild->breite / 2, S.y = 300 - S.bild->hoehe / 2;
    const Rastport* schirm = Screen_Rastport;
    if (unter_vorrat && unter_vorrat->breite == schirm->breite && unter_vorrat->hoehe == schirm->hoehe &&
        unter_vorrat->tiefe() == schirm->tiefe())
        S.unter = std::move(unter_vorrat);
    else S.unter.reset(Rastport_Neu_Einfach(schirm->breite, schirm->hoehe, schirm->tiefe()));
    unter_vorrat = nullptr;
    if (S.unter && !Blt_Blit(Screen_Rastport, 0, 0, -1, -1, S.unter.get(), 0, 0, Blt_Opt_Standard)) S.unter = nullptr;
    S.schatten = schatten();
    return true;
}

void hintergrund_zeigen(bool ganz) {
    if (!S.unter || !Screen_Rastport) return;
    if (ganz) Blt_Blit(S.unter.get(), 0, 0, -1, -1, Screen_Rastport, 0, 0, Blt_Opt_Standard);
    else if (S.bild) Blt_Blit(S.unter.get(), S.x, S.y, S.bild->breite, S.bild->hoehe, Screen_Rastport, S.x, S.y, Blt_Opt_Standard);
}

// The screen under the page shadowed: blended once into a picture of its
// own (kept with the page), each frame after a copy of it. Without room
// for that picture the shadow is blended on the screen as before.
void verdeckt_zeigen() {
    if (!S.schatten) {
        hintergrund_zeigen(true);
        return;
    }
    if (!S.verdeckt && S.unter) {
        S.verdeckt.reset(Rastport_Neu_Einfach(S.unter->breite, S.unter->hoehe, S.unter->tiefe()));
        if (S.verdeckt && Blt_Blit(S.unter.get(), 0, 0, -1, -1, S.verdeckt.get(), 0, 0, Blt_Opt_Standard))
            Blt_Alpha_Prozent_Transparent(S.schatten, 0, 0, S.schatten->breite, S.schatten->hoehe, S.verdeckt.get(),
                                          0, 0, 90);
        else S.verdeckt = nullptr;
    }
    if (S.verdeckt && Blt_Blit(S.verdeckt.get(), 0, 0, -1, -1, Screen_Rastport, 0, 0, Blt_Opt_Standard)) return;
    hintergrund_zeigen(true);
    Blt_Alpha_Prozent_Transparent(S.schatten, 0, 0, S.schatten->breite, S.schatten->hoehe, Screen_Rastport, 0, 0, 90);
}

void seite_zeigen(u32 art, int stufe, bool hintergrund) {
    if (!S.bild || !Screen_Rastport) return;
    // The picture before a match changes with its figures; any other page
    // shown as the frame before showed it, with nothing drawn over it since,
    // stands on the screen as it is.
    if (art != ANK_VOR_SPIEL && S.gezeigt_stand && S.gezeigt_stand == Abdruck_Wache_Stand(Screen_Rastport) &&
        stufe == S.gezeigt_stufe && hintergrund == S.gezeigt_hintergrund)
        return;
    if (art == ANK_VOR_SPIEL) H.vor_spiel_zeichnen(S.bild.get());
    if (hintergrund) verdeckt_zeigen();
    const i32 w = stufe * S.bild->breite / ANK_STUFEN, h = stufe * S.bild->hoehe / ANK_STUFEN;
    const i32 sx = S.bild->breite / 2 - w / 2, sy = S.bild->hoehe / 2 - h / 2;
    if (w > 0 && h > 0) Blt_Blit(S.bild.get(), sx, sy, w, h, Screen_Rastport, S.x + sx, S.y + sy, Blt_Opt_Standard);
    S.gezeigt_stand = Abdruck_Wache_Stand(Screen_Rastport);
    S.gezeigt_stufe = stufe, S.gezeigt_hintergrund = hintergrund;
}

void screen_zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    if (!SC.offen || !ziel) return;
    if (SC.modus == 0) Ank_Screen_Tabelle_Zeichnen(ziel, SC.wettbewerb, SC.tabelle, SC.erste, SC.pro_seite, SC.a.tag);
    else if (SC.modus == 1)
        Ank_Screen_Ergebnisse_Zeichnen(ziel, SC.wettbewerb, SC.spieltag, SC.ergebnisse, SC.erste, SC.pro_seite,
                                       SC.a.tag);
    else {
        screen_kopf(ziel, SC.wettbewerb, label(L_SIEGER), SC.a.tag);
        if (Rastport* p = Menue_Get_Slave_Rastport(static_cast<u32>(
                (Wettbewerb_Get_Info(SC.wettbewerb) ? Wettbewerb_Get_Info(SC.wettbewerb)->grafik_nummer : 0) + GRAFIK_POKAL)))
            Blt_Blit(p, 0, 0, -1, -1, ziel, 400 - p->breite / 2, 130, Blt_Opt_Transparent);
        if (Kalender_Ist_Initialisiert())
            text(ziel, 11, 0, 84, "^c%05d^tz0400%s %d", NORMAL, wettbewerb_name(SC.wettbewerb).c_str(),
                 static_cast<int>(Kalender_Get_Datum_Von_Tag(-1, true).jahr));
        wappen(ziel, SC.a.team_a, 367, 400, 66);
        mitte(ziel, 14, WERT, 400, 500, team_name(SC.a.team_a));
    }
}

void knopf_zeichnen(Screen_Icon* i, Rastport* ziel, i32 x, i32 y, i32 beschriftung) {
    Kit_Knopf(ziel, font(11), label(beschriftung), x, y, i->w, i->h, Kit_Zustand_Von(i));
}
void hoch_zeichnen(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) { knopf_zeichnen(i, ziel, x, y, L_HOCH); }
void runter_zeichnen(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) { knopf_zeichnen(i, ziel, x, y, L_RUNTER); }
void zu_zeichnen(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) { knopf_zeichnen(i, ziel, x, y, L_ZU); }

void knoepfe_setzen() {
    const i32 n = SC.modus == 0 ? static_cast<i32>(SC.tabelle.size()) : static_cast<i32>(SC.ergebnisse.size());
    if (Screen_Icon* hoch = Menue_Screen_Icon_Aus_Nummer(ICON_ANK_HOCH))
        hoch->status = SC.erste == 0 ? (hoch->status | MENUE_S_GRAU) : (hoch->status & ~MENUE_S_GRAU);
    if (Screen_Icon* runter = Menue_Screen_Icon_Aus_Nummer(ICON_ANK_RUNTER))
        runter->status =
            SC.erste + SC.pro_seite >= n ? (runter->status | MENUE_S_GRAU) : (runter->status & ~MENUE_S_GRAU);
}

void screen_schliessen() {
    for (i32 n : {ICON_ANK_RAHMEN, ICON_ANK_HOCH, ICON_ANK_RUNTER, ICON_ANK_ZU, ICON_ANK_SIEGER, ICON_ANK_SIEGER_ZU})
        Menue_Screen_Icon_Loeschen(n);
    SC.offen = false;
    SC.tabelle.clear();
    SC.ergebnisse.clear();
    H.hauptmenue();
    Spielankuendigung_Screen_Schliessen();
}

bool geklickt(u32 ereignis) { return (ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS)) != 0; }
void hoch_klick(Screen_Icon*, u32 ereignis) {
    if (geklickt(ereignis)) Ank_Screen_Blaettern(-1);
}
void runter_klick(Screen_Icon*, u32 ereignis) {
    if (geklickt(ereignis)) Ank_Screen_Blaettern(1);
}
void zu_klick(Screen_Icon*, u32 ereignis) {
    if (geklickt(ereignis)) screen_schliessen();
}

}  // namespace

bool Ank_Screen_Oeffnen(int modus, const Spielankuendigung& a) {
    if (SC.offen) return true;
    SC = Screen{};
    SC.modus = modus, SC.a = a, SC.wettbewerb = a.wettbewerb;
    const Wettbewerb_Info* info = Wettbewerb_Get_Info(a.wettbewerb);
    const Ank_Spieltag zuletzt = info ? Ank_Letzter_Spieltag(*info) : Ank_Spieltag{a.spieltag, a.runde};
    SC.spieltag = zuletzt.spieltag;
    i32 n = 1;
    if (modus == 0) n = static_cast<i32>((SC.tabelle = Ank_Tabelle_Sammeln(a.wettbewerb)).size());
    else if (modus == 1) {
        SC.ergebnisse = Ank_Ergebnisse_Sammeln(a.wettbewerb, zuletzt.spieltag, zuletzt.runde);
        n = static_cast<i32>(SC.ergebnisse.size());
    }
    if (n == 0) return false;
    SC.pro_seite = modus == 2 ? 1 : Ank_Zeilen_Pro_Seite(n, modus == 0 ? 20 : 10);
    SC.offen = true;
    // The screen's procedures only draw: its frames are kept while they do
    // not change.
    for (Icon_Zeichen_Prozedur p : {&screen_zeichnen, &hoch_zeichnen, &runter_zeichnen, &zu_zeichnen})
        Menue_Reiner_Zeichner(p);
    Menue_Screen_Icons_Loeschen_Bereich(5, -9999, -9999, 9999, 9999);
    Screen_Icon rahmen;
    rahmen.nummer = static_cast<i16>(modus == 2 ? ICON_ANK_SIEGER : ICON_ANK_RAHMEN);
    rahmen.w = 800, rahmen.h = 600;
    rahmen.zeichnen = screen_zeichnen;
    rahmen.flags = MENUE_F_NICHT_ABFRAGEN;
    Menue_Screen_Icon_Hinzufuegen(rahmen);
    // Each button with its own procedures: up, down, close (the winners
    // screen has only its close button).
    const struct {
        i32 nummer;
        Icon_Klick_Prozedur klick;
        Icon_Zeichen_Prozedur zeichnen;
    } knoepfe[3] = {{ICON_ANK_HOCH, hoch_klick, hoch_zeichnen},
                    {ICON_ANK_RUNTER, runter_klick, runter_zeichnen},
                    {ICON_ANK_ZU, zu_klick, zu_zeichnen}};
    for (int k = 0; k < (modus == 2 ? 1 : 3); ++k) {
        Screen_Icon b;
        b.nummer = static_cast<i16>(modus == 2 ? ICON_ANK_SIEGER_ZU : knoepfe[k].nummer);
        b.x = static_cast<i16>(modus == 2 ? 340 : 160 + k * 170), b.y = 548, b.w = 140, b.h = 30;
        b.ebene = 1;
        b.klick = modus == 2 ? zu_klick : knoepfe[k].klick;
        b.zeichnen = modus == 2 ? zu_zeichnen : knoepfe[k].zeichnen;
        Menue_Screen_Icon_Hinzufuegen(b);
    }
    Menue_Set_Rechtsklick_Icon(modus == 2 ? ICON_ANK_SIEGER_ZU : ICON_ANK_ZU);
    if (modus == 2) jingle(true, 19, false);
    else jingle(false);
    knoepfe_setzen();
    return true;
}

bool Ank_Screen_Offen() { return SC.offen; }

void Ank_Screen_Blaettern(i32 richtung) {
    const i32 n = SC.modus == 0 ? static_cast<i32>(SC.tabelle.size()) : static_cast<i32>(SC.ergebnisse.size());
    SC.erste = std::clamp(SC.erste + richtung * SC.pro_seite, 0, std::max(0, n - SC.pro_seite));
    knoepfe_setzen();
}

void Ank_Seiten_Free() {
    seite_freigeben();
    gemerkte_freigeben();
    SC = Screen{};
}

Ankuendigung_Hooks Ank_Seiten_Ankuendigung_Hooks() {
    return Ankuendigung_Hooks{
        .seite_bauen = seite_bauen,
        .seite_zeigen = seite_zeigen,
        .hintergrund_zeigen = hintergrund_zeigen,
        .seite_freigeben = seite_freigeben,
        .screen_oeffnen = Ank_Screen_Oeffnen,
        .screen_offen = Ank_Screen_Offen,
        .effekt = [](int, bool) {},
        .maus_rechts_sperre = [] {},
    };
}

// The start screen: four large buttons (new game, continue, load, the data
// editor) and the network switch; a client also gets the server address,
// the server search and the connection test.
#include <cstdio>
#include <cstring>

#include "base/files.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "base/random.h"
#include "base/ruf.h"
#include "base/spielstand.h"
#include "base/settings.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/eingabe.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "platform/input.h"
#include "screens/club/spielstand.h"
#include "screens/start/spielstart.h"
#include "screens/start/start_intern.h"
#include "season/kalender_lauf.h"
#include "season/wettbewerb_config.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/team.h"
#include "world/welt.h"
#include "world/welt_pruefen.h"

Spielstart_Slot Spielstart_Slots[SPIELSTART_SLOTS];

namespace {

Spielstart_Zustand zustand;
Spielstart_Netz netz;
bool erster_aufruf = true;
char adresse_text[201] = {};  // the address field's buffer while it is edited

constexpr u32 KNOPF = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD;

// The big buttons' shape; each one's label is its own text (105..108; the
// others' in user word 0).
constexpr Kit_Bildknopf_Def GROSS{.grafik = GRAFIK_START_KNOPF,
                                  .gedrueckt = GRAFIK_START_KNOPF_GEDRUECKT,
                                  .x = START_KNOPF_X,
                                  .w = 280,
                                  .h = 80,
                                  .ebene = 1};
constexpr Kit_Bildknopf_Def KLEIN{.ebene = 2};

constexpr auto TABELLE = Icon_Tabelle_Bauen<Icon_Besitzer::SPIELSTART>({
    Kit_Bildknopf(GROSS, {.nummer = ICON_START_NEU,
                          .y = START_ZEILE_Y[0],
                          .klick = Spielstart_Neu_Klick,
                          .zeichnen = Spielstart_Neu_Zeichnen}),
    Kit_Bildknopf(GROSS, {.nummer = ICON_START_WEITER,
                          .y = START_ZEILE_Y[1],
                          .klick = Spielstart_Weiter_Klick,
                          .zeichnen = Spielstart_Knopf_Zeichnen,
                          .wort = {108, 0}}),
    Kit_Bildknopf(GROSS, {.nummer = ICON_START_LADEN,
                          .y = START_ZEILE_Y[2],
                          .klick = Spielstart_Laden_Oeffnen_Klick,
                          .zeichnen = Spielstart_Knopf_Zeichnen,
                          .wort = {107, 0}}),
    Kit_Bildknopf(GROSS, {.nummer = ICON_START_EDITOR,
                          .y = START_ZEILE_Y[3],
                          .klick = Spielstart_Editor_Klick,
                          .zeichnen = Spielstart_Knopf_Zeichnen,
                          .wort = {106, 0}}),
    Kit_Bildknopf(KLEIN, {.nummer = ICON_START_NETZ,
                          .grafik = GRAFIK_START_NETZ,
                          .gedrueckt = GRAFIK_START_NETZ_AN,
                          .an = GRAFIK_START_NETZ_AN,
                          .x = 160,
                          .y = 528,
                          .w = 480,
                          .h = 24,
                          .klick = Spielstart_Netz_Klick,
                          .zeichnen = Spielstart_Netz_Zeichnen,
                          .status = KNOPF | MENUE_S_AN}),
    Kit_Bildknopf(KLEIN, {.nummer = ICON_START_ROLLE,
                          .grafik = GRAFIK_START_ROLLE,
                          .gedrueckt = GRAFIK_START_ROLLE_AN,
                          .an = GRAFIK_START_ROLLE_AN,
                          .x = START_KNOPF_X,
                          .y = 492,
                          .w = 280,
                          .h = 24,
                          .klick = Spielstart_Rolle_Klick,
                          .zeichnen = Spielstart_Rolle_Zeichnen,
                          .status = KNOPF | MENUE_S_AN | MENUE_S_VERSTECKT}),
    {.nummer = ICON_START_SUCHEN,
     .grafik = GRAFIK_START_KNOPF,
     .grafik_an = GRAFIK_START_KNOPF_GEDRUECKT,
     .grafik_gedrueckt = GRAFIK_START_KNOPF_GEDRUECKT,
     .x = START_KNOPF_X,
     .y = START_ZEILE_Y[2],
     .status = KNOPF | MENUE_S_AN | MENUE_S_VERSTECKT,
     .klick = Spielstart_Suchen_Klick,
     .zeichnen = Spielstart_Suchen_Zeichnen,
     .ebene = 1,
     .w = 280,
     .h = 80},
    Kit_Bildknopf(KLEIN, {.nummer = ICON_START_STOPP,
                          .grafik = GRAFIK_START_STOPP,
                          .gedrueckt = GRAFIK_START_STOPP_GEDRUECKT,
                          .an = GRAFIK_START_STOPP_GEDRUECKT,
                          .x = 548,
                          .y = 376,
                          .w = 80,
                          .h = 24,
                          .klick = Spielstart_Stopp_Klick,
                          .zeichnen = Spielstart_Stopp_Zeichnen,
                          .status = KNOPF | MENUE_S_VERSTECKT}),
    Kit_Bildknopf(KLEIN, {.nummer = ICON_START_ADRESSE,
                          .grafik = GRAFIK_START_KLEIN,
                          .gedrueckt = GRAFIK_START_KLEIN_GEDRUECKT,
                          .an = GRAFIK_START_KLEIN_GEDRUECKT,
                          .x = START_KNOPF_X,
                          .y = 446,
                          .w = 128,
                          .h = 24,
                          .klick = Spielstart_Adresse_Klick,
                          .zeichnen = Spielstart_Adresse_Zeichnen,
                          .status = KNOPF | MENUE_S_AN | MENUE_S_VERSTECKT}),
    {.nummer = ICON_START_FELD,
     .grafik = GRAFIK_START_FELD,
     .x = 396,
     .y = 446,
     .status = MENUE_S_TRANSPARENT | MENUE_S_VERSTECKT,
     .klick = Spielstart_Adresse_Klick,
     .zeichnen = Spielstart_Feld_Zeichnen,
     .ebene = 5,
     .w = 144,
     .h = 24},
    Kit_Bildknopf(GROSS, {.nummer = ICON_START_PRUEFEN,
                          .y = START_ZEILE_Y[1],
                          .klick = Spielstart_Pruefen_Klick,
                          .zeichnen = Spielstart_Pruefen_Zeichnen,
                          .status = KNOPF | MENUE_S_VERSTECKT}),
});

const char* text(i32 n) { return Text_cfg_Text(TEXT_ZUSATZ, n); }

bool an(i32 icon) { return Menue_Icon_Zustand(icon) != 0; }
void setzen(i32 icon, bool wert) { Menue_Icon_Zustand_Setzen(icon, wert ? 1 : 0); }

i64 adresse_summe(const i32 a[4]) {
    return static_cast<i64>(a[0]) + static_cast<i64>(a[1]) * 1000 + static_cast<i64>(a[2]) * 1000000 +
           static_cast<i64>(a[3]) * 1000000000;
}

// The big buttons' label, centred.
void gross_text(Rastport* ziel, i32 x, i32 y, const char* t, u16 farbe) {
    Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::UEBERSCHRIFT), farbe, x, y + 50, Kit_Schein::GLATT,
                      {Kit_Ausrichtung::MITTE, 140}, "%s", t);
}
void klein_text(Rastport* ziel, i32 x, i32 y, i32 w, const char* t, u16 farbe) {
    Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::KNOPF), farbe, x, y + 17, Kit_Schein::GLATT,
                      {Kit_Ausrichtung::MITTE, w / 2}, "%s", t);
}

}  // namespace

Spielstart_Zustand& Spielstart_Get_Zustand() { return zustand; }
Spielstart_Netz& Spielstart_Get_Netz() { return netz; }

void Spielstart_Zuruecksetzen() {
    zustand = {};
    netz = {};
    erster_aufruf = true;
    std::memset(Spielstart_Slots, 0, sizeof Spielstart_Slots);
    Spielstart_Wizard_Zuruecksetzen();
}

Screen_Def Spielstart_Screen_Def() {
    return {.name = "Spielstart",
            .icons = Icon_Besitzer::SPIELSTART,
            .rahmen = ICON_START_NEU,
            .oeffnen = Spielstart_Screen_Init,
            .schliessen = [] { Menue_Screen_Icon_Tabelle_Loeschen(TABELLE.daten()); }};
}

bool Spielstart_Pruefen(int, u8* spieler_ok) {
    if (erster_aufruf) {
        erster_aufruf = false;
        Menue_Set_Hintergrund(Kit_Bild(GRAFIK_START_HINTERGRUND), 0);
        for (i32& t : zustand.verwaltet) t = -1;
        for (Spielstart_Slot& s : Spielstart_Slots) s = {.name = {}, .land = -1, .liga = -1, .team = -1, .gesicht = -1, .behalten = 0};
        i32 n = 0;
        for (i32 t = 0; t < Team_Anzahl && n < SPIELSTART_SLOTS; ++t)
            if (Team_Hat_Manager(t)) zustand.verwaltet[n++] = t;
        Team_Ansicht = -1;
        Team_Auswaerts = 0;
        Aktuelles_Team = Team_Aktiv = Team_Transfermarkt;
        // The server last joined, as the address to join.
        char gemerkt[64] = "";
        i32 teile[4];
        if (W32_Registry_Read(SETTING_SERVER_ADRESSE, gemerkt, sizeof gemerkt) && Tools_IP_Parsen(gemerkt, teile))
            for (i32 i = 0; i < 4; ++i) netz.adresse[i] = teile[i];
        Spielstart_Marktmanager_Anlegen();
        ruf::Als_Einzel();
        Spielstart_Screen_Init();
        // The world a new game reads (set 1) and its competitions are read and
        // its files checked on workers while the player chooses, so that the click that starts
        // the game does not.
        Welt_Vorab_Lesen(0);
        Wettbewerb_Config_Vorab_Lesen(0, 0);
        Welt_Ordner_Vorab_Pruefen(W32_Dir_Tabelle[W32_DIR_CONFIG], 0);
    }
    if (spieler_ok) *spieler_ok = zustand.spieler_ok ? 1 : 0;
    // A game loaded from the start screen brings its own managers; a save
    // without them must not keep the placeholder on the market.
    if (Spielstart_Beendet != 0) Spielstart_Marktmanager_Entfernen();
    return Spielstart_Beendet != 0;
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
bool Spielstart_Ist_Beendet() { return Spielstart_Beendet != 0; }
// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
void Spielstart_Set_Beendet() { Spielstart_Beendet = 1; }

void Spielstart_Screen_Init() {
    Menue_Screen_Icons_Loeschen_Bereich(BEREICH_AUCH_BLEIBENDE, 0, 0, 799, 599);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(TABELLE.daten());
    Menue_Set_Hintergrund(Kit_Bild(GRAFIK_START_HINTERGRUND), 0);
    if (Spielstand_Get_Letzter() < 0) Start_Grau(ICON_START_WEITER, true);
    // A switch left on (back from the load screen) shows its controls again.
    if (an(ICON_START_NETZ)) {
        setzen(ICON_START_NETZ, false);
        Spielstart_Netz_Klick(nullptr, MENUE_E_LINKS);
    }
    Blt_Cache_Leeren();
}

void Start_Zeigen(i32 icon, bool zeigen) {
    if (Screen_Icon* i = Kit_Icon(icon))
        i->status = zeigen ? i->status & ~MENUE_S_VERSTECKT : i->status | MENUE_S_VERSTECKT;
}
void Start_Grau(i32 icon, bool grau) {
    if (Screen_Icon* i = Kit_Icon(icon)) i->status = grau ? i->status | MENUE_S_GRAU : i->status & ~MENUE_S_GRAU;
}

void Spielstart_Netz_Icons() {
    const bool client = !ruf::Server();
    for (i32 i : {ICON_START_SUCHEN, ICON_START_ADRESSE, ICON_START_FELD, ICON_START_PRUEFEN}) Start_Zeigen(i, client);
    for (i32 i : {ICON_START_WEITER, ICON_START_LADEN}) Start_Zeigen(i, !client);
    if (!client) Start_Zeigen(ICON_START_STOPP, false);
    Blt_Cache_Leeren();
}

void Spielstart_Netz_Klick(Screen_Icon*, u32) {
    const bool jetzt = !an(ICON_START_NETZ);
    setzen(ICON_START_NETZ, jetzt);
    if (!jetzt) {
        for (i32 i : {ICON_START_WEITER, ICON_START_LADEN, ICON_START_EDITOR}) Start_Zeigen(i, true);
        for (i32 i : {ICON_START_SUCHEN, ICON_START_STOPP, ICON_START_ADRESSE, ICON_START_FELD, ICON_START_PRUEFEN,
                      ICON_START_ROLLE})
            Start_Zeigen(i, false);
        netz.suche_laeuft = netz.suche_verlangt = false;
        setzen(ICON_START_SUCHEN, false);
        setzen(ICON_START_ADRESSE, false);
        Eingabefeld_Free();
        ruf::Als_Einzel();
    } else {
        Start_Zeigen(ICON_START_EDITOR, false);
        // The server or client choice is shown with the switch, so either role can be chosen.
        Start_Zeigen(ICON_START_ROLLE, true);
        ruf::Als_Netz(an(ICON_START_ROLLE));
        Spielstart_Netz_Icons();
    }
    Blt_Cache_Leeren();
}

void Spielstart_Rolle_Klick(Screen_Icon*, u32) {
    if (!an(ICON_START_NETZ)) return;
    setzen(ICON_START_ROLLE, !an(ICON_START_ROLLE));
    ruf::Als_Netz(an(ICON_START_ROLLE));
    if (ruf::Server()) {
        netz.suche_laeuft = netz.suche_verlangt = false;
        setzen(ICON_START_SUCHEN, false);
        setzen(ICON_START_ADRESSE, false);
        Eingabefeld_Free();
    }
    Spielstart_Netz_Icons();
}

void Spielstart_Suchen_Klick(Screen_Icon*, u32) {
    setzen(ICON_START_SUCHEN, true);
    netz.gefunden = false;
    Start_Zeigen(ICON_START_STOPP, true);
    netz.test = -1;
    netz.oktett = 255;
    netz.suche_verlangt = true;
}

void Spielstart_Adresse_Klick(Screen_Icon*, u32) {
    const bool jetzt = !an(ICON_START_ADRESSE);
    setzen(ICON_START_ADRESSE, jetzt);
    if (jetzt) Spielstart_Adresse_Text(netz.adresse, adresse_text, sizeof adresse_text);
    else Eingabefeld_Free();
    Blt_Cache_Leeren();
}

void Spielstart_Stopp_Klick(Screen_Icon*, u32) {
    Start_Zeigen(ICON_START_STOPP, false);
    setzen(ICON_START_SUCHEN, false);
    netz.suche_laeuft = netz.suche_verlangt = false;
}

void Spielstart_Pruefen_Klick(Screen_Icon*, u32) {
    netz.test = Screens_Hooks_Holen().server_pruefen(netz.adresse, true) == 1 ? 1 : 0;
    Blt_Cache_Leeren();
}

void Spielstart_Weiter_Klick(Screen_Icon* icon, u32) {
    if (icon && (icon->status & MENUE_S_GRAU)) return;
    const i32 slot = Spielstand_Get_Letzter();
    if (slot >= 0) K_NEUER_TAG(KALENDER_LADEN, slot);
}

void Spielstart_Laden_Oeffnen_Klick(Screen_Icon*, u32) {
    Disk_Screen_Set_Gewaehlt(-1);
    Screen_Oeffnen_Darueber(Screen_Id::LADEN);
    if (Screen_Icon* i = Kit_Icon(ICON_LADEN_KNOPF)) i->klick = Spielstart_Laden_Klick;
    if (Screen_Icon* i = Kit_Icon(ICON_LADEN_ABBRECHEN)) i->klick = Spielstart_Laden_Zurueck_Klick;
}

void Spielstart_Laden_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    Disk_Screen_Slots_Aktualisieren();
    if (Disk_Screen_Gewaehlt() < 0) {
        Meldung_Printf("%s", Text_cfg_Text(TEXT_DISK, 10));
        return;
    }
    K_NEUER_TAG(KALENDER_LADEN, Disk_Screen_Gewaehlt());
}

void Spielstart_Laden_Zurueck_Klick(Screen_Icon*, u32) {
    // The load screen closes, the start screen stays.
    Screen_Schliessen(Screen_Id::LADEN);
    Spielstart_Screen_Init();
}

void Spielstart_Editor_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis && !(ereignis & MENUE_E_LINKS)) return;
    // The editor works on this machine's world only.
    if (!ruf::Einzel()) return;
    // The world of a new game, its club 1 the one shown first; no manager is
    // made and the set-up stays unfinished.
    if (!Spielstart_Neues_Spiel()) return;
    // The first ordinary club is the active one while the editor is up.
    i32 verein = 0;
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if (Team_Ist_Verein(t)) {
            verein = t;
            break;
        }
    Aktuelles_Team = Team_Aktiv = verein;
    Screen_Schliessen(Screen_Id::SPIELSTART);
    Screen_Oeffnen(Screen_Id::EDITOR);
}

void Spielstart_Adresse_Text(const i32 a[4], char* aus, i32 groesse) {
    if (!aus || groesse < 1) return;
    aus[0] = 0;
    i32 pos = 0;
    for (i32 i = 0; i < 4; ++i) {
        if (a[i] < 0) continue;
        const i32 n = std::snprintf(aus + pos, static_cast<size_t>(groesse - pos), "%s%d", pos ? "." : "", a[i]);
        if (n < 0 || pos + n >= groesse) break;
        pos += n;
    }
}

void Spielstart_Suche_Schritt() {
    const Screens_Hooks& h = Screens_Hooks_Holen();
    if (!netz.suche_laeuft && !netz.suche_verlangt) {
        h.suche_starten(netz.adresse);
        netz.oktett = 255;
        netz.suche_laeuft = true;
    }
    netz.suche_verlangt = false;
    if (!netz.suche_laeuft) return;
    u8 offen[256] = {};
    i32 adresse[4] = {netz.adresse[0], netz.adresse[1], netz.adresse[2], netz.adresse[3]};
    const i32 n = h.suche_stand(adresse, offen);
    // The shown octet flickers through the addresses still open: decoration,
    // from the decoration generator so the game's random table stays untouched.
    if (n > 0 && Rnd_Deko_Von_Bis(0, (255 - n) / 8) == 0) netz.oktett = offen[Rnd_Deko_Von_Bis(0, n - 1)];
    if (n < 1) {
        if (n == -1) {
            for (i32 i = 0; i < 4; ++i) netz.adresse[i] = adresse[i];
            netz.gefunden = true;
            netz.test = 1;
        }
        netz.suche_laeuft = false;
        setzen(ICON_START_SUCHEN, false);
        Start_Zeigen(ICON_START_STOPP, false);
        Blt_Cache_Leeren();
    }
}

void Spielstart_Neu_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y) {
    Kit_Ueber(ziel, icon);
    gross_text(ziel, x, y, text(ruf::Client() ? 137 : 105), FARBE_WEISS);
}

// The editor, load and continue: each its own text (106..108, in user word
// 0), whatever row it stands in.
void Spielstart_Knopf_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y) {
    if (!icon) return;
    Kit_Ueber(ziel, icon);
    gross_text(ziel, x, y, text(static_cast<i32>(icon->user[0])),
               (icon->status & MENUE_S_GRAU) ? FARBE_GRAU : FARBE_WEISS);
}

void Spielstart_Netz_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y) {
    if (!icon) return;
    if (!an(ICON_START_NETZ)) {
        klein_text(ziel, x, y, icon->w, text(127), FARBE_HELL);
    } else {
        u8 a[4] = {};
        Screens_Hooks_Holen().lokale_adresse(a);
        char t[120];
        std::snprintf(t, sizeof t, "%s %s %d.%d.%d.%d", text(128), text(133), a[0], a[1], a[2], a[3]);
        klein_text(ziel, x, y, icon->w, t, FARBE_WEISS);
    }
    // The hint under the switch.
    Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::TEXT), FARBE_HELL, x, y + 44, Kit_Schein::GLATT,
                      {Kit_Ausrichtung::MITTE, icon->w / 2}, "%s", text(an(ICON_START_NETZ) ? 145 : 144));
}

void Spielstart_Rolle_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y) {
    if (!icon) return;
    const bool server = an(ICON_START_ROLLE);
    klein_text(ziel, x, y, icon->w, text(server ? 132 : 131), server ? FARBE_GEWAEHLT : FARBE_WEISS);
}

void Spielstart_Suchen_Zeichnen(Screen_Icon*, Rastport* ziel, i32 x, i32 y) {
    if (!an(ICON_START_SUCHEN)) {
        gross_text(ziel, x, y, text(129), FARBE_WEISS);
        return;
    }
    char t[80];
    std::snprintf(t, sizeof t, "%s (%d)", text(130), netz.oktett);
    gross_text(ziel, x, y, t, FARBE_GEWAEHLT);
    Spielstart_Suche_Schritt();
}

void Spielstart_Adresse_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y) {
    if (icon) klein_text(ziel, x, y, icon->w, text(135), FARBE_WEISS);
}

void Spielstart_Feld_Zeichnen(Screen_Icon*, Rastport* ziel, i32 x, i32 y) {
    if (!an(ICON_START_ADRESSE)) {
        char t[64];
        Spielstart_Adresse_Text(netz.adresse, t, sizeof t);
        Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::KNOPF), FARBE_HELL, x + 8, y + 17, "%s", t);
    } else {
        const i32 r =
            Eingabefeld_Bearbeiten(Kit_Font(Kit_Schrift::KNOPF), adresse_text, sizeof adresse_text, 200, EINGABE_ZAHL,
                                   x + 8, y + 2, 130, 20, 0, 0, nullptr, 0, 0, nullptr, FARBE_WEISS);
        // Only a whole dotted address replaces the one kept.
        i32 teile[4];
        if (Tools_IP_Parsen(adresse_text, teile))
            for (i32 i = 0; i < 4; ++i) netz.adresse[i] = teile[i];
        if (r == EINGABE_FERTIG) {
            setzen(ICON_START_ADRESSE, false);
            Eingabefeld_Free();
        }
    }
    const i64 summe = adresse_summe(netz.adresse);
    if (summe != netz.summe) {
        netz.test = -1;
        netz.summe = summe;
    }
}

void Spielstart_Stopp_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y) {
    if (icon) klein_text(ziel, x, y, icon->w, text(134), FARBE_WEISS);
}

void Spielstart_Pruefen_Zeichnen(Screen_Icon*, Rastport* ziel, i32 x, i32 y) {
    char t[120];
    const char* ende = netz.test < 0 ? "???" : netz.test ? "Ok." : "Fehler.";
    std::snprintf(t, sizeof t, "%s: %s", text(136), ende);
    gross_text(ziel, x, y, t, netz.test < 0 ? FARBE_WEISS : netz.test ? FARBE_KLASSE_1 : FARBE_FEHLER);
}

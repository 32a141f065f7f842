#include "screens/club/optionen.h"

#include <cstdio>
#include <string>

#include "base/globals.h"
#include "base/meldung.h"
#include "base/ruf.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/sound.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "platform/input.h"
#include "screens/start/spielstart.h"
#include "screens/teile/scroll.h"
#include "season/kalender_lauf.h"
#include "season/optionen.h"
#include "world/manager.h"
#include "world/modi.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

// Option numbers the screen treats specially.
constexpr i32 OPTION_ZUGZEIT = 0;       // a manager's turn limit in ms (0: none)
constexpr i32 OPTION_NETZ_SERVER = 21;  // this game is open as a network server
constexpr i32 OPTION_HILFE = 40;
constexpr i32 ZUGZEIT_SCHRITT = 60000, ZUGZEIT_MAX = 600000;
constexpr i32 NETZ_SERVER_AN = 3;

// Texts of the screen's section.
enum : i32 {
    T_SCHLIESSEN = 1,
    T_TITEL = 3,
    T_NETZ_EIN_MANAGER = 25,
    T_NETZ_GEOEFFNET = 26,
    T_NETZ_GESCHLOSSEN = 27,
    T_CLIENT_UNBEGRENZT = 33,
};
constexpr i32 T_PILO_SERVER_FEHLT = 142;  // section PILO_ZUSATZ

// Geometry of the list.
constexpr i32 LISTE_X0 = 30, LISTE_X1 = 651, LISTE_Y0 = 184, LISTE_Y1 = 450, ZEILEN_OBEN = 181;
constexpr i32 KNOPF_Y_MIN = 186, KNOPF_Y_MAX = 424;

enum class Art : u8 { KOPF, LEER, OPTION };
struct Zeile {
    const char* id;  // "*n" of the screen's section
    i32 option;
    Art art;
};
constexpr Zeile ZEILEN[OPTIONEN_ZEILEN] = {
    {"*20", -1, Art::KOPF},   {"*4", 0, Art::OPTION},   {"*15", 19, Art::OPTION},
    {"*16", 24, Art::OPTION}, {"*24", 21, Art::OPTION}, {"*32", OPTION_CLIENT_ZUGZEIT, Art::OPTION},
    {nullptr, -1, Art::LEER}, {"*21", -1, Art::KOPF},   {"*17", 40, Art::OPTION},
    {"*19", 42, Art::OPTION}, {"*23", 43, Art::OPTION}, {nullptr, -1, Art::LEER},
    {"*22", -1, Art::KOPF},   {"*5", 4, Art::OPTION},   {"*6", 5, Art::OPTION},
    {"*7", 8, Art::OPTION},   {"*8", 11, Art::OPTION},  {"*9", 12, Art::OPTION},
    {"*11", 14, Art::OPTION},
};

// The resolved row texts (never null once the screen opened).
const char* texte[OPTIONEN_ZEILEN] = {};
i32 erste_zeile = 0;
i32 hover_vorher = -1;  // the visible row highlighted in the last frame

Icon_Textzeile schliessen_text{};
Move_Struktur scroll{Optionen_Scroll, 0,  0, -1, KNOPF_Y_MIN, KNOPF_Y_MAX, 751, OPTIONEN_ZEILEN - OPTIONEN_SICHTBAR + 1,
                     ICON_OPTIONEN_BALKEN};

constexpr Scrollbalken BALKEN{.spur = ICON_OPTIONEN_BALKEN,
                              .knopf = ICON_OPTIONEN_KNOPF,
                              .liste = ICON_OPTIONEN_LISTE,
                              .grafik_spur = GRAFIK_OPTIONEN_BALKEN,
                              .grafik_knopf = GRAFIK_SCROLLKNOPF,
                              .x = 748,
                              .spur_y = 181,
                              .spur_b = 20,
                              .spur_h = 276,
                              .knopf_x = 751,
                              .knopf_y = KNOPF_Y_MIN,
                              .knopf_b = 14,
                              .knopf_h = 28,
                              .move = &scroll,
                              .ebene = 18,
                              .flags = MENUE_F_MODAL};
constexpr u32 MODAL = MENUE_F_MODAL | MENUE_F_BEIDE_TASTEN;
constexpr auto TABELLE = Icon_Tabelle_Bauen<Icon_Besitzer::OPTIONEN>({
    {.nummer = ICON_OPTIONEN_SCHLEIER, .flags = MODAL | MENUE_F_GANZER_SCREEN, .w = 800, .h = 600},
    {.nummer = ICON_OPTIONEN_LISTE,
     .grafik = GRAFIK_OPTIONEN_LISTE,
     .flags = MODAL,
     .x = 32,
     .y = 83,
     .status = MENUE_S_TRANSPARENT,
     .klick = Optionen_Klick,
     .zeichnen = Optionen_Zeichnen,
     .ebene = 17,
     .w = 744,
     .h = 424},
    {.nummer = ICON_OPTIONEN_SCHLIESSEN,
     .grafik = GRAFIK_OPTIONEN_SCHLIESSEN,
     .grafik_gedrueckt = GRAFIK_OPTIONEN_SCHLIESSEN_GEDRUECKT,
     .flags = MENUE_F_TEXT | MODAL,
     .x = 684,
     .y = 461,
     .daten = &schliessen_text,
     .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
     .klick = Optionen_Schliessen_Klick,
     .ebene = 19,
     .w = 90,
     .h = 34},
    Icon_Scrollspur(BALKEN),
    Icon_Scrollknopf(BALKEN),
});

const char* text(i32 n) { return Text_cfg_Text(TEXT_OPTIONEN, n); }

// A turn limit's line: `minuten` put before the label's rest (the label
// without its first word) or into its "%d"; the word "Minuten" after a 1
// reads "Minute". No minutes: the unlimited line as the text file words it.
std::string minuten_zeile(const char* label, i32 minuten, bool format, const char* unbegrenzt) {
    if (minuten <= 0) return unbegrenzt;
    std::string z;
    if (format) {
        z = Menue_Text_Fuellen(label, minuten, "");
    } else {
        const char* rest = label;
        while (*rest && *rest != ' ') ++rest;
        z = std::to_string(minuten) + rest;
    }
    const std::string zahl = std::to_string(minuten) + " Minuten";
    if (const size_t p = z.find(zahl); minuten == 1 && p != std::string::npos) z.erase(p + zahl.size() - 1, 1);
    return z;
}

// The turn limits step a minute up with a click on their line and a minute
// down with a click on the minus box at its start (where a switch has its
// box); past the end they wrap.
constexpr i32 MINUS_X1 = 70;
bool minus_box(i32 x) { return x < MINUS_X1; }

std::string adresse_text() {
    u8 a[4];
    Screens_Hooks_Holen().lokale_adresse(a);
    char b[20];
    std::snprintf(b, sizeof b, "%d.%d.%d.%d", a[0], a[1], a[2], a[3]);
    return b;
}

// An options row: a section's heading, the switch's box (a dash in a
// value's box, centred in it), the option's text past the box.
constexpr Kit_Stelle KOPF_TEXT{Kit_Ausrichtung::LINKS, 83};
constexpr Kit_Stelle KASTEN_MITTE{Kit_Ausrichtung::MITTE, 53};
constexpr Kit_Stelle OPTION_TEXT{Kit_Ausrichtung::LINKS, 123};

void zeile_zeichnen(Rastport* ziel, i32 r, i32 zeile) {
    const Zeile& z = ZEILEN[zeile];
    const i32 y = 201 + OPTIONEN_ZEILE_H * r;
    const char* label = texte[zeile] ? texte[zeile] : "";
    if (z.art == Art::KOPF) {
        Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::SCHMAL_GROSS), FARBE_WEISS, 0, y, Kit_Schein::GLATT, KOPF_TEXT,
                          "%s", label);
        return;
    }
    if (z.art != Art::OPTION) return;
    // A switch shows its box: ticked when on, empty when off (the turn limit
    // and the client turn bound are values, not switches; the network row is
    // one where this machine can open the game: not on a client, not with a
    // single manager).
    const bool netz_schalter = !ruf::Client() && Manager_Anzahl_Menschen() >= 2;
    const bool zeit = z.option == OPTION_ZUGZEIT || z.option == OPTION_CLIENT_ZUGZEIT;
    const bool schalter = !zeit && (z.option != OPTION_NETZ_SERVER || netz_schalter);
    const i32 kasten_y = 187 + OPTIONEN_ZEILE_H * r;
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    if (schalter && Option_Wert(z.option, 0, 0) != 0) {
        Kit_Bild_Zeichnen(ziel, GRAFIK_OPTIONEN_HAKEN, 43, kasten_y);
    } else if (schalter || (zeit && !ruf::Client())) {
        Blt_Rechteck(ziel, 44, kasten_y + 1, 18, 18, FARBE_KANTE_DUNKEL);
        Blt_Rahmen(ziel, 44, kasten_y + 1, 18, 18, FARBE_KANTE_HELL, 1);
        if (zeit) Kit_Printf_Stelle(ziel, f, FARBE_HELL, 0, y, Kit_Schein::GLATT, KASTEN_MITTE, "-");
    }
    // The turn limit holds for every manager's turn, a network client's
    // too; without it a client's turn ends after the second line's minutes
    // (that line is greyed while the first one holds).
    if (z.option == OPTION_ZUGZEIT) {
        const u16 farbe = ruf::Client() ? FARBE_GRAU_CLIENT : FARBE_HELL;
        Kit_Printf_Stelle(ziel, f, farbe, 0, y, Kit_Schein::GLATT, OPTION_TEXT, "%s",
                          minuten_zeile(label, Option_Wert(z.option, 0, 0) / ZUGZEIT_SCHRITT, false, label).c_str());
    } else if (z.option == OPTION_CLIENT_ZUGZEIT) {
        const bool gilt = Option_Wert(OPTION_ZUGZEIT, 0, 0) <= 0;
        const u16 farbe = ruf::Client() || !gilt ? FARBE_GRAU_CLIENT : FARBE_HELL;
        Kit_Printf_Stelle(
            ziel, f, farbe, 0, y, Kit_Schein::GLATT, OPTION_TEXT, "%s",
            minuten_zeile(label, Option_Client_Zugzeit_Ms() / 60000, true, text(T_CLIENT_UNBEGRENZT)).c_str());
    } else if (z.option == OPTION_NETZ_SERVER) {
        if (ruf::Client()) {
            // A client plays in the server's game: the server's address, not its to change.
            char a[64];
            Spielstart_Adresse_Text(Spielstart_Get_Netz().adresse, a, sizeof a);
            Kit_Printf_Stelle(ziel, f, FARBE_GRAU_CLIENT, 0, y, Kit_Schein::GLATT, OPTION_TEXT, "%s",
                              Menue_Text_Fuellen(label, 0, a).c_str());
        } else if (Manager_Anzahl_Menschen() < 2)
            Kit_Printf_Stelle(ziel, f, FARBE_GRAU_CLIENT, 0, y, Kit_Schein::GLATT, OPTION_TEXT, "%s",
                              text(T_NETZ_EIN_MANAGER));
        else
            Kit_Printf_Stelle(ziel, f, FARBE_HELL, 0, y, Kit_Schein::GLATT, OPTION_TEXT, "%s",
                              Menue_Text_Fuellen(label, 0, adresse_text().c_str()).c_str());
    } else {
        Kit_Printf_Stelle(ziel, f, FARBE_HELL, 0, y, Kit_Schein::GLATT, OPTION_TEXT, "%s", label);
    }
}

// A minute up (`runter`: down); past the longest none, below none the longest.
i32 minute_weiter(i32 jetzt, i32 hoechstens, bool runter) {
    if (runter) return jetzt <= 0 ? hoechstens : jetzt - 1;
    return jetzt >= hoechstens ? 0 : jetzt + 1;
}

void zugzeit_klick(bool runter) {
    if (ruf::Client()) return;  // the server decides a network game's turn limit
    const i32 neu =
        minute_weiter(Option_Wert(OPTION_ZUGZEIT, 0, 0) / ZUGZEIT_SCHRITT, ZUGZEIT_MAX / ZUGZEIT_SCHRITT, runter) *
        ZUGZEIT_SCHRITT;
    Option_Wert(OPTION_ZUGZEIT, 1, neu);
    if (neu) Kalender_Start_Spielzeit();
}

// The server's bound on a network client's turn.
void client_zugzeit_klick(bool runter) {
    if (ruf::Client()) return;
    Option_Wert(OPTION_CLIENT_ZUGZEIT, 1,
                minute_weiter(Option_Client_Zugzeit_Ms() / 60000, OPTION_CLIENT_ZUGZEIT_MAX, runter));
}

void server_klick() {
    if (Manager_Anzahl_Menschen() <= 1) return;
    if (Option_Wert(OPTION_NETZ_SERVER, 0, 0) != 0) {
        Screens_Hooks_Holen().server_schliessen();
        Team_Reset_User_Active_Alle();
        Kalender_Clear_Neuer_Tag();
        Meldung_Manager_Printf(1, Team_Aktiv, "%s", text(T_NETZ_GESCHLOSSEN));
        Option_Wert(OPTION_NETZ_SERVER, 1, 0);
        return;
    }
    if (ruf::Client()) return;
    if (!Screens_Hooks_Holen().server_oeffnen()) {
        // The option stays off: the game is not open to anyone.
        Meldung_Printf("%s", Text_cfg_Text(TEXT_ZUSATZ, T_PILO_SERVER_FEHLT));
        return;
    }
    Server_Lokales_Team = Team_Aktiv;
    Meldung_Manager_Printf(1, Team_Aktiv, "%s", text(T_NETZ_GEOEFFNET));
    i32 menschen[1000];
    const int n = Manager_Ist_Dran(menschen, 0, 0);
    for (int i = 0; i < n; ++i)
        if (menschen[i] != Team_Aktiv)
            Team_Wert(TEAM_WERT_STATUS, menschen[i], static_cast<i32>(TEAM_STATUS_USER), OP_BITS_SETZEN);
    Option_Wert(OPTION_NETZ_SERVER, 1, NETZ_SERVER_AN);
}

}  // namespace

Screen_Def Optionen_Screen_Def() {
    return {.name = "Optionen",
            .icons = Icon_Besitzer::OPTIONEN,
            .rahmen = ICON_OPTIONEN_LISTE,
            .arbeitsflaeche = true,
            .zurueck = true,
            .oeffnen = Optionen_Screen_Init,
            .schliessen = [] {
                Menue_Screen_Icon_Tabelle_Loeschen(TABELLE.daten());
                Menue_Set_Rechtsklick_Icon(-1);
            }};
}

i32 Optionen_Erste_Zeile() { return erste_zeile; }

i32 Optionen_Zeile_Bei(i32 x, i32 y) {
    if (x < LISTE_X0 || x > LISTE_X1 || y < ZEILEN_OBEN) return -1;
    const i32 r = (y - ZEILEN_OBEN) / OPTIONEN_ZEILE_H;
    if (r < 0 || r >= OPTIONEN_SICHTBAR) return -1;
    const i32 zeile = erste_zeile + r;
    return zeile < OPTIONEN_ZEILEN && ZEILEN[zeile].art == Art::OPTION ? zeile : -1;
}

void Optionen_Screen_Init() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_OPTIONEN_LISTE)) return;
    // The network switch tells whether this game is open as a server, however
    // it was opened (the start screen's network game, a loaded one).
    if (!ruf::Client()) Option_Wert(OPTION_NETZ_SERVER, 1, ruf::Server() ? NETZ_SERVER_AN : 0);
    if (Menue_Icon_Zustand(ICON_OPTIONEN_KNOPF) == 0) Menue_Icon_Zustand_Setzen(ICON_OPTIONEN_KNOPF, KNOPF_Y_MIN);
    scroll.stufen = OPTIONEN_ZEILEN - OPTIONEN_SICHTBAR + 1;
    Menue_Screen_Icon_Tabelle_Hinzufuegen(TABELLE.daten());
    Menue_Set_Rechtsklick_Icon(ICON_OPTIONEN_SCHLIESSEN);
    Optionen_Scrollbar_Zeigen();
    Optionen_Texte_Setzen();
    if (Screen_Icon* k = Kit_Icon(ICON_OPTIONEN_KNOPF)) {
        Menue_Scrollbuttonpos_Zuweisen(k);
        erste_zeile = Menue_Balkenpos_In_Index(k);
    }
}

void Optionen_Scrollbar_Zeigen() {
    const bool zeigen = scroll.stufen > 1;
    for (i16 n : {ICON_OPTIONEN_BALKEN, ICON_OPTIONEN_KNOPF})
        if (Screen_Icon* i = Kit_Icon(n))
            i->status = zeigen ? i->status & ~MENUE_S_VERSTECKT : i->status | MENUE_S_VERSTECKT;
}

void Optionen_Texte_Setzen() {
    for (i32 i = 0; i < OPTIONEN_ZEILEN; ++i) {
        texte[i] = ZEILEN[i].id;
        if (texte[i]) Text_cfg_Aufloesen(&texte[i], TEXT_OPTIONEN);
    }
    schliessen_text = Kit_Knopf_Beschriftung(text(T_SCHLIESSEN));
    if (Screen_Icon* s = Kit_Icon(ICON_OPTIONEN_SCHLIESSEN)) s->hilfe = text(T_SCHLIESSEN);
}

void Optionen_Scroll(Screen_Icon*, i32 index, u32) {
    Screen_Scroll_Gemeldet(&erste_zeile, index);
}

void Optionen_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    const i32 zeile = Optionen_Zeile_Bei(Maus_Get_X(), Maus_Get_Y());
    if (zeile < 0) return;
    const i32 option = ZEILEN[zeile].option;
    if (option == OPTION_ZUGZEIT) zugzeit_klick(minus_box(Maus_Get_X()));
    else if (option == OPTION_NETZ_SERVER) server_klick();
    else if (option == OPTION_CLIENT_ZUGZEIT) client_zugzeit_klick(minus_box(Maus_Get_X()));
    else if (option == OPTION_HILFE) Option_Wert(option, 1, Option_Wert(option, 0, 0) == 0 ? 1 : 0);
    else Option_Wert(option, 1, Option_Wert(option, 0, 0) ^ 1);
    Blt_Cache_Leeren();
}

void Optionen_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32, i32) {
    Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::SCHMAL_GROSS), FARBE_WEISS, 249, 146, "%s", text(T_TITEL));
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    i32 hover = -1;
    if (Menue_Get_Aktives_Icon() == icon && my >= LISTE_Y0 && my <= LISTE_Y1 && Optionen_Zeile_Bei(mx, my) >= 0)
        hover = (my - ZEILEN_OBEN) / OPTIONEN_ZEILE_H;
    // A row's text patch holds what lay under it: the rows whose highlight
    // comes, pulses or goes are drawn afresh, the others come from the cache
    // (a click or a scroll empties all of it).
    for (i32 r : {hover, hover_vorher})
        if (r >= 0)
            for (Kit_Schrift f : {Kit_Schrift::TEXT, Kit_Schrift::SCHMAL_GROSS})
                if (const Font* fo = Kit_Font(f)) Blt_Cache_Position_Leeren(0, 201 + OPTIONEN_ZEILE_H * r - fo->hoehe);
    hover_vorher = hover;
    if (hover >= 0)
        if (Rastport* h = Kit_Bild(GRAFIK_OPTIONEN_ZEILE))
            Blt_Pulsieren(h, 0, 0, h->breite, h->hoehe, ziel, 37, LISTE_Y0 + OPTIONEN_ZEILE_H * hover);
    for (i32 r = 0; r < OPTIONEN_SICHTBAR && erste_zeile + r < OPTIONEN_ZEILEN; ++r)
        zeile_zeichnen(ziel, r, erste_zeile + r);
}

// Closed, the screen it was opened over comes back.
void Optionen_Schliessen_Klick(Screen_Icon*, u32) { Screen_Schliessen(Screen_Id::OPTIONEN); }

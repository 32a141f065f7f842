#include "screens/club/spielstand.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "base/files.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/eingabe.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "gui/wappen.h"
#include "platform/input.h"
#include "season/kalender_lauf.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

// Texts of the screens' section.
enum : i32 {
    T_LADEN = 0,
    T_SPEICHERN = 1,
    T_ABBRECHEN = 2,
    T_TITEL_SPEICHERN = 3,
    T_TITEL_LADEN = 4,
    T_STANDARD = 9,  // "Spielstand %d": a used slot without a description
    T_NICHTS_GEWAEHLT = 10,
    T_ALLE_BELEGT = 11,
    T_AUTOSAVE_GESPERRT = 12,
    T_AUTOSAVE_TEXT = 13,  // the weekly autosave's description
    T_LEER = 14,
    T_BESCHAEDIGT = 15,
    T_NETZSPIEL = 16,  // the mark of a network game's save
};

constexpr i32 LISTE_X0 = 30, LISTE_X1 = 651, LISTE_Y1 = 450, ZEILEN_OBEN = 181;
constexpr i32 KEIN_SLOT = 10;  // the default description's number when no slot is chosen
constexpr i32 BESCHREIBUNG_ZEICHEN = 29;

// Module state, kept between openings.
Spielstand_Beschreibung slots[DISK_SLOTS] = {};
Disk_Slot_Zustand zustand[DISK_SLOTS] = {};
i32 gewaehlt = -1;
bool bestaetigt = false;

Icon_Textzeile laden_text{}, speichern_text{}, abbrechen_text{};
const char* hilfe[4] = {};  // of 1703, 1704, 1716, 1717

constexpr u32 MODAL = MENUE_F_MODAL | MENUE_F_BEIDE_TASTEN;
constexpr u32 KNOPF_STATUS = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD;

constexpr Kit_Bildknopf_Def KNOPF{.x = 667, .w = 90, .h = 34, .ebene = 19, .flags = MODAL, .status = KNOPF_STATUS};

// What both lists share: the veil over the screen, the frame (its user
// word 0: 1 for the save list) and the buttons in their column.
constexpr Screen_Icon SCHLEIER{.flags = MODAL | MENUE_F_GANZER_SCREEN, .w = 800, .h = 600};
constexpr Screen_Icon RAHMEN =
    Kit_Panel_Icon({.w = 744, .h = 424, .ebene = 17, .zeichnen = Disk_Screen_Zeichnen, .flags = MODAL});
constexpr i16 RAHMEN_X = 32, RAHMEN_Y = 87;
constexpr auto LADEN = Icon_Tabelle_Aus<Icon_Besitzer::SPIELSTAND_LADEN>(
    Kit_Zeilen_Eigen(SCHLEIER, {{.nummer = ICON_LADEN_SCHLEIER}}),
    Kit_Zeilen_Eigen(RAHMEN, {{.nummer = ICON_LADEN_RAHMEN,
                               .grafik = GRAFIK_DISK_LADEN,
                               .x = RAHMEN_X,
                               .y = RAHMEN_Y,
                               .klick = Disk_Screen_Klick}}),
    Icon_Liste({Kit_Bildknopf(KNOPF, {.nummer = ICON_LADEN_KNOPF,
                                      .grafik = GRAFIK_DISK_KNOPF,
                                      .gedrueckt = GRAFIK_DISK_KNOPF_GEDRUECKT,
                                      .y = 366,
                                      .klick = Disk_Screen_Laden_Knopf_Klick,
                                      .text = &laden_text}),
                Kit_Bildknopf(KNOPF, {.nummer = ICON_LADEN_ABBRECHEN,
                                      .grafik = GRAFIK_DISK_ABBRECHEN,
                                      .gedrueckt = GRAFIK_DISK_ABBRECHEN_GEDRUECKT,
                                      .y = 411,
                                      .klick = Disk_Screen_Laden_Abbrechen_Klick,
                                      .text = &abbrechen_text})}));
constexpr auto SPEICHERN = Icon_Tabelle_Aus<Icon_Besitzer::SPIELSTAND_SPEICHERN>(
    Kit_Zeilen_Eigen(SCHLEIER, {{.nummer = ICON_SPEICHERN_SCHLEIER, .klick = Disk_Screen_Klick}}),
    Kit_Zeilen_Eigen(RAHMEN, {{.nummer = ICON_SPEICHERN_RAHMEN,
                               .grafik = GRAFIK_DISK_SPEICHERN,
                               .x = RAHMEN_X,
                               .y = RAHMEN_Y,
                               .klick = Disk_Screen_Klick,
                               .wort = {1, 0}}}),
    Icon_Liste({Kit_Bildknopf(KNOPF, {.nummer = ICON_SPEICHERN_KNOPF,
                                      .grafik = GRAFIK_DISK_KNOPF,
                                      .gedrueckt = GRAFIK_DISK_KNOPF_GEDRUECKT,
                                      .y = 366,
                                      .klick = Disk_Screen_Knopf_Klick,
                                      .text = &speichern_text}),
                Kit_Bildknopf(KNOPF, {.nummer = ICON_SPEICHERN_ABBRECHEN,
                                      .grafik = GRAFIK_DISK_ABBRECHEN,
                                      .gedrueckt = GRAFIK_DISK_ABBRECHEN_GEDRUECKT,
                                      .y = 411,
                                      .klick = Disk_Screen_Speichern_Abbrechen_Klick,
                                      .text = &abbrechen_text})}));

const char* text(i32 n) { return Text_cfg_Text(TEXT_DISK, n); }

bool speichern_offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_SPEICHERN_RAHMEN); }

// The default description carries the number the list shows ("Platz 1"
// is slot 0).
void standard_text(char* aus, i32 nummer) {
    std::snprintf(aus, sizeof Spielstand_Beschreibung::text, "%s",
                  Menue_Text_Fuellen(text(T_STANDARD), nummer, nullptr).c_str());
}

bool datei_da(i32 slot) {
    const char* pfad = Spielstand_Pfad(slot);
    if (!pfad) return false;
    std::FILE* f = std::fopen(W32_Pfad_Uebersetzen(pfad).c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

void slot_lesen(i32 s) {
    Spielstand_Beschreibung& b = slots[s];
    b = {};
    if (Spielstand_Get_Beschreibung(s, &b)) {
        zustand[s] = Disk_Slot_Zustand::BELEGT;
        b.text[sizeof b.text - 1] = b.manager[sizeof b.manager - 1] = b.verein[sizeof b.verein - 1] = 0;
        if (!b.text[0]) standard_text(b.text, s + 1);
    } else {
        b = {};
        zustand[s] = datei_da(s) ? Disk_Slot_Zustand::BESCHAEDIGT : Disk_Slot_Zustand::LEER;
    }
}

void schliessen(const Screen_Icon* tabelle) {
    Eingabefeld_Free();
    Menue_Screen_Icon_Tabelle_Loeschen(tabelle);
    Menue_Set_Rechtsklick_Icon(-1);
    Blt_Cache_Leeren();
}

void oeffnen(const Screen_Icon* tabelle, i16 abbrechen) {
    Menue_Screen_Icon_Tabelle_Hinzufuegen(tabelle);
    Disk_Screen_Texte_Setzen();
    Menue_Set_Rechtsklick_Icon(abbrechen);
    Disk_Screen_Slots_Aktualisieren();
    bestaetigt = false;
}

// The save request: the chosen slot, else the first empty one of 0..9 (the
// autosave's slot too: it cannot be clicked, but a save with nothing chosen
// takes it when it is the only one free); false when every slot is in use.
bool speichern() {
    if (gewaehlt < 0)
        for (i32 s = 0; s < DISK_SLOTS; ++s)
            if (zustand[s] == Disk_Slot_Zustand::LEER) {
                gewaehlt = s;
                break;
            }
    if (gewaehlt < 0) {
        Meldung_Printf("%s", text(T_ALLE_BELEGT));
        return false;
    }
    schliessen(SPEICHERN.daten());
    K_NEUER_TAG(KALENDER_SPEICHERN, gewaehlt);
    return true;
}

}  // namespace

Screen_Def Disk_Screen_Laden_Def() {
    return {.name = "Laden",
            .icons = Icon_Besitzer::SPIELSTAND_LADEN,
            .rahmen = ICON_LADEN_RAHMEN,
            .arbeitsflaeche = true,
            .oeffnen = Disk_Screen_Laden_Init,
            .schliessen = [] { schliessen(LADEN.daten()); }};
}

Screen_Def Disk_Screen_Speichern_Def() {
    return {.name = "Speichern",
            .icons = Icon_Besitzer::SPIELSTAND_SPEICHERN,
            .rahmen = ICON_SPEICHERN_RAHMEN,
            .arbeitsflaeche = true,
            .oeffnen = Disk_Screen_Speichern_Init,
            .schliessen = [] { schliessen(SPEICHERN.daten()); }};
}

i32 Disk_Screen_Gewaehlt() { return gewaehlt; }
void Disk_Screen_Set_Gewaehlt(i32 slot) { gewaehlt = slot >= 0 && slot < DISK_SLOTS ? slot : -1; }
Disk_Slot_Zustand Disk_Screen_Slot_Zustand(i32 slot) {
    return slot >= 0 && slot < DISK_SLOTS ? zustand[slot] : Disk_Slot_Zustand::LEER;
}
const Spielstand_Beschreibung& Disk_Screen_Slot(i32 slot) {
    static const Spielstand_Beschreibung leer{};
    return slot >= 0 && slot < DISK_SLOTS ? slots[slot] : leer;
}

i32 Disk_Screen_Zeile_Bei(i32 x, i32 y) {
    if (x < LISTE_X0 || x > LISTE_X1 || y < ZEILEN_OBEN) return -1;
    const i32 r = (y - ZEILEN_OBEN) / DISK_ZEILE_H;
    return r < DISK_SLOTS ? r : -1;
}

void Disk_Screen_Laden_Init() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_LADEN_RAHMEN)) return;
    oeffnen(LADEN.daten(), ICON_LADEN_ABBRECHEN);
}

void Disk_Screen_Speichern_Init() {
    if (speichern_offen()) return;
    if (gewaehlt == DISK_AUTOSAVE_SLOT) gewaehlt = -1;
    oeffnen(SPEICHERN.daten(), ICON_SPEICHERN_ABBRECHEN);
}

void Disk_Screen_Texte_Setzen() {
    const Icon_Textzeile vorlage = Kit_Knopf_Beschriftung(nullptr);
    laden_text = speichern_text = abbrechen_text = vorlage;
    laden_text.text = text(T_LADEN);
    speichern_text.text = text(T_SPEICHERN);
    abbrechen_text.text = text(T_ABBRECHEN);
    constexpr i16 KNOEPFE[4] = {ICON_LADEN_KNOPF, ICON_LADEN_ABBRECHEN, ICON_SPEICHERN_KNOPF, ICON_SPEICHERN_ABBRECHEN};
    static const char* const IDS[4] = {"*5", "*6", "*7", "*8"};
    for (i32 k = 0; k < 4; ++k) {
        hilfe[k] = IDS[k];
        Text_cfg_Aufloesen(&hilfe[k], TEXT_DISK);
        if (Screen_Icon* i = Kit_Icon(KNOEPFE[k])) i->hilfe = hilfe[k];
    }
}

void Disk_Screen_Slots_Aktualisieren() {
    for (i32 s = 0; s < DISK_SLOTS; ++s) slot_lesen(s);
    if (gewaehlt >= 0 && zustand[gewaehlt] != Disk_Slot_Zustand::BELEGT) {
        // The save screen may overwrite an empty or damaged slot; the load screen cannot load it.
        if (!speichern_offen()) gewaehlt = -1;
    }
}

void Disk_Screen_Get_Spielstand_Name(char* aus) {
    if (!aus) return;
    aus[0] = 0;
    if (gewaehlt >= 0) {
        if (!slots[gewaehlt].text[0]) slot_lesen(gewaehlt);
        std::snprintf(aus, sizeof Spielstand_Beschreibung::text, "%s", slots[gewaehlt].text);
    }
    if (!aus[0]) standard_text(aus, gewaehlt >= 0 ? gewaehlt + 1 : KEIN_SLOT);
}

void Disk_Screen_Beschreibung(Spielstand_Beschreibung* aus, int still) {
    if (!aus) return;
    *aus = {};
    if (still) std::snprintf(aus->text, sizeof aus->text, "%s", text(T_AUTOSAVE_TEXT));
    else Disk_Screen_Get_Spielstand_Name(aus->text);
    // The active manager's club; for the autosave between turns the first human manager's.
    i32 team = Team_Aktiv;
    if (team < 0 || team >= Team_Anzahl || !Team_Hat_Manager_Aktiv(team)) {
        i32 menschen[1000];
        team = Manager_Ist_Dran(menschen, 0, 0) > 0 ? menschen[0] : -1;
    }
    if (team < 0 || team >= Team_Anzahl) return;
    std::snprintf(aus->manager, sizeof aus->manager, "%s", Team_String(300, team, nullptr, 0));
    std::snprintf(aus->verein, sizeof aus->verein, "%s", Team_String(722, team, nullptr, 0));
    aus->team = static_cast<u32>(team);
    aus->kontostand = static_cast<u32>(static_cast<i64>(Bank_Get_Kontostand(team, 0, 0)));
    aus->staerke = static_cast<u32>(Team_Get_Staerke_Modus(team, 16));
}

namespace {
// A save's row: its description, the manager, the club and its strength;
// the network mark small over the description's end.
constexpr Kit_Spalte SLOT[] = {{.x = 55}, {.x = 300}, {.x = 450}, {.x = 580}};
constexpr Kit_Stelle NETZ_MARKE{Kit_Ausrichtung::RECHTS, 245};
}  // namespace

void Disk_Screen_Slot_Zeichnen(Rastport* ziel, i32 s, bool speichern) {
    if (s < 0 || s >= DISK_SLOTS) return;
    const u16 farbe = s == DISK_AUTOSAVE_SLOT ? FARBE_GRAU : FARBE_WEISS;
    const i32 y = 200 + DISK_ZEILE_H * s;
    const bool im_feld = speichern && s == gewaehlt;  // the input field shows its text
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    const Spielstand_Beschreibung& b = slots[s];
    switch (zustand[s]) {
        case Disk_Slot_Zustand::BELEGT:
            if (!im_feld) Kit_Tabelle_Zelle_Printf(ziel, f, farbe, 0, y, Kit_Schein::GLATT, SLOT[0], "%s", b.text);
            Kit_Tabelle_Zeile_Printf(ziel, f, farbe, 0, y, Kit_Schein::GLATT, std::span(SLOT).subspan(1),
                                     "\t%s\t%s\t%s", b.manager, b.verein,
                                     Team_Halbwert_String(static_cast<i32>(b.staerke)));
            // A network game's save says so, small, over the end of its description.
            if (Spielstand_Ist_Netzspiel(b))
                Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::WINZIG), FARBE_GEWAEHLT, 0, y - 11, Kit_Schein::GLATT,
                                  NETZ_MARKE, "%s", text(T_NETZSPIEL));
            if (const u32 t = Spielstand_Team(b);
                t < static_cast<u32>(Team_Anzahl) && Team_Ist_Normal(static_cast<i32>(t), 0))
                Wappen_Blit(static_cast<i32>(t), ziel, 249, 185 + DISK_ZEILE_H * s, 21, 21, nullptr);
            break;
        case Disk_Slot_Zustand::BESCHAEDIGT:
            if (!im_feld)
                Kit_Tabelle_Zelle_Printf(ziel, f, FARBE_FEHLER, 0, y, Kit_Schein::GLATT, SLOT[0], " %s",
                                         text(T_BESCHAEDIGT));
            break;
        case Disk_Slot_Zustand::LEER:
            if (!im_feld)
                Kit_Tabelle_Zelle_Printf(ziel, f, farbe, 0, y, Kit_Schein::GLATT, SLOT[0], " %s", text(T_LEER));
            break;
    }
}

void Disk_Screen_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32, i32) {
    const bool speichern = icon && icon->user[0] == 1;
    Blt_Cache_Leeren();
    Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::SCHMAL_GROSS), FARBE_WEISS, 249, 146, "%s",
                     text(speichern ? T_TITEL_SPEICHERN : T_TITEL_LADEN));
    // Every other row a shade lighter.
    for (i32 s = 0; s < DISK_SLOTS; s += 2)
        Blt_Rechteck_Alpha(ziel, 37, DISK_ZEILE_Y0 + DISK_ZEILE_H * s, 615, DISK_ZEILE_H, FARBE_WEISS, 4);
    if (gewaehlt >= 0) Kit_Bild_Zeichnen(ziel, GRAFIK_DISK_GEWAEHLT, 37, DISK_ZEILE_Y0 + DISK_ZEILE_H * gewaehlt);
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    if (Menue_Get_Aktives_Icon() == icon && my >= DISK_ZEILE_Y0 && my <= LISTE_Y1) {
        const i32 r = Disk_Screen_Zeile_Bei(mx, my);
        // Not under the description field: it keeps what lies beneath it from its first frame.
        if (r >= 0 && !(speichern && r == gewaehlt))
            if (Rastport* h = Kit_Bild(GRAFIK_DISK_ZEILE))
                Blt_Pulsieren(h, 0, 0, h->breite, h->hoehe, ziel, 37, DISK_ZEILE_Y0 + DISK_ZEILE_H * r);
    }
    for (i32 s = 0; s < DISK_SLOTS; ++s) {
        Disk_Screen_Slot_Zeichnen(ziel, s, speichern);
        if (speichern && s == gewaehlt) {
            // The cache's text is the field's buffer (30 bytes: 29 characters).
            const i32 r = Eingabefeld_Bearbeiten(Kit_Font(Kit_Schrift::TEXT), slots[s].text, sizeof slots[s].text,
                                                 BESCHREIBUNG_ZEICHEN, 0x1A4, 55, 188 + DISK_ZEILE_H * s, 180, 22, 0, 0,
                                                 nullptr, 0, 0, nullptr, FARBE_WEISS);
            if (r == EINGABE_FERTIG) bestaetigt = true;
        }
    }
}

void Disk_Screen_Klick(Screen_Icon*, u32 ereignis) {
    if (speichern_offen() && bestaetigt) {
        if (Screen_Icon* k = Kit_Icon(ICON_SPEICHERN_KNOPF)) Disk_Screen_Knopf_Klick(k, 0);
        return;
    }
    if (!(ereignis & MENUE_E_LINKS)) return;
    const i32 r = Disk_Screen_Zeile_Bei(Maus_Get_X(), Maus_Get_Y());
    if (r < 0) return;
    if (!speichern_offen()) {
        if (r == gewaehlt) gewaehlt = -1;
        else if (zustand[r] == Disk_Slot_Zustand::BELEGT) gewaehlt = r;
    } else if (r == DISK_AUTOSAVE_SLOT) {
        Meldung_Printf("%s", text(T_AUTOSAVE_GESPERRT));
    } else if (r != gewaehlt) {
        Eingabefeld_Free();
        gewaehlt = r;
    }
    Blt_Cache_Leeren();
}

void Disk_Screen_Laden_Knopf_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    Disk_Screen_Slots_Aktualisieren();
    if (gewaehlt >= 0) {
        schliessen(LADEN.daten());
        K_NEUER_TAG(KALENDER_LADEN, gewaehlt);
    } else {
        Meldung_Printf("%s", text(T_NICHTS_GEWAEHLT));
    }
    Menue_Set_Spiel_Pause(false);
}

void Disk_Screen_Laden_Abbrechen_Klick(Screen_Icon*, u32) {
    schliessen(LADEN.daten());
    Menue_Set_Spiel_Pause(false);
}

void Disk_Screen_Knopf_Klick(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS) && !bestaetigt) return;
    bestaetigt = false;
    if (!speichern()) return;
    Menue_Set_Spiel_Pause(false);
}

void Disk_Screen_Speichern_Abbrechen_Klick(Screen_Icon* icon, u32 ereignis) {
    // After the confirm key the next event saves, whichever button it is.
    if (bestaetigt) {
        Disk_Screen_Knopf_Klick(icon, ereignis);
        return;
    }
    // Any button: the right click closes the save screen as it closes the load screen.
    schliessen(SPEICHERN.daten());
    Menue_Set_Spiel_Pause(false);
}

#include "kit.h"

#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/meldung.h"
#include "base/pruefsumme.h"
#include "base/settings.h"
#include "base/tools.h"
#include "graphics/rastport.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "gui/text_cfg.h"
#include "main/programm.h"
#include "platform/png.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "world/welt.h"

#include "bild_ordner.h"

namespace kit {

namespace {
u32 uhr = 0;
u32 uhr_lesen() { return uhr; }
std::string ordner;
std::vector<std::string> meldungen;
u32 gehalten = 0;

void aufzeichnen_und_zeigen(i32 team, const char* text) {
    meldungen.emplace_back(text ? text : "");
    Menue_Requester(REQUESTER_OK, team, text, nullptr, nullptr, nullptr, nullptr);
}

void rekorder_einsetzen() {
    Meldung_Set_Hooks({
        .zeigen = [](const char* text) { aufzeichnen_und_zeigen(Team_Aktiv, text); },
        .manager_zeigen = [](i32, i32 team, const char* text) { aufzeichnen_und_zeigen(team, text); },
    });
}

void eigene_uhr() {
    uhr = W32_Get_Time();
    Uhr_Set_Hooks({.jetzt = uhr_lesen});
}

void icon_klicken(i32 nummer) {
    if (const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(nummer)) Klick(i->x + i->w / 2, i->y + i->h / 2);
}
}  // namespace

bool Starten(int menschen) {
    meldungen.clear();
    if (!Test_Programm_Starten("kordavo_screens", &ordner)) return false;
    rekorder_einsetzen();
    if (menschen < 1 || menschen > 4) return false;
    if (menschen > 1 && !W32_Registry_Write("Mitspieler", std::to_string(menschen).c_str())) return false;
    // The set-up reads the world and gives the clubs their managers; the
    // first day ends in normal play with the main menu (announcement pages
    // of the first day are taken away as a player would).
    for (int n = 0; n < 400; ++n) {
        const bool offen = Menue_Requester_Offen();
        if (Kalender_Get_Runmodus() == RUNMODUS_SPIEL && Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM) &&
            Menue_Modus == 0 && !offen)
            break;
        // A notice (whose turn it is) is read and answered with its last button.
        std::string skript = Ankuendigung_Wegklicken();
        if (const Screen_Icon* k = Menue_Screen_Icon_Aus_Nummer(ICON_REQ_KNOPF_2); offen && k)
            skript = "move " + std::to_string(k->x + k->w / 2) + " " + std::to_string(k->y + k->h / 2) +
                     "\nwait 2\nclick left\n";
        if (Headless_Lauf(skript + "wait 4\n", 8) <= 0) return false;
    }
    if (!Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM) || Menue_Requester_Offen()) return false;
    eigene_uhr();
    Eingabe_Zuruecksetzen();
    gehalten = 0;
    Zeichenspur_Einschalten();
    return true;
}

bool Starten_Ohne_Spiel() {
    meldungen.clear();
    if (!Test_Programm_Starten("kordavo_screens", &ordner)) return false;
    rekorder_einsetzen();
    Text_cfg_Init();
    Menue_Init();
    eigene_uhr();
    Eingabe_Zuruecksetzen();
    gehalten = 0;
    Zeichenspur_Einschalten();
    return true;
}

void Beenden() {
    Zeichenspur_Ausschalten();
    Uhr_Set_Hooks({});
    Meldung_Hooks_Zuruecksetzen();
    W32_Registry_Write("Mitspieler", "1");  // in the test's own settings, before its folder goes
    Test_Programm_Beenden(ordner);
}

const std::string& Ordner() { return ordner; }

u32 Jetzt() { return uhr; }
void Warten(u32 ms) { uhr += ms; }

void Frames(int n, u32 ms) {
    for (int i = 0; i < n; ++i) {
        uhr += ms;
        Eingabe_Frame_Abtasten();
        Eingabe_Neuer_Durchgang();
        Menue_Tick();
    }
}

void Maus(i32 x, i32 y) {
    Eingabe_Maus_Position(x, y);
    Frames(1);
}
void Druecken(u32 taste) {
    Eingabe_Maus_Taste(taste, true);
    gehalten |= taste;
    Frames(1);
}
void Loslassen(u32 taste) {
    Eingabe_Maus_Taste(taste, false);
    gehalten &= ~taste;
    Frames(1);
}
void Klick(i32 x, i32 y, u32 taste) {
    Maus(x, y);
    Druecken(taste);
    Loslassen(taste);
}
void Ziehen(i32 x0, i32 y0, i32 x1, i32 y1, int schritte) {
    Maus(x0, y0);
    Druecken(MAUS_LINKS);
    for (int s = 1; s <= schritte; ++s) Maus(x0 + (x1 - x0) * s / schritte, y0 + (y1 - y0) * s / schritte);
    Loslassen(MAUS_LINKS);
}
void Rad(i32 rasten) {
    Eingabe_Maus_Rad(rasten);
    Frames(1);
}
void Tippen(const char* text) {
    for (const char* c = text; c && *c; ++c) {
        Eingabe_Zeichen(static_cast<u8>(*c));
        Frames(1);
    }
}
void Taste(u32 vk) {
    Eingabe_Taste(vk, true);
    Frames(1);
    Eingabe_Taste(vk, false);
    Frames(1);
}

bool Hauptmenue_Eintrag(int knopf, int eintrag) {
    const i32 nummer = ICON_DIALOG_TEAM + knopf;
    const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
    if (!i) return false;
    Klick(i->x + i->w / 2, i->y + 10);
    // The button slides up; wait until it stands still.
    for (int n = 0, y = -1; n < 100 && i->y != y; ++n) {
        y = i->y;
        Frames(3);
    }
    for (i32 my = i->y + 23; my < i->y + i->h; ++my) {
        Eingabe_Maus_Position(i->x + i->w / 2, my);
        Frames(1);
        if (Menue_Dialog_Eintrag(nummer) == eintrag) {
            Druecken(MAUS_LINKS);
            Loslassen(MAUS_LINKS);
            return true;
        }
    }
    return false;
}

const std::vector<std::string>& Meldungen() { return meldungen; }
void Meldungen_Leeren() { meldungen.clear(); }
bool Requester_Offen() { return Menue_Requester_Offen(); }
void Requester_Antworten(bool ja) {
    const Screen_Icon* erster = Menue_Screen_Icon_Aus_Nummer(ICON_REQ_KNOPF_1);
    const bool zwei_knoepfe = erster && !(erster->status & MENUE_S_VERSTECKT);
    icon_klicken(ja && zwei_knoepfe ? ICON_REQ_KNOPF_1 : ICON_REQ_KNOPF_2);
}
std::vector<i32> Klaenge() { return Zeichenspur_Klaenge(); }
std::vector<std::string> Videos() {
    std::vector<std::string> v;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        if (e.art == SPUR_VIDEO) v.push_back(e.text + " " + std::to_string(e.nummer));
    return v;
}

void Spur_Leeren() { Zeichenspur_Leeren(); }
const Zeichenspur_Eintrag* Text(const char* teil) { return Zeichenspur_Text(teil); }
std::vector<const Zeichenspur_Eintrag*> Texte(const char* teil) {
    std::vector<const Zeichenspur_Eintrag*> t;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        if (e.art == SPUR_TEXT && teil && e.sichtbar.find(teil) != std::string::npos) t.push_back(&e);
    return t;
}
const Zeichenspur_Eintrag* Text_Auf_Zeile(const char* teil, i32 y) {
    for (const Zeichenspur_Eintrag* e : Texte(teil))
        if (e->y == y) return e;
    return nullptr;
}
bool Grafik_Bei(i32 grafik, i32 x, i32 y) {
    const Zeichenspur_Eintrag* e = Zeichenspur_Blit_Bei(x, y, Screen_Rastport);
    return e && e->grafik == grafik;
}
u16 Probe(i32 x, i32 y) {
    if (!Screen_Rastport || !Screen_Rastport->bitmap || x < 0 || y < 0 || x >= Screen_Rastport->breite ||
        y >= Screen_Rastport->hoehe)
        return 0;
    return Screen_Rastport->bitmap->pixel16()[static_cast<size_t>(y) * Screen_Rastport->breite + x];
}
u64 Hash() {
    if (!Screen_Rastport || !Screen_Rastport->bitmap) return pruef::FNV_START;
    return pruef::fnv_worte(Screen_Rastport->bitmap->pixel16(),
                            static_cast<size_t>(Screen_Rastport->breite) * Screen_Rastport->hoehe);
}
std::string Png(const std::string& name) {
    if (!Screen_Rastport || !Screen_Rastport->bitmap) return "";
    const std::string ordner_png = bild_ordner::Ordner("screens");
    if (ordner_png.empty()) return "";
    const std::string pfad = ordner_png + "/" + name + ".png";
    const Rastport& s = *Screen_Rastport;
    return Png_Schreiben(pfad, s.bitmap->pixel16(), s.breite, s.hoehe, s.breite, s.tiefe()) ? pfad : "";
}

}  // namespace kit

// The stadium's sounds of the live view: the sample table, the crowd sets
// and the plays.
#include "screens/live_view/stadion_ton.h"

#include <algorithm>
#include <vector>

#include "base/meldung.h"
#include "base/random.h"
#include "graphics/resf.h"
#include "graphics/sound.h"
#include "match/spielfeld.h"

namespace {

constexpr i32 STADION_SOUND_ARCHIV = 20;  // stadion_sound.res
constexpr int SETS = 3;
constexpr int KEINER = -1;

struct Sample {
    u32 eintrag;      // entry of the stadium sound archive
    u32 lautstaerke;  // 0..255
    u8 loopbar;
    u8 spielt;  // runs as a loop
    Sound_Slot* slot;
};

Sample tabelle[SA_SAMPLES] = {
    {0, 220, 0, 0, nullptr},  {1, 160, 0, 0, nullptr},  {2, 110, 0, 0, nullptr},  {3, 100, 0, 0, nullptr},
    {4, 90, 0, 0, nullptr},   {5, 130, 0, 0, nullptr},  {6, 130, 0, 0, nullptr},  {7, 130, 0, 0, nullptr},
    {8, 200, 0, 0, nullptr},  {9, 100, 0, 0, nullptr},  {10, 100, 0, 0, nullptr}, {11, 255, 0, 0, nullptr},
    {12, 128, 0, 0, nullptr}, {13, 200, 0, 0, nullptr}, {16, 50, 0, 0, nullptr},  {14, 200, 0, 0, nullptr},
    {15, 200, 0, 0, nullptr}, {17, 255, 1, 0, nullptr}, {18, 255, 1, 0, nullptr}, {19, 255, 1, 0, nullptr},
    {20, 255, 1, 0, nullptr}, {24, 200, 0, 0, nullptr}, {25, 255, 0, 0, nullptr}, {26, 255, 0, 0, nullptr},
    {27, 128, 0, 0, nullptr}, {28, 200, 0, 0, nullptr}, {29, 255, 0, 0, nullptr}, {30, 210, 0, 0, nullptr},
    {31, 200, 0, 0, nullptr}, {33, 255, 0, 0, nullptr}, {32, 230, 0, 0, nullptr}, {21, 255, 1, 0, nullptr},
    {22, 255, 1, 0, nullptr}, {23, 255, 0, 0, nullptr}, {34, 255, 0, 0, nullptr},
};

// A crowd sound group: its samples (the used ones first) and their count.
struct Gruppe {
    int sample[SA_SOUND_VARIANTEN];
    int anzahl;
};
// The groups of every set: the three sets hold the same groups.
constexpr Gruppe GRUPPEN[SA_SOUND_GRUPPEN] = {
    {{17, 18, -1, -1, -1, -1}, 2}, {{19, 20, 31, 32, -1, -1}, 4}, {{24, -1, -1, -1, -1, -1}, 1},
    {{22, 23, -1, -1, -1, -1}, 2}, {{21, 29, -1, -1, -1, -1}, 2}, {{25, -1, -1, -1, -1, -1}, 1},
    {{26, 27, 34, -1, -1, -1}, 3}, {{28, 30, -1, -1, -1, -1}, 2}, {{33, -1, -1, -1, -1, -1}, 1},
};

int aktuell = KEINER;

// Loads one sample into its slot. Without sound there is nothing to load
// and nothing is missing.
bool laden(int i) {
    Sample& s = tabelle[i];
    if (s.slot || !Sound_An()) return true;
    std::vector<u8> blob;
    const i32 archiv = Resf_Spiel_Slot(STADION_SOUND_ARCHIV);
    if (archiv >= 0 && Resf_Lade_Blob(archiv, static_cast<i32>(s.eintrag), blob))
        s.slot = Sound_Lade_Sample(blob.data(), static_cast<u32>(blob.size()));
    if (s.slot) return true;
    Meldung_Printf(
        "Das Stadion kann nicht gezeigt werden: der Stadionklang %u fehlt in stadion_sound.res oder ist "
        "beschädigt.",
        s.eintrag);
    return false;
}

void freigeben(int i) {
    Sample& s = tabelle[i];
    if (s.slot) Sound_Free_Sample(s.slot);
    s.slot = nullptr;
    s.spielt = 0;
}

void spielen(int i, int lautstaerke, int pan, bool loop) {
    Sample& s = tabelle[i];
    if (!s.slot) return;
    Sound_Play_Sample(s.slot, std::clamp(lautstaerke, 0, 255), pan, loop);
    if (loop) s.spielt = 1;
}

int stufe_begrenzen(int stufe) { return std::clamp(stufe, 0, 4); }

void stoppen(int i) {
    Sample& s = tabelle[i];
    if (s.slot && s.spielt) Sound_Stop_Sample(s.slot);
    s.spielt = 0;
}

// The loop of a group that runs, -1 none.
int laufende_schleife(int gruppe, int von, int bis) {
    for (int v = von; v <= bis; ++v)
        if (const int i = GRUPPEN[gruppe].sample[v]; i >= 0 && tabelle[i].spielt) return i;
    return -1;
}

// The sample of a group's variant, -1 none.
int variante_sample(int gruppe, int variante) {
    if (aktuell == KEINER || gruppe < 0 || gruppe >= SA_SOUND_GRUPPEN) return -1;
    if (variante < 0 || variante >= SA_SOUND_VARIANTEN) return -1;
    return GRUPPEN[gruppe].sample[variante];
}

}  // namespace

bool Spielansicht_Sound_Allgemein_Laden() {
    for (int i = 0; i < SA_SAMPLES_ALLGEMEIN; ++i)
        if (!laden(i)) {
            Spielansicht_Sound_Free_Allgemein();
            return false;
        }
    return true;
}

void Spielansicht_Sound_Free_Allgemein() {
    for (int i = 0; i < SA_SAMPLES_ALLGEMEIN; ++i) freigeben(i);
}

bool Spielansicht_Sound_Set_Laden(int set) {
    if (set < 0 || set >= SETS) set = 0;
    if (set == aktuell) return true;
    Spielansicht_Sound_Free();
    for (const Gruppe& g : GRUPPEN)
        for (int v = 0; v < g.anzahl; ++v)
            if (!laden(g.sample[v])) {
                for (int i = SA_SAMPLES_ALLGEMEIN; i < SA_SAMPLES; ++i) freigeben(i);
                return false;
            }
    aktuell = set;
    Spielansicht_Sound_Stadion(0, 1, 0, 0);  // the crowd's background
    return true;
}

void Spielansicht_Sound_Free() {
    if (aktuell != KEINER)
        for (const Gruppe& g : GRUPPEN)
            for (int v = 0; v < g.anzahl; ++v) freigeben(g.sample[v]);
    for (Sample& s : tabelle) s.spielt = 0;
    aktuell = KEINER;
}

int Spielansicht_Sound_Set() { return aktuell; }

void Spielansicht_Sound_Stadion(int gruppe, int schleife, int stufe, int variante) {
    if (aktuell == KEINER || gruppe < 0 || gruppe >= SA_SOUND_GRUPPEN) return;
    const Gruppe& g = GRUPPEN[gruppe];
    int i = variante_sample(gruppe, variante);
    if (i < 0) i = g.sample[Rnd_Deko_Von_Bis(0, g.anzahl - 1)];
    Sample& s = tabelle[i];
    // A sample that runs as a loop is heard already: played once more it
    // would also end its looping.
    if (s.spielt) return;
    spielen(i, static_cast<int>(s.lautstaerke) - (4 - stufe_begrenzen(stufe)) * 10, 128, schleife && s.loopbar);
}

void Spielansicht_Sound_Reaktion(int art, int stufe) {
    if (aktuell == KEINER || art < 0 || art > 4) return;
    // (group, variant) of the first and the second sample. Kind 1 takes the
    // second of group 7's two variants with set 0.
    const int teile[5][2][2] = {
        {{7, 0}, {2, 0}}, {{7, aktuell == 0 ? 1 : 0}, {3, 0}}, {{5, 0}, {2, 0}}, {{5, 0}, {3, 0}}, {{6, 2}, {2, 0}}};
    const int d = (4 - stufe_begrenzen(stufe)) * 10;
    for (int k = 0; k < 2; ++k) {
        const int i = variante_sample(teile[art][k][0], teile[art][k][1]);
        if (i < 0 || tabelle[i].spielt) continue;
        spielen(i, static_cast<int>(tabelle[i].lautstaerke) - (k == 0 ? d : 0), 128, false);
    }
}

void Spielansicht_Sound_Stereo(int index, int a, int b) {
    if (aktuell == KEINER || index < 0 || index >= SA_SAMPLES || tabelle[index].spielt) return;
    spielen(index, static_cast<int>(tabelle[index].lautstaerke), std::clamp((a - b) * 15 + 128, 0, 255), false);
}

const Sound_Slot* Spielansicht_Sound_Slot(int index) {
    return index >= 0 && index < SA_SAMPLES ? tabelle[index].slot : nullptr;
}
int Spielansicht_Sound_Eintrag(int index) {
    return index >= 0 && index < SA_SAMPLES ? static_cast<int>(tabelle[index].eintrag) : -1;
}
bool Spielansicht_Sound_Spielt(int index) { return index >= 0 && index < SA_SAMPLES && tabelle[index].spielt; }

bool Spielansicht_Sound_Starten() {
    if (Spielansicht_Sound_Allgemein_Laden() && Spielansicht_Sound_Set_Laden(0)) return true;
    Spielansicht_Sound_Beenden();
    return false;
}

void Spielansicht_Sound_Beenden() {
    Spielansicht_Sound_Free();
    Spielansicht_Sound_Free_Allgemein();
}

int Spielansicht_Sound_Stufe(u32 zuschauer) { return static_cast<int>(std::min<u32>(zuschauer / 10000, 4)); }

void Spielansicht_Sound_Stimmung(const Spielfeld_Daten* sf) {
    if (aktuell == KEINER || !sf || !sf->fokus || sf->kamera_schritte >= 2) return;
    const int stufe = Spielansicht_Sound_Stufe(sf->zuschauer);
    // The background follows the size of the crowd.
    if (const int i = laufende_schleife(0, 0, GRUPPEN[0].anzahl - 1); i >= 0) {
        const int soll = static_cast<int>(tabelle[i].lautstaerke) - (4 - stufe) * 10;
        if (tabelle[i].slot && tabelle[i].slot->lautstaerke != soll) Sound_Set_Lautstaerke(tabelle[i].slot, soll);
    }
    // Group 1: variants 0 and 1 the loud crowd, 2 and 3 the chants.
    const i32 aufregung = std::max(sf->seite[0].aufregung, sf->seite[1].aufregung);
    int laut = laufende_schleife(1, 0, 1);
    const int gesang = laufende_schleife(1, 2, 3);
    if (aufregung >= 50) {
        if (gesang >= 0) stoppen(gesang);
        if (laut < 0) Spielansicht_Sound_Stadion(1, 1, stufe, sf->tore[0] >= sf->tore[1] ? 0 : 1);
        return;
    }
    if (laut >= 0 && aufregung < 20) stoppen(laut), laut = -1;
    // Minutes 3..5 of each ten, the two songs taking turns.
    const int lied = 2 + (sf->minute / 10) % 2;
    const int soll = laut < 0 && sf->minute % 10 >= 3 && sf->minute % 10 < 6 ? GRUPPEN[1].sample[lied] : -1;
    if (gesang >= 0 && gesang != soll) stoppen(gesang);
    if (soll >= 0 && gesang != soll) Spielansicht_Sound_Stadion(1, 1, stufe, lied);
}

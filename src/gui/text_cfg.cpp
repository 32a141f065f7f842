// Screen text tables (see text_cfg.h).
#include "gui/text_cfg.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include "base/config.h"
#include "base/debug.h"
#include "base/meldung.h"

const char* const Text_Sektion_Namen[TEXT_SEKTIONEN] = {
    "SPIELER_INFO_SCREEN",
    "TRANSFER_SCREEN",
    "SPIELER_SUCHE_SCREEN",
    "SPIELER_TRAINING_SCREEN",
    "SPIELER_TALENTE_SCREEN",
    "SPIELER_TRAINING2_SCREEN",
    "TRAININGS_LAGER_SCREEN",
    "EDITOR_SCREEN",
    "EINSETZEN_1_SCREEN",
    "EINSETZEN_2_SCREEN",
    "BANK_SCREEN",
    "TAKTIK_SCREEN",
    "EINSETZEN_IM_SPIEL_SCREEN",
    "TAKTIK_IM_SPIEL_SCREEN",
    "DISK_SCREEN",
    "STADION_SCREEN",
    "FINANZ_SCREEN",
    "WERBUNG_SCREEN",
    "RANGLISTE_SCREEN",
    "OPTIONEN_SCREEN",
    "REST_TAVESK",
    "KALENDER_SCREEN",
    "TABELLE_SCREEN",
    "MENUE_SCREEN",
    "PILO_ZUSATZ",
    "ZUSATZTEXTE_DOLV",
    "ZUSATZTEXTE_BEXOT",
};

const char* Screen_Texte[TEXT_SEKTIONEN][TEXT_EINTRAEGE];

namespace {

std::unique_ptr<char[]> bloecke[TEXT_DATEIEN];

void syntax_fehler(i32 n, i32 code, const char* was) {
    const char* text = code == 102 ? "Expecting 'SCREEN' command, found '%s'" : "Unknown Command (%s)";
    char detail[160];
    std::snprintf(detail, sizeof detail, text, was);
    Meldung_Printf("[%d] Syntax-Error in %d_te.cfg:\n - (%d) %s\n\n", Read_Config_Get_Zeile(), n + 1, code, detail);
}

i32 sektion_von(const char* name) {
    for (i32 s = 0; s < TEXT_SEKTIONEN; ++s)
        if (!std::strcmp(Text_Sektion_Namen[s], name)) return s;
    return -1;
}

// Reads the open level as file n into its block.
void lesen(i32 n) {
    if (!bloecke[n]) bloecke[n].reset(new char[TEXT_BLOCK]);
    char* block = bloecke[n].get();
    u32 fuellung = 0;
    i32 sektion = -1, index = 0;
    bool ueberspringen = false;  // TEXT lines of an unknown section are dropped
    for (;;) {
        const char* wort = Read_Config_Next(nullptr, 0);
        if (!*wort) break;
        if (!std::strcmp(wort, "SCREEN")) {
            const char* name = Read_Config_Get_String();
            sektion = sektion_von(name);
            index = 0;
            ueberspringen = sektion < 0;
            if (sektion < 0) syntax_fehler(n, 101, name);
            continue;
        }
        if (std::strcmp(wort, "TEXT") != 0) {
            syntax_fehler(n, 101, wort);
            continue;
        }
        if (sektion < 0) {
            if (!ueberspringen) syntax_fehler(n, 102, wort);
            continue;
        }
        const char* text = Read_Config_Get_String();
        const u32 laenge = static_cast<u32>(std::strlen(text));
        if (fuellung > TEXT_BLOCK_GRENZE || fuellung + laenge + 1 > TEXT_BLOCK) {
            Debug_Printf("Memblok Text_cfg voll!!!\n");
            sektion = -1;
            continue;
        }
        if (index > TEXT_EINTRAEGE - 1) {
            Debug_Printf("Text_cfg : Screen Array voll!!!\n");
            sektion = -1;
            continue;
        }
        std::memcpy(block + fuellung, text, laenge + 1);
        Screen_Texte[sektion][index++] = block + fuellung;
        fuellung += laenge + 1;
    }
    Read_Config_Close();
    Debug_Printf("TEXT CONFIG AUSGELESEN !\n");
}

}  // namespace

bool Text_cfg(i32 n) {
    if (n < 0 || n >= TEXT_DATEIEN || !Read_Config_Open(CONFIG_TEXT, n, -1)) return false;
    lesen(n);
    return true;
}

bool Text_cfg_Speicher(const char* text, u32 laenge, i32 n) {
    if (n < 0 || n >= TEXT_DATEIEN || !Read_Config_Open_Mem(text, laenge, CONFIG_TEXT, n, -1)) return false;
    lesen(n);
    return true;
}

i32 Text_cfg_Init() {
    Text_cfg_Free();
    i32 gelesen = 0;
    for (i32 n = 0; n < TEXT_DATEIEN; ++n) gelesen += Text_cfg(n);
    for (i32 s = 0; s < TEXT_SEKTIONEN && gelesen; ++s)
        if (!Screen_Texte[s][0])
            Meldung_Printf("Warning in 1_te.cfg:\n - (201) Abschnitt %s fehlt\n\n", Text_Sektion_Namen[s]);
    return gelesen;
}

void Text_cfg_Free() {
    for (auto& b : bloecke) b.reset();
    for (auto& s : Screen_Texte)
        for (auto& t : s) t = nullptr;
}

const char* Text_cfg_Text(i32 sektion, i32 n) {
    if (sektion < 0 || sektion >= TEXT_SEKTIONEN || n < 0 || n >= TEXT_EINTRAEGE || !Screen_Texte[sektion][n])
        return "";
    return Screen_Texte[sektion][n];
}

const char* Text_cfg_Wert(const char* text, i32 sektion) {
    if (!text || text[0] != '*') return "";
    char* ende = nullptr;
    const long n = std::strtol(text + 1, &ende, 10);
    if (ende == text + 1 || *ende || n < 0 || n >= TEXT_EINTRAEGE) return "";
    return Text_cfg_Text(sektion, static_cast<i32>(n));
}

const char* Text_cfg_Aufloesen(const char** text, i32 sektion) {
    if (!text) return "";
    if (!*text) *text = "";
    if ((*text)[0] == '*' && (*text)[1] >= '0' && (*text)[1] <= '9') *text = Text_cfg_Wert(*text, sektion);
    return *text;
}

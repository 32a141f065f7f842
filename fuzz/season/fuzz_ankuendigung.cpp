// Fuzz target: announcement records as a client receives them and remark
// formats as text.cfg may hold them. The first byte picks: an announcement
// record (the buffer then runs its pages against no screen), or a format
// with the value types named by the next byte, formatted into a small and
// a 256-byte buffer with long texts and extreme numbers.
#include <cstdint>
#include <limits>
#include <string>

#include "season/ankuendigung.h"
#include "season/vorschau_saetze.h"
#include "world/welt.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    if (groesse < 2 || groesse > (1u << 16)) return 0;
    if (Team_Anzahl != 16) Welt_Anlegen(16, 0);
    if (daten[0] & 1) {
        Spielankuendigung_Init();
        Spielankuendigung_Aus_News(daten + 1, static_cast<u32>(groesse - 1));
        for (u32 t = 1; t < 200 && Spielankuendigung_Run(t * 20); ++t) {
        }
        return 0;
    }
    static const char* const typen_liste[] = {"", "s", "d", "sd", "ds", "sss", "sdd", "sdsdd"};
    const char* typen = typen_liste[daten[1] % 8];
    const std::string format(reinterpret_cast<const char*>(daten + 2), groesse - 2);
    const std::string lang(300, 'x');
    Satz_Wert werte[5];
    for (int i = 0; i < 5; ++i)
        werte[i] = i % 2 ? Satz_Wert{nullptr, std::numeric_limits<i64>::min()} : Satz_Wert{lang.c_str(), 0};
    for (int i = 0; typen[i]; ++i)
        if (typen[i] == 'd') werte[i] = Satz_Wert{nullptr, std::numeric_limits<i64>::max()};
    char klein[8], gross[256];
    Satz_Formatieren(klein, sizeof klein, format.c_str(), typen, werte);
    Satz_Formatieren(gross, sizeof gross, format.c_str(), typen, werte);
    return 0;
}

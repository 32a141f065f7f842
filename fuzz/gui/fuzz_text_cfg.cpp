// Screen text files of any content: read without crashing, every lookup a
// valid text.
#include <cstdint>
#include <cstring>

#include "base/meldung.h"
#include "gui/text_cfg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    static bool still = [] {
        Meldung_Set_Hooks({.zeigen = [](const char*) {}});
        return true;
    }();
    (void)still;
    Text_cfg_Free();
    Text_cfg_Speicher(reinterpret_cast<const char*>(daten), static_cast<u32>(groesse), 0);
    size_t summe = 0;
    for (i32 s = -1; s <= TEXT_SEKTIONEN; ++s)
        for (i32 n = -1; n <= TEXT_EINTRAEGE; n += 7) summe += std::strlen(Text_cfg_Text(s, n));
    return summe == static_cast<size_t>(-1);
}

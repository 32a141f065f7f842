#include "net/start_netz.h"

#include "base/globals.h"
#include "base/ruf.h"
#include "net/suche.h"
#include "net/verbindung.h"

namespace {
u32 oktett(i32 v) { return v >= 0 && v <= 255 ? static_cast<u32>(v) : 0; }
u16 port() { return Internet_Port ? Internet_Port : INTERNET_PORT; }
}  // namespace

i32 Netz_Start_Server_Pruefen(const i32 a[4], bool warten) {
    for (i32 d = 0; d < 256; ++d) Internet_Server_Suche_Tabelle[d].store(SUCHE_KEINER);
    return Internet_Check_Server(oktett(a[0]), oktett(a[1]), oktett(a[2]), oktett(a[3]), port(), warten ? 1 : 0);
}

void Netz_Start_Suche_Starten(const i32 a[4]) {
    for (i32 d = 0; d < 256; ++d) Internet_Server_Suche_Tabelle[d].store(SUCHE_KEINER);
    for (u32 d = 0; d < 255; ++d) {
        Internet_Server_Suche_Tabelle[d].store(SUCHE_OFFEN);
        Internet_Check_Server(oktett(a[0]), oktett(a[1]), oktett(a[2]), d, port(), 0);
    }
}

i32 Netz_Start_Suche_Stand(i32 a[4], u8* offen) {
    u32 d = 0;
    const i32 n = Internet_Get_Server_Index(nullptr, nullptr, nullptr, &d, port(), offen);
    if (n == -1) a[3] = static_cast<i32>(d);
    return n;
}

bool Netz_Start_Verbinden(const i32 a[4]) {
    for (i32 i = 0; i < 4; ++i) Internet_Server_Adresse[i] = oktett(a[i]);
    Internet_Connect();
    return !ruf::Einzel();
}

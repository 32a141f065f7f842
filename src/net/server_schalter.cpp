#include "net/server_schalter.h"

#include "base/globals.h"
#include "net/suche.h"
#include "net/verbindung.h"

bool Netz_Server_Oeffnen() {
    Internet_Modus = INTERNET_MODUS_SERVER;
    Internet_Connect();
    if (Internet_Listen_Verbindung) return true;
    Internet_Modus = INTERNET_MODUS_EINZEL;
    return false;
}

void Netz_Server_Schliessen() {
    if (Internet_Listen_Verbindung) {
        Verbindung_Close(Internet_Listen_Verbindung);
        Internet_Listen_Verbindung = nullptr;
    }
    Internet_Modus = INTERNET_MODUS_EINZEL;
}

void Netz_Lokale_Adresse(u8 adresse[4]) {
    for (int i = 0; i < 4; ++i) adresse[i] = Internet_Lokale_Adresse[i];
}

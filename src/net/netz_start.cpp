// The network layer's entries in the platform's hook table (see netz_start.h).
#include "net/netz_start.h"

#include "net/slots.h"
#include "platform/hooks.h"

namespace {

bool Start(const char* logdatei, i32 nummer) { return Verbindung_Start(logdatei, nummer) != 0; }

// At start-up: this machine's host name, the port setting and the address to listen on.
bool Lokaler_Host() {
    return Verbindung_Get_Local_Host(Internet_Hostname, sizeof Internet_Hostname, &Internet_Port,
                                     Internet_Lokale_Adresse) != 0;
}

void Ereignis(uintptr_t socket, u32 ereignisse) { Socket_Event(socket, ereignisse); }

}  // namespace

void Netz_Main_Hooks_Eintragen(Main_Hook_Tabelle* h) {
    h->Verbindung_Start = Start;
    h->Verbindung_Get_Local_Host = Lokaler_Host;
    h->Verbindung_Pump = Verbindung_Pump;
    h->Verbindung_Server_Clients = Verbindung_Server_Clients;
    h->Server_Frame = Verbindung_Server_Frame;
    h->Client_Frame = Verbindung_Client_Frame;
    h->Socket_Event = Ereignis;
}

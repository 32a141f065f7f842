// The network layer's entries in the platform's hook table (see netz_start.h).
#include "net/netz_start.h"

#include "net/slots.h"
#include "platform/hooks.h"

bool Netz_Start(const char* logdatei, i32 nummer) { return Verbindung_Start(logdatei, nummer) != 0; }

bool Netz_Lokaler_Host() {
    return Verbindung_Get_Local_Host(Internet_Hostname, sizeof Internet_Hostname, &Internet_Port,
                                     Internet_Lokale_Adresse) != 0;
}

void Netz_Socket_Ereignis(uintptr_t socket, u32 ereignisse) { Socket_Event(socket, ereignisse); }

Main_Hook_Tabelle Netz_Main_Hooks() {
    return {
        .Verbindung_Start = Netz_Start,
        .Verbindung_Get_Local_Host = Netz_Lokaler_Host,
        .Verbindung_Pump = Verbindung_Pump,
        .Verbindung_Server_Clients = Verbindung_Server_Clients,
        .Server_Frame = Verbindung_Server_Frame,
        .Client_Frame = Verbindung_Client_Frame,
        .Socket_Event = Netz_Socket_Ereignis,
    };
}

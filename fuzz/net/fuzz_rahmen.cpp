// Fuzz target: raw bytes from a peer into the frame reader of a connection.
// The bytes arrive over a local socket pair; the pump reads them frame by
// frame, every complete packet is taken and checked, until the connection
// breaks or the bytes are used up. Nothing may be read or written outside
// its buffer, and a packet is never longer than the frame allowed.
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

#include "base/memory.h"
#include "net/slots.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool gestartet = [] {
        Verbindung_Start("", 0);
        return true;
    }();
    (void)gestartet;
    int paar[2];
    if (size > 65536 || socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, paar) != 0) return 0;
    Socket_Info* info = Socket_Init_Get_Socket_Info();
    if (!info) std::abort();
    info->sock = paar[0];
    Verbindung* v = Verbindung_Accept(info);
    if (!v) std::abort();
    if (size && write(paar[1], data, size) != static_cast<ssize_t>(size)) std::abort();
    shutdown(paar[1], SHUT_WR);
    for (int runde = 0; runde < 100000; runde++) {
        Verbindung_Pump();
        if (Verbindung_Zustand(v) == VERBINDUNG_KAPUTT) break;
        u32 n = 0;
        if (u8* p = Verbindung_Paket_Nehmen(v, &n)) {
            if (n == 0 || n + VERBINDUNG_KOPF > size) std::abort();
            volatile u8 erstes = p[0], letztes = p[n - 1];
            (void)erstes;
            (void)letztes;
            W32_Memory_H_Free(p);
            Verbindung_Read_Start(v);
        }
    }
    Verbindung_Close(v);
    close(paar[1]);
    return 0;
}

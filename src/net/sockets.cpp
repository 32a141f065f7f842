// The socket layer over POSIX (see sockets.h).
#include "net/sockets.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Trace log
// ---------------------------------------------------------------------------

constexpr int SPUR_EBENEN = 8;
struct Spur_Ebene {
    char name[256];
    std::chrono::steady_clock::time_point anfang;
};
Spur_Ebene spur_ebenen[SPUR_EBENEN];
int spur_aktuell = -1;
bool spur_an = false;
char spur_datei[1024];

void Spur_Zeile(const char* zeile) {
    if (!spur_an) return;
    FILE* f = std::fopen(spur_datei, "a+");
    if (!f) return;
    std::fprintf(f, "%s\r\n", zeile);
    std::fclose(f);
}

const char* Einrueckung(int ebene) {
    static const char blanks[] = "                            ";  // 28
    int n = ebene <= 0 ? 0 : 4 * ebene - 1;
    return blanks + (sizeof blanks - 1 - n);
}

// Kinds of a trace message.
constexpr int SPUR_FEHLER = 0;
constexpr int SPUR_MELDUNG = 1;

__attribute__((format(printf, 2, 3))) void Spur(int art, const char* format, ...) {
    if (!spur_an) return;
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    const int e = spur_aktuell < 0 ? 0 : spur_aktuell;
    const char* name = spur_aktuell < 0 ? "" : spur_ebenen[e].name;
    const char* kind = art == SPUR_FEHLER ? "ERROR LO" : art == SPUR_MELDUNG ? "MESSAGE" : "OUTPUT";
    char zeile[1400];
    std::snprintf(zeile, sizeof zeile, "%s%s%s: %s", Einrueckung(e), name, kind, text);
    Spur_Zeile(zeile);
}

// One operation's trace level: BEGIN on entry, END with its duration on every exit.
struct Spur_Block {
    int ebene = -1;
    explicit Spur_Block(const char* operation) {
        if (!spur_an) return;
        for (int i = 0; i < SPUR_EBENEN; i++) {
            if (spur_ebenen[i].name[0]) continue;
            std::snprintf(spur_ebenen[i].name, sizeof spur_ebenen[i].name, "%s ", operation);
            spur_aktuell = ebene = i;
            std::string zeile = std::string(spur_ebenen[i].name) + " BEGIN";
            Spur_Zeile(zeile.c_str());
            spur_ebenen[i].anfang = std::chrono::steady_clock::now();
            return;
        }
    }
    ~Spur_Block() {
        if (ebene < 0) return;
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                              spur_ebenen[ebene].anfang);
        char zeile[300];
        std::snprintf(zeile, sizeof zeile, "%s %s %d mmsec", spur_ebenen[ebene].name, "END",
                      static_cast<int>(ms.count()));
        Spur_Zeile(zeile);
        spur_ebenen[ebene].name[0] = 0;
        spur_aktuell = ebene - 1;
    }
    Spur_Block(const Spur_Block&) = delete;
    Spur_Block& operator=(const Spur_Block&) = delete;
};

// ---------------------------------------------------------------------------
// Error names
// ---------------------------------------------------------------------------

struct Fehler_Name {
    int nummer;
    const char* name;
};
constexpr Fehler_Name FEHLER_NAMEN[] = {
    {EINTR, "WSAEINTR"},
    {EFAULT, "WSAEFAULT"},
    {EINVAL, "WSAEINVAL"},
    {EMFILE, "WSAEMFILE"},
    {ENFILE, "WSAEMFILE"},
    {EAGAIN, "WSAEWOULDBLOCK"},
    {EINPROGRESS, "WSAEINPROGRESS"},
    {EALREADY, "WSAEINPROGRESS"},
    {ENOTSOCK, "WSAENOTSOCK"},
    {EBADF, "WSAENOTSOCK"},
    {EMSGSIZE, "WSAEMSGSIZE"},
    {EPROTOTYPE, "WSAEPROTOTYPE"},
    {ENOPROTOOPT, "WSAENOPROTOOPT"},
    {EPROTONOSUPPORT, "WSAEPROTONOSUPPORT"},
    {ESOCKTNOSUPPORT, "WSAESOCKTNOSUPPORT"},
    {EOPNOTSUPP, "WSAEOPNOTSUPP"},
    {EAFNOSUPPORT, "WSAEAFNOSUPPORT"},
    {EADDRINUSE, "WSAEADDRINUSE"},
    {EADDRNOTAVAIL, "WSAEADDRNOTAVAIL"},
    {ENETDOWN, "WSAENETDOWN"},
    {ENETUNREACH, "WSAENETUNREACH"},
    {EHOSTUNREACH, "WSAENETUNREACH"},
    {ENETRESET, "WSAENETRESET"},
    {ECONNABORTED, "WSAECONNABORTED"},
    {ECONNRESET, "WSAECONNRESET"},
    {EPIPE, "WSAESHUTDOWN"},
    {ENOBUFS, "WSAENOBUFS"},
    {ENOMEM, "WSAENOBUFS"},
    {EISCONN, "WSAEISCONN"},
    {ENOTCONN, "WSAENOTCONN"},
    {ESHUTDOWN, "WSAESHUTDOWN"},
    {ETIMEDOUT, "WSAETIMEDOUT"},
    {ECONNREFUSED, "WSAECONNREFUSED"},
    {EACCES, "WSAEACCES"},
    {EPERM, "WSAEACCES"},
};

using Namen = std::initializer_list<const char*>;
const Namen NAMEN_CREATE = {"WSAEMFILE",          "WSAEINPROGRESS",  "WSAEPROTOTYPE", "WSAEPROTONOSUPPORT",
                            "WSAESOCKTNOSUPPORT", "WSAEAFNOSUPPORT", "WSAENETDOWN",   "WSAENOBUFS"};
const Namen NAMEN_DESTROY = {"WSAEINTR", "WSAEWOULDBLOCK", "WSAEINPROGRESS", "WSAENOTSOCK", "WSAENETDOWN"};
const Namen NAMEN_BIND = {"WSAEFAULT",       "WSAEINVAL",     "WSAEINPROGRESS", "WSAENOTSOCK",
                          "WSAEAFNOSUPPORT", "WSAEADDRINUSE", "WSAENETDOWN",    "WSAENOBUFS"};
const Namen NAMEN_LISTEN = {"WSAEINVAL",     "WSAEMFILE",   "WSAEINPROGRESS", "WSAENOTSOCK", "WSAEOPNOTSUPP",
                            "WSAEADDRINUSE", "WSAENETDOWN", "WSAENOBUFS",     "WSAEISCONN"};
const Namen NAMEN_ACCEPT = {"WSAEINTR",       "WSAEFAULT",   "WSAEINVAL",     "WSAEMFILE",   "WSAEWOULDBLOCK",
                            "WSAEINPROGRESS", "WSAENOTSOCK", "WSAEOPNOTSUPP", "WSAENETDOWN", "WSAENOBUFS"};
const Namen NAMEN_CONNECT = {"WSAEINTR",       "WSAEFAULT",        "WSAEINVAL",    "WSAEMFILE",
                             "WSAEWOULDBLOCK", "WSAEINPROGRESS",   "WSAENOTSOCK",  "WSAEAFNOSUPPORT",
                             "WSAEADDRINUSE",  "WSAEADDRNOTAVAIL", "WSAENETDOWN",  "WSAENETUNREACH",
                             "WSAENOBUFS",     "WSAEISCONN",       "WSAETIMEDOUT", "WSAECONNREFUSED"};
const Namen NAMEN_OPTION = {"WSAENETDOWN",  "WSAEFAULT",      "WSAEINPROGRESS", "WSAEINVAL",
                            "WSAENETRESET", "WSAENOPROTOOPT", "WSAENOTCONN",    "WSAENOTSOCK"};
const Namen NAMEN_SELECT = {"WSAEINVAL", "WSAEINPROGRESS", "WSAENOTSOCK", "WSAENETDOWN"};
// Reads and writes: a listed error is a lasting failure, any other one (the
// would-block and in-progress errors removed) only a momentary one.
const Namen NAMEN_READ = {"WSAEFAULT",     "WSAEINVAL",   "WSAENOTSOCK",  "WSAEMSGSIZE",
                          "WSAEOPNOTSUPP", "WSAENETDOWN", "WSAENETRESET", "WSAECONNABORTED",
                          "WSAECONNRESET", "WSAENOTCONN", "WSAESHUTDOWN", "WSAETIMEDOUT"};
const Namen NAMEN_WRITE = {"WSAENETDOWN", "WSAEACCES",       "WSAEFAULT",     "WSAENETRESET", "WSAENOBUFS",
                           "WSAENOTCONN", "WSAENOTSOCK",     "WSAEOPNOTSUPP", "WSAESHUTDOWN", "WSAEMSGSIZE",
                           "WSAEINVAL",   "WSAECONNABORTED", "WSAECONNRESET"};

// Names the error in the trace ("<prefix>returns <name>", or the unknown
// text); true when the operation's list holds it.
bool Fehler_Nennen(int fehler, const Namen& liste, const char* praefix, const char* unbekannt) {
    const char* name = Socket_Fehlername(fehler);
    bool gelistet = false;
    if (name)
        for (const char* n : liste)
            if (std::strcmp(n, name) == 0) gelistet = true;
    if (gelistet) Spur(SPUR_FEHLER, "%sreturns %s", praefix, name);
    else Spur(SPUR_FEHLER, "%s", unbekannt);
    return gelistet;
}

// ---------------------------------------------------------------------------
// Table and event procedures
// ---------------------------------------------------------------------------

// The records; built once by Socket_Init, so their addresses stay put.
std::vector<Socket_Info> tabelle;
// Records are taken from the front: none at or past this index is in use, so
// the passes made at every pump look at the used front only.
size_t belegt_bis = 0;
std::span<Socket_Info> belegte() { return std::span(tabelle).first(belegt_bis); }
Socket_Ereignis_Fn rueckrufe[4] = {};

bool Pruefen(const Socket_Info* info) {
    if (!info) {
        Spur(SPUR_FEHLER, "sock_info==NULL");
        return false;
    }
    if (info->sock == SOCKET_UNGUELTIG) {
        Spur(SPUR_FEHLER, "sock_info->sock==INVALID_SOCKET");
        return false;
    }
    return true;
}

sockaddr_in Adresse_Bauen(u16 port, const u8* adresse) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(Socket_Port_Leitung(port));
    std::memcpy(&sa.sin_addr, adresse, 4);
    return sa;
}

bool Adresse_Und_Port(const u8* adresse, u16 port) {
    if (!adresse) {
        Spur(SPUR_FEHLER, "no IP Address specified.");
        return false;
    }
    if (port == 0) {
        Spur(SPUR_FEHLER, "no Port Address specified.");
        return false;
    }
    return true;
}

bool Nicht_Blockierend(int fd) {
    int f = fcntl(fd, F_GETFL, 0);
    return f >= 0 && fcntl(fd, F_SETFL, f | O_NONBLOCK) == 0;
}

bool bruecke_laeuft = false;

// Requests and answers go out at once, whole, not gathered by the system.
void Ohne_Verzoegerung(int fd) {
    int eins = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &eins, sizeof eins);
}

}  // namespace

const char* Socket_Fehlername(int fehler) {
    if (fehler == EWOULDBLOCK) fehler = EAGAIN;
    for (const Fehler_Name& f : FEHLER_NAMEN)
        if (f.nummer == fehler) return f.name;
    return nullptr;
}

i32 Socket_Log_Open(const char* dateiname) {
    if (!dateiname) return 0;
    std::snprintf(spur_datei, sizeof spur_datei, "%s", dateiname);
    spur_an = true;
    FILE* f = std::fopen(spur_datei, "wb+");
    if (!f) return 0;
    std::fputs("--- logfile ---\r", f);
    std::fclose(f);
    return 1;
}

void Socket_Log_Close() { spur_an = false; }

i32 Socket_Start(u32* max_sockets) {
    Spur_Block s("Socket_Start");
    // No library to start: the number of sockets is the process's file limit.
    rlimit grenze{};
    u32 maximum = 32767;
    if (getrlimit(RLIMIT_NOFILE, &grenze) == 0 && grenze.rlim_cur < maximum)
        maximum = static_cast<u32>(grenze.rlim_cur);
    Spur(SPUR_MELDUNG, "Max_Sockets: %d", static_cast<int>(maximum));
    if (max_sockets) *max_sockets = maximum;
    if (maximum < 8) {
        Spur(SPUR_FEHLER, "WSAStartup returns only %d Sockets.", static_cast<int>(maximum));
        return 0;
    }
    Spur(SPUR_MELDUNG, "WSAStartup system status: %s", "Running");
    return 1;
}

i32 Socket_End() {
    Spur_Block s("Socket_End");
    return 1;
}

i32 Socket_Init(i32 anzahl) {
    Spur_Block s("Socket_Init");
    Socket_DeInit();
    if (anzahl < 0) anzahl = 0;
    if (anzahl > SOCKET_MAX_RECORDS) anzahl = SOCKET_MAX_RECORDS;
    tabelle.assign(static_cast<size_t>(anzahl), Socket_Info{});
    belegt_bis = 0;
    return 1;
}

i32 Socket_DeInit() {
    Spur_Block s("Socket_DeInit");
    for (Socket_Info& info : tabelle)
        if (info.sock != SOCKET_UNGUELTIG) close(info.sock);
    tabelle.clear();
    tabelle.shrink_to_fit();
    belegt_bis = 0;
    return 1;
}

i32 Socket_Anzahl() { return static_cast<i32>(tabelle.size()); }

Socket_Info* Socket_Init_Get_Socket_Info() {
    Spur_Block s("Socket_Init_Get_Socket_Info");
    for (Socket_Info& info : tabelle)
        if (!info.benutzt) {
            info.benutzt = 1;
            belegt_bis = std::max(belegt_bis, static_cast<size_t>(&info - tabelle.data()) + 1);
            return &info;
        }
    Spur(SPUR_FEHLER, "no sockets available");
    return nullptr;
}

i32 Socket_Init_Clear_Socket_Info(Socket_Info* info) {
    Spur_Block s("Socket_Init_Clear_Socket_Info");
    if (!info) {
        Spur(SPUR_FEHLER, "sinfo==NULL");
        return 0;
    }
    *info = Socket_Info{};
    while (belegt_bis > 0 && !tabelle[belegt_bis - 1].benutzt) --belegt_bis;
    return 1;
}

Socket_Info* Socket_Init_Search_Socket(i32 sock) {
    Spur_Block s("Socket_Init_Search_Socket");
    if (sock == SOCKET_UNGUELTIG) {
        Spur(SPUR_FEHLER, "sock==INVALID_SOCKET");
        return nullptr;
    }
    for (Socket_Info& info : belegte())
        if (info.benutzt && info.sock == sock) return &info;
    return nullptr;
}

i32 Socket_Create(Socket_Info* info) {
    Spur_Block s("Socket_Create");
    if (!info) {
        Spur(SPUR_FEHLER, "sock_info==NULL");
        return 0;
    }
    if (info->sock != SOCKET_UNGUELTIG) {
        Spur(SPUR_FEHLER, "sock_info->sock!=INVALID_SOCKET");
        return 0;
    }
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        Fehler_Nennen(errno, NAMEN_CREATE, "", "returns unknown error");
        return 0;
    }
    info->sock = fd;
    Spur(SPUR_MELDUNG, "OK!");
    return 1;
}

i32 Socket_Destroy(Socket_Info* info) {
    Spur_Block s("Socket_Destroy");
    if (!Pruefen(info)) return 0;
    // close() always releases the descriptor on Linux, whatever it reports.
    if (close(info->sock) != 0) Fehler_Nennen(errno, NAMEN_DESTROY, "closesocket() ", "returns unknown error");
    Socket_Init_Clear_Socket_Info(info);
    return 1;
}

i32 Socket_Bind(Socket_Info* info, u16 port, const u8* adresse) {
    Spur_Block s("Socket_Bind");
    if (!Pruefen(info) || !Adresse_Und_Port(adresse, port)) return 0;
    sockaddr_in sa = Adresse_Bauen(port, adresse);
    if (bind(info->sock, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
        Fehler_Nennen(errno, NAMEN_BIND, "", "returns a undefined error");
        return 0;
    }
    Spur(SPUR_MELDUNG, "OK!");
    return 1;
}

i32 Socket_Listen(Socket_Info* info) {
    Spur_Block s("Socket_Listen");
    if (!Pruefen(info)) return 0;
    if (listen(info->sock, 1) != 0) {
        Fehler_Nennen(errno, NAMEN_LISTEN, "", "returns a undefined error");
        return 0;
    }
    Spur(SPUR_MELDUNG, "OK!");
    return 1;
}

Socket_Info* Socket_Accept(Socket_Info* info) {
    Spur_Block s("Socket_Accept");
    if (!Pruefen(info)) return nullptr;
    Socket_Info* neu = Socket_Init_Get_Socket_Info();
    if (!neu) return nullptr;
    sockaddr_in sa{};
    socklen_t laenge = sizeof sa;
    int fd = accept4(info->sock, reinterpret_cast<sockaddr*>(&sa), &laenge, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) {
        Fehler_Nennen(errno, NAMEN_ACCEPT, "", "returns a undefined error");
        Socket_Init_Clear_Socket_Info(neu);
        return nullptr;
    }
    neu->sock = fd;
    Ohne_Verzoegerung(fd);
    // The record keeps the address in its wire layout: family, port field, address.
    put_u16le(neu->peer, AF_INET);
    std::memcpy(neu->peer + 2, &sa.sin_port, 2);
    std::memcpy(neu->peer + 4, &sa.sin_addr, 4);
    Spur(SPUR_MELDUNG, "OK!, IP-Adr: %d.%d.%d.%d, Port: %#06x", neu->peer[4], neu->peer[5], neu->peer[6], neu->peer[7],
         Socket_Port_Leitung(ntohs(sa.sin_port)));
    return neu;
}

i32 Socket_Connect(Socket_Info* info, u16 port, const u8* adresse, u32 zeitlimit_ms) {
    Spur_Block s("Socket_Connect");
    if (!Pruefen(info) || !Adresse_Und_Port(adresse, port)) return 0;
    // Not blocking: an unreachable host would otherwise hold the game for
    // the system's two minutes.
    if (!Nicht_Blockierend(info->sock)) {
        Fehler_Nennen(errno, NAMEN_CONNECT, "connect ", "connect returns unknown error");
        return 0;
    }
    sockaddr_in sa = Adresse_Bauen(port, adresse);
    int fehler = 0;
    if (connect(info->sock, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
        fehler = errno;
        if (fehler == EINPROGRESS) {
            pollfd p{info->sock, POLLOUT, 0};
            int r;
            do r = poll(&p, 1, static_cast<int>(zeitlimit_ms));
            while (r < 0 && errno == EINTR);
            if (r == 0) {
                fehler = ETIMEDOUT;
            } else {
                socklen_t l = sizeof fehler;
                if (getsockopt(info->sock, SOL_SOCKET, SO_ERROR, &fehler, &l) != 0) fehler = errno;
            }
        }
    }
    if (fehler) {
        Fehler_Nennen(fehler, NAMEN_CONNECT, "connect ", "connect returns unknown error");
        return 0;
    }
    Ohne_Verzoegerung(info->sock);
    Spur(SPUR_MELDUNG, "OK!");
    return 1;
}

i32 Socket_Get_Peer(const Socket_Info* info, u16* port, u8* adresse) {
    if (!info) return 0;
    if (port) *port = static_cast<u16>(info->peer[2] | info->peer[3] << 8);  // the raw field
    if (adresse) std::memcpy(adresse, info->peer + 4, 4);
    return 1;
}

i32 Socket_Option(Socket_Info* info, i32 code, i32 wert) {
    Spur_Block s("Socket_Option");
    if (!Pruefen(info)) return 0;
    int name;
    switch (code) {
        case SOCKET_OPT_BROADCAST: name = SO_BROADCAST; break;
        case SOCKET_OPT_DEBUG:
        case SOCKET_OPT_DEBUG_2: name = SO_DEBUG; break;
        case SOCKET_OPT_DONTLINGER: name = SO_LINGER; break;
        case SOCKET_OPT_DONTROUTE: name = SO_DONTROUTE; break;
        case SOCKET_OPT_KEEPALIVE: name = SO_KEEPALIVE; break;
        case SOCKET_OPT_OOBINLINE: name = SO_OOBINLINE; break;
        case SOCKET_OPT_REUSEADDR: name = SO_REUSEADDR; break;
        default: Spur(SPUR_FEHLER, "parameter not available"); return 0;
    }
    int r;
    if (name == SO_LINGER) {
        // "Do not linger" on: a close returns at once and the system sends
        // what is left in the background.
        linger l{wert ? 0 : 1, 0};
        r = setsockopt(info->sock, SOL_SOCKET, SO_LINGER, &l, sizeof l);
    } else {
        int v = wert;
        r = setsockopt(info->sock, SOL_SOCKET, name, &v, sizeof v);
        if (r == 0 && name == SO_KEEPALIVE && wert) {
            // A peer that vanished without a word is found after about 90 s, not hours.
            int idle = 60, intervall = 10, anzahl = 3;
            setsockopt(info->sock, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
            setsockopt(info->sock, IPPROTO_TCP, TCP_KEEPINTVL, &intervall, sizeof intervall);
            setsockopt(info->sock, IPPROTO_TCP, TCP_KEEPCNT, &anzahl, sizeof anzahl);
        }
    }
    if (r != 0) {
        Fehler_Nennen(errno, NAMEN_OPTION, "", "returns unknowmn error");
        return 0;
    }
    Spur(SPUR_MELDUNG, "OK!");
    return 1;
}

i32 Socket_Async_Select_Event(Socket_Info* info, uintptr_t fenster, u32 maske) {
    Spur_Block s("Socket_Async_Select_Event");
    if (!Pruefen(info)) return 0;
    if (!Nicht_Blockierend(info->sock)) {
        Fehler_Nennen(errno, NAMEN_SELECT, "", "returns unknown error");
        return 0;
    }
    info->maske = maske;
    info->fenster = fenster;
    Spur(SPUR_MELDUNG, "OK!");
    return 1;
}

i32 Socket_Async_Select_Stop_Events(Socket_Info* info, uintptr_t fenster) {
    Spur_Block s("Socket_Async_Select_Stop_Events");
    if (!Pruefen(info)) return 0;
    info->maske = 0;
    info->fenster = fenster;
    return 1;
}

i32 Socket_Read(Socket_Info* info, void* puffer, u32 laenge, u32* anzahl) {
    Spur_Block s("Socket_Read");
    if (!Pruefen(info)) return 1;
    if (!puffer || laenge == 0) {
        Spur(SPUR_MELDUNG, "no more data to read?");
        return 1;
    }
    ssize_t n;
    do n = recv(info->sock, puffer, laenge, 0);
    while (n < 0 && errno == EINTR);
    if (n > 0) {
        if (anzahl) *anzahl = static_cast<u32>(n);
        Spur(SPUR_MELDUNG, "%d Bytes readed.", static_cast<int>(n));
        return 1;
    }
    if (n == 0) {
        // The peer has closed: nothing will ever come again.
        Spur(SPUR_FEHLER, "connection closed by peer");
        return 0;
    }
    if (errno == EAGAIN || errno == EWOULDBLOCK) return 1;
    return Fehler_Nennen(errno, NAMEN_READ, "", "returns a undefined error") ? 0 : 1;
}

i32 Socket_Write(Socket_Info* info, const void* puffer, u32 laenge, u32* anzahl) {
    Spur_Block s("Socket_Write");
    if (!Pruefen(info)) return 1;
    if (!puffer || laenge == 0) {
        Spur(SPUR_MELDUNG, "no more data to write");
        return 1;
    }
    ssize_t n;
    // MSG_NOSIGNAL: a peer that has gone is a failed write, not a signal that ends the program.
    do n = send(info->sock, puffer, laenge, MSG_NOSIGNAL);
    while (n < 0 && errno == EINTR);
    if (n >= 0) {
        if (anzahl) *anzahl = static_cast<u32>(n);
        Spur(SPUR_MELDUNG, "%d Bytes sended.", static_cast<int>(n));
        return 1;
    }
    if (errno == EAGAIN || errno == EWOULDBLOCK) return 1;
    return Fehler_Nennen(errno, NAMEN_WRITE, "", "returns a undefined error") ? 0 : 1;
}

i32 Socket_Host_Get_IP_ADDR(const char* name, u8* adresse) {
    Spur_Block s("Socket_Host_Get_IP_ADDR");
    if (!name || !adresse) return 0;
    addrinfo hinweis{};
    hinweis.ai_family = AF_INET;
    hinweis.ai_socktype = SOCK_STREAM;
    addrinfo* ergebnis = nullptr;
    if (getaddrinfo(name, nullptr, &hinweis, &ergebnis) != 0 || !ergebnis) {
        Spur(SPUR_FEHLER, "returns WSAHOST_NOT_FOUND");
        return 0;
    }
    std::memcpy(adresse, &reinterpret_cast<sockaddr_in*>(ergebnis->ai_addr)->sin_addr, 4);
    freeaddrinfo(ergebnis);
    return 1;
}

i32 Socket_Host_Get_Local_Host(char* name, i32 laenge, u8* adresse) {
    Spur_Block s("Socket_Host_Get_Local_Host");
    if (!name || laenge <= 0 || !adresse) return 0;
    if (gethostname(name, static_cast<size_t>(laenge)) != 0) {
        std::snprintf(name, static_cast<size_t>(laenge), "error");
        Spur(SPUR_FEHLER, "returns WSAEFAULT");
        return 0;
    }
    name[laenge - 1] = 0;
    Spur(SPUR_MELDUNG, "hostname=%s", name);
    // The host name often stands for a loopback address (127.0.1.1), which
    // no other machine can reach: the first interface that is up and not
    // loopback comes first.
    ifaddrs* liste = nullptr;
    if (getifaddrs(&liste) == 0) {
        for (ifaddrs* a = liste; a; a = a->ifa_next) {
            if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET) continue;
            if ((a->ifa_flags & IFF_LOOPBACK) || !(a->ifa_flags & IFF_UP)) continue;
            std::memcpy(adresse, &reinterpret_cast<sockaddr_in*>(a->ifa_addr)->sin_addr, 4);
            freeifaddrs(liste);
            return 1;
        }
        freeifaddrs(liste);
    }
    if (Socket_Host_Get_IP_ADDR(name, adresse)) return 1;
    std::memset(adresse, 0, 4);
    return 0;
}

void Socket_Set_Callbacks(Socket_Ereignis_Fn accept, Socket_Ereignis_Fn read, Socket_Ereignis_Fn write,
                          Socket_Ereignis_Fn close_fn) {
    rueckrufe[0] = accept;
    rueckrufe[1] = read;
    rueckrufe[2] = write;
    rueckrufe[3] = close_fn;
}

void Socket_Callback(i32 code, Socket_Info* info) {
    if (code < SOCKET_EREIGNIS_ACCEPT || code > SOCKET_EREIGNIS_CLOSE) return;
    if (Socket_Ereignis_Fn f = rueckrufe[code - SOCKET_EREIGNIS_ACCEPT]) f(info);
}

Socket_Info* Socket_Event(uintptr_t sock, u32 ereignisse) {
    Spur_Block s("Socket_Event");
    if (sock > 0x7FFFFFFF) return nullptr;
    Socket_Info* info = Socket_Init_Search_Socket(static_cast<i32>(sock));
    if (!info) return nullptr;
    if (ereignisse & FD_READ) {
        Spur(SPUR_MELDUNG, "FD_READ");
        Socket_Callback(SOCKET_EREIGNIS_READ, info);
    }
    if (ereignisse & FD_WRITE) {
        Spur(SPUR_MELDUNG, "FD_WRITE");
        Socket_Callback(SOCKET_EREIGNIS_WRITE, info);
    }
    if (ereignisse & FD_OOB) Spur(SPUR_MELDUNG, "FD_OOB");
    if (ereignisse & FD_ACCEPT) {
        Spur(SPUR_MELDUNG, "FD_ACCEPT");
        if (Socket_Info* neu = Socket_Accept(info)) Socket_Callback(SOCKET_EREIGNIS_ACCEPT, neu);
    }
    if (ereignisse & FD_CONNECT) Spur(SPUR_MELDUNG, "FD_CONNECT");
    if (ereignisse & FD_CLOSE) {
        Spur(SPUR_MELDUNG, "FD_CLOSE");
        Socket_Callback(SOCKET_EREIGNIS_CLOSE, info);
    }
    return info;
}

void Socket_Bruecke_Abfragen() {
    if (bruecke_laeuft) return;
    bruecke_laeuft = true;
    pollfd felder[SOCKET_MAX_RECORDS];
    nfds_t n = 0;
    for (const Socket_Info& info : belegte()) {
        if (!info.benutzt || info.sock == SOCKET_UNGUELTIG || !(info.maske & (FD_ACCEPT | FD_CLOSE))) continue;
        short ev = 0;
        if (info.maske & FD_ACCEPT) ev |= POLLIN;
        if (info.maske & FD_CLOSE) ev |= POLLRDHUP;
        felder[n++] = pollfd{info.sock, ev, 0};
    }
    if (n > 0 && poll(felder, n, 0) > 0) {
        for (nfds_t i = 0; i < n; i++) {
            const short r = felder[i].revents;
            if (!r) continue;
            // The record may have gone with an earlier event of this round.
            Socket_Info* info = Socket_Init_Search_Socket(felder[i].fd);
            if (!info) continue;
            u32 bits = 0;
            if ((info->maske & FD_ACCEPT) && (r & POLLIN)) bits |= FD_ACCEPT;
            if ((info->maske & FD_CLOSE) && (r & (POLLRDHUP | POLLHUP | POLLERR))) {
                // What the peer sent before it closed is read first.
                int offen = 0;
                if ((r & POLLERR) || ioctl(info->sock, FIONREAD, &offen) != 0 || offen == 0) bits |= FD_CLOSE;
            }
            if (bits) Socket_Event(static_cast<uintptr_t>(info->sock), bits);
        }
    }
    bruecke_laeuft = false;
}

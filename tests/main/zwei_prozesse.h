// What the two-process network tests share: a loopback address of the
// test's own, the host forked as a child with two pipes, and a read from a
// pipe that keeps the game's frames running while it waits; a child that
// must be killed at the end has its game folders removed.
#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <string>

#include "spielordner.h"

namespace zwei_prozesse {

using Uhr = std::chrono::steady_clock;

// 127.A.B.<endung> with A and B from the test's process id (taken before the
// host is forked): test programs running side by side never share an address.
inline std::string Adresse(unsigned endung) {
    const unsigned pid = static_cast<unsigned>(getpid());
    return "127." + std::to_string(100 + (pid >> 8) % 100) + "." + std::to_string(pid & 255) + "." +
           std::to_string(endung);
}

// Reads `n` bytes within `ms`; while nothing comes `warten` runs (frames, so
// the network goes on). False on a closed pipe or when the time is up.
template <class W>
bool Lesen(int fd, void* ziel, size_t n, int ms, W warten) {
    const auto ende = Uhr::now() + std::chrono::milliseconds(ms);
    auto* p = static_cast<char*>(ziel);
    size_t gelesen = 0;
    while (gelesen < n) {
        pollfd f{fd, POLLIN, 0};
        if (poll(&f, 1, 0) > 0) {
            const ssize_t r = read(fd, p + gelesen, n - gelesen);
            if (r <= 0) return false;
            gelesen += static_cast<size_t>(r);
            continue;
        }
        if (Uhr::now() > ende) return false;
        warten();
    }
    return true;
}

// Lets a child process go: `ms` for it to end by itself, then it is
// killed. It is reaped only after its game folders are gone (until then no
// other process gets its id, which names them): a child killed, or gone
// without its own clean-up, leaves nothing behind.
inline void Kind_Beenden(pid_t kind, int ms) {
    // Ended, or no child of this process any more (reaped already): never
    // a kill for an id that may be another process's by now.
    bool weg = false;
    const auto beendet = [kind, &weg] {
        siginfo_t info{};
        if (waitid(P_PID, static_cast<id_t>(kind), &info, WEXITED | WNOHANG | WNOWAIT) != 0)
            return weg = errno == ECHILD;
        return info.si_pid == kind;
    };
    for (int i = 0; i < ms / 50 && !beendet(); ++i) usleep(50000);
    if (!beendet()) {
        kill(kind, SIGKILL);
        siginfo_t info{};
        waitid(P_PID, static_cast<id_t>(kind), &info, WEXITED | WNOWAIT);
    }
    if (weg) return;
    Test_Spielordner_Entfernen(kind);
    int status = 0;
    waitpid(kind, &status, 0);
}

// The host in a child process: `host(befehle, antworten)` runs there and
// never returns. This side writes to `an` and reads from `von`; at the end
// the host's command pipe is closed and the child given 10 s to end
// (Kind_Beenden).
class Host {
  public:
    template <class F>
    explicit Host(F host) {
        int befehle[2], antworten[2];
        if (pipe(befehle) != 0) return;
        if (pipe(antworten) != 0) {
            close(befehle[0]), close(befehle[1]);
            return;
        }
        kind_ = fork();
        if (kind_ == 0) {
            close(befehle[1]), close(antworten[0]);
            host(befehle[0], antworten[1]);
            _exit(0);
        }
        close(befehle[0]), close(antworten[1]);
        an = befehle[1], von = antworten[0];
    }
    ~Host() {
        if (an >= 0) close(an);
        if (kind_ > 0) Kind_Beenden(kind_, 10000);
        if (von >= 0) close(von);
    }
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;
    bool laeuft() const { return kind_ > 0 && an >= 0; }
    pid_t kind() const { return kind_; }

    int an = -1, von = -1;

  private:
    pid_t kind_ = -1;
};

}  // namespace zwei_prozesse

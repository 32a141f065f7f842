// Starting and waiting for the intro program (see intro.h).
#include "platform/intro.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>

#include "base/cp1252.h"
#include "base/debug.h"
#include "base/files.h"
#include "base/settings.h"
#include "platform/errorbox.h"
#include "platform/window.h"

extern char** environ;

const char* const INTRO_PROGRAMM = "kordavo-intro";

namespace {

// Settings that name the videos, and the names used when they are not set.
struct Intro_Video {
    const char* wert;
    const char* vorgabe;
};
const Intro_Video intro_videos[3] = {{"res_22", "intro_1.vid"}, {"res_23", "intro_2.vid"}, {"res_24", "intro_3.vid"}};
const Intro_Video ontro_video = {"res_25", "ontro.vid"};

std::string Video_Argument(int nummer, const Intro_Video& v) {
    char name[100] = "";
    if (!W32_Registry_Read(v.wert, name, sizeof name) || !name[0]) std::snprintf(name, sizeof name, "%s", v.vorgabe);
    char text[W32_DIR_LAENGE + 128];
    std::snprintf(text, sizeof text, "-File%d:%s\\%s", nummer, W32_Dir_Tabelle[W32_DIR_INTRO], name);
    return Cp1252_To_Utf8(text);
}

bool Ausfuehrbar(const std::filesystem::path& p) {
    std::error_code f;
    return std::filesystem::is_regular_file(p, f) && access(p.c_str(), X_OK) == 0;
}

}  // namespace

std::vector<std::string> Intro_Argumente(bool ontro) {
    std::vector<std::string> a;
    a.push_back(ontro ? "-Ontro" : "-Intro");
    a.push_back(std::string("-WndClass:") + W32_FENSTERKLASSE);
    if (ontro) {
        a.push_back(Video_Argument(1, ontro_video));
    } else {
        for (int i = 0; i < 3; i++) a.push_back(Video_Argument(i + 1, intro_videos[i]));
    }
    return a;
}

std::string Intro_Programm_Pfad() {
    std::filesystem::path arbeit = W32_Pfad_Uebersetzen(W32_Dir_Tabelle[W32_DIR_WORK]);
    if (!arbeit.empty() && Ausfuehrbar(arbeit / INTRO_PROGRAMM)) return (arbeit / INTRO_PROGRAMM).string();
    char selbst[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", selbst, sizeof selbst - 1);
    if (n > 0) {
        selbst[n] = 0;
        std::filesystem::path neben = std::filesystem::path(selbst).parent_path() / INTRO_PROGRAMM;
        if (Ausfuehrbar(neben)) return neben.string();
    }
    return "";
}

bool Intro_Ausfuehren(const std::string& programm, const std::vector<std::string>& argumente, i32* exit_code) {
    if (exit_code) *exit_code = -1;
    if (programm.empty()) return false;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(programm.c_str()));
    for (const std::string& a : argumente) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    int rc = posix_spawn(&pid, programm.c_str(), nullptr, nullptr, argv.data(), environ);
    if (rc != 0) return false;
    int status = 0;
    pid_t w;
    do {
        w = waitpid(pid, &status, 0);
    } while (w < 0 && errno == EINTR);
    if (w != pid) return true;
    if (exit_code) *exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    // A program that exists but cannot be run (exec failed in the child) ends with 127.
    return !(WIFEXITED(status) && WEXITSTATUS(status) == 127);
}

bool Intro_Starten(bool ontro) {
    std::string programm = Intro_Programm_Pfad();
    i32 code = 0;
    if (programm.empty() || !Intro_Ausfuehren(programm, Intro_Argumente(ontro), &code)) {
        W32_Error_Box("Don't find Intro.exe");
        return false;
    }
    Debug_Printf("Intro: %s beendet (%d)", ontro ? "-Ontro" : "-Intro", code);
    return true;
}

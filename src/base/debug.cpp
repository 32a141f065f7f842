#include "base/debug.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "base/cp1252.h"

namespace {

std::mutex g_mutex;
std::atomic<Debug_Capture_Fn> g_capture{nullptr};  // read without the lock by Debug_Aktiv
void* g_capture_user = nullptr;

bool Debug_Env() {
    static const bool an = [] {
        const char* v = std::getenv("KORDAVO_DEBUG");
        return v != nullptr && v[0] != '\0' && !(v[0] == '0' && v[1] == '\0');
    }();
    return an;
}

void Debug_Ausgeben(u32 level, const char* format, va_list args) {
    if (!Debug_Aktiv()) return;
    char zeile[2048];
    std::vsnprintf(zeile, sizeof zeile, format, args);
    std::lock_guard<std::mutex> lock(g_mutex);
    const Debug_Capture_Fn fn = g_capture.load();
    if (fn != nullptr) fn(level, zeile, g_capture_user);
    if (Debug_Env()) {
        std::string utf8 = Cp1252_To_Utf8(zeile);
        if (utf8.empty() || utf8.back() != '\n') utf8 += '\n';
        std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    }
}

}  // namespace

bool Debug_Aktiv() { return g_capture.load(std::memory_order_relaxed) != nullptr || Debug_Env(); }

void Debug_Printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    Debug_Ausgeben(DEBUG_INFO, format, args);
    va_end(args);
}

void Debug_Out(u32 level, const char* format, ...) {
    va_list args;
    va_start(args, format);
    Debug_Ausgeben(level, format, args);
    va_end(args);
}

void Debug_Set_Capture(Debug_Capture_Fn fn, void* user) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_capture = fn;
    g_capture_user = user;
}

Debug_Mitschnitt::Debug_Mitschnitt() {
    std::lock_guard<std::mutex> lock(g_mutex);
    alt_fn_ = g_capture.load();
    alt_user_ = g_capture_user;
    g_capture = &Debug_Mitschnitt::Aufnehmen;
    g_capture_user = this;
}

Debug_Mitschnitt::~Debug_Mitschnitt() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_capture = alt_fn_;
    g_capture_user = alt_user_;
}

void Debug_Mitschnitt::Aufnehmen(u32 level, const char* zeile, void* user) {
    auto* self = static_cast<Debug_Mitschnitt*>(user);
    self->zeilen_.emplace_back(zeile);
    // Lines also reach an outer capture, so captures nest.
    if (self->alt_fn_ != nullptr) self->alt_fn_(level, zeile, self->alt_user_);
}

bool Debug_Mitschnitt::Enthaelt(std::string_view text) const { return Anzahl(text) > 0; }

int Debug_Mitschnitt::Anzahl(std::string_view text) const {
    int n = 0;
    for (const auto& z : zeilen_)
        if (z.find(text) != std::string::npos) ++n;
    return n;
}

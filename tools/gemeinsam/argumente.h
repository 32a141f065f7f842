// The command line of the tools: single-letter options, each at most once,
// values where an option wants one, whole numbers within their range.
// Anything else ends the tool with a message, its usage and exit code 2.
#pragma once

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace werkzeug {

struct Aufruf {
    const char* name;     // the tool, at the start of every message
    const char* nutzung;  // the usage lines printed after a refusal
};

[[noreturn]] inline void Abbruch(const Aufruf& a, const std::string& text, int code = 2) {
    std::fprintf(stderr, "%s: %s\n%s", a.name, text.c_str(), code == 2 ? a.nutzung : "");
    std::exit(code);
}

// True when any argument asks for help ("-h" or "--help").
inline bool Hilfe_Gefragt(int argc, char** argv) {
    for (int i = 1; i < argc; i++)
        if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) return true;
    return false;
}

// Prints the usage on standard output and ends the tool with exit code 0.
[[noreturn]] inline void Hilfe(const char* nutzung) {
    std::fputs(nutzung, stdout);
    std::exit(0);
}

// A whole decimal number in von..bis, nothing else (no sign, no blanks).
inline long long Zahl(const Aufruf& a, const char* option, const char* text, long long von, long long bis) {
    errno = 0;
    char* ende = nullptr;
    const long long v = std::strtoll(text, &ende, 10);
    if (!*text || *ende || errno == ERANGE || v < von || v > bis || text[0] == '+' || text[0] == ' ')
        Abbruch(a, std::string(option) + " wants a whole number from " + std::to_string(von) + " to " +
                       std::to_string(bis) + ", not \"" + text + "\"");
    return v;
}

// Walks the arguments: each must be "-x" with x in `erlaubt`, each at most
// once; `option(x, wert)` handles it, where `wert()` takes the option's value.
// "-h" or "--help" anywhere prints the usage and ends the tool (exit 0).
template <class Option>
void Optionen_Lesen(const Aufruf& a, int argc, char** argv, const char* erlaubt, Option option) {
    if (Hilfe_Gefragt(argc, argv)) Hilfe(a.nutzung);
    bool gesehen[256] = {};
    for (int i = 1; i < argc; i++) {
        const std::string s = argv[i];
        if (s.size() != 2 || s[0] != '-' || !std::strchr(erlaubt, s[1])) Abbruch(a, "unknown argument \"" + s + "\"");
        bool& schon = gesehen[static_cast<unsigned char>(s[1])];
        if (schon) Abbruch(a, "option " + s + " given twice");
        schon = true;
        auto wert = [&]() -> const char* {
            if (i + 1 >= argc) Abbruch(a, "option " + s + " wants a value");
            return argv[++i];
        };
        option(s[1], wert);
    }
}

}  // namespace werkzeug

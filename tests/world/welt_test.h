// Helpers of the world tests: the shipped world and collected messages.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "base/config.h"

inline std::string welt_quelle() {
    const char* s = std::getenv("KORDAVO_SOURCE_DIR");
    return std::string(s ? s : ".") + "/data/config";
}

inline std::string welt_temp_ordner(const char* name) {
    const char* b = std::getenv("KORDAVO_BINARY_DIR");
    std::string o = std::string(b ? b : "/tmp") + "/welt_test_" + name;
    std::string cmd = "mkdir -p '" + o + "'";
    if (std::system(cmd.c_str()) != 0) return "/tmp";
    return o;
}

// Collects the configuration reader's messages while it lives.
struct Melder_Mitschnitt {
    static std::vector<std::string>& texte() {
        static std::vector<std::string> t;
        return t;
    }
    static void nimm(const char* text) { texte().push_back(text); }
    Melder_Mitschnitt() {
        texte().clear();
        Read_Config_Set_Melder(&nimm);
    }
    ~Melder_Mitschnitt() { Read_Config_Set_Melder(nullptr); }
    bool enthaelt(const std::string& s) const {
        for (auto& t : texte())
            if (t.find(s) != std::string::npos) return true;
        return false;
    }
    std::string alle() const {
        std::string r;
        for (auto& t : texte()) r += t;
        return r;
    }
};

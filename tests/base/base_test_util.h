// Helpers shared by the tests of the base services.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "base/types.h"

using Bytes = std::vector<u8>;

// A fresh folder below the system's temporary folder, removed again at the end.
class Temp_Ordner {
  public:
    Temp_Ordner() {
        std::string muster = (std::filesystem::temp_directory_path() / "kordavo_test_XXXXXX").string();
        char* p = mkdtemp(muster.data());
        pfad_ = p != nullptr ? p : "";
    }
    ~Temp_Ordner() {
        std::error_code ec;
        std::filesystem::remove_all(pfad_, ec);
    }
    Temp_Ordner(const Temp_Ordner&) = delete;
    Temp_Ordner& operator=(const Temp_Ordner&) = delete;

    const std::string& pfad() const { return pfad_; }
    std::string operator/(const std::string& teil) const { return pfad_ + "/" + teil; }

    // Writes a file (creating its folders) and returns its path.
    std::string schreiben(const std::string& relativ, const std::string& inhalt) const {
        const std::filesystem::path p = std::filesystem::path(pfad_) / relativ;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << inhalt;
        return p.string();
    }
    std::string lesen(const std::string& relativ) const {
        std::ifstream f(std::filesystem::path(pfad_) / relativ, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    }

  private:
    std::string pfad_;
};

inline Bytes Bytes_Lesen(const std::string& pfad) {
    std::ifstream in(pfad, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}
inline void Bytes_Schreiben(const std::string& pfad, const Bytes& b) {
    std::ofstream(pfad, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), static_cast<long>(b.size()));
}

// Random bytes from an alphabet of the given size.
inline Bytes Zufall_Bytes(size_t n, u32 seed, int alphabet = 256) {
    std::mt19937 rng(seed);
    Bytes b(n);
    for (auto& x : b) x = static_cast<u8>(rng() % alphabet);
    return b;
}

// Mixed data: runs of many lengths (beyond the longest packed run) and
// random stretches.
inline Bytes Gemischte_Bytes(size_t n, u32 seed) {
    std::mt19937 rng(seed);
    Bytes b;
    while (b.size() < n) {
        if (rng() % 2) {
            b.insert(b.end(), rng() % 300 + 1, static_cast<u8>(rng()));
        } else {
            for (int k = rng() % 200; k > 0; --k) b.push_back(static_cast<u8>(rng()));
        }
    }
    b.resize(n);
    return b;
}

// Collects the texts handed to a message hook.
struct Meldungen {
    static inline std::vector<std::string> liste;
    static void Sammeln(const char* text) { liste.emplace_back(text); }
    static bool Enthaelt(const std::string& teil) {
        for (auto& m : liste)
            if (m.find(teil) != std::string::npos) return true;
        return false;
    }
};

// Sets an environment variable for the lifetime of the object.
class Env_Setzen {
  public:
    Env_Setzen(const char* name, const char* wert) : name_(name) {
        const char* alt = std::getenv(name);
        hatte_ = alt != nullptr;
        if (hatte_) alt_ = alt;
        if (wert != nullptr) setenv(name, wert, 1);
        else unsetenv(name);
    }
    ~Env_Setzen() {
        if (hatte_) setenv(name_.c_str(), alt_.c_str(), 1);
        else unsetenv(name_.c_str());
    }

  private:
    std::string name_, alt_;
    bool hatte_ = false;
};

// Helpers shared by the tests of the base services.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

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

    // Writes a file (creating its folders).
    void schreiben(const std::string& relativ, const std::string& inhalt) const {
        const std::filesystem::path p = std::filesystem::path(pfad_) / relativ;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << inhalt;
    }
    std::string lesen(const std::string& relativ) const {
        std::ifstream f(std::filesystem::path(pfad_) / relativ, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    }

  private:
    std::string pfad_;
};

// Sets an environment variable for the lifetime of the object.
class Env_Setzen {
  public:
    Env_Setzen(const char* name, const char* wert) : name_(name) {
        const char* alt = std::getenv(name);
        hatte_ = alt != nullptr;
        if (hatte_) alt_ = alt;
        if (wert != nullptr)
            setenv(name, wert, 1);
        else
            unsetenv(name);
    }
    ~Env_Setzen() {
        if (hatte_)
            setenv(name_.c_str(), alt_.c_str(), 1);
        else
            unsetenv(name_.c_str());
    }

  private:
    std::string name_, alt_;
    bool hatte_ = false;
};

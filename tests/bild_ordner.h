// The folder the tests leave their pictures in for a look: under the build
// folder (KORDAVO_BINARY_DIR, which ctest sets), else beside the test program
// itself, never the folder a test happens to be started from.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace bild_ordner {

// <build folder>/<unter>, created; "" when none can be made.
inline std::string Ordner(const std::string& unter) {
    std::filesystem::path basis;
    if (const char* b = std::getenv("KORDAVO_BINARY_DIR"); b && *b) {
        basis = b;
    } else {
        std::error_code ec;
        basis = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
        if (ec || basis.empty()) return "";
    }
    const std::filesystem::path ordner = basis / unter;
    std::error_code ec;
    std::filesystem::create_directories(ordner, ec);
    return ec ? std::string() : ordner.string();
}

}  // namespace bild_ordner

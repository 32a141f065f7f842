// The game folders of the tests that start the program: they lie in the
// build tree, and the folders of a child process that ended without its own
// clean-up (killed at the end of a test, or gone with an error) go when the
// test lets the child go; no other process's folder goes with them.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "spielordner.h"
#include "zwei_prozesse.h"

namespace {

namespace fs = std::filesystem;

// The child makes its game folder, tells its path, then ends as `wie` says
// without removing it.
enum class Ende { ABBRUCH, HAENGT };

std::string kind_ordner(Ende wie, pid_t* kind, const std::function<void(pid_t)>& solange) {
    char pfad[512] = {};
    {
        zwei_prozesse::Host h([wie](int, int antworten) {
            const std::string o = Test_Spielordner_Anlegen("kordavo_kind");
            char b[512] = {};
            std::snprintf(b, sizeof b, "%s", o.c_str());
            if (write(antworten, b, sizeof b) != static_cast<ssize_t>(sizeof b)) _exit(2);
            if (wie == Ende::HAENGT)
                for (;;) pause();
            _exit(3);
        });
        EXPECT_TRUE(h.laeuft());
        *kind = h.kind();
        EXPECT_TRUE(zwei_prozesse::Lesen(h.von, pfad, sizeof pfad, 60000, [] { usleep(2000); }));
        EXPECT_TRUE(fs::is_directory(pfad)) << pfad;
        solange(h.kind());
    }
    return pfad;
}

TEST(Spielordner, LiegtImBuildBaum) {
    const char* b = std::getenv("KORDAVO_BINARY_DIR");
    if (!b || !*b) GTEST_SKIP() << "ohne Build-Baum (nicht unter ctest gestartet)";
    const std::string o = Test_Spielordner_Anlegen("kordavo_hier");
    EXPECT_EQ(o.rfind(std::string(b) + "/", 0), 0u) << o;
    EXPECT_TRUE(fs::is_directory(o + "/config"));
    EXPECT_TRUE(fs::is_directory(o + "/spielstand"));
    EXPECT_NE(o.find(Test_Spielordner_Marke(getpid())), std::string::npos) << o;
    std::error_code ec;
    fs::remove_all(o, ec);
}

// Whether the child ended by an error or had to be killed after its time,
// its folder goes; this process's own, and a folder whose process id only
// begins with the child's, stay.
TEST(Spielordner, DieOrdnerEinesBeendetenKindesGehen) {
    for (Ende wie : {Ende::ABBRUCH, Ende::HAENGT}) {
        SCOPED_TRACE(wie == Ende::ABBRUCH ? "Abbruch" : "getötet");
        const std::string eigener = Test_Spielordner_Anlegen("kordavo_eltern");
        std::string fremd;
        pid_t kind = -1;
        const std::string o = kind_ordner(wie, &kind, [&](pid_t k) {
            fremd = Test_Spielordner_Basis() + "/kordavo_fremd" + Test_Spielordner_Marke(k * 10 + 1) + "abcdef";
            fs::create_directories(fremd);
        });
        ASSERT_GT(kind, 0);
        EXPECT_FALSE(o.empty());
        EXPECT_FALSE(fs::exists(o)) << o;
        EXPECT_TRUE(fs::is_directory(eigener)) << eigener;
        EXPECT_TRUE(fs::is_directory(fremd)) << fremd;
        std::error_code ec;
        fs::remove_all(eigener, ec);
        fs::remove_all(fremd, ec);
    }
}

}  // namespace

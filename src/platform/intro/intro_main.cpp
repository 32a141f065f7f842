// kordavo-intro: the intro program, started by the game before it opens its
// display ("-Intro -WndClass:<class> -File1:<video> -File2:<video>
// -File3:<video>") and after it has closed it ("-Ontro -WndClass:<class>
// -File1:<video>"); the game waits until it has ended. Video paths use '\'
// before the file name, as the game writes them.
//
// The game has no video playback yet, so the program checks its arguments,
// shows nothing and ends at once. Exit code 0, or 2 for arguments it does
// not understand.
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    bool intro = false, ontro = false;
    std::string klasse;
    int videos = 0;
    for (int i = 1; i < argc; i++) {
        const char* a = argv[i];
        if (std::strcmp(a, "-Intro") == 0) {
            intro = true;
        } else if (std::strcmp(a, "-Ontro") == 0) {
            ontro = true;
        } else if (std::strncmp(a, "-WndClass:", 10) == 0) {
            klasse = a + 10;
        } else if (std::strncmp(a, "-File", 5) == 0 && a[5] >= '1' && a[5] <= '3' && a[6] == ':') {
            videos++;
        } else {
            std::fprintf(stderr, "kordavo-intro: unbekanntes Argument %s\n", a);
            return 2;
        }
    }
    if (intro == ontro || klasse.empty()) {
        std::fprintf(stderr,
                     "kordavo-intro: Aufruf: kordavo-intro -Intro|-Ontro -WndClass:<Name> -File1:<Video> ...\n");
        return 2;
    }
    (void)videos;
    return 0;
}

// The input script of a headless run (see script.h).
#include "platform/script.h"

#include <strings.h>
#include <sys/stat.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "base/cp1252.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "platform/messages.h"

namespace {

constexpr i64 MAX_WARTEN = 10000000;  // frames
constexpr i64 MAX_KOORDINATE = 100000;
constexpr i64 MAX_RAD = 1000;

// Splits a line into words; "..." is one word (with \" and \\ inside);
// '#' outside quotes starts a comment.
bool Zerlegen(std::string_view zeile, std::vector<std::string>& teile, bool* offen) {
    teile.clear();
    *offen = false;
    size_t i = 0;
    while (i < zeile.size()) {
        char c = zeile[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            i++;
            continue;
        }
        if (c == '#') break;
        std::string wort;
        if (c == '"') {
            i++;
            bool geschlossen = false;
            while (i < zeile.size()) {
                char d = zeile[i];
                if (d == '\\' && i + 1 < zeile.size() && (zeile[i + 1] == '"' || zeile[i + 1] == '\\')) {
                    wort += zeile[i + 1];
                    i += 2;
                    continue;
                }
                if (d == '"') {
                    geschlossen = true;
                    i++;
                    break;
                }
                wort += d;
                i++;
            }
            if (!geschlossen) {
                *offen = true;
                return false;
            }
        } else {
            while (i < zeile.size() && zeile[i] != ' ' && zeile[i] != '\t' && zeile[i] != '\r') wort += zeile[i++];
        }
        teile.push_back(wort);
    }
    return true;
}

bool Zahl(const std::string& s, i64 lo, i64 hi, i32* aus) {
    if (s.empty()) return false;
    errno = 0;
    char* ende = nullptr;
    long long v = std::strtoll(s.c_str(), &ende, 10);
    if (errno || !ende || *ende || v < lo || v > hi) return false;
    *aus = static_cast<i32>(v);
    return true;
}

std::string Fehler(i32 zeile, const std::string& text) {
    char kopf[48];
    std::snprintf(kopf, sizeof kopf, "Eingabeskript, Zeile %d: ", zeile);
    return kopf + text;
}

// Words from the file are UTF-8; messages are Windows-1252 like every text of
// the game. Control bytes (ESC, BEL, ...) are shown as \xNN: a message must
// not steer the terminal it is printed on.
std::string Lesbar(const std::string& utf8) {
    std::string aus;
    for (char c : Utf8_To_Cp1252(utf8)) {
        u8 b = static_cast<u8>(c);
        if (b < 0x20 || b == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            aus += hex;
        } else {
            aus += c;
        }
    }
    return aus;
}

std::string Zitat(const std::string& wort) {
    std::string z(1, '"');
    z += Lesbar(wort);
    z += '"';
    return z;
}

}  // namespace

void Eingabe_Skript::Leeren() {
    befehle_.clear();
    pos_ = 0;
    naechster_frame_ = 0;
}

bool Eingabe_Skript::Parsen(std::string_view text, u32 zeitschritt_ms, std::string* fehler) {
    std::vector<Skript_Befehl> neu;
    std::vector<std::string> w;
    i32 zeile = 0;
    size_t anfang = 0;
    if (zeitschritt_ms == 0) zeitschritt_ms = 1;
    auto melden = [&](const std::string& f) {
        if (fehler) *fehler = Fehler(zeile, f);
        return false;
    };
    while (anfang <= text.size()) {
        size_t ende = text.find('\n', anfang);
        if (ende == std::string_view::npos) ende = text.size();
        std::string_view z = text.substr(anfang, ende - anfang);
        anfang = ende + 1;
        zeile++;
        if (zeile == 1 && z.size() >= 3 && static_cast<u8>(z[0]) == 0xEF && static_cast<u8>(z[1]) == 0xBB &&
            static_cast<u8>(z[2]) == 0xBF)
            z.remove_prefix(3);  // byte order mark
        bool offen = false;
        if (!Zerlegen(z, w, &offen)) return melden("Anführungszeichen nicht geschlossen");
        if (w.empty()) {
            if (ende == text.size()) break;
            continue;
        }
        Skript_Befehl b;
        b.zeile = zeile;
        const std::string& cmd = w[0];
        size_t n = w.size() - 1;
        auto anzahl = [&](size_t lo, size_t hi) {
            if (n < lo) return melden("zu wenige Angaben für " + Zitat(cmd));
            if (n > hi) return melden("zu viele Angaben für " + Zitat(cmd));
            return true;
        };
        auto maustaste = [&](const std::string& s, i32* aus) {
            if (strcasecmp(s.c_str(), "left") == 0) *aus = static_cast<i32>(MAUS_LINKS);
            else if (strcasecmp(s.c_str(), "right") == 0) *aus = static_cast<i32>(MAUS_RECHTS);
            else return melden("Maustaste " + Zitat(s) + " unbekannt (left oder right)");
            return true;
        };
        auto taste = [&](const std::string& s, i32* aus) {
            u32 vk = Taste_Vk_Aus_Name(s.c_str());
            if (!vk) return melden("Taste " + Zitat(s) + " unbekannt");
            *aus = static_cast<i32>(vk);
            return true;
        };
        auto zahl = [&](const std::string& s, i64 lo, i64 hi, i32* aus) {
            if (!Zahl(s, lo, hi, aus)) return melden("Zahl erwartet statt " + Zitat(s));
            return true;
        };
        if (cmd == "wait") {
            b.art = Skript_Art::Warten;
            if (!anzahl(1, 2)) return false;
            std::string s = w[1];
            bool ms = false;
            if (n == 2) {
                if (w[2] != "ms") return melden("Einheit " + Zitat(w[2]) + " unbekannt (ms)");
                ms = true;
            } else if (s.size() > 2 && s.compare(s.size() - 2, 2, "ms") == 0) {
                s.resize(s.size() - 2);
                ms = true;
            }
            if (!zahl(s, 0, MAX_WARTEN, &b.a)) return false;
            if (ms) b.a = static_cast<i32>((static_cast<i64>(b.a) + zeitschritt_ms - 1) / zeitschritt_ms);
        } else if (cmd == "move") {
            b.art = Skript_Art::Bewegen;
            if (!anzahl(2, 2) || !zahl(w[1], -MAX_KOORDINATE, MAX_KOORDINATE, &b.b) ||
                !zahl(w[2], -MAX_KOORDINATE, MAX_KOORDINATE, &b.c))
                return false;
        } else if (cmd == "press" || cmd == "release") {
            b.art = cmd == "press" ? Skript_Art::Druecken : Skript_Art::Loslassen;
            if (!anzahl(1, 1) || !maustaste(w[1], &b.a)) return false;
        } else if (cmd == "click") {
            b.art = Skript_Art::Klick;
            if (n != 1 && n != 3) return melden("click erwartet eine Maustaste und wahlweise X Y");
            if (!maustaste(w[1], &b.a)) return false;
            if (n == 3) {
                if (!zahl(w[2], -MAX_KOORDINATE, MAX_KOORDINATE, &b.b) ||
                    !zahl(w[3], -MAX_KOORDINATE, MAX_KOORDINATE, &b.c))
                    return false;
                b.mit_position = true;
            }
        } else if (cmd == "wheel") {
            b.art = Skript_Art::Rad;
            if (!anzahl(1, 1) || !zahl(w[1], -MAX_RAD, MAX_RAD, &b.a)) return false;
        } else if (cmd == "keydown" || cmd == "keyup" || cmd == "key") {
            b.art = cmd == "key" ? Skript_Art::Taste
                                 : (cmd == "keydown" ? Skript_Art::Taste_Runter : Skript_Art::Taste_Hoch);
            if (!anzahl(1, 1) || !taste(w[1], &b.a)) return false;
        } else if (cmd == "text") {
            b.art = Skript_Art::Text;
            if (!anzahl(1, 1)) return false;
            b.text = w[1];
        } else if (cmd == "screenshot") {
            b.art = Skript_Art::Screenshot;
            if (!anzahl(1, 1)) return false;
            if (w[1].empty()) return melden("Dateiname fehlt");
            b.text = w[1];
        } else if (cmd == "quit") {
            b.art = Skript_Art::Beenden;
            if (!anzahl(0, 0)) return false;
        } else {
            return melden("unbekannter Befehl " + Zitat(cmd));
        }
        neu.push_back(std::move(b));
        if (ende == text.size()) break;
    }
    befehle_ = std::move(neu);
    pos_ = 0;
    naechster_frame_ = 0;
    return true;
}

bool Eingabe_Skript::Laden(const std::string& pfad, u32 zeitschritt_ms, std::string* fehler) {
    std::ifstream f;
    struct stat st;
    // A folder opens like a file but reads as nothing.
    if (stat(pfad.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) f.open(pfad, std::ios::binary);
    if (!f.is_open()) {
        if (fehler) *fehler = "Eingabeskript " + Lesbar(pfad) + " kann nicht gelesen werden";
        return false;
    }
    // Read at most one byte more than allowed (a device such as /dev/zero never ends).
    std::string inhalt(SKRIPT_MAX_BYTES + 1, '\0');
    f.read(inhalt.data(), static_cast<std::streamsize>(inhalt.size()));
    inhalt.resize(static_cast<size_t>(f.gcount()));
    if (f.bad()) {
        if (fehler) *fehler = "Eingabeskript " + Lesbar(pfad) + " kann nicht gelesen werden";
        return false;
    }
    if (inhalt.size() > SKRIPT_MAX_BYTES) {
        if (fehler) *fehler = "Eingabeskript " + Lesbar(pfad) + " ist zu groß";
        return false;
    }
    if (!Parsen(inhalt, zeitschritt_ms, fehler)) {
        if (fehler) *fehler = Lesbar(pfad) + ": " + *fehler;
        return false;
    }
    return true;
}

void Eingabe_Skript::Schritt(u32 frame) {
    while (pos_ < befehle_.size() && naechster_frame_ <= frame) {
        const Skript_Befehl& b = befehle_[pos_++];
        if (b.art == Skript_Art::Warten) {
            naechster_frame_ = frame + static_cast<u32>(b.a);
            continue;
        }
        Ausfuehren(b);
    }
}

void Eingabe_Skript::Ausfuehren(const Skript_Befehl& b) {
    switch (b.art) {
        case Skript_Art::Warten: break;
        case Skript_Art::Bewegen: Eingabe_Maus_Position(b.b, b.c); break;
        case Skript_Art::Druecken: Eingabe_Maus_Taste(static_cast<u32>(b.a), true); break;
        case Skript_Art::Loslassen: Eingabe_Maus_Taste(static_cast<u32>(b.a), false); break;
        case Skript_Art::Klick:
            if (b.mit_position) Eingabe_Maus_Position(b.b, b.c);
            Eingabe_Maus_Taste(static_cast<u32>(b.a), true);
            Eingabe_Maus_Taste(static_cast<u32>(b.a), false);
            break;
        case Skript_Art::Rad: Eingabe_Maus_Rad(b.a); break;
        case Skript_Art::Taste_Runter: Eingabe_Taste(static_cast<u32>(b.a), true); break;
        case Skript_Art::Taste_Hoch: Eingabe_Taste(static_cast<u32>(b.a), false); break;
        case Skript_Art::Taste: {
            u32 vk = static_cast<u32>(b.a);
            Eingabe_Taste(vk, true);
            if (u8 c = Taste_Zeichen_Aus_Vk(vk, Taste_Shift())) Eingabe_Zeichen(c);
            Eingabe_Taste(vk, false);
            break;
        }
        case Skript_Art::Text: {
            // Capital letters are typed with Shift, as a keyboard would.
            const char* p = b.text.c_str();
            while (*p) {
                u8 c;
                p = Taste_Utf8_Naechstes(p, &c);
                if (!c) continue;
                bool gross = (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
                Eingabe_Zeichen(c, gross ? 1 : -1);
            }
            break;
        }
        case Skript_Art::Screenshot: Display_Screenshot_Anfordern(b.text); break;
        case Skript_Art::Beenden: W32_Post_Quit_Message(0); break;
    }
}

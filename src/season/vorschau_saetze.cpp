// Pre-match remarks (see vorschau_saetze.h).
#include "season/vorschau_saetze.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "base/debug.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "world/welt.h"

namespace {

const char* (*texte)(i32) = [](i32) { return ""; };

const char* text(i32 n) {
    const char* t = texte(n);
    return t ? t : "";
}

Satz_Wert T(const char* s) { return Satz_Wert{s ? s : "", 0}; }
Satz_Wert Z(i64 z) { return Satz_Wert{nullptr, z}; }

// The value types of entries 13..137 ("" phrase, null unused).
const char* typen_von(i32 n) {
    switch (n) {
        case 13:
        case 14:
        case 15:
        case 16:
        case 17:
        case 18:
        case 123:
        case 124:
        case 125:
        case 126:
        case 127:
        case 128:
        case 136:
        case 137: return "";
        case 19:
        case 20:
        case 21:
        case 22:
        case 23:
        case 24: return "sss";
        case 25:
        case 26: return "sssdd";
        case 28:
        case 30: return "sddss";
        case 32: return "ss";
        case 33:
        case 34:
        case 39:
        case 40:
        case 100:
        case 103: return "s";
        case 35:
        case 36:
        case 37:
        case 38:
        case 121:
        case 122: return "sd";
        case 41:
        case 42:
        case 44:
        case 46:
        case 48: return "sdds";
        case 47: return "sds";
        case 49:
        case 50:
        case 51:
        case 52: return "ss";
        case 53:
        case 54:
        case 56:
        case 57:
        case 69:
        case 72:
        case 74:
        case 77: return "sds";
        case 55:
        case 58: return "sdsd";
        case 59:
        case 60: return "ssd";
        case 61:
        case 62:
        case 63:
        case 64:
        case 65:
        case 66:
        case 67:
        case 68:
        case 70:
        case 73:
        case 75:
        case 78: return "ddss";
        case 79:
        case 83:
        case 87:
        case 91:
        case 95:
        case 97:
        case 99:
        case 102:
        case 105:
        case 109:
        case 113:
        case 117: return "sd";
        case 80:
        case 81:
        case 82:
        case 84:
        case 85:
        case 86:
        case 88:
        case 89:
        case 90:
        case 93:
        case 94:
        case 96:
        case 98:
        case 107:
        case 111:
        case 115:
        case 119: return "sdd";
        case 92: return "sdsdd";
        case 101:
        case 104:
        case 106:
        case 108:
        case 110:
        case 112:
        case 114:
        case 116:
        case 118:
        case 120: return "dd";
        default: return (n >= 129 && n <= 135) ? "ds" : nullptr;
    }
}

// One conversion of a format: its flags, width, precision and letter.
struct Umwandlung {
    const char* ende = nullptr;  // after the letter
    char buchstabe = 0;
    bool nur_links = true;  // no flag but '-' (the only one texts may take)
};

Umwandlung umwandlung(const char* p) {
    // p points behind '%'.
    bool nur_links = true;
    for (int i = 0; i < 4 && *p && std::strchr("-+ 0", *p); ++i, ++p) nur_links = nur_links && *p == '-';
    for (int i = 0; i < 2 && *p >= '0' && *p <= '9'; ++i) ++p;
    if (*p == '.') {
        ++p;
        for (int i = 0; i < 2 && *p >= '0' && *p <= '9'; ++i) ++p;
    }
    if (*p == 'd' || *p == 'i' || *p == 'u' || *p == 's') return {p + 1, *p, nur_links};
    return {};
}

void anhaengen(char* aus, size_t groesse, size_t& n, const char* s, size_t k) {
    const size_t platz = groesse - 1 - n;
    k = std::min(k, platz);
    std::memcpy(aus + n, s, k);
    n += k;
}

// Runs of blanks become one; no blank before punctuation or at the ends.
void glaetten(char* s) {
    char* w = s;
    for (const char* r = s; *r; ++r) {
        if (*r == ' ' && (w == s || w[-1] == ' ')) continue;
        if (std::strchr(".,!?)", *r) && w > s && w[-1] == ' ') --w;
        *w++ = *r;
    }
    if (w > s && w[-1] == ' ') --w;
    *w = 0;
}

// Writes the sentences into the next free buffers.
struct Saetze {
    char* const* puffer;
    i32 anzahl;
    size_t groesse;
    i32 n = 0;

    i32 frei() const { return anzahl - n; }
    bool satz(i32 eintrag, std::initializer_list<Satz_Wert> w) {
        if (frei() < 1) return false;
        const char* typen = typen_von(eintrag);
        if (!typen || std::strlen(typen) != w.size()) return false;
        if (!Satz_Formatieren(puffer[n], groesse, text(eintrag), typen, w.begin())) {
            Debug_Printf("Satz %d: Format passt nicht zu seinen Werten\n", eintrag);
            return false;
        }
        if (puffer[n][0]) ++n;
        return true;
    }
};

constexpr i32 INTERVALL[8][2] = {{0, 45}, {45, 90}, {0, 15}, {15, 30}, {30, 45}, {45, 60}, {60, 75}, {75, 90}};
constexpr i32 HOCH[8] = {70, 70, 35, 35, 35, 35, 35, 35};
constexpr i32 TIEF[8] = {30, 30, 5, 5, 5, 5, 5, 5};

i64 summe(const u32* w, i32 basis, i32 von, i32 bis) {
    i64 s = 0;
    for (i32 m = von; m <= bis; ++m) s += w[basis + m];
    return s;
}

i32 wi(const u32* w, i32 i) { return static_cast<i32>(w[i]); }

}  // namespace

bool Satz_Format_Pruefen(const char* format, const char* typen) {
    if (!format || !typen) return false;
    size_t k = 0;
    for (const char* p = format; *p; ++p) {
        if (*p != '%') continue;
        if (p[1] == '%') {
            ++p;
            continue;
        }
        const Umwandlung u = umwandlung(p + 1);
        if (!u.buchstabe || !typen[k]) return false;
        if ((u.buchstabe == 's') != (typen[k] == 's') || (u.buchstabe == 's' && !u.nur_links)) return false;
        ++k;
        p = u.ende - 1;
    }
    return true;
}

bool Satz_Formatieren(char* aus, size_t groesse, const char* format, const char* typen, const Satz_Wert* werte) {
    if (!aus || groesse == 0) return false;
    aus[0] = 0;
    if (!Satz_Format_Pruefen(format, typen) || (!werte && *typen)) return false;
    size_t n = 0, k = 0;
    for (const char* p = format; *p && n + 1 < groesse; ++p) {
        if (*p != '%') {
            anhaengen(aus, groesse, n, p, 1);
            continue;
        }
        if (p[1] == '%') {
            anhaengen(aus, groesse, n, "%", 1);
            ++p;
            continue;
        }
        const Umwandlung u = umwandlung(p + 1);
        char spez[16];
        const size_t l = static_cast<size_t>(u.ende - p);
        std::memcpy(spez, p, l - 1);
        const Satz_Wert& w = werte[k++];
        if (u.buchstabe == 's') {
            spez[l - 1] = 's', spez[l] = 0;
            n += static_cast<size_t>(std::max(0, std::snprintf(aus + n, groesse - n, spez, w.text ? w.text : "")));
        } else {
            spez[l - 1] = 'l', spez[l] = 'l', spez[l + 1] = 'd', spez[l + 2] = 0;
            n += static_cast<size_t>(
                std::max(0, std::snprintf(aus + n, groesse - n, spez, static_cast<long long>(w.zahl))));
        }
        n = std::min(n, groesse - 1);
        p = u.ende - 1;
    }
    aus[n] = 0;
    glaetten(aus);
    return true;
}

const char* Vorschau_Typen(i32 eintrag) { return typen_von(eintrag); }

void Vorschau_Set_Texte(const char* (*t)(i32)) {
    texte = t ? t : +[](i32) { return ""; };
}

i32 Vorschau_Formate_Pruefen() {
    for (i32 n = 13; n <= 137; ++n)
        if (const char* t = typen_von(n); t && !Satz_Format_Pruefen(text(n), t)) return n;
    return -1;
}

namespace {

// The groups of sentences, each reading the output, the inputs, the first
// team's name and the venue phrases.
struct Satzgruppen {
    Saetze& s;
    const Vorschau_Eingaben& e;
    const u32* w;
    const char* n1;
    const char *ph1, *ph2, *ph3, *ph4;

    void vergleich() {
        // 1. Head-to-head verdict.
        if (e.siege >= 0 && e.siege + e.remis + e.niederlagen >= 2) {
            const i64 W = e.siege, D = e.remis, L = e.niederlagen, N = W + D + L;
            const i64 wp = W * 100 / N, dp = D * 100 / N, lp = L * 100 / N;
            const char* n2 = e.name2;
            if (W == 0 && L == 0) s.satz(19, {T(n1), T(ph1), T(n2)});
            else if (W == 0 && D == 0) s.satz(20, {T(n1), T(ph1), T(n2)});
            else if (W == 0) s.satz(21, {T(n1), T(ph1), T(n2)});
            else if (L == 0 && D == 0) s.satz(22, {T(n1), T(ph1), T(n2)});
            else if (L == 0) s.satz(23, {T(n1), T(ph1), T(n2)});
            else if (D == 0) s.satz(24, {T(n1), T(ph1), T(n2)});
            else if (wp > 75) s.satz(25, {T(n1), T(ph1), T(n2), Z(W), Z(N)});
            else if (lp > 75) s.satz(26, {T(n1), T(ph1), T(n2), Z(L), Z(N)});
            else if (wp + dp > 80) s.satz(28, {T(n1), Z(L), Z(N), T(ph1), T(n2)});
            else if (lp + dp > 80) s.satz(30, {T(n1), Z(W), Z(N), T(ph1), T(n2)});
        }
    }

    void serien() {
        // 2 and 3. Current runs of both teams.
        auto reihe = [&](const u32* v, i32 spalte, i32 minimum, const char* name) {
            const char* ortwort = spalte == 0 ? text(136) : spalte == 1 ? text(137) : "";
            for (int k = 0; k < 7; ++k) {
                bool ok = v[k] >= static_cast<u32>(minimum);
                if (k == 5) ok = ok && v[5] > v[3] && v[5] > v[4] && v[5] > v[0];
                if (k == 6) ok = ok && v[6] > v[2] && v[6] > v[3] && v[6] > v[1];
                if (!ok || s.frei() < 1) continue;
                char phrase[500];
                const Satz_Wert werte[2] = {Z(v[k]), T(ortwort)};
                if (Satz_Formatieren(phrase, sizeof phrase, text(129 + k), "ds", werte) && phrase[0])
                    s.satz(32, {T(name), T(phrase)});
            }
        };
        if (e.serien1_ok) reihe(e.serien1, e.spalte1, 3, n1);
        if (e.team2 && e.serien2_ok) reihe(e.serien2, e.spalte2, 2, e.name2);
    }

    void chancen() {
        // 4. Chances, goals and results.
        if (w[801] > 0 && w[803] > 0 && w[804] >= 3) {
            const i64 q = i64{w[800]} * 100 / w[801], r = i64{w[802]} * 100 / w[803];
            const i64 sp = w[804], wp = i64{w[805]} * 100 / sp, dp = i64{w[806]} * 100 / sp,
                      lp = i64{w[807]} * 100 / sp;
            if (w[801] > 2ull * w[803]) s.satz(33, {T(n1)});
            if (2ull * w[801] < w[803]) s.satz(34, {T(n1)});
            if (q > 50) s.satz(35, {T(n1), Z(q)});
            if (q >= 2 && q <= 4) s.satz(36, {T(n1), Z(q)});
            if (r > 50) s.satz(37, {T(n1), Z(r)});
            if (r < 5) s.satz(38, {T(n1), Z(r)});
            if (w[800] > 2ull * w[802]) s.satz(39, {T(n1)});
            if (2ull * w[800] < w[802]) s.satz(40, {T(n1)});
            if (e.wettbewerb) {
                if (wp > 80) s.satz(41, {T(n1), Z(w[805]), Z(sp), T(ph3)});
                else if (lp < 20) s.satz(42, {T(n1), Z(w[807]), Z(sp), T(ph3)});
                if (dp > 60) s.satz(44, {T(n1), Z(w[806]), Z(sp), T(ph3)});
                if (lp > 80) s.satz(46, {T(n1), Z(w[807]), Z(sp), T(ph3)});
                else if (wp < 20 && w[805] == 0) s.satz(47, {T(n1), Z(sp), T(ph3)});
                else if (wp < 20) s.satz(48, {T(n1), Z(w[805]), Z(sp), T(ph3)});
            }
        }
    }

    void torzahlen() {
        // 5. Goal counts.
        i64 ns = 0, nc = 0;
        for (int i = 0; i < 10; ++i) ns += w[808 + i], nc += w[818 + i];
        if (ns > 4 && w[808] == 0 && w[809] == 0) s.satz(49, {T(n1), T(ph2)});
        else if (ns > 8 && w[808] == 0) s.satz(50, {T(n1), T(ph2)});
        if (nc > 4 && w[818] == 0 && w[819] == 0) s.satz(51, {T(n1), T(ph2)});
        else if (nc > 8 && w[818] == 0) s.satz(52, {T(n1), T(ph2)});

        // 6. Goal distribution. "At most one goal" is tested on the figure the
        // sentence shows (games with none or one).
        if (ns > 0 && nc > 0 && w[804] >= 3)
            for (int i = 0; i < 10; ++i) {
                const i64 t = std::max(5, 65 - 10 * i);
                const i64 g = i == 1 ? i64{w[808]} + w[809] : w[808 + i];
                const i64 c = i == 1 ? i64{w[818]} + w[819] : w[818 + i];
                if (w[808 + i] >= 2 && g * 100 / ns > t)
                    i == 0   ? s.satz(53, {T(n1), Z(g), T(ph4)})
                    : i == 1 ? s.satz(54, {T(n1), Z(g), T(ph4)})
                             : s.satz(55, {T(n1), Z(g), T(ph4), Z(i)});
                if (w[818 + i] >= 2 && c * 100 / nc > t)
                    i == 0   ? s.satz(56, {T(n1), Z(c), T(ph4)})
                    : i == 1 ? s.satz(57, {T(n1), Z(c), T(ph4)})
                             : s.satz(58, {T(n1), Z(c), T(ph4), Z(i)});
            }
    }

    void laeufe_und_beispiele() {
        // 7. Runs since the last win and defeat.
        if (e.wettbewerb) {
            if (wi(w, 828) >= 4) s.satz(59, {T(ph2), T(n1), Z(wi(w, 828))});
            if (wi(w, 830) >= 4) s.satz(60, {T(ph2), T(n1), Z(wi(w, 830))});
        }
        // 8. First goals and comebacks, each with an example game.
        if (e.wettbewerb && w[804] >= 4 && e.beispiel) {
            i32 eig = 0, geg = 0;
            const char* gname = "";
            bool bsp = false;
            auto holen = [&](i32 pos) { bsp = pos != -1 && e.beispiel(pos, &eig, &geg, &gname); };
            auto paar = [&](i32 erster, i32 zweiter, std::initializer_list<Satz_Wert> w1) {
                if (!bsp) return;
                if (s.satz(erster, w1)) s.satz(zweiter, {Z(eig), Z(geg), T(ph2), T(gname)});
            };
            const i64 sp = w[804], f = i64{w[832]} * 100 / sp, o = i64{w[834]} * 100 / sp;
            if (f > 75 || f < 25) holen(wi(w, 833));
            if (f > 75) {
                paar(61, 62, {Z(w[832]), Z(sp), T(ph2), T(n1)});
            } else {
                if (o < 25 || (f >= 25 && o > 75)) holen(wi(w, 835));
                if (f < 25) paar(63, 64, {Z(w[832]), Z(sp), T(ph2), T(n1)});
                else if (o > 75) paar(65, 66, {Z(w[832]), Z(sp), T(ph2), T(n1)});
                if (o < 25) paar(67, 68, {Z(w[832]), Z(sp), T(ph2), T(n1)});
            }
            const i64 u = i64{w[836]} * 100 / sp, v = i64{w[838]} * 100 / sp;
            if (u > 30 || u < 5) holen(wi(w, 837));
            if (u > 30) paar(69, 70, {T(n1), Z(w[836]), T(ph2)});
            else if (u < 5) paar(72, 73, {T(n1), Z(w[836]), T(ph2)});
            if (v > 30 || v < 5) holen(wi(w, 839));
            if (v > 30) paar(74, 75, {T(n1), Z(w[838]), T(ph2)});
            else if (v < 5) paar(77, 78, {T(n1), Z(w[838]), T(ph2)});
        }
    }

    void torzeiten() {
        // 9. Scoring times.
        const i64 tg = summe(w, 0, 0, 199), ts = summe(w, 200, 0, 199), tsa = summe(w, 600, 0, 199);
        if (tsa > 0 && ((tg >= 16 && ts > 0) || (tg > 0 && ts >= 41))) {
            bool flag_h = false, flag_l = false;
            for (int i = 0; i < 8; ++i) {
                const i32 a = INTERVALL[i][0], b = INTERVALL[i][1];
                const bool halb = i < 2;
                const i64 g = summe(w, 0, a, b), c = summe(w, 200, a, b), ca = summe(w, 600, a, b);
                auto zeit = [&](i32 eintrag) {
                    return halb ? s.satz(eintrag, {T(n1), Z(i + 1)}) : s.satz(eintrag, {T(n1), Z(a + 1), Z(b)});
                };
                if (tg >= 11 && g * 100 / tg > HOCH[i]) {
                    if (!(i == 1 && flag_l)) {
                        if (zeit(halb ? 79 : 81)) s.satz(halb ? 80 : 82, {T(n1), Z(g), Z(tg)});
                        if (halb) flag_h = true;
                    }
                } else if (ts >= 11 && c * 100 / ts > HOCH[i]) {
                    if (zeit(halb ? 83 : 85)) s.satz(halb ? 84 : 86, {T(n1), Z(c), Z(ts)});
                }
                if (tg >= 11 && g * 100 / tg < TIEF[i]) {
                    if (!(i == 1 && flag_h)) {
                        if (zeit(halb ? 87 : 89)) s.satz(halb ? 88 : 90, {T(n1), Z(g), Z(tg)});
                        if (halb) flag_l = true;
                    }
                } else if (ts >= 11 && c * 100 / ts < TIEF[i]) {
                    if (halb) {
                        if (zeit(91)) s.satz(92, {T(n1), Z(i + 1), T(n1), Z(c), Z(ts)});
                    } else if (zeit(93)) {
                        s.satz(94, {T(n1), Z(c), Z(ts)});
                    }
                }
                if (c > 0 && ca > 0) {
                    const i64 bal = c * 100 / ca, tb = ts * 100 / tsa;
                    if (bal > tb + 40) zeit(halb ? 95 : 96);
                    else if (bal + 40 < tb) zeit(halb ? 97 : 98);
                }
                if (g > 0 && c > 0 && ts > 0) {
                    const i64 tk = tg * 100 / ts;
                    if (g * 100 / c > tk + 25) {
                        if (halb) zeit(99);
                        else if (s.frei() >= 2 && s.satz(100, {T(n1)})) s.satz(101, {Z(a + 1), Z(b)});
                    }
                    if (ca > 0 && g * 100 / ca + 25 < tk) {
                        if (halb) zeit(102);
                        else if (s.frei() >= 2 && s.satz(103, {T(n1)})) s.satz(104, {Z(a + 1), Z(b)});
                    }
                }
            }
        }
    }

    void gegentorzeiten() {
        const i64 tga = summe(w, 400, 0, 199), tsa = summe(w, 600, 0, 199);
        // 10. Conceding times.
        if ((tga >= 16 && tsa > 0) || (tga > 0 && tsa >= 41)) {
            for (int i = 0; i < 8; ++i) {
                const i32 a = INTERVALL[i][0], b = INTERVALL[i][1];
                const bool halb = i < 2;
                const i64 ga = summe(w, 400, a, b), ca = summe(w, 600, a, b);
                auto zeit = [&](i32 eintrag) {
                    return halb ? s.satz(eintrag, {T(n1), Z(i + 1)}) : s.satz(eintrag, {T(n1), Z(a + 1), Z(b)});
                };
                if (ga * 100 / tga > HOCH[i]) {
                    if (zeit(halb ? 105 : 107)) s.satz(halb ? 106 : 108, {Z(ga), Z(tga)});
                } else if (tsa > 0 && ca * 100 / tsa > HOCH[i]) {
                    if (zeit(halb ? 109 : 111)) s.satz(halb ? 110 : 112, {Z(ca), Z(tsa)});
                }
                if (ga * 100 / tga < TIEF[i]) {
                    if (zeit(halb ? 113 : 115)) s.satz(halb ? 114 : 116, {Z(ga), Z(tga)});
                } else if (tsa > 0 && ca * 100 / tsa < TIEF[i]) {
                    if (zeit(halb ? 117 : 119)) s.satz(120, {Z(ca), Z(tsa)});
                }
            }
        }
    }

    void durststrecken() {
        // 11. Droughts.
        if (e.wettbewerb) {
            if (wi(w, 840) > 180) s.satz(121, {T(n1), Z(wi(w, 840))});
            if (wi(w, 841) > 180) s.satz(122, {T(n1), Z(wi(w, 841))});
        }
    }
};

}  // namespace

i32 Vorschau_Saetze(const Vorschau_Eingaben& e, char* const* puffer, i32 anzahl, size_t groesse) {
    if (!puffer || anzahl <= 0 || groesse == 0 || !e.statistik) return 0;
    Saetze s{puffer, anzahl, groesse};
    const i32 o = e.ort_phrase == 1 ? 1 : e.ort_phrase == 2 ? 2 : 0;
    Satzgruppen L{s,
                  e,
                  e.statistik,
                  e.name1,
                  text(o == 1   ? 15
                       : o == 2 ? 17
                                : 13),
                  text(o == 1   ? 16
                       : o == 2 ? 18
                                : 14),
                  text(123 + o),
                  text(126 + o)};
    L.vergleich();
    L.serien();
    L.chancen();
    L.torzahlen();
    L.laeufe_und_beispiele();
    L.torzeiten();
    L.gegentorzeiten();
    L.durststrecken();
    return s.n;
}

namespace {

i32 beispiel_plan = 0;
char beispiel_name[64];
i32 beispiel_team = -1;

bool beispiel_holen(i32 pos, i32* eigene, i32* gegner, const char** name) {
    const i32 h = Spiele_Lock_Nummer(beispiel_plan, static_cast<u32>(pos));
    if (!h) return false;
    Spiele_Lock_Halter halter(h);
    const Spiel* sp = Spiele_Get_Spiel(h, false);
    if (!sp) return false;
    const bool a = sp->team_a == beispiel_team;
    *eigene = a ? sp->tore_a : sp->tore_b;
    *gegner = a ? sp->tore_b : sp->tore_a;
    std::snprintf(beispiel_name, sizeof beispiel_name, "%s", Team_String(0, a ? sp->team_b : sp->team_a, nullptr, 0));
    *name = beispiel_name;
    return true;
}

}  // namespace

i32 Statistik_Vorschau_Saetze(i32 wettbewerb, i32 team1, i32 team2, i32 ort, i32 spiel, char* const* puffer, i32 anzahl,
                              size_t groesse) {
    if (team1 < 0 || anzahl <= 0) return 0;
    Vorschau_Eingaben e;
    e.team2 = team2 >= 0;
    e.wettbewerb = wettbewerb >= 0;
    if (spiel > 0) {
        if (const Spiel* sp = Spiele_Get_Spiel(spiel, false)) {
            if (ort == -1) ort = sp->team_a == team1 ? 1 : 2;
            e.ort_phrase = sp->team_a == team1 ? 1 : 2;
            u32 w = 0, d = 0, l = 0;
            Spiele_Get_Spiele_Gegen(wettbewerb, sp->team_a, sp->team_b, &w, &d, &l, nullptr, 0);
            // Turned to team 1's side whenever team 1 is the game's team B.
            if (sp->team_b == team1) std::swap(w, l);
            e.siege = static_cast<i32>(w), e.remis = static_cast<i32>(d), e.niederlagen = static_cast<i32>(l);
        }
    }
    e.spalte1 = (ort == -1 || ort == 3) ? 2 : ort == 2 ? 1 : 0;
    e.spalte2 = e.spalte1 == 2 ? 2 : 1 - e.spalte1;
    static u32 statistik[STATISTIK_WORTE];
    Statistik_Argumente a;
    a.team = team1;
    a.wettbewerb = wettbewerb;
    a.ort = ort == -1 ? 3 : ort;
    Spiele_Get_Team_Statistik(a, statistik);
    e.statistik = statistik;
    e.serien1_ok = Spiele_Get_Serien(wettbewerb, team1, e.serien1, e.spalte1);
    if (e.team2) e.serien2_ok = Spiele_Get_Serien(wettbewerb, team2, e.serien2, e.spalte2);
    char n1[64] = "", n2[64] = "";
    std::snprintf(n1, sizeof n1, "%s", Team_String(0, team1, nullptr, 0));
    if (e.team2) std::snprintf(n2, sizeof n2, "%s", Team_String(0, team2, nullptr, 0));
    e.name1 = n1, e.name2 = n2;
    beispiel_plan = wettbewerb >= 0 ? Wettbewerb_Get_Spielplan(wettbewerb) : 0;
    beispiel_team = team1;
    if (beispiel_plan > 0) e.beispiel = beispiel_holen;
    return Vorschau_Saetze(e, puffer, anzahl, groesse);
}

// Special attributes.
#include "world/attribut.h"

#include "base/debug.h"
#include "base/tempstr.h"
#include "world/global.h"
#include "world/welt.h"

namespace {
bool ok(int s, int a) { return s >= 0 && s < Spieler_Anzahl && Spieler_Daten && a >= 0 && a < ATTRIBUT_ANZAHL; }
i16 wert(int s, int a) { return Spieler_Daten[s].attribut[a]; }
void setzen(int s, int a, int v) {
    Spieler_Daten[s].attribut[a] = static_cast<i16>(v);
    Spieler_Flags[s] = 1;
}
bool torwart(int s) { return Spieler_Fix_Daten[s].position == 0; }
bool darf(int s) {
    if (Welt_Client_Fremd(Spieler_Daten[s].team)) {
        Debug_Out(DEBUG_FEHLER, "Attribut_Spieler_Setze_Wert: CLIENT-WRITE!");
        return false;
    }
    return true;
}
}  // namespace

int Attribut_Noetig(int a) {
    if (a < 0 || a >= ATTRIBUT_ANZAHL) return 1;
    int n = Attribut_Tabelle[a].noetige_punkte;
    return n > 0 ? n : 1;
}

bool Attribute_Ist_Negativ(int a) { return a >= 40 && a <= 46; }
bool Attribute_Hat_Attribut(int s, int a) { return ok(s, a) && wert(s, a) > Attribut_Noetig(a); }
bool Attribute_Attribut_Aktief(int s, int a) { return ok(s, a) && wert(s, a) == Attribut_Noetig(a) + 1; }
bool Attribute_Attribut_Gesperrt(int s, int a) { return ok(s, a) && wert(s, a) < 0; }
bool Attribute_Attribut_Hat_Maximum(int s, int a) { return ok(s, a) && wert(s, a) >= Attribut_Noetig(a); }

bool Attribute_Voraussetzung_Erfuellt(int s, int a) {
    if (!ok(s, a)) return false;
    for (int v : Attribut_Tabelle[a].voraussetzung)
        if (v >= 0 && v < ATTRIBUT_ANZAHL && !Attribute_Attribut_Hat_Maximum(s, v)) return false;
    return true;
}

bool Attribute_Offen(int s, int a) {
    if (!ok(s, a) || Attribute_Attribut_Gesperrt(s, a)) return false;
    if (a < 40 && torwart(s)) return false;
    if (a >= 47 && a <= 52 && !torwart(s)) return false;
    return !Attribute_Ist_Negativ(a) || Spieler_Daten[s].spiele >= 50;
}

bool Attribute_Erreichbar(int s, int a) {
    if (!ok(s, a) || Attribute_Attribut_Gesperrt(s, a)) return false;
    if (a < 40 && torwart(s)) return false;
    if (a >= 47 && a <= 52 && !torwart(s)) return false;
    return Attribute_Voraussetzung_Erfuellt(s, a);
}

int Attribute_Get_Attribut_In_Ausbildung(int s) {
    if (!ok(s, 0)) return -1;
    for (int a = 0; a < ATTRIBUT_ANZAHL; a++)
        if (wert(s, a) > 0 && wert(s, a) < Attribut_Noetig(a)) return a;
    return -1;
}

bool Attribute_Kann_Attribut_Lernen(int s, int a) {
    return a >= 0 && a < ATTRIBUT_ANZAHL && Attribute_Erreichbar(s, a) && !Attribute_Ist_Negativ(a) &&
           !Attribute_Attribut_Hat_Maximum(s, a);
}

int Attribute_Get_Voraussetzungen(int a, i32 aus[3]) {
    int n = 0;
    if (a < 0 || a >= ATTRIBUT_ANZAHL) return 0;
    for (int v : Attribut_Tabelle[a].voraussetzung)
        if (v >= 0 && v < ATTRIBUT_ANZAHL) aus[n++] = v;
    return n;
}

int Attribute_Get_Attribute(int s, i32* aus, int n, int modus) {
    if (!ok(s, 0) || !aus || n <= 0) return 0;
    for (int i = 0; i < n; i++) aus[i] = -1;
    int r = 0;
    if (modus == 1) {
        for (int a = 0; a < ATTRIBUT_ANZAHL && r < n && r < 18; a++)
            if (Attribute_Attribut_Hat_Maximum(s, a)) aus[r++] = a;
        return r;
    }
    // The mode-0 list: outfield 46 down to 0, goalkeeper 40..52.
    i32 liste[ATTRIBUT_ANZAHL];
    int m = 0;
    if (torwart(s)) {
        for (int a = 40; a <= 52; a++)
            if (Attribute_Attribut_Aktief(s, a)) liste[m++] = a;
    } else {
        for (int a = 46; a >= 0; a--)
            if (Attribute_Attribut_Aktief(s, a)) liste[m++] = a;
    }
    if (modus == 0) {
        for (int i = 0; i < m && r < n; i++) aus[r++] = liste[i];
    } else if (modus == 2) {
        for (int i = m - 1; i >= 0 && r < n; i--)
            if (Attribute_Ist_Negativ(liste[i])) aus[r++] = liste[i];
    }
    return r;
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
int Attribute_Get_Attribute_Alle(int s, i32* aus) { return Attribute_Get_Attribute(s, aus, 50, 0); }

bool Attribut_Spieler_Setze_Wert(int s, int a, int modus) {
    if (!ok(s, a) || !darf(s)) return false;
    switch (modus) {
        case 0:
            if (!Attribute_Erreichbar(s, a)) return false;
            setzen(s, a, Attribut_Noetig(a));
            // A weakness is not mastered: whoever gives one tells it in his own words.
            if (!Attribute_Ist_Negativ(a))
                Welt_Hook.news_neu(Spieler_Daten[s].team,
                                   Temp_Sprintf("%s %s beherrscht jetzt: %s", Spieler_Texte[s].vorname,
                                                Spieler_Texte[s].nachname, Attribut_Tabelle[a].name));
            return true;
        case 2: setzen(s, a, -1); return true;
        case 3:
            for (int b = 0; b < ATTRIBUT_ANZAHL; b++) {
                if (!Attribute_Attribut_Hat_Maximum(s, b)) continue;
                for (int v : Attribut_Tabelle[b].voraussetzung)
                    if (v == a) return false;
            }
            if (Attribute_Ist_Negativ(a) && Spieler_Daten[s].spiele < 50) return false;
            setzen(s, a, 0);
            return true;
    }
    return false;
}

bool Attribut_Spieler_Setze_Wert_Screen(int s, int a, int modus) {
    if (!ok(s, a) || !darf(s)) return false;
    switch (modus) {
        case 0: {
            if (!Attribute_Erreichbar(s, a)) return false;
            i32 l[ATTRIBUT_ANZAHL];
            if (!Attribute_Attribut_Hat_Maximum(s, a) && Attribute_Get_Attribute(s, l, ATTRIBUT_ANZAHL, 1) >= 18)
                return false;
            setzen(s, a, Attribut_Noetig(a));
            return true;
        }
        case 2: setzen(s, a, -1); return true;
        case 3: setzen(s, a, 0); return true;
    }
    return false;
}

bool Attribut_Toggle_Aktive_Ohne_Pruefung(int s, int a) {
    if (!ok(s, a) || !Attribute_Attribut_Hat_Maximum(s, a) || !darf(s)) return false;
    int n = Attribut_Noetig(a);
    setzen(s, a, wert(s, a) == n ? n + 1 : n);
    return true;
}

bool Attribut_Toggle_Aktive(int s, int a) {
    if (Attribute_Ist_Negativ(a)) return false;
    if (!Attribute_Attribut_Aktief(s, a) && !Attribute_Erreichbar(s, a)) return false;
    return Attribut_Toggle_Aktive_Ohne_Pruefung(s, a);
}

void Attribute_Alle_Maximal_Setzen() {
    for (int t = 1; t <= 20 && t < Team_Anzahl; t++) {
        const i32* k = Team_Kader(t);
        for (int i = 0; i < Team_Kader_Anzahl(t); i++) {
            int s = k[i];
            // Prerequisites first: repeat until nothing changes.
            for (bool weiter = true; weiter;) {
                weiter = false;
                for (int a = 0; a < ATTRIBUT_ANZAHL; a++) {
                    if (Attribute_Ist_Negativ(a) || Attribute_Attribut_Aktief(s, a) || !Attribute_Erreichbar(s, a))
                        continue;
                    setzen(s, a, Attribut_Noetig(a) + 1);
                    weiter = true;
                }
            }
        }
    }
    Global_Attribut_Wahl_Flag = 1;
}

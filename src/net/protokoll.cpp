#include "net/protokoll.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "base/compress.h"
#include "base/debug.h"
#include "base/memory.h"
#include "base/ruf.h"
#include "net/schema.h"

Netz_Statistik Netz_Zaehler;

namespace {

Netz_Protokoll_Hooks hooks;
i32 aktuelle_verbindung = -1;

u64 auffuellen(u64 n) { return (n + 3) & ~u64{3}; }
bool ist_skalar(char c) { return c == 'c' || c == 'w' || c == 'i' || c == 'f' || c == 'v'; }
bool ist_feld(char c) { return c == 'C' || c == 'W' || c == 'I' || c == 'F' || c == 'V'; }
u32 skalar_breite(char c) { return c == 'c' ? 1 : c == 'w' ? 2 : c == 'v' ? 0 : 4; }

u32 lesen(const u8* p, u32 breite) {
    u32 w = 0;
    for (u32 k = 0; k < breite; k++) w |= static_cast<u32>(p[k]) << (8 * k);
    return w;
}
void schreiben(u8* p, u32 wert, u32 breite) {
    for (u32 k = 0; k < breite; k++) p[k] = static_cast<u8>(wert >> (8 * k));
}
void anhaengen(std::vector<u8>* v, u32 wert, u32 breite = 4) {
    const size_t n = v->size();
    v->resize(n + breite);
    schreiben(v->data() + n, wert, breite);
}

// Where an element stands in a request's or an answer's data.
struct Lage {
    u64 pos = 0;     // the scalar slot or the presence word
    u64 inhalt = 0;  // the contents of an array
    bool hat_inhalt = false;
};

// The positions of the elements; false when the data's size is not the one
// the types string lays out.
bool lagen(const Netz_Typen& t, bool antwort, u64 groesse, std::vector<Lage>* aus) {
    aus->assign(t.elemente.size(), Lage{});
    u64 pos = 0;
    for (size_t k = 0; k < t.elemente.size(); k++) {
        const Netz_Element& e = t.elemente[k];
        Lage& l = (*aus)[k];
        l.pos = pos;
        if (!e.feld) {
            pos += e.buchstabe == 'v' ? 0 : 4;
            continue;
        }
        pos += 4;
        l.inhalt = pos;
        l.hat_inhalt = antwort ? !e.nur_anfrage : !e.nur_antwort;
        if (l.hat_inhalt) pos += auffuellen(e.laenge);
    }
    return pos == groesse;
}

u64 groesse(const Netz_Typen& t, bool antwort) {
    u64 n = 0;
    for (const Netz_Element& e : t.elemente) {
        if (!e.feld) {
            n += e.buchstabe == 'v' ? 0 : 4;
        } else {
            n += 4;
            if (antwort ? !e.nur_anfrage : !e.nur_antwort) n += auffuellen(e.laenge);
        }
    }
    return n;
}

// The header's types string: types length with its NUL in 2..50, the NUL
// last and nowhere before it.
bool typen_nehmen(const u8* p, u64 verfuegbar, u32 tl, std::string_view* aus) {
    if (tl < 2 || tl > NETZ_TYPEN_MAX + 1 || tl > verfuegbar) return false;
    const char* s = reinterpret_cast<const char*>(p);
    if (s[tl - 1] != 0 || std::strlen(s) != tl - 1) return false;
    *aus = std::string_view(s, tl - 1);
    return true;
}

// ---------------------------------------------------------------------------
// Mapping between the call layer's bytes and the block's elements
// ---------------------------------------------------------------------------

// The argument bytes of a call taken from a request (server side). False
// when a part names what the request does not carry.
bool argumente_nehmen(const Netz_Schema& s, const Netz_Typen& t, const std::vector<Lage>& l, const u8* daten,
                      std::vector<u8>* aus) {
    for (const Netz_Teil& teil : s.argumente) {
        const size_t n = aus->size();
        if (teil.element == Netz_Teil::KONSTANT) {
            anhaengen(aus, teil.wert, teil.breite);
            continue;
        }
        aus->resize(n + teil.breite);
        if (teil.element == Netz_Teil::LEER) continue;
        if (teil.element == 0 || teil.element >= t.elemente.size()) return false;
        const Netz_Element& e = t.elemente[teil.element];
        const Lage& lage = l[teil.element];
        if (teil.breite == 0) {
            // A vector: the array as it is (its count first), or its count
            // from the array's length and then the array.
            if (!e.feld || !lage.hat_inhalt || teil.einheit == 0) return false;
            const u8* p = daten + lage.inhalt;
            if (teil.mit_anzahl ? e.laenge < 4 || u64{lesen(p, 4)} * teil.einheit + 4 != e.laenge
                                : e.laenge % teil.einheit != 0)
                return false;
            if (!teil.mit_anzahl) anhaengen(aus, e.laenge / teil.einheit);
            aus->insert(aus->end(), p, p + e.laenge);
            continue;
        }
        if (!e.feld) {
            if (teil.breite > 4) return false;
            std::memcpy(aus->data() + n, daten + lage.pos, teil.breite);
        } else {
            if (!lage.hat_inhalt || teil.breite > e.laenge) return false;
            std::memcpy(aus->data() + n, daten + lage.inhalt, teil.breite);
        }
    }
    return true;
}

// What a row gave back, laid onto the elements.
struct Ergebnis {
    bool hat_wert = false;
    u32 wert = 0;
    std::vector<std::vector<u8>> inhalt;  // per element; empty vector: not given
    std::vector<bool> gegeben;
    std::vector<u32> zaehler;  // per element: a count to write (UINT32_MAX none)
};

bool antwort_zerlegen(const Netz_Schema& s, const Netz_Typen& t, const std::vector<u8>& b, Ergebnis* r) {
    const size_t n = t.elemente.size();
    r->inhalt.assign(n, {});
    r->gegeben.assign(n, false);
    r->zaehler.assign(n, UINT32_MAX);
    u64 pos = 0;
    for (const Netz_Teil& teil : s.antwort) {
        if (teil.element >= n) return false;
        if (teil.element == 0) {
            if (teil.breite > 4 || pos + teil.breite > b.size()) return false;
            r->hat_wert = true;
            r->wert = lesen(b.data() + pos, teil.breite);
            pos += teil.breite;
            continue;
        }
        u64 laenge = teil.breite;
        if (teil.breite == 0) {
            if (pos + 4 > b.size()) return false;
            laenge = static_cast<u64>(lesen(b.data() + pos, 4)) * teil.einheit;
            pos += 4;
        }
        if (pos + laenge > b.size()) return false;
        r->inhalt[teil.element].assign(b.begin() + static_cast<std::ptrdiff_t>(pos),
                                       b.begin() + static_cast<std::ptrdiff_t>(pos + laenge));
        r->gegeben[teil.element] = true;
        if (teil.zaehler && teil.zaehler < n) r->zaehler[teil.zaehler] = static_cast<u32>(laenge / teil.teiler);
        pos += laenge;
    }
    return pos == b.size();
}

// ---------------------------------------------------------------------------
// Server
// ---------------------------------------------------------------------------

bool ablehnen(const char** grund, const char* text) {
    if (grund) *grund = text;
    return false;
}

}  // namespace

void Netz_Protokoll_Set_Hooks(const Netz_Protokoll_Hooks& h) {
    const Netz_Protokoll_Hooks standard;
    hooks.eigenes_team = h.eigenes_team ? h.eigenes_team : standard.eigenes_team;
    hooks.team_anzahl = h.team_anzahl ? h.team_anzahl : standard.team_anzahl;
    hooks.server_signal = h.server_signal ? h.server_signal : standard.server_signal;
    hooks.client_signal = h.client_signal ? h.client_signal : standard.client_signal;
}

bool Netz_Typen_Lesen(std::string_view s, Netz_Typen* aus) {
    Netz_Typen t;
    if (s.empty() || s.size() > NETZ_TYPEN_MAX || !ist_skalar(s[0])) return false;
    u32 felder = 0, werte[128] = {};
    size_t i = 0;
    while (i < s.size()) {
        Netz_Element e;
        e.buchstabe = s[i++];
        if (ist_skalar(e.buchstabe)) {
            if (!t.elemente.empty() && ++werte[static_cast<u8>(e.buchstabe)] > NETZ_WERTE_MAX) return false;
            t.elemente.push_back(e);
            continue;
        }
        if (!ist_feld(e.buchstabe) || t.elemente.empty()) return false;
        e.feld = true;
        for (; i < s.size(); i++) {
            if (s[i] == '<') {
                e.nur_antwort = true;
            } else if (s[i] == '-') {
                Debug_Printf("ALTE TYPES-PTR-KENNUNG (\"-\" statt \"<\")\n");
                e.nur_antwort = true;
            } else if (s[i] == '>') {
                e.nur_anfrage = true;
            } else if (s[i] == '=') {
                e.zeiger = true;
            } else {
                break;
            }
        }
        if (e.nur_antwort && e.nur_anfrage) return false;
        e.ziffern_pos = static_cast<u32>(i);
        u64 wert = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') wert = wert * 10 + static_cast<u64>(s[i++] - '0');
        e.ziffern_anzahl = static_cast<u32>(i - e.ziffern_pos);
        if (e.ziffern_anzahl > NETZ_ZIFFERN_MAX) return false;
        if (e.ziffern_anzahl == 0) {
            Debug_Printf("Internet_Get_Pointer_Bytes: KEINE POINTER-LÄNGE!");
            wert = 1;
        }
        e.laenge = static_cast<u32>(wert);
        if (++felder > NETZ_FELDER_MAX) return false;
        if (e.ziffern_anzahl && wert == 0 && !e.nur_anfrage) {
            // The variable-length array: one, the first array, filled by the
            // server (nothing of it travels in the request). A '>' array
            // reads 0 in an answer.
            if (felder != 1) return false;
            e.variabel = true;
            t.variabel = static_cast<i32>(t.elemente.size());
        }
        t.elemente.push_back(e);
    }
    *aus = std::move(t);
    return true;
}

u64 Netz_Antwort_Groesse(const Netz_Typen& t) { return groesse(t, true); }

std::vector<u8> Netz_Packen(const std::vector<u8>& roh) {
    std::vector<u8> p(Tools_RLE_Max_Gepackt(static_cast<u32>(roh.size())));
    p.resize(Tools_RLE_Packen(roh.data(), p.data(), static_cast<u32>(roh.size())));
    return p;
}

bool Netz_Entpacken(const u8* gepackt, u32 laenge, std::vector<u8>* aus) {
    const u32 n = Tools_RLE_Groesse_Entpackt(gepackt, laenge);
    if (n == 0 || n > SENDBLOCK_SIZE + NETZ_ANFRAGE_KOPF + NETZ_TYPEN_MAX + 1) return false;
    aus->resize(n);
    return Tools_RLE_Entpacken_Sicher(gepackt, laenge, aus->data(), n) == n;
}

bool Netz_Block_Beantworten(i32 slot_index, i32 team, const u8* anfrage, size_t n, std::vector<u8>* antwort,
                            const char** grund) {
    if (!anfrage || !antwort) return ablehnen(grund, "keine Anfrage");
    if (n < NETZ_ANFRAGE_KOPF) return ablehnen(grund, "Anfrage zu kurz");
    if (get_u32le(anfrage) != NETZ_BLOCK_MAGIC) return ablehnen(grund, "falsche Kennung");
    const u32 nummer = get_u32le(anfrage + 4), tl = get_u32le(anfrage + 8);
    // The team in the header is the client's claim; the slot's team counts.
    std::string_view typen;
    if (!typen_nehmen(anfrage + NETZ_ANFRAGE_KOPF, n - NETZ_ANFRAGE_KOPF, tl, &typen))
        return ablehnen(grund, "Typen-Länge falsch");
    Netz_Typen t;
    if (!Netz_Typen_Lesen(typen, &t)) return ablehnen(grund, "Typen unlesbar");
    const u8* daten = anfrage + NETZ_ANFRAGE_KOPF + tl;
    const u64 dn = n - NETZ_ANFRAGE_KOPF - tl;
    std::vector<Lage> ein;
    if (!lagen(t, false, dn, &ein)) return ablehnen(grund, "Datenlänge passt nicht zu den Typen");

    u32 laenge = 0;
    const Netz_Schema* s = Netz_Schema_Suchen(nummer, typen, &laenge);
    if (!s && Netz_Schema_Bekannt(nummer)) return ablehnen(grund, "Typen passen nicht zum Aufruf");
    if (team < 0 && !(s && s->start)) return ablehnen(grund, "Aufruf vor der Teamwahl");
    if (s && s->laenge_element) {
        // The array's length follows from a count in the request: a value,
        // or the first word of the array itself.
        const Netz_Element& e = t.elemente[s->laenge_element];
        const Lage& l = ein[s->laenge_element];
        if ((e.feld && (!l.hat_inhalt || e.laenge < 4)) ||
            u64{get_u32le(daten + (e.feld ? l.inhalt : l.pos))} * s->vielfaches + s->laenge_zusatz != laenge)
            return ablehnen(grund, "Feldlänge passt nicht zur Anzahl");
    }
    if (s && s->text_element) {
        const Netz_Element& e = t.elemente[s->text_element];
        const Lage& l = ein[s->text_element];
        if (!e.feld || !l.hat_inhalt || e.laenge == 0 || daten[l.inhalt + e.laenge - 1] != 0)
            return ablehnen(grund, "Text ohne Ende");
    }
    if (s && s->slot_element) {
        const Netz_Element& e = t.elemente[s->slot_element];
        if (e.feld || static_cast<i32>(get_u32le(daten + ein[s->slot_element].pos)) != slot_index)
            return ablehnen(grund, "fremder Platz");
    }

    // The row, run for the slot's team.
    Ergebnis r;
    bool gelaufen = false;
    if (s && ruf::Zeile_Vorhanden(static_cast<u16>(nummer))) {
        std::vector<u8> args, aus;
        if (!argumente_nehmen(*s, t, ein, daten, &args)) return ablehnen(grund, "Schema fehlerhaft");
        const i32 alt = aktuelle_verbindung;
        aktuelle_verbindung = slot_index;
        gelaufen = ruf::Zeile_Ausfuehren_Fuer(team, static_cast<u16>(nummer), args.data(), args.size(), &aus);
        aktuelle_verbindung = alt;
        if (gelaufen && !antwort_zerlegen(*s, t, aus, &r)) {
            Debug_Printf("Ruf %u: Antwort passt nicht zum Schema", nummer);
            r = Ergebnis{};
            gelaufen = false;
        }
    }
    if (!gelaufen) {
        r.inhalt.assign(t.elemente.size(), {});
        r.gegeben.assign(t.elemente.size(), false);
        r.zaehler.assign(t.elemente.size(), UINT32_MAX);
    }

    // The answer's types string: '>' lengths become zeros, the variable
    // array's length is written over its zeros.
    std::string atypen(typen);
    for (const Netz_Element& e : t.elemente)
        if (e.nur_anfrage) atypen.replace(e.ziffern_pos, e.ziffern_anzahl, std::string(e.ziffern_anzahl, '0'));
    if (t.variabel >= 0) {
        Netz_Element& v = t.elemente[static_cast<size_t>(t.variabel)];
        std::vector<u8>& block = r.inhalt[static_cast<size_t>(t.variabel)];
        if (block.size() > SENDBLOCK_SIZE / 2) block.clear();  // far beyond any answer of the game
        const std::string ziffern = std::to_string(block.size());
        std::string neu = atypen;
        neu.replace(v.ziffern_pos, v.ziffern_anzahl, ziffern);
        if (neu.size() > NETZ_TYPEN_MAX) {
            block.clear();
        } else if (!block.empty()) {
            atypen = neu;
            v.laenge = static_cast<u32>(block.size());
        }
        if (!r.hat_wert && gelaufen) r.wert = static_cast<u32>(block.size()), r.hat_wert = true;
    }

    // The answer's data, element by element; nothing of it is left over
    // from an earlier request (room for '<' arrays is zero).
    const u64 an = Netz_Antwort_Groesse(t);
    if (an >= SENDBLOCK_SIZE) return ablehnen(grund, "Antwort zu groß");
    std::vector<u8> d(static_cast<size_t>(an), 0);
    std::vector<Lage> aus;
    lagen(t, true, an, &aus);
    for (size_t k = 0; k < t.elemente.size(); k++) {
        const Netz_Element& e = t.elemente[k];
        if (k == 0) {
            if (e.buchstabe != 'v' && r.hat_wert) schreiben(&d[aus[0].pos], r.wert, skalar_breite(e.buchstabe));
            continue;
        }
        if (!e.feld) {
            if (e.buchstabe != 'v') std::memcpy(&d[aus[k].pos], daten + ein[k].pos, 4);
            continue;
        }
        std::memcpy(&d[aus[k].pos], daten + ein[k].pos, 4);  // the presence word as sent
        if (!aus[k].hat_inhalt) continue;
        u8* ziel = d.data() + aus[k].inhalt;
        if (r.gegeben[k]) {
            const size_t n = std::min<size_t>(r.inhalt[k].size(), e.laenge);
            if (n) std::memcpy(ziel, r.inhalt[k].data(), n);
        } else if (r.zaehler[k] != UINT32_MAX) {
            schreiben(ziel, r.zaehler[k], std::min<u32>(e.laenge, 4));
        } else if (ein[k].hat_inhalt && e.laenge) {
            std::memcpy(ziel, daten + ein[k].inhalt, e.laenge);
        }
    }

    antwort->clear();
    anhaengen(antwort, NETZ_BLOCK_MAGIC);
    anhaengen(antwort, nummer);
    anhaengen(antwort, static_cast<u32>(atypen.size() + 1));
    antwort->insert(antwort->end(), atypen.begin(), atypen.end());
    antwort->push_back(0);
    antwort->insert(antwort->end(), d.begin(), d.end());
    Netz_Zaehler.block_bytes += d.size();
    return true;
}

void Internet_Server_Antwort(Verbindung_Client_Slot* slot, const u8* gepackt, u32 laenge) {
    if (!slot || !slot->benutzt || !slot->verbindung) return;
    std::vector<u8> roh, antwort;
    const char* grund = "Anfrage nicht entpackbar";
    if (Netz_Entpacken(gepackt, laenge, &roh) &&
        Netz_Block_Beantworten(static_cast<i32>(slot->index), slot->team, roh.data(), roh.size(), &antwort, &grund)) {
        const std::vector<u8> p = Netz_Packen(antwort);
        if (Verbindung_Server_Send(slot, p.data(), static_cast<u32>(p.size()))) return;
        grund = "Antwort nicht gesendet";
    }
    // The server's next pass clears the slot and writes the log line.
    Verbindung_Brechen(slot->verbindung, grund);
}

void Netz_Server_Signal(Verbindung_Client_Slot* slot, const u8* daten, u32 laenge) {
    if (!slot || !slot->benutzt || !slot->verbindung) return;
    if (laenge != NETZ_SIGNAL_LAENGE || slot->team < 0) {
        Verbindung_Brechen(slot->verbindung,
                           laenge != NETZ_SIGNAL_LAENGE ? "Signal mit falscher Länge" : "Signal vor der Teamwahl");
        return;
    }
    // A minute's signal speaks for the slot's team, whatever it claims;
    // other kinds go back as they came.
    std::vector<u8> s(daten, daten + laenge);
    if (get_u32le(&s[4]) == 1) {
        put_u32le(&s[8], static_cast<u32>(slot->team));
        hooks.server_signal(slot->team, s.data(), laenge);
    }
    if (!Verbindung_Server_Send(slot, s.data(), laenge)) Verbindung_Brechen(slot->verbindung, "Signal nicht gesendet");
}

void Netz_Client_Signal(const u8* daten, u32 laenge) {
    const char* grund = nullptr;
    if (!daten || laenge != NETZ_SIGNAL_LAENGE) grund = "Länge";
    else if (get_u32le(daten) != NETZ_SIGNAL_MAGIC) grund = "Kennung";
    else if (get_u32le(daten + 4) != 1) grund = "Art";
    else if (static_cast<i32>(get_u32le(daten + 8)) != hooks.eigenes_team()) grund = "Team";
    if (grund) {
        Debug_Printf("Signal vom Server verworfen (%s)\n", grund);
        return;
    }
    Netz_Zaehler.gesamt_in += laenge;
    hooks.client_signal(daten, laenge);
}

bool Netz_Signal_Senden(const u8* daten, u32 laenge) {
    if (!ruf::Client() || !Internet_Server_Verbindung || !daten ||
        laenge != NETZ_SIGNAL_LAENGE)
        return false;
    CLIENT_SIGNAL(Internet_Server_Verbindung, daten, laenge);
    Netz_Zaehler.gesamt_out += laenge;
    return true;
}

void Netz_Server_Paket(Verbindung_Client_Slot* slot, const u8* daten, u32 laenge) {
    if (Netz_Ist_Signal(daten, laenge)) Netz_Server_Signal(slot, daten, laenge);
    else Internet_Server_Antwort(slot, daten, laenge);
}

i32 Netz_Aktuelle_Verbindung() { return aktuelle_verbindung; }

i32 Netz_Slot_Team(int slot) {
    if (slot < 0 || slot >= VERBINDUNG_CLIENT_SLOTS || !Verbindung_Client_Slots[slot].benutzt) return -1;
    return Verbindung_Client_Slots[slot].team;
}

bool Netz_Slot_Team_Setzen(int slot, i32 team) {
    if (slot < 0 || slot >= VERBINDUNG_CLIENT_SLOTS || team < 0 || slot != aktuelle_verbindung) return false;
    Verbindung_Client_Slot& s = Verbindung_Client_Slots[slot];
    if (!s.benutzt || (s.team >= 0 && s.team != team)) return false;
    for (int k = 0; k < VERBINDUNG_CLIENT_SLOTS; k++)
        if (k != slot && Verbindung_Client_Slots[k].benutzt && Verbindung_Client_Slots[k].team == team) return false;
    s.team = team;
    return true;
}

// ---------------------------------------------------------------------------
// Client
// ---------------------------------------------------------------------------

bool Netz_Anfrage_Bauen(u32 code, i32 team, std::string_view typen, const std::vector<Netz_Arg>& args,
                        std::vector<u8>* aus) {
    Netz_Typen t;
    if (!Netz_Typen_Lesen(typen, &t)) return false;
    size_t a = 0;
    std::vector<u8> d;
    for (size_t k = 0; k < t.elemente.size(); k++) {
        const Netz_Element& e = t.elemente[k];
        if (k == 0) {
            if (e.buchstabe != 'v') anhaengen(&d, 0);
            continue;
        }
        if (e.buchstabe == 'v') continue;
        if (a >= args.size()) return false;
        const Netz_Arg& arg = args[a++];
        if (!e.feld) {
            if (arg.art != Netz_Arg::WERT || arg.gleit != (e.buchstabe == 'f')) return false;
            anhaengen(&d, arg.wert & (e.buchstabe == 'c' ? 0xFFu : e.buchstabe == 'w' ? 0xFFFFu : 0xFFFFFFFFu));
            continue;
        }
        const bool zeiger = arg.art == Netz_Arg::ZEIGER;
        if (arg.art == Netz_Arg::WERT || (zeiger && !e.zeiger && !e.variabel) || (!zeiger && e.zeiger)) return false;
        const bool da = zeiger ? arg.zeiger != nullptr : arg.feld != nullptr;
        if (!zeiger && da && !e.variabel && arg.kapazitaet < e.laenge) return false;
        anhaengen(&d, da ? 1 : 0);
        if (e.nur_antwort) continue;
        const size_t n = d.size();
        d.resize(n + auffuellen(e.laenge), 0);
        if (!zeiger && da && e.laenge) std::memcpy(d.data() + n, arg.feld, e.laenge);
    }
    if (a != args.size() || d.size() >= SENDBLOCK_SIZE) return false;
    aus->clear();
    anhaengen(aus, NETZ_BLOCK_MAGIC);
    anhaengen(aus, code);
    anhaengen(aus, static_cast<u32>(typen.size() + 1));
    anhaengen(aus, static_cast<u32>(team < 0 ? 0 : team));
    aus->insert(aus->end(), typen.begin(), typen.end());
    aus->push_back(0);
    aus->insert(aus->end(), d.begin(), d.end());
    return true;
}

namespace {

// The last answer's data: where the '=' arrays point until the next exchange.
std::vector<u8> sendeblock;

// The answer's types string must be the request's with only the allowed
// rewrites: '>' lengths as zeros, the variable array's length.
bool antwort_passt(const Netz_Typen& frage, const Netz_Typen& antwort, const std::vector<Netz_Arg>& args) {
    if (frage.elemente.size() != antwort.elemente.size()) return false;
    size_t a = 0;
    for (size_t k = 0; k < frage.elemente.size(); k++) {
        const Netz_Element &f = frage.elemente[k], &g = antwort.elemente[k];
        if (f.buchstabe != g.buchstabe || f.nur_antwort != g.nur_antwort || f.nur_anfrage != g.nur_anfrage ||
            f.zeiger != g.zeiger)
            return false;
        const Netz_Arg* arg = k > 0 && f.buchstabe != 'v' ? &args[a++] : nullptr;
        if (!f.feld) continue;
        if (f.nur_anfrage) {
            if (g.laenge != 0) return false;
        } else if (f.variabel) {
            if (arg && arg->art == Netz_Arg::FELD && arg->feld && g.laenge > arg->kapazitaet) return false;
        } else if (g.laenge != f.laenge) {
            return false;
        }
    }
    return true;
}

// The width of an argument part in a call's bytes from `pos`: a vector's
// is its count word and its entries; 0 when the bytes end before its count.
u64 teil_breite(const Netz_Teil& teil, const std::vector<u8>& b, u64 pos) {
    if (teil.breite) return teil.breite;
    if (pos + 4 > b.size()) return 0;
    return 4 + u64{lesen(&b[pos], 4)} * teil.einheit;
}

}  // namespace

std::optional<u32> Netz_Client_Read(u32 code, std::string_view typen, const std::vector<Netz_Arg>& args) {
    if (!ruf::Client()) {
        Debug_Printf("Internet_Client_Read: kein CLIENT!");
        return std::nullopt;
    }
    std::vector<u8> anfrage;
    if (!Netz_Anfrage_Bauen(code, hooks.eigenes_team(), typen, args, &anfrage)) {
        Debug_Printf("Internet_Client_Read: Argumente passen nicht zu \"%.*s\"", static_cast<int>(typen.size()),
                     typen.data());
        return std::nullopt;
    }
    Netz_Typen frage;
    Netz_Typen_Lesen(typen, &frage);
    const std::vector<u8> gepackt = Netz_Packen(anfrage);
    u32 n = 0;
    u8* paket =
        Verbindung_Send_And_Read(Internet_Server_Verbindung, gepackt.data(), static_cast<u32>(gepackt.size()), &n);
    if (!paket) return std::nullopt;
    Netz_Zaehler.gesamt_out += gepackt.size();
    Netz_Zaehler.max_out_block = std::max(Netz_Zaehler.max_out_block, static_cast<u32>(gepackt.size()));
    Netz_Zaehler.gesamt_in += n;
    Netz_Zaehler.max_in_block = std::max(Netz_Zaehler.max_in_block, n);
    std::vector<u8> roh;
    const bool entpackt = Netz_Entpacken(paket, n, &roh);
    W32_Memory_H_Free(paket);

    // The answer: magic, the request's code, a types string that fits the
    // request, data of exactly the size it lays out.
    std::string_view atypen;
    Netz_Typen antwort;
    std::vector<Lage> l;
    if (!entpackt || roh.size() < NETZ_ANTWORT_KOPF || get_u32le(roh.data()) != NETZ_BLOCK_MAGIC ||
        get_u32le(roh.data() + 4) != code ||
        !typen_nehmen(roh.data() + NETZ_ANTWORT_KOPF, roh.size() - NETZ_ANTWORT_KOPF, get_u32le(roh.data() + 8),
                      &atypen) ||
        !Netz_Typen_Lesen(atypen, &antwort) || !antwort_passt(frage, antwort, args)) {
        Debug_Printf("Internet_Client_Read: Antwort auf %u passt nicht zur Anfrage", code);
        return std::nullopt;
    }
    const size_t start = NETZ_ANTWORT_KOPF + atypen.size() + 1;
    if (!lagen(antwort, true, roh.size() - start, &l)) {
        Debug_Printf("Internet_Client_Read: Antwort auf %u hat die falsche Länge", code);
        return std::nullopt;
    }
    sendeblock.assign(roh.begin() + static_cast<std::ptrdiff_t>(start), roh.end());
    Netz_Zaehler.block_bytes += sendeblock.size();

    const Netz_Element& r = antwort.elemente[0];
    const u32 ergebnis = r.buchstabe == 'v' ? 0 : lesen(&sendeblock[0], skalar_breite(r.buchstabe));
    size_t a = 0;
    for (size_t k = 1; k < antwort.elemente.size(); k++) {
        const Netz_Element& e = antwort.elemente[k];
        if (e.buchstabe == 'v') continue;
        const Netz_Arg& arg = args[a++];
        if (!e.feld || !l[k].hat_inhalt) continue;
        const u8* inhalt = sendeblock.data() + l[k].inhalt;
        if (arg.art == Netz_Arg::ZEIGER) {
            if (arg.zeiger) *arg.zeiger = inhalt;
            if (arg.zeiger_laenge) *arg.zeiger_laenge = e.laenge;
        } else if (arg.feld && e.laenge) {
            std::memcpy(arg.feld, inhalt, e.laenge);
        }
    }
    return ergebnis;
}

bool Netz_Leitung(u16 nummer, const std::vector<u8>& argumente, std::vector<u8>* antwort) {
    // The row of the table whose selecting arguments fit.
    const Netz_Schema* s = nullptr;
    for (const Netz_Schema& z : Netz_Schema_Tabelle()) {
        if (z.nummer != nummer || z.argumente.empty() != argumente.empty()) continue;
        u64 pos = 0;
        bool passt = true;
        for (const Netz_Teil& teil : z.argumente) {
            const u64 b = teil_breite(teil, argumente, pos);
            if (b == 0 || pos + b > argumente.size()) {
                passt = false;
                break;
            }
            if (teil.element == Netz_Teil::KONSTANT && lesen(&argumente[pos], teil.breite) != teil.wert) passt = false;
            pos += b;
        }
        if (passt && pos == argumente.size()) {
            s = &z;
            break;
        }
    }
    if (!s || !antwort) {
        Debug_Printf("Ruf %u: keine Zeile im Netz", static_cast<unsigned>(nummer));
        return false;
    }
    u32 laenge = 0;
    if (std::string_view(s->typen).find("%d") != std::string_view::npos) {
        // A vector argument's bytes, a count among the arguments, or the
        // number of teams.
        u64 anzahl = s->laenge_element ? 0 : static_cast<u64>(std::max(hooks.team_anzahl(), 0));
        u64 feld = UINT64_MAX, p = 0;
        for (const Netz_Teil& teil : s->argumente) {
            const u64 b = teil_breite(teil, argumente, p);
            if (teil.breite == 0) feld = teil.mit_anzahl ? b : b - 4;
            else if (teil.element == s->laenge_element && teil.breite == 4) anzahl = lesen(&argumente[p], 4);
            p += b;
        }
        if (feld == UINT64_MAX) feld = anzahl * s->vielfaches;
        if (feld == 0 || feld > s->hoechstens || feld % s->vielfaches) return false;
        laenge = static_cast<u32>(feld);
    }
    const std::string typen = Netz_Schema_Typen(*s, laenge);
    Netz_Typen t;
    if (!Netz_Typen_Lesen(typen, &t)) return false;

    // One buffer per element: the argument parts written in, the answer read out.
    std::vector<std::vector<u8>> puffer(t.elemente.size());
    std::vector<Netz_Arg> args;
    const u8* variabel_daten = nullptr;
    u32 variabel = 0;
    u64 pos = 0;
    std::vector<u32> werte(t.elemente.size(), 0);
    for (const Netz_Teil& teil : s->argumente) {
        const u64 b = teil_breite(teil, argumente, pos);
        if (teil.element > 0 && teil.element < t.elemente.size()) {
            const Netz_Element& e = t.elemente[teil.element];
            if (e.feld) {
                // A vector's array leaves out its count unless the count travels in it.
                const u64 von = teil.breite == 0 && !teil.mit_anzahl ? pos + 4 : pos;
                puffer[teil.element].assign(argumente.begin() + static_cast<std::ptrdiff_t>(von),
                                            argumente.begin() + static_cast<std::ptrdiff_t>(pos + b));
            } else {
                werte[teil.element] = lesen(&argumente[pos], teil.breite);
            }
        }
        pos += b;
    }
    for (size_t k = 1; k < t.elemente.size(); k++) {
        const Netz_Element& e = t.elemente[k];
        if (e.buchstabe == 'v') continue;
        Netz_Arg a;
        if (e.variabel) {
            a.art = Netz_Arg::ZEIGER;
            a.zeiger = &variabel_daten;
            a.zeiger_laenge = &variabel;
        } else if (e.feld) {
            puffer[k].resize(e.laenge, 0);
            a.art = Netz_Arg::FELD;
            a.feld = puffer[k].data();
            a.kapazitaet = puffer[k].size();
        } else {
            a.wert = werte[k];
            a.gleit = e.buchstabe == 'f';
        }
        args.push_back(a);
    }
    const std::optional<u32> ergebnis = Netz_Client_Read(nummer, typen, args);
    if (!ergebnis) return false;

    antwort->clear();
    for (const Netz_Teil& teil : s->antwort) {
        if (teil.element == 0) {
            anhaengen(antwort, *ergebnis, teil.breite);
            continue;
        }
        const Netz_Element& e = t.elemente[teil.element];
        const u8* b = e.variabel ? variabel_daten : puffer[teil.element].data();
        const u64 da = e.variabel ? variabel : puffer[teil.element].size();
        u64 n = teil.breite;
        if (teil.breite == 0) {
            n = da;
            if (teil.zaehler) {
                if (teil.zaehler >= puffer.size() || puffer[teil.zaehler].size() < 4) return false;
                n = std::min<u64>(n, u64{lesen(puffer[teil.zaehler].data(), 4)} * teil.teiler);
            }
            if (n % teil.einheit) return false;
            anhaengen(antwort, static_cast<u32>(n / teil.einheit));
        }
        if (e.nur_anfrage || (e.variabel && !b)) {
            antwort->resize(antwort->size() + n, 0);
        } else {
            if (n > da) return false;
            antwort->insert(antwort->end(), b, b + n);
        }
    }
    return true;
}

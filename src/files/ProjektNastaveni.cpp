#include "files/ProjektNastaveni.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include "data/Tnastaveni.h"
#include "files/SouradniceText.h"
#include "matice/FpGuard.h"

namespace vertano {

namespace {

// Strict bounds of a real setting: low < value < high.
struct Meze {
    Real low = 0;
    Real high = 0;
};

// Visits the stored settings in file order. `n` is Tnastaveni or const
// Tnastaveni; the visitor gets the name, a reference to the field and its range:
//   Bajt(name, uint8_t&, low, high)    integer, low 8 bits, low <= value <= high
//   Kod(name, E&, low, high)           a code of an enum class as such a byte
//   Cele16(name, int16_t&)             integer, low 16 bits, any value
//   Logicka(name, bool&)
//   Realna(name, Real&, Meze)          strict range
// Line k of the file is the k-th call. The names are the keys of saved
// projects and keep their spelling where the fields were renamed since
// (rizikoOdlehlost, the report switches numbered 1 and 2 for the two
// transformations).
template <class N, class V>
void ProjitNastaveni(N& n, V& v) {
    const nastaveni::Tmez max = n.mezMaxVstup;
    const Meze delka{0, max.rozdil_delka};
    const Meze smer{0, max.rozdil_smer};
    const Meze zenit{0, max.rozdil_zenit};
    const Meze podil{0, 1};
    const Meze hladina{nastaveni::kNejmensiHladinaVyznamnosti, 1};
    const Meze jednotkova{0, 100000};
    auto& j = n.jednotky;
    v.Bajt("jednotky.uhel", j.uhel, 0, 3);
    v.Bajt("jednotky.delka", j.delka, 0, 1);
    v.Bajt("jednotky.souradnice", j.souradnice, 0, 1);
    v.Logicka("jednotky.souradnicovySystem", j.souradnicovySystem);
    v.Bajt("jednotky.poradiSouradnice", j.poradiSouradnice, 0, 1);
    auto& p = n.presnost;
    v.Bajt("presnost.uhel.hodnota", p.uhel.hodnota, 0, 10);
    v.Bajt("presnost.delka.hodnota", p.delka.hodnota, 0, 10);
    v.Bajt("presnost.uhel.odchylka", p.uhel.odchylka, 0, 10);
    v.Bajt("presnost.delka.odchylka", p.delka.odchylka, 0, 10);
    v.Bajt("presnost.souradnice.hodnota", p.souradnice.hodnota, 0, 10);
    v.Bajt("presnost.souradnice.odchylka", p.souradnice.odchylka, 0, 10);
    v.Bajt("presnost.meritko", p.meritko, 0, 14);
    v.Bajt("souborVstup.typSuroveMereni", n.souborVstup.typSuroveMereni, 0, 1);
    v.Bajt("souborVystup.typSuroveMereni", n.souborVystup.typSuroveMereni, 0, 1);
    v.Bajt("souborVstup.typSouradnice", n.souborVstup.typSouradnice, 0, 1);
    v.Bajt("souborVystup.typSouradnice", n.souborVystup.typSouradnice, 0, 1);
    v.Bajt("souborVstup.typProjekt", n.souborVstup.typProjekt, 0, 0);
    v.Bajt("souborVystup.typProjekt", n.souborVystup.typProjekt, 0, 0);
    v.Bajt("souborVystup.typGrafika", n.souborVystup.typGrafika, 0, 3);
    v.Bajt("typJazyk", n.typJazyk, 0, 1);
    auto& s = n.prepinac;
    v.Logicka("prepinac.zobrazPolohu", s.zobrazPolohu);
    v.Logicka("prepinac.zobrazSkupinu", s.zobrazSkupinu);
    v.Logicka("prepinac.kontrolaHodnot", s.kontrolaHodnot);
    v.Logicka("prepinac.kontrolaRozdilPoloh", s.kontrolaRozdilPoloh);
    v.Logicka("prepinac.kontrolaRozdilSkupin", s.kontrolaRozdilSkupin);
    v.Logicka("prepinac.kontrolaVSE", s.kontrolaVSE);
    v.Logicka("prepinac.prehledChyb", s.prehledChyb);
    v.Logicka("prepinac.zachovatSouradnice", s.zachovatSouradnice);
    v.Logicka("prepinac.vylucovatSmer", s.vylucovatSmer);
    v.Logicka("prepinac.vylucovatZenit", s.vylucovatZenit);
    v.Logicka("prepinac.vylucovatDelka", s.vylucovatDelka);
    v.Logicka("prepinac.vylucovatDoplnekDelka", s.vylucovatDoplnekDelka);
    v.Logicka("prepinac.vylucovatDoplnekSmernik", s.vylucovatDoplnekSmernik);
    v.Logicka("prepinac.vylucovatDoplnekPrevyseni", s.vylucovatDoplnekPrevyseni);
    v.Logicka("prepinac.vylucovatDoplnekProvazeni", s.vylucovatDoplnekProvazeni);
    v.Logicka("prepinac.vylucovatX", s.vylucovatX);
    v.Logicka("prepinac.vylucovatY", s.vylucovatY);
    v.Logicka("prepinac.vylucovatZ", s.vylucovatZ);
    v.Realna("mezPoloha.rozdil_delka", n.mezPoloha.rozdil_delka, delka);
    v.Realna("mezPoloha.rozdil_smer", n.mezPoloha.rozdil_smer, smer);
    v.Realna("mezPoloha.rozdil_zenit", n.mezPoloha.rozdil_zenit, zenit);
    v.Realna("mezSkupina.rozdil_delka", n.mezSkupina.rozdil_delka, delka);
    v.Realna("mezSkupina.rozdil_smer", n.mezSkupina.rozdil_smer, smer);
    v.Realna("mezSkupina.rozdil_zenit", n.mezSkupina.rozdil_zenit, zenit);
    v.Realna("mezProtismer.rozdil_delka", n.mezProtismer.rozdil_delka, delka);
    v.Realna("mezProtismer.rozdil_smer", n.mezProtismer.rozdil_smer, smer);
    v.Realna("mezProtismer.rozdil_zenit", n.mezProtismer.rozdil_zenit, zenit);
    auto& zs = n.mezZeSouradnic;
    v.Realna("mezZeSouradnic.rozdil_delka", zs.rozdil_delka, delka);
    v.Realna("mezZeSouradnic.rozdil_smer", zs.rozdil_smer, smer);
    v.Realna("mezZeSouradnic.rozdil_prevyseni", zs.rozdil_prevyseni, delka);
    v.Realna("mezZeSouradnic.rozdil_provazeni", zs.rozdil_provazeni, delka);
    auto& h = n.mezHodnota;
    v.Realna("mezHodnota.hodnota_delka", h.hodnota_delka, Meze{0, max.hodnota_delka});
    v.Realna("mezHodnota.hodnota_vyskaSTN", h.hodnota_vyskaSTN, Meze{0, max.hodnota_vyskaSTN});
    v.Realna("mezHodnota.hodnota_vyskaCIL", h.hodnota_vyskaCIL, Meze{0, max.hodnota_vyskaCIL});
    v.Realna("mezHodnota.hodnota_prevyseni", h.hodnota_prevyseni, Meze{0, max.hodnota_prevyseni});
    v.Realna("zrcadleni.rozdil_delka", n.zrcadleni.rozdil_delka,
             Meze{-max.rozdil_delka, max.rozdil_delka});
    v.Realna("zrcadleni.rozdil_smer", n.zrcadleni.rozdil_smer,
             Meze{-max.rozdil_smer, max.rozdil_smer});
    v.Realna("zrcadleni.rozdil_zenit", n.zrcadleni.rozdil_zenit,
             Meze{-max.rozdil_zenit, max.rozdil_zenit});
    auto& a = n.vyrovnani;
    v.Realna("vyrovnani.odchylkaJednotkovaApriorni", a.odchylkaJednotkovaApriorni, jednotkova);
    v.Kod("vyrovnani.typVah", a.typVah, 1, 3);
    v.Realna("vyrovnani.odchylka_zadanaSmer", a.odchylka_zadanaSmer, smer);
    v.Realna("vyrovnani.odchylka_zadanaZenit", a.odchylka_zadanaZenit, zenit);
    v.Realna("vyrovnani.odchylka_zadanaDelka", a.odchylka_zadanaDelka, delka);
    v.Realna("doplnek.odchylka_delka", n.doplnek.odchylka_delka, delka);
    v.Realna("doplnek.odchylka_smernik", n.doplnek.odchylka_smernik, smer);
    v.Realna("doplnek.odchylka_prevyseni", n.doplnek.odchylka_prevyseni, delka);
    v.Realna("doplnek.odchylka_provazeni", n.doplnek.odchylka_provazeni, delka);
    v.Realna("vyrovnani.rozikoOdlehlost", a.rizikoOdlehlost, hladina);
    v.Kod("vyrovnani.typOdhadu", a.typOdhadu, 1, kPocetOdhadu);
    v.Bajt("vyrovnani.maxPocetIteraci", a.maxPocetIteraci, 10, 100);
    v.Realna("vyrovnani.maxZmenaVahy", a.maxZmenaVahy, podil);
    v.Realna("vyrovnani.maxPrirustek", a.maxPrirustek, delka);
    auto& t = n.transformace;
    v.Realna("transformace.odchylka_zadanaSmer", t.odchylka_zadanaSmer, delka);
    v.Realna("transformace.odchylka_zadanaZenit", t.odchylka_zadanaZenit, delka);
    v.Realna("transformace.odchylka_zadanaDelka", t.odchylka_zadanaDelka, delka);
    v.Realna("transformace.odchylkaJednotkovaApriorni", t.odchylkaJednotkovaApriorni, jednotkova);
    v.Realna("transformace.rozikoOdlehlost", t.rizikoOdlehlost, hladina);
    v.Kod("transformace.typOdhadu", t.typOdhadu, 1, kPocetOdhadu);
    v.Bajt("transformace.maxPocetIteraci", t.maxPocetIteraci, 10, 100);
    v.Realna("transformace.maxZmenaVahy", t.maxZmenaVahy, podil);
    v.Realna("transformace.maxPrirustek", t.maxPrirustek, smer);
    auto& r = n.redukceMereni;
    v.Realna("redukceMereni.polomerRefPlochy", r.polomerRefPlochy,
             Meze{max.hodnota_polomerMin, max.hodnota_polomerMax});
    v.Realna("redukceMereni.zakladniZkresleni", r.zakladniZkresleni,
             Meze{max.hodnota_zkresleniMin, max.hodnota_zkresleniMax});
    v.Bajt("redukceMereni.typHladiny", r.typHladiny, 0, 2);
    v.Realna("redukceMereni.vyskaHladiny", r.vyskaHladiny,
             Meze{max.hodnota_hladinaMin, max.hodnota_hladinaMax});
    auto& g = n.grafika;
    v.Bajt("grafika.barvaFixBod", g.barvaFixBod, 0, 255);
    v.Bajt("grafika.barvaVyrBod", g.barvaVyrBod, 0, 255);
    v.Bajt("grafika.barvaMereni", g.barvaMereni, 0, 255);
    v.Bajt("grafika.barvaElipsa", g.barvaElipsa, 0, 255);
    v.Bajt("grafika.barvaPozadi", g.barvaPozadi, 0, 255);
    v.Logicka("grafika.kreslitBod", g.kreslitBod);
    v.Logicka("grafika.kreslitMereniLinie", g.kreslitMereniLinie);
    v.Logicka("grafika.kreslitMereniPopis", g.kreslitMereniPopis);
    v.Logicka("grafika.kreslitElipsa", g.kreslitElipsa);
    v.Logicka("grafika.kreslitOsa", g.kreslitOsa);
    v.Logicka("grafika.kreslitMeritko", g.kreslitMeritko);
    v.Bajt("grafika.tloustkaBod", g.tloustkaBod, 0, 6);
    v.Bajt("grafika.tloustkaMereni", g.tloustkaMereni, 0, 6);
    v.Bajt("grafika.tloustkaElipsa", g.tloustkaElipsa, 0, 6);
    v.Bajt("grafika.tloustkaOsa", g.tloustkaOsa, 0, 6);
    v.Bajt("grafika.tloustkaMeritko", g.tloustkaMeritko, 0, 6);
    v.Cele16("grafika.textFont", g.textFont);
    v.Bajt("grafika.textVelikost", g.textVelikost, 0, 22);
    v.Bajt("grafika.textRez", g.textRez, 0, 1);
    v.Bajt("grafika.krizek", g.krizek, 0, 29);
    v.Bajt("grafika.krouzek", g.krouzek, 0, 29);
    v.Bajt("grafika.zvetseniElipsa", g.zvetseniElipsa, 0, 11);
    v.Logicka("grafika.presnost", g.presnost);
    auto& o = n.protokol;
    v.Logicka("protokol.suroveMereni", o.suroveMereni);
    v.Logicka("protokol.rozdilPoloh", o.rozdilPoloh);
    v.Logicka("protokol.prumerPoloh", o.prumerPoloh);
    v.Logicka("protokol.prumerSkupin", o.prumerSkupin);
    v.Logicka("protokol.mereniKamen", o.mereniKamen);
    v.Logicka("protokol.bodyFix", o.bodyFix);
    v.Bajt("protokol.bodyFixMeritko", o.bodyFixMeritko, 0, 1);
    v.Logicka("protokol.sourPredVyr", o.sourPredVyr);
    v.Bajt("protokol.sourPredVyrMeritko", o.sourPredVyrMeritko, 0, 1);
    v.Logicka("protokol.merPredVyr", o.merPredVyr);
    v.Bajt("protokol.merPredVyrOdchyl", o.merPredVyrOdchyl, 0, 1);
    v.Logicka("protokol.vnitrniPresnost", o.vnitrniPresnost);
    v.Logicka("protokol.vnejsiPresnost", o.vnejsiPresnost);
    v.Logicka("protokol.infoVyr", o.infoVyr);
    v.Logicka("protokol.sourVyr", o.sourVyr);
    v.Bajt("protokol.sourVyrPresnost", o.sourVyrPresnost, 0, 2);
    v.Logicka("protokol.elipsVyr", o.elipsVyr);
    v.Bajt("protokol.elipsVyrPresnost", o.elipsVyrPresnost, 0, 2);
    v.Logicka("protokol.odlehleVyr", o.odlehleVyr);
    v.Logicka("protokol.merVyr", o.merVyr);
    v.Bajt("protokol.merVyrPresnost", o.merVyrPresnost, 0, 2);
    v.Logicka("protokol.bodyIdentTrans1", o.bodyIdentTransSVyr);
    v.Bajt("protokol.bodyIdentTrans1Odchyl", o.bodyIdentTransSVyrOdchyl, 0, 1);
    v.Logicka("protokol.infoBodyIdent", o.infoBodyIdent);
    v.Logicka("protokol.infoTransKlic1", o.infoTransKlicSVyr);
    v.Logicka("protokol.sourVyrTrans", o.sourVyrTrans);
    v.Bajt("protokol.sourVyrTransPresnost", o.sourVyrTransPresnost, 0, 2);
    v.Logicka("protokol.odlehleTrans", o.odlehleTrans);
    v.Logicka("protokol.sourTrans1", o.sourTransSVyr);
    v.Bajt("protokol.sourTrans1Presnost", o.sourTransSVyrPresnost, 0, 2);
    v.Logicka("protokol.elipTrans1", o.elipTransSVyr);
    v.Bajt("protokol.elipTrans1Presnost", o.elipTransSVyrPresnost, 0, 2);
    v.Logicka("protokol.bodyIdentTrans2", o.bodyIdentTransBodSm);
    v.Logicka("protokol.infoTransKlic2", o.infoTransKlicBodSm);
    v.Logicka("protokol.sourTrans2", o.sourTransBodSm);
    v.Bajt("protokol.sourTrans2Presnost", o.sourTransBodSmPresnost, 0, 2);
    v.Logicka("protokol.elipTrans2", o.elipTransBodSm);
    v.Bajt("protokol.elipTrans2Presnost", o.elipTransBodSmPresnost, 0, 2);
}

std::string Rozsah(int low, int high) {
    return FormatInteger(low) + " to " + FormatInteger(high);
}

std::string Rozsah(const Meze& m) {
    return "strictly between " + FormatGeneral(m.low) + " and " + FormatGeneral(m.high);
}

// Renders every value as the file stores it.
struct Zapis {
    std::vector<std::string>& radky;

    void Bajt(const char*, const uint8_t& v, int, int) { radky.push_back(FormatInteger(v)); }
    template <class E>
    void Kod(const char* nazev, const E& v, int low, int high) {
        Bajt(nazev, static_cast<uint8_t>(v), low, high);
    }
    void Cele16(const char*, const int16_t& v) { radky.push_back(FormatInteger(v)); }
    void Logicka(const char*, const bool& v) { radky.push_back(v ? "-1" : "0"); }
    // A value the parser cannot take (not finite, beyond 1e12) is written as it
    // is; the check that follows refuses it with its name.
    void Realna(const char*, const Real& v, const Meze&) {
        radky.push_back(std::isfinite(v) ? FormatExact(v) : FormatGeneral(v));
    }
};

// Reads every value into the fields of a scratch copy; stops at the first failure.
struct Cteni {
    const std::vector<PreparedLine>& radky;
    FileResult vysledek;
    size_t i = 0;

    // The single token of the next line, or false with the failure recorded.
    bool Token(const char* nazev, std::string& token) {
        if (!vysledek.ok) return false;
        const PreparedLine& radek = radky[i];
        const auto citac = static_cast<int32_t>(++i);
        const std::vector<std::string> t = Tokenize(radek.text);
        if (t.size() != 1) {
            vysledek = TokenCountFailure(citac, radek.fileLine, t.size(), "1");
            vysledek.cislo = nazev;
            return false;
        }
        token = t[0];
        return true;
    }

    void Selhani(const char* nazev, FileError chyba, const std::string& token,
                 const std::string& povoleno) {
        const PreparedLine& radek = radky[i - 1];
        vysledek = FileFailure(chyba, static_cast<int32_t>(i), radek.fileLine, token);
        vysledek.cislo = nazev;
        vysledek.allowed = povoleno;
    }

    bool Cele(const char* nazev, int32_t& hodnota, std::string& token) {
        if (!Token(nazev, token)) return false;
        if (ParseInteger(token, hodnota)) return true;
        Selhani(nazev, FileError::BadNumber, token, "a whole number");
        return false;
    }

    void Bajt(const char* nazev, uint8_t& v, int low, int high) {
        int32_t cele = 0;
        std::string token;
        if (!Cele(nazev, cele, token)) return;
        const auto bajt = static_cast<uint8_t>(static_cast<uint32_t>(cele) & 0xFFu);
        if (bajt < low || bajt > high) {
            Selhani(nazev, FileError::NumberOutOfRange, token, Rozsah(low, high));
            return;
        }
        v = bajt;
    }
    // The byte is checked against the range before it becomes a code.
    template <class E>
    void Kod(const char* nazev, E& v, int low, int high) {
        auto bajt = static_cast<uint8_t>(v);
        const bool ok = vysledek.ok;
        Bajt(nazev, bajt, low, high);
        if (ok && vysledek.ok) v = static_cast<E>(bajt);
    }
    void Cele16(const char* nazev, int16_t& v) {
        int32_t cele = 0;
        std::string token;
        if (Cele(nazev, cele, token))
            v = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(cele) & 0xFFFFu));
    }
    void Logicka(const char* nazev, bool& v) {
        std::string token;
        if (!Token(nazev, token)) return;
        bool hodnota = false;
        if (!ParseBooleanToken(token, hodnota)) {
            Selhani(nazev, FileError::BadBoolean, token, "");
            return;
        }
        v = hodnota;
    }
    void Realna(const char* nazev, Real& v, const Meze& m) {
        std::string token;
        if (!Token(nazev, token)) return;
        Real hodnota = 0;
        const NumberStatus stav = ParseNumber(token, hodnota);
        if (stav == NumberStatus::NotANumber) {
            Selhani(nazev, FileError::BadNumber, token, "");
            return;
        }
        if (stav == NumberStatus::OutOfRange || !(hodnota > m.low && hodnota < m.high)) {
            Selhani(nazev, FileError::NumberOutOfRange, token, Rozsah(m));
            return;
        }
        v = hodnota;
    }
};

// Collects the names in file order.
struct Nazvy {
    std::vector<std::string> nazvy;
    template <class T>
    void Bajt(const char* n, T&, int, int) {
        nazvy.emplace_back(n);
    }
    template <class T>
    void Kod(const char* n, T&, int, int) {
        nazvy.emplace_back(n);
    }
    template <class T>
    void Cele16(const char* n, T&) {
        nazvy.emplace_back(n);
    }
    template <class T>
    void Logicka(const char* n, T&) {
        nazvy.emplace_back(n);
    }
    template <class T>
    void Realna(const char* n, T&, const Meze&) {
        nazvy.emplace_back(n);
    }
};

}  // namespace

FileResult ZapsatNastaveni(const Tnastaveni& nastaveni, std::vector<std::string>& radky) {
    radky.clear();
    std::vector<std::string> text;
    Zapis zapis{text};
    ProjitNastaveni(nastaveni, zapis);
    // What the reader refuses is never written: the lines are read back with its
    // rules into a scratch copy, and the first refusal names the setting.
    std::vector<PreparedLine> kontrola;
    for (size_t k = 0; k < text.size(); ++k) kontrola.push_back({text[k], 0});
    Tnastaveni kopie = nastaveni;
    FileResult r = NacistNastaveni(kontrola, kopie);
    if (!r.ok) return r;
    radky = std::move(text);
    r.counter = kPocetRadkuNastaveni;
    return r;
}

FileResult NacistNastaveni(const std::vector<PreparedLine>& radky, Tnastaveni& nastaveni) {
    if (radky.size() != static_cast<size_t>(kPocetRadkuNastaveni)) {
        const int32_t radek = radky.empty() ? 0 : radky.back().fileLine;
        return FileFailure(FileError::WrongLineCount, 0, radek,
                           FormatInteger(static_cast<int64_t>(radky.size())) + " lines, " +
                               FormatInteger(kPocetRadkuNastaveni) + " expected");
    }
    const FpGuard guard;
    Tnastaveni kopie = nastaveni;
    Cteni cteni{radky, FileResult{}};
    ProjitNastaveni(kopie, cteni);
    if (!cteni.vysledek.ok) return cteni.vysledek;
    nastaveni = kopie;
    FileResult r;
    r.counter = kPocetRadkuNastaveni;
    return r;
}

std::string NazevNastaveni(int radek) {
    static const std::vector<std::string> nazvy = [] {
        Tnastaveni n;
        Nazvy v;
        ProjitNastaveni(n, v);
        return v.nazvy;
    }();
    if (radek < 1 || radek > static_cast<int>(nazvy.size())) return {};
    return nazvy[static_cast<size_t>(radek - 1)];
}

}  // namespace vertano

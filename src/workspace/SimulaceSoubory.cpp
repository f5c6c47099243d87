#include "workspace/SimulaceSoubory.h"

#include <utility>

#include "files/DoplnekSoubory.h"
#include "files/SouradniceSoubory.h"
#include "matice/Konstanty.h"
#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"
#include "supplementary/DoplnekDruh.h"

namespace vertano {

namespace {

uint8_t DesetinyUhlu(uint8_t uhel) {
    switch (uhel) {
        case jednotka::kRadian:
            return 9;  // files in radians never carry fewer
        case jednotka::kStupen:
        case jednotka::kDms:
            return 6;  // 0.004 and 0.003 mgon
    }
    return 5;  // gon: 0.01 mgon
}

const char* NazevVeliciny(HrubaVelicina v) {
    switch (v) {
        case HrubaVelicina::Smer:
            return "direction";
        case HrubaVelicina::Zenit:
            return "zenith angle";
        case HrubaVelicina::Delka:
            break;
    }
    return "distance";
}

struct Zapis {
    SimulaceUlozeni& vysledek;

    bool Hotovo(const std::filesystem::path& cesta, bool ok, const std::string& zprava) {
        if (ok) {
            vysledek.soubory.push_back(cesta);
            return true;
        }
        vysledek.message = zprava.empty() ? "cannot write " + cesta.string() : zprava;
        return false;
    }
};

bool ZapsatSurova(const SimulovanaSit& sit, const SimulaceFormat& f, const Tnastaveni& n,
                  const std::filesystem::path& prefix, Zapis& zapis) {
    const auto cesta = SouborSimulace(prefix, RawFileExtension(f.format));
    // Saving trims the list it is given, so it gets a copy. (A direction that
    // rounds to the full circle is written as 0 by the writers themselves.)
    Tmereni kopie = sit.mereni;
    const RawSaveReport r = UlozeniSouboru(kopie, n, cesta);
    return zapis.Hotovo(cesta, r.ok, r.message);
}

bool ZapsatBody(const Tsouradnice& body, const Tnastaveni& n, const std::filesystem::path& cesta,
                Zapis& zapis) {
    const CoordinateSaveReport r = UlozeniSouboru(body, n, cesta);
    return zapis.Hotovo(cesta, r.ok, r.message);
}

bool ZapsatHrube(const SimulovanaSit& sit, const std::filesystem::path& prefix, Zapis& zapis) {
    const auto cesta = SouborSimulace(prefix, kKonecHrube);
    std::string chyba;
    const bool ok = SaveTextFile(cesta, RadkyHrubychChyb(sit.hrubeChyby), chyba);
    return zapis.Hotovo(cesta, ok, chyba);
}

bool ZapsatDoplnky(const SimulovanaSit& sit, const Tnastaveni& n,
                   const std::filesystem::path& prefix, Zapis& zapis) {
    for (int32_t kod = 1; kod <= 4; ++kod) {
        const DruhDoplnku druh = DruhZKodu(kod);
        const auto cesta = SouborSimulace(prefix, kKonecDoplnku[kod - 1]);
        const SupplementarySaveReport r = UlozeniSouboruDoplnek(sit.doplnek, druh, n, cesta);
        if (!zapis.Hotovo(cesta, r.ok, r.message)) return false;
    }
    return true;
}

}  // namespace

Tnastaveni NastaveniSimulace(const SimulaceFormat& f) {
    Tnastaveni n;
    n.Default();
    n.jednotky.uhel = f.uhel;
    n.jednotky.delka = f.delka;
    n.jednotky.souradnice = f.souradnice;
    n.presnost.uhel.hodnota =
        f.desetinyUhlu >= 0 ? static_cast<uint8_t>(f.desetinyUhlu) : DesetinyUhlu(f.uhel);
    n.presnost.delka.hodnota = f.desetinyDelky >= 0 ? static_cast<uint8_t>(f.desetinyDelky) : 4;
    // 0.1 mm in metres; feet need one more decimal to keep it.
    n.presnost.souradnice.hodnota = f.souradnice == jednotka::kStopa ? 5 : 4;
    n.souborVystup.typSuroveMereni = static_cast<uint8_t>(f.format);
    n.souborVystup.typSouradnice = 0;
    return n;
}

std::filesystem::path SouborSimulace(const std::filesystem::path& prefix, std::string_view konec) {
    std::filesystem::path cesta = prefix;
    cesta += std::string(konec);
    return cesta;
}

std::vector<std::string> RadkyHrubychChyb(const std::vector<HrubaChyba>& chyby) {
    std::vector<std::string> radky = {
        "station number\tstation\ttarget\tset\tface\tquantity\terror\tunit"};
    for (const HrubaChyba& c : chyby) {
        const bool delka = c.velicina == HrubaVelicina::Delka;
        const Real velikost = delka ? c.velikost * 1000 : c.velikost * 200000 / kPi;
        radky.push_back(std::to_string(c.poradi) + "\t" + c.stanovisko + "\t" + c.cil + "\t" +
                        std::to_string(c.skupina) + "\t" + (c.poloha ? "I" : "II") + "\t" +
                        NazevVeliciny(c.velicina) + "\t" + FormatFixed(velikost, 3) + "\t" +
                        (delka ? "mm" : "mgon"));
    }
    return radky;
}

SimulaceUlozeni UlozitSimulaci(const SimulovanaSit& sit, const SimulaceFormat& f,
                               const std::filesystem::path& prefix) {
    SimulaceUlozeni vysledek;
    if (prefix.empty() || !prefix.has_filename()) {
        vysledek.message = "the output prefix must end in a file name: '" + prefix.string() + "'";
        return vysledek;
    }
    if (RawFileExtension(f.format).empty()) {
        vysledek.message = "unknown raw measurement format";
        return vysledek;
    }
    const Tnastaveni n = NastaveniSimulace(f);
    Zapis zapis{vysledek};
    vysledek.ok = ZapsatSurova(sit, f, n, prefix, zapis) &&
                  ZapsatBody(sit.zadane, n, SouborSimulace(prefix, kKonecZadane), zapis) &&
                  ZapsatBody(sit.skutecne, n, SouborSimulace(prefix, kKonecSkutecne), zapis) &&
                  ZapsatHrube(sit, prefix, zapis) &&
                  (!sit.maDoplnky || ZapsatDoplnky(sit, n, prefix, zapis));
    return vysledek;
}

}  // namespace vertano

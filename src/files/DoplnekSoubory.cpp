#include "files/DoplnekSoubory.h"

#include <algorithm>
#include <utility>

#include "data/Tchyby.h"
#include "data/Tinfo.h"
#include "data/Tnastaveni.h"
#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"
#include "supplementary/DoplnekDruh.h"
#include "supplementary/TdoplnkoveMereni.h"

namespace vertano {

namespace fs = std::filesystem;

namespace {

// Reads and parses one file into `nove`; false when it could not be opened at all.
bool PrecistSoubor(const fs::path& cesta, DruhDoplnku druh, const Tnastaveni& nastaveni,
                   LoadedSupplementaryFile& f, Tmereni& nove) {
    std::vector<std::string> radky;
    if (!ReadLinesForLoading(cesta, radky, f.result)) {
        f.message = f.result.note;
        return false;
    }
    if (f.result.ok) f.result = ReadSupplementary(druh, radky, nastaveni, nove);
    if (!f.result.ok) nove.Clear();
    return true;
}

LoadedSupplementaryFile NacistSoubor(Tmereni& seznam, DruhDoplnku druh, Tinfo& info,
                                     const Tnastaveni& nastaveni, const fs::path& cesta) {
    LoadedSupplementaryFile f;
    f.path = cesta;
    Tmereni nove;
    if (!PrecistSoubor(cesta, druh, nastaveni, f, nove)) return f;
    const bool nacteni = f.result.ok && nove.ExistujePlnyZaznam();
    f.id = info.RegistrovatSoubor(doplnek::TypSouboru(druh), cesta,
                                  nastaveni.souborVstup.typDoplnek, nacteni, f.result.counter);
    if (!f.result.ok) {
        f.message = cesta.string() + ": " + DescribeSupplementaryFailure(f.result);
        return f;
    }
    seznam.SmazPrazdneZaznamyNaKonci();
    for (Tzaznam& z : nove.zaznam) z.soubor = f.id;
    seznam.PridejMereniBezZmen(nove);
    f.rowsAdded = nove.PocetPlnychZaznamu();
    return f;
}

}  // namespace

int32_t SupplementaryLoadReport::RegisteredFiles() const {
    return static_cast<int32_t>(
        std::count_if(files.begin(), files.end(), [](const auto& f) { return f.id != 0; }));
}

int32_t SupplementaryLoadReport::LoadedFiles() const {
    return static_cast<int32_t>(std::count_if(files.begin(), files.end(), [](const auto& f) {
        return f.id != 0 && f.result.ok && f.rowsAdded > 0;
    }));
}

int32_t SupplementaryLoadReport::RowsAdded() const {
    int32_t pocet = 0;
    for (const auto& f : files) pocet += f.rowsAdded;
    return pocet;
}

bool SupplementaryLoadReport::AllLoaded() const {
    return !stopped && std::all_of(files.begin(), files.end(),
                                   [](const auto& f) { return f.result.ok && f.rowsAdded > 0; });
}

SupplementaryLoadReport NacteniSouboruDoplnek(TdoplnkoveMereni& doplnek, DruhDoplnku druh,
                                              Tinfo& info, const Tnastaveni& nastaveni,
                                              Tchyby& chyby, const std::vector<fs::path>& cesty) {
    SupplementaryLoadReport zprava;
    Tmereni* seznam = doplnek.Seznam(druh);
    if (seznam == nullptr) return zprava;
    for (const fs::path& cesta : cesty) {
        zprava.files.push_back(NacistSoubor(*seznam, druh, info, nastaveni, cesta));
        if (zprava.files.back().id == 0) {
            zprava.stopped = true;
            break;
        }
    }
    doplnek.Kontrola(druh, nastaveni, chyby);
    return zprava;
}

jazyk::Toznameni OznameniPridaniDoplnku(const SupplementaryLoadReport& zprava,
                                        const Tjazyk& jazyk) {
    jazyk::Toznameni o;
    o.nadpis = jazyk.tlacitko.pridat + " " + AsciiLower(jazyk.popis.mereni);
    o.text = jazyk.hlaseni.pridaneSoubory + FormatInteger(zprava.LoadedFiles()) + "/" +
             FormatInteger(zprava.RegisteredFiles()) + " (" + jazyk.hlaseni.poceZaznamu +
             FormatInteger(zprava.RowsAdded()) + ")";
    return o;
}

SupplementarySaveReport UlozeniSouboruDoplnek(const TdoplnkoveMereni& doplnek, DruhDoplnku druh,
                                              const Tnastaveni& nastaveni, const fs::path& cesta) {
    SupplementarySaveReport zprava;
    if (Trim(cesta.string()).empty()) {
        zprava.cancelled = true;
        return zprava;
    }
    const Tmereni* seznam = doplnek.Seznam(druh);
    std::vector<std::string> text;
    zprava.result = seznam != nullptr
                        ? WriteSupplementary(druh, *seznam, nastaveni, text)
                        : FileFailure(FileError::UnknownKind, 0, 0, FormatInteger(KodDruhu(druh)));
    if (!zprava.result.ok) {
        zprava.message = "Cannot save " + cesta.string() + " (the file was not changed): " +
                         DescribeSupplementaryFailure(zprava.result);
        return zprava;
    }
    std::string chyba;
    if (!SaveTextFile(cesta, text, chyba)) {
        zprava.result = NotedFailure(FileError::CannotSave, 0, 0, chyba);
        zprava.message = chyba;
        return zprava;
    }
    zprava.ok = true;
    return zprava;
}

}  // namespace vertano

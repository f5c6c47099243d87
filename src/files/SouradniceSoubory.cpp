#include "files/SouradniceSoubory.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "data/FixniOsy.h"
#include "data/SouradniceKontrola.h"
#include "data/Tchyby.h"
#include "data/Tinfo.h"
#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "files/SouradniceFormaty.h"
#include "files/SouradniceText.h"
#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"

namespace vertano {

namespace fs = std::filesystem;

namespace {

// Reads or converts a text in place.
using Prevod = std::function<CoordinateFileResult(std::vector<std::string>&)>;
using Pridani =
    std::function<CoordinateFileResult(Tsouradnice&, const std::vector<std::string>&, int32_t)>;
using Forma = std::function<CoordinateFileResult(const Tsouradnice&, std::vector<std::string>&)>;

// What a load command does with each file: which reader, which file list of the
// project state, which format code to record and how to append the points.
struct Nacitani {
    int typSouboru = 0;
    int32_t formatKod = 0;
    Prevod ctecka;
    Pridani pridani;
};

// Reads the file into canonical lines; false when it could not be opened at all.
bool PrecistRadky(const fs::path& cesta, const Nacitani& nacitani, LoadedCoordinateFile& f,
                  std::vector<std::string>& radky) {
    if (!ReadLinesForLoading(cesta, radky, f.result)) {
        f.message = f.result.note;
        return false;
    }
    if (f.result.ok) f.result = nacitani.ctecka(radky);
    if (f.result.ok) {
        // The lines are the reader's own output; this only guards against a reader
        // and an appender that disagree, which must refuse the file, not half of it.
        Tsouradnice zkouska;
        const CoordinateFileResult kontrola = nacitani.pridani(zkouska, radky, 0);
        if (!kontrola.ok) f.result = kontrola;
    }
    if (!f.result.ok) radky.clear();
    return true;
}

LoadedCoordinateFile NacistSoubor(Tsouradnice& souradnice, Tinfo& info, const fs::path& cesta,
                                  const Nacitani& nacitani) {
    LoadedCoordinateFile f;
    f.path = cesta;
    std::vector<std::string> radky;
    if (!PrecistRadky(cesta, nacitani, f, radky)) return f;
    f.id = info.RegistrovatSoubor(nacitani.typSouboru, cesta, nacitani.formatKod, !radky.empty(),
                                  f.result.counter);
    souradnice.SmazPrazdneZaznamyNaKonci();
    if (!f.result.ok) {
        f.message = cesta.string() + ": " + DescribeCoordinateFailure(f.result);
        return f;
    }
    nacitani.pridani(souradnice, radky, f.id);
    f.pointsAdded = static_cast<int32_t>(radky.size());
    return f;
}

CoordinateLoadReport NacistSoubory(Tsouradnice& souradnice, Tinfo& info,
                                   const std::vector<fs::path>& cesty, const Nacitani& nacitani) {
    CoordinateLoadReport zprava;
    for (const fs::path& cesta : cesty) {
        zprava.files.push_back(NacistSoubor(souradnice, info, cesta, nacitani));
        if (zprava.files.back().id == 0) {
            zprava.stopped = true;
            break;
        }
    }
    return zprava;
}

CoordinateSaveReport Neulozeno(const fs::path& cesta, const CoordinateFileResult& vysledek) {
    CoordinateSaveReport zprava;
    zprava.result = vysledek;
    zprava.message = "Cannot save " + cesta.string() +
                     " (the file was not changed): " + DescribeCoordinateFailure(vysledek);
    return zprava;
}

// Renders the list, converts it to the file format and saves it; the file is
// touched only when the whole text is ready.
CoordinateSaveReport Ulozit(const Tsouradnice& seznam, const fs::path& cesta, const Forma& forma,
                            const Prevod& zapis) {
    CoordinateSaveReport zprava;
    if (Trim(cesta.string()).empty()) {
        zprava.cancelled = true;
        return zprava;
    }
    std::vector<std::string> text;
    CoordinateFileResult vysledek = forma(seznam, text);
    if (!vysledek.ok) return Neulozeno(cesta, vysledek);
    vysledek = zapis(text);
    if (!vysledek.ok) return Neulozeno(cesta, vysledek);
    std::string chyba;
    if (!SaveTextFile(cesta, text, chyba)) {
        zprava.result = NotedFailure(FileError::CannotSave, 0, 0, chyba);
        zprava.message = chyba;
        return zprava;
    }
    zprava.ok = true;
    zprava.result = vysledek;
    return zprava;
}

}  // namespace

int32_t CoordinateLoadReport::RegisteredFiles() const {
    return static_cast<int32_t>(
        std::count_if(files.begin(), files.end(), [](const auto& f) { return f.id != 0; }));
}

bool CoordinateLoadReport::AllLoaded() const {
    return !stopped && std::all_of(files.begin(), files.end(),
                                   [](const auto& f) { return f.result.ok && f.pointsAdded > 0; });
}

CoordinateLoadReport NacteniSouboru(Tsouradnice& souradnice, Tinfo& info,
                                    const Tnastaveni& nastaveni, const std::vector<fs::path>& cesty,
                                    Tchyby& chyby) {
    const uint8_t bodyVstup = nastaveni.okno.bodyVstup;
    if (bodyVstup != kBodyVstupFixni && bodyVstup != kBodyVstupIdenticke) return {};
    const bool fixni = bodyVstup == kBodyVstupFixni;
    Nacitani nacitani;
    nacitani.typSouboru = fixni ? info::kSouradniceFixni : info::kSouradniceTransformaceVstup;
    nacitani.formatKod = nastaveni.souborVstup.typSouradnice;
    // Identical points may carry the standard deviations of their coordinates.
    nacitani.ctecka = [&](std::vector<std::string>& text) {
        return fixni ? ReadCoordinateFile(text, nastaveni)
                     : ReadIdenticalPointFile(text, nastaveni);
    };
    nacitani.pridani = [fixni](Tsouradnice& s, const std::vector<std::string>& text, int32_t id) {
        return fixni ? PridejBodyFixVse(s, text, id, true) : PridejBodySOdchylkami(s, text, id);
    };
    CoordinateLoadReport zprava = NacistSoubory(souradnice, info, cesty, nacitani);
    KontrolaSouradnic(souradnice, bodyVstup, chyby);
    return zprava;
}

CoordinateLoadReport NacteniSouboruMeritko(Tsouradnice& meritko, Tinfo& info,
                                           const Tnastaveni& nastaveni,
                                           const std::vector<fs::path>& cesty, Tchyby& chyby) {
    Nacitani nacitani;
    nacitani.typSouboru = info::kSouradniceMeritkoVstup;
    nacitani.formatKod = nastaveni.souborVstup.typMeritko;
    nacitani.ctecka = [](std::vector<std::string>& text) { return ReadScaleFactors(text); };
    nacitani.pridani = [](Tsouradnice& s, const std::vector<std::string>& text, int32_t id) {
        return PridejBodyMeritko(s, text, id, true);
    };
    CoordinateLoadReport zprava = NacistSoubory(meritko, info, cesty, nacitani);
    KontrolaMeritka(meritko, nastaveni, chyby);
    return zprava;
}

namespace {

// The fixed coordinates of a point fixed in plan or in height alone after its
// coordinates (one line per full point, in list order), as the reader of
// given points takes them.
void PripsatFixniOsy(const Tsouradnice& souradnice, std::vector<std::string>& text) {
    std::size_t radek = 0;
    for (const Tbod& b : souradnice.bod) {
        if (!b.JePlny) continue;
        if (radek >= text.size()) return;
        if (b.JeCastecneFixni()) text[radek] += ' ' + std::string(SlovoFixnichOs(b.fixniOsy));
        ++radek;
    }
}

}  // namespace

CoordinateSaveReport UlozeniSouboru(const Tsouradnice& souradnice, const Tnastaveni& nastaveni,
                                    const fs::path& cesta) {
    return Ulozit(
        souradnice, cesta,
        [](const Tsouradnice& s, std::vector<std::string>& text) {
            return UlozDoStringList(s, text, 0, false);
        },
        [&](std::vector<std::string>& text) {
            CoordinateFileResult r = WriteCoordinateFile(text, nastaveni);
            if (r.ok) PripsatFixniOsy(souradnice, text);
            return r;
        });
}

CoordinateSaveReport UlozeniSouboruSOdchylkami(const Tsouradnice& souradnice,
                                               const Tnastaveni& nastaveni, const fs::path& cesta) {
    return Ulozit(
        souradnice, cesta,
        [](const Tsouradnice& s, std::vector<std::string>& text) {
            return UlozDoStringList(s, text, 0, false);
        },
        [&](std::vector<std::string>& text) {
            return WriteCoordinateFileWithDeviations(text, nastaveni);
        });
}

CoordinateSaveReport UlozeniSouboruMeritko(const Tsouradnice& meritko, const Tnastaveni& nastaveni,
                                           const fs::path& cesta) {
    return Ulozit(
        meritko, cesta,
        [](const Tsouradnice& s, std::vector<std::string>& text) {
            return UlozDoStringListMeritko(s, text);
        },
        [&](std::vector<std::string>& text) { return WriteScaleFile(text, nastaveni); });
}

}  // namespace vertano

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

// Converts a text in place.
using Prevod = std::function<CoordinateFileResult(std::vector<std::string>&)>;
using Pridani =
    std::function<CoordinateFileResult(Tsouradnice&, const std::vector<std::string>&, int32_t)>;
using Forma = std::function<CoordinateFileResult(const Tsouradnice&, std::vector<std::string>&)>;

// What a load command does with each file: which reader, which file list of the
// project state, which format code to record and how to append the points.
struct Nacitani {
    int typSouboru = 0;
    int32_t formatKod = 0;
    CoordinateFileKind druh = CoordinateFileKind::Points;
    const Tnastaveni* nastaveni = nullptr;
    Pridani pridani;
};

// The lines that walk(visit) gives, as the readers of whole texts read them:
// control characters anywhere first, then line by line into the points of
// `nove`, which are counted first so that the list never grows (a growing list
// holds twice its size for a moment). Each line becomes its canonical line and
// that the point the appender makes of it: the values are those of the whole
// text's readers to the bit. The file is never held, nor a list of its lines.
template <class Walk>
CoordinateFileResult CistBody(const Walk& walk, const Nacitani& nacitani, Tsouradnice& nove) {
    int32_t pocet = 0;
    CoordinateFileResult r;
    CoordinateFileResult cteni = walk([&](std::string_view radek, int32_t radekSouboru) {
        ++pocet;
        if (HasControlCharacter(radek))
            r = FileFailure(FileError::ControlCharacter, pocet, radekSouboru, std::string(radek));
        return r.ok;
    });
    if (!cteni.ok) return cteni;
    if (!r.ok) return r;
    nove.bod.reserve(static_cast<size_t>(pocet));
    int32_t citac = 0;
    std::vector<std::string> kanonicky(1);
    cteni = walk([&](std::string_view radek, int32_t radekSouboru) {
        r = CanonicalFileLine(nacitani.druh, *nacitani.nastaveni, radek, ++citac, radekSouboru,
                              kanonicky[0]);
        // The appender takes what the reader made; should they ever disagree, the
        // file is refused rather than half of it taken.
        if (r.ok) r = nacitani.pridani(nove, kanonicky, 0);
        if (!r.ok && r.counter <= 1) {
            r.counter = citac;
            r.fileLine = radekSouboru;
        }
        return r.ok;
    });
    if (!cteni.ok) return cteni;
    if (!r.ok) return r;
    CoordinateFileResult hotovo;
    hotovo.counter = citac;
    return hotovo;
}

// The points of a file read in pieces (TextStream), or why not; CannotOpen when
// it could not be read again.
CoordinateFileResult CistProud(const TextStream& text, const Nacitani& nacitani,
                               Tsouradnice& nove) {
    const CoordinateFileKind druh = nacitani.druh;
    const uint8_t kod = nacitani.nastaveni->souborVstup.typSouradnice;
    if (druh != CoordinateFileKind::ScaleFactors && kod != kFormatXYZ && kod != kFormatYXZ) {
        std::string prazdny;
        return CanonicalFileLine(druh, *nacitani.nastaveni, "", 0, 0, prazdny);
    }
    const auto walk = [&text](auto&& visit) {
        std::string message;
        if (text.ForEachPreparedLine(visit, message)) return CoordinateFileResult{};
        return NotedFailure(FileError::CannotOpen, 0, 0, message);
    };
    return CistBody(walk, nacitani, nove);
}

// The points join the list after its last full record, numbered on from it and
// marked with the file's entry.
void Pripojit(Tsouradnice& souradnice, Tsouradnice&& nove, int32_t id) {
    const auto zacatek = static_cast<int32_t>(souradnice.bod.size());
    for (Tbod& b : nove.bod) {
        b.soubor = id;
        b.poradi += zacatek;
    }
    if (souradnice.bod.empty()) {
        souradnice.bod = std::move(nove.bod);
        return;
    }
    souradnice.bod.insert(souradnice.bod.end(), std::make_move_iterator(nove.bod.begin()),
                          std::make_move_iterator(nove.bod.end()));
}

LoadedCoordinateFile NacistSoubor(Tsouradnice& souradnice, Tinfo& info, const fs::path& cesta,
                                  const Nacitani& nacitani) {
    LoadedCoordinateFile f;
    f.path = cesta;
    TextStream text;
    if (!OpenTextForLoading(cesta, text, f.result)) {
        f.message = f.result.note;
        return f;
    }
    Tsouradnice nove;
    if (f.result.ok) f.result = CistProud(text, nacitani, nove);
    // Could not be read again (or changed meanwhile): as if it could not be opened.
    if (f.result.error == FileError::CannotOpen) {
        f.message = f.result.note;
        return f;
    }
    if (!f.result.ok) nove.bod.clear();
    f.id = info.RegistrovatSoubor(nacitani.typSouboru, cesta, nacitani.formatKod, !nove.bod.empty(),
                                  f.result.counter);
    souradnice.SmazPrazdneZaznamyNaKonci();
    if (!f.result.ok) {
        f.message = cesta.string() + ": " + DescribeCoordinateFailure(f.result);
        return f;
    }
    f.pointsAdded = static_cast<int32_t>(nove.bod.size());
    Pripojit(souradnice, std::move(nove), f.id);
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
    nacitani.druh = fixni ? CoordinateFileKind::Points : CoordinateFileKind::IdenticalPoints;
    nacitani.nastaveni = &nastaveni;
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
    nacitani.druh = CoordinateFileKind::ScaleFactors;
    nacitani.nastaveni = &nastaveni;
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

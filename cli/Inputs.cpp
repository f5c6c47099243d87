#include "Inputs.h"

#include <filesystem>
#include <string>

#include "CheckTexts.h"
#include "exchange/Format.h"
#include "files/DoplnekSoubory.h"
#include "files/SouradniceSoubory.h"
#include "files/SurovaMereniSoubory.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/PrikazyBodu.h"
#include "workspace/PrikazySurovychMereni.h"
#include "workspace/Vymena.h"

namespace vertano::cli {

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Paths(const std::vector<std::string>& names) {
    return {names.begin(), names.end()};
}

// A file that adds nothing is most likely the wrong file, or one cut short on its
// way here: a command that computes with it refuses it (whoever adjusts with an
// empty scale-factor file would get factors of 1 without a word), check only
// warns. True when the file may pass.
bool AcceptEmpty(Session& s, const std::string& name, const char* what) {
    if (s.options.command == "check") {
        s.err << name << ": warning: no " << what << " in the file\n";
        return true;
    }
    s.err << name << ": no " << what << " in the file\n";
    return false;
}

// A load command stops at a file it cannot open; the files after it are named so
// that nobody takes them for loaded.
void ReportNotTried(Session& s, const std::vector<std::string>& names, size_t tried) {
    for (size_t i = tried; i < names.size(); ++i)
        s.err << names[i] << ": not read (an earlier file could not be opened)\n";
}

bool ReportCoordinateFiles(Session& s, const std::vector<std::string>& names,
                           const CoordinateLoadReport& r, const jazyk::Toznameni& added,
                           const char* what) {
    const jazyk::Thlaseni& h = s.ws.jazyk.hlaseni;
    bool all = !r.stopped;
    for (const LoadedCoordinateFile& f : r.files) {
        if (!f.result.ok) {
            s.err << f.message << "\n";
            all = false;
            continue;
        }
        s.out << f.path.string() << ": " << h.pocetBodu << std::to_string(f.pointsAdded) << "\n";
        if (f.pointsAdded == 0 && !AcceptEmpty(s, f.path.string(), what)) all = false;
    }
    ReportNotTried(s, names, r.files.size());
    s.out << added.nadpis << ": " << added.text << "\n";
    return all;
}

bool LoadSupplementaryKind(Session& s, DruhDoplnku kind, const std::vector<std::string>& names) {
    Workspace& ws = s.ws;
    const SupplementaryLoadReport r = PridatDoplnky(ws, kind, Paths(names));
    bool all = !r.stopped;
    for (const LoadedSupplementaryFile& f : r.files) {
        if (!f.result.ok) {
            s.err << f.message << "\n";
            all = false;
            continue;
        }
        s.out << f.path.string() << ": " << ws.jazyk.hlaseni.poceZaznamu
              << std::to_string(f.rowsAdded) << "\n";
        if (f.rowsAdded == 0 && !AcceptEmpty(s, f.path.string(), "measurements")) all = false;
    }
    ReportNotTried(s, names, r.files.size());
    const jazyk::Toznameni added = OznameniPridaniDoplnku(r, ws.jazyk);
    s.out << added.nadpis << " - " << doplnek::NazevDruhu(ws.jazyk, kind) << ": " << added.text
          << "\n";
    return all;
}

}  // namespace

bool RawFormats(const Options& o, std::vector<int>& codes, std::ostream& err) {
    for (const std::string& name : o.inputs) {
        int code = o.format >= 0 ? o.format : RawFormatFromExtension(name);
        if (code < 0 && exchange::FormatPodlePripony(name, exchange::Obsah::SurovaMereni))
            code = exchange::kKodGsi;
        if (code < 0 && exchange::FormatPodlePripony(name, exchange::Obsah::Sit))
            code = exchange::kKodGama;
        if (code < 0) {
            err << "vertano-cli: cannot tell the format of '" << name
                << "' from its extension; use --format mtx|asc|gsi|gama\n";
            return false;
        }
        codes.push_back(code);
    }
    return true;
}

namespace {

// "name: rejected at line 4: ...", or without a line "name: rejected: ...".
std::string Rejected(const std::string& name, const FileResult& r) {
    return name + ": rejected" + (r.counter > 0 ? " at " : ": ") + DescribeFileFailure(r);
}

// The things of a file of another format that the program does not use.
void ReportNotes(Session& s, const std::string& name, const std::vector<std::string>& notes) {
    for (const std::string& n : notes)
        s.err << "warning: " << (name.empty() ? "" : name + ": ") << n << "\n";
}

// A network in the XML format of GNU Gama: its measurements, given points and
// supplementary measurements at once.
bool LoadNetwork(Session& s, const std::string& name, VysledekPridaniSurovych& total) {
    Workspace& ws = s.ws;
    const VysledekImportuSite v = ImportovatSit(ws, name);
    if (!v.vysledek.ok) {
        s.err << (v.vysledek.error == FileError::CannotOpen ? v.zprava : Rejected(name, v.vysledek))
              << "\n";
        ++total.registrovano;
        return false;
    }
    ++total.registrovano;
    if (v.pocetMereni > 0) ++total.nacteno;
    total.pocetMereni += v.pocetMereni;
    s.out << name << ": " << ws.jazyk.hlaseni.poceZaznamu << std::to_string(v.pocetMereni) << ", "
          << ws.jazyk.hlaseni.pocetBodu << std::to_string(v.pocetBodu) << ", supplementary "
          << std::to_string(v.pocetDoplnku) << " (weights: the file's standard deviations)\n";
    ReportNotes(s, name, v.poznamky);
    if (v.pocetMereni == 0 && !AcceptEmpty(s, name, "measurements")) return false;
    return true;
}

}  // namespace

bool LoadRawFiles(Session& s, const std::vector<int>& codes) {
    Workspace& ws = s.ws;
    const std::vector<std::string>& names = s.options.inputs;
    VysledekPridaniSurovych total;
    bool all = true;
    for (size_t i = 0; i < names.size(); ++i) {
        if (codes[i] == exchange::kKodGama) {
            all = LoadNetwork(s, names[i], total) && all;
            continue;
        }
        const VysledekPridaniSurovych r = PridatSurovaMereni(ws, {{names[i], codes[i]}});
        total.nacteno += r.nacteno;
        total.registrovano += r.registrovano;
        total.pocetMereni += r.pocetMereni;
        for (const LoadedRawFile& f : r.soubory) {
            const std::string name = f.path.string();
            if (!f.result.ok) {
                s.err << (f.result.error == RawFileError::CannotOpen ? f.message
                                                                     : Rejected(name, f.result))
                      << "\n";
                all = false;
                continue;
            }
            s.out << name << ": " << ws.jazyk.hlaseni.poceZaznamu << std::to_string(f.rowsAdded)
                  << "\n";
            ReportNotes(s, name, f.poznamky);
            if (f.rowsAdded == 0 && !AcceptEmpty(s, name, "measurements")) all = false;
        }
    }
    // The options override what a network file set (its weights).
    if (s.options.weights != ZdrojVah::Neurcen) ws.nastaveni.vyrovnani.typVah = s.options.weights;
    const jazyk::Toznameni added = OznameniPridaniSurovych(ws, total);
    s.out << added.nadpis << ": " << added.text << "\n";
    return all;
}

bool LoadPointFiles(Session& s) {
    // CSV files by their extension, with the layout of --csv.
    std::vector<std::string> native, csv;
    for (const std::string& name : s.options.points)
        (exchange::FormatPodlePripony(name, exchange::Obsah::Body) ? csv : native).push_back(name);
    bool all = true;
    if (!native.empty()) {
        const CoordinateLoadReport r = PridatZadaneBody(s.ws, Paths(native));
        all = ReportCoordinateFiles(s, native, r, OznameniPridaniBodu(s.ws, r, false), "points");
    }
    if (!csv.empty()) {
        exchange::CsvVolby volby;
        std::string error;
        exchange::ParseCsvVolby(s.options.csv, volby, error);
        std::vector<std::string> notes;
        const CoordinateLoadReport r = PridatBodyCsv(s.ws, Paths(csv), volby, notes);
        ReportNotes(s, "", notes);
        all =
            ReportCoordinateFiles(s, csv, r, OznameniPridaniBodu(s.ws, r, false), "points") && all;
    }
    return all;
}

bool LoadScaleFiles(Session& s) {
    const CoordinateLoadReport r = PridatMeritka(s.ws, Paths(s.options.scale));
    return ReportCoordinateFiles(s, s.options.scale, r, OznameniPridaniBodu(s.ws, r, true),
                                 "scale factors");
}

bool LoadSupplementaryFiles(Session& s) {
    bool all = true;
    for (const DruhDoplnku kind : doplnek::kPoradiKontroly) {
        const std::vector<std::string>& names =
            s.options.supplementary[static_cast<size_t>(KodDruhu(kind) - 1)];
        if (!names.empty() && !LoadSupplementaryKind(s, kind, names)) all = false;
    }
    return all;
}

bool LoadIdenticalFiles(Session& s) {
    // The identical points have a format option of their own.
    uint8_t& format = s.ws.nastaveni.souborVstup.typSouradnice;
    const uint8_t given = format;
    format = s.options.identicalYxz ? 1 : 0;
    const CoordinateLoadReport r = PridatIdentickeBody(s.ws, Paths(s.options.identical));
    format = given;
    return ReportCoordinateFiles(s, s.options.identical, r, OznameniPridaniIdentickych(s.ws, r),
                                 "points");
}

}  // namespace vertano::cli

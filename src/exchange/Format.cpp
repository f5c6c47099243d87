#include "exchange/Format.h"

#include <algorithm>

#include "exchange/GamaImport.h"
#include "exchange/Gsi.h"
#include "exchange/Zapisovace.h"
#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"

namespace vertano::exchange {

const std::vector<PopisFormatu>& Formaty() {
    static const std::vector<PopisFormatu> formaty = {
        {Format::Gsi, "gsi", {".gsi"}, "GSI raw data", {Obsah::SurovaMereni}, false},
        {Format::Gama, "gama", {".xml", ".gkf"}, "GNU Gama XML", {Obsah::Sit}, true},
        {Format::Csv, "csv", {".csv"}, "CSV", {Obsah::Body}, true},
        {Format::GeoJson, "geojson", {".geojson"}, "GeoJSON", {}, true},
    };
    return formaty;
}

const PopisFormatu& Popis(Format f) {
    for (const PopisFormatu& p : Formaty())
        if (p.format == f) return p;
    return Formaty().front();
}

std::optional<Format> FormatPodleJmena(std::string_view jmeno) {
    const std::string j = AsciiLower(jmeno);
    for (const PopisFormatu& p : Formaty())
        if (j == p.jmeno) return p.format;
    return std::nullopt;
}

std::optional<Format> FormatPodlePripony(const std::filesystem::path& cesta, Obsah obsah) {
    const std::string pripona = AsciiLower(cesta.extension().string());
    for (const PopisFormatu& p : Formaty()) {
        const bool cte = std::find(p.cteni.begin(), p.cteni.end(), obsah) != p.cteni.end();
        const bool pise = obsah == Obsah::Vysledky && p.zapis;
        if (!cte && !pise) continue;
        for (const char* x : p.pripony)
            if (pripona == x) return p.format;
    }
    return std::nullopt;
}

std::string VzoryPripon(Format f) {
    std::string out;
    for (const char* x : Popis(f).pripony) {
        std::string upper = x;
        for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        out += std::string(out.empty() ? "" : " ") + "*" + x + " *" + upper;
    }
    return out;
}

namespace {

FileResult Neumi(Format f) {
    return NotedFailure(FileError::UnknownFormat, 0, 0,
                        std::string(Popis(f).jmeno) + " cannot be read as that");
}

}  // namespace

FileResult Importovat(Format f, Obsah obsah, const std::filesystem::path& cesta,
                      const Tnastaveni& nastaveni, const CsvVolby& csv, Import& import) {
    import = Import{};
    Import novy;
    FileResult r;
    if (f == Format::Gsi && obsah == Obsah::SurovaMereni) {
        TextStream text;
        if (!OpenTextForLoading(cesta, text, r)) return r;
        if (r.ok) r = ReadGsiStream(text, novy.mereni, novy.poznamky);
    } else if (f == Format::Gama && obsah == Obsah::Sit) {
        TextStream text;
        if (!OpenTextForLoading(cesta, text, r)) return r;
        GamaSit sit;
        if (r.ok) r = ReadGamaStream(text, sit);
        ImportovanaSit s;
        if (r.ok) r = GamaDoSite(std::move(sit), nastaveni, s);
        if (r.ok) {
            novy.mereni = std::move(s.mereni);
            novy.body = std::move(s.body);
            novy.doplnky = std::move(s.doplnky);
            novy.osy = std::move(s.osy);
            novy.poznamky = std::move(s.poznamky);
            novy.vlastniOdchylky = true;
        }
    } else if (f == Format::Csv && obsah == Obsah::Body) {
        std::string text;
        if (!ReadTextForLoading(cesta, text, r)) return r;
        if (r.ok)
            r = ReadCsvBody(text, csv, nastaveni.jednotky.souradnice, novy.body, novy.poznamky);
    } else {
        return Neumi(f);
    }
    if (r.ok) import = std::move(novy);
    return r;
}

FileResult Exportovat(Format f, const VyrovnanaSit& sit, const VolbyExportu& volby,
                      std::vector<std::string>& radky) {
    radky.clear();
    switch (f) {
        case Format::Gama:
            return ZapsatGama(sit, radky);
        case Format::Csv:
            return volby.csvMereni ? ZapsatCsvMereni(sit, volby.oddelovac, volby.desetinna, radky)
                                   : ZapsatCsvBody(sit, volby.oddelovac, volby.desetinna, radky);
        case Format::GeoJson:
            return ZapsatGeoJson(sit, volby.meritkoElips, radky);
        default:
            return NotedFailure(FileError::UnknownFormat, 0, 0,
                                std::string(Popis(f).jmeno) + " has no writer of results");
    }
}

}  // namespace vertano::exchange

#include "files/EtapaSoubor.h"

#include <cmath>
#include <utility>

#include "files/SouradniceText.h"
#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"

namespace vertano {

namespace {

constexpr size_t kHodnotNaRadek = 10;

void Tagem(std::vector<std::string>& radky, int sekce, bool konec) {
    radky.push_back(std::string(konec ? "</" : "<") + FormatInteger(sekce) + ">");
}

bool Sekce1(const EtapaObsah& o, std::vector<std::string>& radky, FileResult& chyba) {
    for (const int32_t n : {o.pocetSmer, o.pocetZenit, o.pocetDelka, o.pocetDoplnekDelka,
                            o.pocetDoplnekSmernik, o.pocetDoplnekPrevyseni, o.pocetDoplnekProvazeni,
                            o.pocetMereni, o.pocetBodu, o.pocetBoduUrcovanych, o.pocetBoduFixnich,
                            o.pocetPosunu, o.pocetNeznamych, o.pocetNadbytecnych, o.pocetPodminek})
        radky.push_back(FormatInteger(n));
    for (const Real s : {o.odchylkaJednotkovaAprior, o.odchylkaJednotkovaAposterior}) {
        if (!std::isfinite(s)) {
            chyba = FileFailure(FileError::UnwritableValue, 0, 0,
                                "unit standard deviation " + FormatGeneral(s));
            return false;
        }
        radky.push_back(FormatGeneral(s));
    }
    return true;
}

bool Sekce3(const std::vector<Real>& q, std::vector<std::string>& radky, FileResult& chyba) {
    std::string radek;
    for (size_t k = 0; k < q.size(); ++k) {
        if (!std::isfinite(q[k])) {
            chyba = FileFailure(FileError::UnwritableValue, static_cast<int32_t>(k + 1), 0,
                                "cofactor " + FormatGeneral(q[k]));
            return false;
        }
        if (!radek.empty()) radek += ' ';
        radek += FormatGeneral(q[k]);
        if ((k + 1) % kHodnotNaRadek == 0) radky.push_back(std::move(radek)), radek.clear();
    }
    if (!radek.empty()) radky.push_back(std::move(radek));
    return true;
}

void Sekce4(const std::string& text, std::vector<std::string>& radky) {
    size_t od = 0;
    while (od < text.size()) {
        const size_t konec = text.find('\n', od);
        std::string radek =
            text.substr(od, konec == std::string::npos ? std::string::npos : konec - od);
        while (!radek.empty() && (radek.back() == '\r' || radek.back() == ' ')) radek.pop_back();
        if (!radek.empty()) radky.push_back(std::move(radek));
        od = konec == std::string::npos ? text.size() : konec + 1;
    }
}

}  // namespace

FileResult EtapaText(const EtapaObsah& obsah, std::vector<std::string>& radky) {
    radky.clear();
    std::vector<std::string> text;
    FileResult chyba;
    Tagem(text, 1, false);
    if (!Sekce1(obsah, text, chyba)) return chyba;
    Tagem(text, 1, true);
    Tagem(text, 2, false);
    if (obsah.body != nullptr) {
        const FileResult r = UlozDoStringListFixAktiv(*obsah.body, text, -6, true);
        if (!r.ok) return r;
    }
    Tagem(text, 2, true);
    Tagem(text, 3, false);
    if (!Sekce3(obsah.kofaktory, text, chyba)) return chyba;
    Tagem(text, 3, true);
    Tagem(text, 4, false);
    Sekce4(obsah.mereni, text);
    Tagem(text, 4, true);
    radky = std::move(text);
    return {};
}

bool ZapsatEtapu(const std::filesystem::path& cesta, const EtapaObsah& obsah, std::string& chyba) {
    std::vector<std::string> radky;
    const FileResult r = EtapaText(obsah, radky);
    if (!r.ok) {
        chyba = cesta.string() + ": the epoch cannot be written: " + DescribeFileFailure(r);
        return false;
    }
    return SaveTextFile(cesta, radky, chyba);
}

}  // namespace vertano

#include "files/EtapaSoubor.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <utility>

#include "files/SouradniceText.h"
#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"

namespace vertano {

namespace {

constexpr int64_t kHodnotNaRadek = 10;

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

// The cofactors, ten to a line, as they come.
class Sekce3 {
  public:
    explicit Sekce3(const std::function<bool(std::string&&)>& vystup) : vystup_(vystup) {}

    bool Pridat(Real q, FileResult& chyba) {
        ++pocet_;
        if (!std::isfinite(q)) {
            chyba = FileFailure(FileError::UnwritableValue,
                                static_cast<int32_t>(std::min<int64_t>(pocet_, INT32_MAX)), 0,
                                "cofactor " + FormatGeneral(q));
            return false;
        }
        if (!radek_.empty()) radek_ += ' ';
        radek_ += FormatGeneral(q);
        if (pocet_ % kHodnotNaRadek != 0) return true;
        return Odeslat();
    }
    bool Dokoncit() { return radek_.empty() || Odeslat(); }

  private:
    bool Odeslat() {
        const bool ok = vystup_(std::move(radek_));
        radek_.clear();
        return ok;
    }

    const std::function<bool(std::string&&)>& vystup_;
    std::string radek_;
    int64_t pocet_ = 0;
};

// False with `chyba` set when a value is refused or the cofactors could not be
// computed, with `chyba` ok when the file could not take a line.
bool ZapsatSekci3(const EtapaObsah& o, const std::function<bool(std::string&&)>& vystup,
                  FileResult& chyba) {
    Sekce3 sekce(vystup);
    if (!o.sloupce) {
        for (const Real q : o.kofaktory) {
            if (!sekce.Pridat(q, chyba)) return false;
        }
        return sekce.Dokoncit();
    }
    bool zastaveno = false;
    const bool spocteno = o.sloupce([&](int32_t j, const Tvector& sloupec) {
        for (size_t i = static_cast<size_t>(std::max(j, 0)); i < sloupec.size(); ++i) {
            if (sekce.Pridat(sloupec[i], chyba)) continue;
            zastaveno = true;
            return false;
        }
        return true;
    });
    if (!spocteno) {
        if (!zastaveno)
            chyba = NotedFailure(FileError::UnwritableValue, 0, 0,
                                 "the cofactor matrix could not be computed");
        return false;
    }
    return sekce.Dokoncit();
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

namespace {

// The lines of the epoch to `vystup` (false from it stops the text: the file
// could not take it).
FileResult EtapaRadky(const EtapaObsah& obsah, const std::function<bool(std::string&&)>& vystup) {
    std::vector<std::string> text;
    FileResult chyba;
    const auto odeslat = [&] {
        for (std::string& r : text) {
            if (!vystup(std::move(r))) return false;
        }
        text.clear();
        return true;
    };
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
    if (!odeslat()) return NotedFailure(FileError::CannotSave, 0, 0, "");
    if (!ZapsatSekci3(obsah, vystup, chyba)) {
        return chyba.ok ? NotedFailure(FileError::CannotSave, 0, 0, "") : chyba;
    }
    Tagem(text, 3, true);
    Tagem(text, 4, false);
    Sekce4(obsah.mereni, text);
    Tagem(text, 4, true);
    if (!odeslat()) return NotedFailure(FileError::CannotSave, 0, 0, "");
    return {};
}

}  // namespace

FileResult EtapaText(const EtapaObsah& obsah, std::vector<std::string>& radky) {
    radky.clear();
    std::vector<std::string> text;
    const FileResult r = EtapaRadky(obsah, [&text](std::string&& radek) {
        text.push_back(std::move(radek));
        return true;
    });
    if (r.ok) radky = std::move(text);
    return r;
}

int64_t OdhadVelikostiEtapy(int32_t pocetBodu, int32_t n) {
    constexpr int64_t kNaKofaktor = 22;  // "-1.23456789012345e-05 "
    constexpr int64_t kNaBod = 80;
    const int64_t kofaktory = static_cast<int64_t>(n) * (static_cast<int64_t>(n) + 1) / 2;
    return kofaktory * kNaKofaktor + static_cast<int64_t>(pocetBodu) * kNaBod;
}

bool ZapsatEtapu(const std::filesystem::path& cesta, const EtapaObsah& obsah, std::string& chyba) {
    FileResult obsahChyba;
    const bool ulozeno = SaveTextLines(
        cesta,
        [&](const LineWriter& zapsat) {
            obsahChyba = EtapaRadky(obsah, [&](std::string&& radek) { return zapsat(radek); });
            return obsahChyba.ok;
        },
        chyba);
    if (!ulozeno && !obsahChyba.ok && obsahChyba.error != FileError::CannotSave)
        chyba =
            cesta.string() + ": the epoch cannot be written: " + DescribeFileFailure(obsahChyba);
    return ulozeno;
}

}  // namespace vertano

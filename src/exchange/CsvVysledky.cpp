#include <cmath>
#include <string>

#include "exchange/CsvBody.h"
#include "exchange/Zapisovace.h"
#include "matice/Konstanty.h"
#include "mereni/Text.h"

namespace vertano::exchange {

namespace {

// Numbers of one file: the decimal mark chosen, nothing for a figure that does
// not exist, and the first value that is not finite remembered.
struct Cisla {
    char desetinna = '.';
    bool ok = true;

    std::string operator()(Real v, int desetin) {
        if (!std::isfinite(v)) {
            ok = false;
            return {};
        }
        std::string t = FormatFixed(v, desetin);
        if (desetinna != '.')
            for (char& c : t)
                if (c == '.') c = desetinna;
        return t;
    }
    std::string Nebo(Real v, int desetin) { return v < 0 ? std::string() : (*this)(v, desetin); }
};

std::string Radek(const std::vector<std::string>& pole, char oddelovac) {
    std::string out;
    for (size_t i = 0; i < pole.size(); ++i) {
        if (i > 0) out += oddelovac;
        out += PoleProCsv(pole[i], oddelovac);
    }
    return out;
}

const char* Druh(DruhMereni d) {
    switch (d) {
        case DruhMereni::Delka:
            return "distance";
        case DruhMereni::Smer:
            return "direction";
        case DruhMereni::Zenit:
            return "zenith";
        case DruhMereni::DoplnekDelka:
            return "supp-distance";
        case DruhMereni::Smernik:
            return "supp-bearing";
        case DruhMereni::Prevyseni:
            return "supp-height";
        case DruhMereni::Provazeni:
            return "supp-plumb";
    }
    return "";
}

bool JeUhel(DruhMereni d) {
    return d == DruhMereni::Smer || d == DruhMereni::Zenit || d == DruhMereni::Smernik;
}

FileResult Hotovo(bool ok, std::vector<std::string>& out, std::vector<std::string>& radky) {
    if (!ok)
        return NotedFailure(FileError::UnwritableValue, 0, 0, "a value is not a finite number");
    radky = std::move(out);
    FileResult r;
    r.counter = static_cast<int32_t>(radky.size() - 1);
    return r;
}

}  // namespace

FileResult ZapsatCsvBody(const VyrovnanaSit& sit, char oddelovac, char desetinna,
                         std::vector<std::string>& radky) {
    radky.clear();
    Cisla c{desetinna};
    std::vector<std::string> out;
    out.push_back(Radek({"name", "x_m", "y_m", "z_m", "fixed", "sx_mm", "sy_mm", "sz_mm",
                         "ellipse_a_mm", "ellipse_b_mm", "ellipse_bearing_gon"},
                        oddelovac));
    for (const VyrovnanyBod& b : sit.body) {
        const bool presnost = !b.fixni;
        const auto mm = [&](Real m) { return presnost ? c.Nebo(m < 0 ? m : m * 1000, 2) : ""; };
        out.push_back(Radek({b.cislo, c(b.X, 4), c(b.Y, 4), c(b.Z, 4), b.fixni ? "1" : "0",
                             mm(b.sigX), mm(b.sigY), mm(b.sigZ), mm(b.elipsaA), mm(b.elipsaB),
                             presnost && b.elipsaA >= 0 ? c(b.elipsaSmernik * 200 / kPi, 4) : ""},
                            oddelovac));
    }
    return Hotovo(c.ok, out, radky);
}

FileResult ZapsatCsvMereni(const VyrovnanaSit& sit, char oddelovac, char desetinna,
                           std::vector<std::string>& radky) {
    radky.clear();
    Cisla c{desetinna};
    std::vector<std::string> out;
    out.push_back(
        Radek({"kind", "station", "target", "value", "adjusted", "residual", "normalised_residual",
               "sigma_apriori", "sigma_adjusted", "outlier", "unit", "residual_unit"},
              oddelovac));
    for (const VyrovnaneMereni& m : sit.mereni) {
        const bool uhel = JeUhel(m.druh);
        // Values in gon or metres, residuals and deviations in mgon or mm.
        const Real k = uhel ? 200 / kPi : 1;
        const Real kk = k * 1000;
        out.push_back(Radek(
            {Druh(m.druh), m.od, m.k, c(m.hodnota * k, uhel ? 5 : 4),
             m.odlehle ? "" : c(m.vyrovnana * k, uhel ? 5 : 4), c(m.oprava * kk, 2),
             c(m.normOprava, 2), c.Nebo(m.odchylka < 0 ? m.odchylka : m.odchylka * kk, 2),
             m.odlehle
                 ? ""
                 : c.Nebo(m.odchylkaVyrovnane < 0 ? m.odchylkaVyrovnane : m.odchylkaVyrovnane * kk,
                          2),
             m.odlehle ? "1" : "0", uhel ? "gon" : "m", uhel ? "mgon" : "mm"},
            oddelovac));
    }
    return Hotovo(c.ok, out, radky);
}

}  // namespace vertano::exchange

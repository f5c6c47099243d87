#include "FormatBunek.h"

#include <cmath>

#include "Texty.h"
#include "reports/Tprotokol.h"

namespace vertano::ui {

namespace {

// The formatter refuses a value it cannot write; a table shows an empty cell.
template <class F>
QString Bezpecne(Real hodnota, F&& f) {
    if (!std::isfinite(hodnota)) return {};
    try {
        return Q(f(hodnota));
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace

QString FormatBunek::Uhel(Real radiany) const {
    return Bezpecne(radiany, [this](Real v) { return f_.Uhel(v); });
}

QString FormatBunek::UhelOdchylka(Real radiany) const {
    if (radiany < 0) return {};
    return Bezpecne(radiany, [this](Real v) { return f_.UhelOdchylka(v); });
}

QString FormatBunek::Delka(Real metry) const {
    return Bezpecne(metry, [this](Real v) { return f_.Delka(v); });
}

QString FormatBunek::DelkaOdchylka(Real metry) const {
    if (metry < 0) return {};
    return Bezpecne(metry, [this](Real v) { return f_.DelkaOdchylka(v); });
}

QString FormatBunek::Souradnice(Real metry) const {
    return Bezpecne(metry, [this](Real v) { return f_.Souradnice(v); });
}

QString FormatBunek::SouradniceOdchylka(Real metry) const {
    if (metry < 0) return {};
    return Bezpecne(metry, [this](Real v) { return f_.SouradniceOdchylka(v); });
}

QString FormatBunek::SouradniceRozdil(Real metry) const {
    if (metry < 0) {
        const QString kladna =
            Bezpecne(-metry, [this](Real v) { return f_.SouradniceOdchylka(v); });
        return kladna.isEmpty() ? kladna : "-" + kladna;
    }
    return Bezpecne(metry, [this](Real v) { return f_.SouradniceOdchylka(v); });
}

QString FormatBunek::Meritko(Real meritko) const {
    if (meritko <= 0) return {};
    return Bezpecne(meritko, [this](Real v) { return f_.Meritko(v); });
}

QString FormatBunek::Statistika(Real hodnota) {
    return Bezpecne(hodnota, [](Real v) { return TriDesetinna(v); });
}

QString FormatBunek::Cele(int64_t n) {
    return Q(CeleCislo(n));
}

QString Jednotka(const std::string& jednotka) {
    return QStringLiteral(" [") + Q(jednotka) + "]";
}

}  // namespace vertano::ui

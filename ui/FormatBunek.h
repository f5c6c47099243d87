#pragma once

#include <QString>

#include "data/Tjazyk.h"
#include "data/Tnastaveni.h"
#include "matice/Real.h"
#include "reports/FormatCisel.h"

namespace vertano::ui {

// The cells of the result and list tables: values in the display units of the
// settings with their decimals, as the reports write them. A value that is not
// a finite number, and a deviation or scale factor that is not set (negative),
// shows an empty cell instead of stopping the window.
class FormatBunek {
  public:
    explicit FormatBunek(const Tnastaveni& nastaveni) : f_(nastaveni) {}

    QString Uhel(Real radiany) const;
    QString UhelOdchylka(Real radiany) const;
    QString Delka(Real metry) const;
    QString DelkaOdchylka(Real metry) const;
    QString Souradnice(Real metry) const;
    QString SouradniceOdchylka(Real metry) const;
    QString Meritko(Real meritko) const;
    // A small signed length (a residual) in the coordinate deviation unit.
    QString SouradniceRozdil(Real metry) const;
    QString Hodnota(bool uhel, Real hodnota) const { return uhel ? Uhel(hodnota) : Delka(hodnota); }
    QString Odchylka(bool uhel, Real odchylka) const {
        return uhel ? UhelOdchylka(odchylka) : DelkaOdchylka(odchylka);
    }
    // Normed residuals and other statistics: three decimals.
    static QString Statistika(Real hodnota);
    static QString Cele(int64_t n);

  private:
    FormatCisel f_;
};

// " [unit]" after a column name.
QString Jednotka(const std::string& jednotka);

}  // namespace vertano::ui

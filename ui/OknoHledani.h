#pragma once

#include <QDialog>
#include <vector>

#include "data/Tjazyk.h"
#include "workspace/TabulkaMereni.h"

class QComboBox;
class QLineEdit;

namespace vertano::ui {

// One attribute of a find window: a name, a whole number, a number in the
// display unit of its column, or the telescope face.
struct AtributHledani {
    enum class Druh { Text, Cislo, Cele, Poloha };
    QString nazev;
    Druh druh = Druh::Cislo;
};

// A pattern over the attributes of a list: one condition per attribute; the
// face attribute keeps 0 (any), 1 (I) or 2 (II) in its condition's number.
using VzorAtributu = std::vector<PodminkaVzoru>;

// The find and select-by-attributes window of a list: one row per attribute
// with its comparison and its value. It opens with the stored pattern of its
// mode; on confirming, each attribute is active when its value reads (a whole
// number, a number, a non-empty name, a face other than empty), an inactive
// value is emptied, and the window stays open while no attribute is active.
// Closing by any button stores the pattern as edited.
class OknoHledani : public QDialog {
    Q_OBJECT

  public:
    OknoHledani(QWidget* rodic, const QString& nadpis, const QString& ok, const QString& zavrit,
                std::vector<AtributHledani> atributy, VzorAtributu& vzor);

    QComboBox* Srovnani(int i) const { return porovnani_[static_cast<std::size_t>(i)]; }
    QLineEdit* Hodnota(int i) const { return hodnoty_[static_cast<std::size_t>(i)]; }
    QComboBox* Poloha() const { return poloha_; }
    void Potvrdit();

    void done(int vysledek) override;

  private:
    void Ulozit();

    std::vector<AtributHledani> atributy_;
    VzorAtributu& vzor_;
    std::vector<QComboBox*> porovnani_;
    std::vector<QLineEdit*> hodnoty_;
    QComboBox* poloha_ = nullptr;
};

// The raw list's pattern and the attribute form of the window, both ways.
std::vector<AtributHledani> AtributySurovych(const Tjazyk& jazyk);
VzorAtributu ZeVzoruHledani(const VzorHledani& vzor);
VzorHledani DoVzoruHledani(const VzorAtributu& vzor);

}  // namespace vertano::ui

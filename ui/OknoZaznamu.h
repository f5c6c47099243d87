#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vertano::ui {

// What a field of a record window takes.
enum class DruhPole {
    Jmeno,  // a point name: trimmed, not empty, no blank or control character
    Cislo,  // a number by the number entry rule
    Cele,   // a whole number
    // A measured value: a number, or "-" when it was not measured.
    Mereni,
    // A zenith angle: a number, or not measured in face I ("-", "-I") or II ("-II").
    Zenit,
};

struct PoleZaznamu {
    QString nazev;
    QString jednotka;
    DruhPole druh = DruhPole::Cislo;
    bool jenCteni = false;
    QString hodnota;  // on opening
};

// A single-record window: one row per field (name, value, unit) and beside
// each value a mark of its validity: green when valid, red when not, and in
// the edit mode a grey mark for an empty field, which leaves that field as it
// is. The buttons "Close [Esc]", "Clear [Del]", "Insert [Ent]" and "Insert and
// Close". "Insert" does nothing while the values equal those of the last
// opening or insert, or while a field is invalid; otherwise it hands the
// values (names trimmed) to `vlozit`, and when that succeeds the fields are
// filled anew from `naplnit` and become the new snapshot.
class OknoZaznamu : public QDialog {
    Q_OBJECT

  public:
    struct Texty {
        QString zavrit, vycistit, vlozit, vlozitAZavrit;
    };

    OknoZaznamu(QWidget* rodic, const QString& nadpis, const Texty& texty,
                std::vector<PoleZaznamu> pole, bool uprava);

    // The values of the fields after a successful insert (the mode's opening
    // values); without it the fields stay as they are.
    std::function<std::vector<QString>()> naplnit;
    // Applies the values; true when the list changed.
    std::function<bool(const std::vector<QString>&)> vlozit;

    QLineEdit* Pole(int i) const { return hodnoty_[static_cast<std::size_t>(i)]; }
    int PocetPoli() const { return static_cast<int>(hodnoty_.size()); }
    // The validity of a field as its mark shows it.
    bool JePlatne(int i) const;
    // How many inserts took effect.
    int PocetVlozeni() const { return vlozeno_; }

    void Vlozit();
    void VlozitAZavrit();
    void Vycistit();

  protected:
    bool eventFilter(QObject* objekt, QEvent* udalost) override;

  private:
    std::vector<QString> Hodnoty() const;
    bool VsechnaPlatna() const;
    void Obnovit();

    std::vector<PoleZaznamu> pole_;
    bool uprava_ = false;
    std::vector<QLineEdit*> hodnoty_;
    std::vector<QLabel*> znacky_;
    std::vector<QString> snimek_;
    int vlozeno_ = 0;
};

}  // namespace vertano::ui

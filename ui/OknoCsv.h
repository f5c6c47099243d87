#pragma once

#include <QDialog>
#include <filesystem>

#include "exchange/CsvBody.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vertano::ui {

struct DesktopTexts;

// The layout of a CSV file of points, chosen while its first lines are shown:
// the order of the columns (N point number, X, Y, Z, "-" a column skipped), the
// separator, the decimal mark and whether the first line is a header. "OK"
// stays disabled while the choice cannot be used, and the reason is shown.
class OknoCsv : public QDialog {
    Q_OBJECT

  public:
    OknoCsv(QWidget* rodic, const std::filesystem::path& soubor, const exchange::CsvVolby& volby,
            const DesktopTexts& texty, const QString& zrusit);

    exchange::CsvVolby Volby() const;
    // The reason the choice cannot be used; empty when it can.
    QString Chyba() const { return chyba_; }

    QLineEdit* Poradi() const { return poradi_; }
    QComboBox* Oddelovac() const { return oddelovac_; }
    QComboBox* Desetinna() const { return desetinna_; }
    QComboBox* Hlavicka() const { return hlavicka_; }

  private:
    void Obnovit();

    QLineEdit* poradi_;
    QComboBox* oddelovac_;
    QComboBox* desetinna_;
    QComboBox* hlavicka_;
    QPlainTextEdit* nahled_;
    QLabel* stav_;
    QPushButton* ok_;
    QString chyba_;
    const DesktopTexts& texty_;
};

}  // namespace vertano::ui

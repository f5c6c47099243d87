#pragma once

#include <QDialog>
#include <cstdint>

class QPlainTextEdit;
class QLabel;

namespace vertano::ui {

// The weight coefficient matrix as text in a read-only box, with its size
// " n × n" below it.
class OknoMatice : public QDialog {
    Q_OBJECT

  public:
    OknoMatice(QWidget* rodic, const QString& nadpis, const QString& text, int n);
    QPlainTextEdit* Text() const { return text_; }
    QLabel* Rozmer() const { return rozmer_; }

  private:
    QPlainTextEdit* text_ = nullptr;
    QLabel* rozmer_ = nullptr;
};

// The question before a matrix of n x n cofactors is computed and shown, in the
// language of the settings (0 Czech, 1 English).
QString OtazkaVelkeMatice(uint8_t typJazyk, int n);

}  // namespace vertano::ui

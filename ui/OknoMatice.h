#pragma once

#include <QDialog>

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

}  // namespace vertano::ui

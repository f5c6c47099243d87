#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

namespace vertano::ui {

// The message window: a title, a text and "OK"; optionally a second button
// "Protocol" that opens the report window above it without closing it.
class ZpravaOkno : public QDialog {
    Q_OBJECT

  public:
    ZpravaOkno(QWidget* rodic, const QString& nadpis, const QString& text, const QString& ok,
               const QString& protokol = {}, std::function<void()> naProtokol = {});

    QPushButton* TlacitkoOk() const { return ok_; }
    QPushButton* TlacitkoProtokol() const { return protokol_; }

  private:
    QPushButton* ok_ = nullptr;
    QPushButton* protokol_ = nullptr;
};

// The confirmation window: a title, a text, "Yes" and "No"; "No" has the focus
// and Esc answers "No".
class PotvrzeniOkno : public QDialog {
    Q_OBJECT

  public:
    PotvrzeniOkno(QWidget* rodic, const QString& nadpis, const QString& text, const QString& ano,
                  const QString& ne);

    QPushButton* TlacitkoAno() const { return ano_; }
    QPushButton* TlacitkoNe() const { return ne_; }

  private:
    QPushButton* ano_ = nullptr;
    QPushButton* ne_ = nullptr;
};

// What every small dialog of the program shares: a fixed frame the size of its
// contents, centred on the window that opened it.
void FixniRamecek(QDialog& dialog);

}  // namespace vertano::ui

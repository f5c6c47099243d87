#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "Dialogy.h"

class QPlainTextEdit;
class QPushButton;

namespace vertano {
class Workspace;
}

namespace vertano::ui {

// The report window: a text in a fixed-pitch font, one report entry per line,
// which can be saved as a text file.
class ProtokolOkno : public QDialog {
    Q_OBJECT

  public:
    ProtokolOkno(QWidget* rodic, Workspace& ws, Dialogy& dialogy, const QString& nadpis,
                 std::vector<std::string> radky);

    QPlainTextEdit* Text() const { return text_; }
    // Saves through the save window of reports; a failure is announced with the
    // message of a failed save and leaves an existing file as it was.
    void Ulozit();

  private:
    Workspace& ws_;
    Dialogy& dialogy_;
    std::vector<std::string> radky_;
    QPlainTextEdit* text_ = nullptr;
};

}  // namespace vertano::ui

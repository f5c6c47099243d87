#pragma once

#include <QDialog>
#include <vector>

#include "reports/InfoSekce.h"

class QGridLayout;

namespace vertano::ui {

// A label-and-value window (the summary of the adjustment, the information
// windows of the transformations): groups of rows under sub-headings. Its
// context menu "Copy" (Ctrl+C) copies the title and the lines as text.
class OknoInformace : public QDialog {
    Q_OBJECT

  public:
    OknoInformace(QWidget* rodic, const QString& nadpis, const QString& kopirovat,
                  const std::vector<InfoSkupina>& skupiny);

    // The title and every line, "label<TAB>value", as "Copy" puts them.
    QString Text() const;
    void Kopirovat() const;

  private:
    QString text_;
};

}  // namespace vertano::ui

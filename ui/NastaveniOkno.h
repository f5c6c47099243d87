#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "matice/Real.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vertano {
class Workspace;
}

namespace vertano::ui {

// What every settings dialog shares: a form of headings and rows, number fields
// with their bounds, lists and check boxes, the buttons "Insert [Ent]" and
// "Close [Esc]", Enter confirming wherever the focus is, and the context menu
// "Copy" (Ctrl+P) with the title and every row.
//
// Confirming stores only what the user changed: a field whose text is as it
// was shown keeps its value exactly (a value shown rounded is not stored back
// rounded). A changed number field out of its bounds is emptied and the dialog
// stays open; when nothing was changed the dialog closes and nothing happens.
class NastaveniOkno : public QDialog {
    Q_OBJECT

  public:
    NastaveniOkno(QWidget* rodic, Workspace& ws, const QString& nadpis);

    // "Insert [Ent]"; true when the dialog closed (with or without a change).
    bool Potvrdit();
    // Something the user can change differs from what was shown on opening.
    bool Zmeneno() const;
    // The text of the "Copy" context menu.
    QString TextKopie() const;

    QPushButton* TlacitkoVlozit() const { return vlozit_; }
    QPushButton* TlacitkoZavrit() const { return zavrit_; }

    // ---- building the form (in the order shown) ----
    void Nadpis(const QString& text);
    // A number shown with `desetiny` decimals and accepted when dolni < value <
    // horni; `ulozit` receives the value typed (display units).
    QLineEdit* Cislo(const QString& popis, const QString& klic, Real zobrazena, int desetiny,
                     Real dolni, Real horni, std::function<void(Real)> ulozit, int skupina = 0);
    // As Cislo with the text already formatted (trailing zeros removed etc.).
    QLineEdit* CisloText(const QString& popis, const QString& klic, const QString& text, Real dolni,
                         Real horni, std::function<void(Real)> ulozit, int skupina = 0);
    QComboBox* Vyber(const QString& popis, const QString& klic, const QStringList& polozky,
                     int index, std::function<void(int)> ulozit, int skupina = 0);
    QCheckBox* Zaskrtnuti(const QString& text, const QString& klic, bool hodnota,
                          std::function<void(bool)> ulozit, int skupina = 0);
    // A check box with a list of variants beside it, enabled while it is ticked.
    QComboBox* ZaskrtnutiSVyberem(const QString& text, const QString& klic, bool hodnota,
                                  std::function<void(bool)> ulozit, const QStringList& polozky,
                                  int index, std::function<void(int)> ulozitVyber, int skupina);
    // A row of two lists (value and standard deviation decimals).
    void DvaVybery(const QString& popis, const QString& klic1, const QString& klic2,
                   const QStringList& polozky, int index1, int index2,
                   std::function<void(int)> ulozit1, std::function<void(int)> ulozit2);
    // A group of choices, one per row; `ulozit` receives the index chosen.
    std::vector<QRadioButton*> Volby(const QStringList& texty, const QString& klic, int index,
                                     std::function<void(int)> ulozit);
    // A number field placed beside the last widget added (the altitude beside its
    // choice).
    QLineEdit* CisloVedle(QWidget* vedle, const QString& klic, Real zobrazena, int desetiny,
                          Real dolni, Real horni, std::function<void(Real)> ulozit);
    // A group of choices laid out by the dialog itself (with Widget); its
    // checked id is what the user changes.
    void RegistrovatVolby(QButtonGroup* skupina, const QString& klic,
                          std::function<void(int)> ulozit);
    // A widget of the dialog's own in the next row (pictures).
    void Widget(QWidget* w, int sloupec = 1);
    // Buttons, keys and the fixed frame; called last by every dialog.
    void Dokoncit();

  protected:
    // Runs after the changed fields were stored; `skupiny` has bit k set when a
    // field of group k changed.
    virtual void PoUlozeni(unsigned skupiny) = 0;

    bool eventFilter(QObject* objekt, QEvent* udalost) override;

    Workspace& ws_;

  private:
    struct Pole {
        QString popis;
        std::function<QString()> text;
        QString puvodni;
        std::function<bool()> platne;
        std::function<void()> vyprazdnit;
        std::function<void()> ulozit;
        int skupina = 0;
    };
    struct RadekKopie {
        QString popis;
        std::vector<std::function<QString()>> hodnoty;
    };

    QLabel* Popisek(const QString& text);
    void Pridat(Pole pole);

    QGridLayout* mrizka_ = nullptr;
    int radek_ = 0;
    std::vector<Pole> pole_;
    std::vector<RadekKopie> kopie_;
    QPushButton* vlozit_ = nullptr;
    QPushButton* zavrit_ = nullptr;
};

}  // namespace vertano::ui

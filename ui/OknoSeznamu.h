#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "Tabulka.h"
#include "VyberMapy.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QVBoxLayout;

namespace vertano {
class Workspace;
}

namespace vertano::ui {

class Dialogy;

// What the context menu of a result table offers beyond selecting and copying.
enum class ChybneRadky { Zadne, Odlehle, Chybne };

// A result window of the shared design: a table filled only for the rows in
// view, the status line with the selection count and the window's own figures,
// the busy label, the context menu "Select all" (Ctrl+A), "Cancel select"
// (Ctrl+D), "Copy" (Ctrl+C), and where the list has outliers or errors "Select
// outliers" / "Select wrong measurements" and "Find outliers" / "Find
// incorrect" (F2); the selection rules of the main table; Esc closes. The window
// shows a list it owns or one that outlives it; it computes nothing.
// A click on a column header sorts the view, the filter line above the table
// shows only the rows of the points named, "Copy" takes the captions of the
// columns along and "Export to CSV ..." writes the table as shown; the list
// and its order, which the reports and commands use, stay as they are.
class OknoSeznamu : public QDialog {
    Q_OBJECT

  public:
    OknoSeznamu(QWidget* rodic, Workspace& ws, const QString& nadpis);

    TabulkaSeznamu& Tabulka() { return *tabulka_; }
    ModelSeznamu& Model() { return tabulka_->Model(); }
    const ModelSeznamu& Model() const { return tabulka_->Model(); }
    QLabel* StavVyberu() const { return vyber_; }
    QLabel* Stav() const { return stav_; }
    QMenu* KontextoveMenu() const { return kontextove_; }
    QLineEdit* Filtr() const { return filtr_; }
    QAction* AkceCsv() const { return csv_; }

    // The file windows of the CSV export, set by the window that shows this one
    // (none: the export is not offered).
    void NastavitDialogy(Dialogy* dialogy) { dialogyExportu_ = dialogy; }

    // The rows and columns shown; the window's own status text follows.
    void Naplnit(ModelSeznamu::Radky radky, std::vector<SloupecSeznamu> sloupce,
                 ChybneRadky chybne = ChybneRadky::Zadne);
    void NastavitStav(const QString& text);
    // A line of text under the table (totals of a precision window).
    QLabel* PridatPopisDole(const QString& text);
    // The menu bar, made when first asked for.
    QMenuBar* Menu();
    // The table and the status after the list changed.
    void Obnovit();
    // Copies the selected rows to the system clipboard as the table shows them,
    // the captions of the columns first.
    void Kopirovat();
    // Writes the rows shown, in the order shown, with the captions to a CSV
    // file chosen in the save window; a failure is reported.
    void ExportovatCsv();
    // What the selected rows show in the drawing (the list names its points).
    VyberMapy VyberProMapu() const;
    // The busy bracket of the window's own commands.
    void Zaneprazdneni(bool zapnout);
    // A window with menus of its own replaces the context menu and its keys.
    void NahraditKontextoveMenu(QMenu* menu);

  signals:
    // The context menu is about to open (its items are enabled now).
    void kontextoveMenu();
    // The selection changed in a list that names its points.
    void vyberMapy(const vertano::ui::VyberMapy& vyber);

  protected:
    // A menu of the bar that calls `aktualizovat` as it opens (to enable its
    // items), and an item of a menu that runs `prikaz`.
    QMenu* PridatMenu(const QString& nazev, const std::function<void()>& aktualizovat);
    QAction* PridatAkci(QMenu* menu, const QString& text, const std::function<void()>& prikaz);

    Workspace& ws_;
    QVBoxLayout* sloupec_ = nullptr;

  private:
    Dialogy* dialogyExportu_ = nullptr;
    void AktualizovatStav();
    void UpravitVelikost();

    TabulkaSeznamu* tabulka_ = nullptr;
    QLabel* vyber_ = nullptr;
    QLabel* stav_ = nullptr;
    QLabel* zpracovani_ = nullptr;
    QMenuBar* menu_ = nullptr;
    QMenu* kontextove_ = nullptr;
    QAction* kopirovat_ = nullptr;
    QAction* vybratChybne_ = nullptr;
    QAction* najitChybne_ = nullptr;
    QAction* puvodniPoradi_ = nullptr;
    QAction* csv_ = nullptr;
    QLineEdit* filtr_ = nullptr;
    std::vector<QAction*> zakladniAkce_;
};

}  // namespace vertano::ui

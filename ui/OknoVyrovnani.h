#pragma once

#include <QPointer>
#include <functional>

#include "OknoKresby.h"
#include "OknoSeznamu.h"
#include "SeznamVstupu.h"

class QAction;
class QMenu;

namespace vertano {
class Interaction;
}

namespace vertano::ui {

class Dialogy;
class PraceNaPozadi;
class PruhPrace;

// The adjustment window: the adjusted coordinates of every point of the model,
// and the menus that open every result of the adjustment in its own window.
// It shows the model as it was when the window was opened; it computes
// nothing but asks the workspace for the report and the weight coefficient
// matrix when they are wanted. It and its result windows are not modal: each
// keeps its own copy of what it shows, and the main window closes it (with
// them) before anything recomputes or ends the adjusted network.
class OknoVyrovnani : public OknoSeznamu {
    Q_OBJECT

  public:
    // `interakce` shows the notifications of the commands run from here.
    OknoVyrovnani(QWidget* rodic, Workspace& ws, Dialogy& dialogy, Interaction& interakce);

    struct Akce {
        // Network
        QAction *informace, *kresba, *protokol, *ulozitEtapu, *zavrit;
        // Coordinates
        QAction *odchylkyApriori, *odchylkyAposteriori, *elipsoidyApriori, *elipsoidyAposteriori,
            *prirustky, *matice;
        // Measurements: index velicina::k... - 1; [7] the orientation shift
        QAction* apriori[8];
        QAction* aposteriori[8];
        // Outliers: index velicina::k... - 1
        QAction* odlehle[7];
        // Transformation
        QAction *analyzaTransformace, *vystupniSystem, *identickeBody, *presnostIdentickych,
            *bodASmernik, *sVyrovnanim;
    };
    const Akce& Akce_() const { return a_; }
    const std::vector<QMenu*>& Menu_() const { return menu_; }

    // The enabling of the items from the model and the settings.
    void AktualizovatMenu();

    // Commands that need more than opening a window.
    void PrikazProtokol();
    void PrikazMatice();
    void PrikazInformace();

    // Opens a list input window (the identical points of the output system,
    // their a-priori deviations).
    std::function<void(std::unique_ptr<SeznamVstupu>)> otevritSeznam;

    void PrikazAnalyzaTransformace();
    void PrikazTransformace(bool bodASmernik);
    // The identical points of the output system changed (their list window):
    // the window that shows them closes, the menus follow.
    void PoZmeneIdentickych();
    // "Save as ...": the epoch file of the adjustment.
    void PrikazUlozitEtapu();
    // The drawing window of the adjustment (not modal), opened or raised; and
    // closed (with this window, and before a transformation changes what it
    // would show).
    void OtevritKresbu();
    void ZavritKresbu();
    OknoKresby* Kresba() const { return kresba_; }
    // The busy line of the matrix and the epoch, which run on a worker thread
    // while this window waits for them and goes on answering.
    PruhPrace* Prubeh() const { return pruh_; }
    PraceNaPozadi* Prace() const { return prace_; }

  protected:
    void done(int vysledek) override;

  private:
    void VytvoritMenu();
    void VytvoritPruh();
    // Runs a command of this window on the worker and returns once it has ended.
    void SpustitAPockat(const std::function<void(Interaction&)>& prace);
    // The status line says the command was cancelled.
    void OznamitZruseni(const QString& text);
    // A result window beside this one; closed with it.
    void Ukazat(std::unique_ptr<OknoSeznamu> okno);
    void UkazatVedle(QDialog* okno);
    // The rows selected in the window are highlighted in the drawing while it
    // is open.
    void PropojitSKresbou(OknoSeznamu& okno);

    Dialogy& dialogy_;
    Interaction& interakce_;
    Akce a_{};
    std::vector<QMenu*> menu_;
    QPointer<OknoKresby> kresba_;
    QPointer<QDialog> identicke_;
    PruhPrace* pruh_ = nullptr;
    PraceNaPozadi* prace_ = nullptr;
    QString stavPocty_;
    bool zavreno_ = false;
};

}  // namespace vertano::ui

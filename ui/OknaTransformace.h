#pragma once

#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

#include "OknoKresby.h"
#include "OknoSeznamu.h"
#include "transformation/TsouradnicovaVelicina.h"
#include "workspace/Transformace.h"

class QAction;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace vertano {
class Interaction;
}

namespace vertano::ui {

class Dialogy;

// The result windows of the two transformations. Each copies what it shows
// when it is made; the caller shows it.

// Coordinates of the identical points (the output-system points of the pairs).
std::unique_ptr<OknoSeznamu> OknoIdentickychBodu(QWidget* rodic, Workspace& ws);
// Transformed points with their standard deviations or ellipsoids for the a
// priori or a posteriori unit standard deviation of the network adjustment.
std::unique_ptr<OknoSeznamu> OknoOdchylekTransformace(QWidget* rodic, Workspace& ws,
                                                      bool bodASmernik, bool apriori);
std::unique_ptr<OknoSeznamu> OknoElipsoiduTransformace(QWidget* rodic, Workspace& ws,
                                                       bool bodASmernik, bool apriori);
// Residuals of the identical coordinates: of the rejected ones (outliers) or of
// all of them, the rejected marked.
std::unique_ptr<OknoSeznamu> OknoOpravIdentickych(QWidget* rodic, Workspace& ws, bool odlehle);
// The adjusted identical coordinates of one axis (Osa) and their outliers.
std::unique_ptr<OknoSeznamu> OknoVyrovnanychIdentickych(QWidget* rodic, Workspace& ws, Osa osa,
                                                        bool apriori);
std::unique_ptr<OknoSeznamu> OknoOdlehlychIdentickych(QWidget* rodic, Workspace& ws, Osa osa);

// The window of a transformation: the transformed points and the menus of its
// results. The point-and-bearing window also has the choices of the base and
// orientation point, the bearing and the button "Transform".
class OknoTransformace : public OknoSeznamu {
    Q_OBJECT

  public:
    OknoTransformace(QWidget* rodic, Workspace& ws, Dialogy& dialogy, Interaction& interakce,
                     bool bodASmernik);

    struct Akce {
        QAction *infoIdenticke, *infoKlic, *kresba, *protokol, *ulozitEtapu, *zavrit;
        QAction* apriori[3];
        QAction* aposteriori[3];
        QAction *opravy, *odlehleOpravy;
        QAction* odlehle[3];
        QAction *odchylkyApriori, *odchylkyAposteriori, *elipsoidyApriori, *elipsoidyAposteriori,
            *matice;
    };
    const Akce& Akce_() const { return a_; }
    QComboBox* Bod() const { return bod_; }
    QComboBox* Cil() const { return cil_; }
    QLineEdit* Smernik() const { return smernik_; }
    QPushButton* Transformovat() const { return transformovat_; }

    void AktualizovatMenu();
    void PrikazTransformovat();
    void PrikazProtokol();
    void PrikazMatice();

    void PrikazUlozitEtapu();
    // The drawing window of this transformation (not modal), opened or raised;
    // a new point-and-bearing transformation redraws it.
    void OtevritKresbu();
    OknoKresby* Kresba() const { return kresba_; }

  protected:
    void done(int vysledek) override;

  private:
    void VytvoritMenu();
    void VytvoritVolby();
    void NaplnitTabulku();
    void Ukazat(std::unique_ptr<OknoSeznamu> okno);
    void Informace(bool klic);
    DruhVysledku VysledekKresby() const;

    Dialogy& dialogy_;
    Interaction& interakce_;
    bool bodASmernik_ = false;
    Akce a_{};
    std::vector<QMenu*> menu_;
    QComboBox* bod_ = nullptr;
    QComboBox* cil_ = nullptr;
    QLineEdit* smernik_ = nullptr;
    QPushButton* transformovat_ = nullptr;
    std::optional<VstupBodASmernik> posledni_;
    QPointer<OknoKresby> kresba_;
};

}  // namespace vertano::ui

#pragma once

#include <QString>
#include <map>
#include <memory>
#include <utility>

#include "OknoHledani.h"
#include "OknoSeznamu.h"
#include "SeznamVstupu.h"

class QAction;
class QMenu;
class QUndoStack;

namespace vertano::ui {

class Dialogy;

// The search patterns of the find windows (one for finding, one for selecting
// per list); they live for the whole run.
struct VzoryHledani {
    std::map<QString, std::pair<VzorAtributu, VzorAtributu>> seznamy;
};

// A list input window: the table of a list's working copy with the menus
// "Main" ("Add ...", "Save as ...", "Close"), the list's own menu (new, edit,
// delete, find, move, sort, copy, cut, paste, and for points "Swap X-Y" and
// the fixation), "Selection" and the context menu with the editing items.
// Every command runs inside the window's busy bracket; a command that changes
// the copy makes the results that read the list no longer current when the
// window closes (the copy is written back then).
class OknoVstupu : public OknoSeznamu {
    Q_OBJECT

  public:
    OknoVstupu(QWidget* rodic, Workspace& ws, Dialogy& dialogy, VzoryHledani& vzory,
               std::unique_ptr<SeznamVstupu> seznam);
    ~OknoVstupu() override;

    struct Akce {
        QAction *pridat, *ulozit, *zavrit;
        QAction *novy, *upravit, *smazat, *najit, *najitDalsi, *najitPredchozi, *najitChybne,
            *nahoru, *dolu, *kopirovat, *vyjmout, *vlozit, *zamenit, *fixni, *nefixni;
        // Supplementary lists: switch the selected measurements off and on.
        QAction *vyradit, *zaradit;
        QAction *vybratVse, *zrusitVyber, *dleAtributu;
        // Undo and redo of the edits of the copy (Ctrl+Z, Ctrl+Y).
        QAction *zpet, *znovu;
    };
    const Akce& Akce_() const { return a_; }
    SeznamVstupu& Seznam() { return *seznam_; }
    bool Zmeneno() const { return zmeneno_; }

    void AktualizovatMenu();

    // The commands (public for the tests).
    void PrikazZaznam(bool uprava);
    void PrikazSmazat();
    void PrikazNajit(bool vyber);
    void PrikazNajitDalsi(bool dopredu, bool dokola = false);
    void PrikazSeradit(int kod);

    void done(int vysledek) override;

  private:
    void VytvoritMenu();
    // Runs a command on the copy inside the busy bracket; a change is checked,
    // shown and remembered.
    void Spustit(const std::function<bool()>& prikaz, bool jeZmenou = true);
    bool Odpovida(int radek, const VzorAtributu& vzor) const;
    // Puts a copy taken before or after an edit back, with whether the copy
    // then differed from the list.
    void Vratit(const std::any& snimek, bool zmeneno);

    Dialogy& dialogy_;
    VzoryHledani& vzory_;
    std::unique_ptr<SeznamVstupu> seznam_;
    Akce a_{};
    std::vector<QMenu*> menu_;
    QMenu* razeni_ = nullptr;
    QMenu* fixace_ = nullptr;
    bool zmeneno_ = false;
    bool zavreno_ = false;
    QUndoStack* zpet_ = nullptr;
};

}  // namespace vertano::ui

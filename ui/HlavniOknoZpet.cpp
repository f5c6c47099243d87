// Undo and redo of the edits of the raw table.
#include <QAction>
#include <QMenu>
#include <QUndoStack>

#include "DesktopTexts.h"
#include "HlavniOkno.h"
#include "TabulkaSurovych.h"
#include "UpravaSurovych.h"
#include "workspace/Workspace.h"

namespace vertano::ui {

namespace {

// Enough to step back through a session's corrections; each step keeps two
// copies of the list.
constexpr int kPocetKroku = 50;

}  // namespace

void HlavniOkno::VytvoritZpet() {
    zpet_ = new QUndoStack(this);
    zpet_->setUndoLimit(kPocetKroku);
    QMenu* mereni = menu_.at(1);
    QAction* prvni = mereni->actions().value(0);
    zpetAkce_ = new QAction(this);
    zpetAkce_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    znovuAkce_ = new QAction(this);
    znovuAkce_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    mereni->insertAction(prvni, zpetAkce_);
    mereni->insertAction(prvni, znovuAkce_);
    mereni->insertSeparator(prvni);
    connect(zpetAkce_, &QAction::triggered, this, [this] {
        if (!Bezi() && zpet_->canUndo()) zpet_->undo();
    });
    connect(znovuAkce_, &QAction::triggered, this, [this] {
        if (!Bezi() && zpet_->canRedo()) zpet_->redo();
    });
    connect(zpet_, &QUndoStack::indexChanged, this, &HlavniOkno::AktualizovatZpet);
}

void HlavniOkno::AktualizovatZpet() {
    if (zpet_ == nullptr) return;
    const DesktopTexts& t = TextyPlochy(ws_.nastaveni.typJazyk);
    const auto text = [](const QString& co, const QString& krok) {
        return krok.isEmpty() ? co : co + ": " + krok;
    };
    zpetAkce_->setText(text(t.undo, zpet_->undoText()));
    znovuAkce_->setText(text(t.redo, zpet_->redoText()));
    if (Bezi()) return;
    zpetAkce_->setEnabled(zpet_->canUndo());
    znovuAkce_->setEnabled(zpet_->canRedo());
}

void HlavniOkno::ZaznamenatUpravu(const QAction* prikaz, const std::function<void()>& uprava) {
    StavSurovych pred = StavSurovychMereni(ws_);
    uprava();
    // A command that changed nothing leaves the state as it was.
    if (ws_.state == pred.state) return;
    QString nazev = prikaz != nullptr ? prikaz->text() : QString();
    nazev.remove(" ...");
    zpet_->push(new UpravaSurovych(ws_, std::move(pred), StavSurovychMereni(ws_), nazev, [this] {
        // The rows are others now: no selection, checks and menus afresh.
        tabulka_->ZrusitVyber();
        PoZmeneMereni();
        AktualizovatMenu();
    }));
    AktualizovatZpet();
}

}  // namespace vertano::ui

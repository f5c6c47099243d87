#include "PraceNaPozadi.h"

#include <QApplication>
#include <QThread>

#include "PruhPrace.h"

namespace vertano::ui {

PraceNaPozadi::PraceNaPozadi(QObject* rodic, PruhPrace& pruh, InterakceOkna::Obsluha dialogy)
    : QObject(rodic) {
    dialogy.etapa = [&pruh](const QString& text) { pruh.Etapa(text); };
    dialogy.prubeh = [&pruh](int promile) { pruh.Prubeh(promile); };
    interakce_ = new InterakceOkna(this, std::move(dialogy));
    connect(&pruh, &PruhPrace::zrusit, this, &PraceNaPozadi::Zastavit);
}

PraceNaPozadi::~PraceNaPozadi() {
    if (vlakno_ == nullptr) return;
    // The worker is shown nothing more and released from any question.
    interakce_->Odpojit();
    while (!vlakno_->wait(20)) QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    delete vlakno_;
    vlakno_ = nullptr;
}

bool PraceNaPozadi::Spustit(std::function<void(Interaction&)> prace, std::function<void()> potom) {
    if (vlakno_ != nullptr) return false;
    interakce_->Zacit();
    vlakno_ = QThread::create([this, prace = std::move(prace)] { prace(*interakce_); });
    connect(vlakno_, &QThread::finished, this, [this, potom = std::move(potom)] {
        vlakno_->deleteLater();
        vlakno_ = nullptr;
        potom();
        emit dokonceno();
    });
    vlakno_->start();
    return true;
}

void PraceNaPozadi::Zastavit() {
    interakce_->Zastavit();
}

void PraceNaPozadi::Pockat() {
    while (vlakno_ != nullptr) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

}  // namespace vertano::ui

#include "InterakceOkna.h"

#include <QThread>

#include "Texty.h"

namespace vertano::ui {

InterakceOkna::InterakceOkna(QObject* rodic, Obsluha obsluha)
    : QObject(rodic), obsluha_(std::move(obsluha)) {}

bool InterakceOkna::VeVlakneOkna() const {
    return QThread::currentThread() == thread();
}

void InterakceOkna::Notify(const std::string& title, const std::string& text) {
    const QString nadpis = Q(title);
    const QString zprava = Q(text);
    if (VeVlakneOkna()) {
        obsluha_.zprava(nadpis, zprava);
        return;
    }
    QMetaObject::invokeMethod(
        this, [&] { obsluha_.zprava(nadpis, zprava); }, Qt::BlockingQueuedConnection);
}

bool InterakceOkna::Ask(const std::string& title, const std::string& text) {
    const QString nadpis = Q(title);
    const QString otazka = Q(text);
    if (VeVlakneOkna()) return obsluha_.otazka(nadpis, otazka);
    bool odpoved = false;
    QMetaObject::invokeMethod(
        this, [&] { odpoved = obsluha_.otazka(nadpis, otazka); }, Qt::BlockingQueuedConnection);
    return odpoved;
}

void InterakceOkna::Stage(const std::string& text) {
    const QString etapa = Q(text);
    if (VeVlakneOkna()) {
        obsluha_.etapa(etapa);
        return;
    }
    QMetaObject::invokeMethod(
        this, [this, etapa] { obsluha_.etapa(etapa); }, Qt::QueuedConnection);
}

}  // namespace vertano::ui

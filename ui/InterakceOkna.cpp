#include "InterakceOkna.h"

#include <QThread>
#include <algorithm>

#include "Texty.h"

namespace vertano::ui {

InterakceOkna::InterakceOkna(QObject* rodic, Obsluha obsluha)
    : QObject(rodic), obsluha_(std::move(obsluha)) {}

bool InterakceOkna::VeVlakneOkna() const {
    return QThread::currentThread() == thread();
}

void InterakceOkna::Notify(const std::string& title, const std::string& text) {
    if (odpojeno_) return;
    const QString nadpis = Q(title);
    const QString zprava = Q(text);
    if (VeVlakneOkna()) {
        obsluha_.zprava(nadpis, zprava);
        return;
    }
    QMetaObject::invokeMethod(
        this,
        [&] {
            if (!odpojeno_) obsluha_.zprava(nadpis, zprava);
        },
        Qt::BlockingQueuedConnection);
}

bool InterakceOkna::Ask(const std::string& title, const std::string& text) {
    if (odpojeno_) return false;
    const QString nadpis = Q(title);
    const QString otazka = Q(text);
    if (VeVlakneOkna()) return obsluha_.otazka(nadpis, otazka);
    bool odpoved = false;
    QMetaObject::invokeMethod(
        this,
        [&] {
            if (!odpojeno_) odpoved = obsluha_.otazka(nadpis, otazka);
        },
        Qt::BlockingQueuedConnection);
    return odpoved;
}

void InterakceOkna::Ukazat(const std::function<void()>& co) {
    if (VeVlakneOkna()) {
        co();
        return;
    }
    QMetaObject::invokeMethod(this, co, Qt::QueuedConnection);
}

void InterakceOkna::Zacit() {
    zastavit_ = false;
    promile_ = -1;
}

void InterakceOkna::Stage(const std::string& text) {
    const QString etapa = Q(text);
    promile_ = -1;
    Ukazat([this, etapa] {
        if (obsluha_.etapa) obsluha_.etapa(etapa);
        if (obsluha_.prubeh) obsluha_.prubeh(-1);
    });
}

void InterakceOkna::Progress(int64_t done, int64_t total) {
    int promile = -1;
    if (total > 0) promile = static_cast<int>(std::clamp<int64_t>(done, 0, total) * 1000 / total);
    if (promile_.exchange(promile) == promile || !obsluha_.prubeh) return;
    Ukazat([this, promile] { obsluha_.prubeh(promile); });
}

}  // namespace vertano::ui

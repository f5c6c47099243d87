#include "drawing/OffscreenGui.h"

#include <cstdio>

#include <QGuiApplication>

namespace vertano {

namespace {

// Only Qt's faults reach the error output; its debugging and warning notes about
// the environment of a program without windows do not concern the user.
void JenChyby(QtMsgType typ, const QMessageLogContext&, const QString& zprava) {
    if (typ == QtCriticalMsg || typ == QtFatalMsg)
        std::fprintf(stderr, "%s\n", zprava.toLocal8Bit().constData());
}

}  // namespace

OffscreenGui::OffscreenGui() {
    if (QGuiApplication::instance() != nullptr) return;
    argv_ = {arg0_.data(), arg1_.data(), arg2_.data(), nullptr};
    predchozi_ = qInstallMessageHandler(JenChyby);
    app_ = std::make_unique<QGuiApplication>(argc_, argv_.data());
}

OffscreenGui::~OffscreenGui() {
    if (!app_) return;
    app_.reset();
    qInstallMessageHandler(predchozi_);
}

}  // namespace vertano

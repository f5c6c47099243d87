#include "drawing/OffscreenGui.h"

#include <QGuiApplication>

namespace vertano {

namespace {

// QGuiApplication keeps references to argc and argv for its whole life.
int argc = 3;
char arg0[] = "vertano";
char arg1[] = "-platform";
char arg2[] = "offscreen";
char* argv[] = {arg0, arg1, arg2, nullptr};

}  // namespace

OffscreenGui::OffscreenGui() {
    if (QGuiApplication::instance() == nullptr)
        app_ = std::make_unique<QGuiApplication>(argc, argv);
}

OffscreenGui::~OffscreenGui() = default;

}  // namespace vertano

#pragma once

#include <memory>

class QGuiApplication;

namespace vertano {

// QtGui paints text only while a QGuiApplication exists. A program without
// windows (the command line, the tests) creates one on the offscreen platform for
// as long as this object lives; where an application exists already (the desktop
// program) it does nothing.
class OffscreenGui {
  public:
    OffscreenGui();
    ~OffscreenGui();
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

  private:
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace vertano

#pragma once

#include <array>
#include <memory>

#include <QtGlobal>

class QGuiApplication;

namespace vertano {

// QtGui paints text only while a QGuiApplication exists. A program without
// windows (the command line, the tests) creates one on the offscreen platform for
// as long as this object lives, and keeps Qt's notes on its environment (no
// runtime folder, no display) off the terminal; where an application exists
// already (the desktop program) it does nothing.
class OffscreenGui {
  public:
    OffscreenGui();
    ~OffscreenGui();
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

  private:
    // The application keeps references to its arguments for its whole life, and
    // takes the ones it understands out of them.
    int argc_ = 3;
    std::array<char, 8> arg0_{"vertano"};
    std::array<char, 10> arg1_{"-platform"};
    std::array<char, 10> arg2_{"offscreen"};
    std::array<char*, 4> argv_{};
    QtMessageHandler predchozi_ = nullptr;
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace vertano

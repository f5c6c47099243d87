#pragma once

#include <cstdint>
#include <string>

namespace vertano {

// What a command needs from whoever runs it: the main window shows dialogs and a
// busy label, the command-line program prints. Commands never talk to a window or
// to the terminal directly.
class Interaction {
  public:
    virtual ~Interaction() = default;

    // A notification with an "OK" button (title and text already in the current
    // language).
    virtual void Notify(const std::string& title, const std::string& text) = 0;
    // A question answered "Yes" (true) or "No" (false).
    virtual bool Ask(const std::string& title, const std::string& text) = 0;
    // The stage of a long command; an empty text ends the busy state. A new
    // stage starts with its amount unknown.
    virtual void Stage(const std::string& text) = 0;
    // How far the stage has got: `done` of `total` steps; a total of 0 or less
    // says the amount is not known. May be called very often: a front end shows
    // what it can afford.
    virtual void Progress(int64_t done, int64_t total) {
        (void)done;
        (void)total;
    }
    // Whether whoever runs the command asked it to stop. A command that can stop
    // asks between its steps and then leaves the workspace as it was before it
    // started (or its stale results cleanly dropped), and writes no file.
    virtual bool StopRequested() { return false; }
};

// Answers every question with a fixed answer and keeps the last texts; used where
// no one can be asked (tests, batch runs).
class SilentInteraction : public Interaction {
  public:
    explicit SilentInteraction(bool answer = false) : answer_(answer) {}
    void Notify(const std::string& title, const std::string& text) override {
        lastTitle = title;
        lastText = text;
        ++notifications;
    }
    bool Ask(const std::string& title, const std::string& text) override {
        lastQuestion = title + ": " + text;
        ++questions;
        return answer_;
    }
    void Stage(const std::string& text) override { lastStage = text; }
    void Progress(int64_t done, int64_t total) override {
        lastDone = done;
        lastTotal = total;
        ++progressCalls;
    }
    // Asked for the `stopAfter`-th time (1 = the first), the stop is requested
    // from then on; 0 never.
    bool StopRequested() override { return stopAfter > 0 && ++stopQuestions >= stopAfter; }

    std::string lastTitle, lastText, lastQuestion, lastStage;
    int notifications = 0;
    int questions = 0;
    int64_t lastDone = 0, lastTotal = 0;
    int progressCalls = 0;
    int stopAfter = 0;
    int stopQuestions = 0;

  private:
    bool answer_;
};

}  // namespace vertano

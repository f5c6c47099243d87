#pragma once

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
    // The stage of a long command; an empty text ends the busy state.
    virtual void Stage(const std::string& text) = 0;
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

    std::string lastTitle, lastText, lastQuestion, lastStage;
    int notifications = 0;
    int questions = 0;

private:
    bool answer_;
};

}  // namespace vertano

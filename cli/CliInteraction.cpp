#include "CliInteraction.h"

#include "mereni/Text.h"

namespace vertano::cli {

namespace {

// "y" and "yes" in any letter case, surrounding blanks ignored.
bool IsYes(const std::string& answer) {
    const std::string word = AsciiLower(Trim(answer));
    return word == "y" || word == "yes";
}

}  // namespace

CliInteraction::CliInteraction(std::ostream& err, std::istream* terminal, const Tjazyk& jazyk,
                               Settings settings)
    : err_(err), terminal_(terminal), jazyk_(jazyk), settings_(settings) {}

void CliInteraction::Notify(const std::string& title, const std::string& text) {
    err_ << title << ": " << text << "\n";
}

bool CliInteraction::Ask(const std::string& title, const std::string& text) {
    if (settings_.yes || terminal_ == nullptr) {
        err_ << title << ": " << text << " "
             << (settings_.yes ? jazyk_.tlacitko.ano : jazyk_.tlacitko.ne) << "\n";
        return settings_.yes;
    }
    err_ << title << ": " << text << " [y/N] " << std::flush;
    std::string answer;
    // End of input (Ctrl+D) is no consent.
    if (!std::getline(*terminal_, answer)) {
        err_ << "\n";
        return false;
    }
    return IsYes(answer);
}

void CliInteraction::Stage(const std::string& text) {
    if (!settings_.verbose || Trim(text).empty()) return;
    err_ << std::string(Trim(text)) << "\n";
}

}  // namespace vertano::cli

#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "data/Interaction.h"
#include "data/Tjazyk.h"

namespace vertano::cli {

// How the command-line program talks to its user: notifications and questions go
// to the error stream (the output stream carries the report), stages only when the
// user asked for them. A question is answered from the terminal only when one is
// given; a script or a test is never blocked waiting for input.
class CliInteraction : public Interaction {
  public:
    struct Settings {
        bool yes = false;      // answer every question "Yes" without asking
        bool verbose = false;  // print stages
    };

    // `terminal` is the standard input when it is a terminal, nullptr otherwise.
    // The language tables give the words of the answers; they must outlive this.
    CliInteraction(std::ostream& err, std::istream* terminal, const Tjazyk& jazyk,
                   Settings settings);

    // "Title: text" on one line.
    void Notify(const std::string& title, const std::string& text) override;
    // With --yes: printed with the answer "Yes". At a terminal: "Title: text
    // [y/N] " and a line is read; only y or yes (any case) answers "Yes". Otherwise
    // printed with the answer "No".
    bool Ask(const std::string& title, const std::string& text) override;
    // Printed only when verbose; the empty text that ends a busy state is not.
    void Stage(const std::string& text) override;

  private:
    std::ostream& err_;
    std::istream* terminal_;
    const Tjazyk& jazyk_;
    Settings settings_;
};

}  // namespace vertano::cli

#pragma once

#include <istream>
#include <ostream>

#include "CliInteraction.h"
#include "Options.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/Workspace.h"

namespace vertano::cli {

// One run of a command: the workspace with the settings the options give, the
// streams and the interaction with the user.
class Session {
  public:
    // `terminal` is the standard input when it is a terminal, otherwise nullptr.
    Session(const Options& options, std::ostream& out, std::ostream& err, std::istream* terminal);

    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Declared first: the interaction below reads its language tables.
    Workspace ws;
    const Options& options;
    std::ostream& out;
    std::ostream& err;
    CliInteraction ui;

    // Announces a notification number and shows it at once.
    void Show(int32_t number);

    // After a project has replaced the settings: the options given on the command
    // line override them again, and the texts follow the language in force.
    void ApplyGivenOptions();

    // Whether the run has raw measurements, given points, scale factors or
    // supplementary measurements of a kind to work on: from the files named, or
    // from the project.
    bool HasRaw() const;
    bool HasPoints() const;
    bool HasScale() const;
    bool HasSupplementary(DruhDoplnku kind) const;
    // The stage label of the main window for step `step` (" Processing ... [n]").
    void Stage(int step);
};

}  // namespace vertano::cli

#include <gtest/gtest.h>

#include <sstream>

#include "CliInteraction.h"
#include "data/Tnastaveni.h"

namespace vertano::cli {
namespace {

Tjazyk English() {
    Tnastaveni s;
    s.Default();
    s.typJazyk = 1;
    Tjazyk j;
    j.Default(s);
    return j;
}

TEST(CliInteraction, WithoutATerminalQuestionsAreAnsweredNoAndNothingIsRead) {
    const Tjazyk j = English();
    std::ostringstream err;
    CliInteraction ui(err, nullptr, j, {});
    EXPECT_FALSE(ui.Ask("Warning", "Delete?"));
    EXPECT_EQ(err.str(), "Warning: Delete? No\n");
    ui.Notify("Title", "text");
    EXPECT_EQ(err.str(), "Warning: Delete? No\nTitle: text\n");
}

TEST(CliInteraction, YesAnswersWithoutReadingTheTerminal) {
    const Tjazyk j = English();
    std::ostringstream err;
    std::istringstream terminal("n\n");
    CliInteraction ui(err, &terminal, j, {.yes = true});
    EXPECT_TRUE(ui.Ask("Warning", "Delete?"));
    EXPECT_EQ(err.str(), "Warning: Delete? Yes\n");
    std::string left;
    EXPECT_TRUE(std::getline(terminal, left));  // the answer was not consumed
}

TEST(CliInteraction, TerminalAnswersOnlyYOrYesConsent) {
    const Tjazyk j = English();
    std::ostringstream err;
    std::istringstream terminal(" Y \nyes\nno\n\nyep\n");
    CliInteraction ui(err, &terminal, j, {});
    EXPECT_TRUE(ui.Ask("T", "Q"));
    EXPECT_TRUE(ui.Ask("T", "Q"));
    EXPECT_FALSE(ui.Ask("T", "Q"));
    EXPECT_FALSE(ui.Ask("T", "Q"));  // an empty line takes the default
    EXPECT_FALSE(ui.Ask("T", "Q"));
    EXPECT_FALSE(ui.Ask("T", "Q"));  // end of input
    EXPECT_EQ(err.str().find("T: Q [y/N] "), 0u);
}

TEST(CliInteraction, StagesOnlyWhenVerbose) {
    const Tjazyk j = English();
    std::ostringstream quiet;
    CliInteraction a(quiet, nullptr, j, {});
    a.Stage(" Processing ... [1]");
    EXPECT_EQ(quiet.str(), "");
    std::ostringstream loud;
    CliInteraction b(loud, nullptr, j, {.verbose = true});
    b.Stage(" Processing ... [1]");
    b.Stage("");  // the end of the busy state prints nothing
    EXPECT_EQ(loud.str(), "Processing ... [1]\n");
}

}  // namespace
}  // namespace vertano::cli

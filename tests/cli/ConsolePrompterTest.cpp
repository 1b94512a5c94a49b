#include <gtest/gtest.h>
#include <sstream>
#include <tuple>
#include <vector>

#include "ConsolePrompter.h"

namespace {

using Buttons = Prompter::Buttons;
using Icon = Prompter::Icon;

// The link's own texts, CR and CR LF breaks, are in the ctl command table.
TEST(ConsolePrompter, WritesTitleAndTextOnOneLineAndRemembersTheTitle) {
    for (const auto& [title, text, line] :
         {std::tuple("T", "unix\nline\n\rmixed", "T: unix | line |  | mixed"),
          std::tuple("Degrees", "45\u00b0", "Degrees: 45\u00b0"),
          std::tuple("Empty", "", "Empty: ")}) {
        std::ostringstream out;
        ConsolePrompter prompter(out, 0);
        EXPECT_FALSE(prompter.sawTitle(title));
        prompter.ask(QString::fromUtf8(title), QString::fromUtf8(text), Icon::Critical,
                     Buttons::OK);
        EXPECT_EQ(out.str(), std::string(line) + "\n");
        EXPECT_TRUE(prompter.sawTitle(title));
        EXPECT_FALSE(prompter.sawTitle("Comm Port Error"));
    }
}

TEST(ConsolePrompter, AnswersWithoutAnyoneThere) {
    const struct {
        Buttons buttons;
        int retries;
        std::vector<int> answers; // for as many questions in a row
    } rows[] = {{Buttons::OK, 2, {Prompter::OK, Prompter::OK}},
                {Buttons::RetryCancel, 0, {Prompter::Cancel, Prompter::Cancel}},
                {Buttons::RetryCancel,
                 2,
                 {Prompter::Retry, Prompter::Retry, Prompter::Cancel, Prompter::Cancel}},
                {Buttons::AbortRetryIgnore, 1, {Prompter::Retry, Prompter::Abort}},
                {Buttons::YesNo, 5, {Prompter::No}},
                {Buttons::YesNoCancel, 5, {Prompter::Cancel}},
                {Buttons::OKCancel, 5, {Prompter::Cancel}}};
    for (const auto& row : rows) {
        std::ostringstream out;
        ConsolePrompter prompter(out, row.retries);
        std::vector<int> given;
        for (std::size_t i = 0; i < row.answers.size(); ++i)
            given.push_back(prompter.ask("T", "x", Icon::Question, row.buttons));
        EXPECT_EQ(given, row.answers) << "buttons " << static_cast<int>(row.buttons);
    }
}

TEST(ConsolePrompter, StartsTheRetryBudgetAfreshAfterASuccess) {
    std::ostringstream out;
    ConsolePrompter prompter(out, 1);
    EXPECT_EQ(prompter.ask("T", "x", Icon::Critical, Buttons::RetryCancel), Prompter::Retry);
    EXPECT_EQ(prompter.ask("T", "x", Icon::Critical, Buttons::RetryCancel), Prompter::Cancel);
    prompter.resetRetries();
    EXPECT_EQ(prompter.ask("T", "x", Icon::Critical, Buttons::RetryCancel), Prompter::Retry);
    EXPECT_EQ(prompter.ask("T", "x", Icon::Critical, Buttons::RetryCancel), Prompter::Cancel);
}

TEST(ConsolePrompter, GivesUpInsteadOfRetryingWhenAskedToStop) {
    std::ostringstream out;
    ConsolePrompter prompter(out, 10);
    bool stop = false;
    prompter.setGiveUp([&stop] { return stop; });
    EXPECT_EQ(prompter.ask("T", "x", Icon::Critical, Buttons::RetryCancel), Prompter::Retry);
    stop = true;
    EXPECT_EQ(prompter.ask("T", "x", Icon::Critical, Buttons::RetryCancel), Prompter::Cancel);
    EXPECT_EQ(prompter.ask("T", "x", Icon::Critical, Buttons::OK), Prompter::OK);
}

} // namespace

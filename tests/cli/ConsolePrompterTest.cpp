#include <gtest/gtest.h>
#include <sstream>

#include "ConsolePrompter.h"

namespace {

using Buttons = Prompter::Buttons;
using Icon = Prompter::Icon;

struct Formatting {
    const char* title;
    const char* text;
    const char* line;
};

void PrintTo(const Formatting& row, std::ostream* out) {
    *out << row.title;
}

class ConsolePrompterFormat : public testing::TestWithParam<Formatting> {};

TEST_P(ConsolePrompterFormat, WritesTitleAndTextOnOneLine) {
    std::ostringstream out;
    ConsolePrompter prompter(out, 0);
    prompter.ask(QString::fromUtf8(GetParam().title), QString::fromUtf8(GetParam().text),
                 Icon::Critical, Buttons::OK);
    EXPECT_EQ(out.str(), std::string(GetParam().line) + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    LineBreaks, ConsolePrompterFormat,
    testing::Values(
        // The link's own texts, CR and CR LF breaks, are in the ctl command table.
        Formatting{"T", "unix\nline\n\rmixed", "T: unix | line |  | mixed"},
        Formatting{"Degrees", "45\u00b0", "Degrees: 45\u00b0"},
        Formatting{"Empty", "", "Empty: "}));

struct Answering {
    Buttons buttons;
    int retries;
    std::vector<int> answers; // for as many questions in a row
};

void PrintTo(const Answering& row, std::ostream* out) {
    *out << "buttons " << static_cast<int>(row.buttons) << ", retries " << row.retries;
}

class ConsolePrompterAnswers : public testing::TestWithParam<Answering> {};

TEST_P(ConsolePrompterAnswers, AnswersWithoutAnyoneThere) {
    std::ostringstream out;
    ConsolePrompter prompter(out, GetParam().retries);
    std::vector<int> given;
    for (std::size_t i = 0; i < GetParam().answers.size(); ++i)
        given.push_back(prompter.ask("T", "x", Icon::Question, GetParam().buttons));
    EXPECT_EQ(given, GetParam().answers);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ConsolePrompterAnswers,
    testing::Values(Answering{Buttons::OK, 2, {Prompter::OK, Prompter::OK}},
                    Answering{Buttons::RetryCancel, 0, {Prompter::Cancel, Prompter::Cancel}},
                    Answering{
                        Buttons::RetryCancel,
                        2,
                        {Prompter::Retry, Prompter::Retry, Prompter::Cancel, Prompter::Cancel}},
                    Answering{Buttons::AbortRetryIgnore, 1, {Prompter::Retry, Prompter::Abort}},
                    Answering{Buttons::YesNo, 5, {Prompter::No}},
                    Answering{Buttons::YesNoCancel, 5, {Prompter::Cancel}},
                    Answering{Buttons::OKCancel, 5, {Prompter::Cancel}}));

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

TEST(ConsolePrompter, RemembersTheTitlesItShowed) {
    std::ostringstream out;
    ConsolePrompter prompter(out, 0);
    EXPECT_FALSE(prompter.sawTitle("ENTRY ALERT"));
    prompter.ask("ENTRY ALERT", "Error:\rEnter 0 or 1 Only.", Icon::Critical, Buttons::OK);
    EXPECT_TRUE(prompter.sawTitle("ENTRY ALERT"));
    EXPECT_FALSE(prompter.sawTitle("Comm Port Error"));
}

} // namespace

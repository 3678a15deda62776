// The error that ends the game: the player sees one message box whose text is exactly what
// stderr gets, and the program ends with status 1 (the end-to-end catalogue sees the box and
// the status on a real display, but X gives no way to read a box's text).
#include "platform/MessageBox.h"
#include "app/QuorvelApplication.h"

#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// Writes each box to stderr behind the error line, so the two texts can be compared.
void reportBoxesOnStderr(std::function<void()> whileShown = {})
{
    setMsgBoxHook([whileShown](const QString& text, int32_t style, const QString& title) {
        std::fprintf(stderr, "box [%s, style %d]: %s\n", qPrintable(title), style, qPrintable(text));
        std::fflush(stderr);
        if (whileShown)
            whileShown();
    });
}

} // namespace

TEST(ErrorReport, OneBoxWithTheTextOfStderrThenStatusOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            reportBoxesOnStderr();
            QuorvelApplication::endWithError(QStringLiteral("/games/q/DATA.ASC:5: question 1: Overflow"));
        },
        testing::ExitedWithCode(1),
        "quorvel-challenge: /games/q/DATA\\.ASC:5: question 1: Overflow\n"
        "box \\[The Quorvel Challenge, style 16\\]: /games/q/DATA\\.ASC:5: question 1: Overflow\n$");
    // An error while the box is up goes to stderr only.
    EXPECT_EXIT(
        {
            reportBoxesOnStderr([] { QuorvelApplication::endWithError(QStringLiteral("second")); });
            QuorvelApplication::endWithError(QStringLiteral("first"));
        },
        testing::ExitedWithCode(1),
        "quorvel-challenge: first\nbox \\[The Quorvel Challenge, style 16\\]: first\nquorvel-challenge: second\n$");
}

// A logout, a closed terminal or Ctrl+C: the progress is kept, then the program ends as the
// signal would have; a failed save goes to stderr alone, with status 1; under an error report
// nothing is saved. (The child may begin with Qt's own warnings about the environment, such as a
// missing XDG_RUNTIME_DIR; what the game says must end its output.)
TEST(SessionEnd, KeepsTheProgressThenEndsByItsSignal)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto keep = [] { std::fprintf(stderr, "kept\n"); };
    EXPECT_EXIT(QuorvelApplication::endSession(SIGTERM, keep), testing::KilledBySignal(SIGTERM), "(^|\n)kept\n$");
    EXPECT_EXIT(
        {
            reportBoxesOnStderr();
            QuorvelApplication::endSession(SIGHUP, [] {
                throw std::runtime_error("/d/USER.ASC: cannot save the progress: No space left on device");
            });
        },
        testing::ExitedWithCode(1), "(^|\n)quorvel-challenge: /d/USER\\.ASC: cannot save the progress: No space left on device\n$");
    EXPECT_EXIT(
        {
            reportBoxesOnStderr([keep] { QuorvelApplication::endSession(SIGINT, keep); });
            QuorvelApplication::endWithError(QStringLiteral("first"));
        },
        testing::KilledBySignal(SIGINT), "(^|\n)quorvel-challenge: first\nbox \\[The Quorvel Challenge, style 16\\]: first\n$");
}

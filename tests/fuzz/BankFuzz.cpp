// A damaged bank may only ever raise the game's RunTimeError: index it, then fetch every
// question it claims to hold (and one past the end).
#include "core/GameState.h"
#include "questions/ReadQuestion.h"
#include "core/RunTimeError.h"
#include "tests/fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    resetGame();
    game().BankFile = writeFuzzFile("DATA.ASC", data, size);
    QString text, extra, clip;
    QStringList answers;
    int16_t kind = 0, right = 0, extraAnswer = 0;
    try {
        IndexQuestionBank();
    } catch (const RunTimeError&) {
        return 0;
    }
    for (int16_t n = 1; n <= game().QuestionCount + 1 && n > 0; ++n) {
        try {
            int16_t mode = 2, number = n;
            ReadQuestion(mode, number, text, answers, kind, right, extraAnswer, extra, clip);
        } catch (const RunTimeError&) {
        }
    }
    return 0;
}

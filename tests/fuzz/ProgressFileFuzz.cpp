// A damaged progress file may only raise RunTimeError; what loads must save and load again
// to the same values.
#include "tests/fuzz/FuzzFile.h"
#include "core/GameState.h"
#include "questions/ProgressFile.h"
#include "core/RunTimeError.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    resetGame();
    game().UserFile = writeFuzzFile("USER.ASC", data, size);
    int16_t load = 1, save = 2;
    try {
        ProgressFile(load);
    } catch (const RunTimeError&) {
        return 0;
    }
    const GameState loaded = game();
    ProgressFile(save);
    ProgressFile(load);
    if (game().SoundOn != loaded.SoundOn || game().CurrentQuestion != loaded.CurrentQuestion
        || game().CorrectCount != loaded.CorrectCount || game().IncorrectCount != loaded.IncorrectCount)
        std::abort();
    return 0;
}

// Test seam for the crash-safety test: saves USER.ASC over and over, question 1, 2, 3, ...,
// as the game's unload step does once, until it is killed.
#include "core/GameState.h"
#include "questions/ProgressFile.h"

#include <QString>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: progress_save_loop USER.ASC\n");
        return 2;
    }
    game().UserFile = QString::fromLocal8Bit(argv[1]);
    game().SoundOn = 1;
    for (int16_t n = 1;; n = static_cast<int16_t>(n % 30000 + 1)) {
        game().CurrentQuestion = n;
        game().CorrectCount = n;
        game().IncorrectCount = static_cast<int16_t>(-n);
        int16_t save = 2;
        ProgressFile(save);
    }
}

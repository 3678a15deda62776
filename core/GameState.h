#pragma once
// The program-wide game state: the values every part of the game shares for the whole run.
// Each starts at 0 or the empty text. Flags hold 0 or 1 and are tested against 1.
#include <QString>
#include <cstdint>
#include <vector>

struct GameState {
    QString DataFolder;     // the data folder, always ending with '/'
    QString BankFile;       // DataFolder + "DATA.ASC"
    QString PlainBankFile;  // DataFolder + "DATANON.ASC"
    QString UserFile;       // DataFolder + "USER.ASC"

    int16_t SoundCard = 0;  // 1 when an audio output exists
    int16_t SoundOn = 0;    // 1 when sounds and clips are played

    int16_t QuestionCount = 0;
    // Per question (index 1..QuestionCount) the number of lines before its record; 0 unused.
    std::vector<int32_t> QuestionStart{0};

    int16_t CurrentQuestion = 0;
    int16_t CorrectCount = 0;
    int16_t IncorrectCount = 0;

    // Fields of the question on show.
    int16_t QuestionKind = 0;   // 2 is a music question
    int16_t ExtraAnswer = 0;
    int16_t CorrectAnswer = 0;
    QString ExtraText;
    QString ClipName;

    int32_t ClipPlaying = 0;
    int16_t ExtraShowing = 0;
    uint32_t AnswerColor = 0;   // 0x00BBGGRR

    int16_t BaseFontSize = 0;
    int16_t SpacingX = 0;
    int16_t SpacingY = 0;
    int16_t FontReduction = 0;
    int16_t CloseWarned = 0;

    int32_t TwipsPerPixelX = 0;
    int32_t TwipsPerPixelY = 0;

    int16_t SkipIntro = 0;  // 1 once the player double-clicked the intro
};

// The one instance of the run.
GameState& game();

// Puts every value back to its start value (tests start each case from a fresh run).
void resetGame();

#pragma once
// The program-wide game state: the values every part of the game shares for the whole run.
// Each starts at 0 or the empty text. Flags hold 0 or 1 and are tested against 1.
#include "core/QuestionKinds.h"

#include <QString>
#include <cstdint>
#include <vector>

struct GameState {
    QString DataFolder;     // the data folder, always ending with '/'
    QString BankFile;       // DataFolder + "DATA.ASC"
    QString PlainBankFile;  // DataFolder + "DATANON.ASC"
    QString UserFile;       // DataFolder + "USER.ASC"
    QString SoundFolder;    // where the sounds are when DataFolder has none (another bank's folder)

    int16_t SoundCard = 0;  // 1 when an audio output exists
    int16_t SoundOn = 0;    // 1 when sounds and clips are played

    int16_t QuestionCount = 0;
    // Per question (index 1..QuestionCount) the number of lines before its record; 0 unused.
    std::vector<int32_t> QuestionStart{0};

    int16_t CurrentQuestion = 0;  // the question on show, 1..QuestionCount; above it once the quiz is over
    int16_t CorrectCount = 0;     // answers judged right so far
    int16_t IncorrectCount = 0;   // answers judged wrong so far

    // Fields of the question on show.
    int16_t QuestionKind = 0;   // MusicQuestion or an ordinary one
    int16_t ExtraAnswer = 0;    // the answer that brings up ExtraText
    int16_t CorrectAnswer = 0;  // the right answer, 1..4
    QString ExtraText;          // the remark on answer ExtraAnswer, or empty
    QString ClipName;           // a music question's clip in the data folder

    int32_t ClipPlaying = 0;    // nonzero while a clip plays
    int16_t ExtraShowing = 0;   // 1 while the extra remark is on show
    uint32_t AnswerColor = 0;   // the answers' own colour, 0x00BBGGRR

    // The quiz window's measures by screen class, in points and pixels.
    int16_t BaseFontSize = 0;
    int16_t SpacingX = 0;
    int16_t SpacingY = 0;
    int16_t FontReduction = 0;  // points taken off on a large-font display
    int16_t CloseWarned = 0;    // 1 once the close warning has shown; the next close request closes

    int32_t TwipsPerPixelX = 0;
    int32_t TwipsPerPixelY = 0;

    int16_t SkipIntro = 0;  // 1 once the player double-clicked the intro

    bool soundIsOn() const { return SoundOn == 1; }
    bool showsMusicQuestion() const { return QuestionKind == MusicQuestion; }
    // The progress of a new game: question 1, nothing answered yet.
    void startNewGame();
};

// The one instance of the run.
GameState& game();

// Puts every value back to its start value (tests start each case from a fresh run).
void resetGame();

// The music clips: the start sequence, the Replay button, the player's end report, and the
// stop when an answer is clicked.
#include "quiz/Form2.h"

#include "questions/ClipName.h"
#include "core/GameState.h"
#include "platform/Mp3Player.h"
#include "core/Numbers.h"
#include "quiz/Waits.h"

void Form2::StartClip()
{
    GameState& g = game();
    g.ClipPlaying = 0;
    const QString path = g.DataFolder + g.ClipName;
    // A refused name counts as a clip that could not be opened.
    const int16_t opened = isPlayableClipName(g.ClipName) ? toInt16(Mp3Play1->OpenClip(path, QString())) : 1;
    if (opened == 0)
        Mp3Play1->PlayClip();
    g.ClipPlaying = toInt32(Mp3Play1->ClipState());
}

void Form2::Command2_Click()
{
    const GameState& g = game();
    // Only the clip of the music question on show is played again.
    if (g.soundIsOn() && g.ClipPlaying == 0 && g.showsMusicQuestion())
        StartClip();
}

void Form2::Mp3Play1_ThreadEnded() { game().ClipPlaying = 0; }

void Form2::StopClipForAnswer()
{
    setAnswerButtonsEnabled(false);
    Mp3Play1->StopClip();
    // The end report clears ClipPlaying; when it does not come, the clip counts as ended.
    if (!WaitWithEvents(5.0, [] { return game().ClipPlaying == 0; }))
        game().ClipPlaying = 0;
}

#include "core/GameState.h"

namespace {
GameState state;
}

GameState& game() { return state; }

void GameState::startNewGame()
{
    CurrentQuestion = 1;
    CorrectCount = 0;
    IncorrectCount = 0;
}

void resetGame() { state = GameState{}; }

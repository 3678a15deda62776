#include "core/GameState.h"

namespace {
GameState state;
}

GameState& game() { return state; }

void resetGame() { state = GameState{}; }

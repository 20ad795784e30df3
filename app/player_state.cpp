#include "app/player_state.h"

PlayerQuiz* quiz = nullptr;

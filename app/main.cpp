// The player's entry point. Each quiz executable links it with the source
// that defines its built-in block.
#include <windows.h>

#include "app/player.h"
#include "quiz/builtin_block.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return RunPlayer(instance, kBuiltinBlock, kBuiltinBlockSize);
}

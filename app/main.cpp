// The player's entry point.
#include <windows.h>

#include "app/player.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return RunPlayer(instance, nullptr, 0);
}

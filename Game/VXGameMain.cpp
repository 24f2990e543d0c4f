// The game's one application object; the platform's entry finds it and runs it.
#include "Game/VXGame.h"

namespace
{
VXGame s_game;
}

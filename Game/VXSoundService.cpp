#include "Game/VXSoundService.h"

VXSoundService::~VXSoundService() = default;

#include "Framework/audio/HAudioStream.h"

HAudioStream::~HAudioStream() = default;

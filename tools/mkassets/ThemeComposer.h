#ifndef GLIMMERDROP_TOOLS_MKASSETS_THEMECOMPOSER_H
#define GLIMMERDROP_TOOLS_MKASSETS_THEMECOMPOSER_H

#include "tools/mkassets/SoundWriters.h"

#include <cstddef>

// The theme: a two-bar intro and a 32-bar body that repeats. The game plays the file to its end
// and jumps back to sample 66016, the body's first sample, so the body is rendered as its own
// continuation: echoes and release tails that run past its end reappear at its start.
namespace ThemeComposer
{
constexpr size_t kLoopStart = 66016;
// A sixteenth note; two bars of sixteen make the intro exactly kLoopStart samples long.
constexpr size_t kTick = kLoopStart / 32;
constexpr int kBodyBars = 32;

SoundBuffer compose();
} // namespace ThemeComposer

#endif

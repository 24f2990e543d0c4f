#ifndef GLIMMERDROP_TOOLS_MKASSETS_SCREENPAINTER_H
#define GLIMMERDROP_TOOLS_MKASSETS_SCREENPAINTER_H

#include "tools/mkassets/Canvas.h"

#include <string>

// The full pictures of the main screen: the backdrop with the score panel, the arena, the
// loading screen, the pause card, the information pictures and the tutorial pages.
namespace ScreenPainter
{
Canvas paintBackground();
Canvas paintArena();
Canvas paintLoading();
Canvas paintPause();
// "info_start.jpg" and the six others; unknown names give an empty arena.
Canvas paintInfo( const std::string& name );
// Pages 1 to 6, for the steps of the tutorial level.
Canvas paintTutorialPage( int page );
// The start button, unlit (baked into the information pictures) or lit (its own sprite).
Canvas paintStartButton( bool lit );
} // namespace ScreenPainter

#endif

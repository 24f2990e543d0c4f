#ifndef GLIMMERDROP_TOOLS_MKASSETS_DIALOGPAINTER_H
#define GLIMMERDROP_TOOLS_MKASSETS_DIALOGPAINTER_H

#include "tools/mkassets/Canvas.h"

#include <string>

// The modal screens (game over, name entry, high scores, the two confirmations, options) and
// every button that stands on them or on the main panel.
namespace DialogPainter
{
// A dialog background by its file name; unknown names give an empty canvas.
Canvas paintDialog( const std::string& name );
// A button or label sprite by its file name ("icon_pause.tga", "options_icon_6_lit.tga", ...),
// at the size the layout gives it; unknown names give an empty canvas.
Canvas paintButton( const std::string& name );
bool isButton( const std::string& name );
// The gold frame with a star at each end that marks the row just entered in the high-score table.
Canvas paintNewRowMarker();
} // namespace DialogPainter

#endif

#ifndef GLIMMERDROP_FRAMEWORK_GRAPHICS_HBITMAPFONT_H
#define GLIMMERDROP_FRAMEWORK_GRAPHICS_HBITMAPFONT_H

#include <cstdint>

class VXSprite;

// A grid of fixed-size character cells, 16 to a row: code c sits in column c % 16 and row
// c / 16 - 1, so codes 16 to 127 have cells. The sprite is not owned.
struct HBitmapFont
{
    VXSprite* sprite;
    int32_t cellWidth;
    int32_t cellHeight;
};

#endif

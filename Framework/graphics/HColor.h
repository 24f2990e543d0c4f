#ifndef GLIMMERDROP_FRAMEWORK_GRAPHICS_HCOLOR_H
#define GLIMMERDROP_FRAMEWORK_GRAPHICS_HCOLOR_H

// A colour with components from 0.0 to 1.0.
struct HColor
{
    float r;
    float g;
    float b;
    float a;
};

#endif

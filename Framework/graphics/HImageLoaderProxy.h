#ifndef GLIMMERDROP_FRAMEWORK_GRAPHICS_HIMAGELOADERPROXY_H
#define GLIMMERDROP_FRAMEWORK_GRAPHICS_HIMAGELOADERPROXY_H

#include "Framework/graphics/HImageLoader.h"

// Picks the loader by the file name (".tga", ".jpg"/".jpeg", ".png", letter case as written;
// a later match wins) and keeps the picture it made.
class HImageLoaderProxy : public HImageLoader
{
public:
    bool load( HFileSystem* pFileSystem, const char* kpFileName ) override;
};

#endif

#ifndef GLIMMERDROP_FRAMEWORK_GRAPHICS_HIMAGELOADERPROXY_H
#define GLIMMERDROP_FRAMEWORK_GRAPHICS_HIMAGELOADERPROXY_H

#include <memory>

#include "Framework/graphics/HImageLoader.h"

// Picks the loader by the file name (".tga", ".jpg"/".jpeg", ".png", letter case as written;
// a later match wins) and keeps the picture it made.
class HImageLoaderProxy : public HImageLoader
{
public:
    bool load( HFileSystem* pFileSystem, const char* kpFileName ) override;
    bool decode( const uint8_t* kpData, uint32_t size, const char* kpFileName ) override;

private:
    // Null, with a debug trace, for a name of no known type.
    static std::unique_ptr<HImageLoader> m_loaderFor( const char* kpFileName );
    bool m_takeImage( HImageLoader& loader, bool loaded );
};

#endif

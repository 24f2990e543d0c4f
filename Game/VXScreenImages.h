#ifndef GLIMMERDROP_GAME_VXSCREENIMAGES_H
#define GLIMMERDROP_GAME_VXSCREENIMAGES_H

#include <memory>
#include <vector>

class HDisplayDevice;
class HFileSystem;
class VXSprite;

// The pictures of one modal screen, loaded when it is built and freed when it goes.
class VXScreenImages
{
public:
    VXScreenImages( HDisplayDevice* pDisplay, HFileSystem* pFileSystem );
    ~VXScreenImages();

    VXScreenImages( const VXScreenImages& ) = delete;
    VXScreenImages& operator=( const VXScreenImages& ) = delete;

    // The picture of the file, or null when it cannot be loaded: its item then has no picture,
    // and the screen still works.
    VXSprite* load( const char* kpFileName );
    // Frees every picture now, before the display they were made on goes.
    void unloadAll();

private:
    HDisplayDevice* m_pDisplay;
    HFileSystem* m_pFileSystem;
    std::vector<std::unique_ptr<VXSprite>> m_sprites;
};

#endif

#ifndef GLIMMERDROP_FRAMEWORK_GRAPHICS_HIMAGELOADER_H
#define GLIMMERDROP_FRAMEWORK_GRAPHICS_HIMAGELOADER_H

#include <cstdint>
#include <memory>

class HFileSystem;
class HImage;

// Reads one picture file into an HImage. The loader keeps what it made until it is taken
// (detachImage) or freed; a failed load leaves nothing behind.
class HImageLoader
{
public:
    HImageLoader();
    virtual ~HImageLoader();

    HImageLoader( const HImageLoader& ) = delete;
    HImageLoader& operator=( const HImageLoader& ) = delete;

    // Reads the whole file through the file system, then decodes it.
    virtual bool load( HFileSystem* pFileSystem, const char* kpFileName );
    // Decodes a file already in memory; the name is only for messages (and the proxy's choice).
    virtual bool decode( const uint8_t* kpData, uint32_t size, const char* kpFileName ) = 0;
    virtual void freeImage();
    virtual HImage* getImage() const { return m_pImage; }

    // Hands the image over to the caller and forgets it.
    HImage* detachImage();

    // The whole file in one buffer, read with one call; false (no message) when it cannot be
    // opened or reads short.
    static bool readWholeFile( HFileSystem* pFileSystem, const char* kpFileName, std::unique_ptr<uint8_t[]>& buffer,
                               uint32_t& size );

protected:
    HImage* m_pImage;
};

#endif

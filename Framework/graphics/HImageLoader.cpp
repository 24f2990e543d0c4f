#include "Framework/graphics/HImageLoader.h"

#include <new>

#include "Framework/FileSystem/src/HFile.h"
#include "Framework/FileSystem/src/HFileSystem.h"
#include "Framework/graphics/HImage.h"

HImageLoader::HImageLoader()
    : m_pImage( nullptr )
{
}

HImageLoader::~HImageLoader()
{
    delete m_pImage;
}

void HImageLoader::freeImage()
{
    delete m_pImage;
    m_pImage = nullptr;
}

HImage* HImageLoader::detachImage()
{
    HImage* pImage = m_pImage;
    m_pImage = nullptr;
    return pImage;
}

bool HImageLoader::load( HFileSystem* pFileSystem, const char* kpFileName )
{
    freeImage();
    std::unique_ptr<uint8_t[]> buffer;
    uint32_t size = 0;
    if( !readWholeFile( pFileSystem, kpFileName, buffer, size ) )
        return false;
    return decode( buffer.get(), size, kpFileName );
}

bool HImageLoader::readWholeFile( HFileSystem* pFileSystem, const char* kpFileName, std::unique_ptr<uint8_t[]>& buffer,
                                  uint32_t& size )
{
    buffer.reset();
    size = 0;
    if( pFileSystem == nullptr || kpFileName == nullptr )
        return false;
    HFile* pFile = pFileSystem->openFileForRead( kpFileName );
    if( pFile == nullptr )
        return false;
    uint32_t fileSize = pFile->getSize();
    // One spare byte keeps the buffer real for an empty file.
    std::unique_ptr<uint8_t[]> data( new( std::nothrow ) uint8_t[ static_cast<size_t>( fileSize ) + 1 ] );
    if( data == nullptr )
    {
        pFile->close();
        return false;
    }
    uint32_t got = fileSize == 0 ? 0 : pFile->read( data.get(), fileSize );
    pFile->close();
    if( got < fileSize )
        return false;
    buffer = std::move( data );
    size = fileSize;
    return true;
}

#include "Framework/graphics/HImageLoaderProxy.h"

#include "Framework/graphics/HJPEGLoader.h"
#include "Framework/graphics/HPNGLoader.h"
#include "Framework/graphics/HTGALoader.h"
#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HText.h"

std::unique_ptr<HImageLoader> HImageLoaderProxy::m_loaderFor( const char* kpFileName )
{
    std::unique_ptr<HImageLoader> loader;
    if( textContains( kpFileName, ".tga" ) )
        loader.reset( new HTGALoader() );
    if( textContains( kpFileName, ".jpg" ) || textContains( kpFileName, ".jpeg" ) )
        loader.reset( new HJPEGLoader() );
    if( textContains( kpFileName, ".png" ) )
        loader.reset( new HPNGLoader() );
    if( loader == nullptr )
    {
        debugTrace( "HImageLoaderProxy::load - unknown file type for file '%s'",
                    kpFileName != nullptr ? kpFileName : "(null)" );
    }
    return loader;
}

bool HImageLoaderProxy::m_takeImage( HImageLoader& loader, bool loaded )
{
    if( !loaded )
    {
        loader.freeImage();
        return false;
    }
    m_pImage = loader.detachImage();
    return true;
}

// The type is judged before the file is read, so an unknown one costs no read.
bool HImageLoaderProxy::load( HFileSystem* pFileSystem, const char* kpFileName )
{
    freeImage();
    std::unique_ptr<HImageLoader> loader = m_loaderFor( kpFileName );
    return loader != nullptr && m_takeImage( *loader, loader->load( pFileSystem, kpFileName ) );
}

bool HImageLoaderProxy::decode( const uint8_t* kpData, uint32_t size, const char* kpFileName )
{
    freeImage();
    std::unique_ptr<HImageLoader> loader = m_loaderFor( kpFileName );
    return loader != nullptr && m_takeImage( *loader, loader->decode( kpData, size, kpFileName ) );
}

#include "Framework/graphics/HImageLoaderProxy.h"

#include <memory>

#include "Framework/graphics/HJPEGLoader.h"
#include "Framework/graphics/HPNGLoader.h"
#include "Framework/graphics/HTGALoader.h"
#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HText.h"

bool HImageLoaderProxy::load( HFileSystem* pFileSystem, const char* kpFileName )
{
    freeImage();
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
        return false;
    }
    if( !loader->load( pFileSystem, kpFileName ) )
    {
        loader->freeImage();
        return false;
    }
    m_pImage = loader->detachImage();
    return true;
}

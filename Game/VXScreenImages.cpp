#include "Game/VXScreenImages.h"

#include "Framework/graphics/VXSprite.h"
#include "Framework/util/src/HLog.h"

VXScreenImages::VXScreenImages( HDisplayDevice* pDisplay, HFileSystem* pFileSystem )
    : m_pDisplay( pDisplay )
    , m_pFileSystem( pFileSystem )
    , m_sprites()
{
}

VXScreenImages::~VXScreenImages()
{
    unloadAll();
}

VXSprite* VXScreenImages::load( const char* kpFileName )
{
    if( m_pDisplay == nullptr || m_pFileSystem == nullptr )
        return nullptr;
    std::unique_ptr<VXSprite> pSprite( new VXSprite() );
    if( !pSprite->load( m_pDisplay, m_pFileSystem, kpFileName ) || !pSprite->isLoaded() )
    {
        debugTrace( "VXScreenImages - no picture '%s'", kpFileName );
        // A load that read the file but made no picture still holds a reference.
        if( pSprite->getRefCount() > 0 )
            pSprite->unload();
        return nullptr;
    }
    m_sprites.push_back( std::move( pSprite ) );
    return m_sprites.back().get();
}

void VXScreenImages::unloadAll()
{
    for( std::unique_ptr<VXSprite>& pSprite : m_sprites )
        pSprite->unload();
    m_sprites.clear();
}

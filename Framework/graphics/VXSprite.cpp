#include "Framework/graphics/VXSprite.h"

#include "Framework/graphics/HDisplayDevice.h"
#include "Framework/graphics/HImageLoaderProxy.h"
#include "Framework/graphics/HSurface.h"
#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HText.h"

const char* const VXSprite::kSupportAddress = "support@vantorix.example";

namespace
{
// OK with the stop icon, as every "Error" box of the program.
const uint32_t kErrorBoxFlags = 0x11;
} // namespace

VXSprite::VXSprite()
    : m_pDisplay( nullptr )
    , m_pSpriteSurface( nullptr )
    , m_name()
{
    textCopy( m_name, sizeof( m_name ), "(unnamed)" );
}

VXSprite::~VXSprite() {}

const char* VXSprite::getClassName() const
{
    return "VXSprite";
}

bool VXSprite::isA( const char* kpClassName ) const
{
    return sameClassName( kpClassName, "VXSprite" );
}

VXSprite* VXSprite::duplicate( const HObject* kpOther )
{
    if( kpOther == nullptr || !kpOther->isA( getClassName() ) || m_pSpriteSurface == nullptr || m_pDisplay == nullptr )
        return nullptr;
    VXSprite* pCopy = new VXSprite();
    pCopy->m_pDisplay = m_pDisplay;
    pCopy->m_pSpriteSurface = m_pDisplay->duplicateSurface( m_pSpriteSurface );
    return pCopy;
}

bool VXSprite::isLoaded() const
{
    return m_pSpriteSurface != nullptr;
}

void VXSprite::drawAt( const HPoint& point )
{
    if( !isLoaded() )
        return;
    int32_t width = getWidth();
    int32_t height = getHeight();
    m_pDisplay->clippedBlit( { point.x, point.y, point.x + width, point.y + height }, { 0, 0, width, height },
                             m_pSpriteSurface );
}

void VXSprite::blendDraw( const HRect& dest, const HRect& src, int32_t srcAlphaSource, int32_t srcParamSource,
                          int32_t srcInvert, uint8_t constA, int32_t dstAlphaSource, int32_t dstParamSource,
                          int32_t dstInvert, uint8_t constB, int32_t blendOp )
{
    if( !isLoaded() )
        return;
    m_pDisplay->clippedBlendBlit( dest, src, m_pSpriteSurface, srcAlphaSource, srcParamSource, srcInvert, constA,
                                  dstAlphaSource, dstParamSource, dstInvert, constB, blendOp );
}

void VXSprite::draw( const HRect& dest, const HRect& src )
{
    if( !isLoaded() )
        return;
    m_pDisplay->clippedBlit( dest, src, m_pSpriteSurface );
}

bool VXSprite::load( HDisplayDevice* pDisplay, HFileSystem* pFileSystem, const char* kpFileName )
{
    if( !isLoaded() )
    {
        m_pDisplay = pDisplay;
        if( pFileSystem == nullptr )
        {
            messageBox( kErrorBoxFlags, "Error",
                        "Glimmerdrop's read file system was not initialized.  Please report this error to %s",
                        kSupportAddress );
            return false;
        }
        // Without a display there is nothing to make a surface with; that is a failed load too.
        if( pDisplay == nullptr )
        {
            debugTrace( "Could not open '%s'", kpFileName != nullptr ? kpFileName : "(null)" );
            return false;
        }
        HImageLoaderProxy proxy;
        if( !proxy.load( pFileSystem, kpFileName ) )
        {
            debugTrace( "Could not open '%s'", kpFileName != nullptr ? kpFileName : "(null)" );
            return false;
        }
        if( proxy.getImage() != nullptr )
            m_pSpriteSurface = pDisplay->createSurface( proxy.getImage() );
        textCopy( m_name, sizeof( m_name ), kpFileName );
        proxy.freeImage();
    }
    addRef();
    return true;
}

void VXSprite::unload()
{
    release();
    if( getRefCount() > 0 )
        return;
    if( m_pSpriteSurface != nullptr )
    {
        m_pDisplay->destroySurface( m_pSpriteSurface );
        m_pSpriteSurface = nullptr;
    }
}

int32_t VXSprite::getWidth() const
{
    if( m_pSpriteSurface == nullptr )
    {
        debugTrace( "getWidth: m_pSpriteSurface == 0 for sprite '%s'", m_name );
        return 0;
    }
    return m_pSpriteSurface->getWidth();
}

int32_t VXSprite::getHeight() const
{
    if( m_pSpriteSurface == nullptr )
    {
        debugTrace( "getHeight: m_pSpriteSurface == 0 for sprite '%s'", m_name );
        return 0;
    }
    return m_pSpriteSurface->getHeight();
}

void VXSprite::getRect( HRect& out ) const
{
    out = { 0, 0, getWidth(), getHeight() };
}

#include "Game/dialogs/VXDialogItemProgressBar.h"

#include "Framework/graphics/HBlitter.h"
#include "Framework/graphics/VXSprite.h"

VXDialogItemProgressBar::VXDialogItemProgressBar()
    : m_progress( 0.0f )
    , m_pImage( nullptr )
{
}

VXDialogItemProgressBar::~VXDialogItemProgressBar() = default;

const char* VXDialogItemProgressBar::getClassName() const
{
    return "VXDialogItemProgressBar";
}

bool VXDialogItemProgressBar::isA( const char* kpClassName ) const
{
    return sameClassName( kpClassName, "VXDialogItemProgressBar" ) || VXDialogItem::isA( kpClassName );
}

void VXDialogItemProgressBar::m_fitToImage()
{
    if( m_pImage != nullptr )
        m_rect = HRect{ m_x, m_y, m_x + m_pImage->getWidth(), m_y + m_pImage->getHeight() };
}

void VXDialogItemProgressBar::setImage( VXSprite* pImage )
{
    m_pImage = pImage;
    m_fitToImage();
}

void VXDialogItemProgressBar::setPosition( const HPoint& position )
{
    VXDialogItem::setPosition( position );
    m_fitToImage();
}

void VXDialogItemProgressBar::setProgress( float progress )
{
    if( !( progress > 0.0f ) )
        progress = 0.0f;
    else if( progress > 1.0f )
        progress = 1.0f;
    m_progress = progress;
    invalidate( m_rect );
}

void VXDialogItemProgressBar::draw( HDisplayDevice*, const HRect& clip )
{
    if( m_pImage == nullptr )
        return;
    int32_t width = m_pImage->getWidth();
    int32_t height = m_pImage->getHeight();
    int32_t filled = static_cast<int32_t>( static_cast<float>( width ) * m_progress );
    HRect dest = { m_x, m_y, m_x + filled, m_y + height };
    if( dest.left > clip.right || dest.right < clip.left || dest.top > clip.bottom || dest.bottom < clip.top )
        return;
    HRect src = { 0, 0, filled, height };
    if( dest.left < clip.left )
    {
        src.left += clip.left - dest.left;
        dest.left = clip.left;
    }
    if( dest.top < clip.top )
    {
        src.top += clip.top - dest.top;
        dest.top = clip.top;
    }
    if( dest.right > clip.right )
    {
        src.right -= dest.right - clip.right;
        dest.right = clip.right;
    }
    if( dest.bottom > clip.bottom )
    {
        src.bottom -= dest.bottom - clip.bottom;
        dest.bottom = clip.bottom;
    }
    if( dest.width() <= 0 || dest.height() <= 0 )
        return;
    m_pImage->blendDraw( dest, src, BA_MASK, BP_ONE, 0, 255, BA_INV_MASK, BP_ONE, 0, 255, BO_ADD );
}

#include "Game/dialogs/VXDialogItemTextLine.h"

#include <algorithm>
#include <cstring>

#include "Framework/application/HEvent.h"
#include "Framework/application/HFramePacer.h"
#include "Framework/graphics/HBitmapFont.h"
#include "Framework/graphics/HDisplayDevice.h"
#include "Framework/util/src/HProcessServices.h"
#include "Framework/util/src/HText.h"
#include "Game/dialogs/VXDialog.h"

namespace
{
// The caret and the terminator still fit the drawing buffer.
const size_t kDrawnCharacters = 253;
const uint64_t kCaretPeriod = 500;
} // namespace

uint64_t VXDialogItemTextLine::sm_lastBlinkTime = 0;

VXDialogItemTextLine::VXDialogItemTextLine()
    : m_align( TA_LEFT )
    , m_colour{ 1.0f, 1.0f, 1.0f, 1.0f }
    , m_editable( false )
    , m_maxLength( 64 )
    , m_text()
    , m_length( 0 )
    , m_pFont( nullptr )
{
}

VXDialogItemTextLine::~VXDialogItemTextLine() = default;

const char* VXDialogItemTextLine::getClassName() const
{
    return "VXDialogItemTextLine";
}

bool VXDialogItemTextLine::isA( const char* kpClassName ) const
{
    return sameClassName( kpClassName, "VXDialogItemTextLine" ) || VXDialogItem::isA( kpClassName );
}

bool VXDialogItemTextLine::acceptsFocus() const
{
    return m_editable;
}

void VXDialogItemTextLine::setEditable( bool editable )
{
    m_editable = editable;
}

void VXDialogItemTextLine::setFont( const HBitmapFont* kpFont )
{
    m_pFont = kpFont;
    updateRect();
}

void VXDialogItemTextLine::setColour( const HColor& colour )
{
    m_colour = colour;
}

void VXDialogItemTextLine::setAlign( int32_t align )
{
    m_align = align;
    updateRect();
}

void VXDialogItemTextLine::setMaxLength( int32_t maxLength )
{
    m_maxLength = maxLength < 0 ? 0 : maxLength > kLongestText ? kLongestText : maxLength;
    if( m_length > m_maxLength )
    {
        m_length = m_maxLength;
        m_text[ m_length ] = '\0';
        m_invalidateDialog();
    }
    updateRect();
}

void VXDialogItemTextLine::setText( const char* kpText )
{
    m_length = static_cast<int32_t>(
        makePrintable( m_text, static_cast<size_t>( m_maxLength ) + 1, kpText, static_cast<size_t>( -1 ) ) );
    m_invalidateDialog();
}

void VXDialogItemTextLine::updateRect()
{
    if( m_pFont == nullptr )
    {
        m_rect = HRect{ 0, 0, 0, 0 };
        return;
    }
    HPoint origin = m_dialogOrigin();
    int32_t width = m_maxLength * m_pFont->cellWidth;
    int32_t left = m_x + origin.x;
    if( m_align == TA_RIGHT )
        left -= width;
    else if( m_align == TA_CENTRE )
        left -= width / 2;
    int32_t top = m_y + origin.y;
    m_rect = HRect{ left, top, left + width, top + m_pFont->cellHeight };
}

void VXDialogItemTextLine::m_invalidateDialog()
{
    if( m_pDialog != nullptr )
        m_pDialog->invalidate( m_pDialog->getRect() );
}

void VXDialogItemTextLine::m_type( unsigned char character )
{
    if( character == 8 )
    {
        if( m_length > 0 )
            m_text[ --m_length ] = '\0';
        return;
    }
    char letters[ kMostPrintable ];
    size_t count = printableTyped( character, letters );
    // A letter that folds to two is typed whole or not at all.
    if( count == 0 || m_length + static_cast<int32_t>( count ) > m_maxLength )
        return;
    for( size_t i = 0; i < count; ++i )
        m_text[ m_length++ ] = letters[ i ];
    m_text[ m_length ] = '\0';
}

bool VXDialogItemTextLine::handleEvent( const HEvent& event )
{
    if( !m_editable )
        return false;
    switch( event.type )
    {
    case ET_KEYDOWN:
    {
        if( event.key == KC_LBUTTON )
        {
            if( m_pDialog == nullptr || m_rect.width() <= 0 || !m_rect.containsClosed( event.x, event.y ) )
                return false;
            m_pDialog->setFocus( this );
            return true;
        }
        if( !hasFocus() )
            return false;
        m_invalidateDialog();
        unsigned char character = static_cast<unsigned char>( event.character );
        if( character == 13 )
            return true;
        m_type( character );
        return false;
    }
    case ET_PASTE:
    {
        if( !hasFocus() )
            return false;
        char clipboard[ kTextSize ] = "";
        if( processServices().getClipboardText( clipboard, sizeof( clipboard ) ) != nullptr )
            setText( clipboard );
        return true;
    }
    case ET_TIMESTAMP:
        if( sm_lastBlinkTime != 0 &&
            ( event.time < sm_lastBlinkTime || event.time - sm_lastBlinkTime < kBlinkInterval ) )
            return false;
        if( m_pDialog != nullptr )
        {
            m_invalidateDialog();
            sm_lastBlinkTime = event.time;
        }
        return false;
    default:
        return false;
    }
}

void VXDialogItemTextLine::draw( HDisplayDevice* pDisplay, const HRect& clip )
{
    if( pDisplay == nullptr )
        return;
    char text[ kDrawnCharacters + 2 ];
    size_t length = std::min( static_cast<size_t>( m_length ), kDrawnCharacters );
    std::memcpy( text, m_text, length );
    if( m_editable && hasFocus() && ( processServices().getTime() / kCaretPeriod ) % 2 == 1 )
        text[ length++ ] = '|';
    text[ length ] = '\0';
    HPoint origin = m_dialogOrigin();
    pDisplay->drawText( text, m_x + origin.x, m_y + origin.y, clip, m_align, m_pFont, &m_colour );
}

uint32_t VXDialogItemTextLine::untilNextChange( uint64_t now ) const
{
    if( !m_editable || !hasFocus() )
        return HFramePacer::kNoDeadline;
    uint64_t next = sm_lastBlinkTime + kBlinkInterval;
    if( sm_lastBlinkTime == 0 || now >= next )
        return 1;
    // A clock that went back waits for the blink as handleEvent does, a period at a time.
    return static_cast<uint32_t>( std::min<uint64_t>( next - now, kBlinkInterval ) );
}

#include "Game/VXHighScoreDialog.h"

#include "Framework/graphics/HDisplayDevice.h"
#include "Framework/util/src/HText.h"

namespace
{
const HColor kYellow = { 1.0f, 1.0f, 0.0f, 1.0f };
const HColor kWhite = { 1.0f, 1.0f, 1.0f, 1.0f };
// The marker's corner, left of and above the row's text.
const HPoint kMarkerOffset = { 10, -13 };
const int32_t kFirstRowY = 177;
const int32_t kRowHeight = 44;

void setUpLine( VXDialogItemTextLine& line, const HBitmapFont* kpFont, int32_t align, int32_t x, int32_t y )
{
    line.setColour( kYellow );
    line.setAlign( align );
    line.setFont( kpFont );
    line.setPosition( { x, y } );
}
} // namespace

VXHighScoreDialog::VXHighScoreDialog( VXSprite* pBackground, VXSprite* pOk, VXSprite* pOkLit, VXSprite* pClearAll,
                                      VXSprite* pClearAllLit, const HBitmapFont* kpFont )
    : m_ok()
    , m_clearAll()
    , m_marker()
    , m_markedRow( -1 )
    , m_names()
    , m_scores()
    , m_levels()
{
    setBackground( pBackground );
    setOrigin( { 23, 17 } );
    m_ok.setName( "OK" );
    m_ok.setImages( pOk, pOkLit, nullptr );
    m_ok.setPosition( { 290, 378 } );
    m_clearAll.setName( "Clear All" );
    m_clearAll.setImages( pClearAll, pClearAllLit, nullptr );
    m_clearAll.setPosition( { 60, 378 } );
    m_marker.setName( "New Row" );
    m_marker.setEnabled( false );
    addItem( &m_ok );
    addItem( &m_clearAll );
    // Under the rows' text.
    addItem( &m_marker );
    setCancelItem( &m_ok );
    for( int row = 0; row < VXHighScoreTable::kRows; ++row )
    {
        int32_t y = kFirstRowY + kRowHeight * row;
        setUpLine( m_names[ row ], kpFont, TA_LEFT, 33, y );
        setUpLine( m_scores[ row ], kpFont, TA_RIGHT, 338, y );
        setUpLine( m_levels[ row ], kpFont, TA_RIGHT, 395, y );
        addItem( &m_names[ row ] );
        addItem( &m_scores[ row ] );
        addItem( &m_levels[ row ] );
    }
}

void VXHighScoreDialog::refresh( const VXHighScoreTable& table )
{
    for( int row = 0; row < VXHighScoreTable::kRows; ++row )
    {
        const VXHighScoreEntry& entry = table.entry( row );
        char text[ 32 ];
        table.displayName( row, text, sizeof( text ) );
        m_names[ row ].setText( text );
        // The score is unsigned in the table: a stored value above two thousand million stays positive.
        textFormat( text, sizeof( text ), "%u", entry.score );
        m_scores[ row ].setText( text );
        textFormat( text, sizeof( text ), "%d", entry.level );
        m_levels[ row ].setText( text );
    }
}

void VXHighScoreDialog::setMarkedRow( int row, VXSprite* pMarker )
{
    if( row < 0 || row >= VXHighScoreTable::kRows )
    {
        row = -1;
        pMarker = nullptr;
    }
    m_markedRow = row;
    m_marker.setImages( nullptr, nullptr, pMarker );
    m_marker.setPosition( { kMarkerOffset.x, kFirstRowY + kRowHeight * ( row < 0 ? 0 : row ) + kMarkerOffset.y } );
    for( int i = 0; i < VXHighScoreTable::kRows; ++i )
    {
        const HColor& colour = i == row ? kWhite : kYellow;
        m_names[ i ].setColour( colour );
        m_scores[ i ].setColour( colour );
        m_levels[ i ].setColour( colour );
    }
    invalidate( getRect() );
}

bool VXHighScoreDialog::onItemActivated( VXDialogItem* pItem )
{
    return pItem == &m_ok || pItem == &m_clearAll;
}

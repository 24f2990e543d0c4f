#include "Game/VXOptionsDialog.h"

#include "Framework/graphics/VXSprite.h"
#include "Framework/util/src/HText.h"
#include "Game/VXGame.h"
#include "Game/VXScreenImages.h"
#include "Game/VXSettings.h"

const int32_t VXOptionsDialog::kaStartLevels[ kStartLevels ] = { 1, 6, 10, 14, 18, 22 };

namespace
{
const HPoint kaStartLevelPlaces[ VXOptionsDialog::kStartLevels ] = { { 19, 291 },  { 46, 291 },  { 87, 291 },
                                                                     { 135, 291 }, { 185, 291 }, { 231, 291 } };

void place( VXDialogItemButton& button, const char* kpName, int32_t x, int32_t y )
{
    button.setName( kpName );
    button.setPosition( { x, y } );
}
} // namespace

VXOptionsDialog::VXOptionsDialog( VXGame& game, VXSettings& settings, VXScreenImages& images )
    : m_game( game )
    , m_settings( settings )
    , m_pOn( images.load( "options_icon_on.tga" ) )
    , m_pOnLit( images.load( "options_icon_on_lit.tga" ) )
    , m_pOff( images.load( "options_icon_off.tga" ) )
    , m_pOffLit( images.load( "options_icon_off_lit.tga" ) )
    , m_pSpace( images.load( "options_icon_space.tga" ) )
    , m_pSpaceLit( images.load( "options_icon_space_lit.tga" ) )
    , m_pCandies( images.load( "options_icon_candies.tga" ) )
    , m_pCandiesLit( images.load( "options_icon_candies_lit.tga" ) )
    , m_apLevel()
    , m_apLevelLit()
{
    VXSprite* pBackground = images.load( "options_dialog.jpg" );
    int32_t width = pBackground != nullptr ? pBackground->getWidth() : 0;
    int32_t height = pBackground != nullptr ? pBackground->getHeight() : 0;
    setBackground( pBackground );
    setOrigin( { ( 640 - width ) / 2, ( 480 - height ) / 2 } );

    for( int i = 0; i < kStartLevels; ++i )
    {
        char name[ 64 ];
        textFormat( name, sizeof( name ), "options_icon_%d.tga", kaStartLevels[ i ] );
        m_apLevel[ i ] = images.load( name );
        textFormat( name, sizeof( name ), "options_icon_%d_lit.tga", kaStartLevels[ i ] );
        m_apLevelLit[ i ] = images.load( name );
    }

    place( m_ok, "Ok Button", 188, 384 );
    m_ok.setImages( images.load( "options_icon_ok.tga" ), images.load( "options_icon_ok_lit.tga" ), nullptr );
    place( m_fullscreen, "Fullscreen On/Off", 178, 222 );
    m_showToggle( m_fullscreen, m_settings.fullscreen != 0 );
    // The music toggle carries the sound toggle's name.
    place( m_music, "Sound Button", 114, 183 );
    m_showToggle( m_music, m_settings.musicEnabled != 0 );
    place( m_keyboard, "Keyboard Moves...", 302, 96 );
    m_showKeyboard();
    place( m_alarm, "Alarm Button", 115, 326 );
    m_showToggle( m_alarm, m_settings.alarmEnabled != 0 );
    place( m_sound, "Sound Button", 110, 138 );
    m_showToggle( m_sound, m_settings.soundEnabled != 0 );
    for( int i = 0; i < kStartLevels; ++i )
    {
        char name[ 32 ];
        textFormat( name, sizeof( name ), "Start Level %d", kaStartLevels[ i ] );
        place( m_startLevels[ i ], name, kaStartLevelPlaces[ i ].x, kaStartLevelPlaces[ i ].y );
    }
    m_showStartLevels();
    place( m_label, "Start Level", 15, 265 );
    VXSprite* pLabel = images.load( "options_icon_startlevel.tga" );
    m_label.setImages( pLabel, pLabel, nullptr );

    addItem( &m_ok );
    addItem( &m_fullscreen );
    addItem( &m_music );
    addItem( &m_keyboard );
    addItem( &m_alarm );
    addItem( &m_sound );
    for( VXDialogItemButton& button : m_startLevels )
        addItem( &button );
    addItem( &m_label );
    // Every choice takes effect as it is made; OK only closes.
    setCancelItem( &m_ok );
}

void VXOptionsDialog::m_showToggle( VXDialogItemButton& button, bool on )
{
    if( on )
        button.setImages( m_pOn, m_pOnLit, nullptr );
    else
        button.setImages( m_pOff, m_pOffLit, nullptr );
}

void VXOptionsDialog::m_showKeyboard()
{
    if( m_settings.keyboardMovesSpace != 0 )
        m_keyboard.setImages( m_pSpace, m_pSpaceLit, nullptr );
    else
        m_keyboard.setImages( m_pCandies, m_pCandiesLit, nullptr );
}

void VXOptionsDialog::m_showStartLevels()
{
    // The current start level shows lit whether or not the pointer is on it.
    for( int i = 0; i < kStartLevels; ++i )
    {
        VXSprite* pUnlit = m_settings.startLevel == kaStartLevels[ i ] ? m_apLevelLit[ i ] : m_apLevel[ i ];
        m_startLevels[ i ].setImages( pUnlit, m_apLevelLit[ i ], nullptr );
    }
}

bool VXOptionsDialog::onItemActivated( VXDialogItem* pItem )
{
    m_game.playGuiClick();
    if( pItem == &m_ok )
        return true;
    if( pItem == &m_fullscreen )
    {
        m_settings.fullscreen = m_settings.fullscreen != 0 ? 0 : 1;
        m_showToggle( m_fullscreen, m_settings.fullscreen != 0 );
    }
    else if( pItem == &m_music )
    {
        m_game.toggleMusic();
        m_showToggle( m_music, m_settings.musicEnabled != 0 );
    }
    else if( pItem == &m_keyboard )
    {
        m_settings.keyboardMovesSpace = m_settings.keyboardMovesSpace != 0 ? 0 : 1;
        m_showKeyboard();
    }
    else if( pItem == &m_alarm )
    {
        m_settings.alarmEnabled = m_settings.alarmEnabled != 0 ? 0 : 1;
        m_showToggle( m_alarm, m_settings.alarmEnabled != 0 );
    }
    else if( pItem == &m_sound )
    {
        m_game.toggleSound();
        m_showToggle( m_sound, m_settings.soundEnabled != 0 );
    }
    else
    {
        for( int i = 0; i < kStartLevels; ++i )
        {
            if( pItem == &m_startLevels[ i ] )
                m_settings.startLevel = kaStartLevels[ i ];
        }
    }
    m_showStartLevels();
    return false;
}

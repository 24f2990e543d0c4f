// VXGame: loading and unloading the game's pictures and sounds, its two controls, and the
// switches for music, sound and the partner's site.
#include "Framework/FileSystem/src/HFileSystem.h"
#include "Framework/graphics/HBitmapFont.h"
#include "Framework/graphics/HDisplayDevice.h"
#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HRegistry.h"
#include "Framework/util/src/HText.h"
#include "Game/VXGame.h"
#include "Game/VXLoadingScreen.h"
#include "Game/VXPauseControl.h"
#include "Game/VXSoundService.h"
#include "Game/VXStartControl.h"

namespace
{
const float kBitmapStep = 0.95f / 130.0f;
const float kSoundsProgress = 0.95f;
const char kpDefaultPartnerAddress[] = "https://www.vantorix.example/partners";

int infoPictureSlot( int32_t state )
{
    switch( state )
    {
    case GS_INFO_START:
        return SPR_INFO_START;
    case GS_INFO_HINT:
        return SPR_INFO_HINT;
    case GS_INFO_BLACK_JELLYBEAN:
        return SPR_INFO_BLACK_JELLYBEAN;
    case GS_INFO_WILDCARD:
        return SPR_INFO_WILDCARD;
    case GS_INFO_RED:
        return SPR_INFO_RED;
    case GS_INFO_GREEN:
        return SPR_INFO_GREEN;
    case GS_INFO_BLUE:
        return SPR_INFO_BLUE;
    default:
        return -1;
    }
}
} // namespace

bool VXGame::m_loadAssets()
{
    m_sprites.setSources( m_pDisplayDevice, m_pResourceFileSystem );
    m_sprites.load( SPR_PROGRESS );
    m_sprites.load( SPR_LOADING );
    VXLoadingScreen loading( m_pDisplayDevice, &m_sprites );
    loading.progress( 0.0f );

    if( m_pDisplayDevice != nullptr && m_sprites.load( SPR_FONT ) )
        m_pDisplayFont = m_pDisplayDevice->createFont( m_sprites.get( SPR_FONT ), 8, 12 );

    bool loaded = m_loadBitmaps( &loading );
    if( loaded )
        m_loadSounds( &loading );
    m_sprites.unload( SPR_LOADING );
    m_sprites.unload( SPR_PROGRESS );
    if( !loaded )
    {
        messageBox( 49, "Error", "Glimmerdrop could not load its bitmaps" );
        return false;
    }

    VXSprite* pArena = m_sprites.get( SPR_ARENA );
    m_arenaRect = { 23, 17, 23 + pArena->getWidth(), 17 + pArena->getHeight() };
    return true;
}

bool VXGame::m_loadBitmaps( VXLoadingScreen* pLoading )
{
    m_hasPartnerLogo = m_pResourceFileSystem != nullptr &&
                       m_pResourceFileSystem->fileExists( VXSpriteTable::fileName( SPR_PARTNER_LOGO ) );
    float progress = 0.0f;
    for( int slot = 0; slot < SPR_LOAD_END; ++slot )
    {
        // The partner's pictures are the only ones the archive may leave out.
        if( ( slot == SPR_PARTNER_LOGO || slot == SPR_PARTNER_LOGO_LIT ) && !m_hasPartnerLogo )
            continue;
        if( !m_sprites.load( slot ) )
        {
            debugTrace( "Missing file '%s'", VXSpriteTable::fileName( slot ) );
            return false;
        }
        progress += kBitmapStep;
        if( pLoading != nullptr )
            pLoading->progress( progress );
    }
    return true;
}

void VXGame::m_loadSounds( VXLoadingScreen* pLoading )
{
    logMessage( "...loading sounds\n" );
    if( pLoading != nullptr )
        pLoading->progress( kSoundsProgress );
    m_preloadSounds();
    if( pLoading != nullptr )
        pLoading->progress( 1.0f );
}

void VXGame::m_createScreens()
{
    m_pStartControl = new VXStartControl( *this );
    m_pStartControl->setPosition( { VXStartControl::kX, VXStartControl::kY } );
    m_pStartControl->setImages( nullptr, m_sprites.get( SPR_ICON_CLICK_TO_START_LIT ), nullptr );
    addControl( m_pStartControl );

    m_pPauseControl = new VXPauseControl( *this, m_sprites );
    m_pPauseControl->setPosition( { VXPauseControl::kX, VXPauseControl::kY } );
    m_pPauseControl->showPauseState();
    addControl( m_pPauseControl );

    m_createPanel();
}

void VXGame::clickToStart()
{
    int slot = infoPictureSlot( m_state );
    if( slot < 0 )
        return;
    m_sprites.unload( slot );
    playGuiClick();
    leaveInfoScreen();
    invalidateAll();
}

void VXGame::m_loadTutorial()
{
    for( int slot = SPR_TUTORIAL_FIRST; slot <= SPR_TUTORIAL_HAND; ++slot )
        m_sprites.load( slot );
}

void VXGame::m_unloadTutorial()
{
    for( int slot = SPR_TUTORIAL_FIRST; slot <= SPR_TUTORIAL_HAND; ++slot )
        m_sprites.unload( slot );
}

void VXGame::toggleMusic()
{
    logMessage( "...entered toggleMusic()\n" );
    m_settings.musicEnabled = m_settings.musicEnabled != 0 ? 0 : 1;
    setMusicPlaying( m_settings.musicEnabled != 0 );
}

void VXGame::toggleSound()
{
    m_settings.soundEnabled = m_settings.soundEnabled != 0 ? 0 : 1;
    if( m_pSoundService != nullptr )
        m_pSoundService->setMute( m_settings.soundEnabled == 0 );
    if( m_settings.soundEnabled == 0 )
        stopAlarm();
}

void VXGame::openPartnerSite()
{
    char address[ 128 ] = "";
    HRegistry& registry = HRegistry::get();
    bool found = false;
    if( registry.open( m_pCvars, "Vantorix", "Glimmerdrop" ) )
    {
        found = registry.readString( "partnerURL", address, sizeof( address ) ) && address[ 0 ] != '\0';
        registry.close();
    }
    openURL( found ? address : kpDefaultPartnerAddress );
}

void VXGame::m_restartAudio()
{
    m_destroyAudioDevice();
    m_createAudioDevice( m_pResourceFileSystem, 2, 16, 22050 );
    m_loadSounds( nullptr );
    // The alarm's voice went with the old mixer: the next alarm starts a new one.
    m_alarmPlaying = false;
    setMusicPlaying( true );
}

void VXGame::unloadGraphics()
{
    m_destroyAudioDevice();
    debugTrace( "...unloading graphics\n" );
    if( m_pDisplayFont != nullptr )
    {
        if( m_pDisplayDevice != nullptr )
            m_pDisplayDevice->destroyFont( m_pDisplayFont );
        else
            delete m_pDisplayFont;
        m_pDisplayFont = nullptr;
    }
    m_sprites.unloadAll();
    HApplication::unloadGraphics();
}

uint32_t VXGame::boardDigest() const
{
    // FNV-1a over the types, row by row, then the previews and the blank's place.
    uint32_t digest = 2166136261u;
    auto mix = [&digest]( int32_t value ) {
        digest ^= static_cast<uint32_t>( value ) & 0xFFu;
        digest *= 16777619u;
    };
    for( int y = 0; y < VXBoard::kSize; ++y )
    {
        for( int x = 0; x < VXBoard::kSize; ++x )
            mix( m_board.getCell( x, y ).type );
    }
    for( int i = 0; i < VXBoard::kSize; ++i )
        mix( m_board.getLeftPreview( i ).type );
    for( int i = 0; i < VXBoard::kSize; ++i )
        mix( m_board.getTopPreview( i ).type );
    mix( m_board.getBlankPosition().x );
    mix( m_board.getBlankPosition().y );
    return digest;
}

const char* VXGame::describeGame( char* pBuffer, size_t size ) const
{
    textFormat( pBuffer, size, "score=%d level=%d lines=%d board=%08x", m_score, m_level + 1, m_linesToGo,
                boardDigest() );
    return pBuffer;
}

#include "Framework/application/HApplication.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "Framework/FileSystem/src/HFile.h"
#include "Framework/FileSystem/src/HStandardFileSystem.h"
#include "Framework/FileSystem/src/HZIPFileSystem.h"
#include "Framework/ScriptEngine/src/HCvarManager.h"
#include "Framework/application/HControl.h"
#include "Framework/application/HInputDevice.h"
#include "Framework/graphics/HDisplayDevice.h"
#include "Framework/graphics/HDisplayDeviceFactory.h"
#include "Framework/graphics/VXSprite.h"
#include "Framework/object/HObjectList.h"
#include "Framework/util/src/HGlobal.h"
#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HProcessServices.h"
#include "Framework/util/src/HText.h"

namespace
{
const char kpSource[] = "Framework\\application\\HApplication";
}

HApplication* HApplication::sm_pInstance = nullptr;

HApplication::HApplication()
    : m_pDisplayDevice( nullptr )
    , m_pAudioDevice( nullptr )
    , m_pInputDevice( nullptr )
    , m_pResourceFileSystem( nullptr )
    , m_repaint()
    , m_pCvars( nullptr )
    , m_eventQueue()
    , m_pacer()
    , m_lastYield( kNever )
    , m_minimized( false )
    , m_active( false )
    , m_pauseCount( 0 )
    , m_totalPausedTime( 0 )
    , m_pauseBeginTime( 0 )
    , m_pauseEndTime( 0 )
    , m_random()
    , m_pControls( nullptr )
    , m_pJournalFileSystem( nullptr )
    , m_pTraceFile( nullptr )
    , m_pPlaybackFileSystem( nullptr )
    , m_pRecordFile( nullptr )
    , m_pPlaybackFile( nullptr )
    , m_currentTime( 0 )
    , m_timeStarted( false )
    , m_softwareCursor( true )
    , m_cursorPosition{ 0, 0 }
    , m_mixer()
    , m_soundBank()
    , m_pAudioStream( nullptr )
    , m_pThemeMusic( nullptr )
    , m_pThemeMusicLock( nullptr )
    , m_pThemeMusicBuffer( nullptr )
    , m_musicHandle( 0 )
    , m_musicPlaying( false )
{
    sm_pInstance = this;
}

HApplication::~HApplication()
{
    // Whatever the owner did not take down yet goes now, in the usual order.
    unloadGraphics();
    shutdown();
    if( sm_pInstance == this )
        sm_pInstance = nullptr;
}

HApplication* HApplication::getInstance()
{
    return sm_pInstance;
}

int HApplication::runProcess( const char* kpCmdLine, const char* kpExecutablePath )
{
    HApplication* pApplication = getInstance();
    if( !HVERIFY( pApplication != 0, kpSource ) )
        return 0;
    const char* kpLine = kpCmdLine != nullptr ? kpCmdLine : "";

    bool trace = textContains( kpLine, "-trace" );
    bool journal = textContains( kpLine, "-journal" );
    char demoName[ 256 ] = "";
    const char* kpDemo = std::strstr( kpLine, "-demo" );
    if( kpDemo != nullptr )
    {
        // The name starts after the word and one separator; a line ending right after the word has none.
        const char* kpName = kpDemo + 5;
        if( *kpName != '\0' )
            textCopy( demoName, sizeof( demoName ), kpName + 1 );
    }

    HGlobal::setInstance( nullptr );
    HGlobal::setIconResource( 285 );
    HGlobal::setCommandLine( kpLine );

    char exeDir[ 1024 ];
    textCopy( exeDir, sizeof( exeDir ), kpExecutablePath );
    char* pCut = std::strrchr( exeDir, processServices().pathSeparator() );
    if( pCut != nullptr )
        pCut[ 1 ] = '\0';
    else
        exeDir[ 0 ] = '\0';

    bool started = pApplication->init( trace, journal, exeDir, demoName, true, true );
    if( started )
        pApplication->run();
    pApplication->unloadGraphics();
    pApplication->shutdown();
    // Whoever started the program (a script, a launcher) learns that it never ran.
    return started ? 0 : 1;
}

void HApplication::installedDataPath( const char* kpExeDir, const char* kpPackage, const char* kpName, char* pPath,
                                      size_t size )
{
    const char separator = processServices().pathSeparator();
    const char* kpDir = kpExeDir != nullptr ? kpExeDir : "";
    size_t end = std::strlen( kpDir );
    while( end > 0 && kpDir[ end - 1 ] == separator )
        --end;
    size_t parent = end;
    while( parent > 0 && kpDir[ parent - 1 ] != separator )
        --parent;
    char prefix[ 1024 ];
    if( parent > 0 )
        textCopy( prefix, std::min( sizeof( prefix ), parent + 1 ), kpDir );
    else if( kpDir[ 0 ] == separator )
        textFormat( prefix, sizeof( prefix ), "%c", separator );
    else if( end == 0 )
        textFormat( prefix, sizeof( prefix ), "..%c", separator );
    else
        prefix[ 0 ] = '\0';
    textFormat( pPath, size, "%sshare%c%s%c%s", prefix, separator, kpPackage != nullptr ? kpPackage : "", separator,
                kpName != nullptr ? kpName : "" );
}

bool HApplication::init( bool trace, bool journal, const char* kpExeDir, const char* kpDemoName, bool softwareCursor,
                         bool soundEnabled )
{
    (void)kpExeDir;
    m_softwareCursor = softwareCursor;
    if( m_pControls == nullptr )
        m_pControls = new HObjectList( "VXControl" );

    bool playback = kpDemoName != nullptr && kpDemoName[ 0 ] != '\0';
    if( trace || ( journal && !playback ) )
    {
        if( m_pJournalFileSystem == nullptr )
        {
            m_pJournalFileSystem = new HStandardFileSystem();
            m_pJournalFileSystem->init( "." );
        }
    }
    if( trace && m_pTraceFile == nullptr )
    {
        m_pTraceFile = m_pJournalFileSystem->openFileForWrite( "trace.txt" );
        setTraceFile( m_pTraceFile );
    }
    if( journal && playback )
    {
        // Writing "journal.bin" would destroy the journal being played.
        logMessage( "...-journal ignored: journal.bin is being played back\n" );
    }
    else if( journal && m_pRecordFile == nullptr )
    {
        m_pRecordFile = m_pJournalFileSystem->openFileForWrite( "journal.bin" );
        if( m_pRecordFile != nullptr )
            m_eventQueue.setRecordFile( m_pRecordFile );
        else
            logMessage( "...could not open journal.bin for recording\n" );
    }
    if( playback && m_pPlaybackFileSystem == nullptr )
    {
        m_pPlaybackFileSystem = new HStandardFileSystem();
        m_pPlaybackFileSystem->init( "." );
        m_pPlaybackFile = m_pPlaybackFileSystem->openFileForRead( "journal.bin" );
        if( m_pPlaybackFile != nullptr )
            m_eventQueue.setPlaybackFile( m_pPlaybackFile );
        else
            logMessage( "...could not open journal.bin for playback\n" );
    }

    logMessage( "...Initializing cvm\n" );
    if( m_pCvars == nullptr )
    {
        m_pCvars = new HCvarManager();
        if( !m_pCvars->init() )
            return false;
    }
    m_pCvars->declareVariable( "c_soundDriver", soundEnabled ? "default" : "null", 0 );
    m_pCvars->declareVariable( "c_dxversion", "0", 0 );
    return true;
}

bool HApplication::m_createDevices( const char* kpTitle, bool soundOn, bool fullscreen, bool noDoubleClick,
                                    int32_t width, int32_t height, int32_t channels, int32_t bitsPerSample,
                                    int32_t sampleRate )
{
    // The audio driver is chosen by "c_soundDriver"; the flag is kept for the callers' sake.
    (void)soundOn;
    HGlobal::setEventQueue( &m_eventQueue );
    logMessage( "...Creating display device\n" );
    if( !m_createDisplayDevice( kpTitle, fullscreen, noDoubleClick, width, height ) )
        return false;
    logMessage( "...Creating input device\n" );
    if( !m_createInputDevice() )
        return false;
    logMessage( "...Creating audio device\n" );
    if( !m_createAudioDevice( m_pResourceFileSystem, channels, bitsPerSample, sampleRate ) )
        logMessage( "...***failed to create audio device***\n" );
    return true;
}

bool HApplication::m_createDisplayDevice( const char* kpTitle, bool fullscreen, bool noDoubleClick, int32_t width,
                                          int32_t height )
{
    HDisplayDevice* pDevice = createDisplayDevice( width, height, kpTitle, fullscreen, noDoubleClick, m_pCvars );
    if( pDevice == nullptr )
    {
        debugTrace( "m_createDisplayDevice failed, probably because another instance is running" );
        return false;
    }
    m_pDisplayDevice = pDevice;
    HGlobal::setDisplayDevice( pDevice );
    return true;
}

bool HApplication::m_createInputDevice()
{
    HInputDevice* pDevice = HInputDevice::obtain( m_pCvars );
    if( pDevice == nullptr )
    {
        debugTrace( "m_createInputDevice - no input device" );
        return false;
    }
    m_pInputDevice = pDevice;
    m_eventQueue.setPollSource( pDevice );
    return true;
}

void HApplication::m_destroyDisplayDevice()
{
    if( m_pDisplayDevice == nullptr )
        return;
    m_pDisplayDevice->shutdownScreen();
    delete m_pDisplayDevice;
    m_pDisplayDevice = nullptr;
    HGlobal::setDisplayDevice( nullptr );
}

void HApplication::m_destroyInputDevice()
{
    // The device lives for the whole process; the application only forgets it.
    if( m_eventQueue.getPollSource() == m_pInputDevice )
        m_eventQueue.setPollSource( nullptr );
    m_pInputDevice = nullptr;
}

bool HApplication::m_switchDisplayMode()
{
    return m_pDisplayDevice != nullptr && m_pDisplayDevice->switchDisplayMode();
}

void HApplication::m_showSystemCursor( bool show )
{
    if( usesSoftwareCursor() && m_pDisplayDevice != nullptr )
        m_pDisplayDevice->showCursor( show );
}

void HApplication::openURL( const char* kpAddress )
{
    if( kpAddress != nullptr )
        processServices().shellOpen( kpAddress );
}

bool HApplication::m_loadResourceFile( const char* kpPath, const char* kpOtherPath )
{
    if( kpPath == nullptr )
        return false;
    if( m_openResourceFile( kpPath ) )
        return true;
    if( kpOtherPath == nullptr || kpOtherPath[ 0 ] == '\0' )
    {
        messageBox( 49, "Missing Resource File", "Could not load the resource file '%s'", kpPath );
        return false;
    }
    if( m_openResourceFile( kpOtherPath ) )
        return true;
    messageBox( 49, "Missing Resource File", "Could not load the resource file '%s' or '%s'", kpPath, kpOtherPath );
    return false;
}

bool HApplication::m_openResourceFile( const char* kpPath )
{
    m_unloadResourceFile();
    if( textContains( kpPath, ".vxz" ) )
        m_pResourceFileSystem = new HZIPFileSystem();
    else
        m_pResourceFileSystem = new HStandardFileSystem();
    return m_pResourceFileSystem->init( kpPath );
}

void HApplication::m_unloadResourceFile()
{
    if( m_pResourceFileSystem == nullptr )
        return;
    m_pResourceFileSystem->shutdown();
    delete m_pResourceFileSystem;
    m_pResourceFileSystem = nullptr;
}

void HApplication::unloadGraphics()
{
    m_destroyAudioDevice();
    m_destroyInputDevice();

    if( m_pRecordFile != nullptr )
    {
        m_eventQueue.clearRecordFile();
        m_pRecordFile->close();
        m_pRecordFile = nullptr;
    }
    if( m_pPlaybackFile != nullptr )
    {
        m_eventQueue.clearPlaybackFile();
        m_pPlaybackFile->close();
        m_pPlaybackFile = nullptr;
    }
    if( m_pPlaybackFileSystem != nullptr )
    {
        m_pPlaybackFileSystem->shutdown();
        delete m_pPlaybackFileSystem;
        m_pPlaybackFileSystem = nullptr;
    }

    debugTrace( "...destroying graphics device\n" );
    m_destroyDisplayDevice();
}

void HApplication::shutdown()
{
    if( m_pControls != nullptr )
    {
        HObjectListNode* pNode = m_pControls->getFirst();
        while( pNode != nullptr )
        {
            HObject* pControl = HObjectList::getObject( pNode );
            pNode = m_pControls->remove( pControl );
            delete pControl;
        }
        delete m_pControls;
        m_pControls = nullptr;
    }

    m_unloadResourceFile();

    if( m_pTraceFile != nullptr )
    {
        if( getTraceFile() == m_pTraceFile )
            setTraceFile( nullptr );
        m_pTraceFile->close();
        m_pTraceFile = nullptr;
    }
    if( m_pJournalFileSystem != nullptr )
    {
        m_pJournalFileSystem->shutdown();
        delete m_pJournalFileSystem;
        m_pJournalFileSystem = nullptr;
    }

    debugTrace( "...shutting down cvm\n" );
    if( m_pCvars != nullptr )
    {
        m_pCvars->shutdown();
        delete m_pCvars;
        m_pCvars = nullptr;
    }
}

void HApplication::addControl( HControl* pControl )
{
    if( !HVERIFY( pControl != 0 && m_pControls != 0, kpSource ) )
        return;
    pControl->setOwner( this );
    HVERIFY( m_pControls->add( pControl ) == 0, kpSource );
}

HObjectListNode* HApplication::m_lastControlNode() const
{
    HObjectListNode* pNode = m_pControls != nullptr ? m_pControls->getFirst() : nullptr;
    while( pNode != nullptr && HObjectList::getNext( pNode ) != nullptr )
        pNode = HObjectList::getNext( pNode );
    return pNode;
}

HControl* HApplication::nextControl( HControl* pPrevious ) const
{
    // The list keeps the newest first; the order added runs from its tail back to its head.
    HObjectListNode* pNode = m_lastControlNode();
    if( pPrevious != nullptr )
    {
        while( pNode != nullptr && HObjectList::getObject( pNode ) != pPrevious )
            pNode = pNode->m_prev;
        pNode = pNode != nullptr ? pNode->m_prev : nullptr;
    }
    return static_cast<HControl*>( HObjectList::getObject( pNode ) );
}

void HApplication::m_runBenchmark()
{
    if( m_pDisplayDevice == nullptr )
        return;
    const int kIterations = 100;
    uint64_t start = processServices().getTime();
    for( int i = 0; i < kIterations; ++i )
    {
        m_pDisplayDevice->addDirtyRect( HRect{ 0, 0, 640, 480 } );
        present();
    }
    uint64_t elapsed = processServices().getTime() - start;
    int ms = static_cast<int>( elapsed );
    // A clock too coarse to see the work still gives a finite rate.
    double seconds = ( ms > 0 ? ms : 1 ) * 0.001;
    alert( "Benchmark = %d iterations in %d ms = %.2f FPS or %.2f ms/blit", kIterations, ms, kIterations / seconds,
           ms * 0.01 );
}

bool HApplication::run()
{
    invalidateAll();
    for( ;; )
    {
        if( runFrame() )
            return true;
        // A journal that ran out ends the run even if the game ignored its closing quit.
        if( m_eventQueue.isPlaybackExhausted() )
        {
            logMessage( "...journal played to its end\n" );
            return true;
        }
        waitForNextPass( untilNextChange() );
    }
}

void HApplication::waitForNextPass( uint32_t untilChange )
{
    HProcessServices& services = processServices();
    if( isPlayingJournal() )
    {
        m_yieldNowAndThen( services, false );
        return;
    }
    if( m_pDisplayDevice != nullptr )
        m_pacer.setRefreshRate( m_pDisplayDevice->getRefreshRate() );
    uint32_t hold = m_pacer.untilNextFrame( services.getTime() );
    if( hold > 0 )
        services.sleep( hold );
    // A minimised window shows nothing: only input (the window coming back) matters.
    if( !canDraw() )
        untilChange = HFramePacer::kNoDeadline;
    if( untilChange != HFramePacer::kNoDeadline )
    {
        // Counted from the event being handled; a clock that went back has spent nothing.
        uint64_t now = services.getTime();
        uint64_t spent = now > m_currentTime ? now - m_currentTime : 0;
        untilChange = spent >= untilChange ? 0 : untilChange - static_cast<uint32_t>( spent );
    }
    if( untilChange > 0 )
    {
        uint32_t wait = HFramePacer::idleWait( untilChange );
        if( m_pInputDevice != nullptr )
            m_pInputDevice->waitForInput( wait );
        else
            services.sleep( wait );
    }
    m_yieldNowAndThen( services, hold > 0 || untilChange > 0 );
    m_pacer.frameBegun( services.getTime() );
}

void HApplication::m_yieldNowAndThen( HProcessServices& services, bool yielded )
{
    // A browser page only draws and delivers input while the program sleeps: a loop that never
    // has to wait (slow frames, a journal played as fast as it goes) still gives way now and then.
    const uint64_t kLongestRun = 50;
    uint64_t now = services.getTime();
    if( m_lastYield == kNever )
        m_lastYield = now;
    if( !yielded && ( now < m_lastYield || now - m_lastYield >= kLongestRun ) )
    {
        services.sleep( 0 );
        now = services.getTime();
    }
    if( yielded || now < m_lastYield || now - m_lastYield >= kLongestRun )
        m_lastYield = now;
}

bool HApplication::runFrame()
{
    HEvent event;
    while( m_eventQueue.getEvent( event ) )
    {
        m_currentTime = event.time;
        if( !m_timeStarted && event.time != 0 )
        {
            m_random.seed( static_cast<uint32_t>( event.time ) );
            m_timeStarted = true;
        }
        m_dispatchEvent( event );
        if( handleEvent( event ) == 1 )
            return true;
    }
    redraw( false );
    drawCursorRects();
    present();
    return false;
}

void HApplication::m_dispatchEvent( const HEvent& event )
{
    if( event.type != ET_MOUSEMOVE && event.type != ET_TIMESTAMP )
    {
        char text[ 256 ];
        debugTrace( "%s", describeEvent( event, text, sizeof( text ) ) );
    }
    switch( event.type )
    {
    case ET_PAINT:
        invalidateAll();
        break;
    case ET_ACTIVATE:
        if( event.flag != 0 )
        {
            if( m_pDisplayDevice != nullptr )
                m_pDisplayDevice->activate();
            if( m_pInputDevice != nullptr )
                m_pInputDevice->resume();
            setActive( true );
        }
        else
        {
            if( m_pDisplayDevice != nullptr )
                m_pDisplayDevice->deactivate();
            if( m_pInputDevice != nullptr )
                m_pInputDevice->suspend();
            setActive( false );
            invalidateAll();
        }
        break;
    case ET_WINDOW_MINIMIZED:
        if( ( event.flag != 0 ) != m_minimized )
            m_minimized = event.flag != 0;
        break;
    case ET_MOUSEMOVE:
        if( usesSoftwareCursor() )
            invalidateCursorMove( HPoint{ event.x, event.y } );
        break;
    default:
        if( event.type < ET_NONE || event.type > ET_TIMESTAMP )
        {
            debugTrace( "Unknown event type" );
            return;
        }
        break;
    }
    m_offerToControls( event );
}

bool HApplication::m_offerToControls( const HEvent& event )
{
    for( HControl* pControl = nextControl( nullptr ); pControl != nullptr; pControl = nextControl( pControl ) )
    {
        if( pControl->isEnabled() && pControl->handleEvent( event ) )
            return true;
    }
    return false;
}

void HApplication::invalidateCursorMove( const HPoint& position )
{
    VXSprite* pCursor = getCursorImage();
    int32_t width = pCursor != nullptr && pCursor->isLoaded() ? pCursor->getWidth() : 0;
    int32_t height = pCursor != nullptr && pCursor->isLoaded() ? pCursor->getHeight() : 0;
    // In 64 bits: a point far outside the screen plus the cursor's size must not wrap round.
    int64_t right = static_cast<int64_t>( std::max( m_cursorPosition.x, position.x ) ) + width;
    int64_t bottom = static_cast<int64_t>( std::max( m_cursorPosition.y, position.y ) ) + height;
    HRect area = { std::min( m_cursorPosition.x, position.x ), std::min( m_cursorPosition.y, position.y ),
                   static_cast<int32_t>( std::min<int64_t>( right, INT32_MAX ) ),
                   static_cast<int32_t>( std::min<int64_t>( bottom, INT32_MAX ) ) };
    invalidateRect( area );
    m_cursorPosition = position;
}

void HApplication::invalidateRect( const HRect& rect )
{
    if( m_pDisplayDevice == nullptr )
        return;
    int32_t width = m_pDisplayDevice->getScreenWidth();
    int32_t height = m_pDisplayDevice->getScreenHeight();
    HRect clipped = { std::min( std::max( rect.left, 0 ), width ), std::min( std::max( rect.top, 0 ), height ),
                      std::min( std::max( rect.right, 0 ), width ), std::min( std::max( rect.bottom, 0 ), height ) };
    m_repaint.add( clipped );
}

void HApplication::invalidateAll()
{
    if( m_pDisplayDevice == nullptr )
        return;
    m_repaint.add( HRect{ 0, 0, m_pDisplayDevice->getScreenWidth(), m_pDisplayDevice->getScreenHeight() } );
}

bool HApplication::canDraw() const
{
    return !m_minimized && m_pDisplayDevice != nullptr;
}

void HApplication::redraw( bool drawCursorToo )
{
    if( !canDraw() )
        return;
    for( int i = 0; i < m_repaint.count(); ++i )
        drawRect( m_repaint.item( i ) );
    for( int i = 0; i < m_repaint.count(); ++i )
    {
        if( drawCursorToo )
            drawCursor( m_repaint.item( i ) );
        else
        {
            for( HControl* pControl = nextControl( nullptr ); pControl != nullptr; pControl = nextControl( pControl ) )
                pControl->draw( m_pDisplayDevice, m_repaint.item( i ) );
        }
    }
    afterRedraw();
}

void HApplication::drawCursorRects()
{
    for( int i = 0; i < m_repaint.count(); ++i )
        drawCursor( m_repaint.item( i ) );
}

void HApplication::drawCursor( const HRect& rect )
{
    if( m_pDisplayDevice == nullptr )
        return;
    HPoint position = m_eventQueue.getLastMousePosition();
    if( position.x < 0 || position.y < 0 || position.x > m_pDisplayDevice->getScreenWidth() ||
        position.y > m_pDisplayDevice->getScreenHeight() )
    {
        m_showSystemCursor( true );
        return;
    }
    m_showSystemCursor( false );
    if( !usesSoftwareCursor() )
        return;
    VXSprite* pCursor = getCursorImage();
    if( pCursor == nullptr || !pCursor->isLoaded() )
        return;
    HRect image = { position.x, position.y, position.x + pCursor->getWidth(), position.y + pCursor->getHeight() };
    if( !HDirtyRectList::overlaps( image, rect ) )
        return;
    // Only the part inside the repainted rectangle: elsewhere the cursor is already on screen,
    // and blending it a second time would darken its soft edge.
    HRect dest = { std::max( image.left, rect.left ), std::max( image.top, rect.top ),
                   std::min( image.right, rect.right ), std::min( image.bottom, rect.bottom ) };
    if( dest.width() <= 0 || dest.height() <= 0 )
        return;
    HRect src = { dest.left - position.x, dest.top - position.y, dest.right - position.x, dest.bottom - position.y };
    pCursor->blendDraw( dest, src, BA_MASK, BP_ONE, 0, 255, BA_INV_MASK, BP_ONE, 0, 255, BO_ADD );
}

void HApplication::present()
{
    if( m_pDisplayDevice != nullptr )
        m_pDisplayDevice->presentDirty();
    m_repaint.clear();
}

void HApplication::m_beginPause()
{
    if( m_pauseCount == 0 )
        m_pauseBeginTime = m_currentTime;
    ++m_pauseCount;
}

void HApplication::m_endPause()
{
    // An end without a beginning would let the count go below zero and swallow the next pause.
    if( m_pauseCount <= 0 )
    {
        debugTrace( "m_endPause - no pause to end" );
        return;
    }
    --m_pauseCount;
    if( m_pauseCount == 0 )
    {
        m_pauseEndTime = m_currentTime;
        if( m_currentTime > m_pauseBeginTime )
            m_totalPausedTime += m_currentTime - m_pauseBeginTime;
        m_pauseBeginTime = 0;
    }
}

uint64_t HApplication::getPausedTime() const
{
    uint64_t paused = m_totalPausedTime;
    if( m_pauseCount > 0 && m_currentTime > m_pauseBeginTime )
        paused += m_currentTime - m_pauseBeginTime;
    return paused;
}

#include "tests/Framework/application/ApplicationProbe.h"

#include "Framework/util/src/HGlobal.h"

QuietInputDevice* QuietInputDevice::s_pInstalled = nullptr;

ApplicationProbe::ApplicationProbe() = default;

ApplicationProbe::~ApplicationProbe()
{
    // The base destructor can no longer reach these overrides.
    ApplicationProbe::unloadGraphics();
    ApplicationProbe::shutdown();
}

bool ApplicationProbe::init( bool trace, bool journal, const char* kpExeDir, const char* kpDemoName,
                             bool softwareCursor, bool soundEnabled )
{
    calls.push_back( "init" );
    initTrace = trace;
    initJournal = journal;
    initExeDir = kpExeDir != nullptr ? kpExeDir : "(null)";
    initDemoName = kpDemoName != nullptr ? kpDemoName : "(null)";
    if( callBaseInit && !HApplication::init( trace, journal, kpExeDir, kpDemoName, softwareCursor, soundEnabled ) )
        return false;
    return initResult;
}

void ApplicationProbe::unloadGraphics()
{
    calls.push_back( "unloadGraphics" );
    HApplication::unloadGraphics();
}

void ApplicationProbe::shutdown()
{
    calls.push_back( "shutdown" );
    HApplication::shutdown();
}

int ApplicationProbe::handleEvent( const HEvent& event )
{
    handled.push_back( event );
    return event.type == stopOn ? 1 : 0;
}

void ApplicationProbe::drawRect( const HRect& clip )
{
    drawn.push_back( clip );
}

void ApplicationProbe::makeDisplay()
{
    MemoryDisplayDevice* pDisplay = new MemoryDisplayDevice( m_pCvars );
    pDisplay->initScreen( 640, 480, "probe", false, true );
    m_pDisplayDevice = pDisplay;
    HGlobal::setDisplayDevice( pDisplay );
}

bool ApplicationProbe::m_createDisplayDevice( const char* kpTitle, bool fullscreen, bool noDoubleClick, int32_t width,
                                              int32_t height )
{
    if( !displayWorks )
        return HApplication::m_createDisplayDevice( kpTitle, fullscreen, noDoubleClick, width, height );
    MemoryDisplayDevice* pDisplay = new MemoryDisplayDevice( m_pCvars );
    pDisplay->initScreen( width, height, kpTitle, fullscreen, noDoubleClick );
    m_pDisplayDevice = pDisplay;
    HGlobal::setDisplayDevice( pDisplay );
    return true;
}

ProbeControl::ProbeControl( std::vector<std::string>& log, const char* kpName, bool takes )
    : m_log( log )
    , m_name( kpName )
    , m_takes( takes )
{
}

ProbeControl::~ProbeControl()
{
    m_log.push_back( m_name + " deleted" );
}

void ProbeControl::draw( HDisplayDevice* pDisplay, const HRect& clip )
{
    (void)pDisplay;
    m_log.push_back( m_name + " draw " + std::to_string( clip.left ) + "," + std::to_string( clip.top ) );
}

bool ProbeControl::handleEvent( const HEvent& event )
{
    m_log.push_back( m_name + " event " + std::to_string( event.type ) );
    return m_takes;
}

// A program built on the real process entry: its one application object reports what the entry
// handed it, one line per fact, then ends at its first time stamp.
#include <cstdio>

#include "Framework/application/HApplication.h"
#include "Framework/application/HCommandLine.h"
#include "Framework/util/src/HGlobal.h"

namespace
{
class EntryProbeApplication : public HApplication
{
public:
    EntryProbeApplication() { HCommandLine::addSwitch( "-run", nullptr, "run the loop to the first time stamp" ); }

    bool init( bool trace, bool journal, const char* kpExeDir, const char* kpDemoName, bool softwareCursor,
               bool soundEnabled ) override
    {
        std::printf( "init trace=%d journal=%d cursor=%d sound=%d\n", trace, journal, softwareCursor, soundEnabled );
        std::printf( "exeDir=[%s]\n", kpExeDir );
        std::printf( "demo=[%s]\n", kpDemoName );
        std::printf( "cmdLine=[%s]\n", HGlobal::getCommandLine() );
        return HGlobal::hasSwitch( "-run" );
    }
    int handleEvent( const HEvent& event ) override
    {
        std::printf( "event %s\n", eventTypeName( event.type ) );
        return event.type == ET_TIMESTAMP ? 1 : 0;
    }
    void drawRect( const HRect& ) override {}
    void unloadGraphics() override
    {
        std::printf( "unloadGraphics\n" );
        HApplication::unloadGraphics();
    }
    void shutdown() override
    {
        std::printf( "shutdown\n" );
        std::fflush( stdout );
        HApplication::shutdown();
    }
};

EntryProbeApplication s_application;
}

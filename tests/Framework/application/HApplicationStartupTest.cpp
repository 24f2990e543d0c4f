#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Framework/FileSystem/src/HFile.h"
#include "Framework/FileSystem/src/HFileSystem.h"
#include "Framework/ScriptEngine/src/HCvarManager.h"
#include "Framework/util/src/HGlobal.h"
#include "Framework/util/src/HLog.h"
#include "tests/Framework/application/ApplicationProbe.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/TempDir.h"

namespace
{
HInputDevice* provideQuietInput( HCvarManager* )
{
    return QuietInputDevice::s_pInstalled;
}

// Runs the test inside a fresh folder: the journal and trace files live in the current one.
class HApplicationStartupTest : public ::testing::Test
{
protected:
    HApplicationStartupTest()
    {
        char cwd[ 1024 ];
        m_oldDir = getcwd( cwd, sizeof( cwd ) ) != nullptr ? cwd : ".";
        EXPECT_EQ( chdir( dir.path().c_str() ), 0 );
        QuietInputDevice::s_pInstalled = &input;
        HInputDevice::setProvider( provideQuietInput );
        HGlobal::setCommandLine( "" );
    }

    ~HApplicationStartupTest() override
    {
        HInputDevice::setProvider( nullptr );
        QuietInputDevice::s_pInstalled = nullptr;
        HGlobal::setEventQueue( nullptr );
        EXPECT_EQ( chdir( m_oldDir.c_str() ), 0 );
    }

    bool sawOutput( const std::string& text ) const
    {
        return std::find( services.debugOutputs.begin(), services.debugOutputs.end(), text ) !=
               services.debugOutputs.end();
    }

    bool sawTrace( const std::string& text ) const
    {
        const std::vector<std::string>& traces = RecordingProcessServices::debugTraces();
        return std::find( traces.begin(), traces.end(), text ) != traces.end();
    }

    RecordingProcessServices services;
    TempDir dir;
    QuietInputDevice input;

private:
    std::string m_oldDir;
};
}

TEST_F( HApplicationStartupTest, TraceAndJournalShareOneFolderAndCloseInOrder )
{
    {
        ApplicationProbe application;
        application.callBaseInit = true;
        ASSERT_TRUE( application.init( true, true, "/opt/game/", "", true, true ) );
        EXPECT_TRUE( application.isRecordingJournal() );
        EXPECT_FALSE( application.isPlayingJournal() );
        ASSERT_NE( getTraceFile(), nullptr );
        EXPECT_STREQ( application.getCvars()->getVariableString( "c_soundDriver" ), "default" );
        EXPECT_STREQ( application.getCvars()->getVariableString( "c_dxversion" ), "0" );

        HEvent event;
        event.clear();
        event.type = ET_KEYDOWN;
        event.key = KC_SPACE;
        application.getEventQueue().postEvent( event );
        logMessage( "...a line for the trace\n" );

        application.unloadGraphics();
        EXPECT_FALSE( application.isRecordingJournal() );
        // The trace outlives the journal: it closes only at shutdown.
        EXPECT_NE( getTraceFile(), nullptr );
        application.shutdown();
        EXPECT_EQ( getTraceFile(), nullptr );
        EXPECT_EQ( application.getCvars(), nullptr );
        logMessage( "...after shutdown\n" );
    }
    EXPECT_EQ( dir.read( "journal.bin" ).size(), HEvent::kRecordSize );
    std::string trace = dir.read( "trace.txt" );
    EXPECT_EQ( trace, "...Initializing cvm\n...a line for the trace\n" );
    EXPECT_TRUE( sawTrace( "...shutting down cvm\n" ) );
}

TEST_F( HApplicationStartupTest, PlaybackReadsJournalBinWhateverTheNameAndNeverOverwritesIt )
{
    std::string recorded( 3 * HEvent::kRecordSize, '\0' );
    dir.write( "journal.bin", recorded );
    ApplicationProbe application;
    application.callBaseInit = true;
    ASSERT_TRUE( application.init( false, true, "", "anything at all", true, false ) );
    EXPECT_TRUE( application.isPlayingJournal() );
    EXPECT_FALSE( application.isRecordingJournal() );
    EXPECT_TRUE( sawOutput( "...-journal ignored: journal.bin is being played back\n" ) );
    EXPECT_STREQ( application.getCvars()->getVariableString( "c_soundDriver" ), "null" );
    application.unloadGraphics();
    EXPECT_FALSE( application.isPlayingJournal() );
    application.shutdown();
    EXPECT_EQ( dir.read( "journal.bin" ), recorded );
}

TEST_F( HApplicationStartupTest, AMissingJournalLeavesLiveInput )
{
    ApplicationProbe application;
    application.callBaseInit = true;
    ASSERT_TRUE( application.init( false, false, "", "demo", true, true ) );
    EXPECT_FALSE( application.isPlayingJournal() );
    EXPECT_TRUE( sawOutput( "...could not open journal.bin for playback\n" ) );
}

TEST_F( HApplicationStartupTest, DevicesComeUpInOrderAndOnlyAudioMayFail )
{
    ApplicationProbe application;
    application.callBaseInit = true;
    ASSERT_TRUE( application.init( false, false, "", "", true, true ) );
    services.debugOutputs.clear();
    ASSERT_TRUE( application.m_createDevices( "Glimmerdrop(Ver 1.50.07)", true, false, true, 640, 480, 2, 16, 22050 ) );
    const std::vector<std::string> kExpected = { "...Creating display device\n", "...Creating input device\n",
                                                 "...Creating audio device\n",
                                                 "...entering m_createAudioStream\n",
                                                 "...***failed to create audio device***\n" };
    EXPECT_EQ( services.debugOutputs, kExpected );
    EXPECT_EQ( HGlobal::getEventQueue(), &application.getEventQueue() );
    ASSERT_NE( application.display(), nullptr );
    EXPECT_EQ( HGlobal::getDisplayDevice(), application.getDisplayDevice() );
    EXPECT_EQ( application.getDisplayDevice()->getScreenWidth(), 640 );
    EXPECT_EQ( application.getInputDevice(), &input );
    EXPECT_EQ( application.getEventQueue().getPollSource(), &input );
    EXPECT_EQ( application.getAudioDevice(), nullptr );

    // Taking the devices down and up again is how full screen is switched.
    application.unloadGraphics();
    EXPECT_EQ( application.getDisplayDevice(), nullptr );
    EXPECT_EQ( HGlobal::getDisplayDevice(), nullptr );
    EXPECT_EQ( application.getEventQueue().getPollSource(), nullptr );
    EXPECT_TRUE( application.m_createDevices( "again", true, true, true, 640, 480, 2, 16, 22050 ) );
    EXPECT_NE( application.getDisplayDevice(), nullptr );
}

TEST_F( HApplicationStartupTest, ADisplayOrInputFailureStopsTheDevicesStep )
{
    ApplicationProbe application;
    application.callBaseInit = true;
    ASSERT_TRUE( application.init( false, false, "", "", true, true ) );
    // The platform's display cannot open a screen without pixels.
    application.displayWorks = false;
    EXPECT_FALSE( application.m_createDevices( "t", true, false, true, 0, 480, 2, 16, 22050 ) );
    EXPECT_TRUE( sawTrace( "m_createDisplayDevice failed, probably because another instance is running" ) );
    EXPECT_EQ( application.getDisplayDevice(), nullptr );
    EXPECT_FALSE( sawOutput( "...Creating input device\n" ) );

    application.displayWorks = true;
    HInputDevice::setProvider( nullptr );
    EXPECT_FALSE( application.m_createDevices( "t", true, false, true, 640, 480, 2, 16, 22050 ) );
    EXPECT_FALSE( sawOutput( "...Creating audio device\n" ) );
    EXPECT_EQ( application.getInputDevice(), nullptr );
}

TEST_F( HApplicationStartupTest, ThePlatformsDisplayIsMadeAndTakenDownByTheApplication )
{
    ApplicationProbe application;
    application.callBaseInit = true;
    ASSERT_TRUE( application.init( false, false, "", "", true, true ) );
    application.displayWorks = false; // the real device, on SDL's dummy driver
    ASSERT_TRUE( application.m_createDevices( "Glimmerdrop(Ver 1.50.07)", true, false, true, 640, 480, 2, 16, 22050 ) );
    ASSERT_NE( application.getDisplayDevice(), nullptr );
    EXPECT_EQ( HGlobal::getDisplayDevice(), application.getDisplayDevice() );
    EXPECT_EQ( application.getDisplayDevice()->getScreenWidth(), 640 );
    EXPECT_EQ( application.getDisplayDevice()->getScreenHeight(), 480 );
    application.invalidateAll();
    application.runFrame();
    EXPECT_EQ( application.drawn.size(), 1u );
    application.unloadGraphics();
    EXPECT_EQ( application.getDisplayDevice(), nullptr );
    EXPECT_EQ( HGlobal::getDisplayDevice(), nullptr );
}

TEST_F( HApplicationStartupTest, TakingDownWhatWasNeverMadeIsHarmless )
{
    ApplicationProbe application;
    application.unloadGraphics();
    application.shutdown();
    application.unloadGraphics();
    application.shutdown();
    EXPECT_EQ( application.getDisplayDevice(), nullptr );
    EXPECT_EQ( application.getResourceFileSystem(), nullptr );
}

TEST_F( HApplicationStartupTest, TheResourceFileIsAnArchiveOnlyWhenItsNameSaysSo )
{
    ApplicationProbe application;
    EXPECT_FALSE( application.m_loadResourceFile( nullptr ) );
    EXPECT_TRUE( services.boxes.empty() );

    std::string missing = dir.file( "glimmerdrop.vxz" );
    EXPECT_FALSE( application.m_loadResourceFile( missing.c_str() ) );
    ASSERT_EQ( services.boxes.size(), 1u );
    EXPECT_EQ( services.boxes[ 0 ].flags, 49u );
    EXPECT_EQ( services.boxes[ 0 ].caption, "Missing Resource File" );
    EXPECT_EQ( services.boxes[ 0 ].text, "Could not load the resource file '" + missing + "'" );
    // The failed file system stays until shutdown.
    EXPECT_NE( application.getResourceFileSystem(), nullptr );

    dir.write( "loose.txt", "hello" );
    EXPECT_TRUE( application.m_loadResourceFile( dir.path().c_str() ) );
    ASSERT_NE( application.getResourceFileSystem(), nullptr );
    EXPECT_TRUE( application.getResourceFileSystem()->fileExists( "loose.txt" ) );
    application.shutdown();
    EXPECT_EQ( application.getResourceFileSystem(), nullptr );
}

TEST_F( HApplicationStartupTest, ASecondPlaceIsTriedAndAFailureNamesBoth )
{
    ApplicationProbe application;
    std::string beside = dir.file( "bin/glimmerdrop.vxz" );
    std::string installed = dir.file( "share/glimmerdrop/glimmerdrop.vxz" );
    EXPECT_FALSE( application.m_loadResourceFile( beside.c_str(), installed.c_str() ) );
    ASSERT_EQ( services.boxes.size(), 1u );
    EXPECT_EQ( services.boxes[ 0 ].caption, "Missing Resource File" );
    EXPECT_EQ( services.boxes[ 0 ].text,
               "Could not load the resource file '" + beside + "' or '" + installed + "'" );

    services.boxes.clear();
    dir.write( "loose.txt", "hello" );
    EXPECT_TRUE( application.m_loadResourceFile( beside.c_str(), dir.path().c_str() ) );
    EXPECT_TRUE( services.boxes.empty() );
    ASSERT_NE( application.getResourceFileSystem(), nullptr );
    EXPECT_TRUE( application.getResourceFileSystem()->fileExists( "loose.txt" ) );
    application.shutdown();
}

TEST( HApplicationInstalledDataTest, TheDataFolderIsFoundFromTheProgramsOwnFolder )
{
    struct Case
    {
        const char* kpExeDir;
        const char* kpExpected;
    };
    const Case kCases[] = {
        { "/usr/games/", "/usr/share/glimmerdrop/glimmerdrop.vxz" },
        { "/usr/local/bin/", "/usr/local/share/glimmerdrop/glimmerdrop.vxz" },
        { "/home/jo/my games/bin//", "/home/jo/my games/share/glimmerdrop/glimmerdrop.vxz" },
        { "/bin/", "/share/glimmerdrop/glimmerdrop.vxz" },
        { "/", "/share/glimmerdrop/glimmerdrop.vxz" },
        { "bin/", "share/glimmerdrop/glimmerdrop.vxz" },
        { "", "../share/glimmerdrop/glimmerdrop.vxz" },
    };
    for( const Case& c : kCases )
    {
        char path[ 1024 ];
        HApplication::installedDataPath( c.kpExeDir, "glimmerdrop", "glimmerdrop.vxz", path, sizeof( path ) );
        EXPECT_STREQ( path, c.kpExpected ) << "from '" << c.kpExeDir << "'";
    }
    char small[ 8 ];
    HApplication::installedDataPath( "/usr/games/", "glimmerdrop", "glimmerdrop.vxz", small, sizeof( small ) );
    EXPECT_STREQ( small, "/usr/sh" );
}

TEST_F( HApplicationStartupTest, TheEntryReadsItsSwitchesAndAlwaysTakesEverythingDown )
{
    ApplicationProbe application;
    application.initResult = false;
    // A start that failed is the process's failure.
    EXPECT_EQ( HApplication::runProcess( "-trace -journal", "/usr/games/glimmerdrop/glimmerdrop" ), 1 );
    EXPECT_TRUE( application.initTrace );
    EXPECT_TRUE( application.initJournal );
    EXPECT_EQ( application.initExeDir, "/usr/games/glimmerdrop/" );
    EXPECT_EQ( application.initDemoName, "" );
    EXPECT_STREQ( HGlobal::getCommandLine(), "-trace -journal" );
    EXPECT_EQ( HGlobal::getIconResource(), 285 );
    const std::vector<std::string> kOrder = { "init", "unloadGraphics", "shutdown" };
    EXPECT_EQ( application.calls, kOrder );

    application.calls.clear();
    HApplication::runProcess( "-demo best game -dsound", "glimmerdrop" );
    EXPECT_FALSE( application.initTrace );
    EXPECT_EQ( application.initDemoName, "best game -dsound" );
    EXPECT_EQ( application.initExeDir, "" );
}

TEST_F( HApplicationStartupTest, ADemoSwitchAtTheVeryEndHasNoName )
{
    ApplicationProbe application;
    application.initResult = false;
    // The name would start one past the end of the text; it must read nothing there.
    std::vector<char> line( { '-', 't', 'r', 'a', 'c', 'e', ' ', '-', 'd', 'e', 'm', 'o', '\0', 'X', 'Y' } );
    HApplication::runProcess( line.data(), "/a/b" );
    EXPECT_EQ( application.initDemoName, "" );
    HApplication::runProcess( "-demo ", "/a/b" );
    EXPECT_EQ( application.initDemoName, "" );
    HApplication::runProcess( "-demox", "/a/b" );
    EXPECT_EQ( application.initDemoName, "" );
    HApplication::runProcess( "-demo x", "/a/b" );
    EXPECT_EQ( application.initDemoName, "x" );
}

TEST_F( HApplicationStartupTest, TheBenchmarkTimesAHundredFullPresents )
{
    services.useFakeTime = true;
    services.fakeTime = 1000;
    ApplicationProbe application;
    application.callBaseInit = true;
    ASSERT_TRUE( application.init( false, false, "", "", true, true ) );
    application.makeDisplay();
    application.m_runBenchmark();
    EXPECT_EQ( application.display()->presents.size(), 100u );
    ASSERT_EQ( services.boxes.size(), 1u );
    EXPECT_EQ( services.boxes[ 0 ].caption, "Alert" );
    EXPECT_EQ( services.boxes[ 0 ].text, "Benchmark = 100 iterations in 0 ms = 100000.00 FPS or 0.00 ms/blit" );
}

#include <gtest/gtest.h>

#include <string>

#include "Framework/FileSystem/src/HStandardFileSystem.h"
#include "Framework/util/src/HLog.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/TempDir.h"

TEST( HLogTest, OnlyTheFirstFailedAssertionIsShown )
{
    RecordingProcessServices services;
    services.answer = MBA_IGNORE;
    EXPECT_FALSE( HVERIFY( 1 == 2, "Framework\\util\\src\\Test" ) );
    EXPECT_FALSE( HVERIFY( 3 == 4, "Framework\\util\\src\\Test" ) );
    EXPECT_TRUE( HVERIFY( 5 == 5, "Framework\\util\\src\\Test" ) );
    ASSERT_EQ( services.boxes.size(), 1u );
    EXPECT_EQ( services.boxes[ 0 ].caption, "Verify Failed" );
    EXPECT_EQ( services.boxes[ 0 ].flags, 0u );
    EXPECT_EQ( services.boxes[ 0 ].text.rfind( "Expression 1 == 2 failed in Framework\\util\\src\\Test at line ", 0 ), 0u );
}

TEST( HLogTest, AlertAndMessageBoxCarryCaptionFlagsAndFormattedText )
{
    RecordingProcessServices services;
    services.answer = MBA_OK;
    EXPECT_EQ( messageBox( 49, "Missing Resource File", "Could not load the resource file '%s'", "x.vxz" ), MBR_OK );
    services.answer = MBA_IGNORE;
    EXPECT_EQ( alert( "Benchmark = %d iterations", 100 ), MBR_IGNORE );
    ASSERT_EQ( services.boxes.size(), 2u );
    EXPECT_EQ( services.boxes[ 0 ].flags, 49u );
    EXPECT_EQ( services.boxes[ 0 ].buttons, MBB_OK );
    EXPECT_EQ( services.boxes[ 0 ].icon, MBI_EXCLAMATION );
    EXPECT_EQ( services.boxes[ 0 ].text, "Could not load the resource file 'x.vxz'" );
    EXPECT_EQ( services.boxes[ 1 ].caption, "Alert" );
    EXPECT_EQ( services.boxes[ 1 ].buttons, MBB_ABORT_RETRY_IGNORE_STOP );
    EXPECT_EQ( services.boxes[ 1 ].text, "Benchmark = 100 iterations" );
}

TEST( HLogTest, LongLogLineIsCutTo1023InDebugOutputAndTraceFile )
{
    RecordingProcessServices services;
    TempDir dir;
    HStandardFileSystem fs;
    fs.init( dir.path().c_str() );
    HFile* pTrace = fs.openFileForWrite( "trace.txt" );
    ASSERT_NE( pTrace, nullptr );
    setTraceFile( pTrace );
    std::string longText( 3000, 'y' );
    logMessage( "...%s\n", longText.c_str() );
    logMessage( "...short\n" );
    setTraceFile( nullptr );
    logMessage( "...after the trace file\n" );
    pTrace->close();

    ASSERT_EQ( services.debugOutputs.size(), 3u );
    EXPECT_EQ( services.debugOutputs[ 0 ].size(), 1023u );
    std::string trace = dir.read( "trace.txt" );
    EXPECT_EQ( trace, "..." + std::string( 1020, 'y' ) + "...short\n" );
}

TEST( HLogTest, DebugTraceIsDiscardedUnlessSomeoneListens )
{
    RecordingProcessServices services;
    debugTrace( "HSFS::fileExists - too many open files" );
    EXPECT_TRUE( services.debugOutputs.empty() );
    EXPECT_TRUE( services.boxes.empty() );
    ASSERT_EQ( RecordingProcessServices::debugTraces().size(), 1u );
    setDebugTraceListener( nullptr );
    debugTrace( "nobody hears this" );
    EXPECT_EQ( RecordingProcessServices::debugTraces().size(), 1u );
}

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <pwd.h>
#include <unistd.h>

#include "Framework/platform/sdl/HSDLProcessServices.h"
#include "Framework/util/src/HLog.h"

TEST( HSDLProcessServicesTest, MessageBoxWithoutADisplayAnswersAtOnce )
{
    // The test environment selects SDL's dummy video driver: no box can be shown.
    HSDLProcessServices services;
    setProcessServices( &services );
    testing::internal::CaptureStderr();
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ( messageBox( 49, "Missing Resource File", "Could not load the resource file '%s'", "x" ), MBR_OK );
    EXPECT_EQ( alert( "Benchmark" ), MBR_IGNORE );
    EXPECT_EQ( messageBox( 5, "Question", "Sure?" ), MBR_YES );
    auto elapsed = std::chrono::steady_clock::now() - start;
    std::string err = testing::internal::GetCapturedStderr();
    setProcessServices( nullptr );
    EXPECT_LT( elapsed, std::chrono::seconds( 5 ) );
    EXPECT_NE( err.find( "[Missing Resource File] Could not load the resource file 'x'" ), std::string::npos );
}

TEST( HSDLProcessServicesTest, UserNameIsTheEffectiveUsersLogin )
{
    HSDLProcessServices services;
    char name[ 64 ];
    ASSERT_NE( services.getUserName( name, sizeof( name ) ), nullptr );
    EXPECT_STREQ( name, getpwuid( geteuid() )->pw_name );
    char tiny[ 1 ];
    EXPECT_EQ( services.getUserName( tiny, sizeof( tiny ) ), nullptr );
}

TEST( HSDLProcessServicesTest, ExecutablePathIsThisProgram )
{
    HSDLProcessServices services;
    char path[ 1024 ];
    ASSERT_NE( services.getExecutablePath( path, sizeof( path ) ), nullptr );
    EXPECT_NE( std::strstr( path, "test_platform" ), nullptr );
    char small[ 4 ];
    EXPECT_EQ( services.getExecutablePath( small, sizeof( small ) ), nullptr );
}

TEST( HSDLProcessServicesTest, ClockAndSleep )
{
    HSDLProcessServices services;
    uint64_t before = services.getTime();
    services.sleep( 20 );
    uint64_t after = services.getTime();
    EXPECT_LE( after, 0xFFFFFFFFull );
    if( after >= before )
    {
        EXPECT_GE( after - before, 19u );
    }
}

TEST( HSDLProcessServicesTest, NoDebuggerMeansRetryDoesNotBreak )
{
    HSDLProcessServices services;
    EXPECT_FALSE( HSDLProcessServices::isDebuggerAttached() );
    services.debugBreakIfAttached(); // would end the test with SIGTRAP if it broke
    char clip[ 16 ];
    EXPECT_EQ( services.getClipboardText( clip, sizeof( clip ) ), nullptr ) << "no video subsystem, no clipboard";
}

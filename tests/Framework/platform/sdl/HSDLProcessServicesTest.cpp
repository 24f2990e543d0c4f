#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <string>
#include <unistd.h>

#include "Framework/platform/sdl/HSDLProcessServices.h"
#include "Framework/util/src/HLog.h"
#include "tests/support/TempDir.h"

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

TEST( HSDLProcessServicesTest, PicturesFolderFollowsTheDesktopsUserFolders )
{
    TempDir home;
    std::string savedHome = std::getenv( "HOME" ) != nullptr ? std::getenv( "HOME" ) : "";
    const char* kpSavedConfig = std::getenv( "XDG_CONFIG_HOME" );
    std::string savedConfig = kpSavedConfig != nullptr ? kpSavedConfig : "";
    ::setenv( "HOME", home.path().c_str(), 1 );
    ::unsetenv( "XDG_CONFIG_HOME" );
    HSDLProcessServices services;
    char buffer[ 1024 ];

    // Nothing there: no folder to offer.
    EXPECT_EQ( services.getPicturesFolder( buffer, sizeof( buffer ) ), nullptr );

    // The usual folder, once it exists.
    ASSERT_EQ( runCommand( "mkdir -p '" + home.path() + "/Pictures' '" + home.path() + "/.config' '" + home.path() +
                           "/Bilder'" ),
               0 );
    ASSERT_NE( services.getPicturesFolder( buffer, sizeof( buffer ) ), nullptr );
    EXPECT_EQ( std::string( buffer ), home.path() + "/Pictures" );

    // The desktop's own name for it wins, with $HOME expanded and comments passed over.
    home.write( ".config/user-dirs.dirs", "# written by the desktop\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                                          "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n" );
    ASSERT_NE( services.getPicturesFolder( buffer, sizeof( buffer ) ), nullptr );
    EXPECT_EQ( std::string( buffer ), home.path() + "/Bilder" );

    // A named folder that does not exist, or the home folder itself, falls back.
    home.write( ".config/user-dirs.dirs", "XDG_PICTURES_DIR=\"$HOME/Gone\"\n" );
    services.getPicturesFolder( buffer, sizeof( buffer ) );
    EXPECT_EQ( std::string( buffer ), home.path() + "/Pictures" );
    home.write( ".config/user-dirs.dirs", "XDG_PICTURES_DIR=\"$HOME/\"\n" );
    services.getPicturesFolder( buffer, sizeof( buffer ) );
    EXPECT_EQ( std::string( buffer ), home.path() + "/Pictures" );

    // A buffer too small for the path gets nothing rather than a cut path.
    char tiny[ 8 ];
    EXPECT_EQ( services.getPicturesFolder( tiny, sizeof( tiny ) ), nullptr );

    ::setenv( "HOME", savedHome.c_str(), 1 );
    if( kpSavedConfig != nullptr )
        ::setenv( "XDG_CONFIG_HOME", savedConfig.c_str(), 1 );
}

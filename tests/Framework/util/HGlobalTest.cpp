#include <gtest/gtest.h>

#include <string>

#include "Framework/util/src/HGlobal.h"
#include "tests/support/RecordingProcessServices.h"

TEST( HGlobalTest, CommandLineOf1024CharactersKeeps1023WithoutAsserting )
{
    RecordingProcessServices services;
    std::string line( 1024, 'c' );
    HGlobal::setCommandLine( line.c_str() );
    EXPECT_EQ( std::string( HGlobal::getCommandLine() ), std::string( 1023, 'c' ) );
    EXPECT_TRUE( services.boxes.empty() );
}

TEST( HGlobalTest, CommandLineOf1025CharactersAsserts )
{
    RecordingProcessServices services;
    services.answer = MBA_IGNORE;
    std::string line( 1025, 'c' );
    HGlobal::setCommandLine( line.c_str() );
    EXPECT_EQ( std::string( HGlobal::getCommandLine() ).size(), 1023u );
    ASSERT_EQ( services.boxes.size(), 1u );
    EXPECT_EQ( services.boxes[ 0 ].text.rfind( "Expression ::strlen( kpCmdLine ) <= sizeof( sm_aCmdLine ) failed in "
                                               "Framework\\util\\src\\HGlobal at line ",
                                               0 ),
               0u );
}

TEST( HGlobalTest, NullCommandLineChangesNothingAndSwitchesAreSubstrings )
{
    HGlobal::setCommandLine( "glimmerdrop -trace -demo run1" );
    HGlobal::setCommandLine( nullptr );
    EXPECT_STREQ( HGlobal::getCommandLine(), "glimmerdrop -trace -demo run1" );
    EXPECT_TRUE( HGlobal::hasSwitch( "-trace" ) );
    EXPECT_TRUE( HGlobal::hasSwitch( "-demo" ) );
    EXPECT_FALSE( HGlobal::hasSwitch( "-journal" ) );
    EXPECT_FALSE( HGlobal::hasSwitch( "-TRACE" ) );
}

TEST( HGlobalTest, ResourceDirAssertsOnTooLongText )
{
    RecordingProcessServices services;
    services.answer = MBA_IGNORE;
    HGlobal::setResourceDir( "/opt/glimmerdrop/" );
    EXPECT_STREQ( HGlobal::getResourceDir(), "/opt/glimmerdrop/" );
    std::string dir( 2000, 'd' );
    HGlobal::setResourceDir( dir.c_str() );
    ASSERT_EQ( services.boxes.size(), 1u );
    EXPECT_NE( services.boxes[ 0 ].text.find( "::strlen( kpDir ) <= sizeof( sm_aResourceDir )" ), std::string::npos );
}

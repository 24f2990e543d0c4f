#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Framework/ScriptEngine/src/HCvarManager.h"
#include "Framework/ScriptEngine/src/HLuaScriptEngine.h"
#include "tests/support/RecordingProcessServices.h"

namespace
{
class HCvarManagerTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE( m_cvars.init() ); }
    int depth() { return m_cvars.getScriptEngine()->getTop(); }
    std::string field( const char* kpName, const char* kpField )
    {
        HLuaScriptEngine* pEngine = m_cvars.getScriptEngine();
        pEngine->getGlobal( kpName );
        const char* kpText = pEngine->getFieldString( kpField );
        std::string text = kpText != nullptr ? kpText : "(null)";
        pEngine->pop( 1 );
        return text;
    }

    RecordingProcessServices m_services;
    HCvarManager m_cvars;
};
}

TEST_F( HCvarManagerTest, VariablesAreLuaTablesWithValueAndFlagsText )
{
    m_cvars.declareVariable( "c_soundDriver", "default", 0 );
    m_cvars.declareVariable( "c_dxversion", "0", 0 );
    EXPECT_EQ( field( "c_soundDriver", "value" ), "default" );
    EXPECT_EQ( field( "c_soundDriver", "flags" ), "0" );
    EXPECT_EQ( m_cvars.getVariableCount(), 2 );
    const char kpScript[] = "c_soundDriver.value = 'null'";
    ASSERT_TRUE( m_cvars.getScriptEngine()->executeBuffer( kpScript, std::strlen( kpScript ) ) );
    EXPECT_STREQ( m_cvars.getVariableString( "c_soundDriver" ), "null" );
    EXPECT_EQ( depth(), 0 );
}

TEST_F( HCvarManagerTest, RedeclarationReplacesUnlessFlagBitZeroIsSet )
{
    m_cvars.declareVariable( "v", "first", 0 );
    m_cvars.declareVariable( "v", "second", 0 );
    EXPECT_STREQ( m_cvars.getVariableString( "v" ), "second" );
    EXPECT_EQ( m_cvars.getVariableCount(), 1 );
    m_cvars.declareVariable( "v", "third", 1 );
    EXPECT_STREQ( m_cvars.getVariableString( "v" ), "second" );
    EXPECT_EQ( field( "v", "flags" ), "0" );
    m_cvars.declareVariable( "w", "new", 5 );
    EXPECT_EQ( field( "w", "flags" ), "5" );
    EXPECT_EQ( m_cvars.getVariableCount(), 2 );
    EXPECT_EQ( depth(), 0 );
}

TEST_F( HCvarManagerTest, IntegersReadTheLeadingDigits )
{
    m_cvars.declareVariable( "a", "42abc", 0 );
    m_cvars.declareVariable( "b", "abc", 0 );
    m_cvars.declareVariable( "c", "  -7", 0 );
    m_cvars.declareVariable( "d", "99999999999999", 0 );
    EXPECT_EQ( m_cvars.getVariableInt( "a" ), 42 );
    EXPECT_EQ( m_cvars.getVariableInt( "b" ), 0 );
    EXPECT_EQ( m_cvars.getVariableInt( "c" ), -7 );
    EXPECT_EQ( m_cvars.getVariableInt( "d" ), INT32_MAX );
    EXPECT_EQ( m_cvars.getVariableInt( "never" ), 0 );
    ASSERT_FALSE( RecordingProcessServices::debugTraces().empty() );
    EXPECT_EQ( RecordingProcessServices::debugTraces().back(), "*** WARNING: no variable for 'never' found\n" );
}

TEST_F( HCvarManagerTest, SettingAnUndeclaredNameCreatesNothingAndKeepsTheStack )
{
    for( int i = 0; i < 1000; ++i )
        m_cvars.setVariableString( "c_missing", "x" );
    EXPECT_EQ( m_cvars.getVariableString( "c_missing" ), nullptr );
    EXPECT_EQ( depth(), 0 );
    EXPECT_EQ( RecordingProcessServices::debugTraces().front(), "HCvarManager::setVariableString - no variable 'c_missing' exists" );

    m_cvars.declareVariable( "c_soundDriver", "default", 0 );
    m_cvars.setVariableString( "c_soundDriver", "win32" );
    EXPECT_STREQ( m_cvars.getVariableString( "c_soundDriver" ), "win32" );
    EXPECT_EQ( field( "c_soundDriver", "flags" ), "0" ) << "setting leaves the flags alone";
    EXPECT_EQ( depth(), 0 );
}

TEST_F( HCvarManagerTest, GlobalsThatAreNotTablesAreHandledSafely )
{
    const char kpScript[] = "plain = 5 text = 'x'";
    ASSERT_TRUE( m_cvars.getScriptEngine()->executeBuffer( kpScript, std::strlen( kpScript ) ) );
    EXPECT_EQ( m_cvars.getVariableString( "plain" ), nullptr );
    m_cvars.setVariableString( "text", "y" );
    m_cvars.declareVariable( "plain", "now a variable", 0 );
    EXPECT_STREQ( m_cvars.getVariableString( "plain" ), "now a variable" );
    EXPECT_EQ( depth(), 0 );
}

TEST_F( HCvarManagerTest, ShutdownDiscardsEverythingAndInitIsRepeatable )
{
    EXPECT_TRUE( m_cvars.init() );
    m_cvars.declareVariable( "x", "1", 0 );
    m_cvars.shutdown();
    EXPECT_EQ( m_cvars.getScriptEngine(), nullptr );
    EXPECT_EQ( m_cvars.getVariableString( "x" ), nullptr );
    EXPECT_EQ( m_cvars.getVariableInt( "x" ), 0 );
    m_cvars.declareVariable( "y", "1", 0 );
    m_cvars.shutdown();
}

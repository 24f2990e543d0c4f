#include <gtest/gtest.h>

#include <cstring>

#include "Framework/ScriptEngine/src/HLuaScriptEngine.h"
#include "tests/support/RecordingProcessServices.h"

TEST( HLuaScriptEngineTest, StateHasNoLibrariesAndRunsPlainChunks )
{
    HLuaScriptEngine engine;
    ASSERT_TRUE( engine.init() );
    const char kpChunk[] = "answer = { value = \"42\", flags = \"0\" }";
    EXPECT_TRUE( engine.executeBuffer( kpChunk, std::strlen( kpChunk ) ) );
    ASSERT_TRUE( engine.getGlobal( "answer" ) );
    EXPECT_STREQ( engine.getFieldString( "value" ), "42" );
    EXPECT_EQ( engine.getFieldString( "missing" ), nullptr );
    engine.pop( 1 );
    EXPECT_EQ( engine.getTop(), 0 );

    // No library was opened: print and string are unknown, so calling them fails cleanly.
    const char kpPrint[] = "print('x')";
    EXPECT_FALSE( engine.executeBuffer( kpPrint, std::strlen( kpPrint ) ) );
    const char kpBroken[] = "this is not lua";
    EXPECT_FALSE( engine.executeBuffer( kpBroken, std::strlen( kpBroken ) ) );
    EXPECT_EQ( engine.getTop(), 0 ) << "errors leave the stack as it was";
}

TEST( HLuaScriptEngineTest, FieldOfANonTableIsNull )
{
    HLuaScriptEngine engine;
    ASSERT_TRUE( engine.init() );
    engine.pushString( "text" );
    EXPECT_EQ( engine.getFieldString( "value" ), nullptr );
    engine.pushString( nullptr );
    EXPECT_EQ( engine.getTop(), 2 );
    engine.pop( 2 );
    EXPECT_FALSE( engine.getGlobal( "nothing" ) );
    engine.pop( 1 );
    EXPECT_EQ( engine.getTop(), 0 );
}

TEST( HLuaScriptEngineTest, OperationsWithoutAStateAssertAndDoNothing )
{
    RecordingProcessServices services;
    services.answer = MBA_IGNORE;
    HLuaScriptEngine engine;
    EXPECT_FALSE( engine.getGlobal( "x" ) );
    EXPECT_EQ( engine.getTop(), 0 );
    EXPECT_FALSE( engine.executeBuffer( "x=1", 3 ) );
    engine.newTable();
    engine.setField( "a", "b" );
    engine.setGlobal( "g" );
    ASSERT_EQ( services.boxes.size(), 1u ) << "only the first failed assertion is shown";
    EXPECT_EQ( services.boxes[ 0 ].text.rfind( "Expression m_pLua != 0 failed in Framework\\ScriptEngine\\src\\HLuaScriptEngine", 0 ),
               0u );
    engine.shutdown();
}

TEST( HLuaScriptEngineTest, InitTwiceStartsAFreshState )
{
    HLuaScriptEngine engine;
    ASSERT_TRUE( engine.init() );
    EXPECT_TRUE( engine.executeBuffer( "x = {}", 6 ) );
    ASSERT_TRUE( engine.init() );
    EXPECT_FALSE( engine.getGlobal( "x" ) );
    engine.pop( 1 );
    engine.shutdown();
    engine.shutdown();
    EXPECT_EQ( engine.getState(), nullptr );
}

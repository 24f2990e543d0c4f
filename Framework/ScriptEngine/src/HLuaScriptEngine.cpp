#include "Framework/ScriptEngine/src/HLuaScriptEngine.h"

#include <lauxlib.h>
#include <lua.h>

#include "Framework/util/src/HLog.h"

namespace
{
const char kpSource[] = "Framework\\ScriptEngine\\src\\HLuaScriptEngine";
const int kStackSize = 16000;
}

HLuaScriptEngine::HLuaScriptEngine()
    : m_pLua( nullptr )
{
}

HLuaScriptEngine::~HLuaScriptEngine()
{
    shutdown();
}

bool HLuaScriptEngine::init()
{
    shutdown();
    m_pLua = luaL_newstate();
    if( m_pLua == nullptr )
        return false;
    lua_checkstack( m_pLua, kStackSize );
    return true;
}

void HLuaScriptEngine::shutdown()
{
    if( m_pLua == nullptr )
        return;
    getTop();
    lua_close( m_pLua );
    m_pLua = nullptr;
}

bool HLuaScriptEngine::executeBuffer( const char* kpText, size_t length )
{
    if( !HVERIFY( m_pLua != 0, kpSource ) || kpText == nullptr )
        return false;
    if( luaL_loadbuffer( m_pLua, kpText, length, "buffer" ) != LUA_OK )
    {
        lua_pop( m_pLua, 1 );
        return false;
    }
    if( lua_pcall( m_pLua, 0, 0, 0 ) != LUA_OK )
    {
        lua_pop( m_pLua, 1 );
        return false;
    }
    return true;
}

bool HLuaScriptEngine::getGlobal( const char* kpName )
{
    if( !HVERIFY( m_pLua != 0, kpSource ) )
        return false;
    if( kpName == nullptr )
    {
        lua_pushnil( m_pLua );
        return false;
    }
    return lua_getglobal( m_pLua, kpName ) != LUA_TNIL;
}

void HLuaScriptEngine::pushString( const char* kpText )
{
    if( !HVERIFY( m_pLua != 0, kpSource ) )
        return;
    if( kpText == nullptr )
        lua_pushnil( m_pLua );
    else
        lua_pushstring( m_pLua, kpText );
}

void HLuaScriptEngine::pop( int n )
{
    if( !HVERIFY( m_pLua != 0, kpSource ) )
        return;
    lua_settop( m_pLua, -n - 1 );
}

const char* HLuaScriptEngine::getFieldString( const char* kpKey )
{
    if( !HVERIFY( m_pLua != 0, kpSource ) )
        return nullptr;
    if( !lua_istable( m_pLua, -1 ) )
        return nullptr;
    lua_pushstring( m_pLua, kpKey );
    lua_gettable( m_pLua, -2 );
    // Only strings and numbers convert; the text stays alive in the table after the pop.
    const char* kpText = lua_type( m_pLua, -1 ) == LUA_TSTRING ? lua_tostring( m_pLua, -1 ) : nullptr;
    lua_pop( m_pLua, 1 );
    return kpText;
}

int HLuaScriptEngine::getTop()
{
    if( !HVERIFY( m_pLua != 0, kpSource ) )
        return 0;
    return lua_gettop( m_pLua );
}

void HLuaScriptEngine::newTable()
{
    if( m_pLua != nullptr )
        lua_newtable( m_pLua );
}

void HLuaScriptEngine::setField( const char* kpKey, const char* kpValue )
{
    if( m_pLua == nullptr || kpKey == nullptr || !lua_istable( m_pLua, -1 ) )
        return;
    pushString( kpKey );
    pushString( kpValue );
    lua_settable( m_pLua, -3 );
}

void HLuaScriptEngine::setGlobal( const char* kpName )
{
    if( m_pLua == nullptr )
        return;
    if( kpName == nullptr )
        lua_pop( m_pLua, 1 );
    else
        lua_setglobal( m_pLua, kpName );
}

bool HLuaScriptEngine::isTableOnTop()
{
    return m_pLua != nullptr && lua_istable( m_pLua, -1 );
}

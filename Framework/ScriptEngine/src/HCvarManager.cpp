#include "Framework/ScriptEngine/src/HCvarManager.h"

#include <cstdint>
#include <cstdlib>

#include "Framework/ScriptEngine/src/HLuaScriptEngine.h"
#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HText.h"

HCvarManager::HCvarManager()
    : m_variableCount( 0 )
    , m_pScriptEngine( nullptr )
{
}

HCvarManager::~HCvarManager()
{
    shutdown();
}

bool HCvarManager::init()
{
    if( m_pScriptEngine != nullptr )
        return true;
    m_pScriptEngine = new HLuaScriptEngine();
    if( m_pScriptEngine->init() )
        return true;
    debugTrace( "HCvarManager::init - could not initialize Lua" );
    delete m_pScriptEngine;
    m_pScriptEngine = nullptr;
    return false;
}

void HCvarManager::shutdown()
{
    if( m_pScriptEngine == nullptr )
        return;
    m_pScriptEngine->shutdown();
    delete m_pScriptEngine;
    m_pScriptEngine = nullptr;
}

void HCvarManager::declareVariable( const char* kpName, const char* kpValue, int flags )
{
    if( m_pScriptEngine == nullptr || kpName == nullptr )
        return;
    m_pScriptEngine->getTop();

    char flagsText[ 256 ];
    textFormat( flagsText, sizeof( flagsText ), "%d", flags );

    bool isNew = false;
    if( !m_pScriptEngine->getGlobal( kpName ) )
    {
        m_pScriptEngine->newTable();
        ++m_variableCount;
        isNew = true;
    }
    else if( ( flags & kKeepExisting ) != 0 )
    {
        m_pScriptEngine->pop( 1 );
        return;
    }
    else if( !m_pScriptEngine->isTableOnTop() )
    {
        // A global of that name that is not a table (set by configuration text) is replaced.
        m_pScriptEngine->pop( 1 );
        m_pScriptEngine->newTable();
    }

    m_pScriptEngine->setField( "value", kpValue );
    m_pScriptEngine->setField( "flags", flagsText );
    m_pScriptEngine->setGlobal( kpName );
    if( isNew )
        m_pScriptEngine->pop( 1 );
}

void HCvarManager::setVariableString( const char* kpName, const char* kpValue )
{
    if( m_pScriptEngine == nullptr || kpName == nullptr )
        return;
    if( m_pScriptEngine->getGlobal( kpName ) && m_pScriptEngine->isTableOnTop() )
    {
        m_pScriptEngine->setField( "value", kpValue );
        m_pScriptEngine->pop( 1 );
        return;
    }
    m_pScriptEngine->pop( 1 );
    debugTrace( "HCvarManager::setVariableString - no variable '%s' exists", kpName );
}

const char* HCvarManager::getVariableString( const char* kpName )
{
    if( m_pScriptEngine == nullptr || kpName == nullptr )
        return nullptr;
    m_pScriptEngine->getTop();
    const char* kpText = nullptr;
    if( m_pScriptEngine->getGlobal( kpName ) && m_pScriptEngine->isTableOnTop() )
        kpText = m_pScriptEngine->getFieldString( "value" );
    m_pScriptEngine->pop( 1 );
    return kpText;
}

int32_t HCvarManager::getVariableInt( const char* kpName )
{
    const char* kpText = getVariableString( kpName );
    if( kpText == nullptr )
    {
        debugTrace( "*** WARNING: no variable for '%s' found\n", kpName != nullptr ? kpName : "" );
        return 0;
    }
    // atoi's reading of the text, but clamped: atoi itself is undefined past the int range.
    long long value = std::strtoll( kpText, nullptr, 10 );
    if( value > INT32_MAX )
        return INT32_MAX;
    if( value < INT32_MIN )
        return INT32_MIN;
    return static_cast<int32_t>( value );
}

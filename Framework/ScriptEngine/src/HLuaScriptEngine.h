#ifndef GLIMMERDROP_FRAMEWORK_SCRIPTENGINE_HLUASCRIPTENGINE_H
#define GLIMMERDROP_FRAMEWORK_SCRIPTENGINE_HLUASCRIPTENGINE_H

#include "Framework/ScriptEngine/src/HScriptEngine.h"

struct lua_State;

// A thin wrapper over one Lua state with no library opened into it.
class HLuaScriptEngine : public HScriptEngine
{
public:
    HLuaScriptEngine();
    ~HLuaScriptEngine() override;

    bool init() override;
    void shutdown() override;
    bool executeBuffer( const char* kpText, size_t length ) override;

    // Stack operations for the console variables.
    // Pushes the global; true when it is not nil.
    bool getGlobal( const char* kpName );
    void pushString( const char* kpText );
    void pop( int n );
    // The field of the table on top as text, or null; the stack is left as it was.
    const char* getFieldString( const char* kpKey );
    int getTop();
    void newTable();
    void setField( const char* kpKey, const char* kpValue );
    // Assigns the value on top to the global and pops it.
    void setGlobal( const char* kpName );
    bool isTableOnTop();

    lua_State* getState() const { return m_pLua; }

private:
    lua_State* m_pLua;
};

#endif

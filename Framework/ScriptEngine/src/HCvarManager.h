#ifndef GLIMMERDROP_FRAMEWORK_SCRIPTENGINE_HCVARMANAGER_H
#define GLIMMERDROP_FRAMEWORK_SCRIPTENGINE_HCVARMANAGER_H

#include <cstdint>

class HLuaScriptEngine;

// Console variables: each one is a Lua global table with the text fields "value" and "flags",
// so configuration text run in the same state could read or set them.
class HCvarManager
{
public:
    // Flag bit 0: a declaration leaves an existing variable untouched.
    static const int kKeepExisting = 1;

    HCvarManager();
    ~HCvarManager();

    HCvarManager( const HCvarManager& ) = delete;
    HCvarManager& operator=( const HCvarManager& ) = delete;

    bool init();
    void shutdown();

    void declareVariable( const char* kpName, const char* kpValue, int flags );
    // Never creates a variable.
    void setVariableString( const char* kpName, const char* kpValue );
    // The text belongs to the Lua state: use it at once.
    const char* getVariableString( const char* kpName );
    int32_t getVariableInt( const char* kpName );

    int32_t getVariableCount() const { return m_variableCount; }
    HLuaScriptEngine* getScriptEngine() const { return m_pScriptEngine; }

private:
    int32_t m_variableCount;
    HLuaScriptEngine* m_pScriptEngine;
};

#endif

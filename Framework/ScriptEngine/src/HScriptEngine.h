#ifndef GLIMMERDROP_FRAMEWORK_SCRIPTENGINE_HSCRIPTENGINE_H
#define GLIMMERDROP_FRAMEWORK_SCRIPTENGINE_HSCRIPTENGINE_H

#include <cstddef>

class HScriptEngine
{
public:
    HScriptEngine();
    virtual ~HScriptEngine();

    HScriptEngine( const HScriptEngine& ) = delete;
    HScriptEngine& operator=( const HScriptEngine& ) = delete;

    virtual bool init() = 0;
    virtual void shutdown() = 0;
    virtual bool executeBuffer( const char* kpText, size_t length ) = 0;
};

#endif

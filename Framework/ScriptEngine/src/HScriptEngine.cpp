#include "Framework/ScriptEngine/src/HScriptEngine.h"

HScriptEngine::HScriptEngine() = default;

HScriptEngine::~HScriptEngine() = default;

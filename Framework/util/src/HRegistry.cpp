#include "Framework/util/src/HRegistry.h"

#include <memory>

#include "Framework/ScriptEngine/src/HCvarManager.h"
#include "Framework/util/src/HText.h"

namespace
{
HRegistry* s_pSubstitute = nullptr;
}

HRegistry::HRegistry()
    : m_pCvars( nullptr )
{
    m_keyPath[ 0 ] = '\0';
}

HRegistry::~HRegistry() = default;

bool HRegistry::open( HCvarManager* pCvars, const char* kpMaker, const char* kpProduct )
{
    m_pCvars = pCvars;
    textFormat( m_keyPath, sizeof( m_keyPath ), "SOFTWARE\\%s\\%s", kpMaker != nullptr ? kpMaker : "",
                kpProduct != nullptr ? kpProduct : "" );
    return true;
}

bool HRegistry::close()
{
    return true;
}

// A store whose single writes are already atomic needs no more.
bool HRegistry::beginUpdate()
{
    return true;
}

void HRegistry::endUpdate()
{
}

HRegistry& HRegistry::get()
{
    if( s_pSubstitute != nullptr )
        return *s_pSubstitute;
    static std::unique_ptr<HRegistry> s_pRegistry( createDefault() );
    return *s_pRegistry;
}

void HRegistry::setInstance( HRegistry* pRegistry )
{
    s_pSubstitute = pRegistry;
}

bool HRegistry::m_prefersMachineRoot() const
{
    return m_pCvars != nullptr && m_pCvars->getVariableInt( "c_hklm" ) == 1;
}

void HRegistry::m_cutName( const char* kpName, char* pName )
{
    textCopy( pName, kMaxNameLength + 1, kpName );
}

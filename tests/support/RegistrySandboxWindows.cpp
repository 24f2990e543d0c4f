#include "tests/support/RegistrySandbox.h"

#include <windows.h>

namespace
{
void removeProductKeys()
{
    for( HKEY root : { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE } )
    {
        ::RegDeleteTreeA( root, "SOFTWARE\\Vantorix\\Glimmerdrop" );
        ::RegDeleteKeyA( root, "SOFTWARE\\Vantorix\\Glimmerdrop" );
    }
}
}

RegistrySandbox::RegistrySandbox( const std::string& )
{
    removeProductKeys();
}

RegistrySandbox::~RegistrySandbox()
{
    removeProductKeys();
}

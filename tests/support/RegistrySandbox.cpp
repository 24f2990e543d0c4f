#include "tests/support/RegistrySandbox.h"

#include <cstdlib>

RegistrySandbox::RegistrySandbox( const std::string& folder )
{
    setenv( "GLIMMERDROP_REGISTRY", ( folder + "/registry.reg" ).c_str(), 1 );
    setenv( "GLIMMERDROP_REGISTRY_MACHINE", ( folder + "/machine.reg" ).c_str(), 1 );
}

RegistrySandbox::~RegistrySandbox()
{
    unsetenv( "GLIMMERDROP_REGISTRY" );
    unsetenv( "GLIMMERDROP_REGISTRY_MACHINE" );
}

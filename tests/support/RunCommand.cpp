#include "tests/support/TempDir.h"

#include <cstdlib>
#include <sys/wait.h>

int runCommand( const std::string& command )
{
    int status = std::system( command.c_str() );
    return WIFEXITED( status ) ? WEXITSTATUS( status ) : -1;
}

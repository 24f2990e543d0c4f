#include "tests/support/TempDir.h"

#include <cstdlib>

// The Windows C library hands the command to cmd.exe and returns its exit code as it is.
int runCommand( const std::string& command )
{
    return std::system( command.c_str() );
}

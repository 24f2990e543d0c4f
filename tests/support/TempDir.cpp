#include "tests/support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>

TempDir::TempDir()
{
    std::string pattern = ( std::filesystem::temp_directory_path() / "glimmerdrop-test-XXXXXX" ).string();
    if( ::mkdtemp( pattern.data() ) == nullptr )
        throw std::runtime_error( "mkdtemp failed" );
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all( m_path, ignored );
}

void TempDir::write( const std::string& name, const std::string& bytes ) const
{
    std::ofstream out( file( name ), std::ios::binary );
    out << bytes;
}

std::string TempDir::read( const std::string& name ) const
{
    std::ifstream in( file( name ), std::ios::binary );
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool TempDir::exists( const std::string& name ) const
{
    return std::filesystem::exists( file( name ) );
}

int runCommand( const std::string& command )
{
    int status = std::system( command.c_str() );
    return WIFEXITED( status ) ? WEXITSTATUS( status ) : -1;
}

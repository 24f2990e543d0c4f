#include "tests/support/TempDir.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

TempDir::TempDir()
{
    // Made by hand rather than with mkdtemp, which Windows lacks; the random part keeps
    // concurrently running test programs apart, the counter keeps one program's folders apart.
    static std::atomic<unsigned> s_counter( 0 );
    std::random_device device;
    for( int attempt = 0; attempt < 100; ++attempt )
    {
        std::ostringstream name;
        name << "glimmerdrop-test-" << std::hex << device() << '-' << s_counter++;
        std::filesystem::path path = std::filesystem::temp_directory_path() / name.str();
        std::error_code error;
        if( std::filesystem::create_directory( path, error ) )
        {
            m_path = path.string();
            return;
        }
    }
    throw std::runtime_error( "could not make a temporary folder" );
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

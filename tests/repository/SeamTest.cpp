#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
bool isSource( const fs::path& path )
{
    std::string ext = path.extension().string();
    return ext == ".h" || ext == ".hpp" || ext == ".cpp" || ext == ".cc" || ext == ".c";
}

// Files of the product (framework, game, tools) that include a platform header.
std::vector<std::string> platformIncludesOutside( const fs::path& root )
{
    const std::regex include( R"(^\s*#\s*include\s*[<"]((SDL2?/)?SDL[A-Za-z_0-9]*\.h|windows\.h)[>"])",
                              std::regex::icase );
    std::vector<std::string> offenders;
    for( const char* kpTop : { "Framework", "Game" } )
    {
        fs::path top = root / kpTop;
        if( !fs::exists( top ) )
            continue;
        for( const auto& entry : fs::recursive_directory_iterator( top ) )
        {
            if( !entry.is_regular_file() || !isSource( entry.path() ) )
                continue;
            std::string relative = fs::relative( entry.path(), root ).generic_string();
            if( relative.rfind( "Framework/platform/", 0 ) == 0 )
                continue;
            std::ifstream in( entry.path() );
            std::string line;
            while( std::getline( in, line ) )
            {
                if( std::regex_search( line, include ) )
                    offenders.push_back( relative + ": " + line );
            }
        }
    }
    return offenders;
}
}

TEST( SeamTest, OnlyThePlatformFolderIncludesPlatformHeaders )
{
    std::vector<std::string> offenders = platformIncludesOutside( GLIMMERDROP_SOURCE_DIR );
    for( const std::string& offender : offenders )
        ADD_FAILURE() << offender;
}

TEST( SeamTest, TheCheckRecognisesEveryFormOfTheInclude )
{
    // The check is only worth something if it would catch the include forms people write.
    fs::path root = fs::temp_directory_path() / ( "seam-" + std::to_string( ::getpid() ) );
    fs::create_directories( root / "Game/sub" );
    fs::create_directories( root / "Framework/platform/sdl" );
    std::ofstream( root / "Game/a.cpp" ) << "#include <SDL.h>\n";
    std::ofstream( root / "Game/sub/b.h" ) << "  #  include \"SDL2/SDL_events.h\"\n";
    std::ofstream( root / "Game/c.cpp" ) << "#include <Windows.h>\n";
    std::ofstream( root / "Game/d.cpp" ) << "// #include <SDL.h> in a comment is fine\n#include <string>\n";
    std::ofstream( root / "Framework/platform/sdl/e.cpp" ) << "#include <SDL.h>\n";
    std::vector<std::string> offenders = platformIncludesOutside( root );
    fs::remove_all( root );
    EXPECT_EQ( offenders.size(), 3u );
}

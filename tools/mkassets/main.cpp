// mkassets: draws, synthesises and packs every picture and sound of the game.
//
//   mkassets OUTPUT.vxz                 writes the archive
//   mkassets --preview FOLDER           also writes the screens as the game will show them
//   mkassets --extract FOLDER           also writes every file of the archive into a folder

#include "tools/mkassets/ArchiveWriter.h"
#include "tools/mkassets/AssetBuilder.h"
#include "tools/mkassets/PreviewRenderer.h"
#include "tools/mkassets/TextPainter.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

// Fontconfig keeps the fonts it has parsed until the process ends; that memory is the library's,
// so the sanitizer build's leak checker is told to pass over it.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

int main( int argc, char** argv )
{
    std::string output;
    std::string previewFolder;
    std::string extractFolder;
    for( int i = 1; i < argc; ++i )
    {
        std::string argument = argv[ i ];
        if( argument == "--preview" && i + 1 < argc )
            previewFolder = argv[ ++i ];
        else if( argument == "--extract" && i + 1 < argc )
            extractFolder = argv[ ++i ];
        else if( !argument.empty() && argument[ 0 ] != '-' && output.empty() )
            output = argument;
        else
        {
            std::fprintf( stderr, "usage: mkassets OUTPUT.vxz [--preview FOLDER] [--extract FOLDER]\n" );
            return 2;
        }
    }
    if( output.empty() )
    {
        std::fprintf( stderr, "usage: mkassets OUTPUT.vxz [--preview FOLDER] [--extract FOLDER]\n" );
        return 2;
    }

    auto started = std::chrono::steady_clock::now();
    std::string error;
    if( !TextPainter::registerFonts( error ) )
    {
        std::fprintf( stderr, "mkassets: %s\n", error.c_str() );
        return 1;
    }
    ArchiveWriter archive;
    if( !AssetBuilder::buildAll( archive, error ) )
    {
        std::fprintf( stderr, "mkassets: %s\n", error.c_str() );
        return 1;
    }
    if( !archive.write( output, error ) )
    {
        std::fprintf( stderr, "mkassets: %s\n", error.c_str() );
        return 1;
    }
    if( !extractFolder.empty() )
    {
        for( const ArchiveWriter::Entry& entry : archive.entries() )
        {
            std::ofstream out( extractFolder + "/" + entry.name, std::ios::binary );
            out.write( reinterpret_cast<const char*>( entry.data.data() ), std::streamsize( entry.data.size() ) );
        }
    }
    if( !previewFolder.empty() && !PreviewRenderer::writeAll( archive, previewFolder, error ) )
    {
        std::fprintf( stderr, "mkassets: %s\n", error.c_str() );
        return 1;
    }
    double seconds = std::chrono::duration<double>( std::chrono::steady_clock::now() - started ).count();
    size_t bytes = 0;
    for( const ArchiveWriter::Entry& entry : archive.entries() )
        bytes += entry.data.size();
    std::printf( "mkassets: %zu files, %zu bytes before packing, %.1f s\n", archive.entries().size(), bytes, seconds );
    return 0;
}

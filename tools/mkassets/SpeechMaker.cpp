#include "tools/mkassets/SpeechMaker.h"

#include "tools/mkassets/Synth.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

extern char** environ;

namespace SpeechMaker
{
namespace
{
// Runs a program by name with its arguments (no shell), its output silenced; true on exit 0.
bool run( const std::vector<std::string>& arguments, std::string& error )
{
    std::vector<char*> argv;
    for( const std::string& argument : arguments )
        argv.push_back( const_cast<char*>( argument.c_str() ) );
    argv.push_back( nullptr );
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init( &actions );
    posix_spawn_file_actions_addopen( &actions, 1, "/dev/null", O_WRONLY, 0 );
    pid_t pid = 0;
    int result = posix_spawnp( &pid, argv[ 0 ], &actions, nullptr, argv.data(), environ );
    posix_spawn_file_actions_destroy( &actions );
    if( result != 0 )
    {
        error = "cannot run '" + arguments[ 0 ] + "': " + std::strerror( result ) + " (is it installed?)";
        return false;
    }
    int status = 0;
    if( waitpid( pid, &status, 0 ) != pid || !WIFEXITED( status ) || WEXITSTATUS( status ) != 0 )
    {
        error = "'" + arguments[ 0 ] + "' failed";
        return false;
    }
    return true;
}

uint32_t read32( const std::vector<uint8_t>& bytes, size_t at )
{
    return uint32_t( bytes[ at ] ) | uint32_t( bytes[ at + 1 ] ) << 8 | uint32_t( bytes[ at + 2 ] ) << 16 |
           uint32_t( bytes[ at + 3 ] ) << 24;
}

uint16_t read16( const std::vector<uint8_t>& bytes, size_t at )
{
    return uint16_t( bytes[ at ] | bytes[ at + 1 ] << 8 );
}

class TemporaryFolder
{
public:
    TemporaryFolder()
    {
        char pattern[] = "/tmp/mkassets-speech-XXXXXX";
        if( mkdtemp( pattern ) != nullptr )
            m_path = pattern;
    }
    ~TemporaryFolder()
    {
        for( const std::string& file : m_files )
            std::remove( file.c_str() );
        if( !m_path.empty() )
            rmdir( m_path.c_str() );
    }
    bool ok() const { return !m_path.empty(); }
    std::string file( const std::string& name )
    {
        m_files.push_back( m_path + "/" + name );
        return m_files.back();
    }

private:
    std::string m_path;
    std::vector<std::string> m_files;
};
} // namespace

bool readWAV( const std::vector<uint8_t>& bytes, SoundBuffer& out )
{
    if( bytes.size() < 12 || std::memcmp( bytes.data(), "RIFF", 4 ) != 0 || std::memcmp( &bytes[ 8 ], "WAVE", 4 ) != 0 )
        return false;
    int channels = 0;
    int rate = 0;
    int bits = 0;
    size_t at = 12;
    while( at + 8 <= bytes.size() )
    {
        uint32_t size = read32( bytes, at + 4 );
        size_t body = at + 8;
        if( size > bytes.size() - body )
            size = uint32_t( bytes.size() - body );
        if( std::memcmp( &bytes[ at ], "fmt ", 4 ) == 0 && size >= 16 )
        {
            channels = read16( bytes, body + 2 );
            rate = int( read32( bytes, body + 4 ) );
            bits = read16( bytes, body + 14 );
        }
        else if( std::memcmp( &bytes[ at ], "data", 4 ) == 0 )
        {
            if( bits != 16 || channels < 1 )
                return false;
            out.channels = channels;
            out.rate = rate;
            out.samples.clear();
            for( size_t i = 0; i + 1 < size; i += 2 )
                out.samples.push_back( int16_t( read16( bytes, body + i ) ) / 32768.0f );
            return true;
        }
        at = body + size + ( size & 1 );
    }
    return false;
}

bool speak( const std::string& line, SoundBuffer& out, std::string& error )
{
    TemporaryFolder folder;
    if( !folder.ok() )
    {
        error = "cannot make a temporary folder for the speech";
        return false;
    }
    std::string spoken = folder.file( "spoken.wav" );
    std::string finished = folder.file( "finished.wav" );
    // A bright female voice, a little quick and high, sounds cheerful.
    if( !run( { "espeak-ng", "-v", "en-us+f4", "-s", "150", "-p", "68", "-a", "160", "-w", spoken, line }, error ) )
        return false;
    // sox -R keeps its dither repeatable, so the archive stays the same from run to run.
    if( !run( { "sox",    "-R",       "-G",  spoken,  "-r",  "22050", "-c", "1",    "-b",     "16",
                finished, "highpass", "110", "pitch", "120", "tempo", "-s", "1.06", "treble", "5",
                "3500",   "reverb",   "18",  "50",    "35",  "gain",  "-n", "-1" },
              error ) )
        return false;
    std::ifstream in( finished, std::ios::binary );
    std::vector<uint8_t> bytes( ( std::istreambuf_iterator<char>( in ) ), std::istreambuf_iterator<char>() );
    SoundBuffer voice;
    if( !readWAV( bytes, voice ) || voice.rate != int( Synth::kRate ) || voice.channels != 1 )
    {
        error = "the speech came back in a form we cannot read";
        return false;
    }
    // A short lead-in, and a gentle end to the room's tail.
    out.channels = 1;
    out.rate = voice.rate;
    out.samples.assign( Synth::frames( 0.03 ), 0.0f );
    out.samples.insert( out.samples.end(), voice.samples.begin(), voice.samples.end() );
    Synth::dcBlock( out.samples );
    Synth::fadeOut( out.samples, 0.08 );
    Synth::scaleToPeak( out.samples, 0.9 );
    return true;
}
} // namespace SpeechMaker

#include "Framework/audio/HWAVLoader.h"

#include <climits>
#include <cstring>

#include "Framework/FileSystem/src/HFile.h"
#include "Framework/FileSystem/src/HFileSystem.h"
#include "Framework/util/src/HLog.h"

namespace
{
uint32_t read32( const uint8_t* kpBytes )
{
    return static_cast<uint32_t>( kpBytes[ 0 ] ) | static_cast<uint32_t>( kpBytes[ 1 ] ) << 8 |
           static_cast<uint32_t>( kpBytes[ 2 ] ) << 16 | static_cast<uint32_t>( kpBytes[ 3 ] ) << 24;
}

uint32_t read16( const uint8_t* kpBytes )
{
    return static_cast<uint32_t>( kpBytes[ 0 ] ) | static_cast<uint32_t>( kpBytes[ 1 ] ) << 8;
}

// The whole file buffer, freed on every way out.
class FileBuffer
{
public:
    explicit FileBuffer( uint8_t* pData )
        : m_pData( pData )
    {
    }
    ~FileBuffer() { HAudioLoader::freeSampleData( m_pData ); }
    FileBuffer( const FileBuffer& ) = delete;
    FileBuffer& operator=( const FileBuffer& ) = delete;
    const uint8_t* get() const { return m_pData; }

private:
    uint8_t* m_pData;
};
}

void HWAVLoader::widen8To16( const uint8_t* kpSource, uint32_t count, uint8_t* pDestination )
{
    for( uint32_t index = 0; index < count; ++index )
    {
        // High byte: the centred value; low byte: its magnitude (0 -> 8080, 128 -> 0000, 255 -> 7F7F).
        int32_t centred = static_cast<int32_t>( kpSource[ index ] ) - 128;
        pDestination[ index * 2 ] = static_cast<uint8_t>( centred < 0 ? -centred : centred );
        pDestination[ index * 2 + 1 ] = static_cast<uint8_t>( static_cast<int8_t>( centred ) );
    }
}

void HWAVLoader::narrow16To8( const uint8_t* kpSource, uint32_t count, uint8_t* pDestination )
{
    for( uint32_t index = 0; index < count; ++index )
    {
        int32_t value = static_cast<int16_t>( static_cast<uint16_t>( read16( kpSource + index * 2 ) ) );
        pDestination[ index ] = static_cast<uint8_t>( ( ( value >> 8 ) + 128 ) & 0xff );
    }
}

bool HWAVLoader::loadAudioSample( HFileSystem* pFileSystem, const char* kpName, AudioSample& sample, int32_t bits,
                                  int32_t frequency )
{
    if( pFileSystem == nullptr || kpName == nullptr )
        return false;
    HFile* pFile = pFileSystem->openFileForRead( kpName );
    if( pFile == nullptr )
        return false;
    uint32_t fileSize = 0;
    FileBuffer file( m_readWholeFile( pFile, 4, fileSize ) );
    const uint8_t* kpFile = file.get();
    if( kpFile == nullptr )
        return false;
    if( fileSize < kHeaderSize )
    {
        debugTrace( "HWAVLoader::loadAudioSample - file '%s' is shorter than its header", kpName );
        return false;
    }

    if( std::memcmp( kpFile, "RIFF", 4 ) != 0 || std::memcmp( kpFile + 8, "WAVE", 4 ) != 0 ||
        read32( kpFile + 16 ) != 16 || std::memcmp( kpFile + 36, "data", 4 ) != 0 )
        return false;

    const int32_t channels = static_cast<int32_t>( read16( kpFile + 22 ) );
    const int32_t fileRate = static_cast<int32_t>( read32( kpFile + 24 ) );
    const int32_t fileBits = static_cast<int32_t>( read16( kpFile + 34 ) );
    uint32_t dataSize = read32( kpFile + 40 );

    if( fileRate != frequency )
    {
        debugTrace( "HWAVLoader::loadAudioSample - file '%s' frequency %d != requested frequency %d", kpName, fileRate,
                    frequency );
        return false;
    }
    if( bits != fileBits && !( bits == 16 && fileBits == 8 ) && !( bits == 8 && fileBits == 16 ) )
    {
        debugTrace( "HWAVLoader::loadAudioSample - Bit size mismatch %d vs. %d", bits, fileBits );
        return false;
    }
    if( bits != 8 && bits != 16 )
    {
        debugTrace( "HWAVLoader::loader - m_iBitsPerSample (%d) unsupported in file '%s'", bits, kpName );
        return false;
    }
    if( channels != 1 && channels != 2 )
    {
        debugTrace( "HWAVLoader::loadAudioSample - %d channels unsupported in file '%s'", channels, kpName );
        return false;
    }

    if( dataSize > fileSize - kHeaderSize )
    {
        debugTrace( "HWAVLoader::loadAudioSample - file '%s' holds %u of its %u data bytes", kpName,
                    fileSize - kHeaderSize, dataSize );
        dataSize = fileSize - kHeaderSize;
    }
    const uint32_t frameBytes = static_cast<uint32_t>( channels * fileBits / 8 );
    dataSize -= dataSize % frameBytes;
    if( dataSize == 0 )
    {
        debugTrace( "HWAVLoader::loadAudioSample - file '%s' holds no samples", kpName );
        return false;
    }

    const uint8_t* kpData = kpFile + kHeaderSize;
    uint32_t newSize = dataSize;
    if( bits == 16 && fileBits == 8 )
        newSize = dataSize * 2;
    else if( bits == 8 && fileBits == 16 )
        newSize = dataSize / 2;
    if( newSize > INT32_MAX )
        return false;
    uint8_t* pConverted = allocateSampleData( newSize );
    if( pConverted == nullptr )
        return false;

    if( bits == fileBits )
    {
        std::memcpy( pConverted, kpData, dataSize );
    }
    else if( bits == 16 )
    {
        widen8To16( kpData, dataSize, pConverted );
    }
    else
    {
        debugTrace( "Untested!" );
        narrow16To8( kpData, dataSize / 2, pConverted );
    }

    sample.data = pConverted;
    sample.channels = channels;
    sample.bits = bits;
    sample.frequency = fileRate;
    sample.size = static_cast<int32_t>( newSize );
    return true;
}

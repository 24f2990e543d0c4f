#include "Framework/audio/HOGGLoader.h"

#include "Framework/FileSystem/src/HFile.h"
#include "Framework/FileSystem/src/HFileSystem.h"
#include "Framework/audio/HOVAudioStream.h"
#include "Framework/util/src/HLog.h"

bool HOGGLoader::loadAudioSample( HFileSystem* pFileSystem, const char* kpName, AudioSample& sample, int32_t bits,
                                  int32_t frequency )
{
    if( pFileSystem == nullptr || kpName == nullptr )
        return false;
    HFile* pFile = pFileSystem->openFileForRead( kpName );
    if( pFile == nullptr )
    {
        debugTrace( "HOGGLoader::loadAudioSample - could not open file '%s'", kpName );
        return false;
    }
    uint32_t fileSize = 0;
    uint8_t* pFileData = m_readWholeFile( pFile, 1, fileSize );
    if( pFileData == nullptr )
    {
        debugTrace( "HOGGLoader::loadAudioSample - could not read file '%s'", kpName );
        return false;
    }

    HOVAudioStream stream;
    if( !stream.init() )
    {
        freeSampleData( pFileData );
        debugTrace( "HOGGLoader::load - could not initialize ovas" );
        return false;
    }
    stream.setLooping( false );
    if( !stream.setStream( pFileData, fileSize, bits, frequency, 0 ) )
    {
        stream.shutdown();
        freeSampleData( pFileData );
        return false;
    }

    // The decoder yields 16-bit data at the file's own rate; anything else would play as noise
    // or at the wrong pitch.
    bool usable = true;
    if( bits != 16 )
    {
        debugTrace( "HOGGLoader::loadAudioSample - %d bits requested from '%s', which decodes to 16", bits, kpName );
        usable = false;
    }
    else if( stream.getFrequency() != frequency )
    {
        debugTrace( "HOGGLoader::loadAudioSample - file '%s' frequency %d != requested frequency %d", kpName,
                    stream.getFrequency(), frequency );
        usable = false;
    }
    int32_t length = stream.getLength();
    if( usable && ( length <= 0 || length > kMaximumDecodedSize ) )
    {
        debugTrace( "HOGGLoader::loadAudioSample - file '%s' has an unusable length %d", kpName, length );
        usable = false;
    }

    uint8_t* pDecoded = usable ? allocateSampleData( static_cast<uint32_t>( length ) ) : nullptr;
    int32_t decoded = 0;
    if( pDecoded != nullptr )
    {
        decoded = stream.readNextChunk( pDecoded, length );
        // Whole frames only.
        decoded -= decoded % ( stream.getChannels() * 2 );
    }
    const int32_t channels = stream.getChannels();
    stream.shutdown();
    freeSampleData( pFileData );
    if( decoded <= 0 )
    {
        freeSampleData( pDecoded );
        return false;
    }
    if( decoded < length )
        debugTrace( "HOGGLoader::loadAudioSample - file '%s' decoded %d of %d bytes", kpName, decoded, length );

    sample.data = pDecoded;
    sample.channels = channels;
    sample.bits = bits;
    sample.frequency = frequency;
    sample.size = decoded;
    return true;
}

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "Framework/audio/HLock.h"
#include "Framework/audio/HOVAudioStream.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/SoundFiles.h"

namespace
{
const int32_t kRate = 22050;

// A lock that counts, so a test sees the decoder used only while it is held.
class CountingLock : public HLock
{
public:
    bool init() override { return true; }
    void shutdown() override {}
    void lock() override
    {
        ++locks;
        held = true;
    }
    void unlock() override
    {
        ++unlocks;
        held = false;
    }
    int locks = 0;
    int unlocks = 0;
    bool held = false;
};

// One second of stereo: distinct tones per channel, so any misplaced sample shows.
const std::string& stereoOgg()
{
    static const std::string s_bytes = encodeOgg( synthSine( kRate, 2, kRate, 440.0, 12000.0 ), 2, kRate );
    return s_bytes;
}

const StraightDecode& stereoReference()
{
    static const StraightDecode s_reference = decodeOggStraight( stereoOgg() );
    return s_reference;
}

std::vector<int16_t> read( HOVAudioStream& stream, int32_t values, int32_t* pDelivered = nullptr )
{
    std::vector<int16_t> out( static_cast<size_t>( values ), 0x1234 );
    int32_t delivered = stream.readNextChunk( reinterpret_cast<uint8_t*>( out.data() ), values * 2 );
    if( pDelivered != nullptr )
        *pDelivered = delivered;
    else
        EXPECT_EQ( delivered, values * 2 );
    return out;
}

std::vector<int16_t> slice( const std::vector<int16_t>& values, size_t from, size_t count )
{
    return std::vector<int16_t>( values.begin() + static_cast<std::ptrdiff_t>( from ),
                                 values.begin() + static_cast<std::ptrdiff_t>( from + count ) );
}

class OVStreamTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE( stereoOgg().empty() );
        ASSERT_TRUE( stereoReference().ok );
        ASSERT_TRUE( m_stream.init() );
    }

    bool open( const std::string& bytes, int32_t loopPosition )
    {
        m_bytes = bytes;
        return m_stream.setStream( reinterpret_cast<const uint8_t*>( m_bytes.data() ),
                                   static_cast<uint32_t>( m_bytes.size() ), 16, kRate, loopPosition );
    }

    RecordingProcessServices m_services;
    std::string m_bytes;
    HOVAudioStream m_stream;
};
}

TEST( CompressedAudioStreamTest, ReadCallbackCopiesWhatIsLeftAndCountsWholeItems )
{
    const uint8_t kData[ 14 ] = { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13 };
    HOVAudioStream stream;
    stream.HCompressedAudioStream::setStream( kData, sizeof( kData ), 16, kRate, 0 );
    uint8_t buffer[ 32 ] = {};
    EXPECT_EQ( HCompressedAudioStream::readCallback( buffer, 1, 4, &stream ), 4u );
    EXPECT_EQ( HCompressedAudioStream::tellCallback( &stream ), 4 );
    // Item size 4 with 10 bytes left: 2 items counted, all 10 bytes taken.
    EXPECT_EQ( HCompressedAudioStream::readCallback( buffer, 4, 8, &stream ), 2u );
    EXPECT_EQ( std::memcmp( buffer, kData + 4, 10 ), 0 );
    EXPECT_EQ( HCompressedAudioStream::tellCallback( &stream ), 14 );
    EXPECT_EQ( HCompressedAudioStream::readCallback( buffer, 1, 8, &stream ), 0u );
    EXPECT_EQ( HCompressedAudioStream::readCallback( buffer, 0, 8, &stream ), 0u );
    // A huge item count must not overflow into a small copy length.
    HCompressedAudioStream::seekCallback( &stream, 0, SEEK_SET );
    EXPECT_EQ( HCompressedAudioStream::readCallback( buffer, 2, SIZE_MAX / 2 + 2, &stream ), 7u );
    EXPECT_EQ( HCompressedAudioStream::closeCallback( &stream ), 0 );
}

TEST( CompressedAudioStreamTest, SeeksStayInsideTheBlock )
{
    RecordingProcessServices services;
    const uint8_t kData[ 10 ] = {};
    HOVAudioStream stream;
    stream.HCompressedAudioStream::setStream( kData, sizeof( kData ), 16, kRate, 0 );

    EXPECT_EQ( HCompressedAudioStream::seekCallback( &stream, 10, SEEK_SET ), 0 ) << "exactly the end is allowed";
    EXPECT_EQ( HCompressedAudioStream::tellCallback( &stream ), 10 );
    EXPECT_EQ( HCompressedAudioStream::seekCallback( &stream, 3, SEEK_SET ), 0 );
    EXPECT_EQ( HCompressedAudioStream::seekCallback( &stream, 11, SEEK_SET ), -1 );
    EXPECT_EQ( HCompressedAudioStream::tellCallback( &stream ), 10 );
    EXPECT_EQ( services.debugTraces().back(), "HCompressedAudioStream::m_seekStream - SEEK_SET out of range" );
    EXPECT_EQ( HCompressedAudioStream::seekCallback( &stream, -1, SEEK_SET ), -1 );
    EXPECT_EQ( HCompressedAudioStream::tellCallback( &stream ), 0 );

    EXPECT_EQ( HCompressedAudioStream::seekCallback( &stream, 4, SEEK_CUR ), 0 );
    EXPECT_EQ( HCompressedAudioStream::seekCallback( &stream, -2, SEEK_CUR ), 0 );
    EXPECT_EQ( HCompressedAudioStream::tellCallback( &stream ), 2 );
    EXPECT_EQ( HCompressedAudioStream::seekCallback( &stream, 9, SEEK_CUR ), -1 );
    EXPECT_EQ( HCompressedAudioStream::tellCallback( &stream ), 10 );
    EXPECT_EQ( services.debugTraces().back(), "HCompressedAudioStream::m_seekStream - SEEK_CUR out of range" );
    EXPECT_EQ( HCompressedAudioStream::seekCallback( &stream, -11, SEEK_CUR ), -1 );
    EXPECT_EQ( HCompressedAudioStream::tellCallback( &stream ), 0 );

    EXPECT_EQ( HCompressedAudioStream::seekCallback( &stream, 0, SEEK_END ), 0 );
    EXPECT_EQ( HCompressedAudioStream::tellCallback( &stream ), 10 );
    EXPECT_EQ( HCompressedAudioStream::seekCallback( &stream, -4, SEEK_END ), 0 );
    EXPECT_EQ( HCompressedAudioStream::tellCallback( &stream ), 6 );
    EXPECT_EQ( HCompressedAudioStream::seekCallback( &stream, 1, SEEK_END ), -1 );
    EXPECT_EQ( HCompressedAudioStream::tellCallback( &stream ), 10 );
    EXPECT_EQ( HCompressedAudioStream::seekCallback( &stream, -11, SEEK_END ), -1 );
    EXPECT_EQ( HCompressedAudioStream::tellCallback( &stream ), 0 );
    EXPECT_EQ( services.debugTraces().back(), "HCompressedAudioStream::m_seekStream - SEEK_END out of range" );

    EXPECT_EQ( HCompressedAudioStream::seekCallback( &stream, 0, 7 ), -1 );
    EXPECT_EQ( services.debugTraces().back(), "HCompressedAudioStream::m_seekStream - invalid whence '7'" );
}

TEST_F( OVStreamTest, DecodesExactlyWhatAStraightDecodeGives )
{
    ASSERT_TRUE( open( stereoOgg(), 0 ) );
    EXPECT_TRUE( m_stream.isOpened() );
    EXPECT_EQ( m_stream.getChannels(), 2 );
    EXPECT_EQ( m_stream.getFrequency(), kRate );
    const std::vector<int16_t>& reference = stereoReference().values;
    EXPECT_EQ( m_stream.getLength(), static_cast<int32_t>( reference.size() * 2 ) );
    EXPECT_EQ( m_stream.getLength(), kRate * 2 * 2 ) << "one second, two channels, two bytes";
    // Odd block sizes, as the output may ask for, still give the same samples.
    std::vector<int16_t> decoded;
    for( int32_t block : { 1000, 3, 4410, 17 } )
    {
        std::vector<int16_t> part = read( m_stream, block * 2 );
        decoded.insert( decoded.end(), part.begin(), part.end() );
    }
    EXPECT_EQ( decoded, slice( reference, 0, decoded.size() ) );
}

TEST_F( OVStreamTest, BlockSpanningTheEndContinuesFromTheLoopPosition )
{
    const int32_t kLoop = 12345;
    ASSERT_TRUE( open( stereoOgg(), kLoop ) );
    const std::vector<int16_t>& reference = stereoReference().values;
    const size_t total = reference.size();
    read( m_stream, static_cast<int32_t>( total - 1000 ) );
    // 1000 values before the end, then the loop seam, then again twice round.
    const size_t loopValues = static_cast<size_t>( kLoop ) * 2;
    const size_t loopLength = total - loopValues;
    std::vector<int16_t> block = read( m_stream, static_cast<int32_t>( 1000 + 2 * loopLength + 500 ) );
    std::vector<int16_t> expected = slice( reference, total - 1000, 1000 );
    for( int pass = 0; pass < 2; ++pass )
    {
        std::vector<int16_t> loop = slice( reference, loopValues, loopLength );
        expected.insert( expected.end(), loop.begin(), loop.end() );
    }
    std::vector<int16_t> tail = slice( reference, loopValues, 500 );
    expected.insert( expected.end(), tail.begin(), tail.end() );
    ASSERT_EQ( block.size(), expected.size() );
    EXPECT_TRUE( block == expected ) << "the loop seam is not sample-exact";
}

TEST_F( OVStreamTest, RestartGoesBackToTheFirstSampleUnderTheLock )
{
    CountingLock lock;
    ASSERT_TRUE( open( stereoOgg(), 0 ) );
    m_stream.setLock( &lock );
    read( m_stream, 5000 );
    EXPECT_EQ( lock.locks, 1 );
    m_stream.restart();
    EXPECT_EQ( lock.locks, 2 );
    EXPECT_EQ( lock.unlocks, 2 );
    EXPECT_FALSE( lock.held );
    EXPECT_EQ( read( m_stream, 300 ), slice( stereoReference().values, 0, 300 ) );
}

TEST_F( OVStreamTest, GarbageIsRefusedAndThenDeliversNothing )
{
    std::string garbage( 5000, '\0' );
    for( size_t index = 0; index < garbage.size(); ++index )
        garbage[ index ] = static_cast<char>( index * 131 + 7 );
    EXPECT_FALSE( open( garbage, 0 ) );
    EXPECT_FALSE( m_stream.isOpened() );
    EXPECT_EQ( m_services.debugTraces().back(), "HOggPageCheck - no page at byte 0" );
    int32_t delivered = -1;
    read( m_stream, 100, &delivered );
    EXPECT_EQ( delivered, 0 );
    EXPECT_EQ( m_stream.getLength(), 0 );
    m_stream.restart();

    // "OggS" followed by rubbish, and an empty block.
    EXPECT_FALSE( open( "OggS" + garbage, 0 ) );
    EXPECT_FALSE( open( std::string(), 0 ) );
    // The stream can still be opened over good data afterwards.
    EXPECT_TRUE( open( stereoOgg(), 0 ) );
}

TEST_F( OVStreamTest, LoopPositionPastTheEndLoopsFromTheStartInsteadOfSpinning )
{
    for( int32_t loop : { kRate, kRate * 10, -5 } )
    {
        ASSERT_TRUE( open( stereoOgg(), loop ) );
        EXPECT_EQ( m_stream.getLoopPosition(), 0 ) << loop;
        const std::vector<int16_t>& reference = stereoReference().values;
        read( m_stream, static_cast<int32_t>( reference.size() ) );
        EXPECT_EQ( read( m_stream, 200 ), slice( reference, 0, 200 ) ) << loop;
    }
}

TEST_F( OVStreamTest, TruncatedFileNeverSpinsAndDecodesOnlyWhatItHolds )
{
    const std::string& whole = stereoOgg();
    const std::vector<int16_t>& reference = stereoReference().values;
    int opened = 0;
    for( size_t cut : { whole.size() / 2, whole.size() - 3, static_cast<size_t>( 4500 ), static_cast<size_t>( 60 ) } )
    {
        if( !open( whole.substr( 0, cut ), 0 ) )
            continue; // too short even for the headers: refused, as it should be
        ++opened;
        int32_t length = m_stream.getLength();
        EXPECT_LE( length, static_cast<int32_t>( reference.size() * 2 ) );
        // Twice round whatever the stream claims: the read must come back.
        std::vector<int16_t> out( static_cast<size_t>( length + 4000 ) );
        int32_t delivered = m_stream.readNextChunk( reinterpret_cast<uint8_t*>( out.data() ),
                                                    static_cast<int32_t>( out.size() * 2 ) );
        EXPECT_GE( delivered, 0 );
        EXPECT_LE( delivered, static_cast<int32_t>( out.size() * 2 ) );
    }
    EXPECT_GE( opened, 2 );
    EXPECT_FALSE( open( whole.substr( 0, 60 ), 0 ) ) << "60 bytes hold no complete header";
}

TEST_F( OVStreamTest, NonLoopingStreamStopsAtItsEnd )
{
    ASSERT_TRUE( open( stereoOgg(), 0 ) );
    m_stream.setLooping( false );
    const std::vector<int16_t>& reference = stereoReference().values;
    int32_t delivered = 0;
    std::vector<int16_t> out = read( m_stream, static_cast<int32_t>( reference.size() + 1000 ), &delivered );
    EXPECT_EQ( delivered, static_cast<int32_t>( reference.size() * 2 ) );
    EXPECT_EQ( slice( out, 0, reference.size() ), reference );
}

TEST_F( OVStreamTest, ShutdownAndUseWithoutInit )
{
    ASSERT_TRUE( open( stereoOgg(), 0 ) );
    m_stream.shutdown();
    EXPECT_FALSE( m_stream.isOpened() );
    EXPECT_EQ( m_stream.getLength(), 0 );
    m_stream.shutdown();
    EXPECT_FALSE( open( stereoOgg(), 0 ) ) << "no decoder state without init";
    int32_t delivered = -1;
    read( m_stream, 10, &delivered );
    EXPECT_EQ( delivered, 0 );
    ASSERT_TRUE( m_stream.init() );
    EXPECT_TRUE( open( stereoOgg(), 0 ) );
    // Opening again over the same state closes the first decode first (no leak under ASan).
    EXPECT_TRUE( open( stereoOgg(), 100 ) );
}

TEST_F( OVStreamTest, PagesOutOfOrderDamagedOrForeignAreRefusedBeforeTheDecoderSeesThem )
{
    const std::string& whole = stereoOgg();
    std::vector<size_t> pages;
    for( size_t at = whole.find( "OggS" ); at != std::string::npos; at = whole.find( "OggS", at + 1 ) )
        pages.push_back( at );
    // The identification, the comment and set-up headers, then the sound.
    ASSERT_GE( pages.size(), 3u );
    auto page = [ & ]( size_t index )
    {
        size_t end = index + 1 < pages.size() ? pages[ index + 1 ] : whole.size();
        return whole.substr( pages[ index ], end - pages[ index ] );
    };
    std::string flipped = whole;
    flipped[ pages[ 2 ] + 40 ] ^= 0x10;
    std::string foreign = page( 2 );
    foreign[ 14 ] ^= 0x55; // another stream's serial number; its checksum no longer matches either
    std::string crashed;
    {
        std::ifstream in( std::string( GLIMMERDROP_SOURCE_DIR ) + "/fuzz/corpus/ogg_stream/crash-pagein-negative-memmove.ogg",
                          std::ios::binary );
        crashed.assign( std::istreambuf_iterator<char>( in ), std::istreambuf_iterator<char>() );
    }
    // The fuzz target takes its first two bytes as the loop position.
    ASSERT_GT( crashed.size(), 2u );
    crashed.erase( 0, 2 );
    const struct
    {
        const char* kpWhat;
        std::string bytes;
        const char* kpWhy;
    } kaCases[] = {
        // Before this check the Ogg library copied a negative length on the read after a seek.
        { "the reproduction", crashed, "page of a stream not begun" },
        { "a damaged page", flipped, "bad checksum" },
        { "a page left out", whole.substr( 0, pages[ 1 ] ) + page( 2 ), "page missing before" },
        { "a page twice", whole.substr( 0, pages[ 2 ] ) + page( 1 ) + page( 2 ), "page missing before" },
        { "rubbish between pages", whole.substr( 0, pages[ 2 ] ) + "junk" + page( 2 ), "no page" },
        { "a foreign page", whole.substr( 0, pages[ 2 ] ) + foreign + page( 2 ), "bad checksum" },
        { "the file twice over", whole + whole, "stream begun twice" },
    };
    for( const auto& entry : kaCases )
    {
        EXPECT_FALSE( open( entry.bytes, 0 ) ) << entry.kpWhat;
        ASSERT_FALSE( m_services.debugTraces().empty() );
        EXPECT_EQ( m_services.debugTraces().back().rfind( std::string( "HOggPageCheck - " ) + entry.kpWhy, 0 ), 0u )
            << entry.kpWhat << ": " << m_services.debugTraces().back();
        int32_t delivered = -1;
        read( m_stream, 4000, &delivered );
        EXPECT_EQ( delivered, 0 );
    }
    EXPECT_TRUE( open( whole, 0 ) );
}

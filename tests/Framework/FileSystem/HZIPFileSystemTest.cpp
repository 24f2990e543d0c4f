#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Framework/FileSystem/src/HZIPFileSystem.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/TempDir.h"

namespace
{
std::string patternText( size_t size )
{
    std::string text;
    for( size_t i = 0; text.size() < size; ++i )
        text += "line " + std::to_string( i ) + " of the candy archive\n";
    text.resize( size );
    return text;
}

// Archives made by the zip tool: one stored, one deflated, one in a folder, one empty.
class HZIPFileSystemTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir.write( "src/stored.txt", "" );
        std::filesystem::create_directories( m_dir.file( "src/Sub" ) );
        m_dir.write( "src/stored.txt", "stored bytes" );
        m_dir.write( "src/Deflated.TXT", patternText( 50000 ) );
        m_dir.write( "src/Sub/inner.tga", "inner" );
        m_dir.write( "src/empty", "" );
        std::string cd = "cd '" + m_dir.file( "src" ) + "' && ";
        ASSERT_EQ( runCommand( cd + "zip -q -0 ../game.vxz stored.txt empty && zip -q -9 ../game.vxz Deflated.TXT "
                                    "Sub/inner.tga" ),
                   0 );
        m_archive = m_dir.file( "game.vxz" );
    }

    std::string readEntry( HFile* pFile )
    {
        std::string data( pFile->getSize(), '\0' );
        uint32_t got = pFile->read( data.data(), pFile->getSize() );
        data.resize( got );
        return data;
    }

    std::string archiveBytes() const { return m_dir.read( "game.vxz" ); }

    // Offset of the central-directory record of an entry.
    size_t centralRecord( const std::string& bytes, const std::string& name ) const
    {
        for( size_t pos = bytes.find( "PK\x01\x02" ); pos != std::string::npos; pos = bytes.find( "PK\x01\x02", pos + 4 ) )
        {
            size_t nameLength = static_cast<unsigned char>( bytes[ pos + 28 ] ) | ( static_cast<unsigned char>( bytes[ pos + 29 ] ) << 8 );
            if( bytes.compare( pos + 46, nameLength, name ) == 0 )
                return pos;
        }
        return std::string::npos;
    }

    RecordingProcessServices m_services;
    TempDir m_dir;
    std::string m_archive;
};
}

TEST_F( HZIPFileSystemTest, StoredDeflatedFolderAndEmptyEntriesRead )
{
    HZIPFileSystem fs;
    ASSERT_TRUE( fs.init( m_archive.c_str() ) );
    EXPECT_STREQ( fs.getDirName(), "" );

    HFile* pStored = fs.openFileForRead( "stored.txt" );
    ASSERT_NE( pStored, nullptr );
    EXPECT_STREQ( pStored->getClassName(), "HFile" );
    EXPECT_EQ( readEntry( pStored ), "stored bytes" );
    pStored->close();

    HFile* pDeflated = fs.openFileForRead( "Deflated.TXT" );
    ASSERT_NE( pDeflated, nullptr );
    EXPECT_EQ( pDeflated->getSize(), 50000u );
    EXPECT_EQ( readEntry( pDeflated ), patternText( 50000 ) );
    pDeflated->close();

    HFile* pInner = fs.openFileForRead( "Sub/inner.tga" );
    ASSERT_NE( pInner, nullptr );
    EXPECT_EQ( readEntry( pInner ), "inner" );
    pInner->close();

    HFile* pEmpty = fs.openFileForRead( "empty" );
    ASSERT_NE( pEmpty, nullptr );
    EXPECT_EQ( pEmpty->getSize(), 0u );
    pEmpty->close();
    EXPECT_EQ( fs.openFileCount(), 0 );
}

TEST_F( HZIPFileSystemTest, LookupIgnoresCaseButNotSeparators )
{
    HZIPFileSystem fs;
    ASSERT_TRUE( fs.init( m_archive.c_str() ) );
    EXPECT_TRUE( fs.fileExists( "deflated.txt" ) );
    EXPECT_TRUE( fs.fileExists( "SUB/INNER.TGA" ) );
    EXPECT_FALSE( fs.fileExists( "Sub\\inner.tga" ) );
    EXPECT_FALSE( fs.fileExists( "inner.tga" ) );
    EXPECT_FALSE( fs.fileExists( nullptr ) );
    HFile* pFile = fs.openFileForRead( "STORED.TXT" );
    ASSERT_NE( pFile, nullptr );
    EXPECT_STREQ( pFile->getName(), "STORED.TXT" );
    EXPECT_EQ( readEntry( pFile ), "stored bytes" );
    pFile->close();
    EXPECT_EQ( fs.openFileForRead( "Sub\\inner.tga" ), nullptr );
}

TEST_F( HZIPFileSystemTest, EveryReadStartsAtTheEntrysFirstByte )
{
    HZIPFileSystem fs;
    ASSERT_TRUE( fs.init( m_archive.c_str() ) );
    HFile* pFile = fs.openFileForRead( "deflated.txt" );
    ASSERT_NE( pFile, nullptr );
    char first[ 10 ], second[ 10 ];
    EXPECT_EQ( pFile->read( first, sizeof( first ) ), 10u );
    EXPECT_EQ( pFile->read( second, sizeof( second ) ), 10u );
    EXPECT_EQ( std::string( first, 10 ), std::string( second, 10 ) );
    // Asking for more than the entry holds yields the entry's length.
    std::string big( 60000, '\0' );
    EXPECT_EQ( pFile->read( big.data(), 60000 ), 50000u );
    EXPECT_FALSE( pFile->rewind() );
    EXPECT_EQ( pFile->write( "x", 1 ), 0u );
    pFile->close();
}

TEST_F( HZIPFileSystemTest, WritingIsRefusedAndTheTableHas16Slots )
{
    HZIPFileSystem fs;
    ASSERT_TRUE( fs.init( m_archive.c_str() ) );
    EXPECT_EQ( fs.openFileForWrite( "new.txt" ), nullptr );
    EXPECT_EQ( fs.openFileCount(), 0 );
    EXPECT_EQ( fs.fileTime( "stored.txt" ), 0u );

    std::vector<HFile*> files;
    for( int i = 0; i < 16; ++i )
    {
        files.push_back( fs.openFileForRead( "stored.txt" ) );
        ASSERT_NE( files.back(), nullptr );
    }
    EXPECT_EQ( fs.openFileForRead( "stored.txt" ), nullptr );
    files[ 3 ]->close();
    EXPECT_EQ( fs.openFileForRead( "deflated.txt" ), files[ 3 ] );
    for( HFile* pFile : files )
        pFile->close();
    EXPECT_EQ( fs.openFileCount(), 0 );
}

TEST_F( HZIPFileSystemTest, AnOpenEmptyEntryKeepsItsSlot )
{
    HZIPFileSystem fs;
    ASSERT_TRUE( fs.init( m_archive.c_str() ) );
    HFile* pEmpty = fs.openFileForRead( "empty" );
    ASSERT_NE( pEmpty, nullptr );
    HFile* pOther = fs.openFileForRead( "stored.txt" );
    ASSERT_NE( pOther, nullptr );
    EXPECT_NE( pOther, pEmpty ) << "CRC 0 must not make an open slot look free";
    EXPECT_STREQ( pEmpty->getName(), "empty" );
    pEmpty->close();
    pOther->close();
}

TEST_F( HZIPFileSystemTest, MissingTruncatedAndGarbageArchivesFailToOpen )
{
    HZIPFileSystem missing;
    EXPECT_FALSE( missing.init( m_dir.file( "nothing.vxz" ).c_str() ) );
    EXPECT_EQ( missing.openFileForRead( "stored.txt" ), nullptr );
    EXPECT_FALSE( missing.fileExists( "stored.txt" ) );

    std::string bytes = archiveBytes();
    for( size_t cut : { size_t( 0 ), size_t( 10 ), bytes.size() / 2, bytes.size() - 5 } )
    {
        m_dir.write( "cut.vxz", bytes.substr( 0, cut ) );
        HZIPFileSystem fs;
        EXPECT_FALSE( fs.init( m_dir.file( "cut.vxz" ).c_str() ) ) << cut;
    }
    std::string garbage( 4096, '\0' );
    for( size_t i = 0; i < garbage.size(); ++i )
        garbage[ i ] = static_cast<char>( ( i * 7919 ) >> 3 );
    m_dir.write( "garbage.vxz", garbage );
    HZIPFileSystem fs;
    EXPECT_FALSE( fs.init( m_dir.file( "garbage.vxz" ).c_str() ) );
    EXPECT_FALSE( fs.init( nullptr ) );
}

TEST_F( HZIPFileSystemTest, CorruptEntryDataReadsAsFailure )
{
    std::string bytes = archiveBytes();
    size_t local = bytes.find( "Deflated.TXT" );
    ASSERT_NE( local, std::string::npos );
    // Flip bytes well inside the compressed data of the deflated entry.
    for( size_t i = local + 200; i < local + 260; ++i )
        bytes[ i ] = static_cast<char>( bytes[ i ] ^ 0x5A );
    m_dir.write( "bad.vxz", bytes );
    HZIPFileSystem fs;
    ASSERT_TRUE( fs.init( m_dir.file( "bad.vxz" ).c_str() ) );
    HFile* pFile = fs.openFileForRead( "Deflated.TXT" );
    ASSERT_NE( pFile, nullptr );
    std::string data( pFile->getSize(), '\0' );
    EXPECT_LT( pFile->read( data.data(), pFile->getSize() ), pFile->getSize() );
    pFile->close();
    // The intact entries still read.
    HFile* pStored = fs.openFileForRead( "stored.txt" );
    ASSERT_NE( pStored, nullptr );
    EXPECT_EQ( readEntry( pStored ), "stored bytes" );
    pStored->close();
}

TEST_F( HZIPFileSystemTest, EntriesWhoseStoredSizesLieAreRefusedOrReadShort )
{
    const struct
    {
        const char* kpName;
        uint32_t claimedSize;
    } lies[] = { { "Deflated.TXT", 0xFFFFFFF0u }, { "stored.txt", 100000u }, { "Deflated.TXT", 1000u }, { "stored.txt", 3u } };
    for( const auto& lie : lies )
    {
        std::string bytes = archiveBytes();
        size_t record = centralRecord( bytes, lie.kpName );
        ASSERT_NE( record, std::string::npos );
        for( int i = 0; i < 4; ++i )
            bytes[ record + 24 + i ] = static_cast<char>( lie.claimedSize >> ( 8 * i ) );
        m_dir.write( "lie.vxz", bytes );
        HZIPFileSystem fs;
        ASSERT_TRUE( fs.init( m_dir.file( "lie.vxz" ).c_str() ) );
        HFile* pFile = fs.openFileForRead( lie.kpName );
        if( pFile == nullptr )
            continue;
        // Whatever it claims, a read never goes past the buffer and never reports success.
        std::vector<char> buffer( pFile->getSize() + 16, '#' );
        uint32_t got = pFile->read( buffer.data(), pFile->getSize() );
        EXPECT_LT( got, pFile->getSize() ) << lie.kpName << " " << lie.claimedSize;
        for( size_t i = pFile->getSize(); i < buffer.size(); ++i )
            ASSERT_EQ( buffer[ i ], '#' );
        pFile->close();
    }
}

TEST_F( HZIPFileSystemTest, NamesOf256CharactersOrMoreAreNeverFound )
{
    std::string longName( 120, 'a' );
    std::string path = longName + "/" + longName + "/" + std::string( 20, 'z' ); // 261 characters
    std::filesystem::create_directories( m_dir.file( "long/" + longName + "/" + longName ) );
    m_dir.write( "long/" + path, "deep" );
    ASSERT_EQ( runCommand( "cd '" + m_dir.file( "long" ) + "' && zip -q ../long.vxz '" + path + "'" ), 0 );
    HZIPFileSystem fs;
    ASSERT_TRUE( fs.init( m_dir.file( "long.vxz" ).c_str() ) );
    EXPECT_FALSE( fs.fileExists( path.c_str() ) );
    EXPECT_EQ( fs.openFileForRead( path.c_str() ), nullptr );
}

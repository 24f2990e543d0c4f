#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Framework/FileSystem/src/HStandardFileSystem.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/TempDir.h"

namespace
{
class HStandardFileSystemTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testing::internal::CaptureStdout();
        m_fs.init( m_dir.path().c_str() );
        m_initOutput = testing::internal::GetCapturedStdout();
    }

    RecordingProcessServices m_services;
    TempDir m_dir;
    HStandardFileSystem m_fs;
    std::string m_initOutput;
};
}

TEST_F( HStandardFileSystemTest, InitAnnouncesTheDirectory )
{
    EXPECT_EQ( m_initOutput, "dir = " + m_dir.path() + "\n" );
    EXPECT_EQ( std::string( m_fs.getDirName() ), m_dir.path() );
}

TEST_F( HStandardFileSystemTest, ReadsWholeFilesThroughTheLoaderSequence )
{
    m_dir.write( "data.bin", std::string( "\x00\x01hello\xff", 8 ) );
    HFile* pFile = m_fs.openFileForRead( "data.bin" );
    ASSERT_NE( pFile, nullptr );
    EXPECT_TRUE( pFile->isA( "HStandardFile" ) );
    EXPECT_TRUE( pFile->isA( "hfile" ) );
    EXPECT_STREQ( pFile->getClassName(), "HStandardFile" );
    EXPECT_EQ( pFile->getSize(), 8u );
    EXPECT_EQ( std::string( pFile->getName() ), m_dir.path() + "/data.bin" );
    std::vector<char> buffer( pFile->getSize() );
    EXPECT_EQ( pFile->read( buffer.data(), pFile->getSize() ), 8u );
    EXPECT_EQ( std::string( buffer.data(), 8 ), std::string( "\x00\x01hello\xff", 8 ) );
    // Reads continue where the last one stopped; rewind starts over.
    EXPECT_EQ( pFile->read( buffer.data(), 8 ), 0u );
    EXPECT_TRUE( pFile->rewind() );
    EXPECT_EQ( pFile->read( buffer.data(), 3 ), 3u );
    pFile->close();
    EXPECT_EQ( m_fs.openFileCount(), 0 );
}

TEST_F( HStandardFileSystemTest, EmptyAndMissingFiles )
{
    m_dir.write( "empty", "" );
    HFile* pFile = m_fs.openFileForRead( "empty" );
    ASSERT_NE( pFile, nullptr );
    EXPECT_EQ( pFile->getSize(), 0u );
    char c;
    EXPECT_EQ( pFile->read( &c, 1 ), 0u );
    pFile->close();
    EXPECT_EQ( m_fs.openFileForRead( "missing" ), nullptr );
    EXPECT_EQ( m_fs.openFileCount(), 0 );
    EXPECT_TRUE( m_fs.fileExists( "empty" ) );
    EXPECT_FALSE( m_fs.fileExists( "missing" ) );
    EXPECT_EQ( m_fs.openFileCount(), 0 );
}

TEST_F( HStandardFileSystemTest, WritingAndTheModeChecks )
{
    HFile* pOut = m_fs.openFileForWrite( "journal.bin" );
    ASSERT_NE( pOut, nullptr );
    EXPECT_EQ( pOut->getSize(), 0u );
    EXPECT_EQ( pOut->write( "abc", 3 ), 3u );
    EXPECT_EQ( pOut->write( "de", 2 ), 2u );
    char buffer[ 8 ];
    EXPECT_EQ( pOut->read( buffer, sizeof( buffer ) ), 0u ) << "read on a write-opened file";
    pOut->flush();
    EXPECT_EQ( m_dir.read( "journal.bin" ), "abcde" );
    EXPECT_EQ( pOut->getSize(), 0u ) << "size is measured once at open";
    pOut->close();

    HFile* pIn = m_fs.openFileForRead( "journal.bin" );
    ASSERT_NE( pIn, nullptr );
    EXPECT_EQ( pIn->write( "x", 1 ), 0u ) << "write on a read-opened file";
    ASSERT_EQ( m_services.boxes.size(), 1u );
    EXPECT_EQ( m_services.boxes[ 0 ].text.rfind( "Expression ( m_mode & FM_WRITE ) != 0 failed in "
                                                 "Framework\\FileSystem\\src\\HStandardFile at line ",
                                                 0 ),
               0u );
    pIn->close();
    EXPECT_EQ( m_dir.read( "journal.bin" ), "abcde" );
}

TEST_F( HStandardFileSystemTest, SeventeenthOpenFailsUntilOneIsClosed )
{
    m_dir.write( "f", "x" );
    std::vector<HFile*> files;
    for( int i = 0; i < 16; ++i )
    {
        files.push_back( m_fs.openFileForRead( "f" ) );
        ASSERT_NE( files.back(), nullptr ) << i;
    }
    EXPECT_EQ( m_fs.openFileForRead( "f" ), nullptr );
    EXPECT_EQ( m_fs.openFileForWrite( "g" ), nullptr );
    EXPECT_FALSE( m_fs.fileExists( "f" ) );
    EXPECT_EQ( m_fs.openFileCount(), 16 );
    auto& traces = RecordingProcessServices::debugTraces();
    ASSERT_EQ( traces.size(), 3u );
    EXPECT_EQ( traces[ 0 ], "HSFS::m_openFileForRead - too many open files" );
    EXPECT_EQ( traces[ 1 ], "HSFS::m_openFileForWrite - too many open files" );
    EXPECT_EQ( traces[ 2 ], "HSFS::fileExists - too many open files" );

    files[ 5 ]->close();
    HFile* pReused = m_fs.openFileForRead( "f" );
    EXPECT_EQ( pReused, files[ 5 ] ) << "the first free slot in table order";
    for( HFile* pFile : files )
        pFile->close();
}

TEST_F( HStandardFileSystemTest, ClosingAnUnopenedFileChangesNothing )
{
    m_dir.write( "f", "x" );
    HFile* pFile = m_fs.openFileForRead( "f" );
    pFile->close();
    pFile->close();
    EXPECT_EQ( m_fs.openFileCount(), 0 );
    ASSERT_FALSE( RecordingProcessServices::debugTraces().empty() );
    EXPECT_EQ( RecordingProcessServices::debugTraces().back(), "HSFS::m_closeFile - attempted to close unopened file" );
}

TEST_F( HStandardFileSystemTest, ShutdownReportsOpenFilesAndClosesNothing )
{
    m_dir.write( "a", "1" );
    HFile* pFile = m_fs.openFileForRead( "a" );
    m_fs.shutdown();
    ASSERT_EQ( RecordingProcessServices::debugTraces().size(), 1u );
    EXPECT_EQ( RecordingProcessServices::debugTraces()[ 0 ],
               "HStandardFileSystem::shutdown - file '" + m_dir.path() + "/a' still open" );
    EXPECT_EQ( m_fs.openFileCount(), 1 );
    pFile->close();
}

TEST_F( HStandardFileSystemTest, JoinedPathUpTo1023CharactersWorksAndLongerIsRefused )
{
    // Nested folders keep every component under the system's own name limit.
    std::string relative;
    while( m_dir.path().size() + 1 + relative.size() + 201 < 1000 )
        relative += std::string( 200, 'd' ) + "/";
    std::filesystem::create_directories( m_dir.file( relative ) );
    size_t room = 1023 - ( m_dir.path().size() + 1 + relative.size() );
    std::string fits = relative + std::string( room, 'f' );
    std::string tooLong = relative + std::string( room + 1, 'f' );
    m_dir.write( fits, "ok" );
    m_dir.write( tooLong, "never" );

    HFile* pFile = m_fs.openFileForRead( fits.c_str() );
    ASSERT_NE( pFile, nullptr );
    EXPECT_EQ( std::string( pFile->getName() ).size(), 1023u );
    pFile->close();

    EXPECT_EQ( m_fs.openFileForRead( tooLong.c_str() ), nullptr );
    EXPECT_EQ( m_fs.openFileForWrite( tooLong.c_str() ), nullptr );
    EXPECT_FALSE( m_fs.fileExists( tooLong.c_str() ) );
    EXPECT_EQ( m_fs.openFileCount(), 0 );
    EXPECT_EQ( m_dir.read( tooLong ), "never" ) << "a refused write must not touch any file";
    EXPECT_EQ( m_fs.openFileForRead( nullptr ), nullptr );
}

TEST_F( HStandardFileSystemTest, FileTimeUsesTheNameAsGiven )
{
    m_dir.write( "t", "1" );
    EXPECT_EQ( m_fs.fileTime( "t" ), 0u ) << "not joined to the directory";
    EXPECT_GT( m_fs.fileTime( m_dir.file( "t" ).c_str() ), 1600000000u );
}

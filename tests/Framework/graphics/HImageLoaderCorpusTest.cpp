#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <regex>

#include "Framework/graphics/HImage.h"
#include "Framework/graphics/HJPEGLoader.h"
#include "Framework/graphics/HPNGLoader.h"
#include "tests/support/ImageFiles.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/TempDir.h"

// Other projects' files: PngSuite, PNG files that once crashed readers, palettes shorter than
// their data, and the JPEG library's own test pictures.

namespace fs = std::filesystem;

namespace
{
std::vector<fs::path> filesIn( const std::string& folder, const std::string& extension )
{
    std::vector<fs::path> files;
    for( const auto& entry : fs::directory_iterator( folder ) )
    {
        if( entry.path().extension() == extension )
            files.push_back( entry.path() );
    }
    std::sort( files.begin(), files.end() );
    return files;
}

template <class Loader> bool decodeFile( Loader& loader, const fs::path& path )
{
    std::string bytes = readFileBytes( path.string() );
    // A buffer of exactly the file's size, so any read past it is caught by the sanitizer build.
    std::unique_ptr<uint8_t[]> exact( new uint8_t[ bytes.size() + 1 ] );
    std::copy( bytes.begin(), bytes.end(), exact.get() );
    return loader.decode( exact.get(), static_cast<uint32_t>( bytes.size() ), path.filename().string().c_str() );
}

bool tracedStart( const std::string& start )
{
    const auto& traces = RecordingProcessServices::debugTraces();
    return std::any_of( traces.begin(), traces.end(),
                        [ & ]( const std::string& text ) { return text.rfind( start, 0 ) == 0; } );
}

class HImageLoaderCorpusTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_corpus = corpusDir();
        if( m_corpus.empty() )
            GTEST_SKIP() << "no corpus folder (set GLIMMERDROP_CORPUS)";
    }

    RecordingProcessServices m_services;
    std::string m_corpus;
    TempDir m_dir;
};
} // namespace

TEST_F( HImageLoaderCorpusTest, PngSuiteDecodesExactlyTheSupportedKinds )
{
    // PngSuite names carry the colour type and depth: "basn3p08" is colour type 3 at 8 bits.
    const std::regex kKind( R"(([0-6])[a-z]([0-9][0-9])\.png$)" );
    int decoded = 0;
    int refused = 0;
    for( const fs::path& path : filesIn( m_corpus + "/png/pngsuite", ".png" ) )
    {
        std::smatch match;
        std::string name = path.filename().string();
        ASSERT_TRUE( std::regex_search( name, match, kKind ) ) << name;
        int colourType = std::stoi( match[ 1 ] );
        int depth = std::stoi( match[ 2 ] );
        bool supported = depth == 8 && ( colourType == 2 || colourType == 3 || colourType == 6 );
        HPNGLoader loader;
        bool loaded = decodeFile( loader, path );
        ASSERT_EQ( loaded, supported ) << name;
        if( !loaded )
        {
            EXPECT_TRUE( tracedStart( "File '" + name + "' has unknown colorType " + std::to_string( colourType ) +
                                      " with iBPP = " + std::to_string( depth ) ) )
                << name;
            ++refused;
            continue;
        }
        ++decoded;
        // Another decoder's reading; transparency chunks are ignored here, so alpha is compared
        // only where the file has an alpha channel.
        std::string pam = m_dir.file( name + ".pam" );
        ASSERT_TRUE( tool( "pngtopam -alphapam " + path.string() + " >" + pam ) ) << name;
        RgbaPicture expected;
        ASSERT_TRUE( readPNM( pam, expected ) ) << name;
        RgbaPicture actual = pictureOf( *loader.getImage() );
        ASSERT_EQ( actual.width, expected.width ) << name;
        ASSERT_EQ( actual.height, expected.height ) << name;
        for( size_t i = 0; i < actual.rgba.size(); ++i )
        {
            if( i % 4 == 3 && colourType != 6 )
                ASSERT_EQ( actual.rgba[ i ], 255 ) << name;
            else
                ASSERT_EQ( actual.rgba[ i ], expected.rgba[ i ] ) << name << " byte " << i;
        }
    }
    EXPECT_GT( decoded, 20 );
    EXPECT_GT( refused, 20 );
}

TEST_F( HImageLoaderCorpusTest, FilesThatCrashedReadersAreHandled )
{
    int total = 0;
    for( const char* kpFolder : { "/png/crashers", "/png/badpal" } )
    {
        for( const fs::path& path : filesIn( m_corpus + kpFolder, ".png" ) )
        {
            HPNGLoader loader;
            bool loaded = decodeFile( loader, path );
            EXPECT_EQ( loaded, loader.getImage() != nullptr ) << path;
            if( loaded )
            {
                EXPECT_GT( loader.getImage()->getWidth(), 0 );
                EXPECT_LE( loader.getImage()->getWidth(), HImage::kMaxSide );
            }
            ++total;
        }
    }
    EXPECT_GT( total, 25 );
}

TEST_F( HImageLoaderCorpusTest, CorruptChecksumsAndHugeChunksAreRefused )
{
    for( const char* kpName : { "badcrc.png", "badadler.png", "huge_IDAT.png", "huge_iCCP_chunk.png", "bad_iCCP.png" } )
    {
        HPNGLoader loader;
        EXPECT_FALSE( decodeFile( loader, m_corpus + "/png/crashers/" + kpName ) ) << kpName;
    }
}

TEST_F( HImageLoaderCorpusTest, TheJpegLibrarysPicturesDecodeLikeItsOwnTool )
{
    for( const char* kpName : { "testorig.jpg", "testimgint.jpg", "testimgari.jpg" } )
    {
        std::string path = m_corpus + "/jpeg/" + kpName;
        HJPEGLoader loader;
        ASSERT_TRUE( decodeFile( loader, path ) ) << kpName;
        std::string pnm = m_dir.file( std::string( kpName ) + ".ppm" );
        ASSERT_TRUE( tool( "djpeg -pnm -outfile " + pnm + " " + path ) );
        RgbaPicture expected;
        ASSERT_TRUE( readPNM( pnm, expected ) );
        EXPECT_TRUE( pictureOf( *loader.getImage() ).rgba == expected.rgba ) << kpName;
    }
    // And the baseline picture is close to the original it was made from.
    HJPEGLoader loader;
    ASSERT_TRUE( decodeFile( loader, m_corpus + "/jpeg/testorig.jpg" ) );
    RgbaPicture original;
    ASSERT_TRUE( readPNM( m_corpus + "/jpeg/testorig.ppm", original ) );
    RgbaPicture decoded = pictureOf( *loader.getImage() );
    ASSERT_EQ( decoded.width, original.width );
    ASSERT_EQ( decoded.height, original.height );
    double error = 0;
    for( size_t i = 0; i < decoded.rgba.size(); ++i )
        error += std::abs( decoded.rgba[ i ] - original.rgba[ i ] );
    EXPECT_LT( error / ( decoded.rgba.size() * 3 / 4 ), 6.0 );
}

TEST_F( HImageLoaderCorpusTest, TwelveBitJpegIsRefusedCleanly )
{
    HJPEGLoader loader;
    EXPECT_FALSE( decodeFile( loader, m_corpus + "/jpeg/monkey12.jpg" ) );
    EXPECT_TRUE( tracedStart( "HJPEGLoader::load - 'monkey12.jpg': Unsupported JPEG data precision 12" ) );
    EXPECT_EQ( loader.getImage(), nullptr );
}

TEST_F( HImageLoaderCorpusTest, TruncatedCorpusFilesNeverDecode )
{
    for( const char* kpName : { "/jpeg/testorig.jpg", "/jpeg/testimgint.jpg", "/jpeg/testimgari.jpg",
                                "/png/pngsuite/basn6a08.png", "/png/pngsuite/ibasn3p08.png" } )
    {
        std::string bytes = readFileBytes( m_corpus + kpName );
        bool png = std::string( kpName ).find( ".png" ) != std::string::npos;
        for( size_t length = 0; length < bytes.size(); length += ( length + 50 < bytes.size() ? 41 : 1 ) )
        {
            std::unique_ptr<uint8_t[]> cut( new uint8_t[ length + 1 ] );
            std::copy( bytes.begin(), bytes.begin() + static_cast<long>( length ), cut.get() );
            bool loaded;
            if( png )
            {
                HPNGLoader loader;
                loaded = loader.decode( cut.get(), static_cast<uint32_t>( length ), kpName );
            }
            else
            {
                HJPEGLoader loader;
                loaded = loader.decode( cut.get(), static_cast<uint32_t>( length ), kpName );
            }
            EXPECT_FALSE( loaded ) << kpName << " cut at " << length;
        }
    }
}

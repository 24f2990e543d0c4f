#include "Framework/graphics/HPNGLoader.h"

#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <png.h>

#include "Framework/graphics/HImage.h"
#include "Framework/util/src/HLog.h"

namespace
{
// Deflate cannot expand data more than about 1032 times; a header asking for more image than
// that from the file's size is lying, and is refused before anything is allocated.
const uint64_t kMaxInflateRatio = 1032;

// Everything the decoding frame shares with its caller. It lives in the caller, so nothing the
// long jump skips over owns memory.
struct PngJob
{
    const uint8_t* kpData;
    size_t size;
    size_t position;
    const char* kpFileName;
    png_structp png;
    png_infop info;
    png_infop endInfo;
    png_uint_32 width;
    png_uint_32 height;
    int bitDepth;
    int colourType;
    size_t rowBytes;
    uint8_t* pRows;
    png_colorp palette;
    int paletteSize;
    bool unsupported;
};

void readFromMemory( png_structp png, png_bytep pOut, png_size_t count )
{
    PngJob* pJob = static_cast<PngJob*>( png_get_io_ptr( png ) );
    if( count > pJob->size - pJob->position )
        png_error( png, "Read Error: the file ends early" );
    std::memcpy( pOut, pJob->kpData + pJob->position, count );
    pJob->position += count;
}

void onError( png_structp png, png_const_charp kpMessage )
{
    alert( "lpng122 encountered fatal error '%s'", kpMessage );
    png_longjmp( png, 1 );
}

void onWarning( png_structp, png_const_charp kpMessage )
{
    alert( "lpng122 encountered warning '%s'", kpMessage );
}

bool isSupported( const PngJob& job )
{
    return job.bitDepth == 8 && ( job.colourType == PNG_COLOR_TYPE_PALETTE || job.colourType == PNG_COLOR_TYPE_RGB ||
                                  job.colourType == PNG_COLOR_TYPE_RGB_ALPHA );
}

// No C++ object with a destructor may live in this frame: libpng leaves it by a long jump.
bool decodeRows( PngJob* pJob )
{
    if( setjmp( png_jmpbuf( pJob->png ) ) )
        return false;
    png_set_read_fn( pJob->png, pJob, readFromMemory );
    png_set_user_limits( pJob->png, HImage::kMaxSide, HImage::kMaxSide );
    // No ancillary chunk changes the pixels the game draws, so none is read: a damaged or
    // oversized one is skipped instead of being allocated and parsed.
    png_set_keep_unknown_chunks( pJob->png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1 );
    png_read_info( pJob->png, pJob->info );
    int interlace = 0;
    int compression = 0;
    int filter = 0;
    png_get_IHDR( pJob->png, pJob->info, &pJob->width, &pJob->height, &pJob->bitDepth, &pJob->colourType, &interlace,
                  &compression, &filter );
    if( !isSupported( *pJob ) )
    {
        pJob->unsupported = true;
        return false;
    }
    if( pJob->colourType == PNG_COLOR_TYPE_PALETTE &&
        png_get_PLTE( pJob->png, pJob->info, &pJob->palette, &pJob->paletteSize ) == 0 )
    {
        pJob->palette = nullptr;
        pJob->paletteSize = 0;
    }
    int passes = png_set_interlace_handling( pJob->png );
    png_read_update_info( pJob->png, pJob->info );
    pJob->rowBytes = png_get_rowbytes( pJob->png, pJob->info );
    uint64_t rawSize = static_cast<uint64_t>( pJob->rowBytes + 1 ) * pJob->height;
    if( rawSize > kMaxInflateRatio * pJob->size )
        png_error( pJob->png, "Image is larger than its data can hold" );
    pJob->pRows = static_cast<uint8_t*>( std::calloc( static_cast<size_t>( pJob->height ), pJob->rowBytes ) );
    if( pJob->pRows == nullptr )
        png_error( pJob->png, "Out of memory for the image" );
    for( int pass = 0; pass < passes; ++pass )
    {
        for( png_uint_32 y = 0; y < pJob->height; ++y )
            png_read_row( pJob->png, pJob->pRows + static_cast<size_t>( y ) * pJob->rowBytes, nullptr );
    }
    // Reading on to the end checks what the rows alone leave unchecked: the image data's
    // checksums and the end of the file.
    png_read_end( pJob->png, pJob->endInfo );
    return true;
}

void convertRows( const PngJob& job, HImage& image )
{
    for( png_uint_32 y = 0; y < job.height; ++y )
    {
        const uint8_t* kpRow = job.pRows + static_cast<size_t>( y ) * job.rowBytes;
        for( png_uint_32 x = 0; x < job.width; ++x )
        {
            uint32_t value;
            if( job.colourType == PNG_COLOR_TYPE_PALETTE )
            {
                int index = kpRow[ x ];
                // An index past a short palette has no colour: it shows as opaque black.
                if( index < job.paletteSize )
                    value = HImage::packARGB( job.palette[ index ].red, job.palette[ index ].green,
                                              job.palette[ index ].blue, 255 );
                else
                    value = HImage::packARGB( 0, 0, 0, 255 );
            }
            else if( job.colourType == PNG_COLOR_TYPE_RGB )
            {
                const uint8_t* kp = kpRow + x * 3;
                value = HImage::packARGB( kp[ 0 ], kp[ 1 ], kp[ 2 ], 255 );
            }
            else
            {
                const uint8_t* kp = kpRow + x * 4;
                value = HImage::packARGB( kp[ 0 ], kp[ 1 ], kp[ 2 ], kp[ 3 ] );
            }
            image.setPixel32( static_cast<int32_t>( x ), static_cast<int32_t>( y ), value );
        }
    }
}
} // namespace

bool HPNGLoader::decode( const uint8_t* kpData, uint32_t size, const char* kpFileName )
{
    freeImage();
    if( kpFileName == nullptr )
        kpFileName = "(null)";
    if( kpData == nullptr || size < 8 || png_sig_cmp( const_cast<png_bytep>( kpData ), 0, 8 ) != 0 )
    {
        debugTrace( "HPNGLoader::load - invalid PNG file '%s'", kpFileName );
        return false;
    }
    PngJob job = {};
    job.kpData = kpData;
    job.size = size;
    job.kpFileName = kpFileName;
    job.png = png_create_read_struct( PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning );
    if( job.png == nullptr )
        return false;
    job.info = png_create_info_struct( job.png );
    job.endInfo = png_create_info_struct( job.png );
    if( job.info == nullptr || job.endInfo == nullptr )
    {
        png_destroy_read_struct( &job.png, &job.info, &job.endInfo );
        return false;
    }
    bool decoded = decodeRows( &job );
    std::unique_ptr<uint8_t, decltype( &std::free )> rows( job.pRows, &std::free );
    if( job.unsupported )
        debugTrace( "File '%s' has unknown colorType %d with iBPP = %d", kpFileName, job.colourType, job.bitDepth );
    if( decoded )
    {
        HImage* pImage = new HImage( static_cast<int32_t>( job.width ), static_cast<int32_t>( job.height ), IF_ARGB32 );
        if( pImage->hasPixels() )
        {
            convertRows( job, *pImage );
            m_pImage = pImage;
        }
        else
        {
            delete pImage;
            decoded = false;
        }
    }
    // The palette belongs to the info record: it goes only now, after the conversion.
    png_destroy_read_struct( &job.png, &job.info, &job.endInfo );
    if( decoded )
        debugTrace( "...loaded '%s' %dx%dx%d\n", kpFileName, static_cast<int>( job.width ),
                    static_cast<int>( job.height ), 4 );
    return decoded;
}

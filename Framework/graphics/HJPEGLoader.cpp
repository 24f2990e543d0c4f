#include "Framework/graphics/HJPEGLoader.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>

// The library's header needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

#include "Framework/graphics/HImage.h"
#include "Framework/util/src/HLog.h"

namespace
{
const long kMaxLibraryMemory = 128L * 1024 * 1024;

struct JpegErrors
{
    jpeg_error_mgr manager;
    jmp_buf jump;
    int badWarnings;
    char message[ JMSG_LENGTH_MAX ];
};

// Each decoder reads from its own copy of the file; nothing here is shared between loads.
struct JpegSource
{
    jpeg_source_mgr manager;
    const uint8_t* kpData;
    size_t size;
};

struct JpegJob
{
    jpeg_decompress_struct info;
    JpegErrors errors;
    JpegSource source;
    uint8_t* pPixels;
    size_t rowBytes;
};

void raiseEndOfInput( j_decompress_ptr pInfo )
{
    pInfo->err->msg_code = JERR_INPUT_EOF;
    pInfo->err->error_exit( reinterpret_cast<j_common_ptr>( pInfo ) );
}

void onErrorExit( j_common_ptr pInfo )
{
    JpegErrors* pErrors = reinterpret_cast<JpegErrors*>( pInfo->err );
    pInfo->err->format_message( pInfo, pErrors->message );
    longjmp( pErrors->jump, 1 );
}

// Warnings (level -1) mean damaged data, except the few about markers the decoder does not use.
void onMessage( j_common_ptr pInfo, int level )
{
    if( level >= 0 )
        return;
    JpegErrors* pErrors = reinterpret_cast<JpegErrors*>( pInfo->err );
    int code = pInfo->err->msg_code;
    if( code == JWRN_JFIF_MAJOR || code == JWRN_ADOBE_XFORM || code == JWRN_BOGUS_ICC )
        return;
    if( pErrors->badWarnings++ == 0 )
        pInfo->err->format_message( pInfo, pErrors->message );
}

void onOutput( j_common_ptr ) {}

void initSource( j_decompress_ptr ) {}

void termSource( j_decompress_ptr ) {}

// The whole file is in the buffer from the start: a request for more means it ended early.
boolean fillInputBuffer( j_decompress_ptr pInfo )
{
    raiseEndOfInput( pInfo );
    return FALSE;
}

void skipInputData( j_decompress_ptr pInfo, long count )
{
    if( count <= 0 )
        return;
    jpeg_source_mgr* pSource = pInfo->src;
    if( static_cast<unsigned long>( count ) > pSource->bytes_in_buffer )
        raiseEndOfInput( pInfo );
    pSource->next_input_byte += count;
    pSource->bytes_in_buffer -= static_cast<size_t>( count );
}

// No C++ object with a destructor may live in this frame: the library leaves it by a long jump.
bool decodeRows( JpegJob* pJob )
{
    if( setjmp( pJob->errors.jump ) )
        return false;
    jpeg_CreateDecompress( &pJob->info, JPEG_LIB_VERSION, sizeof( jpeg_decompress_struct ) );
    pJob->info.src = &pJob->source.manager;
    // A few bytes of header can ask for gigabytes of coefficients (progressive pictures keep them
    // all); past this the library stops with an error instead.
    pJob->info.mem->max_memory_to_use = kMaxLibraryMemory;
    jpeg_read_header( &pJob->info, TRUE );
    if( pJob->info.image_width > static_cast<JDIMENSION>( HImage::kMaxSide ) ||
        pJob->info.image_height > static_cast<JDIMENSION>( HImage::kMaxSide ) )
    {
        pJob->info.err->msg_code = JERR_IMAGE_TOO_BIG;
        pJob->info.err->msg_parm.i[ 0 ] = static_cast<int>( pJob->info.image_width );
        pJob->info.err->error_exit( reinterpret_cast<j_common_ptr>( &pJob->info ) );
    }
    // Grey pictures come out as RGB; four-channel ones cannot, and are refused below.
    if( pJob->info.jpeg_color_space == JCS_GRAYSCALE || pJob->info.jpeg_color_space == JCS_YCbCr ||
        pJob->info.jpeg_color_space == JCS_RGB )
        pJob->info.out_color_space = JCS_RGB;
    jpeg_start_decompress( &pJob->info );
    if( pJob->info.output_components != 3 )
    {
        pJob->info.err->msg_code = JERR_CONVERSION_NOTIMPL;
        pJob->info.err->error_exit( reinterpret_cast<j_common_ptr>( &pJob->info ) );
    }
    pJob->rowBytes = static_cast<size_t>( pJob->info.output_width ) * 3;
    pJob->pPixels = static_cast<uint8_t*>( std::malloc( pJob->rowBytes * pJob->info.output_height ) );
    if( pJob->pPixels == nullptr )
    {
        pJob->info.err->msg_code = JERR_OUT_OF_MEMORY;
        pJob->info.err->error_exit( reinterpret_cast<j_common_ptr>( &pJob->info ) );
    }
    while( pJob->info.output_scanline < pJob->info.output_height )
    {
        JSAMPROW row = pJob->pPixels + static_cast<size_t>( pJob->info.output_scanline ) * pJob->rowBytes;
        if( jpeg_read_scanlines( &pJob->info, &row, 1 ) != 1 )
            raiseEndOfInput( &pJob->info );
    }
    jpeg_finish_decompress( &pJob->info );
    return true;
}
} // namespace

bool HJPEGLoader::decode( const uint8_t* kpData, uint32_t size, const char* kpFileName )
{
    freeImage();
    if( kpFileName == nullptr )
        kpFileName = "(null)";
    if( kpData == nullptr || size == 0 )
    {
        debugTrace( "HJPEGLoader::load - '%s' is empty", kpFileName );
        return false;
    }
    std::unique_ptr<JpegJob> job( new JpegJob() );
    job->info.err = jpeg_std_error( &job->errors.manager );
    job->errors.manager.error_exit = onErrorExit;
    job->errors.manager.emit_message = onMessage;
    job->errors.manager.output_message = onOutput;
    job->source.kpData = kpData;
    job->source.size = size;
    job->source.manager.next_input_byte = kpData;
    job->source.manager.bytes_in_buffer = size;
    job->source.manager.init_source = initSource;
    job->source.manager.fill_input_buffer = fillInputBuffer;
    job->source.manager.skip_input_data = skipInputData;
    job->source.manager.resync_to_restart = jpeg_resync_to_restart;
    job->source.manager.term_source = termSource;

    bool decoded = decodeRows( job.get() );
    std::unique_ptr<uint8_t, decltype( &std::free )> pixels( job->pPixels, &std::free );
    int32_t width = static_cast<int32_t>( job->info.output_width );
    int32_t height = static_cast<int32_t>( job->info.output_height );
    // Safe also when creation failed part-way: the record started zeroed.
    jpeg_destroy_decompress( &job->info );
    if( !decoded || job->errors.badWarnings > 0 )
    {
        debugTrace( "HJPEGLoader::load - '%s': %s", kpFileName, job->errors.message );
        return false;
    }
    HImage* pImage = new HImage( width, height, IF_ARGB32 );
    if( !pImage->hasPixels() )
    {
        delete pImage;
        return false;
    }
    uint8_t* pOut = pImage->getData();
    const uint8_t* kpIn = pixels.get();
    size_t count = static_cast<size_t>( width ) * static_cast<size_t>( height );
    for( size_t i = 0; i < count; ++i )
    {
        pOut[ 0 ] = kpIn[ 2 ];
        pOut[ 1 ] = kpIn[ 1 ];
        pOut[ 2 ] = kpIn[ 0 ];
        pOut[ 3 ] = 255;
        pOut += 4;
        kpIn += 3;
    }
    m_pImage = pImage;
    debugTrace( "...loaded '%s' %dx%dx%d\n", kpFileName, width, height, 32 );
    return true;
}

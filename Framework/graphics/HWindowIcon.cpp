#include "Framework/graphics/HWindowIcon.h"

#include <algorithm>
#include <cmath>

namespace
{
// Signed distance to the drop: a round body below joined by straight tangents to a small
// round tip above (a capsule with uneven ends).
float dropDistance( float x, float y )
{
    const float kBodyY = 0.63f;
    const float kBodyRadius = 0.31f;
    const float kTipRadius = 0.025f;
    const float kLength = 0.54f;
    float px = std::fabs( x - 0.5f );
    float py = kBodyY - y;
    float b = ( kBodyRadius - kTipRadius ) / kLength;
    float a = std::sqrt( 1.0f - b * b );
    float k = -b * px + a * py;
    if( k < 0.0f )
        return std::sqrt( px * px + py * py ) - kBodyRadius;
    if( k > a * kLength )
        return std::sqrt( px * px + ( py - kLength ) * ( py - kLength ) ) - kTipRadius;
    return a * px + b * py - kBodyRadius;
}

float clamp01( float v )
{
    return std::min( 1.0f, std::max( 0.0f, v ) );
}

struct Colour
{
    float r, g, b;
};

Colour mix( Colour a, Colour b, float t )
{
    return { a.r + ( b.r - a.r ) * t, a.g + ( b.g - a.g ) * t, a.b + ( b.b - a.b ) * t };
}
} // namespace

void HWindowIcon::paint( uint32_t* pArgb, int32_t size )
{
    if( pArgb == nullptr || size <= 0 )
        return;
    const Colour kOutline = { 0.45f, 0.05f, 0.30f };
    const Colour kDeep = { 0.85f, 0.10f, 0.55f };
    const Colour kLight = { 1.00f, 0.55f, 0.80f };
    const Colour kWhite = { 1.0f, 1.0f, 1.0f };
    const int kSamples = 4;
    for( int32_t py = 0; py < size; ++py )
    {
        for( int32_t px = 0; px < size; ++px )
        {
            // Four by four samples per pixel keep the edge smooth at 16 or 32 pixels.
            float coverage = 0.0f;
            Colour sum = { 0, 0, 0 };
            for( int sy = 0; sy < kSamples; ++sy )
            {
                for( int sx = 0; sx < kSamples; ++sx )
                {
                    float x = ( px + ( sx + 0.5f ) / kSamples ) / size;
                    float y = ( py + ( sy + 0.5f ) / kSamples ) / size;
                    float d = dropDistance( x, y );
                    const float kOutlineWidth = 0.045f;
                    if( d > kOutlineWidth )
                        continue;
                    Colour c;
                    if( d > 0.0f )
                        c = kOutline;
                    else
                    {
                        // Light from the upper left, deeper colour towards the lower right.
                        float shade = clamp01( ( x - 0.25f ) * 0.9f + ( y - 0.2f ) * 0.9f );
                        c = mix( kLight, kDeep, shade );
                        float gx = ( x - 0.40f ) / 0.09f;
                        float gy = ( y - 0.50f ) / 0.14f;
                        float gloss = clamp01( 1.2f - ( gx * gx + gy * gy ) );
                        c = mix( c, kWhite, gloss * 0.85f );
                        float spark = clamp01(
                            1.0f - ( ( x - 0.62f ) * ( x - 0.62f ) + ( y - 0.74f ) * ( y - 0.74f ) ) / 0.0012f );
                        c = mix( c, kWhite, spark * 0.7f );
                    }
                    sum.r += c.r;
                    sum.g += c.g;
                    sum.b += c.b;
                    coverage += 1.0f;
                }
            }
            uint32_t word = 0;
            if( coverage > 0.0f )
            {
                float alpha = coverage / ( kSamples * kSamples );
                auto byte = [ coverage ]( float v )
                { return static_cast<uint32_t>( clamp01( v / coverage ) * 255.0f + 0.5f ); };
                word = static_cast<uint32_t>( alpha * 255.0f + 0.5f ) << 24 | byte( sum.r ) << 16 | byte( sum.g ) << 8 |
                       byte( sum.b );
            }
            pArgb[ static_cast<size_t>( py ) * size + px ] = word;
        }
    }
}

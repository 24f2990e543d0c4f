#ifndef GLIMMERDROP_TOOLS_MKASSETS_CANVAS_H
#define GLIMMERDROP_TOOLS_MKASSETS_CANVAS_H

#include <cairo.h>

#include <cstdint>
#include <vector>

// A cairo image surface (premultiplied ARGB32) with the pixel operations cairo lacks:
// blurring, box downsampling and export to the straight-alpha layouts the writers need.
class Canvas
{
public:
    Canvas( int width, int height );
    ~Canvas();
    Canvas( const Canvas& other );
    Canvas& operator=( const Canvas& other ) = delete;
    Canvas( Canvas&& other ) noexcept;
    Canvas& operator=( Canvas&& other ) noexcept;

    int width() const { return m_width; }
    int height() const { return m_height; }
    cairo_t* cr() const { return m_cr; }
    cairo_surface_t* surface() const { return m_surface; }

    // Premultiplied 0xAARRGGBB words, row by row; call markDirty after changing them.
    uint32_t* pixels();
    const uint32_t* pixels() const;
    int stridePixels() const;
    void markDirty();

    void clear();
    // Paints another canvas at (x, y) with the given opacity, using the current context state.
    void paint( const Canvas& other, double x = 0.0, double y = 0.0, double alpha = 1.0 );

    // A gaussian-like blur (three box passes) of every channel.
    void blur( double radius );
    // Area-averaged reduction by an integer factor.
    Canvas downsampled( int factor ) const;
    // Keeps the alpha, replaces the colour (shadows and glows from a shape).
    void tint( double r, double g, double b );
    // Multiplies every pixel's alpha (and, premultiplied, its colour) by the other canvas's alpha.
    void maskBy( const Canvas& mask );
    // A copy holding 1 - alpha of this canvas as white.
    Canvas inverted() const;

    // Straight-alpha bytes in the order blue, green, red, alpha, rows top to bottom.
    std::vector<uint8_t> straightBGRA() const;
    // Red, green, blue, rows top to bottom, composited over black.
    std::vector<uint8_t> rgb() const;

    uint32_t pixelAt( int x, int y ) const;

private:
    int m_width;
    int m_height;
    cairo_surface_t* m_surface;
    cairo_t* m_cr;
};

#endif

#include <gtest/gtest.h>

#include "Framework/graphics/HFramePlacement.h"

TEST( HFramePlacementTest, EveryOutputPixelMapsBackToTheFramePixelDrawnThere )
{
    // Outputs that fit the frame exactly and with letter-box bars, at each whole step.
    const struct
    {
        int32_t outputWidth, outputHeight, scale;
        HRect rect;
    } kCases[] = { { 640, 480, 1, { 0, 0, 640, 480 } },         { 1280, 960, 2, { 0, 0, 1280, 960 } },
                   { 1920, 1440, 3, { 0, 0, 1920, 1440 } },     { 700, 500, 1, { 30, 10, 670, 490 } },
                   { 1300, 1000, 2, { 10, 20, 1290, 980 } },    { 2000, 1500, 3, { 40, 30, 1960, 1470 } },
                   { 1919, 1440, 2, { 319, 240, 1599, 1200 } }, { 1920, 1080, 2, { 320, 60, 1600, 1020 } } };
    for( const auto& c : kCases )
    {
        SCOPED_TRACE( testing::Message() << c.outputWidth << " x " << c.outputHeight );
        HFramePlacement placement( 640, 480, c.outputWidth, c.outputHeight );
        ASSERT_EQ( placement.getScale(), c.scale );
        ASSERT_EQ( placement.getRect(), c.rect );
        EXPECT_EQ( placement.toOutput( { 0, 0, 640, 480 } ), c.rect );
        const HRect& r = c.rect;
        // The first and the last pixel of each edge, and the bars just outside them.
        const struct
        {
            int32_t ox, oy, fx, fy;
        } kEdges[] = { { r.left, r.top, 0, 0 },
                       { r.right - 1, r.top, 639, 0 },
                       { r.left, r.bottom - 1, 0, 479 },
                       { r.right - 1, r.bottom - 1, 639, 479 },
                       { r.left + c.scale - 1, r.top + c.scale - 1, 0, 0 },
                       { r.left + c.scale, r.top + c.scale, 1, 1 },
                       { r.right - c.scale, r.bottom - c.scale, 639, 479 },
                       { r.right - c.scale - 1, r.bottom - c.scale - 1, 638, 478 },
                       { r.left - 1, r.top - 1, -1, -1 },
                       { r.right, r.bottom, 640, 480 } };
        for( const auto& e : kEdges )
        {
            HPoint point = placement.toFrame( e.ox, e.oy );
            EXPECT_EQ( point.x, e.fx ) << "output x " << e.ox;
            EXPECT_EQ( point.y, e.fy ) << "output y " << e.oy;
        }
        // Each frame column and row is drawn as one block of whole pixels that maps back to it.
        for( int32_t x = 0; x < 640; ++x )
        {
            HRect column = placement.toOutput( { x, 0, x + 1, 1 } );
            ASSERT_EQ( column.width(), c.scale );
            ASSERT_EQ( placement.toFrame( column.left, column.top ).x, x );
            ASSERT_EQ( placement.toFrame( column.right - 1, column.top ).x, x );
        }
        for( int32_t y = 0; y < 480; ++y )
        {
            HRect row = placement.toOutput( { 0, y, 1, y + 1 } );
            ASSERT_EQ( row.height(), c.scale );
            ASSERT_EQ( placement.toFrame( row.left, row.bottom - 1 ).y, y );
        }
    }
}

TEST( HFramePlacementTest, AnOutputSmallerThanTheFrameShrinksItWholeAndStillMapsEveryPoint )
{
    // A window kept within a 640 x 480 screen loses the caption's height.
    HFramePlacement placement( 640, 480, 640, 457 );
    EXPECT_EQ( placement.getScale(), 0 );
    EXPECT_EQ( placement.getRect(), ( HRect{ 15, 0, 624, 456 } ) );
    EXPECT_EQ( placement.toFrame( 15, 0 ).x, 0 );
    EXPECT_EQ( placement.toFrame( 623, 455 ).x, 639 );
    EXPECT_EQ( placement.toFrame( 623, 455 ).y, 479 );
    EXPECT_EQ( placement.toFrame( 624, 456 ).y, 480 );
    // Dirty rectangles that touch in the frame touch in the output.
    EXPECT_EQ( placement.toOutput( { 0, 0, 100, 100 } ).right, placement.toOutput( { 100, 0, 200, 100 } ).left );

    EXPECT_EQ( HFramePlacement( 640, 480, 320, 400 ).getRect(), ( HRect{ 0, 80, 320, 320 } ) );
    EXPECT_EQ( HFramePlacement( 640, 480, 1, 1 ).getRect(), ( HRect{ 0, 0, 1, 1 } ) );
    // A minimised window has no area: the frame stays where it is and points pass unchanged.
    HFramePlacement none( 640, 480, 0, 0 );
    EXPECT_EQ( none.getRect(), ( HRect{ 0, 0, 640, 480 } ) );
    EXPECT_EQ( none.toFrame( 17, -3 ).y, -3 );
}

TEST( HFramePlacementTest, TheWindowTakesTheLargestWholeStepThatFitsItsRoom )
{
    EXPECT_EQ( HFramePlacement::scaleToFit( 640, 480, 1888, 1002 ), 2 );
    EXPECT_EQ( HFramePlacement::scaleToFit( 640, 480, 1334, 692 ), 1 );
    EXPECT_EQ( HFramePlacement::scaleToFit( 640, 480, 1920, 1440 ), 3 );
    EXPECT_EQ( HFramePlacement::scaleToFit( 640, 480, 1919, 1440 ), 2 );
    EXPECT_EQ( HFramePlacement::scaleToFit( 640, 480, 3808, 2062 ), 4 );
    // Too small for even one step, or no room at all: still one step, never a zero-sized window.
    EXPECT_EQ( HFramePlacement::scaleToFit( 640, 480, 624, 441 ), 1 );
    EXPECT_EQ( HFramePlacement::scaleToFit( 640, 480, -16, 0 ), 1 );
    EXPECT_EQ( HFramePlacement::scaleToFit( 0, 480, 1920, 1440 ), 1 );
}

#include <gtest/gtest.h>

#include <vector>

#include "Framework/application/HDirtyRectList.h"

namespace
{
std::vector<HRect> contents( const HDirtyRectList& list )
{
    return std::vector<HRect>( list.items(), list.items() + list.count() );
}

// The list's promise: no rectangle inside another, none touching another.
void expectDisjoint( const HDirtyRectList& list )
{
    for( int i = 0; i < list.count(); ++i )
    {
        for( int j = 0; j < list.count(); ++j )
        {
            if( i == j )
                continue;
            EXPECT_FALSE( HDirtyRectList::overlaps( list.item( i ), list.item( j ) ) ) << i << " " << j;
        }
    }
}
}

TEST( HDirtyRectListTest, ContainedRectanglesAreNotAddedAndContainingOnesReplace )
{
    HDirtyRectList list;
    list.add( 10, 10, 100, 100 );
    list.add( 20, 20, 30, 30 );
    EXPECT_EQ( list.count(), 1 );
    list.add( 10, 10, 100, 100 );
    EXPECT_EQ( list.count(), 1 );
    list.add( 0, 0, 200, 200 );
    ASSERT_EQ( list.count(), 1 );
    EXPECT_EQ( list.item( 0 ), ( HRect{ 0, 0, 200, 200 } ) );
}

TEST( HDirtyRectListTest, TouchingEdgesMergeButSeparateRectanglesStay )
{
    HDirtyRectList list;
    list.add( 0, 0, 10, 10 );
    list.add( 10, 0, 20, 10 ); // shares the edge x = 10
    ASSERT_EQ( list.count(), 1 );
    EXPECT_EQ( list.item( 0 ), ( HRect{ 0, 0, 20, 10 } ) );
    list.add( 21, 0, 30, 10 ); // one pixel apart
    EXPECT_EQ( list.count(), 2 );
    list.add( 0, 11, 5, 12 );
    EXPECT_EQ( list.count(), 3 );
    EXPECT_EQ( list.totalArea(), 200 + 90 + 5 );
}

TEST( HDirtyRectListTest, CoordinatesAreOrderedAndEmptyRectanglesIgnored )
{
    HDirtyRectList list;
    list.add( 50, 40, 10, 20 );
    ASSERT_EQ( list.count(), 1 );
    EXPECT_EQ( list.item( 0 ), ( HRect{ 10, 20, 50, 40 } ) );
    list.add( 5, 5, 5, 100 );
    list.add( 5, 5, 100, 5 );
    EXPECT_EQ( list.count(), 1 );
    list.clear();
    EXPECT_EQ( list.count(), 0 );
    EXPECT_EQ( list.totalArea(), 0 );
}

TEST( HDirtyRectListTest, GrowingRestartsSoChainsCollapseIntoOne )
{
    HDirtyRectList list;
    // Three separate boxes; a fourth bridges the first two, and the grown box then reaches the third.
    list.add( 0, 0, 10, 10 );
    list.add( 30, 0, 40, 10 );
    list.add( 12, 12, 28, 30 );
    ASSERT_EQ( list.count(), 3 );
    list.add( 5, 5, 35, 12 );
    ASSERT_EQ( list.count(), 1 );
    EXPECT_EQ( list.item( 0 ), ( HRect{ 0, 0, 40, 30 } ) );
}

TEST( HDirtyRectListTest, RemovedEntriesKeepTheOrderOfTheRest )
{
    HDirtyRectList list;
    list.add( 0, 0, 5, 5 );
    list.add( 100, 100, 110, 110 );
    list.add( 200, 200, 210, 210 );
    list.add( 99, 99, 111, 111 ); // swallows the second
    EXPECT_EQ( contents( list ), ( std::vector<HRect>{ { 0, 0, 5, 5 }, { 200, 200, 210, 210 }, { 99, 99, 111, 111 } } ) );
}

TEST( HDirtyRectListTest, The513thRectangleIsDropped )
{
    HDirtyRectList list;
    for( int i = 0; i < 512; ++i )
        list.add( ( i % 32 ) * 20, ( i / 32 ) * 20, ( i % 32 ) * 20 + 10, ( i / 32 ) * 20 + 10 );
    ASSERT_EQ( list.count(), 512 );
    expectDisjoint( list );
    list.add( 0, 0, 1000, 1000 ); // even one that would swallow everything
    EXPECT_EQ( list.count(), 512 );
    EXPECT_EQ( list.item( 0 ), ( HRect{ 0, 0, 10, 10 } ) );
}

TEST( HDirtyRectListTest, ManyOverlappingCellsEndDisjoint )
{
    HDirtyRectList list;
    uint32_t state = 7;
    for( int i = 0; i < 300; ++i )
    {
        state = state * 1664525u + 1013904223u;
        int x = static_cast<int>( state >> 22 ) % 600, y = static_cast<int>( state >> 12 ) % 440;
        list.add( x, y, x + 42, y + 42 );
        expectDisjoint( list );
    }
}

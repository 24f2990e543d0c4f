#include <gtest/gtest.h>

#include <vector>

#include "Framework/object/HObjectList.h"

namespace
{
class Named : public HObject
{
public:
    explicit Named( const char* kpName )
        : m_kpName( kpName )
    {
    }
    const char* getClassName() const override { return m_kpName; }
    bool isA( const char* kpClassName ) const override { return sameClassName( kpClassName, m_kpName ); }

private:
    const char* m_kpName;
};

std::vector<HObject*> forward( const HObjectList& list )
{
    std::vector<HObject*> objects;
    for( HObjectListNode* pNode = list.getFirst(); pNode != nullptr; pNode = HObjectList::getNext( pNode ) )
        objects.push_back( HObjectList::getObject( pNode ) );
    return objects;
}

// Walks to the tail and back through the prev links.
std::vector<HObject*> backward( const HObjectList& list )
{
    HObjectListNode* pNode = list.getFirst();
    while( pNode != nullptr && pNode->m_next != nullptr )
        pNode = pNode->m_next;
    std::vector<HObject*> objects;
    for( ; pNode != nullptr; pNode = pNode->m_prev )
        objects.insert( objects.begin(), pNode->getObject() );
    return objects;
}

void removeAll( HObjectList& list )
{
    while( list.getFirst() != nullptr )
        list.remove( HObjectList::getObject( list.getFirst() ) );
}
}

TEST( HObjectListTest, LastAddedComesFirst )
{
    HObjectList list;
    Named a( "A" ), b( "B" ), c( "C" );
    EXPECT_EQ( list.add( &a ), 0 );
    EXPECT_EQ( list.add( &b ), 0 );
    EXPECT_EQ( list.add( &c ), 0 );
    EXPECT_EQ( forward( list ), ( std::vector<HObject*>{ &c, &b, &a } ) );
    EXPECT_EQ( backward( list ), forward( list ) );
    EXPECT_STREQ( list.getClassFilter(), "(any)" );
    removeAll( list );
}

TEST( HObjectListTest, FilterAcceptsOnlyItsClassIgnoringCase )
{
    HObjectList list( "VXControl" );
    Named control( "vxcontrol" ), button( "VXDialogItemButton" );
    EXPECT_EQ( list.add( &control ), 0 );
    EXPECT_EQ( list.add( &button ), 1 );
    EXPECT_EQ( list.add( nullptr ), 1 );
    EXPECT_EQ( forward( list ), ( std::vector<HObject*>{ &control } ) );
    removeAll( list );
}

TEST( HObjectListTest, LongFilterIsCutTo79Characters )
{
    std::string longName( 100, 'Q' );
    HObjectList list( longName.c_str() );
    EXPECT_EQ( std::string( list.getClassFilter() ), std::string( 79, 'Q' ) );
}

TEST( HObjectListTest, RemovingTheMiddleKeepsBothLinks )
{
    HObjectList list;
    Named a( "A" ), b( "B" ), c( "C" );
    list.add( &a );
    list.add( &b );
    list.add( &c );
    HObjectListNode* pNext = list.remove( &b );
    ASSERT_NE( pNext, nullptr );
    EXPECT_EQ( pNext->getObject(), &a );
    EXPECT_EQ( forward( list ), ( std::vector<HObject*>{ &c, &a } ) );
    EXPECT_EQ( backward( list ), forward( list ) );
    removeAll( list );
}

TEST( HObjectListTest, RemovingHeadAndTailAndStrangers )
{
    HObjectList list;
    Named a( "A" ), b( "B" ), c( "C" ), stranger( "S" );
    list.add( &a );
    list.add( &b );
    list.add( &c );
    EXPECT_EQ( list.remove( &stranger ), nullptr );
    EXPECT_EQ( forward( list ).size(), 3u );

    EXPECT_EQ( list.remove( &c )->getObject(), &b ); // the head
    EXPECT_EQ( list.getFirst()->m_prev, nullptr );
    EXPECT_EQ( list.remove( &a ), nullptr ); // the tail has no follower
    EXPECT_EQ( forward( list ), ( std::vector<HObject*>{ &b } ) );
    EXPECT_EQ( list.remove( &b ), nullptr );
    EXPECT_EQ( list.getFirst(), nullptr );
}

TEST( HObjectListTest, RemoveTakesTheFirstNodeOfAnObjectAddedTwice )
{
    HObjectList list;
    Named a( "A" ), b( "B" );
    list.add( &a );
    list.add( &b );
    list.add( &a );
    list.remove( &a );
    EXPECT_EQ( forward( list ), ( std::vector<HObject*>{ &b, &a } ) );
    removeAll( list );
}

TEST( HObjectListTest, NullNodesAreSafeToWalk )
{
    EXPECT_EQ( HObjectList::getNext( nullptr ), nullptr );
    EXPECT_EQ( HObjectList::getObject( nullptr ), nullptr );
}

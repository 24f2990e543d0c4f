#include <gtest/gtest.h>

#include <cstring>

#include "Framework/object/HContainerNode.h"
#include "Framework/object/HObjectList.h"
#include "tests/support/RecordingProcessServices.h"

namespace
{
class Widget : public HObject
{
public:
    const char* getClassName() const override { return "VXWidget"; }
    bool isA( const char* kpClassName ) const override { return sameClassName( kpClassName, "VXWidget" ); }
};
}

TEST( HObjectTest, IdsComeFromOneCounterAndAreNeverShared )
{
    Widget a;
    Widget b;
    HContainerNode c;
    EXPECT_GT( a.getId(), 0 );
    EXPECT_EQ( b.getId(), a.getId() + 1 );
    EXPECT_EQ( c.getId(), b.getId() + 1 );
}

TEST( HObjectTest, ReferenceCountOnlyCounts )
{
    Widget w;
    EXPECT_EQ( w.getRefCount(), 0 );
    w.addRef();
    w.addRef();
    EXPECT_EQ( w.getRefCount(), 2 );
    w.release();
    w.release();
    w.release();
    EXPECT_EQ( w.getRefCount(), -1 );
}

TEST( HObjectTest, IsAIgnoresLetterCaseButNotOtherNames )
{
    HContainerNode node;
    EXPECT_TRUE( node.isA( "HContainerNode" ) );
    EXPECT_TRUE( node.isA( "hcontainernode" ) );
    EXPECT_FALSE( node.isA( "HObject" ) );
    EXPECT_FALSE( node.isA( nullptr ) );

    HObjectListNode listNode;
    EXPECT_TRUE( listNode.isA( "HObjectListNode" ) );
    EXPECT_FALSE( listNode.isA( "HContainerNode" ) );
}

TEST( HObjectTest, StringHashFoldsUpperCaseAndUsesSignedCharacters )
{
    EXPECT_EQ( HObject::hashString( "" ), 0u );
    EXPECT_EQ( HObject::hashString( "a" ), 97u );
    EXPECT_EQ( HObject::hashString( "ab" ), 97u * 31u + 98u );
    EXPECT_EQ( HObject::hashString( "AB" ), HObject::hashString( "ab" ) );
    // A byte above 127 counts as a negative character.
    EXPECT_EQ( HObject::hashString( "\xff" ), static_cast<uint32_t>( -1 ) );
    EXPECT_EQ( HObject::hashString( "a\xff" ), 97u * 31u - 1u );
    // Long names wrap modulo 2^32 instead of overflowing.
    uint32_t expected = 0;
    for( int i = 0; i < 20; ++i )
        expected = expected * 31u + 'z';
    EXPECT_EQ( HObject::hashString( "zzzzzzzzzzzzzzzzzzzz" ), expected );
}

TEST( HObjectTest, HashOfSameClassDiffersByIdDifference )
{
    Widget a;
    Widget b;
    Widget c;
    EXPECT_EQ( a.hash(), HObject::hashString( "VXWidget" ) + static_cast<uint32_t>( a.getId() ) );
    EXPECT_EQ( c.hash() - a.hash(), static_cast<uint32_t>( c.getId() - a.getId() ) );
}

TEST( HObjectTest, CloneReturnsNullAndTracesTheClass )
{
    RecordingProcessServices services;
    Widget w;
    EXPECT_EQ( w.clone(), nullptr );
    ASSERT_EQ( RecordingProcessServices::debugTraces().size(), 1u );
    EXPECT_EQ( RecordingProcessServices::debugTraces()[ 0 ], "VXWidget has not implemented clone()" );
}

TEST( HObjectTest, CopyClassNameTruncatesAndTerminates )
{
    HObjectList list;
    char buffer[ 6 ];
    std::memset( buffer, 'x', sizeof( buffer ) );
    EXPECT_EQ( list.copyClassName( buffer, sizeof( buffer ) ), buffer );
    EXPECT_STREQ( buffer, "HObje" );
    char big[ 32 ];
    EXPECT_STREQ( list.copyClassName( big, sizeof( big ) ), "HObjectList" );
    EXPECT_EQ( list.copyClassName( nullptr, 10 ), nullptr );
}

#include <gtest/gtest.h>

#include "Framework/util/src/HDefaultProcessServices.h"
#include "Framework/util/src/HProcessServices.h"
#include "tests/support/RecordingProcessServices.h"

TEST( HProcessServicesTest, AnswersMapToTheProgramsResultCodes )
{
    RecordingProcessServices services;
    const struct
    {
        HMessageBoxAnswer answer;
        int result;
    } cases[] = { { MBA_OK, 6 }, { MBA_CANCEL, 2 }, { MBA_IGNORE, 3 }, { MBA_YES, 4 }, { MBA_NO, 5 }, { MBA_RETRY, 7 } };
    for( const auto& c : cases )
    {
        services.answer = c.answer;
        EXPECT_EQ( processMessageBox( 1, "c", "t" ), c.result ) << c.answer;
    }
    EXPECT_EQ( services.debugBreaks, 1 ); // only Retry asks for a debugger
}

TEST( HProcessServicesTest, FlagsDecodeIntoButtonsAndIcon )
{
    RecordingProcessServices services;
    processMessageBox( 0x31, "a", "b" );
    processMessageBox( 0x11, "a", "b" );
    processMessageBox( 0x41, "a", "b" );
    processMessageBox( 0x25, "a", "b" );
    processMessageBox( 0, "a", "b" );
    processMessageBox( 9, "a", "b" );
    ASSERT_EQ( services.boxes.size(), 6u );
    EXPECT_EQ( services.boxes[ 0 ].icon, MBI_EXCLAMATION );
    EXPECT_EQ( services.boxes[ 1 ].icon, MBI_STOP );
    EXPECT_EQ( services.boxes[ 2 ].icon, MBI_INFORMATION );
    EXPECT_EQ( services.boxes[ 3 ].buttons, MBB_YES_NO );
    EXPECT_EQ( services.boxes[ 3 ].icon, MBI_QUESTION );
    EXPECT_EQ( services.boxes[ 4 ].buttons, MBB_ABORT_RETRY_IGNORE_STOP );
    EXPECT_EQ( services.boxes[ 4 ].icon, MBI_STOP );
    EXPECT_EQ( services.boxes[ 5 ].buttons, MBB_SYSTEM_STYLE );
    EXPECT_EQ( services.boxes[ 5 ].flags, 9u );
}

TEST( HProcessServicesTest, AbortEndsTheProcessAndSilencesLaterBoxes )
{
    RecordingProcessServices services;
    services.answer = MBA_ABORT;
    EXPECT_EQ( processMessageBox( 0, "Verify Failed", "x" ), MBR_QUIT );
    EXPECT_EQ( services.exitCodes, std::vector<int>{ 1 } );
    EXPECT_TRUE( isQuitUnderWay() );
    services.answer = MBA_OK;
    EXPECT_EQ( processMessageBox( 1, "later", "y" ), MBR_QUIT );
    EXPECT_EQ( services.boxes.size(), 1u );
}

TEST( HProcessServicesTest, AbortReallyExitsWithCodeOne )
{
    EXPECT_EXIT(
        {
            RecordingProcessServices services;
            services.answer = MBA_ABORT;
            setMessageBoxExitHandler( nullptr );
            processMessageBox( 0, "Verify Failed", "x" );
        },
        ::testing::ExitedWithCode( 1 ), "" );
}

TEST( HProcessServicesTest, WithoutABoxTheAnswerIsImmediateAndTextGoesToStandardError )
{
    HDefaultProcessServices fallback;
    setProcessServices( &fallback );
    testing::internal::CaptureStderr();
    EXPECT_EQ( processMessageBox( 0, "Verify Failed", "expression" ), MBR_IGNORE );
    EXPECT_EQ( processMessageBox( 3, "c", "t" ), MBR_IGNORE );
    EXPECT_EQ( processMessageBox( 0x31, "Error", "bitmaps" ), MBR_OK );
    EXPECT_EQ( processMessageBox( 5, "c", "t" ), MBR_YES );
    std::string err = testing::internal::GetCapturedStderr();
    setProcessServices( nullptr );
    EXPECT_NE( err.find( "[Verify Failed] expression" ), std::string::npos );
    EXPECT_NE( err.find( "[Error] bitmaps" ), std::string::npos );
}

TEST( HProcessServicesTest, DefaultClockIsMonotonicAndKeptTo32Bits )
{
    HDefaultProcessServices services;
    uint64_t first = services.getTime();
    services.sleep( 5 );
    uint64_t second = services.getTime();
    EXPECT_LE( first, 0xFFFFFFFFull );
    EXPECT_LE( second, 0xFFFFFFFFull );
    // Across a 32-bit wrap the later value may be smaller; otherwise it has moved on.
    if( second >= first )
    {
        EXPECT_GE( second - first, 4u );
    }
}

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "Framework/platform/win32/HWin32ProcessServices.h"
#include "Framework/util/src/HLog.h"

namespace
{
// The system's numbers for the styles, written out so a wrong constant in the code shows.
const uint32_t kForegroundTopmost = 0x00010000u | 0x00040000u;

// Records the style each box would get and answers with a chosen system result.
class StyleRecorder : public HWin32ProcessServices
{
public:
    StyleRecorder() { setProcessServices( this ); }
    ~StyleRecorder() override { setProcessServices( nullptr ); }

    HMessageBoxAnswer showMessageBox( const HMessageBoxRequest& request ) override
    {
        lastStyle = messageBoxStyle( request );
        return answerFor( pressed );
    }

    uint32_t lastStyle = 0;
    int pressed = IDOK;
};

bool putClipboard( UINT format, const void* kpData, size_t size )
{
    if( !::OpenClipboard( nullptr ) )
        return false;
    ::EmptyClipboard();
    bool ok = true;
    if( kpData != nullptr )
    {
        HGLOBAL memory = ::GlobalAlloc( GMEM_MOVEABLE, size );
        std::memcpy( ::GlobalLock( memory ), kpData, size );
        ::GlobalUnlock( memory );
        ok = ::SetClipboardData( format, memory ) != nullptr;
    }
    ::CloseClipboard();
    return ok;
}

// What a person sees of a message box, and the button they then press.
struct SeenBox
{
    bool found = false;
    bool foreground = false;
    std::vector<std::string> texts;
    bool hasButton[ 8 ] = {};
};

BOOL CALLBACK collectText( HWND child, LPARAM param )
{
    char text[ 256 ] = "";
    ::GetWindowTextA( child, text, sizeof( text ) );
    reinterpret_cast<std::vector<std::string>*>( param )->push_back( text );
    return TRUE;
}

// Waits for the box with the caption, looks at it and presses the button.
void pressWhenShown( const char* kpCaption, int button, SeenBox& seen )
{
    for( int attempt = 0; attempt < 400; ++attempt )
    {
        HWND box = ::FindWindowA( nullptr, kpCaption );
        if( box != nullptr && ::IsWindowVisible( box ) )
        {
            seen.found = true;
            seen.foreground = ::GetForegroundWindow() == box;
            for( int id = IDOK; id <= IDNO; ++id )
                seen.hasButton[ id ] = ::GetDlgItem( box, id ) != nullptr;
            ::EnumChildWindows( box, collectText, reinterpret_cast<LPARAM>( &seen.texts ) );
            ::PostMessageA( box, WM_COMMAND, MAKEWPARAM( button, BN_CLICKED ), 0 );
            return;
        }
        ::Sleep( 25 );
    }
}

int exitCodeSeen = 0;
void recordExit( int code )
{
    exitCodeSeen = code;
}
}

TEST( HWin32ProcessServicesTest, FlagsBecomeTheSystemsButtonsAndIcons )
{
    StyleRecorder services;
    const struct
    {
        uint32_t flags;
        uint32_t style;
    } cases[] = {
        { 0x00, 0x02 | 0x10 }, // Abort, Retry, Ignore with a stop icon: assertions and alerts
        { 0x31, 0x00 | 0x30 }, // OK with an exclamation: "Missing Resource File"
        { 0x11, 0x00 | 0x10 }, // OK with a stop icon: "Error"
        { 0x41, 0x00 | 0x40 }, // OK with information
        { 0x02, 0x01 },        // OK, Cancel
        { 0x03, 0x02 },        // Abort, Retry, Ignore without an icon
        { 0x24, 0x03 | 0x20 }, // Yes, No, Cancel with a question mark
        { 0x05, 0x04 },        // Yes, No
        { 0x06, 0x05 },        // Retry, Cancel
        { 0x13, 0x02 | 0x10 }, // an icon asked for on top of the buttons
    };
    for( const auto& c : cases )
    {
        processMessageBox( c.flags, "caption", "text" );
        EXPECT_EQ( services.lastStyle, c.style | kForegroundTopmost ) << "flags " << c.flags;
    }
    // Buttons 7 to 15: the whole word is the system's style, still in front of everything.
    processMessageBox( 0x1247, "caption", "text" );
    EXPECT_EQ( services.lastStyle, 0x1247u | kForegroundTopmost );
}

TEST( HWin32ProcessServicesTest, SystemAnswersBecomeTheProgramsResults )
{
    StyleRecorder services;
    const struct
    {
        int pressed;
        int result;
    } cases[] = { { IDOK, 6 }, { IDCANCEL, 2 }, { IDIGNORE, 3 }, { IDYES, 4 }, { IDNO, 5 }, { IDRETRY, 7 } };
    for( const auto& c : cases )
    {
        services.pressed = c.pressed;
        EXPECT_EQ( processMessageBox( 1, "c", "t" ), c.result ) << "pressed " << c.pressed;
    }
    // A button with no code of its own (Try Again of a system style) answers the flags.
    services.pressed = 10;
    EXPECT_EQ( processMessageBox( 0x46, "c", "t" ), 0x46 );
    EXPECT_EQ( HWin32ProcessServices::answerFor( 0 ), MBA_NONE );
    EXPECT_EQ( HWin32ProcessServices::answerFor( IDABORT ), MBA_ABORT );
}

TEST( HWin32ProcessServicesTest, RealBoxShowsItsButtonsInFrontAndReportsThePress )
{
    HWin32ProcessServices services;
    setProcessServices( &services );
    SeenBox seen;
    std::thread person( pressWhenShown, "Glimmerdrop question", IDNO, std::ref( seen ) );
    int result = messageBox( 0x24, "Glimmerdrop question", "Start over with %d lines?", 12 );
    person.join();
    setProcessServices( nullptr );

    ASSERT_TRUE( seen.found ) << "no box appeared (is there a display?)";
    EXPECT_EQ( result, MBR_NO );
    // Wine shows the box in front but does not keep it topmost; the style test covers that flag.
    EXPECT_TRUE( seen.foreground );
    EXPECT_NE( std::find( seen.texts.begin(), seen.texts.end(), "Start over with 12 lines?" ), seen.texts.end() );
    EXPECT_TRUE( seen.hasButton[ IDYES ] && seen.hasButton[ IDNO ] && seen.hasButton[ IDCANCEL ] );
    EXPECT_FALSE( seen.hasButton[ IDOK ] || seen.hasButton[ IDABORT ] );
}

TEST( HWin32ProcessServicesTest, AbortInARealBoxEndsTheRunAndLaterBoxesStayHidden )
{
    HWin32ProcessServices services;
    setProcessServices( &services );
    setMessageBoxExitHandler( recordExit );
    resetQuitUnderWay();
    exitCodeSeen = 0;

    SeenBox seen;
    std::thread person( pressWhenShown, "Verify Failed", IDABORT, std::ref( seen ) );
    int result = processMessageBox( 0, "Verify Failed", "Expression x failed" );
    person.join();
    ASSERT_TRUE( seen.found );
    EXPECT_TRUE( seen.hasButton[ IDABORT ] && seen.hasButton[ IDRETRY ] && seen.hasButton[ IDIGNORE ] );
    EXPECT_EQ( result, MBR_QUIT );
    EXPECT_EQ( exitCodeSeen, 1 );

    // Nothing is shown any more: the call returns at once instead of waiting for a press.
    EXPECT_EQ( processMessageBox( 1, "Later", "not shown" ), MBR_QUIT );
    EXPECT_EQ( ::FindWindowA( nullptr, "Later" ), nullptr );

    setMessageBoxExitHandler( nullptr );
    resetQuitUnderWay();
    setProcessServices( nullptr );
}

TEST( HWin32ProcessServicesTest, ClipboardTextIsCutToTheBufferAndAbsentTextIsNull )
{
    HWin32ProcessServices services;
    ASSERT_TRUE( putClipboard( CF_TEXT, "Juno's candy", 13 ) );
    char buffer[ 64 ];
    ASSERT_EQ( services.getClipboardText( buffer, sizeof( buffer ) ), buffer );
    EXPECT_STREQ( buffer, "Juno's candy" );
    char small[ 5 ];
    ASSERT_EQ( services.getClipboardText( small, sizeof( small ) ), small );
    EXPECT_STREQ( small, "Juno" );

    // Text without a terminator is read only as far as its memory goes (the system may
    // also have terminated it in place of its last character).
    ASSERT_TRUE( putClipboard( CF_TEXT, "ABCDEFGH", 8 ) );
    std::memset( buffer, 'z', sizeof( buffer ) );
    ASSERT_EQ( services.getClipboardText( buffer, sizeof( buffer ) ), buffer );
    std::string got( buffer );
    EXPECT_GE( got.size(), 7u );
    EXPECT_EQ( std::string( "ABCDEFGH" ).compare( 0, got.size(), got ), 0 ) << got;

    ASSERT_TRUE( putClipboard( CF_TEXT, nullptr, 0 ) );
    EXPECT_EQ( services.getClipboardText( buffer, sizeof( buffer ) ), nullptr );
    EXPECT_EQ( services.getClipboardText( nullptr, 10 ), nullptr );

    // A clipboard held open elsewhere cannot be read now; the caller simply gets nothing.
    HWND owner = ::CreateWindowExA( 0, "STATIC", "owner", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr );
    ASSERT_NE( owner, nullptr );
    std::atomic<bool> held( false ), release( false );
    std::thread other( [ & ]() {
        HWND mine = ::CreateWindowExA( 0, "STATIC", "other", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr );
        held = ::OpenClipboard( mine ) != 0;
        while( !release )
            ::Sleep( 5 );
        ::CloseClipboard();
        ::DestroyWindow( mine );
    } );
    while( !held )
        ::Sleep( 5 );
    EXPECT_EQ( services.getClipboardText( buffer, sizeof( buffer ) ), nullptr );
    release = true;
    other.join();
    ::DestroyWindow( owner );
}

TEST( HWin32ProcessServicesTest, ClockIsTheSystemTickCountAndSleepWaits )
{
    HWin32ProcessServices services;
    uint64_t before = services.getTime();
    EXPECT_LE( before, 0xFFFFFFFFull );
    EXPECT_LE( static_cast<uint32_t>( ::timeGetTime() - static_cast<DWORD>( before ) ), 1000u );
    services.sleep( 60 );
    uint64_t after = services.getTime();
    // The tick count may step a few milliseconds at a time, but never by less than the sleep.
    EXPECT_GE( static_cast<uint32_t>( after - before ), 45u );
}

TEST( HWin32ProcessServicesTest, UserNameAndExecutablePathComeFromTheSystem )
{
    HWin32ProcessServices services;
    char name[ 256 ];
    char expected[ 256 ];
    DWORD length = sizeof( expected );
    ASSERT_TRUE( ::GetUserNameA( expected, &length ) );
    ASSERT_EQ( services.getUserName( name, sizeof( name ) ), name );
    EXPECT_STREQ( name, expected );
    char tiny[ 1 ];
    EXPECT_EQ( services.getUserName( tiny, sizeof( tiny ) ), nullptr );

    char path[ 1024 ];
    ASSERT_EQ( services.getExecutablePath( path, sizeof( path ) ), path );
    std::string full( path );
    EXPECT_EQ( full.substr( full.size() - std::strlen( "test_platform.exe" ) ), "test_platform.exe" );
    EXPECT_NE( full.find( '\\' ), std::string::npos );
    EXPECT_EQ( services.pathSeparator(), '\\' );
    // A buffer too small for the whole path gives nothing rather than a cut path.
    char cut[ 8 ];
    EXPECT_EQ( services.getExecutablePath( cut, sizeof( cut ) ), nullptr );
    EXPECT_STREQ( cut, "" );
}

TEST( HWin32ProcessServicesTest, ShellReportsWhatItCouldNotOpen )
{
    HWin32ProcessServices services;
    EXPECT_EQ( services.shellOpen( nullptr ), 0 );
    // The system's codes of 32 and below are failures.
    EXPECT_LE( services.shellOpen( "C:\\glimmerdrop\\no such file.txt" ), 32 );
}

#include "Framework/platform/sdl/HSDLInputDevice.h"

#include <SDL.h>
#include <algorithm>
#include <cstdint>

#include "Framework/application/HEvent.h"
#include "Framework/application/HVirtualKeyMap.h"
#include "Framework/application/HWindowProcedure.h"
#include "Framework/graphics/HDisplayDevice.h"
#include "Framework/util/src/HGlobal.h"
#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HProcessServices.h"
#include "Framework/util/src/HText.h"

namespace
{
const uint32_t kPageUp = 33;
const uint32_t kPageDown = 34;
const uint32_t kPause = 19;
const uint32_t kCapsLock = 20;
const uint32_t kPrintScreen = 44;
const uint32_t kNumLock = 144;
const uint32_t kScrollLock = 145;
const uint32_t kWindowsLeft = 91;
const uint32_t kWindowsRight = 92;
const uint32_t kApplicationKey = 93;
const uintptr_t kActive = 1;

uint32_t punctuationKey( SDL_Keycode sym )
{
    switch( sym )
    {
    case SDLK_SEMICOLON:
        return VKO_SEMICOLON;
    case SDLK_EQUALS:
        return VKO_PLUS;
    case SDLK_COMMA:
        return VKO_COMMA;
    case SDLK_MINUS:
        return VKO_MINUS;
    case SDLK_PERIOD:
        return VKO_PERIOD;
    case SDLK_SLASH:
        return VKO_SLASH;
    case SDLK_BACKQUOTE:
        return VKO_BACKQUOTE;
    case SDLK_LEFTBRACKET:
        return VKO_LEFT_BRACKET;
    case SDLK_BACKSLASH:
        return VKO_BACKSLASH;
    case SDLK_RIGHTBRACKET:
        return VKO_RIGHT_BRACKET;
    case SDLK_QUOTE:
        return VKO_QUOTE;
    default:
        return 0;
    }
}

// Keys of other layouts that type letters of their own sit where the US keys are.
uint32_t keyAtUsPosition( SDL_Scancode scancode )
{
    if( scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z )
        return KC_A + ( scancode - SDL_SCANCODE_A );
    if( scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9 )
        return KC_1 + ( scancode - SDL_SCANCODE_1 );
    switch( scancode )
    {
    case SDL_SCANCODE_0:
        return KC_0;
    case SDL_SCANCODE_SEMICOLON:
        return VKO_SEMICOLON;
    case SDL_SCANCODE_EQUALS:
        return VKO_PLUS;
    case SDL_SCANCODE_COMMA:
        return VKO_COMMA;
    case SDL_SCANCODE_MINUS:
        return VKO_MINUS;
    case SDL_SCANCODE_PERIOD:
        return VKO_PERIOD;
    case SDL_SCANCODE_SLASH:
        return VKO_SLASH;
    case SDL_SCANCODE_GRAVE:
        return VKO_BACKQUOTE;
    case SDL_SCANCODE_LEFTBRACKET:
        return VKO_LEFT_BRACKET;
    case SDL_SCANCODE_BACKSLASH:
        return VKO_BACKSLASH;
    case SDL_SCANCODE_RIGHTBRACKET:
        return VKO_RIGHT_BRACKET;
    case SDL_SCANCODE_APOSTROPHE:
        return VKO_QUOTE;
    case SDL_SCANCODE_NONUSBACKSLASH:
        return VKO_102;
    default:
        return 0;
    }
}

// The keypad types digits with Num Lock on and moves the cursor with it off, as on the system.
uint32_t keypadKey( SDL_Keycode sym, bool numLock )
{
    static const uint32_t kWithoutNumLock[ 10 ] = { KC_INSERT, KC_END,  KC_DOWN, kPageDown, KC_LEFT,
                                                    KC_CLEAR,  KC_RIGHT, KC_HOME, KC_UP,     kPageUp };
    if( sym >= SDLK_KP_1 && sym <= SDLK_KP_9 )
        return numLock ? static_cast<uint32_t>( KC_NUMPAD1 + ( sym - SDLK_KP_1 ) )
                       : kWithoutNumLock[ 1 + ( sym - SDLK_KP_1 ) ];
    switch( sym )
    {
    case SDLK_KP_0:
        return numLock ? static_cast<uint32_t>( KC_NUMPAD0 ) : kWithoutNumLock[ 0 ];
    case SDLK_KP_PERIOD:
        return static_cast<uint32_t>( numLock ? KC_DECIMAL : KC_DELETE );
    case SDLK_KP_DIVIDE:
        return KC_DIVIDE;
    case SDLK_KP_MULTIPLY:
        return KC_MULTIPLY;
    case SDLK_KP_MINUS:
        return KC_SUBTRACT;
    case SDLK_KP_PLUS:
        return KC_ADD;
    case SDLK_KP_ENTER:
        return KC_RETURN;
    default:
        return 0;
    }
}

// Only the left Alt is the system's Alt: the right one is AltGr on many layouts, and its
// characters must still be typed.
bool isSystemKey( uint32_t virtualKey, uint16_t mod )
{
    if( virtualKey == KC_MENU || virtualKey == KC_F10 )
        return true;
    return ( mod & KMOD_LALT ) != 0 && ( mod & KMOD_CTRL ) == 0;
}

// The character the system's message translation makes for keys that SDL types nothing for;
// -1 when the key types nothing or SDL sends its text itself.
int controlCharacterOf( const SDL_Keysym& keysym )
{
    bool control = ( keysym.mod & KMOD_CTRL ) != 0;
    switch( keysym.sym )
    {
    case SDLK_BACKSPACE:
        return control ? 127 : 8;
    case SDLK_TAB:
        return control ? -1 : 9;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return control ? 10 : 13;
    case SDLK_ESCAPE:
        return 27;
    default:
        break;
    }
    if( !control || ( keysym.mod & KMOD_ALT ) != 0 )
        return -1;
    if( keysym.sym >= SDLK_a && keysym.sym <= SDLK_z )
        return 1 + ( keysym.sym - SDLK_a );
    switch( keysym.sym )
    {
    case SDLK_LEFTBRACKET:
        return 27;
    case SDLK_BACKSLASH:
        return 28;
    case SDLK_RIGHTBRACKET:
        return 29;
    default:
        return -1;
    }
}

// The next code point of a UTF-8 text, or -1 for a malformed sequence (which is skipped).
int32_t nextCodePoint( const unsigned char*& kpText )
{
    unsigned char lead = *kpText++;
    if( lead < 0x80 )
        return lead;
    int extra = ( lead & 0xE0 ) == 0xC0 ? 1 : ( lead & 0xF0 ) == 0xE0 ? 2 : ( lead & 0xF8 ) == 0xF0 ? 3 : -1;
    if( extra < 0 )
        return -1;
    int32_t codePoint = lead & ( 0x3F >> extra );
    for( int i = 0; i < extra; ++i )
    {
        if( ( *kpText & 0xC0 ) != 0x80 )
            return -1;
        codePoint = ( codePoint << 6 ) | ( *kpText++ & 0x3F );
    }
    return codePoint;
}
} // namespace

// No console variable steers SDL's input yet; the parameter keeps the device's signature.
HSDLInputDevice::HSDLInputDevice( HCvarManager*, HWindowProcedure* pProcedure )
    : m_procedure( pProcedure != nullptr ? *pProcedure : HWindowProcedure::processInstance() )
    , m_pWindow( nullptr )
    , m_created( false )
    , m_quitPending( false )
    , m_padsReady( false )
    , m_apPads()
    , m_aPadHeld()
    , m_aPadStick()
    , m_padKeys()
{
}

HSDLInputDevice::~HSDLInputDevice()
{
    // The process's device outlives SDL_Quit, which has closed and freed the pads already.
    if( m_padsReady && SDL_WasInit( SDL_INIT_GAMECONTROLLER ) != 0 )
    {
        m_closeAllPads();
        SDL_QuitSubSystem( SDL_INIT_GAMECONTROLLER );
    }
    if( m_procedure.getHost() == this )
        m_procedure.setHost( nullptr );
}

HInputDevice* HSDLInputDevice::obtain( HCvarManager* pCvars )
{
    // Made once and kept to the end of the process, as the window procedure outlives devices.
    static HSDLInputDevice* s_pDevice = nullptr;
    static bool s_tried = false;
    if( !s_tried )
    {
        s_tried = true;
        static HSDLInputDevice s_device( pCvars );
        if( s_device.create() )
            s_pDevice = &s_device;
    }
    return s_pDevice;
}

bool HSDLInputDevice::create()
{
    logMessage( ">>>HSDLInputDevice::create()\n" );
    if( SDL_InitSubSystem( SDL_INIT_EVENTS ) != 0 )
    {
        logMessage( "...SDL events unavailable: %s\n", SDL_GetError() );
        return false;
    }
    // A release outside the window must still arrive; SDL captures while a button is down.
    SDL_SetHint( SDL_HINT_MOUSE_AUTO_CAPTURE, "1" );
    // Closing the window asks the game, which may decide otherwise; no second quit of SDL's own.
    SDL_SetHint( SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0" );
    // Clicks that focus the window count as clicks, as they do on the system.
    SDL_SetHint( SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1" );
    // Pads are a bonus: without them the keyboard and the mouse still play. The pads present now
    // arrive as added devices on the first poll.
    m_padsReady = SDL_InitSubSystem( SDL_INIT_GAMECONTROLLER ) == 0;
    if( !m_padsReady )
        logMessage( "...no game pads: %s\n", SDL_GetError() );
    m_procedure.setHost( this );
    m_created = true;
    return true;
}

bool HSDLInputDevice::poll()
{
    SDL_Event event;
    while( SDL_PollEvent( &event ) != 0 )
    {
        translate( event );
        if( m_quitPending )
        {
            m_quitPending = false;
            return false;
        }
    }
    // A held direction repeats without any event of its own.
    updatePads();
    return true;
}

void HSDLInputDevice::waitForInput( uint32_t timeoutMs )
{
    if( timeoutMs == 0 )
        return;
    // No event given: whatever arrives stays queued for poll. SIGINT and SIGTERM end the wait
    // too, as SDL turns them into a quit event unless its signal handlers are turned off.
    SDL_WaitEventTimeout( nullptr, static_cast<int>( std::min<uint32_t>( timeoutMs, INT32_MAX ) ) );
}

void HSDLInputDevice::m_openPad( int32_t deviceIndex )
{
    for( int slot = 0; slot < kMostPads; ++slot )
    {
        if( m_apPads[ slot ] != nullptr )
            continue;
        m_apPads[ slot ] = SDL_GameControllerOpen( deviceIndex );
        m_aPadHeld[ slot ] = 0;
        m_aPadStick[ slot ] = HPoint{ 0, 0 };
        if( m_apPads[ slot ] == nullptr )
            logMessage( "...game pad %d could not be opened: %s\n", deviceIndex, SDL_GetError() );
        else
        {
            const char* kpName = SDL_GameControllerName( m_apPads[ slot ] );
            logMessage( "...game pad: %s\n", kpName != nullptr ? kpName : "?" );
        }
        return;
    }
}

int HSDLInputDevice::m_padSlot( int32_t instanceId ) const
{
    for( int slot = 0; slot < kMostPads; ++slot )
    {
        if( m_apPads[ slot ] != nullptr &&
            SDL_JoystickInstanceID( SDL_GameControllerGetJoystick( m_apPads[ slot ] ) ) == instanceId )
            return slot;
    }
    return -1;
}

void HSDLInputDevice::m_closePad( int32_t instanceId )
{
    int slot = m_padSlot( instanceId );
    if( slot < 0 )
        return;
    SDL_GameControllerClose( m_apPads[ slot ] );
    m_apPads[ slot ] = nullptr;
    // What it held is let go.
    m_aPadHeld[ slot ] = 0;
    m_aPadStick[ slot ] = HPoint{ 0, 0 };
    updatePads();
}

void HSDLInputDevice::m_closeAllPads()
{
    for( _SDL_GameController*& pPad : m_apPads )
    {
        if( pPad != nullptr )
            SDL_GameControllerClose( pPad );
        pPad = nullptr;
    }
}

int HSDLInputDevice::getPadCount() const
{
    int count = 0;
    for( _SDL_GameController* pPad : m_apPads )
        count += pPad != nullptr ? 1 : 0;
    return count;
}

void HSDLInputDevice::m_padButton( int32_t instanceId, uint8_t button, bool down )
{
    struct Binding
    {
        uint8_t button;
        uint32_t control;
    };
    static const Binding kaBindings[] = {
        { SDL_CONTROLLER_BUTTON_DPAD_UP, GC_UP },     { SDL_CONTROLLER_BUTTON_DPAD_DOWN, GC_DOWN },
        { SDL_CONTROLLER_BUTTON_DPAD_LEFT, GC_LEFT }, { SDL_CONTROLLER_BUTTON_DPAD_RIGHT, GC_RIGHT },
        { SDL_CONTROLLER_BUTTON_A, GC_A },            { SDL_CONTROLLER_BUTTON_B, GC_B },
        { SDL_CONTROLLER_BUTTON_START, GC_START } };
    int slot = m_padSlot( instanceId );
    if( slot < 0 )
        return;
    for( const Binding& binding : kaBindings )
    {
        if( binding.button != button )
            continue;
        if( down )
            m_aPadHeld[ slot ] |= binding.control;
        else
            m_aPadHeld[ slot ] &= ~binding.control;
    }
    // Each event is taken as it comes, so a press and release within one poll both count.
    updatePads();
}

void HSDLInputDevice::m_padAxis( int32_t instanceId, uint8_t axis, int16_t value )
{
    int slot = m_padSlot( instanceId );
    if( slot < 0 )
        return;
    if( axis == SDL_CONTROLLER_AXIS_LEFTX )
        m_aPadStick[ slot ].x = value;
    else if( axis == SDL_CONTROLLER_AXIS_LEFTY )
        m_aPadStick[ slot ].y = value;
    else
        return;
    updatePads();
}

void HSDLInputDevice::updatePads()
{
    uint32_t held = 0;
    for( int slot = 0; slot < kMostPads; ++slot )
    {
        if( m_apPads[ slot ] != nullptr )
            held |= m_aPadHeld[ slot ] | HGamepadMapper::stickControls( m_aPadStick[ slot ].x, m_aPadStick[ slot ].y );
    }
    if( held == 0 && m_padKeys.getHeld() == 0 )
        return;
    HGamepadMessage aMessages[ HGamepadMapper::kMostMessages ];
    size_t count = m_padKeys.update( held, processServices().getTime(), aMessages );
    for( size_t i = 0; i < count; ++i )
        m_send( aMessages[ i ].message, aMessages[ i ].wParam );
}

void HSDLInputDevice::m_send( uint32_t message, uintptr_t wParam, intptr_t lParam )
{
    m_procedure.handleMessage( m_pWindow, message, wParam, lParam );
}

intptr_t HSDLInputDevice::m_framePoint( int32_t x, int32_t y ) const
{
    HDisplayDevice* pDisplay = HGlobal::getDisplayDevice();
    HPoint point = pDisplay != nullptr ? pDisplay->mapWindowToFrame( x, y ) : HPoint{ x, y };
    return HWindowProcedure::makePointParam( point.x, point.y );
}

uint32_t HSDLInputDevice::virtualKeyOf( const SDL_Keysym& keysym )
{
    SDL_Keycode sym = keysym.sym;
    if( sym >= SDLK_a && sym <= SDLK_z )
        return KC_A + ( sym - SDLK_a );
    if( sym >= SDLK_0 && sym <= SDLK_9 )
        return KC_0 + ( sym - SDLK_0 );
    if( sym >= SDLK_F1 && sym <= SDLK_F12 )
        return KC_F1 + ( sym - SDLK_F1 );
    if( sym >= SDLK_F13 && sym <= SDLK_F24 )
        return KC_F12 + 1 + ( sym - SDLK_F13 );
    uint32_t key = keypadKey( sym, ( keysym.mod & KMOD_NUM ) != 0 );
    if( key != 0 )
        return key;
    key = punctuationKey( sym );
    if( key != 0 )
        return key;
    switch( sym )
    {
    case SDLK_RETURN:
        return KC_RETURN;
    case SDLK_ESCAPE:
        return KC_ESCAPE;
    case SDLK_BACKSPACE:
        return KC_BACK;
    case SDLK_TAB:
        return KC_TAB;
    case SDLK_SPACE:
        return KC_SPACE;
    case SDLK_PAGEUP:
        return kPageUp;
    case SDLK_PAGEDOWN:
        return kPageDown;
    case SDLK_END:
        return KC_END;
    case SDLK_HOME:
        return KC_HOME;
    case SDLK_LEFT:
        return KC_LEFT;
    case SDLK_UP:
        return KC_UP;
    case SDLK_RIGHT:
        return KC_RIGHT;
    case SDLK_DOWN:
        return KC_DOWN;
    case SDLK_INSERT:
        return KC_INSERT;
    case SDLK_DELETE:
        return KC_DELETE;
    case SDLK_CLEAR:
        return KC_CLEAR;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return KC_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return KC_CONTROL;
    case SDLK_LALT:
        return KC_MENU;
    case SDLK_PAUSE:
        return kPause;
    case SDLK_CAPSLOCK:
        return kCapsLock;
    case SDLK_PRINTSCREEN:
        return kPrintScreen;
    case SDLK_NUMLOCKCLEAR:
        return kNumLock;
    case SDLK_SCROLLLOCK:
        return kScrollLock;
    case SDLK_LGUI:
        return kWindowsLeft;
    case SDLK_RGUI:
        return kWindowsRight;
    case SDLK_APPLICATION:
        return kApplicationKey;
    default:
        break;
    }
    return keyAtUsPosition( keysym.scancode );
}

void HSDLInputDevice::m_keyDown( const SDL_Keysym& keysym )
{
    uint32_t virtualKey = virtualKeyOf( keysym );
    bool system = isSystemKey( virtualKey, keysym.mod );
    if( virtualKey != 0 )
        m_send( system ? HWM_SYSKEYDOWN : HWM_KEYDOWN, virtualKey );
    // With the system's Alt held the character would be a system character, which nobody reads.
    if( system )
        return;
    int character = controlCharacterOf( keysym );
    if( character >= 0 )
        m_send( HWM_CHAR, static_cast<uintptr_t>( character ) );
}

void HSDLInputDevice::m_keyUp( const SDL_Keysym& keysym )
{
    uint32_t virtualKey = virtualKeyOf( keysym );
    if( virtualKey != 0 )
        m_send( isSystemKey( virtualKey, keysym.mod ) ? HWM_SYSKEYUP : HWM_KEYUP, virtualKey );
}

void HSDLInputDevice::m_text( const char* kpUtf8 )
{
    if( m_procedure.isAltDown() && !m_procedure.isControlDown() )
        return;
    const unsigned char* kpText = reinterpret_cast<const unsigned char*>( kpUtf8 );
    while( *kpText != 0 )
    {
        int32_t codePoint = nextCodePoint( kpText );
        // Control characters were made from their keys.
        if( codePoint < 32 || codePoint == 127 || ( codePoint >= 0x80 && codePoint < 0xA0 ) )
            continue;
        if( codePoint <= 255 )
        {
            m_send( HWM_CHAR, static_cast<uintptr_t>( codePoint ) );
            continue;
        }
        // What the 8-bit character cannot hold comes as its plain letters, as the system's
        // best fit would give them, or as a mark that something was typed.
        const char* kpLetters = textPlainLetters( static_cast<uint32_t>( codePoint ) );
        for( const char* kpLetter = kpLetters != nullptr ? kpLetters : "?"; *kpLetter != 0; ++kpLetter )
            m_send( HWM_CHAR, static_cast<uintptr_t>( static_cast<unsigned char>( *kpLetter ) ) );
    }
}

void HSDLInputDevice::m_mouseButton( uint8_t button, bool down, int32_t x, int32_t y )
{
    // Double clicks are plain clicks: the window class asks for no double-click messages.
    if( button == SDL_BUTTON_LEFT )
        m_send( down ? HWM_LBUTTONDOWN : HWM_LBUTTONUP, 0, m_framePoint( x, y ) );
    else if( button == SDL_BUTTON_RIGHT )
        m_send( down ? HWM_RBUTTONDOWN : HWM_RBUTTONUP, 0, m_framePoint( x, y ) );
}

void HSDLInputDevice::m_windowEvent( uint8_t kind, uint32_t windowId )
{
    SDL_Window* pWindow = SDL_GetWindowFromID( windowId );
    if( pWindow != nullptr )
        m_pWindow = pWindow;
    switch( kind )
    {
    case SDL_WINDOWEVENT_SHOWN:
        m_send( HWM_SHOWWINDOW, 1 );
        break;
    case SDL_WINDOWEVENT_HIDDEN:
        m_send( HWM_SHOWWINDOW, 0 );
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        m_send( HWM_PAINT, 0 );
        break;
    case SDL_WINDOWEVENT_MOVED:
        m_send( HWM_MOVE, 0 );
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        m_send( HWM_SIZE, HSIZE_MINIMIZED );
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        m_send( HWM_SIZE, HSIZE_MAXIMIZED );
        break;
    case SDL_WINDOWEVENT_RESTORED:
        m_send( HWM_SIZE, HSIZE_RESTORED );
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    {
        bool minimized = pWindow != nullptr && ( SDL_GetWindowFlags( pWindow ) & SDL_WINDOW_MINIMIZED ) != 0;
        m_send( HWM_SIZE, minimized ? HSIZE_MINIMIZED : HSIZE_RESTORED );
        // The picture is scaled anew, so all of it is painted again.
        m_send( HWM_PAINT, 0 );
        break;
    }
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        m_send( HWM_ACTIVATE, kActive );
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        m_send( HWM_ACTIVATE, 0 );
        break;
    case SDL_WINDOWEVENT_CLOSE:
        m_send( HWM_CLOSE, 0 );
        break;
    default:
        break;
    }
}

void HSDLInputDevice::translate( const SDL_Event& event )
{
    switch( event.type )
    {
    case SDL_KEYDOWN:
        m_keyDown( event.key.keysym );
        break;
    case SDL_KEYUP:
        m_keyUp( event.key.keysym );
        break;
    case SDL_TEXTINPUT:
        m_text( event.text.text );
        break;
    case SDL_MOUSEMOTION:
        m_send( HWM_MOUSEMOVE, 0, m_framePoint( event.motion.x, event.motion.y ) );
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        m_mouseButton( event.button.button, event.type == SDL_MOUSEBUTTONDOWN, event.button.x, event.button.y );
        break;
    case SDL_WINDOWEVENT:
        m_windowEvent( event.window.event, event.window.windowID );
        break;
    case SDL_QUIT:
        // A signal (or the desktop ending the session) asks as the close button does.
        m_send( HWM_CLOSE, 0 );
        break;
    case SDL_CONTROLLERDEVICEADDED:
        m_openPad( event.cdevice.which );
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        m_closePad( event.cdevice.which );
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        m_padButton( event.cbutton.which, event.cbutton.button, event.type == SDL_CONTROLLERBUTTONDOWN );
        break;
    case SDL_CONTROLLERAXISMOTION:
        m_padAxis( event.caxis.which, event.caxis.axis, event.caxis.value );
        break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
        m_send( HWM_PAINT, 0 );
        break;
    default:
        break;
    }
}

HRect HSDLInputDevice::getClientRectOnScreen()
{
    SDL_Window* pWindow = static_cast<SDL_Window*>( m_pWindow );
    if( pWindow == nullptr )
        return { 0, 0, 0, 0 };
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    SDL_GetWindowPosition( pWindow, &x, &y );
    SDL_GetWindowSize( pWindow, &width, &height );
    return { x, y, x + width, y + height };
}

HPoint HSDLInputDevice::screenToClient( const HPoint& point )
{
    HRect client = getClientRectOnScreen();
    return { point.x - client.left, point.y - client.top };
}

void HSDLInputDevice::setCapture()
{
    // SDL already captures while a button is held; asking as well keeps the capture if a
    // platform ignores the automatic one.
    SDL_CaptureMouse( SDL_TRUE );
}

void HSDLInputDevice::releaseCapture()
{
    SDL_CaptureMouse( SDL_FALSE );
}

void HSDLInputDevice::setFocus()
{
    // A window that receives a click already has the keyboard under SDL.
}

void HSDLInputDevice::setActiveWindow()
{
    // Likewise: SDL only reports clicks to the window they landed on, which the desktop activates.
}

void HSDLInputDevice::postQuitMessage( int exitCode )
{
    ( void )exitCode;
    m_quitPending = true;
}

intptr_t HSDLInputDevice::defaultProcessing( void* pWindow, uint32_t message, uintptr_t wParam, intptr_t lParam )
{
    // SDL has done the desktop's part of every message before handing it on.
    ( void )pWindow;
    ( void )message;
    ( void )wParam;
    ( void )lParam;
    return 0;
}

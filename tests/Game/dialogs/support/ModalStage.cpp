#include "tests/Game/dialogs/support/ModalStage.h"

#include "Framework/graphics/HDisplayDevice.h"

bool ScriptedInput::poll()
{
    if( steps.empty() )
    {
        // Once the script is over the window closes, so a dialog that never ends cannot hang a test.
        if( quitsPosted < 16 )
        {
            HEvent quit;
            quit.clear();
            quit.type = ET_QUIT;
            m_queue.postEvent( quit );
            ++quitsPosted;
        }
        return true;
    }
    Step step = steps.front();
    steps.pop_front();
    m_services.fakeTime = step.time;
    if( step.event.type != ET_NONE )
        m_queue.postEvent( step.event );
    return true;
}

ModalStage::ModalStage()
    : m_services()
    , m_input( m_services, m_eventQueue )
    , m_folder()
    , m_sprites()
    , m_pFont( nullptr )
    , m_pGame( nullptr )
    , m_scriptTime( m_services.fakeTime )
{
    MemoryDisplayDevice* pDisplay = new MemoryDisplayDevice();
    pDisplay->initScreen( 640, 480, "stage", false, true );
    m_pDisplayDevice = pDisplay;
    m_eventQueue.setPollSource( &m_input );
    m_currentTime = m_services.fakeTime;
    m_pGame = sprite( "game.tga", 640, 480, 0, 0, 96 );
}

void ModalStage::drawRect( const HRect& clip )
{
    repainted.push_back( clip );
    m_pGame->draw( clip, clip );
}

ModalStage::~ModalStage()
{
    if( m_pFont != nullptr )
        m_pDisplayDevice->destroyFont( m_pFont );
    for( VXSprite* pSprite : m_sprites )
    {
        pSprite->unload();
        delete pSprite;
    }
    m_eventQueue.setPollSource( nullptr );
    unloadGraphics();
    shutdown();
}

void ModalStage::m_add( HEvent event, uint32_t after )
{
    m_scriptTime += after;
    m_input.steps.push_back( ScriptedInput::Step{ m_scriptTime, event } );
}

void ModalStage::click( int32_t x, int32_t y, uint32_t after )
{
    HEvent event;
    event.clear();
    event.type = ET_KEYDOWN;
    event.key = KC_LBUTTON;
    event.x = x;
    event.y = y;
    m_add( event, after );
    event.type = ET_KEYUP;
    m_add( event, 1 );
}

void ModalStage::move( int32_t x, int32_t y, uint32_t after )
{
    HEvent event;
    event.clear();
    event.type = ET_MOUSEMOVE;
    event.x = x;
    event.y = y;
    m_add( event, after );
}

void ModalStage::type( char character, uint32_t after )
{
    HEvent event;
    event.clear();
    event.type = ET_KEYDOWN;
    event.character = character;
    m_add( event, after );
}

void ModalStage::typeText( const std::string& text )
{
    for( char character : text )
        type( character, 1 );
}

void ModalStage::paste( uint32_t after )
{
    HEvent event;
    event.clear();
    event.type = ET_PASTE;
    m_add( event, after );
}

void ModalStage::idle( uint32_t after )
{
    HEvent none;
    none.clear();
    m_add( none, after );
}

void ModalStage::closeWindow( uint32_t after )
{
    HEvent event;
    event.clear();
    event.type = ET_QUIT;
    m_add( event, after );
}

VXDialogResult ModalStage::run( VXDialog& dialog, uint32_t timeoutMs )
{
    return dialog.doModal( this, m_pDisplayDevice, m_eventQueue, timeoutMs, nullptr );
}

VXSprite* ModalStage::sprite( const std::string& name, int width, int height, uint8_t red, uint8_t green, uint8_t blue,
                              uint8_t alpha )
{
    m_folder.add( name, width, height, red, green, blue, alpha );
    VXSprite* pSprite = new VXSprite();
    pSprite->load( m_pDisplayDevice, &m_folder.fileSystem(), name.c_str() );
    m_sprites.push_back( pSprite );
    return pSprite;
}

const HBitmapFont* ModalStage::font()
{
    if( m_pFont == nullptr )
        m_pFont = m_pDisplayDevice->createFont( sprite( "font.tga", 128, 84, 255, 255, 255 ), 8, 12 );
    return m_pFont;
}

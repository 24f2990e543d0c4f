#ifndef GLIMMERDROP_TESTS_GAME_DIALOGS_SUPPORT_MODALSTAGE_H
#define GLIMMERDROP_TESTS_GAME_DIALOGS_SUPPORT_MODALSTAGE_H

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "Framework/application/HApplication.h"
#include "Framework/application/HInputDevice.h"
#include "Framework/graphics/HBitmapFont.h"
#include "Framework/graphics/VXSprite.h"
#include "Game/dialogs/VXDialog.h"
#include "tests/Game/support/SpriteFiles.h"
#include "tests/support/MemoryDisplayDevice.h"
#include "tests/support/RecordingProcessServices.h"

// A clock the test moves and sleeps that are only written down.
class StageServices : public RecordingProcessServices
{
public:
    StageServices()
    {
        useFakeTime = true;
        fakeTime = 10000;
    }
    void sleep( uint32_t milliseconds ) override { sleeps.push_back( milliseconds ); }

};

// Plays a script of input into the queue, one step each time the queue runs dry, as a person
// would: a step posts its event at its time. An idle step only moves the clock, so the queue
// makes a time stamp. When the script is over the window is closed, so no run can hang.
class ScriptedInput : public HInputDevice
{
public:
    struct Step
    {
        uint64_t time;
        HEvent event; // ET_NONE for an idle step
    };

    ScriptedInput( StageServices& services, HEventQueue& queue )
        : m_services( services )
        , m_queue( queue )
    {
    }
    bool poll() override;

    std::deque<Step> steps;
    int quitsPosted = 0;

private:
    StageServices& m_services;
    HEventQueue& m_queue;
};

// An application with a screen in memory to run dialogs on. Its game is one dark picture; it
// writes down the rectangles it was asked to repaint.
class ModalStage : public HApplication
{
public:
    ModalStage();
    ~ModalStage() override;

    int handleEvent( const HEvent& ) override { return 0; }
    void drawRect( const HRect& clip ) override;
    VXSprite* getCursorImage() override { return pCursor; }

    // Script steps, each at the clock's time plus the delay given.
    void click( int32_t x, int32_t y, uint32_t after = 10 );
    void move( int32_t x, int32_t y, uint32_t after = 10 );
    void type( char character, uint32_t after = 10 );
    void typeText( const std::string& text );
    void paste( uint32_t after = 10 );
    void idle( uint32_t after );
    void closeWindow( uint32_t after = 10 );

    VXDialogResult run( VXDialog& dialog, uint32_t timeoutMs = 0 );

    // Sprites of one colour, loaded on this screen; the stage unloads them at the end.
    VXSprite* sprite( const std::string& name, int width, int height, uint8_t red = 200, uint8_t green = 100,
                      uint8_t blue = 50, uint8_t alpha = 255 );
    // An 8 x 12 font whose every cell is one opaque colour.
    const HBitmapFont* font();

    MemoryDisplayDevice& display() { return *static_cast<MemoryDisplayDevice*>( m_pDisplayDevice ); }
    StageServices& services() { return m_services; }
    ScriptedInput& input() { return m_input; }
    // The time of the last step scripted.
    uint64_t scriptTime() const { return m_scriptTime; }

    using HApplication::m_beginPause;
    using HApplication::m_endPause;

    VXSprite* pCursor = nullptr;
    std::vector<HRect> repainted;

private:
    void m_add( HEvent event, uint32_t after );

    StageServices m_services;
    ScriptedInput m_input;
    SpriteFolder m_folder;
    std::vector<VXSprite*> m_sprites;
    HBitmapFont* m_pFont;
    VXSprite* m_pGame;
    uint64_t m_scriptTime;
};

#endif

#ifndef GLIMMERDROP_TESTS_GAME_SUPPORT_SCREENHARNESS_H
#define GLIMMERDROP_TESTS_GAME_SUPPORT_SCREENHARNESS_H

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "Framework/application/HInputDevice.h"
#include "Game/VXGame.h"
#include "Game/VXPanelControl.h"
#include "tests/Game/support/GameHarness.h"
#include "tests/support/MemoryDisplayDevice.h"
#include "tests/support/TempDir.h"

// The harness's services, with a login name and a record of the addresses handed to the system.
class ScreenServices : public HarnessProcessServices
{
public:
    intptr_t shellOpen( const char* kpTarget ) override
    {
        opened.push_back( kpTarget );
        return 42;
    }
    char* getUserName( char* pBuffer, size_t size ) override;

    // Empty: the system cannot say.
    std::string userName = "player";
    std::vector<std::string> opened;
};

// The whole game with its real screens, pictures and controls, on a display in memory.
class ScreenGame : public VXGame
{
public:
    ScreenGame();
    ~ScreenGame() override;

    MemoryDisplayDevice* display() const { return static_cast<MemoryDisplayDevice*>( m_pDisplayDevice ); }
    VXBoard& board() { return m_board; }
    VXSettings& settings() { return m_settings; }
    int32_t pauseCount() const { return m_pauseCount; }
    void setTimeLeft( float seconds ) { m_timeLeft = seconds; }
    void setScore( int32_t score ) { m_score = score; }
    void setState( int32_t state ) { m_state = state; }
    // The panel button of a kind, or null.
    VXPanelControl* panelControl( VXPanelControl::Kind kind ) const;
    using VXGame::enterName;
    using VXGame::m_frameStep;
    using VXGame::showGameOver;

    // The display switches in place, as the SDL one does, unless told otherwise.
    bool switchesInPlace = true;
    int inPlaceSwitches = 0;
    int displaysMade = 0;
    bool displayWorks = true;

protected:
    bool m_createDisplayDevice( const char* kpTitle, bool fullscreen, bool noDoubleClick, int32_t width,
                                int32_t height ) override;
    bool m_switchDisplayMode() override;
};

// Input played as a person would give it: each step is posted when the queue runs dry, at its
// time. A step may instead only move the clock (the queue then makes a time stamp), or first
// run a check of what is on screen. A modal screen left waiting with nothing more to come is
// closed, so a test cannot hang, and says so.
class ScriptedGameInput : public HInputDevice
{
public:
    struct Step
    {
        uint32_t after;
        // Builds the event when its turn comes (a dialog's button exists only then); ET_NONE idles.
        std::function<HEvent()> make;
        std::function<void()> check;
    };

    ScriptedGameInput( ScreenServices& services, HEventQueue& queue );
    bool poll() override;

    // A pass of the main loop starts.
    void newPass() { m_dryPolls = 0; }

    std::deque<Step> steps;
    bool stuck = false;

private:
    ScreenServices& m_services;
    HEventQueue& m_queue;
    int m_dryPolls;
};

// The game started with the real resource archive in a folder of its own, a registry file
// there, a clock the test moves and a script of input.
class ScreenHarness
{
public:
    struct Options
    {
        int32_t didTutorial = 1;
        // Appended to the command line.
        std::string switches;
        // Written to "journal.bin" before start-up when played back.
        bool playback = false;
        std::string journalBytes;
        // Text put into the registry file before start-up, after the settings.
        std::string registryLines;
        bool journal = false;
    };

    explicit ScreenHarness( const Options& options );
    ScreenHarness();
    ~ScreenHarness();

    ScreenHarness( const ScreenHarness& ) = delete;
    ScreenHarness& operator=( const ScreenHarness& ) = delete;

    bool started() const { return m_started; }
    ScreenGame& game() { return m_game; }
    ScreenServices& services() { return m_services; }
    RecordingSoundService& sound() { return m_sound; }
    ScriptedGameInput& input() { return m_input; }
    const TempDir& dir() const { return m_dir; }

    // Script steps; each comes the given milliseconds after the one before.
    void click( int32_t x, int32_t y, uint32_t after = 20 );
    void clickPanel( VXPanelControl::Kind kind, uint32_t after = 20 );
    // The centre of the item of the innermost modal screen with that name (the n-th of them).
    void clickItem( const std::string& name, int occurrence = 0, uint32_t after = 20 );
    void moveTo( int32_t x, int32_t y, uint32_t after = 20 );
    void key( char character, uint32_t after = 20 );
    void keyCode( int32_t code, uint32_t after = 20 );
    void type( const std::string& text );
    void paste( uint32_t after = 20 );
    void command( int32_t number, uint32_t after = 20 );
    void toggleFullscreen( uint32_t after = 20 );
    void closeWindow( uint32_t after = 20 );
    void idle( uint32_t after );
    // Runs when the script reaches it.
    void check( std::function<void()> check );
    // Plays the script to its end, then one more pass. False once the game has stopped.
    bool run();
    // Moves the clock on without the script and runs the loop until the time stamp it made has
    // been handled. False once the game has stopped.
    bool tick( uint32_t milliseconds );
    // Plays the journal being played back through the real main loop; true when it ended.
    bool playJournal();
    // Idle steps of 10 ms until the state is reached.
    bool runUntil( int32_t state, uint32_t maxMilliseconds );

    // The name of the background of the innermost modal screen, "" with none.
    std::string modalScreen() const;
    std::string registryText() const { return m_dir.exists( "registry.reg" ) ? m_dir.read( "registry.reg" ) : ""; }
    std::string journalBytes() const;

private:
    void m_add( uint32_t after, std::function<HEvent()> make, std::function<void()> check = nullptr );
    // A left press on what at( type ) finds when the step comes, and its release at the same place.
    void m_addPressAndRelease( uint32_t after, std::function<HEvent( int32_t type )> at );
    bool m_pass();

    ScreenServices m_services;
    TempDir m_dir;
    std::string m_oldDir;
    RecordingSoundService m_sound;
    ScreenGame m_game;
    ScriptedGameInput m_input;
    bool m_started;
    bool m_stopped;
};

// A game recorded with "-journal" from start to the high-score table: a line crunched by a
// player that looks ahead, the clock run down with the debug keys, the game-over notice closed
// just after its button came on, the name typed over whatever was suggested, the table's OK, and
// the window closed.
struct RecordedGame
{
    std::string journal;
    std::string registry;
    int32_t score = 0;
    std::string highScoreName;
    // The modal screens in the order they were seen.
    std::vector<std::string> screens;
};
RecordedGame recordGameToHighScores( const std::string& name );
// The same game played by keyboard alone: Return to start, the arrow keys for the line, P, the
// Pause key and Escape to pause and go on, the options, the table and the restart question opened
// by their keys and left by Escape, Escape refused by the game-over notice while its button is
// off, Return once it is on, the name typed, Tab and Return, the marked table left by Escape, and
// Q to quit.
RecordedGame recordKeyboardGame( const std::string& name );

// A plain input event.
HEvent makeEvent( int32_t type, int32_t key = 0, char character = 0, int32_t x = 0, int32_t y = 0 );

#endif

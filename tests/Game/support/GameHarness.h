#ifndef GLIMMERDROP_TESTS_GAME_SUPPORT_GAMEHARNESS_H
#define GLIMMERDROP_TESTS_GAME_SUPPORT_GAMEHARNESS_H

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Framework/application/HInputDevice.h"
#include "Game/VXGame.h"
#include "Game/VXSoundService.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/RegistrySandbox.h"
#include "tests/support/TempDir.h"

// Services with a clock the test sets and sleeps that are only written down.
class HarnessProcessServices : public RecordingProcessServices
{
public:
    HarnessProcessServices()
    {
        useFakeTime = true;
        fakeTime = 1000;
    }
    void sleep( uint32_t milliseconds ) override { sleeps.push_back( milliseconds ); }
    intptr_t shellOpen( const char* kpTarget ) override
    {
        opened.push_back( kpTarget != nullptr ? kpTarget : "" );
        return 33;
    }

    std::vector<std::string> opened;
};

// Every sound request, in order, as "name@volume" (alarm operations as "alarm start@v" and so on).
class RecordingSoundService : public VXSoundService
{
public:
    void playSample( const char* kpName, int32_t volume ) override;
    void startAlarm( int32_t volume ) override;
    void setAlarmVolume( int32_t volume ) override;
    void stopAlarm() override;
    void setMute( bool mute ) override;

    int count( const std::string& sound ) const;

    std::vector<std::string> sounds;
    bool muted = false;
};

// The input device of a headless run: nothing to pump.
class HarnessInputDevice : public HInputDevice
{
public:
    bool poll() override { return true; }
};

// The real game with the parts other layers supply replaced by recorders. Its stand-in control
// turns a left click into the move on the cell under it and Enter into leaving an information
// screen, enough to play whole games from events or a journal.
class TestGame : public VXGame
{
public:
    TestGame();
    ~TestGame() override;

    int handleEvent( const HEvent& event ) override;
    void drawRect( const HRect& clip ) override
    {
        drawn.push_back( clip );
        if( realAssets )
            VXGame::drawRect( clip );
    }

    // The tests reach into the rules' state to build situations.
    VXBoard& board() { return m_board; }
    VXSettings& settings() { return m_settings; }
    void setTimeLeft( float seconds ) { m_timeLeft = seconds; }
    void setLinesToGo( int32_t lines ) { m_linesToGo = lines; }
    void setLastMovePoint( const HPoint& point ) { m_lastMovePoint = point; }
    VXScorePopupList& popups() { return m_popups; }
    using HApplication::m_beginPause;
    using HApplication::m_endPause;
    using VXGame::m_frameStep;
    using VXGame::m_frameUpdate;
    using VXGame::m_takeFrameTime;

    // The whole state of the rules, as text: state, phase, level, score, lines, clock bits, board.
    std::string snapshot() const;

    std::vector<int32_t> states;
    // A snapshot after every time stamp handled.
    std::vector<std::string> frames;
    std::vector<HRect> drawn;
    int gameOvers = 0;
    int nameEntries = 0;
    int tutorialLoads = 0;
    int tutorialUnloads = 0;
    int screensMade = 0;
    int presentationUpdates = 0;
    int32_t rank = -1;
    bool assetsLoad = true;
    // Whether the start-up jingle was sounding while the assets loaded.
    bool splashDuringLoad = false;
    // The game's own control and presentation instead of the stand-ins.
    bool realControl = false;
    bool realPresentation = false;
    // The game's own pictures, drawing, tutorial pictures and controls.
    bool realAssets = false;

    using VXGame::m_click;
    using VXGame::m_keyPress;
    using VXGame::m_keyRelease;
    using VXGame::m_restartAudio;
    void setState( int32_t state ) { m_state = state; }
    void setTutorialStep( int32_t step ) { m_tutorialStep = step; }
    void setShownStartBonus( int32_t bonus ) { m_shownStartBonus = bonus; }
    void setPhase( int32_t duration ) { m_setPhase( duration ); }

protected:
    void m_handleInput( const HEvent& event ) override;
    void m_updatePresentation( int32_t elapsed ) override;
    bool m_loadAssets() override;
    void m_createScreens() override
    {
        ++screensMade;
        if( realAssets )
            VXGame::m_createScreens();
    }
    void m_loadTutorial() override
    {
        ++tutorialLoads;
        if( realAssets )
            VXGame::m_loadTutorial();
    }
    void m_unloadTutorial() override
    {
        ++tutorialUnloads;
        if( realAssets )
            VXGame::m_unloadTutorial();
    }
    void showGameOver() override { ++gameOvers; }
    void enterName() override { ++nameEntries; }
    int32_t highScoreRank( int32_t score ) override;
    bool m_createDisplayDevice( const char* kpTitle, bool fullscreen, bool noDoubleClick, int32_t width,
                                int32_t height ) override;
};

// A whole headless run of the game: a registry, a resource folder, a working folder for the
// journal, the clock, the sound and the real main loop's passes.
class GameHarness
{
public:
    struct Options
    {
        bool journal = false;
        bool playback = false;
        bool trace = false;
        // Appended to the command line, for example "-tutorial".
        std::string switches;
        // Settings written into the registry before start-up; -1 leaves the default.
        int32_t didTutorial = 1;
        int32_t startLevel = -1;
        int32_t alarmEnabled = -1;
        bool connectSound = true;
        // Files put into the resource folder before start-up, by name.
        std::vector<std::pair<std::string, std::string>> resources;
        // The game's own handling of clicks and keys, and its own per-frame presentation.
        bool realControl = false;
        bool realPresentation = false;
        // Everything of the game's own: control, presentation, pictures, drawing, controls.
        bool realGame = false;
        // Called with the resource folder before start-up, to put the game's files there.
        std::function<void( const std::string& )> fillResources;
        // With playback, written as "journal.bin" into the working folder before start-up.
        std::string journalBytes;
    };

    // Starts the game up to its start screen in the given working folder.
    explicit GameHarness( const Options& options );
    GameHarness();
    ~GameHarness();

    GameHarness( const GameHarness& ) = delete;
    GameHarness& operator=( const GameHarness& ) = delete;

    bool started() const { return m_started; }
    TestGame& game() { return m_game; }
    HarnessProcessServices& services() { return m_services; }
    RecordingSoundService& sound() { return m_sound; }
    uint64_t now() const { return m_services.fakeTime; }

    // Moves the clock on and runs the loop until the time stamp it made has been handled.
    // False once the game asked to stop.
    bool tick( uint32_t milliseconds );
    bool post( const HEvent& event );
    bool click( int32_t x, int32_t y );
    bool clickCell( int column, int row );
    bool pressEnter();
    // A key as the window procedure posts it: a key code, or a character with key 0.
    bool pressKey( int32_t key, char character = 0 );
    bool releaseKey( int32_t key, char character = 0 );
    bool moveMouse( int32_t x, int32_t y );
    bool pressButton( int32_t x, int32_t y );
    bool releaseButton( int32_t x, int32_t y );
    bool activate( bool active );
    bool quit();
    // Ticks until the state is reached; false if it is not within the time given.
    bool runUntil( int32_t state, uint32_t maxMilliseconds, uint32_t step = 10 );
    // Runs the real main loop on the journal being played back; true when it ended.
    bool playJournal();
    // The bytes of "journal.bin" in the working folder.
    std::string journalBytes() const;

private:
    void m_writeRegistry( const Options& options );
    bool m_pass();

    HarnessProcessServices m_services;
    TempDir m_dir;
    RegistrySandbox m_registry;
    std::string m_workDir;
    std::string m_oldDir;
    RecordingSoundService m_sound;
    HarnessInputDevice m_input;
    TestGame m_game;
    bool m_started;
    bool m_stopped;
};

#endif

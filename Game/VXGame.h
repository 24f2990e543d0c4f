#ifndef GLIMMERDROP_GAME_VXGAME_H
#define GLIMMERDROP_GAME_VXGAME_H

#include <cstddef>
#include <cstdint>

#include "Framework/application/HApplication.h"
#include "Game/VXBankSoundService.h"
#include "Game/VXBoard.h"
#include "Game/VXDigitFont.h"
#include "Game/VXHighScoreTable.h"
#include "Game/VXLevelInfo.h"
#include "Game/VXScorePopup.h"
#include "Game/VXSettings.h"
#include "Game/VXSpriteTable.h"
#include "Game/VXTimerBar.h"

class VXDialog;
class VXLoadingScreen;
class VXPauseControl;
class VXSoundService;
class VXStartControl;
struct HBitmapFont;
struct VXDialogResult;

// Game state codes; other parts test ranges of them (8 to 14 are the information screens).
enum VXGameState
{
    GS_IDLE = 0,
    GS_SLIDING = 1,
    GS_CRUNCHING = 2,
    GS_REFILLING = 3,
    GS_LEVEL_COMPLETE = 4,
    GS_TIME_BONUS = 5,
    GS_NEXT_LEVEL = 6,
    GS_LEVEL_INTRO = 7,
    GS_INFO_START = 8,
    GS_INFO_HINT = 9,
    GS_INFO_BLACK_JELLYBEAN = 10,
    GS_INFO_WILDCARD = 11,
    GS_INFO_RED = 12,
    GS_INFO_GREEN = 13,
    GS_INFO_BLUE = 14,
    GS_START_LEVEL_BONUS = 15,
    GS_QUIT = 16
};

// The game's application object. This part holds the rules above the board: the state machine
// with its phase timer, scoring, the level clock and its alarm, level completion and bonuses,
// new games and levels, and the pause-aware frame update that drives them all. Drawing, input,
// asset loading and the modal screens are the operations declared abstract below.
class VXGame : public HApplication
{
public:
    static const int32_t kSlideDuration = 64;
    static const int32_t kTutorialSlideDuration = 512;
    static const int32_t kCrunchPhase = 256;
    static const int32_t kRefillPhase = 128;
    static const int32_t kLevelCompletePhase = 512;
    static const int32_t kBonusPhase = 2000;
    static const int32_t kNextLevelPhase = 2000;
    static const int32_t kLevelIntroPhase = 3000;
    static const int32_t kInfoLevelIntroPhase = 1000;

    // The window's title.
    static const char* const kTitle;

    // Screen areas redrawn when their numbers change.
    static const HRect kScoreArea;
    static const HRect kLevelArea;
    static const HRect kLinesArea;
    static const HRect kBonusArea;

    VXGame();
    ~VXGame() override;

    // The game's start-up: resource archive, tables, settings, devices, assets, start screen.
    bool init( bool trace, bool journal, const char* kpExeDir, const char* kpDemoName, bool softwareCursor,
               bool soundEnabled ) override;
    // Time stamps and quit run the frame update; every other event goes to m_handleInput.
    int handleEvent( const HEvent& event ) override;
    // Music plays only while "Music Enabled" is set.
    void setMusicPlaying( bool on ) override;
    // Phases and score popups move every frame; the tutorial hand pulses; the running clock
    // changes its bar; anything else waits for the player.
    uint32_t untilNextChange() const override;

    // A new game starting at level number n (1-based).
    void newGame( int32_t startLevelNumber );
    void nextLevel();
    // From an information screen (8 to 14) into the short level intro; a new game from the start screen.
    void leaveInfoScreen();
    void quit();
    // Back to the start screen; the next game begins there.
    void restart();
    // A move in GS_IDLE: slides toward the blank and enters GS_SLIDING, or plays the blocked sound.
    // Returns the move code (1 outside GS_IDLE).
    int makeMove( int column, int row );

    // The game's sounds (not owned). init connects the sound bank's service; tests may put their own.
    void setSoundService( VXSoundService* pService );
    VXSoundService* getSoundService() const { return m_pSoundService; }
    void playSample( const char* kpName, int32_t volume );
    // The interface click, "guiclick.wav" at 128.
    void playGuiClick();
    // Sounds the alarm at a volume, when both sound and the alarm are enabled.
    void soundAlarm( int32_t volume );
    void stopAlarm();
    // The alarm's volume for the seconds left: 127 just below ten, rising toward 255 at zero.
    static int32_t alarmVolume( float timeLeft );

    void loadSettings();
    void saveSettings();

    // Presentation, control, flow and assets.

    // Draws the part of the frame under the clip: background, arena picture, tiles, tutorial, HUD, popups.
    void drawRect( const HRect& clip ) override;
    // "cursor.tga", drawn by the application as the pointer.
    VXSprite* getCursorImage() override;
    // Losing the window pauses the game (except on the start screen); then the base's bookkeeping.
    void setActive( bool active ) override;
    // Audio, the display font and every sprite, then the base's devices.
    void unloadGraphics() override;

    // The user's pause, nested with the application's pause count; stops the alarm when it begins.
    void setPaused( bool paused );
    bool isUserPaused() const { return m_userPaused; }
    // The click-to-start control's action: leaves the information screen and frees its picture.
    void clickToStart();
    // The arrow keys' move: 0 down, 1 left, 2 right, 3 up, in the sense "Keyboard Moves Space" gives.
    void handleArrowKey( int32_t direction );
    void toggleMusic();
    void toggleSound();
    // Opens the registry's "partnerURL", or the built-in partner address.
    void openPartnerSite();
    // Writes the back buffer as a PNG in the user's pictures folder (else the current folder); the
    // path goes to the log. False when it could not be written.
    bool saveScreenshot( char* pPathOut = nullptr, size_t pathSize = 0 );

    // The screens around the game (VXGameScreens.cpp, VXGameOptions.cpp).

    // The yes/no screen over the game, and over the screen that asks if one is given: true when
    // OK closed it. Pauses while it is up.
    bool confirm( const char* kpBackground, const char* kpOk, const char* kpOkLit, const char* kpCancel,
                  const char* kpCancelLit, VXDialog* pAsker = nullptr );
    // The restart button and ET_COMMAND 2: asks first, then back to the start screen.
    void requestRestart();
    // The high-score screen with its clear-all (button and ET_COMMAND 0); the row just entered,
    // when one is given, is marked until the screen closes or the table is cleared.
    void showHighScores( int markedRow = -1 );
    // The options dialog (button and ET_COMMAND 1).
    void showOptions();
    // Alt+Return and the debug "v": flips "Fullscreen" and switches the display, in place where
    // the display can, else by making the devices again.
    virtual void toggleFullscreen();
    // The exit button and the window's close: the main loop ends at the next time stamp.
    void quitGame();
    void openMakerSite();
    // Fills the table from the registry, or with the default rows.
    void loadHighScores( bool reset );
    void saveHighScores();
    // Enters the game's result with the name, stores the table and shows it.
    void insertHighScore( const char* kpName );
    const VXHighScoreTable& getHighScores() const { return m_highScores; }
    // The innermost modal screen running, or null.
    VXDialog* getModalScreen() const { return m_pModalScreen; }

    static const char* const kMakerAddress;

    // The board as a number: any difference in a cell, a preview or the blank changes it.
    uint32_t boardDigest() const;
    // "score=... level=... lines=... board=..." (level 1-based), into the caller's buffer.
    const char* describeGame( char* pBuffer, size_t size ) const;

    bool isMouseButtonHeld() const { return m_mouseButtonHeld; }
    bool isDebugMode() const { return m_debugMode; }
    const char* getLevelSelectBuffer() const { return m_levelSelect; }
    bool hasPartnerLogo() const { return m_hasPartnerLogo; }
    VXSpriteTable& getSprites() { return m_sprites; }
    const VXTimerBar& getTimerBar() const { return m_timerBar; }
    HBitmapFont* getDisplayFont() const { return m_pDisplayFont; }

    // The hidden debug mode's key sequence: this control character, the letter, the control character.
    static const char kDebugControlCharacter = 7;
    static const char kDebugLetter = 'm';

    int32_t getState() const { return m_state; }
    int32_t getPhaseLeft() const { return m_phaseLeft; }
    int32_t getPhaseTotal() const { return m_phaseTotal; }
    int32_t getLevel() const { return m_level; }
    int32_t getLinesToGo() const { return m_linesToGo; }
    float getTimeLeft() const { return m_timeLeft; }
    float getTimeMax() const { return m_timeMax; }
    float getSecondsPerLine() const { return m_secondsPerLine; }
    int32_t getScore() const { return m_score; }
    int32_t getTimeBonus() const { return m_timeBonus; }
    int32_t getPendingStartBonus() const { return m_pendingStartBonus; }
    int32_t getShownStartBonus() const { return m_shownStartBonus; }
    int32_t getTutorialStep() const { return m_tutorialStep; }
    bool isTutorialLevel() const { return m_tutorialLevel; }
    bool isAlarmPlaying() const { return m_alarmPlaying; }
    int64_t getNow() const { return m_now; }
    HPoint getLastMovePoint() const { return m_lastMovePoint; }
    HPoint getPreviousBlank() const { return m_previousBlank; }
    const HRect& getArenaRect() const { return m_arenaRect; }
    const VXBoard& getBoard() const { return m_board; }
    const VXSettings& getSettings() const { return m_settings; }
    const VXScorePopupList& getScorePopups() const { return m_popups; }
    const VXLevelInfo& getLevelInfo( int32_t level ) const { return m_levels[ VXLevelInfo::rowForLevel( level ) ]; }

protected:
    // Every event but time stamps and quit: clicks, drags, keys, activation, commands.
    virtual void m_handleInput( const HEvent& event );
    // Once per frame after the rules' own animation step: sprite choice and its redraw marking,
    // the timer bar, the tutorial hand's pulse.
    virtual void m_updatePresentation( int32_t elapsed );
    // Start-up after the devices: loading screen, images and sounds, arena rectangle; false (after
    // the "Error" box) when a picture is missing, which ends start-up. init plays the splash around it.
    virtual bool m_loadAssets();
    // Start-up's last step before the start screen: the game's two controls, then the screens'.
    virtual void m_createScreens();
    virtual void m_loadTutorial();
    virtual void m_unloadTutorial();

    // The screens around the game (VXGameScreens.cpp, VXGameOptions.cpp).

    // The game-over notice, and for a score that enters the table, the name entry.
    virtual void showGameOver();
    virtual void enterName();
    // The score's place in the high-score table, or -1 when it does not enter it.
    virtual int32_t highScoreRank( int32_t score );
    // The panel's other controls and the high-score table, after the game's own two controls.
    virtual void m_createPanel();
    // Runs a modal screen over the game.
    VXDialogResult m_runModal( VXDialog& dialog, uint32_t timeoutMs );
    // Loads the game's pictures, font and sounds again onto new devices.
    void m_reloadAssets();

    // The rules' part of the game's start-up: the level table and the starting state.
    void m_startUp();
    // The start-up jingle while the assets load; stopping also frees it.
    void m_startSplash();
    void m_stopSplash();
    // The theme music, and when it can play, the samples worth loading in advance.
    void m_preloadSounds();
    // Sets "now" from an event's time, less the time spent paused.
    void m_takeFrameTime( uint64_t eventTime );
    // One frame: phase timer, animations, the state's step. True when the game should stop.
    bool m_frameUpdate();
    // The per-state work of one frame; true in GS_QUIT.
    bool m_frameStep( int32_t elapsed );
    void m_crunchEvaluation();
    void m_setPhase( int32_t duration );
    bool m_phaseOver() const { return m_phaseLeft == 0; }
    void m_invalidateArena();
    void m_invalidateBlankSpan();
    void m_completeLevel();
    void m_gameOver();

    VXBoard m_board;
    VXLevelInfo m_levels[ VXLevelInfo::kLevelCount ];
    VXSettings m_settings;
    VXScorePopupList m_popups;
    VXSoundService* m_pSoundService;
    VXBankSoundService m_bankSound;
    int32_t m_splashVoice;
    HRect m_arenaRect;

    int32_t m_state;
    int32_t m_phaseLeft;
    int32_t m_phaseTotal;
    int64_t m_now;
    int64_t m_lastUpdate;
    int32_t m_level;
    int32_t m_linesToGo;
    float m_timeLeft;
    float m_timeMax;
    float m_secondsPerLine;
    int32_t m_score;
    int32_t m_timeBonus;
    int32_t m_pendingStartBonus;
    int32_t m_shownStartBonus;
    HPoint m_lastMovePoint;
    HPoint m_previousBlank;
    int32_t m_tutorialStep;
    bool m_tutorialLevel;
    bool m_alarmPlaying;
    int64_t m_bonusTickTime;
    // A refill in this frame brought a wild in.
    bool m_wildArrived;
    char m_resourceFileName[ 256 ];

    // Presentation, control, flow and assets.
    void m_click( int32_t x, int32_t y );
    void m_drag( int32_t x, int32_t y );
    void m_keyPress( int32_t key, char character );
    void m_keyRelease( int32_t key );
    // The letters and the escape key that stand for the panel's buttons; true when it was one.
    bool m_commandKey( char character );
    // As the pause button's click; the escape key never pauses outside play.
    void m_pressPause( bool escape );
    // As a click on the panel button of this kind (a VXPanelControl::Kind), when it is shown.
    void m_pressPanel( int kind );
    void m_debugCommand( char character );
    void m_restartAudio();
    bool m_loadBitmaps( VXLoadingScreen* pLoading );
    void m_loadSounds( VXLoadingScreen* pLoading );
    // The picture the arena shows in this state, loading an information picture on its first show.
    int m_arenaPictureSlot();
    void m_drawHud( const HRect& clip );
    void m_drawPopups( const HRect& clip );
    void m_drawTutorial( const HRect& clip );
    // The hand's place for the tutorial step; false when no hand is shown.
    bool m_handRect( HRect& out ) const;

    VXSpriteTable m_sprites;
    VXDigitFont m_digits;
    VXTimerBar m_timerBar;
    HBitmapFont* m_pDisplayFont;
    VXStartControl* m_pStartControl;
    VXPauseControl* m_pPauseControl;
    bool m_hasPartnerLogo;
    bool m_userPaused;
    bool m_mouseButtonHeld;
    uint64_t m_activationTime;
    bool m_debugMode;
    int32_t m_accessProgress;
    char m_levelSelect[ 16 ];
    int32_t m_levelSelectCount;

    // The screens around the game.
    VXHighScoreTable m_highScores;
    VXDialog* m_pModalScreen;
};

#endif

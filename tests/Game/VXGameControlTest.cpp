#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "Framework/application/HEvent.h"
#include "Framework/util/src/HProcessServices.h"
#include "Framework/util/src/HRegistry.h"
#include "tests/Game/support/BoardText.h"
#include "tests/Game/support/GameHarness.h"

namespace
{
// The blank in the middle, no line anywhere near complete.
const char* const kapMiddleBlank[ 6 ] = { "OYPOYP", "POYPOY", "YP.YPO", "OYPOYP", "POYPOY", "YPOYPO" };
// A black jellybean two cells right of the blank.
const char* const kapJellybean[ 6 ] = { ".YJOYP", "POYPOY", "YPOYPO", "OYPOYP", "POYPOY", "YPOYPO" };

GameHarness::Options controlOptions( int32_t didTutorial = 1 )
{
    GameHarness::Options options;
    options.realControl = true;
    options.didTutorial = didTutorial;
    return options;
}

// From the start screen into play, on the board given.
void play( GameHarness& harness, const char* const* kapRows = kapPlainBoard )
{
    harness.tick( 10 );
    harness.pressKey( 0, '\r' );
    ASSERT_EQ( harness.game().getState(), GS_LEVEL_INTRO );
    ASSERT_TRUE( harness.runUntil( GS_IDLE, 2000 ) );
    if( kapRows != nullptr )
        loadBoard( harness.game().board(), kapRows );
    harness.sound().sounds.clear();
}

HPoint cellCentre( int column, int row )
{
    return { VXBoard::kLeft + VXBoard::kCellSize * column + 21, VXBoard::kTop + VXBoard::kCellSize * row + 21 };
}

bool blankAt( GameHarness& harness, int x, int y )
{
    HPoint blank = harness.game().getBoard().getBlankPosition();
    return blank.x == x && blank.y == y;
}
} // namespace

TEST( VXGameControlTest, ClicksPickCellsByTruncatingDivisionInsideTheArenaOnly )
{
    GameHarness harness( controlOptions() );
    ASSERT_TRUE( harness.started() );
    play( harness );
    TestGame& game = harness.game();

    // 41 pixels left of the board is still column 0; the blank's column, so the tile slides up.
    harness.click( VXBoard::kLeft - 41, VXBoard::kTop + 42 + 5 );
    EXPECT_EQ( game.getState(), GS_SLIDING );
    EXPECT_TRUE( blankAt( harness, 0, 1 ) );
    EXPECT_EQ( game.getLastMovePoint().x, VXBoard::kLeft - 41 );
    EXPECT_EQ( harness.sound().sounds, std::vector<std::string>{ "click.wav@128" } );
    ASSERT_TRUE( harness.runUntil( GS_IDLE, 200 ) );

    // A cell in neither the blank's row nor its column: nothing, not even a sound.
    harness.sound().sounds.clear();
    harness.click( cellCentre( 3, 3 ).x, cellCentre( 3, 3 ).y );
    EXPECT_EQ( game.getState(), GS_IDLE );
    EXPECT_TRUE( blankAt( harness, 0, 1 ) );
    // Past the board but on the arena's far edge: off the board, no move.
    harness.click( game.getArenaRect().right, cellCentre( 0, 1 ).y );
    EXPECT_TRUE( blankAt( harness, 0, 1 ) );
    EXPECT_TRUE( harness.sound().sounds.empty() );

    // Outside the arena a press does not even hold the button.
    harness.pressButton( game.getArenaRect().right + 1, 200 );
    EXPECT_FALSE( game.isMouseButtonHeld() );
    harness.pressButton( game.getArenaRect().left, game.getArenaRect().top );
    EXPECT_TRUE( game.isMouseButtonHeld() );
    harness.releaseButton( 600, 600 );
    EXPECT_FALSE( game.isMouseButtonHeld() );
}

TEST( VXGameControlTest, BlockedMovesSoundAndMoveNothing )
{
    GameHarness harness( controlOptions() );
    play( harness, kapJellybean );
    for( int column : { 3, 2 } )
    {
        harness.clickCell( column, 0 );
        EXPECT_EQ( harness.game().getState(), GS_IDLE );
        EXPECT_TRUE( blankAt( harness, 0, 0 ) );
    }
    EXPECT_EQ( harness.sound().sounds, ( std::vector<std::string>{ "blocked.ogg@128", "blocked.ogg@128" } ) );
    harness.clickCell( 1, 0 );
    EXPECT_TRUE( blankAt( harness, 1, 0 ) );
}

TEST( VXGameControlTest, ArrowKeysMoveTheBlankOrTheCandyAsTheSettingSays )
{
    GameHarness harness( controlOptions() );
    play( harness, kapMiddleBlank );
    TestGame& game = harness.game();
    ASSERT_EQ( game.getSettings().keyboardMovesSpace, 1 );

    // The blank moves up: the tile above comes down.
    harness.pressKey( KC_UP );
    EXPECT_EQ( game.getState(), GS_SLIDING );
    EXPECT_TRUE( blankAt( harness, 2, 1 ) );
    EXPECT_EQ( game.getBoard().getCell( 2, 2 ).type, TT_YELLOW );
    EXPECT_EQ( game.getLastMovePoint().x, VXBoard::kLeft + 2 * 42 );
    EXPECT_EQ( game.getLastMovePoint().y, VXBoard::kTop + 42 );
    ASSERT_TRUE( harness.runUntil( GS_IDLE, 200 ) );

    // The candy moves up: the tile below goes up into the blank.
    loadBoard( game.board(), kapMiddleBlank );
    game.settings().keyboardMovesSpace = 0;
    harness.pressKey( KC_UP );
    EXPECT_TRUE( blankAt( harness, 2, 3 ) );
    EXPECT_EQ( game.getBoard().getCell( 2, 2 ).type, TT_PURPLE );
    ASSERT_TRUE( harness.runUntil( GS_IDLE, 200 ) );
    for( int32_t key : { KC_LEFT, KC_RIGHT, KC_DOWN } )
    {
        loadBoard( game.board(), kapMiddleBlank );
        harness.pressKey( key );
        ASSERT_TRUE( harness.runUntil( GS_IDLE, 200 ) );
    }
    EXPECT_TRUE( blankAt( harness, 2, 1 ) );

    // Toward the edge from a blank on it: nothing happens and nothing sounds.
    game.settings().keyboardMovesSpace = 1;
    loadBoard( game.board(), kapPlainBoard );
    harness.sound().sounds.clear();
    harness.pressKey( KC_LEFT );
    harness.pressKey( KC_UP );
    EXPECT_EQ( game.getState(), GS_IDLE );
    EXPECT_TRUE( blankAt( harness, 0, 0 ) );
    EXPECT_TRUE( harness.sound().sounds.empty() );
    EXPECT_EQ( game.getLastMovePoint().x, +VXBoard::kLeft );
    EXPECT_EQ( game.getLastMovePoint().y, VXBoard::kTop - 42 );

    // Only while the board is idle.
    harness.pressKey( KC_RIGHT );
    EXPECT_EQ( game.getState(), GS_SLIDING );
    harness.pressKey( KC_RIGHT );
    EXPECT_TRUE( blankAt( harness, 1, 0 ) );
}

TEST( VXGameControlTest, ClicksDuringAMoveAreIgnoredButAHeldButtonMovesAgainOnceIdle )
{
    GameHarness harness( controlOptions() );
    play( harness );
    TestGame& game = harness.game();
    harness.pressButton( cellCentre( 3, 0 ).x, cellCentre( 3, 0 ).y );
    ASSERT_EQ( game.getState(), GS_SLIDING );
    EXPECT_TRUE( blankAt( harness, 3, 0 ) );

    // Pressed again while sliding: no move, but the button counts as held.
    harness.pressButton( cellCentre( 3, 2 ).x, cellCentre( 3, 2 ).y );
    harness.moveMouse( cellCentre( 3, 2 ).x, cellCentre( 3, 2 ).y + 1 );
    EXPECT_TRUE( blankAt( harness, 3, 0 ) );
    ASSERT_TRUE( harness.runUntil( GS_IDLE, 200 ) );
    EXPECT_TRUE( blankAt( harness, 3, 0 ) );

    // Idle again: moving the held pointer makes the move under it.
    harness.moveMouse( cellCentre( 3, 2 ).x, cellCentre( 3, 2 ).y );
    EXPECT_EQ( game.getState(), GS_SLIDING );
    EXPECT_TRUE( blankAt( harness, 3, 2 ) );
    ASSERT_TRUE( harness.runUntil( GS_IDLE, 200 ) );

    // Released: moving makes no move; nor does a held drag outside the arena.
    harness.releaseButton( cellCentre( 3, 2 ).x, cellCentre( 3, 2 ).y );
    harness.moveMouse( cellCentre( 0, 2 ).x, cellCentre( 0, 2 ).y );
    EXPECT_TRUE( blankAt( harness, 3, 2 ) );
    harness.pressButton( cellCentre( 3, 2 ).x, cellCentre( 3, 2 ).y );
    harness.moveMouse( 600, cellCentre( 3, 2 ).y );
    EXPECT_EQ( game.getState(), GS_IDLE );
}

TEST( VXGameControlTest, TheClickThatActivatesTheWindowIsNoMove )
{
    GameHarness harness( controlOptions() );
    play( harness );
    harness.activate( true );
    harness.click( cellCentre( 2, 0 ).x, cellCentre( 2, 0 ).y );
    EXPECT_TRUE( blankAt( harness, 0, 0 ) );
    harness.services().fakeTime += 32;
    harness.click( cellCentre( 2, 0 ).x, cellCentre( 2, 0 ).y );
    EXPECT_TRUE( blankAt( harness, 0, 0 ) );
    harness.services().fakeTime += 1;
    harness.click( cellCentre( 2, 0 ).x, cellCentre( 2, 0 ).y );
    EXPECT_TRUE( blankAt( harness, 2, 0 ) );
}

TEST( VXGameControlTest, LosingTheWindowPausesAndAClickInTheArenaResumesWithoutAMove )
{
    GameHarness harness( controlOptions() );
    TestGame& game = harness.game();
    // On the start screen nothing pauses.
    harness.activate( false );
    EXPECT_FALSE( game.isPaused() );
    play( harness );

    harness.pressButton( cellCentre( 2, 0 ).x, cellCentre( 2, 0 ).y );
    ASSERT_TRUE( harness.runUntil( GS_IDLE, 200 ) );
    harness.activate( false );
    EXPECT_TRUE( game.isUserPaused() );
    EXPECT_TRUE( game.isPaused() );
    EXPECT_FALSE( game.isMouseButtonHeld() );
    EXPECT_EQ( harness.sound().count( "alarm stop" ), 1 );
    // Paused, the game stands still.
    float clock = game.getTimeLeft();
    harness.tick( 500 );
    EXPECT_EQ( game.getTimeLeft(), clock );

    // Activation alone does not resume; the first click after it (past the guard) does, and moves nothing.
    harness.activate( true );
    harness.tick( 100 );
    harness.sound().sounds.clear();
    harness.click( cellCentre( 0, 0 ).x, cellCentre( 0, 0 ).y );
    EXPECT_FALSE( game.isPaused() );
    EXPECT_TRUE( blankAt( harness, 2, 0 ) );
    EXPECT_EQ( harness.sound().sounds, std::vector<std::string>{ "guiclick.wav@128" } );
    // Pauses nest with the application's count: one pause, one resume.
    game.setPaused( false );
    EXPECT_FALSE( game.isPaused() );
    game.setPaused( true );
    game.setPaused( true );
    game.setPaused( false );
    EXPECT_FALSE( game.isPaused() );
}

TEST( VXGameControlTest, TheTutorialTakesOnlyItsScriptedCellsByClickOrArrow )
{
    GameHarness harness( controlOptions( 0 ) );
    play( harness, nullptr );
    TestGame& game = harness.game();
    ASSERT_TRUE( game.isTutorialLevel() );

    harness.clickCell( 2, 0 );
    harness.clickCell( 0, 1 );
    EXPECT_EQ( game.getState(), GS_IDLE );
    EXPECT_EQ( game.getTutorialStep(), 0 );
    EXPECT_TRUE( harness.sound().sounds.empty() );

    const HPoint kScript[ 4 ] = { { 1, 0 }, { 2, 0 }, { 3, 0 }, { 3, 1 } };
    for( int step = 0; step < 4; ++step )
    {
        harness.clickCell( kScript[ step ].x, kScript[ step ].y );
        EXPECT_EQ( game.getTutorialStep(), step + 1 );
        // Slides are slow while the tutorial runs.
        EXPECT_EQ( game.getPhaseTotal(), +VXGame::kTutorialSlideDuration );
        ASSERT_TRUE( harness.runUntil( GS_IDLE, 2000 ) );
    }
    // The fourth click completed row 0.
    EXPECT_EQ( game.getLinesToGo(), 1 );

    // Arrows are held to the script as clicks are: one that leads off the hand's cell is ignored,
    // the one toward it makes the whole scripted slide (three candies, from (0, 1)).
    bool movesSpace = game.getSettings().keyboardMovesSpace != 0;
    harness.pressKey( movesSpace ? KC_UP : KC_DOWN );
    harness.pressKey( movesSpace ? KC_RIGHT : KC_LEFT );
    EXPECT_EQ( game.getState(), GS_IDLE );
    EXPECT_EQ( game.getTutorialStep(), 4 );
    harness.pressKey( movesSpace ? KC_LEFT : KC_RIGHT );
    EXPECT_EQ( game.getState(), GS_SLIDING );
    EXPECT_EQ( game.getTutorialStep(), 5 );
    EXPECT_EQ( game.getBoard().getBlankPosition().x, 0 );
    EXPECT_EQ( game.getBoard().getBlankPosition().y, 1 );
}

TEST( VXGameControlTest, EnterLeavesOnlyInformationScreens )
{
    GameHarness harness( controlOptions() );
    TestGame& game = harness.game();
    harness.tick( 10 );
    harness.pressKey( 0, 'x' );
    EXPECT_EQ( game.getState(), GS_INFO_START );
    harness.pressKey( 0, '\r' );
    EXPECT_EQ( game.getState(), GS_LEVEL_INTRO );
    EXPECT_EQ( game.getPhaseTotal(), +VXGame::kInfoLevelIntroPhase );
    harness.pressKey( 0, '\r' );
    EXPECT_EQ( game.getState(), GS_LEVEL_INTRO );
    EXPECT_EQ( game.getLevel(), 0 );
}

TEST( VXGameControlTest, ShiftedDigitsFillTheLevelSelectWhichOnlyDebugModeUses )
{
    GameHarness harness( controlOptions() );
    play( harness );
    TestGame& game = harness.game();

    // Outside debug mode the buffer fills and empties without effect.
    for( char c : std::string( "!@x3#" ) )
        harness.pressKey( 0, c );
    EXPECT_STREQ( game.getLevelSelectBuffer(), "123" );
    harness.releaseKey( KC_SHIFT );
    EXPECT_STREQ( game.getLevelSelectBuffer(), "" );
    EXPECT_EQ( game.getLevel(), 0 );

    // At most fifteen digits are kept.
    for( int i = 0; i < 20; ++i )
        harness.pressKey( 0, '(' );
    EXPECT_EQ( std::string( game.getLevelSelectBuffer() ), std::string( 15, '9' ) );
    // Released while the board is not idle, the buffer stays.
    game.setState( GS_SLIDING );
    harness.releaseKey( KC_SHIFT );
    EXPECT_EQ( std::string( game.getLevelSelectBuffer() ).size(), 15u );
    game.setState( GS_IDLE );
    harness.releaseKey( KC_SHIFT );
    EXPECT_STREQ( game.getLevelSelectBuffer(), "" );

    // In debug mode, Shift held over "19" starts a new game on level 19.
    harness.pressKey( 0, VXGame::kDebugControlCharacter );
    harness.pressKey( 0, VXGame::kDebugLetter );
    harness.pressKey( 0, VXGame::kDebugControlCharacter );
    ASSERT_TRUE( game.isDebugMode() );
    harness.pressKey( 0, '!' );
    harness.pressKey( 0, '(' );
    harness.releaseKey( KC_SHIFT );
    EXPECT_EQ( game.getLevel(), 18 );
    EXPECT_EQ( game.getScore(), 0 );
    EXPECT_STREQ( game.getLevelSelectBuffer(), "" );

    // Fifteen nines are more than any level: held, not overflowed.
    for( int i = 0; i < 15; ++i )
        harness.pressKey( 0, '(' );
    harness.releaseKey( KC_SHIFT );
    EXPECT_EQ( game.getLevel(), 999999 );
}

TEST( VXGameControlTest, TheDebugSequenceTogglesCommandsThatMoveTheClock )
{
    GameHarness harness( controlOptions() );
    play( harness );
    TestGame& game = harness.game();
    float clock = game.getTimeLeft();

    harness.pressKey( 0, '-' );
    EXPECT_EQ( game.getTimeLeft(), clock );
    // Other keys may come between the three of the sequence.
    harness.pressKey( 0, VXGame::kDebugControlCharacter );
    harness.pressKey( 0, 'q' );
    harness.pressKey( 0, VXGame::kDebugLetter );
    harness.pressKey( KC_F1 );
    harness.pressKey( 0, VXGame::kDebugControlCharacter );
    ASSERT_TRUE( game.isDebugMode() );

    harness.pressKey( 0, '-' );
    EXPECT_FLOAT_EQ( game.getTimeLeft(), clock - 10.0f );
    // No cap: the clock may pass its maximum.
    game.setTimeLeft( game.getTimeMax() );
    harness.pressKey( 0, '=' );
    EXPECT_FLOAT_EQ( game.getTimeLeft(), game.getTimeMax() + 10.0f );

    // The letter alone, or the control character twice, does nothing.
    harness.pressKey( 0, VXGame::kDebugControlCharacter );
    harness.pressKey( 0, VXGame::kDebugControlCharacter );
    EXPECT_TRUE( game.isDebugMode() );
    harness.pressKey( 0, VXGame::kDebugLetter );
    harness.pressKey( 0, VXGame::kDebugControlCharacter );
    EXPECT_FALSE( game.isDebugMode() );
    float before = game.getTimeLeft();
    harness.pressKey( 0, '=' );
    EXPECT_FLOAT_EQ( game.getTimeLeft(), before );
}

TEST( VXGameControlTest, F12SavesTheFrameAsAPictureAndSaysWhere )
{
    GameHarness harness( controlOptions() );
    harness.tick( 10 );
    harness.services().debugOutputs.clear();
    char path[ 1024 ] = "";
    ASSERT_TRUE( harness.game().saveScreenshot( path, sizeof( path ) ) );
    // Without a pictures folder it goes to the current folder.
    const std::string kHere = std::string( "." ) + processServices().pathSeparator() + "glimmerdrop-";
    EXPECT_EQ( std::string( path ).rfind( kHere, 0 ), 0u );
    EXPECT_TRUE( std::filesystem::exists( path ) );
    harness.pressKey( KC_F12 );
    int pictures = 0;
    for( const auto& entry : std::filesystem::directory_iterator( "." ) )
    {
        if( entry.path().extension() == ".png" )
            ++pictures;
    }
    // The second in the same second does not overwrite the first.
    EXPECT_EQ( pictures, 2 );
    bool said = false;
    for( const std::string& line : harness.services().debugOutputs )
        said = said || line.rfind( "...screenshot saved to " + kHere, 0 ) == 0;
    EXPECT_TRUE( said );
}

TEST( VXGameControlTest, SoundAndMusicSwitchesFollowTheirSettings )
{
    GameHarness harness( controlOptions() );
    play( harness );
    TestGame& game = harness.game();
    ASSERT_TRUE( game.isMusicPlaying() );

    game.toggleSound();
    EXPECT_EQ( game.getSettings().soundEnabled, 0 );
    EXPECT_TRUE( harness.sound().muted );
    EXPECT_EQ( harness.sound().count( "alarm stop" ), 1 );
    game.toggleSound();
    EXPECT_EQ( game.getSettings().soundEnabled, 1 );
    EXPECT_FALSE( harness.sound().muted );

    game.toggleMusic();
    EXPECT_EQ( game.getSettings().musicEnabled, 0 );
    EXPECT_FALSE( game.isMusicPlaying() );
    // With the music setting off, asking for music plays none.
    game.setMusicPlaying( true );
    EXPECT_FALSE( game.isMusicPlaying() );
    game.toggleMusic();
    EXPECT_TRUE( game.isMusicPlaying() );
}

TEST( VXGameControlTest, ThePartnersSiteComesFromTheRegistryOrTheBuiltInAddress )
{
    GameHarness harness( controlOptions() );
    harness.game().openPartnerSite();
    ASSERT_EQ( harness.services().opened.size(), 1u );
    EXPECT_EQ( harness.services().opened[ 0 ].rfind( "https://", 0 ), 0u );

    HRegistry& registry = HRegistry::get();
    ASSERT_TRUE( registry.open( nullptr, "Vantorix", "Glimmerdrop" ) );
    ASSERT_TRUE( registry.writeString( "partnerURL", "https://partner.example/candy" ) );
    registry.close();
    harness.game().openPartnerSite();
    ASSERT_EQ( harness.services().opened.size(), 2u );
    EXPECT_EQ( harness.services().opened[ 1 ], "https://partner.example/candy" );
}

TEST( VXGameControlTest, TheDebugSoundCommandStartsTheAudioAfresh )
{
    GameHarness harness( controlOptions() );
    play( harness );
    TestGame& game = harness.game();
    for( char c : { VXGame::kDebugControlCharacter, VXGame::kDebugLetter, VXGame::kDebugControlCharacter } )
        harness.pressKey( 0, c );
    ASSERT_TRUE( game.isDebugMode() );
    harness.services().debugOutputs.clear();
    harness.pressKey( 0, 's' );
    const std::vector<std::string>& log = harness.services().debugOutputs;
    EXPECT_NE( std::find( log.begin(), log.end(), "...entering m_createAudioStream\n" ), log.end() );
    EXPECT_NE( std::find( log.begin(), log.end(), "...loading sounds\n" ), log.end() );
    EXPECT_NE( game.getAudioDevice(), nullptr );
    EXPECT_TRUE( game.isMusicPlaying() );
}

#include "tools/mkassets/ScreenLayout.h"

#include <cstdio>
#include <cstdlib>

namespace ScreenLayout
{
namespace
{
// Confirmation screens are centred; their buttons stand at ((W - w) / 4, H - 3h / 2) and
// ((W - w) * 3 / 4, H - 3h / 2) inside them.
constexpr int kConfirmWidth = 320;
constexpr int kConfirmHeight = 200;
constexpr int kConfirmButtonWidth = 100;
constexpr int kConfirmButtonHeight = 36;

constexpr Box confirmOk()
{
    return { ( kConfirmWidth - kConfirmButtonWidth ) / 4, kConfirmHeight - kConfirmButtonHeight * 3 / 2,
             kConfirmButtonWidth, kConfirmButtonHeight };
}

constexpr Box confirmCancel()
{
    return { ( kConfirmWidth - kConfirmButtonWidth ) * 3 / 4, kConfirmHeight - kConfirmButtonHeight * 3 / 2,
             kConfirmButtonWidth, kConfirmButtonHeight };
}

constexpr Box kOptionsDialog = { ( kScreenWidth - 420 ) / 2, ( kScreenHeight - 430 ) / 2, 420, 430 };
constexpr Box kConfirmDialog = { ( kScreenWidth - kConfirmWidth ) / 2, ( kScreenHeight - kConfirmHeight ) / 2,
                                 kConfirmWidth, kConfirmHeight };

std::vector<Placement> makePlacements()
{
    std::vector<Placement> list;
    auto add = [ &list ]( const std::string& name, Box box, const std::string& owner, const std::string& rule ) {
        list.push_back( Placement{ name, box, owner, rule } );
    };
    auto addPair = [ &add ]( const std::string& stem, Box box, const std::string& owner, const std::string& rule )
    {
        add( stem + ".tga", box, owner, rule );
        add( stem + "_lit.tga", box, owner, rule );
    };

    add( "background.jpg", { 0, 0, kScreenWidth, kScreenHeight }, "", "the whole frame" );
    add( "loading.jpg", { 0, 0, kScreenWidth, kScreenHeight }, "", "the whole frame, at (0, 0)" );
    add( "progress.tga", kProgress, "", "the loading bar grows from (63, 350)" );
    add( "arena.jpg", kArena, "", "at (23, 17), holding the board x 107..358, y 101..352" );
    add( "pause.jpg", kArena, "", "replaces the arena while paused" );
    for( const char* kpInfo : { "info_start.jpg", "info_hint.jpg", "info_blackjellybean.jpg", "info_wildcard.jpg",
                                "info_red.jpg", "info_green.jpg", "info_blue.jpg" } )
        add( kpInfo, kArena, "", "replaces the arena; the start button is drawn over it when lit" );

    // The timer fills from (43, 402); the bites sit at its end, so a full bar plus bites stays
    // inside the arena.
    add( "timer.tga", { 43, 402, 360, 24 }, "", "at (43, 402), shown from its left edge to the bar's end" );
    for( const char* kpBites : { "bites00.tga", "bites01.tga", "bites02.tga" } )
        add( kpBites, { 403, 402, 14, 24 }, "", "at the bar's end, (end, 402)" );

    // Level intro and bonus panels; the numbers follow at y 172 (level) and at the arena's middle.
    add( "level.tga", { 181, 172, 68, 26 }, "", "at (181, 172); the level number follows 18 pixels after it" );
    add( "time_bonus.tga", { 151, 172, 164, 32 }, "", "at (151, 172); the bonus is drawn below, centred" );
    add( "startlevel_bonus.tga", { 143, 172, 180, 32 }, "", "at (143, 172); the bonus is drawn below, centred" );

    add( "cursor.tga", { 0, 0, 26, 30 }, "", "drawn with its top-left corner at the pointer" );
    addPair( "logo", { 1, 443, 200, 36 }, "", "at (1, 443), left of the partner slot at 252" );
    add( "icon_click_to_start_lit.tga", { 114, 388, 238, 40 }, "",
         "at (114, 388); only the lit image exists, the information pictures show the button unlit" );

    // The panel, top to bottom. Rectangles are hit-tested closed, so each bottom stays above the
    // next control's top: pause 315, options 347, high scores 375, restart 419, exit 445.
    addPair( "icon_pause", { 452, 315, 172, 26 }, "", "at (452, 315); bottom above the options button at 347" );
    addPair( "icon_resume", { 452, 315, 172, 26 }, "", "at (452, 315), in the pause button's place" );
    addPair( "icon_options", { 473, 347, 130, 26 }, "", "at (473, 347); bottom above high scores at 375" );
    addPair( "icon_highscores", { 451, 375, 174, 26 }, "", "at (451, 375); bottom above restart at 419" );
    addPair( "icon_restart", { 470, 419, 136, 24 }, "", "at (470, 419); bottom above exit at 445" );
    addPair( "icon_exit", { 504, 445, 68, 26 }, "", "at (504, 445); bottom inside the frame" );

    // Tutorial pages under the board; the hand at its first place (cell (1, 0)).
    for( int page = 1; page <= 6; ++page )
        add( "tutorial_" + std::to_string( page ) + ".jpg", { 60, 355, 346, 80 }, "",
             "at (60, 355), under the board and inside the arena" );
    add( "tutorial_hand.tga", { 100, 45, 72, 72 }, "", "49 left of and 56 above the target cell's corner" );

    // Digits: the anchor is the rightmost digit's left edge.
    for( const char* kpDigit :
         { "font_zero.tga", "font_one.tga", "font_two.tga", "font_three.tga", "font_four.tga", "font_five.tga",
           "font_six.tga", "font_seven.tga", "font_eight.tga", "font_nine.tga" } )
        add( kpDigit, { kScoreSlot.anchorX, kScoreSlot.anchorY, kDigitWidth, kDigitHeight }, "",
             "18 pixels apart; a popup clears 18 x 23 per digit" );
    add( "font_comma.tga", { kScoreSlot.anchorX, kScoreSlot.anchorY + 3, kCommaWidth, kDigitHeight }, "",
         "3 pixels lower, in the 14-pixel step after every third digit" );
    add( "font.tga", { 0, 0, 16 * 8, 7 * 12 }, "", "16 cells of 8 x 12 a row, codes 16 to 127" );

    // Game over, name entry and high scores stand at (23, 17) over the arena.
    add( "gameover.jpg", kArena, "", "dialog at (23, 17)" );
    addPair( "icon_continue", { 101, 293, 218, 44 }, "gameover.jpg", "at (101, 293) in the game-over dialog" );
    add( "entername.jpg", kArena, "", "dialog at (23, 17); the name line at (32, 273), the score at (212, 138)" );
    addPair( "icon_ok", { 179, 366, 62, 36 }, "entername.jpg", "at (179, 366) in the name entry" );
    add( "highscores.jpg", kArena, "", "dialog at (23, 17); rows at y 177 + 44 i" );
    addPair( "highscores_ok", { 290, 378, 100, 34 }, "highscores.jpg", "at (290, 378) in the high-score table" );
    addPair( "highscores_clearall", { 60, 378, 130, 34 }, "highscores.jpg", "at (60, 378) in the high-score table" );
    add( "highscores_newrow.tga", { 10, 164, 408, 38 }, "highscores.jpg",
         "at (10, 164 + 44 i) around the row just entered in the high-score table" );

    add( "highscores_areyousure.jpg", kConfirmDialog, "", "centred on the screen" );
    addPair( "highscores_areyousure_yes", confirmOk(), "highscores_areyousure.jpg", "at ((W - w) / 4, H - 3h / 2)" );
    addPair( "highscores_areyousure_no", confirmCancel(), "highscores_areyousure.jpg",
             "at ((W - w) * 3 / 4, H - 3h / 2)" );
    add( "restart_areyousure.jpg", kConfirmDialog, "", "centred on the screen" );
    addPair( "restart_areyousure_OK", confirmOk(), "restart_areyousure.jpg", "at ((W - w) / 4, H - 3h / 2)" );
    addPair( "restart_areyousure_CANCEL", confirmCancel(), "restart_areyousure.jpg",
             "at ((W - w) * 3 / 4, H - 3h / 2)" );

    // Options: every item's position is fixed relative to the dialog.
    const std::string options = "options_dialog.jpg";
    add( options, kOptionsDialog, "", "centred on the screen" );
    addPair( "options_icon_ok", { 188, 384, 48, 34 }, options, "at (188, 384)" );
    addPair( "options_icon_on", { 110, 138, 64, 30 }, options,
             "at (110, 138) sound, (114, 183) music, (178, 222) full screen, (115, 326) alarm" );
    addPair( "options_icon_off", { 110, 138, 64, 30 }, options, "in the place of the on pair" );
    addPair( "options_icon_space", { 302, 96, 100, 30 }, options, "at (302, 96), inside the dialog's right edge" );
    addPair( "options_icon_candies", { 302, 96, 100, 30 }, options, "in the place of the space pair" );
    add( "options_icon_startlevel.tga", { 15, 265, 200, 24 }, options, "at (15, 265), above the badges at y 291" );
    for( const Badge& badge : startLevelBadges() )
        addPair( "options_icon_" + std::to_string( badge.level ), badge.box, options,
                 "at y 291, left of the next badge" );
    return list;
}
} // namespace

const std::vector<Badge>& startLevelBadges()
{
    // The x positions are the game's; each badge ends before the next one starts.
    static const std::vector<Badge> badges = {
        { 1, { 19, 291, 25, 26 } },   { 6, { 46, 291, 38, 26 } },   { 10, { 87, 291, 44, 26 } },
        { 14, { 135, 291, 46, 26 } }, { 18, { 185, 291, 42, 26 } }, { 22, { 231, 291, 44, 26 } },
    };
    return badges;
}

const std::vector<Placement>& placements()
{
    static const std::vector<Placement> list = makePlacements();
    return list;
}

const Placement* find( const std::string& name )
{
    for( const Placement& placement : placements() )
        if( placement.name == name )
            return &placement;
    return nullptr;
}

Box boxOf( const std::string& name )
{
    const Placement* placement = find( name );
    if( placement == nullptr )
    {
        std::fprintf( stderr, "mkassets: no layout for '%s'\n", name.c_str() );
        std::exit( 1 );
    }
    return placement->box;
}

Box dialogBox( const std::string& name )
{
    return boxOf( name );
}

const std::vector<TextSlot>& textSlots()
{
    static const std::vector<TextSlot> slots = []
    {
        std::vector<TextSlot> list;
        list.push_back( { "entername.jpg", 32, 273, 0, 16 } );
        list.push_back( { "entername.jpg", 212, 138, 2, 16 } );
        for( int row = 0; row < 5; ++row )
        {
            int y = 177 + 44 * row;
            list.push_back( { "highscores.jpg", 33, y, 0, 16 } );
            list.push_back( { "highscores.jpg", 338, y, 1, 10 } );
            list.push_back( { "highscores.jpg", 395, y, 1, 2 } );
        }
        return list;
    }();
    return slots;
}

const std::vector<DialogItem>& dialogItems()
{
    static const std::vector<DialogItem> items = []
    {
        std::vector<DialogItem> list;
        for( const Placement& placement : placements() )
        {
            if( placement.owner.empty() || placement.name.find( "_lit.tga" ) != std::string::npos )
                continue;
            // The off, candies and plain badge pictures share the places of their partners.
            if( placement.name == "options_icon_off.tga" || placement.name == "options_icon_candies.tga" )
                continue;
            list.push_back( { placement.owner, placement.name, placement.box.x, placement.box.y } );
        }
        const std::string options = "options_dialog.jpg";
        list.push_back( { options, "options_icon_on.tga", 114, 183 } );
        list.push_back( { options, "options_icon_on.tga", 178, 222 } );
        list.push_back( { options, "options_icon_on.tga", 115, 326 } );
        return list;
    }();
    return items;
}
} // namespace ScreenLayout

#include "tools/mkassets/DialogPainter.h"

#include "tools/mkassets/CandyPainter.h"
#include "tools/mkassets/ScreenLayout.h"
#include "tools/mkassets/TextPainter.h"
#include "tools/mkassets/UiKit.h"

#include <cmath>
#include <vector>

namespace DialogPainter
{
namespace
{
using ScreenLayout::Box;

struct ButtonLook
{
    const char* kpStem;
    const char* kpLabel;
    UiKit::PillTone tone;
};

const std::vector<ButtonLook>& buttonLooks()
{
    static const std::vector<ButtonLook> looks = {
        { "icon_pause", "Pause", UiKit::PT_PINK },
        { "icon_resume", "Resume", UiKit::PT_GREEN },
        { "icon_restart", "Restart", UiKit::PT_PINK },
        { "icon_options", "Options", UiKit::PT_PINK },
        { "icon_highscores", "High Scores", UiKit::PT_PINK },
        { "icon_exit", "Exit", UiKit::PT_PURPLE },
        { "icon_continue", "Continue", UiKit::PT_GREEN },
        { "icon_ok", "OK", UiKit::PT_GREEN },
        { "highscores_ok", "OK", UiKit::PT_GREEN },
        { "highscores_clearall", "Clear all", UiKit::PT_PINK },
        { "highscores_areyousure_yes", "Yes, clear", UiKit::PT_PINK },
        { "highscores_areyousure_no", "No", UiKit::PT_GREEN },
        { "restart_areyousure_OK", "Restart", UiKit::PT_PINK },
        { "restart_areyousure_CANCEL", "Cancel", UiKit::PT_GREEN },
        { "options_icon_ok", "OK", UiKit::PT_GREEN },
        { "options_icon_on", "On", UiKit::PT_GREEN },
        { "options_icon_off", "Off", UiKit::PT_GREY },
        { "options_icon_space", "Space", UiKit::PT_TEAL },
        { "options_icon_candies", "Candies", UiKit::PT_TEAL },
        { "options_icon_1", "1", UiKit::PT_PURPLE },
        { "options_icon_6", "6", UiKit::PT_PURPLE },
        { "options_icon_10", "10", UiKit::PT_PURPLE },
        { "options_icon_14", "14", UiKit::PT_PURPLE },
        { "options_icon_18", "18", UiKit::PT_PURPLE },
        { "options_icon_22", "22", UiKit::PT_PURPLE },
    };
    return looks;
}

// Splits "stem.tga" / "stem_lit.tga" into its look and whether it is lit.
const ButtonLook* lookOf( const std::string& name, bool& lit )
{
    const std::string litTail = "_lit.tga";
    const std::string tail = ".tga";
    std::string stem;
    if( name.size() > litTail.size() && name.compare( name.size() - litTail.size(), litTail.size(), litTail ) == 0 )
    {
        stem = name.substr( 0, name.size() - litTail.size() );
        lit = true;
    }
    else if( name.size() > tail.size() && name.compare( name.size() - tail.size(), tail.size(), tail ) == 0 )
    {
        stem = name.substr( 0, name.size() - tail.size() );
        lit = false;
    }
    for( const ButtonLook& look : buttonLooks() )
        if( stem == look.kpStem )
            return &look;
    return nullptr;
}

Box boxIn( const std::string& name )
{
    return ScreenLayout::boxOf( name );
}

// A dialog standing over the arena: the arena's tray with a card on it.
Canvas arenaDialog( const std::string& title, double titleSize, double cardInset = 18 )
{
    const Box arena = ScreenLayout::kArena;
    Canvas canvas( arena.width, arena.height );
    UiKit::paintBackdrop( canvas, arena.x, arena.y );
    UiKit::paintTray( canvas, 3, 3, arena.width - 6, arena.height - 6, 24 );
    UiKit::paintCard( canvas, cardInset, cardInset, arena.width - 2 * cardInset, arena.height - 2 * cardInset, 18 );
    TextPainter::draw( canvas, title, arena.width / 2.0, 24, UiKit::titleStyle( titleSize ) );
    return canvas;
}

// A dialog centred over whatever the game shows: square corners, so nothing behind shows through.
Canvas floatingDialog( int width, int height, const std::string& title, double titleSize )
{
    Canvas canvas( width, height );
    cairo_t* cr = canvas.cr();
    cairo_pattern_t* rim = cairo_pattern_create_linear( 0, 0, 0, height );
    Colour::hex( 0xFFC4E4 ).addStop( rim, 0.0 );
    Colour::hex( 0xFF7ABE ).addStop( rim, 0.5 );
    Colour::hex( 0xE0569E ).addStop( rim, 1.0 );
    cairo_set_source( cr, rim );
    cairo_paint( cr );
    cairo_pattern_destroy( rim );
    cairo_rectangle( cr, 0.75, 0.75, width - 1.5, height - 1.5 );
    UiKit::Palette::kDeepPurple.set( cr );
    cairo_set_line_width( cr, 1.5 );
    cairo_stroke( cr );
    UiKit::paintCard( canvas, 8, 8, width - 16, height - 16, 12 );
    TextPainter::draw( canvas, title, width / 2.0, 14, UiKit::titleStyle( titleSize ) );
    return canvas;
}

void paragraph( Canvas& canvas, const std::string& text, double x, double y, double width, double size,
                TextPainter::Align align = TextPainter::TA_CENTRE )
{
    TextPainter::draw( canvas, text, x, y, UiKit::bodyStyle( size, align ), width );
}

Canvas paintGameOver()
{
    Canvas canvas = arenaDialog( "Game Over", 56 );
    TextPainter::Style subtitle = UiKit::titleStyle( 30 );
    subtitle.fillBottom = Colour::hex( 0xFFD76A );
    TextPainter::draw( canvas, "Time's up!", 210, 94, subtitle );
    const char* kWords[] = { "orange", "blocker", "red", "wild", "green" };
    for( int i = 0; i < 5; ++i )
        UiKit::placeCandy( canvas, kWords[ i ], 110 + i * 50, 166 + ( i % 2 ) * 8, 44, ( i - 2 ) * 0.3 );
    paragraph( canvas,
               "The clock ran out, but what a sweet game! Every line you crunch wins back time, so go for chains "
               "next round.",
               40, 200, 340, 17 );
    // The continue button appears at (101, 293) once it may be clicked; this space stays clear.
    return canvas;
}

Canvas paintEnterName()
{
    Canvas canvas = arenaDialog( "New High Score!", 44 );
    paragraph( canvas, "You made the high-score table!", 30, 80, 360, 18 );
    // The score line is centred on (212, 138); the name line starts at (32, 273).
    TextPainter::draw( canvas, "Your score", 212, 108, UiKit::bodyStyle( 16 ) );
    UiKit::paintWell( canvas, 132, 131, 160, 26, 8 );
    UiKit::placeCandy( canvas, "purple", 100, 144, 34, -0.2 );
    UiKit::placeCandy( canvas, "purple", 324, 144, 34, 0.2 );
    paragraph( canvas, "Type your name:", 30, 238, 300, 18, TextPainter::TA_LEFT );
    UiKit::paintWell( canvas, 24, 266, 148, 26, 8 );
    paragraph( canvas, "then press Enter or click OK.", 180, 269, 210, 16, TextPainter::TA_LEFT );
    return canvas;
}

Canvas paintHighScores()
{
    const Box arena = ScreenLayout::kArena;
    Canvas canvas( arena.width, arena.height );
    UiKit::paintBackdrop( canvas, arena.x, arena.y );
    UiKit::paintTray( canvas, 3, 3, arena.width - 6, arena.height - 6, 24 );
    UiKit::paintCard( canvas, 14, 14, arena.width - 28, arena.height - 30, 18 );
    TextPainter::draw( canvas, "High Scores", arena.width / 2.0, 22, UiKit::titleStyle( 50 ) );
    // Column heads over the game's text: names from x 33, scores ending at 338, levels at 395.
    TextPainter::Style head = UiKit::bodyStyle( 17, TextPainter::TA_LEFT );
    head.fill = Colour::hex( 0xB0307A );
    TextPainter::draw( canvas, "Name", 33, 140, head );
    head.align = TextPainter::TA_RIGHT;
    TextPainter::draw( canvas, "Score", 338, 140, head );
    TextPainter::draw( canvas, "Level", 398, 140, head );
    static const uint32_t kMedals[] = { 0xFFD23A, 0xD8D8E8, 0xE0955A, 0xB98AE8, 0xB98AE8 };
    cairo_t* cr = canvas.cr();
    for( int row = 0; row < 5; ++row )
    {
        double y = 177 + 44 * row;
        UiKit::paintWell( canvas, 24, y - 9, 380, 30, 9 );
        UiKit::roundRect( cr, 27, y - 6, 4, 24, 2 );
        Colour::hex( kMedals[ row ] ).set( cr );
        cairo_fill( cr );
    }
    return canvas;
}

Canvas paintConfirm( const std::string& title, const std::string& text )
{
    const Box box = ScreenLayout::dialogBox( "highscores_areyousure.jpg" );
    Canvas canvas = floatingDialog( box.width, box.height, title, 32 );
    paragraph( canvas, text, 24, 62, box.width - 48, 16 );
    return canvas;
}

Canvas paintOptions()
{
    const Box box = ScreenLayout::dialogBox( "options_dialog.jpg" );
    Canvas canvas = floatingDialog( box.width, box.height, "Options", 48 );
    TextPainter::Style label = UiKit::bodyStyle( 19, TextPainter::TA_LEFT );
    TextPainter::Style hint = UiKit::bodyStyle( 14, TextPainter::TA_LEFT );
    hint.fill = Colour::hex( 0x8A4A9A );
    // Each label sits left of its toggle; the toggles' places are the game's.
    struct Row
    {
        const char* kpLabel;
        const char* kpHint;
        int toggleX;
        int toggleY;
        int toggleWidth;
    };
    const Row rows[] = {
        { "Arrow keys move the", "", 302, 96, 100 },
        { "Sounds", "candy crunches and clicks", 110, 138, 64 },
        { "Music", "the tune in the background", 114, 183, 64 },
        { "Full screen", "also Alt + Enter", 178, 222, 64 },
        { "Alarm", "rings when time runs low", 115, 326, 64 },
    };
    for( const Row& row : rows )
    {
        TextPainter::Extent extent = TextPainter::measure( row.kpLabel, label );
        TextPainter::draw( canvas, row.kpLabel, 24, row.toggleY + ( 30 - extent.height ) / 2.0, label );
        if( row.kpHint[ 0 ] != '\0' )
        {
            TextPainter::Extent hintExtent = TextPainter::measure( row.kpHint, hint );
            TextPainter::draw( canvas, row.kpHint, row.toggleX + row.toggleWidth + 10,
                               row.toggleY + ( 30 - hintExtent.height ) / 2.0, hint );
        }
    }
    // A quiet band behind the start-level badges.
    cairo_t* cr = canvas.cr();
    UiKit::roundRect( cr, 12, 262, 276, 60, 12 );
    cairo_set_source_rgba( cr, 0.85, 0.5, 0.8, 0.18 );
    cairo_fill( cr );
    TextPainter::draw( canvas, "Harder levels start with a bonus", 296, 280, hint, 110 );
    return canvas;
}

Canvas paintStartLevelLabel( const Box& box )
{
    Canvas canvas( box.width, box.height );
    TextPainter::Style label = UiKit::bodyStyle( 19, TextPainter::TA_LEFT );
    TextPainter::drawFitted( canvas, "Start at level:", 0, 0, box.width * 0.75, box.height, label );
    return canvas;
}
} // namespace

bool isButton( const std::string& name )
{
    bool lit = false;
    return lookOf( name, lit ) != nullptr || name == "options_icon_startlevel.tga";
}

Canvas paintButton( const std::string& name )
{
    const Box box = boxIn( name );
    if( name == "options_icon_startlevel.tga" )
        return paintStartLevelLabel( box );
    bool lit = false;
    const ButtonLook* look = lookOf( name, lit );
    Canvas canvas( box.width, box.height );
    if( look == nullptr )
        return canvas;
    UiKit::PillTone tone = look->tone;
    // The chosen start level shows its lit picture; make it stand out in gold.
    if( std::string( look->kpStem ).rfind( "options_icon_", 0 ) == 0 && look->kpLabel[ 0 ] >= '0' &&
        look->kpLabel[ 0 ] <= '9' && lit )
        tone = UiKit::PT_GOLD;
    UiKit::paintPill( canvas, 0, 0, box.width, box.height, look->kpLabel, tone, lit );
    return canvas;
}

Canvas paintNewRowMarker()
{
    const Box box = ScreenLayout::boxOf( "highscores_newrow.tga" );
    Canvas canvas( box.width, box.height );
    cairo_t* cr = canvas.cr();
    // Around the row's well, which lies 14 pixels in and 5 down; a soft glow under a crisp line.
    UiKit::roundRect( cr, 11, 2, box.width - 22, box.height - 4, 12 );
    UiKit::Palette::kGold.withAlpha( 0.35 ).set( cr );
    cairo_set_line_width( cr, 5.0 );
    cairo_stroke_preserve( cr );
    UiKit::Palette::kGold.set( cr );
    cairo_set_line_width( cr, 2.0 );
    cairo_stroke( cr );
    UiKit::placeCandy( canvas, "purple", 12, box.height / 2.0, 20, -0.2 );
    UiKit::placeCandy( canvas, "purple", box.width - 12, box.height / 2.0, 20, 0.2 );
    return canvas;
}

Canvas paintDialog( const std::string& name )
{
    if( name == "gameover.jpg" )
        return paintGameOver();
    if( name == "entername.jpg" )
        return paintEnterName();
    if( name == "highscores.jpg" )
        return paintHighScores();
    if( name == "highscores_areyousure.jpg" )
        return paintConfirm( "Clear the scores?",
                             "Every name goes back to the start and every score to zero. This cannot be undone." );
    if( name == "restart_areyousure.jpg" )
        return paintConfirm( "Restart the game?",
                             "The game you are playing ends here, and a new one begins from the start screen." );
    if( name == "options_dialog.jpg" )
        return paintOptions();
    return Canvas( 1, 1 );
}
} // namespace DialogPainter

#include "tools/mkassets/ScreenPainter.h"

#include "tools/mkassets/CandyPainter.h"
#include "tools/mkassets/HudPainter.h"
#include "tools/mkassets/ScreenLayout.h"
#include "tools/mkassets/TextPainter.h"
#include "tools/mkassets/UiKit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ScreenPainter
{
namespace
{
using ScreenLayout::Box;
using ScreenLayout::kArena;

const Box kStart = ScreenLayout::boxOf( "icon_click_to_start_lit.tga" );

void paintLollipop( Canvas& canvas, double x, double y, double r )
{
    cairo_t* cr = canvas.cr();
    // Stick.
    UiKit::roundRect( cr, x - 4, y + r * 0.6, 8, 70, 4 );
    cairo_pattern_t* stick = cairo_pattern_create_linear( x - 4, 0, x + 4, 0 );
    Colour::hex( 0xFFFFFF ).addStop( stick, 0.0 );
    Colour::hex( 0xE8D8E0 ).addStop( stick, 1.0 );
    cairo_set_source( cr, stick );
    cairo_fill_preserve( cr );
    cairo_pattern_destroy( stick );
    Colour::hex( 0x9A6A9A ).set( cr );
    cairo_set_line_width( cr, 1 );
    cairo_stroke( cr );
    // Swirl disc.
    cairo_arc( cr, x, y, r, 0, 2 * M_PI );
    Colour::hex( 0xFFFFFF ).set( cr );
    cairo_fill( cr );
    cairo_save( cr );
    cairo_arc( cr, x, y, r, 0, 2 * M_PI );
    cairo_clip( cr );
    for( int arm = 0; arm < 2; ++arm )
    {
        cairo_new_path( cr );
        for( int i = 0; i <= 200; ++i )
        {
            double t = i / 200.0;
            double angle = arm * M_PI + t * 4.2 * M_PI;
            double radius = r * t * 1.05;
            cairo_line_to( cr, x + std::cos( angle ) * radius, y + std::sin( angle ) * radius );
        }
        cairo_set_line_width( cr, r * 0.26 );
        cairo_set_line_cap( cr, CAIRO_LINE_CAP_ROUND );
        Colour::hex( arm == 0 ? 0xFF4F9B : 0xC46AF0 ).set( cr );
        cairo_stroke( cr );
    }
    cairo_pattern_t* shade = cairo_pattern_create_radial( x - r * 0.35, y - r * 0.4, 0, x, y, r );
    cairo_pattern_add_color_stop_rgba( shade, 0.0, 1, 1, 1, 0.55 );
    cairo_pattern_add_color_stop_rgba( shade, 0.5, 1, 1, 1, 0.0 );
    cairo_pattern_add_color_stop_rgba( shade, 1.0, 0.4, 0, 0.4, 0.35 );
    cairo_set_source( cr, shade );
    cairo_paint( cr );
    cairo_pattern_destroy( shade );
    cairo_restore( cr );
    cairo_arc( cr, x, y, r, 0, 2 * M_PI );
    UiKit::Palette::kDeepPurple.withAlpha( 0.8 ).set( cr );
    cairo_set_line_width( cr, 1.5 );
    cairo_stroke( cr );
    CandyPainter::drawSparkle( cr, x - r * 0.4, y - r * 0.45, r * 0.18, 1.0 );
}

void paintLabel( Canvas& canvas, const std::string& text, double x, double y, double w, double h, double size )
{
    TextPainter::Style style = UiKit::titleStyle( size );
    style.shadowOffset = 1.5;
    TextPainter::drawFitted( canvas, text, x, y, w, h, style );
}

// The arena's floor with the board sockets and the chutes the candies come from.
void paintBoardFloor( Canvas& canvas )
{
    cairo_t* cr = canvas.cr();
    const double left = ScreenLayout::kBoardLeft - kArena.x;
    const double top = ScreenLayout::kBoardTop - kArena.y;
    const double cell = ScreenLayout::kCell;
    const double side = cell * ScreenLayout::kBoardCells;

    // Chutes above and to the left: refilled candies slide in from there.
    for( int chute = 0; chute < 2; ++chute )
    {
        double x = chute == 0 ? left : left - cell;
        double y = chute == 0 ? top - cell : top;
        double w = chute == 0 ? side : cell;
        double h = chute == 0 ? cell : side;
        UiKit::roundRect( cr, x + 2, y + 2, w - 4, h - 4, 10 );
        cairo_set_source_rgba( cr, 0.2, 0.05, 0.32, 0.35 );
        cairo_fill( cr );
        for( int i = 0; i < ScreenLayout::kBoardCells; ++i )
        {
            double cx = chute == 0 ? x + cell * ( i + 0.5 ) : x + cell / 2;
            double cy = chute == 0 ? y + cell / 2 : y + cell * ( i + 0.5 );
            cairo_save( cr );
            cairo_translate( cr, cx, cy );
            if( chute == 1 )
                cairo_rotate( cr, -M_PI / 2 );
            cairo_move_to( cr, -7, -4 );
            cairo_line_to( cr, 0, 3 );
            cairo_line_to( cr, 7, -4 );
            cairo_set_line_width( cr, 3 );
            cairo_set_line_cap( cr, CAIRO_LINE_CAP_ROUND );
            cairo_set_line_join( cr, CAIRO_LINE_JOIN_ROUND );
            cairo_set_source_rgba( cr, 1, 0.8, 0.95, 0.16 );
            cairo_stroke( cr );
            cairo_restore( cr );
        }
    }

    // The board's frame and its sockets.
    UiKit::roundRect( cr, left - 5, top - 5, side + 10, side + 10, 9 );
    Colour::hex( 0x2E0E48 ).set( cr );
    cairo_fill_preserve( cr );
    cairo_set_source_rgba( cr, 1.0, 0.7, 0.9, 0.8 );
    cairo_set_line_width( cr, 1.5 );
    cairo_stroke( cr );
    for( int y = 0; y < ScreenLayout::kBoardCells; ++y )
        for( int x = 0; x < ScreenLayout::kBoardCells; ++x )
        {
            double cx = left + x * cell;
            double cy = top + y * cell;
            bool light = ( x + y ) % 2 == 0;
            UiKit::roundRect( cr, cx + 1, cy + 1, cell - 2, cell - 2, 6 );
            cairo_pattern_t* socket = cairo_pattern_create_linear( cx, cy, cx, cy + cell );
            Colour::hex( light ? 0x7E4CB4 : 0x6C3CA0 ).addStop( socket, 0.0 );
            Colour::hex( light ? 0x6E40A4 : 0x5E3292 ).addStop( socket, 1.0 );
            cairo_set_source( cr, socket );
            cairo_fill_preserve( cr );
            cairo_pattern_destroy( socket );
            cairo_set_source_rgba( cr, 1, 1, 1, 0.1 );
            cairo_set_line_width( cr, 1 );
            cairo_stroke( cr );
        }
}

// The groove the timer stick lies in: the bar is drawn from (43, 402).
void paintTimerGroove( Canvas& canvas )
{
    Box timer = ScreenLayout::boxOf( "timer.tga" );
    Box bites = ScreenLayout::boxOf( "bites00.tga" );
    double x = timer.x - kArena.x;
    double y = timer.y - kArena.y;
    UiKit::paintWell( canvas, x - 3, y - 3, timer.width + bites.width + 6, timer.height + 6,
                      ( timer.height + 6 ) / 2.0 );
}

Canvas arenaWithTray()
{
    Canvas canvas( kArena.width, kArena.height );
    UiKit::paintBackdrop( canvas, kArena.x, kArena.y );
    UiKit::paintTray( canvas, 3, 3, kArena.width - 6, kArena.height - 6, 24 );
    return canvas;
}

// A card over the arena, for the pictures that replace it.
Canvas cardScreen( const std::string& title, double titleSize )
{
    Canvas canvas = arenaWithTray();
    UiKit::paintCard( canvas, 18, 18, kArena.width - 36, kArena.height - 36, 18 );
    TextPainter::draw( canvas, title, kArena.width / 2.0, 24, UiKit::titleStyle( titleSize ) );
    return canvas;
}

// Draws the paragraphs one under the other from y, a blank half line apart; returns the bottom.
double paintParagraphs( Canvas& canvas, const std::vector<std::string>& paragraphs, double y, double size,
                        double margin = 40 )
{
    const double width = kArena.width - 2 * margin;
    for( const std::string& text : paragraphs )
    {
        TextPainter::draw( canvas, text, margin, y, UiKit::bodyStyle( size ), width );
        y += TextPainter::measure( text, UiKit::bodyStyle( size ), width ).height + size * 0.7;
    }
    return y;
}

void candyRow( Canvas& canvas, const std::vector<std::string>& words, double y, double size, double gap )
{
    double width = words.size() * size + ( words.size() - 1 ) * gap;
    double x = ( kArena.width - width ) / 2.0 + size / 2.0;
    for( size_t i = 0; i < words.size(); ++i )
        UiKit::placeCandy( canvas, words[ i ], x + i * ( size + gap ), y, size, ( i % 2 == 0 ? -0.12 : 0.12 ) );
}

enum LineMark
{
    LM_NONE,
    LM_CHECK,
    LM_CROSS,
};

constexpr double kDiagramCell = 36;

// With a mark after the line, the line and its mark are centred together.
double diagramCellX( int index, bool marked = false )
{
    return ( kArena.width - 6 * kDiagramCell - ( marked ? 34 : 0 ) ) / 2.0 + index * kDiagramCell;
}

// An example line of six cells on a strip of board, with a mark saying whether it crunches.
void lineDiagram( Canvas& canvas, const std::vector<std::string>& words, double y, LineMark mark )
{
    cairo_t* cr = canvas.cr();
    const bool marked = mark != LM_NONE;
    double left = diagramCellX( 0, marked );
    UiKit::roundRect( cr, left - 4, y - 4, 6 * kDiagramCell + 8, kDiagramCell + 8, 9 );
    Colour::hex( 0x3A1458 ).set( cr );
    cairo_fill( cr );
    for( int i = 0; i < 6; ++i )
    {
        UiKit::roundRect( cr, diagramCellX( i, marked ) + 1, y + 1, kDiagramCell - 2, kDiagramCell - 2, 5 );
        Colour::hex( i % 2 == 0 ? 0x7E4CB4 : 0x6C3CA0 ).set( cr );
        cairo_fill( cr );
        if( !words[ size_t( i ) ].empty() )
            UiKit::placeCandy( canvas, words[ size_t( i ) ], diagramCellX( i, marked ) + kDiagramCell / 2,
                               y + kDiagramCell / 2, kDiagramCell - 2 );
    }
    if( mark == LM_NONE )
        return;
    double cx = diagramCellX( 6, marked ) + 24;
    double cy = y + kDiagramCell / 2;
    cairo_arc( cr, cx, cy, 13, 0, 2 * M_PI );
    Colour::hex( mark == LM_CHECK ? 0x2FB84A : 0xE8283C ).set( cr );
    cairo_fill_preserve( cr );
    Colour::hex( 0xFFFFFF ).set( cr );
    cairo_set_line_width( cr, 2 );
    cairo_stroke( cr );
    cairo_set_line_width( cr, 3.5 );
    cairo_set_line_cap( cr, CAIRO_LINE_CAP_ROUND );
    cairo_set_line_join( cr, CAIRO_LINE_JOIN_ROUND );
    if( mark == LM_CHECK )
    {
        cairo_move_to( cr, cx - 6, cy );
        cairo_line_to( cr, cx - 1.5, cy + 5 );
        cairo_line_to( cr, cx + 6.5, cy - 5 );
    }
    else
    {
        cairo_move_to( cr, cx - 5, cy - 5 );
        cairo_line_to( cr, cx + 5, cy + 5 );
        cairo_move_to( cr, cx + 5, cy - 5 );
        cairo_line_to( cr, cx - 5, cy + 5 );
    }
    cairo_stroke( cr );
}

// A curved arrow above a diagram line from the clicked cell towards the gap.
void slideArrow( Canvas& canvas, int from, int to, double y )
{
    cairo_t* cr = canvas.cr();
    double x0 = diagramCellX( from ) + kDiagramCell / 2;
    double x1 = diagramCellX( to ) + kDiagramCell / 2;
    double top = y - 18;
    cairo_move_to( cr, x0, y - 2 );
    cairo_curve_to( cr, x0, top, x1, top, x1 + ( x0 > x1 ? 6 : -6 ), y - 6 );
    cairo_set_line_cap( cr, CAIRO_LINE_CAP_ROUND );
    Colour::hex( 0xFFFFFF ).set( cr );
    cairo_set_line_width( cr, 6 );
    cairo_stroke_preserve( cr );
    UiKit::Palette::kPink.set( cr );
    cairo_set_line_width( cr, 3 );
    cairo_stroke( cr );
    // The head.
    double tipX = x1 + ( x0 > x1 ? 4 : -4 );
    double tipY = y - 3;
    double back = x0 > x1 ? 1.0 : -1.0;
    cairo_move_to( cr, tipX, tipY );
    cairo_line_to( cr, tipX + back * 10, tipY - 9 );
    cairo_line_to( cr, tipX + back * 12, tipY + 2 );
    cairo_close_path( cr );
    cairo_set_line_join( cr, CAIRO_LINE_JOIN_ROUND );
    Colour::hex( 0xFFFFFF ).set( cr );
    cairo_set_line_width( cr, 3 );
    cairo_stroke_preserve( cr );
    UiKit::Palette::kPink.set( cr );
    cairo_fill( cr );
}

void bakeStartButton( Canvas& canvas )
{
    canvas.paint( paintStartButton( false ), kStart.x - kArena.x, kStart.y - kArena.y );
}
} // namespace

Canvas paintStartButton( bool lit )
{
    Canvas canvas( kStart.width, kStart.height );
    UiKit::paintPill( canvas, 0, 0, kStart.width, kStart.height, "Click here to start", UiKit::PT_PINK, lit, 22 );
    return canvas;
}

Canvas paintBackground()
{
    Canvas canvas( ScreenLayout::kScreenWidth, ScreenLayout::kScreenHeight );
    UiKit::paintBackdrop( canvas, 0, 0 );
    cairo_t* cr = canvas.cr();

    // Decoration in the top right corner.
    paintLollipop( canvas, 590, 50, 40 );
    UiKit::placeCandy( canvas, "red", 478, 40, 40, -0.3 );
    UiKit::placeCandy( canvas, "purple", 520, 84, 32, 0.25 );

    // The score panel, with wells exactly where the game writes its numbers.
    UiKit::roundRect( cr, 450, 100, 184, 200, 16 );
    cairo_pattern_t* panel = cairo_pattern_create_linear( 0, 100, 0, 300 );
    cairo_pattern_add_color_stop_rgba( panel, 0, 0.36, 0.14, 0.54, 0.92 );
    cairo_pattern_add_color_stop_rgba( panel, 1, 0.28, 0.09, 0.44, 0.92 );
    cairo_set_source( cr, panel );
    cairo_fill_preserve( cr );
    cairo_pattern_destroy( panel );
    UiKit::Palette::kRim.set( cr );
    cairo_set_line_width( cr, 3 );
    cairo_stroke( cr );
    UiKit::roundRect( cr, 453.5, 103.5, 177, 193, 13 );
    cairo_set_source_rgba( cr, 1, 1, 1, 0.35 );
    cairo_set_line_width( cr, 1 );
    cairo_stroke( cr );

    const auto& score = ScreenLayout::kScoreSlot;
    const auto& level = ScreenLayout::kLevelSlot;
    const auto& lines = ScreenLayout::kLinesSlot;
    paintLabel( canvas, "Score", 462, 106, 160, 36, 26 );
    UiKit::paintWell( canvas, score.area.x - 8, score.anchorY - 7, score.area.width + 10, 33, 9 );
    paintLabel( canvas, "Level", 458, level.anchorY - 8, 60, 36, 22 );
    UiKit::paintWell( canvas, level.area.x, level.anchorY - 8, level.area.width + 4, 33, 9 );
    paintLabel( canvas, "Lines\nto go", 458, lines.anchorY - 12, 60, 44, 17 );
    UiKit::paintWell( canvas, lines.area.x, lines.anchorY - 8, lines.area.width + 4, 33, 9 );

    // A soft backing for the buttons of the panel.
    UiKit::roundRect( cr, 444, 306, 190, 170, 16 );
    cairo_set_source_rgba( cr, 1, 1, 1, 0.22 );
    cairo_fill_preserve( cr );
    cairo_set_source_rgba( cr, 1, 1, 1, 0.5 );
    cairo_set_line_width( cr, 1.5 );
    cairo_stroke( cr );
    return canvas;
}

Canvas paintArena()
{
    Canvas canvas = arenaWithTray();
    paintBoardFloor( canvas );
    paintTimerGroove( canvas );
    return canvas;
}

Canvas paintLoading()
{
    Canvas canvas( ScreenLayout::kScreenWidth, ScreenLayout::kScreenHeight );
    UiKit::paintBackdrop( canvas, 0, 0 );
    UiKit::paintCard( canvas, 40, 60, 560, 360, 28 );
    TextPainter::draw( canvas, "Glimmerdrop", 320, 92, UiKit::titleStyle( 76 ) );
    double x = 320 - 5 * 30;
    const char* kWords[] = { "orange", "yellow", "purple", "red", "green", "blue" };
    for( int i = 0; i < 6; ++i )
        UiKit::placeCandy( canvas, kWords[ i ], x + i * 60, 250, 46, i % 2 == 0 ? -0.15 : 0.15 );
    TextPainter::draw( canvas, "Unwrapping the candies...", 320, 300, UiKit::bodyStyle( 22 ) );
    const Box& bar = ScreenLayout::kProgress;
    UiKit::paintWell( canvas, bar.x - 4, bar.y - 4, bar.width + 8, bar.height + 8, ( bar.height + 8 ) / 2.0 );
    return canvas;
}

Canvas paintPause()
{
    Canvas canvas = cardScreen( "Paused", 56 );
    candyRow( canvas, { "bear", "peppermint", "cherries" }, 160, 64, 26 );
    // A sleepy "z z z" above the bear.
    TextPainter::Style z = UiKit::titleStyle( 22 );
    TextPainter::draw( canvas, "z", 150, 104, z );
    z.size = 16;
    TextPainter::draw( canvas, "z", 164, 92, z );
    paintParagraphs( canvas,
                     { "Take a breather: the clock has stopped and your candies will wait for you.",
                       "Click <span foreground=\"#D8287C\">Resume</span> or press P when you are ready to play on." },
                     222, 19 );
    return canvas;
}

Canvas paintInfo( const std::string& name )
{
    const double row = 322; // where the example line stands, above the start button
    if( name == "info_start.jpg" )
    {
        Canvas canvas = cardScreen( "Glimmerdrop", 54 );
        candyRow( canvas, { "orange", "yellow", "purple", "red", "green", "blue" }, 122, 40, 12 );
        paintParagraphs( canvas,
                         { "Click a candy in the same row or column as the empty space: it slides into the gap. "
                           "The arrow keys slide candies too.",
                           "Line up six of a kind in a row or a column to crunch them, and crunch the lines each "
                           "level asks for before the clock runs out!" },
                         152, 18 );
        lineDiagram( canvas, { "orange", "orange", "", "orange", "orange", "orange" }, row, LM_NONE );
        slideArrow( canvas, 3, 2, row );
        bakeStartButton( canvas );
        return canvas;
    }
    if( name == "info_hint.jpg" )
    {
        Canvas canvas = cardScreen( "Sweet work!", 50 );
        paintParagraphs( canvas,
                         { "Now the clock is ticking. Every line you crunch puts a few seconds back on it, and "
                           "the faster you finish, the bigger your time bonus.",
                           "Click a candy several places from the gap to slide the whole run at once. Candies that "
                           "fall in can make new lines for you!" },
                         96, 18 );
        lineDiagram( canvas, { "", "yellow", "purple", "orange", "yellow", "purple" }, row, LM_NONE );
        slideArrow( canvas, 4, 0, row );
        bakeStartButton( canvas );
        return canvas;
    }
    if( name == "info_blackjellybean.jpg" )
    {
        Canvas canvas = cardScreen( "Black Jellybeans", 42 );
        UiKit::placeCandy( canvas, "blocker", 210, 114, 64, 0.0 );
        paintParagraphs( canvas,
                         { "You cannot slide this bean, and no candy slides past it. It only moves when a crunch "
                           "makes the candies around it fall in.",
                           "A line with a black jellybean in it will not crunch, so work around it." },
                         152, 18 );
        lineDiagram( canvas, { "purple", "purple", "blocker", "purple", "purple", "purple" }, row, LM_CROSS );
        bakeStartButton( canvas );
        return canvas;
    }
    if( name == "info_wildcard.jpg" )
    {
        Canvas canvas = cardScreen( "Candy Canes", 48 );
        UiKit::placeCandy( canvas, "wild", 210, 114, 64, 0.0 );
        paintParagraphs( canvas,
                         { "A candy cane is wild: it counts as any kind of candy in its line.",
                           "It even lets a line with a black jellybean crunch, bean and all. Canes turn up among "
                           "the candies that fall in, so keep an eye out for them!" },
                         152, 18 );
        lineDiagram( canvas, { "red", "wild", "red", "blocker", "red", "red" }, row, LM_CHECK );
        bakeStartButton( canvas );
        return canvas;
    }
    struct Newcomer
    {
        const char* kpName;
        const char* kpTitle;
        const char* kpWord;
        const char* kpText;
    };
    static const Newcomer kNewcomers[] = {
        { "info_red.jpg", "Red Hearts", "red",
          "A fourth kind of candy joins the board, so lines take more planning: think a few slides ahead. Each heart "
          "in a crunched line scores 25 points, times your level." },
        { "info_green.jpg", "Green Jellies", "green",
          "Five kinds of candy now! Each green jelly in a crunched line scores 30 points, times your level." },
        { "info_blue.jpg", "Blue Drops", "blue",
          "All six colours are in play, and blue drops are the dearest: 35 points each, times your level. Keep "
          "crunching to keep the clock alive!" },
    };
    for( const Newcomer& newcomer : kNewcomers )
    {
        if( name != newcomer.kpName )
            continue;
        Canvas canvas = cardScreen( newcomer.kpTitle, 50 );
        candyRow( canvas, { newcomer.kpWord, newcomer.kpWord, newcomer.kpWord }, 122, 56, 18 );
        paintParagraphs( canvas, { newcomer.kpText }, 164, 18 );
        std::vector<std::string> line( 6, newcomer.kpWord );
        lineDiagram( canvas, line, row, LM_CHECK );
        bakeStartButton( canvas );
        return canvas;
    }
    return arenaWithTray();
}

Canvas paintTutorialPage( int page )
{
    static const char* const kSteps[] = {
        "Welcome! Click the candy the hand points at, or press the arrow key toward it: it slides into the "
        "empty space.",
        "Nice! The gap moved along. Click the next orange to slide it into the gap too.",
        "And once more: slide the next orange across.",
        "Now click the orange just below the gap to make a row of six oranges!",
        "Crunch! Now click the candy at the far left of the gap's row: three candies slide at once and line "
        "up six lemons.",
        "You've got it! Crunch rows and columns of six. From the next level on, the clock is ticking!",
    };
    const Box box = ScreenLayout::boxOf( "tutorial_1.jpg" );
    Canvas canvas( box.width, box.height );
    // The page lies over the arena: continue its picture around the card's corners.
    Canvas arena = paintArena();
    canvas.paint( arena, kArena.x - box.x, kArena.y - box.y );
    UiKit::paintCard( canvas, 2, 2, box.width - 4, box.height - 6, 14 );
    int step = std::clamp( page, 1, 6 );
    // The step number on a round badge.
    cairo_t* cr = canvas.cr();
    cairo_arc( cr, 30, box.height / 2.0 - 2, 18, 0, 2 * M_PI );
    cairo_pattern_t* badge = cairo_pattern_create_linear( 0, 10, 0, 60 );
    Colour::hex( 0xFF9ACE ).addStop( badge, 0.0 );
    Colour::hex( 0xE0388A ).addStop( badge, 1.0 );
    cairo_set_source( cr, badge );
    cairo_fill_preserve( cr );
    cairo_pattern_destroy( badge );
    UiKit::Palette::kDeepPurple.set( cr );
    cairo_set_line_width( cr, 1.5 );
    cairo_stroke( cr );
    TextPainter::Style number = UiKit::titleStyle( 24 );
    number.shadowOffset = 0;
    TextPainter::drawFitted( canvas, std::to_string( step ), 14, box.height / 2.0 - 20, 32, 34, number );
    TextPainter::Style text = UiKit::bodyStyle( 15, TextPainter::TA_LEFT );
    TextPainter::Extent extent = TextPainter::measure( kSteps[ step - 1 ], text, box.width - 72 );
    TextPainter::draw( canvas, kSteps[ step - 1 ], 56, ( box.height - 4 - extent.height ) / 2.0, text, box.width - 72 );
    return canvas;
}
} // namespace ScreenPainter

#ifndef GLIMMERDROP_TOOLS_MKASSETS_SCREENLAYOUT_H
#define GLIMMERDROP_TOOLS_MKASSETS_SCREENLAYOUT_H

#include <string>
#include <vector>

// Where every picture of the game is drawn and how big it is: the one place that fixes the
// layout. Positions the game's code uses are copied here with the rule that they impose; sizes
// are ours and are chosen to respect those rules (a test checks them against the archive).
namespace ScreenLayout
{
struct Box
{
    int x;
    int y;
    int width;
    int height;

    int right() const { return x + width; }
    int bottom() const { return y + height; }
};

struct Placement
{
    std::string name;
    Box box;           // on screen, or inside its dialog for dialog items
    std::string owner; // "" for the main screen, else the dialog picture it stands on
    std::string rule;  // what the game's code demands of it
};

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// Board: cell (x, y) at (107 + 42x, 101 + 42y).
constexpr int kCell = 42;
constexpr int kBoardLeft = 107;
constexpr int kBoardTop = 101;
constexpr int kBoardCells = 6;

// The arena picture stands at (23, 17) and must hold the whole board (x 107 to 358, y 101 to 352).
constexpr Box kArena = { 23, 17, 420, 420 };

// HUD numbers: the anchor is the left edge of the rightmost digit and the top of the digits.
struct NumberSlot
{
    const char* kpLabel;
    Box area; // the area the game clears and redraws
    int anchorX;
    int anchorY;
};
constexpr NumberSlot kScoreSlot = { "Score", { 470, 150, 155, 25 }, 595, 154 };
constexpr NumberSlot kLevelSlot = { "Level", { 520, 205, 55, 25 }, 550, 211 };
constexpr NumberSlot kLinesSlot = { "Lines to go", { 520, 260, 55, 25 }, 550, 267 };

// Digit glyphs: drawn 18 pixels apart from right to left; score popups clear 18 x 23 per digit.
constexpr int kDigitAdvance = 18;
constexpr int kDigitWidth = 18;
constexpr int kDigitHeight = 23;
// The comma is drawn 3 pixels lower, 14 pixels left of the digit after it.
constexpr int kCommaWidth = 14;

// Loading screen: the bar starts at (63, 350).
constexpr Box kProgress = { 63, 350, 514, 26 };

// Start-level badges of the options dialog, 1, 6, 10, 14, 18, 22, at y 291.
struct Badge
{
    int level;
    Box box;
};

// Every picture with a fixed place, screen or dialog.
const std::vector<Placement>& placements();
const Placement* find( const std::string& name );
// The box of a placement that must exist; aborts the tool with a message when it does not.
Box boxOf( const std::string& name );

// Dialog backgrounds and where the game puts them.
Box dialogBox( const std::string& name );
const std::vector<Badge>& startLevelBadges();

// Text lines that the game draws on a dialog with its 8 x 12 font, relative to the dialog.
struct TextSlot
{
    std::string owner;
    int x;
    int y;
    int align; // 0 left, 1 right, 2 centred
    int characters;
};
const std::vector<TextSlot>& textSlots();

// Every item the game places on a dialog, by its unlit image; a picture used for several items
// (the on/off pair of the options) appears once per item.
struct DialogItem
{
    std::string dialog;
    std::string image;
    int x;
    int y;
};
const std::vector<DialogItem>& dialogItems();

// The tutorial: pages at (60, 355); the hand stands 49 pixels left of and 56 above the cell it
// points at, for cells (1, 0), (2, 0), (3, 0), (3, 1), (0, 1).
constexpr int kHandOffsetX = 49;
constexpr int kHandOffsetY = 56;
} // namespace ScreenLayout

#endif

#ifndef GLIMMERDROP_TESTS_GAME_SUPPORT_GAMERESOURCES_H
#define GLIMMERDROP_TESTS_GAME_SUPPORT_GAMERESOURCES_H

#include <cstdint>
#include <string>
#include <vector>

// Stand-in pictures for every file the game loads: each of one plain colour of its own, sized as
// the game's pictures are, so a test can tell from a pixel which picture was drawn there.
struct GamePicture
{
    std::string name;
    int width;
    int height;
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

// Every picture the game names (the partner's included).
const std::vector<GamePicture>& gamePictures();
const GamePicture& gamePicture( const std::string& name );

// Copies the pictures into a folder, leaving out the names given; false if any could not be made.
bool copyGamePictures( const std::string& folder, const std::vector<std::string>& leaveOut = {} );

// Whether a 15-bit back-buffer pixel shows the picture's colour (JPEG and the 15-bit conversion
// move each channel a little).
bool showsPicture( uint16_t pixel, const GamePicture& picture );

#endif

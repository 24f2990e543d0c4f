#ifndef GLIMMERDROP_FRAMEWORK_APPLICATION_HVIRTUALKEYMAP_H
#define GLIMMERDROP_FRAMEWORK_APPLICATION_HVIRTUALKEYMAP_H

#include <cstdint>

// Extra virtual-key numbers of the punctuation keys (US layout), beside the KC_ codes.
enum HOemKey : uint32_t
{
    VKO_SEMICOLON = 0xBA,
    VKO_PLUS = 0xBB,
    VKO_COMMA = 0xBC,
    VKO_MINUS = 0xBD,
    VKO_PERIOD = 0xBE,
    VKO_SLASH = 0xBF,
    VKO_BACKQUOTE = 0xC0,
    VKO_LEFT_BRACKET = 0xDB,
    VKO_BACKSLASH = 0xDC,
    VKO_RIGHT_BRACKET = 0xDD,
    VKO_QUOTE = 0xDE,
    VKO_102 = 0xE2
};

// The unshifted character a virtual key types on a US keyboard, as the system's
// MapVirtualKeyA( vk, 2 ) answers it: letters upper case, 0 for keys that type nothing
// (arrows, function keys, shift, control).
uint32_t mapVirtualKeyToChar( uint32_t virtualKey );

#endif

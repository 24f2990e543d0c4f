#ifndef GLIMMERDROP_GAME_DIALOGS_VXPRINTABLETEXT_H
#define GLIMMERDROP_GAME_DIALOGS_VXPRINTABLETEXT_H

#include <cstddef>
#include <cstdint>

// Text that reaches the screen's bitmap font from the keyboard, the clipboard or a stored file
// keeps only the characters the font draws, 32 to 126. An accented or joined Latin letter
// becomes its plain letters (e with an accent "e", sharp s "ss"); anything else that stands for a
// character shows as one '?'.

// The most characters one character becomes.
constexpr size_t kMostPrintable = 2;

// What the font shows for one character (a code point): up to kMostPrintable characters written
// to pOut, unterminated; 0 for a control character.
size_t printableCharacter( uint32_t codePoint, char* pOut );

// The same for one typed character of the Western Windows code page.
size_t printableTyped( unsigned char character, char* pOut );

// Copies the kept characters of a text, as many as fit in size - 1, and terminates; a character
// whose letters do not all fit is left out. A whole UTF-8 sequence is one character, any other
// byte a character of the code page. The source ends at its NUL, after sourceLength bytes, or at
// a line break; a tab becomes a space. Returns the length written.
size_t makePrintable( char* pDest, size_t size, const char* kpSource, size_t sourceLength );

#endif

#ifndef GLIMMERDROP_GAME_DIALOGS_VXPRINTABLETEXT_H
#define GLIMMERDROP_GAME_DIALOGS_VXPRINTABLETEXT_H

#include <cstddef>

// Text that reaches the screen's bitmap font from the keyboard, the clipboard or a stored file
// keeps only the characters the font draws, 32 to 126. Anything else that stands for a
// character shows as one '?': a byte above 127, or a whole UTF-8 sequence.
class VXPrintableFilter
{
public:
    VXPrintableFilter()
        : m_continuations( 0 )
    {
    }

    // The character to keep for one byte, or 0 when the byte adds none (a control character, the
    // rest of a UTF-8 sequence already shown).
    char take( unsigned char byte );
    void reset() { m_continuations = 0; }

private:
    int m_continuations;
};

// Copies at most size - 1 kept characters and terminates. The source ends at its NUL, after
// sourceLength bytes, or at a line break; a tab becomes a space. Returns the length written.
size_t makePrintable( char* pDest, size_t size, const char* kpSource, size_t sourceLength );

#endif

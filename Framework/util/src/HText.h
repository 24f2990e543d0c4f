#ifndef GLIMMERDROP_FRAMEWORK_UTIL_HTEXT_H
#define GLIMMERDROP_FRAMEWORK_UTIL_HTEXT_H

#include <cstdarg>
#include <cstddef>
#include <cstdint>

// Text helpers for the fixed-size buffers used throughout the program.

// Copies at most size - 1 characters and always terminates; a null source copies "".
char* textCopy( char* pDest, size_t size, const char* kpSource );

// Equality ignoring the case of ASCII letters only; two nulls are equal.
bool textEqualsNoCase( const char* kpA, const char* kpB );

// vsnprintf into a fixed buffer, always terminated; returns the length written (truncated).
int textFormat( char* pDest, size_t size, const char* kpFormat, ... ) __attribute__( ( format( printf, 3, 4 ) ) );
int textFormatV( char* pDest, size_t size, const char* kpFormat, va_list args );

// Substring test used for command-line switches and file-name extensions; nulls never match.
bool textContains( const char* kpText, const char* kpPart );

// The plain letters a Latin letter is written with where only ASCII shows (e with an accent "e",
// sharp s "ss", AE joined "AE", l with a stroke "l"); null for anything else, ASCII included.
const char* textPlainLetters( uint32_t codePoint );
// The code point a byte of the Western Windows code page stands for; 0 where it stands for none.
uint32_t textCodePagePoint( unsigned char byte );

#endif

#ifndef GLIMMERDROP_FRAMEWORK_UTIL_HTEXT_H
#define GLIMMERDROP_FRAMEWORK_UTIL_HTEXT_H

#include <cstdarg>
#include <cstddef>

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

#endif

#include "Framework/application/HVirtualKeyMap.h"

#include "Framework/application/HEvent.h"

uint32_t mapVirtualKeyToChar( uint32_t virtualKey )
{
    if( virtualKey >= KC_A && virtualKey <= KC_Z )
        return virtualKey;
    if( virtualKey >= KC_0 && virtualKey <= KC_9 )
        return virtualKey;
    if( virtualKey >= KC_NUMPAD0 && virtualKey <= KC_NUMPAD9 )
        return '0' + ( virtualKey - KC_NUMPAD0 );
    switch( virtualKey )
    {
    case 3: // the break key (VK_CANCEL)
        return 3;
    case KC_BACK:
        return 8;
    case KC_TAB:
        return 9;
    case KC_RETURN:
        return 13;
    case KC_ESCAPE:
        return 27;
    case KC_SPACE:
        return ' ';
    case KC_MULTIPLY:
        return '*';
    case KC_ADD:
        return '+';
    case KC_SUBTRACT:
        return '-';
    case KC_DECIMAL:
        return '.';
    case KC_DIVIDE:
        return '/';
    case VKO_SEMICOLON:
        return ';';
    case VKO_PLUS:
        return '=';
    case VKO_COMMA:
        return ',';
    case VKO_MINUS:
        return '-';
    case VKO_PERIOD:
        return '.';
    case VKO_SLASH:
        return '/';
    case VKO_BACKQUOTE:
        return '`';
    case VKO_LEFT_BRACKET:
        return '[';
    case VKO_BACKSLASH:
    case VKO_102:
        return '\\';
    case VKO_RIGHT_BRACKET:
        return ']';
    case VKO_QUOTE:
        return '\'';
    default:
        return 0;
    }
}

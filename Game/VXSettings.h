#ifndef GLIMMERDROP_GAME_VXSETTINGS_H
#define GLIMMERDROP_GAME_VXSETTINGS_H

#include <cstdint>

class HCvarManager;
class HRegistry;

// The seven player settings, kept in the registry as 4-byte little-endian binary values.
struct VXSettings
{
    int32_t didTutorial;
    // 1, 6, 10, 14, 18 or 22: the levels the options offer.
    int32_t startLevel;
    int32_t keyboardMovesSpace;
    int32_t alarmEnabled;
    int32_t soundEnabled;
    int32_t musicEnabled;
    int32_t fullscreen;

    // The defaults used when the registry has no value.
    VXSettings();

    // Reads every value the registry holds; missing or unreadable ones keep what they were.
    // False when the key cannot be opened.
    bool read( HRegistry& registry, HCvarManager* pCvars );
    // Writes the values that differ from what this copy last read or wrote, and those the store
    // lacked, so another running copy's changes to the rest survive. False when the key cannot
    // be opened or a value cannot be written.
    bool write( HRegistry& registry, HCvarManager* pCvars );

    static bool isStartLevel( int32_t level );

private:
    static const int kValueCount = 7;

    // The value as the store held it when last read or written; only where m_aKnown says so.
    int32_t m_aStored[ kValueCount ];
    bool m_aKnown[ kValueCount ];
};

#endif

#ifndef GLIMMERDROP_GAME_VXHIGHSCORETABLE_H
#define GLIMMERDROP_GAME_VXHIGHSCORETABLE_H

#include <cstddef>
#include <cstdint>

class HCvarManager;
class HRegistry;

// One row of the table. Its 44 bytes, little-endian, are also the registry value:
// marker (4), name (32, terminated), score (4, unsigned), level number (4).
struct VXHighScoreEntry
{
    static constexpr uint32_t kMarker = 257;
    static constexpr size_t kNameSize = 32;
    static constexpr uint32_t kRecordSize = 44;

    uint32_t marker;
    char name[ kNameSize ];
    uint32_t score;
    int32_t level;

    // Marker 257, "nobody", score 0, level 1.
    VXHighScoreEntry();

    void setName( const char* kpName );
    void toBytes( uint8_t* pRecord ) const;
    // Takes the record only when it is exactly 44 bytes long and carries the marker; the name
    // is terminated whatever the record held.
    bool fromBytes( const uint8_t* kpRecord, uint32_t count );
};

// The five best results, best first, kept in the program's registry key as "HS:0" to "HS:4".
class VXHighScoreTable
{
public:
    static constexpr int kRows = 5;
    // The longest name a row keeps.
    static constexpr size_t kLongestName = VXHighScoreEntry::kNameSize - 1;

    VXHighScoreTable();

    // Scores 0 and levels 1, then every stored row that is valid; default names where a row is
    // missing or reset is asked. False, after a warning box, when the key cannot be opened.
    bool load( HRegistry& registry, HCvarManager* pCvars, bool reset );
    // Writes all five rows. Results inserted since the last load go into the rows the store holds
    // now, read under its lock, so another running copy's results are kept; after a reset the
    // table is written as it is. False, after a warning box, when the key cannot be opened or a
    // row cannot be written; the table in memory keeps its rows.
    bool save( HRegistry& registry, HCvarManager* pCvars );
    // The row a score would take, or -1. An equal score goes below the row that holds it.
    int rank( uint32_t score ) const;
    // Puts the result in its row, moving the rows below down; the last row is lost.
    // Returns the row, or -1 when the score enters none (nothing changes).
    int insert( const char* kpName, uint32_t score, int32_t level );

    // The row the latest inserted result holds now, or -1.
    int newestRow() const { return m_newestRow; }

    const VXHighScoreEntry& entry( int row ) const;
    // The row's name as the screen's font can show it (see VXPrintableText).
    void displayName( int row, char* pBuffer, size_t size ) const;

    static const char* defaultName( int row );
    // "HS:0" to "HS:4".
    static void valueName( int row, char* pBuffer, size_t size );

private:
    // The stored rows as load reads them; false when reset is asked.
    void m_readRows( HRegistry& registry, bool reset );
    int m_place( const VXHighScoreEntry& result );

    VXHighScoreEntry m_entries[ kRows ];
    // Results this copy inserted and has not saved yet, oldest first.
    VXHighScoreEntry m_unsaved[ kRows ];
    int m_unsavedCount;
    int m_newestRow;
    // Set by a reset: the next save writes the table as it is.
    bool m_replaceStored;
};

#endif

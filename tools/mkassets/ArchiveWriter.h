#ifndef GLIMMERDROP_TOOLS_MKASSETS_ARCHIVEWRITER_H
#define GLIMMERDROP_TOOLS_MKASSETS_ARCHIVEWRITER_H

#include <cstdint>
#include <string>
#include <vector>

// Writes the zip archive the game reads. Entries keep the order they were added in and carry one
// fixed time stamp, so the same contents give the same bytes.
class ArchiveWriter
{
public:
    struct Entry
    {
        std::string name;
        std::vector<uint8_t> data;
    };

    void add( const std::string& name, std::vector<uint8_t> data );
    const std::vector<Entry>& entries() const { return m_entries; }
    const Entry* find( const std::string& name ) const;

    // Writes to a temporary file beside the target and renames it over, so an interrupted build
    // never leaves a half-written archive that looks up to date. Returns false with a message.
    bool write( const std::string& path, std::string& error ) const;

private:
    std::vector<Entry> m_entries;
};

#endif

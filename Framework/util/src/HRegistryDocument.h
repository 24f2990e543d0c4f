#ifndef GLIMMERDROP_FRAMEWORK_UTIL_HREGISTRYDOCUMENT_H
#define GLIMMERDROP_FRAMEWORK_UTIL_HREGISTRYDOCUMENT_H

#include <cstdint>
#include <string>
#include <vector>

struct HRegistryValue
{
    std::string name;
    uint32_t type;
    std::vector<uint8_t> data;
};

struct HRegistryKey
{
    std::string name;
    std::vector<HRegistryValue> values;
};

// The registry export text ("REGEDIT4"): keys in brackets, values as "name"="text",
// hex:, hex(n): or dword:. Reading keeps every value it can make sense of and counts the
// lines it could not; writing produces text that reads back to the same values.
class HRegistryDocument
{
public:
    HRegistryDocument();

    // Replaces the contents with what the text holds; false when any part was unreadable.
    bool parse( const std::string& text );
    std::string serialize() const;

    // Key and value names are compared without regard to ASCII letter case.
    const HRegistryValue* find( const std::string& keyName, const std::string& valueName ) const;
    void set( const std::string& keyName, const std::string& valueName, uint32_t type,
              const std::vector<uint8_t>& data );

    int errorCount() const { return m_errorCount; }
    const std::vector<HRegistryKey>& keys() const { return m_keys; }

private:
    void m_parseValueLine( const std::string& line, HRegistryKey* pKey );

    std::vector<HRegistryKey> m_keys;
    int m_errorCount;
};

#endif

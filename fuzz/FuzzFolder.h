#ifndef GLIMMERDROP_FUZZ_FUZZFOLDER_H
#define GLIMMERDROP_FUZZ_FUZZFOLDER_H

#include <cstddef>
#include <cstdint>
#include <string>

class HFileSystem;

// A folder of the fuzzing process's own, for targets whose code reads files through the file
// systems: each input is written there under a name and read back by the real code.
class FuzzFolder
{
public:
    static const std::string& path();
    // Writes the bytes as the named file; false when it could not.
    static bool write( const char* kpName, const uint8_t* kpData, size_t size );
    // The plain-folder file system over it, made once.
    static HFileSystem* fileSystem();
};

#endif

#ifndef GLIMMERDROP_TESTS_SUPPORT_TEMPDIR_H
#define GLIMMERDROP_TESTS_SUPPORT_TEMPDIR_H

#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir( const TempDir& ) = delete;
    TempDir& operator=( const TempDir& ) = delete;

    const std::string& path() const { return m_path; }
    std::string file( const std::string& name ) const { return m_path + "/" + name; }

    void write( const std::string& name, const std::string& bytes ) const;
    std::string read( const std::string& name ) const;
    bool exists( const std::string& name ) const;

private:
    std::string m_path;
};

// Runs a shell command and returns its exit status.
int runCommand( const std::string& command );

#endif

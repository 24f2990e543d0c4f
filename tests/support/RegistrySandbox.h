#ifndef GLIMMERDROP_TESTS_SUPPORT_REGISTRYSANDBOX_H
#define GLIMMERDROP_TESTS_SUPPORT_REGISTRYSANDBOX_H

#include <string>

// An empty settings store for the program's key while the sandbox lives. On Linux the registry
// files go to the folder given; on Windows the real registry's key is emptied before and after,
// so no test sees what another one stored.
class RegistrySandbox
{
public:
    explicit RegistrySandbox( const std::string& folder );
    ~RegistrySandbox();

    RegistrySandbox( const RegistrySandbox& ) = delete;
    RegistrySandbox& operator=( const RegistrySandbox& ) = delete;
};

#endif

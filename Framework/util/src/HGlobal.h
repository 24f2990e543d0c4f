#ifndef GLIMMERDROP_FRAMEWORK_UTIL_HGLOBAL_H
#define GLIMMERDROP_FRAMEWORK_UTIL_HGLOBAL_H

class HDisplayDevice;
class HEventQueue;

// Process-wide storage, filled by the process entry before the application starts.
class HGlobal
{
public:
    // A null text changes nothing; longer texts are cut to 1023 characters.
    static void setCommandLine( const char* kpCmdLine );
    static const char* getCommandLine();
    // True when the command line contains the text anywhere (case-sensitive).
    static bool hasSwitch( const char* kpSwitch );

    static void setResourceDir( const char* kpDir );
    static const char* getResourceDir();

    static void setDisplayDevice( HDisplayDevice* pDevice ) { sm_pDisplayDevice = pDevice; }
    static HDisplayDevice* getDisplayDevice() { return sm_pDisplayDevice; }
    static void setEventQueue( HEventQueue* pQueue ) { sm_pEventQueue = pQueue; }
    static HEventQueue* getEventQueue() { return sm_pEventQueue; }

    // The platform's instance handle and the window icon's resource number.
    static void setInstance( void* pInstance ) { sm_pInstance = pInstance; }
    static void* getInstance() { return sm_pInstance; }
    static void setIconResource( int resource ) { sm_iconResource = resource; }
    static int getIconResource() { return sm_iconResource; }

private:
    static char sm_aCmdLine[ 1024 ];
    static char sm_aResourceDir[ 1024 ];
    static HDisplayDevice* sm_pDisplayDevice;
    static HEventQueue* sm_pEventQueue;
    static void* sm_pInstance;
    static int sm_iconResource;
};

#endif

#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWIN32AUDIODEVICEFACTORY_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWIN32AUDIODEVICEFACTORY_H

class HAudioDevice;

// The platform's audio device for a "c_soundDriver" value: "win32" (any letter case) is the
// waveOut device, anything else DirectSound. ("null" never gets here: it is the silent device.)
HAudioDevice* createWin32AudioDevice( const char* kpDriver );

#endif

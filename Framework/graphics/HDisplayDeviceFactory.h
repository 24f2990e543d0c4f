#ifndef GLIMMERDROP_FRAMEWORK_GRAPHICS_HDISPLAYDEVICEFACTORY_H
#define GLIMMERDROP_FRAMEWORK_GRAPHICS_HDISPLAYDEVICEFACTORY_H

#include <cstdint>

class HCvarManager;
class HDisplayDevice;

// Makes the platform's display device and opens its screen; null (after the device's own message)
// when that fails. Declared here, defined by the platform library the build links.
HDisplayDevice* createDisplayDevice( int32_t width, int32_t height, const char* kpTitle, bool fullscreen,
                                     bool noDoubleClick, HCvarManager* pCvars );

#endif

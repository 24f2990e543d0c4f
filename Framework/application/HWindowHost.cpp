#include "Framework/application/HWindowHost.h"

#include "Framework/application/HVirtualKeyMap.h"

HWindowHost::HWindowHost() = default;

HWindowHost::~HWindowHost() = default;

uint32_t HWindowHost::mapVirtualKeyToChar( uint32_t virtualKey )
{
    return ::mapVirtualKeyToChar( virtualKey );
}

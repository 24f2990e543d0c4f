#include "Framework/application/HInputDevice.h"

HInputDevice::Provider HInputDevice::sm_provider = nullptr;

HInputDevice::HInputDevice() = default;

HInputDevice::~HInputDevice() = default;

void HInputDevice::suspend() {}

void HInputDevice::resume() {}

void HInputDevice::setProvider( Provider provider )
{
    sm_provider = provider;
}

HInputDevice* HInputDevice::obtain( HCvarManager* pCvars )
{
    return sm_provider != nullptr ? sm_provider( pCvars ) : nullptr;
}

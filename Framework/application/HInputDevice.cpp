#include "Framework/application/HInputDevice.h"

#include "Framework/util/src/HProcessServices.h"

HInputDevice::Provider HInputDevice::sm_provider = nullptr;

HInputDevice::HInputDevice() = default;

HInputDevice::~HInputDevice() = default;

void HInputDevice::waitForInput( uint32_t timeoutMs )
{
    processServices().sleep( timeoutMs );
}

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

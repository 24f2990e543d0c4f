#include "Framework/application/HInputDevice.h"

HInputDevice::HInputDevice() = default;

HInputDevice::~HInputDevice() = default;

void HInputDevice::suspend()
{
}

void HInputDevice::resume()
{
}

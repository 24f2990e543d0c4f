#include <gtest/gtest.h>

#include <string>

#include "Framework/ScriptEngine/src/HCvarManager.h"
#include "Framework/audio/HAudioDevice.h"
#include "Framework/audio/HAudioMixerStreamingAudioSource.h"
#include "Framework/audio/HNullAudioDevice.h"
#include "tests/support/RecordingProcessServices.h"

namespace
{
// A platform device that records what the factory and the owner did with it.
class FakeDevice : public HAudioDevice
{
public:
    FakeDevice() { ++s_made; }
    ~FakeDevice() override { ++s_deleted; }
    HAudioStream* createStream( HStreamingAudioSource* ) override { return nullptr; }
    bool init( int32_t channels, int32_t bits, int32_t frequency ) override
    {
        if( !s_initSucceeds )
            return false;
        m_channels = channels;
        m_bits = bits;
        m_frequency = frequency;
        return true;
    }
    void shutdownAudioDevice() override { ++s_shutdowns; }

    static HAudioDevice* create( const char* kpDriver )
    {
        s_lastDriver = kpDriver != nullptr ? kpDriver : "(null)";
        return new FakeDevice();
    }
    static std::string s_lastDriver;
    static void reset()
    {
        s_made = s_deleted = s_shutdowns = 0;
        s_initSucceeds = true;
    }

    static int s_made;
    static int s_deleted;
    static int s_shutdowns;
    static bool s_initSucceeds;
};
int FakeDevice::s_made = 0;
std::string FakeDevice::s_lastDriver;
int FakeDevice::s_deleted = 0;
int FakeDevice::s_shutdowns = 0;
bool FakeDevice::s_initSucceeds = true;

class AudioDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE( m_cvars.init() );
        m_cvars.declareVariable( "c_soundDriver", "default", 0 );
        FakeDevice::reset();
        setPlatformAudioDeviceFactory( &FakeDevice::create );
    }
    void TearDown() override
    {
        setPlatformAudioDeviceFactory( nullptr );
        m_cvars.shutdown();
    }

    RecordingProcessServices m_services;
    HCvarManager m_cvars;
};
}

TEST_F( AudioDeviceTest, NullInAnyCaseSelectsTheSilentDevice )
{
    for( const char* kpValue : { "null", "NULL", "Null" } )
    {
        m_cvars.setVariableString( "c_soundDriver", kpValue );
        HAudioDevice* pDevice = createAudioDevice( &m_cvars, 2, 16, 22050 );
        ASSERT_NE( pDevice, nullptr );
        EXPECT_NE( dynamic_cast<HNullAudioDevice*>( pDevice ), nullptr ) << kpValue;
        EXPECT_EQ( pDevice->getChannels(), 2 );
        EXPECT_EQ( pDevice->getBits(), 16 );
        EXPECT_EQ( pDevice->getFrequency(), 22050 );
        HAudioMixerStreamingAudioSource mixer;
        EXPECT_EQ( pDevice->createStream( &mixer ), nullptr ) << "the silent device has no stream";
        destroyAudioDevice( pDevice );
    }
    EXPECT_EQ( FakeDevice::s_made, 0 );
}

TEST_F( AudioDeviceTest, AnyOtherValueSelectsThePlatformDevice )
{
    for( const char* kpValue : { "default", "win32", "Win32", "nullish" } )
    {
        m_cvars.setVariableString( "c_soundDriver", kpValue );
        HAudioDevice* pDevice = createAudioDevice( &m_cvars, 1, 8, 11025 );
        ASSERT_NE( pDevice, nullptr ) << kpValue;
        EXPECT_EQ( pDevice->getFrequency(), 11025 );
        // The platform is told the value, to choose among its outputs.
        EXPECT_EQ( FakeDevice::s_lastDriver, kpValue );
        destroyAudioDevice( pDevice );
    }
    EXPECT_EQ( FakeDevice::s_made, 4 );
    EXPECT_EQ( FakeDevice::s_shutdowns, 4 );
    EXPECT_EQ( FakeDevice::s_deleted, 4 );
}

TEST_F( AudioDeviceTest, ADeviceThatCannotStartIsDestroyedSilently )
{
    FakeDevice::s_initSucceeds = false;
    EXPECT_EQ( createAudioDevice( &m_cvars, 2, 16, 22050 ), nullptr );
    EXPECT_EQ( FakeDevice::s_made, 1 );
    EXPECT_EQ( FakeDevice::s_shutdowns, 1 );
    EXPECT_EQ( FakeDevice::s_deleted, 1 );
    EXPECT_TRUE( m_services.boxes.empty() );

    setPlatformAudioDeviceFactory( nullptr );
    EXPECT_EQ( createAudioDevice( &m_cvars, 2, 16, 22050 ), nullptr ) << "no platform device installed";
    destroyAudioDevice( nullptr );
}

TEST( NullAudioDeviceTest, KeepsNoFormatUntilInit )
{
    HNullAudioDevice device;
    EXPECT_EQ( device.getChannels(), 0 );
    EXPECT_EQ( device.getBits(), 0 );
    EXPECT_TRUE( device.init( 2, 16, 22050 ) );
    EXPECT_EQ( device.getChannels(), 2 );
    device.shutdownAudioDevice();
    device.shutdownAudioDevice();
}

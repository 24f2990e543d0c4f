#ifndef GLIMMERDROP_TESTS_SUPPORT_RECORDINGPROCESSSERVICES_H
#define GLIMMERDROP_TESTS_SUPPORT_RECORDINGPROCESSSERVICES_H

#include <string>
#include <vector>

#include "Framework/util/src/HDefaultProcessServices.h"

// Process services that record every box and answer with a chosen button.
// Installing one also captures the debug trace; destruction restores the defaults.
class RecordingProcessServices : public HDefaultProcessServices
{
public:
    struct Box
    {
        uint32_t flags;
        HMessageBoxButtons buttons;
        HMessageBoxIcon icon;
        std::string caption;
        std::string text;
    };

    RecordingProcessServices();
    ~RecordingProcessServices() override;

    HMessageBoxAnswer showMessageBox( const HMessageBoxRequest& request ) override;
    void debugBreakIfAttached() override;
    void debugOutput( const char* kpText ) override;
    char* getClipboardText( char* pBuffer, size_t size ) override;
    uint64_t getTime() override;
    // With the fake clock a sleep is written down and moves the clock; otherwise it sleeps.
    void sleep( uint32_t milliseconds ) override;

    std::vector<Box> boxes;
    std::vector<std::string> debugOutputs;
    HMessageBoxAnswer answer = MBA_OK;
    int debugBreaks = 0;
    std::string clipboard;
    bool hasClipboard = false;
    // When set, getTime returns this instead of the clock.
    bool useFakeTime = false;
    uint64_t fakeTime = 0;
    std::vector<uint32_t> sleeps;
    std::vector<int> exitCodes;

    static std::vector<std::string>& debugTraces();
};

#endif

#ifndef GLIMMERDROP_FRAMEWORK_APPLICATION_HFRAMEPACER_H
#define GLIMMERDROP_FRAMEWORK_APPLICATION_HFRAMEPACER_H

#include <cstdint>

// When the main loop may show its next frame and how long it may then wait for input: at most
// one frame per refresh of the display while something moves, and a blocking wait until input
// or the next change on screen when nothing does. Times are the process clock's milliseconds,
// which may jump either way; no jump ever turns into a wait longer than one period or kLongestWait.
class HFramePacer
{
public:
    // Nothing on screen changes until input arrives.
    static constexpr uint32_t kNoDeadline = 0xFFFFFFFFu;
    // Even then the loop looks round this often, so a clock that jumped cannot hold it for long.
    static constexpr uint32_t kLongestWait = 500;
    static constexpr int32_t kDefaultRate = 60;

    HFramePacer();

    // The display's refresh rate in hertz; 0 (unknown) or an implausible rate means kDefaultRate.
    void setRefreshRate( int32_t hertz );
    uint32_t getPeriodMicros() const { return m_periodMicros; }
    // The loop begins a frame (one pass of events, drawing and presenting) at this time.
    void frameBegun( uint64_t now );
    // How long to hold back before the next frame may be drawn: what is left of the period.
    uint32_t untilNextFrame( uint64_t now ) const;
    // How long to wait for input once a frame may be drawn, given the time until something on
    // screen must change: 0 while something animates.
    static uint32_t idleWait( uint32_t untilChange );

private:
    uint32_t m_periodMicros;
    uint64_t m_nextDueMicros;
    bool m_hasFrame;
};

#endif

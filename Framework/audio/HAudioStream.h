#ifndef GLIMMERDROP_FRAMEWORK_AUDIO_HAUDIOSTREAM_H
#define GLIMMERDROP_FRAMEWORK_AUDIO_HAUDIOSTREAM_H

// The device's output: keeps the sound hardware supplied from its source on a thread of its own.
// The device that hands a stream out owns it.
class HAudioStream
{
public:
    HAudioStream() = default;
    virtual ~HAudioStream();

    HAudioStream( const HAudioStream& ) = delete;
    HAudioStream& operator=( const HAudioStream& ) = delete;

    virtual bool play() = 0;
    // Once it returns, the output thread no longer calls the source.
    virtual bool stop() = 0;
    // Stops and lets go of the output buffer and the source.
    virtual void release() = 0;
    // 0 (quietest) to 1 (full); values outside are clamped.
    virtual bool setVolume( float volume ) = 0;
    virtual bool isValid() = 0;
};

#endif

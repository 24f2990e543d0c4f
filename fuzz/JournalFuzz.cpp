// Arbitrary bytes as a journal played back with -demo: the records go through the event queue
// and the application's own dispatch (description, paint, activation, the software cursor's
// area, the controls) until the journal runs out.

#include <cstddef>
#include <cstdint>

#include "Framework/FileSystem/src/HFileSystem.h"
#include "Framework/application/HApplication.h"
#include "fuzz/FuzzFolder.h"

namespace
{
class JournalApplication : public HApplication
{
public:
    int handleEvent( const HEvent& event ) override { return event.type == ET_QUIT ? 1 : 0; }
    void drawRect( const HRect& ) override {}

    void play( HFile* pJournal )
    {
        m_eventQueue.setPlaybackFile( pJournal );
        while( !runFrame() && !m_eventQueue.isPlaybackExhausted() )
        {
        }
        m_eventQueue.clearPlaybackFile();
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput( const uint8_t* kpData, size_t size )
{
    if( size > ( 1u << 20 ) || !FuzzFolder::write( "journal.bin", kpData, size ) )
        return 0;
    HFileSystem* pFileSystem = FuzzFolder::fileSystem();
    HFile* pJournal = pFileSystem->openFileForRead( "journal.bin" );
    if( pJournal == nullptr )
        return 0;
    static JournalApplication s_application;
    s_application.play( pJournal );
    pFileSystem->closeFile( pJournal );
    return 0;
}

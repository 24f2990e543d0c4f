#include "tools/mkassets/ArchiveWriter.h"

#include <minizip/zip.h>

#include <cstdio>

void ArchiveWriter::add( const std::string& name, std::vector<uint8_t> data )
{
    m_entries.push_back( Entry{ name, std::move( data ) } );
}

const ArchiveWriter::Entry* ArchiveWriter::find( const std::string& name ) const
{
    for( const Entry& entry : m_entries )
        if( entry.name == name )
            return &entry;
    return nullptr;
}

bool ArchiveWriter::write( const std::string& path, std::string& error ) const
{
    std::string temporary = path + ".part";
    std::remove( temporary.c_str() );
    zipFile zip = zipOpen( temporary.c_str(), APPEND_STATUS_CREATE );
    if( zip == nullptr )
    {
        error = "cannot create '" + temporary + "'";
        return false;
    }
    bool ok = true;
    for( const Entry& entry : m_entries )
    {
        zip_fileinfo info = {};
        info.tmz_date.tm_year = 2002;
        info.tmz_date.tm_mon = 0;
        info.tmz_date.tm_mday = 1;
        info.tmz_date.tm_hour = 12;
        if( zipOpenNewFileInZip( zip, entry.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 9 ) !=
            ZIP_OK )
        {
            error = "cannot add '" + entry.name + "'";
            ok = false;
            break;
        }
        if( !entry.data.empty() &&
            zipWriteInFileInZip( zip, entry.data.data(), unsigned( entry.data.size() ) ) != ZIP_OK )
        {
            error = "cannot write '" + entry.name + "'";
            ok = false;
        }
        if( zipCloseFileInZip( zip ) != ZIP_OK && ok )
        {
            error = "cannot finish '" + entry.name + "'";
            ok = false;
        }
        if( !ok )
            break;
    }
    if( zipClose( zip, nullptr ) != ZIP_OK && ok )
    {
        error = "cannot finish '" + temporary + "'";
        ok = false;
    }
    if( ok && std::rename( temporary.c_str(), path.c_str() ) != 0 )
    {
        error = "cannot rename '" + temporary + "' to '" + path + "'";
        ok = false;
    }
    if( !ok )
        std::remove( temporary.c_str() );
    return ok;
}

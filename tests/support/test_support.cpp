// Shared test helpers.
#include "test_support.h"

#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/filename.h>

#include <gtest/gtest.h>

#include <cstdlib>

TempDir::TempDir()
{
    // The toolkit makes the unique name (as a file, on every platform); the
    // folder takes its place.
    m_path = wxFileName::CreateTempFileName(wxFileName::GetTempDir() + wxFILE_SEP_PATH +
                                            wxS("mindprism-test-"));
    if (m_path.empty() || !wxRemoveFile(m_path) || !wxFileName::Mkdir(m_path, 0700))
        ADD_FAILURE() << "cannot create a temporary folder";
}

TempDir::~TempDir()
{
    wxFileName::Rmdir(m_path, wxPATH_RMDIR_RECURSIVE);
}

wxString TempDir::File(const wxString& name) const
{
    return m_path + wxFILE_SEP_PATH + name;
}

wxString TempDir::Write(const wxString& name, const std::string& bytes) const
{
    const wxString path = File(name);
    wxFileName::Mkdir(wxFileName(path).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    wxFFile file(path, "wb");
    EXPECT_TRUE(file.IsOpened()) << path;
    if (!bytes.empty())
        file.Write(bytes.data(), bytes.size());
    return path;
}

std::string ReadBytes(const wxString& path)
{
    wxLogNull quiet;
    wxFFile file(path, "rb");
    if (!file.IsOpened())
        return std::string();
    std::string bytes(static_cast<size_t>(file.Length()), '\0');
    if (!bytes.empty() && file.Read(&bytes[0], bytes.size()) != bytes.size())
        return std::string();
    return bytes;
}

CapturedLog::CapturedLog()
    : m_previous(wxLog::SetActiveTarget(this))
{
}

CapturedLog::~CapturedLog()
{
    wxLog::SetActiveTarget(m_previous);
}

size_t CapturedLog::Errors() const
{
    size_t count = 0;
    for (const Record& record : m_records)
        count += record.level <= wxLOG_Error;
    return count;
}

wxString CapturedLog::Text() const
{
    wxString text;
    for (const Record& record : m_records)
        text << record.text << '\n';
    return text;
}

void CapturedLog::DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info)
{
    if (level <= wxLOG_Message)
        m_records.push_back(Record{level, msg});
}

wxString RuntimeDir()
{
    return wxString::FromUTF8(MINDPRISM_RUNTIME_DIR);
}

wxString SourceDir()
{
    return wxString::FromUTF8(MINDPRISM_SOURCE_DIR);
}

// Helpers shared by the tests: temporary folders, files, and a log target
// that records what the program reports instead of showing it.
#pragma once

#include <wx/log.h>
#include <wx/string.h>

#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed afterwards.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const wxString& Path() const { return m_path; }
    // Path of `name` inside the folder.
    wxString File(const wxString& name) const;
    // Writes `bytes` to `name` inside the folder and returns its path.
    wxString Write(const wxString& name, const std::string& bytes) const;

private:
    wxString m_path;
};

// Reads a whole file as bytes ("" when it cannot be read).
std::string ReadBytes(const wxString& path);

// Records every message logged while it is the active log target, and puts
// the previous target back when it goes.
class CapturedLog : public wxLog
{
public:
    struct Record
    {
        wxLogLevel level;
        wxString text;
    };

    CapturedLog();
    ~CapturedLog() override;

    const std::vector<Record>& Records() const { return m_records; }
    // Number of errors (and worse) logged.
    size_t Errors() const;
    // All messages, one per line, for failure output.
    wxString Text() const;
    void Clear() { m_records.clear(); }

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info) override;

private:
    std::vector<Record> m_records;
    wxLog* m_previous;
};

// Folder of the built run-time files (data, img, locales).
wxString RuntimeDir();
// Folder of the project's sources.
wxString SourceDir();

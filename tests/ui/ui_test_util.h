// Fixtures for the window tests: a real main frame and ways to answer the
// modal windows it opens.
#pragma once

#include "gui_test.h"
#include "test_support.h"

#include "app/resources.h"
#include "quiz/quiz_file.h"
#include "ui/main_frame.h"

#include <wx/button.h>
#include <wx/choicdlg.h>
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

// Answers the next modal dialog of type T by running `check` on it (which
// may press buttons or set selections) and returning `result`.
template <typename T>
class ExpectDialog : public wxExpectModalBase<T>
{
public:
    ExpectDialog(std::function<void(T&)> check, int result = wxID_OK)
        : m_check(std::move(check)), m_result(result)
    {
    }

protected:
    int OnInvoked(T* dialog) const override
    {
        m_check(*dialog);
        return m_result;
    }

private:
    std::function<void(T&)> m_check;
    int m_result;
};

// The key of a label's mnemonic, lower-cased ("&&" is a plain ampersand);
// 0 when it has none.
inline wxChar Mnemonic(const wxString& label)
{
    for (size_t i = 0; i + 1 < label.length(); ++i)
    {
        if (label[i] == '&' && label[i + 1] != '&')
            return wxTolower(label[i + 1]);
        if (label[i] == '&')
            ++i;
    }
    return 0;
}

// Picks row `row` of the language choice; -1 cancels it.
inline ExpectDialog<wxSingleChoiceDialog> ChooseLanguageRow(int row)
{
    return ExpectDialog<wxSingleChoiceDialog>(
        [row](wxSingleChoiceDialog& dialog) {
            if (row >= 0)
                dialog.SetSelection(row);
        },
        row >= 0 ? wxID_OK : wxID_CANCEL);
}

// The texts of every answer the reader keeps, in document order.
class AnswerTexts : public QuizReadObserver
{
public:
    void OnAnswer(const wxXmlNode&, const Answer& answer, bool, bool) override
    {
        texts.push_back(answer.text);
    }
    bool ReadsTreeValues() const override { return false; }
    std::vector<wxString> texts;
};

// A shown main frame built from the run-time files of the build.
class FrameTest : public testing::Test
{
protected:
    void SetUp() override { Open(RuntimeDir()); }
    void TearDown() override { Close(); }

    void Open(const wxString& runtimeDir)
    {
        Resources::SetDir(runtimeDir);
        m_frame = new MindprismFrame(nullptr, wxID_ANY);
        m_frame->Show();
        Settle();
    }
    void Close()
    {
        delete m_frame;
        m_frame = nullptr;
    }

    template <typename T>
    T* Get(const char* name) const
    {
        return FindByName<T>(m_frame, name);
    }
    wxListBox* Answers() const { return Get<wxListBox>("ID_LISTBOX_ANSWER"); }
    wxString QuestionText() const { return Get<wxTextCtrl>("ID_TEXTCTRL_Q")->GetValue(); }
    void Press(const char* button) { SendCommand(Get<wxButton>(button), wxEVT_BUTTON); }
    void Menu(long id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(m_frame);
        m_frame->ProcessWindowEvent(event);
    }
    // Selects quiz `index` in the toolbar choice as a user would.
    void ChooseQuiz(int index)
    {
        wxChoice* choice = Get<wxChoice>("ID_CHOICE1");
        choice->SetSelection(index);
        SendCommand(choice, wxEVT_CHOICE, index);
    }

    MindprismFrame* m_frame = nullptr;
};

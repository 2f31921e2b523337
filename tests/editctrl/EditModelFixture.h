// A model with a fixed 20-row text area that records what it reports.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "editctrl/KtvPEditModel.h"

// Concatenation by appending (GCC 12 warns falsely on chains of operator+).
inline std::string Join(std::initializer_list<std::string_view> parts)
{
    std::string joined;
    for (std::string_view part : parts)
        joined.append(part);
    return joined;
}

class RecordingEditModel : public CKtvPEditModel {
public:
    void OnFailedOperation(DWORD dwCode) override { m_failures.push_back(dwCode); }
    void OnTextChanged(int nOffset, LPCTSTR lpszText, BOOL bInserted) override
    {
        m_changes.push_back((bInserted ? "+" : "-") + std::to_string(nOffset) + ":" + lpszText);
    }

    DWORD LastFailure() const { return m_failures.empty() ? 0 : m_failures.back(); }

    std::vector<DWORD> m_failures;
    std::vector<std::string> m_changes;
};

class EditModelTest : public ::testing::Test {
protected:
    static constexpr int kLeft = 20;
    static constexpr int kCharWidth = 8;
    static constexpr int kRowHeight = 17;  // 16 + the line spacing of 1

    EditModelTest() : m_metrics(kCharWidth, 16) { Attach(m_model); }

    void Attach(CKtvPEditModel& model)
    {
        model.SetTextMetrics(&m_metrics);
        const RECT area{kLeft, 0, kLeft + 80 * kCharWidth, 20 * kRowHeight};
        model.SetTextArea(area);
    }

    std::string Text() const { return std::string(m_model.GetText().GetString()); }

    // Types as a keyboard would: a WM_KEYDOWN for each character, then the character.
    void Type(const std::string& keys)
    {
        for (unsigned char ch : keys) {
            m_model.NoteKeyDown(std::isalpha(ch) ? std::toupper(ch) : ch);
            m_model.TypeChar(ch);
        }
    }

    void PressKey(int nVirtKey) { m_model.NoteKeyDown(nVirtKey); }

    CKtvPFixedTextMetrics m_metrics;
    RecordingEditModel m_model;
};

// Headless windows with OLE initialised, a frozen clock and an injector for
// the mouse and keys; every window, capture and held key is gone afterwards.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/display/InputInjector.h"
#include "platform/ole/DataObject.h"

namespace tw::ole::test {

class OleTest : public ::testing::Test {
public:
    // A data object holding text under CF_TEXT.
    static IDataObject* TextData(const std::string& text);
    static std::string TextOf(IDataObject* data, CLIPFORMAT format = CF_TEXT);

protected:
    void SetUp() override;
    void TearDown() override;
    static void Pump();
    // A visible top-level window of a plain class.
    static HWND MakeWindow(RECT rect);
    static HWND MakeChild(HWND parent, RECT rect);
    static POINT Centre(HWND hwnd);

    tw::display::InputInjector input;
};

// Writes what happens to it, "enter", "over", "leave", "drop"; answers copy
// with Ctrl held and move otherwise, or none when refusing.
class RecordingTarget final : public ComObject<IDropTarget> {
public:
    HRESULT DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT DragLeave() override;
    HRESULT Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

    std::vector<std::string> events;
    std::string droppedText;
    bool refuse = false;

private:
    DWORD Answer(DWORD keys, DWORD offered) const;
};

// Ends on Esc or when the left button is up, as the framework's source does;
// asks for the default cursors and records the effects it was shown.
class RecordingSource final : public ComObject<IDropSource> {
public:
    HRESULT QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override;
    HRESULT GiveFeedback(DWORD dwEffect) override;

    std::vector<DWORD> feedback;
};

}  // namespace tw::ole::test

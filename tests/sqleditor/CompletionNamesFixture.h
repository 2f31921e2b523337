// The real main frame, its server object logged on to the embedded server's
// sample database, the current-database box on that database, the frame's
// completion lists built, and one SQL editor in the frame with its name maps
// rebuilt: the place where completion is typed against a server.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/server/BatchRecorder.h"
#include "sqleditor/CustomerEditCtrl.h"
#include "tests/app/mainwindow/MainWindowFixture.h"

namespace sqled_names_test {

class CompletionTest : public tw::test::MainWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs a batch on the frame's server as a setup step (not recorded).
    void Run(const std::string& batch);
    // Makes the database current in the box, builds the frame's lists for it
    // and rebuilds the editor's maps, as the query window does.
    void SwitchDatabase(const std::string& database);
    // A new editor in the frame, its maps rebuilt.
    void NewEditor();

    // Characters sent to the editor one by one, as typed.
    void Type(const std::string& text);
    void KeyDown(UINT vk);
    void SetText(const std::string& text);
    std::string Text() const;

    // The completion list's texts, in its order; empty when none is open.
    std::vector<std::string> ListTexts() const;
    void CloseList();
    // The embedded server has no msdb of its own: an empty one stands in.
    void CreateMsdb();
    bool ListOpen() const { return edit->m_pIntelliSenseWnd != nullptr; }
    // The member list's entries "key=value", in its order.
    std::vector<std::string> MemberEntries() const;
    int Code(const std::string& name) const;
    bool Known(const std::string& name) const;
    // The batches the server received since the last call.
    std::vector<std::string> TakeBatches();

    std::unique_ptr<CCustomerEditCtrl> edit;
    std::unique_ptr<tw::server::BatchRecorder> recorder;
};

} // namespace sqled_names_test

// Test helper: windows of a class whose procedure writes every message it
// gets into one trace, indented by how deeply sends nest, so message order
// can be compared with a checked-in expected trace.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/user/winuser.h"

namespace tw::user::test {

class MessageTrace {
public:
    MessageTrace();
    ~MessageTrace();

    static MessageTrace* Current();
    static constexpr const char* kClassName = "TraceWindow";
    static constexpr const char* kDoubleClickClassName = "TraceWindowDblClk";

    HWND Create(const std::string& name, DWORD style, DWORD exStyle, RECT rect, HWND parent = nullptr,
                UINT_PTR id = 0, const char* className = kClassName);
    void Name(HWND hwnd, const std::string& name) { names_[hwnd] = name; }
    std::string NameOf(HWND hwnd) const;

    void Start() { lines_.clear(); recording_ = true; }
    void Stop() { recording_ = false; }
    std::string Text() const;
    const std::vector<std::string>& Lines() const { return lines_; }
    std::vector<std::string> Messages(HWND hwnd) const;  // the bare names this window got

    // Handlers tests put in front of the default processing; a handler that
    // returns true has answered the message with *result.
    using Handler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)>;
    void OnMessage(HWND hwnd, UINT message, Handler handler) { handlers_[{hwnd, message}] = std::move(handler); }

    // Pumps every message waiting now (sent, posted, input, paint, due timers).
    static void Pump();

    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    std::string Describe(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const;
    std::map<HWND, std::string> names_;
    std::map<std::pair<HWND, UINT>, Handler> handlers_;
    std::vector<std::string> lines_;
    bool recording_ = false;
    std::string pendingName_;
    int depth_ = 0;
};

// Compares a trace with tests/platform/win32/user/traces/<name>.txt.
// TW_UPDATE_TRACES=1 writes the file instead (review it before committing).
void ExpectTrace(const std::string& name, const std::string& actual);

std::string MessageName(UINT message);

}  // namespace tw::user::test

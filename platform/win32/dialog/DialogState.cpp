#include "platform/win32/dialog/DialogState.h"

#include <mutex>
#include <unordered_map>

namespace tw::dlg {

namespace dialog_state_detail {

struct Table {
    std::mutex mutex;
    std::unordered_map<HWND, std::shared_ptr<DialogState>> states;
};

Table& TheTable()
{
    static Table table;
    return table;
}

}  // namespace dialog_state_detail

std::shared_ptr<DialogState> DialogStates::Create(HWND dialog)
{
    auto& table = dialog_state_detail::TheTable();
    auto state = std::make_shared<DialogState>();
    std::lock_guard<std::mutex> lock(table.mutex);
    table.states[dialog] = state;
    return state;
}

std::shared_ptr<DialogState> DialogStates::Find(HWND dialog)
{
    auto& table = dialog_state_detail::TheTable();
    std::lock_guard<std::mutex> lock(table.mutex);
    auto it = table.states.find(dialog);
    return it == table.states.end() ? nullptr : it->second;
}

void DialogStates::Remove(HWND dialog)
{
    std::shared_ptr<DialogState> state;
    {
        auto& table = dialog_state_detail::TheTable();
        std::lock_guard<std::mutex> lock(table.mutex);
        auto it = table.states.find(dialog);
        if (it == table.states.end())
            return;
        state = std::move(it->second);
        table.states.erase(it);
    }
    // The controls may still hold the font until they are gone too, which
    // they are by the time the dialog's WM_NCDESTROY comes.
    if (state->ownedFont)
        DeleteObject(state->ownedFont);
    state->ownedFont = nullptr;
    state->font = nullptr;
}

}  // namespace tw::dlg

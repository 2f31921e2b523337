#include "platform/controls/browser/BrowserHistory.h"

namespace tw::browser {

void BrowserHistory::Visit(const std::string& address)
{
    if (!entries_.empty()) {
        if (entries_[current_] == address)
            return;  // the same page again is not a new step
        entries_.resize(current_ + 1);
    }
    entries_.push_back(address);
    current_ = entries_.size() - 1;
}

bool BrowserHistory::GoBack(std::string& address)
{
    if (!CanGoBack())
        return false;
    address = entries_[--current_];
    return true;
}

bool BrowserHistory::GoForward(std::string& address)
{
    if (!CanGoForward())
        return false;
    address = entries_[++current_];
    return true;
}

const std::string& BrowserHistory::Current() const
{
    static const std::string kNone;
    return entries_.empty() ? kNone : entries_[current_];
}

}  // namespace tw::browser

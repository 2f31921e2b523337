// The pages a browser has shown, with the one it shows now: navigating drops
// the pages ahead of the current one, as a user expects.
#pragma once

#include <string>
#include <vector>

namespace tw::browser {

class BrowserHistory {
public:
    void Visit(const std::string& address);
    bool CanGoBack() const { return current_ > 0; }
    bool CanGoForward() const { return current_ + 1 < entries_.size(); }
    // Moves and answers the address now current; false when there is no
    // page that way.
    bool GoBack(std::string& address);
    bool GoForward(std::string& address);
    const std::string& Current() const;
    bool Empty() const { return entries_.empty(); }

private:
    std::vector<std::string> entries_;
    size_t current_ = 0;
};

}  // namespace tw::browser

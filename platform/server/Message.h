// A message from the server: an informational text (PRINT, severity 0) or an
// error with the number, severity, state and line the client reports.
#pragma once

#include <string>

namespace tw::server {

struct Message {
    int number = 0;
    int severity = 0;
    int state = 1;
    int line = 1;
    std::string procedure;
    std::string server;
    std::string text;

    // Severity 11 and above is an error; 10 and below are informational.
    bool IsError() const { return severity > 10; }
};

} // namespace tw::server

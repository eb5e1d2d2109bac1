#pragma once
#include <string>

// Captures what is written to sf::err() while an instance lives. The stream's buffer is
// replaced once by a mutex-guarded one that forwards to standard error, or to the active
// capture, so worker threads may keep writing to sf::err() meanwhile. Captures do not nest:
// a second capture started while one is active collects nothing.
class ErrorLogs {
public:
    explicit ErrorLogs(std::string& target);
    ~ErrorLogs();
    ErrorLogs(const ErrorLogs&) = delete;
    ErrorLogs& operator=(const ErrorLogs&) = delete;

    // Installs the shared buffer in sf::err(); idempotent. Called by the constructor, and
    // by start-up so that every later write goes through the lock.
    static void Install();

private:
    std::string& target;
    bool owner = false;
};

#include "app/ErrorLogs.hpp"

#include <SFML/System/Err.hpp>

#include <iostream>
#include <mutex>
#include <streambuf>

namespace {

// Unbuffered on purpose: every character goes through the lock, so lines written by
// different threads can interleave but never corrupt each other or the capture.
class SharedErrBuf : public std::streambuf {
public:
    explicit SharedErrBuf(std::streambuf* fallback) : fallback(fallback) {}

    bool Begin() {
        std::lock_guard lock(mutex);
        if (capturing)
            return false;
        capturing = true;
        captured.clear();
        return true;
    }
    std::string End() {
        std::lock_guard lock(mutex);
        capturing = false;
        return std::move(captured);
    }

protected:
    int_type overflow(int_type ch) override {
        if (traits_type::eq_int_type(ch, traits_type::eof()))
            return traits_type::not_eof(ch);
        char c = traits_type::to_char_type(ch);
        return xsputn(&c, 1) == 1 ? ch : traits_type::eof();
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        std::lock_guard lock(mutex);
        if (capturing) {
            captured.append(s, static_cast<std::size_t>(n));
            return n;
        }
        return fallback->sputn(s, n);
    }
    int sync() override {
        std::lock_guard lock(mutex);
        return capturing ? 0 : fallback->pubsync();
    }

private:
    std::mutex mutex;
    std::streambuf* fallback;
    bool capturing = false;
    std::string captured;
};

SharedErrBuf& Shared() {
    static SharedErrBuf buf(std::cerr.rdbuf());
    return buf;
}

} // namespace

void ErrorLogs::Install() {
    static std::once_flag once;
    std::call_once(once, [] { sf::err().rdbuf(&Shared()); });
}

ErrorLogs::ErrorLogs(std::string& target) : target(target) {
    Install();
    owner = Shared().Begin();
}

ErrorLogs::~ErrorLogs() {
    sf::err().flush();
    if (owner)
        target = Shared().End();
    else
        target.clear();
}

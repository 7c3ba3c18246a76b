#pragma once
// The one error type of the chrome library: an interface error numbered
// 0x80040000 + n, with the program's name + ".WindowProc" as its source and a
// fixed English description.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace chrome {

class ChromeError : public std::runtime_error {
public:
    explicit ChromeError(int n);
    int32_t number() const { return number_; }   // 0x80040000 + n, as a signed 32-bit value
    int code() const { return n_; }               // n
    const std::string& source() const { return source_; }
    const std::string& description() const { return description_; }

private:
    int n_;
    int32_t number_;
    std::string source_;
    std::string description_;
};

enum : int {
    errCantSubclass = 13081,
    errAlreadyHandled = 13082,
    errInvalidWindow = 13083,
    errExternalWindow = 13084,
    errTooManyTimers = 13651,
    errNoSystemTimer = 13652,
};

[[noreturn]] void raiseChromeError(int n);

} // namespace chrome

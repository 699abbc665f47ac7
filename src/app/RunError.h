#pragma once
// A run-time failure as the run reports it: a number and the system's description.

#include <stdexcept>
#include <string>
#include <system_error>

namespace vesk {

// Number 7 is kept for the output box refusing more text; every other number is a system error code.
inline constexpr int kErrorBoxFull = 7;

class RunError : public std::runtime_error {
  public:
    RunError(int number, const std::string& description) : std::runtime_error(description), m_number(number) {}
    int Number() const { return m_number; }
    std::string Description() const { return what(); }

    // The failure of a file operation, from errno.
    static RunError FromErrno(int errnoValue) {
        return RunError(errnoValue, std::generic_category().message(errnoValue));
    }

  private:
    int m_number;
};

}  // namespace vesk

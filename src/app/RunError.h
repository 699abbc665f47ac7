#pragma once
// A run-time failure as the run reports it: a number and the system's description.

#include <exception>
#include <stdexcept>
#include <string>
#include <system_error>

namespace vesk {

// Number 7 is kept for the output box refusing more text; every other number is a system error code.
inline constexpr int kErrorBoxFull = 7;
// The number of a failure that carries no system error code.
inline constexpr int kErrorUnknown = -1;

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

// The failure behind an exception, as a run reports it: a RunError as it is, a system error with its code,
// running out of memory as ENOMEM, anything else as kErrorUnknown with its text.
RunError RunErrorOf(const std::exception_ptr& error);

}  // namespace vesk

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A run-time failure as the run reports it: a number and the system's description, and the file it concerns.

#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace vesk {

// Number 7 is kept for the output box refusing more text; every other number is a system error code.
inline constexpr int kErrorBoxFull = 7;
// The number of a failure that carries no system error code.
inline constexpr int kErrorUnknown = -1;

// "Error 13: Permission denied": how a failure of the system is told, by its number and description.
std::string ErrorNumberText(int number, const std::string& description);

// The line of a failure message that names the file concerned and its role: "Output file: /tmp/out.txt".
// Messages put it on the line after their own text.
std::string FileLine(std::string_view role, const std::string& path);

class RunError : public std::runtime_error {
  public:
    RunError(int number, const std::string& description, std::string namedFile = {})
        : std::runtime_error(description), m_number(number), m_namedFile(std::move(namedFile)) {}
    int Number() const { return m_number; }
    std::string Description() const { return what(); }
    // The FileLine of the file that failed, or "" when the failure concerns no named file.
    const std::string& NamedFile() const { return m_namedFile; }

    // The failure of a file operation, from errno.
    static RunError FromErrno(int errnoValue, std::string namedFile = {}) {
        return RunError(errnoValue, std::generic_category().message(errnoValue), std::move(namedFile));
    }

  private:
    int m_number;
    std::string m_namedFile;
};

// The failure behind an exception, as a run reports it: a RunError as it is, a system error with its code,
// running out of memory as ENOMEM, anything else as kErrorUnknown with its text.
RunError RunErrorOf(const std::exception_ptr& error);

}  // namespace vesk

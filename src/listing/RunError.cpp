// SPDX-License-Identifier: GPL-3.0-or-later
#include "listing/RunError.h"

#include <cerrno>
#include <new>

namespace vesk {

std::string ErrorNumberText(int number, const std::string& description) {
    return "Error " + std::to_string(number) + ": " + description;
}

std::string FileLine(std::string_view role, const std::string& path) {
    std::string line(role);
    line += ": ";
    line += path;
    return line;
}

RunError RunErrorOf(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const RunError& e) {
        return e;
    } catch (const std::system_error& e) {
        return RunError(e.code().value(), e.code().message());
    } catch (const std::bad_alloc&) {
        return RunError::FromErrno(ENOMEM);
    } catch (const std::exception& e) {
        return RunError(kErrorUnknown, e.what());
    } catch (...) {
        return RunError(kErrorUnknown, "Unknown error");
    }
}

}  // namespace vesk

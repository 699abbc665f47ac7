#include "app/RunError.h"

#include <cerrno>
#include <new>

namespace vesk {

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

#include "cli/CountTool.h"

// Placeholder: not written yet.

namespace vesk::cli {

int RunCountTool(const std::vector<std::string>&, std::ostream&, std::ostream&, int) { return 0; }

}  // namespace vesk::cli

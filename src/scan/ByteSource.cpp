#include "scan/ByteSource.h"

// Placeholder: not written yet.

namespace vesk {

std::unique_ptr<ByteSource> ByteSource::OpenFile(const std::string&, std::string& error) { error = "not built"; return nullptr; }
std::unique_ptr<ByteSource> ByteSource::FromDescriptor(int) { return nullptr; }

}  // namespace vesk

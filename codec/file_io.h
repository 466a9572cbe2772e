#pragma once
// The codec's reading of its source files, on the program's file layer.

#include <filesystem>
#include <string>

#include "base/files.h"
#include "codec/he3.h"

namespace lekhora {

/// All bytes of an existing file. A missing file raises "Source file does not
/// exist" with the given source; an empty one the subscript error.
Bytes ReadSourceFile(const std::filesystem::path& path, const std::string& source);

}  // namespace lekhora

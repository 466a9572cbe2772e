#pragma once
// The commands of lekhora-he3, kept apart from main so that tests can run them
// on streams.

#include <iosfwd>
#include <string>
#include <vector>

namespace lekhora::he3tool {

/// Runs one command line (without the program name); returns the exit status:
/// 0 success, 1 a failure (reported on err), 2 a usage error (usage on err).
int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err);

}  // namespace lekhora::he3tool

// include_graph_check --root DIR --rules FILE
// Reports, as file:line, every #include in the C++ sources under DIR that
// reaches a folder its own folder may not include by the rules in FILE, and
// every folder with C++ sources that has no rule, so a new folder is placed
// on purpose. Exit 0 when all is allowed, 1 on a broken rule, 2 on bad usage.

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "tests/architecture/layer_rules.h"

namespace {

namespace fs = std::filesystem;
using lekhora::architecture::kQtLayer;
using lekhora::architecture::Layer;
using lekhora::architecture::LayerRules;

struct Include {
  char open;  // '"' or '<'
  std::string path;
};

std::string Spelled(const Include& include) {
  return include.open == '"' ? "\"" + include.path + "\"" : "<" + include.path + ">";
}

std::optional<Include> ParseInclude(std::string_view line) {
  auto skipBlanks = [&line] {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  };
  skipBlanks();
  if (!line.starts_with('#')) return std::nullopt;
  line.remove_prefix(1);
  skipBlanks();
  constexpr std::string_view kKeyword = "include";
  if (!line.starts_with(kKeyword)) return std::nullopt;
  line.remove_prefix(kKeyword.size());
  skipBlanks();
  if (line.empty() || (line.front() != '"' && line.front() != '<')) return std::nullopt;
  const char open = line.front();
  const std::size_t end = line.find(open == '"' ? '"' : '>', 1);
  if (end == std::string_view::npos) return std::nullopt;
  return Include{open, std::string(line.substr(1, end - 1))};
}

bool IsCppSource(const fs::path& file) {
  static const std::set<std::string> kExtensions = {".c",  ".cc",  ".cpp", ".cxx", ".h",
                                                    ".hh", ".hpp", ".hxx", ".inl", ".ipp"};
  return kExtensions.count(file.extension().string()) != 0;
}

// Hidden folders and build trees (a CMakeCache.txt at their top) hold no
// sources of the project, though build trees are full of generated C++.
bool IsSkippedFolder(const fs::path& folder) {
  std::error_code error;
  return folder.filename().string().starts_with('.') ||
         fs::exists(folder / "CMakeCache.txt", error);
}

std::vector<std::string> SourceFiles(const fs::path& root) {
  std::vector<std::string> files;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
       ++it) {
    if (it->is_directory() && IsSkippedFolder(it->path())) {
      it.disable_recursion_pending();
    } else if (it->is_regular_file() && IsCppSource(it->path())) {
      files.push_back(it->path().lexically_relative(root).generic_string());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

bool IsQtHeader(std::string_view path) {
  return path.size() > 1 && path[0] == 'Q' &&
         (path[1] == 't' || std::isupper(static_cast<unsigned char>(path[1])));
}

// The layer an include reaches, or nothing for system and third-party
// headers and for generated files beside the source (such as moc output).
std::optional<std::string> Reaches(const fs::path& root, const std::string& file,
                                   const Include& include, const LayerRules& rules) {
  if (include.open == '<' && IsQtHeader(include.path)) return std::string(kQtLayer);
  std::string path = include.path;
  if (include.open == '"') {
    // A quoted include is looked up beside the including file first.
    const std::string beside =
        (fs::path(file).parent_path() / include.path).lexically_normal().generic_string();
    std::error_code error;
    if (include.path.starts_with("./") || include.path.starts_with("../") ||
        fs::exists(root / beside, error)) {
      path = beside;
    } else if (include.path.find('/') == std::string::npos) {
      return std::nullopt;
    }
  }
  const Layer* layer = rules.LayerOf(path);
  if (layer == nullptr) return std::nullopt;
  return layer->name;
}

std::string AllowedList(const Layer& layer) {
  if (layer.allowed.empty()) return "only its own folder";
  std::string list;
  for (const std::string& name : layer.allowed) list += (list.empty() ? "only " : ", ") + name;
  return list;
}

std::string ShownPath(const fs::path& file, const fs::path& root) {
  const fs::path inside = fs::weakly_canonical(file).lexically_relative(root);
  return inside.empty() || inside.begin()->string() == ".." ? file.string()
                                                            : inside.generic_string();
}

int Check(const fs::path& root, const fs::path& rulesFile) {
  const LayerRules rules = LayerRules::Read(rulesFile);
  const std::string rulesName = ShownPath(rulesFile, root);
  const std::vector<lekhora::architecture::LegacyInclude>& legacy = rules.Legacy();
  std::vector<bool> legacyUsed(legacy.size(), false);
  std::vector<std::string> problems;
  std::set<std::string> foldersWithoutRule;
  std::size_t fileCount = 0;
  std::size_t includeCount = 0;

  for (const std::string& file : SourceFiles(root)) {
    const Layer* from = rules.LayerOf(file);
    if (from == nullptr) {
      const std::size_t slash = file.find('/');
      const std::string folder = slash == std::string::npos ? "" : file.substr(0, slash);
      if (!foldersWithoutRule.insert(folder).second) continue;
      problems.push_back(file + ": " +
                         (folder.empty()
                              ? "C++ sources belong in a folder with a rule in " + rulesName +
                                    ", not at the top of the tree"
                              : folder + "/ holds C++ sources but has no rule in " + rulesName +
                                    "; add one that says what it may include"));
      continue;
    }
    ++fileCount;
    std::ifstream in(root / file);
    std::size_t number = 0;
    for (std::string line; std::getline(in, line);) {
      ++number;
      const std::optional<Include> include = ParseInclude(line);
      if (!include) continue;
      const std::optional<std::string> to = Reaches(root, file, *include, rules);
      if (!to) continue;
      ++includeCount;
      if (rules.Allows(*from, *to)) continue;
      auto exception = std::find_if(legacy.begin(), legacy.end(), [&](const auto& entry) {
        return entry.file == file && entry.include == include->path;
      });
      if (exception != legacy.end()) {
        legacyUsed[static_cast<std::size_t>(exception - legacy.begin())] = true;
        continue;
      }
      problems.push_back(file + ":" + std::to_string(number) + ": #include " + Spelled(*include) +
                         ": " + from->name + " may not include " + *to + "; it may include " +
                         AllowedList(*from) + " (" + rulesName + ":" + std::to_string(from->line) +
                         ")");
    }
  }
  for (std::size_t i = 0; i < legacy.size(); ++i) {
    if (legacyUsed[i]) continue;
    problems.push_back(rulesName + ":" + std::to_string(legacy[i].line) +
                       ": the legacy exception " + legacy[i].file + " " + legacy[i].include +
                       " lets no include through any more; delete it");
  }

  for (const std::string& problem : problems) std::cerr << problem << '\n';
  std::cout << "include graph: " << fileCount << " files, " << includeCount << " includes checked, "
            << problems.size() << " problems\n";
  return problems.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<fs::path> root;
  std::optional<fs::path> rules;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string_view option = argv[i];
    if (option == "--root") root = argv[i + 1];
    if (option == "--rules") rules = argv[i + 1];
  }
  if (argc != 5 || !root || !rules) {
    std::cerr << "usage: include_graph_check --root DIR --rules FILE\n";
    return 2;
  }
  try {
    return Check(fs::canonical(*root), *rules);
  } catch (const std::exception& error) {
    std::cerr << "include_graph_check: " << error.what() << '\n';
    return 2;
  }
}

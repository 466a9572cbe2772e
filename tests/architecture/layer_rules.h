#pragma once
// The folder rules of layers.txt: which folders each folder's sources may
// include, and the few single includes let through until files move.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lekhora::architecture {

/// Stands for the Qt headers (<QWidget>, <QtCore/QString>, ...) in the rules.
inline constexpr std::string_view kQtLayer = "Qt";

struct Layer {
  std::string name;                  // a folder path such as "clipboard/qt"
  std::vector<std::string> allowed;  // layers it may include besides itself
  bool allowsAll = false;            // "*": tests and benchmarks
  std::size_t line = 0;              // where the rule stands in the file
};

struct LegacyInclude {
  std::string file;     // the including file, relative to the tree's root
  std::string include;  // the include as written
  std::size_t line = 0;
};

class LayerRules {
 public:
  /// Reads the rules; throws std::runtime_error naming the file and line of
  /// any line it cannot use, so a typo never loosens a rule unseen.
  static LayerRules Read(const std::filesystem::path& file);

  /// The layer a root-relative path belongs to: the longest folder that is
  /// a prefix of it, so "clipboard/qt/x.h" is clipboard/qt, not clipboard.
  const Layer* LayerOf(std::string_view path) const;
  const Layer* Find(std::string_view name) const;
  bool Allows(const Layer& from, std::string_view to) const;
  const std::vector<LegacyInclude>& Legacy() const { return legacy_; }

 private:
  std::vector<Layer> layers_;
  std::vector<LegacyInclude> legacy_;
};

}  // namespace lekhora::architecture

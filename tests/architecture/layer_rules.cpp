#include "tests/architecture/layer_rules.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace lekhora::architecture {
namespace {

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::istringstream in{std::string(text)};
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

[[noreturn]] void Fail(const std::filesystem::path& file, std::size_t line,
                       const std::string& why) {
  throw std::runtime_error(file.string() + ":" + std::to_string(line) + ": " + why);
}

bool IsPrefixFolder(std::string_view folder, std::string_view path) {
  return path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/';
}

}  // namespace

LayerRules LayerRules::Read(const std::filesystem::path& file) {
  std::ifstream in(file);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  LayerRules rules;
  bool inLegacy = false;
  std::size_t number = 0;
  for (std::string text; std::getline(in, text);) {
    ++number;
    text = text.substr(0, text.find('#'));
    const std::vector<std::string> words = Words(text);
    if (words.empty()) continue;
    if (words.front().starts_with('[')) {
      if (words.size() != 1 || words.front() != "[legacy]")
        Fail(file, number, "the only section is [legacy]");
      inLegacy = true;
      continue;
    }
    if (inLegacy) {
      if (words.size() != 2) Fail(file, number, "a legacy line is: <file> <included header>");
      rules.legacy_.push_back({words[0], words[1], number});
      continue;
    }
    if (words.front().size() < 2 || !words.front().ends_with(':'))
      Fail(file, number, "a rule is: <folder>: <allowed folder>...");
    Layer layer{words.front().substr(0, words.front().size() - 1), {}, false, number};
    if (rules.Find(layer.name) != nullptr) Fail(file, number, "a second rule for " + layer.name);
    for (std::size_t i = 1; i < words.size(); ++i) {
      if (words[i] == "*")
        layer.allowsAll = true;
      else
        layer.allowed.push_back(words[i]);
    }
    rules.layers_.push_back(std::move(layer));
  }
  // Checked once every rule is read, so rules may name folders listed below them.
  for (const Layer& layer : rules.layers_) {
    for (const std::string& name : layer.allowed)
      if (name != kQtLayer && rules.Find(name) == nullptr)
        Fail(file, layer.line, layer.name + " allows " + name + ", which has no rule");
  }
  return rules;
}

const Layer* LayerRules::LayerOf(std::string_view path) const {
  const Layer* best = nullptr;
  for (const Layer& layer : layers_) {
    if (IsPrefixFolder(layer.name, path) &&
        (best == nullptr || layer.name.size() > best->name.size()))
      best = &layer;
  }
  return best;
}

const Layer* LayerRules::Find(std::string_view name) const {
  auto it = std::find_if(layers_.begin(), layers_.end(),
                         [name](const Layer& layer) { return layer.name == name; });
  return it == layers_.end() ? nullptr : &*it;
}

bool LayerRules::Allows(const Layer& from, std::string_view to) const {
  return from.allowsAll || from.name == to ||
         std::find(from.allowed.begin(), from.allowed.end(), to) != from.allowed.end();
}

}  // namespace lekhora::architecture

#include "suggest/word_array.h"

#include <limits>
#include <stdexcept>

namespace lekhora {

static_assert(std::random_access_iterator<WordArray::Iterator>);
static_assert(std::ranges::random_access_range<WordArray>);

std::u16string_view WordArray::at(int index) const {
  if (index < 0 || index >= size()) throw std::out_of_range("WordArray::at");
  return (*this)[index];
}

void WordArray::reserve(std::size_t words, std::size_t units) {
  ends_.reserve(ends_.size() + words);
  units_.reserve(units_.size() + units);
}

void WordArray::push_back(std::u16string_view word) {
  if (word.size() > std::numeric_limits<std::uint32_t>::max() - units_.size())
    throw std::length_error("WordArray: more than 2^32 units");
  units_.insert(units_.end(), word.begin(), word.end());
  ends_.push_back(static_cast<std::uint32_t>(units_.size()));
}

std::size_t WordArray::HeapBytes() const {
  return units_.capacity() * sizeof(char16_t) + ends_.capacity() * sizeof(std::uint32_t);
}

}  // namespace lekhora

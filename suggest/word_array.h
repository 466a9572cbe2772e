#pragma once
// A list of words held as one run of UTF-16 units and where each word ends.
// The bundled list's words are mostly a handful of units each: as a string
// apiece they cost twice their text in string objects alone.

#include <compare>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <ranges>
#include <string_view>
#include <utility>
#include <vector>

namespace lekhora {

class WordArray {
 public:
  /// Words by value: a view into the array, valid until it is changed.
  class Iterator {
   public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = std::u16string_view;
    using difference_type = std::ptrdiff_t;
    using reference = std::u16string_view;
    using pointer = void;

    Iterator() = default;
    Iterator(const WordArray* words, difference_type index) : words_(words), index_(index) {}

    std::u16string_view operator*() const { return (*words_)[static_cast<int>(index_)]; }
    std::u16string_view operator[](difference_type n) const { return *(*this + n); }

    Iterator& operator++() { return *this += 1; }
    Iterator& operator--() { return *this -= 1; }
    Iterator operator++(int) { return std::exchange(*this, *this + 1); }
    Iterator operator--(int) { return std::exchange(*this, *this - 1); }
    Iterator& operator+=(difference_type n) {
      index_ += n;
      return *this;
    }
    Iterator& operator-=(difference_type n) { return *this += -n; }
    friend Iterator operator+(Iterator it, difference_type n) { return it += n; }
    friend Iterator operator+(difference_type n, Iterator it) { return it += n; }
    friend Iterator operator-(Iterator it, difference_type n) { return it -= n; }
    friend difference_type operator-(Iterator a, Iterator b) { return a.index_ - b.index_; }
    friend bool operator==(Iterator a, Iterator b) { return a.index_ == b.index_; }
    friend std::strong_ordering operator<=>(Iterator a, Iterator b) {
      return a.index_ <=> b.index_;
    }

   private:
    const WordArray* words_ = nullptr;
    difference_type index_ = 0;
  };
  using value_type = std::u16string_view;
  using iterator = Iterator;
  using const_iterator = Iterator;

  WordArray() = default;
  WordArray(std::initializer_list<std::u16string_view> words) { Assign(words); }
  /// Any range of words (strings, views), in its order.
  template <std::ranges::forward_range Words>
  requires std::convertible_to<std::ranges::range_reference_t<Words>, std::u16string_view>
  explicit WordArray(const Words& words) { Assign(words); }

  int size() const { return static_cast<int>(ends_.size()); }
  bool empty() const { return ends_.empty(); }
  /// Word index, which must lie in the array.
  std::u16string_view operator[](int index) const {
    const auto at = static_cast<std::size_t>(index);
    const std::uint32_t begin = at == 0 ? 0 : ends_[at - 1];
    return {units_.data() + begin, ends_[at] - begin};
  }
  /// Word index; throws std::out_of_range outside the array.
  std::u16string_view at(int index) const;
  Iterator begin() const { return {this, 0}; }
  Iterator end() const { return {this, size()}; }

  /// Room for words more words of units more units in all, so that the array
  /// is filled with one allocation each and none to spare.
  void reserve(std::size_t words, std::size_t units);
  /// Throws std::length_error past 2^32 units in all, which no word list
  /// within the read and decode bounds reaches.
  void push_back(std::u16string_view word);
  /// Bytes held on the heap, for the measurements of the list in memory.
  std::size_t HeapBytes() const;

  friend bool operator==(const WordArray&, const WordArray&) = default;

 private:
  template <typename Words>
  void Assign(const Words& words) {
    std::size_t units = 0;
    for (const std::u16string_view word : words) units += word.size();
    reserve(static_cast<std::size_t>(std::ranges::distance(words)), units);
    for (const std::u16string_view word : words) push_back(word);
  }

  // Every word's units, one after another, with nothing between them.
  std::vector<char16_t> units_;
  // Where each word ends in units_; it begins where the one before ends.
  std::vector<std::uint32_t> ends_;
};

}  // namespace lekhora

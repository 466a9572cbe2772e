#pragma once
// The word list the build places beside the tests, loaded once per test program
// the way the typing window loads it.

#include "base/program_folder.h"
#include "suggest/word_lists.h"

namespace lekhora::testing {

inline const WordLists& BundledList() {
  static const WordLists lists = [] {
    WordLists loaded;
    LoadDictionary(ProgramFolder(), loaded);
    return loaded;
  }();
  return lists;
}

}  // namespace lekhora::testing

#pragma once
// What an input session asks its front-end to do after an event, in order:
// commit text, then show the preedit and the candidates, then let the key
// through to the application or not.

#include <string>
#include <vector>

namespace lekhora {

struct SessionActions {
  /// Text for the application, committed before anything else; empty: none.
  std::u16string commit;
  /// The word being composed, shown underlined at the caret; empty hides it.
  std::u16string preedit;
  /// Caret inside the preedit, in UTF-16 code units.
  int caret = 0;
  /// What the preedit was typed as, shown with the candidates (the Latin
  /// letters of a word typed in Latin letters); empty hides it.
  std::u16string auxiliary;
  /// The suggestions to show; empty hides the list.
  std::vector<std::u16string> candidates;
  /// The highlighted candidate, -1 when none is.
  int highlight = -1;
  /// The candidates shown are one page: more come before or after it, for
  /// the candidate window's page buttons.
  bool pageBefore = false;
  bool pageAfter = false;
  /// False: the front-end hands the key on to the application.
  bool consumed = false;
};

}  // namespace lekhora

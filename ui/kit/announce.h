#pragma once
// Tells screen readers when a label's text changes, for the labels whose
// text is news (the current suggestion).

class QLabel;
class QString;

namespace lekhora {

/// Sets label's text and its accessible name (emptyName while the text is
/// empty); a change of name is announced.
void SetTextAnnounced(QLabel* label, const QString& text, const QString& emptyName);

}  // namespace lekhora

#pragma once
// Tells screen readers when a label's text changes, for the labels whose
// text is news (the current suggestion).

class QLabel;
class QString;

namespace lekhora {

/// Sets label's text and accessible name; a change is announced as a name change.
void SetTextAnnounced(QLabel* label, const QString& text);

}  // namespace lekhora

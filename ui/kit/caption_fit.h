#pragma once
// Captions were designed for the fonts of one desktop; elsewhere the same
// names give wider or taller letters. These keep a caption whole in its place.

class QLabel;

namespace lekhora {

/// Steps the label's font down (by quarter points, to 6 points at least)
/// until its caption fits the label's width, then lets the label grow
/// downwards to the font's line height if it is lower than that.
void FitCaption(QLabel* label);

}  // namespace lekhora

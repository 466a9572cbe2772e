#pragma once
// Places a widget at its design geometry, given in twips.

#include <QWidget>

namespace lekhora {

inline constexpr int kDesignTwipsPerPixel = 15;

inline int DesignPixels(int twips) {
  return (twips + (twips >= 0 ? kDesignTwipsPerPixel / 2 : -kDesignTwipsPerPixel / 2)) /
         kDesignTwipsPerPixel;
}

inline void PlaceTwips(QWidget& widget, int left, int top, int width, int height) {
  widget.setGeometry(DesignPixels(left), DesignPixels(top), DesignPixels(width),
                     DesignPixels(height));
}

}  // namespace lekhora

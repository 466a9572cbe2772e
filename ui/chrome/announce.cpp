#include "ui/chrome/announce.h"

#include <QLabel>

namespace lekhora {

void SetTextAnnounced(QLabel* label, const QString& text) {
  if (!label || (label->text() == text && label->accessibleName() == text)) return;
  label->setText(text);
  // Setting the accessible name raises the name-change event that screen
  // readers speak; an unchanged text raises none.
  label->setAccessibleName(text);
}

}  // namespace lekhora

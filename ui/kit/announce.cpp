#include "ui/kit/announce.h"

#include <QLabel>

namespace lekhora {

void SetTextAnnounced(QLabel* label, const QString& text, const QString& emptyName) {
  if (!label) return;
  label->setText(text);
  const QString name = text.isEmpty() ? emptyName : text;
  // Setting the accessible name raises the name-change event that screen
  // readers speak; an unchanged name raises none.
  if (label->accessibleName() != name) label->setAccessibleName(name);
}

}  // namespace lekhora

#pragma once
// What the window tests share: finding controls by their names and showing
// text as code points.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QtGlobal>
#include <string_view>

namespace lekhora::testing {

/// The child of that name; a missing control ends the test run loudly.
template <class T>
T& Child(QObject& parent, const char* name) {
  T* child = parent.findChild<T*>(QString::fromLatin1(name));
  if (child == nullptr) qFatal("no child %s", name);
  return *child;
}

inline QString Q(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

/// Code points as hex, because combining marks are unreadable in a failure.
inline QByteArray Hex(const QString& text) {
  QByteArray out;
  for (QChar c : text)
    out += "U+" + QByteArray::number(c.unicode(), 16).toUpper().rightJustified(4, '0') + ' ';
  return out.trimmed();
}

}  // namespace lekhora::testing

#pragma once
// One pad per user session: the first start holds a lock in the user's
// runtime folder and listens there; a later start asks the running pad to come
// to the front and ends, so there is never a second window or tray icon.
// Where the runtime folder cannot hold the lock the user's data is still
// guarded: see the data folder's lock in PadMemory.

#include <QLockFile>
#include <QObject>
#include <QString>

namespace lekhora {

class SingleInstance final : public QObject {
  Q_OBJECT

 public:
  /// folder holds the lock and the socket; by default the runtime folder.
  explicit SingleInstance(QString folder = DefaultFolder());
  ~SingleInstance() override;

  /// True when this process is now the running pad. False when another pad
  /// runs: it has been asked to show itself (or could not be reached).
  bool Acquire();

  static QString DefaultFolder();

 signals:
  /// A later start asked this pad to come to the front.
  void activationRequested();

 private:
  bool Listen(const QString& socket);
  bool AskRunningPad() const;

  QString folder_;
  QLockFile lock_;
  // The listening socket: a plain local socket on Unix, where the pad needs
  // no networking library for it; QLocalServer elsewhere.
  int listening_ = -1;
  QObject* server_ = nullptr;
};

}  // namespace lekhora

#include "app/single_instance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace lekhora {
namespace {

constexpr const char* kLockName = "lekhora.lock";
constexpr const char* kSocketName = "lekhora.socket";
constexpr char kShowRequest[] = "show\n";
// How long a later start tries to reach a pad that holds the lock but may
// still be starting up.
constexpr int kReachMilliseconds = 3000;

}  // namespace

SingleInstance::SingleInstance(QString folder)
    : folder_(std::move(folder)), lock_(QDir(folder_).filePath(QString::fromLatin1(kLockName))) {
  // A lock left by a pad that crashed names a process that is gone; QLockFile
  // takes such a lock over at once.
  lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::DefaultFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  return folder;
}

bool SingleInstance::Acquire() {
  QDir().mkpath(folder_);
  if (!lock_.tryLock(0)) {
    if (lock_.error() == QLockFile::LockFailedError) {
      AskRunningPad();
      return false;
    }
    // The folder cannot hold a lock: run rather than not at all. The text is
    // kept safe by the lock the pad takes in the user's data folder, which a
    // second pad finds held and then leaves the text to the first.
    return true;
  }
  const QString socket = QDir(folder_).filePath(QString::fromLatin1(kSocketName));
  QLocalServer::removeServer(socket);  // left by a pad that crashed
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(socket)) return true;
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
      connect(client, &QLocalSocket::readyRead, this, [this, client] {
        if (client->readAll().contains("show")) emit activationRequested();
        client->disconnectFromServer();
      });
      connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    }
  });
  return true;
}

bool SingleInstance::AskRunningPad() const {
  const QString socket = QDir(folder_).filePath(QString::fromLatin1(kSocketName));
  QElapsedTimer elapsed;
  elapsed.start();
  while (elapsed.elapsed() < kReachMilliseconds) {
    QLocalSocket client;
    client.connectToServer(socket);
    if (client.waitForConnected(500)) {
      client.write(kShowRequest, sizeof kShowRequest - 1);
      const bool sent = client.waitForBytesWritten(1000);
      client.disconnectFromServer();
      return sent;
    }
    QThread::msleep(100);
  }
  return false;
}

}  // namespace lekhora

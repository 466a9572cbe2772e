#include "app/single_instance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#else
#include <QLocalServer>
#include <QLocalSocket>
#endif

namespace lekhora {
namespace {

constexpr const char* kLockName = "lekhora.lock";
constexpr const char* kSocketName = "lekhora.socket";
constexpr char kShowRequest[] = "show\n";
// How long a later start tries to reach a pad that holds the lock but may
// still be starting up.
constexpr int kReachMilliseconds = 3000;

#ifdef Q_OS_UNIX
// The socket's address; false when the path does not fit one.
bool SocketAddress(const QString& path, sockaddr_un& address) {
  const QByteArray bytes = QFile::encodeName(path);
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (bytes.size() >= static_cast<qsizetype>(sizeof address.sun_path)) return false;
  std::memcpy(address.sun_path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
  return true;
}
#endif

}  // namespace

SingleInstance::SingleInstance(QString folder)
    : folder_(std::move(folder)), lock_(QDir(folder_).filePath(QString::fromLatin1(kLockName))) {
  // A lock left by a pad that crashed names a process that is gone; QLockFile
  // takes such a lock over at once.
  lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() {
#ifdef Q_OS_UNIX
  if (listening_ >= 0) {
    ::close(listening_);
    ::unlink(QFile::encodeName(QDir(folder_).filePath(QString::fromLatin1(kSocketName))));
  }
#endif
}

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
  // Without a socket the pad runs all the same; a later start then only
  // ends.
  Listen(QDir(folder_).filePath(QString::fromLatin1(kSocketName)));
  return true;
}

#ifdef Q_OS_UNIX

bool SingleInstance::Listen(const QString& socket) {
  sockaddr_un address;
  if (!SocketAddress(socket, address)) return false;
  ::unlink(address.sun_path);  // left by a pad that crashed
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  // Only the user may ask this pad anything.
  const mode_t mask = ::umask(0077);
  const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::umask(mask);
  if (!bound || ::listen(fd, 8) != 0) {
    ::close(fd);
    return false;
  }
  listening_ = fd;
  auto* incoming = new QSocketNotifier(fd, QSocketNotifier::Read, this);
  server_ = incoming;
  connect(incoming, &QSocketNotifier::activated, this, [this] {
    int client = -1;
    while ((client = ::accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0) {
      auto* readable = new QSocketNotifier(client, QSocketNotifier::Read, this);
      connect(readable, &QSocketNotifier::activated, this, [this, client, readable] {
        char buffer[64];
        const ssize_t got = ::read(client, buffer, sizeof buffer);
        if (got < 0 && (errno == EAGAIN || errno == EINTR)) return;
        if (got > 0 && QByteArray(buffer, static_cast<qsizetype>(got)).contains("show"))
          emit activationRequested();
        readable->setEnabled(false);
        readable->deleteLater();
        ::close(client);
      });
    }
  });
  return true;
}

bool SingleInstance::AskRunningPad() const {
  sockaddr_un address;
  if (!SocketAddress(QDir(folder_).filePath(QString::fromLatin1(kSocketName)), address))
    return false;
  QElapsedTimer elapsed;
  elapsed.start();
  while (elapsed.elapsed() < kReachMilliseconds) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
      const bool sent = ::send(fd, kShowRequest, sizeof kShowRequest - 1, MSG_NOSIGNAL) ==
                        static_cast<ssize_t>(sizeof kShowRequest - 1);
      ::close(fd);
      return sent;
    }
    ::close(fd);
    QThread::msleep(100);
  }
  return false;
}

#else

bool SingleInstance::Listen(const QString& socket) {
  QLocalServer::removeServer(socket);  // left by a pad that crashed
  auto* server = new QLocalServer(this);
  server_ = server;
  server->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server->listen(socket)) return false;
  connect(server, &QLocalServer::newConnection, this, [this, server] {
    while (QLocalSocket* client = server->nextPendingConnection()) {
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

#endif

}  // namespace lekhora

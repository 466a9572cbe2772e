// Two Qt text boxes for the input method tests. Prints "ready" once the first
// has the keyboard focus and "focus a" / "focus b" whenever one gets it;
// writes the text of the first box to the file named by its argument and
// that of the second to the same name with ".b" added, on every change
// (through a rename, so a reader never sees half of it). Lines on standard
// input:
//   focus a|b                        moves the keyboard focus to that box
//   purpose a|b free|password|pin    a normal box, a password box (hidden
//                                    text) or a PIN box (hidden digits)
//   where a|b                        prints "at X Y": a point near the right
//                                    end of that box, on the screen
//   events a|b                       prints "events N [PREEDIT]": how many
//                                    input method events (a preedit, a
//                                    commit) that box has had, each of
//                                    which makes it lay its text out again,
//                                    and the preedit the last one left

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QHash>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSocketNotifier>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>
#include <string>

#include <unistd.h>

namespace {

void WriteText(const QString& out, const QString& text) {
  QFile file(out + ".new");
  if (!file.open(QIODevice::WriteOnly)) return;
  file.write(text.toUtf8());
  file.close();
  QFile::remove(out);
  QFile::rename(out + ".new", out);
}

void SetPurpose(QLineEdit* edit, const QString& purpose) {
  if (purpose == "password") {
    edit->setEchoMode(QLineEdit::Password);
    edit->setInputMethodHints(Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText);
  } else if (purpose == "pin") {
    edit->setEchoMode(QLineEdit::Password);
    edit->setInputMethodHints(Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhDigitsOnly);
  } else {
    edit->setEchoMode(QLineEdit::Normal);
    edit->setInputMethodHints(Qt::ImhNone);
  }
}

// Counts the input method events of the boxes it watches and keeps the
// preedit each left.
class EventCounter final : public QObject {
 public:
  using QObject::QObject;
  QString Of(QObject* box) const {
    const Seen seen = seen_.value(box);
    return QStringLiteral("events %1 [%2]").arg(seen.count).arg(seen.preedit);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::InputMethod) {
      Seen& seen = seen_[watched];
      ++seen.count;
      seen.preedit = static_cast<QInputMethodEvent*>(event)->preeditString();
    }
    return false;
  }

 private:
  struct Seen {
    int count = 0;
    QString preedit;
  };
  QHash<QObject*, Seen> seen_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  const QString out = QString::fromLocal8Bit(argv[1]);
  QWidget window;
  window.resize(400, 80);
  auto* layout = new QVBoxLayout(&window);
  auto* a = new QLineEdit(&window);
  auto* b = new QLineEdit(&window);
  layout->addWidget(a);
  layout->addWidget(b);
  EventCounter counter;
  a->installEventFilter(&counter);
  b->installEventFilter(&counter);
  QObject::connect(a, &QLineEdit::textChanged, [&out](const QString& t) { WriteText(out, t); });
  QObject::connect(b, &QLineEdit::textChanged,
                   [&out](const QString& t) { WriteText(out + ".b", t); });
  bool told = false;
  QObject::connect(&app, &QApplication::focusChanged, [&](QWidget*, QWidget* now) {
    if (now != a && now != b) return;
    if (!told) {
      told = true;
      std::printf("ready\n");
    }
    std::printf("focus %s\n", now == a ? "a" : "b");
    std::fflush(stdout);
  });
  QSocketNotifier commands(STDIN_FILENO, QSocketNotifier::Read);
  std::string pending;
  QObject::connect(&commands, &QSocketNotifier::activated, [&] {
    char buffer[256];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n <= 0) {
      commands.setEnabled(false);
      return;
    }
    pending.append(buffer, static_cast<std::size_t>(n));
    for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
      const QStringList words = QString::fromStdString(pending.substr(0, end)).split(' ');
      pending.erase(0, end + 1);
      QLineEdit* edit = words.value(1) == "b" ? b : a;
      if (words.value(0) == "focus") edit->setFocus();
      if (words.value(0) == "purpose") SetPurpose(edit, words.value(2));
      if (words.value(0) == "events") {
        std::printf("%s\n", counter.Of(edit).toUtf8().constData());
        std::fflush(stdout);
      }
      if (words.value(0) == "where") {
        const QPoint at = edit->mapToGlobal(QPoint(edit->width() - 10, edit->height() / 2));
        std::printf("at %d %d\n", at.x(), at.y());
        std::fflush(stdout);
      }
    }
  });
  window.show();
  window.activateWindow();
  a->setFocus();
  return app.exec();
}

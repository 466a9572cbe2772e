// A Qt text box for the input method tests: prints "ready" once it has the
// keyboard focus and writes its whole text to the file named by its argument
// on every change (through a rename, so a reader never sees half of it).

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  const QString out = QString::fromLocal8Bit(argv[1]);
  QLineEdit edit;
  edit.resize(400, 40);
  QObject::connect(&edit, &QLineEdit::textChanged, [&out](const QString& text) {
    QFile file(out + ".new");
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(text.toUtf8());
    file.close();
    QFile::remove(out);
    QFile::rename(out + ".new", out);
  });
  bool told = false;
  QObject::connect(&app, &QApplication::focusChanged, [&](QWidget*, QWidget* now) {
    if (now == &edit && !told) {
      told = true;
      std::printf("ready\n");
      std::fflush(stdout);
    }
  });
  edit.show();
  edit.activateWindow();
  edit.setFocus();
  return app.exec();
}

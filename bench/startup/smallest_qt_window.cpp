// The yardsticks of the start-up benchmark: the smallest Qt Widgets program,
// an application and one shown, empty window; with --text, the same window
// showing one line of text, so that it sets up fonts and shaping as any
// program that shows words must.

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const bool withText = argc > 1 && std::strcmp(argv[1], "--text") == 0;
  QLabel label(QStringLiteral("Hello, world"));
  QWidget empty;
  QWidget& window = withText ? static_cast<QWidget&>(label) : empty;
  window.setWindowTitle(withText ? QStringLiteral("Smallest Qt text window")
                                 : QStringLiteral("Smallest Qt window"));
  window.resize(320, 200);
  window.show();
  return QApplication::exec();
}

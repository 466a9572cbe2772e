// The yardstick of the start-up benchmark: the smallest Qt Widgets program,
// an application and one shown, empty window.

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Smallest Qt window"));
  window.resize(320, 200);
  window.show();
  return QApplication::exec();
}

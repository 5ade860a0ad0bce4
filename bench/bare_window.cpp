// The peer for start-up time and idle memory: a bare Qt Widgets window of Corvala's size, with
// nothing in it, shown the ordinary way.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Qt window"));
    window.resize(560, 330);
    window.show();
    return QApplication::exec();
}

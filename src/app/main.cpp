#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kinloom 2.0"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kinloom 2.0 beta 3.6"));
    window.showMaximized();
    return app.exec();
}

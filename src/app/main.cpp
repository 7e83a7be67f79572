#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("青穗多媒体教学助手 1.6"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("青穗多媒体教学助手"));
    window.show();
    return app.exec();
}

// The baseline of the start-up timing: the least a Qt Widgets program does
// to show a window.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1024, 768);
    window.show();
    return app.exec();
}

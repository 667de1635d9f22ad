// The floor of the start-up timing for any window that shows text: one line
// in a window, so the fonts are set up as they must be before a first word.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel window("Polyx'X");
    window.resize(1024, 768);
    window.show();
    return app.exec();
}

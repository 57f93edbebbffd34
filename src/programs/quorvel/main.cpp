#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("<Quorvel> - Ver. 1.34 - Brenlow Software, LLC"));
    window.show();
    return app.exec();
}

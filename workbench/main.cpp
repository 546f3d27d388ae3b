#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Quiltane ");
    window.resize(701, 573);
    window.show();
    return app.exec();
}

// The smallest Qt Widgets program that shows a window: the yardstick against which the
// program's memory and CPU use are compared (scripts/perf/footprint.sh).
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle("Bare Window");
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel("A bare Qt Widgets window", &window));
    window.show();
    return application.exec();
}

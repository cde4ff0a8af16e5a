// The smallest Qt Widgets program that does the visible work of a monitoring Lullex: one window
// whose label shows a new count once per second, in the counter's font. It is the yardstick
// against which the program's memory and CPU use are compared (scripts/perf/footprint.sh).
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle("Bare Window");
    auto* layout = new QVBoxLayout(&window);
    auto* counter = new QLabel(&window);
    counter->setTextFormat(Qt::PlainText);
    QFont font("Arial", 12);
    font.setBold(true);
    counter->setFont(font);
    layout->addWidget(counter);

    int seconds = 0;
    const auto showCount = [counter, &seconds] {
        counter->setText(QString("No key or mouse activity for the last %1s").arg(seconds++));
    };
    showCount();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, showCount);
    timer.start(1000);

    window.show();
    return application.exec();
}

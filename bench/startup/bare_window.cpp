// The yardstick of the start-up benchmark: a bare Qt window showing one line
// of text in the calculator's font (Arial, 13 pixels), and nothing else.

#include <QApplication>
#include <QFont>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("Расчет потерь давления на счетчике газа"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    label.setFont(font);
    label.show();
    return application.exec();
}

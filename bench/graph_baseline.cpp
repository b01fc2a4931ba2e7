// The smallest window the graph can be compared with: a Qt Widgets program that paints one line
// of text and says so on its first paint, as the graph does with its debug logging turned on.
#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <cstdio>

namespace {

class Window : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).drawText(rect(), Qt::AlignCenter, QStringLiteral("Graphique"));
        if (!m_painted) {
            m_painted = true;
            std::fprintf(stderr, "first paint\n");
        }
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Window window;
    window.setWindowTitle(QStringLiteral("Graphique"));
    window.resize(600, 500);
    window.show();
    return app.exec();
}

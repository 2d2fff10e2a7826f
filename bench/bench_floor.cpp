// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor the program's start is measured against: a Qt window with nothing in it
// ("bare"), or with one label ("label"), as small as a Qt program that shows a window can
// be. It tells its first frame as the program does with PILGRAST_TRACE_START.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <cstdio>

namespace {

QElapsedTimer sinceMain;

class FirstPaint : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_told) {
            m_told = true;
            QTimer::singleShot(0, [] {
                std::fprintf(stderr, "pilgrast start %7.1f ms %7d kB  first frame\n",
                             sinceMain.nsecsElapsed() / 1e6, 0);
                std::fflush(stderr);
            });
        }
        return false;
    }

private:
    bool m_told = false;
};

} // namespace

int main(int argc, char* argv[]) {
    sinceMain.start();
    qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    std::fprintf(stderr, "floor %7.1f ms application\n", sinceMain.nsecsElapsed() / 1e6);
    FirstPaint watch;
    app.installEventFilter(&watch);
    QWidget window;
    window.resize(426, 422);
    if (QCoreApplication::arguments().value(1) == QLatin1String("label"))
        new QLabel(QStringLiteral("Pilgrast Counter"), &window);
    std::fprintf(stderr, "floor %7.1f ms built\n", sinceMain.nsecsElapsed() / 1e6);
    window.show();
    std::fprintf(stderr, "floor %7.1f ms shown\n", sinceMain.nsecsElapsed() / 1e6);
    return QApplication::exec();
}

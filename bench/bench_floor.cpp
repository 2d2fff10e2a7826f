// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor the program's start is measured against: a Qt window with nothing in it
// ("bare"), or with one label ("label"), as small as a Qt program that shows a window can
// be. It tells its phases as the program does with PILGRAST_TRACE_START.
#include "services/starttrace.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

namespace {

class FirstPaint : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_told) {
            m_told = true;
            QTimer::singleShot(0, [] { TraceStart("first frame"); });
        }
        return false;
    }

private:
    bool m_told = false;
};

} // namespace

int main(int argc, char* argv[]) {
    TraceStart("main");
    qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    TraceStart("application");
    FirstPaint watch;
    app.installEventFilter(&watch);
    QWidget window;
    window.resize(426, 422);
    if (QCoreApplication::arguments().value(1) == QLatin1String("label"))
        new QLabel(QStringLiteral("Pilgrast Counter"), &window);
    window.show();
    TraceStart("shown");
    return QApplication::exec();
}

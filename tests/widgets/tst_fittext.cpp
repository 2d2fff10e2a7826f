// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Fitting texts into windows laid out by fixed places: what must grow grows, its
// neighbours make room, nothing overlaps and nothing moves that need not.
#include "widgets/fittext.h"
#include "widgets/forms.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

namespace {

QLabel* label(QWidget* parent, const QString& text, const QRect& place,
              Qt::Alignment alignment = Qt::AlignLeft) {
    auto* widget = new QLabel(text, parent);
    widget->setGeometry(place);
    widget->setAlignment(alignment | Qt::AlignVCenter);
    return widget;
}

QLineEdit* box(QWidget* parent, const QRect& place) {
    auto* widget = new QLineEdit(parent);
    widget->setGeometry(place);
    return widget;
}

bool overlap(const QWidget* a, const QWidget* b) {
    return a->geometry().intersects(b->geometry());
}

} // namespace

class FitTextTest : public QObject {
    Q_OBJECT
private slots:
    // A label too narrow for its text grows to the right; the box that starts on its last
    // pixel, as converted places do, moves along, and so does the box aligned below it.
    void neighboursMakeRoom() {
        QWidget window;
        window.resize(300, 120);
        QLabel* caption = label(&window, QStringLiteral("Ein viel zu langer Text:"), QRect(10, 10, 40, 20));
        QLineEdit* beside = box(&window, QRect(49, 10, 100, 20)); // starts on the label's last column
        QLineEdit* below = box(&window, QRect(49, 29, 100, 20));  // a row below, on the label's last line
        QLabel* left = label(&window, QStringLiteral("ok"), QRect(10, 29, 38, 20));
        QLabel* far = label(&window, QStringLiteral("weit"), QRect(200, 80, 60, 20));
        const QRect farBefore = far->geometry();
        const QRect leftBefore = left->geometry();
        GrowToFit(&window);
        QVERIFY(caption->width() >= caption->sizeHint().width());
        const int growth = caption->width() - 40;
        QVERIFY(growth > 0);
        QCOMPARE(beside->x(), 49 + growth);
        QCOMPARE(below->x(), 49 + growth); // the column stays a column
        QCOMPARE(below->y(), 29);          // not in the label's row
        QCOMPARE(left->geometry(), leftBefore);
        QCOMPARE(far->geometry(), farBefore);
        QVERIFY(beside->x() >= caption->x() + caption->sizeHint().width() - 1); // clear of the text
        QVERIFY(window.width() > beside->geometry().right());                   // the window holds it
    }

    // A right-aligned label grows to the left; what stood left of it, also the box that ends on
    // its first pixel, moves left, and when that would leave the window everything moves right instead.
    void rightAlignedGrowsLeft() {
        QWidget window;
        window.resize(300, 60);
        QLineEdit* first = box(&window, QRect(11, 10, 50, 20)); // ends on the label's first column
        QLabel* caption = label(&window, QStringLiteral("Ein langer Text rechtsbündig:"),
                                QRect(60, 10, 40, 20), Qt::AlignRight);
        QLineEdit* last = box(&window, QRect(100, 10, 60, 20));
        GrowToFit(&window);
        QVERIFY(caption->width() >= caption->sizeHint().width());
        QCOMPARE(caption->geometry().right(), last->x() - 1); // its right edge stayed by the box
        QVERIFY(first->x() >= 0);
        QCOMPARE(first->geometry().right(), caption->x()); // moved along, still on its first column
        QVERIFY(!overlap(caption, last));
        QCOMPARE(last->x() - first->x(), 100 - 11 + caption->width() - 40); // moved right as a whole
    }

    // A label that becomes taller pushes the rows below it down, the row touching its last
    // line of pixels too; its own row and the rows above stay.
    void tallerPushesRowsDown() {
        QWidget window;
        window.resize(400, 200);
        QLabel* above = label(&window, QStringLiteral("oben"), QRect(10, 0, 80, 30));
        QLabel* caption =
            label(&window, QStringLiteral("groß"), QRect(10, 29, 200, 30)); // on above's last line
        QFont large = caption->font();
        large.setPointSize(40);
        caption->setFont(large);
        QLabel* neighbour = label(&window, QStringLiteral("daneben"), QRect(220, 29, 80, 30));
        QLabel* next =
            label(&window, QStringLiteral("unten"), QRect(10, 58, 80, 30)); // on caption's last line
        const QRect aboveBefore = above->geometry();
        const QRect neighbourBefore = neighbour->geometry();
        GrowToFit(&window);
        const int growth = caption->height() - 30;
        QVERIFY(growth > 0);
        QCOMPARE(caption->y(), 29);
        QCOMPARE(next->y(), 58 + growth);
        QCOMPARE(neighbour->geometry(), neighbourBefore);
        QCOMPARE(above->geometry(), aboveBefore);
        QVERIFY(next->y() >= caption->geometry().bottom());
        QVERIFY(window.height() >= next->geometry().bottom() + 1);
    }

    // Nothing that fits moves; a frame grows with what it holds; a box grows for its widest text.
    void framesAndBoxes() {
        QWidget window;
        window.resize(300, 120);
        auto* frame = new QGroupBox(&window);
        frame->setGeometry(10, 10, 120, 60);
        QLineEdit* dated = box(frame, QRect(10, 20, 20, 20));
        dated->setProperty("widestText", QStringLiteral("00.00.0000"));
        QLabel* after = label(&window, QStringLiteral("x"), QRect(140, 10, 30, 20));
        QLabel* fits = label(&window, QStringLiteral("a"), QRect(10, 90, 60, 20));
        const QRect fitsBefore = fits->geometry();
        GrowToFit(&window);
        QVERIFY(dated->width() >= LineEditSizeFor(dated, QStringLiteral("00.00.0000")).width());
        QVERIFY(frame->geometry().contains(dated->geometry().translated(frame->pos())));
        QVERIFY(!overlap(frame, after));
        QCOMPARE(fits->geometry(), fitsBefore);
    }

    // The name line: widened about its centre as far as the window lets it, then set smaller
    // in half points, never below the smallest size.
    void nameLine_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qreal>("smallest");
        QTest::newRow("short") << "Gefr Max Mustermann" << 8.0;
        QTest::newRow("long") << "OGefr Maximilian-Alexander Müller-Lüdenscheidt" << 8.0;
        QTest::newRow("far too long, held at the smallest") << QString(120, QLatin1Char('W')) << 8.0;
    }
    void nameLine() {
        QFETCH(QString, text);
        QFETCH(qreal, smallest);
        QWidget window;
        window.resize(400, 100);
        QLabel* line = label(&window, text, QRect(100, 10, 200, 30), Qt::AlignHCenter);
        QFont font = line->font();
        font.setPointSizeF(24);
        line->setFont(font);
        ShrinkFontToFit(line, smallest);
        QCOMPARE(line->geometry().center().x(), 199); // about its centre
        QCOMPARE(line->x(), 4);                       // to the window's margin
        QVERIFY(window.width() - 1 - line->geometry().right() >= 4);
        const qreal size = line->font().pointSizeF();
        QVERIFY(size >= smallest);
        const bool fits = line->fontMetrics().horizontalAdvance(text) <= line->contentsRect().width();
        QVERIFY(fits || size == smallest);
        if (size < 24) { // half a point larger would not fit
            QFont larger = line->font();
            larger.setPointSizeF(size + 0.5);
            QVERIFY(QFontMetrics(larger).horizontalAdvance(text) > line->contentsRect().width());
        }
    }

    // A window opened beside another stands right of it, else left of it; where the two fit side
    // by side only with the other at the screen's edge, the other moves there; never on top of it.
    void placeBeside_data() {
        QTest::addColumn<int>("neighbourLeft");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("where");
        QTest::newRow("room on the right") << 0 << 300 << "right";
        QTest::newRow("room on the left") << 500 << 250 << "left";
        QTest::newRow("room only with the other at the edge") << 200 << 450 << "edge";
    }
    void placeBeside() {
        QFETCH(int, neighbourLeft);
        QFETCH(int, width);
        QFETCH(QString, where);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QWidget neighbour;
        neighbour.resize(300, 200);
        neighbour.move(screen.left() + neighbourLeft, screen.top() + 50);
        neighbour.show();
        QWidget window;
        window.resize(width, 200);
        PlaceBeside(&window, &neighbour);
        const QRect other = neighbour.frameGeometry();
        const QRect placed = window.frameGeometry();
        QVERIFY(!placed.intersects(other));
        QCOMPARE(other.left() == screen.left() + neighbourLeft, where != QLatin1String("edge"));
        if (where == QLatin1String("edge"))
            QCOMPARE(other.left(), screen.left());
        QCOMPARE(placed.center().x() < other.center().x(), where == QLatin1String("left"));
    }
};

QTEST_MAIN(FitTextTest)
#include "tst_fittext.moc"

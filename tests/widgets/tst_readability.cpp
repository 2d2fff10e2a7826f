// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "aboutbox/info.h"
#include "countdownwindow/frmcountdown.h"
#include "widgets/flagicon.h"
#include "mainwindow/frmpgr.h"
#include "servicetermwindow/frmserviceterm.h"
#include "settings/fixedtext.h"
#include "settingsdialog/frmsettings.h"
#include "support/fakes.h"
#include "widgets/fittext.h"
#include "widgets/labelstyle.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <QtTest>

namespace {

// Where the style lets a box draw its text, less QLineEdit's own 2 pixels each side.
int textRoom(const QLineEdit* box) {
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->rect();
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    return box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).width() - 4;
}

// Every text of the window is shown whole: what its widget asks for fits its place.
void verifyTextsFit(const QWidget* window) {
    for (const QLineEdit* box : window->findChildren<QLineEdit*>()) {
        const QString text = box->text().isEmpty() ? box->placeholderText() : box->text();
        QVERIFY2(box->width() >= LineEditSizeFor(box, text).width(), qPrintable(box->objectName()));
        QVERIFY2(textRoom(box) >= box->fontMetrics().horizontalAdvance(text), qPrintable(box->objectName()));
    }
    for (const QLabel* label : window->findChildren<QLabel*>())
        if (!label->text().isEmpty() && !label->wordWrap())
            QVERIFY2(label->width() >= label->sizeHint().width(),
                     qPrintable(label->objectName() + QLatin1Char(' ') + label->text()));
    // Lists show every entry whole, without a horizontal scroll bar.
    for (const QListWidget* list : window->findChildren<QListWidget*>())
        for (int row = 0; row < list->count(); ++row)
            QVERIFY2(list->fontMetrics().horizontalAdvance(list->item(row)->text()) <=
                         list->viewport()->width(),
                     qPrintable(list->objectName() + QLatin1Char(' ') + list->item(row)->text()));
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (!button->text().isEmpty() && button->isVisible())
            QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->objectName()));
    // Nothing left the window.
    for (const QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow())
            QVERIFY2(QRect(QPoint(), window->size()).contains(child->geometry()),
                     qPrintable(child->objectName()));
}

QPalette darkPalette() {
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    palette.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    palette.setColor(QPalette::Base, QColor(0x2d, 0x2d, 0x2d));
    palette.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    palette.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    palette.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
    palette.setColor(QPalette::Highlight, QColor(0x15, 0x53, 0x9e));
    return palette;
}

} // namespace

class ReadabilityTest : public QObject {
    Q_OBJECT
private slots:
    void textsFit_data() {
        QTest::addColumn<QString>("style");
        for (const QString& style :
             {QStringLiteral("Fusion"), QStringLiteral("Adwaita"), QStringLiteral("Adwaita-Dark")})
            if (QStyleFactory::keys().contains(style, Qt::CaseInsensitive))
                QTest::newRow(qPrintable(style)) << style;
    }
    void textsFit() {
        QFETCH(QString, style);
        QApplication::setStyle(style);
        TestWorld world(QStringLiteral("2026-12-08 10:15:42"));
        SettingsRecord record = SampleSettings();
        SetText(&SettingsRecord::Vorname, record, QStringLiteral("Jörg"));
        SetText(&SettingsRecord::Name, record, QStringLiteral("Müller-Lüdenscheidt"));
        SetText(&SettingsRecord::Pgr, record, QStringLiteral("31.03.2027"));
        record.Anzeige = Unit::Seconds;
        WriteSettingsFile(record);
        const QSize partSize(286, 356);
        frmSettings* dialog = ShowForm<frmSettings>();
        verifyTextsFit(dialog);
        QVERIFY(dialog->width() >= partSize.width() && dialog->height() >= partSize.height());
        UnloadForm(dialog);
        verifyTextsFit(ShowForm<Info>());
        frmPGR* main = FindForm<frmPGR>();
        QVERIFY(main);
        main->Timer1_Timer();
        verifyTextsFit(main->centralWidget());
        // Holidays with long names ahead, and every kind of entry.
        WriteServiceFile({"Beginn=1.10.2026", "Bundesland=BB", "Urlaub=21.12.2026-1.1.2027",
                          "Dienst=12.3.2027 7:00-13.3.2027 7:00", "Dienstfrei=2.3.2027", "Urlaubsanspruch=24",
                          "", "[Termine]", "19.3.2027=Besuch der Familie in der Kaserne"});
        main->close();
        main = ShowForm<frmPGR>();
        main->Timer1_Timer();
        main->menuservice_Click();
        verifyTextsFit(FindForm<frmServiceTerm>());
        UnloadForm(FindForm<frmServiceTerm>());
        main->menuCDn_Click();
        frmCountdown* countdown = FindForm<frmCountdown>();
        countdown->Timer1_Timer();
        verifyTextsFit(countdown);
        QApplication::setStyle(QStringLiteral("Fusion"));
    }

    // In the light palette only what falls short changes; in a dark one everything is lifted.
    void contrast_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }
    void contrast() {
        QFETCH(bool, dark);
        const QPalette previous = QApplication::palette();
        QApplication::setStyle(QStringLiteral("Fusion"));
        QApplication::setPalette(dark ? darkPalette() : QApplication::style()->standardPalette());
        TestWorld world(QStringLiteral("1999-03-01 10:00:00"));
        WriteSettingsFile(SampleSettings());
        frmPGR* main = ShowForm<frmPGR>();
        const QColor background = main->palette().color(QPalette::Window);
        const auto shown = [&](const char* name) {
            return main->findChild<QLabel*>(QString::fromLatin1(name))->palette().color(QPalette::WindowText);
        };
        for (const char* large : {"lbldaytime", "lblwho", "Label2", "LblDay", "lblSeconds"})
            QVERIFY2(ContrastRatio(shown(large), background) >= 3.0, large);
        for (const char* small : {"Label7", "LblWeek", "Label9", "Label1"})
            QVERIFY2(ContrastRatio(shown(small), background) >= 4.5, small);
        const QColor highlight = QApplication::palette().color(QPalette::Highlight);
        QCOMPARE(shown("Label7").hslHue(), highlight.hslHue());
        if (!dark) {
            QCOMPARE(shown("LblDay"), QColor(255, 0, 0)); // red reaches 3:1 as it is
            QCOMPARE(shown("lbldaytime"), highlight);     // so does the large highlight colour
            QVERIFY(shown("Label7") != highlight);        // the small one falls short by 3.2:1
        }
        UnloadForm(main);
        QApplication::setPalette(previous);
    }

    void readableShade_data() {
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<double>("ratio");
        QTest::newRow("Adwaita-Dark blue") << QColor(0x15, 0x53, 0x9e) << QColor(0x35, 0x35, 0x35) << 4.5;
        QTest::newRow("Fusion blue, small") << QColor(0x30, 0x8c, 0xc6) << QColor(0xef, 0xef, 0xef) << 4.5;
        QTest::newRow("dark red on black") << QColor(0x80, 0, 0) << QColor(Qt::black) << 3.0;
    }
    void readableShade() {
        QFETCH(QColor, colour);
        QFETCH(QColor, background);
        QFETCH(double, ratio);
        QVERIFY(ContrastRatio(colour, background) < ratio);
        const QColor shade = ReadableShade(colour, background, ratio);
        QVERIFY(ContrastRatio(shade, background) >= ratio);
        QVERIFY(ContrastRatio(shade, background) < ratio + 0.3); // the nearest shade, not black or white
        QVERIFY(qAbs(shade.hslHue() - colour.hslHue()) <= 2);
        QCOMPARE(ContrastRatio(Qt::black, Qt::white), 21.0);
    }

    // The whole rank and name, centred, in a font that still reads.
    void longNameLine_data() {
        QTest::addColumn<QString>("rank");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("surname");
        QTest::newRow("short") << "Gefr"
                               << "Max"
                               << "Mustermann";
        QTest::newRow("ordinary long") << "Gefr."
                                       << "Jörg"
                                       << "Müller-Lüdenscheidt";
        QTest::newRow("both fields long") << "OStFw"
                                          << "Karl-Theodor Maria Nikolaus"
                                          << "von und zu Hohenzollern-Sig";
    }
    void longNameLine() {
        QFETCH(QString, rank);
        QFETCH(QString, firstName);
        QFETCH(QString, surname);
        TestWorld world;
        SettingsRecord record = SampleSettings();
        SetText(&SettingsRecord::Dstgrd, record, rank);
        SetText(&SettingsRecord::Vorname, record, firstName);
        SetText(&SettingsRecord::Name, record, surname);
        WriteSettingsFile(record);
        frmPGR* main = ShowForm<frmPGR>();
        const QLabel* line = main->findChild<QLabel*>(QStringLiteral("lblwho"));
        QCOMPARE(line->text(), rank + QLatin1Char(' ') + firstName + QLatin1Char(' ') + surname);
        QVERIFY(line->fontMetrics().horizontalAdvance(line->text()) <= line->contentsRect().width());
        QVERIFY(line->font().pointSizeF() >= 8);
        QVERIFY(line->font().pointSizeF() <= 24);
        QCOMPARE(line->font().pointSizeF() == 24, rank == QStringLiteral("Gefr"));
        QVERIFY(qAbs(line->geometry().center().x() - 208) <= 1); // centred where it always was
        QVERIFY(line->geometry().right() < main->centralWidget()->width());
    }

    // The windows' icon up to 128 pixels; the theme's files to 256.
    void iconSizes() {
        const QList<QSize> sizes = FlagIcon().availableSizes();
        QCOMPARE(sizes,
                 (QList<QSize>{{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}}));
        QCOMPARE(FlagImage(256).size(), QSize(256, 256));
        QCOMPARE(FlagIconSizes.back(), 256);
    }
};

QTEST_MAIN(ReadabilityTest)
#include "tst_readability.moc"

// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The term drawn: what each day of the calendar is, how it looks in each style, what a
// screen reader reads, the crossing-off, the tape measure and the picture to share.
#include "mainwindow/frmpgr.h"
#include "servicetermwindow/frmserviceterm.h"
#include "settings/fixedtext.h"
#include "support/fakes.h"
#include "termcalendar/calendarview.h"
#include "termcalendar/tapemeasure.h"
#include "termcalendar/termpicture.h"
#include "widgets/labelstyle.h"

#include <QAccessible>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QStyleFactory>
#include <QtTest>

namespace {

// Every kind at once: Bavaria, a holiday inside leave (Christmas), a duty period over a
// weekend (guard duty), a day off, an own date over three days, and the end of service on
// a holiday (Whit Monday, 17 May 2027).
const QStringList everyKind{"Beginn=1.10.2026",
                            "Bundesland=BY",
                            "Urlaub=21.12.2026-1.1.2027",
                            "Dienst=12.12.2026 7:00-13.12.2026 7:00",
                            "Dienstfrei=8.1.2027",
                            "",
                            "[Termine]",
                            "10.2.2027-12.2.2027=Übung Wildflecken"};

frmPGR* startMainWindow(TestWorld& world, const QString& instant, const QStringList& lines = everyKind,
                        const QString& end = QStringLiteral("17.05.2027")) {
    world.clock.set(instant);
    SettingsRecord record = SampleSettings();
    SetText(&SettingsRecord::Pgr, record, end);
    WriteSettingsFile(record);
    WriteServiceFile(lines);
    frmPGR* window = ShowForm<frmPGR>();
    window->Timer1_Timer();
    return window;
}

CalendarView* openCalendar(frmPGR* main) {
    main->findChild<QAction*>(QStringLiteral("menuservice"))->trigger();
    frmServiceTerm* window = FindForm<frmServiceTerm>();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("the Dienstzeit window did not become active");
    return window->findChild<CalendarView*>(QStringLiteral("calendarView"));
}

QString describe(const CalendarView* view, const QDate& day) {
    return DayDescription(view->calendar()->dayInfo(DayNumber(day)), view->now());
}

// The longest run of the tape's yellow in a row of the image.
int yellowLength(const QImage& image) {
    int longest = 0;
    for (int y = 0; y < image.height(); ++y) {
        int length = 0;
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == QColor(242, 194, 0).rgb())
                ++length;
        longest = std::max(longest, length);
    }
    return longest;
}

} // namespace

class TermCalendarTest : public QObject {
    Q_OBJECT
private slots:
    // Every day is read with its text, also in the first calendar the program makes (this test
    // comes first for that); nothing is announced as the seconds pass.
    void accessibleDays() {
        TestWorld world;
        frmPGR* main = startMainWindow(world, QStringLiteral("2026-12-09 10:00:00"));
        CalendarView* view = openCalendar(main);
        QAccessibleInterface* calendar = QAccessible::queryAccessibleInterface(view);
        QVERIFY(calendar);
        QCOMPARE(calendar->role(), QAccessible::List);
        QCOMPARE(calendar->childCount(), int(view->firstDay().daysTo(view->lastDay())) + 1);
        for (int index = 0; index < calendar->childCount(); ++index) {
            QAccessibleInterface* day = calendar->child(index);
            QCOMPARE(day->role(), QAccessible::ListItem);
            QCOMPARE(day->text(QAccessible::Name), describe(view, view->firstDay().addDays(index)));
            QCOMPARE(calendar->indexOfChild(day), index);
            QVERIFY(view->dayRect(view->firstDay().addDays(index)).isValid());
        }
        QVERIFY(view->hasFocus());
        QVERIFY(calendar->focusChild());
        QVERIFY(calendar->focusChild()->state().focused);
        QCOMPARE(calendar->focusChild()->text(QAccessible::Name), describe(view, QDate(2026, 12, 9)));

        static QList<QAccessible::Event> events;
        events.clear();
        QAccessible::installUpdateHandler([](QAccessibleEvent* event) { events << event->type(); });
        for (int second = 1; second <= 5; ++second)
            TickMainWindowAt(world, QStringLiteral("2026-12-09 10:00:0%1").arg(second));
        QAccessible::installUpdateHandler(nullptr);
        QVERIFY(!events.contains(QAccessible::NameChanged));
        QVERIFY(!events.contains(QAccessible::Focus));
        // The name is the day's text and nothing else repeats it.
        QCOMPARE(calendar->focusChild()->text(QAccessible::Description), QString());
        // Days chosen with Shift and the arrows are read as selected, the last one too, and no others.
        QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(view->chosenDays(), (DayRange{QDate(2026, 12, 9), QDate(2026, 12, 11)}));
        for (QDate day(2026, 12, 8); day <= QDate(2026, 12, 12); day = day.addDays(1))
            QCOMPARE(calendar->child(int(view->firstDay().daysTo(day)))->state().selected,
                     day >= QDate(2026, 12, 9) && day <= QDate(2026, 12, 11));
    }

    // What each day is, as the core's calendar has it and as a screen reader reads it.
    void kindsOfDays_data() {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QString>("text");
        QTest::newRow("a duty day done")
            << QDate(2026, 12, 1) << "Dienstag, 1. Dezember 2026: Diensttag, geschafft";
        QTest::newRow("today") << QDate(2026, 12, 9) << "Mittwoch, 9. Dezember 2026: Diensttag, heute";
        QTest::newRow("a duty day ahead")
            << QDate(2026, 12, 10) << "Donnerstag, 10. Dezember 2026: Diensttag";
        QTest::newRow("guard duty's Saturday") << QDate(2026, 12, 12) << "Samstag, 12. Dezember 2026: Dienst";
        QTest::newRow("its Sunday morning") << QDate(2026, 12, 13) << "Sonntag, 13. Dezember 2026: Dienst";
        QTest::newRow("a weekend") << QDate(2026, 12, 19) << "Samstag, 19. Dezember 2026: Wochenende";
        QTest::newRow("leave") << QDate(2026, 12, 21) << "Montag, 21. Dezember 2026: Urlaub";
        QTest::newRow("a holiday in the leave")
            << QDate(2026, 12, 25) << "Freitag, 25. Dezember 2026: 1. Weihnachtstag";
        QTest::newRow("a weekend in the leave")
            << QDate(2026, 12, 27) << "Sonntag, 27. Dezember 2026: Wochenende";
        QTest::newRow("a day off") << QDate(2027, 1, 8) << "Freitag, 8. Januar 2027: dienstfrei";
        QTest::newRow("an own date") << QDate(2027, 2, 11)
                                     << "Donnerstag, 11. Februar 2027: Übung Wildflecken, Diensttag";
        QTest::newRow("a milestone") << QDate(2027, 2, 6)
                                     << "Samstag, 6. Februar 2027: Noch 100 Tage, Wochenende";
        QTest::newRow("Good Friday") << QDate(2027, 3, 26) << "Freitag, 26. März 2027: Karfreitag";
        QTest::newRow("the end of service on a holiday")
            << QDate(2027, 5, 17) << "Montag, 17. Mai 2027: Letzter Tag, Pfingstmontag, Diensttag";
        QTest::newRow("the first day")
            << QDate(2026, 10, 1) << "Donnerstag, 1. Oktober 2026: Diensttag, erster Diensttag, geschafft";
    }
    void kindsOfDays() {
        QFETCH(QDate, day);
        TestWorld world;
        const CalendarView* view =
            openCalendar(startMainWindow(world, QStringLiteral("2026-12-09 10:00:00")));
        QTEST(describe(view, day), "text");
        const DayInfo info = view->calendar()->dayInfo(DayNumber(day));
        QCOMPARE(info.freeDay, TermCalendar.isFreeDay(DayNumber(day))); // as the core counts it
    }

    // Crossed off at the end of duty, or at midnight on a day without duty.
    void crossingOff() {
        TestWorld world;
        frmPGR* main = startMainWindow(world, QStringLiteral("2026-12-11 11:00:00"));
        AutoCountdownDone = True; // the main window stays through the end of duty
        CalendarView* view = openCalendar(main);
        // The cell as drawn, to see the cross come with the end of duty, not at midnight.
        const auto drawn = [view](QDate day) { return view->grab(view->dayRect(day)).toImage(); };
        TickMainWindowAt(world, QStringLiteral("2026-12-11 11:59:59"));
        QVERIFY(!describe(view, QDate(2026, 12, 11)).endsWith(QStringLiteral("geschafft")));
        const QImage beforeTheEnd = drawn(QDate(2026, 12, 11));
        TickMainWindowAt(world, QStringLiteral("2026-12-11 12:00:00")); // Friday's end of duty
        QVERIFY(describe(view, QDate(2026, 12, 11)).endsWith(QStringLiteral("geschafft")));
        QVERIFY(drawn(QDate(2026, 12, 11)) != beforeTheEnd);
        const QImage crossedOff = drawn(QDate(2026, 12, 11));
        TickMainWindowAt(world, QStringLiteral("2026-12-11 12:00:01"));
        QCOMPARE(drawn(QDate(2026, 12, 11)), crossedOff);
        QVERIFY(!describe(view, QDate(2026, 12, 12)).endsWith(QStringLiteral("geschafft")));
        TickMainWindowAt(world, QStringLiteral("2026-12-13 06:59:59"));
        QVERIFY(!describe(view, QDate(2026, 12, 12)).endsWith(QStringLiteral("geschafft"))); // on guard still
        TickMainWindowAt(world, QStringLiteral("2026-12-13 07:00:00"));
        QVERIFY(describe(view, QDate(2026, 12, 12)).endsWith(QStringLiteral("geschafft")));
        QVERIFY(!describe(view, QDate(2026, 12, 19)).endsWith(QStringLiteral("geschafft")));
        TickMainWindowAt(world, QStringLiteral("2026-12-19 23:59:59"));
        QVERIFY(!describe(view, QDate(2026, 12, 19)).endsWith(QStringLiteral("geschafft")));
        TickMainWindowAt(world, QStringLiteral("2026-12-20 00:00:00"));
        QVERIFY(describe(view, QDate(2026, 12, 19)).endsWith(QStringLiteral("geschafft")));
    }

    // Drawn offscreen in each style: every day number readable on its day's colour, and the
    // kinds told apart by a mark, not by colour alone.
    void drawing_data() {
        QTest::addColumn<QString>("style");
        for (const QString& style :
             {QStringLiteral("Fusion"), QStringLiteral("Adwaita"), QStringLiteral("Adwaita-Dark")})
            if (QStyleFactory::keys().contains(style, Qt::CaseInsensitive))
                QTest::newRow(qPrintable(style)) << style;
    }
    void drawing() {
        QFETCH(QString, style);
        QApplication::setStyle(style);
        TestWorld world;
        CalendarView* view = openCalendar(startMainWindow(world, QStringLiteral("2026-12-09 10:00:00")));
        const QImage image = view->grab().toImage();
        for (QDate day = view->firstDay(); day <= view->lastDay(); day = day.addDays(1)) {
            const DayInfo info = view->calendar()->dayInfo(DayNumber(day));
            const DayRange chosen = view->chosenDays();
            const DayLook look =
                LookOf(info, view->now(), view->palette(), day >= chosen.first && day <= chosen.last);
            QVERIFY2(ContrastRatio(look.number, look.background) >= 4.5, qPrintable(describe(view, day)));
            const QRect cell = view->dayRect(day);
            const QColor drawn = image.pixelColor(cell.left() + cell.width() / 2, cell.top() + 2);
            if (!look.hatched && !look.dotted && !look.today && !look.framed)
                QVERIFY2(drawn.rgb() == look.background.rgb(),
                         qPrintable(describe(view, day) + QLatin1Char(' ') + drawn.name()));
        }
        // Besides its colour, each kind has a mark of its own (the weekend its columns).
        QSet<QString> marks;
        for (const LegendEntry& entry : Legend()) {
            if (entry.chosen)
                continue; // told by the highlight colour
            const DayLook look = LookOf(entry.sample, 1, view->palette());
            marks.insert(QStringLiteral("%1%2%3%4%5%6%7%8%9")
                             .arg(look.hatched)
                             .arg(look.dotted)
                             .arg(look.dutyBar)
                             .arg(look.holiday)
                             .arg(look.ownDate)
                             .arg(look.milestone)
                             .arg(look.framed)
                             .arg(entry.sample.day == 0)
                             .arg(look.done));
        }
        QCOMPARE(marks.size(), Legend().size() - 2);
        // The legend's samples in their own colours, only that of the days chosen drawn as chosen.
        QWidget* legend = view->window()->findChild<QWidget*>(QStringLiteral("calendarLegend"));
        QVERIFY(legend);
        const QImage legendImage = legend->grab().toImage();
        const QRgb chosen = view->palette().color(QPalette::Highlight).rgb();
        qsizetype inChosenColour = 0;
        for (int y = 0; y < legendImage.height(); ++y)
            for (int x = 0; x < legendImage.width(); ++x)
                inChosenColour += legendImage.pixel(x, y) == chosen;
        QVERIFY2(inChosenColour > 0 && inChosenColour * 20 < legendImage.width() * legendImage.height(),
                 qPrintable(QString::number(inChosenColour)));
        QApplication::setStyle(QStringLiteral("Fusion"));
    }

    // Every combination of what a day can be, in a light and a dark palette, chosen or not:
    // its marks as the legend describes them, its colour that of the kind that wins (duty over
    // leave over a day off over a holiday over the weekend), its number readable on it.
    void marksOfEveryCombination() {
        QPalette dark;
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        dark.setColor(QPalette::Highlight, QColor(40, 90, 160));
        dark.setColor(QPalette::HighlightedText, Qt::white);
        enum Kind { Weekend, Holiday, Leave, DayOff, Duty, OwnDate, Milestone, Framed, Today, Done, Kinds };
        const DateValue now = 100.5; // day 100 at noon
        for (const QPalette& palette : {QApplication::palette(), dark}) {
            const auto lookWith = [&](int kinds, bool selected = false) {
                DayInfo info;
                const auto has = [&](Kind kind) { return (kinds >> kind & 1) != 0; };
                info.day = has(Today) ? 100 : 101;
                info.weekend = has(Weekend);
                info.holiday = has(Holiday) ? QStringLiteral("Karfreitag") : QString();
                info.leave = has(Leave);
                info.dayOff = has(DayOff);
                info.extraDuty = has(Duty);
                info.ownDates = has(OwnDate) ? QStringList{QStringLiteral("Gelöbnis")} : QStringList{};
                info.milestones = has(Milestone) ? QStringList{QStringLiteral("Bergfest")} : QStringList{};
                info.firstDay = has(Framed);
                info.doneAt = has(Done) ? now : now + 1;
                return LookOf(info, now, palette, selected);
            };
            for (int kinds = 0; kinds < 1 << Kinds; ++kinds) {
                const auto has = [&](Kind kind) { return (kinds >> kind & 1) != 0; };
                const DayLook look = lookWith(kinds);
                const QString what = QString::number(kinds, 2);
                const bool workday = !has(Weekend) && !has(Holiday);
                QVERIFY2(look.hatched == (has(Leave) && workday && !has(Duty)), qPrintable(what));
                QVERIFY2(look.dotted == (has(DayOff) && workday && !has(Duty) && !has(Leave)),
                         qPrintable(what));
                QVERIFY2(look.dutyBar == has(Duty), qPrintable(what));
                QVERIFY2(look.holiday == has(Holiday), qPrintable(what));
                QVERIFY2(look.ownDate == has(OwnDate), qPrintable(what));
                QVERIFY2(look.milestone == has(Milestone), qPrintable(what));
                QVERIFY2(look.framed == has(Framed), qPrintable(what));
                QVERIFY2(look.today == has(Today), qPrintable(what));
                QVERIFY2(look.done == has(Done), qPrintable(what));
                // The colour of the one kind that wins; the marks and the rest do not change it.
                const int winner = has(Duty)                ? 1 << Duty
                                   : has(Leave) && workday  ? 1 << Leave
                                   : has(DayOff) && workday ? 1 << DayOff
                                   : has(Holiday)           ? 1 << Holiday
                                   : has(Weekend)           ? 1 << Weekend
                                                            : 0;
                QVERIFY2(look.background == lookWith(winner).background, qPrintable(what));
                QVERIFY2((look.background == palette.color(QPalette::Base)) == (winner == 0),
                         qPrintable(what));
                QVERIFY2(ContrastRatio(look.number, look.background) >= 4.5, qPrintable(what));
                const DayLook chosen = lookWith(kinds, true);
                QVERIFY2(chosen.background == palette.color(QPalette::Highlight), qPrintable(what));
                QVERIFY2(ContrastRatio(chosen.number, chosen.background) >= 4.5, qPrintable(what));
                QVERIFY2(chosen.hatched == look.hatched && chosen.done == look.done, qPrintable(what));
            }
            // The five colours of the kinds differ from each other.
            QSet<QRgb> colours;
            for (const Kind kind : {Weekend, Holiday, Leave, DayOff, Duty})
                colours.insert(lookWith(1 << kind).background.rgb());
            QCOMPARE(colours.size(), 5);
        }
    }

    // From "Noch 150 Tage" on the tape is cut a centimetre a day; before, the whole tape.
    void tapeMeasure_data() {
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("centimetres");
        QTest::addColumn<bool>("cut");
        QTest::newRow("151") << 151 << "noch 1 Tag bis zum Maßband" << 150 << false;
        QTest::newRow("168") << 168 << "noch 18 Tage bis zum Maßband" << 150 << false;
        QTest::newRow("150") << 150 << "Maßband: noch 150 cm" << 150 << false;
        QTest::newRow("87") << 87 << "Maßband: noch 87 cm" << 87 << true;
        QTest::newRow("1") << 1 << "Maßband: noch 1 cm" << 1 << true;
        QTest::newRow("0") << 0 << "Maßband: ganz abgeschnitten" << 0 << false;
        QTest::newRow("after the end") << -3 << "Maßband: ganz abgeschnitten" << 0 << false;
    }
    void tapeMeasure() {
        QFETCH(int, days);
        QTEST(TapeCaption(qint64(days)), "caption");
        QFETCH(int, centimetres);
        QCOMPARE(TapeCentimetres(qint64(days)), centimetres);
        // Drawn to scale: the tape left is as long as its centimetres of the whole tape.
        const auto drawn = [](qint64 left) {
            QImage image(1600, 120, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            QFont font = painter.font();
            font.setPixelSize(20);
            painter.setFont(font);
            PaintTape(painter, QRectF(0, 0, image.width(), image.height()), left, QPalette());
            painter.end();
            return image;
        };
        const double perCentimetre = yellowLength(drawn(150)) / 150.0;
        QVERIFY(perCentimetre > 10);
        const QImage image = drawn(days);
        QVERIFY2(std::abs(yellowLength(image) - centimetres * perCentimetre) <= 2,
                 qPrintable(QString::number(yellowLength(image))));
        // The cut end, a black zigzag just beyond the yellow (and its last tick), only where the tape is cut.
        int yellowEnd = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == QColor(242, 194, 0).rgb())
                    yellowEnd = std::max(yellowEnd, x);
        bool zigzag = false;
        for (int y = 0; yellowEnd >= 0 && y < image.height(); ++y)
            for (int x = yellowEnd + 3; x < std::min(image.width(), yellowEnd + int(perCentimetre) + 2); ++x)
                zigzag |= qGray(image.pixel(x, y)) < 100;
        QTEST(zigzag, "cut");
    }

    // The days the tape shows are the main window's.
    void tapeShowsTheMainWindowsDays() {
        TestWorld world;
        frmPGR* main = startMainWindow(world, QStringLiteral("2027-02-13 10:00:00")); // a Saturday
        openCalendar(main);
        const TapeMeasure* tape = FindForm<frmServiceTerm>()->findChild<TapeMeasure*>();
        QCOMPARE(tape->daysLeft(), std::optional<qint64>(LabelText(main, "LblDay").toLongLong()));
        TickMainWindowAt(world, QStringLiteral("2027-02-15 10:00:00"));
        QCOMPARE(tape->daysLeft(), std::optional<qint64>(LabelText(main, "LblDay").toLongLong()));
        QCOMPARE(tape->daysLeft(), std::optional<qint64>(91));
    }

    // The picture: wide enough for a phone, the name only when asked for.
    void picture() {
        TestWorld world;
        startMainWindow(world, QStringLiteral("2026-12-09 10:00:00"));
        const QImage without = TermPicture(TermCalendar, PictureContentNow(false), Now());
        const QImage with = TermPicture(TermCalendar, PictureContentNow(true), Now());
        QVERIFY(without.width() >= 1080);
        QCOMPARE(with.width(), without.width());
        QVERIFY(with.height() > without.height()); // the name line
        QCOMPARE(PictureContentNow(true).nameLine, QStringLiteral("Gefr Max Mustermann"));
        QVERIFY(PictureContentNow(false).nameLine.isEmpty());
        // The days left stand in the heading, above the tape.
        PictureContent content = PictureContentNow(false);
        const auto heading = [&](std::optional<qint64> days) {
            content.daysLeft = days;
            const QImage picture = TermPicture(TermCalendar, content, Now());
            return picture.copy(0, 0, picture.width(), picture.height() / 6);
        };
        QVERIFY(heading(111) != heading(112));
        QVERIFY(heading(111) != heading(std::nullopt));
        // After the end of service the days stay at 0, as the main window's, never below.
        for (const char* after : {"2027-05-17 16:30:01", "2027-05-20 10:00:00", "2028-01-01 00:00:00"}) {
            world.clock.set(QString::fromLatin1(after));
            QCOMPARE(PictureContentNow(false).daysLeft, std::optional<qint64>(0));
        }
    }

    // From the command line without a display.
    void pictureWithoutDisplay() {
        TestWorld world(QStringLiteral("2026-12-09 10:00:00"));
        SettingsRecord record = SampleSettings();
        SetText(&SettingsRecord::Pgr, record, QStringLiteral("17.05.2027"));
        WriteSettingsFile(record);
        WriteServiceFile(everyKind);
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(QDir::currentPath());
        process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/pilgrast"),
                      {QStringLiteral("--export-png"), QStringLiteral("dienstzeit.png"),
                       QStringLiteral("--with-name")});
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitCode(), 0);
        QImageReader reader(QStringLiteral("dienstzeit.png"));
        QCOMPARE(reader.format(), QByteArray("png"));
        QVERIFY(reader.size().width() >= 1080);

        process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/pilgrast"),
                      {QStringLiteral("--export-png"), QStringLiteral("fehlt/dienstzeit.png")});
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitCode(), 1);
        const QString cause = QString::fromUtf8(process.readAllStandardError());
        QVERIFY2(cause.endsWith(
                     QStringLiteral("\npilgrast: Das Bild „fehlt/dienstzeit.png“ kann nicht gespeichert "
                                    "werden: die Datei oder ihr Ordner ist nicht mehr vorhanden.\n")) ||
                     cause.startsWith(QStringLiteral("pilgrast: Das Bild „fehlt/dienstzeit.png“")),
                 qPrintable(cause));
    }
};

QTEST_MAIN(TermCalendarTest)
#include "tst_termcalendar.moc"

// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Every character the windows draw exists in the font each widget resolves to, and no
// window's font is a monospace one: on a system with only some fonts, the windows still
// look as they were laid out.
#include "aboutbox/info.h"
#include "countdownwindow/frmcountdown.h"
#include "helpwindow/help.h"
#include "mainwindow/frmpgr.h"
#include "servicetermwindow/frmserviceterm.h"
#include "settings/fixedtext.h"
#include "settingsdialog/frmsettings.h"
#include "support/fakes.h"
#include "termcalendar/calendarpainter.h"
#include "termcalendar/tapemeasure.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QtTest>

namespace {

// The characters of the text that the font has no glyph for.
QString missing(const QString& text, const QFont& font) {
    const QFontMetrics metrics(font);
    QString lacking;
    for (const char32_t character : text.toUcs4())
        if (!QChar::isSpace(character) && !metrics.inFontUcs4(character))
            lacking += QString::fromUcs4(&character, 1);
    return lacking;
}

// Every text of the window's widgets, each with the font it is drawn in.
QList<std::pair<QString, QFont>> textsOf(const QWidget* window) {
    QList<std::pair<QString, QFont>> texts;
    for (const QLabel* label : window->findChildren<QLabel*>())
        texts << std::pair{label->text(), label->font()};
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
        texts << std::pair{button->text(), button->font()};
    for (const QGroupBox* box : window->findChildren<QGroupBox*>())
        texts << std::pair{box->title(), box->font()};
    for (const QLineEdit* box : window->findChildren<QLineEdit*>())
        texts << std::pair{box->text() + box->placeholderText(), box->font()};
    for (const QComboBox* box : window->findChildren<QComboBox*>())
        for (int i = 0; i < box->count(); ++i)
            texts << std::pair{box->itemText(i), box->font()};
    for (const QListWidget* list : window->findChildren<QListWidget*>())
        for (int i = 0; i < list->count(); ++i)
            texts << std::pair{list->item(i)->text(), list->font()};
    for (const QTabBar* tabs : window->findChildren<QTabBar*>())
        for (int i = 0; i < tabs->count(); ++i)
            texts << std::pair{tabs->tabText(i), tabs->font()};
    for (const QMenuBar* bar : window->findChildren<QMenuBar*>())
        for (const QAction* action : bar->actions()) {
            texts << std::pair{action->text(), bar->font()};
            if (action->menu())
                for (const QAction* entry : action->menu()->actions())
                    texts << std::pair{entry->text(), action->menu()->font()};
        }
    return texts;
}

void verifyGlyphs(const QWidget* window) {
    QVERIFY2(!QFontInfo(window->font()).fixedPitch(), qPrintable(QFontInfo(window->font()).family()));
    for (const auto& [text, font] : textsOf(window)) {
        QVERIFY2(!QFontInfo(font).fixedPitch(),
                 qPrintable(text + QStringLiteral(": ") + QFontInfo(font).family()));
        QVERIFY2(missing(text, font).isEmpty(),
                 qPrintable(QStringLiteral("%1 lacks „%2“ in %3")
                                .arg(QFontInfo(font).family(), missing(text, font), text)));
    }
}

} // namespace

class GlyphsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(!QFontInfo(QApplication::font()).fixedPitch()); }

    void everyWindow() {
        TestWorld world(QStringLiteral("2027-02-15 10:00:00"));
        SettingsRecord record = SampleSettings();
        SetText(&SettingsRecord::Vorname, record, QStringLiteral("Jörg"));
        SetText(&SettingsRecord::Name, record, QStringLiteral("Müller-Lüdenscheidt"));
        SetText(&SettingsRecord::Pgr, record, QStringLiteral("30.06.2027"));
        record.Anzeige = Unit::Seconds;
        WriteSettingsFile(record);
        WriteServiceFile({"Beginn=1.10.2026", "Bundesland=BY", "Urlaub=15.3.2027-19.3.2027",
                          "Dienst=3.7.2027", "Dienstfrei=2.4.2027", "Urlaubsanspruch=24", "", "[Termine]",
                          "10.2.2027=Gelöbnis", "12.3.2027=Übung „Schneesturm“ – Tag 1"});
        frmPGR* main = ShowForm<frmPGR>();
        main->Timer1_Timer();
        verifyGlyphs(main);
        main->menuservice_Click();
        frmServiceTerm* term = FindForm<frmServiceTerm>();
        QVERIFY(term->findChild<QListWidget*>(QStringLiteral("lstMilestones"))
                    ->item(0)
                    ->text()
                    .startsWith(QStringLiteral("✓"))); // a milestone passed
        verifyGlyphs(term);
        ShowForm<Info>();
        verifyGlyphs(FindForm<Info>());
        ShowHelp(HelpTopic::Contents);
        verifyGlyphs(FindForm<HelpWindow>());
        main->menuCDn_Click();
        frmCountdown* countdown = FindForm<frmCountdown>();
        countdown->Timer1_Timer();
        verifyGlyphs(countdown);
        UnloadForm(countdown);
        FindForm<frmPGR>()->menusettings_Click();
        verifyGlyphs(FindForm<frmSettings>());
    }

    // What is drawn rather than shown in widgets: the calendar, its legend, the tape, the
    // countdown's closing words and the messages' quotes and dashes.
    void drawnTexts() {
        const QFont font = QApplication::font();
        QStringList drawn = {
            QStringLiteral("KW Mo Di Mi Do Fr Sa So 0123456789"),
            QStringLiteral("Januar Februar März April Mai Juni Juli August September Oktober "
                           "November Dezember"),
            TapeCaption(160),
            TapeCaption(87),
            TapeCaption(0),
            QStringLiteral("„Anführung“ – Gedankenstrich … ✓ ß äöü ÄÖÜ")};
        for (const LegendEntry& entry : Legend())
            drawn << entry.name;
        for (const QString& text : drawn)
            QVERIFY2(missing(text, font).isEmpty(), qPrintable(missing(text, font)));
        QFont serif(QStringLiteral("Liberation Serif"));
        serif.setStyleHint(QFont::Serif);
        QVERIFY(missing(QStringLiteral("Schluß Das war's ! und Tschüß......"), serif).isEmpty());
    }
};

QTEST_MAIN(GlyphsTest)
#include "tst_glyphs.moc"

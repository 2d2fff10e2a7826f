// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "help.h"

#include "services/messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextFrame>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent) : Form<QWidget>(parent), m_browser(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Pilgrast Counter – Hilfe"));
    setObjectName(QStringLiteral("frmHelp"));
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(560, 480);
}

void HelpWindow::Form_Load() {
    CentreOnScreen(this);
}

bool HelpWindow::showTopic(int topic) {
    const QString path = HelpFilePath();
    if (path != m_loadedFile) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        m_browser->setHtml(QString::fromUtf8(file.readAll()));
        m_loadedFile = path;
    }
    leaveRoomBelowTheLastTopic();
    const QString anchor =
        topic == HelpTopic::Contents ? QStringLiteral("inhalt") : QStringLiteral("thema%1").arg(topic);
    m_browser->scrollToAnchor(anchor);
    m_topic = topic;
    return true;
}

// Without room below it, the last topic could never scroll up to the top of the view.
void HelpWindow::leaveRoomBelowTheLastTopic() {
    QTextFrame* root = m_browser->document()->rootFrame();
    QTextFrameFormat format = root->frameFormat();
    format.setBottomMargin(m_browser->viewport()->height());
    root->setFrameFormat(format);
}

// The installed data folder, found from the program's own folder.
QString installedHelpFolder() {
    return QDir::cleanPath(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(PILGRAST_HELP_DIR_FROM_BIN)));
}

QString HelpFilePath() {
    const QString name = QStringLiteral("Pgrcn.hlp");
    const QStringList folders = {QCoreApplication::applicationDirPath(), installedHelpFolder()};
    for (const QString& folder : folders) {
        const QString candidate = QDir(folder).filePath(name);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

// A clear message when the help file is missing.
void ShowHelp(int topic) {
    const QString path = HelpFilePath();
    if (path.isEmpty()) {
        MsgBox(QStringLiteral("Die Hilfedatei Pgrcn.hlp wurde nicht gefunden. Sie gehört neben das Programm "
                              "oder in den Ordner %1.")
                   .arg(installedHelpFolder()),
               MsgStyle::Exclamation);
        return;
    }
    HelpWindow* window = ShowForm<HelpWindow>();
    if (!window->showTopic(topic))
        MsgBox(QStringLiteral("Die Hilfedatei %1 kann nicht gelesen werden.").arg(path),
               MsgStyle::Exclamation);
}

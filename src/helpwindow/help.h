// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "widgets/forms.h"

#include <QTextBrowser>

// Help topics of Pgrcn.hlp; 0 is the contents page.
namespace HelpTopic {
constexpr int Contents = 0;
constexpr int SettingsDialog = 3;
constexpr int AboutBox = 7;
constexpr int ServiceTerm = 9;
} // namespace HelpTopic

// The in-program help viewer: one window showing Pgrcn.hlp.
class HelpWindow : public Form<QWidget> {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    void Form_Load() override;
    bool showTopic(int topic);
    QTextBrowser* browser() const { return m_browser; }
    int topic() const { return m_topic; }

protected:
    void escapePressed() override { UnloadForm(this); }

private:
    void leaveRoomBelowTheLastTopic();

    QTextBrowser* m_browser;
    QString m_loadedFile;
    int m_topic = HelpTopic::Contents;
};

// Opens the help window at a topic (0 is the contents page), or says why it cannot.
void ShowHelp(int topic);

// Where Pgrcn.hlp is found: beside the program, then in the installed data folder.
QString HelpFilePath();

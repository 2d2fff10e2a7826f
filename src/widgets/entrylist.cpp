// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "entrylist.h"

#include "fittext.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

EntryList::EntryList(const QString& name, const QString& caption, const QString& placeholder,
                     const QString& widestEntry, const QString& namePlaceholder, QWidget* parent)
    : QWidget(parent), m_list(new QListWidget), m_entry(new QLineEdit),
      m_add(new QPushButton(QStringLiteral("hin&zufügen"))),
      m_remove(new QPushButton(QStringLiteral("ent&fernen"))) {
    m_list->setObjectName(QStringLiteral("lst") + name);
    m_entry->setObjectName(QStringLiteral("txt") + name);
    m_add->setObjectName(QStringLiteral("cmdadd") + name);
    m_remove->setObjectName(QStringLiteral("cmdremove") + name);
    m_entry->setPlaceholderText(placeholder);
    m_entry->setToolTip(placeholder); // the whole form, where the box is narrower than its placeholder
    // Room for the widest entry, whatever the style's frame takes.
    m_entry->setMinimumWidth(LineEditSizeFor(m_entry, widestEntry).width());
    m_list->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_list->setMinimumHeight(m_list->fontMetrics().height() * 4);

    // Parented in this order, the group's access key leads into the entry box, where a new
    // entry is typed, and the tab goes on to the buttons and the list.
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_entry, 1, 0);
    if (!namePlaceholder.isEmpty()) {
        m_name = new QLineEdit;
        m_name->setObjectName(QStringLiteral("txt") + name + QStringLiteral("Name"));
        m_name->setPlaceholderText(namePlaceholder);
        layout->addWidget(m_name, 2, 0);
        connect(m_name, &QLineEdit::returnPressed, this, &EntryList::addRequested);
    }
    layout->addWidget(m_add, 1, 1);
    layout->addWidget(m_remove, 1, 2);
    layout->addWidget(m_list, 0, 0, 1, 3);
    layout->setColumnStretch(0, 1);
    // Four lists of one kind side by side: each part says which list it belongs to.
    m_list->setAccessibleName(caption + QStringLiteral(": Einträge"));
    m_entry->setAccessibleName(caption + QStringLiteral(": neuer Eintrag"));
    if (m_name)
        m_name->setAccessibleName(caption + QStringLiteral(": Name"));
    m_add->setAccessibleName(caption + QStringLiteral(" hinzufügen"));
    m_remove->setAccessibleName(caption + QStringLiteral(" entfernen"));
    connect(m_entry, &QLineEdit::returnPressed, this, &EntryList::addRequested);
    connect(m_add, &QPushButton::clicked, this, &EntryList::addRequested);
    connect(m_remove, &QPushButton::clicked, this, [this] {
        if (m_list->currentRow() >= 0)
            emit removeRequested(m_list->currentRow());
    });
}

void EntryList::showEntries(const QStringList& entries) {
    const int row = m_list->currentRow();
    m_list->clear();
    m_list->addItems(entries);
    if (row >= 0 && !entries.isEmpty())
        m_list->setCurrentRow(std::min(row, int(entries.size()) - 1));
}

QString EntryList::enteredText() const {
    return m_entry->text().trimmed();
}

QString EntryList::enteredName() const {
    return m_name ? m_name->text().trimmed() : QString();
}

void EntryList::clearEntry() {
    m_entry->clear();
    if (m_name)
        m_name->clear();
    m_entry->setFocus();
}

bool EntryList::holdsTyping() const {
    return !enteredText().isEmpty() || !enteredName().isEmpty();
}

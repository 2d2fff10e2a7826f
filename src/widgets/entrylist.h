// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;

// A list of entries the user adds by typing and removes by choosing: the list, a box for
// the entry (and, where the entries are named, a box for the name) and "hinzufügen" and
// "entfernen". Enter in a box adds. The owner checks what is typed and shows the entries.
class EntryList : public QWidget {
    Q_OBJECT
public:
    // name: the object name of the list and its boxes ("lstUrlaub", "txtUrlaub"); caption: what a
    // screen reader calls the list ("Dienst außer der Reihe"); placeholder: the form of an entry;
    // namePlaceholder: the name box's, or empty for entries without a name.
    EntryList(const QString& name, const QString& caption, const QString& placeholder,
              const QString& widestEntry, const QString& namePlaceholder = {}, QWidget* parent = nullptr);

    void showEntries(const QStringList& entries);
    QString enteredText() const;
    QString enteredName() const;
    // Empties the boxes after an entry was taken, the focus back in the first.
    void clearEntry();
    QLineEdit* entryBox() const { return m_entry; }
    QLineEdit* nameBox() const { return m_name; }
    QListWidget* list() const { return m_list; }
    // Whether something is typed that has not been added.
    bool holdsTyping() const;

signals:
    void addRequested();
    void removeRequested(int row);

private:
    QListWidget* m_list;
    QLineEdit* m_entry;
    QLineEdit* m_name = nullptr;
    QPushButton* m_add;
    QPushButton* m_remove;
};

// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Whole-file reading and crash-safe replacing, with failures told in German.

// The cause of a failed file operation, in German, from the system's error number.
// Qt's own texts are English, so the number is taken right after the failing call.
QString FileErrorCause(int errorNumber);

// Throws ProgramError "<what>: <cause>."
[[noreturn]] void FailWithFileError(const QString& what, int errorNumber);

// The whole current content; a null array when there is no file. Failures throw
// ProgramError "<failureText>: <cause>.".
QByteArray ReadWholeFile(const QString& path, const QString& failureText);

// Makes content the file's content: written in full beside the old file, then put in
// its place, so the file is never left torn or empty. A pipe or a character device at the
// path takes the content as it is; anything else that is no regular file is refused. When no new file can be
// made there, returns the system's error number and leaves the file as it was, so that the caller can try
// another way; nothing once saved. A failed write throws, the old file kept.
std::optional<int> ReplaceFile(const QString& path, const QByteArray& content, const QString& failureText);

// Writes content to standard output, flushed; a failure throws "<failureText>: <cause>.".
void WriteStandardOutput(const QByteArray& content, const QString& failureText);

// A file the user asked for by name: standard output for "-", otherwise replaced
// crash-safely; a failure throws "<failureText>: <cause>.".
void WriteExportFile(const QString& path, const QByteArray& content, const QString& failureText);

// What a failed export says before its cause: "Der Kalender „f.ics“ kann nicht gespeichert
// werden", or for "-" "Der Kalender kann nicht ausgegeben werden"; the subject names the thing.
QString ExportFailureText(const QString& subject, const QString& path);

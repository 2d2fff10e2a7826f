// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The program: the jobs that need QtCore and libical only are done here; the windows and
// the jobs that draw are loaded from their module when asked for.
#include "app/windowsentry.h"
#include "commands.h"
#include "services/starttrace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A standard stream the caller closed is held by /dev/null opened for reading: no file the
// program opens takes its number, and a write to it fails as on a closed stream.
void holdClosedStandardStreams() {
    for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (fcntl(stream, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int placeholder = open("/dev/null", O_RDONLY);
        if (placeholder >= 0 && placeholder != stream) {
            dup2(placeholder, stream);
            close(placeholder);
        }
    }
}

// The windows' module: beside the program in the build folder, in the program's private
// library folder once installed.
QString windowsModulePath() {
    const QDir programFolder = QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).dir();
    const QString beside = programFolder.filePath(QLatin1String(WindowsModuleName));
    if (QFileInfo::exists(beside))
        return beside;
    return QDir(programFolder.filePath(QStringLiteral(PILGRAST_MODULE_DIR_FROM_BIN)))
        .filePath(QLatin1String(WindowsModuleName));
}

int runWindowsModule(int& argc, char** argv, const StartOptions& options) {
    const QString path = windowsModulePath();
    void* module = dlopen(QFile::encodeName(path).constData(), RTLD_LAZY | RTLD_LOCAL);
    const auto entry = module ? reinterpret_cast<WindowsEntry>(dlsym(module, WindowsEntryName)) : nullptr;
    if (!entry) {
        std::fprintf(stderr, "pilgrast: Die Fenster lassen sich nicht laden: %s\n", dlerror());
        return 1;
    }
    return entry(&argc, argv, &options);
}

// Reads the command line and does a job that needs no window in one application object.
// The options for the windows' module, or the exit status to end with at once.
std::variant<StartOptions, int> runCommandLine(int& argc, char** argv) {
    const QCoreApplication app(argc, argv);
    NameTheProgram();
    const std::variant<StartOptions, int> options = ReadCommandLine(QCoreApplication::arguments());
    if (const StartOptions* chosen = std::get_if<StartOptions>(&options)) {
        if (chosen->command == Command::Status)
            return RunStatus(*chosen);
        if (chosen->command == Command::ExportCalendar)
            return RunCalendarExport(*chosen);
    }
    return options;
}

} // namespace

int main(int argc, char* argv[]) {
    TraceStart("main");
    holdClosedStandardStreams();
    // Without arguments the windows start at once; the command line is read with Qt's
    // parser, which needs an application object, ended before the module makes its own.
    const std::variant<StartOptions, int> options = argc > 1 ? runCommandLine(argc, argv) : StartOptions{};
    if (const int* exitStatus = std::get_if<int>(&options))
        return *exitStatus;
    return runWindowsModule(argc, argv, std::get<StartOptions>(options));
}

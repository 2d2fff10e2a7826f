// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "errortrap.h"

#include "messages.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {
unsigned long long failuresSoFar = 0;

// Tags of the every-second routines whose failure is on record; nearly always empty.
std::vector<std::string_view>& failingTags() {
    static std::vector<std::string_view> tags;
    return tags;
}
} // namespace

void ReportError(const QString& description, const QString& tag) {
    ++failuresSoFar;
    MsgBox(description + tag, MsgStyle::Critical);
}

void ReportRecurringError(const QString& description, const char* tag) {
    auto& tags = failingTags();
    if (std::find(tags.begin(), tags.end(), tag) != tags.end()) {
        ++failuresSoFar;
        return;
    }
    tags.push_back(tag);
    ReportError(description, QString::fromLatin1(tag));
}

void RecurringRoutineSucceeded(const char* tag) {
    auto& tags = failingTags();
    if (!tags.empty())
        std::erase(tags, std::string_view(tag));
}

void ForgetRecurringErrors() {
    failingTags().clear();
}

FailureWatch::FailureWatch() : m_failuresAtStart(failuresSoFar) {}

bool FailureWatch::failed() const {
    return failuresSoFar != m_failuresAtStart;
}

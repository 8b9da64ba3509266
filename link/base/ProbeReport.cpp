// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProbeReport.h"

#include "LinkText.h"

std::string ProbeStep::Line() const {
    if (!passed) {
        return TARNEL_TEXT("ProbeReport", "%1: FAILED: %2").Text(check, verdict);
    }
    return verdict.empty() ? TARNEL_TEXT("ProbeReport", "%1: ok").Text(check)
                           : TARNEL_TEXT("ProbeReport", "%1: ok, %2").Text(check, verdict);
}

bool ProbeReport::Add(std::string check, bool passed, std::string verdict) {
    m_steps.push_back({std::move(check), passed, std::move(verdict)});
    return passed;
}

bool ProbeReport::Passed() const {
    return !m_steps.empty() && m_steps.back().passed;
}

std::string ProbeReport::AnsweredAfterBusy() {
    return TARNEL_TEXT("ProbeReport", "after it was busy at first (finishing a write cycle)")
        .Text();
}

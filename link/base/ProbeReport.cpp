// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProbeReport.h"

std::string ProbeStep::Line() const {
    if (!passed) {
        return check + ": FAILED: " + verdict;
    }
    return verdict.empty() ? check + ": ok" : check + ": ok, " + verdict;
}

bool ProbeReport::Add(std::string check, bool passed, std::string verdict) {
    m_steps.push_back({std::move(check), passed, std::move(verdict)});
    return passed;
}

bool ProbeReport::Passed() const {
    return !m_steps.empty() && m_steps.back().passed;
}

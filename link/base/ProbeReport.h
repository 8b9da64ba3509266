// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// One check of a probe: what was checked, whether it passed, and what the
// technician should know about it (on failure: the likely cause and what to
// look at).
struct ProbeStep {
    std::string check;
    bool passed = false;
    std::string verdict;

    // "<check>: ok" or "<check>: ok, <verdict>" or "<check>: FAILED: <verdict>".
    std::string Line() const;
};

// The checks of a probe in the order they ran. A probe stops at the first
// check that fails, so only the last step can have failed.
class ProbeReport {
public:
    // Appends a step; returns `passed`, so a probe can stop on false.
    bool Add(std::string check, bool passed, std::string verdict = {});
    const std::vector<ProbeStep>& Steps() const { return m_steps; }
    // True when there are steps and every one passed.
    bool Passed() const;

    // The verdict of an EEPROM that refused its address at first and
    // acknowledged while being polled.
    static std::string AnsweredAfterBusy();

private:
    std::vector<ProbeStep> m_steps;
};

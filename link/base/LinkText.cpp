// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkText.h"

#include <atomic>

namespace {
// Set once by the program before its threads start, read by every text.
std::atomic<LinkText::Translator> g_translator{nullptr};
}  // namespace

void LinkText::SetTranslator(Translator translator) {
    g_translator.store(translator);
}

std::string LinkText::Translated() const {
    const Translator translator = g_translator.load();
    return translator != nullptr ? translator(m_context, m_source) : std::string(m_source);
}

std::string LinkText::Fill(const std::string& form, const std::vector<std::string>& args) {
    std::string text;
    text.reserve(form.size());
    for (std::size_t i = 0; i < form.size(); ++i) {
        const std::size_t n = i + 1 < form.size() ? std::size_t(form[i + 1] - '0') : 0;
        if (form[i] == '%' && n >= 1 && n <= 9 && n <= args.size()) {
            text += args[n - 1];
            ++i;
        } else {
            text += form[i];
        }
    }
    return text;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <concepts>
#include <string>
#include <vector>

// A text of link/ for the user: an English template in which %1 to %9 stand
// for what is filled in, and the context it is translated in. link/ has no
// Qt, so a program that speaks the user's language installs a translator
// (SetTranslator) that returns a template in that language; without one the
// English template is used as it is. The arguments are filled in after the
// translation, so a language may put them in its own order.
//
// Texts are written TARNEL_TEXT("Context", "template"), which lupdate reads
// as QT_TRANSLATE_NOOP (-tr-function-alias QT_TRANSLATE_NOOP+=TARNEL_TEXT).
class LinkText {
public:
    // Returns `source` of `context` in the user's language (UTF-8).
    using Translator = std::string (*)(const char* context, const char* source);

    constexpr LinkText(const char* context, const char* source)
        : m_context(context), m_source(source) {}

    // The translated template with each %N replaced by the N-th argument
    // (strings, or integers in decimal), in one pass: what an argument
    // holds is never replaced in turn.
    template <typename... Args>
    std::string Text(const Args&... args) const {
        return Fill(Translated(), {Piece(args)...});
    }

    // Installs `translator` for every text from now on; nullptr: English.
    static void SetTranslator(Translator translator);
    // `form` with %1 to %9 replaced by `args` as Text does; a %N without
    // its argument stays as it is.
    static std::string Fill(const std::string& form, const std::vector<std::string>& args);

private:
    std::string Translated() const;
    static std::string Piece(const std::string& text) { return text; }
    static std::string Piece(const char* text) { return text; }
    static std::string Piece(std::integral auto number) { return std::to_string(number); }

    const char* m_context;
    const char* m_source;
};

#define TARNEL_TEXT(context, source) LinkText(context, source)

#pragma once

#include <QString>

namespace vorlane {

// The text a reader sees in a piece of rich text: tags, comments, scripts and styles left out,
// character references decoded, runs of ASCII white space made one blank.
QString plainTextOfHtml(const QString &html);

// Text as the search index stores it: folded (NFKC, so full-width letters and digits read as
// their plain forms), every letter, digit or CJK character one token, tokens joined by single
// blanks. Blanks and ASCII punctuation separate and are not themselves searched. Chinese has no
// word breaks, so single characters are the only tokens that let any phrase be found.
QString searchTokens(const QString &text);

// The full-text query for a phrase: its tokens as one quoted phrase; empty when it has none.
QString phraseQuery(const QString &phrase);

} // namespace vorlane

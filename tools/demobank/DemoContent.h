#pragma once

// The demo bank's hand-written material: the catalogue, the laws with their articles, the
// case and scenario texts. DemoBank.cpp turns it into questions.

#include <span>

namespace vorlane::demo {

// A catalogue row in display order. Codes of 1, 2, 4 and 6 characters.
struct CatalogueNode
{
    const char *code;
    const char *name;
};

struct LawCategory
{
    const char *id; // two characters: the first two of every law and article below it
    const char *name;
};

struct Law
{
    const char *id; // six characters, the first two naming its category
    const char *name; // without the book-title marks
    const char *purpose; // the first article: why the law exists (no questions test it)
};

// One rule a question can test. It becomes an article of its law (its `text` with `key` in
// place of "{}"), and questions ask for the key among the distractors.
struct KnowledgeUnit
{
    const char *chapter; // six-character chapter code whose questions are built from it
    int law; // index into laws()
    const char *topic;
    const char *text;
    const char *key;
    const char *wrong[3];
};

// A case (科目五) or scenario (科目四) text shared by several sub-questions. Placeholders:
// {company}, {city}, {n}, {m}.
struct CaseText
{
    const char *chapterPrefix; // the chapters (by prefix) that use it
    const char *text;
    const char *sourceChapters; // space-separated chapter-code prefixes whose units it asks about
    int n[2]; // range of {n}
    int m[2]; // range of {m}
};

std::span<const CatalogueNode> catalogue();
std::span<const LawCategory> lawCategories();
std::span<const Law> laws();
std::span<const KnowledgeUnit> knowledgeUnits();
std::span<const CaseText> caseTexts();
std::span<const char *const> cityNames();
std::span<const char *const> companyWords();

} // namespace vorlane::demo

#pragma once

#include <QTranslator>

namespace parlanza {

// Spanish for the few texts that QCommandLineParser writes itself (usage line, headings, option errors), so
// the companion's help reads in Spanish even where Qt's own translations are not installed.
class SpanishParserTexts final : public QTranslator
{
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
};

} // namespace parlanza
